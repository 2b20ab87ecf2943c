#include "control_fonts.h"

#include <QWidget>

#include "status_text.h"

namespace varnok {

namespace {

using i18n::FontKind;

QFont FixedPitch(QFont font) {
  font.setFixedPitch(true);
  font.setStyleHint(QFont::Monospace);
  return font;
}

// The controls of `window` with one of the names, leaving out those that sit
// in another window (a dialog owned by it).
void SetFont(QWidget* window, const QStringList& names, const QFont& font) {
  if (window == nullptr) return;
  for (const QString& name : names) {
    if (window->objectName() == name) window->setFont(font);
    for (QWidget* control : window->findChildren<QWidget*>(name)) {
      if (control->window() == window->window()) control->setFont(font);
    }
  }
}

}  // namespace

QFont MainButtonFont(const LayoutState& layout) {
  const double f = layout.WindowMode == kSmallWindow ? 1.0 : 0.9;
  const int height = RoundHalfEven(i18n::FontSize(20, FontKind::Decor) * layout.ScaleK * f);
  return FaceFont(LargeFace(), height, true);
}

QStringList MainButtonNames() {
  return {QStringLiteral("Button6"), QStringLiteral("Button9"), QStringLiteral("Button10"),
          QStringLiteral("Button11"), QStringLiteral("BMode"), QStringLiteral("BHistory"),
          QStringLiteral("Button7"), QStringLiteral("Button8")};
}

QFont InfoFont(const LayoutState& layout) {
  if (layout.WindowMode == kSmallWindow) {
    return FixedPitch(FaceFont(KindFace(FontKind::Fixed), i18n::FontSize(11, FontKind::Fixed), false));
  }
  const int height = i18n::FontSize(RoundHalfEven(layout.ScaleK * 16), FontKind::Conew);
  return FixedPitch(FaceFont(KindFace(FontKind::Conew), height, true));
}

QStringList InfoControlNames() {
  QStringList names;
  for (int i = 1; i <= 5; ++i) names << QStringLiteral("Button%1").arg(i);
  for (int i = 1; i <= 4; ++i) names << QStringLiteral("Panel%1").arg(i);
  return names;
}

QFont WaitButtonFont() { return FaceFont(LargeFace(), i18n::FontSize(20, FontKind::Decor), true); }

QStringList WaitButtonNames() { return {QStringLiteral("Button1"), QStringLiteral("Button2")}; }

QFont WaitLabelFont() { return FaceFont(LargeFace(), i18n::FontSize(16, FontKind::Serif), false); }

QStringList WaitLabelNames() {
  return {QStringLiteral("Label1"), QStringLiteral("Label2"), QStringLiteral("Label3"), QStringLiteral("Label4")};
}

void ApplyControlFonts(QWidget* window, const LayoutState& layout, QWidget* waitWindow) {
  SetFont(window, MainButtonNames(), MainButtonFont(layout));
  SetFont(window, InfoControlNames(), InfoFont(layout));
  SetFont(waitWindow, WaitButtonNames(), WaitButtonFont());
  SetFont(waitWindow, WaitLabelNames(), WaitLabelFont());
}

}  // namespace varnok
