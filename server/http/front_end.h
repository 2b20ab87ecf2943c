// The HTTP side of the server: the routes of the program's scripts and
// documents on Qt HttpServer, and the listening sockets with their guards
// against clients that hold a connection without finishing a request.
#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QTcpServer>
#include <chrono>

#include "service/service.h"

namespace varnok::server {

struct ConnectionLimits {
  std::chrono::milliseconds request_timeout{5000};  // a started request must arrive within this
  std::chrono::milliseconds idle_timeout{15000};    // a kept-alive connection may wait this long
  qint64 max_request_bytes = 512 * 1024;            // headers and body of one request
  int max_connections = 4000;
};

class FrontEnd : public QAbstractHttpServer {
  Q_OBJECT

 public:
  FrontEnd(Service& service, ConnectionLimits limits, QObject* parent = nullptr);

  // Listens on the address and port (0 picks a free one); with a certificate
  // and key the connections are TLS. The port in use, or 0 on failure.
  quint16 Listen(const QHostAddress& address, quint16 port, const QString& cert_file, const QString& key_file,
                 QString* error);

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

 private:
  Reply Route(const QHttpServerRequest& request);

  Service& service_;
  ConnectionLimits limits_;
};

}  // namespace varnok::server
