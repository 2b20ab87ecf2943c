#include <gtest/gtest.h>

#include <QRawFont>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <map>
#include <memory>
#include <ostream>

#include "fonts.h"
#include "words.h"

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) {
  *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace varnok::i18n {
namespace {

// Qt keeps substitutes in lower case.
QStringList Lower(QStringList families) {
  for (QString& family : families) family = family.toLower();
  return families;
}

TEST(FontSize, RoundsTheScaledSizeHalvesToEven) {
  struct Case {
    int size, scale, expected;
  };
  const Case cases[] = {
      {20, 100, 20}, {20, 150, 30}, {20, 50, 10},  {25, 50, 12},  {35, 50, 18},   {15, 50, 8},
      {13, 50, 6},   {11, 150, 16}, {11, 130, 14}, {16, 75, 12},  {18, 125, 22},  {14, 125, 18},
      {0, 150, 0},   {30, 0, 0},    {-25, 50, -12}, {-35, 50, -18}, {-13, 130, -17}, {40, 101, 40},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleFontSize(c.size, c.scale), c.expected) << c.size << " at " << c.scale << "%";
  }
}

class Fonts : public ::testing::Test {
 protected:
  void TearDown() override { SetFontSettings(DefaultFontSettings()); }
};

TEST_F(Fonts, TheFourKindsAndTheirDefaults) {
  struct Case {
    FontKind kind;
    const char* key;
    const char* face;
  };
  const Case cases[] = {{FontKind::Decor, "decor", "Comic Sans MS"},
                        {FontKind::Serif, "serif", "Comic Sans MS"},
                        {FontKind::Fixed, "fixed", "FixedSys"},
                        {FontKind::Conew, "conew", "Courier New"}};
  const FontSettings defaults = DefaultFontSettings();
  for (const Case& c : cases) {
    EXPECT_EQ(FontKindKey(c.kind), QLatin1String(c.key));
    EXPECT_EQ(FontKindFromKey(c.key), c.kind) << c.key;
    EXPECT_EQ(DefaultFontFace(c.kind), QLatin1String(c.face)) << c.key;
    EXPECT_EQ(defaults[static_cast<std::size_t>(c.kind)].face, QLatin1String(c.face)) << c.key;
    EXPECT_EQ(defaults[static_cast<std::size_t>(c.kind)].scale, 100) << c.key;
  }
  for (const char* key : {"", "Decor", "bold", "decor "}) EXPECT_FALSE(FontKindFromKey(key)) << key;
  EXPECT_EQ(CurrentFontSettings(), defaults);
}

TEST_F(Fonts, EachKindScalesByItsOwnSetting) {
  FontSettings settings = DefaultFontSettings();
  settings[static_cast<std::size_t>(FontKind::Decor)].scale = 150;
  settings[static_cast<std::size_t>(FontKind::Serif)].scale = 50;
  settings[static_cast<std::size_t>(FontKind::Fixed)].scale = 100;
  settings[static_cast<std::size_t>(FontKind::Conew)].scale = 75;
  SetFontSettings(settings);
  struct Case {
    int size;
    const char* kind;
    int expected;
  };
  const Case cases[] = {
      {20, "decor", 30}, {20, "serif", 10}, {25, "serif", 12}, {11, "fixed", 11},
      {16, "conew", 12}, {20, "conew", 15}, {20, "bold", 20},  {20, "", 20},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontSize(c.size, c.kind), c.expected) << c.size << " " << c.kind;
    if (const auto kind = FontKindFromKey(c.kind)) {
      EXPECT_EQ(FontSize(c.size, *kind), c.expected) << c.kind;
    }
  }
}

TEST_F(Fonts, AKindFontHasTheKindsFaceAndScaledHeight) {
  FontSettings settings = DefaultFontSettings();
  settings[static_cast<std::size_t>(FontKind::Serif)] = {QStringLiteral("Courier New"), 150};
  SetFontSettings(settings);
  const QFont serif = KindFont(FontKind::Serif, 16);
  EXPECT_EQ(serif.family(), QStringLiteral("Courier New"));
  EXPECT_EQ(serif.pixelSize(), 24);
  const QFont fixed = KindFont(FontKind::Fixed, 11);
  EXPECT_EQ(fixed.family(), QStringLiteral("FixedSys"));
  EXPECT_EQ(fixed.pixelSize(), 11);
  EXPECT_TRUE(fixed.fixedPitch());
}

TEST(FontSubstitutes, TheLanguagesOwnCjkFormsComeFirst) {
  struct Case {
    int language;
    const char* first_cjk;
  };
  const Case cases[] = {{kEnglish, "Noto Sans CJK SC"}, {kRussian, "Noto Sans CJK SC"}, {kChinese, "Noto Sans CJK SC"},
                        {kJapanese, "Noto Sans CJK JP"}, {kKorean, "Noto Sans CJK KR"}};
  const auto first_cjk = [](const QStringList& chain) {
    for (const QString& family : chain)
      if (family.contains(QLatin1String("CJK"))) return family;
    return QString();
  };
  for (const Case& c : cases) {
    const QStringList comic = FontSubstitutes(QStringLiteral("Comic Sans MS"), c.language);
    ASSERT_EQ(comic.size(), 5) << c.language;
    EXPECT_EQ(first_cjk(comic), QLatin1String(c.first_cjk)) << c.language;
    const QStringList courier = FontSubstitutes(QStringLiteral("Courier New"), c.language);
    ASSERT_EQ(courier.size(), 5) << c.language;
    EXPECT_EQ(first_cjk(courier), QString(QLatin1String(c.first_cjk)).replace(QLatin1String("Sans"), QLatin1String("Sans Mono")))
        << c.language;
  }
  EXPECT_TRUE(FontSubstitutes(QStringLiteral("Arial Black"), kEnglish).isEmpty());
  EXPECT_EQ(FontSubstitutes(QStringLiteral("fixedsys"), kEnglish), FontSubstitutes(QStringLiteral("FixedSys"), kEnglish));
}

// The first stand-in has every letter of the language, so that a label is
// drawn in one font: Comic Neue has no Cyrillic letters, only the CJK fonts
// have Chinese, Japanese and Korean ones.
TEST(FontSubstitutes, TheFirstStandInWritesTheWholeLanguage) {
  struct Case {
    const char* face;
    int language;
    const char* first;
  };
  const Case cases[] = {
      {"Comic Sans MS", kEnglish, "Comic Neue"},        {"Comic Sans MS", kGerman, "Comic Neue"},
      {"Comic Sans MS", kRussian, "DejaVu Sans"},       {"Comic Sans MS", kChinese, "Noto Sans CJK SC"},
      {"Comic Sans MS", kKorean, "Noto Sans CJK KR"},   {"Courier New", kRussian, "Liberation Mono"},
      {"Courier New", kJapanese, "Noto Sans Mono CJK JP"}, {"FixedSys", kRussian, "Terminus"},
      {"FixedSys", kChinese, "Noto Sans Mono CJK SC"},  {"MS Sans Serif", kChinese, "Noto Sans CJK SC"},
  };
  for (const Case& c : cases) {
    const QStringList chain = FontSubstitutes(QLatin1String(c.face), c.language);
    ASSERT_FALSE(chain.isEmpty());
    EXPECT_EQ(chain.front(), QLatin1String(c.first)) << c.face << ", language " << c.language;
    // Nothing is lost: the same families, reordered.
    EXPECT_EQ(chain.size(), FontSubstitutes(QLatin1String(c.face), kEnglish).size());
  }
}

// Font look-ups need the GUI application; one lives for the whole program.
class InstalledFonts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "varnok_i18n_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
  }
  void TearDown() override { SetLanguage(kEnglish); }

  // The family that a font of this name resolves to.
  static QString Resolved(const QString& family) {
    QFont font(family);
    font.setPixelSize(16);
    return QFontInfo(font).family();
  }
};

TEST_F(InstalledFonts, TheSettingsFaceNamesResolveToTheirStandIns) {
  SetLanguage(kEnglish);
  struct Case {
    const char* face;
    const char* family;
  };
  const Case cases[] = {{"Comic Sans MS", "Comic Neue"},
                        {"Courier New", "Liberation Mono"},
                        {"FixedSys", "Terminus"},
                        {"MS Sans Serif", "DejaVu Sans"}};
  for (const Case& c : cases) {
    EXPECT_EQ(QFont::substitutes(QLatin1String(c.face)), Lower(FontSubstitutes(QLatin1String(c.face), kEnglish)))
        << c.face;
    EXPECT_EQ(Resolved(QLatin1String(c.face)), QLatin1String(c.family)) << c.face;
  }
  EXPECT_TRUE(QFontInfo(KindFont(FontKind::Fixed, 11)).fixedPitch());
  EXPECT_TRUE(QFontInfo(KindFont(FontKind::Conew, 11)).fixedPitch());
}

TEST_F(InstalledFonts, ChangingTheLanguageReordersTheStandIns) {
  SetLanguage(kKorean);
  EXPECT_EQ(QFont::substitutes(QStringLiteral("Comic Sans MS")),
            Lower(FontSubstitutes(QStringLiteral("Comic Sans MS"), kKorean)));
  EXPECT_EQ(QFont::substitutes(QStringLiteral("Comic Sans MS")).value(0), QStringLiteral("noto sans cjk kr"));
  SetLanguage(kJapanese);
  EXPECT_EQ(QFont::substitutes(QStringLiteral("FixedSys")).value(0), QStringLiteral("noto sans mono cjk jp"));
  EXPECT_EQ(QFont::substitutes(QStringLiteral("FixedSys")).size(), 5);
}

TEST_F(InstalledFonts, EveryStandInIsInstalled) {
  for (const QString& face : SubstitutedFaces()) {
    for (int language = 0; language < kLanguageCount; ++language) {
      for (const QString& family : FontSubstitutes(face, language)) {
        EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
        EXPECT_EQ(Resolved(family), family) << family.toStdString();
      }
    }
  }
}

// Every character of every text, in every language, has a glyph in one of
// the stand-ins of each face: nothing is drawn as a box.
TEST_F(InstalledFonts, EveryTextHasGlyphsInEachFace) {
  std::map<QString, std::unique_ptr<QFontMetrics>> metrics;
  const auto covered = [&](const QString& family, char32_t c) {
    auto& m = metrics[family];
    if (!m) m = std::make_unique<QFontMetrics>(QFont(family));
    return m->inFontUcs4(c);
  };
  for (const QString& face : SubstitutedFaces()) {
    for (int language = 0; language < kLanguageCount; ++language) {
      const QStringList chain = FontSubstitutes(face, language);
      QStringList texts{LanguageItem(language)};
      for (const WordTable table : {WordsMain, WordsGames}) {
        for (const int row : ListedRows(table)) texts.append(Text(table, row, language));
      }
      for (const QString& text : texts) {
        for (const char32_t c : text.toUcs4()) {
          if (c == U'\n' || c == U'\r') continue;
          const bool found = std::any_of(chain.begin(), chain.end(), [&](const QString& f) { return covered(f, c); });
          EXPECT_TRUE(found) << face.toStdString() << ", language " << language << ": U+" << std::hex
                             << static_cast<unsigned>(c) << " in \"" << text.toStdString() << "\"";
        }
      }
    }
  }
}

// Every text of a language is drawn in one font: the font that each face
// resolves to in that language has all of the text's letters, also after the
// language was changed while the program runs.
TEST_F(InstalledFonts, EveryTextOfALanguageIsDrawnInOneFont) {
  for (const int language : {kEnglish, kRussian, kGerman, kChinese, kCzech, kKorean, kRussian}) {
    SetLanguage(language);
    for (const QString& face : SubstitutedFaces()) {
      QFont font = FaceFont(face);
      font.setPixelSize(16);
      // The font Qt takes first for the text; the letters it lacks would come from others.
      const QRawFont primary = QRawFont::fromFont(font);
      ASSERT_TRUE(primary.isValid());
      int missing = 0;
      QString first;
      for (const WordTable table : {WordsMain, WordsGames}) {
        for (const int row : ListedRows(table)) {
          const QString text = Text(table, row, language);
          for (const char32_t c : text.toUcs4()) {
            if (c < 0x20 || primary.supportsCharacter(c)) continue;
            if (missing++ == 0) first = text;
          }
        }
      }
      EXPECT_EQ(missing, 0) << face.toStdString() << " in " << primary.familyName().toStdString() << ", language "
                            << language << ": first in \"" << first.toStdString() << "\"";
    }
  }
}

}  // namespace
}  // namespace varnok::i18n
