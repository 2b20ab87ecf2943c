#include "self_play.h"

#include <algorithm>
#include <stdexcept>

#include "bidding.h"

namespace varnok::selfplay {

namespace {

void AppendArray(std::string& out, const int* values, std::size_t n) {
  out += '[';
  for (std::size_t i = 0; i < n; ++i) {
    if (i) out += ',';
    out += std::to_string(values[i]);
  }
  out += ']';
}

template <std::size_t N>
void AppendArray(std::string& out, const std::array<int, N>& values) {
  AppendArray(out, values.data(), N);
}

}  // namespace

std::string ToJson(const RoundRecord& r) {
  std::string out = "{\"game\":" + std::to_string(r.game) + ",\"round\":" + std::to_string(r.round) +
                    ",\"first_bidder\":" + std::to_string(r.first_bidder) + ",\"deck\":";
  AppendArray(out, r.deck);
  out += ",\"max_bid\":";
  AppendArray(out, r.max_bid);
  out += ",\"bids\":[";
  for (std::size_t i = 0; i < r.bids.size(); ++i) {
    if (i) out += ',';
    out += "[" + std::to_string(r.bids[i].first) + "," + std::to_string(r.bids[i].second) + "]";
  }
  out += "],\"declarer\":" + std::to_string(r.declarer) + ",\"bid\":" + std::to_string(r.bid) + ",\"gift\":";
  AppendArray(out, r.gift);
  out += ",\"trump\":\"" + SuitName(r.trump) + "\",\"order\":" + std::to_string(r.order) + ",\"tricks\":[";
  for (std::size_t i = 0; i < r.tricks.size(); ++i) {
    const TrickRecord& t = r.tricks[i];
    if (i) out += ',';
    out += "{\"leader\":" + std::to_string(t.leader) + ",\"cards\":";
    AppendArray(out, t.cards);
    out += ",\"winner\":" + std::to_string(t.winner) + ",\"marriage\":" + std::to_string(t.marriage) + "}";
  }
  out += "],\"round_points\":";
  AppendArray(out, r.round_points);
  out += ",\"scores\":";
  AppendArray(out, r.scores);
  out += "}";
  return out;
}

SelfPlay::SelfPlay() : engine_(state_, presenter_) {
  engine_.SetComputerPlayers(&computer_);
  engine_.SetPlayerName("PC");
  // Self-play keeps no diagnostic file: no fault listener.
}

void SelfPlay::SetKeepAfter100(bool keep) {
  EngineOptions options = engine_.Options();
  options.KeepAfter100 = keep;
  engine_.SetOptions(options);
}

void SelfPlay::Require(const Move& move) {
  if (!engine_.Apply(move)) throw std::logic_error("self-play step refused: " + ToText(move));
}

void SelfPlay::NewGame() {
  ++game_;
  Require(Move::NewGame());
  need_deal_ = false;
}

RoundRecord SelfPlay::PlayRound() {
  if (game_ == 0 || state_.GameOver) NewGame();
  else if (need_deal_) Require(Move::NextRound());
  return PlayDealtRound();
}

RoundRecord SelfPlay::PlayGivenRound(const DeckOrder& deck, int first_bidder, const std::array<int, 3>& scores) {
  game_ = 1;
  // A game that goes on at round `first_bidder` with these scores.
  engine_.SetResume(first_bidder, PerSeat<int>{0, scores[0], scores[1], scores[2]});
  engine_.SetNextDeck(deck);
  Require(Move::NewGame());
  return PlayDealtRound();
}

RoundRecord SelfPlay::PlayDealtRound() {
  RoundRecord r;
  r.game = game_;
  r.round = state_.RoundNo;
  r.first_bidder = state_.Leader;
  for (int j = 1; j <= 24; ++j) r.deck[static_cast<std::size_t>(j - 1)] = CardIndex(state_.Deck[j]);
  Require(Move::Begin());  // works out the limits of seats 1 and 2
  const int seat3_limit = computer_.Level(3) == ai::ComputerLevel::Classic ? ai::ComputeMaxBid(state_.Hands[3]).max_bid
                                                                           : computer_.MaxBid(3, state_);
  r.max_bid = {state_.MaxBid[1], state_.MaxBid[2], seat3_limit};
  while (state_.Phase != phNextRound && state_.Phase != phGameOver) Act(r);
  for (int seat = 1; seat <= 3; ++seat) {
    r.round_points[static_cast<std::size_t>(seat - 1)] = state_.RoundPoints[seat];
    r.card_points[static_cast<std::size_t>(seat - 1)] = state_.CardPoints[seat];
    r.scores[static_cast<std::size_t>(seat - 1)] = state_.Scores[seat];
  }
  r.game_over = state_.GameOver;
  need_deal_ = !r.game_over;
  return r;
}

void SelfPlay::Act(RoundRecord& r) {
  const int phase = state_.Phase;
  switch (phase) {
    case phBid1:
    case phBid2:
    case phBid3: {
      const int limit = r.max_bid[static_cast<std::size_t>(phase - 1)];
      const bool raise = state_.CurrentBid < limit;
      Require(raise ? Move::Bid(phase) : Move::Pass(phase));
      r.bids.emplace_back(phase, raise ? state_.CurrentBid : 0);
      return;
    }
    case phBidDone:
      r.bid = state_.CurrentBid;
      Require(Move::OpenWidow());
      return;
    case phWidowOpen:
      Require(Move::TakeWidow());
      r.declarer = state_.Declarer;
      return;
    case phGive:
    case phGiveChosen: {
      const int d = state_.Declarer;
      if (d == 3) {
        // The engine leaves seat 3 to a person; here the same plan decides.
        const DeclarerPlan plan = computer_.PlanDeclarer(3, state_);
        r.gift = {CardIndex(state_.Hands[3][plan.give1]), CardIndex(state_.Hands[3][plan.give2])};
        Require(Move::Give(plan.give1, plan.give2, plan.trump));
        pending_order_ = std::max(state_.CurrentBid, plan.estimate);
      } else {
        Require(Move::Give(0, 0));
        r.gift = {CardIndex(state_.GivenCards[1]), CardIndex(state_.GivenCards[2])};
        pending_order_ = state_.Zakaz;
      }
      return;
    }
    case phGiven: {
      Require(Move::ShowGiven());
      Require(Move::Order(pending_order_));
      r.trump = state_.Trump;
      r.order = state_.Zakaz;
      return;
    }
    case phOrdered:
      Require(Move::StartPlay());
      return;
    case phPlay1:
    case phPlay2:
    case phPlay3: {
      const int seat = phase - 10;
      if (state_.TrickPos == 1) r.tricks.push_back(TrickRecord{seat, {}, 0, 0});
      const int pos = state_.TrickPos;
      Require(Move::Card(seat, computer_.ChooseCard(seat, state_)));
      TrickRecord& t = r.tricks.back();
      t.cards[static_cast<std::size_t>(pos - 1)] = CardIndex(state_.Stol[pos]);
      if (pos == 1) t.marriage = state_.MarriageNow == 2 ? 40 : state_.MarriageNow == 1 ? 20 : 0;
      return;
    }
    case phTrickFull:
      r.tricks.back().winner = state_.Leader;
      Require(Move::Collect());
      return;
    case phRoundOver:
      Require(Move::Score());
      return;
    default:
      throw std::logic_error("self-play reached phase " + std::to_string(phase));
  }
}

}  // namespace varnok::selfplay
