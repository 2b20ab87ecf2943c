#include "gif_writer.h"

#include <QPainter>
#include <QRect>

#include <gif_lib.h>
#include <libimagequant.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace varnok {

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

void GiflibError(QString* error, int code) {
  SetError(error, QStringLiteral("giflib: %1").arg(QString::fromUtf8(GifErrorString(code))));
}

// The palette as a giflib colour map of 2^bits entries, the unused ones black;
// null with *error when giflib cannot make one.
ColorMapObject* ColourMap(const liq_palette& palette, int bits, QString* error) {
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (map == nullptr) {
    SetError(error, QStringLiteral("giflib cannot make a colour map"));
    return nullptr;
  }
  for (int c = 0; c < (1 << bits); ++c) {
    const bool used = c < int(palette.count);
    map->Colors[c].Red = used ? palette.entries[c].r : 0;
    map->Colors[c].Green = used ? palette.entries[c].g : 0;
    map->Colors[c].Blue = used ? palette.entries[c].b : 0;
  }
  return map;
}

// The smallest rectangle holding every pixel (of `pixel_bytes` bytes) that
// differs between two pictures of `size`; empty when none does.
QRect ChangedArea(const std::uint8_t* now, const std::uint8_t* before, QSize size, std::size_t pixel_bytes) {
  const int width = size.width();
  const std::size_t row_bytes = std::size_t(width) * pixel_bytes;
  int left = width, top = size.height(), right = -1, bottom = -1;
  for (int y = 0; y < size.height(); ++y) {
    const std::uint8_t* a = now + std::size_t(y) * row_bytes;
    const std::uint8_t* b = before + std::size_t(y) * row_bytes;
    if (std::memcmp(a, b, row_bytes) == 0) continue;
    top = std::min(top, y);
    bottom = y;
    for (int x = 0; x < width; ++x) {
      if (std::memcmp(a + std::size_t(x) * pixel_bytes, b + std::size_t(x) * pixel_bytes, pixel_bytes) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void PutWord(QByteArray& out, int value) {
  out.append(char(value & 0xFF));
  out.append(char((value >> 8) & 0xFF));
}

// One palette for every frame; transparent pixels stay transparent.
bool EncodeShared(const QList<GifFrame>& pictures, int loops, QByteArray& gif, QString* error) {
  if (pictures.isEmpty()) {
    SetError(error, QStringLiteral("an animation needs frames"));
    return false;
  }
  std::vector<RgbaFrame> frames;
  bool transparent = false;
  for (const GifFrame& picture : pictures) {
    frames.push_back(ToTwoLevelAlpha(picture.image));
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
  ColorMapObject* map = ColourMap(*palette, bits, error);
  if (map == nullptr) return false;

  gif.clear();
  int code = 0;
  GifFileType* file = EGifOpen(&gif, WriteToByteArray, &code);
  if (file == nullptr) {
    GifFreeMapObject(map);
    GiflibError(error, code);
    return false;
  }
  EGifSetGifVersion(file, true);
  bool ok = EGifPutScreenDesc(file, width, height, bits, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  if (ok && loops >= 0) {
    // The NETSCAPE2.0 block: 0 repeats for ever; without it the animation plays once.
    const GifByteType loop[3] = {1, GifByteType(loops & 0xFF), GifByteType(loops >> 8)};
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
      area = ChangedArea(indexed[i].data(), indexed[i - 1].data(), QSize(width, height), 1);
      if (area.isEmpty()) area = QRect(0, 0, 1, 1);
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
    control.DelayTime = Centiseconds(pictures[qsizetype(i)].delay_ms);
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
    GiflibError(error, code);
    return false;
  }
  return true;
}

// The picture as opaque RGBA of `size`: transparent parts turn black, and a
// picture of another size sits at the top left of a black one.
std::vector<std::uint8_t> OpaqueRgba(const QImage& picture, QSize size) {
  QImage image(size, QImage::Format_RGBA8888);
  image.fill(Qt::black);
  if (picture.size() == size && !picture.hasAlphaChannel()) {
    image = picture.convertToFormat(QImage::Format_RGBA8888);
  } else {
    QPainter painter(&image);
    painter.drawImage(0, 0, picture);
  }
  std::vector<std::uint8_t> rgba(std::size_t(size.width()) * std::size_t(size.height()) * 4);
  const std::size_t row_bytes = std::size_t(size.width()) * 4;
  for (int y = 0; y < size.height(); ++y) {
    std::memcpy(rgba.data() + std::size_t(y) * row_bytes, image.constScanLine(y), row_bytes);
  }
  for (std::size_t p = 3; p < rgba.size(); p += 4) rgba[p] = 255;
  return rgba;
}

}  // namespace

bool EncodeGif(const QList<GifFrame>& frames, const GifOptions& options, QByteArray& gif, QString* error) {
  if (options.palette == GifPalette::Shared) return EncodeShared(frames, options.loops, gif, error);
  if (frames.isEmpty()) {
    SetError(error, QStringLiteral("an animation needs frames"));
    return false;
  }
  GifStreamEncoder encoder(options.loops);
  for (const GifFrame& frame : frames) {
    if (frame.image.size() != frames.front().image.size()) {
      SetError(error, QStringLiteral("the frames differ in size"));
      return false;
    }
    if (!encoder.AddFrame(frame.image, frame.delay_ms, error)) return false;
  }
  return encoder.Finish(gif, error);
}

GifStreamEncoder::GifStreamEncoder(int loops) : loops_(loops) {}

void GifStreamEncoder::Clear() {
  size_ = QSize();
  previous_.clear();
  previous_.shrink_to_fit();
  global_map_.clear();
  global_bits_ = 1;
  frames_.clear();
}

void GifStreamEncoder::SetDelay(int index, int delay_ms) {
  if (index >= 0 && index < FrameCount()) frames_[std::size_t(index)].delay_ms = delay_ms;
}

int GifStreamEncoder::Delay(int index) const {
  return index >= 0 && index < FrameCount() ? frames_[std::size_t(index)].delay_ms : 0;
}

bool GifStreamEncoder::AddFrame(const QImage& image, int delay_ms, QString* error) {
  if (image.isNull() || image.width() > 65535 || image.height() > 65535) {
    SetError(error, QStringLiteral("a GIF frame needs a picture of 1 to 65535 pixels a side"));
    return false;
  }
  const bool first = frames_.empty();
  const QSize size = first ? image.size() : size_;
  std::vector<std::uint8_t> rgba = OpaqueRgba(image, size);

  // A later frame stores only the rectangle that changed; its unchanged
  // pixels take an extra colour that shows the frame before through.
  QRect area(QPoint(0, 0), size);
  if (!first) {
    area = ChangedArea(rgba.data(), previous_.data(), size, 4);
    if (area.isEmpty()) area = QRect(0, 0, 1, 1);
  }
  std::vector<std::uint8_t> crop(std::size_t(area.width()) * std::size_t(area.height()) * 4);
  for (int y = 0; y < area.height(); ++y) {
    const std::size_t from = (std::size_t(area.top() + y) * std::size_t(size.width()) + std::size_t(area.left())) * 4;
    std::memcpy(crop.data() + std::size_t(y) * std::size_t(area.width()) * 4, rgba.data() + from,
                std::size_t(area.width()) * 4);
  }

  LiqPtr<liq_attr> attr(liq_attr_create());
  if (!attr) {
    SetError(error, QStringLiteral("libimagequant cannot start"));
    return false;
  }
  liq_set_max_colors(attr.get(), first ? 256 : 255);
  liq_set_speed(attr.get(), 8);
  LiqPtr<liq_image> picture(liq_image_create_rgba(attr.get(), crop.data(), area.width(), area.height(), 0.0));
  liq_result* raw_result = nullptr;
  if (!picture || liq_image_quantize(picture.get(), attr.get(), &raw_result) != LIQ_OK) {
    SetError(error, QStringLiteral("libimagequant cannot find a palette"));
    return false;
  }
  LiqPtr<liq_result> result(raw_result);
  liq_set_dithering_level(result.get(), 0.5f);
  std::vector<std::uint8_t> indexed(std::size_t(area.width()) * std::size_t(area.height()));
  if (liq_write_remapped_image(result.get(), picture.get(), indexed.data(), indexed.size()) != LIQ_OK) {
    SetError(error, QStringLiteral("libimagequant cannot map a frame"));
    return false;
  }
  const liq_palette* palette = liq_get_palette(result.get());
  const int keep = first ? -1 : int(palette->count);
  if (!first) {
    for (int y = 0; y < area.height(); ++y) {
      for (int x = 0; x < area.width(); ++x) {
        const std::size_t at = (std::size_t(area.top() + y) * std::size_t(size.width()) + std::size_t(area.left() + x)) * 4;
        if (std::memcmp(rgba.data() + at, previous_.data() + at, 4) == 0) {
          indexed[std::size_t(y) * std::size_t(area.width()) + std::size_t(x)] = std::uint8_t(keep);
        }
      }
    }
  }
  const int colours = std::max(2, int(palette->count) + (first ? 0 : 1));
  const int bits = std::max(1, GifBitSize(colours));
  ColorMapObject* map = ColourMap(*palette, bits, error);
  if (map == nullptr) return false;

  // giflib writes the frame as a file of its own; its image block (from the
  // image separator to just before the trailer) is kept.
  QByteArray whole;
  int code = 0;
  GifFileType* file = EGifOpen(&whole, WriteToByteArray, &code);
  if (file == nullptr) {
    GifFreeMapObject(map);
    GiflibError(error, code);
    return false;
  }
  bool ok = EGifPutScreenDesc(file, size.width(), size.height(), bits, 0, nullptr) == GIF_OK &&
            EGifPutImageDesc(file, area.x(), area.y(), area.width(), area.height(), false, map) == GIF_OK;
  for (int y = 0; ok && y < area.height(); ++y) {
    ok = EGifPutLine(file, indexed.data() + std::size_t(y) * std::size_t(area.width()), area.width()) == GIF_OK;
  }
  code = ok ? 0 : file->Error;
  int close_code = 0;
  if (EGifCloseFile(file, &close_code) != GIF_OK && ok) {
    ok = false;
    code = close_code;
  }
  constexpr qsizetype kHeader = 13;  // signature and logical screen descriptor
  if (ok && (whole.size() < kHeader + 2 || whole.at(kHeader) != ',' || whole.back() != ';')) {
    ok = false;
    code = E_GIF_ERR_WRITE_FAILED;
  }
  if (!ok) {
    GifFreeMapObject(map);
    GiflibError(error, code);
    return false;
  }
  if (first) {
    size_ = size;
    global_bits_ = bits;
    global_map_.clear();
    for (int c = 0; c < map->ColorCount; ++c) {
      global_map_.append(char(map->Colors[c].Red));
      global_map_.append(char(map->Colors[c].Green));
      global_map_.append(char(map->Colors[c].Blue));
    }
  }
  GifFreeMapObject(map);
  frames_.push_back(Encoded{whole.mid(kHeader, whole.size() - kHeader - 1), delay_ms, keep});
  previous_ = std::move(rgba);
  return true;
}

bool GifStreamEncoder::Finish(QByteArray& gif, QString* error) const {
  if (frames_.empty()) {
    SetError(error, QStringLiteral("an animation needs frames"));
    return false;
  }
  gif.clear();
  gif.append("GIF89a");
  PutWord(gif, size_.width());
  PutWord(gif, size_.height());
  gif.append(char(0x80 | ((global_bits_ - 1) << 4) | (global_bits_ - 1)));  // global colour map follows
  gif.append(char(0));  // background colour
  gif.append(char(0));  // pixel aspect
  gif.append(global_map_);
  if (loops_ >= 0) {
    // The NETSCAPE2.0 block: 0 repeats for ever; without it the animation plays once.
    gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    PutWord(gif, loops_ & 0xFFFF);
    gif.append(char(0));
  }
  for (const Encoded& frame : frames_) {
    // Graphic control: the frame before stays under this one.
    gif.append("\x21\xF9\x04", 3);
    gif.append(char((DISPOSE_DO_NOT << 2) | (frame.transparent >= 0 ? 1 : 0)));
    PutWord(gif, Centiseconds(frame.delay_ms));
    gif.append(char(frame.transparent >= 0 ? frame.transparent : 0));
    gif.append(char(0));
    gif.append(frame.block);
  }
  gif.append(';');
  return true;
}

}  // namespace varnok
