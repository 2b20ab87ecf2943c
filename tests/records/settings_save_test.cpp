// Writing "Varnok.ini": the exact bytes, writing and reading back, and a
// write that fails or is cut short, which must leave the previous file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "address_cipher.h"
#include "settings.h"
#include "text_file.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

// Values that all differ from the defaults and fill every line.
Settings Changed() {
  Settings s;
  s.LanguageIndex = 7, s.Sound = false, s.Music = true, s.GifAnimation = false, s.FlyingCards = false;
  s.ClubListView = 2, s.NetworkMode = true, s.RedCursor = false, s.CardSpeed = 6, s.WindowMode = 5;
  s.UniqueStartCounted = false, s.LikeSent = false, s.RadioListFromServer = false, s.TitleColour = 7;
  s.NewButtons = true, s.PurpleWindows = true, s.AuxWindowDesign = 3, s.MenuDesign = 1, s.TableDesign = 1;
  s.SaluteButtons = true, s.SaluteCards = true;
  s.CardDesign = 47, s.BackDesign = 12, s.Backs = BackChoice::AlwaysOne;
  s.KeepAfter100 = true, s.ShowCardsAtEnd = false;
  s.Fonts = {FontSetting{"Arial", 50}, FontSetting{"Tahoma", 150}, FontSetting{"Terminal", 75},
             FontSetting{"Lucida Console", 125}};
  s.ServerAddress = "10.0.0.7", s.ServerPort = "3000";
  s.BackgroundPicture = 10, s.BackgroundColour = 6;
  s.PlayerName = "Ёлка Иголкина";
  s.ResultsService = EncipherAddress("http://example.org/top.php");
  s.Nick = "Ёжик", s.Country = "6-054", s.City = "Владивосток", s.Sex = "W";
  s.StatsService = EncipherAddress("http://example.org/stat.php");
  s.SaveGames = true, s.GifCapture = 2, s.GifDelay = 5000;
  return s;
}

class SettingsSaving : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("varnok-saving-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path File() const { return folder_ / kSettingsFile; }
  std::string Bytes() const { return ReadFileBytes(File(), 1 << 20).value_or("<missing>"); }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    return names;
  }

  fs::path folder_;
};

TEST_F(SettingsSaving, WritesTheExactBytes) {
  Settings s;
  s.PlayerName = "Иван";
  const std::string expected =
      "<# General>\r\n"
      "011110141##010020000\r\n"  // a fresh copy has counted no unique start and sent no like
      "<# Cards>\r\n"
      "0\r\n"
      "<# Decks>\r\n"
      "000\r\n"
      "<# Individual>\r\n"
      "01####\r\n"
      "<# Fonts>\r\n"
      "Comic Sans MS\r\n"
      "Comic Sans MS\r\n"
      "FixedSys\r\n"
      "Courier New\r\n"
      "100\r\n100\r\n100\r\n100\r\n"
      "<# IP & Port>\r\n"
      "127.0.0.1\r\n"
      "25666\r\n"
      "<# Background>\r\n"
      "020\r\n"
      "<# Name Of Player>\r\n"
      "\xC8\xE2\xE0\xED\r\n"
      "<# World Top Ten>\r\n"
      "\r\n\r\n\r\n\r\n\r\n\r\n"  // the group is empty until a file has filled it in
      "<# Save Games as GIF>\r\n"
      "\xEB\r\n"
      "1\r\n"
      "1000\r\n";
  ASSERT_EQ(SaveSettings(s, folder_), SaveResult::Saved);
  EXPECT_EQ(Bytes(), expected);
  EXPECT_EQ(SplitLines(expected, 100).size(), 35u);
  EXPECT_EQ(FileNames(), std::vector<std::string>{"Varnok.ini"});
}

TEST_F(SettingsSaving, WritesTheChangedValuesOnTheirLines) {
  const std::vector<std::string> lines = SplitLines(FormatSettings(Changed()), 100);
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[1], "730021065##171131111");
  EXPECT_EQ(lines[3], "47");
  EXPECT_EQ(lines[5], "121");
  EXPECT_EQ(lines[7], "10####");
  EXPECT_EQ(lines[13], "50");
  EXPECT_EQ(lines[21], "106");
  EXPECT_EQ(lines[26], "\xA8\xE6\xE8\xEA");
  EXPECT_EQ(lines[27], "6-054");
  EXPECT_EQ(lines[29], "W");
  EXPECT_EQ(lines[32], "\xE8");
  EXPECT_EQ(lines[33], "2");
  EXPECT_EQ(lines[34], "5000");
}

TEST_F(SettingsSaving, ReadingBackGivesEverySettingButRandom) {
  using Change = std::function<void(Settings&)>;
  std::vector<std::pair<std::string, Change>> rows = {
      {"defaults with a name", [](Settings& s) { s = Settings{}, s.PlayerName = "P"; }},
      {"changed", [](Settings&) {}},
      {"always one", [](Settings& s) { s.Backs = BackChoice::AlwaysOne; }},
      {"change decks", [](Settings& s) { s.Backs = BackChoice::ChangeDecks; }},
      {"random", [](Settings& s) { s.Backs = BackChoice::Random; }},
      {"start counted, like sent", [](Settings& s) { s.UniqueStartCounted = s.LikeSent = true; }},
      {"radio from server", [](Settings& s) { s.RadioListFromServer = true; }},
      {"everything off", [](Settings& s) {
         s.Sound = s.Music = s.GifAnimation = s.FlyingCards = s.RedCursor = s.ShowCardsAtEnd = false;
         s.MenuDesign = s.TableDesign = 0, s.BackDesign = 0, s.CardDesign = 0, s.BackgroundColour = 0;
       }},
      {"only sound", [](Settings& s) { s.Sound = true, s.Music = false; }},
      {"no font scale change", [](Settings& s) { s.Fonts = Settings{}.Fonts; }},
      {"empty server address", [](Settings& s) { s.ServerAddress = ""; }},
      {"no statistics address", [](Settings& s) { s.StatsService = ""; }},
  };
  for (int language = 0; language < kLanguageCount; ++language)
    rows.emplace_back("language " + std::to_string(language), [language](Settings& s) { s.LanguageIndex = language; });
  for (int speed = 1; speed <= 6; ++speed)
    rows.emplace_back("speed " + std::to_string(speed), [speed](Settings& s) { s.CardSpeed = speed, s.WindowMode = speed % 5 + 1; });

  for (const auto& [name, change] : rows) {
    SCOPED_TRACE(name);
    Settings written = Changed();
    change(written);
    ASSERT_EQ(SaveSettings(written, folder_), SaveResult::Saved);
    const LoadedSettings loaded = LoadSettings(folder_);

    Settings expected = written;
    if (expected.Backs == BackChoice::Random) expected.Backs = BackChoice::ChangeDecks;
    if (name == "defaults with a name") SetBuiltInWorldTopTen(expected);  // lines 26 to 31 were empty
    EXPECT_EQ(loaded.Values, expected);
    EXPECT_EQ(loaded.Read, name == "defaults with a name" ? SettingsRead::Stopped : SettingsRead::Complete);
  }
}

TEST_F(SettingsSaving, FailedOrInterruptedWriteLeavesThePreviousFileByteForByte) {
  ASSERT_EQ(SaveSettings(Changed(), folder_), SaveResult::Saved);
  const std::string previous = Bytes();
  const std::size_t size = FormatSettings(Settings{}).size();

  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, size / 2, size - 1, size}) {
    SCOPED_TRACE(cut);
    int attempts = 0;
    SaveOptions options;
    options.Write = [&attempts, cut](const fs::path& path, std::string_view bytes) {
      ++attempts;
      WriteFileBytes(path, bytes.substr(0, cut));
      if (attempts == 2) throw std::runtime_error("the disk went away");  // the second attempt breaks off
      return false;                                                      // the first reports a short write
    };
    EXPECT_EQ(SaveSettings(Settings{}, folder_, options), SaveResult::Failed);
    EXPECT_EQ(attempts, 2) << "a failed write is tried once more";
    EXPECT_EQ(Bytes(), previous);
    EXPECT_EQ(FileNames(), std::vector<std::string>{"Varnok.ini"}) << "the half-written file must go";
  }
  EXPECT_EQ(LoadSettings(folder_).Values, Changed());
}

TEST_F(SettingsSaving, SecondAttemptCanStillSucceed) {
  int attempts = 0;
  SaveOptions options;
  options.Write = [&attempts](const fs::path& path, std::string_view bytes) {
    return ++attempts == 2 && WriteFileBytes(path, bytes);
  };
  EXPECT_EQ(SaveSettings(Changed(), folder_, options), SaveResult::Saved);
  EXPECT_EQ(LoadSettings(folder_).Values, Changed());
}

TEST_F(SettingsSaving, PlaceThatCannotBeWrittenFails) {
  EXPECT_EQ(SaveSettings(Changed(), folder_ / "missing"), SaveResult::Failed);
  fs::create_directories(File() / "in the way");
  EXPECT_EQ(SaveSettings(Changed(), folder_), SaveResult::Failed);
  EXPECT_TRUE(fs::is_directory(File() / "in the way"));
}

TEST_F(SettingsSaving, AnEmptyNameKeepsTheLinesAfterIt) {
  Settings s = Changed();
  s.PlayerName = "";  // no name typed yet
  s.ResultsService = "";
  ASSERT_EQ(SaveSettings(s, folder_), SaveResult::Saved);
  const LoadedSettings loaded = LoadSettings(folder_);
  EXPECT_EQ(loaded.Read, SettingsRead::Complete);
  EXPECT_EQ(loaded.Values.PlayerName, "");
  EXPECT_TRUE(loaded.Values.SaveGames);
  EXPECT_EQ(loaded.Values.GifCapture, 2);
  EXPECT_EQ(loaded.Values.GifDelay, 5000);
  EXPECT_EQ(loaded.Values.Nick, "Ёжик");
  EXPECT_EQ(loaded.Values.ResultsService, BuiltInResultsService());
}

TEST_F(SettingsSaving, AReadOnlyFileIsKeptAndTheSaveFails) {
  ASSERT_EQ(SaveSettings(Settings{}, folder_), SaveResult::Saved);
  const std::string previous = Bytes();
  fs::permissions(File(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(SaveSettings(Changed(), folder_), SaveResult::Failed);  // "Can`t save options!"
  EXPECT_EQ(Bytes(), previous);
  EXPECT_EQ(FileNames(), std::vector<std::string>{std::string(kSettingsFile)});
}

TEST_F(SettingsSaving, APlantedLinkBesideTheFileIsNotFollowed) {
  const fs::path victim = folder_ / "victim.txt";
  ASSERT_TRUE(WriteFileBytes(victim, "precious"));
  fs::create_symlink(victim, folder_ / (std::string(kSettingsFile) + ".tmp"));
  EXPECT_EQ(SaveSettings(Changed(), folder_), SaveResult::Saved);
  EXPECT_EQ(ReadFileBytes(victim, 100), "precious");
  EXPECT_EQ(LoadSettings(folder_).Values, Changed());
}

TEST_F(SettingsSaving, MusicFileGoesFirstAndInvalidClubFilesWriteNothing) {
  ASSERT_EQ(SaveSettings(Changed(), folder_), SaveResult::Saved);
  const std::string previous = Bytes();

  std::vector<std::string> steps;
  SaveOptions options;
  options.DeleteMusicFile = [&steps] { steps.push_back("music"); };
  options.Write = [&steps](const fs::path& path, std::string_view bytes) {
    steps.push_back("write");
    return WriteFileBytes(path, bytes);
  };
  options.ClubFilesValid = false;
  EXPECT_EQ(SaveSettings(Settings{}, folder_, options), SaveResult::Skipped);
  EXPECT_EQ(steps, std::vector<std::string>{"music"});
  EXPECT_EQ(Bytes(), previous);

  steps.clear();
  options.ClubFilesValid = true;
  EXPECT_EQ(SaveSettings(Settings{}, folder_, options), SaveResult::Saved);
  EXPECT_EQ(steps, (std::vector<std::string>{"music", "write"}));

  options.DeleteMusicFile = [] { throw std::runtime_error("music file locked"); };
  EXPECT_EQ(SaveSettings(Changed(), folder_, options), SaveResult::Saved);
  EXPECT_EQ(Bytes(), previous);
}

TEST_F(SettingsSaving, TextsKeepTheLayoutWhateverTheyHold) {
  Settings s = Changed();
  s.PlayerName = "Ann\r\nBob\n";
  s.Nick = "李小龍";
  s.City = "Zürich";
  s.ServerPort = "25\r666";
  ASSERT_EQ(SaveSettings(s, folder_), SaveResult::Saved);
  EXPECT_EQ(SplitLines(Bytes(), 100).size(), 35u);

  const LoadedSettings loaded = LoadSettings(folder_);
  EXPECT_EQ(loaded.Read, SettingsRead::Complete);
  EXPECT_EQ(loaded.Values.PlayerName, "Ann  Bob ");
  EXPECT_EQ(loaded.Values.Nick, "???");
  EXPECT_EQ(loaded.Values.City, "Z?rich");
  EXPECT_EQ(loaded.Values.ServerPort, "25 666");
  EXPECT_EQ(loaded.Values.GifDelay, 5000);
}

TEST_F(SettingsSaving, ValuesOutOfRangeKeepTheLayoutAndReadBackAsDefaults) {
  Settings s = Changed();
  s.BackDesign = 123, s.BackgroundPicture = -5, s.BackgroundColour = 12, s.CardSpeed = 9, s.LanguageIndex = 15;
  const std::vector<std::string> lines = SplitLines(FormatSettings(s), 100);
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[1].size(), 20u);
  EXPECT_EQ(lines[5], "001");
  EXPECT_EQ(lines[21], "02#");

  ASSERT_EQ(SaveSettings(s, folder_), SaveResult::Saved);
  const Settings back = LoadSettings(folder_).Values;
  const Settings d;
  EXPECT_EQ(back.BackDesign, d.BackDesign);
  EXPECT_EQ(back.BackgroundPicture, d.BackgroundPicture);
  EXPECT_EQ(back.BackgroundColour, d.BackgroundColour);
  EXPECT_EQ(back.CardSpeed, d.CardSpeed);
  EXPECT_EQ(back.LanguageIndex, d.LanguageIndex);
  EXPECT_EQ(back.PlayerName, s.PlayerName);
}

}  // namespace
}  // namespace varnok
