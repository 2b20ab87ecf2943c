#include "cards.h"

#include <algorithm>

namespace varnok {

namespace {

// The numbered holding patterns, as the ranks present ("T" is the ten).
// Computer player tables are indexed by these numbers, so the order is fixed.
constexpr std::array<std::string_view, 64> kPatternRanks = {
    "T9JQKA", "T9JQK", "9JQKA", "T9JQA", "T9JKA", "T9QKA", "TJQKA", "9JQK",  //  1- 8
    "9JQA",   "T9JA",  "T9KA",  "TQKA",  "T9JQ",  "T9JK",  "T9QK",  "TJQK",  //  9-16
    "9JKA",   "9QKA",  "JQKA",  "T9QA",  "TJQA",  "TJKA",  "TKA",   "TQA",   // 17-24
    "TJA",    "T9A",   "QKA",   "JKA",   "9KA",   "JQA",   "9QA",   "9JA",   // 25-32
    "TQK",    "TJK",   "T9K",   "TJQ",   "T9Q",   "T9J",   "JQK",   "9QK",   // 33-40
    "9JK",    "9JQ",   "9A",    "JA",    "QA",    "KA",    "TA",    "TK",    // 41-48
    "TQ",     "TJ",    "T9",    "QK",    "JK",    "9K",    "JQ",    "9Q",    // 49-56
    "9J",     "A",     "T",     "K",     "Q",     "J",     "9",     "",      // 57-64
};

constexpr unsigned MaskOfRankText(std::string_view ranks) {
  unsigned mask = 0;
  for (char c : ranks) {
    switch (c) {
      case '9': mask |= 1u << 0; break;
      case 'J': mask |= 1u << 1; break;
      case 'Q': mask |= 1u << 2; break;
      case 'K': mask |= 1u << 3; break;
      case 'T': mask |= 1u << 4; break;
      case 'A': mask |= 1u << 5; break;
      default: break;
    }
  }
  return mask;
}

struct PatternTables {
  std::array<std::uint8_t, 64> by_mask{};    // rank mask -> pattern number
  std::array<std::uint8_t, 65> mask_of{};    // pattern number -> rank mask
};

constexpr PatternTables MakePatternTables() {
  PatternTables t{};
  for (int i = 0; i < 64; ++i) {
    const unsigned mask = MaskOfRankText(kPatternRanks[static_cast<std::size_t>(i)]);
    t.by_mask[mask] = static_cast<std::uint8_t>(i + 1);
    t.mask_of[static_cast<std::size_t>(i + 1)] = static_cast<std::uint8_t>(mask);
  }
  return t;
}

constexpr PatternTables kPatterns = MakePatternTables();

// Every subset of the six ranks must appear exactly once.
constexpr bool PatternsComplete() {
  for (std::uint8_t n : kPatterns.by_mask)
    if (n == 0) return false;
  return true;
}
static_assert(PatternsComplete(), "holding pattern table must cover all 64 subsets");

// Rank letters scanned from the lowest up (9, J, Q, K, 10, A).
constexpr std::array<std::uint8_t, 6> kLowToHigh = {kRank9, kRankJ, kRankQ, kRankK, kRank10, kRankA};
constexpr std::array<std::uint8_t, 6> kHighToLow = {kRankA, kRank10, kRankK, kRankQ, kRankJ, kRank9};

bool SameCard(const TCard& a, const TCard& b) { return a == b; }

int FirstSlotOf(const TCardList& list, int range, auto&& pred) {
  for (int i = 1; i <= range; ++i)
    if (pred(list[i])) return i;
  return 0;
}

int CountOf(const TCardList& list, int range, auto&& pred) {
  int n = 0;
  for (int i = 1; i <= range; ++i)
    if (pred(list[i])) ++n;
  return n;
}

}  // namespace

bool TCard::IsReal() const { return len == 2 && RankOrder(rank) != 0 && SuitIndex(suit) >= 0; }

int RankOrder(std::uint8_t rank_letter) {
  for (int o = 1; o <= 6; ++o)
    if (kRankByOrder[static_cast<std::size_t>(o)] == rank_letter) return o;
  return 0;
}

int RankPoints(std::uint8_t rank_letter) { return kPointsByOrder[static_cast<std::size_t>(RankOrder(rank_letter))]; }

int SuitIndex(std::uint8_t suit_letter) {
  for (int i = 0; i < 4; ++i)
    if (kSuits[static_cast<std::size_t>(i)] == suit_letter) return i;
  return -1;
}

TCardList EmptyCardList() {
  TCardList list;
  list.cells.fill(TCard::Empty());
  return list;
}

TByteList EmptyCompanions() {
  TByteList list;
  list.cells.fill(kEmptyCompanion);
  return list;
}

bool HasCard(TCard card, const TCardList& list) {
  return FirstSlotOf(list, kHandRange, [&](const TCard& c) { return SameCard(c, card); }) != 0;
}

bool HasCard24(TCard card, const TCardList& list) { return CardPos24(card, list) != 0; }

bool HasCard4(TCard card, const TCardList& table) {
  return FirstSlotOf(table, kTableRange, [&](const TCard& c) { return SameCard(c, card); }) != 0;
}

int CardPos24(TCard card, const TCardList& list) {
  int pos = 0;  // the last slot wins when a card occurs twice
  for (int i = 1; i <= kDeckRange; ++i)
    if (SameCard(list[i], card)) pos = i;
  return pos;
}

bool HasSuit(const TCardList& list, std::uint8_t suit) { return CountSuit(list, suit) > 0; }

int CountSuit(const TCardList& list, std::uint8_t suit) {
  return CountOf(list, kHandRange, [&](const TCard& c) { return c.suit == suit; });
}

int CountSuit24(const TCardList& list, std::uint8_t suit) {
  return CountOf(list, kDeckRange, [&](const TCard& c) { return c.suit == suit; });
}

int LowestCard(const TCardList& list) {
  for (std::uint8_t r : kLowToHigh)
    if (int s = FirstSlotOf(list, kHandRange, [&](const TCard& c) { return c.rank == r; })) return s;
  return 0;
}

int HighestCard(const TCardList& list) {
  for (std::uint8_t r : kHighToLow)
    if (int s = FirstSlotOf(list, kHandRange, [&](const TCard& c) { return c.rank == r; })) return s;
  return 0;
}

int LowestOf(const TCardList& list, std::uint8_t suit) {
  for (std::uint8_t r : kLowToHigh)
    if (int s = FirstSlotOf(list, kHandRange, [&](const TCard& c) { return c.rank == r && c.suit == suit; }))
      return s;
  return 0;
}

int HighestOf(const TCardList& list, std::uint8_t suit) {
  for (std::uint8_t r : kHighToLow)
    if (int s = FirstSlotOf(list, kHandRange, [&](const TCard& c) { return c.rank == r && c.suit == suit; }))
      return s;
  return 0;
}

int MaxOrderOf(const TCardList& list, std::uint8_t suit) {
  const int s = HighestOf(list, suit);
  return s ? RankOrder(list[s].rank) : 0;
}

int MaxOrderOf4(const TCardList& table, std::uint8_t suit) {
  int best = 0;
  for (int i = 1; i <= kTableRange; ++i)
    if (table[i].suit == suit) best = std::max(best, RankOrder(table[i].rank));
  return best;
}

int TopPoints(const TCardList& list) {
  const int s = HighestCard(list);
  return s ? RankPoints(list[s].rank) : 0;
}

bool HasMarriage(const TCardList& list, std::uint8_t suit) {
  return HasCard(TCard::Make(kRankK, suit), list) && HasCard(TCard::Make(kRankQ, suit), list);
}

int HoldingPattern(const TCardList& list, std::uint8_t suit) {
  unsigned mask = 0;
  for (int i = 1; i <= kDeckRange; ++i)
    if (list[i].suit == suit) {
      const int o = RankOrder(list[i].rank);
      if (o) mask |= 1u << (o - 1);
    }
  return HoldingPatternOfMask(mask);
}

int HoldingPatternOfMask(unsigned rank_mask) { return kPatterns.by_mask[rank_mask & 63u]; }

unsigned RankMaskOfPattern(int pattern) {
  if (pattern < 1 || pattern > 64) return 0;
  return kPatterns.mask_of[static_cast<std::size_t>(pattern)];
}

int CardIndex(TCard card) {
  if (card.len != 2) return 0;
  const int o = RankOrder(card.rank);
  const int s = SuitIndex(card.suit);
  if (o == 0 || s < 0) return 0;
  return o + 6 * s;
}

TCard CardOfIndex(int ordinal) {
  if (ordinal < 1 || ordinal > 24) return TCard::Empty();
  const int s = (ordinal - 1) / 6;
  const int o = (ordinal - 1) % 6 + 1;
  return TCard::Make(kRankByOrder[static_cast<std::size_t>(o)], kSuits[static_cast<std::size_t>(s)]);
}

std::array<std::uint8_t, 4> SuitOrderForTrump(std::uint8_t trump) {
  switch (trump) {
    case kHearts: return {kClubs, kDiamonds, kSpades, kHearts};
    case kDiamonds: return {kClubs, kHearts, kSpades, kDiamonds};
    case kClubs: return {kHearts, kSpades, kDiamonds, kClubs};
    case kSpades: return {kHearts, kClubs, kDiamonds, kSpades};
    default: return {kHearts, kClubs, kDiamonds, kSpades};
  }
}

int SortHand(TCardList& hand, TByteList& order, TByteList& points, std::uint8_t trump) {
  TCardList cards = EmptyCardList();
  TByteList new_order = EmptyCompanions();
  TByteList new_points = EmptyCompanions();
  int n = 0;
  for (std::uint8_t suit : SuitOrderForTrump(trump))
    for (int rank = 1; rank <= 6; ++rank)
      for (int i = 1; i <= kHandRange; ++i)
        if (hand[i].suit == suit && order[i] == rank) {
          ++n;
          cards[n] = hand[i];
          new_order[n] = order[i];
          new_points[n] = points[i];
        }
  for (int i = 1; i <= kHandRange; ++i) {
    hand[i] = cards[i];
    order[i] = new_order[i];
    points[i] = new_points[i];
  }
  return n;
}

std::string CardName(TCard card) {
  if (card.IsEmpty()) return "##";
  const int o = RankOrder(card.rank);
  const int s = SuitIndex(card.suit);
  if (card.len != 2 || o == 0 || s < 0) return "??";
  static constexpr std::array<std::string_view, 7> kRankNames = {"", "9", "J", "Q", "K", "10", "A"};
  return std::string(kRankNames[static_cast<std::size_t>(o)]) + SuitName(card.suit);
}

std::uint8_t SuitFromName(std::string_view name) {
  if (name == "h") return kHearts;
  if (name == "d") return kDiamonds;
  if (name == "c") return kClubs;
  if (name == "s") return kSpades;
  if (name == "#") return kNoSuit;
  return 0;
}

std::string SuitName(std::uint8_t suit) {
  switch (suit) {
    case kHearts: return "h";
    case kDiamonds: return "d";
    case kClubs: return "c";
    case kSpades: return "s";
    case kNoSuit: return "#";
    default: return "?";
  }
}

TCard CardFromName(std::string_view name) {
  if (name == "##") return TCard::Empty();
  if (name.size() < 2) return TCard{0, kNoSuit, kNoSuit};
  const std::uint8_t suit = SuitFromName(name.substr(name.size() - 1));
  const std::string_view rank = name.substr(0, name.size() - 1);
  std::uint8_t letter = 0;
  if (rank == "9") letter = kRank9;
  else if (rank == "J") letter = kRankJ;
  else if (rank == "Q") letter = kRankQ;
  else if (rank == "K") letter = kRankK;
  else if (rank == "10" || rank == "T") letter = kRank10;
  else if (rank == "A") letter = kRankA;
  if (letter == 0 || suit == 0 || suit == kNoSuit) return TCard{0, kNoSuit, kNoSuit};
  return TCard::Make(letter, suit);
}

}  // namespace varnok
