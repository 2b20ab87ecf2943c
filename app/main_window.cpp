#include "main_window.h"

#include <QCloseEvent>
#include <filesystem>
#include <QFontMetrics>
#include <QLabel>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "address_cipher.h"
#include "chat_bar.h"
#include "chat_news.h"
#include "control_fonts.h"
#include "fonts.h"
#include "form_link.h"
#include "form_message.h"
#include "form_zakaz.h"
#include "game_controller.h"
#include "guide_rows.h"
#include "loader.h"
#include "frame_grab.h"
#include "menu_screen.h"
#include "net_session.h"
#include "online_client.h"
#include "online_club.h"
#include "card_pictures.h"
#include "recording_notice.h"
#include "salute.h"
#include "names.h"
#include "sound_player.h"
#include "startup_report.h"
#include "text_file.h"
#include "status_drawing.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

// The control font, made smaller (or the caption set on two lines) where a
// long caption ("To distribute cards") would not fit the button.
void FitCaption(TZubCardsButton* button, const LayoutState& layout) {
  FitCaptionToButton(button, MainButtonFont(layout), button->text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

}  // namespace

MainWindow::MainWindow(const WindowOptions& options, QWidget* parent)
    : QMainWindow(parent),
      options_(options),
      canvas_(new TableCanvas(this)),
      game_(new GameController(*canvas_, *this, this)),
      state_(game_->State()),
      presenter_(&game_->Table()),
      engine_(game_->GameEngine()),
      computers_(game_->Computers()),
      sound_(std::make_unique<SoundPlayer>()),
      clubs_(ProgramFolderPath().toStdString()) {
  if (!options_.program_folder.isEmpty()) SetProgramFolder(options_.program_folder);
  if (options_.silent) sound_->SetSilentForTests(true);
  online_ = new online::OnlineClient(this);
  club_ = new online::OnlineClub(*online_, ProgramFolderPath().toStdString(), this);
  sound_->SetMessageCallback([this](const QString& text) {
    TFormMessage::Tell(this, MessageKind::Warning, text, QStringLiteral("MusicFile"));
  });
  setWindowTitle(QString::fromUtf8(i18n::kProgramTitle));
  setCentralWidget(canvas_);

  game_->SetLocalSeat(this, [this](const QString& name) {
    PlayEffect(name.toStdString(), false);
    // A game dialog opens: the status line leaves the talking to it.
    UpdateStatusLine();
  });
  // Once the table has shown a step: the status line, the score sheet, the
  // newcomer's going on.
  connect(game_, &GameController::Idle, this, &MainWindow::AfterStep);
  // A faulty card request is written down beside the program; only the last one is kept.
  engine_.SetFaultListener([this](const std::string& record) {
    const std::filesystem::path path = std::filesystem::path(ProgramFolderPath().toStdString()) / kDiagnosticFile;
    if (!WriteFileBytes(path, record)) qWarning("the diagnostic file %s could not be written", path.c_str());
  });

  next_button_ = new TZubCardsButton(canvas_);
  next_button_->setObjectName(QStringLiteral("Button7"));
  pass_button_ = new TZubCardsButton(canvas_);
  pass_button_->setObjectName(QStringLiteral("Button8"));
  for (TZubCardsButton* b : {next_button_, pass_button_}) {
    b->hide();
    b->setFocusPolicy(Qt::NoFocus);
    // A button that cannot be pressed now says so with a silver caption.
    b->SetGrayDis(true);
  }
  connect(next_button_, &QPushButton::clicked, this, [this] { game_->Input([this] { engine_.PressNext(); }, 7); });
  connect(pass_button_, &QPushButton::clicked, this, [this] { game_->Input([this] { engine_.PressPass(); }, 8); });

  connect(canvas_, &TableCanvas::LeftClicked, this, &MainWindow::OnLeftClick);
  connect(canvas_, &TableCanvas::RightClicked, this, &MainWindow::OnRightClick);
  connect(canvas_, &TableCanvas::MouseMoved, this, &MainWindow::OnMouseMove);
  connect(canvas_, &TableCanvas::KeyPressed, this, [this] {
    if (title_shown_) LeaveTitle();
  });

  BuildPopupMenu();
  WireChatAndNews();
  WireMedia();
  WireTableAccess();
  WireTableKeys();
  AddGuideEntries();
  RetitleGuideEntries();
  auto_timer_.setSingleShot(true);
  connect(&auto_timer_, &QTimer::timeout, this, &MainWindow::AutoContinueNow);

  if (StartupReportWanted()) {
    // The start-up measurement: the first frame, then the memory at the title screen.
    connect(canvas_, &TableCanvas::FirstPainted, this, [this] {
      ReportFirstPaint();
      QTimer::singleShot(1500, this, [] {
        ReportResidentMemory();
        QCoreApplication::quit();
      });
    });
  }

  engine_timer_.setInterval(kTimerMenuMs);
  connect(&engine_timer_, &QTimer::timeout, this, &MainWindow::OnEngineTimer);
  music_watch_timer_.setInterval(55);
  connect(&music_watch_timer_, &QTimer::timeout, this, &MainWindow::OnMusicWatch);

  // The title screen at the design size; the chosen window size applies when
  // the title is left.
  setFixedSize(kTableWidth, kTableHeight);
  PlaceTitle();
  PlaceTableButtons();
  PlaceStatusLine();
  LoadBackground();
  ShowTitle();
}

MainWindow::~MainWindow() {
  // The game's table draws on the canvas: it goes first.
  delete game_;
  game_ = nullptr;
}

bool MainWindow::Busy() const { return game_->Busy(); }

QString MainWindow::ProgramFolderPath() const {
  return options_.program_folder.isEmpty() ? QCoreApplication::applicationDirPath() : options_.program_folder;
}

// --- start-up and close ---------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (started_) return;
  started_ = true;
  // The rest of the start-up runs once the first frame is on the screen.
  QTimer::singleShot(0, this, &MainWindow::StartUp);
}

void MainWindow::StartUp() {
  const LoadedSettings loaded = LoadSettings(ProgramFolderPath().toStdString());
  settings_ = loaded.Values;
  // The last step of reading the settings: the service addresses (the
  // service directory follows once the club files have been checked).
  // An empty address in the file leaves the built-in one in force.
  if (settings_.ResultsService.empty()) settings_.ResultsService = BuiltInResultsService();
  if (settings_.StatsService.empty()) settings_.StatsService = BuiltInStatsService();
  online_->Addresses().Results = settings_.ResultsService;
  online_->Addresses().Stats = settings_.StatsService;
  i18n::SetLanguage(settings_.LanguageIndex);
  // Another copy running in the same folder owns its files: this one writes
  // nothing (two writers would wipe the club file) and ends with its message.
  folder_lock_ = std::make_unique<FolderLock>(ProgramFolderPath().toStdString());
  if (folder_lock_->InUse()) {
    clubs_valid_ = false;  // the options are not written on closing either
    TFormMessage::Tell(this, MessageKind::Error, QString::fromLatin1(kFolderInUse.data(), static_cast<qsizetype>(kFolderInUse.size())),
                       QStringLiteral("FolderInUse"));
    close();
    return;
  }
  // The club files are checked before anything else runs; a missing or
  // tampered file ends the program with its message.
  const ClubFiles::Startup check =
      clubs_.CheckAtStart([](int row) { return i18n::Text(i18n::WordsMain, row).toStdString(); });
  if (check.Stop) {
    clubs_valid_ = false;
    for (const std::string& text : check.Messages)
      TFormMessage::Tell(this, MessageKind::Error, QString::fromStdString(text), QStringLiteral("ClubCheck"));
    close();
    return;
  }
  for (const std::string& text : check.Messages)
    TFormMessage::Tell(this, MessageKind::Error, QString::fromStdString(text), QStringLiteral("ClubCheck"));
  // A club file made for Russian players starts the program in Russian.
  if (check.RussianLanguage) settings_.LanguageIndex = i18n::kRussian;
  clubs_.SetNetworkMode(settings_.NetworkMode);
  guide_ = LoadGuideOptions(ProgramFolderPath().toStdString());
  ApplyOptions();
  RetitlePopupMenu();
  RetitleGuideEntries();
  // Unless this is the distribution's own copy, the options are written at
  // once (a fresh file gets every line).
  if (!check.ReservedLabel()) {
    SaveOptions save;
    SaveSettings(settings_, ProgramFolderPath().toStdString(), save);
  }
  // The directory (whenever the server can be asked: a missing or short
  // settings file leaves the built-in addresses, which it may replace), the
  // launch count and the automatic login run on the event loop while the
  // title is shown.
  StartOnline(check.ReservedLabel());
  LoadBackground();  // the title stays on it
  sound_->PrepareMusic();
  if (settings_.Music) sound_->PlayMusic();
  // The songs of the music folder and the radio's station list, on the event loop.
  LoadPlaylist();
  RadioInit();
  // The title has nothing to animate: the 20 ms timer starts when it is left.
  if (!title_shown_) engine_timer_.start();
  // The song is watched by its own timer on the title only: on the menu the
  // lights' tick watches it, and in a game nothing restarts it.
  if (title_shown_) music_watch_timer_.start();
}

void MainWindow::ApplyOptions() {
  i18n::FontSettings fonts;
  for (std::size_t kind = 0; kind < fonts.size(); ++kind) {
    fonts[kind].face = QString::fromStdString(settings_.Fonts[kind].Name);
    fonts[kind].scale = settings_.Fonts[kind].Scale;
  }
  i18n::SetFontSettings(fonts);
  i18n::SetLanguage(settings_.LanguageIndex);  // installs the font stand-ins of the language too
  setWindowTitle(QString::fromUtf8(i18n::kProgramTitle));
  sound_->SetEffectsOn(settings_.Sound);
  sound_->SetMusicOn(settings_.Music);
  engine_.SetOptions(EngineOptionsOf(settings_));
  TableLook look;
  look.face_design = settings_.CardDesign;
  look.back_design = settings_.BackDesign;
  look.speed = settings_.CardSpeed;
  look.show_cards_at_end = settings_.ShowCardsAtEnd;
  look.always_one = settings_.Backs == BackChoice::AlwaysOne;
  presenter_->SetLook(look);
  // A design whose library lacks the pictures of the card set falls back to the classic one.
  if (presenter_->Look().face_design != settings_.CardDesign) settings_.CardDesign = presenter_->Look().face_design;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (state_.InGame) {
    // A game against the computer is kept to be continued, when that is
    // chosen; else leaving it is confirmed as ever.
    const QString question = i18n::Text(i18n::WordsGuide, RatedGameUnfinished() ? i18n::guide::kRatedLeave
                                                                                 : i18n::guide::kLeaveGame);
    if (!(CanKeepGame() && KeepGame()) &&
        !TFormMessage::Ask(this, question, QStringLiteral("ConfirmLeave"))) {
      event->ignore();
      return;
    }
    // Whatever the table still had to show is dropped, a flight ends where it is.
    game_->Abort();
    SaveRoundRecording(state_.GameOver);
    game_->Input([this] { engine_.LeaveTable(); });
  }
  game_->Abort();
  auto_timer_.stop();
  engine_timer_.stop();
  music_watch_timer_.stop();
  chat_news_->StopCalendar();
  StopMediaAtClose();
  sound_->RemoveMusicFile();
  // The directory may have moved the results and statistics services.
  settings_.ResultsService = online_->Addresses().Results;
  settings_.StatsService = online_->Addresses().Stats;
  SaveOptions save;
  save.ClubFilesValid = clubs_valid_;
  if (clubs_valid_ && SaveSettings(settings_, ProgramFolderPath().toStdString(), save) == SaveResult::Failed) {
    TFormMessage::Tell(this, MessageKind::Error, i18n::Text(i18n::WordsMain, 96),  // "Can`t save options!"
                       QStringLiteral("SaveOptions"));
  }
  event->accept();
}

// --- window size and pictures ----------------------------------------------

void MainWindow::ApplyWindowSize(int mode) {
  if (!IsWindowMode(mode)) mode = kSmallWindow;
  QSize area;
  if (mode == kFullScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 760, 500);
    const int frame = frameGeometry().height() - geometry().height();
    area = QSize(available.width(), available.height() - std::max(frame, 0));
  }
  const LayoutState layout = LayoutForMode(mode, area);
  presenter_->PlaceLayers(layout);
  LoadBackground();
  setFixedSize(layout.WindowW, layout.WindowH);
  if (mode == kFullScreen) {
    move(0, 0);
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    // Centred on the screen by its client area, as the title was placed
    // before its frame was known: the window does not move when the title
    // is left.
    const QRect available = screen->availableGeometry();
    const QSize outer = size();
    move(available.left() + RoundHalfEven((available.width() - outer.width()) / 2.0),
         available.top() + RoundHalfEven((available.height() - outer.height()) / 2.0));
  }
  PlaceTableButtons();
  PlaceStatusLine();
  PlacePlayerButtons();
  // The game's dialogs grow with the table.
  SetDialogScale(layout.ScaleK);
  if (chat_ != nullptr && chat_->Shown()) chat_->Place(layout);
  if (state_.InGame) {
    presenter_->RedrawAll();
  }
  UpdateStatusLine();
}

void MainWindow::PlaceTitle() {
  // The title stands where the window will stay: centred on the screen as
  // the chosen window size will be, or at the top left for the full screen.
  const int mode = LoadSettings(ProgramFolderPath().toStdString()).Values.WindowMode;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (mode == kFullScreen || screen == nullptr) {
    move(0, 0);
    return;
  }
  const QRect available = screen->availableGeometry();
  const QSize outer = size();
  move(available.left() + RoundHalfEven((available.width() - outer.width()) / 2.0),
       available.top() + RoundHalfEven((available.height() - outer.height()) / 2.0));
}

void MainWindow::LoadBackground() {
  const LayoutState& layout = canvas_->Layout();
  const int mode = layout.WindowMode;
  if (settings_.TableDesign == 1 && LoadPurpleBackground()) return;
  const std::string name = BackgroundName(settings_.BackgroundPicture, settings_.BackgroundColour, mode);
  // The same picture at the same size is on the table already.
  const std::string key = name + '/' + std::to_string(layout.WindowW) + 'x' + std::to_string(layout.WindowH);
  if (key == background_ && canvas_->Background().size() == QSize(layout.WindowW, layout.WindowH)) return;
  background_ = key;
  QImage picture;
  const std::string library = BackgroundLibrary(settings_.BackgroundPicture, settings_.BackgroundColour);
  if (name.empty() || !LoadJpeg(QString::fromStdString(name), QString::fromStdString(library), picture)) {
    LoadJpeg(mode == kSmallWindow ? QStringLiteral("FonG") : QStringLiteral("FonGB"), QString(), picture);
  }
  canvas_->SetBackground(picture);
}

void MainWindow::StartSalute() {
  const SaluteChoice choice = SaluteFor(state_.HumanResult, settings_.SaluteButtons, settings_.SaluteCards,
                                        LibraryPresent(QString::fromLatin1(kGraphicsLibrary)));
  if (!choice.Any()) return;
  std::vector<QImage> cards;
  for (int slot = 1; slot <= 8; ++slot) {
    const TCard card = state_.SavedHands[3][slot];
    if (!card.IsEmpty()) cards.push_back(presenter_->Pictures().Face(card));
  }
  std::vector<QRect> buttons;
  for (const QWidget* button : {static_cast<QWidget*>(next_button_), static_cast<QWidget*>(pass_button_)})
    if (button->isVisible()) buttons.push_back(button->geometry());
  if (salute_ != nullptr) salute_->deleteLater();
  salute_ = new SaluteOverlay(canvas_, choice, std::move(buttons), std::move(cards));
}

bool MainWindow::LoadPurpleBackground() {
  const LayoutState& layout = canvas_->Layout();
  const std::string key = "BGLilu/" + std::to_string(layout.WindowW) + 'x' + std::to_string(layout.WindowH);
  if (key == background_ && canvas_->Background().size() == QSize(layout.WindowW, layout.WindowH)) return true;
  QImage lilac;
  if (LoadJpeg(QStringLiteral("BGLilu"), QString::fromLatin1(kGraphicsLibrary), lilac) && !lilac.isNull()) {
    background_ = key;
    canvas_->SetBackground(lilac);  // stretched to the window's size
    return true;
  }
  // Without the graphics library the purple designs are switched off, with a
  // notice once the window is up, and the chosen background is taken.
  settings_.TableDesign = 0;
  settings_.MenuDesign = 0;
  if (settings_.PurpleWindows) FallBackToGrayWindows();
  const QString text = i18n::Text(i18n::WordsMain, 93) + QLatin1Char(' ') + QString::fromLatin1(kGraphicsLibrary);
  QTimer::singleShot(0, this, [this, text] { ShowNotice(this, text); });
  return false;
}

void MainWindow::PlaceTableButtons() {
  const LayoutState& s = canvas_->Layout();
  // The two table buttons sit at the bottom left, clear of the hands.
  next_button_->setGeometry(ScaleX(s, 10, 132), ScaleY(s, 402, 40), ScaleLen(s, 132), ScaleLen(s, 40));
  pass_button_->setGeometry(ScaleX(s, 10, 132), ScaleY(s, 448, 40), ScaleLen(s, 132), ScaleLen(s, 40));
  ApplyControlFonts(this, s);
  FitCaption(next_button_, s);
  FitCaption(pass_button_, s);
}

// --- title screen and the start of a game -----------------------------------

void MainWindow::ShowTitle() {
  title_shown_ = true;
  PlacePlayerButtons();
  presenter_->HideTable();
  next_button_->hide();
  pass_button_->hide();
  QImage title;
  LoadPng(QStringLiteral("GTitle"), QString(), title);
  if (title.isNull()) {
    canvas_->SetOverlay(QImage(), QPoint());
    return;
  }
  const LayoutState& s = canvas_->Layout();
  const QSize size(ScaleLen(s, 600), ScaleLen(s, 180));
  const QImage scaled = title.size() == size ? title : title.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  canvas_->SetOverlay(scaled, QPoint((s.WindowW - size.width()) / 2, (s.WindowH - size.height()) / 2));
}

void MainWindow::LeaveTitle() {
  if (!title_shown_ || !started_ || !clubs_valid_) return;
  title_shown_ = false;
  music_watch_timer_.stop();
  canvas_->SetOverlay(QImage(), QPoint());
  ApplyWindowSize(settings_.WindowMode);
  RadioAfterTitle();
  chat_action_->setEnabled(true);
  ShowMenuScreen();
  engine_timer_.start();
  // An unfinished game kept at the last run is offered once the menu is up.
  QTimer::singleShot(0, this, &MainWindow::OfferKeptGame);
}

// --- timers ---------------------------------------------------------------

void MainWindow::OnEngineTimer() {
  if (MenuShown()) {
    menu_->Tick();
    // Every third tick (60 ms) watches the song, as the title's own 55 ms
    // timer does: one timer fewer waking the program while the menu shows.
    if (++menu_ticks_ % kMenuTicksPerMusicWatch == 0) OnMusicWatch();
    return;
  }
  if (state_.InGame) game_->Tick();
}

void MainWindow::OnMusicWatch() {
  if ((title_shown_ || MenuShown()) && settings_.Music) sound_->RestartMusicIfStopped();
}

// --- TableHost --------------------------------------------------------------

int MainWindow::PlayEffect(const std::string& name, bool wait) {
  return sound_->PlayEffect(QString::fromStdString(name), wait);
}


void MainWindow::SetTableButton(TableButton button, bool visible, bool enabled, const QString& caption) {
  TZubCardsButton* b = button == TableButton::Next ? next_button_ : pass_button_;
  b->setText(caption);
  FitCaption(b, canvas_->Layout());
  b->setEnabled(enabled);
  b->setVisible(visible);
  UpdateStatusLine();
}

void MainWindow::EnableTableButton(TableButton button, bool enabled) {
  (button == TableButton::Next ? next_button_ : pass_button_)->setEnabled(enabled);
  UpdateStatusLine();
}

void MainWindow::SetEngineTimer(int interval_ms, bool running) {
  engine_timer_.setInterval(options_.fast_timer_ms > 0 ? options_.fast_timer_ms : interval_ms);
  // The window's timer always runs; the engine's own flag says whether a tick does anything.
  (void)running;
}

void MainWindow::EnableGameMenu(bool enabled) {
  gen_count_action_->setEnabled(enabled);
  quit_action_->setEnabled(enabled);
  change_name_action_->setEnabled(enabled && !engine_.Mode().NetGame && !engine_.Mode().TourGame);
}

void MainWindow::ShowScoreWindow() {
  // The round that ends the game is filmed to its end as well.
  if (state_.GameOver) SaveRoundRecording(true);
  if (state_.GameOver) StartSalute();
  ShowGeneralScore(false);
}

void MainWindow::TableLeft(bool finished) {
  setWindowTitle(QString::fromUtf8(i18n::kProgramTitle));
  next_button_->hide();
  pass_button_->hide();
  auto_timer_.stop();
  if (status_line_ != nullptr) status_line_->hide();
  if (finished) RecordFinishedGame();
  else RecordLeftGame();
  ShowMenuScreen();
  if (settings_.Music) sound_->PlayMusic();
}

void MainWindow::ShowDebugCaption(const QString& text) {
  setWindowTitle(text.isEmpty() ? QString::fromUtf8(i18n::kProgramTitle) : text);
}

void MainWindow::SetRoundHint(int kon_no, int cycle) {
  kon_no_ = kon_no;
  cycle_ = cycle;
}

// --- recording rounds ---------------------------------------------------------

void MainWindow::RoundStarted() {
  if (!settings_.SaveGames) return;
  recorder_.SetSettings({settings_.SaveGames, settings_.GifCapture, settings_.GifDelay});
  recorder_.SetFrameSource([this](int capture) {
    return capture == 1 ? canvas_->grab().toImage() : recording::GrabMainWindow(*this, capture);
  });
  recorder_.StartRecording();
}

void MainWindow::RoundFinished() { SaveRoundRecording(true); }

void MainWindow::SaveRoundRecording(bool final_frame) {
  if (!recorder_.IsRecording()) return;
  if (final_frame) {
    canvas_->repaint();
    recorder_.CaptureFromSource(recording::FrameKind::Final);
  }
  const QSize client = canvas_->size();
  const QRect place = recording::RecordingNoticeRect(client);
  canvas_->SetOverlay(recording::DrawRecordingNotice(canvas_->Screen().copy(place)), place.topLeft());
  canvas_->repaint(place);
  const recording::SaveResult saved = recorder_.SaveRecording(ProgramFolderPath());
  canvas_->SetOverlay(QImage(), QPoint());
  canvas_->repaint(place);
  // A recording that could not be written is said, not lost in silence.
  if (!saved.ok() && !saved.message.isEmpty()) ShowRecordMessage(saved.message);
}

}  // namespace varnok
