// Hostile requests: each gets a refusal or a safe reply, nothing of it runs
// as SQL, and the server goes on serving everyone else.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "server_process.h"
#include "wire_helpers.h"

namespace varnok::test {
namespace {

class HostileInput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new std::string(MakeTempFolder());
    server_ = new ServerProcess(*folder_);
    ASSERT_TRUE(server_->Running());
    ASSERT_EQ(server_->Post("/account.php", RegisterBody("Victim", "victim1")).body, "ok");
  }
  static void TearDownTestSuite() {
    delete server_;
    RemoveTree(*folder_);
    delete folder_;
  }
  // The server still answers an ordinary request correctly.
  static void ExpectServing() {
    EXPECT_EQ(server_->Post("/account.php", ListForm({{"nick", "Victim"}, {"pw", "victim1"}, {"label0", "0"}})).body,
              "$Omsk Russia 1-001 M mail@example.org 01.02.2015 xxx xxx xxx 0 0 0$");
  }
  static std::string* folder_;
  static ServerProcess* server_;
};
std::string* HostileInput::folder_ = nullptr;
ServerProcess* HostileInput::server_ = nullptr;

TEST_F(HostileInput, MalformedBodiesAreRefusedAndTheServerGoesOn) {
  const std::string long_field(5000, 'A');
  const struct {
    const char* path;
    std::string body;
  } cases[] = {
      {"/account.php", ListForm({{"nick", "x' OR '1'='1"}, {"pw", "' OR 1=1 --"}, {"label0", "0"}})},
      {"/account.php", "nick=Victim&pw=victim1'--&label0=0"},
      {"/account.php", "nick=Victim%&pw=%G1%&label0=0"},
      {"/account.php", "nick=%FF%FE&pw=%C0%AF&label0=0"},  // not UTF-8 in a ListForm
      {"/account.php", "&&&===&&"},
      {"/account.php", ""},
      {"/account.php", "label0"},
      {"/account.php", "nick=" + long_field + "&pw=" + long_field + "&label0=0"},
      {"/account.php", RegisterBody("Evil$Nick", "pw$$~~**")},
      {"/account.php", RegisterBody("Robert');--", "secret1")},
      {"/account.php", RawForm({{"crdVarnok'; DROP TABLE rated;--kon", "0"}})},
      {"/account.php", RawForm({{"nick", "Victim"}, {"pw", "victim1"}, {"x=konl", "1"}})},
      {"/results.php", RawForm({{"gid", "9; DELETE FROM results"}})},
      {"/results.php", RawForm({{"gid", "100"}, {"nick", "A*$~"}, {"city", "Omsk"}, {"country", "1-001"},
                                {"score", "1"}, {"R7", "M"}, {"R8", "5.7f"}, {"R9", "x"}, {"R10", "$~*&=%*"}})},
      {"/results.php", RawForm({{"gid", "9"}, {"nick", "Big"}, {"city", "Omsk"}, {"country", "1-001"},
                                {"score", "99999999999"}, {"R7", "M"}, {"R8", "5.7f"}, {"R9", "#"}, {"R10", "#*"}})},
      {"/results.php", "gid=\x98\x98&nick=\xFF\x00&city=%00"},
      {"/stats.php", RawForm({{"gid", "9"}, {"stat3", "1"}, {"stat4", "<script>"}})},
      {"/stats.php", "gid=-1"},
      {"/tour.php", RawForm({{"client3on9", "0"}, {"gid", "9"}, {"num", "11"}, {"can", "1"}})},
      {"/tour.php", RawForm({{"top10x9", "0"}})},
      {"/tour.php", RawForm({{"readclient7", "0"}, {"gid", "9"}, {"num", "1"}})},
      {"/nothing.php", "a=b"},
  };
  for (const auto& c : cases) {
    const HttpResult reply = server_->Post(c.path, c.body);
    EXPECT_TRUE(reply.status == 200 || reply.status == 400 || reply.status == 404 || reply.status == 413)
        << c.path << " " << c.body.substr(0, 80) << " -> " << reply.status;
    const bool refusal = reply.body == "no" || reply.body == "error" || reply.body == "$1no#" ||
                         reply.body == "Not found" || reply.body == "";
    EXPECT_TRUE(refusal) << c.path << " " << c.body.substr(0, 80) << " -> " << reply.body.substr(0, 80);
    ExpectServing();
  }
}

TEST_F(HostileInput, EscapedSeparatorsStayInsideTheirValue) {
  Fields fields = {{"nick", "Victim"}, {"pw", "victim1"}, {"labelinfosave", "0"}, {"namei", "A&pw=x"},
                   {"name2", "50% = half"}, {"about", "Robert'); DROP TABLE accounts;--"}, {"telephone", "$1~2*"}};
  EXPECT_EQ(server_->Post("/account.php", RawForm(fields)).body, "ok");
  const std::string info =
      server_->Post("/account.php", ListForm({{"nick", "Victim"}, {"labelinforead", "0"}})).body;
  const std::vector<std::string> f = FirstRecord(info, '~');
  ASSERT_EQ(f.size(), 14u) << info;
  EXPECT_EQ(f[0], "A&pw=x");
  EXPECT_EQ(f[1], "50% = half");
  EXPECT_EQ(f[2], "Robert'); DROP TABLE accounts;--");
  EXPECT_EQ(f[3], " 1 2_") << "$ and ~ become blanks when stored, * is never sent";
  ExpectServing();
}

TEST_F(HostileInput, OversizedRequestsAreRefusedBeforeTheyAreRead) {
  const int fd = Connect(server_->port());
  ASSERT_GE(fd, 0);
  const std::string head = "POST /account.php HTTP/1.1\r\nHost: x\r\nContent-Length: 1000000000\r\n\r\nnick=a";
  ASSERT_GT(send(fd, head.data(), head.size(), MSG_NOSIGNAL), 0);
  EXPECT_EQ(ReadReply(fd, 3000).status, 413);
  EXPECT_TRUE(ReadReply(fd, 3000).closed) << "the connection is closed after the refusal";
  close(fd);
  const std::string big(600 * 1024, 'a');
  const HttpResult sent = server_->Post("/account.php", "nick=" + big);
  EXPECT_EQ(sent.status, 413);
  const HttpResult form = server_->Post("/account.php", "label0=0&nick=" + std::string(20000, 'b'));
  EXPECT_EQ(form.status, 413) << "a form over 16 KiB";
  ExpectServing();
}

TEST_F(HostileInput, ASlowClientIsClosedAndNeverHoldsTheOthers) {
  const int slow = Connect(server_->port());
  ASSERT_GE(slow, 0);
  const std::string start = "POST /account.php HTTP/1.1\r\nHost: x\r\nContent-Length: 100\r\n\r\nnick=";
  ASSERT_GT(send(slow, start.data(), start.size(), MSG_NOSIGNAL), 0);
  const int idle = Connect(server_->port());  // connects and says nothing
  ASSERT_GE(idle, 0);
  const auto begin = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) ExpectServing();
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3));
  // One byte a second keeps no request alive past its time limit.
  HttpResult slow_end;
  for (int i = 0; i < 10 && !slow_end.closed; ++i) {
    send(slow, "x", 1, MSG_NOSIGNAL);
    slow_end = ReadReply(slow, 1000);
  }
  EXPECT_TRUE(slow_end.closed) << "the server closes an unfinished request";
  EXPECT_TRUE(ReadReply(idle, 3000).closed) << "and a connection that never sends";
  close(slow);
  close(idle);
  ExpectServing();
}

TEST_F(HostileInput, GarbageThatIsNotHttpIsDropped) {
  const HttpResult reply = server_->Raw(std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", 11) +
                                        std::string(2000, '\0'), 6000);
  EXPECT_NE(reply.status, 200);
  ExpectServing();
}

}  // namespace
}  // namespace varnok::test
