// The "Game", "Fonts" and "BG" tabs: the two game options, the four fonts
// with their scales, and the table's background picture and colour.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <QtDebug>

#include "fonts.h"
#include "form_options.h"
#include "form_options_look.h"
#include "loader.h"
#include "names.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowKeepAfter100 = 37, kRowShowCards = 430;  // games table
constexpr int kRowLargeFont = 286, kRowSmallFont = 287, kRowSpecialFont = 288;
constexpr int kRowScale = 289, kRowDefault = 290, kRowFontWarning = 291;
constexpr int kRowBackground = 363, kRowFirstPicture = 365;
constexpr int kRowCantFind = 93;
constexpr int kMinScale = 50, kMaxScale = 150;
constexpr int kPictures = 10;
// The rows naming the colours 0..6 ("Gr", "Re", "Or", "Ye", "B1", "B2", "Fi").
constexpr int kColourRows[7] = {375, 376, 377, 379, 380, 381, 378};
constexpr int kBuiltInPicture = 2, kBuiltInColour = 0;

// A text of the tables with its "\n\r" line breaks as plain line breaks.
QString Lines(const QString& text) {
  QString lines = text;
  lines.remove(QLatin1Char('\r'));
  return lines;
}

}  // namespace

QWidget* TFormOptions::BuildGameTab() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(18, 16, 18, 16);
  column->setSpacing(10);
  const struct {
    const char* name;
    int row;
    bool Settings::*field;
  } options[] = {{"KeepAfter100", kRowKeepAfter100, &Settings::KeepAfter100},
                 {"ShowCardsAtEnd", kRowShowCards, &Settings::ShowCardsAtEnd}};
  for (const auto& o : options) {
    QCheckBox* box = OptionsCheck(o.name, page);
    box->setChecked(settings_.*(o.field));
    Caption(box, i18n::WordsGames, o.row);
    bool Settings::*field = o.field;
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
      if (filling_ || settings_.*field == on) return;
      settings_.*field = on;
      listener_.OtherChanged();
    });
    column->addWidget(box);
  }
  column->addStretch(1);
  return page;
}

QWidget* TFormOptions::BuildFontsTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(14);

  font_kinds_ = new QListWidget(page);
  font_kinds_->setObjectName(QStringLiteral("FontKind"));
  // Room for the four kinds also in the taller rows of the Chinese, Japanese
  // and Korean texts.
  font_kinds_->setFixedHeight(Len(104));
  const struct {
    int row;
    const char* tail;
  } kinds[] = {{kRowLargeFont, ""}, {kRowSmallFont, ""}, {kRowSpecialFont, " 1"}, {kRowSpecialFont, " 2"}};
  for (const auto& k : kinds) {
    auto* item = new QListWidgetItem(font_kinds_);
    const int row = k.row;
    const QString tail = QString::fromLatin1(k.tail);
    OnRetranslate([item, row, tail] { item->setText(i18n::Text(i18n::WordsMain, row) + tail); });
  }
  font_names_ = new QListWidget(page);
  font_names_->setObjectName(QStringLiteral("FontName"));
  font_names_->setSortingEnabled(false);
  QStringList names = i18n::SubstitutedFaces();
  for (const QString& family : QFontDatabase::families()) {
    if (!names.contains(family) && !QFontDatabase::isPrivateFamily(family)) names << family;
  }
  font_names_->addItems(names);

  auto* scale_label = new QLabel(page);
  Caption(scale_label, i18n::WordsMain, kRowScale);
  font_scale_ = NumberField(
      QStringLiteral("FontScale"), kMinScale, kMaxScale, kRowScale,
      [this] { return settings_.Fonts[std::max(0, font_kinds_->currentRow())].Scale; },
      [this](int scale) {
        FontSetting& font = settings_.Fonts[std::max(0, font_kinds_->currentRow())];
        if (font.Scale == scale) return;
        font.Scale = scale;
        ApplyFonts();
      });
  TZubCardsButton* defaults = MakeDialogButton(page, QString(), QStringLiteral("FontDefault"), TColorSB::DNavy, 15);
  defaults->setFixedSize(Len(160), Len(30));
  Caption(defaults, i18n::WordsMain, kRowDefault);
  connect(defaults, &QPushButton::clicked, this, [this] {
    const Settings fresh;
    if (settings_.Fonts == fresh.Fonts) return;
    settings_.Fonts = fresh.Fonts;
    ShowFontKind(std::max(0, font_kinds_->currentRow()));
    ApplyFonts();
  });
  font_sample_ = new QLabel(page);
  font_sample_->setObjectName(QStringLiteral("FontSample"));
  font_sample_->setAlignment(Qt::AlignCenter);
  font_sample_->setMinimumHeight(Len(54));
  font_sample_->setProperty(kOwnFont, true);
  font_sample_->setStyleSheet(QStringLiteral(
      "QLabel { border: 1px solid #a8802a; border-radius: 6px; background: rgba(0, 0, 0, 70); }"));
  auto* warning = new QLabel(page);
  warning->setObjectName(QStringLiteral("FontWarning"));
  warning->setWordWrap(true);
  warning->setFont(DialogFont(Len(13)));
  warning->setProperty(kOwnFont, true);
  warning->setStyleSheet(QStringLiteral("color: #ffd678;"));
  OnRetranslate([warning] { warning->setText(Lines(i18n::Text(i18n::WordsMain, kRowFontWarning))); });

  auto* scale_row = new QHBoxLayout;
  scale_row->addWidget(scale_label);
  scale_row->addWidget(font_scale_);
  scale_row->addStretch(1);
  auto* left = new QVBoxLayout;
  left->addWidget(font_kinds_);
  left->addLayout(scale_row);
  left->addWidget(font_sample_);
  left->addWidget(defaults, 0, Qt::AlignLeft);
  left->addStretch(1);
  left->addWidget(warning);
  grid->addLayout(left, 0, 0);
  grid->addWidget(font_names_, 0, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);

  connect(font_kinds_, &QListWidget::currentRowChanged, this, [this](int kind) {
    if (kind >= 0) ShowFontKind(kind);
  });
  connect(font_names_, &QListWidget::currentTextChanged, this, [this](const QString& name) {
    if (filling_ || name.size() < 2) return;
    FontSetting& font = settings_.Fonts[std::max(0, font_kinds_->currentRow())];
    if (font.Name == name.toStdString()) return;
    font.Name = name.toStdString();
    ApplyFonts();
  });
  for (FontSetting& font : settings_.Fonts) {
    if (font.Scale < kMinScale || font.Scale > kMaxScale) {
      qWarning("Options: font scale %d is out of %d..%d", font.Scale, kMinScale, kMaxScale);
    }
  }
  font_kinds_->setCurrentRow(0);
  ShowFontKind(0);
  return page;
}

void TFormOptions::ShowFontKind(int kind) {
  if (kind < 0 || kind >= static_cast<int>(settings_.Fonts.size())) return;
  const bool was_filling = filling_;
  filling_ = true;
  const FontSetting& font = settings_.Fonts[static_cast<std::size_t>(kind)];
  const QString name = QString::fromStdString(font.Name);
  QList<QListWidgetItem*> found = font_names_->findItems(name, Qt::MatchExactly);
  if (found.isEmpty() && name.size() >= 2) {
    font_names_->insertItem(0, name);
    found = font_names_->findItems(name, Qt::MatchExactly);
  }
  if (!found.isEmpty()) {
    font_names_->setCurrentItem(found.front());
    font_names_->scrollToItem(found.front());
  }
  font_scale_->setText(QString::number(std::clamp(font.Scale, kMinScale, kMaxScale)));
  filling_ = was_filling;
  // The sample in the kind's face at its scale.
  QFont sample(name);
  sample.setPixelSize(i18n::ScaleFontSize(20, std::clamp(font.Scale, kMinScale, kMaxScale)));
  font_sample_->setFont(sample);
  font_sample_->setText(QStringLiteral("Varnok  AaBb \u0412\u0432 123"));
}

void TFormOptions::ApplyFonts() {
  i18n::FontSettings fonts;
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    fonts[i] = {QString::fromStdString(settings_.Fonts[i].Name), settings_.Fonts[i].Scale};
  }
  i18n::SetFontSettings(fonts);
  ShowFontKind(std::max(0, font_kinds_->currentRow()));
  listener_.FontsChanged();
}

QWidget* TFormOptions::BuildBackgroundTab() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(12, 10, 12, 10);
  auto* group = new QGroupBox(page);
  group->setObjectName(QStringLiteral("Background"));
  Caption(group, i18n::WordsMain, kRowBackground);
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(14);
  bg_pictures_ = new QComboBox(group);
  bg_pictures_->setObjectName(QStringLiteral("BackgroundPicture"));
  for (int p = 1; p <= kPictures; ++p) {
    bg_pictures_->addItem(QString());
    OnRetranslate([this, p] { bg_pictures_->setItemText(p - 1, i18n::Text(i18n::WordsMain, kRowFirstPicture + p - 1)); });
  }
  bg_colours_ = new QComboBox(group);
  bg_colours_->setObjectName(QStringLiteral("BackgroundColour"));
  for (int c = 0; c < 7; ++c) {
    bg_colours_->addItem(QString());
    OnRetranslate([this, c] { bg_colours_->setItemText(c, i18n::Text(i18n::WordsMain, kColourRows[c])); });
  }
  if (settings_.BackgroundPicture < 1 || settings_.BackgroundPicture > kPictures || settings_.BackgroundColour < 0 ||
      settings_.BackgroundColour > 6) {
    qWarning("Options: background %d colour %d is out of range; the built-in one is shown",
             settings_.BackgroundPicture, settings_.BackgroundColour);
  }
  bg_pictures_->setCurrentIndex(std::clamp(settings_.BackgroundPicture, 1, kPictures) - 1);
  bg_colours_->setCurrentIndex(std::clamp(settings_.BackgroundColour, 0, 6));
  bg_preview_box_ = new QLabel(group);
  bg_preview_box_->setObjectName(QStringLiteral("BackgroundPreview"));
  bg_preview_box_->setFixedSize(Len(400), Len(270));
  grid->addWidget(bg_pictures_, 0, 0);
  grid->addWidget(bg_colours_, 1, 0);
  grid->setRowStretch(2, 1);
  grid->addWidget(bg_preview_box_, 0, 1, 3, 1);
  grid->setColumnStretch(0, 1);
  column->addWidget(group);
  column->addStretch(1);
  const auto choose = [this] {
    if (!filling_) ChooseBackground(bg_pictures_->currentIndex() + 1, bg_colours_->currentIndex());
  };
  connect(bg_pictures_, &QComboBox::currentIndexChanged, this, choose);
  connect(bg_colours_, &QComboBox::currentIndexChanged, this, choose);
  UpdateBackgroundPreview();
  return page;
}

void TFormOptions::ChooseBackground(int picture, int colour) {
  if (picture < 1 || picture > kPictures || colour < 0 || colour > 6) return;
  if (picture == settings_.BackgroundPicture && colour == settings_.BackgroundColour) return;
  const int picture_before = settings_.BackgroundPicture;
  const int colour_before = settings_.BackgroundColour;
  ClearStatus();
  settings_.BackgroundPicture = picture;
  settings_.BackgroundColour = colour;
  UpdateBackgroundPreview();
  if (settings_.BackgroundPicture != picture_before || settings_.BackgroundColour != colour_before) {
    listener_.BackgroundChanged();
  }
}

void TFormOptions::UpdateBackgroundPreview() {
  const int picture = std::clamp(settings_.BackgroundPicture, 1, kPictures);
  const int colour = std::clamp(settings_.BackgroundColour, 0, 6);
  const QString name = QString::fromStdString(BackgroundName(picture, colour, 1));
  const QString library = QString::fromStdString(BackgroundLibrary(picture, colour));
  QImage shown;
  if (!LoadJpeg(name, library, shown) || shown.isNull()) {
    // The built-in background stands in, and the lists go back to it.
    LoadJpeg(QString::fromStdString(BackgroundName(kBuiltInPicture, kBuiltInColour, 1)), QString(), shown);
    if (picture != kBuiltInPicture || colour != kBuiltInColour) {
      settings_.BackgroundPicture = kBuiltInPicture;
      settings_.BackgroundColour = kBuiltInColour;
      const bool was_filling = filling_;
      filling_ = true;
      bg_pictures_->setCurrentIndex(kBuiltInPicture - 1);
      bg_colours_->setCurrentIndex(kBuiltInColour);
      filling_ = was_filling;
      Refuse(bg_pictures_, i18n::Text(i18n::WordsMain, kRowCantFind) + QLatin1Char(' ') + library);
    }
  }
  background_preview_ = shown;
  ShowPicture(bg_preview_box_, shown);
}

}  // namespace varnok
