// The title and the popup menu through the real window: a key leaves the
// title for the menu; the game's entries are off on the menu and on at the
// table; "Exit to menu" asks first, and "No" leaves everything as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "main_window.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

QAction* Entry(MainWindow& w, const char* name) {
  for (QAction* action : w.PopupMenu()->actions())
    if (action->objectName() == QLatin1String(name)) return action;
  ADD_FAILURE() << "no popup entry " << name;
  return nullptr;
}

TEST(PopupMenu, GameEntriesFollowTheTableAndLeavingIsConfirmed) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), kSmallWindow, false);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;

  ASSERT_TRUE(window.TitleShown());
  QTest::keyClick(window.Canvas(), Qt::Key_Space);  // any key leaves the title
  ASSERT_TRUE(window.MenuShown());
  for (const char* name : {"GenCount", "Quit", "ChangeName"}) EXPECT_FALSE(Entry(window, name)->isEnabled()) << name;
  for (const char* name : {"MSpeed", "Help", "Book", "About"}) EXPECT_TRUE(Entry(window, name)->isEnabled()) << name;

  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
  ASSERT_TRUE(window.State().InGame);
  for (const char* name : {"GenCount", "Quit", "ChangeName"}) EXPECT_TRUE(Entry(window, name)->isEnabled()) << name;

  // "No" keeps the game as it was.
  pilot.leave = false;
  const GameState before = window.State();
  Entry(window, "Quit")->trigger();
  EXPECT_EQ(pilot.confirms, 1);
  EXPECT_TRUE(window.State() == before);
  EXPECT_FALSE(window.MenuShown());

  // "Yes" returns to the menu with the entries off again.
  pilot.leave = true;
  Entry(window, "Quit")->trigger();
  EXPECT_EQ(pilot.confirms, 2);
  EXPECT_FALSE(window.State().InGame);
  EXPECT_TRUE(window.MenuShown());
  for (const char* name : {"GenCount", "Quit", "ChangeName"}) EXPECT_FALSE(Entry(window, name)->isEnabled()) << name;
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  window.close();
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

using namespace varnok::testing;

TEST(RoundPanel, TheBalloonShowsWhileTheMouseIsOnThePanel) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), kSmallWindow, false);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
  ASSERT_TRUE(window.State().InGame);

  const QRect kon = window.Canvas()->LayerRect(Layer::ImageKon);
  QTest::mouseMove(window.Canvas(), kon.center());
  auto* balloon = window.Canvas()->findChild<QLabel*>(QStringLiteral("RoundBalloon"));
  ASSERT_NE(balloon, nullptr);
  EXPECT_TRUE(balloon->isVisible());
  EXPECT_TRUE(balloon->text().contains(QStringLiteral("General number of game: 1"))) << balloon->text().toStdString();
  EXPECT_TRUE(balloon->text().contains(QStringLiteral("1 / 25"))) << balloon->text().toStdString();
  QTest::mouseMove(window.Canvas(), QPoint(5, 5));
  EXPECT_FALSE(balloon->isVisible());
  pilot.leave = true;
  window.close();
}

}  // namespace
}  // namespace varnok
