// The engine's pauses on the table, and sounds waited for: they are steps of
// the table's queue. The table shows what was drawn, the event loop runs on
// (timers fire, the window repaints), and the step after the wait begins
// only when it has ended; the pause is skipped when the window asks for fast
// play.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "game_state.h"
#include "step_queue.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "quiet_table_host.h"

namespace varnok {
namespace {

void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnok_view_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

struct Waiting {
  std::function<void(TablePresenter&)> wait;
  int at_least_ms;
  const char* what;
};

TEST(TablePause, WaitsOnTheEventLoopBeforeTheNextStep) {
  EnsureApplication();
  TableCanvas canvas;
  GameState state;
  testing::QuietTableHost host;
  host.sound_ms = 70;
  StepQueue queue;
  TablePresenter presenter(canvas, state, host, queue);
  canvas.show();

  const Waiting cases[] = {
      {[](TablePresenter& p) { p.Pause(60); }, 60, "a pause"},
      {[](TablePresenter& p) { p.PlaySound("WDing_1", true); }, 70, "a sound waited for"},
  };
  for (const Waiting& c : cases) {
    QElapsedTimer clock;
    qint64 next_began = -1;
    bool fired = false, next_before_timer = false;
    queue.Push([&](StepQueue::Done done) {
      c.wait(presenter);
      done();
    });
    queue.Push([&](StepQueue::Done done) {
      next_began = clock.elapsed();
      done();
    });
    QTimer::singleShot(10, [&] {
      fired = true;
      next_before_timer = next_began >= 0;
    });
    clock.start();
    queue.Play();
    EXPECT_TRUE(queue.Busy()) << c.what;
    while (queue.Busy() && clock.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    EXPECT_FALSE(queue.Busy()) << c.what;
    EXPECT_GE(next_began, c.at_least_ms) << c.what;
    EXPECT_TRUE(fired) << "the event loop stood still during " << c.what;
    EXPECT_FALSE(next_before_timer) << "the next step began inside " << c.what;
  }

  host.skip = true;
  host.sound_ms = 0;
  bool next = false;
  queue.Push([&](StepQueue::Done done) {
    presenter.Pause(500);
    presenter.PlaySound("WDing_1", false);
    done();
  });
  queue.Push([&](StepQueue::Done done) {
    next = true;
    done();
  });
  queue.Play();
  EXPECT_TRUE(next) << "fast play skips the pause";
  EXPECT_FALSE(queue.Busy());
}

}  // namespace
}  // namespace varnok
