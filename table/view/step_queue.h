// The steps the table still has to show, played one after another on the
// event loop. A step is a function given a `done` to call when it has ended:
// at once (a drawing), or later (a flight, a pause, a sound waited for).
// A step may add steps of its own while it runs; they play right after it,
// before the steps that were queued behind it.
#pragma once

#include <QTimer>
#include <deque>
#include <functional>

namespace varnok {

class StepQueue {
 public:
  using Done = std::function<void()>;
  using Step = std::function<void(Done done)>;

  StepQueue();
  StepQueue(const StepQueue&) = delete;
  StepQueue& operator=(const StepQueue&) = delete;

  // Adds a step at the back. Outside Play the queue starts playing from the
  // event loop; inside a step it joins the steps that step adds.
  void Push(Step step);
  // Plays every step that can end now; returns when the queue is empty or a
  // step waits (the rest follows from the event loop).
  void Play();
  // Steps queued or one running.
  bool Busy() const { return running_ || !steps_.empty(); }
  // Drops every step; a step that waits will not go on.
  void Clear();
  // Called each time the queue has run empty.
  void SetDrained(std::function<void()> drained) { drained_ = std::move(drained); }

 private:
  void Finished(unsigned generation);

  // The longest run of steps played in one turn of the event loop.
  static constexpr qint64 kTurnNs = 8'000'000;

  std::deque<Step> steps_;
  std::size_t insert_at_ = 0;  // where a running step adds its own steps
  bool in_step_ = false;       // a step's function is on the stack
  bool running_ = false;       // a step has begun and not yet ended
  bool playing_ = false;       // Play is on the stack
  unsigned generation_ = 0;
  QTimer kick_;
  std::function<void()> drained_;
};

}  // namespace varnok
