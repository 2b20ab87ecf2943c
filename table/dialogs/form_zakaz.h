// TFormZakaz: the order dialog of the local player as declarer. A large
// number runs from the winning bid to 180 and wraps at both ends; three
// buttons on the left lower it by 1, 5 and 10, three on the right raise it,
// and "Ok" gives the order. The dialog cannot be closed any other way.
//
// DialogChoices hands both dialogs (trump and order) to the engine.
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

  // Plays the opening sound, shows the dialog modally and returns the order
  // given with "Ok". Only if the dialog is torn down without "Ok" (the
  // program quits under it) is the result the winning bid itself.
  static int Choose(QWidget* parent, int winning_bid, const SoundHook& sound = {});
  // The same without waiting: the dialog opens modal to `parent` and calls
  // `given` with the order when "Ok" was pressed.
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

// The local player's choices as declarer, made in the two dialogs over
// `parent`, with the opening sound played through `sound`.
class DialogChoices : public HumanChoices {
 public:
  explicit DialogChoices(QWidget* parent, SoundHook sound = {});
  std::uint8_t ChooseTrump(const GameState& state) override;
  int ChooseOrder(const GameState& state, int winning_bid) override;

 private:
  QWidget* parent_;
  SoundHook sound_;
};

}  // namespace varnok
