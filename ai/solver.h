// The exact solver of the open-card game: with every hand known, the most
// points the declarer can be sure of when both sides play perfectly (the two
// defenders together against the declarer), and the value of every card the
// seat to move may play. Card points of the tricks won and the declarer's
// own marriages count, as the rules score them; the defenders' marriages do
// not change the declarer's points.
//
// Cards are sets of bits (ai::CardSet: bit CardIndex - 1, so suit s holds
// bits 6s..6s+5, the nine lowest). Seats are 0, 1, 2 here for seats 1, 2, 3.
// Plain C++, no Qt; one Solver per thread.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game_state.h"
#include "knowledge.h"

namespace varnok::ai {

// A position of the play with all hands open.
struct SolverPosition {
  std::array<CardSet, 3> hands{};  // seats 1..3 at 0..2
  int trump = 0;                   // suit index 0..3
  int declarer = 0;                // 0..2
  int leader = 0;                  // 0..2, who led (or leads) the current trick
  int trick_count = 0;             // cards already on the table, 0..2
  std::array<int, 2> trick{};      // their bit indexes (card ordinal - 1), in play order
  int declarer_points = 0;         // points the declarer holds already (tricks and marriages)
};

// The position of a round in play, all hands read from the state (which
// must hold them: the full state, not a seat's view). Before any card is
// played it is the position of the first lead.
SolverPosition PositionOf(const GameState& state);

// The position after the seat to move plays `card` (a legal card).
SolverPosition After(const SolverPosition& p, int card);

// The seat (0..2) to move in a position.
inline int ToMove(const SolverPosition& p) { return (p.leader + p.trick_count) % 3; }
// The cards the seat to move may play (every card when it leads; else the
// led suit if it has it, else trumps if it has them, else any card).
CardSet LegalCards(const SolverPosition& p);

// A random position of the first lead after trump and order, from a
// shuffled deck: the seat whose seven cards the classic bidding rates
// highest declares, and takes the widow, gives and names the trump as the
// classic computer does. For the benchmarks, the timing tool and the tests.
SolverPosition RandomFirstLead(std::uint64_t seed);

struct CardValue {
  int card = 0;   // bit index (ordinal - 1)
  int value = 0;  // the declarer's points of the whole round after this card, with perfect play
};

struct SolveResult {
  int value = 0;                 // the declarer's points of the whole round with perfect play
  std::vector<CardValue> cards;  // every legal card of the seat to move, lowest bit first
};

class Solver {
 public:
  // log2 of the table's entries (24 bytes each); 2^16 = 1.5 MB, which stays in the cache.
  explicit Solver(int table_bits = 16);

  // The value of the position and of each legal card of the seat to move.
  SolveResult Solve(const SolverPosition& position);
  // The value only (faster: no exact value of the worse cards).
  int Value(const SolverPosition& position);
  // Whether the declarer can be sure of at least `target` points.
  bool Reaches(const SolverPosition& position, int target);
  // For every legal card of the seat to move (lowest bit first), whether
  // the declarer can be sure of `target` points after it: the value is 1 or 0.
  std::vector<CardValue> CardsReaching(const SolverPosition& position, int target);

  // Entries kept from earlier positions stay valid (they are keyed by the
  // whole position); this empties the table.
  void Clear();
  // Positions searched since the solver was made (for the benchmarks).
  std::uint64_t Nodes() const { return nodes_; }

 private:
  struct Entry {
    std::uint64_t key1 = 0;
    std::uint64_t key2 = 0;
    std::int16_t lower = 0;
    std::int16_t upper = 0;
    std::int8_t best = -1;  // the card that decided the last search here
  };

  void Load(const SolverPosition& p);
  int Search(int alpha, int beta);
  int LastTrick();
  int FutureBound() const;
  int OrderMoves(CardSet legal, int mover, int first, int* out) const;

  std::vector<Entry> table_;
  // How often each card of each side (0 declarer, 1 defenders) cut a search off.
  std::array<std::array<std::uint32_t, 24>, 2> history_{};
  std::uint64_t mask_ = 0;
  std::uint64_t nodes_ = 0;

  std::array<CardSet, 3> hands_{};
  int trump_ = 0;
  int declarer_ = 0;
  int leader_ = 0;
  int count_ = 0;
  std::array<int, 3> trick_{};
};

}  // namespace varnok::ai
