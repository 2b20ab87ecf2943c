// varnok-club: makes, checks and lists the club files of Varnok.
//
//   varnok-club create [--if-missing | --force] <file>   a valid club with nobody in it
//   varnok-club verify <file>                            the program's start-up check
//   varnok-club list <file>                              members and top ten
//
// Exit status 0 on success, 1 when the file is missing, incorrect or cannot
// be written, 2 for a wrong command line.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "club_file.h"

namespace {

namespace fs = std::filesystem;
using namespace varnok;

int Usage() {
  std::cerr << "usage: varnok-club create [--if-missing | --force] <file>\n"
               "       varnok-club verify <file>\n"
               "       varnok-club list <file>\n";
  return 2;
}

int Create(const fs::path& path, bool if_missing, bool force) {
  std::error_code error;
  if (fs::exists(path, error) || error) {
    if (if_missing && !error) return 0;
    if (!force || error) {
      std::cerr << "varnok-club: \"" << path.string() << "\" exists; it holds a club and is kept (--force replaces it)\n";
      return 1;
    }
  }
  if (!SaveClubFile(path, EmptyClubLines())) {
    std::cerr << "varnok-club: " << EnglishClubText(kRowDiskWriteError) << " \"" << path.string() << "\"\n";
    return 1;
  }
  std::cout << "created \"" << path.string() << "\"\n";
  return 0;
}

int Verify(const fs::path& path) {
  const ClubCheck check = CheckClubFile(path);
  const std::string message = ClubCheckMessage(check, path);
  if (!message.empty()) std::cerr << message << "\n";
  if (check.StopsProgram()) return 1;
  std::cout << "\"" << path.string() << "\" is a valid club file\n";
  return 0;
}

std::string Padded(std::string text, std::size_t width) {
  // Widths count characters; UTF-8 continuation bytes take no room.
  std::size_t shown = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++shown;
  if (shown < width) text.append(width - shown, ' ');
  return text;
}

int List(const fs::path& path) {
  const ClubCheck check = CheckClubFile(path);
  if (check.StopsProgram()) {
    std::cerr << ClubCheckMessage(check, path) << "\n";
    return 1;
  }
  const std::optional<ClubLines> lines = LoadClubFile(path);
  if (!lines) {
    std::cerr << ClubCheckMessage({ClubCheckStatus::Incorrect, false, {kRowIncorrectFile}, {}}, path) << "\n";
    return 1;
  }
  std::cout << (KindOfClubFile(path) == ClubKind::Network ? "Network club" : "Club") << " \"" << path.string()
            << "\"\n\nMembers (name, rating, games, cycle score):\n";
  for (std::size_t k = 0; k < std::size_t(kClubMembers); ++k) {
    const ClubMember m = ParseMemberLine((*lines)[k]);
    std::cout << "  " << k + 1 << ". ";
    if (m.Empty) {
      std::cout << "(empty)\n";
      continue;
    }
    std::cout << Padded(m.Name, kClubNameLength) << FormatRating(m.Rating) << ' ' << m.Games << ' ' << m.CycleScore
              << "\n";
  }
  std::cout << "\nTop ten:\n";
  for (std::size_t n = 0; n < std::size_t(kTopTenSize); ++n) {
    const TopTenEntry e = ParseTopTenLine((*lines)[std::size_t(kClubMembers) + n]);
    std::cout << (n + 1 < 10 ? "   " : "  ") << n + 1 << ". ";
    if (e.Empty) {
      std::cout << "(empty)\n";
    } else {
      std::cout << Padded(e.Name, kClubNameLength) << ' ' << e.Score << "\n";
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string_view command = args[0];
  if (command == "create") {
    bool if_missing = false, force = false;
    std::optional<fs::path> file;
    for (std::size_t i = 1; i < args.size(); ++i) {
      if (args[i] == "--if-missing") {
        if_missing = true;
      } else if (args[i] == "--force") {
        force = true;
      } else if (!file && !args[i].starts_with("--")) {
        file = fs::path(args[i]);
      } else {
        return Usage();
      }
    }
    if (!file || (if_missing && force)) return Usage();
    return Create(*file, if_missing, force);
  }
  if ((command == "verify" || command == "list") && args.size() == 2) {
    const fs::path file(args[1]);
    return command == "verify" ? Verify(file) : List(file);
  }
  return Usage();
}
