// Colour schemes of the owner-drawn buttons: the per-pixel recolouring of the
// red face pictures into the eight schemes, the lightening toward white, and
// the gradient lines of the old-style middle at the three standard heights.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace varnok {

// The colour scheme of a button (0 to 7).
enum class TColorSB : int { DRed, DGreen, DBlue, DNavy, DYellow, DViolet, DOrang, DCards };
inline constexpr int kColorSBCount = 8;

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// num / den rounded to the nearest integer, halves to the even neighbour
// (num >= 0, den > 0).
int DivRoundEven(int num, int den);

// A new-style picture's pixel takes part in the recolouring when it lies
// closer than 180 to pure red (255, 0, 0).
bool NearRed(Rgb c);

// The scheme's channel transform alone (no lightening). With the new style
// `DCards` only changes near-red pixels; the other schemes change every pixel.
Rgb SchemeColour(Rgb c, TColorSB scheme, bool nata);

// Every channel moved k percent of the way to white (k = `KLightSB`).
Rgb Lighten(Rgb c, int k);

// The whole transform of one colour: the scheme, then the lightening by k.
// With the new style (`nata`) only pixels near red in the original picture are
// lightened. `DRed` with k = 0 leaves every colour as it is.
Rgb Recolour(Rgb c, TColorSB scheme, int k, bool nata);

// A picture recoloured pixel by pixel (alpha kept); an unchanged copy when
// the scheme is `DRed` and k is 0. The result is ARGB32 (not premultiplied).
QImage Recolour(const QImage& picture, TColorSB scheme, int k, bool nata);

// Whether a picture is an RGB or RGBA picture (not paletted or grey).
bool IsRgbPicture(const QImage& picture);

// A picture resampled bilinearly to `size` (colours weighted by their alpha);
// the result is ARGB32 premultiplied. Throws std::invalid_argument ("Only
// COLOR_RGBALPHA and COLOR_RGB formats are supported") for any other picture.
QImage ResampleBilinear(const QImage& picture, QSize size);

// The colours of the old-style middle, one per line from the top, at button
// heights 30, 45 and 60 (29, 44 and 59 lines); empty at any other height.
const std::vector<Rgb>& GradientLines(int height);

}  // namespace varnok
