#include "clock_drawing.h"

#include <QLoggingCategory>
#include <QPainter>

#include "fonts.h"
#include "status_text.h"

namespace varnok {

Q_LOGGING_CATEGORY(lcClocks, "varnok.status.clocks")

namespace {

constexpr QSize kClockSize{115, 64};

// Restores the background and draws the clock face of the menu's clocks.
bool StartMenuClock(LayerCanvas& canvas) {
  if (!PrepareCanvas(canvas)) return false;
  RestoreBackground(canvas);
  QPainter painter(&canvas.image);
  painter.drawImage(0, 0, StatusPicture(QStringLiteral("GClockBG")));
  return true;
}

}  // namespace

QString MoveClockPicture(int seconds) {
  return seconds < 8 ? QStringLiteral("GTimerR") : QStringLiteral("GTimerY");
}

QColor MoveClockTextColour(int seconds) { return seconds < 8 ? kYellow : kRed; }

void DrawMoveClock(LayerCanvas& canvas, const LayoutState& layout, int seconds) {
  if (!PrepareCanvas(canvas)) return;
  RestoreBackground(canvas);
  if (seconds < 0) return;
  QPainter painter(&canvas.image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QImage face = FittedStatusPicture(MoveClockPicture(seconds), canvas.image.size());
  if (!face.isNull()) painter.drawImage(0, 0, face);
  const int side = canvas.image.height();
  const QString text = QString::number(seconds);
  painter.setFont(FitTextFont(SmallFace(), i18n::FontSize(ScaleLen(layout, 18), i18n::FontKind::Serif), true, text,
                              side));
  painter.setPen(MoveClockTextColour(seconds));
  CentreText(painter, 0, side, RoundHalfEven((side - painter.fontMetrics().height()) / 2.0), text);
}

QRect MoveClockRect(QRect bubble) {
  const int side = bubble.height();
  return {bubble.left() + bubble.width() - side, bubble.top(), side, side};
}

std::vector<PlacedPicture> DigitalClockPictures(QTime now) {
  if (!now.isValid()) return {};
  auto digit = [](int d) { return QStringLiteral("GBClock") + QString::number(d); };
  std::vector<PlacedPicture> pictures;
  const int hour = now.hour();
  const int minute = now.minute();
  if (hour / 10 != 0) pictures.push_back({digit(hour / 10), {14, 15}});
  pictures.push_back({digit(hour % 10), {34, 15}});
  pictures.push_back({digit(minute / 10), {61, 15}});
  pictures.push_back({digit(minute % 10), {81, 15}});
  if (now.msec() > 500) pictures.push_back({QStringLiteral("GBClockP"), {55, 24}});
  return pictures;
}

bool MenuClocksShown(const LayoutState& layout) { return layout.ScaleK >= 1.6; }

void DrawDigitalClock(LayerCanvas& canvas, QTime now) {
  if (!StartMenuClock(canvas)) return;
  QPainter painter(&canvas.image);
  for (const PlacedPicture& picture : DigitalClockPictures(now)) {
    painter.drawImage(picture.at, StatusPicture(picture.name));
  }
}

OnlinePanelLook OnlinePanelItemLook(int item) {
  switch (item) {
    case 2:
      return {QStringLiteral("GAClock"), QStringLiteral("Windows"), QStringLiteral("D"), kAqua};
    case 3:
      return {QStringLiteral("GGClock"), QStringLiteral("Windows"), QString(), QColor()};
    case 4:
      return {QStringLiteral("GYClock"), QStringLiteral("Android"), QString(), QColor()};
    case 5:
      return {QStringLiteral("GVClock"), QStringLiteral("Account48"), QString(), QColor()};
    case 6:
      // Drawn as item 7 (the club's members) apart from its own digits.
      return {QStringLiteral("GLClock"), QStringLiteral("Account48"), QString(), QColor()};
    case 7:
      return {QStringLiteral("GNClock"), QStringLiteral("Account48"), QString(), QColor()};
    default:
      return {QStringLiteral("GRClock"), QStringLiteral("Windows"), QStringLiteral("IQ"), kRed};
  }
}

ValueLayout OnlineValueLayout(int length) {
  switch (length) {
    case 1:
      return {{50}, QSize()};
    case 2:
      return {{38, 58}, QSize()};
    case 3:
      return {{29, 49, 69}, QSize()};
    case 4:
      return {{27, 42, 57, 72}, QSize(15, 40)};
    case 5:
      return {{28, 40, 52, 64, 76}, QSize(12, 40)};
    case 6:
      return {{15, 24, 33, 42, 51, 60}, QSize(9, 40)};
    default:
      return {};
  }
}

void DrawOnlinePanel(LayerCanvas& canvas, int item, const QString& value, QChar suffix, const QString& flagPicture) {
  if (item < 1 || item > 7) qCWarning(lcClocks) << "online panel item" << item << "out of 1..7, item 1 drawn";
  if (!StartMenuClock(canvas)) return;
  const OnlinePanelLook look = OnlinePanelItemLook(item);
  QPainter painter(&canvas.image);
  painter.setRenderHint(QPainter::TextAntialiasing);

  const QImage icon = FittedStatusPicture(look.icon, QSize(16, 16));
  if (!icon.isNull()) painter.drawImage(10, 10, icon);

  const ValueLayout places = OnlineValueLayout(static_cast<int>(value.size()));
  for (std::size_t i = 0; i < places.x.size(); ++i) {
    const QChar c = value.at(static_cast<qsizetype>(i));
    QString name;
    if (c == QLatin1Char('-')) {
      name = look.digitPrefix + QLatin1Char('M');
    } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      name = look.digitPrefix + c;
    } else {
      qCWarning(lcClocks) << "online panel value" << value << "has a character that is no digit:" << c;
      continue;
    }
    painter.drawImage(places.x[i], 15,
                      places.size.isValid() ? FittedStatusPicture(name, places.size) : StatusPicture(name));
  }

  if (item == 3 && !flagPicture.isEmpty()) painter.drawImage(90, 10, StatusPicture(flagPicture));
  const QString face = QStringLiteral("MS Sans Serif");
  painter.setBackgroundMode(Qt::TransparentMode);
  if (!suffix.isNull() && !suffix.isSpace()) {
    painter.setFont(PointFont(face, 12, true));
    painter.setPen(kAqua);
    painter.drawText(90, 25 + painter.fontMetrics().ascent(), QString(suffix));
  }
  if (!look.label.isEmpty()) {
    painter.setFont(PointFont(face, 8, true));
    painter.setPen(look.labelColour);
    painter.drawText(90, 10 + painter.fontMetrics().ascent(), look.label);
  }
}

}  // namespace varnok
