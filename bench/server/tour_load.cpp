// Load benchmark of the tournament relay: one varnok-server on loopback
// serving N tables; 3N scripted seats (TourBot) take their seats through the
// tournament operations, connect and play whole games at full speed.
// Reports the relay latency (a move record written by its sender to the
// moment the addressed seat has read it), games and records per second, and
// the server's resident memory; then the memory of idle connections to the
// relay and to the web front end over rounds of opening and closing them.
//
//   varnok-bench-tour SERVER_BINARY [TABLES] [GAMES_PER_TABLE] [IDLE_CONNECTIONS] [PAUSE_MS]
//   (defaults 100 1 1000 0)
//
// PAUSE_MS 0 plays at full speed (every answer at once: the server is the
// bottleneck and the latency is its queue); 50 pauses before every answer as
// the program pauses between its sends. The idle connections are measured
// first, on the fresh server.
//
// The seats are written into the server's SQLite file as the lobby would
// have taken them (a seat taken through the operations costs one password
// hash, about 3 a second on this machine); the relay claims them when each
// seat connects, as in play.
//
// The server listens on 127.0.0.1 only, in a temporary folder, and is stopped at the end.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/epoll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "tour_bot.h"

namespace {

using Clock = std::chrono::steady_clock;
using varnok::tour::TourBot;

std::string binary;
std::string folder;
pid_t server_pid = 0;
int http_port = 0;
int base_port = 0;

int Connect(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  const int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return fd;
}

bool SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

long RssKiB() {
  std::ifstream status("/proc/" + std::to_string(server_pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

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

int RunAdmin(const std::vector<std::string>& args) {
  const pid_t child = fork();
  if (child == 0) {
    std::vector<std::string> all = {binary, "admin", "--data", folder};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool StartServer(int tables) {
  std::mt19937 random(std::random_device{}());
  for (int attempt = 0; attempt < 20; ++attempt) {
    base_port = std::uniform_int_distribution<int>(20000, 64000 - tables)(random);
    bool free = true;
    for (int t = 1; t <= tables && free; ++t) free = PortFree(base_port + t);
    if (free) break;
  }
  int out[2];
  if (pipe(out) != 0) return false;
  server_pid = fork();
  if (server_pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    // The server's log only when asked for (VARNOK_BENCH_SERVER_LOG=1).
    if (!std::getenv("VARNOK_BENCH_SERVER_LOG")) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDERR_FILENO);
    }
    close(out[0]);
    std::vector<std::string> args = {binary,          "--port",        "0",
                                     "--listen",      "127.0.0.1",     "--data",
                                     folder,          "--sqlite-sync", "normal",
                                     "--tour-tables", "1-" + std::to_string(tables), "--tour-seat-tables",
                                     std::to_string(tables), "--tour-base-port", std::to_string(base_port)};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string line;
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
  close(out[0]);
  const std::size_t at = line.find("127.0.0.1:");
  if (at == std::string::npos) return false;
  http_port = std::atoi(line.c_str() + at + 10);
  return true;
}

struct Seat {
  int table = 0;
  int position = 0;
  int fd = -1;
  std::unique_ptr<TourBot> bot;
  bool done = false;
};

double Percentile(std::vector<double>& v, double p) {
  if (v.empty()) return 0;
  const std::size_t k = std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())));
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k), v.end());
  return v[k];
}

// Seats every table's three positions, accounts Load1 ... in order.
bool TakeSeats(int tables) {
  QSqlDatabase db = QSqlDatabase::database("seats");
  if (!db.isValid()) {
    db = QSqlDatabase::addDatabase("QSQLITE", "seats");
    db.setDatabaseName(QString::fromStdString(folder + "/varnok.sqlite"));
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=10000");
    if (!db.open()) return false;
  }
  db.transaction();
  QSqlQuery q(db);
  q.prepare(
      "INSERT INTO tour_seats (gid, num, seat, nick, nick_key, country, city, sex, ip, holder_address, taken_at) "
      "VALUES (9, ?, ?, ?, ?, 'Russia', 'Omsk', 'M', '127.0.0.1', '127.0.0.1', ?)");
  const qint64 now = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch()).count();
  for (int t = 1; t <= tables; ++t) {
    for (int p = 1; p <= 3; ++p) {
      const QString nick = QString("Load%1").arg(3 * (t - 1) + p);
      q.addBindValue(t);
      q.addBindValue(p);
      q.addBindValue(nick);
      q.addBindValue(nick.toLower());
      q.addBindValue(now);
      if (!q.exec()) {
        std::fprintf(stderr, "seat not written: %s\n", qPrintable(q.lastError().text()));
        db.rollback();
        return false;
      }
    }
  }
  return db.commit();
}

// Plays `games` games at every table; returns false when a game did not end normally.
bool PlayGames(int tables, int games, int pause_ms, std::vector<double>& latencies_ms, long& peak_kib,
               double& seconds, long& records) {
  bool all_ok = true;
  const auto start = Clock::now();
  for (int g = 0; g < games; ++g) {
    std::vector<Seat> seats(static_cast<std::size_t>(3 * tables));
    for (int t = 1; t <= tables; ++t) {
      for (int p = 1; p <= 3; ++p) {
        Seat& s = seats[static_cast<std::size_t>(3 * (t - 1) + p - 1)];
        s.table = t;
        s.position = p;
      }
    }
    if (!TakeSeats(tables)) {
      std::fprintf(stderr, "the seats were not taken\n");
      return false;
    }
    for (Seat& s : seats) {
      TourBot::Options options;
      options.seed = static_cast<std::uint64_t>(g * 100000 + s.table * 3 + s.position);
      s.bot = std::make_unique<TourBot>(s.position, options);
      s.fd = Connect(base_port + s.table);
      if (s.fd < 0) {
        std::fprintf(stderr, "table %d: no connection\n", s.table);
        return false;
      }
      SendAll(s.fd, s.bot->Connect());
    }
    // Answers waiting for their pause: when, which seat, what.
    std::deque<std::tuple<Clock::time_point, std::size_t, std::string>> paused;
    // Moves in flight per (table, sender, receiver): their send times, in order.
    std::map<std::tuple<int, int, int>, std::deque<Clock::time_point>> flight;
    const auto note_sent = [&](const Seat& s, const std::string& bytes) {
      const auto now = Clock::now();
      for (std::size_t i = 0; i + 50 <= bytes.size();) {
        if (bytes[i] == 'h') {
          flight[{s.table, s.position, bytes[i + 37] - '0'}].push_back(now);
          i += 50;
        } else if (bytes[i] == 's' || bytes[i] == 'd') {
          i += 50;
        } else {
          i += 20;
        }
      }
    };
    std::vector<std::string> partial(seats.size());
    std::size_t done = 0;
    auto last_sample = Clock::now();
    const auto deadline = Clock::now() + std::chrono::minutes(10);
    const int ep = epoll_create1(0);
    for (std::size_t i = 0; i < seats.size(); ++i) {
      epoll_event e{};
      e.events = EPOLLIN;
      e.data.u64 = i;
      epoll_ctl(ep, EPOLL_CTL_ADD, seats[i].fd, &e);
    }
    std::vector<epoll_event> ready(512);
    while (done < seats.size() && Clock::now() < deadline) {
      while (!paused.empty() && std::get<0>(paused.front()) <= Clock::now()) {
        auto& [when, i, answer] = paused.front();
        if (!seats[i].done) {
          note_sent(seats[i], answer);
          SendAll(seats[i].fd, answer);
        }
        paused.pop_front();
      }
      int wait_ms = 100;
      if (!paused.empty()) {
        wait_ms = static_cast<int>(std::max<long long>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(std::get<0>(paused.front()) - Clock::now()).count()));
      }
      const int n_ready = epoll_wait(ep, ready.data(), static_cast<int>(ready.size()), wait_ms);
      for (int k = 0; k < n_ready; ++k) {
        const std::size_t i = ready[static_cast<std::size_t>(k)].data.u64;
        Seat& s = seats[i];
        if (s.done) {
          epoll_ctl(ep, EPOLL_CTL_DEL, s.fd, nullptr);
          continue;
        }
        char buffer[16384];
        const ssize_t n = recv(s.fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
          s.done = true;
          ++done;
          epoll_ctl(ep, EPOLL_CTL_DEL, s.fd, nullptr);
          continue;
        }
        const auto now = Clock::now();
        std::string& got = partial[i];
        got.append(buffer, static_cast<std::size_t>(n));
        // Whole records: a deal is 121 characters, the rest 50.
        std::size_t at = 0;
        while (at < got.size()) {
          const std::size_t length = got[at] == 'b' ? 121 : 50;
          if (got.size() - at < length) break;
          if (got[at] == 'h') {
            auto& q = flight[{s.table, got[at + 49] - '0', s.position}];
            if (!q.empty()) {
              latencies_ms.push_back(std::chrono::duration<double, std::milli>(now - q.front()).count());
              q.pop_front();
            }
            ++records;
          }
          at += length;
        }
        got.erase(0, at);
        const std::string answer = s.bot->Feed(std::string_view(buffer, static_cast<std::size_t>(n)));
        if (!answer.empty() && pause_ms > 0) {
          paused.emplace_back(now + std::chrono::milliseconds(pause_ms), i, answer);
        } else if (!answer.empty()) {
          note_sent(s, answer);
          SendAll(s.fd, answer);
        }
        if (s.bot->Ended() && !s.done) {
          if (s.bot->LastNotice()->kind != varnok::net::NoticeKind::GameEnded || !s.bot->Problems().empty()) {
            std::fprintf(stderr, "table %d position %d: notice %d, %zu problems%s%s\n", s.table, s.position,
                         static_cast<int>(s.bot->LastNotice()->kind), s.bot->Problems().size(),
                         s.bot->Problems().empty() ? "" : ": ",
                         s.bot->Problems().empty() ? "" : s.bot->Problems().front().c_str());
            all_ok = false;
          }
          s.done = true;
          ++done;
        }
      }
      if (Clock::now() - last_sample > std::chrono::milliseconds(200)) {
        peak_kib = std::max(peak_kib, RssKiB());
        last_sample = Clock::now();
      }
    }
    peak_kib = std::max(peak_kib, RssKiB());
    close(ep);
    for (Seat& s : seats) close(s.fd);
    if (done < seats.size()) {
      std::fprintf(stderr, "%zu of %zu seats did not finish\n", seats.size() - done, seats.size());
      all_ok = false;
    }
    // The server frees the seats once the games are over.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return all_ok;
}

// Opens `count` idle connections to `port`, measures, closes them; `rounds` times.
void IdleRounds(const char* what, int port, int count, int rounds) {
  std::printf("idle %s connections (%d per round):\n", what, count);
  for (int r = 1; r <= rounds; ++r) {
    const long before = RssKiB();
    std::vector<int> fds;
    for (int i = 0; i < count; ++i) {
      const int fd = Connect(port);
      if (fd >= 0) fds.push_back(fd);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const long open = RssKiB();
    for (const int fd : fds) close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const long after = RssKiB();
    std::printf("  round %d: %ld KiB before, %ld KiB with %zu open (%.1f KiB each), %ld KiB after closing\n", r, before,
                open, fds.size(), static_cast<double>(open - before) / static_cast<double>(fds.size()), after);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s SERVER_BINARY [TABLES] [GAMES_PER_TABLE] [IDLE_CONNECTIONS]\n", argv[0]);
    return 2;
  }
  binary = argv[1];
  const int tables = argc > 2 ? std::atoi(argv[2]) : 100;
  const int games = argc > 3 ? std::atoi(argv[3]) : 1;
  const int idle = argc > 4 ? std::atoi(argv[4]) : 1000;
  const int pause_ms = argc > 5 ? std::atoi(argv[5]) : 0;
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);
  signal(SIGPIPE, SIG_IGN);

  char pattern[] = "/tmp/varnok-bench-tour-XXXXXX";
  folder = mkdtemp(pattern);
  if (RunAdmin({"add-accounts", "Load", std::to_string(3 * tables), "loadpw1"}) != 0) {
    std::fprintf(stderr, "accounts not made\n");
    return 1;
  }
  if (!StartServer(tables)) {
    std::fprintf(stderr, "the server did not start\n");
    return 1;
  }
  if (idle > 0) {
    IdleRounds("relay", base_port + 1, idle, 4);
    IdleRounds("web", http_port, idle, 4);
  }
  const long start_kib = RssKiB();
  std::vector<double> latencies;
  long peak = 0, records = 0;
  double seconds = 0;
  const bool ok = PlayGames(tables, games, pause_ms, latencies, peak, seconds, records);
  const std::size_t moves = latencies.size();
  std::printf("%d tables, %d connections, %d game(s) each, %s: %s in %.1f s\n", tables, 3 * tables, games,
              pause_ms > 0 ? ("answers after " + std::to_string(pause_ms) + " ms").c_str() : "full speed",
              ok ? "every game ended normally" : "SOME GAMES FAILED", seconds);
  std::printf("relay latency over %zu moves: p50 %.2f ms, p99 %.2f ms, max %.2f ms; %ld records relayed\n", moves,
              Percentile(latencies, 0.50), Percentile(latencies, 0.99), Percentile(latencies, 1.0), records);
  std::printf("server memory: %ld KiB at start, %ld KiB at the peak of play (%.1f MB)\n", start_kib, peak,
              static_cast<double>(peak) / 1024.0);
  kill(server_pid, SIGTERM);
  waitpid(server_pid, nullptr, 0);
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
