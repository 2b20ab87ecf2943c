#include "club/wire_values.h"

#include <optional>
#include <string>

#include "club/field_rules.h"

namespace varnok::club {

namespace {

// Every character of class A or C, with at least one.
bool OfClassesAC(const std::string& bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (!IsClassA(byte) && !IsClassC(byte)) return false;
  }
  return !bytes.empty();
}

bool AsciiAlphanumeric(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

}  // namespace

long Cp1251Length(std::string_view utf8) {
  const std::optional<std::string> bytes = ClubBytes(utf8);
  return bytes ? static_cast<long>(bytes->size()) : -1;
}

bool IsAccountNick(std::string_view utf8) { return CheckField(utf8, FieldKind::Nick) == kGreen; }
bool IsAccountPassword(std::string_view utf8) { return CheckField(utf8, FieldKind::Password) == kGreen; }
bool IsAccountEmail(std::string_view utf8) { return CheckField(utf8, FieldKind::EMail) == kGreen; }
bool IsCity(std::string_view utf8) { return CheckField(utf8, FieldKind::City) >= kYellow; }
bool IsPassportNick(std::string_view utf8) { return CheckPassportField(utf8, FieldKind::Nick) >= kYellow; }

bool IsChatText(std::string_view utf8, std::size_t max) {
  const std::optional<std::string> bytes = ClubBytes(utf8);
  return bytes && bytes->size() <= max && OfClassesAC(*bytes);
}

bool IsCountryCode(std::string_view text) {
  return text.size() == 5 && text[0] >= '1' && text[0] <= '6' && text[1] == '-' && text[2] >= '0' && text[2] <= '9' &&
         text[3] >= '0' && text[3] <= '9' && text[4] >= '0' && text[4] <= '9';
}

bool IsCountryName(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > 20) return false;
  for (const char c : utf8) {
    if (!IsClassA(static_cast<unsigned char>(c)) && c != ' ') return false;
  }
  return true;
}

bool IsSex(std::string_view text) { return text == "M" || text == "W"; }

bool IsPlainText(std::string_view utf8, std::size_t max) {
  const std::optional<std::string> bytes = ClubBytes(utf8);
  if (!bytes || bytes->size() > max) return false;
  for (const char c : *bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || byte == 0x98) return false;
  }
  return true;
}

bool IsAddressText(std::string_view text) {
  if (text.empty() || text.size() > 45) return false;
  for (const char c : text) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex && c != '.' && c != ':') return false;
  }
  return true;
}

bool IsGamePrefix(std::string_view text) {
  if (text.empty() || text.size() > 32) return false;
  for (const char c : text) {
    if (!AsciiAlphanumeric(c)) return false;
  }
  return true;
}

}  // namespace varnok::club
