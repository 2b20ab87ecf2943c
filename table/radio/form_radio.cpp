#include "form_radio.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "button_colours.h"
#include "loader.h"
#include "radio.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowCaption = 612;
const QString kLibrary = QString::fromLatin1(media::kRadioLibrary);

QImage RadioImage(const QString& name) {
  QImage image;
  if (!name.isEmpty()) LoadPng(name, kLibrary, image);
  return image;
}

QIcon FlagIcon(int country) {
  QImage flag;
  LoadPng(QString::fromLatin1(media::Countries()[static_cast<std::size_t>(country)].FlagPicture), QString(), flag);
  return flag.isNull() ? QIcon() : QIcon(QPixmap::fromImage(flag));
}

}  // namespace

// A picture that answers a left click.
class RadioPicture : public QLabel {
 public:
  RadioPicture(const QString& name, std::function<void()> click, QWidget* parent)
      : QLabel(parent), click_(std::move(click)) {
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && click_) {
      event->accept();
      click_();
      return;
    }
    QLabel::mousePressEvent(event);
  }

 private:
  std::function<void()> click_;
};

TFormRadio::TFormRadio(RadioWindowSetup setup, QWidget* parent) : TBaizeDialog(parent), setup_(std::move(setup)) {
  setObjectName(QStringLiteral("TFormRadio"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const QString caption = i18n::Text(i18n::WordsGames, kRowCaption, setup_.Language);
  setWindowTitle(caption);
  setFixedSize(kWidth, kHeight);
  SetBackground(DrawnBaize(size()));

  auto* title = new QLabel(caption, this);
  title->setObjectName(QStringLiteral("RadioTitle"));
  title->setFont(DialogFont(18, true));
  title->setAlignment(Qt::AlignCenter);
  title->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);")
                           .arg(kDialogGold.red())
                           .arg(kDialogGold.green())
                           .arg(kDialogGold.blue()));
  title->setGeometry(0, 6, kWidth, 30);

  const QString list_style = QStringLiteral(
      "QListWidget { background: #fffdf4; color: #301010; border: 2px solid #c9a227; border-radius: 4px; }"
      "QListWidget::item:selected { background: #7a1a22; color: #fff6d8; }");
  countries_ = new QListWidget(this);
  countries_->setObjectName(QStringLiteral("CountryList"));
  countries_->setGeometry(10, 42, 155, 170);
  stations_ = new QListWidget(this);
  stations_->setObjectName(QStringLiteral("StationList"));
  stations_->setGeometry(175, 42, 155, 170);
  for (QListWidget* list : {countries_, stations_}) {
    list->setStyleSheet(list_style);
    list->setFont(DialogFont(12));
    list->setIconSize(QSize(16, 11));
    list->setFocusPolicy(Qt::StrongFocus);
  }
  for (int i = 0; i < media::kCountryCount; ++i) {
    // The country names are these English texts in every language.
    new QListWidgetItem(FlagIcon(i), QString::fromUtf8(media::Countries()[static_cast<std::size_t>(i)].Name),
                        countries_);
  }

  switch_ = new RadioPicture(
      QStringLiteral("RadioSwitch"),
      [this] {
        if (setup_.Radio == nullptr) return;
        setup_.Radio->Toggle();
        DrawSwitch();
        if (setup_.BadgeChanged) setup_.BadgeChanged();
      },
      this);
  switch_->setGeometry(12, 220, 64, 64);

  auto* ok = MakeDialogOk(this, TColorSB::DGreen, 14);
  ok->setGeometry(88, 232, 100, 30);

  auto* down = MakeDialogButton(this, QStringLiteral("-"), QStringLiteral("VolumeDown"), TColorSB::DBlue, 14);
  auto* up = MakeDialogButton(this, QStringLiteral("+"), QStringLiteral("VolumeUp"), TColorSB::DBlue, 14);
  down->setGeometry(10, 290, 26, 24);
  up->setGeometry(168, 290, 26, 24);
  for (TZubCardsButton* b : {down, up}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
  }
  volume_ = new QLabel(this);
  volume_->setObjectName(QStringLiteral("VolumePicture"));
  volume_->setGeometry(38, 290, 128, 24);
  const auto step = [this](bool raise) {
    if (setup_.Radio == nullptr) return;
    setup_.Radio->StepVolume(raise);
    DrawVolume();
  };
  connect(down, &QPushButton::clicked, this, [step] { step(false); });
  connect(up, &QPushButton::clicked, this, [step] { step(true); });

  logo_ = new QLabel(this);
  logo_->setObjectName(QStringLiteral("RadioLogo"));
  logo_->setGeometry(202, 216, 130, 100);

  connect(countries_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    if (setup_.Radio != nullptr) setup_.Radio->SetCountryIndex(row);
    ListStations(row);
  });
  connect(stations_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    PlayStation();
  });

  // On opening: the switch, the stored country and its stations, volume and logo.
  DrawSwitch();
  const int country = setup_.Radio != nullptr ? setup_.Radio->State().CountryIndex : 0;
  filling_ = true;
  countries_->setCurrentRow(country);
  filling_ = false;
  ListStations(country);
  DrawVolume();
  DrawLogo();
  PlayOpenSound(setup_.Sound);
}

void TFormRadio::ListStations(int index) {
  if (setup_.Radio == nullptr) return;
  const auto all = setup_.Radio->ReadStations();
  if (!all) return;  // a list that cannot be read leaves the lists as they were
  const auto stations = media::StationsOfCountry(*all, index);
  filling_ = true;
  stations_->clear();
  keys_.clear();
  const QIcon flag = FlagIcon(std::clamp(index, 0, media::kCountryCount - 1));
  int selected = -1;
  for (const media::Station& s : stations) {
    new QListWidgetItem(flag, s.Name, stations_);
    keys_.push_back(s.Key);
    if (selected < 0 && s.Name == setup_.Radio->State().Station) selected = static_cast<int>(keys_.size()) - 1;
  }
  if (selected >= 0) {
    stations_->setCurrentRow(selected);
    filling_ = false;
    return;
  }
  if (!keys_.empty()) stations_->setCurrentRow(0);
  filling_ = false;
  if (!keys_.empty()) PlayStation();
}

void TFormRadio::PlayStation() {
  if (setup_.Radio == nullptr) return;
  const int row = stations_->currentRow();
  if (row < 0 || row >= static_cast<int>(keys_.size())) return;
  const auto all = setup_.Radio->ReadStations();
  if (!all) return;
  const auto station = media::FindStation(*all, keys_[static_cast<std::size_t>(row)]);
  if (!station) return;
  setup_.Radio->ChooseStation(*station);
  if (setup_.BadgeChanged) setup_.BadgeChanged();
  DrawLogo();
}

void TFormRadio::DrawSwitch() {
  const bool on = setup_.Radio != nullptr && setup_.Radio->On();
  const QImage picture = RadioImage(on ? QStringLiteral("RRADIO_MAING") : QStringLiteral("RRADIO_MAINR"));
  switch_->setPixmap(QPixmap::fromImage(picture));
  switch_->setProperty("on", on);
}

void TFormRadio::DrawVolume() {
  const int volume = setup_.Radio != nullptr ? setup_.Radio->State().Volume : 0;
  const QString name = media::VolumePictureName(volume);
  volume_->setPixmap(QPixmap::fromImage(RadioImage(name)));
  volume_->setProperty("picture", name);
}

void TFormRadio::DrawLogo() {
  QImage canvas(130, 100, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  QPainter painter(&canvas);
  painter.drawImage(0, 0, RadioImage(QStringLiteral("RRADIO_RAMKA")));
  const QString logo_name = setup_.Radio != nullptr ? setup_.Radio->State().Logo : QString();
  const QImage logo = RadioImage(logo_name);
  if (!logo.isNull()) {
    painter.drawImage(15, 15, logo);
  } else if (setup_.Radio != nullptr) {
    // A station without a logo of its own shows its name.
    painter.setPen(QColor(236, 200, 96));
    painter.setFont(DialogFont(11, true));
    painter.drawText(QRect(15, 15, 100, 70), Qt::AlignCenter | Qt::TextWordWrap, setup_.Radio->State().Station);
  }
  painter.end();
  logo_->setPixmap(QPixmap::fromImage(canvas));
  logo_->setProperty("logo", logo.isNull() ? QString() : logo_name);
}

}  // namespace varnok
