// The club files are checked when the program starts: a missing or tampered
// file is told and ends the program without writing anything; a protected
// file is told and the program goes on.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "club_file.h"
#include "folder_lock.h"
#include "main_window.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

std::string ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ClubCheckAtStart, AMissingOrTamperedClubFileEndsTheProgramAndWritesNothing) {
  EnsureApplication();
  for (const bool tampered : {false, true}) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    WriteOptions(folder.path(), kSmallWindow, false);
    const QString ini = folder.path() + QStringLiteral("/Varnok.ini");
    const std::string options_before = ReadAll(ini);
    WriteClubFiles(folder.path());
    const QString club = folder.path() + QStringLiteral("/Varnok.clb");
    if (tampered) {
      std::string bytes = ReadAll(club);
      bytes[3] = bytes[3] == 'x' ? 'y' : 'x';  // a hand-edited member line
      std::ofstream(club.toStdString(), std::ios::binary) << bytes;
    } else {
      QFile::remove(club);
    }
    const std::string club_before = ReadAll(club);

    MainWindow window(TestWindowOptions(folder.path()));
    DialogPilot pilot;
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 3000)) << "the program ends";
    EXPECT_EQ(pilot.strangers.size(), 1) << "one message says why";
    EXPECT_FALSE(window.MenuShown());
    EXPECT_EQ(ReadAll(ini), options_before) << "the options file is not written";
    EXPECT_EQ(ReadAll(club), club_before) << "the club file is not touched";
  }
}

TEST(ClubCheckAtStart, ASecondCopyInTheSameFolderSaysItIsInUseAndWritesNothing) {
  EnsureApplication();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), kSmallWindow, false);
  WriteClubFiles(folder.path());
  const QString ini = folder.path() + QStringLiteral("/Varnok.ini");
  const QString club = folder.path() + QStringLiteral("/Varnok.clb");
  const std::string options_before = ReadAll(ini), club_before = ReadAll(club);
  {
    FolderLock first_copy(folder.path().toStdString());  // the copy that runs already
    ASSERT_EQ(first_copy.Status(), FolderLock::State::Held);
    MainWindow window(TestWindowOptions(folder.path()));
    DialogPilot pilot;
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 3000)) << "the second copy ends";
    EXPECT_EQ(pilot.strangers.size(), 1) << "one message says why";
    EXPECT_FALSE(window.MenuShown());
    EXPECT_EQ(ReadAll(ini), options_before);
    EXPECT_EQ(ReadAll(club), club_before);
  }
  // Once the first copy has ended, a copy starts as usual and holds the folder.
  MainWindow window(TestWindowOptions(folder.path()));
  DialogPilot pilot;
  StartWindow(window);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(pilot.strangers.isEmpty());
  EXPECT_TRUE(FolderLock(folder.path().toStdString()).InUse());
}

}  // namespace
}  // namespace varnok
