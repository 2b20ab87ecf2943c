// The engine's presenter in the window: every call becomes a step of the
// queue, together with a copy of the game as it stood at the call. When the
// step plays, the view state takes that copy and the table draws from it, so
// the picture never runs ahead of what was shown; when the queue is empty
// the view state is the game itself.
#pragma once

#include <functional>
#include <memory>

#include "game_state.h"
#include "presenter.h"
#include "step_queue.h"

namespace varnok {

class QueuedPresenter : public Presenter {
 public:
  QueuedPresenter(const GameState& state, GameState& view, Presenter& table, StepQueue& queue)
      : state_(state), view_(view), table_(table), queue_(queue) {}

  void ClearTable() override;
  void DrawHand(int seat, bool face_up) override;
  void ShowBubble(int seat, BubbleStyle style, const UiText& text) override;
  void DrawScorePanel(int seat, const PanelUpdate& update) override;
  void DrawRoundPanel() override;
  void SetRoundHint(int kon_no, int cycle) override;
  void DrawWidowDown() override;
  void TurnWidowCard(int index, bool animate) override;
  void WidowToHand(int declarer, bool animate) override;
  void GiveToTable(int which, int from, int receiver, bool animate) override;
  void GivenToHands(bool animate) override;
  void CardToTable(int seat, int hand_slot, int trick_pos, bool animate) override;
  void CollectTrickCards(int leader, int winner, bool animate) override;
  void RaiseCard(int slot, bool raised) override;
  void Pause(int ms) override;
  void PlaySound(const std::string& name, bool wait) override;
  void SetButton(TableButton button, bool visible, bool enabled, const UiText& caption) override;
  void EnableButton(TableButton button, bool enabled) override;
  void SetTimer(int interval_ms, bool running) override;
  void EnableGameMenu(bool enabled) override;
  void ShowScoreWindow() override;
  void PickBackOfTheDay() override;
  void RoundStarted() override;
  void RoundFinished() override;
  void TableLeft(bool finished) override;
  // The progress strip and the diagnostic caption belong to a computation
  // running inside the engine's call: they are shown at once.
  void ShowBidProgress(int value) override { table_.ShowBidProgress(value); }
  void ShowDebugCaption(const std::string& text) override { table_.ShowDebugCaption(text); }

 private:
  void Queue(std::function<void()> call);

  const GameState& state_;
  GameState& view_;
  Presenter& table_;
  StepQueue& queue_;
};

}  // namespace varnok
