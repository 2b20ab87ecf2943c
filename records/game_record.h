// Game records: the text of a game so far, to be saved, replayed step by
// step and dealt again. A record holds every round's deal as this copy saw
// it, every step in its one-line text form, the scores, the names and the
// date. UTF-8, LF line ends:
//
//   Varnok game record          what the file is
//   version 1                   the layout's version; another one is refused
//   date 2026-12-11 09:30
//   name 1 PC                   the names of seats 1..3 (seat 3 is this copy's player)
//   table local                 or "table lan <position 1..3> <people 2|3>"
//   rules keep100 0             the rule option of the game
//   profile <game> <score>      the player's game number and score
//   start <round> <s1> <s2> <s3>
//   round <n>                   then, for every round:
//   deal <24 cards>             seat 1's seven, seat 2's, seat 3's, the widow ("9h", "10s", "Ad")
//   move <step>                 every step from the deal on ("next", "bid 1", "card 3 5")
//   scores <s1> <s2> <s3>       after the round was scored
//   end <s1> <s2> <s3>          the scores when the record was written
//   check <16 hex digits>       FNV-1a of every byte before this line
//
// The reader refuses a damaged text (a wrong check, an unknown line, a step
// that does not fit the game) with a reason, and never trusts a number it
// has not checked.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game_state.h"
#include "move.h"
#include "shuffle.h"

namespace varnok {

inline constexpr int kGameRecordVersion = 1;
inline constexpr std::string_view kGameRecordHead = "Varnok game record";
// The records of games played here: a folder beside the history files.
inline constexpr std::string_view kGameRecordFolder = "Records";
inline constexpr std::size_t kGameRecordMaxBytes = 4 * 1024 * 1024;
inline constexpr int kGameRecordMaxRounds = 300;
inline constexpr int kGameRecordMaxMoves = 200;  // in one round (a round takes about 60)
inline constexpr std::size_t kGameRecordMaxName = 64;

struct RecordedRound {
  int Number = 1;
  DeckOrder Deal{};          // card ordinals: seats 1, 2, 3 (7 each), the widow (3)
  std::vector<Move> Moves;   // from the deal step ("new" or "next") on
  std::optional<std::array<int, 3>> Scores;  // after the round was scored
  friend bool operator==(const RecordedRound&, const RecordedRound&) = default;
};

struct GameRecord {
  std::string Date;                     // "yyyy-mm-dd hh:mm"
  std::array<std::string, 3> Names{};   // seats 1..3
  int NetPos = 0;                       // 0 against the computer; 1..3 the position in a network game
  int People = 3;                       // people of a network game (2: the server plays the third seat)
  bool KeepAfter100 = false;
  int KonNo = 1;
  int ProfileScore = 0;
  int StartRound = 1;
  std::array<int, 3> StartScores{kStartScore, kStartScore, kStartScore};
  std::vector<RecordedRound> Rounds;
  std::array<int, 3> Scores{kStartScore, kStartScore, kStartScore};
  friend bool operator==(const GameRecord&, const GameRecord&) = default;
};

enum class RecordProblem { None, NotARecord, OtherVersion, Damaged, TooLarge, Unreadable };

struct RecordRead {
  std::optional<GameRecord> Record;
  RecordProblem Problem = RecordProblem::None;
  std::string Detail;  // the line or the step that was refused, for the log
};

std::string FormatGameRecord(const GameRecord& record);
// The last line of a record whose other lines are `body`: "check " and the body's digest.
std::string RecordCheckLine(std::string_view body);
// Reads a record's text; never throws, whatever the bytes.
RecordRead ParseGameRecord(std::string_view text);

// Written through a temporary file beside `path`, renamed over it.
bool SaveGameRecord(const std::filesystem::path& path, const GameRecord& record);
RecordRead LoadGameRecord(const std::filesystem::path& path);

// The folder of the records of games played here: "History/Records".
std::filesystem::path GameRecordFolder(const std::filesystem::path& program_folder);
// The record of the game a history line stands for, named by the line's body.
std::filesystem::path GameRecordPathFor(const std::filesystem::path& program_folder, std::string_view history_body);

// The deal of a round as a deck order for a new game against the computer:
// seat s gets the same seven cards, the widow is the same.
DeckOrder DealAgainDeck(const RecordedRound& round);

// Builds a record while a game is played: it hears every step with the state
// after it.
class GameRecorder {
 public:
  // `date` stamps a game that begins.
  void Observe(const Move& move, const GameState& state, const TableMode& mode, const EngineOptions& options,
               const std::string& date);
  void Clear() { record_.reset(); }
  bool HasGame() const { return record_.has_value() && !record_->Rounds.empty(); }
  // The game so far (its scores as they stand).
  std::optional<GameRecord> Record() const { return record_; }

 private:
  std::optional<GameRecord> record_;
};

// "yyyy-mm-dd hh:mm" of now in local time.
std::string RecordDateNow();

}  // namespace varnok
