#include "club/field_rules.h"

#include "cp1251.h"

namespace varnok::club {

bool IsClassA(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' || c == '(' ||
         c == ')' || c == ',' || c == '-' || c == '.' || c == '@' || c == '_';
}

bool IsClassC(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }

std::optional<std::string> ClubBytes(std::string_view utf8) { return Utf8ToCp1251(utf8); }

namespace {

// The most characters a field of `kind` holds, and the fewest.
std::size_t Longest(FieldKind kind) {
  switch (kind) {
    case FieldKind::Nick: return kNickLimit;
    case FieldKind::City: return kCityLimit;
    case FieldKind::Password: return kPasswordLimit;
    case FieldKind::EMail: return kEMailLimit;
    case FieldKind::TypedCharacter: break;
  }
  return std::string::npos;
}

std::size_t Shortest(FieldKind kind) {
  if (kind == FieldKind::Password) return 4;
  // A field of one character is refused; a typed character is one.
  return kind == FieldKind::TypedCharacter ? 1 : 2;
}

int Check(std::string_view utf8, FieldKind kind, bool cyrillic_nick, bool check_mail) {
  const std::optional<std::string> bytes = ClubBytes(utf8);
  if (!bytes || bytes->empty()) return kRed;
  if (bytes->size() > Longest(kind) || bytes->size() < Shortest(kind)) return kRed;
  int result = kGreen;
  for (const char c : *bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsClassA(byte)) continue;
    if (!IsClassC(byte)) return kRed;
    result = kYellow;
  }
  if (result == kYellow) {
    const bool cyrillic_allowed = kind == FieldKind::City || kind == FieldKind::TypedCharacter ||
                                  (cyrillic_nick && kind == FieldKind::Nick);
    if (!cyrillic_allowed) return kRed;
  }
  if (check_mail && kind == FieldKind::EMail && result == kGreen) {
    const auto at = bytes->find('@', 1);
    if (at == std::string::npos || at + 1 >= bytes->size()) return kRed;
  }
  return result;
}

}  // namespace

int CheckField(std::string_view utf8, FieldKind kind) { return Check(utf8, kind, false, true); }

int CheckPassportField(std::string_view utf8, FieldKind kind) { return Check(utf8, kind, true, false); }

bool AcceptTypedCharacter(std::u32string_view character, FieldKind field) {
  std::string utf8;
  for (const char32_t c : character) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      return false;
    }
  }
  const int lamp = CheckField(utf8, FieldKind::TypedCharacter);
  if (field == FieldKind::Nick || field == FieldKind::City) return lamp != kRed;
  return lamp == kGreen;
}

}  // namespace varnok::club
