// With a certificate and key the server speaks HTTPS; without, plain HTTP.
// Clients that never finish a handshake hold one connection slot each until
// the handshake's deadline, never the listener; only forward-secret AEAD
// suites are offered.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSslCipher>
#include <QSslConfiguration>
#include <QSslSocket>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "server_process.h"

namespace varnok::test {
namespace {

class ServerTls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "tls-test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  }
  void SetUp() override {
    if (std::system("command -v openssl >/dev/null 2>&1") != 0 || !QSslSocket::supportsSsl()) {
      GTEST_SKIP() << "openssl or Qt's TLS back-end missing";
    }
    folder_ = MakeTempFolder();
    const std::string cert = folder_ + "/cert.pem";
    const std::string key = folder_ + "/key.pem";
    const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 1 -keyout " + key +
                             " -out " + cert + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0);
    server_ = std::make_unique<ServerProcess>(folder_ + "/data", std::vector<std::string>{"--cert", cert, "--key", key});
    ASSERT_TRUE(server_->Running());
  }
  void TearDown() override {
    server_.reset();
    if (!folder_.empty()) RemoveTree(folder_);
  }
  // A GET of the caller's address over TLS with the given settings; the
  // reply, or empty when the handshake failed.
  QByteArray GetOverTls(const QSslConfiguration& configuration, int timeout_ms = 10000) {
    QSslSocket socket;
    socket.setSslConfiguration(configuration);
    socket.setPeerVerifyMode(QSslSocket::VerifyNone);
    socket.connectToHostEncrypted("127.0.0.1", static_cast<quint16>(server_->port()));
    if (!socket.waitForEncrypted(timeout_ms)) return QByteArray();
    socket.write("GET /get_ip.php HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray reply;
    while (socket.waitForReadyRead(5000)) reply += socket.readAll();
    return reply;
  }
  std::string folder_;
  std::unique_ptr<ServerProcess> server_;
};

TEST_F(ServerTls, ServesHttpsWithTheGivenCertificate) {
  const QByteArray reply = GetOverTls(QSslConfiguration::defaultConfiguration());
  EXPECT_TRUE(reply.startsWith("HTTP/1.1 200")) << reply.toStdString();
  EXPECT_TRUE(reply.endsWith("\r\n\r\n127.0.0.1")) << reply.toStdString();
  // A plain request on the TLS port gets no answer, and a client that never
  // finishes its handshake is dropped.
  EXPECT_NE(server_->Get("/get_ip.php").status, 200);
  const HttpResult silent = server_->Raw("", 9000);
  EXPECT_TRUE(silent.closed) << "a connection that never starts its handshake is closed";
}

// Two hundred connections that never finish their handshake (silent, or
// stopping inside the ClientHello), kept open or given up, do not keep the
// next client waiting for their deadline (5 s), and each is closed at it.
TEST_F(ServerTls, StalledHandshakesNeverStopTheListener) {
  // The first 40 bytes of a TLS 1.2 ClientHello.
  const std::string hello_start = std::string("\x16\x03\x01\x00\xc8\x01\x00\x00\xc4\x03\x03", 11) + std::string(29, 'r');
  for (const bool give_up : {false, true}) {
    std::vector<int> stalled;
    for (int i = 0; i < 200; ++i) {
      const int fd = Connect(server_->port());
      ASSERT_GE(fd, 0) << i;
      if (i % 2 == 1) SendAll(fd, hello_start);
      stalled.push_back(fd);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (give_up) {
      for (int fd : stalled) close(fd);
      stalled.clear();
      std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    }
    // Well within the stalled handshakes' deadline.
    const QByteArray reply = GetOverTls(QSslConfiguration::defaultConfiguration(), 3000);
    EXPECT_TRUE(reply.endsWith("\r\n\r\n127.0.0.1"))
        << "a client behind 200 stalled handshakes" << (give_up ? " that gave up" : "") << ": " << reply.toStdString();
    int closed = 0;
    for (int fd : stalled) {
      closed += ReadReply(fd, 8000).closed ? 1 : 0;
      close(fd);
    }
    if (!give_up) {
      EXPECT_EQ(closed, 200) << "each stalled handshake is closed at its deadline";
    }
  }
  EXPECT_TRUE(GetOverTls(QSslConfiguration::defaultConfiguration()).endsWith("127.0.0.1"));
}

// Only suites with forward secrecy and authenticated encryption: TLS 1.3,
// and TLS 1.2 with ECDHE and AES-GCM or ChaCha20-Poly1305.
TEST_F(ServerTls, OnlyForwardSecretAeadSuitesAreOffered) {
  const struct {
    const char* cipher;  // empty: TLS 1.3 with the client's own suites
    bool served;
  } cases[] = {
      {"", true},
      {"ECDHE-RSA-AES128-GCM-SHA256", true},
      {"ECDHE-RSA-AES256-GCM-SHA384", true},
      {"ECDHE-RSA-CHACHA20-POLY1305", true},
      {"AES128-GCM-SHA256", false},            // RSA key exchange: no forward secrecy
      {"AES256-SHA256", false},                // and no AEAD
      {"ECDHE-RSA-AES128-SHA256", false},      // CBC, not AEAD
      {"ECDHE-RSA-AES256-SHA", false},
      {"DHE-RSA-AES128-GCM-SHA256", false},    // finite-field DH
  };
  for (const auto& c : cases) {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    if (*c.cipher) {
      const QSslCipher cipher(QString::fromLatin1(c.cipher), QSsl::TlsV1_2);
      if (cipher.isNull()) continue;  // this OpenSSL lacks it on the client side
      configuration.setProtocol(QSsl::TlsV1_2);
      configuration.setCiphers({cipher});
    } else {
      configuration.setProtocol(QSsl::TlsV1_3OrLater);
    }
    const QByteArray reply = GetOverTls(configuration, 5000);
    EXPECT_EQ(reply.endsWith("127.0.0.1"), c.served) << (*c.cipher ? c.cipher : "TLS 1.3");
  }
}

}  // namespace
}  // namespace varnok::test
