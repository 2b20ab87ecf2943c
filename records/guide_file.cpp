#include "guide_file.h"

#include <cstdio>
#include <set>
#include <sstream>
#include <system_error>

#include "text_file.h"

namespace varnok {

namespace {

constexpr std::size_t kMaxGuideBytes = 4096;
constexpr std::size_t kMaxKeptBytes = 64 * 1024;
constexpr std::size_t kMaxKeptLines = 400;
constexpr int kMaxRounds = 250;  // the round number is a byte
constexpr int kScoreLimit = 100000;

void Log(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

struct KeyValue {
  std::string key;
  std::string value;
};

std::optional<KeyValue> SplitKey(const std::string& line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos || eq == 0) return std::nullopt;
  return KeyValue{line.substr(0, eq), line.substr(eq + 1)};
}

// Comma-separated decimal numbers; nothing unless there are exactly `count`.
std::optional<std::vector<int>> Numbers(const std::string& text, std::size_t count) {
  std::vector<int> numbers;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::optional<int> value = ParseDecimal(part);
    if (!value) return std::nullopt;
    numbers.push_back(*value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

std::string Join(const int* values, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i != 0) text += ',';
    text += std::to_string(values[i]);
  }
  return text;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

// --- options ------------------------------------------------------------------

std::string FormatGuideOptions(const GuideOptions& options) {
  return JoinLines({std::string("AutoContinue=") + (options.AutoContinue ? "1" : "0"),
                    std::string("KeepGame=") + (options.KeepGame ? "1" : "0"),
                    std::string("KeepRecords=") + (options.KeepRecords ? "1" : "0")});
}

GuideOptions ParseGuideOptions(const std::string& text) {
  GuideOptions options;
  for (const std::string& line : SplitLines(text, 100)) {
    if (line.empty()) continue;
    const std::optional<KeyValue> kv = SplitKey(line);
    bool* target = nullptr;
    if (kv && kv->key == "AutoContinue") target = &options.AutoContinue;
    else if (kv && kv->key == "KeepGame") target = &options.KeepGame;
    else if (kv && kv->key == "KeepRecords") target = &options.KeepRecords;
    if (target == nullptr) {
      Log("VarnokGuide.ini: line skipped: " + line.substr(0, 60));
      continue;
    }
    if (kv->value == "0" || kv->value == "1") *target = kv->value == "1";
    else Log("VarnokGuide.ini: " + kv->key + " is not 0 or 1; the default stays");
  }
  return options;
}

GuideOptions LoadGuideOptions(const std::filesystem::path& folder) {
  const std::optional<std::string> bytes = ReadFileBytes(folder / kGuideOptionsFile, kMaxGuideBytes);
  return bytes ? ParseGuideOptions(*bytes) : GuideOptions{};
}

bool SaveGuideOptions(const std::filesystem::path& folder, const GuideOptions& options) {
  return ReplaceFile(folder / kGuideOptionsFile, FormatGuideOptions(options));
}

// --- the kept game ----------------------------------------------------------------

std::string FormatKeptGame(const KeptGame& game) {
  std::vector<std::string> lines;
  lines.push_back("VarnokKept=1");
  lines.push_back("Slot=" + std::to_string(game.Slot));
  lines.push_back("Name=" + game.Name);
  lines.push_back("KonNo=" + std::to_string(game.KonNo));
  lines.push_back("ProfileScore=" + std::to_string(game.ProfileScore));
  lines.push_back("Round=" + std::to_string(game.Round));
  lines.push_back("Scores=" + Join(game.Scores.data() + 1, 3));
  if (game.Deck) lines.push_back("Deck=" + Join(game.Deck->data(), 24));
  for (const SheetRound& r : game.Sheet) {
    const int head[] = {r.Round, r.Declarer, r.Bid, r.Order, r.Made ? 1 : 0};
    std::string line = "Sheet=" + Join(head, 5);
    for (int seat = 1; seat <= 3; ++seat) {
      const int cells[] = {r.Points[seat], r.Marriages[seat], r.Scores[seat]};
      line += ',' + Join(cells, 3);
    }
    lines.push_back(line);
  }
  lines.push_back("End=1");
  return JoinLines(lines);
}

std::optional<KeptGame> ParseKeptGame(const std::string& text, std::string* problem) {
  const auto fail = [problem](const std::string& why) -> std::optional<KeptGame> {
    if (problem != nullptr) *problem = why;
    return std::nullopt;
  };
  const std::vector<std::string> lines = SplitLines(text, kMaxKeptLines + 1);
  if (lines.size() > kMaxKeptLines) return fail("too many lines");
  if (lines.empty() || lines.front() != "VarnokKept=1") return fail("not a kept game of this version");
  if (lines.back() != "End=1") return fail("the file is cut off");
  KeptGame game;
  std::set<std::string> seen;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    const std::optional<KeyValue> kv = SplitKey(lines[i]);
    if (!kv) return fail("line " + std::to_string(i + 1) + " is no key and value");
    const std::string& key = kv->key;
    if (key != "Sheet" && !seen.insert(key).second) return fail(key + " comes twice");
    if (key == "Name") {
      if (kv->value.empty() || kv->value.size() > 80) return fail("bad name");
      game.Name = kv->value;
      continue;
    }
    if (key == "Slot" || key == "KonNo" || key == "ProfileScore" || key == "Round") {
      const std::optional<int> value = ParseDecimal(kv->value);
      if (!value) return fail(key + " is no number");
      if (key == "Slot") {
        if (!InRange(*value, 1, 6)) return fail("bad slot");
        game.Slot = *value;
      } else if (key == "KonNo") {
        if (!InRange(*value, 1, 1000000)) return fail("bad game number");
        game.KonNo = *value;
      } else if (key == "ProfileScore") {
        if (!InRange(*value, -10 * kScoreLimit, 10 * kScoreLimit)) return fail("bad profile score");
        game.ProfileScore = *value;
      } else {
        if (!InRange(*value, 1, kMaxRounds)) return fail("bad round");
        game.Round = *value;
      }
      continue;
    }
    if (key == "Scores") {
      const auto values = Numbers(kv->value, 3);
      if (!values) return fail("bad scores");
      for (int seat = 1; seat <= 3; ++seat) {
        const int v = (*values)[static_cast<std::size_t>(seat - 1)];
        // An unfinished game has every score above 0.
        if (!InRange(v, 1, kScoreLimit)) return fail("bad scores");
        game.Scores[static_cast<std::size_t>(seat)] = v;
      }
      continue;
    }
    if (key == "Deck") {
      const auto values = Numbers(kv->value, 24);
      if (!values) return fail("bad deck");
      std::array<int, 24> deck{};
      std::set<int> cards;
      for (std::size_t j = 0; j < 24; ++j) {
        deck[j] = (*values)[j];
        if (!InRange(deck[j], 1, 24) || !cards.insert(deck[j]).second) return fail("bad deck");
      }
      game.Deck = deck;
      continue;
    }
    if (key == "Sheet") {
      const auto v = Numbers(kv->value, 14);
      if (!v) return fail("bad score sheet line");
      SheetRound r;
      r.Round = (*v)[0];
      r.Declarer = (*v)[1];
      r.Bid = (*v)[2];
      r.Order = (*v)[3];
      if (!InRange(r.Round, 1, kMaxRounds) || !InRange(r.Declarer, 1, 3) || !InRange(r.Bid, 0, 1000) ||
          !InRange(r.Order, 0, 1000) || !InRange((*v)[4], 0, 1))
        return fail("bad score sheet line");
      r.Made = (*v)[4] == 1;
      for (int seat = 1; seat <= 3; ++seat) {
        const std::size_t at = 5 + 3 * static_cast<std::size_t>(seat - 1);
        r.Points[static_cast<std::size_t>(seat)] = (*v)[at];
        r.Marriages[static_cast<std::size_t>(seat)] = (*v)[at + 1];
        r.Scores[static_cast<std::size_t>(seat)] = (*v)[at + 2];
        if (!InRange((*v)[at], 0, 1000) || !InRange((*v)[at + 1], 0, 1000) ||
            !InRange((*v)[at + 2], -kScoreLimit, kScoreLimit))
          return fail("bad score sheet line");
      }
      if (game.Sheet.size() >= static_cast<std::size_t>(kMaxRounds)) return fail("too many rounds");
      game.Sheet.push_back(r);
      continue;
    }
    // Lines of later versions are passed over.
  }
  for (const char* needed : {"Slot", "Name", "KonNo", "ProfileScore", "Round", "Scores"}) {
    if (seen.count(needed) == 0) return fail(std::string(needed) + " is missing");
  }
  return game;
}

KeptLoad LoadKeptGame(const std::filesystem::path& folder) {
  KeptLoad load;
  const std::filesystem::path path = folder / kKeptGameFile;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return load;
  const std::optional<std::string> bytes = ReadFileBytes(path, kMaxKeptBytes);
  std::optional<KeptGame> game;
  if (bytes) game = ParseKeptGame(*bytes, &load.Problem);
  else load.Problem = "cannot be read or is too large";
  if (game) {
    load.Result = KeptRead::Read;
    load.Game = *game;
    return load;
  }
  Log(std::string(kKeptGameFile) + ": " + load.Problem + "; the file is set aside");
  load.Result = KeptRead::Unreadable;
  std::filesystem::path aside = path;
  aside += ".bad";
  std::filesystem::rename(path, aside, error);
  if (error) Log(std::string(kKeptGameFile) + " could not be set aside: " + error.message());
  return load;
}

bool SaveKeptGame(const std::filesystem::path& folder, const KeptGame& game) {
  return ReplaceFile(folder / kKeptGameFile, FormatKeptGame(game));
}

bool ForgetKeptGame(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::remove(folder / kKeptGameFile, error);
  return !std::filesystem::exists(folder / kKeptGameFile, error);
}

}  // namespace varnok
