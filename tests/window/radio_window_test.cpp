// The radio and the music player on the real main window: the popup entry
// and the badge, the radio window's lists, switch, volume and logo, the
// state written at close; the player's buttons at window size 5 with the
// songs of a real varnok-server. With VARNOK_SHOT_DIR set, the radio window
// and the player buttons are saved there as pictures.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolTip>
#include <QEnterEvent>
#include <QTest>
#include <fstream>

#include "form_radio.h"
#include "menu_screen.h"
#include "music_player.h"
#include "music_player_buttons.h"
#include "radio.h"
#include "server_fixture.h"
#include "settings.h"
#include "silent_mp3.h"
#include "sound_player.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

const QByteArray kList =
    "# stations of the test (nothing listens on port 9)\n"
    "RUS#CLUB001#Varnok Club Radio#Russian Federation#http://127.0.0.1:9/radio/club#RRADIO_LOGO_CLUB\n"
    "RUS#NEWS001#Test News#Russian Federation#http://127.0.0.1:9/news#RRADIO_LOGO_NEWS\n"
    "RUS#BARE001#Bare Station#Russian Federation\n"
    "FRA#JAZZ001#Test Jazz#France#http://127.0.0.1:9/jazz#RRADIO_LOGO_JAZZ\n";

void Write(const QString& path, const QByteArray& data) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(data);
}

void WriteRadioOptions(const QString& folder, int mode) {
  Settings settings;
  settings.WindowMode = mode;
  settings.FlyingCards = false;
  settings.Music = false;
  settings.Sound = false;
  settings.RadioListFromServer = false;  // "From disk"
  std::ofstream out((folder + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
  out << FormatSettings(settings);
}

void Shoot(QWidget* widget, const char* name) {
  const QByteArray folder = qgetenv("VARNOK_SHOT_DIR");
  if (folder.isEmpty()) return;
  widget->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name)));
}

QAction* RadioEntry(MainWindow& w) {
  for (QAction* action : w.PopupMenu()->actions())
    if (action->objectName() == QLatin1String("MRadio")) return action;
  return nullptr;
}

class RadioWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(folder_.isValid());
    WriteRadioOptions(folder_.path(), 5);
    WriteClubFiles(folder_.path());
    ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/ZubRadio02.dll"),
                            folder_.filePath(QStringLiteral("ZubRadio02.dll"))));
    Write(folder_.filePath(QStringLiteral("ZubRadio.rad")), kList);
  }
  QTemporaryDir folder_;
};

TEST_F(RadioWindowTest, BadgeWindowListsSwitchVolumeAndStateFile) {
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  ASSERT_TRUE(window.InternetRadio().Available());
  ASSERT_NE(RadioEntry(window), nullptr);
  EXPECT_EQ(RadioEntry(window)->text(), "Radio");
  EXPECT_FALSE(RadioEntry(window)->isEnabled());  // not on the title screen
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  EXPECT_TRUE(RadioEntry(window)->isEnabled());

  auto* badge = window.findChild<QWidget*>(QStringLiteral("ImRadio"));
  ASSERT_NE(badge, nullptr);
  ASSERT_TRUE(badge->isVisible());
  // The stored station (the default one) is chosen, the radio off.
  EXPECT_EQ(window.Menu()->RadioBadgeState(), MenuScreen::RadioBadge::Off);
  EXPECT_EQ(badge->toolTip(), "Zub Internet-Radio: Авторадио Moscow");

  // A right click opens the window.
  QTest::mouseClick(badge, Qt::RightButton);
  TFormRadio* radio = window.RadioWindow();
  ASSERT_NE(radio, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(radio));
  EXPECT_EQ(radio->windowTitle(), "Zub Internet-Radio");
  EXPECT_EQ(radio->size(), QSize(340, 320));
  auto* countries = radio->findChild<QListWidget*>(QStringLiteral("CountryList"));
  auto* stations = radio->findChild<QListWidget*>(QStringLiteral("StationList"));
  ASSERT_TRUE(countries && stations);
  EXPECT_EQ(countries->count(), 28);
  EXPECT_EQ(countries->currentRow(), 0);
  EXPECT_FALSE(countries->item(0)->icon().isNull());  // the flag
  ASSERT_EQ(stations->count(), 3);
  // The stored station is not in the list: the first one is chosen.
  EXPECT_EQ(stations->currentRow(), 0);
  EXPECT_EQ(window.InternetRadio().State().Station, "Varnok Club Radio");
  EXPECT_EQ(badge->toolTip(), "Zub Internet-Radio: Varnok Club Radio");
  auto* logo = radio->findChild<QLabel*>(QStringLiteral("RadioLogo"));
  auto* volume = radio->findChild<QLabel*>(QStringLiteral("VolumePicture"));
  auto* power = radio->findChild<QLabel*>(QStringLiteral("RadioSwitch"));
  ASSERT_TRUE(logo && volume && power);
  EXPECT_EQ(logo->property("logo").toString(), "RRADIO_LOGO_CLUB");
  EXPECT_FALSE(logo->pixmap().isNull());
  EXPECT_EQ(volume->property("picture").toString(), "RRADIO_VOLUME03");
  EXPECT_FALSE(power->pixmap().isNull());
  Shoot(radio, "radio_window_off.png");

  // A station without an address and logo: chosen, nothing to play, no logo.
  stations->setCurrentRow(2);
  EXPECT_EQ(window.InternetRadio().State().Station, "Bare Station");
  EXPECT_TRUE(window.InternetRadio().State().Address.isEmpty());
  EXPECT_TRUE(logo->property("logo").toString().isEmpty());
  stations->setCurrentRow(1);
  EXPECT_EQ(logo->property("logo").toString(), "RRADIO_LOGO_NEWS");

  // Another country lists its own stations.
  countries->setCurrentRow(17);  // France
  ASSERT_EQ(stations->count(), 1);
  EXPECT_EQ(stations->item(0)->text(), "Test Jazz");
  EXPECT_EQ(window.InternetRadio().State().CountryIndex, 17);

  // The switch, then the volume up to the top.
  QTest::mouseClick(power, Qt::LeftButton);
  EXPECT_TRUE(window.InternetRadio().On());
  EXPECT_TRUE(power->property("on").toBool());
  EXPECT_EQ(window.Menu()->RadioBadgeState(), MenuScreen::RadioBadge::On);
  auto* up = radio->findChild<QPushButton*>(QStringLiteral("VolumeUp"));
  auto* down = radio->findChild<QPushButton*>(QStringLiteral("VolumeDown"));
  ASSERT_TRUE(up && down);
  for (int i = 0; i < 8; ++i) QTest::mouseClick(up, Qt::LeftButton);
  EXPECT_EQ(window.InternetRadio().State().Volume, 100);
  EXPECT_EQ(volume->property("picture").toString(), "RRADIO_VOLUME10");
  QTest::mouseClick(down, Qt::LeftButton);
  EXPECT_EQ(volume->property("picture").toString(), "RRADIO_VOLUME09");
  Shoot(radio, "radio_window_on.png");

  // Escape closes the window; the radio stays on.
  QTest::keyClick(radio, Qt::Key_Escape);
  QTest::qWait(20);
  EXPECT_EQ(window.RadioWindow(), nullptr);
  EXPECT_TRUE(window.InternetRadio().On());

  // A left click on the badge toggles.
  QTest::mouseClick(badge, Qt::LeftButton);
  EXPECT_FALSE(window.InternetRadio().On());
  EXPECT_EQ(window.Menu()->RadioBadgeState(), MenuScreen::RadioBadge::Off);

  window.close();
  QFile state(folder_.filePath(QStringLiteral("ZubRadio.ini")));
  ASSERT_TRUE(state.open(QIODevice::ReadOnly));
  EXPECT_EQ(state.readAll(), QByteArray("Test Jazz\nhttp://127.0.0.1:9/jazz\nFrance\nRRADIO_LOGO_JAZZ\n0\n90\n17\n"));
}

TEST_F(RadioWindowTest, RadioLeftOnStartsWhenTheTitleIsLeft) {
  Write(folder_.filePath(QStringLiteral("ZubRadio.ini")),
        "Test News\nhttp://127.0.0.1:9/news\nRussian Federation\nRRADIO_LOGO_NEWS\n1\n60\n0\n");
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  ASSERT_TRUE(window.InternetRadio().On());
  // On the title screen the radio waits.
  EXPECT_TRUE(window.InternetRadio().Stream().Source().isEmpty());
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  EXPECT_EQ(window.InternetRadio().Stream().Source().toString(), "http://127.0.0.1:9/news");
  EXPECT_FALSE(window.Sound().MusicPlaying());
  EXPECT_EQ(window.Menu()->RadioBadgeState(), MenuScreen::RadioBadge::On);
  window.close();
}

TEST_F(RadioWindowTest, ChangingTheListSourceReadsTheRadioAgain) {
  online::testing::ServerProcess server;
  ASSERT_TRUE(server.Start()) << server.Error().constData();
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  online::testing::PointClientAt(window.Online().Addresses(), server.Base());
  ASSERT_TRUE(window.InternetRadio().Available());
  window.InternetRadio().StepVolume(true);  // chosen in this run: 40

  // "From the server": the list is fetched into the folder of the state file.
  window.MutableOptions().RadioListFromServer = true;
  window.OtherChanged();
  QTRY_VERIFY_WITH_TIMEOUT(window.InternetRadio().Files().FromServer && window.InternetRadio().Available(), 10000);
  EXPECT_TRUE(QFile::exists(folder_.filePath(QStringLiteral("ZubRadio.ser"))));
  EXPECT_TRUE(window.InternetRadio().ListPath().endsWith("ZubRadio.ser"));
  EXPECT_EQ(window.InternetRadio().State().Volume, 40);  // kept through the new reading
  const auto stations = window.InternetRadio().ReadStations();
  ASSERT_TRUE(stations);
  ASSERT_FALSE(stations->empty());
  EXPECT_EQ(stations->front().Address, server.Base() + "radio/club");

  // With the server gone the list cannot be fetched: the radio is unavailable.
  server.Stop();
  window.MutableOptions().RadioListFromServer = false;
  window.OtherChanged();
  window.MutableOptions().RadioListFromServer = true;
  window.OtherChanged();
  QTRY_VERIFY_WITH_TIMEOUT(!window.InternetRadio().Available(), 10000);
  window.close();
}

TEST_F(RadioWindowTest, WithoutTheListTheRadioNamesBothFiles) {
  QFile::remove(folder_.filePath(QStringLiteral("ZubRadio.rad")));
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  EXPECT_FALSE(window.InternetRadio().Available());
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  EXPECT_EQ(window.Menu()->RadioBadgeState(), MenuScreen::RadioBadge::NoStation);
  QString notice;
  QTimer::singleShot(50, [&notice] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->objectName() == QLatin1String("RadioMissing")) {
        for (QLabel* label : w->findChildren<QLabel*>())
          if (label->text().contains(QLatin1String("ZubRadio"))) notice = label->text();
        if (auto* ok = w->findChild<QPushButton*>()) ok->click();
      }
    }
  });
  RadioEntry(window)->trigger();
  EXPECT_EQ(notice, "Can`t find ZubRadio.rad + ZubRadio02.dll");
  EXPECT_EQ(window.RadioWindow(), nullptr);
  window.close();
  EXPECT_FALSE(QFile::exists(folder_.filePath(QStringLiteral("ZubRadio.ini"))));  // nothing read, nothing written
}

TEST_F(RadioWindowTest, PlayerButtonsAtWindowSizeFiveWithTheServersSongs) {
  online::testing::ServerProcess server;
  ASSERT_TRUE(QDir(server.DataPath()).mkpath(QStringLiteral("music")));
  for (int i = 1; i <= 5; ++i)
    Write(QDir(server.DataPath()).filePath(QStringLiteral("music/Club_Band~Tune_No_%1.mp3").arg(i)),
          online::testing::SilentMp3(3.0));
  ASSERT_TRUE(server.Start()) << server.Error().constData();

  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  online::testing::PointClientAt(window.Online().Addresses(), server.Base());
  bool read = false;
  window.LoadPlaylist([&read] { read = true; });
  QTRY_VERIFY_WITH_TIMEOUT(read, 10000);
  ASSERT_TRUE(window.Player().Available());
  ASSERT_EQ(window.Player().Songs().size(), 5u);
  media::MusicPlayerButtons& buttons = window.PlayerButtons();
  auto* play = buttons.Button(1);
  auto* next = buttons.Button(2);
  auto* volume = buttons.Button(3);
  EXPECT_FALSE(play->isVisible());  // not on the title screen
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  ASSERT_TRUE(play->isVisible());
  const int bottom = window.Canvas()->height();
  EXPECT_EQ(play->geometry(), QRect(10, bottom - 70, 61, 61));
  EXPECT_EQ(next->geometry(), QRect(75, bottom - 70, 61, 61));
  EXPECT_EQ(volume->geometry(), QRect(140, bottom - 70, 61, 61));
  EXPECT_TRUE(play->property("hint").toString().startsWith("Club Band  :  Tune No "));
  Shoot(&window, "player_buttons_size5.png");

  // Over the play button the balloon names the song.
  QEnterEvent enter(QPointF(30, 30), QPointF(30, 30), play->mapToGlobal(QPointF(30, 30)));
  QApplication::sendEvent(play, &enter);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), play->property("hint").toString());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(play, &leave);
  QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 2000);

  // Volume: right of x = 34 up, 1..25 down, 0 nothing.
  QTest::mouseClick(volume, Qt::LeftButton, {}, QPoint(50, 30));
  EXPECT_EQ(window.Player().Volume(), 55);
  QTest::mouseClick(volume, Qt::LeftButton, {}, QPoint(10, 30));
  QTest::mouseClick(volume, Qt::LeftButton, {}, QPoint(10, 30));
  EXPECT_EQ(window.Player().Volume(), 45);
  QTest::mouseClick(volume, Qt::LeftButton, {}, QPoint(0, 30));
  EXPECT_EQ(window.Player().Volume(), 45);

  // Play, next; the radio switched on takes over.
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_TRUE(window.Player().Playing());
  QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_TRUE(window.Player().Playing());
  window.RadioToggle();
  EXPECT_TRUE(window.InternetRadio().On());
  EXPECT_FALSE(window.Player().Playing());
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_TRUE(window.Player().Playing());
  EXPECT_FALSE(window.InternetRadio().On());

  // A smaller window hides the buttons.
  window.ApplyWindowSize(3);
  EXPECT_FALSE(play->isVisible());
  window.close();
}

}  // namespace
}  // namespace varnok
