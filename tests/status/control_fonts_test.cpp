// The fonts of the main window's controls and of the wait window, and the
// resampling of pictures.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <stdexcept>

#include "control_fonts.h"
#include "status_test.h"

namespace varnok::testing {
namespace {

using i18n::FontKind;

void SetScale(FontKind kind, int scale, const QString& face = QString()) {
  i18n::FontSettings settings = i18n::CurrentFontSettings();
  settings[static_cast<std::size_t>(kind)].scale = scale;
  if (!face.isEmpty()) settings[static_cast<std::size_t>(kind)].face = face;
  i18n::SetFontSettings(settings);
}

class ControlFonts : public StatusTest {};

TEST_F(ControlFonts, MainButtonsFollowTheLargeFontAndTheWindow) {
  struct Case {
    int mode, decorScale, height;
  };
  // round(FontSize(20, "decor") x ScaleK x f), f = 1 in mode 1 and 0.9 otherwise.
  const Case cases[] = {{1, 100, 20}, {3, 100, 23}, {4, 100, 31}, {5, 100, 36},
                        {1, 150, 30}, {5, 150, 54}, {3, 50, 12}};
  for (const Case& c : cases) {
    SetScale(FontKind::Decor, c.decorScale, QStringLiteral("Big Face"));
    const QFont font = MainButtonFont(LayoutForMode(c.mode));
    EXPECT_EQ(font.pixelSize(), c.height) << c.mode << " " << c.decorScale;
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.family(), QLatin1String("Big Face"));
  }
}

TEST_F(ControlFonts, InfoControlsUseTheSpecialFonts) {
  SetScale(FontKind::Fixed, 100, QStringLiteral("Special One"));
  SetScale(FontKind::Conew, 150, QStringLiteral("Special Two"));
  const QFont small = InfoFont(LayoutForMode(1));
  EXPECT_EQ(small.family(), QLatin1String("Special One"));
  EXPECT_EQ(small.pixelSize(), 11);
  EXPECT_FALSE(small.bold());
  EXPECT_TRUE(small.fixedPitch());
  // Mode 4: FontSize(round(1.7 x 16) = 27, "conew") at 150 % = 40 (40.5 to the even 40).
  const QFont large = InfoFont(LayoutForMode(4));
  EXPECT_EQ(large.family(), QLatin1String("Special Two"));
  EXPECT_EQ(large.pixelSize(), 40);
  EXPECT_TRUE(large.bold());
  EXPECT_TRUE(large.fixedPitch());
  SetScale(FontKind::Fixed, 150);
  EXPECT_EQ(InfoFont(LayoutForMode(1)).pixelSize(), 16);  // 16.5 to the even 16
}

TEST_F(ControlFonts, WaitWindowFontsTakeTheLargeFace) {
  SetScale(FontKind::Decor, 150, QStringLiteral("Large Face"));
  SetScale(FontKind::Serif, 50, QStringLiteral("Small Face"));
  EXPECT_EQ(WaitButtonFont().family(), QLatin1String("Large Face"));
  EXPECT_EQ(WaitButtonFont().pixelSize(), 30);
  EXPECT_TRUE(WaitButtonFont().bold());
  // The labels: the large font's face at the small font's scale.
  EXPECT_EQ(WaitLabelFont().family(), QLatin1String("Large Face"));
  EXPECT_EQ(WaitLabelFont().pixelSize(), 8);
  EXPECT_FALSE(WaitLabelFont().bold());
}

void ExpectFont(const QWidget* control, const QFont& font) {
  EXPECT_EQ(control->font().family(), font.family()) << control->objectName().toStdString();
  EXPECT_EQ(control->font().pixelSize(), font.pixelSize()) << control->objectName().toStdString();
  EXPECT_EQ(control->font().bold(), font.bold()) << control->objectName().toStdString();
}

template <typename T>
T* Named(QWidget* parent, const char* name) {
  auto* control = new T(parent);
  control->setObjectName(QLatin1String(name));
  return control;
}

TEST_F(ControlFonts, ApplySetsTheNamedControlsOfEachWindow) {
  SetScale(FontKind::Decor, 100, QStringLiteral("Large Face"));
  SetScale(FontKind::Conew, 100, QStringLiteral("Special Two"));
  QWidget main;
  auto* next = Named<QPushButton>(&main, "Button7");
  auto* mode = Named<QPushButton>(&main, "BMode");
  auto* info = Named<QPushButton>(&main, "Button1");
  auto* box = Named<QWidget>(&main, "Panel2");
  auto* nested = Named<QLabel>(box, "Panel4");
  auto* other = Named<QLabel>(&main, "Label1");
  // The wait window belongs to the main window but is a window of its own.
  auto* wait = new QWidget(&main, Qt::Window);
  auto* waitButton = Named<QPushButton>(wait, "Button1");
  auto* waitLabel = Named<QLabel>(wait, "Label3");
  const QFont before = other->font();

  const LayoutState layout = LayoutForMode(3);
  ApplyControlFonts(&main, layout);
  ExpectFont(next, MainButtonFont(layout));
  ExpectFont(mode, MainButtonFont(layout));
  ExpectFont(info, InfoFont(layout));
  ExpectFont(box, InfoFont(layout));
  ExpectFont(nested, InfoFont(layout));
  EXPECT_NE(waitButton->font().family(), InfoFont(layout).family()) << "the wait window's Button1 is not the main one's";
  EXPECT_EQ(other->font(), before);

  ApplyControlFonts(&main, layout, wait);
  ExpectFont(waitButton, WaitButtonFont());
  ExpectFont(waitLabel, WaitLabelFont());
  ExpectFont(info, InfoFont(layout));
  EXPECT_EQ(other->font(), before);
}

TEST(Resample, OnlyRgbPicturesCanBeResampled) {
  const QImage::Format refused[] = {QImage::Format_Indexed8, QImage::Format_Grayscale8, QImage::Format_Mono,
                                    QImage::Format_Alpha8, QImage::Format_Grayscale16};
  for (const QImage::Format format : refused) {
    QImage picture(20, 20, format);
    picture.fill(0);
    EXPECT_FALSE(Resample(picture, QSize(10, 10)).has_value()) << "format " << format << " was resampled";
    // Drawing converts it instead.
    EXPECT_EQ(FitPicture(picture, QSize(10, 12)).size(), QSize(10, 12)) << format;
  }
}

TEST(Resample, RgbPicturesGetTheTargetSizeAndKeepTransparency) {
  const QImage::Format accepted[] = {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                     QImage::Format_RGB888, QImage::Format_RGBA8888};
  for (const QImage::Format format : accepted) {
    QImage picture(40, 40, format);
    picture.fill(QColor(0, 0, 0, 0));
    for (int y = 10; y < 30; ++y) {
      for (int x = 10; x < 30; ++x) picture.setPixelColor(x, y, QColor(200, 40, 10));
    }
    const QImage small = Resample(picture, QSize(16, 16)).value_or(QImage());
    EXPECT_EQ(small.size(), QSize(16, 16)) << format;
    EXPECT_EQ(small.pixelColor(8, 8), QColor(200, 40, 10)) << format;
    if (picture.hasAlphaChannel()) {
      EXPECT_EQ(small.pixelColor(0, 0).alpha(), 0) << format;
    }
  }
}

TEST(Resample, TinyPicturesOrTargetsStayUnchanged) {
  struct Case {
    QSize picture, target;
  };
  const Case cases[] = {{{1, 30}, {20, 20}}, {{30, 1}, {20, 20}}, {{30, 30}, {1, 20}},
                        {{30, 30}, {20, 0}}, {{1, 1}, {5, 5}},    {{30, 30}, {-4, 8}}};
  for (const Case& c : cases) {
    QImage picture(c.picture, QImage::Format_ARGB32);
    picture.fill(QColor(10, 20, 30));
    const QImage result = Resample(picture, c.target).value_or(QImage());
    EXPECT_EQ(result.size(), c.picture);
    EXPECT_EQ(result, picture);
  }
  ASSERT_TRUE(Resample(QImage(), QSize(10, 10)).has_value());
  EXPECT_TRUE(Resample(QImage(), QSize(10, 10))->isNull());
}

}  // namespace
}  // namespace varnok::testing
