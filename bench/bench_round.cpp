// One whole round of self-play: three bid estimates, the bidding, the
// declarer's plan, eight tricks and the score.
#include <benchmark/benchmark.h>

#include "self_play.h"

namespace {

void BM_SelfPlayRound(benchmark::State& state) {
  varnok::selfplay::SelfPlay play;
  play.SetSeed(12345);
  play.NewGame();
  for (auto _ : state) {
    if (play.State().GameOver) play.NewGame();
    auto record = play.PlayRound();
    benchmark::DoNotOptimize(record);
  }
}
BENCHMARK(BM_SelfPlayRound)->Unit(benchmark::kMicrosecond);

}  // namespace
