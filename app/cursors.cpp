#include "cursors.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <map>

#include "loader.h"

namespace varnok {

namespace {

int Word(const QByteArray& data, int at) {
  return static_cast<unsigned char>(data[at]) | (static_cast<unsigned char>(data[at + 1]) << 8);
}

}  // namespace

std::optional<QCursor> CursorFromCurData(const QByteArray& data) {
  // Header: reserved 0, type 2 (cursor), count; then 16-byte entries whose
  // "planes" and "bit count" words hold the hot spot.
  if (data.size() < 22 || Word(data, 0) != 0 || Word(data, 2) != 2 || Word(data, 4) < 1) return std::nullopt;
  const int hot_x = Word(data, 10);
  const int hot_y = Word(data, 12);
  QByteArray copy = data;
  QBuffer buffer(&copy);
  QImageReader reader(&buffer, "cur");
  QImage image = reader.read();
  if (image.isNull()) {
    // Readers of icon files take a cursor once its type word says icon.
    copy[2] = 1;
    QBuffer again(&copy);
    QImageReader icon(&again, "ico");
    image = icon.read();
  }
  if (image.isNull()) return std::nullopt;
  return QCursor(QPixmap::fromImage(image), std::min(hot_x, image.width() - 1), std::min(hot_y, image.height() - 1));
}

QCursor TableCursor(CursorKind kind, bool own) {
  static std::map<CursorKind, std::optional<QCursor>> loaded;
  const Qt::CursorShape system = kind == CursorKind::Hand   ? Qt::PointingHandCursor
                                 : kind == CursorKind::Wait ? Qt::WaitCursor
                                 : kind == CursorKind::Edit ? Qt::IBeamCursor
                                                            : Qt::ArrowCursor;
  if (!own) return QCursor(system);
  auto it = loaded.find(kind);
  if (it == loaded.end()) {
    const QString name = kind == CursorKind::Hand   ? QStringLiteral("CURHAND")
                         : kind == CursorKind::Wait ? QStringLiteral("CURWAIT")
                         : kind == CursorKind::Edit ? QStringLiteral("CUREDIT")
                                                    : QStringLiteral("CURARROW");
    QByteArray data;
    std::optional<QCursor> cursor;
    if (LoadData(name, QString(), data)) cursor = CursorFromCurData(data);
    it = loaded.emplace(kind, cursor).first;
  }
  return it->second ? *it->second : QCursor(system);
}

}  // namespace varnok
