#include "strong_seat.h"

namespace varnok::ai {

StrongSeatController::StrongSeatController(ComputerSeats& classic, StrongOptions options)
    : classic_(classic), bids_(&classic), player_(options), options_(options) {}

StrongSeatController::~StrongSeatController() {
  if (worker_.joinable()) worker_.join();
}

void StrongSeatController::SetReady(std::function<void()> ready) {
  std::lock_guard lock(mutex_);
  ready_ = std::move(ready);
}

void StrongSeatController::SetOptions(const StrongOptions& options) {
  std::lock_guard lock(mutex_);
  options_ = options;
}

StrongSeatController::Key StrongSeatController::KeyOf(int seat, const GameState& state) {
  return Key{seat, state.RoundNo, state.PlayedCount, state.TrickPos};
}

std::optional<Move> StrongSeatController::NextMove(int seat, const GameState& state) {
  const int phase = state.Phase;
  if (phase != 10 + seat || phase < phPlay1 || phase > phPlay3) return bids_.NextMove(seat, state);
  const Key key = KeyOf(seat, state);
  {
    std::lock_guard lock(mutex_);
    if (done_ && *done_ == key) {
      done_.reset();
      asked_.reset();
      return Move::Card(seat, slot_);
    }
    // A choice under way (this one, or a stale one still finishing) is waited for.
    if (running_.load()) return std::nullopt;
  }
  if (worker_.joinable()) worker_.join();
  const GameState view = SeatView(state, seat);
  const SeatKnowledge knowledge = classic_.Knowledge().Seat(seat);
  {
    std::lock_guard lock(mutex_);
    asked_ = key;
    done_.reset();
    player_.SetOptions(options_);
  }
  running_.store(true);
  worker_ = std::thread([this, view, knowledge, key, seat] {
    const int slot = player_.ChooseCard(view, seat, knowledge);
    std::function<void()> ready;
    {
      std::lock_guard lock(mutex_);
      if (asked_ && *asked_ == key) {
        done_ = key;
        slot_ = slot;
      }
      ready = ready_;
    }
    running_.store(false);
    if (ready) ready();
  });
  return std::nullopt;
}

}  // namespace varnok::ai
