// The rules of the player's input on the table, as plain functions of the
// game state: the cursor over the bottom hand, the hints of the score panels
// and the round panel, which card a right click speaks, where the popup menu
// may open, and the hidden key sequence of the diagnostic view. The window
// finds the card or place under the mouse (hand_layout.h, layout.h) and asks
// these functions what that means now.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>

#include "cards.h"
#include "engine.h"
#include "game_state.h"
#include "layout.h"

namespace varnok {

// The four cursors of the program.
enum class CursorKind { Arrow, Hand, Wait, Edit };

// The cursor over seat 3's hand with the mouse over hand slot `slot` (0 when
// the mouse is beside the cards): "hand" where a click does something.
CursorKind HandCursor(const Engine& engine, int slot);

// The seat that won the bidding: the one seat left in it, or else the
// declarer; 0 while there is none.
int BidWinner(const GameState& state);

// Word-table rows of the score panel hints (games table).
inline constexpr int kHintRoundPoints = 23;  // "Points of a current Round"
inline constexpr int kHintNumbers = 24;      // "Numbers"
inline constexpr int kHintOrdered = 25;      // "The ordered game"

// The hint row over score panel `seat` (1..3) with the mouse at `p` in the
// panel's own pixels (the panel is scaled by `layout`); 0 for no hint. The
// ordered-game hint shows only in phases 4 to 14 on the winner's panel.
int ScorePanelHintRow(const GameState& state, int seat, QPoint p, const LayoutState& layout);
// The same as the text in the current language ("" for no hint).
QString ScorePanelHint(const GameState& state, int seat, QPoint p, const LayoutState& layout);

// The plain hint of the round panel: "Game: 7 / 25".
QString RoundPanelHint(int kon_no, int cycle = kGamesPerCycle);

// The three kinds of game the round panel's balloon tells apart.
enum class BalloonKind {
  Local,             // against the computer, club profile or guest
  AccountOrNetwork,  // against the computer on an online account, or a network game
  Tournament,
};
BalloonKind BalloonKindOf(const TableMode& mode);

// The round number of the current cycle: n mod 25, or 25 when that is 0
// (a count below 1 is taken as 1).
int RoundInCycle(int games);

// The balloon over the round panel: a title and its lines.
struct RoundBalloon {
  QString title;
  QStringList lines;
};
// The balloon for `mode`; `account_games` is the online account's own game
// counter (used in place of KonNo for the cycle on an account). Nothing
// while a network client waits for the server's deal.
std::optional<RoundBalloon> RoundBalloonFor(const TableMode& mode, int kon_no, int account_games,
                                            bool client_waiting_for_deal);

// Which card a right click speaks, if any. A click on hand `seat` (1..3) at
// hand slot `slot` (0 beside the cards): seat 3's hand in any phase of a
// game; seats 1 and 2 in phases 20 and 21 when the hands are shown face up at
// the end of a round.
std::optional<TCard> SpokenHandCard(const GameState& state, bool show_cards_at_end, int seat, int slot);

// A click at `p` on the table (ImageStol, layer pixels): a widow card in
// phase 5, a given card in front of its receiver in phase 8, a trick card in
// phases 11 to 14 (whose place holds which card follows from
// LastTrickLeader). `margin` is the deal's margin.
std::optional<TCard> SpokenTableCard(const GameState& state, QPoint p, const LayoutState& layout,
                                     const CardSize& card, int margin);

// The seat whose trick place holds table slot `stol_slot` (1..3) of a trick
// led by `leader`; 0 when either is out of range.
int SeatOfTableSlot(int leader, int stol_slot);
// The table slot lying at `seat`'s place of a trick led by `leader`.
int TableSlotOfSeat(int leader, int seat);

// Where the mouse is on the window, for the popup menu.
enum class MouseArea { Hand1, Hand2, Hand3, Table, Elsewhere };
// The popup menu is detached over the hands and the table, so that a right
// click there only speaks a card.
bool PopupMenuAttached(MouseArea area);

// The hidden switch of the diagnostic view: the keys typed while the chat's
// send button has the focus. When the buffer reads as the number 48317 the
// view is toggled and the buffer emptied.
class DebugKeyBuffer {
 public:
  static constexpr int kSecret = 48317;
  // Longer buffers are emptied: nothing that long is a key sequence.
  static constexpr int kMaxLength = 32;

  // Appends the text of one key press; returns true when the diagnostic view
  // is to be toggled now.
  bool KeyTyped(const QString& text);
  // The send button gained or lost the focus.
  void FocusChanged() { buffer_.clear(); }
  const QString& Buffer() const { return buffer_; }

 private:
  QString buffer_;
};

}  // namespace varnok
