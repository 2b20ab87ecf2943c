#include "menu_movie.h"

#include <QBuffer>
#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "loader.h"

namespace varnok {

namespace {

// A frame without a delay of its own shows for this long (QMovie's default).
constexpr int kDefaultDelayMs = 100;

// The smallest rectangle holding every pixel where `a` and `b` differ.
QRect DifferenceRect(const QImage& a, const QImage& b) {
  int left = a.width(), right = -1, top = a.height(), bottom = -1;
  for (int y = 0; y < a.height(); ++y) {
    const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    int x = 0;
    while (x < a.width() && la[x] == lb[x]) ++x;
    if (x == a.width()) continue;
    int last = a.width() - 1;
    while (last > x && la[last] == lb[last]) --last;
    left = std::min(left, x);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = y;
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

MenuMovie::MenuMovie(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  hide();
}

bool MenuMovie::Load(const QString& gifName) {
  QByteArray data;
  if (!LoadGif(gifName, QString(), data)) {
    frames_.clear();
    delays_.clear();
    return false;
  }
  return LoadData(data);
}

bool MenuMovie::LoadData(const QByteArray& gif) {
  frames_.clear();
  delays_.clear();
  QBuffer buffer;
  buffer.setData(gif);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "GIF");
  QImage previous;
  while (reader.canRead()) {
    QImage frame = reader.read();
    if (frame.isNull()) break;
    frames_.push_back(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    const int delay = reader.nextImageDelay();
    delays_.push_back(delay > 0 ? delay : kDefaultDelayMs);
  }
  frame_ = 0;
  elapsed_ = 0;
  return !frames_.empty();
}

void MenuMovie::Prepare(const QImage& background) {
  shown_.clear();
  changes_.clear();
  const QRect place = geometry();
  const bool opaque = !background.isNull() && background.rect().contains(place);
  setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  for (const QImage& frame : frames_) {
    QImage picture(place.size(), opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (opaque) {
      QPainter under(&picture);
      under.drawImage(QPoint(0, 0), background, place);
    } else {
      picture.fill(Qt::transparent);
    }
    QPainter painter(&picture);
    // Like a label: at the left, centred from top to bottom.
    painter.drawImage(QPoint(0, (place.height() - frame.height()) / 2), frame);
    painter.end();
    shown_.push_back(picture);
  }
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    const QImage& before = shown_[(i + shown_.size() - 1) % shown_.size()];
    changes_.push_back(DifferenceRect(before, shown_[i]));
  }
  frame_ = 0;
  elapsed_ = 0;
  update();
}

void MenuMovie::SetRunning(bool running) {
  running_ = running && frames_.size() > 1;
  if (!running_ && frame_ != 0) {
    frame_ = 0;
    update();
  }
  elapsed_ = 0;
}

void MenuMovie::Advance(int ms) {
  if (!running_ || shown_.size() < 2) return;
  elapsed_ += ms;
  int frame = frame_;
  QRect changed;
  while (elapsed_ >= delays_[static_cast<std::size_t>(frame)]) {
    elapsed_ -= delays_[static_cast<std::size_t>(frame)];
    frame = (frame + 1) % static_cast<int>(shown_.size());
    changed |= changes_[static_cast<std::size_t>(frame)];
  }
  if (frame == frame_) return;
  frame_ = frame;
  // Only where the new frame differs from the one on screen.
  if (!changed.isEmpty()) update(changed);
}

void MenuMovie::SetClick(std::function<void()> click) {
  click_ = std::move(click);
  setCursor(Qt::PointingHandCursor);
}

void MenuMovie::paintEvent(QPaintEvent* event) {
  if (shown_.empty()) return;
  QPainter painter(this);
  const QImage& picture = shown_[static_cast<std::size_t>(frame_)];
  for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), picture, r);
}

void MenuMovie::mousePressEvent(QMouseEvent* event) {
  if (click_ && event->button() == Qt::LeftButton) {
    event->accept();
    click_();
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace varnok
