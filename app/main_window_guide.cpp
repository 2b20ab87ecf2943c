// The newcomer's aids on the table: the status line, going on without "Ok",
// the score sheet, and keeping an unfinished game against the computer to
// continue it at the next start.
#include <QAction>
#include <QLabel>
#include <QMenu>

#include "form_message.h"
#include "fonts.h"
#include "guide_rows.h"
#include "main_window.h"
#include "game_controller.h"
#include "net_session.h"
#include "score_sheet.h"
#include "status_line.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

QString Guide(int row) { return i18n::Text(i18n::WordsGuide, row); }

bool Usable(const QPushButton* b) { return b->isVisible() && b->isEnabled(); }

// The status line's box in design pixels: right of the table, under seat 2's
// panel, where nothing else is drawn.
constexpr QRect kStatusDesign(502, 246, 248, 116);

}  // namespace

// --- options --------------------------------------------------------------

void MainWindow::SetGuideOptions(const GuideOptions& options) {
  guide_ = options;
  if (auto_action_ != nullptr) auto_action_->setChecked(guide_.AutoContinue);
  if (keep_action_ != nullptr) keep_action_->setChecked(guide_.KeepGame);
  if (keep_records_action_ != nullptr) keep_records_action_->setChecked(guide_.KeepRecords);
  if (!SaveGuideOptions(ProgramFolderPath().toStdString(), guide_)) {
    TFormMessage::Tell(this, MessageKind::Error, i18n::Text(i18n::WordsMain, 96),  // "Can`t save options!"
                       QStringLiteral("SaveGuideOptions"));
  }
  AfterStep();
}

void MainWindow::AddGuideEntries() {
  popup_->addSeparator();
  sheet_action_ = popup_->addAction(QString());
  sheet_action_->setObjectName(QStringLiteral("ScoreSheet"));
  sheet_action_->setEnabled(false);
  connect(sheet_action_, &QAction::triggered, this, &MainWindow::OpenScoreSheet);
  auto_action_ = popup_->addAction(QString());
  auto_action_->setObjectName(QStringLiteral("AutoContinue"));
  auto_action_->setCheckable(true);
  connect(auto_action_, &QAction::triggered, this, [this](bool on) {
    GuideOptions options = guide_;
    options.AutoContinue = on;
    SetGuideOptions(options);
  });
  keep_action_ = popup_->addAction(QString());
  keep_action_->setObjectName(QStringLiteral("KeepGame"));
  keep_action_->setCheckable(true);
  connect(keep_action_, &QAction::triggered, this, [this](bool on) {
    GuideOptions options = guide_;
    options.KeepGame = on;
    SetGuideOptions(options);
  });
  AddRecordEntries();
}

void MainWindow::RetitleGuideEntries() {
  sheet_action_->setText(Guide(i18n::guide::kScoreSheet));
  auto_action_->setText(Guide(i18n::guide::kAutoContinue));
  keep_action_->setText(Guide(i18n::guide::kKeepOffer).remove(QLatin1Char('?')).remove(QChar(0xFF1F)).trimmed());
  auto_action_->setChecked(guide_.AutoContinue);
  keep_action_->setChecked(guide_.KeepGame);
  RetitleRecordEntries();
}

// --- after every step -----------------------------------------------------

void MainWindow::AfterStep() {
  sheet_.Observe(state_);
  PlaceKeyMark();
  if (sheet_action_ != nullptr) sheet_action_->setEnabled(state_.InGame && !sheet_.Rounds().empty());
  UpdateStatusLine();
  ScheduleAutoContinue();
}

void MainWindow::PlaceStatusLine() {
  if (status_line_ == nullptr) {
    status_line_ = new QLabel(canvas_);
    status_line_->setObjectName(QStringLiteral("StatusLine"));
    status_line_->setAttribute(Qt::WA_TransparentForMouseEvents);
    status_line_->setWordWrap(true);
    status_line_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_line_->setTextFormat(Qt::RichText);
    status_line_->hide();
  }
  const LayoutState& s = canvas_->Layout();
  status_line_->setGeometry(ScaleX(s, kStatusDesign.x(), kStatusDesign.width()),
                            ScaleY(s, kStatusDesign.y(), kStatusDesign.height()), ScaleLen(s, kStatusDesign.width()),
                            ScaleLen(s, kStatusDesign.height()));
  const int pad = ScaleLen(s, 6);
  status_line_->setStyleSheet(
      QStringLiteral("QLabel { background: rgba(20, 12, 4, 150); color: #fff4d6; border: 1px solid rgba(201, 162, 39, "
                     "160); border-radius: %1px; padding: %2px; }")
          .arg(ScaleLen(s, 8))
          .arg(pad));
  status_line_->setFont(i18n::KindFont(i18n::FontKind::Serif, ScaleLen(s, 15)));
}

QString MainWindow::StatusLineText() const {
  if (status_line_ == nullptr || !state_.InGame || title_shown_ || MenuShown()) return {};
  StatusButtons buttons;
  buttons.next_usable = Usable(next_button_);
  buttons.next_caption = next_button_->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
  buttons.pass_usable = Usable(pass_button_);
  buttons.pass_caption = pass_button_->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
  QStringList lines;
  const bool refused = !refusal_.isEmpty() && refused_state_ == state_;
  // While the "Ok" steps go on by themselves nobody is asked to press "Ok".
  const QString turn = refused            ? refusal_
                       : AutoContinueDue() ? Guide(i18n::guide::kGoesOnByItself)
                                           : TurnText(state_, buttons);
  if (!turn.isEmpty())
    lines << (refused ? QStringLiteral("<span style=\"color:#ffb0a0\"><b>%1</b></span>")
                      : QStringLiteral("<b>%1</b>"))
                 .arg(turn.toHtmlEscaped());
  const QString contract = ContractText(state_);
  if (!contract.isEmpty()) lines << contract.toHtmlEscaped();
  return lines.join(QStringLiteral("<br>"));
}

void MainWindow::UpdateStatusLine() {
  if (status_line_ == nullptr) return;
  const QString text = StatusLineText();
  if (text.isEmpty()) {
    status_line_->hide();
    return;
  }
  // On the window the suit signs keep to their words when the line wraps.
  const QString shown = KeepSignsWithWords(text);
  if (status_line_->text() != shown) status_line_->setText(shown);
  status_line_->raise();
  status_line_->show();
}

void MainWindow::NoteRefusedCard(int slot) {
  refusal_ = RefusalText(state_, slot);
  refused_state_ = state_;
  UpdateStatusLine();
}

// --- going on without "Ok" ---------------------------------------------------

bool MainWindow::AutoContinueDue() const {
  if (!guide_.AutoContinue || !state_.InGame || state_.GameOver || session_ != nullptr) return false;
  if (engine_.Mode().NetGame || engine_.Mode().TourGame || !Usable(next_button_)) return false;
  // The computer declarer's widow is turned without "To open cards"...
  if (state_.Phase == phBidDone) return !state_.InBidding[3];
  // ...and every "Ok" of the round goes on by itself: the widow taken, the
  // gift, trump and order, the first lead and each trick collected.
  switch (state_.Phase) {
    case phWidowOpen:
    case phGive:
    case phGiven:
    case phOrdered:
    case phTrickFull:
      return next_button_->text() == QLatin1String("Ok");
    default:
      return false;
  }
}

void MainWindow::ScheduleAutoContinue() {
  if (!AutoContinueDue() || auto_timer_.isActive()) return;
  // The pause follows the flight speed (1 slow .. 6 fast).
  const int speed = std::clamp(settings_.CardSpeed, 1, 6);
  auto_timer_.start(options_.skip_pauses ? 1 : 250 + (6 - speed) * 250);
}

void MainWindow::AutoContinueNow() {
  if (!AutoContinueDue()) return;
  game_->Input([this] { engine_.PressNext(); }, 7);
}

// --- the score sheet -------------------------------------------------------------

void MainWindow::OpenScoreSheet() {
  if (!state_.InGame && !state_.GameOver) return;
  std::array<QString, 4> names;
  for (std::size_t seat = 1; seat <= 3; ++seat) names[seat] = QString::fromStdString(state_.Names[seat]).trimmed();
  TFormScoreSheet::Open(this, sheet_.Rounds(), names, canvas_->Layout(), SoundHookOf());
}

// --- keeping an unfinished game ----------------------------------------------------

bool MainWindow::CanKeepGame() const {
  return guide_.KeepGame && state_.InGame && !state_.GameOver && session_ == nullptr && !engine_.Mode().NetGame &&
         !engine_.Mode().TourGame && profile_slot_ >= 1 && profile_slot_ <= 6 && !settings_.NetworkMode;
}

bool MainWindow::KeepGame() {
  KeptGame game;
  game.Slot = profile_slot_;
  game.Name = state_.Names[3];
  game.KonNo = state_.KonNo;
  game.ProfileScore = state_.ProfileScore;
  game.Sheet = sheet_.Rounds();
  for (std::size_t seat = 1; seat <= 3; ++seat) game.Scores[seat] = state_.Scores[seat];
  if (state_.Phase == phNextRound) {
    // The round is scored: the next one is dealt afresh.
    game.Round = state_.RoundNo + 1;
  } else {
    // The round is played again from its deal.
    game.Round = state_.RoundNo;
    std::array<int, 24> deck{};
    for (int j = 1; j <= 24; ++j) deck[static_cast<std::size_t>(j - 1)] = CardIndex(state_.Deck[j]);
    game.Deck = deck;
  }
  if (!SaveKeptGame(ProgramFolderPath().toStdString(), game)) {
    TFormMessage::Tell(this, MessageKind::Error, i18n::Text(i18n::WordsMain, 97), QStringLiteral("KeepGameFailed"));
    return false;
  }
  keeping_ = true;  // leaving now drops nobody: the game goes on later
  return true;
}

void MainWindow::OfferKeptGame() {
  if (kept_offered_ || settings_.NetworkMode) return;
  kept_offered_ = true;
  const std::filesystem::path folder = ProgramFolderPath().toStdString();
  const KeptLoad load = LoadKeptGame(folder);
  if (load.Result == KeptRead::Unreadable) {
    TFormMessage::Tell(this, MessageKind::Warning, Guide(i18n::guide::kKeptUnreadable), QStringLiteral("KeptUnreadable"));
    return;
  }
  if (load.Result != KeptRead::Read) return;
  const KeptGame& game = load.Game;
  ClubMember member;  // a guest
  bool member_found = true;
  if (game.Slot >= 1 && game.Slot <= 5) {
    const std::optional<ClubMember> read = clubs_.ReadMember(game.Slot);
    member_found = read && !read->Empty && QString::fromStdString(read->Name).trimmed() ==
                                                QString::fromStdString(game.Name).trimmed();
    if (member_found) member = *read;
  }
  if (!member_found) {
    // The member is no longer in the club: the game has nobody to go on with.
    ForgetKeptGame(folder);
    return;
  }
  const QString question =
      Guide(i18n::guide::kResumeOffer).arg(QString::fromStdString(game.Name).trimmed()).arg(game.Round);
  if (!TFormMessage::Ask(this, question, QStringLiteral("ResumeOffer"))) {
    // Declined: the game was left early after all.
    ForgetKeptGame(folder);
    if (game.Slot >= 1 && game.Slot <= 5) {
      const ClubUpdateResult club = clubs_.RemoveMember(game.Slot);
      if (club.MessageRow >= 0) ShowRecordMessage(i18n::Text(i18n::WordsMain, club.MessageRow));
      ShowMenuScreen();
    }
    return;
  }
  ForgetKeptGame(folder);
  PerSeat<int> scores{};
  for (std::size_t seat = 1; seat <= 3; ++seat) scores[seat] = game.Scores[seat];
  engine_.SetResume(game.Round, scores);
  if (game.Deck) engine_.SetNextDeck(*game.Deck);
  resumed_sheet_ = game.Sheet;
  resuming_ = true;
  StartGame(game.Slot, member, game.Name);
}

}  // namespace varnok
