// TFormSpeed: the window that sets the flight speed of the cards. A slider
// from 1 to 6 is placed at the current speed; moving it sets the speed at
// once through the callback (every later flight uses it); "Ok" closes.
#pragma once

#include <functional>

#include "dialog_look.h"

class QSlider;

namespace varnok {

class TZubCardsButton;

inline constexpr int kSlowestSpeed = 1;
inline constexpr int kFastestSpeed = 6;
inline constexpr int kDefaultSpeed = 4;

class TFormSpeed : public TBaizeDialog {
  Q_OBJECT

 public:
  using SpeedChanged = std::function<void(int)>;

  // A speed outside 1..6 (a damaged settings value) places the slider at
  // the default 4, without calling back.
  TFormSpeed(int speed, SpeedChanged changed, QWidget* parent = nullptr);

  // Shows the window modally over `parent`; returns the speed it was left at.
  static int Open(QWidget* parent, int speed, SpeedChanged changed);

  int Speed() const;
  QSlider* Slider() const { return slider_; }  // object name "Speed"
  TZubCardsButton* OkButton() const { return ok_; }  // object name "Ok"

 private:
  QSlider* slider_ = nullptr;
  TZubCardsButton* ok_ = nullptr;
  SpeedChanged changed_;
};

}  // namespace varnok
