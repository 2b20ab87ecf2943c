// Shuffling: a uniform permutation of the 24 cards, drawn value by value
// (a value already placed is drawn again). Seeded from the clock unless a
// seed is given, so that a deal can be replayed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>

#include "cards.h"

namespace varnok {

// A deck order: card ordinals (CardIndex) of deck slots 1..24.
using DeckOrder = std::array<int, 24>;

class DeckShuffler {
 public:
  // With a seed the sequence of shuffles is fixed; without one every
  // shuffle reseeds from the clock.
  void SetSeed(std::optional<std::uint64_t> seed);
  // The drawn values 1..24 of deck slots 1..24.
  std::array<int, 24> DrawValues();

 private:
  int Draw();  // uniform 0..23
  std::optional<std::uint64_t> seed_;
  std::mt19937_64 rng_;
  bool seeded_ = false;
};

// The card of a drawn value 1..24: rank group (v - 1) div 4 (nine, ten,
// jack, queen, king, ace), suit (v - 1) mod 4 (hearts, diamonds, clubs, spades).
TCard CardOfDrawnValue(int v);

// Puts a deck order into a deck list with its companions. Returns false,
// leaving the list alone, unless the order holds each of the 24 cards once.
bool FillDeck(const DeckOrder& order, TCardList& deck, TByteList& deck_order, TByteList& deck_points);

}  // namespace varnok
