// TFormChat: the chat window "Zub Games Chat" of the club's games. It shows
// the ten latest messages of the chat board (table 100 of the results
// service), refreshes them on its 15-second timer and with the refresh
// picture, and posts the player's text under his "My Passport" nick, city,
// country and sex with the stamp of the moment.
//
// Every server call runs on the event loop: the window opens at once and
// fills the board when the reply arrives ("No Connect" when the read fails).
#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "chat_board_view.h"
#include "dialog_look.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace varnok {

namespace online {
class OnlineClient;
}

class TZubCardsButton;
class ChatPictureButton;

// What the chat window and the background checks share for one run.
struct ChatBoardState {
  int Newest = 0;    // the highest message number seen on the server
  int LastSeen = 0;  // the number of the newest message the player has seen
  bool Bottom = false;    // "Last message at the bottom"
  bool AutoOpen = false;  // "Open this window when a new message"
};

// The "My Passport" identity a message is posted under (UTF-8).
struct ChatPassport {
  std::string Nick, City, Country, Sex;
};

struct ChatWindowSetup {
  online::OnlineClient* Client = nullptr;
  ChatBoardState* State = nullptr;
  std::function<ChatPassport()> Passport;
  // Writes the three lines of the chat marker file from the state.
  std::function<void()> SaveMarkers;
  // Opens the passport window over the chat window (none: the button is off).
  std::function<void(QWidget*)> OpenPassport;
  // Plays a named sound.
  SoundHook Sound;
  int RefreshMs = 15000;
};

class TFormChat : public TBaizeDialog {
  Q_OBJECT

 public:
  explicit TFormChat(ChatWindowSetup setup, QWidget* parent = nullptr);
  ~TFormChat() override;

  // Reads the board and draws the ten messages when the reply comes.
  void DrawMessages();
  // Posts the text of the field (the Enter key and the send picture).
  void PostMessage();

  ChatBoardView* Board() const { return board_; }
  QLineEdit* Edit() const { return edit_; }
  QCheckBox* BottomBox() const { return bottom_; }
  QCheckBox* AutoOpenBox() const { return auto_open_; }
  QWidget* SendPicture() const;
  QWidget* RefreshPicture() const;
  TZubCardsButton* CloseButton() const { return close_; }
  TZubCardsButton* PassportButton() const { return passport_; }
  bool Posting() const { return posting_; }
  // The passport may have changed: the text field follows it.
  void PassportChanged() { UpdateEditEnabled(); }
  int Draws() const { return draws_; }

 Q_SIGNALS:
  // A board read has been answered and drawn (or "No Connect" drawn).
  void Drawn();
  // A post has ended: true when the server took the message.
  void PostFinished(bool ok);

 private:
  void OnTick();
  void UpdateEditEnabled();
  void OnBottomToggled(bool checked);
  void OnAutoOpenToggled(bool checked);
  void OnPassport();
  void PostFailed();

  ChatWindowSetup setup_;
  ChatBoardView* board_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QCheckBox* bottom_ = nullptr;
  QCheckBox* auto_open_ = nullptr;
  ChatPictureButton* send_ = nullptr;
  ChatPictureButton* refresh_ = nullptr;
  TZubCardsButton* close_ = nullptr;
  TZubCardsButton* passport_ = nullptr;
  QTimer timer_;
  int draw_sequence_ = 0;
  int draws_ = 0;
  bool posting_ = false;
  bool post_blocked_ = false;  // after a post, until the next tick
  // The message just posted, until a board read shows it with its number.
  struct OwnPost {
    std::string Nick, Stamp, Text;
  };
  std::optional<OwnPost> own_post_;
  std::set<int> own_numbers_;  // the player's own messages carry no "new" mark
};

}  // namespace varnok
