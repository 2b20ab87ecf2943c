#include "jpeg.h"

#include <cstdint>

namespace varnok::server {

std::optional<PictureSize> JpegSize(std::string_view bytes) {
  const auto at = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8) return std::nullopt;
  std::size_t pos = 2;
  while (pos + 4 <= bytes.size()) {
    if (at(pos) != 0xFF) return std::nullopt;
    std::uint8_t marker = at(pos + 1);
    // Fill bytes before a marker.
    while (marker == 0xFF && pos + 2 < bytes.size()) {
      ++pos;
      marker = at(pos + 1);
    }
    if (pos + 4 > bytes.size()) return std::nullopt;
    if (marker == 0xD8 || marker == 0xD9 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      return std::nullopt;  // no frame header before the image ends
    }
    const std::size_t length = (static_cast<std::size_t>(at(pos + 2)) << 8) | at(pos + 3);
    if (length < 2 || pos + 2 + length > bytes.size()) return std::nullopt;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) return std::nullopt;
      const int height = (at(pos + 5) << 8) | at(pos + 6);
      const int width = (at(pos + 7) << 8) | at(pos + 8);
      return PictureSize{width, height};
    }
    pos += 2 + length;
  }
  return std::nullopt;
}

}  // namespace varnok::server
