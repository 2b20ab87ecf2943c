// A window for the table's presenter that plays no sound and shows no
// buttons: the table's steps alone, for tests of how they are played.
#pragma once

#include <QString>
#include <string>

#include "table_host.h"

namespace varnok::testing {

struct QuietTableHost : TableHost {
  bool skip = false;  // fast play: the engine's pauses are skipped
  int sound_ms = 0;   // how long a sound waited for lasts
  int PlayEffect(const std::string&, bool wait) override { return wait ? sound_ms : 0; }
  void SetTableButton(TableButton, bool, bool, const QString&) override {}
  void EnableTableButton(TableButton, bool) override {}
  void SetEngineTimer(int, bool) override {}
  void EnableGameMenu(bool) override {}
  void ShowScoreWindow() override {}
  void TableLeft(bool) override {}
  void ShowDebugCaption(const QString&) override {}
  void SetRoundHint(int, int) override {}
  bool SkipPauses() const override { return skip; }
};

}  // namespace varnok::testing
