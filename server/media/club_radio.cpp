#include "club_radio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

namespace varnok::server {

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;
// After a stall of the event loop longer than this the programme skips ahead
// instead of sending the whole gap at once.
constexpr std::int64_t kMaxCatchUpNs = 10'000 * kNsPerMs;

}  // namespace

ClubRadio::ClubRadio(const MusicFolder& music, RadioConfig config, QObject* parent)
    : QObject(parent), music_(music), config_(config) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this]() { Tick(); });
}

ClubRadio::Tuned ClubRadio::Tune(QTcpSocket* socket) {
  std::erase_if(listeners_, [](const QPointer<QTcpSocket>& l) {
    return !l || l->state() != QAbstractSocket::ConnectedState;
  });
  if (Listeners() >= config_.max_listeners) return Tuned::kFull;
  const bool starting = !timer_.isActive();
  if (starting && !Start()) return Tuned::kNoSongs;

  socket->write("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nCache-Control: no-cache, no-store\r\n"
                "Connection: close\r\nicy-name: Varnok Club Radio\r\n\r\n");
  for (const Chunk& chunk : recent_) socket->write(chunk.bytes);
  // Whatever the listener sends from now on is read and forgotten.
  connect(socket, &QTcpSocket::readyRead, socket, [socket]() { socket->readAll(); });
  listeners_.emplace_back(socket);
  if (starting) Tick();
  return Tuned::kListening;
}

bool ClubRadio::Start() {
  if (next_frame_ >= audio_.frames.size() && !LoadNextSong()) return false;
  recent_.clear();
  recent_ns_ = 0;
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

  std::vector<QPointer<QTcpSocket>> staying;
  staying.reserve(listeners_.size());
  for (const QPointer<QTcpSocket>& socket : listeners_) {
    if (!socket || socket->state() != QAbstractSocket::ConnectedState) continue;
    if (socket->bytesToWrite() > config_.max_backlog_bytes) {
      socket->abort();  // he stopped reading long ago
      continue;
    }
    if (!chunk.bytes.isEmpty()) socket->write(chunk.bytes);
    staying.push_back(socket);
  }
  listeners_ = std::move(staying);

  if (!chunk.bytes.isEmpty()) {
    recent_ns_ += chunk.ns;
    recent_.push_back(std::move(chunk));
    while (!recent_.empty() && recent_ns_ - recent_.front().ns >= config_.burst.count() * kNsPerMs) {
      recent_ns_ -= recent_.front().ns;
      recent_.pop_front();
    }
  }
  // Nobody listens: the station rests where it is until the next listener.
  if (listeners_.empty()) timer_.stop();
}

void ClubRadio::Stop() {
  timer_.stop();
  for (const QPointer<QTcpSocket>& socket : listeners_) {
    if (socket) socket->disconnectFromHost();
  }
  listeners_.clear();
  recent_.clear();
  recent_ns_ = 0;
  song_.clear();
  song_bytes_.clear();
  audio_ = Mp3Audio();
  next_frame_ = 0;
}

}  // namespace varnok::server
