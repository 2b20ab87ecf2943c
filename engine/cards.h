// Cards, card lists and the small helpers that the rules and the computer
// players share. A card is written as two single-byte letters of code page
// 1251 (rank, then suit); the same bytes travel in game records and history
// files, so the values below must never change.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnok {

// Rank letters, in rising order of strength: 9, J, Q, K, 10, A.
inline constexpr std::uint8_t kRank9 = 0x39;   // '9'
inline constexpr std::uint8_t kRankJ = 0xC2;   // Cyrillic capital Ve
inline constexpr std::uint8_t kRankQ = 0xC4;   // Cyrillic capital De
inline constexpr std::uint8_t kRankK = 0xCA;   // Cyrillic capital Ka
inline constexpr std::uint8_t kRank10 = 0x31;  // '1'
inline constexpr std::uint8_t kRankA = 0xD2;   // Cyrillic capital Te

// Suit letters; '#' is "no suit" (empty slot, trump not chosen, nothing led).
inline constexpr std::uint8_t kHearts = 0xF7;    // Cyrillic small Che
inline constexpr std::uint8_t kDiamonds = 0xE1;  // Cyrillic small Be
inline constexpr std::uint8_t kClubs = 0xEA;     // Cyrillic small Ka
inline constexpr std::uint8_t kSpades = 0xEF;    // Cyrillic small Pe
inline constexpr std::uint8_t kNoSuit = 0x23;    // '#'

// The companion value of an empty slot (both rank order and points).
inline constexpr std::uint8_t kEmptyCompanion = 99;

// Rank letters indexed by rank order 1..6 (slot 0 unused).
inline constexpr std::array<std::uint8_t, 7> kRankByOrder = {0, kRank9, kRankJ, kRankQ, kRankK, kRank10, kRankA};
// Points indexed by rank order 1..6.
inline constexpr std::array<std::uint8_t, 7> kPointsByOrder = {0, 0, 2, 3, 4, 10, 11};
// Suit letters indexed by suit index 0..3: hearts, diamonds, clubs, spades.
inline constexpr std::array<std::uint8_t, 4> kSuits = {kHearts, kDiamonds, kClubs, kSpades};

// A card: a length-prefixed string of at most two letters (three bytes).
struct TCard {
  std::uint8_t len = 2;
  std::uint8_t rank = kNoSuit;
  std::uint8_t suit = kNoSuit;

  static constexpr TCard Empty() { return TCard{}; }
  static constexpr TCard Make(std::uint8_t rank_letter, std::uint8_t suit_letter) {
    return TCard{2, rank_letter, suit_letter};
  }
  constexpr bool IsEmpty() const { return len == 2 && rank == kNoSuit && suit == kNoSuit; }
  // A real card of the deck: two letters, a known rank and a known suit.
  bool IsReal() const;
  // The letters as bytes (code page 1251), without the length byte.
  std::string Bytes() const { return std::string(reinterpret_cast<const char*>(&rank), len > 2 ? 2 : len); }

  friend constexpr bool operator==(const TCard&, const TCard&) = default;
};

// Rank order 1..6 of a rank letter, 0 for an unknown letter.
int RankOrder(std::uint8_t rank_letter);
// Card points of a rank letter (0, 2, 3, 4, 10, 11), 0 for an unknown letter.
int RankPoints(std::uint8_t rank_letter);
// Suit index 0..3 of a suit letter, -1 for '#' or an unknown letter.
int SuitIndex(std::uint8_t suit_letter);

// A 1-based list of 64 slots. Hands use slots 1..10, the deck 1..24, the
// played cards 1..36, the table 1..4.
template <typename T>
struct SlotList {
  static constexpr int kSlots = 64;
  std::array<T, kSlots> cells{};

  constexpr T& operator[](int slot) { return cells[static_cast<std::size_t>(slot - 1)]; }
  constexpr const T& operator[](int slot) const { return cells[static_cast<std::size_t>(slot - 1)]; }
  friend constexpr bool operator==(const SlotList&, const SlotList&) = default;
};

using TCardList = SlotList<TCard>;
// A companion array: the rank order or the points of the card in each slot.
using TByteList = SlotList<std::uint8_t>;

// An empty card list: every slot "##".
TCardList EmptyCardList();
// A companion array with every slot 99.
TByteList EmptyCompanions();

// Slot ranges the helpers scan.
inline constexpr int kHandRange = 10;
inline constexpr int kDeckRange = 24;
inline constexpr int kTableRange = 4;

bool HasCard(TCard card, const TCardList& list);
bool HasCard24(TCard card, const TCardList& list);
bool HasCard4(TCard card, const TCardList& table);
int CardPos24(TCard card, const TCardList& list);
bool HasSuit(const TCardList& list, std::uint8_t suit);
int CountSuit(const TCardList& list, std::uint8_t suit);
int CountSuit24(const TCardList& list, std::uint8_t suit);
int LowestCard(const TCardList& list);
int HighestCard(const TCardList& list);
int LowestOf(const TCardList& list, std::uint8_t suit);
int HighestOf(const TCardList& list, std::uint8_t suit);
int MaxOrderOf(const TCardList& list, std::uint8_t suit);
int MaxOrderOf4(const TCardList& table, std::uint8_t suit);
int TopPoints(const TCardList& list);
bool HasMarriage(const TCardList& list, std::uint8_t suit);
int HoldingPattern(const TCardList& list, std::uint8_t suit);
// The pattern number 1..64 of a set of ranks given as a bit mask over rank
// orders (bit 0 = nine ... bit 5 = ace).
int HoldingPatternOfMask(unsigned rank_mask);
// The rank mask of pattern 1..64 (the inverse of HoldingPatternOfMask).
unsigned RankMaskOfPattern(int pattern);
int CardIndex(TCard card);
// The card of ordinal 1..24; the empty card for anything else.
TCard CardOfIndex(int ordinal);

// Suit order of a drawn hand, left to right, for a trump letter ('#' = none).
std::array<std::uint8_t, 4> SuitOrderForTrump(std::uint8_t trump);

// Sorts and compacts a hand (slots 1..10) with its companions: suits in the
// order above, ranks from the nine up to the ace. Returns the card count.
int SortHand(TCardList& hand, TByteList& order, TByteList& points, std::uint8_t trump);

// Short readable names for logs, tests and the simulator: "9h", "10s",
// "Ad", "##". CardFromName accepts the same forms (and "T" for the ten).
std::string CardName(TCard card);
TCard CardFromName(std::string_view name);
// Suit letter from "h", "d", "c", "s" ('#' for "#"); 0 when unknown.
std::uint8_t SuitFromName(std::string_view name);
std::string SuitName(std::uint8_t suit);

}  // namespace varnok
