#include "top_ten.h"

#include <cstdio>

namespace varnok {

namespace {

constexpr int kRowCongratulations = 50;
constexpr int kRowBestResult = 51;
constexpr int kRowGoodResult = 53;
constexpr int kRowInTopTen = 54;
constexpr int kRowRegrets = 55;
constexpr int kRowKeepWishing = 56;
constexpr int kRowNotInTopTen = 57;
constexpr int kRowResult = 58;
constexpr int kRowVicePresident = 61;
constexpr int kRowMaster = 65;
constexpr int kRowBachelor = 66;

constexpr int kResultUnits = 24;  // the "Result: " line sits between the large and the small lines

int TitleRow(FinishedGameKind kind) {
  switch (kind) {
    case FinishedGameKind::Local: return kRowMaster;
    case FinishedGameKind::Network: return kRowBachelor;
    case FinishedGameKind::OnlineRated: return kRowVicePresident;
  }
  return kRowMaster;
}

}  // namespace

TopTenView MakeTopTenView(const std::vector<TopTenEntry>& entries, ClubKind kind) {
  TopTenView view;
  view.Title = kind == ClubKind::Local ? "WINDOWS. LOCAL GAMES WITH PC" : "WINDOWS. NET GAMES";
  view.ClubAnimation = kind == ClubKind::Local ? "GClubF" : "GClubG";
  for (int n = 1; n <= kTopTenSize; ++n) {
    TopTenRow& row = view.Rows[static_cast<std::size_t>(n - 1)];
    row.Place = n;
    row.PlaceText = std::to_string(n) + ".";
    row.Y = 150 + 33 * (n - 1);
    row.Colour = n <= 3 ? kColourRed : kColourNavy;
    if (static_cast<std::size_t>(n - 1) < entries.size()) {
      const TopTenEntry& entry = entries[static_cast<std::size_t>(n - 1)];
      row.Empty = entry.Empty;
      if (!entry.Empty) {
        row.Name = entry.Name;
        row.ScoreText = entry.ScoreText;
      }
    }
  }
  return view;
}

EndOfMatchView MakeEndOfMatchView(int place, int cycle_score, FinishedGameKind kind) {
  EndOfMatchView view;
  view.Place = place >= 1 && place <= kTopTenSize ? place : 0;
  view.Score = cycle_score;
  if (view.Place == 1) {
    view.Sound = "WFiBest";
    view.Animation = "GEndBest";
    view.Lines = {{kRowCongratulations, 32, false},
                  {kRowBestResult, 28, false},
                  {kRowResult, kResultUnits, true},
                  {TitleRow(kind), 22, false}};
  } else if (view.Place != 0) {
    view.Sound = "WFiGood";
    view.Animation = "GEndGood";
    view.Lines = {{kRowCongratulations, 32, false},
                  {kRowGoodResult, 28, false},
                  {kRowResult, kResultUnits, true},
                  {kRowInTopTen, 22, false}};
  } else {
    view.Sound = "WFiBads";
    view.Animation = "GEndBads";
    view.AnimationRepeats = true;
    view.Lines = {{kRowRegrets, 32, false},
                  {kRowKeepWishing, 20, false},
                  {kRowResult, kResultUnits, true},
                  {kRowNotInTopTen, 20, false}};
  }
  if (view.Place != 0) {
    char name[16];
    std::snprintf(name, sizeof name, "GPlace%02d", view.Place);
    view.MedalPicture = "GMedal";
    view.PlacePicture = name;
  }
  return view;
}

}  // namespace varnok
