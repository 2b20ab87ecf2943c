#include "net_error.h"

namespace varnok::net {

std::string_view ErrorText(NetError error) {
  switch (error) {
    case NetError::None: return "no error";
    case NetError::WrongKind: return "not a record of this kind";
    case NetError::WrongLength: return "wrong record length";
    case NetError::BadSeat: return "seat does not exist";
    case NetError::BadDestination: return "bad destination code";
    case NetError::BadNumber: return "bad number";
    case NetError::BadCard: return "bad card code";
    case NetError::DuplicateCard: return "card dealt twice";
    case NetError::BadCompanion: return "rank order or points do not fit the card";
    case NetError::BadRuleOption: return "bad rule option letter";
    case NetError::BadPhase: return "phase does not exist";
    case NetError::BadSuit: return "bad trump letter";
    case NetError::BadCell: return "bad seat cell";
    case NetError::UnexpectedChar: return "unexpected character";
    case NetError::BadHeader: return "fixed words differ";
    case NetError::TooLong: return "text too long";
    case NetError::NotNow: return "step does not fit the game";
    case NetError::NoGame: return "no game on the table";
    case NetError::Garbage: return "bytes that start no record";
  }
  return "unknown error";
}

}  // namespace varnok::net
