// Strangers and floods on the server's port, over raw sockets on loopback:
// a connection without a seat cannot act, a flood neither stalls the game nor
// grows the server without bound, idle and closed connections are let go, a
// client that leaves before the game frees its seat, and a chat line that
// arrives in slow pieces stays whole.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "cards.h"
#include "copies.h"
#include "records.h"

namespace varnok::netsession::testing {
namespace {

// A move record of `sender` for `destination`, with one seat cell set (relative seat `cell`, 0 none).
std::string Record(int sender, char destination, int cell = 0, net::SeatCell value = {}) {
  net::MoveFields fields;
  fields.sender = sender;
  fields.destination = destination;
  if (cell != 0) fields.Cell(cell) = value;
  return net::EncodeMove(fields).value_or("");
}

std::string Repeat(const std::string& record, std::size_t bytes) {
  std::string out;
  while (out.size() < bytes) out += record;
  return out;
}

bool Heard(const Copy& copy, int seat, const QString& text) {
  for (const auto& [s, t] : copy.chat)
    if (s == seat && t == text) return true;
  return false;
}

TEST(HostilePeersTest, AConnectionWithoutASeatCannotActAsTheHost) {
  Table table(2);
  ASSERT_TRUE(table.Start());
  QTest::qWait(100);
  const GameState host_before = table[0].s;
  const GameState client_before = table[1].s;
  RawPeer stranger;
  ASSERT_TRUE(stranger.Connect(table[0].session.ServerPort()));
  stranger.Write("s1I resign now!");
  QTest::qWait(150);  // the chat line ends when the connection is quiet
  // The host's own seat passes, and the host tells the client of a bid of 120.
  stranger.Write(Record(1, '1', 3, net::SeatCell::Pass()));
  stranger.Write(Record(1, '2', 2, net::SeatCell::Bid(120)));
  QTest::qWait(300);
  EXPECT_TRUE(table[0].chat.empty());
  EXPECT_TRUE(table[1].chat.empty());
  EXPECT_EQ(table[0].s, host_before);
  EXPECT_EQ(table[1].s, client_before);
  EXPECT_TRUE(table[0].log.join(" ").contains("holds no seat")) << table[0].log.join("\n").toStdString();
  // A stranger that keeps talking is closed; the game goes on.
  stranger.Write(Repeat(Record(1, '1'), 38 * 10));
  EXPECT_TRUE(WaitUntil([&] { return stranger.Closed(); }));
  EXPECT_TRUE(table[0].session.GameRunning());
  EXPECT_EQ(table[0].interruptions + table[1].interruptions, 0);
  ASSERT_TRUE(table.Play(1)) << table.Dump();  // and the round can still be played to its end
}

struct FloodCase {
  const char* name;
  std::string bytes;
};

// The records of one flood, written to the server as fast as loopback takes them.
std::vector<FloodCase> Floods(int sender) {
  const std::string chat = *net::BuildChat(sender, "flood flood flo");
  return {
      {"300 move records", Repeat(Record(sender, '1'), 300 * net::kMoveLength)},
      {"2 MB of move records", Repeat(Record(sender, '1'), 2 << 20)},
      {"1 MB of chat lines", Repeat(chat, 1 << 20)},
  };
}

TEST(HostilePeersTest, AStrangersFloodNeitherDelaysTheClientNorGrowsTheQueue) {
  for (const FloodCase& flood : Floods(1)) {
    Table table(2);
    ASSERT_TRUE(table.Start());
    table[0].session.SetPauses(SessionPauses{});  // the pauses a player sees: 100 ms between records
    RawPeer stranger;
    ASSERT_TRUE(stranger.Connect(table[0].session.ServerPort()));
    stranger.Write(flood.bytes);
    QTest::qWait(50);
    QElapsedTimer clock;
    clock.start();
    table[1].session.SendChat("ping");
    std::size_t most_waiting = 0;
    const bool heard = WaitUntil([&] {
      most_waiting = std::max(most_waiting, table[0].session.Waiting());
      return Heard(table[0], 2, "ping");
    });
    EXPECT_TRUE(heard) << flood.name;
    EXPECT_LT(clock.elapsed(), 1000) << flood.name;
    EXPECT_LE(most_waiting, 2u) << flood.name;  // nothing of the stranger's is kept
    EXPECT_TRUE(WaitUntil([&] { return stranger.Closed(); })) << flood.name;
    EXPECT_TRUE(table[0].session.GameRunning()) << flood.name;
    EXPECT_EQ(table[0].interruptions + table[1].interruptions, 0) << flood.name;
  }
}

TEST(HostilePeersTest, APartnerThatFloodsIsDisconnectedAndTheGameEnds) {
  for (const FloodCase& flood : Floods(2)) {
    Table table(1);
    ASSERT_TRUE(table[0].session.StartServer(0));
    table[0].session.SetPauses(SessionPauses{});
    RawPeer partner;
    ASSERT_TRUE(partner.Connect(table[0].session.ServerPort()));
    ASSERT_EQ(partner.Join("Flood"), 2);
    ASSERT_TRUE(table[0].session.BeginGame());
    ASSERT_TRUE(WaitUntil([&] { return partner.Got().contains('b'); }));  // the first deal
    const SessionLimits limits;
    partner.Write(flood.bytes);
    QElapsedTimer clock;
    clock.start();
    std::size_t most_waiting = 0;
    EXPECT_TRUE(WaitUntil([&] {
      most_waiting = std::max(most_waiting, table[0].session.Waiting());
      return table[0].interruptions == 1;
    })) << flood.name;
    EXPECT_LT(clock.elapsed(), 1000) << flood.name;
    EXPECT_LE(most_waiting, static_cast<std::size_t>(limits.queued_records)) << flood.name;
    EXPECT_TRUE(WaitUntil([&] { return partner.Closed(); })) << flood.name;
    EXPECT_TRUE(table[0].log.join(" ").contains("records at once")) << flood.name;
    EXPECT_FALSE(table[0].session.GameRunning());
  }
}

TEST(HostilePeersTest, AConnectionThatDoesNotJoinIsClosed) {
  Table table(1);
  SessionLimits limits;
  limits.join_ms = 300;
  table[0].session.SetLimits(limits);
  ASSERT_TRUE(table[0].session.StartServer(0));
  RawPeer idle;
  ASSERT_TRUE(idle.Connect(table[0].session.ServerPort()));
  EXPECT_TRUE(WaitUntil([&] { return table[0].session.Connections() == 1; }));
  EXPECT_TRUE(WaitUntil([&] { return idle.Closed(); }, 1500));
  EXPECT_TRUE(WaitUntil([&] { return table[0].session.Connections() == 0; }));
  EXPECT_TRUE(table[0].log.join(" ").contains("did not join"));
}

TEST(HostilePeersTest, IdleConnectionsDoNotKeepAPlayerOut) {
  Table table(2);
  SessionLimits limits;
  limits.most_strangers = 3;
  table[0].session.SetLimits(limits);
  ASSERT_TRUE(table[0].session.StartServer(0));
  std::vector<std::unique_ptr<RawPeer>> idle;
  for (int i = 0; i < 6; ++i) {
    idle.push_back(std::make_unique<RawPeer>());
    ASSERT_TRUE(idle.back()->Connect(table[0].session.ServerPort()));
  }
  ASSERT_TRUE(WaitUntil([&] { return idle[0]->Closed() && idle[2]->Closed(); }));
  EXPECT_LE(table[0].session.Connections(), 3);
  QSignalSpy begins(&table[1].session, &NetSession::GameBegins);
  table[1].session.StartClient("127.0.0.1", table[0].session.ServerPort());
  ASSERT_TRUE(begins.wait(3000));
  EXPECT_EQ(table[0].session.ClientsJoined(), 0);
  EXPECT_LE(table[0].session.Connections(), 3);
}

TEST(HostilePeersTest, ClosedConnectionsAreForgotten) {
  Table table(1);
  ASSERT_TRUE(table[0].session.StartServer(0));
  for (int i = 0; i < 300; ++i) {
    RawPeer peer;
    ASSERT_TRUE(peer.Connect(table[0].session.ServerPort()));
    peer.Socket().abort();
    if (i % 50 == 0) QTest::qWait(1);
  }
  EXPECT_TRUE(WaitUntil([&] { return table[0].session.Connections() == 0; }, 3000))
      << table[0].session.Connections();
}

TEST(HostilePeersTest, AClientThatLeavesBeforeTheGameFreesItsSeat) {
  Table table(3);
  ASSERT_TRUE(table[0].session.StartServer(0));
  for (std::size_t i = 1; i <= 2; ++i) {
    QSignalSpy begins(&table[i].session, &NetSession::GameBegins);
    table[i].session.StartClient("127.0.0.1", table[0].session.ServerPort());
    ASSERT_TRUE(begins.wait(3000));
  }
  ASSERT_TRUE(WaitUntil([&] { return table[1].session.ThreeHumans(); }));
  // Seat 2 leaves: the player of seat 3 moves up and the computer takes seat 3.
  table[1].session.Leave();
  ASSERT_TRUE(WaitUntil([&] { return table[0].session.ClientsJoined() == 0; }));
  ASSERT_TRUE(WaitUntil([&] { return table[2].session.NetPos() == 2 && !table[2].session.ThreeHumans(); }));
  EXPECT_EQ(table[2].session.SeatNames()[1], std::string(net::kComputerName));
  EXPECT_EQ(table[0].session.SeatNames()[2], std::string(net::kComputerName));
  // The game of two that follows is played to the end of its round, nobody waiting on the absent seat.
  ASSERT_TRUE(table[0].session.BeginGame());
  ASSERT_TRUE(table.PlayUntil([&] { return table[0].s.Phase == phNextRound && table[2].s.Phase == phNextRound; }))
      << table.Dump();
  EXPECT_EQ(table[0].s.Scores[3], table[2].s.Scores[table[2].Rel(1)]);
  EXPECT_EQ(table[0].interruptions + table[2].interruptions, 0);
}

TEST(HostilePeersTest, ARawClientThatHangsUpBeforeTheGameLeavesNoGhostSeat) {
  Table table(1);
  ASSERT_TRUE(table[0].session.StartServer(0));
  QSignalSpy players(&table[0].session, &NetSession::PlayersChanged);
  {
    RawPeer ghost;
    ASSERT_TRUE(ghost.Connect(table[0].session.ServerPort()));
    ASSERT_EQ(ghost.Join("Ghost"), 2);
    EXPECT_EQ(table[0].session.ClientsJoined(), 0);
  }  // hangs up
  ASSERT_TRUE(WaitUntil([&] { return table[0].session.ClientsJoined() == -1; }));
  ASSERT_GE(players.count(), 2);
  EXPECT_EQ(players.last().at(0).toInt(), -1);
  EXPECT_FALSE(table[0].session.BeginGame()) << "no game with an absent seat";
  // The seat is there for the next one.
  RawPeer next;
  ASSERT_TRUE(next.Connect(table[0].session.ServerPort()));
  EXPECT_EQ(next.Join("Next"), 2);
}

TEST(HostilePeersTest, AChatLineInSlowPiecesIsKept) {
  Table table(1);
  ASSERT_TRUE(table[0].session.StartServer(0));
  RawPeer partner;
  ASSERT_TRUE(partner.Connect(table[0].session.ServerPort()));
  ASSERT_EQ(partner.Join("Slow"), 2);
  ASSERT_TRUE(table[0].session.BeginGame());
  for (char byte : std::string("s2hello there")) {
    partner.Write(std::string(1, byte));
    QTest::qWait(200);
  }
  EXPECT_TRUE(WaitUntil([&] { return Heard(table[0], 2, "hello there"); }, 3000)) << table[0].log.join("\n").toStdString();
  EXPECT_EQ(table[0].chat.size(), 1u);
  EXPECT_FALSE(table[0].log.join(" ").contains("dropped"));
  EXPECT_EQ(table[0].interruptions, 0);
}

}  // namespace
}  // namespace varnok::netsession::testing
