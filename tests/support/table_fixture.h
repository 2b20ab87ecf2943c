// A table against the computer with scripted computer seats, a recorder for
// everything shown, and a private folder for the diagnostic file.
#pragma once

#include <filesystem>
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
  std::filesystem::path folder;

  ScriptedTable();
  ~ScriptedTable();

  // Begins a game with its first deal.
  void NewGame() { engine.Apply(Move::NewGame()); }
  // Deals the next round at once, leaving the rest of the round on the table unplayed.
  void NextDeal();
  // Hand slot of a named card in a seat's hand (0 when not held).
  int Slot(int seat, const std::string& name) const;
  std::string Hand(int seat) const { return Names(s.Hands[seat], s.HandCount[seat]); }
  std::filesystem::path DiagnosticPath() const { return folder / kDiagnosticFile; }
  // Contents of the diagnostic file, or "" when it was not written.
  std::string Diagnostic() const;
};

}  // namespace varnok::testing
