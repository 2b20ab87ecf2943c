#include "sprite.h"

#include "layout.h"

#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

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

FlightWait& WaitFunction() {
  static FlightWait wait;
  return wait;
}

void Wait(int ms) {
  if (ms <= 0) return;
  const FlightWait& wait = WaitFunction();
  if (wait) {
    wait(ms);
  } else {
    PreciseSleep(ms);
  }
}

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

FlightWait SetFlightWait(FlightWait wait) {
  FlightWait previous = std::move(WaitFunction());
  WaitFunction() = std::move(wait);
  return previous;
}

void PreciseSleep(int ms) {
  if (ms <= 0) return;
  // Linux timers keep to well under a millisecond; no timer resolution needs
  // setting as it does elsewhere.
  std::this_thread::sleep_until(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

void FlyCard(FlightWindow& window, CardPictures& pictures, int x0, int y0, int x1, int y1, bool eraseAtEnd,
             std::string_view code, int speed) {
  speed = ClampSpeed(speed);
  FlightSession session(window);
  if (!session.Valid()) return;
  const QSize card = pictures.CardSize();
  TSprite sprite(x0, y0, x0 + card.width(), y0 + card.height(), SpritePicture(pictures, code),
                 pictures.CardSet() == kCardSetNormal);
  sprite.Draw(session.Buffer());
  session.Begin();
  const QPoint start(x0, y0);
  const QPoint end(x1, y1);
  QPoint at = start;
  bool first = true;
  do {
    ++g_step_counter;
    at = NextFlightPoint(start, end, at);
    // The fastest speed leaves out the first step, unless it is the last.
    const bool skip = speed == kFastestSpeed && first && at != end;
    if (!skip) session.Show(sprite.MoveTo(session.Buffer(), session.Background(), at.x(), at.y()));
    first = false;
    Wait(StepWaitMs(speed, g_step_counter));
  } while (at != end);
  if (eraseAtEnd) {
    sprite.Erase(session.Buffer(), session.Background());
    session.Show(EraseUpdateRect(sprite.Rect()));
  }
}

void FlyCards(FlightWindow& window, CardPictures& pictures, const std::vector<QPoint>& from,
              const std::vector<QPoint>& to, const std::vector<std::string>& codes, int speed, bool eraseAtEnd) {
  speed = ClampSpeed(speed);
  std::size_t count = std::min({from.size(), to.size(), codes.size()});
  if (count != from.size() || count != to.size() || count != codes.size())
    qWarning("FlyCards: %zu start points, %zu end points and %zu cards; %zu fly", from.size(), to.size(),
             codes.size(), count);
  if (count > static_cast<std::size_t>(kMaxFlyingCards)) {
    qWarning("FlyCards: %zu cards; only the first %d fly", count, kMaxFlyingCards);
    count = kMaxFlyingCards;
  }
  if (count == 0) return;
  FlightSession session(window);
  if (!session.Valid()) return;
  const QSize card = pictures.CardSize();
  const bool normal = pictures.CardSet() == kCardSetNormal;
  std::vector<TSprite> sprites;
  sprites.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    sprites.emplace_back(from[i].x(), from[i].y(), from[i].x() + card.width(), from[i].y() + card.height(),
                         SpritePicture(pictures, codes[i]), normal);
    sprites.back().Draw(session.Buffer());
  }
  session.Begin();
  std::vector<QPoint> at(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(count));
  auto allArrived = [&] {
    for (std::size_t i = 0; i < count; ++i)
      if (at[i] != to[i]) return false;
    return true;
  };
  // Like a single card, cards that start at their ends are drawn once.
  do {
    ++g_step_counter;
    const std::vector<QPoint> previous = at;
    for (std::size_t i = 0; i < count; ++i)
      if (at[i] != to[i]) sprites[i].Erase(session.Buffer(), session.Background());
    for (std::size_t i = 0; i < count; ++i) {
      if (at[i] == to[i]) continue;
      at[i] = NextFlightPoint(from[i], to[i], at[i]);
      sprites[i].Place(at[i].x(), at[i].y());
    }
    // Every card again, in order, so that cards lying over each other stay whole.
    for (TSprite& sprite : sprites) sprite.Draw(session.Buffer());
    session.Show(GroupUpdateRect(previous, at, card));
    Wait(StepWaitMs(speed, g_step_counter));
  } while (!allArrived());
  if (eraseAtEnd) {
    for (TSprite& sprite : sprites) sprite.Erase(session.Buffer(), session.Background());
    session.Show(GroupUpdateRect(at, at, card));
  }
}

void TurnCard(FlightWindow& window, QRect place, const QImage& back, const QImage& face, double scaleK, int speed) {
  if (place.width() < 1 || place.height() < 1) return;
  speed = ClampSpeed(speed);
  FlightSession session(window);
  if (!session.Valid()) return;
  const int w = place.width();
  const int h = place.height();
  const QImage backPicture = Prepared(back, place.size());
  const QImage facePicture = Prepared(face, place.size());
  const int g = RoundRealHalfEven(w / 2.0);
  const int most = TurnBend(0, g);
  const QRect area = place.adjusted(0, -most, 0, most);
  QImage& buffer = session.Buffer();
  session.Begin();
  for (const int edge : TurnEdges(w, TurnStep(scaleK))) {
    CopyWindowRect(session.Background(), buffer, area);
    // Doubled units keep the middle (w / 2) whole: the card spans the
    // columns whose centres lie within `span` of the middle.
    const int span = std::abs(2 * edge - w);
    const QImage& picture = 2 * edge > w ? backPicture : facePicture;
    for (int x = 0; x < w && span > 0; ++x) {
      const int centre = 2 * x + 1;
      if (std::abs(centre - w) >= span) continue;
      const int column = place.left() + x;
      if (column < 0 || column >= buffer.width()) continue;
      const int sourceX = std::clamp((centre - (w - span)) * w / (2 * span), 0, w - 1);
      const int bend = TurnBend(std::abs(centre - w) / 2, g);
      const int tall = h + 2 * bend;
      for (int y = 0; y < tall; ++y) {
        const int row = place.top() - bend + y;
        if (row < 0 || row >= buffer.height()) continue;
        const int sourceY = std::clamp((2 * y + 1) * h / (2 * tall), 0, h - 1);
        auto* target = reinterpret_cast<QRgb*>(buffer.scanLine(row));
        const auto* source = reinterpret_cast<const QRgb*>(picture.constScanLine(sourceY));
        target[column] = Over(source[sourceX], target[column]);
      }
    }
    session.Show(area);
    Wait(TurnFrameWaitMs(speed));
  }
  CopyWindowRect(session.Background(), buffer, area);
  DrawOver(buffer, place.topLeft(), facePicture);
  session.Show(area);
}

}  // namespace varnok
