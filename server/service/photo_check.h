// Whether an uploaded photo is a whole JPEG of the expected size, decoded
// with libjpeg under bounds: a progressive file may hold any number of scans,
// each a pass over the picture, so the number of scans and the time spent
// are capped and a file beyond them is refused. Thread-safe; the server runs
// it beside the event loop.
#pragma once

#include <chrono>
#include <string_view>

namespace varnok::server {

struct JpegBounds {
  int max_scans = 64;  // an ordinary progressive JPEG has about ten
  std::chrono::milliseconds max_time{500};
};

// True when the data decodes to width x height without an error, a warning
// (missing or corrupt data) or a bound reached.
bool JpegDecodes(std::string_view jpeg, int width, int height, JpegBounds bounds);

}  // namespace varnok::server
