#include "chat_text.h"

#include "account_rules.h"

#include <cstdint>

namespace varnok::online {

namespace {

// One decoded character, or nothing (U+FFFD) for a malformed piece; `length`
// is the number of bytes it took.
char32_t NextCharacter(std::string_view text, std::size_t at, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t extra = 0;
  char32_t c = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    c = lead & 0x07;
  } else {
    return 0xFFFD;
  }
  if (at + extra >= text.size()) return 0xFFFD;
  for (std::size_t i = 1; i <= extra; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  length = extra + 1;
  return c;
}

bool IsClassA(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '!': case '(': case ')': case ',': case '-': case '.': case '@': case '_':
      return true;
    default:
      return false;
  }
}

// The Cyrillic letters of code page 1251: А..я, Ё and ё.
bool IsClassC(char32_t c) { return (c >= 0x0410 && c <= 0x044F) || c == 0x0401 || c == 0x0451; }

}  // namespace

bool IsChatCharacter(char32_t c) { return IsClassA(c) || IsClassC(c); }

std::string ChatSafeText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t length = 1;
    const char32_t c = NextCharacter(utf8, at, length);
    if (IsChatCharacter(c)) out.append(utf8.substr(at, length));
    else out += '_';
    at += length;
  }
  return out;
}

std::string ChatShownText(std::string_view utf8) {
  std::string out(utf8);
  for (char& c : out) {
    if (c == '_') c = ' ';
  }
  return out;
}

std::string ChatClip(std::string_view utf8, std::size_t characters) {
  std::size_t at = 0;
  for (std::size_t n = 0; n < characters && at < utf8.size(); ++n) {
    std::size_t length = 1;
    NextCharacter(utf8, at, length);
    at += length;
  }
  return std::string(utf8.substr(0, at));
}

std::string ChatStamp(std::string_view long_time, std::string_view short_date, std::string_view title) {
  return ChatSafeText(long_time) + '_' + ChatSafeText(short_date) + '_' + ChatSafeText(title);
}

int PassportLamp(std::string_view utf8, PassportField field) {
  return CheckPassportField(utf8, field == PassportField::Nick ? FieldKind::Nick : FieldKind::City);
}

bool PassportAcceptable(std::string_view nick, std::string_view city) {
  return PassportLamp(nick, PassportField::Nick) >= 2 && PassportLamp(city, PassportField::City) >= 2;
}

}  // namespace varnok::online
