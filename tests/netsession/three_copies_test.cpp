// Whole games between copies of the program on loopback: every copy keeps
// its own state and sees the same deals, tricks and scores.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "copies.h"

namespace varnok::netsession::testing {
namespace {

struct GameCase {
  const char* name;
  int people;
  int write_pieces;
  int rounds;  // 0: the whole game
  int pause_ms = 0;  // between the sends of a copy (the others in proportion)
};

class WholeGames : public ::testing::TestWithParam<GameCase> {};

TEST_P(WholeGames, EveryCopyAgreesAfterEveryRound) {
  const GameCase& param = GetParam();
  Table table(param.people, param.write_pieces);
  for (std::size_t i = 0; i < table.size(); ++i)
    table[i].session.SetPauses(SessionPauses{param.pause_ms, 2 * param.pause_ms, 10 * param.pause_ms, 20 * param.pause_ms});
  ASSERT_TRUE(table.Start());
  for (std::size_t i = 1; i < table.size(); ++i) EXPECT_EQ(table[i].session.ThreeHumans(), param.people == 3);
  ASSERT_TRUE(table.Play(param.rounds)) << "play stopped in round " << int{table[0].s.RoundNo} << " phase "
                                        << int{table[0].s.Phase} << table.Dump();
  if (param.rounds == 0) {
    int lowest = 1000;
    for (int seat = 1; seat <= 3; ++seat) lowest = std::min(lowest, table[0].s.Scores[static_cast<std::size_t>(seat)]);
    EXPECT_LT(lowest, 1);
    EXPECT_GE(table.rounds_compared, 3);  // a game from 501 takes rounds
    EXPECT_EQ(table.rounds_compared, int{table[0].s.RoundNo});
    for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].s.Phase, phGameOver);
  } else {
    EXPECT_GE(table.rounds_compared, param.rounds);
  }
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].interruptions, 0) << i;
    EXPECT_EQ(table[i].engine.FaultyRequests(), 0) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Copies, WholeGames,
                         ::testing::Values(GameCase{"ThreePeople", 3, 0, 0}, GameCase{"TwoPeopleAndComputer", 2, 0, 0},
                                           GameCase{"ThreePeopleByteWise", 3, 1, 2},
                                           GameCase{"TwoPeopleByteWise", 2, 1, 2},
                                           GameCase{"ThreePeopleWithPauses", 3, 0, 1, 2},
                                           GameCase{"TwoPeopleWithPauses", 2, 0, 1, 2}),
                         [](const ::testing::TestParamInfo<GameCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace varnok::netsession::testing
