#include "zub_cards_button.h"

#include <cmath>

#include <QEnterEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QtDebug>
#include <algorithm>

#include "loader.h"

namespace varnok {

namespace {

constexpr int kNewWidth = 100;
constexpr int kNewHeight = 30;
const QColor kSilver(192, 192, 192);

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

int HeightOf(THeightSB height) {
  switch (height) {
    case THeightSB::D30:
      return 30;
    case THeightSB::D45:
      return 45;
    case THeightSB::D60:
      return 60;
  }
  return 30;
}

// One face part recoloured and brought to `size`: a plain stretch at the
// standard heights or without `smooth`, else bilinear resampling.
QImage FacePart(const QImage& picture, QSize size, TColorSB scheme, int k, bool nata, bool smooth) {
  if (picture.isNull() || size.isEmpty()) return {};
  const QImage recoloured = Recolour(picture, scheme, k, nata);
  if (smooth && !IsRgbPicture(picture)) {
    qWarning("TZubCardsButton: Only COLOR_RGBALPHA and COLOR_RGB formats are supported");
    smooth = false;
  }
  if (!smooth) return recoloured.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  return ResampleBilinear(recoloured, size);
}

}  // namespace

const QImage& FacePicture(const QString& name) {
  static QHash<QString, QImage> pictures;
  auto found = pictures.find(name);
  if (found == pictures.end()) {
    QImage picture;
    if (!LoadPng(name, QString(), picture)) picture = QImage();
    found = pictures.insert(name, picture);
  }
  return found.value();
}

TZubCardsButton::TZubCardsButton(QWidget* parent) : QPushButton(parent) {
  resize(kNewWidth, kNewHeight);
}

TZubCardsButton::TZubCardsButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  resize(kNewWidth, kNewHeight);
}

void TZubCardsButton::Changed() { update(); }

void TZubCardsButton::SetColorSB(TColorSB scheme) {
  color_sb_ = scheme;
  Changed();
}

void TZubCardsButton::SetColorMouse(const QColor& colour) {
  color_mouse_ = colour;
  Changed();
}

void TZubCardsButton::SetLightFont(bool on) {
  light_font_ = on;
  Changed();
}

void TZubCardsButton::SetGrayDis(bool on) {
  gray_dis_ = on;
  Changed();
}

void TZubCardsButton::SetHeightSB(THeightSB height) {
  height_sb_ = height;
  resize(width(), HeightOf(height));
  updateGeometry();
  Changed();
}

void TZubCardsButton::SetKLightSB(int percent) {
  k_light_sb_ = std::clamp(percent, 0, 255);
  Changed();
}

void TZubCardsButton::SetKontur(bool on) {
  kontur_ = on;
  Changed();
}

void TZubCardsButton::SetSmooth(bool on) {
  smooth_ = on;
  Changed();
}

void TZubCardsButton::SetNata(bool on) {
  nata_ = on;
  Changed();
}

void TZubCardsButton::SetGlyph(const QPixmap& glyph) {
  glyph_ = glyph;
  updateGeometry();
  Changed();
}

void TZubCardsButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Changed();
}

void TZubCardsButton::SetMargin(int margin) {
  margin_ = margin;
  Changed();
}

QColor TZubCardsButton::FontColor() const { return palette().color(QPalette::Active, QPalette::ButtonText); }

void TZubCardsButton::SetFontColor(const QColor& colour) {
  QPalette colours = palette();
  colours.setColor(QPalette::ButtonText, colour);
  setPalette(colours);
  Changed();
}

TZubCardsButton::DrawStates TZubCardsButton::CurrentStates() const {
  DrawStates states;
  if (isDown()) states |= Pressed;
  if (!isEnabled()) states |= Disabled;
  if (hasFocus()) states |= Focused;
  return states;
}

QImage TZubCardsButton::Face(QSize size) {
  const FaceKey key{size, color_sb_, k_light_sb_, nata_, smooth_};
  if (key == face_key_ && !face_.isNull()) return face_;
  face_key_ = key;

  const int width = size.width();
  const int height = size.height();
  face_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
  face_.fill(Qt::transparent);
  const int face_height = height - 1;
  if (width < 2 || face_height < 1) return face_;

  const bool standard = IsStandardHeight(height);
  const bool smooth = smooth_ && !standard;
  const int cap = CapWidth(height);
  const int middle_width = width - 2 * cap - 1;
  QPainter painter(&face_);

  const QSize cap_size(cap, face_height);
  painter.drawImage(0, 0, FacePart(FacePicture(FacePictureName(height, nata_, 'L')), cap_size, color_sb_,
                                   k_light_sb_, nata_, smooth));
  painter.drawImage(width - cap - 1, 0,
                    FacePart(FacePicture(FacePictureName(height, nata_, 'R')), cap_size, color_sb_, k_light_sb_,
                             nata_, smooth));
  if (middle_width > 0) {
    const std::vector<Rgb>& lines = GradientLines(height);
    if (!nata_ && color_sb_ != TColorSB::DCards && !lines.empty()) {
      for (int y = 0; y < face_height; ++y) {
        const Rgb colour = Recolour(lines[static_cast<std::size_t>(y)], color_sb_, k_light_sb_, false);
        painter.fillRect(cap, y, middle_width, 1, ToQColor(colour));
      }
    } else {
      painter.drawImage(cap, 0,
                        FacePart(FacePicture(FacePictureName(height, nata_, '2')), QSize(middle_width, face_height),
                                 color_sb_, k_light_sb_, nata_, smooth));
    }
  }
  return face_;
}

void TZubCardsButton::Draw(QPainter& painter, const QRect& rect, DrawStates states) {
  const QSize size = rect.size();
  const bool pressed = states.testFlag(Pressed);
  painter.save();
  painter.translate(rect.topLeft());

  // The face with its glyph, one pixel right and down while pressed; what
  // lies under the button shows through where the face is transparent.
  const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
  painter.drawImage(shift, Face(size));
  if (!glyph_.isNull()) painter.drawPixmap(shift + GlyphPosition(size, glyph_.size(), layout_), glyph_);

  // The caption.
  QColor colour = FontColor();
  if (light_font_ && hovered_) colour = color_mouse_;
  if (states.testFlag(Disabled) && gray_dis_) colour = kSilver;
  const CaptionPlacement caption = PlaceCaption(size, glyph_.isNull() ? 0 : glyph_.width(), layout_, margin_ >= 0,
                                                nata_, pressed);
  painter.setFont(font());
  painter.setPen(colour);
  painter.setBackgroundMode(Qt::TransparentMode);
  // A caption fitted on two lines keeps its line break.
  const int lines = text().contains(QLatin1Char('\n')) ? 0 : int(Qt::TextSingleLine);
  painter.drawText(caption.rect, int(caption.align) | lines | Qt::TextShowMnemonic, text());

  painter.restore();
  Q_EMIT OnDrawButton(this, &painter, rect, states);

  if (states.testFlag(Focused) && kontur_) {
    painter.save();
    painter.translate(rect.topLeft());
    DrawFocusMark(painter, size);
    painter.restore();
  }
}

void TZubCardsButton::DrawFocusMark(QPainter& painter, QSize size) {
  const QColor colour = ToQColor(FocusColour(color_sb_, nata_));
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (!nata_) {
    // A one-pixel outline through the pixel centres of the frame's edges.
    const FocusFrame frame = FocusFrameFor(size);
    const QRectF outline = QRectF(frame.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = frame.corner / 2.0;
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outline, radius, radius);
    return;
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  for (const QRect& dot : FocusDots(size)) painter.drawEllipse(QRectF(dot));
}

void TZubCardsButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Draw(painter, rect(), CurrentStates());
}

void TZubCardsButton::enterEvent(QEnterEvent* event) {
  QPushButton::enterEvent(event);
  hovered_ = true;
  repaint();
  Q_EMIT OnMouseEnter();
}

void TZubCardsButton::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  hovered_ = false;
  repaint();
  Q_EMIT OnMouseLeave();
}

void TZubCardsButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click is a second click: the button goes down again.
  mousePressEvent(event);
}

void TZubCardsButton::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
      Changed();
      break;
    default:
      break;
  }
}

QSize TZubCardsButton::sizeHint() const {
  const int height = HeightOf(height_sb_);
  const QFontMetrics metrics(font());
  int wanted = metrics.horizontalAdvance(text()) + 2 * CapWidth(height) + 16;
  if (!glyph_.isNull()) wanted += glyph_.width() + 2 * GlyphEdgeDistance(height);
  return {std::max(kNewWidth, wanted), height};
}

QSize TZubCardsButton::minimumSizeHint() const { return {2 * CapWidth(HeightOf(height_sb_)) + 2, 8}; }

void FitCaptionToButton(TZubCardsButton* button, const QFont& base, const QString& caption) {
  const int room = button->width() - 12;
  const int height = button->height() - 2;
  const auto pixels = [](const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
  };
  const auto sized = [&base](int px) {
    QFont font = base;
    font.setPixelSize(std::max(6, px));
    return font;
  };
  const auto fits = [room, height](const QFont& font, const QStringList& lines) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest <= room && static_cast<int>(lines.size()) * metrics.height() <= height;
  };
  const int full = pixels(base);
  // One line, at most a fifth smaller.
  for (int px = full; px >= full * 4 / 5; --px) {
    if (fits(sized(px), {caption})) {
      button->setFont(sized(px));
      button->setText(caption);
      return;
    }
  }
  // Two lines, broken at the blank nearest the middle.
  QStringList lines{caption};
  int best = -1;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char(' ') && (best < 0 || std::abs(i - caption.size() / 2) < std::abs(best - caption.size() / 2)))
      best = i;
  }
  if (best > 0) lines = QStringList{caption.left(best), caption.mid(best + 1)};
  int px = full;
  while (px > 6 && !fits(sized(px), lines)) --px;
  button->setFont(sized(px));
  button->setText(lines.join(QLatin1Char('\n')));
}

void ApplyNata(QWidget* window, bool nata) {
  if (window == nullptr) return;
  for (TZubCardsButton* button : window->findChildren<TZubCardsButton*>()) button->SetNata(nata);
  if (auto* self = qobject_cast<TZubCardsButton*>(window)) self->SetNata(nata);
}

}  // namespace varnok
