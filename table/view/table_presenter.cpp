#include "table_presenter.h"

#include <QCoreApplication>
#include <QDate>
#include <QRandomGenerator>
#include <algorithm>
#include <QEvent>
#include <QPainter>
#include <QPen>
#include <QTimer>

#include "card_pictures.h"
#include "sprite.h"
#include "status_drawing.h"
#include "table_canvas.h"
#include "fonts.h"
#include "ui_text.h"

namespace varnok {

namespace {

Layer HandLayer(int seat) {
  switch (seat) {
    case 1: return Layer::ImageCards1;
    case 2: return Layer::ImageCards2;
    default: return Layer::ImageCards3;
  }
}

Layer PanelLayer(int seat) {
  switch (seat) {
    case 1: return Layer::ImageTab1;
    case 2: return Layer::ImageTab2;
    default: return Layer::ImageTab3;
  }
}

Layer BubbleLayer(int seat) {
  switch (seat) {
    case 1: return Layer::ImageSay1;
    case 2: return Layer::ImageSay2;
    default: return Layer::ImageSay3;
  }
}

constexpr Layer kGameLayers[] = {Layer::ImageCards1, Layer::ImageCards2, Layer::ImageCards3, Layer::ImageTab1,
                                 Layer::ImageTab2,   Layer::ImageTab3,   Layer::ImageSay1,   Layer::ImageSay2,
                                 Layer::ImageSay3,   Layer::ImageStol,   Layer::ImageKon};

bool ValidSeat(int seat) { return seat >= 1 && seat <= 3; }

}  // namespace

TablePresenter::TablePresenter(TableCanvas& canvas, const GameState& state, TableHost& host, StepQueue& queue)
    : canvas_(canvas), s_(state), host_(host), queue_(queue), flights_(std::make_unique<FlightPlayer>()) {
  SetLook(look_);
}

TablePresenter::~TablePresenter() = default;

void TablePresenter::SetLook(const TableLook& look) {
  look_ = look;
  UpdateCards(canvas_.Layout());
}

void TablePresenter::PlaceLayers(const LayoutState& layout) {
  UpdateCards(layout);
  canvas_.ApplyLayout(layout, card_.CardH, HandRaiseOffset(QSize(card_.CardW, card_.CardH)));
}

void TablePresenter::UpdateCards(const LayoutState& layout) {
  const CardSize chosen = CardSizeFor(layout, IsFullWidthDesign(look_.face_design));
  if (pictures_ == nullptr || look_.face_design != chosen_face_ || look_.back_design != chosen_back_ ||
      !(chosen == chosen_card_)) {
    chosen_face_ = look_.face_design;
    chosen_back_ = look_.back_design;
    chosen_card_ = chosen;
    used_face_ = look_.face_design;
    used_back_ = look_.back_design;
    card_ = chosen;
    pictures_ = std::make_unique<CardPictures>(used_face_, used_back_, card_.CardSet, QSize(card_.CardW, card_.CardH),
                                               look_.always_one);
    if (used_face_ != 0 && pictures_->FellBack()) {
      // The design's library is missing or lacks this card set: the classic design.
      used_face_ = pictures_->FaceDesign();
      used_back_ = pictures_->BackDesign();
      card_ = CardSizeFor(layout, IsFullWidthDesign(used_face_));
      pictures_->SetCardSize(card_.CardSet, QSize(card_.CardW, card_.CardH));
    }
  }
  look_.face_design = used_face_;
  look_.back_design = used_back_;
  pictures_->SetAlwaysOne(look_.always_one);
  margin_ = DealMargin(layout.WindowMode, IsFullWidthDesign(used_face_));
}

void TablePresenter::PickBackOfTheDay() {
  // Today's weekday, or 7 with "Always one"; the designs with ten backs draw one at random.
  pictures_->PickBackOfTheDay(QDate::currentDate().dayOfWeek(), QRandomGenerator::global()->bounded(1, 11));
}

void TablePresenter::SetDebugView(bool on) {
  if (debug_ && !on) host_.ShowDebugCaption(QString());
  debug_ = on;
  if (!s_.InGame) return;
  for (int seat = 1; seat <= 2; ++seat) DrawHand(seat, face_up_[static_cast<std::size_t>(seat)]);
}

// --- geometry -----------------------------------------------------------

QRect TablePresenter::HandArea(int seat) const {
  const QRect layer = canvas_.LayerRect(HandLayer(seat));
  return QRect(layer.left(), layer.bottom() + 1 - std::min(layer.height(), card_.CardH), layer.width(),
               std::min(layer.height(), card_.CardH));
}

QRect TablePresenter::HandCardInWindow(int seat, int count, int slot) const {
  const QRect area = HandArea(seat);
  return HandCardRect(count, slot, area.size(), QSize(card_.CardW, card_.CardH)).translated(area.topLeft());
}

int TablePresenter::HandSlotAt(int seat, QPoint at) const {
  if (!ValidSeat(seat)) return 0;
  const QRect area = HandArea(seat);
  RaisedCards raised;
  if (seat == 3) {
    for (int slot = 1; slot <= s_.HandCount[3]; ++slot) {
      if (!Raised(s_.Hands[3][slot])) continue;
      (raised.first == 0 ? raised.first : raised.second) = slot;
    }
  }
  return varnok::HandSlotAt(s_.HandCount[seat], at - area.topLeft(), area.size(), QSize(card_.CardW, card_.CardH),
                            raised);
}

QRect TablePresenter::PlaceInLayer(int place) const {
  const LayoutState& layout = canvas_.Layout();
  if (place < 3) return TrickCardPlace(layout, card_, margin_, place + 1);
  return WidowCardPlace(layout, card_, margin_, place - 2);
}

QRect TablePresenter::PlaceInWindow(int place) const {
  return PlaceInLayer(place).translated(canvas_.LayerRect(Layer::ImageStol).topLeft());
}

QRect TablePresenter::TrickPlaceInWindow(int seat) const { return ValidSeat(seat) ? PlaceInWindow(seat - 1) : QRect(); }
QRect TablePresenter::WidowPlaceInWindow(int index) const {
  return index >= 1 && index <= 3 ? PlaceInWindow(index + 2) : QRect();
}

// A card flying into a hand lands where `slot` of a hand of `count` cards lies.
QRect TablePresenter::HandTarget(int seat, int count, int slot) const {
  QRect r = HandCardInWindow(seat, count, slot);
  if (r.isEmpty()) {
    r = QRect(QPoint(0, 0), QSize(card_.CardW, card_.CardH));
    r.moveCenter(HandArea(seat).center());
  }
  return r;
}

// --- pictures -----------------------------------------------------------

std::string TablePresenter::FaceCode(TCard card) const { return card.Bytes(); }

std::string TablePresenter::CodeFor(TCard card, bool open) const {
  if (card.IsEmpty()) return "##";
  return open ? FaceCode(card) : std::string("00");
}

QImage TablePresenter::CardImage(const std::string& code) const { return pictures_->ForCode(code); }

bool TablePresenter::SeatOpen(int seat) const {
  if (seat == 3) return true;
  return debug_ || face_up_[static_cast<std::size_t>(seat)];
}

void TablePresenter::Fly(QRect from, QRect to, const std::string& code, bool erase) {
  queue_.Push([this, from, to, code, erase](StepQueue::Done done) {
    flights_->Play(CardFlight(canvas_, *pictures_, from.left(), from.top(), to.left(), to.top(), erase, code, look_.speed),
                  std::move(done));
  });
}

void TablePresenter::Then(std::function<void()> drawing) {
  queue_.Push([drawing = std::move(drawing)](StepQueue::Done done) {
    drawing();
    done();
  });
}

void TablePresenter::StopFlight() { flights_->Stop(); }

// --- drawing ------------------------------------------------------------

void TablePresenter::DrawHandCards(int seat, int count, int skip_slot, bool face_up) {
  if (!ValidSeat(seat)) return;
  const Layer layer = HandLayer(seat);
  canvas_.RestoreLayer(layer);
  QImage& image = canvas_.LayerImage(layer);
  QPainter p(&image);
  const QRect area = HandArea(seat).translated(-canvas_.LayerRect(layer).topLeft());
  p.translate(area.topLeft());
  const QSize size = area.size();
  const QSize card(card_.CardW, card_.CardH);
  for (int slot = 1; slot <= count; ++slot) {
    if (slot == skip_slot) continue;
    const bool raised = seat == 3 && Raised(s_.Hands[seat][slot]);
    const QRect r = HandCardRect(count, slot, size, card, raised);
    const TCard c = s_.Hands[seat][slot];
    p.drawImage(r.topLeft(), CardImage(CodeFor(c, face_up || (seat != 3 && debug_))));
    if (raised) {
      p.setPen(QPen(QColor(255, 215, 64), 2));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 4, 4);
    }
  }
  p.end();
  canvas_.RefreshLayer(layer);
}

void TablePresenter::DrawTableLayer() {
  canvas_.RestoreLayer(Layer::ImageStol);
  QImage& image = canvas_.LayerImage(Layer::ImageStol);
  QPainter p(&image);
  // The widow lies under the trick places.
  for (int place : {3, 4, 5, 0, 1, 2}) {
    const std::string& code = places_[static_cast<std::size_t>(place)];
    if (code.empty()) continue;
    p.drawImage(PlaceInLayer(place).topLeft(), CardImage(code));
  }
  p.end();
  canvas_.RefreshLayer(Layer::ImageStol);
}

bool TablePresenter::Raised(TCard card) const {
  return !card.IsEmpty() && std::find(raised_.begin(), raised_.end(), card) != raised_.end();
}

// The chosen gift as the state has it (a table redrawn while the declarer chooses).
void TablePresenter::TakeRaisedFromState() {
  raised_.clear();
  if (!s_.InGame || s_.Declarer != 3 || (s_.Phase != phGive && s_.Phase != phGiveChosen)) return;
  for (const int slot : {int{s_.GiveIdx1}, int{s_.GiveIdx2}}) {
    if (slot >= 1 && slot <= s_.HandCount[3]) raised_.push_back(s_.Hands[3][slot]);
  }
}

void TablePresenter::ClearTable() {
  raised_.clear();
  places_.fill(std::string());
  bubbles_.fill(QString());
  for (Layer layer : kGameLayers) {
    canvas_.RestoreLayer(layer);
    canvas_.RefreshLayer(layer);
  }
}

void TablePresenter::HideTable() {
  places_.fill(std::string());
  bubbles_.fill(QString());
  for (Layer layer : kGameLayers) canvas_.ShowLayer(layer, false);
}

void TablePresenter::ShowWaiting(int seat, const QString& text) {
  ClearTable();
  if (!ValidSeat(seat)) return;
  const Layer layer = HandLayer(seat);
  QImage& image = canvas_.LayerImage(layer);
  QPainter p(&image);
  QFont font = i18n::KindFont(i18n::FontKind::Decor, ScaleLen(canvas_.Layout(), 20));
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(255, 244, 214));
  p.drawText(image.rect(), Qt::AlignCenter | Qt::TextWordWrap, text);
  p.end();
  canvas_.RefreshLayer(layer);
}

void TablePresenter::RedrawAll() {
  if (!s_.InGame) return;
  TakeRaisedFromState();
  for (int seat = 1; seat <= 3; ++seat) DrawHand(seat, face_up_[static_cast<std::size_t>(seat)]);
  DrawTableLayer();
  DrawRoundPanel();
}

void TablePresenter::DrawHand(int seat, bool face_up) {
  if (!ValidSeat(seat)) return;
  face_up_[static_cast<std::size_t>(seat)] = face_up;
  DrawHandCards(seat, s_.HandCount[seat], 0, SeatOpen(seat));
}

void TablePresenter::ShowBubble(int seat, BubbleStyle style, const UiText& text) {
  if (!ValidSeat(seat)) return;
  const Layer layer = BubbleLayer(seat);
  LayerCanvas c{canvas_.LayerImage(layer), canvas_.LayerRect(layer), canvas_.Background()};
  bubbles_[static_cast<std::size_t>(seat)] = style == BubbleStyle::Empty ? QString() : i18n::Caption(text);
  varnok::ShowBubble(c, canvas_.Layout(), i18n::Caption(text), style);
  canvas_.RefreshLayer(layer);
}

void TablePresenter::DrawScorePanel(int seat, const PanelUpdate& update) {
  if (!ValidSeat(seat)) return;
  const Layer layer = PanelLayer(seat);
  bool over = false;
  if (s_.Phase == phRoundOver)
    for (int k = 1; k <= 3; ++k) over = over || s_.Scores[k] < 1;
  LayerCanvas c{canvas_.LayerImage(layer), canvas_.LayerRect(layer), canvas_.Background()};
  varnok::DrawScorePanel(c, canvas_.Layout(), seat, update, over || update.final_counts);
  canvas_.RefreshLayer(layer);
}

void TablePresenter::DrawRoundPanel() {
  LayerCanvas c{canvas_.LayerImage(Layer::ImageKon), canvas_.LayerRect(Layer::ImageKon), canvas_.Background()};
  varnok::DrawRoundPanel(c, canvas_.Layout(), s_.RoundNo, s_.Trump, look_.face_design);
  canvas_.RefreshLayer(Layer::ImageKon);
}

void TablePresenter::SetRoundHint(int kon_no, int cycle) { host_.SetRoundHint(kon_no, cycle); }

void TablePresenter::ShowBidProgress(int value) {
  LayerCanvas c{canvas_.LayerImage(Layer::ImageKon), canvas_.LayerRect(Layer::ImageKon), canvas_.Background()};
  if (value < 0) {
    DrawRoundPanel();
    return;
  }
  DrawBidProgress(c, canvas_.Layout(), value);
  canvas_.RefreshLayer(Layer::ImageKon);
  // The estimates run inside one call: show the strip at once.
  canvas_.repaint(canvas_.LayerRect(Layer::ImageKon));
}

// --- the widow and the gift ----------------------------------------------

void TablePresenter::DrawWidowDown() {
  for (int i = 0; i < 3; ++i) places_[static_cast<std::size_t>(3 + i)] = "00";
  DrawTableLayer();
}

void TablePresenter::TurnWidowCard(int index, bool animate) {
  if (index < 1 || index > 3) return;
  const TCard card = s_.Widow[static_cast<std::size_t>(index)];
  const std::string code = FaceCode(card);
  const std::size_t place = static_cast<std::size_t>(2 + index);
  if (animate) {
    places_[place].clear();
    DrawTableLayer();
    queue_.Push([this, index, code](StepQueue::Done done) {
      flights_->Play(TurnFlight(canvas_, WidowPlaceInWindow(index), CardImage("00"), CardImage(code),
                               canvas_.Layout().ScaleK, look_.speed),
                    std::move(done));
    });
    Then([this, place, code] {
      places_[place] = code;
      DrawTableLayer();
    });
    return;
  }
  places_[place] = code;
  DrawTableLayer();
}

void TablePresenter::WidowToHand(int declarer, bool animate) {
  if (!ValidSeat(declarer)) return;
  const bool open = SeatOpen(declarer);
  for (int i = 1; i <= 3; ++i) {
    const std::size_t place = static_cast<std::size_t>(2 + i);
    const std::string code = open ? places_[place] : std::string("00");
    // Each card leaves the table when its flight begins.
    Then([this, place] {
      places_[place].clear();
      DrawTableLayer();
    });
    if (animate) {
      Fly(WidowPlaceInWindow(i), HandTarget(declarer, 7 + i, 7 + i), code.empty() ? "00" : code, true);
      Then([this, declarer, i, open] { DrawHandCards(declarer, 7 + i, 0, open); });
    }
  }
}

void TablePresenter::GiveToTable(int which, int from, int receiver, bool animate) {
  // The gift is made: no card stays raised.
  raised_.clear();
  if (!ValidSeat(from) || !ValidSeat(receiver) || which < 1 || which > 2) return;
  const TCard card = s_.GivenCards[static_cast<std::size_t>(which)];
  // Given cards lie face up on the table until they are taken.
  const std::string code = CodeFor(card, true);
  if (animate) {
    int count = 0, slot = 0;
    for (int i = 1; i <= 10; ++i) {
      if (s_.Hands[from][i].IsEmpty()) continue;
      ++count;
      if (s_.Hands[from][i] == card) slot = count;
    }
    if (slot != 0) {
      DrawHandCards(from, count, slot, SeatOpen(from));
      Fly(HandCardInWindow(from, count, slot), TrickPlaceInWindow(receiver), code, false);
    }
  }
  Then([this, receiver, code] {
    places_[static_cast<std::size_t>(receiver - 1)] = code;
    DrawTableLayer();
  });
}

void TablePresenter::GivenToHands(bool animate) {
  const int first = NextSeat(s_.Declarer);
  const int second = NextSeat(first);
  for (int receiver : {first, second}) {
    if (!ValidSeat(receiver)) continue;
    const std::size_t place = static_cast<std::size_t>(receiver - 1);
    const std::string code = places_[place];
    Then([this, place] {
      places_[place].clear();
      DrawTableLayer();
    });
    if (animate && !code.empty()) {
      const bool open = SeatOpen(receiver);
      Fly(TrickPlaceInWindow(receiver), HandTarget(receiver, 8, 8), open ? code : "00", true);
      // The card stays in sight in its new hand while the other one flies.
      Then([this, receiver, open] { DrawHandCards(receiver, 8, 0, open); });
    }
  }
}

// --- tricks -------------------------------------------------------------

void TablePresenter::CardToTable(int seat, int hand_slot, int trick_pos, bool animate) {
  (void)trick_pos;
  if (!ValidSeat(seat)) return;
  const TCard card = s_.Hands[seat][hand_slot];
  const std::string code = FaceCode(card);
  if (animate) {
    const int count = s_.HandCount[seat] + 1;  // the card is still in the hand
    DrawHandCards(seat, count, hand_slot, SeatOpen(seat));
    Fly(HandCardInWindow(seat, count, hand_slot), TrickPlaceInWindow(seat), code, false);
  }
  Then([this, seat, code] {
    places_[static_cast<std::size_t>(seat - 1)] = code;
    DrawTableLayer();
  });
}

void TablePresenter::CollectTrickCards(int leader, int winner, bool animate) {
  (void)leader;
  std::array<std::string, 3> codes{};
  for (int i = 0; i < 3; ++i) {
    codes[static_cast<std::size_t>(i)] = places_[static_cast<std::size_t>(i)];
    places_[static_cast<std::size_t>(i)].clear();
  }
  DrawTableLayer();
  if (!animate || !ValidSeat(winner)) return;
  std::vector<QPoint> from, to;
  std::vector<std::string> cards;
  QRect target(QPoint(0, 0), QSize(card_.CardW, card_.CardH));
  target.moveCenter(HandArea(winner).center());
  for (int seat = 1; seat <= 3; ++seat) {
    const std::string& code = codes[static_cast<std::size_t>(seat - 1)];
    if (code.empty()) continue;
    from.push_back(TrickPlaceInWindow(seat).topLeft());
    to.push_back(target.topLeft());
    cards.push_back(code);
  }
  queue_.Push([this, from, to, cards](StepQueue::Done done) {
    flights_->Play(GroupFlight(canvas_, *pictures_, from, to, cards, look_.speed, true), std::move(done));
  });
  Then([this, winner] { DrawHand(winner, face_up_[static_cast<std::size_t>(winner)]); });
}

void TablePresenter::RaiseCard(int slot, bool raised) {
  if (slot >= 1 && slot <= s_.HandCount[3]) {
    const TCard card = s_.Hands[3][slot];
    std::erase(raised_, card);
    if (raised) raised_.push_back(card);
  }
  DrawHand(3, true);
}

// --- the rest goes to the window -------------------------------------------

void TablePresenter::Pause(int ms) {
  if (host_.SkipPauses() || ms <= 0) return;
  Wait(ms);
}

void TablePresenter::Wait(int ms) {
  // The table shows what was drawn while the queue waits; the event loop
  // runs on, and the steps after the wait begin when it has ended.
  queue_.Push([this, ms](StepQueue::Done done) {
    if (const MeasurementWait& wait = WaitForMeasurement()) {
      // The old way, measured in bench/: show what was drawn and wait in the call.
      QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
      canvas_.repaint();
      wait(ms);
      done();
      return;
    }
    canvas_.update();
    QTimer::singleShot(ms, Qt::PreciseTimer, &canvas_, std::move(done));
  });
}

void TablePresenter::PlaySound(const std::string& name, bool wait) {
  // A sound waited for holds the next step back for its length.
  const int ms = host_.PlayEffect(name, wait);
  if (wait && ms > 0) Wait(ms);
}

void TablePresenter::SetButton(TableButton button, bool visible, bool enabled, const UiText& caption) {
  host_.SetTableButton(button, visible, enabled, i18n::Caption(caption));
}

void TablePresenter::EnableButton(TableButton button, bool enabled) { host_.EnableTableButton(button, enabled); }
void TablePresenter::SetTimer(int interval_ms, bool running) { host_.SetEngineTimer(interval_ms, running); }
void TablePresenter::EnableGameMenu(bool enabled) { host_.EnableGameMenu(enabled); }
void TablePresenter::ShowScoreWindow() { host_.ShowScoreWindow(); }

void TablePresenter::ShowDebugCaption(const std::string& text) {
  if (debug_) host_.ShowDebugCaption(QString::fromStdString(text));
}

void TablePresenter::TableLeft(bool finished) {
  HideTable();
  host_.TableLeft(finished);
}

}  // namespace varnok
