// A rated game through the real window against the real server: the saved
// login signs the player in at start, the fifth member slot announces a game
// for the rating, a scripted player plays it to its end, and the server's
// record carries the formula's rating; the history line is of kind "A". The
// 25th rated game closes the cycle in table 309 and shows the end-of-cycle
// window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "../online/server_fixture.h"
#include "account_file.h"
#include "form_account.h"
#include "form_message.h"
#include "form_profile.h"
#include "words.h"
#include "history_file.h"
#include "online_club.h"
#include "rating.h"
#include "reply_scans.h"
#include "settings.h"
#include "table_canvas.h"
#include "window_driver.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using namespace varnok::testing;
using online::testing::ServerProcess;
using online::testing::StoredAddress;

template <class Ready>
bool WaitFor(Ready ready, int limit_ms = 30000) {
  QElapsedTimer clock;
  clock.start();
  while (!ready() && clock.elapsed() < limit_ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return ready();
}

class RatedGame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  void SetUp() override {
    ASSERT_TRUE(server_.Start()) << server_.Error().constData();
    program_ = root_.filePath(QStringLiteral("Varnok"));
    QDir().mkpath(program_);
    // Options read to their last line, so that the directory is read at start.
    Settings settings;
    settings.WindowMode = kSmallWindow;
    settings.FlyingCards = false;
    settings.Music = false;
    settings.Sound = false;
    settings.PlayerName = "Ivan";
    SetBuiltInWorldTopTen(settings);
    std::ofstream((program_ + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary)
        << FormatSettings(settings);
    WriteClubFiles(program_);
    client_.Addresses().Account = StoredAddress(server_.Base() + "account.php");
    client_.Addresses().Results = StoredAddress(server_.Base() + "results.php");
    ASSERT_EQ(online::testing::RegisterOnServer(client_, online::testing::TestMember("Ivan")), 0);
    ASSERT_TRUE(online::WriteAccountFile(program_.toStdString(), "Ivan", "secret1"));
  }

  // The window, pointed at the test server before its start-up reads the directory.
  void Start(MainWindow& window) {
    online::ServiceAddresses& a = window.Online().Addresses();
    a.Directory = StoredAddress(server_.Base() + "directory.txt");
    a.Stats = StoredAddress(server_.Base() + "stats.php");
    a.Download = StoredAddress(server_.Base() + "download/");
    StartWindow(window);
    ASSERT_TRUE(WaitFor([&] { return window.Club().AccountState() == online::kLoggedIn; }))
        << "the saved login signs in at start";
  }

  // The fifth slot opens the account window: tick "Play global rating" and close it.
  void StartRated(MainWindow& window) {
    QTimer account;
    bool ticked = false;
    QObject::connect(&account, &QTimer::timeout, [&] {
      auto* form = qobject_cast<online::TFormAccount*>(QApplication::activeModalWidget());
      if (form == nullptr || form->PendingReads() > 0) return;
      auto* box = form->findChild<QCheckBox*>(QStringLiteral("PlayGlobalRating"));
      ASSERT_NE(box, nullptr);
      EXPECT_TRUE(box->isEnabled()) << "the way to a rated game allows the choice";
      if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
      ticked = box->isChecked();
      form->accept();
    });
    account.start(20);
    QTest::mouseClick(MenuButton(window, "Button5"), Qt::LeftButton);
    account.stop();
    ASSERT_TRUE(ticked);
    ASSERT_TRUE(WaitFor([&] { return window.State().InGame; })) << "the announced game starts";
    EXPECT_TRUE(window.RatedInProgress());
    EXPECT_EQ(window.ProfileSlot(), online::kRatedProfileSlot);
  }

  online::BestResult ReadRecord() {
    std::optional<online::BestResult> best;
    client_.Run(online::ReadBest{"Ivan", "secret1"}, nullptr, [&](online::BestResult r) { best = r; });
    WaitFor([&] { return best.has_value(); });
    return best.value_or(online::BestResult{});
  }

  ServerProcess server_;
  QTemporaryDir root_;
  QString program_;
  online::OnlineClient client_;
};

TEST_F(RatedGame, FromTheFifthSlotToTheServersRecord) {
  MainWindow window(TestWindowOptions(program_));
  Start(window);
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  ASSERT_TRUE(window.MenuShown());
  StartRated(window);
  EXPECT_EQ(ReadRecord().Game.Kon, 1) << "the server holds the announced game";

  DialogPilot pilot;
  GameStats stats;
  ASSERT_TRUE(PlayWholeGame(window, stats));
  const int result = window.State().HumanResult;
  ASSERT_TRUE(WaitFor([&] { return !window.RatedInProgress(); }));
  EXPECT_EQ(window.Club().AccountState(), online::kLoggedIn) << "every rated game is started anew";

  const online::BestResult after = ReadRecord();
  EXPECT_EQ(after.Game.Kon, 1);
  EXPECT_EQ(after.Game.KonL, 1);
  EXPECT_EQ(after.Game.Score, result);
  EXPECT_NEAR(after.Game.Rating, result + 1.0 / 25.0, 1e-9);
  EXPECT_EQ(window.Club().Data().Game, after.Game);
  EXPECT_EQ(pilot.scores, 1);
  // "My results" shows the new rating by the formula.
  {
    online::TFormAccount account(window.Club(), false, SoundHook{});
    account.show();
    ASSERT_TRUE(WaitFor([&] { return account.PendingReads() == 0; }));
    EXPECT_EQ(account.findChild<QLabel*>(QStringLiteral("Result3"))->text().toStdString(),
              online::RatingText(result + 1.0 / 25.0));
    EXPECT_EQ(account.findChild<QLabel*>(QStringLiteral("Result5"))->text(), QStringLiteral("1"));
  }
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();

  // The history line is of the rated kind.
  const auto rows = ReadHistoryRows(HistoryFilePath(program_.toStdString(), "Varnok.clb", 1));
  ASSERT_TRUE(rows && !rows->empty());
  EXPECT_EQ(rows->back().Type, HistoryRowType::Account);
  window.close();
}

TEST_F(RatedGame, TheTwentyFifthGameClosesTheCycleInTable309) {
  // Twenty-four rated games already played.
  {
    online::OnlineClub earlier(client_, program_.toStdString());
    earlier.Data().User.Nick = "Ivan";
    earlier.Data().User.Pw = "secret1";
    earlier.SetAccountState(online::kRatedNext);
    int score = 0;
    for (int game = 1; game <= 24; ++game) {
      std::optional<bool> announced;
      earlier.AnnounceRatedGame({}, [&](bool ok) { announced = ok; });
      ASSERT_TRUE(WaitFor([&] { return announced.has_value(); }));
      ASSERT_TRUE(*announced);
      score += 10;
      std::optional<bool> saved;
      earlier.SaveRatedResult({10, score}, [&](bool ok, bool) { saved = ok; });
      ASSERT_TRUE(WaitFor([&] { return saved.has_value(); }));
      ASSERT_TRUE(*saved);
    }
  }
  ASSERT_EQ(ReadRecord().Game.KonL, 24);

  MainWindow window(TestWindowOptions(program_));
  Start(window);
  std::optional<std::pair<int, int>> cycle;
  QObject::connect(&window, &MainWindow::RatedCycleWritten, [&](int place, int score) { cycle = {place, score}; });
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  StartRated(window);
  DialogPilot pilot;
  GameStats stats;
  ASSERT_TRUE(PlayWholeGame(window, stats));
  const int score_after = window.State().ProfileScoreAfter;
  EXPECT_EQ(score_after, 240 + window.State().HumanResult);
  ASSERT_TRUE(WaitFor([&] { return cycle.has_value() && pilot.strangers.contains("varnok::TFormEndMatch"); }))
      << "record: KonL " << ReadRecord().Game.KonL << " Kon " << ReadRecord().Game.Kon << " strangers "
      << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  EXPECT_EQ(cycle->first, 1);
  EXPECT_EQ(cycle->second, score_after);

  const online::BestResult after = ReadRecord();
  EXPECT_EQ(after.Game.Sessions, 1);
  EXPECT_EQ(after.Game.KonL, 0);
  EXPECT_EQ(after.Game.Best, std::max(0, score_after));
  std::optional<online::TableResult> table;
  client_.Run(online::ReadTable{online::kAccountTable}, nullptr, [&](online::TableResult t) { table = t; });
  ASSERT_TRUE(WaitFor([&] { return table.has_value(); }));
  EXPECT_EQ(table->Rows[0].Nick, "Ivan");
  EXPECT_EQ(table->Rows[0].Score, score_after);
  window.close();
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

using LibraryFetch = RatedGame;

// The options window's "DLL" page fetches through the window: the library
// arrives beside the program's folder, whole, and opens.
TEST_F(LibraryFetch, ALibraryArrivesBesideTheProgramsFolder) {
  const QDir download(QDir(server_.DataPath()).filePath(QStringLiteral("download")));
  QDir().mkpath(download.path());
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/ZubCalendar01.dll"),
                          download.filePath(QStringLiteral("ZubCalendar01.dll"))));
  MainWindow window(TestWindowOptions(program_));
  Start(window);
  std::optional<bool> arrived;
  int percent = 0;
  window.FetchLibrary(QStringLiteral("ZubCalendar01.dll"), [&](int p) { percent = p; }, [&](bool ok) { arrived = ok; });
  ASSERT_TRUE(WaitFor([&] { return arrived.has_value(); }));
  EXPECT_TRUE(*arrived);
  EXPECT_EQ(percent, 100);
  EXPECT_TRUE(QFile::exists(root_.filePath(QStringLiteral("ZubCalendar01.dll"))));
  // A file the server does not have leaves nothing.
  arrived.reset();
  window.FetchLibrary(QStringLiteral("ZubCards06A.dll"), {}, [&](bool ok) { arrived = ok; });
  ASSERT_TRUE(WaitFor([&] { return arrived.has_value(); }));
  EXPECT_FALSE(*arrived);
  EXPECT_FALSE(QFile::exists(root_.filePath(QStringLiteral("ZubCards06A.dll"))));
  window.close();
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

using RatedRaces = RatedGame;

// A second click on the fifth slot while the announcement is on its way
// starts nothing and announces nothing: one game, one -2000 charge. The menu
// says "please wait" meanwhile, and the account window holds its rated choice.
TEST_F(RatedRaces, ADoubleClickOnTheFifthSlotAnnouncesOnce) {
  MainWindow window(TestWindowOptions(program_));
  Start(window);
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  ASSERT_TRUE(window.MenuShown());
  EXPECT_EQ(MenuButton(window, "Button5")->toolTip(), QStringLiteral("Rated game for the world rating"));

  // Every account window that offers the rated choice ticks it and closes.
  int rated_choices = 0;
  QTimer account;
  QObject::connect(&account, &QTimer::timeout, [&] {
    auto* form = qobject_cast<online::TFormAccount*>(QApplication::activeModalWidget());
    if (form == nullptr || form->PendingReads() > 0) return;
    auto* box = form->findChild<QCheckBox*>(QStringLiteral("PlayGlobalRating"));
    if (box->isEnabled()) {
      ++rated_choices;
      if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    }
    form->accept();
  });
  account.start(20);
  QTest::mouseClick(MenuButton(window, "Button5"), Qt::LeftButton);
  ASSERT_TRUE(window.Club().RatedBusy()) << "the announcement is on its way";
  const bool wait_seen = window.RatedWaitPlate() != nullptr && window.RatedWaitPlate()->isVisible();
  QTest::mouseClick(MenuButton(window, "Button5"), Qt::LeftButton);  // the second click of a double click
  const bool still_busy = window.Club().RatedBusy();
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player" waits too
  account.stop();
  EXPECT_TRUE(wait_seen) << "the menu says \"please wait\"";
  EXPECT_TRUE(still_busy);
  ASSERT_TRUE(WaitFor([&] { return window.State().InGame; }));
  EXPECT_EQ(rated_choices, 1) << "the second click opened no second account window";
  EXPECT_FALSE(window.RatedWaitPlate()->isVisible());
  EXPECT_EQ(ReadRecord().Game.Kon, 1) << "announced once";
  EXPECT_NEAR(ReadRecord().Game.Rating, -1999.96, 1e-9) << "one -2000 charge";
  EXPECT_EQ(window.ProfileSlot(), online::kRatedProfileSlot);
  DialogPilot pilot;  // answers the question on leaving the game
  window.close();
}

// The table says the game is rated, and leaving it before its end warns that
// the announced game counts as lost; the charge stands on the server.
TEST_F(RatedRaces, LeavingAnAnnouncedGameWarnsThatItCountsAsLost) {
  MainWindow window(TestWindowOptions(program_));
  Start(window);
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  StartRated(window);
  ASSERT_NE(window.RatedMark(), nullptr);
  EXPECT_TRUE(window.RatedMark()->isVisible());
  EXPECT_EQ(window.RatedMark()->text(), QStringLiteral("Rated game"));

  QString asked;
  bool leave = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* message = qobject_cast<TFormMessage*>(QApplication::activeModalWidget());
    if (message == nullptr) return;
    asked = message->objectName() + QLatin1Char(':') + message->Text();
    if (leave) message->accept();
    else message->reject();
  });
  answer.start(20);
  EXPECT_FALSE(window.ExitToMenu()) << "the player may stay";
  EXPECT_TRUE(asked.startsWith(QStringLiteral("ConfirmLeaveRated:"))) << asked.toStdString();
  EXPECT_TRUE(asked.contains(QStringLiteral("-2000"))) << asked.toStdString();
  EXPECT_TRUE(window.State().InGame);
  leave = true;
  EXPECT_TRUE(window.ExitToMenu());
  answer.stop();
  ASSERT_TRUE(WaitFor([&] { return window.MenuShown(); }));
  EXPECT_FALSE(window.RatedMark()->isVisible());
  const online::BestResult record = ReadRecord();
  EXPECT_EQ(record.Game.Kon, 1);
  EXPECT_NEAR(record.Game.Rating, -1999.96, 1e-9) << "the announced game stands as lost";
  window.close();
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

using ClubScreens = RatedGame;

// Pictures for a person to look at, when VARNOK_SHOT_DIR names a folder: the
// rated table, the warning on leaving it, the profile editor and the lamp of
// a server that does not answer, in English and in Russian.
TEST_F(ClubScreens, PicturesOfTheRatedTableTheWarningTheProfileAndTheOfflineLamp) {
  const QString folder = QString::fromLocal8Bit(qgetenv("VARNOK_SHOT_DIR"));
  if (folder.isEmpty()) GTEST_SKIP() << "VARNOK_SHOT_DIR names no folder";
  QDir().mkpath(folder);
  for (const int language : {i18n::kEnglish, i18n::kRussian}) {
    const QString code = language == i18n::kEnglish ? QStringLiteral("en") : QStringLiteral("ru");
    Settings settings = LoadSettings(program_.toStdString()).Values;
    settings.LanguageIndex = language;
    settings.WindowMode = 3;
    WriteSettings(program_, settings);
    MainWindow window(TestWindowOptions(program_));
    Start(window);
    QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
    StartRated(window);
    WaitIdle(window);
    window.grab().save(folder + QStringLiteral("/rated_table_%1.png").arg(code));

    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* message = qobject_cast<TFormMessage*>(QApplication::activeModalWidget());
      if (message == nullptr) return;
      QPixmap shot = window.grab();
      QPainter painter(&shot);
      painter.drawPixmap(message->mapTo(&window, QPoint(0, 0)), message->grab());
      painter.end();
      shot.save(folder + QStringLiteral("/exit_warning_%1.png").arg(code));
      message->accept();
    });
    answer.start(50);
    window.ExitToMenu();
    answer.stop();
    ASSERT_TRUE(WaitFor([&] { return window.MenuShown(); }));

    {
      online::TFormProfile profile(window.Club(), &window);
      profile.show();
      QTest::mouseClick(profile.findChild<TZubCardsButton*>(QStringLiteral("UpdateInfo")), Qt::LeftButton);
      profile.findChild<TZubCardsButton*>(QStringLiteral("UpdateInfo"))->setEnabled(true);
      QTest::mouseClick(profile.findChild<TZubCardsButton*>(QStringLiteral("UpdateInfo")), Qt::LeftButton);
      WaitFor([&] { return !profile.Busy(); });
      profile.grab().save(folder + QStringLiteral("/profile_%1.png").arg(code));
    }

    server_.Stop();
    bool read = false;
    window.Online().ReadDirectory(nullptr, [&] { read = true; });
    ASSERT_TRUE(WaitFor([&] { return read; }));
    QApplication::processEvents();
    window.grab().save(folder + QStringLiteral("/offline_lamp_%1.png").arg(code));
    window.close();
    ASSERT_TRUE(server_.Start()) << server_.Error().constData();
    // The server came back on a new port: the next window is pointed there by Start().
  }
}

}  // namespace
}  // namespace varnok
