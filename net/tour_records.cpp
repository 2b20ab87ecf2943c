#include "tour_records.h"

#include <cstdio>

namespace varnok::net {

namespace {

constexpr int kResultWidth = 5;

std::string Padded(std::string_view body, std::size_t width, char last) {
  std::string out(body);
  out.resize(width - 1, '#');
  out += last;
  return out;
}

// A number right-aligned in five characters: blanks, an optional minus, digits.
std::optional<int> ReadNumber(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  if (i == field.size()) return std::nullopt;
  bool negative = false;
  if (field[i] == '-') {
    negative = true;
    ++i;
  }
  if (i == field.size()) return std::nullopt;
  int value = 0;
  for (; i < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') return std::nullopt;
    value = value * 10 + (field[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace

std::optional<std::string> BuildConnect(int position) {
  if (!IsSeat(position)) return std::nullopt;
  return WrapControl("connect" + std::string(1, static_cast<char>('0' + position)), position);
}

std::optional<std::string> BuildNextRound(int seat) { return WrapControl("bnext", seat); }
std::optional<std::string> BuildTimeOut(int seat) { return WrapControl("TOut", seat); }
std::optional<std::string> BuildLeave(int seat) { return WrapRelay("disA", seat); }

std::optional<std::string> BuildResult(const std::array<int, 3>& numbers, int seat) {
  std::string body = "o";
  for (const int n : numbers) {
    if (n < -9999 || n > 99999) return std::nullopt;
    char field[8];
    std::snprintf(field, sizeof field, "%*d", kResultWidth, n);
    body += field;
  }
  return WrapControl(body, seat);
}

Parsed<Control> ParseControl(std::string_view framed) {
  const auto unwrapped = UnwrapFramed(framed);
  if (!unwrapped.ok()) return {std::nullopt, unwrapped.error};
  Control c;
  c.seat = unwrapped.value->seat;
  if (c.seat == 0) return {std::nullopt, NetError::BadSeat};
  const std::string& body = unwrapped.value->body;
  const bool short_frame = framed.size() == kControlLength;
  if (!short_frame) {
    if (body != "disA") return {std::nullopt, NetError::WrongKind};
    c.kind = ControlKind::Leave;
    return {c};
  }
  if (body.size() == 8 && body.compare(0, 7, "connect") == 0) {
    if (!IsSeatDigit(body[7])) return {std::nullopt, NetError::BadSeat};
    c.kind = ControlKind::Connect;
    c.position = body[7] - '0';
    return {c};
  }
  if (body == "bnext") {
    c.kind = ControlKind::NextRound;
    return {c};
  }
  if (body == "TOut") {
    c.kind = ControlKind::TimeOut;
    return {c};
  }
  if (!body.empty() && body[0] == 'o') {
    // "o" and three fields of five characters, the frame's padding after them.
    const std::string_view rest = framed.substr(1, 3 * kResultWidth);
    if (framed.substr(1 + 3 * kResultWidth, kControlLength - 2 - 3 * kResultWidth).find_first_not_of('#') !=
        std::string_view::npos)
      return {std::nullopt, NetError::WrongLength};
    for (int i = 0; i < 3; ++i) {
      const auto n = ReadNumber(rest.substr(static_cast<std::size_t>(i * kResultWidth), kResultWidth));
      if (!n) return {std::nullopt, NetError::BadNumber};
      c.result[static_cast<std::size_t>(i)] = *n;
    }
    c.kind = ControlKind::Result;
    return {c};
  }
  return {std::nullopt, NetError::WrongKind};
}

std::string BuildGameEnded() { return Padded("e", kRelayLength, '#'); }

std::optional<std::string> BuildPlayerLeft(int position) {
  if (!IsSeat(position)) return std::nullopt;
  return Padded("abort" + std::string(1, static_cast<char>('0' + position)), kRelayLength, '#');
}

std::optional<std::string> BuildTimeUp(int position) {
  if (!IsSeat(position)) return std::nullopt;
  return Padded("TOut", kRelayLength, static_cast<char>('0' + position));
}

Parsed<Notice> ParseNotice(std::string_view r) {
  if (r.size() != kRelayLength) return {std::nullopt, NetError::WrongLength};
  switch (r[0]) {
    case 'e': return {Notice{NoticeKind::GameEnded, 0}};
    case 'a':
      if (!IsSeatDigit(r[5])) return {std::nullopt, NetError::BadSeat};
      return {Notice{NoticeKind::PlayerLeft, r[5] - '0'}};
    case 'T':
      if (!IsSeatDigit(r[kRelayLength - 1])) return {std::nullopt, NetError::BadSeat};
      return {Notice{NoticeKind::TimeUp, r[kRelayLength - 1] - '0'}};
    default: return {std::nullopt, NetError::WrongKind};
  }
}

}  // namespace varnok::net
