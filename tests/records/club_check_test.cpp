// The start-up check of the club files, their messages and attributes, and
// what the top-ten and end-of-match windows are given to show.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "club_file.h"
#include "top_ten.h"


namespace varnok {
namespace {

namespace fs = std::filesystem;

FileAttributes Plain(const fs::path&) { return {}; }

class ClubCheckFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("varnok-check-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder_, ignored))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }
  fs::path Club() const { return folder_ / kClubFile; }
  fs::path Net() const { return folder_ / kNetClubFile; }
  void Install(const fs::path& path, ClubLines lines = EmptyClubLines()) { ASSERT_TRUE(SaveClubFile(path, lines)); }
  static std::string Tampered(const fs::path& path) {
    std::string bytes = *ReadFileBytes(path, 1 << 20);
    bytes[40] = bytes[40] == '1' ? '2' : '1';
    return bytes;
  }

  fs::path folder_;
};

TEST_F(ClubCheckFiles, MissingAndIncorrectFilesStopTheProgramWithTheirMessages) {
  ClubCheck check = CheckClubFile(Club(), Plain);
  EXPECT_EQ(check.Status, ClubCheckStatus::Missing);
  EXPECT_TRUE(check.StopsProgram());
  EXPECT_FALSE(check.Writable());
  EXPECT_EQ(check.MessageRows, std::vector<int>{kRowCantFindFile});
  EXPECT_EQ(ClubCheckMessage(check, Club()), "Can`t find the file \"" + Club().string() + "\"!");

  Install(Club());
  ASSERT_TRUE(WriteFileBytes(Club(), Tampered(Club())));
  check = CheckClubFile(Club(), Plain);
  EXPECT_EQ(check.Status, ClubCheckStatus::Incorrect);
  EXPECT_TRUE(check.StopsProgram());
  EXPECT_EQ(check.MessageRows, std::vector<int>{kRowIncorrectFile});
  const auto russian = [](int row) { return row == kRowIncorrectFile ? std::string("Неверный файл") : std::string(); };
  EXPECT_EQ(ClubCheckMessage(check, Club(), russian), "Неверный файл \"" + Club().string() + "\"!");

  fs::create_directories(Net());  // a folder in the file's place is no file
  EXPECT_EQ(CheckClubFile(Net(), Plain).Status, ClubCheckStatus::Missing);
}

TEST_F(ClubCheckFiles, ValidFileReportsItsHeadAndNothingToSay) {
  ClubLines lines = EmptyClubLines();
  lines[16].replace(0, 10, "1#####ZUB#");
  Install(Club(), lines);
  const ClubCheck check = CheckClubFile(Club(), Plain);
  EXPECT_EQ(check.Status, ClubCheckStatus::Valid);
  EXPECT_TRUE(check.Writable());
  EXPECT_TRUE(check.MessageRows.empty());
  EXPECT_EQ(check.Line17Head, "1#####ZUB#");
  EXPECT_EQ(ClubCheckMessage(check, Club()), "");
}

TEST_F(ClubCheckFiles, ProtectiveAttributesWarnAndStopEveryWrite) {
  const struct {
    FileAttributes attributes;
    bool protective;
  } rows[] = {
      {{false, false, false}, false}, {{true, false, false}, true}, {{false, true, false}, true},
      {{false, false, true}, true},   {{true, true, true}, true},
  };
  Install(Club());
  Install(Net());
  for (const auto& row : rows) {
    const FileAttributes attributes = row.attributes;
    const ClubCheck check = CheckClubFile(Club(), [attributes](const fs::path&) { return attributes; });
    EXPECT_EQ(check.Status, ClubCheckStatus::Valid);
    EXPECT_FALSE(check.StopsProgram());
    EXPECT_EQ(check.ProtectiveAttributes, row.protective);
    EXPECT_EQ(check.Writable(), !row.protective);
    if (row.protective) {
      EXPECT_EQ(check.MessageRows, (std::vector<int>{kRowAttributesBefore, kRowAttributesAfter}));
      EXPECT_EQ(ClubCheckMessage(check, Club()), "The file \"" + Club().string() +
                                                     "\" has incorrect attributes!\nThe work of the program will be "
                                                     "incorrect!");
    }
  }

  // Only the network file is protected: the run writes no club file at all.
  ClubFiles files(folder_, [this](const fs::path& path) { return FileAttributes{path == Net(), false, false}; },
                  [](const fs::path&, std::string_view) -> bool { ADD_FAILURE() << "written"; return false; });
  const ClubFiles::Startup startup = files.CheckAtStart();
  EXPECT_FALSE(startup.Stop);
  ASSERT_EQ(startup.Messages.size(), 1u);
  EXPECT_NE(startup.Messages[0].find(Net().string()), std::string::npos);
  EXPECT_FALSE(files.Writable());
  const std::string before = *ReadFileBytes(Club(), 1 << 20);
  ClubMember newcomer;
  newcomer.Empty = false;
  newcomer.Name = "Ivan";
  EXPECT_EQ(files.FinishGame(6, newcomer, 100).Update, ClubUpdate::Skipped);
  EXPECT_EQ(files.RemoveMember(1).Update, ClubUpdate::Skipped);
  EXPECT_EQ(*ReadFileBytes(Club(), 1 << 20), before);
}

TEST_F(ClubCheckFiles, AReadOnlyFileOnDiskIsNeverWritten) {
  Install(Club());
  Install(Net());
  fs::permissions(Club(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  // The owner's write bit tells, for every user including root.
  EXPECT_TRUE(SystemFileAttributes(Club()).ReadOnly);
  EXPECT_FALSE(SystemFileAttributes(Net()).ReadOnly);
  EXPECT_TRUE(SystemFileAttributes(folder_ / ".hidden").Hidden);

  ClubFiles files(folder_);
  EXPECT_FALSE(files.CheckAtStart().Stop);
  EXPECT_FALSE(files.Writable());
  const std::string before = *ReadFileBytes(Club(), 1 << 20);
  ClubMember newcomer;
  newcomer.Empty = false;
  newcomer.Name = "Ivan";
  EXPECT_EQ(files.FinishGame(6, newcomer, 100).Update, ClubUpdate::Skipped);
  EXPECT_EQ(*ReadFileBytes(Club(), 1 << 20), before);
  EXPECT_EQ(fs::status(Club()).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(ClubCheckFiles, StartUpChecksTheLocalFileFirstAndStopsAtTheFirstFailure) {
  ClubFiles files(folder_, Plain);
  ClubFiles::Startup startup = files.CheckAtStart();  // neither file
  EXPECT_TRUE(startup.Stop);
  ASSERT_EQ(startup.Messages.size(), 1u);
  EXPECT_EQ(startup.Messages[0], "Can`t find the file \"" + Club().string() + "\"!");

  Install(Club());
  startup = files.CheckAtStart();
  EXPECT_TRUE(startup.Stop);
  ASSERT_EQ(startup.Messages.size(), 1u);
  EXPECT_EQ(startup.Messages[0], "Can`t find the file \"" + Net().string() + "\"!");

  // The network file gets the same layout check: a line of the wrong length
  // is refused even with a matching check.
  ClubLines net = EmptyClubLines();
  net[6] += "#";
  SealClubLines(net);
  ASSERT_TRUE(WriteFileBytes(Net(), FormatClubFile(net)));
  startup = files.CheckAtStart();
  EXPECT_TRUE(startup.Stop);
  ASSERT_EQ(startup.Messages.size(), 1u);
  EXPECT_EQ(startup.Messages[0], "The incorrect file \"" + Net().string() + "\"!");
  EXPECT_FALSE(files.Writable());
}

TEST_F(ClubCheckFiles, LanguageFlagAndDistributionLabel) {
  const struct {
    std::string club_head, net_head;
    bool russian;
    std::string label;
    bool reserved;
  } rows[] = {
      {"0#####PUB#", "0#####PUB#", false, "PUB", false},
      {"1#####PUB#", "0#####ZUB#", true, "ZUB", true},   // the label of the file examined last
      {"0#####ZUB#", "1#####ABC#", false, "ABC", false},  // the flag of "Varnok.clb" only
  };
  for (const auto& row : rows) {
    ClubLines club = EmptyClubLines(), net = EmptyClubLines();
    club[16].replace(0, 10, row.club_head);
    net[16].replace(0, 10, row.net_head);
    Install(Club(), club);
    Install(Net(), net);
    ClubFiles files(folder_, Plain);
    const ClubFiles::Startup startup = files.CheckAtStart();
    EXPECT_FALSE(startup.Stop);
    EXPECT_TRUE(startup.Messages.empty());
    EXPECT_TRUE(files.Writable());
    EXPECT_EQ(startup.RussianLanguage, row.russian);
    EXPECT_EQ(startup.DistributionLabel, row.label);
    EXPECT_EQ(startup.ReservedLabel(), row.reserved);
  }
}

TEST(TopTenView, PlacesNamesScoresAndColours) {
  std::vector<TopTenEntry> entries(10);
  entries[0] = ParseTopTenLine(FormatTopTenLine("Olga", 900));
  entries[3] = ParseTopTenLine(FormatTopTenLine("Ivan", -5));
  const TopTenView local = MakeTopTenView(entries, ClubKind::Local);
  EXPECT_EQ(local.Title, "WINDOWS. LOCAL GAMES WITH PC");
  EXPECT_EQ(local.ClubAnimation, "GClubF");
  EXPECT_EQ(local.TopTenAnimation, "GTopTen");
  EXPECT_EQ(local.Rows[0].PlaceText, "1.");
  EXPECT_EQ(local.Rows[0].Name, "Olga");
  EXPECT_EQ(local.Rows[0].ScoreText, "   900");
  EXPECT_EQ(local.Rows[0].Y, 150);
  EXPECT_EQ(local.Rows[3].ScoreText, "    -5");
  EXPECT_TRUE(local.Rows[1].Empty);
  EXPECT_EQ(local.Rows[1].Name, "");
  EXPECT_EQ(local.Rows[9].PlaceText, "10.");
  EXPECT_EQ(local.Rows[9].Y, 150 + 33 * 9);
  for (int n = 0; n < 10; ++n) EXPECT_EQ(local.Rows[n].Colour, n < 3 ? kColourRed : kColourNavy) << n;

  const TopTenView net = MakeTopTenView({}, KindOfClubFile("/x/Varnok.net"));
  EXPECT_EQ(net.Title, "WINDOWS. NET GAMES");
  EXPECT_EQ(net.ClubAnimation, "GClubG");
  EXPECT_TRUE(net.Rows[0].Empty);
}

TEST(EndOfMatchView, SoundAnimationTextsAndPicturesFollowThePlace) {
  const struct {
    int place;
    FinishedGameKind kind;
    std::string sound, animation;
    bool repeats;
    std::vector<int> rows;
    std::string place_picture;
  } rows[] = {
      {1, FinishedGameKind::Local, "WFiBest", "GEndBest", false, {50, 51, 58, 65}, "GPlace01"},
      {1, FinishedGameKind::Network, "WFiBest", "GEndBest", false, {50, 51, 58, 66}, "GPlace01"},
      {1, FinishedGameKind::OnlineRated, "WFiBest", "GEndBest", false, {50, 51, 58, 61}, "GPlace01"},
      {2, FinishedGameKind::Local, "WFiGood", "GEndGood", false, {50, 53, 58, 54}, "GPlace02"},
      {10, FinishedGameKind::Network, "WFiGood", "GEndGood", false, {50, 53, 58, 54}, "GPlace10"},
      {0, FinishedGameKind::Local, "WFiBads", "GEndBads", true, {55, 56, 58, 57}, ""},
      {11, FinishedGameKind::Local, "WFiBads", "GEndBads", true, {55, 56, 58, 57}, ""},  // no such place
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.place);
    const EndOfMatchView view = MakeEndOfMatchView(row.place, 345, row.kind);
    EXPECT_EQ(view.Sound, row.sound);
    EXPECT_EQ(view.Animation, row.animation);
    EXPECT_EQ(view.AnimationRepeats, row.repeats);
    std::vector<int> texts;
    for (const EndOfMatchLine& line : view.Lines) texts.push_back(line.Row);
    EXPECT_EQ(texts, row.rows);
    EXPECT_TRUE(view.Lines[2].WithScore);
    EXPECT_EQ(view.Score, 345);
    EXPECT_EQ(view.PlacePicture, row.place_picture);
    EXPECT_EQ(view.MedalPicture, row.place_picture.empty() ? "" : "GMedal");
    EXPECT_EQ(view.Lines[0].Units, 32);
  }
}

}  // namespace
}  // namespace varnok
