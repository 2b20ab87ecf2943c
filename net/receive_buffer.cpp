#include "receive_buffer.h"

#include <algorithm>

#include "cards.h"
#include "deal_record.h"
#include "records.h"

namespace varnok::net {

namespace {

enum class Status { Complete, NeedMore, Invalid };

struct Probe {
  Status status = Status::Invalid;
  RecordKind kind = RecordKind::Move;
  std::size_t length = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

Probe Invalid() { return {}; }

// Complete when `length` bytes are present, else waiting for more.
Probe Sized(RecordKind kind, std::size_t have, std::size_t length) {
  return {have >= length ? Status::Complete : Status::NeedMore, kind, length};
}

// The bytes present agree with `word` (as far as either goes).
bool Agrees(std::string_view rest, std::string_view word, std::size_t from = 0) {
  for (std::size_t i = from; i < word.size() && i < rest.size(); ++i)
    if (rest[i] != word[i]) return false;
  return true;
}

// A deal: card letters, rank order digits, points digits, and on the local
// network the option letter.
Probe ProbeDeal(std::string_view rest, std::size_t length) {
  const std::size_t have = std::min(rest.size(), length);
  for (std::size_t i = 1; i < have; ++i) {
    const auto c = static_cast<std::uint8_t>(rest[i]);
    bool fits = false;
    if (i <= 48) fits = (i % 2 == 1) ? RankOrder(c) > 0 : SuitIndex(c) >= 0;
    else if (i <= 72) fits = c >= '1' && c <= '6';
    else if (i <= 120) fits = IsDigit(rest[i]);
    else fits = rest[i] == kRuleOptionOn || rest[i] == kRuleOptionOff;
    if (!fits) return Invalid();
  }
  return Sized(RecordKind::Deal, rest.size(), length);
}

// A record of fixed length on the local network, or nothing.
Probe ProbeLocalFixed(std::string_view rest) {
  const std::size_t have = rest.size();
  switch (rest[0]) {
    case 'h':
      if (have > 1 && !IsSeatDigit(rest[1])) return Invalid();
      if (have >= kMoveLength && !IsSeatDigit(rest[kMoveLength - 1])) return Invalid();
      return Sized(RecordKind::Move, have, kMoveLength);
    case 'b': return ProbeDeal(rest, kDealLength);
    case 'z': {
      // "zub", the game code and the number (two digits each), "connect1", the name.
      if (!Agrees(rest, "zub")) return Invalid();
      for (std::size_t i = 3; i < 7 && i < have; ++i)
        if (!IsDigit(rest[i])) return Invalid();
      if (!Agrees(rest, "zub____connect1", 7)) return Invalid();
      return Sized(RecordKind::JoinRequest, have, kJoinLength);
    }
    case 'c': {
      if (!Agrees(rest, "connect")) return Invalid();
      if (have < 8) return {Status::NeedMore, RecordKind::SeatGrant, kSeatGrantLength};
      if (rest[7] == '2') return Sized(RecordKind::SeatGrant, have, kSeatGrantLength);
      if (rest[7] == '3') return Sized(RecordKind::ThirdSeatNotice, have, kThirdSeatLength);
      return Invalid();
    }
    case 'a':
      if (!Agrees(rest, kAbortNotice)) return Invalid();
      return Sized(RecordKind::Abort, have, kAbortLength);
    default: return Invalid();
  }
}

// A chat line on the local network. Nothing marks its end, so it ends
// - where a following chat line begins (before any place where another
//   record may begin);
// - when all the data so far fits into one chat line: at the end of the data,
//   but only once the connection is quiet (`at_end`); until then it may grow;
// - otherwise where a following record begins, taking the last such place
//   within its longest length so that a text holding a record's head word
//   ("hi abort") stays whole; failing that, where a following chat line
//   begins, or at its longest length.
// A record that fits wholly into the text window behind a chat line (the
// abort notice) reads as part of the text.
Probe ProbeLocalChat(std::string_view rest, bool at_end) {
  const std::size_t have = rest.size();
  if (have < 2) return {Status::NeedMore, RecordKind::Chat, 0};
  if (!IsSeatDigit(rest[1])) return Invalid();
  // The head of a following chat line ("s", a seat digit and a character of
  // text) ends this one, however short both are and however slowly they
  // came; a place where another record may begin is left to the rules below.
  for (std::size_t e = 3; e <= kChatMax && e + 2 < have; ++e) {
    if (ProbeLocalFixed(rest.substr(e)).status != Status::Invalid) break;
    if (rest[e] == 's' && IsSeatDigit(rest[e + 1])) return {Status::Complete, RecordKind::Chat, e};
  }
  if (have <= kChatMax) {
    if (!at_end) return {Status::NeedMore, RecordKind::Chat, 0};
    if (have < 3) return Invalid();
    return {Status::Complete, RecordKind::Chat, have};
  }
  std::size_t cut = 0;
  std::size_t waiting = 0;
  // From the second character on: "s2" straight before a record is a chat
  // line without text, which no copy sends; it is dropped.
  for (std::size_t e = 2; e <= kChatMax; ++e) {
    const Probe next = ProbeLocalFixed(rest.substr(e));
    if (next.status == Status::Complete) cut = e;
    if (next.status == Status::NeedMore) waiting = e;
  }
  if (waiting > cut && !at_end) return {Status::NeedMore, RecordKind::Chat, 0};
  if (cut == 2) return Invalid();
  if (cut != 0) return {Status::Complete, RecordKind::Chat, cut};
  for (std::size_t e = kChatMax; e >= 3; --e) {
    if (e + 1 < have && rest[e] == 's' && IsSeatDigit(rest[e + 1])) return {Status::Complete, RecordKind::Chat, e};
  }
  return {Status::Complete, RecordKind::Chat, kChatMax};
}

// The tournament connection: a deal, else 50-character framed records.
Probe ProbeTournament(std::string_view rest) {
  const std::size_t have = rest.size();
  const std::size_t n = std::min(have, kRelayLength);
  switch (rest[0]) {
    case 'b': return ProbeDeal(rest, kTourDealLength);
    case 'h':
      // A move record, "#" up to the 49th character, the sender's position.
      if (n > 1 && !IsSeatDigit(rest[1])) return Invalid();
      if (n >= kMoveLength && !IsSeatDigit(rest[kMoveLength - 1])) return Invalid();
      for (std::size_t i = kMoveLength; i < n && i < kRelayLength - 1; ++i)
        if (rest[i] != '#') return Invalid();
      if (have >= kRelayLength && !IsSeatDigit(rest[kRelayLength - 1])) return Invalid();
      return Sized(RecordKind::Move, have, kRelayLength);
    case 's': {
      // "s", a text of at most 15 characters (which may itself hold "#"),
      // then nothing but "#" up to the 49th character.
      for (std::size_t i = kChatTextMax + 1; i < n && i < kRelayLength - 1; ++i)
        if (rest[i] != '#') return Invalid();
      if (have >= kRelayLength && !IsSeatDigit(rest[kRelayLength - 1])) return Invalid();
      return Sized(RecordKind::Chat, have, kRelayLength);
    }
    case 'e':
    case 'a':
    case 'T':
    case 'd':
      if (have >= kRelayLength && !IsDigit(rest[kRelayLength - 1]) && rest[kRelayLength - 1] != '#') return Invalid();
      return Sized(RecordKind::Server, have, kRelayLength);
    default: return Invalid();
  }
}

// What a seat sends to the relay: 50-character moves, chat lines and "disA",
// 20-character control records. Every character of a frame is checked as
// soon as it arrives, so a stranger's bytes are refused at once.
Probe ProbeRelay(std::string_view rest) {
  const std::size_t have = rest.size();
  // A framed head, '#' up to the last character, a position digit last.
  const auto framed = [&](std::string_view head, std::size_t width, RecordKind kind) -> Probe {
    for (std::size_t i = 0; i < head.size() && i < have; ++i)
      if (head[i] != '?' && rest[i] != head[i]) return Invalid();
    for (std::size_t i = head.size(); i + 1 < width && i < have; ++i)
      if (rest[i] != '#') return Invalid();
    if (have >= width && !IsSeatDigit(rest[width - 1])) return Invalid();
    return Sized(kind, have, width);
  };
  switch (rest[0]) {
    case 'h':
    case 's': return ProbeTournament(rest);
    case 'd': return framed("disA", kRelayLength, RecordKind::Control);
    case 'c':
      if (have >= 8 && !IsSeatDigit(rest[7])) return Invalid();
      return framed("connect?", kControlLength, RecordKind::Control);
    case 'b': return framed("bnext", kControlLength, RecordKind::Control);
    case 'T': return framed("TOut", kControlLength, RecordKind::Control);
    case 'o':
      // "o", three numbers of five characters (blanks, a minus, digits).
      for (std::size_t i = 1; i < 16 && i < have; ++i)
        if (rest[i] != ' ' && rest[i] != '-' && !IsDigit(rest[i])) return Invalid();
      return framed("o???????????????", kControlLength, RecordKind::Control);
    default: return Invalid();
  }
}

Received MakeReceived(RecordKind kind, std::string_view wire, Link link) {
  Received r{kind, std::string(wire), std::string(wire), 0};
  if (link != Link::Local && kind != RecordKind::Deal) {
    const auto unwrapped = UnwrapFramed(wire);
    if (unwrapped.ok()) {
      r.body = unwrapped.value->body;
      r.seat = unwrapped.value->seat;
    }
  }
  return r;
}

}  // namespace

SplitResult SplitReceived(std::string_view text, Link link, bool at_end) {
  SplitResult out;
  std::size_t pos = 0;
  std::size_t garbage_from = std::string_view::npos;
  auto end_garbage = [&] {
    if (garbage_from == std::string_view::npos) return;
    out.dropped.push_back({std::string(text.substr(garbage_from, pos - garbage_from)), NetError::Garbage});
    garbage_from = std::string_view::npos;
  };
  while (pos < text.size()) {
    const std::string_view rest = text.substr(pos);
    Probe probe;
    if (link == Link::Tournament) probe = ProbeTournament(rest);
    else if (link == Link::Relay) probe = ProbeRelay(rest);
    else if (rest[0] == 's') probe = ProbeLocalChat(rest, at_end);
    else probe = ProbeLocalFixed(rest);

    if (probe.status == Status::Invalid) {
      if (garbage_from == std::string_view::npos) garbage_from = pos;
      ++pos;
      continue;
    }
    end_garbage();
    if (probe.status == Status::NeedMore) break;
    out.records.push_back(MakeReceived(probe.kind, rest.substr(0, probe.length), link));
    pos += probe.length;
  }
  end_garbage();
  out.consumed = pos;
  return out;
}

ReceiveBuffer::FeedResult ReceiveBuffer::Feed(std::string_view bytes) {
  FeedResult result;
  const bool was_waiting = !pending_.empty();
  // Taken in pieces, so that a flood of garbage is found out before it is all read.
  while (!hostile_ && !bytes.empty()) {
    const std::size_t piece = std::min(bytes.size(), limits_.buffer);
    pending_.append(bytes.substr(0, piece));
    bytes.remove_prefix(piece);
    FeedResult part = Process(false);
    for (auto& r : part.records) result.records.push_back(std::move(r));
    for (auto& d : part.dropped) result.dropped.push_back(std::move(d));
  }
  result.hostile = hostile_;
  if (pending_.empty()) reads_waiting_ = 0;
  else reads_waiting_ = was_waiting ? reads_waiting_ + 1 : 1;
  return result;
}

ReceiveBuffer::FeedResult ReceiveBuffer::Flush() {
  if (hostile_) return FeedResult{{}, {}, true};
  FeedResult result = Process(true);
  if (pending_.empty()) reads_waiting_ = 0;
  return result;
}

ReceiveBuffer::FeedResult ReceiveBuffer::Process(bool at_end) {
  FeedResult result;
  SplitResult split = SplitReceived(pending_, link_, at_end);
  pending_.erase(0, split.consumed);
  for (const Dropped& d : split.dropped) {
    garbage_ += d.bytes.size();
    if (logger_) logger_(d);
  }
  result.records = std::move(split.records);
  result.dropped = std::move(split.dropped);
  if (garbage_ > limits_.garbage || pending_.size() > limits_.buffer) {
    hostile_ = true;
    pending_.clear();
  }
  result.hostile = hostile_;
  return result;
}

void ReceiveBuffer::Clear() {
  pending_.clear();
  reads_waiting_ = 0;
  garbage_ = 0;
  hostile_ = false;
}

}  // namespace varnok::net
