#include "computer_players.h"

#include "bidding.h"
#include "card_play.h"

namespace varnok::ai {

GameState SeatView(const GameState& state, int seat) {
  GameState view = state;
  for (int other = 1; other <= 3; ++other) {
    if (other == seat) continue;
    view.Hands[other] = EmptyCardList();
    view.HandOrder[other] = EmptyCompanions();
    view.HandPoints[other] = EmptyCompanions();
    view.SavedHands[other] = EmptyCardList();
    view.SavedOrder[other] = EmptyCompanions();
    view.SavedPoints[other] = EmptyCompanions();
  }
  // The deck order would tell every hand; the widow is seen once it is turned up.
  const bool widow_seen = state.Phase >= phWidowOpen;
  for (int j = 1; j <= 24; ++j) {
    if (j > 21 && widow_seen) continue;
    view.Deck[j] = TCard::Empty();
    view.DeckOrder[j] = kEmptyCompanion;
    view.DeckPoints[j] = kEmptyCompanion;
  }
  if (!widow_seen) view.Widow = {};
  return view;
}

void ComputerSeats::RoundDealt(const GameState&) {
  knowledge_.Reset();
  caption_text_.clear();
  progress_done_ = 0;
}

int ComputerSeats::MaxBid(int seat, const GameState& state) {
  // One counter for the round: the first estimate runs it 0..40, the next 40..80.
  const int base = progress_done_;
  BidProgress step;
  if (progress_) step = [&](int s) { progress_(base + s); };
  const MaxBidEstimate estimate = ComputeMaxBid(state.Hands[seat], step);
  progress_done_ += kProgressStepsPerSeat;
  caption_text_ += MaxBidCaption(seat, estimate);
  if (caption_) caption_(caption_text_);
  return estimate.max_bid;
}

DeclarerPlan ComputerSeats::PlanDeclarer(int seat, const GameState& state) {
  return ai::PlanDeclarer(SeatView(state, seat), seat);
}

int ComputerSeats::ChooseCard(int seat, const GameState& state) {
  return ai::ChooseCard(SeatView(state, seat), seat, knowledge_.Seat(seat));
}

}  // namespace varnok::ai
