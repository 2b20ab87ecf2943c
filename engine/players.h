// Where the engine's choices come from for seats the computer plays; the
// local player answers in dialogs whose answers are moves.
#pragma once

#include <cstdint>

#include "game_state.h"

namespace varnok {

// What a computer declarer decides once it holds ten cards.
struct DeclarerPlan {
  int give1 = 0;  // hand slot of the card for the seat after the declarer
  int give2 = 0;  // hand slot of the card for the seat after that
  std::uint8_t trump = kNoSuit;
  int estimate = 0;  // the points it expects to take; the order is at least the bid
};

// The computer players. Each call reads only what the seat may know; none of
// them changes the state. The notifications let the players keep their own
// memory of the round.
class ComputerPlayers {
 public:
  virtual ~ComputerPlayers() = default;

  // Highest bid the seat will make this round (from its seven cards).
  virtual int MaxBid(int seat, const GameState& state) = 0;
  // Gift, trump and estimate of a declarer holding ten cards.
  virtual DeclarerPlan PlanDeclarer(int seat, const GameState& state) = 0;
  // Hand slot of the card the seat plays at the state's TrickPos.
  virtual int ChooseCard(int seat, const GameState& state) = 0;

  // A new round was dealt: forget the previous one.
  virtual void RoundDealt(const GameState& /*state*/) {}
  // The declarer took the widow (its cards are now in the declarer's hand).
  virtual void WidowTaken(const GameState& /*state*/) {}
  // The declarer gave GivenCards[1] to the seat after him and [2] to the next.
  virtual void CardsGiven(const GameState& /*state*/) {}
  // Three cards lie on the table, before the winner is decided.
  virtual void TrickFull(const GameState& /*state*/) {}
  // The trick is about to be collected (still on the table).
  virtual void TrickCollected(const GameState& /*state*/) {}
};

// The order dialog's six stepping buttons.
enum class OrderButton { Up1, Up5, Up10, Down1, Down5, Down10 };

// The value the order dialog shows after pressing `button` at `value`, when
// it was opened at `minimum` (the winning bid). It runs over minimum..180 and
// wraps at both ends.
int OrderDialogStep(OrderButton button, int value, int minimum);

}  // namespace varnok
