#include "queued_presenter.h"

namespace varnok {

void QueuedPresenter::Queue(std::function<void()> call) {
  auto shown = std::make_shared<const GameState>(state_);
  queue_.Push([this, shown = std::move(shown), call = std::move(call)](StepQueue::Done done) {
    view_ = *shown;
    call();
    done();
  });
}

void QueuedPresenter::ClearTable() {
  Queue([this] { table_.ClearTable(); });
}
void QueuedPresenter::DrawHand(int seat, bool face_up) {
  Queue([this, seat, face_up] { table_.DrawHand(seat, face_up); });
}
void QueuedPresenter::ShowBubble(int seat, BubbleStyle style, const UiText& text) {
  Queue([this, seat, style, text] { table_.ShowBubble(seat, style, text); });
}
void QueuedPresenter::DrawScorePanel(int seat, const PanelUpdate& update) {
  Queue([this, seat, update] { table_.DrawScorePanel(seat, update); });
}
void QueuedPresenter::DrawRoundPanel() {
  Queue([this] { table_.DrawRoundPanel(); });
}
void QueuedPresenter::SetRoundHint(int kon_no, int cycle) {
  Queue([this, kon_no, cycle] { table_.SetRoundHint(kon_no, cycle); });
}
void QueuedPresenter::DrawWidowDown() {
  Queue([this] { table_.DrawWidowDown(); });
}
void QueuedPresenter::TurnWidowCard(int index, bool animate) {
  Queue([this, index, animate] { table_.TurnWidowCard(index, animate); });
}
void QueuedPresenter::WidowToHand(int declarer, bool animate) {
  Queue([this, declarer, animate] { table_.WidowToHand(declarer, animate); });
}
void QueuedPresenter::GiveToTable(int which, int from, int receiver, bool animate) {
  Queue([this, which, from, receiver, animate] { table_.GiveToTable(which, from, receiver, animate); });
}
void QueuedPresenter::GivenToHands(bool animate) {
  Queue([this, animate] { table_.GivenToHands(animate); });
}
void QueuedPresenter::CardToTable(int seat, int hand_slot, int trick_pos, bool animate) {
  Queue([this, seat, hand_slot, trick_pos, animate] { table_.CardToTable(seat, hand_slot, trick_pos, animate); });
}
void QueuedPresenter::CollectTrickCards(int leader, int winner, bool animate) {
  Queue([this, leader, winner, animate] { table_.CollectTrickCards(leader, winner, animate); });
}
void QueuedPresenter::RaiseCard(int slot, bool raised) {
  Queue([this, slot, raised] { table_.RaiseCard(slot, raised); });
}
void QueuedPresenter::Pause(int ms) {
  Queue([this, ms] { table_.Pause(ms); });
}
void QueuedPresenter::PlaySound(const std::string& name, bool wait) {
  Queue([this, name, wait] { table_.PlaySound(name, wait); });
}
void QueuedPresenter::SetButton(TableButton button, bool visible, bool enabled, const UiText& caption) {
  Queue([this, button, visible, enabled, caption] { table_.SetButton(button, visible, enabled, caption); });
}
void QueuedPresenter::EnableButton(TableButton button, bool enabled) {
  Queue([this, button, enabled] { table_.EnableButton(button, enabled); });
}
void QueuedPresenter::SetTimer(int interval_ms, bool running) {
  Queue([this, interval_ms, running] { table_.SetTimer(interval_ms, running); });
}
void QueuedPresenter::EnableGameMenu(bool enabled) {
  Queue([this, enabled] { table_.EnableGameMenu(enabled); });
}
void QueuedPresenter::ShowScoreWindow() {
  Queue([this] { table_.ShowScoreWindow(); });
}
// The back is picked in the deal's place among the drawings, so the hands
// drawn before it keep the old back and those after it show the new one.
void QueuedPresenter::PickBackOfTheDay() {
  Queue([this] { table_.PickBackOfTheDay(); });
}
void QueuedPresenter::RoundStarted() {
  Queue([this] { table_.RoundStarted(); });
}
void QueuedPresenter::RoundFinished() {
  Queue([this] { table_.RoundFinished(); });
}
void QueuedPresenter::TableLeft(bool finished) {
  Queue([this, finished] { table_.TableLeft(finished); });
}

}  // namespace varnok
