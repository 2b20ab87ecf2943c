#include "text_rules.h"

#include <optional>

#include "cp1251.h"

namespace varnok::server {

namespace {

bool IsClassA(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '!': case '(': case ')': case ',': case '-': case '.': case '@': case '_':
      return true;
    default:
      return false;
  }
}

bool IsClassC(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }

// The rating of a text by classes: 3 all class A, 2 some class C, 1 anything else.
int ClassRating(const std::string& bytes) {
  int result = 3;
  for (unsigned char c : bytes) {
    if (IsClassC(c)) {
      if (result == 3) result = 2;
    } else if (!IsClassA(c)) {
      return 1;
    }
  }
  return result;
}

}  // namespace

long Cp1251Length(std::string_view utf8) {
  const std::optional<std::string> bytes = Utf8ToCp1251(utf8);
  return bytes ? static_cast<long>(bytes->size()) : -1;
}

int CheckField(std::string_view utf8, FieldKind kind) {
  const std::optional<std::string> bytes = Utf8ToCp1251(utf8);
  if (!bytes || bytes->empty() || bytes->size() == 1) return 1;
  const std::size_t n = bytes->size();
  switch (kind) {
    case FieldKind::kNick: if (n > 12) return 1; break;
    case FieldKind::kCity: if (n > 15) return 1; break;
    case FieldKind::kPassword: if (n > 12 || n < 4) return 1; break;
    case FieldKind::kEmail: if (n > 30) return 1; break;
  }
  int result = ClassRating(*bytes);
  if (result == 2 && kind != FieldKind::kCity) result = 1;
  if (kind == FieldKind::kEmail && result == 3) {
    const std::size_t at = bytes->find('@');
    if (at == std::string::npos || at == 0 || at + 1 == n) result = 1;
  }
  return result;
}

bool IsAccountNick(std::string_view utf8) { return CheckField(utf8, FieldKind::kNick) == 3; }
bool IsAccountPassword(std::string_view utf8) { return CheckField(utf8, FieldKind::kPassword) == 3; }
bool IsAccountEmail(std::string_view utf8) { return CheckField(utf8, FieldKind::kEmail) == 3; }
bool IsCity(std::string_view utf8) { return CheckField(utf8, FieldKind::kCity) >= 2; }

bool IsPassportNick(std::string_view utf8) {
  const std::optional<std::string> bytes = Utf8ToCp1251(utf8);
  return bytes && bytes->size() >= 2 && bytes->size() <= 12 && ClassRating(*bytes) >= 2;
}

bool IsChatText(std::string_view utf8, std::size_t max) {
  const std::optional<std::string> bytes = Utf8ToCp1251(utf8);
  return bytes && !bytes->empty() && bytes->size() <= max && ClassRating(*bytes) >= 2;
}

bool IsCountryCode(std::string_view text) {
  return text.size() == 5 && text[0] >= '1' && text[0] <= '6' && text[1] == '-' &&
         text[2] >= '0' && text[2] <= '9' && text[3] >= '0' && text[3] <= '9' && text[4] >= '0' && text[4] <= '9';
}

bool IsCountryName(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > 20) return false;
  for (unsigned char c : utf8) {
    if (!IsClassA(c) && c != ' ') return false;
  }
  return true;
}

bool IsSex(std::string_view text) { return text == "M" || text == "W"; }

bool IsPlainText(std::string_view utf8, std::size_t max) {
  const std::optional<std::string> bytes = Utf8ToCp1251(utf8);
  if (!bytes || bytes->size() > max) return false;
  for (unsigned char c : *bytes) {
    if (c < 0x20 || c == 0x7F || c == 0x98) return false;
  }
  return true;
}

bool IsAddressText(std::string_view text) {
  if (text.empty() || text.size() > 45) return false;
  for (char c : text) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex && c != '.' && c != ':') return false;
  }
  return true;
}

bool IsGamePrefix(std::string_view text) {
  if (text.empty() || text.size() > 32) return false;
  for (char c : text) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace varnok::server
