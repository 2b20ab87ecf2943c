// The computer leading a trick.
#include <initializer_list>
#include <utility>

#include "card_play.h"

namespace varnok::ai {

namespace {

bool HasMarriageIn(const PlayContext& c, int suit) { return Holds(c, suit, kOrderK) && Holds(c, suit, kOrderQ); }

int DeclarerLead(const PlayContext& c) {
  const int t = c.trump;
  const int m1 = MarriageSide(c, 1);
  const int m2 = MarriageSide(c, 2);
  const bool trump_marriage = HasMarriageIn(c, t);

  if (!trump_marriage && m1 < 0) {
    if (const int slot = LeadMasterTrump(c)) return slot;
    if (const int slot = LeadMasterSide(c)) return slot;
    return LeadShortOrLow(c);
  }
  if (m1 < 0) return Holds(c, t, kOrderA) ? SlotOf(c, t, kOrderA) : SlotOf(c, t, kOrderQ);
  if (!trump_marriage) {
    if (const int slot = LeadMasterTrump(c)) return slot;
    if (Holds(c, m1, kOrderA)) return SlotOf(c, m1, kOrderA);
    if (m2 >= 0 && Holds(c, m2, kOrderA)) return SlotOf(c, m2, kOrderA);
    return SlotOf(c, m1, kOrderQ);
  }

  // Marriages in trumps and in a side suit: announce forty once the trump
  // ace and ten are no danger, else play the ace or show the side marriage.
  const bool ace_held = Holds(c, t, kOrderA);
  const bool ten_held = Holds(c, t, kOrder10);
  const bool ace_played = IsPlayed(c, t, kOrderA);
  const bool ten_played = IsPlayed(c, t, kOrder10);
  const int trump_queen = SlotOf(c, t, kOrderQ);
  if (ace_held && ten_held) return trump_queen;
  if (ace_held && ten_played) return trump_queen;
  if (ten_held && ace_played) return trump_queen;
  if (ace_played && ten_played) return trump_queen;
  if (ace_held && Accounted(c) == 5) return SlotOf(c, t, kOrderA);  // the ten is not played here
  if (ace_held && Holds(c, m1, kOrderA)) return SlotOf(c, t, kOrderA);
  if (ace_held) return SlotOf(c, m1, kOrderQ);
  return trump_queen;
}

// Leads a holding of a side suit that gives little away: the nine of
// Q J 9 or J 9, the king of 10 K, the jack of Q J.
int PatternLead(const PlayContext& c, const std::initializer_list<std::pair<int, int>>& table) {
  for (int s : c.side) {
    const int pattern = HoldingPatternOfMask(c.held[static_cast<std::size_t>(s)]);
    for (const auto& [p, rank] : table)
      if (pattern == p) return SlotOf(c, s, rank);
  }
  return 0;
}

int DefenderLead(const PlayContext& c) {
  const int t = c.trump;
  const bool bare_ace_king = Holds(c, t, kOrderA) && Holds(c, t, kOrderK) && CountHeld(c, t) == 2;
  if (!bare_ace_king)
    if (const int slot = LeadMasterTrump(c)) return slot;
  if (Accounted(c) == 6)
    if (const int slot = LeadMasterSide(c)) return slot;
  if (HasMarriageIn(c, t)) return SlotOf(c, t, kOrderQ);
  if (const int m1 = MarriageSide(c, 1); m1 >= 0) return SlotOf(c, m1, kOrderQ);
  for (std::uint8_t letter : c.knowledge.RuffedSuits) {
    const int s = SuitIndex(letter);
    if (s >= 0 && HoldsSuit(c, s)) return LowestOf(c, s);
  }
  if (const int slot = FirstSingletonSide(c)) return slot;
  if (const int slot = PatternLead(c, {{42, kOrder9}, {48, kOrderK}, {55, kOrderJ}, {57, kOrder9}})) return slot;
  if (const int slot = PatternLead(c, {{41, kOrderK}, {53, kOrderK}, {54, kOrderK}, {56, kOrderQ}})) return slot;
  if (const int slot = LeadMasterSide(c)) return slot;
  if (const int slot = LowDiscard(c, t)) return slot;
  return LowestCard(c);
}

}  // namespace

int ChooseLead(const PlayContext& c) { return c.seat == c.declarer ? DeclarerLead(c) : DefenderLead(c); }

}  // namespace varnok::ai
