#include "club_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <system_error>
#include <utility>

#include "cp1251.h"

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#define VARNOK_HAVE_ACCESS 1
#endif

namespace varnok {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxClubBytes = 64 * 1024;  // a real club file has 17 short lines
constexpr int kPasswordOffset = 234;
constexpr char kHeadMark = static_cast<char>(kClubGameCode + 100);  // "m"

// Positions (0-based) and widths of a member line's fields.
constexpr std::size_t kRatingPos = 20, kRatingWidth = 10;
constexpr std::size_t kGamesPos = 30, kGamesWidth = 7;
constexpr std::size_t kCyclePos = 38, kCycleWidth = 6;
constexpr std::size_t kPasswordPos = 44, kPasswordWidth = 15;
constexpr std::size_t kTopScorePos = 20, kTopScoreWidth = 6;
constexpr std::size_t kCheckPos = 10;

std::string_view Field(std::string_view line, std::size_t pos, std::size_t width) {
  if (pos >= line.size()) return {};
  return line.substr(pos, width);
}

std::string TrimRight(std::string text) {
  const std::size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

// A text of the file: code page 1251, no line end inside, cut or padded with
// blanks to `width`.
std::string FixedText(std::string_view text, std::size_t width) {
  std::string bytes = Utf8ToCp1251Lossy(text);
  for (char& c : bytes)
    if (c == '\r' || c == '\n') c = ' ';
  bytes.resize(width, ' ');
  return bytes;
}

// The largest value of a decimal field `width` wide, and the lowest (with "-").
long long FieldMax(std::size_t width) {
  long long max = 1;
  for (std::size_t i = 0; i < width; ++i) max *= 10;
  return max - 1;
}

// `value` right-aligned in `width` characters, held at what the field can show.
std::string RightNumber(long long value, std::size_t width) {
  value = std::clamp(value, -FieldMax(width - 1), FieldMax(width));
  std::string digits = std::to_string(value);
  return std::string(width - digits.size(), ' ') + digits;
}

int SaturatingSum(long long a, long long b) {
  return static_cast<int>(std::clamp(a + b, static_cast<long long>(std::numeric_limits<int>::min()),
                                     static_cast<long long>(std::numeric_limits<int>::max())));
}

double RatingOfLine(std::string_view line) {
  return ParseRating(Field(line, kRatingPos, kRatingWidth)).value_or(0.0);
}

std::string DisplayPath(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

bool HasClubLayout(const std::vector<std::string>& lines) {
  if (lines.size() != static_cast<std::size_t>(kClubLineCount)) return false;
  for (int i = 0; i < kClubLineCount; ++i) {
    const std::size_t want = i < kClubMembers                ? kMemberLineLength
                             : i < kClubMembers + kTopTenSize ? kTopTenLineLength
                                                              : kClubTailLineLength;
    if (lines[static_cast<std::size_t>(i)].size() != want) return false;
  }
  return true;
}

// The member line stands for `member`: same name and same password.
bool SameMember(std::string_view line, const std::string& formatted) {
  return !IsEmptySlot(line) && line.substr(0, kClubNameLength) == std::string_view(formatted).substr(0, kClubNameLength) &&
         Field(line, kPasswordPos, kPasswordWidth) == std::string_view(formatted).substr(kPasswordPos, kPasswordWidth);
}

// The top-ten update and the member's insertion; the place in the top ten.
int StoreInto(ClubLines& lines, std::string line, bool cycle_ended, bool& stored) {
  int place = 0;
  if (cycle_ended) {
    const int score = ParseDecimal(Field(line, kCyclePos, kCycleWidth)).value_or(0);
    place = EnterTopTen(lines, std::string_view(line).substr(0, kClubNameLength), score);
    line.replace(kCyclePos, kCycleWidth, RightNumber(0, kCycleWidth));
  }
  stored = InsertMemberLine(lines, line);
  return place;
}

ClubUpdateResult Commit(const fs::path& path, const ClubLines& lines, const ClubWriteOptions& options,
                        ClubUpdateResult result) {
  if (!options.Writable) {
    result.Update = ClubUpdate::Skipped;
  } else if (SaveClubFile(path, lines, options.Write)) {
    result.Update = ClubUpdate::Written;
  } else {
    result.Update = ClubUpdate::WriteFailed;
    result.MessageRow = kRowDiskWriteError;
  }
  return result;
}

ClubUpdateResult UnreadableFile() { return {ClubUpdate::Unreadable, 0, false, -1}; }

}  // namespace

std::string EnglishClubText(int row) {
  switch (row) {
    case kRowAttributesBefore: return "The file \"";
    case kRowAttributesAfter: return "\" has incorrect attributes!\nThe work of the program will be incorrect!";
    case kRowIncorrectFile: return "The incorrect file";
    case kRowCantFindFile: return "Can`t find the file";
    case kRowDiskWriteError: return "Error of disk writing!";
    default: return {};
  }
}

ClubKind KindOfClubFile(const fs::path& path) {
  return path.filename() == fs::path(kNetClubFile) ? ClubKind::Network : ClubKind::Local;
}

// --- Fields -----------------------------------------------------------------

std::string FormatRating(double rating) {
  if (std::isnan(rating)) rating = 0.0;
  rating = std::clamp(rating, -kRatingLimit, kRatingLimit);
  rating = std::nearbyint(rating * 1e6) / 1e6;
  if (rating == 0.0) rating = 0.0;  // no "-0,000000"
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", rating);
  std::string field = text;
  std::replace(field.begin(), field.end(), '.', ',');
  return std::string(kRatingWidth - std::min(field.size(), kRatingWidth), ' ') + field;
}

std::optional<double> ParseRating(std::string_view field) {
  if (!field.empty() && field.front() == '#') return 0.0;
  const std::size_t mark = field.find_first_not_of("0123456789 -");
  std::string_view whole = field.substr(0, mark);
  std::string_view fraction = mark == std::string_view::npos ? std::string_view{} : field.substr(mark + 1);
  const auto trim = [](std::string_view t) {
    const std::size_t first = t.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string_view{};
    return t.substr(first, t.find_last_not_of(' ') - first + 1);
  };
  whole = trim(whole);
  fraction = trim(fraction);
  std::string number;
  if (!whole.empty() && whole.front() == '-') {
    number = "-";
    whole.remove_prefix(1);
  }
  const auto digits = [](std::string_view t) { return t.find_first_not_of("0123456789") == std::string_view::npos; };
  if (!digits(whole) || !digits(fraction) || (whole.empty() && fraction.empty())) return std::nullopt;
  number += whole.empty() ? std::string_view("0") : whole;
  if (!fraction.empty()) (number += '.') += fraction;
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc{} || end != number.data() + number.size()) return std::nullopt;
  return value;
}

std::string EncodePassword(std::string_view password) {
  const std::string bytes = FixedText(password, kPasswordLength);
  std::string code;
  for (unsigned char c : bytes) {
    char group[8];
    std::snprintf(group, sizeof group, "%03d", c + kPasswordOffset);
    code += group;
  }
  return code;
}

std::string DecodePassword(std::string_view code) {
  std::string bytes;
  for (std::size_t pos = 0; pos + 3 <= code.size() && bytes.size() < kPasswordLength; pos += 3) {
    const std::string_view group = code.substr(pos, 3);
    int value = -1;
    if (group.find_first_not_of("0123456789") == std::string_view::npos) {
      value = ParseDecimal(group).value_or(-1) - kPasswordOffset;
    }
    bytes += value >= 0 && value <= 255 ? static_cast<char>(value) : kCp1251Replacement;
  }
  return Cp1251ToUtf8(bytes);
}

bool PasswordMatches(const ClubMember& member, std::string_view typed) {
  return !member.Empty && EncodePassword(typed) == EncodePassword(member.Password);
}

std::string EmptyMemberLine() { return std::string(37, '#') + ' ' + std::string(21, '#'); }

std::string EmptyTopTenLine() { return std::string(kTopTenLineLength, '#'); }

std::string FormatMemberLine(const ClubMember& member) {
  if (member.Empty) return EmptyMemberLine();
  std::string line = FixedText(member.Name, kClubNameLength);
  line += FormatRating(member.Rating);
  line += RightNumber(std::max(member.Games, 0), kGamesWidth);
  line += ' ';
  line += RightNumber(member.CycleScore, kCycleWidth);
  line += EncodePassword(member.Password);
  return line;
}

ClubMember ParseMemberLine(std::string_view line) {
  ClubMember member;
  if (IsEmptySlot(line)) return member;
  member.Empty = false;
  member.Name = TrimRight(Cp1251ToUtf8(Field(line, 0, kClubNameLength)));
  member.Rating = std::clamp(RatingOfLine(line), -kRatingLimit, kRatingLimit);
  member.Games = ParseDecimal(Field(line, kGamesPos, kGamesWidth)).value_or(0);
  member.CycleScore = ParseDecimal(Field(line, kCyclePos, kCycleWidth)).value_or(0);
  member.Password = DecodePassword(Field(line, kPasswordPos, kPasswordWidth));
  return member;
}

bool IsEmptySlot(std::string_view member_line) { return member_line.size() < 37 || member_line[36] == '#'; }

std::string FormatTopTenLine(std::string_view name, int score) {
  return FixedText(name, kClubNameLength) + RightNumber(score, kTopScoreWidth);
}

TopTenEntry ParseTopTenLine(std::string_view line) {
  TopTenEntry entry;
  entry.ScoreText = std::string(Field(line, kTopScorePos, kTopScoreWidth));
  const std::optional<int> score = ParseDecimal(entry.ScoreText);
  if (!score) return entry;
  entry.Empty = false;
  entry.Score = *score;
  entry.Name = TrimRight(Cp1251ToUtf8(Field(line, 0, kClubNameLength)));
  return entry;
}

// --- The rating rule ----------------------------------------------------------

double RatingAfterGame(int games_before, double rating_before, int score, int games_after) {
  if (std::isnan(rating_before)) rating_before = 0.0;
  double rating = rating_before;
  if (games_after > 0) {
    rating = (static_cast<double>(std::max(games_before, 0)) * rating_before + score / 50.0) / games_after;
  }
  rating = std::nearbyint(rating * 1e6) / 1e6;
  return std::clamp(rating, -kRatingLimit, kRatingLimit);
}

ClubMember MemberAfterGame(const ClubMember& before, int score) {
  ClubMember after = before;
  after.Empty = false;
  if (before.Empty) after.Games = 0, after.Rating = 0.0, after.CycleScore = 0;
  const int games_before = std::max(after.Games, 0);
  after.Games = SaturatingSum(games_before, 1);
  after.Rating = RatingAfterGame(games_before, after.Rating, score, after.Games);
  after.CycleScore = SaturatingSum(after.CycleScore, score);
  return after;
}

bool CycleEnded(const ClubMember& member) { return member.Games > 0 && member.Games % 25 == 0; }

// --- The whole file -------------------------------------------------------------

std::string ClubCheckSum(const ClubLines& lines) {
  long long c1 = 0, c2 = 0, c3 = 0;
  long long position = 0;
  for (int i = 0; i < kClubLineCount - 1; ++i) {
    for (unsigned char c : lines[static_cast<std::size_t>(i)]) {
      ++position;
      c1 += c;
      if (position % 2 == 0) c2 += c;
      if (position % 3 == 0) c3 += c;
    }
  }
  char text[32];
  std::snprintf(text, sizeof text, "%06lld%06lld%06lld", c1 % 1000000, c2 % 1000000, c3 % 1000000);
  return text;
}

void SealClubLines(ClubLines& lines) {
  std::string& tail = lines[kClubLineCount - 1];
  tail.resize(kClubTailLineLength, '#');
  tail.replace(kCheckPos, kClubTailLineLength - kCheckPos, ClubCheckSum(lines));
}

std::optional<ClubLines> ParseClubFile(std::string_view bytes) {
  const std::vector<std::string> split = SplitLines(bytes, kClubLineCount + 1);
  if (!HasClubLayout(split)) return std::nullopt;
  ClubLines lines;
  std::copy(split.begin(), split.end(), lines.begin());
  if (lines[15][0] != kHeadMark || lines[15][1] != '}') return std::nullopt;
  if (lines[16].substr(kCheckPos) != ClubCheckSum(lines)) return std::nullopt;
  return lines;
}

std::string FormatClubFile(const ClubLines& lines) { return JoinLines({lines.begin(), lines.end()}); }

ClubLines EmptyClubLines() {
  ClubLines lines;
  for (int i = 0; i < kClubMembers; ++i) lines[static_cast<std::size_t>(i)] = EmptyMemberLine();
  for (int i = 0; i < kTopTenSize; ++i) lines[static_cast<std::size_t>(kClubMembers + i)] = EmptyTopTenLine();
  lines[15] = std::string{kHeadMark, '}'} + std::string(kClubTailLineLength - 2, '#');
  // Character 1: "0" leaves the language to the settings; 7-9: the distribution label.
  lines[16] = "0#####" + std::string(kPublicLabel) + "#";
  SealClubLines(lines);
  return lines;
}

int TopTenPlaceFor(const ClubLines& lines, int score) {
  for (int place = 1; place <= kTopTenSize; ++place) {
    const TopTenEntry entry = ParseTopTenLine(lines[static_cast<std::size_t>(kClubMembers + place - 1)]);
    if (entry.Empty || score >= entry.Score) return place;
  }
  return 0;
}

void RemoveMemberLine(ClubLines& lines, int k) {
  if (k < 1 || k > kClubMembers) return;
  for (int i = k - 1; i < kClubMembers - 1; ++i)
    lines[static_cast<std::size_t>(i)] = std::move(lines[static_cast<std::size_t>(i + 1)]);
  lines[kClubMembers - 1] = EmptyMemberLine();
}

int EnterTopTen(ClubLines& lines, std::string_view name_field, int score) {
  const int place = TopTenPlaceFor(lines, score);
  if (place == 0) return 0;
  const std::size_t at = static_cast<std::size_t>(kClubMembers + place - 1);
  for (std::size_t i = kClubMembers + kTopTenSize - 1; i > at; --i) lines[i] = lines[i - 1];
  std::string name(name_field.substr(0, kClubNameLength));
  name.resize(kClubNameLength, ' ');
  lines[at] = name + RightNumber(score, kTopScoreWidth);
  return place;
}

bool InsertMemberLine(ClubLines& lines, const std::string& member_line) {
  const double rating = RatingOfLine(member_line);
  for (std::size_t k = 0; k < static_cast<std::size_t>(kClubMembers); ++k) {
    if (IsEmptySlot(lines[k]) || rating >= RatingOfLine(lines[k])) {
      for (std::size_t i = kClubMembers - 1; i > k; --i) lines[i] = lines[i - 1];
      lines[k] = member_line;
      return true;
    }
  }
  return false;
}

// --- Files ------------------------------------------------------------------------

FileAttributes SystemFileAttributes(const fs::path& path) {
  FileAttributes attributes;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!error) attributes.ReadOnly = (status.permissions() & fs::perms::owner_write) == fs::perms::none;
#ifdef VARNOK_HAVE_ACCESS
  if (::access(path.c_str(), W_OK) != 0) attributes.ReadOnly = true;
#endif
  const std::string name = path.filename().string();
  attributes.Hidden = name.size() > 1 && name.front() == '.' && name != "..";
  return attributes;
}

ClubCheck CheckClubFile(const fs::path& path, const AttributeProbe& attributes) {
  ClubCheck check;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    check.Status = ClubCheckStatus::Missing;
    check.MessageRows = {kRowCantFindFile};
    return check;
  }
  const std::uintmax_t size = fs::file_size(path, error);
  std::optional<std::string> bytes;
  if (!error && size <= kMaxClubBytes) bytes = ReadFileBytes(path, kMaxClubBytes);
  if (!bytes && (error || size <= kMaxClubBytes)) {  // there, but it cannot be opened
    check.Status = ClubCheckStatus::Missing;
    check.MessageRows = {kRowCantFindFile};
    return check;
  }
  const std::optional<ClubLines> lines = bytes ? ParseClubFile(*bytes) : std::nullopt;
  if (!lines) {
    check.Status = ClubCheckStatus::Incorrect;
    check.MessageRows = {kRowIncorrectFile};
    return check;
  }
  check.Status = ClubCheckStatus::Valid;
  check.Line17Head = (*lines)[16].substr(0, kCheckPos);
  FileAttributes found;
  try {
    if (attributes) found = attributes(path);
  } catch (...) {
    found.ReadOnly = true;  // unknown attributes: keep the file as it is
  }
  if (found.Protective()) {
    check.ProtectiveAttributes = true;
    check.MessageRows = {kRowAttributesBefore, kRowAttributesAfter};
  }
  return check;
}

std::string ClubCheckMessage(const ClubCheck& check, const fs::path& path, const ClubTexts& text) {
  const auto row = [&text](int r) { return text ? text(r) : EnglishClubText(r); };
  const std::string shown = DisplayPath(path);
  switch (check.Status) {
    case ClubCheckStatus::Missing: return row(kRowCantFindFile) + " \"" + shown + "\"!";
    case ClubCheckStatus::Incorrect: return row(kRowIncorrectFile) + " \"" + shown + "\"!";
    case ClubCheckStatus::Valid: break;
  }
  if (check.ProtectiveAttributes) return row(kRowAttributesBefore) + shown + row(kRowAttributesAfter);
  return {};
}

std::optional<ClubLines> LoadClubFile(const fs::path& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path, kMaxClubBytes);
  if (!bytes) return std::nullopt;
  return ParseClubFile(*bytes);
}

bool SaveClubFile(const fs::path& path, ClubLines lines, const FileWriter& write) {
  SealClubLines(lines);
  return ReplaceFile(path, FormatClubFile(lines), write ? write : FileWriter(WriteFileBytes));
}

std::optional<ClubMember> ReadMember(const fs::path& path, int k) {
  if (k < 1 || k > kClubMembers) return std::nullopt;
  const std::optional<ClubLines> lines = LoadClubFile(path);
  if (!lines) return std::nullopt;
  return ParseMemberLine((*lines)[static_cast<std::size_t>(k - 1)]);
}

std::vector<ClubMember> ReadMembers(const fs::path& path) {
  std::vector<ClubMember> members;
  if (const std::optional<ClubLines> lines = LoadClubFile(path)) {
    for (int k = 0; k < kClubMembers; ++k) members.push_back(ParseMemberLine((*lines)[static_cast<std::size_t>(k)]));
  }
  return members;
}

std::vector<TopTenEntry> ReadTopTen(const fs::path& path) {
  std::vector<TopTenEntry> entries;
  if (const std::optional<ClubLines> lines = LoadClubFile(path)) {
    for (int n = 0; n < kTopTenSize; ++n)
      entries.push_back(ParseTopTenLine((*lines)[static_cast<std::size_t>(kClubMembers + n)]));
  }
  return entries;
}

ClubUpdateResult RemoveMember(const fs::path& path, int k, const ClubWriteOptions& options) {
  if (k < 1 || k > kClubMembers) return {};
  std::optional<ClubLines> lines = LoadClubFile(path);
  if (!lines) return UnreadableFile();
  RemoveMemberLine(*lines, k);
  return Commit(path, *lines, options, {});
}

ClubUpdateResult StoreMember(const fs::path& path, const ClubMember& member, bool cycle_ended,
                             const ClubWriteOptions& options) {
  if (member.Empty) return {};
  std::optional<ClubLines> lines = LoadClubFile(path);
  if (!lines) return UnreadableFile();
  ClubUpdateResult result;
  result.Place = StoreInto(*lines, FormatMemberLine(member), cycle_ended, result.Stored);
  return Commit(path, *lines, options, result);
}

ClubUpdateResult FinishClubGame(const fs::path& path, int slot, const ClubMember& before, int score,
                                const ClubWriteOptions& options) {
  // Online accounts and tournament seats keep no club line; nobody has nothing to store.
  if (slot < 1 || slot > 6 || before.Empty) return {};
  std::optional<ClubLines> lines = LoadClubFile(path);
  if (!lines) return UnreadableFile();
  if (slot <= kClubMembers) {
    // The member's line: normally still at its slot; if the slots have moved,
    // the line with the same name and password.
    const std::string old_line = FormatMemberLine(before);
    int found = SameMember((*lines)[static_cast<std::size_t>(slot - 1)], old_line) ? slot : 0;
    for (int k = 1; k <= kClubMembers && found == 0; ++k)
      if (SameMember((*lines)[static_cast<std::size_t>(k - 1)], old_line)) found = k;
    if (found != 0) RemoveMemberLine(*lines, found);
  }
  const ClubMember after = MemberAfterGame(before, score);
  ClubUpdateResult result;
  result.Place = StoreInto(*lines, FormatMemberLine(after), CycleEnded(after), result.Stored);
  return Commit(path, *lines, options, result);
}

// --- The files of a run ---------------------------------------------------------------

ClubFiles::ClubFiles(fs::path folder, AttributeProbe attributes, FileWriter write)
    : folder_(std::move(folder)), attributes_(std::move(attributes)), write_(std::move(write)) {
  if (!write_) write_ = WriteFileBytes;
}

ClubFiles::Startup ClubFiles::CheckAtStart(const ClubTexts& text) {
  Startup startup;
  writable_ = true;
  for (const std::string_view name : {kClubFile, kNetClubFile}) {
    const fs::path path = folder_ / name;
    const ClubCheck check = CheckClubFile(path, attributes_);
    const std::string message = ClubCheckMessage(check, path, text);
    if (!message.empty()) startup.Messages.push_back(message);
    if (check.StopsProgram()) {
      startup.Stop = true;
      writable_ = false;
      startup.DistributionLabel.clear();
      return startup;
    }
    if (check.ProtectiveAttributes) writable_ = false;
    if (name == kClubFile) startup.RussianLanguage = !check.Line17Head.empty() && check.Line17Head[0] == '1';
    startup.DistributionLabel = check.Line17Head.substr(6, 3);
  }
  return startup;
}

fs::path ClubFiles::CurrentPath() const { return folder_ / (network_ ? kNetClubFile : kClubFile); }

std::optional<ClubMember> ClubFiles::ReadMember(int k) const { return varnok::ReadMember(CurrentPath(), k); }

std::vector<ClubMember> ClubFiles::ReadMembers() const { return varnok::ReadMembers(CurrentPath()); }

std::vector<TopTenEntry> ClubFiles::ReadTopTen() const { return varnok::ReadTopTen(CurrentPath()); }

ClubUpdateResult ClubFiles::RemoveMember(int slot) const { return varnok::RemoveMember(CurrentPath(), slot, Options()); }

ClubUpdateResult ClubFiles::StoreMember(const ClubMember& member, bool cycle_ended) const {
  return varnok::StoreMember(CurrentPath(), member, cycle_ended, Options());
}

ClubUpdateResult ClubFiles::FinishGame(int slot, const ClubMember& before, int score) const {
  return FinishClubGame(CurrentPath(), slot, before, score, Options());
}

}  // namespace varnok
