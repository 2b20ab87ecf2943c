#include "game_state.h"

namespace varnok {

bool IsValidPhase(int code) { return (code >= 1 && code <= 9) || (code >= 11 && code <= 15) || code == 20 || code == 21; }

int FirstBidder(int round_no, const TableMode& mode) {
  const int r = round_no % 3;  // 1, 2, 0
  // The rotation runs over the network (or tournament) positions; each copy
  // sees the opener in its own seat numbers.
  int position = 1;
  if (mode.NetGame) position = mode.NetPos;
  else if (mode.TourGame) position = mode.TourPos;
  static constexpr int kTable[4][3] = {
      {0, 0, 0},
      {3, 1, 2},  // server (or a game against the computer): r = 0, 1, 2
      {2, 3, 1},  // client 2
      {1, 2, 3},  // client 3
  };
  if (position < 1 || position > 3) position = 1;
  return kTable[position][r];
}

PerSeat<int> GeneralCount(const PerSeat<int>& s) {
  return {0, s[2] + s[3] - 2 * s[1], s[1] + s[3] - 2 * s[2], s[1] + s[2] - 2 * s[3]};
}

}  // namespace varnok
