#include "text_file.h"

#include <atomic>
#include <cerrno>
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
[[maybe_unused]] bool SyncToDisk(const std::filesystem::path& path) {
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
#ifdef VARNOK_HAVE_FSYNC
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
#else
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
#endif
}

namespace {

constexpr std::string_view kTemporaryEnd = ".tmp";

int ProcessNumber() {
#ifdef VARNOK_HAVE_FSYNC
  return static_cast<int>(::getpid());
#else
  return 0;
#endif
}

// Makes a new, empty temporary file beside `target`; nothing when none can be made.
std::optional<std::filesystem::path> MakeTemporaryFor(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path temporary = target;
    temporary += "." + std::to_string(ProcessNumber()) + "-" + std::to_string(++counter) + std::string(kTemporaryEnd);
#ifdef VARNOK_HAVE_FSYNC
    // Exclusively: a file or a link already there under the name is never used.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return temporary;
    }
    if (errno != EEXIST) return std::nullopt;
#else
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(temporary, error))) return temporary;
#endif
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::filesystem::path> TemporaryFilesLeft(const std::filesystem::path& target) {
  std::vector<std::filesystem::path> left;
  const std::string prefix = target.filename().string() + ".";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > prefix.size() + kTemporaryEnd.size() && name.starts_with(prefix) && name.ends_with(kTemporaryEnd))
      left.push_back(entry.path());
  }
  return left;
}

bool IsReadOnlyFile(const std::filesystem::path& target) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (error || !fs::is_regular_file(status)) return false;
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & write) == fs::perms::none;
}

bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, const FileWriter& write) {
  // A file made read-only keeps its contents (the system would let the owner replace it).
  if (IsReadOnlyFile(target)) return false;
  const std::optional<std::filesystem::path> temporary = MakeTemporaryFor(target);
  if (!temporary) return false;
  std::error_code ignored;
  bool written = false;
  try {
    written = write(*temporary, bytes);
  } catch (...) {
    written = false;
  }
  if (written) {
    std::error_code error;
    std::filesystem::rename(*temporary, target, error);
    if (!error) return true;
  }
  std::filesystem::remove(*temporary, ignored);
  return false;
}

}  // namespace varnok
