// The checks of what a player types for the club (the club's field rules,
// club/field_rules.h, under the program's names) and the scrambled
// password of the saved-account file.
#pragma once

#include <string>
#include <string_view>

#include "club/field_rules.h"

namespace varnok::online {

using club::AcceptTypedCharacter;
using club::CheckField;
using club::CheckPassportField;
using club::FieldKind;
using club::kCityLimit;
using club::kEMailLimit;
using club::kGreen;
using club::kNickLimit;
using club::kPasswordLimit;
using club::kRed;
using club::kYellow;
using club::Lamp;

// The password in its reversible scrambled form (one printable line, the
// password never in clear), and back.
std::string ScramblePassword(std::string_view password);
std::string UnscramblePassword(std::string_view scrambled);

}  // namespace varnok::online
