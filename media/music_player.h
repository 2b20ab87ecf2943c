// The music player: songs of the club server's music folder, streamed one
// at a time. The playlist is handed over once it has been read; with more
// than four songs the player is available, a song is chosen at random and
// its stream opened at volume 50, not yet playing. The owner polls it every
// 500 ms so that the next song starts when one has ended.
#pragma once

#include <QObject>
#include <vector>

#include "audio_stream.h"
#include "media_rules.h"

namespace varnok::media {

class MusicPlayer : public QObject {
  Q_OBJECT

 public:
  explicit MusicPlayer(QObject* parent = nullptr);

  // The playlist read from the server (an empty one when reading failed).
  void SetPlaylist(std::vector<Song> songs);
  void SetRandomSource(RandomSource random) { random_ = std::move(random); }

  bool Available() const { return available_; }
  bool Playing() const { return playing_; }
  int Volume() const { return volume_; }
  int Current() const { return current_; }  // 1-based, 0 without songs
  const std::vector<Song>& Songs() const { return songs_; }
  const Song* CurrentSong() const;
  AudioStream& Stream() { return stream_; }

  // Button 1: stop, or play the current song.
  void TogglePlay();
  // Button 2: a new song at random (the same one may come again), played.
  void Next();
  // Button 3: a click at x on the volume button.
  void ClickVolume(int x);
  // Stops the song (the radio or the menu music takes over).
  void Stop();
  // Every 500 ms: a song that has played to its end is followed by the next.
  void Poll();

 Q_SIGNALS:
  // Playing, the song or the volume changed: the buttons are drawn again.
  void Changed();
  // A song starts: whatever else plays must stop.
  void Starting();

 private:
  void OpenCurrent();

  AudioStream stream_;
  std::vector<Song> songs_;
  RandomSource random_;
  bool available_ = false;
  bool playing_ = false;
  int volume_ = 50;
  int current_ = 0;
};

}  // namespace varnok::media
