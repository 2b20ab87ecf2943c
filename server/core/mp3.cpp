#include "mp3.h"

#include <array>

namespace varnok::server {

namespace {

constexpr std::array<std::array<int, 15>, 5> kBitrates = {{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG-1 layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG-1 layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG-1 layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG-2/2.5 layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG-2/2.5 layers II, III
}};

constexpr std::array<int, 3> kRates = {44100, 48000, 32000};

// The length of an ID3v2 tag at `at`, or 0.
std::size_t Id3v2Length(std::string_view data, std::size_t at) {
  if (data.size() < at + 10 || data.compare(at, 3, "ID3") != 0) return 0;
  const auto* b = reinterpret_cast<const unsigned char*>(data.data() + at);
  if ((b[6] | b[7] | b[8] | b[9]) & 0x80) return 0;
  const std::size_t size = (std::size_t{b[6]} << 21) | (std::size_t{b[7]} << 14) | (std::size_t{b[8]} << 7) | b[9];
  return 10 + size + ((b[5] & 0x10) ? 10 : 0);
}

// Where the frames end: before an ID3v1 tag and an APE tag at the end.
std::size_t AudioEnd(std::string_view data) {
  std::size_t end = data.size();
  if (end >= 128 && data.compare(end - 128, 3, "TAG") == 0) end -= 128;
  if (end >= 32 && data.compare(end - 32, 8, "APETAGEX") == 0) {
    const auto* b = reinterpret_cast<const unsigned char*>(data.data() + end - 32);
    const std::size_t size = b[12] | (std::size_t{b[13]} << 8) | (std::size_t{b[14]} << 16) | (std::size_t{b[15]} << 24);
    const bool has_header = (b[23] & 0x80) != 0;
    const std::size_t whole = size + (has_header ? 32 : 0);
    if (whole <= end) end -= whole;
  }
  return end;
}

// A frame that carries the encoder's Xing, Info or VBRI summary instead of sound.
bool IsSummaryFrame(std::string_view data, const Mp3Frame& frame, const Mp3Header& header) {
  if (header.layer != 3) return false;
  const std::size_t side = header.version == 1 ? (header.mono ? 17 : 32) : (header.mono ? 9 : 17);
  const std::string_view bytes = data.substr(frame.offset, frame.length);
  const auto at = [&](std::size_t offset, const char* tag) {
    return bytes.size() >= offset + 4 && bytes.compare(offset, 4, tag) == 0;
  };
  return at(4 + side, "Xing") || at(4 + side, "Info") || at(36, "VBRI");
}

bool SameStream(const Mp3Header& a, const Mp3Header& b) {
  return a.version == b.version && a.layer == b.layer && a.sample_rate == b.sample_rate;
}

}  // namespace

std::optional<Mp3Header> ParseMp3Header(const unsigned char* b) {
  if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return std::nullopt;
  const int version_bits = (b[1] >> 3) & 3;
  const int layer_bits = (b[1] >> 1) & 3;
  const int bitrate_index = b[2] >> 4;
  const int rate_index = (b[2] >> 2) & 3;
  if (version_bits == 1 || layer_bits == 0 || bitrate_index == 0 || bitrate_index == 15 || rate_index == 3) {
    return std::nullopt;
  }
  Mp3Header h;
  h.version = version_bits == 3 ? 1 : version_bits == 2 ? 2 : 25;
  h.layer = 4 - layer_bits;
  const int table = h.version == 1 ? h.layer - 1 : (h.layer == 1 ? 3 : 4);
  h.bitrate_kbps = kBitrates[static_cast<std::size_t>(table)][static_cast<std::size_t>(bitrate_index)];
  h.sample_rate = kRates[static_cast<std::size_t>(rate_index)] / (h.version == 1 ? 1 : h.version == 2 ? 2 : 4);
  h.mono = (b[3] >> 6) == 3;
  const int padding = (b[2] >> 1) & 1;
  const long bits_per_second = h.bitrate_kbps * 1000L;
  if (h.layer == 1) {
    h.samples = 384;
    h.length = static_cast<std::uint32_t>((12 * bits_per_second / h.sample_rate + padding) * 4);
  } else {
    h.samples = (h.layer == 3 && h.version != 1) ? 576 : 1152;
    h.length = static_cast<std::uint32_t>(h.samples / 8 * bits_per_second / h.sample_rate + padding);
  }
  return h;
}

std::optional<Mp3Audio> ScanMp3(std::string_view data) {
  std::size_t at = 0;
  while (const std::size_t tag = Id3v2Length(data, at)) at += tag;
  const std::size_t end = AudioEnd(data);
  const auto header_at = [&](std::size_t where) -> std::optional<Mp3Header> {
    if (where + 4 > end) return std::nullopt;
    return ParseMp3Header(reinterpret_cast<const unsigned char*>(data.data() + where));
  };

  Mp3Audio audio;
  std::optional<Mp3Header> first;
  while (at + 4 <= end) {
    const std::optional<Mp3Header> h = header_at(at);
    bool good = h && at + h->length <= end && (!first || SameStream(*first, *h));
    if (good && !first) {
      // The first frame must be followed by another of the same stream (or by the end).
      const std::size_t next = at + h->length;
      const std::optional<Mp3Header> after = header_at(next);
      good = next == end || (after && SameStream(*h, *after));
    }
    if (!good) {
      ++at;  // stray bytes: look for the next frame
      continue;
    }
    const Mp3Frame frame{at, h->length};
    at += h->length;
    if (!first) {
      first = h;
      audio.sample_rate = h->sample_rate;
      audio.samples_per_frame = h->samples;
      if (IsSummaryFrame(data, frame, *h)) continue;
    }
    if (audio.frames.empty()) {
      audio.first_bitrate_kbps = h->bitrate_kbps;
    } else if (h->bitrate_kbps != audio.first_bitrate_kbps) {
      audio.constant_bitrate = false;
    }
    audio.frames.push_back(frame);
  }
  if (audio.frames.empty()) return std::nullopt;
  return audio;
}

std::int64_t Mp3Audio::FrameNanoseconds() const {
  return sample_rate > 0 ? std::int64_t{samples_per_frame} * 1'000'000'000 / sample_rate : 0;
}

double Mp3Audio::Seconds() const {
  return sample_rate > 0 ? static_cast<double>(frames.size()) * samples_per_frame / sample_rate : 0.0;
}

std::size_t Mp3Audio::AudioBytes() const {
  std::size_t total = 0;
  for (const Mp3Frame& f : frames) total += f.length;
  return total;
}

}  // namespace varnok::server
