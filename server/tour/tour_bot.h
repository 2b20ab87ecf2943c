// A scripted seat of a tournament table: it plays its own seat with the
// game's engine as a copy of the program does (bids up to a limit, gives the
// first two cards it may, names the suit of its first card, plays the first
// card it may), writes the move records of each of its steps for the other
// two seats, asks for the next round from position 1 and sends the result at
// the end. No sockets: the tests and the load benchmark carry its bytes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "apply_move.h"
#include "engine.h"
#include "receive_buffer.h"
#include "tour_records.h"

namespace varnok::tour {

class TourBot {
 public:
  struct Options {
    std::uint64_t seed = 1;
    int bid_limit = 90;
    bool acts = true;        // false: never moves (a hung copy)
    bool send_result = true;  // position 1 sends "o" at the end
  };

  TourBot(int position, Options options);
  TourBot(const TourBot&) = delete;
  TourBot& operator=(const TourBot&) = delete;

  int position() const { return position_; }
  // The "connect" record of the seat.
  std::string Connect() const;
  // Bytes from the relay; gives the bytes to send back.
  std::string Feed(std::string_view bytes);

  // The game ended on this copy (normally, by a leaver or by a time-out).
  bool Ended() const { return ended_; }
  std::optional<net::Notice> LastNotice() const { return notice_; }
  int Rounds() const { return rounds_; }
  int Deals() const { return deals_; }
  // Scores and general counts of positions 1, 2, 3 as this copy has them.
  std::array<int, 3> Scores() const;
  std::array<int, 3> Counts() const;
  // Records this copy refused or could not read: none in an honest game.
  const std::vector<std::string>& Problems() const { return problems_; }
  const GameState& State() const { return state_; }
  const Engine& engine() const { return engine_; }
  // Records received, moves and deals.
  int Received() const { return received_; }
  // The scores of positions 1, 2, 3 after each round, as this copy counted them.
  const std::vector<std::array<int, 3>>& RoundScores() const { return round_scores_; }
  // Called before the seat acts on what came; its bytes go out first (a test's forged records).
  void SetBeforeAct(std::function<std::string(const TourBot&)> hook) { before_act_ = std::move(hook); }

 private:
  void Handle(const net::Received& record, std::string& out);
  // Takes every step that is this seat's now.
  void Act(std::string& out);
  bool ActOnce(std::string& out);
  void NoteRound();
  void Tell(const net::MoveShape& shape, std::string& out);  // to the previous seat, then the next
  bool Take(const Move& move) { return engine_.Apply(move, MoveSource::Record); }

  int position_;
  Options options_;
  std::mt19937_64 random_;
  GameState state_;
  Presenter ui_;
  Engine engine_;
  net::NetButtons buttons_;
  net::ReceiveBuffer buffer_{net::Link::Tournament};
  bool ended_ = false;
  bool asked_next_ = false;
  bool result_sent_ = false;
  std::optional<net::Notice> notice_;
  int rounds_ = 0;
  int deals_ = 0;
  int received_ = 0;
  std::vector<std::string> problems_;
  std::vector<std::array<int, 3>> round_scores_;
  std::function<std::string(const TourBot&)> before_act_;
};

}  // namespace varnok::tour
