#include "front_end.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <QUrl>
#include <memory>
#include <type_traits>

namespace varnok::server {

namespace {

// Watches one connection: a request that has begun must be complete within
// the request time-out, an idle kept-alive connection is closed after the
// idle time-out, and a request larger than the limit is answered 413 and
// closed, before Qt HttpServer buffers it.
class ConnectionGuard : public QObject {
 public:
  ConnectionGuard(QTcpSocket* socket, const ConnectionLimits& limits, int* open_count)
      : QObject(socket), socket_(socket), limits_(limits), open_count_(open_count) {
    ++*open_count_;
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this]() { socket_->abort(); });
    connect(socket, &QTcpSocket::readyRead, this, [this]() { OnRead(); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this]() { OnWritten(); });
    timer_.start(limits_.request_timeout);
  }
  ~ConnectionGuard() override { --*open_count_; }

  // The request has arrived whole and waits for its answer.
  void Received() { timer_.start(limits_.answer_timeout); }
  // The connection carries an endless stream from now on: no time-outs, no
  // request limits (the stream's owner reads and drops what comes in).
  void Streaming() {
    streaming_ = true;
    timer_.stop();
  }

 private:
  void OnRead() {
    if (streaming_) return;
    if (!in_request_) {
      in_request_ = true;
      received_ = 0;
      timer_.start(limits_.request_timeout);
      // A declared body over the limit is refused before it arrives.
      const QByteArray head = socket_->peek(8192).toLower();
      const qsizetype at = head.indexOf("\r\ncontent-length:");
      if (at >= 0) {
        const qsizetype end = head.indexOf('\r', at + 17);
        bool ok = false;
        const qint64 length = head.mid(at + 17, end < 0 ? -1 : end - at - 17).trimmed().toLongLong(&ok);
        if (!ok || length < 0 || length > limits_.max_request_bytes) return Refuse();
      }
    }
    received_ += socket_->bytesAvailable();
    if (received_ > limits_.max_request_bytes) Refuse();
  }

  void OnWritten() {
    if (socket_->bytesToWrite() > 0 || refused_ || streaming_) return;
    in_request_ = false;
    timer_.start(limits_.idle_timeout);
  }

  void Refuse() {
    refused_ = true;
    socket_->readAll();  // nothing of it reaches the request parser
    socket_->write("HTTP/1.1 413 Payload Too Large\r\nContent-Type: text/plain\r\nContent-Length: 2\r\n"
                   "Connection: close\r\n\r\nno");
    socket_->disconnectFromHost();
    timer_.start(limits_.request_timeout);
  }

  QTcpSocket* socket_;
  ConnectionLimits limits_;
  int* open_count_;
  QTimer timer_;
  bool in_request_ = false;
  bool refused_ = false;
  bool streaming_ = false;
  qint64 received_ = 0;
};

// A listening socket whose every connection gets its guard before the HTTP
// server reads from it.
template <class Base>
class GuardedServer : public Base {
 public:
  GuardedServer(ConnectionLimits limits, QObject* parent) : Base(parent), limits_(limits) {}

  // A TLS handshake that does not finish in time is dropped (Qt 6.4's
  // QSslServer has no time-out of its own); the new socket is the server's
  // newest child.
  void incomingConnection(qintptr descriptor) override {
    Base::incomingConnection(descriptor);
    if constexpr (std::is_same_v<Base, QSslServer>) {
      const QObjectList& children = this->children();
      if (auto* socket = children.isEmpty() ? nullptr : qobject_cast<QSslSocket*>(children.last())) {
        QPointer<QSslSocket> watched(socket);
        QTimer::singleShot(limits_.request_timeout, socket, [watched]() {
          if (watched && !watched->isEncrypted()) watched->abort();
        });
      }
    }
  }

  QTcpSocket* nextPendingConnection() override {
    while (QTcpSocket* socket = Base::nextPendingConnection()) {
      if (open_ >= limits_.max_connections) {
        socket->abort();
        socket->deleteLater();
        continue;
      }
      new ConnectionGuard(socket, limits_, &open_);
      return socket;
    }
    return nullptr;
  }

 private:
  ConnectionLimits limits_;
  int open_ = 0;
};

std::string CallerAddress(const QHostAddress& address) {
  bool mapped = false;
  const quint32 v4 = address.toIPv4Address(&mapped);
  if (mapped) return QHostAddress(v4).toString().toStdString();
  return address.toString().toStdString();
}

QHttpServerResponder::StatusCode Status(int status) {
  return static_cast<QHttpServerResponder::StatusCode>(status);
}

}  // namespace

FrontEnd::FrontEnd(Service& service, ConnectionLimits limits, MediaConfig media, QObject* parent)
    : QAbstractHttpServer(parent),
      service_(service),
      limits_(limits),
      music_(media.music_folder),
      radio_(music_, media.radio, this) {
  // Password hashes are checked beside the event loop, which goes on serving.
  hashing_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

FrontEnd::~FrontEnd() { hashing_.waitForDone(); }

quint16 FrontEnd::Listen(const QHostAddress& address, quint16 port, const QString& cert_file, const QString& key_file,
                         QString* error) {
  QTcpServer* server = nullptr;
  if (!cert_file.isEmpty() || !key_file.isEmpty()) {
    QFile cert_input(cert_file);
    QFile key_input(key_file);
    if (!cert_input.open(QIODevice::ReadOnly) || !key_input.open(QIODevice::ReadOnly)) {
      *error = "cannot read the certificate or the key file";
      return 0;
    }
    const QList<QSslCertificate> chain = QSslCertificate::fromDevice(&cert_input, QSsl::Pem);
    QSslKey key(&key_input, QSsl::Rsa, QSsl::Pem);
    if (key.isNull()) {
      key_input.seek(0);
      key = QSslKey(&key_input, QSsl::Ec, QSsl::Pem);
    }
    if (chain.isEmpty() || key.isNull()) {
      *error = "the certificate or the key is not a PEM file of an RSA or EC key";
      return 0;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificateChain(chain);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    auto* tls = new GuardedServer<QSslServer>(limits_, this);
    tls->setSslConfiguration(configuration);
    server = tls;
  } else {
    server = new GuardedServer<QTcpServer>(limits_, this);
  }
  if (!server->listen(address, port)) {
    *error = server->errorString();
    delete server;
    return 0;
  }
  bind(server);
  return server->serverPort();
}

Reply FrontEnd::Route(const Incoming& incoming) {
  const QString& path = incoming.path;
  const Request& r = incoming.request;
  if (incoming.post) {
    if (path == "/account.php") return service_.AccountScript(r);
    if (path == "/results.php") return service_.ResultsScript(r);
    if (path == "/stats.php") return service_.StatsScript(r);
    if (path == "/tour.php") return service_.TourScript(r);
    if (path == "/photo_upload.php") return service_.PhotoUpload(r);
  }
  if (incoming.get || incoming.post) {
    if (path == "/get_ip.php") return service_.CallerAddress(r);
  }
  if (incoming.get) {
    if (path == "/directory.txt") return service_.Directory();
    if (path == "/news.html") return service_.News();
    if (path.startsWith("/photos/") && path.endsWith(".jpg")) {
      return service_.Photo(path.mid(8, path.size() - 12).toStdString());
    }
    if (path.startsWith("/download/")) return service_.Download(path.mid(10).toStdString());
  }
  return Text("Not found", 404);
}

namespace {

QByteArray ResponseBytes(const Reply& reply) {
  const QByteArray body = QByteArray::fromStdString(reply.body);
  const char* reason = reply.status == 200 ? "OK" : reply.status == 503 ? "Service Unavailable" : "Error";
  return QByteArray("HTTP/1.1 ") + QByteArray::number(reply.status) + " " + reason +
         "\r\nContent-Type: " + QByteArray::fromStdString(reply.content_type) +
         "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

}  // namespace

void FrontEnd::Stream(QTcpSocket* socket) {
  for (QObject* child : socket->children()) {
    if (auto* guard = dynamic_cast<ConnectionGuard*>(child)) guard->Streaming();
  }
  // The HTTP server reads no further requests from this connection.
  disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
}

void FrontEnd::Defer(Incoming incoming, Service::HashCheck check, QTcpSocket* socket) {
  for (QObject* child : socket->children()) {
    if (auto* guard = dynamic_cast<ConnectionGuard*>(child)) guard->Received();
  }
  ++pending_checks_;
  QPointer<QTcpSocket> alive(socket);
  hashing_.start([this, incoming = std::move(incoming), check = std::move(check), alive]() {
    std::string made;
    bool good = false;
    if (check.new_hash) {
      made = Credentials::Hash(check.password).value_or(std::string());
    } else {
      good = Credentials::CheckHash(check.stored_hash, check.password);
    }
    QMetaObject::invokeMethod(
        this,
        [this, incoming, check, alive, good, made]() {
          --pending_checks_;
          if (check.new_hash) {
            service_.ProvideHash(check.password, made);
          } else {
            service_.credentials().RecordVerdict(check.nick_key, check.password, check.stored_hash, check.address,
                                                 good);
          }
          if (!alive || alive->state() != QAbstractSocket::ConnectedState) return;
          Reply reply = Route(incoming);
          Service::HashCheck again;
          if (service_.TakeHashCheck(&again)) reply = Refusal(503);  // the account changed meanwhile
          alive->write(ResponseBytes(reply));
          if (incoming.close_after) alive->disconnectFromHost();
        },
        Qt::QueuedConnection);
  });
}

bool FrontEnd::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  if (request.method() == QHttpServerRequest::Method::Get) {
    // The music folder's names are decoded here, by the folder's own rules.
    const QByteArray encoded = request.url().path(QUrl::FullyEncoded).toUtf8();
    if (encoded.startsWith("/music/")) return ServeMusic(request, socket, encoded.mid(7));
    if (encoded == "/radio/club") return ServeRadio(request, socket);
  }
  Incoming incoming;
  incoming.path = request.url().path();
  incoming.post = request.method() == QHttpServerRequest::Method::Post;
  incoming.get = request.method() == QHttpServerRequest::Method::Get;
  incoming.request.address = CallerAddress(request.remoteAddress());
  incoming.close_after = request.value("Connection").trimmed().toLower() == "close";
  if (incoming.post) {
    incoming.request.body = request.body().toStdString();
    incoming.request.nick_header = request.value("X-Varnok-Nick").toStdString();
    incoming.request.password_header = request.value("X-Varnok-Password").toStdString();
  }
  Reply reply = Route(incoming);
  Service::HashCheck check;
  if (service_.TakeHashCheck(&check)) {
    if (pending_checks_ < limits_.max_pending_checks) {
      Defer(std::move(incoming), std::move(check), socket);
      return true;
    }
    reply = Refusal(503);  // too many logins at once: the program tries again later
  }
  QHttpServerResponder responder = makeResponder(request, socket);
  responder.write(QByteArray::fromStdString(reply.body),
                  {{"Content-Type", QByteArray::fromStdString(reply.content_type)}}, Status(reply.status));
  if (incoming.close_after) socket->disconnectFromHost();  // the reply is sent first
  return true;
}

void FrontEnd::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
  QHttpServerResponder responder = makeResponder(request, socket);
  responder.write(QByteArray("Not found"), {{"Content-Type", "text/plain"}}, QHttpServerResponder::StatusCode::NotFound);
}

}  // namespace varnok::server
