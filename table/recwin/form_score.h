// TFormScore: the score information window. A small modal window that tells
// the player where the game stands in his records: the game's number, its
// place in the cycle of 25, the score before the game, the game's count,
// their sum and the rating before and after. It opens by itself at the end
// of every game outside a tournament and on "General score". It only shows
// what it is given and writes nothing.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>

#include "dialog_look.h"
#include "recwin_count.h"
#include "settings.h"

class QLabel;
class QPushButton;

namespace varnok {

class AnimatedPicture;

// What the window is given. The main window fills it from the game state:
//   Count        CountOfGame(state, mode, source) (FillCount with KonNo, the
//                account's KonL + 1, 25, the profile's rating, seat 3's count
//                and ProfileScore; the tournament rule at a tournament table)
//   PlayerName   the player's name, for the caption "Player:  <name>"
//   Kind         ScoreGameKindOf(mode, account state): the emblems
//   AccountState 1..3: the lamp beside the account picture
//   FallBackToGrayAristocratic
//                called when the graphics library cannot give the window its
//                design: the caller turns purple windows off and takes design
//                2 ("Gray aristocratic") for the rest of the run (and keeps
//                it in the settings file written at close)
//   Notice       shows the notice "Can`t find the file ZubCGraph1.dll" (the
//                "Attention" window); without one a message box says it
struct ScoreWindowData {
  TCount Count;
  QString PlayerName;
  ScoreGameKind Kind = ScoreGameKind::Club;
  int AccountState = 1;
  std::function<void()> FallBackToGrayAristocratic;
  std::function<void(const QString&)> Notice;
};

class TFormScore : public QDialog {
  Q_OBJECT

 public:
  TFormScore(const ScoreWindowData& data, const Settings& look, QWidget* parent = nullptr);

  // Plays "WOpenFo" through `sound` (pass a hook on "General score", none at
  // the end of a game), shows the window modally centred on `parent` and
  // frees it when it closes.
  static void Open(QWidget* parent, const ScoreWindowData& data, const Settings& look, SoundHook sound);

  ScoreDesign Design() const { return layout_.Design; }
  // The window's scale: its size over its design size.
  double Scale() const { return scale_; }
  // The part of the window the rows are written on: the paper of the scroll
  // in the gray designs, the whole window in the purple one.
  QRect Paper() const;
  const ScoreLayout& Layout() const { return layout_; }
  QPushButton* OkButton() const { return ok_; }  // object name "Ok"
  // The value labels, in the order of TCount (object names "Count_KonAll" ...).
  QLabel* Value(int index) const;
  AnimatedPicture* TopAnimation() const { return top_; }  // "GGenCount"

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ChooseDesign(const ScoreWindowData& data, const Settings& look);
  void BuildRows(const ScoreWindowData& data, bool purple);
  void PlaceLabel(const QString& name, const QString& text, QFont font, const QColor& colour, int y, int gap);
  void BuildPictures(const ScoreWindowData& data, const Settings& look, bool purple);
  void PaintGray(QPainter& painter);
  // The scroll under the rows, in design pixels.
  QRect BackdropArea() const;
  int Len(int design) const { return ScaledLen(design, scale_); }

  ScoreLayout design_;  // the design's lengths, for painting
  ScoreLayout layout_;  // the same at the window's scale
  double scale_ = 1.0;
  QImage background_;  // purple: "GFormCount"; gray: "GSvitok"
  QImage header_;      // design 1 "CountInfo", 2 "GCap300", 3 "GLenta200x100"
  QImage header_label_;  // design 3: "GFormCountL"
  QImage account_;
  QImage lamp_;
  std::array<QLabel*, 7> values_{};
  AnimatedPicture* top_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace varnok
