#include "apply_move.h"

#include <string>

namespace varnok::net {

int SoleBidder(const GameState& s) {
  int seat = 0;
  for (int i = 1; i <= 3; ++i) {
    if (!s.InBidding[i]) continue;
    if (seat != 0) return 0;
    seat = i;
  }
  return seat;
}

namespace {

bool WidowReal(const GameState& s) {
  for (int j = 22; j <= 24; ++j)
    if (!s.Deck[j].IsReal()) return false;
  return true;
}

bool HasDeclarer(const GameState& s) { return IsSeat(s.Declarer); }

class Applier {
 public:
  Applier(const MoveTarget& target, MoveApplied& out) : t_(target), s_(target.state), out_(out) {}

  void Run(const MoveFields& f) {
    Buttons(f);
    for (int relative = 1; relative <= 3; ++relative) Cell(relative, f.Cell(relative));
    if (f.open_widow) Step(22, OpenWidow());
    if (f.take_widow) Step(23, TakeWidow());
    if (f.given) Step(24, Give(f.given->first, f.given->second));
    if (f.giving_done) Step(28, GivingDone());
    if (f.trump) Step(29, Trump(*f.trump));
    if (f.contract) Step(30, Contract(*f.contract));
    if (f.card) Step(33, Card(f.card_player, *f.card));
    if (f.next_trick) Step(35, Collect());
    // The phase field was checked against the step's own (CheckMoveRules): the step has set it.
  }

 private:
  void Refuse(int position, NetError error) { out_.skipped.push_back({position, error}); }

  // Every step of the record goes through the one entry point of the engine.
  bool Told(const Move& move) { return t_.engine.Apply(move, MoveSource::Record); }

  void Step(int position, bool done) {
    if (done) out_.restart_clocks = true;
    else Refuse(position, NetError::NotNow);
  }

  void Buttons(const MoveFields& f) {
    if (f.action_enabled) {
      t_.buttons.action_enabled = *f.action_enabled;
      t_.ui.EnableButton(TableButton::Next, *f.action_enabled);
    }
    if (f.pass_enabled) {
      t_.buttons.pass_enabled = *f.pass_enabled;
      t_.ui.EnableButton(TableButton::Pass, *f.pass_enabled);
    }
    if (f.action_caption != 0) {
      // With code 2 the next bid is the highest bid plus 5 (CheckMoveRules): the bid step raises it.
      const int next_bid = f.next_bid.value_or(0);
      t_.ui.SetButton(TableButton::Next, true, t_.buttons.action_enabled, ActionCaption(f.action_caption, next_bid));
    }
    if (f.pass_caption != 0)
      t_.ui.SetButton(TableButton::Pass, true, t_.buttons.pass_enabled, PassCaption(f.pass_caption));
  }

  void Cell(int seat, const SeatCell& cell) {
    switch (cell.kind) {
      case SeatCell::Kind::Empty: return;
      case SeatCell::Kind::Bid:
        t_.ui.ShowBubble(seat, BubbleStyle::Announce, UiText::Games(words::games::kIPlayOn, " " + std::to_string(cell.bid)));
        t_.ui.PlaySound("WDiPlay", true);
        Told(Move::Bid(seat));  // raises the highest bid to cell.bid (CheckMoveRules)
        out_.restart_clocks = true;
        return;
      case SeatCell::Kind::Pass: {
        t_.ui.ShowBubble(seat, BubbleStyle::Pass, UiText::Games(words::games::kPass));
        t_.ui.PlaySound("WDiPass", true);
        // The turn goes on as on the copy that passed; a pass told again changes nothing.
        if (s_.InBidding[seat]) Told(Move::Pass(seat));
        out_.restart_clocks = true;
        const int other1 = NextSeat(seat);
        const int other2 = NextSeat(other1);
        const bool over = !s_.InBidding[other1] || !s_.InBidding[other2];
        if (over) {
          // The bidding is over: the winning bid goes to the remaining bidder's panel.
          t_.engine.ShowFinalBids();
          t_.ui.SetButton(TableButton::Next, true, t_.buttons.action_enabled, UiText::Games(words::games::kToOpenCards));
        }
        return;
      }
      case SeatCell::Kind::Name:
        t_.ui.ShowBubble(seat, BubbleStyle::Name, UiText::Plain(s_.Names[seat]));
        return;
      case SeatCell::Kind::Clear: t_.ui.ShowBubble(seat, BubbleStyle::Empty, UiText::Plain("")); return;
      case SeatCell::Kind::Twenty:
        t_.ui.ShowBubble(seat, BubbleStyle::Announce, UiText::Games(words::games::kTwenty));
        return;
      case SeatCell::Kind::Forty:
        t_.ui.ShowBubble(seat, BubbleStyle::Announce, UiText::Games(words::games::kForty));
        return;
    }
  }

  // The widow is opened once the bidding has one bidder left; that seat is
  // the declarer. 0 while the widow cannot be opened or taken.
  int WidowDeclarer() const {
    const int declarer = SoleBidder(s_);
    if (declarer == 0 || !WidowReal(s_) || s_.HandCount[declarer] != 7) return 0;
    return declarer;
  }

  bool OpenWidow() {
    if (WidowDeclarer() == 0) return false;
    return Told(Move::OpenWidow());  // its one bidder becomes the declarer
  }

  bool TakeWidow() {
    if (WidowDeclarer() == 0) return false;
    return Told(Move::TakeWidow());
  }

  bool Give(int slot1, int slot2) {
    if (!HasDeclarer(s_) || s_.HandCount[s_.Declarer] != 10) return false;
    // A seat this copy plays for the computer makes its own gift.
    if (t_.engine.KindOf(s_.Declarer) == SeatKind::Computer) return false;
    if (!GiftIsValid(s_.Hands[s_.Declarer], slot1, slot2)) return false;
    return Told(Move::Give(slot1, slot2));
  }

  bool GivingDone() {
    if (!HasDeclarer(s_) || s_.HandCount[s_.Declarer] != 8) return false;
    for (int seat = NextSeat(s_.Declarer); seat != s_.Declarer; seat = NextSeat(seat))
      if (s_.HandCount[seat] != 7 || !s_.Hands[seat][8].IsReal()) return false;
    return Told(Move::ShowGiven());
  }

  bool Trump(std::uint8_t suit) {
    if (!HasDeclarer(s_)) return false;
    return Told(Move::Trump(suit));
  }

  bool Contract(int value) {
    if (!HasDeclarer(s_) || s_.HandCount[s_.Declarer] > 8) return false;
    return Told(Move::Order(value));
  }

  // Relative seat `seat` plays the card at hand position `position`.
  bool Card(int seat, int position) {
    if (!IsSeat(seat) || !HasDeclarer(s_) || s_.HandCount[s_.Declarer] > 8) return false;
    if (s_.TrickPos < 1 || s_.TrickPos > 3) return false;  // the trick is full
    if (position < 1 || position > s_.HandCount[seat]) return false;
    // The declarer's first lead: the play starts here as it did on the declarer's copy.
    if (s_.Phase == phOrdered && !Told(Move::StartPlay())) return false;
    return Told(Move::Card(seat, position));
  }

  bool Collect() {
    if (s_.TrickPos != 4 || !Told(Move::Collect())) return false;
    // Across the network the round is scored as soon as its last trick is collected.
    if (s_.Phase == phRoundOver) Told(Move::Score());
    return true;
  }

  const MoveTarget& t_;
  GameState& s_;
  MoveApplied& out_;
};

}  // namespace

UiText ActionCaption(int code, int next_bid) {
  switch (code) {
    case 1: return UiText::Games(words::games::kToBeginOfRound);
    case 2: return UiText::Games(words::games::kIPlayOn, " " + std::to_string(next_bid));
    case 3: return UiText::Games(words::games::kToOpenCards);
    case 4: return UiText::Plain("Ok");
    case 5: return UiText::Games(words::games::kNextRound);
    case 6: return UiText::Games(words::games::kToDistributeCards);
    default: return UiText::Plain("");
  }
}

UiText PassCaption(int code) {
  return code == 2 ? UiText::Main(words::main::kExitToMenu) : UiText::Games(words::games::kPass);
}

MoveApplied ApplyMove(std::string_view record, const MoveTarget& target) {
  MoveApplied out;
  auto decoded = DecodeMove(record);
  if (!decoded.ok()) {
    out.error = decoded.error;
    return out;
  }
  out.sender = decoded.value->fields.sender;
  out.skipped = std::move(decoded.value->skipped);
  if (!target.state.InGame) {
    out.error = NetError::NoGame;
    return out;
  }
  // The first record of a deal counts as the start-of-deal press: it is
  // checked as a step of a deal under way, and starts the deal when it fits.
  const std::uint8_t bid_state = target.state.BidState;
  if (bid_state == 1) target.state.BidState = 2;
  const auto issue = CheckMoveRules(decoded.value->fields, target.state, target.engine);
  target.state.BidState = bid_state;
  if (issue) {
    out.refused = true;
    out.skipped.push_back(*issue);
    return out;
  }
  if (bid_state == 1) target.engine.Apply(Move::Begin(), MoveSource::Record);
  Applier(target, out).Run(decoded.value->fields);
  return out;
}

}  // namespace varnok::net
