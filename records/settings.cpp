#include "settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "address_cipher.h"
#include "cp1251.h"

namespace varnok {

namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;  // far beyond any real settings file
constexpr std::size_t kFlagCount = 20;
constexpr std::size_t kNickLength = 12;
constexpr std::size_t kCityLength = 15;
constexpr char kSaveGamesOn = '\xE8';   // Cyrillic small I
constexpr char kSaveGamesOff = '\xEB';  // Cyrillic small El
constexpr int kWorldTopTenLine = 25;    // the group's header; its values follow the player name

// The highest country number of each continent "1" to "6".
constexpr int kCountriesOf[] = {48, 51, 35, 14, 23, 54};

// Language of a flag character: "0" to "9", then "a" to "k" for 10 to 20.
int LanguageOfFlag(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'k') return 10 + (c - 'a');
  return -1;
}

char FlagOfLanguage(int language) {
  if (language >= 0 && language <= 9) return static_cast<char>('0' + language);
  if (language >= 10 && language <= 20) return static_cast<char>('a' + (language - 10));
  return '#';
}

// A digit for a value in [low, high] (within 0..9); "#", which reads back as
// the default, for any other value.
char Digit(int value, int low, int high) {
  return value >= low && value <= high ? static_cast<char>('0' + value) : '#';
}

char OneOrZero(bool on) { return on ? '1' : '0'; }

// Two zero-padded digits; the fallback's for a value that has no two digits.
std::string TwoDigits(int value, int fallback) {
  if (value < 0 || value > 99) value = fallback;
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// A text of the file: code page 1251, with no line end inside.
std::string FileText(std::string_view text) {
  std::string bytes = Utf8ToCp1251Lossy(text);
  for (char& c : bytes)
    if (c == '\r' || c == '\n') c = ' ';
  return bytes;
}

// Sets `value` to the number in `text` when it is one and lies in [low, high].
void TakeNumber(std::string_view text, int low, int high, int& value) {
  const std::optional<int> number = ParseDecimal(text);
  if (number && *number >= low && *number <= high) value = *number;
}

bool IsCountry(std::string_view code) {
  if (code.size() != 5 || code[0] < '1' || code[0] > '6' || code[1] != '-') return false;
  for (char c : code.substr(2))
    if (c < '0' || c > '9') return false;
  const int number = *ParseDecimal(code.substr(2));
  return number <= kCountriesOf[code[0] - '1'];
}

class Reader {
 public:
  Reader(const std::vector<std::string>& lines, Settings& s) : lines_(lines), s_(s) {}

  // Reads every line; the line that ended the reading, or 0 when none did.
  int Run() {
    ReadFlags(Line(2));
    TakeNumber(Line(4), 0, 47, s_.CardDesign);
    if (Line(6).size() <= 2) return 6;
    TakeNumber(Line(6).substr(0, 2), 0, 12, s_.BackDesign);
    s_.Backs = Line(6)[2] == '1' ? BackChoice::AlwaysOne : BackChoice::ChangeDecks;
    s_.KeepAfter100 = CharAt(Line(8), 1) == '1';
    s_.ShowCardsAtEnd = CharAt(Line(8), 2) == '1';

    // A font line too short to name a font (the program writes an empty name
    // when it has none) keeps that font's default; the lines after it are read.
    for (int k = 0; k < 4; ++k) {
      if (Line(10 + k).size() >= 2) s_.Fonts[static_cast<std::size_t>(k)].Name = Cp1251ToUtf8(Line(10 + k));
    }
    for (int k = 0; k < 4; ++k) TakeNumber(Line(14 + k), 50, 150, s_.Fonts[static_cast<std::size_t>(k)].Scale);
    if (Line(18).empty()) return 18;
    s_.ServerAddress = Cp1251ToUtf8(Line(19));
    if (Line(20).empty()) return 20;
    s_.ServerPort = Cp1251ToUtf8(Line(20));
    if (Line(21).empty()) return 21;
    if (Line(22).empty()) return 22;
    TakeNumber(Line(22).substr(0, 2), 1, 10, s_.BackgroundPicture);
    if (Line(22).size() >= 3) TakeNumber(Line(22).substr(2, 1), 0, 6, s_.BackgroundColour);
    if (Line(23).empty()) return 23;
    // An empty name is a name like any other (the program writes it itself).
    s_.PlayerName = Cp1251ToUtf8(Line(24));

    SetBuiltInWorldTopTen(s_);
    // No address of its own: the built-in one stays, and the lines after it are read.
    if (!Line(26).empty()) s_.ResultsService = Cp1251ToUtf8(Line(26));
    if (Line(27).empty()) return 27;
    s_.Nick = Cp1251ToUtf8(Line(27).substr(0, kNickLength));
    if (Line(28).size() != 5) return 28;
    if (IsCountry(Line(28))) s_.Country = Line(28);
    if (Line(29).empty()) return 29;
    s_.City = Cp1251ToUtf8(Line(29).substr(0, kCityLength));
    if (Line(30).empty()) return 30;
    s_.Sex = Line(30)[0] == 'W' ? "W" : "M";
    s_.StatsService = Cp1251ToUtf8(Line(31));

    s_.SaveGames = Line(33) == std::string_view(&kSaveGamesOn, 1);
    TakeNumber(Line(34), 1, 2, s_.GifCapture);
    TakeNumber(Line(35), 10, 5000, s_.GifDelay);
    return 0;
  }

 private:
  std::string_view Line(int number) const { return lines_[static_cast<std::size_t>(number - 1)]; }

  // Character `n` (1-based) of a line, or NUL past its end.
  static char CharAt(std::string_view line, std::size_t n) { return n <= line.size() ? line[n - 1] : '\0'; }

  // Each character is taken only when the line reaches it.
  void ReadFlags(std::string_view flags) {
    for (std::size_t n = 1; n <= kFlagCount && n <= flags.size(); ++n) ReadFlag(n, flags[n - 1]);
  }

  void ReadFlag(std::size_t n, char c) {
    switch (n) {
      case 1: {
        const int language = LanguageOfFlag(c);
        if (language > 0 && language < kLanguageCount) s_.LanguageIndex = language;
        break;
      }
      case 2:
        if (c >= '0' && c <= '3') {
          s_.Sound = c == '1' || c == '2';
          s_.Music = c == '1' || c == '3';
        }
        break;
      case 3: s_.GifAnimation = c != '0'; break;
      case 4: s_.FlyingCards = c != '0'; break;
      case 5: s_.ClubListView = c == '2' ? 2 : 1; break;
      case 6: s_.NetworkMode = c == '1'; break;
      case 7: s_.RedCursor = c != '0'; break;
      case 8: TakeNumber(std::string_view(&c, 1), 1, 6, s_.CardSpeed); break;
      case 9: TakeNumber(std::string_view(&c, 1), 1, 5, s_.WindowMode); break;
      case 10: s_.UniqueStartCounted = c == 'R'; break;
      case 11: s_.LikeSent = c == 'L'; break;
      case 12: s_.RadioListFromServer = c == '0'; break;
      case 13: TakeNumber(std::string_view(&c, 1), 1, 7, s_.TitleColour); break;
      case 14: s_.NewButtons = c == '1'; break;
      case 15: s_.PurpleWindows = c == '1'; break;
      case 16: TakeNumber(std::string_view(&c, 1), 1, 3, s_.AuxWindowDesign); break;
      case 17: TakeNumber(std::string_view(&c, 1), 0, 1, s_.MenuDesign); break;
      case 18: TakeNumber(std::string_view(&c, 1), 0, 1, s_.TableDesign); break;
      case 19: if (c == '0' || c == '1') s_.SaluteButtons = c == '1'; break;
      case 20: if (c == '0' || c == '1') s_.SaluteCards = c == '1'; break;
      default: break;
    }
  }

  const std::vector<std::string>& lines_;
  Settings& s_;
};

std::string FlagLine(const Settings& s) {
  std::string f(kFlagCount, '#');
  f[0] = s.LanguageIndex < kLanguageCount ? FlagOfLanguage(s.LanguageIndex) : '#';
  f[1] = s.Sound ? (s.Music ? '1' : '2') : (s.Music ? '3' : '0');
  f[2] = OneOrZero(s.GifAnimation);
  f[3] = OneOrZero(s.FlyingCards);
  f[4] = s.ClubListView == 2 ? '2' : '1';
  f[5] = OneOrZero(s.NetworkMode);
  f[6] = OneOrZero(s.RedCursor);
  f[7] = Digit(s.CardSpeed, 1, 6);
  f[8] = Digit(s.WindowMode, 1, 5);
  if (s.UniqueStartCounted) f[9] = 'R';
  if (s.LikeSent) f[10] = 'L';
  f[11] = s.RadioListFromServer ? '0' : '1';
  f[12] = Digit(s.TitleColour, 1, 7);
  f[13] = OneOrZero(s.NewButtons);
  f[14] = OneOrZero(s.PurpleWindows);
  f[15] = Digit(s.AuxWindowDesign, 1, 3);
  f[16] = Digit(s.MenuDesign, 0, 1);
  f[17] = Digit(s.TableDesign, 0, 1);
  f[18] = OneOrZero(s.SaluteButtons);
  f[19] = OneOrZero(s.SaluteCards);
  return f;
}

}  // namespace

void SetBuiltInWorldTopTen(Settings& settings) {
  settings.ResultsService = BuiltInResultsService();
  settings.Nick = "Incognito";
  settings.Country = "1-001";
  settings.City = "Moscow";
  settings.Sex = "M";
  settings.StatsService = BuiltInStatsService();
}

EngineOptions EngineOptionsOf(const Settings& settings) {
  EngineOptions options;
  options.AnimateCards = settings.FlyingCards;
  options.KeepAfter100 = settings.KeepAfter100;
  options.ShowCardsAtEnd = settings.ShowCardsAtEnd;
  return options;
}

LoadedSettings ParseSettings(std::string_view bytes) {
  LoadedSettings result;
  const std::vector<std::string> lines = SplitLines(bytes, kSettingsLines);
  if (lines.size() < static_cast<std::size_t>(kSettingsLines)) {
    result.Read = SettingsRead::ShortFile;
    SetBuiltInWorldTopTen(result.Values);
    return result;
  }
  result.StoppedAt = Reader(lines, result.Values).Run();
  result.Read = result.StoppedAt == 0 ? SettingsRead::Complete : SettingsRead::Stopped;
  // A reading that ended before the world-top-ten group still leaves the
  // built-in services in force, so that the club works from the first start.
  if (result.StoppedAt != 0 && result.StoppedAt < kWorldTopTenLine) SetBuiltInWorldTopTen(result.Values);
  return result;
}

LoadedSettings LoadSettings(const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / kSettingsFile;
  std::optional<std::string> bytes = ReadFileBytes(path, kMaxFileBytes);
  if (!bytes) bytes = ReadFileBytes(path, kMaxFileBytes);
  if (!bytes) {
    LoadedSettings none;
    SetBuiltInWorldTopTen(none.Values);
    return none;
  }
  return ParseSettings(*bytes);
}

std::string FormatSettings(const Settings& s) {
  std::string back = TwoDigits(s.BackDesign, 0);
  back += OneOrZero(s.Backs == BackChoice::AlwaysOne);
  std::string game = "######";
  game[0] = OneOrZero(s.KeepAfter100);
  game[1] = OneOrZero(s.ShowCardsAtEnd);
  std::string background = TwoDigits(s.BackgroundPicture, 2);
  background += Digit(s.BackgroundColour, 0, 6);

  const std::vector<std::string> lines = {
      "<# General>",
      FlagLine(s),
      "<# Cards>",
      std::to_string(s.CardDesign),
      "<# Decks>",
      back,
      "<# Individual>",
      game,
      "<# Fonts>",
      FileText(s.Fonts[0].Name),
      FileText(s.Fonts[1].Name),
      FileText(s.Fonts[2].Name),
      FileText(s.Fonts[3].Name),
      std::to_string(s.Fonts[0].Scale),
      std::to_string(s.Fonts[1].Scale),
      std::to_string(s.Fonts[2].Scale),
      std::to_string(s.Fonts[3].Scale),
      "<# IP & Port>",
      FileText(s.ServerAddress),
      FileText(s.ServerPort),
      "<# Background>",
      background,
      "<# Name Of Player>",
      FileText(s.PlayerName),
      "<# World Top Ten>",
      FileText(s.ResultsService),
      FileText(s.Nick),
      FileText(s.Country),
      FileText(s.City),
      FileText(s.Sex),
      FileText(s.StatsService),
      "<# Save Games as GIF>",
      std::string(1, s.SaveGames ? kSaveGamesOn : kSaveGamesOff),
      std::to_string(s.GifCapture),
      std::to_string(s.GifDelay),
  };
  return JoinLines(lines);
}

SaveResult SaveSettings(const Settings& settings, const std::filesystem::path& folder, const SaveOptions& options) {
  if (options.DeleteMusicFile) {
    try {
      options.DeleteMusicFile();
    } catch (...) {  // a music file that cannot go must not keep the options from being saved
    }
  }
  if (!options.ClubFilesValid) return SaveResult::Skipped;

  const std::string bytes = FormatSettings(settings);
  const std::filesystem::path path = folder / kSettingsFile;
  const FileWriter& write = options.Write ? options.Write : FileWriter(WriteFileBytes);
  if (ReplaceFile(path, bytes, write) || ReplaceFile(path, bytes, write)) return SaveResult::Saved;
  return SaveResult::Failed;
}

}  // namespace varnok
