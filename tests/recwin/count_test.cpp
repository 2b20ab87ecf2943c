// The texts of the score information window: the seven values for club,
// rated and tournament games, the two-decimal rating form and the layout
// of the four designs.
#include <gtest/gtest.h>

#include "recwin_count.h"

namespace varnok {
namespace {

TEST(RatingTwoDecimals, PaddedToSixWithCommaAndNoSignForZero) {
  const struct {
    double rating;
    const char* text;
  } cases[] = {
      {12.3, " 12,30"}, {0.07, "  0,07"}, {-1.5, " -1,50"}, {0.0, "  0,00"},
      {-0.004, "  0,00"}, {0.004, "  0,00"}, {-0.07, " -0,07"}, {99.99, " 99,99"},
      {-99.99, "-99,99"}, {0.125, "  0,12"}, {0.135, "  0,14"}, {5.0, "  5,00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rating);
    EXPECT_EQ(RatingTwoDecimals(c.rating), c.text);
  }
}

TEST(GameInCycle, WrapsAtTwentyFive) {
  const struct {
    int kon, in_cycle;
  } cases[] = {{1, 1}, {24, 24}, {25, 25}, {26, 1}, {50, 25}, {51, 1}, {0, 25}};
  for (const auto& c : cases) EXPECT_EQ(GameInCycle(c.kon, 25), c.in_cycle) << c.kon;
  EXPECT_EQ(GameInCycle(7, 0), 7) << "no cycle length: the game number itself";
}

TEST(FillCount, ClubProfileShowsCycleScoresAndRatings) {
  // Game 25 of a profile with 24 games at rating 2.0: count 150 gives
  // (24 x 2 + 150 / 50) / 25 = 2.04.
  const TCount count = FillCount(25, 1, 25, 2.0, 150, -40, {1, 24, 0.0});
  EXPECT_EQ(count.Count_KonAll, "25");
  EXPECT_EQ(count.Count_KonCur, "25");
  EXPECT_EQ(count.Count_ScoBeg, "-40");
  EXPECT_EQ(count.Count_ScoCur, "150");
  EXPECT_EQ(count.Count_ScoAll, "110");
  EXPECT_EQ(count.Count_ReiBeg, "  2,00");
  EXPECT_EQ(count.Count_ReiCur, "  2,04");
}

TEST(FillCount, CycleNumberAndSignsAcrossCases) {
  const struct {
    int kon, count, profile_score, games_before;
    double rating;
    const char* kon_cur;
    const char* sco_all;
    const char* rei_cur;
  } cases[] = {
      {26, -300, 0, 25, 0.0, "1", "-300", " -0,23"},   // -6 / 26 = -0.2307..
      {50, 0, 0, 49, 0.0, "25", "0", "  0,00"},
      {1, 450, 0, 0, 0.0, "1", "450", "  9,00"},       // a first game: 450 / 50
      {2, 1, 0, 1, 0.0, "2", "1", "  0,01"},           // 0.02 / 2
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kon);
    const TCount count = FillCount(c.kon, 0, 25, c.rating, c.count, c.profile_score, {2, c.games_before, 0.0});
    EXPECT_EQ(count.Count_KonCur, c.kon_cur);
    EXPECT_EQ(count.Count_ScoAll, c.sco_all);
    EXPECT_EQ(count.Count_ReiCur, c.rei_cur);
  }
}

TEST(FillCount, RatedOnlineGameShowsTheAccountsCounterWholeRatingAndQuestionMark) {
  const struct {
    double account_rating;
    const char* rei_beg;
  } cases[] = {{1234.5, "1234"}, {1235.5, "1236"}, {-7.6, "-8"}, {0.4, "0"}};
  for (const auto& c : cases) {
    const TCount count = FillCount(60, 13, 25, 3.0, 20, 100, {3, 59, c.account_rating});
    EXPECT_EQ(count.Count_KonAll, "60");
    EXPECT_EQ(count.Count_KonCur, "13") << "the account's counter plus one";
    EXPECT_EQ(count.Count_ScoAll, "120");
    EXPECT_EQ(count.Count_ReiBeg, c.rei_beg);
    EXPECT_EQ(count.Count_ReiCur, "?");
  }
}

TEST(FillCount, HugeScoresDoNotWrapTheSum) {
  const TCount count = FillCount(3, 0, 25, 0.0, 2147483647, 2147483647, {1, 2, 0.0});
  EXPECT_EQ(count.Count_ScoAll, "4294967294");
}

TEST(FillTournamentCount, DashAndQuestionMark) {
  const TCount count = FillTournamentCount(4, 1200, -75, 1510);
  EXPECT_EQ(count, (TCount{"4", "-", "1200", "-75", "1125", "1510", "?"}));
}

TEST(CountOfGame, TakesTheCountFromTheScoresDuringAGameAndTheResultAfterIt) {
  GameState state;
  state.KonNo = 7;
  state.ProfileScore = 10;
  state.Scores = {0, 200, 250, 0};  // seat 3 at 0: count 450
  TableMode mode;
  ScoreSource source{1.0, 6, 1, 0, 0.0, 0, 0};
  EXPECT_EQ(CountOfGame(state, mode, source).Count_ScoCur, "450");
  state.GameOver = true;
  state.HumanResult = -12;
  EXPECT_EQ(CountOfGame(state, mode, source).Count_ScoCur, "-12");
  mode.TourGame = true;
  source.TournamentScore = 5;
  EXPECT_EQ(CountOfGame(state, mode, source).Count_KonCur, "-");
  EXPECT_EQ(CountOfGame(state, mode, source).Count_ScoAll, "-7");
}

TEST(Emblems, ByKindOfGameAndDesign) {
  const struct {
    ScoreGameKind kind;
    bool purple;
    const char* left;
    const char* right;
  } cases[] = {
      {ScoreGameKind::Tournament, false, "GClubE", ""}, {ScoreGameKind::Network, false, "GClubG", ""},
      {ScoreGameKind::Rated, false, "GClubA", "GClubB"}, {ScoreGameKind::Club, false, "GClubC", "GClubF"},
      {ScoreGameKind::Club, true, "GifC", "GifF"},      {ScoreGameKind::Tournament, true, "GifE", ""},
  };
  for (const auto& c : cases) {
    const ScoreEmblems emblems = EmblemsFor(c.kind, c.purple);
    EXPECT_EQ(emblems.Left, c.left);
    EXPECT_EQ(emblems.Right, c.right);
  }
  TableMode mode;
  EXPECT_EQ(ScoreGameKindOf(mode, 3), ScoreGameKind::Rated);
  mode.NetGame = true;
  EXPECT_EQ(ScoreGameKindOf(mode, 3), ScoreGameKind::Network);
  EXPECT_EQ(LampFor(1), "LampR24");
  EXPECT_EQ(LampFor(2), "LampY24");
  EXPECT_EQ(LampFor(3), "LampG24");
}

TEST(ScoreLayout, GrayDesignsMoveDownFromTheConciseOne) {
  const ScoreLayout concise = ScoreLayoutFor(ScoreDesign::GrayConcise);
  EXPECT_EQ(concise.Height, 510);
  EXPECT_EQ(concise.HeadingY, 120);
  EXPECT_EQ(concise.LabelY, (std::array<int, 7>{155, 180, 220, 245, 270, 295, 320}));
  EXPECT_EQ(concise.ValueY, (std::array<int, 7>{152, 181, 217, 242, 267, 292, 317}));
  EXPECT_EQ(concise.OkY, 475);
  const struct {
    ScoreDesign design;
    int shift, height, emblem_y;
  } cases[] = {{ScoreDesign::GrayAristocratic, 15, 525, 365}, {ScoreDesign::GrayRibbons, 50, 560, 400}};
  for (const auto& c : cases) {
    const ScoreLayout layout = ScoreLayoutFor(c.design);
    EXPECT_EQ(layout.Height, c.height);
    EXPECT_EQ(layout.EmblemY, c.emblem_y);
    EXPECT_EQ(layout.HeadingY, concise.HeadingY + c.shift);
    EXPECT_EQ(layout.LabelY[6], concise.LabelY[6] + c.shift);
    EXPECT_EQ(layout.TopAnimationY, concise.TopAnimationY + c.shift);
  }
  const ScoreLayout purple = ScoreLayoutFor(ScoreDesign::Purple);
  EXPECT_EQ(purple.Height, 500);
  EXPECT_EQ(purple.LabelX, 55);
  EXPECT_EQ(purple.LabelY, (std::array<int, 7>{158, 180, 219, 248, 279, 309, 339}));
  EXPECT_EQ(purple.EmblemX, (std::array<int, 2>{10, 245}));
  EXPECT_EQ(ScoreDesignOf(true, 1), ScoreDesign::Purple);
  EXPECT_EQ(ScoreDesignOf(false, 1), ScoreDesign::GrayConcise);
  EXPECT_EQ(ScoreDesignOf(false, 7), ScoreDesign::GrayAristocratic);
}

}  // namespace
}  // namespace varnok
