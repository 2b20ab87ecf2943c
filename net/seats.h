// Seats of a network game. Every copy has its own absolute seat (`NetSeat`:
// 1 the server, 2 the first client, 3 the second client; in the tournament
// the table position) and numbers the table from its own point of view:
// relative seat 3 is the copy itself, 1 the next seat in play order, 2 the
// one after that.
#pragma once

namespace varnok::net {

// True for 1, 2 and 3.
constexpr bool IsSeat(int seat) { return seat >= 1 && seat <= 3; }
// True for the digits '1', '2' and '3'.
constexpr bool IsSeatDigit(char c) { return c >= '1' && c <= '3'; }

// The relative seat of absolute seat `seat` for a copy sitting at `own`;
// 0 when either is no seat.
int RelativeSeat(int seat, int own);
// The absolute seat of relative seat `relative` for a copy sitting at `own`; 0 when either is no seat.
int AbsoluteSeat(int relative, int own);

// Seats before and after in play order (1 -> 2 -> 3 -> 1); 0 for no seat.
int PreviousNetSeat(int seat);
int NextNetSeat(int seat);

// Where one record goes: written by `sender` for its previous or its next seat.
struct Addressee {
  int sender = 1;         // NetSeat of the sender (the table position in the tournament)
  bool to_next = false;   // false: the previous seat; true: the next seat
  bool tournament = false;

  int Receiver() const { return to_next ? NextNetSeat(sender) : PreviousNetSeat(sender); }
};

// The destination code (position 38 of a move record) for an addressee; 0
// when the sender is no seat. On the local network: '1' for the server, '2'
// sent by the server straight to a client, '3' passed on by the server to
// the other client. In the tournament: the receiver's seat digit.
char DestinationCode(const Addressee& to);

// What the receiving side of the local network does with a move record of
// destination `code`.
struct MoveRoute {
  bool apply = false;
  int forward_connection = -1;  // the server passes it on: connection 0 (seat 2) or 1 (seat 3)
};
// On the server: destination '1' is applied; '3' is passed on to the other
// client (seat 2's records on connection 1 when two clients joined, seat 3's
// on connection 0). `sender` is position 2 of the record.
MoveRoute RouteOnServer(char code, int sender, bool two_clients);
// On a client: destinations '2' and '3' are applied.
MoveRoute RouteOnClient(char code);
// In the tournament: the record is applied by the seat it names.
MoveRoute RouteInTournament(char code, int own);

}  // namespace varnok::net
