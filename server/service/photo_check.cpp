#include "photo_check.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace varnok::server {

namespace {

struct Guard {
  jpeg_error_mgr errors;  // first: libjpeg hands this pointer to the callbacks
  jpeg_progress_mgr progress;
  std::jmp_buf stop;
  JpegBounds bounds;
  std::chrono::steady_clock::time_point deadline;
  j_decompress_ptr info = nullptr;
};

Guard* GuardOf(j_common_ptr info) { return reinterpret_cast<Guard*>(info->err); }

[[noreturn]] void Stop(j_common_ptr info) { std::longjmp(GuardOf(info)->stop, 1); }

// Warnings (corrupt or missing data) refuse the file as errors do.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0) Stop(info);
}

void OnProgress(j_common_ptr info) {
  Guard* guard = GuardOf(info);
  if (guard->info->input_scan_number > guard->bounds.max_scans) Stop(info);
  if (std::chrono::steady_clock::now() > guard->deadline) Stop(info);
}

}  // namespace

bool JpegDecodes(std::string_view jpeg, int width, int height, JpegBounds bounds) {
  if (jpeg.empty()) return false;
  jpeg_decompress_struct info{};
  Guard guard{};
  guard.bounds = bounds;
  guard.deadline = std::chrono::steady_clock::now() + bounds.max_time;
  guard.info = &info;
  info.err = jpeg_std_error(&guard.errors);
  guard.errors.error_exit = [](j_common_ptr i) { Stop(i); };
  guard.errors.emit_message = OnMessage;
  guard.errors.output_message = [](j_common_ptr) {};
  // Nothing is made or resized after setjmp: a longjmp back here must find
  // every local as it was.
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 4);
  if (setjmp(guard.stop) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  guard.progress.progress_monitor = OnProgress;
  info.progress = &guard.progress;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
      info.image_width != static_cast<JDIMENSION>(width) || info.image_height != static_cast<JDIMENSION>(height) ||
      info.num_components > 4) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  if (info.output_width != static_cast<JDIMENSION>(width) || info.output_components > 4) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    OnProgress(reinterpret_cast<j_common_ptr>(&info));
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace varnok::server
