#include "salute.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace varnok {

SaluteChoice SaluteFor(int human_count, bool salute_buttons, bool salute_cards, bool graphics_present) {
  if (human_count <= 0 || !graphics_present) return {};
  return {salute_buttons, salute_cards};
}

SaluteOverlay::SaluteOverlay(QWidget* canvas, SaluteChoice choice, std::vector<QRect> buttons,
                             std::vector<QImage> cards, int frames)
    : QWidget(canvas), choice_(choice), buttons_(std::move(buttons)), cards_(std::move(cards)), frames_(frames) {
  setObjectName(QStringLiteral("Salute"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(canvas->rect());
  timer_.setInterval(kFrameMs);
  connect(&timer_, &QTimer::timeout, this, &SaluteOverlay::Step);
  timer_.start();
  show();
  raise();
}

void SaluteOverlay::Step() {
  ++frame_;
  if (frame_ >= frames_) {
    timer_.stop();
    hide();
    deleteLater();
    return;
  }
  update();
}

void SaluteOverlay::DrawSparks(QPainter& painter, QPointF centre, int age, int seed) const {
  // Twelve sparks fly out and fade; each burst has its own colour.
  static const QColor kColours[] = {QColor(255, 215, 0), QColor(255, 80, 80), QColor(120, 200, 255),
                                    QColor(180, 255, 120), QColor(230, 130, 255)};
  QColor colour = kColours[seed % 5];
  const int life = 20;
  if (age < 0 || age >= life) return;
  colour.setAlpha(255 - age * 255 / life);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  const double radius = 4.0 + age * 2.5;
  for (int i = 0; i < 12; ++i) {
    const double angle = (i * 30 + seed * 7) * M_PI / 180.0;
    const QPointF at = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius + age * age * 0.05);
    painter.drawEllipse(at, 2.5, 2.5);
  }
}

void SaluteOverlay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (choice_.buttons) {
    // A burst every few frames at a corner of one of the buttons.
    int seed = 0;
    for (const QRect& button : buttons_) {
      const QPointF corners[] = {button.topLeft(), button.topRight(), button.bottomRight(), button.bottomLeft()};
      for (int k = 0; k < 4; ++k, ++seed) DrawSparks(painter, corners[k], (frame_ + k * 5) % 20, seed);
    }
  }
  if (choice_.cards && !cards_.empty()) {
    // The cards rise from the middle of the table in a fan and fall back.
    const QPointF start(width() / 2.0, height() * 0.55);
    const int count = static_cast<int>(cards_.size());
    const double t = static_cast<double>(frame_) / std::max(1, frames_);
    for (int i = 0; i < count; ++i) {
      const double spread = count > 1 ? (i - (count - 1) / 2.0) / ((count - 1) / 2.0) : 0.0;
      const double x = start.x() + spread * width() * 0.38 * t;
      const double y = start.y() - height() * 1.6 * t * (1.0 - t);
      painter.save();
      painter.translate(x, y);
      painter.rotate(spread * 40.0 + frame_ * 6.0 * spread);
      const QImage& card = cards_[static_cast<std::size_t>(i)];
      painter.drawImage(QPointF(-card.width() / 2.0, -card.height() / 2.0), card);
      painter.restore();
      DrawSparks(painter, QPointF(x, y), (frame_ + i * 3) % 20, i);
    }
  }
}

}  // namespace varnok
