#include "hand_layout.h"

#include <algorithm>

#include "layout.h"

namespace varnok {

int HandGap(QSize card) { return std::max(1, RoundHalfEven(card.width() / 14.0)); }

int HandRaiseOffset(QSize card) { return std::max(1, RoundHalfEven(card.height() / 6.0)); }

QRect HandCardRect(int count, int slot, QSize layer, QSize card, bool raised) {
  if (count < 1 || slot < 1 || slot > count || card.isEmpty()) return {};
  const int w = card.width();
  const int gap = HandGap(card);
  const int natural = count * w + (count - 1) * gap;
  int left = 0;
  if (natural <= layer.width() || count == 1) {
    // Side by side, centred.
    left = (layer.width() - natural) / 2 + (slot - 1) * (w + gap);
  } else {
    // Overlapping evenly from the left edge to the right edge.
    const double step = static_cast<double>(layer.width() - w) / (count - 1);
    left = RoundHalfEven((slot - 1) * step);
  }
  const int top = raised ? -HandRaiseOffset(card) : 0;
  return QRect(left, top, w, card.height());
}

int HandSlotAt(int count, QPoint p, QSize layer, QSize card, RaisedCards raised) {
  const QRect bounds(QPoint(0, 0), layer);
  if (!bounds.contains(p)) return 0;
  for (int slot = count; slot >= 1; --slot) {
    if (HandCardRect(count, slot, layer, card, raised.Has(slot)).contains(p)) return slot;
  }
  return 0;
}

}  // namespace varnok
