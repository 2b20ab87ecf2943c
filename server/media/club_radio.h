// The club station: an endless MP3 stream of the music folder's songs, one
// after the other in name order and round again, sent to every listener at
// the pace the songs play. All listeners hear the same programme, like a
// broadcast; a new listener first gets the last few seconds at once so that
// his player starts without waiting. Everything runs on the event loop: a
// timer sends each listener the frames that became due since its last turn,
// and a listener that goes away or stops reading is dropped.
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
  std::vector<QPointer<QTcpSocket>> listeners_;

  QString song_;  // file name of the song playing
  QByteArray song_bytes_;
  Mp3Audio audio_;
  std::size_t next_frame_ = 0;
  QSet<QString> reported_;  // songs already logged as unplayable

  struct Chunk {
    QByteArray bytes;
    std::int64_t ns = 0;
  };
  std::deque<Chunk> recent_;  // the last burst's worth of programme
  std::int64_t recent_ns_ = 0;
};

}  // namespace varnok::server
