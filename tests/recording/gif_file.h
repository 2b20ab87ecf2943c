// Reading a written GIF back: its frames with their delays through giflib,
// and the frames as a viewer shows them through Qt's GIF reader.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <cstdlib>
#include <vector>

namespace varnok::recording::testing {

struct GifInfo {
  bool ok = false;
  QSize screen;
  int frames = 0;
  std::vector<int> delays_cs;  // every frame's display time in hundredths of a second
  bool loops = false;          // carries a NETSCAPE2.0 repeat block
};

GifInfo ReadGifInfo(const QString& path);
GifInfo ReadGifInfo(const QByteArray& gif);

// Every frame as shown (earlier frames under the later ones).
QList<QImage> DecodeFrames(const QByteArray& gif);

// The mean and the largest difference of the colour channels of two pictures
// of one size (alpha ignored); -1 when their sizes differ.
struct Difference {
  double mean = -1;
  int largest = -1;
};
Difference Compare(const QImage& a, const QImage& b);

}  // namespace varnok::recording::testing
