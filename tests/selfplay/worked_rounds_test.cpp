// Three whole rounds from fixed decks, every decision worked out by hand from
// the rules of bidding, giving, leading and following, and the whole round
// record checked against it: limits, bids, declarer, gift, trump, order, each
// trick's cards, winner and marriage, the round's points and the scores.
//
// The rounds follow one another as in a game: round 1 from 501 each, round 2
// and round 3 from the scores the round before left.
//
// The bid limits are averages over the 680 widows a seat could find, too
// many to add up by hand; they were worked out by a separate throw-away
// evaluation written from the same rules, and each comment gives the sum of
// the 680 widow values behind it (limit = 5 * floor(round(sum / 680) / 5) + 5).
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "self_play.h"

namespace varnok {
namespace {

// Card ordinals: hearts 1-6, diamonds 7-12, clubs 13-18, spades 19-24, each
// suit 9, J, Q, K, 10, A.
enum : int {
  H9 = 1, HJ, HQ, HK, H10, HA,
  D9, DJ, DQ, DK, D10, DA,
  C9, CJ, CQ, CK, C10, CA,
  S9, SJ, SQ, SK, S10, SA,
};

std::string Name(int ordinal) {
  static constexpr std::array<const char*, 6> kRanks = {"9", "J", "Q", "K", "10", "A"};
  static constexpr std::array<char, 4> kSuitNames = {'h', 'd', 'c', 's'};
  if (ordinal < 1 || ordinal > 24) return "?" + std::to_string(ordinal);
  return std::string(kRanks[static_cast<std::size_t>((ordinal - 1) % 6)]) +
         kSuitNames[static_cast<std::size_t>((ordinal - 1) / 6)];
}

struct Trick {
  int leader;
  std::array<int, 3> cards;  // in play order, the leader's first
  int winner;
  int marriage;
};

struct WorkedRound {
  std::array<int, 7> seat1, seat2, seat3;  // deck slots 1-7, 8-14, 15-21
  std::array<int, 3> widow;                // deck slots 22-24
  int first_bidder;
  std::array<int, 3> scores_before;
  std::array<int, 3> max_bid;
  std::vector<std::pair<int, int>> bids;  // seat, bid (0 = pass)
  int declarer;
  int bid;
  std::array<int, 2> gift;  // to the seat after the declarer, then to the one after that
  std::uint8_t trump;
  int order;
  std::array<Trick, 8> tricks;
  std::array<int, 3> card_points;
  std::array<int, 3> round_points;
  std::array<int, 3> scores;
};

void PlayAndCompare(const WorkedRound& w) {
  DeckOrder deck{};
  std::size_t slot = 0;
  for (const auto* part : {&w.seat1, &w.seat2, &w.seat3})
    for (int c : *part) deck[slot++] = c;
  for (int c : w.widow) deck[slot++] = c;

  selfplay::SelfPlay play;
  const selfplay::RoundRecord r = play.PlayGivenRound(deck, w.first_bidder, w.scores_before);
  SCOPED_TRACE(selfplay::ToJson(r));

  EXPECT_EQ(r.max_bid, w.max_bid) << "bid limits of seats 1, 2, 3";
  EXPECT_EQ(r.bids, w.bids);
  EXPECT_EQ(r.declarer, w.declarer);
  EXPECT_EQ(r.bid, w.bid);
  EXPECT_EQ(Name(r.gift[0]), Name(w.gift[0])) << "card given to the seat after the declarer";
  EXPECT_EQ(Name(r.gift[1]), Name(w.gift[1])) << "card given to the seat before the declarer";
  EXPECT_EQ(r.trump, w.trump) << "trump " << SuitName(r.trump) << ", expected " << SuitName(w.trump);
  EXPECT_EQ(r.order, w.order);
  ASSERT_EQ(r.tricks.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    const selfplay::TrickRecord& got = r.tricks[i];
    const Trick& want = w.tricks[i];
    SCOPED_TRACE("trick " + std::to_string(i + 1));
    EXPECT_EQ(got.leader, want.leader);
    for (std::size_t k = 0; k < 3; ++k)
      EXPECT_EQ(Name(got.cards[k]), Name(want.cards[k])) << "card " << k + 1 << " of the trick";
    EXPECT_EQ(got.winner, want.winner);
    EXPECT_EQ(got.marriage, want.marriage);
  }
  EXPECT_EQ(r.card_points, w.card_points);
  EXPECT_EQ(r.round_points, w.round_points);
  EXPECT_EQ(r.scores, w.scores);
  EXPECT_FALSE(r.game_over);
  EXPECT_EQ(play.FaultyRequests(), 0);
}

// Round 1: seat 1 declares in hearts with a club marriage; a defender's
// diamond marriage, the declarer ruffing diamonds, a defender putting his ace
// and his ten on the partner's winning card.
TEST(WorkedRounds, Round1DeclarerWithAClubMarriageMakesHisOrder) {
  WorkedRound w{
      .seat1 = {HA, H10, HJ, H9, CK, CQ, SA},
      .seat2 = {HK, DA, D10, C10, CJ, SK, SQ},
      .seat3 = {HQ, DK, DQ, CA, C9, S10, SJ},
      .widow = {D9, DJ, S9},
      .first_bidder = 1,
      .scores_before = {501, 501, 501},
      // Limits: widow sums 69580, 55782, 48556 over 680 widows: averages
      // 102, 82, 71.
      .max_bid = {105, 85, 75},
      // Every seat raises while the bid is below its limit: seat 3 passes at
      // 80 (limit 75), seat 2 at 85 (limit 85).
      .bids = {{1, 60}, {2, 65}, {3, 70}, {1, 75}, {2, 80}, {3, 0}, {1, 85}, {2, 0}},
      .declarer = 1,
      .bid = 85,
      // Ten cards, sorted without trump: 9h Jh 10h Ah Qc Kc 9d Jd 9s As.
      // Trump: hearts 10 9 J A is the only suit of three or more (value 120).
      // Side cards Qc Kc 9d Jd 9s As; giving 9d Jd keeps Q K of clubs (-30) and
      // A 9 of spades (-21): -51, the best of the fifteen pairs (next best
      // Jd 9s, -52). 120 - 51 = 69 is below the bid, so the order is the bid.
      // 9d, the earlier in hand order, goes to seat 2, Jd to seat 3.
      .gift = {D9, DJ},
      .trump = kHearts,
      .order = 85,
      // Hands in play (trump last): s1 Qc Kc 9s As 9h Jh 10h Ah;
      // s2 Jc 10c 9d 10d Ad Qs Ks Kh; s3 9c Ac Jd Qd Kd Js 10s Qh.
      // The defenders know 9s in the declarer's hand.
      .tricks = {{
          // s1: marriage in clubs only, holds trumps with 4 accounted and the
          //     trump ace is master: Ah. s2: the declarer led an ace: lowest
          //     heart. s3: cannot beat the winning ace: lowest trump.
          {1, {HA, HK, HQ}, 1, 0},
          // s1: all six trumps accounted now; no club ace: the queen of the
          //     marriage, twenty. s2: holds the ten, no A or K: 10c.
          // s3: the partner's 10 wins and Ac beats it, so no feeding low; the
          //     declarer's Q under the partner's 10 wants K, J or 9 known
          //     inside, and it holds neither 10 nor K: the highest club, Ac.
          {1, {CQ, C10, CA}, 3, 20},
          // s3: no trump, marriage in diamonds, the first side suit: Qd, twenty.
          // s1: void in diamonds, trumps 10 J 9 beat: the jack.
          // s2: the declarer's trump wins: lowest diamond. Diamonds are now
          //     known ruffed.
          {3, {DQ, HJ, D9}, 1, 20},
          // s1: trumps all accounted, no marriage left: the first master side
          //     card, As. s2: lowest spade under the ace. s3: cannot beat: Js.
          {1, {SA, SQ, SJ}, 1, 0},
          // s1: no ace or ten left in the side suits; Kc is master with Ac and
          //     10c played. s2: only Jc, below the king. s3: cannot beat: 9c.
          {1, {CK, CJ, C9}, 1, 0},
          // s1: nothing master; 9s is the first card alone in its suit.
          // s2: one spade: Ks. s3: holds the ten without the ace: 10s, which
          //     wins.
          {1, {S9, SK, S10}, 3, 0},
          // s3: diamonds are the ruffed suit it holds: lowest, Jd.
          // s1: ruffs with 10 9, the trump ace played: the nine.
          // s2: the declarer wins: lowest diamond.
          {3, {DJ, H9, D10}, 1, 0},
          // Last cards; s2's Ad is its only card, discarded onto the trump.
          {1, {H10, DA, DK}, 1, 0},
      }},
      .card_points = {82, 0, 38},
      // s1 82 + 20 made his 85; s3 38 + 20.
      .round_points = {102, 0, 58},
      .scores = {416, 501, 443},
  };
  PlayAndCompare(w);
}

// Round 2: seat 2 holds marriages in trumps and in clubs; its gift is a tie
// between keeping and giving away the heart ace. A defender ruffs the first
// trick, both defenders discard by the passes, the declarer scores forty.
TEST(WorkedRounds, Round2GiftTieKeepsTheAceAndTheDeclarerScoresForty) {
  WorkedRound w{
      .seat1 = {S9, HQ, HK, H10, D10, DA, D9},
      .seat2 = {CQ, CK, C10, SJ, SQ, SK, SA},
      .seat3 = {S10, C9, CA, H9, HJ, DQ, DK},
      .widow = {CJ, HA, DJ},
      .first_bidder = 2,
      .scores_before = {416, 501, 443},
      // Widow sums 77349, 93793, 47428: averages 114, 138, 70.
      .max_bid = {115, 140, 75},
      // Seat 3 passes at 75; seats 2 and 1 go on until seat 1 reaches its 115.
      .bids = {{2, 60}, {3, 65}, {1, 70}, {2, 75}, {3, 0}, {1, 80}, {2, 85},
               {1, 90}, {2, 95}, {1, 100}, {2, 105}, {1, 110}, {2, 115}, {1, 0}},
      .declarer = 2,
      .bid = 115,
      // Ten cards sorted without trump: Ah Jc Qc Kc 10c Jd Js Qs Ks As.
      // Trump: spades A K Q J (priority 7) comes before clubs 10 K Q J
      // (priority 9): value 136. Side cards Ah Jc Qc Kc 10c Jd. With Jd as the
      // second card, Jc gives kept Ah + clubs 10 K Q (-5) and Ah gives kept
      // clubs 10 K Q J (-5): a tie, and the pair tried first (Jc, Jd) stays,
      // so the ace is kept. 136 - 5 = 131, above the bid: the order.
      // Jc goes to seat 3, Jd to seat 1.
      .gift = {CJ, DJ},
      .trump = kSpades,
      .order = 131,
      // Hands in play: s2 Ah Qc Kc 10c Js Qs Ks As; s3 9h Jh 9c Jc Ac Qd Kd 10s;
      // s1 Qh Kh 10h 9d Jd 10d Ad 9s. The defenders know Ah in the declarer's
      // hand (and go on "knowing" it after it is played).
      .tricks = {{
          // s2: marriages in trumps and clubs; the trump ten not held, 4 trumps
          //     accounted, the club ace not held, the trump ace held: Qc,
          //     twenty. s3: Q led, holds A J 9 without K or 10: lowest, 9c.
          // s1: void in clubs, the declarer winning, its one trump: 9s wins.
          {2, {CQ, C9, S9}, 1, 20},
          // s1: no trumps, marriage in hearts, the first side suit: Qh, twenty.
          // s2: the ace is the only heart above the queen: Ah.
          // s3: cannot beat the ace: lowest heart.
          {1, {HQ, HA, H9}, 2, 20},
          // s2: marriage in trumps only, the ace held: As.
          // s3: lowest spade under the ace: its only one, 10s.
          // s1: no spades, no trumps, the declarer winning: plain discard;
          //     diamonds 10 9 J A give up the nine in the first pass.
          {2, {SA, S10, D9}, 2, 0},
          // s2: the trump ace gone, the queen of the trump marriage: forty.
          // s3: void in trumps: discard; the lone Jh in the second pass (A J
          //     of clubs needs the ten known outside).
          // s1: discard; diamonds 10 J A give the jack in the second pass.
          {2, {SQ, HJ, DJ}, 2, 40},
          // s2: no marriage left, trumps all accounted, nothing master, no
          //     lone side card: low discard of the side cards: Kc.
          // s3: K led, holds A J without the ten played: lowest, Jc.
          // s1: discard. Hearts 10 K: the king needs Ah known outside, and
          //     is kept back because Ah counts as known inside; diamonds
          //     10 A give the ten in the ninth pass.
          {2, {CK, CJ, D10}, 2, 0},
          // s2: 10c is alone in its suit. s3: the ace over the ten.
          // s1: the partner wins, but Ad + 21 on the table + 3 taken do not
          //     pass 120 + 20 + 40 - 131 = 49: plain discard; no pass fits
          //     (the lone Ad would need Kd and Qd gone), so the lowest
          //     card, Kh.
          {2, {C10, CA, HK}, 3, 0},
          // s3: no trumps, marriage in diamonds: Qd, twenty.
          // s1: one diamond: Ad. s2: void, trumps K J: beats with the king.
          {3, {DQ, DA, SK}, 2, 20},
          // Last cards.
          {2, {SJ, DK, H10}, 2, 0},
      }},
      .card_points = {3, 92, 25},
      // s2 92 + 20 + 40 = 152 makes 131.
      .round_points = {23, 152, 45},
      .scores = {393, 370, 398},
  };
  PlayAndCompare(w);
}

// Round 3: seat 3 declares in hearts without the trump ace and queen, with
// another gift tie. The first trick is ruffed by a defender and his partner
// feeds exactly enough to set the order; the declarer loses.
TEST(WorkedRounds, Round3DefendersRuffFeedAndSetTheOrder) {
  WorkedRound w{
      .seat1 = {HA, HQ, D9, D10, DK, DA, SQ},
      .seat2 = {C9, CJ, CQ, CK, DJ, S9, SJ},
      .seat3 = {H10, HK, HJ, H9, CA, C10, SA},
      .widow = {DQ, S10, SK},
      .first_bidder = 3,
      .scores_before = {393, 370, 398},
      // Widow sums 67206, 53801, 69406: averages 99, 79, 102.
      .max_bid = {100, 80, 105},
      // Seat 2 passes at 80; seat 1 bids its 100, seat 3 goes to 105.
      .bids = {{3, 60}, {1, 65}, {2, 70}, {3, 75}, {1, 80}, {2, 0}, {3, 85},
               {1, 90}, {3, 95}, {1, 100}, {3, 105}, {1, 0}},
      .declarer = 3,
      .bid = 105,
      // Ten cards sorted without trump: 9h Jh Kh 10h 10c Ac Qd Ks 10s As.
      // Trump: hearts 10 K J 9 (priority 21) before spades A 10 K (27): 94.
      // Side cards 10c Ac Qd Ks 10s As. (Qd, Ks) keeps A 10 in clubs and in
      // spades: 0; (10c, Qd), tried later, also 0: the first stays.
      // 94 is below the bid: the order is 105.
      // Qd goes to seat 1, Ks to seat 2.
      .gift = {DQ, SK},
      .trump = kHearts,
      .order = 105,
      // Hands in play: s3 10c Ac 10s As 9h Jh Kh 10h; s1 9d Qd Kd 10d Ad Qs Qh Ah;
      // s2 9c Jc Qc Kc Jd 9s Js Ks. The defenders know 10s in the declarer's
      // hand. Order 105: they set it past 120 - 105 = 15 points.
      .tricks = {{
          // s3: no marriage; trumps held but not the master (Ah out): master
          //     side card, the club ace before the spade ace.
          // s1: void in clubs: lowest trump, Qh.
          // s2: the partner's trump wins; Kc 4 + 14 on the table passes 15, so
          //     it feeds the lowest club worth 15 - 14 + 1 = 2 points: Jc.
          {3, {CA, HQ, CJ}, 1, 0},
          // s1: the trump ace is master: Ah.
          // s2: void in trumps: discard; clubs K Q 9 give the nine in the
          //     first pass, Jc being known outside (spades K J 9 would need
          //     Qs known outside).
          // s3: cannot beat the ace: lowest trump.
          {1, {HA, C9, H9}, 1, 0},
          // s1: no trumps, marriage in diamonds: Qd, twenty.
          // s2: below the queen: lowest diamond, its only one.
          // s3: void, trumps 10 K J beat: the jack. Diamonds known ruffed.
          {1, {DQ, DJ, HJ}, 3, 20},
          // s3: trumps all accounted: the master side card, As.
          // s1: lowest spade under the ace. s2: cannot beat: 9s.
          {3, {SA, SQ, S9}, 3, 0},
          // s3: 10c is master with Ac played.
          // s1: no clubs, no trumps, no known winner for the partner: plain
          //     discard, diamonds 10 9 K A give the nine.
          // s2: the declarer wins: lowest club, Qc.
          {3, {C10, D9, CQ}, 3, 0},
          // s3: 10s is master with As played.
          // s1: discard; diamonds 10 K A give the king in the fourth pass,
          //     Qd being known outside.
          // s2: the declarer wins: lowest spade, Js.
          {3, {S10, DK, SJ}, 3, 0},
          // s3: only trumps left, all six accounted, no side card: the
          //     lowest card, Kh.
          // s1: discard; diamonds A 10 give the ten in the ninth pass.
          // s2: discard; the lone Kc goes, its Q, J and 9 known outside.
          {3, {HK, D10, CK}, 3, 0},
          // Last cards.
          {3, {H10, DA, SK}, 3, 0},
      }},
      .card_points = {27, 0, 93},
      // s3 takes 93 of his 105: lost, his score goes up by 105.
      .round_points = {47, 0, 93},
      .scores = {346, 370, 503},
  };
  PlayAndCompare(w);
}

}  // namespace
}  // namespace varnok
