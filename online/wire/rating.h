// The global rating of club members. For n rated games with rating R the
// sum of the game results is S = n * (R - n / d); the rating is the average
// result plus a bonus of n / d (d = 25: 0.04 a game).
#pragma once

namespace varnok::online {

inline constexpr int kRatedGameCount = 1;   // games one rated start counts
inline constexpr int kCycleLength = 25;     // games of a cycle
inline constexpr int kAnnouncePenalty = 2000;  // charged at the announcement, taken back with the result
inline constexpr int kRatingDivisor = 25;

// The rating after adding k games worth -c points in total; n_new counts them.
constexpr double AnnounceRating(int n_new, int k, int c, int d, double rating) {
  const double n_old = static_cast<double>(n_new - k);
  const double dd = static_cast<double>(d);
  return (n_old * (rating - n_old / dd) - static_cast<double>(c)) / static_cast<double>(n_new) +
         static_cast<double>(n_new) / dd;
}

// The rating after taking back c and adding the game's result p, n unchanged.
constexpr double ResultRating(int n, int p, int c, int d, double rating) {
  const double nn = static_cast<double>(n);
  const double dd = static_cast<double>(d);
  return (nn * (rating - nn / dd) + static_cast<double>(c) + static_cast<double>(p)) / nn + nn / dd;
}

}  // namespace varnok::online
