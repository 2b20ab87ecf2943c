// Self-play: three computer seats play whole games through the same engine
// operations and computer players as the window. Seat 3, which the window
// leaves to a person, plays here with the same routines and knowledge as
// seats 1 and 2.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "computer_players.h"
#include "engine.h"
#include "strong_players.h"

namespace varnok::selfplay {

struct TrickRecord {
  int leader = 0;
  std::array<int, 3> cards{};  // ordinals in play order
  int winner = 0;
  int marriage = 0;  // 0, 20 or 40 announced with the lead
};

struct RoundRecord {
  int game = 0;
  int round = 0;
  int first_bidder = 0;
  std::array<int, 24> deck{};
  std::array<int, 3> max_bid{};
  std::vector<std::pair<int, int>> bids;  // seat, value (0 for a pass)
  int declarer = 0;
  int bid = 0;
  std::array<int, 2> gift{};
  std::uint8_t trump = kNoSuit;
  int order = 0;
  std::vector<TrickRecord> tricks;
  std::array<int, 3> round_points{};
  std::array<int, 3> card_points{};
  std::array<int, 3> scores{};
  bool game_over = false;
};

// One line of JSON for a round.
std::string ToJson(const RoundRecord& round);

class SelfPlay {
 public:
  SelfPlay();

  void SetSeed(std::uint64_t seed) { engine_.SetShuffleSeed(seed); }
  void SetKeepAfter100(bool keep);
  // The level of the computer that plays `seat` (all Classic at first).
  void SetLevel(int seat, ai::ComputerLevel level) { computer_.SetLevel(seat, level); }
  void SetStrongOptions(const ai::StrongOptions& options) { computer_.Strong().SetOptions(options); }
  void SetDecisionTimer(std::function<void(double)> timer) { computer_.SetDecisionTimer(std::move(timer)); }

  // Deals a new game.
  void NewGame();
  // Plays the next round of the current game (dealing it first) to its score.
  RoundRecord PlayRound();
  // Plays one round from a given deck order, opened by `first_bidder`, with
  // the scores given before it.
  RoundRecord PlayGivenRound(const DeckOrder& deck, int first_bidder, const std::array<int, 3>& scores);

  const GameState& State() const { return state_; }
  // Faulty card requests the engine had to replace (never, when all is well).
  int FaultyRequests() const { return engine_.FaultyRequests(); }

 private:
  RoundRecord PlayDealtRound();
  void Act(RoundRecord& record);
  void Require(const Move& move);

  GameState state_;
  Presenter presenter_;
  ai::LeveledSeats computer_;
  Engine engine_;
  int game_ = 0;
  int pending_order_ = 0;
  bool need_deal_ = false;
};

}  // namespace varnok::selfplay
