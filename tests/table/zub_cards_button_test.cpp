// TZubCardsButton drawn into pictures: the face pictures, gradients, caps,
// recolouring, glyph, caption, pressed shift, focus marks and events.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "widget_test.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using S = TColorSB;
using Button = TZubCardsButton;
const QColor kFelt(20, 90, 50);

QRgb ToRgb(Rgb c) { return qRgb(c.r, c.g, c.b); }
Rgb FromRgb(QRgb c) { return {qRed(c), qGreen(c), qBlue(c)}; }

QImage Render(Button& button, Button::DrawStates states = {}) {
  QImage image(button.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(kFelt);
  QPainter painter(&image);
  button.Draw(painter, QRect(QPoint(0, 0), button.size()), states);
  painter.end();
  return image;
}

// Bounding box of the pixels that differ between two pictures.
QRect Difference(const QImage& a, const QImage& b) {
  QRect box;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

int Count(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
  return count;
}

class ButtonTest : public testing::WidgetTest {};

TEST_F(ButtonTest, TheTwelvePicturesLoadAtTheirSizes) {
  for (const char* style : {"R", "Q"}) {
    const struct {
      const char* height;
      int cap;
    } sets[] = {{"29", 8}, {"44", 13}, {"59", 17}};
    for (const auto& set : sets) {
      for (const char* part : {"_L", "_R", "_2"}) {
        const QString name = QString::fromLatin1(style) + set.height + part;
        SCOPED_TRACE(name.toStdString());
        const QImage& picture = FacePicture(name);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.height(), QString::fromLatin1(set.height).toInt());
        EXPECT_EQ(picture.width(), part[1] == '2' ? 16 : set.cap);
        EXPECT_TRUE(IsRgbPicture(picture));
      }
    }
  }
}

TEST_F(ButtonTest, NewButtonDefaults) {
  Button button;
  EXPECT_EQ(button.size(), QSize(100, 30));
  EXPECT_EQ(button.ColorSB(), S::DRed);
  EXPECT_EQ(button.KLightSB(), 0);
  EXPECT_TRUE(button.Kontur());
  EXPECT_TRUE(button.Smooth());
  EXPECT_FALSE(button.Nata());
  EXPECT_EQ(button.Margin(), -1);
  button.SetHeightSB(THeightSB::D45);
  EXPECT_EQ(button.height(), 45);
  button.SetHeightSB(THeightSB::D60);
  EXPECT_EQ(button.size(), QSize(100, 60));
  button.SetKLightSB(300);
  EXPECT_EQ(button.KLightSB(), 255);
}

TEST_F(ButtonTest, OldStyleMiddleIsTheGradientInEveryScheme) {
  for (int height : {30, 45, 60}) {
    for (int k : {0, 50}) {
      for (int s = 0; s < kColorSBCount; ++s) {
        const S scheme = static_cast<S>(s);
        if (scheme == S::DCards) continue;
        SCOPED_TRACE(::testing::Message() << "height " << height << " k " << k << " scheme " << s);
        Button button;
        button.resize(120, height);
        button.SetColorSB(scheme);
        button.SetKLightSB(k);
        const QImage image = Render(button);
        const std::vector<Rgb>& lines = GradientLines(height);
        const int cap = CapWidth(height);
        for (int y = 0; y < height - 1; ++y) {
          const QRgb expected = ToRgb(Recolour(lines[static_cast<std::size_t>(y)], scheme, k, false));
          ASSERT_EQ(image.pixel(cap, y), expected) << y;
          ASSERT_EQ(image.pixel(60, y), expected) << y;
          ASSERT_EQ(image.pixel(120 - cap - 2, y), expected) << y;
        }
        // The last row and column are left for the pressed shift.
        EXPECT_EQ(image.pixel(60, height - 1), kFelt.rgb());
        EXPECT_EQ(image.pixel(119, height / 2), kFelt.rgb());
      }
    }
  }
}

TEST_F(ButtonTest, DownloadButtonLightenedHalfway) {
  Button button;
  button.SetKLightSB(50);
  const QImage image = Render(button, Button::Disabled);
  EXPECT_EQ(image.pixel(50, 0), qRgb(192, 128, 128));  // (128,0,0)
  EXPECT_EQ(image.pixel(50, 1), qRgb(136, 128, 128));  // (17,0,0)
  EXPECT_EQ(image.pixel(50, 3), qRgb(244, 214, 214));  // (232,173,173)
  EXPECT_EQ(image.pixel(50, 27), qRgb(246, 128, 128)); // (238,0,0): 246.5 -> 246
}

TEST_F(ButtonTest, CardsMiddleIsThePictureRecoloured) {
  for (int height : {30, 45, 60}) {
    SCOPED_TRACE(height);
    Button button;
    button.resize(120, height);
    button.SetColorSB(S::DCards);
    const QImage image = Render(button);
    const QImage& middle = FacePicture(FacePictureName(height, false, '2'));
    for (int y = 0; y < height - 1; ++y) {
      const Rgb source = FromRgb(middle.pixel(8, y));
      // The old-style middle pictures carry the same lines as the drawn gradient.
      EXPECT_EQ(source, GradientLines(height)[static_cast<std::size_t>(y)]) << y;
      EXPECT_EQ(image.pixel(60, y), ToRgb(Recolour(source, S::DCards, 0, false))) << y;
    }
    if (height == 30) {
      EXPECT_EQ(image.pixel(60, 27), qRgb(167, 0, 238));  // 166.6
    }
  }
}

TEST_F(ButtonTest, RedCapsAreThePicturesUnchanged) {
  for (int height : {30, 45, 60}) {
    for (bool nata : {false, true}) {
      SCOPED_TRACE(::testing::Message() << height << (nata ? " new" : " old"));
      Button button;
      button.SetNata(nata);
      const QSize size(110, height);
      const QImage face = button.Face(size).convertToFormat(QImage::Format_ARGB32);
      const QImage left = FacePicture(FacePictureName(height, nata, 'L')).convertToFormat(QImage::Format_ARGB32);
      const QImage right = FacePicture(FacePictureName(height, nata, 'R')).convertToFormat(QImage::Format_ARGB32);
      const int cap = CapWidth(height);
      ASSERT_EQ(left.size(), QSize(cap, height - 1));
      for (int y = 0; y < height - 1; ++y) {
        for (int x = 0; x < cap; ++x) {
          if (qAlpha(left.pixel(x, y)) == 255) {
            ASSERT_EQ(face.pixel(x, y), left.pixel(x, y)) << x << "," << y;
          }
          if (qAlpha(right.pixel(x, y)) == 255) {
            ASSERT_EQ(face.pixel(110 - cap - 1 + x, y), right.pixel(x, y)) << x << "," << y;
          }
          ASSERT_LE(std::abs(qAlpha(face.pixel(x, y)) - qAlpha(left.pixel(x, y))), 1);
        }
      }
    }
  }
}

TEST_F(ButtonTest, HeightTwentyUsesThe29PicturesWithCapsOfFive) {
  Button button;
  button.resize(100, 20);
  const QImage face = button.Face(button.size()).convertToFormat(QImage::Format_ARGB32);
  const QImage left = ResampleBilinear(FacePicture("R29_L"), QSize(5, 19)).convertToFormat(QImage::Format_ARGB32);
  const QImage middle =
      ResampleBilinear(FacePicture("R29_2"), QSize(100 - 11, 19)).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 5; ++x) {
      if (qAlpha(left.pixel(x, y)) == 255) {
        ASSERT_EQ(face.pixel(x, y), left.pixel(x, y)) << x << "," << y;
      }
    }
    // No gradient at 20: the middle picture, stretched between the caps.
    ASSERT_EQ(face.pixel(5, y), middle.pixel(0, y)) << y;
    ASSERT_EQ(face.pixel(50, y), middle.pixel(45, y)) << y;
  }
  EXPECT_EQ(qAlpha(face.pixel(50, 19)), 0);
  EXPECT_EQ(qAlpha(face.pixel(99, 10)), 0);
  // Without Smooth the caps are a plain stretch.
  button.SetSmooth(false);
  const QImage plain = button.Face(button.size()).convertToFormat(QImage::Format_ARGB32);
  const QImage stretched =
      FacePicture("R29_L").convertToFormat(QImage::Format_ARGB32).scaled(5, 19, Qt::IgnoreAspectRatio,
                                                                         Qt::FastTransformation);
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 5; ++x) {
      if (qAlpha(stretched.pixel(x, y)) == 255) {
        ASSERT_EQ(plain.pixel(x, y), stretched.pixel(x, y));
      }
    }
  }
}

TEST_F(ButtonTest, NewStyleRecoloursOnlyNearRedForCards) {
  for (int height : {30, 45, 60}) {
    SCOPED_TRACE(height);
    Button button;
    button.resize(100, height);
    button.SetNata(true);
    button.SetColorSB(S::DCards);
    const QImage image = Render(button);
    const QImage& middle = FacePicture(FacePictureName(height, true, '2'));
    int near = 0, far = 0;
    for (int y = 0; y < height - 1; ++y) {
      const Rgb source = FromRgb(middle.pixel(8, y));
      NearRed(source) ? ++near : ++far;
      const Rgb expected = NearRed(source) ? Rgb{DivRoundEven(6 * source.r, 10), DivRoundEven(7 * source.g, 10), source.r}
                                           : source;
      ASSERT_EQ(image.pixel(50, y), ToRgb(expected)) << y;
    }
    EXPECT_GT(near, height / 2);  // the red slab
    EXPECT_GE(far, 1);            // the light edge stays
    // A strong pure-red area: most of the body is within 40 of pure red.
    int strong = 0;
    for (int y = 0; y < height - 1; ++y) {
      const Rgb c = FromRgb(middle.pixel(8, y));
      strong += (255 - c.r) * (255 - c.r) + c.g * c.g + c.b * c.b < 40 * 40;
    }
    EXPECT_GT(strong, height / 2);
  }
}

TEST_F(ButtonTest, NewStyleLightensOnlyNearRed) {
  Button button;
  button.SetNata(true);
  button.SetKLightSB(50);
  const QImage image = Render(button);
  const QImage& middle = FacePicture("Q29_2");
  for (int y = 0; y < 29; ++y) {
    const Rgb source = FromRgb(middle.pixel(8, y));
    ASSERT_EQ(image.pixel(50, y), ToRgb(NearRed(source) ? Lighten(source, 50) : source)) << y;
  }
}

TEST_F(ButtonTest, PressedFaceMovesOnePixelRightAndDown) {
  for (bool nata : {false, true}) {
    Button button;
    button.SetNata(nata);
    const QImage up = Render(button);
    const QImage down = Render(button, Button::Pressed);
    for (int y = 0; y < 29; ++y)
      for (int x = 0; x < 99; ++x) ASSERT_EQ(down.pixel(x + 1, y + 1), up.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(down.pixel(50, 0), kFelt.rgb());
    EXPECT_EQ(down.pixel(0, 15), kFelt.rgb());
    EXPECT_NE(up.pixel(50, 0), kFelt.rgb());
  }
  // Painting the widget takes the pressed state from the button.
  Button button;
  button.setDown(true);
  QImage painted(button.size(), QImage::Format_ARGB32_Premultiplied);
  painted.fill(kFelt);
  button.render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
  EXPECT_EQ(painted, Render(button, Button::Pressed));
}

QPixmap SolidGlyph(QColor colour) {
  QPixmap glyph(16, 16);
  glyph.fill(colour);
  return glyph;
}

TEST_F(ButtonTest, GlyphPlaces) {
  const QColor blue(0, 0, 255);
  Button button;
  button.SetGlyph(SolidGlyph(blue));
  QImage image = Render(button);
  EXPECT_EQ(image.pixel(15, 6), blue.rgb());
  EXPECT_EQ(image.pixel(30, 21), blue.rgb());
  EXPECT_NE(image.pixel(14, 13), blue.rgb());
  EXPECT_NE(image.pixel(20, 5), blue.rgb());
  EXPECT_NE(image.pixel(31, 13), blue.rgb());
  image = Render(button, Button::Pressed);  // the glyph moves with the face
  EXPECT_EQ(image.pixel(16, 7), blue.rgb());
  EXPECT_NE(image.pixel(15, 6), blue.rgb());
  button.SetLayout(TButtonLayout::GlyphRight);
  image = Render(button);
  EXPECT_EQ(image.pixel(68, 6), blue.rgb());
  EXPECT_EQ(image.pixel(83, 21), blue.rgb());
  EXPECT_NE(image.pixel(84, 13), blue.rgb());
  button.SetHeightSB(THeightSB::D60);
  button.SetLayout(TButtonLayout::GlyphLeft);
  image = Render(button);
  EXPECT_EQ(image.pixel(20, 21), blue.rgb());
  EXPECT_NE(image.pixel(19, 21), blue.rgb());
  button.resize(100, 20);
  image = Render(button);
  EXPECT_EQ(image.pixel(8, 1), blue.rgb());
  EXPECT_NE(image.pixel(7, 1), blue.rgb());
}

class CaptionTest : public ButtonTest {
 protected:
  void SetUp() override {
    button.setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold));
    button.SetFontColor(QColor(255, 255, 255));
  }
  // The box of the caption's pixels.
  QRect CaptionBox(Button::DrawStates states = {}) {
    button.setText(QString());
    const QImage bare = Render(button, states);
    button.setText(QStringLiteral("Hi"));
    return Difference(bare, Render(button, states));
  }
  Button button;
};

TEST_F(CaptionTest, CentredAndRaisedWithTheNewStyle) {
  const QRect old_box = CaptionBox();
  ASSERT_FALSE(old_box.isEmpty());
  EXPECT_NEAR(old_box.center().x(), 49, 2);
  EXPECT_NEAR(old_box.center().y(), 14, 2);
  button.SetNata(true);
  EXPECT_EQ(CaptionBox(), old_box.translated(0, -1));
  EXPECT_EQ(CaptionBox(Button::Pressed), old_box.translated(1, 0));
}

TEST_F(CaptionTest, AfterTheGlyphWithAMargin) {
  button.SetGlyph(SolidGlyph(QColor(0, 0, 255)));
  button.resize(160, 30);
  button.SetMargin(2);
  QRect box = CaptionBox();
  EXPECT_GE(box.left(), 41);
  EXPECT_LE(box.left(), 43);
  button.SetHeightSB(THeightSB::D45);
  box = CaptionBox();
  EXPECT_GE(box.left(), 44);
  EXPECT_LE(box.left(), 46);
  button.SetLayout(TButtonLayout::GlyphRight);
  box = CaptionBox();
  EXPECT_LE(box.right(), 158 - 44);
  EXPECT_GE(box.right(), 158 - 44 - 2);
}

TEST_F(CaptionTest, ColoursForHoverAndDisabled) {
  const QRgb white = qRgb(255, 255, 255);
  const QRgb silver = qRgb(192, 192, 192);
  const QRgb mouse = qRgb(255, 230, 120);
  button.setText(QStringLiteral("WWW"));
  button.SetColorMouse(QColor(mouse));
  EXPECT_GT(Count(Render(button), white), 5);
  // Hovered, without LightFont: the font colour still.
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(&button, &enter);
  ASSERT_TRUE(button.Hovered());
  EXPECT_GT(Count(Render(button), white), 5);
  EXPECT_EQ(Count(Render(button), mouse), 0);
  button.SetLightFont(true);
  EXPECT_GT(Count(Render(button), mouse), 5);
  EXPECT_EQ(Count(Render(button), white), 0);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&button, &leave);
  EXPECT_EQ(Count(Render(button), mouse), 0);
  // Disabled: silver only with GrayDis.
  button.setEnabled(false);
  EXPECT_GT(Count(Render(button, Button::Disabled), white), 5);
  button.SetGrayDis(true);
  EXPECT_GT(Count(Render(button, Button::Disabled), silver), 5);
  EXPECT_EQ(Count(Render(button, Button::Disabled), white), 0);
  button.setEnabled(true);
  EXPECT_GT(Count(Render(button), white), 5);
  EXPECT_EQ(Count(Render(button), silver), 0);
}

TEST_F(ButtonTest, OldStyleFocusFrameInEachScheme) {
  for (int s = 0; s < kColorSBCount; ++s) {
    const S scheme = static_cast<S>(s);
    SCOPED_TRACE(s);
    Button button;
    button.SetColorSB(scheme);
    const QRgb colour = ToRgb(FocusColour(scheme, false));
    const QImage image = Render(button, Button::Focused);
    EXPECT_EQ(image.pixel(50, 4), colour);   // top edge
    EXPECT_EQ(image.pixel(50, 24), colour);  // bottom edge
    EXPECT_EQ(image.pixel(7, 14), colour);   // left edge
    EXPECT_EQ(image.pixel(91, 14), colour);  // right edge
    EXPECT_NE(image.pixel(50, 3), colour);
    EXPECT_NE(image.pixel(50, 5), colour);
    EXPECT_NE(image.pixel(6, 14), colour);
    EXPECT_NE(image.pixel(92, 14), colour);
    EXPECT_NE(image.pixel(7, 4), colour);  // the corner is rounded
    EXPECT_EQ(Render(button), Render(button, {}));
    EXPECT_NE(Render(button).pixel(50, 4), colour);
  }
  Button small;
  small.resize(100, 20);
  const QImage image = Render(small, Button::Focused);
  const QRgb colour = qRgb(255, 200, 200);
  EXPECT_EQ(image.pixel(50, 3), colour);
  EXPECT_EQ(image.pixel(50, 15), colour);
  EXPECT_EQ(image.pixel(4, 9), colour);
  EXPECT_EQ(image.pixel(94, 9), colour);
}

TEST_F(ButtonTest, NewStyleFocusDotsInEachScheme) {
  for (int height : {20, 30, 45, 60, 70}) {
    for (int s = 0; s < kColorSBCount; ++s) {
      const S scheme = static_cast<S>(s);
      SCOPED_TRACE(::testing::Message() << height << " scheme " << s);
      Button button;
      button.resize(100, height);
      button.SetNata(true);
      button.SetColorSB(scheme);
      const QRgb colour = ToRgb(FocusColour(scheme, true));
      const QImage image = Render(button, Button::Focused);
      const QImage plain = Render(button);
      for (const QRect& dot : FocusDots(button.size())) {
        EXPECT_EQ(image.pixel(dot.center()), colour);
        EXPECT_EQ(Difference(plain, image).intersected(dot.adjusted(-1, -1, 1, 1)).isEmpty(), false);
      }
      const QRect all = Difference(plain, image);
      EXPECT_TRUE(FocusDots(button.size())[0].united(FocusDots(button.size())[1]).adjusted(-1, -1, 1, 1).contains(all));
    }
  }
}

TEST_F(ButtonTest, NoFocusMarkWithoutKontur) {
  for (bool nata : {false, true}) {
    Button button;
    button.SetNata(nata);
    button.SetKontur(false);
    EXPECT_EQ(Render(button, Button::Focused), Render(button));
  }
}

TEST_F(ButtonTest, DrawEventComesAfterTheCaptionBeforeTheFocusMark) {
  Button button;
  button.setText(QStringLiteral("WWW"));
  button.SetFontColor(QColor(255, 255, 255));
  button.setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold));
  QImage image(button.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(kFelt);
  int calls = 0;
  bool caption_seen = false;
  bool focus_seen = true;
  QObject::connect(&button, &Button::OnDrawButton,
                   [&](Button* sender, QPainter* painter, const QRect& rect, Button::DrawStates states) {
                     ++calls;
                     EXPECT_EQ(sender, &button);
                     EXPECT_NE(painter, nullptr);
                     EXPECT_EQ(rect, QRect(0, 0, 100, 30));
                     EXPECT_EQ(states, Button::Focused);
                     caption_seen = Count(image, qRgb(255, 255, 255)) > 5;
                     focus_seen = image.pixel(50, 4) == qRgb(255, 200, 200);
                   });
  QPainter painter(&image);
  button.Draw(painter, QRect(0, 0, 100, 30), Button::Focused);
  painter.end();
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(caption_seen);
  EXPECT_FALSE(focus_seen);
  EXPECT_EQ(image.pixel(50, 4), qRgb(255, 200, 200));
}

TEST_F(ButtonTest, HoverEventsAndDoubleClick) {
  Button button;
  int entered = 0;
  int left = 0;
  QObject::connect(&button, &Button::OnMouseEnter, [&] {
    ++entered;
    EXPECT_TRUE(button.Hovered());
  });
  QObject::connect(&button, &Button::OnMouseLeave, [&] {
    ++left;
    EXPECT_FALSE(button.Hovered());
  });
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(button.Hovered());
  EXPECT_EQ(entered, 1);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&button, &leave);
  EXPECT_FALSE(button.Hovered());
  EXPECT_EQ(left, 1);

  int presses = 0;
  int clicks = 0;
  QObject::connect(&button, &QPushButton::pressed, [&] { ++presses; });
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  const QPointF at(10, 10);
  QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QMouseEvent twice(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&button, &press);
  QCoreApplication::sendEvent(&button, &release);
  QCoreApplication::sendEvent(&button, &twice);
  EXPECT_TRUE(button.isDown());
  QCoreApplication::sendEvent(&button, &release);
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, NataForAWholeWindow) {
  QWidget window;
  auto* first = new Button(&window);
  auto* second = new Button(QStringLiteral("OK"), &window);
  ApplyNata(&window, true);
  EXPECT_TRUE(first->Nata());
  EXPECT_TRUE(second->Nata());
  ApplyNata(&window, false);
  EXPECT_FALSE(second->Nata());
}

}  // namespace
}  // namespace varnok
