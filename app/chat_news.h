// The chat board and the news in the main window: the background checks on
// the calendar timer (every 10 seconds from the first drawing of the menu
// screen on, also during games), which also turns the menu's calendar strip
// (CalendarTurned), the badges they raise, the news badge that
// opens the news document in the browser, and the chat window with its
// automatic opening during a game when a new message comes.
//
// The two marker files ("ZubChatZub.ini", "ZubNewsZub.ini") live in the
// parent of the program's folder. Every server call runs on the event loop.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "form_chat.h"

class QWidget;

namespace varnok {

namespace online {
class OnlineClient;
}

// What the checks ask of the main window.
struct ChatNewsHost {
  std::function<bool()> MenuShown;
  std::function<bool()> InGame;
  std::function<void(const QString&)> Sound;
  // Redraws the menu's news and chat badges (called only while the menu is shown).
  std::function<void(bool news, bool chat)> ShowBadges;
  std::function<ChatPassport()> Passport;
  std::function<void(QWidget*)> OpenPassport;
};

class ChatNews : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCalendarMs = 10000;
  static constexpr int kChatWindowMs = 15000;

  ChatNews(online::OnlineClient& client, QWidget* window, std::filesystem::path marker_folder, ChatNewsHost host);
  ~ChatNews() override;

  // Test hook: shortens the calendar timer's period and the chat window's
  // refresh (0 keeps the period); the tick counts stay (news every third
  // tick on the menu, chat every ninetieth).
  void SetPeriods(int calendar_ms, int chat_window_ms);

  // The menu screen has been drawn: the calendar timer runs from now on;
  // coming from the title or a game (`entered`) both checks run once.
  void MenuDrawn(bool entered);
  void StopCalendar();

  // The news badge: remembers the news as read, opens the news document.
  void OpenNews();
  // The chat badge and the "Chat" popup entry.
  void OpenChat();

  bool NewsFlag() const { return news_flag_; }
  bool ChatFlag() const { return chat_flag_; }
  const ChatBoardState& State() const { return state_; }
  TFormChat* ChatWindow() const { return window_; }
  const QTimer& Calendar() const { return calendar_; }
  const std::filesystem::path& MarkerFolder() const { return folder_; }
  // Background checks answered so far (news and chat).
  int NewsChecks() const { return news_checks_; }
  int ChatChecks() const { return chat_checks_; }

 Q_SIGNALS:
  // Every tick of the calendar timer, before the checks it runs.
  void CalendarTurned();
  void ChatWindowOpened();
  void ChatWindowClosed();

 private:
  void OnCalendarTick();
  void CheckNews();
  // `background`: the calendar's check, which sounds and may open the window.
  void CheckChat(bool background);
  void SaveChatFile();
  void RedrawBadges();

  online::OnlineClient& client_;
  QWidget* window_parent_;
  std::filesystem::path folder_;
  ChatNewsHost host_;
  QTimer calendar_;
  int chat_window_ms_ = kChatWindowMs;
  int news_ticks_ = 0;
  int chat_ticks_ = 0;
  bool news_flag_ = false;
  bool chat_flag_ = false;
  bool news_pending_ = false;
  bool chat_pending_ = false;
  int news_checks_ = 0;
  int chat_checks_ = 0;
  int server_news_ = 0;
  ChatBoardState state_;
  QPointer<TFormChat> window_;
};

}  // namespace varnok
