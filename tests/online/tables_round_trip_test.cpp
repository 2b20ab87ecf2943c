// The results, statistics and tournament services end to end through the
// program's HTTP layer against the real server, with the directory, news and
// the caller's address.
#include <gtest/gtest.h>

#include "server_fixture.h"

namespace varnok::online {
namespace {

using testing::ServerTest;
using testing::StoredAddress;

using TablesRoundTrip = ServerTest;

TEST_F(TablesRoundTrip, WorldTableEntriesTakePlacesByScore) {
  EXPECT_EQ(Call(WriteTableEntry{9, "Ivan", "Omsk", "1-001", 300, "M", "#", "#"}).Value, 1);
  EXPECT_EQ(Call(WriteTableEntry{9, "Olga", "Kiev", "1-046", 450, "W", "#", "#"}).Value, 1);
  EXPECT_EQ(Call(WriteTableEntry{9, "Petr", "Riga", "1-026", 350, "M", "#", "#"}).Value, 2);
  // Another table is apart.
  EXPECT_EQ(Call(WriteTableEntry{309, "Ivan", "Omsk", "Russia", 100, "M", "#", "#"}).Value, 1);

  const NumberResult count = Call(ReadTableCount{9});
  EXPECT_TRUE(count.Ok);
  EXPECT_EQ(count.Value, 3);

  const TableResult table = Call(ReadTable{9});
  ASSERT_TRUE(table.Ok);
  EXPECT_EQ(table.Rows[0].Nick, "Olga");
  EXPECT_EQ(table.Rows[0].Place, 1);
  EXPECT_EQ(table.Rows[0].Score, 450);
  EXPECT_EQ(table.Rows[0].Country, "1-046");
  EXPECT_EQ(table.Rows[0].City, "Kiev");
  EXPECT_EQ(table.Rows[0].R07, "W");
  EXPECT_EQ(table.Rows[0].R08, "5.7f");
  EXPECT_EQ(table.Rows[1].Nick, "Petr");
  EXPECT_EQ(table.Rows[2].Nick, "Ivan");
  EXPECT_EQ(table.Rows[2].Place, 3);
  EXPECT_EQ(table.Rows[3].Nick, "#");  // no entry: start values
}

TEST_F(TablesRoundTrip, ReadTableNearShowsTheRowsAroundAPlayer) {
  for (int i = 1; i <= 30; ++i) {
    const std::string nick = "P" + std::to_string(i);
    ASSERT_TRUE(Call(WriteTableEntry{9, nick, "Omsk", "1-001", 1000 - 10 * i, "M", "#", "#"}).Ok);
  }
  const TableResult near = Call(ReadTableNear{9, "P20", "Omsk"});
  ASSERT_TRUE(near.Ok);
  int found = -1;
  for (int i = 0; i < 10; ++i) {
    if (near.Rows[i].Nick == "P20") found = i;
  }
  ASSERT_GE(found, 0) << "the player's own row is among the ten";
  EXPECT_EQ(near.Rows[found].Place, 20);
  EXPECT_GT(found, 0) << "rows above the player are shown too";
  EXPECT_LT(found, 9) << "rows below the player are shown too";
  for (int i = 1; i < 10; ++i) EXPECT_EQ(near.Rows[i].Place, near.Rows[i - 1].Place + 1);
}

TEST_F(TablesRoundTrip, TwoChatPostsClaimingTheSameNumberAreBothKept) {
  ASSERT_TRUE(Call(WriteTableEntry{kChatTable, "Ivan", "Omsk", "1-001", 1, "M", "12_00_00_10.12.2026_Varnok", "Hi"}).Ok);
  const TableResult before = Call(ReadTable{kChatTable});
  ASSERT_TRUE(before.Ok);
  const int newest = before.Rows[0].Score;
  EXPECT_EQ(newest, 1);

  // Both read N and post N + 1 at the same moment.
  std::optional<NumberResult> first, second;
  client_.Run(WriteTableEntry{kChatTable, "Olga", "Kiev", "1-046", newest + 1, "W", "stamp", "Hello,_world"}, nullptr,
              [&](NumberResult r) { first = r; });
  client_.Run(WriteTableEntry{kChatTable, "Petr", "Riga", "1-026", newest + 1, "M", "stamp", "Me_too"}, nullptr,
              [&](NumberResult r) { second = r; });
  Wait([&] { return first.has_value() && second.has_value(); });
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(first->Ok);
  EXPECT_TRUE(second->Ok);

  const TableResult after = Call(ReadTable{kChatTable});
  ASSERT_TRUE(after.Ok);
  EXPECT_EQ(after.Rows[0].Score, newest + 2);
  EXPECT_EQ(after.Rows[1].Score, newest + 1);
  EXPECT_EQ(after.Rows[2].Score, newest);
  EXPECT_NE(after.Rows[0].Nick, after.Rows[1].Nick);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(after.Rows[i].Nick == "Olga" || after.Rows[i].Nick == "Petr");
  EXPECT_EQ(after.Rows[2].R10, "Hi");
  EXPECT_EQ(after.Rows[2].R09, "12_00_00_10.12.2026_Varnok");
}

TEST_F(TablesRoundTrip, StatisticsCountLaunchesLikesAndGames) {
  EXPECT_TRUE(Call(SendLaunch{9, 1, 1}));
  EXPECT_TRUE(Call(SendLaunch{9, 1, 0}));
  EXPECT_TRUE(Call(SendLike{9, 1, "Ivan"}));
  SendGameStats games;
  games.R = {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(Call(games));
  games.R = {1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(Call(games));

  const StatsResult stats = Call(ReadStats{9});
  ASSERT_TRUE(stats.Ok);
  EXPECT_EQ(stats.Stat.Stat1, 2);  // starts
  EXPECT_EQ(stats.Stat.Stat2, 1);  // unique starts
  EXPECT_EQ(stats.Stat.Stat3, 1);  // likes
  EXPECT_EQ(stats.Stat.Stat4, "Ivan");
  EXPECT_EQ(stats.Stat.StatX[0], 2);
  EXPECT_EQ(stats.Stat.StatX[1], 1);
  EXPECT_EQ(stats.Stat.StatX[2], 1);
  EXPECT_EQ(stats.Stat.StatX[3], 1);
  // Another game's statistics are apart.
  EXPECT_EQ(Call(ReadStats{7}).Stat.Stat1, 0);
}

TEST_F(TablesRoundTrip, DirectoryCarriesTheAddressesAndThePauses) {
  bool done = false;
  client_.Addresses().Results = StoredAddress(QStringLiteral("http://127.0.0.1:1/old.php"));
  client_.ReadDirectory(nullptr, [&] { done = true; });
  Wait([&] { return done; });
  ASSERT_TRUE(done);
  EXPECT_TRUE(client_.ResultsAvailable());
  EXPECT_TRUE(client_.ChatAvailable());
  EXPECT_EQ(client_.Address(Service::Results), server_.Base() + "results.php");
  EXPECT_EQ(client_.Address(Service::Stats), server_.Base() + "stats.php");
  EXPECT_EQ(client_.Address(Service::Account), server_.Base() + "account.php");

  ASSERT_TRUE(server_.Admin({QStringLiteral("pause"), QStringLiteral("results")}));
  ASSERT_TRUE(server_.Admin({QStringLiteral("pause"), QStringLiteral("chat")}));
  client_.Addresses().Results = StoredAddress(QStringLiteral("http://127.0.0.1:1/old.php"));
  done = false;
  client_.ReadDirectory(nullptr, [&] { done = true; });
  Wait([&] { return done; });
  EXPECT_FALSE(client_.ResultsAvailable());
  EXPECT_FALSE(client_.ChatAvailable());
  EXPECT_EQ(client_.Address(Service::Results), QStringLiteral("http://127.0.0.1:1/old.php"));
  // A paused results service takes no entries.
  PointAt(server_.Base());
  EXPECT_FALSE(Call(WriteTableEntry{9, "Ivan", "Omsk", "1-001", 300, "M", "#", "#"}).Ok);

  ASSERT_TRUE(server_.Admin({QStringLiteral("resume"), QStringLiteral("results")}));
  done = false;
  client_.ReadDirectory(nullptr, [&] { done = true; });
  Wait([&] { return done; });
  EXPECT_TRUE(client_.ResultsAvailable());
  EXPECT_FALSE(client_.ChatAvailable());
}

TEST_F(TablesRoundTrip, NewsNumberAndTheCallersAddress) {
  auto news = [this] {
    std::optional<int> number;
    client_.ReadNews(nullptr, [&](int n) { number = n; });
    Wait([&] { return number.has_value(); });
    return number.value_or(-1);
  };
  const int first = news();
  ASSERT_TRUE(server_.Admin({QStringLiteral("news"), QStringLiteral("A new season starts")}));
  EXPECT_EQ(news(), first + 1);

  std::optional<QString> address;
  client_.ReadExternalIp(nullptr, [&](QString text) { address = text; });
  Wait([&] { return address.has_value(); });
  EXPECT_EQ(address.value_or(QString()), QStringLiteral("127.0.0.1\r\n"));
}

TEST_F(TablesRoundTrip, TournamentSeatsAreTakenOnceAndShownAtTheirTable) {
  ASSERT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  ASSERT_EQ(Call(RegisterAccount{Member("Olga", "Kiev")}), 0);
  const TZubClient ivan{"Ivan", 10, 3, 7, "Russia", "Omsk", 'M', "127.0.0.1"};
  const TZubClient olga{"Olga", 5, 2, 1, "Ukraine", "Kiev", 'W', "127.0.0.1"};
  const TZubClient stranger{"Nobody", 5, 2, 1, "Ukraine", "Kiev", 'W', "127.0.0.1"};
  const SeatResult taken = Call(SetSeat{9, 4, 1, 1, ivan, "secret1"});
  EXPECT_TRUE(taken.Ok);
  EXPECT_EQ(taken.Code, 0);
  const SeatResult refused = Call(SetSeat{9, 4, 1, 1, olga, "secret1"});
  EXPECT_TRUE(refused.Ok);
  EXPECT_EQ(refused.Code, 2) << "the seat is Ivan's";
  EXPECT_EQ(Call(SetSeat{9, 5, 1, 1, ivan, "secret1"}).Code, 2) << "one seat a player";
  EXPECT_FALSE(Call(SetSeat{9, 6, 1, 1, stranger, "secret1"}).Ok) << "no account, no seat";
  EXPECT_EQ(Call(SetSeat{9, 4, 2, 1, olga, "secret1"}).Code, 0);

  const TablesResult tables = Call(ReadTables{9});
  ASSERT_TRUE(tables.Ok);
  EXPECT_EQ(tables.Tables[3].Seats[0].Nick, "Ivan");
  // The numbers shown are the server's own tournament record, not the claimed ones.
  EXPECT_EQ(tables.Tables[3].Seats[0].Score, 0);
  EXPECT_EQ(tables.Tables[3].Seats[1].Nick, "Olga");
  EXPECT_EQ(tables.Tables[3].Seats[1].Sex, "W");
  EXPECT_EQ(tables.Tables[3].Seats[2].Nick, "X");
  EXPECT_NE(tables.Tables[3].IP, "0.0.0.0");
  EXPECT_EQ(tables.Tables[4].Seats[0].Nick, "X");

  const ClientResult client = Call(ReadClient{9, 4, 1});
  EXPECT_TRUE(client.Ok);
  EXPECT_EQ(client.Client.Nick, "Ivan");
  EXPECT_EQ(client.Client.City, "Omsk");

  EXPECT_EQ(Call(SetSeat{9, 4, 2, 2, olga, "secret1"}).Code, 0);  // Olga leaves
  EXPECT_EQ(Call(SetSeat{9, 5, 1, 1, olga, "secret1"}).Code, 0);  // and sits down at another table
  EXPECT_EQ(Call(ReadTables{9}).Tables[4].Seats[0].Nick, "Olga");

  const ServerInfoResult info = Call(ReadServerInfo{9});
  EXPECT_TRUE(info.Ok);
  ASSERT_TRUE(server_.Admin({QStringLiteral("tour-state"), QStringLiteral("Y"), QStringLiteral("Open tonight")}));
  const ServerInfoResult running = Call(ReadServerInfo{9});
  EXPECT_EQ(running.State, 'Y');
  EXPECT_EQ(running.Text, "Open_tonight");

  EXPECT_TRUE(Call(ReadTourTop10{9, 's'}).Ok);
  EXPECT_TRUE(Call(SendTourPlace{9, 's', 100}).Ok);
}

}  // namespace
}  // namespace varnok::online
