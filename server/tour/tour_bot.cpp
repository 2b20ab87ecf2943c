#include "tour_bot.h"

#include "deal_record.h"

namespace varnok::tour {

using net::MoveShape;
using net::SeatCell;

TourBot::TourBot(int position, Options options)
    : position_(position), options_(options), random_(options.seed), engine_(state_, ui_) {
  TableMode mode;
  mode.ProfileSlot = 8;
  mode.TourGame = true;
  mode.TourPos = position;
  engine_.SetMode(mode);
}

std::string TourBot::Connect() const { return net::BuildConnect(position_).value_or(""); }

std::array<int, 3> TourBot::Scores() const {
  std::array<int, 3> out{};
  for (int q = 1; q <= 3; ++q) out[static_cast<std::size_t>(q - 1)] = state_.Scores[net::RelativeSeat(q, position_)];
  return out;
}

std::array<int, 3> TourBot::Counts() const {
  const PerSeat<int> counts = GeneralCount(state_.Scores);
  std::array<int, 3> out{};
  for (int q = 1; q <= 3; ++q) out[static_cast<std::size_t>(q - 1)] = counts[net::RelativeSeat(q, position_)];
  return out;
}

std::string TourBot::Feed(std::string_view bytes) {
  std::string out;
  const auto result = buffer_.Feed(bytes);
  for (const auto& d : result.dropped) problems_.push_back("dropped " + std::to_string(d.bytes.size()) + " bytes");
  for (const auto& record : result.records) Handle(record, out);
  return out;
}

void TourBot::Handle(const net::Received& record, std::string& out) {
  switch (record.kind) {
    case net::RecordKind::Deal: {
      if (ended_) return;
      const auto dealt = net::ApplyDeal(record.wire, state_, {position_, true});
      if (!dealt.ok()) {
        problems_.push_back("a deal refused");
        return;
      }
      buttons_ = {};
      Take(deals_ == 0 ? Move::NewGame() : Move::NextRound());
      ++deals_;
      asked_next_ = false;
      ++received_;
      break;
    }
    case net::RecordKind::Move: {
      ++received_;
      const auto applied = net::ApplyMove(record.body, {state_, engine_, ui_, buttons_});
      if (!applied.applied()) {
        std::string why = "a move refused: " + record.body;
        if (!applied.skipped.empty()) why += " at " + std::to_string(applied.skipped.back().position);
        problems_.push_back(why);
      }
      break;
    }
    case net::RecordKind::Server: {
      const auto notice = net::ParseNotice(record.wire);
      if (!notice.ok()) {
        problems_.push_back("an unknown server record");
        return;
      }
      notice_ = *notice.value;
      ended_ = true;
      if (notice_->kind == net::NoticeKind::GameEnded && position_ == 1 && options_.send_result && !result_sent_) {
        result_sent_ = true;
        if (const auto r = net::BuildResult(Counts(), position_)) out += *r;
      }
      return;
    }
    default: return;  // chat lines
  }
  Act(out);
}

void TourBot::Tell(const MoveShape& shape, std::string& out) {
  for (const bool to_next : {false, true}) {
    const auto record = net::BuildMove(shape, net::Addressee{position_, to_next, true});
    if (!record) {
      problems_.push_back("no record for a step");
      continue;
    }
    if (const auto framed = net::WrapRelay(*record, position_)) out += *framed;
  }
}

void TourBot::Act(std::string& out) {
  NoteRound();
  if (before_act_ && !ended_) out += before_act_(*this);
  if (!options_.acts) return;
  for (int i = 0; i < 8 && !ended_ && ActOnce(out); ++i) NoteRound();
}

void TourBot::NoteRound() {
  const bool scored = state_.Phase == phNextRound || state_.GameOver;
  if (scored && rounds_ < state_.RoundNo) {
    rounds_ = state_.RoundNo;
    round_scores_.push_back(Scores());
  }
}

bool TourBot::ActOnce(std::string& out) {
  GameState& s = state_;
  if (!s.InGame) return false;
  const int p = s.Phase;
  if (p >= phBid1 && p <= phBid3) {
    if (p != 3 || !s.InBidding[3]) return false;
    if (s.BidState == 1) Take(Move::Begin());
    std::uniform_int_distribution<int> coin(0, 2);
    const bool bid = s.CurrentBid == kOpeningBidBase ||
                     (s.CurrentBid + kBidStep <= options_.bid_limit && coin(random_) != 0);
    if (!Take(bid ? Move::Bid(3) : Move::Pass(3))) return false;
    Tell(MoveShape::BidReport(position_, bid ? SeatCell::Bid(s.CurrentBid) : SeatCell::Pass()), out);
    return true;
  }
  const bool declarer = s.Declarer == 3;
  if (p == phBidDone && net::SoleBidder(s) == 3) {
    if (!Take(Move::OpenWidow())) return false;
    Tell(MoveShape::WidowOpened(), out);
    return true;
  }
  if (p == phWidowOpen && declarer) {
    if (!Take(Move::TakeWidow())) return false;
    Tell(MoveShape::WidowTaken(), out);
    return true;
  }
  if ((p == phGive || p == phGiveChosen) && declarer && s.HandCount[3] == 10) {
    for (int a = 1; a <= 10; ++a) {
      for (int b = a + 1; b <= 10; ++b) {
        if (!GiftIsValid(s.Hands[3], a, b)) continue;
        if (!Take(Move::Give(a, b))) return false;
        Tell(MoveShape::CardsGiven(a, b), out);
        return true;
      }
    }
    return false;
  }
  if (p == phGiven && declarer) {
    if (s.HandCount[NextSeat(3)] == 7) {
      if (!Take(Move::ShowGiven())) return false;
      Tell(MoveShape::GivingDone(), out);
      return true;
    }
    if (s.Trump == kNoSuit) {
      const std::uint8_t suit = s.Hands[3][1].suit;
      if (!Take(Move::Trump(suit))) return false;
      Tell(MoveShape::TrumpChosen(suit), out);
      return true;
    }
    const int contract = s.CurrentBid;
    if (!Take(Move::Order(contract))) return false;
    Tell(MoveShape::ContractAnnounced(contract), out);
    return true;
  }
  const bool my_card = p == phPlay3 || (p == phOrdered && s.Leader == 3);
  if (my_card) {
    if (p == phOrdered && !Take(Move::StartPlay())) return false;
    for (int slot = 1; slot <= s.HandCount[3]; ++slot) {
      if (!engine_.CardPlayable(3, slot) || engine_.IsIllegalCard(3, slot)) continue;
      if (!Take(Move::Card(3, slot))) return false;
      const SeatCell marriage = s.MarriageNow == 2   ? SeatCell::Forty()
                                : s.MarriageNow == 1 ? SeatCell::Twenty()
                                                     : SeatCell::Empty();
      Tell(MoveShape::CardPlayed(position_, slot, marriage), out);
      return true;
    }
    problems_.push_back("no card to play");
    return false;
  }
  if (p == phTrickFull && s.Leader == 3) {
    if (!Take(Move::Collect())) return false;
    if (s.Phase == phRoundOver) Take(Move::Score());
    Tell(MoveShape::TrickCollected(), out);
    return true;
  }
  if (p == phNextRound && position_ == 1 && !asked_next_) {
    asked_next_ = true;
    if (const auto r = net::BuildNextRound(position_)) out += *r;
    return false;
  }
  return false;
}

}  // namespace varnok::tour
