// The program's own files: fixed-layout texts of numbered lines, read and
// written whole. Writing goes to a temporary file beside the target, which
// then replaces the target in one step, so that a failed or interrupted
// write leaves the previous file as it was.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// The whole contents of a file; nothing when it cannot be opened or read, or
// when it is larger than `max_bytes`.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::size_t max_bytes);

// The first `max_lines` lines of a text. A line ends at CR LF, at a lone LF or
// at a lone CR; the end marks are not part of the lines. Text after the last
// end mark is a line of its own when it is not empty.
std::vector<std::string> SplitLines(std::string_view text, std::size_t max_lines);

// The lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// A decimal integer, with an optional sign and blanks around it; nothing for
// any other text and for numbers outside the range of int.
std::optional<int> ParseDecimal(std::string_view text);

// Writes `bytes` as the whole contents of the file at `path` (created or
// truncated); true only when every byte reached the file and it was closed
// without error.
using FileWriter = std::function<bool(const std::filesystem::path& path, std::string_view bytes)>;

// The writer of ordinary files: write, flush, close, and ask the system to
// put the data on the disk. A symbolic link at `path` is not followed.
bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// The temporary files ReplaceFile writes beside `target` are named
// "<target>.<process>-<n>.tmp" and made anew for every write (never an
// existing file, never through a link), so that two writers never share one.
// Those left beside `target` (none, unless a writer was killed mid-write).
std::vector<std::filesystem::path> TemporaryFilesLeft(const std::filesystem::path& target);

// Whether the file at `target` exists and nobody may write it.
bool IsReadOnlyFile(const std::filesystem::path& target);

// Gives the file at `target` the contents `bytes`: `write` fills a fresh
// temporary file, which is then renamed over the target. A read-only target
// is never replaced. On any failure (including an exception from `write`)
// the temporary file is removed, the target keeps its previous contents
// byte for byte, and the result is false.
bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, const FileWriter& write = WriteFileBytes);

}  // namespace varnok
