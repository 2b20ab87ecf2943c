// The music folder and the club station on the HTTP front end.
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <optional>

#include "front_end.h"

namespace varnok::server {

namespace {

// Songs up to this size are answered from memory; larger files are sent by
// Qt HttpServer piece by piece as the connection takes them.
constexpr qint64 kInMemoryBytes = 16 << 20;

struct ByteRange {
  qint64 first = 0;
  qint64 last = 0;  // inclusive
};

// One "bytes=A-B", "bytes=A-" or "bytes=-N" range of a file of `size`
// bytes; nothing for a header that is absent or not understood (the whole
// file is sent), first > last for a range past the end.
std::optional<ByteRange> ParseRange(const QByteArray& header, qint64 size) {
  const QByteArray value = header.trimmed();
  if (!value.startsWith("bytes=") || value.contains(',')) return std::nullopt;
  const QByteArray spec = value.mid(6).trimmed();
  const qsizetype dash = spec.indexOf('-');
  if (dash < 0) return std::nullopt;
  const QByteArray from = spec.left(dash).trimmed();
  const QByteArray to = spec.mid(dash + 1).trimmed();
  bool ok_from = false;
  bool ok_to = false;
  const qint64 a = from.toLongLong(&ok_from);
  const qint64 b = to.toLongLong(&ok_to);
  if (from.isEmpty()) {
    if (!ok_to || b <= 0) return std::nullopt;
    return ByteRange{std::max<qint64>(0, size - b), size - 1};
  }
  if (!ok_from || a < 0 || (!to.isEmpty() && (!ok_to || b < a))) return std::nullopt;
  if (a >= size) return ByteRange{1, 0};
  return ByteRange{a, to.isEmpty() ? size - 1 : std::min(b, size - 1)};
}

void WriteText(QHttpServerResponder& responder, const QByteArray& text, QHttpServerResponder::StatusCode status) {
  responder.write(text, {{"Content-Type", "text/plain; charset=utf-8"}}, status);
}

}  // namespace

bool FrontEnd::ServeMusic(const QHttpServerRequest& request, QTcpSocket* socket, const QByteArray& encoded_name) {
  const bool close_after = request.value("Connection").trimmed().toLower() == "close";
  if (!AnswerMusic(request, socket, encoded_name) && close_after) socket->disconnectFromHost();
  return true;
}

bool FrontEnd::AnswerMusic(const QHttpServerRequest& request, QTcpSocket* socket, const QByteArray& encoded_name) {
  using Status = QHttpServerResponder::StatusCode;
  QHttpServerResponder responder = makeResponder(request, socket);
  if (encoded_name == "_playlist.html") {
    responder.write(music_.Playlist(), {{"Content-Type", "text/plain; charset=utf-8"}}, Status::Ok);
    return false;
  }
  const MusicFolder::Lookup found = music_.Resolve(encoded_name);
  if (found.status != 200) {
    WriteText(responder, found.status == 400 ? "Bad request" : "Not found", static_cast<Status>(found.status));
    return false;
  }
  auto* file = new QFile(found.file);
  if (!file->open(QIODevice::ReadOnly)) {
    delete file;
    WriteText(responder, "Not found", Status::NotFound);
    return false;
  }
  const qint64 size = file->size();
  const QByteArray type = found.file.endsWith(".mp3") ? "audio/mpeg" : "text/plain; charset=utf-8";
  const std::optional<ByteRange> range = ParseRange(request.value("Range"), size);
  if (range && range->first > range->last) {
    delete file;
    responder.write(QByteArray(), {{"Content-Range", "bytes */" + QByteArray::number(size)}},
                    Status::RequestRangeNotSatisfiable);
    return false;
  }
  if (range) {
    const qint64 length = std::min(range->last - range->first + 1, kInMemoryBytes);
    file->seek(range->first);
    const QByteArray part = file->read(length);
    delete file;
    const QByteArray content_range = "bytes " + QByteArray::number(range->first) + '-' +
                                     QByteArray::number(range->first + part.size() - 1) + '/' +
                                     QByteArray::number(size);
    responder.write(part, {{"Content-Type", type}, {"Accept-Ranges", "bytes"}, {"Content-Range", content_range}},
                    Status::PartialContent);
    return false;
  }
  if (size <= kInMemoryBytes) {
    const QByteArray whole = file->readAll();
    delete file;
    responder.write(whole, {{"Content-Type", type}, {"Accept-Ranges", "bytes"}}, Status::Ok);
    return false;
  }
  // Qt HttpServer takes the file and sends it as the connection drains.
  responder.write(file, {{"Content-Type", type}, {"Accept-Ranges", "bytes"}}, Status::Ok);
  return true;
}

bool FrontEnd::ServeRadio(const QHttpServerRequest& request, QTcpSocket* socket) {
  Q_UNUSED(request);
  Stream(socket);
  QByteArray refusal;
  switch (radio_.Tune(socket)) {
    case ClubRadio::Tuned::kListening: return true;
    case ClubRadio::Tuned::kNoSongs: refusal = "The club radio has no songs.\n"; break;
    case ClubRadio::Tuned::kFull: refusal = "The club radio has all the listeners it can carry.\n"; break;
  }
  socket->write("HTTP/1.1 503 Service Unavailable\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                QByteArray::number(refusal.size()) + "\r\nRetry-After: 60\r\nConnection: close\r\n\r\n" + refusal);
  socket->disconnectFromHost();
  return true;
}

}  // namespace varnok::server
