// The machine of a round: the timer tick, the two table buttons and the one
// entry point through which every step of a round is applied.
#include "engine.h"

namespace varnok {

Engine::Engine(GameState& state, Presenter& presenter) : s_(state), ui_(presenter) { PlaceSeats(SeatKindsFor(mode_)); }

void Engine::SetProfile(int kon_no, int profile_score) {
  profile_kon_no_ = kon_no;
  profile_score_ = profile_score;
}

void Engine::SetShuffleSeed(std::optional<std::uint64_t> seed) { shuffler_.SetSeed(seed); }

void Engine::SetComputerPlayers(ComputerPlayers* players) {
  computer_ = players;
  computer_seat_.SetPlayers(players);
}

void Engine::SetMode(const TableMode& mode) {
  mode_ = mode;
  PlaceSeats(SeatKindsFor(mode_));
}

SeatController* Engine::ControllerOfKind(SeatKind kind) {
  switch (kind) {
    case SeatKind::Local: return &local_seat_;
    case SeatKind::Computer: return &computer_seat_;
    case SeatKind::Remote: return &remote_seat_;
  }
  return &remote_seat_;
}

void Engine::PlaceSeats(const PerSeat<SeatKind>& kinds) {
  for (int seat = 1; seat <= 3; ++seat)
    seats_[static_cast<std::size_t>(seat)] = ControllerOfKind(kinds[static_cast<std::size_t>(seat)]);
}

void Engine::SetSeatController(int seat, SeatController* controller) {
  if (seat < 1 || seat > 3) return;
  if (controller == nullptr) controller = ControllerOfKind(SeatKindsFor(mode_)[static_cast<std::size_t>(seat)]);
  seats_[static_cast<std::size_t>(seat)] = controller;
}

const SeatController& Engine::Controller(int seat) const {
  if (seat < 1 || seat > 3) return remote_seat_;
  return *seats_[static_cast<std::size_t>(seat)];
}

bool Engine::HasRemoteSeat() const {
  for (int seat = 1; seat <= 3; ++seat)
    if (KindOf(seat) == SeatKind::Remote) return true;
  return false;
}

ComputerPlayers* Engine::ComputerFor(int seat) const {
  if (seat < 1 || seat > 3 || KindOf(seat) != SeatKind::Computer) return nullptr;
  return Controller(seat).Players();
}

void Engine::SetTimer(int interval_ms, bool running) {
  timer_ms_ = interval_ms;
  timer_running_ = running;
  ui_.SetTimer(interval_ms, running);
}

void Engine::Button(TableButton button, bool visible, bool enabled, const UiText& caption) {
  ui_.SetButton(button, visible, enabled, caption);
}

void Engine::Tick() {
  if (!timer_running_ || !s_.InGame) return;
  // With a remote seat the table moves as its records arrive; the network
  // session steps its own computer seat at the points of the exchange.
  if (HasRemoteSeat()) return;
  if (s_.Phase > 10 && timer_ms_ != kTimerPlayMs) SetTimer(kTimerPlayMs, true);

  switch (s_.Phase) {
    case phBid1:
    case phBid2:
    case phBid3:
    case phPlay1:
    case phPlay2:
    case phPlay3: {
      // The seat whose turn it is: its controller answers if it computes.
      const int seat = s_.Phase > 10 ? s_.Phase - 10 : s_.Phase;
      std::optional<Move> move = seats_[static_cast<std::size_t>(seat)]->NextMove(seat, s_);
      if (move && move->kind == Move::Kind::Card && !CardPlayable(seat, move->a)) move = ReplaceFaulty(*move);
      if (!move || !Apply(*move)) return;
      if (move->kind == Move::Kind::Card && s_.TrickPos == 4) ui_.EnableButton(TableButton::Next, true);
      return;
    }
    case phRoundOver:
      Apply(Move::Score());
      return;
    default:
      return;
  }
}

void Engine::PressNext() {
  if (!s_.InGame) return;
  if (s_.BidState == 1) {
    Apply(Move::Begin());
    return;
  }
  switch (s_.Phase) {
    case phBid3:
      if (s_.InBidding[3]) Apply(Move::Bid(3));
      return;
    case phBidDone:
      Apply(Move::OpenWidow());
      return;
    case phWidowOpen:
      Apply(Move::TakeWidow());
      return;
    case phGive:
      if (s_.Declarer != 3) Apply(Move::Give(0, 0));  // the computer chooses the gift
      return;
    case phGiveChosen:
      if (s_.Declarer == 3) Apply(Move::Give(s_.GiveIdx1, s_.GiveIdx2));
      return;
    case phGiven:
      Apply(Move::ShowGiven());
      // The local declarer answers the trump and order dialogs (LocalQuestion);
      // a computer declarer ordered with its gift.
      if (KindOf(s_.Declarer) != SeatKind::Local) Apply(Move::Order(s_.Zakaz));
      return;
    case phOrdered:
      Apply(Move::StartPlay());
      return;
    case phTrickFull:
      Apply(Move::Collect());
      return;
    case phNextRound:
      Apply(Move::NextRound());
      return;
    default:
      return;
  }
}

void Engine::PressPass() {
  if (!s_.InGame) return;
  if (s_.GameOver) {
    LeaveTable();
    return;
  }
  if (s_.Phase == phBid3 && s_.InBidding[3]) Apply(Move::Pass(3));
}

void Engine::LeaveTable() {
  const bool finished = s_.GameOver;
  s_.InGame = false;
  ui_.EnableGameMenu(false);
  SetTimer(kTimerMenuMs, true);
  ui_.TableLeft(finished);
}

std::optional<Move> Engine::ComputerMove(int seat) {
  if (seat < 1 || seat > 3) return std::nullopt;
  const std::optional<Move> move = computer_seat_.NextMove(seat, s_);
  if (move && move->kind == Move::Kind::Card && !CardPlayable(seat, move->a)) return ReplaceFaulty(*move);
  return move;
}

std::optional<Move> Engine::ReplaceFaulty(const Move& move) {
  ++faulty_requests_;
  const int seat = move.seat;
  const int slot = move.a;
  const TCard requested = (slot >= 1 && slot <= TCardList::kSlots) ? s_.Hands[seat][slot] : TCard::Empty();
  if (fault_listener_) fault_listener_(DiagnosticRecord(s_, requested));
  const int replacement = ReplacementSlot(seat);
  if (replacement == 0) return std::nullopt;  // an empty hand has nothing to play
  return Move::Card(seat, replacement);
}

Engine::Question Engine::LocalQuestion() const {
  // The declarer holds eight cards again once the given cards are shown;
  // the trump comes first, then the order.
  if (!s_.InGame || s_.Phase != phGiven || s_.Declarer != 3 || KindOf(3) != SeatKind::Local) return Question::None;
  if (s_.HandCount[NextSeat(3)] != 8) return Question::None;
  return s_.Trump == kNoSuit ? Question::Trump : Question::Order;
}

bool Engine::DealsHere() const { return !(mode_.NetGame && mode_.NetPos != 1) && !mode_.TourGame; }

bool Engine::Valid(const Move& m, MoveSource source) const {
  // A game may begin at any time, even over one under way.
  if (m.kind == Move::Kind::NewGame) return true;
  if (!s_.InGame) return false;
  const int p = s_.Phase;
  switch (m.kind) {
    case Move::Kind::NewGame: return true;
    case Move::Kind::Begin:
      return s_.BidState == 1 && p >= phBid1 && p <= phBid3;
    case Move::Kind::Bid:
      return s_.BidState == 2 && p == m.seat && p >= phBid1 && p <= phBid3 && s_.InBidding[m.seat] &&
             s_.CurrentBid + kBidStep <= kMaxOrder;
    case Move::Kind::Pass:
      // The opening bid cannot be passed.
      return s_.BidState == 2 && p == m.seat && p >= phBid1 && p <= phBid3 && s_.InBidding[m.seat] &&
             s_.CurrentBid > kOpeningBidBase;
    case Move::Kind::OpenWidow: return p == phBidDone;
    case Move::Kind::TakeWidow: return p == phWidowOpen;
    case Move::Kind::Give: {
      if (p != phGive && p != phGiveChosen) return false;
      if (m.c != 0) return SuitIndex(static_cast<std::uint8_t>(m.c)) >= 0 && GiftIsValid(s_.Hands[s_.Declarer], m.a, m.b);
      if (source == MoveSource::Here && ComputerFor(s_.Declarer) != nullptr) return true;
      return GiftIsValid(s_.Hands[s_.Declarer], m.a, m.b);
    }
    case Move::Kind::ShowGiven:
      return p == phGiven && s_.HandCount[NextSeat(s_.Declarer)] == 7;
    case Move::Kind::Trump:
      return p == phGiven && s_.HandCount[NextSeat(s_.Declarer)] == 8 &&
             SuitIndex(static_cast<std::uint8_t>(m.a)) >= 0;
    case Move::Kind::Order:
      return p == phGiven && s_.HandCount[NextSeat(s_.Declarer)] == 8 && s_.Trump != kNoSuit &&
             m.a >= s_.CurrentBid && m.a <= kMostPoints;
    case Move::Kind::StartPlay: return p == phOrdered;
    case Move::Kind::Card:
      return p >= phPlay1 && p <= phPlay3 && m.seat == p - 10 && s_.TrickPos >= 1 && s_.TrickPos <= 3 &&
             CardPlayable(m.seat, m.a);
    case Move::Kind::Collect: return p == phTrickFull;
    case Move::Kind::Score: return p == phRoundOver;
    case Move::Kind::NextRound:
      // A copy that does not deal takes the dealer's next deal wherever its own round stands.
      return p == phNextRound || (source == MoveSource::Record && !DealsHere());
    case Move::Kind::Pick:
      // The local declarer raises a card of its ten that is not raised yet.
      return p == phGive && s_.Declarer == 3 && m.a >= 1 && m.a <= s_.HandCount[3] && m.a != s_.GiveIdx1 &&
             s_.Hands[3][m.a].IsReal();
    case Move::Kind::Unpick:
      return s_.Declarer == 3 && m.a >= 1 &&
             ((p == phGive && m.a == s_.GiveIdx1) || (p == phGiveChosen && (m.a == s_.GiveIdx1 || m.a == s_.GiveIdx2)));
  }
  return false;
}

bool Engine::Apply(const Move& move, MoveSource source) {
  if (!Valid(move, source)) return false;
  const bool told = source == MoveSource::Record;
  Move done = move;
  switch (move.kind) {
    case Move::Kind::NewGame: Deal(true); break;
    case Move::Kind::Begin:
      if (told) s_.BidState = 2;
      else BeginBidding();
      break;
    case Move::Kind::Bid:
      if (told) ToldBidStep(move.seat, true);
      else if (move.seat == 3) HumanBid();
      else ComputerBidStep(move.seat, true);
      break;
    case Move::Kind::Pass:
      if (told) ToldBidStep(move.seat, false);
      else if (move.seat == 3) HumanPass();
      else ComputerBidStep(move.seat, false);
      break;
    case Move::Kind::OpenWidow: OpenWidow(); break;
    case Move::Kind::TakeWidow: TakeWidow(); break;
    case Move::Kind::Give:
      s_.GiveIdx1 = static_cast<std::uint8_t>(move.a);
      s_.GiveIdx2 = static_cast<std::uint8_t>(move.b);
      if (move.c != 0) {
        // A computer declarer's gift decided elsewhere: its trump comes with it.
        s_.Trump = static_cast<std::uint8_t>(move.c);
        GiveCardsAs(false);
      } else {
        GiveCardsAs(!told && ComputerFor(s_.Declarer) != nullptr);
      }
      done = Move::Give(s_.GiveIdx1, s_.GiveIdx2, s_.Trump == kNoSuit ? 0 : s_.Trump);
      break;
    case Move::Kind::ShowGiven: ShowGiven(); break;
    case Move::Kind::Trump:
      s_.Trump = static_cast<std::uint8_t>(move.a);
      ResortHands();
      break;
    case Move::Kind::Order:
      s_.Zakaz = move.a;
      AnnounceOrder();
      break;
    case Move::Kind::StartPlay:
      s_.Phase = static_cast<std::uint8_t>(10 + s_.Leader);
      ui_.EnableButton(TableButton::Next, false);
      break;
    case Move::Kind::Card: PlayCard(move.seat, move.a); break;
    case Move::Kind::Pick: PickGift(move.a); break;
    case Move::Kind::Unpick: UnpickGift(move.a); break;
    case Move::Kind::Collect: CollectTrick(); break;
    case Move::Kind::Score: ScoreRound(); break;
    case Move::Kind::NextRound:
      if (!told) SetTimer(timer_ms_, false);
      Deal(false);
      break;
  }
  if (listener_) listener_(done);
  return true;
}

}  // namespace varnok
