#include "shuffle.h"

#include <chrono>
#include <limits>

namespace varnok {

void DeckShuffler::SetSeed(std::optional<std::uint64_t> seed) {
  seed_ = seed;
  seeded_ = false;
}

int DeckShuffler::Draw() {
  // Rejection keeps the draw uniform and the same on every standard library.
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  constexpr std::uint64_t kLimit = kMax - kMax % 24;
  std::uint64_t x;
  do {
    x = rng_();
  } while (x >= kLimit);
  return static_cast<int>(x % 24);
}

std::array<int, 24> DeckShuffler::DrawValues() {
  if (!seed_) {
    rng_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
              static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  } else if (!seeded_) {
    rng_.seed(*seed_);
    seeded_ = true;
  }
  std::array<int, 24> values{};
  std::array<bool, 25> used{};
  for (int j = 0; j < 24; ++j) {
    int v;
    do {
      v = Draw() + 1;
    } while (used[static_cast<std::size_t>(v)]);
    used[static_cast<std::size_t>(v)] = true;
    values[static_cast<std::size_t>(j)] = v;
  }
  return values;
}

TCard CardOfDrawnValue(int v) {
  // Rank groups of the drawn values: nine, ten, jack, queen, king, ace.
  static constexpr std::array<std::uint8_t, 6> kGroupRank = {kRank9, kRank10, kRankJ, kRankQ, kRankK, kRankA};
  if (v < 1 || v > 24) return TCard::Empty();
  return TCard::Make(kGroupRank[static_cast<std::size_t>((v - 1) / 4)], kSuits[static_cast<std::size_t>((v - 1) % 4)]);
}

bool FillDeck(const DeckOrder& order, TCardList& deck, TByteList& deck_order, TByteList& deck_points) {
  std::array<bool, 25> seen{};
  for (int ordinal : order) {
    if (ordinal < 1 || ordinal > 24 || seen[static_cast<std::size_t>(ordinal)]) return false;
    seen[static_cast<std::size_t>(ordinal)] = true;
  }
  for (int j = 1; j <= 24; ++j) {
    const TCard card = CardOfIndex(order[static_cast<std::size_t>(j - 1)]);
    deck[j] = card;
    deck_order[j] = static_cast<std::uint8_t>(RankOrder(card.rank));
    deck_points[j] = static_cast<std::uint8_t>(RankPoints(card.rank));
  }
  return true;
}

}  // namespace varnok
