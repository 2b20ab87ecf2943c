// The program's sound: sound effects built into the program, the spoken card
// names of the voice library and the menu song.
//
// One player per program, created and used on the main window's thread.
// Effects play through the default audio output. Nothing here waits: a
// waited-for effect tells its caller how long it plays, and the caller goes
// on after that time from the event loop, which paces the table the same way
// with or without an audio device. A missing resource, a damaged
// sound or a missing audio device gives silence, never a message.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

#include "cards.h"
#include "wave.h"

namespace varnok {

class EffectOutput;
class MidiMusic;

class SoundPlayer : public QObject {
  Q_OBJECT

 public:
  explicit SoundPlayer(QObject* parent = nullptr);
  ~SoundPlayer() override;

  void SetEffectsOn(bool on);
  bool EffectsOn() const { return effects_on_; }
  // Switching the music off stops it; switching it on starts nothing by
  // itself (the caller knows whether the title or menu screen is shown).
  void SetMusicOn(bool on);
  bool MusicOn() const { return music_on_; }

  // Plays a built-in effect, a new sound cutting the one before. With wait
  // the result is the time in milliseconds until the sound has ended, which
  // the caller waits before its next step; else, and with effects off, 0.
  int PlayEffect(const QString& name, bool wait);
  // The card's name in a language (0..9) from the voice library in the
  // program's folder or its parent, played like an effect but whatever the
  // effects setting. False, silently, when the library or the voice is
  // missing or the card is not a card.
  bool SpeakCard(TCard card, int language, bool wait);

  // Writes the menu song "MidiSong" to the temporary music file once. A file
  // left with other contents (an earlier run that was cut off) is written
  // again. A write failure shows "Can`t create music file!" through the
  // message callback.
  void PrepareMusic();
  // Starts the menu song from its beginning when music is on, the music file
  // exists and the song is not playing already; silence when there is no
  // audio output. The synthesizer's sound font is read in the background at
  // the first call; the song then starts at the first timer tick after it is
  // ready.
  void PlayMusic();
  // Stops the song; the timer hook then leaves it stopped until PlayMusic.
  void StopMusic();
  // The song plays (or is about to, once the sound font is read).
  bool MusicPlaying() const;
  // Stops the song and deletes the temporary music file (at close, before
  // the settings are written).
  void RemoveMusicFile();
  // The 55 ms timer hook of the title and menu screens: starts a song that
  // waited for the sound font, and when music is on and the song started by
  // PlayMusic has stopped by itself, starts it again. (The song repeats
  // without a gap on its own; this catches a player that gave up.)
  void RestartMusicIfStopped();
  // While `held` says so (a song of the music player or the radio plays),
  // the menu music neither starts nor comes back by itself.
  void SetMusicHeld(std::function<bool()> held) { music_held_ = std::move(held); }

  // Where the temporary music file goes; "" (the default) is the system's
  // folder for temporary files.
  void SetTempFolder(const QString& folder);
  QString MusicFilePath() const;

  // How a message reaches the player. The default shows a warning box when
  // the program has windows and logs the text otherwise.
  using MessageCallback = std::function<void(const QString& text)>;
  void SetMessageCallback(MessageCallback callback);

  // For tests: every sound that would be played goes to the observer instead
  // of an audio device (name, the parsed sound, whether it was waited for),
  // and waits return at once. An empty observer restores the audio device.
  using SoundObserver = std::function<void(const QString& name, const WaveSound& sound, bool wait)>;
  void SetOutputForTests(SoundObserver observer);
  // For tests: nothing is played and waits return at once.
  void SetSilentForTests(bool silent);

 private:
  // Parses and plays a loaded sound; a damaged one is logged once (kind
  // prefixes its name in the log) and gives false.
  // Both return the time to wait (see PlayEffect); -1: the sound is not playable.
  int PlayWave(const QString& name, const QByteArray& data, const QString& kind, bool wait);
  int Play(const QString& name, const WaveSound& sound, bool wait);
  // Starts the song from the music file when the file exists.
  void StartSong();
  void LogOnce(const QString& key, const QString& text);
  void ShowMessage(const QString& text);

  bool effects_on_ = true;
  bool music_on_ = true;
  bool music_wanted_ = false;
  bool music_prepared_ = false;
  QString temp_folder_;
  MessageCallback message_;
  SoundObserver observer_;
  QSet<QString> logged_;
  std::unique_ptr<EffectOutput> output_;
  std::unique_ptr<MidiMusic> music_;
  std::function<bool()> music_held_;
};

}  // namespace varnok
