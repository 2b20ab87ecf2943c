// The menu's calendar strip: with the calendar library its sign and holidays
// have pictures, without it the strip is plain text; each calendar tick
// turns it to the next item, and a new day starts it over.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "../table/widget_test.h"
#include "calendar_days.h"
#include "calendar_strip.h"
#include "layout.h"
#include "loader.h"
#include "menu_layout.h"
#include "menu_screen.h"
#include "table_canvas.h"

namespace varnok {
namespace {

class CalendarStripTest : public testing::WidgetTest {
 protected:
  void TearDown() override { SetProgramFolder(QString()); }

  // The menu at window size `mode` on `date`, in `language`.
  CalendarStrip* ShowMenu(int mode, const QDate& date, int language) {
    const LayoutState layout = LayoutForMode(mode, QSize(1600, 900));
    canvas_ = std::make_unique<TableCanvas>();
    canvas_->ApplyLayout(layout, 96);
    QImage background;
    LoadJpeg(mode == kSmallWindow ? QStringLiteral("FonG") : QStringLiteral("FonGB"), QString(), background);
    canvas_->SetBackground(background);
    canvas_->resize(layout.WindowW, layout.WindowH);
    menu_ = new MenuScreen(canvas_.get(), [](const QString&) {});
    menu_->Calendar()->SetClock([this] { return today_; });
    today_ = date;
    MenuInputs in;
    in.layout = layout;
    in.animated = false;
    in.language = language;
    in.calendarShown = true;
    menu_->Show(in);
    return menu_->Calendar();
  }

  void SaveShot(const char* file) {
    QDir().mkpath(QStringLiteral(VARNOK_MENU_SHOT_DIR));
    EXPECT_TRUE(canvas_->grab().toImage().save(QStringLiteral(VARNOK_MENU_SHOT_DIR "/") + QString::fromLatin1(file)));
  }

  std::unique_ptr<TableCanvas> canvas_;
  MenuScreen* menu_ = nullptr;
  QDate today_;
};

TEST_F(CalendarStripTest, WithTheLibraryTheSignAndTheHolidaysHavePictures) {
  SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
  ASSERT_TRUE(LibraryPresent(QString::fromLatin1(kCalendarLibrary)));
  CalendarStrip* strip = ShowMenu(kSmallWindow, QDate(2026, 10, 3), 2);  // two holidays, German
  ASSERT_FALSE(strip->isHidden());
  EXPECT_TRUE(strip->Illustrated());
  EXPECT_EQ(strip->geometry(), CalendarStripRect(canvas_->Layout()));
  EXPECT_EQ(strip->DateText(), QStringLiteral("Samstag, 3. Oktober 2026"));
  // The sign first, then each holiday, then the sign again.
  const struct {
    const char* text;
    const char* picture;
  } turns[] = {{"Waage", "CalZod07"},
               {"Tag der Deutschen Einheit", "CalFlag"},
               {"Tag der Staatsgründung (Korea)", "CalFlag"},
               {"Waage", "CalZod07"}};
  ASSERT_EQ(strip->ItemCount(), 3);
  for (std::size_t i = 0; i < std::size(turns); ++i) {
    EXPECT_EQ(strip->ItemText(), QString::fromUtf8(turns[i].text)) << i;
    EXPECT_EQ(strip->ItemPicture(), QString::fromLatin1(turns[i].picture)) << i;
    if (i == 1) SaveShot("calendar_strip_pictures.png");
    strip->Turn();
  }
  // The strip's band is drawn with the picture: its right end differs from the plain strip's.
  const QImage drawn = strip->grab().toImage();
  EXPECT_FALSE(drawn.isNull());

  // Midnight: the next tick starts the new day over, at its sign.
  today_ = QDate(2026, 10, 4);
  strip->Turn();
  EXPECT_EQ(strip->Date(), QDate(2026, 10, 4));
  EXPECT_EQ(strip->ItemCount(), 1);
  EXPECT_EQ(strip->ItemText(), QStringLiteral("Waage"));
}

TEST_F(CalendarStripTest, WithoutTheLibraryTheStripIsPlainText) {
  QTemporaryDir empty;
  ASSERT_TRUE(empty.isValid());
  QDir(empty.path()).mkdir(QStringLiteral("program"));
  SetProgramFolder(empty.filePath(QStringLiteral("program")));
  ASSERT_FALSE(LibraryPresent(QString::fromLatin1(kCalendarLibrary)));
  CalendarStrip* strip = ShowMenu(kSmallWindow, QDate(2026, 12, 25), 1);
  ASSERT_FALSE(strip->isHidden());
  EXPECT_FALSE(strip->Illustrated());
  EXPECT_EQ(strip->ItemText(), QStringLiteral("Козерог"));
  strip->Turn();
  EXPECT_EQ(strip->ItemText(), QStringLiteral("Католическое Рождество"));
  SaveShot("calendar_strip_plain.png");

  // The same day with the library: the strip's right end now shows a picture.
  const QImage plain = strip->grab().toImage();
  SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
  CalendarStrip* illustrated = ShowMenu(kSmallWindow, QDate(2026, 12, 25), 1);
  illustrated->Turn();
  ASSERT_EQ(illustrated->ItemText(), QStringLiteral("Католическое Рождество"));
  const QImage pictured = illustrated->grab().toImage();
  ASSERT_EQ(plain.size(), pictured.size());
  const int icon = plain.height();
  EXPECT_NE(plain.copy(plain.width() - icon - 4, 0, icon, icon), pictured.copy(plain.width() - icon - 4, 0, icon, icon));
}

TEST_F(CalendarStripTest, TheSidePicturesMakeRoomAndTheStripGrowsWithTheWindow) {
  SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
  CalendarStrip* strip = ShowMenu(kLargeWindow, QDate(2026, 3, 8), 0);
  EXPECT_EQ(strip->geometry(), CalendarStripRect(canvas_->Layout()));
  EXPECT_GT(strip->height(), 40);
  EXPECT_EQ(canvas_->findChild<QWidget*>(QStringLiteral("ImageSvLeft"))->geometry(),
            MenuControlRect(canvas_->Layout(), MenuControl::ImageSvLeft, true));
  EXPECT_EQ(strip->ItemCount(), 2);
  SaveShot("calendar_menu_mode5.png");
  menu_->Hide();
  EXPECT_TRUE(strip->isHidden());
  const int turns = strip->Turns();
  menu_->TurnCalendar();  // a hidden menu's strip does not turn
  EXPECT_EQ(strip->Turns(), turns);
}

}  // namespace
}  // namespace varnok
