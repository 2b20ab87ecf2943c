// The program's fixed-line text files: splitting into lines, numbers, and
// replacing a file so that a failed write leaves the old one untouched.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <thread>
#include <stdexcept>
#include <string>
#include <vector>

#include "text_file.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

TEST(SplitLines, AcceptsEveryLineEnd) {
  struct Row {
    std::string text;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},  // the last line needs no end
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\n\r", {"", ""}},  // LF then CR are two ends, not one
      {"\r\n", {""}},
      {"", {}},
      {"x\xE8\r\n\xEB", {"x\xE8", "\xEB"}},
  };
  for (const Row& row : rows) EXPECT_EQ(SplitLines(row.text, 35), row.lines) << ::testing::PrintToString(row.text);
  EXPECT_EQ(SplitLines("1\r\n2\r\n3\r\n4", 2), (std::vector<std::string>{"1", "2"}));
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

TEST(ParseDecimal, TakesOnlyWholeDecimalNumbers) {
  struct Row {
    const char* text;
    std::optional<int> value;
  };
  const Row rows[] = {
      {"0", 0},          {"17", 17},          {"  5", 5},          {"5  ", 5},       {"-3", -3},
      {"+4", 4},         {"007", 7},          {"2147483647", 2147483647},
      {"", {}},          {"   ", {}},          {"x", {}},           {"1,5", {}},      {"1 2", {}},
      {"+-5", {}},       {"--5", {}},         {"+", {}},           {"-", {}},        {"0x10", {}},
      {"2147483648", {}}, {"12a", {}},
  };
  for (const Row& row : rows) EXPECT_EQ(ParseDecimal(row.text), row.value) << '"' << row.text << '"';
}

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("varnok-textfile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Target() const { return folder_ / "data.txt"; }
  std::string Contents() const { return ReadFileBytes(Target(), 1 << 20).value_or("<missing>"); }
  std::vector<fs::path> Files() const {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename());
    return names;
  }

  fs::path folder_;
};

TEST_F(ReplaceFileTest, CreatesAndReplaces) {
  ASSERT_TRUE(ReplaceFile(Target(), "first\r\n"));
  EXPECT_EQ(Contents(), "first\r\n");
  ASSERT_TRUE(ReplaceFile(Target(), "second, longer\r\n"));
  ASSERT_TRUE(ReplaceFile(Target(), "3"));
  EXPECT_EQ(Contents(), "3");
  EXPECT_EQ(Files(), std::vector<fs::path>{"data.txt"});
}

TEST_F(ReplaceFileTest, FailedOrInterruptedWriteKeepsTheOldFile) {
  const std::string old_bytes = "old\r\ncontents\xE8\r\n";
  const std::string new_bytes(1000, 'n');
  ASSERT_TRUE(ReplaceFile(Target(), old_bytes));

  // Writers that get part of the way and then fail, or stop with an exception.
  const std::size_t cut_after[] = {0, 1, 500, 999, 1000};
  for (std::size_t n : cut_after) {
    SCOPED_TRACE(n);
    const FileWriter fails = [n](const fs::path& path, std::string_view bytes) {
      WriteFileBytes(path, bytes.substr(0, n));
      return false;
    };
    const FileWriter throws = [n](const fs::path& path, std::string_view bytes) -> bool {
      WriteFileBytes(path, bytes.substr(0, n));
      throw std::runtime_error("disk gone");
    };
    EXPECT_FALSE(ReplaceFile(Target(), new_bytes, fails));
    EXPECT_EQ(Contents(), old_bytes);
    EXPECT_FALSE(ReplaceFile(Target(), new_bytes, throws));
    EXPECT_EQ(Contents(), old_bytes);
    EXPECT_EQ(Files(), std::vector<fs::path>{"data.txt"}) << "the temporary file must go";
  }
}

TEST_F(ReplaceFileTest, TargetThatCannotBeReplacedFails) {
  fs::create_directories(Target() / "inside");  // a folder where the file should be
  EXPECT_FALSE(ReplaceFile(Target(), "x"));
  EXPECT_TRUE(fs::is_directory(Target() / "inside"));
  EXPECT_TRUE(TemporaryFilesLeft(Target()).empty());

  EXPECT_FALSE(ReplaceFile(folder_ / "no-such-folder" / "data.txt", "x"));
}

TEST_F(ReplaceFileTest, TwoWritersAtOnceNeverLeaveTheFileEmptyOrTorn) {
  const std::string a(64 * 1024, 'a'), b(64 * 1024, 'b');
  ASSERT_TRUE(ReplaceFile(Target(), a));
  std::atomic<bool> torn{false};
  auto writer = [&](const std::string& bytes) {
    for (int i = 0; i < 100; ++i) ReplaceFile(Target(), bytes);
  };
  auto reader = [&] {
    for (int i = 0; i < 200; ++i) {
      const std::string now = Contents();
      if (now != a && now != b) torn = true;
    }
  };
  std::thread first(writer, a), second(writer, b), watcher(reader);
  first.join();
  second.join();
  watcher.join();
  EXPECT_FALSE(torn);
  EXPECT_TRUE(Contents() == a || Contents() == b);
  EXPECT_EQ(Files(), std::vector<fs::path>{"data.txt"});
}

TEST_F(ReplaceFileTest, APlantedLinkIsNeverFollowed) {
  const fs::path victim = folder_ / "victim.txt";
  ASSERT_TRUE(ReplaceFile(victim, "precious"));
  // Links under every name a writer might take, the old fixed one included.
  fs::path fixed = Target();
  fixed += ".tmp";
  fs::create_symlink(victim, fixed);
  for (int n = 1; n <= 5; ++n) {
    fs::path guess = Target();
    guess += "." + std::to_string(::getpid()) + "-" + std::to_string(n) + ".tmp";
    fs::create_symlink(victim, guess);
  }
  ASSERT_TRUE(ReplaceFile(Target(), "new"));
  EXPECT_EQ(Contents(), "new");
  EXPECT_EQ(ReadFileBytes(victim, 100), "precious");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(fixed)));
  // The writer itself does not write through a link either.
  EXPECT_FALSE(WriteFileBytes(fixed, "through the link"));
  EXPECT_EQ(ReadFileBytes(victim, 100), "precious");
}

TEST_F(ReplaceFileTest, AReadOnlyFileIsNotReplaced) {
  ASSERT_TRUE(ReplaceFile(Target(), "kept"));
  fs::permissions(Target(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(IsReadOnlyFile(Target()));
  EXPECT_FALSE(ReplaceFile(Target(), "lost"));
  EXPECT_EQ(Contents(), "kept");
  EXPECT_EQ(Files(), std::vector<fs::path>{"data.txt"});
  fs::permissions(Target(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_FALSE(IsReadOnlyFile(Target()));
  EXPECT_TRUE(ReplaceFile(Target(), "written"));
  EXPECT_FALSE(IsReadOnlyFile(folder_ / "missing.txt"));
}

TEST_F(ReplaceFileTest, ReadingRefusesWhatIsNoFileOrTooLarge) {
  EXPECT_EQ(ReadFileBytes(folder_ / "missing.txt", 100), std::nullopt);
  EXPECT_EQ(ReadFileBytes(folder_, 100), std::nullopt);
  ASSERT_TRUE(ReplaceFile(Target(), std::string(101, 'x')));
  EXPECT_EQ(ReadFileBytes(Target(), 100), std::nullopt);
  EXPECT_EQ(ReadFileBytes(Target(), 101), std::string(101, 'x'));
}

}  // namespace
}  // namespace varnok
