#include "reply_scans.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace varnok::online {

namespace {

constexpr std::string_view::size_type npos = std::string_view::npos;

// Cuts " record " at every separator: field 0 is the empty text before the
// first one, the last field the empty text after the closing one.
RecordFields CutFields(std::string_view record, char separator) {
  RecordFields fields;
  fields.emplace_back();  // before the separator put in front
  std::string current;
  for (const char c : record) {
    if (c == separator) {
      fields.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  fields.push_back(std::move(current));
  fields.emplace_back();  // after the separator put behind
  return fields;
}

// The first "$" at or after `from` that is not the reply's last character.
std::string_view::size_type OpeningMark(std::string_view reply, std::string_view::size_type from) {
  const auto at = reply.find('$', from);
  if (at == npos || at + 1 >= reply.size()) return npos;
  return at;
}

// The last "$" that is not the reply's last character.
std::string_view::size_type LastOpeningMark(std::string_view reply) {
  if (reply.size() < 2) return npos;
  return reply.rfind('$', reply.size() - 2);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string_view> Field(const RecordFields& fields, std::size_t n) {
  if (n >= fields.size()) return std::nullopt;
  return std::string_view(fields[n]);
}

bool ContainsToken(std::string_view reply, std::string_view token) {
  if (reply.size() < 2 || token.size() != 2) return false;
  for (std::size_t i = 0; i + 1 < reply.size(); ++i) {
    if (reply[i] == token[0] && reply[i + 1] == token[1]) return true;
  }
  return false;
}

bool ContainsTokenOutsideRecord(std::string_view reply, std::string_view token) {
  const auto open = OpeningMark(reply, 0);
  return ContainsToken(open == npos ? reply : reply.substr(0, open), token);
}

std::optional<RecordFields> FirstRecord(std::string_view reply, char separator) {
  const auto open = OpeningMark(reply, 0);
  if (open == npos) return std::nullopt;
  const auto start = open + 1;
  const auto close = reply.find('$', start);
  const auto end = close == npos ? reply.size() - 1 : close;
  return CutFields(reply.substr(start, end - start), separator);
}

std::vector<RecordFields> RecordList(std::string_view reply, std::size_t limit) {
  std::vector<RecordFields> records;
  std::string_view::size_type from = 0;
  while (records.size() < limit) {
    const auto open = OpeningMark(reply, from);
    if (open == npos) break;
    const auto start = open + 1;
    const auto close = reply.find('*', start);
    const auto end = close == npos ? reply.size() - 1 : close;
    records.push_back(CutFields(reply.substr(start, end - start), ' '));
    from = start;
  }
  return records;
}

std::optional<std::int32_t> LastNumber(std::string_view reply) {
  const auto mark = LastOpeningMark(reply);
  if (mark == npos) return std::nullopt;
  auto end = mark + 1;
  while (end < reply.size() && IsDigit(reply[end])) ++end;
  if (end == reply.size()) --end;  // the reply's last character is not taken
  const std::string_view digits = reply.substr(mark + 1, end - (mark + 1));
  if (digits.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
  return value;
}

bool StatusReply(std::string_view reply) {
  const auto mark = LastOpeningMark(reply);
  if (mark == npos) return false;
  std::string_view status = reply.substr(mark + 1);
  status = status.substr(0, status.find('#'));
  return status.size() >= 3 && status.substr(1, 2) == "ok";
}

std::optional<std::int32_t> ParseInt(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FloatToWire(double value) {
  if (!std::isfinite(value) || std::fabs(value) < 0.00001) return "0";
  char buffer[64];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (ec != std::errc()) return "0";
  std::string text(buffer, ptr);
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return text;
}

double WireToFloat(std::string_view text) {
  std::string whole, fraction;
  bool negative = false;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '-') {
      negative = !negative && whole.empty();
    } else if (IsDigit(c)) {
      whole += c;
    } else if (c != ' ') {
      break;  // the decimal mark
    }
  }
  for (++i; i < text.size() && IsDigit(text[i]); ++i) fraction += text[i];
  if (whole.empty() && fraction.empty()) return 0.0;
  const std::string number = (whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || !std::isfinite(value)) return 0.0;
  return negative ? -value : value;
}

std::string RatingText(double value) {
  if (!std::isfinite(value)) value = 0.0;
  double rounded = std::nearbyint(value * 1000.0) / 1000.0;
  if (rounded == 0.0) rounded = 0.0;  // no "-0"
  char buffer[64];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 3);
  if (ec != std::errc()) return "0,000";
  std::string text(buffer, ptr);
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

std::int32_t NewsNumber(std::string_view document) {
  constexpr std::string_view kKeyword = "ZubNews";
  const auto at = document.find(kKeyword);
  if (at == npos) return 0;
  const std::string_view digits = document.substr(at + kKeyword.size(), 5);
  return ParseInt(digits).value_or(0);
}

std::optional<std::string> DirectoryValue(std::string_view document, std::string_view key) {
  const auto at = document.find(key);
  if (at == npos) return std::nullopt;
  const auto start = at + key.size() + 1;  // one separator character after the key
  if (start >= document.size()) return std::string();
  const auto end = document.find('#', start);
  return std::string(document.substr(start, end == npos ? npos : end - start));
}

}  // namespace varnok::online
