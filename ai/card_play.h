// The computer's choice of card in play: as first, second and last hand of
// a trick. Each choice is a fixed list of rules over what the seat may
// know; the first rule that yields a card decides, nothing is random.
// The choices read the state and the seat's knowledge and change neither.
#pragma once

#include "game_state.h"
#include "knowledge.h"
#include "play_common.h"

namespace varnok::ai {

// The hand slot (1..8) of the card `seat` plays now, by the state's
// TrickPos: 1 leads, 2 plays second, 3 plays last.
int ChooseCard(const GameState& view, int seat, const SeatKnowledge& knowledge);

int ChooseLead(const GameState& view, int seat, const SeatKnowledge& knowledge);
int ChooseSecond(const GameState& view, int seat, const SeatKnowledge& knowledge);
int ChooseLast(const GameState& view, int seat, const SeatKnowledge& knowledge);

// The same choices over a prepared view.
int ChooseLead(const PlayContext& c);
int ChooseSecond(const PlayContext& c);
int ChooseLast(const PlayContext& c);

}  // namespace varnok::ai
