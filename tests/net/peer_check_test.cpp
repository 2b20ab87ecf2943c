// The sender check of the local network: which records of a peer are taken
// up, passed on, ignored or refused.
#include <gtest/gtest.h>

#include "peer_check.h"
#include "records.h"

namespace varnok::net {
namespace {

using Verdict = PeerRoute::Verdict;

Received MoveFrom(int sender, char destination) {
  MoveFields fields;
  fields.sender = sender;
  fields.destination = destination;
  const std::string record = EncodeMove(fields).value_or("");
  return {RecordKind::Move, record, record, 0};
}

Received Line(int seat) {
  const std::string record = BuildChat(seat, "hi").value_or("");
  return {RecordKind::Chat, record, record, 0};
}

Received Join() {
  const std::string record = BuildJoinRequest("Anna");
  return {RecordKind::JoinRequest, record, record, 0};
}

Received Abort() { return {RecordKind::Abort, "abort", "abort", 0}; }

struct Case {
  const char* name;
  bool server;
  int seat;  // server: the peer's seat (0 none); client: its own seat
  bool more;  // server: two clients; client: three people
  Received record;
  Verdict verdict;
  bool handle;
  int forward;
};

TEST(PeerCheckTest, EachRecordIsTakenPassedOnIgnoredOrRefused) {
  const Case cases[] = {
      {"a stranger asks to join", true, 0, false, Join(), Verdict::Take, true, -1},
      {"a stranger moves as the host", true, 0, false, MoveFrom(1, '1'), Verdict::Ignore, false, -1},
      {"a stranger chats as the host", true, 0, false, Line(1), Verdict::Ignore, false, -1},
      {"a stranger aborts", true, 0, true, Abort(), Verdict::Ignore, false, -1},
      {"seat 2 to the server", true, 2, false, MoveFrom(2, '1'), Verdict::Take, true, -1},
      {"seat 2 to seat 3", true, 2, true, MoveFrom(2, '3'), Verdict::Take, false, 1},
      {"seat 3 to seat 2", true, 3, true, MoveFrom(3, '3'), Verdict::Take, false, 0},
      {"seat 2 to a computer seat 3", true, 2, false, MoveFrom(2, '3'), Verdict::Refuse, false, -1},
      {"seat 2 claims seat 1", true, 2, true, MoveFrom(1, '1'), Verdict::Refuse, false, -1},
      {"seat 2 claims seat 3", true, 2, true, MoveFrom(3, '3'), Verdict::Refuse, false, -1},
      {"seat 2 writes as the server", true, 2, true, MoveFrom(2, '2'), Verdict::Refuse, false, -1},
      {"seat 2 chats in a game of two", true, 2, false, Line(2), Verdict::Take, true, -1},
      {"seat 2 chats in a game of three", true, 2, true, Line(2), Verdict::Take, true, 1},
      {"seat 3 chats", true, 3, true, Line(3), Verdict::Take, true, 0},
      {"seat 2 chats as the host", true, 2, true, Line(1), Verdict::Refuse, false, -1},
      {"seat 2 asks to join again", true, 2, true, Join(), Verdict::Ignore, false, -1},
      {"seat 2 aborts", true, 2, true, Abort(), Verdict::Ignore, false, -1},
      {"the server to seat 2", false, 2, true, MoveFrom(1, '2'), Verdict::Take, true, -1},
      {"seat 3 through the server", false, 2, true, MoveFrom(3, '3'), Verdict::Take, true, -1},
      {"seat 2 through the server to seat 3", false, 3, true, MoveFrom(2, '3'), Verdict::Take, true, -1},
      {"the computer seat through the server", false, 2, false, MoveFrom(3, '3'), Verdict::Refuse, false, -1},
      {"seat 2's own seat through the server", false, 2, true, MoveFrom(2, '3'), Verdict::Refuse, false, -1},
      {"another seat as the server", false, 2, true, MoveFrom(3, '2'), Verdict::Refuse, false, -1},
      {"a record for the server", false, 2, true, MoveFrom(1, '1'), Verdict::Refuse, false, -1},
      {"a chat line of the server", false, 2, true, Line(1), Verdict::Take, true, -1},
      {"a chat line in the client's name", false, 2, true, Line(2), Verdict::Ignore, false, -1},
      {"an abort from the server", false, 3, true, Abort(), Verdict::Take, true, -1},
  };
  for (const Case& c : cases) {
    const PeerRoute route = c.server ? CheckFromClient(c.record, c.seat, c.more) : CheckFromServer(c.record, c.seat, c.more);
    EXPECT_EQ(route.verdict, c.verdict) << c.name;
    EXPECT_EQ(route.handle, c.handle) << c.name;
    EXPECT_EQ(route.forward_connection, c.forward) << c.name;
    EXPECT_EQ(route.why.empty(), c.verdict == Verdict::Take) << c.name;
  }
}

}  // namespace
}  // namespace varnok::net
