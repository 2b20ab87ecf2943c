// The canvas every card picture is drawn on. Pictures are painted at three
// times their size and scaled down, which keeps thin lines clean at 69 x 94.
//
// Normal-size pictures (69 x 94) fill their whole rectangle: the table puts
// them into a black frame with rounded corners of its own. Large pictures
// carry their own frame: a rounded outline with a thin dark border and
// transparent corners.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace varnok::builder {

inline constexpr int kSupersample = 3;

class CardCanvas {
 public:
  CardCanvas(QSize size, bool framed);

  // The supersampled picture to paint on; clip to Outline() when painting.
  QImage& Image() { return image_; }
  QPainterPath Outline() const { return outline_; }
  // The room inside the border, in supersampled pixels.
  QRectF Interior() const { return interior_; }
  bool Framed() const { return framed_; }
  // Draws the border (framed pictures) and scales down to the final size:
  // ARGB32 with transparent corners when framed, RGB32 otherwise.
  QImage Finish(const QColor& border = QColor(48, 48, 48));

 private:
  QSize size_;
  bool framed_;
  QImage image_;
  QPainterPath outline_;
  QRectF interior_;
};

// Median colour of the opaque pixels of a picture inside a rectangle;
// transparent when there are none.
QColor MedianInBox(const QImage& image, const QRect& box);

}  // namespace varnok::builder
