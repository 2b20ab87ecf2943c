#include "form_radio.h"

#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

#include "button_colours.h"
#include "click_picture.h"
#include "fonts.h"
#include "form_message.h"
#include "loader.h"
#include "names.h"
#include "radio.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowCaption = 612;
constexpr int kRowCantFind = 93;  // "Can`t find the file"
const QString kLibrary = QString::fromLatin1(media::kRadioLibrary);
const QString kGraphics = QString::fromLatin1(kGraphicsLibrary);

// The band above the lists: the caption in the purple design, the header
// pictures in the gray ones ("Radio" 100, "GCap300" 64, the ribbon 90 high).
int HeaderOf(RadioDesign design) {
  switch (design) {
    case RadioDesign::GrayConcise: return 100;
    case RadioDesign::GrayAristocratic: return 64;
    case RadioDesign::GrayRibbons: return 90;
    case RadioDesign::Purple: return 36;
  }
  return 36;
}

// The lists, the switch, the buttons and the logo take this much below the band.
constexpr int kBodyHeight = 278;

const QColor kGrayFace{240, 240, 240};
const QColor kGrayFaceLow{218, 218, 214};
const QColor kMaroon{128, 0, 0};
const QColor kYellow{255, 255, 0};

QImage RadioImage(const QString& name) {
  QImage image;
  if (!name.isEmpty()) LoadPng(name, kLibrary, image);
  return image;
}

// The list's font, from 12 pixels down to 9, made small enough for its
// widest row (flag and name) to fit the list's width; a name still too wide
// is cut and shows whole in its hint.
void FitRows(QListWidget& list) {
  const int scroll = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
  const int room = list.width() - 2 * list.frameWidth() - scroll - 4;
  QFont font;
  for (int pixels = 12; pixels >= 9; --pixels) {
    font = DialogFont(pixels);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < list.count(); ++i)
      widest = std::max(widest, metrics.horizontalAdvance(list.item(i)->text()) + 22);
    if (widest <= room) break;
  }
  list.setFont(font);
  for (int i = 0; i < list.count(); ++i) list.item(i)->setToolTip(list.item(i)->text());
}

QIcon FlagIcon(int country) {
  QImage flag;
  LoadPng(QString::fromLatin1(media::Countries()[static_cast<std::size_t>(country)].FlagPicture), QString(), flag);
  return flag.isNull() ? QIcon() : QIcon(QPixmap::fromImage(flag));
}

}  // namespace

TFormRadio::TFormRadio(RadioWindowSetup setup, QWidget* parent) : TBaizeDialog(parent), setup_(std::move(setup)) {
  setObjectName(QStringLiteral("TFormRadio"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const QString caption = i18n::Text(i18n::WordsGames, kRowCaption, setup_.Language);
  setWindowTitle(caption);

  title_ = new QLabel(caption, this);
  title_->setObjectName(QStringLiteral("RadioTitle"));
  title_->setFont(DialogFont(18, true));
  title_->setAlignment(Qt::AlignCenter);
  CastShadow(title_);

  countries_ = new QListWidget(this);
  countries_->setObjectName(QStringLiteral("CountryList"));
  stations_ = new QListWidget(this);
  stations_->setObjectName(QStringLiteral("StationList"));
  for (QListWidget* list : {countries_, stations_}) {
    list->setFont(DialogFont(12));
    list->setIconSize(QSize(16, 11));
    list->setFocusPolicy(Qt::StrongFocus);
  }
  for (int i = 0; i < media::kCountryCount; ++i) {
    // The country names are these English texts in every language.
    new QListWidgetItem(FlagIcon(i), QString::fromUtf8(media::Countries()[static_cast<std::size_t>(i)].Name),
                        countries_);
  }

  switch_ = new ClickPicture(
      QStringLiteral("RadioSwitch"),
      [this] {
        if (setup_.Radio == nullptr) return;
        setup_.Radio->Toggle();
        DrawSwitch();
        if (setup_.BadgeChanged) setup_.BadgeChanged();
      },
      this);

  auto* ok = MakeDialogOk(this, TColorSB::DNavy, 14);
  auto* down = MakeDialogButton(this, QStringLiteral("-"), QStringLiteral("VolumeDown"), TColorSB::DNavy, 14);
  auto* up = MakeDialogButton(this, QStringLiteral("+"), QStringLiteral("VolumeUp"), TColorSB::DNavy, 14);
  for (TZubCardsButton* b : {down, up}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
  }
  buttons_ = {ok, down, up};
  volume_ = new QLabel(this);
  volume_->setObjectName(QStringLiteral("VolumePicture"));
  const auto step = [this](bool raise) {
    if (setup_.Radio == nullptr) return;
    setup_.Radio->StepVolume(raise);
    DrawVolume();
  };
  connect(down, &QPushButton::clicked, this, [step] { step(false); });
  connect(up, &QPushButton::clicked, this, [step] { step(true); });

  logo_ = new QLabel(this);
  logo_->setObjectName(QStringLiteral("RadioLogo"));

  connect(countries_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    if (setup_.Radio != nullptr) setup_.Radio->SetCountryIndex(row);
    ListStations(row);
  });
  connect(stations_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_ || row < 0) return;
    PlayStation();
  });

  ChooseDesign();
  ApplyDesign();

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

void TFormRadio::SetLook(const RadioLook& look) {
  setup_.Look = look;
  ChooseDesign();
  ApplyDesign();
  DrawLogo();
  update();
  // A design that needs the missing library says so at once when the window is up.
  if (isVisible()) TellMissingLibrary();
}

void TFormRadio::ChooseDesign() {
  const auto fall_back = [this] {
    design_ = RadioDesign::GrayAristocratic;
    if (setup_.FallBackToGrayAristocratic) setup_.FallBackToGrayAristocratic();
  };
  if (setup_.Look.Purple) {
    design_ = RadioDesign::Purple;
    QImage lilac;
    if (!LoadJpeg(QStringLiteral("BGLilu"), kGraphics, lilac) || lilac.isNull()) {
      qWarning("TFormRadio: the purple background is missing; the gray aristocratic design is used");
      fall_back();
    }
    return;
  }
  const int gray = setup_.Look.GrayDesign >= 1 && setup_.Look.GrayDesign <= 3 ? setup_.Look.GrayDesign : 2;
  design_ = static_cast<RadioDesign>(gray);
  if (design_ == RadioDesign::GrayConcise && !LibraryPresent(kGraphics)) {
    library_missing_ = true;
    fall_back();
  }
}

void TFormRadio::ApplyDesign() {
  const bool purple = design_ == RadioDesign::Purple;
  header_height_ = HeaderOf(design_);
  const int top = header_height_ + 6;
  setFixedSize(kWidth, top + kBodyHeight);

  // The caption stands on the purple band; the gray designs carry it in their header.
  title_->setVisible(purple);
  title_->setGeometry(0, 6, kWidth, 30);
  title_->setStyleSheet(QStringLiteral("color: %1;").arg(kYellow.name()));

  countries_->setGeometry(10, top, 155, 170);
  stations_->setGeometry(175, top, 155, 170);
  const QString list_style =
      purple ? QStringLiteral(
                   "QListWidget { background: #2a0d3c; color: #ffff00; border: 2px solid #b07ad0; border-radius: 4px; }"
                   "QListWidget::item:selected { background: #7b3fa6; color: #ffffff; }")
             : QStringLiteral(
                   "QListWidget { background: #ffffff; color: #000000; border: 1px solid #808080; }"
                   "QListWidget::item:selected { background: #000080; color: #ffffff; }");
  for (QListWidget* list : {countries_, stations_}) {
    list->setStyleSheet(list_style);
    FitRows(*list);
  }

  switch_->setGeometry(12, top + 178, 64, 64);
  buttons_[0]->setGeometry(88, top + 190, 100, 30);
  buttons_[1]->setGeometry(10, top + 248, 26, 24);
  buttons_[2]->setGeometry(168, top + 248, 26, 24);
  volume_->setGeometry(38, top + 248, 128, 24);
  logo_->setGeometry(202, top + 174, 130, 100);
  // The buttons of the purple design are violet, of the gray ones navy.
  for (TZubCardsButton* button : buttons_) {
    button->SetColorSB(purple ? TColorSB::DViolet : TColorSB::DNavy);
    button->SetNata(setup_.Look.NewButtons);
  }
  background_ = DrawBackground();
  setProperty("design", static_cast<int>(design_));
}

QImage TFormRadio::DrawBackground() const {
  QImage image(size(), QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  QImage picture;
  if (design_ == RadioDesign::Purple) {
    // The purple table's picture, covering the window and cut at its middle.
    LoadJpeg(QStringLiteral("BGLilu"), kGraphics, picture);
    const QImage cover = picture.scaled(image.size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    painter.drawImage(0, 0, cover, (cover.width() - image.width()) / 2, (cover.height() - image.height()) / 2);
    return image;
  }
  QLinearGradient face(0, 0, 0, image.height());
  face.setColorAt(0.0, kGrayFace);
  face.setColorAt(1.0, kGrayFaceLow);
  painter.fillRect(image.rect(), face);
  switch (design_) {
    case RadioDesign::GrayConcise:
      if (LoadPng(QStringLiteral("Radio"), kGraphics, picture)) painter.drawImage(0, 0, picture);
      break;
    case RadioDesign::GrayRibbons:
      if (LoadPng(QStringLiteral("GLenta280x090"), kGraphics, picture))
        painter.drawImage((image.width() - picture.width()) / 2, 0, picture);
      if (LoadPng(QStringLiteral("GFormRadioL"), kGraphics, picture))
        painter.drawImage((image.width() - picture.width()) / 2, 0, picture);
      break;
    case RadioDesign::GrayAristocratic:
    case RadioDesign::Purple: {
      if (LoadPng(QStringLiteral("GCap300"), kGraphics, picture)) {
        painter.drawImage((image.width() - picture.width()) / 2, 0, picture);
      } else {
        painter.fillRect(QRect(20, 0, image.width() - 40, 60), QColor(70, 70, 76));
      }
      // "RADIO" in yellow with a shadow of half its brightness.
      QFont font = i18n::KindFont(i18n::FontKind::Serif, i18n::FontSize(40, i18n::FontKind::Serif) * 3 / 4);
      font.setBold(true);
      painter.setFont(font);
      const QRect band(0, 10, image.width(), QFontMetrics(font).height());
      const QString word = QStringLiteral("RADIO");
      painter.setPen(QColor(128, 128, 0));
      painter.drawText(band.translated(1, 1), Qt::AlignHCenter | Qt::AlignTop, word);
      painter.setPen(kYellow);
      painter.drawText(band, Qt::AlignHCenter | Qt::AlignTop, word);
      break;
    }
  }
  return image;
}

void TFormRadio::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawImage(0, 0, background_);
}

void TFormRadio::showEvent(QShowEvent* event) {
  TBaizeDialog::showEvent(event);
  TellMissingLibrary();
}

void TFormRadio::TellMissingLibrary() {
  if (!library_missing_) return;
  library_missing_ = false;
  const QString text = i18n::Text(i18n::WordsMain, kRowCantFind, setup_.Language) + QLatin1Char(' ') + kGraphics;
  QTimer::singleShot(0, this, [this, text] {
    if (setup_.Notice) setup_.Notice(text);
    else TFormMessage::Tell(this, MessageKind::Warning, text, QStringLiteral("Attention"));
  });
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
  FitRows(*stations_);
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
    painter.setPen(design_ == RadioDesign::Purple ? kYellow : kMaroon);
    painter.setFont(DialogFont(11, true));
    painter.drawText(QRect(15, 15, 100, 70), Qt::AlignCenter | Qt::TextWordWrap, setup_.Radio->State().Station);
  }
  painter.end();
  logo_->setPixmap(QPixmap::fromImage(canvas));
  logo_->setProperty("logo", logo.isNull() ? QString() : logo_name);
}

}  // namespace varnok
