#include "sprite.h"

#include "layout.h"

#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace varnok {

// ---- Step arithmetic ------------------------------------------------------

long long RoundQuotientHalfEven(long long p, long long q) {
  if (q < 0) {
    p = -p;
    q = -q;
  }
  long long whole = p / q;
  long long rest = p % q;
  if (rest < 0) {  // floor division
    whole -= 1;
    rest += q;
  }
  if (2 * rest > q) return whole + 1;
  if (2 * rest == q && whole % 2 != 0) return whole + 1;
  return whole;
}

int RoundRealHalfEven(double value) { return RoundHalfEven(value); }

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

QPoint NextFlightPoint(QPoint start, QPoint end, QPoint current) {
  const long long dx = end.x() - start.x();
  const long long dy = end.y() - start.y();
  if (dx == 0 && dy == 0) return end;
  if (std::llabs(dx) >= std::llabs(dy)) {
    const int x = current.x() + Sign(end.x() - current.x());
    const long long y = start.y() + RoundQuotientHalfEven(dy * (x - start.x()), dx);
    return QPoint(x, static_cast<int>(y));
  }
  const int y = current.y() + Sign(end.y() - current.y());
  const long long x = start.x() + RoundQuotientHalfEven(dx * (y - start.y()), dy);
  return QPoint(static_cast<int>(x), y);
}

std::vector<QPoint> FlightPath(QPoint start, QPoint end) {
  std::vector<QPoint> points;
  const int steps = std::max({std::abs(end.x() - start.x()), std::abs(end.y() - start.y()), 1});
  points.reserve(static_cast<std::size_t>(steps));
  QPoint p = start;
  do {
    p = NextFlightPoint(start, end, p);
    points.push_back(p);
  } while (p != end);
  return points;
}

int ClampSpeed(int speed) { return std::clamp(speed, kSlowestSpeed, kFastestSpeed); }

int StepWaitMs(int speed, long long stepCounter) {
  switch (ClampSpeed(speed)) {
    case 1: return 2;
    case 2: return 1;
    case 3: return stepCounter % 2 == 0 ? 1 : 0;
    case 4: return stepCounter % 3 == 0 ? 1 : 0;
    default: return 0;
  }
}

int StepWaitsTotalMs(int speed, long long counterBefore, long long steps) {
  int total = 0;
  for (long long i = 1; i <= steps; ++i) total += StepWaitMs(speed, counterBefore + i);
  return total;
}

QRect StepUpdateRect(const QRect& previous) { return previous.adjusted(-2, -2, 2, 2); }

QRect EraseUpdateRect(const QRect& sprite) {
  return QRect(sprite.left() - 2, sprite.top() - 2, sprite.width() + 2, sprite.height() + 2);
}

QRect GroupUpdateRect(const std::vector<QPoint>& previous, const std::vector<QPoint>& next, QSize card) {
  int minLeft = 5000, minTop = 5000, maxLeft = -5000, maxTop = -5000;
  for (const auto* list : {&previous, &next}) {
    for (const QPoint& p : *list) {
      minLeft = std::min(minLeft, p.x());
      minTop = std::min(minTop, p.y());
      maxLeft = std::max(maxLeft, p.x());
      maxTop = std::max(maxTop, p.y());
    }
  }
  if (previous.empty() && next.empty()) return QRect();
  return QRect(minLeft, minTop, maxLeft + card.width() - minLeft, maxTop + card.height() - minTop);
}

int TurnStep(double scaleK) {
  const double width = scaleK >= 1.8 - 1e-9 ? 6.0 : 5.0;
  return std::max(1, RoundRealHalfEven(width * scaleK));
}

int TurnBend(int d, int g) {
  if (g <= 0) return 0;
  const double ratio = static_cast<double>(d) * d / (static_cast<double>(g) * g);
  return RoundRealHalfEven(0.3 * g * std::sqrt(std::fabs(1.0 - ratio)));
}

std::vector<int> TurnEdges(int width, int step) {
  std::vector<int> edges;
  step = std::max(1, step);
  for (int edge = width - step; edge > 0; edge -= step) edges.push_back(edge);
  return edges;
}

int TurnFrameWaitMs(int speed) {
  static constexpr int kWaits[] = {16, 12, 9, 6, 3, 0};
  return kWaits[ClampSpeed(speed) - 1];
}

// ---- Pixels ---------------------------------------------------------------

namespace {

bool IsWindowPicture(const QImage& image) { return !image.isNull() && image.depth() == 32; }

// A picture brought to `size` in premultiplied ARGB; a null picture gives a white card.
QImage Prepared(const QImage& picture, QSize size) {
  if (picture.isNull()) return PlainCard(size);
  QImage ready =
      picture.size() == size ? picture : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return ready.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A premultiplied pixel over an opaque one.
inline QRgb Over(QRgb source, QRgb target) {
  const int alpha = qAlpha(source);
  if (alpha == 255) return source;
  if (alpha == 0) return target;
  const int rest = 255 - alpha;
  return qRgb(qRed(source) + qRed(target) * rest / 255, qGreen(source) + qGreen(target) * rest / 255,
              qBlue(source) + qBlue(target) * rest / 255);
}

// Draws a premultiplied picture over the window picture with its top left at `at`.
void DrawOver(QImage& buffer, QPoint at, const QImage& picture) {
  const QRect area = QRect(at, picture.size()) & buffer.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* target = reinterpret_cast<QRgb*>(buffer.scanLine(y));
    const auto* source = reinterpret_cast<const QRgb*>(picture.constScanLine(y - at.y()));
    for (int x = area.left(); x <= area.right(); ++x) target[x] = Over(source[x - at.x()], target[x]);
  }
}

}  // namespace

void CopyWindowRect(const QImage& from, QImage& to, const QRect& rect) {
  if (!IsWindowPicture(from) || !IsWindowPicture(to)) return;
  const QRect area = rect & from.rect() & to.rect();
  if (area.isEmpty()) return;
  const auto bytes = static_cast<std::size_t>(area.width()) * 4;
  for (int y = area.top(); y <= area.bottom(); ++y)
    std::memcpy(to.scanLine(y) + area.left() * 4, from.constScanLine(y) + area.left() * 4, bytes);
}

// ---- The sprite -----------------------------------------------------------

TSprite::TSprite(int x_, int y_, int z_, int t_, const QImage& picture, bool normalSize)
    : FWidth(std::max(1, z_ - x_)), FHeight(std::max(1, t_ - y_)), FLeft(x_), FTop(y_), normal_(normalSize) {
  const QSize size(FWidth, FHeight);
  if (normal_) {
    // The colour picture: black, the card's picture at (1, 1), the corners
    // outside the rounded edge black. The mask: black over the card, white
    // at those corners, so that AND then OR leaves the window there.
    const QSize inner = QSize(FWidth - 2, FHeight - 2).expandedTo(QSize(1, 1));
    FOrImage = QImage(size, QImage::Format_RGB32);
    FOrImage.fill(Qt::black);
    {
      QPainter painter(&FOrImage);
      QImage face(inner, QImage::Format_RGB32);
      face.fill(Qt::white);
      if (!picture.isNull()) {
        QPainter facePainter(&face);
        facePainter.drawImage(face.rect(), Prepared(picture, inner));
      }
      painter.drawImage(QPoint(1, 1), face);
    }
    FAndImage = QImage(size, QImage::Format_RGB32);
    FAndImage.fill(Qt::black);
    for (const QPoint& p : RoundedCornerPixels(size)) {
      if (!FOrImage.rect().contains(p)) continue;
      FOrImage.setPixel(p, 0xFF000000u);
      FAndImage.setPixel(p, 0xFFFFFFFFu);
    }
    return;
  }
  // Scaled sizes: the work picture in the key colour, and the card drawn
  // over the key colour; pixels left in it are not drawn.
  ImBMP1 = QImage(size, QImage::Format_RGB32);
  ImBMP1.fill(kSpriteKeyColour);
  ImBMP2 = ImBMP1.copy();
  const QImage card = Prepared(picture, size).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < FHeight; ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(card.constScanLine(y));
    auto* target = reinterpret_cast<QRgb*>(ImBMP2.scanLine(y));
    for (int x = 0; x < FWidth; ++x) {
      if (qAlpha(source[x]) < 128) continue;  // the transparent corners keep the key colour
      QRgb colour = source[x] | 0xFF000000u;
      if (colour == kSpriteKeyColour) colour = qRgb(1, 2, 4);  // a card pixel never vanishes
      target[x] = colour;
    }
  }
}

void TSprite::Draw(QImage& buffer) {
  if (!IsWindowPicture(buffer)) return;
  const QRect area = Rect() & buffer.rect();
  if (area.isEmpty()) return;
  if (normal_) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      auto* target = reinterpret_cast<QRgb*>(buffer.scanLine(y));
      const auto* mask = reinterpret_cast<const QRgb*>(FAndImage.constScanLine(y - FTop));
      const auto* colour = reinterpret_cast<const QRgb*>(FOrImage.constScanLine(y - FTop));
      for (int x = area.left(); x <= area.right(); ++x)
        target[x] = (target[x] & mask[x - FLeft]) | colour[x - FLeft];
    }
    return;
  }
  // The window under the card into the work picture, the card over it
  // without its key colour, and the work picture back into the window.
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* window = reinterpret_cast<const QRgb*>(buffer.constScanLine(y));
    const auto* card = reinterpret_cast<const QRgb*>(ImBMP2.constScanLine(y - FTop));
    auto* work = reinterpret_cast<QRgb*>(ImBMP1.scanLine(y - FTop));
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb pixel = card[x - FLeft];
      work[x - FLeft] = pixel == kSpriteKeyColour ? window[x] : pixel;
    }
  }
  const auto bytes = static_cast<std::size_t>(area.width()) * 4;
  for (int y = area.top(); y <= area.bottom(); ++y)
    std::memcpy(buffer.scanLine(y) + area.left() * 4, ImBMP1.constScanLine(y - FTop) + (area.left() - FLeft) * 4,
                bytes);
}

void TSprite::Erase(QImage& buffer, const QImage& background) const { CopyWindowRect(background, buffer, Rect()); }

QRect TSprite::MoveTo(QImage& buffer, const QImage& background, int x, int y) {
  const QRect previous = Rect();
  Erase(buffer, background);
  FLeft = x;
  FTop = y;
  Draw(buffer);
  return StepUpdateRect(previous);
}

// ---- Flights --------------------------------------------------------------

namespace {

bool g_flying = false;
long long g_step_counter = 0;

// One flight: the frozen copy of the window, the composition buffer the
// window paints from, and the flying flag, from the start to the end.
class FlightSession {
 public:
  explicit FlightSession(FlightWindow& window) : window_(window) {
    const QSize size = window.ClientSize();
    if (size.width() < 1 || size.height() < 1) return;
    const QImage shown = window.GrabClient();
    if (shown.size() == size) {
      background_ = shown.convertToFormat(QImage::Format_RGB32);
    } else {
      background_ = QImage(size, QImage::Format_RGB32);
      background_.fill(Qt::black);
      QPainter painter(&background_);
      painter.drawImage(QPoint(0, 0), shown);
    }
    buffer_ = background_.copy();
  }
  ~FlightSession() {
    if (!begun_) return;
    window_.EndFlight();
    g_flying = false;
  }
  FlightSession(const FlightSession&) = delete;
  FlightSession& operator=(const FlightSession&) = delete;

  bool Valid() const { return !buffer_.isNull(); }
  QImage& Buffer() { return buffer_; }
  const QImage& Background() const { return background_; }

  void Begin() {
    g_flying = true;
    begun_ = true;
    window_.BeginFlight(&buffer_);
  }
  // Repaints the part of `rect` that lies in the window.
  void Show(const QRect& rect) {
    const QRect inside = rect & buffer_.rect();
    if (!inside.isEmpty()) window_.ShowRect(inside);
  }

 private:
  FlightWindow& window_;
  QImage background_;
  QImage buffer_;
  bool begun_ = false;
};

QImage SpritePicture(CardPictures& pictures, std::string_view code) {
  return pictures.CardSet() == kCardSetNormal ? pictures.PictureForCode(code) : pictures.ForCode(code);
}

}  // namespace

bool CardFlying() { return g_flying; }

long long FlightStepCounter() { return g_step_counter; }

void SetFlightStepCounter(long long counter) { g_step_counter = counter; }

namespace {

// A card flying from one point to another, one pixel a step.
class CardFlightSteps : public FlightSteps {
 public:
  CardFlightSteps(FlightWindow& window, CardPictures& pictures, QPoint start, QPoint end, bool eraseAtEnd,
                  std::string_view code, int speed)
      : window_(window),
        pictures_(pictures),
        start_(start),
        end_(end),
        at_(start),
        erase_(eraseAtEnd),
        code_(code),
        speed_(ClampSpeed(speed)) {}

  bool Begin() override {
    session_ = std::make_unique<FlightSession>(window_);
    if (!session_->Valid()) return false;
    const QSize card = pictures_.CardSize();
    sprite_ = std::make_unique<TSprite>(start_.x(), start_.y(), start_.x() + card.width(), start_.y() + card.height(),
                                        SpritePicture(pictures_, code_), pictures_.CardSet() == kCardSetNormal);
    sprite_->Draw(session_->Buffer());
    session_->Begin();
    return true;
  }
  bool Arrived() const override { return stepped_ && at_ == end_; }
  int Step() override {
    ++g_step_counter;
    at_ = NextFlightPoint(start_, end_, at_);
    // The fastest speed leaves out the first step, unless it is the last.
    const bool skip = speed_ == kFastestSpeed && !stepped_ && at_ != end_;
    if (!skip) session_->Show(sprite_->MoveTo(session_->Buffer(), session_->Background(), at_.x(), at_.y()));
    stepped_ = true;
    return StepWaitMs(speed_, g_step_counter);
  }
  void Finish() override {
    if (erase_ && sprite_ != nullptr) {
      sprite_->Erase(session_->Buffer(), session_->Background());
      session_->Show(EraseUpdateRect(sprite_->Rect()));
    }
    sprite_.reset();
    session_.reset();
  }

 private:
  FlightWindow& window_;
  CardPictures& pictures_;
  QPoint start_, end_, at_;
  bool erase_;
  std::string code_;
  int speed_;
  bool stepped_ = false;
  std::unique_ptr<FlightSession> session_;
  std::unique_ptr<TSprite> sprite_;
};

// Up to twelve cards flying together, each on its own line.
class GroupFlightSteps : public FlightSteps {
 public:
  GroupFlightSteps(FlightWindow& window, CardPictures& pictures, const std::vector<QPoint>& from,
                   const std::vector<QPoint>& to, const std::vector<std::string>& codes, int speed, bool eraseAtEnd)
      : window_(window), pictures_(pictures), speed_(ClampSpeed(speed)), erase_(eraseAtEnd) {
    std::size_t count = std::min({from.size(), to.size(), codes.size()});
    if (count != from.size() || count != to.size() || count != codes.size())
      qWarning("FlyCards: %zu start points, %zu end points and %zu cards; %zu fly", from.size(), to.size(),
               codes.size(), count);
    if (count > static_cast<std::size_t>(kMaxFlyingCards)) {
      qWarning("FlyCards: %zu cards; only the first %d fly", count, kMaxFlyingCards);
      count = kMaxFlyingCards;
    }
    from_.assign(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(count));
    to_.assign(to.begin(), to.begin() + static_cast<std::ptrdiff_t>(count));
    codes_.assign(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(count));
    at_ = from_;
  }

  bool Begin() override {
    if (from_.empty()) return false;
    session_ = std::make_unique<FlightSession>(window_);
    if (!session_->Valid()) return false;
    const QSize card = pictures_.CardSize();
    const bool normal = pictures_.CardSet() == kCardSetNormal;
    sprites_.reserve(from_.size());
    for (std::size_t i = 0; i < from_.size(); ++i) {
      sprites_.emplace_back(from_[i].x(), from_[i].y(), from_[i].x() + card.width(), from_[i].y() + card.height(),
                            SpritePicture(pictures_, codes_[i]), normal);
      sprites_.back().Draw(session_->Buffer());
    }
    session_->Begin();
    return true;
  }
  bool Arrived() const override {
    if (!stepped_) return false;
    for (std::size_t i = 0; i < at_.size(); ++i)
      if (at_[i] != to_[i]) return false;
    return true;
  }
  // Like a single card, cards that start at their ends are drawn once.
  int Step() override {
    ++g_step_counter;
    const QSize card = pictures_.CardSize();
    const std::vector<QPoint> previous = at_;
    for (std::size_t i = 0; i < at_.size(); ++i)
      if (at_[i] != to_[i]) sprites_[i].Erase(session_->Buffer(), session_->Background());
    for (std::size_t i = 0; i < at_.size(); ++i) {
      if (at_[i] == to_[i]) continue;
      at_[i] = NextFlightPoint(from_[i], to_[i], at_[i]);
      sprites_[i].Place(at_[i].x(), at_[i].y());
    }
    // Every card again, in order, so that cards lying over each other stay whole.
    for (TSprite& sprite : sprites_) sprite.Draw(session_->Buffer());
    session_->Show(GroupUpdateRect(previous, at_, card));
    stepped_ = true;
    return StepWaitMs(speed_, g_step_counter);
  }
  void Finish() override {
    if (erase_ && session_ != nullptr) {
      for (TSprite& sprite : sprites_) sprite.Erase(session_->Buffer(), session_->Background());
      session_->Show(GroupUpdateRect(at_, at_, pictures_.CardSize()));
    }
    sprites_.clear();
    session_.reset();
  }

 private:
  FlightWindow& window_;
  CardPictures& pictures_;
  int speed_;
  bool erase_;
  bool stepped_ = false;
  std::vector<QPoint> from_, to_, at_;
  std::vector<std::string> codes_;
  std::unique_ptr<FlightSession> session_;
  std::vector<TSprite> sprites_;
};

// A widow card turning face up about its vertical middle.
class TurnSteps : public FlightSteps {
 public:
  TurnSteps(FlightWindow& window, QRect place, const QImage& back, const QImage& face, double scaleK, int speed)
      : window_(window), place_(place), back_(back), face_(face), scale_(scaleK), speed_(ClampSpeed(speed)) {}

  bool Begin() override {
    if (place_.width() < 1 || place_.height() < 1) return false;
    session_ = std::make_unique<FlightSession>(window_);
    if (!session_->Valid()) return false;
    const int w = place_.width();
    backPicture_ = Prepared(back_, place_.size());
    facePicture_ = Prepared(face_, place_.size());
    g_ = RoundRealHalfEven(w / 2.0);
    const int most = TurnBend(0, g_);
    area_ = place_.adjusted(0, -most, 0, most);
    edges_ = TurnEdges(w, TurnStep(scale_));
    session_->Begin();
    return true;
  }
  bool Arrived() const override { return next_ >= edges_.size(); }
  int Step() override {
    const int edge = edges_[next_++];
    const int w = place_.width();
    const int h = place_.height();
    QImage& buffer = session_->Buffer();
    CopyWindowRect(session_->Background(), buffer, area_);
    // Doubled units keep the middle (w / 2) whole: the card spans the
    // columns whose centres lie within `span` of the middle.
    const int span = std::abs(2 * edge - w);
    const QImage& picture = 2 * edge > w ? backPicture_ : facePicture_;
    for (int x = 0; x < w && span > 0; ++x) {
      const int centre = 2 * x + 1;
      if (std::abs(centre - w) >= span) continue;
      const int column = place_.left() + x;
      if (column < 0 || column >= buffer.width()) continue;
      const int sourceX = std::clamp((centre - (w - span)) * w / (2 * span), 0, w - 1);
      const int bend = TurnBend(std::abs(centre - w) / 2, g_);
      const int tall = h + 2 * bend;
      for (int y = 0; y < tall; ++y) {
        const int row = place_.top() - bend + y;
        if (row < 0 || row >= buffer.height()) continue;
        const int sourceY = std::clamp((2 * y + 1) * h / (2 * tall), 0, h - 1);
        auto* target = reinterpret_cast<QRgb*>(buffer.scanLine(row));
        const auto* source = reinterpret_cast<const QRgb*>(picture.constScanLine(sourceY));
        target[column] = Over(source[sourceX], target[column]);
      }
    }
    session_->Show(area_);
    return TurnFrameWaitMs(speed_);
  }
  void Finish() override {
    if (session_ == nullptr) return;
    CopyWindowRect(session_->Background(), session_->Buffer(), area_);
    DrawOver(session_->Buffer(), place_.topLeft(), facePicture_);
    session_->Show(area_);
    session_.reset();
  }

 private:
  FlightWindow& window_;
  QRect place_;
  QImage back_, face_;
  double scale_;
  int speed_;
  int g_ = 0;
  QRect area_;
  QImage backPicture_, facePicture_;
  std::vector<int> edges_;
  std::size_t next_ = 0;
  std::unique_ptr<FlightSession> session_;
};

}  // namespace

void RunFlight(FlightSteps& flight, const std::function<void(int ms)>& wait) {
  if (!flight.Begin()) return;
  do {
    const int ms = flight.Step();
    if (ms > 0 && wait) wait(ms);
  } while (!flight.Arrived());
  flight.Finish();
}

std::unique_ptr<FlightSteps> CardFlight(FlightWindow& window, CardPictures& pictures, int x0, int y0, int x1, int y1,
                                        bool eraseAtEnd, std::string_view code, int speed) {
  return std::make_unique<CardFlightSteps>(window, pictures, QPoint(x0, y0), QPoint(x1, y1), eraseAtEnd, code, speed);
}

std::unique_ptr<FlightSteps> GroupFlight(FlightWindow& window, CardPictures& pictures, const std::vector<QPoint>& from,
                                         const std::vector<QPoint>& to, const std::vector<std::string>& codes,
                                         int speed, bool eraseAtEnd) {
  return std::make_unique<GroupFlightSteps>(window, pictures, from, to, codes, speed, eraseAtEnd);
}

std::unique_ptr<FlightSteps> TurnFlight(FlightWindow& window, QRect place, const QImage& back, const QImage& face,
                                        double scaleK, int speed) {
  return std::make_unique<TurnSteps>(window, place, back, face, scaleK, speed);
}

// ---- Flights on the event loop ---------------------------------------------

namespace {
MeasurementWait& MeasurementWaitFunction() {
  static MeasurementWait wait;
  return wait;
}
}  // namespace

void SetWaitForMeasurement(MeasurementWait wait) { MeasurementWaitFunction() = std::move(wait); }
const MeasurementWait& WaitForMeasurement() { return MeasurementWaitFunction(); }

FlightPlayer::FlightPlayer() {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Run(); });
}

FlightPlayer::~FlightPlayer() { Stop(); }

void FlightPlayer::Play(std::unique_ptr<FlightSteps> flight, std::function<void()> done) {
  Stop();
  if (flight != nullptr && WaitForMeasurement()) {
    RunFlight(*flight, WaitForMeasurement());
    if (done) done();
    return;
  }
  if (flight == nullptr || !flight->Begin()) {
    if (done) done();
    return;
  }
  flight_ = std::move(flight);
  done_ = std::move(done);
  clock_.start();
  due_ns_ = 0;
  // The steps begin on the next turn of the event loop: the work that
  // started the flight has had its turn.
  timer_.start(0);
}

void FlightPlayer::Stop() {
  timer_.stop();
  if (flight_ != nullptr) flight_->Finish();
  flight_.reset();
  done_ = nullptr;
}

void FlightPlayer::Run() {
  if (flight_ == nullptr) return;
  const qint64 slice_start = clock_.nsecsElapsed();
  for (;;) {
    const qint64 now = clock_.nsecsElapsed();
    if (due_ns_ > now) {
      // Whole milliseconds, rounded up: a step is never taken early.
      timer_.start(static_cast<int>((due_ns_ - now + 999999) / 1000000));
      return;
    }
    if (flight_->Arrived()) {
      flight_->Finish();
      flight_.reset();
      auto done = std::move(done_);
      done_ = nullptr;
      if (done) done();
      return;
    }
    if (now - slice_start > kSliceNs) {
      // Steps without waits in a row: the event loop gets its turn.
      timer_.start(0);
      return;
    }
    // Steps without a wait run in a row; the clock (a system call on some
    // machines) is read around the row, not around every step.
    int wait = 0;
    int steps = 0;
    do {
      wait = flight_->Step();
    } while (wait == 0 && ++steps < kStepsPerRead && !flight_->Arrived());
    // A step's wait runs from the end of its drawing, as the sleep after it
    // did when flights slept on the main thread: a step taken late moves the
    // later ones with it, and a flight lasts as long as it always has.
    const qint64 after = clock_.nsecsElapsed();
    due_ns_ = after + static_cast<qint64>(wait) * 1000000;
  }
}

}  // namespace varnok
