// The real varnok-server for the HTTP layer's tests: started on a free port
// of 127.0.0.1 with a fresh data folder (or a database given in
// VARNOK_TEST_DATABASE), stopped at the end; the program's client pointed at
// it, and a way to wait for one operation's results on the event loop.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>

#include "address_cipher.h"
#include "online_client.h"

namespace varnok::online::testing {

inline std::string StoredAddress(const QString& address) { return EncipherAddress(address.toStdString()); }

// Every service address of a client at a test server's base address.
inline void PointClientAt(ServiceAddresses& a, const QString& base) {
  a.Account = StoredAddress(base + "account.php");
  a.Results = StoredAddress(base + "results.php");
  a.Stats = StoredAddress(base + "stats.php");
  a.Tour = StoredAddress(base + "tour.php");
  a.PhotoFolder = StoredAddress(base + "photos/");
  a.PhotoUpload = StoredAddress(base + "photo_upload.php");
  a.News = StoredAddress(base + "news.html");
  a.Directory = StoredAddress(base + "directory.txt");
  a.IpEcho = StoredAddress(base + "get_ip.php");
  a.Download = StoredAddress(base + "download/");
  a.Music = StoredAddress(base + "music/");
}

// A member of the test club: password "secret1", from Russia.
inline TZubUser TestMember(const std::string& nick, const std::string& city = "Omsk") {
  TZubUser user;
  user.Nick = nick;
  user.Pw = "secret1";
  user.City = city;
  user.Country1 = "Russia";
  user.Country2 = "1-001";
  user.EMail = nick + "@example.org";
  user.DateR = "10.12.2026";
  user.R01 = user.R02 = user.R03 = "xxx";
  return user;
}

// Registers `user` through `client` and waits for the answer on the event
// loop: the registration's result, or nothing when none came in time.
inline std::optional<int> RegisterOnServer(OnlineClient& client, const TZubUser& user, int limit_ms = 30000) {
  std::optional<int> registered;
  client.Run(RegisterAccount{user}, nullptr, [&](int r) { registered = r; });
  QElapsedTimer clock;
  clock.start();
  while (!registered && clock.elapsed() < limit_ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return registered;
}

class ServerProcess {
 public:
  // Starts the server; false (with the reason in `Error()`) when it does not say where it listens.
  bool Start(const QStringList& extra = {}) {
    QStringList arguments{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--data"), data_.path()};
    const QByteArray database = qgetenv("VARNOK_TEST_DATABASE");
    if (!database.isEmpty()) arguments << QStringLiteral("--database") << QString::fromUtf8(database);
    arguments << extra;
    process_.setProgram(QStringLiteral(VARNOK_SERVER_BINARY));
    process_.setArguments(arguments);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(10000)) return Fail("did not start");
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    static const QRegularExpression listening(QStringLiteral("listening on (https?://[^/ ]+/)"));
    while (clock.elapsed() < 20000) {
      if (!process_.waitForReadyRead(200) && process_.state() != QProcess::Running) break;
      out += process_.readAllStandardOutput();
      const auto match = listening.match(QString::fromUtf8(out));
      if (match.hasMatch()) {
        base_ = match.captured(1);
        return true;
      }
    }
    return Fail("no address: " + out + process_.readAllStandardError());
  }
  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
      process_.kill();
      process_.waitForFinished(5000);
    }
  }
  ~ServerProcess() { Stop(); }

  // Runs "varnok-server admin ARGUMENTS" on the same data; true on exit status 0.
  bool Admin(const QStringList& arguments) {
    QProcess admin;
    QStringList all{QStringLiteral("admin"), QStringLiteral("--data"), data_.path()};
    const QByteArray database = qgetenv("VARNOK_TEST_DATABASE");
    if (!database.isEmpty()) all << QStringLiteral("--database") << QString::fromUtf8(database);
    admin.start(QStringLiteral(VARNOK_SERVER_BINARY), all + arguments);
    if (!admin.waitForFinished(20000)) return false;
    return admin.exitStatus() == QProcess::NormalExit && admin.exitCode() == 0;
  }

  const QString& Base() const { return base_; }
  QString DataPath() const { return data_.path(); }
  const QByteArray& Error() const { return error_; }

 private:
  bool Fail(const QByteArray& why) {
    error_ = why;
    return false;
  }
  QTemporaryDir data_;
  QProcess process_;
  QString base_;
  QByteArray error_;
};

// A client pointed at a fresh server.
class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Start()) << server_.Error().constData();
    PointAt(server_.Base());
  }

  void PointAt(const QString& base) { PointClientAt(client_.Addresses(), base); }

  // One operation, waited for on the event loop.
  template <class Operation>
  typename Operation::Result Call(const Operation& operation) {
    std::optional<typename Operation::Result> result;
    client_.Run(operation, nullptr, [&](typename Operation::Result r) { result = std::move(r); });
    Wait([&] { return result.has_value(); });
    EXPECT_TRUE(result.has_value()) << "no answer in time";
    return result.value_or(operation.Read(std::nullopt));
  }

 public:
  template <class Ready>
  static void Wait(Ready ready, int limit_ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!ready() && clock.elapsed() < limit_ms)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }

 protected:

  TZubUser Member(const std::string& nick, const std::string& city = "Omsk") { return TestMember(nick, city); }

  ServerProcess server_;
  OnlineClient client_;
};

}  // namespace varnok::online::testing
