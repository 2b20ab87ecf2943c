#include "form_account.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QVBoxLayout>

#include "account_file.h"
#include "account_rules.h"
#include "button_colours.h"
#include "club_pictures.h"
#include "countries.h"
#include "form_message.h"
#include "reply_scans.h"
#include "form_profile.h"
#include "guide_rows.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::online {

namespace {

QString Words(int row) { return i18n::Text(i18n::WordsMain, row); }
QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string Std(const QString& text) { return text.toUtf8().toStdString(); }

constexpr const char* kNoConnect = "No Connect";
constexpr const char* kGameTitle = "Varnok";

// A field with its lamp and the typing filter of its kind.
class FilteredEdit : public QLineEdit {
 public:
  FilteredEdit(FieldKind kind, int limit, QWidget* parent) : QLineEdit(parent), kind_(kind) { setMaxLength(limit); }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() &&
        !AcceptTypedCharacter(typed.toStdU32String(), kind_)) {
      return;  // dropped by the filter
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  FieldKind kind_;
};

QLabel* ValueLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setStyleSheet(QStringLiteral("color: rgb(255,244,214);"));
  return label;
}

}  // namespace

TFormAccount::TFormAccount(OnlineClub& club, bool rated_choice_allowed, SoundHook sound, QWidget* parent)
    : TBaizeDialog(parent), club_(club), rated_choice_allowed_(rated_choice_allowed), sound_(std::move(sound)) {
  setObjectName(QStringLiteral("TFormAccount"));
  setWindowTitle(Words(195));
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), QSize(560, 520)));
  resize(560, 520);
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("Tabs"));
  // The pages lie on the baize: cream texts over a darkened pane with a gold rim.
  setStyleSheet(QStringLiteral(
      "QTabWidget::pane { border: 1px solid rgb(236,200,96); background: rgba(0,0,0,70); }"
      "QTabWidget > QWidget > QWidget { background: transparent; }"
      "QLabel, QCheckBox { color: rgb(255,244,214); }"
      "QCheckBox:disabled { color: rgb(160,160,150); }"
      "QLabel#PresidentTitle, QLabel#Heading { color: rgb(236,200,96); font-weight: bold; }"));
  tabs_->addTab(BuildAccountTab(), Words(196));
  tabs_->addTab(BuildResultsTab(), Words(197));
  tabs_->addTab(BuildTopTab(), QStringLiteral("Top 10"));
  tabs_->addTab(BuildAboutTab(), Words(251));
  tabs_->addTab(BuildPresidentTab(), Words(253));
  layout->addWidget(tabs_);
  auto* close = MakeDialogButton(this, Words(277), QStringLiteral("Close"), TColorSB::DBlue);
  connect(close, &QAbstractButton::clicked, this, &QDialog::accept);
  layout->addWidget(close, 0, Qt::AlignRight);

  save_enabled_ = !club_.AccountFileSaved() && club_.AccountState() > kLoggedOut;
  if (club_.AccountState() == kLoggedOut) {
    TZubUser& user = club_.Data().User;
    user.City.clear();
    user.Country2 = "1-001";
    user.Country1 = "Russia";
    user.Sex = 'M';
    user.EMail.clear();
    user.DateR = "00.00.0000";
  }
  FillAccountFields();
  ShowResults();
  ShowTopTen();
  ShowAbout();
  ShowPresident();
  StartReads();
}

void TFormAccount::Open(QWidget* parent, OnlineClub& club, bool rated_choice_allowed, SoundHook sound) {
  PlayOpenSound(sound);
  TFormAccount window(club, rated_choice_allowed, sound, parent);
  window.exec();
}

// ---- the opening reads ------------------------------------------------------

void TFormAccount::StartReads() {
  OnlineClient& client = club_.Client();
  Track(1);
  client.Run(ReadTopTen{}, this, [this](TopTenResult top) {
    club_.Data().TopTenRead = top.Ok;
    if (top.Ok) club_.Data().TopTen = top.Rows;
    ShowTopTen();
    ReadPresident();
    Done();
  });
  if (club_.AccountState() > kLoggedOut) {
    Track(1);
    club_.RefreshResults([this] {
      ShowResults();
      Done();
    });
  }
  Track(1);
  client.Run(ReadMembers{}, this, [this](NumberResult members) {
    club_.Data().MembersRead = members.Ok;
    if (members.Ok) club_.Data().Members = members.Value;
    FillAccountFields();
    Done();
  });
  if (club_.AccountState() > kLoggedOut) ReadAfterLogin();
}

void TFormAccount::ReadAfterLogin() {
  OnlineClient& client = club_.Client();
  const QString nick = Utf8(club_.Data().User.Nick);
  Track(2);
  client.LoadPhoto(nick, this, [this](std::optional<QImage> photo) {
    club_.Data().OwnPhoto = std::move(photo);
    ShowAbout();
    Done();
  });
  client.Run(ReadInfo{club_.Data().User.Nick}, this, [this](InfoResult info) {
    if (info.Ok) club_.Data().User.Info = info.Info;
    ShowAbout();
    Done();
  });
}

void TFormAccount::ReadPresident() {
  const std::string president = club_.Data().TopTen[0].Nick;
  if (president.empty()) {
    club_.Data().PresidentInfo = TInfo14{};
    club_.Data().PresidentPhoto.reset();
    ShowPresident();
    return;
  }
  Track(2);
  club_.Client().Run(ReadInfo{president}, this, [this](InfoResult info) {
    club_.Data().PresidentInfo = info.Ok ? info.Info : TInfo14{};
    ShowPresident();
    Done();
  });
  club_.Client().LoadPhoto(Utf8(president), this, [this](std::optional<QImage> photo) {
    club_.Data().PresidentPhoto = std::move(photo);
    ShowPresident();
    Done();
  });
}

// ---- "My account" -------------------------------------------------------------

QWidget* TFormAccount::BuildAccountTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  auto* heading = new QLabel(Words(200));
  heading->setObjectName(QStringLiteral("Heading"));
  grid->addWidget(heading, 0, 0, 1, 3);
  nick_ = new FilteredEdit(FieldKind::Nick, kNickLimit, tab);
  password_ = new FilteredEdit(FieldKind::Password, kPasswordLimit, tab);
  city_ = new FilteredEdit(FieldKind::City, kCityLimit, tab);
  email_ = new FilteredEdit(FieldKind::EMail, kEMailLimit, tab);
  const std::array<std::pair<QLineEdit*, QString>, 4> edits{
      {{nick_, QStringLiteral("Nick")}, {password_, QStringLiteral("Password")}, {city_, QStringLiteral("City")},
       {email_, QStringLiteral("EMail")}}};
  const std::array<QString, 4> labels{Words(201), Words(202), Words(204), QStringLiteral("E-Mail:")};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    edits[i].first->setObjectName(edits[i].second);
    lamps_[i] = new QLabel(tab);
    lamps_[i]->setObjectName(edits[i].second + QStringLiteral("Lamp"));
    const int row = static_cast<int>(i) + 1;
    grid->addWidget(new QLabel(labels[i]), row, 0);
    grid->addWidget(edits[i].first, row, 1);
    grid->addWidget(lamps_[i], row, 2);
    connect(edits[i].first, &QLineEdit::textEdited, this, [this, i](const QString& text) {
      if (filling_) return;
      TZubUser& user = club_.Data().User;
      switch (i) {
        case 0: user.Nick = Std(text); save_enabled_ = login_edited_ = true; break;
        case 1: user.Pw = Std(text); user.PwC = ScramblePassword(user.Pw); save_enabled_ = login_edited_ = true; break;
        case 2: user.City = Std(text); break;
        default: user.EMail = Std(text); break;
      }
      UpdateLamps();
      UpdateButtons();
    });
  }
  continent_ = new QComboBox(tab);
  continent_->setObjectName(QStringLiteral("Continent"));
  for (int row = 168; row <= 173; ++row) continent_->addItem(Words(row));
  country_list_ = new QComboBox(tab);
  country_list_->setObjectName(QStringLiteral("CountryList"));
  country_ = new QLineEdit(tab);
  country_->setObjectName(QStringLiteral("Country"));
  country_->setReadOnly(true);
  sex_ = new QComboBox(tab);
  sex_->setObjectName(QStringLiteral("Sex"));
  sex_->addItems({Words(174), Words(175)});
  registration_ = new QLineEdit(tab);
  registration_->setObjectName(QStringLiteral("Registration"));
  registration_->setReadOnly(true);
  grid->addWidget(new QLabel(Words(203)), 5, 0);
  grid->addWidget(continent_, 5, 1);
  grid->addWidget(country_list_, 6, 1);
  grid->addWidget(country_, 7, 1);
  grid->addWidget(new QLabel(Words(205)), 8, 0);
  grid->addWidget(sex_, 8, 1);
  grid->addWidget(new QLabel(Words(206)), 9, 0);
  grid->addWidget(registration_, 9, 1);
  connect(continent_, &QComboBox::activated, this, [this](int index) {
    TZubUser& user = club_.Data().User;
    user.Country2 = CountryCode(index + 1, 0);
    user.Country1 = CountriesOf(index + 1)[0].Short;
    FillAccountFields();
  });
  connect(country_list_, &QComboBox::activated, this, [this](int index) {
    TZubUser& user = club_.Data().User;
    const int continent = continent_->currentIndex() + 1;
    const auto countries = CountriesOf(continent);
    if (index < 0 || index >= static_cast<int>(countries.size())) return;
    user.Country2 = CountryCode(continent, index);
    user.Country1 = countries[static_cast<std::size_t>(index)].Short;
    FillAccountFields();
  });
  connect(sex_, &QComboBox::activated, this, [this](int index) { club_.Data().User.Sex = index == 0 ? 'M' : 'W'; });

  hide_password_ = new QCheckBox(Words(207), tab);
  hide_password_->setObjectName(QStringLiteral("HidePassword"));
  hide_password_->setChecked(true);
  connect(hide_password_, &QCheckBox::toggled, this, [this](bool hide) {
    password_->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
  });
  password_->setEchoMode(QLineEdit::Password);
  rated_ = new QCheckBox(Words(208), tab);
  rated_->setObjectName(QStringLiteral("PlayGlobalRating"));
  connect(rated_, &QCheckBox::clicked, this, [this](bool checked) {
    if (club_.AccountState() == kLoggedOut) return;
    club_.SetAccountState(checked ? kRatedNext : kLoggedIn);
    UpdateLamps();
  });
  // While a rated game's call is on its way the rated choice and signing
  // in or out wait; this line says so.
  rated_wait_ = ValueLabel(tab, QStringLiteral("RatedWaitNote"));
  rated_wait_->setText(i18n::Text(i18n::WordsGuide, i18n::guide::kServerAnswering));
  rated_wait_->hide();
  connect(&club_, &OnlineClub::RatedBusyChanged, this, [this] { UpdateButtons(); });
  members_ = ValueLabel(tab, QStringLiteral("Members"));
  state_picture_ = new QLabel(tab);
  state_picture_->setObjectName(QStringLiteral("StatePicture"));
  grid->addWidget(hide_password_, 10, 0, 1, 2);
  grid->addWidget(rated_, 11, 0, 1, 2);
  grid->addWidget(rated_wait_, 11, 2);
  grid->addWidget(members_, 12, 0, 1, 2);
  grid->addWidget(state_picture_, 12, 2);

  auto* buttons = new QHBoxLayout;
  create_ = MakeDialogButton(tab, Words(222), QStringLiteral("Create"), TColorSB::DGreen, 14);
  login_ = MakeDialogButton(tab, Words(198), QStringLiteral("Login"), TColorSB::DBlue, 14);
  save_ = MakeDialogButton(tab, Words(223), QStringLiteral("Save"), TColorSB::DNavy, 14);
  delete_ = MakeDialogButton(tab, Words(224), QStringLiteral("Delete"), TColorSB::DRed, 14);
  for (auto* button : {create_, login_, save_, delete_}) buttons->addWidget(button);
  grid->addLayout(buttons, 13, 0, 1, 3);
  connect(create_, &QAbstractButton::clicked, this, &TFormAccount::CreateAccount);
  connect(login_, &QAbstractButton::clicked, this, &TFormAccount::LoginOrSignOut);
  connect(save_, &QAbstractButton::clicked, this, &TFormAccount::SaveLogin);
  connect(delete_, &QAbstractButton::clicked, this, &TFormAccount::DeleteLogin);
  return tab;
}

void TFormAccount::FillCountries() {
  const int continent = continent_->currentIndex() + 1;
  country_list_->clear();
  const auto countries = CountriesOf(continent);
  for (std::size_t i = 0; i < countries.size(); ++i) {
    const std::string code = CountryCode(continent, static_cast<int>(i));
    country_list_->addItem(QIcon(FlagPicture(code)), QString::fromLatin1(countries[i].English));
  }
}

void TFormAccount::FillAccountFields() {
  filling_ = true;
  const TZubUser& user = club_.Data().User;
  const bool logged_in = club_.AccountState() > kLoggedOut;
  nick_->setText(Utf8(user.Nick));
  password_->setText(Utf8(user.Pw));
  city_->setText(Utf8(user.City));
  email_->setText(Utf8(user.EMail));
  const Country* country = CountryOfCode(user.Country2);
  const int continent = country != nullptr ? user.Country2[0] - '0' : 1;
  continent_->setCurrentIndex(continent - 1);
  FillCountries();
  country_list_->setCurrentIndex(CountryRowOfCode(user.Country2).value_or(0));
  country_->setText(Utf8(user.Country1));
  sex_->setCurrentIndex(user.Sex == 'M' ? 0 : 1);
  registration_->setText(logged_in ? Utf8(user.DateR) : QStringLiteral("00.00.0000"));
  for (QWidget* editable : std::initializer_list<QWidget*>{nick_, password_, city_, email_}) {
    static_cast<QLineEdit*>(editable)->setReadOnly(logged_in);
  }
  continent_->setEnabled(!logged_in);
  country_list_->setEnabled(!logged_in);
  sex_->setEnabled(!logged_in);
  login_->setText(Words(logged_in ? 199 : 198));
  members_->setText(Words(209) +
                    (club_.Data().MembersRead ? QString::number(club_.Data().Members) : QString()));
  filling_ = false;
  UpdateLamps();
  UpdateButtons();
}

void TFormAccount::UpdateLamps() {
  const TZubUser& user = club_.Data().User;
  lamps_[0]->setPixmap(LampPicture(CheckField(user.Nick, FieldKind::Nick)));
  lamps_[1]->setPixmap(LampPicture(CheckField(user.Pw, FieldKind::Password)));
  lamps_[2]->setPixmap(LampPicture(CheckField(user.City, FieldKind::City)));
  lamps_[3]->setPixmap(LampPicture(CheckField(user.EMail, FieldKind::EMail)));
  lamps_[0]->setProperty("lamp", CheckField(user.Nick, FieldKind::Nick));
  lamps_[1]->setProperty("lamp", CheckField(user.Pw, FieldKind::Password));
  lamps_[2]->setProperty("lamp", CheckField(user.City, FieldKind::City));
  lamps_[3]->setProperty("lamp", CheckField(user.EMail, FieldKind::EMail));
  state_picture_->setPixmap(LampPicture(club_.AccountState()));
  state_picture_->setProperty("lamp", club_.AccountState());
}

void TFormAccount::UpdateButtons() {
  const TZubUser& user = club_.Data().User;
  const int state = club_.AccountState();
  const int nick = CheckField(user.Nick, FieldKind::Nick);
  const int password = CheckField(user.Pw, FieldKind::Password);
  create_->setEnabled(state == kLoggedOut && nick == kGreen && CheckField(user.City, FieldKind::City) >= kYellow &&
                      password == kGreen && CheckField(user.EMail, FieldKind::EMail) == kGreen);
  const bool busy = club_.RatedBusy();
  login_->setEnabled(!busy && (state > kLoggedOut || (nick >= kYellow && password == kGreen)));
  // An edited nick or password may replace the saved login at once.
  save_->setEnabled(save_enabled_ && (!club_.AccountFileSaved() || login_edited_));
  delete_->setEnabled(club_.AccountFileSaved());
  rated_->setChecked(state == kRatedNext);
  rated_->setEnabled(!busy && state > kLoggedOut && rated_choice_allowed_);
  rated_wait_->setVisible(busy);
}

void TFormAccount::CreateAccount() {
  TZubUser& user = club_.Data().User;
  user.DateR = Std(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
  user.R01 = user.R02 = user.R03 = "xxx";
  user.R04 = user.R05 = user.R06 = 0;
  create_->setEnabled(false);
  club_.Client().Run(RegisterAccount{user}, this, [this](int result) {
    // A server that did not answer is told as such.
    const int row = result == 0 ? 210 : result == 1 ? 211 : club_.Client().ServerAnswering() ? 212 : 188;
    TFormMessage::Tell(this, result == 0 ? MessageKind::Information : MessageKind::Warning, Words(row),
                       QStringLiteral("Registration"));
    if (result != 0) {
      club_.SetAccountState(kLoggedOut);
      club_.Data().User.DateR = "00.00.0000";
      FillAccountFields();
      return;
    }
    club_.SetAccountState(rated_->isChecked() ? kRatedNext : kLoggedIn);
    save_enabled_ = true;
    Track(1);
    club_.Client().Run(ReadMembers{}, this, [this](NumberResult members) {
      club_.Data().MembersRead = members.Ok;
      if (members.Ok) club_.Data().Members = members.Value;
      FillAccountFields();
      Done();
    });
    Track(1);
    club_.Client().Run(LoginAccount{club_.Data().User.Nick, club_.Data().User.Pw}, this, [this](LoginResult login) {
      const TInfo14 info = club_.Data().User.Info;
      club_.Data().User = login.User;
      club_.Data().User.Info = info;
      club_.Data().User.PwC = ScramblePassword(login.User.Pw);
      FillAccountFields();
      Track(1);
      club_.RefreshResults([this] {
        ShowResults();
        Done();
      });
      ReadAfterLogin();
      Done();
    });
  });
}

void TFormAccount::LoginOrSignOut() {
  if (club_.AccountState() > kLoggedOut) {
    // Signing out sends nothing to the server and keeps the saved login.
    club_.SetAccountState(kLoggedOut);
    TZubUser& user = club_.Data().User;
    user.R04 = user.R05 = user.R06 = 0;
    FillAccountFields();
    ShowResults();
    return;
  }
  login_->setEnabled(false);
  Track(1);
  club_.Login([this](bool ok) {
    Done();
    if (!ok) {
      // A server that did not answer has refused nothing: that is told apart.
      const bool reached = club_.Client().ServerAnswering();
      TFormMessage::Tell(this, MessageKind::Warning, Words(reached ? 213 : 188),
                         reached ? QStringLiteral("LoginFailed") : QStringLiteral("NoConnection"));
      FillAccountFields();
      ShowResults();
      return;
    }
    FillAccountFields();
    Track(2);
    club_.RefreshResults([this] {
      ShowResults();
      Done();
    });
    club_.Client().Run(ReadMembers{}, this, [this](NumberResult members) {
      club_.Data().MembersRead = members.Ok;
      if (members.Ok) club_.Data().Members = members.Value;
      FillAccountFields();
      Done();
    });
    ReadAfterLogin();
    ReadPresident();
  });
}

void TFormAccount::SaveLogin() {
  const TZubUser& user = club_.Data().User;
  if (WriteAccountFile(club_.ProgramFolder(), user.Nick, user.Pw)) {
    club_.SetAccountFileSaved(true);
    save_enabled_ = false;
    login_edited_ = false;
  }
  UpdateButtons();
}

void TFormAccount::DeleteLogin() {
  if (DeleteAccountFile(club_.ProgramFolder())) {
    club_.SetAccountFileSaved(false);
    save_enabled_ = true;
  }
  UpdateButtons();
}

// ---- "My results" and "Top 10" ---------------------------------------------

QWidget* TFormAccount::BuildResultsTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  auto* heading = new QLabel(Words(214));
  heading->setObjectName(QStringLiteral("Heading"));
  grid->addWidget(heading, 0, 0, 1, 2);
  const int rows[] = {215, 216, 217, 218, 219, 220, 225, 226, 227};
  for (std::size_t i = 0; i < results_.size(); ++i) {
    grid->addWidget(new QLabel(Words(rows[i]) + QStringLiteral(":")), static_cast<int>(i) + 1, 0);
    results_[i] = ValueLabel(tab, QStringLiteral("Result%1").arg(i + 1));
    grid->addWidget(results_[i], static_cast<int>(i) + 1, 1);
  }
  auto* refresh = MakeDialogButton(tab, Words(254), QStringLiteral("RefreshResults"), TColorSB::DBlue, 14);
  connect(refresh, &QAbstractButton::clicked, this, [this] {
    Track(1);
    club_.RefreshResults([this] {
      ShowResults();
      Done();
    });
  });
  grid->addWidget(refresh, 10, 1, Qt::AlignRight);
  return tab;
}

void TFormAccount::ShowResults() {
  const ClubData& data = club_.Data();
  const bool shown = !data.User.Nick.empty() && data.GameRead && club_.AccountState() > kLoggedOut;
  const TZubGame& game = data.Game;
  const QString values[] = {QString::fromLatin1(kGameTitle), Utf8(data.User.Nick),
                            QString::fromStdString(RatingText(game.Rating)), QString::number(game.Place),
                            QString::number(game.Kon), QString::number(game.Best), QString::number(game.Sessions),
                            QString::number(game.KonL), QString::number(game.Score)};
  for (std::size_t i = 0; i < results_.size(); ++i)
    results_[i]->setText(shown ? values[i] : QString::fromLatin1(kNoConnect));
}

QWidget* TFormAccount::BuildTopTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  auto* heading = new QLabel(Words(221));
  heading->setObjectName(QStringLiteral("Heading"));
  grid->addWidget(heading, 0, 0, 1, 6);
  const QString columns[] = {QStringLiteral("№"), Words(201), QStringLiteral("C"), Words(205), Words(204), Words(217)};
  for (int c = 0; c < 6; ++c) grid->addWidget(new QLabel(columns[c]), 1, c);
  for (std::size_t i = 0; i < top_rows_.size(); ++i) {
    const int row = static_cast<int>(i) + 2;
    top_rows_[i] = ValueLabel(tab, QStringLiteral("Top%1").arg(i + 1));
    top_flags_[i] = new QLabel(tab);
    top_faces_[i] = new QLabel(tab);
    top_cities_[i] = ValueLabel(tab, QStringLiteral("TopCity%1").arg(i + 1));
    top_ratings_[i] = ValueLabel(tab, QStringLiteral("TopRating%1").arg(i + 1));
    top_numbers_[i] = ValueLabel(tab, QStringLiteral("TopPlace%1").arg(i + 1));
    grid->addWidget(top_numbers_[i], row, 0);
    grid->addWidget(top_rows_[i], row, 1);
    grid->addWidget(top_flags_[i], row, 2);
    grid->addWidget(top_faces_[i], row, 3);
    grid->addWidget(top_cities_[i], row, 4);
    grid->addWidget(top_ratings_[i], row, 5, Qt::AlignRight);
  }
  auto* refresh = MakeDialogButton(tab, Words(254), QStringLiteral("RefreshTop"), TColorSB::DBlue, 14);
  connect(refresh, &QAbstractButton::clicked, this, [this] {
    Track(1);
    club_.Client().Run(ReadTopTen{}, this, [this](TopTenResult top) {
      club_.Data().TopTenRead = top.Ok;
      if (top.Ok) club_.Data().TopTen = top.Rows;
      ShowTopTen();
      Done();
    });
  });
  grid->addWidget(refresh, 12, 5, Qt::AlignRight);
  return tab;
}

void TFormAccount::ShowTopTen() {
  const ClubData& data = club_.Data();
  for (std::size_t i = 0; i < top_rows_.size(); ++i) {
    const TZubTop10& row = data.TopTen[i];
    const bool shown = data.TopTenRead && !row.Nick.empty();
    // The nick column says "No Connect" on every line when the list could not be read.
    top_rows_[i]->setText(!data.TopTenRead ? QString::fromLatin1(kNoConnect) : Utf8(row.Nick));
    top_numbers_[i]->setText(shown ? QStringLiteral("%1.").arg(i + 1) : QString());
    top_flags_[i]->setPixmap(shown ? FlagPicture(row.Country) : QPixmap());
    top_faces_[i]->setPixmap(shown ? QPixmap::fromImage(DefaultFace(row.Sex, QSize(16, 20))) : QPixmap());
    top_cities_[i]->setText(shown ? Utf8(row.City) : QString());
    top_ratings_[i]->setText(shown ? QString::fromStdString(RatingText(row.Rating)) : QString());
  }
}

}  // namespace varnok::online
