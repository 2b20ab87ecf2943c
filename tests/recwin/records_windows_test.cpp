// The history window over a folder of history files written the way the end
// of a game writes them, the top ten of a club file and the end-of-match
// window for each kind of place. With VARNOK_RECWIN_PICTURES set to a
// folder, every window is also written there as a PNG file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "../table/widget_test.h"
#include "fonts.h"
#include "form_end_match.h"
#include "form_history.h"
#include "form_top_ten.h"
#include "history_file.h"
#include "loader.h"
#include "recwin_look.h"
#include "window_picture.h"

namespace varnok {
namespace {

class RecordLists : public testing::WidgetTest {
 protected:
  void SetUp() override {
    SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
    i18n::InstallFontSubstitutions(0);
    TFormHistory::SetChosenFile(0);
    ASSERT_TRUE(folder_.isValid());
  }
  void TearDown() override { SetProgramFolder(QString()); }

  std::filesystem::path Folder() const { return std::filesystem::path(folder_.path().toStdString()); }

  void Write(const std::vector<HisStr>& records) {
    HistoryOptions options;
    options.Now = [] { return HistoryStamp{"21:05", "03/14/24"}; };
    ASSERT_EQ(WriteHistory(Folder(), "Varnok.clb", records, options).Status, HistoryWrite::Written);
  }

  static void Picture(QWidget& window, const QString& file) { WindowPicture(window, file); }

  static void WhileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      seen = true;
      inspect(modal);
      modal->findChild<QPushButton*>(QStringLiteral("Ok"))->click();
    });
    open();
    EXPECT_TRUE(seen) << "the window was shown modally";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Ok closed it";
  }

  QTemporaryDir folder_;
};

const std::vector<HisStr> kGames = {
    {"Ivan", 1, 450, 9.0, kHistoryComputer},
    {"Ivan/Olga/PC", 1, -150, 2.5, kHistoryNetwork},
    {"Ivan", 1, 75, -0.07, kHistoryRated},
    {"Ivan/Olga/Petr", 1, 0, 0.0, kHistoryTournament},
};

// --- History ---------------------------------------------------------------------

TEST_F(RecordLists, HistoryListsTheValidFilesAfterADamagedOneAndNamesIt) {
  std::vector<HisStr> full(kHistoryRecordsPerFile, kGames[0]);
  Write(full);
  Write(kGames);  // file 2
  const std::filesystem::path first = HistoryFilePath(Folder(), "Varnok.clb", 1);
  std::string bytes = ReadFileBytes(first, 1 << 20).value_or("");
  ASSERT_GT(bytes.size(), 30u);
  bytes[20] ^= 1;
  ASSERT_TRUE(WriteFileBytes(first, bytes));
  TFormHistory window(folder_.path(), QStringLiteral("Varnok.clb"), Settings{});
  ASSERT_EQ(window.FileList()->count(), 1);
  EXPECT_TRUE(window.FileList()->item(0)->text().startsWith(QStringLiteral("File I0002 ")));
  EXPECT_EQ(window.ShownFile(), 2);
  EXPECT_EQ(window.Grid()->rowCount(), 4);
  EXPECT_FALSE(window.UnreadableLabel()->isHidden());
  EXPECT_TRUE(window.UnreadableLabel()->text().contains(QStringLiteral("Varnok_I0001.hst")));
  TFormHistory clean(QTemporaryDir().path(), QStringLiteral("Varnok.clb"), Settings{});
  EXPECT_TRUE(clean.UnreadableLabel()->isHidden());
}

TEST_F(RecordLists, HistoryShowsTheFilesAndTheGamesInTheColoursOfTheirKind) {
  Write(kGames);
  TFormHistory window(folder_.path(), QStringLiteral("Varnok.clb"), Settings{});
  ASSERT_EQ(window.FileList()->count(), 1);
  EXPECT_TRUE(window.FileList()->isEnabled());
  EXPECT_TRUE(window.FileList()->item(0)->text().startsWith(QStringLiteral("File I0001 ")));
  EXPECT_EQ(window.FileList()->width(), 180);
  EXPECT_EQ(window.ShownFile(), 1);

  QTableWidget* grid = window.Grid();
  ASSERT_EQ(grid->columnCount(), 7);
  const QStringList headings = {"Time", "Date", "Player", "Games", "Result", "Rating", "Type"};
  const int widths[] = {45, 65, 210, 45, 55, 55, 80};
  // Each column has its design width, made wider where its heading needs
  // more ("Games" does not fit 45 pixels).
  const QFontMetrics heading(grid->horizontalHeader()->font());
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), headings[c]);
    EXPECT_EQ(grid->columnWidth(c), std::max(widths[c], heading.horizontalAdvance(headings[c]) + 12)) << c;
  }
  EXPECT_GT(grid->columnWidth(3), 45);
  ASSERT_EQ(grid->rowCount(), 4);
  const QColor window_text = window.palette().color(QPalette::Text);
  const struct {
    const char* player;
    const char* result;
    const char* rating;
    const char* type;
    QColor colour;
  } rows[] = {
      {"Ivan", "       450", "      9,00", "Local", window_text},
      {"Ivan/Olga/PC", "      -150", "      2,50", "Net", QColor(0, 128, 0)},
      {"Ivan", "        75", "     -0,07", "Account", QColor(255, 0, 0)},
      {"Ivan/Olga/Petr", "         0", "      0,00", "Tourney", QColor(0, 0, 255)},
  };
  for (int r = 0; r < 4; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(grid->item(r, 0)->text(), QStringLiteral("21:05"));
    EXPECT_EQ(grid->item(r, 1)->text(), QStringLiteral("  03/14/24"));
    EXPECT_EQ(grid->item(r, 2)->text().trimmed(), QString::fromLatin1(rows[r].player));
    EXPECT_EQ(grid->item(r, 2)->text().size(), 51) << "filling blanks kept";
    EXPECT_EQ(grid->item(r, 4)->text(), QString::fromLatin1(rows[r].result));
    EXPECT_EQ(grid->item(r, 5)->text(), QString::fromLatin1(rows[r].rating));
    EXPECT_EQ(grid->item(r, 6)->text(), QString::fromLatin1(rows[r].type));
    for (int c = 0; c < 7; ++c) EXPECT_EQ(grid->item(r, c)->foreground().color(), rows[r].colour) << c;
    EXPECT_EQ(grid->item(r, 2)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(grid->item(r, 4)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  }
  EXPECT_EQ(grid->currentRow(), 0) << "with two rows or more the current row shows";
  Picture(window, QStringLiteral("history.png"));
}

TEST_F(RecordLists, HistoryWithoutFilesSaysSoAndATamperedFileIsNotListed) {
  {
    TFormHistory window(folder_.path(), QStringLiteral("Varnok.clb"), Settings{});
    ASSERT_EQ(window.FileList()->count(), 1);
    EXPECT_EQ(window.FileList()->item(0)->text(), QStringLiteral("No History Files"));
    EXPECT_FALSE(window.FileList()->isEnabled());
    EXPECT_EQ(window.Grid()->rowCount(), 0);
    EXPECT_EQ(window.ShownFile(), 0);
  }
  Write({kGames[0]});
  const std::filesystem::path file = HistoryFilePath(Folder(), "Varnok.clb", 1);
  std::filesystem::copy_file(file, HistoryFilePath(Folder(), "Varnok.clb", 2));
  {
    TFormHistory window(folder_.path(), QStringLiteral("Varnok.clb"), Settings{});
    EXPECT_EQ(window.FileList()->count(), 2);
    EXPECT_EQ(window.ShownFile(), 2) << "the newest valid file at the first opening";
    EXPECT_EQ(window.Grid()->rowCount(), 1);
    EXPECT_FALSE(window.Grid()->selectionModel()->hasSelection()) << "one row: no current row";
    window.FileList()->setCurrentRow(0);
    EXPECT_EQ(window.ShownFile(), 1);
  }
  {
    TFormHistory window(folder_.path(), QStringLiteral("Varnok.clb"), Settings{});
    EXPECT_EQ(window.ShownFile(), 1) << "the file chosen before stays chosen";
  }
  // One changed character in a body: file 2 is no longer valid, and the list stops before it.
  QFile tampered(QString::fromStdString(HistoryFilePath(Folder(), "Varnok.clb", 2).string()));
  ASSERT_TRUE(tampered.open(QIODevice::ReadWrite));
  tampered.seek(20);
  tampered.write("X");
  tampered.close();
  TFormHistory window(folder_.path(), QStringLiteral("Varnok.clb"), Settings{});
  EXPECT_EQ(window.FileList()->count(), 1);
}

TEST_F(RecordLists, HistoryOpensModallyWithItsSound) {
  Write(kGames);
  QStringList sounds;
  WhileModal(
      [&] {
        TFormHistory::Open(nullptr, folder_.path(), QStringLiteral("Varnok.clb"), Settings{},
                           [&](QString s) { sounds << s; });
      },
      [](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), QStringLiteral("TFormHistory"));
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("History of games"));
        EXPECT_EQ(modal->findChild<QTableWidget*>(QStringLiteral("Grid"))->rowCount(), 4);
      });
  EXPECT_EQ(sounds, QStringList{QStringLiteral("WOpenFo")});
}

// --- Top ten ---------------------------------------------------------------------

// How many pixels of a colour (within a small tolerance) a band of the picture holds.
int PixelsOf(const QImage& picture, const QRect& band, const QColor& colour) {
  int n = 0;
  for (int y = band.top(); y <= band.bottom(); ++y) {
    for (int x = band.left(); x <= band.right(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) < 30 && std::abs(c.green() - colour.green()) < 30 &&
          std::abs(c.blue() - colour.blue()) < 30) {
        ++n;
      }
    }
  }
  return n;
}

TEST_F(RecordLists, TopTenDrawsThePlacesRedThenNavy) {
  ClubLines lines = EmptyClubLines();
  const char* names[] = {"Ivan", "Olga", "Petr", "Anna", "Boris", "Vera", "Gleb"};
  for (int k = 0; k < 7; ++k) EnterTopTen(lines, names[k], 900 - 100 * k);
  SealClubLines(lines);
  const std::filesystem::path club = Folder() / "Varnok.clb";
  ASSERT_TRUE(SaveClubFile(club, lines));

  QStringList sounds;
  WhileModal([&] { TFormTopTen::Open(nullptr, club, Settings{}, [&](QString s) { sounds << s; }); },
             [&](QWidget* modal) {
               auto* window = qobject_cast<TFormTopTen*>(modal);
               ASSERT_NE(window, nullptr);
               EXPECT_EQ(window->windowTitle(), QStringLiteral("Top Ten"));
               const TopTenView& view = window->View();
               EXPECT_EQ(view.Title, "WINDOWS. LOCAL GAMES WITH PC");
               EXPECT_EQ(view.Rows[0].Name, "Ivan");
               EXPECT_EQ(view.Rows[6].Name, "Gleb");
               EXPECT_TRUE(view.Rows[7].Empty);
               EXPECT_NE(window->findChild<QWidget*>(QStringLiteral("GTopTen")), nullptr);
               EXPECT_NE(window->findChild<QWidget*>(QStringLiteral("GClubF")), nullptr);
               const QImage picture = window->Picture();
               for (const auto& row : view.Rows) {
                 SCOPED_TRACE(row.Place);
                 const QRect band(60, row.Y, 340, 22);
                 const bool top_three = row.Place <= 3;
                 EXPECT_GT(PixelsOf(picture, band, top_three ? QColor(255, 0, 0) : QColor(0, 0, 128)), 5);
                 EXPECT_EQ(PixelsOf(picture, band, top_three ? QColor(0, 0, 128) : QColor(255, 0, 0)), 0);
               }
               Picture(*window, QStringLiteral("top_ten.png"));
             });
  EXPECT_EQ(sounds, QStringList{QStringLiteral("WOpenFo")});
}

// --- End of match ------------------------------------------------------------------

TEST_F(RecordLists, EndOfMatchSoundAnimationAndTextsByPlace) {
  const struct {
    int place;
    FinishedGameKind kind;
    const char* sound;
    const char* animation;
    AnimatedPicture::Mode mode;
    QStringList lines;
    bool medal;
    const char* file;
  } cases[] = {
      {1, FinishedGameKind::Local, "WFiBest", "GEndBest", AnimatedPicture::Mode::Once,
       {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 812", "You become a Master of the Order!"}, true,
       "end_best.png"},
      {1, FinishedGameKind::Network, "WFiBest", "GEndBest", AnimatedPicture::Mode::Once,
       {"CONGRATULATIONS!!!", "Your result - the best!", "Result: 812", "You become a Bachelor of the Order!"}, true,
       "end_best_net.png"},
      {4, FinishedGameKind::Local, "WFiGood", "GEndGood", AnimatedPicture::Mode::Once,
       {"CONGRATULATIONS!!!", "Good result!", "Result: 812", "You have hitted in top ten players!"}, true,
       "end_good.png"},
      {0, FinishedGameKind::Local, "WFiBads", "GEndBads", AnimatedPicture::Mode::Repeat,
       {"Our regrets...", "Your result keeps to wish best", "Result: 812",
        "You have not hitted in ten best players..."},
       false, "end_bads.png"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    QStringList sounds;
    WhileModal(
        [&] {
          TFormEndMatch::Open(nullptr, c.place, 812, c.kind, Settings{}, [&](QString s) { sounds << s; });
        },
        [&](QWidget* modal) {
          auto* window = qobject_cast<TFormEndMatch*>(modal);
          ASSERT_NE(window, nullptr);
          EXPECT_EQ(window->windowTitle(), QStringLiteral("The completion of game"));
          QStringList texts;
          for (const QLabel* line : window->Lines()) texts << line->text();
          EXPECT_EQ(texts, c.lines);
          ASSERT_TRUE(window->Ending()->Loaded());
          EXPECT_EQ(window->Ending()->Name(), QString::fromLatin1(c.animation));
          EXPECT_EQ(window->Ending()->AnimationMode(), c.mode);
          EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("GMedal")) != nullptr, c.medal);
          if (c.place > 0) {
            EXPECT_NE(window->findChild<QWidget*>(QStringLiteral("GPlace%1").arg(c.place, 2, 10, QLatin1Char('0'))),
                      nullptr);
          }
          Picture(*window, QString::fromLatin1(c.file));
        });
    EXPECT_EQ(sounds, QStringList{QString::fromLatin1(c.sound)});
  }
}

TEST_F(RecordLists, EndOfMatchWithoutAnimatedPicturesShowsAStillFrame) {
  Settings look;
  look.GifAnimation = false;
  for (const int place : {1, 0}) {
    TFormEndMatch window(MakeEndOfMatchView(place, 100, FinishedGameKind::OnlineRated), look, 17);
    EXPECT_EQ(window.Ending()->AnimationMode(), AnimatedPicture::Mode::Still);
    EXPECT_FALSE(window.Ending()->Running());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("WorldPlace"))->text(), QStringLiteral("Place: 17"));
  }
  TFormEndMatch first(MakeEndOfMatchView(1, 100, FinishedGameKind::OnlineRated), look, 0);
  EXPECT_EQ(first.Lines().back()->text(), QStringLiteral("You become the Vice-President of the order!"));
}

}  // namespace
}  // namespace varnok
