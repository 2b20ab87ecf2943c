// varnok-solver-stats: the time the exact solver takes over many random
// positions of the first lead after trump and order (the value and every
// legal card's value, one core), as median, 99th percentile and worst; and
// with --strong-decisions N, the time of N decisions of the strong computer
// playing all three seats of self-play games.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <vector>

#include "self_play.h"
#include "solver.h"

namespace {

bool ParseNumber(std::string_view text, std::uint64_t& out) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

void PrintDistribution(const char* what, std::uint64_t n, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * static_cast<double>(ms.size())))]; };
  double sum = 0;
  for (double v : ms) sum += v;
  std::printf("%s %llu  median %.3f ms  mean %.3f ms  p90 %.3f ms  p99 %.3f ms  worst %.3f ms\n", what,
              static_cast<unsigned long long>(n), at(0.5), sum / static_cast<double>(ms.size()), at(0.9), at(0.99),
              ms.back());
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t positions = 10000;
  std::uint64_t seed = 1;
  std::uint64_t decisions = 0;
  std::uint64_t budget = varnok::ai::kDefaultStrongBudgetMs;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    std::uint64_t* target = arg == "--positions"          ? &positions
                            : arg == "--seed"             ? &seed
                            : arg == "--strong-decisions" ? &decisions
                            : arg == "--strong-ms"        ? &budget
                                                          : nullptr;
    if (target == nullptr || i + 1 >= argc || !ParseNumber(argv[i + 1], *target) || positions == 0 || budget == 0 ||
        budget > 100000) {
      std::fprintf(stderr,
                   "usage: varnok-solver-stats [--positions N] [--seed S]\n"
                   "       varnok-solver-stats --strong-decisions N [--strong-ms MS] [--seed S]\n");
      return 2;
    }
    ++i;
  }
  if (decisions > 0) {
    std::vector<double> ms;
    varnok::selfplay::SelfPlay play;
    play.SetSeed(seed);
    play.SetStrongOptions(varnok::ai::StrongOptions{static_cast<int>(budget), 0, 0x5eed});
    for (int seat = 1; seat <= 3; ++seat) play.SetLevel(seat, varnok::ai::ComputerLevel::Strong);
    play.SetDecisionTimer([&](double t) { ms.push_back(t); });
    while (ms.size() < decisions) play.PlayRound();
    ms.resize(decisions);
    PrintDistribution("strong decisions", decisions, ms);
    return 0;
  }
  varnok::ai::Solver solver;
  std::vector<double> ms;
  ms.reserve(positions);
  long total_value = 0;
  for (std::uint64_t i = 0; i < positions; ++i) {
    const auto position = varnok::ai::RandomFirstLead(seed + i);
    const auto start = std::chrono::steady_clock::now();
    const auto result = solver.Solve(position);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    total_value += result.value;
  }
  PrintDistribution("positions", positions, ms);
  std::printf("nodes per position %.0f  mean declarer value %.1f\n",
              static_cast<double>(solver.Nodes()) / static_cast<double>(positions),
              static_cast<double>(total_value) / static_cast<double>(positions));
  return 0;
}
