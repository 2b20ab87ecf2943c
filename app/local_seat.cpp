#include "local_seat.h"

#include "form_mast.h"
#include "form_zakaz.h"

namespace varnok {

bool LocalSeat::Ask(const GameState& s, ApplyMove apply) {
  if (Asking()) return true;
  // The declarer holds eight cards again once the given cards are shown;
  // the trump comes first, then the order.
  const bool choosing = s.InGame && s.Phase == phGiven && s.Declarer == 3 && s.HandCount[NextSeat(3)] == 8;
  if (!choosing) return false;
  if (s.Trump == kNoSuit) {
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
