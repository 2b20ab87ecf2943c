// What a computer seat has learnt about the declarer's hand during a round:
// the suits the declarer is known to lack and the cards known to be, or
// known not to be, in its hand. The engine's notifications feed it; the card
// player only reads it.
#pragma once

#include <array>
#include <cstdint>

#include "cards.h"
#include "game_state.h"

namespace varnok::ai {

// A set of cards: bit (CardIndex - 1) for each card, so the six ranks of
// suit index s sit in bits 6s..6s+5 in rank order (nine lowest).
using CardSet = std::uint32_t;

constexpr CardSet CardBit(int ordinal) { return (ordinal >= 1 && ordinal <= 24) ? CardSet{1} << (ordinal - 1) : 0; }
inline CardSet CardBitOf(TCard card) { return CardBit(CardIndex(card)); }
constexpr bool Contains(CardSet set, int ordinal) { return (set & CardBit(ordinal)) != 0; }
// The ranks of suit index 0..3 in a set, as a rank mask (bit 0 = nine ... bit 5 = ace).
constexpr unsigned SuitRanks(CardSet set, int suit_index) { return (set >> (6 * suit_index)) & 63u; }

// One computer seat's memory of the round.
struct SeatKnowledge {
  // Suits in which the declarer has trumped another seat's lead, in the
  // order noticed; '#' for a free place.
  std::array<std::uint8_t, 3> RuffedSuits{kNoSuit, kNoSuit, kNoSuit};
  // Cards known to be in the declarer's hand (the widow, less the gift).
  CardSet KnownDeclCards = 0;
  // Cards known not to be in the declarer's hand (the gift and the seat's
  // own eight cards once the gift is made).
  CardSet KnownNotDeclCards = 0;

  friend constexpr bool operator==(const SeatKnowledge&, const SeatKnowledge&) = default;
};

// The memory of each seat the computer may play. The window plays seats 1
// and 2; self-play also gives seat 3 the same memory.
class RoundKnowledge {
 public:
  // Seat 1..3; any other number knows nothing.
  const SeatKnowledge& Seat(int seat) const {
    static constexpr SeatKnowledge kNothing{};
    return seat >= 1 && seat <= 3 ? seats_[static_cast<std::size_t>(seat)] : kNothing;
  }

  // A new round was dealt: forget everything.
  void Reset();
  // The declarer took the widow: every other seat learns the
  // three widow cards; the ruffed suits start empty.
  void WidowTaken(const GameState& state);
  // The declarer gave GivenCards[1..2] away (already in the receivers'
  // hands, slot 8): those two leave the known-inside set; each seat other
  // than the declarer knows them and its own eight cards to be outside.
  void CardsGiven(const GameState& state);
  // Three cards lie on the table and the winner is about to be decided:
  // note a side suit the declarer trumped when it did not lead.
  void TrickDecided(const GameState& state);

 private:
  std::array<SeatKnowledge, 4> seats_{};  // 1..3
};

}  // namespace varnok::ai
