// Game records at the real main window: a whole game against the computer
// leaves its record beside the history, linked from the history window's
// row; the popup's save writes the same game; the viewer steps through it
// round by round and trick by trick to the scores the game ended on; "Deal
// again" deals a recorded round's hands to a new game; a damaged record is
// refused with its message.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "form_game_record.h"
#include "form_history.h"
#include "game_replay.h"
#include "guide_rows.h"
#include "history_file.h"
#include "main_window.h"
#include "table_canvas.h"
#include "window_driver.h"
#include "words.h"

namespace varnok {
namespace {

using namespace varnok::testing;
namespace fs = std::filesystem;

std::array<std::vector<int>, 3> HandsOf(const GameState& s) {
  std::array<std::vector<int>, 3> hands;
  for (int seat = 1; seat <= 3; ++seat) {
    auto& hand = hands[static_cast<std::size_t>(seat - 1)];
    for (int i = 1; i <= s.HandCount[seat]; ++i) hand.push_back(CardIndex(s.Hands[seat][i]));
    std::sort(hand.begin(), hand.end());
  }
  return hands;
}

std::array<std::vector<int>, 3> HandsOf(const DeckOrder& deal) {
  std::array<std::vector<int>, 3> hands;
  for (std::size_t i = 0; i < 21; ++i) hands[i / 7].push_back(deal[i]);
  for (auto& hand : hands) std::sort(hand.begin(), hand.end());
  return hands;
}

class GameRecordWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

TEST_F(GameRecordWindow, AGamePlayedHereIsKeptLinkedFromTheHistoryViewedAndDealtAgain) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), 3, false);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  ASSERT_TRUE(window.PopupMenu()->findChild<QAction*>(QStringLiteral("KeepRecords"))->isChecked());

  GameState end;
  {
    DialogPilot pilot;
    QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
    QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player"
    ASSERT_TRUE(window.State().InGame);
    GameStats stats;
    ASSERT_TRUE(PlayWholeGame(window, stats));
    EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
    end = window.State();
  }
  ASSERT_TRUE(window.Recording().HasGame());
  const GameRecord recorded = *window.Recording().Record();
  EXPECT_EQ(recorded.Names[2], "Tester");

  // Kept beside the history, under the name of the game's history line, and linked from its row.
  const fs::path program = folder.path().toStdString();
  const HistoryFileCheck history = CheckHistoryFile(program, "Varnok.clb", 1, DateFormatter{});
  ASSERT_TRUE(history.Valid());
  ASSERT_EQ(history.RecordLines.size(), 1u);
  const fs::path kept = GameRecordPathFor(program, history.RecordLines[0].substr(0, kHistoryBodyLength));
  ASSERT_TRUE(fs::is_regular_file(kept)) << kept;
  {
    TFormHistory::SetChosenFile(0);
    TFormHistory history_window(folder.path(), QStringLiteral("Varnok.clb"), Settings{});
    ASSERT_EQ(history_window.Grid()->rowCount(), 1);
    EXPECT_EQ(history_window.RecordOfRow(0).toStdString(), kept.string());
    history_window.Grid()->setCurrentCell(0, 0);
    EXPECT_TRUE(history_window.OpenRecordButton()->isEnabled());
  }

  // Saved from the popup: the same game.
  const QString saved = folder.filePath(QStringLiteral("saved.txt"));
  ASSERT_TRUE(window.SaveGameRecordTo(saved));
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("RecordSavedNotice")) w->close();
  const RecordRead read = LoadGameRecord(saved.toStdString());
  ASSERT_TRUE(read.Record.has_value()) << read.Detail;
  EXPECT_EQ(*read.Record, recorded);
  EXPECT_EQ(*LoadGameRecord(kept).Record, recorded);

  // The viewer: to the end the game's own scores; round and trick steps forward and back.
  TFormGameRecord* viewer = window.OpenGameRecordFile(QString::fromStdString(kept.string()));
  ASSERT_NE(viewer, nullptr);
  EXPECT_FALSE(viewer->isModal() && viewer->windowModality() == Qt::ApplicationModal);
  ASSERT_GT(viewer->StepCount(), 0);
  EXPECT_EQ(viewer->ShownRound(), 1);
  QTest::keyClick(viewer, Qt::Key_End);
  EXPECT_EQ(viewer->Shown().Scores, end.Scores);
  QTest::keyClick(viewer, Qt::Key_Home);
  viewer->NextRound();
  EXPECT_EQ(viewer->ShownRound(), 2);
  const int round2 = viewer->StepIndex();
  // A trick forward stops where a trick was collected: seven cards left in each hand, then six.
  viewer->NextTrick();
  EXPECT_EQ(viewer->Shown().TrickNo, 2);
  EXPECT_EQ(viewer->Shown().HandCount[3], 7);
  EXPECT_EQ(viewer->Shown().Phase, 10 + viewer->Shown().Leader);
  // The keys step wherever the focus is, on a button too.
  QTest::keyClick(viewer->findChild<QPushButton*>(QStringLiteral("NextStep")), Qt::Key_Down);
  EXPECT_EQ(viewer->Shown().TrickNo, 3);
  EXPECT_EQ(viewer->Shown().HandCount[3], 6);
  const int trick3 = viewer->StepIndex();
  viewer->PreviousStep();
  EXPECT_EQ(viewer->StepIndex(), trick3 - 1);
  EXPECT_EQ(viewer->Shown().Phase, phTrickFull);
  viewer->PreviousTrick();
  viewer->PreviousTrick();
  EXPECT_EQ(viewer->StepIndex(), round2);
  QTest::keyClick(viewer, Qt::Key_PageUp);
  EXPECT_EQ(viewer->ShownRound(), 1);
  // As the player saw it: the others' hands as backs; all open: every card named.
  viewer->GoTo(round2);
  const GameState& shown = viewer->Shown();
  const QString seen = viewer->Board()->accessibleDescription();
  EXPECT_FALSE(seen.contains(CardText(shown.Hands[1][1])) && seen.contains(CardText(shown.Hands[2][1])) &&
               seen.contains(CardText(shown.Hands[1][2])));
  EXPECT_TRUE(seen.contains(CardText(shown.Hands[3][1])));
  viewer->findChild<QCheckBox*>(QStringLiteral("AllOpen"))->click();
  EXPECT_TRUE(viewer->Board()->accessibleDescription().contains(CardText(shown.Hands[1][1])));
  EXPECT_FALSE(viewer->StatusText().isEmpty());

  // "Deal again" from round 2: a new game against the computer with that round's hands.
  viewer->findChild<QPushButton*>(QStringLiteral("DealAgain"))->click();
  WaitIdle(window);
  ASSERT_TRUE(window.State().InGame);
  EXPECT_EQ(window.State().RoundNo, 1);
  EXPECT_EQ(HandsOf(window.State()), HandsOf(recorded.Rounds[1].Deal));
  EXPECT_EQ(window.Recording().Record()->Rounds.size(), 1u) << "the new game is recorded afresh";

  // A damaged record and one from another version are refused with their messages.
  std::string text = FormatGameRecord(recorded);
  const fs::path damaged = program / "damaged.txt";
  ASSERT_TRUE(SaveGameRecord(damaged, recorded));
  text[text.size() / 2] ^= 1;
  ASSERT_TRUE(ReplaceFile(damaged, text));
  DialogPilot pilot;
  EXPECT_EQ(window.OpenGameRecordFile(QString::fromStdString(damaged.string())), nullptr);
  std::string other = FormatGameRecord(recorded);
  other.replace(other.find("version 1"), 9, "version 7");
  ASSERT_TRUE(ReplaceFile(damaged, other));
  EXPECT_EQ(window.OpenGameRecordFile(QString::fromStdString(damaged.string())), nullptr);
  ASSERT_EQ(pilot.strangers.size(), 2);
  EXPECT_EQ(pilot.strangers[0], i18n::Text(i18n::WordsGuide, i18n::guide::kRecordDamaged));
  EXPECT_EQ(pilot.strangers[1], i18n::Text(i18n::WordsGuide, i18n::guide::kRecordOtherVersion));
  window.close();
}

}  // namespace
}  // namespace varnok
