// The computer leading a trick, as declarer and as defender.
#include <gtest/gtest.h>

#include "card_play_fixture.h"

namespace varnok::ai {
namespace {

using testing::View;

struct LeadCase {
  const char* why;
  bool declarer;
  char trump;
  const char* hand;
  const char* played;
  const char* ruffed;
  const char* expect;
};

void PrintTo(const LeadCase& c, std::ostream* os) { *os << c.why; }

class LeadTest : public ::testing::TestWithParam<LeadCase> {};

TEST_P(LeadTest, LeadsTheCardOfTheFirstRuleThatApplies) {
  const LeadCase& c = GetParam();
  View v(1, c.declarer ? 1 : 2, c.trump);
  v.Hand(c.hand).Played(c.played).Ruffed(c.ruffed);
  EXPECT_EQ(v.Pick(), c.expect);
}

INSTANTIATE_TEST_SUITE_P(
    Declarer, LeadTest,
    ::testing::Values(
        // No marriage.
        LeadCase{"the ten of trumps once the ace is out", true, 'h', "10h Kh 9c Jc Qd As", "Ah 9d Jd", "###", "10h"},
        LeadCase{"all trumps accounted: an ace in any side suit before a ten", true, 'h', "9h Jh 10d 9d Ac 9s",
                 "Ah 10h Kh Qh Ad Jd", "###", "Ac"},
        LeadCase{"no master card: the singleton side card", true, 'h', "Kh 9h Jd Qd Kc 9s Js", "", "###", "Kc"},
        LeadCase{"no master card nor singleton: the low discard", true, 'h', "Kh 9h Jd Qd Kc 9c", "", "###", "9c"},
        // Marriage in trumps only.
        LeadCase{"forty: the trump ace first", true, 'h', "Kh Qh Ah 9c Jd", "", "###", "Ah"},
        LeadCase{"forty without the ace: the queen", true, 'h', "Kh Qh 9c Jd", "", "###", "Qh"},
        // Marriage in a side suit only (trump hearts: side suits d, c, s).
        LeadCase{"the trump ace comes before the marriage", true, 'h', "Ah 9h Kc Qc Ad", "", "###", "Ah"},
        LeadCase{"ace of the first marriage suit", true, 'h', "9h Kc Qc Ac Kd Qd Ad", "", "###", "Ad"},
        LeadCase{"ace of the second marriage suit", true, 'h', "9h Kc Qc Ac Kd Qd", "", "###", "Ac"},
        LeadCase{"no ace: the queen of the first marriage suit", true, 'h', "9h Kc Qc Kd Qd Js", "", "###", "Qd"},
        // Marriages in trumps and in a side suit.
        LeadCase{"A and 10 of trumps held: forty", true, 'h', "Ah 10h Kh Qh Kc Qc", "", "###", "Qh"},
        LeadCase{"trump ace held and its ten played: forty", true, 'h', "Ah Kh Qh Kc Qc", "10h 9d Jd", "###", "Qh"},
        LeadCase{"trump ten held and the ace played: forty", true, 'h', "10h Kh Qh Kc Qc", "Ah 9d Jd", "###", "Qh"},
        LeadCase{"trump ace and ten both played: forty", true, 'h', "Kh Qh Kc Qc 9s", "Ah 10h 9d Jd Qd Kd", "###",
                 "Qh"},
        LeadCase{"trump ace with five trumps accounted: the ace", true, 'h', "Ah Kh Qh Kc Qc", "9h Jh 9d", "###",
                 "Ah"},
        LeadCase{"trump ace and the side marriage's ace: the trump ace", true, 'h', "Ah Kh Qh Kc Qc Ac", "9h 9d Jd",
                 "###", "Ah"},
        LeadCase{"trump ace alone, ten still out, four accounted: the side queen", true, 'h', "Ah Kh Qh Kc Qc 9d Js",
                 "9h Jd Qd", "###", "Qc"},
        LeadCase{"neither trump ace nor ten: the trump queen", true, 'h', "Kh Qh Kc Qc Ac", "", "###", "Qh"}));

INSTANTIATE_TEST_SUITE_P(
    Defender, LeadTest,
    ::testing::Values(
        LeadCase{"the trump ace", false, 's', "As 9s 9h Jd", "", "###", "As"},
        LeadCase{"bare A K of trumps, not all accounted: not the ace", false, 's', "As Ks Qh Jh 9c", "", "###", "9c"},
        LeadCase{"bare A K of trumps, all accounted: the master side card", false, 's', "As Ks 10h 9c Jc",
                 "10s Qs Ah Js 9s 9d", "###", "10h"},
        LeadCase{"only trumps and side aces, all trumps accounted: a side ace", false, 'h', "Ah 10h Ac Ad",
                 "Kh Qh Jh 9h 9c Jc", "###", "Ad"},
        LeadCase{"forty: the trump queen", false, 's', "Ks Qs 9h Jd", "", "###", "Qs"},
        LeadCase{"twenty: the queen of the marriage", false, 's', "Kc Qc 9h Jd", "", "###", "Qc"},
        LeadCase{"the first ruffed suit held: its lowest card", false, 's', "Ah 10c 9c Jd Kd", "", "c##", "9c"},
        LeadCase{"ruffed suits not held are passed over", false, 's', "Ah 9h Jd Kd", "", "cd#", "Jd"},
        LeadCase{"the ruffed suits are tried in the order noticed", false, 's', "Ah 10c 9c Jd Kd", "", "dc#", "Jd"},
        LeadCase{"a singleton side card", false, 's', "Kh Qd Jd 10c 9c", "", "###", "Kh"},
        LeadCase{"Q J 9 of the first side suit: its nine", false, 'h', "9d Jd Qd Kc 10c 9s Qs", "", "###", "9d"},
        LeadCase{"10 K: its king", false, 'h', "10d Kd Jc Ac 9s Qs", "", "###", "Kd"},
        LeadCase{"K J 9: its king", false, 'h', "Kd Jd 9d Qc 9c", "", "###", "Kd"},
        LeadCase{"Q 9: its queen", false, 'h', "Qd 9d 10c Ac Jc", "", "###", "Qd"},
        LeadCase{"then a side ace", false, 'h', "Ac Kc Ad Qd", "", "###", "Ad"},
        LeadCase{"then the low discard", false, 'h', "10d Kd Jd 10c Qc", "", "###", "Jd"},
        LeadCase{"last, the lowest card", false, 'h', "Kh 9h", "", "###", "9h"}));

}  // namespace
}  // namespace varnok::ai
