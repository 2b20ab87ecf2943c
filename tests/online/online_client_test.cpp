// The HTTP layer on the event loop: headers and bodies of the posts, the
// directory step, and a silent server that costs no more than the time-out
// while the window keeps painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "address_cipher.h"
#include "online_client.h"
#include "stub_http_server.h"

namespace varnok::online {
namespace {

using testing::StubHttpServer;

std::string Stored(const QString& address) { return EncipherAddress(address.toStdString()); }

// Waits on the event loop until `ready` holds or the limit passes.
template <class Ready>
bool WaitFor(Ready ready, int limit_ms = 15000) {
  QElapsedTimer clock;
  clock.start();
  while (!ready() && clock.elapsed() < limit_ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  return ready();
}

class OnlineClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    client_.Addresses().Directory = Stored(server_.Base() + "directory.txt");
    client_.Addresses().Results = Stored(server_.Base() + "results.php");
    client_.Addresses().Stats = Stored(server_.Base() + "stats.php");
    client_.Addresses().News = Stored(server_.Base() + "news.html");
    client_.Addresses().IpEcho = Stored(server_.Base() + "get_ip.php");
  }

  StubHttpServer server_;
  OnlineClient client_;
};

TEST_F(OnlineClientTest, PostCarriesTheUserAgentContentTypeAndBody) {
  server_.Answer("/results.php", "$4$");
  std::optional<NumberResult> place;
  client_.Run(WriteTableEntry{9, "Ivan", "Omsk", "1-001", 120, "M", "a&b", "c"}, nullptr,
              [&](NumberResult result) { place = result; });
  ASSERT_TRUE(WaitFor([&] { return place.has_value(); }));
  EXPECT_TRUE(place->Ok);
  EXPECT_EQ(place->Value, 4);
  ASSERT_EQ(server_.Requests().size(), 1);
  const auto& request = server_.Requests().front();
  EXPECT_EQ(request.Method, "POST");
  EXPECT_EQ(request.Headers.value("user-agent"), "ZubSpecAccess");
  EXPECT_EQ(request.Headers.value("content-type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(request.Body, "gid=9&nick=Ivan&city=Omsk&country=1-001&score=120&R7=M&R8=5.7f&R9=a%26b&R10=c*");
}

TEST_F(OnlineClientTest, ErrorStatusAndMissingAddressGiveTheFailureResults) {
  // 404 from the server.
  std::optional<TableResult> table;
  client_.Addresses().Results = Stored(server_.Base() + "missing.php");
  client_.Run(ReadTable{9}, nullptr, [&](TableResult result) { table = result; });
  ASSERT_TRUE(WaitFor([&] { return table.has_value(); }));
  EXPECT_FALSE(table->Ok);
  EXPECT_EQ(table->Rows[0].Nick, "#");
  // No account address before the directory step: a transport error.
  std::optional<int> registered;
  client_.Run(RegisterAccount{}, nullptr, [&](int result) { registered = result; });
  ASSERT_TRUE(WaitFor([&] { return registered.has_value(); }));
  EXPECT_EQ(*registered, 2);
}

TEST_F(OnlineClientTest, AGoneContextGetsNoCall) {
  server_.Answer("/results.php", "$4$");
  bool called = false;
  auto* context = new QObject;
  client_.Run(ReadTableCount{9}, context, [&](NumberResult) { called = true; });
  delete context;
  WaitFor([&] { return server_.Requests().size() == 1; });
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_FALSE(called);
}

// A window that counts its paints.
class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST_F(OnlineClientTest, ASilentServerCostsTheTimeOutWhileTheWindowPaintsAndTimersTick) {
  server_.SetSilent(true);
  PaintCounter window;
  window.resize(200, 100);
  window.show();
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    ++ticks;
    window.update();
  });
  timer.start(20);

  QElapsedTimer clock;
  clock.start();
  std::optional<TableResult> table;
  // ReadTable sets the client's read time-out to 3000 ms.
  client_.Run(ReadTable{9}, &window, [&](TableResult result) { table = result; });
  EXPECT_EQ(client_.ReadTimeoutMs(), kShortReadTimeoutMs);
  ASSERT_TRUE(WaitFor([&] { return table.has_value(); }, 10000));
  const qint64 waited = clock.elapsed();
  EXPECT_FALSE(table->Ok);
  EXPECT_GE(waited, 2500);
  EXPECT_LT(waited, 6000);
  // The event loop ran all along: about one tick and one paint per 20 ms.
  EXPECT_GT(ticks, 50);
  EXPECT_GT(window.paints, 25);
}

TEST_F(OnlineClientTest, DirectoryStepSetsFlagsAndAddresses) {
  const QString results = server_.Base() + "world.php";
  const QString stats = server_.Base() + "counts.php";
  const QString account = server_.Base() + "club.php";
  server_.Answer("/directory.txt", QByteArray("WTGamesPatt=") + Stored(results).c_str() + "#StatPath=" +
                                       Stored(stats).c_str() + "#AccPath=" + Stored(account).c_str());
  bool done = false;
  client_.ReadDirectory(nullptr, [&] { done = true; });
  ASSERT_TRUE(WaitFor([&] { return done; }));
  EXPECT_TRUE(client_.ResultsAvailable());
  EXPECT_TRUE(client_.ChatAvailable());
  EXPECT_EQ(client_.Address(Service::Results), results);
  EXPECT_EQ(client_.Address(Service::Stats), stats);
  EXPECT_EQ(client_.Address(Service::Account), account);  // no "#" after it: the rest of the text
  EXPECT_EQ(server_.Requests().size(), 3);
}

TEST_F(OnlineClientTest, DirectoryPausesKeepTheResultsAddress) {
  const QString before = client_.Address(Service::Results);
  server_.Answer("/directory.txt", QByteArray("WTGamesPause#CTGamesPause#WTGamesPatt=") +
                                       Stored(server_.Base() + "other.php").c_str() + "#");
  bool done = false;
  client_.ReadDirectory(nullptr, [&] { done = true; });
  ASSERT_TRUE(WaitFor([&] { return done; }));
  EXPECT_FALSE(client_.ResultsAvailable());
  EXPECT_FALSE(client_.ChatAvailable());
  EXPECT_EQ(client_.Address(Service::Results), before);
  // No "AccPath": the account service is the built-in one.
  EXPECT_EQ(client_.Addresses().Account, BuiltInAccountService());
}

TEST_F(OnlineClientTest, ADeadDirectoryMakesBothServicesAvailable) {
  client_.Addresses().Directory = Stored(QStringLiteral("http://127.0.0.1:1/directory.txt"));
  const QString results = client_.Address(Service::Results);
  bool done = false;
  client_.ReadDirectory(nullptr, [&] { done = true; });
  ASSERT_TRUE(WaitFor([&] { return done; }));
  EXPECT_TRUE(client_.ResultsAvailable());
  EXPECT_TRUE(client_.ChatAvailable());
  EXPECT_EQ(client_.Address(Service::Results), results);
  EXPECT_EQ(client_.Addresses().Account, BuiltInAccountService());
}

TEST_F(OnlineClientTest, NewsNumberAndExternalAddress) {
  server_.Answer("/news.html", "<html><!-- ZubNews00042 --></html>");
  server_.Answer("/get_ip.php", "127.0.0.1");
  std::optional<int> news;
  std::optional<QString> address;
  client_.ReadNews(nullptr, [&](int number) { news = number; });
  client_.ReadExternalIp(nullptr, [&](QString text) { address = text; });
  ASSERT_TRUE(WaitFor([&] { return news.has_value() && address.has_value(); }));
  EXPECT_EQ(*news, 42);
  EXPECT_EQ(*address, "127.0.0.1\r\n");
  // The plain GETs go out with the client's own user agent.
  for (const auto& request : server_.Requests()) EXPECT_NE(request.Headers.value("user-agent"), "ZubSpecAccess");
}

}  // namespace
}  // namespace varnok::online
