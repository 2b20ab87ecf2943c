#include "calendar_strip.h"

#include <QPainter>
#include <QPainterPath>

#include "calendar_days.h"
#include "loader.h"

namespace varnok {

QRect CalendarStripRect(const LayoutState& s) {
  // From the left side picture's design place (x 40) to the right one's
  // (x 600), above the caption; the account lamp and the world top ten
  // picture keep the top right corner.
  return {RoundHalfEven(40 * s.ScaleXFactor), ScaleLen(s, 1), RoundHalfEven(560 * s.ScaleXFactor), ScaleLen(s, 22)};
}

CalendarStrip::CalendarStrip(QWidget* parent) : QWidget(parent), today_([] { return QDate::currentDate(); }) {
  setObjectName(QStringLiteral("CalendarStrip"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CalendarStrip::SetClock(std::function<QDate()> today) {
  today_ = today ? std::move(today) : std::function<QDate()>([] { return QDate::currentDate(); });
}

void CalendarStrip::Prepare(int language, const LayoutState& layout) {
  language_ = language;
  scale_ = layout.ScaleK > 0 ? layout.ScaleK : 1.0;
  Read();
  update();
}

void CalendarStrip::Read() {
  date_ = today_();
  date_text_ = CalendarDateText(date_, language_);
  illustrated_ = LibraryPresent(QString::fromLatin1(kCalendarLibrary));
  items_.clear();
  index_ = 0;
  const auto picture = [this](const QString& name) {
    QImage image;
    if (illustrated_ && !LoadPng(name, QString::fromLatin1(kCalendarLibrary), image)) {
      // A library without this picture: the strip stays plain for it.
      image = QImage();
    }
    return image;
  };
  const int sign = ZodiacSignOf(date_);
  if (sign >= 0) {
    sign_image_ = picture(ZodiacPicture(sign));
    items_.push_back({ZodiacName(sign, language_), ZodiacPicture(sign), sign_image_});
  }
  for (const Holiday* holiday : HolidaysOf(date_)) {
    const QString name = QString::fromLatin1(holiday->picture);
    items_.push_back({HolidayName(*holiday, language_), name, picture(name)});
  }
}

void CalendarStrip::Turn() {
  ++turns_;
  if (today_() != date_) {
    Read();
  } else if (!items_.empty()) {
    index_ = (index_ + 1) % static_cast<int>(items_.size());
  }
  update();
}

QString CalendarStrip::ItemText() const {
  return items_.empty() ? QString() : items_[static_cast<std::size_t>(index_)].text;
}

QString CalendarStrip::ItemPicture() const {
  return items_.empty() ? QString() : items_[static_cast<std::size_t>(index_)].picture;
}

void CalendarStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF band = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(band, height() / 2.5, height() / 2.5);
  p.fillPath(path, QColor(18, 30, 18, 190));
  p.setPen(QPen(QColor(201, 162, 39), 1.2));
  p.drawPath(path);

  const int pad = qRound(6 * scale_);
  const int icon = height() - qRound(4 * scale_);
  QFont font = p.font();
  font.setPixelSize(qMax(9, qRound(13 * scale_)));
  font.setBold(true);
  p.setFont(font);
  int x = pad;
  // The date, with the sign's picture before it.
  if (!sign_image_.isNull()) {
    p.drawImage(QRect(x, (height() - icon) / 2, icon, icon), sign_image_);
    x += icon + pad / 2;
  }
  p.setPen(QColor(255, 236, 170));
  const QRect dateRect(x, 0, width() / 2 - x, height());
  p.drawText(dateRect, Qt::AlignVCenter | Qt::AlignLeft, p.fontMetrics().elidedText(date_text_, Qt::ElideRight,
                                                                                      dateRect.width()));
  // The item on show, at the right end.
  if (items_.empty()) return;
  const Item& item = items_[static_cast<std::size_t>(index_)];
  font.setBold(false);
  p.setFont(font);
  int right = width() - pad;
  if (!item.image.isNull()) {
    p.drawImage(QRect(right - icon, (height() - icon) / 2, icon, icon), item.image);
    right -= icon + pad / 2;
  }
  const QRect itemRect(width() / 2, 0, right - width() / 2, height());
  p.setPen(index_ == 0 ? QColor(200, 230, 255) : QColor(255, 190, 200));
  p.drawText(itemRect, Qt::AlignVCenter | Qt::AlignRight,
             p.fontMetrics().elidedText(item.text, Qt::ElideLeft, itemRect.width()));
}

}  // namespace varnok
