// The layout arithmetic of the table: the table is designed at 760 x 500
// client pixels and shown in one of five window modes. Every drawing routine
// gives positions in design pixels and converts them with ScaleLen, ScaleX and
// ScaleY. This header is free of widgets: it only computes numbers and
// rectangles.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

#include "names.h"  // the card sets and the width class of a face design

namespace varnok {

// The design size of the table's client area.
inline constexpr int kDesignW = 760;
inline constexpr int kDesignH = 500;

// The five window modes, kept by the settings as 1..5 in this order.
inline constexpr int kSmallWindow = 1;     // 760 x 500
inline constexpr int kFullScreen = 2;      // the window's client area
inline constexpr int kAverageWindow1 = 3;  // 990 x 650
inline constexpr int kAverageWindow2 = 4;  // 1290 x 850
inline constexpr int kLargeWindow = 5;     // 1520 x 1000

// Rounds to the nearest integer, halves to the even neighbour. A value within
// 1e-9 of a half counts as the half, so that decimal factors such as 1.3 give
// the decimal result (5 * 1.3 = 6.5 -> 6) whatever the binary error of the
// product.
int RoundHalfEven(double value);

// The layout state: three reals and two integers.
struct LayoutState {
  double ScaleXFactor = 1.0;  // horizontal
  double ScaleYFactor = 1.0;  // vertical
  double ScaleK = 1.0;        // uniform, for sizes
  int WindowW = kDesignW;     // client width in pixels
  int WindowH = kDesignH;     // client height in pixels
  int WindowMode = kSmallWindow;
};

// True for the modes 1..5.
bool IsWindowMode(int mode);

// The layout of a window mode. `fullScreenClient` is the client area the
// window fills in mode 2 (ignored by the other modes); the factors of mode 2
// are W / 760 and H / 500 and ScaleK is the smaller of the two. A mode out of
// 1..5 gives mode 1. In mode 2 an empty client area (width or height below 1)
// is taken as the design size. A client area smaller than the design size is
// scaled down by the same formulas.
LayoutState LayoutForMode(int mode, QSize fullScreenClient = QSize());

// The client size of a mode: fixed for modes 1, 3, 4 and 5, the given area in
// mode 2 (as LayoutForMode).
QSize ClientSizeOfMode(int mode, QSize fullScreenClient = QSize());

// The hint shown on the options list for a mode ("990 x 650"); empty for mode
// 2 and for a mode out of range.
QString WindowModeHint(int mode);

// The row of the mode's item in the main word table (44, 48, 45, 46, 47 for
// modes 1..5); 0 for a mode out of range.
int WindowModeWordsRow(int mode);

// ScaleLen(n) = round(n * ScaleK): a length.
int ScaleLen(const LayoutState& s, int n);
// ScaleX(x, w) = round(x * ScaleXFactor) + round((ScaleXFactor - ScaleK) * w / 2):
// the left edge of a box designed at x with width w. The box keeps its design
// centre in the horizontal scale while its width follows the uniform scale.
int ScaleX(const LayoutState& s, int x, int w);
// ScaleY(y, h): the same vertically, with ScaleYFactor.
int ScaleY(const LayoutState& s, int y, int h);

// The card size and the picture set it is drawn from:
//   ScaleK < 1.3:         71 x 96, set 1 (normal pictures)
//   1.3 <= ScaleK < 2:    ScaleLen(71) x ScaleLen(96) full width,
//                         ScaleLen(61) x ScaleLen(96) narrow, set 0 (stretched)
//   ScaleK >= 2:          146 x 198 full width, 126 x 198 narrow, set 2 (large)
struct CardSize {
  int CardW = 71;
  int CardH = 96;
  int CardSet = 1;
  friend bool operator==(const CardSize&, const CardSize&) = default;
};
// The card picture inside the 71 x 96 frame of the normal set.
inline constexpr QSize kCardPicture{69, 94};

CardSize CardSizeFor(const LayoutState& s, bool fullWidth);

// The margin of a deal, in design pixels: 0 in mode 1 or with a full-width
// design, else 5.
int DealMargin(int mode, bool fullWidth);

// The layers of the table that are placed from design values.
enum class Layer : int {
  ImageCards1,
  ImageCards2,
  ImageCards3,
  ImageCards4,
  ImageTab1,
  ImageTab2,
  ImageTab3,
  ImageTab4,
  ImageSay1,
  ImageSay2,
  ImageSay3,
  ImageSay4,
  ImageStol,
  ImageKon,
  ImageMemo,
  ImageKoloda,
  ImageHelp,
};
inline constexpr int kLayerCount = 17;

// Every placed layer, in the order of the enum.
const std::array<Layer, kLayerCount>& AllLayers();

// The control name of a layer ("ImageStol").
QString LayerName(Layer layer);

// True for the hands ImageCards1..4.
bool IsHandLayer(Layer layer);

// The design rectangle of a layer (pixels of the 760 x 500 table). The unused
// layers (ImageCards4, ImageTab4, ImageSay4, ImageKoloda, ImageHelp) are
// designed at 0, 0 with no size.
QRect LayerDesign(Layer layer);

// Where a layer goes: left = ScaleX(x, w), top = ScaleY(y, h), width
// ScaleLen(w), height ScaleLen(h); a hand's height is `cardH` instead. A layer
// designed with no size stays at (0, 0) with no size.
QRect PlaceLayer(const LayoutState& s, Layer layer, int cardH);

// Every layer placed, indexed by the enum's value.
std::array<QRect, kLayerCount> PlaceLayers(const LayoutState& s, int cardH);

// Card places on ImageStol, inside the layer. The design x plus the deal's
// margin is converted with ScaleLen, as is the design y; the rectangle is card
// sized.
//   trick card of seat 1 (0, 0), seat 2 (148, 0), seat 3 (74, 100)
//   widow cards 1..3 at (0, 50), (74, 50), (148, 50)
// A seat or widow index out of 1..3 gives an empty rectangle.
QPoint TrickCardDesign(int seat);
QPoint WidowCardDesign(int index);
QRect TrickCardPlace(const LayoutState& s, const CardSize& card, int margin, int seat);
QRect WidowCardPlace(const LayoutState& s, const CardSize& card, int margin, int index);

}  // namespace varnok
