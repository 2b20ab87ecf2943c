#include "chat_markers.h"

#include <system_error>
#include <vector>

namespace varnok {

namespace {

// Larger files than this are not marker files.
constexpr std::size_t kMaxMarkerBytes = 4096;

int NumberOf(const std::vector<std::string>& lines, std::size_t index) {
  if (index >= lines.size()) return 0;
  const std::optional<int> value = ParseDecimal(lines[index]);
  // A negative number is no message number either.
  return value && *value > 0 ? *value : 0;
}

bool FlagOf(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() && lines[index] == "1";
}

}  // namespace

ChatMarkers ParseChatMarkers(std::string_view bytes) {
  const std::vector<std::string> lines = SplitLines(bytes, 3);
  ChatMarkers markers;
  markers.LastSeen = NumberOf(lines, 0);
  markers.Bottom = FlagOf(lines, 1);
  markers.AutoOpen = FlagOf(lines, 2);
  return markers;
}

std::string FormatChatMarkers(const ChatMarkers& markers) {
  return JoinLines({std::to_string(markers.LastSeen), markers.Bottom ? "1" : "0", markers.AutoOpen ? "1" : "0"});
}

ChatMarkers ReadChatMarkers(const std::filesystem::path& folder, const FileWriter& write) {
  const std::filesystem::path path = folder / kChatMarkerFile;
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) {
    SaveChatMarkers(folder, kFreshChatMarkers, write);
    return kFreshChatMarkers;
  }
  const std::optional<std::string> bytes = ReadFileBytes(path, kMaxMarkerBytes);
  return ParseChatMarkers(bytes ? std::string_view(*bytes) : std::string_view());
}

bool SaveChatMarkers(const std::filesystem::path& folder, const ChatMarkers& markers, const FileWriter& write) {
  return ReplaceFile(folder / kChatMarkerFile, FormatChatMarkers(markers), write);
}

int ReadNewsMarker(const std::filesystem::path& folder) {
  const std::optional<std::string> bytes = ReadFileBytes(folder / kNewsMarkerFile, kMaxMarkerBytes);
  if (!bytes) return 0;
  return NumberOf(SplitLines(*bytes, 1), 0);
}

bool SaveNewsMarker(const std::filesystem::path& folder, int number, const FileWriter& write) {
  return ReplaceFile(folder / kNewsMarkerFile, JoinLines({std::to_string(number)}), write);
}

}  // namespace varnok
