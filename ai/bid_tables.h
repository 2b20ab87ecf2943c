// The two tables behind the computer's bid: which suit it makes trump (and
// what that trump is worth), and what a holding is worth when its suit is not
// trump. Both are indexed by the holding pattern numbers of cards.h.
#pragma once

#include <array>

namespace varnok::ai {

// One row of the trump preference order: a holding of three to six cards and
// the points the computer expects from it as trump.
struct TrumpPreferenceRow {
  int pattern = 0;      // holding pattern 1..42
  int trump_value = 0;
};

inline constexpr int kTrumpPreferenceRows = 42;

// The trump preference order: row 0 is priority 1 (the holding preferred most),
// row 41 is priority 42. Every holding of three to six cards has exactly one
// row; every holding of four or more cards comes before every three-card one.
extern const std::array<TrumpPreferenceRow, kTrumpPreferenceRows> TrumpPreference;

// The value of each holding pattern 1..64 in a suit that is not trump
// (index 0 is unused; pattern 64, no card, is worth 0).
extern const std::array<int, 65> SideValue;

}  // namespace varnok::ai
