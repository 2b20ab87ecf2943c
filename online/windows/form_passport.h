// TFormPassport ("My Passport"): the identity under which the player's
// cycles enter the world table and his chat messages are posted: nick,
// city, country and sex, kept in the settings. The nick and city are taken
// only while both pass the passport check; "Ok" is enabled only then, and
// the window does not close while either is red.
//
// TFormWorldResult ("World Top Ten"): the score of a finished cycle against
// the computer, sent to the world table under the passport.
#pragma once

#include <array>
#include <functional>

#include "dialog_look.h"
#include "online_client.h"
#include "settings.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace varnok {
class TZubCardsButton;
}

namespace varnok::online {

class TFormPassport : public TBaizeDialog {
  Q_OBJECT

 public:
  TFormPassport(Settings& settings, QWidget* parent = nullptr);
  static void Open(QWidget* parent, Settings& settings);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void Check();
  void FillCountries();
  bool Acceptable() const;

  Settings& settings_;
  QLineEdit* nick_ = nullptr;
  QLineEdit* city_ = nullptr;
  std::array<QLabel*, 2> lamps_{};
  QComboBox* continent_ = nullptr;
  QComboBox* country_ = nullptr;
  QComboBox* sex_ = nullptr;
  TZubCardsButton* ok_ = nullptr;
};

class TFormWorldResult : public TBaizeDialog {
  Q_OBJECT

 public:
  TFormWorldResult(OnlineClient& client, Settings& settings, int score, bool first_in_run, QWidget* parent = nullptr);
  // `first_in_run`: the first opening of this run (a nameless passport is asked for).
  static void Open(QWidget* parent, OnlineClient& client, Settings& settings, int score, bool first_in_run);

  bool Sending() const { return sending_; }
  bool Sent() const { return sent_; }
  void Send();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Refresh();

  OnlineClient& client_;
  Settings& settings_;
  int score_;
  bool first_in_run_;
  bool sent_ = false;
  bool sending_ = false;
  QLabel* nick_ = nullptr;
  QLabel* country_ = nullptr;
  QLabel* place_ = nullptr;
  TZubCardsButton* send_ = nullptr;
};

}  // namespace varnok::online
