// The rating formulas: an announcement charges the penalty as one more game,
// the result takes it back and adds the game's result.
#include <gtest/gtest.h>

#include "rating.h"

namespace varnok::online {
namespace {

TEST(Rating, FirstGameAnnouncedThenScored) {
  // No games yet: the announcement makes one game of -2000 points.
  const double announced = AnnounceRating(1, 1, kAnnouncePenalty, kRatingDivisor, 0.0);
  EXPECT_DOUBLE_EQ(announced, -2000.0 + 0.04);
  // The result of 120 replaces the charge: the average is 120, plus the bonus.
  EXPECT_DOUBLE_EQ(ResultRating(1, 120, kAnnouncePenalty, kRatingDivisor, announced), 120.04);
}

TEST(Rating, AverageResultPlusBonusAfterManyGames) {
  // Results 100, -50, 30 played one after the other.
  double rating = 0.0;
  int games = 0;
  for (const int result : {100, -50, 30}) {
    ++games;
    rating = AnnounceRating(games, 1, kAnnouncePenalty, kRatingDivisor, rating);
    rating = ResultRating(games, result, kAnnouncePenalty, kRatingDivisor, rating);
  }
  EXPECT_NEAR(rating, (100 - 50 + 30) / 3.0 + 3.0 / 25.0, 1e-9);
}

}  // namespace
}  // namespace varnok::online
