#include "sound_player.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <QtDebug>
#include <algorithm>

#include "effect_output.h"
#include "loader.h"
#include "midi_music.h"
#include "sound_names.h"
#include "words.h"

namespace varnok {
namespace {

constexpr int kCantCreateMusicFileRow = 98;  // "Can`t create music file!"

// Writes the whole of data to path; false on any failure (a partly written
// file is removed again).
bool WriteWholeFile(const QString& path, const QByteArray& data) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const bool written = file.write(data) == data.size() && file.flush();
  file.close();
  if (!written || file.error() != QFileDevice::NoError) {
    QFile::remove(path);
    return false;
  }
  return true;
}

bool FileHolds(const QString& path, const QByteArray& data) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.size() == data.size() && file.readAll() == data;
}

}  // namespace

SoundPlayer::SoundPlayer(QObject* parent)
    : QObject(parent), output_(std::make_unique<EffectOutput>()), music_(std::make_unique<MidiMusic>()) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::SetEffectsOn(bool on) { effects_on_ = on; }

void SoundPlayer::SetMusicOn(bool on) {
  music_on_ = on;
  if (!on) StopMusic();
}

int SoundPlayer::PlayEffect(const QString& name, bool wait) {
  if (!effects_on_) return 0;
  QByteArray data;
  if (!LoadData(name, QString(), data)) {
    LogOnce(name, QStringLiteral("Sound: there is no built-in sound \"%1\"").arg(name));
    return 0;
  }
  return std::max(0, PlayWave(name, data, QString(), wait));
}

bool SoundPlayer::SpeakCard(TCard card, int language, bool wait) {
  const QString name = VoiceResourceName(card, language);
  if (name.isEmpty()) return false;
  QByteArray data;
  return LoadData(name, QLatin1String(kVoiceLibraryFile), data) &&
         PlayWave(name, data, QStringLiteral("the voice "), wait) >= 0;
}

int SoundPlayer::PlayWave(const QString& name, const QByteArray& data, const QString& kind, bool wait) {
  WaveSound sound;
  QString error;
  if (!ParseWave(data, sound, &error)) {
    LogOnce(name, QStringLiteral("Sound: %1\"%2\" is not a playable sound: %3").arg(kind, name, error));
    return -1;
  }
  return Play(name, sound, wait);
}

int SoundPlayer::Play(const QString& name, const WaveSound& sound, bool wait) {
  if (observer_) {
    observer_(name, sound, wait);
    return 0;
  }
  if (output_->Start(sound)) return wait ? output_->RemainingMs() : 0;
  // No audio device: the sound is silent, but a waited-for one still takes
  // its time, so the table keeps its pace.
  LogOnce(QStringLiteral("#no-device"), QStringLiteral("Sound: no audio output; sound effects are silent"));
  return wait ? static_cast<int>(sound.DurationMs()) : 0;
}

void SoundPlayer::PrepareMusic() {
  if (music_prepared_) return;
  QByteArray song;
  if (!LoadData(QLatin1String(kMenuSongName), QString(), song)) {
    LogOnce(QStringLiteral("#song"), QStringLiteral("Music: there is no built-in song \"%1\"").arg(kMenuSongName));
    return;
  }
  const QString path = MusicFilePath();
  if (!FileHolds(path, song) && !WriteWholeFile(path, song)) {
    qWarning("Music: the music file \"%s\" could not be written", qPrintable(QDir::toNativeSeparators(path)));
    ShowMessage(i18n::Text(i18n::WordsMain, kCantCreateMusicFileRow));
    return;
  }
  music_prepared_ = true;
}

void SoundPlayer::PlayMusic() {
  if (!music_on_ || (music_held_ && music_held_())) return;
  music_wanted_ = true;
  if (!MusicPlaying()) StartSong();
}

void SoundPlayer::StopMusic() {
  music_wanted_ = false;
  music_->Stop();
}

bool SoundPlayer::MusicPlaying() const { return music_->Playing() || music_->Pending(); }

void SoundPlayer::RemoveMusicFile() {
  StopMusic();
  const QString path = MusicFilePath();
  if (QFileInfo::exists(path) && !QFile::remove(path)) {
    qInfo("Music: the music file \"%s\" could not be deleted", qPrintable(QDir::toNativeSeparators(path)));
  }
  music_prepared_ = false;
}

void SoundPlayer::RestartMusicIfStopped() {
  music_->Poll();
  if (music_held_ && music_held_()) return;
  if (music_on_ && music_wanted_ && music_->Finished()) StartSong();
}

void SoundPlayer::StartSong() {
  const QString path = MusicFilePath();
  if (QFileInfo::exists(path)) music_->Play(path);
}

void SoundPlayer::SetTempFolder(const QString& folder) {
  if (folder != temp_folder_) music_prepared_ = false;
  temp_folder_ = folder;
}

QString SoundPlayer::MusicFilePath() const {
  const QString folder = temp_folder_.isEmpty() ? QDir::tempPath() : temp_folder_;
  return QDir(folder).filePath(QLatin1String(kMusicFileName));
}

void SoundPlayer::SetMessageCallback(MessageCallback callback) { message_ = std::move(callback); }

void SoundPlayer::SetOutputForTests(SoundObserver observer) { observer_ = std::move(observer); }

void SoundPlayer::SetSilentForTests(bool silent) {
  observer_ = silent ? SoundObserver([](const QString&, const WaveSound&, bool) {}) : SoundObserver();
}

void SoundPlayer::LogOnce(const QString& key, const QString& text) {
  if (logged_.contains(key)) return;
  logged_.insert(key);
  qInfo().noquote() << text;
}

void SoundPlayer::ShowMessage(const QString& text) {
  if (message_) {
    message_(text);
  } else if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    QMessageBox::warning(nullptr, QLatin1String(i18n::kProgramTitle), text);
  } else {
    qWarning().noquote() << text;
  }
}

}  // namespace varnok
