// The music player and the radio against the real varnok-server: the
// playlist of its music folder, the station lists from the server and from
// disk, the club station's stream playing, and the player and the radio
// never sounding at once.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QTimer>

#include "library_download.h"
#include "music_player.h"
#include "radio.h"
#include "server_fixture.h"
#include "silent_mp3.h"

namespace varnok::online::testing {
namespace {

using media::MusicPlayer;
using media::Radio;

class MediaServerTest : public ServerTest {
 protected:
  void SetUp() override {
    // Six songs in the music folder before the server starts.
    QDir data(server_.DataPath());
    ASSERT_TRUE(data.mkpath(QStringLiteral("music")));
    for (int i = 1; i <= 6; ++i) {
      QFile song(data.filePath(QStringLiteral("music/Test_Band_%1~Quiet_Tune_%1.mp3").arg(i)));
      ASSERT_TRUE(song.open(QIODevice::WriteOnly));
      song.write(SilentMp3(6.0));
    }
    ServerTest::SetUp();
    folder_ = parent_.filePath(QStringLiteral("prog"));
    ASSERT_TRUE(QDir(parent_.path()).mkpath(QStringLiteral("prog")));
    // The radio library's presence is all the radio's availability asks for.
    QFile library(QDir(folder_).filePath(QString::fromLatin1(media::kRadioLibrary)));
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.write("bundle");
  }

  std::vector<media::Song> ReadSongs() {
    std::optional<std::optional<QString>> text;
    client_.ReadPlaylist(nullptr, [&](std::optional<QString> t) { text = std::move(t); });
    Wait([&] { return text.has_value(); });
    if (!text || !*text) return {};
    return media::ParsePlaylist(**text, client_.MusicFolder());
  }

  // Fetches "ZubRadio.ser" and initialises a radio from it.
  bool InitFromServer(Radio& radio) {
    std::optional<DownloadResult> result;
    FetchDownload(client_, QString::fromLatin1(media::kRadioServerList), parent_.path(), nullptr, {},
                  [&](DownloadResult r) { result = r; });
    Wait([&] { return result.has_value(); });
    if (!result || !result->Ok) {
      ADD_FAILURE() << "station list not fetched: " << (result ? result->Why.toStdString() : "no answer");
      return false;
    }
    radio.Init(media::RadioFiles{folder_, parent_.path(), true, true});
    return radio.Available();
  }

  // Waits until the stream plays and its position has advanced by `advance_ms`.
  static bool PlaysAndAdvances(media::AudioStream& stream, qint64 advance_ms, qint64* reached = nullptr) {
    Wait([&] { return stream.Playing() && stream.PositionMs() > 0; }, 15000);
    const qint64 start = stream.PositionMs();
    Wait([&] { return stream.PositionMs() >= start + advance_ms || !stream.Playing(); }, 15000);
    if (reached != nullptr) *reached = stream.PositionMs();
    ::testing::Test::RecordProperty("advanced_from_ms", static_cast<int>(start));
    ::testing::Test::RecordProperty("advanced_to_ms", static_cast<int>(stream.PositionMs()));
    return stream.Playing() && stream.PositionMs() >= start + advance_ms;
  }

  QTemporaryDir parent_;
  QString folder_;
};

TEST_F(MediaServerTest, PlaylistOfTheMusicFolderMakesThePlayerAvailable) {
  const auto songs = ReadSongs();
  ASSERT_EQ(songs.size(), 6u);
  EXPECT_EQ(songs[0].Performer, "Test Band 1");
  EXPECT_EQ(songs[0].Title, "Quiet Tune 1");
  EXPECT_EQ(songs[0].Address, server_.Base() + "music/Test_Band_1~Quiet_Tune_1.mp3");

  MusicPlayer player;
  player.SetRandomSource([](int) { return 3; });
  player.SetPlaylist(songs);
  ASSERT_TRUE(player.Available());
  EXPECT_EQ(player.Current(), 3);
  EXPECT_FALSE(player.Playing());
  player.TogglePlay();
  qint64 reached = 0;
  EXPECT_TRUE(PlaysAndAdvances(player.Stream(), 1000, &reached))
      << "state " << player.Stream().Player()->playbackState() << " status "
      << player.Stream().Player()->mediaStatus() << " error "
      << player.Stream().Player()->errorString().toStdString() << " position " << reached;
}

TEST_F(MediaServerTest, NextSongStartsWhenOneEnds) {
  MusicPlayer player;
  std::vector<int> draws{2, 5};
  std::size_t drawn = 0;
  player.SetRandomSource([&](int) { return draws[std::min(drawn++, draws.size() - 1)]; });
  player.SetPlaylist(ReadSongs());
  ASSERT_TRUE(player.Available());
  ASSERT_EQ(player.Current(), 2);
  player.TogglePlay();
  Wait([&] { return player.Stream().Playing() && player.Stream().DurationMs() > 0; }, 15000);
  ASSERT_GT(player.Stream().DurationMs(), 5000);
  // Close to the end of the song; the 500 ms poll takes it from there.
  player.Stream().Player()->setPosition(player.Stream().DurationMs() - 400);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &player, &MusicPlayer::Poll);
  poll.start(500);
  Wait([&] { return player.Current() == 5; }, 15000);
  EXPECT_EQ(player.Current(), 5);
  EXPECT_TRUE(player.Playing());
  EXPECT_TRUE(player.Stream().Source().toString().endsWith("Test_Band_5~Quiet_Tune_5.mp3"));
  EXPECT_TRUE(PlaysAndAdvances(player.Stream(), 500));
}

TEST_F(MediaServerTest, StationListsFromTheServerAndFromDisk) {
  Radio from_server;
  ASSERT_TRUE(InitFromServer(from_server));
  const auto served = from_server.ReadStations();
  ASSERT_TRUE(served);
  ASSERT_FALSE(served->empty());
  // The club station comes first, at this server's address.
  EXPECT_EQ(served->front().Key, "CLUB001");
  EXPECT_EQ(served->front().Address, server_.Base() + "radio/club");
  EXPECT_EQ(served->front().Logo, "RRADIO_LOGO_CLUB");

  // The shipped list, read from disk beside the program.
  QFile shipped(QStringLiteral(VARNOK_RADIO_LIST));
  ASSERT_TRUE(shipped.copy(QDir(folder_).filePath(QString::fromLatin1(media::kRadioDiskList))));
  Radio from_disk;
  from_disk.Init(media::RadioFiles{folder_, parent_.path(), false, false});
  ASSERT_TRUE(from_disk.Available());
  const auto listed = from_disk.ReadStations();
  ASSERT_TRUE(listed);
  EXPECT_TRUE(media::FindStation(*listed, "CLUB001"));
  // The server's list is the shipped one with the club station first.
  EXPECT_EQ(served->size(), listed->size());
  for (const media::Station& s : *listed) EXPECT_TRUE(media::FindStation(*served, s.Key)) << s.Key.toStdString();
}

TEST_F(MediaServerTest, ClubStationPlaysAndNeverWithThePlayer) {
  Radio radio;
  ASSERT_TRUE(InitFromServer(radio));
  const auto stations = radio.ReadStations();
  ASSERT_TRUE(stations);
  const auto club = media::FindStation(*stations, "CLUB001");
  ASSERT_TRUE(club);
  radio.ChooseStation(*club);
  EXPECT_FALSE(radio.Stream().Playing());  // off: choosing plays nothing

  MusicPlayer player;
  player.SetPlaylist(ReadSongs());
  ASSERT_TRUE(player.Available());
  // Whichever starts silences the other, as the main window wires them.
  QObject::connect(&radio, &Radio::Starting, &player, &MusicPlayer::Stop);
  QObject::connect(&player, &MusicPlayer::Starting, &radio, [&radio] {
    if (radio.On()) radio.Toggle();
  });

  player.TogglePlay();
  ASSERT_TRUE(player.Playing());
  ASSERT_TRUE(radio.Toggle());
  EXPECT_TRUE(radio.On());
  EXPECT_FALSE(player.Playing());
  qint64 reached = 0;
  EXPECT_TRUE(PlaysAndAdvances(radio.Stream(), 1500, &reached))
      << "state " << radio.Stream().Player()->playbackState() << " status " << radio.Stream().Player()->mediaStatus()
      << " error " << radio.Stream().Player()->errorString().toStdString() << " position " << reached;
  EXPECT_FALSE(player.Stream().Playing());

  player.Next();
  EXPECT_TRUE(player.Playing());
  EXPECT_FALSE(radio.On());
  EXPECT_FALSE(radio.Stream().Playing());
  EXPECT_EQ(radio.Stream().Player(), nullptr) << "the station's connection is closed, not left filling";
}

}  // namespace
}  // namespace varnok::online::testing
