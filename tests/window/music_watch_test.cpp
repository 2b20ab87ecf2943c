// The menu song is watched (restarted when its player gave up) on the title
// by its own timer and on the menu by the lights' tick, and not in a game.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "main_window.h"
#include "settings.h"
#include "sound_player.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

TEST(MusicWatch, RunsOnTheTitleAndTheMenuAndRestsInAGame) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  Settings settings = StillSilentSettings(kSmallWindow, 0);
  settings.Music = true;
  WriteSettings(folder.path(), settings);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  // Every watch asks whether another player holds the music: count them.
  int watches = 0;
  window.Sound().SetMusicHeld([&watches] {
    ++watches;
    return false;
  });
  StartWindow(window);
  DialogPilot pilot;

  QTRY_VERIFY_WITH_TIMEOUT(watches >= 3, 5000);  // the title

  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  watches = 0;
  QTRY_VERIFY_WITH_TIMEOUT(watches >= 3, 5000);  // the menu's ticks

  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player"
  ASSERT_TRUE(window.State().InGame);
  watches = 0;
  QTest::qWait(300);
  EXPECT_EQ(watches, 0) << "a game restarts no song";

  pilot.leave = true;
  ASSERT_TRUE(window.ExitToMenu());
  QTRY_VERIFY_WITH_TIMEOUT(window.MenuShown(), 5000);
  QTRY_VERIFY_WITH_TIMEOUT(watches >= 3, 5000);  // back on the menu
  window.close();
}

}  // namespace
}  // namespace varnok
