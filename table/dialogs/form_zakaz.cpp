#include "form_zakaz.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QtDebug>

#include "form_mast.h"
#include "game_state.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowOrderGame = 35;     // games table, "Order game:"
constexpr int kRowOrderOfGame = 36;   // games table, "The order of game"

struct StepInfo {
  OrderButton button;
  const char* caption;
  const char* object_name;
};
// Left column (lowering) then right column (raising), top to bottom.
constexpr std::array<StepInfo, 6> kSteps = {{
    {OrderButton::Down1, "\u22121", "Down1"},
    {OrderButton::Down5, "\u22125", "Down5"},
    {OrderButton::Down10, "\u221210", "Down10"},
    {OrderButton::Up1, "+1", "Up1"},
    {OrderButton::Up5, "+5", "Up5"},
    {OrderButton::Up10, "+10", "Up10"},
}};

bool IsRaising(OrderButton button) {
  return button == OrderButton::Up1 || button == OrderButton::Up5 || button == OrderButton::Up10;
}

void PaintText(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

}  // namespace

TFormZakaz::TFormZakaz(int winning_bid, QWidget* parent) : TBaizeDialog(parent) {
  if (winning_bid > kMaxOrder) {
    qWarning("TFormZakaz: a winning bid of %d is above %d; the order starts at %d", winning_bid, kMaxOrder,
             kMaxOrder);
    winning_bid = kMaxOrder;
  }
  minimum_ = winning_bid;
  value_ = winning_bid;

  setObjectName(QStringLiteral("TFormZakaz"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(i18n::Text(i18n::WordsGames, kRowOrderOfGame));
  setModal(true);
  setFixedSize(DialogLen(300), DialogLen(225));
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), size()));

  auto* label = new QLabel(i18n::Text(i18n::WordsGames, kRowOrderGame), this);
  label->setObjectName(QStringLiteral("OrderGame"));
  CastShadow(label);
  label->setFont(DialogFont(DialogLen(22), true));
  label->setAlignment(Qt::AlignCenter);
  PaintText(label, kDialogText);

  number_ = new QLabel(QString::number(value_), this);
  number_->setObjectName(QStringLiteral("OrderValue"));
  CastShadow(number_);
  number_->setFont(DialogFont(DialogLen(50), true));
  number_->setAlignment(Qt::AlignCenter);
  number_->setMinimumWidth(DialogLen(110));
  PaintText(number_, kDialogGold);

  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  left->setSpacing(DialogLen(4));
  right->setSpacing(DialogLen(4));
  for (std::size_t i = 0; i < kSteps.size(); ++i) {
    const StepInfo& info = kSteps[i];
    TZubCardsButton* button =
        MakeDialogButton(this, QString::fromUtf8(info.caption), QString::fromLatin1(info.object_name),
                         IsRaising(info.button) ? TColorSB::DRed : TColorSB::DNavy, DialogLen(16));
    button->setFixedSize(DialogLen(52), DialogLen(30));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    const OrderButton which = info.button;
    connect(button, &QPushButton::clicked, this, [this, which] { Step(which); });
    steps_[i] = button;
    (IsRaising(info.button) ? right : left)->addWidget(button);
  }

  // The range the order may take, from the winning bid to the highest order.
  range_ = new QLabel(QStringLiteral("%1 \u2013 %2").arg(minimum_).arg(kMaxOrder), this);
  range_->setObjectName(QStringLiteral("OrderRange"));
  CastShadow(range_);
  range_->setFont(DialogFont(DialogLen(14), true));
  range_->setAlignment(Qt::AlignCenter);
  PaintText(range_, kDialogText);
  auto* centre = new QVBoxLayout;
  centre->setSpacing(0);
  centre->addWidget(number_, 1);
  centre->addWidget(range_);

  auto* middle = new QHBoxLayout;
  middle->addLayout(left);
  middle->addLayout(centre, 1);
  middle->addLayout(right);

  ok_ = MakeDialogButton(this, QStringLiteral("Ok"), QStringLiteral("Ok"), TColorSB::DOrang, DialogLen(16));
  ok_->setFixedSize(DialogLen(110), DialogLen(30));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TFormZakaz::Confirm);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ok_);
  bottom->addStretch(1);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(DialogLen(18), DialogLen(14), DialogLen(18), DialogLen(16));
  column->setSpacing(DialogLen(6));
  column->addWidget(label);
  column->addLayout(middle, 1);
  column->addLayout(bottom);
  ok_->setFocus();
  ApplyNata(this, DialogNata());
}

TFormZakaz* TFormZakaz::Ask(QWidget* parent, int winning_bid, const SoundHook& sound, std::function<void(int)> given) {
  PlayOpenSound(sound);
  auto* dialog = new TFormZakaz(winning_bid, parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, dialog, [dialog, given = std::move(given)](int) {
    if (dialog->Confirmed() && given) given(dialog->Value());
  });
  dialog->open();
  return dialog;
}

TZubCardsButton* TFormZakaz::StepButton(OrderButton button) const {
  for (std::size_t i = 0; i < kSteps.size(); ++i) {
    if (kSteps[i].button == button) return steps_[i];
  }
  return nullptr;
}

void TFormZakaz::Step(OrderButton button) {
  value_ = OrderDialogStep(button, value_, minimum_);
  number_->setText(QString::number(value_));
}

void TFormZakaz::Confirm() {
  confirmed_ = true;
  accept();
}

void TFormZakaz::reject() {
  // Escape and the window manager cannot end the dialog before "Ok".
  if (confirmed_) QDialog::reject();
}

void TFormZakaz::closeEvent(QCloseEvent* event) {
  if (confirmed_) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

}  // namespace varnok
