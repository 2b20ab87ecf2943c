// The computer's bidding: the limit a computer seat bids up to, worked out
// from its seven cards and every widow that could lie on the table, and the
// declarer's gift, trump and estimate once it holds ten cards.
//
// Everything here is a pure, deterministic function of the cards given.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "cards.h"
#include "game_state.h"
#include "players.h"

namespace varnok::ai {

// The result of evaluating a ten-card hand.
struct HandEvaluation {
  std::uint8_t trump = kNoSuit;  // suit letter; '#' only for a hand without a three-card suit
  int give1 = 0;                 // hand slot (1..10) of the first card of the best gift pair
  int give2 = 0;                 // hand slot of the second card (always after give1)
  int trump_value = 0;           // the trump's row value
  int side_sum = 0;              // side value of the kept side cards with the best gift
  int value = 0;                 // trump_value + side_sum, raised to the floor
};

// The best side sum starts here, below any reachable sum.
inline constexpr int kSideSumStart = -200;

// Evaluates the ten cards in hand slots 1..10: the trump by preference order
// (hearts, diamonds, clubs, spades on equal rows), the two side cards to give
// away (pairs tried with the second card from the last side card down, the
// first from the card before it down; the first best pair is kept) and the
// value, never below `floor`.
HandEvaluation EvaluateHand(const TCardList& hand, int floor);

// Each widow is evaluated with this floor.
inline constexpr int kWidowFloor = 60;
// The progress strip advances this many steps per estimate.
inline constexpr int kProgressStepsPerSeat = 40;

struct MaxBidEstimate {
  int max_bid = 0;  // the seat's bid limit: a multiple of 5, at least 65
  int count = 0;    // widows tried (680 for a seven-card hand)
  long sum = 0;     // sum of their values
  int average = 0;  // sum / count, halves to the even neighbour
};

// Called with the step 1..40 reached within one estimate; the caller adds
// it to the shared progress counter (seat 1 runs it over 0..40, seat 2 over
// 40..80 when both are estimated after a deal).
using BidProgress = std::function<void(int step)>;

// The bid limit of a seat holding the seven cards in hand slots 1..10: the
// average value of the hand with every three of the seventeen unseen cards
// added as its widow, rounded down to a multiple of 5, plus 5.
MaxBidEstimate ComputeMaxBid(const TCardList& hand, const BidProgress& progress = {});

// avg rounded to the nearest integer, halves to the even neighbour
// (numerator >= 0, denominator > 0).
int RoundHalfToEven(long numerator, long denominator);
// 5 * floor(average / 5) + 5.
int MaxBidOfAverage(int average);

// The text each estimate appends to the window caption in the diagnostic view:
// "  Say1+5=<seat + 5>; l=<count>; Zay=<average>; ZayNew=<max bid>".
std::string MaxBidCaption(int seat, const MaxBidEstimate& estimate);

// The plan of a computer declarer holding ten cards in `view`'s hand of
// `seat` (sorted as drawn): the gift slots, the trump and its estimate,
// which is never below the winning bid.
DeclarerPlan PlanDeclarer(const GameState& view, int seat);

}  // namespace varnok::ai
