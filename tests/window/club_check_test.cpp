// The club files are checked when the program starts: a missing or tampered
// file is told and ends the program without writing anything; a protected
// file is told and the program goes on.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "club_file.h"
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

}  // namespace
}  // namespace varnok
