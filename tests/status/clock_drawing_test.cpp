// The move clocks, the digital clock and the online counter panel.
#include <gtest/gtest.h>

#include <QPainter>

#include "clock_drawing.h"
#include "status_test.h"

namespace varnok::testing {
namespace {

class Clocks : public StatusTest {};

// A square move clock as the deal places it: as high as the bubble, at its right end.
TestLayer MoveClockLayer(int mode, Layer bubble) {
  const LayoutState layout = LayoutForMode(mode);
  return TestLayer(mode, MoveClockRect(PlaceLayer(layout, bubble, 96)));
}

// The layer with only the clock picture over the table.
QImage PictureOnly(TestLayer& layer, const QString& picture) {
  QImage expected = layer.Under();
  QPainter painter(&expected);
  painter.drawImage(0, 0, FitPicture(StatusPicture(picture), expected.size()));
  return expected;
}

TEST_F(Clocks, AMoveClockIsASquareAtTheBubblesRightEnd) {
  EXPECT_EQ(MoveClockRect(QRect(85, 115, 160, 20)), QRect(225, 115, 20, 20));
  EXPECT_EQ(MoveClockRect(QRect(390, 481, 208, 26)), QRect(572, 481, 26, 26));
}

TEST_F(Clocks, EightSecondsYellowPictureRedDigitsSevenTheOtherWayRound) {
  struct Case {
    int seconds;
    const char* picture;
    QColor digits, other;
  };
  const Case cases[] = {{26, "GTimerY", kRed, kYellow},
                        {8, "GTimerY", kRed, kYellow},
                        {7, "GTimerR", kYellow, kRed},
                        {0, "GTimerR", kYellow, kRed}};
  for (const int mode : {1, 3, 5}) {
    for (const Case& c : cases) {
      TestLayer layer = MoveClockLayer(mode, Layer::ImageSay1);
      LayerCanvas canvas = layer.Canvas();
      DrawMoveClock(canvas, layer.layout, c.seconds);
      EXPECT_EQ(MoveClockPicture(c.seconds), QLatin1String(c.picture));

      const QImage picture = PictureOnly(layer, QLatin1String(c.picture));
      const QRect digits = DifferenceBox(picture, layer.image);
      ASSERT_FALSE(digits.isEmpty()) << c.seconds << " mode " << mode;
      // Only the digits differ from the picture, and they sit in the middle.
      const QPoint centre = layer.image.rect().center();
      EXPECT_NEAR(digits.center().x(), centre.x(), 2 * layer.layout.ScaleK) << c.seconds << " mode " << mode;
      EXPECT_NEAR(digits.center().y(), centre.y(), 3 * layer.layout.ScaleK) << c.seconds << " mode " << mode;
      EXPECT_GT(InkOf(layer.image, digits, c.digits).count, 3) << c.seconds << " mode " << mode;
      EXPECT_EQ(InkOf(layer.image, digits, c.other).count, 0) << c.seconds << " mode " << mode;
    }
  }
}

TEST_F(Clocks, MinusOneClearsTheMoveClock) {
  TestLayer layer = MoveClockLayer(3, Layer::ImageSay3);
  LayerCanvas canvas = layer.Canvas();
  DrawMoveClock(canvas, layer.layout, 12);
  ASSERT_NE(layer.image, layer.Under());
  DrawMoveClock(canvas, layer.layout, -1);
  EXPECT_EQ(layer.image, layer.Under());
}

TEST_F(Clocks, DigitalClockDigitsAndSeparator) {
  using P = PlacedPicture;
  struct Case {
    QTime time;
    std::vector<PlacedPicture> pictures;
  };
  const Case cases[] = {
      {QTime(9, 5, 0, 0), {P{"GBClock9", {34, 15}}, P{"GBClock0", {61, 15}}, P{"GBClock5", {81, 15}}}},
      {QTime(9, 5, 0, 500), {P{"GBClock9", {34, 15}}, P{"GBClock0", {61, 15}}, P{"GBClock5", {81, 15}}}},
      {QTime(9, 5, 0, 501),
       {P{"GBClock9", {34, 15}}, P{"GBClock0", {61, 15}}, P{"GBClock5", {81, 15}}, P{"GBClockP", {55, 24}}}},
      {QTime(23, 47, 59, 999),
       {P{"GBClock2", {14, 15}}, P{"GBClock3", {34, 15}}, P{"GBClock4", {61, 15}}, P{"GBClock7", {81, 15}},
        P{"GBClockP", {55, 24}}}},
      {QTime(0, 0), {P{"GBClock0", {34, 15}}, P{"GBClock0", {61, 15}}, P{"GBClock0", {81, 15}}}},
      {QTime(10, 30), {P{"GBClock1", {14, 15}}, P{"GBClock0", {34, 15}}, P{"GBClock3", {61, 15}}, P{"GBClock0", {81, 15}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(DigitalClockPictures(c.time), c.pictures) << c.time.toString().toStdString();
  EXPECT_TRUE(DigitalClockPictures(QTime()).empty());
}

TEST_F(Clocks, MenuClocksOnlyInLargeWindows) {
  struct Case {
    int mode;
    QSize client;
    bool shown;
  };
  const Case cases[] = {{1, {}, false},           {3, {}, false},          {4, {}, true},          {5, {}, true},
                        {2, {1216, 800}, true},   {2, {1600, 790}, false}, {2, {1215, 900}, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(MenuClocksShown(LayoutForMode(c.mode, c.client)), c.shown) << c.mode << " " << c.client.width();
  }
}

TEST_F(Clocks, AtNineOhFiveNoHourTensDigitIsDrawn) {
  const QRect place(600, 20, 115, 64);
  TestLayer nine(5, place), nineteen(5, place), blank(5, place);
  LayerCanvas a = nine.Canvas(), b = nineteen.Canvas();
  DrawDigitalClock(a, QTime(9, 5, 0, 100));
  DrawDigitalClock(b, QTime(19, 5, 0, 100));
  // The clock face alone.
  blank.image = blank.Under();
  {
    QPainter painter(&blank.image);
    painter.drawImage(0, 0, StatusPicture(QStringLiteral("GClockBG")));
  }
  const QRect tens(14, 15, 20, 40);
  EXPECT_TRUE(SamePixels(nine.image, blank.image, tens));
  EXPECT_FALSE(SamePixels(nineteen.image, blank.image, tens));
  EXPECT_TRUE(SamePixels(nine.image, nineteen.image, QRect(34, 0, 81, 64)));
  // The separator shows in the second half of a second only.
  TestLayer late(5, place);
  LayerCanvas d = late.Canvas();
  DrawDigitalClock(d, QTime(9, 5, 0, 900));
  const QRect separator = DifferenceBox(nine.image, late.image);
  EXPECT_FALSE(separator.isEmpty());
  EXPECT_TRUE(QRect(55, 24, 6, 22).contains(separator));
}

// The online panel with the given pictures drawn over its face, as expected.
QImage PanelWith(TestLayer& layer, const QString& icon, const std::vector<std::pair<QString, QRect>>& digits) {
  QImage expected = layer.Under();
  QPainter painter(&expected);
  painter.drawImage(0, 0, StatusPicture(QStringLiteral("GClockBG")));
  painter.drawImage(10, 10, FitPicture(StatusPicture(icon), QSize(16, 16)));
  for (const auto& [name, place] : digits) painter.drawImage(place.topLeft(), FitPicture(StatusPicture(name), place.size()));
  return expected;
}

TEST_F(Clocks, OnlineValuesByTheirLength) {
  const QRect place(20, 20, 115, 64);
  struct Case {
    int item;
    const char* value;
    std::vector<std::pair<QString, QRect>> digits;
  };
  const Case cases[] = {
      {4, "1234",
       {{"GYClock1", {27, 15, 15, 40}}, {"GYClock2", {42, 15, 15, 40}}, {"GYClock3", {57, 15, 15, 40}},
        {"GYClock4", {72, 15, 15, 40}}}},
      {5, "7", {{"GVClock7", {50, 15, 20, 40}}}},
      {7, "-5", {{"GNClockM", {38, 15, 20, 40}}, {"GNClock5", {58, 15, 20, 40}}}},
      {6, "408", {{"GLClock4", {29, 15, 20, 40}}, {"GLClock0", {49, 15, 20, 40}}, {"GLClock8", {69, 15, 20, 40}}}},
      {5, "98765",
       {{"GVClock9", {28, 15, 12, 40}}, {"GVClock8", {40, 15, 12, 40}}, {"GVClock7", {52, 15, 12, 40}},
        {"GVClock6", {64, 15, 12, 40}}, {"GVClock5", {76, 15, 12, 40}}}},
      {4, "-12345",
       {{"GYClockM", {15, 15, 9, 40}}, {"GYClock1", {24, 15, 9, 40}}, {"GYClock2", {33, 15, 9, 40}},
        {"GYClock3", {42, 15, 9, 40}}, {"GYClock4", {51, 15, 9, 40}}, {"GYClock5", {60, 15, 9, 40}}}},
      // A value of seven characters shows only the face and the icon.
      {4, "1234567", {}},
      {5, "", {}},
  };
  for (const Case& c : cases) {
    TestLayer layer(5, place);
    LayerCanvas canvas = layer.Canvas();
    DrawOnlinePanel(canvas, c.item, QLatin1String(c.value), QChar());
    const QImage expected = PanelWith(layer, OnlinePanelItemLook(c.item).icon, c.digits);
    EXPECT_EQ(layer.image, expected) << c.value;
  }
}

TEST_F(Clocks, OnlineDigitsAreResampledToTheirSize) {
  // "1234" draws the digit pictures at 15 x 40, not as stored (20 x 40).
  const QRect place(0, 0, 115, 64);
  TestLayer layer(5, place);
  LayerCanvas canvas = layer.Canvas();
  DrawOnlinePanel(canvas, 4, QStringLiteral("1234"), QChar());
  const QImage stored = PanelWith(layer, QStringLiteral("Android"),
                                  {{"GYClock1", {27, 15, 20, 40}}, {"GYClock2", {42, 15, 20, 40}},
                                   {"GYClock3", {57, 15, 20, 40}}, {"GYClock4", {72, 15, 20, 40}}});
  EXPECT_NE(layer.image, stored);
}

TEST_F(Clocks, OnlineItemLooks) {
  struct Case {
    int item;
    const char* digits;
    const char* icon;
    const char* label;
  };
  const Case cases[] = {{1, "GRClock", "Windows", "IQ"}, {2, "GAClock", "Windows", "D"},
                        {3, "GGClock", "Windows", ""},   {4, "GYClock", "Android", ""},
                        {5, "GVClock", "Account48", ""}, {6, "GLClock", "Account48", ""},
                        {7, "GNClock", "Account48", ""}};
  for (const Case& c : cases) {
    const OnlinePanelLook look = OnlinePanelItemLook(c.item);
    EXPECT_EQ(look.digitPrefix, QLatin1String(c.digits)) << c.item;
    EXPECT_EQ(look.icon, QLatin1String(c.icon)) << c.item;
    EXPECT_EQ(look.label, QLatin1String(c.label)) << c.item;
  }
  EXPECT_EQ(OnlinePanelItemLook(1).labelColour, kRed);
  EXPECT_EQ(OnlinePanelItemLook(2).labelColour, kAqua);
}

TEST_F(Clocks, LabelsAndSuffixGoRightOfTheDigits) {
  const QRect place(0, 0, 115, 64);
  struct Case {
    int item;
    QChar suffix;
    QColor colour;
    QRect area;
  };
  const Case cases[] = {{1, QChar(), kRed, {90, 10, 25, 14}},
                        {2, QChar(), kAqua, {90, 10, 25, 14}},
                        {3, QLatin1Char('K'), kAqua, {90, 25, 25, 25}}};
  for (const Case& c : cases) {
    TestLayer layer(5, place);
    LayerCanvas canvas = layer.Canvas();
    DrawOnlinePanel(canvas, c.item, QStringLiteral("12"), c.suffix);
    // Right of the last digit picture, which ends at x 78.
    const Ink ink = InkOf(layer.image, QRect(80, 0, 35, 64), c.colour);
    EXPECT_GT(ink.count, 3) << c.item;
    EXPECT_TRUE(c.area.contains(ink.box)) << c.item;
  }
}

TEST_F(Clocks, ALetterInTheValueIsLeftOut) {
  const QRect place(0, 0, 115, 64);
  TestLayer layer(5, place);
  LayerCanvas canvas = layer.Canvas();
  DrawOnlinePanel(canvas, 7, QStringLiteral("4x"), QChar());
  EXPECT_EQ(layer.image, PanelWith(layer, QStringLiteral("Account48"), {{"GNClock4", {38, 15, 20, 40}}}));
}

}  // namespace
}  // namespace varnok::testing
