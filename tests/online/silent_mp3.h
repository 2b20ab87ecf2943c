// A short MP3 of silence for the music folder of a test server: MPEG-1
// Layer III frames, 128 kbit/s, 44.1 kHz, mono, with empty side information
// (each frame decodes to 1152 silent samples).
#pragma once

#include <QByteArray>

namespace varnok::online::testing {

inline QByteArray SilentMp3(double seconds) {
  constexpr int kFrameBytes = 417;  // 144 x 128000 / 44100
  const int frames = static_cast<int>(seconds * 44100.0 / 1152.0) + 1;
  QByteArray frame(kFrameBytes, '\0');
  frame[0] = static_cast<char>(0xFF);
  frame[1] = static_cast<char>(0xFB);
  frame[2] = static_cast<char>(0x90);
  frame[3] = static_cast<char>(0xC0);
  QByteArray out;
  out.reserve(frames * kFrameBytes);
  for (int i = 0; i < frames; ++i) out += frame;
  return out;
}

}  // namespace varnok::online::testing
