// The title and the popup menu through the real window: a key leaves the
// title for the menu; the game's entries are off on the menu and on at the
// table; "Exit to menu" asks first, and "No" leaves everything as it was.
#include <gtest/gtest.h>

#include <QAction>
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
