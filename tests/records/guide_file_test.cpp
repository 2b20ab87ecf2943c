// The newcomer's files: the options of the aids and the kept game, read back
// as written, and every broken file refused without losing it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "guide_file.h"
#include "text_file.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

class GuideFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("varnok_guide_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  void Write(const char* name, const std::string& text) { std::ofstream(folder_ / name, std::ios::binary) << text; }
  fs::path folder_;
};

KeptGame SampleGame() {
  KeptGame game;
  game.Slot = 2;
  game.Name = "Иван";
  game.KonNo = 27;
  game.ProfileScore = -140;
  game.Round = 3;
  game.Scores = {0, 381, 466, 320};
  std::array<int, 24> deck{};
  for (int j = 0; j < 24; ++j) deck[static_cast<std::size_t>(j)] = 24 - j;
  game.Deck = deck;
  SheetRound first;
  first.Round = 1;
  first.Declarer = 3;
  first.Bid = 100;
  first.Order = 110;
  first.Made = true;
  first.Points = {0, 20, 30, 115};
  first.Marriages = {0, 0, 0, 40};
  first.Scores = {0, 481, 471, 391};
  SheetRound second = first;
  second.Round = 2;
  second.Declarer = 1;
  second.Made = false;
  second.Scores = {0, 591, 466, 320};
  game.Sheet = {first, second};
  return game;
}

TEST_F(GuideFiles, OptionsAreReadBackAndDefaultToTheClassicFlow) {
  EXPECT_EQ(LoadGuideOptions(folder_), GuideOptions{});
  EXPECT_FALSE(GuideOptions{}.AutoContinue);
  const GuideOptions on{true, true};
  ASSERT_TRUE(SaveGuideOptions(folder_, on));
  EXPECT_EQ(LoadGuideOptions(folder_), on);
  // No temporary file of any name is left behind.
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder_)) files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1);
  // Lines that are not understood leave the defaults.
  const struct {
    const char* text;
    GuideOptions expected;
  } cases[] = {{"AutoContinue=1\r\nKeepGame=0\r\n", {true, false}},
               {"AutoContinue=yes\r\nKeepGame=1\r\n", {false, true}},
               {"garbage\n\x01\x02\nKeepGame=1", {false, true}},
               {"AutoContinue=2", {false, false}},
               {"", {false, false}}};
  for (const auto& c : cases) EXPECT_EQ(ParseGuideOptions(c.text), c.expected) << c.text;
}

TEST_F(GuideFiles, AKeptGameIsReadBackAsWritten) {
  const KeptGame game = SampleGame();
  ASSERT_TRUE(SaveKeptGame(folder_, game));
  const KeptLoad load = LoadKeptGame(folder_);
  ASSERT_EQ(load.Result, KeptRead::Read) << load.Problem;
  EXPECT_EQ(load.Game, game);
  KeptGame undealt = game;
  undealt.Deck.reset();
  undealt.Sheet.clear();
  EXPECT_EQ(ParseKeptGame(FormatKeptGame(undealt)), undealt);
  EXPECT_TRUE(ForgetKeptGame(folder_));
  EXPECT_EQ(LoadKeptGame(folder_).Result, KeptRead::None);
}

TEST_F(GuideFiles, ABrokenKeptGameIsRefusedAndSetAside) {
  const std::string good = FormatKeptGame(SampleGame());
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::string broken[] = {
      "",
      "VarnokKept=2\r\n",
      good.substr(0, good.size() / 2),                      // cut off
      replaced("Slot=2", "Slot=9"),                         // no such slot
      replaced("Scores=381,466,320", "Scores=381,-5,320"),  // a finished game
      replaced("Scores=381,466,320", "Scores=381,466"),
      replaced("Deck=24,23,", "Deck=23,23,"),               // a card twice
      replaced("Round=3", "Round=three"),
      replaced("Name=Иван\r\n", ""),                        // no name
      replaced("KonNo=27", "KonNo=27\r\nKonNo=28"),         // twice
      replaced("Sheet=1,3,100", "Sheet=1,4,100"),           // no such declarer
  };
  for (const std::string& text : broken) {
    EXPECT_FALSE(ParseKeptGame(text).has_value()) << text;
    Write(kKeptGameFile, text);
    const KeptLoad load = LoadKeptGame(folder_);
    EXPECT_EQ(load.Result, KeptRead::Unreadable) << text;
    EXPECT_FALSE(load.Problem.empty());
    EXPECT_FALSE(fs::exists(folder_ / kKeptGameFile)) << "offered once only";
    EXPECT_EQ(ReadFileBytes(folder_ / "VarnokKept.txt.bad", 1 << 20), text) << "never lost";
  }
  // Lines of a later version are passed over.
  EXPECT_EQ(ParseKeptGame(replaced("End=1", "Mood=calm\r\nEnd=1")), SampleGame());
}

}  // namespace
}  // namespace varnok
