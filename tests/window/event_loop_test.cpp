// The event loop never stands still while a game is shown: whole games with
// the cards flying, in every window size, while a 10 ms timer measures the
// gaps between its ticks from the deal to "Exit to menu"; and a close
// request in the middle of a flight closes the window at once, with the
// options written.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <iostream>

#include "main_window.h"
#include "sprite.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

// Nanoseconds the program's threads have waited to be given a core (the
// second field of each thread's schedstat), and the main thread's time on
// a core: the waits are the machine's other work, not this program's. The
// main thread waits for the image workers of Qt as well (large pictures are
// converted and scaled in slices by a thread pool), so every thread counts.
qint64 RunQueueWaitNs(qint64* running_ns = nullptr) {
  qint64 waiting = 0;
  for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    std::ifstream in(("/proc/self/task/" + task + "/schedstat").toStdString());
    long long run = 0, wait = 0;
    if (!(in >> run >> wait)) continue;
    waiting += wait;
  }
  if (running_ns != nullptr) {
    std::ifstream in("/proc/thread-self/schedstat");
    long long run = 0;
    if (in >> run) *running_ns = run;
  }
  return waiting;
}

// The longest time between two ticks of a 10 ms timer while it runs. On a
// machine shared with other work the threads also wait for a core; that
// wait is left out, so what is measured is the time the event loop itself
// did not come round (working or sleeping).
class GapProbe {
 public:
  GapProbe() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const qint64 now = clock_.nsecsElapsed();
      qint64 running = 0;
      const qint64 queued = RunQueueWaitNs(&running);
      if (ticks_++ == 0) {
        // Gaps are counted from the first tick: Start is called in the
        // middle of a turn of the event loop.
        last_ns_ = now;
        last_queued_ns_ = queued;
        last_running_ns_ = running;
        return;
      }
      const qint64 gap = now - last_ns_ - (queued - last_queued_ns_);
      longest_ns_ = std::max(longest_ns_, gap);
      longest_wall_ns_ = std::max(longest_wall_ns_, now - last_ns_);
      if (note_) {
        const std::string n = note_();
        if (gap > 30000000)
          std::cerr << "gap of " << gap / 1000000 << " ms (" << (running - last_running_ns_) / 1000000
                    << " ms on a core) from " << last_note_ << " to " << n << "\n";
        last_note_ = n;
      }
      last_ns_ = now;
      last_queued_ns_ = queued;
      last_running_ns_ = running;
    });
  }
  void Start() {
    clock_.start();
    last_ns_ = 0;
    last_queued_ns_ = RunQueueWaitNs();
    timer_.start();
  }
  void Stop() { timer_.stop(); }
  double LongestGapMs() const { return static_cast<double>(longest_ns_) / 1e6; }
  double LongestWallGapMs() const { return static_cast<double>(longest_wall_ns_) / 1e6; }
  int Ticks() const { return ticks_; }
  // Where the game stood, printed beside a gap that is too long.
  std::function<std::string()> note_;

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ns_ = 0;
  qint64 last_queued_ns_ = 0;
  qint64 last_running_ns_ = 0;
  qint64 longest_ns_ = 0;
  qint64 longest_wall_ns_ = 0;
  int ticks_ = 0;
  std::string last_note_;
};

class EventLoop : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

void ToTheTable(MainWindow& window) {
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  ASSERT_TRUE(window.MenuShown());
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player"
  ASSERT_TRUE(window.State().InGame);
}

TEST_P(EventLoop, NoGapAbove30MsWhileAWholeGameFlies) {
  const int mode = GetParam();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), mode, true);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;
  ToTheTable(window);

  GapProbe probe;
  probe.note_ = [&window] {
    const GameState& s = window.State();
    return "phase " + std::to_string(s.Phase) + " round " + std::to_string(s.RoundNo) + " trick " +
           std::to_string(s.TrickNo) + (window.Busy() ? " (playing)" : " (idle)") + (CardFlying() ? " flying" : "");
  };
  probe.Start();
  GameStats stats;
  ASSERT_TRUE(PlayWholeGame(window, stats));
  probe.Stop();
  std::cout << "mode " << mode << ": rounds " << stats.rounds << ", flight steps " << window.Canvas()->FlightSteps()
            << ", ticks " << probe.Ticks() << ", longest gap " << probe.LongestGapMs() << " ms ("
            << probe.LongestWallGapMs() << " ms with the waits for a core)\n";
  EXPECT_TRUE(window.MenuShown());
  EXPECT_GT(window.Canvas()->FlightSteps(), 1000);
  EXPECT_LE(probe.LongestGapMs(), 30.0) << "the event loop stood still";
  window.close();
}

INSTANTIATE_TEST_SUITE_P(EveryWindowMode, EventLoop, ::testing::Values(1, 2, 3, 4, 5),
                         [](const auto& info) { return "Mode" + std::to_string(info.param); });

TEST(EventLoopClose, ACloseDuringAFlightClosesAtOnceWithTheOptionsWritten) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  // The slowest speed: the flights last long enough to be caught in the air.
  WriteOptions(folder.path(), 1, true, 1);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;
  ToTheTable(window);

  PlayerRobot robot;
  for (int guard = 0; guard < 20000 && !CardFlying(); ++guard) {
    if (!robot.Step(window)) QTest::qWait(1);
  }
  ASSERT_TRUE(CardFlying()) << "no card flew";
  const QString options = folder.path() + QStringLiteral("/Varnok.ini");
  ASSERT_TRUE(QFile::remove(options));

  QElapsedTimer clock;
  clock.start();
  window.close();
  const qint64 took = clock.elapsed();
  EXPECT_FALSE(window.isVisible()) << "the close waited";
  EXPECT_FALSE(CardFlying());
  EXPECT_FALSE(window.State().InGame);
  EXPECT_TRUE(QFileInfo::exists(options)) << "the options were not written";
  EXPECT_EQ(pilot.confirms, 1) << "leaving the game is confirmed as ever";
  std::cout << "closed in " << took << " ms\n";
  // Nothing of the game goes on after the window has closed.
  const int steps = window.Canvas()->FlightSteps();
  QTest::qWait(100);
  EXPECT_EQ(window.Canvas()->FlightSteps(), steps);
}

}  // namespace
}  // namespace varnok
