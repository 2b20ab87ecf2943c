// Trick play: playing a card, deciding the trick, collecting it, the card
// the rules play instead of a faulty request and its diagnostic record.
#include "engine.h"

namespace varnok {

bool Engine::IsIllegalCard(int seat, int slot) const {
  if (s_.TrickPos == 1) return false;
  if (slot < 1 || slot > TCardList::kSlots) return true;
  const TCardList& hand = s_.Hands[seat];
  const TCard card = hand[slot];
  if (card.suit == s_.LedSuit) return false;
  if (HasSuit(hand, s_.LedSuit)) return true;
  return card.suit != s_.Trump && HasSuit(hand, s_.Trump);
}

bool Engine::IsIllegalHumanCard(int slot) const {
  if (slot < 1 || slot > 8) return true;
  return IsIllegalCard(3, slot);
}

int Engine::ReplacementSlot(int seat) const {
  const TCardList& hand = s_.Hands[seat];
  if (s_.TrickPos == 1) return HighestCard(hand);
  if (HasSuit(hand, s_.LedSuit)) return LowestOf(hand, s_.LedSuit);
  if (HasSuit(hand, s_.Trump)) return LowestOf(hand, s_.Trump);
  return LowestCard(hand);
}

std::string DiagnosticRecord(const GameState& s, TCard requested) {
  std::string record;
  for (int seat = 1; seat <= 3; ++seat) {
    for (int i = 1; i <= 8; ++i) record += s.Hands[seat][i].Bytes();
    record += "\x0A\x0D";
  }
  for (int i = 1; i <= 3; ++i) record += s.Stol[i].Bytes();
  record += static_cast<char>(s.Trump);
  record += ' ';
  record += requested.Bytes();
  return record;
}

bool Engine::CardPlayable(int seat, int slot) const {
  if (seat < 1 || seat > 3 || slot < 1 || slot > 8) return false;
  return s_.Hands[seat][slot].len != 0 && !s_.Hands[seat][slot].IsEmpty() &&
         s_.HandOrder[seat][slot] != kEmptyCompanion && s_.HandPoints[seat][slot] != kEmptyCompanion &&
         !IsIllegalCard(seat, slot);
}

void Engine::PlayCard(int seat, int slot) {
  const int pos = s_.TrickPos;
  const TCard card = s_.Hands[seat][slot];
  s_.Stol[pos] = card;
  s_.StolOrder[pos] = s_.HandOrder[seat][slot];
  s_.StolPoints[pos] = s_.HandPoints[seat][slot];
  if (pos == 1) s_.LedSuit = card.suit;

  AnnounceMarriage(seat, slot);

  ui_.ShowBubble(seat, BubbleStyle::Name, UiText::Plain(s_.Names[seat]));
  --s_.HandCount[seat];
  ui_.CardToTable(seat, slot, pos, options_.AnimateCards);
  RemoveFromHand(seat, slot);
  DrawSortedHand(seat, SeatFaceUp(seat));

  if (s_.MarriageNow == 0) {
    ui_.PlaySound("WHodsDo", true);
  } else {
    const bool forty = s_.MarriageNow == 2;
    ui_.ShowBubble(seat, BubbleStyle::Announce, UiText::Games(forty ? words::games::kForty : words::games::kTwenty));
    ui_.DrawScorePanel(seat, PanelUpdate{true, false, PanelField::Keep(), PanelField::Keep(),
                                         PanelField::Of(s_.RoundPoints[seat])});
    ui_.PlaySound(forty ? "WSays40" : "WSays20", true);
  }

  s_.Phase = static_cast<std::uint8_t>(pos == 3 ? int{phTrickFull} : 10 + NextSeat(seat));
  ++s_.TrickPos;
  if (s_.TrickPos == 4) TrickWinner();
}

void Engine::TrickWinner() {
  if (computer_) computer_->TrickFull(s_);
  int best = 0;
  for (std::uint8_t suit : {s_.Trump, s_.LedSuit}) {
    for (int i = 1; i <= 3; ++i)
      if (s_.Stol[i].suit == suit && (best == 0 || s_.StolOrder[i] > s_.StolOrder[best])) best = i;
    if (best) break;
  }
  int winner = s_.Leader;
  for (int i = 1; i < best; ++i) winner = NextSeat(winner);

  s_.PrevLeader = s_.Leader;
  s_.Leader = static_cast<std::uint8_t>(winner);
  const int points = s_.StolPoints[1] + s_.StolPoints[2] + s_.StolPoints[3];
  s_.RoundPoints[winner] += points;
  s_.CardPoints[winner] += points;
  for (int seat = 1; seat <= 3; ++seat) {
    ui_.DrawScorePanel(seat, PanelUpdate{seat == winner, false, PanelField::Keep(), PanelField::Keep(),
                                         PanelField::Of(s_.RoundPoints[seat])});
  }
}

void Engine::CollectTrick() {
  if (computer_) computer_->TrickCollected(s_);
  ui_.CollectTrickCards(s_.LastTrickLeader, s_.Leader, options_.AnimateCards);
  if (options_.AnimateCards) ui_.Pause(200);
  s_.LastTrickLeader = s_.Leader;
  for (int seat = 1; seat <= 3; ++seat) ui_.ShowBubble(seat, BubbleStyle::Name, UiText::Plain(s_.Names[seat]));
  s_.TrickPos = 1;
  s_.Phase = static_cast<std::uint8_t>(10 + s_.Leader);
  for (int i = 1; i <= 3; ++i) {
    if (s_.PlayedCount + i - 1 <= 36) s_.PlayedCards[s_.PlayedCount + i - 1] = s_.Stol[i];
    s_.Stol[i] = TCard::Empty();
    s_.StolOrder[i] = kEmptyCompanion;
    s_.StolPoints[i] = kEmptyCompanion;
  }
  s_.PlayedCount = static_cast<std::uint8_t>(s_.PlayedCount + 3);
  s_.LedSuit = kNoSuit;
  ++s_.TrickNo;
  ui_.EnableButton(TableButton::Next, false);
  if (s_.HandCount[1] == 0 && s_.HandCount[2] == 0 && s_.HandCount[3] == 0) s_.Phase = phRoundOver;
  s_.MarriageNow = 0;
}

}  // namespace varnok
