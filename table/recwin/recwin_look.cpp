#include "recwin_look.h"

#include <QDialog>
#include <QFontMetrics>
#include <cmath>
#include <QMovie>
#include <QLinearGradient>
#include <QPainter>
#include <utility>

#include "dialog_look.h"
#include "loader.h"
#include "settings.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

CursorSource& Source() {
  static CursorSource source;
  return source;
}

}  // namespace

QImage LibraryPicture(const QString& name) {
  QImage picture;
  if (!LoadBitmap(name, QString::fromLatin1(kGraphicsLibrary), picture)) return {};
  return picture;
}

QImage RecordPicture(const QString& name) {
  QImage picture = LibraryPicture(name);
  if (picture.isNull() && !LoadBitmap(name, QString(), picture)) return {};
  return picture;
}

AnimatedPicture::AnimatedPicture(const QString& name, Mode mode, int still_frame, QSize size, QWidget* parent)
    : QLabel(parent), name_(name), mode_(mode) {
  setObjectName(name);
  setAttribute(Qt::WA_TranslucentBackground);
  setAlignment(Qt::AlignCenter);
  auto* movie = new QMovie(this);
  if (!LoadGif(name, QString(), *movie) && !LoadGif(name, QString::fromLatin1(kGraphicsLibrary), *movie)) {
    delete movie;
    hide();  // a missing animation is left out
    return;
  }
  movie_ = movie;
  if (!size.isEmpty()) {
    movie_->setScaledSize(size);
    resize(size);
  }
  setMovie(movie_);
  switch (mode_) {
    case Mode::Still: {
      const int frames = movie_->frameCount();
      const int frame = frames > 0 ? std::min(still_frame, frames - 1) : 0;
      if (!movie_->jumpToFrame(frame)) movie_->jumpToFrame(0);
      break;
    }
    case Mode::Once:
      connect(movie_, &QMovie::frameChanged, this, [this](int frame) {
        if (movie_->frameCount() > 0 && frame >= movie_->frameCount() - 1) movie_->setPaused(true);
      });
      movie_->start();
      break;
    case Mode::Repeat:
      // A picture whose file asks for a few loops only runs on all the same.
      connect(movie_, &QMovie::finished, movie_, &QMovie::start);
      movie_->start();
      break;
  }
  if (size.isEmpty()) resize(movie_->currentPixmap().size());
}

bool AnimatedPicture::Running() const { return movie_ != nullptr && movie_->state() == QMovie::Running; }

void AnimatedPicture::Stop() {
  if (movie_ == nullptr) return;
  disconnect(movie_, &QMovie::finished, movie_, &QMovie::start);
  if (movie_->state() == QMovie::Running) movie_->setPaused(true);
}

AnimatedPicture::Mode MoveWhenAnimated(bool gif_animation, AnimatedPicture::Mode moving) {
  return gif_animation ? moving : AnimatedPicture::Mode::Still;
}

QPushButton* MakeOkButton(QDialog* window, const Settings& look, bool purple, double scale) {
  TZubCardsButton* ok = MakeDialogOk(window, purple ? TColorSB::DViolet : TColorSB::DNavy, ScaledLen(20, scale));
  ok->SetNata(look.NewButtons);
  return ok;
}

QLabel* PlacedLabel(QWidget* parent, const QString& object_name, const QString& text, const QFont& font,
                    const QColor& colour, QPoint at) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(object_name);
  label->setFont(font);
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->adjustSize();
  label->move(at);
  return label;
}

void SetRecordCursorSource(CursorSource source) { Source() = std::move(source); }

void ApplyRecordCursor(QWidget* window, const Settings& look) {
  if (!Source()) return;
  const QCursor cursor = Source()(look.RedCursor);
  window->setCursor(cursor);
  for (auto* button : window->findChildren<TZubCardsButton*>()) button->setCursor(cursor);
}

void PaintScrollBackdrop(QPainter& painter, const QRect& window, const QRect& area, bool purple,
                         const QImage& scroll) {
  if (purple) {
    QLinearGradient fill(0, 0, 0, window.height());
    fill.setColorAt(0.0, QColor(58, 16, 74));
    fill.setColorAt(1.0, QColor(16, 0, 24));
    painter.fillRect(window, fill);
  } else {
    painter.fillRect(window, kButtonFace);
  }
  if (!scroll.isNull()) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, scroll);
    painter.restore();
    return;
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(246, 236, 208));
  painter.setPen(QPen(QColor(170, 140, 90), 2));
  painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 10, 10);
  painter.restore();
}

QRect ScrollPaper(const QRect& area) {
  // The scroll is drawn at 315 x 400: the paper runs from x 14 to 301, the
  // rollers cover y 4 to 32 and 368 to 396.
  constexpr double kW = 315.0;
  constexpr double kH = 400.0;
  const auto x = [&](double at) { return area.left() + static_cast<int>(std::lround(at * area.width() / kW)); };
  const auto y = [&](double at) { return area.top() + static_cast<int>(std::lround(at * area.height() / kH)); };
  return QRect(QPoint(x(14), y(32)), QPoint(x(301) - 1, y(368) - 1));
}

QRect DrawnText::Extent() const { return QFontMetrics(Font).boundingRect(Box, Flags, Text); }

void DrawShadowedText(QPainter& painter, const QRect& box, int flags, const QString& text, const QColor& colour) {
  painter.setPen(QColor(colour.red() / 2, colour.green() / 2, colour.blue() / 2));
  painter.drawText(box.translated(1, 1), flags, text);
  painter.setPen(colour);
  painter.drawText(box, flags, text);
}

}  // namespace varnok
