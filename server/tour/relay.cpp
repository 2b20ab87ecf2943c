#include "relay.h"

#include <sodium.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "tour_records.h"

namespace varnok::server {

namespace {

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::uint32_t CryptoUniform(std::uint32_t bound) { return randombytes_uniform(bound); }

std::string AddressOf(const QTcpSocket* socket) {
  QHostAddress address = socket->peerAddress();
  bool v4 = false;
  const quint32 ip4 = address.toIPv4Address(&v4);
  if (v4) address = QHostAddress(ip4);
  return address.toString().toStdString();
}

constexpr qint64 kReadPiece = 4096;

}  // namespace

struct TourRelay::Connection {
  QTcpSocket* socket = nullptr;
  Table* table = nullptr;
  int position = 0;  // the seat, once "connect" was accepted
  std::string address;
  net::ReceiveBuffer buffer{net::Link::Relay};
  std::int64_t opened_ms = 0;
  std::int64_t second_start_ms = 0;
  int records_in_second = 0;
  int ignored = 0;
  // After the game's end: the game, for comparing the result record, and until when the connection stays.
  std::shared_ptr<tour::TableGame> finished;
  std::int64_t linger_until_ms = 0;
  bool gone = false;
};

struct TourRelay::Table {
  int number = 0;
  QTcpServer* server = nullptr;
  std::array<Connection*, 4> seats{};
  std::shared_ptr<tour::TableGame> game;
  std::array<TourStanding, 4> players;
  std::int64_t turn_since_ms = 0;
  std::uint64_t steps_seen = 0;
};

TourRelay::TourRelay(Storage& storage, RelayConfig config, QObject* parent)
    : QObject(parent), storage_(storage), config_(std::move(config)) {
  ticker_.setInterval(std::clamp(config_.move_ms / 8, 20, 250));
  connect(&ticker_, &QTimer::timeout, this, &TourRelay::Tick);
}

TourRelay::~TourRelay() {
  for (auto& c : connections_) {
    if (c->socket) c->socket->disconnect(this);
  }
}

bool TourRelay::Listen(QString* error) {
  for (int t = config_.first_table; t <= config_.last_table; ++t) {
    auto table = std::make_unique<Table>();
    table->number = t;
    table->server = new QTcpServer(this);
    const int port = config_.base_port + t;
    if (port < 1 || port > 65535 || !table->server->listen(config_.listen, static_cast<quint16>(port))) {
      *error = QString("table %1: cannot listen on port %2: %3").arg(t).arg(port).arg(table->server->errorString());
      return false;
    }
    Table* raw = table.get();
    connect(table->server, &QTcpServer::newConnection, this, [this, raw] { OnConnection(raw); });
    tables_.push_back(std::move(table));
  }
  if (!tables_.empty()) ticker_.start();
  return true;
}

void TourRelay::Log(const Connection* c, const std::string& line) const {
  if (c) {
    std::fprintf(stderr, "varnok-server: table %d, position %d (%s): %s\n", c->table->number, c->position,
                 c->address.c_str(), line.c_str());
  } else {
    std::fprintf(stderr, "varnok-server: %s\n", line.c_str());
  }
}

void TourRelay::OnConnection(Table* table) {
  while (QTcpSocket* socket = table->server->nextPendingConnection()) {
    auto c = std::make_unique<Connection>();
    c->socket = socket;
    c->table = table;
    c->address = AddressOf(socket);
    c->opened_ms = NowMs();
    c->second_start_ms = c->opened_ms;
    socket->setReadBufferSize(2 * kReadPiece);
    // Records are small and each answers another: no waiting to fill a packet.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    Connection* raw = c.get();
    connect(socket, &QTcpSocket::readyRead, this, [this, raw] { OnReadyRead(raw); });
    connect(socket, &QTcpSocket::disconnected, this, [this, raw] { OnClosed(raw); });
    connections_.push_back(std::move(c));
  }
}

void TourRelay::OnReadyRead(Connection* c) {
  char piece[kReadPiece];
  while (!c->gone && c->socket->bytesAvailable() > 0) {
    const qint64 n = c->socket->read(piece, kReadPiece);
    if (n <= 0) break;
    const auto fed = c->buffer.Feed(std::string_view(piece, static_cast<std::size_t>(n)));
    if (!fed.dropped.empty() || fed.hostile) {
      Drop(c, fed.hostile ? "a stream no seat sends (too long a record)" : "bytes that are no record");
      return;
    }
    const std::int64_t now = NowMs();
    if (now - c->second_start_ms >= 1000) {
      c->second_start_ms = now;
      c->records_in_second = 0;
    }
    // Moves and control records are bounded by the game (and refused ones by
    // the refusals); chat lines by a rate no person types.
    for (const net::Received& record : fed.records) c->records_in_second += record.kind == net::RecordKind::Chat;
    if (c->records_in_second > config_.records_per_second) {
      Drop(c, "a flood of chat lines");
      return;
    }
    for (const net::Received& record : fed.records) {
      if (c->gone) return;
      Handle(c, record);
    }
  }
}

void TourRelay::Handle(Connection* c, const net::Received& record) {
  if (c->finished) {
    // After the end only the result record means anything; the table's own result counts.
    std::vector<tour::Send> ignored;
    const tour::Verdict verdict = c->finished->Receive(c->position, record, ignored);
    if (!verdict.why.empty()) Log(c, "after the game: " + verdict.why);
    if (verdict.disconnect) Drop(c, "keeps sending refused records");
    return;
  }
  if (c->position == 0) {
    Hello(c, record);
    return;
  }
  Table* table = c->table;
  if (!table->game) {
    const auto control = net::ParseControl(record.wire);
    if (control.ok() && control.value->kind == net::ControlKind::Leave) {
      Drop(c, "left the seat");
      return;
    }
    Log(c, "a record before the game, ignored");
    if (++c->ignored > config_.refused_limit) Drop(c, "keeps sending records before the game");
    return;
  }
  std::vector<tour::Send> out;
  const tour::Verdict verdict = table->game->Receive(c->position, record, out);
  Deliver(table, out);
  if (!verdict.why.empty()) Log(c, (verdict.accepted ? "" : "refused: ") + verdict.why);
  if (table->game->ending() != tour::Ending::None) {
    AfterEnd(table);
    return;
  }
  if (verdict.disconnect) Drop(c, "keeps sending refused records");
}

void TourRelay::Hello(Connection* c, const net::Received& record) {
  const auto control = record.kind == net::RecordKind::Control ? net::ParseControl(record.wire)
                                                               : net::Parsed<net::Control>{};
  if (!control.ok() || control.value->kind != net::ControlKind::Connect ||
      control.value->position != control.value->seat) {
    Drop(c, "no \"connect\" first");
    return;
  }
  Table* table = c->table;
  const int position = control.value->position;
  if (table->seats[static_cast<std::size_t>(position)] != nullptr || table->game) {
    Drop(c, "\"connect\" for a seat that is connected already");
    return;
  }
  const SeatResult claimed = storage_.ClaimSeat(config_.gid, table->number, position, c->address,
                                                NowSeconds() - config_.connect_seconds);
  if (claimed != SeatResult::kDone) {
    Drop(c, claimed == SeatResult::kFailed ? "the database failed"
                                           : "\"connect\" for a seat not taken from this address within the time, "
                                             "or connected before");
    return;
  }
  const auto seats = storage_.ReadSeats(config_.gid, table->number);
  if (!seats) {
    Drop(c, "the database failed");
    return;
  }
  const Seat& seat = seats->at(position);
  table->players[static_cast<std::size_t>(position)] = TourStanding{seat.nick, seat.city, seat.country, seat.sex};
  c->position = position;
  table->seats[static_cast<std::size_t>(position)] = c;
  Log(c, "connected as " + seat.nick);
  if (table->seats[1] && table->seats[2] && table->seats[3]) {
    // A seat left through the lobby meanwhile is no longer its connection's.
    for (int p = 1; p <= 3; ++p) {
      Connection* held = table->seats[static_cast<std::size_t>(p)];
      if (NickKey(seats->at(p).nick) != NickKey(table->players[static_cast<std::size_t>(p)].nick)) {
        // The seat in the database is someone else's now (or free): it stays as it is.
        table->seats[static_cast<std::size_t>(p)] = nullptr;
        held->position = 0;
        Drop(held, "its seat was left through the lobby");
        return;
      }
    }
    table->game = std::make_shared<tour::TableGame>(CryptoUniform, config_.refused_limit);
    std::vector<tour::Send> out;
    table->game->Start(out);
    Deliver(table, out);
    table->turn_since_ms = NowMs();
    table->steps_seen = table->game->Steps();
  }
}

void TourRelay::Deliver(Table* table, std::vector<tour::Send>& out) {
  for (const tour::Send& s : out) {
    Connection* to = net::IsSeat(s.to) ? table->seats[static_cast<std::size_t>(s.to)] : nullptr;
    if (to && !to->gone) to->socket->write(s.bytes.data(), static_cast<qint64>(s.bytes.size()));
  }
  out.clear();
}

void TourRelay::AfterEnd(Table* table) {
  const std::shared_ptr<tour::TableGame> game = std::move(table->game);
  table->game.reset();
  const std::array<int, 3> counts = game->Counts();
  const auto name = [&](int p) { return table->players[static_cast<std::size_t>(p)].nick; };
  if (game->ending() == tour::Ending::Finished) {
    for (int p = 1; p <= 3; ++p) {
      if (!storage_.AddTourResult(config_.gid, table->players[static_cast<std::size_t>(p)],
                                  counts[static_cast<std::size_t>(p - 1)]))
        Log(nullptr, "table " + std::to_string(table->number) + ": the result of " + name(p) + " was not stored");
    }
    Log(nullptr, "table " + std::to_string(table->number) + ": the game ended after " +
                     std::to_string(game->Round()) + " rounds: " + name(1) + " " + std::to_string(counts[0]) + ", " +
                     name(2) + " " + std::to_string(counts[1]) + ", " + name(3) + " " + std::to_string(counts[2]));
  } else {
    // An unfinished game counts for the one who ended it only: one game, and no gain.
    const int who = game->Offender();
    const int points = std::min(counts[static_cast<std::size_t>(who - 1)], 0);
    if (!storage_.AddTourResult(config_.gid, table->players[static_cast<std::size_t>(who)], points))
      Log(nullptr, "table " + std::to_string(table->number) + ": the result of " + name(who) + " was not stored");
    Log(nullptr, "table " + std::to_string(table->number) + ": " + name(who) +
                     (game->ending() == tour::Ending::TimedOut ? " ran out of time" : " left the game") + " in round " +
                     std::to_string(game->Round()));
  }
  if (!storage_.ClearTourTable(config_.gid, table->number))
    Log(nullptr, "table " + std::to_string(table->number) + ": the seats were not freed");
  const std::int64_t until = NowMs() + config_.linger_ms;
  for (int p = 1; p <= 3; ++p) {
    Connection* c = table->seats[static_cast<std::size_t>(p)];
    table->seats[static_cast<std::size_t>(p)] = nullptr;
    if (!c || c->gone) continue;
    c->finished = game;
    c->linger_until_ms = until;
    if (p == game->Offender()) {
      c->gone = true;
      c->socket->disconnectFromHost();
    }
  }
}

void TourRelay::Drop(Connection* c, const std::string& why) {
  if (c->gone) return;
  c->gone = true;
  Log(c, why);
  Table* table = c->table;
  if (c->position != 0 && !c->finished && table->seats[static_cast<std::size_t>(c->position)] == c) {
    if (table->game) {
      std::vector<tour::Send> out;
      table->game->End(tour::Ending::Left, c->position, out);
      Deliver(table, out);
      AfterEnd(table);
    } else {
      table->seats[static_cast<std::size_t>(c->position)] = nullptr;
      if (storage_.FreeSeat(config_.gid, table->number, c->position, std::string()) == SeatResult::kFailed)
        Log(c, "the seat was not freed");
    }
  }
  // A connection whose game is over goes after what it was told; any other at once.
  if (c->finished) c->socket->disconnectFromHost();
  else c->socket->abort();
}

void TourRelay::OnClosed(Connection* c) {
  if (c->gone) return;
  Drop(c, "closed the connection");
}

void TourRelay::Tick() {
  const std::int64_t now = NowMs();
  for (auto& table : tables_) {
    if (!table->game || !table->game->Running()) continue;
    if (table->game->Steps() != table->steps_seen) {
      table->steps_seen = table->game->Steps();
      table->turn_since_ms = now;
      continue;
    }
    if (now - table->turn_since_ms <= config_.move_ms + config_.grace_ms) continue;
    const int turn = table->game->Turn();
    if (turn == 0) continue;
    std::vector<tour::Send> out;
    table->game->End(tour::Ending::TimedOut, turn, out);
    Deliver(table.get(), out);
    AfterEnd(table.get());
  }
  for (auto& c : connections_) {
    if (c->gone) continue;
    if (c->finished && now > c->linger_until_ms) {
      c->gone = true;
      c->socket->disconnectFromHost();
    } else if (c->position == 0 && !c->finished && now - c->opened_ms > config_.hello_ms) {
      Drop(c.get(), "no \"connect\" in time");
    }
  }
  // Connections that are over are forgotten; their sockets go on the next turn of the event loop.
  const auto over = std::remove_if(connections_.begin(), connections_.end(), [](const std::unique_ptr<Connection>& c) {
    if (!c->gone) return false;
    c->socket->disconnect();
    c->socket->deleteLater();
    return true;
  });
  connections_.erase(over, connections_.end());
}

}  // namespace varnok::server
