// Game records at the main window: every step of the game on the table is
// recorded; the popup saves the game so far, opens a saved record in the
// viewer, and switches the records kept beside the history; "Deal again"
// starts a game against the computer from a recorded round's deck.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

#include "form_game_record.h"
#include "game_controller.h"
#include "guide_rows.h"
#include "history_file.h"
#include "main_window.h"
#include "net_session.h"
#include "table_access.h"
#include "words.h"

namespace varnok {

namespace {

QString Guide(int row) { return i18n::Text(i18n::WordsGuide, row); }

}  // namespace

void MainWindow::AddRecordEntries() {
  popup_->addSeparator();
  save_record_action_ = popup_->addAction(QString());
  save_record_action_->setObjectName(QStringLiteral("SaveRecord"));
  connect(save_record_action_, &QAction::triggered, this, &MainWindow::SaveGameRecordAs);
  open_record_action_ = popup_->addAction(QString());
  open_record_action_->setObjectName(QStringLiteral("OpenRecord"));
  connect(open_record_action_, &QAction::triggered, this, &MainWindow::OpenGameRecordAs);
  keep_records_action_ = popup_->addAction(QString());
  keep_records_action_->setObjectName(QStringLiteral("KeepRecords"));
  keep_records_action_->setCheckable(true);
  connect(keep_records_action_, &QAction::triggered, this, [this](bool on) {
    GuideOptions options = guide_;
    options.KeepRecords = on;
    SetGuideOptions(options);
  });
  connect(popup_, &QMenu::aboutToShow, this,
          [this] { save_record_action_->setEnabled(game_record_.HasGame()); });
  ListenToMoves();
}

void MainWindow::RetitleRecordEntries() {
  if (save_record_action_ == nullptr) return;
  save_record_action_->setText(Guide(i18n::guide::kSaveRecord));
  open_record_action_->setText(Guide(i18n::guide::kOpenRecord));
  keep_records_action_->setText(Guide(i18n::guide::kKeepRecords));
  keep_records_action_->setChecked(guide_.KeepRecords);
  if (table_access_ != nullptr) table_access_->SetAnnouncementsName(Guide(i18n::guide::kAnnouncements));
}

void MainWindow::ListenToMoves() {
  engine_.SetMoveListener([this](const Move& move) {
    game_record_.Observe(move, state_, engine_.Mode(), engine_.Options(),
                         move.kind == Move::Kind::NewGame ? RecordDateNow() : std::string());
    AnnounceMove(move);
    if (session_) session_->LocalMove(move);
  });
}

QString MainWindow::GameRecordFolderPath() const {
  return QString::fromStdString(GameRecordFolder(ProgramFolderPath().toStdString()).string());
}

bool MainWindow::SaveGameRecordTo(const QString& path) {
  const std::optional<GameRecord> record = game_record_.Record();
  const bool saved = record && !record->Rounds.empty() && SaveGameRecord(path.toStdString(), *record);
  auto* box = new QMessageBox(saved ? QMessageBox::Information : QMessageBox::Warning,
                              Guide(i18n::guide::kRecordCaption),
                              Guide(saved ? i18n::guide::kRecordSaved : i18n::guide::kRecordNotSaved), QMessageBox::Ok,
                              this);
  box->setObjectName(QStringLiteral("RecordSavedNotice"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
  return saved;
}

void MainWindow::SaveGameRecordAs() {
  if (!game_record_.HasGame()) return;
  QDir().mkpath(GameRecordFolderPath());
  auto* dialog = new QFileDialog(this, Guide(i18n::guide::kSaveRecord), GameRecordFolderPath(),
                                 QStringLiteral("*.txt"));
  dialog->setObjectName(QStringLiteral("SaveRecordDialog"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("txt"));
  dialog->selectFile(QStringLiteral("Varnok ") +
                     QString::fromStdString(game_record_.Record()->Date).replace(QLatin1Char(':'), QLatin1Char('-')) +
                     QStringLiteral(".txt"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { SaveGameRecordTo(path); });
  dialog->open();
}

void MainWindow::OpenGameRecordAs() {
  auto* dialog = new QFileDialog(this, Guide(i18n::guide::kOpenRecord), GameRecordFolderPath(),
                                 QStringLiteral("*.txt"));
  dialog->setObjectName(QStringLiteral("OpenRecordDialog"));
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { OpenGameRecordFile(path); });
  dialog->open();
}

TFormGameRecord* MainWindow::OpenGameRecordFile(const QString& path) {
  return TFormGameRecord::Open(this, path, settings_, SoundHookOf(), [this](const DeckOrder& deck) { DealAgain(deck); });
}

void MainWindow::DealAgain(const DeckOrder& deck) {
  // A network or rated game is not left for it.
  if (session_ || rated_in_progress_) return;
  const auto start = [this, deck] {
    if (title_shown_) LeaveTitle();
    engine_.SetNextDeck(deck);
    StartGame(6, ClubMember{}, settings_.PlayerName.empty() ? std::string("Player") : settings_.PlayerName);
  };
  if (!state_.InGame) {
    start();
    return;
  }
  // The game on the table is left first (the player is asked), then the new one is dealt.
  if (ExitToMenu()) game_->Input(start);
}

void MainWindow::KeepGameRecord(const std::string& history_body) {
  if (!guide_.KeepRecords || !game_record_.HasGame()) return;
  const std::filesystem::path path = GameRecordPathFor(ProgramFolderPath().toStdString(), history_body);
  if (!SaveGameRecord(path, *game_record_.Record()))
    qWarning("the game record could not be kept as %s", path.string().c_str());
}

}  // namespace varnok
