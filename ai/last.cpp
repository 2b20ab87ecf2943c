// The computer playing the last card of a trick, with both table cards seen.
#include <algorithm>
#include <bit>

#include "card_play.h"

namespace varnok::ai {

namespace {

std::size_t U(int i) { return static_cast<std::size_t>(i); }

// The trick as the last hand sees it.
struct Trick {
  int l;   // led suit
  int t;   // trump
  int s2;  // suit of card 2
  int o1;
  int o2;
  int points;  // of both table cards
  bool hold_l;
  bool hold_t;
  bool decl_led;
  bool decl_winning;
};

Trick ReadTrick(const PlayContext& c) {
  const TableCard& a = c.stol[1];
  const TableCard& b = c.stol[2];
  Trick k{};
  k.l = c.led;
  k.t = c.trump;
  k.s2 = b.suit;
  k.o1 = a.order;
  k.o2 = b.order;
  k.points = a.points + b.points;
  k.hold_l = HoldsSuit(c, k.l);
  k.hold_t = HoldsSuit(c, k.t);
  k.decl_led = c.leader == c.declarer;
  bool second_better = false;
  if (a.suit == b.suit) second_better = b.order > a.order;
  else second_better = b.suit == k.t;
  k.decl_winning = k.decl_led != second_better;
  return k;
}

int DeclarerLast(const PlayContext& c, const Trick& k) {
  const int max_l = MaxOrderOf(c, k.l);
  const int max_t = MaxOrderOf(c, k.t);
  if (!k.hold_l && !k.hold_t) return LowestCard(c);
  if (k.l == k.t && k.s2 == k.t && k.hold_t && (max_t < k.o1 || max_t < k.o2)) return LowestOf(c, k.t);
  if (k.l == k.t && k.s2 != k.t && k.hold_t && max_t < k.o1) return LowestOf(c, k.t);
  if (k.l != k.t && k.s2 == k.t && k.hold_l) return LowestOf(c, k.l);
  if (k.l != k.t && k.s2 == k.l && k.hold_l && (max_l < k.o1 || max_l < k.o2)) return LowestOf(c, k.l);
  if (k.l != k.t && k.s2 != k.t && k.s2 != k.l && k.hold_l && max_l < k.o1) return LowestOf(c, k.l);
  // Void in a side suit that the second hand trumped: only card 2 is a trump.
  if (k.l != k.t && k.s2 == k.t && !k.hold_l && k.hold_t && max_t < k.o2) return LowestOf(c, k.t);

  if (k.l == k.t) return BeatChoice(c, k.t, k.s2 == k.t ? std::max(k.o1, k.o2) : k.o1);
  if (k.s2 == k.t) return BeatChoice(c, k.t, k.o2);
  if (k.hold_l) return BeatChoice(c, k.l, k.s2 == k.l ? std::max(k.o1, k.o2) : k.o1);
  return BeatChoice(c, k.t, 0);
}

// Low cards of the suit led (or of trumps when trumps were led) when the
// seat cannot take the trick from the card that wins it.
int TrumpsCannotWin(const PlayContext& c, const Trick& k) {
  const int max_t = MaxOrderOf(c, k.t);
  if (k.l == k.t && k.s2 == k.t && k.hold_t && (max_t < k.o1 || max_t < k.o2)) return LowestOf(c, k.t);
  if (k.l == k.t && k.s2 != k.t && k.hold_t && max_t < k.o1) return LowestOf(c, k.t);
  return 0;
}

int DeclarerWinsLow(const PlayContext& c, const Trick& k) {
  if (const int slot = TrumpsCannotWin(c, k)) return slot;
  if (k.l == k.t || !k.hold_l) return 0;
  const int max_l = MaxOrderOf(c, k.l);
  if (k.s2 == k.t) return LowestOf(c, k.l);
  if (k.s2 == k.l && (max_l < k.o1 || max_l < k.o2)) return LowestOf(c, k.l);
  if (k.s2 != k.l && max_l < k.o1) return LowestOf(c, k.l);
  return 0;
}

// The partner wins: give it as many points as it takes to defeat the order,
// else the lowest card.
int PartnerWins(const PlayContext& c, const Trick& k) {
  if (const int slot = TrumpsCannotWin(c, k)) return slot;
  if (k.l == k.t || !k.hold_l) return 0;
  const int max_l = MaxOrderOf(c, k.l);
  const bool feed = k.s2 == k.t || (k.s2 == k.l && (max_l < k.o1 || max_l < k.o2)) || (k.s2 != k.t && max_l < k.o1);
  if (!feed) return 0;
  const int threshold = SetThreshold(c);
  const int hp = kPointsByOrder[U(max_l)];
  if (hp + k.points + c.defenders_points > threshold) {
    const int n = threshold - k.points - c.defenders_points + 1;
    for (int o = kOrder9; o <= kOrderA; ++o)
      if (Holds(c, k.l, o) && kPointsByOrder[U(o)] >= n) return SlotOf(c, k.l, o);
  }
  return LowestOf(c, k.l);
}

// Trumps led and followed with trumps.
int TrumpsOnTrumps(const PlayContext& c, const Trick& k) {
  if (CountHeld(c, k.t) == 1) return LowestOf(c, k.t);
  for (int o = std::max(k.o1, k.o2) + 1; o < kOrderA; ++o)
    if (Holds(c, k.t, o)) return SlotOf(c, k.t, o);
  if (k.decl_led && k.o1 < k.o2)
    for (int i = 1; i <= 8; ++i)
      if (c.slot_suit[U(i)] == k.t && c.slot_order[U(i)] != kOrderA && c.slot_order[U(i)] < k.o2) return i;
  return HighestOf(c, k.t);
}

// The partner led a side suit and the declarer trumped it.
int OvertrumpDeclarer(const PlayContext& c, const Trick& k) {
  const int t = k.t;
  const bool ten_with_guard =
      Holds(c, t, kOrder10) && (Holds(c, t, kOrderJ) || Holds(c, t, kOrderQ) || Holds(c, t, kOrderK));
  if (ten_with_guard && !Holds(c, t, kOrderA) && k.o2 != kOrderA && !IsPlayed(c, t, kOrderA))
    return SlotOf(c, t, kOrder10);
  return LowestAbove(c, t, k.o2);
}

bool TableRanksMatch(const FollowRow& row, const Trick& k) {
  if (row.decl_rank == 0) return true;
  if (k.o1 == row.decl_rank && k.o2 == row.partner_rank) return true;
  return row.either_order && k.o1 == row.partner_rank && k.o2 == row.decl_rank;
}

// The declarer led a side suit and the partner followed.
int FollowDeclarerLead(const PlayContext& c, const Trick& k) {
  const unsigned held = c.held[U(k.l)];
  const unsigned inside = SuitRanks(c.knowledge.KnownDeclCards, k.l);
  const unsigned seen = c.table[U(k.l)] | c.played[U(k.l)];
  const int pattern = HoldingPatternOfMask(held);
  for (const FollowRow& row : FollowRows()) {
    if (!TableRanksMatch(row, k)) continue;
    if (row.pattern != 0 && row.pattern != pattern) continue;
    if ((held & row.held) != row.held || (held & row.not_held) != 0) continue;
    if (row.inside_any != 0 && (inside & row.inside_any) == 0) continue;
    if (row.ten_unseen && (seen & RankBit(kOrder10)) != 0) continue;
    if (row.play == kPlayLowest) return LowestOf(c, k.l);
    if (row.play == kPlayHighest) return HighestOf(c, k.l);
    return SlotOf(c, k.l, row.play);
  }
  return HighestOf(c, k.l);
}

// The declarer led a side suit and the partner could not follow: every
// card of the suit the seat does not see is in the declarer's hand.
int DeclarerLeadPartnerVoid(const PlayContext& c, const Trick& k) {
  const unsigned held = c.held[U(k.l)];
  const unsigned unseen = 63u & ~(held | c.played[U(k.l)] | c.table[U(k.l)]);
  const unsigned inside = SuitRanks(c.knowledge.KnownDeclCards, k.l) | unseen;
  const int played = std::popcount(c.played[U(k.l)]);
  for (const VoidPartnerRow& row : VoidPartnerRows())
    if (row.decl_rank == k.o1 && row.played == played && (inside & row.inside) == row.inside &&
        (held & row.held) == row.held)
      return SlotOf(c, k.l, row.play);
  return HighestOf(c, k.l);
}

int DefenderLast(const PlayContext& c, const Trick& k) {
  const bool side_led = k.l != k.t;
  if (!k.hold_l && !k.hold_t) {
    if (k.decl_winning) return ChooseDiscard(c, DiscardMode::Plain, 0);
    const int threshold = SetThreshold(c);
    if (TopPoints(c) + k.points + c.defenders_points > threshold)
      return ChooseDiscard(c, DiscardMode::Feed, threshold - k.points - c.defenders_points + 1);
    return ChooseDiscard(c, DiscardMode::Plain, 0);
  }
  if (k.decl_winning) {
    if (const int slot = DeclarerWinsLow(c, k)) return slot;
  } else {
    if (const int slot = PartnerWins(c, k)) return slot;
  }

  if (k.l == k.t && k.s2 == k.t && k.hold_t) return TrumpsOnTrumps(c, k);
  if (k.l == k.t && k.decl_led && k.s2 != k.t && k.hold_t)
    if (const int slot = LowestAbove(c, k.t, k.o1)) return slot;
  if (side_led && k.decl_led && k.s2 == k.t && !k.hold_l && k.hold_t) return HighestOf(c, k.t);
  if (side_led && !k.decl_led && k.s2 == k.t && !k.hold_l && k.hold_t)
    if (const int slot = OvertrumpDeclarer(c, k)) return slot;
  if (side_led && k.decl_led && k.s2 == k.l && k.hold_l) return FollowDeclarerLead(c, k);
  if (side_led && k.decl_led && k.s2 != k.l && k.hold_l) return DeclarerLeadPartnerVoid(c, k);
  if (side_led && !k.decl_led && k.s2 != k.l && k.hold_l)
    if (const int slot = LowestAbove(c, k.l, k.o1)) return slot;

  // The last general rule always yields a card here, so the rule for a side
  // suit that nobody trumped (ten of trumps with a guard, else the lowest
  // trump) is never reached: a seat void in the suit plays its lowest trump.
  return k.hold_l ? HighestOf(c, k.l) : LowestOf(c, k.t);
}

}  // namespace

int ChooseLast(const PlayContext& c) {
  const Trick k = ReadTrick(c);
  return c.seat == c.declarer ? DeclarerLast(c, k) : DefenderLast(c, k);
}

}  // namespace varnok::ai
