// varnok-sim: plays games of three computer seats headless and prints one
// JSON line per round.
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "match.h"
#include "self_play.h"

namespace {

constexpr const char* kUsage =
    "usage: varnok-sim [--seed S] [--games N] [--rounds N] [--keep-after-100] [--summary]\n"
    "                  [--levels L1,L2,L3] [--duplicate] [--strong-ms MS] [--strong-samples N]\n"
    "       varnok-sim --deck \"o1 ... o24\" --first-bidder S --scores A,B,C [--keep-after-100]\n"
    "Plays games of three computer seats and prints one JSON object per round.\n"
    "  --seed S          seed of the shuffle (default: the clock)\n"
    "  --games N         play N games (default 1)\n"
    "  --rounds N        stop after N rounds in all\n"
    "  --keep-after-100  a defender at 100 or less keeps his score\n"
    "  --deck ...        play one round from this deck order (card ordinals 1..24, deck slot 1 first)\n"
    "  --first-bidder S  the seat 1..3 that opens the bidding of that round\n"
    "  --scores A,B,C    the three scores before that round\n"
    "  --summary         print rounds per second to standard error at the end\n"
    "  --levels L1,L2,L3 the computer level of seats 1, 2, 3: classic (default) or strong\n"
    "  --duplicate       play each game once per seating (the levels turned round the seats)\n"
    "                    and print each level's result per game and contracts made\n"
    "  --strong-ms MS    time of one strong decision (default 250)\n"
    "  --strong-samples N  deals a strong decision draws at most (default: as many as the time allows)\n";

int Usage(const std::string& problem) {
  std::cerr << "varnok-sim: " << problem << "\n" << kUsage;
  return 2;
}

template <typename T>
std::optional<T> Number(std::string_view text) {
  T value{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::vector<long>> Numbers(const std::string& text, char separator) {
  std::vector<long> out;
  std::string item;
  std::istringstream in(text);
  while (std::getline(in, item, separator)) {
    if (separator == ' ' && item.empty()) continue;
    auto v = Number<long>(item);
    if (!v) return std::nullopt;
    out.push_back(*v);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::uint64_t> seed;
  long games = 1;
  std::optional<long> rounds;
  bool keep = false;
  bool summary = false;
  std::optional<std::string> deck_text;
  std::optional<long> first_bidder;
  std::optional<std::string> scores_text;
  std::array<varnok::ai::ComputerLevel, 3> levels{};
  bool duplicate = false;
  varnok::ai::StrongOptions strong;

  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--keep-after-100") {
      keep = true;
    } else if (arg == "--summary") {
      summary = true;
    } else if (arg == "--duplicate") {
      duplicate = true;
    } else if (arg == "--levels") {
      const auto v = value();
      std::vector<std::string> names;
      if (v) {
        std::istringstream in(*v);
        std::string item;
        while (std::getline(in, item, ',')) names.push_back(item);
      }
      if (names.size() != 3) return Usage("--levels takes three levels L1,L2,L3");
      for (std::size_t k = 0; k < 3; ++k)
        if (!varnok::selfplay::ParseLevel(names[k], levels[k])) return Usage("unknown level " + names[k]);
    } else if (arg == "--strong-ms" || arg == "--strong-samples") {
      const auto v = value();
      const auto n = v ? Number<long>(*v) : std::nullopt;
      if (!n || *n < 1 || *n > 1000000) return Usage(std::string(arg) + " takes a positive whole number");
      if (arg == "--strong-ms") strong.budget_ms = static_cast<int>(*n);
      else strong.max_samples = static_cast<int>(*n);
    } else if (arg == "--seed" || arg == "--games" || arg == "--rounds" || arg == "--first-bidder") {
      const auto v = value();
      if (!v) return Usage(std::string(arg) + " needs a value");
      if (arg == "--seed") {
        seed = Number<std::uint64_t>(*v);
        if (!seed) return Usage("--seed takes a whole number");
        continue;
      }
      const auto n = Number<long>(*v);
      if (!n || *n < 1) return Usage(std::string(arg) + " takes a positive whole number");
      if (arg == "--games") games = *n;
      else if (arg == "--rounds") rounds = *n;
      else first_bidder = *n;
    } else if (arg == "--deck") {
      deck_text = value();
      if (!deck_text) return Usage("--deck needs 24 card ordinals");
    } else if (arg == "--scores") {
      scores_text = value();
      if (!scores_text) return Usage("--scores needs A,B,C");
    } else {
      return Usage("unknown argument " + std::string(arg));
    }
  }

  if (duplicate) {
    if (deck_text || rounds) return Usage("--duplicate plays whole games: no --deck or --rounds");
    varnok::selfplay::MatchOptions match;
    match.levels = levels;
    match.seed = seed ? *seed : static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    match.games = static_cast<int>(games);
    match.keep_after_100 = keep;
    match.strong = strong;
    const auto started = std::chrono::steady_clock::now();
    const auto result = varnok::selfplay::PlayMatch(match, [&](int done, int total) {
      if (summary) std::fprintf(stderr, "game %d of %d\n", done, total);
    });
    std::cout << varnok::selfplay::FormatSummary(result);
    if (summary) {
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
      std::fprintf(stderr, "%ld rounds in %.1f s\n", result.rounds, seconds);
    }
    return 0;
  }

  varnok::selfplay::SelfPlay play;
  play.SetKeepAfter100(keep);
  play.SetStrongOptions(strong);
  for (int seat = 1; seat <= 3; ++seat) play.SetLevel(seat, levels[static_cast<std::size_t>(seat - 1)]);
  if (seed) play.SetSeed(*seed);
  const auto started = std::chrono::steady_clock::now();
  long played = 0;

  try {
    if (deck_text || first_bidder || scores_text) {
      if (!deck_text || !first_bidder || !scores_text)
        return Usage("--deck, --first-bidder and --scores go together");
      const auto deck = Numbers(*deck_text, ' ');
      if (!deck || deck->size() != 24) return Usage("--deck takes 24 card ordinals");
      varnok::DeckOrder order{};
      for (std::size_t i = 0; i < 24; ++i) order[i] = static_cast<int>((*deck)[i]);
      std::vector<bool> seen(25, false);
      for (int o : order) {
        if (o < 1 || o > 24 || seen[static_cast<std::size_t>(o)]) return Usage("--deck must hold each ordinal 1..24 once");
        seen[static_cast<std::size_t>(o)] = true;
      }
      if (*first_bidder > 3) return Usage("--first-bidder takes 1, 2 or 3");
      const auto scores = Numbers(*scores_text, ',');
      if (!scores || scores->size() != 3) return Usage("--scores takes three whole numbers A,B,C");
      std::array<int, 3> start{};
      for (std::size_t i = 0; i < 3; ++i) {
        if ((*scores)[i] < 1 || (*scores)[i] > 100000) return Usage("--scores must lie between 1 and 100000");
        start[i] = static_cast<int>((*scores)[i]);
      }
      std::cout << varnok::selfplay::ToJson(play.PlayGivenRound(order, static_cast<int>(*first_bidder), start))
                << "\n";
      played = 1;
    } else {
      for (long game = 0; game < games && (!rounds || played < *rounds); ++game) {
        play.NewGame();
        bool over = false;
        while (!over && (!rounds || played < *rounds)) {
          const auto record = play.PlayRound();
          std::cout << varnok::selfplay::ToJson(record) << "\n";
          over = record.game_over;
          ++played;
        }
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "varnok-sim: " << e.what() << "\n";
    return 1;
  }

  if (summary) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(stderr, "%ld rounds in %.3f s: %.0f rounds per second\n", played, seconds,
                 seconds > 0 ? static_cast<double>(played) / seconds : 0.0);
  }
  return 0;
}
