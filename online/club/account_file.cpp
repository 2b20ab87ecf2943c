#include "account_file.h"

#include <system_error>

#include "account_rules.h"
#include "cp1251.h"
#include "text_file.h"

namespace varnok::online {

namespace {

constexpr std::size_t kMaxFileBytes = 4096;

}  // namespace

std::filesystem::path AccountFilePath(const std::filesystem::path& program_folder) {
  std::filesystem::path folder = program_folder;
  if (!folder.has_filename()) folder = folder.parent_path();  // a trailing separator
  return folder.parent_path() / kAccountFileName;
}

std::optional<SavedAccount> ReadAccountFile(const std::filesystem::path& program_folder) {
  const auto bytes = ReadFileBytes(AccountFilePath(program_folder), kMaxFileBytes);
  if (!bytes) return std::nullopt;
  const auto lines = SplitLines(*bytes, 3);
  if (lines.empty() || lines[0] != kAccountFileTitle) return std::nullopt;
  SavedAccount account;
  account.Nick = lines.size() > 1 ? Cp1251ToUtf8(lines[1]) : std::string();
  account.Pw = lines.size() > 2 ? UnscramblePassword(lines[2]) : std::string();
  for (char& c : account.Pw) {
    if (c == ' ' || c == '#' || c == '$') c = '-';
  }
  return account;
}

bool WriteAccountFile(const std::filesystem::path& program_folder, const std::string& nick, const std::string& pw) {
  const std::string text =
      JoinLines({kAccountFileTitle, Utf8ToCp1251Lossy(nick), ScramblePassword(Utf8ToCp1251Lossy(pw))});
  return ReplaceFile(AccountFilePath(program_folder), text);
}

bool DeleteAccountFile(const std::filesystem::path& program_folder) {
  std::error_code error;
  std::filesystem::remove(AccountFilePath(program_folder), error);
  return !AccountFileExists(program_folder);
}

bool AccountFileExists(const std::filesystem::path& program_folder) {
  std::error_code error;
  return std::filesystem::exists(AccountFilePath(program_folder), error);
}

}  // namespace varnok::online
