// The names of the sounds: effect names, voice codes and spoken card names.
#include <gtest/gtest.h>

#include <QSet>
#include <QString>
#include <string>
#include <vector>

#include "cards.h"
#include "sound_names.h"
#include "words.h"

namespace varnok {
namespace {

struct VoiceCase {
  TCard card;
  int language;
  const char* name;
};

TEST(VoiceResourceName, IsTheFaceNameWithoutDesignThenVoiceAndTheLanguage) {
  const std::vector<VoiceCase> cases = {
      {TCard::Make(kRank10, kHearts), i18n::kRussian, "Ch10VoiceRus"},
      {TCard::Make(kRank9, kDiamonds), i18n::kEnglish, "Bu09VoiceEng"},
      {TCard::Make(kRankJ, kClubs), i18n::kGerman, "Kr2JVoiceDeu"},
      {TCard::Make(kRankQ, kSpades), i18n::kFrench, "Pi3QVoiceFra"},
      {TCard::Make(kRankK, kHearts), i18n::kSpanish, "Ch4KVoiceSpa"},
      {TCard::Make(kRankA, kSpades), i18n::kChinese, "Pi5AVoiceChi"},
      {TCard::Make(kRankA, kDiamonds), i18n::kItalian, "Bu5AVoiceIta"},
      {TCard::Make(kRank9, kClubs), i18n::kCzech, "Kr09VoiceCze"},
      {TCard::Make(kRankQ, kHearts), i18n::kJapanese, "Ch3QVoiceJap"},
      {TCard::Make(kRankK, kSpades), i18n::kKorean, "Pi4KVoiceKor"},
      // A language outside 0..9 speaks English.
      {TCard::Make(kRank10, kClubs), -1, "Kr10VoiceEng"},
      {TCard::Make(kRank10, kClubs), 10, "Kr10VoiceEng"},
      // Not a card: no name.
      {TCard::Empty(), i18n::kEnglish, ""},
      {TCard::Make(0x41, kHearts), i18n::kEnglish, ""},
      {TCard::Make(kRankA, 0x41), i18n::kEnglish, ""},
  };
  for (const VoiceCase& c : cases) {
    EXPECT_EQ(VoiceResourceName(c.card, c.language).toStdString(), c.name) << c.name;
  }
}

TEST(VoiceResourceName, GivesEveryCardItsOwnNameInEveryLanguage) {
  QSet<QString> names;
  for (int language = 0; language < 10; ++language) {
    for (int ordinal = 1; ordinal <= 24; ++ordinal) names.insert(VoiceResourceName(CardOfIndex(ordinal), language));
  }
  EXPECT_EQ(names.size(), 240);
  EXPECT_FALSE(names.contains(QString()));
}

TEST(VoiceLanguageCode, MatchesTheWordTablesVoiceCodeOfEachLanguage) {
  const int before = i18n::LanguageIndex();
  for (int language = 0; language < 10; ++language) {
    i18n::SetLanguage(language);
    EXPECT_EQ(VoiceLanguageCode(language), i18n::VoiceCode()) << language;
  }
  i18n::SetLanguage(before);
}

TEST(EffectNames, AreDistinctSevenLetterNames) {
  const QStringList& names = EffectNames();
  EXPECT_EQ(names.size(), 23);
  EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
  for (const QString& name : names) EXPECT_EQ(name.size(), 7) << name.toStdString();
}

}  // namespace
}  // namespace varnok
