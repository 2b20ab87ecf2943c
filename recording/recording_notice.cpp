#include "recording_notice.h"

#include <QDebug>
#include <QPainter>

#include <cmath>

#include "fonts.h"
#include "loader.h"
#include "words.h"

namespace varnok::recording {

QRect RecordingNoticeRect(QSize client) {
  const int left = int(std::nearbyint(client.width() / 2.0 - kNoticeWidth / 2.0));
  const int top = int(std::nearbyint(client.height() / 2.0 - kNoticeHeight / 2.0));
  return QRect(left, top, kNoticeWidth, kNoticeHeight);
}

QImage DrawRecordingNotice(const QImage& under, const QString& text) {
  QImage notice(kNoticeWidth, kNoticeHeight, QImage::Format_ARGB32_Premultiplied);
  notice.fill(Qt::transparent);
  QPainter painter(&notice);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
  if (!under.isNull()) painter.drawImage(0, 0, under);
  QImage bar;
  if (LoadPng(QStringLiteral("AdvBar3"), QString(), bar) && !bar.isNull()) {
    painter.drawImage(QRect(0, 0, kNoticeWidth, kNoticeHeight), bar);
  } else {
    // Without the bar the notice still reads well on a plain cream box.
    qWarning("The picture AdvBar3 is missing; the recording notice is drawn plain");
    painter.setPen(QColor(0x8a, 0x61, 0x1c));
    painter.setBrush(QColor(0xfb, 0xf4, 0xde));
    painter.drawRoundedRect(QRectF(0.5, 0.5, kNoticeWidth - 1, kNoticeHeight - 1), 6, 6);
  }
  painter.setFont(i18n::KindFont(i18n::FontKind::Serif, 20));
  painter.setPen(Qt::red);
  painter.drawText(QRect(0, 10, kNoticeWidth, kNoticeHeight - 10), Qt::AlignHCenter | Qt::AlignTop,
                   text.isNull() ? i18n::Text(i18n::WordsMain, 297) : text);
  painter.end();
  return notice;
}

}  // namespace varnok::recording
