// The tournament connection's own records, besides the game records that
// travel in the 50-character framing (WrapRelay):
//
// From a seat to the relay, framed to 20 characters ("#" padding, the
// sender's table position last): "connect" + position, "bnext" (the next
// round, from position 1), "TOut" (the sender's own move clock ran out),
// "o" + three numbers of five characters (the game's result for positions
// 1, 2, 3). "disA" (the seat is left) goes in the 50-character framing.
//
// From the relay to a seat, 50 characters: "e" (the game ended normally),
// "abort" + the leaving position (the 6th character), "TOut" padded with the
// timed-out position as the 50th character.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "records.h"

namespace varnok::net {

enum class ControlKind { Connect, NextRound, TimeOut, Leave, Result };

struct Control {
  ControlKind kind = ControlKind::Connect;
  int seat = 0;                // the frame's position digit
  int position = 0;            // "connect": the position asked for
  std::array<int, 3> result{};  // "o": the numbers of positions 1, 2, 3
  friend bool operator==(const Control&, const Control&) = default;
};

std::optional<std::string> BuildConnect(int position);
std::optional<std::string> BuildNextRound(int seat);
std::optional<std::string> BuildTimeOut(int seat);
std::optional<std::string> BuildLeave(int seat);
// Nothing when a number does not fit in five characters.
std::optional<std::string> BuildResult(const std::array<int, 3>& numbers, int seat);

// Reads a framed control record (20 characters, or "disA" in 50).
Parsed<Control> ParseControl(std::string_view framed);

enum class NoticeKind { GameEnded, PlayerLeft, TimeUp };

struct Notice {
  NoticeKind kind = NoticeKind::GameEnded;
  int position = 0;  // who left or ran out of time
  friend bool operator==(const Notice&, const Notice&) = default;
};

std::string BuildGameEnded();
std::optional<std::string> BuildPlayerLeft(int position);
std::optional<std::string> BuildTimeUp(int position);
Parsed<Notice> ParseNotice(std::string_view record);

}  // namespace varnok::net
