// History record lines: the body's fixed positions, the rating text, the
// line checks, the closing and total lines, and the check of a whole file.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "history_file.h"

namespace varnok {
namespace {

const HistoryStamp kStamp{"09:05", "10.12.2024"};

HisStr Record(std::string name, int result, double rating, std::uint8_t kind = kHistoryComputer) {
  return {std::move(name), 1, result, rating, kind};
}

HisStr Games(std::int32_t kon) {
  HisStr record = Record("A", 0, 0.0);
  record.HKon = kon;
  return record;
}

// A file of `count` records as WriteHistory lays it out.
std::string FileOf(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    const std::string body = HistoryBody(Record("P" + std::to_string(i), i * 7 - 30, i / 3.0), kStamp);
    lines.push_back(body + HistoryLineCheck(body));
  }
  lines.push_back(HistoryClosingLine());
  lines.push_back(HistoryTotalLine(lines));
  return JoinLines(lines);
}

TEST(HistoryRating, TwoDecimalsWithAComma) {
  const struct {
    double rating;
    std::string text;
  } rows[] = {
      {12.3, "12,30"},   {0.07, "0,07"},    {-1.5, "-1,50"},   {0.0, "0,00"},
      {-0.004, "0,00"},  {0.5, "0,50"},     {-0.05, "-0,05"},  {99.99, "99,99"},
      {1234.5, "1234,50"}, {0.125, "0,12"},  // halves go to the even neighbour
      {std::numeric_limits<double>::quiet_NaN(), "0,00"},
      {1e12, "9999999,99"}, {-1e12, "-999999,99"},  // held within ten characters
  };
  for (const auto& row : rows) EXPECT_EQ(HistoryRatingText(row.rating), row.text) << row.rating;
}

TEST(HistoryBody, FieldsSitAtTheirPositions) {
  const std::string body = HistoryBody(Record("Ivan", 450, 12.3), kStamp);
  EXPECT_EQ(body, "09:0510.12.2024Ivan" + std::string(47, ' ') + "  1       450     12,30L#########");
  ASSERT_EQ(body.size(), kHistoryBodyLength);

  const struct {
    HisStr record;
    HistoryStamp stamp;
    std::size_t pos, width;
    std::string field;
  } rows[] = {
      {Record("A", 0, 0.0), kStamp, 79, 10, "      0,00"},  // six blanks in front
      {Record("A", 0, 0.0), {"9:05", "1/2/24"}, 0, 15, " 9:05    1/2/24"},
      {Record("A", 0, 0.0), {"09:05", "Wednesday, 10 December 2024"}, 5, 10, "Wednesday,"},  // cut to ten
      {Record(std::string(60, 'x'), 0, 0.0), kStamp, 15, 51, std::string(51, 'x')},
      {Record("Ёлка/PC/Вася", 0, 0.0), kStamp, 15, 12, "\xA8\xEB\xEA\xE0/PC/\xC2\xE0\xF1\xFF"},
      {Record("A\r\nB", 0, 0.0), kStamp, 15, 4, "A  B"},
      {Record("A", -2147483647 - 1, 0.0), kStamp, 69, 10, "-999999999"},
      {Games(5000), kStamp, 66, 3, "999"},
      {Record("A", 0, 0.0, kHistoryRated), kStamp, 89, 10, "A#########"},
      {Record("A", 0, 0.0, kHistoryTournament), kStamp, 89, 10, "T#########"},
      {Record("A", 0, 0.0, kHistoryNetwork), kStamp, 89, 10, "N#########"},
      {Record("A", 0, 0.0, 77), kStamp, 89, 10, "L#########"},
  };
  for (const auto& row : rows) {
    const std::string b = HistoryBody(row.record, row.stamp);
    ASSERT_EQ(b.size(), kHistoryBodyLength) << row.field;
    EXPECT_EQ(b.substr(row.pos, row.width), row.field);
  }
}

TEST(HistoryLines, ClosingLineAndItsCheck) {
  // "$m}" and 96 "#": S1 = 36 + 109 + 125 + 96 x 35 = 3630;
  // S2 = "m" at 2 and 48 "#" = 1789; S3 = "}" at 3 and 32 "#" = 1245.
  EXPECT_EQ(HistoryClosingLine(), "$m}" + std::string(96, '#') + "036300178901245");
  EXPECT_EQ(HistoryLineCheck(std::string(99, 'A')), "064350318502145");  // 99 x 65, 49 x 65, 33 x 65
}

TEST(HistoryLines, TotalsAddTheStoredChecks) {
  const std::vector<std::string> lines = {std::string(99, ' ') + "000010000200003",
                                          std::string(99, ' ') + "254001000000100", HistoryClosingLine()};
  EXPECT_EQ(HistoryTotalLine(lines), "000002903100000117910000001348");
}

TEST(HistoryCheck, CountsRecordsOfAValidFile) {
  for (int count : {0, 1, 2, 840}) {
    const HistoryFileCheck check = CheckHistoryBytes(FileOf(count));
    EXPECT_TRUE(check.Valid()) << count;
    EXPECT_EQ(check.Records, count);
    EXPECT_EQ(check.RecordLines.size(), static_cast<std::size_t>(count));
  }
}

TEST(HistoryCheck, AnyChangedCharacterOfABodyOrOfTheTotalsMakesItInvalid) {
  const std::string file = FileOf(3);
  int changed = 0;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\r' || file[i] == '\n') continue;
    std::string tampered = file;
    tampered[i] = tampered[i] == '7' ? '8' : '7';
    EXPECT_FALSE(CheckHistoryBytes(tampered).Valid()) << "position " << i;
    ++changed;
  }
  EXPECT_EQ(changed, 4 * 114 + 30);  // records, closing line and totals, checks included
}

TEST(HistoryCheck, BrokenLayoutsAreInvalid) {
  const std::string file = FileOf(2);
  std::string short_line = file;
  short_line.erase(113, 1);  // the first line is 113 characters long
  const std::string rows[] = {
      "",
      short_line,
      file.substr(0, file.size() - 32),  // no total line
      file.substr(0, 2 * 116),           // no closing line
      file.substr(0, file.size() - 5) + "\r\n",  // totals cut to 27 characters
  };
  for (const std::string& bytes : rows) EXPECT_FALSE(CheckHistoryBytes(bytes).Valid()) << bytes.size();
  EXPECT_TRUE(CheckHistoryBytes(file + "whatever follows the totals\r\n").Valid());
}

TEST(HistoryRows, CellsAsStoredAndTypeColours) {
  const struct {
    std::uint8_t kind;
    HistoryRowType type;
    std::string text;
    bool window_text;
    RecordColour colour;
  } rows[] = {
      {kHistoryComputer, HistoryRowType::Local, "Local", true, RecordColour{}},
      {kHistoryNetwork, HistoryRowType::Net, "Net", false, kColourGreen},
      {kHistoryRated, HistoryRowType::Account, "Account", false, kColourRed},
      {kHistoryTournament, HistoryRowType::Tourney, "Tourney", false, kColourBlue},
  };
  for (const auto& row : rows) {
    const std::string body = HistoryBody(Record("Вася", -12, 1.5, row.kind), kStamp);
    const HistoryRow r = HistoryRowOf(body + HistoryLineCheck(body));
    EXPECT_EQ(r.Cells[0], "09:05");
    EXPECT_EQ(r.Cells[1], "10.12.2024");
    EXPECT_EQ(r.Cells[2], "Вася" + std::string(47, ' '));  // filling blanks kept
    EXPECT_EQ(r.Cells[3], "  1");
    EXPECT_EQ(r.Cells[4], "       -12");
    EXPECT_EQ(r.Cells[5], "      1,50");
    EXPECT_EQ(r.Cells[6], row.text);
    EXPECT_EQ(r.Type, row.type);
    EXPECT_EQ(r.WindowTextColour, row.window_text);
    if (!row.window_text) {
      EXPECT_EQ(r.Colour, row.colour);
    }
  }
  EXPECT_EQ(kHistoryColumns[2].Width, 210);
  EXPECT_TRUE(kHistoryColumns[2].LeftAligned);
}

TEST(HistoryRecordOf, NamesAndKindOfTheGame) {
  GameState state;
  state.Names = {"", "Petr  ", "PC", "Ivan   "};
  state.HumanResult = -150;
  TableMode mode;
  const struct {
    bool net, tour;
    int account;
    std::string name;
    std::uint8_t kind;
  } rows[] = {
      {false, false, 1, "Me", kHistoryComputer},
      {false, false, 3, "Me", kHistoryRated},
      {true, false, 2, "Ivan/PC/Petr", kHistoryNetwork},
      {true, false, 3, "Ivan/PC/Petr", kHistoryRated},
      {false, true, 3, "Ivan/PC/Petr", kHistoryTournament},
  };
  for (const auto& row : rows) {
    mode.NetGame = row.net;
    mode.TourGame = row.tour;
    const HisStr record = HistoryRecordOf(state, mode, row.account, "Me", 2.5);
    EXPECT_EQ(record.HName, row.name);
    EXPECT_EQ(record.Ac, row.kind);
    EXPECT_EQ(record.HKon, 1);
    EXPECT_EQ(record.HRes, -150);
    EXPECT_DOUBLE_EQ(record.HRei, 2.5);
  }
}

}  // namespace
}  // namespace varnok
