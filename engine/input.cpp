// The local player's left clicks on the bottom hand, and the two cards the
// local declarer picks to give.
#include "engine.h"

namespace varnok {

bool Engine::ClickCard(int slot) {
  if (!s_.InGame || slot < 1 || slot > s_.HandCount[3]) return false;
  switch (s_.Phase) {
    case phGive:
    case phGiveChosen: {
      if (s_.Declarer != 3) return false;
      const bool raised = slot == s_.GiveIdx1 || (s_.Phase == phGiveChosen && slot == s_.GiveIdx2);
      return Apply(raised ? Move::Unpick(slot) : Move::Pick(slot));
    }
    case phPlay3:
      if (IsIllegalHumanCard(slot)) {
        ui_.PlaySound("WWrongs", false);
        return false;
      }
      if (!Apply(Move::Card(3, slot))) return false;
      if (s_.Phase == phTrickFull) {
        // With remote seats only the copy that makes the winner's moves collects the trick.
        ui_.EnableButton(TableButton::Next, !HasRemoteSeat() || KindOf(s_.Leader) != SeatKind::Remote);
      }
      return true;
    default:
      return false;
  }
}

void Engine::PickGift(int slot) {
  ui_.RaiseCard(slot, true);
  if (s_.GiveIdx1 == 0) {
    s_.GiveIdx1 = static_cast<std::uint8_t>(slot);
    return;
  }
  s_.GiveIdx2 = static_cast<std::uint8_t>(slot);
  s_.Phase = phGiveChosen;
  ui_.EnableButton(TableButton::Next, true);
}

void Engine::UnpickGift(int slot) {
  ui_.RaiseCard(slot, false);
  if (s_.Phase == phGive) {
    s_.GiveIdx1 = 0;
    return;
  }
  if (slot == s_.GiveIdx1) s_.GiveIdx1 = s_.GiveIdx2;
  s_.GiveIdx2 = 0;
  s_.Phase = phGive;
  ui_.EnableButton(TableButton::Next, false);
}

}  // namespace varnok
