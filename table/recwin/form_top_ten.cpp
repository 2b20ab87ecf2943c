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

// The scroll behind the places, from the top of the picture to the button.
QRect ScrollArea() { return QRect(4, 2, kPictureWidth - 8, TFormTopTen::kPictureHeight - 4); }

// The place numbers end here, a little before the names.
constexpr int kPlaceRight = 90;

}  // namespace

TFormTopTen::TFormTopTen(const TopTenView& view, const Settings& look, QWidget* parent)
    : QDialog(parent), view_(view), purple_(look.PurpleWindows) {
  setObjectName(QStringLiteral("TFormTopTen"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowTopTenCaption));
  const QSize design(view_.Width, kPictureHeight + kOkHeight + kBottom);
  scale_ = FittedDialogScale(design, parent);
  const auto len = [this](int n) { return ScaledLen(n, scale_); };
  setFixedSize(len(design.width()), len(design.height()));
  scroll_ = RecordPicture(QStringLiteral("GSvitok"));

  // The cup and the club's emblem move only when animated pictures are on.
  const AnimatedPicture::Mode mode = MoveWhenAnimated(look.GifAnimation, AnimatedPicture::Mode::Repeat);
  auto* cup = new AnimatedPicture(QString::fromStdString(view_.TopTenAnimation), mode, 0, QSize(len(64), len(64)), this);
  cup->move(len(44), len(22));
  auto* club = new AnimatedPicture(QString::fromStdString(view_.ClubAnimation), mode, 0, QSize(len(52), len(65)), this);
  club->move(len(view_.Width - 44 - 52), len(18));

  ok_ = MakeOkButton(this, look, purple_, scale_);
  ok_->setGeometry(len((view_.Width - 160) / 2), len(kPictureHeight), len(160), len(kOkHeight));
  ApplyRecordCursor(this, look);
}

QRect TFormTopTen::Paper() { return ScrollPaper(ScrollArea()); }

std::vector<DrawnText> TFormTopTen::Texts() const {
  std::vector<DrawnText> texts;
  const QFont font = i18n::KindFont(i18n::FontKind::Serif, view_.FontUnits);
  const int line = QFontMetrics(font).height();
  QFont bold = font;
  bold.setBold(true);
  // A long title keeps to the paper.
  const QRect paper = Paper().adjusted(6, 0, -6, 0);
  const QString title = QFontMetrics(bold).elidedText(QString::fromStdString(view_.Title), Qt::ElideRight, paper.width());
  texts.push_back({title, bold, QRect(paper.left(), view_.TitleY, paper.width(), line), Qt::AlignHCenter | Qt::AlignTop,
                   QColor(0, 0, 0)});
  const QColor heading = ColourOf(view_.HeadingColour);
  const QFontMetrics metrics(font);
  texts.push_back({metrics.elidedText(i18n::Text(i18n::WordsMain, kRowTopTenCaption), Qt::ElideRight, 160), font,
                   QRect(70, view_.HeadingY, 160, line), Qt::AlignHCenter | Qt::AlignTop, heading});
  texts.push_back({metrics.elidedText(i18n::Text(i18n::WordsMain, kRowScoreHeading), Qt::ElideRight, 150), font,
                   QRect(250, view_.HeadingY, 150, line), Qt::AlignHCenter | Qt::AlignTop, heading});
  for (const TopTenRow& row : view_.Rows) {
    const QColor colour = ColourOf(row.Colour);
    texts.push_back({QString::fromStdString(row.PlaceText), font, QRect(40, row.Y, kPlaceRight - 40, line),
                     Qt::AlignRight | Qt::AlignTop, colour});
    if (row.Empty) continue;
    const QString name = metrics.elidedText(QString::fromStdString(row.Name), Qt::ElideRight, 200);
    texts.push_back({name, font, QRect(95, row.Y, 200, line), Qt::AlignLeft | Qt::AlignTop, colour});
    texts.push_back({QString::fromStdString(row.ScoreText).trimmed(), font, QRect(300, row.Y, 80, line),
                     Qt::AlignRight | Qt::AlignTop, colour});
  }
  return texts;
}

void TFormTopTen::Draw(QPainter& painter, const QRect& all) const {
  painter.setRenderHint(QPainter::TextAntialiasing);
  PaintScrollBackdrop(painter, all, ScrollArea(), purple_, scroll_);
  const std::vector<DrawnText> texts = Texts();
  for (const DrawnText& text : texts) {
    painter.setFont(text.Font);
    painter.setPen(text.Colour);
    painter.drawText(text.Box, text.Flags, text.Text);
  }
  // The line under the headings.
  const int line = QFontMetrics(i18n::KindFont(i18n::FontKind::Serif, view_.FontUnits)).height();
  painter.setPen(ColourOf(view_.HeadingColour));
  painter.drawLine(70, view_.HeadingY + line + 2, 400, view_.HeadingY + line + 2);
}

QImage TFormTopTen::Picture() const {
  QImage picture(view_.Width, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&picture);
  Draw(painter, picture.rect());
  return picture;
}

void TFormTopTen::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(scale_, scale_);
  // The design's whole window, so that the backdrop fills it at any scale.
  Draw(painter, QRect(0, 0, view_.Width, kPictureHeight + kOkHeight + kBottom));
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
