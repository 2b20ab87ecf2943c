// The HTTP side of the server: the routes of the program's scripts and
// documents on Qt HttpServer. Password hashes and photo decoding run on
// worker threads; the replies of one connection go out in the order of its
// requests. The listening sockets and their guards are in listeners.h.
#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QPointer>
#include <QTimer>
#include <QTcpServer>
#include <QThreadPool>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "http/listeners.h"
#include "media/club_radio.h"
#include "media/music_folder.h"
#include "service/service.h"

namespace varnok::server {

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
  // Answers a routed request into its place in the connection's replies, or
  // hands it to a worker thread first when its operation asked for that (a
  // password hash, a photo to decode), answering when that is done.
  void Settle(Incoming incoming, Reply reply, QTcpSocket* socket, quint64 place);
  // Checks (or, for a registration, makes) a password hash on a worker
  // thread, then answers every request waiting for it.
  void Defer(Incoming incoming, Service::HashCheck check, QTcpSocket* socket, quint64 place);
  void Decode(Incoming incoming, Service::PhotoCheck check, QTcpSocket* socket, quint64 place);
  // Gives freed heap memory back to the system a moment after connections close.
  void ConnectionClosed();
  std::function<void()> ClosedCallback();

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
  QThreadPool hashing_;          // callers without recent failures
  QThreadPool suspect_hashing_;  // the others
  QThreadPool decoding_;
  int pending_checks_ = 0;
  // Requests waiting for the verdict of one (nick, password) being checked.
  struct Waiter {
    Incoming incoming;
    QPointer<QTcpSocket> socket;
    quint64 place = 0;
  };
  std::unordered_map<std::string, std::vector<Waiter>> waiting_;
  QTimer trim_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace varnok::server
