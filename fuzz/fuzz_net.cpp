// Fuzz target of the game-record codec: arbitrary bytes arrive on a
// connection in reads of arbitrary sizes; every record cut out of them is
// read and applied to a game, as a copy of the program would. On the local
// network every record also goes through the sender check of a server whose
// peer holds seat 2, seat 3 or no seat, and of a client, and what it lets
// through is applied under the rule check: a refused record changes nothing,
// no card is ever replaced, and nothing from a peer without a seat but its
// join request is taken up.
//
// Input: byte 0 chooses the connection (local network or tournament), the
// copy's own seat and the size of the reads; the rest is the byte stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "apply_move.h"
#include "deal_record.h"
#include "engine.h"
#include "peer_check.h"
#include "receive_buffer.h"
#include "records.h"
#include "tour_records.h"

namespace {

using namespace varnok;
using namespace varnok::net;

// A copy of the program at a table: its game, its engine and its buttons.
struct Copy {
  GameState state;
  Presenter ui;  // draws nothing
  Engine engine{state, ui};
  NetButtons buttons;
  DealSeating seating;

  Copy(int own, bool tournament, bool dealt, bool three_humans = true) {
    seating = DealSeating{own, tournament};
    TableMode mode;
    mode.NetGame = !tournament;
    mode.NetPos = own;
    mode.NetThreeHumans = three_humans;
    mode.TourGame = tournament;
    mode.TourPos = own;
    mode.ProfileSlot = tournament ? 8 : 6;
    engine.SetMode(mode);
    if (dealt) {
      // A game under way: the deck in the order of the card ordinals.
      DeckOrder order{};
      for (int j = 0; j < 24; ++j) order[static_cast<std::size_t>(j)] = j + 1;
      DealData deal;
      FillDeck(order, deal.deck, deal.order, deal.points);
      const auto record = BuildDeal(deal.deck, deal.order, deal.points, false, tournament);
      if (!record || !ApplyDeal(*record, state, seating).ok()) __builtin_trap();
      engine.Apply(Move::NewGame(), MoveSource::Record);
    }
  }

  void Take(const Received& r) {
    switch (r.kind) {
      case RecordKind::Move: {
        // The rule check: a refused record changes nothing, and no card request is ever faulty.
        const GameState before = state;
        const int faulty = engine.FaultyRequests();
        const MoveApplied applied = ApplyMove(r.body, MoveTarget{state, engine, ui, buttons});
        if (!applied.applied() && !(state == before)) __builtin_trap();
        if (applied.refused && applied.skipped.empty()) __builtin_trap();
        if (engine.FaultyRequests() != faulty) __builtin_trap();
        break;
      }
      case RecordKind::Deal:
        if (ApplyDeal(r.body, state, seating).ok())
          engine.Apply(state.InGame ? Move::NextRound() : Move::NewGame(), MoveSource::Record);
        break;
      case RecordKind::Chat: (void)ParseChat(r.body); break;
      case RecordKind::JoinRequest: (void)ParseJoinRequest(r.body); break;
      case RecordKind::SeatGrant: (void)ParseSeatGrant(r.body); break;
      case RecordKind::ThirdSeatNotice: (void)ParseThirdSeatNotice(r.body); break;
      case RecordKind::Abort: (void)IsAbortNotice(r.body); break;
      case RecordKind::Server: (void)UnwrapFramed(r.wire); break;
      case RecordKind::Control: (void)ParseControl(r.wire); break;
    }
    // The game stays within its bounds whatever arrives.
    for (int seat = 1; seat <= 3; ++seat)
      if (state.HandCount[seat] > 10) __builtin_trap();
    if (state.Phase != phNone && !IsValidPhase(state.Phase)) __builtin_trap();
  }
};

// A move record read and written again reads the same.
void CheckMoveRoundTrip(std::string_view body) {
  const auto decoded = DecodeMove(body);
  if (!decoded.ok()) return;
  const auto again = EncodeMove(decoded.value->fields);
  if (!again || again->size() != kMoveLength) __builtin_trap();
  const auto redecoded = DecodeMove(*again);
  if (!redecoded.ok() || !(redecoded.value->fields == decoded.value->fields) || !redecoded.value->skipped.empty())
    __builtin_trap();
}

// The sender check of a server whose peer holds `peer_seat` (0: none).
void CheckServerRoute(const Received& r, int peer_seat, bool two_clients) {
  const PeerRoute route = CheckFromClient(r, peer_seat, two_clients);
  if (route.Taken() != route.why.empty()) __builtin_trap();
  if (route.forward_connection < -1 || route.forward_connection > 1) __builtin_trap();
  if (!route.Taken()) return;
  // A connection without a seat may only ask to join.
  if (peer_seat == 0 && r.kind != RecordKind::JoinRequest) __builtin_trap();
  // Nothing goes back to the seat it came from, nor to a second client that is not there.
  if (peer_seat != 0 && route.forward_connection == peer_seat - 2) __builtin_trap();
  if (!two_clients && route.forward_connection == 1) __builtin_trap();
  if (r.kind == RecordKind::Move) {
    const auto decoded = DecodeMove(r.body);
    if (!decoded.ok() || decoded.value->fields.sender != peer_seat) __builtin_trap();
  }
  if (r.kind == RecordKind::Chat) {
    const auto chat = ParseChat(r.body);
    if (!chat.ok() || chat.value->seat != peer_seat) __builtin_trap();
  }
}

// The sender check of a client at seat `own`.
void CheckClientRoute(const Received& r, int own, bool three_humans) {
  const PeerRoute route = CheckFromServer(r, own, three_humans);
  if (route.Taken() != route.why.empty() || route.forward_connection != -1) __builtin_trap();
  if (!route.Taken() || r.kind != RecordKind::Move) return;
  const auto decoded = DecodeMove(r.body);
  if (!decoded.ok()) __builtin_trap();
  const int sender = decoded.value->fields.sender;
  if (sender == own || (sender != 1 && !three_humans)) __builtin_trap();
}

void CheckDealRoundTrip(std::string_view body) {
  const auto parsed = ParseDeal(body);
  if (!parsed.ok()) return;
  const DealData& d = *parsed.value;
  const auto again = BuildDeal(d.deck, d.order, d.points, d.keep_after_100, body.size() == kTourDealLength);
  if (!again || *again != body) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t control = data[0];
  const Link link = (control & 1) ? Link::Tournament : Link::Local;
  const int own = 1 + (control >> 1) % 3;
  const std::size_t read_size = 1 + (control >> 3);
  const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
  const bool tournament = link == Link::Tournament;

  Copy fresh(own, tournament, false);
  Copy playing(own, tournament, true);
  // The server of a game of two and of three, each with a game under way.
  const bool two_clients = (control >> 7) != 0;
  Copy server(1, false, true, two_clients);
  const int peer_seat = own == 1 ? 0 : own;  // the seat of the connection the bytes come from
  ReceiveBuffer buffer(link);
  std::size_t delivered = 0;
  auto take = [&](const ReceiveBuffer::FeedResult& result) {
    for (const Received& r : result.records) {
      ++delivered;
      if (r.wire.empty()) __builtin_trap();
      if (r.kind == RecordKind::Move) CheckMoveRoundTrip(r.body);
      if (r.kind == RecordKind::Deal) CheckDealRoundTrip(r.body);
      fresh.Take(r);
      playing.Take(r);
      if (!tournament) {
        CheckServerRoute(r, peer_seat, two_clients);
        if (own != 1) CheckClientRoute(r, own, two_clients || own == 3);
        // What the server takes up from its peer is applied under the rule check.
        const PeerRoute route = CheckFromClient(r, peer_seat, two_clients);
        if (route.Taken() && route.handle && r.kind == RecordKind::Move) server.Take(r);
      }
    }
    if (buffer.Waiting() > BufferLimits{}.buffer) __builtin_trap();
  };
  for (std::size_t at = 0; at < stream.size(); at += read_size) take(buffer.Feed(stream.substr(at, read_size)));
  take(buffer.Flush());

  // The same bytes in one read give the same records as in many.
  const SplitResult whole = SplitReceived(stream, link, true);
  if (!buffer.Hostile() && whole.records.size() != delivered && whole.consumed == stream.size()) {
    // Reads of other sizes may only differ where a chat line waited for the quiet flush.
    bool chat = false;
    for (const Received& r : whole.records) chat = chat || r.kind == RecordKind::Chat;
    if (!chat) __builtin_trap();
  }
  return 0;
}
