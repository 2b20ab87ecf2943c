// The wait window "Please, wait...": shown while the server waits for its
// clients or a client waits for its seat. It shows the state of the
// connection, the players who joined and the computer's own addresses (to
// tell the others); the server's "Ok" starts the game, "Cancel" gives up.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

class QLabel;

namespace varnok {
class TZubCardsButton;
}

namespace varnok::netsession {

class NetSession;
using varnok::TZubCardsButton;

class TFormWait : public QDialog {
  Q_OBJECT

 public:
  explicit TFormWait(NetSession& session, QWidget* parent = nullptr);

  // Sets the texts for the session just started (server or client).
  void Begin();

  // The IPv4 addresses of the computer's network interfaces, in the
  // system's order (at most six), followed by "127.0.0.1".
  static QStringList OwnAddresses();

  QLabel* Label1() const { return label_[0]; }
  QLabel* Label2() const { return label_[1]; }
  QLabel* Label3() const { return label_[2]; }
  QLabel* Label4() const { return label_[3]; }
  QLabel* AddressLabel() const { return addresses_; }
  TZubCardsButton* Button1() const { return ok_button_; }
  TZubCardsButton* Button2() const { return cancel_button_; }

 Q_SIGNALS:
  // The game begins: the server dealt, or the client got its seat.
  void GameBegun();
  // "Cancel": the session was closed.
  void Cancelled();

 private:
  void OnTimer();
  void OnPlayersChanged(int clients_joined);
  void OnOk();
  void OnCancel();

  NetSession& session_;
  QLabel* label_[4] = {};
  QLabel* addresses_ = nullptr;
  TZubCardsButton* ok_button_ = nullptr;
  TZubCardsButton* cancel_button_ = nullptr;
  QTimer second_timer_;  // the list of players and the start button, once a second
};

}  // namespace varnok::netsession
