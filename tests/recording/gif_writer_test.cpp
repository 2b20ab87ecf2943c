#include <gtest/gtest.h>

#include <QColor>
#include <QPainter>

#include "gif_file.h"
#include "gif_writer.h"

namespace varnok {
namespace {

using recording::testing::Compare;
using recording::testing::DecodeFrames;
using recording::testing::ReadGifInfo;

// A picture of many colours (far more than 256): a colour ramp with a card
// shape drawn at `x`.
QImage Scene(int x, QSize size = QSize(160, 100)) {
  QImage image(size, QImage::Format_RGB32);
  for (int row = 0; row < size.height(); ++row) {
    for (int col = 0; col < size.width(); ++col) {
      image.setPixel(col, row, qRgb(20 + col % 200, 90 + row % 150, 40 + (col * row) % 60));
    }
  }
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.setBrush(QColor(250, 244, 222));
  painter.drawRoundedRect(QRect(x, 20, 34, 48), 4, 4);
  painter.setBrush(QColor(180, 35, 45));
  painter.drawEllipse(QRect(x + 10, 35, 14, 14));
  return image;
}

TEST(GifStreamEncoder, FramesReadBackAsTheyWereGivenWithTheirDelays) {
  GifStreamEncoder encoder;
  const QList<QImage> scenes{Scene(10), Scene(40), Scene(41), Scene(120)};
  const std::vector<int> delays_ms{1000, 250, 10, 5000};
  for (int i = 0; i < scenes.size(); ++i) ASSERT_TRUE(encoder.AddFrame(scenes[i], delays_ms[std::size_t(i)], nullptr));
  QByteArray gif;
  ASSERT_TRUE(encoder.Finish(gif, nullptr));

  const auto info = ReadGifInfo(gif);
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(info.screen, QSize(160, 100));
  EXPECT_EQ(info.frames, 4);
  // Hundredths of a second; GIF viewers treat less than 2 as "as fast as
  // possible", so 10 ms is stored as 2.
  EXPECT_EQ(info.delays_cs, (std::vector<int>{100, 25, 2, 500}));
  EXPECT_TRUE(info.loops);

  const QList<QImage> shown = DecodeFrames(gif);
  ASSERT_EQ(shown.size(), scenes.size());
  for (int i = 0; i < scenes.size(); ++i) {
    const auto difference = Compare(shown[i], scenes[i]);
    EXPECT_LT(difference.mean, 5.0) << "frame " << i;
    EXPECT_LT(difference.largest, 48) << "frame " << i;
  }
}

TEST(GifStreamEncoder, LaterFramesStoreOnlyWhatChanged) {
  GifStreamEncoder moving;
  GifStreamEncoder still;
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(moving.AddFrame(Scene(i * 20), 100, nullptr));
    ASSERT_TRUE(still.AddFrame(Scene(i == 0 ? 0 : 100 + i), 100, nullptr));
  }
  QByteArray a, b;
  ASSERT_TRUE(moving.Finish(a, nullptr));
  ASSERT_TRUE(still.Finish(b, nullptr));
  // Small moves of one card cost far less than a whole picture each.
  EXPECT_LT(b.size(), a.size());
  QByteArray first;
  GifStreamEncoder one;
  ASSERT_TRUE(one.AddFrame(Scene(0), 100, nullptr));
  ASSERT_TRUE(one.Finish(first, nullptr));
  EXPECT_LT(b.size(), first.size() * 2);
}

TEST(GifStreamEncoder, APictureOfAnotherSizeSitsAtTheTopLeftOfTheFirstSize) {
  GifStreamEncoder encoder;
  ASSERT_TRUE(encoder.AddFrame(Scene(10), 100, nullptr));
  QImage small(40, 30, QImage::Format_RGB32);
  small.fill(QColor(200, 30, 30));
  ASSERT_TRUE(encoder.AddFrame(small, 100, nullptr));
  QImage wide = Scene(60, QSize(300, 200));
  ASSERT_TRUE(encoder.AddFrame(wide, 100, nullptr));
  QByteArray gif;
  ASSERT_TRUE(encoder.Finish(gif, nullptr));
  const QList<QImage> shown = DecodeFrames(gif);
  ASSERT_EQ(shown.size(), 3);
  EXPECT_EQ(shown[1].size(), QSize(160, 100));
  EXPECT_LT(Compare(shown[1].copy(0, 0, 40, 30), small).largest, 16);
  QImage black(120, 70, QImage::Format_RGB32);
  black.fill(Qt::black);
  EXPECT_LT(Compare(shown[1].copy(40, 30, 120, 70), black).mean, 1.0) << "black beyond";
  EXPECT_LT(Compare(shown[2], wide.copy(0, 0, 160, 100)).mean, 5.0);
}

TEST(GifStreamEncoder, RefusesNullPicturesAndAnEmptyFile) {
  GifStreamEncoder encoder;
  QString error;
  EXPECT_FALSE(encoder.AddFrame(QImage(), 100, &error));
  EXPECT_FALSE(error.isEmpty());
  QByteArray gif;
  error.clear();
  EXPECT_FALSE(encoder.Finish(gif, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(encoder.FrameCount(), 0);
}

TEST(GifStreamEncoder, DelaysCanBeChangedUntilTheFileIsWritten) {
  GifStreamEncoder encoder;
  ASSERT_TRUE(encoder.AddFrame(Scene(0), 300, nullptr));
  ASSERT_TRUE(encoder.AddFrame(Scene(5), 300, nullptr));
  encoder.SetDelay(1, 5000);
  encoder.SetDelay(7, 10);  // out of range: ignored
  EXPECT_EQ(encoder.Delay(0), 300);
  EXPECT_EQ(encoder.Delay(1), 5000);
  QByteArray gif;
  ASSERT_TRUE(encoder.Finish(gif, nullptr));
  EXPECT_EQ(ReadGifInfo(gif).delays_cs, (std::vector<int>{30, 500}));
}

TEST(EncodeGif, BothPaletteModesWriteEveryFrameWithItsDelayAndLoopSetting) {
  struct Case {
    GifPalette palette;
    int loops;
    bool loop_block;
  };
  for (const Case& c : {Case{GifPalette::Shared, 0, true}, Case{GifPalette::Shared, -1, false},
                        Case{GifPalette::PerFrame, 3, true}, Case{GifPalette::PerFrame, -1, false}}) {
    const QList<GifFrame> frames{{Scene(0), 120}, {Scene(30), 120}, {Scene(60), 900}};
    QByteArray gif;
    QString error;
    ASSERT_TRUE(EncodeGif(frames, GifOptions{c.palette, c.loops}, gif, &error)) << error.toStdString();
    const auto info = ReadGifInfo(gif);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.frames, 3);
    EXPECT_EQ(info.delays_cs, (std::vector<int>{12, 12, 90}));
    EXPECT_EQ(info.loops, c.loop_block);
    EXPECT_EQ(DecodeFrames(gif).size(), 3);
  }
}

TEST(EncodeGif, TheSharedPaletteKeepsTransparentPixelsTransparent) {
  QImage picture(20, 20, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter(&picture).fillRect(5, 5, 10, 10, QColor(200, 170, 60));
  QImage second = picture;
  QPainter(&second).fillRect(0, 0, 4, 4, QColor(20, 90, 40));
  QByteArray gif;
  ASSERT_TRUE(EncodeGif({{picture, 100}, {second, 100}}, GifOptions{}, gif, nullptr));
  const QList<QImage> shown = DecodeFrames(gif);
  ASSERT_EQ(shown.size(), 2);
  EXPECT_EQ(qAlpha(shown[0].pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(shown[0].pixel(10, 10)), 255);
  EXPECT_EQ(qAlpha(shown[1].pixel(1, 1)), 255);
  EXPECT_EQ(qAlpha(shown[1].pixel(18, 18)), 0);
}

TEST(EncodeGif, RefusesNoFramesAndFramesOfDifferentSizes) {
  QByteArray gif;
  for (GifPalette palette : {GifPalette::Shared, GifPalette::PerFrame}) {
    QString error;
    EXPECT_FALSE(EncodeGif({}, GifOptions{palette, 0}, gif, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(EncodeGif({{Scene(0), 100}, {Scene(0, QSize(80, 50)), 100}}, GifOptions{palette, 0}, gif, &error));
    EXPECT_FALSE(error.isEmpty());
  }
}

}  // namespace
}  // namespace varnok
