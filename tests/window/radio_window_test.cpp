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
#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "form_radio.h"
#include "loader.h"
#include "names.h"
#include "zub_cards_button.h"
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

void WriteRadioOptions(const QString& folder, int mode, bool purple = false, int design = 2) {
  Settings settings = StillSilentSettings(mode, Settings{}.LanguageIndex);
  settings.PurpleWindows = purple;
  settings.AuxWindowDesign = design;
  settings.RadioListFromServer = false;  // "From disk"
  WriteSettings(folder, settings);
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
  // The gray aristocratic design of the options: its cap makes the window taller than the purple 340 x 320.
  EXPECT_EQ(radio->Design(), RadioDesign::GrayAristocratic);
  EXPECT_EQ(radio->size(), QSize(340, 348));
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
  EXPECT_EQ(state.readAll(),
            QByteArray("Test Jazz\r\nhttp://127.0.0.1:9/jazz\r\nFrance\r\nRRADIO_LOGO_JAZZ\r\n0\r\n90\r\n17\r\n"));
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

// --- The window designs ----------------------------------------------------------

bool Gray(QRgb pixel) {
  return std::abs(qRed(pixel) - qGreen(pixel)) <= 6 && std::abs(qGreen(pixel) - qBlue(pixel)) <= 8 &&
         qRed(pixel) >= 200;
}
bool Purplish(QRgb pixel) { return qBlue(pixel) > qGreen(pixel) + 20 && qRed(pixel) > qGreen(pixel) + 10; }
bool Yellow(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 90; }
// Near black (the gray designs' texts), not the dark purple of the purple lists.
bool Dark(QRgb pixel) {
  const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
  const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
  return high < 70 && high - low < 16;
}

int Count(const QImage& image, QRect area, bool (*test)(QRgb)) {
  int n = 0;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
  return n;
}

// The share of the library picture's opaque pixels that the window shows
// unchanged when the picture lies at `at`.
double PictureShown(const QImage& window, const QString& name, QPoint at) {
  QImage picture;
  if (!LoadPng(name, QString::fromLatin1(kGraphicsLibrary), picture)) return 0.0;
  picture = picture.convertToFormat(QImage::Format_ARGB32);
  int opaque = 0, same = 0;
  for (int y = 0; y < picture.height(); y += 3) {
    for (int x = 0; x < picture.width(); x += 3) {
      const QRgb p = picture.pixel(x, y);
      if (qAlpha(p) != 255) continue;
      ++opaque;
      const QRgb w = window.pixel(at.x() + x, at.y() + y);
      same += std::abs(qRed(p) - qRed(w)) <= 2 && std::abs(qGreen(p) - qGreen(w)) <= 2 &&
                      std::abs(qBlue(p) - qBlue(w)) <= 2
                  ? 1
                  : 0;
    }
  }
  return opaque > 100 ? static_cast<double>(same) / opaque : 0.0;
}

// Clicks away the notices that come up and keeps their texts.
class NoticeCatcher {
 public:
  NoticeCatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->objectName() != QLatin1String("Attention")) continue;
        for (QLabel* label : w->findChildren<QLabel*>())
          if (label->text().contains(QLatin1String(".dll"))) texts << label->text();
        if (auto* ok = w->findChild<QPushButton*>()) ok->click();
      }
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

struct DesignCase {
  const char* name;
  bool purple;
  int design;     // the gray design chosen
  bool library;   // "ZubCGraph1.dll" beside the program
  RadioDesign shown;
  int height;
  const char* header;  // the library picture at the top ("" none)
  int header_x;
  bool purple_background;
  bool fell_back;      // the options now hold gray aristocratic
  bool notice;         // "Can`t find the file ZubCGraph1.dll"
};

class RadioDesignTest : public RadioWindowTest, public ::testing::WithParamInterface<DesignCase> {};

TEST_P(RadioDesignTest, TheWindowTakesTheOptionsDesign) {
  const DesignCase& c = GetParam();
  WriteRadioOptions(folder_.path(), 5, c.purple, c.design);
  if (c.library) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/") + QString::fromLatin1(kGraphicsLibrary),
                            folder_.filePath(QString::fromLatin1(kGraphicsLibrary))));
  }
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  ASSERT_EQ(LibraryPresent(QString::fromLatin1(kGraphicsLibrary)), c.library);
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  NoticeCatcher notices;
  window.OpenRadioWindow();
  TFormRadio* radio = window.RadioWindow();
  ASSERT_NE(radio, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(radio));
  QTest::qWait(50);

  EXPECT_EQ(radio->Design(), c.shown);
  EXPECT_EQ(radio->size(), QSize(340, c.height));
  const QImage shot = radio->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int top = radio->HeaderHeight() + 6;
  // The background: between the lists and at the bottom left corner.
  for (const QPoint at : {QPoint(170, top + 80), QPoint(3, c.height - 3)}) {
    const QRgb pixel = shot.pixel(at);
    EXPECT_EQ(Purplish(pixel), c.purple_background) << c.name << " at " << at.x() << "," << at.y();
    EXPECT_EQ(Gray(pixel), !c.purple_background) << c.name << " at " << at.x() << "," << at.y();
  }
  if (*c.header != '\0') {
    EXPECT_GT(PictureShown(shot, QString::fromLatin1(c.header), QPoint(c.header_x, 0)), 0.8) << c.name;
  }
  // The caption (purple) or the word "RADIO" on the cap stands in yellow above the lists.
  if (c.shown == RadioDesign::Purple || c.shown == RadioDesign::GrayAristocratic) {
    EXPECT_GT(Count(shot, QRect(0, 0, 340, top), Yellow), 40) << c.name;
  }
  // The lists: yellow texts on the purple design, dark ones on the gray designs.
  auto* countries = radio->findChild<QListWidget*>(QStringLiteral("CountryList"));
  ASSERT_NE(countries, nullptr);
  const QImage list = countries->grab().toImage();
  // The names below the selected first row, right of the flags.
  const QRect rows = list.rect().adjusted(30, 30, -20, -4);
  if (c.purple_background) {
    EXPECT_GT(Count(list, rows, Yellow), 30) << c.name;
    EXPECT_GT(Count(list, rows, Yellow), 5 * Count(list, rows, Dark)) << c.name;  // a few dark edges at most
  } else {
    EXPECT_GT(Count(list, rows, Dark), 30) << c.name;
    EXPECT_EQ(Count(list, rows, Yellow), 0) << c.name;
  }
  // The buttons' pictures: violet on purple, navy on gray.
  for (const char* name : {"Ok", "VolumeDown", "VolumeUp"}) {
    auto* button = radio->findChild<TZubCardsButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->ColorSB(), c.purple_background ? TColorSB::DViolet : TColorSB::DNavy) << c.name << name;
  }
  QTest::qWait(30);
  EXPECT_EQ(notices.texts,
            c.notice ? QStringList{QStringLiteral("Can`t find the file ZubCGraph1.dll")} : QStringList{})
      << c.name;
  EXPECT_EQ(window.Options().PurpleWindows, c.purple && !c.fell_back);
  EXPECT_EQ(window.Options().AuxWindowDesign, c.fell_back ? 2 : c.design);
  Shoot(radio, (std::string("radio_design_") + c.name + ".png").c_str());
  radio->close();
  window.close();
}

INSTANTIATE_TEST_SUITE_P(
    Designs, RadioDesignTest,
    ::testing::Values(
        DesignCase{"concise", false, 1, true, RadioDesign::GrayConcise, 384, "Radio", 0, false, false, false},
        DesignCase{"aristocratic", false, 2, true, RadioDesign::GrayAristocratic, 348, "GCap300", 20, false, false,
                   false},
        DesignCase{"ribbons", false, 3, true, RadioDesign::GrayRibbons, 374, "GFormRadioL", 30, false, false, false},
        DesignCase{"purple", true, 2, true, RadioDesign::Purple, 320, "", 0, true, false, false},
        DesignCase{"purple_without_library", true, 2, false, RadioDesign::GrayAristocratic, 348, "", 0, false, true,
                   false},
        DesignCase{"concise_without_library", false, 1, false, RadioDesign::GrayAristocratic, 348, "", 0, false,
                   true, true}),
    [](const ::testing::TestParamInfo<DesignCase>& info) { return std::string(info.param.name); });

TEST_F(RadioWindowTest, AnOpenWindowTakesTheNewDesignFromTheOptions) {
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/") + QString::fromLatin1(kGraphicsLibrary),
                          folder_.filePath(QString::fromLatin1(kGraphicsLibrary))));
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  window.OpenRadioWindow();
  TFormRadio* radio = window.RadioWindow();
  ASSERT_NE(radio, nullptr);
  ASSERT_EQ(radio->Design(), RadioDesign::GrayAristocratic);
  const QString station = window.InternetRadio().State().Station;

  // The options' auxiliary design, as the options window changes it.
  const struct {
    bool purple;
    int design;
    RadioDesign shown;
    int height;
    bool purple_corner;
  } steps[] = {{true, 2, RadioDesign::Purple, 320, true},
               {false, 3, RadioDesign::GrayRibbons, 374, false},
               {false, 1, RadioDesign::GrayConcise, 384, false}};
  for (const auto& s : steps) {
    window.MutableOptions().PurpleWindows = s.purple;
    window.MutableOptions().AuxWindowDesign = s.design;
    window.OtherChanged();
    ASSERT_EQ(window.RadioWindow(), radio);  // the same window, still open
    EXPECT_EQ(radio->Design(), s.shown);
    EXPECT_EQ(radio->size(), QSize(340, s.height));
    const QImage shot = radio->grab().toImage();
    EXPECT_EQ(Purplish(shot.pixel(3, s.height - 3)), s.purple_corner);
    auto* ok = radio->findChild<TZubCardsButton*>(QStringLiteral("Ok"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->ColorSB(), s.purple ? TColorSB::DViolet : TColorSB::DNavy);
  }
  // "New buttons" reaches the window's buttons too.
  window.MutableOptions().NewButtons = true;
  window.OtherChanged();
  EXPECT_TRUE(radio->findChild<TZubCardsButton*>(QStringLiteral("VolumeUp"))->Nata());
  // The lists and the station stay as they were.
  EXPECT_EQ(window.InternetRadio().State().Station, station);
  EXPECT_EQ(radio->findChild<QListWidget*>(QStringLiteral("StationList"))->count(), 3);
  radio->close();
  window.close();
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

// The server's station list arrives after the title screen was left: a radio
// left on starts then. The music player started afterwards closes the
// station's stream (a stopped station would go on filling its connection).
TEST_F(RadioWindowTest, ARadioLeftOnStartsWhenItsListArrivesAndTheMusicPlayerClosesIt) {
  online::testing::ServerProcess server;
  ASSERT_TRUE(server.Start()) << server.Error().constData();
  QFile::remove(folder_.filePath(QStringLiteral("ZubRadio.rad")));
  Write(folder_.filePath(QStringLiteral("ZubRadio.ini")),
        "Test News\r\nhttp://127.0.0.1:9/news\r\nRussian Federation\r\nRRADIO_LOGO_NEWS\r\n1\r\n60\r\n0\r\n");
  MainWindow window(TestWindowOptions(folder_.path()));
  StartWindow(window);
  online::testing::PointClientAt(window.Online().Addresses(), server.Base());
  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  EXPECT_FALSE(window.InternetRadio().Available()) << "no list yet";
  EXPECT_TRUE(window.InternetRadio().Stream().Source().isEmpty());

  // The list comes from the server now.
  window.MutableOptions().RadioListFromServer = true;
  window.OtherChanged();
  QTRY_VERIFY_WITH_TIMEOUT(window.InternetRadio().Available(), 10000);
  EXPECT_TRUE(window.InternetRadio().On());
  EXPECT_EQ(window.InternetRadio().Stream().Source().toString(), "http://127.0.0.1:9/news") << "the radio plays";
  EXPECT_NE(window.InternetRadio().Stream().Player(), nullptr);
  EXPECT_FALSE(window.Sound().MusicPlaying());
  EXPECT_EQ(window.Menu()->RadioBadgeState(), MenuScreen::RadioBadge::On);

  window.Player().SetPlaylist(media::ParsePlaylist(QStringLiteral("Band_1~Song_1.mp3\nBand_2~Song_2.mp3\nBand_3~Song_3.mp3\nBand_4~Song_4.mp3\nBand_5~Song_5.mp3\nBand_6~Song_6.mp3\n"),
                                                   QStringLiteral("http://127.0.0.1:9/music/")));
  ASSERT_TRUE(window.Player().Available());
  window.Player().TogglePlay();
  EXPECT_FALSE(window.InternetRadio().On());
  EXPECT_EQ(window.InternetRadio().Stream().Player(), nullptr) << "the station's connection is closed";
  EXPECT_TRUE(window.InternetRadio().Stream().Source().isEmpty());
  window.Player().Stop();
  window.close();
}

}  // namespace
}  // namespace varnok
