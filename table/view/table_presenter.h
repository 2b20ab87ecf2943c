// The table's side of the engine: draws the hands, the cards on the table,
// the panels and bubbles, flies the cards, and hands sounds, buttons and the
// timer on to the window that holds the table.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game_state.h"
#include "hand_layout.h"
#include "layout.h"
#include "presenter.h"
#include "step_queue.h"
#include "table_host.h"

namespace varnok {

class CardPictures;
class FlightPlayer;
class TableCanvas;

// What the drawing of the table reads from the options.
struct TableLook {
  int face_design = 0;
  int back_design = 0;
  int speed = 4;  // flight speed 1..6
  bool show_cards_at_end = true;
  bool always_one = false;  // the back of the day: "Always one" rather than "To change decks"
};

class TablePresenter : public Presenter {
 public:
  // `state` is the state the table shows (the view state of the steps being
  // played); flights, pauses and sounds waited for are steps of `queue`.
  TablePresenter(TableCanvas& canvas, const GameState& state, TableHost& host, StepQueue& queue);
  ~TablePresenter() override;

  // A new look: the card pictures are made again when the designs or the
  // card size changed (else they, and the back of the day, are kept).
  void SetLook(const TableLook& look);
  // The flight speed alone.
  void SetSpeed(int speed) { look_.speed = speed; }
  const TableLook& Look() const { return look_; }
  CardSize Cards() const { return card_; }
  int Margin() const { return margin_; }
  CardPictures& Pictures() { return *pictures_; }

  // Places the layers for a window size, with the card size that follows.
  void PlaceLayers(const LayoutState& layout);
  // The diagnostic view: the computer seats' hands face up.
  void SetDebugView(bool on);
  bool DebugView() const { return debug_; }
  // Redraws the whole table from the state (after a change of the window
  // size or the card design during a game).
  void RedrawAll();
  // Hides every game layer (the table was left).
  void HideTable();
  // Empty hands and a text across the hand area of `seat` (a network client
  // waiting for the server's first deal).
  void ShowWaiting(int seat, const QString& text);

  // The text of seat's bubble as drawn last ("" when cleared).
  QString BubbleText(int seat) const { return seat >= 1 && seat <= 3 ? bubbles_[static_cast<std::size_t>(seat)] : QString(); }

  // Ends a card flight at once where it is (the window closes).
  void StopFlight();

  // Where hand slot `slot` of `seat` is drawn, in window pixels.
  QRect HandCardInWindow(int seat, int count, int slot) const;
  // The hand slot of seat 3 under a window point; 0 when none.
  int HandSlotAt(int seat, QPoint at) const;
  // The place of a trick card of `seat` / of widow card `index`, in window pixels.
  QRect TrickPlaceInWindow(int seat) const;
  QRect WidowPlaceInWindow(int index) const;

  // Presenter
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
  void ShowBidProgress(int value) override;
  void ShowDebugCaption(const std::string& text) override;
  void TableLeft(bool finished) override;
  void PickBackOfTheDay() override;
  void RoundStarted() override { host_.RoundStarted(); }
  void RoundFinished() override { host_.RoundFinished(); }

 private:
  // The six places of the table: trick cards of seats 1..3 (0..2), widow 1..3 (3..5).
  static constexpr int kPlaces = 6;
  // Card size, margin and pictures for `layout`; the pictures are kept when
  // neither the chosen designs nor the card size changed.
  void UpdateCards(const LayoutState& layout);
  QRect PlaceInLayer(int place) const;
  // The row of a hand's cards, in window pixels (the bottom hand's layer
  // reaches higher, for raised cards).
  QRect HandArea(int seat) const;
  QRect PlaceInWindow(int place) const;
  void DrawTableLayer();
  void DrawHandCards(int seat, int count, int skip_slot, bool face_up);
  bool SeatOpen(int seat) const;
  QImage CardImage(const std::string& code) const;
  std::string FaceCode(TCard card) const;
  std::string CodeFor(TCard card, bool open) const;
  // A flight, a drawing and a wait as steps of the queue, after the steps
  // queued so far.
  void Fly(QRect from, QRect to, const std::string& code, bool erase);
  void Then(std::function<void()> drawing);
  void Wait(int ms);
  QRect HandTarget(int seat, int count, int slot) const;

  TableCanvas& canvas_;
  const GameState& s_;
  TableHost& host_;
  StepQueue& queue_;
  std::unique_ptr<FlightPlayer> flights_;
  TableLook look_;
  CardSize card_;
  int margin_ = 0;
  bool debug_ = false;
  std::unique_ptr<CardPictures> pictures_;
  std::array<QString, 4> bubbles_{};
  // The designs the pictures were made for, and the card size they had then.
  int chosen_face_ = -1;
  int chosen_back_ = -1;
  CardSize chosen_card_;
  // The designs in use (the classic ones when the chosen library failed).
  int used_face_ = 0;
  int used_back_ = 0;
  std::array<std::string, kPlaces> places_{};  // card codes on the table, "" for none
  std::array<bool, 4> face_up_{false, false, false, true};  // as the engine last drew each hand
  // The cards of seat 3's hand chosen as the gift, drawn raised. The mark
  // belongs to the card wherever the hand puts it, and ends with the gift.
  std::vector<TCard> raised_;
  bool Raised(TCard card) const;
  void TakeRaisedFromState();
};

}  // namespace varnok
