#include "history_file.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "cp1251.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#define VARNOK_HAVE_STAT 1
#endif

namespace varnok {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxHistoryBytes = 64u << 20;  // some 580 000 records
constexpr std::size_t kCheckLength = 15;
constexpr char kClosingMark = '$';
constexpr char kGameMark = static_cast<char>(kClubGameCode + 100);  // "m"
constexpr std::size_t kKindPos = 89;

// Code page 1251, no line ends, blanks added on the left (or on the right
// when `left` is false) up to `width`, then cut to `width`.
std::string Padded(std::string_view text, std::size_t width, bool left) {
  std::string bytes = Utf8ToCp1251Lossy(text);
  for (char& c : bytes)
    if (c == '\r' || c == '\n') c = ' ';
  if (bytes.size() < width) bytes.insert(left ? 0 : bytes.size(), width - bytes.size(), ' ');
  bytes.resize(width);
  return bytes;
}

std::string PaddedNumber(long long value, long long low, long long high, std::size_t width) {
  return Padded(std::to_string(std::clamp(value, low, high)), width, true);
}

struct LineSums {
  long long S1 = 0, S2 = 0, S3 = 0;
};

LineSums SumsOf(std::string_view body) {
  LineSums sums;
  body = body.substr(0, kHistoryBodyLength);
  for (std::size_t i = 0; i < body.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(body[i]);
    sums.S1 += c;
    if ((i + 1) % 2 == 0) sums.S2 += c;
    if ((i + 1) % 3 == 0) sums.S3 += c;
  }
  return sums;
}

// A run of digits (blanks around it allowed) as a number; nothing otherwise.
std::optional<long long> Count(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::time_t> LastWriteTime(const fs::path& path) {
#ifdef VARNOK_HAVE_STAT
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return info.st_mtime;
#else
  std::error_code error;
  const auto written = fs::last_write_time(path, error);
  if (error) return std::nullopt;
  return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
#endif
}

std::tm LocalTime(std::time_t when) {
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  return local;
}

std::string FourDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%04d", std::clamp(n, 0, kHistoryFileLimit));
  return text;
}

}  // namespace

std::uint8_t HistoryKindOf(bool tournament, int account_state, bool network) {
  if (tournament) return kHistoryTournament;
  if (account_state == 3) return kHistoryRated;
  return network ? kHistoryNetwork : kHistoryComputer;
}

std::string HistoryPlayers(const PerSeat<std::string>& names) {
  std::string joined;
  for (int seat = 3; seat >= 1; --seat) {
    const std::string& name = names[static_cast<std::size_t>(seat)];
    const std::size_t end = name.find_last_not_of(' ');
    if (seat != 3) joined += '/';
    joined.append(name, 0, end == std::string::npos ? 0 : end + 1);
  }
  return joined;
}

HisStr HistoryRecordOf(const GameState& state, const TableMode& mode, int account_state,
                       std::string_view player_name, double rating_after) {
  HisStr record;
  record.HName = mode.NetGame || mode.TourGame ? HistoryPlayers(state.Names) : std::string(player_name);
  record.HKon = 1;
  record.HRes = state.HumanResult;
  record.HRei = rating_after;
  record.Ac = HistoryKindOf(mode.TourGame, account_state, mode.NetGame);
  return record;
}

// --- Lines ---------------------------------------------------------------------

std::string ShortDate(std::time_t when) {
  const std::tm local = LocalTime(when);
  char text[64];
  const std::size_t size = std::strftime(text, sizeof text, "%x", &local);
  return std::string(text, size);
}

HistoryStamp LocalHistoryStamp() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = LocalTime(now);
  char time[16];
  const std::size_t size = std::strftime(time, sizeof time, "%H:%M", &local);
  return {std::string(time, size), ShortDate(now)};
}

std::string HistoryRatingText(double rating) {
  if (std::isnan(rating)) rating = 0.0;
  // Ten characters hold "-999999,99" and "9999999,99".
  const long long r = static_cast<long long>(std::nearbyint(std::clamp(rating * 100.0, -99999999.0, 999999999.0)));
  if (r == 0) return "0,00";
  std::string digits = std::to_string(r < 0 ? -r : r);
  if (digits.size() == 1) {
    digits = "0,0" + digits;
  } else if (digits.size() == 2) {
    digits = "0," + digits;
  } else {
    digits.insert(digits.size() - 2, ",");
  }
  return r < 0 ? "-" + digits : digits;
}

std::string HistoryBody(const HisStr& record, const HistoryStamp& stamp) {
  static constexpr const char* kKinds[] = {"L#########", "A#########", "T#########", "N#########"};
  std::string body;
  body += Padded(stamp.Time, 5, true);
  body += Padded(stamp.Date, 10, true);
  body += Padded(record.HName, 51, false);
  body += PaddedNumber(record.HKon, -99, 999, 3);
  body += PaddedNumber(record.HRes, -999999999, 9999999999LL, 10);
  body += Padded(HistoryRatingText(record.HRei), 10, true);
  body += kKinds[record.Ac <= kHistoryNetwork ? record.Ac : 0];
  return body;
}

std::string HistoryLineCheck(std::string_view body) {
  const LineSums sums = SumsOf(body);
  char text[32];
  std::snprintf(text, sizeof text, "%05lld%05lld%05lld", sums.S1 % 100000, sums.S2 % 100000, sums.S3 % 100000);
  return text;
}

std::string HistoryClosingLine() {
  std::string body = {kClosingMark, kGameMark, '}'};
  body.resize(kHistoryBodyLength, '#');
  return body + HistoryLineCheck(body);
}

std::string HistoryTotalLine(const std::vector<std::string>& lines) {
  long long t1 = 0, t2 = 0, t3 = 0;
  for (const std::string& line : lines) {
    const std::string_view check = std::string_view(line).substr(std::min(line.size(), kHistoryBodyLength));
    t1 += Count(check.substr(0, 5)).value_or(0);
    t2 += Count(check.substr(std::min<std::size_t>(5, check.size()), 5)).value_or(0);
    t3 += Count(check.substr(std::min<std::size_t>(10, check.size()), 5)).value_or(0);
  }
  char text[40];
  std::snprintf(text, sizeof text, "%010lld%010lld%010lld", t1, t2, t3);
  return text;
}

// --- Files -----------------------------------------------------------------------

fs::path HistoryFilePath(const fs::path& program_folder, std::string_view club_file, int n) {
  const std::string stem = fs::path(club_file).stem().string();
  return program_folder / kHistoryFolder / (stem + "_I" + FourDigits(n) + ".hst");
}

HistoryFileCheck CheckHistoryBytes(std::string_view bytes) {
  HistoryFileCheck check;
  check.Status = HistoryFileStatus::Invalid;
  const std::vector<std::string> lines = SplitLines(bytes, static_cast<std::size_t>(-1));
  long long t1 = 0, t2 = 0, t3 = 0;
  std::size_t i = 0;
  for (;; ++i) {
    if (i >= lines.size()) return check;  // no closing line
    const std::string& line = lines[i];
    if (line.size() < kHistoryLineLength) return check;
    // The stored check must be the body's: a line whose check was edited is
    // as tampered as one whose body was.
    if (line.compare(kHistoryBodyLength, kCheckLength, HistoryLineCheck(line)) != 0) return check;
    const LineSums sums = SumsOf(line);
    t1 += sums.S1, t2 += sums.S2, t3 += sums.S3;
    if (line.front() == kClosingMark) break;
    check.RecordLines.push_back(line);
  }
  if (i + 1 >= lines.size()) return check;
  const std::string& total = lines[i + 1];
  if (total.size() < kHistoryTotalLength) return check;
  if (Count(std::string_view(total).substr(0, 10)) != t1 || Count(std::string_view(total).substr(10, 10)) != t2 ||
      Count(std::string_view(total).substr(20, 10)) != t3) {
    return check;
  }
  check.Status = HistoryFileStatus::Valid;
  check.Records = static_cast<int>(check.RecordLines.size());
  return check;
}

HistoryFileCheck CheckHistoryFile(const fs::path& path, const DateFormatter& date) {
  HistoryFileCheck check;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) return check;  // Missing
  if (!fs::is_regular_file(status)) {
    check.Status = HistoryFileStatus::Unreadable;
    return check;
  }
  const std::uintmax_t size = fs::file_size(path, error);
  if (!error && size > kMaxHistoryBytes) {
    check.Status = HistoryFileStatus::Invalid;
    return check;
  }
  const std::optional<std::string> bytes = ReadFileBytes(path, kMaxHistoryBytes);
  if (!bytes) {
    check.Status = HistoryFileStatus::Unreadable;
    return check;
  }
  check = CheckHistoryBytes(*bytes);
  if (check.Valid() && date) {
    if (const std::optional<std::time_t> written = LastWriteTime(path)) check.FileDate = date(*written);
  }
  return check;
}

HistoryFileCheck CheckHistoryFile(const fs::path& program_folder, std::string_view club_file, int n,
                                  const DateFormatter& date) {
  if (n < 1 || n > kHistoryFileLimit) return {};
  return CheckHistoryFile(HistoryFilePath(program_folder, club_file, n), date);
}

namespace {

constexpr std::string_view kDamagedEnd = ".damaged";

// Moves a damaged file to "<file>.damaged" (or "<file>.damaged2", ... when
// that is taken); nothing when it cannot be moved.
std::optional<fs::path> KeepAside(const fs::path& file) {
  for (int k = 1; k < 1000; ++k) {
    fs::path aside = file;
    aside += std::string(kDamagedEnd) + (k == 1 ? "" : std::to_string(k));
    std::error_code error;
    if (fs::exists(fs::symlink_status(aside, error))) continue;
    fs::rename(file, aside, error);
    if (error) return std::nullopt;
    return aside;
  }
  return std::nullopt;
}

}  // namespace

std::string HistoryDamagedNotice(const fs::path& file, const fs::path& kept_as) {
  return "History file " + file.filename().string() + " is damaged; it was kept as " + kept_as.filename().string();
}

HistoryWriteResult WriteHistory(const fs::path& program_folder, std::string_view club_file,
                                const std::vector<HisStr>& records, const HistoryOptions& options) {
  HistoryWriteResult result;
  if (records.empty()) return result;
  result.Status = HistoryWrite::Failed;
  result.Message = std::string(kCantSaveHistory);

  std::vector<std::string> lines;
  std::string notices;  // one line per file kept aside
  int chosen = 0;
  for (int n = 1; n <= kHistoryFileLimit && chosen == 0; ++n) {
    const fs::path path = HistoryFilePath(program_folder, club_file, n);
    HistoryFileCheck check = CheckHistoryFile(path, DateFormatter{});
    switch (check.Status) {
      case HistoryFileStatus::Missing: chosen = n; break;  // a new file under this number
      case HistoryFileStatus::Invalid:
        // Its records are kept: the file moves aside and a new one takes its number.
        if (const std::optional<fs::path> aside = KeepAside(path)) {
          result.SetAside.push_back(*aside);
          notices += "\n" + HistoryDamagedNotice(path, *aside);
          chosen = n;
        }
        break;
      case HistoryFileStatus::Valid:
        if (check.Records < kHistoryRecordsPerFile) {
          chosen = n;
          lines = std::move(check.RecordLines);
        }
        break;
      case HistoryFileStatus::Unreadable: break;  // someone else's or locked: never replaced
    }
  }
  result.Message += notices;
  if (chosen == 0) return result;

  const HistoryStamp stamp = options.Now ? options.Now() : LocalHistoryStamp();
  for (const HisStr& record : records) {
    const std::string body = HistoryBody(record, stamp);
    lines.push_back(body + HistoryLineCheck(body));
  }
  lines.push_back(HistoryClosingLine());
  lines.push_back(HistoryTotalLine(lines));

  const fs::path path = HistoryFilePath(program_folder, club_file, chosen);
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (error || !fs::is_directory(path.parent_path(), error)) return result;
  if (!ReplaceFile(path, JoinLines(lines), options.Write ? options.Write : FileWriter(WriteFileBytes))) return result;
  result.Status = HistoryWrite::Written;
  result.FileNumber = chosen;
  result.Message = notices.empty() ? std::string() : notices.substr(1);
  return result;
}

// --- The history window ---------------------------------------------------------

HistoryListView ListHistoryFiles(const fs::path& program_folder, std::string_view club_file,
                                 const DateFormatter& date) {
  HistoryListView view;
  // Every file of the folder that belongs to this club: a damaged one hides none after it.
  const fs::path first = HistoryFilePath(program_folder, club_file, 1);
  const std::string prefix = first.filename().string().substr(0, first.filename().string().size() - 8);  // "<stem>_I"
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(first.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix)) continue;
    const std::string rest = name.substr(prefix.size());
    const bool numbered = rest.size() == 8 && rest.ends_with(".hst") &&
                          std::all_of(rest.begin(), rest.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
    if (!numbered) {
      if (rest.find(std::string(".hst") + std::string(kDamagedEnd)) != std::string::npos) view.Unreadable.push_back(name);
      continue;
    }
    const int n = std::stoi(rest.substr(0, 4));
    if (n < 1 || n > kHistoryFileLimit) continue;
    const HistoryFileCheck check = CheckHistoryFile(entry.path(), date);
    if (check.Valid()) view.Items.push_back({n, "File I" + FourDigits(n) + " " + check.FileDate});
    else view.Unreadable.push_back(name);
  }
  std::sort(view.Items.begin(), view.Items.end(),
            [](const HistoryListItem& a, const HistoryListItem& b) { return a.Number < b.Number; });
  std::sort(view.Unreadable.begin(), view.Unreadable.end());
  view.Enabled = !view.Items.empty();
  view.Width = view.Items.size() <= 16 ? 180 : 193;
  return view;
}

int ChooseHistoryFile(int previous, int newest_valid) {
  if (newest_valid <= 0) return 0;
  if (previous <= 0 || newest_valid < previous) return newest_valid;
  return previous;
}

std::string HistoryTypeText(HistoryRowType type) {
  switch (type) {
    case HistoryRowType::Local: return "Local";
    case HistoryRowType::Net: return "Net";
    case HistoryRowType::Account: return "Account";
    case HistoryRowType::Tourney: return "Tourney";
  }
  return "Local";
}

HistoryRow HistoryRowOf(std::string_view record_line) {
  static constexpr std::size_t kStarts[] = {0, 5, 15, 66, 69, 79};
  static constexpr std::size_t kWidths[] = {5, 10, 51, 3, 10, 10};
  HistoryRow row;
  for (std::size_t c = 0; c < 6; ++c) {
    if (kStarts[c] < record_line.size())
      row.Cells[c] = Cp1251ToUtf8(record_line.substr(kStarts[c], kWidths[c]));
  }
  const char kind = kKindPos < record_line.size() ? record_line[kKindPos] : 'L';
  switch (kind) {
    case 'N': row.Type = HistoryRowType::Net, row.Colour = kColourGreen; break;
    case 'A': row.Type = HistoryRowType::Account, row.Colour = kColourRed; break;
    case 'T': row.Type = HistoryRowType::Tourney, row.Colour = kColourBlue; break;
    default: row.Type = HistoryRowType::Local; break;  // "L", and anything unknown
  }
  row.WindowTextColour = row.Type == HistoryRowType::Local;
  row.Cells[6] = HistoryTypeText(row.Type);
  return row;
}

std::optional<std::vector<HistoryRow>> ReadHistoryRows(const fs::path& path) {
  const HistoryFileCheck check = CheckHistoryFile(path, DateFormatter{});
  if (!check.Valid()) return std::nullopt;
  std::vector<HistoryRow> rows;
  rows.reserve(check.RecordLines.size());
  for (const std::string& line : check.RecordLines) rows.push_back(HistoryRowOf(line));
  return rows;
}

}  // namespace varnok
