// The newcomer's word table: every row in all ten languages, each keeping
// the places its English text fills in, and no translation shared with a
// row of another meaning in any of the three tables.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <map>
#include <set>

#include "guide_rows.h"
#include "words.h"

namespace varnok::i18n {
namespace {

std::multiset<QString> Places(const QString& text) {
  std::multiset<QString> places;
  static const QRegularExpression place(QStringLiteral("%[1-9]"));
  for (auto it = place.globalMatch(text); it.hasNext();) places.insert(it.next().captured());
  return places;
}

TEST(GuideWords, EveryRowIsThereInAllTenLanguages) {
  EXPECT_TRUE(TableProblems().isEmpty()) << TableProblems().join(u'\n').toStdString();
  EXPECT_EQ(RowCount(WordsGuide), kWordsGuideRows);
  const std::vector<int> rows = ListedRows(WordsGuide);
  ASSERT_EQ(static_cast<int>(rows.size()), kWordsGuideRows);
  for (const int row : rows) {
    for (int language = 0; language < kLanguageCount; ++language)
      EXPECT_FALSE(Text(WordsGuide, row, language).trimmed().isEmpty()) << "row " << row << " language " << language;
  }
  EXPECT_EQ(Text(WordsGuide, guide::kScoreSheet, kEnglish), QStringLiteral("Score sheet"));
  EXPECT_EQ(Text(WordsGuide, guide::kFollow, kGerman), QStringLiteral("Sie sind dran: bedienen Sie %1"));
}

TEST(GuideWords, TranslationsKeepThePlacesTheyFill) {
  for (const int row : ListedRows(WordsGuide)) {
    const std::multiset<QString> english = Places(Text(WordsGuide, row, kEnglish));
    for (int language = 1; language < kLanguageCount; ++language)
      EXPECT_EQ(Places(Text(WordsGuide, row, language)), english) << "row " << row << " language " << language;
  }
}

TEST(GuideWords, NoTranslationStandsForTwoMeanings) {
  const std::pair<WordTable, const char*> tables[] = {
      {WordsMain, "WordsMain"}, {WordsGames, "WordsGames"}, {WordsGuide, "WordsGuide"}};
  for (int language = 1; language < kLanguageCount; ++language) {
    std::map<QString, QString> english_of;  // translation -> the English of its first row
    for (const auto& [table, name] : tables) {
      for (const int row : ListedRows(table)) {
        const QString text = Text(table, row, language);
        if (text.isEmpty()) continue;
        const QString english = Text(table, row, kEnglish);
        const auto [it, fresh] = english_of.emplace(text, english);
        if (table != WordsGuide || fresh) continue;
        EXPECT_EQ(it->second.toLower(), english.toLower())
            << name << " row " << row << " language " << language << " \"" << text.toStdString() << "\"";
      }
    }
  }
}

}  // namespace
}  // namespace varnok::i18n
