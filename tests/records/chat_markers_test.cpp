// The marker files of the chat board and the news: bad contents read as the
// safe values, a missing chat file is created as "1", "0", "0", and a failed
// write leaves the old file as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "chat_markers.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

// A fresh folder, removed at the end of its scope.
class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() / ("varnok-markers-" + std::to_string(std::random_device{}()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& Folder(const TempFolder& dir) { return dir.Path(); }

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string Read(const std::filesystem::path& path) {
  return ReadFileBytes(path, 1 << 16).value_or("<missing>");
}

TEST(ChatMarkers, ContentsReadAsTheirSafeValues) {
  struct Case {
    const char* bytes;
    ChatMarkers expected;
  } cases[] = {
      {"5\r\n1\r\n0\r\n", {5, true, false}},
      {"12\n0\n1", {12, false, true}},
      {"abc\r\n1\r\n1\r\n", {0, true, true}},    // a first line that is no number reads as 0
      {"7\r\nyes\r\ntrue\r\n", {7, false, false}},  // only "1" is on
      {"-4\r\n1\r\n", {0, true, false}},            // no negative message numbers
      {"99999999999999\r\n0\r\n0\r\n", {0, false, false}},
      {"", {0, false, false}},
      {"\xFF\xFE\x00garbage", {0, false, false}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseChatMarkers(c.bytes), c.expected) << c.bytes;
  EXPECT_EQ(FormatChatMarkers({42, true, false}), "42\r\n1\r\n0\r\n");
}

TEST(ChatMarkers, AMissingFileIsCreatedWithOneZeroZero) {
  TempFolder dir;
  EXPECT_EQ(ReadChatMarkers(Folder(dir)), (ChatMarkers{1, false, false}));
  EXPECT_EQ(Read(Folder(dir) / "ZubChatZub.ini"), "1\r\n0\r\n0\r\n");
  // An existing file is read, never recreated.
  Write(Folder(dir) / "ZubChatZub.ini", "not a number\r\n1\r\n");
  EXPECT_EQ(ReadChatMarkers(Folder(dir)), (ChatMarkers{0, true, false}));
  EXPECT_EQ(Read(Folder(dir) / "ZubChatZub.ini"), "not a number\r\n1\r\n");
}

TEST(ChatMarkers, AFailedWriteKeepsTheOldFile) {
  TempFolder dir;
  ASSERT_TRUE(SaveChatMarkers(Folder(dir), {17, false, true}));
  const FileWriter broken = [](const std::filesystem::path& path, std::string_view) {
    Write(path, "1");  // half written, then the disk is full
    return false;
  };
  EXPECT_FALSE(SaveChatMarkers(Folder(dir), {18, true, true}, broken));
  EXPECT_EQ(Read(Folder(dir) / "ZubChatZub.ini"), "17\r\n0\r\n1\r\n");
  // No temporary file of any name is left behind.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Folder(dir))) names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"ZubChatZub.ini"});
}

TEST(NewsMarker, MissingOrBadFilesReadAsZero) {
  TempFolder dir;
  EXPECT_EQ(ReadNewsMarker(Folder(dir)), 0);
  Write(Folder(dir) / "ZubNewsZub.ini", "twelve\r\n");
  EXPECT_EQ(ReadNewsMarker(Folder(dir)), 0);
  ASSERT_TRUE(SaveNewsMarker(Folder(dir), 12));
  EXPECT_EQ(Read(Folder(dir) / "ZubNewsZub.ini"), "12\r\n");
  EXPECT_EQ(ReadNewsMarker(Folder(dir)), 12);
  // A folder in the file's place is unreadable, not a crash.
  TempFolder other;
  std::filesystem::create_directory(Folder(other) / "ZubNewsZub.ini");
  EXPECT_EQ(ReadNewsMarker(Folder(other)), 0);
  EXPECT_FALSE(SaveNewsMarker(Folder(other), 3));
}

}  // namespace
}  // namespace varnok
