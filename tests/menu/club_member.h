// A filled club slot for the menu's tests, and texts in failure messages as
// text.
#pragma once

#include <ostream>
#include <string>

#include <QString>

#include "club_file.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace varnok {

// A member `name` with the password "abc  ".
inline ClubMember Member(const std::string& name, double rating, int games, int cycleScore) {
  ClubMember m;
  m.Empty = false;
  m.Name = name;
  m.Rating = rating;
  m.Games = games;
  m.CycleScore = cycleScore;
  m.Password = "abc  ";
  return m;
}

}  // namespace varnok
