// The club account of the running program against the real server: the
// automatic login, the launch count, rated games announced and scored by the
// rating formula, the end of a rated cycle, and a dead server.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "account_file.h"
#include "online_club.h"
#include "server_fixture.h"

namespace varnok::online {
namespace {

class OnlineClubTest : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    program_ = std::filesystem::path(root_.path().toStdString()) / "Varnok";
    std::filesystem::create_directories(program_);
    club_ = std::make_unique<OnlineClub>(client_, program_);
    club_->SetRetryPausesForTests(50, 50);
  }

  void Register(const std::string& nick) {
    ASSERT_EQ(Call(RegisterAccount{Member(nick)}), 0);
    club_->Data().User = Member(nick);
  }

  bool Announce(int* wrong_sounds = nullptr) {
    std::optional<bool> announced;
    club_->AnnounceRatedGame([wrong_sounds] { if (wrong_sounds) ++*wrong_sounds; },
                             [&](bool ok) { announced = ok; });
    Wait([&] { return announced.has_value(); });
    return announced.value_or(false);
  }

  std::pair<bool, bool> Result(int human_result, int score_after) {
    std::optional<std::pair<bool, bool>> outcome;
    club_->SaveRatedResult({human_result, score_after}, [&](bool saved, bool cycle_end) {
      outcome = std::make_pair(saved, cycle_end);
    });
    Wait([&] { return outcome.has_value(); });
    return outcome.value_or(std::make_pair(false, false));
  }

  QTemporaryDir root_;
  std::filesystem::path program_;
  std::unique_ptr<OnlineClub> club_;
};

TEST_F(OnlineClubTest, SavedAccountLogsInAtStart) {
  Register("Ivan");
  club_->Data().User = TZubUser{};
  bool done = false;
  club_->AutoLogin([&] { done = true; });
  Wait([&] { return done; });
  EXPECT_EQ(club_->AccountState(), kLoggedOut) << "no saved account";
  EXPECT_FALSE(club_->AccountFileSaved());

  ASSERT_TRUE(WriteAccountFile(program_, "Ivan", "secret1"));
  done = false;
  club_->AutoLogin([&] { done = true; });
  Wait([&] { return done; });
  EXPECT_EQ(club_->AccountState(), kLoggedIn);
  EXPECT_TRUE(club_->AccountFileSaved());
  EXPECT_EQ(club_->Data().User.City, "Omsk");
  EXPECT_EQ(club_->Data().User.Pw, "secret1");

  // A wrong saved password leaves the player logged out, the file kept.
  ASSERT_TRUE(WriteAccountFile(program_, "Ivan", "wrong12"));
  done = false;
  club_->AutoLogin([&] { done = true; });
  Wait([&] { return done; });
  EXPECT_EQ(club_->AccountState(), kLoggedOut);
  EXPECT_TRUE(AccountFileExists(program_));
}

TEST_F(OnlineClubTest, LaunchIsUniqueUntilOneUniqueCountSucceeded) {
  auto count = [this](bool counted) {
    std::optional<bool> flag;
    club_->CountLaunch(counted, [&](bool now) { flag = now; });
    Wait([&] { return flag.has_value(); });
    return flag.value_or(false);
  };
  EXPECT_TRUE(count(false));
  EXPECT_TRUE(count(true));
  EXPECT_TRUE(count(true));
  const StatsResult stats = Call(ReadStats{9});
  EXPECT_EQ(stats.Stat.Stat1, 3);
  EXPECT_EQ(stats.Stat.Stat2, 1);
  // Without a server the flag stays down, to be tried at the next start.
  PointAt(QStringLiteral("http://127.0.0.1:1/"));
  EXPECT_FALSE(count(false));
}

TEST_F(OnlineClubTest, ANewMembersFirstRatedGame) {
  Register("Ivan");
  ASSERT_TRUE(Announce());
  const BestResult announced = Call(ReadBest{"Ivan", "secret1"});
  EXPECT_EQ(announced.Game.Kon, 1);
  EXPECT_NEAR(announced.Game.Rating, -1999.96, 1e-9);
  // The memory keeps the record as it was read.
  EXPECT_EQ(club_->Data().Game.Kon, 0);

  const auto [saved, cycle_end] = Result(60, 60);
  EXPECT_TRUE(saved);
  EXPECT_FALSE(cycle_end);
  const BestResult after = Call(ReadBest{"Ivan", "secret1"});
  EXPECT_NEAR(after.Game.Rating, 60.04, 1e-9);
  EXPECT_EQ(after.Game.KonL, 1);
  EXPECT_EQ(after.Game.Score, 60);
  EXPECT_EQ(club_->Data().Game, after.Game);
}

TEST_F(OnlineClubTest, ARefusedReadOfTheRecordIsAFailedReadNotARecordOfZeros) {
  Register("Ivan");
  ASSERT_TRUE(Announce());
  // The password changed meanwhile: the server refuses the read.
  club_->Data().User.Pw = "wrong12";
  const BestResult refused = Call(ReadBest{"Ivan", "wrong12"});
  EXPECT_FALSE(refused.Ok);
  const auto [saved, cycle_end] = Result(60, 60);
  EXPECT_FALSE(saved) << "no rating is computed from a refused read";
  EXPECT_FALSE(cycle_end);
  club_->Data().User.Pw = "secret1";
  const BestResult kept = Call(ReadBest{"Ivan", "secret1"});
  EXPECT_EQ(kept.Game.Kon, 1);
  EXPECT_NEAR(kept.Game.Rating, -1999.96, 1e-9) << "the announced game stands untouched";
  // Announcing with a refused read announces nothing.
  club_->Data().User.Pw = "wrong12";
  EXPECT_FALSE(Announce());
  EXPECT_FALSE(club_->Data().GameRead);
}

TEST_F(OnlineClubTest, TheTwentyFifthRatedGameClosesTheCycle) {
  Register("Ivan");
  int score = 0;
  for (int game = 1; game <= 25; ++game) {
    ASSERT_TRUE(Announce()) << game;
    const int result = game % 2 == 0 ? 30 : -10;
    score += result;
    const auto [saved, cycle_end] = Result(result, score);
    ASSERT_TRUE(saved) << game;
    EXPECT_EQ(cycle_end, game == 25);
  }
  const BestResult after = Call(ReadBest{"Ivan", "secret1"});
  EXPECT_EQ(after.Game.Kon, 25);
  EXPECT_EQ(after.Game.Sessions, 1);
  EXPECT_EQ(after.Game.KonL, 0);
  EXPECT_EQ(after.Game.Score, 0);
  EXPECT_EQ(after.Game.Best, score);

  std::optional<std::optional<int>> place;
  club_->WriteCycleEntry(score, [&](std::optional<int> p) { place = p; });
  Wait([&] { return place.has_value(); });
  ASSERT_TRUE(place && *place);
  EXPECT_EQ(**place, 1);
  const TableResult table = Call(ReadTable{kAccountTable});
  EXPECT_EQ(table.Rows[0].Nick, "Ivan");
  EXPECT_EQ(table.Rows[0].Score, score);
  EXPECT_EQ(table.Rows[0].Country, "Russia");
}

TEST_F(OnlineClubTest, ADeadServerAnnouncesNothing) {
  Register("Ivan");
  server_.Stop();
  int wrong_sounds = 0;
  EXPECT_FALSE(Announce(&wrong_sounds));
  EXPECT_EQ(wrong_sounds, 0) << "the record could not even be read";
  EXPECT_FALSE(Result(10, 10).first);
}

}  // namespace
}  // namespace varnok::online
