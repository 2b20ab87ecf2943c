// The colour inversion inside the face ellipse.
#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include "face_ellipse.h"
#include "names.h"

namespace varnok {
namespace {

QImage Noise(int w, int h, QImage::Format format, quint32 seed) {
  QImage image(w, h, QImage::Format_ARGB32);
  QRandomGenerator random(seed);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.setPixel(x, y, random.generate());
  }
  return image.convertToFormat(format);
}

TEST(FaceEllipse, Boxes) {
  EXPECT_EQ(FaceEllipseBox(kCardSetNormal, true), QRect(QPoint(10, 10), QPoint(84, 59)));
  EXPECT_EQ(FaceEllipseBox(kCardSetNormal, false), QRect(QPoint(10, 10), QPoint(84, 59)));
  EXPECT_EQ(FaceEllipseBox(kCardSetLarge, true), QRect(QPoint(10, 10), QPoint(188, 136)));
  EXPECT_EQ(FaceEllipseBox(kCardSetStretched, true), QRect(QPoint(10, 10), QPoint(188, 136)));
  EXPECT_EQ(FaceEllipseBox(kCardSetLarge, false), QRect(QPoint(10, 10), QPoint(188, 116)));
}

TEST(FaceEllipse, WhichPixelsAreInside) {
  const QRect normal = FaceEllipseBox(kCardSetNormal, true);  // centre (47, 34.5), radii 37 and 24.5
  EXPECT_TRUE(InFaceEllipse(normal, 47, 34));
  EXPECT_TRUE(InFaceEllipse(normal, 68, 34));   // the picture's right edge is inside the ellipse
  EXPECT_TRUE(InFaceEllipse(normal, 10, 34));
  EXPECT_FALSE(InFaceEllipse(normal, 9, 34));
  EXPECT_FALSE(InFaceEllipse(normal, 5, 34));
  EXPECT_FALSE(InFaceEllipse(normal, 47, 9));
  EXPECT_TRUE(InFaceEllipse(normal, 47, 10));
  EXPECT_FALSE(InFaceEllipse(normal, 47, 60));
  EXPECT_FALSE(InFaceEllipse(normal, 12, 12));  // the box's corner is outside the ellipse
  EXPECT_FALSE(InFaceEllipse(QRect(QPoint(10, 10), QPoint(10, 40)), 10, 20));  // no width
}

TEST(FaceEllipse, InvertsInsideOnlyAndKeepsAlpha) {
  QImage picture(69, 94, QImage::Format_ARGB32);
  picture.fill(qRgba(10, 200, 30, 128));
  InvertFaceEllipse(picture, kCardSetNormal, true);
  EXPECT_EQ(picture.pixel(47, 34), qRgba(245, 55, 225, 128));
  EXPECT_EQ(picture.pixel(68, 34), qRgba(245, 55, 225, 128));
  EXPECT_EQ(picture.pixel(5, 34), qRgba(10, 200, 30, 128));
  EXPECT_EQ(picture.pixel(47, 80), qRgba(10, 200, 30, 128));
  EXPECT_EQ(picture.pixel(0, 0), qRgba(10, 200, 30, 128));
}

TEST(FaceEllipse, NarrowAndFullWidthLargeEllipsesDiffer) {
  // Row 125 lies inside the full-width ellipse (bottom 136) but below the narrow one (bottom 116).
  QImage wide(146, 198, QImage::Format_RGB32), narrow(126, 198, QImage::Format_RGB32);
  wide.fill(Qt::white);
  narrow.fill(Qt::white);
  InvertFaceEllipse(wide, kCardSetLarge, true);
  InvertFaceEllipse(narrow, kCardSetLarge, false);
  EXPECT_EQ(wide.pixel(99, 125), qRgb(0, 0, 0));
  EXPECT_EQ(narrow.pixel(99, 125), qRgb(255, 255, 255));
  EXPECT_EQ(narrow.pixel(99, 100), qRgb(0, 0, 0));
  EXPECT_EQ(wide.pixel(99, 190), qRgb(255, 255, 255));
}

TEST(FaceEllipse, TwiceGivesThePictureBack) {
  for (const auto& [set, full, w] : {std::tuple{kCardSetNormal, true, 69}, std::tuple{kCardSetLarge, true, 146},
                                     std::tuple{kCardSetLarge, false, 126}}) {
    const QImage original = Noise(w, set == kCardSetNormal ? 94 : 198, QImage::Format_ARGB32, static_cast<quint32>(w));
    QImage picture = original;
    InvertFaceEllipse(picture, set, full);
    EXPECT_NE(picture, original);
    InvertFaceEllipse(picture, set, full);
    EXPECT_EQ(picture, original) << w;
  }
}

TEST(FaceEllipse, OtherFormatsAreConverted) {
  QImage picture(69, 94, QImage::Format_RGB888);
  picture.fill(QColor(255, 255, 255));
  InvertFaceEllipse(picture, kCardSetNormal, true);
  EXPECT_EQ(picture.format(), QImage::Format_RGB32);
  EXPECT_EQ(picture.pixel(47, 34), qRgb(0, 0, 0));
  QImage empty;
  InvertFaceEllipse(empty, kCardSetNormal, true);
  EXPECT_TRUE(empty.isNull());
}

}  // namespace
}  // namespace varnok
