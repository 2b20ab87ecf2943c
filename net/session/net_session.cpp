// The connections of a network game: listening and joining, reading records,
// passing them on, the chat line and the end of a game when a partner leaves.
#include "net_session.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

#include "cp1251.h"
#include "deal_record.h"
#include "peer_check.h"
#include "words.h"

namespace varnok::netsession {

namespace {

// Word-table rows of the network texts.
constexpr int kRowInterrupted = 101;
constexpr int kRowPressOk = 102;
constexpr int kRowOneOfPlayer = 112;

QString Cp1251Text(const std::string& bytes) { return QString::fromStdString(Cp1251ToUtf8(bytes)); }

std::string Cp1251Bytes(const QString& text) { return Utf8ToCp1251Lossy(text.toStdString()); }

QString Why(net::NetError error) {
  const std::string_view text = net::ErrorText(error);
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

struct NetSession::Peer {
  QTcpSocket* socket = nullptr;
  net::ReceiveBuffer buffer{net::Link::Local};
  QTimer quiet;
  QTimer join;  // server: a connection that has not joined in time is closed
  QTimer more;  // what arrived beyond one turn's share is read on the next turn
  int connection = -1;  // server: 0 or 1 once joined
  bool alive = true;
  int queued = 0;   // its records waiting in the inbox
  int ignored = 0;  // records ignored while it held no seat
  int refused = 0;  // records that broke the rules
  // For the log: where the peer writes from.
  QString Address() const {
    return socket ? QString("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()) : QString("a peer");
  }
};

NetSession::NetSession(GameState& state, Engine& engine, Presenter& ui, ComputerPlayers* computer, QObject* parent)
    : QObject(parent), s_(state), engine_(engine), ui_(ui), computer_(computer) {
  send_timer_.setSingleShot(true);
  connect(&send_timer_, &QTimer::timeout, this, &NetSession::Drain);
  inbox_timer_.setSingleShot(true);
  connect(&inbox_timer_, &QTimer::timeout, this, &NetSession::ProcessInbox);
}

NetSession::~NetSession() {
  for (auto& peer : peers_) {
    if (peer->socket) peer->socket->disconnect(this);
  }
}

QString NetSession::InterruptionText() {
  using i18n::Text;
  using i18n::WordsMain;
  return Text(WordsMain, kRowOneOfPlayer) + " " + Text(WordsMain, kRowInterrupted) + "\n\r" +
         Text(WordsMain, kRowPressOk);
}

void NetSession::Log(const QString& line) { Q_EMIT Logged(line); }

quint16 NetSession::ServerPort() const { return server_ ? server_->serverPort() : 0; }

int NetSession::Rel(int seat) const { return net::RelativeSeat(seat, net_pos_); }
int NetSession::Abs(int relative) const { return net::AbsoluteSeat(relative, net_pos_); }

// --- starting -------------------------------------------------------------------

bool NetSession::StartServer(quint16 port) {
  CloseAll();
  net_pos_ = 1;
  clients_joined_ = -1;
  interrupted_ = false;
  no_games_ = false;
  error_text_.clear();
  names_ = {"", "", std::string(net::kComputerName), player_name_};
  server_ = new QTcpServer(this);
  connect(server_, &QTcpServer::newConnection, this, &NetSession::OnNewConnection);
  if (!server_->listen(QHostAddress::Any, port)) {
    error_text_ = server_->errorString();
    server_->deleteLater();
    server_ = nullptr;
    net_pos_ = 0;
    return false;
  }
  link_ = LinkState::Waiting;
  return true;
}

void NetSession::StartClient(const QString& address, quint16 port) {
  CloseAll();
  net_pos_ = 2;
  clients_joined_ = 0;
  interrupted_ = false;
  link_ = LinkState::Waiting;
  waiting_first_deal_ = true;
  no_games_ = true;  // shown once the first tick finds no seat yet
  error_text_.clear();
  Peer* p = AddPeer(new QTcpSocket(this));
  connect(p->socket, &QTcpSocket::connected, this, &NetSession::OnClientConnected);
  connect(p->socket, &QTcpSocket::errorOccurred, this, &NetSession::OnClientError);
  p->socket->connectToHost(address, port);
}

void NetSession::OnClientConnected() {
  if (link_ != LinkState::Waiting || peers_.empty()) return;
  Peer* p = peers_.front().get();
  p->socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  Queue(0, net::BuildJoinRequest(player_name_));
}

void NetSession::OnClientError() {
  // A refused or lost connection before the game: no game to join here.
  if (link_ != LinkState::Waiting) return;
  no_games_ = true;
  Log("connection: " + (peers_.empty() ? QString() : peers_.front()->socket->errorString()));
  Q_EMIT NoAccessibleGames();
}

int NetSession::Connections() const { return static_cast<int>(peers_.size()); }

void NetSession::Cancel() {
  CloseAll();
  link_ = LinkState::Idle;
  net_pos_ = 0;
}

void NetSession::CloseAll() {
  outbox_.clear();
  inbox_.clear();
  send_timer_.stop();
  inbox_timer_.stop();
  for (auto& peer : peers_) DropPeer(peer.get());
  joined_ = {nullptr, nullptr};
  if (server_) {
    server_->close();
    server_->deleteLater();
    server_ = nullptr;
  }
  game_running_ = false;
}

void NetSession::Leave() {
  const bool was_running = game_running_;
  CloseAll();
  link_ = LinkState::Idle;
  if (was_running) Q_EMIT ChatEnabled(false);
}

void NetSession::DropPeer(Peer* peer) {
  if (!peer->alive) return;
  peer->alive = false;
  peer->quiet.stop();
  for (auto it = inbox_.begin(); it != inbox_.end();) it = it->peer == peer ? inbox_.erase(it) : it + 1;
  for (auto& slot : joined_)
    if (slot == peer) slot = nullptr;
  if (QTcpSocket* socket = peer->socket) {
    peer->socket = nullptr;
    socket->disconnect(this);
    // What was written still goes out (an abort notice) before the socket closes.
    if (socket->state() == QAbstractSocket::UnconnectedState) {
      socket->deleteLater();
    } else {
      connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      socket->disconnectFromHost();
    }
  }
  // The peer itself is forgotten once the handler that dropped it has returned.
  if (!purge_due_) {
    purge_due_ = true;
    QTimer::singleShot(0, this, &NetSession::Purge);
  }
}

void NetSession::Purge() {
  purge_due_ = false;
  std::erase_if(peers_, [](const std::unique_ptr<Peer>& peer) { return !peer->alive; });
}

NetSession::Peer* NetSession::PeerAt(int connection) const {
  if (IsServer()) return (connection == 0 || connection == 1) ? joined_[static_cast<std::size_t>(connection)] : nullptr;
  return peers_.empty() || !peers_.front()->alive ? nullptr : peers_.front().get();
}

void NetSession::OnNewConnection() {
  while (server_ && server_->hasPendingConnections()) {
    QTcpSocket* socket = server_->nextPendingConnection();
    // Too many connections without a seat: the one that has waited longest is
    // closed (a player joins at once, an idle connection only holds a place).
    std::vector<Peer*> strangers;
    for (const auto& peer : peers_)
      if (peer->alive && peer->connection < 0) strangers.push_back(peer.get());
    for (std::size_t i = 0; i + static_cast<std::size_t>(std::max(limits_.most_strangers - 1, 0)) < strangers.size(); ++i) {
      Log(QString("too many connections without a seat: %1 was closed").arg(strangers[i]->Address()));
      DropPeer(strangers[i]);
    }
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    Peer* p = AddPeer(socket);
    p->join.start(limits_.join_ms);
  }
}

void NetSession::OnJoinTimeout(Peer* peer) {
  if (!peer->alive || peer->connection >= 0 || !IsServer()) return;
  Log(QString("%1 did not join within %2 ms and was closed").arg(peer->Address()).arg(limits_.join_ms));
  DropPeer(peer);
}

NetSession::Peer* NetSession::AddPeer(QTcpSocket* socket) {
  auto peer = std::make_unique<Peer>();
  peer->socket = socket;
  Peer* p = peer.get();
  peers_.push_back(std::move(peer));
  // What the socket keeps unread is bounded; the rest waits in the system.
  socket->setReadBufferSize(limits_.socket_buffer);
  p->quiet.setSingleShot(true);
  connect(&p->quiet, &QTimer::timeout, this, [this, p] { OnQuiet(p); });
  p->join.setSingleShot(true);
  connect(&p->join, &QTimer::timeout, this, [this, p] { OnJoinTimeout(p); });
  p->more.setSingleShot(true);
  connect(&p->more, &QTimer::timeout, this, [this, p] { ReadSome(p); });
  connect(socket, &QTcpSocket::readyRead, this, [this, p] { OnReadyRead(p); });
  connect(socket, &QTcpSocket::disconnected, this, [this, p] { OnPeerDisconnected(p); });
  return p;
}

bool NetSession::IsPartner(const Peer* peer) const { return !IsServer() || peer->connection >= 0; }

// --- leaving ----------------------------------------------------------------------

void NetSession::OnPeerDisconnected(Peer* peer) {
  if (!peer->alive) return;
  const bool partner = IsPartner(peer);
  const int connection = peer->connection;
  DropPeer(peer);
  if (!partner) return;  // a socket that never joined
  if (link_ == LinkState::Waiting && !IsServer()) {
    // Turned away before a seat was granted.
    no_games_ = true;
    Q_EMIT NoAccessibleGames();
    return;
  }
  if (link_ == LinkState::Waiting && IsServer()) {
    FreeSeat(connection);
    return;
  }
  Q_EMIT ChatEnabled(false);
  if (game_running_ && s_.Phase != phGameOver) Interrupt();
}

void NetSession::FreeSeat(int connection) {
  if (connection < 0 || clients_joined_ < 0) return;
  if (connection == 0 && joined_[1] != nullptr) {
    // The second client moves up to seat 2: a game of two with it.
    Peer* moved = joined_[1];
    joined_ = {moved, nullptr};
    moved->connection = 0;
    names_[1] = names_[2];
  } else if (connection == 0) {
    names_[1].clear();
  }
  names_[2] = std::string(net::kComputerName);
  --clients_joined_;
  Log(QString("the player of seat %1 left before the game; the seat is free").arg(connection + 2));
  if (clients_joined_ == 0) {
    // The remaining client hears its seat again: a game of two, the computer in seat 3.
    const std::array<std::string, 3> absolute = {names_[3], names_[1], names_[2]};
    if (const auto grant = net::BuildSeatGrant(net::SeatGrant{2, absolute})) Queue(0, *grant);
  }
  Q_EMIT PlayersChanged(clients_joined_);
}

void NetSession::Disconnect(Peer* peer, const QString& why) {
  if (!peer->alive) return;
  Log(QString("%1 %2 and was disconnected").arg(peer->Address(), why));
  const bool partner = IsPartner(peer);
  const int connection = peer->connection;
  DropPeer(peer);
  if (!partner) return;
  if (link_ == LinkState::Waiting) {
    if (IsServer()) {
      FreeSeat(connection);
    } else {
      no_games_ = true;
      Q_EMIT NoAccessibleGames();
    }
    return;
  }
  Q_EMIT ChatEnabled(false);
  if (game_running_ && s_.Phase != phGameOver) Interrupt();
}

void NetSession::Interrupt() {
  if (interrupted_) return;
  interrupted_ = true;
  game_running_ = false;
  ui_.PlaySound("WWrongs", false);
  if (IsServer() && ThreeHumans()) {
    // The abort goes out at once, ahead of anything still waiting.
    for (int c = 0; c <= 1; ++c)
      if (Peer* p = PeerAt(c); p && p->socket) {
        p->socket->write(net::BuildAbortNotice().c_str());
        p->socket->flush();
      }
  }
  outbox_.clear();
  inbox_.clear();
  Q_EMIT ChatEnabled(false);
  Q_EMIT Interrupted(InterruptionText());
  // The sockets close once the message has been handled.
  QTimer::singleShot(0, this, [this] {
    CloseAll();
    link_ = LinkState::Idle;
  });
}

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
    case RecordKind::Server: return;
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
  const net::MoveApplied applied = net::ApplyMove(record, net::MoveTarget{s_, engine_, ui_, buttons_});
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

// --- writing ----------------------------------------------------------------------

void NetSession::Queue(int connection, std::string bytes) {
  outbox_.push_back({connection, std::move(bytes), 0});
  if (!send_timer_.isActive()) Drain();
}

void NetSession::QueuePause(int ms) {
  if (ms <= 0) return;
  outbox_.push_back({0, {}, ms});
  if (!send_timer_.isActive()) Drain();
}

void NetSession::Drain() {
  while (!outbox_.empty()) {
    Outgoing& next = outbox_.front();
    if (next.bytes.empty()) {
      const int ms = next.pause_ms;
      outbox_.pop_front();
      send_timer_.start(ms);
      return;
    }
    Peer* peer = PeerAt(next.connection);
    if (!peer || !peer->socket) {
      outbox_.pop_front();
      continue;
    }
    if (write_pieces_ > 0 && next.bytes.size() > static_cast<std::size_t>(write_pieces_)) {
      const std::string piece = next.bytes.substr(0, static_cast<std::size_t>(write_pieces_));
      next.bytes.erase(0, static_cast<std::size_t>(write_pieces_));
      peer->socket->write(piece.data(), static_cast<qint64>(piece.size()));
      peer->socket->flush();
      send_timer_.start(1);
      return;
    }
    peer->socket->write(next.bytes.data(), static_cast<qint64>(next.bytes.size()));
    peer->socket->flush();
    outbox_.pop_front();
    if (write_pieces_ > 0 && !outbox_.empty()) {
      send_timer_.start(1);
      return;
    }
  }
}

}  // namespace varnok::netsession
