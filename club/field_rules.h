// The checks of what a player types for the club: the nick, city, password
// and e-mail of an account and the "My Passport" identity, and the filter
// of typed characters. The program lights its lamps with them; the server
// judges the same fields with them.
//
// Characters are judged by their code page 1251 values:
//   class A: Latin letters, digits and ! ( ) , - . @ _
//   class C: Cyrillic letters (0xC0 to 0xFF), Ё and ё
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnok::club {

bool IsClassA(unsigned char cp1251);
bool IsClassC(unsigned char cp1251);

// The text in code page 1251, or nothing when it is not valid UTF-8 or holds
// a character the code page lacks (which no class holds either).
std::optional<std::string> ClubBytes(std::string_view utf8);

// The kinds keep their numbers: they travel as such.
enum class FieldKind { TypedCharacter = 0, Nick = 1, City = 2, Password = 3, EMail = 4 };

// The lamp of a field: 1 red (refused), 2 yellow (acceptable), 3 green (good).
enum Lamp { kRed = 1, kYellow = 2, kGreen = 3 };

// Lengths of the account fields, in characters.
inline constexpr int kNickLimit = 12;
inline constexpr int kPasswordLimit = 12;
inline constexpr int kCityLimit = 15;
inline constexpr int kEMailLimit = 30;

// The account check. Cyrillic letters are acceptable (yellow) only in the
// city and as single typed characters; an e-mail needs "@" after its first
// character and before its last.
int CheckField(std::string_view utf8, FieldKind kind);

// The passport check: as the account check, but the nick accepts Cyrillic
// letters too (yellow), and an e-mail is not checked.
int CheckPassportField(std::string_view utf8, FieldKind kind);

// Whether a typed character is taken into the field: the nick and city take
// every character that is not red, the password and e-mail only green ones.
bool AcceptTypedCharacter(std::u32string_view character, FieldKind field);

}  // namespace varnok::club
