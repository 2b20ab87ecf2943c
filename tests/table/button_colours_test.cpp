// The colour transform of the owner-drawn buttons: schemes, lightening, the
// new style's near-red rule, the gradient tables and the resampler.
#include <gtest/gtest.h>

#include <QImage>
#include <ostream>
#include <stdexcept>
#include <string>

#include "button_colours.h"

namespace varnok {

void PrintTo(const Rgb& c, std::ostream* out) { *out << "(" << c.r << "," << c.g << "," << c.b << ")"; }

namespace {

using S = TColorSB;

TEST(ButtonColours, DivRoundEvenRoundsHalvesToEven) {
  EXPECT_EQ(DivRoundEven(5, 2), 2);   // 2.5
  EXPECT_EQ(DivRoundEven(7, 2), 4);   // 3.5
  EXPECT_EQ(DivRoundEven(35, 10), 4); // 3.5
  EXPECT_EQ(DivRoundEven(105, 10), 10);
  EXPECT_EQ(DivRoundEven(104, 10), 10);
  EXPECT_EQ(DivRoundEven(106, 10), 11);
  EXPECT_EQ(DivRoundEven(0, 3), 0);
  EXPECT_EQ(DivRoundEven(160, 30), 5);  // 5.33
}

struct SchemeCase {
  Rgb in;
  S scheme;
  Rgb out;
};

TEST(ButtonColours, EverySchemeOfTheOldStyle) {
  const Rgb a{200, 100, 50};   // red strongest
  const Rgb b{10, 120, 240};   // blue strongest
  const Rgb c{255, 0, 0};      // pure red
  const Rgb d{15, 7, 5};       // halves in the 0.7 products
  const SchemeCase cases[] = {
      {a, S::DRed, {200, 100, 50}},   {b, S::DRed, {10, 120, 240}},
      {a, S::DGreen, {100, 200, 50}}, {b, S::DGreen, {120, 10, 240}},
      {a, S::DBlue, {50, 200, 200}},  {b, S::DBlue, {240, 10, 10}},
      {a, S::DNavy, {50, 100, 200}},  {b, S::DNavy, {240, 120, 10}},
      {a, S::DYellow, {200, 200, 50}}, {b, S::DYellow, {10, 10, 240}},
      {a, S::DViolet, {200, 100, 200}}, {b, S::DViolet, {10, 120, 10}},
      // blue 35, green 35 + round(0.4 x 165) = 35 + 66
      {a, S::DOrang, {200, 101, 35}},  {b, S::DOrang, {10, 120, 240}},
      {c, S::DOrang, {255, 102, 0}},   {d, S::DOrang, {15, 8, 4}},
      {a, S::DCards, {140, 0, 200}},   {b, S::DCards, {7, 0, 10}},
      {c, S::DCards, {178, 0, 255}},   {d, S::DCards, {10, 0, 15}},
  };
  for (const SchemeCase& one : cases) {
    SCOPED_TRACE(static_cast<int>(one.scheme));
    EXPECT_EQ(SchemeColour(one.in, one.scheme, false), one.out);
    EXPECT_EQ(Recolour(one.in, one.scheme, 0, false), one.out);
  }
}

TEST(ButtonColours, OrangeNeedsRedAboveGreenAndBlue) {
  EXPECT_EQ(SchemeColour({100, 100, 0}, S::DOrang, false), (Rgb{100, 100, 0}));  // green equal to red
  EXPECT_EQ(SchemeColour({100, 0, 100}, S::DOrang, false), (Rgb{100, 0, 100}));  // blue equal to red
  EXPECT_EQ(SchemeColour({100, 99, 99}, S::DOrang, false), (Rgb{100, 81, 69}));  // 69.3 -> 69; 69 + 12.4
  // blue 0.7 x 5 = 3.5 -> 4, 0.7 x 15 = 10.5 -> 10 (halves to even)
  EXPECT_EQ(SchemeColour({255, 0, 5}, S::DOrang, false), (Rgb{255, 104, 4}));
  EXPECT_EQ(SchemeColour({100, 0, 15}, S::DOrang, false), (Rgb{100, 46, 10}));
  // Same in the new style: every pixel, near red or not.
  EXPECT_EQ(SchemeColour({100, 0, 15}, S::DOrang, true), (Rgb{100, 46, 10}));
}

TEST(ButtonColours, CardsDropsGreenInTheOldStyle) {
  EXPECT_EQ(SchemeColour({100, 200, 50}, S::DCards, false), (Rgb{70, 0, 100}));
  EXPECT_EQ(SchemeColour({5, 255, 255}, S::DCards, false), (Rgb{4, 0, 5}));  // 3.5 -> 4
  EXPECT_EQ(SchemeColour({0, 0, 0}, S::DCards, false), (Rgb{0, 0, 0}));
}

TEST(ButtonColours, NearRedIsCloserThan180ToPureRed) {
  EXPECT_TRUE(NearRed({255, 0, 0}));
  EXPECT_TRUE(NearRed({76, 0, 0}));     // 179 away
  EXPECT_FALSE(NearRed({75, 0, 0}));    // exactly 180
  EXPECT_TRUE(NearRed({255, 127, 127})); // 179.6
  EXPECT_FALSE(NearRed({255, 128, 127})); // 180.3
  EXPECT_FALSE(NearRed({255, 255, 255}));
  EXPECT_FALSE(NearRed({0, 0, 0}));
}

TEST(ButtonColours, CardsInTheNewStyleChangesOnlyNearRed) {
  EXPECT_EQ(SchemeColour({240, 30, 20}, S::DCards, true), (Rgb{144, 21, 240}));
  EXPECT_EQ(SchemeColour({255, 0, 0}, S::DCards, true), (Rgb{153, 0, 255}));
  EXPECT_EQ(SchemeColour({76, 0, 0}, S::DCards, true), (Rgb{46, 0, 76}));     // 45.6
  EXPECT_EQ(SchemeColour({75, 0, 0}, S::DCards, true), (Rgb{75, 0, 0}));      // not near red
  EXPECT_EQ(SchemeColour({255, 15, 5}, S::DCards, true), (Rgb{153, 10, 255})); // 10.5 -> 10
  EXPECT_EQ(SchemeColour({255, 255, 255}, S::DCards, true), (Rgb{255, 255, 255}));
  EXPECT_EQ(SchemeColour({40, 40, 40}, S::DCards, true), (Rgb{40, 40, 40}));
}

TEST(ButtonColours, LighteningMovesHalfwayToWhiteAt50) {
  EXPECT_EQ(Lighten({0, 0, 0}, 50), (Rgb{128, 128, 128}));       // 127.5 -> 128
  EXPECT_EQ(Lighten({1, 2, 3}, 50), (Rgb{128, 128, 129}));        // 128, 128.5 -> 128, 129
  EXPECT_EQ(Lighten({100, 101, 255}, 50), (Rgb{178, 178, 255}));  // 177.5 -> 178, 178
  EXPECT_EQ(Lighten({17, 0, 0}, 50), (Rgb{136, 128, 128}));
  EXPECT_EQ(Lighten({128, 0, 0}, 50), (Rgb{192, 128, 128}));      // 191.5 -> 192
  EXPECT_EQ(Lighten({5, 10, 250}, 10), (Rgb{30, 34, 250}));       // 30, 34.5 -> 34, 250.5 -> 250
  EXPECT_EQ(Lighten({200, 100, 0}, 0), (Rgb{200, 100, 0}));
  EXPECT_EQ(Lighten({200, 100, 0}, 100), (Rgb{255, 255, 255}));
  EXPECT_EQ(Lighten({200, 100, 0}, 200), (Rgb{255, 255, 255}));   // never past white
}

TEST(ButtonColours, LighteningAfterTheScheme) {
  EXPECT_EQ(Recolour({255, 0, 0}, S::DGreen, 50, false), (Rgb{128, 255, 128}));
  EXPECT_EQ(Recolour({200, 100, 50}, S::DCards, 50, false), (Rgb{198, 128, 228}));  // (140,0,200) lightened
  EXPECT_EQ(Recolour({0, 0, 0}, S::DRed, 50, false), (Rgb{128, 128, 128}));
}

TEST(ButtonColours, NewStyleLightensOnlyNearRed) {
  EXPECT_EQ(Recolour({255, 0, 0}, S::DRed, 50, true), (Rgb{255, 128, 128}));
  EXPECT_EQ(Recolour({0, 0, 0}, S::DRed, 50, true), (Rgb{0, 0, 0}));
  EXPECT_EQ(Recolour({255, 200, 200}, S::DRed, 50, true), (Rgb{255, 200, 200}));
  EXPECT_EQ(Recolour({75, 0, 0}, S::DRed, 50, true), (Rgb{75, 0, 0}));
  EXPECT_EQ(Recolour({76, 0, 0}, S::DRed, 50, true), (Rgb{166, 128, 128}));  // 165.5 -> 166
  // Near red is judged on the picture's own colour, before the scheme.
  EXPECT_EQ(Recolour({255, 0, 0}, S::DGreen, 50, true), (Rgb{128, 255, 128}));
  EXPECT_EQ(Recolour({0, 0, 255}, S::DGreen, 50, true), (Rgb{0, 0, 255}));
  // The other schemes change every pixel in the new style too.
  EXPECT_EQ(Recolour({20, 40, 60}, S::DNavy, 0, true), (Rgb{60, 40, 20}));
  EXPECT_EQ(Recolour({240, 30, 20}, S::DCards, 50, true), (Rgb{200, 138, 248}));  // (144,21,240) lightened
}

TEST(ButtonColours, PictureRecolourKeepsAlphaAndLeavesRedAlone) {
  QImage picture(4, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(200, 100, 50, 255));
  picture.setPixel(1, 0, qRgba(255, 0, 0, 128));
  picture.setPixel(2, 0, qRgba(0, 0, 0, 0));
  picture.setPixel(3, 0, qRgba(100, 100, 100, 255));
  const QImage same = Recolour(picture, S::DRed, 0, false);
  EXPECT_EQ(same, picture);
  const QImage green = Recolour(picture, S::DGreen, 0, false);
  EXPECT_EQ(green.pixel(0, 0), qRgba(100, 200, 50, 255));
  EXPECT_EQ(green.pixel(1, 0), qRgba(0, 255, 0, 128));
  EXPECT_EQ(qAlpha(green.pixel(2, 0)), 0);
  const QImage light = Recolour(picture, S::DRed, 50, true);
  EXPECT_EQ(light.pixel(0, 0), qRgba(228, 178, 152, 255));  // 125 from red: near
  EXPECT_EQ(light.pixel(3, 0), qRgba(100, 100, 100, 255));  // 210 from red: not near
  EXPECT_EQ(light.pixel(1, 0), qRgba(255, 128, 128, 128));
}

TEST(ButtonColours, GradientAt30IsTheListedLines) {
  const std::vector<Rgb> expected = {
      {128, 0, 0},    {17, 0, 0},     {135, 91, 91},  {232, 173, 173}, {223, 163, 163}, {215, 153, 153},
      {207, 145, 145}, {200, 136, 136}, {194, 127, 127}, {188, 117, 117}, {184, 108, 108}, {180, 99, 99},
      {178, 89, 89},  {176, 80, 80},  {152, 36, 36},  {136, 0, 0},    {144, 0, 0},    {153, 0, 0},
      {161, 0, 0},    {170, 0, 0},    {178, 0, 0},    {187, 0, 0},    {195, 0, 0},    {204, 0, 0},
      {212, 0, 0},    {221, 0, 0},    {229, 0, 0},    {238, 0, 0},    {128, 0, 0}};
  EXPECT_EQ(GradientLines(30), expected);
}

struct Plan {
  int height;
  Rgb dark;
  Rgb band_start;
  Rgb band_light;
  Rgb band_end;
  Rgb deep;
  int ramp_from;
  int ramp_to;
  int ramp_lines;
};

TEST(ButtonColours, GradientsAt45And60FollowThePlan) {
  const Plan plans[] = {
      {45, {11, 0, 0}, {132, 93, 93}, {239, 180, 180}, {175, 74, 74}, {153, 34, 34}, 136, 244, 20},
      {60, {9, 0, 0}, {131, 94, 94}, {243, 183, 183}, {172, 71, 71}, {150, 33, 33}, 132, 246, 28},
  };
  for (const Plan& plan : plans) {
    SCOPED_TRACE(plan.height);
    const std::vector<Rgb>& lines = GradientLines(plan.height);
    ASSERT_EQ(static_cast<int>(lines.size()), plan.height - 1);
    EXPECT_EQ(lines[0], (Rgb{128, 0, 0}));
    EXPECT_EQ(lines[1], plan.dark);
    EXPECT_EQ(lines[2], plan.band_start);
    EXPECT_EQ(lines[3], plan.band_light);
    const std::size_t ramp_start = lines.size() - 1 - static_cast<std::size_t>(plan.ramp_lines);
    const std::size_t band_end = ramp_start - 2;
    EXPECT_EQ(lines[band_end], plan.band_end);
    for (std::size_t i = 4; i <= band_end; ++i) {
      EXPECT_LE(lines[i].r, lines[i - 1].r) << i;
      EXPECT_LT(lines[i].g, lines[i - 1].g) << i;
      EXPECT_EQ(lines[i].g, lines[i].b) << i;
    }
    EXPECT_EQ(lines[band_end + 1], plan.deep);
    EXPECT_EQ(lines[ramp_start], (Rgb{plan.ramp_from, 0, 0}));
    EXPECT_EQ(lines[lines.size() - 2], (Rgb{plan.ramp_to, 0, 0}));
    for (std::size_t i = ramp_start + 1; i < lines.size() - 1; ++i) {
      EXPECT_GT(lines[i].r, lines[i - 1].r) << i;
      EXPECT_EQ(lines[i].g, 0);
      EXPECT_EQ(lines[i].b, 0);
    }
    EXPECT_EQ(lines.back(), (Rgb{128, 0, 0}));
  }
  EXPECT_TRUE(GradientLines(29).empty());
  EXPECT_TRUE(GradientLines(20).empty());
  EXPECT_TRUE(GradientLines(61).empty());
}

TEST(ButtonColours, ResamplingRefusesPalettedAndGreyPictures) {
  QImage paletted(4, 4, QImage::Format_Indexed8);
  paletted.setColorTable({qRgb(255, 0, 0)});
  paletted.fill(0);
  try {
    ResampleBilinear(paletted, QSize(2, 2));
    FAIL() << "no error";
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(std::string(error.what()), "Only COLOR_RGBALPHA and COLOR_RGB formats are supported");
  }
  EXPECT_THROW(ResampleBilinear(QImage(4, 4, QImage::Format_Grayscale8), QSize(2, 2)), std::invalid_argument);
  EXPECT_NO_THROW(ResampleBilinear(QImage(4, 4, QImage::Format_RGB32), QSize(2, 2)));
}

TEST(ButtonColours, ResamplingIsBilinear) {
  QImage two(2, 1, QImage::Format_ARGB32);
  two.setPixel(0, 0, qRgb(0, 0, 0));
  two.setPixel(1, 0, qRgb(200, 100, 40));
  const QImage four = ResampleBilinear(two, QSize(4, 1));
  // Centres at 0.5, 1.5, 2.5, 3.5 map to -0.25 (clamped), 0.25, 0.75, 1.25 (clamped).
  EXPECT_EQ(four.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(four.pixel(1, 0), qRgb(50, 25, 10));
  EXPECT_EQ(four.pixel(2, 0), qRgb(150, 75, 30));
  EXPECT_EQ(four.pixel(3, 0), qRgb(200, 100, 40));
  QImage flat(8, 29, QImage::Format_ARGB32);
  flat.fill(qRgb(12, 34, 56));
  const QImage small = ResampleBilinear(flat, QSize(5, 19));
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(small.pixel(x, y), qRgb(12, 34, 56));
}

}  // namespace
}  // namespace varnok
