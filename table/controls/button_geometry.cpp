#include "button_geometry.h"

#include <algorithm>

namespace varnok {

namespace {

// The face picture set of a height: its design width and design height.
struct CapDesign {
  int picture_height;
  int width;
  int height;
};

CapDesign DesignFor(int height) {
  if (height <= 30) return {29, 8, 30};
  if (height <= 45) return {44, 13, 45};
  return {59, 17, 60};
}

// Radius class of the focus mark by height: 0 up to 20, 1 up to 30, 2 up to
// 45, 3 up to 60, 4 above.
int HeightClass(int height) {
  if (height <= 20) return 0;
  if (height <= 30) return 1;
  if (height <= 45) return 2;
  if (height <= 60) return 3;
  return 4;
}

// By standard height 30, 45, 60.
int ByStandard(int height, int at30, int at45, int at60) {
  return height == 30 ? at30 : height == 45 ? at45 : at60;
}

}  // namespace

bool IsStandardHeight(int height) { return height == 30 || height == 45 || height == 60; }

QString FacePictureName(int height, bool nata, char part) {
  return QStringLiteral("%1%2_%3")
      .arg(QLatin1Char(nata ? 'Q' : 'R'))
      .arg(DesignFor(height).picture_height)
      .arg(QLatin1Char(part));
}

int CapWidth(int height) {
  const CapDesign design = DesignFor(height);
  return DivRoundEven(design.width * std::max(height, 0), design.height);
}

int GlyphEdgeDistance(int height) {
  if (!IsStandardHeight(height)) return DivRoundEven(16 * CapWidth(height), 10);
  return ByStandard(height, 15, 18, 20);
}

QPoint GlyphPosition(QSize button, QSize glyph, TButtonLayout layout) {
  const int face_width = button.width() - 1;
  const int y = (button.height() - glyph.height() - 1) / 2;
  const int distance = GlyphEdgeDistance(button.height());
  switch (layout) {
    case TButtonLayout::GlyphLeft:
      return {distance, y};
    case TButtonLayout::GlyphRight:
      return {face_width - distance - glyph.width(), y};
    case TButtonLayout::GlyphTop:
    case TButtonLayout::GlyphBottom:
      break;
  }
  return {(face_width - glyph.width()) / 2, y};
}

int CaptionIndent(int height, int glyph_width) {
  if (!IsStandardHeight(height)) return glyph_width + CapWidth(height) + 10;
  return glyph_width + ByStandard(height, 25, 28, 30);
}

CaptionPlacement PlaceCaption(QSize button, int glyph_width, TButtonLayout layout, bool margin_set,
                              bool nata, bool pressed) {
  QRect rect(0, 0, button.width() - 1, button.height() - 1);
  Qt::Alignment align = Qt::AlignHCenter | Qt::AlignVCenter;
  if (margin_set && layout == TButtonLayout::GlyphLeft) {
    rect.setLeft(rect.left() + CaptionIndent(button.height(), glyph_width));
    align = Qt::AlignLeft | Qt::AlignVCenter;
  } else if (margin_set && layout == TButtonLayout::GlyphRight) {
    rect.setRight(rect.right() - CaptionIndent(button.height(), glyph_width));
    align = Qt::AlignRight | Qt::AlignVCenter;
  }
  if (nata) rect.translate(0, -1);
  if (pressed) rect.translate(1, 1);
  return {rect, align};
}

FocusFrame FocusFrameFor(QSize button) {
  const int height = button.height();
  int inset_x = 0;
  int inset_y = 0;
  int corner = 0;
  if (IsStandardHeight(height)) {
    inset_x = ByStandard(height, 7, 9, 11);
    inset_y = ByStandard(height, 4, 5, 6);
    corner = ByStandard(height, 7, 9, 11);
  } else {
    static constexpr int kRadius[] = {3, 4, 5, 5, 6};
    inset_x = DivRoundEven(8 * CapWidth(height), 10);
    inset_y = kRadius[HeightClass(height)];
    corner = 2 * inset_y;
  }
  const int right = button.width() - 2 - inset_x;
  const int bottom = height - 2 - inset_y;
  return {QRect(QPoint(inset_x, inset_y), QPoint(right, bottom)), corner};
}

std::array<QRect, 2> FocusDots(QSize button) {
  static constexpr int kDiameter[] = {3, 4, 5, 6, 7};
  const int height = button.height();
  const int d = kDiameter[HeightClass(height)];
  const int inset = IsStandardHeight(height) ? ByStandard(height, 10, 13, 15) : CapWidth(height);
  const int y = (height - 1 - d) / 2;
  const int face_width = button.width() - 1;
  return {QRect(inset, y, d, d), QRect(face_width - inset - d, y, d, d)};
}

Rgb FocusColour(TColorSB scheme, bool nata) {
  if (!nata) {
    switch (scheme) {
      case TColorSB::DRed:
      case TColorSB::DYellow:
        return {255, 200, 200};
      case TColorSB::DGreen:
        return {200, 200, 255};
      case TColorSB::DBlue:
      case TColorSB::DNavy:
        return {200, 255, 200};
      case TColorSB::DViolet:
        return {255, 255, 200};
      case TColorSB::DOrang:
        return {255, 128, 64};
      case TColorSB::DCards:
        return {200, 175, 50};
    }
    return {255, 200, 200};
  }
  // The window system's named colours: yellow, red, blue, green (dark) and white.
  switch (scheme) {
    case TColorSB::DRed:
      return {255, 255, 0};
    case TColorSB::DYellow:
      return {255, 0, 0};
    case TColorSB::DGreen:
    case TColorSB::DBlue:
      return {0, 0, 255};
    case TColorSB::DNavy:
      return {0, 128, 0};
    case TColorSB::DViolet:
    case TColorSB::DOrang:
      return {255, 255, 255};
    case TColorSB::DCards:
      return {220, 180, 255};
  }
  return {255, 255, 0};
}

}  // namespace varnok
