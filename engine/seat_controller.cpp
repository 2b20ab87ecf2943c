#include "seat_controller.h"

namespace varnok {

std::optional<Move> ComputerController::NextMove(int seat, const GameState& state) {
  if (seat < 1 || seat > 3) return std::nullopt;
  const int phase = state.Phase;
  if (phase == seat && phase >= phBid1 && phase <= phBid3) {
    if (!state.InBidding[seat]) return std::nullopt;
    // A limit above the highest order stops at it: the seat passes there.
    const bool raise =
        state.CurrentBid < state.MaxBid[static_cast<std::size_t>(seat)] && state.CurrentBid + kBidStep <= kMaxOrder;
    return raise ? Move::Bid(seat) : Move::Pass(seat);
  }
  if (phase == 10 + seat && phase >= phPlay1 && phase <= phPlay3) {
    if (players_ == nullptr) return std::nullopt;
    return Move::Card(seat, players_->ChooseCard(seat, state));
  }
  return std::nullopt;
}

PerSeat<SeatKind> SeatKindsFor(const TableMode& mode) {
  PerSeat<SeatKind> kinds{SeatKind::Remote, SeatKind::Remote, SeatKind::Remote, SeatKind::Local};
  if (mode.TourGame) return kinds;
  if (!mode.NetGame) {
    kinds[1] = SeatKind::Computer;
    kinds[2] = SeatKind::Computer;
  } else if (mode.NetPos == 1 && !mode.NetThreeHumans) {
    kinds[2] = SeatKind::Computer;
  }
  return kinds;
}

}  // namespace varnok
