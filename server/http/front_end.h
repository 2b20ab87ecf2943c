// The HTTP side of the server: the routes of the program's scripts and
// documents on Qt HttpServer, and the listening sockets with their guards
// against clients that hold a connection without finishing a request.
#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QTcpServer>
#include <QThreadPool>
#include <chrono>

#include "media/club_radio.h"
#include "media/music_folder.h"
#include "service/service.h"

namespace varnok::server {

struct ConnectionLimits {
  std::chrono::milliseconds request_timeout{5000};  // a started request must arrive within this
  std::chrono::milliseconds idle_timeout{15000};    // a kept-alive connection may wait this long
  std::chrono::milliseconds answer_timeout{30000};  // a received request waiting for its password check
  qint64 max_request_bytes = 512 * 1024;            // headers and body of one request
  int max_connections = 4000;
  int max_pending_checks = 512;  // password checks waiting for a hashing thread
};

struct MediaConfig {
  QString music_folder;  // DATA/music
  RadioConfig radio;
};

class FrontEnd : public QAbstractHttpServer {
  Q_OBJECT

 public:
  FrontEnd(Service& service, ConnectionLimits limits, MediaConfig media, QObject* parent = nullptr);

  const ClubRadio& radio() const { return radio_; }
  ~FrontEnd() override;

  // Listens on the address and port (0 picks a free one); with a certificate
  // and key the connections are TLS. The port in use, or 0 on failure.
  quint16 Listen(const QHostAddress& address, quint16 port, const QString& cert_file, const QString& key_file,
                 QString* error);

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

 public:
  // What the routes need of a request, kept beyond the request's own life.
  struct Incoming {
    QString path;
    bool post = false;
    bool get = false;
    bool close_after = false;  // the client asked for "Connection: close"
    Request request;
  };

 private:
  Reply Route(const Incoming& incoming);
  // Checks (or, for a registration, makes) a password hash on a worker
  // thread, then answers the request.
  void Defer(Incoming incoming, Service::HashCheck check, QTcpSocket* socket);

  // GET music/NAME: the playlist or a song, whole or a byte range.
  bool ServeMusic(const QHttpServerRequest& request, QTcpSocket* socket, const QByteArray& encoded_name);
  // Writes the answer; true when it is still being sent after the call.
  bool AnswerMusic(const QHttpServerRequest& request, QTcpSocket* socket, const QByteArray& encoded_name);
  // GET radio/club: the connection becomes a listener of the club station.
  bool ServeRadio(const QHttpServerRequest& request, QTcpSocket* socket);
  // Takes a connection off the request handling for an endless reply.
  void Stream(QTcpSocket* socket);

  Service& service_;
  ConnectionLimits limits_;
  MusicFolder music_;
  ClubRadio radio_;
  QThreadPool hashing_;
  int pending_checks_ = 0;
};

}  // namespace varnok::server
