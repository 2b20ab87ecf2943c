// TFormMast: the trump dialog of the local player as declarer. Four square
// buttons with the suit signs (hearts and diamonds red, clubs and spades dark
// blue); a click names the trump and closes the dialog. It has no close box
// and cannot be closed (Escape, the window manager) before a suit is chosen.
#pragma once

#include <array>
#include <functional>
#include <cstdint>

#include "cards.h"
#include "dialog_look.h"

class QLabel;

namespace varnok {

class TZubCardsButton;

class TFormMast : public TBaizeDialog {
  Q_OBJECT

 public:
  // The help topic of the dialog.
  static constexpr int kHelpTopic = 5;

  explicit TFormMast(QWidget* parent = nullptr);

  // Plays the opening sound and opens the dialog modal to `parent` without
  // waiting; `chosen` gets the suit letter when a suit was clicked (it is not
  // called when the dialog is torn down without a choice).
  static TFormMast* Ask(QWidget* parent, const SoundHook& sound, std::function<void(std::uint8_t)> chosen);

  // The chosen suit letter; '#' until a suit is clicked.
  std::uint8_t Trump() const { return trump_; }
  bool Chosen() const { return trump_ != kNoSuit; }

  // The suit buttons, left to right: hearts, diamonds, clubs, spades
  // (object names "SuitHearts", "SuitDiamonds", "SuitClubs", "SuitSpades").
  TZubCardsButton* SuitButton(int suit_index) const;

 public Q_SLOTS:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Pick(int suit_index);

  std::uint8_t trump_ = kNoSuit;
  QLabel* label_ = nullptr;
  std::array<TZubCardsButton*, 4> buttons_{};
};

// The picture of a suit sign on a dialog button: the large built-in sign on
// a light round plate, `size` pixels square. suit_index 0..3.
QPixmap SuitSignGlyph(int suit_index, int size);

}  // namespace varnok
