// The sender check of the local network: what a copy does with a record
// from one of its peers, decided before anything of the record is used.
// A connection that holds no seat may only ask to join; a client writes only
// as its own seat and only to seats that exist; the server writes as itself
// or passes on the other client's records unchanged.
#pragma once

#include <string>

#include "receive_buffer.h"

namespace varnok::net {

struct PeerRoute {
  enum class Verdict {
    Take,    // the record is used (see `handle` and `forward_connection`)
    Ignore,  // it is dropped and logged; it breaks no rule of the game
    Refuse,  // it is dropped and logged as a record that breaks the rules
  };
  Verdict verdict = Verdict::Take;
  bool handle = true;            // with Take: the record is for this copy (applied, shown, answered)
  int forward_connection = -1;   // with Take, on the server: pass it on unchanged on connection 0 or 1
  std::string why;               // with Ignore and Refuse
  bool Taken() const { return verdict == Verdict::Take; }
};

// On the server: a record from the peer that holds `peer_seat` (2 or 3; 0
// while the peer holds no seat) in a game with one or two clients.
PeerRoute CheckFromClient(const Received& record, int peer_seat, bool two_clients);

// On a client at seat `own`: a record from the server.
PeerRoute CheckFromServer(const Received& record, int own, bool three_humans);

}  // namespace varnok::net
