// The chat board and the news in the main window: the background checks and
// their badges, the news document, the chat window and its popup entry.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "chat_news.h"
#include "main_window.h"
#include "menu_screen.h"

namespace varnok {

namespace {

std::filesystem::path FilePath(const QString& folder) { return std::filesystem::path(QFile::encodeName(folder).toStdString()); }

}  // namespace

void MainWindow::WireChatAndNews() {
  // The marker files are shared by the club's games: they live in the folder
  // that holds the program's folder.
  QString folder = options_.marker_folder;
  if (folder.isEmpty()) folder = QFileInfo(QDir::cleanPath(QDir(ProgramFolderPath()).absolutePath())).absolutePath();
  ChatNewsHost host;
  host.MenuShown = [this] { return MenuShown(); };
  host.InGame = [this] { return state_.InGame; };
  host.Sound = [this](const QString& name) { PlayEffect(name.toStdString(), false); };
  host.ShowBadges = [this](bool news, bool chat) {
    if (menu_ != nullptr) menu_->ShowBadges(news, chat);
  };
  host.Passport = [this] {
    return ChatPassport{settings_.Nick, settings_.City, settings_.Country, settings_.Sex};
  };
  host.OpenPassport = [this](QWidget* over) { PassportRequested(over); };
  chat_news_ = new ChatNews(*online_, this, FilePath(folder), std::move(host));
  chat_news_->SetPeriods(options_.calendar_timer_ms, options_.chat_refresh_ms);
  connect(chat_news_, &ChatNews::ChatWindowOpened, this, [this] { OfferAccountPassport(chat_news_->ChatWindow()); });

  // "Chat", the popup menu's last entry, opens once the menu screen has been reached.
  for (QAction* action : popup_->actions()) {
    if (action->objectName() == QLatin1String("MChat")) chat_action_ = action;
  }
  chat_action_->setEnabled(false);
  connect(chat_action_, &QAction::triggered, chat_news_, &ChatNews::OpenChat);
}

}  // namespace varnok
