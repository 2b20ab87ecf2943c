// Code page 1251: every byte's character, the trip to UTF-8 and back, and
// what becomes of text the code page cannot hold or that is not UTF-8.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cp1251.h"

namespace varnok {
namespace {

struct ByteRow {
  unsigned char byte;
  const char* utf8;
};

std::string Byte(unsigned char b) { return std::string(1, static_cast<char>(b)); }

// Bytes 0x80 to 0xBF, written as the characters they stand for.
const ByteRow kHighHalf[] = {
    {0x80, "Ђ"}, {0x81, "Ѓ"}, {0x82, "‚"}, {0x83, "ѓ"}, {0x84, "„"}, {0x85, "…"}, {0x86, "†"}, {0x87, "‡"},
    {0x88, "€"}, {0x89, "‰"}, {0x8A, "Љ"}, {0x8B, "‹"}, {0x8C, "Њ"}, {0x8D, "Ќ"}, {0x8E, "Ћ"}, {0x8F, "Џ"},
    {0x90, "ђ"}, {0x91, "‘"}, {0x92, "’"}, {0x93, "“"}, {0x94, "”"}, {0x95, "•"}, {0x96, "–"}, {0x97, "—"},
    {0x98, "\xC2\x98"},  // unassigned: kept as the control character U+0098
    {0x99, "™"}, {0x9A, "љ"}, {0x9B, "›"}, {0x9C, "њ"}, {0x9D, "ќ"}, {0x9E, "ћ"}, {0x9F, "џ"},
    {0xA0, "\xC2\xA0"},  // no-break space
    {0xA1, "Ў"}, {0xA2, "ў"}, {0xA3, "Ј"}, {0xA4, "¤"}, {0xA5, "Ґ"}, {0xA6, "¦"}, {0xA7, "§"},
    {0xA8, "Ё"}, {0xA9, "©"}, {0xAA, "Є"}, {0xAB, "«"}, {0xAC, "¬"},
    {0xAD, "\xC2\xAD"},  // soft hyphen
    {0xAE, "®"}, {0xAF, "Ї"},
    {0xB0, "°"}, {0xB1, "±"}, {0xB2, "І"}, {0xB3, "і"}, {0xB4, "ґ"}, {0xB5, "µ"}, {0xB6, "¶"}, {0xB7, "·"},
    {0xB8, "ё"}, {0xB9, "№"}, {0xBA, "є"}, {0xBB, "»"}, {0xBC, "ј"}, {0xBD, "Ѕ"}, {0xBE, "ѕ"}, {0xBF, "ї"},
};

TEST(Cp1251, EveryByteOfTheUpperHalfStandsForItsCharacter) {
  ASSERT_EQ(std::size(kHighHalf), 64u);
  for (const ByteRow& row : kHighHalf) {
    SCOPED_TRACE(::testing::Message() << "byte 0x" << std::hex << int{row.byte});
    EXPECT_EQ(Cp1251ToUtf8(Byte(row.byte)), row.utf8);
    EXPECT_EQ(Utf8ToCp1251(row.utf8), Byte(row.byte));
  }
}

TEST(Cp1251, CyrillicAlphabetFillsTheTopQuarterInOrder) {
  const std::string alphabet =
      "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
      "абвгдежзийклмнопрстуфхцчшщъыьэюя";
  std::string bytes;
  for (int b = 0xC0; b <= 0xFF; ++b) bytes += static_cast<char>(b);
  EXPECT_EQ(Cp1251ToUtf8(bytes), alphabet);
  EXPECT_EQ(Utf8ToCp1251(alphabet), bytes);
}

TEST(Cp1251, AsciiIsItself) {
  std::string ascii;
  for (int b = 0; b < 0x80; ++b) ascii += static_cast<char>(b);
  EXPECT_EQ(Cp1251ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp1251(ascii), ascii);
}

TEST(Cp1251, EveryByteStringSurvivesTheTripThroughUtf8) {
  std::string all;
  std::set<char32_t> characters;
  for (int b = 0; b < 256; ++b) {
    all += static_cast<char>(b);
    characters.insert(Cp1251ToUnicode(static_cast<unsigned char>(b)));
  }
  EXPECT_EQ(characters.size(), 256u) << "two bytes share a character";
  const std::string reversed(all.rbegin(), all.rend());
  for (const std::string& bytes : {all, reversed, std::string("\x98\x98\xE8\x00\xFF", 5)})
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(bytes)), bytes);
}

TEST(Cp1251, PhraseConvertsBothWays) {
  const std::string text = "Привет, мир! Ёжик №5 — «ок»";
  const std::string bytes = "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xE6\xE8\xEA \xB9" "5 \x97 \xAB\xEE\xEA\xBB";
  EXPECT_EQ(Utf8ToCp1251(text), bytes);
  EXPECT_EQ(Utf8ToCp1251Lossy(text), bytes);
  EXPECT_EQ(Cp1251ToUtf8(bytes), text);
}

struct LossyRow {
  const char* utf8;
  const char* cp1251;  // what the lossy conversion gives
};

TEST(Cp1251, CharactersTheCodePageLacksBecomeQuestionMarks) {
  const LossyRow rows[] = {
      {"Zürich", "Z?rich"},         // Latin small a with diaeresis
      {"李", "?"},                   // three bytes of UTF-8, one character
      {"😀!", "?!"},                 // four bytes of UTF-8, one character
      {"\xEF\xBF\xBD", "?"},         // the replacement character itself
      {"Ё€李ж", "\xA8\x88?\xE6"},
  };
  for (const LossyRow& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(Utf8ToCp1251Lossy(row.utf8), row.cp1251);
    EXPECT_EQ(Utf8ToCp1251(row.utf8), std::nullopt);
  }
  EXPECT_EQ(UnicodeToCp1251(U'\u00E4'), std::nullopt);
  EXPECT_EQ(UnicodeToCp1251(U'\U0010FFFF'), std::nullopt);
  EXPECT_EQ(UnicodeToCp1251(U'\u0098'), 0x98);
}

TEST(Cp1251, MalformedUtf8IsReplacedPieceByPiece) {
  const LossyRow rows[] = {
      {"\x80", "?"},                  // a continuation byte alone
      {"a\xD0", "a?"},                // cut after the first byte
      {"\xD0\x98\x80", "\xC8?"},      // a good letter, then a stray continuation
      {"\xE2\x82" "A", "?A"},         // the first two bytes of the euro sign
      {"\xF0\x9F\x98", "?"},          // a four-byte character cut short
      {"\xC0\xAF", "??"},             // overlong slash: C0 never starts a character
      {"\xE0\x80\xAF", "???"},        // overlong three-byte form
      {"\xED\xA0\x80", "???"},        // a surrogate half
      {"\xF4\x90\x80\x80", "????"},   // beyond U+10FFFF
      {"\xFF\xFE" "ok", "??ok"},      // bytes that never occur in UTF-8
  };
  for (const LossyRow& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(std::string(row.utf8)));
    EXPECT_EQ(Utf8ToCp1251Lossy(row.utf8), row.cp1251);
    EXPECT_EQ(Utf8ToCp1251(row.utf8), std::nullopt);
  }
}

}  // namespace
}  // namespace varnok
