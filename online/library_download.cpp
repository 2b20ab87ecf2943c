#include "library_download.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QResource>
#include <QTemporaryFile>
#include <filesystem>

#include "address_cipher.h"

Q_LOGGING_CATEGORY(lcDownload, "varnok.download")

namespace varnok::online {

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A file name of the download location: no folders, no dots in front.
bool SafeFileName(const QString& file) {
  if (file.isEmpty() || file.startsWith(QLatin1Char('.')) || file.size() > 100) return false;
  for (const QChar c : file) {
    if (!(c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('_') || c == QLatin1Char('-')))
      return false;
  }
  return true;
}

// Whether a file is a resource bundle that Qt can open.
bool OpensAsBundle(const QString& path) {
  const QString root = QStringLiteral("/varnok-download-check");
  if (!QResource::registerResource(path, root)) return false;
  QResource::unregisterResource(path, root);
  return true;
}

// One download under way: the digest first, then the file.
class Download : public QObject {
 public:
  Download(OnlineClient& client, QString file, QString folder, std::function<void(int)> progress,
           std::function<void(DownloadResult)> done)
      : client_(client),
        file_(std::move(file)),
        folder_(std::move(folder)),
        progress_(std::move(progress)),
        done_(std::move(done)),
        network_(new QNetworkAccessManager(this)) {}

  void Start() {
    if (!SafeFileName(file_)) return Finish(false, QStringLiteral("not a file name of the download location"));
    const QString base = QString::fromStdString(DecipherAddress(client_.Addresses().Download));
    QNetworkRequest request{QUrl(base + file_ + QStringLiteral(".sha256"))};
    request.setTransferTimeout(kDefaultReadTimeoutMs);
    QNetworkReply* reply = network_->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, base] {
      reply->deleteLater();
      const QByteArray text = reply->read(4096);
      if (reply->error() != QNetworkReply::NoError) return Finish(false, QStringLiteral("no digest: ") + reply->errorString());
      expected_ = PublishedDigest(text);
      if (expected_.isEmpty()) return Finish(false, QStringLiteral("the digest is unreadable"));
      FetchFile(base);
    });
  }

 private:
  void FetchFile(const QString& base) {
    temporary_ = new QTemporaryFile(QDir(folder_).filePath(QStringLiteral(".%1.part-XXXXXX").arg(file_)), this);
    if (!temporary_->open()) return Finish(false, QStringLiteral("cannot write into ") + folder_);
    QNetworkRequest request{QUrl(base + file_)};
    request.setTransferTimeout(kDefaultReadTimeoutMs);
    QNetworkReply* reply = network_->get(request);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
      const QByteArray chunk = reply->readAll();
      received_ += chunk.size();
      if (received_ > kMaxDownloadBytes) {
        failure_ = QStringLiteral("the file is too large");
        reply->abort();
        return;
      }
      hash_.addData(chunk);
      if (temporary_->write(chunk) != chunk.size()) {
        failure_ = QStringLiteral("cannot write: ") + temporary_->errorString();
        reply->abort();
      }
    });
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
      if (progress_ && total > 0) progress_(static_cast<int>(100 * received / total));
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
      reply->deleteLater();
      if (!failure_.isEmpty()) return Finish(false, failure_);
      if (reply->error() != QNetworkReply::NoError) return Finish(false, QStringLiteral("cut: ") + reply->errorString());
      const QByteArray rest = reply->readAll();
      hash_.addData(rest);
      temporary_->write(rest);
      // A body shorter than announced is a cut download even when the
      // connection closed cleanly.
      const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
      if (length.isValid() && length.toLongLong() != received_ + rest.size())
        return Finish(false, QStringLiteral("cut before its end"));
      if (hash_.result().toHex() != expected_) return Finish(false, QStringLiteral("the digest does not match"));
      if (!temporary_->flush()) return Finish(false, QStringLiteral("cannot write: ") + temporary_->errorString());
      temporary_->close();
      if (file_.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive) && !OpensAsBundle(temporary_->fileName()))
        return Finish(false, QStringLiteral("not a resource bundle"));
      std::error_code error;
      std::filesystem::rename(temporary_->fileName().toStdString(), QDir(folder_).filePath(file_).toStdString(), error);
      if (error) return Finish(false, QStringLiteral("cannot put it in place: ") + QString::fromStdString(error.message()));
      temporary_->setAutoRemove(false);
      Finish(true, {});
    });
  }

  void Finish(bool ok, const QString& why) {
    if (!ok) qCWarning(lcDownload) << "download of" << file_ << "failed:" << why;
    if (temporary_ != nullptr && !ok) temporary_->remove();
    auto done = std::move(done_);
    deleteLater();
    if (done) done({ok, why});
  }

  OnlineClient& client_;
  QString file_;
  QString folder_;
  std::function<void(int)> progress_;
  std::function<void(DownloadResult)> done_;
  QNetworkAccessManager* network_;
  QTemporaryFile* temporary_ = nullptr;
  QCryptographicHash hash_{QCryptographicHash::Sha256};
  QByteArray expected_;
  qint64 received_ = 0;
  QString failure_;
};

}  // namespace

QByteArray PublishedDigest(const QByteArray& text) {
  QByteArray digest;
  for (const char c : text) {
    if (!IsHexDigit(c)) break;
    digest += static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
  }
  return digest.size() == 64 ? digest : QByteArray();
}

void FetchDownload(OnlineClient& client, const QString& file, const QString& folder, QObject* context,
                   std::function<void(int)> progress, std::function<void(DownloadResult)> done) {
  QPointer<QObject> guard(context);
  const bool guarded = context != nullptr;
  auto* download = new Download(client, file, folder, std::move(progress),
                                [guard, guarded, done = std::move(done)](DownloadResult result) {
                                  if (guarded && guard.isNull()) return;
                                  if (done) done(result);
                                });
  download->setParent(&client);
  download->Start();
}

}  // namespace varnok::online
