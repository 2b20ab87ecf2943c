#include "audio_stream.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <algorithm>

namespace varnok::media {

AudioStream::AudioStream(QObject* parent) : QObject(parent) {}

AudioStream::~AudioStream() {
  if (player_ != nullptr) player_->stop();
}

void AudioStream::MakePlayer() {
  if (player_ != nullptr) return;
  player_ = new QMediaPlayer(this);
  output_ = new QAudioOutput(this);
  output_->setVolume(static_cast<float>(volume_) / 100.0f);
  player_->setAudioOutput(output_);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia) ended_ = true;
    if (status == QMediaPlayer::InvalidMedia) failed_ = true;
    Q_EMIT StateChanged();
  });
  connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString& text) {
    if (error == QMediaPlayer::NoError) return;
    failed_ = true;
    qInfo("Stream: %s: %s", qPrintable(source_.toString()), qPrintable(text));
    Q_EMIT StateChanged();
  });
  connect(player_, &QMediaPlayer::playbackStateChanged, this, [this] { Q_EMIT StateChanged(); });
}

void AudioStream::DropPlayer() {
  if (player_ == nullptr) return;
  // Nothing of the old pipeline may reach the new source: an end-of-stream
  // still on its way from the song that ended would end the next one at once.
  player_->disconnect(this);
  player_->stop();
  player_->deleteLater();
  output_->deleteLater();
  player_ = nullptr;
  output_ = nullptr;
}

void AudioStream::Open(const QString& address) {
  const QUrl url(address);
  // Each source gets a player of its own.
  DropPlayer();
  ended_ = false;
  failed_ = false;
  if (address.isEmpty() || !url.isValid() || url.scheme().isEmpty()) {
    source_.clear();
    return;
  }
  MakePlayer();
  source_ = url;
  player_->setSource(url);
}

void AudioStream::Play() {
  if (player_ == nullptr || source_.isEmpty()) return;
  ended_ = false;
  player_->play();
}

void AudioStream::Stop() {
  if (player_ != nullptr) player_->stop();
}

void AudioStream::Close() {
  DropPlayer();
  source_.clear();
  ended_ = false;
  failed_ = false;
  Q_EMIT StateChanged();
}

void AudioStream::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  if (output_ != nullptr) output_->setVolume(static_cast<float>(volume_) / 100.0f);
}

bool AudioStream::Playing() const {
  return player_ != nullptr && player_->playbackState() == QMediaPlayer::PlayingState;
}

qint64 AudioStream::PositionMs() const { return player_ != nullptr ? player_->position() : 0; }
qint64 AudioStream::DurationMs() const { return player_ != nullptr ? player_->duration() : 0; }

}  // namespace varnok::media
