// varnok-table-shots MODE OUT.png [STEP [MENU.png]]
// varnok-table-shots --tour MODE LANGUAGE FOLDER   (see tour_shots.cpp)
//
// Starts the game in window size MODE (1..5) on the display it is given (run
// it under Xvfb), plays as a guest until the middle of a trick, and takes a
// screenshot from the display while the player's card is flying, STEP pixels
// (default 40) into its flight. The picture shows what a player sees.
// STEP -1 bids until the player declares and takes the moment the two cards
// to give are chosen.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "club_file.h"
#include "form_mast.h"
#include "form_password.h"
#include "form_zakaz.h"
#include "loader.h"
#include "main_window.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "zub_cards_button.h"

using namespace varnok;

namespace varnok {
int TourShots(int mode, int language, const QString& out);
}

namespace {

bool Usable(QPushButton* b) { return b->isVisible() && b->isEnabled(); }

void AnswerDialogs() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  if (qobject_cast<TFormPassword*>(modal) != nullptr) {
    static bool typed = false;
    if (typed) return;
    typed = true;
    for (const char* name : {"Edit2", "Edit3"})
      if (auto* edit = modal->findChild<QLineEdit*>(QString::fromLatin1(name))) edit->setText(QStringLiteral("pw"));
    if (auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("Edit1"))) edit->setText(QStringLiteral("Player"));
    if (auto* ok = modal->findChild<QAbstractButton*>(QStringLiteral("Button1")))
      QTimer::singleShot(0, ok, [ok] { ok->click(); });
    return;
  }
  const char* name = qobject_cast<TFormMast*>(modal) ? "SuitSpades" : qobject_cast<TFormZakaz*>(modal) ? "Ok" : nullptr;
  if (name != nullptr) {
    if (auto* b = modal->findChild<QAbstractButton*>(QString::fromLatin1(name))) b->click();
  } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    box->accept();
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc == 5 && QLatin1String(argv[1]) == QLatin1String("--tour"))
    return TourShots(std::atoi(argv[2]), std::atoi(argv[3]), QString::fromLocal8Bit(argv[4]));
  if (argc < 3) {
    std::fprintf(stderr, "usage: varnok-table-shots MODE OUT.png [STEP]\n");
    return 2;
  }
  const int mode = std::atoi(argv[1]);
  const QString out = QString::fromLocal8Bit(argv[2]);
  const long step = argc > 3 ? std::atol(argv[3]) : 40;

  QTemporaryDir folder;
  for (const char* name : {"Varnok.clb", "Varnok.net"})
    SaveClubFile(std::filesystem::path(folder.path().toStdString()) / name, EmptyClubLines());
  Settings settings;
  settings.WindowMode = mode;
  settings.FlyingCards = true;
  settings.CardSpeed = 5;
  settings.Music = false;
  settings.Sound = false;
  {
    std::ofstream file((folder.path() + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
    file << FormatSettings(settings);
  }
  WindowOptions options;
  options.program_folder = folder.path();
  options.silent = true;
  options.skip_pauses = true;
  options.fast_timer_ms = 5;
  // The card libraries and backgrounds lie beside the program.
  MainWindow window(options);
  SetProgramFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/../../app"));
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "the window was not shown\n");
  QTest::qWait(100);
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  if (argc > 4) {
    // The menu screen as well, beside the table's picture.
    QTest::qWait(300);
    const QPoint at = window.Canvas()->mapToGlobal(QPoint(0, 0));
    window.screen()->grabWindow(0, at.x(), at.y(), window.Canvas()->width(), window.Canvas()->height())
        .save(QString::fromLocal8Bit(argv[4]));
  }

  QTimer pilot;
  QObject::connect(&pilot, &QTimer::timeout, &AnswerDialogs);
  pilot.start(10);
  if (auto* button = window.Canvas()->findChild<QPushButton*>(QStringLiteral("Button6")))
    QTest::mouseClick(button, Qt::LeftButton);  // "New Player"

  bool saved = false;
  const GameState& s = window.State();
  for (int guard = 0; guard < 200000 && !saved; ++guard) {
    if (step < 0 && s.Phase == phGiveChosen) {
      // STEP -1: the player as declarer with the two cards to give raised.
      QTest::qWait(100);
      const QPoint at = window.Canvas()->mapToGlobal(QPoint(0, 0));
      saved = window.screen()
                  ->grabWindow(0, at.x(), at.y(), window.Canvas()->width(), window.Canvas()->height())
                  .save(out);
      break;
    }
    if (step >= 0 && s.Phase == phPlay3 && s.TrickPos == 3 && s.TrickNo >= 2) {
      int legal = 1;
      while (legal <= s.HandCount[3] && window.GameEngine().IsIllegalHumanCard(legal)) ++legal;
      const long start = window.Canvas()->FlightSteps();
      window.Canvas()->SetStepObserver([&](long steps) {
        if (saved || steps - start != step) return;
        QScreen* screen = window.screen();
        const QPoint at = window.Canvas()->mapToGlobal(QPoint(0, 0));
        saved = screen->grabWindow(0, at.x(), at.y(), window.Canvas()->width(), window.Canvas()->height()).save(out);
      });
      const QRect r = window.Presenter().HandCardInWindow(3, s.HandCount[3], legal);
      QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(r.left() + 4, r.center().y()));
      window.Canvas()->SetStepObserver({});
      break;
    }
    if (s.Phase == phBid3 && Usable(window.Button8()) && step >= 0) {
      QTest::mouseClick(window.Button8(), Qt::LeftButton);
    } else if (s.Phase == phBid3 && step < 0 && Usable(window.Button7()) && s.CurrentBid < 150) {
      QTest::mouseClick(window.Button7(), Qt::LeftButton);  // bids high to become the declarer
    } else if (s.Phase == phPlay3) {
      int legal = 1;
      while (legal <= s.HandCount[3] && window.GameEngine().IsIllegalHumanCard(legal)) ++legal;
      const QRect r = window.Presenter().HandCardInWindow(3, s.HandCount[3], legal);
      QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(r.left() + 4, r.center().y()));
    } else if (s.Phase == phGive && s.Declarer == 3 && s.GiveIdx1 == 0) {
      for (int slot : {2, 5}) {
        const QRect r = window.Presenter().HandCardInWindow(3, s.HandCount[3], slot);
        QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(r.left() + 4, r.center().y()));
      }
    } else if (Usable(window.Button7())) {
      QTest::mouseClick(window.Button7(), Qt::LeftButton);
    } else {
      QTest::qWait(2);
    }
  }
  std::fprintf(stderr, saved ? "saved %s\n" : "no picture taken (%s)\n", argv[2]);
  window.hide();
  return saved ? 0 : 1;
}
