// The help pages that come with the program: every topic's page in every
// language it is written in, each with all its sections, marked with its
// language, and shown by the help window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

#include "help_pages.h"
#include "help_window.h"

namespace varnok {
namespace {

QString PageText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "help_tests";
  static char* argv[] = {name, nullptr};
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

const char* const kCodes[] = {"en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"};

TEST(HelpPages, EveryLanguageHasBothPagesWithEverySection) {
  for (HelpTopic topic : {HelpTopic::Rules, HelpTopic::Comment}) {
    for (int language = 0; language < 10; ++language) {
      const QString code = QString::fromLatin1(kCodes[language]);
      EXPECT_EQ(HelpLanguageCode(language), code);
      const QString path = HelpPagePath(topic, language);
      ASSERT_TRUE(path.endsWith(QLatin1Char('_') + code + QStringLiteral(".html"))) << path.toStdString();
      const QString text = PageText(path);
      ASSERT_FALSE(text.isEmpty()) << path.toStdString();
      EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"%1\">").arg(code))) << path.toStdString();
      // Every section once, in the same order as the English page.
      qsizetype last = -1;
      for (const QString& section : HelpSections(topic)) {
        const QString anchor = QStringLiteral("<a name=\"%1\"></a>").arg(section);
        EXPECT_EQ(text.count(anchor), 1) << path.toStdString() << " " << section.toStdString();
        const qsizetype at = text.indexOf(anchor);
        EXPECT_GT(at, last) << path.toStdString() << " " << section.toStdString();
        last = at;
        // A section has a heading and at least one paragraph of text.
        const qsizetype para = text.indexOf(QStringLiteral("<p>"), at);
        EXPECT_GT(para, at) << path.toStdString() << " " << section.toStdString();
      }
    }
  }
}

TEST(HelpPages, TheRulesCarryTheGamesNumbersInEveryLanguage) {
  // The bidding from 60 in steps of 5, the order up to 180, marriages of 20
  // and 40, the points of the ace and the ten, the deck of 120 and the 501
  // every seat starts from: the same figures stand in every translation.
  const QStringList numbers = {QStringLiteral("60"),  QStringLiteral("5"),   QStringLiteral("180"),
                               QStringLiteral("20"),  QStringLiteral("40"),  QStringLiteral("11"),
                               QStringLiteral("120"), QStringLiteral("501"), QStringLiteral("24")};
  for (int language = 0; language < 10; ++language) {
    const QString text = PageText(HelpPagePath(HelpTopic::Rules, language));
    for (const QString& number : numbers) {
      const QRegularExpression whole(QStringLiteral("(?<![0-9])%1(?![0-9])").arg(number));
      EXPECT_TRUE(text.contains(whole)) << kCodes[language] << " lacks " << number.toStdString();
    }
  }
}

TEST(HelpPages, UnknownLanguagesAndTheRouterPageFallBackToEnglish) {
  EXPECT_EQ(HelpPagePath(HelpTopic::Rules, -1), QStringLiteral(":/help/help_en.html"));
  EXPECT_EQ(HelpPagePath(HelpTopic::Rules, 12), QStringLiteral(":/help/help_en.html"));
  EXPECT_EQ(HelpPagePath(HelpTopic::Router, 1), QStringLiteral(":/help/router_en.html"));
  const QString router = PageText(HelpPagePath(HelpTopic::Router, 0));
  for (const QString& section : HelpSections(HelpTopic::Router))
    EXPECT_TRUE(router.contains(QStringLiteral("<a name=\"%1\"></a>").arg(section))) << section.toStdString();
  EXPECT_TRUE(router.contains(QStringLiteral("TCP")));
  EXPECT_TRUE(IsHelpPageUrl(QUrl(QStringLiteral("qrc:/help/router_en.html"))));
  EXPECT_FALSE(IsHelpPageUrl(QUrl(QStringLiteral("qrc:/help/nothing.html"))));
  EXPECT_FALSE(IsHelpPageUrl(QUrl(QStringLiteral("https://example.org/help/router_en.html"))));
}

TEST(HelpWindow, ShowsThePageAndFollowsItsOwnLinks) {
  EnsureApplication();
  TFormHelp* window = TFormHelp::Open(nullptr, HelpTopic::Rules, 7);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Page(), QUrl(QStringLiteral("qrc:/help/help_cs.html")));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Varnok: nápověda"));
  EXPECT_TRUE(window->Browser()->toPlainText().contains(QStringLiteral("Licitace")));
  // A second page shows in the same window.
  TFormHelp* again = TFormHelp::Open(nullptr, HelpTopic::Comment, 0);
  EXPECT_EQ(again, window);
  EXPECT_EQ(window->Page(), QUrl(QStringLiteral("qrc:/help/comment_en.html")));
  EXPECT_TRUE(window->Browser()->toPlainText().contains(QStringLiteral("chat board")));
  window->close();
  QApplication::processEvents();
}

}  // namespace
}  // namespace varnok
