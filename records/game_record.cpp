#include "game_record.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <set>

#include "text_file.h"

namespace varnok {

namespace {

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001b3ULL;
  }
  return h;
}

std::string Hex16(std::uint64_t v) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
  return buf;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ') ++j;
    if (j > i) words.push_back(line.substr(i, j - i));
    i = j;
  }
  return words;
}

std::optional<int> Number(std::string_view word, int lo, int hi) {
  int v = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
  if (ec != std::errc() || end != word.data() + word.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

// A score may run far below zero in a long game, never beyond these.
constexpr int kScoreLimit = 1000000;

std::optional<std::array<int, 3>> Scores(const std::vector<std::string_view>& w) {
  if (w.size() != 4) return std::nullopt;
  std::array<int, 3> s{};
  for (std::size_t i = 0; i < 3; ++i) {
    auto v = Number(w[i + 1], -kScoreLimit, kScoreLimit);
    if (!v) return std::nullopt;
    s[i] = *v;
  }
  return s;
}

// The numbers of a step stay inside what the game can hold; the engine
// decides whether the step fits the state.
bool SaneMove(const Move& m) {
  switch (m.kind) {
    case Move::Kind::Bid:
    case Move::Kind::Pass: return m.seat >= 1 && m.seat <= 3;
    case Move::Kind::Card: return m.seat >= 1 && m.seat <= 3 && m.a >= 1 && m.a <= kHandRange;
    case Move::Kind::Pick:
    case Move::Kind::Unpick: return m.a >= 1 && m.a <= kHandRange;
    case Move::Kind::Give: return m.a >= 1 && m.a <= kHandRange && m.b >= 1 && m.b <= kHandRange;
    case Move::Kind::Order: return m.a >= 0 && m.a <= 1000;
    default: return true;
  }
}

bool ValidName(std::string_view name) {
  if (name.empty() || name.size() > kGameRecordMaxName) return false;
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
  return true;
}

std::string Join(const std::array<int, 3>& s) {
  return std::to_string(s[0]) + " " + std::to_string(s[1]) + " " + std::to_string(s[2]);
}

RecordRead Refuse(RecordProblem problem, std::string detail) {
  RecordRead r;
  r.Problem = problem;
  r.Detail = std::move(detail);
  return r;
}

}  // namespace

std::string FormatGameRecord(const GameRecord& r) {
  std::string out;
  out += std::string(kGameRecordHead) + "\n";
  out += "version " + std::to_string(kGameRecordVersion) + "\n";
  out += "date " + r.Date + "\n";
  for (int s = 0; s < 3; ++s) out += "name " + std::to_string(s + 1) + " " + r.Names[static_cast<std::size_t>(s)] + "\n";
  if (r.NetPos == 0) out += "table local\n";
  else out += "table lan " + std::to_string(r.NetPos) + " " + std::to_string(r.People) + "\n";
  out += std::string("rules keep100 ") + (r.KeepAfter100 ? "1" : "0") + "\n";
  out += "profile " + std::to_string(r.KonNo) + " " + std::to_string(r.ProfileScore) + "\n";
  out += "start " + std::to_string(r.StartRound) + " " + Join(r.StartScores) + "\n";
  for (const RecordedRound& round : r.Rounds) {
    out += "round " + std::to_string(round.Number) + "\n";
    out += "deal";
    for (const int ordinal : round.Deal) out += " " + CardName(CardOfIndex(ordinal));
    out += "\n";
    for (const Move& m : round.Moves) out += "move " + ToText(m) + "\n";
    if (round.Scores) out += "scores " + Join(*round.Scores) + "\n";
  }
  out += "end " + Join(r.Scores) + "\n";
  out += RecordCheckLine(out);
  return out;
}

std::string RecordCheckLine(std::string_view body) { return "check " + Hex16(Fnv1a(body)) + "\n"; }

RecordRead ParseGameRecord(std::string_view text) {
  if (text.size() > kGameRecordMaxBytes) return Refuse(RecordProblem::TooLarge, "larger than 4 MB");
  // Lines end at LF; a CR before it is dropped (the check then tells whether the text was changed).
  std::vector<std::pair<std::size_t, std::string_view>> lines;  // start offset, text
  for (std::size_t i = 0; i < text.size();) {
    std::size_t j = text.find('\n', i);
    if (j == std::string_view::npos) j = text.size();
    std::string_view line = text.substr(i, j - i);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(i, line);
    i = j + 1;
  }
  if (lines.empty() || lines[0].second != kGameRecordHead) return Refuse(RecordProblem::NotARecord, "no head line");
  if (lines.size() < 2) return Refuse(RecordProblem::Damaged, "no version line");
  {
    const auto w = Words(lines[1].second);
    if (w.size() != 2 || w[0] != "version") return Refuse(RecordProblem::Damaged, "no version line");
    const auto v = Number(w[1], 0, 1000000);
    if (!v) return Refuse(RecordProblem::Damaged, "version");
    if (*v != kGameRecordVersion) return Refuse(RecordProblem::OtherVersion, "version " + std::string(w[1]));
  }
  // The check line: the last line that is not empty.
  std::size_t last = lines.size();
  while (last > 0 && lines[last - 1].second.empty()) --last;
  if (last < 3) return Refuse(RecordProblem::Damaged, "no check line");
  {
    const auto w = Words(lines[last - 1].second);
    if (w.size() != 2 || w[0] != "check") return Refuse(RecordProblem::Damaged, "no check line");
    if (w[1] != Hex16(Fnv1a(text.substr(0, lines[last - 1].first)))) return Refuse(RecordProblem::Damaged, "check");
  }

  GameRecord r;
  std::set<int> names_seen;
  bool table = false, rules = false, start = false, end = false, date = false, profile = false;
  for (std::size_t n = 2; n + 1 < last; ++n) {
    const std::string_view line = lines[n].second;
    const auto w = Words(line);
    const std::string where = "line " + std::to_string(n + 1);
    if (w.empty() || end) return Refuse(RecordProblem::Damaged, where);
    const std::string_view key = w[0];
    if (key == "date" && !date && r.Rounds.empty()) {
      date = true;
      r.Date = std::string(line.substr(5 > line.size() ? line.size() : 5));
      if (r.Date.size() > 40 || (!r.Date.empty() && !ValidName(r.Date))) return Refuse(RecordProblem::Damaged, where);
    } else if (key == "name" && w.size() >= 3 && r.Rounds.empty()) {
      const auto seat = Number(w[1], 1, 3);
      if (!seat || !names_seen.insert(*seat).second) return Refuse(RecordProblem::Damaged, where);
      const std::string_view name = line.substr(static_cast<std::size_t>(w[2].data() - line.data()));
      if (!ValidName(name)) return Refuse(RecordProblem::Damaged, where);
      r.Names[static_cast<std::size_t>(*seat - 1)] = std::string(name);
    } else if (key == "table" && !table && r.Rounds.empty()) {
      table = true;
      if (w.size() == 2 && w[1] == "local") {
        r.NetPos = 0;
      } else if (w.size() == 4 && w[1] == "lan") {
        const auto pos = Number(w[2], 1, 3);
        const auto people = Number(w[3], 2, 3);
        if (!pos || !people) return Refuse(RecordProblem::Damaged, where);
        r.NetPos = *pos;
        r.People = *people;
      } else {
        return Refuse(RecordProblem::Damaged, where);
      }
    } else if (key == "rules" && !rules && w.size() == 3 && w[1] == "keep100" && r.Rounds.empty()) {
      rules = true;
      const auto v = Number(w[2], 0, 1);
      if (!v) return Refuse(RecordProblem::Damaged, where);
      r.KeepAfter100 = *v == 1;
    } else if (key == "profile" && !profile && w.size() == 3 && r.Rounds.empty()) {
      profile = true;
      const auto kon = Number(w[1], 0, kScoreLimit);
      const auto score = Number(w[2], -kScoreLimit, kScoreLimit);
      if (!kon || !score) return Refuse(RecordProblem::Damaged, where);
      r.KonNo = *kon;
      r.ProfileScore = *score;
    } else if (key == "start" && !start && w.size() == 5 && r.Rounds.empty()) {
      start = true;
      const auto round = Number(w[1], 1, 255);
      const auto s = Scores({w[0], w[2], w[3], w[4]});
      if (!round || !s) return Refuse(RecordProblem::Damaged, where);
      r.StartRound = *round;
      r.StartScores = *s;
    } else if (key == "round" && w.size() == 2 && start && table) {
      if (static_cast<int>(r.Rounds.size()) >= kGameRecordMaxRounds) return Refuse(RecordProblem::Damaged, where);
      const auto number = Number(w[1], 1, 1000000);
      const int expected = r.Rounds.empty() ? r.StartRound : r.Rounds.back().Number + 1;
      if (!number || *number != expected) return Refuse(RecordProblem::Damaged, where);
      // A round's deal follows at once.
      if (n + 2 >= last) return Refuse(RecordProblem::Damaged, where);
      const auto d = Words(lines[n + 1].second);
      if (d.size() != 25 || d[0] != "deal") return Refuse(RecordProblem::Damaged, "line " + std::to_string(n + 2));
      RecordedRound round;
      round.Number = *number;
      std::set<int> seen;
      for (std::size_t i = 0; i < 24; ++i) {
        const TCard card = CardFromName(d[i + 1]);
        const int ordinal = card.IsReal() ? CardIndex(card) : 0;
        if (ordinal < 1 || ordinal > 24 || !seen.insert(ordinal).second)
          return Refuse(RecordProblem::Damaged, "line " + std::to_string(n + 2));
        round.Deal[i] = ordinal;
      }
      r.Rounds.push_back(std::move(round));
      ++n;
    } else if (key == "move" && !r.Rounds.empty() && !r.Rounds.back().Scores) {
      RecordedRound& round = r.Rounds.back();
      const auto m = ParseMove(line.substr(4));
      if (!m || !SaneMove(*m) || static_cast<int>(round.Moves.size()) >= kGameRecordMaxMoves)
        return Refuse(RecordProblem::Damaged, where);
      const bool deal_step = m->kind == Move::Kind::NewGame || m->kind == Move::Kind::NextRound;
      // A round begins with its deal step, and only there.
      if (deal_step != round.Moves.empty()) return Refuse(RecordProblem::Damaged, where);
      if (m->kind == Move::Kind::NewGame && r.Rounds.size() != 1) return Refuse(RecordProblem::Damaged, where);
      round.Moves.push_back(*m);
    } else if (key == "scores" && !r.Rounds.empty() && !r.Rounds.back().Scores) {
      const auto s = Scores(w);
      if (!s) return Refuse(RecordProblem::Damaged, where);
      r.Rounds.back().Scores = s;
    } else if (key == "end") {
      const auto s = Scores(w);
      if (!s) return Refuse(RecordProblem::Damaged, where);
      r.Scores = *s;
      end = true;
    } else {
      return Refuse(RecordProblem::Damaged, where);
    }
  }
  if (!end || !table || !start || names_seen.size() != 3 || r.Rounds.empty())
    return Refuse(RecordProblem::Damaged, "incomplete");
  for (const RecordedRound& round : r.Rounds)
    if (round.Moves.empty()) return Refuse(RecordProblem::Damaged, "round " + std::to_string(round.Number));
  RecordRead ok;
  ok.Record = std::move(r);
  return ok;
}

bool SaveGameRecord(const std::filesystem::path& path, const GameRecord& record) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  return ReplaceFile(path, FormatGameRecord(record));
}

RecordRead LoadGameRecord(const std::filesystem::path& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > kGameRecordMaxBytes) return Refuse(RecordProblem::TooLarge, path.string());
  const auto bytes = ReadFileBytes(path, kGameRecordMaxBytes);
  if (!bytes) return Refuse(RecordProblem::Unreadable, path.string());
  return ParseGameRecord(*bytes);
}

std::filesystem::path GameRecordFolder(const std::filesystem::path& program_folder) {
  return program_folder / "History" / std::string(kGameRecordFolder);
}

std::filesystem::path GameRecordPathFor(const std::filesystem::path& program_folder, std::string_view history_body) {
  return GameRecordFolder(program_folder) / ("G" + Hex16(Fnv1a(history_body)) + ".txt");
}

DeckOrder DealAgainDeck(const RecordedRound& round) { return round.Deal; }

std::string RecordDateNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &local);
  return buf;
}

void GameRecorder::Observe(const Move& move, const GameState& s, const TableMode& mode, const EngineOptions& options,
                           const std::string& date) {
  const bool new_game = move.kind == Move::Kind::NewGame;
  const bool next_round = move.kind == Move::Kind::NextRound;
  if (new_game) {
    GameRecord r;
    r.Date = date;
    r.NetPos = mode.NetGame ? mode.NetPos : 0;
    r.People = mode.NetThreeHumans ? 3 : 2;
    r.KeepAfter100 = options.KeepAfter100;
    r.KonNo = s.KonNo;
    r.ProfileScore = s.ProfileScore;
    r.StartRound = s.RoundNo;
    r.StartScores = {s.Scores[1], s.Scores[2], s.Scores[3]};
    record_ = std::move(r);
  }
  // The tournament's games are not recorded; nor steps before a game began here.
  if (!record_ || mode.TourGame) return;
  GameRecord& r = *record_;
  if (new_game || next_round) {
    if (static_cast<int>(r.Rounds.size()) >= kGameRecordMaxRounds) return;
    RecordedRound round;
    round.Number = s.RoundNo;
    std::size_t i = 0;
    for (int seat = 1; seat <= 3; ++seat)
      for (int slot = 1; slot <= 7; ++slot) round.Deal[i++] = CardIndex(s.Hands[seat][slot]);
    for (int w = 1; w <= 3; ++w) round.Deal[i++] = CardIndex(s.Widow[static_cast<std::size_t>(w)]);
    r.Rounds.push_back(std::move(round));
    for (int seat = 1; seat <= 3; ++seat) {
      std::string name = s.Names[seat];
      while (!name.empty() && name.back() == ' ') name.pop_back();
      if (name.size() > kGameRecordMaxName) name.resize(kGameRecordMaxName);
      for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
      if (name.empty() || name.front() == ' ') name = "Seat " + std::to_string(seat);
      r.Names[static_cast<std::size_t>(seat - 1)] = name;
    }
  }
  if (r.Rounds.empty()) return;
  RecordedRound& round = r.Rounds.back();
  if (round.Scores || static_cast<int>(round.Moves.size()) >= kGameRecordMaxMoves) return;
  round.Moves.push_back(move);
  if (move.kind == Move::Kind::Score) round.Scores = std::array<int, 3>{s.Scores[1], s.Scores[2], s.Scores[3]};
  r.Scores = {s.Scores[1], s.Scores[2], s.Scores[3]};
}

}  // namespace varnok
