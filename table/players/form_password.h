// TFormPassword: the player window "Welcome!". A club member (slots 1-5)
// gives his password; a new player (slot 6) his name and the password twice.
// In network mode the same window chooses server or client, takes the
// server's address and port and lists the machine's own addresses; a
// confirmed window hands the connection to `startNetwork` and closes only
// when the game has begun. Outside network mode it closes confirmed as soon
// as the checks pass. "Cancel" and Escape close it unconfirmed.
//
// Object names: "Edit1" name, "Edit2" password, "Edit3" password again,
// "Label4" status line, "RadioGroup1" with "RadioServer" and "RadioClient",
// "Edit4" address, "Edit5" port, "SpinEdit1" number of games, "Button1" Ok,
// "Button2" Cancel, "Button3" own addresses, "Button4" router help,
// "EditIP1" to "EditIP6", the labels "Label1" to "Label3", "Label5",
// "Label6", "Label7", and the padlock "ImagePw".
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "club_file.h"
#include "dialog_look.h"
#include "player_checks.h"

class QLabel;
class QLineEdit;
class QMovie;
class QRadioButton;
class QGroupBox;
class QSpinBox;

namespace varnok {

class TZubCardsButton;

// What a confirmed network window hands to the session starter.
struct NetworkChoice {
  bool server = true;   // NetPos 1; a client is NetPos 2
  std::string address;  // the server's address (a client's only)
  std::string port;
  int games = 1;        // "Number games:"
  std::string name;     // the player's name, at most six characters
  ClubMember player;    // the player's identity (see PlayerWindowResult)
};

// The auxiliary window designs of the settings.
enum class PlayerWindowDesign { GrayConcise = 1, GrayAristocratic = 2, GrayRibbons = 3, Purple = 4 };

struct PlayerWindowSetup {
  int slot = kNewPlayerSlot;   // 1..5 a member, 6 a new player
  ClubMember member;           // slots 1-5: the member as ReadMember gave him
  std::filesystem::path clubFile;  // when set, the member's password is read from it on confirming
  bool network = false;        // network mode (the settings' NetworkMode)
  bool renaming = false;       // "To change a name": a new name for the current player
  std::string currentName;     // renaming: the player's name in the game
  // The settings' last name typed, server address and port.
  std::string lastName;
  std::string lastAddress = "127.0.0.1";
  std::string lastPort = "25666";
  // Look: purple windows, else the gray design 1-3; animated pictures.
  bool purple = false;
  int grayDesign = 2;
  bool animate = true;
  // Network mode: starts the server or the client and shows the wait window;
  // true when the game has begun (the window then closes confirmed).
  std::function<bool(const NetworkChoice&)> startNetwork;
  // Asks for the address the internet sees; the answer ("" when unreachable)
  // comes later on the event loop, and is dropped when `context` is gone.
  // None: the field stays empty.
  std::function<void(QObject* context, std::function<void(QString)> done)> readExternalIp;
  // The machine's IPv4 addresses; none: MachineIpv4Addresses.
  std::function<std::vector<InterfaceAddress>()> ownAddresses;
  // Opens the router help page; none: the help window.
  std::function<void(const QString&)> openUrl;
  // Shows a notice (missing graphics library); none: ShowNotice.
  std::function<void(const QString&)> notice;
};

struct PlayerWindowResult {
  bool confirmed = false;
  int slot = kNewPlayerSlot;
  std::string name;      // without filling blanks
  std::string password;  // padded with blanks to five characters
  ClubMember player;     // a member as the club file has him; a new player with no games
  // Network mode.
  bool server = true;
  std::string address;
  std::string port;
  int games = 1;
  // For the settings, whether confirmed or not: the last name typed, server
  // address and port as the window leaves them.
  std::string lastName;
  std::string lastAddress;
  std::string lastPort;
  // The purple background could not be loaded: purple windows are off and
  // the gray design is "Gray aristocratic" for the rest of the run.
  bool designFellBack = false;
};

class TFormPassword : public QDialog {
  Q_OBJECT

 public:
  TFormPassword(const PlayerWindowSetup& setup, QWidget* parent = nullptr);
  ~TFormPassword() override;

  // Plays "WOpenFo", shows the window modally and returns what it gave.
  static PlayerWindowResult Open(QWidget* parent, const PlayerWindowSetup& setup, SoundHook sound);

  PlayerWindowResult Result() const { return result_; }
  PlayerWindowDesign Design() const { return design_; }
  int NetPos() const { return net_pos_; }

  // Button1 and Enter in the name and password fields.
  void Confirm();

 public Q_SLOTS:
  void reject() override;

 protected:
  // A character typed into a full password field says how long a password may be.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildFields();
  void BuildNetwork();
  void BuildButtons();
  void Arrange();
  void ChooseDesign();
  void ShowStatus(int row, PlayerField focus);
  void FocusOn(PlayerField field);
  void ChooseServer(bool server);
  void AddressTyped(const QString& text);
  void PortTyped(const QString& text);
  void FillOwnAddresses();
  void ShowOwnAddresses(const std::vector<InterfaceAddress>& interfaces, const QString& external);
  QImage DrawBackground() const;
  QColor TextColour() const;

  PlayerWindowSetup setup_;
  PlayerWindowResult result_;
  PlayerWindowDesign design_ = PlayerWindowDesign::GrayAristocratic;
  bool library_missing_ = false;
  int net_pos_ = 1;
  QString last_name_;
  QString last_address_;
  QString last_port_;

  std::array<QLabel*, 3> field_labels_{};
  QLineEdit* name_edit_ = nullptr;
  QLineEdit* password_edit_ = nullptr;
  QLineEdit* repeat_edit_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* padlock_ = nullptr;
  QMovie* padlock_movie_ = nullptr;

  QGroupBox* radio_group_ = nullptr;
  QRadioButton* radio_server_ = nullptr;
  QRadioButton* radio_client_ = nullptr;
  QLabel* address_label_ = nullptr;
  QLineEdit* address_edit_ = nullptr;
  QLabel* port_label_ = nullptr;
  QLineEdit* port_edit_ = nullptr;
  QLabel* games_label_ = nullptr;
  QSpinBox* spin_ = nullptr;
  std::array<QLineEdit*, kOwnAddressFields> own_{};

  TZubCardsButton* ok_button_ = nullptr;
  TZubCardsButton* cancel_button_ = nullptr;
  TZubCardsButton* addresses_button_ = nullptr;
  TZubCardsButton* help_button_ = nullptr;
  QImage background_;
};

// "To change a name" during a game. Opens the window as for a new player
// with the player's current name; when it is confirmed, a member's club line
// gets the new name and password (one safe write) and the message of
// RenamedMessage is shown. Cancelled, nothing changes.
struct RenameSetup {
  int slot = kNewPlayerSlot;       // the game's ProfileSlot
  ClubMember member;               // the player as read when the game started
  std::filesystem::path clubFile;  // the club file of the current mode
  bool clubWritable = true;        // false: club files are not written in this run
  bool network = false;
  std::string currentName;
  PlayerWindowSetup look;          // design, animation, hooks; slot and names are set here
};
struct RenameOutcome {
  bool changed = false;
  std::string name;    // the new name (seat 3's name and bubble take it)
  ClubMember player;   // the player as the game now knows him (for the end of the game)
  QString message;     // what was shown: the success text or "Error of disk writing!"
  PlayerWindowResult window;
};
RenameOutcome RenamePlayer(QWidget* parent, const RenameSetup& setup, SoundHook sound,
                           const std::function<void(const QString&)>& inform = {});
// The club side of a confirmed rename, without any window.
RenameOutcome ApplyRename(const RenameSetup& setup, const PlayerWindowResult& confirmed);

}  // namespace varnok
