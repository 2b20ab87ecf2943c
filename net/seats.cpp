#include "seats.h"

namespace varnok::net {

int RelativeSeat(int seat, int own) {
  if (!IsSeat(seat) || !IsSeat(own)) return 0;
  return ((seat - own - 1) % 3 + 3) % 3 + 1;
}

int AbsoluteSeat(int relative, int own) {
  if (!IsSeat(relative) || !IsSeat(own)) return 0;
  return (own + relative - 1) % 3 + 1;
}

int PreviousNetSeat(int seat) { return IsSeat(seat) ? (seat + 1) % 3 + 1 : 0; }

int NextNetSeat(int seat) { return IsSeat(seat) ? seat % 3 + 1 : 0; }

char DestinationCode(const Addressee& to) {
  if (!IsSeat(to.sender)) return 0;
  if (to.tournament) return static_cast<char>('0' + to.Receiver());
  switch (to.sender) {
    case 1: return '2';                    // the server writes straight to a client
    case 2: return to.to_next ? '3' : '1';  // seat 3 gets it through the server
    default: return to.to_next ? '1' : '3';  // seat 2 gets it through the server
  }
}

MoveRoute RouteOnServer(char code, int sender, bool two_clients) {
  MoveRoute route;
  if (code == '1') route.apply = true;
  if (code == '3') {
    if (sender == 2 && two_clients) route.forward_connection = 1;
    if (sender == 3) route.forward_connection = 0;
  }
  return route;
}

MoveRoute RouteOnClient(char code) { return MoveRoute{code == '2' || code == '3', -1}; }

MoveRoute RouteInTournament(char code, int own) { return MoveRoute{IsSeat(own) && code == '0' + own, -1}; }

}  // namespace varnok::net
