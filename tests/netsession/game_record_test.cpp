// Game records: a whole game against the computer and whole network games
// are recorded as the program's window records them, written to a file,
// read back by a fresh reader and replayed on an engine with no players:
// the same deals, the same scores. "Deal again" gives a round's hands to a
// new game; a record from another version, or damaged in any part, is
// refused with its reason.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "copies.h"
#include "game_replay.h"
#include "text_file.h"

namespace varnok::netsession::testing {
namespace {

// The hands of seats 1..3 and the widow as card ordinals, each hand sorted.
std::array<std::vector<int>, 4> HandsOf(const GameState& s) {
  std::array<std::vector<int>, 4> hands;
  for (int seat = 1; seat <= 3; ++seat) {
    for (int i = 1; i <= s.HandCount[seat]; ++i) hands[static_cast<std::size_t>(seat - 1)].push_back(CardIndex(s.Hands[seat][i]));
    std::sort(hands[static_cast<std::size_t>(seat - 1)].begin(), hands[static_cast<std::size_t>(seat - 1)].end());
  }
  for (int w = 1; w <= 3; ++w) hands[3].push_back(CardIndex(s.Widow[static_cast<std::size_t>(w)]));
  return hands;
}

std::array<std::vector<int>, 4> HandsOf(const DeckOrder& deal) {
  std::array<std::vector<int>, 4> hands;
  for (std::size_t i = 0; i < 24; ++i) hands[i < 21 ? i / 7 : 3].push_back(deal[i]);
  for (std::size_t h = 0; h < 3; ++h) std::sort(hands[h].begin(), hands[h].end());
  return hands;
}

// A whole game against the computer: the computer seats play themselves on
// the timer, the player's seat is played like the network tests' player.
struct LocalGame {
  GameState s;
  ButtonsPresenter ui;
  ai::ComputerSeats computer;
  Engine engine{s, ui};
  GameRecorder recorder;
  std::vector<std::array<std::vector<int>, 4>> dealt;  // the hands of every deal
  QTemporaryDir folder;

  explicit LocalGame(std::uint64_t seed, bool keep_after_100 = false) {
    engine.SetComputerPlayers(&computer);
    engine.SetShuffleSeed(seed);
    engine.SetPlayerName("Tester");
    EngineOptions options;
    options.KeepAfter100 = keep_after_100;
    engine.SetOptions(options);
    engine.SetMode(TableMode{});
    engine.SetMoveListener([this](const Move& m) {
      recorder.Observe(m, s, engine.Mode(), engine.Options(), "2026-12-11 10:00");
      if (m.kind == Move::Kind::NewGame || m.kind == Move::Kind::NextRound) dealt.push_back(HandsOf(s));
    });
  }

  bool Step() {
    if (s.BidState == 1 && ui.next_enabled) {
      engine.PressNext();
      return true;
    }
    switch (s.Phase) {
      case phBid3:
        if (s.BidState == 2 && s.InBidding[3]) {
          if (ui.next_enabled && (s.CurrentBid == kOpeningBidBase || s.CurrentBid + kBidStep <= 75)) engine.PressNext();
          else if (ui.pass_enabled) engine.PressPass();
          else break;
          return true;
        }
        break;
      case phGive:
        if (s.Declarer == 3) {
          engine.ClickCard(1);
          engine.ClickCard(2);
          return true;
        }
        break;
      case phGiven:
        // The trump and order dialogs, answered as the table's dialogs answer.
        if (engine.LocalQuestion() == Engine::Question::Trump) return engine.Apply(Move::Trump(LongestSuit(s)));
        if (engine.LocalQuestion() == Engine::Question::Order) return engine.Apply(Move::Order(s.Zakaz));
        break;
      case phPlay3:
        for (int slot = 1; slot <= s.HandCount[3]; ++slot)
          if (!engine.IsIllegalHumanCard(slot)) return engine.ClickCard(slot);
        break;
      default: break;
    }
    if (ui.next_enabled && s.Phase != phGameOver) {
      engine.PressNext();
      return true;
    }
    engine.Tick();
    return true;
  }

  // Plays until the game is over.
  bool Play() {
    engine.Apply(Move::NewGame());
    for (int steps = 0; steps < 200000; ++steps) {
      if (s.GameOver || s.Phase == phGameOver) return true;
      Step();
    }
    return false;
  }
};

TEST(GameRecords, AGameAgainstTheComputerReplaysToTheSameScoresAndDealsAgainTheSameHands) {
  for (const std::uint64_t seed : {7ULL, 2026ULL}) {
    LocalGame game(seed, seed == 2026ULL);
    ASSERT_TRUE(game.Play()) << "seed " << seed;
    ASSERT_EQ(game.engine.FaultyRequests(), 0);
    const std::optional<GameRecord> record = game.recorder.Record();
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->Rounds.size(), game.dealt.size());
    ASSERT_GE(record->Rounds.size(), 2u);

    // Written atomically and read back by a reader that shares nothing with the writer.
    const std::filesystem::path path = std::filesystem::path(game.folder.path().toStdString()) / "game.txt";
    ASSERT_TRUE(SaveGameRecord(path, *record));
    EXPECT_TRUE(TemporaryFilesLeft(path).empty());
    const RecordRead read = LoadGameRecord(path);
    ASSERT_TRUE(read.Record.has_value()) << read.Detail;
    EXPECT_EQ(*read.Record, *record);
    EXPECT_EQ(read.Record->Names[2], "Tester");
    EXPECT_EQ(read.Record->KeepAfter100, seed == 2026ULL);

    const ReplayResult replay = ReplayGameRecord(*read.Record);
    ASSERT_TRUE(replay.Ok) << replay.Problem;
    const GameState& end = replay.Steps.back().State;
    EXPECT_EQ(end.Scores, game.s.Scores);
    EXPECT_EQ(end.RoundNo, game.s.RoundNo);
    EXPECT_EQ(end.Phase, game.s.Phase);
    // Every round was dealt the same hands, and every card went the same way.
    std::size_t deal = 0;
    for (const ReplayStep& step : replay.Steps) {
      if (step.Step.kind == Move::Kind::NewGame || step.Step.kind == Move::Kind::NextRound) {
        EXPECT_EQ(HandsOf(step.State), game.dealt[deal]) << "round " << deal + 1;
        EXPECT_EQ(HandsOf(read.Record->Rounds[deal].Deal), game.dealt[deal]) << "round " << deal + 1;
        ++deal;
      }
    }
    EXPECT_EQ(deal, game.dealt.size());

    // "Deal again": a new game against the computer from each round's deck holds the round's hands.
    for (std::size_t r = 0; r < record->Rounds.size(); ++r) {
      GameState s;
      Presenter quiet;
      Engine again(s, quiet);
      again.SetMode(TableMode{});
      again.SetNextDeck(DealAgainDeck(record->Rounds[r]));
      ASSERT_TRUE(again.Apply(Move::NewGame()));
      EXPECT_EQ(HandsOf(s), game.dealt[r]) << "round " << r + 1;
      EXPECT_EQ(s.RoundNo, 1);
    }
  }
}

class LanRecords : public ::testing::TestWithParam<int> {};

TEST_P(LanRecords, ARecordWrittenByEveryCopyReplaysOnAnother) {
  Table table(GetParam());
  ASSERT_TRUE(table.Start());
  ASSERT_TRUE(table.Play(0)) << table.Dump();
  QTemporaryDir other;  // the folder of "another copy"
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Copy& c = table[i];
    const std::optional<GameRecord> record = c.recorder.Record();
    ASSERT_TRUE(record.has_value()) << i;
    EXPECT_EQ(record->NetPos, c.session.NetPos()) << i;
    EXPECT_EQ(static_cast<int>(record->Rounds.size()), c.s.RoundNo) << i;
    const std::filesystem::path path =
        std::filesystem::path(other.path().toStdString()) / ("copy" + std::to_string(i) + ".txt");
    ASSERT_TRUE(SaveGameRecord(path, *record)) << i;
    const RecordRead read = LoadGameRecord(path);
    ASSERT_TRUE(read.Record.has_value()) << i << ": " << read.Detail;
    const ReplayResult replay = ReplayGameRecord(*read.Record);
    ASSERT_TRUE(replay.Ok) << "copy " << i << ": " << replay.Problem;
    const GameState& end = replay.Steps.back().State;
    EXPECT_EQ(end.Scores, c.s.Scores) << i;
    for (int seat = 1; seat <= 3; ++seat) {
      std::string name = c.s.Names[seat];  // the network's names are filled with blanks
      while (!name.empty() && name.back() == ' ') name.pop_back();
      EXPECT_EQ(end.Names[seat], name) << i;
    }
    EXPECT_EQ(HandsOf(end), HandsOf(c.s)) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Copies, LanRecords, ::testing::Values(3, 2), [](const ::testing::TestParamInfo<int>& info) {
  return info.param == 3 ? std::string("ThreePeople") : std::string("TwoPeopleAndComputer");
});

// The text of an edited copy of a record, with a check that fits it.
std::string Edited(const GameRecord& record, const std::function<void(GameRecord&)>& edit) {
  GameRecord copy = record;
  edit(copy);
  return FormatGameRecord(copy);
}

TEST(GameRecords, AnotherVersionOrADamagedRecordIsRefusedWithItsReason) {
  LocalGame game(99);
  ASSERT_TRUE(game.Play());
  const GameRecord record = *game.recorder.Record();
  const std::string good = FormatGameRecord(record);
  ASSERT_TRUE(ParseGameRecord(good).Record.has_value());

  std::string other_version = good;
  other_version.replace(other_version.find("version 1"), 9, "version 2");
  std::string flipped = good;
  flipped[flipped.size() / 2] = flipped[flipped.size() / 2] == 'x' ? 'y' : 'x';
  const std::string cut = good.substr(0, good.size() / 3);
  const std::string crlf = [&] {
    std::string t;
    for (const char ch : good) t += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    return t;
  }();

  const struct {
    const char* what;
    std::string text;
    RecordProblem problem;
  } refused[] = {
      {"empty", "", RecordProblem::NotARecord},
      {"another file", "[Options]\nWindowMode=3\n", RecordProblem::NotARecord},
      {"another version", other_version, RecordProblem::OtherVersion},
      {"one byte changed", flipped, RecordProblem::Damaged},
      {"cut short", cut, RecordProblem::Damaged},
      {"line ends changed", crlf, RecordProblem::Damaged},
      {"a card dealt twice", Edited(record, [](GameRecord& r) { r.Rounds[0].Deal[1] = r.Rounds[0].Deal[0]; }),
       RecordProblem::Damaged},
      {"a step out of range", Edited(record, [](GameRecord& r) { r.Rounds[0].Moves.push_back(Move::Card(7, 99)); }),
       RecordProblem::Damaged},
      {"a round without its deal step",
       Edited(record, [](GameRecord& r) { r.Rounds[1].Moves.erase(r.Rounds[1].Moves.begin()); }),
       RecordProblem::Damaged},
      {"a name with a control character", Edited(record, [](GameRecord& r) { r.Names[0] = "P\x01"; }),
       RecordProblem::Damaged},
  };
  for (const auto& c : refused) {
    const RecordRead read = ParseGameRecord(c.text);
    EXPECT_FALSE(read.Record.has_value()) << c.what;
    EXPECT_EQ(read.Problem, c.problem) << c.what << ": " << read.Detail;
  }

  // Sound text, wrong game: the replay refuses a step that does not fit, or scores that do not follow.
  const struct {
    const char* what;
    std::function<void(GameRecord&)> edit;
  } unplayable[] = {
      {"other scores after a round", [](GameRecord& r) { (*r.Rounds[0].Scores)[0] += 10; }},
      {"other final scores", [](GameRecord& r) { r.Scores[2] -= 1; }},
      {"the hands of two seats swapped", [](GameRecord& r) { std::swap(r.Rounds[0].Deal[0], r.Rounds[0].Deal[20]); }},
      {"a step left out", [](GameRecord& r) { r.Rounds[0].Moves.erase(r.Rounds[0].Moves.begin() + 3); }},
      {"a round left out", [](GameRecord& r) { r.Rounds.erase(r.Rounds.begin() + 1); }},
  };
  // A record far longer than any game is not played again with all its pictures.
  GameRecord endless = record;
  for (int steps = 0; steps <= kReplayMaxSteps; steps += 200) {
    RecordedRound round = endless.Rounds.back();
    round.Moves.resize(200, Move::Collect());
    endless.Rounds.push_back(round);
  }
  const ReplayResult too_long = ReplayGameRecord(endless);
  EXPECT_FALSE(too_long.Ok);
  EXPECT_TRUE(too_long.Steps.empty());
  EXPECT_NE(too_long.Problem.find("too long"), std::string::npos) << too_long.Problem;

  for (const auto& c : unplayable) {
    const RecordRead read = ParseGameRecord(Edited(record, c.edit));
    // Refused by the reader already, or by the replay.
    if (!read.Record) {
      EXPECT_EQ(read.Problem, RecordProblem::Damaged) << c.what;
      continue;
    }
    const ReplayResult replay = ReplayGameRecord(*read.Record);
    EXPECT_FALSE(replay.Ok) << c.what;
    EXPECT_FALSE(replay.Problem.empty()) << c.what;
  }
}

}  // namespace
}  // namespace varnok::netsession::testing
