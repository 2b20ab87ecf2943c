// TFormAccount: the club window of the online account, with the tabs "My
// account", "My results", "Top 10", "About me" and "President". It opens at
// once and fills its parts as the server's replies arrive ("No Connect" where
// a read failed); registration, login and sign-out, the saved login, and the
// choice of a rated game live on the first tab.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <optional>

#include "dialog_look.h"
#include "online_club.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace varnok {
class TZubCardsButton;
}

namespace varnok::online {

class TFormAccount : public TBaizeDialog {
  Q_OBJECT

 public:
  TFormAccount(OnlineClub& club, bool rated_choice_allowed, SoundHook sound, QWidget* parent = nullptr);

  // Plays the opening sound and shows the window modally.
  static void Open(QWidget* parent, OnlineClub& club, bool rated_choice_allowed, SoundHook sound);

  // How many of the opening reads are still under way (tests wait for 0).
  int PendingReads() const { return pending_; }
  QTabWidget* Tabs() const { return tabs_; }

 private:
  QWidget* BuildAccountTab();
  QWidget* BuildResultsTab();
  QWidget* BuildTopTab();
  QWidget* BuildAboutTab();
  QWidget* BuildPresidentTab();

  void StartReads();
  void ReadAfterLogin();
  void ReadPresident();
  void Track(int reads) { pending_ += reads; }
  void Done() { --pending_; }

  void FillAccountFields();
  void FillCountries();
  void UpdateLamps();
  void UpdateButtons();
  void ShowResults();
  void ShowTopTen();
  void ShowAbout();
  void ShowPresident();

  void CreateAccount();
  void LoginOrSignOut();
  void SaveLogin();
  void DeleteLogin();
  void ClickPresidentLine(int index);

  OnlineClub& club_;
  bool rated_choice_allowed_;
  SoundHook sound_;
  int pending_ = 0;
  bool filling_ = false;
  bool save_enabled_ = false;
  bool login_edited_ = false;  // the nick or password typed differs from what a saved file holds

  QTabWidget* tabs_ = nullptr;
  // "My account".
  QLineEdit* nick_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* city_ = nullptr;
  QLineEdit* email_ = nullptr;
  std::array<QLabel*, 4> lamps_{};
  QComboBox* continent_ = nullptr;
  QComboBox* country_list_ = nullptr;
  QLineEdit* country_ = nullptr;
  QComboBox* sex_ = nullptr;
  QLineEdit* registration_ = nullptr;
  QCheckBox* hide_password_ = nullptr;
  QCheckBox* rated_ = nullptr;
  QLabel* rated_wait_ = nullptr;
  QLabel* members_ = nullptr;
  QLabel* state_picture_ = nullptr;
  TZubCardsButton* create_ = nullptr;
  TZubCardsButton* login_ = nullptr;
  TZubCardsButton* save_ = nullptr;
  TZubCardsButton* delete_ = nullptr;
  // "My results": the nine values.
  std::array<QLabel*, 9> results_{};
  // "Top 10": a line each.
  std::array<QLabel*, 10> top_rows_{};  // the nicks
  std::array<QLabel*, 10> top_numbers_{};
  std::array<QLabel*, 10> top_flags_{};
  std::array<QLabel*, 10> top_faces_{};
  std::array<QLabel*, 10> top_cities_{};
  std::array<QLabel*, 10> top_ratings_{};
  // "About me" and "President".
  QLabel* own_photo_ = nullptr;
  std::array<QLabel*, 14> about_{};
  QLabel* president_photo_ = nullptr;
  QLabel* president_title_ = nullptr;
  QLabel* president_name_ = nullptr;
  std::array<QLabel*, 12> president_lines_{};
};

}  // namespace varnok::online
