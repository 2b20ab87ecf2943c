// The computer playing the last card of a trick. Seat 3 plays after seat 1
// led and seat 2 followed.
#include <gtest/gtest.h>

#include "card_play_fixture.h"

namespace varnok::ai {
namespace {

using testing::View;

enum class Who { Declarer, DeclarerLed, PartnerLed };

struct LastCase {
  const char* why;
  Who who;
  char trump;
  const char* hand;
  const char* trick;  // card 1, card 2
  const char* played;
  const char* inside;
  const char* expect;
};

void PrintTo(const LastCase& c, std::ostream* os) { *os << c.why; }

int DeclarerFor(Who who) {
  switch (who) {
    case Who::Declarer: return 3;
    case Who::DeclarerLed: return 1;
    default: return 2;
  }
}

class LastTest : public ::testing::TestWithParam<LastCase> {};

TEST_P(LastTest, PlaysTheCardOfTheFirstRuleThatApplies) {
  const LastCase& c = GetParam();
  View v(3, DeclarerFor(c.who), c.trump);
  v.Hand(c.hand).Played(c.played).Trick(c.trick).Inside(c.inside);
  EXPECT_EQ(v.Pick(), c.expect);
}

constexpr Who kDecl = Who::Declarer;
constexpr Who kDeclLed = Who::DeclarerLed;
constexpr Who kPartnerLed = Who::PartnerLed;

INSTANTIATE_TEST_SUITE_P(
    Declarer, LastTest,
    ::testing::Values(
        LastCase{"trumps 9 and K led, holding 10 Q: the ten", kDecl, 's', "10s Qs 9h", "9s Ks", "", "", "10s"},
        LastCase{"trumps led, cannot beat the higher: the lowest trump", kDecl, 's', "Qs Js Ah", "9s Ks", "", "",
                 "Js"},
        LastCase{"side suit trumped, own trumps lower: the lowest trump", kDecl, 's', "9s Ks Jc", "Ah 10s", "", "",
                 "9s"},
        LastCase{"side suit trumped, holding the suit: its lowest", kDecl, 's', "Ah 9h As", "Kh 9s", "", "", "9h"},
        LastCase{"beat the higher of two cards of the suit", kDecl, 's', "Qh 10h Ah", "9h Kh", "", "", "Ah"},
        LastCase{"second hand discarded: beat the lead", kDecl, 's', "Kh 9h", "Qh 9c", "", "", "Kh"},
        LastCase{"void, the suit not trumped: beat with any trump", kDecl, 's', "9s Ks As", "Qh Kh", "", "", "Ks"},
        LastCase{"nothing to follow with nor trump: the lowest card", kDecl, 's', "Kc Jd", "Qh Kh", "", "", "Jd"}));

INSTANTIATE_TEST_SUITE_P(
    Defender, LastTest,
    ::testing::Values(
        LastCase{"declarer winning, nothing to follow with: a plain discard", kDeclLed, 's', "Kc 9c Ad", "Ah 9h", "",
                 "", "9c"},
        LastCase{"declarer's trump beats the partner's lead: the lowest of the suit", kPartnerLed, 's', "Ah 9h",
                 "Kh 9s", "", "", "9h"},
        LastCase{"declarer winning, own suit too low: its lowest", kDeclLed, 's', "Qh 9h", "Kh Jh", "", "", "9h"},
        LastCase{"trumps on trumps, a single trump", kDeclLed, 's', "As Kh", "9s Qs", "", "", "As"},
        LastCase{"trumps on trumps: the lowest trump above both but the ace", kDeclLed, 's', "Js 10s As", "9s Ks", "",
                 "", "10s"},
        LastCase{"trumps on trumps, partner higher: a trump under the partner's", kDeclLed, 's', "Js As", "9s Ks", "",
                 "", "Js"},
        LastCase{"trumps on trumps, declarer over the partner's lead: the highest trump", kPartnerLed, 's', "Js As",
                 "9s Ks", "", "", "As"},
        LastCase{"trumps on trumps, partner led: the highest trump", kPartnerLed, 's', "Js As", "Ks 9s", "", "", "As"},
        LastCase{"declarer's trump lead, partner void: the lowest trump above it", kDeclLed, 's', "9s Qs As 10c",
                 "Js 9h", "", "", "Qs"},
        LastCase{"declarer's side lead trumped by the partner: the highest trump", kDeclLed, 's', "Js As Kc",
                 "Ah 9s", "", "", "As"},
        LastCase{"partner's lead trumped: the ten of trumps over a guard", kPartnerLed, 's', "10s Js Qc", "Ah 9s", "",
                 "", "10s"},
        LastCase{"partner's lead trumped, trump ace played: the lowest trump above", kPartnerLed, 's', "10s Js Qc",
                 "Ah 9s", "As 9d Jd", "", "Js"},
        LastCase{"partner's lead trumped higher than all own trumps: the lowest trump", kPartnerLed, 's', "9s Js Qc",
                 "Ah Ks", "", "", "9s"},
        LastCase{"partner's lead, declarer discarded: the lowest card above the lead", kPartnerLed, 's', "9h Qh Ah",
                 "Jh 9c", "", "", "Qh"},
        LastCase{"declarer overtook the partner: the highest of the suit", kPartnerLed, 's', "Qh Ah", "Jh Kh", "", "",
                 "Ah"},
        LastCase{"side suit, nobody trumped, void: the lowest trump, not the ten", kPartnerLed, 's', "10s 9s Jc",
                 "Jh Kh", "", "", "9s"}));

// Rows of the table the seat follows after the declarer led a side suit and
// the partner followed.
INSTANTIATE_TEST_SUITE_P(
    DeclarerLedPartnerFollowed, LastTest,
    ::testing::Values(
        LastCase{"J and Q, A 9, king inside, ten played: the nine", kDeclLed, 's', "Ah 9h", "Jh Qh", "10h 9d Jd", "Kh",
                 "9h"},
        LastCase{"Q and J in the other order match too", kDeclLed, 's', "Ah 9h", "Qh Jh", "10h 9d Jd", "Kh", "9h"},
        LastCase{"J and Q, A 9, nothing inside, ten played: the highest", kDeclLed, 's', "Ah 9h", "Jh Qh",
                 "10h 9d Jd", "", "Ah"},
        LastCase{"declarer's 9, partner's 10, K inside: the lowest", kDeclLed, 's', "Ah Qh", "9h 10h", "", "Kh",
                 "Qh"},
        LastCase{"declarer's 9, partner's 10, nothing inside: the highest", kDeclLed, 's', "Ah Qh", "9h 10h", "", "",
                 "Ah"},
        LastCase{"declarer's 10 over partner's 9 is not that row", kDeclLed, 's', "Ah Qh", "10h 9h", "", "Kh", "Ah"},
        LastCase{"9 and K, A Q J with the ten inside: the jack", kDeclLed, 's', "Ah Qh Jh", "9h Kh", "", "10h", "Jh"},
        LastCase{"10 held without the ace: the ten", kDeclLed, 's', "10h Jh", "9h Qh", "", "", "10h"},
        LastCase{"king held, ten unseen: the king", kDeclLed, 's', "Ah Kh", "9h Jh", "", "", "Kh"},
        LastCase{"king held, ten played: the highest", kDeclLed, 's', "Ah Kh", "9h Jh", "10h 9d Jd", "", "Ah"},
        LastCase{"no king nor ten, ten unseen: the lowest", kDeclLed, 's', "Ah Qh", "Jh 9h", "", "", "Qh"}));

// The declarer led a side suit and the partner could not follow: the seat
// knows every card of the suit it does not see to be in the declarer's hand.
INSTANTIATE_TEST_SUITE_P(
    DeclarerLedPartnerVoid, LastTest,
    ::testing::Values(
        LastCase{"led 9, K 10 unseen, holding J Q A: the queen", kDeclLed, 's', "Jh Qh Ah", "9h 9c", "", "", "Qh"},
        LastCase{"led 9, 10 unseen, holding J Q K A: the jack", kDeclLed, 's', "Jh Qh Kh Ah", "9h 9c", "", "", "Jh"},
        LastCase{"led K, one played, 10 unseen, holding J Q A: the jack", kDeclLed, 's', "Jh Qh Ah", "Kh 9c",
                 "9h 9d Jd", "", "Jh"},
        LastCase{"led K, two played, 10 unseen, holding Q A: the queen", kDeclLed, 's', "Qh Ah", "Kh 9c",
                 "9h Jh 9d 10d Jd Qd", "", "Qh"},
        // The 9 of hearts was a widow card the declarer kept and has played:
        // it still counts as known inside.
        LastCase{"led J, a played widow nine stays inside: the queen", kDeclLed, 's', "Qh Ah", "Jh 9c", "9h 9d Jd",
                 "9h", "Qh"},
        LastCase{"led J, the played nine not known inside: no row, the highest", kDeclLed, 's', "Qh Ah", "Jh 9c",
                 "9h 9d Jd", "", "Ah"},
        LastCase{"led 10: no row, the highest", kDeclLed, 's', "Qh Ah", "10h 9c", "", "", "Ah"},
        LastCase{"three of the suit played: no row, the highest", kDeclLed, 's', "Qh Ah", "Jh 9c",
                 "9h Kh 10h 9d Jd Qd", "", "Ah"}));

// The partner wins the trick: the seat adds what it takes to defeat the order.
struct FeedCase {
  const char* why;
  int zakaz;
  int defenders;  // card points of the partner (seat 1)
  int declarer;   // card points of the declarer (seat 2), which do not count
  const char* expect;
};

void PrintTo(const FeedCase& c, std::ostream* os) { *os << c.why; }

class LastFeedTest : public ::testing::TestWithParam<FeedCase> {};

TEST_P(LastFeedTest, GivesThePartnerEnoughToDefeatTheOrder) {
  const FeedCase& c = GetParam();
  // Partner (seat 1) led the Ah, the declarer (seat 2) followed with the Kh.
  View v(3, 2, 's');
  v.Hand("10h 9h Jc").Trick("Ah Kh").Order(c.zakaz).Points(c.defenders, c.declarer, 0);
  EXPECT_EQ(v.Pick(), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    CardPlay, LastFeedTest,
    ::testing::Values(FeedCase{"the ten takes the defenders past the set, the nine does not", 100, 0, 0, "10h"},
                      FeedCase{"even the ten is not enough", 60, 0, 0, "9h"},
                      FeedCase{"the table alone is enough", 100, 10, 0, "9h"},
                      FeedCase{"the declarer's points are no defenders' points", 100, 0, 30, "10h"}));

// Void in the suit and in trumps while the partner wins: throw points when
// the trick can defeat the order.
TEST(LastDiscard, FeedsThePartnersTrickOnlyWhenItCanDefeatTheOrder) {
  struct Case {
    int zakaz;
    int defenders;
    const char* expect;
  };
  // Partner led the Ah, the declarer followed with the 9h. Hand: 9 K of
  // diamonds (pass 1 offers the nine) and A 10 of clubs (pass 9 the ten).
  const Case cases[] = {
      {100, 0, "10c"},  // 11 + 11 > 20: ten points needed
      {110, 0, "9d"},   // forty expected: the set needs 51, out of reach
      {100, 10, "9d"},  // the table already defeats the order: a nine will do
  };
  for (const Case& c : cases) {
    View v(3, 2, 's');
    v.Hand("9d Kd Ac 10c").Trick("Ah 9h").Order(c.zakaz).Points(c.defenders, 0, 0);
    EXPECT_EQ(v.Pick(), c.expect) << "order " << c.zakaz << " defenders " << c.defenders;
  }
}

}  // namespace
}  // namespace varnok::ai
