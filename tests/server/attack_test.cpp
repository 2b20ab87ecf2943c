// The server under attack from a hostile stranger on 127.0.0.1: guesses of
// passwords sent in parallel, crafted photos, pipelined and ambiguously
// framed requests. Every attack gets its refusal, and members go on being
// served (from 127.0.0.2, another address, where the attack must not reach).
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <chrono>
#include <string>
#include <vector>

#include "server_process.h"
#include "wire_helpers.h"

namespace varnok::test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kMember = "$Omsk Russia 1-001 M mail@example.org 01.02.2015 xxx xxx xxx 0 0 0$";

std::string PostRequest(const std::string& path, const std::string& body, const std::vector<std::string>& headers = {},
                        bool close_after = true) {
  std::string request = "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                        "Content-Length: " + std::to_string(body.size()) + "\r\n";
  for (const std::string& h : headers) request += h + "\r\n";
  if (close_after) request += "Connection: close\r\n";
  return request + "\r\n" + body;
}

std::string LoginBody(const std::string& nick, const std::string& pw) {
  return ListForm({{"nick", nick}, {"pw", pw}, {"label0", "0"}});
}

// One request on its own connection from `source`; the reply within `timeout_ms`.
HttpResult PostFrom(int port, const char* source, const std::string& request, int timeout_ms = 10000) {
  const int fd = Connect(port, source);
  if (fd < 0) return {};
  SendAll(fd, request);
  HttpResult reply = ReadReply(fd, timeout_ms);
  close(fd);
  return reply;
}

// Requests sent at once, each on its own connection; their replies in order.
std::vector<HttpResult> Parallel(int port, const std::vector<std::string>& requests, int timeout_ms) {
  std::vector<int> fds;
  for (const std::string& r : requests) {
    const int fd = Connect(port);
    if (fd >= 0) SendAll(fd, r);
    fds.push_back(fd);
  }
  std::vector<HttpResult> replies;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (int fd : fds) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    replies.push_back(fd < 0 ? HttpResult{} : ReadReply(fd, static_cast<int>(std::max<long>(1, left))));
    if (fd >= 0) close(fd);
  }
  return replies;
}

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "attack-test";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// An honest progressive 200 x 250 JPEG, as photo editors write them.
std::string ProgressiveJpeg() {
  EnsureApplication();
  QImage image(200, 250, QImage::Format_RGB32);
  for (int y = 0; y < 250; ++y) {
    for (int x = 0; x < 200; ++x) image.setPixel(x, y, qRgb(x, y, (x * y) % 256));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(true);
  writer.write(image);
  return bytes.toStdString();
}

// A progressive 200 x 250 grey JPEG that is valid to the last byte and has
// `scans` scans after its first: each a pass over the whole picture for the
// decoder, twelve bytes in the file.
std::string CraftedJpeg(int scans) {
  std::string j = "\xFF\xD8";
  j += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');                       // quantisation
  j += std::string("\xFF\xC2\x00\x0B\x08\x00\xFA\x00\xC8\x01\x01\x11\x00", 13);                 // 200 x 250, one component
  j += std::string("\xFF\xC4\x00\x14\x00\x01", 6) + std::string(15, '\0') + std::string(1, '\x00');  // DC: "0" = 0
  j += std::string("\xFF\xC4\x00\x14\x10\x01", 6) + std::string(15, '\0') + std::string(1, '\x90');  // AC: "0" = EOB run 2^9+
  // DC of the 25 x 32 blocks, one bit each.
  j += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00", 10) + std::string(100, '\0');
  for (int i = 0; i < scans; ++i) {
    // Coefficients 1-63 of all 800 blocks: one run of 512 + 288 empty blocks.
    j += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x00", 10) + "\x48\x3F";
  }
  return j + "\xFF\xD9";
}

class ServerUnderAttack : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTempFolder();
    server_ = std::make_unique<ServerProcess>(folder_);
    ASSERT_TRUE(server_->Running());
  }
  void TearDown() override {
    server_.reset();
    RemoveTree(folder_);
  }
  void Register(const std::string& nick, const std::string& pw) {
    ASSERT_EQ(server_->Post("/account.php", RegisterBody(nick, pw)).body, "ok") << nick;
  }
  std::string folder_;
  std::unique_ptr<ServerProcess> server_;
};

// Sixty guesses at once for one nick, the right password the 46th: the
// guesses meet the limits before they are hashed, so the right one is
// answered like the wrong ones instead of letting the guesser in.
TEST_F(ServerUnderAttack, GuessesSentInParallelMeetTheLimitsBeforeTheHash) {
  Register("Target", "rightpw1");
  std::vector<std::string> guesses;
  for (int i = 0; i < 60; ++i) {
    guesses.push_back(PostRequest("/account.php", LoginBody("Target", i == 45 ? "rightpw1" : "guess" + std::to_string(i))));
  }
  const std::vector<HttpResult> replies = Parallel(server_->port(), guesses, 60000);
  int refused = 0;
  for (const HttpResult& reply : replies) refused += reply.body == "no" ? 1 : 0;
  EXPECT_EQ(replies[45].body, "no") << "the right password among parallel guesses";
  EXPECT_EQ(refused, 60) << "every guess is answered like a wrong password";
}

// Four hundred guesses and registrations at once from one address: most are
// refused before any hash, and a member elsewhere logs in meanwhile.
TEST_F(ServerUnderAttack, AFloodOfGuessesLeavesHashingForOthers) {
  Register("Member", "memberpw");
  Register("Victim", "victimpw");
  std::vector<std::string> flood;
  for (int i = 0; i < 400; ++i) {
    flood.push_back(i % 4 == 3 ? PostRequest("/account.php", RegisterBody("Flood" + std::to_string(i), "floodpw1"))
                               : PostRequest("/account.php", LoginBody("Victim", "guess" + std::to_string(i))));
  }
  std::vector<int> fds;
  for (const std::string& r : flood) {
    const int fd = Connect(server_->port());
    if (fd >= 0) SendAll(fd, r);
    fds.push_back(fd);
  }
  const auto start = Clock::now();
  const HttpResult member = PostFrom(server_->port(), "127.0.0.2", PostRequest("/account.php", LoginBody("Member", "memberpw")));
  const double member_seconds = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_EQ(member.body, kMember) << "a member's login from another address is answered ("
                                  << member_seconds << " s after the flood began)";
  int answered = 0;
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  for (int fd : fds) {
    if (fd < 0) continue;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    const HttpResult reply = ReadReply(fd, static_cast<int>(std::max<long>(1, left)));
    answered += reply.status != 0 ? 1 : 0;
    if (reply.status != 0) {
      EXPECT_TRUE(reply.body == "no" || reply.body == "error" || reply.body == "ok") << reply.body;
    }
    close(fd);
  }
  EXPECT_EQ(answered, 400) << "the flood is answered, not left hanging";
  EXPECT_EQ(PostFrom(server_->port(), "127.0.0.2", PostRequest("/account.php", LoginBody("Member", "memberpw"))).body,
            kMember);
}

TEST_F(ServerUnderAttack, OnlyAMembersPhotoIsDecodedAndACraftedOneIsRefused) {
  Register("Photo_1", "photopw");
  const auto upload = [&](const std::string& nick, const std::string& pw, const std::string& jpeg) {
    return server_->Post("/photo_upload.php", jpeg, {"X-Varnok-Nick: " + nick, "X-Varnok-Password: " + Percent(pw)}).body;
  };
  const std::string crafted = CraftedJpeg(20000);
  ASSERT_LE(crafted.size(), 256u * 1024);
  EXPECT_EQ(upload("Photo_1", "photopw", crafted), "refused: not a 200 x 250 JPEG") << "twenty thousand scans";
  EXPECT_EQ(upload("Photo_1", "photopw", CraftedJpeg(200)), "refused: not a 200 x 250 JPEG") << "two hundred scans";
  EXPECT_EQ(server_->Get("/photos/Photo_1.jpg").status, 404) << "nothing crafted is stored";
  const std::string honest = ProgressiveJpeg();
  EXPECT_EQ(upload("Photo_1", "photopw", honest), "ok") << "a progressive photo";
  EXPECT_EQ(server_->Get("/photos/Photo_1.jpg").body, honest);

  // Crafted uploads under unknown nicks cost no decoding and lock no one out
  // of the address they came from.
  Register("Neighbour", "neighbpw");
  for (int i = 0; i < 60; ++i) {
    ASSERT_EQ(upload("Nobody" + std::to_string(i), "whatever", crafted), "refused: wrong nick or password") << i;
  }
  EXPECT_EQ(server_->Post("/account.php", LoginBody("Neighbour", "neighbpw")).body, kMember);
}

// Requests sent one after the other on one connection before any reply are
// answered in their order, however long the first one takes.
TEST_F(ServerUnderAttack, PipelinedRequestsAreAnsweredInOrder) {
  Register("Piper", "piperpw1");
  const int fd = Connect(server_->port());
  ASSERT_GE(fd, 0);
  SendAll(fd, PostRequest("/account.php", LoginBody("Piper", "piperpw1"), {}, false) +   // needs a hash
                  PostRequest("/account.php", RawForm({{"label1", "0"}}), {}, false) +  // the club's size
                  "GET /get_ip.php HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n" +
                  PostRequest("/account.php", LoginBody("Piper", "wrongpw1"), {}, false) +  // another hash
                  PostRequest("/account.php", RawForm({{"label1", "0"}})));
  const std::vector<HttpResult> replies = ReadReplies(fd, 5, 20000);
  const bool closed = ReadReply(fd, 3000).closed;
  close(fd);
  ASSERT_EQ(replies.size(), 5u);
  EXPECT_EQ(replies[0].body, "$Omsk Russia 1-001 M mail@example.org 01.02.2015 xxx xxx xxx 0 0 0$");
  EXPECT_EQ(replies[1].body, "$1$");
  EXPECT_EQ(replies[2].body, "127.0.0.1");
  EXPECT_EQ(replies[3].body, "no");
  EXPECT_EQ(replies[4].body, "$1$");
  EXPECT_TRUE(closed) << "closed after the last, as it asked";
}

// A request whose length could be read two ways is refused with 400 and its
// connection closed; one way of telling it is served.
TEST_F(ServerUnderAttack, AmbiguousFramingIsRefused) {
  const std::string body = RawForm({{"label1", "0"}});
  const std::string head = "POST /account.php HTTP/1.1\r\nHost: 127.0.0.1\r\n";
  const std::string chunked = "8\r\nlabel1=0\r\n0\r\n\r\n";
  const struct {
    const char* what;
    std::string request;
    int status;
  } cases[] = {
      {"two different lengths", head + "Content-Length: 8\r\nContent-Length: 20\r\n\r\n" + body, 400},
      {"two different lengths, other order", head + "Content-Length: 20\r\nContent-Length: 8\r\n\r\n" + body, 400},
      {"a length and chunked", head + "Content-Length: 8\r\nTransfer-Encoding: chunked\r\n\r\n" + chunked, 400},
      {"chunked and a length", head + "Transfer-Encoding: chunked\r\nContent-Length: 30\r\n\r\n" + chunked, 400},
      {"a coding the server does not read", head + "Transfer-Encoding: gzip\r\n\r\n" + body, 400},
      {"a length that is no number", head + "Content-Length: 8x\r\n\r\n" + body, 400},
      {"a length with a sign", head + "Content-Length: +8\r\n\r\n" + body, 400},
      {"the same length twice", head + "Content-Length: 8\r\nContent-Length: 8\r\n\r\n" + body, 200},
      {"chunked alone", head + "Transfer-Encoding: chunked\r\n\r\n" + chunked, 200},
      {"a length alone", head + "Content-Length: 8\r\n\r\n" + body, 200},
  };
  for (const auto& c : cases) {
    const int fd = Connect(server_->port());
    ASSERT_GE(fd, 0);
    SendAll(fd, c.request);
    const HttpResult reply = ReadReply(fd, 5000);
    const bool closed = ReadReply(fd, 3000).closed;
    close(fd);
    EXPECT_EQ(reply.status, c.status) << c.what;
    if (c.status == 400) {
      EXPECT_TRUE(closed) << c.what;
    } else {
      EXPECT_EQ(reply.body, "$0$") << c.what;
    }
  }
  // The same behind a harmless request on a kept-alive connection.
  const int fd = Connect(server_->port());
  ASSERT_GE(fd, 0);
  SendAll(fd, head + "Content-Length: 8\r\n\r\n" + body + head + "Content-Length: 8\r\nContent-Length: 9\r\n\r\n" +
                  body + "&");
  const std::vector<HttpResult> replies = ReadReplies(fd, 2, 5000);
  close(fd);
  ASSERT_FALSE(replies.empty());
  EXPECT_EQ(replies.back().status, 400);
}

}  // namespace
}  // namespace varnok::test
