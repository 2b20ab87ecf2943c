// Placement numbers of the owner-drawn buttons: pictures and caps by height,
// glyph, caption, focus marks and their colours.
#include <gtest/gtest.h>

#include <ostream>

#include "button_geometry.h"

namespace varnok {
namespace {

TEST(ButtonGeometry, PicturesByHeightAndStyle) {
  EXPECT_EQ(FacePictureName(20, false, 'L'), "R29_L");
  EXPECT_EQ(FacePictureName(30, false, 'R'), "R29_R");
  EXPECT_EQ(FacePictureName(31, false, '2'), "R44_2");
  EXPECT_EQ(FacePictureName(45, true, 'L'), "Q44_L");
  EXPECT_EQ(FacePictureName(46, true, '2'), "Q59_2");
  EXPECT_EQ(FacePictureName(60, false, 'L'), "R59_L");
  EXPECT_EQ(FacePictureName(90, true, 'R'), "Q59_R");
}

TEST(ButtonGeometry, CapWidthScalesWithTheHeight) {
  EXPECT_EQ(CapWidth(30), 8);
  EXPECT_EQ(CapWidth(20), 5);   // 5.33 with the "29" pictures
  EXPECT_EQ(CapWidth(15), 4);
  EXPECT_EQ(CapWidth(31), 9);   // 13 x 31 / 45 = 8.96
  EXPECT_EQ(CapWidth(45), 13);
  EXPECT_EQ(CapWidth(40), 12);  // 11.56
  EXPECT_EQ(CapWidth(60), 17);
  EXPECT_EQ(CapWidth(90), 26);  // 25.5: halves to even
  EXPECT_EQ(CapWidth(150), 42); // 42.5
  EXPECT_EQ(CapWidth(100), 28);
}

TEST(ButtonGeometry, StandardHeights) {
  EXPECT_TRUE(IsStandardHeight(30));
  EXPECT_TRUE(IsStandardHeight(45));
  EXPECT_TRUE(IsStandardHeight(60));
  EXPECT_FALSE(IsStandardHeight(29));
  EXPECT_FALSE(IsStandardHeight(20));
  EXPECT_FALSE(IsStandardHeight(61));
}

TEST(ButtonGeometry, GlyphPlaces) {
  const QSize glyph(16, 16);
  EXPECT_EQ(GlyphPosition({100, 30}, glyph, TButtonLayout::GlyphLeft), QPoint(15, 6));
  EXPECT_EQ(GlyphPosition({100, 45}, glyph, TButtonLayout::GlyphLeft), QPoint(18, 14));
  EXPECT_EQ(GlyphPosition({100, 60}, glyph, TButtonLayout::GlyphLeft), QPoint(20, 21));
  // Other heights: 1.6 x cap.
  EXPECT_EQ(GlyphPosition({100, 20}, glyph, TButtonLayout::GlyphLeft), QPoint(8, 1));
  EXPECT_EQ(GlyphPosition({100, 40}, glyph, TButtonLayout::GlyphLeft), QPoint(19, 11));  // 19.2
  EXPECT_EQ(GlyphEdgeDistance(90), 42);  // 41.6
  // On the right the same distance from the face's right edge.
  EXPECT_EQ(GlyphPosition({100, 30}, glyph, TButtonLayout::GlyphRight), QPoint(68, 6));
  EXPECT_EQ(GlyphPosition({120, 60}, QSize(24, 20), TButtonLayout::GlyphRight), QPoint(75, 19));
  // Below (or above) the caption: centred on the face.
  EXPECT_EQ(GlyphPosition({100, 30}, glyph, TButtonLayout::GlyphBottom), QPoint(41, 6));
  EXPECT_EQ(GlyphPosition({101, 30}, glyph, TButtonLayout::GlyphTop), QPoint(42, 6));
}

TEST(ButtonGeometry, CaptionCentredOnTheFace) {
  const CaptionPlacement plain = PlaceCaption({100, 30}, 0, TButtonLayout::GlyphLeft, false, false, false);
  EXPECT_EQ(plain.rect, QRect(0, 0, 99, 29));
  EXPECT_EQ(plain.align, Qt::AlignHCenter | Qt::AlignVCenter);
  EXPECT_EQ(PlaceCaption({100, 30}, 16, TButtonLayout::GlyphLeft, false, true, false).rect, QRect(0, -1, 99, 29));
  EXPECT_EQ(PlaceCaption({100, 30}, 16, TButtonLayout::GlyphLeft, false, false, true).rect, QRect(1, 1, 99, 29));
  EXPECT_EQ(PlaceCaption({100, 30}, 16, TButtonLayout::GlyphLeft, false, true, true).rect, QRect(1, 0, 99, 29));
}

TEST(ButtonGeometry, CaptionAfterTheGlyphWithAMargin) {
  EXPECT_EQ(CaptionIndent(30, 16), 41);
  EXPECT_EQ(CaptionIndent(45, 16), 44);
  EXPECT_EQ(CaptionIndent(60, 16), 46);
  EXPECT_EQ(CaptionIndent(20, 16), 31);  // glyph + cap 5 + 10
  EXPECT_EQ(CaptionIndent(40, 0), 22);   // cap 12 + 10
  const CaptionPlacement left = PlaceCaption({100, 30}, 16, TButtonLayout::GlyphLeft, true, false, false);
  EXPECT_EQ(left.rect.left(), 41);
  EXPECT_EQ(left.rect.right(), 98);
  EXPECT_TRUE(left.align & Qt::AlignLeft);
  const CaptionPlacement pressed = PlaceCaption({100, 45}, 16, TButtonLayout::GlyphLeft, true, true, true);
  EXPECT_EQ(pressed.rect, QRect(QPoint(45, 0), QPoint(99, 43)));  // 44 in, up one, then down and right one
  const CaptionPlacement right = PlaceCaption({100, 60}, 16, TButtonLayout::GlyphRight, true, false, false);
  EXPECT_EQ(right.rect.left(), 0);
  EXPECT_EQ(right.rect.right(), 98 - 46);
  EXPECT_TRUE(right.align & Qt::AlignRight);
  // Glyph above or below: the margin does not move the caption.
  EXPECT_EQ(PlaceCaption({100, 30}, 16, TButtonLayout::GlyphBottom, true, false, false).rect, QRect(0, 0, 99, 29));
}

TEST(ButtonGeometry, OldStyleFocusFrame) {
  FocusFrame f = FocusFrameFor({100, 30});
  EXPECT_EQ(f.rect, QRect(QPoint(7, 4), QPoint(91, 24)));
  EXPECT_EQ(f.corner, 7);
  f = FocusFrameFor({100, 45});
  EXPECT_EQ(f.rect, QRect(QPoint(9, 5), QPoint(89, 38)));
  EXPECT_EQ(f.corner, 9);
  f = FocusFrameFor({120, 60});
  EXPECT_EQ(f.rect, QRect(QPoint(11, 6), QPoint(107, 52)));
  EXPECT_EQ(f.corner, 11);
  // Other heights: (0.8 x cap, r) with corner 2r.
  f = FocusFrameFor({100, 20});  // cap 5, r 3
  EXPECT_EQ(f.rect, QRect(QPoint(4, 3), QPoint(94, 15)));
  EXPECT_EQ(f.corner, 6);
  f = FocusFrameFor({100, 25});  // cap 7 -> 5.6, r 4
  EXPECT_EQ(f.rect, QRect(QPoint(6, 4), QPoint(92, 19)));
  EXPECT_EQ(f.corner, 8);
  f = FocusFrameFor({100, 40});  // cap 12 -> 9.6, r 5
  EXPECT_EQ(f.rect, QRect(QPoint(10, 5), QPoint(88, 33)));
  EXPECT_EQ(f.corner, 10);
  f = FocusFrameFor({100, 55});  // cap 16 -> 12.8, r 5
  EXPECT_EQ(f.rect, QRect(QPoint(13, 5), QPoint(85, 48)));
  f = FocusFrameFor({100, 70});  // cap 20 -> 16, r 6
  EXPECT_EQ(f.rect, QRect(QPoint(16, 6), QPoint(82, 62)));
  EXPECT_EQ(f.corner, 12);
}

TEST(ButtonGeometry, NewStyleFocusDots) {
  auto dots = FocusDots({100, 30});
  EXPECT_EQ(dots[0], QRect(10, 12, 4, 4));
  EXPECT_EQ(dots[1], QRect(85, 12, 4, 4));
  dots = FocusDots({100, 45});
  EXPECT_EQ(dots[0], QRect(13, 19, 5, 5));
  EXPECT_EQ(dots[1], QRect(81, 19, 5, 5));
  dots = FocusDots({100, 60});
  EXPECT_EQ(dots[0], QRect(15, 26, 6, 6));
  EXPECT_EQ(dots[1], QRect(78, 26, 6, 6));
  dots = FocusDots({100, 20});  // d 3, inset cap 5
  EXPECT_EQ(dots[0], QRect(5, 8, 3, 3));
  EXPECT_EQ(dots[1], QRect(91, 8, 3, 3));
  dots = FocusDots({100, 40});  // d 5, cap 12
  EXPECT_EQ(dots[0], QRect(12, 17, 5, 5));
  dots = FocusDots({100, 50});  // d 6, cap 14
  EXPECT_EQ(dots[0], QRect(14, 21, 6, 6));
  dots = FocusDots({100, 70});  // d 7, cap 20
  EXPECT_EQ(dots[0], QRect(20, 31, 7, 7));
  EXPECT_EQ(dots[1], QRect(72, 31, 7, 7));
}

TEST(ButtonGeometry, FocusColoursByScheme) {
  using S = TColorSB;
  const struct {
    S scheme;
    Rgb old_style;
    Rgb new_style;
  } cases[] = {
      {S::DRed, {255, 200, 200}, {255, 255, 0}},     {S::DGreen, {200, 200, 255}, {0, 0, 255}},
      {S::DBlue, {200, 255, 200}, {0, 0, 255}},      {S::DNavy, {200, 255, 200}, {0, 128, 0}},
      {S::DYellow, {255, 200, 200}, {255, 0, 0}},    {S::DViolet, {255, 255, 200}, {255, 255, 255}},
      {S::DOrang, {255, 128, 64}, {255, 255, 255}},  {S::DCards, {200, 175, 50}, {220, 180, 255}},
  };
  for (const auto& one : cases) {
    SCOPED_TRACE(static_cast<int>(one.scheme));
    EXPECT_TRUE(FocusColour(one.scheme, false) == one.old_style);
    EXPECT_TRUE(FocusColour(one.scheme, true) == one.new_style);
  }
}

}  // namespace
}  // namespace varnok
