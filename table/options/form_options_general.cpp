// The "General" tab: sound and music, the table's switches, the speed and
// passport windows, the window size and the language with its flag.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

#include "form_options.h"
#include "form_options_look.h"
#include "layout.h"
#include "loader.h"
#include "speed_window.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowMultimedia = 32, kRowSound = 33, kRowMusic = 34;
constexpr int kRowGif = 282, kRowFly = 283, kRowRedCursor = 284, kRowNewButtons = 285;
constexpr int kRowMultiplayer = 104, kRowSpeed = 298, kRowPassport = 163;
constexpr QSize kFlagBox{68, 100};

// A check box bound to one boolean setting: it shows the value and changes
// it at once, then calls `changed`.
struct Switch {
  const char* name;
  int row;
  bool Settings::*field;
  void (OptionsListener::*changed)();
};

}  // namespace

QWidget* TFormOptions::BuildGeneralTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(16);
  grid->setVerticalSpacing(6);

  const auto bind = [this](QCheckBox* box, const Switch& s) {
    box->setChecked(settings_.*(s.field));
    Caption(box, i18n::WordsMain, s.row);
    connect(box, &QCheckBox::toggled, this, [this, s](bool on) {
      if (filling_ || settings_.*(s.field) == on) return;
      settings_.*(s.field) = on;
      if (s.field == &Settings::NewButtons) {
        SetDialogNata(on);
        ApplyNata(this, on);
      }
      (listener_.*(s.changed))();
    });
  };

  // Left: multimedia, the switches and the two windows.
  auto* left = new QVBoxLayout;
  auto* multimedia = new QGroupBox(page);
  multimedia->setObjectName(QStringLiteral("Multimedia"));
  Caption(multimedia, i18n::WordsMain, kRowMultimedia);
  auto* media_row = new QHBoxLayout(multimedia);
  for (const Switch& s : {Switch{"Sound", kRowSound, &Settings::Sound, &OptionsListener::SoundChanged},
                          Switch{"Music", kRowMusic, &Settings::Music, &OptionsListener::MusicChanged}}) {
    auto* box = OptionsCheck(s.name, multimedia);
    bind(box, s);
    media_row->addWidget(box);
  }
  left->addWidget(multimedia);
  left->addSpacing(4);
  for (const Switch& s : {Switch{"GifAnimation", kRowGif, &Settings::GifAnimation, &OptionsListener::OtherChanged},
                          Switch{"FlyingCards", kRowFly, &Settings::FlyingCards, &OptionsListener::OtherChanged},
                          Switch{"RedCursor", kRowRedCursor, &Settings::RedCursor, &OptionsListener::OtherChanged},
                          Switch{"NewButtons", kRowNewButtons, &Settings::NewButtons, &OptionsListener::OtherChanged},
                          Switch{"Multiplayer", kRowMultiplayer, &Settings::NetworkMode,
                                 &OptionsListener::OtherChanged}}) {
    auto* box = OptionsCheck(s.name, page);
    bind(box, s);
    left->addWidget(box);
  }
  left->addStretch(1);
  const auto window_button = [this, page](const char* name, int row, TColorSB scheme) {
    TZubCardsButton* button = MakeDialogButton(page, QString(), QString::fromLatin1(name), scheme, 15);
    button->setFixedSize(Len(170), Len(30));
    Caption(button, i18n::WordsMain, row);
    return button;
  };
  auto* speed = window_button("Speed", kRowSpeed, TColorSB::DGreen);
  connect(speed, &QPushButton::clicked, this, [this] { OpenSpeed(); });
  auto* passport = window_button("Passport", kRowPassport, TColorSB::DNavy);
  connect(passport, &QPushButton::clicked, this, [this] { listener_.PassportRequested(this); });
  left->addWidget(speed);
  left->addWidget(passport);
  grid->addLayout(left, 0, 0, 2, 1);

  // Right, top: the window sizes with the client size of the chosen one.
  window_sizes_ = new QListWidget(page);
  window_sizes_->setObjectName(QStringLiteral("WindowSize"));
  for (int mode = kSmallWindow; mode <= kLargeWindow; ++mode) {
    auto* item = new QListWidgetItem(window_sizes_);
    item->setToolTip(WindowModeHint(mode));
    OnRetranslate([item, mode] { item->setText(i18n::Text(i18n::WordsMain, WindowModeWordsRow(mode))); });
  }
  window_hint_ = new QLabel(page);
  window_hint_->setObjectName(QStringLiteral("WindowSizeHint"));
  window_hint_->setStyleSheet(QStringLiteral("color: #ecc860;"));
  const auto show_hint = [this] {
    const QString hint = WindowModeHint(settings_.WindowMode);
    window_hint_->setText(hint.isEmpty() ? QString() : hint + QStringLiteral(" px"));
  };
  if (!IsWindowMode(settings_.WindowMode)) {
    qWarning("Options: window size %d is out of 1..5; the list shows the small window", settings_.WindowMode);
  }
  window_sizes_->setCurrentRow(IsWindowMode(settings_.WindowMode) ? settings_.WindowMode - 1 : 0);
  show_hint();
  connect(window_sizes_, &QListWidget::currentRowChanged, this, [this, show_hint](int row) {
    if (filling_ || row < 0 || settings_.WindowMode == row + 1) return;
    settings_.WindowMode = row + 1;
    show_hint();
    listener_.WindowSizeChanged();
  });
  auto* sizes = new QVBoxLayout;
  sizes->setSpacing(2);
  sizes->addWidget(window_sizes_);
  sizes->addWidget(window_hint_, 0, Qt::AlignRight);
  grid->addLayout(sizes, 0, 1);

  // Right, bottom: the language list with the flag beside it.
  languages_ = new QListWidget(page);
  languages_->setObjectName(QStringLiteral("Language"));
  languages_->setItemDelegate(new LanguageItemDelegate(languages_));
  languages_->setFont(DialogFont(Len(15)));
  languages_->setProperty(kOwnFont, true);
  for (const QString& item : i18n::LanguageItems()) languages_->addItem(item);
  const int language = settings_.LanguageIndex;
  if (language < 0 || language >= kLanguageCount) {
    qWarning("Options: language %d is out of 0..9; the list shows English", language);
  }
  languages_->setCurrentRow(language >= 0 && language < kLanguageCount ? language : 0);
  connect(languages_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_ && row >= 0) ChooseLanguage(row);
  });
  flag_box_ = new QLabel(page);
  flag_box_->setObjectName(QStringLiteral("Flag"));
  flag_box_->setFixedSize(Len(kFlagBox.width()), Len(kFlagBox.height()));
  auto* language_row = new QHBoxLayout;
  language_row->addWidget(languages_, 1);
  language_row->addWidget(flag_box_, 0, Qt::AlignTop);
  grid->addLayout(language_row, 1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(1, 1);
  return page;
}

void TFormOptions::ChooseLanguage(int index) {
  if (index < 0 || index >= kLanguageCount) return;
  if (settings_.LanguageIndex == index && i18n::LanguageIndex() == index) return;
  settings_.LanguageIndex = index;
  i18n::SetLanguage(index);
  ClearStatus();
  Retranslate();
  listener_.LanguageChanged();
}

void TFormOptions::DrawFlag() {
  if (flag_box_ == nullptr) return;
  // The box's background first (the part of the window's picture under it),
  // then the flag at its top-left corner.
  QImage box(kFlagBox, QImage::Format_ARGB32_Premultiplied);
  box.fill(Qt::transparent);
  QImage flag;
  const int language = languages_ != nullptr && languages_->currentRow() >= 0 ? languages_->currentRow() : 0;
  if (LoadPng(i18n::FlagName(language), QString(), flag) && !flag.isNull()) {
    QPainter painter(&box);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), flag.size().boundedTo(kFlagBox)), flag);
  }
  flag_ = box;
  flag_box_->setPixmap(QPixmap::fromImage(box));
}

void TFormOptions::OpenSpeed() {
  const int before = settings_.CardSpeed;
  TFormSpeed::Open(this, settings_.CardSpeed, [this](int speed) {
    if (speed < kSlowestSpeed || speed > kFastestSpeed || speed == settings_.CardSpeed) return;
    settings_.CardSpeed = speed;
    listener_.SpeedChanged();
  });
  if (settings_.CardSpeed != before) qInfo("Options: flight speed %d", settings_.CardSpeed);
}

}  // namespace varnok
