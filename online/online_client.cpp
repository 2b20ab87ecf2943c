#include "online_client.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <QtGlobal>

#include "address_cipher.h"
#include "reply_scans.h"

namespace varnok::online {

namespace {

QString Deciphered(const std::string& stored) {
  return QString::fromStdString(DecipherAddress(stored));
}

}  // namespace

ServiceAddresses ServiceAddresses::BuiltIn() {
  ServiceAddresses a;
  a.Account = BuiltInAccountService();
  a.Results = BuiltInResultsService();
  a.Stats = BuiltInStatsService();
  a.Tour = BuiltInTourService();
  a.PhotoFolder = BuiltInPhotoFolder();
  a.PhotoUpload = BuiltInPhotoUpload();
  a.News = BuiltInNewsDocument();
  a.Directory = BuiltInDirectoryDocument();
  a.IpEcho = BuiltInIpEcho();
  a.Download = BuiltInDownloadFolder();
  a.Music = BuiltInMusicFolder();
  return a;
}

OnlineClient::OnlineClient(QObject* parent)
    : QObject(parent), addresses_(ServiceAddresses::BuiltIn()), posts_(new QNetworkAccessManager(this)) {}

OnlineClient::~OnlineClient() = default;

QString OnlineClient::Address(Service service) const {
  switch (service) {
    case Service::Account: return Deciphered(addresses_.Account);
    case Service::Results: return Deciphered(addresses_.Results);
    case Service::Stats: return Deciphered(addresses_.Stats);
    case Service::Tour: return Deciphered(addresses_.Tour);
  }
  return {};
}

void OnlineClient::Watch(QNetworkReply* reply, qint64 limit, QObject* context, BodyHandler handler) {
  QPointer<QObject> guard(context);
  const bool guarded = context != nullptr;
  // A reply longer than any the server sends is cut off as a failure.
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply, limit](qint64 received, qint64 total) {
    if (received > limit || total > limit) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, guard, guarded, handler = std::move(handler)] {
    reply->deleteLater();
    // An HTTP status of any kind is an answer.
    NoteAnswer(reply->error() == QNetworkReply::NoError ||
               reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid());
    if (guarded && guard.isNull()) return;
    const bool ok = reply->error() == QNetworkReply::NoError;
    if (!ok) {
      handler(std::nullopt);
      return;
    }
    const QByteArray body = reply->readAll();
    handler(std::string(body.constData(), static_cast<std::size_t>(body.size())));
  });
}

void OnlineClient::NoteAnswer(bool answered) {
  if (answered == answering_) return;
  answering_ = answered;
  Q_EMIT AnsweringChanged(answered);
}

void OnlineClient::Post(const Request& request, QObject* context, BodyHandler handler) {
  if (request.ShortTimeout) read_timeout_ms_ = kShortReadTimeoutMs;
  const QUrl url(Address(request.Target));
  if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty()) {
    // No address (the directory step has not run): fails as a transport error,
    // on the event loop like any other reply.
    QPointer<QObject> guard(context);
    const bool guarded = context != nullptr;
    QMetaObject::invokeMethod(
        this,
        [guard, guarded, handler = std::move(handler)] {
          if (!guarded || !guard.isNull()) handler(std::nullopt);
        },
        Qt::QueuedConnection);
    return;
  }
  QNetworkRequest http(url);
  http.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kPostUserAgent));
  http.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
  http.setTransferTimeout(read_timeout_ms_);
  const std::string body = FormBody(request.Style, request.Fields);
  QNetworkReply* reply = posts_->post(http, QByteArray(body.data(), static_cast<qsizetype>(body.size())));
  Watch(reply, kMaxReplyBytes, context, std::move(handler));
}

void OnlineClient::Get(const QString& address, qint64 limit, QObject* context, BodyHandler handler) {
  // Each plain GET has a client of its own, freed with its reply.
  auto* client = new QNetworkAccessManager(this);
  QNetworkRequest http{QUrl(address)};
  http.setTransferTimeout(get_timeout_ms_);
  QNetworkReply* reply = client->get(http);
  connect(reply, &QObject::destroyed, client, &QObject::deleteLater);
  Watch(reply, limit, context, std::move(handler));
}

void OnlineClient::ReadDirectory(QObject* context, std::function<void()> done) {
  DirectoryFetch(1, context, std::move(done));
}

void OnlineClient::DirectoryFetch(int step, QObject* context, std::function<void()> done) {
  if (step == 3) addresses_.Account = BuiltInAccountService();
  Get(Deciphered(addresses_.Directory), kMaxReplyBytes, context,
      [this, step, context, done = std::move(done)](const std::optional<std::string>& text) mutable {
        if (step == 1) {
          if (!text) {
            results_available_ = chat_available_ = true;
          } else {
            chat_available_ = text->find("CTGamesPause") == std::string::npos;
            if (text->find("WTGamesPause") != std::string::npos) {
              results_available_ = false;
            } else {
              results_available_ = true;
              if (auto value = DirectoryValue(*text, "WTGamesPatt")) addresses_.Results = std::move(*value);
            }
          }
        } else if (text) {
          const char* key = step == 2 ? "StatPath" : "AccPath";
          if (auto value = DirectoryValue(*text, key)) {
            (step == 2 ? addresses_.Stats : addresses_.Account) = std::move(*value);
          }
        }
        if (step < 3) {
          DirectoryFetch(step + 1, context, std::move(done));
        } else if (done) {
          done();
        }
      });
}

void OnlineClient::ReadNews(QObject* context, std::function<void(int)> done) {
  Get(Deciphered(addresses_.News), kMaxReplyBytes, context,
      [done = std::move(done)](const std::optional<std::string>& text) { done(text ? NewsNumber(*text) : 0); });
}

void OnlineClient::ReadExternalIp(QObject* context, std::function<void(QString)> done) {
  Get(Deciphered(addresses_.IpEcho), kMaxReplyBytes, context,
      [done = std::move(done)](const std::optional<std::string>& text) {
        const std::string lines = text ? ExternalIpText(std::string_view(*text)) : std::string();
        done(QString::fromUtf8(lines.data(), static_cast<qsizetype>(lines.size())));
      });
}

QString OnlineClient::MusicFolder() const { return Deciphered(addresses_.Music); }

void OnlineClient::ReadPlaylist(QObject* context, std::function<void(std::optional<QString>)> done) {
  Get(MusicFolder() + QStringLiteral("_playlist.html"), kMaxReplyBytes, context,
      [done = std::move(done)](const std::optional<std::string>& text) {
        if (!text) {
          done(std::nullopt);
          return;
        }
        done(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
      });
}

void OnlineClient::LoadPhoto(const QString& nick, QObject* context,
                             std::function<void(std::optional<QImage>)> done) {
  const QString address = Deciphered(addresses_.PhotoFolder) + QString::fromLatin1(QUrl::toPercentEncoding(nick)) +
                          QStringLiteral(".jpg");
  Get(address, kMaxPhotoBytes, context, [done = std::move(done)](const std::optional<std::string>& body) {
    if (!body) {
      done(std::nullopt);
      return;
    }
    QImage image;
    if (!image.loadFromData(QByteArray(body->data(), static_cast<qsizetype>(body->size())), "JPEG")) {
      done(std::nullopt);
      return;
    }
    done(std::move(image));
  });
}

void OnlineClient::UploadPhoto(const QByteArray& jpeg, const QString& nick, const QString& password,
                               QObject* context, std::function<void(bool)> done) {
  QNetworkRequest http{QUrl(Deciphered(addresses_.PhotoUpload))};
  http.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kPostUserAgent));
  http.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("image/jpeg"));
  http.setRawHeader("X-Varnok-Nick", QUrl::toPercentEncoding(nick));
  http.setRawHeader("X-Varnok-Password", QUrl::toPercentEncoding(password));
  http.setTransferTimeout(read_timeout_ms_);
  QNetworkReply* reply = posts_->post(http, jpeg);
  Watch(reply, kMaxReplyBytes, context, [done = std::move(done)](const std::optional<std::string>& body) {
    done(body && body->rfind("ok", 0) == 0);
  });
}

}  // namespace varnok::online
