// The "Save games", "Design" and "DLL" tabs: recording rounds as animated
// pictures, the designs of the menu, table and auxiliary windows with the
// salute, and the resource libraries with the radio list's source.
#include <QApplication>
#include <QPointer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "form_options.h"
#include "form_options_look.h"
#include "loader.h"
#include "names.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowSaveGames = 293, kRowOnlyWindow = 294, kRowScreen = 295, kRowDelay = 296;
constexpr int kMinDelay = 10, kMaxDelay = 5000;
constexpr int kRowMenuDesign = 383, kRowTableDesign = 384, kRowAuxDesign = 385;
constexpr int kRowCustomizable = 386, kRowPurple = 387, kRowGrayConcise = 388, kRowGrayAristocratic = 389,
              kRowGrayRibbons = 390;
constexpr int kRowSalute = 391, kRowSaluteButtons = 392, kRowSaluteCards = 393;
constexpr int kRowRadioList = 301, kRowFromServer = 302, kRowFromDisk = 303;
constexpr int kDimmed = 50;  // lightening of a disabled fetch button

// The auxiliary window list: gray aristocratic, gray concise, gray with red
// ribbons (the designs 2, 1, 3 of the settings) and purple.
constexpr int kAuxRows[4] = {kRowGrayAristocratic, kRowGrayConcise, kRowGrayRibbons, kRowPurple};
constexpr int kAuxDesigns[3] = {2, 1, 3};
constexpr int kAuxPurple = 3;

}  // namespace

const std::vector<QString>& TFormOptions::FetchableLibraries() {
  static const std::vector<QString> files = {
      QString::fromLatin1(kCardsLibraryA),  QString::fromLatin1(kCardsLibraryB),
      QString::fromLatin1(kBackgroundLibrary), QString::fromLatin1(kCalendarLibrary),
      QStringLiteral("ZubRadio.rad"),        QString::fromLatin1(kRadioLibrary),
      QString::fromLatin1(kVoiceLibrary),    QString::fromLatin1(kCardsLibraryC),
      QString::fromLatin1(kGraphicsLibrary)};
  return files;
}

QWidget* TFormOptions::BuildSaveTab() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(18, 16, 18, 16);
  column->setSpacing(10);
  QCheckBox* save = OptionsCheck("SaveGames", page);
  save->setChecked(settings_.SaveGames);
  Caption(save, i18n::WordsMain, kRowSaveGames);
  connect(save, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_ || settings_.SaveGames == on) return;
    settings_.SaveGames = on;
    listener_.OtherChanged();
  });
  auto* capture = new QComboBox(page);
  capture->setObjectName(QStringLiteral("GifCapture"));
  capture->addItem(QString());
  capture->addItem(QString());
  OnRetranslate([capture] {
    capture->setItemText(0, i18n::Text(i18n::WordsMain, kRowOnlyWindow));
    capture->setItemText(1, i18n::Text(i18n::WordsMain, kRowScreen));
  });
  capture->setCurrentIndex(settings_.GifCapture == 2 ? 1 : 0);
  connect(capture, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_ || index < 0 || settings_.GifCapture == index + 1) return;
    settings_.GifCapture = index + 1;
    listener_.OtherChanged();
  });
  auto* delay_label = new QLabel(page);
  Caption(delay_label, i18n::WordsMain, kRowDelay);
  QLineEdit* delay = NumberField(
      QStringLiteral("GifDelay"), kMinDelay, kMaxDelay, kRowDelay, [this] { return settings_.GifDelay; },
      [this](int ms) {
        if (settings_.GifDelay == ms) return;
        settings_.GifDelay = ms;
        listener_.OtherChanged();
      });
  auto* delay_row = new QHBoxLayout;
  delay_row->addWidget(delay_label);
  delay_row->addWidget(delay);
  delay_row->addStretch(1);
  column->addWidget(save);
  column->addWidget(capture, 0, Qt::AlignLeft);
  column->addLayout(delay_row);
  column->addStretch(1);
  return page;
}

QWidget* TFormOptions::BuildDesignTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(18, 16, 18, 16);
  grid->setHorizontalSpacing(16);
  grid->setVerticalSpacing(10);
  const auto combo = [this, page](const char* name, std::initializer_list<int> rows) {
    auto* box = new QComboBox(page);
    box->setObjectName(QString::fromLatin1(name));
    int i = 0;
    for (int row : rows) {
      box->addItem(QString());
      OnRetranslate([box, i, row] { box->setItemText(i, i18n::Text(i18n::WordsMain, row)); });
      ++i;
    }
    return box;
  };
  const auto label = [this, page](int row) {
    auto* text = new QLabel(page);
    Caption(text, i18n::WordsMain, row);
    return text;
  };
  menu_design_ = combo("MenuDesign", {kRowCustomizable, kRowPurple});
  table_design_ = combo("TableDesign", {kRowCustomizable, kRowPurple});
  aux_design_ = combo("AuxWindowDesign", {kAuxRows[0], kAuxRows[1], kAuxRows[2], kAuxRows[3]});
  grid->addWidget(label(kRowMenuDesign), 0, 0);
  grid->addWidget(menu_design_, 0, 1);
  grid->addWidget(label(kRowTableDesign), 1, 0);
  grid->addWidget(table_design_, 1, 1);
  grid->addWidget(label(kRowAuxDesign), 2, 0);
  grid->addWidget(aux_design_, 2, 1);

  auto* salute = new QGroupBox(page);
  salute->setObjectName(QStringLiteral("Salute"));
  Caption(salute, i18n::WordsMain, kRowSalute);
  auto* salute_row = new QHBoxLayout(salute);
  QCheckBox* buttons = OptionsCheck("SaluteButtons", salute);
  QCheckBox* cards = OptionsCheck("SaluteCards", salute);
  Caption(buttons, i18n::WordsMain, kRowSaluteButtons);
  Caption(cards, i18n::WordsMain, kRowSaluteCards);
  salute_row->addWidget(buttons);
  salute_row->addWidget(cards);
  salute_row->addStretch(1);
  salute_buttons_ = buttons;
  salute_cards_ = cards;
  grid->addWidget(salute, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  ShowDesignChoices();

  connect(menu_design_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_ || index < 0 || settings_.MenuDesign == index) return;
    settings_.MenuDesign = index;
    listener_.OtherChanged();
  });
  connect(table_design_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_ || index < 0 || settings_.TableDesign == index) return;
    settings_.TableDesign = index;
    listener_.BackgroundChanged();
  });
  connect(aux_design_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_ || index < 0) return;
    const bool purple = index == kAuxPurple;
    const int design = purple ? settings_.AuxWindowDesign : kAuxDesigns[index];
    if (purple == settings_.PurpleWindows && design == settings_.AuxWindowDesign) return;
    settings_.PurpleWindows = purple;
    settings_.AuxWindowDesign = design;
    listener_.OtherChanged();
  });
  const auto bind_salute = [this](QCheckBox* box, bool Settings::*field) {
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
      if (filling_ || settings_.*field == on) return;
      settings_.*field = on;
      listener_.OtherChanged();
    });
  };
  bind_salute(buttons, &Settings::SaluteButtons);
  bind_salute(cards, &Settings::SaluteCards);
  return page;
}

void TFormOptions::ShowDesignChoices() {
  const bool was_filling = filling_;
  filling_ = true;
  menu_design_->setCurrentIndex(settings_.MenuDesign == 1 ? 1 : 0);
  table_design_->setCurrentIndex(settings_.TableDesign == 1 ? 1 : 0);
  int aux = 0;
  if (settings_.PurpleWindows) {
    aux = kAuxPurple;
  } else {
    for (int i = 0; i < 3; ++i) {
      if (kAuxDesigns[i] == settings_.AuxWindowDesign) aux = i;
    }
  }
  aux_design_->setCurrentIndex(aux);
  salute_buttons_->setChecked(settings_.SaluteButtons);
  salute_cards_->setChecked(settings_.SaluteCards);
  filling_ = was_filling;
}

QWidget* TFormOptions::BuildDllTab() {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(18, 14, 18, 14);
  column->setSpacing(10);
  auto* grid = new QGridLayout;
  grid->setSpacing(8);
  const std::vector<QString>& files = FetchableLibraries();
  for (int n = 1; n <= static_cast<int>(files.size()); ++n) {
    TZubCardsButton* button = MakeDialogButton(page, files[static_cast<std::size_t>(n - 1)],
                                               QStringLiteral("Fetch%1").arg(n), TColorSB::DNavy, 14);
    button->setFixedSize(Len(190), Len(30));
    connect(button, &QPushButton::clicked, this, [this, n] { Fetch(n); });
    grid->addWidget(button, (n - 1) / 3, (n - 1) % 3);
    fetch_buttons_.push_back(button);
  }
  column->addLayout(grid);

  auto* radio = new QGroupBox(page);
  radio->setObjectName(QStringLiteral("RadioList"));
  Caption(radio, i18n::WordsMain, kRowRadioList);
  auto* radio_row = new QHBoxLayout(radio);
  auto* group = new QButtonGroup(radio);
  QRadioButton* server = OptionsRadio("RadioFromServer", radio);
  QRadioButton* disk = OptionsRadio("RadioFromDisk", radio);
  Caption(server, i18n::WordsMain, kRowFromServer);
  Caption(disk, i18n::WordsMain, kRowFromDisk);
  group->addButton(server);
  group->addButton(disk);
  (settings_.RadioListFromServer ? server : disk)->setChecked(true);
  radio_row->addWidget(server);
  radio_row->addWidget(disk);
  radio_row->addStretch(1);
  const auto bind = [this](QRadioButton* button, bool from_server) {
    connect(button, &QRadioButton::toggled, this, [this, from_server](bool on) {
      if (!on || filling_ || settings_.RadioListFromServer == from_server) return;
      settings_.RadioListFromServer = from_server;
      listener_.OtherChanged();
    });
  };
  bind(server, true);
  bind(disk, false);
  column->addWidget(radio);
  column->addStretch(1);
  return page;
}

void TFormOptions::CheckLibraries() {
  const std::vector<QString>& files = FetchableLibraries();
  for (std::size_t i = 0; i < fetch_buttons_.size() && i < files.size(); ++i) {
    const bool missing = !LibraryPresent(files[i]);
    fetch_buttons_[i]->setEnabled(missing);
    fetch_buttons_[i]->SetKLightSB(missing ? 0 : kDimmed);
  }
  const bool graphics = LibraryPresent(QString::fromLatin1(kGraphicsLibrary));
  salute_buttons_->setEnabled(graphics);
  salute_cards_->setEnabled(graphics);
  if (!graphics && (settings_.SaluteButtons || settings_.SaluteCards)) {
    settings_.SaluteButtons = false;
    settings_.SaluteCards = false;
    ShowDesignChoices();
    listener_.OtherChanged();
  }
}

void TFormOptions::Fetch(int n) {
  const std::vector<QString>& files = FetchableLibraries();
  if (n < 1 || n > static_cast<int>(files.size())) return;
  TZubCardsButton* button = fetch_buttons_[static_cast<std::size_t>(n - 1)];
  const QString caption = files[static_cast<std::size_t>(n - 1)];
  QApplication::setOverrideCursor(Qt::WaitCursor);
  button->setEnabled(false);
  // The download runs on the event loop: the window keeps painting and shows
  // the percentage on the button; it may even close meanwhile.
  QPointer<TFormOptions> self(this);
  QPointer<TZubCardsButton> shown(button);
  listener_.FetchLibrary(
      caption,
      [shown, caption](int percent) {
        if (!shown.isNull()) shown->setText(QStringLiteral("%1  %2%").arg(caption).arg(percent));
      },
      [self, shown, caption](bool arrived) {
        QApplication::restoreOverrideCursor();
        if (self.isNull()) return;
        if (!shown.isNull()) shown->setText(caption);
        self->Play(arrived ? "WToMenK" : "WWrongs");
        self->CheckLibraries();
      });
}

}  // namespace varnok
