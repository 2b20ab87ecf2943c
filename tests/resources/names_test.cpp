// Composition of the card, back and background resource names.
#include <gtest/gtest.h>

#include <set>

#include "names.h"

namespace varnok {
namespace {

TCard Card(std::uint8_t rank, std::uint8_t suit) { return TCard::Make(rank, suit); }

TEST(FaceNames, ExamplesOfTheNamingRule) {
  EXPECT_EQ(FaceResourceName(Card(kRankQ, kSpades), 1, kCardSetNormal), "Pi3QMed");
  EXPECT_EQ(FaceResourceName(Card(kRankA, kHearts), 0, kCardSetLarge), "Ch5AB");
  EXPECT_EQ(FaceResourceName(Card(kRankA, kHearts), 0, kCardSetStretched), "Ch5AB");
  EXPECT_EQ(FaceResourceName(Card(kRank9, kDiamonds), 0, kCardSetNormal), "Bu09");
  EXPECT_EQ(FaceResourceName(Card(kRank10, kClubs), 47, kCardSetNormal), "Kr10Cze");
  EXPECT_EQ(FaceResourceName(Card(kRankJ, kClubs), 33, kCardSetLarge), "Kr2JDiaB");
  EXPECT_EQ(FaceResourceName(Card(kRankK, kHearts), 17, kCardSetNormal), "Ch4K004");
}

TEST(FaceNames, CodesWithoutAFaceGiveNoName) {
  EXPECT_EQ(FaceResourceName(TCard::Empty(), 1, kCardSetNormal), "");
  EXPECT_EQ(FaceResourceName(Card(0x38, kHearts), 1, kCardSetNormal), "");   // an eight
  EXPECT_EQ(FaceResourceName(Card(kRankA, kNoSuit), 1, kCardSetNormal), "");
  EXPECT_EQ(FaceResourceName(TCard{1, kRankA, kHearts}, 1, kCardSetNormal), "");  // one letter only
  EXPECT_EQ(FaceResourceName(Card(kRankA, kHearts), 48, kCardSetNormal), "");
  EXPECT_EQ(FaceResourceName(Card(kRankA, kHearts), -1, kCardSetNormal), "");
}

TEST(FaceNames, BorrowedNumbersAndAces) {
  // Design 6 takes nines and tens from "Mod", its own aces and courts.
  EXPECT_EQ(FaceResourceName(Card(kRank9, kHearts), 6, kCardSetNormal), "Ch09Mod");
  EXPECT_EQ(FaceResourceName(Card(kRank10, kSpades), 6, kCardSetLarge), "Pi10ModB");
  EXPECT_EQ(FaceResourceName(Card(kRankA, kHearts), 6, kCardSetNormal), "Ch5ACor");
  EXPECT_EQ(FaceResourceName(Card(kRankJ, kHearts), 6, kCardSetNormal), "Ch2JCor");
  for (int design : {7, 10, 13}) {
    EXPECT_EQ(NumberCode(design), "Mod") << design;
    EXPECT_EQ(AceCode(design), "Mod") << design;
  }
  EXPECT_EQ(FaceResourceName(Card(kRankK, kDiamonds), 10, kCardSetNormal), "Bu4KHis");
  for (int design : {19, 20}) {
    EXPECT_EQ(FaceResourceName(Card(kRank9, kClubs), design, kCardSetNormal), "Kr09Sea");
    EXPECT_EQ(FaceResourceName(Card(kRankA, kClubs), design, kCardSetNormal), "Kr5ASea");
  }
  EXPECT_EQ(FaceResourceName(Card(kRank10, kDiamonds), 25, kCardSetNormal), "Bu10Rhi");
  EXPECT_EQ(FaceResourceName(Card(kRankA, kDiamonds), 25, kCardSetNormal), "Bu5ABoy");
  EXPECT_EQ(FaceResourceName(Card(kRank9, kDiamonds), 27, kCardSetNormal), "Bu09Big");
  EXPECT_EQ(FaceResourceName(Card(kRankA, kDiamonds), 27, kCardSetNormal), "Bu5AUSR");
  // Design 11 keeps its own numbers but borrows its suit signs.
  EXPECT_EQ(FaceResourceName(Card(kRank9, kHearts), 11, kCardSetNormal), "Ch09Nat");
  EXPECT_EQ(SuitSignName(1, 11, false), "BubiMod");
}

TEST(FaceNames, TwentyFourDistinctNamesInCardOrder) {
  for (int design = 0; design < kFaceDesigns; ++design) {
    for (int set : {kCardSetNormal, kCardSetLarge}) {
      const std::vector<std::string> names = FaceResourceNames(design, set);
      ASSERT_EQ(names.size(), 24u);
      EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 24u) << design;
    }
  }
  const std::vector<std::string> builtin = FaceResourceNames(0, kCardSetNormal);
  EXPECT_EQ(builtin.front(), "Ch09");
  EXPECT_EQ(builtin[4], "Ch10");  // 9, J, Q, K, 10, A
  EXPECT_EQ(builtin[6], "Bu09");
  EXPECT_EQ(builtin.back(), "Pi5A");
  EXPECT_TRUE(FaceResourceNames(48, kCardSetNormal).empty());
}

TEST(FaceNames, WidthClass) {
  EXPECT_TRUE(IsFullWidthDesign(0));
  EXPECT_TRUE(IsFullWidthDesign(27));
  EXPECT_FALSE(IsFullWidthDesign(28));
  EXPECT_FALSE(IsFullWidthDesign(39));
  EXPECT_TRUE(IsFullWidthDesign(40));
  EXPECT_FALSE(IsFullWidthDesign(41));
  EXPECT_TRUE(IsFullWidthDesign(45));
  EXPECT_FALSE(IsFullWidthDesign(46));
  EXPECT_FALSE(IsFullWidthDesign(47));
}

TEST(FaceNames, LibraryOfEachDesign) {
  EXPECT_EQ(FaceLibrary(0), "");
  EXPECT_EQ(FaceLibrary(1), "ZubCards06A.dll");
  EXPECT_EQ(FaceLibrary(31), "ZubCards06A.dll");
  EXPECT_EQ(FaceLibrary(32), "ZubCards06B.dll");
  EXPECT_EQ(FaceLibrary(39), "ZubCards06B.dll");
  EXPECT_EQ(FaceLibrary(40), "ZubCards06C.dll");
  EXPECT_EQ(FaceLibrary(47), "ZubCards06C.dll");
  EXPECT_EQ(FaceLibrary(48), "");
  // Designs 9 and 40 share the code "Fra" but live in different libraries.
  EXPECT_EQ(FaceDesignCode(9), "Fra");
  EXPECT_EQ(FaceDesignCode(40), "Fra");
  EXPECT_NE(FaceLibrary(9), FaceLibrary(40));
}

TEST(SuitSigns, Names) {
  EXPECT_EQ(SuitSignName(0, 0, false), "Cher");
  EXPECT_EQ(SuitSignName(0, 0, true), "CherB");
  EXPECT_EQ(SuitSignName(3, 1, true), "PikiMedB");
  EXPECT_EQ(SuitSignName(2, 25, false), "KresRhi");
  EXPECT_EQ(SuitSignName(2, 6, false), "KresMod");
  EXPECT_EQ(SuitSignName(4, 1, false), "");
  EXPECT_EQ(SuitSignName(-1, 1, false), "");
}

TEST(BackNames, DaysCodesAndSuffixes) {
  EXPECT_EQ(BackResourceName(1, 1, kCardSetNormal, true), "Ob01MoCl1");
  EXPECT_EQ(BackResourceName(7, 0, kCardSetNormal, true), "Ob07Su");
  EXPECT_EQ(BackResourceName(6, 0, kCardSetNormal, false), "Ob06Su");
  EXPECT_EQ(BackResourceName(3, 12, kCardSetLarge, true), "Ob03WeRusB");
  EXPECT_EQ(BackResourceName(3, 12, kCardSetStretched, false), "Ob03WeRusU");
  EXPECT_EQ(BackResourceName(10, 8, kCardSetLarge, false), "Ob10XXAniU");
  EXPECT_EQ(BackResourceName(8, 11, kCardSetNormal, true), "Ob08XXOth");
  EXPECT_EQ(BackResourceName(8, 1, kCardSetNormal, true), "");  // seven backs only
  EXPECT_EQ(BackResourceName(0, 1, kCardSetNormal, true), "");
  EXPECT_EQ(BackResourceName(1, 13, kCardSetNormal, true), "");
  EXPECT_EQ(BackCount(7), 7);
  EXPECT_EQ(BackCount(8), 10);
  EXPECT_EQ(BackCount(11), 10);
  EXPECT_EQ(BackCount(12), 7);
}

TEST(BackNames, WhereTheBacksLive) {
  EXPECT_EQ(BackLibrary(0, kCardSetNormal, true), "");
  EXPECT_EQ(BackLibrary(0, kCardSetNormal, false), "");
  EXPECT_EQ(BackLibrary(0, kCardSetLarge, true), "");
  EXPECT_EQ(BackLibrary(0, kCardSetLarge, false), "ZubCards06B.dll");
  EXPECT_EQ(BackLibrary(0, kCardSetStretched, false), "ZubCards06B.dll");
  EXPECT_EQ(BackLibrary(5, kCardSetNormal, true), "ZubCards06B.dll");
}

TEST(BackNames, BackOfTheDay) {
  // Sunday with "To change decks" shows Ob07Su, Saturday Ob06Su.
  EXPECT_EQ(BackDayName(BackNumberOfTheDay(1, false, 7, 4)), "Ob07Su");
  EXPECT_EQ(BackDayName(BackNumberOfTheDay(1, false, 6, 4)), "Ob06Su");
  EXPECT_EQ(BackNumberOfTheDay(3, false, 1, 4), 1);
  EXPECT_EQ(BackNumberOfTheDay(3, true, 1, 4), 7);
  // Designs 8 to 11 draw at random whatever the flag.
  EXPECT_EQ(BackNumberOfTheDay(8, true, 2, 9), 9);
  EXPECT_EQ(BackNumberOfTheDay(11, false, 2, 10), 10);
  EXPECT_EQ(BackNumberOfTheDay(12, false, 2, 10), 2);
}

TEST(BackgroundNames, BuiltInAndLibrary) {
  EXPECT_EQ(BackgroundName(2, 0, 1), "FonG");
  EXPECT_EQ(BackgroundName(2, 0, 3), "FonGB");
  EXPECT_EQ(BackgroundName(1, 6, 1), "Fon01Fi");
  EXPECT_EQ(BackgroundName(10, 4, 2), "Fon10B1B");
  EXPECT_EQ(BackgroundName(2, 3, 5), "Fon02YeB");
  EXPECT_EQ(BackgroundName(0, 0, 1), "");
  EXPECT_EQ(BackgroundName(11, 0, 1), "");
  EXPECT_EQ(BackgroundName(3, 7, 1), "");
  EXPECT_EQ(BackgroundLibrary(2, 0), "");
  EXPECT_EQ(BackgroundLibrary(2, 1), "ZubBackG03.dll");
  EXPECT_EQ(BackgroundLibrary(0, 0), "");
}

TEST(Libraries, TheEightFiles) {
  const std::vector<std::string> expected = {"ZubCards06A.dll", "ZubCards06B.dll", "ZubCards06C.dll",
                                             "ZubBackG03.dll",  "ZubCGraph1.dll",  "ZubCVoice3.dll",
                                             "ZubRadio02.dll",  "ZubCalendar01.dll"};
  EXPECT_EQ(ResourceLibraryFiles(), expected);
}

}  // namespace
}  // namespace varnok
