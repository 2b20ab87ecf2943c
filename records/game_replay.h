// A game record played again on a fresh engine with no players of any
// kind: only its deals and steps. Every step leaves a picture of the table
// (the state after it), which the record viewer steps through; a step that
// does not fit the game, or a round that ends on other scores than the
// record says, marks the record as damaged.
#pragma once

#include <string>
#include <vector>

#include "game_record.h"
#include "game_state.h"

namespace varnok {

struct ReplayStep {
  int Round = 0;         // index into the record's rounds
  Move Step;
  GameState State;       // the table after the step
};

struct ReplayResult {
  bool Ok = false;
  std::string Problem;   // which step was refused, for the log
  std::vector<ReplayStep> Steps;
};

// A record of more steps is not played again with every picture kept (a
// game takes some 60 steps a round; the pictures take about 4 KB each).
inline constexpr int kReplayMaxSteps = 20000;

// `keep_states` false keeps only the last state (a check of the record).
ReplayResult ReplayGameRecord(const GameRecord& record, bool keep_states = true);

// The mode a record was played in, as its copy saw the table.
TableMode RecordedMode(const GameRecord& record);

}  // namespace varnok
