// The newcomer's files beside the program, each written whole through a
// temporary file so that a broken write leaves the previous one:
//   "VarnokGuide.ini"  the options of the newcomer's aids (going on without
//                      "Ok", keeping an unfinished game, keeping game records);
//   "VarnokKept.txt"   an unfinished game against the computer, kept to be
//                      continued at the next start.
// Both are "Key=value" lines; unknown keys are skipped, so later versions can
// add lines without breaking older copies.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varnok {

inline constexpr char kGuideOptionsFile[] = "VarnokGuide.ini";
inline constexpr char kKeptGameFile[] = "VarnokKept.txt";

struct GuideOptions {
  bool AutoContinue = false;  // the "Ok" steps of a local round go on by themselves
  bool KeepGame = false;      // leaving a game against the computer keeps it
  bool KeepRecords = true;    // every game played here leaves its record beside the history
  friend bool operator==(const GuideOptions&, const GuideOptions&) = default;
};

// The options from `folder`; the defaults for a missing file, and for any
// line that is not understood (each such line is logged).
GuideOptions LoadGuideOptions(const std::filesystem::path& folder);
bool SaveGuideOptions(const std::filesystem::path& folder, const GuideOptions& options);
std::string FormatGuideOptions(const GuideOptions& options);
GuideOptions ParseGuideOptions(const std::string& text);

// One finished round as the score sheet shows it. Seats are 1..3 (index 0 unused).
struct SheetRound {
  int Round = 0;
  int Declarer = 0;
  int Bid = 0;
  int Order = 0;
  bool Made = false;
  std::array<int, 4> Points{};     // the round's points (cards and marriages)
  std::array<int, 4> Marriages{};  // the marriage points among them
  std::array<int, 4> Scores{};     // the score after the round
  friend bool operator==(const SheetRound&, const SheetRound&) = default;
};

// An unfinished game against the computer: who played it, the round to play
// again from its deal (its deck, when it was dealt) and what came before.
struct KeptGame {
  int Slot = 6;                 // club slot 1..5, 6 a guest
  std::string Name;             // the player's name, UTF-8
  int KonNo = 1;                // the player's game number
  int ProfileScore = 0;
  int Round = 1;                // the round to play
  std::array<int, 4> Scores{0, 501, 501, 501};  // the scores before that round
  std::optional<std::array<int, 24>> Deck;      // card ordinals 1..24, each once
  std::vector<SheetRound> Sheet;                // the rounds played before
  friend bool operator==(const KeptGame&, const KeptGame&) = default;
};

std::string FormatKeptGame(const KeptGame& game);
// Nothing, with a reason, for a text that is not a sound kept game.
std::optional<KeptGame> ParseKeptGame(const std::string& text, std::string* problem = nullptr);

enum class KeptRead { None, Read, Unreadable };
struct KeptLoad {
  KeptRead Result = KeptRead::None;
  KeptGame Game;
  std::string Problem;
};
// Reads the kept game; an unreadable file is moved aside to
// "VarnokKept.txt.bad" (never deleted), so it is offered only once.
KeptLoad LoadKeptGame(const std::filesystem::path& folder);
bool SaveKeptGame(const std::filesystem::path& folder, const KeptGame& game);
// Removes the kept game (it was continued or declined); true when none is left.
bool ForgetKeptGame(const std::filesystem::path& folder);

}  // namespace varnok
