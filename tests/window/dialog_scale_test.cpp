// The dialogs and record windows follow the window size: they grow with the
// table's scale, are never larger than the main window, and the title screen
// opens where the window stays.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <map>

#include "form_history.h"
#include "form_mast.h"
#include "form_options.h"
#include "form_score.h"
#include "form_top_ten.h"
#include "form_zakaz.h"
#include "layout.h"
#include "main_window.h"
#include "recwin_count.h"
#include "settings.h"
#include "table_canvas.h"
#include "top_ten.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;


// The client sizes of every dialog and record window over a main window of
// one size.
struct Sizes {
  QSize main;
  std::map<std::string, QSize> windows;
};

Sizes MeasureAt(int mode, int language) {
  Sizes sizes;
  QTemporaryDir folder;
  WriteSettings(folder.path(), StillSilentSettings(mode, language));
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  sizes.main = window.size();
  Settings look = window.Options();
  sizes.windows["order"] = TFormZakaz(120, &window).size();
  sizes.windows["trump"] = TFormMast(&window).size();
  ScoreWindowData data;
  data.PlayerName = QStringLiteral("Tester");
  sizes.windows["score"] = TFormScore(data, look, &window).size();
  sizes.windows["history"] = TFormHistory(folder.path(), QStringLiteral("Varnok.clb"), look, &window).size();
  sizes.windows["top ten"] = TFormTopTen(MakeTopTenView({}, ClubKind::Local), look, &window).size();
  sizes.windows["options"] = TFormOptions(look, window, {}, &window).size();
  DialogPilot pilot;
  window.close();
  return sizes;
}

// The four window sizes of fixed size, smallest first.
constexpr int kModes[] = {kSmallWindow, kAverageWindow1, kAverageWindow2, kLargeWindow};

TEST(DialogScale, TheOrderDialogGrowsWithTheWindowSize) {
  EnsureApplication();
  QSize before;
  for (const int mode : kModes) {
    const QSize order = MeasureAt(mode, 0).windows["order"];
    if (before.isValid()) {
      EXPECT_GT(order.width(), before.width()) << "mode " << mode;
      EXPECT_GT(order.height(), before.height()) << "mode " << mode;
    }
    before = order;
  }
}

// Every dialog is at least as large at a larger window size, the record
// windows are larger at 1520 x 1000 than at 760 x 500, and none is ever
// wider or taller than the main window, in English, Russian and Chinese.
TEST(DialogScale, RecordWindowsFollowTheWindowAndStayInsideIt) {
  EnsureApplication();
  for (const int language : {0, 1, 5}) {
    std::map<std::string, QSize> before;
    std::map<std::string, QSize> smallest;
    for (const int mode : kModes) {
      const Sizes sizes = MeasureAt(mode, language);
      for (const auto& [name, size] : sizes.windows) {
        SCOPED_TRACE(name + ", language " + std::to_string(language) + ", mode " + std::to_string(mode));
        EXPECT_LE(size.width(), sizes.main.width());
        EXPECT_LE(size.height(), sizes.main.height());
        if (before.count(name) != 0) {
          EXPECT_GE(size.width(), before[name].width());
          EXPECT_GE(size.height(), before[name].height());
        } else {
          smallest[name] = size;
        }
        before[name] = size;
      }
    }
    for (const char* name : {"order", "trump", "score", "history", "top ten", "options"}) {
      EXPECT_GT(before[name].height(), smallest[name].height() * 3 / 2) << name << ", language " << language;
    }
  }
}

// The title screen stands where the window stays: the menu that follows it
// does not move the window.
TEST(DialogScale, TheTitleOpensWhereTheWindowStays) {
  EnsureApplication();
  for (const int mode : {kSmallWindow, kAverageWindow1}) {
    QTemporaryDir folder;
    WriteSettings(folder.path(), StillSilentSettings(mode, 0));
    WriteClubFiles(folder.path());
    MainWindow window(TestWindowOptions(folder.path()));
    StartWindow(window);
    ASSERT_FALSE(window.MenuShown());
    const QPoint centre_at_title = window.geometry().center();
    QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
    ASSERT_TRUE(window.MenuShown());
    const QSize menu_size = window.size();
    EXPECT_EQ(menu_size, ClientSizeOfMode(mode));
    // The centre stays (within the rounding of an odd difference).
    EXPECT_LE((window.geometry().center() - centre_at_title).manhattanLength(), 2) << "mode " << mode;
    DialogPilot pilot;
    window.close();
  }
}

}  // namespace
}  // namespace varnok
