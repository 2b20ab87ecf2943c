#include "local_seat.h"

#include "form_mast.h"
#include "form_zakaz.h"

namespace varnok {

bool LocalSeat::Ask(const Engine& engine, ApplyMove apply) {
  if (Asking()) return true;
  const Engine::Question question = engine.LocalQuestion();
  if (question == Engine::Question::None) return false;
  const GameState& s = engine.State();
  if (question == Engine::Question::Trump) {
    dialog_ = TFormMast::Ask(parent_, sound_, [this, apply](std::uint8_t trump) {
      dialog_.clear();
      apply(Move::Trump(trump));
    });
  } else {
    dialog_ = TFormZakaz::Ask(parent_, s.Zakaz, sound_, [this, apply](int order) {
      dialog_.clear();
      apply(Move::Order(order));
    });
  }
  return true;
}

void LocalSeat::Cancel() {
  if (dialog_.isNull()) return;
  QWidget* dialog = dialog_;
  dialog_.clear();
  dialog->hide();
  dialog->deleteLater();
}

}  // namespace varnok
