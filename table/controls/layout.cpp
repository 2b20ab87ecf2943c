#include "layout.h"

#include <algorithm>
#include <cmath>

namespace varnok {

namespace {

// Values this close to a half (or to a factor threshold) are taken as equal.
// The factors are decimals or quotients of the client size by 760 or 500, so
// a true non-half never comes within 1e-7 of a half.
constexpr double kTolerance = 1e-9;

struct ModeRow {
  int w;
  int h;
  double factor;
  int wordsRow;
  const char* hint;
};

// Modes 1..5; mode 2 takes its size from the window's client area.
constexpr std::array<ModeRow, 5> kModes{{
    {760, 500, 1.0, 44, "760 x 500"},
    {0, 0, 0.0, 48, ""},
    {990, 650, 1.3, 45, "990 x 650"},
    {1290, 850, 1.7, 46, "1290 x 850"},
    {1520, 1000, 2.0, 47, "1520 x 1000"},
}};

struct LayerRow {
  Layer layer;
  const char* name;
  int x, y, w, h;
};

constexpr std::array<LayerRow, kLayerCount> kLayers{{
    {Layer::ImageCards1, "ImageCards1", 20, 10, 290, 96},
    {Layer::ImageCards2, "ImageCards2", 450, 10, 290, 96},
    {Layer::ImageCards3, "ImageCards3", 150, 395, 460, 96},
    {Layer::ImageCards4, "ImageCards4", 0, 0, 0, 0},
    {Layer::ImageTab1, "ImageTab1", 88, 140, 155, 95},
    {Layer::ImageTab2, "ImageTab2", 513, 140, 155, 95},
    {Layer::ImageTab3, "ImageTab3", 88, 280, 155, 95},
    {Layer::ImageTab4, "ImageTab4", 0, 0, 0, 0},
    {Layer::ImageSay1, "ImageSay1", 85, 115, 160, 20},
    {Layer::ImageSay2, "ImageSay2", 510, 115, 160, 20},
    {Layer::ImageSay3, "ImageSay3", 300, 370, 160, 20},
    {Layer::ImageSay4, "ImageSay4", 0, 0, 0, 0},
    {Layer::ImageStol, "ImageStol", 269, 160, 222, 200},
    {Layer::ImageKon, "ImageKon", 320, 5, 120, 150},
    {Layer::ImageMemo, "ImageMemo", 620, 373, 130, 90},
    {Layer::ImageKoloda, "ImageKoloda", 0, 0, 0, 0},
    {Layer::ImageHelp, "ImageHelp", 0, 0, 0, 0},
}};

const LayerRow& RowOf(Layer layer) { return kLayers[static_cast<std::size_t>(layer)]; }

constexpr std::array<QPoint, 3> kTrickCards{{{0, 0}, {148, 0}, {74, 100}}};
constexpr std::array<QPoint, 3> kWidowCards{{{0, 50}, {74, 50}, {148, 50}}};

QRect CardPlace(const LayoutState& s, const CardSize& card, int margin, QPoint design) {
  return QRect(ScaleLen(s, design.x() + margin), ScaleLen(s, design.y()), card.CardW, card.CardH);
}

}  // namespace

int RoundHalfEven(double value) {
  const double floor = std::floor(value);
  if (std::abs(value - floor - 0.5) < kTolerance) {
    const auto low = static_cast<long long>(floor);
    return static_cast<int>(low % 2 == 0 ? low : low + 1);
  }
  return static_cast<int>(std::llround(value));
}

bool IsWindowMode(int mode) { return mode >= kSmallWindow && mode <= kLargeWindow; }

LayoutState LayoutForMode(int mode, QSize fullScreenClient) {
  if (!IsWindowMode(mode)) mode = kSmallWindow;
  LayoutState s;
  s.WindowMode = mode;
  if (mode == kFullScreen) {
    const QSize client = ClientSizeOfMode(mode, fullScreenClient);
    s.WindowW = client.width();
    s.WindowH = client.height();
    s.ScaleXFactor = static_cast<double>(s.WindowW) / kDesignW;
    s.ScaleYFactor = static_cast<double>(s.WindowH) / kDesignH;
    s.ScaleK = std::min(s.ScaleXFactor, s.ScaleYFactor);
    return s;
  }
  const ModeRow& row = kModes[static_cast<std::size_t>(mode - 1)];
  s.WindowW = row.w;
  s.WindowH = row.h;
  s.ScaleXFactor = s.ScaleYFactor = s.ScaleK = row.factor;
  return s;
}

QSize ClientSizeOfMode(int mode, QSize fullScreenClient) {
  if (!IsWindowMode(mode)) mode = kSmallWindow;
  if (mode == kFullScreen) {
    if (fullScreenClient.width() < 1 || fullScreenClient.height() < 1) return QSize(kDesignW, kDesignH);
    return fullScreenClient;
  }
  const ModeRow& row = kModes[static_cast<std::size_t>(mode - 1)];
  return QSize(row.w, row.h);
}

QString WindowModeHint(int mode) {
  if (!IsWindowMode(mode)) return QString();
  return QString::fromLatin1(kModes[static_cast<std::size_t>(mode - 1)].hint);
}

int WindowModeWordsRow(int mode) {
  if (!IsWindowMode(mode)) return 0;
  return kModes[static_cast<std::size_t>(mode - 1)].wordsRow;
}

int ScaleLen(const LayoutState& s, int n) { return RoundHalfEven(n * s.ScaleK); }

int ScaleX(const LayoutState& s, int x, int w) {
  return RoundHalfEven(x * s.ScaleXFactor) + RoundHalfEven((s.ScaleXFactor - s.ScaleK) * w / 2.0);
}

int ScaleY(const LayoutState& s, int y, int h) {
  return RoundHalfEven(y * s.ScaleYFactor) + RoundHalfEven((s.ScaleYFactor - s.ScaleK) * h / 2.0);
}


CardSize CardSizeFor(const LayoutState& s, bool fullWidth) {
  if (s.ScaleK >= 2.0 - kTolerance) return CardSize{fullWidth ? 146 : 126, 198, kCardSetLarge};
  if (s.ScaleK >= 1.3 - kTolerance)
    return CardSize{ScaleLen(s, fullWidth ? 71 : 61), ScaleLen(s, 96), kCardSetStretched};
  return CardSize{71, 96, kCardSetNormal};
}

int DealMargin(int mode, bool fullWidth) { return mode == kSmallWindow || fullWidth ? 0 : 5; }

const std::array<Layer, kLayerCount>& AllLayers() {
  static const std::array<Layer, kLayerCount> all = [] {
    std::array<Layer, kLayerCount> a{};
    for (std::size_t i = 0; i < a.size(); ++i) a[i] = kLayers[i].layer;
    return a;
  }();
  return all;
}

QString LayerName(Layer layer) { return QString::fromLatin1(RowOf(layer).name); }

bool IsHandLayer(Layer layer) {
  return layer == Layer::ImageCards1 || layer == Layer::ImageCards2 || layer == Layer::ImageCards3 ||
         layer == Layer::ImageCards4;
}

QRect LayerDesign(Layer layer) {
  const LayerRow& row = RowOf(layer);
  return QRect(row.x, row.y, row.w, row.h);
}

QRect PlaceLayer(const LayoutState& s, Layer layer, int cardH) {
  const QRect d = LayerDesign(layer);
  if (d.width() == 0 && d.height() == 0) return QRect(0, 0, 0, 0);
  const int height = IsHandLayer(layer) ? cardH : ScaleLen(s, d.height());
  return QRect(ScaleX(s, d.x(), d.width()), ScaleY(s, d.y(), d.height()), ScaleLen(s, d.width()), height);
}

std::array<QRect, kLayerCount> PlaceLayers(const LayoutState& s, int cardH) {
  std::array<QRect, kLayerCount> rects{};
  for (Layer layer : AllLayers()) rects[static_cast<std::size_t>(layer)] = PlaceLayer(s, layer, cardH);
  return rects;
}

QPoint TrickCardDesign(int seat) {
  if (seat < 1 || seat > 3) return QPoint();
  return kTrickCards[static_cast<std::size_t>(seat - 1)];
}

QPoint WidowCardDesign(int index) {
  if (index < 1 || index > 3) return QPoint();
  return kWidowCards[static_cast<std::size_t>(index - 1)];
}

QRect TrickCardPlace(const LayoutState& s, const CardSize& card, int margin, int seat) {
  if (seat < 1 || seat > 3) return QRect();
  return CardPlace(s, card, margin, TrickCardDesign(seat));
}

QRect WidowCardPlace(const LayoutState& s, const CardSize& card, int margin, int index) {
  if (index < 1 || index > 3) return QRect();
  return CardPlace(s, card, margin, WidowCardDesign(index));
}

}  // namespace varnok
