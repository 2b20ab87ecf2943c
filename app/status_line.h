// The status line of the table: whose turn it is and what is expected, the
// contract once it is ordered, and why a click on a card was refused. The
// texts come from the newcomer's word table in the chosen language.
#pragma once

#include <QString>

#include "game_state.h"

namespace varnok {

// What the two table buttons offer now.
struct StatusButtons {
  bool next_usable = false;  // "next" (Button7) shown and enabled
  QString next_caption;
  bool pass_usable = false;  // "pass" (Button8) shown and enabled
  QString pass_caption;
};

// The suit as its sign (♥ ♦ ♣ ♠); empty for no suit.
QString SuitSign(std::uint8_t suit);

// The text with a no-break space in place of the blank before each suit
// sign, so that a wrapped line keeps the sign with its word.
QString KeepSignsWithWords(const QString& text);

// What the player is expected to do now (one line), or who is playing.
QString TurnText(const GameState& s, const StatusButtons& buttons);
// The contract once it is ordered: declarer, order and trump; empty before.
QString ContractText(const GameState& s);
// Why seat 3's card at `slot` may not be played now (follow the led suit, or
// play a trump); empty when it may be played.
QString RefusalText(const GameState& s, int slot);

}  // namespace varnok
