// Bidding, the widow, the gift of two cards, trump and order, marriages.
#include <algorithm>

#include "engine.h"

namespace varnok {

namespace {

int SeatsInBidding(const GameState& s) {
  return static_cast<int>(s.InBidding[1]) + static_cast<int>(s.InBidding[2]) + static_cast<int>(s.InBidding[3]);
}

}  // namespace

bool GiftIsValid(const TCardList& hand, int slot1, int slot2) {
  return slot1 >= 1 && slot1 <= 10 && slot2 >= 1 && slot2 <= 10 && slot1 != slot2 && hand[slot1].IsReal() &&
         hand[slot2].IsReal();
}

void Engine::PassBidTurn(int from_seat) {
  int next = NextSeat(from_seat);
  while (!s_.InBidding[next]) next = NextSeat(next);
  s_.Phase = static_cast<std::uint8_t>(next);
}

void Engine::OfferBidToSeat3() {
  const int offer = s_.CurrentBid + kBidStep;
  // A bid above the highest order could never be ordered, so it is not offered.
  Button(TableButton::Next, true, offer <= kMaxOrder, UiText::Games(words::games::kIPlayOn, std::to_string(offer)));
  ui_.EnableButton(TableButton::Pass, true);
}

void Engine::ComputerBidStep(int seat, bool raise) {
  if (raise) {
    s_.CurrentBid += kBidStep;
    ui_.ShowBubble(seat, BubbleStyle::Announce, UiText::Games(words::games::kIPlayOn, std::to_string(s_.CurrentBid)));
    ui_.PlaySound("WDiPlay", true);
    PassBidTurn(seat);
    if (s_.Phase == phBid3) OfferBidToSeat3();
    return;
  }
  ui_.ShowBubble(seat, BubbleStyle::Pass, UiText::Games(words::games::kPass));
  ui_.PlaySound("WDiPass", true);
  s_.InBidding[seat] = false;
  if (SeatsInBidding(s_) == 1) {
    s_.Phase = phBidDone;
    Button(TableButton::Next, true, true, UiText::Games(words::games::kToOpenCards));
    ui_.EnableButton(TableButton::Pass, false);
    ShowFinalBids();
    return;
  }
  PassBidTurn(seat);
  if (s_.Phase == phBid3) {
    OfferBidToSeat3();
  } else if (!s_.InBidding[3]) {
    ui_.EnableButton(TableButton::Next, false);
    ui_.EnableButton(TableButton::Pass, false);
  }
}

void Engine::ToldBidStep(int seat, bool raise) {
  if (raise) {
    s_.CurrentBid += kBidStep;
    PassBidTurn(seat);
    return;
  }
  s_.InBidding[seat] = false;
  if (SeatsInBidding(s_) == 1) {
    s_.Phase = phBidDone;
    return;
  }
  PassBidTurn(seat);
}

void Engine::HumanBid() {
  s_.CurrentBid += kBidStep;
  ui_.ShowBubble(3, BubbleStyle::Announce, UiText::Games(words::games::kIPlayOn, std::to_string(s_.CurrentBid)));
  ui_.PlaySound("WDiPlay", true);
  PassBidTurn(3);
  ui_.EnableButton(TableButton::Next, false);
  ui_.EnableButton(TableButton::Pass, false);
}

void Engine::HumanPass() {
  ui_.ShowBubble(3, BubbleStyle::Pass, UiText::Games(words::games::kPass));
  ui_.PlaySound("WDiPass", true);
  s_.InBidding[3] = false;
  if (SeatsInBidding(s_) == 1) {
    s_.Phase = phBidDone;
    Button(TableButton::Next, true, true, UiText::Games(words::games::kToOpenCards));
    ui_.EnableButton(TableButton::Pass, false);
    ShowFinalBids();
    return;
  }
  PassBidTurn(3);
  ui_.EnableButton(TableButton::Next, false);
  ui_.EnableButton(TableButton::Pass, false);
}

void Engine::ShowFinalBids() {
  for (int seat = 1; seat <= 3; ++seat) {
    const bool winner = s_.InBidding[seat];
    ui_.DrawScorePanel(seat, PanelUpdate{winner, false, winner ? PanelField::Of(s_.CurrentBid) : PanelField::Keep(),
                                         PanelField::Keep(), PanelField::Of(0)});
  }
}

void Engine::OpenWidow() {
  static const char* const kSounds[] = {"WPrik_1", "WPrik_2", "WPrik_3"};
  for (int i = 1; i <= 3; ++i) {
    ui_.TurnWidowCard(i, options_.AnimateCards);
    ui_.PlaySound(kSounds[i - 1], !options_.AnimateCards);
    if (options_.AnimateCards && i < 3) ui_.Pause(200);
  }
  Button(TableButton::Next, true, true, UiText::Plain("Ok"));
  // The one seat still bidding is the declarer from here on.
  for (int seat = 1; seat <= 3; ++seat)
    if (s_.InBidding[seat]) s_.Declarer = static_cast<std::uint8_t>(seat);
  s_.Phase = phWidowOpen;
}

void Engine::TakeWidow() {
  for (int seat = 1; seat <= 3; ++seat)
    if (s_.InBidding[seat]) s_.Declarer = static_cast<std::uint8_t>(seat);
  const int d = s_.Declarer;
  for (int w = 1; w <= 3; ++w) {
    s_.Hands[d][7 + w] = s_.Deck[21 + w];
    s_.HandOrder[d][7 + w] = s_.DeckOrder[21 + w];
    s_.HandPoints[d][7 + w] = s_.DeckPoints[21 + w];
  }
  s_.HandCount[d] = 10;
  ui_.WidowToHand(d, options_.AnimateCards);
  DrawSortedHand(d, SeatFaceUp(d));
  if (computer_) computer_->WidowTaken(s_);
  if (d == 3) Button(TableButton::Next, true, false, UiText::Games(words::games::kToDistributeCards));
  else Button(TableButton::Next, true, true, UiText::Plain("Ok"));
  s_.Phase = phGive;
}

void Engine::RemoveFromHand(int seat, int slot) {
  s_.Hands[seat][slot] = TCard::Empty();
  s_.HandOrder[seat][slot] = kEmptyCompanion;
  s_.HandPoints[seat][slot] = kEmptyCompanion;
}

void Engine::GiveOne(int which, int slot, int receiver) {
  const int d = s_.Declarer;
  s_.Hands[receiver][8] = s_.Hands[d][slot];
  s_.HandOrder[receiver][8] = s_.HandOrder[d][slot];
  s_.HandPoints[receiver][8] = s_.HandPoints[d][slot];
  s_.GivenCards[static_cast<std::size_t>(which)] = s_.Hands[d][slot];
  ui_.GiveToTable(which, d, receiver, options_.AnimateCards);
  RemoveFromHand(d, slot);
  s_.HandCount[d] = static_cast<std::uint8_t>(10 - which);
  DrawSortedHand(d, SeatFaceUp(d));
  ui_.PlaySound("WHodsDo", true);
}

void Engine::GiveCardsAs(bool ask_computer) {
  const int d = s_.Declarer;
  s_.Zakaz = s_.CurrentBid;
  if (ask_computer) {
    const DeclarerPlan plan = ComputerFor(d)->PlanDeclarer(d, s_);
    s_.GiveIdx1 = static_cast<std::uint8_t>(plan.give1);
    s_.GiveIdx2 = static_cast<std::uint8_t>(plan.give2);
    s_.Trump = plan.trump;
    s_.Zakaz = std::min(std::max(s_.CurrentBid, plan.estimate), kMostPoints);
  }
  if (!GiftIsValid(s_.Hands[d], s_.GiveIdx1, s_.GiveIdx2)) {
    // A gift that names no two different cards of the hand would lose cards;
    // give the two lowest cards instead.
    s_.GiveIdx1 = static_cast<std::uint8_t>(LowestCard(s_.Hands[d]));
    TCardList rest = s_.Hands[d];
    rest[s_.GiveIdx1] = TCard::Empty();
    s_.GiveIdx2 = static_cast<std::uint8_t>(LowestCard(rest));
  }
  const int first_receiver = NextSeat(d);
  const int second_receiver = NextSeat(first_receiver);
  // The second card is looked up again by its code: the first removal re-sorts the hand.
  const TCard second = s_.Hands[d][s_.GiveIdx2];
  GiveOne(1, s_.GiveIdx1, first_receiver);
  GiveOne(2, CardPos24(second, s_.Hands[d]), second_receiver);
  s_.LastTrickLeader = static_cast<std::uint8_t>(d);
  if (d == 3) Button(TableButton::Next, true, true, UiText::Plain("Ok"));
  if (computer_) computer_->CardsGiven(s_);
  s_.Phase = phGiven;
}

void Engine::ShowGiven() {
  for (int seat = 1; seat <= 3; ++seat) s_.HandCount[seat] = 8;
  ui_.GivenToHands(options_.AnimateCards);
  const int first_receiver = NextSeat(s_.Declarer);
  DrawSortedHand(first_receiver, SeatFaceUp(first_receiver));
  DrawSortedHand(NextSeat(first_receiver), SeatFaceUp(NextSeat(first_receiver)));
  s_.Leader = s_.Declarer;
  s_.PrevLeader = s_.Declarer;
}

void Engine::ResortHands() {
  ui_.DrawRoundPanel();
  for (int seat = 1; seat <= 3; ++seat) DrawSortedHand(seat, SeatFaceUp(seat));
}

void Engine::AnnounceOrder() {
  const int d = s_.Declarer;
  ui_.DrawScorePanel(d, PanelUpdate{true, false, PanelField::Of(s_.Zakaz), PanelField::Of(s_.Scores[d]),
                                    PanelField::Of(0)});
  s_.Leader = static_cast<std::uint8_t>(d);
  ui_.DrawRoundPanel();
  ui_.ShowBubble(d, BubbleStyle::Announce, UiText::Games(words::games::kIPlayOn, std::to_string(s_.Zakaz)));
  ui_.PlaySound(s_.Zakaz > s_.CurrentBid ? "WPlMore" : "WDing_1", false);
  s_.Phase = phOrdered;
  for (int seat = 1; seat <= 3; ++seat) {
    s_.SavedHands[seat] = EmptyCardList();
    s_.SavedOrder[seat] = EmptyCompanions();
    s_.SavedPoints[seat] = EmptyCompanions();
    for (int i = 1; i <= 8; ++i) {
      s_.SavedHands[seat][i] = s_.Hands[seat][i];
      s_.SavedOrder[seat][i] = s_.HandOrder[seat][i];
      s_.SavedPoints[seat][i] = s_.HandPoints[seat][i];
    }
  }
  Button(TableButton::Next, true, true, UiText::Plain("Ok"));
}

void Engine::AnnounceMarriage(int seat, int slot) {
  s_.MarriageNow = 0;
  if (s_.TrickPos != 1) return;
  const TCard card = s_.Hands[seat][slot];
  if (card.rank != kRankK && card.rank != kRankQ) return;
  if (!HasMarriage(s_.Hands[seat], card.suit)) return;
  const bool forty = card.suit == s_.Trump;
  s_.RoundPoints[seat] += forty ? 40 : 20;
  s_.MarriageNow = forty ? 2 : 1;
  if (seat == s_.Declarer) {
    if (forty) s_.DeclForty = true;
    else s_.DeclTwenty = true;
  }
}

}  // namespace varnok
