// The tournament game server: one listener per table on the base port +
// the table's number, for the range of tables this process serves. A copy
// that took a seat through the tournament operations connects and says
// "connect" and its position; the seat must have been taken from the same
// address, shortly before, and not connected yet (the shared database says
// so, so several processes can serve one tournament). When the three seats
// are there the table deals and referees the game (TableGame): records go
// to the seat they name once they pass, the move clock runs here, and the
// standings are written from the game the table played.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/storage.h"
#include "table_game.h"

class QTcpServer;
class QTcpSocket;

namespace varnok::server {

struct RelayConfig {
  int first_table = 1;
  int last_table = 0;  // none when below first_table
  QHostAddress listen = QHostAddress::AnyIPv4;
  int base_port = 25700;
  std::int64_t gid = 9;       // the game's code: the lobby's tables and standings
  int move_ms = 26000;        // the move clock
  int grace_ms = 3000;        // beyond it, for the time a record takes on its way
  int connect_seconds = 60;   // a seat's game connection comes within this of taking it
  int hello_ms = 10000;       // a connection says "connect" within this
  int linger_ms = 10000;      // after a game's end, for the result record
  int refused_limit = 3;      // refused records before the sender is disconnected
  int records_per_second = 20;  // chat lines: more from one connection in a second is a flood
};

class TourRelay : public QObject {
  Q_OBJECT

 public:
  TourRelay(Storage& storage, RelayConfig config, QObject* parent = nullptr);
  ~TourRelay() override;

  // Listens on every table's port; false with the reason when one fails.
  bool Listen(QString* error);
  int Tables() const { return static_cast<int>(tables_.size()); }
  int Connections() const { return static_cast<int>(connections_.size()); }

 private:
  struct Connection;
  struct Table;

  void OnConnection(Table* table);
  void OnReadyRead(Connection* c);
  void OnClosed(Connection* c);
  void Handle(Connection* c, const net::Received& record);
  void Hello(Connection* c, const net::Received& record);
  void Deliver(Table* table, std::vector<tour::Send>& out);
  // The game has ended: standings, seats, and the connections closed soon.
  void AfterEnd(Table* table);
  void Drop(Connection* c, const std::string& why);
  void Tick();
  void Log(const Connection* c, const std::string& line) const;

  Storage& storage_;
  RelayConfig config_;
  std::vector<std::unique_ptr<Table>> tables_;
  std::vector<std::unique_ptr<Connection>> connections_;
  QTimer ticker_;
};

}  // namespace varnok::server
