// The local player's left clicks on the bottom hand.
#include "engine.h"

namespace varnok {

bool Engine::ClickCard(int slot) {
  if (!s_.InGame || slot < 1 || slot > s_.HandCount[3]) return false;
  switch (s_.Phase) {
    case phGive:
      if (s_.Declarer != 3) return false;
      if (s_.GiveIdx1 == 0) {
        s_.GiveIdx1 = static_cast<std::uint8_t>(slot);
        ui_.RaiseCard(slot, true);
      } else if (slot == s_.GiveIdx1) {
        s_.GiveIdx1 = 0;
        ui_.RaiseCard(slot, false);
      } else {
        s_.GiveIdx2 = static_cast<std::uint8_t>(slot);
        ui_.RaiseCard(slot, true);
        s_.Phase = phGiveChosen;
        ui_.EnableButton(TableButton::Next, true);
      }
      return true;
    case phGiveChosen:
      if (s_.Declarer != 3 || (slot != s_.GiveIdx1 && slot != s_.GiveIdx2)) return false;
      ui_.RaiseCard(slot, false);
      if (slot == s_.GiveIdx1) s_.GiveIdx1 = s_.GiveIdx2;
      s_.GiveIdx2 = 0;
      s_.Phase = phGive;
      ui_.EnableButton(TableButton::Next, false);
      return true;
    case phPlay3:
      if (IsIllegalHumanCard(slot)) {
        ui_.PlaySound("WWrongs", false);
        return false;
      }
      Apply(Move::Card(3, slot));
      if (s_.Phase == phTrickFull) {
        // With remote seats only the copy that makes the winner's moves collects the trick.
        ui_.EnableButton(TableButton::Next, !HasRemoteSeat() || KindOf(s_.Leader) != SeatKind::Remote);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace varnok
