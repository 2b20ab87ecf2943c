#include "form_message.h"
#include "form_password.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>
#include <QtDebug>

#include "fonts.h"
#include "form_link.h"
#include "guide_rows.h"
#include "help_window.h"
#include "loader.h"
#include "names.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kWidth = 325;
constexpr int kHeight = 295;         // outside network mode
constexpr int kNetworkHeight = 455;  // with the network controls
constexpr int kLeft = 16;
constexpr int kFieldWidth = 200;
constexpr int kEditHeight = 22;
constexpr int kLabelHeight = 17;
constexpr int kButtonHeight = 30;
constexpr int kPadlock = 80;

const QColor kGrayText(96, 16, 16);      // maroon labels on the gray designs
const QColor kGrayStatus(200, 0, 0);     // the status line on the gray designs
const QColor kPurpleText(250, 236, 255);
const QColor kPurpleStatus(255, 222, 80);

QString Word(int row) { return WordText(row); }

void Paint(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::ButtonText, colour);
  widget->setPalette(palette);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int max_length) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaxLength(max_length);
  edit->setFont(DialogFont(14));
  return edit;
}

// The header band's height in each design.
int HeaderHeight(PlayerWindowDesign design) {
  switch (design) {
    case PlayerWindowDesign::GrayConcise: return 100;
    case PlayerWindowDesign::GrayRibbons: return 92;
    case PlayerWindowDesign::GrayAristocratic: return 66;
    case PlayerWindowDesign::Purple: return 70;
  }
  return 66;
}

}  // namespace

TFormPassword::TFormPassword(const PlayerWindowSetup& setup, QWidget* parent)
    : QDialog(parent), setup_(setup) {
  setObjectName(QStringLiteral("TFormPassword"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(Word(kRowWelcome));
  setModal(true);
  if (setup_.renaming) setup_.slot = kNewPlayerSlot;
  if (!IsMemberSlot(setup_.slot) && setup_.slot != kNewPlayerSlot) {
    qWarning("TFormPassword: slot %d is no player slot; the window takes a new player", setup_.slot);
    setup_.slot = kNewPlayerSlot;
  }
  last_name_ = QString::fromStdString(setup_.lastName);
  last_address_ = QString::fromStdString(setup_.lastAddress);
  last_port_ = QString::fromStdString(setup_.lastPort);
  result_.slot = setup_.slot;

  ChooseDesign();
  BuildFields();
  BuildNetwork();
  BuildButtons();
  Arrange();
  background_ = DrawBackground();
  ApplyNata(this, DialogNata());

  result_.lastName = last_name_.toStdString();
  result_.lastAddress = last_address_.toStdString();
  result_.lastPort = last_port_.toStdString();
}

TFormPassword::~TFormPassword() = default;

PlayerWindowResult TFormPassword::Open(QWidget* parent, const PlayerWindowSetup& setup, SoundHook sound) {
  PlayOpenSound(sound);
  TFormPassword window(setup, parent);
  window.exec();
  return window.Result();
}

void TFormPassword::ChooseDesign() {
  const QString library = QString::fromLatin1(kGraphicsLibrary);
  if (setup_.purple) {
    QImage picture;
    if (LoadJpeg(QStringLiteral("GFormPw"), library, picture) && !picture.isNull()) {
      design_ = PlayerWindowDesign::Purple;
      return;
    }
    qWarning("TFormPassword: the purple background is missing; the gray aristocratic design is used");
    result_.designFellBack = true;
    design_ = PlayerWindowDesign::GrayAristocratic;
    return;
  }
  const int gray = setup_.grayDesign >= 1 && setup_.grayDesign <= 3 ? setup_.grayDesign : 2;
  design_ = static_cast<PlayerWindowDesign>(gray);
  if (design_ == PlayerWindowDesign::GrayConcise && !LibraryPresent(library)) {
    library_missing_ = true;
    result_.designFellBack = true;
    design_ = PlayerWindowDesign::GrayAristocratic;
  }
}

QColor TFormPassword::TextColour() const {
  return design_ == PlayerWindowDesign::Purple ? kPurpleText : kGrayText;
}

void TFormPassword::BuildFields() {
  const bool member = IsMemberSlot(setup_.slot);
  const int rows[3] = {kRowEnterName, kRowEnterPassword, kRowPasswordAgain};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(Word(rows[i]), this);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    // The label's line keeps its height also in the taller CJK fonts.
    int pixels = 14;
    while (pixels > 9 && QFontMetrics(DialogFont(pixels, true)).height() > kLabelHeight) --pixels;
    label->setFont(DialogFont(pixels, true));
    Paint(label, TextColour());
    field_labels_[static_cast<std::size_t>(i)] = label;
  }
  name_edit_ = MakeEdit(this, "Edit1", NameLimit(setup_.network));
  password_edit_ = MakeEdit(this, "Edit2", static_cast<int>(kPasswordLength));
  repeat_edit_ = MakeEdit(this, "Edit3", static_cast<int>(kPasswordLength));
  const QString password_limit =
      i18n::Text(i18n::WordsGuide, i18n::guide::kPasswordLimit).arg(static_cast<int>(kPasswordLength));
  for (QLineEdit* secret : {password_edit_, repeat_edit_}) {
    secret->setToolTip(password_limit);
    secret->installEventFilter(this);
    secret->setEchoMode(QLineEdit::Password);
    secret->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 35; }"));
  }
  NameOpening opening;
  opening.slot = setup_.slot;
  opening.network = setup_.network;
  opening.renaming = setup_.renaming;
  opening.memberName = QString::fromStdString(setup_.member.Name);
  opening.lastName = last_name_;
  opening.currentName = QString::fromStdString(setup_.currentName);
  opening.mrX = Word(kRowMrX);
  const QString name = OpeningName(opening);
  if (member) name_edit_->setMaxLength(kPlayerNameLength);
  name_edit_->setText(name);
  name_edit_->setToolTip(NameRuleText(QString()));
  name_edit_->setEnabled(!member);
  repeat_edit_->setEnabled(!member);
  field_labels_[0]->setEnabled(!member);
  field_labels_[2]->setEnabled(!member);
  for (QLineEdit* edit : {name_edit_, password_edit_, repeat_edit_})
    connect(edit, &QLineEdit::returnPressed, this, &TFormPassword::Confirm);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("Label4"));
  status_->setFont(DialogFont(14, true));
  status_->setAlignment(Qt::AlignCenter);
  Paint(status_, design_ == PlayerWindowDesign::Purple ? kPurpleStatus : kGrayStatus);
  status_->hide();

  padlock_ = new QLabel(this);
  padlock_->setObjectName(QStringLiteral("ImagePw"));
  padlock_->setFixedSize(kPadlock, kPadlock);
  padlock_->setAlignment(Qt::AlignCenter);
  padlock_movie_ = new QMovie(padlock_);
  if (LoadGif(QStringLiteral("GPw"), QString(), *padlock_movie_)) {
    padlock_movie_->setScaledSize(QSize(kPadlock, kPadlock));
    padlock_->setMovie(padlock_movie_);
    if (setup_.animate) padlock_movie_->start();
    else padlock_movie_->jumpToFrame(0);
  }

  if (member) password_edit_->setFocus();
  else name_edit_->setFocus();
}

void TFormPassword::BuildNetwork() {
  radio_group_ = new QGroupBox(Word(kRowServerClient), this);
  radio_group_->setObjectName(QStringLiteral("RadioGroup1"));
  radio_group_->setFont(DialogFont(13, true));
  Paint(radio_group_, TextColour());
  radio_server_ = new QRadioButton(Word(kRowServerItem), radio_group_);
  radio_server_->setObjectName(QStringLiteral("RadioServer"));
  radio_client_ = new QRadioButton(Word(kRowClientItem), radio_group_);
  radio_client_->setObjectName(QStringLiteral("RadioClient"));
  for (QRadioButton* radio : {radio_server_, radio_client_}) {
    radio->setFont(DialogFont(13));
    Paint(radio, TextColour());
  }
  radio_server_->setChecked(true);
  connect(radio_server_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseServer(true);
  });
  connect(radio_client_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ChooseServer(false);
  });

  address_label_ = new QLabel(Word(kRowEnterAddress), this);
  address_label_->setObjectName(QStringLiteral("Label5"));
  port_label_ = new QLabel(Word(kRowEnterPort), this);
  port_label_->setObjectName(QStringLiteral("Label6"));
  games_label_ = new QLabel(Word(kRowNumberGames), this);
  games_label_->setObjectName(QStringLiteral("Label7"));
  for (QLabel* label : {address_label_, port_label_, games_label_}) {
    label->setFont(DialogFont(13, true));
    Paint(label, TextColour());
  }
  address_edit_ = MakeEdit(this, "Edit4", kAddressLength);
  port_edit_ = MakeEdit(this, "Edit5", kPortLength);
  address_edit_->setEnabled(false);
  port_edit_->setText(last_port_);
  connect(address_edit_, &QLineEdit::textEdited, this, &TFormPassword::AddressTyped);
  connect(port_edit_, &QLineEdit::textEdited, this, &TFormPassword::PortTyped);

  spin_ = new QSpinBox(this);
  spin_->setObjectName(QStringLiteral("SpinEdit1"));
  spin_->setRange(kMinGames, kMaxGames);
  spin_->setValue(1);
  spin_->setEnabled(false);
  spin_->setFont(DialogFont(14));

  for (std::size_t i = 0; i < own_.size(); ++i) {
    auto* field = MakeEdit(this, "", 40);
    field->setObjectName(QStringLiteral("EditIP%1").arg(i + 1));
    field->setReadOnly(true);
    field->setFont(DialogFont(12));
    field->hide();
    own_[i] = field;
  }
}

void TFormPassword::BuildButtons() {
  const auto make = [this](const QString& caption, const char* name, TColorSB colour) {
    TZubCardsButton* button = MakeDialogButton(this, caption, QString::fromLatin1(name), colour, 15);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
  };
  ok_button_ = make(QStringLiteral("Ok"), "Button1", TColorSB::DGreen);
  cancel_button_ = make(Word(kRowCancel), "Button2", TColorSB::DRed);
  addresses_button_ = make(Word(kRowOwnAddresses), "Button3", TColorSB::DNavy);
  addresses_button_->setFont(DialogFont(13, true));
  help_button_ = make(QStringLiteral("?"), "Button4", TColorSB::DBlue);
  connect(ok_button_, &QPushButton::clicked, this, &TFormPassword::Confirm);
  connect(cancel_button_, &QPushButton::clicked, this, &TFormPassword::reject);
  connect(addresses_button_, &QPushButton::clicked, this, &TFormPassword::FillOwnAddresses);
  connect(help_button_, &QPushButton::clicked, this, [this] {
    const QString address = QString::fromLatin1(kRouterHelpAddress);
    if (setup_.openUrl) setup_.openUrl(address);
    else TFormHelp::OpenUrl(this, QUrl(address));
  });
}

void TFormPassword::Arrange() {
  const bool network = setup_.network && !setup_.renaming;
  const int height = network ? kNetworkHeight : kHeight;
  setFixedSize(kWidth, height);
  const int right = kWidth - kLeft;

  // The buttons along the bottom, the status line above them.
  const int buttons_top = height - kButtonHeight - (network ? 8 : 14);
  if (network) {
    ok_button_->setGeometry(kLeft, buttons_top, 110, kButtonHeight);
    cancel_button_->setGeometry(kLeft + 118, buttons_top, 110, kButtonHeight);
    help_button_->setGeometry(right - 40, buttons_top, 40, kButtonHeight);
  } else {
    ok_button_->setGeometry(kWidth / 2 - 118, buttons_top, 110, kButtonHeight);
    cancel_button_->setGeometry(kWidth / 2 + 8, buttons_top, 110, kButtonHeight);
  }
  status_->setGeometry(kLeft, buttons_top - 22, right - kLeft, 20);

  // The network block from the status line up: the own addresses, their
  // button, the address and port, the server / client choice.
  const int own_top = status_->y() - 2 - 2 * 20 - 2;
  const int addresses_button_top = own_top - 4 - 26;
  const int address_top = addresses_button_top - 4 - kLabelHeight - kEditHeight;
  const int radio_top = address_top - 2 - 52;

  // The three name and password rows under the header (in network mode
  // packed between the header and the choice).
  const int header = HeaderHeight(design_);
  const int gap = network ? 2 : 5;
  const int rows_height = 3 * (kLabelHeight + kEditHeight) + 2 * gap;
  const int room = (network ? radio_top : status_->y()) - header;
  int y = header + std::max(0, (room - rows_height) / 2);
  QLineEdit* edits[3] = {name_edit_, password_edit_, repeat_edit_};
  for (int i = 0; i < 3; ++i) {
    field_labels_[static_cast<std::size_t>(i)]->setGeometry(kLeft, y, right - kLeft, kLabelHeight);
    y += kLabelHeight;
    edits[i]->setGeometry(kLeft, y, i == 0 && !network ? kFieldWidth : 120, kEditHeight);
    y += kEditHeight + gap;
  }
  padlock_->move(right - kPadlock - 8, network ? password_edit_->y() - 14 : name_edit_->geometry().bottom() + 4);

  for (QWidget* control : std::initializer_list<QWidget*>{radio_group_, address_label_, address_edit_, port_label_, port_edit_,
                                                          games_label_, spin_, addresses_button_, help_button_})
    control->setVisible(network);
  if (!network) return;

  // "Number games:" beside the name, which is short in a network game.
  const int games_left = kLeft + 136;
  field_labels_[0]->setFixedWidth(games_left - kLeft - 4);
  games_label_->setGeometry(games_left, name_edit_->y() + 3, 104, kLabelHeight);
  spin_->setGeometry(right - 52, name_edit_->y(), 52, kEditHeight);

  radio_group_->setGeometry(kLeft - 4, radio_top, right - kLeft + 8, 52);
  radio_server_->setGeometry(12, 17, right - kLeft - 16, 17);
  radio_client_->setGeometry(12, 34, right - kLeft - 16, 17);
  const int port_left = kLeft + 168;
  address_label_->setGeometry(kLeft, address_top, 166, kLabelHeight);
  port_label_->setGeometry(port_left, address_top, right - port_left, kLabelHeight);
  address_edit_->setGeometry(kLeft, address_top + kLabelHeight, 156, kEditHeight);
  port_edit_->setGeometry(port_left, address_top + kLabelHeight, 70, kEditHeight);
  addresses_button_->setGeometry(kLeft, addresses_button_top, right - kLeft, 26);
  const int cell = (right - kLeft - 8) / 3;
  for (std::size_t i = 0; i < own_.size(); ++i) {
    const int column = static_cast<int>(i % 3);
    const int row = static_cast<int>(i / 3);
    own_[i]->setGeometry(kLeft + column * (cell + 4), own_top + row * 21, cell, 20);
  }
}

QImage TFormPassword::DrawBackground() const {
  const QString library = QString::fromLatin1(kGraphicsLibrary);
  QImage image(size(), QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (design_ == PlayerWindowDesign::Purple) {
    QImage picture;
    LoadJpeg(QStringLiteral("GFormPw"), library, picture);
    // The picture is made for the taller network window: a shorter window
    // keeps its top and its bottom edge.
    const int edge = std::min(24, image.height() / 4);
    const int top = image.height() - edge;
    painter.drawImage(QRect(0, 0, image.width(), top), picture, QRect(0, 0, picture.width(), top));
    painter.drawImage(QRect(0, top, image.width(), edge), picture,
                      QRect(0, picture.height() - edge, picture.width(), edge));
    // The caption in gold on the purple header.
    QFont font = DialogFont(30, true);
    painter.setFont(font);
    const QRect band(0, 8, image.width(), HeaderHeight(design_) - 14);
    painter.setPen(QColor(40, 0, 60, 200));
    painter.drawText(band.translated(2, 2), Qt::AlignCenter, Word(kRowWelcome));
    painter.setPen(kDialogGold);
    painter.drawText(band, Qt::AlignCenter, Word(kRowWelcome));
    return image;
  }
  QLinearGradient face(0, 0, 0, image.height());
  face.setColorAt(0.0, QColor(240, 240, 240));
  face.setColorAt(1.0, QColor(218, 218, 214));
  painter.fillRect(image.rect(), face);
  QImage picture;
  switch (design_) {
    case PlayerWindowDesign::GrayConcise:
      if (LoadPng(QStringLiteral("Pw"), library, picture)) painter.drawImage(0, 0, picture);
      break;
    case PlayerWindowDesign::GrayRibbons:
      if (LoadPng(QStringLiteral("GLenta280x090"), library, picture)) painter.drawImage(22, 0, picture);
      if (LoadPng(QStringLiteral("GFormPwL"), library, picture)) painter.drawImage(22, 0, picture);
      break;
    case PlayerWindowDesign::GrayAristocratic:
    case PlayerWindowDesign::Purple: {
      if (LoadPng(QStringLiteral("GCap300"), library, picture)) {
        painter.drawImage((image.width() - picture.width()) / 2, 0, picture);
      } else {
        painter.fillRect(QRect(12, 0, image.width() - 24, 60), QColor(70, 70, 76));
      }
      // "WELCOME" in yellow with a shadow of half its brightness.
      QFont font = i18n::KindFont(i18n::FontKind::Serif, i18n::FontSize(40, i18n::FontKind::Serif) * 3 / 4);
      font.setBold(true);
      painter.setFont(font);
      const QRect band(0, 10, image.width(), QFontMetrics(font).height());
      const QString word = QStringLiteral("WELCOME");
      painter.setPen(QColor(128, 128, 0));
      painter.drawText(band.translated(1, 1), Qt::AlignHCenter | Qt::AlignTop, word);
      painter.setPen(QColor(255, 255, 0));
      painter.drawText(band, Qt::AlignHCenter | Qt::AlignTop, word);
      break;
    }
  }
  return image;
}

void TFormPassword::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawImage(0, 0, background_);
}

void TFormPassword::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
  if (library_missing_) {
    library_missing_ = false;
    const QString text = Word(kRowFileNotFound) + QLatin1Char(' ') + QString::fromLatin1(kGraphicsLibrary);
    QTimer::singleShot(0, this, [this, text] {
      if (setup_.notice) setup_.notice(text);
      else ShowNotice(this, text);
    });
  }
}

void TFormPassword::FocusOn(PlayerField field) {
  QWidget* target = nullptr;
  switch (field) {
    case PlayerField::Name: target = name_edit_; break;
    case PlayerField::Password: target = password_edit_; break;
    case PlayerField::PasswordAgain: target = repeat_edit_; break;
    case PlayerField::Address: target = address_edit_; break;
    case PlayerField::Port: target = port_edit_; break;
    case PlayerField::None: break;
  }
  if (target != nullptr && target->isEnabled()) target->setFocus();
}

bool TFormPassword::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (event->type() == QEvent::KeyPress && edit != nullptr && (edit == password_edit_ || edit == repeat_edit_)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool printable = !key->text().isEmpty() && key->text().at(0).isPrint();
    if (printable && !edit->hasSelectedText() && edit->text().size() >= edit->maxLength()) {
      status_->setText(edit->toolTip());
      status_->show();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormPassword::ShowStatus(int row, PlayerField focus) {
  status_->setText(Word(row));
  status_->show();
  FocusOn(focus);
}

void TFormPassword::ChooseServer(bool server) {
  net_pos_ = server ? 1 : 2;
  address_edit_->setEnabled(!server);
  address_edit_->setText(server ? QString() : AddressAfterTyping(last_address_, last_address_));
}

void TFormPassword::AddressTyped(const QString& text) {
  const QString kept = AddressAfterTyping(text, last_address_);
  if (kept != text) address_edit_->setText(kept);
  last_address_ = LastAddressAfterTyping(net_pos_ >= 2, address_edit_->text(), last_address_);
  result_.lastAddress = last_address_.toStdString();
  status_->hide();
}

void TFormPassword::PortTyped(const QString& text) {
  const QString kept = PortAfterTyping(text, last_port_);
  if (kept != text) port_edit_->setText(kept);
  last_port_ = LastPortAfterTyping(port_edit_->text(), last_port_);
  result_.lastPort = last_port_.toStdString();
}

void TFormPassword::FillOwnAddresses() {
  const std::vector<InterfaceAddress> interfaces =
      setup_.ownAddresses ? setup_.ownAddresses() : MachineIpv4Addresses();
  // The machine's own addresses at once; the external one when the server answers.
  ShowOwnAddresses(interfaces, QString());
  if (!setup_.readExternalIp) return;
  setup_.readExternalIp(this, [this, interfaces](const QString& external) {
    const QString shown = ExternalAddressShown(external);
    if (!shown.isEmpty()) ShowOwnAddresses(interfaces, shown);
  });
}

void TFormPassword::ShowOwnAddresses(const std::vector<InterfaceAddress>& interfaces, const QString& external) {
  const auto fields = OwnAddressFields(interfaces, external);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!fields[i].filled) continue;
    own_[i]->setText(fields[i].text);
    own_[i]->setToolTip(fields[i].hint);
    own_[i]->setCursorPosition(0);
    own_[i]->show();
  }
}

void TFormPassword::Confirm() {
  PlayerEntry entry;
  entry.slot = setup_.slot;
  entry.name = name_edit_->text();
  entry.password = password_edit_->text();
  entry.passwordAgain = repeat_edit_->text();
  entry.member = setup_.member;
  if (IsMemberSlot(setup_.slot) && !setup_.clubFile.empty()) {
    // The password as the club file of the current mode holds it now.
    if (std::optional<ClubMember> member = ReadMember(setup_.clubFile, setup_.slot)) entry.member = *member;
  }
  const PlayerDecision decision = DecidePlayer(entry, setup_.network);
  if (decision.rememberName) {
    last_name_ = decision.lastName;
    result_.lastName = last_name_.toStdString();
  }
  if (!decision.ok) {
    ShowStatus(decision.messageRow, decision.focus);
    // A name with characters the club file cannot hold: say which ones, and
    // which characters a name may hold.
    if (decision.messageRow == kRowIncorrectName && !CharactersOutsideCodePage(entry.name).isEmpty()) {
      TFormMessage::Tell(this, MessageKind::Warning, Word(kRowIncorrectName) + QLatin1Char('\n') + NameRuleText(entry.name),
                         QStringLiteral("NameRules"));
    }
    return;
  }
  const auto take_player = [this, &decision] {
    result_.slot = setup_.slot;
    result_.player = decision.identity;
    result_.name = decision.identity.Name;
    result_.password = PaddedPassword(QString::fromStdString(decision.identity.Password)).toStdString();
  };

  if (!setup_.network || setup_.renaming) {
    take_player();
    result_.confirmed = true;
    accept();
    return;
  }

  const ConnectionCheck check = CheckConnection(net_pos_, address_edit_->text(), port_edit_->text());
  if (!check.ok) {
    ShowStatus(check.messageRow, check.focus);
    return;
  }
  if (!check.server) last_address_ = address_edit_->text();
  last_port_ = port_edit_->text();
  result_.lastAddress = last_address_.toStdString();
  result_.lastPort = last_port_.toStdString();
  status_->hide();

  NetworkChoice choice;
  choice.server = check.server;
  choice.address = check.server ? std::string() : address_edit_->text().toStdString();
  choice.port = port_edit_->text().toStdString();
  choice.games = spin_->value();
  choice.name = QString::fromStdString(decision.identity.Name).left(kNetPlayerNameLength).toStdString();
  choice.player = decision.identity;
  if (!setup_.startNetwork) {
    qWarning("TFormPassword: no network session is wired; the window stays open");
    return;
  }
  if (!setup_.startNetwork(choice)) return;  // the wait was cancelled: choose again
  take_player();
  result_.server = choice.server;
  result_.address = choice.address;
  result_.port = choice.port;
  result_.games = choice.games;
  result_.confirmed = true;
  accept();
}

void TFormPassword::reject() {
  result_.confirmed = false;
  QDialog::reject();
}

RenameOutcome ApplyRename(const RenameSetup& setup, const PlayerWindowResult& confirmed) {
  RenameOutcome outcome;
  outcome.window = confirmed;
  outcome.player = setup.member;
  outcome.name = setup.currentName;
  if (!confirmed.confirmed) return outcome;
  ClubWriteOptions options;
  options.Writable = setup.clubWritable;
  const RenameResult renamed =
      RenameMember(setup.clubFile, setup.slot, setup.member, QString::fromStdString(confirmed.name),
                   QString::fromStdString(confirmed.password), options);
  if (!renamed.changed) {
    outcome.message = WordText(renamed.messageRow);
    return outcome;
  }
  outcome.changed = true;
  outcome.player = renamed.member;
  outcome.name = renamed.member.Name;
  outcome.message = RenamedMessage(QString::fromStdString(outcome.name));
  return outcome;
}

RenameOutcome RenamePlayer(QWidget* parent, const RenameSetup& setup, SoundHook sound,
                           const std::function<void(const QString&)>& inform) {
  PlayerWindowSetup window = setup.look;
  window.slot = kNewPlayerSlot;
  window.renaming = true;
  window.network = setup.network;
  window.currentName = setup.currentName;
  const PlayerWindowResult result = TFormPassword::Open(parent, window, std::move(sound));
  RenameOutcome outcome = ApplyRename(setup, result);
  if (!result.confirmed) return outcome;
  if (inform) inform(outcome.message);
  else if (outcome.changed) TFormMessage::Tell(parent, MessageKind::Information, outcome.message, QStringLiteral("Renamed"));
  else TFormMessage::Tell(parent, MessageKind::Error, outcome.message, QStringLiteral("RenameFailed"));
  return outcome;
}

}  // namespace varnok
