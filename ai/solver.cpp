// Alpha-beta over the declarer's points with a table of bounds kept at the
// start of each trick, zero-window tests (MTD(f)) for exact values, and a
// move order that tries the likely best card first.
#include "solver.h"

#include "bidding.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <random>

namespace varnok::ai {

namespace {

// Card points by rank index 0..5 (nine ... ace).
constexpr std::array<int, 6> kRankPoints = {0, 2, 3, 4, 10, 11};
constexpr int kRankQueen = 2;
constexpr int kRankKing = 3;
constexpr int kInfinity = 10000;

constexpr int Suit(int card) { return card / 6; }
constexpr int Rank(int card) { return card % 6; }
constexpr int Points(int card) { return kRankPoints[static_cast<std::size_t>(card % 6)]; }
constexpr CardSet Bit(int card) { return CardSet{1} << card; }
constexpr CardSet SuitMask(int suit) { return CardSet{63} << (6 * suit); }

// Points of each set of ranks of one suit (bit 0 = nine ... bit 5 = ace).
constexpr std::array<int, 64> kSuitPoints = [] {
  std::array<int, 64> table{};
  for (unsigned m = 0; m < 64; ++m)
    for (int r = 0; r < 6; ++r)
      if (m & (1u << r)) table[m] += kRankPoints[static_cast<std::size_t>(r)];
  return table;
}();

int PointsOf(CardSet set) {
  return kSuitPoints[set & 63u] + kSuitPoints[(set >> 6) & 63u] + kSuitPoints[(set >> 12) & 63u] +
         kSuitPoints[(set >> 18) & 63u];
}

// Whether `card` beats the card `best` that wins the trick so far.
bool Beats(int best, int card, int trump) {
  if (Suit(card) == Suit(best)) return card > best;
  return Suit(card) == trump;
}

// The marriage points of leading `card` from `hand`.
int MarriageGain(int card, CardSet hand, int trump) {
  const int rank = Rank(card);
  if (rank != kRankQueen && rank != kRankKing) return 0;
  const int partner = rank == kRankQueen ? card + 1 : card - 1;
  if ((hand & Bit(partner)) == 0) return 0;
  return Suit(card) == trump ? 40 : 20;
}

CardSet Legal(CardSet hand, int count, int led_card, int trump) {
  if (count == 0) return hand;
  const CardSet follow = hand & SuitMask(Suit(led_card));
  if (follow) return follow;
  const CardSet trumps = hand & SuitMask(trump);
  return trumps ? trumps : hand;
}

// Whether a hand can beat `best` when it must play to a trick led with `led`.
bool CanBeat(CardSet hand, int led, int best, int trump) {
  const CardSet legal = Legal(hand, 1, led, trump);
  for (CardSet rest = legal; rest; rest &= rest - 1)
    if (Beats(best, std::countr_zero(rest), trump)) return true;
  return false;
}

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 31;
  x *= 0x7fb5d329728ea185ULL;
  x ^= x >> 27;
  x *= 0x81dadef4bc2dd44dULL;
  x ^= x >> 33;
  return x;
}

// The exact value of f, known to lie in lower..upper, by zero-window tests
// (each fail-soft answer narrows the range): first next to a guess (the
// value of a card played instead is often the same), then halving.
template <typename F>
int Bisect(F&& f, int lower, int upper, int guess) {
  int probes = 0;
  while (lower < upper) {
    int t = (lower + upper + 1) / 2;
    if (probes == 0) t = std::clamp(guess, lower + 1, upper);
    else if (probes == 1) t = guess <= lower ? lower + 1 : upper;
    ++probes;
    const int r = f(t - 1, t);
    if (r >= t) lower = r;
    else upper = r;
  }
  return lower;
}

}  // namespace

SolverPosition PositionOf(const GameState& s) {
  SolverPosition p;
  for (int seat = 1; seat <= 3; ++seat)
    for (int i = 1; i <= kHandRange; ++i) p.hands[static_cast<std::size_t>(seat - 1)] |= CardBitOf(s.Hands[seat][i]);
  p.trump = std::max(0, SuitIndex(s.Trump));
  p.declarer = std::clamp(int{s.Declarer}, 1, 3) - 1;
  p.leader = std::clamp(int{s.Leader}, 1, 3) - 1;
  p.trick_count = s.TrickPos >= 2 && s.TrickPos <= 3 ? s.TrickPos - 1 : 0;
  for (int i = 0; i < p.trick_count; ++i) p.trick[static_cast<std::size_t>(i)] = CardIndex(s.Stol[i + 1]) - 1;
  p.declarer_points = s.RoundPoints[std::clamp(int{s.Declarer}, 1, 3)];
  return p;
}

SolverPosition RandomFirstLead(std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::array<int, 24> deck{};
  std::iota(deck.begin(), deck.end(), 0);
  std::shuffle(deck.begin(), deck.end(), rng);
  // Seven cards to each seat, three to the widow; the seat whose seven
  // cards the bidding rates highest declares, takes the widow, gives two
  // cards and names the trump as the classic computer does.
  std::array<TCardList, 3> hands{EmptyCardList(), EmptyCardList(), EmptyCardList()};
  for (std::size_t i = 0; i < 21; ++i) hands[i / 7][static_cast<int>(i % 7) + 1] = CardOfIndex(deck[i] + 1);
  int declarer = 0;
  int best = -1;
  for (int seat = 0; seat < 3; ++seat) {
    const int limit = ComputeMaxBid(hands[static_cast<std::size_t>(seat)]).max_bid;
    if (limit > best) {
      best = limit;
      declarer = seat;
    }
  }
  TCardList& ten = hands[static_cast<std::size_t>(declarer)];
  for (int w = 0; w < 3; ++w) ten[8 + w] = CardOfIndex(deck[static_cast<std::size_t>(21 + w)] + 1);
  const HandEvaluation plan = EvaluateHand(ten, kWidowFloor);
  SolverPosition p;
  p.declarer = p.leader = declarer;
  p.trump = std::max(0, SuitIndex(plan.trump));
  for (int seat = 0; seat < 3; ++seat)
    for (int i = 1; i <= kHandRange; ++i) p.hands[static_cast<std::size_t>(seat)] |= CardBitOf(hands[static_cast<std::size_t>(seat)][i]);
  const CardSet g1 = CardBitOf(ten[plan.give1]);
  const CardSet g2 = CardBitOf(ten[plan.give2]);
  p.hands[static_cast<std::size_t>(declarer)] &= ~(g1 | g2);
  p.hands[static_cast<std::size_t>((declarer + 1) % 3)] |= g1;
  p.hands[static_cast<std::size_t>((declarer + 2) % 3)] |= g2;
  return p;
}

SolverPosition After(const SolverPosition& p, int c) {
  const int mover = ToMove(p);
  SolverPosition next = p;
  next.hands[static_cast<std::size_t>(mover)] &= ~Bit(c);
  if (p.trick_count == 0 && mover == p.declarer)
    next.declarer_points += MarriageGain(c, p.hands[static_cast<std::size_t>(mover)], p.trump);
  if (p.trick_count < 2) {
    next.trick[static_cast<std::size_t>(p.trick_count)] = c;
    next.trick_count = p.trick_count + 1;
    return next;
  }
  const std::array<int, 3> cards = {p.trick[0], p.trick[1], c};
  int w = 0;
  if (Beats(cards[0], cards[1], p.trump)) w = 1;
  if (Beats(cards[static_cast<std::size_t>(w)], cards[2], p.trump)) w = 2;
  next.leader = (p.leader + w) % 3;
  next.trick_count = 0;
  if (next.leader == p.declarer) next.declarer_points += Points(cards[0]) + Points(cards[1]) + Points(cards[2]);
  return next;
}

std::vector<CardValue> Solver::CardsReaching(const SolverPosition& position, int target) {
  std::vector<CardValue> out;
  for (CardSet rest = LegalCards(position); rest; rest &= rest - 1) {
    const int c = std::countr_zero(rest);
    out.push_back(CardValue{c, Reaches(After(position, c), target) ? 1 : 0});
  }
  return out;
}

CardSet LegalCards(const SolverPosition& p) {
  return Legal(p.hands[static_cast<std::size_t>(ToMove(p))], p.trick_count, p.trick[0], p.trump);
}

Solver::Solver(int table_bits) {
  table_bits = std::clamp(table_bits, 10, 26);
  table_.resize(std::size_t{1} << table_bits);
  mask_ = (std::uint64_t{1} << table_bits) - 1;
}

void Solver::Clear() { std::fill(table_.begin(), table_.end(), Entry{}); }

void Solver::Load(const SolverPosition& p) {
  hands_ = p.hands;
  trump_ = p.trump;
  declarer_ = p.declarer;
  leader_ = p.leader;
  count_ = p.trick_count;
  trick_[0] = p.trick[0];
  trick_[1] = p.trick[1];
}

int Solver::FutureBound() const {
  int bound = PointsOf(hands_[0] | hands_[1] | hands_[2]);
  for (int i = 0; i < count_; ++i) bound += Points(trick_[static_cast<std::size_t>(i)]);
  const CardSet d = hands_[static_cast<std::size_t>(declarer_)];
  for (int suit = 0; suit < 4; ++suit) {
    const CardSet pair = Bit(6 * suit + kRankQueen) | Bit(6 * suit + kRankKing);
    if ((d & pair) == pair) bound += suit == trump_ ? 40 : 20;
  }
  return bound;
}

int Solver::LastTrick() {
  // Every seat holds one card; the leader's cannot announce a marriage.
  std::array<int, 3> cards{};
  for (int i = 0; i < 3; ++i)
    cards[static_cast<std::size_t>(i)] = std::countr_zero(hands_[static_cast<std::size_t>((leader_ + i) % 3)]);
  int best = 0;
  for (int i = 1; i < 3; ++i)
    if (Beats(cards[static_cast<std::size_t>(best)], cards[static_cast<std::size_t>(i)], trump_)) best = i;
  if ((leader_ + best) % 3 != declarer_) return 0;
  return Points(cards[0]) + Points(cards[1]) + Points(cards[2]);
}

int Solver::OrderMoves(CardSet legal, int mover, int first, int* out) const {
  std::array<std::int64_t, 10> score{};
  int n = 0;
  const bool declarer_moves = mover == declarer_;
  const auto& history = history_[declarer_moves ? 0 : 1];
  const CardSet others = hands_[static_cast<std::size_t>((mover + 1) % 3)] | hands_[static_cast<std::size_t>((mover + 2) % 3)];
  int best = 0;
  bool own_side_wins = false;
  if (count_ > 0) {
    for (int i = 1; i < count_; ++i)
      if (Beats(trick_[static_cast<std::size_t>(best)], trick_[static_cast<std::size_t>(i)], trump_)) best = i;
    const int winner = (leader_ + best) % 3;
    own_side_wins = (winner == declarer_) == declarer_moves;
  }
  const int third = (mover + 1) % 3;
  const bool third_is_partner = (third == declarer_) == declarer_moves;
  for (CardSet rest = legal; rest; rest &= rest - 1) {
    const int c = std::countr_zero(rest);
    const int pts = Points(c);
    int s = 0;
    if (count_ == 0) {
      const CardSet higher = others & SuitMask(Suit(c)) & ~((Bit(c) << 1) - 1);
      const bool master = higher == 0;
      if (declarer_moves && MarriageGain(c, hands_[static_cast<std::size_t>(mover)], trump_) > 0) s = 300 + pts;
      else if (master) s = 100 + pts + (Suit(c) == trump_ ? 5 : 0);
      else s = -2 * pts - Rank(c);
    } else {
      const int top = trick_[static_cast<std::size_t>(best)];
      const bool beats = Beats(top, c, trump_);
      if (count_ == 2) {
        if (beats) s = 1000 + pts;
        else if (own_side_wins) s = 500 + pts;
        else s = -2 * pts - Rank(c);
      } else if (beats) {
        if (third_is_partner || !CanBeat(hands_[static_cast<std::size_t>(third)], trick_[0], c, trump_)) s = 700 + pts;
        else s = 200 - pts;
      } else {
        s = -2 * pts - Rank(c);
      }
    }
    std::int64_t key = std::int64_t{s} * (std::int64_t{1} << 32) + history[static_cast<std::size_t>(c)];
    if (c == first) key = std::int64_t{1} << 62;
    // Insertion by score, highest first.
    int j = n++;
    while (j > 0 && score[static_cast<std::size_t>(j - 1)] < key) {
      score[static_cast<std::size_t>(j)] = score[static_cast<std::size_t>(j - 1)];
      out[j] = out[j - 1];
      --j;
    }
    score[static_cast<std::size_t>(j)] = key;
    out[j] = c;
  }
  return n;
}

int Solver::Search(int alpha, int beta) {
  ++nodes_;
  // The declarer never loses points: with enough already, nothing below matters.
  if (beta <= 0) return 0;
  if (count_ == 0) {
    const CardSet lead_hand = hands_[static_cast<std::size_t>(leader_)];
    if (lead_hand == 0) return 0;
    if ((lead_hand & (lead_hand - 1)) == 0) return LastTrick();
    // Trumps above every trump of the other side win their tricks: the
    // declarer's are points he will take, the defenders' points he will not.
    const CardSet trumps = SuitMask(trump_);
    const CardSet own = hands_[static_cast<std::size_t>(declarer_)] & trumps;
    const CardSet theirs = (hands_[0] | hands_[1] | hands_[2]) & trumps & ~own;
    const CardSet own_top = theirs ? own & ~(std::bit_floor(theirs) * 2 - 1) : own;
    const CardSet their_top = theirs & ~(own ? std::bit_floor(own) * 2 - 1 : 0);
    const int sure = PointsOf(own_top);
    if (sure >= beta) return sure;
    const int bound = FutureBound() - PointsOf(their_top);
    if (bound <= alpha) return bound;
  }
  const std::uint64_t key1 = std::uint64_t{hands_[0]} | (std::uint64_t{hands_[1]} << 24) |
                             (std::uint64_t(leader_) << 48) | (std::uint64_t(count_) << 50) |
                             (std::uint64_t(trump_) << 52) | (std::uint64_t(declarer_) << 54) | (std::uint64_t{1} << 57);
  const std::uint64_t key2 = std::uint64_t{hands_[2]} | (std::uint64_t(count_ > 0 ? trick_[0] : 0) << 24) |
                             (std::uint64_t(count_ > 1 ? trick_[1] : 0) << 29);
  Entry* entry = count_ < 2 ? &table_[Mix(key1 ^ (key2 * 0x9e3779b97f4a7c15ULL)) & mask_] : nullptr;
  int first = -1;
  if (entry != nullptr && entry->key1 == key1 && entry->key2 == key2) {
    if (entry->lower >= beta) return entry->lower;
    if (entry->upper <= alpha) return entry->upper;
    if (entry->lower == entry->upper) return entry->lower;
    alpha = std::max(alpha, int{entry->lower});
    beta = std::min(beta, int{entry->upper});
    first = entry->best;
  }

  const int mover = (leader_ + count_) % 3;
  const bool maxing = mover == declarer_;
  const CardSet legal = Legal(hands_[static_cast<std::size_t>(mover)], count_, trick_[0], trump_);
  std::array<int, 10> moves{};
  const int n = OrderMoves(legal, mover, first, moves.data());
  const int a0 = alpha;
  const int b0 = beta;
  int best = maxing ? -kInfinity : kInfinity;
  int best_card = -1;
  for (int i = 0; i < n; ++i) {
    const int c = moves[static_cast<std::size_t>(i)];
    int gain = 0;
    if (count_ == 0 && maxing) gain = MarriageGain(c, hands_[static_cast<std::size_t>(mover)], trump_);
    hands_[static_cast<std::size_t>(mover)] &= ~Bit(c);
    trick_[static_cast<std::size_t>(count_++)] = c;
    int v = 0;
    if (count_ == 3) {
      int w = 0;
      if (Beats(trick_[0], trick_[1], trump_)) w = 1;
      if (Beats(trick_[static_cast<std::size_t>(w)], trick_[2], trump_)) w = 2;
      const int winner = (leader_ + w) % 3;
      const int won = winner == declarer_ ? Points(trick_[0]) + Points(trick_[1]) + Points(trick_[2]) : 0;
      // The next tricks reuse the trick's places: keep this one's cards.
      const std::array<int, 3> cards = trick_;
      const int saved = leader_;
      leader_ = winner;
      count_ = 0;
      v = gain + won + Search(alpha - gain - won, beta - gain - won);
      leader_ = saved;
      trick_ = cards;
      count_ = 3;
    } else {
      v = gain + Search(alpha - gain, beta - gain);
    }
    --count_;
    hands_[static_cast<std::size_t>(mover)] |= Bit(c);
    if (maxing ? v > best : v < best) {
      best = v;
      best_card = c;
    }
    if (maxing) alpha = std::max(alpha, v);
    else beta = std::min(beta, v);
    if (alpha >= beta) {
      const int left = std::popcount(hands_[static_cast<std::size_t>(mover)]);
      std::uint32_t& h = history_[maxing ? 0 : 1][static_cast<std::size_t>(c)];
      h = std::min<std::uint32_t>(h + static_cast<std::uint32_t>(left * left), 1u << 30);
      break;
    }
  }

  if (entry != nullptr) {
    if (entry->key1 != key1 || entry->key2 != key2) *entry = Entry{key1, key2, 0, static_cast<std::int16_t>(FutureBound()), -1};
    entry->best = static_cast<std::int8_t>(best_card);
    if (best <= a0) entry->upper = static_cast<std::int16_t>(std::min(int{entry->upper}, best));
    else if (best >= b0) entry->lower = static_cast<std::int16_t>(std::max(int{entry->lower}, best));
    else entry->lower = entry->upper = static_cast<std::int16_t>(best);
  }
  return best;
}

int Solver::Value(const SolverPosition& position) {
  Load(position);
  const int bound = FutureBound();
  const int future = Bisect([&](int a, int b) { return Search(a, b); }, 0, bound, bound / 2);
  return position.declarer_points + future;
}

bool Solver::Reaches(const SolverPosition& position, int target) {
  Load(position);
  const int t = target - position.declarer_points;
  if (t <= 0) return true;
  return Search(t - 1, t) >= t;
}

SolveResult Solver::Solve(const SolverPosition& position) {
  Load(position);
  SolveResult result;
  const int mover = (leader_ + count_) % 3;
  const bool maxing = mover == declarer_;
  const CardSet legal = Legal(hands_[static_cast<std::size_t>(mover)], count_, trick_[0], trump_);
  std::array<int, 10> moves{};
  const int n = OrderMoves(legal, mover, -1, moves.data());
  if (n == 0) {
    result.value = position.declarer_points;
    return result;
  }
  result.value = maxing ? -kInfinity : kInfinity;
  int guess = -1;
  for (int i = 0; i < n; ++i) {
    const int c = moves[static_cast<std::size_t>(i)];
    const SolverPosition next = After(position, c);
    Load(next);
    const int bound = FutureBound();
    const int future = Bisect([&](int a, int b) { return Search(a, b); }, 0, bound,
                              guess < 0 ? bound / 2 : guess - next.declarer_points);
    const int value = next.declarer_points + future;
    guess = value;
    result.cards.push_back(CardValue{c, value});
    result.value = maxing ? std::max(result.value, value) : std::min(result.value, value);
    Load(position);
  }
  std::sort(result.cards.begin(), result.cards.end(), [](const CardValue& a, const CardValue& b) { return a.card < b.card; });
  return result;
}

}  // namespace varnok::ai
