// Reading the manifest format.
#include <gtest/gtest.h>

#include "manifest.h"

namespace varnok {
namespace {

TEST(ExpandBraces, Alternatives) {
  EXPECT_EQ(ExpandBraces(QStringLiteral("FonG")), QStringList{QStringLiteral("FonG")});
  EXPECT_EQ(ExpandBraces(QStringLiteral("{Ch,Bu}{09,10}Mod")),
            (QStringList{QStringLiteral("Ch09Mod"), QStringLiteral("Ch10Mod"), QStringLiteral("Bu09Mod"),
                         QStringLiteral("Bu10Mod")}));
  EXPECT_EQ(ExpandBraces(QStringLiteral("Ob01Mo{,B,U}")),
            (QStringList{QStringLiteral("Ob01Mo"), QStringLiteral("Ob01MoB"), QStringLiteral("Ob01MoU")}));
  EXPECT_EQ(ExpandBraces(QStringLiteral("W{Prik_}{1,2}")),
            (QStringList{QStringLiteral("WPrik_1"), QStringLiteral("WPrik_2")}));
}

TEST(ExpandBraces, UnbalancedBracesAreErrors) {
  for (const char* bad : {"{Ch,Bu", "Ch}", "{Ch{Bu}}", "a}b{"}) {
    QString error;
    EXPECT_TRUE(ExpandBraces(QString::fromLatin1(bad), &error).isEmpty()) << bad;
    EXPECT_FALSE(error.isEmpty()) << bad;
  }
}

TEST(ParseManifest, EntriesAndComments) {
  const Manifest m = ParseManifest(QStringLiteral("# heading\n"
                                                  "\n"
                                                  "FonG jpeg 760x500 builtin table/fon.svg   # the default table\n"
                                                  "  {WDi}{Play,Pass}\twav - builtin sounds/#1.wav\n"
                                                  "Fon01Gr jpeg 760x500 ZubBackG03.dll table/fon01.svg\n"),
                                   QStringLiteral("t.txt"));
  ASSERT_TRUE(m.errors.isEmpty()) << m.errors.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(m.entries.size(), 4);
  EXPECT_EQ(m.entries[0].name, QStringLiteral("FonG"));
  EXPECT_EQ(m.entries[0].kind, ResourceKind::Jpeg);
  EXPECT_EQ(m.entries[0].size, QSize(760, 500));
  EXPECT_TRUE(m.entries[0].IsBuiltin());
  EXPECT_EQ(m.entries[0].source, QStringLiteral("table/fon.svg"));
  EXPECT_EQ(m.entries[0].line, 3);
  EXPECT_EQ(m.entries[1].name, QStringLiteral("WDiPlay"));
  EXPECT_EQ(m.entries[2].name, QStringLiteral("WDiPass"));
  EXPECT_FALSE(m.entries[2].size.isValid());
  EXPECT_EQ(m.entries[2].source, QStringLiteral("sounds/#1.wav"));  // '#' inside a word is not a comment
  EXPECT_EQ(m.entries[3].library, QStringLiteral("ZubBackG03.dll"));
  EXPECT_EQ(m.entries[3].Place(), QStringLiteral("ZubBackG03.dll"));
  EXPECT_EQ(m.EntriesOf(QString()).size(), 3);
  EXPECT_NE(m.Find(QStringLiteral("Fon01Gr"), QStringLiteral("ZubBackG03.dll")), nullptr);
  EXPECT_EQ(m.Find(QStringLiteral("Fon01Gr"), QString()), nullptr);
}

TEST(ParseManifest, Generators) {
  const Manifest m = ParseManifest(QStringLiteral("generate voices sounds/voices.sh sounds/words.txt sounds/b.txt\n"
                                                  "Ch10VoiceRus wav - ZubCVoice3.dll @voices/Ch10VoiceRus.wav\n"),
                                   QStringLiteral("s.txt"));
  ASSERT_TRUE(m.errors.isEmpty());
  ASSERT_EQ(m.generators.size(), 1);
  EXPECT_EQ(m.generators[0].name, QStringLiteral("voices"));
  EXPECT_EQ(m.generators[0].script, QStringLiteral("sounds/voices.sh"));
  EXPECT_EQ(m.generators[0].inputs, (QStringList{QStringLiteral("sounds/words.txt"), QStringLiteral("sounds/b.txt")}));
  EXPECT_EQ(m.entries[0].source, QStringLiteral("@voices/Ch10VoiceRus.wav"));
}

TEST(ParseManifest, FaultyLinesAreReportedWithTheirPlace) {
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"FonG jpeg 760x500 builtin", "expected NAME KIND SIZE PLACE SOURCE"},
      {"FonG picture 760x500 builtin a.svg", "unknown kind"},
      {"FonG jpeg 760*500 builtin a.svg", "bad size"},
      {"FonG jpeg 0x500 builtin a.svg", "bad size"},
      {"FonG jpeg 760x500 Other.dll a.svg", "unknown place"},
      {"Fon-G jpeg 760x500 builtin a.svg", "bad resource name"},
      {"{Fon,G jpeg 760x500 builtin a.svg", "unbalanced"},
      {"generate voices", "needs a name and a script"},
  };
  for (const auto& c : cases) {
    const Manifest m = ParseManifest(QStringLiteral("\n") + QString::fromLatin1(c.line), QStringLiteral("bad.txt"));
    ASSERT_EQ(m.errors.size(), 1) << c.line;
    EXPECT_TRUE(m.errors[0].startsWith(QStringLiteral("bad.txt:2: "))) << m.errors[0].toStdString();
    EXPECT_TRUE(m.errors[0].contains(QLatin1String(c.message))) << m.errors[0].toStdString();
  }
}

TEST(ParseManifest, ANameTwiceInOnePlaceIsAnError) {
  const Manifest same = ParseManifest(QStringLiteral("Cher png 20x20 builtin deck\n"
                                                     "{Cher,Bubi} png 20x20 builtin deck\n"),
                                      QStringLiteral("d.txt"));
  ASSERT_EQ(same.errors.size(), 1);
  EXPECT_TRUE(same.errors[0].contains(QStringLiteral("already listed"))) << same.errors[0].toStdString();
  // The same name in two places is fine ("Fra" faces live in two libraries).
  const Manifest apart = ParseManifest(QStringLiteral("Ch09Fra png 69x94 ZubCards06A.dll deck\n"
                                                      "Ch09Fra png 69x94 ZubCards06C.dll deck\n"),
                                       QStringLiteral("d.txt"));
  EXPECT_TRUE(apart.errors.isEmpty());
}

TEST(ResourceKinds, NamesRoundTrip) {
  for (ResourceKind kind : {ResourceKind::Bitmap, ResourceKind::Png, ResourceKind::Gif, ResourceKind::Jpeg,
                            ResourceKind::Wav, ResourceKind::Midi, ResourceKind::Cursor, ResourceKind::Data}) {
    EXPECT_EQ(ParseResourceKind(ResourceKindName(kind)), kind);
  }
  EXPECT_FALSE(ParseResourceKind(QStringLiteral("BMP")).has_value());
  EXPECT_TRUE(IsPictureKind(ResourceKind::Jpeg));
  EXPECT_FALSE(IsPictureKind(ResourceKind::Gif));
}

}  // namespace
}  // namespace varnok
