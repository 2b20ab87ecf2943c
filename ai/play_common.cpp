#include "play_common.h"

#include <bit>

namespace varnok::ai {

namespace {

std::size_t U(int i) { return static_cast<std::size_t>(i); }

int SuitIndexOrNone(std::uint8_t letter) {
  const int s = SuitIndex(letter);
  return s < 0 ? kNoSuitIndex : s;
}

// Ranks strictly above rank order `order`.
constexpr unsigned RanksAbove(int order) { return order >= 6 ? 0u : (63u << order) & 63u; }

}  // namespace

PlayContext MakePlayContext(const GameState& view, int seat, const SeatKnowledge& knowledge) {
  PlayContext c;
  c.seat = seat;
  c.declarer = view.Declarer;
  c.leader = view.Leader;
  c.trump = SuitIndexOrNone(view.Trump);
  int n = 0;
  for (int s = 0; s < 4 && n < 3; ++s)
    if (s != c.trump) c.side[U(n++)] = s;

  c.slot_suit.fill(kNoSuitIndex);
  const TCardList& hand = view.Hands[static_cast<std::size_t>(seat)];
  for (int i = 1; i <= kHandRange; ++i) {
    const int ordinal = CardIndex(hand[i]);
    if (ordinal == 0) continue;
    const int suit = (ordinal - 1) / 6;
    const int order = (ordinal - 1) % 6 + 1;
    c.slot_suit[U(i)] = static_cast<std::uint8_t>(suit);
    c.slot_order[U(i)] = static_cast<std::uint8_t>(order);
    if (c.slot_of[U(ordinal)] == 0) c.slot_of[U(ordinal)] = static_cast<std::uint8_t>(i);
    c.held[U(suit)] |= RankBit(order);
  }
  for (int i = 1; i <= kDeckRange; ++i) {
    const int ordinal = CardIndex(view.PlayedCards[i]);
    if (ordinal != 0) c.played[U((ordinal - 1) / 6)] |= RankBit((ordinal - 1) % 6 + 1);
  }
  for (int i = 1; i <= 3; ++i) {
    const int ordinal = CardIndex(view.Stol[i]);
    if (ordinal == 0) continue;
    const int suit = (ordinal - 1) / 6;
    const int order = (ordinal - 1) % 6 + 1;
    c.table[U(suit)] |= RankBit(order);
    if (i <= 2) c.stol[U(i)] = TableCard{suit, order, kPointsByOrder[U(order)]};
  }

  c.knowledge = knowledge;
  c.trick_pos = view.TrickPos;
  c.led = SuitIndexOrNone(view.LedSuit);
  c.zakaz = view.Zakaz;
  c.decl_twenty = view.DeclTwenty;
  c.decl_forty = view.DeclForty;
  for (int s = 1; s <= 3; ++s)
    if (s != c.declarer) c.defenders_points += view.CardPoints[U(s)];
  return c;
}

// --- card look-ups -----------------------------------------------------------

int CountHeld(const PlayContext& c, int suit) { return std::popcount(c.held[U(suit)]); }
int CountPlayed(const PlayContext& c, int suit) { return std::popcount(c.played[U(suit)]); }

int SlotOf(const PlayContext& c, int suit, int order) {
  if (suit < 0 || suit > 3 || order < 1 || order > 6) return 0;
  return c.slot_of[U(order + 6 * suit)];
}

int LowestOf(const PlayContext& c, int suit) {
  const unsigned m = c.held[U(suit)];
  return m ? SlotOf(c, suit, std::countr_zero(m) + 1) : 0;
}

int HighestOf(const PlayContext& c, int suit) {
  const int top = MaxOrderOf(c, suit);
  return top ? SlotOf(c, suit, top) : 0;
}

int MaxOrderOf(const PlayContext& c, int suit) { return std::bit_width(c.held[U(suit)]); }

int LowestCard(const PlayContext& c) {
  for (int order = 1; order <= 6; ++order)
    for (int i = 1; i <= kHandRange; ++i)
      if (c.slot_order[U(i)] == order) return i;
  return 0;
}

int HighestCard(const PlayContext& c) {
  for (int order = 6; order >= 1; --order)
    for (int i = 1; i <= kHandRange; ++i)
      if (c.slot_order[U(i)] == order) return i;
  return 0;
}

int TopPoints(const PlayContext& c) {
  const int slot = HighestCard(c);
  return slot ? kPointsByOrder[c.slot_order[U(slot)]] : 0;
}

int LowestAbove(const PlayContext& c, int suit, int above) {
  const unsigned m = c.held[U(suit)] & RanksAbove(above);
  return m ? SlotOf(c, suit, std::countr_zero(m) + 1) : 0;
}

int Accounted(const PlayContext& c) { return CountHeld(c, c.trump) + CountPlayed(c, c.trump); }

int MarriageSide(const PlayContext& c, int which) {
  const unsigned kq = RankBit(kOrderK) | RankBit(kOrderQ);
  int found = 0;
  for (int s : c.side)
    if ((c.held[U(s)] & kq) == kq && ++found == which) return s;
  return -1;
}

// --- shared choosing routines -------------------------------------------------

int LeadMasterTrump(const PlayContext& c) {
  if (!HoldsSuit(c, c.trump) || Accounted(c) >= 6) return 0;
  // The ace, else the ten once the ace is gone, ... down to the jack.
  for (int order = kOrderA; order >= kOrderJ; --order) {
    const unsigned above = RanksAbove(order);
    if (Holds(c, c.trump, order) && (c.played[U(c.trump)] & above) == above) return SlotOf(c, c.trump, order);
  }
  return 0;
}

int LeadMasterSide(const PlayContext& c) {
  for (int order = kOrderA; order >= kOrder9; --order) {
    const unsigned above = RanksAbove(order);
    for (int s : c.side)
      if (Holds(c, s, order) && (c.played[U(s)] & above) == above) return SlotOf(c, s, order);
  }
  return 0;
}

int FirstSingletonSide(const PlayContext& c) {
  for (int i = 1; i <= kHandRange; ++i) {
    const int s = c.slot_suit[U(i)];
    if (s != kNoSuitIndex && s != c.trump && CountHeld(c, s) == 1) return i;
  }
  return 0;
}

int LeadShortOrLow(const PlayContext& c) {
  if (const int slot = FirstSingletonSide(c)) return slot;
  bool side_card = false;
  for (int s : c.side) side_card = side_card || HoldsSuit(c, s);
  if (side_card) return LowDiscard(c, c.trump);
  return LowestCard(c);
}

int LowDiscard(const PlayContext& c, int excluded_suit) {
  // Each test runs over the whole hand before the next one is tried.
  auto first = [&](auto&& test) {
    for (int i = 1; i <= kHandRange; ++i) {
      const int s = c.slot_suit[U(i)];
      if (s != kNoSuitIndex && s != excluded_suit && test(s, c.slot_order[U(i)])) return i;
    }
    return 0;
  };
  for (int order : {kOrder9, kOrderJ, kOrderQ, kOrderK})
    if (int slot = first([&](int s, int o) { return o == order && CountHeld(c, s) == 1; })) return slot;
  for (int order : {kOrder9, kOrderJ})
    if (int slot = first([&](int s, int o) { return o == order && CountHeld(c, s) == 2 && !Holds(c, s, kOrder10); }))
      return slot;
  for (int order : {kOrder9, kOrderJ, kOrderQ, kOrderK, kOrder10})
    if (int slot = first([&](int, int o) { return o == order; })) return slot;
  return 0;
}

namespace {

bool RuleMatches(const DiscardRule& rule, const PlayContext& c, int suit) {
  const unsigned outside = SuitRanks(c.knowledge.KnownNotDeclCards, suit);
  const unsigned inside = SuitRanks(c.knowledge.KnownDeclCards, suit);
  const unsigned gone = c.played[U(suit)] | c.table[U(suit)];
  const unsigned r = rule.ranks;
  switch (rule.cond) {
    case DiscardCond::Always: return true;
    case DiscardCond::AnyOutside: return (outside & r) != 0;
    case DiscardCond::AllOutside: return (outside & r) == r;
    case DiscardCond::UnlessAllInside: return (inside & r) != r;
    case DiscardCond::AllGone: return (gone & r) == r;
  }
  return false;
}

}  // namespace

int ChooseDiscard(const PlayContext& c, DiscardMode mode, int needed) {
  if (HoldsSuit(c, c.led)) return LowestOf(c, c.led);
  std::array<int, 3> pattern{};
  for (std::size_t k = 0; k < 3; ++k) pattern[k] = HoldingPatternOfMask(c.held[U(c.side[k])]);

  for (int pass = 1; pass <= kDiscardPassCount; ++pass) {
    const DiscardPass p = DiscardPassOf(pass);
    int proposal = 0;  // a later suit's proposal replaces an earlier one
    for (std::size_t k = 0; k < 3; ++k) {
      const DiscardRule* rule = DiscardRuleFor(pass, pattern[k]);
      if (rule && RuleMatches(*rule, c, c.side[k])) proposal = SlotOf(c, c.side[k], p.rank);
    }
    if (proposal && (mode == DiscardMode::Plain || needed <= p.limit)) return proposal;
  }
  return mode == DiscardMode::Plain ? LowestCard(c) : HighestCard(c);
}

int BeatChoice(const PlayContext& c, int suit, int target) {
  const unsigned beating = c.held[U(suit)] & RanksAbove(target);
  const int rank = BeatChoiceRank(HoldingPatternOfMask(beating), IsPlayed(c, suit, kOrderA));
  return SlotOf(c, suit, rank);
}

MarriageEstimate DeclMarriageEstimate(int zakaz, bool decl_twenty, bool decl_forty) {
  MarriageEstimate e;
  if (zakaz >= 110) e.forty = 40;
  if (zakaz >= 155) e.twenty = 20;
  if (decl_forty) e.forty = 40;
  if (decl_twenty) e.twenty = 20;
  if (decl_twenty && !decl_forty && zakaz <= 140) e.forty = 0;
  return e;
}

int SetThreshold(int zakaz, bool decl_twenty, bool decl_forty) {
  const MarriageEstimate e = DeclMarriageEstimate(zakaz, decl_twenty, decl_forty);
  return 120 + e.twenty + e.forty - zakaz;
}

}  // namespace varnok::ai
