// The club from the first start of a fresh copy: a program folder holding
// only the program's club files (no options, no saved login) reads the
// service directory at once, registers an account at once, and a server that
// does not answer shows as "No Connect" rather than as a refused login. The
// server is the real varnok-server on a free port; the one built-in address
// a club sets when building the program, the directory's, points at it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "../online/server_fixture.h"
#include "address_cipher.h"
#include "form_account.h"
#include "form_message.h"
#include "loader.h"
#include "online_club.h"
#include "settings.h"
#include "table_canvas.h"
#include "window_driver.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using namespace varnok::testing;
using online::testing::ServerProcess;
using online::testing::StoredAddress;

template <class Ready>
bool WaitFor(Ready ready, int limit_ms = 20000) {
  QElapsedTimer clock;
  clock.start();
  while (!ready() && clock.elapsed() < limit_ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return ready();
}

// Answers every message window that opens, keeping its text and name.
class MessageCatcher {
 public:
  MessageCatcher() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* message = qobject_cast<TFormMessage*>(QApplication::activeModalWidget())) {
        texts << message->Text();
        names << message->objectName();
        message->accept();
      }
    });
    timer_.start();
  }
  QStringList texts, names;

 private:
  QTimer timer_;
};

void Type(QWidget* field, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &release);
  }
}

QString Plain(const std::string& stored) { return QString::fromStdString(DecipherAddress(stored)); }

class ClubFirstStart : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    program_ = root_.filePath(QStringLiteral("Varnok"));
    ASSERT_TRUE(QDir().mkpath(program_));
    WriteClubFiles(program_);  // what the distribution puts beside the program; nothing else
  }
  QTemporaryDir root_;
  QString program_;
};

TEST_F(ClubFirstStart, AFreshFolderReadsTheDirectoryAndRegistersAtOnce) {
  ServerProcess server;
  ASSERT_TRUE(server.Start()) << server.Error().constData();
  ASSERT_FALSE(QFile::exists(program_ + QStringLiteral("/Varnok.ini")));
  MainWindow window(TestWindowOptions(program_));
  window.Online().Addresses().Directory = StoredAddress(server.Base() + "directory.txt");
  StartWindow(window);
  // The directory is read although there was no options file.
  ASSERT_TRUE(WaitFor([&] { return Plain(window.Online().Addresses().Account) == server.Base() + "account.php"; }))
      << "account " << Plain(window.Online().Addresses().Account).toStdString();
  EXPECT_EQ(Plain(window.Online().Addresses().Results), server.Base() + "results.php");
  EXPECT_EQ(Plain(window.Online().Addresses().Stats), server.Base() + "stats.php");
  EXPECT_TRUE(window.Online().ResultsAvailable());
  EXPECT_TRUE(window.Online().ChatAvailable());

  // "Create an account" on the account window registers at once.
  MessageCatcher messages;
  online::TFormAccount account(window.Club(), false, SoundHook{});
  account.show();
  ASSERT_TRUE(WaitFor([&] { return account.PendingReads() == 0; }));
  Type(account.findChild<QLineEdit*>(QStringLiteral("Nick")), QStringLiteral("Newcomer"));
  Type(account.findChild<QLineEdit*>(QStringLiteral("Password")), QStringLiteral("secret1"));
  Type(account.findChild<QLineEdit*>(QStringLiteral("City")), QStringLiteral("Omsk"));
  Type(account.findChild<QLineEdit*>(QStringLiteral("EMail")), QStringLiteral("new@example.org"));
  auto* create = account.findChild<TZubCardsButton*>(QStringLiteral("Create"));
  ASSERT_NE(create, nullptr);
  ASSERT_TRUE(create->isEnabled());
  QTest::mouseClick(create, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return !messages.texts.isEmpty(); }));
  EXPECT_EQ(messages.texts.front(), QStringLiteral("Your account has been successfully created!"));
  ASSERT_TRUE(WaitFor([&] { return window.Club().AccountState() == online::kLoggedIn; }));
  account.close();

  // The first launch was counted as a unique one.
  online::OnlineClient reader;
  online::testing::PointClientAt(reader.Addresses(), server.Base());
  std::optional<online::StatsResult> stats;
  reader.Run(online::ReadStats{online::kGameCode}, nullptr, [&](online::StatsResult r) { stats = r; });
  ASSERT_TRUE(WaitFor([&] { return stats.has_value(); }));
  EXPECT_EQ(stats->Stat.Stat2, 1) << "the unique launch of a fresh copy";
  window.close();

  // The options written carry the service addresses: the next start reads them whole.
  const LoadedSettings written = LoadSettings(program_.toStdString());
  if (written.Read != SettingsRead::NoFile) {
    EXPECT_EQ(written.Read, SettingsRead::Complete);
    EXPECT_FALSE(written.Values.ResultsService.empty());
    EXPECT_FALSE(written.Values.StatsService.empty());
    EXPECT_TRUE(written.Values.UniqueStartCounted);
  }
}

TEST_F(ClubFirstStart, WithoutAnAnsweringServerTheBuiltInServicesStandAndTheLampSaysNoConnect) {
  MainWindow window(TestWindowOptions(program_));
  window.Online().SetDefaultTimeoutForTests(1500);
  window.Online().Addresses().Directory = StoredAddress(QStringLiteral("http://127.0.0.1:1/directory.txt"));
  StartWindow(window);
  ASSERT_TRUE(WaitFor([&] { return !window.Online().ServerAnswering(); }));
  // The built-in services are in force from the first start.
  EXPECT_EQ(window.Online().Addresses().Account, BuiltInAccountService());
  EXPECT_EQ(window.Online().Addresses().Results, BuiltInResultsService());
  EXPECT_EQ(window.Online().Addresses().Stats, BuiltInStatsService());
  EXPECT_EQ(window.Options().ResultsService, BuiltInResultsService());

  QTest::keyClick(window.Canvas(), Qt::Key_Space);
  ASSERT_TRUE(window.MenuShown());
  QWidget* lamp = window.Canvas()->findChild<QWidget*>(QStringLiteral("ImAccount"));
  ASSERT_NE(lamp, nullptr);
  EXPECT_TRUE(lamp->isVisible());
  EXPECT_TRUE(lamp->property("offline").toBool());
  EXPECT_EQ(lamp->toolTip(), QStringLiteral("No Connect"));

  // A login that cannot reach the server says so; it is no refused login.
  online::OnlineClient& client = window.Online();
  online::testing::PointClientAt(client.Addresses(), QStringLiteral("http://127.0.0.1:1/"));
  MessageCatcher messages;
  online::TFormAccount account(window.Club(), false, SoundHook{});
  account.show();
  ASSERT_TRUE(WaitFor([&] { return account.PendingReads() == 0; }));
  Type(account.findChild<QLineEdit*>(QStringLiteral("Nick")), QStringLiteral("Somebody"));
  Type(account.findChild<QLineEdit*>(QStringLiteral("Password")), QStringLiteral("secret1"));
  QTest::mouseClick(account.findChild<TZubCardsButton*>(QStringLiteral("Login")), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return messages.names.contains(QStringLiteral("NoConnection")); }))
      << messages.texts.join(QStringLiteral("; ")).toStdString();
  EXPECT_TRUE(messages.texts.contains(QStringLiteral("Could not connect to server!")));
  EXPECT_FALSE(messages.texts.contains(QStringLiteral("Login failed!")));
  account.close();

  // A server that answers again clears the lamp's words.
  ServerProcess server;
  ASSERT_TRUE(server.Start()) << server.Error().constData();
  online::testing::PointClientAt(client.Addresses(), server.Base());
  bool read = false;
  client.ReadDirectory(nullptr, [&] { read = true; });
  ASSERT_TRUE(WaitFor([&] { return read; }));
  EXPECT_TRUE(client.ServerAnswering());
  EXPECT_FALSE(lamp->property("offline").toBool());
  window.close();
}

// The server publishes the libraries the build makes (as scripts/serve starts
// it): a fresh copy fetches one through its download page into the folder
// beside its own, checked against the published digest, and loads from it.
TEST_F(ClubFirstStart, ALibraryPublishedByTheServerArrivesAndLoads) {
  ServerProcess server;
  ASSERT_TRUE(server.Start({QStringLiteral("--libraries"), QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)}))
      << server.Error().constData();
  const QDir shelf(QDir(server.DataPath()).filePath(QStringLiteral("download")));
  for (const char* library : {"ZubCGraph1.dll", "ZubCards06A.dll", "ZubCVoice3.dll", "ZubRadio02.dll"}) {
    EXPECT_TRUE(shelf.exists(QString::fromLatin1(library))) << library;
    EXPECT_TRUE(shelf.exists(QString::fromLatin1(library) + QStringLiteral(".sha256"))) << library;
  }
  MainWindow window(TestWindowOptions(program_));
  window.Online().Addresses().Directory = StoredAddress(server.Base() + "directory.txt");
  window.Online().Addresses().Download = StoredAddress(server.Base() + "download/");
  StartWindow(window);
  QImage picture;
  ASSERT_FALSE(LoadJpeg(QStringLiteral("BGLilu"), QStringLiteral("ZubCGraph1.dll"), picture)) << "not there yet";
  std::optional<bool> arrived;
  int percent = 0;
  window.FetchLibrary(QStringLiteral("ZubCGraph1.dll"), [&](int p) { percent = p; }, [&](bool ok) { arrived = ok; });
  ASSERT_TRUE(WaitFor([&] { return arrived.has_value(); }, 60000));
  EXPECT_TRUE(*arrived);
  EXPECT_EQ(percent, 100);
  EXPECT_TRUE(QFile::exists(root_.filePath(QStringLiteral("ZubCGraph1.dll"))));
  EXPECT_TRUE(LoadJpeg(QStringLiteral("BGLilu"), QStringLiteral("ZubCGraph1.dll"), picture));
  EXPECT_FALSE(picture.isNull());
  window.close();
}

}  // namespace
}  // namespace varnok
