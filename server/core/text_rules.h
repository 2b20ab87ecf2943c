// What the server accepts in the texts players send: the club's field checks
// and wire value checks (club/), under the names the server's code uses.
#pragma once

#include <string_view>

#include "club/field_rules.h"
#include "club/wire_values.h"

namespace varnok::server {

// The field kinds as the server's forms number them.
enum class FieldKind { kNick = 1, kCity = 2, kPassword = 3, kEmail = 4 };

// 1 refused (red), 2 acceptable (yellow: Cyrillic letters), 3 good (green),
// as the program's input lamps show them.
inline int CheckField(std::string_view utf8, FieldKind kind) {
  return club::CheckField(utf8, static_cast<club::FieldKind>(kind));
}

using club::Cp1251Length;
using club::IsAccountEmail;
using club::IsAccountNick;
using club::IsAccountPassword;
using club::IsAddressText;
using club::IsChatText;
using club::IsCity;
using club::IsCountryCode;
using club::IsCountryName;
using club::IsGamePrefix;
using club::IsPassportNick;
using club::IsPlainText;
using club::IsSex;

}  // namespace varnok::server
