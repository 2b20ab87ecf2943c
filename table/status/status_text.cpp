#include "status_text.h"

#include <QFontMetrics>
#include <algorithm>

#include "layout.h"

namespace varnok {

QString KindFace(i18n::FontKind kind) { return i18n::CurrentFontSettings()[static_cast<std::size_t>(kind)].face; }

QString LargeFace() { return KindFace(i18n::FontKind::Decor); }
QString SmallFace() { return KindFace(i18n::FontKind::Serif); }

QFont FaceFont(const QString& face, int height, bool bold) {
  QFont font = i18n::FaceFont(face);
  font.setPixelSize(std::max(1, height));
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QFont FitTextFont(const QString& face, int height, bool bold, const QString& text, int room) {
  QFont font = FaceFont(face, height, bold);
  const int smallest = std::max(1, (height * 2 + 2) / 3);
  for (int size = height; size > smallest; --size) {
    if (QFontMetrics(font).horizontalAdvance(text) <= room) break;
    font.setPixelSize(size - 1);
  }
  return font;
}

void ShrinkToLetterHeight(QFont& font, const QString& text, int room) {
  const int smallest = std::max(1, font.pixelSize() / 2);
  while (font.pixelSize() > smallest && QFontMetrics(font).tightBoundingRect(text).height() > room) {
    font.setPixelSize(font.pixelSize() - 1);
  }
}

int KeepLettersBetween(const QFont& font, const QString& text, int wanted, int top, int bottom) {
  const QFontMetrics metrics(font);
  const QRect letters = metrics.tightBoundingRect(text);  // from the baseline
  if (letters.isEmpty()) return wanted;
  int y = wanted;
  if (y + metrics.ascent() + letters.bottom() > bottom) y = bottom - metrics.ascent() - letters.bottom();
  if (y + metrics.ascent() + letters.top() < top) y = top - metrics.ascent() - letters.top();
  return y;
}

QFont PointFont(const QString& face, int points, bool bold) {
  return FaceFont(face, RoundHalfEven(points * 96 / 72.0), bold);
}

}  // namespace varnok
