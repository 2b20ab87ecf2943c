#include "music_player.h"

namespace varnok::media {

MusicPlayer::MusicPlayer(QObject* parent) : QObject(parent), stream_(this), random_(SystemRandom()) {}

void MusicPlayer::SetPlaylist(std::vector<Song> songs) {
  Stop();
  songs_ = std::move(songs);
  available_ = PlayerAvailable(songs_.size());
  current_ = 0;
  if (available_) {
    current_ = NextSong(static_cast<int>(songs_.size()), random_);
    volume_ = 50;
    stream_.SetVolume(volume_);
    OpenCurrent();
  }
  Q_EMIT Changed();
}

const Song* MusicPlayer::CurrentSong() const {
  if (current_ < 1 || current_ > static_cast<int>(songs_.size())) return nullptr;
  return &songs_[static_cast<std::size_t>(current_ - 1)];
}

void MusicPlayer::OpenCurrent() {
  if (const Song* song = CurrentSong()) stream_.Open(song->Address);
}

void MusicPlayer::TogglePlay() {
  if (!available_) return;
  if (playing_) {
    Stop();
    return;
  }
  Q_EMIT Starting();
  if (stream_.Ended() || stream_.Failed()) OpenCurrent();
  stream_.Play();
  playing_ = true;
  Q_EMIT Changed();
}

void MusicPlayer::Next() {
  if (!available_) return;
  stream_.Stop();
  current_ = NextSong(static_cast<int>(songs_.size()), random_);
  OpenCurrent();
  Q_EMIT Starting();
  stream_.Play();
  playing_ = true;
  Q_EMIT Changed();
}

void MusicPlayer::ClickVolume(int x) {
  if (!available_) return;
  const int volume = VolumeAfterClick(volume_, x);
  if (volume == volume_) return;
  volume_ = volume;
  stream_.SetVolume(volume_);
  Q_EMIT Changed();
}

void MusicPlayer::Stop() {
  stream_.Stop();
  if (!playing_) return;
  playing_ = false;
  Q_EMIT Changed();
}

void MusicPlayer::Poll() {
  if (!available_ || !playing_) return;
  if (stream_.Ended()) {
    Next();
  } else if (stream_.Failed()) {
    // A song that cannot be fetched plays nothing; the button shows "play" again.
    playing_ = false;
    Q_EMIT Changed();
  }
}

}  // namespace varnok::media
