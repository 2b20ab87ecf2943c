// Dealing a game or a round, and the start of the bidding.
#include "engine.h"

namespace varnok {

void Engine::Shuffle() {
  if (next_deck_) {
    const DeckOrder order = *next_deck_;
    next_deck_.reset();
    if (FillDeck(order, s_.Deck, s_.DeckOrder, s_.DeckPoints)) return;
  }
  const auto values = shuffler_.DrawValues();
  for (int j = 1; j <= 24; ++j) {
    const TCard card = CardOfDrawnValue(values[static_cast<std::size_t>(j - 1)]);
    s_.Deck[j] = card;
    s_.DeckOrder[j] = static_cast<std::uint8_t>(RankOrder(card.rank));
    s_.DeckPoints[j] = static_cast<std::uint8_t>(RankPoints(card.rank));
  }
}

void Engine::DrawSortedHand(int seat, bool face_up) {
  s_.HandCount[seat] =
      static_cast<std::uint8_t>(SortHand(s_.Hands[seat], s_.HandOrder[seat], s_.HandPoints[seat], s_.Trump));
  ui_.DrawHand(seat, face_up);
}

bool Engine::SeatFaceUp(int seat) const { return seat == 3; }

void Engine::Deal(bool new_game) {
  ui_.ClearTable();
  ui_.PickBackOfTheDay();

  if (new_game) {
    for (int seat = 1; seat <= 3; ++seat) s_.Scores[seat] = kStartScore;
    s_.RoundNo = 0;
    s_.HumanResult = 0;
    s_.ProfileScoreAfter = 0;
    s_.KonNo = profile_kon_no_;
    s_.ProfileScore = profile_score_;
    if (resume_) {
      s_.Scores = resume_->scores;
      s_.RoundNo = static_cast<std::uint8_t>(resume_->round - 1);
      resume_.reset();
    }
    ui_.EnableGameMenu(true);
  }
  ++s_.RoundNo;

  if (!mode_.NetGame && !mode_.TourGame) {
    s_.Names[1] = "PC";
    s_.Names[2] = "PC";
    s_.Names[3] = player_name_;
  }

  if (DealsHere()) {
    for (int seat = 1; seat <= 3; ++seat) {
      for (int i = 1; i <= 36; ++i) {
        s_.Hands[seat][i] = TCard::Empty();
        s_.HandOrder[seat][i] = kEmptyCompanion;
        s_.HandPoints[seat][i] = kEmptyCompanion;
      }
    }
    for (int i = 1; i <= 36; ++i) s_.PlayedCards[i] = TCard::Empty();
    Shuffle();
    for (int seat = 1; seat <= 3; ++seat) {
      for (int i = 1; i <= 7; ++i) {
        const int j = (seat - 1) * 7 + i;
        s_.Hands[seat][i] = s_.Deck[j];
        s_.HandOrder[seat][i] = s_.DeckOrder[j];
        s_.HandPoints[seat][i] = s_.DeckPoints[j];
      }
      s_.HandCount[seat] = 7;
    }
    for (int w = 1; w <= 3; ++w) s_.Widow[static_cast<std::size_t>(w)] = s_.Deck[21 + w];
  }

  // The round's part of the state.
  s_.Trump = kNoSuit;
  for (int i = 1; i <= 3; ++i) {
    s_.Stol[i] = TCard::Empty();
    s_.StolOrder[i] = kEmptyCompanion;
    s_.StolPoints[i] = kEmptyCompanion;
  }
  s_.LedSuit = kNoSuit;
  for (int seat = 1; seat <= 3; ++seat) {
    s_.RoundPoints[seat] = 0;
    s_.CardPoints[seat] = 0;
    s_.InBidding[seat] = true;
  }
  s_.DeclTwenty = false;
  s_.DeclForty = false;
  s_.MarriageNow = 0;
  s_.TrickPos = 1;
  s_.TrickNo = 1;
  s_.PlayedCount = 1;
  s_.GameOver = false;
  s_.BidState = 1;
  s_.CurrentBid = kOpeningBidBase;
  s_.GiveIdx1 = 0;
  s_.GiveIdx2 = 0;
  s_.MaxBid = {0, 0, 0};
  s_.InGame = true;
  if (computer_) computer_->RoundDealt(s_);

  const int first = FirstBidder(s_.RoundNo, mode_);
  s_.Leader = static_cast<std::uint8_t>(first);
  s_.Phase = static_cast<std::uint8_t>(first);

  ui_.DrawRoundPanel();
  bool next_enabled = true;
  // With remote seats only the copy that makes the first bidder's moves begins.
  if (HasRemoteSeat()) next_enabled = KindOf(first) != SeatKind::Remote;
  Button(TableButton::Next, true, next_enabled, UiText::Games(words::games::kToBegin));
  Button(TableButton::Pass, true, false, UiText::Games(words::games::kPass));

  for (int seat = 1; seat <= 3; ++seat) {
    ui_.DrawScorePanel(seat, PanelUpdate{seat == first, true, PanelField::Keep(), PanelField::Of(s_.Scores[seat]),
                                         PanelField::Of(0)});
  }
  for (int seat = 1; seat <= 3; ++seat) DrawSortedHand(seat, SeatFaceUp(seat));
  ui_.DrawWidowDown();
  for (int seat = 1; seat <= 3; ++seat) ui_.ShowBubble(seat, BubbleStyle::Name, UiText::Plain(s_.Names[seat]));
  ui_.PlaySound("WTasoKo", false);
  SetTimer(kTimerBidMs, false);
  ui_.SetRoundHint(s_.KonNo, mode_.TourGame ? 1 : kGamesPerCycle);
  ui_.RoundStarted();
}

void Engine::BeginBidding() {
  s_.BidState = 2;
  const bool seat3_opens = s_.Leader == 3;
  const UiText caption = UiText::Games(words::games::kIPlayOn, seat3_opens ? std::to_string(s_.CurrentBid + kBidStep) : "...");
  Button(TableButton::Next, true, seat3_opens, caption);
  SetTimer(timer_ms_, true);
  // A table without remote seats bids on the timer: the computer seats work out their limits now.
  if (!HasRemoteSeat()) {
    ui_.EnableButton(TableButton::Next, false);
    if (computer_) {
      ui_.ShowBidProgress(0);
      for (int seat = 1; seat <= 3; ++seat)
        if (ComputerPlayers* players = ComputerFor(seat)) s_.MaxBid[static_cast<std::size_t>(seat)] = players->MaxBid(seat, s_);
      ui_.ShowBidProgress(-1);
    }
    if (seat3_opens) ui_.EnableButton(TableButton::Next, true);
  }
}

}  // namespace varnok
