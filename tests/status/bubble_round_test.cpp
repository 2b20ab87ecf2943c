// Speech bubbles, the round panel and the bid progress strip.
#include <gtest/gtest.h>

#include "loader.h"
#include "status_test.h"
#include "words.h"

namespace varnok::testing {
namespace {

class Bubble : public StatusTest {};

TEST_F(Bubble, AnEmptyTextOrTheEmptyStyleLeavesOnlyTheTable) {
  struct Case {
    const char* text;
    BubbleStyle style;
  };
  const Case cases[] = {{"", BubbleStyle::Announce}, {"", BubbleStyle::Name}, {"   ", BubbleStyle::Pass},
                        {"Pass", BubbleStyle::Empty}};
  for (const int mode : {1, 3}) {
    for (const Case& c : cases) {
      TestLayer layer(mode, Layer::ImageSay1);
      LayerCanvas canvas = layer.Canvas();
      ShowBubble(canvas, layer.layout, QStringLiteral("I play on 65"), BubbleStyle::Announce);
      ASSERT_NE(layer.image, layer.Under());
      ShowBubble(canvas, layer.layout, QLatin1String(c.text), c.style);
      EXPECT_EQ(layer.image, layer.Under()) << "'" << c.text << "' mode " << mode;
    }
  }
}

TEST_F(Bubble, EachStyleHasItsPicture) {
  EXPECT_EQ(BubblePictureName(BubbleStyle::Announce, false), QLatin1String("SPBlue"));
  EXPECT_EQ(BubblePictureName(BubbleStyle::Pass, true), QLatin1String("SPGreenB"));
  EXPECT_EQ(BubblePictureName(BubbleStyle::Name, false), QLatin1String("SPYellow"));
  EXPECT_TRUE(BubblePictureName(BubbleStyle::Empty, false).isEmpty());

  // The three styles look different; the middle of the bubble takes the picture's colour.
  TestLayer blue(1, Layer::ImageSay3), green(1, Layer::ImageSay3), yellow(1, Layer::ImageSay3);
  LayerCanvas b = blue.Canvas(), g = green.Canvas(), y = yellow.Canvas();
  ShowBubble(b, blue.layout, QStringLiteral("x"), BubbleStyle::Announce);
  ShowBubble(g, green.layout, QStringLiteral("x"), BubbleStyle::Pass);
  ShowBubble(y, yellow.layout, QStringLiteral("x"), BubbleStyle::Name);
  const QPoint side(20, 14);
  const QColor bc = blue.image.pixelColor(side), gc = green.image.pixelColor(side), yc = yellow.image.pixelColor(side);
  EXPECT_GT(bc.blue(), bc.red());
  EXPECT_GT(gc.green(), gc.red());
  EXPECT_GT(yc.red(), yc.blue());
}

TEST_F(Bubble, TheTextIsWhiteCentredAndTrailingBlanksDoNotCount) {
  for (const int mode : {1, 3, 5}) {
    TestLayer plain(mode, Layer::ImageSay2), padded(mode, Layer::ImageSay2);
    LayerCanvas a = plain.Canvas(), b = padded.Canvas();
    ShowBubble(a, plain.layout, QStringLiteral("Pass"), BubbleStyle::Pass);
    ShowBubble(b, padded.layout, QStringLiteral("Pass     "), BubbleStyle::Pass);
    EXPECT_EQ(plain.image, padded.image) << mode;
    const Ink ink = InkOf(plain.image, plain.image.rect(), kWhite);
    EXPECT_GT(ink.count, 5) << mode;
    EXPECT_NEAR(ink.box.left() + ink.box.width() / 2.0, plain.rect.width() / 2.0, 2 * plain.layout.ScaleK) << mode;
  }
}

TEST_F(Bubble, ALongTextGetsASmallerHeight) {
  const LayoutState layout = LayoutForMode(1);
  EXPECT_EQ(BubbleTextHeight(layout, QStringLiteral("Pass")), 18);
  EXPECT_EQ(BubbleTextHeight(layout, QString(60, QLatin1Char('W'))), 14);
  const LayoutState large = LayoutForMode(5);
  EXPECT_EQ(BubbleTextHeight(large, QStringLiteral("Pass")), 36);
  // A text that only fits at 16 or 14 is measured in between.
  QString text;
  int height = 18;
  while (height == 18) {
    text += QLatin1Char('m');
    height = BubbleTextHeight(layout, text);
  }
  EXPECT_EQ(height, 16) << text.size();
  i18n::FontSettings settings = i18n::DefaultFontSettings();
  settings[static_cast<std::size_t>(i18n::FontKind::Serif)].scale = 50;
  i18n::SetFontSettings(settings);
  EXPECT_EQ(BubbleTextHeight(layout, QStringLiteral("Pass")), 9);
}

class RoundPanel : public StatusTest {};

TEST_F(RoundPanel, RoundNumberInBlueAndTrumpInGreenWithItsSign) {
  for (const int mode : {1, 3, 5}) {
    TestLayer none(mode, Layer::ImageKon), hearts(mode, Layer::ImageKon), spades(mode, Layer::ImageKon);
    LayerCanvas n = none.Canvas(), h = hearts.Canvas(), s = spades.Canvas();
    DrawRoundPanel(n, none.layout, 12, kNoSuit, 0);
    DrawRoundPanel(h, hearts.layout, 12, kHearts, 0);
    DrawRoundPanel(s, spades.layout, 12, kSpades, 0);

    const QRect all = none.image.rect();
    const Ink round = InkOf(none.image, all, kBlue);
    EXPECT_GT(round.count, 10) << mode;
    EXPECT_LT(round.box.bottom(), RoundHalfEven(none.layout.ScaleK * 55)) << mode;
    EXPECT_EQ(InkOf(none.image, all, kGreen).count, 0) << mode;

    const Ink trump = InkOf(hearts.image, all, kGreen);
    EXPECT_GT(trump.count, 10) << mode;
    EXPECT_GE(trump.box.top(), RoundHalfEven(none.layout.ScaleK * 55)) << mode;

    // The sign: 20 x 20 at (50, 90) in mode 1, 40 x 40 centred at ScaleLen(90) otherwise.
    const QRect sign = mode == 1 ? QRect(50, 90, 20, 20)
                                 : QRect(RoundHalfEven(all.width() / 2.0) - 20, ScaleLen(none.layout, 90), 40, 40);
    EXPECT_FALSE(SamePixels(hearts.image, none.image, sign)) << mode;
    EXPECT_FALSE(SamePixels(hearts.image, spades.image, sign)) << mode;
    QImage withoutSign = hearts.image;
    for (int y = sign.top(); y <= sign.bottom(); ++y) {
      for (int x = sign.left(); x <= sign.right(); ++x) withoutSign.setPixel(x, y, spades.image.pixel(x, y));
    }
    EXPECT_EQ(withoutSign, spades.image) << "only the sign tells the suits apart, mode " << mode;
  }
}

TEST_F(RoundPanel, AMissingDesignLibraryShowsTheBuiltInSign) {
  TestLayer own(1, Layer::ImageKon), missing(1, Layer::ImageKon);
  LayerCanvas a = own.Canvas(), b = missing.Canvas();
  DrawRoundPanel(a, own.layout, 3, kDiamonds, 0);
  // Design 47 lives in a library that the tests do not have beside them.
  SetProgramFolder(QStringLiteral("/nonexistent-folder"));
  DrawRoundPanel(b, missing.layout, 3, kDiamonds, 47);
  SetProgramFolder(QString());
  EXPECT_EQ(own.image, missing.image);
}

TEST_F(RoundPanel, TheProgressStripSitsInThePanel) {
  EXPECT_EQ(BidProgressRect(LayoutForMode(1)), QRect(20, 105, 80, 15));
  // Mode 3: ScaleLen(120) = 156, ScaleLen(80) = 104, ScaleLen(150) = 195, ScaleLen(45) = 58.
  EXPECT_EQ(BidProgressRect(LayoutForMode(3)), QRect(26, 137, 104, 20));
  EXPECT_EQ(BidProgressRect(LayoutForMode(5)), QRect(40, 210, 160, 30));
  struct Case {
    int value;
    const char* text;
  };
  const Case cases[] = {{0, "0%"}, {1, "1%"}, {2, "2%"}, {40, "50%"}, {79, "99%"}, {80, "100%"}, {95, "100%"}};
  for (const Case& c : cases) EXPECT_EQ(BidProgressText(c.value), QLatin1String(c.text)) << c.value;
}

TEST_F(RoundPanel, TheStripFillsLightRedUpToTheProgress) {
  const QColor maroon(128, 0, 0), lightGreen(200, 255, 200), lightRed(255, 200, 200);
  struct Case {
    int value;
    int x;  // design x inside the strip
    QColor colour;
  };
  const Case cases[] = {{0, 3, lightGreen},  {10, 3, lightRed},  {10, 12, lightGreen}, {40, 15, lightRed},
                        {40, 65, lightGreen}, {80, 76, lightRed}, {79, 77, lightRed},   {0, 76, lightGreen}};
  for (const int mode : {1, 3}) {
    for (const Case& c : cases) {
      TestLayer layer(mode, Layer::ImageKon);
      LayerCanvas canvas = layer.Canvas();
      DrawRoundPanel(canvas, layer.layout, 1, kNoSuit, 0);
      DrawBidProgress(canvas, layer.layout, c.value);
      const QRect strip = BidProgressRect(layer.layout);
      const QPoint inside = strip.topLeft() + QPoint(ScaleLen(layer.layout, c.x), ScaleLen(layer.layout, 2));
      EXPECT_EQ(layer.image.pixelColor(inside), c.colour) << c.value << " at " << c.x << " mode " << mode;
      EXPECT_EQ(layer.image.pixelColor(strip.topLeft()), maroon) << mode;
      EXPECT_EQ(layer.image.pixelColor(strip.bottomRight()), maroon) << mode;
      EXPECT_GT(NearInk(layer.image, strip, kBlue, 100), 10) << "the percentage, mode " << mode;
    }
  }
}

TEST_F(RoundPanel, HidingTheStripShowsThePanelAgain) {
  for (const int mode : {1, 4}) {
    TestLayer layer(mode, Layer::ImageKon);
    LayerCanvas canvas = layer.Canvas();
    DrawRoundPanel(canvas, layer.layout, 7, kNoSuit, 0);
    const QImage panel = layer.image;
    DrawBidProgress(canvas, layer.layout, 33);
    EXPECT_EQ(DifferenceBox(panel, layer.image), BidProgressRect(layer.layout)) << mode;
    DrawBidProgress(canvas, layer.layout, -1);
    EXPECT_EQ(layer.image, panel) << mode;
  }
}

}  // namespace
}  // namespace varnok::testing
