// The table's own cursors are read from the program's resources; the
// system's stand in when they are not wanted or cannot be read.
#include <gtest/gtest.h>

#include <QPixmap>

#include "cursors.h"
#include "loader.h"
#include "window_driver.h"

namespace varnok {
namespace {

TEST(TableCursors, OwnCursorsComeFromTheResourcesWithTheirHotSpot) {
  testing::EnsureApplication();
  for (CursorKind kind : {CursorKind::Arrow, CursorKind::Hand, CursorKind::Wait, CursorKind::Edit}) {
    const QCursor own = TableCursor(kind, true);
    EXPECT_EQ(own.shape(), Qt::BitmapCursor) << static_cast<int>(kind);
    EXPECT_FALSE(own.pixmap().isNull());
    EXPECT_TRUE(own.pixmap().rect().contains(own.hotSpot()));
    EXPECT_NE(TableCursor(kind, false).shape(), Qt::BitmapCursor);
  }
  EXPECT_EQ(TableCursor(CursorKind::Hand, false).shape(), Qt::PointingHandCursor);
}

TEST(TableCursors, BytesThatAreNoCursorAreRefused) {
  testing::EnsureApplication();
  EXPECT_FALSE(CursorFromCurData(QByteArray()).has_value());
  EXPECT_FALSE(CursorFromCurData(QByteArray("not a cursor at all, just text")).has_value());
  QByteArray data;
  ASSERT_TRUE(LoadData(QStringLiteral("CURHAND"), QString(), data));
  EXPECT_TRUE(CursorFromCurData(data).has_value());
  EXPECT_FALSE(CursorFromCurData(data.left(30)).has_value()) << "a cut-off file";
}

}  // namespace
}  // namespace varnok
