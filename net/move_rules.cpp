// The rule check of a received move record, made before anything of it is
// applied: the one game step a record carries must be a step the engine
// takes now, from the seat that takes it, and that seat must be one the
// sender plays for.
#include "apply_move.h"

namespace varnok::net {

namespace {

int Bidders(const GameState& s) {
  return static_cast<int>(s.InBidding[1]) + static_cast<int>(s.InBidding[2]) + static_cast<int>(s.InBidding[3]);
}

// The first field of each step a record can carry.
struct Step {
  int position = 0;
  int seat = 0;  // a bid, pass or card: the relative seat that takes it
};

// Changes one field of the state for the length of a check.
template <typename T>
class Scoped {
 public:
  Scoped(T& field, T value) : field_(field), saved_(field) { field_ = value; }
  ~Scoped() { field_ = saved_; }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

 private:
  T& field_;
  T saved_;
};

}  // namespace

int NextBidder(const GameState& s, int seat) {
  int next = NextSeat(seat);
  for (int tries = 0; tries < 3 && !s.InBidding[next]; ++tries) next = NextSeat(next);
  return next;
}

std::optional<FieldIssue> CheckMoveRules(const MoveFields& f, GameState& s, const Engine& engine) {
  const TableMode& mode = engine.Mode();
  const int own = mode.TourGame ? mode.TourPos : mode.NetPos;
  const int sender = RelativeSeat(f.sender, own);
  // A record never speaks for the receiver's own seat.
  if (sender == 0 || sender == 3) return FieldIssue{2, NetError::BadSeat};
  // In a game of two people the other person's copy also plays the computer seat.
  const int computer = mode.NetGame && !mode.NetThreeHumans ? RelativeSeat(3, own) : 0;
  auto plays_for = [&](int seat) { return seat != 3 && (seat == sender || (computer != 0 && seat == computer)); };

  std::vector<Step> steps;
  for (int seat = 1; seat <= 3; ++seat) {
    const SeatCell::Kind kind = f.Cell(seat).kind;
    const int position = 10 + 4 * (seat - 1);
    if (kind == SeatCell::Kind::Bid || kind == SeatCell::Kind::Pass) steps.push_back({position, seat});
    // A marriage is declared with the card that shows it, in its player's cell.
    if ((kind == SeatCell::Kind::Twenty || kind == SeatCell::Kind::Forty) && (!f.card || f.card_player != seat))
      return FieldIssue{position, NetError::BadCell};
  }
  if (f.open_widow) steps.push_back({22});
  if (f.take_widow) steps.push_back({23});
  if (f.given) steps.push_back({24});
  if (f.giving_done) steps.push_back({28});
  if (f.trump) steps.push_back({29});
  if (f.contract) steps.push_back({30});
  if (f.card) steps.push_back({33, f.card_player});
  if (f.next_trick) steps.push_back({35});
  // Every record a copy sends carries at most one step.
  if (steps.size() > 1) return FieldIssue{steps[1].position, NetError::NotNow};

  int phase_after = s.Phase;
  int bid_after = s.CurrentBid;
  if (!steps.empty()) {
    const Step step = steps.front();
    auto refuse = [&](NetError error) { return FieldIssue{step.position, error}; };
    // The actor of a step without a seat of its own.
    auto actor_check = [&](int actor) -> std::optional<FieldIssue> {
      if (!IsSeat(actor)) return refuse(NetError::NotNow);
      if (!plays_for(actor)) return refuse(NetError::BadSeat);
      return std::nullopt;
    };
    switch (step.position) {
      case 10:
      case 14:
      case 18: {
        const int seat = step.seat;
        if (!plays_for(seat)) return refuse(NetError::BadSeat);
        const SeatCell& cell = f.Cell(seat);
        if (cell.kind == SeatCell::Kind::Pass && !s.InBidding[seat]) break;  // a pass told again changes nothing
        const Move move = cell.kind == SeatCell::Kind::Bid ? Move::Bid(seat) : Move::Pass(seat);
        if (!engine.Allows(move)) return refuse(NetError::NotNow);
        if (cell.kind == SeatCell::Kind::Bid) {
          // Every bid raises the highest one by five.
          if (cell.bid != s.CurrentBid + kBidStep) return refuse(NetError::BadNumber);
          bid_after = cell.bid;
          phase_after = NextBidder(s, seat);
        } else {
          s.InBidding[seat] = false;
          phase_after = Bidders(s) == 1 ? int{phBidDone} : NextBidder(s, seat);
          s.InBidding[seat] = true;
        }
        break;
      }
      case 22:
      case 23: {
        if (!engine.Allows(step.position == 22 ? Move::OpenWidow() : Move::TakeWidow())) return refuse(NetError::NotNow);
        if (auto issue = actor_check(SoleBidder(s))) return issue;
        phase_after = step.position == 22 ? phWidowOpen : phGive;
        break;
      }
      case 24: {
        // A seat this copy plays for the computer makes its own gift.
        if (!IsSeat(s.Declarer) || engine.KindOf(s.Declarer) == SeatKind::Computer || s.HandCount[s.Declarer] != 10 ||
            !engine.Allows(Move::Give(f.given->first, f.given->second)))
          return refuse(NetError::NotNow);
        if (auto issue = actor_check(s.Declarer)) return issue;
        phase_after = phGiven;
        break;
      }
      case 28:
      case 29:
      case 30: {
        const Move move = step.position == 28   ? Move::ShowGiven()
                          : step.position == 29 ? Move::Trump(*f.trump)
                                                : Move::Order(*f.contract);
        if (!IsSeat(s.Declarer) || !engine.Allows(move)) return refuse(NetError::NotNow);
        if (auto issue = actor_check(s.Declarer)) return issue;
        if (step.position == 30) phase_after = phOrdered;
        break;
      }
      case 33: {
        const int seat = step.seat;
        if (!plays_for(seat)) return refuse(NetError::BadSeat);
        // The declarer's first lead also starts the play on the copies that only watched the order.
        const bool starts_play = s.Phase == phOrdered;
        if (starts_play && (!engine.Allows(Move::StartPlay()) || seat != s.Leader)) return refuse(NetError::NotNow);
        const Scoped<std::uint8_t> playing(s.Phase, starts_play ? static_cast<std::uint8_t>(10 + s.Leader) : s.Phase);
        if (!engine.Allows(Move::Card(seat, *f.card)) || !engine.CardPlayable(seat, *f.card))
          return refuse(NetError::NotNow);
        phase_after = s.TrickPos == 3 ? int{phTrickFull} : 10 + NextSeat(seat);
        break;
      }
      case 35: {
        if (!engine.Allows(Move::Collect())) return refuse(NetError::NotNow);
        if (auto issue = actor_check(s.Leader)) return issue;
        phase_after = 10 + s.Leader;
        break;
      }
      default: return refuse(NetError::NotNow);
    }
  }
  // The fields that follow a step must agree with where it leads.
  if (f.action_caption == 2 && (!f.next_bid || *f.next_bid - kBidStep != bid_after))
    return FieldIssue{6, NetError::BadNumber};
  if (f.phase && *f.phase != phase_after) return FieldIssue{36, NetError::NotNow};
  return std::nullopt;
}

}  // namespace varnok::net
