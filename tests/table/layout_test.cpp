// The layout arithmetic of the table: window modes and their factors,
// ScaleLen / ScaleX / ScaleY with halves to even, card sizes and sets, the
// margin of a deal, and the placement of the layers and of the table's card
// places. Expected values are worked out by hand from the design tables.
#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "layout.h"

static void PrintTo(const QRect& r, std::ostream* out) {
  *out << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
static void PrintTo(const QSize& s, std::ostream* out) { *out << s.width() << " x " << s.height(); }

namespace varnok {

static void PrintTo(const CardSize& c, std::ostream* out) {
  *out << c.CardW << " x " << c.CardH << " set " << c.CardSet;
}

namespace {

LayoutState Mode(int mode) { return LayoutForMode(mode); }
LayoutState FullScreen(int w, int h) { return LayoutForMode(kFullScreen, QSize(w, h)); }

// --- rounding ---------------------------------------------------------------

TEST(LayoutRounding, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    int expected;
  };
  const Case cases[] = {
      {0.5, 0},   {1.5, 2},   {2.5, 2},     {3.5, 4},   {-0.5, 0},    {-1.5, -2}, {-2.5, -2},
      {2.4, 2},   {2.6, 3},   {-2.6, -3},   {0.0, 0},   {104.0, 104}, {673.68, 674},
      {2.4999, 2}, {2.5001, 3}, {18.3158, 18},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
}

// --- window modes -----------------------------------------------------------

TEST(LayoutModes, FixedModesHaveTheirSizesAndFactors) {
  struct Case {
    int mode;
    QSize client;
    double factor;
    QString hint;
    int wordsRow;
  };
  const Case cases[] = {
      {1, {760, 500}, 1.0, "760 x 500", 44},
      {3, {990, 650}, 1.3, "990 x 650", 45},
      {4, {1290, 850}, 1.7, "1290 x 850", 46},
      {5, {1520, 1000}, 2.0, "1520 x 1000", 47},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    // The area given for full screen does not matter in the fixed modes.
    const LayoutState s = LayoutForMode(c.mode, QSize(1600, 900));
    EXPECT_EQ(s.WindowMode, c.mode);
    EXPECT_EQ(QSize(s.WindowW, s.WindowH), c.client);
    EXPECT_EQ(ClientSizeOfMode(c.mode, QSize(1600, 900)), c.client);
    EXPECT_DOUBLE_EQ(s.ScaleXFactor, c.factor);
    EXPECT_DOUBLE_EQ(s.ScaleYFactor, c.factor);
    EXPECT_DOUBLE_EQ(s.ScaleK, c.factor);
    EXPECT_EQ(WindowModeHint(c.mode), c.hint);
    EXPECT_EQ(WindowModeWordsRow(c.mode), c.wordsRow);
  }
}

TEST(LayoutModes, FullScreenFactorsComeFromTheClientArea) {
  const LayoutState s = FullScreen(1600, 900);
  EXPECT_EQ(s.WindowMode, 2);
  EXPECT_EQ(s.WindowW, 1600);
  EXPECT_EQ(s.WindowH, 900);
  EXPECT_NEAR(s.ScaleXFactor, 2.105263, 1e-6);
  EXPECT_DOUBLE_EQ(s.ScaleYFactor, 1.8);
  EXPECT_DOUBLE_EQ(s.ScaleK, 1.8);  // the smaller of the two
  EXPECT_EQ(WindowModeHint(2), "");
  EXPECT_EQ(WindowModeWordsRow(2), 48);

  // Taller than wide: the x factor is the smaller one.
  const LayoutState tall = FullScreen(1520, 1200);
  EXPECT_DOUBLE_EQ(tall.ScaleXFactor, 2.0);
  EXPECT_DOUBLE_EQ(tall.ScaleYFactor, 2.4);
  EXPECT_DOUBLE_EQ(tall.ScaleK, 2.0);
}

TEST(LayoutModes, FullScreenWithoutAnAreaAndModesOutOfRange) {
  const LayoutState empty = FullScreen(0, 0);
  EXPECT_EQ(QSize(empty.WindowW, empty.WindowH), QSize(760, 500));
  EXPECT_DOUBLE_EQ(empty.ScaleK, 1.0);
  for (int mode : {0, 6, -1}) {
    SCOPED_TRACE(mode);
    EXPECT_FALSE(IsWindowMode(mode));
    const LayoutState s = Mode(mode);
    EXPECT_EQ(s.WindowMode, 1);
    EXPECT_EQ(QSize(s.WindowW, s.WindowH), QSize(760, 500));
    EXPECT_EQ(WindowModeHint(mode), "");
    EXPECT_EQ(WindowModeWordsRow(mode), 0);
  }
  // A screen smaller than the design scales down by the same formulas.
  const LayoutState small = FullScreen(640, 480);
  EXPECT_NEAR(small.ScaleK, 0.842105, 1e-6);
  EXPECT_EQ(ScaleLen(small, 760), 640);
}

// --- ScaleLen, ScaleX, ScaleY ------------------------------------------------

TEST(LayoutScale, SmallWindowKeepsDesignValues) {
  const LayoutState s = Mode(1);
  for (int v : {0, 1, 5, 85, 320, 395, 759}) {
    EXPECT_EQ(ScaleLen(s, v), v);
    EXPECT_EQ(ScaleX(s, v, 120), v);
    EXPECT_EQ(ScaleY(s, v, 150), v);
  }
}

TEST(LayoutScale, ScaleLenRoundsHalvesToEven) {
  struct Case {
    LayoutState s;
    int n;
    int expected;
  };
  const Case cases[] = {
      {Mode(3), 80, 104},  // the worked example
      {Mode(3), 1, 1},     // 1.3
      {Mode(3), 3, 4},     // 3.9
      {Mode(3), 5, 6},     // 6.5
      {Mode(3), 15, 20},   // 19.5
      {Mode(3), 25, 32},   // 32.5
      {Mode(3), 35, 46},   // 45.5
      {Mode(4), 5, 8},     // 8.5
      {Mode(4), 15, 26},   // 25.5
      {Mode(4), 25, 42},   // 42.5
      {Mode(4), 61, 104},  // 103.7
      {Mode(5), 73, 146},
      {FullScreen(1140, 750), 1, 2},    // k = 1.5: 1.5
      {FullScreen(1140, 750), 3, 4},    // 4.5
      {FullScreen(1140, 750), 5, 8},    // 7.5
      {FullScreen(1140, 750), 7, 10},   // 10.5
      {FullScreen(1600, 900), 96, 173}, // 172.8
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleLen(c.s, c.n), c.expected) << "k " << c.s.ScaleK << " n " << c.n;
}

TEST(LayoutScale, AverageWindowScalesUniformly) {
  const LayoutState s = Mode(3);
  EXPECT_EQ(ScaleX(s, 320, 120), 416);
  EXPECT_EQ(ScaleY(s, 5, 150), 6);    // 6.5
  EXPECT_EQ(ScaleY(s, 395, 96), 514); // 513.5
  EXPECT_EQ(ScaleX(s, 85, 160), 110); // 110.5
}

TEST(LayoutScale, FullScreenCentresTheBoxInTheWiderScale) {
  const LayoutState s = FullScreen(1600, 900);
  // round(673.68) + round(0.305 * 60) = 674 + 18
  EXPECT_EQ(ScaleX(s, 320, 120), 692);
  // The y factor equals k: no centring term.
  EXPECT_EQ(ScaleY(s, 5, 150), 9);
  EXPECT_EQ(ScaleY(s, 373, 90), 671);  // 671.4

  // The y factor above k: round(5 * 2.4) + round(0.4 * 150 / 2) = 12 + 30.
  const LayoutState tall = FullScreen(1520, 1200);
  EXPECT_EQ(ScaleY(tall, 5, 150), 42);
  EXPECT_EQ(ScaleX(tall, 320, 120), 640);
}

TEST(LayoutScale, TheTwoTermsOfScaleXAreRoundedApart) {
  // x factor 1.5, k 1: ScaleX(x, w) = round(1.5 x) + round(0.25 w).
  const LayoutState s = FullScreen(1140, 500);
  ASSERT_DOUBLE_EQ(s.ScaleXFactor, 1.5);
  ASSERT_DOUBLE_EQ(s.ScaleK, 1.0);
  struct Case {
    int x, w, expected;
  };
  const Case cases[] = {
      {1, 6, 4},   // round(1.5) + round(1.5) = 2 + 2 (rounded together: 3)
      {3, 2, 4},   // round(4.5) + round(0.5) = 4 + 0 (together: 5)
      {1, 2, 2},   // 2 + 0
      {5, 10, 10}, // round(7.5) + round(2.5) = 8 + 2
      {320, 120, 510},
  };
  for (const Case& c : cases) EXPECT_EQ(ScaleX(s, c.x, c.w), c.expected) << c.x << ", " << c.w;
  // The same rule vertically, y factor 1.5 and k 1.
  const LayoutState t = FullScreen(760, 750);
  for (const Case& c : cases) EXPECT_EQ(ScaleY(t, c.x, c.w), c.expected) << c.x << ", " << c.w;
}

// --- cards ------------------------------------------------------------------

TEST(LayoutCard, WidthClassOfDesigns) {
  struct Case {
    int design;
    bool full;
  };
  const Case cases[] = {{0, true},   {1, true},   {27, true},  {28, false}, {29, false}, {39, false},
                        {40, true},  {41, false}, {44, false}, {45, true},  {46, false}, {60, false}};
  for (const Case& c : cases) EXPECT_EQ(IsFullWidthDesign(c.design), c.full) << c.design;
}

TEST(LayoutCard, SizeAndSetFollowTheScale) {
  struct Case {
    LayoutState s;
    bool full;
    CardSize expected;
  };
  const Case cases[] = {
      {Mode(1), true, {71, 96, 1}},
      {Mode(1), false, {71, 96, 1}},
      {Mode(3), true, {92, 125, 0}},  // ScaleK exactly 1.3
      {Mode(3), false, {79, 125, 0}},
      {Mode(4), true, {121, 163, 0}},  // 120.7 x 163.2
      {Mode(4), false, {104, 163, 0}}, // 103.7
      {Mode(5), true, {146, 198, 2}},
      {Mode(5), false, {126, 198, 2}},
      {FullScreen(1600, 900), true, {128, 173, 0}},  // k 1.8
      {FullScreen(1600, 900), false, {110, 173, 0}},
      {FullScreen(988, 650), true, {92, 125, 0}},    // k = 988 / 760 = 1.3
      {FullScreen(987, 650), true, {71, 96, 1}},     // k just under 1.3
      {FullScreen(987, 650), false, {71, 96, 1}},
      {FullScreen(1520, 1000), false, {126, 198, 2}}, // k = 2
      {FullScreen(1519, 1000), true, {142, 192, 0}},  // k just under 2: 141.9 x 191.9
      {FullScreen(1519, 1000), false, {122, 192, 0}}, // 121.9
      {FullScreen(640, 480), false, {71, 96, 1}},
      {FullScreen(1920, 1080), true, {146, 198, 2}},  // k 2.16
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CardSizeFor(c.s, c.full), c.expected) << "k " << c.s.ScaleK << (c.full ? " full" : " narrow");
  }
  EXPECT_EQ(kCardPicture, QSize(69, 94));
}

TEST(LayoutCard, MarginOfTheDeal) {
  struct Case {
    int mode;
    bool full;
    int margin;
  };
  const Case cases[] = {{1, false, 0}, {1, true, 0}, {2, false, 5}, {2, true, 0}, {3, false, 5},
                        {3, true, 0},  {4, false, 5}, {5, false, 5}, {5, true, 0}};
  for (const Case& c : cases) EXPECT_EQ(DealMargin(c.mode, c.full), c.margin) << c.mode << " " << c.full;
}

// --- layers -----------------------------------------------------------------

TEST(LayoutLayers, NamesAndDesignValues) {
  EXPECT_EQ(AllLayers().size(), 17u);
  std::set<QString> names;
  for (Layer layer : AllLayers()) names.insert(LayerName(layer));
  EXPECT_EQ(names.size(), 17u);
  EXPECT_EQ(LayerName(Layer::ImageStol), "ImageStol");
  EXPECT_EQ(LayerName(Layer::ImageCards3), "ImageCards3");
  EXPECT_EQ(LayerName(Layer::ImageKoloda), "ImageKoloda");
  EXPECT_EQ(LayerDesign(Layer::ImageCards3), QRect(150, 395, 460, 96));
  EXPECT_EQ(LayerDesign(Layer::ImageTab2), QRect(513, 140, 155, 95));
  EXPECT_EQ(LayerDesign(Layer::ImageSay3), QRect(300, 370, 160, 20));
  EXPECT_EQ(LayerDesign(Layer::ImageMemo), QRect(620, 373, 130, 90));
  EXPECT_TRUE(IsHandLayer(Layer::ImageCards1));
  EXPECT_TRUE(IsHandLayer(Layer::ImageCards4));
  EXPECT_FALSE(IsHandLayer(Layer::ImageTab1));
  EXPECT_FALSE(IsHandLayer(Layer::ImageStol));
}

struct Placement {
  Layer layer;
  QRect expected;
};

void ExpectPlacements(const LayoutState& s, int cardH, std::initializer_list<Placement> cases) {
  const auto all = PlaceLayers(s, cardH);
  for (const Placement& c : cases) {
    EXPECT_EQ(PlaceLayer(s, c.layer, cardH), c.expected) << LayerName(c.layer).toStdString();
    EXPECT_EQ(all[static_cast<std::size_t>(c.layer)], c.expected) << LayerName(c.layer).toStdString();
  }
}

TEST(LayoutLayers, SmallWindowUsesTheDesignTable) {
  ExpectPlacements(Mode(1), 96,
                   {
                       {Layer::ImageCards1, {20, 10, 290, 96}},
                       {Layer::ImageCards2, {450, 10, 290, 96}},
                       {Layer::ImageCards3, {150, 395, 460, 96}},
                       {Layer::ImageTab1, {88, 140, 155, 95}},
                       {Layer::ImageTab2, {513, 140, 155, 95}},
                       {Layer::ImageTab3, {88, 280, 155, 95}},
                       {Layer::ImageSay1, {85, 115, 160, 20}},
                       {Layer::ImageSay2, {510, 115, 160, 20}},
                       {Layer::ImageSay3, {300, 370, 160, 20}},
                       {Layer::ImageStol, {269, 160, 222, 200}},
                       {Layer::ImageKon, {320, 5, 120, 150}},
                       {Layer::ImageMemo, {620, 373, 130, 90}},
                   });
}

TEST(LayoutLayers, AverageWindow1Positions) {
  // 1.3 throughout; the hands are as high as the full-width card, 125.
  ExpectPlacements(Mode(3), 125,
                   {
                       {Layer::ImageCards1, {26, 13, 377, 125}},
                       {Layer::ImageCards2, {585, 13, 377, 125}},
                       {Layer::ImageCards3, {195, 514, 598, 125}},  // 513.5
                       {Layer::ImageTab1, {114, 182, 202, 124}},    // 114.4, 201.5, 123.5
                       {Layer::ImageTab2, {667, 182, 202, 124}},    // 666.9
                       {Layer::ImageTab3, {114, 364, 202, 124}},
                       {Layer::ImageSay1, {110, 150, 208, 26}},     // 110.5, 149.5
                       {Layer::ImageSay2, {663, 150, 208, 26}},
                       {Layer::ImageSay3, {390, 481, 208, 26}},
                       {Layer::ImageStol, {350, 208, 289, 260}},    // 349.7, 288.6
                       {Layer::ImageKon, {416, 6, 156, 195}},       // 6.5
                       {Layer::ImageMemo, {806, 485, 169, 117}},    // 484.9
                   });
}

TEST(LayoutLayers, AverageWindow2HalvesToEven) {
  ExpectPlacements(Mode(4), 163,
                   {
                       {Layer::ImageCards3, {255, 672, 782, 163}},  // 671.5
                       {Layer::ImageTab1, {150, 238, 264, 162}},    // 149.6, 263.5, 161.5
                       {Layer::ImageSay1, {144, 196, 272, 34}},     // 144.5, 195.5
                   });
}

TEST(LayoutLayers, FullScreen1600x900) {
  // x factor 2.1053, y factor and k 1.8; boxes keep their design centre in x.
  ExpectPlacements(FullScreen(1600, 900), 173,
                   {
                       {Layer::ImageKon, {692, 9, 216, 270}},       // 674 + 18
                       {Layer::ImageStol, {600, 288, 400, 360}},    // 566 + 34 (33.9); 399.6
                       {Layer::ImageCards2, {991, 18, 522, 173}},   // 947 + 44 (44.3)
                       {Layer::ImageCards3, {386, 711, 828, 173}},  // 316 + 70 (70.2)
                       {Layer::ImageMemo, {1325, 671, 234, 162}},   // 1305 + 20 (19.8); 671.4
                   });
}

TEST(LayoutLayers, HandHeightIsTheCardHeight) {
  const LayoutState s = Mode(5);
  for (int cardH : {198, 96, 173}) {
    EXPECT_EQ(PlaceLayer(s, Layer::ImageCards1, cardH), QRect(40, 20, 580, cardH));
    EXPECT_EQ(PlaceLayer(s, Layer::ImageCards3, cardH), QRect(300, 790, 920, cardH));
    // Other layers ignore it.
    EXPECT_EQ(PlaceLayer(s, Layer::ImageTab3, cardH), QRect(176, 560, 310, 190));
  }
}

TEST(LayoutLayers, UnusedLayersHaveNoSize) {
  for (const LayoutState& s : {Mode(1), Mode(5), FullScreen(1600, 900)}) {
    for (Layer layer : {Layer::ImageCards4, Layer::ImageTab4, Layer::ImageSay4, Layer::ImageKoloda, Layer::ImageHelp}) {
      EXPECT_EQ(PlaceLayer(s, layer, 198), QRect(0, 0, 0, 0)) << LayerName(layer).toStdString();
    }
  }
}

TEST(LayoutLayers, EveryLayerFitsInTheClientArea) {
  for (const LayoutState& s : {Mode(1), Mode(3), Mode(4), Mode(5), FullScreen(1600, 900), FullScreen(1920, 1080),
                               FullScreen(1366, 768)}) {
    const QRect client(0, 0, s.WindowW, s.WindowH);
    for (bool full : {true, false}) {
      const CardSize card = CardSizeFor(s, full);
      for (Layer layer : AllLayers()) {
        const QRect placed = PlaceLayer(s, layer, card.CardH);
        if (placed.isEmpty()) continue;  // the unused layers, tested above
        EXPECT_TRUE(client.contains(placed))
            << LayerName(layer).toStdString() << " at " << s.WindowW << " x " << s.WindowH;
      }
    }
  }
}

// --- card places on the table -------------------------------------------------

TEST(LayoutTablePlaces, DesignPlaces) {
  EXPECT_EQ(TrickCardDesign(1), QPoint(0, 0));
  EXPECT_EQ(TrickCardDesign(2), QPoint(148, 0));
  EXPECT_EQ(TrickCardDesign(3), QPoint(74, 100));
  EXPECT_EQ(WidowCardDesign(1), QPoint(0, 50));
  EXPECT_EQ(WidowCardDesign(2), QPoint(74, 50));
  EXPECT_EQ(WidowCardDesign(3), QPoint(148, 50));
}

TEST(LayoutTablePlaces, ScaledWithTheMarginOfTheDeal) {
  {
    const LayoutState s = Mode(1);
    const CardSize card = CardSizeFor(s, false);
    EXPECT_EQ(TrickCardPlace(s, card, 0, 2), QRect(148, 0, 71, 96));
    EXPECT_EQ(WidowCardPlace(s, card, 0, 2), QRect(74, 50, 71, 96));
  }
  {
    const LayoutState s = Mode(3);
    const CardSize full = CardSizeFor(s, true);
    EXPECT_EQ(TrickCardPlace(s, full, 0, 1), QRect(0, 0, 92, 125));
    EXPECT_EQ(TrickCardPlace(s, full, 0, 2), QRect(192, 0, 92, 125));    // 192.4
    EXPECT_EQ(TrickCardPlace(s, full, 0, 3), QRect(96, 130, 92, 125));   // 96.2
    EXPECT_EQ(WidowCardPlace(s, full, 0, 1), QRect(0, 65, 92, 125));
    EXPECT_EQ(WidowCardPlace(s, full, 0, 3), QRect(192, 65, 92, 125));
    const CardSize narrow = CardSizeFor(s, false);
    EXPECT_EQ(TrickCardPlace(s, narrow, 5, 1), QRect(6, 0, 79, 125));    // 6.5
    EXPECT_EQ(TrickCardPlace(s, narrow, 5, 2), QRect(199, 0, 79, 125));  // 198.9
    EXPECT_EQ(TrickCardPlace(s, narrow, 5, 3), QRect(103, 130, 79, 125)); // 102.7
    EXPECT_EQ(WidowCardPlace(s, narrow, 5, 2), QRect(103, 65, 79, 125));
  }
  {
    const LayoutState s = Mode(5);
    const CardSize narrow = CardSizeFor(s, false);
    EXPECT_EQ(TrickCardPlace(s, narrow, 5, 1), QRect(10, 0, 126, 198));
    EXPECT_EQ(TrickCardPlace(s, narrow, 5, 3), QRect(158, 200, 126, 198));
    EXPECT_EQ(WidowCardPlace(s, narrow, 5, 3), QRect(306, 100, 126, 198));
  }
  const LayoutState s = Mode(1);
  const CardSize card = CardSizeFor(s, true);
  EXPECT_EQ(TrickCardPlace(s, card, 0, 0), QRect());
  EXPECT_EQ(WidowCardPlace(s, card, 0, 4), QRect());
}

}  // namespace
}  // namespace varnok
