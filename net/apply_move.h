// The receiving side of a move record: its fields are applied in a fixed
// order, each game step as a Move through Engine::Apply (a step told by
// another copy), so that the move listener sees it as the sender's copy
// did. The record's buttons, captions and bubbles are its own. Nothing a peer
// sends can break the copy: a field that does not fit the game on the table
// is refused and reported, the other fields still apply.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "engine.h"
#include "net_error.h"
#include "records.h"

namespace varnok::net {

// The enabled state of the two table buttons, as last set. A caption change
// keeps the button's state, and the presenter has no way to read it back.
struct NetButtons {
  bool action_enabled = false;  // Button7
  bool pass_enabled = false;    // Button8
};

// Where a record is applied: the engine applies its steps to `state` (the
// same object it was made with); `ui` shows what the record itself shows.
struct MoveTarget {
  GameState& state;
  Engine& engine;
  Presenter& ui;
  NetButtons& buttons;
};

struct MoveApplied {
  NetError error = NetError::None;  // the whole record was refused
  std::vector<FieldIssue> skipped;  // fields skipped or refused, by first position
  // The record broke the rules of the game (its field is the last one in
  // `skipped`) and nothing of it was applied.
  bool refused = false;
  int sender = 0;
  // A bid, a pass or a game step arrived: the tournament's move clocks start again.
  bool restart_clocks = false;
  bool ok() const { return error == NetError::None; }
  // The record was applied as a whole.
  bool applied() const { return ok() && !refused; }
};

// Applies a 38-character move record, in this order: the two buttons, the
// action caption, the pass caption, the three seat cells (a bid or a pass),
// opening the widow, taking it, the two given cards, the end of the giving,
// the trump, the contract, the card played, collecting the trick (and
// scoring the round when it was the last). The first record of a deal
// begins the bidding first. The next bid of caption code "2" and the phase
// must be where the step leads (CheckMoveRules); the step itself sets them.
// The record is refused as a whole when it is no move
// record or no game is on the table, and when it breaks the rules
// (CheckMoveRules): then nothing of it is applied.
MoveApplied ApplyMove(std::string_view record, const MoveTarget& target);

// The rule check of a received record, before anything of it is applied.
// A record carries at most one game step: a bid or a pass, opening or taking
// the widow, the gift, the end of the giving, the trump, the contract, a card
// or collecting the trick. The step must be one the engine takes now
// (Engine::Allows, a card also Engine::CardPlayable), from a seat the sender
// plays for: its own, or the computer seat in a game of two people, never
// the receiver's. A bid raises the highest bid by five; the next bid and the
// phase fields must agree with the state the step leads to. Returns the first
// field that breaks a rule. `state` is the engine's own; it is left as it was.
std::optional<FieldIssue> CheckMoveRules(const MoveFields& fields, GameState& state, const Engine& engine);

// The seat that bids after `seat`, passing over the seats that have passed.
int NextBidder(const GameState& state, int seat);

// The seat still bidding when it is the only one, else 0.
int SoleBidder(const GameState& state);

// The caption of Button7 for action caption code 1..6 (code 2 with the next bid).
UiText ActionCaption(int code, int next_bid);
// The caption of Button8 for pass caption code 1 or 2.
UiText PassCaption(int code);

}  // namespace varnok::net
