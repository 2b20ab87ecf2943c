#include "chat_bar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "fonts.h"
#include "table_canvas.h"
#include "words.h"
#include "zub_cards_button.h"

Q_LOGGING_CATEGORY(lcChat, "varnok.table.chat")

namespace varnok {

namespace {

// "Send" in the main word table: the send button's hint.
constexpr int kSendHintRow = 158;

// The send button's glyph: a small arrow pointing at the table.
QPixmap SendGlyph(int side) {
  side = std::max(side, 6);
  QPixmap glyph(side, side);
  glyph.fill(Qt::transparent);
  QPainter p(&glyph);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow;
  const double s = side;
  arrow.moveTo(0.1 * s, 0.15 * s);
  arrow.lineTo(0.95 * s, 0.5 * s);
  arrow.lineTo(0.1 * s, 0.85 * s);
  arrow.lineTo(0.3 * s, 0.5 * s);
  arrow.closeSubpath();
  p.fillPath(arrow, QColor(255, 255, 255));
  p.setPen(QPen(QColor(64, 0, 0), std::max(1.0, s / 14)));
  p.drawPath(arrow);
  return glyph;
}

}  // namespace

QColor ChatSeatColour(int seat) {
  switch (seat) {
    case 1:
      return QColor(128, 0, 0);  // maroon
    case 2:
      return QColor(0, 0, 128);  // navy
    case 3:
      return QColor(0, 128, 0);  // green
    case 4:
      return QColor(128, 128, 0);  // olive
    default:
      return QColor(0, 0, 0);
  }
}

QFont ChatFont(const LayoutState& layout) {
  return i18n::KindFont(i18n::FontKind::Serif, ScaleLen(layout, 14));
}

QString CleanChatText(const QString& text) {
  QString clean = text.left(kChatTextLength);
  // A high surrogate cut from its partner would draw as a box.
  if (!clean.isEmpty() && clean.back().isHighSurrogate()) clean.chop(1);
  for (QChar& c : clean) {
    if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
      c = QLatin1Char(' ');
    }
  }
  return clean;
}

QString ShortenChatText(QPainter& painter, const QString& text, int maxWidth) {
  const QFontMetrics metrics(painter.font());
  QString shown = text;
  int cuts = 0;
  while (cuts < kChatMaxCuts && !shown.isEmpty() && metrics.horizontalAdvance(shown) > maxWidth) {
    shown.chop(1);
    if (!shown.isEmpty() && shown.back().isHighSurrogate()) shown.chop(1);
    ++cuts;
  }
  if (cuts > 0) shown += QStringLiteral("...");
  return shown;
}

QPoint ChatLinePosition(const LayoutState& layout, int j) {
  return {ScaleLen(layout, 20), ScaleLen(layout, 14 * j + 3)};
}

void DrawChatPicture(LayerCanvas& canvas, const LayoutState& layout, const QVector<ChatLine>& lines) {
  if (!PrepareCanvas(canvas)) return;
  RestoreBackground(canvas);
  QPainter painter(&canvas.image);
  DrawLayerFrame(painter, layout, QStringLiteral("RamkaERSm"), QStringLiteral("RamkaERBg"), canvas.image.size());
  painter.setFont(ChatFont(layout));
  painter.setBrush(Qt::NoBrush);
  painter.setBackgroundMode(Qt::TransparentMode);
  const int maxWidth = ScaleLen(layout, kChatLineWidth);
  const QFontMetrics metrics(painter.font());
  const int count = std::min<int>(static_cast<int>(lines.size()), kChatLineCount);
  for (int j = 1; j <= count; ++j) {
    const ChatLine& line = lines[j - 1];
    painter.setPen(ChatSeatColour(line.seat));
    const QPoint at = ChatLinePosition(layout, j);
    // The position is the top of the text.
    painter.drawText(at.x(), at.y() + metrics.ascent(), ShortenChatText(painter, line.text, maxWidth));
  }
}

QRect PlaceChatControl(const LayoutState& layout, QRect design) {
  return {ScaleX(layout, design.x(), design.width()), ScaleY(layout, design.y(), design.height()),
          ScaleLen(layout, design.width()), ScaleLen(layout, design.height())};
}

ChatBar::ChatBar(TableCanvas* canvas, std::function<void(QString)> sound)
    : QObject(canvas), canvas_(canvas), sound_(std::move(sound)) {
  edit_ = new QLineEdit(canvas_);
  edit_->setObjectName(QStringLiteral("Edit1"));
  edit_->setMaxLength(kChatTextLength);
  edit_->hide();
  send_ = new TZubCardsButton(canvas_);
  send_->setObjectName(QStringLiteral("BitBtn1"));
  send_->setFocusPolicy(Qt::StrongFocus);
  send_->hide();
  send_->installEventFilter(this);
  connect(edit_, &QLineEdit::returnPressed, this, &ChatBar::SendLine);
  connect(send_, &QPushButton::clicked, this, &ChatBar::SendLine);
  Place(canvas_->Layout());
}

ChatBar::~ChatBar() = default;

void ChatBar::Show(bool on) {
  shown_ = on;
  edit_->setVisible(on);
  send_->setVisible(on);
  if (on) {
    Redraw();
  } else {
    canvas_->ShowLayer(Layer::ImageMemo, false);
  }
}

void ChatBar::SetEnabled(bool on) {
  edit_->setEnabled(on);
  send_->setEnabled(on);
}

void ChatBar::Place(const LayoutState& layout) {
  edit_->setGeometry(PlaceChatControl(layout, kEditDesign));
  send_->setGeometry(PlaceChatControl(layout, kSendDesign));
  edit_->setFont(i18n::KindFont(i18n::FontKind::Serif, ScaleLen(layout, 13)));
  send_->SetGlyph(SendGlyph(ScaleLen(layout, 14)));
  send_->setToolTip(i18n::Text(i18n::WordsMain, kSendHintRow));
  if (shown_) Redraw();
}

void ChatBar::AddLine(int seat, const QString& name, const QString& text) {
  if (seat < 1 || seat > 4) qCWarning(lcChat) << "chat line of seat" << seat << "out of 1..4, drawn in black";
  if (text.size() > kChatTextLength) {
    qCWarning(lcChat) << "chat line of" << text.size() << "characters cut to" << kChatTextLength;
  }
  if (lines_.size() >= kChatLineCount) lines_.removeFirst();
  lines_.append(ChatLine{seat, name, CleanChatText(text)});
  Redraw();
}

void ChatBar::Receive(int seat, const QString& name, const QString& text) {
  if (sound_) sound_(QString::fromLatin1(kChatSound));
  AddLine(seat, name, text);
}

void ChatBar::Clear() {
  lines_.clear();
  Redraw();
}

void ChatBar::Redraw() {
  if (lines_.isEmpty()) {
    // No line yet: the table shows through.
    canvas_->RestoreLayer(Layer::ImageMemo);
  } else {
    LayerCanvas layer{canvas_->LayerImage(Layer::ImageMemo), canvas_->LayerRect(Layer::ImageMemo),
                      canvas_->Background()};
    DrawChatPicture(layer, canvas_->Layout(), lines_);
  }
  if (shown_) canvas_->RefreshLayer(Layer::ImageMemo);
}

void ChatBar::SendLine() {
  const QString text = edit_->text().left(kChatTextLength);
  // A line of blanks would only push the others out of the picture.
  if (text.trimmed().isEmpty()) return;
  edit_->clear();
  Q_EMIT Send(text);
}

bool ChatBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == send_) {
    switch (event->type()) {
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        keys_.FocusChanged();
        break;
      case QEvent::KeyPress:
        if (keys_.KeyTyped(static_cast<QKeyEvent*>(event)->text())) Q_EMIT DebugToggled();
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace varnok
