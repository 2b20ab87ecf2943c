// A joined peer that breaks the rules, over a raw socket on loopback: seat 3
// of a game of three is played by hand and sends every kind of step that is
// not its to take; the server and the client at seat 2 refuse each record
// whole, and the two copies still agree.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "cards.h"
#include "copies.h"
#include "records.h"
#include "seats.h"

namespace varnok::netsession::testing {
namespace {

// Copies 0 (the server, seat 1) and 1 (seat 2) and a raw peer at seat 3; the first deal is on the table.
struct RawThirdSeat {
  Table table{2};
  RawPeer raw;

  bool Start(const SessionLimits& limits) {
    for (std::size_t i = 0; i < 2; ++i) table[i].session.SetLimits(limits);
    if (!table[0].session.StartServer(0)) return false;
    QSignalSpy begins(&table[1].session, &NetSession::GameBegins);
    table[1].session.StartClient("127.0.0.1", table[0].session.ServerPort());
    if (!begins.wait(3000)) return false;
    if (!raw.Connect(table[0].session.ServerPort()) || raw.Join("Raw") != 3) return false;
    if (!WaitUntil([&] { return table[1].session.ThreeHumans(); })) return false;
    if (!table[0].session.BeginGame()) return false;
    return WaitUntil([&] { return !table[1].deals.empty() && raw.Got().contains('b'); });
  }

  // Seat 3's record for `receiver` (seat 1 or 2), with its fields set by `fill`
  // in the receiver's relative numbering (`rel` turns an absolute seat into it).
  static std::string For(int receiver, const std::function<void(net::MoveFields&, const std::function<int(int)>&)>& fill) {
    auto fields = net::ShapeFields(net::MoveShape::Empty(), net::Addressee{3, receiver == 1, false});
    if (!fields) return {};
    fill(*fields, [receiver](int seat) { return net::RelativeSeat(seat, receiver); });
    return net::EncodeMove(*fields).value_or("");
  }

  int Refusals(std::size_t copy) {
    int count = 0;
    for (const QString& line : table[copy].log) count += line.startsWith("refused a record") ? 1 : 0;
    return count;
  }
};

using Fill = std::function<void(net::MoveFields&, const std::function<int(int)>&)>;

struct RuleCase {
  const char* name;
  Fill fill;
};

TEST(RuleCheckTest, EveryStepThatBreaksTheRulesIsRefusedOnEveryCopy) {
  RawThirdSeat game;
  SessionLimits patient;
  patient.refused_records = 1000;  // the whole table of cases in one game
  ASSERT_TRUE(game.Start(patient));
  QTest::qWait(50);
  // The first deal: seat 2 opens the bidding, nobody has bid yet.
  const RuleCase cases[] = {
      {"a bid out of turn", [](auto& f, auto rel) { f.Cell(rel(3)) = net::SeatCell::Bid(60); }},
      {"a bid for seat 2", [](auto& f, auto rel) { f.Cell(rel(2)) = net::SeatCell::Bid(60); }},
      {"a bid for seat 1", [](auto& f, auto rel) { f.Cell(rel(1)) = net::SeatCell::Bid(60); }},
      {"a pass out of turn", [](auto& f, auto rel) { f.Cell(rel(3)) = net::SeatCell::Pass(); }},
      {"a bid above the next", [](auto& f, auto rel) { f.Cell(rel(3)) = net::SeatCell::Bid(120); }},
      {"opening the widow while all bid", [](auto& f, auto) { f.open_widow = true; }},
      {"taking the widow", [](auto& f, auto) { f.take_widow = true; }},
      {"giving two cards", [](auto& f, auto) { f.given = std::make_pair(1, 2); }},
      {"ending the giving", [](auto& f, auto) { f.giving_done = true; }},
      {"naming a trump", [](auto& f, auto) { f.trump = kClubs; }},
      {"ordering a game", [](auto& f, auto) { f.contract = 100; }},
      {"playing a card", [](auto& f, auto rel) {
         f.card = 1;
         f.card_player = rel(3);
       }},
      {"collecting a trick", [](auto& f, auto) { f.next_trick = true; }},
      {"a phase that ends the bidding", [](auto& f, auto) { f.phase = phBidDone; }},
      {"a next bid beside the highest", [](auto& f, auto) {
         f.action_caption = 2;
         f.next_bid = 100;
       }},
      {"two steps at once", [](auto& f, auto) {
         f.trump = kSpades;
         f.contract = 100;
       }},
      {"a marriage without a card", [](auto& f, auto rel) { f.Cell(rel(3)) = net::SeatCell::Forty(); }},
  };
  for (const RuleCase& c : cases) {
    const GameState server_before = game.table[0].s;
    const GameState client_before = game.table[1].s;
    const int server_refusals = game.Refusals(0), client_refusals = game.Refusals(1);
    for (int receiver : {1, 2}) {
      const std::string record = RawThirdSeat::For(receiver, c.fill);
      ASSERT_EQ(record.size(), net::kMoveLength) << c.name;
      game.raw.Write(record);
    }
    EXPECT_TRUE(WaitUntil([&] {
      return game.Refusals(0) == server_refusals + 1 && game.Refusals(1) == client_refusals + 1;
    })) << c.name << "\n" << game.table.Dump();
    EXPECT_EQ(game.table[0].s, server_before) << c.name;
    EXPECT_EQ(game.table[1].s, client_before) << c.name;
  }
  EXPECT_TRUE(game.table[0].log.join(" ").contains("refused a record from seat 3"));
  EXPECT_EQ(game.table[0].interruptions + game.table[1].interruptions, 0);
  EXPECT_TRUE(game.table[0].session.GameRunning());
  // The one step that fits goes through on both copies: seat 2 opens with 60.
  ASSERT_TRUE(game.table[1].ui.next_enabled);
  game.table[1].engine.PressNext();  // "To Begin"
  game.table[1].engine.PressNext();  // 60
  EXPECT_TRUE(WaitUntil([&] { return game.table[0].s.CurrentBid == 60; }));
  EXPECT_EQ(game.table[1].s.CurrentBid, 60);
  EXPECT_TRUE(game.raw.Got().contains("p060"));
}

TEST(RuleCheckTest, APeerThatKeepsBreakingTheRulesEndsTheGameForEveryCopy) {
  RawThirdSeat game;
  ASSERT_TRUE(game.Start(SessionLimits{}));
  const std::string out_of_turn = RawThirdSeat::For(1, [](auto& f, auto rel) { f.Cell(rel(3)) = net::SeatCell::Bid(60); });
  for (int i = 0; i < SessionLimits{}.refused_records; ++i) game.raw.Write(out_of_turn);
  EXPECT_TRUE(WaitUntil([&] { return game.table[0].interruptions == 1 && game.table[1].interruptions == 1; }))
      << game.table.Dump();
  EXPECT_TRUE(game.table[1].last_interruption.contains("has interrupted game!"));
  EXPECT_TRUE(WaitUntil([&] { return game.raw.Closed(); }));
  EXPECT_EQ(game.table[0].s.CurrentBid, kOpeningBidBase);
  EXPECT_TRUE(game.table[0].log.join(" ").contains("break the rules"));
}

}  // namespace
}  // namespace varnok::netsession::testing
