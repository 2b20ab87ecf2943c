// The tournament connection's own records: the seats' control records, the
// relay's notices, and the relay's side of the framing (what a seat sends),
// cut and joined in any way.
#include <gtest/gtest.h>

#include <random>

#include "receive_buffer.h"
#include "records.h"
#include "tour_records.h"

namespace varnok::net {
namespace {

TEST(TourRecordsTest, ControlRecordsAreFramedToTwentyWithTheSendersPosition) {
  EXPECT_EQ(*BuildConnect(2), "connect2###########2");
  EXPECT_EQ(*BuildNextRound(1), "bnext##############1");
  EXPECT_EQ(*BuildTimeOut(3), "TOut###############3");
  EXPECT_EQ(BuildLeave(2)->size(), kRelayLength);
  EXPECT_EQ(BuildLeave(2)->substr(0, 5), "disA#");
  // Game scores 100, 40 and -20 for positions 1, 2, 3.
  EXPECT_EQ(*BuildResult({-180, 0, 180}, 1), "o -180    0  180###1");
  EXPECT_FALSE(BuildResult({123456, 0, 0}, 1)) << "wider than five characters";
  EXPECT_FALSE(BuildConnect(4));
}

TEST(TourRecordsTest, ControlRecordsReadBack) {
  struct Case {
    std::string wire;
    std::optional<Control> expected;
  };
  const Case cases[] = {
      {*BuildConnect(3), Control{ControlKind::Connect, 3, 3, {}}},
      {"connect1###########2", Control{ControlKind::Connect, 2, 1, {}}},  // the relay compares the two
      {*BuildNextRound(1), Control{ControlKind::NextRound, 1, 0, {}}},
      {*BuildTimeOut(2), Control{ControlKind::TimeOut, 2, 0, {}}},
      {*BuildLeave(3), Control{ControlKind::Leave, 3, 0, {}}},
      {*BuildResult({-180, 0, 180}, 1), Control{ControlKind::Result, 1, 0, {-180, 0, 180}}},
      {"o   12  -40   28###1", Control{ControlKind::Result, 1, 0, {12, -40, 28}}},
      {"connect4###########2", std::nullopt},
      {"bnext##############0", std::nullopt},
      {"o   12  -4x   28###1", std::nullopt},
      {"o   12  -40     ###1", std::nullopt},
      {"o   12  -40   28#x#1", std::nullopt},
      {"hello##############1", std::nullopt},
      {"bnext", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseControl(c.wire);
    EXPECT_EQ(parsed.value, c.expected) << c.wire;
  }
}

TEST(TourRecordsTest, TheRelaysNoticesAreWhatTheProgramReads) {
  struct Case {
    std::string wire;
    Notice notice;
  };
  const Case cases[] = {
      {BuildGameEnded(), {NoticeKind::GameEnded, 0}},
      {*BuildPlayerLeft(2), {NoticeKind::PlayerLeft, 2}},
      {*BuildTimeUp(3), {NoticeKind::TimeUp, 3}},
  };
  std::string stream;
  for (const Case& c : cases) {
    ASSERT_EQ(c.wire.size(), kRelayLength);
    EXPECT_EQ(ParseNotice(c.wire).value, c.notice);
    stream += c.wire;
  }
  EXPECT_EQ((*BuildPlayerLeft(2))[5], '2') << "the sixth character names who left";
  EXPECT_EQ((*BuildTimeUp(3))[49], '3') << "the fiftieth names whose time is up";
  // The program's own reader of the tournament connection cuts them apart.
  ReceiveBuffer program(Link::Tournament);
  const auto got = program.Feed(stream);
  ASSERT_EQ(got.records.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(got.records[i].kind, RecordKind::Server);
    EXPECT_EQ(ParseNotice(got.records[i].wire).value, cases[i].notice);
  }
}

std::vector<std::string> SeatRecords() {
  const auto move = [](const MoveShape& shape, int sender, bool to_next) {
    return *WrapRelay(*BuildMove(shape, Addressee{sender, to_next, true}), sender);
  };
  return {
      move(MoveShape::CardPlayed(2, 8, SeatCell::Forty()), 2, false),
      move(MoveShape::TurnToBid(65, 1, SeatCell::Bid(60)), 1, true),
      *BuildTourChat("good luck", 3),
      *BuildTourChat("a#b connect1", 1),
      *BuildConnect(1),
      *BuildNextRound(1),
      *BuildTimeOut(2),
      *BuildLeave(3),
      *BuildResult({-180, 0, 180}, 1),
  };
}

TEST(TourRecordsTest, TheRelayCutsWhatSeatsSendHoweverItIsSplitOrJoined) {
  const auto samples = SeatRecords();
  // Each record cut at every position.
  for (const std::string& wire : samples) {
    for (std::size_t cut = 1; cut < wire.size(); ++cut) {
      ReceiveBuffer relay(Link::Relay);
      auto first = relay.Feed(wire.substr(0, cut));
      EXPECT_TRUE(first.records.empty() && first.dropped.empty()) << wire << " cut at " << cut;
      auto second = relay.Feed(wire.substr(cut));
      ASSERT_EQ(second.records.size(), 1u) << wire << " cut at " << cut;
      EXPECT_EQ(second.records[0].wire, wire);
      EXPECT_TRUE(second.dropped.empty());
    }
  }
  // Joined in random orders and split anywhere.
  std::mt19937 rng(26);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> sent;
    std::string stream;
    for (int i = 0, n = 2 + static_cast<int>(rng() % 8); i < n; ++i) {
      sent.push_back(samples[rng() % samples.size()]);
      stream += sent.back();
    }
    ReceiveBuffer relay(Link::Relay);
    std::vector<std::string> got;
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t len = 1 + rng() % 70;
      auto result = relay.Feed(stream.substr(at, len));
      EXPECT_TRUE(result.dropped.empty());
      for (auto& r : result.records) got.push_back(r.wire);
      at += len;
    }
    EXPECT_EQ(got, sent) << "round " << round;
    EXPECT_EQ(relay.Waiting(), 0u);
  }
}

TEST(TourRecordsTest, WhatNoSeatSendsIsDroppedAtOnce) {
  const std::string connect = *BuildConnect(1);
  const std::string cases[] = {
      "GET / HTTP/1.1\r\n",                  // a stranger
      "x" + std::string(49, '#'),            // an unknown head
      "b" + std::string(120, '#'),           // a deal comes from the relay, never to it
      "connect1##x########1",                // no padding where padding goes
      "connect9###########1",                // no position
      "h1" + std::string(200, 'i'),          // a move record too long
      "e" + std::string(48, '#') + "1",      // the relay's own notice
  };
  for (const std::string& bad : cases) {
    ReceiveBuffer relay(Link::Relay);
    const auto result = relay.Feed(bad + connect);
    EXPECT_FALSE(result.dropped.empty()) << bad;
  }
}

}  // namespace
}  // namespace varnok::net
