// "Help" and "Comment" in the table's popup menu open the pages that come
// with the program, in the language chosen in the options, with no message
// about a missing file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <fstream>

#include "help_window.h"
#include "main_window.h"
#include "settings.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

QAction* Entry(MainWindow& w, const char* name) {
  for (QAction* action : w.PopupMenu()->actions())
    if (action->objectName() == QLatin1String(name)) return action;
  ADD_FAILURE() << "no popup entry " << name;
  return nullptr;
}

TFormHelp* OpenHelpWindow() {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* help = qobject_cast<TFormHelp*>(top); help != nullptr && help->isVisible()) return help;
  return nullptr;
}

void WriteLanguage(const QString& folder, int language) {
  Settings settings;
  settings.WindowMode = kSmallWindow;
  settings.Music = false;
  settings.Sound = false;
  settings.LanguageIndex = language;
  WriteSettings(folder, settings);
}

TEST(HelpFromThePopup, OpensTheRulesAndTheCommentPageInTheChosenLanguage) {
  EnsureApplication();
  const struct {
    int language;
    const char* page;
    const char* rule;  // a sentence of the rules in that language
  } cases[] = {
      {0, "help_en.html", "The first bid is 60 and every bid raises the last one by exactly 5"},
      {2, "help_de.html", "Das erste Gebot ist 60, und jedes Gebot erhöht das letzte um genau 5"},
      {1, "help_ru.html", "Первая ставка — 60, каждая следующая больше предыдущей ровно на 5"},
      {8, "help_ja.html", "最初のビッドは 60 で"},
  };
  for (const auto& c : cases) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    WriteLanguage(folder.path(), c.language);
    WriteClubFiles(folder.path());
    MainWindow window(TestWindowOptions(folder.path()));
    StartWindow(window);
    DialogPilot pilot;
    QTest::keyClick(window.Canvas(), Qt::Key_Space);
    ASSERT_TRUE(window.MenuShown());

    Entry(window, "Help")->trigger();
    TFormHelp* help = OpenHelpWindow();
    ASSERT_NE(help, nullptr) << c.page;
    EXPECT_EQ(help->Page().fileName(), QString::fromLatin1(c.page));
    const QString text = help->Browser()->toPlainText();
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.rule))) << c.page;
    EXPECT_TRUE(help->Browser()->toHtml().contains(QStringLiteral("name=\"marriages\""))) << c.page;

    Entry(window, "Book")->trigger();
    EXPECT_EQ(OpenHelpWindow(), help);  // the same window shows the other page
    EXPECT_EQ(help->Page().fileName(), QStringLiteral("comment_%1.html").arg(QString::fromLatin1(c.page).mid(5, 2)));
    // No box told of a missing file or an untranslated page.
    EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
    help->close();
    window.close();
    QApplication::processEvents();
  }
}

}  // namespace
}  // namespace varnok
