#include "face_ellipse.h"

#include <algorithm>

#include <QImage>

#include "names.h"

namespace varnok {

QRect FaceEllipseBox(int card_set, bool full_width) {
  if (card_set == kCardSetNormal) return QRect(QPoint(10, 10), QPoint(84, 59));
  return full_width ? QRect(QPoint(10, 10), QPoint(188, 136)) : QRect(QPoint(10, 10), QPoint(188, 116));
}

bool InFaceEllipse(const QRect& box, int x, int y) {
  // The box's right and bottom are the ellipse's edges (QRect's inclusive
  // corners are used as the left, top, right, bottom of the drawing call).
  const double left = box.left(), top = box.top(), right = box.right(), bottom = box.bottom();
  const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
  if (rx <= 0 || ry <= 0) return false;
  const double dx = (x + 0.5 - (left + right) / 2.0) / rx;
  const double dy = (y + 0.5 - (top + bottom) / 2.0) / ry;
  return dx * dx + dy * dy <= 1.0;
}

void InvertFaceEllipse(QImage& picture, int card_set, bool full_width) {
  if (picture.isNull()) return;
  const QImage::Format format = picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  if (picture.format() != format) picture = picture.convertToFormat(format);
  const QRect box = FaceEllipseBox(card_set, full_width);
  const int bottom = std::min(picture.height(), box.bottom() + 1);
  const int right = std::min(picture.width(), box.right() + 1);
  for (int y = std::max(0, box.top()); y < bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = std::max(0, box.left()); x < right; ++x) {
      if (InFaceEllipse(box, x, y)) line[x] ^= 0x00FFFFFFu;
    }
  }
}

}  // namespace varnok
