#include "status_drawing.h"

#include <QFontMetrics>
#include <QHash>
#include <QLoggingCategory>
#include <QPainter>
#include <QSet>
#include <algorithm>

#include "fonts.h"
#include "loader.h"
#include "names.h"
#include "status_text.h"
#include "words.h"

namespace varnok {

Q_LOGGING_CATEGORY(lcStatus, "varnok.status")

namespace {

using i18n::FontKind;

bool IsRgbPicture(const QImage& picture) {
  const QPixelFormat::ColorModel model = picture.pixelFormat().colorModel();
  return model == QPixelFormat::RGB || model == QPixelFormat::BGR;
}

// A copy of the picture with the colour of its bottom left pixel made
// transparent, as bitmaps without an alpha channel are drawn transparently.
QImage Transparent(const QImage& bitmap) {
  if (bitmap.isNull() || bitmap.hasAlphaChannel()) return bitmap;
  QImage result = bitmap.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = result.pixel(0, result.height() - 1);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      if ((line[x] & 0x00ffffffU) == (key & 0x00ffffffU)) line[x] = 0;
    }
  }
  return result;
}

// The pristine look of a score panel: the table's background under the
// panel with the panel's picture stretched over it.
QImage PristinePanel(const LayerCanvas& canvas, const LayoutState& layout) {
  QImage pristine(canvas.image.size(), QImage::Format_ARGB32_Premultiplied);
  LayerCanvas under{pristine, canvas.rect, canvas.background};
  RestoreBackground(under);
  const bool small = layout.WindowMode == kSmallWindow;
  const QImage tablo =
      FittedStatusPicture(small ? QStringLiteral("TabloSm") : QStringLiteral("TabloBg"), pristine.size());
  if (!tablo.isNull()) {
    QPainter painter(&pristine);
    painter.drawImage(0, 0, tablo);
  }
  return pristine;
}

void Blank(QPainter& painter, const QImage& pristine, QRect box) {
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(box.topLeft(), pristine, box);
  painter.restore();
}

// One number field of a score panel: blank its box, then centre the text
// between x1 and x2 at y, inside the box.
struct FieldLook {
  QColor colour;
  int height;
  bool bold;
  int x1, x2, y;
};

void DrawField(QPainter& painter, const QImage& pristine, QRect box, const QString& text, const FieldLook& look) {
  Blank(painter, pristine, box);
  painter.save();
  painter.setClipRect(box);
  // The digits keep a pixel clear of the box on every side, in every script's font.
  QFont font = FitTextFont(LargeFace(), look.height, look.bold, text, box.width() - 2);
  ShrinkToLetterHeight(font, text, box.height() - 2);
  painter.setFont(font);
  painter.setPen(look.colour);
  CentreText(painter, look.x1, look.x2, KeepLettersBetween(font, text, look.y, box.top() + 1, box.bottom() - 1), text);
  painter.restore();
}

// Paints the round panel's frame (over the table's background) inside `area`.
void DrawRoundFrame(LayerCanvas& canvas, const LayoutState& layout, QRect area) {
  QImage under(canvas.image.size(), QImage::Format_ARGB32_Premultiplied);
  LayerCanvas piece{under, canvas.rect, canvas.background};
  RestoreBackground(piece);
  {
    QPainter painter(&under);
    DrawLayerFrame(painter, layout, QStringLiteral("RamkaBBSm"), QStringLiteral("RamkaBBBg"), under.size());
  }
  QPainter painter(&canvas.image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(area.topLeft(), under, area);
}

QImage SuitSign(int suitIndex, int faceDesign, bool large) {
  const QString name = QString::fromStdString(SuitSignName(suitIndex, faceDesign, large));
  const QString library = QString::fromStdString(FaceLibrary(faceDesign));
  QImage sign = name.isEmpty() ? QImage() : StatusPicture(name, library);
  if (sign.isNull() && faceDesign != 0) {
    // The design's library is missing: the built-in sign stands in.
    sign = StatusPicture(QString::fromStdString(SuitSignName(suitIndex, 0, large)));
  }
  return sign;
}

}  // namespace

bool PrepareCanvas(LayerCanvas& canvas) {
  if (canvas.rect.width() < 1 || canvas.rect.height() < 1) return false;
  if (canvas.image.size() != canvas.rect.size()) {
    canvas.image = QImage(canvas.rect.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.image.fill(kSilver);
  }
  return true;
}

void RestoreBackground(LayerCanvas& canvas) {
  if (!PrepareCanvas(canvas)) return;
  QPainter painter(&canvas.image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(canvas.image.rect(), kSilver);
  painter.drawImage(-canvas.rect.left(), -canvas.rect.top(), canvas.background);
}

std::optional<QImage> Resample(const QImage& picture, QSize size) {
  if (picture.isNull()) return picture;
  if (!IsRgbPicture(picture)) return std::nullopt;
  if (picture.width() <= 1 || picture.height() <= 1 || size.width() <= 1 || size.height() <= 1) return picture;
  if (picture.size() == size) return picture;
  return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage FitPicture(const QImage& picture, QSize size) {
  if (std::optional<QImage> fitted = Resample(picture, size)) return *std::move(fitted);
  qCWarning(lcStatus) << "picture of format" << picture.format()
                      << "converted before resampling: only RGB pictures with or without alpha are resampled";
  return Resample(picture.convertToFormat(QImage::Format_ARGB32), size).value_or(QImage());
}

int TextWidth(QPainter& painter, const QString& text) { return painter.fontMetrics().horizontalAdvance(text); }

void CentreText(QPainter& painter, int x1, int x2, int y, const QString& text) {
  const int width = TextWidth(painter, text);
  const int x = x1 + (x2 - x1 - width) / 2;  // integer division truncates toward zero
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

QImage StatusPicture(const QString& name, const QString& library) {
  static QHash<QString, QImage> cache;
  static QSet<QString> missing;
  const QString key = library + QLatin1Char('/') + name;
  if (const auto found = cache.constFind(key); found != cache.constEnd()) return *found;
  QImage picture;
  if (LoadPng(name, library, picture) || LoadBitmap(name, library, picture)) {
    cache.insert(key, picture);
    return picture;
  }
  if (!missing.contains(key)) {
    missing.insert(key);
    qCWarning(lcStatus) << "picture" << name << "not found" << (library.isEmpty() ? QString() : library);
  }
  return {};
}

QImage FittedStatusPicture(const QString& name, QSize size) {
  static QHash<QString, QHash<QSize, QImage>> cache;
  QHash<QSize, QImage>& sizes = cache[name];
  if (const auto found = sizes.constFind(size); found != sizes.constEnd()) return *found;
  const QImage picture = StatusPicture(name);
  if (picture.isNull()) return picture;  // not kept: StatusPicture logs it once
  return *sizes.insert(size, FitPicture(picture, size));
}

void DrawLayerFrame(QPainter& painter, const LayoutState& layout, const QString& smallName, const QString& bigName,
                    QSize size) {
  if (layout.WindowMode == kSmallWindow) {
    painter.drawImage(0, 0, StatusPicture(smallName));
    return;
  }
  const QImage frame = FittedStatusPicture(bigName, size);
  if (!frame.isNull()) painter.drawImage(0, 0, frame);
}

QRect ScaledBox(const LayoutState& layout, QRect design) {
  return {ScaleLen(layout, design.left()), ScaleLen(layout, design.top()), ScaleLen(layout, design.width()),
          ScaleLen(layout, design.height())};
}

QRect MarkerRect(const LayoutState& layout, int seat) {
  if (layout.WindowMode == kSmallWindow) return {22, seat == 3 ? 50 : 49, 20, 30};
  return {ScaleLen(layout, 23), ScaleLen(layout, 49), ScaleLen(layout, 20), ScaleLen(layout, 30)};
}

QString PointsText(int value, bool finalCount) {
  const QString number = QString::number(value);
  return finalCount && value > 0 ? QLatin1Char('+') + number : number;
}

void DrawScorePanel(LayerCanvas& canvas, const LayoutState& layout, int seat, const PanelUpdate& update,
                    bool gameOverRed) {
  if (!PrepareCanvas(canvas)) return;
  const QImage pristine = PristinePanel(canvas, layout);
  QPainter painter(&canvas.image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  if (update.reset) Blank(painter, pristine, canvas.image.rect());

  // The turn marker, a hand pointing at the seat's cards.
  const QRect markerBox = ScaledBox(layout, kMarkerBoxDesign);
  Blank(painter, pristine, markerBox);
  if (update.marker) {
    const QRect place = MarkerRect(layout, seat);
    const QImage hand =
        FittedStatusPicture(seat == 3 ? QStringLiteral("Hand_Down") : QStringLiteral("Hand_Up"), place.size());
    if (!hand.isNull()) {
      painter.save();
      painter.setClipRect(markerBox);
      painter.drawImage(place.topLeft(), hand);
      painter.restore();
    }
  }

  const bool red = gameOverRed || update.final_counts;
  const int panelWidth = ScaleLen(layout, kScorePanelDesign.width());
  auto field = [&](const PanelField& value, QRect design, const QString& text, const FieldLook& look) {
    const QRect box = ScaledBox(layout, design);
    if (value.kind == PanelField::Kind::Blank) Blank(painter, pristine, box);
    if (value.kind == PanelField::Kind::Value) DrawField(painter, pristine, box, text, look);
  };
  field(update.points, kPointsBoxDesign, PointsText(update.points.value, red),
        {red ? kRed : kFuchsia, i18n::FontSize(ScaleLen(layout, 30), FontKind::Decor), false, 0, panelWidth,
         ScaleLen(layout, 14)});
  field(update.score, kScoreBoxDesign, QString::number(update.score.value),
        {kBlue, i18n::FontSize(ScaleLen(layout, 20), FontKind::Decor), false, 0, panelWidth, ScaleLen(layout, 54)});
  field(update.ordered, kOrderBoxDesign, QString::number(update.ordered.value),
        {kNavy, i18n::FontSize(ScaleLen(layout, 24), FontKind::Decor), true, ScaleLen(layout, 105),
         ScaleLen(layout, 140), ScaleLen(layout, 52)});
}

QString BubblePictureName(BubbleStyle style, bool big) {
  QString name;
  switch (style) {
    case BubbleStyle::Announce:
      name = QStringLiteral("SPBlue");
      break;
    case BubbleStyle::Pass:
      name = QStringLiteral("SPGreen");
      break;
    case BubbleStyle::Name:
      name = QStringLiteral("SPYellow");
      break;
    case BubbleStyle::Empty:
      return {};
  }
  return big ? name + QLatin1Char('B') : name;
}

int BubbleTextHeight(const LayoutState& layout, const QString& text) {
  const int limit = ScaleLen(layout, 150);
  int height = 0;
  for (const int size : {18, 16, 14}) {
    height = i18n::FontSize(ScaleLen(layout, size), FontKind::Serif);
    if (QFontMetrics(FaceFont(SmallFace(), height, true)).horizontalAdvance(text) <= limit) break;
  }
  return height;
}

void ShowBubble(LayerCanvas& canvas, const LayoutState& layout, const QString& text, BubbleStyle style) {
  if (!PrepareCanvas(canvas)) return;
  RestoreBackground(canvas);
  QString shown = text;
  while (!shown.isEmpty() && shown.back().isSpace()) shown.chop(1);
  if (shown.isEmpty() || style == BubbleStyle::Empty) return;

  const int height = BubbleTextHeight(layout, shown);
  QPainter painter(&canvas.image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawLayerFrame(painter, layout, BubblePictureName(style, false), BubblePictureName(style, true),
                 canvas.image.size());
  // The letters stay inside the bubble's frame: a script set low (Chinese,
  // Japanese, Korean), a descender or an accent is moved or made smaller.
  const int frame = std::max(2, ScaleLen(layout, 2));
  QFont font = FaceFont(SmallFace(), height, true);
  ShrinkToLetterHeight(font, shown, canvas.image.height() - 2 * frame);
  painter.setFont(font);
  painter.setPen(kWhite);
  const int centred = RoundHalfEven((canvas.image.height() - painter.fontMetrics().height()) / 2.0);
  const int y = KeepLettersBetween(font, shown, centred, frame, canvas.image.height() - 1 - frame);
  CentreText(painter, 0, ScaleLen(layout, 160), y, shown);
}

void DrawRoundPanel(LayerCanvas& canvas, const LayoutState& layout, int roundNo, std::uint8_t trump,
                    int faceDesign) {
  if (!PrepareCanvas(canvas)) return;
  const QRect all = canvas.image.rect();
  DrawRoundFrame(canvas, layout, all);
  const int width = all.width();
  // The frame's border and its gold line take 12 design pixels on either side.
  const int room = width - 2 * ScaleLen(layout, 12);

  QPainter painter(&canvas.image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int height = i18n::FontSize(ScaleLen(layout, 28), FontKind::Decor);
  const QString round = i18n::Text(i18n::WordsGames, 10) + QLatin1Char(' ') + QString::number(roundNo);
  painter.setFont(FitTextFont(LargeFace(), height, false, round, room));
  painter.setPen(kBlue);
  CentreText(painter, 0, width, ScaleLen(layout, 15), round);

  const int suit = SuitIndex(trump);
  if (trump == kNoSuit || suit < 0) return;
  const QString label = i18n::Text(i18n::WordsGames, 21);
  painter.setFont(FitTextFont(LargeFace(), height, false, label, room));
  painter.setPen(kGreen);
  CentreText(painter, 0, width, RoundHalfEven(layout.ScaleK * 55), label);
  if (layout.WindowMode == kSmallWindow) {
    painter.drawImage(50, 90, Transparent(SuitSign(suit, faceDesign, false)));
  } else {
    painter.drawImage(RoundHalfEven(width / 2.0) - 20, ScaleLen(layout, 90), SuitSign(suit, faceDesign, true));
  }
}

QRect BidProgressRect(const LayoutState& layout) {
  const int width = ScaleLen(layout, 80);
  const int height = ScaleLen(layout, 15);
  const int left = RoundHalfEven((ScaleLen(layout, 120) - width) / 2.0);
  const int top = ScaleLen(layout, 150) - ScaleLen(layout, 45);
  return {left, top, width, height};
}

QString BidProgressText(int value) {
  const int progress = std::clamp(value, 0, 80);
  return QString::number(RoundHalfEven(progress * 100 / 80.0)) + QLatin1Char('%');
}

void DrawBidProgress(LayerCanvas& roundPanel, const LayoutState& layout, int value) {
  if (!PrepareCanvas(roundPanel)) return;
  const QRect strip = BidProgressRect(layout);
  if (value < 0) {
    DrawRoundFrame(roundPanel, layout, strip);
    return;
  }
  const int progress = std::clamp(value, 0, 80);
  const QColor maroon(128, 0, 0);
  const QColor lightGreen(200, 255, 200);
  const QColor lightRed(255, 200, 200);
  auto at = [&](int x, int y) { return strip.topLeft() + QPoint(ScaleLen(layout, x), ScaleLen(layout, y)); };

  QPainter painter(&roundPanel.image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(maroon);
  painter.setBrush(lightGreen);
  painter.drawRect(strip.adjusted(0, 0, -1, -1));
  painter.fillRect(QRect(at(1, 1), at(79, 14)).adjusted(0, 0, -1, -1), lightRed);
  if (progress < 79) {
    // The border's left column stays when nothing is done yet.
    painter.fillRect(QRect(at(std::max(progress, 1), 1), at(79, 14)).adjusted(0, 0, -1, -1), lightGreen);
  }
  const QString text = BidProgressText(progress);
  painter.setClipRect(strip);
  painter.setFont(FitTextFont(SmallFace(), i18n::FontSize(ScaleLen(layout, 16), FontKind::Serif), false, text,
                              strip.width() - 4));
  painter.setPen(kBlue);
  const int y = strip.top() + RoundHalfEven((strip.height() - painter.fontMetrics().height()) / 2.0);
  CentreText(painter, strip.left(), strip.right() + 1, y, text);
}

}  // namespace varnok
