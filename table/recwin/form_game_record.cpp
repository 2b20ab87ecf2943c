#include "form_game_record.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "form_message.h"
#include "guide_rows.h"
#include "recwin_look.h"
#include "word_rows.h"
#include "words.h"

namespace varnok {

namespace {

QString Guide(int row) { return i18n::Text(i18n::WordsGuide, row); }

QString SuitSign(std::uint8_t suit) {
  switch (suit) {
    case kHearts: return QStringLiteral("\u2665");
    case kDiamonds: return QStringLiteral("\u2666");
    case kClubs: return QStringLiteral("\u2663");
    case kSpades: return QStringLiteral("\u2660");
    default: return QStringLiteral("-");
  }
}

bool RedSuit(std::uint8_t suit) { return suit == kHearts || suit == kDiamonds; }

QString NameOf(const GameState& s, int seat) {
  if (seat < 1 || seat > 3) return {};
  return QString::fromStdString(s.Names[seat]).trimmed();
}

// The seat that played position `pos` of the trick on the table.
int SeatAtTrickPos(const GameState& s, int pos) {
  const int leader = s.Phase == phTrickFull ? s.PrevLeader : s.Leader;
  if (leader < 1 || leader > 3) return 0;
  return (leader - 1 + pos - 1) % 3 + 1;
}

bool WidowOnTable(const GameState& s) {
  return s.InGame && (s.Phase == phBid1 || s.Phase == phBid2 || s.Phase == phBid3 || s.Phase == phBidDone ||
                      s.Phase == phWidowOpen);
}

}  // namespace

QString CardText(TCard card) {
  if (!card.IsReal()) return QStringLiteral("--");
  std::string name = CardName(card);  // "Kh", "10s"
  name.pop_back();
  return QString::fromStdString(name) + SuitSign(card.suit);
}

// --- the board ------------------------------------------------------------------

class RecordBoard : public QWidget {
 public:
  explicit RecordBoard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("RecordBoard"));
    setMinimumSize(kWidth, kHeight);
    setFocusPolicy(Qt::NoFocus);
  }
  void Show(const GameState* state, bool all_open) {
    state_ = state;
    all_open_ = all_open;
    setAccessibleDescription(Describe());
    update();
  }
  // What the board shows, as text: every visible card by name.
  QString Describe() const {
    if (state_ == nullptr) return {};
    const GameState& s = *state_;
    QStringList parts;
    for (int seat = 1; seat <= 3; ++seat) {
      QStringList cards;
      if (seat == 3 || all_open_) {
        for (int i = 1; i <= s.HandCount[seat]; ++i) cards << CardText(s.Hands[seat][i]);
      } else {
        cards << QString::number(s.HandCount[seat]);
      }
      parts << NameOf(s, seat) + QStringLiteral(" (") + QString::number(s.Scores[seat]) + QStringLiteral("): ") +
                   cards.join(QLatin1Char(' '));
    }
    QStringList trick;
    for (int p = 1; p <= 3; ++p)
      if (s.Stol[p].IsReal()) trick << CardText(s.Stol[p]);
    if (!trick.isEmpty()) parts << trick.join(QLatin1Char(' '));
    return parts.join(QStringLiteral("; "));
  }

  static constexpr int kWidth = 700;
  static constexpr int kHeight = 430;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(24, 92, 48));
    if (state_ == nullptr) return;
    const GameState& s = *state_;
    // The board is drawn at its design size, scaled to the widget.
    const double scale = std::min(width() / double(kWidth), height() / double(kHeight));
    p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
    p.scale(scale, scale);
    QFont font = p.font();
    font.setPixelSize(14);
    p.setFont(font);

    const auto seat_label = [&](int seat, QRect box) {
      p.setPen(seat == s.Declarer && s.Phase >= phGive ? QColor(255, 230, 120) : QColor(240, 240, 230));
      QString text = NameOf(s, seat) + QStringLiteral("   ") + QString::number(s.Scores[seat]);
      if (s.RoundPoints[seat] != 0) text += QStringLiteral("   (") + QString::number(s.RoundPoints[seat]) + QLatin1Char(')');
      p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    const auto hand = [&](int seat, int x, int y, int step, bool open) {
      for (int i = 1; i <= s.HandCount[seat]; ++i) DrawCard(p, QPoint(x + (i - 1) * step, y), s.Hands[seat][i], open);
    };
    seat_label(1, QRect(12, 6, 330, 22));
    hand(1, 12, 30, 30, all_open_);
    seat_label(2, QRect(362, 6, 330, 22));
    hand(2, 362, 30, 30, all_open_);
    seat_label(3, QRect(140, 318, 420, 22));
    hand(3, 140, 344, 42, true);

    if (WidowOnTable(s)) {
      const bool open = all_open_ || s.Phase == phWidowOpen;
      for (int w = 1; w <= 3; ++w)
        DrawCard(p, QPoint(290 + (w - 1) * 42, 112), s.Widow[static_cast<std::size_t>(w)], open);
    }
    for (int pos = 1; pos <= 3; ++pos) {
      if (!s.Stol[pos].IsReal()) continue;
      const QPoint at(236 + (pos - 1) * 84, 200);
      DrawCard(p, at, s.Stol[pos], true);
      p.setPen(QColor(240, 240, 230));
      p.drawText(QRect(at.x() - 20, at.y() + kCardH + 2, kCardW + 40, 18), Qt::AlignCenter, NameOf(s, SeatAtTrickPos(s, pos)));
    }
    if (s.Trump != kNoSuit) {
      p.setPen(QColor(255, 230, 120));
      p.drawText(QRect(12, 112, 200, 22), Qt::AlignLeft, Guide(i18n::guide::kTrumpIs).arg(SuitSign(s.Trump)));
      if (s.Zakaz > 0)
        p.drawText(QRect(12, 136, 200, 22), Qt::AlignLeft, Guide(i18n::guide::kOrderIs).arg(s.Zakaz));
    }
  }

 private:
  static constexpr int kCardW = 38;
  static constexpr int kCardH = 56;

  static void DrawCard(QPainter& p, QPoint at, TCard card, bool open) {
    const QRectF box(at.x(), at.y(), kCardW, kCardH);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    if (!open || !card.IsReal()) {
      p.setBrush(QColor(120, 30, 40));
      p.drawRoundedRect(box, 4, 4);
      p.setPen(QPen(QColor(220, 190, 120), 1));
      p.drawRoundedRect(box.adjusted(4, 4, -4, -4), 2, 2);
      return;
    }
    p.setBrush(QColor(252, 252, 246));
    p.drawRoundedRect(box, 4, 4);
    p.setPen(RedSuit(card.suit) ? QColor(200, 20, 20) : QColor(10, 10, 10));
    QFont f = p.font();
    f.setPixelSize(15);
    f.setBold(true);
    p.save();
    p.setFont(f);
    p.drawText(box.adjusted(3, 2, -2, 0), Qt::AlignLeft | Qt::AlignTop, CardText(card));
    f.setPixelSize(24);
    p.setFont(f);
    p.drawText(box.adjusted(0, 16, 0, 0), Qt::AlignCenter, SuitSign(card.suit));
    p.restore();
  }

  const GameState* state_ = nullptr;
  bool all_open_ = false;
};

// --- stepping ---------------------------------------------------------------------

RecordStops StopsOf(const ReplayResult& replay) {
  RecordStops stops;
  for (std::size_t i = 0; i < replay.Steps.size(); ++i) {
    const Move::Kind kind = replay.Steps[i].Step.kind;
    const bool deal = kind == Move::Kind::NewGame || kind == Move::Kind::NextRound;
    if (deal) stops.rounds.push_back(static_cast<int>(i));
    if (deal || kind == Move::Kind::Collect) stops.tricks.push_back(static_cast<int>(i));
  }
  return stops;
}

int NextStop(const std::vector<int>& stops, int at, int last) {
  const auto it = std::upper_bound(stops.begin(), stops.end(), at);
  return it == stops.end() ? std::max(at, last) : *it;
}

int PreviousStop(const std::vector<int>& stops, int at) {
  const auto it = std::lower_bound(stops.begin(), stops.end(), at);
  return it == stops.begin() ? 0 : *(it - 1);
}

QString DescribeStep(const ReplayStep& step, const GameState* before) {
  const GameState& s = step.State;
  const Move& m = step.Step;
  using namespace i18n::guide;
  switch (m.kind) {
    case Move::Kind::NewGame:
    case Move::Kind::NextRound: return Guide(kRoundDealt).arg(s.RoundNo);
    case Move::Kind::Begin: return i18n::Text(i18n::WordsGames, words::games::kToBegin).remove(QLatin1Char('&'));
    case Move::Kind::Bid: return Guide(kSeatBids).arg(NameOf(s, m.seat)).arg(s.CurrentBid);
    case Move::Kind::Pass: return Guide(kSeatPasses).arg(NameOf(s, m.seat));
    case Move::Kind::OpenWidow: return Guide(kWidowOpened);
    case Move::Kind::TakeWidow: return Guide(kWidowTaken).arg(NameOf(s, s.Declarer));
    case Move::Kind::Give:
    case Move::Kind::ShowGiven: {
      const int d = s.Declarer;
      if (d < 1 || d > 3) return {};
      return NameOf(s, d) + QStringLiteral(": ") + CardText(s.GivenCards[1]) + QStringLiteral(" \u2192 ") +
             NameOf(s, NextSeat(d)) + QStringLiteral(", ") + CardText(s.GivenCards[2]) + QStringLiteral(" \u2192 ") +
             NameOf(s, NextSeat(NextSeat(d)));
    }
    case Move::Kind::Pick:
    case Move::Kind::Unpick: {
      // The declarer raises (or lowers again) a card he means to give.
      const int d = s.Declarer;
      if (d < 1 || d > 3 || before == nullptr || m.a < 1 || m.a > kHandRange) return {};
      return NameOf(s, d) + QStringLiteral(": ") + CardText(before->Hands[d][m.a]) +
             (m.kind == Move::Kind::Pick ? QStringLiteral(" \u2191") : QStringLiteral(" \u2193"));
    }
    case Move::Kind::Trump: return Guide(kTrumpIs).arg(SuitSign(s.Trump));
    case Move::Kind::Order:
    case Move::Kind::StartPlay: return Guide(kTrumpIs).arg(SuitSign(s.Trump)) + QStringLiteral(", ") + Guide(kOrderIs).arg(s.Zakaz);
    case Move::Kind::Card: {
      const TCard card = before != nullptr && m.seat >= 1 && m.seat <= 3 && m.a >= 1 && m.a <= kHandRange
                             ? before->Hands[m.seat][m.a]
                             : TCard::Empty();
      return Guide(kSeatPlays).arg(NameOf(s, m.seat), CardText(card));
    }
    case Move::Kind::Collect: return Guide(kSeatTakesTrick).arg(NameOf(s, s.Leader));
    case Move::Kind::Score: {
      QStringList scores;
      for (int seat = 1; seat <= 3; ++seat) scores << NameOf(s, seat) + QLatin1Char(' ') + QString::number(s.Scores[seat]);
      return Guide(kRoundOver).arg(scores.join(QStringLiteral(", ")));
    }
  }
  return {};
}

// --- the window -------------------------------------------------------------------

TFormGameRecord::TFormGameRecord(GameRecord record, ReplayResult replay, const Settings& look, QWidget* parent)
    : QDialog(parent), record_(std::move(record)), replay_(std::move(replay)) {
  setObjectName(QStringLiteral("TFormGameRecord"));
  setWindowTitle(Guide(i18n::guide::kRecordCaption) + QStringLiteral(" \u2014 ") +
                 QString::fromStdString(record_.Date));
  stops_ = StopsOf(replay_);

  board_ = new RecordBoard(this);
  board_->setAccessibleName(Guide(i18n::guide::kRecordCaption));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("RecordStatus"));
  status_->setWordWrap(true);
  status_->setMinimumHeight(44);

  const auto button = [this](const char* name, int row, const QString& sign, void (TFormGameRecord::*go)()) {
    auto* b = new QPushButton(sign, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(Guide(row));
    b->setAccessibleName(Guide(row));
    connect(b, &QPushButton::clicked, this, go);
    return b;
  };
  auto* steps = new QHBoxLayout;
  steps->addWidget(button("PrevRound", i18n::guide::kPrevRound, QStringLiteral("\u23ee"), &TFormGameRecord::PreviousRound));
  steps->addWidget(button("PrevTrick", i18n::guide::kPrevTrick, QStringLiteral("\u23ea"), &TFormGameRecord::PreviousTrick));
  steps->addWidget(button("PrevStep", i18n::guide::kPrevStep, QStringLiteral("\u25c0"), &TFormGameRecord::PreviousStep));
  steps->addWidget(button("NextStep", i18n::guide::kNextStep, QStringLiteral("\u25b6"), &TFormGameRecord::NextStep));
  steps->addWidget(button("NextTrick", i18n::guide::kNextTrick, QStringLiteral("\u23e9"), &TFormGameRecord::NextTrick));
  steps->addWidget(button("NextRound", i18n::guide::kNextRound, QStringLiteral("\u23ed"), &TFormGameRecord::NextRound));
  steps->addStretch(1);
  all_open_ = new QCheckBox(Guide(i18n::guide::kAllCardsOpen), this);
  all_open_->setObjectName(QStringLiteral("AllOpen"));
  connect(all_open_, &QCheckBox::toggled, this, [this] { Show(); });
  steps->addWidget(all_open_);
  deal_again_button_ = new QPushButton(Guide(i18n::guide::kDealAgain), this);
  deal_again_button_->setObjectName(QStringLiteral("DealAgain"));
  connect(deal_again_button_, &QPushButton::clicked, this, &TFormGameRecord::DealAgain);
  steps->addWidget(deal_again_button_);
  QPushButton* ok = MakeOkButton(this, look, false);
  steps->addWidget(ok);

  auto* column = new QVBoxLayout(this);
  column->addWidget(board_, 1);
  column->addWidget(status_);
  column->addLayout(steps);
  // The keys step through the game wherever the focus is.
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->installEventFilter(this);
  }
  all_open_->installEventFilter(this);
  ApplyRecordCursor(this, look);
  Show();
}

QWidget* TFormGameRecord::Board() const { return board_; }

int TFormGameRecord::ShownRound() const { return Shown().RoundNo; }

bool TFormGameRecord::AllOpen() const { return all_open_->isChecked(); }

void TFormGameRecord::SetAllOpen(bool open) { all_open_->setChecked(open); }

void TFormGameRecord::GoTo(int step) {
  at_ = std::clamp(step, 0, std::max(0, StepCount() - 1));
  Show();
}

QString TFormGameRecord::StatusText() const {
  if (replay_.Steps.empty()) return {};
  const ReplayStep& step = replay_.Steps[static_cast<std::size_t>(at_)];
  const GameState* before = at_ > 0 ? &replay_.Steps[static_cast<std::size_t>(at_ - 1)].State : nullptr;
  QString text = Guide(i18n::guide::kRoundOf).arg(step.Round + 1).arg(record_.Rounds.size());
  if (step.State.Phase >= phPlay1 && step.State.Phase <= phRoundOver)
    text += QStringLiteral(", ") + Guide(i18n::guide::kTrickNo).arg(std::min<int>(step.State.TrickNo, 8));
  return text + QStringLiteral(": ") + DescribeStep(step, before);
}

void TFormGameRecord::Show() {
  if (replay_.Steps.empty()) return;
  board_->Show(&Shown(), AllOpen());
  status_->setText(StatusText());
  status_->setAccessibleName(status_->text());
}

void TFormGameRecord::DealAgain() {
  if (replay_.Steps.empty() || !deal_again_) return;
  const int round = replay_.Steps[static_cast<std::size_t>(at_)].Round;
  const DeckOrder deck = DealAgainDeck(record_.Rounds[static_cast<std::size_t>(round)]);
  // The new game is played at the table: the viewer steps aside.
  close();
  deal_again_(deck);
}

void TFormGameRecord::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Right: ctrl ? NextTrick() : NextStep(); return;
    case Qt::Key_Left: ctrl ? PreviousTrick() : PreviousStep(); return;
    case Qt::Key_Down: NextTrick(); return;
    case Qt::Key_Up: PreviousTrick(); return;
    case Qt::Key_PageDown: NextRound(); return;
    case Qt::Key_PageUp: PreviousRound(); return;
    case Qt::Key_Home: GoTo(0); return;
    case Qt::Key_End: GoTo(StepCount() - 1); return;
    default: QDialog::keyPressEvent(event);
  }
}

bool TFormGameRecord::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Home:
      case Qt::Key_End:
        keyPressEvent(key);
        return true;
      default: break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

QString TFormGameRecord::ProblemText(RecordProblem problem) {
  switch (problem) {
    case RecordProblem::None: return {};
    case RecordProblem::OtherVersion: return Guide(i18n::guide::kRecordOtherVersion);
    default: return Guide(i18n::guide::kRecordDamaged);
  }
}

TFormGameRecord* TFormGameRecord::Open(QWidget* parent, const QString& path, const Settings& look, SoundHook sound,
                                       DealAgainHook deal_again) {
  const RecordRead read = LoadGameRecord(path.toStdString());
  QString problem = ProblemText(read.Problem);
  ReplayResult replay;
  if (read.Record) {
    replay = ReplayGameRecord(*read.Record);
    if (!replay.Ok || replay.Steps.empty()) problem = ProblemText(RecordProblem::Damaged);
  }
  if (!problem.isEmpty()) {
    qWarning("game record %s refused: %s", qPrintable(path),
             read.Record ? replay.Problem.c_str() : read.Detail.c_str());
    TFormMessage::Tell(parent, MessageKind::Warning, problem, QStringLiteral("RecordRefused"));
    return nullptr;
  }
  PlayOpenSound(sound);
  auto* window = new TFormGameRecord(*read.Record, std::move(replay), look, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->SetDealAgainHook(std::move(deal_again));
  window->open();
  return window;
}

}  // namespace varnok
