// A duplicate match between computer levels: every game is played once per
// seating (the levels turned round the three seats), so that every level
// holds every hand of the same deals. The summary gives each level's
// average general count per game with a 95% confidence interval and the
// share of its contracts made.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "strong_players.h"

namespace varnok::selfplay {

struct MatchOptions {
  std::array<ai::ComputerLevel, 3> levels{};  // seats 1..3 of the first seating
  std::uint64_t seed = 1;                     // game g is dealt from seed + g
  int games = 10;
  bool keep_after_100 = false;
  ai::StrongOptions strong;
};

struct LevelSummary {
  std::string name;
  int seat_games = 0;           // games played by seats of this level
  double mean = 0;              // average general count per game
  double half_width = 0;        // of the 95% confidence interval, over the games' averages
  int declared = 0;             // rounds in which a seat of this level was the declarer
  int made = 0;                 // of them, orders made
};

struct MatchSummary {
  int games = 0;          // deal sequences, each played once per seating
  long rounds = 0;        // rounds played over all seatings
  long deals = 0;         // rounds of the first seating (the distinct deals of the match)
  std::vector<LevelSummary> levels;
  // Strong minus Classic per game (mean and half-width), when both play.
  double difference = 0;
  double difference_half_width = 0;
  // The same hand (game, round, seat) declared once by each level.
  int same_hand_declared = 0;
  int same_hand_made_strong = 0;
  int same_hand_made_classic = 0;
};

using MatchProgress = std::function<void(int game, int games)>;

MatchSummary PlayMatch(const MatchOptions& options, const MatchProgress& progress = {});
// The summary as a small table for the terminal and the README.
std::string FormatSummary(const MatchSummary& summary);

// A level's name ("classic", "strong"); false for an unknown name.
bool ParseLevel(const std::string& name, ai::ComputerLevel& level);
std::string LevelName(ai::ComputerLevel level);

}  // namespace varnok::selfplay
