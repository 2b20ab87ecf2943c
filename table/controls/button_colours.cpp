#include "button_colours.h"

#include <QRgb>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace varnok {

int DivRoundEven(int num, int den) {
  const int quotient = num / den;
  const int twice_rest = 2 * (num % den);
  if (twice_rest > den || (twice_rest == den && quotient % 2 != 0)) return quotient + 1;
  return quotient;
}

bool NearRed(Rgb c) {
  const int dr = 255 - c.r;
  return dr * dr + c.g * c.g + c.b * c.b < 180 * 180;
}

Rgb SchemeColour(Rgb c, TColorSB scheme, bool nata) {
  const int r = c.r, g = c.g, b = c.b;
  switch (scheme) {
    case TColorSB::DRed:
      return c;
    case TColorSB::DGreen:
      return {g, r, b};
    case TColorSB::DBlue:
      return {b, r, r};
    case TColorSB::DNavy:
      return {b, g, r};
    case TColorSB::DYellow:
      return {r, r, b};
    case TColorSB::DViolet:
      return {r, g, r};
    case TColorSB::DOrang: {
      if (g >= r || b >= r) return c;
      const int blue = DivRoundEven(7 * b, 10);
      return {r, blue + DivRoundEven(4 * (r - blue), 10), blue};
    }
    case TColorSB::DCards:
      if (!nata) return {DivRoundEven(7 * r, 10), 0, r};
      if (!NearRed(c)) return c;
      return {DivRoundEven(6 * r, 10), DivRoundEven(7 * g, 10), r};
  }
  return c;
}

Rgb Lighten(Rgb c, int k) {
  if (k <= 0) return c;
  auto channel = [k](int v) { return std::min(255, DivRoundEven(100 * v + k * (255 - v), 100)); };
  return {channel(c.r), channel(c.g), channel(c.b)};
}

Rgb Recolour(Rgb c, TColorSB scheme, int k, bool nata) {
  Rgb out = SchemeColour(c, scheme, nata);
  if (k > 0 && (!nata || NearRed(c))) out = Lighten(out, k);
  return out;
}

QImage Recolour(const QImage& picture, TColorSB scheme, int k, bool nata) {
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  if (scheme == TColorSB::DRed && k <= 0) return out;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const QRgb pixel = line[x];
      const Rgb c = Recolour(Rgb{qRed(pixel), qGreen(pixel), qBlue(pixel)}, scheme, k, nata);
      line[x] = qRgba(c.r, c.g, c.b, qAlpha(pixel));
    }
  }
  return out;
}

bool IsRgbPicture(const QImage& picture) {
  switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
      return true;
    default:
      return false;
  }
}

QImage ResampleBilinear(const QImage& picture, QSize size) {
  if (!IsRgbPicture(picture)) throw std::invalid_argument("Only COLOR_RGBALPHA and COLOR_RGB formats are supported");
  QImage out(size, QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  if (picture.isNull() || size.isEmpty()) return out;
  const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int sw = source.width();
  const int sh = source.height();
  // Source coordinate of a target pixel's centre, and its two neighbours.
  struct Tap {
    int low;
    int high;
    double weight;
  };
  auto taps = [](int count, int source_count) {
    std::vector<Tap> result(static_cast<std::size_t>(count));
    const double scale = double(source_count) / count;
    for (int i = 0; i < count; ++i) {
      const double at = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(source_count - 1));
      const int low = static_cast<int>(std::floor(at));
      result[static_cast<std::size_t>(i)] = {low, std::min(low + 1, source_count - 1), at - low};
    }
    return result;
  };
  const std::vector<Tap> columns = taps(size.width(), sw);
  const std::vector<Tap> rows = taps(size.height(), sh);
  for (int y = 0; y < size.height(); ++y) {
    const Tap& row = rows[static_cast<std::size_t>(y)];
    const auto* top = reinterpret_cast<const QRgb*>(source.constScanLine(row.low));
    const auto* bottom = reinterpret_cast<const QRgb*>(source.constScanLine(row.high));
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const Tap& column = columns[static_cast<std::size_t>(x)];
      auto mix = [&](int (*channel)(QRgb)) {
        const double upper = channel(top[column.low]) * (1 - column.weight) + channel(top[column.high]) * column.weight;
        const double lower =
            channel(bottom[column.low]) * (1 - column.weight) + channel(bottom[column.high]) * column.weight;
        return std::clamp(static_cast<int>(std::lround(upper * (1 - row.weight) + lower * row.weight)), 0, 255);
      };
      const int alpha = mix(qAlpha);
      line[x] = qRgba(std::min(mix(qRed), alpha), std::min(mix(qGreen), alpha), std::min(mix(qBlue), alpha), alpha);
    }
  }
  return out;
}

const std::vector<Rgb>& GradientLines(int height) {
  // A dark red edge, a nearly black line, a pink highlight band that darkens
  // line by line, one darker line, a ramp of pure reds and a dark red edge.
  static const std::vector<Rgb> lines30 = {
      {128, 0, 0},    {17, 0, 0},     {135, 91, 91},  {232, 173, 173}, {223, 163, 163}, {215, 153, 153},
      {207, 145, 145}, {200, 136, 136}, {194, 127, 127}, {188, 117, 117}, {184, 108, 108},
      {180, 99, 99},  {178, 89, 89},  {176, 80, 80},  {152, 36, 36},  {136, 0, 0},    {144, 0, 0},
      {153, 0, 0},    {161, 0, 0},    {170, 0, 0},    {178, 0, 0},    {187, 0, 0},    {195, 0, 0},
      {204, 0, 0},    {212, 0, 0},    {221, 0, 0},    {229, 0, 0},    {238, 0, 0},    {128, 0, 0},
  };
  // The 45- and 60-line tables follow the same plan: the highlight band keeps
  // the shape of the 30-line band (green and blue fall evenly, red eases out),
  // and the red ramp rises evenly, each step cut down to a whole number.
  static const std::vector<Rgb> lines45 = {
      {128, 0, 0},    {11, 0, 0},     {132, 93, 93},  {239, 180, 180}, {233, 174, 174}, {228, 167, 167},
      {223, 161, 161}, {218, 155, 155}, {212, 150, 150}, {208, 145, 145}, {203, 139, 139},
      {199, 133, 133}, {196, 128, 128}, {192, 121, 121}, {188, 115, 115}, {186, 109, 109},
      {183, 104, 104}, {181, 98, 98},  {179, 92, 92},  {178, 86, 86},  {176, 80, 80},  {175, 74, 74},
      {153, 34, 34},  {136, 0, 0},    {141, 0, 0},    {147, 0, 0},    {153, 0, 0},    {158, 0, 0},
      {164, 0, 0},    {170, 0, 0},    {175, 0, 0},    {181, 0, 0},    {187, 0, 0},    {192, 0, 0},
      {198, 0, 0},    {204, 0, 0},    {209, 0, 0},    {215, 0, 0},    {221, 0, 0},    {226, 0, 0},
      {232, 0, 0},    {238, 0, 0},    {244, 0, 0},    {128, 0, 0},
  };
  static const std::vector<Rgb> lines60 = {
      {128, 0, 0},    {9, 0, 0},      {131, 94, 94},  {243, 183, 183}, {238, 178, 178}, {234, 173, 173},
      {230, 169, 169}, {226, 164, 164}, {221, 159, 159}, {217, 155, 155}, {213, 151, 151},
      {210, 147, 147}, {206, 143, 143}, {202, 138, 138}, {199, 134, 134}, {196, 130, 130},
      {193, 125, 125}, {190, 120, 120}, {187, 116, 116}, {185, 111, 111}, {183, 107, 107},
      {181, 103, 103}, {179, 98, 98},  {177, 94, 94},  {176, 89, 89},  {175, 84, 84},  {174, 80, 80},
      {173, 75, 75},  {172, 71, 71},  {150, 33, 33},  {132, 0, 0},    {136, 0, 0},    {140, 0, 0},
      {144, 0, 0},    {148, 0, 0},    {153, 0, 0},    {157, 0, 0},    {161, 0, 0},    {165, 0, 0},
      {170, 0, 0},    {174, 0, 0},    {178, 0, 0},    {182, 0, 0},    {186, 0, 0},    {191, 0, 0},
      {195, 0, 0},    {199, 0, 0},    {203, 0, 0},    {208, 0, 0},    {212, 0, 0},    {216, 0, 0},
      {220, 0, 0},    {224, 0, 0},    {229, 0, 0},    {233, 0, 0},    {237, 0, 0},    {241, 0, 0},
      {246, 0, 0},    {128, 0, 0},
  };
  static const std::vector<Rgb> none;
  switch (height) {
    case 30:
      return lines30;
    case 45:
      return lines45;
    case 60:
      return lines60;
    default:
      return none;
  }
}

}  // namespace varnok
