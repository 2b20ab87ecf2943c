// Scoring a round and the end of a game.
#include "engine.h"

namespace varnok {

void Engine::ScoreRound() {
  const int d = s_.Declarer;
  if (d < 1 || d > 3) return;
  const bool made = s_.RoundPoints[d] >= s_.Zakaz;
  s_.Scores[d] += made ? -s_.Zakaz : s_.Zakaz;
  if (s_.Scores[1] > 0 && s_.Scores[2] > 0 && s_.Scores[3] > 0) ui_.PlaySound(made ? "WKoGutX" : "WKoBadX", false);

  for (int defender = NextSeat(d); defender != d; defender = NextSeat(defender)) {
    if (!options_.KeepAfter100 || s_.Scores[defender] > 100) s_.Scores[defender] -= s_.RoundPoints[defender];
  }

  for (int seat = 1; seat <= 3; ++seat) {
    ui_.DrawScorePanel(seat, PanelUpdate{false, false, seat == d ? PanelField::Of(s_.Zakaz) : PanelField::Keep(),
                                         PanelField::Of(s_.Scores[seat]), PanelField::Of(s_.RoundPoints[seat])});
  }

  if (s_.Scores[1] < 1 || s_.Scores[2] < 1 || s_.Scores[3] < 1) {
    EndGame();
    return;
  }

  s_.Phase = phNextRound;
  const bool starts_next = (!mode_.NetGame && !mode_.TourGame) || (mode_.NetGame && mode_.NetPos == 1) ||
                           (mode_.TourGame && mode_.TourPos == 1);
  Button(TableButton::Next, true, starts_next, UiText::Games(words::games::kNextRound));
  if (options_.ShowCardsAtEnd) {
    for (int seat = 1; seat <= 3; ++seat) {
      for (int i = 1; i <= 8; ++i) {
        s_.Hands[seat][i] = s_.SavedHands[seat][i];
        s_.HandOrder[seat][i] = s_.SavedOrder[seat][i];
        s_.HandPoints[seat][i] = s_.SavedPoints[seat][i];
      }
      s_.HandCount[seat] = 8;
      ui_.DrawHand(seat, true);
    }
  }
  ui_.RoundFinished();
}

void Engine::EndGame() {
  s_.GameOver = true;
  if (!mode_.TourGame) Button(TableButton::Pass, true, true, UiText::Main(words::main::kExitToMenu));
  const PerSeat<int> counts = GeneralCount();
  for (int seat = 1; seat <= 3; ++seat) {
    PanelUpdate update{false, false, PanelField::Blank(), PanelField::Of(s_.Scores[seat]),
                       PanelField::Of(counts[seat])};
    update.final_counts = true;
    ui_.DrawScorePanel(seat, update);
  }
  s_.HumanResult = counts[3];
  ui_.PlaySound(s_.HumanResult < 0 ? "WKoBads" : "WKoGood", false);
  s_.ProfileScoreAfter = s_.ProfileScore + s_.HumanResult;
  s_.Phase = phGameOver;
  if (!mode_.TourGame) ui_.ShowScoreWindow();
}

}  // namespace varnok
