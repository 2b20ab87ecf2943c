// The club list of the menu: the row texts of both views from a club file,
// the "#" forms of an empty slot, and the shortening of a row too wide for the
// list.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

#include "../table/widget_test.h"
#include "club_file.h"
#include "club_list.h"
#include "club_member.h"

namespace varnok {
namespace {

QString Line(const ClubMember& member) { return QString::fromStdString(FormatMemberLine(member)); }

QString Blanks(int n) { return QString(n, QLatin1Char(' ')); }

// Ten pixels a character, twenty for a character outside ASCII.
int TenPerCharacter(const QString& text) {
  int width = 0;
  for (QChar c : text) width += c.unicode() > 0x7f ? 20 : 10;
  return width;
}

TEST(ClubList, RatingIsRoundedToTwoDecimalsWithAComma) {
  const struct {
    double rating;
    const char* text;
  } cases[] = {
      {12.345679, " 12,35"}, {-0.25, " -0,25"}, {0.0, "  0,00"},   {0.015, "  0,02"},
      {0.025, "  0,02"},     {99.99, " 99,99"}, {-99.99, "-99,99"}, {-5.5, " -5,50"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClubRatingText(Line(Member("A", c.rating, 1, 0))), QString::fromLatin1(c.text)) << c.rating;
  }
  EXPECT_EQ(ClubRatingText(QString::fromStdString(EmptyMemberLine())), QStringLiteral("######"));
}

TEST(ClubList, GamesOfTheCycleCountModulo25) {
  const struct {
    int games;
    const char* text;
  } cases[] = {{0, "  0"}, {3, "  3"}, {24, " 24"}, {25, "  0"}, {27, "  2"}, {1000, "  0"}, {1013, " 13"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ClubCycleGamesText(Line(Member("A", 1.0, c.games, 0))), QString::fromLatin1(c.text)) << c.games;
  }
  EXPECT_EQ(ClubCycleGamesText(QString::fromStdString(EmptyMemberLine())), QStringLiteral("###"));
}

TEST(ClubList, RowsOfBothViews) {
  const QString anna = Line(Member("Anna", 12.345679, 27, 140));
  const QString boris = Line(Member("Boris", -0.25, 3, -35));
  const QString empty = QString::fromStdString(EmptyMemberLine());
  const QString hashes20(20, QLatin1Char('#'));
  const struct {
    int view;
    QString line;
    QString row;
  } cases[] = {
      {1, anna, QStringLiteral("Anna") + Blanks(22) + QStringLiteral("2       140")},
      {2, anna, QStringLiteral("Anna") + Blanks(23) + QStringLiteral("27   12,35")},
      {1, boris, QStringLiteral("Boris") + Blanks(21) + QStringLiteral("3       -35")},
      {2, boris, QStringLiteral("Boris") + Blanks(23) + QStringLiteral("3   -0,25")},
      {1, empty, hashes20 + QStringLiteral("    ###    ######")},
      {2, empty, hashes20 + QStringLiteral("  #######  ######")},
      {7, anna, QStringLiteral("Anna") + Blanks(22) + QStringLiteral("2       140")},  // any other view is view 1
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClubRowText(c.view, c.line), c.row) << c.view << " " << c.line.toStdString();
    EXPECT_EQ(ClubRowText(c.view, c.line).size(), 37);
  }
}

TEST(ClubList, FittingCutsInsideTheNameAndMarksLostLetters) {
  // The rest of a view 1 row after the name: 17 characters, 170 pixels.
  const QString tail = QStringLiteral("      2       140");
  const struct {
    const char* what;
    QString row;
    QString fitted;
  } cases[] = {
      // 370 pixels: one character goes, a letter, so "..." marks the cut.
      {"20-letter name loses its last letter", QStringLiteral("ABCDEFGHIJKLMNOPQRST") + tail,
       QStringLiteral("ABCDEFGHIJKLMNOP...") + tail},
      {"a short name loses only a blank", QStringLiteral("Anna") + Blanks(16) + tail,
       QStringLiteral("Anna") + Blanks(15) + tail},
      {"an empty slot loses a #", QString(20, QLatin1Char('#')) + QStringLiteral("    ###    ######"),
       QString(19, QLatin1Char('#')) + QStringLiteral("    ###    ######")},
      // 420 pixels: six blanks go, no letter.
      {"wide letters: blanks go first", QStringLiteral("ЖЖЖЖЖ") + Blanks(15) + tail,
       QStringLiteral("ЖЖЖЖЖ") + Blanks(9) + tail},
      // 490 pixels: eight blanks and three letters go.
      {"wide letters: letters go too", QStringLiteral("ЖЖЖЖЖЖЖЖЖЖЖЖ") + Blanks(8) + tail,
       QStringLiteral("ЖЖЖЖЖЖ...") + tail},
      {"narrow enough stays", QStringLiteral("Anna"), QStringLiteral("Anna")},
  };
  for (const auto& c : cases) {
    const QString fitted = FitClubRow(c.row, TenPerCharacter);
    EXPECT_EQ(fitted, c.fitted) << c.what;
    EXPECT_LT(TenPerCharacter(fitted), kClubRowWidthLimit) << c.what;
  }
}

TEST(ClubList, FittingStopsAtPositionFour) {
  const auto tooWide = [](const QString&) { return 1000; };
  const QString row = QStringLiteral("ABCDEFGHIJKLMNOPQRST    2       140");
  // Positions 20 down to 5 go; the three letters before the cut become "...".
  EXPECT_EQ(FitClubRow(row, tooWide), QStringLiteral("A...    2       140"));
  EXPECT_EQ(FitClubRow(QStringLiteral("AB"), tooWide), QStringLiteral("AB"));
}

class ClubFileList : public testing::WidgetTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("Varnok.clb"));
    ClubLines lines = EmptyClubLines();
    lines[0] = FormatMemberLine(Member("Anna", 12.345679, 27, 140));
    lines[1] = FormatMemberLine(Member("Boris", -0.25, 3, -35));
    ASSERT_TRUE(SaveClubFile(path_.toStdString(), lines));
  }
  QTemporaryDir dir_;
  QString path_;
};

TEST_F(ClubFileList, ReadsTheMembersOfTheFileInBothViews) {
  const ClubList one = ReadClubList(1, path_, 0, TenPerCharacter);
  ASSERT_TRUE(one.readable);
  EXPECT_EQ(one.header, QStringLiteral(" The members of club    Games    Score "));
  // 370 pixels at ten a character: one blank of the name goes.
  EXPECT_EQ(one.rows[0], QStringLiteral("Anna") + Blanks(15) + QStringLiteral("      2       140"));
  EXPECT_EQ(one.rows[1], QStringLiteral("Boris") + Blanks(14) + QStringLiteral("      3       -35"));
  const ClubList two = ReadClubList(2, path_, 0, [](const QString&) { return 0; });
  EXPECT_EQ(two.header, QStringLiteral(" The members of club    Games   Rating "));
  EXPECT_EQ(two.rows[0], QStringLiteral("Anna") + Blanks(23) + QStringLiteral("27   12,35"));
  EXPECT_EQ(two.rows[2], QString(20, QLatin1Char('#')) + QStringLiteral("  #######  ######"));
  EXPECT_EQ(two.empty, (std::array<bool, 5>{false, false, true, true, true}));
}

TEST_F(ClubFileList, ARegularRowFitsTheListInItsOwnFont) {
  const ClubList list = ReadClubList(1, path_, 0);
  EXPECT_EQ(list.rows[0], QStringLiteral("Anna") + Blanks(22) + QStringLiteral("2       140"));
}

TEST(ClubListFile, AMissingOrBrokenFileShowsFiveEmptySlots) {
  testing::EnsureApplication();  // the list measures its rows in a font
  QTemporaryDir dir;
  const QString broken = dir.filePath(QStringLiteral("Varnok.net"));
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a club file\r\n");
  file.close();
  for (const QString& path : {dir.filePath(QStringLiteral("missing.clb")), broken}) {
    const ClubList list = ReadClubList(1, path, 0);
    EXPECT_FALSE(list.readable);
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_TRUE(list.empty[i]);
      EXPECT_TRUE(list.rows[i].startsWith(QStringLiteral("####################")));
    }
  }
}

}  // namespace
}  // namespace varnok
