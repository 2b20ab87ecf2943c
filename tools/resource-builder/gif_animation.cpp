#include "gif_animation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRect>
#include <QSvgRenderer>

#include <gif_lib.h>
#include <libimagequant.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace varnok::builder {

namespace {

void SetError(QString* error, const QString& message) {
  if (error) *error = message;
}

// A frame as RGBA bytes, every pixel either transparent (0,0,0,0) or opaque.
struct RgbaFrame {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  bool transparent = false;  // some pixel is transparent
};

RgbaFrame ToTwoLevelAlpha(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGBA8888);
  RgbaFrame frame{image.width(), image.height(), {}, false};
  frame.rgba.resize(std::size_t(frame.width) * std::size_t(frame.height) * 4);
  for (int y = 0; y < frame.height; ++y) {
    const std::uint8_t* in = image.constScanLine(y);
    std::uint8_t* out = frame.rgba.data() + std::size_t(y) * std::size_t(frame.width) * 4;
    for (int x = 0; x < frame.width; ++x, in += 4, out += 4) {
      if (in[3] < 128) {
        out[0] = out[1] = out[2] = out[3] = 0;
        frame.transparent = true;
      } else {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = 255;
      }
    }
  }
  return frame;
}

int Centiseconds(int ms) { return std::clamp(int(std::lround(ms / 10.0)), 2, 65535); }

int WriteToByteArray(GifFileType* gif, const GifByteType* bytes, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
  return length;
}

struct LiqDeleter {
  void operator()(liq_attr* p) const { liq_attr_destroy(p); }
  void operator()(liq_histogram* p) const { liq_histogram_destroy(p); }
  void operator()(liq_image* p) const { liq_image_destroy(p); }
  void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <typename T>
using LiqPtr = std::unique_ptr<T, LiqDeleter>;

}  // namespace

bool ReadAnimationTiming(const QString& path, AnimationTiming& timing, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    SetError(error, QStringLiteral("cannot read %1").arg(path));
    return false;
  }
  timing = AnimationTiming{};
  int number = 0;
  while (!file.atEnd()) {
    ++number;
    QString line = QString::fromUtf8(file.readLine());
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    if (hash >= 0) line.truncate(hash);
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) continue;
    bool ok = words.size() == 2;
    const int value = ok ? words[1].toInt(&ok) : 0;
    if (words[0] == QLatin1String("delay") && ok && value > 0) {
      timing.delay_ms = value;
    } else if (words[0] == QLatin1String("last") && ok && value > 0) {
      timing.last_ms = value;
    } else if (words[0] == QLatin1String("loop") && words.size() == 2 && words[1] == QLatin1String("forever")) {
      timing.loops = 0;
    } else if (words[0] == QLatin1String("loop") && words.size() == 2 && words[1] == QLatin1String("once")) {
      timing.loops = -1;
    } else if (words[0] == QLatin1String("loop") && ok && value > 0 && value < 65536) {
      timing.loops = value;
    } else {
      SetError(error, QStringLiteral("%1:%2: expected \"delay MS\", \"last MS\" or \"loop forever|once|N\"")
                          .arg(path).arg(number));
      return false;
    }
  }
  return true;
}

bool RenderAnimation(const QString& path, QSize size, QList<QImage>& frames, AnimationTiming& timing,
                     QString* error) {
  if (!ReadAnimationTiming(path, timing, error)) return false;
  const QDir folder = QFileInfo(path).dir();
  const QStringList names = folder.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
  if (names.size() < 2) {
    SetError(error, QStringLiteral("%1 needs at least two *.svg frames").arg(folder.path()));
    return false;
  }
  frames.clear();
  for (const QString& name : names) {
    QSvgRenderer svg(folder.filePath(name));
    if (!svg.isValid()) {
      SetError(error, QStringLiteral("cannot read the drawing %1").arg(name));
      return false;
    }
    QSize target = size;
    if (!target.isValid()) {
      target = svg.defaultSize();
    } else {
      const QSizeF drawn = svg.viewBoxF().size();
      const double ratio = (drawn.width() / drawn.height()) / (double(target.width()) / target.height());
      if (ratio < 0.99 || ratio > 1.01) {
        SetError(error, QStringLiteral("the frame %1's proportions differ from %2x%3")
                            .arg(name).arg(target.width()).arg(target.height()));
        return false;
      }
    }
    if (!frames.isEmpty() && target != frames.first().size()) {
      SetError(error, QStringLiteral("the frame %1 differs in size from the first").arg(name));
      return false;
    }
    QImage picture(target, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    svg.render(&p);
    p.end();
    frames.append(picture);
  }
  return true;
}

bool EncodeGif(const QList<QImage>& pictures, const AnimationTiming& timing, QByteArray& gif, QString* error) {
  if (pictures.isEmpty()) {
    SetError(error, QStringLiteral("an animation needs frames"));
    return false;
  }
  std::vector<RgbaFrame> frames;
  bool transparent = false;
  for (const QImage& picture : pictures) {
    frames.push_back(ToTwoLevelAlpha(picture));
    transparent = transparent || frames.back().transparent;
  }
  const int width = frames.front().width;
  const int height = frames.front().height;

  // One palette for all frames, so colours do not flicker from frame to frame.
  LiqPtr<liq_attr> attr(liq_attr_create());
  // An opaque animation keeps one index free: its later frames mark the
  // pixels that did not change with it, which compresses far better.
  liq_set_max_colors(attr.get(), transparent ? 256 : 255);
  liq_set_speed(attr.get(), 4);
  LiqPtr<liq_histogram> histogram(liq_histogram_create(attr.get()));
  std::vector<LiqPtr<liq_image>> images;
  for (RgbaFrame& frame : frames) {
    if (frame.width != width || frame.height != height) {
      SetError(error, QStringLiteral("the frames differ in size"));
      return false;
    }
    images.emplace_back(liq_image_create_rgba(attr.get(), frame.rgba.data(), width, height, 0.0));
    if (!images.back() || liq_histogram_add_image(histogram.get(), attr.get(), images.back().get()) != LIQ_OK) {
      SetError(error, QStringLiteral("libimagequant cannot read a frame"));
      return false;
    }
  }
  liq_result* raw_result = nullptr;
  if (liq_histogram_quantize(histogram.get(), attr.get(), &raw_result) != LIQ_OK) {
    SetError(error, QStringLiteral("libimagequant cannot find a palette"));
    return false;
  }
  LiqPtr<liq_result> result(raw_result);
  liq_set_dithering_level(result.get(), 0.0f);

  std::vector<std::vector<std::uint8_t>> indexed(frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    indexed[i].resize(std::size_t(width) * std::size_t(height));
    if (liq_write_remapped_image(result.get(), images[i].get(), indexed[i].data(), indexed[i].size()) != LIQ_OK) {
      SetError(error, QStringLiteral("libimagequant cannot map a frame"));
      return false;
    }
  }
  const liq_palette* palette = liq_get_palette(result.get());
  const int unchanged_index = transparent ? -1 : int(palette->count);
  const int colours = std::max(2, int(palette->count) + (transparent ? 0 : 1));
  // Every colour under half opacity shows as the one transparent colour.
  int transparent_index = -1;
  std::vector<std::uint8_t> remap(256);
  for (int c = 0; c < 256; ++c) remap[std::size_t(c)] = std::uint8_t(c);
  for (int c = 0; c < int(palette->count); ++c) {
    if (palette->entries[c].a >= 128) continue;
    if (transparent_index < 0) transparent_index = c;
    remap[std::size_t(c)] = std::uint8_t(transparent_index);
  }
  if (transparent_index >= 0) {
    for (auto& frame : indexed) {
      for (auto& pixel : frame) pixel = remap[pixel];
    }
  }

  const int bits = std::max(1, GifBitSize(colours));
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (map == nullptr) {
    SetError(error, QStringLiteral("giflib cannot make a colour map"));
    return false;
  }
  for (int c = 0; c < (1 << bits); ++c) {
    const bool used = c < int(palette->count);
    map->Colors[c].Red = used ? palette->entries[c].r : 0;
    map->Colors[c].Green = used ? palette->entries[c].g : 0;
    map->Colors[c].Blue = used ? palette->entries[c].b : 0;
  }

  gif.clear();
  int code = 0;
  GifFileType* file = EGifOpen(&gif, WriteToByteArray, &code);
  if (file == nullptr) {
    GifFreeMapObject(map);
    SetError(error, QStringLiteral("giflib: %1").arg(QString::fromUtf8(GifErrorString(code))));
    return false;
  }
  EGifSetGifVersion(file, true);
  bool ok = EGifPutScreenDesc(file, width, height, bits, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  if (ok && timing.loops >= 0) {
    // The NETSCAPE2.0 block: 0 repeats for ever; without it the animation plays once.
    const GifByteType loop[3] = {1, GifByteType(timing.loops & 0xFF), GifByteType(timing.loops >> 8)};
    ok = EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(file, 11, "NETSCAPE2.0") == GIF_OK &&
         EGifPutExtensionBlock(file, 3, loop) == GIF_OK && EGifPutExtensionTrailer(file) == GIF_OK;
  }
  // A later frame stores only what changed: unchanged pixels get the
  // "keep" index (transparent in that frame) and the frame before stays in
  // place under it. In a transparent animation that works only when no pixel
  // turns transparent; otherwise the frame before is cleared and the frame is
  // stored whole. Opaque animations also crop each frame to what changed.
  const int keep_index = transparent ? transparent_index : unchanged_index;
  std::vector<bool> as_delta(indexed.size(), false);
  for (std::size_t i = 1; i < indexed.size(); ++i) {
    bool fits = keep_index >= 0;
    for (std::size_t p = 0; fits && transparent && p < indexed[i].size(); ++p) {
      fits = !(indexed[i][p] == keep_index && indexed[i - 1][p] != keep_index);
    }
    as_delta[i] = fits;
  }
  for (std::size_t i = 0; ok && i < indexed.size(); ++i) {
    QRect area(0, 0, width, height);
    if (!transparent && i > 0) {
      int left = width, top = height, right = -1, bottom = -1;
      for (int y = 0; y < height; ++y) {
        const std::uint8_t* now = indexed[i].data() + std::size_t(y) * std::size_t(width);
        const std::uint8_t* before = indexed[i - 1].data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
          if (now[x] == before[x]) continue;
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
      area = right < 0 ? QRect(0, 0, 1, 1) : QRect(QPoint(left, top), QPoint(right, bottom));
    }
    std::vector<GifPixelType> pixels(indexed[i].begin(), indexed[i].end());
    if (as_delta[i]) {
      for (std::size_t p = 0; p < pixels.size(); ++p) {
        if (indexed[i][p] == indexed[i - 1][p]) pixels[p] = GifPixelType(keep_index);
      }
    }
    GraphicsControlBlock control{};
    const bool last = i + 1 == indexed.size();
    // The last frame is cleared too: the first one is drawn whole when the
    // animation starts again.
    control.DisposalMode = transparent && (last || !as_delta[i + 1]) ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = Centiseconds(last && timing.last_ms > 0 ? timing.last_ms : timing.delay_ms);
    control.TransparentColor = as_delta[i] ? keep_index : transparent_index >= 0 ? transparent_index : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK &&
         EGifPutImageDesc(file, area.x(), area.y(), area.width(), area.height(), false, nullptr) == GIF_OK;
    for (int y = area.top(); ok && y <= area.bottom(); ++y) {
      GifPixelType* row = pixels.data() + std::size_t(y) * std::size_t(width) + std::size_t(area.x());
      ok = EGifPutLine(file, row, area.width()) == GIF_OK;
    }
  }
  code = ok ? 0 : file->Error;
  int close_code = 0;
  if (EGifCloseFile(file, &close_code) != GIF_OK && ok) {
    ok = false;
    code = close_code;
  }
  if (!ok) {
    SetError(error, QStringLiteral("giflib: %1").arg(QString::fromUtf8(GifErrorString(code))));
    return false;
  }
  return true;
}

}  // namespace varnok::builder
