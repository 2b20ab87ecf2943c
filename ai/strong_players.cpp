#include "strong_players.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <random>
#include <vector>

#include "bidding.h"
#include "card_play.h"
#include "strong_sampler.h"

namespace varnok::ai {

namespace {

constexpr std::array<int, 6> kRankPoints = {0, 2, 3, 4, 10, 11};
constexpr int Points(int card) { return kRankPoints[static_cast<std::size_t>(card % 6)]; }
constexpr CardSet Bit(int card) { return CardSet{1} << card; }
constexpr CardSet SuitMask(int suit) { return CardSet{63} << (6 * suit); }

// A bid is kept up to the highest value the declarer reaches in this share
// of the simulated deals.
constexpr double kBidConfidence = 0.75;
constexpr int kLowestBid = kOpeningBidBase + kBidStep;
// The open-card value flatters the declarer, who does not see the
// defenders' cards: the order is worked out from values this much lower.
constexpr int kOpenCardMargin = 10;

// What a result of `v` points is worth to the declarer when `order` points
// are needed: the order swings his general count by four times the order,
// every point counts once besides.
int DeclarerUtility(int v, int order) { return v + (v >= order ? 4 * order : 0); }

int SlotOfCard(const GameState& view, int seat, int card) {
  for (int i = 1; i <= kHandRange; ++i)
    if (CardIndex(view.Hands[seat][i]) - 1 == card) return i;
  return 0;
}

CardSet HandOf(const GameState& view, int seat) {
  CardSet hand = 0;
  for (int i = 1; i <= kHandRange; ++i) hand |= CardBitOf(view.Hands[seat][i]);
  return hand;
}

std::vector<int> CardsOf(CardSet set) {
  std::vector<int> out;
  for (; set; set &= set - 1) out.push_back(std::countr_zero(set));
  return out;
}

// The order that does best over the simulated values: the declarer gains
// the order when he makes it and loses it when not.
int BestOrder(const std::vector<int>& values, int bid) {
  int best = bid;
  long best_gain = 0;
  bool first = true;
  for (int order = bid; order <= kMaxOrder; ++order) {
    long made = 0;
    for (int v : values) made += v - kOpenCardMargin >= order ? 1 : 0;
    const long n = static_cast<long>(values.size());
    const long gain = order * (2 * made - n);
    if (first || gain > best_gain) {
      best = order;
      best_gain = gain;
      first = false;
    }
  }
  return best;
}

}  // namespace

class StrongPlayer::Clock {
 public:
  explicit Clock(const StrongOptions& o) : options_(o), start_(std::chrono::steady_clock::now()) {}
  // Whether the decision should stop after `samples` deals.
  bool Over(int samples) const {
    if (samples < 1) return false;
    if (options_.max_samples > 0 && samples >= options_.max_samples) return true;
    return std::chrono::steady_clock::now() - start_ >= std::chrono::milliseconds(options_.budget_ms);
  }
  bool TimeUp() const {
    return std::chrono::steady_clock::now() - start_ >= std::chrono::milliseconds(options_.budget_ms);
  }

 private:
  StrongOptions options_;
  std::chrono::steady_clock::time_point start_;
};

StrongPlayer::StrongPlayer(StrongOptions options) : options_(options), solver_() {}

int StrongPlayer::ChooseCard(const GameState& view, int seat, const SeatKnowledge& knowledge) {
  last_samples_ = 0;
  const int classic = ai::ChooseCard(view, seat, knowledge);
  const SeatInference inf = InferFromView(view, seat);
  if (!inf.valid) return classic;
  SolverPosition mine = inf.position;
  mine.hands[static_cast<std::size_t>(inf.me)] = inf.mine;
  const std::vector<int> legal = CardsOf(LegalCards(mine));
  if (legal.size() <= 1) return legal.empty() ? classic : SlotOfCard(view, seat, legal[0]);
  // An order already made cannot be lost: the classic card takes the points.
  const int order = view.Zakaz;
  if (inf.position.declarer_points >= order) return classic;

  const bool declarer = inf.me == inf.declarer;
  std::mt19937_64 rng(ViewSeed(view, seat, options_.seed));
  std::array<int, 24> made{};
  Clock clock(options_);
  int samples = 0;
  while (!clock.Over(samples)) {
    SolverPosition deal;
    DrawHands(inf, rng, deal);
    for (const CardValue& cv : solver_.CardsReaching(deal, order)) made[static_cast<std::size_t>(cv.card)] += cv.value;
    ++samples;
  }
  last_samples_ = samples;
  auto score = [&](int c) { return declarer ? made[static_cast<std::size_t>(c)] : -made[static_cast<std::size_t>(c)]; };
  int top = score(legal[0]);
  for (int c : legal) top = std::max(top, score(c));
  const int classic_card = CardIndex(view.Hands[seat][classic]) - 1;
  if (classic_card >= 0 && std::find(legal.begin(), legal.end(), classic_card) != legal.end() && score(classic_card) == top)
    return classic;
  int best = -1;
  for (int c : legal)
    if (score(c) == top && (best < 0 || Points(c) < Points(best))) best = c;
  return SlotOfCard(view, seat, best);
}

int StrongPlayer::MaxBid(const GameState& view, int seat) {
  last_samples_ = 0;
  if (!options_.simulate_contract) return ComputeMaxBid(view.Hands[seat]).max_bid;
  const CardSet mine = HandOf(view, seat);
  const std::vector<int> others = CardsOf(((CardSet{1} << 24) - 1) & ~mine);
  const std::vector<int> own = CardsOf(mine);
  if (own.size() != 7 || others.size() != 17) return kLowestBid;
  const int me = seat - 1;
  std::mt19937_64 rng(ViewSeed(view, seat, options_.seed ^ 0xb1d));
  std::vector<int> values;
  Clock clock(options_);
  std::vector<int> pool = others;
  while (!clock.Over(static_cast<int>(values.size()))) {
    std::shuffle(pool.begin(), pool.end(), rng);
    // The widow is pool[0..2]; the seat after gets pool[3..9], the next pool[10..16].
    TCardList hand = EmptyCardList();
    for (std::size_t i = 0; i < 7; ++i) hand[static_cast<int>(i) + 1] = CardOfIndex(own[i] + 1);
    for (int w = 0; w < 3; ++w) hand[8 + w] = CardOfIndex(pool[static_cast<std::size_t>(w)] + 1);
    const HandEvaluation plan = EvaluateHand(hand, kWidowFloor);
    SolverPosition p;
    p.declarer = p.leader = me;
    p.trump = std::max(0, SuitIndex(plan.trump));
    for (int i = 1; i <= 10; ++i) p.hands[static_cast<std::size_t>(me)] |= CardBitOf(hand[i]);
    const int g1 = CardIndex(hand[plan.give1]) - 1;
    const int g2 = CardIndex(hand[plan.give2]) - 1;
    if (g1 < 0 || g2 < 0 || g1 == g2) continue;
    p.hands[static_cast<std::size_t>(me)] &= ~(Bit(g1) | Bit(g2));
    for (int i = 3; i < 10; ++i) p.hands[static_cast<std::size_t>((me + 1) % 3)] |= Bit(pool[static_cast<std::size_t>(i)]);
    for (int i = 10; i < 17; ++i) p.hands[static_cast<std::size_t>((me + 2) % 3)] |= Bit(pool[static_cast<std::size_t>(i)]);
    p.hands[static_cast<std::size_t>((me + 1) % 3)] |= Bit(g1);
    p.hands[static_cast<std::size_t>((me + 2) % 3)] |= Bit(g2);
    values.push_back(solver_.Value(p));
  }
  last_samples_ = static_cast<int>(values.size());
  if (values.empty()) return kLowestBid;
  std::sort(values.begin(), values.end(), std::greater<>());
  // The value reached in kBidConfidence of the deals.
  const std::size_t at = std::min(values.size() - 1, static_cast<std::size_t>(kBidConfidence * static_cast<double>(values.size())));
  const int reach = values[at] - kOpenCardMargin;
  int bid = kLowestBid;
  while (bid + kBidStep <= std::min(reach, kMaxOrder)) bid += kBidStep;
  return bid;
}

DeclarerPlan StrongPlayer::PlanDeclarer(const GameState& view, int seat) {
  last_samples_ = 0;
  const DeclarerPlan classic = ai::PlanDeclarer(view, seat);
  const CardSet mine = HandOf(view, seat);
  if (!options_.simulate_contract || std::popcount(mine) != 10) return classic;
  const int me = seat - 1;
  const int bid = view.CurrentBid;

  struct Candidate {
    int trump = 0;
    int give1 = 0;  // card for the seat after the declarer
    int give2 = 0;  // card for the seat after that
    long utility = 0;
    std::vector<int> values;
  };
  std::vector<Candidate> candidates;
  auto add = [&](int trump, int g1, int g2) {
    for (const Candidate& c : candidates)
      if (c.trump == trump && c.give1 == g1 && c.give2 == g2) return;
    candidates.push_back(Candidate{trump, g1, g2, 0, {}});
  };
  const int classic_trump = SuitIndex(classic.trump);
  const int cg1 = CardIndex(view.Hands[seat][classic.give1]) - 1;
  const int cg2 = CardIndex(view.Hands[seat][classic.give2]) - 1;
  if (classic_trump >= 0 && cg1 >= 0 && cg2 >= 0 && cg1 != cg2) add(classic_trump, cg1, cg2);

  // Gifts worth trying: cards that take few points and tricks, the ones that
  // leave a suit empty (to ruff it), never an ace or half of a marriage.
  auto give_cost = [&](int c) {
    const int suit = c / 6;
    const int rank = c % 6;
    int cost = Points(c);
    if (rank == 5) cost += 30;
    if (rank == 4 && (mine & Bit(6 * suit + 5))) cost += 10;
    if ((rank == 2 && (mine & Bit(c + 1))) || (rank == 3 && (mine & Bit(c - 1)))) cost += 25;
    return cost;
  };
  for (int trump = 0; trump < 4; ++trump) {
    if (std::popcount(mine & SuitMask(trump)) < 3) continue;
    const std::vector<int> side = CardsOf(mine & ~SuitMask(trump));
    struct Pair {
      int a;
      int b;
      int score;
    };
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < side.size(); ++i)
      for (std::size_t j = i + 1; j < side.size(); ++j) {
        const int a = side[i];
        const int b = side[j];
        const CardSet rest = mine & ~(Bit(a) | Bit(b));
        int emptied = 0;
        for (int suit : {a / 6, b / 6})
          if ((rest & SuitMask(suit)) == 0) ++emptied;
        if (a / 6 == b / 6 && emptied == 2) emptied = 1;
        pairs.push_back(Pair{a, b, 8 * emptied - give_cost(a) - give_cost(b)});
      }
    std::stable_sort(pairs.begin(), pairs.end(), [](const Pair& x, const Pair& y) { return x.score > y.score; });
    for (std::size_t k = 0; k < pairs.size() && k < 5; ++k) {
      add(trump, pairs[k].a, pairs[k].b);
      add(trump, pairs[k].b, pairs[k].a);
    }
  }

  // The same drawn deals for every candidate, so that they are compared fairly.
  std::mt19937_64 rng(ViewSeed(view, seat, options_.seed ^ 0x61f7));
  std::vector<int> pool = CardsOf(((CardSet{1} << 24) - 1) & ~mine);
  std::vector<std::array<CardSet, 2>> deals;
  auto deal = [&](std::size_t k) {
    while (deals.size() <= k) {
      std::shuffle(pool.begin(), pool.end(), rng);
      std::array<CardSet, 2> d{};
      for (std::size_t i = 0; i < pool.size(); ++i) d[i < 7 ? 0 : 1] |= Bit(pool[i]);
      deals.push_back(d);
    }
    return deals[k];
  };
  Clock clock(options_);
  const int per_candidate_cap = options_.max_samples > 0 ? options_.max_samples : 1 << 20;
  std::vector<std::size_t> alive(candidates.size());
  std::iota(alive.begin(), alive.end(), std::size_t{0});
  int target = std::min(2, per_candidate_cap);
  bool stop = false;
  while (!stop) {
    for (std::size_t idx : alive) {
      Candidate& c = candidates[idx];
      while (static_cast<int>(c.values.size()) < target) {
        const std::array<CardSet, 2> d = deal(c.values.size());
        SolverPosition p;
        p.declarer = p.leader = me;
        p.trump = c.trump;
        p.hands[static_cast<std::size_t>(me)] = mine & ~(Bit(c.give1) | Bit(c.give2));
        p.hands[static_cast<std::size_t>((me + 1) % 3)] = d[0] | Bit(c.give1);
        p.hands[static_cast<std::size_t>((me + 2) % 3)] = d[1] | Bit(c.give2);
        const int v = solver_.Value(p);
        c.values.push_back(v);
        c.utility += DeclarerUtility(v, bid);
        ++last_samples_;
        if (clock.TimeUp() && last_samples_ >= 1) {
          stop = true;
          break;
        }
      }
      if (stop) break;
    }
    auto mean = [&](std::size_t i) {
      const Candidate& c = candidates[i];
      return c.values.empty() ? -1e9 : static_cast<double>(c.utility) / static_cast<double>(c.values.size());
    };
    std::stable_sort(alive.begin(), alive.end(), [&](std::size_t x, std::size_t y) { return mean(x) > mean(y); });
    if (stop || target >= per_candidate_cap) break;
    if (alive.size() > 1) alive.resize((alive.size() + 1) / 2);
    target = std::min(per_candidate_cap, target * 2);
  }
  const Candidate& best = candidates[alive.front()];
  DeclarerPlan plan;
  plan.trump = kSuits[static_cast<std::size_t>(best.trump)];
  plan.give1 = SlotOfCard(view, seat, best.give1);
  plan.give2 = SlotOfCard(view, seat, best.give2);
  plan.estimate = best.values.empty() ? bid : BestOrder(best.values, bid);
  return plan;
}

void LeveledSeats::SetLevel(int seat, ComputerLevel level) {
  if (seat >= 1 && seat <= 3) levels_[static_cast<std::size_t>(seat)] = level;
}

ComputerLevel LeveledSeats::Level(int seat) const {
  return seat >= 1 && seat <= 3 ? levels_[static_cast<std::size_t>(seat)] : ComputerLevel::Classic;
}

namespace {

// Runs a decision and tells its time.
template <typename F>
auto Timed(const std::function<void(double)>& timer, F&& decide) {
  const auto start = std::chrono::steady_clock::now();
  auto result = decide();
  if (timer) timer(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  return result;
}

}  // namespace

int LeveledSeats::MaxBid(int seat, const GameState& state) {
  if (Level(seat) == ComputerLevel::Classic) return classic_.MaxBid(seat, state);
  return Timed(timer_, [&] { return strong_.MaxBid(SeatView(state, seat), seat); });
}

DeclarerPlan LeveledSeats::PlanDeclarer(int seat, const GameState& state) {
  if (Level(seat) == ComputerLevel::Classic) return classic_.PlanDeclarer(seat, state);
  return Timed(timer_, [&] { return strong_.PlanDeclarer(SeatView(state, seat), seat); });
}

int LeveledSeats::ChooseCard(int seat, const GameState& state) {
  if (Level(seat) == ComputerLevel::Classic) return classic_.ChooseCard(seat, state);
  return Timed(timer_, [&] { return strong_.ChooseCard(SeatView(state, seat), seat, classic_.Knowledge().Seat(seat)); });
}

}  // namespace varnok::ai
