#include "match.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "self_play.h"

namespace varnok::selfplay {

namespace {

constexpr int kRoundCap = 500;  // a game that never ends is cut here

struct Outcome {
  int declarer = 0;
  bool made = false;
};

struct Stats {
  double sum = 0;
  double sum_sq = 0;
  int n = 0;
  void Add(double v) {
    sum += v;
    sum_sq += v * v;
    ++n;
  }
  double Mean() const { return n ? sum / n : 0; }
  double HalfWidth() const {
    if (n < 2) return 0;
    const double mean = Mean();
    const double var = (sum_sq - n * mean * mean) / (n - 1);
    return 1.96 * std::sqrt(std::max(0.0, var) / n);
  }
};

}  // namespace

bool ParseLevel(const std::string& name, ai::ComputerLevel& level) {
  if (name == "classic") level = ai::ComputerLevel::Classic;
  else if (name == "strong") level = ai::ComputerLevel::Strong;
  else return false;
  return true;
}

std::string LevelName(ai::ComputerLevel level) { return level == ai::ComputerLevel::Strong ? "strong" : "classic"; }

MatchSummary PlayMatch(const MatchOptions& o, const MatchProgress& progress) {
  MatchSummary summary;
  summary.games = o.games;
  std::map<ai::ComputerLevel, Stats> per_game;  // each game's average for the level
  std::map<ai::ComputerLevel, LevelSummary> totals;
  Stats difference;
  for (ai::ComputerLevel level : o.levels) totals[level].name = LevelName(level);

  for (int g = 0; g < o.games; ++g) {
    std::array<std::vector<Outcome>, 3> outcomes;
    std::array<std::array<ai::ComputerLevel, 4>, 3> seating{};
    std::map<ai::ComputerLevel, Stats> game_stats;
    for (int k = 0; k < 3; ++k) {
      SelfPlay play;
      play.SetKeepAfter100(o.keep_after_100);
      play.SetStrongOptions(o.strong);
      for (int seat = 1; seat <= 3; ++seat) {
        const ai::ComputerLevel level = o.levels[static_cast<std::size_t>((seat - 1 + k) % 3)];
        seating[static_cast<std::size_t>(k)][static_cast<std::size_t>(seat)] = level;
        play.SetLevel(seat, level);
      }
      play.SetSeed(o.seed + static_cast<std::uint64_t>(g));
      play.NewGame();
      RoundRecord last;
      for (int r = 0; r < kRoundCap; ++r) {
        last = play.PlayRound();
        const int d = last.declarer;
        const bool made = d >= 1 && last.round_points[static_cast<std::size_t>(d - 1)] >= last.order;
        outcomes[static_cast<std::size_t>(k)].push_back(Outcome{d, made});
        LevelSummary& t = totals[seating[static_cast<std::size_t>(k)][static_cast<std::size_t>(d)]];
        ++t.declared;
        if (made) ++t.made;
        ++summary.rounds;
        if (k == 0) ++summary.deals;
        if (last.game_over) break;
      }
      const PerSeat<int> counts =
          GeneralCount(PerSeat<int>{0, last.scores[0], last.scores[1], last.scores[2]});
      for (int seat = 1; seat <= 3; ++seat) {
        const ai::ComputerLevel level = seating[static_cast<std::size_t>(k)][static_cast<std::size_t>(seat)];
        game_stats[level].Add(counts[static_cast<std::size_t>(seat)]);
        ++totals[level].seat_games;
      }
    }
    for (const auto& [level, stats] : game_stats) per_game[level].Add(stats.Mean());
    if (game_stats.count(ai::ComputerLevel::Strong) && game_stats.count(ai::ComputerLevel::Classic))
      difference.Add(game_stats[ai::ComputerLevel::Strong].Mean() - game_stats[ai::ComputerLevel::Classic].Mean());

    // The same hand declared by each level: a round all seatings reached,
    // the same seat, declarer once under Strong and once under Classic.
    std::size_t common = outcomes[0].size();
    for (const auto& o2 : outcomes) common = std::min(common, o2.size());
    for (std::size_t r = 0; r < common; ++r) {
      for (int seat = 1; seat <= 3; ++seat) {
        int strong_k = -1;
        for (int k = 0; k < 3; ++k)
          if (outcomes[static_cast<std::size_t>(k)][r].declarer == seat &&
              seating[static_cast<std::size_t>(k)][static_cast<std::size_t>(seat)] == ai::ComputerLevel::Strong)
            strong_k = k;
        if (strong_k < 0) continue;
        for (int k = 0; k < 3; ++k) {
          if (outcomes[static_cast<std::size_t>(k)][r].declarer != seat ||
              seating[static_cast<std::size_t>(k)][static_cast<std::size_t>(seat)] != ai::ComputerLevel::Classic)
            continue;
          ++summary.same_hand_declared;
          if (outcomes[static_cast<std::size_t>(strong_k)][r].made) ++summary.same_hand_made_strong;
          if (outcomes[static_cast<std::size_t>(k)][r].made) ++summary.same_hand_made_classic;
        }
      }
    }
    if (progress) progress(g + 1, o.games);
  }

  for (auto& [level, t] : totals) {
    t.mean = per_game[level].Mean();
    t.half_width = per_game[level].HalfWidth();
    summary.levels.push_back(t);
  }
  summary.difference = difference.Mean();
  summary.difference_half_width = difference.HalfWidth();
  return summary;
}

std::string FormatSummary(const MatchSummary& s) {
  std::string out;
  char line[256];
  std::snprintf(line, sizeof line, "duplicate match: %d games, each played in 3 seatings; %ld deals, %ld rounds played\n",
                s.games, s.deals, s.rounds);
  out += line;
  out += "| level | seat-games | result per game | 95% interval | contracts made |\n";
  out += "|---|---|---|---|---|\n";
  for (const LevelSummary& l : s.levels) {
    std::snprintf(line, sizeof line, "| %s | %d | %+.1f | %+.1f .. %+.1f | %d of %d (%.1f %%) |\n", l.name.c_str(),
                  l.seat_games, l.mean, l.mean - l.half_width, l.mean + l.half_width, l.made, l.declared,
                  l.declared ? 100.0 * l.made / l.declared : 0.0);
    out += line;
  }
  if (s.levels.size() > 1) {
    std::snprintf(line, sizeof line, "strong minus classic per game: %+.1f (95%% interval %+.1f .. %+.1f)\n",
                  s.difference, s.difference - s.difference_half_width, s.difference + s.difference_half_width);
    out += line;
    std::snprintf(line, sizeof line,
                  "same hand declared by both levels: %d times; made by strong %d (%.1f %%), by classic %d (%.1f %%)\n",
                  s.same_hand_declared, s.same_hand_made_strong,
                  s.same_hand_declared ? 100.0 * s.same_hand_made_strong / s.same_hand_declared : 0.0,
                  s.same_hand_made_classic,
                  s.same_hand_declared ? 100.0 * s.same_hand_made_classic / s.same_hand_declared : 0.0);
    out += line;
  }
  return out;
}

}  // namespace varnok::selfplay
