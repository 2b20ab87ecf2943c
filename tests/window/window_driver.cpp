#include "window_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <fstream>

#include "club_file.h"
#include "form_mast.h"
#include "form_message.h"
#include "form_password.h"
#include "form_score.h"
#include "form_zakaz.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "zub_cards_button.h"

namespace varnok::testing {

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
DialogPilot::DialogPilot() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }

void DialogPilot::Click(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }

void DialogPilot::Look() {
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
    } else if (qobject_cast<TFormPassword*>(modal) != nullptr) {
      ++player_windows;
      auto* name_edit = modal->findChild<QLineEdit*>(QStringLiteral("Edit1"));
      auto* repeat = modal->findChild<QLineEdit*>(QStringLiteral("Edit3"));
      if (name_edit != nullptr && name_edit->isEnabled()) {
        name_edit->clear();
        QTest::keyClicks(name_edit, name);
      }
      QTest::keyClicks(modal->findChild<QLineEdit*>(QStringLiteral("Edit2")), password);
      if (repeat != nullptr && repeat->isEnabled()) QTest::keyClicks(repeat, password);
      Click(modal, "Button1");
      if (expect_refusal) {
        EXPECT_TRUE(modal->isVisible()) << "a wrong password was accepted";
        if (auto* status = modal->findChild<QLabel*>(QStringLiteral("Label4"))) refusal = status->text();
        QTest::keyClick(modal, Qt::Key_Escape);
      }
    } else if (qobject_cast<TFormScore*>(modal) != nullptr) {
      ++scores;
      score_values.clear();
      for (QLabel* label : modal->findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QLatin1String("Count_")))
          score_values[label->objectName().mid(6)] = label->text().trimmed();
      }
      Click(modal, "Ok");
    } else if (auto* box = qobject_cast<TFormMessage*>(modal)) {
      if (box->objectName() == QLatin1String("ConfirmLeave")) {
        ++confirms;
        QTest::mouseClick(leave ? box->YesButton() : box->NoButton(), Qt::LeftButton);
      } else if (box->objectName() == QLatin1String("KeepOffer")) {
        ++keep_offers;
        QTest::mouseClick(keep ? box->YesButton() : box->NoButton(), Qt::LeftButton);
      } else if (box->objectName() == QLatin1String("ResumeOffer")) {
        ++resume_offers;
        QTest::mouseClick(resume ? box->YesButton() : box->NoButton(), Qt::LeftButton);
      } else {
        strangers << box->Text();
        QTest::mouseClick(box->OkButton(), Qt::LeftButton);
      }
    } else {
      strangers << modal->metaObject()->className();
      modal->close();
    }
    busy_ = false;
  }


namespace {

QPoint CardPoint(MainWindow& w, int slot) {
  const GameState& s = w.State();
  const QRect r = w.Presenter().HandCardInWindow(3, s.HandCount[3], slot);
  const bool raised = (s.Phase == phGive || s.Phase == phGiveChosen) && (slot == s.GiveIdx1 || slot == s.GiveIdx2);
  const int lift = raised ? HandRaiseOffset(r.size()) : 0;
  return QPoint(r.left() + 4, r.center().y() - lift / 2 + 10);
}

// A click on a card, and the wait until the table has shown what it did.
void ClickCard(MainWindow& w, int slot) {
  QTest::mouseClick(w.Canvas(), Qt::LeftButton, {}, CardPoint(w, slot));
  WaitIdle(w);
}

bool Usable(QPushButton* b) { return b->isVisible() && b->isEnabled(); }

}  // namespace

void WaitIdle(MainWindow& w) {
  for (int guard = 0; guard < 10000 && w.Busy(); ++guard) QTest::qWait(1);
}

bool PlayerRobot::Step(MainWindow& w) {
  const GameState& s = w.State();
  if (!s.InGame) return false;
  // A person waits until the table has shown what happened.
  if (w.Busy()) return false;
  if (s.RoundNo != last_round) {
    last_round = s.RoundNo;
    ++stats.rounds;
  }
  if (s.GameOver && Usable(w.Button8())) {
    QTest::mouseClick(w.Button8(), Qt::LeftButton);
    return true;
  }
  if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && Usable(w.Button7())) {
    // Bid while it is cheap, then pass.
    if (s.CurrentBid < 95 || !Usable(w.Button8())) QTest::mouseClick(w.Button7(), Qt::LeftButton);
    else QTest::mouseClick(w.Button8(), Qt::LeftButton);
    return true;
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
    return true;
  }
  if (s.Phase == phPlay3 && s.HandCount[3] > 0) {
    if (s.TrickNo != last_trick || s.RoundNo != last_trick_round) {
      last_trick = s.TrickNo;
      last_trick_round = s.RoundNo;
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
      return true;
    }
    EXPECT_NE(legal, 0);
    const int count = s.HandCount[3];
    ClickCard(w, legal);
    EXPECT_EQ(s.HandCount[3], count - 1);
    ++stats.cards_played;
    return true;
  }
  if (Usable(w.Button7())) {
    QTest::mouseClick(w.Button7(), Qt::LeftButton);
    return true;
  }
  return false;
}

// Plays until the window is back on the menu screen; false when stuck.
bool PlayWholeGame(MainWindow& w, GameStats& stats) {
  PlayerRobot robot;
  for (int guard = 0; guard < 400000; ++guard) {
    if (w.MenuShown() && !w.State().InGame) {
      stats = robot.stats;
      return true;
    }
    if (!robot.Step(w)) QTest::qWait(1);
  }
  stats = robot.stats;
  return false;
}

// Fresh club files, as the program's build puts beside it.
void WriteClubFiles(const QString& folder) {
  for (const char* name : {"Varnok.clb", "Varnok.net"}) {
    ASSERT_TRUE(SaveClubFile(std::filesystem::path(folder.toStdString()) / name, EmptyClubLines()));
  }
}

QPushButton* MenuButton(MainWindow& w, const char* name) {
  return w.Canvas()->findChild<QPushButton*>(QString::fromLatin1(name));
}

void WriteOptions(const QString& folder, int mode, bool animate, int speed) {
  Settings settings;
  settings.WindowMode = mode;
  settings.FlyingCards = animate;
  settings.CardSpeed = speed;
  settings.Music = false;
  settings.Sound = false;
  WriteSettings(folder, settings);
}

void WriteSettings(const QString& folder, const Settings& settings) {
  std::ofstream out((folder + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
  out << FormatSettings(settings);
}

Settings StillSilentSettings(int mode, int language) {
  Settings settings;
  settings.WindowMode = mode;
  settings.FlyingCards = false;
  settings.Music = false;
  settings.Sound = false;
  settings.LanguageIndex = language;
  return settings;
}


WindowOptions TestWindowOptions(const QString& folder) {
  WindowOptions options;
  options.program_folder = folder;
  options.silent = true;
  options.skip_pauses = true;
  options.fast_timer_ms = 1;
  // The chat and news markers stay in the test's own folder.
  options.marker_folder = folder;
  return options;
}

void StartWindow(MainWindow& window) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::qWait(20);  // the start-up after the first paint reads the options and the club files
}

}  // namespace varnok::testing
