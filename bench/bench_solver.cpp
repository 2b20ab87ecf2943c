// The exact solver on random positions of the first lead after trump and
// order: the value and every card's value, as the strong computer asks them.
#include <benchmark/benchmark.h>

#include "solver.h"

namespace {

void BM_SolveFirstLead(benchmark::State& state) {
  varnok::ai::Solver solver;
  std::uint64_t seed = 1;
  for (auto _ : state) {
    const auto result = solver.Solve(varnok::ai::RandomFirstLead(seed++));
    benchmark::DoNotOptimize(result);
  }
  state.counters["nodes/position"] =
      benchmark::Counter(static_cast<double>(solver.Nodes()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SolveFirstLead)->Unit(benchmark::kMicrosecond);

void BM_ValueFirstLead(benchmark::State& state) {
  varnok::ai::Solver solver;
  std::uint64_t seed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(solver.Value(varnok::ai::RandomFirstLead(seed++)));
}
BENCHMARK(BM_ValueFirstLead)->Unit(benchmark::kMicrosecond);

}  // namespace
