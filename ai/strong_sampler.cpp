#include "strong_sampler.h"

#include <algorithm>
#include <bit>

namespace varnok::ai {

namespace {

constexpr CardSet SuitMask(int suit) { return CardSet{63} << (6 * suit); }
constexpr int SuitOf(int card) { return card / 6; }

int BitOf(TCard card) { return CardIndex(card) - 1; }

// The trick's winning place (0..2) among cards in play order.
int WinningPlace(const std::array<int, 3>& cards, int trump) {
  int best = 0;
  for (int i = 1; i < 3; ++i) {
    const int c = cards[static_cast<std::size_t>(i)];
    const int b = cards[static_cast<std::size_t>(best)];
    if (SuitOf(c) == SuitOf(b) ? c > b : SuitOf(c) == trump) best = i;
  }
  return best;
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
  h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  h *= 0xff51afd7ed558ccdULL;
  return h ^ (h >> 29);
}

}  // namespace

std::uint64_t ViewSeed(const GameState& view, int seat, std::uint64_t base) {
  std::uint64_t h = Mix(base, static_cast<std::uint64_t>(seat));
  for (int i = 1; i <= kHandRange; ++i) h = Mix(h, static_cast<std::uint64_t>(CardIndex(view.Hands[seat][i])));
  for (int i = 1; i <= 24; ++i) h = Mix(h, static_cast<std::uint64_t>(CardIndex(view.PlayedCards[i])));
  for (int i = 1; i <= 3; ++i) h = Mix(h, static_cast<std::uint64_t>(CardIndex(view.Stol[i])));
  h = Mix(h, view.RoundNo);
  h = Mix(h, view.Trump);
  h = Mix(h, view.Declarer);
  h = Mix(h, view.Phase);
  return h;
}

SeatInference InferFromView(const GameState& view, int seat) {
  SeatInference inf;
  inf.played_by.fill(-1);
  inf.played_at.fill(-1);
  if (seat < 1 || seat > 3 || view.Declarer < 1 || view.Declarer > 3 || SuitIndex(view.Trump) < 0) return inf;
  inf.me = seat - 1;
  inf.declarer = view.Declarer - 1;
  inf.trump = SuitIndex(view.Trump);
  for (int i = 1; i <= kHandRange; ++i) inf.mine |= CardBitOf(view.Hands[seat][i]);

  CardSet seen = inf.mine;
  int at = 0;
  auto note_play = [&](int who, int card, int led_card, bool lead) {
    inf.played_by[static_cast<std::size_t>(card)] = who;
    inf.played_at[static_cast<std::size_t>(card)] = at++;
    seen |= CardSet{1} << card;
    if (lead) {
      const int rank = card % 6;
      if (rank == 2 || rank == 3) inf.leads.push_back(SeatInference::Lead{who, card, at - 1});
      return;
    }
    if (SuitOf(card) != SuitOf(led_card)) {
      inf.voids[static_cast<std::size_t>(who)] |= 1u << SuitOf(led_card);
      if (SuitOf(card) != inf.trump) inf.voids[static_cast<std::size_t>(who)] |= 1u << inf.trump;
    }
  };

  // The collected tricks: the declarer led the first, each winner the next.
  const int tricks = std::clamp((view.PlayedCount - 1) / 3, 0, 8);
  int leader = inf.declarer;
  for (int t = 0; t < tricks; ++t) {
    std::array<int, 3> cards{};
    for (int i = 0; i < 3; ++i) cards[static_cast<std::size_t>(i)] = BitOf(view.PlayedCards[3 * t + i + 1]);
    if (std::any_of(cards.begin(), cards.end(), [](int c) { return c < 0; })) return inf;
    for (int i = 0; i < 3; ++i) note_play((leader + i) % 3, cards[static_cast<std::size_t>(i)], cards[0], i == 0);
    leader = (leader + WinningPlace(cards, inf.trump)) % 3;
  }
  // The trick on the table.
  SolverPosition& p = inf.position;
  p.trump = inf.trump;
  p.declarer = inf.declarer;
  p.leader = std::clamp(int{view.Leader}, 1, 3) - 1;
  p.trick_count = view.TrickPos >= 2 && view.TrickPos <= 3 ? view.TrickPos - 1 : 0;
  for (int i = 0; i < p.trick_count; ++i) {
    const int card = BitOf(view.Stol[i + 1]);
    if (card < 0) return inf;
    p.trick[static_cast<std::size_t>(i)] = card;
    note_play((p.leader + i) % 3, card, p.trick[0], i == 0);
  }
  p.declarer_points = view.RoundPoints[view.Declarer];

  // Cards known in another hand: the widow the declarer kept, the gift.
  auto known_in = [&](int who, TCard card) {
    const int c = BitOf(card);
    if (c < 0 || who == inf.me || (seen & (CardSet{1} << c))) return;
    inf.known[static_cast<std::size_t>(who)] |= CardSet{1} << c;
  };
  const int first_receiver = (inf.declarer + 1) % 3;
  const int second_receiver = (inf.declarer + 2) % 3;
  if (view.Phase >= phGiven) {
    known_in(first_receiver, view.GivenCards[1]);
    known_in(second_receiver, view.GivenCards[2]);
  }
  const CardSet gift = CardBitOf(view.GivenCards[1]) | CardBitOf(view.GivenCards[2]);
  for (int w = 1; w <= 3; ++w)
    if (!(gift & CardBitOf(view.Widow[static_cast<std::size_t>(w)]))) known_in(inf.declarer, view.Widow[static_cast<std::size_t>(w)]);
  seen |= inf.known[0] | inf.known[1] | inf.known[2];
  inf.unknown = ((CardSet{1} << 24) - 1) & ~seen;

  for (int s = 0; s < 3; ++s) {
    if (s == inf.me) continue;
    const int count = view.HandCount[s + 1];
    inf.hidden[static_cast<std::size_t>(s)] = count - std::popcount(inf.known[static_cast<std::size_t>(s)]);
    if (inf.hidden[static_cast<std::size_t>(s)] < 0) return inf;
    inf.marriages[static_cast<std::size_t>(s)] = view.RoundPoints[s + 1] - view.CardPoints[s + 1];
  }
  int hidden_total = 0;
  for (int s = 0; s < 3; ++s)
    if (s != inf.me) hidden_total += inf.hidden[static_cast<std::size_t>(s)];
  inf.valid = hidden_total == std::popcount(inf.unknown) && view.HandCount[seat] == std::popcount(inf.mine);
  return inf;
}

bool ShareOut(CardSet cards, int, int count_a, unsigned voids_a, int, int count_b, unsigned voids_b,
              std::mt19937_64& rng, CardSet& to_a, CardSet& to_b) {
  CardSet only_b = 0;
  CardSet only_a = 0;
  for (int suit = 0; suit < 4; ++suit) {
    const bool a_void = (voids_a >> suit) & 1u;
    const bool b_void = (voids_b >> suit) & 1u;
    const CardSet in_suit = cards & SuitMask(suit);
    if (a_void && b_void && in_suit) return false;
    if (a_void) only_b |= in_suit;
    if (b_void) only_a |= in_suit;
  }
  const int need_a = count_a - std::popcount(only_a);
  const int need_b = count_b - std::popcount(only_b);
  const CardSet free = cards & ~only_a & ~only_b;
  if (need_a < 0 || need_b < 0 || need_a + need_b != std::popcount(free)) return false;
  // A uniform choice of need_a free cards for a.
  std::array<int, 24> list{};
  int n = 0;
  for (CardSet rest = free; rest; rest &= rest - 1) list[static_cast<std::size_t>(n++)] = std::countr_zero(rest);
  for (int i = 0; i < need_a; ++i) {
    std::uniform_int_distribution<int> pick(i, n - 1);
    std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(pick(rng))]);
  }
  to_a = only_a;
  for (int i = 0; i < need_a; ++i) to_a |= CardSet{1} << list[static_cast<std::size_t>(i)];
  to_b = cards & ~to_a;
  return true;
}

namespace {

// Whether the drawn hands explain every seat's announced marriages.
bool MarriagesAgree(const SeatInference& inf, const SolverPosition& p) {
  std::array<int, 3> points{};
  for (const SeatInference::Lead& lead : inf.leads) {
    const int partner = lead.card % 6 == 2 ? lead.card + 1 : lead.card - 1;
    const int by = inf.played_by[static_cast<std::size_t>(partner)];
    const bool held = (by == lead.seat && inf.played_at[static_cast<std::size_t>(partner)] > lead.at) ||
                      (by < 0 && (p.hands[static_cast<std::size_t>(lead.seat)] & (CardSet{1} << partner)));
    if (held) points[static_cast<std::size_t>(lead.seat)] += lead.card / 6 == inf.trump ? 40 : 20;
  }
  for (int s = 0; s < 3; ++s)
    if (s != inf.me && points[static_cast<std::size_t>(s)] != inf.marriages[static_cast<std::size_t>(s)]) return false;
  return true;
}

}  // namespace

bool DrawHands(const SeatInference& inf, std::mt19937_64& rng, SolverPosition& out) {
  const int a = (inf.me + 1) % 3;
  const int b = (inf.me + 2) % 3;
  constexpr int kTries = 64;
  bool have = false;
  SolverPosition first;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    CardSet to_a = 0;
    CardSet to_b = 0;
    if (!ShareOut(inf.unknown, a, inf.hidden[static_cast<std::size_t>(a)], inf.voids[static_cast<std::size_t>(a)], b,
                  inf.hidden[static_cast<std::size_t>(b)], inf.voids[static_cast<std::size_t>(b)], rng, to_a, to_b))
      break;
    SolverPosition p = inf.position;
    p.hands[static_cast<std::size_t>(inf.me)] = inf.mine;
    p.hands[static_cast<std::size_t>(a)] = inf.known[static_cast<std::size_t>(a)] | to_a;
    p.hands[static_cast<std::size_t>(b)] = inf.known[static_cast<std::size_t>(b)] | to_b;
    if (MarriagesAgree(inf, p)) {
      out = p;
      return true;
    }
    if (!have) {
      first = p;
      have = true;
    }
  }
  if (!have) {
    // Even the voids cannot be kept (a view that contradicts itself): deal
    // the unknown cards by counts alone.
    std::array<int, 24> list{};
    int n = 0;
    for (CardSet rest = inf.unknown; rest; rest &= rest - 1) list[static_cast<std::size_t>(n++)] = std::countr_zero(rest);
    std::shuffle(list.begin(), list.begin() + n, rng);
    first = inf.position;
    first.hands[static_cast<std::size_t>(inf.me)] = inf.mine;
    first.hands[static_cast<std::size_t>(a)] = inf.known[static_cast<std::size_t>(a)];
    first.hands[static_cast<std::size_t>(b)] = inf.known[static_cast<std::size_t>(b)];
    for (int i = 0; i < n; ++i)
      first.hands[static_cast<std::size_t>(i < inf.hidden[static_cast<std::size_t>(a)] ? a : b)] |= CardSet{1} << list[static_cast<std::size_t>(i)];
  }
  out = first;
  return false;
}

}  // namespace varnok::ai
