#include "framing.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace varnok::server {

namespace {

constexpr std::size_t kMaxHead = 64 * 1024;
constexpr std::size_t kMaxLine = 1024;

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::optional<std::int64_t> Decimal(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<std::int64_t> Hex(std::string_view text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : (c >= 'a' && c <= 'f')                     ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F')                     ? c - 'A' + 10
                                                                   : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + digit;
  }
  return value;
}

// The line ends at "\n" (with or without "\r" before it).
bool LineDone(const std::string& line) { return !line.empty() && line.back() == '\n'; }

}  // namespace

RequestFraming::Verdict RequestFraming::Feed(std::string_view bytes) {
  while (verdict_ == Verdict::kOk && !bytes.empty()) {
    switch (state_) {
      case State::kIdle:
        // Blank lines between requests are allowed and skipped.
        if (bytes.front() == '\r' || bytes.front() == '\n') {
          bytes.remove_prefix(1);
          break;
        }
        state_ = State::kHead;
        line_.clear();
        size_ = 0;
        [[fallthrough]];
      case State::kHead: {
        const std::size_t end = line_.size();
        const std::size_t take = std::min(bytes.size(), kMaxHead + 1 - std::min(end, kMaxHead));
        line_.append(bytes.substr(0, take));
        // The head ends at the first empty line; look from a little before
        // what was there already.
        const std::size_t from = end < 3 ? 0 : end - 3;
        std::size_t stop = std::string::npos;
        for (std::size_t i = from; i + 1 < line_.size(); ++i) {
          if (line_[i] != '\n') continue;
          if (line_[i + 1] == '\n') stop = i + 2;
          else if (line_[i + 1] == '\r' && i + 2 < line_.size() && line_[i + 2] == '\n') stop = i + 3;
          if (stop != std::string::npos) break;
        }
        if (stop == std::string::npos) {
          bytes.remove_prefix(take);
          size_ += static_cast<std::int64_t>(take);
          if (line_.size() > kMaxHead || size_ > max_bytes_) verdict_ = Verdict::kTooLarge;
          break;
        }
        const std::size_t used = take - (line_.size() - stop);
        bytes.remove_prefix(used);
        size_ += static_cast<std::int64_t>(used);
        line_.resize(stop);
        verdict_ = ReadHead();
        break;
      }
      case State::kBody: {
        const std::int64_t take = std::min<std::int64_t>(left_, static_cast<std::int64_t>(bytes.size()));
        bytes.remove_prefix(static_cast<std::size_t>(take));
        left_ -= take;
        if (left_ == 0) Finish();
        break;
      }
      case State::kChunkSize:
      case State::kTrailer:
      case State::kChunkEnd: {
        line_ += bytes.front();
        bytes.remove_prefix(1);
        ++size_;
        if (size_ > max_bytes_) {
          verdict_ = Verdict::kTooLarge;
          break;
        }
        if (line_.size() > kMaxLine) {
          verdict_ = Verdict::kBad;
          break;
        }
        if (!LineDone(line_)) break;
        const std::string_view text = Trim(std::string_view(line_).substr(0, line_.size() - 1));
        if (state_ == State::kChunkEnd) {
          if (!text.empty()) verdict_ = Verdict::kBad;
          state_ = State::kChunkSize;
        } else if (state_ == State::kTrailer) {
          if (text.empty()) Finish();
        } else {
          const std::optional<std::int64_t> chunk = Hex(Trim(text.substr(0, text.find(';'))));
          if (!chunk) {
            verdict_ = Verdict::kBad;
          } else if (*chunk == 0) {
            state_ = State::kTrailer;
          } else if (size_ + *chunk > max_bytes_) {
            verdict_ = Verdict::kTooLarge;
          } else {
            left_ = *chunk;
            size_ += *chunk;
            state_ = State::kChunkData;
          }
        }
        line_.clear();
        break;
      }
      case State::kChunkData: {
        const std::int64_t take = std::min<std::int64_t>(left_, static_cast<std::int64_t>(bytes.size()));
        bytes.remove_prefix(static_cast<std::size_t>(take));
        left_ -= take;
        if (left_ == 0) {
          state_ = State::kChunkEnd;
          line_.clear();
        }
        break;
      }
    }
  }
  return verdict_;
}

RequestFraming::Verdict RequestFraming::ReadHead() {
  std::optional<std::int64_t> length;
  bool transfer_encoding = false;
  bool chunked = false;
  std::size_t at = line_.find('\n');  // past the request line
  while (at != std::string::npos && at + 1 < line_.size()) {
    const std::size_t end = line_.find('\n', at + 1);
    const std::string_view line = std::string_view(line_).substr(at + 1, end - at - 1);
    at = end;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string name = Lower(Trim(line.substr(0, colon)));
    const std::string_view value = Trim(line.substr(colon + 1));
    if (name == "content-length") {
      const std::optional<std::int64_t> n = Decimal(value);
      if (!n || (length && *length != *n)) return Verdict::kBad;
      length = n;
    } else if (name == "transfer-encoding") {
      transfer_encoding = true;
      const std::string codings = Lower(value);
      const std::size_t comma = codings.rfind(',');
      chunked = Trim(std::string_view(codings).substr(comma == std::string::npos ? 0 : comma + 1)) == "chunked";
    }
  }
  line_.clear();
  // A length told two ways, or a coding the server does not read.
  if (transfer_encoding && (length || !chunked)) return Verdict::kBad;
  if (chunked) {
    state_ = State::kChunkSize;
    return Verdict::kOk;
  }
  const std::int64_t body = length.value_or(0);
  if (size_ + body > max_bytes_) return Verdict::kTooLarge;
  left_ = body;
  if (left_ == 0) Finish();
  else state_ = State::kBody;
  return Verdict::kOk;
}

void RequestFraming::Finish() {
  state_ = State::kIdle;
  line_.clear();
  left_ = 0;
  ++completed_;
}

}  // namespace varnok::server
