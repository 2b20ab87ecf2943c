// Fonts of the status pictures: the faces of the font settings at a given
// pixel height, and a font that gives way when a text would not fit its room.
#pragma once

#include <QFont>
#include <QString>

#include "fonts.h"

namespace varnok {

// The face of a font kind in force.
QString KindFace(i18n::FontKind kind);
// The faces of the large font ("decor") and the small font ("serif") in force.
QString LargeFace();
QString SmallFace();

// `face` with a pixel height of `height` (at least 1), bold or regular.
QFont FaceFont(const QString& face, int height, bool bold);

// FaceFont, made smaller (down to two thirds of `height`) while `text` is
// wider than `room` pixels.
QFont FitTextFont(const QString& face, int height, bool bold, const QString& text, int room);

// `font` made smaller (down to half its height) while the letters of `text`
// (their own outline, not the font's line) are taller than `room` pixels.
void ShrinkToLetterHeight(QFont& font, const QString& text, int room);

// The top of the text line (as CentreText takes it) nearest to `wanted` that
// keeps the letters of `text` in `font` between the rows `top` and `bottom`:
// a low-set script or a long descender moves up, an accent moves down.
int KeepLettersBetween(const QFont& font, const QString& text, int wanted, int top, int bottom);

// A font of points as the window's 96 dots per inch show it, by pixel height.
QFont PointFont(const QString& face, int points, bool bold);

}  // namespace varnok
