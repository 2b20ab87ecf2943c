// Reading the server's replies: records, lists, numbers, status and the
// forms of real numbers.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "reply_scans.h"

namespace varnok::online {
namespace {

TEST(ReplyScans, LastNumberTakesTheDigitsAfterTheLastOpeningMark) {
  struct Case {
    const char* reply;
    std::optional<std::int32_t> number;
  } const cases[] = {
      {"$12$", 12},
      {"$12", 1},  // the reply's last character is not taken
      {"$", std::nullopt},
      {"", std::nullopt},
      {"no", std::nullopt},
      {"$7$x$15$", 15},
      {"$$", std::nullopt},
      {"$abc$", std::nullopt},
      {"$99999999999$", std::nullopt},  // does not fit 32 bits
      {"ok$3 places$", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(LastNumber(c.reply), c.number);
  }
}

TEST(ReplyScans, FirstRecordCutsTheLoginReplyAtBlanks) {
  const auto fields = FirstRecord("$Omsk Russia 1-001 M mail 01.02.2015 xxx xxx xxx 0 0 0$");
  ASSERT_TRUE(fields);
  EXPECT_EQ(Field(*fields, 0), "");
  EXPECT_EQ(Field(*fields, 1), "Omsk");
  EXPECT_EQ(Field(*fields, 3), "1-001");
  EXPECT_EQ(Field(*fields, 12), "0");
  EXPECT_EQ(Field(*fields, 13), "");  // after the closing blank
  EXPECT_FALSE(Field(*fields, 14));
}

TEST(ReplyScans, FirstRecordEdges) {
  EXPECT_FALSE(FirstRecord(""));
  EXPECT_FALSE(FirstRecord("$"));
  EXPECT_FALSE(FirstRecord("no record"));
  // Without a closing "$" the record runs to the end less the last character.
  const auto open = FirstRecord("$a b c");
  ASSERT_TRUE(open);
  EXPECT_EQ(Field(*open, 2), "b");
  EXPECT_EQ(Field(*open, 3), "");  // "c" was the last character
  // Two blanks in a row give an empty field; only the first record is read.
  const auto gap = FirstRecord("x$a  b$c d$");
  ASSERT_TRUE(gap);
  EXPECT_EQ(Field(*gap, 1), "a");
  EXPECT_EQ(Field(*gap, 2), "");
  EXPECT_EQ(Field(*gap, 3), "b");
  // The profile reply is cut at "~" and keeps its blanks.
  const auto profile = FirstRecord("$Ivan~Petrov~likes cards~$", '~');
  ASSERT_TRUE(profile);
  EXPECT_EQ(Field(*profile, 3), "likes cards");
}

TEST(ReplyScans, RecordListReadsAtMostTenRecordsClosedByStars) {
  const auto three = RecordList("$1 a*$2 b*$3 c*");
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(Field(three[1], 1), "2");
  EXPECT_EQ(Field(three[2], 2), "c");

  std::string twelve;
  for (int i = 1; i <= 12; ++i) twelve += "$" + std::to_string(i) + "*";
  const auto ten = RecordList(twelve);
  ASSERT_EQ(ten.size(), 10u);
  EXPECT_EQ(Field(ten[9], 1), "10");

  const auto unclosed = RecordList("$1 a*$2 bc");
  ASSERT_EQ(unclosed.size(), 2u);
  EXPECT_EQ(Field(unclosed[1], 2), "b");
  EXPECT_TRUE(RecordList("").empty());
  EXPECT_TRUE(RecordList("*$").empty());
}

TEST(ReplyScans, TokensAndStatus) {
  EXPECT_TRUE(ContainsToken("ok", "ok"));
  EXPECT_TRUE(ContainsToken("xxokxx", "ok"));
  EXPECT_FALSE(ContainsToken("o", "ok"));
  EXPECT_FALSE(ContainsToken("", "ok"));
  EXPECT_FALSE(ContainsToken("o k", "ok"));
  // A refusal is the bare word; the letters inside a record are data.
  EXPECT_TRUE(ContainsTokenOutsideRecord("no", "no"));
  EXPECT_TRUE(ContainsTokenOutsideRecord("no$", "no"));
  EXPECT_FALSE(ContainsTokenOutsideRecord("$Novosibirsk Russia 1-001 M nobody@x.no 01.02.2015$", "no"));

  struct Case {
    const char* reply;
    bool ok;
  } const statuses[] = {
      {"$1ok#", true}, {"$Xok", true}, {"$1ok#ignored", true}, {"$ok#", false}, {"$1o", false},
      {"1ok#", false}, {"$1no#", false}, {"$9ok#$2no#", false}, {"", false}, {"$", false},
  };
  for (const Case& c : statuses) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(StatusReply(c.reply), c.ok);
  }
}

TEST(ReplyScans, RealNumbersOnTheWireIgnoreTheLocale) {
  // The program runs with the user's locale; a comma locale must not leak in.
  const char* saved = std::setlocale(LC_NUMERIC, nullptr);
  const std::string before = saved ? saved : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(FloatToWire(0.000001), "0");
  EXPECT_EQ(FloatToWire(-0.000009), "0");
  EXPECT_EQ(FloatToWire(12.5), "12.5");
  EXPECT_EQ(FloatToWire(7), "7");
  EXPECT_EQ(FloatToWire(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToWire(-2.25), "-2.25");
  EXPECT_DOUBLE_EQ(WireToFloat("12.5"), 12.5);
  EXPECT_DOUBLE_EQ(WireToFloat("12,5"), 12.5);
  EXPECT_DOUBLE_EQ(WireToFloat("-3.75"), -3.75);
  EXPECT_DOUBLE_EQ(WireToFloat(" 42"), 42.0);
  EXPECT_DOUBLE_EQ(WireToFloat(""), 0.0);
  EXPECT_DOUBLE_EQ(WireToFloat("abc"), 0.0);
  EXPECT_DOUBLE_EQ(WireToFloat(FloatToWire(1234.5678)), 1234.5678);
  std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(ReplyScans, RatingTextHasThreeDecimalsAfterAComma) {
  struct Case {
    double value;
    const char* text;
  } const cases[] = {
      {12.5, "12,500"}, {7, "7,000"}, {0, "0,000"}, {1.25, "1,250"}, {3.14159, "3,142"},
      {-2.5, "-2,500"}, {0.0004, "0,000"}, {99.9996, "100,000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(RatingText(c.value), c.text);
  }
}

TEST(ReplyScans, NewsNumberAndDirectoryValues) {
  EXPECT_EQ(NewsNumber("<p>ZubNews00012</p>"), 12);
  EXPECT_EQ(NewsNumber("ZubNews   42"), 42);
  EXPECT_EQ(NewsNumber("ZubNewsabcde"), 0);
  EXPECT_EQ(NewsNumber("no keyword"), 0);
  EXPECT_EQ(NewsNumber("ZubNews7"), 7);

  const std::string directory = "WTGamesPatt=abc#StatPath=def#AccPath=ghi";
  EXPECT_EQ(DirectoryValue(directory, "WTGamesPatt"), "abc");
  EXPECT_EQ(DirectoryValue(directory, "StatPath"), "def");
  EXPECT_EQ(DirectoryValue(directory, "AccPath"), "ghi");  // no "#": the rest of the text
  EXPECT_FALSE(DirectoryValue(directory, "Missing"));
  EXPECT_EQ(DirectoryValue("AccPath", "AccPath"), "");
}

}  // namespace
}  // namespace varnok::online
