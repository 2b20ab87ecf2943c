// What the engine asks of the table: every picture, text and sound of a
// round goes through this interface. The window implements it with Qt; the
// tests and the simulator implement it with a recorder or with nothing.
#pragma once

#include <string>

#include "word_rows.h"  // words::main, words::games, words::guide: the rows of the word tables

#include "game_state.h"

namespace varnok {

// A caption or bubble text: a row of one of the two word tables, followed by
// a literal tail ("I play on " + "65"), or a literal text alone.
struct UiText {
  enum class Table { Literal, Main, Games };
  Table table = Table::Literal;
  int row = 0;
  std::string tail;

  static UiText Main(int row, std::string tail = {}) { return {Table::Main, row, std::move(tail)}; }
  static UiText Games(int row, std::string tail = {}) { return {Table::Games, row, std::move(tail)}; }
  static UiText Plain(std::string text) { return {Table::Literal, 0, std::move(text)}; }
  friend bool operator==(const UiText&, const UiText&) = default;
};

enum class BubbleStyle { Announce, Pass, Name, Empty };

// One field of a score panel: a value, left as it is, or blanked.
struct PanelField {
  enum class Kind { Value, Keep, Blank };
  Kind kind = Kind::Keep;
  int value = 0;

  static PanelField Of(int v) { return {Kind::Value, v}; }
  static PanelField Keep() { return {Kind::Keep, 0}; }
  static PanelField Blank() { return {Kind::Blank, 0}; }
  friend bool operator==(const PanelField&, const PanelField&) = default;
};

struct PanelUpdate {
  bool marker = false;  // the seat is the one to act
  bool reset = false;   // clear the whole panel first
  PanelField ordered;   // the ordered game
  PanelField score;
  PanelField points;    // round points, or the general count at the end of a game
  bool final_counts = false;  // points hold the general count (drawn red, "+" when positive)
  friend bool operator==(const PanelUpdate&, const PanelUpdate&) = default;
};

enum class TableButton { Next = 7, Pass = 8 };

class Presenter {
 public:
  virtual ~Presenter() = default;

  // Table background over the three hands, bubbles cleared.
  virtual void ClearTable() {}
  // Draw a seat's hand (already sorted in the state).
  virtual void DrawHand(int /*seat*/, bool /*face_up*/) {}
  virtual void ShowBubble(int /*seat*/, BubbleStyle /*style*/, const UiText& /*text*/) {}
  virtual void DrawScorePanel(int /*seat*/, const PanelUpdate& /*update*/) {}
  // Round number, and the trump sign once chosen.
  virtual void DrawRoundPanel() {}
  // The hint over the round panel: "Game: <kon_no> / <cycle>".
  virtual void SetRoundHint(int /*kon_no*/, int /*cycle*/) {}
  // The widow face down at its three places.
  virtual void DrawWidowDown() {}
  // Turn widow card 1..3 face up (flipped by animation when `animate`).
  virtual void TurnWidowCard(int /*index*/, bool /*animate*/) {}
  // The widow cards go from the table into the declarer's hand.
  virtual void WidowToHand(int /*declarer*/, bool /*animate*/) {}
  // Given card 1 or 2 goes from the declarer to the table in front of its receiver.
  virtual void GiveToTable(int /*which*/, int /*from*/, int /*receiver*/, bool /*animate*/) {}
  // The given cards go from the table into their receivers' hands.
  virtual void GivenToHands(bool /*animate*/) {}
  // A played card goes from the seat's hand (slot before removal) to its place on the table.
  virtual void CardToTable(int /*seat*/, int /*hand_slot*/, int /*trick_pos*/, bool /*animate*/) {}
  // The trick, led by `leader`, goes to the winner's side (or is cleared).
  virtual void CollectTrickCards(int /*leader*/, int /*winner*/, bool /*animate*/) {}
  // A card of seat 3's hand is raised out of the hand (chosen as a gift) or lowered.
  virtual void RaiseCard(int /*slot*/, bool /*raised*/) {}
  virtual void Pause(int /*ms*/) {}
  virtual void PlaySound(const std::string& /*name*/, bool /*wait*/) {}
  virtual void SetButton(TableButton /*button*/, bool /*visible*/, bool /*enabled*/, const UiText& /*caption*/) {}
  virtual void EnableButton(TableButton /*button*/, bool /*enabled*/) {}
  virtual void SetTimer(int /*interval_ms*/, bool /*running*/) {}
  // "Exit to menu" and "General score" in the popup menu.
  virtual void EnableGameMenu(bool /*enabled*/) {}
  // The score information window at the end of a game (modal).
  virtual void ShowScoreWindow() {}
  // A deal begins: the back of the day is chosen again, before any hand is drawn.
  virtual void PickBackOfTheDay() {}
  // Round recording hooks: a round was dealt; a round was scored.
  virtual void RoundStarted() {}
  virtual void RoundFinished() {}
  // Progress of the computer's bid estimates while "To Begin" waits: 0..80
  // (40 steps for each computer seat); -1 hides the strip.
  virtual void ShowBidProgress(int /*value*/) {}
  // The diagnostic caption of the bid estimates (only drawn while the hidden
  // diagnostic view is on).
  virtual void ShowDebugCaption(const std::string& /*text*/) {}
  // The table was left: after a finished game or early.
  virtual void TableLeft(bool /*finished*/) {}
};

}  // namespace varnok
