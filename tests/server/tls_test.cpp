// With a certificate and key the server speaks HTTPS; without, plain HTTP.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSslSocket>
#include <cstdlib>
#include <filesystem>

#include "server_process.h"

namespace varnok::test {
namespace {

TEST(ServerTls, ServesHttpsWithTheGivenCertificate) {
  if (std::system("command -v openssl >/dev/null 2>&1") != 0 || !QSslSocket::supportsSsl()) {
    GTEST_SKIP() << "openssl or Qt's TLS back-end missing";
  }
  static int argc = 1;
  static char name[] = "tls-test";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  const std::string folder = MakeTempFolder();
  const std::string cert = folder + "/cert.pem";
  const std::string key = folder + "/key.pem";
  const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 1 -keyout " + key +
                           " -out " + cert + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(make.c_str()), 0);
  {
    ServerProcess server(folder + "/data", {"--cert", cert, "--key", key});
    ASSERT_TRUE(server.Running());
    QSslSocket socket;
    socket.setPeerVerifyMode(QSslSocket::VerifyNone);
    socket.connectToHostEncrypted("127.0.0.1", static_cast<quint16>(server.port()));
    ASSERT_TRUE(socket.waitForEncrypted(10000)) << socket.errorString().toStdString();
    socket.write("GET /get_ip.php HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray reply;
    while (socket.waitForReadyRead(5000)) reply += socket.readAll();
    EXPECT_TRUE(reply.startsWith("HTTP/1.1 200")) << reply.toStdString();
    EXPECT_TRUE(reply.endsWith("\r\n\r\n127.0.0.1")) << reply.toStdString();
    // A plain request on the TLS port gets no answer, and a client that never
    // finishes its handshake is dropped.
    EXPECT_NE(server.Get("/get_ip.php").status, 200);
    const HttpResult silent = server.Raw("", 9000);
    EXPECT_TRUE(silent.closed) << "a connection that never starts its handshake is closed";
  }
  RemoveTree(folder);
}

}  // namespace
}  // namespace varnok::test
