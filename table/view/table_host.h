// What the table's presenter hands on to the window that holds it: sounds,
// the two table buttons, the timer, the popup entries and the windows that
// open from a game.
#pragma once

#include <QString>
#include <string>

#include "presenter.h"

namespace varnok {

class TableHost {
 public:
  virtual ~TableHost() = default;
  // Starts an effect; returns how long a sound waited for still plays in
  // milliseconds (0 when nothing is to be waited for).
  virtual int PlayEffect(const std::string& name, bool wait) = 0;
  virtual void SetTableButton(TableButton button, bool visible, bool enabled, const QString& caption) = 0;
  virtual void EnableTableButton(TableButton button, bool enabled) = 0;
  virtual void SetEngineTimer(int interval_ms, bool running) = 0;
  virtual void EnableGameMenu(bool enabled) = 0;
  virtual void ShowScoreWindow() = 0;
  virtual void TableLeft(bool finished) = 0;
  virtual void ShowDebugCaption(const QString& text) = 0;
  virtual void SetRoundHint(int kon_no, int cycle) = 0;
  // A round was dealt; a round was scored and the game goes on.
  virtual void RoundStarted() {}
  virtual void RoundFinished() {}
  // Pauses of the engine are skipped when this is true (tests, fast play).
  virtual bool SkipPauses() const { return false; }
};

}  // namespace varnok
