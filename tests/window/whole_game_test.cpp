// Whole games through the real main window, driven like a person: the
// driver clicks the title, presses "next" and "pass", chooses the gift, the
// trump and the order in the dialogs, tries an illegal card first and sees
// nothing change, and leaves with "Exit to menu" when the game is over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iostream>

#include "form_mast.h"
#include "form_zakaz.h"
#include "layout.h"
#include "main_window.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnok_window_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

// Answers the modal windows of a game the way a player would.
class DialogPilot : public QObject {
 public:
  DialogPilot() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }
  int trumps = 0, orders = 0, scores = 0, confirms = 0;
  QStringList strangers;

 private:
  void Click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || busy_) return;
    busy_ = true;
    if (qobject_cast<TFormMast*>(modal) != nullptr) {
      // Escape is refused: the dialog stays until a suit is chosen.
      QTest::keyClick(modal, Qt::Key_Escape);
      EXPECT_TRUE(modal->isVisible());
      static const char* const kSuits[] = {"SuitHearts", "SuitDiamonds", "SuitClubs", "SuitSpades"};
      Click(modal, kSuits[trumps++ % 4]);
    } else if (auto* zakaz = qobject_cast<TFormZakaz*>(modal)) {
      const int before = zakaz->Value();
      Click(modal, "Up5");
      EXPECT_NE(zakaz->Value(), before);
      Click(modal, "Down5");
      EXPECT_EQ(zakaz->Value(), before);
      ++orders;
      Click(modal, "Ok");
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      if (box->objectName() == QLatin1String("ConfirmLeave")) {
        ++confirms;
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
      } else {
        if (box->objectName() == QLatin1String("ScoreWindow")) ++scores;
        else strangers << box->text();
        box->accept();
      }
    } else {
      strangers << modal->metaObject()->className();
      modal->close();
    }
    busy_ = false;
  }
  QTimer timer_;
  bool busy_ = false;
};

struct GameStats {
  int rounds = 0;
  int declared = 0;       // rounds where the player gave the cards
  int illegal_tries = 0;  // illegal cards clicked, each changing nothing
  int cards_played = 0;
};

class WholeGame : public ::testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

QPoint CardPoint(MainWindow& w, int slot) {
  const GameState& s = w.State();
  const QRect r = w.Presenter().HandCardInWindow(3, s.HandCount[3], slot);
  const bool raised = (s.Phase == phGive || s.Phase == phGiveChosen) && (slot == s.GiveIdx1 || slot == s.GiveIdx2);
  const int lift = raised ? HandRaiseOffset(r.size()) : 0;
  return QPoint(r.left() + 4, r.center().y() - lift / 2 + 10);
}

void ClickCard(MainWindow& w, int slot) {
  QTest::mouseClick(w.Canvas(), Qt::LeftButton, {}, CardPoint(w, slot));
}

bool Usable(QPushButton* b) { return b->isVisible() && b->isEnabled(); }

// Plays until the window is back on the title screen; false when stuck.
bool PlayWholeGame(MainWindow& w, GameStats& stats) {
  const GameState& s = w.State();
  int last_round = 0;
  bool tried_illegal_this_trick = false;
  int last_trick = 0;
  for (int guard = 0; guard < 400000; ++guard) {
    if (w.TitleShown()) return true;
    if (s.RoundNo != last_round) {
      last_round = s.RoundNo;
      ++stats.rounds;
    }
    if (s.GameOver && Usable(w.Button8())) {
      QTest::mouseClick(w.Button8(), Qt::LeftButton);
      continue;
    }
    if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && Usable(w.Button7())) {
      // Bid while it is cheap, then pass.
      if (s.CurrentBid < 95 || !Usable(w.Button8())) QTest::mouseClick(w.Button7(), Qt::LeftButton);
      else QTest::mouseClick(w.Button8(), Qt::LeftButton);
      continue;
    }
    if (s.Phase == phGive && s.Declarer == 3 && s.HandCount[3] == 10 && s.GiveIdx1 == 0) {
      ClickCard(w, 1);
      EXPECT_EQ(s.GiveIdx1, 1);
      ClickCard(w, 1);  // changed the mind
      EXPECT_EQ(s.GiveIdx1, 0);
      ClickCard(w, 2);
      ClickCard(w, 5);
      EXPECT_EQ(s.Phase, phGiveChosen);
      EXPECT_TRUE(Usable(w.Button7()));
      ++stats.declared;
      QTest::mouseClick(w.Button7(), Qt::LeftButton);
      continue;
    }
    if (s.Phase == phPlay3) {
      if (s.TrickNo != last_trick) {
        last_trick = s.TrickNo;
        tried_illegal_this_trick = false;
      }
      int legal = 0, illegal = 0;
      for (int slot = 1; slot <= s.HandCount[3]; ++slot) {
        if (w.GameEngine().IsIllegalHumanCard(slot)) illegal = illegal ? illegal : slot;
        else legal = legal ? legal : slot;
      }
      if (illegal != 0 && !tried_illegal_this_trick) {
        tried_illegal_this_trick = true;
        const GameState before = s;
        const QImage screen = w.Canvas()->Screen().copy();
        ClickCard(w, illegal);
        EXPECT_TRUE(s == before) << "an illegal card changed the game";
        EXPECT_TRUE(w.Canvas()->Screen() == screen) << "an illegal card changed the table";
        ++stats.illegal_tries;
        continue;
      }
      EXPECT_NE(legal, 0);
      const int count = s.HandCount[3];
      ClickCard(w, legal);
      EXPECT_EQ(s.HandCount[3], count - 1);
      ++stats.cards_played;
      continue;
    }
    if (Usable(w.Button7())) {
      QTest::mouseClick(w.Button7(), Qt::LeftButton);
      continue;
    }
    QTest::qWait(1);
  }
  return false;
}

void WriteOptions(const QString& folder, int mode, bool animate) {
  Settings settings;
  settings.WindowMode = mode;
  settings.FlyingCards = animate;
  settings.CardSpeed = 6;
  settings.Music = false;
  settings.Sound = false;
  std::ofstream out((folder + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
  out << FormatSettings(settings);
}

TEST_P(WholeGame, PlayedWithTheMouseUntilExitToMenu) {
  const auto [mode, animate] = GetParam();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), mode, animate);

  WindowOptions options;
  options.program_folder = folder.path();
  options.silent = true;
  options.skip_pauses = true;
  options.fast_timer_ms = 1;
  MainWindow window(options);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::qWait(20);  // the start-up after the first paint reads the options
  ASSERT_EQ(window.Options().WindowMode, mode);
  ASSERT_TRUE(window.TitleShown());

  DialogPilot pilot;
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  ASSERT_FALSE(window.TitleShown());
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
