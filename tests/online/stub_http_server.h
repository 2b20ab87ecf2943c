// A small HTTP server on 127.0.0.1 for the client's tests: it answers each
// path with a set reply (or stays silent), and keeps the requests it got.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

namespace varnok::online::testing {

struct SeenRequest {
  QByteArray Method, Path, Body;
  QHash<QByteArray, QByteArray> Headers;  // names in lower case
};

class StubHttpServer : public QObject {
 public:
  StubHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  quint16 Port() const { return server_.serverPort(); }
  QString Base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(Port()); }

  // The reply body of a path (status 200); a path without one gets 404.
  void Answer(const QByteArray& path, const QByteArray& body) { answers_[path] = body; }
  // Answers a path with a body that announces `length` bytes but stops after
  // the given ones and closes the connection.
  void AnswerCut(const QByteArray& path, const QByteArray& body, int length) {
    answers_[path] = body;
    cut_lengths_[path] = length;
  }
  // Accepts and reads requests but never answers them.
  void SetSilent(bool silent) { silent_ = silent; }
  const QList<SeenRequest>& Requests() const { return requests_; }

 private:
  void Read(QTcpSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    const int head_end = buffer.indexOf("\r\n\r\n");
    if (head_end < 0) return;
    SeenRequest request;
    const QList<QByteArray> lines = buffer.left(head_end).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.Method = first.value(0);
    request.Path = first.value(1);
    for (int i = 1; i < lines.size(); ++i) {
      const int colon = lines[i].indexOf(':');
      if (colon > 0) request.Headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
    }
    const int length = request.Headers.value("content-length", "0").toInt();
    if (buffer.size() < head_end + 4 + length) return;
    request.Body = buffer.mid(head_end + 4, length);
    buffer.clear();
    requests_.push_back(request);
    if (silent_) return;
    const bool known = answers_.contains(request.Path);
    const QByteArray body = answers_.value(request.Path, "not found");
    const int announced = cut_lengths_.value(request.Path, static_cast<int>(body.size()));
    socket->write((known ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                  QByteArray("Content-Type: text/plain\r\nContent-Length: ") + QByteArray::number(announced) +
                  "\r\n\r\n" + body);
    if (announced != body.size()) {
      socket->flush();
      socket->disconnectFromHost();
    }
  }

  QTcpServer server_;
  QHash<QByteArray, QByteArray> answers_;
  QHash<QByteArray, int> cut_lengths_;
  QHash<QTcpSocket*, QByteArray> buffers_;
  QList<SeenRequest> requests_;
  bool silent_ = false;
};

}  // namespace varnok::online::testing
