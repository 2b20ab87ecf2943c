#include "form_wait.h"

#include <QHostAddress>
#include <QLabel>
#include <QNetworkInterface>
#include <QVBoxLayout>

#include "net_session.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::netsession {

namespace {

// Rows of the main word table.
constexpr int kRowCancel = 75;
constexpr int kRowCaption = 394;
constexpr int kRowWaitPlayers = 395;
constexpr int kRowWaitGame = 396;
constexpr int kRowSecondPlayer = 397;  // the third and fourth follow
constexpr int kRowNoGames = 400;
constexpr int kMostAddresses = 6;

QString Words(int row) { return i18n::Text(i18n::WordsMain, row); }

}  // namespace

TFormWait::TFormWait(NetSession& session, QWidget* parent) : QDialog(parent), session_(session) {
  setWindowTitle(Words(kRowCaption));
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 4; ++i) {
    label_[i] = new QLabel(this);
    label_[i]->setObjectName(QString("Label%1").arg(i + 1));
    layout->addWidget(label_[i]);
  }
  addresses_ = new QLabel(this);
  addresses_->setObjectName("LabelIP");
  addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(addresses_);
  ok_button_ = new TZubCardsButton(this);
  ok_button_->setObjectName("Button1");
  ok_button_->setText("Ok");
  cancel_button_ = new TZubCardsButton(this);
  cancel_button_->setObjectName("Button2");
  cancel_button_->setText(Words(kRowCancel));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);
  layout->addLayout(buttons);

  connect(ok_button_, &QPushButton::clicked, this, &TFormWait::OnOk);
  connect(cancel_button_, &QPushButton::clicked, this, &TFormWait::OnCancel);
  connect(&session_, &NetSession::PlayersChanged, this, &TFormWait::OnPlayersChanged);
  connect(&session_, &NetSession::GameBegins, this, [this] {
    if (!session_.IsServer() && isVisible()) {
      accept();
      Q_EMIT GameBegun();
    }
  });
  // The timer runs for as long as the window lives.
  second_timer_.setInterval(1000);
  connect(&second_timer_, &QTimer::timeout, this, &TFormWait::OnTimer);
  second_timer_.start();
}

QStringList TFormWait::OwnAddresses() {
  QStringList list;
  for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
    for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
      const QHostAddress ip = entry.ip();
      if (ip.protocol() != QAbstractSocket::IPv4Protocol || ip.isLoopback()) continue;
      if (list.size() < kMostAddresses) list << ip.toString();
    }
  }
  list << "127.0.0.1";
  return list;
}

void TFormWait::Begin() {
  label_[0]->setText(Words(session_.IsServer() ? kRowWaitPlayers : kRowWaitGame));
  for (int i = 1; i < 4; ++i) {
    label_[i]->setText(Words(kRowSecondPlayer + i - 1));
    label_[i]->hide();
  }
  addresses_->setText(OwnAddresses().join("\n"));
  ok_button_->setEnabled(false);
  cancel_button_->setEnabled(true);
}

void TFormWait::OnTimer() {
  if (!session_.IsServer() && session_.Link() == LinkState::Waiting && session_.NoGames())
    label_[0]->setText(Words(kRowNoGames));
}

void TFormWait::OnPlayersChanged(int clients_joined) {
  if (!session_.IsServer()) return;
  // A client that leaves before the game frees its label.
  label_[1]->setVisible(clients_joined >= 0);
  label_[2]->setVisible(clients_joined >= 1);
  // Once a client has joined the game can only be started; with nobody left it can be cancelled again.
  ok_button_->setEnabled(clients_joined >= 0);
  cancel_button_->setEnabled(clients_joined < 0);
}

void TFormWait::OnOk() {
  if (!session_.BeginGame()) return;
  accept();
  Q_EMIT GameBegun();
}

void TFormWait::OnCancel() {
  session_.Cancel();
  reject();
  Q_EMIT Cancelled();
}

}  // namespace varnok::netsession
