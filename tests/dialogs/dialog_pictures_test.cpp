// The dialogs as pictures: each is drawn over its baize, with the suit
// buttons red and dark blue and the suit signs on light plates. With
// VARNOK_DIALOG_PICTURES set to a folder, the pictures are also written
// there as PNG files to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <initializer_list>
#include <string>

#include "../table/widget_test.h"
#include "about_window.h"
#include "form_mast.h"
#include "form_zakaz.h"
#include "loader.h"
#include "speed_window.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

class DialogPictures : public testing::WidgetTest {
 protected:
  void SetUp() override { SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)); }
  void TearDown() override { SetProgramFolder(QString()); }

  static QImage Picture(QWidget& dialog, const char* file) {
    dialog.show();
    const QImage image = dialog.grab().toImage();
    dialog.hide();
    const QString folder = qEnvironmentVariable("VARNOK_DIALOG_PICTURES");
    if (!folder.isEmpty()) {
      QDir().mkpath(folder);
      image.save(QDir(folder).filePath(QString::fromLatin1(file)));
    }
    return image;
  }
};

// The average colour of a widget's middle third inside the dialog picture.
QColor Middle(const QImage& picture, const QWidget& widget) {
  const QRect r = widget.geometry();
  const QRect middle(r.left() + r.width() / 3, r.top() + r.height() / 3, r.width() / 3, r.height() / 3);
  long red = 0, green = 0, blue = 0, n = 0;
  for (int y = middle.top(); y <= middle.bottom(); ++y) {
    for (int x = middle.left(); x <= middle.right(); ++x) {
      const QRgb c = picture.pixel(x, y);
      red += qRed(c);
      green += qGreen(c);
      blue += qBlue(c);
      ++n;
    }
  }
  if (n == 0) return {};
  return QColor(int(red / n), int(green / n), int(blue / n));
}

// A strip of the button's face beside the glyph: the scheme's colour.
QColor FaceBesideGlyph(const QImage& picture, const QWidget& button) {
  const QRect r = button.geometry();
  return QColor(picture.pixel(r.left() + r.width() / 2, r.bottom() - 4));
}

TEST_F(DialogPictures, TrumpDialog) {
  ASSERT_TRUE(LibraryPresent(QStringLiteral("ZubCGraph1.dll"))) << "the graphics library is built";
  TFormMast dialog;
  const QImage picture = Picture(dialog, "form_mast.png");
  ASSERT_EQ(picture.size(), dialog.size() * dialog.devicePixelRatio());
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const QColor face = FaceBesideGlyph(picture, *dialog.SuitButton(i));
    if (i < 2) {
      EXPECT_GT(face.red(), face.blue() + 60) << "red button";
    } else {
      EXPECT_GT(face.blue(), face.red() + 60) << "dark blue button";
    }
    // The plate behind the sign is light; the sign itself is red or dark.
    const QColor plate = Middle(picture, *dialog.SuitButton(i));
    EXPECT_GT(plate.lightness(), 100);
  }
  // The baize shows between the buttons: green rules.
  const QColor baize(picture.pixel(picture.width() / 2, picture.height() - 8));
  EXPECT_GT(baize.green(), baize.red());
}

TEST_F(DialogPictures, OrderDialog) {
  TFormZakaz dialog(115);
  const QImage picture = Picture(dialog, "form_zakaz.png");
  EXPECT_GT(FaceBesideGlyph(picture, *dialog.StepButton(OrderButton::Down5)).blue(),
            FaceBesideGlyph(picture, *dialog.StepButton(OrderButton::Down5)).red());
  EXPECT_GT(FaceBesideGlyph(picture, *dialog.StepButton(OrderButton::Up5)).red(),
            FaceBesideGlyph(picture, *dialog.StepButton(OrderButton::Up5)).blue());
  // The number is drawn in gold over the baize.
  const auto* number = dialog.findChild<QLabel*>(QStringLiteral("OrderValue"));
  ASSERT_NE(number, nullptr);
  bool gold = false;
  const QRect r = number->geometry();
  for (int y = r.top(); y <= r.bottom() && !gold; ++y) {
    for (int x = r.left(); x <= r.right() && !gold; ++x) {
      const QColor c(picture.pixel(x, y));
      gold = c.red() > 200 && c.green() > 160 && c.blue() < 140;
    }
  }
  EXPECT_TRUE(gold);
}

TEST_F(DialogPictures, SpeedAndAboutWindows) {
  TFormSpeed speed(4, {});
  const QImage speed_picture = Picture(speed, "form_speed.png");
  EXPECT_FALSE(speed_picture.isNull());
  TFormAbout about;
  const QImage about_picture = Picture(about, "form_about.png");
  EXPECT_FALSE(about_picture.isNull());
  SetDialogNata(true);
  TFormMast mast;
  TFormZakaz zakaz(100);
  EXPECT_FALSE(Picture(mast, "form_mast_new_buttons.png").isNull());
  EXPECT_FALSE(Picture(zakaz, "form_zakaz_new_buttons.png").isNull());
  SetDialogNata(false);
}

// In every language the labels fit their dialogs whole.
TEST_F(DialogPictures, LabelsFitInEveryLanguage) {
  for (int language = 0; language < 10; ++language) {
    SCOPED_TRACE(language);
    i18n::SetLanguage(language);
    TFormMast mast;
    TFormZakaz zakaz(60);
    TFormSpeed speed(3, {});
    const std::string suffix = "_" + std::to_string(language) + ".png";
    Picture(mast, ("form_mast" + suffix).c_str());
    Picture(zakaz, ("form_zakaz" + suffix).c_str());
    Picture(speed, ("form_speed" + suffix).c_str());
    for (QWidget* dialog : std::initializer_list<QWidget*>{&mast, &zakaz, &speed}) {
      for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_FALSE(label->text().isEmpty());
        if (label->wordWrap()) {
          EXPECT_LE(label->heightForWidth(label->width()), label->height());
        } else {
          EXPECT_LE(label->sizeHint().width(), label->width());
        }
      }
    }
  }
  i18n::SetLanguage(i18n::kEnglish);
}

TEST_F(DialogPictures, SuitSignGlyphs) {
  for (int i = 0; i < 4; ++i) {
    const QImage glyph = SuitSignGlyph(i, 44).toImage();
    ASSERT_EQ(glyph.size(), QSize(44, 44));
    EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0) << "round plate, clear corners";
    // The centre holds the sign: red for hearts and diamonds, dark for the others.
    const QColor centre(glyph.pixel(22, 23));
    if (i < 2) {
      EXPECT_GT(centre.red(), centre.green() + 80) << i;
    } else {
      EXPECT_LT(centre.lightness(), 100) << i;
    }
  }
  EXPECT_TRUE(SuitSignGlyph(4, 44).toImage().pixel(22, 22) == 0u) << "no sign for an unknown suit";
}

}  // namespace
}  // namespace varnok
