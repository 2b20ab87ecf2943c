// The sprite's pictures and one step of it over a window picture.
#include <gtest/gtest.h>

#include "card_pictures.h"
#include "fake_window.h"
#include "sprite.h"

namespace varnok {
namespace {

using testing::PatternPicture;

// A 69 x 94 picture with its own colour at every pixel.
QImage NormalPicture() {
  QImage picture(69, 94, QImage::Format_RGB32);
  for (int y = 0; y < 94; ++y)
    for (int x = 0; x < 69; ++x) picture.setPixel(x, y, qRgb(100 + x, 50 + y, 200));
  return picture;
}

TEST(Sprite, NormalSizeMaskAndColourPictures) {
  const TSprite sprite(10, 20, 81, 116, NormalPicture(), true);
  EXPECT_TRUE(sprite.NormalSize());
  EXPECT_EQ(sprite.Rect(), QRect(10, 20, 71, 96));
  ASSERT_EQ(sprite.OrImage().size(), QSize(71, 96));
  ASSERT_EQ(sprite.AndImage().size(), QSize(71, 96));
  EXPECT_TRUE(sprite.KeyImage().isNull());
  EXPECT_TRUE(sprite.WorkImage().isNull());

  const std::array<QPoint, 12> corners = {QPoint(0, 0),  QPoint(1, 0),  QPoint(0, 1),  QPoint(69, 0),
                                          QPoint(70, 0), QPoint(70, 1), QPoint(0, 95), QPoint(1, 95),
                                          QPoint(0, 94), QPoint(69, 95), QPoint(70, 95), QPoint(70, 94)};
  EXPECT_EQ(RoundedCornerPixels(QSize(71, 96)), corners);
  for (const QPoint& p : corners) {
    EXPECT_EQ(sprite.OrImage().pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(sprite.AndImage().pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
  }
  // The frame is black, the picture sits at (1, 1), the mask is black over the card.
  EXPECT_EQ(sprite.OrImage().pixel(35, 0), qRgb(0, 0, 0));
  EXPECT_EQ(sprite.OrImage().pixel(2, 95), qRgb(0, 0, 0));
  EXPECT_EQ(sprite.OrImage().pixel(1, 1), qRgb(100, 50, 200));
  EXPECT_EQ(sprite.OrImage().pixel(69, 94), qRgb(168, 143, 200));
  EXPECT_EQ(sprite.AndImage().pixel(2, 0), qRgb(0, 0, 0));
  EXPECT_EQ(sprite.AndImage().pixel(35, 48), qRgb(0, 0, 0));
}

TEST(Sprite, NormalSizeDrawsThroughMaskAndColour) {
  const QImage background = PatternPicture(QSize(200, 200));
  QImage buffer = background.copy();
  TSprite sprite(10, 20, 81, 116, NormalPicture(), true);
  sprite.Draw(buffer);
  EXPECT_EQ(buffer.pixel(10, 20), background.pixel(10, 20));  // corner: the window
  EXPECT_EQ(buffer.pixel(80, 115), background.pixel(80, 115));
  EXPECT_EQ(buffer.pixel(12, 20), qRgb(0, 0, 0));              // frame
  EXPECT_EQ(buffer.pixel(11, 21), qRgb(100, 50, 200));         // picture
  EXPECT_EQ(buffer.pixel(9, 20), background.pixel(9, 20));     // beside the card
}

TEST(Sprite, ScaledSizeUsesTheKeyColourPictures) {
  for (const QSize card : {QSize(126, 198), QSize(146, 198), QSize(92, 125), QSize(79, 125)}) {
    const QImage picture = PlainCard(card, QStringLiteral("A"));
    const TSprite sprite(0, 0, card.width(), card.height(), picture, false);
    EXPECT_FALSE(sprite.NormalSize());
    EXPECT_TRUE(sprite.AndImage().isNull());
    EXPECT_TRUE(sprite.OrImage().isNull());
    ASSERT_EQ(sprite.KeyImage().size(), card);
    ASSERT_EQ(sprite.WorkImage().size(), card);
    EXPECT_EQ(sprite.KeyImage().pixel(0, 0), kSpriteKeyColour);  // the transparent corner
    EXPECT_EQ(sprite.KeyImage().pixel(card.width() / 2, card.height() / 4), qRgb(255, 255, 255));
  }
}

TEST(Sprite, ScaledStepLeavesTheWindowUnderTheKeyColour) {
  const QImage background = PatternPicture(QSize(400, 300));
  QImage buffer = background.copy();
  TSprite sprite(50, 40, 176, 238, PlainCard(QSize(126, 198)), false);
  sprite.Draw(buffer);
  const QRect shown = sprite.MoveTo(buffer, background, 51, 41);
  EXPECT_EQ(shown, QRect(48, 38, 130, 202));
  EXPECT_EQ(sprite.Rect(), QRect(51, 41, 126, 198));
  EXPECT_EQ(buffer.pixel(51, 41), background.pixel(51, 41));    // corner of the new place
  EXPECT_EQ(buffer.pixel(50, 100), background.pixel(50, 100));  // left behind
  EXPECT_EQ(buffer.pixel(110, 140), qRgb(255, 255, 255));
  sprite.Erase(buffer, background);
  EXPECT_EQ(buffer, background);
}

TEST(Sprite, PicturesContainingTheKeyColourStayVisible) {
  QImage picture(40, 40, QImage::Format_RGB32);
  picture.fill(kSpriteKeyColour);
  const QImage background = PatternPicture(QSize(60, 60));
  QImage buffer = background.copy();
  TSprite sprite(5, 5, 45, 45, picture, false);
  sprite.Draw(buffer);
  EXPECT_NE(buffer.pixel(20, 20), background.pixel(20, 20));
}

TEST(Sprite, PartlyOutsideTheWindowIsClipped) {
  const QImage background = PatternPicture(QSize(100, 100));
  for (const bool normal : {true, false}) {
    QImage buffer = background.copy();
    TSprite sprite(-30, 60, 41, 156, normal ? NormalPicture() : PlainCard(QSize(71, 96)), normal);
    sprite.Draw(buffer);
    EXPECT_EQ(buffer.size(), background.size());
    EXPECT_NE(buffer.pixel(20, 80), background.pixel(20, 80));
    sprite.MoveTo(buffer, background, 90, 95);
    sprite.Erase(buffer, background);
    EXPECT_EQ(buffer, background) << normal;
  }
}

}  // namespace
}  // namespace varnok
