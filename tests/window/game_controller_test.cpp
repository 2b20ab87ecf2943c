// Input that comes while the table plays a step (a click, a table button, the
// engine's timer) waits for the step and is handled after it, in order: a
// table button pressed again counts once, timer ticks count once, and the
// game does not change while the step plays.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <string>
#include <vector>

#include "game_controller.h"
#include "window_driver.h"
#include "table_canvas.h"
#include "quiet_table_host.h"

namespace varnok {
namespace {

using testing::EnsureApplication;

// A table whose game has been dealt with a fixed shuffle and drawn, the
// bidding begun and the local player passed: a computer seat bids at the
// engine's next tick.
struct DealtTable {
  TableCanvas canvas;
  testing::QuietTableHost host;
  GameController game{canvas, host};

  DealtTable() {
    game.GameEngine().SetShuffleSeed(20261211);
    Engine& engine = game.GameEngine();
    engine.Apply(Move::NewGame());
    if (engine.Allows(Move::Begin())) engine.Apply(Move::Begin());
    if (engine.Allows(Move::Pass(3))) engine.Apply(Move::Pass(3));
    Settle();
  }
  void PausingStep(int ms) {
    game.Queue().Push([this, ms](StepQueue::Done done) {
      game.Table().Pause(ms);
      done();
    });
  }
  void Settle() {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      if (!game.Busy()) {
        QCoreApplication::processEvents();  // held input runs on its own turn
        if (!game.Busy()) return;
      }
    }
    ADD_FAILURE() << "the table never came to rest";
  }
};

TEST(GameControllerInput, InputDuringAStepWaitsForItAndRunsInOrderOnce) {
  EnsureApplication();
  DealtTable table;
  std::vector<std::string> ran;
  table.PausingStep(60);
  table.game.Queue().Play();
  ASSERT_TRUE(table.game.Busy());
  table.game.Input([&] { ran.push_back("button"); }, 1);
  table.game.Input([&] { ran.push_back("button again"); }, 1);
  table.game.Input([&] { ran.push_back("click"); });
  EXPECT_TRUE(ran.empty()) << "input stepped into the step that plays";
  table.Settle();
  EXPECT_EQ(ran, (std::vector<std::string>{"button", "click"}));
}

TEST(GameControllerInput, TimerTicksDuringAStepAreTakenOnceAfterIt) {
  EnsureApplication();
  DealtTable held;
  DealtTable direct;
  ASSERT_EQ(held.game.State(), direct.game.State()) << "the same deal on both tables";

  held.PausingStep(60);
  held.game.Queue().Play();
  const GameState before = held.game.State();
  for (int i = 0; i < 3; ++i) held.game.Tick();
  EXPECT_EQ(held.game.State(), before) << "a tick changed the game while a step played";
  held.Settle();

  direct.game.Tick();
  direct.Settle();
  EXPECT_NE(direct.game.State(), before) << "the fixture's tick must move the game";
  EXPECT_EQ(held.game.State(), direct.game.State()) << "three held ticks must count as one";
}

}  // namespace
}  // namespace varnok
