#include "card_canvas.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace varnok::builder {

CardCanvas::CardCanvas(QSize size, bool framed)
    : size_(size), framed_(framed), image_(size * kSupersample, QImage::Format_ARGB32_Premultiplied) {
  image_.fill(Qt::transparent);
  const QRectF all(QPointF(0, 0), QSizeF(image_.size()));
  if (framed) {
    const double half_border = kSupersample / 2.0;
    const double radius = size.width() * 0.065 * kSupersample;
    outline_.addRoundedRect(all.adjusted(half_border, half_border, -half_border, -half_border), radius, radius);
    interior_ = all.adjusted(kSupersample, kSupersample, -kSupersample, -kSupersample);
  } else {
    outline_.addRect(all);
    interior_ = all;
  }
}

QImage CardCanvas::Finish(const QColor& border) {
  if (framed_) {
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(border, kSupersample));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline_);
  }
  QImage small = image_.scaled(size_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return small.convertToFormat(framed_ ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

QColor MedianInBox(const QImage& image, const QRect& box) {
  std::vector<int> r, g, b;
  const QRect inside = box.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb px = image.pixel(x, y);
      if (qAlpha(px) < 250) continue;
      r.push_back(qRed(px));
      g.push_back(qGreen(px));
      b.push_back(qBlue(px));
    }
  }
  if (r.empty()) return Qt::transparent;
  auto median = [](std::vector<int>& v) {
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
  };
  return QColor(median(r), median(g), median(b));
}

}  // namespace varnok::builder
