#include "wave.h"

#include <QtEndian>
#include <cstdint>

namespace varnok {
namespace {

constexpr int kBitsPerSample = 16;
constexpr int kBytesPerSample = kBitsPerSample / 8;
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t U32(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); }

std::uint16_t U16(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); }

bool Fail(QString* error, const QString& why) {
  if (error != nullptr) *error = why;
  return false;
}

}  // namespace

qint64 WaveSound::Frames() const {
  if (channels <= 0) return 0;
  return samples.size() / (qsizetype(channels) * kBytesPerSample);
}

qint64 WaveSound::DurationMs() const {
  if (sample_rate <= 0) return 0;
  return (Frames() * 1000 + sample_rate - 1) / sample_rate;
}

bool ParseWave(const QByteArray& d, WaveSound& sound, QString* error) {
  if (d.size() < 12 || !d.startsWith("RIFF") || d.mid(8, 4) != "WAVE") {
    return Fail(error, QStringLiteral("not a RIFF WAVE file"));
  }
  // The RIFF size may claim less than the file holds (trailing bytes are
  // ignored), never more.
  const qint64 riff_end = qint64(U32(d, 4)) + 8;
  if (riff_end > d.size()) return Fail(error, QStringLiteral("the file is shorter than its RIFF size"));

  bool have_format = false;
  bool have_data = false;
  int channels = 0;
  int rate = 0;
  qsizetype data_at = 0;
  qint64 data_size = 0;
  qint64 at = 12;
  while (at + 8 <= riff_end) {
    const QByteArray id = d.mid(at, 4);
    const qint64 size = U32(d, at + 4);
    const qint64 body = at + 8;
    if (body + size > riff_end) {
      return Fail(error, QStringLiteral("chunk \"%1\" runs past the end of the file").arg(QString::fromLatin1(id)));
    }
    if (id == "fmt ") {
      if (size < 16) return Fail(error, QStringLiteral("the format chunk is too short"));
      std::uint16_t format = U16(d, body);
      if (format == kFormatExtensible) {
        // cbSize (offset 16) must cover the 22 extension bytes; the
        // sub-format GUID starts at offset 24 with the format tag.
        if (size < 40 || U16(d, body + 16) < 22) {
          return Fail(error, QStringLiteral("the extensible format chunk is too short"));
        }
        format = U16(d, body + 24);
      }
      if (format != kFormatPcm) return Fail(error, QStringLiteral("not PCM (format %1)").arg(format));
      channels = U16(d, body + 2);
      const std::uint32_t raw_rate = U32(d, body + 4);
      const int block_align = U16(d, body + 12);
      const int bits = U16(d, body + 14);
      if (channels < 1 || channels > kMaxChannels) {
        return Fail(error, QStringLiteral("unsupported channel count %1").arg(channels));
      }
      if (raw_rate < std::uint32_t(kMinRate) || raw_rate > std::uint32_t(kMaxRate)) {
        return Fail(error, QStringLiteral("unsupported sample rate %1").arg(raw_rate));
      }
      rate = int(raw_rate);
      if (bits != kBitsPerSample) return Fail(error, QStringLiteral("not 16-bit samples (%1 bits)").arg(bits));
      if (block_align != channels * kBytesPerSample) {
        return Fail(error, QStringLiteral("block size %1 does not match %2 channels").arg(block_align).arg(channels));
      }
      have_format = true;
    } else if (id == "data" && !have_data) {
      data_at = qsizetype(body);
      data_size = size;
      have_data = true;
    }
    at = body + size + (size & 1);  // chunks are padded to an even size
  }
  if (!have_format) return Fail(error, QStringLiteral("no format chunk"));
  if (!have_data) return Fail(error, QStringLiteral("no data chunk"));
  const qint64 frame_bytes = qint64(channels) * kBytesPerSample;
  const qint64 whole = data_size - data_size % frame_bytes;
  if (whole == 0) return Fail(error, QStringLiteral("no samples"));

  sound.channels = channels;
  sound.sample_rate = rate;
  sound.samples = d.mid(data_at, qsizetype(whole));
  return true;
}

}  // namespace varnok
