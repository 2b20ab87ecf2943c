#include "form_top_ten.h"

#include <QPainter>

#include "fonts.h"
#include "recwin_look.h"
#include "words.h"
#include <QPushButton>

namespace varnok {

namespace {

constexpr int kPictureWidth = 450;
constexpr int kOkHeight = 30;
constexpr int kBottom = 12;

QColor ColourOf(const RecordColour& rgb) { return QColor(rgb.R, rgb.G, rgb.B); }

// The scroll behind the places, from the top of the window to the button.
QRect ScrollArea() { return QRect(4, 2, kPictureWidth - 8, TFormTopTen::kPictureHeight - 4); }

}  // namespace

TFormTopTen::TFormTopTen(const TopTenView& view, const Settings& look, QWidget* parent)
    : QDialog(parent), view_(view), purple_(look.PurpleWindows) {
  setObjectName(QStringLiteral("TFormTopTen"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowTopTenCaption));
  setFixedSize(view_.Width, kPictureHeight + kOkHeight + kBottom);
  scroll_ = RecordPicture(QStringLiteral("GSvitok"));

  // The cup and the club's emblem move only when animated pictures are on.
  const AnimatedPicture::Mode mode = MoveWhenAnimated(look.GifAnimation, AnimatedPicture::Mode::Repeat);
  auto* cup = new AnimatedPicture(QString::fromStdString(view_.TopTenAnimation), mode, 0, QSize(64, 64), this);
  cup->move(44, 22);
  auto* club = new AnimatedPicture(QString::fromStdString(view_.ClubAnimation), mode, 0, QSize(52, 65), this);
  club->move(view_.Width - 44 - 52, 18);

  ok_ = MakeOkButton(this, look, purple_);
  ok_->setGeometry((view_.Width - 160) / 2, kPictureHeight, 160, kOkHeight);
  ApplyRecordCursor(this, look);
}

void TFormTopTen::DrawPlaces(QPainter& painter) const {
  QFont font = i18n::KindFont(i18n::FontKind::Serif, view_.FontUnits);
  const int line = QFontMetrics(font).height();
  QFont bold = font;
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(QColor(0, 0, 0));
  painter.drawText(QRect(0, view_.TitleY, view_.Width, line), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromStdString(view_.Title));

  painter.setFont(font);
  painter.setPen(ColourOf(view_.HeadingColour));
  painter.drawText(QRect(70, view_.HeadingY, 160, line), Qt::AlignHCenter | Qt::AlignTop,
                   i18n::Text(i18n::WordsMain, kRowTopTenCaption));
  painter.drawText(QRect(250, view_.HeadingY, 150, line), Qt::AlignHCenter | Qt::AlignTop,
                   i18n::Text(i18n::WordsMain, kRowScoreHeading));
  painter.drawLine(70, view_.HeadingY + line + 2, 400, view_.HeadingY + line + 2);

  for (const TopTenRow& row : view_.Rows) {
    painter.setPen(ColourOf(row.Colour));
    painter.drawText(QPoint(70, row.Y + QFontMetrics(font).ascent()), QString::fromStdString(row.PlaceText));
    if (row.Empty) continue;
    const QString name = QFontMetrics(font).elidedText(QString::fromStdString(row.Name), Qt::ElideRight, 220);
    painter.drawText(QRect(95, row.Y, 220, line), Qt::AlignLeft | Qt::AlignTop, name);
    painter.drawText(QRect(300, row.Y, 80, line), Qt::AlignRight | Qt::AlignTop,
                     QString::fromStdString(row.ScoreText).trimmed());
  }
}

QImage TFormTopTen::Picture() const {
  QImage picture(view_.Width, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::TextAntialiasing);
  PaintScrollBackdrop(painter, picture.rect(), ScrollArea(), purple_, scroll_);
  DrawPlaces(painter);
  return picture;
}

void TFormTopTen::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QRect all = rect();
  PaintScrollBackdrop(painter, all, ScrollArea(), purple_, scroll_);
  DrawPlaces(painter);
}

void TFormTopTen::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
}

void TFormTopTen::Open(QWidget* parent, const std::filesystem::path& clubFile, const Settings& look,
                       SoundHook sound) {
  PlayOpenSound(sound);
  const TopTenView view = MakeTopTenView(ReadTopTen(clubFile), KindOfClubFile(clubFile));
  TFormTopTen window(view, look, parent);
  window.exec();
}

}  // namespace varnok
