// What a seat knows of the hidden hands during play, read from its view of
// the table alone (its hand, the collected tricks in play order, the trick
// on the table, the widow once turned up, the gift, the panels' points),
// and the drawing of hidden hands consistent with it: the cards known to be
// in a hand (widow cards the declarer kept, the gift cards), the suits a
// seat has shown it lacks, the hand sizes, and the marriages announced.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "game_state.h"
#include "knowledge.h"
#include "solver.h"

namespace varnok::ai {

struct SeatInference {
  int me = 0;        // 0..2
  int declarer = 0;  // 0..2
  int trump = 0;     // suit index
  CardSet mine = 0;
  std::array<CardSet, 3> known{};  // cards known to be in each other seat's hand now
  std::array<int, 3> hidden{};     // cards of each other seat's hand not known
  std::array<unsigned, 3> voids{};  // suits (bit per suit index) each seat lacks
  CardSet unknown = 0;             // the cards shared out among the other seats' hidden places
  // Leads of a king or queen, for the marriage check: who led, the card,
  // and where in the play order it was (cards counted from 0).
  struct Lead {
    int seat = 0;
    int card = 0;
    int at = 0;
  };
  std::vector<Lead> leads;
  std::array<int, 24> played_by{};  // seat 0..2 of each played card, -1 for none
  std::array<int, 24> played_at{};  // its place in the play order
  std::array<int, 3> marriages{};   // marriage points each seat has announced
  SolverPosition position;          // the play so far; the other hands are filled per draw
  bool valid = false;               // the view was a round in play the seat can read
};

// Reads what `seat` (1..3) knows from its view of a round in play (phases 11
// to 13). Anything the view does not hold stays unknown.
SeatInference InferFromView(const GameState& view, int seat);

// Draws the other two hands; false when no consistent deal was found in a
// fair number of tries (the voids and counts are then still kept, only the
// marriage check is given up).
bool DrawHands(const SeatInference& inf, std::mt19937_64& rng, SolverPosition& out);

// Shares `cards` out to seats `a` and `b` (0..2) with `count_a` and
// `count_b` places, uniformly among the deals that respect their voids;
// false when none does.
bool ShareOut(CardSet cards, int a, int count_a, unsigned voids_a, int b, int count_b, unsigned voids_b,
              std::mt19937_64& rng, CardSet& to_a, CardSet& to_b);

// A seed made only of what the view shows the seat, so that the same view
// always draws the same hands whatever the hidden cards are.
std::uint64_t ViewSeed(const GameState& view, int seat, std::uint64_t base);

}  // namespace varnok::ai
