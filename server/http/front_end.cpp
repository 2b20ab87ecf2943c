#include "front_end.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <QUrl>
#include <deque>
#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "service/photo_check.h"

namespace varnok::server {

namespace {

std::string CallerAddress(const QHostAddress& address) {
  bool mapped = false;
  const quint32 v4 = address.toIPv4Address(&mapped);
  if (mapped) return QHostAddress(v4).toString().toStdString();
  return address.toString().toStdString();
}

QHttpServerResponder::StatusCode Status(int status) {
  return static_cast<QHttpServerResponder::StatusCode>(status);
}

QByteArray ResponseBytes(const Reply& reply) {
  const QByteArray body = QByteArray::fromStdString(reply.body);
  const char* reason = reply.status == 200 ? "OK" : reply.status == 503 ? "Service Unavailable" : "Error";
  return QByteArray("HTTP/1.1 ") + QByteArray::number(reply.status) + " " + reason +
         "\r\nContent-Type: " + QByteArray::fromStdString(reply.content_type) +
         "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// The replies of one connection in the order of its requests: a reply that
// is ready waits while an earlier one is still being worked on.
class ReplyOrder : public QObject {
 public:
  static ReplyOrder* Of(QTcpSocket* socket) {
    auto* order = socket->findChild<ReplyOrder*>("varnok-reply-order", Qt::FindDirectChildrenOnly);
    return order ? order : new ReplyOrder(socket);
  }
  bool Idle() const { return places_.empty(); }
  quint64 Reserve() {
    places_.push_back({++last_, QByteArray(), false, false});
    return last_;
  }
  void Fill(quint64 place, QByteArray bytes, bool close_after) {
    for (Place& p : places_) {
      if (p.id != place) continue;
      p.bytes = std::move(bytes);
      p.ready = true;
      p.close_after = close_after;
    }
    while (!places_.empty() && places_.front().ready) {
      const Place next = std::move(places_.front());
      places_.pop_front();
      socket_->write(next.bytes);
      if (next.close_after) {
        socket_->disconnectFromHost();  // after what is written
        places_.clear();
      }
    }
  }

 private:
  explicit ReplyOrder(QTcpSocket* socket) : QObject(socket), socket_(socket) { setObjectName("varnok-reply-order"); }
  struct Place {
    quint64 id;
    QByteArray bytes;
    bool ready;
    bool close_after;
  };
  QTcpSocket* socket_;
  std::deque<Place> places_;
  quint64 last_ = 0;
};

void Answer(QTcpSocket* socket, quint64 place, const Reply& reply, bool close_after) {
  if (!socket || socket->state() != QAbstractSocket::ConnectedState) return;
  ReplyOrder::Of(socket)->Fill(place, ResponseBytes(reply), close_after);
}

// The thread of suspect hashes and the decoder's run below the priority of
// the event loop and of the members' hashes: they take the cores only when
// those leave them free.
void YieldToTheEventLoop() {
#if defined(Q_OS_LINUX)
  thread_local const bool lowered = setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10) == 0;
  (void)lowered;
#endif
}

std::string WaitingKey(const Service::HashCheck& check) {
  return (check.new_hash ? "r" : "l") + check.nick_key + '\0' + check.password;
}

}  // namespace

FrontEnd::FrontEnd(Service& service, ConnectionLimits limits, MediaConfig media, QObject* parent)
    : QAbstractHttpServer(parent),
      service_(service),
      limits_(limits),
      music_(media.music_folder),
      radio_(music_, media.radio, this) {
  // Password hashes are checked beside the event loop, which goes on serving.
  // Callers with recent failures share one thread of their own, so that the
  // others always find one free.
  hashing_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
  suspect_hashing_.setMaxThreadCount(1);
  // Photos are decoded one at a time, beside the event loop and the hashes.
  decoding_.setMaxThreadCount(1);
  trim_.setSingleShot(true);
  trim_.setInterval(2000);
  connect(&trim_, &QTimer::timeout, this, []() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
  });
}

FrontEnd::~FrontEnd() {
  *alive_ = false;  // connections closed from here on tell nobody
  hashing_.waitForDone();
  suspect_hashing_.waitForDone();
  decoding_.waitForDone();
}

void FrontEnd::ConnectionClosed() {
  trim_.start();  // two seconds after the last close: never in the middle of a burst
}

std::function<void()> FrontEnd::ClosedCallback() {
  return [this, alive = alive_]() {
    if (*alive) ConnectionClosed();
  };
}

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
    QSslConfiguration configuration = ServerTlsConfiguration();
    configuration.setLocalCertificateChain(chain);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    auto* tls = new GuardedServer(limits_, ClosedCallback(), this);
    tls->SetTls(configuration);
    server = tls;
  } else {
    server = new GuardedServer(limits_, ClosedCallback(), this);
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

void FrontEnd::Stream(QTcpSocket* socket) {
  if (ConnectionGuard* guard = ConnectionGuard::Of(socket)) guard->Streaming();
  // The HTTP server reads no further requests from this connection.
  disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
}

void FrontEnd::Settle(Incoming incoming, Reply reply, QTcpSocket* socket, quint64 place) {
  Service::HashCheck check;
  if (service_.TakeHashCheck(&check)) {
    if (check.joined) {
      const auto it = waiting_.find(WaitingKey(check));
      if (it != waiting_.end()) {
        it->second.push_back({std::move(incoming), socket, place});
        return;
      }
      reply = Refusal(503);
    } else if (pending_checks_ < limits_.max_pending_checks) {
      Defer(std::move(incoming), std::move(check), socket, place);
      return;
    } else {
      service_.DropHashCheck(check);
      reply = Refusal(503);  // too many logins at once: the program tries again later
    }
  }
  Service::PhotoCheck photo;
  if (service_.TakePhotoCheck(&photo)) {
    Decode(std::move(incoming), std::move(photo), socket, place);
    return;
  }
  if (service_.TakeHeldReply()) {
    if (ConnectionGuard* guard = ConnectionGuard::Of(socket)) guard->Received();
    QPointer<QTcpSocket> alive(socket);
    const bool close_after = incoming.close_after;
    QTimer::singleShot(limits_.refusal_hold, socket,
                       [alive, place, reply, close_after]() { Answer(alive, place, reply, close_after); });
    return;
  }
  Answer(socket, place, reply, incoming.close_after);
}

void FrontEnd::Defer(Incoming incoming, Service::HashCheck check, QTcpSocket* socket, quint64 place) {
  if (ConnectionGuard* guard = ConnectionGuard::Of(socket)) guard->Received();
  ++pending_checks_;
  static quint64 serial = 0;
  // A registration waits alone; a login shares its check with the same nick and password.
  const std::string key = WaitingKey(check) + (check.new_hash ? std::to_string(++serial) : std::string());
  waiting_[key].push_back({std::move(incoming), socket, place});
  // Callers without recent failures and without another hash under way use
  // threads the others never take.
  const bool clean = service_.credentials().Clean(check.nick_key, check.address);
  (clean ? hashing_ : suspect_hashing_).start(
      [this, key, clean, check = std::move(check)]() {
        if (!clean) YieldToTheEventLoop();
        std::string made;
        bool good = false;
        if (check.new_hash) {
          made = Credentials::Hash(check.password).value_or(std::string());
        } else {
          good = Credentials::CheckHash(check.stored_hash, check.password);
        }
        QMetaObject::invokeMethod(
            this,
            [this, key, check, good, made]() {
              --pending_checks_;
              std::vector<Waiter> waiters;
              if (auto it = waiting_.find(key); it != waiting_.end()) {
                waiters = std::move(it->second);
                waiting_.erase(it);
              }
              service_.DropHashCheck(check);
              if (!check.new_hash) {
                service_.credentials().RecordVerdict(check.nick_key, check.password, check.stored_hash,
                                                     check.address, good, static_cast<int>(waiters.size()));
              }
              for (Waiter& waiter : waiters) {
                if (!waiter.socket || waiter.socket->state() != QAbstractSocket::ConnectedState) continue;
                if (check.new_hash) service_.ProvideHash(check.password, made);
                Reply reply = Route(waiter.incoming);
                Service::HashCheck again;
                if (service_.TakeHashCheck(&again)) {
                  service_.DropHashCheck(again);
                  reply = Refusal(503);  // the account changed meanwhile
                }
                service_.TakeHeldReply();
                Service::PhotoCheck photo;
                if (service_.TakePhotoCheck(&photo)) {
                  Decode(std::move(waiter.incoming), std::move(photo), waiter.socket, waiter.place);
                  continue;
                }
                Answer(waiter.socket, waiter.place, reply, waiter.incoming.close_after);
              }
            },
            Qt::QueuedConnection);
      });
}

void FrontEnd::Decode(Incoming incoming, Service::PhotoCheck check, QTcpSocket* socket, quint64 place) {
  if (ConnectionGuard* guard = ConnectionGuard::Of(socket)) guard->Received();
  QPointer<QTcpSocket> alive(socket);
  decoding_.start([this, incoming = std::move(incoming), check = std::move(check), alive, place]() {
    YieldToTheEventLoop();
    const bool picture = JpegDecodes(check.jpeg, 200, 250, JpegBounds());
    QMetaObject::invokeMethod(
        this,
        [this, incoming, check, alive, place, picture]() {
          const Reply reply = service_.FinishPhoto(check, picture);
          Answer(alive, place, reply, incoming.close_after);
        },
        Qt::QueuedConnection);
  });
}

bool FrontEnd::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  ReplyOrder* order = ReplyOrder::Of(socket);
  if (request.method() == QHttpServerRequest::Method::Get) {
    // The music folder's names are decoded here, by the folder's own rules.
    const QByteArray encoded = request.url().path(QUrl::FullyEncoded).toUtf8();
    const bool music = encoded.startsWith("/music/");
    if (music || encoded == "/radio/club") {
      // Behind a reply still being worked on, a song or the stream waits for no one.
      if (!order->Idle()) {
        order->Fill(order->Reserve(), ResponseBytes(Text("Service unavailable", 503)), false);
        return true;
      }
      return music ? ServeMusic(request, socket, encoded.mid(7)) : ServeRadio(request, socket);
    }
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
  if (!order->Idle() || service_.WorkWaiting()) {
    // Behind an earlier reply, or waiting for work beside the event loop.
    Settle(std::move(incoming), std::move(reply), socket, order->Reserve());
    return true;
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
