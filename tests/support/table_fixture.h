// A table against the computer with scripted computer seats, a recorder for
// everything shown, and the last diagnostic record the engine reported.
#pragma once

#include <string>
#include <vector>

#include "recorder.h"

namespace varnok::testing {

struct ScriptedTable {
  GameState s;
  RecordingPresenter ui;
  ScriptedPlayers ai;
  ScriptedHuman human;
  Engine engine{s, ui};
  std::string last_diagnostic;
  int diagnostics = 0;

  ScriptedTable();

  // "Next" as the window presses it: a dialog it opens for the local
  // declarer is answered by `human`.
  void PressNext() {
    engine.PressNext();
    human.Answer(engine);
  }
  // Begins a game with its first deal.
  void NewGame() { engine.Apply(Move::NewGame()); }
  // Deals the next round at once, leaving the rest of the round on the table unplayed.
  void NextDeal();
  // Hand slot of a named card in a seat's hand (0 when not held).
  int Slot(int seat, const std::string& name) const;
  std::string Hand(int seat) const { return Names(s.Hands[seat], s.HandCount[seat]); }
  // The last diagnostic record reported, or "" when none was.
  std::string Diagnostic() const { return last_diagnostic; }
};

}  // namespace varnok::testing
