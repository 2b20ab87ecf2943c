#include "tour_harness.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "wire_helpers.h"

namespace varnok::test {

namespace {

bool PortFree(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  close(fd);
  return ok;
}

}  // namespace

TourServer::TourServer(int tables, std::vector<std::string> extra) : folder_(MakeTempFolder()) {
  std::mt19937 random(std::random_device{}());
  for (int attempt = 0; attempt < 8 && !Running(); ++attempt) {
    base_ = std::uniform_int_distribution<int>(20000, 60000 - tables)(random);
    bool free = true;
    for (int t = 1; t <= tables && free; ++t) free = PortFree(base_ + t);
    if (!free) continue;
    std::vector<std::string> args = {"--tour-base-port", std::to_string(base_), "--tour-tables",
                                     "1-" + std::to_string(tables)};
    for (const auto& e : extra) args.push_back(e);
    server_ = std::make_unique<ServerProcess>(folder_, args);
  }
}

TourServer::~TourServer() {
  server_.reset();
  RemoveTree(folder_);
}

std::string TourServer::Tour(const std::string& body) const { return server_->Post("/tour.php", body).body; }

bool TourServer::Register(const std::string& nick, const std::string& pw) const {
  return server_->Post("/account.php", RegisterBody(nick, pw)).body == "ok";
}

std::string TourServer::TakeSeat(int table, int seat, const std::string& nick, const std::string& pw) const {
  const std::string n = std::to_string(seat);
  return Tour(RawForm({{"client3on" + n, "0"}, {"gid", "9"}, {"num", std::to_string(table)}, {"can", "1"},
                       {"nick" + n, nick}, {"score" + n, "0"}, {"kon" + n, "0"}, {"rating" + n, "0"},
                       {"country" + n, "Russia"}, {"city" + n, "Omsk"}, {"sex" + n, "M"}, {"ip" + n, "127.0.0.1"},
                       {"pw", pw}}));
}

std::string TourServer::SeatNick(int table, int seat) const {
  const auto fields = FirstRecord(
      Tour(ListForm({{"readclient" + std::to_string(seat), "0"}, {"gid", "9"}, {"num", std::to_string(table)}})));
  return fields.empty() ? std::string() : fields[0];
}

std::vector<std::string> TourServer::Standing(const std::string& nick) const {
  return FirstRecord(Tour(RawForm({{"readrating9", "0"}, {"nick", nick}})));
}

std::unique_ptr<ServerProcess> TourServer::AnotherProcess(int from, int to) const {
  return std::make_unique<ServerProcess>(
      folder_, std::vector<std::string>{"--tour-base-port", std::to_string(base_), "--tour-tables",
                                        std::to_string(from) + "-" + std::to_string(to)});
}

int ConnectFrom(int port, const char* source) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  sockaddr_in from{};
  from.sin_family = AF_INET;
  inet_pton(AF_INET, source, &from.sin_addr);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<std::uint16_t>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
      connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
    close(fd);
    return -1;
  }
  const int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return fd;
}

bool SendBytes(int fd, std::string_view bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

TourPeer::~TourPeer() { Close(); }

void TourPeer::Close() {
  if (fd >= 0) close(fd);
  fd = -1;
}

std::unique_ptr<TourPeer> Sit(const TourServer& server, int table, int position, tour::TourBot::Options options,
                              const char* source) {
  auto peer = std::make_unique<TourPeer>();
  peer->bot = std::make_unique<tour::TourBot>(position, options);
  peer->fd = ConnectFrom(server.TablePort(table), source);
  if (peer->fd >= 0) SendBytes(peer->fd, peer->bot->Connect());
  return peer;
}

bool Pump(const std::vector<TourPeer*>& peers, const std::function<bool()>& done, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    std::vector<pollfd> fds;
    std::vector<TourPeer*> open;
    for (TourPeer* p : peers) {
      if (p->fd < 0 || p->closed) continue;
      fds.push_back({p->fd, POLLIN, 0});
      open.push_back(p);
    }
    if (fds.empty()) return done();
    if (poll(fds.data(), fds.size(), static_cast<int>(std::min<long long>(left, 50))) <= 0) continue;
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[8192];
      const ssize_t n = recv(open[i]->fd, buffer, sizeof buffer, 0);
      if (n <= 0) {
        open[i]->closed = true;
        continue;
      }
      const std::string_view got(buffer, static_cast<std::size_t>(n));
      open[i]->received.append(got);
      const std::string answer = open[i]->bot->Feed(got);
      if (!answer.empty()) SendBytes(open[i]->fd, answer);
    }
  }
  return true;
}

}  // namespace varnok::test
