// The menu screen, the player window, and a game's life in the records: the
// member plays with his game number and score, and the end of the game
// writes his new line, the history and, after 25 games, the end of the match.
#include <QAction>
#include <QMenu>
#include <QTimer>

#include "chat_bar.h"
#include "chat_news.h"
#include "form_end_match.h"
#include "form_history.h"
#include "form_message.h"
#include "form_password.h"
#include "form_top_ten.h"
#include "history_file.h"
#include "main_window.h"
#include "game_controller.h"
#include "form_wait.h"
#include "menu_screen.h"
#include "net_session.h"
#include "player_checks.h"
#include "online_club.h"
#include "rating.h"
#include "seats.h"
#include "sound_player.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

SoundHook MainWindow::SoundHookOf() {
  return [this](const QString& name) { PlayEffect(name.toStdString(), false); };
}

bool MainWindow::MenuShown() const { return menu_ != nullptr && menu_->Shown(); }

std::string MainWindow::ClubFileName() const { return settings_.NetworkMode ? "Varnok.net" : "Varnok.clb"; }

void MainWindow::WireMenu() {
  // Made when first needed, after the title screen is on the screen.
  if (menu_ != nullptr) return;
  chat_ = new ChatBar(canvas_, [this](const QString& name) { PlayEffect(name.toStdString(), false); });
  connect(chat_, &ChatBar::Send, this, [this](const QString& text) {
    if (!session_) return;
    session_->SendChat(text);
    chat_->AddLine(3, QString::fromStdString(state_.Names[3]), text);
  });
  connect(chat_, &ChatBar::DebugToggled, this, [this] { presenter_->SetDebugView(!presenter_->DebugView()); });
  menu_ = new MenuScreen(canvas_, [this](const QString& name) { PlayEffect(name.toStdString(), false); });
  WireOnlinePanel();
  connect(menu_, &MenuScreen::MemberClicked, this, &MainWindow::OpenPlayerWindow);
  connect(menu_, &MenuScreen::NewPlayerClicked, this, [this] { OpenPlayerWindow(6); });
  connect(menu_, &MenuScreen::TopTenClicked, this,
          [this] { TFormTopTen::Open(this, clubs_.CurrentPath(), settings_, SoundHookOf()); });
  connect(menu_, &MenuScreen::HistoryClicked, this, [this] {
    TFormHistory::Open(this, ProgramFolderPath(), QString::fromStdString(ClubFileName()), settings_, SoundHookOf(),
                      [this](const QString& path) { OpenGameRecordFile(path); });
  });
  connect(menu_, &MenuScreen::OptionsClicked, this, [this] { TFormOptions::Open(this, settings_, *this, SoundHookOf()); });
  connect(menu_, &MenuScreen::ExitClicked, this, &QWidget::close);
  connect(menu_, &MenuScreen::ViewToggled, this, [this](int view) { settings_.ClubListView = view; });
  connect(menu_, &MenuScreen::TitleColourChanged, this, [this](int colour) { settings_.TitleColour = colour; });
  connect(menu_, &MenuScreen::NewsClicked, chat_news_, &ChatNews::OpenNews);
  connect(menu_, &MenuScreen::ChatClicked, chat_news_, &ChatNews::OpenChat);
  connect(menu_, &MenuScreen::RadioClicked, this, &MainWindow::RadioToggle);
  connect(menu_, &MenuScreen::RadioRightClicked, this, &MainWindow::OpenRadioWindow);
  // The calendar timer of the chat and news checks turns the calendar strip too.
  connect(chat_news_, &ChatNews::CalendarTurned, menu_, &MenuScreen::TurnCalendar);
}

void MainWindow::ShowMenuScreen() {
  WireMenu();
  const bool entered = !MenuShown();
  ShowRoundBalloon(false);
  chat_->Show(false);
  presenter_->HideTable();
  next_button_->hide();
  pass_button_->hide();
  gen_count_action_->setEnabled(false);
  quit_action_->setEnabled(false);
  change_name_action_->setEnabled(false);
  engine_timer_.setInterval(kTimerMenuMs);
  clubs_.SetNetworkMode(settings_.NetworkMode);
  MenuInputs inputs;
  inputs.layout = canvas_->Layout();
  inputs.clubView = settings_.ClubListView;
  inputs.titleColour = settings_.TitleColour;
  inputs.menuDesign = settings_.MenuDesign;
  inputs.animated = settings_.GifAnimation;
  inputs.networkMode = settings_.NetworkMode;
  inputs.clubFile = QString::fromStdString(clubs_.CurrentPath().string());
  inputs.language = settings_.LanguageIndex;
  inputs.calendarShown = true;
  menu_->Show(inputs);
  ShowRatedMark(false);
  PlacePlayerButtons();
  ShowRadioBadge();
  // The background checks of the chat board and the news run from the first
  // drawing of the menu on; coming from the title or a game they run at once.
  chat_news_->MenuDrawn(entered);
  menu_->ShowBadges(chat_news_->NewsFlag(), chat_news_->ChatFlag());
  ShowAccountIndicator();
}

PlayerWindowSetup MainWindow::PlayerWindowLook() const {
  PlayerWindowSetup look;
  look.purple = settings_.PurpleWindows;
  look.grayDesign = settings_.AuxWindowDesign;
  look.animate = settings_.GifAnimation;
  return look;
}

void MainWindow::FallBackToGrayWindows() {
  settings_.PurpleWindows = false;
  settings_.AuxWindowDesign = 2;
}

void MainWindow::TakeProfile(const ClubMember& player) {
  member_ = player;
  if (player.Empty) engine_.SetProfile(1, 0);
  else engine_.SetProfile(player.Games + 1, player.CycleScore);
}

void MainWindow::OpenPlayerWindow(int slot) {
  // No game starts over a rated call that is still on its way.
  if (HoldForRatedCall()) return;
  // While the online account is signed in, the fifth slot starts a rated game.
  if (RatedSlot(slot)) {
    StartRatedGame();
    return;
  }
  PlayerWindowSetup setup = PlayerWindowLook();
  setup.slot = slot;
  if (slot >= 1 && slot <= 5) {
    const std::optional<ClubMember> member = clubs_.ReadMember(slot);
    if (!member || member->Empty) return;
    setup.member = *member;
  }
  setup.clubFile = clubs_.CurrentPath();
  setup.network = settings_.NetworkMode;
  setup.lastName = settings_.PlayerName;
  setup.lastAddress = settings_.ServerAddress;
  setup.lastPort = settings_.ServerPort;
  setup.startNetwork = [this](const NetworkChoice& choice) { return StartNetwork(choice); };
  // The address the internet sees comes from the club's server, on the event loop.
  setup.readExternalIp = [this](QObject* context, std::function<void(QString)> done) {
    online_->ReadExternalIp(context, std::move(done));
  };
  const PlayerWindowResult result = TFormPassword::Open(this, setup, SoundHookOf());
  settings_.PlayerName = result.lastName;
  if (!result.lastAddress.empty()) settings_.ServerAddress = result.lastAddress;
  if (!result.lastPort.empty()) settings_.ServerPort = result.lastPort;
  if (result.designFellBack) FallBackToGrayWindows();
  if (!result.confirmed) return;
  if (session_) {
    // The session has dealt (or waits for the server's deal): the table is on.
    profile_slot_ = result.slot;
    member_ = result.player;
    return;
  }
  StartGame(result.slot, result.player, result.name);
}

bool MainWindow::StartNetwork(const NetworkChoice& choice) {
  // The player window checks the port as it is typed; one that comes here
  // unchecked is refused with the same message.
  const QString port_text = QString::fromStdString(choice.port.empty() ? "25666" : choice.port);
  if (!PortValid(port_text)) {
    ShowRecordMessage(i18n::Text(i18n::WordsMain, kRowIncorrectPort));
    return false;
  }
  const auto port = static_cast<quint16>(port_text.toInt());
  WireMenu();
  EndSession();
  interrupted_ = false;
  session_ = std::make_unique<netsession::NetSession>(state_, engine_, game_->EnginePresenter(), &computers_);
  netsession::NetSession& session = *session_;
  session.SetPlayerName(choice.name);
  session.SetKeepAfter100(settings_.KeepAfter100);
  if (options_.skip_pauses) session.SetPauses({0, 0, 0, 0});
  engine_.SetOptions(EngineOptionsOf(settings_));
  engine_.SetPlayerName(choice.name);
  // The player's game number and score go with him into the network game.
  TakeProfile(choice.player);
  profile_slot_ = member_.Empty ? 6 : profile_slot_;
  ListenToMoves();
  connect(&session, &netsession::NetSession::GameBegins, this, [this] {
    menu_->Hide();
    PlacePlayerButtons();
    sound_->StopMusic();
    presenter_->SetDebugView(false);
    chat_->Place(canvas_->Layout());
    chat_->Clear();
    chat_->Show(true);
    if (session_ && !session_->IsServer() && session_->WaitingFirstDeal()) {
      // Until the server deals: "Expectation of the server..." over its hand.
      presenter_->ShowWaiting(net::RelativeSeat(1, session_->NetPos()), i18n::Text(i18n::WordsMain, 103));
    }
  });
  connect(&session, &netsession::NetSession::ChatEnabled, chat_, &ChatBar::SetEnabled);
  connect(&session, &netsession::NetSession::ChatLine, this, [this](int seat, const QString& text) {
    const std::string& name = seat >= 1 && seat <= 3 ? state_.Names[seat] : std::string();
    chat_->Receive(seat, QString::fromStdString(name), text);
  });
  connect(&session, &netsession::NetSession::Interrupted, this, &MainWindow::OnNetworkInterrupted);
  connect(&session, &netsession::NetSession::Logged, this,
          [](const QString& line) { qInfo("network: %s", qPrintable(line)); });
  if (choice.server) {
    if (!session.StartServer(port)) {
      ShowRecordMessage(session.ErrorText());
      EndSession();
      return false;
    }
  } else {
    session.StartClient(QString::fromStdString(choice.address), port);
  }
  netsession::TFormWait wait(session, this);
  wait.setObjectName(QStringLiteral("TFormWait"));
  wait.Begin();
  PlayEffect("WOpenFo", false);
  if (wait.exec() != QDialog::Accepted) {
    EndSession();
    return false;
  }
  PlayEffect("WToMenK", false);
  return true;
}

void MainWindow::EndSession() {
  if (!session_) return;
  session_->Leave();
  // The session may be the sender of the signal being handled.
  session_.release()->deleteLater();
}

void MainWindow::OnNetworkInterrupted(const QString& message) {
  if (!state_.InGame) {
    EndSession();
    return;
  }
  interrupted_ = true;
  SaveRoundRecording(state_.GameOver);
  TFormMessage box(MessageKind::Warning, message, this);
  box.setObjectName(QStringLiteral("Interrupted"));
  // The way back to the menu does not wait for the box to be read.
  QTimer::singleShot(0, &box, [&box] { box.show(); });
  // The partner is gone whatever the table still shows: it is left now.
  game_->Abort();
  game_->Input([this] { engine_.LeaveTable(); });
  box.exec();
}

void MainWindow::StartGame(int slot, const ClubMember& player, const std::string& name) {
  menu_->Hide();
  ShowRatedMark(slot == online::kRatedProfileSlot);
  PlacePlayerButtons();
  ShowAccountIndicator();
  sound_->StopMusic();
  profile_slot_ = slot;
  presenter_->SetDebugView(false);
  TableMode mode;
  mode.ProfileSlot = slot;
  engine_.SetMode(mode);
  game_->ApplyComputerLevel();
  engine_.SetOptions(EngineOptionsOf(settings_));
  engine_.SetPlayerName(name);
  TakeProfile(player);
  if (resuming_) sheet_.Restore(std::move(resumed_sheet_));
  else sheet_.Reset();
  resuming_ = false;
  resumed_sheet_.clear();
  game_->Input([this] { engine_.Apply(Move::NewGame()); });
}

void MainWindow::ShowRecordMessage(const QString& text) {
  if (text.isEmpty()) return;
  TFormMessage::Tell(this, MessageKind::Warning, text, QStringLiteral("RecordMessage"));
}

void MainWindow::RecordFinishedGame() {
  EndSession();
  const int score = state_.HumanResult;
  const bool rated = profile_slot_ == online::kRatedProfileSlot;
  const int account_state = rated ? online::kRatedNext : club_->AccountState() == online::kRatedNext ? 2 : club_->AccountState();
  // A rated game belongs to the online account, not to a member of the club file.
  ClubUpdateResult club;
  double rating = 0.0;
  if (rated) {
    rating = online::ResultRating(std::max(1, club_->Data().Game.Kon + 1), score, online::kAnnouncePenalty,
                                  online::kRatingDivisor,
                                  online::AnnounceRating(club_->Data().Game.Kon + 1, online::kRatedGameCount,
                                                         online::kAnnouncePenalty, online::kRatingDivisor,
                                                         club_->Data().Game.Rating));
  } else {
    const ClubMember after = member_.Empty ? member_ : MemberAfterGame(member_, score);
    club = clubs_.FinishGame(profile_slot_, member_, score);
    if (club.MessageRow >= 0) ShowRecordMessage(i18n::Text(i18n::WordsMain, club.MessageRow));
    rating = after.Empty ? 0.0 : after.Rating;
  }

  const HisStr record = HistoryRecordOf(state_, engine_.Mode(), account_state, state_.Names[3], rating);
  // The game's record is named after its history line: one stamp for both.
  const HistoryStamp stamp = LocalHistoryStamp();
  HistoryOptions history_options;
  history_options.Now = [stamp] { return stamp; };
  const HistoryWriteResult history =
      WriteHistory(ProgramFolderPath().toStdString(), ClubFileName(), {record}, history_options);
  if (!history.Message.empty()) ShowRecordMessage(QString::fromStdString(history.Message));
  if (history.Status == HistoryWrite::Written) KeepGameRecord(HistoryBody(record, stamp));

  // The online steps: the rated result, then the game's statistics (taken
  // now, posted once the result has been saved).
  const online::SendGameStats stats = GameStatistics();
  auto post_statistics = [this, stats] { online_->Run(stats, this, [](bool) {}); };
  if (rated) FinishRatedGame(post_statistics);
  else post_statistics();

  if (!rated && state_.KonNo % kGamesPerCycle == 0) {
    const FinishedGameKind kind = settings_.NetworkMode ? FinishedGameKind::Network : FinishedGameKind::Local;
    TFormEndMatch::Open(this, club.Place, state_.ProfileScoreAfter, kind, settings_, SoundHookOf());
    // A cycle against the computer may go to the world table.
    if (!engine_.Mode().NetGame && !engine_.Mode().TourGame) OpenResultWindow(state_.ProfileScoreAfter);
  }
}

void MainWindow::RecordLeftGame() {
  const bool interrupted = interrupted_;
  interrupted_ = false;
  EndSession();
  // A kept game goes on at the next start: its member stays in the club.
  if (keeping_) {
    keeping_ = false;
    return;
  }
  // A partner's leaving ends the game without the player's doing.
  if (interrupted) return;
  // An abandoned rated game keeps its announced charge on the server.
  if (profile_slot_ == online::kRatedProfileSlot) {
    rated_announced_ = false;
    rated_in_progress_ = false;
    if (club_->AccountState() == online::kRatedNext) club_->SetAccountState(online::kLoggedIn);
    return;
  }
  // Leaving a game early drops the club member who played it.
  const ClubUpdateResult club = clubs_.RemoveMember(profile_slot_);
  if (club.MessageRow >= 0) ShowRecordMessage(i18n::Text(i18n::WordsMain, club.MessageRow));
}

void MainWindow::RenameCurrentPlayer() {
  if (!state_.InGame) return;
  RenameSetup setup;
  setup.slot = profile_slot_;
  setup.member = member_;
  setup.clubFile = clubs_.CurrentPath();
  setup.clubWritable = clubs_.Writable();
  setup.network = settings_.NetworkMode;
  setup.currentName = state_.Names[3];
  setup.look = PlayerWindowLook();
  const RenameOutcome outcome = RenamePlayer(this, setup, SoundHookOf());
  if (!outcome.changed) return;
  member_ = outcome.player;
  state_.Names[3] = outcome.name;
  engine_.SetPlayerName(outcome.name);
  presenter_->ShowBubble(3, BubbleStyle::Name, UiText::Plain(outcome.name));
}

// --- the options window's changes ----------------------------------------------

void MainWindow::LanguageChanged() {
  ApplyOptions();
  RetitlePopupMenu();
  RetitleGuideEntries();
  UpdateStatusLine();
  if (MenuShown()) ShowMenuScreen();
}

void MainWindow::WindowSizeChanged() {
  ApplyWindowSize(settings_.WindowMode);
  if (MenuShown() || !state_.InGame) ShowMenuScreen();
}

void MainWindow::CardsChanged() {
  ApplyOptions();
  if (state_.InGame) presenter_->RedrawAll();
}

void MainWindow::FontsChanged() {
  ApplyOptions();
  PlaceTableButtons();
  if (MenuShown()) ShowMenuScreen();
}

void MainWindow::BackgroundChanged() {
  LoadBackground();
  if (state_.InGame) presenter_->RedrawAll();
  if (MenuShown()) ShowMenuScreen();
}

void MainWindow::SoundChanged() { sound_->SetEffectsOn(settings_.Sound); }

void MainWindow::MusicChanged() {
  sound_->SetMusicOn(settings_.Music);
  if (settings_.Music && !state_.InGame) sound_->PlayMusic();
  else sound_->StopMusic();
}

void MainWindow::SpeedChanged() { presenter_->SetSpeed(settings_.CardSpeed); }

void MainWindow::OtherChanged() {
  engine_.SetOptions(EngineOptionsOf(settings_));
  // The station list's source may have changed.
  if (radio_list_from_server_ != settings_.RadioListFromServer) {
    radio_list_from_server_ = settings_.RadioListFromServer;
    RadioInit();
  }
  // The radio window stays open beside the options: it takes their design at once.
  if (radio_window_ != nullptr) radio_window_->SetLook(RadioWindowLook());
}

}  // namespace varnok
