// A player's life in the club through the real window: fresh club files, a
// new player with a password in the player window, a whole game against the
// computer, "Exit to menu", and then the member line, the history line and
// the score window agree with the game. A second start with a wrong password
// is refused; the right one starts the member's next game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "club_file.h"
#include "history_file.h"
#include "main_window.h"
#include "menu_screen.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

class ClubLife : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

TEST_F(ClubLife, ANewPlayerPlaysAGameAndIsAMemberAfterwards) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), kSmallWindow, false);
  WriteClubFiles(folder.path());
  const std::filesystem::path club = std::filesystem::path(folder.path().toStdString()) / "Varnok.clb";

  int human_result = 0;
  int kon_no = 0;
  {
    MainWindow window(TestWindowOptions(folder.path()));
    StartWindow(window);
    DialogPilot pilot;
    pilot.name = QStringLiteral("Irina");
    pilot.password = QStringLiteral("rose7");
    QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
    ASSERT_TRUE(window.MenuShown());
    QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
    ASSERT_TRUE(window.State().InGame);
    EXPECT_EQ(window.State().Names[3], "Irina");
    EXPECT_EQ(window.State().KonNo, 1) << "a new player starts at game 1";

    GameStats stats;
    ASSERT_TRUE(PlayWholeGame(window, stats));
    human_result = window.State().HumanResult;
    kon_no = window.State().KonNo;
    EXPECT_EQ(pilot.scores, 1) << "the score window opens at the end of the game";
    // It tells the first game of the series, the game's count and the score
    // after it (a new player starts from 0).
    EXPECT_EQ(pilot.score_values["KonAll"], QStringLiteral("1"));
    EXPECT_EQ(pilot.score_values["KonCur"], QStringLiteral("1"));
    EXPECT_EQ(pilot.score_values["ScoBeg"], QStringLiteral("0"));
    EXPECT_EQ(pilot.score_values["ScoCur"].remove(QLatin1Char('+')), QString::number(human_result));
    EXPECT_EQ(pilot.score_values["ScoAll"].remove(QLatin1Char('+')), QString::number(human_result));
    EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
    // The menu lists the new member in slot 1.
    auto* row = MenuButton(window, "Button1");
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->text().startsWith(QStringLiteral("Irina"))) << row->text().toStdString();
    window.close();
  }

  // The member line: one game, the game's count as the cycle score, and the
  // rating of the first game.
  const std::optional<ClubMember> member = ReadMember(club, 1);
  ASSERT_TRUE(member.has_value());
  EXPECT_FALSE(member->Empty);
  EXPECT_EQ(member->Name, "Irina");
  EXPECT_EQ(member->Games, 1);
  EXPECT_EQ(member->CycleScore, human_result);
  EXPECT_DOUBLE_EQ(member->Rating, RatingAfterGame(0, 0.0, human_result, 1));
  EXPECT_TRUE(PasswordMatches(*member, "rose7"));
  EXPECT_EQ(kon_no, 1);

  // The history holds the game.
  const HistoryFileCheck history = CheckHistoryFile(std::filesystem::path(folder.path().toStdString()), "Varnok.clb", 1);
  EXPECT_EQ(history.Status, HistoryFileStatus::Valid);
  EXPECT_EQ(history.Records, 1);

  // A second start: the wrong password is refused, nothing starts.
  {
    MainWindow window(TestWindowOptions(folder.path()));
    StartWindow(window);
    DialogPilot pilot;
    pilot.password = QStringLiteral("tulip");
    pilot.expect_refusal = true;
    QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
    QTest::mouseClick(MenuButton(window, "Button1"), Qt::LeftButton);
    EXPECT_EQ(pilot.player_windows, 1);
    EXPECT_FALSE(pilot.refusal.isEmpty()) << "the window says why";
    EXPECT_FALSE(window.State().InGame);
    EXPECT_TRUE(window.MenuShown());

    // The right password starts the member's second game.
    pilot.password = QStringLiteral("rose7");
    pilot.expect_refusal = false;
    QTest::mouseClick(MenuButton(window, "Button1"), Qt::LeftButton);
    ASSERT_TRUE(window.State().InGame);
    EXPECT_EQ(window.State().KonNo, 2);
    EXPECT_EQ(window.State().ProfileScore, human_result);
    window.close();  // leaving the game early is confirmed and drops the member
    EXPECT_EQ(pilot.confirms, 1);
  }
  const std::optional<ClubMember> dropped = ReadMember(club, 1);
  ASSERT_TRUE(dropped.has_value());
  EXPECT_TRUE(dropped->Empty) << "leaving a game early drops the member";
}

}  // namespace
}  // namespace varnok
