// Where the cards of a hand lie inside its hand layer. The same rectangles
// are used to draw a hand and to find the card under the mouse.
//
// A hand of n cards (sorted, slots 1..n) is spread left to right. When the
// cards fit side by side they keep a small gap (a fourteenth of the card
// width, at least one pixel) and the row is centred in the layer; when they
// do not fit they overlap evenly so that the first card starts at the left
// edge and the last one ends at the right edge. A later slot lies over an
// earlier one, so the visible part of a card is its left strip, and the last
// card shows whole.
//
// A raised card (a gift the declarer has chosen) keeps its x and is lifted by
// HandRaiseOffset: its rectangle starts above the layer, which is card-height
// tall, so the top of the card is cut by the layer's upper edge and a strip of
// table shows below it. Painters draw a raised card with a light frame as
// well, so that the choice is plain even where little of the lift is seen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace varnok {

// Up to two raised slots of seat 3's hand (0 = none).
struct RaisedCards {
  int first = 0;
  int second = 0;
  bool Has(int slot) const { return slot != 0 && (slot == first || slot == second); }
};

// The gap between two cards that fit side by side.
int HandGap(QSize card);

// How far a raised card is lifted: a sixth of the card height, at least one pixel.
int HandRaiseOffset(QSize card);

// The rectangle of hand slot `slot` (1..count) of a hand of `count` cards in
// a layer of size `layer`; an empty rectangle for a slot outside 1..count or
// an empty hand.
QRect HandCardRect(int count, int slot, QSize layer, QSize card, bool raised = false);

// The slot 1..count whose visible part holds `p` (layer coordinates); 0 when
// the point is beside the cards or outside the layer. The topmost card wins.
int HandSlotAt(int count, QPoint p, QSize layer, QSize card, RaisedCards raised = {});

}  // namespace varnok
