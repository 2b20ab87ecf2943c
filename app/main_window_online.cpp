// The main window's online club: the start-up calls (directory, launch count,
// automatic login), the account picture with its lamp, rated games started
// from the fifth member slot, and the online steps when a game ends. Every
// call continues from the event loop; the window never waits on the server.
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "account_file.h"
#include "form_account.h"
#include "form_chat.h"
#include "form_end_match.h"
#include "form_passport.h"
#include "form_statistic.h"
#include "form_world_top.h"
#include "guide_rows.h"
#include "form_message.h"
#include "history_file.h"
#include "library_download.h"
#include "loader.h"
#include "main_window.h"
#include "menu_screen.h"
#include "online_club.h"
#include "online_panel.h"
#include "rating.h"
#include "table_canvas.h"
#include "words.h"

namespace varnok {

namespace {

QString Words(int row) { return i18n::Text(i18n::WordsMain, row); }

constexpr const char* kNoConnect = "No Connect";

}  // namespace

// The account picture "Account48" with the lamp of the state 24 pixels to its right.
class AccountIndicator : public QLabel {
 public:
  AccountIndicator(std::function<void()> click, QWidget* parent) : QLabel(parent), click_(std::move(click)) {
    setObjectName(QStringLiteral("ImAccount"));
    setCursor(Qt::PointingHandCursor);
    LoadPng(QStringLiteral("Account48"), QString(), account_);
    for (int i = 0; i < 3; ++i) {
      static const char* const kLamps[] = {"LampR24", "LampY24", "LampG24"};
      LoadPng(QString::fromLatin1(kLamps[i]), QString(), lamps_[static_cast<std::size_t>(i)]);
    }
    setFixedSize(48 + 24 + 24, 48);
  }
  // `answering`: the server answered the latest call; when it did not, the
  // picture says "No Connect" instead of a state the server never gave.
  void SetState(int state, bool answering) {
    if (state < 1 || state > 3) state = 1;
    state_ = state;
    offline_ = !answering;
    setProperty("accountState", state);
    setProperty("offline", offline_);
    setToolTip(offline_ ? QString::fromLatin1(kNoConnect) : Words(state == 3 ? 190 : state == 2 ? 194 : 193));
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), account_);
    painter.drawImage(QPoint(48 + 24 - 24, 12), lamps_[static_cast<std::size_t>(state_ - 1)]);
    if (!offline_) return;
    // A dark plate over the lamp's row with the words in yellow.
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    const QRect plate(0, height() - 15, width(), 15);
    painter.fillRect(plate, QColor(0, 0, 0, 170));
    painter.setPen(QColor(255, 214, 64));
    painter.drawText(plate, Qt::AlignCenter, QString::fromLatin1(kNoConnect));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && click_) click_();
  }

 private:
  std::function<void()> click_;
  QImage account_;
  std::array<QImage, 3> lamps_;
  int state_ = 1;
  bool offline_ = false;
};

// The "World Top Ten" picture beside the account picture.
class WorldTopPicture : public QLabel {
 public:
  WorldTopPicture(std::function<void()> click, QWidget* parent) : QLabel(parent), click_(std::move(click)) {
    setObjectName(QStringLiteral("ImWorldTop"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("World Top Ten"));
    QByteArray gif;
    QImage picture;
    if (LoadGif(QStringLiteral("GTopTen"), QString(), gif)) picture.loadFromData(gif, "GIF");
    if (!picture.isNull()) setPixmap(QPixmap::fromImage(picture.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    setFixedSize(48, 48);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && click_) click_();
  }

 private:
  std::function<void()> click_;
};

void MainWindow::OpenWorldTopTen(int view) {
  PlayEffect("WOpenFo", false);
  if (!online_->ResultsAvailable()) {
    TFormMessage::Tell(this, MessageKind::Warning, Words(154), QStringLiteral("WorldTopUnavailable"));
    return;
  }
  // Views 2 to 4 are kept for the next opening.
  if (view == 3 && world_top_view_ >= 2 && world_top_view_ <= 4) view = world_top_view_;
  const online::TZubUser& user = club_->Data().User;
  online::TFormWorldTop window(*online_, settings_, {user.Nick, user.City}, ProgramFolderPath().toStdString(), view,
                               this);
  window.exec();
  if (window.View() >= 2 && window.View() <= 4) world_top_view_ = window.View();
}

bool MainWindow::PrefillPassportFromAccount() {
  const online::TZubUser& user = club_->Data().User;
  const bool nameless = settings_.Nick.empty() || settings_.Nick == "Incognito";
  if (!nameless || club_->AccountState() <= online::kLoggedOut || user.Nick.empty()) return false;
  // A signed-in member posts and plays under his account, not as a stranger.
  settings_.Nick = user.Nick;
  if (!user.City.empty() && user.City != "#") settings_.City = user.City;
  if (user.Country2.size() == 5) settings_.Country = user.Country2;
  settings_.Sex = user.Sex == 'W' ? "W" : "M";
  return true;
}

void MainWindow::PassportRequested(QWidget* parent) {
  PrefillPassportFromAccount();
  online::TFormPassport::Open(parent != nullptr ? parent : this, settings_);
}

void MainWindow::OfferAccountPassport(TFormChat* chat) {
  if (chat == nullptr || !PrefillPassportFromAccount()) return;
  // The passport window opens over the chat with the account's identity to confirm.
  auto* passport = new online::TFormPassport(settings_, chat);
  passport->setAttribute(Qt::WA_DeleteOnClose);
  passport->setObjectName(QStringLiteral("AccountPassport"));
  QPointer<TFormChat> guard(chat);
  connect(passport, &QDialog::finished, this, [guard] {
    if (guard) guard->PassportChanged();
  });
  passport->open();
  chat->PassportChanged();
}

void MainWindow::FetchLibrary(const QString& file, std::function<void(int)> progress,
                              std::function<void(bool)> done) {
  // Fetched libraries live beside the program's folder, where the loader looks second.
  const QString parent = QDir(ProgramFolderPath()).absoluteFilePath(QStringLiteral(".."));
  online::FetchDownload(*online_, file, QDir::cleanPath(parent), this, std::move(progress),
                        [this, done = std::move(done)](online::DownloadResult result) {
                          // A fetched radio list or radio library may make the radio available.
                          if (result.Ok) RadioInit();
                          done(result.Ok);
                        });
}

void MainWindow::OpenResultWindow(int score) {
  online::TFormWorldResult::Open(this, *online_, settings_, score, !result_window_opened_);
  result_window_opened_ = true;
}

void MainWindow::ShowRatedWait(bool busy) {
  if (rated_wait_ == nullptr) {
    if (!busy) return;
    rated_wait_ = new QLabel(canvas_);
    rated_wait_->setObjectName(QStringLiteral("RatedWait"));
    rated_wait_->setAlignment(Qt::AlignCenter);
    rated_wait_->setStyleSheet(QStringLiteral(
        "QLabel { color: rgb(255,236,160); background: rgba(0,0,0,190); border: 1px solid rgb(236,200,96);"
        " border-radius: 6px; padding: 6px 14px; font-weight: bold; }"));
  }
  rated_wait_->setText(i18n::Text(i18n::WordsGuide, i18n::guide::kServerAnswering));
  rated_wait_->adjustSize();
  rated_wait_->move((canvas_->width() - rated_wait_->width()) / 2, canvas_->height() / 3);
  rated_wait_->setVisible(busy);
  if (busy) rated_wait_->raise();
}

bool MainWindow::RatedGameUnfinished() const {
  return state_.InGame && !state_.GameOver && profile_slot_ == online::kRatedProfileSlot && rated_announced_;
}

void MainWindow::ShowRatedMark(bool shown) {
  if (rated_mark_ == nullptr) {
    if (!shown) return;
    rated_mark_ = new QLabel(canvas_);
    rated_mark_->setObjectName(QStringLiteral("RatedMark"));
    rated_mark_->setAttribute(Qt::WA_TransparentForMouseEvents);
    rated_mark_->setStyleSheet(QStringLiteral(
        "QLabel { color: rgb(255,236,160); background: rgba(90,0,0,200); border: 1px solid rgb(236,200,96);"
        " border-radius: 4px; padding: 2px 10px; font-weight: bold; }"));
  }
  rated_mark_->setText(i18n::Text(i18n::WordsGuide, i18n::guide::kRatedGame));
  rated_mark_->setToolTip(i18n::Text(i18n::WordsGuide, i18n::guide::kRatedSlot));
  rated_mark_->adjustSize();
  rated_mark_->move((canvas_->width() - rated_mark_->width()) / 2, 4);
  rated_mark_->setVisible(shown);
  if (shown) rated_mark_->raise();
}

bool MainWindow::HoldForRatedCall() {
  if (!club_->RatedBusy()) return false;
  PlayEffect("WWrongs", false);
  ShowRatedWait(true);
  return true;
}

void MainWindow::StartOnline(bool reserved_label) {
  connect(club_, &online::OnlineClub::RatedBusyChanged, this, &MainWindow::ShowRatedWait);
  // A server that stops or starts answering shows on the account picture at once.
  connect(online_, &online::OnlineClient::AnsweringChanged, this, [this] {
    if (account_indicator_ != nullptr) ShowAccountIndicator();
  });
  auto login = [this] {
    club_->AutoLogin([this] { ShowAccountIndicator(); });
  };
  auto after_directory = [this, reserved_label, login] {
    // The distribution's own copy neither counts its launch nor writes its settings.
    if (reserved_label) {
      login();
      return;
    }
    club_->CountLaunch(settings_.UniqueStartCounted, [this, login](bool counted) {
      settings_.UniqueStartCounted = counted;
      SaveOptions save;
      save.ClubFilesValid = clubs_valid_;
      SaveSettings(settings_, ProgramFolderPath().toStdString(), save);
      login();
    });
  };
  online_->ReadDirectory(this, after_directory);
}

void MainWindow::OpenWorldStats() {
  PlayEffect("WOpenFo", false);
  online::LikeState like{settings_.LikeSent, settings_.Nick};
  online::TFormStatistic window(
      *online_, like,
      [this]() -> std::optional<std::string> {
        bool ok = false;
        const QString nick = QInputDialog::getText(this, Words(164), Words(164), QLineEdit::Normal, QString(), &ok);
        if (!ok) return std::nullopt;
        return nick.toStdString();
      },
      [this](const std::string& nick) {
        settings_.LikeSent = true;
        settings_.Nick = nick;
        SaveOptions save;
        save.ClubFilesValid = clubs_valid_;
        SaveSettings(settings_, ProgramFolderPath().toStdString(), save);
      },
      this);
  window.exec();
}

void MainWindow::WireOnlinePanel() {
  connect(menu_, &MenuScreen::OnlinePanelClicked, this, &MainWindow::OpenWorldStats);
  // The online panel's items come from the club's server.
  menu_->SetOnlineSource([this](int item, std::function<void(const MenuScreen::OnlinePanelItem&)> show) {
    online::FetchOnlineItem(*online_, item, settings_.LanguageIndex, this,
                            [show = std::move(show)](online::OnlineItem fetched) {
                              show({fetched.Item, fetched.Value, fetched.Suffix, fetched.Hint, fetched.FlagPicture});
                            });
  });
}

void MainWindow::ShowAccountIndicator() {
  if (account_indicator_ == nullptr) {
    account_indicator_ = new AccountIndicator(
        [this] {
          PlayEffect("WOpenFo", false);
          OpenAccountWindow(false);
        },
        canvas_);
  }
  account_indicator_->SetState(club_->AccountState(), online_->ServerAnswering());
  if (world_top_picture_ == nullptr) world_top_picture_ = new WorldTopPicture([this] { OpenWorldTopTen(3); }, canvas_);
  if (menu_ != nullptr) {
    menu_->SetRatedSlot(club_->AccountState() > online::kLoggedOut && !settings_.NetworkMode);
  }
  account_indicator_->move(canvas_->width() - account_indicator_->width() - 8, 8);
  account_indicator_->setVisible(MenuShown());
  account_indicator_->raise();
  world_top_picture_->move(account_indicator_->x() - world_top_picture_->width() - 8, 8);
  world_top_picture_->setVisible(MenuShown());
  world_top_picture_->raise();
}

void MainWindow::OpenAccountWindow(bool rated_choice_allowed) {
  const int state = club_->AccountState();
  const std::string nick = club_->Data().User.Nick;
  online::TFormAccount::Open(this, *club_, rated_choice_allowed, SoundHook());
  ShowAccountIndicator();
  if ((club_->AccountState() != state || club_->Data().User.Nick != nick) && MenuShown() && !rated_choice_allowed)
    ShowMenuScreen();
}

bool MainWindow::RatedSlot(int slot) const {
  return slot == 5 && club_->AccountState() > online::kLoggedOut && !settings_.NetworkMode;
}

void MainWindow::StartRatedGame() {
  rated_announced_ = false;
  rated_in_progress_ = false;
  OpenAccountWindow(true);
  if (club_->AccountState() != online::kRatedNext) {
    ShowAccountIndicator();
    return;
  }
  // The announcement runs on the event loop; the menu stays live meanwhile.
  club_->AnnounceRatedGame([this] { PlayEffect("WWrongs", false); },
                           [this](bool announced) {
                             rated_announced_ = announced;
                             if (!announced) {
                               TFormMessage::Tell(this, MessageKind::Warning, Words(188),
                                                  QStringLiteral("RatedAnnounce"));
                               club_->SetAccountState(online::kLoggedOut);
                               ShowAccountIndicator();
                               ShowMenuScreen();
                               return;
                             }
                             rated_in_progress_ = true;
                             const online::TZubGame& game = club_->Data().Game;
                             ClubMember player;
                             player.Empty = false;
                             player.Games = game.Kon;
                             player.CycleScore = game.Score;
                             player.Rating = game.Rating;
                             if (account_indicator_ != nullptr) account_indicator_->hide();
                             StartGame(online::kRatedProfileSlot, player, club_->Data().User.Nick);
                           });
}

void MainWindow::FinishRatedGame(std::function<void()> then) {
  if (!rated_announced_) {
    rated_in_progress_ = false;
    if (then) then();
    return;
  }
  const online::FinishedRatedGame game{state_.HumanResult, state_.ProfileScoreAfter};
  club_->SaveRatedResult(game, [this, game, then = std::move(then)](bool saved, bool cycle_end) mutable {
    if (!saved) {
      if (TFormMessage::Ask(this, Words(188) + QLatin1Char('\n') + Words(189), QStringLiteral("RatedRepeat"))) {
        FinishRatedGame(std::move(then));
        return;
      }
    }
    rated_announced_ = false;
    rated_in_progress_ = false;
    if (saved && cycle_end) WriteRatedCycle(game.ProfileScoreAfter);
    if (club_->AccountState() == online::kRatedNext) club_->SetAccountState(online::kLoggedIn);
    ShowAccountIndicator();
    if (then) then();
  });
}

void MainWindow::WriteRatedCycle(int score) {
  club_->WriteCycleEntry(score, [this, score](std::optional<int> place) {
    if (!place) {
      if (TFormMessage::Ask(this, Words(156) + QLatin1Char('\n') + Words(189), QStringLiteral("RatedCycleRepeat")))
        WriteRatedCycle(score);
      return;
    }
    rated_cycle_place_ = *place;
    Q_EMIT RatedCycleWritten(*place, score);
    TFormEndMatch::Open(this, *place, score, FinishedGameKind::OnlineRated, settings_, SoundHookOf());
  });
}

online::SendGameStats MainWindow::GameStatistics() const {
  online::SendGameStats stats;
  const TableMode& mode = engine_.Mode();
  if (!mode.NetGame && !mode.TourGame) {
    stats.R[0] = 1;
    stats.R[1] = state_.KonNo % 25 == 0 ? 1 : 0;
    if (state_.HumanResult > 0) stats.R[2] = state_.HumanResult;
    if (state_.HumanResult < 0) stats.R[3] = -state_.HumanResult;
  } else if (mode.NetGame && mode.NetPos == 1) {
    stats.R[4] = online::kRatedGameCount;
  }
  return stats;
}

}  // namespace varnok
