#include "gif_file.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace varnok::recording::testing {

namespace {

struct Source {
  const QByteArray* bytes;
  qsizetype at = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int length) {
  auto* source = static_cast<Source*>(gif->UserData);
  const int n = int(std::min<qsizetype>(length, source->bytes->size() - source->at));
  std::memcpy(out, source->bytes->constData() + source->at, std::size_t(std::max(0, n)));
  source->at += std::max(0, n);
  return std::max(0, n);
}

}  // namespace

GifInfo ReadGifInfo(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ReadGifInfo(file.readAll());
}

GifInfo ReadGifInfo(const QByteArray& bytes) {
  GifInfo info;
  Source source{&bytes};
  int code = 0;
  GifFileType* gif = DGifOpen(&source, ReadBytes, &code);
  if (gif == nullptr) return info;
  if (DGifSlurp(gif) == GIF_OK) {
    info.ok = true;
    info.screen = QSize(gif->SWidth, gif->SHeight);
    info.frames = gif->ImageCount;
    for (int i = 0; i < gif->ImageCount; ++i) {
      GraphicsControlBlock control{};
      info.delays_cs.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime : -1);
      const SavedImage& image = gif->SavedImages[i];
      for (int e = 0; e < image.ExtensionBlockCount; ++e) {
        const ExtensionBlock& block = image.ExtensionBlocks[e];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
          info.loops = true;
        }
      }
    }
  }
  DGifCloseFile(gif, &code);
  return info;
}

QList<QImage> DecodeFrames(const QByteArray& gif) {
  QByteArray copy = gif;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "gif");
  QList<QImage> frames;
  for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) frames.append(frame);
  return frames;
}

Difference Compare(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return {};
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  int largest = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) {
      for (int d : {std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                    std::abs(qBlue(p[col]) - qBlue(q[col]))}) {
        sum += d;
        largest = std::max(largest, d);
      }
    }
  }
  return {sum / (3.0 * x.width() * x.height()), largest};
}

}  // namespace varnok::recording::testing
