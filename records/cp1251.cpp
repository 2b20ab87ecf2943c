#include "cp1251.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnok {

namespace {

// Bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order and bytes
// below 0x80 are ASCII.
constexpr std::array<char16_t, 64> kHighHalf = {
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021',  // 80
    u'\u20AC', u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F',  // 88
    u'\u0452', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',  // 90
    u'\u0098', u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F',  // 98
    u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',  // A0
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407',  // A8
    u'\u00B0', u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7',  // B0
    u'\u0451', u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457',  // B8
};

constexpr char32_t kCyrillicA = 0x0410;       // byte 0xC0
constexpr char32_t kCyrillicSmallYa = 0x044F;  // byte 0xFF
constexpr char32_t kInvalid = 0xFFFFFFFF;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {  // the code page holds nothing beyond the Basic Multilingual Plane
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

struct Decoded {
  char32_t code_point;  // kInvalid for a malformed sequence
  std::size_t length;   // bytes consumed, at least 1
};

// One character of UTF-8 at `pos` (which must be inside `text`). A malformed
// sequence consumes its longest valid-looking start, so that the next call
// resumes at the first byte that breaks it (the Unicode recommendation).
Decoded DecodeUtf8(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(pos);
  if (lead < 0x80) return {lead, 1};

  std::size_t extra = 0;
  char32_t cp = 0;
  std::uint8_t low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return {kInvalid, 1};
  }

  std::size_t length = 1;
  for (std::size_t k = 0; k < extra; ++k, ++length) {
    if (pos + length >= text.size()) return {kInvalid, length};
    const std::uint8_t b = byte(pos + length);
    const bool fits = k == 0 ? (b >= low && b <= high) : (b >= 0x80 && b <= 0xBF);
    if (!fits) return {kInvalid, length};
    cp = (cp << 6) | (b & 0x3F);
  }
  return {cp, length};
}

// Converts `text`; a character that cannot be converted gives `replacement`,
// or ends the conversion with nothing when there is no replacement.
std::optional<std::string> FromUtf8(std::string_view text, std::optional<char> replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Decoded d = DecodeUtf8(text, pos);
    pos += d.length;
    const std::optional<unsigned char> b = d.code_point == kInvalid ? std::nullopt : UnicodeToCp1251(d.code_point);
    if (b) {
      out += static_cast<char>(*b);
    } else if (replacement) {
      out += *replacement;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return kCyrillicA + (byte - 0xC0u);
  return kHighHalf[byte - 0x80u];
}

std::optional<unsigned char> UnicodeToCp1251(char32_t code_point) {
  if (code_point < 0x80) return static_cast<unsigned char>(code_point);
  if (code_point >= kCyrillicA && code_point <= kCyrillicSmallYa)
    return static_cast<unsigned char>(0xC0 + (code_point - kCyrillicA));
  for (std::size_t i = 0; i < kHighHalf.size(); ++i)
    if (kHighHalf[i] == code_point) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToCp1251(std::string_view text) { return FromUtf8(text, std::nullopt); }

std::string Utf8ToCp1251Lossy(std::string_view text) { return *FromUtf8(text, kCp1251Replacement); }

}  // namespace varnok
