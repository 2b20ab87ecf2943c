// The computer's bid limit and declarer plan.
//
// Inside, a hand is four rank masks, one per suit (bit 0 = nine ... bit 5 =
// ace), and every table is looked up by mask. The bid limit tries 680 widows,
// so its loop does nothing but OR masks and read small tables.
#include "bidding.h"

#include <algorithm>
#include <array>

#include "bid_tables.h"

namespace varnok::ai {
namespace {

// Marks a holding with no trump row, and a gift that a holding cannot give.
constexpr std::uint8_t kNoRow = 255;
constexpr int kImpossible = -1000;
// The progress strip advances whenever count / 17 (rounded) changes.
constexpr int kProgressDivisor = 17;

struct MaskTables {
  std::array<std::uint8_t, 64> priority{};    // trump priority 1..42, kNoRow below three cards
  std::array<std::int16_t, 64> trump_value{};
  std::array<std::int16_t, 64> side{};        // side value of the holding
  std::array<std::int16_t, 64> side_less1{};  // best side value after giving one card of it
  std::array<std::int16_t, 64> side_less2{};  // best side value after giving two cards of it
};

MaskTables BuildMaskTables() {
  MaskTables t;
  t.priority.fill(kNoRow);
  for (int row = 0; row < kTrumpPreferenceRows; ++row) {
    const unsigned mask = RankMaskOfPattern(TrumpPreference[static_cast<std::size_t>(row)].pattern);
    t.priority[mask] = static_cast<std::uint8_t>(row + 1);
    t.trump_value[mask] = static_cast<std::int16_t>(TrumpPreference[static_cast<std::size_t>(row)].trump_value);
  }
  for (unsigned mask = 0; mask < 64; ++mask)
    t.side[mask] = static_cast<std::int16_t>(SideValue[static_cast<std::size_t>(HoldingPatternOfMask(mask))]);
  for (unsigned mask = 0; mask < 64; ++mask) {
    int less1 = kImpossible;
    int less2 = kImpossible;
    for (unsigned b1 = 1; b1 < 64; b1 <<= 1) {
      if ((mask & b1) == 0) continue;
      less1 = std::max<int>(less1, t.side[mask & ~b1]);
      for (unsigned b2 = b1 << 1; b2 < 64; b2 <<= 1) {
        if ((mask & b2) != 0) less2 = std::max<int>(less2, t.side[mask & ~b1 & ~b2]);
      }
    }
    t.side_less1[mask] = static_cast<std::int16_t>(less1);
    t.side_less2[mask] = static_cast<std::int16_t>(less2);
  }
  return t;
}

const MaskTables& Tables() {
  static const MaskTables tables = BuildMaskTables();
  return tables;
}

// Suit index 0..3 and rank bit of a real card; false for "##" or a stray code.
bool SuitAndBit(TCard card, int& suit, unsigned& bit) {
  const int ordinal = CardIndex(card);
  if (ordinal == 0) return false;
  suit = (ordinal - 1) / 6;
  bit = 1u << ((ordinal - 1) % 6);
  return true;
}

// The suit index the hand makes trump: the lowest priority row, the first
// suit on equal rows; -1 when no suit holds three cards.
int TrumpSuitOf(const MaskTables& t, const std::array<unsigned, 4>& masks) {
  int trump = -1;
  int best = kNoRow;
  for (int s = 0; s < 4; ++s) {
    const int priority = t.priority[masks[static_cast<std::size_t>(s)]];
    if (priority < best) {
      best = priority;
      trump = s;
    }
  }
  return trump;
}

// The value of ten cards packed as four 8-bit rank masks (suit s in bits
// 8s..8s+5), with the widow floor. Gives the same value as EvaluateHand:
// the best gift either takes two cards of one side suit or one card each of
// two side suits.
int PackedHandValue(const MaskTables& t, std::uint32_t packed) {
  const unsigned m0 = packed & 63u;
  const unsigned m1 = (packed >> 8) & 63u;
  const unsigned m2 = (packed >> 16) & 63u;
  const unsigned m3 = (packed >> 24) & 63u;
  // Priority * 4 + suit: the smallest key is the trump, hearts first on equal rows.
  const unsigned k0 = t.priority[m0] * 4u;
  const unsigned k1 = t.priority[m1] * 4u + 1;
  const unsigned k2 = t.priority[m2] * 4u + 2;
  const unsigned k3 = t.priority[m3] * 4u + 3;
  const unsigned key = std::min(std::min(k0, k1), std::min(k2, k3));
  unsigned trump_mask, a, b, c;
  switch (key & 3u) {
    case 0: trump_mask = m0; a = m1; b = m2; c = m3; break;
    case 1: trump_mask = m1; a = m0; b = m2; c = m3; break;
    case 2: trump_mask = m2; a = m0; b = m1; c = m3; break;
    default: trump_mask = m3; a = m0; b = m1; c = m2; break;
  }
  const int sa = t.side[a], sb = t.side[b], sc = t.side[c];
  const int a1 = t.side_less1[a], b1 = t.side_less1[b], c1 = t.side_less1[c];
  int best = std::max({t.side_less2[a] + sb + sc, sa + t.side_less2[b] + sc, sa + sb + t.side_less2[c],
                       a1 + b1 + sc, a1 + sb + c1, sa + b1 + c1});
  best = std::max(best, kSideSumStart);
  return std::max(kWidowFloor, t.trump_value[trump_mask] + best);
}

}  // namespace

HandEvaluation EvaluateHand(const TCardList& hand, int floor) {
  const MaskTables& t = Tables();
  std::array<unsigned, 4> masks{};
  for (int slot = 1; slot <= kHandRange; ++slot) {
    int suit;
    unsigned bit;
    if (SuitAndBit(hand[slot], suit, bit)) masks[static_cast<std::size_t>(suit)] |= bit;
  }

  HandEvaluation result;
  const int trump = TrumpSuitOf(t, masks);
  if (trump >= 0) {
    result.trump = kSuits[static_cast<std::size_t>(trump)];
    result.trump_value = t.trump_value[masks[static_cast<std::size_t>(trump)]];
  }

  // Side cards c1..cN in hand order.
  std::array<int, kHandRange> side_slot{};
  std::array<int, kHandRange> side_suit{};
  std::array<unsigned, kHandRange> side_bit{};
  int n = 0;
  std::array<unsigned, 4> side_masks{};
  for (int slot = 1; slot <= kHandRange; ++slot) {
    int suit;
    unsigned bit;
    if (!SuitAndBit(hand[slot], suit, bit) || suit == trump) continue;
    side_slot[static_cast<std::size_t>(n)] = slot;
    side_suit[static_cast<std::size_t>(n)] = suit;
    side_bit[static_cast<std::size_t>(n)] = bit;
    side_masks[static_cast<std::size_t>(suit)] |= bit;
    ++n;
  }

  // The trump suit's side mask stays empty, so summing all four suits counts
  // only the side suits.
  int best = kSideSumStart;
  for (int b = n - 1; b >= 1; --b) {
    for (int a = b - 1; a >= 0; --a) {
      std::array<unsigned, 4> kept = side_masks;
      kept[static_cast<std::size_t>(side_suit[static_cast<std::size_t>(a)])] &= ~side_bit[static_cast<std::size_t>(a)];
      kept[static_cast<std::size_t>(side_suit[static_cast<std::size_t>(b)])] &= ~side_bit[static_cast<std::size_t>(b)];
      const int sum = t.side[kept[0]] + t.side[kept[1]] + t.side[kept[2]] + t.side[kept[3]];
      if (sum > best) {
        best = sum;
        result.give1 = side_slot[static_cast<std::size_t>(a)];
        result.give2 = side_slot[static_cast<std::size_t>(b)];
      }
    }
  }
  result.side_sum = best;
  result.value = std::max(floor, result.trump_value + best);
  return result;
}

MaxBidEstimate ComputeMaxBid(const TCardList& hand, const BidProgress& progress) {
  const MaskTables& t = Tables();

  // The seat's cards, and the unseen cards in ordinal order. Any order of
  // the unseen cards gives the same sum: a widow's value does not depend on
  // where its cards lie in the hand.
  std::uint32_t held = 0;
  for (int slot = 1; slot <= kHandRange; ++slot) {
    int suit;
    unsigned bit;
    if (SuitAndBit(hand[slot], suit, bit)) held |= static_cast<std::uint32_t>(bit) << (8 * suit);
  }
  std::array<std::uint32_t, 24> unseen{};
  int n = 0;
  for (int suit = 0; suit < 4; ++suit) {
    for (unsigned bit = 1; bit < 64; bit <<= 1) {
      const std::uint32_t card = static_cast<std::uint32_t>(bit) << (8 * suit);
      if ((held & card) == 0) unseen[static_cast<std::size_t>(n++)] = card;
    }
  }

  MaxBidEstimate estimate;
  long sum = 0;
  int count = 0;
  int step = 0;
  for (int i = 0; i < n; ++i) {
    const std::uint32_t with_i = held | unseen[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < n; ++j) {
      const std::uint32_t with_j = with_i | unseen[static_cast<std::size_t>(j)];
      for (int k = j + 1; k < n; ++k) {
        sum += PackedHandValue(t, with_j | unseen[static_cast<std::size_t>(k)]);
        ++count;
        // count / 17 rounded: 17 is odd, so there is never a half to break.
        const int reached = (2 * count + kProgressDivisor) / (2 * kProgressDivisor);
        if (reached != step) {
          step = reached;
          if (progress) progress(step);
        }
      }
    }
  }

  estimate.count = count;
  estimate.sum = sum;
  estimate.average = count > 0 ? RoundHalfToEven(sum, count) : kWidowFloor;
  estimate.max_bid = MaxBidOfAverage(estimate.average);
  return estimate;
}

int RoundHalfToEven(long numerator, long denominator) {
  const long quotient = numerator / denominator;
  const long twice_rest = 2 * (numerator % denominator);
  if (twice_rest > denominator || (twice_rest == denominator && quotient % 2 != 0))
    return static_cast<int>(quotient + 1);
  return static_cast<int>(quotient);
}

int MaxBidOfAverage(int average) {
  const int fives = average >= 0 ? average / 5 : -((-average + 4) / 5);
  return 5 * fives + 5;
}

std::string MaxBidCaption(int seat, const MaxBidEstimate& estimate) {
  return "  Say1+5=" + std::to_string(seat + 5) + "; l=" + std::to_string(estimate.count) +
         "; Zay=" + std::to_string(estimate.average) + "; ZayNew=" + std::to_string(estimate.max_bid);
}

DeclarerPlan PlanDeclarer(const GameState& view, int seat) {
  const HandEvaluation e = EvaluateHand(view.Hands[static_cast<std::size_t>(seat)], view.CurrentBid);
  DeclarerPlan plan;
  plan.give1 = e.give1;
  plan.give2 = e.give2;
  plan.trump = e.trump;
  plan.estimate = e.value;
  return plan;
}

}  // namespace varnok::ai
