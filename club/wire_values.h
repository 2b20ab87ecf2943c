// The checks of the values the club's wire carries, as the server judges
// what players send: the account fields, chat texts, country codes and
// names, free text lines, addresses and game prefixes. Lengths count
// characters of code page 1251 (every stored text must be writable back in it).
#pragma once

#include <cstddef>
#include <string_view>

namespace varnok::club {

// The account checks of registration: nick, password and e-mail green, city
// at least yellow (club/field_rules.h).
bool IsAccountNick(std::string_view utf8);
bool IsAccountPassword(std::string_view utf8);
bool IsAccountEmail(std::string_view utf8);
bool IsCity(std::string_view utf8);          // 2 to 15 characters of classes A and C
bool IsPassportNick(std::string_view utf8);  // 2 to 12 characters of classes A and C

// Every character of class A or C, 1 to `max` characters.
bool IsChatText(std::string_view utf8, std::size_t max);
// Country code "d-ddd" with the continent digit 1 to 6.
bool IsCountryCode(std::string_view text);
// A country's short name: 1 to 20 characters of class A or blanks.
bool IsCountryName(std::string_view utf8);
// "M" or "W".
bool IsSex(std::string_view text);
// Free text of at most `max` characters of the code page, without control
// characters (a profile line, a date, a reserved field).
bool IsPlainText(std::string_view utf8, std::size_t max);
// An IPv4 or IPv6 address text, at most 45 characters of hex digits, "." and ":".
bool IsAddressText(std::string_view text);
// A game prefix of the account service: 1 to 32 ASCII letters and digits.
bool IsGamePrefix(std::string_view text);

// Number of characters of UTF-8 text that the code page can hold; -1 when
// the text is not valid UTF-8 or holds a character outside the code page.
long Cp1251Length(std::string_view utf8);

}  // namespace varnok::club
