// The chat character set: what a message and its stamp become on the wire,
// how the board shows them, and the passport check that lets a player post.
#include <gtest/gtest.h>

#include "chat_text.h"

namespace varnok::online {
namespace {

TEST(ChatText, CharactersOutsideTheSetTravelAsUnderscores) {
  struct Case {
    const char* typed;
    const char* sent;
  } cases[] = {
      {"Hello, world & co", "Hello,_world___co"},
      {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\x81\xD0\xB6", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82_\xD0\x81\xD0\xB6"},  // Привет Ёж
      {"a=b%c$d*e~f#g", "a_b_c_d_e_f_g"},  // nothing of the wire's punctuation gets through
      {"(ok)! -.@_,", "(ok)!_-.@_,"},
      {"\xC3\xA9t\xC3\xA9", "_t_"},          // été: Latin letters with accents are outside
      {"\xF0\x9F\x98\x80!", "_!"},           // one mark for one character
      {"a\xFF\xC3", "a__"},                   // malformed pieces
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ChatSafeText(c.typed), c.sent) << c.typed;
}

TEST(ChatText, TheBoardShowsBlanksForUnderscores) {
  EXPECT_EQ(ChatShownText(ChatSafeText("Hello, world & co")), "Hello, world   co");
  EXPECT_EQ(ChatStamp("4:05:06 PM UTC", "12/10/26", "Varnok"), "4_05_06_PM_UTC_12_10_26_Varnok");
  // A long stamp is cut between characters, never inside a Cyrillic one.
  EXPECT_EQ(ChatClip("ab\xD0\x96\xD0\x96", 3), "ab\xD0\x96");
  EXPECT_EQ(ChatClip("ab", 10), "ab");
}

TEST(ChatText, PassportLampsWithCyrillicAcceptable) {
  struct Case {
    const char* text;
    PassportField field;
    int lamp;
  } cases[] = {
      {"Incognito", PassportField::Nick, 3},
      {"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", PassportField::Nick, 2},  // Иван: yellow, not refused
      {"Moscow", PassportField::City, 3},
      {"\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA", PassportField::City, 2},  // Омск
      {"", PassportField::Nick, 1},
      {"A", PassportField::City, 1},
      {"TwelveLetter", PassportField::Nick, 3},
      {"ThirteenLette", PassportField::Nick, 1},
      {"FifteenLettersX", PassportField::City, 3},
      {"SixteenLettersXY", PassportField::City, 1},
      {"New York", PassportField::City, 1},
      {"S\xC3\xA3o", PassportField::City, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(PassportLamp(c.text, c.field), c.lamp) << c.text;
  EXPECT_TRUE(PassportAcceptable("Incognito", "\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA"));
  EXPECT_FALSE(PassportAcceptable("Incognito", "New York"));
}

}  // namespace
}  // namespace varnok::online
