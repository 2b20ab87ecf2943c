// Outlines of single characters from the fonts the builder draws with: the
// card suit signs come from DejaVu Sans, the emblems of some backs from
// Symbola. The font files are read directly, so no font lookup of the
// machine can change a picture.
#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace varnok::builder {

inline constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kSymbola = "/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf";

// The outline of a character, scaled uniformly and centred to fill the box;
// empty when the font file cannot be read or lacks the character.
QPainterPath GlyphPath(const char* font_file, char32_t character, const QRectF& box);

// The outline of a suit sign (suit index 0..3: hearts, diamonds, clubs, spades).
QPainterPath SuitPath(int suit_index, const QRectF& box);

}  // namespace varnok::builder
