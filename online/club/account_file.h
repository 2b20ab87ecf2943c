// The saved-account file "ZubUser.zub" in the parent of the program's folder:
// "Zub User File", the nick, and the scrambled password, each line ended by
// CR LF, in code page 1251. It is written whole in one step, so that a failed
// write leaves the previous file as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace varnok::online {

inline constexpr const char* kAccountFileName = "ZubUser.zub";
inline constexpr const char* kAccountFileTitle = "Zub User File";

struct SavedAccount {
  std::string Nick;  // UTF-8
  std::string Pw;    // unscrambled; blanks, "#" and "$" turned into "-"
};

// The file's place: beside the program's folder.
std::filesystem::path AccountFilePath(const std::filesystem::path& program_folder);

// The saved account; nothing when the file is missing, unreadable or foreign.
std::optional<SavedAccount> ReadAccountFile(const std::filesystem::path& program_folder);

// Writes the file with the scrambled password; true when it was written.
bool WriteAccountFile(const std::filesystem::path& program_folder, const std::string& nick, const std::string& pw);

// Removes the file; true when no file is left.
bool DeleteAccountFile(const std::filesystem::path& program_folder);

bool AccountFileExists(const std::filesystem::path& program_folder);

}  // namespace varnok::online
