// The strong computer: it plays a card by drawing the hands it cannot see
// consistently with what its seat knows, solving each drawn deal exactly
// (does the order stand after each card?) and taking the card that does best
// over the deals; it can bid, give and order from the same kind of simulation. Each decision reads only the seat's view of the
// table (SeatView), and draws its deals from a seed made of that view, so a
// decision never depends on a card the seat may not see.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>

#include "computer_players.h"
#include "players.h"
#include "solver.h"

namespace varnok::ai {

struct StrongOptions {
  // Time for one decision; the decision ends with the first deal drawn after it.
  int budget_ms = 250;
  // With a number here a decision stops after that many deals (and the
  // budget only cuts it shorter): the same view then always gives the same
  // choice, whatever the machine's speed. 0 = as many as the budget allows.
  int max_samples = 0;
  std::uint64_t seed = 0x5eed;
  // Bid limit, gift, trump and order from simulated deals; without it the
  // strong seat bids and orders as the classic computer does (the open-card
  // values flatter a declarer too much for the simulation to order well yet).
  bool simulate_contract = false;
};

inline constexpr int kDefaultStrongBudgetMs = 250;

class StrongPlayer {
 public:
  explicit StrongPlayer(StrongOptions options = {});
  void SetOptions(const StrongOptions& options) { options_ = options; }
  const StrongOptions& Options() const { return options_; }

  // The decisions, each from `seat`'s view of the table.
  int MaxBid(const GameState& view, int seat);
  DeclarerPlan PlanDeclarer(const GameState& view, int seat);
  // The card that makes (as declarer) or defeats (as defender) the order in
  // the most drawn deals; among cards equal in that, the classic player's
  // choice (with its memory of the round, `knowledge`) when it is one of them.
  int ChooseCard(const GameState& view, int seat, const SeatKnowledge& knowledge = {});

  // Deals drawn and solved by the last decision.
  int LastSamples() const { return last_samples_; }

 private:
  class Clock;

  StrongOptions options_;
  Solver solver_;
  int last_samples_ = 0;
};

enum class ComputerLevel { Classic, Strong };

// The computer players of a table whose seats may play at different
// levels. Classic seats are played exactly as by ComputerSeats (which also
// keeps hearing the round); strong seats by a StrongPlayer on their view.
class LeveledSeats : public ComputerPlayers {
 public:
  explicit LeveledSeats(StrongOptions options = {}) : strong_(options) {}

  void SetLevel(int seat, ComputerLevel level);
  ComputerLevel Level(int seat) const;
  ComputerSeats& Classic() { return classic_; }
  // Told the time of every strong decision, in milliseconds.
  void SetDecisionTimer(std::function<void(double)> timer) { timer_ = std::move(timer); }
  StrongPlayer& Strong() { return strong_; }

  int MaxBid(int seat, const GameState& state) override;
  DeclarerPlan PlanDeclarer(int seat, const GameState& state) override;
  int ChooseCard(int seat, const GameState& state) override;

  void RoundDealt(const GameState& state) override { classic_.RoundDealt(state); }
  void WidowTaken(const GameState& state) override { classic_.WidowTaken(state); }
  void CardsGiven(const GameState& state) override { classic_.CardsGiven(state); }
  void TrickFull(const GameState& state) override { classic_.TrickFull(state); }
  void TrickCollected(const GameState& state) override { classic_.TrickCollected(state); }

 private:
  ComputerSeats classic_;
  StrongPlayer strong_;
  std::function<void(double)> timer_;
  std::array<ComputerLevel, 4> levels_{ComputerLevel::Classic, ComputerLevel::Classic, ComputerLevel::Classic,
                                       ComputerLevel::Classic};
};

}  // namespace varnok::ai
