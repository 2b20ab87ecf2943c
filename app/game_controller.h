// The game on the table: the state of the game, the engine that changes it,
// the computer seats and the local player's seat, and the queue of steps
// that shows every change on the table. The engine runs each step at once;
// the table plays what it drew afterwards, on the event loop. Input that
// comes while the queue plays (clicks, buttons, the engine's timer) is held
// and handled once the queue has run empty, as it would wait for a step.
#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <memory>

#include "computer_players.h"
#include "strong_seat.h"
#include "engine.h"
#include "game_state.h"
#include "local_seat.h"
#include "queued_presenter.h"
#include "step_queue.h"
#include "table_presenter.h"

namespace varnok {

class TableCanvas;
class TableHost;

class GameController : public QObject {
  Q_OBJECT

 public:
  GameController(TableCanvas& canvas, TableHost& host, QObject* parent = nullptr);
  ~GameController() override;

  GameState& State() { return state_; }
  // What the table shows now: the state at the step being played.
  const GameState& ViewState() const { return view_; }
  Engine& GameEngine() { return engine_; }
  // The drawing of the table, and the presenter the engine (and a network
  // session) reports to.
  TablePresenter& Table() { return table_; }
  Presenter& EnginePresenter() { return queued_; }
  ai::ComputerSeats& Computers() { return computers_; }
  // The level of the computer seats (Classic unless chosen). The strong
  // seats work out their cards on a thread of their own and play them on a
  // later tick; a new table mode places the classic seats again, so this
  // is applied after each SetMode.
  void SetComputerLevel(ai::ComputerLevel level, const ai::StrongOptions& options = {});
  void ApplyComputerLevel();
  StepQueue& Queue() { return queue_; }

  // The local player's dialogs open over `parent` with this opening sound.
  void SetLocalSeat(QWidget* parent, SoundHook sound);

  // The queue plays, or the local player has a dialog open.
  bool Busy() const;
  // Runs an input step now when the table is idle, else once it is. Held
  // steps of one kind (`kind` > 0: a table button) count once: a button
  // pressed again while the table plays is not pressed twice.
  void Input(std::function<void()> step, int kind = 0);
  // The engine's timer ticked: a tick during a step is taken once after it.
  void Tick();
  // Drops every step still to show and ends a flight where it is (the
  // window closes, the network game broke off); held input is dropped too.
  void Abort();

 Q_SIGNALS:
  // The queue has run empty: the table shows the game as it is.
  void Idle();

 private:
  void OnDrained();
  // The next held input, on its own turn of the event loop.
  void RunHeld();

  GameState state_;
  GameState view_;
  StepQueue queue_;
  TablePresenter table_;
  QueuedPresenter queued_;
  Engine engine_;
  ai::ComputerSeats computers_;
  ai::ComputerLevel level_ = ai::ComputerLevel::Classic;
  ai::StrongOptions strong_options_;
  PerSeat<std::unique_ptr<ai::StrongSeatController>> strong_seats_{};
  std::unique_ptr<LocalSeat> local_;
  struct Held {
    std::function<void()> step;
    int kind = 0;
  };
  std::deque<Held> held_;
  bool tick_held_ = false;
  bool resuming_ = false;  // held input is about to run
};

}  // namespace varnok
