// The main window's music player (the songs of the club server's music
// folder, three picture buttons) and internet radio (the badge, the popup
// entry "Radio", the radio window). The menu music, the player and the
// radio never sound at once: whichever starts silences the others.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "form_message.h"
#include "form_radio.h"
#include "layout.h"
#include "library_download.h"
#include "main_window.h"
#include "menu_screen.h"
#include "music_player.h"
#include "music_player_buttons.h"
#include "online_client.h"
#include "radio.h"
#include "sound_player.h"
#include "table_canvas.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowRadio = 611, kRowRadioCaption = 612, kRowCantFind = 613;
constexpr int kPlayerTimerMs = 500;

}  // namespace

void MainWindow::WireMedia() {
  music_player_ = new media::MusicPlayer(this);
  player_buttons_ = new media::MusicPlayerButtons(*music_player_, canvas_);
  radio_ = new media::Radio(this);

  // A song of the player starts: the radio goes off and the menu music stops.
  connect(music_player_, &media::MusicPlayer::Starting, this, [this] {
    sound_->StopMusic();
    if (radio_->On()) {
      radio_->Toggle();
      ShowRadioBadge();
      if (radio_window_) radio_window_->close();
    }
  });
  connect(music_player_, &media::MusicPlayer::Changed, this, [this] {
    // The player stopped: the menu music may come back on the title and menu screens.
    if (!music_player_->Playing() && !radio_->On() && settings_.Music && (title_shown_ || MenuShown()))
      sound_->PlayMusic();
  });
  // A station starts: the player and the menu music stop.
  connect(radio_, &media::Radio::Starting, this, [this] {
    music_player_->Stop();
    sound_->StopMusic();
  });
  connect(radio_, &media::Radio::Changed, this, [this] {
    ShowRadioBadge();
    if (!radio_->On() && !music_player_->Playing() && settings_.Music && (title_shown_ || MenuShown()))
      sound_->PlayMusic();
  });
  // The menu music waits while a song or a station plays.
  sound_->SetMusicHeld([this] { return music_player_->Playing() || (radio_->On() && !title_shown_); });

  player_timer_.setInterval(kPlayerTimerMs);
  connect(&player_timer_, &QTimer::timeout, music_player_, &media::MusicPlayer::Poll);

  // "Radio" opens the window once the title screen has been left.
  radio_action_ = new QAction(popup_);
  radio_action_->setObjectName(QStringLiteral("MRadio"));
  QAction* before = nullptr;
  for (QAction* action : popup_->actions())
    if (action->objectName() == QLatin1String("MChat")) before = action;
  popup_->insertAction(before, radio_action_);
  radio_action_->setText(i18n::Text(i18n::WordsGames, kRowRadio));
  radio_action_->setEnabled(false);
  connect(radio_action_, &QAction::triggered, this, &MainWindow::OpenRadioWindow);
}

QString MainWindow::RadioStateFolder() const {
  if (!options_.marker_folder.isEmpty()) return options_.marker_folder;
  return QFileInfo(QDir::cleanPath(QDir(ProgramFolderPath()).absolutePath())).absolutePath();
}

void MainWindow::LoadPlaylist(std::function<void()> done) {
  const QString folder = online_->MusicFolder();
  online_->ReadPlaylist(this, [this, folder, done = std::move(done)](std::optional<QString> text) {
    // Any failure leaves the player without songs.
    music_player_->SetPlaylist(text ? media::ParsePlaylist(*text, folder) : std::vector<media::Song>{});
    if (music_player_->Available()) player_timer_.start();
    PlacePlayerButtons();
    if (done) done();
  });
}

void MainWindow::PlacePlayerButtons() {
  if (player_buttons_ == nullptr) return;
  const LayoutState& layout = canvas_->Layout();
  const bool shown = media::PlayerButtonsShown(music_player_->Available(), layout.ScaleK, title_shown_);
  if (!title_shown_ && !MenuShown()) {
    // On the table the row would cover "Pass": the buttons stand one above
    // the other at the left edge, over the two table buttons and clear of
    // the seats' panels.
    player_buttons_->PlaceColumn(media::kPlayerButtonX[0], next_button_->y() - ScaleLen(layout, 4), shown);
    return;
  }
  player_buttons_->Place(layout.WindowH, shown);
}

void MainWindow::RadioInit(std::function<void()> done) {
  // Reading the state file again must not lose what was chosen in this run.
  if (radio_->Available() && !radio_->Save())
    qInfo("Radio: the state file \"%s\" could not be written", qPrintable(radio_->StatePath()));
  media::RadioFiles files;
  files.ProgramFolder = ProgramFolderPath();
  files.StateFolder = RadioStateFolder();
  files.FromServer = settings_.RadioListFromServer;
  radio_list_from_server_ = files.FromServer;
  if (!files.FromServer || !media::RadioLibraryFound(files.ProgramFolder)) {
    radio_->Init(files);
    StartRadioAfterTitle();
    if (done) done();
    return;
  }
  // The server's list comes through the checked download into the state folder.
  online::FetchDownload(*online_, QString::fromLatin1(media::kRadioServerList), files.StateFolder, this, {},
                        [this, files, done = std::move(done)](online::DownloadResult result) mutable {
                          if (!result.Ok) qInfo("Radio: the station list was not fetched: %s", qPrintable(result.Why));
                          files.ServerListFetched = result.Ok;
                          radio_->Init(files);
                          // A list that arrives after the title was left starts the radio left on.
                          StartRadioAfterTitle();
                          if (done) done();
                        });
}

void MainWindow::RadioNotice() {
  // "Can`t find ZubRadio.rad + ZubRadio02.dll"
  TFormMessage::Tell(this, MessageKind::Warning,
                     i18n::Text(i18n::WordsGames, kRowCantFind) + QString::fromLatin1(media::kRadioDiskList) +
                         QStringLiteral(" + ") + QString::fromLatin1(media::kRadioLibrary),
                     QStringLiteral("RadioMissing"));
}

void MainWindow::RadioToggle() {
  if (!radio_->Toggle()) {
    RadioNotice();
    return;
  }
  if (radio_window_) radio_window_->close();  // its switch would show the old state
  ShowRadioBadge();
}

void MainWindow::OpenRadioWindow() {
  if (!radio_->Available()) {
    RadioNotice();
    return;
  }
  if (radio_window_) {
    radio_window_->raise();
    radio_window_->activateWindow();
    return;
  }
  RadioWindowSetup setup;
  setup.Radio = radio_;
  setup.Language = settings_.LanguageIndex;
  setup.BadgeChanged = [this] { ShowRadioBadge(); };
  setup.Sound = SoundHookOf();
  setup.Look = RadioWindowLook();
  setup.FallBackToGrayAristocratic = [this] { FallBackToGrayWindows(); };
  radio_window_ = new TFormRadio(std::move(setup), this);
  radio_window_->setAttribute(Qt::WA_DeleteOnClose);
  radio_window_->show();
}

RadioLook MainWindow::RadioWindowLook() const {
  RadioLook look;
  look.Purple = settings_.PurpleWindows;
  look.GrayDesign = settings_.AuxWindowDesign;
  look.NewButtons = settings_.NewButtons;
  return look;
}

void MainWindow::ShowRadioBadge() {
  if (menu_ == nullptr || radio_ == nullptr) return;
  using Badge = MenuScreen::RadioBadge;
  const Badge state = !radio_->Available() || !radio_->StationChosen() ? Badge::NoStation
                      : radio_->On()                                    ? Badge::On
                                                                        : Badge::Off;
  const QString hint = radio_->StationChosen()
                           ? media::RadioHint(i18n::Text(i18n::WordsGames, kRowRadioCaption), radio_->State().Station)
                           : i18n::Text(i18n::WordsGames, kRowRadio);
  menu_->SetRadioBadge(state, hint);
}

void MainWindow::RadioAfterTitle() {
  radio_action_->setEnabled(true);
  StartRadioAfterTitle();
  PlacePlayerButtons();
}

void MainWindow::StartRadioAfterTitle() {
  if (title_shown_ || !radio_->Available() || !radio_->On() || radio_->Stream().Playing()) return;
  // The radio takes over from the menu music.
  sound_->StopMusic();
  radio_->StartIfOn();
}

void MainWindow::StopMediaAtClose() {
  player_timer_.stop();
  music_player_->Stop();
  radio_->Silence();
  // Only a state that was read is written back: an unavailable radio (a
  // list not fetched this time) must not wipe the stored station.
  if (radio_->Available() && !radio_->Save())
    qInfo("Radio: the state file \"%s\" could not be written", qPrintable(radio_->StatePath()));
}

}  // namespace varnok
