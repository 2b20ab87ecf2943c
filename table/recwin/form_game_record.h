// TFormGameRecord: a saved game played again step by step. The board shows
// the three hands, the widow, the trick on the table, the names and the
// scores as they stood after the step; the buttons (and the arrow keys,
// Page Up/Down, Home and End) go a step, a trick or a round forward or back.
// "All cards open" shows every hand; without it the board shows what the
// record's player saw: his own hand, the others' backs. "Deal again" hands
// the round's deck to a new game against the computer. The window is not
// modal; it frees itself when it closes.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "dialog_look.h"
#include "game_record.h"
#include "game_replay.h"
#include "settings.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace varnok {

class RecordBoard;

// The viewer's steps that begin a trick or a round, worked out from the
// replay: plain arithmetic over the step list, shared with the tests.
struct RecordStops {
  std::vector<int> rounds;  // the index of every round's deal step
  std::vector<int> tricks;  // the index of every collected trick and of every deal step
};
RecordStops StopsOf(const ReplayResult& replay);
// The stop after `at` (the last step when none) and the one before it (the first when none).
int NextStop(const std::vector<int>& stops, int at, int last);
int PreviousStop(const std::vector<int>& stops, int at);

// What a step did, in the chosen language ("Ivan plays K♥").
QString DescribeStep(const ReplayStep& step, const GameState* before);
// A card as "K♥", "10♠".
QString CardText(TCard card);

class TFormGameRecord : public QDialog {
  Q_OBJECT

 public:
  using DealAgainHook = std::function<void(const DeckOrder&)>;

  TFormGameRecord(GameRecord record, ReplayResult replay, const Settings& look, QWidget* parent = nullptr);

  // Reads the record at `path`; a record that cannot be read or played is
  // refused with a message over `parent` (nullptr then). Otherwise the
  // window is shown with open() and returned.
  static TFormGameRecord* Open(QWidget* parent, const QString& path, const Settings& look, SoundHook sound,
                               DealAgainHook deal_again);
  // The message for a record that was refused ("" for a sound one).
  static QString ProblemText(RecordProblem problem);

  const GameRecord& Record() const { return record_; }
  int StepCount() const { return static_cast<int>(replay_.Steps.size()); }
  int StepIndex() const { return at_; }
  const GameState& Shown() const { return replay_.Steps[static_cast<std::size_t>(at_)].State; }
  int ShownRound() const;  // the round's number in the game
  bool AllOpen() const;
  void SetAllOpen(bool open);
  void GoTo(int step);
  void NextStep() { GoTo(at_ + 1); }
  void PreviousStep() { GoTo(at_ - 1); }
  void NextTrick() { GoTo(NextStop(stops_.tricks, at_, StepCount() - 1)); }
  void PreviousTrick() { GoTo(PreviousStop(stops_.tricks, at_)); }
  void NextRound() { GoTo(NextStop(stops_.rounds, at_, StepCount() - 1)); }
  void PreviousRound() { GoTo(PreviousStop(stops_.rounds, at_)); }
  // Hands the shown round's deck to the hook ("Deal again").
  void DealAgain();
  void SetDealAgainHook(DealAgainHook hook) { deal_again_ = std::move(hook); }
  // The line under the board: the round, the trick and what the step did.
  QString StatusText() const;
  QWidget* Board() const;  // object name "RecordBoard"; its description names every card it shows

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The stepping keys work wherever the focus is (a button would take the
  // arrow keys to move the focus).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show();

  GameRecord record_;
  ReplayResult replay_;
  RecordStops stops_;
  int at_ = 0;
  DealAgainHook deal_again_;
  RecordBoard* board_ = nullptr;
  QLabel* status_ = nullptr;
  QCheckBox* all_open_ = nullptr;
  QPushButton* deal_again_button_ = nullptr;
};

}  // namespace varnok
