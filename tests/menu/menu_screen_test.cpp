// The menu screen on a real table canvas: its controls at their places in
// the window modes, the member list from a club file, the clicks and their
// sounds, the caption's colours, the large-window clocks and boards, and a
// picture of the whole screen in modes 1 and 5.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <memory>

#include "../table/widget_test.h"
#include "club_file.h"
#include "club_member.h"
#include "layout.h"
#include "loader.h"
#include "menu_layout.h"
#include "menu_movie.h"
#include "menu_screen.h"
#include "table_canvas.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

class MenuScreenTest : public testing::WidgetTest {
 protected:
  static void SetUpTestSuite() {
    testing::WidgetTest::SetUpTestSuite();
    SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
  }
  static void TearDownTestSuite() { SetProgramFolder(QString()); }

  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    club_ = dir_.filePath(QStringLiteral("Varnok.clb"));
    ClubLines lines = EmptyClubLines();
    lines[0] = FormatMemberLine(Member("Anna", 12.345679, 27, 140));
    lines[1] = FormatMemberLine(Member("Boris", -0.25, 3, -35));
    ASSERT_TRUE(SaveClubFile(club_.toStdString(), lines));
    canvas_ = std::make_unique<TableCanvas>();
    menu_ = new MenuScreen(canvas_.get(), [this](const QString& name) { events_.push_back("sound " + name); });
    QObject::connect(menu_, &MenuScreen::MemberClicked, [this](int slot) { Record("member", slot); });
    QObject::connect(menu_, &MenuScreen::NewPlayerClicked, [this] { Record("new player"); });
    QObject::connect(menu_, &MenuScreen::TopTenClicked, [this] { Record("top ten"); });
    QObject::connect(menu_, &MenuScreen::OptionsClicked, [this] { Record("options"); });
    QObject::connect(menu_, &MenuScreen::ExitClicked, [this] { Record("exit"); });
    QObject::connect(menu_, &MenuScreen::HistoryClicked, [this] { Record("history"); });
    QObject::connect(menu_, &MenuScreen::ViewToggled, [this](int view) { Record("view", view); });
    QObject::connect(menu_, &MenuScreen::TitleColourChanged, [this](int colour) { Record("colour", colour); });
  }

  void Record(const char* what, int value = -1) {
    events_.push_back(QString::fromLatin1(what) + (value >= 0 ? QStringLiteral(" %1").arg(value) : QString()));
  }

  void ShowMenu(int mode, int view = 1, int colour = 1, int design = 0) {
    const LayoutState layout = LayoutForMode(mode, QSize(1600, 900));
    canvas_->ApplyLayout(layout, 96);
    QImage background;
    LoadJpeg(mode == kSmallWindow ? QStringLiteral("FonG") : QStringLiteral("FonGB"), QString(), background);
    canvas_->SetBackground(background);
    canvas_->resize(layout.WindowW, layout.WindowH);
    MenuInputs in;
    in.layout = layout;
    in.clubView = view;
    in.titleColour = colour;
    in.animated = false;
    in.menuDesign = design;
    in.clubFile = club_;
    menu_->SetClock([] { return QTime(9, 5, 30, 700); });
    menu_->Show(in);
  }

  template <typename Widget = QWidget>
  Widget* Control(const char* name) {
    auto* widget = canvas_->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  bool Showing(const char* name) { return !Control(name)->isHidden(); }
  void Click(const char* name) {
    QWidget* widget = Control(name);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
  }

  QTemporaryDir dir_;
  QString club_;
  std::unique_ptr<TableCanvas> canvas_;
  MenuScreen* menu_ = nullptr;  // owned by the canvas
  QStringList events_;
};

TEST_F(MenuScreenTest, ControlsSitAtTheirPlacesInModesOneAndFive) {
  const struct {
    int mode;
    const char* name;
    QRect rect;
  } cases[] = {
      {1, "Button3", {180, 325, 400, 30}},  {1, "Panel4", {180, 225, 400, 30}},   {1, "Button6", {280, 425, 200, 30}},
      {1, "BMode", {620, 255, 100, 30}},    {1, "ImCaption", {180, 12, 400, 70}}, {1, "RxGIFAn2", {592, 290, 160, 200}},
      {5, "Button3", {360, 650, 800, 60}},  {5, "Button11", {660, 930, 200, 60}}, {5, "ImElite", {410, 366, 700, 80}},
      {5, "ImClock1", {163, 369, 115, 64}}, {5, "ImRadio", {297, 852, 220, 125}}, {5, "ImageSvRight", {1250, 160, 100, 200}},
  };
  for (int mode : {1, 5}) {
    ShowMenu(mode);
    for (const auto& c : cases) {
      if (c.mode == mode) {
        EXPECT_EQ(Control(c.name)->geometry(), c.rect) << mode << " " << c.name;
      }
    }
  }
}

TEST_F(MenuScreenTest, ShowsTheClubListAndItsHeaderInBothViews) {
  ShowMenu(1, 2);
  EXPECT_EQ(Control<TZubCardsButton>("Panel4")->text(), QStringLiteral(" The members of club    Games   Rating "));
  EXPECT_EQ(Control<TZubCardsButton>("Button1")->text(),
            QStringLiteral("Anna") + QString(23, QLatin1Char(' ')) + QStringLiteral("27   12,35"));
  EXPECT_EQ(Control<TZubCardsButton>("Button6")->text(), QStringLiteral("New Player"));
  EXPECT_EQ(Control<TZubCardsButton>("Button9")->text(), QStringLiteral("Top Ten"));
  EXPECT_EQ(Control<TZubCardsButton>("BMode")->text(), QStringLiteral("Mode"));

  Click("BMode");
  EXPECT_EQ(menu_->ClubView(), 1);
  EXPECT_EQ(Control<TZubCardsButton>("Panel4")->text(), QStringLiteral(" The members of club    Games    Score "));
  EXPECT_EQ(Control<TZubCardsButton>("Button2")->text(),
            QStringLiteral("Boris") + QString(21, QLatin1Char(' ')) + QStringLiteral("3       -35"));
  EXPECT_EQ(Control<TZubCardsButton>("Button3")->text(), QString(20, QLatin1Char('#')) + QStringLiteral("    ###    ######"));
  Click("BMode");
  EXPECT_EQ(menu_->ClubView(), 2);
  EXPECT_EQ(events_, (QStringList{"sound WOpenFo", "view 1", "sound WOpenFo", "view 2"}));
}

TEST_F(MenuScreenTest, EveryButtonSignalsItsActionAfterItsSound) {
  ShowMenu(1);
  const struct {
    const char* button;
    QStringList events;
  } cases[] = {
      {"Button1", {"sound WOpenFo", "member 1"}},
      {"Button2", {"sound WOpenFo", "member 2"}},
      {"Button3", {}},  // an empty slot opens nothing
      {"Button5", {}},
      {"Button6", {"sound WOpenFo", "new player"}},
      {"Button9", {"sound WOpenFo", "top ten"}},
      {"Button10", {"sound WOpenFo", "options"}},
      {"BHistory", {"history"}},
      {"Button11", {"exit"}},
      {"Panel4", {}},  // the header is no button
  };
  for (const auto& c : cases) {
    events_.clear();
    Click(c.button);
    EXPECT_EQ(events_, c.events) << c.button;
  }
  EXPECT_TRUE(menu_->SlotEmpty(3));
  EXPECT_FALSE(menu_->SlotEmpty(1));
}

TEST_F(MenuScreenTest, CaptionClicksCycleTheColourVariants) {
  const struct {
    int start;
    std::vector<int> after;
  } cases[] = {{1, {2, 3, 4, 5, 6, 7, 1}}, {7, {1, 2}}, {0, {2}}, {9, {2}}};  // out of range starts at 1
  for (const auto& c : cases) {
    ShowMenu(1, 1, c.start);
    const QImage before = Control<QWidget>("ImCaption")->grab().toImage();
    for (int expected : c.after) {
      events_.clear();
      Click("ImCaption");
      EXPECT_EQ(menu_->TitleColour(), expected) << "from " << c.start;
      EXPECT_EQ(events_, QStringList{QStringLiteral("colour %1").arg(expected)});
    }
    if (c.after.back() != 1) {
      EXPECT_NE(Control<QWidget>("ImCaption")->grab().toImage(), before) << c.start;
    }
  }
}

TEST_F(MenuScreenTest, RecolouringTurnsHuesAndKeepsGreysAndTransparency) {
  QImage picture(4, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(200, 30, 30, 255));
  picture.setPixel(1, 0, qRgba(128, 128, 128, 255));
  picture.setPixel(2, 0, qRgba(30, 200, 30, 100));
  picture.setPixel(3, 0, qRgba(0, 0, 0, 0));
  EXPECT_EQ(RecolourCaption(picture, 1), picture);
  for (int variant = 2; variant <= 7; ++variant) {
    const QImage turned = RecolourCaption(picture, variant);
    EXPECT_NE(QColor(turned.pixel(0, 0)).hsvHue(), 0) << variant;
    EXPECT_EQ(QColor(turned.pixel(0, 0)).value(), 200) << variant;
    EXPECT_EQ(turned.pixel(1, 0), picture.pixel(1, 0)) << variant;
    EXPECT_EQ(qAlpha(turned.pixel(2, 0)), 100) << variant;
    EXPECT_EQ(qAlpha(turned.pixel(3, 0)), 0) << variant;
  }
  EXPECT_EQ(NextTitleColour(7), 1);
  EXPECT_EQ(NextTitleColour(3), 4);
}

TEST_F(MenuScreenTest, LargeWindowsShowClocksRadioAndNewsBoard) {
  const struct {
    int mode;
    bool clocks;
    bool boards;
  } cases[] = {{1, false, false}, {3, false, false}, {4, true, true}, {5, true, true}};
  for (const auto& c : cases) {
    ShowMenu(c.mode);
    EXPECT_EQ(Showing("ImClock1"), c.clocks) << c.mode;
    EXPECT_EQ(Showing("ImClock2"), c.clocks) << c.mode;
    EXPECT_EQ(Showing("ImRadio"), c.boards) << c.mode;
    EXPECT_EQ(Showing("ImNews"), c.boards) << c.mode;
    // With the flags down the badges show only on the board.
    EXPECT_EQ(Showing("RxGIFAnNews"), c.boards) << c.mode;
    EXPECT_EQ(Showing("RxGIFAnChat"), c.boards) << c.mode;
  }
  ShowMenu(5);
  EXPECT_EQ(Control("ImClock2")->toolTip(), QStringLiteral("Club members:  NO CONNECT"));  // minute 5: item 6
  EXPECT_EQ(Control("ImRadio")->toolTip(), QStringLiteral("Radio"));
}

TEST_F(MenuScreenTest, InModeThreeTheBadgesStandAloneWhileTheirFlagsAreUp) {
  ShowMenu(3);
  menu_->ShowBadges(true, false);
  EXPECT_TRUE(Showing("RxGIFAnNews"));
  EXPECT_FALSE(Showing("RxGIFAnChat"));
  EXPECT_FALSE(Showing("ImNews"));
  EXPECT_FALSE(Showing("ImRadio"));
  EXPECT_FALSE(Showing("ImClock1"));
  menu_->ShowBadges(false, true);
  EXPECT_FALSE(Showing("RxGIFAnNews"));
  EXPECT_TRUE(Showing("RxGIFAnChat"));
}

TEST_F(MenuScreenTest, OnlinePanelTurnsToTheMinutesItemAtSecondOne) {
  ShowMenu(5);
  int minute = 0;
  int second = 0;
  menu_->SetClock([&] { return QTime(10, minute, second); });
  const struct {
    int minute;
    int second;
    const char* hint;
  } steps[] = {
      {14, 0, "Club members:  NO CONNECT"},                         // item 6 from the first showing
      {14, 1, "Dynamic IQ for Windows (percent): NO CONNECT"},      // 14 mod 7 = 0: item 1
      {16, 1, "Dynamic IQ for Windows (percent): NO CONNECT"},      // the same second: no second turn
      {16, 2, "Dynamic IQ for Windows (percent): NO CONNECT"},
      {16, 1, "Best Windows Player: NO CONNECT"},                   // 16 mod 7 = 2: item 3
  };
  for (const auto& step : steps) {
    minute = step.minute;
    second = step.second;
    menu_->Tick();
    EXPECT_EQ(Control("ImClock2")->toolTip(), QString::fromUtf8(step.hint)) << step.minute << ":" << step.second;
  }
}

TEST_F(MenuScreenTest, TicksRunTheLightsOnlyWhileShownAndHideLeavesTheTableAlone) {
  auto* tableButton = new QWidget(canvas_.get());
  tableButton->setObjectName(QStringLiteral("Button7"));
  tableButton->show();
  ShowMenu(1);
  const int frame = menu_->LampFrame();
  menu_->Tick();
  EXPECT_EQ(menu_->LampFrame(), (frame + 1) % 6);
  EXPECT_TRUE(menu_->Shown());
  menu_->Hide();
  EXPECT_FALSE(menu_->Shown());
  menu_->Tick();
  EXPECT_EQ(menu_->LampFrame(), (frame + 1) % 6);
  for (const char* name : {"Button1", "Button6", "BMode", "Panel4", "ImCaption", "ImTitle", "RxGIFAn1", "ImageSvLeft",
                           "ImClock1", "ImRadio", "MenuLamp1"}) {
    EXPECT_FALSE(Showing(name)) << name;
  }
  EXPECT_FALSE(tableButton->isHidden());
}

// Pictures of the whole screen, to look at: build-dir/menu_shots/menu_mode<N>.png.
TEST_F(MenuScreenTest, DrawsOverTheTableBackground) {
  ClubLines lines = EmptyClubLines();
  lines[0] = FormatMemberLine(Member("Anna", 12.345679, 27, 140));
  lines[1] = FormatMemberLine(Member("Alexander Konstantin", 3.5, 112, 310));
  lines[2] = FormatMemberLine(Member("Boris", -0.25, 3, -35));
  ASSERT_TRUE(SaveClubFile(club_.toStdString(), lines));
  QDir().mkpath(QStringLiteral(VARNOK_MENU_SHOT_DIR));
  const struct {
    int mode;
    int design;
    const char* file;
  } shots[] = {{1, 0, "menu_mode1.png"}, {5, 0, "menu_mode5.png"}, {1, 1, "menu_mode1_purple.png"}};
  for (const auto& shot : shots) {
    const int mode = shot.mode;
    ShowMenu(mode, 1, mode == 5 ? 3 : 1, shot.design);
    menu_->ShowBadges(mode == 5, false);
    const QImage screen = canvas_->grab().toImage();
    ASSERT_EQ(screen.size(), QSize(canvas_->Layout().WindowW, canvas_->Layout().WindowH));
    const QRect button1 = Control("Button1")->geometry();
    EXPECT_NE(screen.copy(button1), canvas_->Background().copy(button1).convertToFormat(screen.format())) << mode;
    EXPECT_TRUE(screen.save(QStringLiteral(VARNOK_MENU_SHOT_DIR "/") + QString::fromLatin1(shot.file)));
  }
}


// Records every paint of a widget tree: which widget and where.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* root) {
    root->installEventFilter(this);
    for (QWidget* child : root->findChildren<QWidget*>()) child->installEventFilter(this);
  }
  struct Paint {
    QString widget;
    QRegion region;
  };
  std::vector<Paint> paints;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      paints.push_back({watched->objectName(), static_cast<QPaintEvent*>(event)->region()});
    }
    return false;
  }
};

// Paints what is waiting to be painted.
void PaintNow() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

TEST_F(MenuScreenTest, ATickRepaintsOnlyTheLampsThatWentOnOrOff) {
  ShowMenu(1);
  canvas_->show();
  PaintNow();
  PaintRecorder recorder(canvas_.get());
  for (int tick = 0; tick < 12; ++tick) {
    const int before = menu_->LampFrame();
    const std::array<bool, kMenuLampCount> was = MenuLampsLit(before);
    const std::array<bool, kMenuLampCount> now = MenuLampsLit((before + 1) % kMenuLampFrames);
    recorder.paints.clear();
    menu_->Tick();
    PaintNow();
    QStringList expected;
    for (int lamp = 0; lamp < kMenuLampCount; ++lamp) {
      if (was[static_cast<std::size_t>(lamp)] != now[static_cast<std::size_t>(lamp)]) {
        expected << QStringLiteral("MenuLamp%1").arg(lamp + 1);
      }
    }
    QStringList painted;
    for (const PaintRecorder::Paint& paint : recorder.paints) {
      painted << paint.widget;
      // A lamp repaints its own square and nothing around it.
      if (paint.widget.startsWith(QLatin1String("MenuLamp"))) {
        EXPECT_EQ(paint.region, QRegion(0, 0, kMenuLampSize, kMenuLampSize)) << paint.widget.toStdString();
      }
    }
    painted.sort();
    expected.sort();
    // Neither the table under the lamps nor any other control is painted again.
    EXPECT_EQ(painted, expected) << "tick " << tick;
  }
  canvas_->hide();
}

// The frames of a GIF of the built-in resources, as a reader gives them.
std::vector<QImage> GifFrames(const QString& name) {
  QByteArray data;
  EXPECT_TRUE(LoadGif(name, QString(), data)) << name.toStdString();
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "GIF");
  std::vector<QImage> frames;
  while (reader.canRead()) {
    const QImage frame = reader.read();
    if (frame.isNull()) break;
    frames.push_back(frame);
  }
  return frames;
}

TEST_F(MenuScreenTest, SideAnimationShowsEachFrameAfterItsDelayAndRepaintsOnlyWhereItChanged) {
  const std::vector<QImage> frames = GifFrames(QStringLiteral("GifMenu1"));
  ASSERT_GE(frames.size(), 3u);
  QImage background(canvas_->size(), QImage::Format_RGB32);
  background.fill(QColor(20, 90, 40));
  QPainter(&background).fillRect(QRect(0, 0, 60, 60), QColor(200, 30, 30));
  canvas_->SetBackground(background);
  auto* movie = new MenuMovie(QStringLiteral("Movie"), canvas_.get());
  ASSERT_TRUE(movie->Load(QStringLiteral("GifMenu1")));
  EXPECT_EQ(movie->FrameCount(), static_cast<int>(frames.size()));
  movie->setGeometry(QRect(QPoint(7, 20), frames[0].size()));
  movie->Prepare(canvas_->Background());
  movie->SetRunning(true);
  movie->show();
  canvas_->show();
  PaintNow();
  // What the player should see: frame `i` of the GIF over the table under the picture.
  auto seen = [&](int i) {
    QImage expected = background.copy(movie->geometry());
    QPainter(&expected).drawImage(0, 0, frames[static_cast<std::size_t>(i)]);
    return expected;
  };
  PaintRecorder recorder(movie);
  for (int frame = 1; frame <= 3; ++frame) {
    // The frames of this picture last 100 ms: four 20 ms ticks keep the frame on screen.
    recorder.paints.clear();
    for (int tick = 0; tick < 4; ++tick) movie->Advance(20);
    PaintNow();
    EXPECT_EQ(movie->Frame(), frame - 1);
    EXPECT_TRUE(recorder.paints.empty()) << "frame " << frame;
    movie->Advance(20);
    PaintNow();
    ASSERT_EQ(movie->Frame(), frame);
    ASSERT_EQ(recorder.paints.size(), 1u) << "frame " << frame;
    const QRegion painted = recorder.paints[0].region;
    EXPECT_NE(painted, QRegion(movie->rect())) << "frame " << frame;
    EXPECT_EQ(movie->grab().toImage().convertToFormat(QImage::Format_RGB32), seen(frame)) << "frame " << frame;
    // Outside the repainted part the new frame equals the one before.
    QImage outside = seen(frame);
    QImage before = seen(frame - 1);
    for (const QRect& r : painted) {
      QPainter(&outside).fillRect(r, Qt::black);
      QPainter(&before).fillRect(r, Qt::black);
    }
    EXPECT_EQ(outside, before) << "frame " << frame;
  }
  // Stopped, it stands on its first frame.
  movie->SetRunning(false);
  PaintNow();
  EXPECT_EQ(movie->grab().toImage().convertToFormat(QImage::Format_RGB32), seen(0));
  canvas_->hide();
}

}  // namespace
}  // namespace varnok
