// The record windows on screen: the score window in its four designs with
// its seven values, the history window over a folder of written history
// files, the top ten and the end-of-match window. Each is opened modally the
// way the program opens it and closed with its "Ok" button. With
// VARNOK_RECWIN_PICTURES set to a folder, every window is also written there
// as a PNG file to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "../table/widget_test.h"
#include "fonts.h"
#include "form_end_match.h"
#include "form_history.h"
#include "form_score.h"
#include "form_top_ten.h"
#include "loader.h"
#include "recwin_look.h"
#include "window_picture.h"
#include "words.h"

namespace varnok {
namespace {

class RecordWindows : public testing::WidgetTest {
 protected:
  void SetUp() override {
    SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
    i18n::InstallFontSubstitutions(0);
  }
  void TearDown() override { SetProgramFolder(QString()); }

  static QImage Picture(QWidget& window, const QString& file) { return WindowPicture(window, file); }

  // Runs `open` (which shows a window modally) and, once the window is up,
  // hands it to `inspect` and clicks its "Ok" button.
  static void WhileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      seen = true;
      inspect(modal);
      auto* ok = modal->findChild<QPushButton*>(QStringLiteral("Ok"));
      ASSERT_NE(ok, nullptr);
      ok->click();
    });
    open();
    EXPECT_TRUE(seen) << "the window was shown modally";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Ok closed it";
  }
};

Settings Look(bool purple, int design, bool gif = true) {
  Settings look;
  look.PurpleWindows = purple;
  look.AuxWindowDesign = design;
  look.GifAnimation = gif;
  return look;
}

QString ValueText(const QWidget& window, const char* field) {
  const auto* label = window.findChild<QLabel*>(QStringLiteral("Count_") + QString::fromLatin1(field));
  return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

// --- The score information window ---------------------------------------------

TEST_F(RecordWindows, ScoreWindowShowsTheSevenValuesInEveryDesign) {
  ScoreWindowData data;
  data.PlayerName = QStringLiteral("Ivan");
  data.Count = FillCount(26, 0, 25, 2.0, 150, -40, {1, 25, 0.0});
  const struct {
    bool purple;
    int design;
    ScoreDesign expected;
    int height;
    const char* file;
  } cases[] = {
      {false, 1, ScoreDesign::GrayConcise, 510, "score_gray_concise.png"},
      {false, 2, ScoreDesign::GrayAristocratic, 525, "score_gray_aristocratic.png"},
      {false, 3, ScoreDesign::GrayRibbons, 560, "score_gray_ribbons.png"},
      {true, 2, ScoreDesign::Purple, 500, "score_purple.png"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TFormScore window(data, Look(c.purple, c.design));
    EXPECT_EQ(window.Design(), c.expected);
    EXPECT_EQ(window.size(), QSize(325, c.height));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Player:  Ivan"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Heading"))->text(), QStringLiteral("Information about game"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label_ScoBeg"))->text(), QStringLiteral("The initial score:"));
    EXPECT_EQ(ValueText(window, "KonAll"), QStringLiteral("26"));
    EXPECT_EQ(ValueText(window, "KonCur"), QStringLiteral("1"));
    EXPECT_EQ(ValueText(window, "ScoBeg"), QStringLiteral("-40"));
    EXPECT_EQ(ValueText(window, "ScoCur"), QStringLiteral("150"));
    EXPECT_EQ(ValueText(window, "ScoAll"), QStringLiteral("110"));
    EXPECT_EQ(ValueText(window, "ReiBeg"), QStringLiteral("  2,00"));
    // (25 x 2 + 3) / 26 = 2.038..
    EXPECT_EQ(ValueText(window, "ReiCur"), QStringLiteral("  2,04"));
    // Each value stands right of its label, which never runs into it.
    for (const char* field : {"KonAll", "KonCur", "ScoBeg", "ScoCur", "ScoAll", "ReiBeg", "ReiCur"}) {
      const auto* label = window.findChild<QLabel*>(QStringLiteral("Label_") + QString::fromLatin1(field));
      const auto* value = window.findChild<QLabel*>(QStringLiteral("Count_") + QString::fromLatin1(field));
      EXPECT_EQ(value->x(), 200) << field;
      EXPECT_LT(label->geometry().right(), value->x()) << field;
    }
    const QImage picture = Picture(window, QString::fromLatin1(c.file));
    EXPECT_EQ(picture.size(), window.size() * window.devicePixelRatio());
  }
}

TEST_F(RecordWindows, ScoreWindowTournamentAndRatedVariants) {
  ScoreWindowData data;
  data.PlayerName = QStringLiteral("Olga");
  data.Kind = ScoreGameKind::Tournament;
  data.AccountState = 3;
  data.Count = FillTournamentCount(4, 1200, -75, 1510);
  TFormScore tournament(data, Look(false, 1));
  EXPECT_EQ(ValueText(tournament, "KonCur"), QStringLiteral("-"));
  EXPECT_EQ(ValueText(tournament, "ScoAll"), QStringLiteral("1125"));
  EXPECT_EQ(ValueText(tournament, "ReiBeg"), QStringLiteral("1510"));
  EXPECT_EQ(ValueText(tournament, "ReiCur"), QStringLiteral("?"));
  EXPECT_NE(tournament.findChild<QWidget*>(QStringLiteral("GClubE")), nullptr) << "the tournament's cup";
  EXPECT_EQ(tournament.findChild<QWidget*>(QStringLiteral("GClubF")), nullptr);
  Picture(tournament, QStringLiteral("score_tournament.png"));

  data.Kind = ScoreGameKind::Rated;
  data.Count = FillCount(60, 13, 25, 3.0, 20, 100, {3, 59, 1234.5});
  TFormScore rated(data, Look(true, 2));
  EXPECT_EQ(ValueText(rated, "KonCur"), QStringLiteral("13"));
  EXPECT_EQ(ValueText(rated, "ReiBeg"), QStringLiteral("1234"));
  EXPECT_EQ(ValueText(rated, "ReiCur"), QStringLiteral("?"));
  EXPECT_NE(rated.findChild<QWidget*>(QStringLiteral("GifA")), nullptr);
  EXPECT_NE(rated.findChild<QWidget*>(QStringLiteral("GifB")), nullptr);
}

TEST_F(RecordWindows, ScoreWindowTopAnimationRunsOnlyWithAnimatedPictures) {
  ScoreWindowData data;
  for (const bool gif : {true, false}) {
    TFormScore window(data, Look(false, 2, gif));
    ASSERT_NE(window.TopAnimation(), nullptr);
    ASSERT_TRUE(window.TopAnimation()->Loaded());
    EXPECT_EQ(window.TopAnimation()->Running(), gif);
    EXPECT_EQ(window.TopAnimation()->geometry(), QRect(112, 345, 100, 90));
  }
}

TEST_F(RecordWindows, ScoreWindowWithoutTheGraphicsLibraryFallsBackToGrayAristocratic) {
  QTemporaryDir empty;
  SetProgramFolder(empty.path() + QStringLiteral("/program"));
  ASSERT_FALSE(LibraryPresent(QString::fromLatin1(kGraphicsLibrary)));
  const struct {
    bool purple;
    int design;
    bool notice;
  } cases[] = {{true, 2, false}, {false, 1, true}};
  for (const auto& c : cases) {
    int fallbacks = 0;
    QStringList notices;
    ScoreWindowData data;
    data.FallBackToGrayAristocratic = [&] { ++fallbacks; };
    data.Notice = [&](const QString& text) { notices << text; };
    TFormScore window(data, Look(c.purple, c.design));
    EXPECT_EQ(window.Design(), ScoreDesign::GrayAristocratic);
    EXPECT_EQ(window.height(), 525);
    EXPECT_EQ(fallbacks, 1);
    EXPECT_EQ(notices, c.notice ? QStringList{QStringLiteral("Can`t find the file ZubCGraph1.dll")} : QStringList{});
  }
  // The other designs do without the library's pictures.
  ScoreWindowData data;
  data.FallBackToGrayAristocratic = [] { ADD_FAILURE() << "no fallback for design 3"; };
  TFormScore ribbons(data, Look(false, 3));
  EXPECT_EQ(ribbons.Design(), ScoreDesign::GrayRibbons);
}

TEST_F(RecordWindows, ScoreWindowOpensModallyWithItsSoundAndClosesWithOk) {
  QStringList sounds;
  ScoreWindowData data;
  data.Count = FillCount(3, 0, 25, 0.0, 10, 0, {});
  WhileModal([&] { TFormScore::Open(nullptr, data, Look(false, 2), [&](QString s) { sounds << s; }); },
             [](QWidget* modal) {
               EXPECT_EQ(modal->objectName(), QStringLiteral("TFormScore"));
               EXPECT_EQ(ValueText(*modal, "KonAll"), QStringLiteral("3"));
             });
  EXPECT_EQ(sounds, QStringList{QStringLiteral("WOpenFo")});
}

}  // namespace
}  // namespace varnok
