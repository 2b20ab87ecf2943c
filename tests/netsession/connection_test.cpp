// Joining, leaving and hostile peers: a third player is turned away, a copy
// that leaves in the middle of a game interrupts it for the others, a peer
// that sends garbage is disconnected, and the chat line reaches every copy.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include "copies.h"
#include "deal_record.h"
#include "records.h"

namespace varnok::netsession::testing {
namespace {

// Waits until `done` holds, for at most `ms` milliseconds of event loop.
bool WaitFor(const std::function<bool()>& done, int ms = 2000) {
  for (int waited = 0; waited < ms && !done(); waited += 5) QTest::qWait(5);
  return done();
}

QByteArray ReadFor(QTcpSocket& socket, int ms) {
  QByteArray all;
  for (int waited = 0; waited < ms; waited += 5) {
    QTest::qWait(5);
    all += socket.readAll();
  }
  return all;
}

TEST(ConnectionTest, AThirdPlayerIsTurnedAwayWithoutASeat) {
  Table table(3);
  ASSERT_TRUE(table.Start());
  // While the server still waits (before "Ok"), and after the game has begun.
  for (bool before_game : {true, false}) {
    Table waiting(3);
    Table& t = before_game ? waiting : table;
    if (before_game) {
      ASSERT_TRUE(t[0].session.StartServer(0));
      for (std::size_t i = 1; i < 3; ++i) {
        QSignalSpy begins(&t[i].session, &NetSession::GameBegins);
        t[i].session.StartClient("127.0.0.1", t[0].session.ServerPort());
        ASSERT_TRUE(begins.wait(3000));
      }
    }
    QTcpSocket third;
    third.connectToHost("127.0.0.1", t[0].session.ServerPort());
    ASSERT_TRUE(third.waitForConnected(3000));
    third.write(QByteArray::fromStdString(net::BuildJoinRequest("Dora")));
    const QByteArray answer = ReadFor(third, 300);
    EXPECT_FALSE(answer.contains("connect2")) << before_game;
    EXPECT_EQ(t[0].session.ClientsJoined(), 1) << before_game;
    EXPECT_EQ(t[0].interruptions, 0);
    if (before_game) {
      EXPECT_EQ(third.state(), QAbstractSocket::UnconnectedState);  // turned away
      EXPECT_TRUE(t[0].log.join(" ").contains("turned away"));
    }
  }
}

TEST(ConnectionTest, AJoinRequestOfAnotherGameGetsNoAnswer) {
  Table table(1);
  ASSERT_TRUE(table[0].session.StartServer(0));
  QTcpSocket other;
  other.connectToHost("127.0.0.1", table[0].session.ServerPort());
  ASSERT_TRUE(other.waitForConnected(3000));
  std::string request = net::BuildJoinRequest("Dora");
  request.replace(3, 2, "07");  // another of the maker's games
  other.write(QByteArray::fromStdString(request));
  EXPECT_TRUE(ReadFor(other, 200).isEmpty());
  EXPECT_EQ(table[0].session.ClientsJoined(), -1);
}

struct LeaveCase {
  const char* name;
  int people;
  std::size_t leaver;
};

class Leaving : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(Leaving, TheOthersReportTheInterruptionWithinASecond) {
  const LeaveCase& param = GetParam();
  Table table(param.people);
  ASSERT_TRUE(table.Start());
  // Into the middle of the first round: the first trick is on the table.
  ASSERT_TRUE(table.PlayUntil([&] { return table[0].s.TrickNo == 2 || table[0].s.TrickPos > 1; }));
  table[param.leaver].session.Leave();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (i == param.leaver) continue;
    QSignalSpy interrupted(&table[i].session, &NetSession::Interrupted);
    if (table[i].interruptions == 0) {
      EXPECT_TRUE(interrupted.wait(1000)) << param.name << " copy " << i;
    }
    EXPECT_EQ(table[i].interruptions, 1) << i;
    EXPECT_TRUE(table[i].last_interruption.contains("has interrupted game!")) << i;
    EXPECT_TRUE(table[i].last_interruption.contains("One of player")) << i;
    EXPECT_FALSE(table[i].session.GameRunning());
  }
  EXPECT_EQ(table[param.leaver].interruptions, 0);
}

INSTANTIATE_TEST_SUITE_P(Copies, Leaving,
                         ::testing::Values(LeaveCase{"ServerOfThree", 3, 0}, LeaveCase{"SecondSeatOfThree", 3, 1},
                                           LeaveCase{"ThirdSeatOfThree", 3, 2}, LeaveCase{"ServerOfTwo", 2, 0},
                                           LeaveCase{"ClientOfTwo", 2, 1}),
                         [](const ::testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

TEST(ConnectionTest, LeavingAfterTheGameIsOverInterruptsNobody) {
  Table table(3);
  ASSERT_TRUE(table.Start());
  for (std::size_t i = 0; i < 3; ++i) table[i].s.Phase = phGameOver;
  table[1].session.Leave();
  QTest::qWait(300);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(table[i].interruptions, 0) << i;
}

TEST(ConnectionTest, AClientSendingGarbageIsDisconnected) {
  Table table(1);
  ASSERT_TRUE(table[0].session.StartServer(0));
  QTcpSocket fake;
  fake.connectToHost("127.0.0.1", table[0].session.ServerPort());
  ASSERT_TRUE(fake.waitForConnected(3000));
  fake.write(QByteArray::fromStdString(net::BuildJoinRequest("Fake")));
  ASSERT_TRUE(ReadFor(fake, 200).startsWith("connect2+2"));
  ASSERT_TRUE(table[0].session.BeginGame());
  ASSERT_TRUE(ReadFor(fake, 100).startsWith("b"));  // the first deal
  QSignalSpy interrupted(&table[0].session, &NetSession::Interrupted);
  fake.write(QByteArray(2000, 'q'));
  ASSERT_TRUE(interrupted.wait(1000));
  EXPECT_TRUE(WaitFor([&] { return fake.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_TRUE(table[0].log.join(" ").contains("garbage"));
}

TEST(ConnectionTest, AServerSendingGarbageIsLeft) {
  Table table(1);  // the copy is used as a client of a fake server
  QTcpServer fake;
  ASSERT_TRUE(fake.listen(QHostAddress::LocalHost, 0));
  table[0].session.StartClient("127.0.0.1", fake.serverPort());
  ASSERT_TRUE(WaitFor([&] { return fake.hasPendingConnections(); }));
  QTcpSocket* socket = fake.nextPendingConnection();
  ASSERT_TRUE(ReadFor(*socket, 100).startsWith("zub0925connect1"));
  socket->write(QByteArray::fromStdString(*net::BuildSeatGrant(net::SeatGrant{2, {"Fake  ", "Anna  ", "PC    "}})));
  net::DealData deal;
  DeckOrder order{};
  for (int j = 0; j < 24; ++j) order[static_cast<std::size_t>(j)] = j + 1;
  ASSERT_TRUE(FillDeck(order, deal.deck, deal.order, deal.points));
  ASSERT_TRUE(WaitFor([&] { return table[0].session.Link() == LinkState::Joined; }));
  socket->write(QByteArray::fromStdString(*net::BuildDeal(deal.deck, deal.order, deal.points, true)));
  ASSERT_TRUE(WaitFor([&] { return table[0].session.GameRunning(); }));
  EXPECT_TRUE(table[0].engine.Options().KeepAfter100);
  EXPECT_EQ(table[0].s.Names[2], "Fake  ");
  EXPECT_EQ(table[0].s.Names[1], "PC    ");
  QSignalSpy interrupted(&table[0].session, &NetSession::Interrupted);
  socket->write(QByteArray(2000, '\x01'));
  ASSERT_TRUE(interrupted.wait(1000));
  EXPECT_TRUE(WaitFor([&] { return socket->state() == QAbstractSocket::UnconnectedState; }));
}

TEST(ConnectionTest, AClientWithoutAServerHearsThereAreNoGames) {
  Table table(1);
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  const quint16 port = closed.serverPort();
  closed.close();
  QSignalSpy none(&table[0].session, &NetSession::NoAccessibleGames);
  table[0].session.StartClient("127.0.0.1", port);
  ASSERT_TRUE(none.wait(3000));
  EXPECT_TRUE(table[0].session.NoGames());
  EXPECT_EQ(table[0].interruptions, 0);
}

TEST(ConnectionTest, ChatLinesReachEveryCopyWithTheWritersSeat) {
  Table table(3);
  ASSERT_TRUE(table.Start());
  table[0].session.SendChat("hello all");
  table[2].session.SendChat(QString::fromUtf8("привет"));
  table[1].session.SendChat("a line far too long for the field");
  table[1].session.SendChat("");
  auto heard = [&](std::size_t copy, int seat, const QString& text) {
    for (const auto& [s, t] : table[copy].chat)
      if (s == seat && t == text) return true;
    return false;
  };
  const QString cut = QString("a line far too long for the field").left(15);
  ASSERT_TRUE(WaitFor([&] {
    return heard(1, 1, "hello all") && heard(2, 1, "hello all") && heard(0, 3, QString::fromUtf8("привет")) &&
           heard(1, 3, QString::fromUtf8("привет")) && heard(0, 2, cut) && heard(2, 2, cut);
  }));
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(table[i].chat.size(), 3u) << i;  // the own line too
  EXPECT_EQ(table[0].ui.chat_sounds, 2);
}

}  // namespace
}  // namespace varnok::netsession::testing
