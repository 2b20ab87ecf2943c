// The table's animations on the event loop against the way they slept on the
// main thread before (SetTableSleeping keeps that way for this
// comparison): the duration of one card flight across the large window,
// and of a whole animated round with the engine's pauses, at each of the six
// speeds. The two durations of a speed should agree within a few per cent.
//
//   build/bench/table/varnok-bench-table
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QElapsedTimer>
#include <memory>

#include "card_pictures.h"
#include "computer_players.h"
#include "engine.h"
#include "layout.h"
#include "queued_presenter.h"
#include "sleeping_flight.h"
#include "sprite.h"
#include "step_queue.h"
#include "table_canvas.h"
#include "quiet_table_host.h"
#include "table_presenter.h"

namespace varnok {
namespace {

void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnok-bench-table";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

// The large window's table with the engine behind a queue, as in the window.
struct Table {
  GameState state;
  GameState view;
  StepQueue queue;
  testing::QuietTableHost host;
  TableCanvas canvas;
  TablePresenter presenter{canvas, view, host, queue};
  QueuedPresenter queued{state, view, presenter, queue};
  Engine engine{state, queued};
  ai::ComputerSeats computers;

  explicit Table(int speed) {
    presenter.PlaceLayers(LayoutForMode(kLargeWindow, QSize()));
    TableLook look;
    look.speed = speed;
    presenter.SetLook(look);
    canvas.show();
    engine.SetComputerPlayers(&computers);
    engine.SetShuffleSeed(20261210);
    EngineOptions options;
    options.AnimateCards = true;
    engine.SetOptions(options);
  }
  // Plays what the engine queued; the event loop runs (and sleeps) until
  // the queue is empty.
  void Drain() {
    QEventLoop loop;
    queue.SetDrained([&loop] { loop.quit(); });
    queue.Play();
    if (queue.Busy()) loop.exec();
    queue.SetDrained({});
  }
  int LegalCard() const {
    for (int slot = 1; slot <= state.HandCount[3]; ++slot)
      if (!engine.IsIllegalCard(3, slot)) return slot;
    return 1;
  }
  // One step of the local player or a computer seat; false at the end of the round.
  bool Act() {
    const GameState& s = state;
    if (s.Phase == phNextRound || s.GameOver || !s.InGame) return false;
    if (s.Phase == phBid3 && s.BidState == 2 && s.InBidding[3]) {
      engine.Apply(s.CurrentBid < 100 ? Move::Bid(3) : Move::Pass(3));
    } else if (s.Phase == phGive && s.Declarer == 3) {
      engine.ClickCard(1);
      engine.ClickCard(2);
    } else if (s.Phase == phGiven && s.Declarer == 3 && s.HandCount[NextSeat(3)] == 8) {
      if (s.Trump == kNoSuit) engine.Apply(Move::Trump(kSpades));
      else engine.Apply(Move::Order(s.Zakaz));
    } else if (s.Phase == phPlay3) {
      engine.ClickCard(LegalCard());
    } else {
      const GameState before = s;
      engine.Tick();
      if (s == before) engine.PressNext();
    }
    return true;
  }
};

void FlightBench(benchmark::State& bench, bool blocking) {
  EnsureApplication();
  const int speed = static_cast<int>(bench.range(0));
  Table table(speed);
  CardPictures& pictures = table.presenter.Pictures();
  const std::string code = CardFromName("Ah").Bytes();
  SetTableSleeping(blocking);
  FlightPlayer player;
  for (auto _ : bench) {
    bool done = false;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    player.Play(CardFlight(table.canvas, pictures, 50, 100, 1250, 700, true, code, speed), [&] {
      done = true;
      loop.quit();
    });
    if (!done) loop.exec();
    bench.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    // The repaint of the window after the flight, outside the measurement in
    // both ways (the sleeping one would otherwise never do it).
    QCoreApplication::processEvents();
  }
  SetTableSleeping(false);
}

void BM_CardFlightSleeping(benchmark::State& bench) { FlightBench(bench, true); }
void BM_CardFlightOnEventLoop(benchmark::State& bench) { FlightBench(bench, false); }
BENCHMARK(BM_CardFlightSleeping)->DenseRange(1, 6)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CardFlightOnEventLoop)->DenseRange(1, 6)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The first round of a seeded game, from the deal to its score, with every
// flight and pause; the computer seats act at once (no timer between them).
void RoundBench(benchmark::State& bench, bool blocking) {
  EnsureApplication();
  const int speed = static_cast<int>(bench.range(0));
  SetTableSleeping(blocking);
  for (auto _ : bench) {
    Table table(speed);
    QElapsedTimer clock;
    clock.start();
    table.engine.Apply(varnok::Move::NewGame());
    table.Drain();
    int guard = 0;
    while (table.Act() && ++guard < 2000) table.Drain();
    bench.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
  SetTableSleeping(false);
}

void BM_AnimatedRoundSleeping(benchmark::State& bench) { RoundBench(bench, true); }
void BM_AnimatedRoundOnEventLoop(benchmark::State& bench) { RoundBench(bench, false); }
BENCHMARK(BM_AnimatedRoundSleeping)->DenseRange(1, 6)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnimatedRoundOnEventLoop)->DenseRange(1, 6)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnok
