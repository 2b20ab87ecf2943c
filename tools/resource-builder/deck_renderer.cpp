#include "deck_renderer.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

#include "card_canvas.h"

namespace varnok::builder {

namespace {

const char* const kSuitWords[] = {"heart", "diamond", "club", "spade"};
const char* const kRankWords[] = {"", "9", "jack", "queen", "king", "10", "1"};

// Fills the room around the drawn picture with the colours of its edges.
void FillPaper(QPainter& p, const QImage& layer, const QRectF& room, const QRectF& target) {
  // Strips along the four edges, from 1.5% to 7% of the width in, over the
  // middle 80% of the edge: wide enough that a thin frame line does not count.
  const QRect t = target.toAlignedRect();
  const int near = static_cast<int>(t.width() * 0.015), far = static_cast<int>(t.width() * 0.07);
  const int along_x = t.width() / 10, along_y = t.height() / 10;
  const QColor left = MedianInBox(layer, QRect(QPoint(t.left() + near, t.top() + along_y), QPoint(t.left() + far, t.bottom() - along_y)));
  const QColor right = MedianInBox(layer, QRect(QPoint(t.right() - far, t.top() + along_y), QPoint(t.right() - near, t.bottom() - along_y)));
  const QColor top = MedianInBox(layer, QRect(QPoint(t.left() + along_x, t.top() + near), QPoint(t.right() - along_x, t.top() + far)));
  const QColor bottom = MedianInBox(layer, QRect(QPoint(t.left() + along_x, t.bottom() - far), QPoint(t.right() - along_x, t.bottom() - near)));
  // The paper behind the picture's rounded corners: the lightest edge, which
  // is the paper on every deck with pictures reaching to one edge.
  QColor base(Qt::white);
  int best = -1;
  for (const QColor& c : {left, right, top, bottom}) {
    if (c.alpha() != 0 && c.lightness() > best) {
      best = c.lightness();
      base = c;
    }
  }
  p.fillRect(room, base);
  if (target.left() > room.left() + 0.5) {
    p.fillRect(QRectF(room.left(), room.top(), target.left() - room.left() + 1, room.height()), left.alpha() ? left : base);
    p.fillRect(QRectF(target.right() - 1, room.top(), room.right() - target.right() + 1, room.height()),
               right.alpha() ? right : base);
  }
  if (target.top() > room.top() + 0.5) {
    p.fillRect(QRectF(room.left(), room.top(), room.width(), target.top() - room.top() + 1), top.alpha() ? top : base);
    p.fillRect(QRectF(room.left(), target.bottom() - 1, room.width(), room.bottom() - target.bottom() + 1),
               bottom.alpha() ? bottom : base);
  }
}

}  // namespace

bool SvgDeck::Load(const DeckSource& source, QString* error) {
  renderer_ = std::make_unique<QSvgRenderer>(source.file);
  if (!renderer_->isValid()) {
    if (error) *error = QStringLiteral("cannot read the deck %1 (%2)").arg(source.id, source.file);
    return false;
  }
  suit_first_ = renderer_->elementExists(QStringLiteral("heart_queen"));
  inset_ = source.inset;
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 1; rank <= 6; ++rank) {
      if (!Has(FaceId(suit, rank))) {
        if (error) *error = QStringLiteral("the deck %1 has no card %2").arg(source.id, FaceId(suit, rank));
        return false;
      }
    }
  }
  return true;
}

QRectF SvgDeck::VisibleBounds(const QString& id) const {
  // Some decks give a card bounds larger than what they draw (an invisible
  // shape below the card); the drawn part is what counts.
  auto cached = visible_bounds_.constFind(id);
  if (cached != visible_bounds_.constEnd()) return *cached;
  const QRectF bounds = renderer_->boundsOnElement(id);
  const int w = 240, h = std::max(1, static_cast<int>(std::lround(w * bounds.height() / bounds.width())));
  QImage probe(w, h, QImage::Format_ARGB32);
  probe.fill(Qt::transparent);
  {
    QPainter p(&probe);
    renderer_->render(&p, id, QRectF(0, 0, w, h));
  }
  int left = w, right = -1, top = h, bottom = -1;
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      if (qAlpha(line[x]) < 32) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  QRectF visible = bounds;
  if (right >= left && bottom >= top) {
    const double sx = bounds.width() / w, sy = bounds.height() / h;
    visible = QRectF(bounds.left() + left * sx, bounds.top() + top * sy, (right - left + 1) * sx, (bottom - top + 1) * sy);
  }
  visible_bounds_.insert(id, visible);
  return visible;
}

QString SvgDeck::FaceId(int suit_index, int rank_order) const {
  const QString suit = QLatin1String(kSuitWords[suit_index]);
  const QString rank = QLatin1String(kRankWords[rank_order]);
  return suit_first_ ? suit + QLatin1Char('_') + rank : rank + QLatin1Char('_') + suit;
}

bool SvgDeck::Has(const QString& id) const { return renderer_ && renderer_->elementExists(id); }

QImage SvgDeck::Render(const QString& id, QSize size, bool framed, Fit fit, const Variation& variation) const {
  CardCanvas canvas(size, framed);
  const QRectF bounds = VisibleBounds(id);
  const double inset = inset_ * bounds.width();
  const QRectF art = bounds.adjusted(inset, inset, -inset, -inset);
  const QRectF room = canvas.Interior();
  const double sx = room.width() / art.width(), sy = room.height() / art.height();
  const double scale = fit == Fit::kContain ? std::min(sx, sy) : std::max(sx, sy);
  const QSizeF drawn = art.size() * scale;
  const QRectF target(room.center() - QPointF(drawn.width() / 2, drawn.height() / 2), drawn);
  // The renderer maps the element's whole bounds onto the rectangle it is given.
  const QRectF full = renderer_->boundsOnElement(id);
  const QRectF whole(target.topLeft() + (full.topLeft() - art.topLeft()) * scale, full.size() * scale);

  QImage layer(canvas.Image().size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter p(&layer);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // Rounding the cut picture's corners drops what is left of the deck's own
    // rounded border there.
    QPainterPath clip;
    const double radius = target.width() * 0.06;
    clip.addRoundedRect(target, radius, radius);
    p.setClipPath(clip);
    p.setClipRect(room, Qt::IntersectClip);
    renderer_->render(&p, id, whole);
  }
  ApplyVariation(layer, variation);

  QPainter p(&canvas.Image());
  p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  p.setClipPath(canvas.Outline());
  FillPaper(p, layer, room, target.intersected(room));
  p.drawImage(0, 0, layer);
  p.end();
  return canvas.Finish();
}

QColor SvgDeck::InkColour(int suit_index) const {
  const QString id = FaceId(suit_index, 1);
  const QRectF bounds = VisibleBounds(id);
  const int w = 60, h = static_cast<int>(60 * bounds.height() / bounds.width());
  QImage nine(w, h, QImage::Format_ARGB32);
  nine.fill(Qt::transparent);
  {
    QPainter p(&nine);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF whole = renderer_->boundsOnElement(id);
    const double sx = w / bounds.width(), sy = h / bounds.height();
    renderer_->render(&p, id, QRectF((whole.left() - bounds.left()) * sx, (whole.top() - bounds.top()) * sy,
                                     whole.width() * sx, whole.height() * sy));
  }
  const QColor paper = MedianInBox(nine, QRect(w / 20, h / 3, w / 20 + 2, h / 3));
  std::vector<QRgb> ink;
  for (int y = h / 10; y < h - h / 10; ++y) {
    for (int x = w / 10; x < w - w / 10; ++x) {
      const QRgb px = nine.pixel(x, y);
      const int distance = std::abs(qRed(px) - paper.red()) + std::abs(qGreen(px) - paper.green()) +
                           std::abs(qBlue(px) - paper.blue());
      if (qAlpha(px) == 255 && distance > 200) ink.push_back(px);
    }
  }
  const QColor classic = suit_index < 2 ? QColor(204, 16, 24) : QColor(20, 20, 20);
  if (ink.empty()) return classic;
  // Sorted by lightness, the lower quarter is the pips' body colour; the
  // lighter pixels are their smoothed edges.
  std::sort(ink.begin(), ink.end(), [](QRgb a, QRgb b) { return qGray(a) < qGray(b); });
  const QColor body = QColor::fromRgb(ink[ink.size() / 4]);
  // Light pips on dark cards would vanish on the light panels the signs sit on.
  return body.lightness() > 140 ? classic : body;
}

void ApplyVariation(QImage& picture, const Variation& variation) {
  if (!variation.ivory && !variation.four_colour) return;
  const bool blue = variation.four_colour && variation.suit == 1;
  const bool green = variation.four_colour && variation.suit == 2;
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb px = line[x];
      const int a = qAlpha(px);
      if (a == 0) continue;
      // Work on straight colours; the layer is premultiplied.
      QColor c = QColor::fromRgb(qUnpremultiply(px));
      if (blue || green) {
        float h, s, v, alpha;
        c.getHsvF(&h, &s, &v, &alpha);
        if (blue && s > 0.35f && (h < 25.f / 360 || h > 330.f / 360)) {
          c.setHsvF(215.f / 360, s, v * 0.85f);
        } else if (green && s < 0.3f && v < 0.45f) {
          c.setHsvF(140.f / 360, 0.75f, std::max(v, 0.18f) * 1.4f);
        }
      }
      if (variation.ivory) {
        c.setRgb(c.red(), c.green() * 248 / 255, c.blue() * 226 / 255);
      }
      c.setAlpha(a);
      line[x] = qPremultiply(c.rgba());
    }
  }
}

}  // namespace varnok::builder
