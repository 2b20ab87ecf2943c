// The program's side of the club's server: the service addresses (kept in
// their stored form and deciphered when used), the two availability flags
// that the service directory sets, and every server operation as a call that
// returns at once and hands its results to a continuation on the event loop.
//
// Nothing here blocks, throws or shows a message: a failed call (no
// connection, a time-out, an HTTP error status, an unreadable reply) hands
// over the operation's failure results. A dead or silent server costs a call
// no more than its read time-out, during which the window keeps painting.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "operations.h"

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace varnok::online {

// The addresses of the club's server, each in the stored form.
struct ServiceAddresses {
  std::string Account;
  std::string Results;
  std::string Stats;
  std::string Tour;
  std::string PhotoFolder;  // photos by nick: folder + nick + ".jpg"
  std::string PhotoUpload;
  std::string News;
  std::string Directory;
  std::string IpEcho;
  std::string Download;
  std::string Music;        // the music folder: "_playlist.html" and the songs

  // Every address at the program's built-in value, in force from the first
  // start; the directory step may replace the results, statistics and
  // account services.
  static ServiceAddresses BuiltIn();
};

// Read time-outs: the reads that refresh windows set 3000 ms on the shared
// client, which keeps it for later posts; before that a post may take the
// longer default.
inline constexpr int kShortReadTimeoutMs = 3000;
inline constexpr int kDefaultReadTimeoutMs = 10000;
// The User-Agent of every post.
inline constexpr const char* kPostUserAgent = "ZubSpecAccess";
// The largest reply taken; a longer one fails the call.
inline constexpr qint64 kMaxReplyBytes = 1 << 20;
inline constexpr qint64 kMaxPhotoBytes = 2 << 20;

class OnlineClient : public QObject {
  Q_OBJECT

 public:
  explicit OnlineClient(QObject* parent = nullptr);
  ~OnlineClient() override;

  ServiceAddresses& Addresses() { return addresses_; }
  const ServiceAddresses& Addresses() const { return addresses_; }
  bool ResultsAvailable() const { return results_available_; }
  bool ChatAvailable() const { return chat_available_; }
  int ReadTimeoutMs() const { return read_timeout_ms_; }
  // Whether the server answered the latest call that reached the network (a
  // reply with any HTTP status counts; no connection or a time-out does not).
  // True until a call has failed so.
  bool ServerAnswering() const { return answering_; }
  // Shortens every time-out (tests of a silent server).
  void SetDefaultTimeoutForTests(int ms) { read_timeout_ms_ = ms; get_timeout_ms_ = ms; }

  // Runs one operation; `done` is called once with its results, unless
  // `context` is gone by then.
  template <class Operation>
  void Run(const Operation& operation, QObject* context, std::function<void(typename Operation::Result)> done) {
    Post(operation.MakeRequest(), context,
         [operation, done = std::move(done)](const std::optional<std::string>& body) {
           if (body) {
             done(operation.Read(std::string_view(*body)));
           } else {
             done(operation.Read(std::nullopt));
           }
         });
  }

  // The directory step: three fetches of the service directory, which set
  // the availability flags and the results, statistics and account
  // addresses. `done` follows the third fetch.
  void ReadDirectory(QObject* context, std::function<void()> done);

  // The news number of the news document (0 when unread).
  void ReadNews(QObject* context, std::function<void(int)> done);

  // The caller's internet address as the server sees it (empty on failure).
  void ReadExternalIp(QObject* context, std::function<void(QString)> done);

  // An account's photo; nothing on any failure.
  void LoadPhoto(const QString& nick, QObject* context, std::function<void(std::optional<QImage>)> done);

  // Stores the user's photo (a JPEG of 200 x 250) on the server under his
  // nick; true when the server took it.
  void UploadPhoto(const QByteArray& jpeg, const QString& nick, const QString& password, QObject* context,
                   std::function<void(bool)> done);

  // The music folder's playlist document (UTF-8 text, one song a line);
  // nothing on any failure.
  void ReadPlaylist(QObject* context, std::function<void(std::optional<QString>)> done);
  // The deciphered address of the music folder (ends with "/").
  QString MusicFolder() const;

  // The deciphered address of a service.
  QString Address(Service service) const;

 Q_SIGNALS:
  // The server stopped or started answering (see ServerAnswering).
  void AnsweringChanged(bool answering);

 private:
  void NoteAnswer(bool answered);
  using BodyHandler = std::function<void(const std::optional<std::string>&)>;

  void Post(const Request& request, QObject* context, BodyHandler handler);
  // A plain GET on a fresh client.
  void Get(const QString& url, qint64 limit, QObject* context, BodyHandler handler);
  void Watch(QNetworkReply* reply, qint64 limit, QObject* context, BodyHandler handler);
  void DirectoryFetch(int step, QObject* context, std::function<void()> done);

  ServiceAddresses addresses_;
  bool results_available_ = false;
  bool chat_available_ = false;
  bool answering_ = true;
  int read_timeout_ms_ = kDefaultReadTimeoutMs;
  int get_timeout_ms_ = kDefaultReadTimeoutMs;
  QNetworkAccessManager* posts_;
};

}  // namespace varnok::online
