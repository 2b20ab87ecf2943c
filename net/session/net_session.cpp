// The connections of a network game: listening and joining, the peers, the
// end of a game when a partner leaves, and writing. Reading is in
// net_session_reading.cpp.
#include "net_session.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

#include "net_session_peer.h"
#include "words.h"

namespace varnok::netsession {

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
  namespace rows = words::main;
  return Text(WordsMain, rows::kOneOfPlayer) + " " + Text(WordsMain, rows::kHasInterruptedGame) + "\n\r" +
         Text(WordsMain, rows::kPressOKForExitToTheMainMenu);
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
