// The card player's view of a round and the choosing routines that the
// lead, the second hand and the last hand share. Suits are suit indexes
// 0..3 (hearts, diamonds, clubs, spades); index 4 stands for "no suit" and
// never holds a card. Ranks are rank orders 1..6. Every routine returns a
// hand slot 1..10, or 0 when it finds nothing.
#pragma once

#include <array>
#include <cstdint>

#include "cards.h"
#include "game_state.h"
#include "knowledge.h"
#include "play_tables.h"

namespace varnok::ai {

inline constexpr int kNoSuitIndex = 4;

// A card on the table of the current trick.
struct TableCard {
  int suit = kNoSuitIndex;
  int order = 0;
  int points = 0;
};

// Everything one choice looks at, gathered once from the state.
struct PlayContext {
  int seat = 0;
  int declarer = 0;
  int leader = 0;
  int trump = kNoSuitIndex;
  std::array<int, 3> side{};  // the side suits s1, s2, s3

  // The hand: suit and rank order of slots 1..10 (index 0 unused; an
  // empty slot has suit kNoSuitIndex and order 0), and the slot of each
  // held card by ordinal.
  std::array<std::uint8_t, 11> slot_suit{};
  std::array<std::uint8_t, 11> slot_order{};
  std::array<std::uint8_t, 25> slot_of{};

  // Rank masks per suit index (index 4 stays empty).
  std::array<unsigned, 5> held{};
  std::array<unsigned, 5> played{};  // cards of collected tricks
  std::array<unsigned, 5> table{};   // cards of the current trick

  SeatKnowledge knowledge;  // the seat's own copy

  int trick_pos = 1;
  int led = kNoSuitIndex;
  std::array<TableCard, 3> stol{};  // cards 1 and 2 of the trick at [1], [2]

  int zakaz = 0;
  bool decl_twenty = false;
  bool decl_forty = false;
  int defenders_points = 0;
};

PlayContext MakePlayContext(const GameState& view, int seat, const SeatKnowledge& knowledge);

// --- card look-ups -----------------------------------------------------------

inline bool Holds(const PlayContext& c, int suit, int order) {
  return (c.held[static_cast<std::size_t>(suit)] & RankBit(order)) != 0;
}
inline bool HoldsSuit(const PlayContext& c, int suit) { return c.held[static_cast<std::size_t>(suit)] != 0; }
inline bool IsPlayed(const PlayContext& c, int suit, int order) {
  return (c.played[static_cast<std::size_t>(suit)] & RankBit(order)) != 0;
}
int CountHeld(const PlayContext& c, int suit);
int CountPlayed(const PlayContext& c, int suit);
// Hand slot of a card, 0 when it is not held.
int SlotOf(const PlayContext& c, int suit, int order);
// Slot of the suit's lowest / highest held card; 0 when the suit is not held.
int LowestOf(const PlayContext& c, int suit);
int HighestOf(const PlayContext& c, int suit);
// Rank order of the suit's highest held card, 0 when none.
int MaxOrderOf(const PlayContext& c, int suit);
// The first slot holding a 9, else the first jack, ... else the first ace.
int LowestCard(const PlayContext& c);
// The first slot holding an ace, else the first ten, ... else the first nine.
int HighestCard(const PlayContext& c);
// Points of the highest-valued card in hand.
int TopPoints(const PlayContext& c);
// The lowest held card of the suit above rank order `above`, 0 when none.
int LowestAbove(const PlayContext& c, int suit, int above);
// Trumps held plus trumps played.
int Accounted(const PlayContext& c);
// The first and second side suit in which the seat holds K and Q, or -1.
int MarriageSide(const PlayContext& c, int which);

// --- shared choosing routines -------------------------------------------------

int LeadMasterTrump(const PlayContext& c);
int LeadMasterSide(const PlayContext& c);
int LeadShortOrLow(const PlayContext& c);
int LowDiscard(const PlayContext& c, int excluded_suit);
// The first slot holding a side card that is the only held card of its suit.
int FirstSingletonSide(const PlayContext& c);

enum class DiscardMode { Plain = 0, Feed = 1 };
// A card to throw when the seat cannot follow suit and holds no trump (or,
// holding the led suit, its lowest card). With Feed the card goes onto a
// trick the partner wins and must be worth at least `needed` points.
int ChooseDiscard(const PlayContext& c, DiscardMode mode, int needed);

// The card with which the declarer beats: from its cards of `suit` above
// rank order `target` (0 = every card of the suit).
int BeatChoice(const PlayContext& c, int suit, int target);

struct MarriageEstimate {
  int twenty = 0;
  int forty = 0;
};
// The marriage points the declarer may still score, by the order and what
// it has announced.
MarriageEstimate DeclMarriageEstimate(int zakaz, bool decl_twenty, bool decl_forty);
// The defenders defeat the order when their points pass this.
int SetThreshold(int zakaz, bool decl_twenty, bool decl_forty);
inline int SetThreshold(const PlayContext& c) { return SetThreshold(c.zakaz, c.decl_twenty, c.decl_forty); }

}  // namespace varnok::ai
