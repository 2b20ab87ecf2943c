// Where the parts of an owner-drawn button go: the face pictures and cap
// width for a height, the glyph, the caption rectangle and the focus mark.
//
// The face is drawn in the button's rectangle less its last column and last
// row (width - 1 by height - 1), which leaves room for the one-pixel shift of
// a pressed button. Insets below are measured from the edges of that face, so
// every mark sits symmetrically on it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

#include "button_colours.h"

namespace varnok {

// Where a button's glyph sits beside its caption.
enum class TButtonLayout : int { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

// The heights with their own drawing rules: 30, 45 and 60.
bool IsStandardHeight(int height);

// The picture of one face part: part 'L' (left cap), 'R' (right cap) or '2'
// (middle), e.g. "R29_L" for an old-style button up to 30 high, "Q59_2" for a
// new-style one above 45.
QString FacePictureName(int height, bool nata, char part);

// Width of each cap: the design width (8, 13, 17 at 30, 45, 60) scaled to the
// height, rounded halves to even.
int CapWidth(int height);

// Distance of a left glyph from the left edge (of a right glyph from the
// right edge).
int GlyphEdgeDistance(int height);

// Top left corner of a glyph of the given size.
QPoint GlyphPosition(QSize button, QSize glyph, TButtonLayout layout);

// How far a caption with a margin set moves away from the glyph's edge.
int CaptionIndent(int height, int glyph_width);

struct CaptionPlacement {
  QRect rect;
  Qt::Alignment align;
};

// The rectangle and alignment of the caption. Without a margin the caption is
// centred on the face; with one it is aligned after a left glyph (before a
// right one). One pixel higher with the new style, moved with a pressed face.
CaptionPlacement PlaceCaption(QSize button, int glyph_width, TButtonLayout layout, bool margin_set,
                              bool nata, bool pressed);

// The old-style focus mark: a rounded outline through the pixels of `rect`
// (both edges inclusive) with corners of diameter `corner`.
struct FocusFrame {
  QRect rect;
  int corner = 0;
};
FocusFrame FocusFrameFor(QSize button);

// The new-style focus mark: two filled dots, left and right.
std::array<QRect, 2> FocusDots(QSize button);

// Colour of the focus mark by scheme and style.
Rgb FocusColour(TColorSB scheme, bool nata);

}  // namespace varnok
