// varnok-table-shots --tour MODE LANGUAGE FOLDER
//
// Takes the pictures a newcomer sees in window size MODE and language
// LANGUAGE (0..9) into FOLDER: menu.png, table.png (a trick in play with the
// status line), order.png (the order dialog over the table), sheet.png (the
// score sheet after the rounds played), history.png (the history window),
// topten.png (the top ten with ten places taken) and score.png (the score
// window).
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "club_file.h"
#include "form_history.h"
#include "form_score.h"
#include "form_top_ten.h"
#include "form_mast.h"
#include "form_message.h"
#include "form_password.h"
#include "form_zakaz.h"
#include "loader.h"
#include "main_window.h"
#include "recwin_count.h"
#include "score_sheet.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "top_ten.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

bool Usable(QPushButton* b) { return b->isVisible() && b->isEnabled(); }

// The main window and whatever stands over it, as the display shows it.
bool Shot(MainWindow& window, const QString& file, QWidget* over = nullptr) {
  QTest::qWait(150);
  QRect area(window.Canvas()->mapToGlobal(QPoint(0, 0)), window.Canvas()->size());
  if (over != nullptr) area = area.united(over->frameGeometry());
  const bool saved = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(file);
  std::fprintf(stderr, saved ? "saved %s\n" : "could not save %s\n", qPrintable(file));
  return saved;
}

}  // namespace

int TourShots(int mode, int language, const QString& out) {
  QTemporaryDir folder;
  for (const char* name : {"Varnok.clb", "Varnok.net"})
    SaveClubFile(std::filesystem::path(folder.path().toStdString()) / name, EmptyClubLines());
  Settings settings;
  settings.WindowMode = mode;
  settings.FlyingCards = false;
  settings.Music = false;
  settings.Sound = false;
  settings.LanguageIndex = language;
  {
    std::ofstream file((folder.path() + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
    file << FormatSettings(settings);
  }
  WindowOptions options;
  options.program_folder = folder.path();
  options.silent = true;
  options.skip_pauses = true;
  options.fast_timer_ms = 5;
  MainWindow window(options);
  SetProgramFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/../../app"));
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) std::fprintf(stderr, "the window was not shown\n");
  QTest::qWait(100);
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  QTest::qWait(300);
  Shot(window, out + QStringLiteral("/menu.png"));
  {
    TFormHistory history(folder.path(), QStringLiteral("Varnok.clb"), window.Options(), &window);
    history.show();
    CentreOn(history, &window);
    Shot(window, out + QStringLiteral("/history.png"), &history);
  }
  {
    std::vector<TopTenEntry> entries(10);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      entries[i].Empty = false;
      entries[i].Name = i == 9 ? "Konstantin Konstantinopolsky" : "Player " + std::to_string(i + 1);
      entries[i].Score = static_cast<int>(900 - 120 * i);
      entries[i].ScoreText = std::to_string(entries[i].Score);
    }
    TFormTopTen top_ten(MakeTopTenView(entries, ClubKind::Local), window.Options(), &window);
    top_ten.show();
    CentreOn(top_ten, &window);
    Shot(window, out + QStringLiteral("/topten.png"), &top_ten);
  }

  bool order_taken = false;
  QTimer pilot;
  QObject::connect(&pilot, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (qobject_cast<TFormPassword*>(modal) != nullptr) {
      static bool typed = false;
      if (typed) return;
      typed = true;
      for (const char* name : {"Edit2", "Edit3"})
        if (auto* edit = modal->findChild<QLineEdit*>(QString::fromLatin1(name))) edit->setText(QStringLiteral("pw"));
      if (auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("Edit1"))) edit->setText(QStringLiteral("Anna"));
      if (auto* ok = modal->findChild<QAbstractButton*>(QStringLiteral("Button1")))
        QTimer::singleShot(0, ok, [ok] { ok->click(); });
    } else if (qobject_cast<TFormMast*>(modal) != nullptr) {
      if (auto* b = modal->findChild<QAbstractButton*>(QStringLiteral("SuitSpades"))) b->click();
    } else if (auto* zakaz = qobject_cast<TFormZakaz*>(modal)) {
      if (!order_taken) {
        order_taken = true;
        pilot.stop();
        Shot(window, out + QStringLiteral("/order.png"), zakaz);
        pilot.start(10);
      }
      if (auto* b = modal->findChild<QAbstractButton*>(QStringLiteral("Ok"))) b->click();
    } else if (auto* box = qobject_cast<TFormMessage*>(modal)) {
      if (box->YesButton() != nullptr) box->YesButton()->click();
      else if (box->OkButton() != nullptr) box->OkButton()->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->accept();
    }
  });
  pilot.start(10);
  if (auto* button = window.Canvas()->findChild<QPushButton*>(QStringLiteral("Button6")))
    QTest::mouseClick(button, Qt::LeftButton);  // "New Player"

  const GameState& s = window.State();
  bool table_taken = false;
  for (int guard = 0; guard < 400000 && s.InGame; ++guard) {
    if (window.Sheet().Rounds().size() >= 3 || (s.GameOver && order_taken)) break;
    if (!table_taken && order_taken && s.Phase == phPlay3 && s.TrickPos >= 2 && s.TrickNo >= 2) {
      table_taken = Shot(window, out + QStringLiteral("/table.png"));
    }
    if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3] && Usable(window.Button7())) {
      // Bids high until declaring once, then cheaply.
      const bool raise = order_taken ? s.CurrentBid < 100 : s.CurrentBid < 160;
      QTest::mouseClick(raise || !Usable(window.Button8()) ? window.Button7() : window.Button8(), Qt::LeftButton);
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
    } else if (Usable(window.Button7()) && !s.GameOver) {
      QTest::mouseClick(window.Button7(), Qt::LeftButton);
    } else {
      QTest::qWait(2);
    }
  }
  pilot.stop();
  {
    std::array<QString, 4> names;
    for (std::size_t seat = 1; seat <= 3; ++seat) names[seat] = QString::fromStdString(s.Names[seat]).trimmed();
    TFormScoreSheet sheet(window.Sheet().Rounds(), names, window.Canvas()->Layout(), &window);
    sheet.show();
    CentreOn(sheet, &window);
    Shot(window, out + QStringLiteral("/sheet.png"), &sheet);
  }
  {
    ScoreWindowData data;
    data.Count = CountOfGame(s, window.GameEngine().Mode(), ScoreSource{});
    data.PlayerName = QStringLiteral("Anna");
    TFormScore score(data, window.Options(), &window);
    score.show();
    CentreOn(score, &window);
    Shot(window, out + QStringLiteral("/score.png"), &score);
  }
  window.hide();
  return table_taken && order_taken ? 0 : 1;
}

}  // namespace varnok
