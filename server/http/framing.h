// Where each request on a connection ends, read before Qt HttpServer sees
// the bytes: the size limit applies to every request of a kept-alive
// connection, and a request whose length could be read two ways (two
// different Content-Length headers, or Content-Length beside
// Transfer-Encoding) is refused, since a balancer in front of the server
// might cut the stream elsewhere. No Qt; fed with each read of the socket.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnok::server {

class RequestFraming {
 public:
  enum class Verdict { kOk, kTooLarge, kBad };

  explicit RequestFraming(std::int64_t max_request_bytes) : max_bytes_(max_request_bytes) {}

  // The next bytes of the connection; the first fault found stays.
  Verdict Feed(std::string_view bytes);
  // A request has begun and not yet arrived whole.
  bool InRequest() const { return state_ != State::kIdle; }
  // Requests that have arrived whole so far.
  std::int64_t Completed() const { return completed_; }

 private:
  enum class State { kIdle, kHead, kBody, kChunkSize, kChunkData, kChunkEnd, kTrailer };
  Verdict ReadHead();
  void Finish();

  std::int64_t max_bytes_;
  State state_ = State::kIdle;
  Verdict verdict_ = Verdict::kOk;
  std::string line_;        // the head, or a chunk-size or trailer line, so far
  std::int64_t size_ = 0;   // bytes of the current request
  std::int64_t left_ = 0;   // body or chunk bytes still to come
  std::int64_t completed_ = 0;
};

}  // namespace varnok::server
