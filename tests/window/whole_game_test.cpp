// Whole games through the real main window, driven like a person: the
// driver clicks the title and "New Player", presses "next" and "pass",
// chooses the gift, the trump and the order in the dialogs, tries an illegal
// card first and sees nothing change, and leaves with "Exit to menu" when the
// game is over, in every window size with the cards flying and still.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <iostream>

#include "layout.h"
#include "main_window.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

class WholeGame : public ::testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

TEST_P(WholeGame, PlayedWithTheMouseUntilExitToMenu) {
  const auto [mode, animate] = GetParam();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), mode, animate);
  WriteClubFiles(folder.path());

  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  ASSERT_EQ(window.Options().WindowMode, mode);
  ASSERT_TRUE(window.TitleShown());

  DialogPilot pilot;
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  ASSERT_FALSE(window.TitleShown());
  ASSERT_TRUE(window.MenuShown());
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player"
  ASSERT_EQ(pilot.player_windows, 1);
  ASSERT_TRUE(window.State().InGame);
  const LayoutState expected = LayoutForMode(mode, window.Canvas()->size());
  EXPECT_EQ(window.Canvas()->Layout().WindowMode, mode);
  if (mode != kFullScreen) {
    EXPECT_EQ(window.Canvas()->size(), QSize(expected.WindowW, expected.WindowH));
  }

  GameStats stats;
  ASSERT_TRUE(PlayWholeGame(window, stats));
  std::cout << "rounds " << stats.rounds << ", gifts " << stats.declared << ", cards " << stats.cards_played
            << ", illegal tries " << stats.illegal_tries << ", flight steps " << window.Canvas()->FlightSteps()
            << "\n";
  EXPECT_FALSE(window.State().InGame);
  EXPECT_TRUE(window.State().GameOver);
  EXPECT_GE(stats.rounds, 2);
  EXPECT_GT(stats.cards_played, 8);
  EXPECT_EQ(pilot.trumps, stats.declared);
  EXPECT_EQ(pilot.orders, stats.declared);
  EXPECT_EQ(pilot.scores, 1) << "the score window opens once, at the end of the game";
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  if (animate) {
    EXPECT_GT(window.Canvas()->FlightSteps(), 1000);
  } else {
    EXPECT_EQ(window.Canvas()->FlightSteps(), 0);
  }
  window.close();
}

INSTANTIATE_TEST_SUITE_P(EveryWindowMode, WholeGame,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4, 5), ::testing::Bool()),
                         [](const auto& info) {
                           return "Mode" + std::to_string(std::get<0>(info.param)) +
                                  (std::get<1>(info.param) ? "Flying" : "Still");
                         });

}  // namespace
}  // namespace varnok
