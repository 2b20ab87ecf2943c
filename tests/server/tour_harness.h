// A varnok-server serving tournament tables on free ports of 127.0.0.1, and
// scripted seats (TourBot) on raw sockets driven by a poll loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server_process.h"
#include "tour_bot.h"

namespace varnok::test {

class TourServer {
 public:
  TourServer(int tables, std::vector<std::string> extra = {});
  ~TourServer();
  bool Running() const { return server_ && server_->Running(); }
  ServerProcess& server() { return *server_; }
  int TablePort(int table) const { return base_ + table; }

  std::string Tour(const std::string& body) const;
  bool Register(const std::string& nick, const std::string& pw) const;
  // SetSeat as the lobby sends it ("ok", "is" or "no").
  std::string TakeSeat(int table, int seat, const std::string& nick, const std::string& pw) const;
  std::string SeatNick(int table, int seat) const;  // ReadClient's nick, "X" when free
  // ReadTourRating: score, games, rating.
  std::vector<std::string> Standing(const std::string& nick) const;
  // Another server process on the same database playing tables FROM to TO.
  std::unique_ptr<ServerProcess> AnotherProcess(int from, int to) const;

 private:
  std::string folder_;
  std::unique_ptr<ServerProcess> server_;
  int base_ = 0;
};

// A socket to 127.0.0.1:port from the source address `source`, or -1.
int ConnectFrom(int port, const char* source = "127.0.0.1");
bool SendBytes(int fd, std::string_view bytes);

struct TourPeer {
  int fd = -1;
  std::unique_ptr<tour::TourBot> bot;
  bool closed = false;   // the server closed the connection
  std::string received;  // every byte that came
  ~TourPeer();
  void Close();
};

// A seat: connected to its table's port, "connect" sent.
std::unique_ptr<TourPeer> Sit(const TourServer& server, int table, int position,
                              tour::TourBot::Options options = {}, const char* source = "127.0.0.1");

// Reads what comes to the open peers, feeds their seats and sends their
// answers, until `done` holds or `timeout_ms` passes. Returns `done()`.
bool Pump(const std::vector<TourPeer*>& peers, const std::function<bool()>& done, int timeout_ms);

}  // namespace varnok::test
