#include "form_end_match.h"

#include <QLabel>
#include <QPainter>

#include "fonts.h"
#include "recwin_look.h"
#include "words.h"
#include <QPushButton>

namespace varnok {

namespace {

constexpr int kWidth = 450;
constexpr int kRowPlace = 59;  // "Place: "
constexpr int kEndingSide = 120;
constexpr int kFirstLineY = 150;
constexpr int kOkHeight = 30;

const QColor kLineColours[] = {QColor(160, 0, 0), QColor(0, 0, 128), QColor(0, 100, 0), QColor(128, 0, 0)};

}  // namespace

TFormEndMatch::TFormEndMatch(const EndOfMatchView& view, const Settings& look, int world_place, QWidget* parent)
    : QDialog(parent), view_(view), purple_(look.PurpleWindows) {
  setObjectName(QStringLiteral("TFormEndMatch"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowEndOfMatchCaption));
  scroll_ = RecordPicture(QStringLiteral("GSvitok"));

  // The ending runs once (the best and good ones) or for as long as the
  // window is shown (the regrets); with animated pictures off, its last
  // frame stands still.
  const AnimatedPicture::Mode ending_mode = MoveWhenAnimated(
      look.GifAnimation, view_.AnimationRepeats ? AnimatedPicture::Mode::Repeat : AnimatedPicture::Mode::Once);
  ending_ = new AnimatedPicture(QString::fromStdString(view_.Animation), ending_mode, 1 << 20,
                                QSize(kEndingSide, kEndingSide), this);
  ending_->move((kWidth - kEndingSide) / 2, 16);
  if (!view_.MedalPicture.empty()) {
    const AnimatedPicture::Mode mode = MoveWhenAnimated(look.GifAnimation, AnimatedPicture::Mode::Repeat);
    auto* medal = new AnimatedPicture(QString::fromStdString(view_.MedalPicture), mode, 0, QSize(60, 80), this);
    medal->move(56, 36);
    auto* place = new AnimatedPicture(QString::fromStdString(view_.PlacePicture), mode, 0, QSize(64, 64), this);
    place->move(kWidth - 56 - 64, 44);
  }

  int y = kFirstLineY;
  const int width = view_.RightX - view_.LeftX;
  for (std::size_t i = 0; i < view_.Lines.size(); ++i) {
    const EndOfMatchLine& line = view_.Lines[i];
    QString text = i18n::Text(i18n::WordsMain, line.Row);
    if (line.WithScore) text += QString::number(view_.Score);
    QFont font = i18n::KindFont(i18n::FontKind::Serif, line.Units);
    if (i == 0) font.setBold(true);
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("Line%1").arg(i + 1));
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kLineColours[std::min<std::size_t>(i, 3)]);
    label->setPalette(palette);
    label->setFixedWidth(width);
    label->setFixedHeight(label->heightForWidth(width));
    label->move(view_.LeftX, y);
    y += label->height() + 8;
    lines_.push_back(label);
  }
  if (world_place > 0) {
    auto* label = new QLabel(i18n::Text(i18n::WordsMain, kRowPlace) + QString::number(world_place), this);
    label->setObjectName(QStringLiteral("WorldPlace"));
    label->setFont(i18n::KindFont(i18n::FontKind::Serif, 22));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setFixedWidth(width);
    label->move(view_.LeftX, y);
    y += label->sizeHint().height() + 8;
  }

  ok_ = MakeOkButton(this, look, purple_);
  ok_->setGeometry((kWidth - 160) / 2, y + 14, 160, kOkHeight);
  setFixedSize(kWidth, y + 14 + kOkHeight + 14);
  ApplyRecordCursor(this, look);
}

void TFormEndMatch::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintScrollBackdrop(painter, rect(), rect().adjusted(4, 4, -4, -(kOkHeight + 20)), purple_, scroll_);
}

void TFormEndMatch::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
}

void TFormEndMatch::Open(QWidget* parent, int place, int cycleScore, FinishedGameKind kind, const Settings& look,
                         SoundHook sound, int worldPlace) {
  const EndOfMatchView view = MakeEndOfMatchView(place, cycleScore, kind);
  if (sound) sound(QString::fromStdString(view.Sound));
  TFormEndMatch window(view, look, worldPlace, parent);
  window.exec();
}

}  // namespace varnok
