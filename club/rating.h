// The global rating of club members, as the program computes it and the
// server checks it. For n rated games with rating R the sum of the game
// results is S = n * (R - n / d); the rating is the average result plus a
// bonus of n / d (d = 25: 0.04 a game).
//
// A rated game is announced before it is played: the record counts one more
// game worth -2000 points and its cycle position is cleared. When the game
// ends its result takes the 2000 points back and adds the game's count.
#pragma once

#include <cstdint>

namespace varnok::club {

inline constexpr int kRatedGameCount = 1;      // games one rated start counts
inline constexpr int kCycleLength = 25;        // games of a cycle
inline constexpr int kAnnouncePenalty = 2000;  // charged at the announcement, taken back with the result
inline constexpr int kRatingDivisor = 25;
// The largest count one game can give or take, and the largest cycle score.
inline constexpr int kMaxGameResult = 20000;
inline constexpr int kMaxCycleScore = kMaxGameResult * kCycleLength;

// The rating after adding k games worth -c points in total; n_new counts them.
constexpr double AnnounceRating(std::int64_t n_new, std::int64_t k, double c, double d, double rating) {
  const double before = static_cast<double>(n_new - k);
  const double n = static_cast<double>(n_new);
  return (before * (rating - before / d) - c) / n + n / d;
}

// The rating after taking back c and adding the game's result p, n unchanged.
constexpr double ResultRating(std::int64_t n, double p, double c, double d, double rating) {
  const double games = static_cast<double>(n);
  return (games * (rating - games / d) + c + p) / games + games / d;
}

}  // namespace varnok::club
