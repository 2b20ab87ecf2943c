// The player's mouse on the table, the popup menu and the windows it opens.
#include <QAction>
#include <string_view>
#include <vector>
#include <QLabel>
#include <QMenu>
#include <QToolTip>

#include "about_window.h"
#include "form_message.h"
#include "form_score.h"
#include "guide_rows.h"
#include "help_window.h"
#include "recwin_count.h"
#include "cursors.h"
#include "fonts.h"
#include "main_window.h"
#include "game_controller.h"
#include "online_club.h"
#include "net_session.h"
#include "sound_player.h"
#include "speed_window.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "words.h"

namespace varnok {

namespace {

MouseArea AreaOf(const TableCanvas& canvas, QPoint at) {
  if (canvas.LayerVisible(Layer::ImageCards1) && canvas.LayerRect(Layer::ImageCards1).contains(at)) return MouseArea::Hand1;
  if (canvas.LayerVisible(Layer::ImageCards2) && canvas.LayerRect(Layer::ImageCards2).contains(at)) return MouseArea::Hand2;
  if (canvas.LayerVisible(Layer::ImageCards3) && canvas.LayerRect(Layer::ImageCards3).contains(at)) return MouseArea::Hand3;
  if (canvas.LayerVisible(Layer::ImageStol) && canvas.LayerRect(Layer::ImageStol).contains(at)) return MouseArea::Table;
  return MouseArea::Elsewhere;
}

}  // namespace

// The popup entries: object name and the main word table's row of the caption.
struct PopupEntry {
  const char* name;
  int row;
};
constexpr PopupEntry kPopupEntries[] = {{"GenCount", 25}, {"Quit", 21}, {"ChangeName", 26}, {"MSpeed", 298},
                                        {"Help", 27},     {"Book", 28}, {"About", 29},      {"MChat", 178}};

void MainWindow::BuildPopupMenu() {
  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("PopupMenu"));
  std::vector<QAction*> actions;
  for (const PopupEntry& entry : kPopupEntries) {
    if (std::string_view(entry.name) == "MSpeed") popup_->addSeparator();
    QAction* action = popup_->addAction(QString());
    action->setObjectName(QString::fromLatin1(entry.name));
    actions.push_back(action);
  }
  RetitlePopupMenu();
  gen_count_action_ = actions[0];
  quit_action_ = actions[1];
  change_name_action_ = actions[2];
  connect(gen_count_action_, &QAction::triggered, this, [this] { ShowGeneralScore(true); });
  connect(quit_action_, &QAction::triggered, this, [this] { ExitToMenu(); });
  connect(change_name_action_, &QAction::triggered, this, &MainWindow::RenameCurrentPlayer);
  connect(actions[3], &QAction::triggered, this, &MainWindow::OpenSpeedWindow);
  connect(actions[4], &QAction::triggered, this, [this] { ShowHelpFile(false); });
  connect(actions[5], &QAction::triggered, this, [this] { ShowHelpFile(true); });
  connect(actions[6], &QAction::triggered, this, [this] {
    PlayEffect("WOpenFo", false);
    TFormAbout::Open(this);
  });
  gen_count_action_->setEnabled(false);
  quit_action_->setEnabled(false);
  change_name_action_->setEnabled(false);
  canvas_->setContextMenuPolicy(Qt::NoContextMenu);
}

void MainWindow::RetitlePopupMenu() {
  for (QAction* action : popup_->actions()) {
    for (const PopupEntry& entry : kPopupEntries)
      if (action->objectName() == QLatin1String(entry.name)) action->setText(i18n::Text(i18n::WordsMain, entry.row));
  }
  // "Radio" comes from the games' word table.
  if (radio_action_ != nullptr) radio_action_->setText(i18n::Text(i18n::WordsGames, 611));
}

bool MainWindow::Confirm(const QString& first, const QString& second) {
  return TFormMessage::Ask(this, first + QLatin1Char('\n') + second, QStringLiteral("ConfirmLeave"));
}

bool MainWindow::ExitToMenu() {
  if (!state_.InGame) return false;
  // An announced rated game counts as lost when it is left before its end: that is said.
  if (RatedGameUnfinished()) {
    if (!TFormMessage::Ask(this, i18n::Text(i18n::WordsGuide, i18n::guide::kRatedLeave),
                           QStringLiteral("ConfirmLeaveRated")))
      return false;
  } else if (!Confirm(i18n::Text(i18n::WordsMain, 22), i18n::Text(i18n::WordsMain, 23))) {
    return false;
  }
  // The classic warning stands; a game against the computer may be kept
  // to be continued at the next start instead of being lost.
  if (CanKeepGame() &&
      TFormMessage::Ask(this, i18n::Text(i18n::WordsGuide, i18n::guide::kKeepOffer), QStringLiteral("KeepOffer")))
    KeepGame();
  // What the table still had to show of the game is dropped: it is left now.
  game_->Abort();
  SaveRoundRecording(state_.GameOver);
  game_->Input([this] { engine_.LeaveTable(); });
  return true;
}

void MainWindow::ShowGeneralScore(bool with_sound) {
  if (!state_.InGame && !state_.GameOver) return;
  ScoreWindowData data;
  ScoreSource source;
  source.ProfileRating = member_.Empty ? 0.0 : member_.Rating;
  source.ProfileGames = member_.Empty ? 0 : member_.Games;
  // A rated game counts from the account's rated record.
  const bool rated = profile_slot_ == online::kRatedProfileSlot;
  const int account_state = rated ? online::kRatedNext : std::min(club_->AccountState(), 2);
  source.AccountState = account_state;
  source.AccountKonL = club_->Data().Game.KonL;
  source.AccountRating = club_->Data().Game.Rating;
  data.Count = CountOfGame(state_, engine_.Mode(), source);
  data.PlayerName = QString::fromStdString(state_.Names[3]);
  data.Kind = ScoreGameKindOf(engine_.Mode(), account_state);
  data.AccountState = account_state;
  data.FallBackToGrayAristocratic = [this] { FallBackToGrayWindows(); };
  TFormScore::Open(this, data, settings_, with_sound ? SoundHookOf() : SoundHook());
}

void MainWindow::OpenSpeedWindow() {
  PlayEffect("WOpenFo", false);
  TFormSpeed::Open(this, settings_.CardSpeed, [this](int speed) {
    settings_.CardSpeed = speed;
    SpeedChanged();
  });
}

void MainWindow::ShowHelpFile(bool book) {
  // The pages come with the program in every language of the tables.
  PlayEffect("WOpenFo", false);
  TFormHelp::Open(this, book ? HelpTopic::Comment : HelpTopic::Rules, settings_.LanguageIndex);
}

void MainWindow::SetCursorKind(CursorKind kind) {
  if (kind == cursor_) return;
  cursor_ = kind;
  canvas_->setCursor(TableCursor(kind, settings_.RedCursor));
}

void MainWindow::OnLeftClick(QPoint at) {
  if (title_shown_) {
    LeaveTitle();
    return;
  }
  if (Busy()) {
    // The table still plays: the click is taken up on the table it will show.
    game_->Input([this, at] { OnLeftClick(at); });
    return;
  }
  if (!state_.InGame || AreaOf(*canvas_, at) != MouseArea::Hand3) return;
  const int slot = presenter_->HandSlotAt(3, at);
  if (slot == 0) return;
  // A card that may not be played only sounds: the status line says why,
  // for a player without sound too.
  const bool refused = state_.Phase == phPlay3 && engine_.IsIllegalHumanCard(slot);
  game_->Input([this, slot] { engine_.ClickCard(slot); });
  OnMouseMove(at);
  if (refused) NoteRefusedCard(slot);
}

void MainWindow::OnRightClick(QPoint at) {
  if (title_shown_) return;
  const MouseArea area = AreaOf(*canvas_, at);
  if (PopupMenuAttached(area)) {
    popup_->popup(canvas_->mapToGlobal(at));
    return;
  }
  if (!state_.InGame) return;
  std::optional<TCard> card;
  if (area == MouseArea::Table) {
    const QRect table = canvas_->LayerRect(Layer::ImageStol);
    card = SpokenTableCard(state_, at - table.topLeft(), canvas_->Layout(), presenter_->Cards(), presenter_->Margin());
  } else {
    const int seat = area == MouseArea::Hand1 ? 1 : area == MouseArea::Hand2 ? 2 : 3;
    card = SpokenHandCard(state_, settings_.ShowCardsAtEnd, seat, presenter_->HandSlotAt(seat, at));
  }
  if (card) sound_->SpeakCard(*card, settings_.LanguageIndex, false);
}

void MainWindow::OnMouseMove(QPoint at) {
  if (title_shown_ || !state_.InGame) {
    SetCursorKind(CursorKind::Arrow);
    ShowRoundBalloon(false);
    return;
  }
  const MouseArea area = AreaOf(*canvas_, at);
  SetCursorKind(area == MouseArea::Hand3 ? HandCursor(engine_, presenter_->HandSlotAt(3, at)) : CursorKind::Arrow);
  QString hint;
  for (int seat = 1; seat <= 3; ++seat) {
    const Layer panel = seat == 1 ? Layer::ImageTab1 : seat == 2 ? Layer::ImageTab2 : Layer::ImageTab3;
    const QRect r = canvas_->LayerRect(panel);
    if (r.contains(at)) hint = ScorePanelHint(state_, seat, at - r.topLeft(), canvas_->Layout());
  }
  const QRect kon = canvas_->LayerRect(Layer::ImageKon);
  const bool on_round_panel = kon.contains(at);
  if (on_round_panel) hint = RoundPanelHint(kon_no_, cycle_);
  ShowRoundBalloon(on_round_panel);
  if (hint.isEmpty()) QToolTip::hideText();
  else QToolTip::showText(canvas_->mapToGlobal(at), hint, canvas_);
}

void MainWindow::ShowRoundBalloon(bool shown) {
  const bool waiting = session_ != nullptr && session_->WaitingFirstDeal();
  const std::optional<RoundBalloon> balloon =
      shown ? RoundBalloonFor(engine_.Mode(), kon_no_, 0, waiting) : std::nullopt;
  if (!balloon) {
    if (balloon_ != nullptr) balloon_->hide();
    return;
  }
  if (balloon_ == nullptr) {
    balloon_ = new QLabel(canvas_);
    balloon_->setObjectName(QStringLiteral("RoundBalloon"));
    balloon_->setAttribute(Qt::WA_TransparentForMouseEvents);
    balloon_->setStyleSheet(QStringLiteral(
        "QLabel { background: #fff8dc; color: #3a2a10; border: 2px solid #c9a227; border-radius: 8px; padding: 6px; }"));
  }
  QString text = QStringLiteral("<b>%1</b>").arg(balloon->title.toHtmlEscaped());
  for (const QString& line : balloon->lines) text += QStringLiteral("<br>") + line.toHtmlEscaped();
  balloon_->setText(text);
  balloon_->setFont(i18n::KindFont(i18n::FontKind::Serif, ScaleLen(canvas_->Layout(), 13)));
  balloon_->adjustSize();
  // Beside the round panel, inside the window.
  const QRect kon = canvas_->LayerRect(Layer::ImageKon);
  int x = kon.right() + 6;
  if (x + balloon_->width() > canvas_->width()) x = kon.left() - 6 - balloon_->width();
  balloon_->move(std::max(0, x), kon.top() + 6);
  balloon_->raise();
  balloon_->show();
}

}  // namespace varnok
