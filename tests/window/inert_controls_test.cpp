// Options that are kept in the settings and now reach the table: the purple
// table design (its background from the graphics library, and the fall-back
// with a notice without it), "Always one" and the back of the day at each
// deal, the salute of a won game, and the calendar strip turned by the
// calendar timer of the chat and news checks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "calendar_days.h"
#include "calendar_strip.h"
#include "card_pictures.h"
#include "chat_news.h"
#include "loader.h"
#include "main_window.h"
#include "menu_screen.h"
#include "names.h"
#include "salute.h"
#include "settings.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

Settings QuietSettings() {
  Settings settings;
  settings.WindowMode = kSmallWindow;
  settings.Music = false;
  settings.Sound = false;
  settings.CardSpeed = 6;
  settings.FlyingCards = false;
  return settings;
}

bool CopyLibrary(const QString& folder, const char* library) {
  return QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/") + QString::fromLatin1(library),
                     folder + QLatin1Char('/') + QString::fromLatin1(library));
}

void SaveShot(QWidget& widget, const char* file) {
  QDir().mkpath(QStringLiteral(VARNOK_SHOT_DIR));
  EXPECT_TRUE(widget.grab().save(QStringLiteral(VARNOK_SHOT_DIR "/") + QString::fromLatin1(file)));
}

// The program's folder is a folder of its own inside the test's, so that
// the parent folder (searched for fetched libraries too) holds nothing.
QString ProgramFolderIn(const QTemporaryDir& dir) {
  const QString folder = dir.filePath(QStringLiteral("program"));
  QDir().mkpath(folder);
  return folder;
}

// A program folder whose options choose the purple table, menu and windows.
QString PurpleProgramFolderIn(const QTemporaryDir& dir) {
  const QString folder = ProgramFolderIn(dir);
  Settings settings = QuietSettings();
  settings.TableDesign = 1;
  settings.MenuDesign = 1;
  settings.PurpleWindows = true;
  WriteSettings(folder, settings);
  WriteClubFiles(folder);
  return folder;
}

TEST(InertControls, ThePurpleTableDesignLiesOnTheLilacBackground) {
  EnsureApplication();
  QTemporaryDir dir;
  const QString folder = PurpleProgramFolderIn(dir);
  ASSERT_TRUE(CopyLibrary(folder, kGraphicsLibrary));
  ASSERT_TRUE(CopyLibrary(folder, "ZubCalendar01.dll"));
  MainWindow window(TestWindowOptions(folder));
  StartWindow(window);
  DialogPilot pilot;
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());

  QImage lilac;
  ASSERT_TRUE(LoadJpeg(QStringLiteral("BGLilu"), QString::fromLatin1(kGraphicsLibrary), lilac));
  EXPECT_EQ(window.Canvas()->Background(), lilac.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(window.Options().TableDesign, 1);
  EXPECT_TRUE(window.Options().PurpleWindows);
  SaveShot(window, "purple_menu.png");

  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
  ASSERT_TRUE(window.State().InGame);
  EXPECT_EQ(window.Canvas()->Background(), lilac.convertToFormat(QImage::Format_RGB32));
  SaveShot(window, "purple_table.png");
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  pilot.leave = true;
  window.ExitToMenu();
  window.close();
}

TEST(InertControls, WithoutTheGraphicsLibraryThePurpleDesignsFallBackWithANotice) {
  EnsureApplication();
  QTemporaryDir dir;
  const QString folder = PurpleProgramFolderIn(dir);
  MainWindow window(TestWindowOptions(folder));
  DialogPilot pilot;  // the notice comes as soon as the settings are read
  StartWindow(window);
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  QTRY_VERIFY(!pilot.strangers.isEmpty());
  EXPECT_EQ(pilot.strangers, QStringList{QStringLiteral("varnok::TFormLink")});  // "Can`t find the file ZubCGraph1.dll"
  QImage green;
  ASSERT_TRUE(LoadJpeg(QStringLiteral("FonG"), QString(), green));
  EXPECT_EQ(window.Canvas()->Background(), green.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(window.Options().TableDesign, 0);
  EXPECT_EQ(window.Options().MenuDesign, 0);
  EXPECT_FALSE(window.Options().PurpleWindows);
  EXPECT_EQ(window.Options().AuxWindowDesign, 2);  // gray aristocratic
  window.close();
}

TEST(InertControls, EveryDealPicksTheBackOfTheDayWithAlwaysOne) {
  EnsureApplication();
  const int today = QDate::currentDate().dayOfWeek();
  const struct {
    BackChoice choice;
    int expected;
  } cases[] = {{BackChoice::AlwaysOne, 7}, {BackChoice::ChangeDecks, today}};
  for (const auto& c : cases) {
    QTemporaryDir dir;
    const QString folder = ProgramFolderIn(dir);
    Settings settings = QuietSettings();
    settings.Backs = c.choice;
    WriteSettings(folder, settings);
    WriteClubFiles(folder);
    MainWindow window(TestWindowOptions(folder));
    StartWindow(window);
    DialogPilot pilot;
    QTest::keyClick(window.Canvas(), Qt::Key_Space);
    QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
    ASSERT_TRUE(window.State().InGame);
    // The deal's drawings, the back among them, play from the event loop.
    const auto back = [&] { return window.Presenter().Pictures().BackNumber(); };
    (void)QTest::qWaitFor([&] { return back() == c.expected; }, 3000);
    EXPECT_EQ(back(), c.expected);
    // The choice changed in the options holds from the next deal on.
    window.MutableOptions().Backs = c.choice == BackChoice::AlwaysOne ? BackChoice::ChangeDecks : BackChoice::AlwaysOne;
    window.CardsChanged();
    window.GameEngine().Apply(Move::NewGame());
    const int next = c.choice == BackChoice::AlwaysOne ? today : 7;
    (void)QTest::qWaitFor([&] { return back() == next; }, 3000);
    EXPECT_EQ(back(), next);
    pilot.leave = true;
    window.ExitToMenu();
    window.close();
  }
}

TEST(InertControls, AWonGameIsSalutedAsTheOptionsChoose) {
  EnsureApplication();
  const struct {
    bool buttons;
    bool cards;
    bool library;
    SaluteChoice expected;
  } cases[] = {{false, true, true, {false, true}},
               {true, false, true, {true, false}},
               {true, true, false, {}},
               {false, false, true, {}}};
  for (const auto& c : cases) {
    QTemporaryDir dir;
    const QString folder = ProgramFolderIn(dir);
    Settings settings = QuietSettings();
    settings.SaluteButtons = c.buttons;
    settings.SaluteCards = c.cards;
    WriteSettings(folder, settings);
    WriteClubFiles(folder);
    if (c.library) {
      ASSERT_TRUE(CopyLibrary(folder, kGraphicsLibrary));
    }
    MainWindow window(TestWindowOptions(folder));
    StartWindow(window);
    DialogPilot pilot;
    QTest::keyClick(window.Canvas(), Qt::Key_Space);
    // Seats 1 and 3 one point from the end, seat 2 far ahead: the game ends
    // within a round or two and the player's general count is far above 0.
    window.GameEngine().SetResume(1, PerSeat<int>{0, 1, 3000, 1});
    QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
    ASSERT_TRUE(window.State().InGame);
    PlayerRobot robot;
    for (int step = 0; step < 400 && !window.State().GameOver; ++step) {
      if (!robot.Step(window)) QTest::qWait(5);
    }
    ASSERT_TRUE(window.State().GameOver);
    ASSERT_GT(window.State().HumanResult, 0);
    if (c.expected.Any()) {
      ASSERT_NE(window.Salute(), nullptr);
      EXPECT_EQ(window.Salute()->Choice(), c.expected);
      const int frame = window.Salute()->Frame();
      QTest::qWait(200);
      if (window.Salute() != nullptr) {
        EXPECT_GT(window.Salute()->Frame(), frame);
      }
    } else {
      EXPECT_EQ(window.Salute(), nullptr);
    }
    pilot.leave = true;
    window.ExitToMenu();
    window.close();
  }
}

TEST(InertControls, TheCalendarTimerOfTheChecksTurnsTheStrip) {
  EnsureApplication();
  QTemporaryDir dir;
  const QString folder = ProgramFolderIn(dir);
  WriteSettings(folder, QuietSettings());
  WriteClubFiles(folder);
  WindowOptions options = TestWindowOptions(folder);
  options.calendar_timer_ms = 40;
  MainWindow window(options);
  StartWindow(window);
  DialogPilot pilot;
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  CalendarStrip* strip = window.Menu()->Calendar();
  ASSERT_FALSE(strip->isHidden());
  EXPECT_FALSE(strip->Illustrated());  // no calendar library in this folder
  EXPECT_EQ(strip->DateText(), CalendarDateText(QDate::currentDate(), 0));
  int ticks = 0;
  QObject::connect(&window.ChatAndNews(), &ChatNews::CalendarTurned, [&ticks] { ++ticks; });
  const int before = strip->Turns();
  QTRY_VERIFY(ticks >= 3);
  // One timer: every tick of the checks' calendar is a turn of the strip.
  EXPECT_GE(strip->Turns() - before, ticks - 1);
  EXPECT_LE(strip->Turns() - before, ticks + 1);
  window.close();
}

}  // namespace
}  // namespace varnok
