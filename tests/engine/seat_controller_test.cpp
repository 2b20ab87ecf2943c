// Who makes each seat's moves: the controllers each table mode places, and
// a seat handed from one controller to another in the middle of a round.
#include <gtest/gtest.h>

#include "table_fixture.h"

namespace varnok {
namespace {

using testing::DeckFromNames;
using testing::ScriptedTable;

constexpr auto L = SeatKind::Local;
constexpr auto C = SeatKind::Computer;
constexpr auto R = SeatKind::Remote;

struct ModeCase {
  const char* name;
  bool net_game;
  int net_pos;
  bool three_humans;
  bool tour_game;
  SeatKind seat1, seat2, seat3;
};

TEST(SeatKindsFor, EachModePlacesItsControllers) {
  const ModeCase cases[] = {
      {"against the computer", false, 1, true, false, C, C, L},
      {"tournament table", false, 1, true, true, R, R, L},
      {"three people, server", true, 1, true, false, R, R, L},
      {"three people, client", true, 3, true, false, R, R, L},
      {"two people, server plays the computer seat", true, 1, false, false, R, C, L},
      {"two people, client", true, 2, false, false, R, R, L},
  };
  for (const ModeCase& c : cases) {
    TableMode mode;
    mode.NetGame = c.net_game;
    mode.NetPos = c.net_pos;
    mode.NetThreeHumans = c.three_humans;
    mode.TourGame = c.tour_game;
    const PerSeat<SeatKind> kinds = SeatKindsFor(mode);
    EXPECT_EQ(kinds[1], c.seat1) << c.name;
    EXPECT_EQ(kinds[2], c.seat2) << c.name;
    EXPECT_EQ(kinds[3], c.seat3) << c.name;
    // The engine places the same controllers when it is given the mode.
    ScriptedTable t;
    t.engine.SetMode(mode);
    for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(t.engine.KindOf(seat), kinds[seat]) << c.name << " seat " << seat;
  }
}

constexpr const char* kDeck =
    "Ah 10h Kh Qh As 10s 9c "
    "Jh Ad 10d Kd Qd Jd 9d "
    "Ac 10c Kc Qc Jc 9h Ks "
    "Qs Js 9s";

// Deals round 3, which seat 3 opens, and bids 60: seat 1 is next.
void OpenWith60(ScriptedTable& t) {
  t.NewGame();
  t.s.RoundNo = 2;
  t.engine.SetNextDeck(DeckFromNames(kDeck));
  t.NextDeal();
  ASSERT_EQ(t.s.Phase, phBid3);
  t.PressNext();  // To Begin: the computer seats work out their limits
  t.PressNext();  // seat 3: 60
  ASSERT_EQ(t.s.Phase, phBid1);
}

TEST(SeatControllers, ARemoteSeatIsNotComputedAndItsRecordIsTaken) {
  ScriptedTable t;
  t.ai.max_bid = {{1, 100}, {2, 70}};
  OpenWith60(t);
  RemoteController remote;
  t.engine.SetSeatController(1, &remote);
  EXPECT_EQ(t.engine.KindOf(1), SeatKind::Remote);
  EXPECT_EQ(t.engine.KindOf(2), SeatKind::Computer);

  const GameState before = t.s;
  t.engine.Tick();  // seat 1's move now comes from its copy
  EXPECT_EQ(before, t.s);
  ASSERT_TRUE(t.engine.Apply(Move::Bid(1), MoveSource::Record));
  EXPECT_EQ(t.s.CurrentBid, 65);
  EXPECT_EQ(t.s.Phase, phBid2);

  // Handed back to the computer: the timer plays the table again.
  t.engine.SetSeatController(1, nullptr);
  EXPECT_EQ(t.engine.KindOf(1), SeatKind::Computer);
  t.engine.Tick();  // seat 2: 70, its limit
  EXPECT_EQ(t.s.CurrentBid, 70);
  EXPECT_EQ(t.s.Phase, phBid3);
}

// A computer controller of its own: it passes whenever it may.
class AlwaysPass : public SeatController {
 public:
  SeatKind Kind() const override { return SeatKind::Computer; }
  std::optional<Move> NextMove(int seat, const GameState& state) override {
    ++asked;
    if (state.Phase != seat) return std::nullopt;
    return Move::Pass(seat);
  }
  int asked = 0;
};

TEST(SeatControllers, TheTickAsksTheControllerOfTheSeatToMove) {
  ScriptedTable t;
  t.ai.max_bid = {{1, 100}, {2, 100}};  // the computer players would raise
  OpenWith60(t);
  AlwaysPass passer;
  t.engine.SetSeatController(1, &passer);
  t.engine.Tick();
  EXPECT_EQ(passer.asked, 1);
  EXPECT_FALSE(t.s.InBidding[1]);
  EXPECT_EQ(t.s.Phase, phBid2);
  t.engine.Tick();  // seat 2 keeps the engine's computer controller: 65
  EXPECT_EQ(passer.asked, 1);
  EXPECT_EQ(t.s.CurrentBid, 65);
  EXPECT_EQ(t.s.Phase, phBid3);

  // A new mode places the mode's controllers again.
  t.engine.SetMode(TableMode{});
  EXPECT_EQ(&t.engine.Controller(1), &t.engine.Controller(2));
}

}  // namespace
}  // namespace varnok
