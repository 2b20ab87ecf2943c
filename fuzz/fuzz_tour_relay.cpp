// Fuzz target of the tournament relay's record handling: a table deals and
// referees a game of three scripted seats; one of them (the attacker) also
// sends the fuzzer's bytes, cut into reads of the fuzzer's sizes, between its
// own records. The relay's framing, sender and rule checks must hold:
// nothing crashes, the two honest seats never receive a record their copy
// refuses, and a game that ends normally ends with the scores all three
// copies and the table agree on.
//
// Input: byte 0 the attacker's position and the deck's seed; then chunks of
// [when, length, bytes]: after `when` records of honest traffic the bytes
// are read from the attacker's connection.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "receive_buffer.h"
#include "table_game.h"
#include "tour_bot.h"

namespace {

using namespace varnok;

struct Link {
  std::unique_ptr<tour::TourBot> bot;
  net::ReceiveBuffer relay_side{net::Link::Relay};
  bool gone = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int attacker = data[0] % 3 + 1;
  std::uint64_t seed = data[0] * 2654435761u + 1;
  tour::TableGame table([&seed](std::uint32_t bound) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>((seed >> 33) % bound);
  });
  std::array<Link, 4> seats;
  for (int p = 1; p <= 3; ++p) {
    tour::TourBot::Options options;
    options.seed = data[0] + static_cast<std::uint64_t>(p);
    seats[static_cast<std::size_t>(p)].bot = std::make_unique<tour::TourBot>(p, options);
  }
  std::deque<tour::Send> to_seats;
  std::deque<std::pair<int, std::string>> to_table;

  const auto deliver = [&](std::vector<tour::Send>& out) {
    for (auto& s : out) to_seats.push_back(std::move(s));
    out.clear();
  };
  const auto read_at_table = [&](int from, std::string_view bytes) {
    Link& link = seats[static_cast<std::size_t>(from)];
    if (link.gone) return;
    const auto fed = link.relay_side.Feed(bytes);
    std::vector<tour::Send> out;
    if (!fed.dropped.empty() || fed.hostile) {
      link.gone = true;
      table.End(tour::Ending::Left, from, out);
      deliver(out);
      return;
    }
    for (const auto& record : fed.records) {
      const tour::Verdict verdict = table.Receive(from, record, out);
      deliver(out);
      if (verdict.disconnect) {
        link.gone = true;
        table.End(tour::Ending::Left, from, out);
        deliver(out);
        return;
      }
    }
  };

  std::vector<tour::Send> out;
  table.Start(out);
  deliver(out);
  std::size_t pos = 1;
  int traffic = 0;
  int next_attack = pos + 1 < size ? data[pos] : 1 << 30;
  for (int steps = 0; steps < 20000 && (!to_seats.empty() || !to_table.empty() || pos < size); ++steps) {
    if (traffic >= next_attack && pos + 1 < size) {
      const std::size_t length = std::min<std::size_t>(data[pos + 1], size - pos - 2);
      read_at_table(attacker, std::string_view(reinterpret_cast<const char*>(data + pos + 2), length));
      pos += 2 + length;
      next_attack = pos + 1 < size ? traffic + data[pos] : 1 << 30;
      continue;
    }
    if (!to_seats.empty()) {
      tour::Send s = std::move(to_seats.front());
      to_seats.pop_front();
      ++traffic;
      const std::string answer = seats[static_cast<std::size_t>(s.to)].bot->Feed(s.bytes);
      if (!answer.empty()) to_table.emplace_back(s.to, answer);
      continue;
    }
    if (!to_table.empty()) {
      auto [from, bytes] = std::move(to_table.front());
      to_table.pop_front();
      read_at_table(from, bytes);
      continue;
    }
    if (pos + 1 >= size) break;
    next_attack = traffic;  // nothing moves: the attack comes now
  }
  for (int p = 1; p <= 3; ++p) {
    if (p == attacker) continue;
    if (!seats[static_cast<std::size_t>(p)].bot->Problems().empty()) std::abort();
  }
  if (table.ending() == tour::Ending::Finished) {
    for (int p = 1; p <= 3; ++p) {
      if (p != attacker && seats[static_cast<std::size_t>(p)].bot->Scores() != table.Scores()) std::abort();
    }
  }
  return 0;
}
