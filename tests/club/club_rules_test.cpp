// The club's rules as both ends apply them: one field check for the
// program's lamps and the server's registration, the wire's value checks
// built on it, and the rating formulas.
#include <gtest/gtest.h>

#include "club/field_rules.h"
#include "club/rating.h"
#include "club/wire_values.h"

namespace varnok::club {
namespace {

struct FieldCase {
  const char* text;
  FieldKind kind;
  int lamp;
};

TEST(ClubFields, OneCheckForEveryField) {
  const FieldCase cases[] = {
      {"", FieldKind::Nick, kRed},
      {"A", FieldKind::Nick, kRed},                                // one character
      {"Ivan_2", FieldKind::Nick, kGreen},
      {"Ivan_Petrov_1", FieldKind::Nick, kRed},                    // 13 characters
      {"\xD0\x98\xD0\xB2", FieldKind::Nick, kRed},                 // Cyrillic nick
      {"\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA", FieldKind::City, kYellow},
      {"Iv an", FieldKind::City, kRed},                            // a blank is in no class
      {"abc", FieldKind::Password, kRed},
      {"abcd1234", FieldKind::Password, kGreen},
      {"a@b.ru", FieldKind::EMail, kGreen},
      {"@b.ru", FieldKind::EMail, kRed},                           // "@" first
      {"ab.ru@", FieldKind::EMail, kRed},                          // "@" last
      {"@a@b", FieldKind::EMail, kGreen},                          // an "@" from the second character on
      {"ab.ru", FieldKind::EMail, kRed},
      {"\xE4\xB8\xAD\xE4\xB8\xAD", FieldKind::City, kRed},         // outside the code page
      {"\xD0\x96", FieldKind::TypedCharacter, kYellow},
      {"!", FieldKind::TypedCharacter, kGreen},
      {" ", FieldKind::TypedCharacter, kRed},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(CheckField(c.text, c.kind), c.lamp) << c.text;
  // The passport takes a Cyrillic nick and does not check an e-mail.
  EXPECT_EQ(CheckPassportField("\xD0\x98\xD0\xB2", FieldKind::Nick), kYellow);
  EXPECT_EQ(CheckPassportField("ab.ru", FieldKind::EMail), kGreen);
}

TEST(ClubFields, TheServersChecksAreTheProgramsLamps) {
  const char* texts[] = {"", "A", "Ivan_2", "abcd1234", "a@b.ru", "@b.ru", "@a@b", "\xD0\x98\xD0\xB2",
                         "\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA", "Iv an", "0123456789abcdef"};
  for (const char* text : texts) {
    EXPECT_EQ(IsAccountNick(text), CheckField(text, FieldKind::Nick) == kGreen) << text;
    EXPECT_EQ(IsAccountPassword(text), CheckField(text, FieldKind::Password) == kGreen) << text;
    EXPECT_EQ(IsAccountEmail(text), CheckField(text, FieldKind::EMail) == kGreen) << text;
    EXPECT_EQ(IsCity(text), CheckField(text, FieldKind::City) >= kYellow) << text;
    EXPECT_EQ(IsPassportNick(text), CheckPassportField(text, FieldKind::Nick) >= kYellow) << text;
  }
  EXPECT_TRUE(AcceptTypedCharacter(U"\u0416", FieldKind::City));
  EXPECT_FALSE(AcceptTypedCharacter(U"\u0416", FieldKind::Password));
  EXPECT_EQ(Cp1251Length("\xD0\x96x"), 2);
  EXPECT_EQ(Cp1251Length("\xE4\xB8\xAD"), -1);  // a character the code page lacks
}

TEST(ClubRating, AnnouncementAndResultAreExactSteps) {
  // A first rated game: announced at -2000, then a result of 60.
  constexpr double announced = AnnounceRating(1, kRatedGameCount, kAnnouncePenalty, kRatingDivisor, 0.0);
  static_assert(announced < -1999.0, "the announcement charges the penalty");
  EXPECT_NEAR(announced, -1999.96, 1e-9);
  EXPECT_NEAR(ResultRating(1, 60, kAnnouncePenalty, kRatingDivisor, announced), 60.04, 1e-9);
  // Announcing and finishing with a result of 0 after ten games of 50.4 keeps the average.
  const double after = ResultRating(11, 0, kAnnouncePenalty, kRatingDivisor,
                                    AnnounceRating(11, 1, kAnnouncePenalty, kRatingDivisor, 50.4));
  EXPECT_NEAR(after, (10 * (50.4 - 10.0 / 25)) / 11 + 11.0 / 25, 1e-9);
  EXPECT_EQ(kMaxCycleScore, kMaxGameResult * kCycleLength);
}

}  // namespace
}  // namespace varnok::club
