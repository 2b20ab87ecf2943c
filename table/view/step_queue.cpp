#include "step_queue.h"

#include <QElapsedTimer>
#include <utility>

namespace varnok {

StepQueue::StepQueue() {
  kick_.setSingleShot(true);
  kick_.setInterval(0);
  QObject::connect(&kick_, &QTimer::timeout, [this] { Play(); });
}

void StepQueue::Push(Step step) {
  if (in_step_) {
    steps_.insert(steps_.begin() + static_cast<std::ptrdiff_t>(insert_at_++), std::move(step));
    return;
  }
  steps_.push_back(std::move(step));
  if (!playing_ && !running_) kick_.start();
}

void StepQueue::Play() {
  if (playing_ || running_) return;
  kick_.stop();
  playing_ = true;
  QElapsedTimer turn;
  turn.start();
  while (!steps_.empty()) {
    if (turn.nsecsElapsed() > kTurnNs) {
      // Many drawings in a row (a deal in the large window): the event loop
      // gets its turn between them.
      playing_ = false;
      kick_.start();
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    running_ = true;
    in_step_ = true;
    insert_at_ = 0;
    const unsigned generation = generation_;
    step([this, generation] { Finished(generation); });
    in_step_ = false;
    if (running_) {
      // The step waits: the queue goes on when it calls its `done`.
      playing_ = false;
      return;
    }
  }
  playing_ = false;
  if (drained_) drained_();
}

void StepQueue::Finished(unsigned generation) {
  if (generation != generation_ || !running_) return;
  running_ = false;
  // A step that ended inside its own call lets the loop in Play go on; one
  // that ended later (a flight's last slice) lets the next steps follow on
  // the next turn of the event loop.
  if (!playing_) kick_.start();
}

void StepQueue::Clear() {
  ++generation_;
  steps_.clear();
  insert_at_ = 0;
  running_ = false;
  kick_.stop();
}

}  // namespace varnok
