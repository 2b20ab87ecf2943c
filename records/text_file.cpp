#include "text_file.h"

#include <charconv>
#include <fstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define VARNOK_HAVE_FSYNC 1
#endif

namespace varnok {

namespace {

// Asks the system to put the file's data on the disk, so that the rename that
// follows cannot survive a power loss that the data does not.
bool SyncToDisk(const std::filesystem::path& path) {
#ifdef VARNOK_HAVE_FSYNC
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
#else
  (void)path;
  return true;
#endif
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::size_t max_bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > max_bytes) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::vector<std::string> SplitLines(std::string_view text, std::size_t max_lines) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size() && lines.size() < max_lines) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::optional<int> ParseDecimal(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) return false;
    out.close();
    if (out.fail()) return false;
  }
  return SyncToDisk(path);
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, const FileWriter& write) {
  const std::filesystem::path temporary = TemporaryPathFor(target);
  std::error_code ignored;
  bool written = false;
  try {
    written = write(temporary, bytes);
  } catch (...) {
    written = false;
  }
  if (written) {
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (!error) return true;
  }
  std::filesystem::remove(temporary, ignored);
  return false;
}

}  // namespace varnok
