#include "form_message.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QVBoxLayout>

#include "dialog_look.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

// Yes and No in the ten languages, in the order of the word tables' columns.
constexpr const char* kYes[] = {"Yes", "Да", "Ja", "Oui", "Sí", "是", "Sì", "Ano", "はい", "예"};
constexpr const char* kNo[] = {"No", "Нет", "Nein", "Non", "No", "否", "No", "Ne", "いいえ", "아니요"};

int Language() {
  const int index = i18n::LanguageIndex();
  return index >= 0 && index < 10 ? index : 0;
}

// The sign at the left of the text.
QString SignOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Question: return QStringLiteral("?");
    case MessageKind::Warning: return QStringLiteral("!");
    case MessageKind::Error: return QStringLiteral("\u2716");
    case MessageKind::Information: break;
  }
  return QStringLiteral("i");
}

}  // namespace

QString YesText() { return QString::fromUtf8(kYes[Language()]); }
QString NoText() { return QString::fromUtf8(kNo[Language()]); }

TFormMessage::TFormMessage(MessageKind kind, const QString& text, QWidget* parent) : QDialog(parent), kind_(kind) {
  setWindowTitle(QString::fromUtf8(i18n::kProgramTitle));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  auto* sign = new QLabel(SignOf(kind), this);
  sign->setObjectName(QStringLiteral("Sign"));
  sign->setFont(DialogFont(34, true));
  sign->setAlignment(Qt::AlignCenter);
  sign->setFixedWidth(48);
  QPalette gold = sign->palette();
  gold.setColor(QPalette::WindowText, kind == MessageKind::Error ? QColor(255, 96, 80) : kDialogGold);
  sign->setPalette(gold);

  text_ = new QLabel(text, this);
  text_->setObjectName(QStringLiteral("Text"));
  text_->setFont(DialogFont(17));
  text_->setWordWrap(true);
  text_->setMinimumWidth(280);
  text_->setMaximumWidth(520);
  QPalette light = text_->palette();
  light.setColor(QPalette::WindowText, kDialogText);
  text_->setPalette(light);
  CastShadow(text_);

  auto* top = new QHBoxLayout;
  top->addWidget(sign);
  top->addWidget(text_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  if (kind == MessageKind::Question) {
    yes_ = MakeButton(YesText(), "Yes", static_cast<int>(TColorSB::DRed));
    no_ = MakeButton(NoText(), "No", static_cast<int>(TColorSB::DNavy));
    connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
    no_->setDefault(true);
    buttons->addWidget(yes_);
    buttons->addSpacing(16);
    buttons->addWidget(no_);
  } else {
    ok_ = MakeButton(QStringLiteral("Ok"), "Ok", static_cast<int>(TColorSB::DOrang));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    ok_->setDefault(true);
    buttons->addWidget(ok_);
  }
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(22, 20, 22, 16);
  layout->setSpacing(18);
  layout->addLayout(top);
  layout->addLayout(buttons);
}

TZubCardsButton* TFormMessage::MakeButton(const QString& caption, const char* name, int colour_scheme) {
  TZubCardsButton* button =
      MakeDialogButton(this, caption, QString::fromLatin1(name), static_cast<TColorSB>(colour_scheme));
  button->setFixedSize(110, 32);
  return button;
}

QString TFormMessage::Text() const { return text_->text(); }

bool TFormMessage::Ask(QWidget* parent, const QString& text, const QString& object_name) {
  TFormMessage box(MessageKind::Question, text, parent);
  box.setObjectName(object_name);
  return box.exec() == QDialog::Accepted;
}

void TFormMessage::Tell(QWidget* parent, MessageKind kind, const QString& text, const QString& object_name) {
  TFormMessage box(kind, text, parent);
  box.setObjectName(object_name);
  box.exec();
}

void TFormMessage::paintEvent(QPaintEvent* /*event*/) {
  if (background_.size() != size()) background_ = DrawnBaize(size());
  QPainter painter(this);
  PaintDialog(painter, *this, background_);
}

void TFormMessage::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  adjustSize();
  CentreOn(*this, parentWidget());
}

}  // namespace varnok
