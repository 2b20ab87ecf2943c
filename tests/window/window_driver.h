// Drives the real main window like a person: clicks on the title, the menu
// and the cards, the two table buttons, and a pilot that answers the modal
// windows of a game (player window, trump, order, score, confirmations).
#pragma once

#include <QObject>
#include <QPoint>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <map>

#include "main_window.h"

namespace varnok::testing {

void EnsureApplication();

class DialogPilot : public QObject {
 public:
  DialogPilot();
  int trumps = 0, orders = 0, scores = 0, confirms = 0, player_windows = 0;
  // The newcomer's questions: keep the game when leaving, continue a kept one.
  int keep_offers = 0, resume_offers = 0;
  bool keep = true;
  bool resume = true;
  QStringList strangers;
  // What the player types into the player window: a new player gives name
  // and password twice, a member only the password. A wrong password is
  // expected to be refused; the pilot then gives up with Escape.
  QString name = QStringLiteral("Tester");
  QString password = QStringLiteral("pw1");
  bool expect_refusal = false;
  // The answer to "You want to leave in the main menu?".
  bool leave = true;
  QString refusal;
  // The values of the last score window: "KonAll" -> "1", "ScoCur" -> "+37", ...
  std::map<QString, QString> score_values;

 private:
  void Click(QWidget* dialog, const char* name);
  void Look();
  QTimer timer_;
  bool busy_ = false;
};

struct GameStats {
  int rounds = 0;
  int declared = 0;       // rounds where the player gave the cards
  int illegal_tries = 0;  // illegal cards clicked, each changing nothing
  int cards_played = 0;
};

// The player at one window: each Step does one thing a person would do now
// (bid or pass, choose the gift, try an illegal card once a trick, play a
// card, press "next", leave a finished game); false when there is nothing to do.
struct PlayerRobot {
  GameStats stats;
  int last_round = 0;
  int last_trick = 0;
  int last_trick_round = 0;
  bool tried_illegal_this_trick = false;
  bool Step(MainWindow& w);
};

// Waits until the table has shown every step (flights, pauses) and no game
// dialog is open.
void WaitIdle(MainWindow& w);
// Plays until the window is back on the menu screen; false when stuck.
bool PlayWholeGame(MainWindow& w, GameStats& stats);
// Fresh club files, as the program's build puts beside it.
void WriteClubFiles(const QString& folder);
QPushButton* MenuButton(MainWindow& w, const char* name);
void WriteOptions(const QString& folder, int mode, bool animate, int speed = 6);
// Writes the options file of the program in `folder`.
void WriteSettings(const QString& folder, const Settings& settings);
// Options for window tests: window size `mode`, `language`, no sound or
// music, cards that do not fly.
Settings StillSilentSettings(int mode, int language);
// A window over `folder`, silent, fast, shown, with its start-up done.
WindowOptions TestWindowOptions(const QString& folder);
void StartWindow(MainWindow& window);

}  // namespace varnok::testing
