// The pixel size of a baseline or progressive JPEG, read from its frame
// header; nothing for anything that is not a well-formed JPEG up to that
// header.
#pragma once

#include <optional>
#include <string_view>

namespace varnok::server {

struct PictureSize {
  int width = 0;
  int height = 0;
};

std::optional<PictureSize> JpegSize(std::string_view bytes);

}  // namespace varnok::server
