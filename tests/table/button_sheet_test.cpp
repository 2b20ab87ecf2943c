// A contact sheet of the owner-drawn buttons: every scheme at the three
// standard heights in both styles, in each state (normal, hovered, pressed,
// disabled, focused), plus lightened and odd-height buttons with glyphs, on
// the table's felt. Written to $VARNOK_BUTTON_SHEET or <temp>/buttons.png.
#include <gtest/gtest.h>

#include <QDir>
#include <QEnterEvent>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "widget_test.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using Button = TZubCardsButton;

const char* const kSchemeNames[] = {"DRed", "DGreen", "DBlue", "DNavy", "DYellow", "DViolet", "DOrang", "DCards"};
const char* const kStateNames[] = {"Normal", "Hover", "Pressed", "Disabled", "Focus"};
constexpr int kButtonWidth = 118;
constexpr int kColumn = 128;
constexpr int kLabel = 96;
constexpr int kPanel = kLabel + 5 * kColumn + 24;
constexpr int kTop = 64;

// Caption colours that read well on each scheme's face.
QColor CaptionColour(TColorSB scheme) {
  switch (scheme) {
    case TColorSB::DYellow:
      return {74, 46, 0};
    case TColorSB::DGreen:
      return {8, 52, 16};
    case TColorSB::DBlue:
      return {0, 52, 76};
    default:
      return {255, 250, 240};
  }
}

void Configure(Button& button, TColorSB scheme, int height, bool nata) {
  button.resize(kButtonWidth, height);
  button.SetColorSB(scheme);
  button.SetNata(nata);
  button.setFont(QFont(QStringLiteral("DejaVu Sans"), height >= 45 ? 11 : 9, QFont::Bold));
  button.SetFontColor(CaptionColour(scheme));
  button.SetLightFont(true);
  const bool light_face = scheme == TColorSB::DYellow || scheme == TColorSB::DGreen || scheme == TColorSB::DBlue;
  button.SetColorMouse(light_face ? QColor(150, 0, 0) : QColor(255, 226, 120));
  button.SetGrayDis(true);
}

void DrawButton(QPainter& painter, Button& button, QPoint at, Button::DrawStates states) {
  button.Draw(painter, QRect(at, button.size()), states);
}

void DrawFelt(QImage& sheet) {
  QPainter painter(&sheet);
  QLinearGradient felt(0, 0, 0, sheet.height());
  felt.setColorAt(0, QColor(18, 92, 58));
  felt.setColorAt(1, QColor(10, 66, 42));
  painter.fillRect(sheet.rect(), felt);
  // A faint weave so the transparent corners show against a real table.
  painter.setPen(QColor(255, 255, 255, 8));
  for (int y = 0; y < sheet.height(); y += 3) painter.drawLine(0, y, sheet.width(), y);
}

QPixmap SuitGlyph(const QColor& colour) {
  QPixmap glyph(16, 16);
  glyph.fill(Qt::transparent);
  QPainter painter(&glyph);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colour);
  painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
  QPainterPath heart;
  heart.moveTo(8, 14);
  heart.cubicTo(-2, 7, 3, -1, 8, 4.5);
  heart.cubicTo(13, -1, 18, 7, 8, 14);
  painter.drawPath(heart);
  return glyph;
}

TEST(ButtonSheet, EveryLookOnOnePicture) {
  testing::EnsureApplication();
  const int heights[] = {30, 45, 60};
  int block = 0;
  for (int h : heights) block += h + 10;
  const int extras = 104;
  QImage sheet(2 * kPanel + 16, kTop + kColorSBCount * (block + 12) + extras, QImage::Format_ARGB32_Premultiplied);
  DrawFelt(sheet);
  QPainter painter(&sheet);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QColor ink(236, 224, 190);

  for (int style = 0; style < 2; ++style) {
    const bool nata = style == 1;
    const int left = 16 + style * kPanel;
    painter.setPen(ink);
    painter.setFont(QFont(QStringLiteral("DejaVu Serif"), 15, QFont::Bold));
    painter.drawText(QPoint(left, 28), nata ? QStringLiteral("New buttons (Nata)") : QStringLiteral("Classic buttons"));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Bold));
    for (int state = 0; state < 5; ++state)
      painter.drawText(QRect(left + kLabel + state * kColumn, 38, kButtonWidth, 18), Qt::AlignCenter,
                       QString::fromLatin1(kStateNames[state]));
    int y = kTop;
    for (int s = 0; s < kColorSBCount; ++s) {
      const auto scheme = static_cast<TColorSB>(s);
      for (int h : heights) {
        painter.setPen(ink);
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        painter.drawText(QRect(left, y, kLabel - 8, h - 1), Qt::AlignVCenter | Qt::AlignLeft,
                         QStringLiteral("%1  %2").arg(QString::fromLatin1(kSchemeNames[s])).arg(h));
        for (int state = 0; state < 5; ++state) {
          Button button(QString::fromLatin1(kStateNames[state]));
          Configure(button, scheme, h, nata);
          Button::DrawStates states;
          if (state == 1) {
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(&button, &enter);
          }
          if (state == 2) states |= Button::Pressed;
          if (state == 3) {
            button.setEnabled(false);
            states |= Button::Disabled;
          }
          if (state == 4) states |= Button::Focused;
          DrawButton(painter, button, QPoint(left + kLabel + state * kColumn, y), states);
        }
        y += h + 10;
      }
      y += 12;
    }

    // Lightened by half, odd heights with glyphs, a left-aligned caption.
    painter.setPen(ink);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    painter.drawText(QRect(left, y, kLabel - 8, 30), Qt::AlignVCenter, QStringLiteral("KLightSB 50"));
    for (int s = 0; s < 5; ++s) {
      Button button(QStringLiteral("Download"));
      Configure(button, static_cast<TColorSB>(s == 4 ? 7 : s * 2), 30, nata);
      button.SetKLightSB(50);
      button.SetGrayDis(false);
      button.SetFontColor(QColor(96, 64, 52));
      button.setEnabled(false);
      DrawButton(painter, button, QPoint(left + kLabel + s * kColumn, y), Button::Disabled);
    }
    y += 44;
    painter.drawText(QRect(left, y, kLabel - 8, 52), Qt::AlignVCenter, QStringLiteral("20 / 38 / 52"));
    const int odd[] = {20, 38, 52, 38, 52};
    for (int s = 0; s < 5; ++s) {
      Button button(s < 3 ? QStringLiteral("Hearts") : QStringLiteral("Trump"));
      Configure(button, static_cast<TColorSB>(s == 4 ? 7 : s), odd[s], nata);
      button.setFont(QFont(QStringLiteral("DejaVu Sans"), odd[s] == 20 ? 8 : 10, QFont::Bold));
      button.SetGlyph(SuitGlyph(QColor(200, 16, 32)));
      button.SetLayout(s == 3 ? TButtonLayout::GlyphRight : TButtonLayout::GlyphLeft);
      if (s >= 1) button.SetMargin(0);
      DrawButton(painter, button, QPoint(left + kLabel + s * kColumn, y + (52 - odd[s]) / 2),
                 s == 2 ? Button::Focused : Button::DrawStates());
    }
  }
  painter.end();

  QString path = qEnvironmentVariable("VARNOK_BUTTON_SHEET");
  if (path.isEmpty()) path = QDir::temp().filePath(QStringLiteral("buttons.png"));
  ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

}  // namespace
}  // namespace varnok
