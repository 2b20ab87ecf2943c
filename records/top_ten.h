// What the top-ten window and the end-of-match window show, as plain data:
// texts, word-table rows, picture and sound names, positions and colours.
// The windows draw it; nothing here draws.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "club_file.h"

namespace varnok {

struct RecordColour {
  std::uint8_t R = 0, G = 0, B = 0;
  friend bool operator==(const RecordColour&, const RecordColour&) = default;
};

inline constexpr RecordColour kColourRed{255, 0, 0};
inline constexpr RecordColour kColourGreen{0, 128, 0};
inline constexpr RecordColour kColourBlue{0, 0, 255};
inline constexpr RecordColour kColourNavy{0, 0, 128};
inline constexpr RecordColour kColourMaroon{128, 0, 0};

// --- The top-ten window ("Top Ten", `WordsMain` row 3) -------------------------

inline constexpr int kRowTopTenCaption = 3;  // also the heading of the name column
inline constexpr int kRowScoreHeading = 19;  // "Score"

struct TopTenRow {
  int Place = 0;          // 1..10
  std::string PlaceText;  // "1." .. "10.", drawn right-aligned before the name
  std::string Name;       // drawn at x = 95; empty for a place nobody has taken
  std::string ScoreText;  // positions 21-26, right-aligned at x = 380; empty likewise
  bool Empty = true;
  int Y = 0;              // 150 + 33 (place - 1)
  RecordColour Colour;             // red for places 1 to 3, navy for the others
};

struct TopTenView {
  int Width = 450;       // the picture's width
  int FontUnits = 20;    // the small font at 20 units
  std::string Title;     // bold, centred at y = 85
  int TitleY = 85;
  int HeadingY = 120;    // maroon headings: row 3 between x 70-230, row 19 between 250-400
  RecordColour HeadingColour = kColourMaroon;
  std::array<TopTenRow, kTopTenSize> Rows{};
  std::string TopTenAnimation = "GTopTen";
  std::string ClubAnimation;  // "GClubF" for the local file, "GClubG" for the network one
};

TopTenView MakeTopTenView(const std::vector<TopTenEntry>& entries, ClubKind kind);

// --- The end-of-match window ("The completion of game", `WordsMain` row 49) ---

inline constexpr int kRowEndOfMatchCaption = 49;

// The kind of game whose cycle ended; it names the title of the first place.
enum class FinishedGameKind { Local, Network, OnlineRated };

struct EndOfMatchLine {
  int Row = 0;             // `WordsMain` row of the text
  int Units = 0;           // font size
  bool WithScore = false;  // the cycle score follows the text ("Result: " and the score)
};

struct EndOfMatchView {
  int Place = 0;  // 0, or 1..10 in the top ten
  int Score = 0;  // the cycle score
  std::string Sound;      // "WFiBest", "WFiGood" or "WFiBads"
  std::string Animation;  // "GEndBest", "GEndGood" or "GEndBads"
  bool AnimationRepeats = false;  // only the regrets repeat; the others run once
  std::vector<EndOfMatchLine> Lines;  // top to bottom, centred between x = 50 and 400
  std::string MedalPicture;  // "GMedal" for places 1 to 10, else empty
  std::string PlacePicture;  // "GPlace01" to "GPlace10", else empty
  int LeftX = 50, RightX = 400;
};

EndOfMatchView MakeEndOfMatchView(int place, int cycle_score, FinishedGameKind kind);

}  // namespace varnok
