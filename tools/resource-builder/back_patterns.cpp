#include "back_patterns.h"

#include <QLinearGradient>
#include <QPainter>

#include <cmath>

#include "card_canvas.h"
#include "glyphs.h"

namespace varnok::builder {

namespace {

struct Panel {
  QRectF rect;   // the patterned area inside the margin
  double unit;   // one percent of the card width, supersampled
};

void Lattice(QPainter& p, const Panel& panel, const QColor& line, double step) {
  p.setPen(QPen(line, panel.unit * 0.6));
  const QRectF r = panel.rect;
  for (double d = -r.height(); d < r.width() + r.height(); d += step) {
    p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d - r.height(), r.bottom()));
    p.drawLine(QPointF(r.left() + d - r.height(), r.top()), QPointF(r.left() + d, r.bottom()));
  }
}

void Medallion(QPainter& p, const Panel& panel, const QColor& fill, const QColor& line) {
  const QPointF c = panel.rect.center();
  const QRectF oval(c.x() - panel.rect.width() * 0.3, c.y() - panel.rect.height() * 0.18, panel.rect.width() * 0.6,
                    panel.rect.height() * 0.36);
  p.setBrush(fill);
  p.setPen(QPen(line, panel.unit * 1.2));
  p.drawEllipse(oval);
  p.setPen(QPen(line, panel.unit * 0.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(oval.adjusted(panel.unit * 2.5, panel.unit * 2.5, -panel.unit * 2.5, -panel.unit * 2.5));
}

void Suits(QPainter& p, const Panel& panel, const QColor& sign) {
  const double cell = panel.rect.width() / 5.0;
  int row = 0;
  for (double y = panel.rect.top() - cell / 2; y < panel.rect.bottom() + cell; y += cell * 0.8, ++row) {
    int col = 0;
    for (double x = panel.rect.left() - ((row % 2) ? cell / 2 : 0); x < panel.rect.right() + cell; x += cell, ++col) {
      const QRectF box(x + cell * 0.22, y + cell * 0.22, cell * 0.56, cell * 0.56);
      p.fillPath(SuitPath((col + row * 2) % 4, box), sign);
    }
  }
}

void Checks(QPainter& p, const Panel& panel, const QColor& band, const QColor& thin) {
  const QRectF r = panel.rect;
  const double step = r.width() / 4.0;
  for (int pass = 0; pass < 2; ++pass) {
    for (double d = -step / 2; d < std::max(r.width(), r.height()) + step; d += step) {
      const bool vertical = pass == 0;
      const QRectF wide = vertical ? QRectF(r.left() + d, r.top(), step * 0.42, r.height())
                                   : QRectF(r.left(), r.top() + d, r.width(), step * 0.42);
      p.fillRect(wide, band);
      const QRectF line = vertical ? QRectF(r.left() + d + step * 0.68, r.top(), panel.unit * 0.8, r.height())
                                   : QRectF(r.left(), r.top() + d + step * 0.68, r.width(), panel.unit * 0.8);
      p.fillRect(line, thin);
    }
  }
}

void Harlequin(QPainter& p, const Panel& panel, const QColor& second, const QColor& seam) {
  // Rows of diamonds touching at their side tips; each row sits half a diamond
  // over from the last, so every diamond's edges meet the other colour.
  const QRectF r = panel.rect;
  const double w = r.width() / 3.0, h = w * 1.6;
  int row = 0;
  for (double y = r.top() - h; y < r.bottom() + h; y += h / 2, ++row) {
    for (double x = r.left() - w + ((row % 2) ? w / 2 : 0); x < r.right() + w; x += w) {
      QPolygonF diamond({QPointF(x + w / 2, y), QPointF(x + w, y + h / 2), QPointF(x + w / 2, y + h), QPointF(x, y + h / 2)});
      p.setBrush((row % 2) ? second : Qt::transparent);
      p.setPen(QPen(seam, panel.unit * 0.5));
      p.drawPolygon(diamond);
    }
  }
}

void Crosses(QPainter& p, const Panel& panel, const QColor& mark) {
  const double step = panel.rect.width() / 6.0;
  p.setPen(QPen(mark, panel.unit * 1.1, Qt::SolidLine, Qt::RoundCap));
  int row = 0;
  for (double y = panel.rect.top() + step / 2; y < panel.rect.bottom() + step; y += step, ++row) {
    for (double x = panel.rect.left() + ((row % 2) ? step : step / 2); x < panel.rect.right() + step; x += step) {
      const double a = step * 0.22;
      p.drawLine(QPointF(x - a, y), QPointF(x + a, y));
      p.drawLine(QPointF(x, y - a), QPointF(x, y + a));
    }
  }
}

void Rosette(QPainter& p, const Panel& panel, const QColor& line) {
  const double radius = panel.rect.width() / 6.0;
  const double dy = radius * std::sqrt(3.0) / 2.0;
  p.setPen(QPen(line, panel.unit * 0.6));
  p.setBrush(Qt::NoBrush);
  int row = 0;
  for (double y = panel.rect.top(); y < panel.rect.bottom() + radius; y += dy, ++row) {
    for (double x = panel.rect.left() - ((row % 2) ? radius / 2 : 0); x < panel.rect.right() + radius; x += radius) {
      p.drawEllipse(QPointF(x, y), radius, radius);
    }
  }
}

void Gloss(QPainter& p, const Panel& panel, const QColor& base) {
  QLinearGradient shade(panel.rect.topLeft(), panel.rect.bottomRight());
  shade.setColorAt(0, base.lighter(150));
  shade.setColorAt(0.55, base);
  shade.setColorAt(1, base.darker(170));
  p.fillRect(panel.rect, shade);
  QLinearGradient shine(panel.rect.topLeft(), QPointF(panel.rect.left(), panel.rect.center().y()));
  shine.setColorAt(0, QColor(255, 255, 255, 120));
  shine.setColorAt(1, QColor(255, 255, 255, 0));
  QPainterPath highlight;
  highlight.addEllipse(QRectF(panel.rect.left() - panel.rect.width() * 0.3, panel.rect.top() - panel.rect.height() * 0.35,
                              panel.rect.width() * 1.6, panel.rect.height() * 0.75));
  p.fillPath(highlight, shine);
  // The four suit signs around the centre.
  const QPointF c = panel.rect.center();
  const double s = panel.rect.width() * 0.17;
  const QPointF offsets[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
  for (int suit = 0; suit < 4; ++suit) {
    const QPointF at = c + offsets[suit] * s * 1.05;
    p.fillPath(SuitPath(suit, QRectF(at.x() - s / 2, at.y() - s / 2, s, s)), QColor(255, 255, 255, 210));
  }
}

bool Emblem(QPainter& p, const Panel& panel, char32_t character, const QColor& base, const QColor& gold) {
  Lattice(p, panel, base.darker(130), panel.rect.width() / 7.0);
  Medallion(p, panel, base.darker(135), gold);
  const QPointF c = panel.rect.center();
  const double w = panel.rect.width() * 0.44, h = panel.rect.height() * 0.26;
  const QPainterPath emblem = GlyphPath(kSymbola, character, QRectF(c.x() - w / 2, c.y() - h / 2, w, h));
  if (emblem.isEmpty()) return false;
  // Symbola draws many emblems as outlines; a stroke makes them read at 69 x 94.
  p.strokePath(emblem, QPen(gold, panel.unit * 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.fillPath(emblem, gold);
  const double corner = panel.rect.width() * 0.16;
  const QRectF r = panel.rect.adjusted(panel.unit * 3, panel.unit * 3, -panel.unit * 3, -panel.unit * 3);
  for (const QPointF& at : {r.topLeft(), QPointF(r.right() - corner, r.top()), QPointF(r.left(), r.bottom() - corner),
                            QPointF(r.right() - corner, r.bottom() - corner)}) {
    p.fillPath(GlyphPath(kSymbola, character, QRectF(at, QSizeF(corner, corner))), gold);
  }
  return true;
}

}  // namespace

bool RenderPatternBack(const QString& recipe, QSize size, bool framed, QImage& picture, QString* error) {
  const QStringList parts = recipe.split(QLatin1Char(':'));
  const QString pattern = parts.value(0);
  const QColor first(parts.value(1));
  const QColor second = parts.size() > 2 ? QColor(parts.value(2)) : first.lighter(135);
  if (parts.size() < 2 || !first.isValid() || !second.isValid()) {
    if (error) *error = QStringLiteral("bad back recipe \"%1\"").arg(recipe);
    return false;
  }
  CardCanvas canvas(size, framed);
  const double unit = canvas.Image().width() / 100.0;
  const QRectF paper = canvas.Interior();
  const double margin = unit * 7;
  Panel panel{paper.adjusted(margin, margin, -margin, -margin), unit};

  QPainter p(&canvas.Image());
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipPath(canvas.Outline());
  p.fillRect(paper, QColor(252, 251, 246));
  QPainterPath inside;
  inside.addRoundedRect(panel.rect, unit * 4, unit * 4);
  p.save();
  p.setClipPath(inside, Qt::IntersectClip);
  p.fillRect(panel.rect, first);
  bool ok = true;
  if (pattern == QLatin1String("lattice")) {
    Lattice(p, panel, QColor(255, 255, 255, 140), panel.rect.width() / 6.0);
    Medallion(p, panel, first, QColor(255, 255, 255, 220));
  } else if (pattern == QLatin1String("suits")) {
    Suits(p, panel, QColor(255, 255, 255, 90));
  } else if (pattern == QLatin1String("checks")) {
    Checks(p, panel, QColor(second.red(), second.green(), second.blue(), 120), QColor(255, 255, 255, 110));
  } else if (pattern == QLatin1String("harlequin")) {
    Harlequin(p, panel, second, QColor(214, 178, 90));
  } else if (pattern == QLatin1String("crosses")) {
    Crosses(p, panel, QColor(255, 255, 255, 150));
  } else if (pattern == QLatin1String("rosette")) {
    p.fillRect(panel.rect, second);
    Rosette(p, panel, first);
  } else if (pattern == QLatin1String("gloss")) {
    Gloss(p, panel, first);
  } else if (pattern.startsWith(QLatin1String("glyph-"))) {
    bool hex_ok = false;
    const uint code = pattern.mid(6).toUInt(&hex_ok, 16);
    ok = hex_ok && Emblem(p, panel, static_cast<char32_t>(code), first, second);
  } else {
    ok = false;
  }
  p.restore();
  if (!ok) {
    if (error) *error = QStringLiteral("unknown back pattern or emblem \"%1\"").arg(recipe);
    return false;
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(first.darker(140), unit * 0.9));
  p.drawPath(inside);
  p.setPen(QPen(first, unit * 0.5));
  p.drawRoundedRect(panel.rect.adjusted(-unit * 2, -unit * 2, unit * 2, unit * 2), unit * 5, unit * 5);
  p.end();
  picture = canvas.Finish();
  return true;
}

}  // namespace varnok::builder
