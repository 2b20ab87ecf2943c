// What the score information window shows, as plain data: the seven texts of
// `TCount`, the emblems of the kind of game and where everything stands in
// each of the window's four designs. Nothing here draws.
#pragma once

#include <array>
#include <string>

#include "game_state.h"

namespace varnok {

// The seven texts the score window shows, as they stand.
struct TCount {
  std::string Count_KonAll;  // "General number of game:"
  std::string Count_KonCur;  // "Number of round in a current cycle:"
  std::string Count_ScoBeg;  // "The initial score:"
  std::string Count_ScoCur;  // "The current score:"
  std::string Count_ScoAll;  // "The general score:"
  std::string Count_ReiBeg;  // "The initial rating:"
  std::string Count_ReiCur;  // "The current rating:"

  friend bool operator==(const TCount&, const TCount&) = default;
};

// The games of a club cycle.
inline constexpr int kCountCycle = 25;

// What FillCount needs besides the game's numbers: the account state (1 a
// club profile or guest, 2 signed in but playing locally, 3 a game for the
// online rating), the profile's number of games before this game (for the
// club rating rule) and, in a rated online game, the account's rating.
struct CountContext {
  int AccountState = 1;
  int GamesBefore = 0;
  double AccountRating = 0.0;
};

// The record of a game outside a tournament. konNo: the game's number;
// konL1: the account's game counter plus one (rated games); cycle: 25;
// rating: the profile's rating before the game; count: seat 3's general
// count; profileScore: the score before the game.
TCount FillCount(int konNo, int konL1, int cycle, double rating, int count, int profileScore,
                 const CountContext& context = {});

// The record of a tournament game ("General score" only): the game's number,
// "-" as the game in the cycle, the tournament score before the game, seat
// 3's count, their sum, the tournament rating and "?".
TCount FillTournamentCount(int konNo, int tournamentScore, int count, int tournamentRating);

// A rating with two decimals and "," as the mark, padded on the left with
// blanks to at least six characters: 12.3 " 12,30", 0.07 "  0,07",
// -1.5 " -1,50", 0 and -0.004 "  0,00".
std::string RatingTwoDecimals(double rating);

// The game number within its cycle: 25 for game 25 or 50, 1 for game 26.
int GameInCycle(int konNo, int cycle);

// --- The look ---------------------------------------------------------------

// The kind of game, which chooses the two emblems under the rows.
enum class ScoreGameKind { Club, Rated, Network, Tournament };

struct ScoreEmblems {
  std::string Left;   // "GClubC" ...
  std::string Right;  // empty when there is none
};
// "GClub" pictures for the gray designs, "Gif" ones for the purple design.
ScoreEmblems EmblemsFor(ScoreGameKind kind, bool purple);

// The lamp beside the account picture: "LampR24", "LampY24", "LampG24".
std::string LampFor(int account_state);

// The four designs of the window.
enum class ScoreDesign { GrayConcise = 1, GrayAristocratic = 2, GrayRibbons = 3, Purple = 4 };
// The design the settings ask for; a design number outside 1..3 is taken as 2.
ScoreDesign ScoreDesignOf(bool purple_windows, int aux_window_design);

struct ScoreLayout {
  ScoreDesign Design = ScoreDesign::GrayConcise;
  int Width = 325;
  int Height = 510;     // client height
  int HeaderHeight = 100;
  int HeadingX = 10, HeadingY = 120;
  int LabelX = 63;
  int ValueX = 200;
  std::array<int, 7> LabelY{};
  std::array<int, 7> ValueY{};
  int TopAnimationX = 112, TopAnimationY = 330;  // "GGenCount", 100 x 90
  int EmblemY = 350;
  std::array<int, 2> EmblemX{50, 215};
  int EmblemWidth = 60, EmblemHeight = 75;
  int OkY = 475, OkHeight = 30;
  int AccountX = 23, AccountY = 0;  // "Account48" in the header
};

ScoreLayout ScoreLayoutFor(ScoreDesign design);

// --- From the table's state ---------------------------------------------------

// What the table knows besides the game: the profile before the game, the
// online account and, at a tournament table, the user's tournament record.
struct ScoreSource {
  double ProfileRating = 0.0;  // the profile's rating before the game
  int ProfileGames = 0;        // the profile's number of games before the game
  int AccountState = 1;        // 1..3
  int AccountKonL = 0;         // the rated record's game counter (`TZubGame.KonL`)
  double AccountRating = 0.0;  // the rated record's rating (`TZubGame.Rating`)
  int TournamentScore = 0;     // `TZubClient.Score`
  int TournamentRating = 0;    // `TZubClient.Rating`
};

// Seat 3's general count: `HumanResult` once the game is over, else the
// count of the scores as they stand.
int PlayerCount(const GameState& state);

// The record for the window at this moment: the tournament rule at a
// tournament table, FillCount with a cycle of 25 otherwise.
TCount CountOfGame(const GameState& state, const TableMode& mode, const ScoreSource& source);

// The kind of game that chooses the emblems.
ScoreGameKind ScoreGameKindOf(const TableMode& mode, int account_state);

}  // namespace varnok
