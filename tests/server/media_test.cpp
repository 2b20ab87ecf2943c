// The music folder and the club station of the real server: the playlist,
// whole songs and byte ranges, names that try to leave the folder, the
// endless stream paced for several listeners at once while other requests
// are answered, listeners that leave, the station list with the club first.
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "server_process.h"

namespace varnok::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Silent MPEG-1 layer III frames, 128 kbit/s, 44.1 kHz: 417 bytes each,
// 38.28 frames a second.
constexpr double kBytesPerSecond = 417 * 44100.0 / 1152;

std::string SilentSong(double seconds) {
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = '\xC0';
  std::string song;
  for (int i = 0; i < static_cast<int>(seconds * 44100 / 1152); ++i) song += frame;
  return song;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// A listener of the club station: a connection that asked for radio/club.
struct Listener {
  int fd = -1;
  std::string head;
  std::size_t audio_bytes = 0;
  std::string first_bytes;  // the first audio bytes
  bool closed = false;

  explicit Listener(int port) {
    if (port < 0) return;  // the caller connects
    fd = Connect(port);
    if (fd < 0) return;
    const std::string request = "GET /radio/club HTTP/1.1\r\nHost: 127.0.0.1\r\nIcy-MetaData: 0\r\n\r\n";
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  }
  ~Listener() { Close(); }
  void Close() {
    if (fd >= 0) close(fd);
    fd = -1;
  }
  // Takes whatever has arrived; false once the server closed.
  bool Drain() {
    char buffer[65536];
    for (;;) {
      const ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
      if (n == 0) closed = true;
      if (n <= 0) return !closed;
      std::string_view got(buffer, static_cast<std::size_t>(n));
      if (head.find("\r\n\r\n") == std::string::npos) {
        head.append(got);
        const std::size_t end = head.find("\r\n\r\n");
        if (end == std::string::npos) continue;
        got = std::string_view(head).substr(end + 4);
        const std::string body(got);
        head.resize(end + 4);
        Take(body);
      } else {
        Take(got);
      }
    }
  }
  void Take(std::string_view bytes) {
    audio_bytes += bytes.size();
    if (first_bytes.size() < 4) first_bytes.append(bytes.substr(0, 4 - first_bytes.size()));
  }
};

// Reads every listener for `ms` milliseconds, calling `meanwhile` once half-way.
void Listen(std::vector<Listener*> listeners, int ms, const std::function<void()>& meanwhile = {}) {
  const auto start = Clock::now();
  bool called = !meanwhile;
  while (Clock::now() - start < std::chrono::milliseconds(ms)) {
    std::vector<pollfd> fds;
    for (Listener* l : listeners) fds.push_back({l->fd, POLLIN, 0});
    poll(fds.data(), fds.size(), 50);
    for (Listener* l : listeners) l->Drain();
    if (!called && Clock::now() - start > std::chrono::milliseconds(ms / 2)) {
      called = true;
      meanwhile();
    }
  }
}

class ClubMedia : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = MakeTempFolder(); }
  void TearDown() override {
    server_.reset();
    RemoveTree(folder_);
  }
  fs::path Music() const { return fs::path(folder_) / "music"; }
  void Start(std::vector<std::string> extra = {}) {
    server_ = std::make_unique<ServerProcess>(folder_, std::move(extra));
    ASSERT_TRUE(server_->Running());
  }
  std::string folder_;
  std::unique_ptr<ServerProcess> server_;
};

TEST_F(ClubMedia, PlaylistNamesTheSongsInNameOrderUnlessTheAdministratorWroteOne) {
  WriteFile(Music() / "Second_Band~Later_Song.mp3", SilentSong(1));
  WriteFile(Music() / "First_Band~Early_Song.mp3", SilentSong(1));
  WriteFile(Music() / "no tilde here.mp3", SilentSong(1));
  WriteFile(Music() / "cover.jpg", "not a song");
  Start();
  HttpResult playlist = server_->Get("/music/_playlist.html");
  EXPECT_EQ(playlist.status, 200);
  EXPECT_EQ(playlist.body, "First_Band~Early_Song.mp3\nSecond_Band~Later_Song.mp3\n");

  WriteFile(Music() / "_playlist.html", "Own_Choice~Only_This.mp3\n");
  playlist = server_->Get("/music/_playlist.html");
  EXPECT_EQ(playlist.status, 200);
  EXPECT_EQ(playlist.body, "Own_Choice~Only_This.mp3\n");
}

TEST_F(ClubMedia, ASongComesWholeOrByRange) {
  const std::string song = SilentSong(2);
  WriteFile(Music() / "Наш_Оркестр~Вальс.mp3", song);
  Start();
  // The name percent-encoded as the program sends it.
  const std::string path = "/music/%D0%9D%D0%B0%D1%88_%D0%9E%D1%80%D0%BA%D0%B5%D1%81%D1%82%D1%80%7E"
                           "%D0%92%D0%B0%D0%BB%D1%8C%D1%81.mp3";
  const HttpResult whole = server_->Get(path);
  EXPECT_EQ(whole.status, 200);
  EXPECT_EQ(whole.body, song);

  const HttpResult part = server_->Raw("GET " + path + " HTTP/1.1\r\nHost: x\r\nRange: bytes=417-833\r\n"
                                       "Connection: close\r\n\r\n");
  EXPECT_EQ(part.status, 206);
  EXPECT_EQ(part.body, song.substr(417, 417));
  const HttpResult past = server_->Raw("GET " + path + " HTTP/1.1\r\nHost: x\r\nRange: bytes=99999999-\r\n"
                                       "Connection: close\r\n\r\n");
  EXPECT_EQ(past.status, 416);
}

TEST_F(ClubMedia, NamesThatLeaveTheFolderAreRefused) {
  WriteFile(Music() / "A_Band~Song.mp3", SilentSong(1));
  WriteFile(Music() / ".hidden~x.mp3", SilentSong(1));
  WriteFile(Music() / "sub" / "B_Band~Inner.mp3", SilentSong(1));
  Start();
  struct Case {
    const char* path;
    int status;
  };
  const Case cases[] = {
      {"/music/..%2Fvarnok.sqlite", 400},        {"/music/%2e%2e%2Fvarnok.sqlite", 400},
      {"/music/..%5Cvarnok.sqlite", 400},        {"/music/%2Fetc%2Fpasswd", 400},
      {"/music/A_Band~Song.mp3%00.txt", 400},    {"/music/sub%2FB_Band~Inner.mp3", 400},
      {"/music/../varnok.sqlite", 404},          {"/music/%2E%2E/varnok.sqlite", 404},
      {"/music//etc/passwd", 404},               {"/music/sub/B_Band~Inner.mp3", 404},
      {"/music/.hidden~x.mp3", 404},             {"/music/", 404},
      {"/music/..", 404},                        {"/music/%2E%2E", 404},
  };
  for (const Case& c : cases) {
    const HttpResult reply = server_->Raw(std::string("GET ") + c.path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(reply.status, c.status) << c.path;
    EXPECT_EQ(reply.body.find("SQLite format"), std::string::npos) << c.path;
    EXPECT_EQ(reply.body.find("root:"), std::string::npos) << c.path;
  }
  EXPECT_EQ(server_->Get("/music/A_Band~Song.mp3").status, 200);
}

// A client that asks for the close and reads to the end gets both at once,
// not after the idle time-out (15 s).
TEST_F(ClubMedia, ARequestThatAsksForTheCloseIsClosedAfterItsReply) {
  WriteFile(Music() / "A_Band~Song.mp3", SilentSong(1));
  Start();
  for (const char* path : {"/directory.txt", "/music/_playlist.html", "/music/A_Band~Song.mp3", "/music/Nobody~Here.mp3",
                           "/music/..%2Fx", "/news.html"}) {
    const int fd = Connect(server_->port());
    ASSERT_GE(fd, 0);
    const std::string request = std::string("GET ") + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    const auto start = Clock::now();
    bool closed = false;
    while (!closed && Clock::now() - start < std::chrono::seconds(10)) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buffer[65536];
      closed = recv(fd, buffer, sizeof buffer, 0) <= 0;
    }
    close(fd);
    EXPECT_TRUE(closed) << path;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10)) << path;
  }
}

TEST_F(ClubMedia, TheStationIsUnavailableWithoutSongs) {
  WriteFile(Music() / "Broken~Not_Audio.mp3", std::string(4000, 'x'));
  Start();
  const HttpResult reply = server_->Get("/radio/club");
  EXPECT_EQ(reply.status, 503);
  EXPECT_NE(reply.body.find("no songs"), std::string::npos);

  WriteFile(Music() / "Band~Song.mp3", SilentSong(2));  // an administrator adds one: it plays
  Listener listener(server_->port());
  Listen({&listener}, 500);
  EXPECT_EQ(listener.head.rfind("HTTP/1.1 200", 0), 0u) << listener.head;
  EXPECT_GT(listener.audio_bytes, 0u);
}

// Two listeners hear the stream at the songs' pace, across the end of one
// song into the next and round again, while the server answers others.
TEST_F(ClubMedia, TheStationStreamsToSeveralListenersAtThePaceOfTheSongs) {
  WriteFile(Music() / "A_Band~One.mp3", SilentSong(1.5));
  WriteFile(Music() / "B_Band~Two.mp3", SilentSong(1.5));
  Start();
  Listener first(server_->port());
  Listener second(server_->port());
  HttpResult meanwhile;
  const auto start = Clock::now();
  Listen({&first, &second}, 4000, [&]() { meanwhile = server_->Get("/directory.txt"); });
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  EXPECT_EQ(meanwhile.status, 200);
  EXPECT_NE(meanwhile.body.find("WTGamesPatt="), std::string::npos);
  for (const Listener* l : {&first, &second}) {
    EXPECT_EQ(l->head.rfind("HTTP/1.1 200", 0), 0u) << l->head;
    EXPECT_NE(l->head.find("Content-Type: audio/mpeg"), std::string::npos);
    EXPECT_EQ(l->head.find("Content-Length"), std::string::npos);
    EXPECT_FALSE(l->closed);
    EXPECT_EQ(l->first_bytes.substr(0, 2), "\xFF\xFB");  // a frame begins the audio
    // At least half the pace, and no flood: at most the three-second start
    // and twice the pace.
    EXPECT_GE(l->audio_bytes, 0.5 * kBytesPerSecond * seconds) << l->audio_bytes;
    EXPECT_LE(l->audio_bytes, kBytesPerSecond * (3 + 2 * seconds)) << l->audio_bytes;
  }
}

// With room for one listener, the next is let in only once the first is
// gone: a listener that leaves, quietly or abruptly, is dropped.
TEST_F(ClubMedia, AListenerThatLeavesIsDropped) {
  WriteFile(Music() / "A_Band~One.mp3", SilentSong(3));
  Start({"--radio-listeners", "1"});
  for (const bool abrupt : {false, true}) {
    auto leaving = std::make_unique<Listener>(server_->port());
    Listen({leaving.get()}, 300);
    ASSERT_GT(leaving->audio_bytes, 0u) << abrupt;
    {
      Listener refused(server_->port());
      Listen({&refused}, 300);
      EXPECT_EQ(refused.head.rfind("HTTP/1.1 503", 0), 0u) << refused.head;
    }
    if (abrupt) {
      const linger reset{1, 0};
      setsockopt(leaving->fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    leaving.reset();
    // The goodbye reaches the server within moments (on a loaded machine a
    // little later): the next listener is let in once it has.
    std::unique_ptr<Listener> next;
    for (int attempt = 0; attempt < 25; ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      next = std::make_unique<Listener>(server_->port());
      Listen({next.get()}, 600);
      if (next->head.rfind("HTTP/1.1 503", 0) != 0) break;
    }
    EXPECT_EQ(next->head.rfind("HTTP/1.1 200", 0), 0u) << abrupt << " " << next->head;
    EXPECT_GT(next->audio_bytes, 0u);
  }
  EXPECT_EQ(server_->Get("/directory.txt").status, 200);
}

// A listener that stops reading is let go once the backlog limit is
// waiting for him; the one who reads goes on hearing the station.
TEST_F(ClubMedia, AListenerWhoStopsReadingIsDropped) {
  WriteFile(Music() / "A_Band~One.mp3", SilentSong(3));
  Start({"--radio-backlog-kib", "16"});
  Listener sleeper(-1);
  sleeper.fd = socket(AF_INET, SOCK_STREAM, 0);
  const int small = 2048;  // little room on his side, so the backlog builds at the server
  setsockopt(sleeper.fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(server_->port()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(connect(sleeper.fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::string request = "GET /radio/club HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  send(sleeper.fd, request.data(), request.size(), MSG_NOSIGNAL);

  Listener awake(server_->port());
  const auto start = Clock::now();
  Listen({&awake}, 15000);
  // A stream that goes on never ends; the dropped one ends (reset, or closed
  // after what was under way) as soon as he reads again.
  bool ended = false;
  while (!ended && Clock::now() - start < std::chrono::seconds(25)) {
    pollfd p{sleeper.fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buffer[65536];
    ended = recv(sleeper.fd, buffer, sizeof buffer, 0) <= 0;
  }
  EXPECT_TRUE(ended);
  EXPECT_FALSE(awake.closed);
  EXPECT_GT(awake.audio_bytes, 0.5 * kBytesPerSecond * 15);
}

TEST_F(ClubMedia, TheStationListNamesTheClubFirstWithItsChecksum) {
  Start({"--public-url", "https://club.example.org:9000/", "--radio-country", "UA0"});
  const HttpResult list = server_->Get("/download/ZubRadio.ser");
  ASSERT_EQ(list.status, 200);
  EXPECT_EQ(list.body.substr(0, list.body.find('\n')),
            "UA0#CLUB001#Varnok Club Radio#Ukraine#https://club.example.org:9000/radio/club#RRADIO_LOGO_CLUB");
  EXPECT_EQ(list.body.find("CLUB001", 10), std::string::npos);  // the shipped club line is replaced
  EXPECT_NE(list.body.find("RUS#AVTO001#"), std::string::npos);
  const HttpResult sum = server_->Get("/download/ZubRadio.ser.sha256");
  const QByteArray digest =
      QCryptographicHash::hash(QByteArray::fromStdString(list.body), QCryptographicHash::Sha256).toHex();
  EXPECT_EQ(sum.body, digest.toStdString() + "  ZubRadio.ser\n");
}

TEST_F(ClubMedia, TheAdministratorsOwnStationListReplacesTheShippedOne) {
  WriteFile(fs::path(folder_) / "ZubRadio.rad", "USA#LOCAL01#Our Town#USA#http://radio.example.org/live#RRADIO_LOGO_POP\n");
  Start();
  const HttpResult list = server_->Get("/download/ZubRadio.ser");
  EXPECT_EQ(list.body, "RUS#CLUB001#Varnok Club Radio#Russian Federation#http://127.0.0.1:" +
                           std::to_string(server_->port()) + "/radio/club#RRADIO_LOGO_CLUB\n"
                           "USA#LOCAL01#Our Town#USA#http://radio.example.org/live#RRADIO_LOGO_POP\n");
  EXPECT_EQ(ReadFile(fs::path(folder_) / "download" / "ZubRadio.ser"), list.body);
}

// Started on a full disk, the server keeps the station list it wrote
// before instead of replacing it with an empty one, and serves on.
TEST_F(ClubMedia, AFullDiskKeepsThePreviousStationList) {
  Start({"--public-url", "http://first.example.org/"});
  server_.reset();
  const fs::path download = fs::path(folder_) / "download";
  const std::string before = ReadFile(download / "ZubRadio.ser");
  ASSERT_NE(before.find("http://first.example.org/radio/club"), std::string::npos);
  // The download folder becomes a small disk holding the list, then full.
  if (geteuid() != 0 || mount("none", download.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small disk here (needs root)";
  }
  WriteFile(download / "ZubRadio.ser", before);
  {
    std::ofstream filler(download / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  }
  server_ = std::make_unique<ServerProcess>(folder_, std::vector<std::string>{"--public-url", "http://second.example.org/"});
  EXPECT_TRUE(server_->Running()) << "the server serves on without a new list";
  EXPECT_EQ(ReadFile(download / "ZubRadio.ser"), before) << "the previous list stays whole";
  EXPECT_FALSE(fs::exists(download / "ZubRadio.ser.new")) << "no half-written file is left";
  if (server_->Running()) {
    EXPECT_EQ(server_->Get("/download/ZubRadio.ser").body, before);
  }
  server_.reset();
  umount2(download.c_str(), MNT_DETACH);
}

TEST_F(ClubMedia, AnUnknownCountryKeyStopsTheServerAtStart) {
  ServerProcess wrong(folder_, {"--radio-country", "XYZ"});
  EXPECT_FALSE(wrong.Running());
}

}  // namespace
}  // namespace varnok::test
