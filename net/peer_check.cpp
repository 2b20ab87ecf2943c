#include "peer_check.h"

#include "records.h"
#include "seats.h"

namespace varnok::net {

namespace {

PeerRoute Take(bool handle = true, int forward_connection = -1) {
  return {PeerRoute::Verdict::Take, handle, forward_connection, {}};
}
PeerRoute Ignore(std::string why) { return {PeerRoute::Verdict::Ignore, false, -1, std::move(why)}; }
PeerRoute Refuse(std::string why) { return {PeerRoute::Verdict::Refuse, false, -1, std::move(why)}; }

std::string Text(NetError error) { return std::string(ErrorText(error)); }

}  // namespace

PeerRoute CheckFromClient(const Received& record, int peer_seat, bool two_clients) {
  if (peer_seat != 2 && peer_seat != 3) {
    if (record.kind == RecordKind::JoinRequest) return Take();
    return Ignore("the connection holds no seat");
  }
  switch (record.kind) {
    case RecordKind::Move: {
      const auto decoded = DecodeMove(record.body);
      if (!decoded.ok()) return Refuse(Text(decoded.error));
      const int sender = decoded.value->fields.sender;
      if (sender != peer_seat) return Refuse("the record claims seat " + std::to_string(sender));
      const MoveRoute route = RouteOnServer(decoded.value->fields.destination, sender, two_clients);
      if (!route.apply && route.forward_connection < 0)
        return Refuse(std::string("destination ") + decoded.value->fields.destination + " leads to no seat");
      return Take(route.apply, route.forward_connection);
    }
    case RecordKind::Chat: {
      const auto chat = ParseChat(record.body);
      if (!chat.ok()) return Refuse(Text(chat.error));
      if (chat.value->seat != peer_seat) return Refuse("the chat line claims seat " + std::to_string(chat.value->seat));
      // The line goes on to the other client, if there is one.
      if (peer_seat == 2) return Take(true, two_clients ? 1 : -1);
      return Take(true, 0);
    }
    case RecordKind::JoinRequest: return Ignore("the connection holds a seat already");
    default: return Ignore("no client sends this record");
  }
}

PeerRoute CheckFromServer(const Received& record, int own, bool three_humans) {
  switch (record.kind) {
    case RecordKind::Move: {
      const auto decoded = DecodeMove(record.body);
      if (!decoded.ok()) return Refuse(Text(decoded.error));
      // "2": the server writes as itself; "3": it passes on a record of the other client.
      const int sender = decoded.value->fields.sender;
      const char destination = decoded.value->fields.destination;
      const int other_client = three_humans && (own == 2 || own == 3) ? 5 - own : 0;
      if ((destination == '2' && sender == 1) || (destination == '3' && sender == other_client)) return Take();
      return Refuse("seat " + std::to_string(sender) + " cannot write with destination " + destination);
    }
    case RecordKind::Chat: {
      const auto chat = ParseChat(record.body);
      if (!chat.ok()) return Refuse(Text(chat.error));
      if (chat.value->seat == own) return Ignore("the chat line claims this copy's seat");
      return Take();
    }
    case RecordKind::JoinRequest: return Ignore("no server sends this record");
    default: return Take();
  }
}

}  // namespace varnok::net
