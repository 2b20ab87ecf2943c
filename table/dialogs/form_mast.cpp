#include "form_mast.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "loader.h"
#include "names.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowSelectTrump = 33;  // games table, "Select trump:"
constexpr int kRowChoiceTrump = 34;  // games table, "Choice trump"
constexpr int kButtonSide = 60;
constexpr int kGlyphSide = 44;

const char* const kSuitObjectNames[4] = {"SuitHearts", "SuitDiamonds", "SuitClubs", "SuitSpades"};

bool IsRedSuit(int suit_index) { return suit_index == 0 || suit_index == 1; }

// A suit sign drawn from its character, for a missing picture.
void DrawSignCharacter(QPainter& painter, int suit_index, const QRect& box) {
  static const char16_t kSigns[4] = {u'\u2665', u'\u2666', u'\u2663', u'\u2660'};
  QFont font = painter.font();
  font.setPixelSize(box.height());
  painter.setFont(font);
  painter.setPen(IsRedSuit(suit_index) ? QColor(200, 16, 32) : QColor(16, 16, 24));
  painter.drawText(box, Qt::AlignCenter, QString(QChar(kSigns[suit_index])));
}

}  // namespace

QPixmap SuitSignGlyph(int suit_index, int size) {
  QImage glyph(size, size, QImage::Format_ARGB32_Premultiplied);
  glyph.fill(Qt::transparent);
  if (suit_index < 0 || suit_index > 3 || size < 4) return QPixmap::fromImage(glyph);
  QPainter painter(&glyph);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  // A light plate with a soft gold edge, so that a red sign shows on a red button.
  const QRectF plate = QRectF(0.5, 0.5, size - 1.0, size - 1.0);
  QRadialGradient fill(plate.center() - QPointF(size * 0.15, size * 0.2), size * 0.8);
  fill.setColorAt(0.0, QColor(255, 255, 250));
  fill.setColorAt(1.0, QColor(226, 218, 196));
  painter.setBrush(fill);
  painter.setPen(QPen(QColor(176, 140, 52), 1.2));
  painter.drawEllipse(plate);
  const int inset = size / 6;
  const QRect sign(inset, inset, size - 2 * inset, size - 2 * inset);
  QImage picture;
  const QString name = QString::fromStdString(SuitSignName(suit_index, 0, true));
  if (LoadPng(name, QString(), picture) && !picture.isNull()) {
    painter.drawImage(sign, picture);
  } else {
    DrawSignCharacter(painter, suit_index, sign);
  }
  painter.end();
  return QPixmap::fromImage(glyph);
}

TFormMast::TFormMast(QWidget* parent) : TBaizeDialog(parent) {
  setObjectName(QStringLiteral("TFormMast"));
  // A caption without a close box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(i18n::Text(i18n::WordsGames, kRowChoiceTrump));
  setModal(true);
  setFixedSize(DialogLen(300), DialogLen(170));
  SetBackground(DialogBackground(QStringLiteral("GFormMast"), size()));

  label_ = new QLabel(i18n::Text(i18n::WordsGames, kRowSelectTrump), this);
  label_->setObjectName(QStringLiteral("SelectTrump"));
  CastShadow(label_);
  label_->setFont(DialogFont(DialogLen(22), true));
  label_->setAlignment(Qt::AlignCenter);
  QPalette palette = label_->palette();
  palette.setColor(QPalette::WindowText, kDialogText);
  label_->setPalette(palette);

  auto* row = new QHBoxLayout;
  row->setSpacing(DialogLen(10));
  row->addStretch(1);
  for (int i = 0; i < 4; ++i) {
    auto* button = new TZubCardsButton(this);
    button->setObjectName(QString::fromLatin1(kSuitObjectNames[i]));
    button->SetHeightSB(THeightSB::D60);
    button->setFixedSize(DialogLen(kButtonSide), DialogLen(kButtonSide));
    button->SetColorSB(IsRedSuit(i) ? TColorSB::DRed : TColorSB::DNavy);
    button->SetLayout(TButtonLayout::GlyphBottom);
    button->SetGlyph(SuitSignGlyph(i, DialogLen(kGlyphSide)));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, i] { Pick(i); });
    buttons_[static_cast<std::size_t>(i)] = button;
    row->addWidget(button);
  }
  row->addStretch(1);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(DialogLen(12), DialogLen(18), DialogLen(12), DialogLen(24));
  column->addWidget(label_);
  column->addStretch(1);
  column->addLayout(row);
  ApplyNata(this, DialogNata());
}

TFormMast* TFormMast::Ask(QWidget* parent, const SoundHook& sound, std::function<void(std::uint8_t)> chosen) {
  PlayOpenSound(sound);
  auto* dialog = new TFormMast(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, dialog, [dialog, chosen = std::move(chosen)](int) {
    if (dialog->Chosen() && chosen) chosen(dialog->Trump());
  });
  dialog->open();
  return dialog;
}

TZubCardsButton* TFormMast::SuitButton(int suit_index) const {
  if (suit_index < 0 || suit_index > 3) return nullptr;
  return buttons_[static_cast<std::size_t>(suit_index)];
}

void TFormMast::Pick(int suit_index) {
  trump_ = kSuits[static_cast<std::size_t>(suit_index)];
  accept();
}

void TFormMast::reject() {
  // Escape and the window manager cannot end the dialog without a suit.
  if (Chosen()) QDialog::reject();
}

void TFormMast::closeEvent(QCloseEvent* event) {
  if (Chosen()) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

}  // namespace varnok
