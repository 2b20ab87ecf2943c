#include "dialog_look.h"

#include <algorithm>
#include <cmath>

#include "zub_cards_button.h"

#include <QDialog>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>

#include "fonts.h"
#include "loader.h"
#include "names.h"

namespace varnok {

QImage DrawnBaize(QSize size) {
  QImage image(size.isEmpty() ? QSize(300, 200) : size, QImage::Format_RGB32);
  QPainter painter(&image);
  QRadialGradient baize(QPointF(image.width() * 0.5, image.height() * 0.45), image.width() * 0.75);
  baize.setColorAt(0.0, QColor(0x2f, 0x8a, 0x4c));
  baize.setColorAt(0.7, QColor(0x1d, 0x6b, 0x3a));
  baize.setColorAt(1.0, QColor(0x0f, 0x3f, 0x22));
  painter.fillRect(image.rect(), baize);
  return image;
}

QImage DialogBackground(const QString& name, QSize size) {
  QImage picture;
  if (LoadJpeg(name, QString::fromLatin1(kGraphicsLibrary), picture) && !picture.isNull()) return picture;
  return DrawnBaize(size);
}

void PaintDialog(QPainter& painter, const QWidget& widget, const QImage& background) {
  const QRect all = widget.rect();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(all, background);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient rim(all.topLeft(), all.bottomRight());
  rim.setColorAt(0.0, QColor(0xf6, 0xe2, 0x9b));
  rim.setColorAt(0.5, QColor(0xc9, 0x9a, 0x2e));
  rim.setColorAt(1.0, QColor(0x7a, 0x56, 0x12));
  painter.setPen(QPen(QBrush(rim), 2.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(all).adjusted(2, 2, -2, -2), 6, 6);
}

void TBaizeDialog::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintDialog(painter, *this, background_);
}

void TBaizeDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
}

QFont DialogFont(int pixels, bool bold) {
  QFont font = i18n::KindFont(i18n::FontKind::Decor, pixels);
  font.setBold(bold);
  return font;
}

void CastShadow(QWidget* text) {
  auto* shadow = new QGraphicsDropShadowEffect(text);
  shadow->setOffset(1.5, 1.5);
  shadow->setBlurRadius(4);
  shadow->setColor(QColor(0, 0, 0, 170));
  text->setGraphicsEffect(shadow);
}

void CentreOn(QDialog& dialog, const QWidget* parent) {
  QRect area;
  if (parent != nullptr) {
    const QWidget* window = parent->window();
    area = window->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isEmpty()) return;
  const QSize size = dialog.frameGeometry().size();
  dialog.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

namespace {
bool dialog_nata = false;
double dialog_scale = 1.0;
}  // namespace

void SetDialogNata(bool nata) { dialog_nata = nata; }
bool DialogNata() { return dialog_nata; }

void SetDialogScale(double scale) { dialog_scale = std::clamp(scale, 1.0, 2.0); }
double DialogScale() { return dialog_scale; }
int DialogLen(int design) { return static_cast<int>(std::lround(design * dialog_scale)); }

double FittedDialogScale(QSize design, const QWidget* parent) {
  double scale = dialog_scale;
  QSize room;
  if (parent != nullptr) {
    room = parent->window()->size();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    room = screen->availableGeometry().size();
  }
  if (design.isEmpty() || room.isEmpty()) return scale;
  scale = std::min({scale, static_cast<double>(room.width()) / design.width(),
                    static_cast<double>(room.height()) / design.height()});
  return std::max(scale, 0.5);
}

int ScaledLen(int design, double scale) { return static_cast<int>(std::lround(design * scale)); }

void PlayOpenSound(const SoundHook& sound) {
  if (sound) sound(QString::fromLatin1(kOpenSound));
}

TZubCardsButton* MakeDialogButton(QWidget* parent, const QString& caption, const QString& name, TColorSB scheme,
                                  int pixels) {
  auto* button = new TZubCardsButton(caption, parent);
  button->setObjectName(name);
  button->SetColorSB(scheme);
  button->setFont(DialogFont(pixels, true));
  button->SetFontColor(QColor(255, 255, 255));
  button->SetNata(DialogNata());
  return button;
}

TZubCardsButton* MakeDialogOk(QDialog* dialog, TColorSB scheme, int pixels) {
  TZubCardsButton* ok = MakeDialogButton(dialog, QStringLiteral("Ok"), QStringLiteral("Ok"), scheme, pixels);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  return ok;
}

}  // namespace varnok
