// Measures a network game under a flood from a connection that never joined:
// a host (server) and a real client play a game of two on 127.0.0.1, a
// stranger writes 20 MB of well-formed move records (or chat lines) to the
// host's port, and one second into the flood the real client writes a chat
// line. Prints the host's resident memory before and at its peak, how long
// the real client's line took to reach the host, the longest the host's event
// loop was held up, and what became of the stranger's connection.
//
//   varnok-net-flood [megabytes] [seconds to wait at most] [moves|chat]
//   varnok-net-flood cycles [count]   connections opened and closed at once, and the host's memory
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "computer_players.h"
#include "engine.h"
#include "net_session.h"
#include "records.h"

namespace {

using varnok::Engine;
using varnok::GameState;
using varnok::Presenter;
using varnok::netsession::NetSession;

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
  }
  return 0;
}

struct Copy {
  GameState s;
  Presenter ui;
  varnok::ai::ComputerSeats computer;
  Engine engine{s, ui};
  NetSession session{s, engine, ui, &computer};
  explicit Copy(const char* name) {
    engine.SetComputerPlayers(&computer);
    engine.SetMoveListener([this](const varnok::Move& m) { session.LocalMove(m); });
    session.SetPlayerName(name);
  }
};

// Waits on the event loop for the next event, or at most `ms`: the sockets
// are read meanwhile, nothing sleeps.
void WaitOnEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.processEvents(QEventLoop::WaitForMoreEvents);
}

// Runs the event loop until `done` holds or `ms` have passed.
bool Spin(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    WaitOnEventLoop(1);
  }
  return done();
}

struct Flood {
  std::atomic<long long> sent{0};
  std::atomic<bool> closed{false};  // the host closed the connection
  std::atomic<bool> done{false};
  std::atomic<bool> stop{false};  // the measurement is over: the stranger may hang up
};

void Stranger(quint16 port, long long bytes, bool chat, Flood* flood) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  timeval timeout{2, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    flood->closed = true;
    flood->done = true;
    ::close(fd);
    return;
  }
  // An empty move record as the host's own seat would write it to itself.
  varnok::net::MoveFields fields;
  fields.sender = 1;
  fields.destination = '1';
  const std::string record = chat ? varnok::net::BuildChat(1, "I resign now!!!").value_or("s1x")
                                  : varnok::net::EncodeMove(fields).value_or(std::string(38, 'h'));
  std::string chunk;
  while (chunk.size() < 64 * 1024) chunk += record;
  while (flood->sent < bytes) {
    const auto n = ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL);
    if (n <= 0) {
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) continue;  // the host reads slowly
      flood->closed = true;
      break;
    }
    flood->sent += n;
  }
  flood->done = true;
  // The stranger stays connected, as an attacker would, until the measurement ends.
  flood->stop.wait(false);
  ::close(fd);
}

}  // namespace

// Opens and closes `count` connections to a waiting host, a few at a time.
int Cycles(int count) {
  Copy host("Host");
  if (!host.session.StartServer(0)) return 1;
  Spin([] { return false; }, 200);
  const long before_kb = ResidentKb();
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(host.session.ServerPort());
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  for (int i = 0; i < count; ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) ::close(fd);
    else ::close(fd);
    if (i % 20 == 19) Spin([] { return false; }, 2);
  }
  Spin([] { return false; }, 1000);
  std::printf("%d connections opened and closed: host memory %.1f MB before, %.1f MB after\n", count,
              before_kb / 1024.0, ResidentKb() / 1024.0);
  std::fflush(stdout);
  std::_Exit(0);
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc > 1 && std::string(argv[1]) == "cycles") return Cycles(argc > 2 ? std::atoi(argv[2]) : 20000);
  const long long megabytes = argc > 1 ? std::atoll(argv[1]) : 20;
  const int wait_s = argc > 2 ? std::atoi(argv[2]) : 30;
  const bool chat = argc > 3 && std::string(argv[3]) == "chat";

  Copy host("Host"), client("Real");
  if (!host.session.StartServer(0)) {
    std::fprintf(stderr, "cannot listen: %s\n", host.session.ErrorText().toLocal8Bit().constData());
    return 1;
  }
  bool joined = false;
  QObject::connect(&client.session, &NetSession::GameBegins, [&] { joined = true; });
  client.session.StartClient("127.0.0.1", host.session.ServerPort());
  if (!Spin([&] { return joined; }, 5000) || !host.session.BeginGame() ||
      !Spin([&] { return client.session.GameRunning(); }, 5000)) {
    std::fprintf(stderr, "the game did not start\n");
    return 1;
  }
  Spin([] { return false; }, 300);
  const long before_kb = ResidentKb();

  Flood flood;
  auto flood_sent_mb = [&] { return flood.sent / (1024.0 * 1024.0); };
  QElapsedTimer line_clock;
  long long line_ms = -1;
  QObject::connect(&host.session, &NetSession::ChatLine, [&](int seat, const QString& text) {
    if (seat == 2 && text == "ping" && line_ms < 0) {
      line_ms = line_clock.elapsed();
      std::fprintf(stderr, "line arrived with %.1f MB of the flood written\n", flood_sent_mb());
    }
  });

  std::thread stranger(Stranger, host.session.ServerPort(), megabytes * 1024 * 1024, chat, &flood);
  long peak_kb = before_kb;
  QElapsedTimer clock;
  clock.start();
  bool line_sent = false;
  long long longest_turn_ms = 0;
  while (clock.elapsed() < wait_s * 1000LL) {
    const qint64 turn_start = clock.elapsed();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    longest_turn_ms = std::max<long long>(longest_turn_ms, clock.elapsed() - turn_start);
    peak_kb = std::max(peak_kb, ResidentKb());
    if (!line_sent && clock.elapsed() >= 1000) {
      line_sent = true;
      line_clock.start();
      client.session.SendChat("ping");
    }
    if (line_sent && line_ms >= 0 && flood.done) break;
    WaitOnEventLoop(1);
  }
  const bool flood_done = flood.done;
  flood.stop = true;
  flood.stop.notify_all();
  if (!flood_done) {
    std::fprintf(stderr, "the flood is still being written after %d s; leaving it\n", wait_s);
    stranger.detach();
  } else {
    stranger.join();
  }
  std::printf("host memory before the flood: %.1f MB\n", before_kb / 1024.0);
  std::printf("host memory at its peak:      %.1f MB\n", peak_kb / 1024.0);
  std::printf("flood of %s; the host's event loop was held up for at most %lld ms at a time\n",
              chat ? "chat lines" : "move records", longest_turn_ms);
  std::printf("flood written: %.1f MB of %lld MB; connection %s\n", flood.sent / (1024.0 * 1024.0), megabytes,
              flood.closed ? "closed by the host" : (flood_done ? "written whole" : "still open"));
  if (line_ms >= 0) std::printf("the real client's line reached the host after %lld ms\n", line_ms);
  else std::printf("the real client's line had not reached the host after %d s\n", wait_s - 1);
  std::printf("game still running on the host: %s\n", host.session.GameRunning() ? "yes" : "no");
  std::fflush(stdout);
  std::_Exit(0);
}
