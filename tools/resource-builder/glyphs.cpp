#include "glyphs.h"

#include <QHash>
#include <QRawFont>

#include <algorithm>
#include <memory>

namespace varnok::builder {

namespace {

const QRawFont& Font(const char* file) {
  static QHash<QString, std::shared_ptr<QRawFont>> fonts;
  const QString key = QString::fromLatin1(file);
  auto it = fonts.find(key);
  if (it == fonts.end()) it = fonts.insert(key, std::make_shared<QRawFont>(key, 256.0));
  return **it;
}

}  // namespace

QPainterPath GlyphPath(const char* font_file, char32_t character, const QRectF& box) {
  const QRawFont& font = Font(font_file);
  if (!font.isValid() || !font.supportsCharacter(static_cast<uint>(character))) return {};
  const QString text = QString::fromUcs4(&character, 1);
  const QList<quint32> glyphs = font.glyphIndexesForString(text);
  if (glyphs.isEmpty() || glyphs.first() == 0) return {};
  const QPainterPath path = font.pathForGlyph(glyphs.first());
  const QRectF bounds = path.boundingRect();
  if (bounds.isEmpty()) return {};
  const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(scale, scale);
  t.translate(-bounds.center().x(), -bounds.center().y());
  return t.map(path);
}

QPainterPath SuitPath(int suit_index, const QRectF& box) {
  static const char32_t kSuitCharacters[] = {U'\u2665', U'\u2666', U'\u2663', U'\u2660'};
  if (suit_index < 0 || suit_index > 3) return {};
  return GlyphPath(kDejaVuSans, kSuitCharacters[suit_index], box);
}

}  // namespace varnok::builder
