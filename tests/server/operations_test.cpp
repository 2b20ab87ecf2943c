// Every operation of the program's services against the real server, with
// the request bodies the program sends and the replies it reads.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <filesystem>
#include <fstream>

#include "address_cipher.h"
#include "server_process.h"
#include "wire_helpers.h"

namespace varnok::test {
namespace {

class ServerOperations : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new std::string(MakeTempFolder());
    server_ = new ServerProcess(*folder_);
    ASSERT_TRUE(server_->Running()) << "varnok-server did not start: " << ServerBinary();
  }
  static void TearDownTestSuite() {
    delete server_;
    RemoveTree(*folder_);
    delete folder_;
  }
  static std::string Account(const std::string& body) { return server_->Post("/account.php", body).body; }
  static std::string Results(const std::string& body) { return server_->Post("/results.php", body).body; }
  static std::string Stats(const std::string& body) { return server_->Post("/stats.php", body).body; }
  static std::string Tour(const std::string& body) { return server_->Post("/tour.php", body).body; }
  static void Register(const std::string& nick, const std::string& pw) {
    ASSERT_EQ(Account(RegisterBody(nick, pw)), "ok") << nick;
  }

  static std::string* folder_;
  static ServerProcess* server_;
};
std::string* ServerOperations::folder_ = nullptr;
ServerProcess* ServerOperations::server_ = nullptr;

TEST_F(ServerOperations, RegistrationAnswersCreatedTakenOrError) {
  EXPECT_EQ(Account(RegisterBody("Anna_1", "secret1")), "ok");
  EXPECT_EQ(Account(RegisterBody("Anna_1", "other12")), "is");
  EXPECT_EQ(Account(RegisterBody("ANNA_1", "other12")), "is") << "nicks differ only in case";
  struct Case {
    const char* what;
    std::string body;
  };
  const Case refused[] = {
      {"one-letter nick", RegisterBody("A", "secret1")},
      {"Cyrillic nick", RegisterBody("\xC8\xE2\xE0\xED", "secret1")},
      {"nick with a blank", RegisterBody("Ann a", "secret1")},
      {"13-letter nick", RegisterBody("Abcdefghijklm", "secret1")},
      {"3-letter password", RegisterBody("Boris", "abc")},
      {"e-mail starting with @", RegisterBody("Boris", "secret1", "Omsk", "@mail.ru")},
      {"e-mail ending with @", RegisterBody("Boris", "secret1", "Omsk", "mail@")},
      {"empty city", RegisterBody("Boris", "secret1", "")},
  };
  for (const Case& c : refused) EXPECT_EQ(Account(c.body), "error") << c.what;
  // A Cyrillic city is acceptable.
  EXPECT_EQ(Account(RegisterBody("Boris", "secret1", "\xCE\xEC\xF1\xEA")), "ok");
}

TEST_F(ServerOperations, LoginGivesTheRecordOrTheBareNo) {
  Register("Nonna", "nopass1");
  Account(RawForm({{"nick", "Nonna"}}));
  ASSERT_EQ(Account(RegisterBody("Nonno", "nopass1", "Novosibirsk", "no@no.no")), "ok");
  const std::string reply = Account(ListForm({{"nick", "Nonno"}, {"pw", "nopass1"}, {"label0", "0"}}));
  EXPECT_EQ(reply, "$Novosibirsk Russia 1-001 M no@no.no 01.02.2015 xxx xxx xxx 0 0 0$");
  EXPECT_EQ(Account(ListForm({{"nick", "Nonno"}, {"pw", "wrong12"}, {"label0", "0"}})), "no");
  EXPECT_EQ(Account(ListForm({{"nick", "Nobody"}, {"pw", "nopass1"}, {"label0", "0"}})), "no");
  EXPECT_EQ(Account(RawForm({{"label1", "0"}})).front(), '$');
}

TEST_F(ServerOperations, TooManyWrongPasswordsLockTheNickLikeAWrongPassword) {
  Register("Locked", "rightpw1");
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Account(ListForm({{"nick", "Locked"}, {"pw", "wrong" + std::to_string(i)}, {"label0", "0"}})), "no");
  }
  EXPECT_EQ(Account(ListForm({{"nick", "Locked"}, {"pw", "rightpw1"}, {"label0", "0"}})), "no")
      << "the right password is refused while the nick is locked";
}

TEST_F(ServerOperations, RatedGamesFollowTheRatingFormulaAndRefuseOtherJumps) {
  Register("Rated", "ratedpw");
  const std::string read_best = ListForm({{"nick", "Rated"}, {"pw", "ratedpw"}, {"crdVarnokbest", "0"}});
  EXPECT_EQ(Account(read_best), "$0 0 0 0 0 0 0 #$");
  EXPECT_EQ(Account(SaveResultBody("Rated", "ratedpw", 0, 0, "0", 0, 0, 0)), "ok") << "the record as read";
  // Announcement: one game worth -2000.
  EXPECT_EQ(Account(SaveResultBody("Rated", "ratedpw", 1, 0, "-1999.96", 0, 0, 0)), "ok");
  EXPECT_EQ(Account(read_best), "$1 0 -1999.96 0 0 0 0 #$");
  const struct {
    const char* what;
    std::string body;
  } jumps[] = {
      {"five games at once", SaveResultBody("Rated", "ratedpw", 5, 0, "-1999.96", 0, 0, 0)},
      {"a result beyond one game", SaveResultBody("Rated", "ratedpw", 1, 0, "50000.04", 0, 1, 52000)},
      {"a cycle score that is not the result", SaveResultBody("Rated", "ratedpw", 1, 0, "60.04", 0, 1, 900)},
      {"a completed cycle after one game", SaveResultBody("Rated", "ratedpw", 1, 60, "60.04", 1, 0, 0)},
      {"a wrong password", SaveResultBody("Rated", "wrongpw", 1, 0, "60.04", 0, 1, 60)},
  };
  for (const auto& jump : jumps) EXPECT_EQ(Account(jump.body), "no") << jump.what;
  // The result: ResultRating(1, 60, 2000, 25, -1999.96) = 60.04.
  EXPECT_EQ(Account(SaveResultBody("Rated", "ratedpw", 1, 0, "60.04", 0, 1, 60)), "ok");
  EXPECT_EQ(Account(read_best), "$1 0 60.04 0 1 60 0 #$");
  EXPECT_EQ(Account(SaveResultBody("Rated", "ratedpw", 1, 0, "60.04", 0, 1, 60)), "ok") << "a repeated save";
  EXPECT_EQ(Account(SaveResultBody("Rated", "ratedpw", 1, 0, "120.04", 0, 2, 120)), "no")
      << "a second result without an announcement";
}

TEST_F(ServerOperations, TheTwentyFifthRatedGameClosesTheCycle) {
  Register("Cycler", "cyclepw");
  const std::string read_best = ListForm({{"nick", "Cycler"}, {"pw", "cyclepw"}, {"crdVarnokbest", "0"}});
  for (int game = 1; game <= 25; ++game) {
    const std::vector<std::string> f = FirstRecord(Account(read_best));
    ASSERT_EQ(f.size(), 8u);
    const int kon = std::stoi(f[0]);
    const double rating = std::stod(f[2]);
    const int konl = std::stoi(f[4]);
    const int score = std::stoi(f[5]);
    const int n = kon + 1;
    const double announced = ((n - 1) * (rating - (n - 1) / 25.0) - 2000) / n + n / 25.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", announced);
    ASSERT_EQ(Account(SaveResultBody("Cycler", "cyclepw", n, std::stoi(f[1]), text, std::stoi(f[3]), 0, 0)), "ok");
    const double result = (n * (announced - n / 25.0) + 2000 + 10) / n + n / 25.0;
    std::snprintf(text, sizeof text, "%.15g", result);
    const bool closes = konl + 1 > 24;
    ASSERT_EQ(Account(SaveResultBody("Cycler", "cyclepw", n, closes ? score + 10 : 0, text, closes ? 1 : 0,
                                     closes ? 0 : konl + 1, closes ? 0 : score + 10)),
              "ok")
        << "game " << game;
  }
  const std::vector<std::string> f = FirstRecord(Account(read_best));
  EXPECT_EQ(f[0], "25");
  EXPECT_EQ(f[1], "250") << "best cycle score";
  EXPECT_EQ(f[3], "1") << "one cycle played";
  EXPECT_EQ(f[4], "0");
  EXPECT_EQ(f[5], "0");
}

TEST_F(ServerOperations, TopTenIsInRatingOrderAndPlacesCountHigherRatings) {
  // Three members with one rated game each, of results -50, 100 and 30.
  const struct {
    const char* nick;
    int result;
  } members[] = {{"TopLow", -50}, {"TopHigh", 100}, {"TopMid", 30}};
  for (const auto& m : members) {
    Register(m.nick, "toppass");
    ASSERT_EQ(Account(SaveResultBody(m.nick, "toppass", 1, 0, "-1999.96", 0, 0, 0)), "ok");
    char rating[32];
    std::snprintf(rating, sizeof rating, "%.15g", m.result + 0.04);
    ASSERT_EQ(Account(SaveResultBody(m.nick, "toppass", 1, 0, rating, 0, 1, m.result)), "ok");
  }
  const auto rows = Records(Account(ListForm({{"crdVarnokkon", "0"}})));
  std::vector<std::string> order;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 7u);
    if (row[1].rfind("Top", 0) == 0) order.push_back(row[1]);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"TopHigh", "TopMid", "TopLow"}));
  const std::string high_place = Account(RawForm({{"crdVarnokrating", "100.04"}}));
  const std::string below_high = Account(RawForm({{"crdVarnokrating", "100.03"}}));
  const int high = std::stoi(high_place.substr(1));
  EXPECT_EQ(std::stoi(below_high.substr(1)), high + 1) << "TopHigh's 100.04 is above 100.03";
  EXPECT_EQ(Account(RawForm({{"crdVarnokrating", "1000000"}})), "$1$");
}

TEST_F(ServerOperations, ResultsTablesGiveTenRowsInOrderCountsAndRowsNearANick) {
  const auto write = [](int i, int score) {
    return Results(RawForm({{"gid", "109"}, {"nick", "Player" + std::to_string(i)}, {"city", "Omsk"},
                            {"country", "1-001"}, {"score", std::to_string(score)}, {"R7", "M"}, {"R8", "5.7f"},
                            {"R9", "#"}, {"R10", "#*"}}));
  };
  for (int i = 1; i <= 15; ++i) {
    const std::string reply = write(i, i * 10);
    EXPECT_EQ(reply, "$1$") << "each entry tops the table as it comes";
  }
  EXPECT_EQ(write(99, 55), "$11$");
  EXPECT_EQ(Results(ListForm({{"rgid", "109"}})), "$16$");
  const auto top = Records(Results(ListForm({{"gid", "109"}})));
  ASSERT_EQ(top.size(), 10u);
  EXPECT_EQ(top[0][0], "1");
  EXPECT_EQ(top[0][2], "150");
  EXPECT_EQ(top[0][3], "Player15");
  EXPECT_EQ(top[9][0], "10");
  EXPECT_EQ(top[9][2], "60");
  EXPECT_EQ(top[0][9], "#") << "R10 without the closing *";
  const auto near = Records(Results(RawForm({{"gid", "109"}, {"nick", "Player3"}, {"city", "Omsk"}})));
  ASSERT_FALSE(near.empty());
  EXPECT_EQ(near.front()[0], "10") << "Player3 is 15th: the rows start five places above";
  EXPECT_EQ(near.back()[0], "16");
  EXPECT_EQ(Results(RawForm({{"gid", "109"}, {"nick", "Nobody"}, {"city", "Omsk"}})), "");
  EXPECT_EQ(Results(ListForm({{"gid", "4321"}})), "") << "an empty table";
}

TEST_F(ServerOperations, TwoChatPostsClaimingTheSameNumberAreBothKept) {
  const auto post = [](const std::string& text) {
    const std::string body = RawForm({{"gid", "100"}, {"nick", "Chatter"}, {"city", "Omsk"}, {"country", "1-001"},
                                      {"score", "1"}, {"R7", "W"}, {"R8", "5.7f"},
                                      {"R9", "12_00_00_01.02.2015_Varnok"}, {"R10", text + "*"}});
    return "POST /results.php HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
           "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  };
  // Both requests are on the wire before either reply is read.
  const int a = Connect(server_->port());
  const int b = Connect(server_->port());
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  const std::string first = post("Hello_world");
  const std::string second = post("Second_post");
  ASSERT_EQ(send(a, first.data(), first.size(), MSG_NOSIGNAL), static_cast<ssize_t>(first.size()));
  ASSERT_EQ(send(b, second.data(), second.size(), MSG_NOSIGNAL), static_cast<ssize_t>(second.size()));
  EXPECT_EQ(ReadReply(a, 5000).body, "$1$");
  EXPECT_EQ(ReadReply(b, 5000).body, "$1$");
  close(a);
  close(b);
  const auto board = Records(Results(ListForm({{"gid", "100"}})));
  ASSERT_EQ(board.size(), 2u);
  EXPECT_EQ(board[0][2], "2");
  EXPECT_EQ(board[1][2], "1");
  EXPECT_NE(board[0][9], board[1][9]);
}

TEST_F(ServerOperations, StatisticsAddUpAndRefuseWhatNoGameGives) {
  EXPECT_EQ(Stats(RawForm({{"gid", "9"}, {"stat1", "1"}, {"stat2", "1"}})), "$1ok#");
  EXPECT_EQ(Stats(RawForm({{"gid", "9"}, {"stat1", "1"}, {"stat2", "0"}})), "$1ok#");
  EXPECT_EQ(Stats(RawForm({{"gid", "9"}, {"stat3", "1"}, {"stat4", "Liker"}})), "$1ok#");
  Fields game = {{"gid", "9"}};
  const int r[12] = {1, 0, 120, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) game.push_back({"R" + std::to_string(i + 1), std::to_string(r[i])});
  EXPECT_EQ(Stats(RawForm(game)), "$1ok#");
  game[1].second = "1000";  // a thousand games at once
  EXPECT_EQ(Stats(RawForm(game)), "$1no#");
  EXPECT_EQ(Stats(RawForm({{"gid", "9"}, {"stat1", "-5"}, {"stat2", "0"}})), "$1no#");
  const auto rows = Records(Stats(ListForm({{"gid", "9"}})));
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(rows[0].size(), 18u);
  EXPECT_EQ(rows[0][0], "2");
  EXPECT_EQ(rows[0][1], "1");
  EXPECT_EQ(rows[0][2], "1");
  EXPECT_EQ(rows[0][3], "Liker");
  EXPECT_EQ(rows[0][4], "1");
  EXPECT_EQ(rows[0][6], "120");
}

TEST_F(ServerOperations, DirectoryNamesTheServicesAndBothPauses) {
  const std::string base = "http://127.0.0.1:" + std::to_string(server_->port()) + "/";
  const std::string plain = server_->Get("/directory.txt").body;
  EXPECT_EQ(plain, "WTGamesPatt=" + EncipherAddress(base + "results.php") + "#StatPath=" +
                       EncipherAddress(base + "stats.php") + "#AccPath=" + EncipherAddress(base + "account.php") +
                       "#");
  const std::string entry = RawForm({{"gid", "9"}, {"nick", "Paused"}, {"city", "Omsk"}, {"country", "1-001"},
                                     {"score", "10"}, {"R7", "M"}, {"R8", "5.7f"}, {"R9", "#"}, {"R10", "#*"}});
  ASSERT_EQ(server_->Admin({"pause", "results"}), 0);
  ASSERT_EQ(server_->Admin({"pause", "chat"}), 0);
  const std::string paused = server_->Get("/directory.txt").body;
  EXPECT_NE(paused.find("WTGamesPause#"), std::string::npos);
  EXPECT_NE(paused.find("CTGamesPause#"), std::string::npos);
  EXPECT_EQ(Results(entry), "no");
  ASSERT_EQ(server_->Admin({"resume", "results"}), 0);
  ASSERT_EQ(server_->Admin({"resume", "chat"}), 0);
  EXPECT_EQ(server_->Get("/directory.txt").body, plain);
  EXPECT_EQ(Results(entry).front(), '$');
}

TEST_F(ServerOperations, NewsCarriesItsNumberInFiveDigits) {
  const std::string before = server_->Get("/news.html").body;
  const std::size_t at = before.find("ZubNews");
  ASSERT_NE(at, std::string::npos);
  const int number = std::stoi(before.substr(at + 7, 5));
  ASSERT_EQ(server_->Admin({"news", "New <b>tables</b> & prizes"}), 0);
  const std::string after = server_->Get("/news.html").body;
  char keyword[32];
  std::snprintf(keyword, sizeof keyword, "ZubNews%05d", (number + 1) % 100000);
  EXPECT_NE(after.find(keyword), std::string::npos);
  EXPECT_NE(after.find("New &lt;b&gt;tables&lt;/b&gt; &amp; prizes"), std::string::npos);
}

std::string Jpeg(int width, int height) {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
  (void)app;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG");
  return bytes.toStdString();
}

TEST_F(ServerOperations, OnlyA200By250JpegOfTheRightPasswordIsStored) {
  Register("Photo_1", "photopw");
  const std::string good = Jpeg(200, 250);
  ASSERT_FALSE(good.empty());
  const auto upload = [](const std::string& pw, const std::string& body) {
    return server_->Post("/photo_upload.php", body,
                         {"X-Varnok-Nick: Photo_1", "X-Varnok-Password: " + Percent(pw)}).body;
  };
  const struct {
    const char* what;
    std::string pw, body;
  } refused[] = {
      {"wrong password", "wrongpw", good},
      {"100 x 100", "photopw", Jpeg(100, 100)},
      {"250 x 200", "photopw", Jpeg(250, 200)},
      {"not a JPEG", "photopw", "GIF89a......"},
      {"a JPEG header with nothing after it", "photopw", good.substr(0, 200)},
  };
  for (const auto& r : refused) {
    const std::string reply = upload(r.pw, r.body);
    EXPECT_EQ(reply.rfind("refused:", 0), 0u) << r.what << ": " << reply;
    EXPECT_EQ(reply.find("ok"), std::string::npos) << r.what;
  }
  EXPECT_EQ(server_->Get("/photos/Photo_1.jpg").status, 404);
  EXPECT_EQ(upload("photopw", good), "ok");
  const HttpResult photo = server_->Get("/photos/Photo_1.jpg");
  EXPECT_EQ(photo.status, 200);
  EXPECT_EQ(photo.body, good);
}

TEST_F(ServerOperations, ProfilesNeedThePasswordAndComeBackWithWebSiteBeforeSkype) {
  Register("Prof_1", "profpw1");
  Fields fields = {{"nick", "Prof_1"}, {"labelinfosave", "0"}, {"namei", "Ivan"}, {"name2", "Petrov"},
                   {"about", "Plays & wins = 100%"}, {"telephone", "+7 123"}, {"emailo", "i@p.ru"},
                   {"website", "site.ru"}, {"skype", "ivan.skype"}, {"ok", "ok1"}, {"vk", "vk1"},
                   {"telegram", "@ivan"}, {"facebook", "fb"}, {"twitter", "tw"}, {"instagramm", "in"},
                   {"youtube", "yt"}};
  EXPECT_EQ(Account(RawForm(fields)), "refused") << "no password";
  fields.push_back({"pw", "profpw1"});
  EXPECT_EQ(Account(RawForm(fields)), "ok");
  const std::vector<std::string> info = FirstRecord(Account(ListForm({{"nick", "Prof_1"}, {"labelinforead", "0"}})), '~');
  ASSERT_EQ(info.size(), 14u);
  EXPECT_EQ(info[0], "Ivan");
  EXPECT_EQ(info[2], "Plays & wins = 100%");
  EXPECT_EQ(info[3], "+7 123");
  EXPECT_EQ(info[5], "site.ru");
  EXPECT_EQ(info[6], "ivan.skype");
  EXPECT_EQ(Account(ListForm({{"nick", "NoSuchNick"}, {"labelinforead", "0"}})), "no");
}

TEST_F(ServerOperations, TournamentSeatsFillInOrderAndBelongToTheirHolder) {
  for (const char* nick : {"Seat_a", "Seat_b"}) Register(nick, "seatpw1");
  const auto seat = [](int s, int action, const std::string& nick, const std::string& pw = "seatpw1") {
    const std::string n = std::to_string(s);
    const bool empty = nick == "X";
    return Tour(RawForm({{"client3on" + n, "0"}, {"gid", "9"}, {"num", "4"}, {"can", std::to_string(action)},
                         {"nick" + n, nick}, {"score" + n, "0"}, {"kon" + n, "0"}, {"rating" + n, "0"},
                         {"country" + n, empty ? "X" : "Russia"}, {"city" + n, empty ? "X" : "Omsk"},
                         {"sex" + n, empty ? "X" : "M"}, {"ip" + n, empty ? "X" : "127.0.0.1"}, {"pw", pw}}));
  };
  EXPECT_EQ(seat(1, 1, "Seat_a", "wrongpw"), "no") << "a seat for an account needs its password";
  EXPECT_EQ(seat(1, 1, "Seat_a", ""), "no") << "no password";
  EXPECT_EQ(seat(2, 1, "Seat_b"), "is") << "seat b before seat a";
  EXPECT_EQ(seat(1, 1, "Seat_a"), "ok");
  EXPECT_EQ(seat(1, 1, "Seat_b"), "is") << "a taken seat";
  EXPECT_EQ(seat(2, 1, "Seat_a"), "is") << "one seat per nick";
  EXPECT_EQ(seat(2, 1, "NoAccount"), "no");
  EXPECT_EQ(seat(2, 1, "Seat_b"), "ok");
  const auto tables = Records(Tour(ListForm({{"readtable310", "9"}, {"gid", "9"}})));
  ASSERT_EQ(tables.size(), 10u);
  EXPECT_EQ(tables[0][0], "10") << "the first record is table 10";
  EXPECT_EQ(tables[9][2], "25701") << "table 1 on the base port + 1";
  EXPECT_EQ(tables[6][6], "Seat_a") << "table 4, seat 1";
  EXPECT_EQ(tables[6][14], "Seat_b");
  EXPECT_EQ(tables[6][22], "X");
  EXPECT_EQ(FirstRecord(Tour(ListForm({{"readclient1", "0"}, {"gid", "9"}, {"num", "4"}})))[0], "Seat_a");
  // Leaving seat a clears seat b too.
  EXPECT_EQ(seat(1, 2, "X"), "ok");
  EXPECT_EQ(seat(2, 0, "X"), "ok");
  EXPECT_EQ(FirstRecord(Tour(ListForm({{"readclient2", "0"}, {"gid", "9"}, {"num", "4"}})))[0], "X");

  EXPECT_EQ(FirstRecord(Tour(ListForm({{"serverinforead", "0"}, {"gid", "9"}})))[0], "N");
  ASSERT_EQ(server_->Admin({"tour-state", "Y", "Evening tournament"}), 0);
  EXPECT_EQ(Tour(ListForm({{"serverinforead", "0"}, {"gid", "9"}})), "$Y Evening_tournament$");
  EXPECT_EQ(Tour(RawForm({{"readrating9", "0"}, {"nick", "Seat_a"}})), "$0 0 0$");
  EXPECT_EQ(Tour(ListForm({{"top10s9", "0"}, {"nick", "z"}})), "");
  EXPECT_EQ(Tour(RawForm({{"places9", "0"}, {"score1", "10"}})), "$1$");
}

TEST_F(ServerOperations, CallerAddressAndDownloadsWithTheirChecksums) {
  EXPECT_EQ(server_->Get("/get_ip.php").body, "127.0.0.1");
  const std::filesystem::path download = std::filesystem::path(*folder_) / "download";
  std::filesystem::create_directories(download);
  std::ofstream(download / "ZubRadio.rad") << "abc";
  EXPECT_EQ(server_->Get("/download/ZubRadio.rad").body, "abc");
  EXPECT_EQ(server_->Get("/download/ZubRadio.rad.sha256").body,
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad  ZubRadio.rad\n");
  EXPECT_EQ(server_->Get("/download/..%2Fvarnok.sqlite").status, 404);
  EXPECT_EQ(server_->Get("/download/missing.dll").status, 404);
}

}  // namespace
}  // namespace varnok::test
