#include "chat_board_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

#include "fonts.h"
#include "loader.h"

namespace varnok {

namespace {

const QColor kPaper{253, 248, 232};
const QColor kRim{120, 86, 30};
const QColor kHeaderColour{20, 30, 110};   // the first line of a message
const QColor kTextColour{120, 20, 20};     // the second line, the message itself
const QColor kNumberColour{0, 0, 0};

QImage Blank(QSize size) {
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  return picture;
}

}  // namespace

QString ChatFlagName(const QString& country) {
  static const QRegularExpression code(QStringLiteral("^([1-6])-(\\d{3})$"));
  const QRegularExpressionMatch match = code.match(country);
  if (!match.hasMatch()) return {};
  return QStringLiteral("Flag%1_%2").arg(match.captured(1), match.captured(2));
}

QImage ChatFacePicture(bool woman, int height) {
  const int h = std::max(8, height);
  const int w = h * 4 / 5;
  QImage picture = Blank(QSize(w, h));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(w / 40.0, h / 50.0);
  const QColor hair = woman ? QColor(176, 84, 30) : QColor(60, 40, 24);
  if (woman) {
    // Long hair falling behind the head.
    QPainterPath back;
    back.moveTo(6, 24);
    back.cubicTo(4, 2, 36, 2, 34, 24);
    back.lineTo(36, 46);
    back.lineTo(4, 46);
    back.closeSubpath();
    p.fillPath(back, hair);
  }
  p.setPen(QPen(QColor(150, 100, 70), 1.2));
  p.setBrush(QColor(250, 214, 178));
  p.drawEllipse(QRectF(9, 10, 22, 28));
  // Hair on top.
  QPainterPath top;
  top.moveTo(8, 22);
  top.cubicTo(6, 4, 34, 4, 32, 22);
  top.cubicTo(28, 14, 14, 12, 8, 22);
  p.fillPath(top, hair);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 60));
  p.drawEllipse(QRectF(14.5, 22, 3, 3));
  p.drawEllipse(QRectF(22.5, 22, 3, 3));
  p.setPen(QPen(woman ? QColor(200, 40, 60) : QColor(140, 70, 60), 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(15, 27, 10, 6), 200 * 16, 140 * 16);
  // Shoulders.
  p.setPen(Qt::NoPen);
  p.setBrush(woman ? QColor(200, 60, 120) : QColor(40, 80, 160));
  p.drawRoundedRect(QRectF(4, 40, 32, 12), 6, 6);
  return picture;
}

QImage ChatSendPicture(int size) {
  QImage picture = Blank(QSize(size, size));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 40.0, size / 40.0);
  QRadialGradient ball(QPointF(15, 13), 24);
  ball.setColorAt(0, QColor(160, 230, 140));
  ball.setColorAt(1, QColor(30, 120, 40));
  p.setPen(QPen(QColor(20, 70, 20), 1.5));
  p.setBrush(ball);
  p.drawEllipse(QRectF(1.5, 1.5, 37, 37));
  // A paper plane.
  QPainterPath plane;
  plane.moveTo(9, 20);
  plane.lineTo(31, 10);
  plane.lineTo(24, 31);
  plane.lineTo(19, 23);
  plane.closeSubpath();
  p.setPen(QPen(QColor(30, 60, 30), 1.2));
  p.setBrush(QColor(255, 255, 250));
  p.drawPath(plane);
  p.drawLine(QPointF(19, 23), QPointF(31, 10));
  return picture;
}

QImage ChatRefreshPicture(int size) {
  QImage picture = Blank(QSize(size, size));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 40.0, size / 40.0);
  QRadialGradient ball(QPointF(15, 13), 24);
  ball.setColorAt(0, QColor(150, 200, 255));
  ball.setColorAt(1, QColor(20, 70, 160));
  p.setPen(QPen(QColor(10, 40, 100), 1.5));
  p.setBrush(ball);
  p.drawEllipse(QRectF(1.5, 1.5, 37, 37));
  // Two arrows chasing each other round the circle.
  p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  const QRectF ring(10, 10, 20, 20);
  p.drawArc(ring, 20 * 16, 140 * 16);
  p.drawArc(ring, 200 * 16, 140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({QPointF(6, 18), QPointF(14, 18), QPointF(10, 24)}));
  p.drawPolygon(QPolygonF({QPointF(26, 22), QPointF(34, 22), QPointF(30, 16)}));
  return picture;
}

QImage ChatNewMark(int height) {
  const int h = std::max(8, height);
  const int w = h * 2;
  QImage picture = Blank(QSize(w, h));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 0, 0), 1));
  p.setBrush(QColor(220, 30, 30));
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), h / 3.0, h / 3.0);
  QFont font = i18n::KindFont(i18n::FontKind::Serif, std::max(6, h * 3 / 4));
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("new"));
  return picture;
}

ChatBoardView::ChatBoardView(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("ChatBoard")); }

void ChatBoardView::SetMessages(const std::array<std::optional<ChatBoardMessage>, kLines>& lines) {
  lines_ = lines;
  no_connect_ = false;
  update();
}

void ChatBoardView::SetNoConnect() {
  lines_ = {};
  no_connect_ = true;
  update();
}

void ChatBoardView::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kRim, 2));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
  if (no_connect_) {
    p.setPen(QColor(170, 0, 0));
    p.setFont(i18n::KindFont(i18n::FontKind::Decor, 28));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("No Connect"));
    return;
  }
  const int margin = 8;
  const double line = (height() - 2.0 * margin) / (2.0 * kLines);
  const int pixels = std::max(8, static_cast<int>(line * 0.62));
  const QFont headerFont = i18n::KindFont(i18n::FontKind::Serif, pixels);
  QFont textFont = i18n::KindFont(i18n::FontKind::Serif, pixels + 1);
  textFont.setBold(true);
  const QImage mark = ChatNewMark(static_cast<int>(line * 0.7));
  const int markRoom = mark.width() + 6;
  const QImage man = ChatFacePicture(false, static_cast<int>(line * 0.9));
  const QImage woman = ChatFacePicture(true, static_cast<int>(line * 0.9));
  for (int i = 0; i < kLines; ++i) {
    const std::optional<ChatBoardMessage>& message = lines_[static_cast<std::size_t>(i)];
    if (!message) continue;
    const double top = margin + 2 * i * line;
    const auto centred = [&](const QImage& picture, double lineTop) {
      return lineTop + (line - picture.height()) / 2.0;
    };
    if (message->Fresh) {
      p.drawImage(QPointF(margin, centred(mark, top)), mark);
      p.drawImage(QPointF(margin, centred(mark, top + line)), mark);
    }
    double x = margin + markRoom;
    p.setFont(headerFont);
    p.setPen(kNumberColour);
    const QString number = QString::number(message->Number) + QLatin1Char('.');
    p.drawText(QRectF(x, top, width(), line), Qt::AlignLeft | Qt::AlignVCenter, number);
    x += QFontMetrics(headerFont).horizontalAdvance(number) + 5;
    QImage flag;
    const QString flagName = ChatFlagName(message->Country);
    if (!flagName.isEmpty() && LoadPng(flagName, QString(), flag)) {
      p.drawImage(QPointF(x, centred(flag, top)), flag);
      x += flag.width() + 4;
    }
    const QImage& face = message->Woman ? woman : man;
    p.drawImage(QPointF(x, centred(face, top)), face);
    x += face.width() + 5;
    p.setPen(kHeaderColour);
    p.drawText(QRectF(x, top, width() - x - margin, line), Qt::AlignLeft | Qt::AlignVCenter, message->Header);
    p.setFont(textFont);
    p.setPen(kTextColour);
    const double textX = margin + markRoom + 12;
    p.drawText(QRectF(textX, top + line, width() - textX - margin, line), Qt::AlignLeft | Qt::AlignVCenter,
               message->Text);
  }
}

}  // namespace varnok
