// A seat the strong computer plays without holding up the table: when it
// is the seat's turn to play a card, the first ask starts the choice on a
// worker thread and answers nothing; the table goes on with its timer and
// asks again, and once the choice is ready the answer is the card. Bids,
// the gift, the trump and the order are the classic computer's, at once.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "computer_players.h"
#include "seat_controller.h"
#include "strong_players.h"

namespace varnok::ai {

class StrongSeatController : public SeatController {
 public:
  // `classic` keeps the memory of the round (the engine's notifications
  // reach it) and decides everything but the cards.
  StrongSeatController(ComputerSeats& classic, StrongOptions options = {});
  ~StrongSeatController() override;
  StrongSeatController(const StrongSeatController&) = delete;
  StrongSeatController& operator=(const StrongSeatController&) = delete;

  SeatKind Kind() const override { return SeatKind::Computer; }
  ComputerPlayers* Players() const override { return &classic_; }
  std::optional<Move> NextMove(int seat, const GameState& state) override;

  // Called on the worker thread when a card is ready; the owner passes it
  // on to its own thread (a queued call) to ask again at once.
  void SetReady(std::function<void()> ready);
  void SetOptions(const StrongOptions& options);
  // A choice is being worked out.
  bool Thinking() const { return running_.load(); }

 private:
  struct Key {
    int seat = 0;
    int round = 0;
    int played = 0;
    int trick_pos = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };
  static Key KeyOf(int seat, const GameState& state);

  ComputerSeats& classic_;
  ComputerController bids_;
  StrongPlayer player_;
  std::thread worker_;
  std::atomic<bool> running_{false};
  mutable std::mutex mutex_;  // guards what follows
  std::optional<Key> asked_;
  std::optional<Key> done_;
  int slot_ = 0;
  std::function<void()> ready_;
  StrongOptions options_;
};

}  // namespace varnok::ai
