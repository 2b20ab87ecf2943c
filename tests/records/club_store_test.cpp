// Updating a club file at the end of a game: the sorted members, the top ten,
// removing a member, and writes that are not allowed or that fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "club_file.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

ClubMember Member(const std::string& name, double rating, int games = 10, int cycle = 0, const std::string& pw = "pw") {
  ClubMember m;
  m.Empty = false;
  m.Name = name;
  m.Rating = rating;
  m.Games = games;
  m.CycleScore = cycle;
  m.Password = pw;
  return m;
}

class ClubStore : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("varnok-club-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
    path_ = folder_ / kClubFile;
  }
  void TearDown() override { fs::remove_all(folder_); }

  // A club file with these members (best first) and top-ten scores (best first).
  void Make(const std::vector<ClubMember>& members, const std::vector<int>& scores = {}) {
    ClubLines lines = EmptyClubLines();
    for (std::size_t k = 0; k < members.size(); ++k) lines[k] = FormatMemberLine(members[k]);
    for (std::size_t n = 0; n < scores.size(); ++n)
      lines[5 + n] = FormatTopTenLine("Top" + std::to_string(n + 1), scores[n]);
    ASSERT_TRUE(SaveClubFile(path_, lines));
  }
  std::string Bytes() const { return ReadFileBytes(path_, 1 << 20).value_or("<missing>"); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const ClubMember& m : ReadMembers(path_)) names.push_back(m.Empty ? "-" : m.Name);
    return names;
  }
  std::vector<std::string> TopTen() const {
    std::vector<std::string> rows;
    for (const TopTenEntry& e : ReadTopTen(path_)) rows.push_back(e.Empty ? "-" : e.Name + " " + e.ScoreText);
    return rows;
  }

  fs::path folder_;
  fs::path path_;
};

TEST_F(ClubStore, MembersAreSortedByRatingAndTheNewerOfEqualRatingsGoesAbove) {
  Make({Member("A", 5.0), Member("B", 1.0), Member("C", -2.0)});
  const struct {
    ClubMember member;
    std::vector<std::string> names;
  } rows[] = {
      {Member("D", 1.0), {"A", "D", "B", "C", "-"}},   // equal to B: above B
      {Member("E", 9.0), {"E", "A", "D", "B", "C"}},
      {Member("F", -2.0), {"E", "A", "D", "B", "F"}},  // equal to C: C falls out of the five
      {Member("G", -2.5), {"E", "A", "D", "B", "F"}},  // below five full slots: not stored
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.member.Name);
    const ClubUpdateResult result = StoreMember(path_, row.member, false);
    EXPECT_EQ(result.Update, ClubUpdate::Written);
    EXPECT_EQ(result.Stored, row.member.Name != "G");
    EXPECT_EQ(result.Place, 0);
    EXPECT_EQ(Names(), row.names);
  }
  EXPECT_TRUE(ParseClubFile(Bytes())) << "every write leaves a file that passes its check";
}

TEST_F(ClubStore, TopTenTakesTheCycleScoreAtTheFirstPlaceItReachesOrPasses) {
  const std::vector<int> full = {900, 800, 700, 600, 500, 400, 300, 200, 100, 0};
  const struct {
    std::vector<int> scores;
    int cycle;
    int place;
    std::vector<std::string> top;  // first three and last
  } rows[] = {
      {{}, -40, 1, {"Ivan    -40", "-", "-", "-"}},         // an empty top ten takes anything
      {{50}, -40, 2, {"Top1     50", "Ivan    -40", "-", "-"}},
      {full, 1000, 1, {"Ivan   1000", "Top1    900", "Top2    800", "Top9    100"}},
      {full, 800, 2, {"Top1    900", "Ivan    800", "Top2    800", "Top9    100"}},  // equal: above
      {full, 0, 10, {"Top1    900", "Top2    800", "Top3    700", "Ivan      0"}},
      {full, -1, 0, {"Top1    900", "Top2    800", "Top3    700", "Top10      0"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cycle);
    Make({Member("Ivan", 1.0, 24, row.cycle - 50)}, row.scores);
    const ClubUpdateResult result = FinishClubGame(path_, 1, Member("Ivan", 1.0, 24, row.cycle - 50), 50);
    EXPECT_EQ(result.Update, ClubUpdate::Written);
    EXPECT_EQ(result.Place, row.place);
    EXPECT_TRUE(result.Stored);
    const std::vector<std::string> top = TopTen();
    ASSERT_EQ(top.size(), 10u);
    EXPECT_EQ((std::vector<std::string>{top[0], top[1], top[2], top[9]}), row.top);

    const ClubMember stored = *ReadMember(path_, 1);
    EXPECT_EQ(stored.Games, 25);
    EXPECT_EQ(stored.CycleScore, 0) << "a new cycle starts at 0";
    EXPECT_EQ(ReadFileBytes(path_, 4096)->substr(38, 6), "     0");
  }
}

TEST_F(ClubStore, NoTopTenChangeBeforeTheCycleEnds) {
  Make({Member("Ivan", 1.0, 10, 300)}, {100});
  const ClubUpdateResult result = FinishClubGame(path_, 1, Member("Ivan", 1.0, 10, 300), 200);
  EXPECT_EQ(result.Place, 0);
  EXPECT_EQ(TopTen()[0], "Top1    100");
  EXPECT_EQ(TopTen()[1], "-");
  const ClubMember stored = *ReadMember(path_, 1);
  EXPECT_EQ(stored.Games, 11);
  EXPECT_EQ(stored.CycleScore, 500);
  EXPECT_NEAR(stored.Rating, (10 * 1.0 + 4.0) / 11, 1e-6);
}

TEST_F(ClubStore, AnExistingMemberAlwaysFindsASlot) {
  Make({Member("A", 5.0), Member("B", 4.0), Member("C", 3.0), Member("D", 2.0), Member("E", 1.0, 10, 0, "e")});
  // E loses badly and falls below all ratings, yet keeps a slot: its old line is gone first.
  const ClubUpdateResult result = FinishClubGame(path_, 5, *ReadMember(path_, 5), -3000);
  EXPECT_TRUE(result.Stored);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
  EXPECT_NEAR(ReadMember(path_, 5)->Rating, (10 * 1.0 - 60.0) / 11, 1e-6);

  // C wins and climbs to the top.
  FinishClubGame(path_, 3, *ReadMember(path_, 3), 5000);
  EXPECT_EQ(Names(), (std::vector<std::string>{"C", "A", "B", "D", "E"}));
}

TEST_F(ClubStore, ANewPlayerIsStoredOnlyAboveAFullClubsLowest) {
  Make({Member("A", 5.0), Member("B", 4.0), Member("C", 3.0), Member("D", 2.0), Member("E", 1.0)});
  ClubMember newcomer = Member("New", 0.0, 0);
  EXPECT_FALSE(FinishClubGame(path_, 6, newcomer, -50).Stored);  // rating -1: below five full slots
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
  EXPECT_TRUE(FinishClubGame(path_, 6, newcomer, 100).Stored);  // rating 2: equal to D, above it
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "New", "D"}));
  const ClubMember stored = *ReadMember(path_, 4);
  EXPECT_EQ(stored.Games, 1);
  EXPECT_EQ(stored.Password, "pw   ");
}

TEST_F(ClubStore, TheOldLineIsFoundWhenTheSlotsHaveMoved) {
  Make({Member("A", 5.0), Member("B", 4.0, 10, 0, "b")});
  // B's game started while B was in slot 1; A has been stored above it since.
  const ClubMember b = *ReadMember(path_, 2);
  FinishClubGame(path_, 1, b, 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "-", "-", "-"}));
}

TEST_F(ClubStore, RemoveMemberMovesTheOthersUp) {
  Make({Member("A", 5.0), Member("B", 4.0), Member("C", 3.0)});
  EXPECT_EQ(RemoveMember(path_, 2).Update, ClubUpdate::Written);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "C", "-", "-", "-"}));
  EXPECT_EQ(RemoveMember(path_, 5).Update, ClubUpdate::Written);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "C", "-", "-", "-"}));

  const std::string before = Bytes();
  for (int slot : {0, 6, 7, 8}) {
    EXPECT_EQ(RemoveMember(path_, slot).Update, ClubUpdate::NoChange) << slot;
    EXPECT_EQ(FinishClubGame(path_, slot == 6 ? 7 : slot, Member("X", 9.0), 10).Update, ClubUpdate::NoChange);
  }
  EXPECT_EQ(Bytes(), before);
}

TEST_F(ClubStore, NothingIsWrittenWhenTheRunMayNotWrite) {
  Make({Member("A", 5.0), Member("B", 4.0)}, {100});
  const std::string before = Bytes();
  ClubWriteOptions options;
  options.Writable = false;
  options.Write = [](const fs::path&, std::string_view) -> bool { throw std::logic_error("no write expected"); };

  const ClubUpdateResult removed = RemoveMember(path_, 1, options);
  EXPECT_EQ(removed.Update, ClubUpdate::Skipped);
  const ClubUpdateResult finished = FinishClubGame(path_, 2, Member("B", 4.0, 24, 500), 10, options);
  EXPECT_EQ(finished.Update, ClubUpdate::Skipped);
  EXPECT_EQ(finished.Place, 1) << "the window still learns the place";
  EXPECT_EQ(Bytes(), before);
}

TEST_F(ClubStore, AFailedWriteKeepsThePreviousBytesAndSaysSo) {
  Make({Member("A", 5.0), Member("B", 4.0)}, {100});
  const std::string before = Bytes();
  const std::size_t size = before.size();
  for (std::size_t cut : {std::size_t{0}, size / 2, size - 1, size}) {
    for (bool throws : {false, true}) {
      SCOPED_TRACE(cut);
      ClubWriteOptions options;
      options.Write = [cut, throws](const fs::path& path, std::string_view bytes) {
        WriteFileBytes(path, bytes.substr(0, cut));
        if (throws) throw std::runtime_error("the disk went away");
        return false;
      };
      for (const ClubUpdateResult& result :
           {RemoveMember(path_, 1, options), StoreMember(path_, Member("C", 9.0, 25, 300), true, options),
            FinishClubGame(path_, 2, Member("B", 4.0), 100, options)}) {
        EXPECT_EQ(result.Update, ClubUpdate::WriteFailed);
        EXPECT_EQ(result.MessageRow, kRowDiskWriteError);
        EXPECT_EQ(EnglishClubText(result.MessageRow), "Error of disk writing!");
      }
      EXPECT_EQ(Bytes(), before);
      EXPECT_TRUE(TemporaryFilesLeft(path_).empty());
    }
  }
}

TEST_F(ClubStore, AFileThatFailsItsCheckIsNeverRewritten) {
  Make({Member("A", 5.0)});
  std::string tampered = Bytes();
  tampered[3] = 'Z';
  ASSERT_TRUE(WriteFileBytes(path_, tampered));
  EXPECT_EQ(StoreMember(path_, Member("B", 1.0), false).Update, ClubUpdate::Unreadable);
  EXPECT_EQ(RemoveMember(path_, 1).Update, ClubUpdate::Unreadable);
  EXPECT_EQ(FinishClubGame(path_, 1, Member("A", 5.0), 10).Update, ClubUpdate::Unreadable);
  EXPECT_EQ(Bytes(), tampered);
  EXPECT_FALSE(ReadMember(path_, 1));
  EXPECT_TRUE(ReadMembers(path_).empty());

  fs::remove(path_);
  EXPECT_EQ(StoreMember(path_, Member("B", 1.0), false).Update, ClubUpdate::Unreadable);
  EXPECT_FALSE(fs::exists(path_)) << "club files are installed, never created by a game";
}

TEST_F(ClubStore, ClubFilesFollowTheNetworkMode) {
  ASSERT_TRUE(SaveClubFile(folder_ / kClubFile, EmptyClubLines()));
  ASSERT_TRUE(SaveClubFile(folder_ / kNetClubFile, EmptyClubLines()));
  ClubFiles files(folder_, [](const fs::path&) { return FileAttributes{}; });
  ASSERT_FALSE(files.CheckAtStart().Stop);
  files.SetNetworkMode(true);
  EXPECT_EQ(files.CurrentKind(), ClubKind::Network);
  EXPECT_TRUE(files.FinishGame(6, Member("Net", 0.0, 0), 10).Stored);
  files.SetNetworkMode(false);
  EXPECT_TRUE(files.ReadMember(1)->Empty);
  files.SetNetworkMode(true);
  EXPECT_EQ(files.ReadMember(1)->Name, "Net");
  EXPECT_EQ(files.RemoveMember(1).Update, ClubUpdate::Written);
  EXPECT_TRUE(files.ReadMember(1)->Empty);
}

}  // namespace
}  // namespace varnok
