// The referee of a tournament table in one process: three scripted seats
// play through it, the table's records carried between them as the relay
// carries them.
#include <gtest/gtest.h>

#include <deque>

#include "receive_buffer.h"
#include "table_game.h"
#include "tour_bot.h"

namespace varnok::tour {
namespace {

struct InProcessTable {
  explicit InProcessTable(std::uint64_t seed)
      : random(seed), game([this](std::uint32_t bound) { return static_cast<std::uint32_t>(random() % bound); }) {
    for (int p = 1; p <= 3; ++p) {
      TourBot::Options options;
      options.seed = seed * 10 + static_cast<std::uint64_t>(p);
      bots[static_cast<std::size_t>(p)] = std::make_unique<TourBot>(p, options);
    }
  }

  // Carries records until nothing moves; returns the refusals seen.
  std::vector<std::string> Run() {
    std::vector<Send> out;
    game.Start(out);
    for (auto& s : out) to_seats.push_back(std::move(s));
    std::vector<std::string> refused;
    for (int steps = 0; steps < 100000 && (!to_seats.empty() || !to_table.empty()); ++steps) {
      if (!to_seats.empty()) {
        Send s = std::move(to_seats.front());
        to_seats.pop_front();
        const std::string answer = bots[static_cast<std::size_t>(s.to)]->Feed(s.bytes);
        if (!answer.empty()) to_table.emplace_back(s.to, answer);
        continue;
      }
      auto [from, bytes] = std::move(to_table.front());
      to_table.pop_front();
      const auto fed = relay_side[static_cast<std::size_t>(from)].Feed(bytes);
      EXPECT_TRUE(fed.dropped.empty());
      for (const auto& record : fed.records) {
        std::vector<Send> sent;
        const Verdict v = game.Receive(from, record, sent);
        if (!v.accepted) refused.push_back(v.why);
        for (auto& s : sent) to_seats.push_back(std::move(s));
      }
    }
    return refused;
  }

  std::mt19937_64 random;
  TableGame game;
  std::array<std::unique_ptr<TourBot>, 4> bots;
  std::array<net::ReceiveBuffer, 4> relay_side{net::ReceiveBuffer(net::Link::Relay), net::ReceiveBuffer(net::Link::Relay),
                                               net::ReceiveBuffer(net::Link::Relay), net::ReceiveBuffer(net::Link::Relay)};
  std::deque<Send> to_seats;
  std::deque<std::pair<int, std::string>> to_table;
};

TEST(TableGame, HonestSeatsPlayWholeGamesThatEveryCopyAndTheTableCountAlike) {
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    InProcessTable t(seed);
    const auto refused = t.Run();
    EXPECT_TRUE(refused.empty()) << refused.front();
    EXPECT_EQ(t.game.ending(), Ending::Finished);
    for (int p = 1; p <= 3; ++p) {
      const TourBot& bot = *t.bots[static_cast<std::size_t>(p)];
      EXPECT_TRUE(bot.Problems().empty()) << p << ": " << bot.Problems().front();
      EXPECT_EQ(bot.Scores(), t.game.Scores()) << p;
      EXPECT_EQ(bot.RoundScores(), t.bots[1]->RoundScores()) << p;
      EXPECT_EQ(bot.LastNotice()->kind, net::NoticeKind::GameEnded);
    }
    EXPECT_GE(t.game.Round(), 2);
    const auto counts = t.game.Counts();
    EXPECT_EQ(counts[0] + counts[1] + counts[2], 0);
  }
}

}  // namespace
}  // namespace varnok::tour
