// Card backs drawn from a short recipe, "PATTERN:COLOUR[:COLOUR]":
//   lattice   diagonal trellis with an oval medallion
//   suits     rows of the four suit signs
//   checks    a tartan of crossing bands
//   harlequin diamonds in two colours with gold seams
//   crosses   small crosses in a grid
//   rosette   overlapping circles (the flower pattern of old backs)
//   gloss     a glossy gradient with a suit-sign emblem
//   glyph-HEX an emblem (a Symbola character, code point HEX) on a trellis
// Every back has a white margin and a double frame line, like a printed card.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace varnok::builder {

// False (and *error set) for an unknown pattern, colour or emblem.
bool RenderPatternBack(const QString& recipe, QSize size, bool framed, QImage& picture, QString* error);

}  // namespace varnok::builder
