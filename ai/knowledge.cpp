#include "knowledge.h"

namespace varnok::ai {

namespace {

constexpr int kComputerSeats[] = {1, 2, 3};

// Table slot (1..3) of `seat`'s card in a trick that `leader` led.
int TableSlotOf(int seat, int leader) { return (seat - leader + 3) % 3 + 1; }

}  // namespace

void RoundKnowledge::Reset() { seats_.fill(SeatKnowledge{}); }

void RoundKnowledge::WidowTaken(const GameState& state) {
  CardSet widow = 0;
  for (int w = 1; w <= 3; ++w) widow |= CardBitOf(state.Widow[static_cast<std::size_t>(w)]);
  for (int seat : kComputerSeats) {
    SeatKnowledge& k = seats_[static_cast<std::size_t>(seat)];
    k.RuffedSuits = {kNoSuit, kNoSuit, kNoSuit};
    if (seat != state.Declarer) k.KnownDeclCards = widow;
  }
}

void RoundKnowledge::CardsGiven(const GameState& state) {
  const CardSet given = CardBitOf(state.GivenCards[1]) | CardBitOf(state.GivenCards[2]);
  for (int seat : kComputerSeats) {
    SeatKnowledge& k = seats_[static_cast<std::size_t>(seat)];
    k.KnownDeclCards &= ~given;
    if (seat == state.Declarer) continue;
    CardSet outside = given;
    for (int i = 1; i <= 8; ++i) outside |= CardBitOf(state.Hands[seat][i]);
    k.KnownNotDeclCards |= outside;
  }
}

void RoundKnowledge::TrickDecided(const GameState& state) {
  const int declarer = state.Declarer;
  if (declarer < 1 || declarer > 3 || state.Leader == declarer) return;
  if (state.LedSuit == state.Trump) return;
  if (state.Stol[TableSlotOf(declarer, state.Leader)].suit != state.Trump) return;
  for (int seat : kComputerSeats) {
    auto& ruffed = seats_[static_cast<std::size_t>(seat)].RuffedSuits;
    bool present = false;
    for (std::uint8_t s : ruffed) present = present || s == state.LedSuit;
    if (present) continue;
    for (std::uint8_t& s : ruffed)
      if (s == kNoSuit) {
        s = state.LedSuit;
        break;
      }
  }
}

}  // namespace varnok::ai
