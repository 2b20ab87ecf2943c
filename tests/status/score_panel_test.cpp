// The seats' score panels: fields drawn, kept and blanked, the turn marker,
// and the colours of the points during and at the end of a game.
#include <gtest/gtest.h>

#include <QPainter>

#include "status_test.h"

namespace varnok::testing {
namespace {

PanelUpdate Values(int ordered, int score, int points, bool marker = true) {
  PanelUpdate update;
  update.marker = marker;
  update.reset = true;
  update.ordered = PanelField::Of(ordered);
  update.score = PanelField::Of(score);
  update.points = PanelField::Of(points);
  return update;
}

PanelUpdate AllBlank() {
  PanelUpdate update;
  update.reset = true;
  update.ordered = PanelField::Blank();
  update.score = PanelField::Blank();
  update.points = PanelField::Blank();
  return update;
}

PanelUpdate AllKeep(bool marker) {
  PanelUpdate update;
  update.marker = marker;
  update.reset = false;
  return update;
}

// The panel's pristine look: picture over the background, nothing in the boxes.
QImage Pristine(int mode, int seat) {
  TestLayer layer(mode, seat == 3 ? Layer::ImageTab3 : seat == 2 ? Layer::ImageTab2 : Layer::ImageTab1);
  LayerCanvas canvas = layer.Canvas();
  DrawScorePanel(canvas, layer.layout, seat, AllBlank(), false);
  return layer.image;
}

class ScorePanel : public StatusTest {};

TEST_F(ScorePanel, APanelIsThePictureOverTheTable) {
  for (const int mode : {1, 3, 5}) {
    TestLayer layer(mode, Layer::ImageTab1);
    LayerCanvas canvas = layer.Canvas();
    DrawScorePanel(canvas, layer.layout, 1, AllBlank(), false);
    ASSERT_EQ(layer.image.size(), layer.rect.size()) << mode;
    // The picture's rounded corner lets the table show through; its middle does not.
    EXPECT_EQ(layer.image.pixel(0, 0), layer.Under().pixel(0, 0)) << mode;
    const QPoint middle(layer.rect.width() / 2, layer.rect.height() / 2);
    EXPECT_NE(layer.image.pixel(middle), layer.Under().pixel(middle)) << mode;
  }
}

TEST_F(ScorePanel, KeepingEveryFieldWithoutMarkerChangesOnlyTheMarkerBox) {
  for (const int mode : {1, 3, 4}) {
    for (const int seat : {1, 3}) {
      TestLayer layer(mode, seat == 1 ? Layer::ImageTab1 : Layer::ImageTab3);
      LayerCanvas canvas = layer.Canvas();
      DrawScorePanel(canvas, layer.layout, seat, Values(120, 377, -45), false);
      const QImage before = layer.image;
      DrawScorePanel(canvas, layer.layout, seat, AllKeep(false), false);

      const QRect marker = ScaledBox(layer.layout, kMarkerBoxDesign);
      const QRect changed = DifferenceBox(before, layer.image);
      EXPECT_FALSE(changed.isEmpty()) << "the marker disappears, mode " << mode << " seat " << seat;
      EXPECT_TRUE(marker.contains(changed)) << "mode " << mode << " seat " << seat;
      // The box shows the panel's own background again.
      EXPECT_TRUE(SamePixels(layer.image, Pristine(mode, seat), marker)) << "mode " << mode << " seat " << seat;
    }
  }
}

TEST_F(ScorePanel, BlankingAFieldRestoresItsPristineBoxWithoutReset) {
  struct Case {
    QRect design;
    void (*blank)(PanelUpdate&);
  };
  const Case cases[] = {
      {kPointsBoxDesign, [](PanelUpdate& u) { u.points = PanelField::Blank(); }},
      {kScoreBoxDesign, [](PanelUpdate& u) { u.score = PanelField::Blank(); }},
      {kOrderBoxDesign, [](PanelUpdate& u) { u.ordered = PanelField::Blank(); }},
  };
  for (const int mode : {1, 3, 5}) {
    const QImage pristine = Pristine(mode, 2);
    for (const Case& c : cases) {
      TestLayer layer(mode, Layer::ImageTab2);
      LayerCanvas canvas = layer.Canvas();
      DrawScorePanel(canvas, layer.layout, 2, Values(180, -188, 888), false);
      const QRect box = ScaledBox(layer.layout, c.design);
      ASSERT_FALSE(SamePixels(layer.image, pristine, box)) << "the field shows its number first";
      const QImage before = layer.image;

      PanelUpdate update = AllKeep(true);
      c.blank(update);
      DrawScorePanel(canvas, layer.layout, 2, update, false);
      EXPECT_TRUE(SamePixels(layer.image, pristine, box)) << "mode " << mode << " box " << c.design.x();
      EXPECT_TRUE(box.contains(DifferenceBox(before, layer.image))) << "mode " << mode << " box " << c.design.x();
    }
  }
}

TEST_F(ScorePanel, ANewValueReplacesTheOldOneCompletely) {
  // Even when a large font scale makes the numbers wider than their boxes.
  for (const int scale : {100, 200}) {
    i18n::FontSettings settings = i18n::DefaultFontSettings();
    settings[static_cast<std::size_t>(i18n::FontKind::Decor)].scale = scale;
    i18n::SetFontSettings(settings);
    TestLayer first(3, Layer::ImageTab1);
    LayerCanvas canvas = first.Canvas();
    DrawScorePanel(canvas, first.layout, 1, Values(100, -188, -888), false);
    PanelUpdate update = AllKeep(false);
    update.points = PanelField::Of(5);
    update.score = PanelField::Of(7);
    update.ordered = PanelField::Of(60);
    DrawScorePanel(canvas, first.layout, 1, update, false);

    TestLayer fresh(3, Layer::ImageTab1);
    LayerCanvas freshCanvas = fresh.Canvas();
    DrawScorePanel(freshCanvas, fresh.layout, 1, Values(60, 7, 5, false), false);
    EXPECT_EQ(first.image, fresh.image) << scale;
  }
}

TEST_F(ScorePanel, NumbersStayInTheirBoxesAtLargeFontScales) {
  i18n::FontSettings settings = i18n::DefaultFontSettings();
  settings[static_cast<std::size_t>(i18n::FontKind::Decor)].scale = 200;
  i18n::SetFontSettings(settings);
  for (const int mode : {1, 5}) {
    TestLayer layer(mode, Layer::ImageTab2);
    LayerCanvas canvas = layer.Canvas();
    DrawScorePanel(canvas, layer.layout, 2, Values(180, -188, -1234, false), false);
    const QImage pristine = Pristine(mode, 2);
    const QRect boxes[] = {ScaledBox(layer.layout, kPointsBoxDesign), ScaledBox(layer.layout, kScoreBoxDesign),
                           ScaledBox(layer.layout, kOrderBoxDesign)};
    QImage outside = layer.image;
    for (const QRect& box : boxes) {
      EXPECT_FALSE(SamePixels(layer.image, pristine, box)) << mode;
      for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) outside.setPixel(x, y, pristine.pixel(x, y));
      }
    }
    EXPECT_EQ(outside, pristine) << "nothing drawn outside the boxes, mode " << mode;
  }
}

TEST_F(ScorePanel, PointsAreFuchsiaDuringTheGameAndRedWithSignAtItsEnd) {
  struct Case {
    int points;
    bool gameOver;
    QColor colour, other;
    const char* text;
  };
  const Case cases[] = {
      {37, false, kFuchsia, kRed, "37"},
      {37, true, kRed, kFuchsia, "+37"},
      {-37, true, kRed, kFuchsia, "-37"},
      {-37, false, kFuchsia, kRed, "-37"},
      {0, true, kRed, kFuchsia, "0"},
  };
  for (const int mode : {1, 5}) {
    int width37 = 0;
    for (const Case& c : cases) {
      TestLayer layer(mode, Layer::ImageTab3);
      LayerCanvas canvas = layer.Canvas();
      DrawScorePanel(canvas, layer.layout, 3, Values(120, 400, c.points, false), c.gameOver);
      EXPECT_EQ(PointsText(c.points, c.gameOver), QLatin1String(c.text));

      const QRect box = ScaledBox(layer.layout, kPointsBoxDesign);
      const Ink ink = InkOf(layer.image, box, c.colour);
      EXPECT_GT(ink.count, 15 * layer.layout.ScaleK) << c.text << " mode " << mode;
      EXPECT_EQ(InkOf(layer.image, layer.image.rect(), c.other).count, 0) << c.text << " mode " << mode;
      // Centred across the panel, and inside the points box.
      const double centre = ink.box.left() + ink.box.width() / 2.0;
      EXPECT_NEAR(centre, layer.rect.width() / 2.0, 3 * layer.layout.ScaleK) << c.text << " mode " << mode;
      EXPECT_TRUE(box.contains(ink.box)) << c.text << " mode " << mode;
      if (c.points == 37 && !c.gameOver) width37 = ink.box.width();
      // The plus sign makes the final count wider than the same number in the game.
      if (c.points == 37 && c.gameOver) {
        EXPECT_GT(ink.box.width(), width37 + 4) << "mode " << mode;
      }
    }
  }
}

TEST_F(ScorePanel, ScoreIsBlueAndOrderNavyInTheirBoxes) {
  TestLayer layer(3, Layer::ImageTab2);
  LayerCanvas canvas = layer.Canvas();
  DrawScorePanel(canvas, layer.layout, 2, Values(135, 250, 10), false);
  const Ink score = InkOf(layer.image, layer.image.rect(), kBlue);
  const Ink order = InkOf(layer.image, layer.image.rect(), kNavy);
  EXPECT_GT(score.count, 10);
  EXPECT_GT(order.count, 10);
  EXPECT_TRUE(ScaledBox(layer.layout, kScoreBoxDesign).contains(score.box));
  EXPECT_TRUE(ScaledBox(layer.layout, kOrderBoxDesign).contains(order.box));
}

TEST_F(ScorePanel, MarkerPlaces) {
  struct Case {
    int mode, seat;
    QRect place;
  };
  const Case cases[] = {
      {1, 1, {22, 49, 20, 30}},
      {1, 2, {22, 49, 20, 30}},
      {1, 3, {22, 50, 20, 30}},
      // Mode 3: from (30, 64) to (56, 103).
      {3, 3, {QPoint(30, 64), QPoint(55, 102)}},
      {3, 1, {QPoint(30, 64), QPoint(55, 102)}},
      {5, 2, {46, 98, 40, 60}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkerRect(LayoutForMode(c.mode), c.seat), c.place) << "mode " << c.mode << " seat " << c.seat;
  }
}

TEST_F(ScorePanel, TheMarkerIsTheSeatsHandAtItsPlace) {
  struct Case {
    int mode, seat;
    const char* hand;
  };
  const Case cases[] = {{1, 3, "Hand_Down"}, {1, 1, "Hand_Up"}, {3, 3, "Hand_Down"}, {3, 2, "Hand_Up"}};
  for (const Case& c : cases) {
    const QImage pristine = Pristine(c.mode, c.seat);
    TestLayer layer(c.mode, c.seat == 3 ? Layer::ImageTab3 : c.seat == 2 ? Layer::ImageTab2 : Layer::ImageTab1);
    LayerCanvas canvas = layer.Canvas();
    PanelUpdate update = AllBlank();
    update.marker = true;
    DrawScorePanel(canvas, layer.layout, c.seat, update, false);

    // What the hand picture gives, stretched into the marker's rectangle.
    const QRect place = MarkerRect(layer.layout, c.seat);
    const QRect box = ScaledBox(layer.layout, kMarkerBoxDesign);
    QImage expected = pristine;
    {
      QPainter painter(&expected);
      painter.setClipRect(box);
      painter.drawImage(place.topLeft(), FitPicture(StatusPicture(QLatin1String(c.hand)), place.size()));
    }
    EXPECT_EQ(layer.image, expected) << c.hand << " mode " << c.mode;
    const QRect changed = DifferenceBox(pristine, layer.image);
    EXPECT_TRUE(place.contains(changed)) << c.hand << " mode " << c.mode;
    EXPECT_GT(changed.height(), place.height() * 3 / 4) << c.hand << " mode " << c.mode;
  }
  // The two hands differ: up for the computer seats, down for the player.
  EXPECT_NE(StatusPicture(QStringLiteral("Hand_Up")), StatusPicture(QStringLiteral("Hand_Down")));
}

}  // namespace
}  // namespace varnok::testing
