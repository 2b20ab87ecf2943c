// The computer's bid limit for one seat: 680 widows of a seven-card hand.
#include <benchmark/benchmark.h>

#include <array>

#include "bidding.h"

namespace {

using varnok::CardFromName;
using varnok::EmptyCardList;
using varnok::TCardList;

TCardList Seven(const std::array<const char*, 7>& names) {
  TCardList hand = EmptyCardList();
  for (int i = 0; i < 7; ++i) hand[i + 1] = CardFromName(names[static_cast<std::size_t>(i)]);
  return hand;
}

const std::array<TCardList, 4> kHands = {
    Seven({"Jh", "Qh", "Kh", "10h", "Ah", "9c", "9s"}),  // strong trump
    Seven({"9h", "Jh", "9d", "Jd", "9c", "Qc", "9s"}),   // weak, the floor
    Seven({"9h", "Jd", "Qd", "Kc", "Ac", "Js", "As"}),   // spread over four suits
    Seven({"Qh", "Kh", "10h", "9d", "Ac", "Qs", "Ks"}),  // two marriages
};

void BM_ComputeMaxBid(benchmark::State& state) {
  const TCardList& hand = kHands[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {
    varnok::ai::MaxBidEstimate estimate = varnok::ai::ComputeMaxBid(hand);
    benchmark::DoNotOptimize(estimate);
  }
}
BENCHMARK(BM_ComputeMaxBid)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_ComputeMaxBidWithProgress(benchmark::State& state) {
  const TCardList& hand = kHands[0];
  int counter = 0;
  const varnok::ai::BidProgress progress = [&counter](int step) { counter = step; };
  for (auto _ : state) {
    varnok::ai::MaxBidEstimate estimate = varnok::ai::ComputeMaxBid(hand, progress);
    benchmark::DoNotOptimize(estimate);
    benchmark::DoNotOptimize(counter);
  }
}
BENCHMARK(BM_ComputeMaxBidWithProgress)->Unit(benchmark::kMicrosecond);

void BM_EvaluateHand(benchmark::State& state) {
  TCardList hand = EmptyCardList();
  const std::array<const char*, 10> names = {"9h", "Jh", "Qh", "Kh", "9c", "9d", "Jd", "Kd", "10d", "Ad"};
  for (int i = 0; i < 10; ++i) hand[i + 1] = CardFromName(names[static_cast<std::size_t>(i)]);
  for (auto _ : state) {
    benchmark::DoNotOptimize(hand);
    varnok::ai::HandEvaluation e = varnok::ai::EvaluateHand(hand, 60);
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(BM_EvaluateHand)->Unit(benchmark::kNanosecond);

}  // namespace
