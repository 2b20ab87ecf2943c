#include "speed_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <QtDebug>

#include "dialog_look.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowChoiceOfSpeed = 299;  // main table, "Choice of speed"
constexpr int kRowSelectSpeed = 300;    // main table, "Select a flight speed of cards:"

const char kSliderStyle[] =
    "QSlider::groove:horizontal { height: 8px; border-radius: 4px; border: 1px solid #7a5612;"
    "  background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #3b2a0c, stop:1 #c99a2e); }"
    "QSlider::handle:horizontal { width: 20px; margin: -8px 0; border-radius: 10px;"
    "  border: 1px solid #7a5612;"
    "  background: qradialgradient(cx:0.4, cy:0.35, radius:0.7, fx:0.4, fy:0.35,"
    "    stop:0 #fff6d0, stop:0.6 #ecc860, stop:1 #a87a1c); }";

void PaintText(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

}  // namespace

TFormSpeed::TFormSpeed(int speed, SpeedChanged changed, QWidget* parent)
    : TBaizeDialog(parent), changed_(std::move(changed)) {
  if (speed < kSlowestSpeed || speed > kFastestSpeed) {
    qWarning("TFormSpeed: flight speed %d is out of %d..%d; showing %d", speed, kSlowestSpeed, kFastestSpeed,
             kDefaultSpeed);
    speed = kDefaultSpeed;
  }
  setObjectName(QStringLiteral("TFormSpeed"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowChoiceOfSpeed));
  setModal(true);
  setFixedSize(320, 170);
  SetBackground(DrawnBaize(size()));

  auto* label = new QLabel(i18n::Text(i18n::WordsMain, kRowSelectSpeed), this);
  label->setObjectName(QStringLiteral("SelectSpeed"));
  CastShadow(label);
  label->setFont(DialogFont(17, true));
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  PaintText(label, kDialogText);

  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName(QStringLiteral("Speed"));
  slider_->setRange(kSlowestSpeed, kFastestSpeed);
  slider_->setSingleStep(1);
  slider_->setPageStep(1);
  slider_->setTickInterval(1);
  slider_->setTickPosition(QSlider::NoTicks);
  slider_->setValue(speed);
  slider_->setStyleSheet(QString::fromLatin1(kSliderStyle));
  slider_->setMinimumHeight(24);

  // The numbers 1..6 under the slider's stops.
  auto* numbers = new QHBoxLayout;
  numbers->setContentsMargins(4, 0, 4, 0);
  for (int n = kSlowestSpeed; n <= kFastestSpeed; ++n) {
    auto* mark = new QLabel(QString::number(n), this);
    mark->setFont(DialogFont(13, true));
    mark->setAlignment(Qt::AlignCenter);
    mark->setFixedWidth(20);
    PaintText(mark, kDialogGold);
    numbers->addWidget(mark);
    if (n < kFastestSpeed) numbers->addStretch(1);
  }

  connect(slider_, &QSlider::valueChanged, this, [this](int value) {
    if (changed_) changed_(value);
  });

  ok_ = MakeDialogOk(this, TColorSB::DOrang);
  ok_->setFixedSize(110, 30);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ok_);
  bottom->addStretch(1);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(22, 14, 22, 14);
  column->setSpacing(4);
  column->addWidget(label);
  column->addStretch(1);
  column->addWidget(slider_);
  column->addLayout(numbers);
  column->addStretch(1);
  column->addLayout(bottom);
  ApplyNata(this, DialogNata());
}

int TFormSpeed::Open(QWidget* parent, int speed, SpeedChanged changed) {
  TFormSpeed window(speed, std::move(changed), parent);
  window.exec();
  return window.Speed();
}

int TFormSpeed::Speed() const { return slider_->value(); }

}  // namespace varnok
