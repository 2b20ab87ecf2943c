// The options kept between runs in "Varnok.ini", a text of 35 fixed lines in
// code page 1251 with CR LF line ends, in the program's folder. Texts are
// UTF-8 in memory and converted at the file's edge.
//
// Reading takes the values line by line and stops at the first line that is
// too short to hold its value; what was read before it stays. A font line too
// short to hold a font, values outside the range the program can use, and
// numbers that are no numbers keep their defaults while the reading goes on.
// Whenever the reading does not reach the world-top-ten group (no file, a
// short file, a reading stopped early) the group holds its built-in values,
// so that the club's services are in force from the first start.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "game_state.h"
#include "text_file.h"

namespace varnok {

inline constexpr std::string_view kSettingsFile = "Varnok.ini";
inline constexpr int kSettingsLines = 35;
inline constexpr int kLanguageCount = 10;  // the columns of the word tables

// The back choice of the options; the file tells only "Always one" apart.
enum class BackChoice { ChangeDecks, AlwaysOne, Random };

struct FontSetting {
  std::string Name;
  int Scale = 100;  // percent, 50 to 150

  friend bool operator==(const FontSetting&, const FontSetting&) = default;
};

struct Settings {
  // The flag line (line 2).
  int LanguageIndex = 0;  // 0..9
  bool Sound = true;
  bool Music = true;
  bool GifAnimation = true;  // animated pictures on the windows
  bool FlyingCards = true;   // cards fly across the table
  int ClubListView = 1;      // 1 or 2
  bool NetworkMode = false;
  bool RedCursor = true;
  int CardSpeed = 4;   // 1..6
  int WindowMode = 1;  // 1..5
  // A fresh copy has counted no unique start and sent no like yet.
  bool UniqueStartCounted = false;
  bool LikeSent = false;
  bool RadioListFromServer = true;  // read the radio station list from the server first
  int TitleColour = 1;              // colour variant of the menu's title picture, 1..7
  bool NewButtons = false;
  bool PurpleWindows = false;
  int AuxWindowDesign = 2;  // 1 gray concise, 2 gray aristocratic, 3 gray with red ribbons
  int MenuDesign = 0;       // 0 customizable, 1 purple
  int TableDesign = 0;      // 0 customizable, 1 purple
  bool SaluteButtons = false;
  bool SaluteCards = false;

  int CardDesign = 0;  // face design, 0..47
  int BackDesign = 0;  // 0..12
  BackChoice Backs = BackChoice::ChangeDecks;

  bool KeepAfter100 = false;  // "To not write off a taken after 100 numbers"
  bool ShowCardsAtEnd = true;

  // Lines 10 to 17, in the order of the font kinds "decor", "serif", "fixed", "conew".
  static constexpr int kLargeFont = 0, kSmallFont = 1, kSpecialFont1 = 2, kSpecialFont2 = 3;
  std::array<FontSetting, 4> Fonts = {
      FontSetting{"Comic Sans MS", 100}, FontSetting{"Comic Sans MS", 100},
      FontSetting{"FixedSys", 100}, FontSetting{"Courier New", 100}};

  std::string ServerAddress = "127.0.0.1";  // last typed for a network game
  std::string ServerPort = "25666";

  int BackgroundPicture = 2;  // 1..10
  int BackgroundColour = 0;   // 0..6

  std::string PlayerName;  // last typed in the player window

  // The world-top-ten group: empty in a value made here; the reading fills it
  // in (with the built-in values where the file does not reach it).
  std::string ResultsService;  // address, in the stored form of address_cipher.h
  std::string Nick;            // at most 12 characters
  std::string Country;         // continent digit, "-", three digits
  std::string City;            // at most 15 characters
  std::string Sex;             // "M" or "W"
  std::string StatsService;    // address, in the stored form

  bool SaveGames = false;  // record rounds as animated pictures
  int GifCapture = 1;      // 1 the main window, 2 the whole screen
  int GifDelay = 1000;     // milliseconds between frames, 10..5000

  friend bool operator==(const Settings&, const Settings&) = default;
};

// The world-top-ten group as it is before the player has filled it in.
void SetBuiltInWorldTopTen(Settings& settings);

// The options of the rules engine.
EngineOptions EngineOptionsOf(const Settings& settings);

// How far the reading got.
enum class SettingsRead {
  NoFile,     // missing or unreadable: every value at its default, the built-in world-top-ten group
  ShortFile,  // fewer than 35 lines: ignored as a whole, as NoFile
  Stopped,    // a short or empty line ended the reading
  Complete,   // read to the last line
};

struct LoadedSettings {
  Settings Values;
  SettingsRead Read = SettingsRead::NoFile;
  int StoppedAt = 0;  // the line (1..35) that ended the reading, when Stopped
};

// The values of a file's contents.
LoadedSettings ParseSettings(std::string_view bytes);

// Reads "Varnok.ini" in `folder`, trying a second time when the first open fails.
LoadedSettings LoadSettings(const std::filesystem::path& folder);

// The file's contents for the values. A text that the code page cannot hold
// is written with '?' for the characters it lacks; line ends inside a text
// are written as blanks, so that every value stays on its line.
std::string FormatSettings(const Settings& settings);

enum class SaveResult {
  Saved,
  Skipped,  // the club files failed their start-up check: nothing written
  Failed,   // the file could not be written ("Can`t save options!"); the old one is intact
};

struct SaveOptions {
  bool ClubFilesValid = true;
  std::function<void()> DeleteMusicFile;  // runs first, whatever follows
  FileWriter Write = WriteFileBytes;
};

// Writes "Varnok.ini" in `folder` safely (see ReplaceFile), trying a second
// time when the first attempt fails.
SaveResult SaveSettings(const Settings& settings, const std::filesystem::path& folder, const SaveOptions& options = {});

}  // namespace varnok
