// Cutting the byte stream of a connection into records. Records carry no
// length and no terminator: they are recognised by their first characters
// and cut at their fixed lengths. A read of the socket may hold part of a
// record, or several records joined in any order; the receive buffer keeps
// what is not yet complete until the rest arrives, so nothing is lost.
//
// Local network: "h" a move (38), "b" a deal (122), "zub" a join request
// (21), "connect2" a seat grant (28), "connect3" a third-seat notice (27),
// "abort" (5), "s" a chat line (3 to 17: "s", the seat digit, the text).
// Tournament connection: "b" a deal (121); every other record is 50
// characters, the sender's position digit last.
// The relay's side of a tournament connection (what a seat sends): moves,
// chat lines and "disA" in 50 characters, the control records "connect",
// "bnext", "TOut" and "o" in 20; nothing else, and no deal.
//
// A chat line is the one record whose length is not fixed. It ends where
// the next record begins, or at its 17th character; when the data ends
// inside a chat line that might still grow, the line waits until Flush(),
// which the session calls once the connection has been quiet for
// QuietMs(): kQuietFlushMs, or kSlowQuietMs when the bytes waiting came in
// more than one read, so that a chat line arriving in slow pieces stays whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "net_error.h"

namespace varnok::net {

enum class Link { Local, Tournament, Relay };

enum class RecordKind {
  Move,
  Deal,
  Chat,
  JoinRequest,
  SeatGrant,
  ThirdSeatNotice,
  Abort,
  Server,   // the tournament server's own 50-character records ("e", "a", "T", ...)
  Control,  // a seat's control records to the relay ("connect", "bnext", "TOut", "o", "disA")
};

struct Received {
  RecordKind kind = RecordKind::Move;
  std::string wire;  // the bytes as they came
  // The record itself: the wire bytes, or inside the tournament framing the
  // move record (38), the chat line "s" and its text (up to the first "#"),
  // or the padded contents without their trailing "#".
  std::string body;
  int seat = 0;  // tournament framing: the sender's position (0 when none)
  friend bool operator==(const Received&, const Received&) = default;
};

// Bytes that could never become a record, dropped.
struct Dropped {
  std::string bytes;
  NetError reason = NetError::Garbage;
  friend bool operator==(const Dropped&, const Dropped&) = default;
};

struct SplitResult {
  std::vector<Received> records;
  std::vector<Dropped> dropped;
  std::size_t consumed = 0;  // bytes used; the rest is the beginning of a record yet to complete
};

// Cuts `text` into records, from its beginning. With `at_end` the data is
// known to be complete (a chat line at the end is taken as it stands).
SplitResult SplitReceived(std::string_view text, Link link, bool at_end = false);

inline constexpr int kQuietFlushMs = 100;
inline constexpr int kSlowQuietMs = 1500;

struct BufferLimits {
  std::size_t garbage = 1024;  // dropped bytes after which the peer counts as hostile
  std::size_t buffer = 4096;   // bytes kept waiting
};

// One per connection.
class ReceiveBuffer {
 public:
  struct FeedResult {
    std::vector<Received> records;
    std::vector<Dropped> dropped;
    // The peer has sent more garbage than any copy would: disconnect it with
    // the interruption message. Nothing more is read from it.
    bool hostile = false;
  };

  explicit ReceiveBuffer(Link link, BufferLimits limits = {}) : link_(link), limits_(limits) {}

  // Every dropped run is also passed to the logger, when one is set.
  void SetLogger(std::function<void(const Dropped&)> logger) { logger_ = std::move(logger); }

  // One read of the socket.
  FeedResult Feed(std::string_view bytes);
  // The connection has been quiet: a chat line left at the end is complete.
  FeedResult Flush();

  bool Hostile() const { return hostile_; }
  // Bytes kept waiting for the rest of a record.
  std::size_t Waiting() const { return pending_.size(); }
  // How long the connection must be quiet before Flush() takes what waits.
  int QuietMs() const { return reads_waiting_ > 1 ? kSlowQuietMs : kQuietFlushMs; }
  std::size_t GarbageSeen() const { return garbage_; }
  void Clear();

 private:
  FeedResult Process(bool at_end);

  Link link_;
  BufferLimits limits_;
  std::string pending_;
  std::size_t garbage_ = 0;
  int reads_waiting_ = 0;  // the reads the waiting bytes came in
  bool hostile_ = false;
  std::function<void(const Dropped&)> logger_;
};

}  // namespace varnok::net
