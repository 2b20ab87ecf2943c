// Reading what the peers send: the sender check as records arrive, the
// bounded inbox, joining, seats, deals, moves under the rule check and chat.
#include <QTcpServer>

#include "deal_record.h"
#include "net_session.h"
#include "net_session_peer.h"
#include "peer_check.h"

namespace varnok::netsession {

// --- reading ----------------------------------------------------------------------

void NetSession::OnReadyRead(Peer* peer) { ReadSome(peer); }

void NetSession::ReadSome(Peer* peer) {
  if (!peer->alive || !peer->socket || peer->buffer.Hostile()) return;
  const QByteArray bytes = peer->socket->read(limits_.read_per_turn);
  if (!bytes.isEmpty())
    TakeRecords(peer, peer->buffer.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
  if (!peer->alive || !peer->socket) return;
  if (peer->buffer.Waiting() > 0) peer->quiet.start(peer->buffer.QuietMs());
  // The rest is read on the next turn of the event loop, after the others' share.
  if (peer->socket->bytesAvailable() > 0) peer->more.start(0);
}

void NetSession::OnQuiet(Peer* peer) {
  if (peer->alive) TakeRecords(peer, peer->buffer.Flush());
}

void NetSession::TakeRecords(Peer* peer, net::ReceiveBuffer::FeedResult result) {
  for (const auto& dropped : result.dropped)
    Log(QString("dropped %1 bytes: %2").arg(dropped.bytes.size()).arg(Why(dropped.reason)));
  if (result.hostile) {
    Disconnect(peer, "sent garbage");
    return;
  }
  const bool was_empty = inbox_.empty();
  for (auto& record : result.records) {
    const bool move = record.kind == net::RecordKind::Move;
    // Moves that arrive while no game runs are of no use to anybody.
    if (move && !game_running_) continue;
    const int peer_seat = IsServer() && peer->connection >= 0 ? peer->connection + 2 : 0;
    const net::PeerRoute route = IsServer() ? net::CheckFromClient(record, peer_seat, ThreeHumans())
                                            : net::CheckFromServer(record, net_pos_, ThreeHumans());
    if (route.verdict == net::PeerRoute::Verdict::Ignore) {
      // A connection that holds no seat has nothing to say but its join request; a
      // partner sends nothing of what is ignored. Either is let go when it keeps on.
      if (peer->ignored++ == 0) {
        const QString who = peer_seat == 0 && IsServer() ? QString("%1, which holds no seat").arg(peer->Address())
                                                         : peer->Address();
        Log(QString("ignored a record from %1: \"%2\": %3")
                .arg(who, Cp1251Text(record.wire), QString::fromStdString(route.why)));
      }
      if (peer->ignored >= limits_.stranger_records) {
        Disconnect(peer, QString("kept sending records it has no business sending"));
        return;
      }
      continue;
    }
    if (route.verdict == net::PeerRoute::Verdict::Refuse) {
      Refused(peer, record.wire, QString::fromStdString(route.why));
      if (!peer->alive) return;
      continue;
    }
    // What goes on to the other client goes as it arrives, ahead of anything
    // the server does in answer to earlier records.
    if (route.forward_connection >= 0) Queue(route.forward_connection, record.body);
    if (!route.handle) continue;
    if (peer->queued >= limits_.queued_records) {
      Disconnect(peer, QString("sent more than %1 records at once").arg(limits_.queued_records));
      return;
    }
    ++peer->queued;
    inbox_.push_back({peer, std::move(record)});
  }
  if (was_empty && !inbox_.empty() && !inbox_timer_.isActive()) ProcessInbox();
}

void NetSession::ProcessInbox() {
  int handled = 0;
  while (!inbox_.empty()) {
    // The event loop gets its turn between shares of records.
    if (handled++ == limits_.records_per_turn) {
      inbox_timer_.start(0);
      return;
    }
    Incoming next = std::move(inbox_.front());
    inbox_.pop_front();
    --next.peer->queued;
    const bool move = next.record.kind == net::RecordKind::Move;
    Handle(next.peer, next.record);
    // The records of one read follow each other with a pause, so that every
    // step can be seen on the table.
    if (move && !inbox_.empty() && pauses_.between_records_ms > 0) {
      inbox_timer_.start(pauses_.between_records_ms);
      return;
    }
  }
}

void NetSession::Handle(Peer* peer, const net::Received& record) {
  if (!peer->alive) return;
  using net::RecordKind;
  switch (record.kind) {
    case RecordKind::JoinRequest:
      if (IsServer()) HandleJoin(peer, record.body);
      return;
    case RecordKind::SeatGrant:
      if (!IsServer()) HandleSeatGrant(record.body);
      return;
    case RecordKind::ThirdSeatNotice:
      if (!IsServer()) HandleThirdSeat(record.body);
      return;
    case RecordKind::Deal:
      if (!IsServer()) HandleDeal(record.body);
      return;
    case RecordKind::Move: HandleMove(peer, record.body); return;
    case RecordKind::Chat: HandleChat(peer, record.body); return;
    case RecordKind::Abort:
      if (!IsServer()) {
        if (game_running_ && s_.Phase != phGameOver) Interrupt();
        else DropPeer(peer);
      }
      return;
    case RecordKind::Server:
    case RecordKind::Control: return;  // the tournament's, never on the local network
  }
}

void NetSession::HandleJoin(Peer* peer, const std::string& record) {
  if (peer->connection >= 0) return;  // already seated
  const auto join = net::ParseJoinRequest(record);
  if (!join.ok()) {
    Log(QString("join request refused: %1").arg(Why(join.error)));
    return;
  }
  if (link_ != LinkState::Waiting) return;  // the game has begun: no answer
  if (clients_joined_ >= 1) {
    // The table has room for two clients: a third is turned away without a seat.
    Log("a third player was turned away");
    DropPeer(peer);
    return;
  }
  ++clients_joined_;
  peer->connection = clients_joined_;
  peer->join.stop();
  joined_[static_cast<std::size_t>(clients_joined_)] = peer;
  names_[2] = std::string(net::kComputerName);
  names_[static_cast<std::size_t>(clients_joined_ + 1)] = net::PadName(*join.value);
  names_[3] = player_name_;
  const std::array<std::string, 3> absolute = {names_[3], names_[1], names_[2]};
  const int seat = clients_joined_ + 2;
  if (const auto grant = net::BuildSeatGrant(net::SeatGrant{seat, absolute})) Queue(peer->connection, *grant);
  if (clients_joined_ == 1) Queue(0, net::BuildThirdSeatNotice(net::ThirdSeatNotice{absolute}));
  Q_EMIT PlayersChanged(clients_joined_);
}

void NetSession::HandleSeatGrant(const std::string& record) {
  // A seat granted again before the first deal: a partner left and the table changed.
  const bool again = link_ == LinkState::Joined && waiting_first_deal_ && !game_running_;
  if (link_ != LinkState::Waiting && !again) return;
  const auto grant = net::ParseSeatGrant(record);
  if (!grant.ok()) {
    Log("seat grant refused");
    return;
  }
  if (again) {
    net_pos_ = grant.value->seat;
    clients_joined_ = net_pos_ == 3 ? 1 : 0;
    SetTableMode(grant.value->names);
    Q_EMIT PlayersChanged(clients_joined_);
    return;
  }
  link_ = LinkState::Joined;
  no_games_ = false;
  net_pos_ = grant.value->seat;
  clients_joined_ = net_pos_ == 3 ? 1 : 0;
  SetTableMode(grant.value->names);
  Q_EMIT GameBegins();
}

void NetSession::HandleThirdSeat(const std::string& record) {
  if (net_pos_ != 2 || game_running_) return;
  const auto notice = net::ParseThirdSeatNotice(record);
  if (!notice.ok()) return;
  clients_joined_ = 1;
  SetTableMode(notice.value->names);
  Q_EMIT PlayersChanged(clients_joined_);
}

void NetSession::SetTableMode(const std::array<std::string, 3>& absolute_names) {
  for (int seat = 1; seat <= 3; ++seat)
    names_[static_cast<std::size_t>(Rel(seat))] = absolute_names[static_cast<std::size_t>(seat - 1)];
  SetTableMode();
}

void NetSession::SetTableMode() {
  TableMode mode = engine_.Mode();
  mode.NetGame = true;
  mode.TourGame = false;
  mode.NetPos = net_pos_;
  mode.NetThreeHumans = ThreeHumans();
  engine_.SetMode(mode);
  for (int seat = 1; seat <= 3; ++seat) s_.Names[static_cast<std::size_t>(seat)] = names_[static_cast<std::size_t>(seat)];
}

void NetSession::HandleDeal(const std::string& record) {
  if (link_ != LinkState::Joined) return;
  const auto keep = net::ApplyDeal(record, s_, net::DealSeating{net_pos_, false});
  if (!keep.ok()) {
    Log(QString("deal refused: %1").arg(Why(keep.error)));
    return;
  }
  const bool first = waiting_first_deal_;
  waiting_first_deal_ = false;
  DealOnTable(*keep.value, first);
  if (!first) Q_EMIT ChatEnabled(true);
  Q_EMIT Dealt(first);
}

void NetSession::HandleMove(Peer* peer, const std::string& record) {
  // Its sender was checked as it arrived (TakeRecords); the rules are checked as it applies.
  if (game_running_) ApplyRecord(peer, record);
}

void NetSession::ApplyRecord(Peer* peer, const std::string& record) {
  ++applying_;
  const net::MoveApplied applied = net::ApplyMove(record, net::MoveTarget{s_, engine_, ui_, buttons_});
  --applying_;
  if (!applied.ok()) {
    Refused(peer, record, Why(applied.error));
    return;
  }
  if (applied.refused) {
    const net::FieldIssue issue = applied.skipped.back();
    Refused(peer, record, QString("field %1: %2").arg(issue.position).arg(Why(issue.error)));
    return;
  }
  for (const auto& issue : applied.skipped)
    Log(QString("field %1 skipped: %2").arg(issue.position).arg(Why(issue.error)));
  AdjustButtons();
}

void NetSession::Refused(Peer* peer, const std::string& record, const QString& why) {
  const QString from = IsServer() ? QString("seat %1 (%2)").arg(peer->connection + 2).arg(peer->Address())
                                  : QString("the server (%1)").arg(peer->Address());
  Log(QString("refused a record from %1: \"%2\": %3").arg(from, Cp1251Text(record), why));
  if (++peer->refused >= limits_.refused_records)
    Disconnect(peer, QString("sent %1 records that break the rules").arg(peer->refused));
}

void NetSession::HandleChat(Peer*, const std::string& record) {
  // Its writer was checked, and the line passed on, as it arrived (TakeRecords).
  const auto chat = net::ParseChat(record);
  if (!chat.ok()) return;
  ui_.PlaySound("WToMenK", false);
  Q_EMIT ChatLine(chat.value->seat, Cp1251Text(chat.value->text));
}

void NetSession::SendChat(const QString& text) {
  if (text.isEmpty() || link_ == LinkState::Idle) return;
  const QString line = text.left(static_cast<int>(net::kChatTextMax));
  const auto record = net::BuildChat(net_pos_, Cp1251Bytes(line));
  if (!record) return;
  Queue(0, *record);
  if (IsServer() && ThreeHumans()) Queue(1, *record);
  Q_EMIT ChatLine(net_pos_, line);
}

}  // namespace varnok::netsession
