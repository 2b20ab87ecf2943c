// The checks of typed account and passport fields, the saved-account file
// and the country tables.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "account_file.h"
#include "account_rules.h"
#include "countries.h"

namespace varnok::online {
namespace {

TEST(AccountRules, FieldLamps) {
  struct Case {
    const char* text;
    FieldKind kind;
    int lamp;
  } const cases[] = {
      {"", FieldKind::Nick, kRed},
      {"I", FieldKind::Nick, kRed},           // one character
      {"Иван", FieldKind::Nick, kRed},        // Cyrillic in a nick
      {"Iv an", FieldKind::Nick, kRed},       // a blank
      {"Ivan_77", FieldKind::Nick, kGreen},
      {"abcdefghijklm", FieldKind::Nick, kRed},  // 13
      {"Омск", FieldKind::City, kYellow},     // acceptable for registration
      {"Omsk", FieldKind::City, kGreen},
      {"Ёлки", FieldKind::City, kYellow},
      {"Müller", FieldKind::City, kRed},      // not in the code page's classes
      {"abc", FieldKind::Password, kRed},
      {"abcd", FieldKind::Password, kGreen},
      {"abcdef123456", FieldKind::Password, kGreen},
      {"пароль", FieldKind::Password, kRed},
      {"@ab", FieldKind::EMail, kRed},
      {"ab@", FieldKind::EMail, kRed},
      {"a@b", FieldKind::EMail, kGreen},
      {"ab", FieldKind::EMail, kRed},         // no "@"
      {"ж", FieldKind::TypedCharacter, kYellow},
      {" ", FieldKind::TypedCharacter, kRed},
      {"_", FieldKind::TypedCharacter, kGreen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CheckField(c.text, c.kind), c.lamp);
  }
  // The passport takes a Cyrillic nick.
  EXPECT_EQ(CheckPassportField("Иван", FieldKind::Nick), kYellow);
  EXPECT_EQ(CheckPassportField("Incognito", FieldKind::Nick), kGreen);
  EXPECT_EQ(CheckPassportField("a b", FieldKind::City), kRed);
}

TEST(AccountRules, TypingFilter) {
  EXPECT_TRUE(AcceptTypedCharacter(U"ж", FieldKind::City));
  EXPECT_TRUE(AcceptTypedCharacter(U"ж", FieldKind::Nick));  // the nick's lamp turns red
  EXPECT_FALSE(AcceptTypedCharacter(U"ж", FieldKind::Password));
  EXPECT_FALSE(AcceptTypedCharacter(U"ж", FieldKind::EMail));
  EXPECT_FALSE(AcceptTypedCharacter(U" ", FieldKind::Nick));
  EXPECT_FALSE(AcceptTypedCharacter(U"&", FieldKind::EMail));
  EXPECT_TRUE(AcceptTypedCharacter(U"@", FieldKind::EMail));
}

TEST(AccountFile, SavedLoginComesBackAndNeverStandsInClear) {
  QTemporaryDir root;
  const std::filesystem::path program = std::filesystem::path(root.path().toStdString()) / "Varnok";
  std::filesystem::create_directories(program);
  EXPECT_FALSE(ReadAccountFile(program));
  ASSERT_TRUE(WriteAccountFile(program, "Ivan", "secret12"));
  EXPECT_TRUE(std::filesystem::exists(program.parent_path() / "ZubUser.zub"));
  std::ifstream in(program.parent_path() / "ZubUser.zub", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text.rfind("Zub User File\r\nIvan\r\n", 0), 0u);
  EXPECT_EQ(text.find("secret12"), std::string::npos);
  const auto saved = ReadAccountFile(program);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Nick, "Ivan");
  EXPECT_EQ(saved->Pw, "secret12");

  // A saved password holding "#" (or a blank, or "$") is sent with "-".
  ASSERT_TRUE(WriteAccountFile(program, "Ivan", "se#cr$et"));
  EXPECT_EQ(ReadAccountFile(program)->Pw, "se-cr-et");

  EXPECT_TRUE(DeleteAccountFile(program));
  EXPECT_FALSE(AccountFileExists(program));
  // A foreign file is ignored.
  std::ofstream(program.parent_path() / "ZubUser.zub") << "Something else\r\nIvan\r\nx\r\n";
  EXPECT_FALSE(ReadAccountFile(program));
}

TEST(Countries, TablesAndCodes) {
  EXPECT_EQ(CountriesOf(1).size(), 49u);
  EXPECT_EQ(CountriesOf(2).size(), 52u);
  EXPECT_EQ(CountriesOf(3).size(), 36u);
  EXPECT_EQ(CountriesOf(4).size(), 15u);
  EXPECT_EQ(CountriesOf(5).size(), 24u);
  EXPECT_EQ(CountriesOf(6).size(), 55u);
  EXPECT_TRUE(CountriesOf(7).empty());
  for (int c = 1; c <= kContinentCount; ++c) EXPECT_STREQ(CountriesOf(c)[0].English, "Unknown");
  ASSERT_TRUE(CountryOfCode("1-001"));
  EXPECT_STREQ(CountryOfCode("1-001")->Short, "Russia");
  EXPECT_STREQ(CountryOfCode("1-048")->Short, "United_Kingdom");
  EXPECT_STREQ(CountryOfCode("2-007")->Short, "B.I.O.T.");
  EXPECT_FALSE(CountryOfCode("1-049"));
  EXPECT_FALSE(CountryOfCode("9-001"));
  EXPECT_FALSE(CountryOfCode("1001"));
  EXPECT_EQ(CountryCode(3, 7), "3-007");
}

}  // namespace
}  // namespace varnok::online
