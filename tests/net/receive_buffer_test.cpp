// Cutting connections into records: reads that split records anywhere,
// reads that join them in any order, garbage and hostile peers.
#include <gtest/gtest.h>

#include <random>

#include "deal_record.h"
#include "receive_buffer.h"
#include "records.h"
#include "shuffle.h"

namespace varnok::net {
namespace {

std::string Move(const MoveShape& shape, int sender, bool to_next, bool tournament = false) {
  return BuildMove(shape, Addressee{sender, to_next, tournament}).value_or("");
}

std::string Deal(std::uint64_t seed, bool tournament) {
  DeckShuffler shuffler;
  shuffler.SetSeed(seed);
  DeckOrder order{};
  const auto values = shuffler.DrawValues();
  for (std::size_t j = 0; j < 24; ++j) order[j] = CardIndex(CardOfDrawnValue(values[j]));
  TCardList deck = EmptyCardList();
  TByteList ranks = EmptyCompanions(), points = EmptyCompanions();
  FillDeck(order, deck, ranks, points);
  return BuildDeal(deck, ranks, points, true, tournament).value_or("");
}

struct Sample {
  const char* name;
  std::string wire;
  RecordKind kind;
};

// One record of every kind the local network carries, chat lines whose
// texts hold the heads of other records among them.
std::vector<Sample> LocalSamples() {
  return {
      {"move", Move(MoveShape::CardPlayedReceiverToPlay(1, 3, SeatCell::Forty()), 1, true), RecordKind::Move},
      {"bid", Move(MoveShape::TurnToBid(65, 2, SeatCell::Bid(60)), 2, true), RecordKind::Move},
      {"deal", Deal(3, false), RecordKind::Deal},
      {"chat", *BuildChat(2, "hello there"), RecordKind::Chat},
      {"chat with abort", *BuildChat(3, "hi abort"), RecordKind::Chat},
      {"chat with heads", *BuildChat(1, "oh1 zub0925conn"), RecordKind::Chat},
      {"chat with hash", *BuildChat(2, "a#b"), RecordKind::Chat},
      {"join", BuildJoinRequest("Ann"), RecordKind::JoinRequest},
      {"grant", *BuildSeatGrant(SeatGrant{2, {"Boris ", "Ann   ", "PC    "}}), RecordKind::SeatGrant},
      {"third seat", BuildThirdSeatNotice(ThirdSeatNotice{{"Boris ", "Ann   ", "Cleo  "}}),
       RecordKind::ThirdSeatNotice},
      {"abort", BuildAbortNotice(), RecordKind::Abort},
  };
}

std::vector<Sample> TournamentSamples() {
  return {
      {"move", *WrapRelay(Move(MoveShape::CardPlayed(2, 8), 2, false, true), 2), RecordKind::Move},
      {"deal", Deal(4, true), RecordKind::Deal},
      {"chat", *BuildTourChat("good luck", 3), RecordKind::Chat},
      {"chat with hash", *BuildTourChat("a#b", 1), RecordKind::Chat},
      {"game over", "e" + std::string(48, '#') + "1", RecordKind::Server},
      {"player left", "a####2" + std::string(43, '#') + "1", RecordKind::Server},
      {"time out", "T" + std::string(48, '#') + "3", RecordKind::Server},
  };
}

std::vector<std::string> Wires(const std::vector<Received>& records) {
  std::vector<std::string> out;
  for (const auto& r : records) out.push_back(r.wire);
  return out;
}

// Feeds pieces, then flushes; everything delivered, in order.
std::vector<Received> FeedAll(ReceiveBuffer& buffer, const std::vector<std::string>& pieces) {
  std::vector<Received> got;
  for (const auto& piece : pieces) {
    auto result = buffer.Feed(piece);
    EXPECT_TRUE(result.dropped.empty()) << result.dropped.front().bytes;
    EXPECT_FALSE(result.hostile);
    for (auto& r : result.records) got.push_back(std::move(r));
  }
  auto flushed = buffer.Flush();
  EXPECT_TRUE(flushed.dropped.empty());
  for (auto& r : flushed.records) got.push_back(std::move(r));
  return got;
}

TEST(ReceiveBufferTest, EveryRecordCutAtEveryPosition) {
  for (Link link : {Link::Local, Link::Tournament}) {
    for (const Sample& sample : link == Link::Local ? LocalSamples() : TournamentSamples()) {
      for (std::size_t cut = 1; cut < sample.wire.size(); ++cut) {
        ReceiveBuffer buffer(link);
        const auto got = FeedAll(buffer, {sample.wire.substr(0, cut), sample.wire.substr(cut)});
        ASSERT_EQ(got.size(), 1u) << sample.name << " cut at " << cut;
        EXPECT_EQ(got[0].wire, sample.wire) << sample.name;
        EXPECT_EQ(got[0].kind, sample.kind) << sample.name;
        EXPECT_EQ(buffer.Waiting(), 0u);
      }
    }
  }
}

TEST(ReceiveBufferTest, FixedRecordsNeedNoFlush) {
  for (const Sample& sample : LocalSamples()) {
    if (sample.kind == RecordKind::Chat) continue;
    ReceiveBuffer buffer(Link::Local);
    buffer.Feed(sample.wire.substr(0, 3));
    EXPECT_EQ(Wires(buffer.Feed(sample.wire.substr(3)).records), std::vector<std::string>{sample.wire}) << sample.name;
  }
}

TEST(ReceiveBufferTest, RecordsJoinedInRandomOrdersAndSplitAnywhere) {
  std::mt19937 rng(20240611);
  for (Link link : {Link::Local, Link::Tournament}) {
    const auto samples = link == Link::Local ? LocalSamples() : TournamentSamples();
    for (int round = 0; round < 400; ++round) {
      // Two to seven records. A local chat line is never followed by a
      // record short enough to fit into its text window (another chat line,
      // the abort notice): without length or terminator they read as its text.
      std::vector<std::string> sent;
      std::string stream;
      const int count = 2 + static_cast<int>(rng() % 6);
      bool last_was_chat = false;
      while (static_cast<int>(sent.size()) < count) {
        const Sample& s = samples[rng() % samples.size()];
        const bool chat = link == Link::Local && s.kind == RecordKind::Chat;
        if (last_was_chat && (chat || s.kind == RecordKind::Abort)) continue;
        last_was_chat = chat;
        sent.push_back(s.wire);
        stream += s.wire;
      }
      std::vector<std::string> pieces;
      for (std::size_t at = 0; at < stream.size();) {
        const std::size_t len = 1 + rng() % 90;
        pieces.push_back(stream.substr(at, len));
        at += len;
      }
      ReceiveBuffer buffer(link);
      EXPECT_EQ(Wires(FeedAll(buffer, pieces)), sent) << "round " << round;
    }
  }
}

TEST(ReceiveBufferTest, ReadsOfTwoAndThreeMoves) {
  const std::string a = Move(MoveShape::BidReport(1, SeatCell::Bid(60)), 1, true);
  const std::string b = Move(MoveShape::TurnToBid(70, 1, SeatCell::Bid(65)), 1, true);
  const std::string c = Move(MoveShape::TrickCollected(), 1, true);
  ReceiveBuffer buffer(Link::Local);
  EXPECT_EQ(Wires(buffer.Feed(a + b).records), (std::vector<std::string>{a, b}));
  EXPECT_EQ(Wires(buffer.Feed(a + b + c).records), (std::vector<std::string>{a, b, c}));
  const auto split = SplitReceived(c + a, Link::Local);
  EXPECT_EQ(Wires(split.records), (std::vector<std::string>{c, a}));
  EXPECT_EQ(split.consumed, 76u);
}

TEST(ReceiveBufferTest, AFiftyCharacterReadIsNoLongerLost) {
  const std::string a = Move(MoveShape::WidowTaken(), 3, true);
  const std::string b = Move(MoveShape::CardsGiven(2, 9), 3, true);
  // A move and the first twelve characters of the next: the move now, the next one when it is complete.
  ReceiveBuffer buffer(Link::Local);
  const auto first = buffer.Feed(a + b.substr(0, 12));
  EXPECT_EQ(Wires(first.records), std::vector<std::string>{a});
  EXPECT_EQ(buffer.Waiting(), 12u);
  EXPECT_EQ(Wires(buffer.Feed(b.substr(12)).records), std::vector<std::string>{b});

  // A tournament relay record on the local network: the move inside is
  // taken, the padding and seat digit are dropped and logged.
  std::vector<Dropped> logged;
  ReceiveBuffer local(Link::Local);
  local.SetLogger([&](const Dropped& d) { logged.push_back(d); });
  const auto relayed = local.Feed(*WrapRelay(a, 3));
  EXPECT_EQ(Wires(relayed.records), std::vector<std::string>{a});
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0].bytes, std::string(11, '#') + "3");
  EXPECT_EQ(relayed.dropped, logged);
  EXPECT_EQ(local.Waiting(), 0u);
}

TEST(ReceiveBufferTest, ChatWithHashOverBothConnections) {
  ReceiveBuffer local(Link::Local);
  auto got = FeedAll(local, {*BuildChat(2, "1#2 ok")});
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(ParseChat(got[0].body).value, (ChatLine{2, "1#2 ok"}));

  ReceiveBuffer tour(Link::Tournament);
  got = FeedAll(tour, {*BuildTourChat("1#2 ok", 2)});
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].body, "s1");
  EXPECT_EQ(got[0].seat, 2);
}

TEST(ReceiveBufferTest, AChatLineWaitsForTheQuietConnection) {
  ReceiveBuffer buffer(Link::Local);
  EXPECT_TRUE(buffer.Feed("s2see y").records.empty());
  EXPECT_TRUE(buffer.Feed("ou").records.empty());
  EXPECT_EQ(Wires(buffer.Flush().records), std::vector<std::string>{"s2see you"});

  // A chat line at its longest length is complete at once.
  EXPECT_EQ(Wires(buffer.Feed("s1fifteen chars!!").records), std::vector<std::string>{});
  const std::string move = Move(MoveShape::WidowTaken(), 1, true);
  EXPECT_EQ(Wires(buffer.Feed(move).records), (std::vector<std::string>{"s1fifteen chars!!", move}));

  // A following chat line ends the one before once the two pass the longest length.
  EXPECT_EQ(Wires(FeedAll(buffer, {"s2hello theres3what time is it"})),
            (std::vector<std::string>{"s2hello there", "s3what time is it"}));
}

// Two chat lines that come byte by byte, the second before the quiet time
// of the first has passed, stay two lines: the new line's head ends the one
// before it.
TEST(ReceiveBufferTest, ChatLinesSentByteByByteStaySeparate) {
  const std::string move = Move(MoveShape::TrickCollected(), 1, true);
  const struct {
    const char* what;
    std::vector<std::string> lines;
  } cases[] = {
      {"two short lines", {"s1abc", "s2XYZ"}},
      {"three lines", {"s3hi", "s1ok", "s2yes!"}},
      {"a long line and a short one", {"s2hello there", "s3ok"}},
      {"a short line and a long one", {"s1ok", "s2fifteen chars!!"}},
      {"the same seat twice", {"s2one", "s2two"}},
      {"lines before a move", {"s1a", "s2b", move}},
  };
  for (const auto& c : cases) {
    std::string stream;
    for (const std::string& line : c.lines) stream += line;
    std::vector<std::string> bytes;
    for (char b : stream) bytes.emplace_back(1, b);
    ReceiveBuffer buffer(Link::Local);
    EXPECT_EQ(Wires(FeedAll(buffer, bytes)), c.lines) << c.what;
    ReceiveBuffer whole(Link::Local);
    EXPECT_EQ(Wires(FeedAll(whole, {stream})), c.lines) << c.what << " in one read";
  }
}

TEST(ReceiveBufferTest, AHeadWordInAChatTextIsText) {
  // Texts that hold the heads of other records are never cut, whatever follows them.
  const std::string move = Move(MoveShape::TrickCollected(), 1, true);
  for (const std::string chat : {"s3hi abort", "s2oh1 zub0925co", "s1connect2 me"}) {
    for (const std::string& after : {std::string(), move, BuildJoinRequest("Ann")}) {
      ReceiveBuffer buffer(Link::Local);
      auto got = FeedAll(buffer, {chat + after});
      ASSERT_FALSE(got.empty());
      EXPECT_EQ(got[0].wire, chat) << chat << " + " << after;
      EXPECT_EQ(got.size(), after.empty() ? 1u : 2u);
    }
  }
  // The limit of a format without length or terminator: an abort notice
  // straight behind a short chat line fits into its text and reads as text.
  ReceiveBuffer buffer(Link::Local);
  EXPECT_EQ(Wires(FeedAll(buffer, {"s2bye" "abort" + move})), (std::vector<std::string>{"s2byeabort", move}));
}

TEST(ReceiveBufferTest, TournamentDealNoLongerEndsTheRead) {
  const std::string deal = Deal(9, true);
  const std::string move = *WrapRelay(Move(MoveShape::CardPlayed(1, 1), 1, false, true), 1);
  const std::string over = "e" + std::string(48, '#') + "2";
  ReceiveBuffer buffer(Link::Tournament);
  const auto got = buffer.Feed(deal + move + over + move);
  EXPECT_EQ(Wires(got.records), (std::vector<std::string>{deal, move, over, move}));
  ASSERT_EQ(got.records.size(), 4u);
  EXPECT_EQ(got.records[1].body, move.substr(0, kMoveLength));
  EXPECT_EQ(got.records[1].seat, 1);
  EXPECT_TRUE(DecodeMove(got.records[1].body).ok());
}

TEST(ReceiveBufferTest, GarbageBetweenRecordsIsDroppedAndLogged) {
  const std::string move = Move(MoveShape::GivingDone(), 2, false);
  std::string broken = move;
  broken[1] = '7';  // no sender
  struct Case {
    const char* name;
    std::string stream;
    std::vector<std::string> records;
    std::vector<std::string> dropped;
  };
  const Case cases[] = {
      {"noise", "xyz" + move + "\r\n", {move}, {"xyz", "\r\n"}},
      {"move of no seat", broken + move, {move}, {broken}},
      {"near-head words", "abortx" "connect9" + move, {"abort", move}, {"xconnect9"}},
      // "s2" followed at once by a record: a chat line without text, which no copy sends.
      {"empty chat", "s2" + move, {move}, {"s2"}},
  };
  for (const Case& c : cases) {
    ReceiveBuffer buffer(Link::Local);
    std::vector<std::string> logged;
    buffer.SetLogger([&](const Dropped& d) { logged.push_back(d.bytes); });
    auto got = buffer.Feed(c.stream);
    for (auto& r : buffer.Flush().records) got.records.push_back(r);
    EXPECT_FALSE(got.hostile);
    EXPECT_EQ(Wires(got.records), c.records) << c.name;
    EXPECT_EQ(logged, c.dropped) << c.name;
  }
}

TEST(ReceiveBufferTest, AnEndlessStreamOfGarbageMarksThePeerHostile) {
  struct Case {
    const char* name;
    std::string unit;
  };
  const Case cases[] = {
      {"noise", "0123456789"},
      {"moves of no seat", "h9" + std::string(35, 'i') + "1"},
      {"unfinished heads", "zuconnecabor"},
      {"chat lines of no seat", "s0hello"},
  };
  for (const Case& c : cases) {
    ReceiveBuffer buffer(Link::Local);
    bool hostile = false;
    for (int i = 0; i < 2000 && !hostile; ++i) {
      hostile = buffer.Feed(c.unit).hostile;
      EXPECT_LE(buffer.Waiting(), BufferLimits{}.buffer) << c.name;
    }
    EXPECT_TRUE(hostile) << c.name;
    EXPECT_TRUE(buffer.Hostile());
    // Nothing more is read from a hostile peer.
    EXPECT_TRUE(buffer.Feed(Move(MoveShape::WidowTaken(), 1, true)).records.empty());
    EXPECT_EQ(buffer.Waiting(), 0u);
  }
  // One huge read is judged piece by piece.
  ReceiveBuffer buffer(Link::Tournament);
  EXPECT_TRUE(buffer.Feed(std::string(1 << 20, 'x')).hostile);
}

TEST(ReceiveBufferTest, ValidTrafficNeverCountsAsGarbage) {
  ReceiveBuffer buffer(Link::Local);
  const std::string move = Move(MoveShape::TrickCollected(), 3, true);
  std::string lots;
  for (int i = 0; i < 2000; ++i) lots += move;
  const auto got = buffer.Feed(lots);
  EXPECT_EQ(got.records.size(), 2000u);
  EXPECT_FALSE(got.hostile);
  EXPECT_EQ(buffer.GarbageSeen(), 0u);
}

}  // namespace
}  // namespace varnok::net
