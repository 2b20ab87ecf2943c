// Wave sounds read from memory. The program's sounds are RIFF WAVE files of
// 16-bit PCM samples; anything else, or a damaged file, is refused with a
// reason instead of being played.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace varnok {

struct WaveSound {
  int channels = 0;
  int sample_rate = 0;
  // Interleaved little-endian signed 16-bit samples, whole frames only.
  QByteArray samples;

  qint64 Frames() const;
  // The playing time in milliseconds, rounded up.
  qint64 DurationMs() const;
};

// Reads a RIFF WAVE file: a "fmt " chunk of PCM (format 1, or the extensible
// format with the PCM sub-format), 1 to 8 channels, 16 bits, 1 000 to 384 000
// samples a second, and a "data" chunk with at least one frame. Other chunks
// are skipped. A chunk that runs past the end of the data is refused, so a
// cut-off file never plays. On failure the sound is left untouched and
// *error (when given) says why.
bool ParseWave(const QByteArray& data, WaveSound& sound, QString* error = nullptr);

}  // namespace varnok
