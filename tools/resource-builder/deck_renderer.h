// Card faces and backs drawn from a free SVG deck (the KDE and Aisleriot
// decks in Debian). A deck's own border is cut off and the picture is fitted
// into the target size with one uniform scale; where the deck's proportions
// differ from the target, the paper at the edges is continued, so a narrow
// card is never squeezed and a wide one never stretched.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QSvgRenderer>
#include <memory>

#include "deck_table.h"

namespace varnok::builder {

enum class Fit {
  kContain,  // the whole picture shows, paper continues at two edges
  kCover,    // the picture fills the card, two edges are cut
};

struct Variation {
  bool ivory = false;        // warm ivory paper
  bool four_colour = false;  // blue diamonds, green clubs
  int suit = -1;             // suit index 0..3 of the card, -1 for a back
};

class SvgDeck {
 public:
  bool Load(const DeckSource& source, QString* error);

  // Element id of a card: suit index 0..3 (hearts, diamonds, clubs, spades),
  // rank order 1..6 (9, J, Q, K, 10, A).
  QString FaceId(int suit_index, int rank_order) const;
  bool Has(const QString& id) const;
  // The colour of a suit's pips (read from the nine), for the suit signs.
  QColor InkColour(int suit_index) const;
  QImage Render(const QString& id, QSize size, bool framed, Fit fit, const Variation& variation) const;

 private:
  // The part of an element's bounds that it draws on.
  QRectF VisibleBounds(const QString& id) const;

  std::unique_ptr<QSvgRenderer> renderer_;
  mutable QHash<QString, QRectF> visible_bounds_;
  bool suit_first_ = false;  // "heart_queen" (Aisleriot) rather than "queen_heart" (KDE)
  double inset_ = 0.015;
};

// Recolours a picture for a variation: ivory multiplies the paper, four
// colours turn the reds of diamonds blue and the blacks of clubs green.
void ApplyVariation(QImage& picture, const Variation& variation);

}  // namespace varnok::builder
