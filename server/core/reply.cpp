#include "reply.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "cp1251.h"

namespace varnok::server {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::string WireValue(std::string_view utf8) {
  if (utf8.empty()) return "#";
  std::string out;
  out.reserve(utf8.size());
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    out += (c == ' ' || c == '$' || c == '*' || c == '~' || IsControl(c)) ? '_' : ch;
  }
  return out;
}

std::string ProfileValue(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    out += (c == '$' || c == '*' || c == '~' || IsControl(c)) ? '_' : ch;
  }
  return out;
}

namespace {

std::string Join(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out += ' ';
    out += fields[i];
  }
  return out;
}

}  // namespace

std::string Record(const std::vector<std::string>& fields) { return "$" + Join(fields) + "$"; }
std::string ListEntry(const std::vector<std::string>& fields) { return "$" + Join(fields) + "*"; }
std::string NumberReply(long long n) { return "$" + std::to_string(n) + "$"; }
std::string StatusReply(bool ok) { return ok ? "$1ok#" : "$1no#"; }

std::string FloatToWire(double value) {
  if (!std::isfinite(value) || std::fabs(value) < 0.00001) return "0";
  char buffer[64];
  // Fifteen significant digits in fixed notation: the digits before the mark
  // take their share, the rest go after it.
  const int whole_digits = std::fabs(value) >= 1 ? static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1 : 0;
  int decimals = 15 - whole_digits;
  if (std::fabs(value) < 1) decimals = 15 - static_cast<int>(std::floor(std::log10(std::fabs(value)))) - 1;
  if (decimals < 0) decimals = 0;
  if (decimals > 20) decimals = 20;
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text.find('.') != std::string::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::int32_t value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (*begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end || begin == end) return std::nullopt;
  return value;
}

std::optional<double> ParseReal(std::string_view text) {
  if (text.empty() || text.size() > 40) return std::nullopt;
  std::string copy(text);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  double value = 0;
  const char* begin = copy.data();
  const char* end = copy.data() + copy.size();
  if (*begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != end || begin == end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string ToWire(std::string_view utf8) { return Utf8ToCp1251Lossy(utf8); }

}  // namespace varnok::server
