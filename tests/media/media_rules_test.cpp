// The music player's and the radio's plain rules: the playlist, volume
// steps, the next song, the station list, the state lines and the volume
// pictures.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "media_rules.h"

namespace varnok::media {
namespace {

const QString kFolder = QStringLiteral("http://127.0.0.1:8466/music/");

TEST(Playlist, LinesBecomeSongsWithAddressPerformerAndTitle) {
  const auto songs = ParsePlaylist(QStringLiteral("Varnok_Band~Morning_Reel.mp3\n"
                                                  "\n"
                                                  "no tilde here.mp3\n"
                                                  "Duo~Waltz_No_2.mp3\r\n"
                                                  "Mr_X~Tune #1?.mp3\n"),
                                   kFolder);
  ASSERT_EQ(songs.size(), 3u);
  EXPECT_EQ(songs[0].Address, kFolder + "Varnok_Band~Morning_Reel.mp3");
  EXPECT_EQ(songs[0].Performer, "Varnok Band");
  EXPECT_EQ(songs[0].Title, "Morning Reel");
  EXPECT_EQ(songs[1].Title, "Waltz No 2");  // the "\r" of a CR LF line end is gone
  EXPECT_EQ(songs[1].Address, kFolder + "Duo~Waltz_No_2.mp3");
  // Characters a URL would take for its own are sent encoded.
  EXPECT_EQ(songs[2].Address, kFolder + "Mr_X~Tune%20%231%3F.mp3");
  EXPECT_EQ(songs[2].Title, "Tune #1?");
  EXPECT_EQ(SongHint(songs[0]), "Varnok Band  :  Morning Reel");
}

TEST(Playlist, PlayerNeedsMoreThanFourSongs) {
  struct Case {
    int lines;
    bool available;
  } cases[] = {{0, false}, {1, false}, {4, false}, {5, true}, {9, true}};
  for (const Case& c : cases) {
    QString text;
    for (int i = 0; i < c.lines; ++i) text += QStringLiteral("P%1~T%1.mp3\n").arg(i);
    EXPECT_EQ(PlayerAvailable(ParsePlaylist(text, kFolder).size()), c.available) << c.lines;
  }
}

TEST(PlayerRules, VolumeClicks) {
  struct Case {
    int volume, x, expected;
  } cases[] = {
      {50, 35, 55}, {50, 60, 55}, {95, 40, 100}, {100, 40, 100},  // right of x = 34: up, 100 stays
      {50, 1, 45},  {50, 25, 45}, {5, 10, 0},    {0, 10, 0},      // x = 1..25: down, 0 stays
      {50, 0, 50},  {50, 26, 50}, {50, 34, 50},                   // x = 0 and the middle: nothing
  };
  for (const Case& c : cases) EXPECT_EQ(VolumeAfterClick(c.volume, c.x), c.expected) << c.volume << " " << c.x;
}

TEST(PlayerRules, NextSongIsDrawnFromAllSongsSameOneIncluded) {
  int asked_count = 0;
  const RandomSource fixed = [&asked_count](int count) {
    asked_count = count;
    return 3;
  };
  EXPECT_EQ(NextSong(7, fixed), 3);
  EXPECT_EQ(asked_count, 7);  // drawn from all seven, the current one included
  EXPECT_EQ(NextSong(0, fixed), 0);
  // A source that strays is held to 1..count.
  EXPECT_EQ(NextSong(5, [](int) { return 9; }), 5);
  EXPECT_EQ(NextSong(5, [](int) { return 0; }), 1);
  // The program's own source covers the range and stays inside it.
  const RandomSource system = SystemRandom();
  bool seen[6] = {};
  for (int i = 0; i < 600; ++i) {
    const int n = NextSong(5, system);
    ASSERT_GE(n, 1);
    ASSERT_LE(n, 5);
    seen[n] = true;
  }
  for (int n = 1; n <= 5; ++n) EXPECT_TRUE(seen[n]) << n;
}

const QString kList = QStringLiteral(
    "# The stations\n"
    "RUS#CLUB001#Varnok Club Radio#Russian Federation#http://127.0.0.1:8466/radio/club#RRADIO_LOGO_CLUB\n"
    "#RUS#HIDDEN1#Commented out#Russian Federation#http://x/#RRADIO_LOGO_X\n"
    "RUS#SHORT01#No Address#Russian Federation\n"
    "UK0#LONDON1#London Tunes#United Kingdom#http://127.0.0.1:9/ld#RRADIO_LOGO_LT\r\n"
    "\n"
    "RUS#AVTO001#Авторадио Moscow#Russian Federation#http://127.0.0.1:9/avto#RRADIO_LOGO_AVTORADIO\n");

TEST(RadioStationList, CommentsSkippedFieldsReadCountryFiltered) {
  const auto all = ParseStationList(kList);
  ASSERT_EQ(all.size(), 4u);
  for (const Station& s : all) EXPECT_FALSE(s.Name.contains("Commented")) << s.Name.toStdString();

  const auto russian = StationsOfCountry(all, CountryIndexOfKey("RUS"));
  ASSERT_EQ(russian.size(), 3u);
  EXPECT_EQ(russian[0].Key, "CLUB001");
  EXPECT_EQ(russian[0].Name, "Varnok Club Radio");
  EXPECT_EQ(russian[0].Country, "Russian Federation");
  EXPECT_EQ(russian[0].Address, "http://127.0.0.1:8466/radio/club");
  EXPECT_EQ(russian[0].Logo, "RRADIO_LOGO_CLUB");
  // A line without fields 4 and 5: no address and no logo.
  EXPECT_EQ(russian[1].Name, "No Address");
  EXPECT_TRUE(russian[1].Address.isEmpty());
  EXPECT_TRUE(russian[1].Logo.isEmpty());
  EXPECT_EQ(russian[2].Name, "Авторадио Moscow");

  const auto british = StationsOfCountry(all, 14);
  ASSERT_EQ(british.size(), 1u);
  EXPECT_EQ(british[0].Logo, "RRADIO_LOGO_LT");  // no "\r" left
  EXPECT_TRUE(StationsOfCountry(all, 12).empty());  // USA: none
  EXPECT_TRUE(StationsOfCountry(all, 99).empty());

  ASSERT_TRUE(FindStation(all, "LONDON1"));
  EXPECT_EQ(FindStation(all, "LONDON1")->Name, "London Tunes");
  EXPECT_FALSE(FindStation(all, "HIDDEN1"));
}

TEST(RadioStationList, CountryListHasTwentyEightKeys) {
  EXPECT_EQ(CountryIndexOfKey("RUS"), 0);
  EXPECT_EQ(CountryIndexOfKey("USA"), 12);
  EXPECT_EQ(CountryIndexOfKey("SK0"), 27);
  EXPECT_EQ(CountryIndexOfKey("XYZ"), -1);
  EXPECT_STREQ(Countries()[16].Name, "Deutschland");
}

TEST(RadioStateLines, ReadOverDefaultsAndResetWhenIncomplete) {
  const RadioState defaults = RadioState::Defaults();
  EXPECT_EQ(defaults.Station, "Авторадио Moscow");
  EXPECT_EQ(defaults.Country, "Russian Federation");
  EXPECT_EQ(defaults.Logo, "RRADIO_LOGO_AVTORADIO");
  EXPECT_FALSE(defaults.On);
  EXPECT_EQ(defaults.Volume, 30);
  EXPECT_EQ(defaults.CountryIndex, 0);

  const QStringList lines{"London Tunes", "http://127.0.0.1:9/ld", "United Kingdom", "RRADIO_LOGO_LT", "1", "70",
                          "14"};
  const RadioState read = ReadRadioStateLines(lines);
  EXPECT_EQ(read.Station, "London Tunes");
  EXPECT_TRUE(read.On);
  EXPECT_EQ(read.Volume, 70);
  EXPECT_EQ(read.CountryIndex, 14);
  EXPECT_EQ(RadioStateLines(read), lines);

  // Only some lines: the rest keep their defaults; bad numbers too.
  const RadioState partial = ReadRadioStateLines({"Only a name", "", "", "", "yes", "250", "-3"});
  EXPECT_EQ(partial.Station, "Only a name");
  EXPECT_FALSE(partial.On);
  EXPECT_EQ(partial.Volume, 30);
  EXPECT_EQ(partial.CountryIndex, 0);
  EXPECT_EQ(ReadRadioStateLines({"A", "B", "C", "D", "0", "44"}).Volume, 40);  // to the nearest step

  // Any of lines 1 to 4 empty at close: all seven go back to the defaults.
  for (int empty = 0; empty < 4; ++empty) {
    QStringList incomplete = lines;
    incomplete[empty].clear();
    EXPECT_EQ(RadioStateLines(ReadRadioStateLines(incomplete)), RadioStateLines(defaults)) << empty;
  }
}

TEST(RadioRules, VolumePictureNamesAndSteps) {
  struct Case {
    int volume;
    const char* name;
  } cases[] = {{0, "RRADIO_VOLUME00"},  {1, "RRADIO_VOLUME01"},  {10, "RRADIO_VOLUME01"}, {11, "RRADIO_VOLUME02"},
               {30, "RRADIO_VOLUME03"}, {90, "RRADIO_VOLUME09"}, {91, "RRADIO_VOLUME10"}, {95, "RRADIO_VOLUME10"},
               {100, "RRADIO_VOLUME10"}};
  for (const Case& c : cases) EXPECT_EQ(VolumePictureName(c.volume), QString::fromLatin1(c.name)) << c.volume;
  EXPECT_EQ(RadioVolumeStep(90, true), 100);
  EXPECT_EQ(RadioVolumeStep(100, true), 100);
  EXPECT_EQ(RadioVolumeStep(0, false), 0);
  EXPECT_EQ(RadioVolumeStep(30, false), 20);
  EXPECT_EQ(RadioHint("Zub Internet-Radio", "Varnok Club Radio"), "Zub Internet-Radio: Varnok Club Radio");
}

}  // namespace
}  // namespace varnok::media
