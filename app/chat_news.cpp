#include "chat_news.h"

#include <QDesktopServices>
#include <QUrl>
#include <QWidget>
#include <algorithm>

#include "address_cipher.h"
#include "chat_markers.h"
#include "form_message.h"
#include "online_client.h"
#include "words.h"

namespace varnok {

namespace {

constexpr int kRowChatUnavailable = 155;
// The news check runs on the menu when its counter is above this; the chat
// check whenever its counter is above the other.
constexpr int kNewsTicks = 2;
constexpr int kChatTicks = 89;

}  // namespace

ChatNews::ChatNews(online::OnlineClient& client, QWidget* window, std::filesystem::path marker_folder,
                   ChatNewsHost host)
    : QObject(window), client_(client), window_parent_(window), folder_(std::move(marker_folder)),
      host_(std::move(host)) {
  calendar_.setInterval(kCalendarMs);
  connect(&calendar_, &QTimer::timeout, this, &ChatNews::OnCalendarTick);
}

ChatNews::~ChatNews() = default;

void ChatNews::SetPeriods(int calendar_ms, int chat_window_ms) {
  if (calendar_ms > 0) calendar_.setInterval(calendar_ms);
  if (chat_window_ms > 0) chat_window_ms_ = chat_window_ms;
}

void ChatNews::MenuDrawn(bool entered) {
  if (!calendar_.isActive()) calendar_.start();
  if (!entered) return;
  if (!news_flag_) CheckNews();
  if (!chat_flag_) CheckChat(false);
}

void ChatNews::StopCalendar() { calendar_.stop(); }

void ChatNews::OnCalendarTick() {
  Q_EMIT CalendarTurned();
  ++news_ticks_;
  ++chat_ticks_;
  if (!news_flag_ && news_ticks_ > kNewsTicks && host_.MenuShown && host_.MenuShown()) {
    news_ticks_ = 0;
    CheckNews();
  }
  if (!chat_flag_ && chat_ticks_ > kChatTicks) {
    chat_ticks_ = 0;
    // The open window shows the board itself.
    if (window_.isNull()) CheckChat(true);
  }
}

void ChatNews::CheckNews() {
  if (news_pending_) return;
  news_pending_ = true;
  client_.ReadNews(this, [this](int number) {
    news_pending_ = false;
    ++news_checks_;
    // A failed read gives 0: no news.
    server_news_ = number;
    news_flag_ = ReadNewsMarker(folder_) < number;
    RedrawBadges();
  });
}

void ChatNews::CheckChat(bool background) {
  if (chat_pending_) return;
  chat_pending_ = true;
  const ChatMarkers markers = ReadChatMarkers(folder_);
  state_.LastSeen = markers.LastSeen;
  state_.Bottom = markers.Bottom;
  state_.AutoOpen = markers.AutoOpen;
  client_.Run(online::ReadTable{online::kChatTable}, this, [this, background](online::TableResult board) {
    chat_pending_ = false;
    ++chat_checks_;
    // A failed read finds nothing new and keeps the newest number known.
    if (board.Ok) state_.Newest = board.Rows[0].Score;
    const bool found = board.Ok && state_.LastSeen < board.Rows[0].Score;
    chat_flag_ = found;
    RedrawBadges();
    if (!background || !found) return;
    if (host_.Sound) host_.Sound(QStringLiteral("WToMenK"));
    if (host_.InGame && host_.InGame() && state_.AutoOpen && window_.isNull()) OpenChat();
  });
}

void ChatNews::SaveChatFile() {
  ChatMarkers markers;
  // A board that could not be read never takes back what was seen.
  markers.LastSeen = std::max(state_.Newest, state_.LastSeen);
  markers.Bottom = state_.Bottom;
  markers.AutoOpen = state_.AutoOpen;
  SaveChatMarkers(folder_, markers);
}

void ChatNews::RedrawBadges() {
  if (host_.ShowBadges && host_.MenuShown && host_.MenuShown()) host_.ShowBadges(news_flag_, chat_flag_);
}

void ChatNews::OpenNews() {
  // The badge on the large menu's board can be clicked before any news was
  // read: the file never goes back to an older number.
  const int read = ReadNewsMarker(folder_);
  if (server_news_ > read) SaveNewsMarker(folder_, server_news_);
  if (host_.Sound) host_.Sound(QStringLiteral("WOpenFo"));
  const QUrl address(QString::fromStdString(DecipherAddress(client_.Addresses().News)));
  if (address.isValid()) QDesktopServices::openUrl(address);
  news_flag_ = false;
  RedrawBadges();
}

void ChatNews::OpenChat() {
  if (host_.Sound) host_.Sound(QStringLiteral("WOpenFo"));
  if (!client_.ChatAvailable()) {
    // Told without waiting: the window and the game go on.
    auto* box = new TFormMessage(MessageKind::Warning, i18n::Text(i18n::WordsMain, kRowChatUnavailable),
                                 window_parent_);
    box->setObjectName(QStringLiteral("ChatUnavailable"));
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QDialog::finished, box, &QObject::deleteLater);
    box->show();
    return;
  }
  if (!window_.isNull()) {
    window_->raise();
    window_->activateWindow();
    return;
  }
  SaveChatFile();
  chat_flag_ = false;
  RedrawBadges();
  ChatWindowSetup setup;
  setup.Client = &client_;
  setup.State = &state_;
  setup.Passport = host_.Passport;
  setup.SaveMarkers = [this] { SaveChatFile(); };
  setup.OpenPassport = host_.OpenPassport;
  setup.Sound = host_.Sound;
  setup.RefreshMs = chat_window_ms_;
  auto* chat = new TFormChat(std::move(setup), window_parent_);
  chat->setWindowModality(Qt::WindowModal);
  window_ = chat;
  connect(chat, &QDialog::finished, this, [this, chat] {
    window_ = nullptr;
    state_.LastSeen = std::max(state_.LastSeen, state_.Newest);
    chat_flag_ = false;
    // The file remembers what the window showed, so that the next check
    // does not call the same messages new.
    SaveChatFile();
    RedrawBadges();
    chat->deleteLater();
    Q_EMIT ChatWindowClosed();
  });
  chat->show();
  Q_EMIT ChatWindowOpened();
}

}  // namespace varnok
