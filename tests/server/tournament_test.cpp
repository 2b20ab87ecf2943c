// The tournament's tables against the real server: three scripted seats on
// raw sockets play whole games that the server deals and referees; the
// server's move clock, interruptions, the seats' connections, and peers that
// cheat.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "deal_record.h"
#include "tour_harness.h"
#include "wire_helpers.h"

namespace varnok::test {
namespace {

using tour::TourBot;

constexpr int kGameMs = 60000;

struct Table3 {
  std::unique_ptr<TourPeer> a, b, c;
  std::vector<TourPeer*> All() const { return {a.get(), b.get(), c.get()}; }
  TourPeer& At(int position) const { return position == 1 ? *a : position == 2 ? *b : *c; }
};

class Tournament : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new TourServer(4, {"--tour-move-ms", "1500", "--tour-grace-ms", "500", "--tour-connect-seconds", "3"});
    ASSERT_TRUE(server_->Running()) << "varnok-server did not start: " << ServerBinary();
    for (const char* nick : {"Tour_a", "Tour_b", "Tour_c"}) ASSERT_TRUE(server_->Register(nick, "tourpw1"));
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  static const char* Nick(int position) { return position == 1 ? "Tour_a" : position == 2 ? "Tour_b" : "Tour_c"; }

  // Takes the three seats of `table` and connects them.
  static Table3 SitDown(int table, const std::array<TourBot::Options, 3>& options = {}) {
    Table3 t;
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(server_->TakeSeat(table, p, Nick(p), "tourpw1"), "ok") << p;
    t.a = Sit(*server_, table, 1, options[0]);
    t.b = Sit(*server_, table, 2, options[1]);
    t.c = Sit(*server_, table, 3, options[2]);
    return t;
  }

  static std::vector<std::string> Standing(int position) { return server_->Standing(Nick(position)); }

  static bool AllEnded(const Table3& t) { return t.a->bot->Ended() && t.b->bot->Ended() && t.c->bot->Ended(); }

  static TourServer* server_;
};
TourServer* Tournament::server_ = nullptr;

TEST_F(Tournament, ThreeSeatsPlayAWholeGameAndTheStandingsAreTheServers) {
  std::array<std::vector<std::string>, 4> before;
  for (int p = 1; p <= 3; ++p) before[p] = Standing(p);
  std::array<TourBot::Options, 3> options;
  for (int i = 0; i < 3; ++i) options[i].seed = 11 + i;
  Table3 t = SitDown(1, options);
  ASSERT_TRUE(Pump(t.All(), [&] { return AllEnded(t); }, kGameMs)) << "the game did not end";
  for (int p = 1; p <= 3; ++p) {
    const TourBot& bot = *t.At(p).bot;
    ASSERT_TRUE(bot.LastNotice().has_value());
    EXPECT_EQ(bot.LastNotice()->kind, net::NoticeKind::GameEnded) << p;
    EXPECT_TRUE(bot.Problems().empty()) << p << ": " << bot.Problems().front();
    EXPECT_TRUE(bot.State().GameOver) << p;
  }
  // Every copy counted every round alike.
  const auto& rounds = t.a->bot->RoundScores();
  EXPECT_GE(rounds.size(), 3u) << "a game of several rounds";
  EXPECT_EQ(t.b->bot->RoundScores(), rounds);
  EXPECT_EQ(t.c->bot->RoundScores(), rounds);
  EXPECT_EQ(t.a->bot->Deals(), static_cast<int>(rounds.size()));
  // The standings hold what the server computed: the general count of each position.
  const std::array<int, 3> counts = t.a->bot->Counts();
  EXPECT_EQ(counts[0] + counts[1] + counts[2], 0);
  for (int p = 1; p <= 3; ++p) {
    const std::vector<std::string> now = Standing(p);
    ASSERT_EQ(now.size(), 3u);
    EXPECT_EQ(std::stoi(now[0]) - std::stoi(before[p][0]), counts[p - 1]) << Nick(p);
    EXPECT_EQ(std::stoi(now[1]) - std::stoi(before[p][1]), 1) << Nick(p);
  }
  const auto top = Records(server_->Tour(ListForm({{"top10s9", "0"}, {"nick", "z"}})));
  ASSERT_GE(top.size(), 3u);
  EXPECT_GE(std::stoi(top[0][5]), std::stoi(top[1][5]));
  // The seats are free again.
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(server_->SeatNick(1, p), "X");
}

TEST_F(Tournament, TheServerTimesOutASeatThatNeverActs) {
  // Position 2 bids first in the first round; its copy hangs and never says "TOut".
  std::array<TourBot::Options, 3> options;
  options[1].acts = false;
  const auto before_a = Standing(1);
  Table3 t = SitDown(2, options);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Pump(t.All(), [&] { return t.a->bot->Ended() && t.c->bot->Ended(); }, 10000));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(4000));
  EXPECT_GE(waited, std::chrono::milliseconds(1500)) << "not before the clock ran out";
  for (TourPeer* p : {t.a.get(), t.c.get()}) {
    ASSERT_TRUE(p->bot->LastNotice().has_value());
    EXPECT_EQ(p->bot->LastNotice()->kind, net::NoticeKind::TimeUp);
    EXPECT_EQ(p->bot->LastNotice()->position, 2);
  }
  EXPECT_EQ(Standing(1), before_a) << "an unfinished game changes nothing for the others";
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(server_->SeatNick(2, p), "X");
}

TEST_F(Tournament, ADroppedSeatEndsTheGameForTheOthersAtOnceAndFreesTheSeats) {
  std::array<TourBot::Options, 3> options;
  Table3 t = SitDown(3, options);
  // Play on until the first round is under way, then position 3 goes.
  ASSERT_TRUE(Pump(t.All(), [&] { return t.c->bot->Received() > 6; }, 10000));
  const auto before_a = Standing(1);
  t.c->Close();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Pump({t.a.get(), t.b.get()}, [&] { return t.a->bot->Ended() && t.b->bot->Ended(); }, 5000));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  for (TourPeer* p : {t.a.get(), t.b.get()}) {
    EXPECT_EQ(p->bot->LastNotice()->kind, net::NoticeKind::PlayerLeft);
    EXPECT_EQ(p->bot->LastNotice()->position, 3);
  }
  EXPECT_EQ(Standing(1), before_a);
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(server_->SeatNick(3, p), "X");
  // The table takes a new game.
  Table3 again = SitDown(3);
  EXPECT_TRUE(Pump(again.All(), [&] { return again.a->bot->Deals() == 1; }, 5000));
}

TEST_F(Tournament, ConnectComesFromTheSeatsAddressOnceAndInTime) {
  ASSERT_EQ(server_->TakeSeat(4, 1, Nick(1), "tourpw1"), "ok");
  // Another address.
  auto stranger = Sit(*server_, 4, 1, {}, "127.0.0.2");
  ASSERT_TRUE(Pump({stranger.get()}, [&] { return stranger->closed; }, 3000)) << "the stranger was not turned away";
  // No seat taken.
  auto nobody = Sit(*server_, 4, 2);
  ASSERT_TRUE(Pump({nobody.get()}, [&] { return nobody->closed; }, 3000));
  // The holder, then a second "connect" for the same seat.
  auto holder = Sit(*server_, 4, 1);
  Pump({holder.get()}, [] { return false; }, 300);  // the server has taken it
  auto second = Sit(*server_, 4, 1);
  ASSERT_TRUE(Pump({holder.get(), second.get()}, [&] { return second->closed; }, 3000));
  EXPECT_FALSE(holder->closed);
  holder->Close();
  // Something other than "connect" first.
  const int raw = ConnectFrom(server_->TablePort(4));
  ASSERT_GE(raw, 0);
  SendBytes(raw, *net::BuildNextRound(1));
  TourPeer bare;
  bare.fd = raw;
  bare.bot = std::make_unique<TourBot>(1, TourBot::Options{});
  EXPECT_TRUE(Pump({&bare}, [&] { return bare.closed; }, 3000));
  // A seat whose connection does not come in time is freed, and a late "connect" is refused.
  ASSERT_EQ(server_->TakeSeat(4, 1, Nick(1), "tourpw1"), "ok");
  std::this_thread::sleep_for(std::chrono::milliseconds(4200));
  auto late = Sit(*server_, 4, 1);
  EXPECT_TRUE(Pump({late.get()}, [&] { return late->closed; }, 3000));
  EXPECT_EQ(server_->SeatNick(4, 1), "X");
}

// A forged record at a chosen moment, built from the cheater's own copy.
using Forge = std::function<std::string(const TourBot&)>;

std::string MoveFor(int sender, int receiver, const net::MoveShape& shape) {
  const bool to_next = net::NextNetSeat(sender) == receiver;
  const auto record = net::BuildMove(shape, net::Addressee{sender, to_next, true});
  return record ? *net::WrapRelay(*record, sender) : std::string();
}

TEST_F(Tournament, ACheatingPeerChangesNothingForTheOthers) {
  // Position 1 cheats once; the game must go on and end as if it had not.
  struct Case {
    const char* what;
    Forge forge;
  };
  const Case cases[] = {
      {"a card it may not play",
       [](const TourBot& me) -> std::string {
         const GameState& s = me.State();
         if (s.Phase != phPlay3 || s.TrickPos == 1) return "";
         for (int slot = 1; slot <= s.HandCount[3]; ++slot)
           if (me.engine().IsIllegalCard(3, slot)) return MoveFor(1, 2, net::MoveShape::CardPlayed(1, slot));
         return MoveFor(1, 2, net::MoveShape::CardPlayed(1, s.HandCount[3] + 1));
       }},
      {"a bid for another seat",
       [](const TourBot& me) -> std::string {
         const GameState& s = me.State();
         if (s.Phase < phBid1 || s.Phase > phBid3 || s.Phase == 3) return "";
         return MoveFor(1, 2, net::MoveShape::BidReport(3, net::SeatCell::Bid(s.CurrentBid + 5)));
       }},
      {"a record in another seat's name",
       [](const TourBot& me) -> std::string {
         const GameState& s = me.State();
         if (s.Phase < phBid1 || s.Phase > phBid3) return "";
         const auto record = net::BuildMove(net::MoveShape::BidReport(3, net::SeatCell::Bid(s.CurrentBid + 5)),
                                            net::Addressee{3, false, true});
         return record ? *net::WrapRelay(*record, 1) : std::string();
       }},
      {"a bid out of turn",
       [](const TourBot& me) -> std::string {
         const GameState& s = me.State();
         if (s.Phase < phBid1 || s.Phase > phBid3 || s.Phase == 3) return "";
         return MoveFor(1, 3, net::MoveShape::BidReport(1, net::SeatCell::Bid(s.CurrentBid + 5)));
       }},
      {"the trick collected by a seat that did not win it",
       [](const TourBot& me) -> std::string {
         const GameState& s = me.State();
         if (s.Phase != phTrickFull || s.Leader == 3) return "";
         return MoveFor(1, 2, net::MoveShape::TrickCollected());
       }},
      {"bnext in the middle of a round",
       [](const TourBot& me) -> std::string {
         return me.State().Phase == phPlay3 ? *net::BuildNextRound(1) : std::string();
       }},
      {"a chat line framed for another position",
       [](const TourBot&) -> std::string { return *net::BuildTourChat("hello", 2); }},
  };
  int table_game = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::array<std::vector<std::string>, 4> before;
    for (int p = 1; p <= 3; ++p) before[p] = Standing(p);
    std::array<TourBot::Options, 3> options;
    for (int i = 0; i < 3; ++i) options[i].seed = 100 + 7 * table_game + i;
    ++table_game;
    Table3 t = SitDown(1, options);
    int forged = 0;
    const Forge forge = c.forge;
    // One forged record, then honest play.
    t.a->bot->SetBeforeAct([&](const TourBot& me) -> std::string {
      if (forged > 0) return "";
      std::string bytes = forge(me);
      if (!bytes.empty()) ++forged;
      return bytes;
    });
    ASSERT_TRUE(Pump(t.All(), [&] { return AllEnded(t); }, kGameMs));
    EXPECT_EQ(forged, 1) << "the moment for the forged record never came";
    for (int p = 1; p <= 3; ++p) {
      const TourBot& bot = *t.At(p).bot;
      EXPECT_EQ(bot.LastNotice()->kind, net::NoticeKind::GameEnded) << p;
      EXPECT_TRUE(bot.Problems().empty()) << p << ": " << bot.Problems().front();
    }
    EXPECT_EQ(t.b->bot->RoundScores(), t.a->bot->RoundScores());
    EXPECT_EQ(t.c->bot->RoundScores(), t.a->bot->RoundScores());
    const std::array<int, 3> counts = t.b->bot->Counts();
    for (int p = 1; p <= 3; ++p) {
      EXPECT_EQ(std::stoi(Standing(p)[0]) - std::stoi(before[p][0]), counts[p - 1]) << Nick(p);
    }
  }
}

TEST_F(Tournament, AForgedResultIsIgnored) {
  std::array<std::vector<std::string>, 4> before;
  for (int p = 1; p <= 3; ++p) before[p] = Standing(p);
  std::array<TourBot::Options, 3> options;
  options[0].send_result = false;
  options[0].seed = 77;
  Table3 t = SitDown(1, options);
  ASSERT_TRUE(Pump(t.All(), [&] { return AllEnded(t); }, kGameMs));
  // Position 1 claims it won everything.
  SendBytes(t.a->fd, *net::BuildResult({9999, -5000, -4999}, 1));
  const std::array<int, 3> counts = t.b->bot->Counts();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  for (int p = 1; p <= 3; ++p)
    EXPECT_EQ(std::stoi(Standing(p)[0]) - std::stoi(before[p][0]), counts[p - 1]) << Nick(p);
}

TEST_F(Tournament, APeerThatBreaksTheFramingOrKeepsCheatingIsDisconnectedAlone) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::string flood;
  for (int i = 0; i < 200; ++i) flood += *net::BuildTourChat("spam", 1);
  std::string refused;
  for (int i = 0; i < 5; ++i) refused += *net::BuildNextRound(1);
  const Case cases[] = {
      {"garbage", "GET / HTTP/1.1\r\n\r\n"},
      {"an unknown head", std::string("x") + std::string(49, '#')},
      {"a move record too long", "h1" + std::string(200, 'i')},
      {"a flood of chat lines", flood},
      {"refused records again and again", refused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto before_b = Standing(2);
    Table3 t = SitDown(1);
    // Wait for the first deal, then position 1 misbehaves.
    ASSERT_TRUE(Pump(t.All(), [&] { return t.a->bot->Deals() == 1; }, 5000));
    SendBytes(t.a->fd, c.bytes);
    ASSERT_TRUE(Pump({t.a.get(), t.b.get(), t.c.get()},
                     [&] { return t.b->bot->Ended() && t.c->bot->Ended() && t.a->closed; }, 5000));
    for (TourPeer* p : {t.b.get(), t.c.get()}) {
      EXPECT_EQ(p->bot->LastNotice()->kind, net::NoticeKind::PlayerLeft);
      EXPECT_EQ(p->bot->LastNotice()->position, 1);
      EXPECT_TRUE(p->bot->Problems().empty());
    }
    EXPECT_EQ(Standing(2), before_b);
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(server_->SeatNick(1, p), "X");
  }
}

TEST(TournamentProcesses, ATableServedByAnotherProcessPlaysOnTheSameSeatsAndStandings) {
  TourServer first(1);  // the lobby, and table 1
  ASSERT_TRUE(first.Running());
  const auto second = first.AnotherProcess(2, 2);
  ASSERT_TRUE(second->Running());
  const char* nicks[] = {"Two_a", "Two_b", "Two_c"};
  for (const char* nick : nicks) ASSERT_TRUE(first.Register(nick, "twopw12"));
  // Seats of table 2 taken through the first process, its game played by the second.
  for (int p = 1; p <= 3; ++p) ASSERT_EQ(first.TakeSeat(2, p, nicks[p - 1], "twopw12"), "ok");
  Table3 t{Sit(first, 2, 1), Sit(first, 2, 2), Sit(first, 2, 3)};
  ASSERT_TRUE(Pump(t.All(), [&] { return t.a->bot->Ended() && t.b->bot->Ended() && t.c->bot->Ended(); }, kGameMs));
  EXPECT_EQ(t.a->bot->LastNotice()->kind, net::NoticeKind::GameEnded);
  const std::array<int, 3> counts = t.a->bot->Counts();
  for (int p = 1; p <= 3; ++p) {
    const auto standing = first.Standing(nicks[p - 1]);
    ASSERT_EQ(standing.size(), 3u);
    EXPECT_EQ(standing[0], std::to_string(counts[p - 1]));
    EXPECT_EQ(standing[1], "1");
    EXPECT_EQ(first.SeatNick(2, p), "X");
  }
}

TEST(TournamentSeats, OneSeatPerAccountAndAFewPerAddress) {
  TourServer server(1, {"--tour-seats-per-address", "2", "--tour-limit-loopback"});
  ASSERT_TRUE(server.Running());
  for (const char* nick : {"Cap_a", "Cap_b", "Cap_c"}) ASSERT_TRUE(server.Register(nick, "cappw12"));
  EXPECT_EQ(server.TakeSeat(1, 1, "Cap_a", "wrong12"), "no") << "a stranger seats no account";
  EXPECT_EQ(server.TakeSeat(1, 1, "Cap_a", "cappw12"), "ok");
  EXPECT_EQ(server.TakeSeat(2, 1, "Cap_a", "cappw12"), "is") << "one seat per account";
  EXPECT_EQ(server.TakeSeat(1, 2, "Cap_b", "cappw12"), "ok");
  EXPECT_EQ(server.TakeSeat(1, 3, "Cap_c", "cappw12"), "is") << "two seats from this address already";
}

}  // namespace
}  // namespace varnok::test
