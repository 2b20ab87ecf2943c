// The computer playing second to a trick. Seat 2 plays after seat 1's lead.
#include <gtest/gtest.h>

#include "card_play_fixture.h"

namespace varnok::ai {
namespace {

using testing::View;

enum class Who { Declarer, DefenderAfterDeclarer, DefenderAfterPartner };

struct SecondCase {
  const char* why;
  Who who;
  char trump;
  const char* hand;
  const char* led;
  const char* played;
  const char* expect;
};

void PrintTo(const SecondCase& c, std::ostream* os) { *os << c.why; }

int DeclarerFor(Who who) {
  switch (who) {
    case Who::Declarer: return 2;
    case Who::DefenderAfterDeclarer: return 1;
    default: return 3;
  }
}

class SecondTest : public ::testing::TestWithParam<SecondCase> {};

TEST_P(SecondTest, PlaysTheCardOfTheFirstRuleThatApplies) {
  const SecondCase& c = GetParam();
  View v(2, DeclarerFor(c.who), c.trump);
  v.Hand(c.hand).Played(c.played).Trick(c.led);
  EXPECT_EQ(v.Pick(), c.expect);
}

constexpr Who kDecl = Who::Declarer;
constexpr Who kVsDecl = Who::DefenderAfterDeclarer;
constexpr Who kVsPartner = Who::DefenderAfterPartner;

INSTANTIATE_TEST_SUITE_P(
    Declarer, SecondTest,
    ::testing::Values(
        SecondCase{"neither the suit nor trumps: the lowest card", kDecl, 's', "Kd Jc Ac", "10h", "", "Jc"},
        SecondCase{"cannot beat: the lowest of the suit", kDecl, 's', "Qh 9h As", "Kh", "", "9h"},
        SecondCase{"led ten, holding A J 9: the ace beats alone", kDecl, 's', "Ah Jh 9h Ks", "10h", "", "Ah"},
        SecondCase{"void, trumps A K Q 9: the nine", kDecl, 's', "As Ks Qs 9s 9c", "10h", "", "9s"},
        SecondCase{"trump queen led, holding 10 K, ace out: the ten", kDecl, 's', "10s Ks 9h", "Qs", "", "10s"},
        SecondCase{"10 Q over a led jack with the ace played: the queen", kDecl, 's', "10h Qh 9h", "Jh", "Ah 9d Jd",
                   "Qh"},
        SecondCase{"10 Q over a led jack with the ace out: the ten", kDecl, 's', "10h Qh 9h", "Jh", "", "10h"}));

INSTANTIATE_TEST_SUITE_P(
    DefenderAfterDeclarer, SecondTest,
    ::testing::Values(
        SecondCase{"led ace: the lowest", kVsDecl, 's', "10h 9h", "Ah", "", "9h"},
        SecondCase{"led ten: the ace", kVsDecl, 's', "Ah 9h", "10h", "", "Ah"},
        SecondCase{"led king, A 9 with the ten out: the nine", kVsDecl, 's', "Ah 9h", "Kh", "", "9h"},
        SecondCase{"led king, A 9 with the ten played: the ace", kVsDecl, 's', "Ah 9h", "Kh", "10h Jd Qd", "Ah"},
        SecondCase{"led king, 10 J with the ace out: the ten", kVsDecl, 's', "10h Jh", "Kh", "", "10h"},
        SecondCase{"led king, bare ace: the ace", kVsDecl, 's', "Ah Jc", "Kh", "", "Ah"},
        SecondCase{"led king, only low cards: the lowest", kVsDecl, 's', "Qh 9h", "Kh", "", "9h"},
        SecondCase{"led queen, K 10: the ten", kVsDecl, 's', "Kh 10h 9h", "Qh", "", "10h"},
        SecondCase{"led queen, A K with the ten out: the king", kVsDecl, 's', "Ah Kh", "Qh", "", "Kh"},
        SecondCase{"led queen, A K with the ten played: the ace", kVsDecl, 's', "Ah Kh", "Qh", "10h 9d Jd", "Ah"},
        SecondCase{"led queen, 10 J: the ten", kVsDecl, 's', "10h Jh", "Qh", "", "10h"},
        SecondCase{"led queen, K J: the lowest", kVsDecl, 's', "Kh Jh", "Qh", "", "Jh"},
        SecondCase{"led jack, 10 9: the ten", kVsDecl, 's', "10h 9h", "Jh", "", "10h"},
        SecondCase{"led nine, A 10: the ace", kVsDecl, 's', "Ah 10h", "9h", "", "Ah"},
        SecondCase{"led nine, A Q: the lowest", kVsDecl, 's', "Ah Qh", "9h", "", "Qh"},
        SecondCase{"void with trumps: the lowest trump", kVsDecl, 's', "Ks 9s Ac", "Ah", "", "9s"},
        SecondCase{"trumps led, none held: a plain discard", kVsDecl, 's', "Kh 9h Ac", "Qs", "", "9h"}));

INSTANTIATE_TEST_SUITE_P(
    DefenderAfterPartner, SecondTest,
    ::testing::Values(
        SecondCase{"led jack, A Q 9: the ace", kVsPartner, 's', "Ah Qh 9h", "Jh", "", "Ah"},
        SecondCase{"led king, A J with the ten out: the highest", kVsPartner, 's', "Ah Jh", "Kh", "", "Ah"},
        SecondCase{"led queen, 10 J: the lowest", kVsPartner, 's', "10h Jh", "Qh", "", "Jh"},
        SecondCase{"led queen, A K with the ten out: the king", kVsPartner, 's', "Ah Kh", "Qh", "", "Kh"},
        SecondCase{"led ten, no ace: the lowest", kVsPartner, 's', "Kh 9h", "10h", "", "9h"},
        SecondCase{"void in the suit and trumps: a plain discard", kVsPartner, 's', "Ac 10c 9d Kd", "Ah", "",
                   "9d"}));

// The declarer led a side suit the seat lacks and it holds no trump: when the
// other defender is known to hold a card above the lead, the seat may throw
// points onto that trick.
struct FeedCase {
  const char* why;
  const char* outside;
  const char* played;
  int defenders;  // card points of seat 2 (seat 3 has none)
  const char* expect;
};

void PrintTo(const FeedCase& c, std::ostream* os) { *os << c.why; }

class SecondFeedTest : public ::testing::TestWithParam<FeedCase> {};

TEST_P(SecondFeedTest, ThrowsPointsOntoThePartnersTrick) {
  const FeedCase& c = GetParam();
  // Order 100: the defenders need 21. The declarer (seat 1) leads the Jc.
  View v(2, 1, 's');
  v.Hand("10h Ah 9d Kd").Played(c.played).Trick("Jc").Outside(c.outside).Points(0, c.defenders, 0);
  EXPECT_EQ(v.Pick(), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    CardPlay, SecondFeedTest,
    ::testing::Values(
        // V = 2 + 11 = 13; 11 + 13 > 20; eight points needed: the ten of A 10.
        FeedCase{"partner known to hold the ace", "Ac", "", 0, "10h"},
        FeedCase{"nothing known: a plain discard", "", "", 0, "9d"},
        // The ace is played; the queen gives V = 5 and 11 + 5 is not enough.
        FeedCase{"only a played card above the lead", "Qc Ac", "Ac 9h Jh", 0, "9d"},
        // The highest known card counts: with the ace V = 13 again.
        FeedCase{"the highest known card above the lead counts", "Qc Ac", "", 0, "10h"},
        // Points already taken: 13 + 8 > 20 leaves nothing needed: a nine will do.
        FeedCase{"defenders close to the set: a nine will do", "Ac", "", 8, "9d"}));

}  // namespace
}  // namespace varnok::ai
