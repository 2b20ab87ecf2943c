// The computer playing the second card of a trick.
#include "card_play.h"

namespace varnok::ai {

namespace {

int DeclarerSecond(const PlayContext& c) {
  const TableCard& led = c.stol[1];
  const int t = c.trump;
  const bool follows = HoldsSuit(c, c.led);
  if (!follows && !HoldsSuit(c, t)) return LowestCard(c);
  if (follows && MaxOrderOf(c, c.led) < led.order) return LowestOf(c, c.led);
  if (c.led == t) return BeatChoice(c, t, led.order);
  if (follows) return BeatChoice(c, c.led, led.order);
  return BeatChoice(c, t, 0);
}

// A defender following suit: by the rank led and by who led it.
int DefenderFollows(const PlayContext& c, bool partner_led) {
  const int s = c.led;
  const int led = c.stol[1].order;
  const bool ace = Holds(c, s, kOrderA);
  const bool ten = Holds(c, s, kOrder10);
  const bool king = Holds(c, s, kOrderK);
  const bool ten_played = IsPlayed(c, s, kOrder10);
  const bool single = CountHeld(c, s) == 1;
  const int ace_slot = SlotOf(c, s, kOrderA);
  const int ten_slot = SlotOf(c, s, kOrder10);
  const int low = LowestOf(c, s);

  switch (led) {
    case kOrderA: return low;
    case kOrder10: return ace ? ace_slot : low;
    case kOrderK:
      if (MaxOrderOf(c, s) < kOrderK) return low;
      if (ace && ten) return ace_slot;
      if (ace && ten_played) return ace_slot;
      if (ten && IsPlayed(c, s, kOrderA)) return ten_slot;
      if (ten && single) return ten_slot;
      if (ace && single) return ace_slot;
      if (partner_led) return HighestOf(c, s);
      return ten ? ten_slot : low;
    case kOrderQ:
      if (MaxOrderOf(c, s) < kOrderQ) return low;
      if (single) return low;
      if (ace && ten) return ace_slot;
      if (king && ten) return ten_slot;
      if (ace && king) return ten_played ? ace_slot : SlotOf(c, s, kOrderK);
      if (!partner_led && ten) return ten_slot;
      return low;
    default:  // a jack or a nine
      if (partner_led) return HighestOf(c, s);
      if (single) return low;
      if (ten && !ace) return ten_slot;
      if (ten && ace) return ace_slot;
      return low;
  }
}

// The points the other defender is known to take from the declarer's lead:
// the led card and the highest card above it that is known to lie outside
// the declarer's hand and is still out.
int PartnerTakes(const PlayContext& c) {
  const TableCard& led = c.stol[1];
  int v = 0;
  for (int x = led.order + 1; x <= kOrderA; ++x)
    if (Contains(c.knowledge.KnownNotDeclCards, x + 6 * c.led) && !IsPlayed(c, c.led, x))
      v = led.points + kPointsByOrder[static_cast<std::size_t>(x)];
  return v;
}

int DefenderSecond(const PlayContext& c, bool partner_led) {
  if (HoldsSuit(c, c.led)) return DefenderFollows(c, partner_led);
  if (c.led == c.trump) return ChooseDiscard(c, DiscardMode::Plain, 0);
  if (HoldsSuit(c, c.trump)) return LowestOf(c, c.trump);
  if (partner_led) return ChooseDiscard(c, DiscardMode::Plain, 0);

  const int v = PartnerTakes(c);
  const int threshold = SetThreshold(c);
  if (v > 0 && TopPoints(c) + v + c.defenders_points > threshold)
    return ChooseDiscard(c, DiscardMode::Feed, threshold - v - c.defenders_points + 1);
  return ChooseDiscard(c, DiscardMode::Plain, 0);
}

}  // namespace

int ChooseSecond(const PlayContext& c) {
  if (c.seat == c.declarer) return DeclarerSecond(c);
  return DefenderSecond(c, c.leader != c.declarer);
}

}  // namespace varnok::ai
