// Writing the history files: the first file, appending, 840 records to a
// file, tampered files, failed writes, and the history window's list.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "history_file.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

const HistoryStamp kStamp{"21:45", "10.12.2024"};

HisStr Game(int result) { return {"Ivan", 1, result, 1.25, kHistoryComputer}; }

class HistoryWriting : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("varnok-history-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
    options_.Now = [] { return kStamp; };
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path File(int n) const { return HistoryFilePath(folder_, kClubFile, n); }
  std::string Bytes(int n) const { return ReadFileBytes(File(n), 64 << 20).value_or("<missing>"); }
  HistoryFileCheck Check(int n) const { return CheckHistoryFile(File(n), [](std::time_t) { return "today"; }); }
  HistoryWriteResult Write(std::vector<HisStr> records) const {
    return WriteHistory(folder_, kClubFile, records, options_);
  }
  // File n holding `count` records, written in one go.
  void Fill(int n, int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      const std::string body = HistoryBody(Game(i), kStamp);
      lines.push_back(body + HistoryLineCheck(body));
    }
    lines.push_back(HistoryClosingLine());
    lines.push_back(HistoryTotalLine(lines));
    fs::create_directories(File(n).parent_path());
    ASSERT_TRUE(WriteFileBytes(File(n), JoinLines(lines)));
    ASSERT_EQ(Check(n).Records, count);
  }

  fs::path folder_;
  HistoryOptions options_;
};

TEST_F(HistoryWriting, FirstGameCreatesTheFolderAndFileOne) {
  ASSERT_FALSE(fs::exists(folder_ / "History"));
  const HistoryWriteResult result = Write({Game(450)});
  EXPECT_EQ(result.Status, HistoryWrite::Written);
  EXPECT_EQ(result.FileNumber, 1);
  EXPECT_EQ(result.Message, "");
  EXPECT_EQ(File(1), folder_ / "History" / "Varnok_I0001.hst");

  const std::string body = "21:4510.12.2024Ivan" + std::string(47, ' ') + "  1       450      1,25L#########";
  const std::string expected = body + HistoryLineCheck(body) + "\r\n" + HistoryClosingLine() + "\r\n" +
                               HistoryTotalLine({body + HistoryLineCheck(body), HistoryClosingLine()}) + "\r\n";
  EXPECT_EQ(Bytes(1), expected);
  const HistoryFileCheck check = Check(1);
  EXPECT_TRUE(check.Valid());
  EXPECT_EQ(check.Records, 1);
  EXPECT_EQ(check.FileDate, "today");
  EXPECT_EQ(CheckHistoryFile(folder_, kClubFile, 1).Records, 1);
  EXPECT_EQ(CheckHistoryFile(folder_, kClubFile, 2).Status, HistoryFileStatus::Missing);
  EXPECT_EQ(CheckHistoryFile(folder_, kClubFile, 0).Status, HistoryFileStatus::Missing);
}

TEST_F(HistoryWriting, GamesAreAppendedOldestFirst) {
  for (int result : {10, -20, 30}) ASSERT_EQ(Write({Game(result)}).FileNumber, 1);
  EXPECT_EQ(Write({Game(40), Game(50)}).FileNumber, 1);  // several records at once
  const std::optional<std::vector<HistoryRow>> rows = ReadHistoryRows(File(1));
  ASSERT_TRUE(rows);
  std::vector<std::string> results;
  for (const HistoryRow& row : *rows) results.push_back(row.Cells[4]);
  EXPECT_EQ(results, (std::vector<std::string>{"        10", "       -20", "        30", "        40", "        50"}));
  EXPECT_EQ(SplitLines(Bytes(1), 100).size(), 7u);
}

TEST_F(HistoryWriting, AFullFileOf840RecordsMovesOnToTheNextNumber) {
  Fill(1, 839);
  EXPECT_EQ(Write({Game(1)}).FileNumber, 1);
  EXPECT_EQ(Check(1).Records, 840);
  EXPECT_EQ(Write({Game(2)}).FileNumber, 2);
  EXPECT_EQ(Check(1).Records, 840);
  EXPECT_EQ(Check(2).Records, 1);
  EXPECT_EQ(Write({Game(3)}).FileNumber, 2);
}

TEST_F(HistoryWriting, ADamagedFileIsKeptAsideAndEveryValidFileIsListed) {
  Fill(1, 840);
  Fill(2, 5);
  Fill(3, 7);
  const std::string third = Bytes(3);
  std::string tampered = Bytes(2);
  tampered[20] = 'X';  // a character of the first record's name
  ASSERT_TRUE(WriteFileBytes(File(2), tampered));
  EXPECT_FALSE(Check(2).Valid());

  const HistoryListView before = ListHistoryFiles(folder_, kClubFile, [](std::time_t) { return "d"; });
  ASSERT_EQ(before.Items.size(), 2u) << "a damaged file hides none of the valid files after it";
  EXPECT_EQ(before.Items[0].Text, "File I0001 d");
  EXPECT_EQ(before.Items[1].Text, "File I0003 d");
  EXPECT_EQ(before.Unreadable, std::vector<std::string>{"Varnok_I0002.hst"});

  const HistoryWriteResult written = Write({Game(99)});
  EXPECT_EQ(written.Status, HistoryWrite::Written);
  EXPECT_EQ(written.FileNumber, 2);
  EXPECT_EQ(Check(2).Records, 1) << "a new file under the free number";
  const fs::path aside = folder_ / "History" / "Varnok_I0002.hst.damaged";
  EXPECT_EQ(ReadFileBytes(aside, 1 << 20), tampered) << "the damaged records are kept";
  EXPECT_EQ(written.SetAside, std::vector<fs::path>{aside});
  EXPECT_EQ(written.Message, "History file Varnok_I0002.hst is damaged; it was kept as Varnok_I0002.hst.damaged");
  EXPECT_TRUE(Write({Game(98)}).Message.empty()) << "said once";
  EXPECT_EQ(Bytes(3), third);
  const HistoryListView after = ListHistoryFiles(folder_, kClubFile);
  EXPECT_EQ(after.Items.size(), 3u);
  EXPECT_EQ(after.Unreadable, std::vector<std::string>{"Varnok_I0002.hst.damaged"});

  // A second damaged file of the same number is kept beside the first.
  std::string again = Bytes(2);
  again[20] = 'Y';
  ASSERT_TRUE(WriteFileBytes(File(2), again));
  EXPECT_EQ(Write({Game(97)}).FileNumber, 2);
  EXPECT_EQ(ReadFileBytes(aside, 1 << 20), tampered);
  EXPECT_EQ(ReadFileBytes(folder_ / "History" / "Varnok_I0002.hst.damaged2", 1 << 20), again);

  // Changed totals count as tampering too.
  std::string totals = Bytes(3);
  totals[totals.size() - 3] = totals[totals.size() - 3] == '1' ? '2' : '1';
  ASSERT_TRUE(WriteFileBytes(File(3), totals));
  EXPECT_FALSE(Check(3).Valid());
}

TEST_F(HistoryWriting, AFileThatCannotBeReadIsNeverReplaced) {
  Fill(1, 840);
  fs::create_directories(File(2));  // something in the way that is no file
  EXPECT_EQ(Check(2).Status, HistoryFileStatus::Unreadable);
  EXPECT_EQ(Write({Game(5)}).FileNumber, 3);
  EXPECT_TRUE(fs::is_directory(File(2)));
}

TEST_F(HistoryWriting, AFailedWriteKeepsTheOldBytesAndSaysSo) {
  Fill(1, 3);
  const std::string before = Bytes(1);
  for (std::size_t cut : {std::size_t{0}, std::size_t{100}, before.size(), before.size() + 200}) {
    for (bool throws : {false, true}) {
      SCOPED_TRACE(cut);
      options_.Write = [cut, throws](const fs::path& path, std::string_view bytes) {
        WriteFileBytes(path, bytes.substr(0, cut));
        if (throws) throw std::runtime_error("the disk went away");
        return false;
      };
      const HistoryWriteResult result = Write({Game(1)});
      EXPECT_EQ(result.Status, HistoryWrite::Failed);
      EXPECT_EQ(result.Message, "Cann`t save history!");
      EXPECT_EQ(Bytes(1), before);
      EXPECT_TRUE(TemporaryFilesLeft(File(1)).empty());
    }
  }
  // A "History" that is a file cannot hold the history.
  fs::remove_all(folder_ / "History");
  ASSERT_TRUE(WriteFileBytes(folder_ / "History", "x"));
  options_.Write = WriteFileBytes;
  EXPECT_EQ(Write({Game(1)}).Status, HistoryWrite::Failed);
  EXPECT_EQ(Write({}).Status, HistoryWrite::NothingToWrite);
}

TEST_F(HistoryWriting, NetworkModeKeepsTheSameFileNames) {
  EXPECT_EQ(WriteHistory(folder_, kNetClubFile, {Game(1)}, options_).FileNumber, 1);
  EXPECT_TRUE(fs::exists(folder_ / "History" / "Varnok_I0001.hst"));
}

TEST_F(HistoryWriting, WindowListAndChosenFile) {
  HistoryListView view = ListHistoryFiles(folder_, kClubFile);
  EXPECT_FALSE(view.Enabled);
  EXPECT_TRUE(view.Items.empty());
  EXPECT_EQ(kNoHistoryFiles, "No History Files");

  for (int n = 1; n <= 17; ++n) Fill(n, 1);
  view = ListHistoryFiles(folder_, kClubFile, [](std::time_t) { return "10.12.2024"; });
  EXPECT_TRUE(view.Enabled);
  ASSERT_EQ(view.Items.size(), 17u);
  EXPECT_EQ(view.Items[16].Number, 17);
  EXPECT_EQ(view.Items[16].Text, "File I0017 10.12.2024");
  EXPECT_EQ(view.Width, 193);
  fs::remove(File(17));
  EXPECT_EQ(ListHistoryFiles(folder_, kClubFile).Width, 180);

  const struct {
    int previous, newest, chosen;
  } rows[] = {{0, 16, 16}, {5, 16, 5}, {16, 16, 16}, {20, 16, 16}, {3, 0, 0}};
  for (const auto& row : rows) EXPECT_EQ(ChooseHistoryFile(row.previous, row.newest), row.chosen);
}

}  // namespace
}  // namespace varnok
