// The computer players as the engine sees them: bid limits, the declarer's
// plan and the card of a seat, with the memory of the round that the
// engine's notifications feed. Each choice is made over a view of the table
// that holds only what the seat may know.
#pragma once

#include <functional>
#include <string>

#include "knowledge.h"
#include "players.h"

namespace varnok::ai {

// A copy of the table as `seat` may know it: the other hands, the undealt
// part of the deck and, before it is turned up, the widow are blanked.
GameState SeatView(const GameState& state, int seat);

class ComputerSeats : public ComputerPlayers {
 public:
  // The progress strip while the bid limits are worked out (0..80 over the
  // round's estimates, 40 steps each) and the diagnostic caption of each.
  void SetProgress(std::function<void(int)> progress) { progress_ = std::move(progress); }
  void SetCaption(std::function<void(const std::string&)> caption) { caption_ = std::move(caption); }

  int MaxBid(int seat, const GameState& state) override;
  DeclarerPlan PlanDeclarer(int seat, const GameState& state) override;
  int ChooseCard(int seat, const GameState& state) override;

  void RoundDealt(const GameState& state) override;
  void WidowTaken(const GameState& state) override { knowledge_.WidowTaken(state); }
  void CardsGiven(const GameState& state) override { knowledge_.CardsGiven(state); }
  void TrickFull(const GameState& state) override { knowledge_.TrickDecided(state); }

  const RoundKnowledge& Knowledge() const { return knowledge_; }

 private:
  RoundKnowledge knowledge_;
  std::function<void(int)> progress_;
  std::function<void(const std::string&)> caption_;
  std::string caption_text_;
  int progress_done_ = 0;
};

}  // namespace varnok::ai
