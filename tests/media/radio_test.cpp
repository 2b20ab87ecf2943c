// The radio's files and state: availability from the library and the list,
// the state file written and read back, the reset rule, nothing left
// behind; and the music player's state over a playlist.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "music_player.h"
#include "radio.h"

namespace varnok::media {
namespace {

void WriteFile(const QString& path, const QByteArray& data) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(data);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A parent folder holding the program's folder "prog".
struct Folders {
  QTemporaryDir parent;
  QString program;
  Folders() {
    QDir(parent.path()).mkdir(QStringLiteral("prog"));
    program = parent.filePath(QStringLiteral("prog"));
  }
  RadioFiles Files(bool from_server, bool fetched = false) const {
    return RadioFiles{program, parent.path(), from_server, fetched};
  }
};

const QByteArray kList =
    "# test list\n"
    "RUS#CLUB001#Varnok Club Radio#Russian Federation#http://127.0.0.1:9/radio/club#RRADIO_LOGO_CLUB\n"
    "UK0#LONDON1#London Tunes#United Kingdom#http://127.0.0.1:9/ld#RRADIO_LOGO_LT\n";

TEST(RadioFilesTest, AvailabilityNeedsTheLibraryAndTheChosenList) {
  Folders f;
  ASSERT_TRUE(f.parent.isValid());
  struct Case {
    bool library_in_program, library_in_parent, rad_in_program, rad_in_parent, ser, from_server, fetched, available;
  } cases[] = {
      {false, false, true, true, true, false, false, false},  // no library
      {true, false, true, false, false, false, false, true},  // disk: list beside the program
      {false, true, false, true, false, false, false, true},  // disk: both in the parent
      {true, false, false, false, true, false, false, false}, // disk chosen, only the server's list
      {true, false, true, false, true, true, false, false},   // server chosen, fetch failed
      {true, false, false, false, true, true, true, true},    // server chosen and fetched
  };
  int n = 0;
  for (const Case& c : cases) {
    for (const QString& name : {QStringLiteral("ZubRadio02.dll"), QStringLiteral("ZubRadio.rad"),
                                QStringLiteral("ZubRadio.ser")}) {
      QFile::remove(QDir(f.program).filePath(name));
      QFile::remove(f.parent.filePath(name));
    }
    if (c.library_in_program) WriteFile(QDir(f.program).filePath("ZubRadio02.dll"), "x");
    if (c.library_in_parent) WriteFile(f.parent.filePath("ZubRadio02.dll"), "x");
    if (c.rad_in_program) WriteFile(QDir(f.program).filePath("ZubRadio.rad"), kList);
    if (c.rad_in_parent) WriteFile(f.parent.filePath("ZubRadio.rad"), kList);
    if (c.ser) WriteFile(f.parent.filePath("ZubRadio.ser"), kList);
    Radio radio;
    radio.Init(f.Files(c.from_server, c.fetched));
    EXPECT_EQ(radio.Available(), c.available) << "case " << n;
    if (c.available) {
      const auto stations = radio.ReadStations();
      ASSERT_TRUE(stations) << n;
      EXPECT_EQ(stations->size(), 2u) << n;
    } else {
      EXPECT_FALSE(radio.Toggle()) << n;  // the caller shows the notice
      EXPECT_FALSE(radio.On()) << n;
    }
    ++n;
  }
}

TEST(RadioFilesTest, StateFileWrittenAndReadBack) {
  Folders f;
  WriteFile(QDir(f.program).filePath("ZubRadio02.dll"), "x");
  WriteFile(QDir(f.program).filePath("ZubRadio.rad"), kList);
  const QString path = f.parent.filePath("ZubRadio.ini");
  {
    Radio radio;
    radio.Init(f.Files(false));
    EXPECT_EQ(radio.State(), RadioState::Defaults());  // no file: the defaults
    const auto stations = radio.ReadStations();
    ASSERT_TRUE(stations);
    radio.SetCountryIndex(14);
    radio.ChooseStation(*FindStation(*stations, "LONDON1"));
    radio.StepVolume(true);
    radio.StepVolume(true);
    ASSERT_TRUE(radio.Save());
  }
  // Code page 1251 with CR LF, as the club's other files.
  EXPECT_EQ(ReadFile(path),
            QByteArray("London Tunes\r\nhttp://127.0.0.1:9/ld\r\nUnited Kingdom\r\nRRADIO_LOGO_LT\r\n0\r\n50\r\n14\r\n"));
  // Nothing but the state file is left beside the program's folder.
  EXPECT_EQ(QDir(f.parent.path()).entryList(QDir::Files), QStringList{"ZubRadio.ini"});

  Radio again;
  again.Init(f.Files(false));
  EXPECT_EQ(again.State().Station, "London Tunes");
  EXPECT_EQ(again.State().Volume, 50);
  EXPECT_EQ(again.State().CountryIndex, 14);

  // A Cyrillic name survives the round trip; an incomplete state is written as the defaults.
  RadioState russian = RadioState::Defaults();
  russian.On = true;
  ASSERT_TRUE(WriteRadioStateFile(path, russian));
  EXPECT_EQ(ReadRadioStateFile(path), russian);
  RadioState cyrillic = RadioState::Defaults();
  cyrillic.Station = QStringLiteral("Радио Омск");
  cyrillic.Country = QStringLiteral("Россия");
  ASSERT_TRUE(WriteRadioStateFile(path, cyrillic));
  EXPECT_TRUE(ReadFile(path).startsWith(QByteArray("\xD0\xE0\xE4\xE8\xEE \xCE\xEC\xF1\xEA\r\n")))
      << "the name in code page 1251";
  EXPECT_EQ(ReadRadioStateFile(path), cyrillic);
  // A file that an earlier build wrote in UTF-8 with LF is still read.
  WriteFile(path, RadioStateLines(cyrillic).join(QLatin1Char('\n')).append(QLatin1Char('\n')).toUtf8());
  EXPECT_EQ(ReadRadioStateFile(path), cyrillic);
  RadioState broken = russian;
  broken.Logo.clear();
  ASSERT_TRUE(WriteRadioStateFile(path, broken));
  EXPECT_EQ(ReadRadioStateFile(path), RadioState::Defaults());
}

TEST(RadioFilesTest, UnwritableStateFileKeepsTheOldOne) {
  Folders f;
  const QString path = f.parent.filePath("ZubRadio.ini");
  ASSERT_TRUE(WriteRadioStateFile(path, RadioState::Defaults()));
  const QByteArray before = ReadFile(path);
  // A folder where the file should be: the write fails, nothing changes.
  EXPECT_FALSE(WriteRadioStateFile(f.parent.filePath("missing/ZubRadio.ini"), RadioState::Defaults()));
  EXPECT_EQ(ReadFile(path), before);
}

std::vector<Song> Songs(int n) {
  QString text;
  for (int i = 1; i <= n; ++i) text += QStringLiteral("Band_%1~Song_%1.mp3\n").arg(i);
  return ParsePlaylist(text, QStringLiteral("http://127.0.0.1:9/music/"));
}

TEST(MusicPlayerTest, PlaylistChoosesARandomSongAtVolumeFiftyNotPlaying) {
  MusicPlayer player;
  std::vector<int> draws{4, 2, 2};
  std::size_t next = 0;
  player.SetRandomSource([&](int count) {
    EXPECT_EQ(count, 5);
    return draws[next++ % draws.size()];
  });
  player.SetPlaylist(Songs(4));
  EXPECT_FALSE(player.Available());
  EXPECT_EQ(player.Current(), 0);
  player.TogglePlay();
  EXPECT_FALSE(player.Playing());

  player.SetPlaylist(Songs(5));
  ASSERT_TRUE(player.Available());
  EXPECT_EQ(player.Current(), 4);
  EXPECT_EQ(player.Volume(), 50);
  EXPECT_FALSE(player.Playing());
  EXPECT_EQ(player.Stream().Source().toString(), "http://127.0.0.1:9/music/Band_4~Song_4.mp3");

  int starting = 0;
  QObject::connect(&player, &MusicPlayer::Starting, [&starting] { ++starting; });
  player.Next();
  EXPECT_EQ(player.Current(), 2);
  EXPECT_TRUE(player.Playing());
  player.Next();  // the same song may come again
  EXPECT_EQ(player.Current(), 2);
  EXPECT_EQ(starting, 2);
  player.TogglePlay();
  EXPECT_FALSE(player.Playing());

  player.ClickVolume(0);
  EXPECT_EQ(player.Volume(), 50);
  for (int i = 0; i < 12; ++i) player.ClickVolume(40);
  EXPECT_EQ(player.Volume(), 100);
  for (int i = 0; i < 25; ++i) player.ClickVolume(10);
  EXPECT_EQ(player.Volume(), 0);
}

}  // namespace
}  // namespace varnok::media
