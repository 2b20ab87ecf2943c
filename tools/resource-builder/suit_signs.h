// The suit signs of the round panel: 20 x 20 and 40 x 40 pictures of one
// suit symbol. Where the picture is empty its colour is silver (192, 192, 192)
// with zero alpha, so it is transparent both to a painter that honours alpha
// and to one that keys out silver.
#pragma once

#include <QColor>
#include <QImage>

namespace varnok::builder {

inline constexpr QRgb kSilverKey = 0x00C0C0C0;

// A sign of the given colour (the deck's pip colour of that suit).
QImage RenderSuitSign(int suit_index, int size, const QColor& colour);

}  // namespace varnok::builder
