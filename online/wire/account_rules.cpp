#include "account_rules.h"

#include "address_cipher.h"
#include "cp1251.h"

namespace varnok::online {

namespace {

bool IsClassA(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' || c == '(' ||
         c == ')' || c == ',' || c == '-' || c == '.' || c == '@' || c == '_';
}

bool IsClassC(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }

// The text in code page 1251, or nothing when it holds a character the code
// page lacks (which no class holds either).
std::optional<std::string> Bytes(std::string_view utf8_text) { return Utf8ToCp1251(utf8_text); }

std::size_t CharacterCount(std::string_view utf8_text) {
  std::size_t count = 0;
  for (const char c : utf8_text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

int Check(std::string_view utf8_text, FieldKind kind, bool cyrillic_nick, bool check_mail) {
  if (utf8_text.empty()) return kRed;
  const std::size_t length = CharacterCount(utf8_text);
  switch (kind) {
    case FieldKind::Nick:
      if (length > static_cast<std::size_t>(kNickLimit)) return kRed;
      break;
    case FieldKind::City:
      if (length > static_cast<std::size_t>(kCityLimit)) return kRed;
      break;
    case FieldKind::Password:
      if (length > static_cast<std::size_t>(kPasswordLimit) || length < 4) return kRed;
      break;
    case FieldKind::EMail:
      if (length > static_cast<std::size_t>(kEMailLimit)) return kRed;
      break;
    case FieldKind::TypedCharacter:
      break;
  }
  if (kind != FieldKind::TypedCharacter && length == 1) return kRed;
  const auto bytes = Bytes(utf8_text);
  if (!bytes) return kRed;
  int result = kGreen;
  for (const char c : *bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsClassA(byte)) continue;
    if (IsClassC(byte)) {
      result = kYellow;
      continue;
    }
    return kRed;
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

int CheckField(std::string_view utf8_text, FieldKind kind) { return Check(utf8_text, kind, false, true); }

int CheckPassportField(std::string_view utf8_text, FieldKind kind) { return Check(utf8_text, kind, true, false); }

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

// The saved password shares the keyed scrambling of the stored addresses: a
// printable line of the same length, never the password in clear.
std::string ScramblePassword(std::string_view password) { return EncipherAddress(password); }
std::string UnscramblePassword(std::string_view scrambled) { return DecipherAddress(scrambled); }

}  // namespace varnok::online
