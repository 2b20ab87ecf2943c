#include "form_link.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>
#include <QtDebug>
#include <algorithm>

#include "dialog_look.h"
#include "fonts.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kTextLeft = 59;
constexpr std::array<int, 3> kLineTops = {5, 21, 37};
constexpr int kLineFont = 20;
constexpr int kSignSize = 48;
constexpr int kButtonHeight = 30;

// The lines stand 16 pixels apart: the 20-unit font is given a 15-pixel
// glyph height (scaled with the large font's setting) so that they do not touch.
QFont NoticeFont(bool link) {
  QFont font = i18n::FaceFont(QStringLiteral("Comic Sans MS"));
  font.setPixelSize(i18n::FontSize(kLineFont, i18n::FontKind::Decor) * 3 / 4);
  font.setBold(true);
  font.setUnderline(link);
  return font;
}

// The 48 x 48 sign at the top left: a gold disc with an exclamation mark.
QImage DrawSign() {
  QImage image(kSignSize, kSignSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient disc(QPointF(18, 16), 30);
  disc.setColorAt(0.0, QColor(255, 236, 150));
  disc.setColorAt(0.6, QColor(232, 176, 40));
  disc.setColorAt(1.0, QColor(160, 100, 10));
  painter.setPen(QPen(QColor(110, 64, 0), 2));
  painter.setBrush(disc);
  painter.drawEllipse(QRectF(3, 3, 42, 42));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(90, 20, 10));
  QPainterPath mark;
  mark.moveTo(20.5, 11);
  mark.lineTo(27.5, 11);
  mark.lineTo(25.5, 30);
  mark.lineTo(22.5, 30);
  mark.closeSubpath();
  painter.drawPath(mark);
  painter.drawEllipse(QRectF(20.5, 32.5, 7, 7));
  return image;
}

}  // namespace

bool IsOpenableLink(const QString& text) {
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  if (!url.isValid()) return false;
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("mailto")) return !url.path().isEmpty();
  return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

void OpenLinkText(const QString& text) {
  if (!IsOpenableLink(text)) {
    qWarning("TFormLink: \"%s\" is no web or mail address; it is not opened", qUtf8Printable(text));
    return;
  }
  QDesktopServices::openUrl(QUrl(text.trimmed(), QUrl::StrictMode));
}

int NoticeWidth(int widest_text) {
  const int width = widest_text + kTextLeft;
  return width >= 350 ? width + 50 : 400;
}

TFormLink::TFormLink(const QString& line1, const QString& line2, const QString& line3, QWidget* parent,
                     LinkOpener opener)
    : QDialog(parent), opener_(std::move(opener)) {
  setObjectName(QStringLiteral("TFormLink"));
  setWindowTitle(QStringLiteral("Attention"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  sign_ = DrawSign();

  const std::array<QString, 3> texts = {line1, line2, line3};
  int widest = 0;
  int bottom = kSignSize + 5;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const bool link = i == 2;
    auto* label = new QLabel(texts[i], this);
    label->setObjectName(QStringLiteral("Line%1").arg(i + 1));
    label->setFont(NoticeFont(link));
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, link ? QColor(0, 0, 255) : QColor(40, 24, 8));
    label->setPalette(palette);
    const int text_width = QFontMetrics(label->font()).horizontalAdvance(texts[i]);
    label->setGeometry(kTextLeft, kLineTops[i], text_width + 4, QFontMetrics(label->font()).height());
    if (link) {
      label->setCursor(Qt::PointingHandCursor);
      label->installEventFilter(this);
      label->setToolTip(texts[i]);
    }
    label->setVisible(!texts[i].isEmpty());
    if (!texts[i].isEmpty()) {
      widest = std::max(widest, text_width);
      bottom = std::max(bottom, label->geometry().bottom() + 1);
    }
    lines_[i] = label;
  }

  const int width = NoticeWidth(widest);
  ok_ = MakeDialogOk(this, TColorSB::DBlue, 15);
  ok_->setGeometry(5, bottom + 8, width - 10, kButtonHeight);
  setFixedSize(width, bottom + 8 + kButtonHeight + 6);
  ok_->setFocus();
  ApplyNata(this, DialogNata());
}

bool TFormLink::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lines_[2] && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && opener_) opener_(lines_[2]->text());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormLink::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QLinearGradient paper(0, 0, 0, height());
  paper.setColorAt(0.0, QColor(255, 250, 236));
  paper.setColorAt(1.0, QColor(238, 226, 196));
  painter.fillRect(rect(), paper);
  painter.setPen(QColor(176, 140, 70));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.drawImage(5, 5, sign_);
}

void TFormLink::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
}

void ShowNotice(QWidget* parent, const QString& line1, const QString& line2, const QString& line3,
                LinkOpener opener) {
  TFormLink notice(line1, line2, line3, parent, std::move(opener));
  notice.exec();
}

}  // namespace varnok
