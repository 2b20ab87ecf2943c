// The club file's fields and sums: ratings, passwords, member and top-ten
// lines, the rating rule and the check of line 17.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "club_file.h"

namespace varnok {
namespace {

TEST(ClubRating, IsWrittenWithSixDecimalsInTenCharacters) {
  const struct {
    double rating;
    std::string text;
  } rows[] = {
      {0.0, "  0,000000"},
      {12.3456789, " 12,345679"},
      {-0.25, " -0,250000"},
      {99.99, " 99,990000"},
      {-99.99, "-99,990000"},
      {150.0, " 99,990000"},   // held at the limit
      {-1e9, "-99,990000"},
      {-0.0000001, "  0,000000"},  // no negative zero
      {std::numeric_limits<double>::quiet_NaN(), "  0,000000"},
      {std::numeric_limits<double>::infinity(), " 99,990000"},
  };
  for (const auto& row : rows) EXPECT_EQ(FormatRating(row.rating), row.text) << row.rating;
}

TEST(ClubRating, ReadsAnyDecimalMark) {
  const struct {
    std::string field;
    std::optional<double> value;
  } rows[] = {
      {"  0,000000", 0.0},
      {" 12,345679", 12.345679},
      {" -0,250000", -0.25},
      {" 12.500000", 12.5},  // any character but a digit, a blank or "-" is the mark
      {"      7   ", 7.0},
      {"##########", 0.0},  // an empty slot
      {"#", 0.0},
      {"   abc    ", std::nullopt},
      {"          ", std::nullopt},
      {"  1,2,3   ", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& row : rows) {
    const std::optional<double> value = ParseRating(row.field);
    ASSERT_EQ(value.has_value(), row.value.has_value()) << row.field;
    if (value) {
      EXPECT_DOUBLE_EQ(*value, *row.value) << row.field;
    }
  }
}

TEST(ClubPassword, GroupsOfThreeDigitsPerCharacter) {
  EXPECT_EQ(EncodePassword("abc"), "331332333266266");  // two blanks added
  EXPECT_EQ(EncodePassword(""), "266266266266266");
  EXPECT_EQ(EncodePassword("abcdefg"), "331332333334335");  // five characters at most
  EXPECT_EQ(EncodePassword("\xD1\x8F"), "489266266266266");  // Cyrillic ya, byte 255
  EXPECT_EQ(DecodePassword("331332333266266"), "abc  ");
  EXPECT_EQ(DecodePassword("489266266266266"), "\xD1\x8F    ");
  EXPECT_EQ(DecodePassword("9x9100266266266"), "??   ");  // no code of a character
}

TEST(ClubPassword, TypedPasswordIsPaddedBeforeComparing) {
  ClubMember member;
  member.Empty = false;
  member.Password = DecodePassword(EncodePassword("abc"));
  EXPECT_TRUE(PasswordMatches(member, "abc"));
  EXPECT_TRUE(PasswordMatches(member, "abc  "));
  EXPECT_FALSE(PasswordMatches(member, "abd"));
  EXPECT_FALSE(PasswordMatches(member, "ab"));
  member.Empty = true;
  EXPECT_FALSE(PasswordMatches(member, "abc"));
}

TEST(ClubMemberLine, HasTheFixedLayout) {
  ClubMember member;
  member.Empty = false;
  member.Name = "Ivan";
  member.Rating = 12.3456789;
  member.Games = 26;
  member.CycleScore = -35;
  member.Password = "abc";
  const std::string line = FormatMemberLine(member);
  EXPECT_EQ(line, "Ivan                 12,345679     26    -35331332333266266");
  ASSERT_EQ(line.size(), kMemberLineLength);

  const ClubMember back = ParseMemberLine(line);
  EXPECT_FALSE(back.Empty);
  EXPECT_EQ(back.Name, "Ivan");
  EXPECT_DOUBLE_EQ(back.Rating, 12.345679);
  EXPECT_EQ(back.Games, 26);
  EXPECT_EQ(back.CycleScore, -35);
  EXPECT_EQ(back.Password, "abc  ");
  EXPECT_EQ(FormatMemberLine(back), line);
}

TEST(ClubMemberLine, KeepsItsLayoutWhateverTheValues) {
  ClubMember member;
  member.Empty = false;
  member.Name = "A name far longer than twenty characters\r\n";
  member.Games = 123456789;
  member.CycleScore = -7654321;
  member.Password = "\xE4\xB8\xAD";  // a character the code page lacks
  const std::string line = FormatMemberLine(member);
  ASSERT_EQ(line.size(), kMemberLineLength);
  EXPECT_EQ(line.substr(0, 20), "A name far longer th");
  EXPECT_EQ(line.substr(30, 7), "9999999");
  EXPECT_EQ(line.substr(38, 6), "-99999");
  EXPECT_EQ(line.substr(44, 3), "297");  // "?" is 63
  EXPECT_FALSE(IsEmptySlot(line));
}

TEST(ClubMemberLine, EmptySlot) {
  EXPECT_EQ(EmptyMemberLine(), std::string(37, '#') + " " + std::string(21, '#'));
  EXPECT_TRUE(IsEmptySlot(EmptyMemberLine()));
  EXPECT_TRUE(ParseMemberLine(EmptyMemberLine()).Empty);
  EXPECT_EQ(FormatMemberLine(ClubMember{}), EmptyMemberLine());
  EXPECT_TRUE(IsEmptySlot("short"));
}

TEST(ClubTopTenLine, NameAndRightAlignedScore) {
  EXPECT_EQ(FormatTopTenLine("Olga", 1234), "Olga                  1234");
  const TopTenEntry entry = ParseTopTenLine("Olga                  -234");
  EXPECT_FALSE(entry.Empty);
  EXPECT_EQ(entry.Name, "Olga");
  EXPECT_EQ(entry.Score, -234);
  EXPECT_EQ(entry.ScoreText, "  -234");
  EXPECT_TRUE(ParseTopTenLine(EmptyTopTenLine()).Empty);
}

TEST(ClubRatingRule, AveragesTheScoreOverTheGames) {
  const struct {
    int games_before;
    double rating_before;
    int score;
    int games_after;
    double rating;
  } rows[] = {
      {0, 0.0, 450, 1, 9.0},
      {24, 2.5, -100, 25, 2.32},     // (60 - 2) / 25
      {2, 0.0, 1, 3, 0.006667},      // 0.00666... to six decimals
      {2, 0.0, -1, 3, -0.006667},
      {0, 0.0, 10000, 1, 99.99},     // held within the limits
      {0, 0.0, -10000, 1, -99.99},
      {5, 1.0, 0, 0, 1.0},           // no games after: the rating stays
  };
  for (const auto& row : rows) {
    EXPECT_NEAR(RatingAfterGame(row.games_before, row.rating_before, row.score, row.games_after), row.rating, 1e-9)
        << row.games_before << " " << row.score;
  }
}

TEST(ClubRatingRule, MemberAfterGame) {
  ClubMember before;
  before.Empty = false;
  before.Name = "Ivan";
  before.Games = 24;
  before.Rating = 1.0;
  before.CycleScore = 300;
  const ClubMember after = MemberAfterGame(before, 100);
  EXPECT_EQ(after.Games, 25);
  EXPECT_NEAR(after.Rating, 1.04, 1e-12);
  EXPECT_EQ(after.CycleScore, 400);
  EXPECT_TRUE(CycleEnded(after));
  EXPECT_FALSE(CycleEnded(before));
  EXPECT_EQ(after.Name, "Ivan");
}

TEST(ClubCheckLine, SumsOfTheEmptyClub) {
  // 583 characters: "#" everywhere but the five blanks of the empty slots
  // (positions 38, 97, 156, 215, 274) and "m}" at 556-557.
  //   C1 = 5 (58 x 35 + 32) + 260 x 35 + 109 + 125 + 26 x 35 = 20554
  //   C2 = 291 x 35 - 3 x 3 (blanks at 38, 156, 274) + 74 ("m" at 556) = 10250
  //   C3 = 194 x 35 - 3 (blank at 156) = 6787
  const ClubLines lines = EmptyClubLines();
  EXPECT_EQ(ClubCheckSum(lines), "020554010250006787");
  EXPECT_EQ(lines[16].substr(10), "020554010250006787");
  EXPECT_EQ(lines[15].substr(0, 2), "m}");
  EXPECT_EQ(lines[16].substr(6, 3), kPublicLabel);
  EXPECT_EQ(ParseClubFile(FormatClubFile(lines)), lines);
}

TEST(ClubCheckLine, EveryChangedCharacterOfLinesOneToSixteenIsRefused) {
  const std::string bytes = FormatClubFile(EmptyClubLines());
  ASSERT_TRUE(ParseClubFile(bytes));
  int changed = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') continue;
    const std::size_t line_start = bytes.rfind('\n', i) == std::string::npos ? 0 : bytes.rfind('\n', i) + 1;
    const bool in_check = i >= bytes.size() - 30 + 10 && i < bytes.size() - 2;  // line 17, positions 11-28
    if (line_start == bytes.size() - 30 && !in_check) continue;  // line 17, 1-10: installed, not checked
    std::string tampered = bytes;
    tampered[i] = tampered[i] == 'A' ? 'B' : 'A';
    EXPECT_FALSE(ParseClubFile(tampered)) << "position " << i;
    ++changed;
  }
  EXPECT_EQ(changed, 583 + 18);
}

TEST(ClubCheckLine, LayoutMustBeExact) {
  const ClubLines good = EmptyClubLines();
  const auto sealed = [](ClubLines lines) {
    SealClubLines(lines);
    return lines;
  };
  ClubLines long_member = good;
  long_member[0] += "#";
  ClubLines short_top = good;
  short_top[7].pop_back();
  ClubLines wrong_mark = good;
  wrong_mark[15][0] = 'n';
  const std::string rows[] = {
      FormatClubFile(sealed(long_member)),
      FormatClubFile(sealed(short_top)),
      FormatClubFile(sealed(wrong_mark)),
      FormatClubFile(good) + "\r\n",          // an 18th line
      FormatClubFile(good) + "extra",
      FormatClubFile(good).substr(0, FormatClubFile(good).size() - 30),  // 16 lines
      "",
  };
  for (const std::string& bytes : rows) EXPECT_FALSE(ParseClubFile(bytes)) << bytes.size();
  // Lone LF line ends hold the same lines.
  std::string lf = FormatClubFile(good);
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  EXPECT_EQ(ParseClubFile(lf), good);
}

}  // namespace
}  // namespace varnok
