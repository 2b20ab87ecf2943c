// Reading wave sounds from memory: well-formed 16-bit PCM files in their
// usual variants, and every kind of damaged or foreign file refused.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "wave.h"

namespace varnok {
namespace {

void Put16(QByteArray& d, int v) {
  d.append(char(v & 0xFF));
  d.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& d, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d.append(char((v >> (8 * i)) & 0xFF));
}

QByteArray Chunk(const char* id, const QByteArray& body, std::int64_t claimed_size = -1) {
  QByteArray d(id, 4);
  Put32(d, std::uint32_t(claimed_size < 0 ? body.size() : claimed_size));
  d.append(body);
  if (body.size() % 2 == 1) d.append('\0');
  return d;
}

// The fields of a "fmt " chunk.
struct Format {
  int tag = 1;
  int channels = 1;
  std::uint32_t rate = 44100;
  int block_align = -1;  // -1: channels * bits / 8
  int bits = 16;
  int sub_format = -1;   // >= 0: the extensible format with this sub-format tag
  int body_size = -1;    // -1: the natural size
};

QByteArray FormatChunk(const Format& f) {
  QByteArray body;
  Put16(body, f.sub_format >= 0 ? 0xFFFE : f.tag);
  Put16(body, f.channels);
  Put32(body, f.rate);
  const int align = f.block_align >= 0 ? f.block_align : f.channels * f.bits / 8;
  Put32(body, f.rate * std::uint32_t(align));
  Put16(body, align);
  Put16(body, f.bits);
  if (f.sub_format >= 0) {
    Put16(body, 22);        // extension size
    Put16(body, f.bits);    // valid bits
    Put32(body, 0);         // channel mask
    Put16(body, f.sub_format);
    body.append(QByteArray::fromHex("000000001000800000aa00389b71"));
  }
  if (f.body_size >= 0) body.truncate(f.body_size);
  return Chunk("fmt ", body);
}

QByteArray Samples(int count) {
  QByteArray d;
  for (int i = 0; i < count; ++i) Put16(d, (i * 1000) & 0xFFFF);
  return d;
}

QByteArray Riff(const QByteArray& chunks, std::int64_t extra_riff_size = 0) {
  QByteArray d("RIFF");
  Put32(d, std::uint32_t(4 + chunks.size() + extra_riff_size));
  d.append("WAVE");
  d.append(chunks);
  return d;
}

QByteArray Wave(const Format& f, int samples) { return Riff(FormatChunk(f) + Chunk("data", Samples(samples))); }

struct GoodCase {
  std::string what;
  QByteArray file;
  int channels;
  int rate;
  qint64 frames;
  qint64 duration_ms;
};

TEST(ParseWave, ReadsWellFormedFiles) {
  Format stereo;
  stereo.channels = 2;
  Format low;
  low.rate = 8000;
  Format extensible;
  extensible.sub_format = 1;
  const QByteArray odd_chunk = Chunk("LIST", QByteArray("abc"));  // padded to an even size
  const std::vector<GoodCase> cases = {
      {"mono, one second", Wave(Format{}, 44100), 1, 44100, 44100, 1000},
      {"stereo: frames are sample pairs", Wave(stereo, 44100), 2, 44100, 22050, 500},
      {"one frame rounds up to a millisecond", Wave(Format{}, 1), 1, 44100, 1, 1},
      {"8 kHz", Wave(low, 8000 * 3), 1, 8000, 24000, 3000},
      {"extensible format with PCM inside", Wave(extensible, 441), 1, 44100, 441, 10},
      {"odd-sized chunk before the format", Riff(odd_chunk + FormatChunk(Format{}) + Chunk("data", Samples(100))),
       1, 44100, 100, 3},
      {"data before the format", Riff(Chunk("data", Samples(100)) + FormatChunk(Format{})), 1, 44100, 100, 3},
      {"bytes after the RIFF end are ignored", Wave(Format{}, 100) + QByteArray(7, 'x'), 1, 44100, 100, 3},
      {"a half frame at the end is dropped", Riff(FormatChunk(stereo) + Chunk("data", Samples(5))), 2, 44100, 2, 1},
  };
  for (const GoodCase& c : cases) {
    WaveSound sound;
    QString error;
    ASSERT_TRUE(ParseWave(c.file, sound, &error)) << c.what << ": " << error.toStdString();
    EXPECT_EQ(sound.channels, c.channels) << c.what;
    EXPECT_EQ(sound.sample_rate, c.rate) << c.what;
    EXPECT_EQ(sound.Frames(), c.frames) << c.what;
    EXPECT_EQ(sound.samples.size(), c.frames * c.channels * 2) << c.what;
    EXPECT_EQ(sound.DurationMs(), c.duration_ms) << c.what;
  }
}

TEST(ParseWave, KeepsTheSampleBytes) {
  WaveSound sound;
  ASSERT_TRUE(ParseWave(Wave(Format{}, 10), sound));
  EXPECT_EQ(sound.samples, Samples(10));
}

struct BadCase {
  std::string what;
  QByteArray file;
};

TEST(ParseWave, RefusesDamagedAndForeignFiles) {
  const QByteArray good = Wave(Format{}, 100);
  auto with = [](auto change) {
    Format f;
    change(f);
    return Wave(f, 100);
  };
  const std::vector<BadCase> cases = {
      {"empty", QByteArray()},
      {"shorter than a header", good.left(11)},
      {"not RIFF", QByteArray("RIFX") + good.mid(4)},
      {"RIFF but not WAVE", good.left(8) + "AVI " + good.mid(12)},
      {"cut in the middle of the samples", good.left(good.size() - 10)},
      {"cut inside the format chunk", good.left(30)},
      {"data chunk claims more than the file holds",
       Riff(FormatChunk(Format{}) + Chunk("data", Samples(100), 400))},
      {"RIFF size larger than the file", Riff(FormatChunk(Format{}) + Chunk("data", Samples(100)), 2)},
      {"float samples", with([](Format& f) { f.tag = 3; })},
      {"compressed (ADPCM)", with([](Format& f) { f.tag = 2; })},
      {"extensible with a float sub-format", with([](Format& f) { f.sub_format = 3; })},
      {"extensible without its extension", with([](Format& f) {
         f.sub_format = 1;
         f.body_size = 18;
       })},
      {"8-bit samples", with([](Format& f) { f.bits = 8; })},
      {"24-bit samples", with([](Format& f) { f.bits = 24; })},
      {"no channels", with([](Format& f) { f.channels = 0; })},
      {"nine channels", with([](Format& f) { f.channels = 9; })},
      {"rate 0", with([](Format& f) { f.rate = 0; })},
      {"rate beyond any device", with([](Format& f) { f.rate = 4000000000u; })},
      {"block size not matching the channels", with([](Format& f) { f.block_align = 4; })},
      {"format chunk too short", with([](Format& f) { f.body_size = 14; })},
      {"no format chunk", Riff(Chunk("data", Samples(100)))},
      {"no data chunk", Riff(FormatChunk(Format{}))},
      {"no samples", Riff(FormatChunk(Format{}) + Chunk("data", QByteArray()))},
      {"less than one frame", Riff(FormatChunk(Format{}) + Chunk("data", QByteArray(1, 'x')))},
      {"chunk size near 4 GB", Riff(FormatChunk(Format{}) + Chunk("data", Samples(100), 0xFFFFFFF0))},
  };
  for (const BadCase& c : cases) {
    WaveSound sound;
    sound.channels = 7;
    QString error;
    EXPECT_FALSE(ParseWave(c.file, sound, &error)) << c.what;
    EXPECT_FALSE(error.isEmpty()) << c.what;
    EXPECT_EQ(sound.channels, 7) << c.what << ": a refused file leaves the sound as it was";
  }
}

TEST(ParseWave, RefusesEveryCutOffPrefixOfAFile) {
  const QByteArray file = Wave(Format{}, 50);
  for (qsizetype length = 0; length < file.size(); ++length) {
    WaveSound sound;
    EXPECT_FALSE(ParseWave(file.left(length), sound)) << "cut to " << length << " of " << file.size() << " bytes";
  }
}

TEST(ParseWave, AnyDamagedHeaderByteGivesARefusalOrSamplesFromTheFile) {
  const QByteArray file = Wave(Format{}, 50);
  for (int at = 0; at < 44; ++at) {
    for (int value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      QByteArray damaged = file;
      damaged[at] = char(value);
      WaveSound sound;
      if (!ParseWave(damaged, sound)) continue;
      EXPECT_GT(sound.Frames(), 0) << at << "=" << value;
      EXPECT_LE(sound.samples.size(), damaged.size() - 44) << at << "=" << value;
      EXPECT_TRUE(damaged.contains(sound.samples)) << at << "=" << value;
    }
  }
}

}  // namespace
}  // namespace varnok
