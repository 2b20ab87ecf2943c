// One step of a game, whoever takes it: the timer for a computer seat, the
// local player's buttons and clicks, or a record from another copy. Every
// step has a one-line text form ("bid 2", "card 3 5", "trump s", "pick 4")
// used by logs, history, the network and the simulator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnok {

struct Move {
  enum class Kind {
    Begin,      // "To Begin": the bidding starts
    Bid,        // seat raises by 5
    Pass,       // seat passes
    OpenWidow,  // the widow is turned face up
    TakeWidow,  // the declarer takes it
    Give,       // the declarer gives hand slots a (to the next seat) and b (to the one after);
                // c is the trump a computer declarer chose with its gift (0 for none yet)
    ShowGiven,  // the given cards reach their seats
    Trump,      // the declarer names the trump (suit letter in a)
    Order,      // the declarer states the order (points in a)
    StartPlay,  // the declarer leads the first trick
    Card,       // seat plays hand slot a
    Collect,    // the full trick is collected
    Score,      // the finished round is scored
    NextRound,  // the next round is dealt
    NewGame,    // a new game begins with its first deal
    Pick,       // the local declarer raises hand slot a as one of the two cards to give
    Unpick,     // ... and lowers a raised one again
  };

  Kind kind = Kind::Begin;
  int seat = 0;  // Bid, Pass, Card
  int a = 0;
  int b = 0;
  int c = 0;

  static Move Begin() { return {Kind::Begin}; }
  static Move Bid(int seat) { return {Kind::Bid, seat}; }
  static Move Pass(int seat) { return {Kind::Pass, seat}; }
  static Move OpenWidow() { return {Kind::OpenWidow}; }
  static Move TakeWidow() { return {Kind::TakeWidow}; }
  static Move Give(int slot1, int slot2, std::uint8_t trump = 0) { return {Kind::Give, 0, slot1, slot2, trump}; }
  static Move ShowGiven() { return {Kind::ShowGiven}; }
  static Move Trump(std::uint8_t suit) { return {Kind::Trump, 0, suit}; }
  static Move Order(int points) { return {Kind::Order, 0, points}; }
  static Move StartPlay() { return {Kind::StartPlay}; }
  static Move Card(int seat, int slot) { return {Kind::Card, seat, slot}; }
  static Move Collect() { return {Kind::Collect}; }
  static Move Score() { return {Kind::Score}; }
  static Move NextRound() { return {Kind::NextRound}; }
  static Move NewGame() { return {Kind::NewGame}; }
  static Move Pick(int slot) { return {Kind::Pick, 0, slot}; }
  static Move Unpick(int slot) { return {Kind::Unpick, 0, slot}; }

  friend bool operator==(const Move&, const Move&) = default;
};

// Where a step was decided: on this copy (its player's input, the computer
// seats it plays), or on another copy whose record tells it. A told bid or
// pass changes the state alike; its bubble, sound and buttons come with the
// record. A told gift is never chosen by this copy's computer players.
enum class MoveSource { Here, Record };

std::string ToText(const Move& move);
// Parses the text form; nothing for a line that is not a move.
std::optional<Move> ParseMove(std::string_view text);

}  // namespace varnok
