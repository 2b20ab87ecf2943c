// Playing the table from the keyboard: the arrow keys (or a card's place
// number, 1 to 9 and 0 for the tenth) move a cursor over the player's hand,
// drawn as a frame round the card; Enter or Space plays or chooses the card
// under it as a click would (a card that may not be played sounds as a
// refused click does), and presses "next" when no card is wanted; N presses
// the left table button, P the right one ("pass"). The canvas keeps the
// keyboard focus; the title screen's "any key" is left as it is.
#include <QFrame>
#include <QKeyEvent>

#include "game_controller.h"
#include "main_window.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

bool Usable(const QPushButton* b) { return b->isVisible() && b->isEnabled(); }

// Sends the canvas's key presses to the window's table keys.
class TableKeyFilter : public QObject {
 public:
  TableKeyFilter(QObject* parent, std::function<bool(int)> handle) : QObject(parent), handle_(std::move(handle)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && handle_(static_cast<QKeyEvent*>(event)->key())) return true;
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool(int)> handle_;
};

}  // namespace

void MainWindow::WireTableKeys() {
  canvas_->installEventFilter(new TableKeyFilter(this, [this](int key) { return TableKey(key); }));
  key_mark_ = new QFrame(canvas_);
  key_mark_->setObjectName(QStringLiteral("KeyCursor"));
  key_mark_->setAttribute(Qt::WA_TransparentForMouseEvents);
  key_mark_->setStyleSheet(QStringLiteral("QFrame { border: 3px solid #ffd21f; border-radius: 4px; background: transparent; }"));
  key_mark_->hide();
}

bool MainWindow::CardWanted() const {
  return (state_.Phase == phPlay3) || ((state_.Phase == phGive || state_.Phase == phGiveChosen) && state_.Declarer == 3);
}

bool MainWindow::TableKey(int key) {
  if (title_shown_ || MenuShown() || !state_.InGame) return false;
  const int count = game_->ViewState().HandCount[3];
  switch (key) {
    case Qt::Key_Left:
      key_slot_ = count == 0 ? 0 : (key_slot_ <= 1 ? count : key_slot_ - 1);
      break;
    case Qt::Key_Right:
      key_slot_ = count == 0 ? 0 : (key_slot_ >= count ? 1 : key_slot_ + 1);
      break;
    case Qt::Key_Home: key_slot_ = count > 0 ? 1 : 0; break;
    case Qt::Key_End: key_slot_ = count; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (CardWanted() && key_slot_ >= 1 && key_slot_ <= count) {
        PlayKeyCard(key_slot_);
      } else if (Usable(next_button_)) {
        next_button_->click();
      }
      break;
    case Qt::Key_N:
      if (Usable(next_button_)) next_button_->click();
      break;
    case Qt::Key_P:
      if (Usable(pass_button_)) pass_button_->click();
      break;
    default:
      if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int slot = key == Qt::Key_0 ? 10 : key - Qt::Key_0;
        if (slot <= count) key_slot_ = slot;
        break;
      }
      return false;
  }
  PlaceKeyMark();
  return true;
}

void MainWindow::PlayKeyCard(int slot) {
  if (Busy()) {
    game_->Input([this, slot] { PlayKeyCard(slot); });
    return;
  }
  if (slot < 1 || slot > state_.HandCount[3]) return;
  const bool refused = state_.Phase == phPlay3 && engine_.IsIllegalHumanCard(slot);
  game_->Input([this, slot] { engine_.ClickCard(slot); });
  if (refused) NoteRefusedCard(slot);
}

void MainWindow::PlaceKeyMark() {
  if (key_mark_ == nullptr) return;
  const int count = game_->ViewState().HandCount[3];
  if (key_slot_ > count) key_slot_ = count;
  const bool shown = state_.InGame && !title_shown_ && !MenuShown() && key_slot_ >= 1 && count > 0;
  if (shown) {
    key_mark_->setGeometry(presenter_->HandCardInWindow(3, count, key_slot_).adjusted(-2, -2, 2, 2));
    key_mark_->raise();
  }
  key_mark_->setVisible(shown);
}

}  // namespace varnok
