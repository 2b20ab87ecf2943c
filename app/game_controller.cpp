#include "game_controller.h"

#include <QTimer>

#include "table_canvas.h"
#include "table_host.h"

namespace varnok {

GameController::GameController(TableCanvas& canvas, TableHost& host, QObject* parent)
    : QObject(parent),
      table_(canvas, view_, host, queue_),
      queued_(state_, view_, table_, queue_),
      engine_(state_, queued_) {
  engine_.SetComputerPlayers(&computers_);
  computers_.SetProgress([this](int value) { table_.ShowBidProgress(value); });
  computers_.SetCaption([this](const std::string& text) { table_.ShowDebugCaption(text); });
  queue_.SetDrained([this] { OnDrained(); });
}

GameController::~GameController() {
  for (auto& seat : strong_seats_)
    if (seat) seat->SetReady({});
  queue_.SetDrained({});
  queue_.Clear();
  table_.StopFlight();
}

void GameController::SetLocalSeat(QWidget* parent, SoundHook sound) {
  local_ = std::make_unique<LocalSeat>(parent, std::move(sound));
}

void GameController::SetComputerLevel(ai::ComputerLevel level, const ai::StrongOptions& options) {
  level_ = level;
  strong_options_ = options;
  ApplyComputerLevel();
}

void GameController::ApplyComputerLevel() {
  for (int seat = 1; seat <= 3; ++seat) {
    auto& strong = strong_seats_[static_cast<std::size_t>(seat)];
    const bool computer = engine_.KindOf(seat) == SeatKind::Computer;
    if (level_ == ai::ComputerLevel::Strong && computer) {
      if (!strong) {
        strong = std::make_unique<ai::StrongSeatController>(computers_, strong_options_);
        // The worker thread only asks the window's thread to tick again.
        strong->SetReady([this] { QMetaObject::invokeMethod(this, [this] { Tick(); }, Qt::QueuedConnection); });
      }
      strong->SetOptions(strong_options_);
      engine_.SetSeatController(seat, strong.get());
    } else if (strong && &engine_.Controller(seat) == strong.get()) {
      engine_.SetSeatController(seat, nullptr);
    }
  }
}

bool GameController::Busy() const {
  return resuming_ || queue_.Busy() || (local_ != nullptr && local_->Asking());
}

void GameController::Input(std::function<void()> step, int kind) {
  if (Busy()) {
    for (const Held& held : held_)
      if (kind != 0 && held.kind == kind) return;
    held_.push_back({std::move(step), kind});
    return;
  }
  step();
  queue_.Play();
}

void GameController::Tick() {
  if (Busy()) {
    tick_held_ = true;
    return;
  }
  engine_.Tick();
  queue_.Play();
}

void GameController::Abort() {
  resuming_ = false;
  held_.clear();
  tick_held_ = false;
  queue_.Clear();
  table_.StopFlight();
  if (local_ != nullptr) local_->Cancel();
  view_ = state_;
}

void GameController::OnDrained() {
  view_ = state_;
  Q_EMIT Idle();
  if (Busy()) return;
  // The local player's turn to choose in a dialog.
  if (local_ != nullptr &&
      local_->Ask(engine_, [this](const Move& move) { Input([this, move] { engine_.Apply(move); }); }))
    return;
  if (held_.empty() && !tick_held_) return;
  resuming_ = true;
  QTimer::singleShot(0, this, &GameController::RunHeld);
}

void GameController::RunHeld() {
  resuming_ = false;
  if (Busy()) return;
  if (!held_.empty()) {
    Held held = std::move(held_.front());
    held_.pop_front();
    Input(std::move(held.step));
    return;
  }
  if (tick_held_) {
    tick_held_ = false;
    Tick();
  }
}

}  // namespace varnok
