#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>

#include "frame_grab.h"
#include "recording_notice.h"

namespace varnok::recording {
namespace {

TEST(RecordingNotice, IsCentredOnTheClientAreaWithHalvesToEven) {
  struct Case {
    QSize client;
    QPoint at;
  };
  for (const Case& c : {Case{{760, 500}, {292, 230}}, Case{{761, 501}, {293, 230}}, Case{{1000, 700}, {412, 330}},
                        Case{{1141, 750}, {483, 355}}, Case{{175, 40}, {0, 0}}}) {
    EXPECT_EQ(RecordingNoticeRect(c.client), QRect(c.at, QSize(175, 40))) << c.client.width() << "x" << c.client.height();
  }
}

// Counts the pixels that are clearly red (the text).
int RedPixels(const QImage& image, QRect area) {
  int red = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      red += c.red() > 180 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
    }
  }
  return red;
}

TEST(RecordingNotice, ShowsTheTableAtTheCornersAndRedTextOnTheBar) {
  QImage table(175, 40, QImage::Format_RGB32);
  table.fill(QColor(20, 40, 200));
  const QImage notice = DrawRecordingNotice(table, QStringLiteral("Creating a GIF..."));
  ASSERT_EQ(notice.size(), QSize(175, 40));
  // The bar has rounded corners: the table shows through there.
  EXPECT_EQ(notice.pixelColor(0, 0), QColor(20, 40, 200));
  // Its middle is the bar, not the table.
  EXPECT_NE(notice.pixelColor(87, 6), QColor(20, 40, 200));
  // The text sits in the middle, below y 10.
  EXPECT_GT(RedPixels(notice, QRect(20, 10, 135, 28)), 40);
  EXPECT_EQ(RedPixels(notice, QRect(0, 0, 175, 9)), 0);
  const QImage blank = DrawRecordingNotice(table, QStringLiteral(" "));
  EXPECT_EQ(RedPixels(blank, QRect(0, 0, 175, 40)), 0);
}

TEST(RecordingNotice, DefaultsToTheWordTableText) {
  const QImage notice = DrawRecordingNotice(QImage());
  EXPECT_GT(RedPixels(notice, QRect(0, 10, 175, 30)), 40);
}

TEST(GrabMainWindow, TakesTheClientAreaOfAShownWindowAndNothingOfAHiddenOne) {
  QWidget window;
  window.setAutoFillBackground(true);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(30, 110, 60));
  window.setPalette(palette);
  window.resize(120, 80);
  EXPECT_TRUE(GrabMainWindow(window, 1).isNull());
  window.show();
  for (int capture : {1, 2}) {
    const QImage frame = GrabMainWindow(window, capture);
    ASSERT_FALSE(frame.isNull()) << capture;
    EXPECT_GE(frame.width(), 120) << capture;
    EXPECT_GE(frame.height(), 80) << capture;
  }
  const QImage client = GrabMainWindow(window, 1);
  EXPECT_EQ(client.size(), QSize(120, 80) * window.devicePixelRatio());
  EXPECT_EQ(client.pixelColor(60, 40), QColor(30, 110, 60));
}

}  // namespace
}  // namespace varnok::recording
