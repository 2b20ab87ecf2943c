// The options window opened from the menu changes the running program at
// once: a new window size resizes the table and redraws the menu in it, and
// the choice is in the options file written when the program closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "form_options.h"
#include "main_window.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

TEST(OptionsFromTheMenu, ANewWindowSizeTakesEffectAtOnceAndIsKept) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), kSmallWindow, false);
  WriteClubFiles(folder.path());
  {
    MainWindow window(TestWindowOptions(folder.path()));
    StartWindow(window);
    QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
    ASSERT_TRUE(window.MenuShown());
    ASSERT_EQ(window.Canvas()->size(), QSize(760, 500));

    bool answered = false;
    QTimer::singleShot(50, [&] {
      auto* options = qobject_cast<TFormOptions*>(QApplication::activeModalWidget());
      ASSERT_NE(options, nullptr);
      auto* sizes = options->findChild<QListWidget*>(QStringLiteral("WindowSize"));
      ASSERT_NE(sizes, nullptr);
      sizes->setCurrentRow(2);  // "Average window 1"
      answered = true;
      options->close();
    });
    QTest::mouseClick(MenuButton(window, "Button10"), Qt::LeftButton);  // "Options"
    ASSERT_TRUE(answered);
    EXPECT_EQ(window.Options().WindowMode, kAverageWindow1);
    EXPECT_EQ(window.Canvas()->size(), QSize(990, 650));
    EXPECT_TRUE(window.MenuShown());
    // The menu's controls moved with the window: the "Exit" button lies at round(465 * 1.3).
    EXPECT_EQ(MenuButton(window, "Button11")->y(), 604);
    window.close();
  }
  MainWindow again(TestWindowOptions(folder.path()));
  StartWindow(again);
  EXPECT_EQ(again.Options().WindowMode, kAverageWindow1);
  again.close();
}

}  // namespace
}  // namespace varnok
