#include "club_radio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>

#if defined(Q_OS_UNIX)
#include <sys/socket.h>
#endif

namespace varnok::server {

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;
// After a stall of the event loop longer than this the programme skips ahead
// instead of sending the whole gap at once.
constexpr std::int64_t kMaxCatchUpNs = 10'000 * kNsPerMs;

// Lets a listener go at once: the connection is reset, so the audio still
// waiting in the kernel for him is thrown away with it.
void Drop(QTcpSocket* socket) {
#if defined(Q_OS_UNIX)
  const linger reset{1, 0};
  setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
#endif
  socket->abort();
}

}  // namespace

ClubRadio::ClubRadio(const MusicFolder& music, RadioConfig config, QObject* parent)
    : QObject(parent), music_(music), config_(config) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this]() { Tick(); });
}

ClubRadio::Tuned ClubRadio::Tune(QTcpSocket* socket) {
  std::erase_if(listeners_, [](const Listener& l) {
    return !l.socket || l.socket->state() != QAbstractSocket::ConnectedState;
  });
  if (Listeners() >= config_.max_listeners) return Tuned::kFull;
  const bool starting = !timer_.isActive();
  if (starting && !Start()) return Tuned::kNoSongs;

  socket->write("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nCache-Control: no-cache, no-store\r\n"
                "Connection: close\r\nicy-name: Varnok Club Radio\r\n\r\n");
  // A small kernel buffer: what waits for a slow listener waits in the
  // shared programme, where the backlog limit sees it.
  socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 64 * 1024);
  // Whatever the listener sends from now on is read and forgotten.
  connect(socket, &QTcpSocket::readyRead, socket, [socket]() { socket->readAll(); });
  if (starting) Tick();
  // He starts with the last seconds of the programme.
  Listener listener{socket, produced_bytes_};
  std::int64_t burst_ns = 0;
  for (auto it = recent_.rbegin(); it != recent_.rend() && burst_ns < config_.burst.count() * kNsPerMs; ++it) {
    burst_ns += it->ns;
    listener.next = it->start;
  }
  Feed(listener);
  listeners_.push_back(listener);
  if (!timer_.isActive()) timer_.start(config_.tick);
  return Tuned::kListening;
}

bool ClubRadio::Start() {
  if (next_frame_ >= audio_.frames.size() && !LoadNextSong()) return false;
  recent_.clear();
  recent_ns_ = 0;
  produced_bytes_ = 0;
  clock_.start();
  produced_ns_ = -config_.burst.count() * kNsPerMs;  // the first turn sends the burst
  timer_.start(config_.tick);
  return true;
}

bool ClubRadio::LoadNextSong() {
  const QStringList songs = music_.Songs();
  if (songs.isEmpty()) return false;
  // The song after the last one in name order, so that songs added or
  // removed meanwhile take their places in the round.
  qsizetype first = 0;
  while (first < songs.size() && !song_.isEmpty() && songs[first] <= song_) ++first;
  for (qsizetype i = 0; i < songs.size(); ++i) {
    const QString& name = songs[(first + i) % songs.size()];
    QFile file(QDir(music_.path()).filePath(name));
    QString fault;
    if (file.size() > config_.max_song_bytes) {
      fault = "larger than the radio takes";
    } else if (!file.open(QIODevice::ReadOnly)) {
      fault = "cannot be read";
    } else {
      QByteArray bytes = file.readAll();
      std::optional<Mp3Audio> audio = ScanMp3(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      if (audio) {
        song_ = name;
        song_bytes_ = std::move(bytes);
        audio_ = std::move(*audio);
        next_frame_ = 0;
        return true;
      }
      fault = "holds no MP3 frames";
    }
    if (!reported_.contains(name)) {
      reported_.insert(name);
      qWarning("club radio: passing over %s: %s", qPrintable(name), qPrintable(fault));
    }
  }
  return false;
}

void ClubRadio::Tick() {
  const std::int64_t now = clock_.nsecsElapsed();
  if (now - produced_ns_ > kMaxCatchUpNs) produced_ns_ = now - config_.burst.count() * kNsPerMs;

  Chunk chunk;
  while (produced_ns_ < now) {
    if (next_frame_ >= audio_.frames.size() && !LoadNextSong()) {
      qWarning("club radio: no playable song left; the listeners are let go");
      Stop();
      return;
    }
    const Mp3Frame& frame = audio_.frames[next_frame_++];
    chunk.bytes.append(song_bytes_.constData() + frame.offset, frame.length);
    chunk.ns += audio_.FrameNanoseconds();
    produced_ns_ += audio_.FrameNanoseconds();
  }

  if (!chunk.bytes.isEmpty()) {
    chunk.start = produced_bytes_;
    produced_bytes_ += chunk.bytes.size();
    recent_ns_ += chunk.ns;
    recent_.push_back(std::move(chunk));
    // Kept: the burst, and the backlog limit's worth for listeners behind.
    while (!recent_.empty() && recent_ns_ - recent_.front().ns >= config_.burst.count() * kNsPerMs &&
           produced_bytes_ - (recent_.front().start + recent_.front().bytes.size()) >= config_.max_backlog_bytes) {
      recent_ns_ -= recent_.front().ns;
      recent_.pop_front();
    }
  }

  std::vector<Listener> staying;
  staying.reserve(listeners_.size());
  for (Listener& listener : listeners_) {
    if (!listener.socket || listener.socket->state() != QAbstractSocket::ConnectedState) continue;
    if (!Feed(listener)) {
      Drop(listener.socket);  // he stopped reading long ago
      continue;
    }
    staying.push_back(listener);
  }
  listeners_ = std::move(staying);
  // Nobody listens: the station rests where it is until the next listener.
  if (listeners_.empty()) timer_.stop();
}

bool ClubRadio::Feed(Listener& listener) {
  QTcpSocket* socket = listener.socket;
  if (!recent_.empty() && listener.next < recent_.front().start) return false;  // passed out of the programme
  // The chunk holding his next byte, then on while his window has room.
  auto it = std::upper_bound(recent_.begin(), recent_.end(), listener.next,
                             [](std::int64_t at, const Chunk& c) { return at < c.start; });
  if (it != recent_.begin()) --it;
  for (; it != recent_.end() && socket->bytesToWrite() < kListenerWindow; ++it) {
    const std::int64_t end = it->start + it->bytes.size();
    if (end <= listener.next) continue;
    const std::int64_t from = listener.next - it->start;
    if (from == 0) socket->write(it->bytes);  // shared, not copied
    else socket->write(it->bytes.constData() + from, end - listener.next);
    listener.next = end;
  }
  return produced_bytes_ - listener.next <= config_.max_backlog_bytes;
}

void ClubRadio::Stop() {
  timer_.stop();
  for (const Listener& listener : listeners_) {
    if (listener.socket) listener.socket->disconnectFromHost();
  }
  listeners_.clear();
  recent_.clear();
  recent_ns_ = 0;
  produced_bytes_ = 0;
  song_.clear();
  song_bytes_.clear();
  audio_ = Mp3Audio();
  next_frame_ = 0;
}

}  // namespace varnok::server
