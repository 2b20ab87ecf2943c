// Animated GIF files: frames with their own display times, reduced to at
// most 256 colours with libimagequant and written with giflib.
//
// Two ways to choose the colours:
//  * one palette for all frames (EncodeGif with GifPalette::Shared), for
//    small drawn animations whose colours must not flicker;
//  * one palette per frame (GifStreamEncoder, or EncodeGif with
//    GifPalette::PerFrame), for pictures of a real screen. The stream encoder
//    compresses each frame as it is added, so only the finished frames and the
//    picture before the newest stay in memory.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <cstdint>

#include <vector>

namespace varnok {

struct GifFrame {
  QImage image;
  int delay_ms = 100;  // display time; stored in hundredths of a second (at least 2)
};

enum class GifPalette { Shared, PerFrame };

struct GifOptions {
  GifPalette palette = GifPalette::Shared;
  int loops = 0;  // 0 repeats for ever, -1 plays once (no repeat block), N repeats N times
};

// Encodes frames (all of one size) as an animated GIF. Pixels under half
// opacity become the transparent colour; the rest are opaque. False with
// *error when there are no frames, their sizes differ or a library fails.
bool EncodeGif(const QList<GifFrame>& frames, const GifOptions& options, QByteArray& gif, QString* error);

// Builds an animated GIF frame by frame, one palette per frame. Every frame
// after the first stores only the rectangle that changed; a frame of another
// size than the first is placed at the top left of a black picture of the
// first one's size.
class GifStreamEncoder {
 public:
  explicit GifStreamEncoder(int loops = 0);

  // Quantises and compresses the picture at once. False with *error when a
  // library fails (the frame is then not added).
  bool AddFrame(const QImage& image, int delay_ms, QString* error);

  int FrameCount() const { return int(frames_.size()); }
  QSize Size() const { return size_; }
  // The display time of frame `index` (0-based; ignored when out of range).
  void SetDelay(int index, int delay_ms);
  int Delay(int index) const;

  // The whole file; false with *error when no frame was added.
  bool Finish(QByteArray& gif, QString* error) const;

  // Drops every frame.
  void Clear();

 private:
  struct Encoded {
    QByteArray block;        // image descriptor, local colour map and picture data
    int delay_ms = 100;
    int transparent = -1;    // index of the colour that keeps the pixel below, or -1
  };
  int loops_;
  QSize size_;
  std::vector<std::uint8_t> previous_;  // RGBA of the newest frame added
  QByteArray global_map_;               // the first frame's palette (3 bytes a colour)
  int global_bits_ = 1;
  std::vector<Encoded> frames_;
};

}  // namespace varnok
