#include "card_play.h"

namespace varnok::ai {

int ChooseCard(const GameState& view, int seat, const SeatKnowledge& knowledge) {
  const PlayContext c = MakePlayContext(view, seat, knowledge);
  switch (view.TrickPos) {
    case 2: return ChooseSecond(c);
    case 3: return ChooseLast(c);
    default: return ChooseLead(c);
  }
}

int ChooseLead(const GameState& view, int seat, const SeatKnowledge& knowledge) {
  return ChooseLead(MakePlayContext(view, seat, knowledge));
}

int ChooseSecond(const GameState& view, int seat, const SeatKnowledge& knowledge) {
  return ChooseSecond(MakePlayContext(view, seat, knowledge));
}

int ChooseLast(const GameState& view, int seat, const SeatKnowledge& knowledge) {
  return ChooseLast(MakePlayContext(view, seat, knowledge));
}

}  // namespace varnok::ai
