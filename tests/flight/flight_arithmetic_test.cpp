// The step arithmetic of card flights: rounding, the points of a line, the
// waits by speed, the update rectangles and the turning card's steps.
#include <gtest/gtest.h>

#include <cstdlib>

#include "sprite.h"

namespace varnok {
namespace {

TEST(FlightArithmetic, QuotientRoundsHalvesToEven) {
  struct Case {
    long long p, q, expected;
  };
  const Case cases[] = {{1, 2, 0},  {3, 2, 2},   {5, 2, 2},   {7, 2, 4},  {-1, 2, 0}, {-3, 2, -2},
                        {1, -2, 0}, {-5, -2, 2}, {30, 100, 0}, {51, 100, 1}, {49, 100, 0}, {150, 100, 2},
                        {250, 100, 2}, {-150, 100, -2}, {7, 3, 2}, {8, 3, 3}, {0, 5, 0}};
  for (const Case& c : cases) EXPECT_EQ(RoundQuotientHalfEven(c.p, c.q), c.expected) << c.p << "/" << c.q;
}

TEST(FlightArithmetic, RealRoundsHalvesToEvenWithDecimalFactors) {
  struct Case {
    double value;
    int expected;
  };
  const Case cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {5 * 1.3, 6}, {5 * 1.7, 8}, {6 * 1.8, 11},
                        {10.49, 10}, {10.51, 11}, {-0.5, 0}, {-1.5, -2}, {-2.4, -2}};
  for (const Case& c : cases) EXPECT_EQ(RoundRealHalfEven(c.value), c.expected) << c.value;
}

TEST(FlightArithmetic, FlightToItsOwnStartIsOneStep) {
  const std::vector<QPoint> path = FlightPath({40, 70}, {40, 70});
  ASSERT_EQ(path.size(), 1u);
  EXPECT_EQ(path[0], QPoint(40, 70));
  EXPECT_EQ(NextFlightPoint({40, 70}, {40, 70}, {40, 70}), QPoint(40, 70));
}

TEST(FlightArithmetic, HundredAcrossAndThirtyDownTakesHundredSteps) {
  const QPoint start(10, 20), end(110, 50);
  const std::vector<QPoint> path = FlightPath(start, end);
  ASSERT_EQ(path.size(), 100u);
  QPoint previous = start;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const QPoint p = path[i];
    EXPECT_EQ(p.x(), previous.x() + 1) << i;  // x always moves one pixel
    EXPECT_GE(p.y() - previous.y(), 0) << i;
    EXPECT_LE(p.y() - previous.y(), 1) << i;
    // y = round(20 + 30 * (x - 10) / 100), halves to even
    EXPECT_EQ(p.y(), 20 + RoundQuotientHalfEven(30LL * (p.x() - 10), 100)) << i;
    previous = p;
  }
  EXPECT_EQ(path.back(), end);
  // x = 15: 30 * 5 / 100 = 1.5 -> 2; x = 25: 4.5 -> 4
  EXPECT_EQ(path[4], QPoint(15, 22));
  EXPECT_EQ(path[14], QPoint(25, 24));
}

TEST(FlightArithmetic, LinesInEveryDirectionTakeTheLongerSideInSteps) {
  struct Case {
    QPoint start, end;
  };
  const Case cases[] = {{{0, 0}, {0, 37}},     {{0, 0}, {-25, 0}},   {{300, 200}, {100, 150}},
                        {{5, 5}, {-7, 300}},   {{50, 50}, {60, -40}}, {{0, 0}, {20, 20}},
                        {{0, 0}, {-3, 2}},     {{0, 0}, {1, -1}}};
  for (const Case& c : cases) {
    const std::vector<QPoint> path = FlightPath(c.start, c.end);
    const int dx = c.end.x() - c.start.x(), dy = c.end.y() - c.start.y();
    ASSERT_EQ(static_cast<int>(path.size()), std::max(std::abs(dx), std::abs(dy))) << dx << "," << dy;
    EXPECT_EQ(path.back(), c.end);
    QPoint previous = c.start;
    for (const QPoint& p : path) {
      // One pixel along the longer side, at most one along the other.
      EXPECT_LE(std::abs(p.x() - previous.x()), 1);
      EXPECT_LE(std::abs(p.y() - previous.y()), 1);
      EXPECT_EQ(std::max(std::abs(p.x() - previous.x()), std::abs(p.y() - previous.y())), 1);
      previous = p;
    }
  }
}

TEST(FlightArithmetic, SteepLineComputesXFromY) {
  // dy = 4, dx = 2: x = round(2 * (y - 0) / 4): y = 1 -> 0.5 -> 0, y = 3 -> 1.5 -> 2
  const std::vector<QPoint> path = FlightPath({0, 0}, {2, 4});
  const std::vector<QPoint> expected = {{0, 1}, {1, 2}, {2, 3}, {2, 4}};
  EXPECT_EQ(path, expected);
}

TEST(FlightArithmetic, WaitOfAStepBySpeed) {
  struct Case {
    int speed;
    long long counter;
    int ms;
  };
  const Case cases[] = {{1, 1, 2}, {1, 2, 2}, {2, 1, 1}, {2, 7, 1}, {3, 1, 0}, {3, 2, 1},  {3, 3, 0},
                        {4, 1, 0}, {4, 2, 0}, {4, 3, 1}, {4, 6, 1}, {5, 3, 0}, {6, 6, 0},  {0, 1, 2},
                        {-4, 1, 2}, {9, 3, 0}};
  for (const Case& c : cases) EXPECT_EQ(StepWaitMs(c.speed, c.counter), c.ms) << c.speed << " " << c.counter;
}

TEST(FlightArithmetic, WaitsOfAHundredStepFlight) {
  struct Case {
    int speed;
    long long counterBefore;
    int total;
  };
  const Case cases[] = {{1, 0, 200}, {2, 0, 100}, {3, 0, 50}, {3, 1, 50}, {4, 0, 33},
                        {4, 2, 34},  {5, 0, 0},   {6, 17, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(StepWaitsTotalMs(c.speed, c.counterBefore, 100), c.total) << c.speed << " from " << c.counterBefore;
}

TEST(FlightArithmetic, UpdateRectangles) {
  EXPECT_EQ(StepUpdateRect(QRect(100, 50, 71, 96)), QRect(98, 48, 75, 100));
  EXPECT_EQ(StepUpdateRect(QRect(0, 0, 126, 198)), QRect(-2, -2, 130, 202));
  EXPECT_EQ(EraseUpdateRect(QRect(100, 50, 71, 96)), QRect(98, 48, 73, 98));
}

TEST(FlightArithmetic, GroupUpdateRectSpansPreviousAndNewPlaces) {
  const QSize card(71, 96);
  EXPECT_EQ(GroupUpdateRect({{10, 20}, {200, 5}}, {{11, 21}, {199, 6}}, card),
            QRect(QPoint(10, 5), QPoint(200 + 71 - 1, 21 + 96 - 1)));
  EXPECT_EQ(GroupUpdateRect({{300, 300}}, {{299, 301}}, card), QRect(299, 300, 72, 97));
  EXPECT_EQ(GroupUpdateRect({}, {}, card), QRect());
}

TEST(FlightArithmetic, TurnStepByScale) {
  struct Case {
    double k;
    int step;
  };
  const Case cases[] = {{1.0, 5}, {1.3, 6}, {1.7, 8}, {1.79, 9}, {1.8, 11}, {2.0, 12}, {2.105, 13}};
  for (const Case& c : cases) EXPECT_EQ(TurnStep(c.k), c.step) << c.k;
}

TEST(FlightArithmetic, TurnBendAlongTheEllipse) {
  struct Case {
    int d, g, bend;
  };
  // 0.3 * g * sqrt(|1 - d^2 / g^2|)
  const Case cases[] = {{0, 36, 11}, {36, 36, 0}, {18, 36, 9}, {30, 36, 6}, {0, 73, 22},
                        {72, 36, 19}, {0, 0, 0}, {5, 10, 3}};
  for (const Case& c : cases) EXPECT_EQ(TurnBend(c.d, c.g), c.bend) << c.d << "/" << c.g;
}

TEST(FlightArithmetic, TurnEdgesStepFromTheRightToTheLeft) {
  EXPECT_EQ(TurnEdges(71, 5), (std::vector<int>{66, 61, 56, 51, 46, 41, 36, 31, 26, 21, 16, 11, 6, 1}));
  EXPECT_EQ(TurnEdges(10, 5), (std::vector<int>{5}));
  EXPECT_TRUE(TurnEdges(4, 5).empty());
  EXPECT_EQ(TurnEdges(3, 0).size(), 2u);  // a step below one pixel counts as one
}

}  // namespace
}  // namespace varnok
