#include "form_passport.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "account_rules.h"
#include "button_colours.h"
#include "club_pictures.h"
#include "countries.h"
#include "form_message.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::online {

namespace {

QString Words(int row) { return i18n::Text(i18n::WordsMain, row); }
QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string Std(const QString& text) { return text.toUtf8().toStdString(); }

constexpr const char* kWindowStyle =
    "QLabel, QCheckBox { color: rgb(255,244,214); }"
    "QLabel#Heading { color: rgb(236,200,96); font-weight: bold; }";

}  // namespace

// ---- My Passport ---------------------------------------------------------------

TFormPassport::TFormPassport(Settings& settings, QWidget* parent) : TBaizeDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("TFormPassport"));
  setWindowTitle(QStringLiteral("My Passport"));
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), QSize(420, 300)));
  setStyleSheet(QString::fromLatin1(kWindowStyle));
  auto* grid = new QGridLayout(this);
  auto* heading = new QLabel(QStringLiteral("My Passport"), this);
  heading->setObjectName(QStringLiteral("Heading"));
  grid->addWidget(heading, 0, 0, 1, 3);
  nick_ = new QLineEdit(Utf8(settings_.Nick), this);
  nick_->setObjectName(QStringLiteral("Nick"));
  nick_->setMaxLength(kNickLimit);
  city_ = new QLineEdit(Utf8(settings_.City), this);
  city_->setObjectName(QStringLiteral("City"));
  city_->setMaxLength(kCityLimit);
  for (std::size_t i = 0; i < lamps_.size(); ++i) {
    lamps_[i] = new QLabel(this);
    lamps_[i]->setObjectName(i == 0 ? QStringLiteral("NickLamp") : QStringLiteral("CityLamp"));
  }
  grid->addWidget(new QLabel(Words(164), this), 1, 0);
  grid->addWidget(nick_, 1, 1);
  grid->addWidget(lamps_[0], 1, 2);
  grid->addWidget(new QLabel(Words(204), this), 2, 0);
  grid->addWidget(city_, 2, 1);
  grid->addWidget(lamps_[1], 2, 2);
  continent_ = new QComboBox(this);
  continent_->setObjectName(QStringLiteral("Continent"));
  for (int row = 168; row <= 173; ++row) continent_->addItem(Words(row));
  country_ = new QComboBox(this);
  country_->setObjectName(QStringLiteral("CountryList"));
  sex_ = new QComboBox(this);
  sex_->setObjectName(QStringLiteral("Sex"));
  sex_->addItems({Words(174), Words(175)});
  sex_->setCurrentIndex(settings_.Sex == "W" ? 1 : 0);
  grid->addWidget(new QLabel(Words(165), this), 3, 0);
  grid->addWidget(continent_, 3, 1);
  grid->addWidget(country_, 4, 1);
  grid->addWidget(new QLabel(Words(205), this), 5, 0);
  grid->addWidget(sex_, 5, 1);
  const Country* country = CountryOfCode(settings_.Country);
  continent_->setCurrentIndex(country != nullptr ? settings_.Country[0] - '1' : 0);
  FillCountries();
  country_->setCurrentIndex(CountryRowOfCode(settings_.Country).value_or(0));
  connect(continent_, &QComboBox::activated, this, [this](int index) {
    settings_.Country = CountryCode(index + 1, 0);
    FillCountries();
    country_->setCurrentIndex(0);
  });
  connect(country_, &QComboBox::activated, this,
          [this](int index) { settings_.Country = CountryCode(continent_->currentIndex() + 1, index); });
  connect(sex_, &QComboBox::activated, this, [this](int index) { settings_.Sex = index == 0 ? "M" : "W"; });
  connect(nick_, &QLineEdit::textEdited, this, &TFormPassport::Check);
  connect(city_, &QLineEdit::textEdited, this, &TFormPassport::Check);
  ok_ = MakeDialogOk(this, TColorSB::DGreen);
  grid->addWidget(ok_, 6, 1, Qt::AlignRight);
  Check();
}

void TFormPassport::Open(QWidget* parent, Settings& settings) {
  TFormPassport window(settings, parent);
  window.exec();
}

void TFormPassport::FillCountries() {
  const int continent = continent_->currentIndex() + 1;
  country_->clear();
  const auto countries = CountriesOf(continent);
  for (std::size_t i = 0; i < countries.size(); ++i)
    country_->addItem(QIcon(FlagPicture(CountryCode(continent, static_cast<int>(i)))),
                      QString::fromLatin1(countries[i].English));
}

bool TFormPassport::Acceptable() const {
  return CheckPassportField(Std(nick_->text()), FieldKind::Nick) != kRed &&
         CheckPassportField(Std(city_->text()), FieldKind::City) != kRed;
}

void TFormPassport::Check() {
  const int nick = CheckPassportField(Std(nick_->text()), FieldKind::Nick);
  const int city = CheckPassportField(Std(city_->text()), FieldKind::City);
  lamps_[0]->setPixmap(LampPicture(nick));
  lamps_[0]->setProperty("lamp", nick);
  lamps_[1]->setPixmap(LampPicture(city));
  lamps_[1]->setProperty("lamp", city);
  // Nick and city are kept only while both are acceptable.
  if (nick != kRed && city != kRed) {
    settings_.Nick = Std(nick_->text());
    settings_.City = Std(city_->text());
  }
  ok_->setEnabled(nick != kRed && city != kRed);
}

void TFormPassport::closeEvent(QCloseEvent* event) {
  if (!Acceptable()) {
    event->ignore();
    (CheckPassportField(Std(nick_->text()), FieldKind::Nick) == kRed ? nick_ : city_)->setFocus();
    return;
  }
  TBaizeDialog::closeEvent(event);
}

void TFormPassport::reject() {
  if (!Acceptable()) {
    (CheckPassportField(Std(nick_->text()), FieldKind::Nick) == kRed ? nick_ : city_)->setFocus();
    return;
  }
  TBaizeDialog::reject();
}

// ---- World Top Ten result ---------------------------------------------------------

TFormWorldResult::TFormWorldResult(OnlineClient& client, Settings& settings, int score, bool first_in_run,
                                   QWidget* parent)
    : TBaizeDialog(parent), client_(client), settings_(settings), score_(score), first_in_run_(first_in_run) {
  setObjectName(QStringLiteral("TFormWorldResult"));
  setWindowTitle(QStringLiteral("World Top Ten"));
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), QSize(420, 260)));
  setStyleSheet(QString::fromLatin1(kWindowStyle));
  auto* grid = new QGridLayout(this);
  auto* heading = new QLabel(QStringLiteral("World Top Ten"), this);
  heading->setObjectName(QStringLiteral("Heading"));
  grid->addWidget(heading, 0, 0, 1, 3);
  nick_ = new QLabel(this);
  nick_->setObjectName(QStringLiteral("Nick"));
  country_ = new QLabel(this);
  country_->setObjectName(QStringLiteral("Country"));
  auto* score_label = new QLabel(QString::number(score_), this);
  score_label->setObjectName(QStringLiteral("Score"));
  place_ = new QLabel(this);
  place_->setObjectName(QStringLiteral("Place"));
  grid->addWidget(new QLabel(Words(164), this), 1, 0);
  grid->addWidget(nick_, 1, 1);
  grid->addWidget(new QLabel(Words(165), this), 2, 0);
  grid->addWidget(country_, 2, 1);
  grid->addWidget(new QLabel(Words(160), this), 3, 0);
  grid->addWidget(score_label, 3, 1);
  grid->addWidget(place_, 4, 0, 1, 2);
  send_ = MakeDialogButton(this, Words(158), QStringLiteral("Send"), TColorSB::DGreen, 14);
  auto* passport = MakeDialogButton(this, Words(163), QStringLiteral("Passport"), TColorSB::DBlue, 14);
  auto* close = MakeDialogButton(this, Words(159), QStringLiteral("Close"), TColorSB::DRed, 14);
  grid->addWidget(send_, 5, 0);
  grid->addWidget(passport, 5, 1);
  grid->addWidget(close, 5, 2);
  connect(send_, &QAbstractButton::clicked, this, &TFormWorldResult::Send);
  connect(passport, &QAbstractButton::clicked, this, [this] {
    TFormPassport::Open(this, settings_);
    Refresh();
    // After the passport "Send" needs a green nick.
    if (!sent_) send_->setEnabled(CheckPassportField(settings_.Nick, FieldKind::Nick) == kGreen &&
                                  CheckPassportField(settings_.City, FieldKind::City) != kRed);
  });
  connect(close, &QAbstractButton::clicked, this, &QDialog::accept);
  Refresh();
}

void TFormWorldResult::Open(QWidget* parent, OnlineClient& client, Settings& settings, int score,
                            bool first_in_run) {
  TFormWorldResult window(client, settings, score, first_in_run, parent);
  window.exec();
}

void TFormWorldResult::showEvent(QShowEvent* event) {
  TBaizeDialog::showEvent(event);
  // On the first opening of a run a nameless passport is filled in first.
  if (first_in_run_ && (settings_.Nick.empty() || settings_.Nick == "Incognito")) {
    first_in_run_ = false;
    QTimer::singleShot(0, this, [this] {
      TFormPassport::Open(this, settings_);
      Refresh();
    });
  }
}

void TFormWorldResult::Refresh() {
  nick_->setText(Utf8(settings_.Nick));
  const Country* country = CountryOfCode(settings_.Country);
  country_->setText((country != nullptr ? QString::fromLatin1(country->English) : QString()) + QStringLiteral(", ") +
                    Utf8(settings_.City));
  if (!sent_)
    send_->setEnabled(CheckPassportField(settings_.Nick, FieldKind::Nick) != kRed &&
                      CheckPassportField(settings_.City, FieldKind::City) != kRed);
}

void TFormWorldResult::Send() {
  if (sent_ || sending_) return;
  sending_ = true;
  send_->setEnabled(false);
  const WriteTableEntry entry{kGameCode, settings_.Nick, settings_.City, settings_.Country, score_,
                              settings_.Sex.empty() ? "M" : settings_.Sex, "#", "#"};
  client_.Run(entry, this, [this](NumberResult place) {
    sending_ = false;
    if (!place.Ok) {
      send_->setEnabled(true);
      TFormMessage::Tell(this, MessageKind::Warning, Words(156), QStringLiteral("ResultNotWritten"));
      return;
    }
    sent_ = true;
    place_->setText(Words(161) + QStringLiteral(": ") + QString::number(place.Value));
  });
}

}  // namespace varnok::online
