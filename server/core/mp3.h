// The audio frames of an MP3 file: where each MPEG audio frame lies, how
// long it plays, and what the file's sample rate and bit rate are. Tags
// (ID3v2 at the front, ID3v1 and APE at the end) and stray bytes between
// frames are stepped over; the encoder's Xing/Info/VBRI frame, which carries
// no sound, is left out. Nothing for data that holds no run of frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace varnok::server {

struct Mp3Frame {
  std::size_t offset = 0;
  std::uint32_t length = 0;
};

struct Mp3Audio {
  std::vector<Mp3Frame> frames;
  int sample_rate = 0;         // Hz
  int samples_per_frame = 0;   // 384, 576 or 1152
  int first_bitrate_kbps = 0;  // of the first sound frame
  bool constant_bitrate = true;

  // How long one frame plays, in nanoseconds.
  std::int64_t FrameNanoseconds() const;
  double Seconds() const;
  std::size_t AudioBytes() const;
};

// One frame header's facts; nothing when the four bytes are no valid
// MPEG-1/2/2.5 layer I-III header (free format is not accepted).
struct Mp3Header {
  int version = 0;  // 1: MPEG-1, 2: MPEG-2, 25: MPEG-2.5
  int layer = 0;
  int bitrate_kbps = 0;
  int sample_rate = 0;
  int samples = 0;
  bool mono = false;
  std::uint32_t length = 0;  // bytes of the whole frame
};
std::optional<Mp3Header> ParseMp3Header(const unsigned char* bytes);

std::optional<Mp3Audio> ScanMp3(std::string_view data);

}  // namespace varnok::server
