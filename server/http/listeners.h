// The listening sockets of the front end and the guard of every connection:
// time limits for requests and idle connections, the request size limit,
// refusal of ambiguous framing, and a cap on open connections. With a
// certificate the listener makes its own TLS sockets: a handshake runs
// beside the listener, holds one connection slot until its deadline, and
// only a finished handshake is handed to the HTTP server, so clients that
// never finish one cannot stop the listener from accepting.
#pragma once

#include <QSslConfiguration>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <functional>

#include "http/framing.h"

namespace varnok::server {

struct ConnectionLimits {
  std::chrono::milliseconds request_timeout{5000};  // a started request must arrive within this
  std::chrono::milliseconds idle_timeout{15000};    // a kept-alive connection may wait this long
  std::chrono::milliseconds answer_timeout{30000};  // a received request waiting for its password check
  std::chrono::milliseconds handshake_timeout{5000};  // a TLS handshake must finish within this
  qint64 max_request_bytes = 512 * 1024;            // headers and body of one request
  int max_connections = 4000;                       // open connections and TLS handshakes together
  int max_pending_checks = 512;  // password checks waiting for a hashing thread
  // A refusal over a login limit is answered after about a hash's time.
  std::chrono::milliseconds refusal_hold{500};
};

// Watches one connection (see ConnectionLimits).
class ConnectionGuard : public QObject {
 public:
  ConnectionGuard(QTcpSocket* socket, const ConnectionLimits& limits, int* open_count,
                  std::function<void()> on_close);
  ~ConnectionGuard() override;

  // The request has arrived whole and waits for its answer.
  void Received();
  // The connection carries an endless stream from now on: no time-outs, no
  // request limits (the stream's owner reads and drops what comes in).
  void Streaming();

  static ConnectionGuard* Of(QTcpSocket* socket);

 private:
  void OnRead();
  void OnWritten();
  void Refuse(const char* status);

  QTcpSocket* socket_;
  ConnectionLimits limits_;
  int* open_count_;
  std::function<void()> on_close_;
  RequestFraming framing_;
  QTimer timer_;
  bool refused_ = false;
  bool streaming_ = false;
};

// A plain listener, or with a TLS configuration a TLS one.
class GuardedServer : public QTcpServer {
 public:
  // `on_close` runs whenever a connection it handed out is gone.
  GuardedServer(const ConnectionLimits& limits, std::function<void()> on_close, QObject* parent);
  void SetTls(const QSslConfiguration& configuration);

  QTcpSocket* nextPendingConnection() override;
  int Handshaking() const { return handshaking_; }

 protected:
  void incomingConnection(qintptr descriptor) override;

 private:
  ConnectionLimits limits_;
  std::function<void()> on_close_;
  bool tls_ = false;
  QSslConfiguration tls_configuration_;
  int open_ = 0;
  int handshaking_ = 0;
};

// The TLS settings the server offers: TLS 1.2 with ECDHE key exchange and an
// AEAD cipher (AES-GCM, ChaCha20-Poly1305), and TLS 1.3; nothing without
// forward secrecy.
QSslConfiguration ServerTlsConfiguration();

}  // namespace varnok::server
