#include "table_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace varnok {

TableCanvas::TableCanvas(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  ApplyLayout(LayoutForMode(kSmallWindow), 96);
}

void TableCanvas::ApplyLayout(const LayoutState& layout, int cardH, int handLift) {
  layout_ = layout;
  const QSize size(layout.WindowW, layout.WindowH);
  setFixedSize(size);
  if (background_.size() != size) {
    QImage scaled(size, QImage::Format_RGB32);
    scaled.fill(QColor(0x1d, 0x5c, 0x32));
    if (!background_.isNull()) {
      QPainter p(&scaled);
      p.setRenderHint(QPainter::SmoothPixmapTransform);
      p.drawImage(scaled.rect(), background_);
    }
    background_ = scaled;
  }
  rects_ = PlaceLayers(layout, cardH);
  rects_[Index(Layer::ImageCards3)].setTop(rects_[Index(Layer::ImageCards3)].top() - std::max(0, handLift));
  // The layers' pictures are made when first drawn into.
  for (Layer layer : AllLayers()) {
    visible_[Index(layer)] = false;
    images_[Index(layer)] = QImage();
  }
  ComposeScreen();
}

QImage& TableCanvas::LayerImage(Layer layer) {
  const std::size_t i = Index(layer);
  if (images_[i].size() != rects_[i].size() && !rects_[i].isEmpty()) {
    images_[i] = QImage(rects_[i].size(), QImage::Format_RGB32);
    QPainter p(&images_[i]);
    p.drawImage(QPoint(0, 0), background_, rects_[i]);
  }
  return images_[i];
}

void TableCanvas::SetBackground(const QImage& background) {
  const QSize size(layout_.WindowW, layout_.WindowH);
  if (background.size() == size) {
    background_ = background.convertToFormat(QImage::Format_RGB32);
  } else {
    background_ = QImage(size, QImage::Format_RGB32);
    QPainter p(&background_);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (background.isNull()) background_.fill(QColor(0x1d, 0x5c, 0x32));
    else p.drawImage(background_.rect(), background);
  }
  for (Layer layer : AllLayers()) {
    if (!images_[Index(layer)].isNull() && !visible_[Index(layer)]) RestoreLayer(layer);
  }
  ComposeScreen();
}

void TableCanvas::RestoreLayer(Layer layer) {
  QImage& image = LayerImage(layer);
  if (image.isNull()) return;
  QPainter p(&image);
  p.drawImage(QPoint(0, 0), background_, rects_[Index(layer)]);
}

void TableCanvas::ShowLayer(Layer layer, bool visible) {
  const std::size_t i = Index(layer);
  if (visible_[i] == visible) return;
  visible_[i] = visible;
  ComposeRect(rects_[i]);
  update(rects_[i]);
}

void TableCanvas::HideAllLayers() {
  for (Layer layer : AllLayers()) visible_[Index(layer)] = false;
  ComposeScreen();
}

void TableCanvas::RefreshLayer(Layer layer) {
  const std::size_t i = Index(layer);
  if (!visible_[i]) {
    visible_[i] = true;
  }
  ComposeRect(rects_[i]);
  update(rects_[i]);
}

void TableCanvas::SetOverlay(const QImage& picture, QPoint at) {
  const QRect old(overlay_at_, overlay_.size());
  overlay_ = picture;
  overlay_at_ = at;
  ComposeRect(old);
  ComposeRect(QRect(at, picture.size()));
  update();
}

void TableCanvas::ComposeScreen() {
  screen_ = QImage(background_.size(), QImage::Format_RGB32);
  ComposeRect(screen_.rect());
  update();
}

void TableCanvas::ComposeRect(const QRect& area) {
  const QRect rect = area.intersected(screen_.rect());
  if (rect.isEmpty()) return;
  QPainter p(&screen_);
  p.drawImage(rect.topLeft(), background_, rect);
  for (Layer layer : AllLayers()) {
    const std::size_t i = Index(layer);
    if (!visible_[i] || images_[i].isNull()) continue;
    const QRect part = rects_[i].intersected(rect);
    if (part.isEmpty()) continue;
    p.drawImage(part.topLeft(), images_[i], part.translated(-rects_[i].topLeft()));
  }
  if (!overlay_.isNull()) {
    const QRect part = QRect(overlay_at_, overlay_.size()).intersected(rect);
    if (!part.isEmpty()) p.drawImage(part.topLeft(), overlay_, part.translated(-overlay_at_));
  }
}

void TableCanvas::BeginFlight(const QImage* buffer) { flight_ = buffer; }

void TableCanvas::ShowRect(const QRect& rect) {
  // Painted at once: the flight runs inside the call without returning to
  // the event loop.
  ++flight_steps_;
  repaint(rect.intersected(this->rect()));
  if (step_observer_) step_observer_(flight_steps_);
}

void TableCanvas::EndFlight() {
  flight_ = nullptr;
}

void TableCanvas::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& source = flight_ != nullptr ? *flight_ : screen_;
  for (const QRect& r : event->region()) p.drawImage(r.topLeft(), source, r);
  if (!painted_) {
    painted_ = true;
    Q_EMIT FirstPainted();
  }
}

void TableCanvas::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) Q_EMIT LeftClicked(at);
  else if (event->button() == Qt::RightButton) Q_EMIT RightClicked(at);
  QWidget::mousePressEvent(event);
}

void TableCanvas::mouseMoveEvent(QMouseEvent* event) {
  Q_EMIT MouseMoved(event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

void TableCanvas::keyPressEvent(QKeyEvent* event) {
  Q_EMIT KeyPressed();
  QWidget::keyPressEvent(event);
}

}  // namespace varnok
