// The two small marker files of the chat board and the news, kept in the
// parent of the program's folder (shared by the club's games):
//
//   "ZubChatZub.ini"  three lines: the number of the newest chat message the
//                     player has seen, "Last message at the bottom" ("1" or
//                     "0"), "Open this window when a new message" ("1"/"0");
//   "ZubNewsZub.ini"  one line: the number of the last news the player opened.
//
// Both are written whole through a temporary file, so that a failed write
// leaves the old file as it was. Bad contents never fail the reading: a first
// line that is no number reads as 0, any other flag than "1" as off.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "text_file.h"

namespace varnok {

inline constexpr std::string_view kChatMarkerFile = "ZubChatZub.ini";
inline constexpr std::string_view kNewsMarkerFile = "ZubNewsZub.ini";

struct ChatMarkers {
  int LastSeen = 0;       // the newest message number seen
  bool Bottom = false;    // the newest message on the last line
  bool AutoOpen = false;  // open the chat window during a game when a message comes
  friend bool operator==(const ChatMarkers&, const ChatMarkers&) = default;
};

// The markers of a missing file, as it is created.
inline constexpr ChatMarkers kFreshChatMarkers{1, false, false};

ChatMarkers ParseChatMarkers(std::string_view bytes);
std::string FormatChatMarkers(const ChatMarkers& markers);

// Reads "ZubChatZub.ini" in `folder`; a missing file is created with the
// fresh markers first (when that write fails the fresh markers are used all
// the same).
ChatMarkers ReadChatMarkers(const std::filesystem::path& folder, const FileWriter& write = WriteFileBytes);
// Writes the file; false when it could not be written (the old one stays).
bool SaveChatMarkers(const std::filesystem::path& folder, const ChatMarkers& markers,
                     const FileWriter& write = WriteFileBytes);

// The number in "ZubNewsZub.ini" in `folder`; 0 when the file is missing or
// unreadable or its line is no number.
int ReadNewsMarker(const std::filesystem::path& folder);
bool SaveNewsMarker(const std::filesystem::path& folder, int number, const FileWriter& write = WriteFileBytes);

}  // namespace varnok
