// The chat line of network and tournament games: the entry field Edit1 (at
// most 15 characters), its send button BitBtn1 and the chat picture ImageMemo,
// a layer of the table that shows the last four lines in the colour of their
// writer's seat. Keys typed while the send button has the focus feed the
// hidden switch of the diagnostic view.
//
// The main window makes one ChatBar over its canvas, shows it for network
// games only, places it after every window size change (after the canvas has
// applied the new layout), and passes the lines it sends and receives to
// AddLine or Receive.
#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>
#include <QVector>
#include <functional>

#include "input_rules.h"
#include "layout.h"
#include "status_drawing.h"

class QLineEdit;
class QPainter;

namespace varnok {

class TableCanvas;
class TZubCardsButton;

// One line of the chat picture.
struct ChatLine {
  int seat = 0;   // the writer's seat, 1..4
  QString name;   // the writer's name (kept with the line, not drawn)
  QString text;   // as typed or received, at most kChatTextLength characters
  friend bool operator==(const ChatLine&, const ChatLine&) = default;
};

// The length of the entry field and of a chat text on the wire.
inline constexpr int kChatTextLength = 15;
// The chat picture holds four lines; a fifth pushes the first out.
inline constexpr int kChatLineCount = 4;
// A line wider than this (design pixels) is shortened from its end, one
// character at a time and at most kChatMaxCuts times, and "..." appended.
inline constexpr int kChatLineWidth = 85;
inline constexpr int kChatMaxCuts = 12;
// The sound of a line from another copy.
inline constexpr char kChatSound[] = "WToMenK";

// The colour of a writer's seat: 1 maroon, 2 navy, 3 green, 4 olive; black
// for any other seat.
QColor ChatSeatColour(int seat);

// The font of the chat lines: the small font ("serif") at ScaleLen(14).
QFont ChatFont(const LayoutState& layout);

// A text made fit for a line: characters past kChatTextLength are dropped,
// and line breaks, tabs and other control characters become blanks.
QString CleanChatText(const QString& text);

// The text as drawn: while it is wider than `maxWidth` in the painter's font
// it loses its last character (a whole character, never half of a surrogate
// pair), at most kChatMaxCuts times; "..." follows when anything was cut.
QString ShortenChatText(QPainter& painter, const QString& text, int maxWidth);

// Where line j (1..4) is drawn in the picture: x = ScaleLen(20), y (its top)
// = ScaleLen(14 j + 3).
QPoint ChatLinePosition(const LayoutState& layout, int j);

// Draws the chat picture: the table's background under it, the frame
// ("RamkaERSm" 1:1 in the small window, else "RamkaERBg" stretched to the
// picture) and the lines in their seats' colours over a clear background.
void DrawChatPicture(LayerCanvas& canvas, const LayoutState& layout, const QVector<ChatLine>& lines);

// Where the entry field and the send button go, in design pixels of the
// 760 x 500 table: under the chat picture, beside the bottom hand.
inline constexpr QRect kEditDesign{620, 468, 94, 24};
inline constexpr QRect kSendDesign{716, 468, 34, 24};
// A design box placed as the layers are: ScaleX, ScaleY, ScaleLen.
QRect PlaceChatControl(const LayoutState& layout, QRect design);

class ChatBar : public QObject {
  Q_OBJECT

 public:
  // `sound` plays a named sound; it may be empty.
  ChatBar(TableCanvas* canvas, std::function<void(QString)> sound);
  ~ChatBar() override;

  // Shows or hides Edit1, BitBtn1 and the chat picture (network games only).
  void Show(bool on);
  bool Shown() const { return shown_; }
  // Enables or disables the entry field and the send button (disabled until
  // a client's first deal, and when the link is lost).
  void SetEnabled(bool on);

  // Places the controls and redraws the picture for a new window size. The
  // canvas must have applied the layout first (that hides every layer; a
  // shown chat shows its picture again).
  void Place(const LayoutState& layout);

  // Adds a line to the chat picture: it takes the first empty line, or the
  // lines move up by one and it becomes the fourth. A seat outside 1..4 is
  // logged and drawn in black; a text longer than the field is cut.
  void AddLine(int seat, const QString& name, const QString& text);
  // A line from another copy: plays "WToMenK", then AddLine.
  void Receive(int seat, const QString& name, const QString& text);
  // Empties the chat; the picture shows the table's background again.
  void Clear();
  const QVector<ChatLine>& Lines() const { return lines_; }

  QLineEdit* Edit1() const { return edit_; }
  TZubCardsButton* BitBtn1() const { return send_; }

 Q_SIGNALS:
  // The player sent a line (send button or Enter in the field). The field
  // is emptied; the caller sends the line and shows it with its own seat.
  void Send(const QString& text);
  // "48317" was typed while the send button had the focus.
  void DebugToggled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SendLine();
  void Redraw();

  TableCanvas* canvas_;
  std::function<void(QString)> sound_;
  QLineEdit* edit_ = nullptr;
  TZubCardsButton* send_ = nullptr;
  QVector<ChatLine> lines_;
  DebugKeyBuffer keys_;
  bool shown_ = false;
};

}  // namespace varnok
