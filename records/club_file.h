// The club files beside the program: "Varnok.clb" for games against the
// computer and "Varnok.net" for network games. Each is 17 lines of code page
// 1251 ended by CR LF:
//
//   lines 1-5    five member lines of 59 characters, best rating first; an
//                empty slot is "#" x 37, a blank, "#" x 21
//   lines 6-15   the top ten of cycle scores, 26 characters: name (20) and
//                score (6, right-aligned)
//   line 16      28 characters starting with "m}" (the game code 9 plus 100,
//                then "}"); the rest is installed and kept
//   line 17      28 characters: 1-10 installed and kept, 11-28 the check of
//                lines 1-16 (three sums of six digits)
//
// Member line: name 1-20, rating 21-30 (six decimals, "," as the mark),
// games 31-37, a blank, cycle score 39-44, password code 45-59 (five groups of
// three digits: the character's code plus 234).
//
// A file that fails its layout or its check is refused as a whole and never
// rewritten. Every write goes through ReplaceFile, so a failed write leaves
// the previous file byte for byte. Texts are UTF-8 in memory.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_file.h"

namespace varnok {

inline constexpr std::string_view kClubFile = "Varnok.clb";
inline constexpr std::string_view kNetClubFile = "Varnok.net";

inline constexpr int kClubLineCount = 17;
inline constexpr int kClubMembers = 5;
inline constexpr int kTopTenSize = 10;
inline constexpr std::size_t kMemberLineLength = 59;
inline constexpr std::size_t kTopTenLineLength = 26;
inline constexpr std::size_t kClubTailLineLength = 28;
inline constexpr std::size_t kClubNameLength = 20;
inline constexpr std::size_t kPasswordLength = 5;
inline constexpr int kClubGameCode = 9;  // this game's number; line 16 starts with its code plus 100
inline constexpr double kRatingLimit = 99.99;

// Characters 7-9 of line 17 name the distribution. The maker's own copies
// carry the reserved label: they neither count the launch nor write the
// settings file at start-up. Files made by varnok-club carry the public one.
inline constexpr std::string_view kReservedLabel = "ZUB";
inline constexpr std::string_view kPublicLabel = "PUB";

// Word-table rows (`WordsMain`) of the club files' messages.
inline constexpr int kRowAttributesBefore = 90;  // "The file " and a double-quote mark
inline constexpr int kRowAttributesAfter = 91;   // "\" has incorrect attributes!" ...
inline constexpr int kRowIncorrectFile = 92;     // "The incorrect file"
inline constexpr int kRowCantFindFile = 93;      // "Can`t find the file"
inline constexpr int kRowDiskWriteError = 97;    // "Error of disk writing!"

// The English texts of those rows, for tools and logs that have no word tables.
std::string EnglishClubText(int row);

// The lines of a club file as bytes, line 1 at index 0.
using ClubLines = std::array<std::string, kClubLineCount>;

// Which of the two files: the title of the top-ten window and its pictures
// depend on it.
enum class ClubKind { Local, Network };
ClubKind KindOfClubFile(const std::filesystem::path& path);

struct ClubMember {
  bool Empty = true;      // the slot holds nobody
  std::string Name;       // without the filling blanks
  double Rating = 0.0;    // within -99.99..99.99
  int Games = 0;          // games played
  int CycleScore = 0;     // score of the current cycle of 25 games
  std::string Password;   // as stored: padded with blanks to five characters

  friend bool operator==(const ClubMember&, const ClubMember&) = default;
};

struct TopTenEntry {
  bool Empty = true;  // a place nobody has taken yet: any score reaches it
  std::string Name;   // without the filling blanks
  int Score = 0;
  std::string ScoreText;  // positions 21-26 as stored

  friend bool operator==(const TopTenEntry&, const TopTenEntry&) = default;
};

// --- Fields -----------------------------------------------------------------

// The rating as stored: six decimals, "," as the decimal mark, right-aligned in
// ten characters ("  0,000000", " 12,345679", " -0,250000"). Values beyond the
// limits, and values that are no numbers, are held at the limits (0 for NaN).
std::string FormatRating(double rating);

// Positions 21-30 read as a decimal number: the first character that is not a
// digit, a blank or "-" is the decimal mark. A field starting with "#" is 0;
// nothing when the field holds no number.
std::optional<double> ParseRating(std::string_view field);

// Five groups of three digits for the password, padded with blanks to five
// characters (longer passwords are cut, characters the code page lacks become "?").
std::string EncodePassword(std::string_view password);
// The password of a code; a group that is no code of a character becomes "?".
std::string DecodePassword(std::string_view code);
// Whether a typed password, padded with blanks to five characters, is the member's.
bool PasswordMatches(const ClubMember& member, std::string_view typed);

std::string EmptyMemberLine();
std::string EmptyTopTenLine();

// The 59 characters of a member (an empty member gives the empty slot). Numbers
// that do not fit their fields are held at the largest that fit.
std::string FormatMemberLine(const ClubMember& member);
// The fields of a member line; a field that holds no number reads as 0.
ClubMember ParseMemberLine(std::string_view line);
bool IsEmptySlot(std::string_view member_line);  // position 37 is "#"

std::string FormatTopTenLine(std::string_view name, int score);
TopTenEntry ParseTopTenLine(std::string_view line);

// --- The rating rule ----------------------------------------------------------

// (games_before x rating_before + score / 50) / games_after, to six decimals
// (nearest) and held within -99.99..99.99.
double RatingAfterGame(int games_before, double rating_before, int score, int games_after);

// The member after one more game with `score`: one game more, the new rating,
// the score added to the cycle score.
ClubMember MemberAfterGame(const ClubMember& before, int score);

// Whether the member's number of games closes a cycle of 25.
bool CycleEnded(const ClubMember& member);

// --- The whole file -------------------------------------------------------------

// The 18 check characters of lines 1-16: C1, C2, C3 as six digits each.
std::string ClubCheckSum(const ClubLines& lines);
// Puts the check of lines 1-16 into line 17, positions 11-28.
void SealClubLines(ClubLines& lines);

// The lines of a text that has the club layout (17 lines of 59, 26, 28
// characters) with line 16 starting "m}" and a matching check; nothing otherwise.
std::optional<ClubLines> ParseClubFile(std::string_view bytes);
std::string FormatClubFile(const ClubLines& lines);

// A club with nobody in it and an empty top ten, sealed.
ClubLines EmptyClubLines();

// The first line (6-15, as index 5-14) whose score `score` reaches or passes,
// as a place 1-10; 0 when it reaches none.
int TopTenPlaceFor(const ClubLines& lines, int score);

// Line edits in memory; the check is left to SealClubLines.
// Removes member k (1..5): the lines below move up and slot 5 becomes empty.
void RemoveMemberLine(ClubLines& lines, int k);
// Enters a cycle score under a name into the top ten; the place 1-10, or 0.
int EnterTopTen(ClubLines& lines, std::string_view name_field, int score);
// Puts a member line into the first slot that is empty or whose rating the
// new rating reaches or passes; false when it finds none.
bool InsertMemberLine(ClubLines& lines, const std::string& member_line);

// --- Files ------------------------------------------------------------------------

// The protective attributes of a file.
struct FileAttributes {
  bool ReadOnly = false;
  bool Hidden = false;
  bool System = false;

  bool Protective() const { return ReadOnly || Hidden || System; }
};
using AttributeProbe = std::function<FileAttributes(const std::filesystem::path&)>;

// The attributes as the system keeps them: read-only when the owner may not
// write the file or this process may not; hidden when its name starts with ".".
FileAttributes SystemFileAttributes(const std::filesystem::path& path);

enum class ClubCheckStatus {
  Valid,
  Missing,    // "Can`t find the file": the program closes
  Incorrect,  // "The incorrect file": the program closes
};

struct ClubCheck {
  ClubCheckStatus Status = ClubCheckStatus::Missing;
  // A valid file marked read-only, hidden or system: the player is told, the
  // program goes on, and no club file is written in this run.
  bool ProtectiveAttributes = false;
  // The word-table rows of the message to show, with the error sign: {93},
  // {92}, {90, 91} (around the path) or none.
  std::vector<int> MessageRows;
  std::string Line17Head;  // characters 1-10 of line 17 of a valid file

  bool StopsProgram() const { return Status != ClubCheckStatus::Valid; }
  bool Writable() const { return Status == ClubCheckStatus::Valid && !ProtectiveAttributes; }
};

// The start-up check of one club file.
ClubCheck CheckClubFile(const std::filesystem::path& path, const AttributeProbe& attributes = SystemFileAttributes);

// The message of a check, built from the texts of its rows: for a missing or
// incorrect file the row, a blank, the path in double quotes and "!"; for the
// attributes row 90, the path and row 91. Empty when there is nothing to say.
using ClubTexts = std::function<std::string(int row)>;
std::string ClubCheckMessage(const ClubCheck& check, const std::filesystem::path& path,
                             const ClubTexts& text = EnglishClubText);

// The lines of a valid club file; nothing when it is missing, unreadable or fails its check.
std::optional<ClubLines> LoadClubFile(const std::filesystem::path& path);

// Writes a club file safely (sealed first); false when it could not be written,
// in which case the previous file is unchanged.
bool SaveClubFile(const std::filesystem::path& path, ClubLines lines, const FileWriter& write = WriteFileBytes);

// Line k (1..5) of a club file, split into its fields; nothing when the file
// cannot be read or k is no slot.
std::optional<ClubMember> ReadMember(const std::filesystem::path& path, int k);
std::vector<ClubMember> ReadMembers(const std::filesystem::path& path);    // five, or none
std::vector<TopTenEntry> ReadTopTen(const std::filesystem::path& path);    // ten, or none

enum class ClubUpdate {
  Written,      // the file holds the change
  NoChange,     // nothing to do (a slot outside the club); the file is untouched
  Skipped,      // club files are not written in this run (protective attributes)
  Unreadable,   // the file is missing or fails its check now: left as it is
  WriteFailed,  // "Error of disk writing!": the file keeps its previous bytes
};

struct ClubUpdateResult {
  ClubUpdate Update = ClubUpdate::NoChange;
  int Place = 0;         // the place in the top ten when a cycle ended (1-10), else 0
  bool Stored = false;   // the member has a slot in the file
  int MessageRow = -1;   // kRowDiskWriteError when the write failed

  friend bool operator==(const ClubUpdateResult&, const ClubUpdateResult&) = default;
};

struct ClubWriteOptions {
  bool Writable = true;  // false: compute everything, write nothing
  FileWriter Write = WriteFileBytes;
};

// Drops member k from the file. Slots other than 1..5 (a guest or new
// player, an online account, a tournament seat) leave the file unchanged.
ClubUpdateResult RemoveMember(const std::filesystem::path& path, int k, const ClubWriteOptions& options = {});

// The top-ten update (when a cycle ended) and the sorted insertion of the
// member, in one write. After a cycle the member's cycle score starts at 0.
ClubUpdateResult StoreMember(const std::filesystem::path& path, const ClubMember& member, bool cycle_ended,
                             const ClubWriteOptions& options = {});

// The end of a local or network game for the player of `slot` (1..5 a member,
// 6 a new player or guest): the old line goes, the member after the game is
// stored with the top-ten update when the cycle ended, all in one write, so a
// failure never leaves the member out of the file. `before` is the member as
// read when the game started (for slot 6 the new player's name and password
// with no games); an empty member stores nothing.
ClubUpdateResult FinishClubGame(const std::filesystem::path& path, int slot, const ClubMember& before, int score,
                                const ClubWriteOptions& options = {});

// The two club files of a run: which one is in use, and whether this run may
// write them.
class ClubFiles {
 public:
  explicit ClubFiles(std::filesystem::path folder, AttributeProbe attributes = SystemFileAttributes,
                     FileWriter write = WriteFileBytes);

  struct Startup {
    bool Stop = false;             // a file is missing or incorrect: the program closes
    std::vector<std::string> Messages;  // to show, in order, with the error sign
    bool RussianLanguage = false;  // character 1 of line 17 of "Varnok.clb" is "1"
    std::string DistributionLabel; // characters 7-9 of line 17 of the file examined last

    bool ReservedLabel() const { return DistributionLabel == kReservedLabel; }
  };
  // Checks "Varnok.clb", then "Varnok.net"; the first that fails ends the check.
  Startup CheckAtStart(const ClubTexts& text = EnglishClubText);

  bool Writable() const { return writable_; }
  void SetNetworkMode(bool on) { network_ = on; }
  bool NetworkMode() const { return network_; }
  std::filesystem::path CurrentPath() const;
  ClubKind CurrentKind() const { return network_ ? ClubKind::Network : ClubKind::Local; }

  std::optional<ClubMember> ReadMember(int k) const;
  std::vector<ClubMember> ReadMembers() const;
  std::vector<TopTenEntry> ReadTopTen() const;
  ClubUpdateResult RemoveMember(int slot) const;
  ClubUpdateResult StoreMember(const ClubMember& member, bool cycle_ended) const;
  ClubUpdateResult FinishGame(int slot, const ClubMember& before, int score) const;

 private:
  ClubWriteOptions Options() const { return {writable_, write_}; }

  std::filesystem::path folder_;
  AttributeProbe attributes_;
  FileWriter write_;
  bool network_ = false;
  bool writable_ = true;
};

}  // namespace varnok
