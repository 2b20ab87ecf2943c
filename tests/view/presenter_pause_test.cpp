// The engine's pauses on the table: the table shows what was drawn, and no
// timer (the engine's, a network session's) steps into the operation that
// paused; the pause is skipped when the window asks for fast play.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "game_state.h"
#include "table_canvas.h"
#include "table_presenter.h"

namespace varnok {
namespace {

struct QuietHost : TableHost {
  bool skip = false;
  void PlayEffect(const std::string&, bool) override {}
  void SetTableButton(TableButton, bool, bool, const QString&) override {}
  void EnableTableButton(TableButton, bool) override {}
  void SetEngineTimer(int, bool) override {}
  void EnableGameMenu(bool) override {}
  void ShowScoreWindow() override {}
  void TableLeft(bool) override {}
  void ShowDebugCaption(const QString&) override {}
  void SetRoundHint(int, int) override {}
  bool SkipPauses() const override { return skip; }
};

void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnok_view_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

TEST(TablePause, WaitsWithoutLettingATimerIn) {
  EnsureApplication();
  TableCanvas canvas;
  GameState state;
  QuietHost host;
  TablePresenter presenter(canvas, state, host);
  canvas.show();

  bool fired = false;
  QTimer::singleShot(0, [&] { fired = true; });
  QElapsedTimer clock;
  clock.start();
  presenter.Pause(60);
  EXPECT_GE(clock.elapsed(), 60);
  EXPECT_FALSE(fired) << "a timer ran inside the pause";
  QCoreApplication::processEvents();
  EXPECT_TRUE(fired);

  host.skip = true;
  clock.restart();
  presenter.Pause(500);
  EXPECT_LT(clock.elapsed(), 400) << "fast play skips the pause";
}

}  // namespace
}  // namespace varnok
