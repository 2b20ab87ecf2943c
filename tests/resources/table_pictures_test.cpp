// The table's pictures as the program asks for them: every background choice
// in every window size, the status pictures with their small and big
// variants, the clock digit sets, the cursors with their hotspots, the
// language flags and the country flags of the six continents.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QString>

#include "loader.h"
#include "names.h"

namespace varnok {
namespace {

class TablePictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)); }
  static void TearDownTestSuite() { SetProgramFolder(QString()); }
};

QImage Picture(const QString& name, const QString& library = QString()) {
  QImage picture;
  LoadBitmap(name, library, picture);
  return picture;
}

TEST_F(TablePictures, EveryBackgroundChoiceLoadsAtItsWindowSize) {
  const ResourceLibrary builtin{QString()};
  const ResourceLibrary library{QString::fromLatin1(kBackgroundLibrary)};
  ASSERT_TRUE(library.IsOpen());
  for (int picture = 1; picture <= 10; ++picture) {
    for (int colour = 0; colour <= 6; ++colour) {
      // Modes 2 to 5 all take the large picture.
      for (const int mode : {2, 3, 4}) {
        EXPECT_EQ(BackgroundName(picture, colour, mode), BackgroundName(picture, colour, 5));
      }
      for (const int mode : {1, 5}) {
        const QString name = QString::fromStdString(BackgroundName(picture, colour, mode));
        const bool own = BackgroundLibrary(picture, colour).empty();
        QByteArray data;
        ASSERT_TRUE((own ? builtin : library).Data(name, data)) << name.toStdString();
        QImageReader reader(new QBuffer(&data), "JPEG");
        EXPECT_EQ(reader.size(), mode == 1 ? QSize(760, 500) : QSize(1520, 1000)) << name.toStdString();
        delete reader.device();
      }
    }
  }
}

TEST_F(TablePictures, TheDefaultTableIsGreenBaize) {
  QImage table;
  ASSERT_TRUE(LoadJpeg(QStringLiteral("FonG"), QString(), table));
  const QColor middle = table.pixelColor(380, 250);
  EXPECT_GT(middle.green(), middle.red() + 30);
  EXPECT_GT(middle.green(), middle.blue() + 20);
}

TEST_F(TablePictures, BigVariantsAreTwiceTheSmallOnes) {
  const std::pair<const char*, const char*> pairs[] = {
      {"TabloSm", "TabloBg"},     {"RamkaBBSm", "RamkaBBBg"}, {"RamkaERSm", "RamkaERBg"},
      {"SPBlue", "SPBlueB"},      {"SPGreen", "SPGreenB"},    {"SPYellow", "SPYellowB"},
  };
  for (const auto& [small, big] : pairs) {
    const QImage a = Picture(QString::fromLatin1(small));
    const QImage b = Picture(QString::fromLatin1(big));
    ASSERT_FALSE(a.isNull()) << small;
    EXPECT_EQ(b.size(), a.size() * 2) << big;
  }
  EXPECT_EQ(Picture(QStringLiteral("TabloSm")).size(), QSize(155, 95));
  EXPECT_EQ(Picture(QStringLiteral("RamkaBBSm")).size(), QSize(120, 150));
  EXPECT_EQ(Picture(QStringLiteral("SPBlue")).size(), QSize(160, 20));
}

TEST_F(TablePictures, BubblesAreOpaqueInTheMiddleAndClearInTheCorners) {
  for (const char* name : {"SPBlue", "SPGreen", "SPYellow", "SPBlueB"}) {
    const QImage bubble = Picture(QString::fromLatin1(name)).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(bubble.pixel(0, 0)), 0) << name;
    EXPECT_EQ(qAlpha(bubble.pixel(bubble.width() / 2, bubble.height() / 2)), 255) << name;
  }
}

TEST_F(TablePictures, EveryClockHasItsTenDigitsAndMinus) {
  EXPECT_EQ(Picture(QStringLiteral("GClockBG")).size(), QSize(115, 64));
  for (const QChar set : QStringLiteral("BRAGYVLN")) {
    for (const QChar symbol : QStringLiteral("0123456789M")) {
      if (set == QLatin1Char('B') && symbol == QLatin1Char('M')) continue;
      const QString name = QStringLiteral("G%1Clock%2").arg(set).arg(symbol);
      EXPECT_EQ(Picture(name).size(), QSize(20, 40)) << name.toStdString();
    }
  }
  EXPECT_FALSE(Picture(QStringLiteral("GBClockP")).isNull());
  for (const char* icon : {"Windows", "Android", "Account48", "LampR24", "LampY24", "LampG24"}) {
    EXPECT_FALSE(Picture(QString::fromLatin1(icon)).isNull()) << icon;
  }
}

TEST_F(TablePictures, CursorsAreWindowsCursorFilesWithTheirHotspots) {
  const struct {
    const char* name;
    int x, y;
  } cursors[] = {{"CURARROW", 1, 1}, {"CURHAND", 10, 1}, {"CURWAIT", 16, 16}, {"CUREDIT", 16, 16}};
  for (const auto& cursor : cursors) {
    QByteArray data;
    ASSERT_TRUE(LoadData(QString::fromLatin1(cursor.name), QString(), data)) << cursor.name;
    // ICONDIR: reserved 0, type 2 (cursor), one picture; the entry's hotspot.
    ASSERT_GE(data.size(), 22) << cursor.name;
    EXPECT_EQ(data[0], 0);
    EXPECT_EQ(data[2], 2) << cursor.name;
    EXPECT_EQ(data[4], 1) << cursor.name;
    const auto word = [&data](int at) { return int(uchar(data[at])) | int(uchar(data[at + 1])) << 8; };
    EXPECT_EQ(word(10), cursor.x) << cursor.name;
    EXPECT_EQ(word(12), cursor.y) << cursor.name;
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "cur");
    const QImage picture = reader.read();
    ASSERT_FALSE(picture.isNull()) << cursor.name << ": " << reader.errorString().toStdString();
    EXPECT_EQ(picture.size(), QSize(32, 32)) << cursor.name;
    // The hotspot lies on the drawn cursor or right next to it.
    bool near = false;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const QPoint p(cursor.x + dx, cursor.y + dy);
        if (picture.rect().contains(p) && qAlpha(picture.pixel(p)) > 128) near = true;
      }
    }
    EXPECT_TRUE(near) << cursor.name;
  }
}

TEST_F(TablePictures, EveryLanguageHasItsFlag) {
  for (const char* code : {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"}) {
    const QString name = QStringLiteral("FlagO") + QString::fromLatin1(code);
    EXPECT_EQ(Picture(name).size(), QSize(68, 100)) << name.toStdString();
  }
}

TEST_F(TablePictures, EveryContinentHasAFlagForEachCountryOfItsList) {
  const int rows[] = {49, 52, 36, 15, 24, 55};  // Europe, Asia, North and South America, Oceania, Africa
  for (int continent = 1; continent <= 6; ++continent) {
    for (int index = 0; index < rows[continent - 1]; ++index) {
      const QString name = QStringLiteral("Flag%1_%2").arg(continent).arg(index, 3, 10, QLatin1Char('0'));
      EXPECT_EQ(Picture(name).size(), QSize(16, 11)) << name.toStdString();
    }
    const QString past = QStringLiteral("Flag%1_%2").arg(continent).arg(rows[continent - 1], 3, 10, QLatin1Char('0'));
    EXPECT_TRUE(Picture(past).isNull()) << past.toStdString();
  }
  // Russia is white, blue and red from the top.
  const QImage russia = Picture(QStringLiteral("Flag1_001"));
  EXPECT_GT(qBlue(russia.pixel(8, 5)), qRed(russia.pixel(8, 5)));
  EXPECT_GT(qRed(russia.pixel(8, 9)), qBlue(russia.pixel(8, 9)));
}

TEST_F(TablePictures, ThePurpleDesignHasItsTableInTheGraphicsLibrary) {
  QImage table;
  ASSERT_TRUE(LoadJpeg(QStringLiteral("BGLilu"), QString::fromLatin1(kGraphicsLibrary), table));
  EXPECT_EQ(table.size(), QSize(760, 500));
  const QColor middle = table.pixelColor(380, 250);
  EXPECT_GT(middle.blue(), middle.green());
  EXPECT_GT(middle.red(), middle.green());
}

}  // namespace
}  // namespace varnok
