// The history of played games: every finished game leaves one line in a
// history file, folder "History" in the program's folder, files
// "Varnok_I0001.hst" to "Varnok_I9999.hst" (the club file's name without its
// extension, "_I", four digits), at most 840 records each.
//
// A file is code page 1251 with CR LF line ends:
//   record lines, oldest first, 114 characters: a body of 99 and a check of 15
//   the closing line: "$m}" and "#" up to 99 characters, then its check
//   the total line: three ten-digit sums of the checks
// A line's check is S1 (all 99 body bytes), S2 (positions 2, 4, ..., 98) and
// S3 (positions 3, 6, ..., 99), five digits each. A file that fails its check
// is not shown; the next game keeps it aside as "<file>.damaged" (its records
// are never overwritten), says so once, and writes a new file under its number.
//
// Every write goes through ReplaceFile: a failed write leaves the file as it was.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "club_file.h"
#include "game_state.h"
#include "text_file.h"
#include "top_ten.h"

namespace varnok {

inline constexpr std::string_view kHistoryFolder = "History";
inline constexpr int kHistoryRecordsPerFile = 840;
inline constexpr int kHistoryFileLimit = 9999;
inline constexpr std::size_t kHistoryBodyLength = 99;
inline constexpr std::size_t kHistoryLineLength = 114;
inline constexpr std::size_t kHistoryTotalLength = 30;
inline constexpr std::string_view kCantSaveHistory = "Cann`t save history!";

// `Ac`, the kind of game of a record.
enum HistoryKind : std::uint8_t {
  kHistoryComputer = 0,    // against the computer: "L#########"
  kHistoryRated = 1,       // an online rated game: "A#########"
  kHistoryTournament = 2,  // "T#########"
  kHistoryNetwork = 3,     // a local-network game: "N#########"
};

// The record handed in at the end of a game.
struct HisStr {
  std::string HName;      // the player, or "seat 3/seat 2/seat 1" of a network or tournament game
  std::int32_t HKon = 1;  // games the line stands for
  std::int32_t HRes = 0;  // the result of the game
  double HRei = 0.0;      // the player's rating after the game
  std::uint8_t Ac = kHistoryComputer;

  friend bool operator==(const HisStr&, const HisStr&) = default;
};

// 2 for a tournament game; else 1 while the account state is 3 (rated play);
// else 3 for a local-network game and 0 against the computer.
std::uint8_t HistoryKindOf(bool tournament, int account_state, bool network);

// The names of seats 3, 2 and 1 without their filling blanks, joined by "/".
std::string HistoryPlayers(const PerSeat<std::string>& names);

// The record of a finished game: one game, seat 3's general count, the rating
// after the game; the player's name, or the three seats in a network or
// tournament game.
HisStr HistoryRecordOf(const GameState& state, const TableMode& mode, int account_state,
                       std::string_view player_name, double rating_after);

// --- Lines ---------------------------------------------------------------------

// When a record is written: "hh:nn" and the date in the system's short format.
struct HistoryStamp {
  std::string Time;
  std::string Date;
};
using HistoryClock = std::function<HistoryStamp()>;
using DateFormatter = std::function<std::string(std::time_t)>;

// A time in the system's short date format (strftime's "%x" in the current locale).
std::string ShortDate(std::time_t when);
// Now, in local time.
HistoryStamp LocalHistoryStamp();

// Positions 80-89 before padding: 12.3 gives "12,30", 0.07 "0,07", -1.5 "-1,50", 0 "0,00".
std::string HistoryRatingText(double rating);

// The 99 characters of a record's body. Texts that do not fit are cut;
// numbers that do not fit are held at the largest their field shows.
std::string HistoryBody(const HisStr& record, const HistoryStamp& stamp);
// The 15 check characters of the first 99 characters of a line.
std::string HistoryLineCheck(std::string_view body);
// The closing line with its check.
std::string HistoryClosingLine();
// The total line over record lines and the closing line, from their stored checks.
std::string HistoryTotalLine(const std::vector<std::string>& lines);

// --- Files -----------------------------------------------------------------------

// "<club file's name without extension>_I<nnnn>.hst" in the folder "History".
std::filesystem::path HistoryFilePath(const std::filesystem::path& program_folder, std::string_view club_file, int n);

enum class HistoryFileStatus {
  Valid,
  Missing,     // no such file: a new one may take its number
  Unreadable,  // there, but it cannot be read: never listed, never replaced
  Invalid,     // it fails its check: not listed; the next game keeps it aside and takes its number
};

struct HistoryFileCheck {
  HistoryFileStatus Status = HistoryFileStatus::Missing;
  int Records = 0;       // record lines of a valid file
  std::string FileDate;  // the last-write date of a valid file, short format
  std::vector<std::string> RecordLines;  // the record lines of a valid file

  bool Valid() const { return Status == HistoryFileStatus::Valid; }
};

// The check of a file's contents (no date): every line up to the closing
// line longer than 113 characters with a stored check that matches its body,
// then a total line whose three numbers are the sums over those lines.
HistoryFileCheck CheckHistoryBytes(std::string_view bytes);

// An empty `date` leaves FileDate empty (the file's time is then not read).
HistoryFileCheck CheckHistoryFile(const std::filesystem::path& path, const DateFormatter& date = ShortDate);
// File n (1..9999) of the history beside the club file `club_file`.
HistoryFileCheck CheckHistoryFile(const std::filesystem::path& program_folder, std::string_view club_file, int n,
                                  const DateFormatter& date = ShortDate);

enum class HistoryWrite {
  Written,
  NothingToWrite,  // no records
  Failed,          // "Cann`t save history!": the file is as it was
};

struct HistoryWriteResult {
  HistoryWrite Status = HistoryWrite::NothingToWrite;
  int FileNumber = 0;     // the file written, 1..9999
  // kCantSaveHistory when the history could not be saved; the files kept
  // aside (HistoryDamagedNotice), one line each.
  std::string Message;
  std::vector<std::filesystem::path> SetAside;  // damaged files kept aside by this write
};

// The line that says a damaged history file was kept aside.
std::string HistoryDamagedNotice(const std::filesystem::path& file, const std::filesystem::path& kept_as);

struct HistoryOptions {
  HistoryClock Now = LocalHistoryStamp;
  FileWriter Write = WriteFileBytes;
};

// Appends the records to the first file that is missing (a new file) or
// holds fewer than 840 records; a file that fails its check on the way is
// first kept aside under a new name (never replaced) and its number is taken
// for a new file. A file that cannot be read, or be moved aside, is passed over.
HistoryWriteResult WriteHistory(const std::filesystem::path& program_folder, std::string_view club_file,
                                const std::vector<HisStr>& records, const HistoryOptions& options = {});

// --- The history window ("History of games", `WordsMain` row 401) ---------------

inline constexpr int kRowHistoryCaption = 401;
inline constexpr std::string_view kNoHistoryFiles = "No History Files";

struct HistoryListItem {
  int Number = 0;    // 1..9999
  std::string Text;  // "File I0001 " and the file date
};

struct HistoryListView {
  std::vector<HistoryListItem> Items;  // every valid file, by number
  std::vector<std::string> Unreadable;  // the names of the files that could not be read, or were kept aside
  bool Enabled = false;                // false, with the text "No History Files", when none is valid
  int Width = 180;                     // 180 for at most 16 items, else 193
  int FontUnits = 10;                  // special font 1
};

HistoryListView ListHistoryFiles(const std::filesystem::path& program_folder, std::string_view club_file,
                                 const DateFormatter& date = ShortDate);

// The file to show: the newest valid one at the first opening (previous 0),
// later the one chosen before, or the newest valid one when that is lower.
int ChooseHistoryFile(int previous, int newest_valid);

enum class HistoryWordTable { WordsMain, WordsGames };

struct HistoryColumn {
  HistoryWordTable Table;
  int Row;
  int Width;
  bool LeftAligned;  // the player column; the others are centred
};

// "Time", "Date", "Player", "Games", "Result", "Rating", "Type".
inline constexpr std::array<HistoryColumn, 7> kHistoryColumns = {{
    {HistoryWordTable::WordsMain, 402, 45, false},
    {HistoryWordTable::WordsMain, 403, 65, false},
    {HistoryWordTable::WordsMain, 404, 210, true},
    {HistoryWordTable::WordsGames, 0, 45, false},
    {HistoryWordTable::WordsGames, 1, 55, false},
    {HistoryWordTable::WordsGames, 2, 55, false},
    {HistoryWordTable::WordsGames, 3, 80, false},
}};

enum class HistoryRowType { Local, Net, Account, Tourney };

struct HistoryRow {
  std::array<std::string, 7> Cells;  // positions 1-5, 6-15, 16-66, 67-69, 70-79, 80-89 as stored, and the type
  HistoryRowType Type = HistoryRowType::Local;
  bool WindowTextColour = true;  // "Local" rows take the window's text colour
  RecordColour Colour;                    // green for "Net", red for "Account", blue for "Tourney"
};

// The type text of a row: "Local", "Net", "Account", "Tourney".
std::string HistoryTypeText(HistoryRowType type);

// The rows of a record line.
HistoryRow HistoryRowOf(std::string_view record_line);
// The rows of a file; nothing when it is not valid.
std::optional<std::vector<HistoryRow>> ReadHistoryRows(const std::filesystem::path& path);

}  // namespace varnok
