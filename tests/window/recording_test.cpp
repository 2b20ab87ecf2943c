// Filming the rounds of a whole game through the real window: every round
// gives one GIF in "GIFGame", the final round of the game included, and
// gifsicle reads each as an animation whose frames show for the chosen delay
// and whose last frame shows for five seconds.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "main_window.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

struct GifInfo {
  int images = 0;
  QStringList delays;  // "0.25s", ... one per image
};

GifInfo ReadWithGifsicle(const QString& path) {
  QProcess gifsicle;
  gifsicle.start(QStringLiteral("gifsicle"), {QStringLiteral("--info"), path});
  EXPECT_TRUE(gifsicle.waitForFinished(20000));
  const QString out = QString::fromUtf8(gifsicle.readAllStandardOutput());
  GifInfo info;
  const QRegularExpressionMatch images = QRegularExpression(QStringLiteral("(\\d+) images?")).match(out);
  if (images.hasMatch()) info.images = images.captured(1).toInt();
  auto it = QRegularExpression(QStringLiteral("delay (\\d+\\.\\d+s)")).globalMatch(out);
  while (it.hasNext()) info.delays << it.next().captured(1);
  return info;
}

TEST(RoundRecording, EveryRoundOfAGameIsSavedAsAnAnimatedGif) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  Settings settings;
  settings.FlyingCards = true;
  settings.CardSpeed = 6;
  settings.Music = false;
  settings.Sound = false;
  settings.SaveGames = true;
  settings.GifDelay = 250;
  // The reading of the options stops at the first empty line; a player who
  // has typed a name has the lines after it filled.
  settings.PlayerName = "Tester";
  settings.ResultsService = "results";
  settings.Nick = "Tester";
  settings.Country = "1-001";
  settings.City = "Moscow";
  settings.Sex = "M";
  settings.StatsService = "stats";
  {
    std::ofstream out((folder.path() + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
    out << FormatSettings(settings);
  }
  WriteClubFiles(folder.path());

  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
  ASSERT_TRUE(window.State().InGame);
  GameStats stats;
  ASSERT_TRUE(PlayWholeGame(window, stats));
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();

  const QStringList files = QDir(folder.path() + QStringLiteral("/GIFGame"))
                                .entryList({QStringLiteral("*.gif")}, QDir::Files, QDir::Name);
  // Rounds saved within one second share a name and get "-2", "-3", ...
  EXPECT_EQ(files.size(), stats.rounds) << "one file per round, the last round too";
  for (const QString& name : files) {
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}\\.\\d\\d\\.\\d\\d-\\d\\d\\.\\d\\d\\.\\d\\d(-\\d+)?\\.gif$"))
                    .match(name)
                    .hasMatch())
        << name.toStdString();
    const GifInfo info = ReadWithGifsicle(folder.path() + QStringLiteral("/GIFGame/") + name);
    ASSERT_GE(info.images, 2) << name.toStdString();
    EXPECT_LE(info.images, 250);
    ASSERT_EQ(info.delays.size(), info.images);
    EXPECT_EQ(info.delays.last(), QStringLiteral("5.00s"));
    for (int i = 0; i + 1 < info.delays.size(); ++i) EXPECT_EQ(info.delays[i], QStringLiteral("0.25s"));
  }
  window.close();
}

}  // namespace
}  // namespace varnok
