// Reading "Varnok.ini": a complete file, a file too short to use, the flag
// line, the reading that stops at the first short line with what it has read
// so far, the country check, and values that are no numbers or out of range.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "address_cipher.h"
#include "cp1251.h"
#include "settings.h"
#include "text_file.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;
using Change = std::function<void(Settings&)>;

// Code page 1251 bytes of a UTF-8 literal.
std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8).value(); }

// One line of a complete file in which every value differs from its
// default, and what taking that line does to the values.
struct FileLine {
  std::string text;
  Change take;
};

const std::string kFlags = "730021065##171131111";

void TakeFlags(Settings& s) {
  s.LanguageIndex = 7;
  s.Sound = false;
  s.Music = true;
  s.GifAnimation = false;
  s.FlyingCards = false;
  s.ClubListView = 2;
  s.NetworkMode = true;
  s.RedCursor = false;
  s.CardSpeed = 6;
  s.WindowMode = 5;
  s.UniqueStartCounted = false;
  s.LikeSent = false;
  s.RadioListFromServer = false;
  s.TitleColour = 7;
  s.NewButtons = true;
  s.PurpleWindows = true;
  s.AuxWindowDesign = 3;
  s.MenuDesign = 1;
  s.TableDesign = 1;
  s.SaluteButtons = true;
  s.SaluteCards = true;
}

// The flag settings of `s` put back to their defaults.
Settings WithDefaultFlags(Settings s) {
  const Settings d;
  s.LanguageIndex = d.LanguageIndex, s.Sound = d.Sound, s.Music = d.Music, s.GifAnimation = d.GifAnimation;
  s.FlyingCards = d.FlyingCards, s.ClubListView = d.ClubListView, s.NetworkMode = d.NetworkMode;
  s.RedCursor = d.RedCursor, s.CardSpeed = d.CardSpeed, s.WindowMode = d.WindowMode;
  s.UniqueStartCounted = d.UniqueStartCounted, s.LikeSent = d.LikeSent, s.RadioListFromServer = d.RadioListFromServer;
  s.TitleColour = d.TitleColour, s.NewButtons = d.NewButtons, s.PurpleWindows = d.PurpleWindows;
  s.AuxWindowDesign = d.AuxWindowDesign, s.MenuDesign = d.MenuDesign, s.TableDesign = d.TableDesign;
  s.SaluteButtons = d.SaluteButtons, s.SaluteCards = d.SaluteCards;
  return s;
}

const std::string kResults = EncipherAddress("http://example.org/top.php");
const std::string kStats = EncipherAddress("http://example.org/stat.php");

std::vector<FileLine> CompleteFile() {
  return {
      {"<# General>", nullptr},
      {kFlags, TakeFlags},
      {"<# Cards>", nullptr},
      {"17", [](Settings& s) { s.CardDesign = 17; }},
      {"<# Decks>", nullptr},
      {"071", [](Settings& s) { s.BackDesign = 7, s.Backs = BackChoice::AlwaysOne; }},
      {"<# Individual>", nullptr},
      {"10####", [](Settings& s) { s.KeepAfter100 = true, s.ShowCardsAtEnd = false; }},
      {"<# Fonts>", nullptr},
      {"Arial", [](Settings& s) { s.Fonts[0].Name = "Arial"; }},
      {"Tahoma", [](Settings& s) { s.Fonts[1].Name = "Tahoma"; }},
      {"Terminal", [](Settings& s) { s.Fonts[2].Name = "Terminal"; }},
      {"Lucida Console", [](Settings& s) { s.Fonts[3].Name = "Lucida Console"; }},
      {"120", [](Settings& s) { s.Fonts[0].Scale = 120; }},
      {"90", [](Settings& s) { s.Fonts[1].Scale = 90; }},
      {"50", [](Settings& s) { s.Fonts[2].Scale = 50; }},
      {"150", [](Settings& s) { s.Fonts[3].Scale = 150; }},
      {"<# IP & Port>", nullptr},
      {"192.168.1.20", [](Settings& s) { s.ServerAddress = "192.168.1.20"; }},
      {"25700", [](Settings& s) { s.ServerPort = "25700"; }},
      {"<# Background>", nullptr},
      {"053", [](Settings& s) { s.BackgroundPicture = 5, s.BackgroundColour = 3; }},
      {"<# Name Of Player>", nullptr},
      {Cp("Иван Петров"), [](Settings& s) { s.PlayerName = "Иван Петров"; }},
      // Having taken the player name, the reading fills the world-top-ten group in.
      {"<# World Top Ten>",
       [](Settings& s) {
         s.ResultsService = BuiltInResultsService(), s.StatsService = BuiltInStatsService();
         s.Nick = "Incognito", s.Country = "1-001", s.City = "Moscow", s.Sex = "M";
       }},
      {kResults, [](Settings& s) { s.ResultsService = kResults; }},
      {Cp("Петрович-Сидоров"), [](Settings& s) { s.Nick = "Петрович-Сид"; }},  // 12 characters taken
      {"4-012", [](Settings& s) { s.Country = "4-012"; }},
      {Cp("Санкт-Петербург-Центр"), [](Settings& s) { s.City = "Санкт-Петербург"; }},  // 15 taken
      {"W", [](Settings& s) { s.Sex = "W"; }},
      {kStats, [](Settings& s) { s.StatsService = kStats; }},
      {"<# Save Games as GIF>", nullptr},
      {"\xE8", [](Settings& s) { s.SaveGames = true; }},
      {"2", [](Settings& s) { s.GifCapture = 2; }},
      {"250", [](Settings& s) { s.GifDelay = 250; }},
  };
}

// The values after reading the complete file up to, not including, line
// `stop`: a reading that ends before the world-top-ten group leaves the
// group's built-in values.
Settings ReadBefore(int stop) {
  Settings s;
  const std::vector<FileLine> file = CompleteFile();
  for (int n = 1; n < stop && n <= kSettingsLines; ++n)
    if (file[static_cast<std::size_t>(n - 1)].take) file[static_cast<std::size_t>(n - 1)].take(s);
  if (stop <= 25) SetBuiltInWorldTopTen(s);
  return s;
}

// The defaults of a fresh copy: every value at its default, the services built in.
Settings FreshCopy() {
  Settings s;
  SetBuiltInWorldTopTen(s);
  return s;
}

const Settings kComplete = ReadBefore(kSettingsLines + 1);

class SettingsReading : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("varnok-settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
    for (const FileLine& line : CompleteFile()) lines_.push_back(line.text);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Line `n` (1-based) of the file about to be read.
  std::string& Line(int n) { return lines_.at(static_cast<std::size_t>(n - 1)); }

  LoadedSettings Load(const std::string& bytes) {
    EXPECT_TRUE(WriteFileBytes(folder_ / kSettingsFile, bytes));
    return LoadSettings(folder_);
  }
  LoadedSettings Load() { return Load(JoinLines(lines_)); }

  fs::path folder_;
  std::vector<std::string> lines_;
};

TEST_F(SettingsReading, CompleteFileGivesEveryValue) {
  const LoadedSettings loaded = Load();
  EXPECT_EQ(loaded.Read, SettingsRead::Complete);
  EXPECT_EQ(loaded.Values, kComplete);
  EXPECT_NE(kComplete.Nick, Settings{}.Nick);  // the table above really changes things
}

TEST_F(SettingsReading, LineEndsOtherThanCrLfAreReadAlike) {
  std::string lf, cr;
  for (const std::string& line : lines_) lf += line + "\n", cr += line + "\r";
  for (const std::string& bytes : {lf, cr, JoinLines(lines_) + "extra line\r\n", JoinLines(lines_).substr(0, JoinLines(lines_).size() - 2)}) {
    const LoadedSettings loaded = Load(bytes);
    EXPECT_EQ(loaded.Read, SettingsRead::Complete);
    EXPECT_EQ(loaded.Values, kComplete);
  }
}

TEST_F(SettingsReading, MissingFileGivesTheDefaultsWithTheBuiltInServices) {
  const LoadedSettings loaded = LoadSettings(folder_);
  EXPECT_EQ(loaded.Read, SettingsRead::NoFile);
  EXPECT_EQ(loaded.Values, FreshCopy());
  // The club's services are in force from the first start.
  EXPECT_EQ(loaded.Values.ResultsService, BuiltInResultsService());
  EXPECT_EQ(loaded.Values.StatsService, BuiltInStatsService());
  EXPECT_EQ(loaded.Values.Nick, "Incognito");
  // Nothing has been counted or sent from a fresh copy.
  EXPECT_FALSE(loaded.Values.UniqueStartCounted);
  EXPECT_FALSE(loaded.Values.LikeSent);
}

TEST_F(SettingsReading, TheFileAFreshCopyWritesCarriesTheServicesAndIsReadWhole) {
  Settings fresh = LoadSettings(folder_).Values;
  ASSERT_TRUE(WriteFileBytes(folder_ / kSettingsFile, FormatSettings(fresh)));
  const LoadedSettings second = LoadSettings(folder_);
  EXPECT_EQ(second.Read, SettingsRead::Complete);
  EXPECT_EQ(second.Values, fresh);
  EXPECT_FALSE(second.Values.UniqueStartCounted) << "the second start still counts its unique launch";
  EXPECT_FALSE(second.Values.LikeSent);
}

TEST_F(SettingsReading, FileOfFewerThan35LinesIsIgnoredWhole) {
  lines_.pop_back();
  const std::string lines34 = JoinLines(lines_);
  const std::string unended = lines34.substr(0, lines34.size() - 2);
  for (const std::string& bytes : {lines34, unended, std::string(), std::string("\r\n")}) {
    const LoadedSettings loaded = Load(bytes);
    EXPECT_EQ(loaded.Read, SettingsRead::ShortFile);
    EXPECT_EQ(loaded.Values, FreshCopy());
  }
}

TEST_F(SettingsReading, FlagLineOfOneAndNineteenHashesGivesRussian) {
  Line(2) = "1" + std::string(19, '#');
  Settings expected = WithDefaultFlags(kComplete);
  expected.LanguageIndex = 1;
  // Characters 10 to 12 are defined by their exact character, so "#" there
  // means: no unique start counted, no like sent, the radio list from disk.
  expected.UniqueStartCounted = false;
  expected.LikeSent = false;
  expected.RadioListFromServer = false;
  EXPECT_EQ(Load().Values, expected);
}

TEST_F(SettingsReading, FlagCharactersAreTakenOnlyWhereTheLineReachesThem) {
  struct Row {
    std::string flags;
    Change change;
  };
  const Row rows[] = {
      {"", [](Settings&) {}},
      {"1", [](Settings& s) { s.LanguageIndex = 1; }},
      {"000000000", [](Settings& s) { s.Sound = s.Music = s.GifAnimation = s.FlyingCards = s.RedCursor = false; }},
      {"#########R", [](Settings& s) { s.UniqueStartCounted = true; }},
      {"##########", [](Settings&) {}},
      {"#########RL#", [](Settings& s) { s.UniqueStartCounted = s.LikeSent = true, s.RadioListFromServer = false; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.flags);
    Line(2) = row.flags;
    Settings expected = WithDefaultFlags(kComplete);
    row.change(expected);
    EXPECT_EQ(Load().Values, expected);
  }
}

TEST_F(SettingsReading, EachFlagCharacterTakesOnlyItsOwnValues) {
  // The flag line as it is written for the defaults, with one character changed.
  const std::string defaults = "011110141##010020000";
  struct Row {
    int position;
    char c;
    Change change;
  };
  const auto none = [](Settings&) {};
  const Row rows[] = {
      {1, '1', [](Settings& s) { s.LanguageIndex = 1; }},
      {1, '9', [](Settings& s) { s.LanguageIndex = 9; }},
      {1, 'a', none},  // languages 10 to 20 are ones the program does not have
      {1, 'k', none},
      {1, 'x', none},
      {2, '0', [](Settings& s) { s.Sound = s.Music = false; }},
      {2, '2', [](Settings& s) { s.Music = false; }},
      {2, '3', [](Settings& s) { s.Sound = false; }},
      {2, '4', none},
      {3, '0', [](Settings& s) { s.GifAnimation = false; }},
      {3, '#', none},
      {4, '0', [](Settings& s) { s.FlyingCards = false; }},
      {4, 'n', none},
      {5, '2', [](Settings& s) { s.ClubListView = 2; }},
      {5, '3', none},
      {6, '1', [](Settings& s) { s.NetworkMode = true; }},
      {6, '2', none},
      {7, '0', [](Settings& s) { s.RedCursor = false; }},
      {8, '1', [](Settings& s) { s.CardSpeed = 1; }},
      {8, '6', [](Settings& s) { s.CardSpeed = 6; }},
      {8, '7', none},
      {8, '0', none},
      {9, '5', [](Settings& s) { s.WindowMode = 5; }},
      {9, '6', none},
      {10, 'R', [](Settings& s) { s.UniqueStartCounted = true; }},
      {10, 'r', none},
      {11, 'L', [](Settings& s) { s.LikeSent = true; }},
      {11, 'l', none},
      {12, '1', [](Settings& s) { s.RadioListFromServer = false; }},
      {13, '7', [](Settings& s) { s.TitleColour = 7; }},
      {13, '0', none},  // variants run from 1 to 7
      {13, '8', none},
      {13, '#', none},  // no number
      {14, '1', [](Settings& s) { s.NewButtons = true; }},
      {15, '1', [](Settings& s) { s.PurpleWindows = true; }},
      {16, '1', [](Settings& s) { s.AuxWindowDesign = 1; }},
      {16, '3', [](Settings& s) { s.AuxWindowDesign = 3; }},
      {16, '4', none},
      {17, '1', [](Settings& s) { s.MenuDesign = 1; }},
      {17, '2', none},
      {18, '1', [](Settings& s) { s.TableDesign = 1; }},
      {19, '1', [](Settings& s) { s.SaluteButtons = true; }},
      {20, '1', [](Settings& s) { s.SaluteCards = true; }},
      {20, 'x', none},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "character " << row.position << " '" << row.c << "'");
    Line(2) = defaults;
    Line(2)[static_cast<std::size_t>(row.position - 1)] = row.c;
    Settings expected = WithDefaultFlags(kComplete);
    row.change(expected);
    EXPECT_EQ(Load().Values, expected);
  }
}

TEST_F(SettingsReading, LineSixOfTwoCharactersKeepsOnlyWhatCameBefore) {
  Line(6) = "00";
  const LoadedSettings loaded = Load();
  EXPECT_EQ(loaded.Read, SettingsRead::Stopped);
  EXPECT_EQ(loaded.StoppedAt, 6);
  EXPECT_EQ(loaded.Values.CardDesign, 17);
  EXPECT_EQ(loaded.Values, ReadBefore(6));
  EXPECT_EQ(loaded.Values.GifDelay, 1000);
}

TEST_F(SettingsReading, FirstShortLineEndsTheReadingWithWhatWasReadBeforeIt) {
  struct Row {
    int line;
    std::string text;
  };
  const Row rows[] = {
      {6, ""},   {6, "07"}, {18, ""},  {20, ""}, {21, ""},  {22, ""}, {23, ""},
      {27, ""},  {28, ""},  {28, "1-01"}, {28, "1-0011"}, {29, ""}, {30, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "line " << row.line << " \"" << row.text << '"');
    const std::string kept = Line(row.line);
    Line(row.line) = row.text;
    const LoadedSettings loaded = Load();
    EXPECT_EQ(loaded.Read, SettingsRead::Stopped);
    EXPECT_EQ(loaded.StoppedAt, row.line);
    EXPECT_EQ(loaded.Values, ReadBefore(row.line));
    Line(row.line) = kept;
  }
}

TEST_F(SettingsReading, OtherEmptyLinesDoNotEndTheReading) {
  struct Row {
    int line;
    Change change;
  };
  const auto none = [](Settings&) {};
  const Row rows[] = {
      {1, none}, {3, none}, {5, none}, {7, none}, {9, none}, {25, none}, {32, none},
      {2, [](Settings& s) { s = WithDefaultFlags(s); }},
      {4, [](Settings& s) { s.CardDesign = 0; }},
      {8, [](Settings& s) { s.KeepAfter100 = false, s.ShowCardsAtEnd = false; }},
      // An empty font line keeps that font's default; the address, port and
      // player name after it are still read.
      {10, [](Settings& s) { s.Fonts[0].Name = "Comic Sans MS"; }},
      {11, [](Settings& s) { s.Fonts[1].Name = "Comic Sans MS"; }},
      {12, [](Settings& s) { s.Fonts[2].Name = "FixedSys"; }},
      {13, [](Settings& s) { s.Fonts[3].Name = "Courier New"; }},
      {14, [](Settings& s) { s.Fonts[0].Scale = 100; }},
      {15, [](Settings& s) { s.Fonts[1].Scale = 100; }},
      {16, [](Settings& s) { s.Fonts[2].Scale = 100; }},
      {17, [](Settings& s) { s.Fonts[3].Scale = 100; }},
      {19, [](Settings& s) { s.ServerAddress = ""; }},  // taken as it is, even empty
      {24, [](Settings& s) { s.PlayerName = ""; }},     // an empty name, as the program writes it
      {26, [](Settings& s) { s.ResultsService = BuiltInResultsService(); }},  // the built-in address
      {31, [](Settings& s) { s.StatsService = ""; }},
      {33, [](Settings& s) { s.SaveGames = false; }},
      {34, [](Settings& s) { s.GifCapture = 1; }},
      {35, [](Settings& s) { s.GifDelay = 1000; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "line " << row.line);
    const std::string kept = Line(row.line);
    Line(row.line) = "";
    Settings expected = kComplete;
    row.change(expected);
    const LoadedSettings loaded = Load();
    EXPECT_EQ(loaded.Read, SettingsRead::Complete);
    EXPECT_EQ(loaded.Values, expected);
    Line(row.line) = kept;
  }
}

TEST_F(SettingsReading, AnEmptyFontLineLosesNothingWhenTheOptionsAreWrittenBack) {
  Line(11) = "";
  const Settings read = Load().Values;
  ASSERT_TRUE(WriteFileBytes(folder_ / kSettingsFile, FormatSettings(read)));  // as at closing
  const Settings again = LoadSettings(folder_).Values;
  EXPECT_EQ(again.ServerAddress, "192.168.1.20");
  EXPECT_EQ(again.ServerPort, "25700");
  EXPECT_EQ(again.PlayerName, "Иван Петров");
  EXPECT_EQ(again.Nick, "Петрович-Сид");
  EXPECT_EQ(again.Fonts[1].Name, "Comic Sans MS");
  EXPECT_EQ(again, read);
}

TEST_F(SettingsReading, CountryOutsideItsContinentKeepsTheBuiltInCountry) {
  struct Row {
    const char* code;
    const char* country;
  };
  const Row rows[] = {
      {"1-000", "1-000"}, {"1-048", "1-048"}, {"1-049", "1-001"}, {"2-051", "2-051"}, {"2-052", "1-001"},
      {"3-035", "3-035"}, {"3-036", "1-001"}, {"4-014", "4-014"}, {"4-015", "1-001"}, {"5-023", "5-023"},
      {"5-024", "1-001"}, {"6-054", "6-054"}, {"6-055", "1-001"}, {"7-001", "1-001"}, {"0-001", "1-001"},
      {"1_001", "1-001"}, {"1-0a1", "1-001"}, {"1- 01", "1-001"}, {"1-+01", "1-001"}, {"1--01", "1-001"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    Line(28) = row.code;
    Settings expected = kComplete;  // the city and everything after it still read
    expected.Country = row.country;
    const LoadedSettings loaded = Load();
    EXPECT_EQ(loaded.Read, SettingsRead::Complete);
    EXPECT_EQ(loaded.Values, expected);
  }
}

TEST_F(SettingsReading, SexIsManUnlessItSaysWoman) {
  const std::pair<const char*, const char*> rows[] = {
      {"F", "M"}, {"W", "W"}, {"M", "M"}, {"w", "M"}, {"Woman", "W"}, {" W", "M"}, {"\xC6", "M"}};
  for (const auto& [text, sex] : rows) {
    SCOPED_TRACE(text);
    Line(30) = text;
    const LoadedSettings loaded = Load();
    EXPECT_EQ(loaded.Values.Sex, sex);
    EXPECT_EQ(loaded.Read, SettingsRead::Complete);
  }
}

TEST_F(SettingsReading, ValuesThatAreNoNumbersOrOutOfRangeKeepTheirDefaults) {
  struct Row {
    int line;
    std::string text;
    Change change;
  };
  const Row rows[] = {
      {10, "A", [](Settings& s) { s.Fonts[0].Name = "Comic Sans MS"; }},  // too short to name a font
      {12, "x", [](Settings& s) { s.Fonts[2].Name = "FixedSys"; }},
      {4, "x7", [](Settings& s) { s.CardDesign = 0; }},
      {4, "1.5", [](Settings& s) { s.CardDesign = 0; }},
      {4, "48", [](Settings& s) { s.CardDesign = 0; }},
      {4, "-1", [](Settings& s) { s.CardDesign = 0; }},
      {4, "47", [](Settings& s) { s.CardDesign = 47; }},
      {4, " 9", [](Settings& s) { s.CardDesign = 9; }},  // numbers may be padded with blanks
      {6, "ab1", [](Settings& s) { s.BackDesign = 0; }},
      {6, "131", [](Settings& s) { s.BackDesign = 0; }},
      {6, "120", [](Settings& s) { s.BackDesign = 12, s.Backs = BackChoice::ChangeDecks; }},
      {14, "abc", [](Settings& s) { s.Fonts[0].Scale = 100; }},
      {15, "1 2", [](Settings& s) { s.Fonts[1].Scale = 100; }},
      {16, "-", [](Settings& s) { s.Fonts[2].Scale = 100; }},
      {17, "99999999999", [](Settings& s) { s.Fonts[3].Scale = 100; }},
      {14, "49", [](Settings& s) { s.Fonts[0].Scale = 100; }},
      {14, "151", [](Settings& s) { s.Fonts[0].Scale = 100; }},
      {22, "xx3", [](Settings& s) { s.BackgroundPicture = 2; }},
      {22, "003", [](Settings& s) { s.BackgroundPicture = 2; }},
      {22, "107", [](Settings& s) { s.BackgroundPicture = 10, s.BackgroundColour = 0; }},
      {22, "05x", [](Settings& s) { s.BackgroundColour = 0; }},
      {22, "05", [](Settings& s) { s.BackgroundColour = 0; }},
      {22, "1", [](Settings& s) { s.BackgroundPicture = 1, s.BackgroundColour = 0; }},
      {33, "\xC8", [](Settings& s) { s.SaveGames = false; }},  // capital I is not small i
      {33, "\xE8 ", [](Settings& s) { s.SaveGames = false; }},
      {34, "two", [](Settings& s) { s.GifCapture = 1; }},
      {34, "3", [](Settings& s) { s.GifCapture = 1; }},
      {35, "1,5", [](Settings& s) { s.GifDelay = 1000; }},
      {35, "9", [](Settings& s) { s.GifDelay = 1000; }},
      {35, "5001", [](Settings& s) { s.GifDelay = 1000; }},
      {35, "10", [](Settings& s) { s.GifDelay = 10; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "line " << row.line << " \"" << row.text << '"');
    const std::string kept = Line(row.line);
    Line(row.line) = row.text;
    Settings expected = kComplete;
    row.change(expected);
    const LoadedSettings loaded = Load();
    EXPECT_EQ(loaded.Read, SettingsRead::Complete);
    EXPECT_EQ(loaded.Values, expected);
    Line(row.line) = kept;
  }
}

TEST(SettingsParsing, AnyBytesAtAllAreReadWithoutHarm) {
  std::mt19937 random(20240611);
  const char pieces[] = {'#', '-', '0', '1', '5', '9', 'R', 'W', '\x98', '\xE8', '\xFF', ' ', '\r', '\n'};
  for (int round = 0; round < 500; ++round) {
    std::string bytes;
    for (int line = 0; line < 36; ++line) {
      for (unsigned n = random() % 7; n > 0; --n) bytes += pieces[random() % sizeof pieces];
      bytes += "\r\n";
    }
    const LoadedSettings loaded = ParseSettings(bytes);
    const Settings& s = loaded.Values;
    EXPECT_TRUE(s.LanguageIndex >= 0 && s.LanguageIndex < kLanguageCount);
    EXPECT_TRUE(s.CardSpeed >= 1 && s.CardSpeed <= 6);
    EXPECT_TRUE(s.BackgroundPicture >= 1 && s.BackgroundPicture <= 10);
    EXPECT_TRUE(s.Country.empty() || s.Country == "1-001" || s.Country.size() == 5) << s.Country;
    EXPECT_TRUE(s.Sex.empty() || s.Sex == "M" || s.Sex == "W");
  }
}

}  // namespace
}  // namespace varnok
