// The club list of the menu screen: the header and the five member rows, made
// from the first lines of the club file in use ("Varnok.clb", or "Varnok.net"
// in network mode). Two views: view 1 shows the games of the current cycle and
// the cycle score, view 2 the games played and the rating.
//
//   view 1:  name (20), 4 blanks, games mod 25 (3), 4 blanks, cycle score (6)
//   view 2:  name (20), 2 blanks, games (7), 2 blanks, rating (6)
//
// An empty slot shows its "#" fields ("###" for the games of the cycle,
// "######" for the rating). A row as wide as 361 pixels or wider in special
// font 1 at height 11 is shortened inside the name.
#pragma once

#include <QString>
#include <array>
#include <functional>

namespace varnok {

// The width a row must stay below, in pixels of special font 1 at height 11.
inline constexpr int kClubRowWidthLimit = 361;
// Where the shortening starts (the last character of the name) and the
// position it never goes below.
inline constexpr int kClubRowCutFrom = 20;
inline constexpr int kClubRowCutStop = 4;

// The header of a view: `WordsMain` row 7 (" The members of club    Games
// Score ") in view 1, row 8 (... "Rating ") in view 2, in `language`. Any view
// other than 2 is view 1.
QString ClubHeaderText(int view, int language);

// Whether a member line is an empty slot: its character 30 (the end of the
// rating field) is "#". A line too short to hold it counts as empty.
bool ClubSlotEmpty(const QString& memberLine);

// The rating text of a member line: six "#" for an empty slot, otherwise the
// rating of characters 21 to 30 rounded to two decimals (halves to even) with
// a comma, right-aligned in six characters. A field that holds no number
// shows as 0,00.
QString ClubRatingText(const QString& memberLine);

// The games of the current cycle: the games (characters 31 to 37) mod 25,
// right-aligned in three characters; "###" for an empty slot or a field that
// holds no number.
QString ClubCycleGamesText(const QString& memberLine);

// The row of a member line in a view (any view other than 2 is view 1),
// before fitting. A line shorter than 59 characters is read as if padded with
// blanks.
QString ClubRowText(int view, const QString& memberLine);

// The width of a text in pixels.
using TextMeasure = std::function<int(const QString&)>;

// The measure of the club list: special font 1 at height 11.
TextMeasure ClubListMeasure();

// Shortens a row that is kClubRowWidthLimit pixels wide or wider: characters
// are deleted from position 20 backwards (inside the name), one at a time,
// until the row is narrower or position 4 is reached. When a deleted
// character was neither a blank nor "#", the three characters before the cut
// become "...". A row narrow enough comes back unchanged.
QString FitClubRow(const QString& row, const TextMeasure& width);

// The whole list of a view.
struct ClubList {
  QString header;
  std::array<QString, 5> rows;
  std::array<bool, 5> empty{};  // the slot holds nobody: its button opens nothing
  bool readable = false;        // the club file could be read (otherwise five empty slots)
};

// Reads the first lines of the club file at `path` (code page 1251) and
// makes the list. A file that is missing or fails its check gives five empty
// slots (logged), never a failure.
ClubList ReadClubList(int view, const QString& path, int language, const TextMeasure& width = ClubListMeasure());

}  // namespace varnok
