// Test doubles for the engine: a presenter that records what the table was
// asked to show and play, computer players and a local player that follow a
// script.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine.h"

namespace varnok::testing {

std::string Describe(const UiText& text);

struct ButtonState {
  bool visible = false;
  bool enabled = false;
  std::string caption;
};

class RecordingPresenter : public Presenter {
 public:
  std::vector<std::string> events;  // every call, in order, in a short text form
  std::vector<std::string> sounds;  // "WDiPlay" or "WDiPlay+wait"
  std::map<int, ButtonState> buttons;
  std::map<int, PanelUpdate> last_panel;
  std::map<int, std::string> bubbles;
  int timer_ms = 0;
  bool timer_running = false;
  int score_windows = 0;
  int rounds_started = 0;
  int rounds_finished = 0;

  // Events recorded since the last call, then forgets them.
  std::vector<std::string> Take();
  bool Saw(const std::string& event) const;
  std::size_t CountSounds(const std::string& name) const;

  void ClearTable() override;
  void DrawHand(int seat, bool face_up) override;
  void ShowBubble(int seat, BubbleStyle style, const UiText& text) override;
  void DrawScorePanel(int seat, const PanelUpdate& update) override;
  void DrawRoundPanel() override;
  void SetRoundHint(int kon_no, int cycle) override;
  void DrawWidowDown() override;
  void TurnWidowCard(int index, bool animate) override;
  void WidowToHand(int declarer, bool animate) override;
  void GiveToTable(int which, int from, int receiver, bool animate) override;
  void GivenToHands(bool animate) override;
  void CardToTable(int seat, int hand_slot, int trick_pos, bool animate) override;
  void CollectTrickCards(int leader, int winner, bool animate) override;
  void Pause(int ms) override;
  void PlaySound(const std::string& name, bool wait) override;
  void SetButton(TableButton button, bool visible, bool enabled, const UiText& caption) override;
  void EnableButton(TableButton button, bool enabled) override;
  void SetTimer(int interval_ms, bool running) override;
  void EnableGameMenu(bool enabled) override;
  void ShowScoreWindow() override;
  void RoundStarted() override;
  void RoundFinished() override;
  void TableLeft(bool finished) override;

 private:
  void Log(std::string event);
  std::size_t taken_ = 0;
};

// Computer players whose every answer is set by the test. A seat without a
// scripted answer fails the test through ADD_FAILURE.
class ScriptedPlayers : public ComputerPlayers {
 public:
  struct Plan {
    std::string give1, give2;  // card names of the gift
    std::uint8_t trump = kNoSuit;
    int estimate = 0;
  };
  std::map<int, int> max_bid;                        // seat -> MaxBid
  std::map<int, Plan> plans;                         // seat -> plan
  std::map<int, std::deque<std::string>> cards;      // seat -> card names, in the order played
  std::map<int, std::deque<int>> slots;              // seat -> hand slots asked for first (faulty ones too)
  std::vector<std::string> notes;             // notifications received

  int MaxBid(int seat, const GameState& state) override;
  DeclarerPlan PlanDeclarer(int seat, const GameState& state) override;
  int ChooseCard(int seat, const GameState& state) override;
  void RoundDealt(const GameState&) override { notes.push_back("dealt"); }
  void WidowTaken(const GameState&) override { notes.push_back("widow"); }
  void CardsGiven(const GameState&) override { notes.push_back("given"); }
  void TrickFull(const GameState&) override { notes.push_back("full"); }
  void TrickCollected(const GameState&) override { notes.push_back("collected"); }
};

// The local player's answers to the trump and order dialogs: once the
// engine asks (Engine::LocalQuestion), each answer is a move, as the
// table's dialogs give it.
class ScriptedHuman {
 public:
  std::uint8_t trump = kSpades;
  int order = 0;  // 0: keep the winning bid
  int trump_asked = 0;
  int order_asked = 0;
  // Answers every question the engine asks now; how many were answered.
  int Answer(Engine& engine);
};

// A deck order from card names, deck slot 1 first ("9h Jh ...").
DeckOrder DeckFromNames(const std::string& names);
// A hand (slots 1..n) with companions from card names.
void SetHand(GameState& s, int seat, const std::string& names);
// Card names of slots 1..n of a list, blank-separated ("##" for empty slots).
std::string Names(const TCardList& list, int n);

}  // namespace varnok::testing
