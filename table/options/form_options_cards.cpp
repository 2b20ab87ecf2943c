// The "Cards" and "Decks" tabs: the face and back designs with a preview of
// three faces and the back of the designs in use, and the back choice.
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtDebug>

#include "card_pictures.h"
#include "loader.h"
#include "form_options.h"
#include "form_options_look.h"
#include "names.h"

namespace varnok {

namespace {

constexpr int kRowFirstDesign = 304;  // main table: face design k is row 304 + k
constexpr int kRowModification = 278, kRowChangeDecks = 279, kRowAlwaysOne = 280, kRowRandom = 281;
constexpr int kRowCantFind = 93;  // "Can`t find the file"
// The rows naming back designs 0..12.
constexpr int kBackRows[kBackDesigns] = {304, 305, 327, 357, 358, 359, 360, 361, 352, 353, 356, 354, 355};
constexpr QSize kPreviewBox{330, 250};

// Designs 8 to 11 show a back drawn at random at each deal.
bool IsRandomBackDesign(int design) { return design >= 8 && design <= 11; }

QImage WithShadow(const QImage& card) {
  QImage out(card.size() + QSize(6, 6), QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  QPainter painter(&out);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 80));
  painter.drawRoundedRect(QRectF(4, 4, card.width(), card.height()), 8, 8);
  painter.drawImage(0, 0, card);
  return out;
}

// Three faces fanned out on the left and the back on the right.
QImage ComposePreview(CardPictures& pictures) {
  const TCard cards[3] = {CardFromName("Kh"), CardFromName("Qs"), CardFromName("Ad")};
  QImage faces[3];
  for (int i = 0; i < 3; ++i) faces[i] = pictures.FacePicture(cards[i]);
  const QImage back = pictures.BackPicture();
  const QSize card = faces[0].isNull() ? QSize(146, 198) : faces[0].size();
  const int step = card.width() * 2 / 5;
  const int margin = card.width() / 5;  // room for the turned outer cards
  const QSize size(margin + card.width() + 2 * step + 30 + (back.isNull() ? card.width() : back.width()) + 12,
                   card.height() + 30);
  QImage preview(size, QImage::Format_ARGB32_Premultiplied);
  preview.fill(Qt::transparent);
  QPainter painter(&preview);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 3; ++i) {
    if (faces[i].isNull()) continue;
    painter.save();
    const QPointF pivot(margin + i * step + card.width() / 2.0, 12 + card.height());
    painter.translate(pivot);
    painter.rotate((i - 1) * 7.0);
    painter.translate(-pivot);
    painter.drawImage(QPointF(margin + i * step, 12 + std::abs(i - 1) * 4), WithShadow(faces[i]));
    painter.restore();
  }
  if (!back.isNull()) painter.drawImage(QPointF(margin + card.width() + 2 * step + 30, 12), WithShadow(back));
  return preview;
}

}  // namespace

QWidget* TFormOptions::BuildCardsTab() {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(12, 10, 12, 10);
  row->setSpacing(14);
  faces_ = new QListWidget(page);
  faces_->setObjectName(QStringLiteral("CardDesign"));
  for (int k = 0; k < kFaceDesigns; ++k) {
    auto* item = new QListWidgetItem(faces_);
    OnRetranslate([item, k] { item->setText(i18n::Text(i18n::WordsMain, kRowFirstDesign + k)); });
  }
  if (settings_.CardDesign < 0 || settings_.CardDesign >= kFaceDesigns) {
    qWarning("Options: card design %d is out of 0..47; design 0 is shown", settings_.CardDesign);
    settings_.CardDesign = 0;
  }
  faces_->setCurrentRow(settings_.CardDesign);
  connect(faces_, &QListWidget::currentRowChanged, this, [this](int design) {
    if (!filling_ && design >= 0) ChooseFaceDesign(design);
  });
  row->addWidget(faces_, 2);
  face_preview_box_ = new QLabel(page);
  face_preview_box_->setObjectName(QStringLiteral("CardPreview"));
  face_preview_box_->setFixedSize(Len(kPreviewBox.width()), Len(kPreviewBox.height()));
  row->addWidget(face_preview_box_, 0, Qt::AlignTop);
  return page;
}

QWidget* TFormOptions::BuildDecksTab() {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(12, 10, 12, 10);
  row->setSpacing(14);
  backs_ = new QListWidget(page);
  backs_->setObjectName(QStringLiteral("BackDesign"));
  for (int b = 0; b < kBackDesigns; ++b) {
    auto* item = new QListWidgetItem(backs_);
    OnRetranslate([item, b] { item->setText(i18n::Text(i18n::WordsMain, kBackRows[b])); });
  }
  if (settings_.BackDesign < 0 || settings_.BackDesign >= kBackDesigns) {
    qWarning("Options: back design %d is out of 0..12; design 0 is shown", settings_.BackDesign);
    settings_.BackDesign = 0;
  }
  backs_->setCurrentRow(settings_.BackDesign);
  connect(backs_, &QListWidget::currentRowChanged, this, [this](int design) {
    if (!filling_ && design >= 0) ChooseBackDesign(design);
  });
  row->addWidget(backs_, 2);

  auto* right = new QVBoxLayout;
  back_preview_box_ = new QLabel(page);
  back_preview_box_->setObjectName(QStringLiteral("BackPreview"));
  back_preview_box_->setFixedSize(Len(kPreviewBox.width()), Len(kPreviewBox.height() - 70));
  right->addWidget(back_preview_box_);
  auto* modification = new QGroupBox(page);
  modification->setObjectName(QStringLiteral("Modification"));
  Caption(modification, i18n::WordsMain, kRowModification);
  auto* choices = new QVBoxLayout(modification);
  choices->setSpacing(2);
  auto* group = new QButtonGroup(modification);
  const struct {
    const char* name;
    int row;
    BackChoice choice;
    QAbstractButton** keep;
  } radios[] = {{"ChangeDecks", kRowChangeDecks, BackChoice::ChangeDecks, &change_decks_},
                {"AlwaysOne", kRowAlwaysOne, BackChoice::AlwaysOne, &always_one_},
                {"Random", kRowRandom, BackChoice::Random, &random_}};
  for (const auto& r : radios) {
    QRadioButton* radio = OptionsRadio(r.name, modification);
    Caption(radio, i18n::WordsMain, r.row);
    group->addButton(radio);
    choices->addWidget(radio);
    *r.keep = radio;
    const BackChoice choice = r.choice;
    connect(radio, &QRadioButton::toggled, this, [this, choice](bool on) {
      if (on && !filling_) ChooseBackChoice(choice);
    });
  }
  right->addWidget(modification);
  right->addStretch(1);
  row->addLayout(right);
  ShowBackChoice();
  UpdateCardPreview();
  return page;
}

void TFormOptions::ShowBackChoice() {
  const bool was_filling = filling_;
  filling_ = true;
  const bool random = IsRandomBackDesign(settings_.BackDesign);
  random_->setEnabled(random);
  change_decks_->setEnabled(!random);
  always_one_->setEnabled(!random);
  if (random) {
    random_->setChecked(true);
  } else if (settings_.Backs == BackChoice::AlwaysOne) {
    always_one_->setChecked(true);
  } else {
    change_decks_->setChecked(true);
  }
  filling_ = was_filling;
}

void TFormOptions::ChooseFaceDesign(int design) {
  if (design < 0 || design >= kFaceDesigns || design == settings_.CardDesign) return;
  const int before = settings_.CardDesign;
  const int back_before = settings_.BackDesign;
  ClearStatus();
  settings_.CardDesign = design;
  UpdateCardPreview();
  if (settings_.CardDesign != before || settings_.BackDesign != back_before) listener_.CardsChanged();
}

void TFormOptions::ChooseBackDesign(int design) {
  if (design < 0 || design >= kBackDesigns || design == settings_.BackDesign) return;
  const int before = settings_.BackDesign;
  const int face_before = settings_.CardDesign;
  const BackChoice choice_before = settings_.Backs;
  ClearStatus();
  settings_.BackDesign = design;
  // The designs drawn at random keep no other choice; leaving them goes back
  // to changing the back by the day.
  if (IsRandomBackDesign(design)) {
    settings_.Backs = BackChoice::Random;
  } else if (settings_.Backs == BackChoice::Random) {
    settings_.Backs = BackChoice::ChangeDecks;
  }
  UpdateCardPreview();
  if (!IsRandomBackDesign(settings_.BackDesign) && settings_.Backs == BackChoice::Random) {
    settings_.Backs = BackChoice::ChangeDecks;
  }
  ShowBackChoice();
  if (settings_.BackDesign != before || settings_.CardDesign != face_before || settings_.Backs != choice_before) {
    listener_.CardsChanged();
  }
}

void TFormOptions::ChooseBackChoice(BackChoice choice) {
  if (IsRandomBackDesign(settings_.BackDesign) || choice == settings_.Backs) return;
  settings_.Backs = choice;
  UpdateCardPreview();
  listener_.CardsChanged();
}

void TFormOptions::UpdateCardPreview() {
  const int face = settings_.CardDesign;
  const int back = settings_.BackDesign;
  const QSize large = IsFullWidthDesign(face) ? QSize(146, 198) : QSize(126, 198);
  CardPictures pictures(face, back, kCardSetLarge, large, settings_.Backs == BackChoice::AlwaysOne);
  card_preview_ = ComposePreview(pictures);
  preview_face_ = pictures.FaceDesign();
  preview_back_ = pictures.BackDesign();
  if (pictures.FellBack()) {
    // The missing library is named and the lists go back to the first entry.
    QStringList missing;
    // The back's library is the one the face design in use needs.
    for (const std::string& library :
         {FaceLibrary(face), BackLibrary(back, kCardSetLarge, IsFullWidthDesign(preview_face_))}) {
      const QString file = QString::fromStdString(library);
      if (!file.isEmpty() && !LibraryPresent(file) && !missing.contains(file)) missing << file;
    }
    // A library that is there but lacks the pictures is named all the same.
    if (missing.isEmpty()) missing << QString::fromStdString(preview_face_ != face ? FaceLibrary(face) : std::string(kCardsLibraryB));
    settings_.CardDesign = preview_face_;
    settings_.BackDesign = preview_back_;
    const bool was_filling = filling_;
    filling_ = true;
    if (faces_ != nullptr) faces_->setCurrentRow(preview_face_);
    if (backs_ != nullptr) backs_->setCurrentRow(preview_back_);
    filling_ = was_filling;
    Refuse(preview_face_ != face ? static_cast<QWidget*>(faces_) : static_cast<QWidget*>(backs_),
           i18n::Text(i18n::WordsMain, kRowCantFind) + QLatin1Char(' ') + missing.join(QStringLiteral(", ")));
  }
  ShowPicture(face_preview_box_, card_preview_);
  ShowPicture(back_preview_box_, card_preview_);
}

}  // namespace varnok
