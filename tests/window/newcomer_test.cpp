// The newcomer's aids through the real window: the status line says whose
// turn it is and why a card was refused, the "Ok" steps go on by themselves
// when chosen, the score sheet lists the rounds played, and a game left in
// the middle is kept and continued at the next start.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "form_score.h"
#include "guide_file.h"
#include "main_window.h"
#include "score_sheet.h"
#include "settings.h"
#include "status_line.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "window_driver.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using namespace varnok::testing;

bool Usable(const QPushButton* b) { return b->isVisible() && b->isEnabled(); }

void WriteOptionsIn(const QString& folder, int mode, int language) {
  Settings settings = StillSilentSettings(mode, language);
  settings.CardSpeed = 6;
  WriteSettings(folder, settings);
}

void EnterAsGuest(MainWindow& window) {
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player"
}

QPoint CardPoint(MainWindow& w, int slot) {
  const QRect r = w.Presenter().HandCardInWindow(3, w.State().HandCount[3], slot);
  return QPoint(r.left() + 4, r.center().y() + 10);
}

class Newcomer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    WriteClubFiles(folder_.path());
  }
  QTemporaryDir folder_;
};

TEST_F(Newcomer, TheStatusLineSaysWhatIsExpectedAndWhyACardWasRefused) {
  for (const int language : {i18n::kEnglish, i18n::kGerman}) {
    WriteOptionsIn(folder_.path(), 3, language);
    MainWindow window(TestWindowOptions(folder_.path()));
    StartWindow(window);
    DialogPilot pilot;
    EnterAsGuest(window);
    ASSERT_TRUE(window.State().InGame);
    const GameState& s = window.State();
    const auto guide = [](int row) { return i18n::Text(i18n::WordsGuide, row); };
    std::set<std::string> seen;
    PlayerRobot robot;
    for (int guard = 0; guard < 200000 && s.InGame && seen.size() < 5; ++guard) {
      const QString text = window.StatusLineText();
      if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && Usable(window.Button7())) {
        EXPECT_TRUE(text.contains(guide(2))) << text.toStdString();
        seen.insert("bid");
      }
      if (s.Phase == phTrickFull && Usable(window.Button7())) {
        EXPECT_TRUE(text.contains(guide(9).arg(QStringLiteral("Ok")).toHtmlEscaped())) << text.toStdString();
        seen.insert("collect");
      }
      if (s.Phase == phPlay3) {
        EXPECT_TRUE(text.contains(ContractText(s).toHtmlEscaped())) << text.toStdString();
        EXPECT_FALSE(ContractText(s).isEmpty());
        seen.insert("contract");
        if (s.TrickPos > 1 && HasSuit(s.Hands[3], s.LedSuit)) {
          // Unless a refused card is being explained, the line says what to follow.
          if (!text.contains(QStringLiteral("#ffb0a0"))) {
            EXPECT_TRUE(text.contains(guide(4).arg(SuitSign(s.LedSuit)))) << text.toStdString();
            seen.insert("follow");
          }
          int illegal = 0;
          for (int slot = 1; slot <= s.HandCount[3] && illegal == 0; ++slot)
            if (window.GameEngine().IsIllegalHumanCard(slot)) illegal = slot;
          if (illegal != 0 && seen.count("refused") == 0) {
            // Without sound the refusal is read on the status line.
            const GameState before = s;
            QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, CardPoint(window, illegal));
            ASSERT_TRUE(s == before);
            const QString refused = window.StatusLineText();
            EXPECT_TRUE(refused.contains(guide(13).arg(SuitSign(s.LedSuit)))) << refused.toStdString();
            EXPECT_TRUE(window.StatusLine()->isVisible());
            seen.insert("refused");
          }
        }
      }
      if (!robot.Step(window)) QTest::qWait(1);
    }
    EXPECT_EQ(seen.size(), 5u) << "language " << language;
    // Where the status line stands it hides nothing of the table.
    const QRect line = window.StatusLine()->geometry();
    EXPECT_TRUE(QRect(QPoint(0, 0), window.Canvas()->size()).contains(line));
    for (Layer layer : {Layer::ImageCards1, Layer::ImageCards2, Layer::ImageCards3, Layer::ImageTab1, Layer::ImageTab2,
                        Layer::ImageTab3, Layer::ImageSay1, Layer::ImageSay2, Layer::ImageSay3, Layer::ImageStol,
                        Layer::ImageKon})
      EXPECT_FALSE(line.intersects(window.Canvas()->LayerRect(layer))) << LayerName(layer).toStdString();
    EXPECT_FALSE(line.intersects(window.Button7()->geometry()));
    window.close();
  }
}

// Plays one round without ever pressing the table's "Ok": true when the next
// round (or the end of the game) is reached.
bool PlayRoundWithoutOk(MainWindow& window, int& ok_clicks) {
  const GameState& s = window.State();
  const int round = s.RoundNo;
  for (int guard = 0; guard < 200000; ++guard) {
    if (!s.InGame || s.RoundNo != round || s.Phase == phNextRound || s.GameOver) return true;
    if (window.Busy()) {  // the player waits until the table has shown the last step
      QTest::qWait(1);
      continue;
    }
    QPushButton* next = window.Button7();
    if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && Usable(next)) {
      QTest::mouseClick(s.CurrentBid < 100 || !Usable(window.Button8()) ? next : window.Button8(), Qt::LeftButton);
      continue;
    }
    if (s.Phase == phGive && s.Declarer == 3 && s.GiveIdx1 == 0) {
      QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, CardPoint(window, 1));
      QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, CardPoint(window, 2));
      continue;
    }
    if (s.Phase == phPlay3) {
      for (int slot = 1; slot <= s.HandCount[3]; ++slot) {
        if (window.GameEngine().IsIllegalHumanCard(slot)) continue;
        QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, CardPoint(window, slot));
        break;
      }
      continue;
    }
    if (Usable(next) && next->text() != QLatin1String("Ok")) {  // "To Begin", "To open cards", "To distribute cards"
      QTest::mouseClick(next, Qt::LeftButton);
      continue;
    }
    if (Usable(next)) ++ok_clicks;  // an "Ok" waits: it must go on by itself
    QTest::qWait(2);
  }
  return false;
}

TEST_F(Newcomer, AutoContinuePlaysAWholeRoundWithoutOk) {
  WriteOptionsIn(folder_.path(), 1, i18n::kEnglish);
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  EXPECT_FALSE(window.GuideChoices().AutoContinue) << "off by default: the classic flow";
  DialogPilot pilot;
  EnterAsGuest(window);
  const GameState& s = window.State();

  // Off: the first "Ok" of the round waits for the player.
  int waits = 0;
  for (int guard = 0; guard < 100000 && !(Usable(window.Button7()) && window.Button7()->text() == "Ok"); ++guard) {
    if (window.Busy()) {
      QTest::qWait(1);
    } else if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && Usable(window.Button8())) {
      QTest::mouseClick(window.Button8(), Qt::LeftButton);  // pass: a computer declares
    } else if (Usable(window.Button7()) && window.Button7()->text() != "Ok") {
      QTest::mouseClick(window.Button7(), Qt::LeftButton);
    } else {
      QTest::qWait(1);
    }
  }
  ASSERT_EQ(window.Button7()->text(), QStringLiteral("Ok"));
  const GameState waiting = s;
  QTest::qWait(150);
  EXPECT_TRUE(s == waiting) << "without the option \"Ok\" waits";
  (void)waits;

  GuideOptions on;
  on.AutoContinue = true;
  window.SetGuideOptions(on);
  EXPECT_EQ(LoadGuideOptions(folder_.path().toStdString()), on) << "the choice is saved at once";
  const int first_round = s.RoundNo;
  int ok_clicks = 0;
  ASSERT_TRUE(PlayRoundWithoutOk(window, ok_clicks));
  EXPECT_TRUE(s.Phase == phNextRound || s.GameOver);
  EXPECT_EQ(s.RoundNo, first_round);
  // And a whole round from its deal, whoever declares.
  if (!s.GameOver) {
    QTest::mouseClick(window.Button7(), Qt::LeftButton);  // "Next Round"
    ASSERT_EQ(s.RoundNo, first_round + 1);
    ASSERT_TRUE(PlayRoundWithoutOk(window, ok_clicks));
    EXPECT_TRUE(s.Phase == phNextRound || s.GameOver);
  }
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  window.close();
}

TEST_F(Newcomer, TheScoreSheetListsEveryRoundPlayed) {
  WriteOptionsIn(folder_.path(), 4, i18n::kEnglish);
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  std::vector<SheetRound> expected;
  {
    DialogPilot pilot;
    EnterAsGuest(window);
    const GameState& s = window.State();
    PlayerRobot robot;
    for (int guard = 0; guard < 400000 && s.InGame && expected.size() < 3; ++guard) {
      if ((s.Phase == phNextRound || s.GameOver) && (expected.empty() || expected.back().Round != s.RoundNo)) {
        SheetRound r;
        r.Round = s.RoundNo;
        r.Declarer = s.Declarer;
        r.Bid = s.CurrentBid;
        r.Order = s.Zakaz;
        r.Made = s.RoundPoints[s.Declarer] >= s.Zakaz;
        for (std::size_t seat = 1; seat <= 3; ++seat) {
          r.Points[seat] = s.RoundPoints[seat];
          r.Marriages[seat] = s.RoundPoints[seat] - s.CardPoints[seat];
          r.Scores[seat] = s.Scores[seat];
        }
        expected.push_back(r);
        if (expected.size() == 3) break;
      }
      if (!robot.Step(window)) QTest::qWait(1);
    }
  }
  ASSERT_EQ(expected.size(), 3u);
  EXPECT_EQ(window.Sheet().Rounds(), expected);
  // The scores fall as the rules say: the declarer by his order when made.
  int before[4] = {0, 501, 501, 501};
  for (const SheetRound& r : expected) {
    const int d = r.Declarer;
    EXPECT_EQ(r.Scores[static_cast<std::size_t>(d)], before[d] + (r.Made ? -r.Order : r.Order));
    for (int seat = 1; seat <= 3; ++seat) before[seat] = r.Scores[static_cast<std::size_t>(seat)];
  }

  // The popup entry opens the sheet with a row per round.
  QAction* entry = window.PopupMenu()->findChild<QAction*>(QStringLiteral("ScoreSheet"));
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->isEnabled());
  bool looked = false;
  QTimer::singleShot(0, [&] {
    auto* sheet = qobject_cast<TFormScoreSheet*>(QApplication::activeModalWidget());
    ASSERT_NE(sheet, nullptr);
    QTableWidget* table = sheet->Table();
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("Round"));
    for (int row = 0; row < 3; ++row) {
      const SheetRound& r = expected[static_cast<std::size_t>(row)];
      EXPECT_EQ(table->item(row, 0)->text(), QString::number(r.Round));
      EXPECT_EQ(table->item(row, 3)->text(), QString::number(r.Order));
      EXPECT_EQ(table->item(row, 4)->text(), r.Made ? QStringLiteral("made") : QStringLiteral("set"));
      EXPECT_TRUE(table->item(row, 7)->text().endsWith(QString::number(r.Scores[3])));
    }
    EXPECT_LE(sheet->width(), window.width());
    EXPECT_LE(sheet->height(), window.height());
    looked = true;
    sheet->accept();
  });
  entry->trigger();
  EXPECT_TRUE(looked);
  DialogPilot pilot;
  window.close();
}

TEST_F(Newcomer, TheScoreWindowExplainsTheGeneralCountAndTheRating) {
  ScoreWindowData data;
  data.PlayerName = QStringLiteral("Tester");
  TFormScore score(data, Settings{});
  const QString hint = i18n::Text(i18n::WordsGuide, 25);
  EXPECT_TRUE(hint.contains(QStringLiteral("general count")) && hint.contains(QStringLiteral("rating")));
  EXPECT_EQ(score.toolTip(), hint);
  for (const char* name : {"Count_ScoCur", "Count_ScoAll", "Count_ReiBeg", "Count_ReiCur"}) {
    auto* value = score.findChild<QLabel*>(QString::fromLatin1(name));
    ASSERT_NE(value, nullptr) << name;
    EXPECT_EQ(value->toolTip(), hint) << name;
  }
}

TEST_F(Newcomer, AGameLeftMidRoundIsContinuedAtTheNextStart) {
  WriteOptionsIn(folder_.path(), 1, i18n::kEnglish);
  GameState at_deal;  // the kept round as it was dealt
  GameState at_close;
  {
    MainWindow window(TestWindowOptions(folder_.path()));
    StartWindow(window);
    GuideOptions keep;
    keep.KeepGame = true;
    window.SetGuideOptions(keep);
    DialogPilot pilot;
    EnterAsGuest(window);
    const GameState& s = window.State();
    PlayerRobot robot;
    // Into the second round, then to its third trick.
    for (int guard = 0; guard < 400000 && s.InGame; ++guard) {
      if (s.BidState == 1 && s.Phase != phNextRound && s.RoundNo == 2 && at_deal.RoundNo != 2) at_deal = s;
      if (s.RoundNo == 2 && s.TrickNo == 3 && s.Phase == phPlay3) break;
      if (!robot.Step(window)) QTest::qWait(1);
    }
    ASSERT_EQ(s.RoundNo, 2);
    ASSERT_EQ(at_deal.RoundNo, 2);
    at_close = s;
    window.close();
    EXPECT_EQ(pilot.confirms, 0) << "a kept game is not lost, so nothing is asked";
  }
  ASSERT_TRUE(QFile::exists(folder_.path() + QStringLiteral("/VarnokKept.txt")));

  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  DialogPilot pilot;
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  for (int guard = 0; guard < 2000 && !window.State().InGame; ++guard) QTest::qWait(2);
  EXPECT_EQ(pilot.resume_offers, 1);
  const GameState& s = window.State();
  ASSERT_TRUE(s.InGame);
  EXPECT_EQ(s.RoundNo, at_close.RoundNo);
  EXPECT_EQ(s.Scores, at_close.Scores);
  EXPECT_EQ(s.KonNo, at_close.KonNo);
  EXPECT_EQ(s.Names[3], at_close.Names[3]);
  EXPECT_EQ(s.BidState, 1);
  for (int seat = 1; seat <= 3; ++seat) EXPECT_TRUE(s.Hands[seat] == at_deal.Hands[seat]) << "seat " << seat;
  EXPECT_EQ(s.Widow, at_deal.Widow);
  EXPECT_EQ(window.Sheet().Rounds().size(), 1u) << "the first round's line came along";
  EXPECT_FALSE(QFile::exists(folder_.path() + QStringLiteral("/VarnokKept.txt"))) << "offered once";
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  window.close();  // the option is still on: the game is kept again
  EXPECT_EQ(pilot.confirms, 0);
  EXPECT_TRUE(QFile::exists(folder_.path() + QStringLiteral("/VarnokKept.txt")));
}

TEST_F(Newcomer, ExitToMenuKeepsTheClassicWarningAndOffersToKeepTheGame) {
  WriteOptionsIn(folder_.path(), 1, i18n::kEnglish);
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  GuideOptions keep;
  keep.KeepGame = true;
  window.SetGuideOptions(keep);
  DialogPilot pilot;
  EnterAsGuest(window);
  ASSERT_TRUE(window.State().InGame);
  pilot.keep = false;
  ASSERT_TRUE(window.ExitToMenu());
  EXPECT_EQ(pilot.confirms, 1);
  EXPECT_EQ(pilot.keep_offers, 1);
  EXPECT_FALSE(QFile::exists(folder_.path() + QStringLiteral("/VarnokKept.txt")));

  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
  ASSERT_TRUE(window.State().InGame);
  pilot.keep = true;
  ASSERT_TRUE(window.ExitToMenu());
  EXPECT_EQ(pilot.confirms, 2);
  EXPECT_EQ(pilot.keep_offers, 2);
  EXPECT_TRUE(window.MenuShown());
  EXPECT_TRUE(QFile::exists(folder_.path() + QStringLiteral("/VarnokKept.txt")));
  window.close();
}

}  // namespace
}  // namespace varnok
