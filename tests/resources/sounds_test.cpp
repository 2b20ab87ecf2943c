// The built sounds, read through the loader: every sound effect is a short,
// normalised, unclipped 16-bit PCM wave; every card has its spoken name in
// every voice code in the voice library; the menu song is a General MIDI file
// of about a minute that starts at once and ends on a bar line, so that its
// repeats join without a gap. The wave and MIDI files are parsed here, byte by
// byte, so no audio tool is needed to check them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "loader.h"
#include "manifest.h"
#include "names.h"

namespace varnok {
namespace {

// ---------------------------------------------------------------------------
// Wave files

struct Wave {
  int format = 0;  // 1 = PCM (also for WAVE_FORMAT_EXTENSIBLE with a PCM sub-format)
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::int64_t frames = 0;
  int peak = 0;                // the largest |sample|
  std::int64_t full_scale = 0; // samples at -32768 or +32767: clipped

  double Seconds() const { return rate > 0 ? double(frames) / rate : 0.0; }
  double PeakDb() const {
    return peak > 0 ? 20.0 * std::log10(peak / 32768.0) : -std::numeric_limits<double>::infinity();
  }
};

std::uint32_t U32(const QByteArray& d, qsizetype at) {
  return std::uint32_t(std::uint8_t(d[at])) | std::uint32_t(std::uint8_t(d[at + 1])) << 8 |
         std::uint32_t(std::uint8_t(d[at + 2])) << 16 | std::uint32_t(std::uint8_t(d[at + 3])) << 24;
}
std::uint16_t U16(const QByteArray& d, qsizetype at) {
  return std::uint16_t(std::uint8_t(d[at]) | std::uint8_t(d[at + 1]) << 8);
}

// Reads a RIFF WAVE file of 16-bit PCM samples; nothing (and *error set) for
// anything else or a damaged file.
std::optional<Wave> ReadWave(const QByteArray& d, std::string* error) {
  auto fail = [error](const std::string& why) -> std::optional<Wave> {
    *error = why;
    return std::nullopt;
  };
  if (d.size() < 12 || !d.startsWith("RIFF") || d.mid(8, 4) != "WAVE") return fail("not a RIFF WAVE file");
  if (std::int64_t(U32(d, 4)) + 8 > d.size()) return fail("the RIFF size runs past the end of the file");
  Wave wave;
  bool have_format = false;
  bool have_data = false;
  qsizetype at = 12;
  while (at + 8 <= d.size()) {
    const QByteArray id = d.mid(at, 4);
    const std::int64_t size = U32(d, at + 4);
    const qsizetype body = at + 8;
    if (body + size > d.size()) return fail("chunk \"" + id.toStdString() + "\" runs past the end of the file");
    if (id == "fmt ") {
      if (size < 16) return fail("the format chunk is too short");
      wave.format = U16(d, body);
      wave.channels = U16(d, body + 2);
      wave.rate = int(U32(d, body + 4));
      const int block_align = U16(d, body + 12);
      wave.bits = U16(d, body + 14);
      if (wave.format == 0xFFFE) {
        if (size < 40) return fail("the extensible format chunk is too short");
        wave.format = U16(d, body + 24);  // the sub-format GUID starts with the format tag
      }
      if (wave.channels < 1 || block_align != wave.channels * wave.bits / 8)
        return fail("inconsistent channels and block alignment");
      have_format = true;
    } else if (id == "data") {
      if (!have_format) return fail("the data chunk comes before the format chunk");
      if (wave.format != 1 || wave.bits != 16) return fail("not 16-bit PCM");
      const std::int64_t samples = size / 2;
      wave.frames = samples / wave.channels;
      for (std::int64_t i = 0; i < samples; ++i) {
        const int sample = std::int16_t(U16(d, body + qsizetype(2 * i)));
        wave.peak = std::max(wave.peak, std::abs(sample));
        if (sample <= -32768 || sample >= 32767) ++wave.full_scale;
      }
      have_data = true;
    }
    at = body + qsizetype(size + (size & 1));
  }
  if (!have_format || !have_data) return fail("no format or no data chunk");
  return wave;
}

// ---------------------------------------------------------------------------
// MIDI files

struct Midi {
  int format = 0;
  int tracks = 0;
  int division = 0;                        // ticks per quarter note
  std::map<std::int64_t, int> tempos;      // tick -> microseconds per quarter note
  int bar_quarters_num = 4;                // time signature numerator
  int bar_quarters_den = 4;                // and denominator (a power of two)
  std::int64_t first_note_on = -1;
  std::int64_t last_note_off = 0;
  int note_ons = 0;
  std::set<int> note_channels;
  std::set<int> programs;                  // program numbers changed to (0..127)

  double SecondsAt(std::int64_t tick) const {
    double seconds = 0.0;
    std::int64_t from = 0;
    int tempo = 500000;
    for (const auto& [at, value] : tempos) {
      if (at >= tick) break;
      seconds += double(at - from) * tempo / 1e6 / division;
      from = at;
      tempo = value;
    }
    return seconds + double(tick - from) * tempo / 1e6 / division;
  }
  std::int64_t BarTicks() const { return std::int64_t(division) * 4 * bar_quarters_num / bar_quarters_den; }
};

std::uint32_t B32(const QByteArray& d, qsizetype at) {
  return std::uint32_t(std::uint8_t(d[at])) << 24 | std::uint32_t(std::uint8_t(d[at + 1])) << 16 |
         std::uint32_t(std::uint8_t(d[at + 2])) << 8 | std::uint32_t(std::uint8_t(d[at + 3]));
}
int B16(const QByteArray& d, qsizetype at) { return std::uint8_t(d[at]) << 8 | std::uint8_t(d[at + 1]); }

// Reads a standard MIDI file (format 0 or 1, ticks per quarter note); nothing
// (and *error set) for anything else or a damaged file.
std::optional<Midi> ReadMidi(const QByteArray& d, std::string* error) {
  auto fail = [error](const std::string& why) -> std::optional<Midi> {
    *error = why;
    return std::nullopt;
  };
  if (d.size() < 14 || !d.startsWith("MThd") || B32(d, 4) < 6) return fail("not a MIDI file");
  Midi midi;
  midi.format = B16(d, 8);
  midi.tracks = B16(d, 10);
  midi.division = B16(d, 12);
  if (midi.format > 1 || midi.division <= 0 || (midi.division & 0x8000)) return fail("unexpected MIDI format or timing");
  qsizetype at = 8 + qsizetype(B32(d, 4));
  std::map<std::pair<int, int>, int> sounding;  // (channel, key) -> notes on
  for (int track = 0; track < midi.tracks; ++track) {
    if (at + 8 > d.size() || d.mid(at, 4) != "MTrk") return fail("missing track " + std::to_string(track));
    const qsizetype end = at + 8 + qsizetype(B32(d, at + 4));
    if (end > d.size()) return fail("track " + std::to_string(track) + " runs past the end of the file");
    qsizetype p = at + 8;
    std::int64_t tick = 0;
    int status = 0;
    bool ended = false;
    auto number = [&](std::int64_t& value) {  // a variable-length quantity
      value = 0;
      for (int i = 0; i < 4 && p < end; ++i) {
        const std::uint8_t byte = std::uint8_t(d[p++]);
        value = value << 7 | (byte & 0x7F);
        if (!(byte & 0x80)) return true;
      }
      return false;
    };
    while (p < end && !ended) {
      std::int64_t delta = 0;
      if (!number(delta)) return fail("bad delta time");
      tick += delta;
      if (p >= end) return fail("event cut off");
      if (std::uint8_t(d[p]) & 0x80) status = std::uint8_t(d[p++]);
      if (status == 0xFF) {
        if (p >= end) return fail("meta event cut off");
        const int type = std::uint8_t(d[p++]);
        std::int64_t length = 0;
        if (!number(length) || p + length > end) return fail("bad meta event");
        if (type == 0x51 && length == 3) {
          midi.tempos[tick] = std::uint8_t(d[p]) << 16 | std::uint8_t(d[p + 1]) << 8 | std::uint8_t(d[p + 2]);
        } else if (type == 0x58 && length >= 2) {
          midi.bar_quarters_num = std::uint8_t(d[p]);
          midi.bar_quarters_den = 1 << std::uint8_t(d[p + 1]);
        } else if (type == 0x2F) {
          ended = true;
        }
        p += qsizetype(length);
        status = 0;  // meta and system events cancel running status
      } else if (status == 0xF0 || status == 0xF7) {
        std::int64_t length = 0;
        if (!number(length) || p + length > end) return fail("bad system exclusive event");
        p += qsizetype(length);
        status = 0;
      } else if (status >= 0x80) {
        const int kind = status & 0xF0;
        const int channel = status & 0x0F;
        const int data_bytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (p + data_bytes > end) return fail("channel event cut off");
        const int a = std::uint8_t(d[p]);
        const int b = data_bytes == 2 ? std::uint8_t(d[p + 1]) : 0;
        p += data_bytes;
        if (kind == 0x90 && b > 0) {
          ++midi.note_ons;
          ++sounding[{channel, a}];
          midi.note_channels.insert(channel);
          if (midi.first_note_on < 0 || tick < midi.first_note_on) midi.first_note_on = tick;
        } else if (kind == 0x80 || kind == 0x90) {
          int& on = sounding[{channel, a}];
          if (on > 0) --on;
          midi.last_note_off = std::max(midi.last_note_off, tick);
        } else if (kind == 0xC0) {
          midi.programs.insert(a);
        }
      } else {
        return fail("data byte without a status");
      }
    }
    if (!ended) return fail("track " + std::to_string(track) + " has no end");
    at = end;
  }
  for (const auto& [note, on] : sounding) {
    if (on > 0) return fail("a note is never released");
  }
  return midi;
}

// ---------------------------------------------------------------------------

const QStringList kEffects = {
    "WTasoKo", "WDiPlay", "WDiPass", "WPrik_1", "WPrik_2", "WPrik_3", "WHodsDo", "WSays20",
    "WSays40", "WPlMore", "WDing_1", "WKoGutX", "WKoBadX", "WKoGood", "WKoBads", "WOpenFo",
    "WWrongs", "WToMenK", "WFiBest", "WFiGood", "WFiBads", "STimerA", "STimerB"};

// Card part of a voice name (suit part and rank part) and the ten voice codes.
QStringList CardParts() {
  QStringList parts;
  for (const char* suit : {"Ch", "Bu", "Kr", "Pi"}) {
    for (const char* rank : {"09", "10", "2J", "3Q", "4K", "5A"}) parts << QString::fromLatin1(suit) + QString::fromLatin1(rank);
  }
  return parts;
}
const QStringList kVoiceCodes = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"};

// A wave is normalised: its peak is about -1 dBFS, and no sample touches full scale.
void ExpectNormalised(const Wave& wave, const std::string& what) {
  EXPECT_LE(wave.PeakDb(), -0.5) << what;
  EXPECT_GE(wave.PeakDb(), -2.0) << what;
  EXPECT_EQ(wave.full_scale, 0) << what << ": clipped samples";
}

void ExpectPlayableFormat(const Wave& wave, const std::string& what) {
  EXPECT_TRUE(wave.rate == 22050 || wave.rate == 44100) << what << ": " << wave.rate << " Hz";
  EXPECT_TRUE(wave.channels == 1 || wave.channels == 2) << what << ": " << wave.channels << " channels";
}

class Sounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)); }
  static void TearDownTestSuite() { SetProgramFolder(QString()); }
};

TEST_F(Sounds, EveryEffectIsAShortNormalisedPcmWave) {
  for (const QString& name : kEffects) {
    const std::string what = name.toStdString();
    QByteArray bytes;
    ASSERT_TRUE(LoadData(name, QString(), bytes)) << what << " is not built in";
    std::string error;
    const std::optional<Wave> wave = ReadWave(bytes, &error);
    ASSERT_TRUE(wave) << what << ": " << error;
    ExpectPlayableFormat(*wave, what);
    EXPECT_GE(wave->Seconds(), 0.05) << what;
    EXPECT_LE(wave->Seconds(), 2.0) << what;
    ExpectNormalised(*wave, what);
  }
}

TEST_F(Sounds, TheManifestListsEveryEffectAndNoOtherBuiltInWave) {
  const Manifest manifest = ReadManifestFolder(QStringLiteral(VARNOK_RESOURCES_SOURCE_DIR "/manifest"));
  QSet<QString> listed;
  for (const ManifestEntry& entry : manifest.EntriesOf(QString())) {
    if (entry.kind == ResourceKind::Wav) listed.insert(entry.name);
  }
  const QSet<QString> expected(kEffects.begin(), kEffects.end());
  EXPECT_EQ(listed, expected);
}

TEST_F(Sounds, TheEffectsAreAllDifferent) {
  QSet<QByteArray> seen;
  for (const QString& name : kEffects) {
    QByteArray bytes;
    ASSERT_TRUE(LoadData(name, QString(), bytes)) << name.toStdString();
    EXPECT_FALSE(seen.contains(bytes)) << name.toStdString() << " repeats another effect";
    seen.insert(bytes);
  }
}

TEST_F(Sounds, EveryCardIsSpokenInEveryVoiceCode) {
  const ResourceLibrary voices(QString::fromLatin1(kVoiceLibrary));
  ASSERT_TRUE(voices.IsOpen());
  QSet<QByteArray> seen;
  for (const QString& code : kVoiceCodes) {
    for (const QString& card : CardParts()) {
      const QString name = card + QStringLiteral("Voice") + code;
      const std::string what = name.toStdString();
      ASSERT_TRUE(voices.Contains(name)) << what << " is missing from " << kVoiceLibrary;
      QByteArray bytes;
      ASSERT_TRUE(voices.Data(name, bytes)) << what;
      std::string error;
      const std::optional<Wave> wave = ReadWave(bytes, &error);
      ASSERT_TRUE(wave) << what << ": " << error;
      ExpectPlayableFormat(*wave, what);
      EXPECT_GE(wave->Seconds(), 0.3) << what;
      EXPECT_LE(wave->Seconds(), 3.0) << what;
      ExpectNormalised(*wave, what);
      EXPECT_FALSE(seen.contains(bytes)) << what << " repeats another spoken name";
      seen.insert(bytes);
    }
  }
  EXPECT_EQ(seen.size(), 240);
}

TEST_F(Sounds, TheVoiceLibraryHoldsNoMisspelledVoiceName) {
  QSet<QString> expected;
  for (const QString& code : kVoiceCodes) {
    for (const QString& card : CardParts()) expected.insert(card + QStringLiteral("Voice") + code);
  }
  const ResourceLibrary voices(QString::fromLatin1(kVoiceLibrary));
  ASSERT_TRUE(voices.IsOpen());
  for (const QString& name : voices.Names()) {
    if (name.contains(QStringLiteral("Voice"))) {
      EXPECT_TRUE(expected.contains(name)) << name.toStdString();
    }
  }
}

TEST_F(Sounds, SpeakCardFindsTheTenOfHeartsInRussian) {
  QByteArray bytes;
  ASSERT_TRUE(LoadData(QStringLiteral("Ch10VoiceRus"), QString::fromLatin1(kVoiceLibrary), bytes));
  EXPECT_TRUE(bytes.startsWith("RIFF"));
}

TEST_F(Sounds, TheMenuSongIsAGeneralMidiTuneThatLoops) {
  QByteArray bytes;
  ASSERT_TRUE(LoadData(QStringLiteral("MidiSong"), QString(), bytes));
  std::string error;
  const std::optional<Midi> midi = ReadMidi(bytes, &error);
  ASSERT_TRUE(midi) << error;
  EXPECT_GE(midi->note_ons, 100);
  EXPECT_GE(midi->note_channels.size(), 2u) << "a tune and its accompaniment";
  EXPECT_FALSE(midi->programs.empty()) << "General MIDI instruments are chosen";
  const double seconds = midi->SecondsAt(midi->last_note_off);
  EXPECT_GE(seconds, 30.0);
  EXPECT_LE(seconds, 90.0);
  // A repeat joins without a gap: the first note sounds at once (within a
  // 64th note; abc2midi starts its accompaniment a tick late) and the last one
  // ends on a bar line.
  EXPECT_GE(midi->first_note_on, 0);
  EXPECT_LE(midi->first_note_on, midi->division / 16);
  ASSERT_GT(midi->BarTicks(), 0);
  EXPECT_EQ(midi->last_note_off % midi->BarTicks(), 0)
      << "ends " << midi->last_note_off % midi->BarTicks() << " ticks into a bar";
}

// The parsers themselves, on small hand-made files.
TEST(SoundParsers, AWaveOfOneClippedSampleIsMeasured) {
  QByteArray d("RIFF");
  auto u32 = [&d](std::uint32_t v) { for (int i = 0; i < 4; ++i) d.append(char(v >> (8 * i) & 0xFF)); };
  auto u16 = [&d](std::uint16_t v) { d.append(char(v & 0xFF)); d.append(char(v >> 8)); };
  u32(36 + 8);
  d.append("WAVEfmt ");
  u32(16); u16(1); u16(1); u32(22050); u32(44100); u16(2); u16(16);
  d.append("data");
  u32(8); u16(100); u16(std::uint16_t(-32768)); u16(0); u16(std::uint16_t(-5));
  std::string error;
  const std::optional<Wave> wave = ReadWave(d, &error);
  ASSERT_TRUE(wave) << error;
  EXPECT_EQ(wave->frames, 4);
  EXPECT_EQ(wave->peak, 32768);
  EXPECT_EQ(wave->full_scale, 1);
  EXPECT_DOUBLE_EQ(wave->Seconds(), 4.0 / 22050);
  EXPECT_FALSE(ReadWave(d.left(40), &error)) << "a cut-off file is refused";
}

TEST(SoundParsers, AMidiFileOfTwoNotesIsTimed) {
  // One track, 96 ticks per quarter, tempo 600000 us, 3/4: two notes of a bar each.
  const unsigned char bytes[] = {
      'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
      'M', 'T', 'r', 'k', 0, 0, 0, 38,
      0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0,        // tempo 600000
      0x00, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08,  // 3/4
      0x00, 0xC0, 0x15,                                // accordion
      0x00, 0x90, 0x3C, 0x50,                          // note on
      0x82, 0x20, 0x3C, 0x00,                          // 288 ticks later, off (running status)
      0x00, 0x3E, 0x50,                                // on
      0x82, 0x20, 0x80, 0x3E, 0x40,                    // off
      0x00, 0xFF, 0x2F, 0x00};
  std::string error;
  const std::optional<Midi> midi = ReadMidi(QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes), &error);
  ASSERT_TRUE(midi) << error;
  EXPECT_EQ(midi->note_ons, 2);
  EXPECT_EQ(midi->first_note_on, 0);
  EXPECT_EQ(midi->last_note_off, 576);
  EXPECT_EQ(midi->BarTicks(), 288);
  EXPECT_DOUBLE_EQ(midi->SecondsAt(576), 3.6);
  EXPECT_EQ(midi->programs, std::set<int>{0x15});
}

}  // namespace
}  // namespace varnok
