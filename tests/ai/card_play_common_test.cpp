// The choosing routines that the lead, the second and the last hand share.
#include <gtest/gtest.h>

#include "card_play_fixture.h"
#include "play_common.h"

namespace varnok::ai {
namespace {

using testing::View;

struct HandCase {
  const char* why;
  char trump;
  const char* hand;
  const char* played;
  const char* expect;  // card name, or "none"
};

void PrintTo(const HandCase& c, std::ostream* os) { *os << c.why; }

class LowDiscardTest : public ::testing::TestWithParam<HandCase> {};

TEST_P(LowDiscardTest, PicksTheCheapestExpendableCard) {
  const HandCase& c = GetParam();
  View v(1, 2, c.trump);
  v.Hand(c.hand).Played(c.played);
  const PlayContext ctx = v.Context();
  EXPECT_EQ(v.NameAt(LowDiscard(ctx, ctx.trump)), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    CardPlay, LowDiscardTest,
    ::testing::Values(
        // Hand order (trump spades): hearts, clubs, diamonds, spades.
        HandCase{"a bare jack is tried before a bare king earlier in hand", 's', "Kh Jd 9s", "", "Jd"},
        HandCase{"bare nine first of all", 's', "Kh Jc 9d As", "", "9d"},
        HandCase{"nine of a doubleton without its ten", 's', "9h 10h 9c Kc Qd Jd Ad", "", "9c"},
        HandCase{"jack of a doubleton without its ten before any nine", 's', "9h 10h Jc Ac 9d Qd Kd", "", "Jc"},
        HandCase{"any nine in hand order", 's', "Jh 10h 9h Ac 9c Qc", "", "9h"},
        HandCase{"tens come last", 's', "10h Ah 10c Ac", "", "10h"},
        HandCase{"never an ace", 's', "Ah Ac 9s", "", "none"},
        HandCase{"trumps are excluded", 's', "9s Js Ah", "", "none"}));

class LeadMasterTrumpTest : public ::testing::TestWithParam<HandCase> {};

TEST_P(LeadMasterTrumpTest, LeadsTheHighestOutstandingTrump) {
  const HandCase& c = GetParam();
  View v(1, 1, c.trump);
  v.Hand(c.hand).Played(c.played);
  EXPECT_EQ(v.NameAt(LeadMasterTrump(v.Context())), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    CardPlay, LeadMasterTrumpTest,
    ::testing::Values(HandCase{"the ace", 'h', "Ah 9h Kc", "", "Ah"},
                      HandCase{"the ten once the ace is out", 'h', "10h Kh 9c", "Ah 9d Jd", "10h"},
                      HandCase{"not the king while the ten is out", 'h', "Kh Qh 9c", "Ah 9d Jd", "none"},
                      HandCase{"the jack after A 10 K Q", 'h', "Jh 9c", "Ah 10h Kh Qh 9d Jd", "Jh"},
                      HandCase{"a last nine leaves nothing outstanding", 'h', "9h 9c", "Ah 10h Kh Qh Jh Jd", "none"},
                      HandCase{"all six accounted", 'h', "Ah 10h Kh Qh 9c", "Jh 9h 9d", "none"},
                      HandCase{"no trumps", 'h', "Ac 9c", "", "none"}));

class LeadMasterSideTest : public ::testing::TestWithParam<HandCase> {};

TEST_P(LeadMasterSideTest, LeadsASideCardNothingOutstandingBeats) {
  const HandCase& c = GetParam();
  View v(1, 1, c.trump);
  v.Hand(c.hand).Played(c.played);
  EXPECT_EQ(v.NameAt(LeadMasterSide(v.Context())), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    CardPlay, LeadMasterSideTest,
    ::testing::Values(HandCase{"every side suit is searched for an ace first", 's', "10h Ac", "Ah 9d Jd", "Ac"},
                      HandCase{"a ten once its ace is out", 's', "Kd 10h", "Ah Ad 10d", "10h"},
                      HandCase{"at the same level the first side suit wins", 's', "Kd Kh", "Ah Ad 10d 10h 9c Jc", "Kh"},
                      HandCase{"a nine when the rest of its suit is gone", 's', "9c", "Ac 10c Kc Qc Jc 9h", "9c"},
                      HandCase{"a trump ace is no side card", 's', "As Kh", "", "none"},
                      HandCase{"a king with the ten still out", 's', "Kh Qc", "Ah", "none"}));

TEST(LeadShortOrLowTest, SingletonThenLowDiscardThenLowest) {
  struct Case {
    const char* hand;
    const char* expect;
  };
  // Trump spades; hand order hearts, clubs, diamonds, spades.
  for (const Case& c : {Case{"Jh Qh Kc 9d Jd", "Kc"}, Case{"Jh Qh 9d Jd 10s", "9d"}, Case{"Ks 9s", "9s"}}) {
    View v(1, 1, 's');
    v.Hand(c.hand);
    EXPECT_EQ(v.NameAt(LeadShortOrLow(v.Context())), c.expect) << c.hand;
  }
}

struct DiscardCase {
  const char* why;
  const char* hand;
  const char* played;
  const char* table;   // trumps (spades) are led and the seat has none
  const char* inside;  // known in the declarer's hand
  const char* outside;
  DiscardMode mode;
  int needed;
  const char* expect;
};

void PrintTo(const DiscardCase& c, std::ostream* os) { *os << c.why; }

class ChooseDiscardTest : public ::testing::TestWithParam<DiscardCase> {};

TEST_P(ChooseDiscardTest, RunsThePassesInOrder) {
  const DiscardCase& c = GetParam();
  View v(3, 1, 's');
  v.Hand(c.hand).Played(c.played).Trick(c.table).Inside(c.inside).Outside(c.outside);
  EXPECT_EQ(v.NameAt(ChooseDiscard(v.Context(), c.mode, c.needed)), c.expect);
}

constexpr DiscardMode kPlain = DiscardMode::Plain;
constexpr DiscardMode kFeed = DiscardMode::Feed;

// Trump spades: the side suits are hearts, diamonds, clubs in that order.
INSTANTIATE_TEST_SUITE_P(
    CardPlay, ChooseDiscardTest,
    ::testing::Values(
        DiscardCase{"follows suit with its lowest card", "Kh 9h Ac", "", "Jh 10s", "", "", kPlain, 0, "9h"},
        DiscardCase{"pass 1 takes the nine of A K 9 when the ten is outside", "Ah Kh 9h Qc", "", "Js 9d", "", "10h",
                    kPlain, 0, "9h"},
        DiscardCase{"otherwise pass 3 comes first with a bare queen", "Ah Kh 9h Qc", "", "Js 9d", "", "", kPlain, 0,
                    "Qc"},
        DiscardCase{"pass 5 offers the nine of A K 9", "Ah Kh 9h Ac 10c", "", "Js 9d", "", "", kFeed, 0, "9h"},
        DiscardCase{"pass 5 skips it when 10 Q J are all inside; pass 9 gives the ten of A 10", "Ah Kh 9h Ac 10c", "",
                    "Js 9d", "10h Qh Jh", "", kPlain, 0, "10c"},
        DiscardCase{"within a pass the last suit that proposes decides", "Ah Kh 9h 10c 9c", "", "Js 9d", "", "",
                    kPlain, 0, "9c"},
        DiscardCase{"pass 6: the jack of A K J", "Ah Kh Jh Ac", "", "Js 9d", "", "", kFeed, 0, "Jh"},
        DiscardCase{"pass 2 takes it early when the ten is outside", "Ah Kh Jh Kc Jc", "", "Js 9d", "", "10h",
                    kPlain, 0, "Jh"},
        DiscardCase{"otherwise pass 6, where the later K J always proposes", "Ah Kh Jh Kc Jc", "", "Js 9d", "", "",
                    kPlain, 0, "Jc"},
        DiscardCase{"pass 7: the queen of A K Q", "Ah Kh Qh Ac", "", "Js 9d", "", "", kFeed, 0, "Qh"},
        DiscardCase{"pass 7 skipped when 10 J 9 are inside", "Ah Kh Qh Ac", "", "Js 9d", "10h Jh 9h", "", kFeed, 0,
                    "Ah"},
        DiscardCase{"pass 8: the king of A 10 K", "Ah 10h Kh Ac", "", "Js 9d", "", "", kFeed, 0, "Kh"},
        DiscardCase{"pass 8 skipped when Q J 9 are inside", "Ah 10h Kh", "", "Js 9d", "Qh Jh 9h", "", kFeed, 0, "Ah"},
        DiscardCase{"pass 10: a bare ace whose suit is gone, counting the table", "Ac Ad", "10d Kd Qd Jd 9h Jh",
                    "Js 9d", "", "", kPlain, 0, "Ad"},
        DiscardCase{"no pass: the lowest card", "Ac Ad", "10d Kd Qd Jd 9h Jh", "Js Qh", "", "", kPlain, 0, "Ac"},
        DiscardCase{"feed: a nine is enough for nothing needed", "Kh 9h Ac 10c Qc", "", "Js 9d", "", "", kFeed, 0,
                    "9h"},
        DiscardCase{"feed: the needed points are not clamped", "Kh 9h Ac 10c Qc", "", "Js 9d", "", "", kFeed, -5,
                    "9h"},
        DiscardCase{"feed: three points take the queen of pass 7", "Kh 9h Ac 10c Qc", "", "Js 9d", "", "", kFeed, 3,
                    "Qc"},
        DiscardCase{"feed: four points find no pass, the highest card", "Kh 9h Ac 10c Qc", "", "Js 9d", "", "",
                    kFeed, 4, "Ac"},
        DiscardCase{"feed: ten points take the ten of A 10 in pass 9", "Kh 9h Ac 10c", "", "Js 9d", "", "", kFeed, 10,
                    "10c"}));

struct BeatCase {
  const char* why;
  char trump;
  const char* hand;
  const char* played;
  char suit;
  int target;
  const char* expect;
};

void PrintTo(const BeatCase& c, std::ostream* os) { *os << c.why; }

class BeatChoiceTest : public ::testing::TestWithParam<BeatCase> {};

TEST_P(BeatChoiceTest, PlaysTheTableCardOfTheBeatingSet) {
  const BeatCase& c = GetParam();
  View v(1, 1, c.trump);
  v.Hand(c.hand).Played(c.played);
  EXPECT_EQ(v.NameAt(BeatChoice(v.Context(), SuitIndex(testing::Suit(c.suit)), c.target)), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    CardPlay, BeatChoiceTest,
    ::testing::Values(BeatCase{"only cards above the target count", 's', "Ah Jh 9h", "", 'h', kOrder10, "Ah"},
                      BeatCase{"A K Q 9 of trumps: the nine", 's', "As Ks Qs 9s 9c", "", 's', 0, "9s"},
                      BeatCase{"10 Q with the ace out: the queen", 's', "10h Qh 9h", "Ah", 'h', kOrderJ, "Qh"},
                      BeatCase{"10 Q with the ace still out: the ten", 's', "10h Qh 9h", "", 'h', kOrderJ, "10h"},
                      BeatCase{"10 J with the ace played: the jack", 's', "10h Jh", "Ah", 'h', kOrder9, "Jh"},
                      BeatCase{"10 9 trumping with the ace played: the nine", 'h', "10h 9h", "Ah", 'h', 0, "9h"},
                      BeatCase{"10 9 trumping with the ace out: the ten", 'h', "10h 9h", "", 'h', 0, "10h"},
                      BeatCase{"the ace of another suit does not count", 'h', "10h Qh", "As", 'h', kOrderJ, "10h"}));

}  // namespace
}  // namespace varnok::ai
