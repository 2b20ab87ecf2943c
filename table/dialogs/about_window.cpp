#include "about_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "dialog_look.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowAbout = 29;  // main table, "About"

QLabel* Line(const QString& text, const QFont& font, const QColor& colour, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : TBaizeDialog(parent) {
  setObjectName(QStringLiteral("TFormAbout"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowAbout));
  setModal(true);
  setFixedSize(320, 220);
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), size()));

  QLabel* title = Line(QString::fromLatin1(i18n::kProgramTitle), DialogFont(40, true), kDialogGold, this);
  title->setObjectName(QStringLiteral("Title"));
  CastShadow(title);
  QLabel* version = Line(QString::fromLatin1(kVersionText), DialogFont(18, true), kDialogText, this);
  version->setObjectName(QStringLiteral("Version"));
  CastShadow(version);
  QLabel* licence = Line(QString::fromLatin1(kLicenceText), DialogFont(13), kDialogText, this);
  licence->setObjectName(QStringLiteral("Licence"));
  CastShadow(licence);

  ok_ = MakeDialogOk(this, TColorSB::DOrang);
  ok_->setFixedSize(110, 30);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ok_);
  bottom->addStretch(1);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(22, 12, 22, 14);
  column->setSpacing(2);
  column->addWidget(title);
  column->addWidget(version);
  column->addStretch(1);
  column->addWidget(licence);
  column->addStretch(1);
  column->addLayout(bottom);
  ApplyNata(this, DialogNata());
}

void TFormAbout::Open(QWidget* parent) {
  TFormAbout window(parent);
  window.exec();
}

}  // namespace varnok
