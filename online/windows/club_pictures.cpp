#include "club_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include "countries.h"
#include "loader.h"

namespace varnok::online {

QPixmap LampPicture(int lamp) {
  const char* name = lamp == 3 ? "LampG24" : lamp == 2 ? "LampY24" : "LampR24";
  QImage picture;
  if (!LoadPng(QString::fromLatin1(name), QString(), picture)) return {};
  return QPixmap::fromImage(picture);
}

QPixmap FlagPicture(std::string_view code) {
  if (CountryOfCode(code) == nullptr) return {};
  const QString name = QStringLiteral("Flag%1_%2")
                           .arg(QChar::fromLatin1(code[0]))
                           .arg(QString::fromLatin1(code.substr(2).data(), 3));
  QImage picture;
  if (!LoadPng(name, QString(), picture)) return {};
  return QPixmap::fromImage(picture);
}

QImage DefaultFace(char sex, QSize size) {
  QImage face(size, QImage::Format_ARGB32_Premultiplied);
  const bool man = sex == 'M';
  face.fill(man ? QColor(196, 214, 236) : QColor(240, 206, 222));
  QPainter painter(&face);
  painter.setRenderHint(QPainter::Antialiasing);
  const double w = size.width();
  const double h = size.height();
  // Shoulders and head.
  painter.setPen(Qt::NoPen);
  painter.setBrush(man ? QColor(52, 86, 140) : QColor(150, 52, 98));
  painter.drawEllipse(QRectF(w * 0.12, h * 0.66, w * 0.76, h * 0.6));
  painter.setBrush(QColor(232, 196, 168));
  painter.drawEllipse(QRectF(w * 0.3, h * 0.22, w * 0.4, h * 0.42));
  // Hair: short for a man, long for a woman.
  painter.setBrush(man ? QColor(92, 64, 40) : QColor(120, 70, 30));
  QPainterPath hair;
  if (man) {
    hair.addEllipse(QRectF(w * 0.29, h * 0.18, w * 0.42, h * 0.2));
  } else {
    hair.addEllipse(QRectF(w * 0.24, h * 0.16, w * 0.52, h * 0.22));
    hair.addRect(QRectF(w * 0.24, h * 0.26, w * 0.1, h * 0.36));
    hair.addRect(QRectF(w * 0.66, h * 0.26, w * 0.1, h * 0.36));
  }
  painter.drawPath(hair);
  return face;
}

}  // namespace varnok::online
