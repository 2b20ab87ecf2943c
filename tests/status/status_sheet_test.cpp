// A picture of the table's status drawings in the small and the large window:
// the three score panels, bubbles, the round panel with the progress strip,
// move clocks and, in the large window, the menu's clocks. Written to
// $VARNOK_STATUS_SHEET or <temp>/status_sheet.png for a look by eye.
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include "clock_drawing.h"
#include "loader.h"
#include "names.h"
#include "status_test.h"

namespace varnok::testing {
namespace {

QImage TableBackground(const LayoutState& layout) {
  QImage picture;
  const QString name = QString::fromStdString(BackgroundName(2, 0, layout.WindowMode));
  if (!LoadJpeg(name, QString(), picture)) picture = PatternBackground(QSize(kDesignW, kDesignH));
  return picture.scaled(layout.WindowW, layout.WindowH).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

PanelUpdate Panel(int ordered, int score, int points, bool marker) {
  PanelUpdate update;
  update.marker = marker;
  update.reset = true;
  update.ordered = ordered < 0 ? PanelField::Blank() : PanelField::Of(ordered);
  update.score = PanelField::Of(score);
  update.points = PanelField::Of(points);
  return update;
}

// The whole window of a mode with its status layers drawn.
QImage Table(int mode) {
  const LayoutState layout = LayoutForMode(mode);
  const QImage background = TableBackground(layout);
  QImage window = background;
  QPainter painter(&window);
  auto draw = [&](QRect rect, const std::function<void(LayerCanvas&)>& paint) {
    QImage image;
    LayerCanvas canvas{image, rect, background};
    paint(canvas);
    painter.drawImage(rect.topLeft(), image);
  };
  const Layer panels[] = {Layer::ImageTab1, Layer::ImageTab2, Layer::ImageTab3};
  const PanelUpdate updates[] = {Panel(-1, 377, 45, true), Panel(135, -12, 120, false), Panel(-1, 501, -37, false)};
  for (int seat = 1; seat <= 3; ++seat) {
    draw(PlaceLayer(layout, panels[seat - 1], 96),
         [&](LayerCanvas& c) { DrawScorePanel(c, layout, seat, updates[seat - 1], seat == 3); });
  }
  const Layer bubbles[] = {Layer::ImageSay1, Layer::ImageSay2, Layer::ImageSay3};
  const QString texts[] = {QStringLiteral("I play on 135"), QStringLiteral("Pass"), QStringLiteral("Guest   ")};
  const BubbleStyle styles[] = {BubbleStyle::Announce, BubbleStyle::Pass, BubbleStyle::Name};
  for (int i = 0; i < 3; ++i) {
    draw(PlaceLayer(layout, bubbles[i], 96), [&](LayerCanvas& c) { ShowBubble(c, layout, texts[i], styles[i]); });
  }
  draw(MoveClockRect(PlaceLayer(layout, Layer::ImageSay1, 96)), [&](LayerCanvas& c) { DrawMoveClock(c, layout, 12); });
  draw(MoveClockRect(PlaceLayer(layout, Layer::ImageSay2, 96)), [&](LayerCanvas& c) { DrawMoveClock(c, layout, 5); });
  draw(PlaceLayer(layout, Layer::ImageKon, 96), [&](LayerCanvas& c) {
    DrawRoundPanel(c, layout, 12, kHearts, 0);
  });
  // A second round panel in the middle of the table: no trump yet, the
  // computer's bid estimate under way.
  draw(PlaceLayer(layout, Layer::ImageKon, 96).translated(0, ScaleLen(layout, 200)), [&](LayerCanvas& c) {
    DrawRoundPanel(c, layout, 25, kNoSuit, 0);
    DrawBidProgress(c, layout, 52);
  });
  if (layout.ScaleK >= 1.6) {
    const int top = layout.WindowH - 80;
    draw(QRect(20, top, 115, 64), [&](LayerCanvas& c) { DrawDigitalClock(c, QTime(9, 5, 0, 700)); });
    draw(QRect(145, top, 115, 64), [&](LayerCanvas& c) { DrawOnlinePanel(c, 1, QStringLiteral("1234"), QChar()); });
    draw(QRect(270, top, 115, 64),
         [&](LayerCanvas& c) { DrawOnlinePanel(c, 2, QStringLiteral("-38"), QLatin1Char('K')); });
    draw(QRect(395, top, 115, 64), [&](LayerCanvas& c) { DrawOnlinePanel(c, 7, QStringLiteral("98765"), QChar()); });
  }
  return window;
}

class StatusSheet : public StatusTest {};

TEST_F(StatusSheet, SmallAndLargeWindowsAreWritten) {
  const QImage small = Table(1);
  const QImage large = Table(5);
  QImage sheet(large.width(), small.height() + large.height(), QImage::Format_ARGB32_Premultiplied);
  sheet.fill(kSilver);
  {
    QPainter painter(&sheet);
    painter.drawImage(0, 0, small);
    painter.drawImage(0, small.height(), large);
  }
  QString path = qEnvironmentVariable("VARNOK_STATUS_SHEET");
  if (path.isEmpty()) path = QDir::temp().filePath(QStringLiteral("status_sheet.png"));
  ASSERT_TRUE(sheet.save(path)) << path.toStdString();
  // The small window twice as large, pixel for pixel, to judge the details.
  QString zoomed = path;
  zoomed.replace(QLatin1String(".png"), QLatin1String("_small2x.png"));
  ASSERT_TRUE(small.copy(60, 0, 460, 500).scaled(920, 1000).save(zoomed)) << zoomed.toStdString();
  // The menu's clocks of the large window, twice as large.
  QString clocks = path;
  clocks.replace(QLatin1String(".png"), QLatin1String("_clocks2x.png"));
  ASSERT_TRUE(large.copy(10, large.height() - 90, 510, 84).scaled(1020, 168).save(clocks)) << clocks.toStdString();
  // Every status picture left its mark on the table.
  EXPECT_NE(small, TableBackground(LayoutForMode(1)));
  EXPECT_NE(large, TableBackground(LayoutForMode(5)));
}

}  // namespace
}  // namespace varnok::testing
