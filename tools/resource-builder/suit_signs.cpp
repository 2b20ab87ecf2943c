#include "suit_signs.h"

#include <QPainter>

#include "card_canvas.h"
#include "glyphs.h"

namespace varnok::builder {

QImage RenderSuitSign(int suit_index, int size, const QColor& colour) {
  const int big = size * kSupersample;
  QImage work(big, big, QImage::Format_ARGB32_Premultiplied);
  work.fill(Qt::transparent);
  {
    QPainter p(&work);
    p.setRenderHint(QPainter::Antialiasing);
    const double margin = big * 0.08;
    const QPainterPath path = SuitPath(suit_index, QRectF(margin, margin, big - 2 * margin, big - 2 * margin));
    p.fillPath(path, colour);
  }
  QImage sign = work.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    auto* line = reinterpret_cast<QRgb*>(sign.scanLine(y));
    for (int x = 0; x < size; ++x) {
      // Edge pixels keep the sign's own colour with partial alpha, so a
      // painter that ignores alpha shows no silver halo around the sign.
      line[x] = qAlpha(line[x]) == 0 ? kSilverKey : (colour.rgb() & 0x00FFFFFFu) | (line[x] & 0xFF000000u);
    }
  }
  return sign;
}

}  // namespace varnok::builder
