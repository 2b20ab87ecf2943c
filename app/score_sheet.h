// The round-by-round score sheet of the game on the table: each round's
// declarer, bid, order, made or set, every seat's points, marriages and score
// after the round; and the window that shows it.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "dialog_look.h"
#include "game_state.h"
#include "guide_file.h"
#include "layout.h"

class QTableWidget;

namespace varnok {

class ScoreSheet {
 public:
  void Reset() { rounds_.clear(); }
  void Restore(std::vector<SheetRound> rounds) { rounds_ = std::move(rounds); }
  // Takes the round that has just been scored (once per round).
  void Observe(const GameState& s);
  const std::vector<SheetRound>& Rounds() const { return rounds_; }

 private:
  std::vector<SheetRound> rounds_;
};

class TFormScoreSheet : public TBaizeDialog {
  Q_OBJECT

 public:
  // The sheet's size and fonts follow the table's `layout`.
  TFormScoreSheet(const std::vector<SheetRound>& rounds, const std::array<QString, 4>& names,
                  const LayoutState& layout, QWidget* parent = nullptr);
  static void Open(QWidget* parent, const std::vector<SheetRound>& rounds, const std::array<QString, 4>& names,
                   const LayoutState& layout, const SoundHook& sound);
  QTableWidget* Table() const { return table_; }

 private:
  QTableWidget* table_ = nullptr;
};

}  // namespace varnok
