// The game's main window: the title screen, and the table where a game
// against the computer is played. It reads the options when it is first
// shown and writes them when it closes.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "club_file.h"
#include "computer_players.h"
#include "engine.h"
#include "folder_lock.h"
#include "form_options.h"
#include "form_password.h"
#include "form_radio.h"
#include "game_record.h"
#include "game_state.h"
#include "guide_file.h"
#include "score_sheet.h"
#include "dialog_look.h"
#include "input_rules.h"
#include "round_recorder.h"
#include "salute.h"
#include "settings.h"
#include "table_host.h"

class QAction;
class QLabel;
class QMenu;

namespace varnok {

class ChatBar;
class GameController;
class ChatNews;
namespace netsession {
class NetSession;
}
class MenuScreen;
class SoundPlayer;
class TableCanvas;
class TablePresenter;
class TFormGameRecord;
namespace access {
class TableAccess;
struct Item;
}
class TZubCardsButton;

// How the window is run: the program folder holds the options file and the
// resource libraries; tests make the window silent and skip the pauses.
struct WindowOptions {
  QString program_folder;  // "" = the folder of the executable
  bool silent = false;
  bool skip_pauses = false;
  int fast_timer_ms = 0;  // > 0: the engine's timer ticks at this interval
  // Test hooks of the chat board and the news: > 0 shortens the calendar
  // timer of the background checks (10000 ms) and the chat window's refresh
  // (15000 ms); a marker folder other than "" holds "ZubChatZub.ini" and
  // "ZubNewsZub.ini" instead of the parent of the program folder.
  int calendar_timer_ms = 0;
  int chat_refresh_ms = 0;
  QString marker_folder;
};

namespace media {
class MusicPlayer;
class MusicPlayerButtons;
class Radio;
}

namespace online {
class OnlineClient;
class OnlineClub;
struct SendGameStats;
}
class AccountIndicator;
class TFormChat;
class WorldTopPicture;

class MainWindow : public QMainWindow, public TableHost, public OptionsListener {
  Q_OBJECT

 public:
  static constexpr int kTableWidth = 760;
  static constexpr int kTableHeight = 500;

  explicit MainWindow(const WindowOptions& options = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  const Settings& Options() const { return settings_; }
  Settings& MutableOptions() { return settings_; }
  online::OnlineClient& Online() { return *online_; }
  online::OnlineClub& Club() { return *club_; }
  bool RatedInProgress() const { return rated_in_progress_; }
  // The "please wait" plate of a pending rated call (null until first shown).
  QLabel* RatedWaitPlate() const { return rated_wait_; }
  // The table's "Rated game" plate (null until a rated game has started).
  QLabel* RatedMark() const { return rated_mark_; }
  const GameState& State() const { return state_; }
  Engine& GameEngine() { return engine_; }
  GameController& Game() { return *game_; }
  // The table still plays steps (flights, pauses, sounds) or the local
  // player has a game dialog open: input waits.
  bool Busy() const;
  TableCanvas* Canvas() const { return canvas_; }
  TablePresenter& Presenter() { return *presenter_; }
  SoundPlayer& Sound() { return *sound_; }
  bool TitleShown() const { return title_shown_; }
  bool MenuShown() const;
  MenuScreen* Menu() const { return menu_; }
  // The club files of this run (the one in use follows the network mode).
  const ClubFiles& Clubs() const { return clubs_; }
  int ProfileSlot() const { return profile_slot_; }
  // The network game of this window, while one runs.
  netsession::NetSession* Session() const { return session_.get(); }
  ChatBar* Chat() const { return chat_; }
  TZubCardsButton* Button7() const { return next_button_; }
  TZubCardsButton* Button8() const { return pass_button_; }
  // The salute of the game just won, while it runs (else nullptr).
  SaluteOverlay* Salute() const { return salute_.data(); }
  QMenu* PopupMenu() const { return popup_; }
  QAction* ExitToMenuAction() const { return quit_action_; }
  // The chat board and the news: background checks, badges, chat window.
  ChatNews& ChatAndNews() { return *chat_news_; }
  QAction* ChatAction() const { return chat_action_; }
  // The music player of the server's songs and the internet radio
  // (main_window_media.cpp).
  media::MusicPlayer& Player() { return *music_player_; }
  media::MusicPlayerButtons& PlayerButtons() { return *player_buttons_; }
  // Shows the player's buttons where they belong now (the menu's row, or the
  // table's column) when the player has songs and the window is large enough.
  void PlacePlayerButtons();
  media::Radio& InternetRadio() { return *radio_; }
  QAction* RadioAction() const { return radio_action_; }
  TFormRadio* RadioWindow() const { return radio_window_; }
  // Reads the playlist of the music folder; the player becomes available
  // with more than four songs. `done` follows (tests).
  void LoadPlaylist(std::function<void()> done = {});
  // Decides whether the radio is available (fetching the server's station
  // list first when that is the choice) and reads its state file.
  void RadioInit(std::function<void()> done = {});
  // The badge's left click and the popup's "Radio".
  void RadioToggle();
  void OpenRadioWindow();
  // The options' auxiliary window design, for the radio window.
  RadioLook RadioWindowLook() const;

 Q_SIGNALS:
  // A rated cycle's score took its place in the account players' table.
  void RatedCycleWritten(int place, int score);

 public:

  // Leaves the title screen (a click or a key) for the menu.
  void LeaveTitle();
  // The menu screen, after the title and after every game.
  void ShowMenuScreen();
  // Opens the player window for a club slot 1..5 or a new player (6) and
  // starts the game when it is confirmed.
  void OpenPlayerWindow(int slot);
  // Sets the window size mode 1..5 and redraws everything.
  void ApplyWindowSize(int mode);
  // The popup entry "Exit to menu": asks first; true when the table was left.
  bool ExitToMenu();

  // The newcomer's aids: the status line over the table, the options of
  // going on without "Ok" and of keeping an unfinished game (saved at once
  // in their own file), and the score sheet of the game on the table.
  QLabel* StatusLine() const { return status_line_; }
  QString StatusLineText() const;
  const GuideOptions& GuideChoices() const { return guide_; }
  void SetGuideOptions(const GuideOptions& options);
  const ScoreSheet& Sheet() const { return sheet_; }
  void OpenScoreSheet();

  // Game records (main_window_records.cpp): the record of the game on the
  // table (or of the last one), saved, opened in the viewer, dealt again.
  const GameRecorder& Recording() const { return game_record_; }
  bool SaveGameRecordTo(const QString& path);
  TFormGameRecord* OpenGameRecordFile(const QString& path);
  void DealAgain(const DeckOrder& deck);
  QString GameRecordFolderPath() const;
  // The table for a screen reader (main_window_access.cpp): its drawn parts
  // and the announcements of the game's steps.
  access::TableAccess* TableAccessibility() const { return table_access_; }
  // The hand slot under the keyboard cursor (0 when none) and its frame.
  int KeyCursorSlot() const { return key_slot_; }
  QWidget* KeyCursor() const { return key_mark_; }
  std::vector<access::Item> AccessItems() const;

  // TableHost
  int PlayEffect(const std::string& name, bool wait) override;
  void SetTableButton(TableButton button, bool visible, bool enabled, const QString& caption) override;
  void EnableTableButton(TableButton button, bool enabled) override;
  void SetEngineTimer(int interval_ms, bool running) override;
  void EnableGameMenu(bool enabled) override;
  void ShowScoreWindow() override;
  void TableLeft(bool finished) override;
  void ShowDebugCaption(const QString& text) override;
  void SetRoundHint(int kon_no, int cycle) override;
  bool SkipPauses() const override { return options_.skip_pauses; }
  void RoundStarted() override;
  void RoundFinished() override;
  recording::RoundRecorder& Recorder() { return recorder_; }

  // OptionsListener: what the options window changed takes effect at once.
  void LanguageChanged() override;
  void WindowSizeChanged() override;
  void CardsChanged() override;
  void FontsChanged() override;
  void BackgroundChanged() override;
  void SoundChanged() override;
  void MusicChanged() override;
  void SpeedChanged() override;
  void OtherChanged() override;
  void PassportRequested(QWidget* parent) override;
  // A nameless passport ("Incognito") takes the signed-in account's nick,
  // city, country and sex; true when it did.
  bool PrefillPassportFromAccount();
  // The chat window has opened: a nameless passport of a signed-in member is
  // filled from the account and shown to be confirmed.
  void OfferAccountPassport(TFormChat* chat);
  void FetchLibrary(const QString& file, std::function<void(int)> progress, std::function<void(bool)> done) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void StartUp();
  void ApplyOptions();
  void ShowTitle();
  void StartGame(int slot, const ClubMember& player, const std::string& name);
  // The player's game number and score go into the game: a member plays his
  // next game of the series, a new player starts at game 1 with 0.
  void TakeProfile(const ClubMember& player);
  // The purple windows could not be drawn: the gray aristocratic design
  // serves for the rest of the run.
  void FallBackToGrayWindows();
  // The look of the player window from the options.
  PlayerWindowSetup PlayerWindowLook() const;
  void WireMenu();
  void RecordFinishedGame();
  void RecordLeftGame();
  // The online club (main_window_online.cpp).
  void StartOnline(bool reserved_label);
  void ShowAccountIndicator();
  void WireOnlinePanel();
  void OpenWorldStats();
  void OpenWorldTopTen(int view);
  void OpenResultWindow(int score);
  void OpenAccountWindow(bool rated_choice_allowed);
  bool RatedSlot(int slot) const;
  void StartRatedGame();
  // Saves the rated result (asking to repeat a failed save); `then` follows
  // once the save has ended either way.
  void FinishRatedGame(std::function<void()> then);
  void WriteRatedCycle(int score);
  // The "please wait" plate while a rated call is on its way to the server.
  void ShowRatedWait(bool busy);
  // Refuses a game start while a rated call is pending (true: wait).
  bool HoldForRatedCall();
  // A rated game is on the table and not yet over (leaving it keeps its -2000).
  bool RatedGameUnfinished() const;
  // The table's "Rated game" plate.
  void ShowRatedMark(bool shown);
  // The game statistics of the game just finished, as posted to the statistics service.
  online::SendGameStats GameStatistics() const;
  // Network mode: starts the server or joins one and waits in the wait
  // window; true when the game has begun.
  bool StartNetwork(const NetworkChoice& choice);
  void OnNetworkInterrupted(const QString& message);
  void EndSession();
  void ShowRecordMessage(const QString& text);
  void RenameCurrentPlayer();
  std::string ClubFileName() const;
  SoundHook SoundHookOf();
  void LoadBackground();
  // The purple table design's background "BGLilu" from the graphics library;
  // false (the purple designs switched off, a notice) when it is missing.
  bool LoadPurpleBackground();
  // The salute of a won game, as the options choose it.
  void StartSalute();
  // Places the title screen where the window of the chosen size will stand.
  void PlaceTitle();
  void PlaceTableButtons();
  void BuildPopupMenu();
  // The popup entries in the current language.
  void RetitlePopupMenu();
  void OnEngineTimer();
  void OnMusicWatch();
  void OnLeftClick(QPoint at);
  void OnRightClick(QPoint at);
  void OnMouseMove(QPoint at);
  void ShowGeneralScore(bool with_sound);
  // Writes the running round recording, with its notice on the table; with
  // `final_frame` the table as it is now is its last picture.
  void SaveRoundRecording(bool final_frame);
  void OpenSpeedWindow();
  void ShowHelpFile(bool book);
  bool Confirm(const QString& first, const QString& second);
  void SetCursorKind(CursorKind kind);
  void ShowRoundBalloon(bool shown);
  QString ProgramFolderPath() const;
  void WireChatAndNews();
  // The music player and the radio (main_window_media.cpp).
  void WireMedia();
  void ShowRadioBadge();
  void RadioNotice();
  void RadioAfterTitle();
  // Once the title has been left: plays the station of a radio left on.
  void StartRadioAfterTitle();
  void StopMediaAtClose();
  QString RadioStateFolder() const;
  // The newcomer's aids (main_window_guide.cpp).
  void AddGuideEntries();
  void RetitleGuideEntries();
  void AfterStep();
  void PlaceStatusLine();
  void UpdateStatusLine();
  void NoteRefusedCard(int slot);
  bool AutoContinueDue() const;
  void ScheduleAutoContinue();
  void AutoContinueNow();
  bool CanKeepGame() const;
  bool KeepGame();
  void OfferKeptGame();
  // Game records (main_window_records.cpp).
  void AddRecordEntries();
  void RetitleRecordEntries();
  void ListenToMoves();
  void SaveGameRecordAs();
  void OpenGameRecordAs();
  // Keeps the finished game's record under the name of its history line.
  void KeepGameRecord(const std::string& history_body);
  void WireTableAccess();
  // Playing the table from the keyboard (main_window_keys.cpp).
  void WireTableKeys();
  bool TableKey(int key);
  bool CardWanted() const;
  void PlayKeyCard(int slot);
  void PlaceKeyMark();
  void AnnounceMove(const Move& move);

  WindowOptions options_;
  Settings settings_;
  TableCanvas* canvas_ = nullptr;
  // The game: its state, the engine, the seats and the queue of steps.
  GameController* game_ = nullptr;
  GameState& state_;
  TablePresenter* presenter_ = nullptr;
  Engine& engine_;
  ai::ComputerSeats& computers_;
  std::unique_ptr<SoundPlayer> sound_;
  TZubCardsButton* next_button_ = nullptr;
  QPointer<SaluteOverlay> salute_;  // the salute of a won game while it runs
  TZubCardsButton* pass_button_ = nullptr;
  QTimer engine_timer_;       // Timer1: the engine's tick (menu lights, bids, cards)
  QTimer music_watch_timer_;  // Timer2: restarts the title's song when it has stopped
  static constexpr int kMenuTicksPerMusicWatch = 3;
  int menu_ticks_ = 0;        // on the menu the song is watched every third tick
  QMenu* popup_ = nullptr;
  QAction* gen_count_action_ = nullptr;
  QAction* quit_action_ = nullptr;
  QAction* change_name_action_ = nullptr;
  QAction* chat_action_ = nullptr;
  ChatNews* chat_news_ = nullptr;
  MenuScreen* menu_ = nullptr;
  ChatBar* chat_ = nullptr;
  QLabel* balloon_ = nullptr;  // over the round panel while the mouse is on it
  recording::RoundRecorder recorder_;
  std::unique_ptr<netsession::NetSession> session_;
  // The club's server: its addresses, availability flags and calls.
  online::OnlineClient* online_ = nullptr;
  // The signed-in club account and the rated game under way.
  online::OnlineClub* club_ = nullptr;
  AccountIndicator* account_indicator_ = nullptr;
  WorldTopPicture* world_top_picture_ = nullptr;
  int world_top_view_ = 3;
  bool result_window_opened_ = false;  // in this run
  bool rated_announced_ = false;
  bool rated_in_progress_ = false;
  int rated_cycle_place_ = 0;
  QLabel* rated_wait_ = nullptr;
  QLabel* rated_mark_ = nullptr;
  bool interrupted_ = false;
  ClubFiles clubs_;
  bool clubs_valid_ = true;
  // The program folder's files, held for this copy's run (taken at start-up).
  std::unique_ptr<FolderLock> folder_lock_;
  ClubMember member_;  // the player as read when the game started
  int profile_slot_ = 6;
  bool started_ = false;
  bool title_shown_ = true;
  std::string background_;  // the background picture on the table: name and window mode
  int kon_no_ = 1;
  int cycle_ = 25;
  CursorKind cursor_ = CursorKind::Arrow;
  // The newcomer's aids.
  GuideOptions guide_;
  QLabel* status_line_ = nullptr;
  QString refusal_;         // why the last card was refused...
  GameState refused_state_; // ...shown while the game stands as it was then
  ScoreSheet sheet_;
  QTimer auto_timer_;
  QAction* sheet_action_ = nullptr;
  QAction* auto_action_ = nullptr;
  QAction* keep_action_ = nullptr;
  bool kept_offered_ = false;
  GameRecorder game_record_;
  QAction* save_record_action_ = nullptr;
  QAction* open_record_action_ = nullptr;
  QAction* keep_records_action_ = nullptr;
  access::TableAccess* table_access_ = nullptr;
  QWidget* key_mark_ = nullptr;  // the frame round the card under the keyboard cursor
  int key_slot_ = 0;             // that card's hand slot (0: none yet)
  GameState announce_before_;
  bool keeping_ = false;    // the game being left is kept: nobody is dropped
  bool resuming_ = false;
  std::vector<SheetRound> resumed_sheet_;
  // The music player and the radio.
  media::MusicPlayer* music_player_ = nullptr;
  media::MusicPlayerButtons* player_buttons_ = nullptr;
  media::Radio* radio_ = nullptr;
  QTimer player_timer_;
  QAction* radio_action_ = nullptr;
  QPointer<TFormRadio> radio_window_;
  bool radio_list_from_server_ = true;  // the source RadioInit read last
};

}  // namespace varnok
