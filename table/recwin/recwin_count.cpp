#include "recwin_count.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "club_file.h"
#include "history_file.h"

namespace varnok {

namespace {

std::string Decimal(long long value) { return std::to_string(value); }

std::string PadLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// The whole number nearest to a real, halves to the even neighbour; NaN is 0
// and values beyond 32 bits are held at the limits.
long long RoundEven(double value) {
  if (std::isnan(value)) return 0;
  const double held = std::clamp(value, -2147483648.0, 2147483647.0);
  return static_cast<long long>(std::nearbyint(held));
}

}  // namespace

int GameInCycle(int konNo, int cycle) {
  if (cycle <= 0) return konNo;
  const int rest = konNo % cycle;
  if (rest == 0) return cycle;
  return rest < 0 ? rest + cycle : rest;
}

std::string RatingTwoDecimals(double rating) {
  // Two decimals with "," and the sign rule of the history files ("0,00"
  // without a sign for anything that rounds to 0).
  return PadLeft(HistoryRatingText(rating), 6);
}

TCount FillCount(int konNo, int konL1, int cycle, double rating, int count, int profileScore,
                 const CountContext& context) {
  TCount record;
  const bool rated = context.AccountState == 3;
  record.Count_KonAll = Decimal(konNo);
  record.Count_KonCur = Decimal(rated ? konL1 : GameInCycle(konNo, cycle));
  record.Count_ScoBeg = Decimal(profileScore);
  record.Count_ScoCur = Decimal(count);
  // A sum in 64 bits: two large scores never wrap into a wrong sign.
  record.Count_ScoAll = Decimal(static_cast<long long>(profileScore) + count);
  if (rated) {
    record.Count_ReiBeg = Decimal(RoundEven(context.AccountRating));
    record.Count_ReiCur = "?";
  } else {
    record.Count_ReiBeg = RatingTwoDecimals(rating);
    // The club rule; a game number of 0 or less leaves the rating as it was.
    record.Count_ReiCur = RatingTwoDecimals(RatingAfterGame(context.GamesBefore, rating, count, konNo));
  }
  return record;
}

TCount FillTournamentCount(int konNo, int tournamentScore, int count, int tournamentRating) {
  TCount record;
  record.Count_KonAll = Decimal(konNo);
  record.Count_KonCur = "-";
  record.Count_ScoBeg = Decimal(tournamentScore);
  record.Count_ScoCur = Decimal(count);
  record.Count_ScoAll = Decimal(static_cast<long long>(tournamentScore) + count);
  record.Count_ReiBeg = Decimal(tournamentRating);
  record.Count_ReiCur = "?";
  return record;
}

ScoreEmblems EmblemsFor(ScoreGameKind kind, bool purple) {
  const std::string prefix = purple ? "Gif" : "GClub";
  switch (kind) {
    case ScoreGameKind::Tournament: return {prefix + "E", {}};
    case ScoreGameKind::Network: return {prefix + "G", {}};
    case ScoreGameKind::Rated: return {prefix + "A", prefix + "B"};
    case ScoreGameKind::Club: break;
  }
  return {prefix + "C", prefix + "F"};
}

std::string LampFor(int account_state) {
  switch (account_state) {
    case 3: return "LampG24";
    case 2: return "LampY24";
    default: return "LampR24";
  }
}

ScoreDesign ScoreDesignOf(bool purple_windows, int aux_window_design) {
  if (purple_windows) return ScoreDesign::Purple;
  if (aux_window_design == 1) return ScoreDesign::GrayConcise;
  if (aux_window_design == 3) return ScoreDesign::GrayRibbons;
  return ScoreDesign::GrayAristocratic;
}

ScoreLayout ScoreLayoutFor(ScoreDesign design) {
  ScoreLayout layout;
  layout.Design = design;
  if (design == ScoreDesign::Purple) {
    layout.Height = 500;
    layout.HeaderHeight = 0;
    layout.HeadingX = 5;
    layout.HeadingY = 120;
    layout.LabelX = 55;
    layout.LabelY = {158, 180, 219, 248, 279, 309, 339};
    layout.ValueY = {155, 185, 215, 245, 275, 305, 335};
    layout.TopAnimationX = 115;
    layout.TopAnimationY = 368;
    layout.EmblemY = 380;
    layout.EmblemX = {10, 245};
    layout.EmblemWidth = layout.EmblemHeight = 70;
    layout.OkY = 462;
    layout.AccountX = 245;
    layout.AccountY = 8;
    return layout;
  }
  layout.LabelY = {155, 180, 220, 245, 270, 295, 320};
  layout.ValueY = {152, 181, 217, 242, 267, 292, 317};
  int shift = 0;
  switch (design) {
    case ScoreDesign::GrayAristocratic:
      shift = 15, layout.HeaderHeight = 64, layout.AccountX = 25, layout.AccountY = 7;
      break;
    case ScoreDesign::GrayRibbons:
      shift = 50, layout.HeaderHeight = 100, layout.AccountX = 0, layout.AccountY = 25;
      break;
    default: break;
  }
  layout.Height += shift;
  layout.HeadingY += shift;
  for (int& y : layout.LabelY) y += shift;
  for (int& y : layout.ValueY) y += shift;
  layout.TopAnimationY += shift;
  layout.EmblemY += shift;
  layout.OkY += shift;
  return layout;
}

int PlayerCount(const GameState& state) {
  if (state.GameOver) return state.HumanResult;
  return GeneralCount(state.Scores)[3];
}

TCount CountOfGame(const GameState& state, const TableMode& mode, const ScoreSource& source) {
  const int count = PlayerCount(state);
  if (mode.TourGame) return FillTournamentCount(state.KonNo, source.TournamentScore, count, source.TournamentRating);
  const CountContext context{source.AccountState, source.ProfileGames, source.AccountRating};
  return FillCount(state.KonNo, source.AccountKonL + 1, kCountCycle, source.ProfileRating, count, state.ProfileScore,
                   context);
}

ScoreGameKind ScoreGameKindOf(const TableMode& mode, int account_state) {
  if (mode.TourGame) return ScoreGameKind::Tournament;
  if (mode.NetGame) return ScoreGameKind::Network;
  return account_state == 3 ? ScoreGameKind::Rated : ScoreGameKind::Club;
}

}  // namespace varnok
