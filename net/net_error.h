// Why a received record, or one field of it, was refused. Records from other
// copies are never trusted: every refusal is a value, never an exception.
#pragma once

#include <string_view>

namespace varnok::net {

enum class NetError {
  None,
  WrongKind,         // the record does not start with this kind's head
  WrongLength,       // the record is not of this kind's length
  BadSeat,           // a seat digit names no seat (or the receiver itself)
  BadDestination,    // position 38 of a move is no destination code
  BadNumber,         // digits expected, or a number out of its range
  BadCard,           // a card code that is no card of the deck
  DuplicateCard,     // a deal that holds a card twice (and so misses another)
  BadCompanion,      // a rank order or points value that does not fit its card
  BadRuleOption,     // the last character of a deal is neither of the two letters
  BadPhase,          // a phase code that does not exist
  BadSuit,           // a trump letter that is no suit
  BadCell,           // a seat cell whose first character means nothing
  UnexpectedChar,    // a one-character field holding a character of no meaning
  BadHeader,         // a connection record whose fixed words differ
  TooLong,           // a text longer than its field
  NotNow,            // the step does not fit the game on the table
  NoGame,            // no game is on the table
  Garbage,           // bytes that start no record
};

std::string_view ErrorText(NetError error);

}  // namespace varnok::net
