// Fetching libraries from the download location: each arrives whole and
// opens; a cut, forged or foreign download leaves nothing behind.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QResource>
#include <QTemporaryDir>

#include "library_download.h"
#include "server_fixture.h"
#include "stub_http_server.h"

namespace varnok::online {
namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

DownloadResult Fetch(OnlineClient& client, const QString& file, const QString& folder, int* last_percent = nullptr) {
  std::optional<DownloadResult> result;
  FetchDownload(
      client, file, folder, nullptr, [last_percent](int percent) { if (last_percent) *last_percent = percent; },
      [&](DownloadResult r) { result = r; });
  testing::ServerTest::Wait([&] { return result.has_value(); });
  return result.value_or(DownloadResult{false, QStringLiteral("no answer")});
}

// The folder holds nothing but `names`.
void ExpectOnly(const QString& folder, const QStringList& names) {
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), names);
}

using DownloadFromServer = testing::ServerTest;

TEST_F(DownloadFromServer, EachLibraryArrivesWholeAndOpens) {
  const QDir download(QDir(server_.DataPath()).filePath(QStringLiteral("download")));
  QDir().mkpath(download.path());
  const QStringList libraries{QStringLiteral("ZubCalendar01.dll"), QStringLiteral("ZubRadio02.dll")};
  for (const QString& name : libraries)
    ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/") + name, download.filePath(name)));
  QFile list(download.filePath(QStringLiteral("ZubRadio.ser")));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write("Club station\r\n");
  list.close();

  QTemporaryDir parent;
  int percent = -1;
  for (const QString& name : libraries) {
    const DownloadResult result = Fetch(client_, name, parent.path(), &percent);
    EXPECT_TRUE(result.Ok) << name.toStdString() << ": " << result.Why.toStdString();
    EXPECT_EQ(FileBytes(parent.filePath(name)), FileBytes(download.filePath(name)));
    EXPECT_TRUE(QResource::registerResource(parent.filePath(name), QStringLiteral("/check")));
    QResource::unregisterResource(parent.filePath(name), QStringLiteral("/check"));
  }
  EXPECT_EQ(percent, 100);
  EXPECT_TRUE(Fetch(client_, QStringLiteral("ZubRadio.ser"), parent.path()).Ok);
  ExpectOnly(parent.path(), {"ZubCalendar01.dll", "ZubRadio.ser", "ZubRadio02.dll"});

  // A file the server does not have, and names that are no file names.
  EXPECT_FALSE(Fetch(client_, QStringLiteral("ZubCards06A.dll"), parent.path()).Ok);
  EXPECT_FALSE(Fetch(client_, QStringLiteral("../etc/passwd"), parent.path()).Ok);
  ExpectOnly(parent.path(), {"ZubCalendar01.dll", "ZubRadio.ser", "ZubRadio02.dll"});
}

class DownloadFaults : public ::testing::Test {
 protected:
  void SetUp() override { client_.Addresses().Download = testing::StoredAddress(server_.Base() + "download/"); }
  void Publish(const QByteArray& name, const QByteArray& body, const QByteArray& digest_of) {
    server_.Answer("/download/" + name + ".sha256",
                   QCryptographicHash::hash(digest_of, QCryptographicHash::Sha256).toHex() + "  " + name + "\n");
    server_.Answer("/download/" + name, body);
  }
  testing::StubHttpServer server_;
  OnlineClient client_;
  QTemporaryDir parent_;
};

TEST_F(DownloadFaults, AForgedFileIsRefused) {
  Publish("ZubRadio.ser", "the real list", "another list");
  const DownloadResult result = Fetch(client_, QStringLiteral("ZubRadio.ser"), parent_.path());
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Why, "the digest does not match");
  ExpectOnly(parent_.path(), {});
}

TEST_F(DownloadFaults, ACutDownloadLeavesNothing) {
  const QByteArray body(200000, 'x');
  server_.Answer("/download/ZubRadio.ser.sha256",
                 QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + "  ZubRadio.ser\n");
  server_.AnswerCut("/download/ZubRadio.ser", body.left(100000), body.size());
  EXPECT_FALSE(Fetch(client_, QStringLiteral("ZubRadio.ser"), parent_.path()).Ok);
  ExpectOnly(parent_.path(), {});
}

TEST_F(DownloadFaults, ALibraryThatIsNoBundleIsRefused) {
  Publish("ZubCGraph1.dll", "MZ not a bundle", "MZ not a bundle");
  const DownloadResult result = Fetch(client_, QStringLiteral("ZubCGraph1.dll"), parent_.path());
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Why, "not a resource bundle");
  ExpectOnly(parent_.path(), {});
}

TEST(PublishedDigest, ReadsTheSha256sumLine) {
  const QByteArray digest(64, 'a');
  EXPECT_EQ(PublishedDigest(digest + "  ZubRadio.ser\n"), digest);
  EXPECT_EQ(PublishedDigest(QByteArray(64, 'A')), digest);
  EXPECT_TRUE(PublishedDigest("abc  file").isEmpty());
  EXPECT_TRUE(PublishedDigest(QByteArray(65, 'a')).isEmpty());
  EXPECT_TRUE(PublishedDigest("").isEmpty());
}

}  // namespace
}  // namespace varnok::online
