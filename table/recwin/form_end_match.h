// TFormEndMatch: "The completion of game", shown after a game whose number
// of games closes a cycle of 25 (local and network games, and online rated
// games). It plays the sound of the place, runs the ending's animation (the
// best and good endings once, the regrets for as long as it is shown) and
// tells the result in four centred lines; places 1 to 10 also show the
// medal and the place's rosette.
#pragma once

#include <QDialog>
#include <QImage>
#include <vector>

#include "dialog_look.h"
#include "settings.h"
#include "top_ten.h"

class QLabel;
class QPushButton;

namespace varnok {

class AnimatedPicture;

class TFormEndMatch : public QDialog {
  Q_OBJECT

 public:
  // world_place: for an online rated game, the place in the world table
  // (shown as "Place: " and the place); 0 shows nothing.
  TFormEndMatch(const EndOfMatchView& view, const Settings& look, int world_place = 0, QWidget* parent = nullptr);

  // Plays the place's sound ("WFiBest", "WFiGood", "WFiBads") and shows the
  // window modally. place: StoreMember's place (0, or 1..10); cycleScore:
  // the cycle score that was entered.
  static void Open(QWidget* parent, int place, int cycleScore, FinishedGameKind kind, const Settings& look,
                   SoundHook sound, int worldPlace = 0);

  const EndOfMatchView& View() const { return view_; }
  // The text lines, top to bottom (object names "Line1" .. "Line4").
  const std::vector<QLabel*>& Lines() const { return lines_; }
  AnimatedPicture* Ending() const { return ending_; }
  QPushButton* OkButton() const { return ok_; }  // object name "Ok"

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  EndOfMatchView view_;
  bool purple_ = false;
  QImage scroll_;
  std::vector<QLabel*> lines_;
  AnimatedPicture* ending_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace varnok
