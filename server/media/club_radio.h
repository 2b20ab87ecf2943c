// The club station: an endless MP3 stream of the music folder's songs, one
// after the other in name order and round again, sent to every listener at
// the pace the songs play. All listeners hear the same programme, like a
// broadcast; a new listener first gets the last few seconds at once so that
// his player starts without waiting. Everything runs on the event loop: a
// timer adds the frames that became due to the programme, and hands each
// listener what he has not had yet, a little at a time.
//
// Memory: the programme's recent audio is kept once for everybody (the
// backlog limit's worth); each listener holds at most kListenerWindow bytes
// of it in his socket's buffer. A listener who falls further behind than the
// backlog limit (he stopped reading) is dropped. So the audio waiting for
// listeners costs the backlog limit once plus the window per listener,
// however many of them stop reading.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

#include "core/mp3.h"
#include "media/music_folder.h"

namespace varnok::server {

// Audio handed to one listener's socket beyond what the kernel took: the
// rest waits in the shared programme until he has read this.
inline constexpr qint64 kListenerWindow = 32 * 1024;

struct RadioConfig {
  int max_listeners = 500;
  // A listener with more than this waiting to be sent (he paused, or his
  // line is slower than the stream) is dropped: 1 MiB is a minute at 128 kbit/s.
  qint64 max_backlog_bytes = 1 << 20;
  std::chrono::milliseconds burst{3000};  // sent at once to a new listener
  std::chrono::milliseconds tick{100};
  qint64 max_song_bytes = 64 << 20;  // larger files are passed over
};

class ClubRadio : public QObject {
 public:
  ClubRadio(const MusicFolder& music, RadioConfig config, QObject* parent = nullptr);

  enum class Tuned { kListening, kNoSongs, kFull };
  // Takes the connection over when the station can play: writes the reply's
  // head and the last seconds of the programme, then keeps sending until the
  // listener goes. Otherwise the socket is left alone and the reason told.
  Tuned Tune(QTcpSocket* socket);

  int Listeners() const { return static_cast<int>(listeners_.size()); }
  const QString& Song() const { return song_; }

 private:
  bool Start();
  bool LoadNextSong();
  void Tick();
  void Stop();

  const MusicFolder& music_;
  RadioConfig config_;
  QTimer timer_;
  QElapsedTimer clock_;
  std::int64_t produced_ns_ = 0;  // programme time sent since the clock started
  struct Listener {
    QPointer<QTcpSocket> socket;
    std::int64_t next = 0;  // programme byte he gets next
  };
  // Hands the listener what fits into his window; false once he is too far behind.
  bool Feed(Listener& listener);
  std::vector<Listener> listeners_;

  QString song_;  // file name of the song playing
  QByteArray song_bytes_;
  Mp3Audio audio_;
  std::size_t next_frame_ = 0;
  QSet<QString> reported_;  // songs already logged as unplayable

  struct Chunk {
    QByteArray bytes;
    std::int64_t ns = 0;
    std::int64_t start = 0;  // programme byte of its first byte
  };
  // The recent programme: at least the burst and the backlog limit's worth.
  std::deque<Chunk> recent_;
  std::int64_t recent_ns_ = 0;
  std::int64_t produced_bytes_ = 0;  // programme bytes so far
};

}  // namespace varnok::server
