#include "listeners.h"

#include <QPointer>
#include <QSslCipher>
#include <QSslSocket>
#include <unistd.h>

namespace varnok::server {

ConnectionGuard::ConnectionGuard(QTcpSocket* socket, const ConnectionLimits& limits, int* open_count,
                                 std::function<void()> on_close)
    : QObject(socket),
      socket_(socket),
      limits_(limits),
      open_count_(open_count),
      on_close_(std::move(on_close)),
      framing_(limits.max_request_bytes) {
  setObjectName("varnok-connection-guard");
  ++*open_count_;
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this]() { socket_->abort(); });
  connect(socket, &QTcpSocket::readyRead, this, [this]() { OnRead(); });
  connect(socket, &QTcpSocket::bytesWritten, this, [this]() { OnWritten(); });
  timer_.start(limits_.request_timeout);
}

ConnectionGuard::~ConnectionGuard() {
  --*open_count_;
  if (on_close_) on_close_();
}

ConnectionGuard* ConnectionGuard::Of(QTcpSocket* socket) {
  return socket->findChild<ConnectionGuard*>("varnok-connection-guard", Qt::FindDirectChildrenOnly);
}

void ConnectionGuard::Received() { timer_.start(limits_.answer_timeout); }

void ConnectionGuard::Streaming() {
  streaming_ = true;
  timer_.stop();
}

void ConnectionGuard::OnRead() {
  if (streaming_ || refused_) return;
  const bool was_in_request = framing_.InRequest();
  // Every byte passes the framing before the request parser reads it.
  const QByteArray bytes = socket_->peek(socket_->bytesAvailable());
  switch (framing_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    case RequestFraming::Verdict::kOk: break;
    case RequestFraming::Verdict::kTooLarge: return Refuse("413 Payload Too Large");
    case RequestFraming::Verdict::kBad: return Refuse("400 Bad Request");
  }
  // A request that has begun must arrive whole within the request time-out.
  if (!was_in_request && framing_.InRequest()) timer_.start(limits_.request_timeout);
}

void ConnectionGuard::OnWritten() {
  if (socket_->bytesToWrite() > 0 || refused_ || streaming_ || framing_.InRequest()) return;
  timer_.start(limits_.idle_timeout);
}

void ConnectionGuard::Refuse(const char* status) {
  refused_ = true;
  socket_->readAll();  // nothing of it reaches the request parser
  socket_->write(QByteArray("HTTP/1.1 ") + status +
                 "\r\nContent-Type: text/plain\r\nContent-Length: 2\r\nConnection: close\r\n\r\nno");
  socket_->disconnectFromHost();
  timer_.start(limits_.request_timeout);
}

GuardedServer::GuardedServer(const ConnectionLimits& limits, std::function<void()> on_close, QObject* parent)
    : QTcpServer(parent), limits_(limits), on_close_(std::move(on_close)) {
  // Finished connections are taken at once; the queue never fills.
  setMaxPendingConnections(std::max(64, limits.max_connections));
}

void GuardedServer::SetTls(const QSslConfiguration& configuration) {
  tls_ = true;
  tls_configuration_ = configuration;
}

void GuardedServer::incomingConnection(qintptr descriptor) {
  if (open_ + handshaking_ >= limits_.max_connections) {
    ::close(static_cast<int>(descriptor));
    return;
  }
  if (!tls_) return QTcpServer::incomingConnection(descriptor);
  // The handshake runs on its own; the HTTP server gets the socket once it is
  // encrypted. It holds a slot until it finishes, fails or times out.
  auto* socket = new QSslSocket(this);
  if (!socket->setSocketDescriptor(descriptor)) {
    delete socket;
    ::close(static_cast<int>(descriptor));
    return;
  }
  ++handshaking_;
  auto* deadline = new QTimer(socket);
  deadline->setSingleShot(true);
  const auto finish = [this, socket, deadline]() {
    if (!deadline->isActive()) return false;  // counted off already
    deadline->stop();
    --handshaking_;
    return true;
  };
  connect(deadline, &QTimer::timeout, socket, [this, socket]() {
    --handshaking_;
    socket->abort();
    socket->deleteLater();
  });
  connect(socket, &QSslSocket::encrypted, this, [this, socket, finish]() {
    if (!finish()) return;
    addPendingConnection(socket);
    Q_EMIT newConnection();
  });
  const auto drop = [socket, finish]() {
    if (!finish()) return;
    socket->abort();
    socket->deleteLater();
  };
  connect(socket, &QSslSocket::disconnected, this, drop);
  connect(socket, &QAbstractSocket::errorOccurred, this, [socket, drop](QAbstractSocket::SocketError) {
    if (!socket->isEncrypted()) drop();
  });
  deadline->start(limits_.handshake_timeout);
  socket->setSslConfiguration(tls_configuration_);
  socket->startServerEncryption();
}

QTcpSocket* GuardedServer::nextPendingConnection() {
  while (QTcpSocket* socket = QTcpServer::nextPendingConnection()) {
    if (socket->state() != QAbstractSocket::ConnectedState) {
      socket->deleteLater();
      continue;
    }
    new ConnectionGuard(socket, limits_, &open_, on_close_);
    return socket;
  }
  return nullptr;
}

QSslConfiguration ServerTlsConfiguration() {
  QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
  configuration.setProtocol(QSsl::TlsV1_2OrLater);
  QList<QSslCipher> ciphers;
  for (const QSslCipher& cipher : QSslConfiguration::supportedCiphers()) {
    const QString name = cipher.name();
    const bool tls13 = cipher.protocol() == QSsl::TlsV1_3;
    // TLS 1.2: ephemeral elliptic-curve key exchange and an AEAD cipher.
    const bool ecdhe_aead = cipher.protocol() == QSsl::TlsV1_2 && name.startsWith("ECDHE-") &&
                            (name.contains("-GCM-") || name.contains("CHACHA20-POLY1305"));
    if (tls13 || ecdhe_aead) ciphers.append(cipher);
  }
  configuration.setCiphers(ciphers);
  return configuration;
}

}  // namespace varnok::server
