// One audio stream from a URL (a song of the music folder or a radio
// station) through Qt Multimedia: a media player with its audio output,
// made when the first stream is opened. Started, stopped and polled from the
// main thread; the decoding runs in the back-end's own threads.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QAudioOutput;
class QMediaPlayer;

namespace varnok::media {

class AudioStream : public QObject {
  Q_OBJECT

 public:
  explicit AudioStream(QObject* parent = nullptr);
  ~AudioStream() override;

  // Binds the stream to an address without playing it; an empty or
  // malformed address leaves it unbound (playing it then does nothing).
  void Open(const QString& address);
  void Play();
  void Stop();
  // Stops and lets the source go: an endless stream (a radio station) keeps
  // its connection open and filling while merely stopped.
  void Close();
  // 0..100.
  void SetVolume(int volume);

  QUrl Source() const { return source_; }
  bool Playing() const;
  qint64 PositionMs() const;
  qint64 DurationMs() const;
  // The song has played to its end (a finite stream only).
  bool Ended() const { return ended_; }
  // The back-end reported an error for the current address.
  bool Failed() const { return failed_; }
  QMediaPlayer* Player() const { return player_; }

 Q_SIGNALS:
  void StateChanged();

 private:
  void MakePlayer();
  void DropPlayer();

  QMediaPlayer* player_ = nullptr;
  QAudioOutput* output_ = nullptr;
  QUrl source_;
  int volume_ = 50;
  bool ended_ = false;
  bool failed_ = false;
};

}  // namespace varnok::media
