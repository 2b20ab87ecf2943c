// The calendar of the menu screen: the sign of the zodiac of a date, the
// holidays that fall on it (a small table of fixed-date holidays: the new
// year, both Christmas days, Valentine's Day, Women's Day, Labour Day,
// Victory Day and a national day of each country of the program's
// languages), their names in the ten languages and the names of their
// pictures in the calendar library.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

#include "names.h"  // kCalendarLibrary

namespace varnok {


// The signs 0..11 from Aries (21 March to 19 April) to Pisces (19 February
// to 20 March); an invalid date gives -1.
int ZodiacSignOf(const QDate& date);
// The sign's name in a language 0..9 (anything else: English); "" for a sign
// out of 0..11.
QString ZodiacName(int sign, int language);
// The sign's picture in the calendar library: "CalZod01" for Aries ...
// "CalZod12" for Pisces.
QString ZodiacPicture(int sign);

struct Holiday {
  int month;
  int day;
  const char* picture;  // in the calendar library
  const char* names[10];  // UTF-8, in the order of the languages
};

// Every holiday of the table, in the order of the year.
const std::vector<Holiday>& Holidays();
// The holidays of a date (none for an invalid date), in table order.
std::vector<const Holiday*> HolidaysOf(const QDate& date);
QString HolidayName(const Holiday& holiday, int language);

// The date as the strip writes it in a language: "Thursday, 10 December
// 2026" in English, in the language's own long form otherwise.
QString CalendarDateText(const QDate& date, int language);

}  // namespace varnok
