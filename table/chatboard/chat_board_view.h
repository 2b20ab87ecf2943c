// The message board of the chat window: ten messages of two lines each, the
// first line with the message number, the author's flag and face, his city,
// the stamp, the program version and his nick, the second line with the text
// in a second colour; a "new" mark beside both lines of a message the player
// has not seen yet. When the board could not be read it says "No Connect".
// Also the small pictures of the window: the send and refresh pictures and
// the faces of a man and a woman.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

namespace varnok {

// One message as the board draws it.
struct ChatBoardMessage {
  int Number = 0;
  QString Header;   // city, " : ", stamp, " ", version, " : ", nick (blanks for "_")
  QString Text;     // the message (blanks for "_")
  QString Country;  // the country code ("1-001")
  bool Woman = false;
  bool Fresh = false;  // carries the "new" mark
  friend bool operator==(const ChatBoardMessage&, const ChatBoardMessage&) = default;
};

// The name of a country code's flag picture ("1-001" -> "Flag1_001"); empty
// for a text that is no country code.
QString ChatFlagName(const QString& country);

// Pictures drawn for the window (the resources hold none of them).
QImage ChatFacePicture(bool woman, int height);
QImage ChatSendPicture(int size);
QImage ChatRefreshPicture(int size);
QImage ChatNewMark(int height);

class ChatBoardView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLines = 10;

  explicit ChatBoardView(QWidget* parent = nullptr);

  // The messages on lines 1..10 (index 0 is line 1); an empty line shows nothing.
  void SetMessages(const std::array<std::optional<ChatBoardMessage>, kLines>& lines);
  // "No Connect" in place of the messages.
  void SetNoConnect();

  bool NoConnect() const { return no_connect_; }
  const std::array<std::optional<ChatBoardMessage>, kLines>& Lines() const { return lines_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<std::optional<ChatBoardMessage>, kLines> lines_;
  bool no_connect_ = false;
};

}  // namespace varnok
