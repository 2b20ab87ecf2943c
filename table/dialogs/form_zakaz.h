// TFormZakaz: the order dialog of the local player as declarer. A large
// number runs from the winning bid to 180 and wraps at both ends; three
// buttons on the left lower it by 1, 5 and 10, three on the right raise it,
// and "Ok" gives the order. The dialog cannot be closed any other way.
#pragma once

#include <array>
#include <functional>

#include "dialog_look.h"
#include "players.h"

class QLabel;

namespace varnok {

class TZubCardsButton;

class TFormZakaz : public TBaizeDialog {
  Q_OBJECT

 public:
  // `winning_bid` is the lowest order (m); a value above 180 is taken as 180.
  explicit TFormZakaz(int winning_bid, QWidget* parent = nullptr);

  // Plays the opening sound and opens the dialog modal to `parent` without
  // waiting; `given` gets the order when "Ok" was pressed (it is not called
  // when the dialog is torn down without "Ok").
  static TFormZakaz* Ask(QWidget* parent, int winning_bid, const SoundHook& sound, std::function<void(int)> given);

  int Minimum() const { return minimum_; }
  // The number shown.
  int Value() const { return value_; }
  bool Confirmed() const { return confirmed_; }

  // Object names: "Down1", "Down5", "Down10", "Up1", "Up5", "Up10".
  TZubCardsButton* StepButton(OrderButton button) const;
  TZubCardsButton* OkButton() const { return ok_; }

 public Q_SLOTS:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Step(OrderButton button);
  void Confirm();

  int minimum_ = 0;
  int value_ = 0;
  bool confirmed_ = false;
  QLabel* number_ = nullptr;
  QLabel* range_ = nullptr;
  std::array<TZubCardsButton*, 6> steps_{};
  TZubCardsButton* ok_ = nullptr;
};

}  // namespace varnok
