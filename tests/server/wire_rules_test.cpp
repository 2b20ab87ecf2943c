// The server's plain rules: the two body styles, reply values, the input
// checks and the rated-game steps.
#include <gtest/gtest.h>

#include "core/form.h"
#include "core/jpeg.h"
#include "core/rating.h"
#include "core/reply.h"
#include "core/text_rules.h"

namespace varnok::server {
namespace {

TEST(FormBodies, RawValuesDecodePercentEscapesAndCodePage1251) {
  const struct {
    const char* raw;
    const char* utf8;
  } cases[] = {
      {"a%26b%3Dc%25d", "a&b=c%d"},
      {"100%", "100%"},          // a "%" without two hex digits stays
      {"%G1%4", "%G1%4"},
      {"1+1", "1+1"},            // no "+" handling in RawForm
      {"%d0%C0", "\xD0\xA0\xD0\x90"},  // 0xD0 0xC0 in code page 1251: Р А
      {"\xCE\xEC\xF1\xEA", "\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA"},  // Омск
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeRawValue(c.raw), c.utf8) << c.raw;
}

TEST(FormBodies, ListValuesAreUtf8FormEncoding) {
  EXPECT_EQ(DecodeListValue("a+b%2Bc"), "a b+c");
  EXPECT_EQ(DecodeListValue("%D0%9E%D0%BC"), "\xD0\x9E\xD0\xBC");
  EXPECT_EQ(DecodeListValue("50%"), "50%");
  EXPECT_FALSE(DecodeListValue("%FF%FE")) << "not UTF-8";
  EXPECT_FALSE(DecodeListValue("%C0%AF")) << "an overlong form";
  EXPECT_FALSE(DecodeListValue("%ED%A0%80")) << "a surrogate";
}

TEST(FormBodies, SplittingSkipsEmptyPairsAndKeepsTheFirstOfAName) {
  const std::vector<FormPair> pairs = SplitForm("&&nick=a&&pw=&=x&flag&nick=b&");
  ASSERT_EQ(pairs.size(), 4u);
  EXPECT_EQ(pairs[0].name, "nick");
  EXPECT_EQ(pairs[1].name, "pw");
  EXPECT_EQ(pairs[1].value, "");
  EXPECT_EQ(pairs[2].name, "flag");
  const std::optional<Form> form = Form::Decode(pairs, BodyStyle::kRaw);
  ASSERT_TRUE(form);
  EXPECT_EQ(form->Get("nick"), "a");
  EXPECT_TRUE(form->Has("flag"));
  EXPECT_FALSE(form->Has("x"));
}

TEST(Replies, ValuesNeverCarryTheReplyPunctuation) {
  EXPECT_EQ(WireValue("New York"), "New_York");
  EXPECT_EQ(WireValue("a$b*c~d"), "a_b_c_d");
  EXPECT_EQ(WireValue(""), "#");
  EXPECT_EQ(ProfileValue("my $ site ~ *"), "my _ site _ _");
  EXPECT_EQ(Record({"1", "2"}), "$1 2$");
  EXPECT_EQ(ListEntry({"1", "2"}), "$1 2*");
  EXPECT_EQ(StatusReply(true), "$1ok#");
}

TEST(Replies, RealsAreWrittenAsTheProgramWritesThem) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0.000001, "0"}, {12.5, "12.5"}, {-1999.96, "-1999.96"}, {60.04, "60.04"},
               {0.00005, "0.00005"}, {1e15, "1000000000000000"}, {7, "7"}};
  for (const auto& c : cases) EXPECT_EQ(FloatToWire(c.value), c.text) << c.value;
  EXPECT_EQ(ParseReal("12,5"), 12.5);
  EXPECT_EQ(ParseReal("-1999.96"), -1999.96);
  EXPECT_FALSE(ParseReal("1e5"));
  EXPECT_FALSE(ParseReal("nan"));
  EXPECT_EQ(ParseInt32("-17"), -17);
  EXPECT_FALSE(ParseInt32("2147483648"));
  EXPECT_FALSE(ParseInt32(" 1"));
  EXPECT_FALSE(ParseInt32(""));
}

TEST(InputChecks, LampsOfTheProgramsFields) {
  const struct {
    const char* text;
    FieldKind kind;
    int lamp;
  } cases[] = {
      {"A", FieldKind::kNick, 1},
      {"Ivan_2", FieldKind::kNick, 3},
      {"\xD0\x98\xD0\xB2", FieldKind::kNick, 1},        // Cyrillic nick
      {"Iv an", FieldKind::kNick, 1},
      {"\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA", FieldKind::kCity, 2},  // Cyrillic city
      {"abc", FieldKind::kPassword, 1},
      {"abcd1234", FieldKind::kPassword, 3},
      {"abcdefghijklm", FieldKind::kPassword, 1},
      {"@mail.ru", FieldKind::kEmail, 1},
      {"mail@", FieldKind::kEmail, 1},
      {"a@b", FieldKind::kEmail, 3},
      {"\xE2\x82\xAC", FieldKind::kCity, 1},            // the euro sign: in the code page, no class
  };
  for (const auto& c : cases) EXPECT_EQ(CheckField(c.text, c.kind), c.lamp) << c.text;
  EXPECT_TRUE(IsCountryCode("6-054"));
  EXPECT_FALSE(IsCountryCode("7-001"));
  EXPECT_TRUE(IsCountryName("Congo Republic"));
  EXPECT_FALSE(IsPlainText("tab\there", 50));
  EXPECT_FALSE(IsPlainText("\xE4\xB8\xAD", 50)) << "outside the code page";
}

TEST(RatedSteps, TheRatingFormulas) {
  EXPECT_NEAR(AnnounceRating(1, 1, 2000, 25, 0), -1999.96, 1e-9);
  EXPECT_NEAR(ResultRating(1, 60, 2000, 25, -1999.96), 60.04, 1e-9);
}

TEST(RatedSteps, OnlyTheStepsOfOneGameAreAccepted) {
  StoredRated held;
  held.record = {10, 300, 50.4, 0, 10, 200, 0, "#"};
  const double announced = AnnounceRating(11, 1, 2000, 25, 50.4);
  const RatedJudgement announce = JudgeSavedRecord(held, {11, 300, announced, 0, 0, 0, 0, "#"});
  ASSERT_EQ(announce.step, RatedStep::kAnnouncement);
  EXPECT_TRUE(announce.next.announced);
  EXPECT_EQ(announce.next.pre_konl, 10);
  EXPECT_EQ(announce.next.pre_score, 200);
  // With KonL 10 and a game of 40 the cycle moves to 11 with score 240.
  const double result = ResultRating(11, 40, 2000, 25, announced);
  EXPECT_EQ(JudgeSavedRecord(announce.next, {11, 300, result, 0, 11, 240, 0, "#"}).step, RatedStep::kResult);
  const struct {
    const char* what;
    RatedRecord record;
  } refused[] = {
      {"score not the result", {11, 300, result, 0, 11, 999, 0, "#"}},
      {"two games in the cycle", {11, 300, result, 0, 12, 240, 0, "#"}},
      {"a cycle closed early", {11, 300, result, 1, 0, 0, 0, "#"}},
      {"a better best", {11, 999, result, 0, 11, 240, 0, "#"}},
      {"rating of a fractional result", {11, 300, result + 0.5 / 11, 0, 11, 240, 0, "#"}},
  };
  for (const auto& r : refused) EXPECT_EQ(JudgeSavedRecord(announce.next, r.record).step, RatedStep::kRefused) << r.what;
  EXPECT_EQ(JudgeSavedRecord(held, {10, 300, 55.0, 0, 10, 200, 0, "#"}).step, RatedStep::kRefused)
      << "a rating without a game";

  // The 25th game of a cycle closes it.
  StoredRated last = announce.next;
  last.pre_konl = 24;
  last.pre_score = 400;
  EXPECT_EQ(JudgeSavedRecord(last, {11, 440, result, 1, 0, 0, 0, "#"}).step, RatedStep::kCycleEnd);
  EXPECT_EQ(JudgeSavedRecord(last, {11, 300, result, 1, 0, 0, 0, "#"}).step, RatedStep::kRefused)
      << "best must follow the cycle score";
}

TEST(JpegHeader, SizeFromTheFrameHeader) {
  // SOI, an APP0 segment, then SOF0 with height 250 and width 200.
  const std::string jpeg = std::string("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x0B\x08\x00\xFA\x00\xC8\x01\x01\x11\x00", 21);
  const std::optional<PictureSize> size = JpegSize(jpeg);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 200);
  EXPECT_EQ(size->height, 250);
  EXPECT_FALSE(JpegSize(jpeg.substr(0, 12)));
  EXPECT_FALSE(JpegSize("GIF89a"));
  EXPECT_FALSE(JpegSize(std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6))) << "a segment longer than the file";
}

}  // namespace
}  // namespace varnok::server
