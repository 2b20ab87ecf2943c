// The music folder's plain rules: MP3 frames found and timed, song names,
// request names decoded and refused, the station list put together; and the
// club's own songs as the build renders them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "core/mp3.h"
#include "media/music_folder.h"
#include "media/station_list.h"

namespace varnok::server {
namespace {

// One silent MPEG-1 layer III frame, 128 kbit/s, 44.1 kHz, mono: 417 bytes.
std::string SilentFrame() {
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = '\xC0';
  return frame;
}

std::string Frames(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += SilentFrame();
  return out;
}

std::string Id3v2(std::size_t body) {
  std::string tag = "ID3\x04";
  tag += std::string(2, '\0');
  tag += static_cast<char>((body >> 21) & 0x7F);
  tag += static_cast<char>((body >> 14) & 0x7F);
  tag += static_cast<char>((body >> 7) & 0x7F);
  tag += static_cast<char>(body & 0x7F);
  return tag + std::string(body, 'x');
}

TEST(Mp3Scan, FindsTheFramesBetweenTagsAndStrayBytes) {
  struct Case {
    const char* what;
    std::string data;
    std::size_t frames;
    std::size_t first_offset;
  };
  const std::string id3v1 = "TAG" + std::string(125, 'y');
  const Case cases[] = {
      {"bare frames", Frames(10), 10, 0},
      {"ID3v2 in front", Id3v2(300) + Frames(10), 10, 310},
      {"ID3v1 at the end", Frames(10) + id3v1, 10, 0},
      {"stray bytes in front", std::string("\xFF\xFB junk") + Frames(10), 10, 7},
      {"stray bytes between", Frames(4) + "\xFF\xE0zz" + Frames(6), 10, 0},
      {"a cut last frame", Frames(10) + SilentFrame().substr(0, 200), 10, 0},
  };
  for (const Case& c : cases) {
    const std::optional<Mp3Audio> audio = ScanMp3(c.data);
    ASSERT_TRUE(audio) << c.what;
    EXPECT_EQ(audio->frames.size(), c.frames) << c.what;
    EXPECT_EQ(audio->frames.front().offset, c.first_offset) << c.what;
    EXPECT_EQ(audio->sample_rate, 44100) << c.what;
    EXPECT_EQ(audio->first_bitrate_kbps, 128) << c.what;
    EXPECT_EQ(audio->FrameNanoseconds(), 26'122'448) << c.what;
  }
}

TEST(Mp3Scan, LeavesOutTheEncodersSummaryFrame) {
  std::string info = SilentFrame();
  info.replace(4 + 17, 4, "Info");  // mono MPEG-1: 17 bytes of side information
  const std::optional<Mp3Audio> audio = ScanMp3(info + Frames(5));
  ASSERT_TRUE(audio);
  EXPECT_EQ(audio->frames.size(), 5u);
  EXPECT_EQ(audio->frames.front().offset, 417u);
}

TEST(Mp3Scan, RefusesWhatHoldsNoFrames) {
  const std::string not_audio[] = {"", "hello world", std::string(5000, '\xFF'), Id3v2(100),
                                   "\x89PNG\r\n\x1a\n" + std::string(2000, '\0')};
  for (const std::string& data : not_audio) EXPECT_FALSE(ScanMp3(data)) << data.size();
}

TEST(MusicFolder, KnowsASongByItsName) {
  for (const char* good : {"Varnok_Brass~Marriage_March.mp3", "A~B.mp3", "Оркестр~Вальс.mp3"}) {
    EXPECT_TRUE(MusicFolder::IsSongName(QString::fromUtf8(good))) << good;
  }
  for (const char* bad : {"Marriage_March.mp3", "A~B~C.mp3", "~Title.mp3", "Band~.mp3", "Band~Song.MP3",
                          "Band~Song.ogg", "A Band~Song.mp3", ".hidden~x.mp3", "a\tb~c.mp3", "_playlist.html"}) {
    EXPECT_FALSE(MusicFolder::IsSongName(QString::fromUtf8(bad))) << bad;
  }
}

TEST(MusicFolder, ResolvesOnlyTheFolderOwnSongs) {
  QTemporaryDir data;
  ASSERT_TRUE(data.isValid());
  QDir(data.path()).mkpath("music/sub");
  for (const char* name : {"music/A_Band~First.mp3", "music/.hidden~x.mp3", "music/sub/B~Inner.mp3", "secret.txt"}) {
    QFile f(QDir(data.path()).filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
  }
  const MusicFolder music(QDir(data.path()).filePath("music"));
  struct Case {
    const char* encoded;
    int status;
  };
  const Case cases[] = {
      {"A_Band~First.mp3", 200},      {"A_Band%7EFirst.mp3", 200},     {"A_Band%7eFirst%2Emp3", 200},
      {"..%2Fsecret.txt", 400},       {"%2e%2e%2fsecret.txt", 400},    {"..%5csecret.txt", 400},
      {"../secret.txt", 404},         {"%2E%2E", 404},                 {"sub/B~Inner.mp3", 404},
      {"sub%2FB~Inner.mp3", 400},     {".hidden~x.mp3", 404},          {"A_Band~First.mp3%00", 400},
      {"A_Band~First.mp3%0a", 400},   {"%ff%fe~x.mp3", 400},           {"A_Band~First.mp3%", 400},
      {"A_Band~First.mp3%4", 400},    {"%zz~x.mp3", 400},              {"Nobody~Here.mp3", 404},
      {"", 404},                      {"_playlist.html", 404},
  };
  for (const Case& c : cases) {
    const MusicFolder::Lookup found = music.Resolve(c.encoded);
    EXPECT_EQ(found.status, c.status) << c.encoded;
    if (c.status == 200) {
      EXPECT_EQ(found.file, QDir(data.path()).filePath("music/A_Band~First.mp3")) << c.encoded;
    }
  }
}

TEST(StationList, PutsTheClubStationFirstAtThePublicAddress) {
  const QByteArray shipped =
      "\xEF\xBB\xBF# comment\r\n"
      "RUS#CLUB001#Varnok Club Radio#Russian Federation#http://127.0.0.1:8466/radio/club#RRADIO_LOGO_CLUB\r\n"
      "FRA#FIP0001#FIP#France#http://example.invalid/fip.mp3#RRADIO_LOGO_JAZZ";
  const QByteArray list = StationList(shipped, "https://club.example.org/varnok", "DE0");
  EXPECT_EQ(list,
            "DE0#CLUB001#Varnok Club Radio#Deutschland#https://club.example.org/varnok/radio/club#RRADIO_LOGO_CLUB\n"
            "# comment\n"
            "FRA#FIP0001#FIP#France#http://example.invalid/fip.mp3#RRADIO_LOGO_JAZZ\n");
  EXPECT_EQ(CountryName("SK0"), "South Korea");
  EXPECT_TRUE(CountryName("XXX").isEmpty());
}

// The songs the build renders: each a constant 128 kbit/s, 44.1 kHz MP3 of
// 30 to 90 seconds with its name in the playlist's form.
TEST(ClubSongs, AreRenderedAsTheRadioPlaysThem) {
  const QDir built(VARNOK_MUSIC_DIR);
  const QStringList songs = built.entryList({"*.mp3"}, QDir::Files);
  ASSERT_GE(songs.size(), 6);
  for (const QString& name : songs) {
    EXPECT_TRUE(MusicFolder::IsSongName(name)) << name.toStdString();
    QFile file(built.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const std::optional<Mp3Audio> audio = ScanMp3(std::string_view(bytes.constData(), bytes.size()));
    ASSERT_TRUE(audio) << name.toStdString();
    EXPECT_EQ(audio->sample_rate, 44100);
    EXPECT_EQ(audio->first_bitrate_kbps, 128);
    EXPECT_TRUE(audio->constant_bitrate) << name.toStdString();
    EXPECT_GE(audio->Seconds(), 30.0) << name.toStdString();
    EXPECT_LE(audio->Seconds(), 90.0) << name.toStdString();
  }
}

}  // namespace
}  // namespace varnok::server
