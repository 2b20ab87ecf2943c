// The colour inversion inside an ellipse that every library face goes
// through after loading (LoadFaces, step 6). The library stores its faces
// already inverted there, so that this step gives back the real picture; the
// resource builder and the program call the same function, and since the
// inversion is its own inverse the round trip is exact to the pixel.
#pragma once

#include <QRect>

class QImage;

namespace varnok {

// The ellipse's bounding box for a card picture set and width class, as
// left, top, right, bottom: (10, 10)-(84, 59) for set 1; (10, 10)-(188, 136)
// for the large pictures of a full-width design, (10, 10)-(188, 116) for a
// narrow one. It may reach past the picture; only the part inside counts.
QRect FaceEllipseBox(int card_set, bool full_width);

// Whether pixel (x, y) lies inside the ellipse of the box: its centre is
// inside or on the ellipse inscribed in [left, right] x [top, bottom].
bool InFaceEllipse(const QRect& box, int x, int y);

// Replaces the red, green and blue of every pixel inside the ellipse by their
// bitwise complement; alpha is kept. The picture is converted to 32 bits
// (ARGB32, or RGB32 when it has no alpha) first.
void InvertFaceEllipse(QImage& picture, int card_set, bool full_width);

}  // namespace varnok
