// The sound player: which effects and voices play and how, the built-in
// sounds it relies on, the music file and the music controls without an
// audio device.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "cards.h"
#include "loader.h"
#include "manifest.h"
#include "midi_music.h"
#include "sound_names.h"
#include "sound_player.h"
#include "wave.h"
#include "words.h"

namespace varnok {
namespace {

struct Played {
  QString name;
  qint64 length_ms;
  bool wait;
};

// A player whose sounds are recorded instead of played.
class ObservedPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    player_.SetOutputForTests([this](const QString& name, const WaveSound& sound, bool wait) {
      played_.push_back({name, sound.DurationMs(), wait});
    });
  }
  void TearDown() override { SetProgramFolder(QString()); }

  QStringList Names() const {
    QStringList names;
    for (const Played& p : played_) names.append(p.name);
    return names;
  }

  SoundPlayer player_;
  std::vector<Played> played_;
};

TEST_F(ObservedPlayer, EffectsOffPlayNothingAndNeverWait) {
  player_.SetEffectsOn(false);
  for (bool wait : {true, false}) {
    for (const QString& name : EffectNames()) player_.PlayEffect(name, wait);
  }
  EXPECT_TRUE(played_.empty());
}

TEST_F(ObservedPlayer, EffectsOnPlayEachNamedSoundWaitedOrNot) {
  player_.PlayEffect(QStringLiteral("WDiPlay"), true);
  player_.PlayEffect(QStringLiteral("WTasoKo"), false);
  player_.SetEffectsOn(false);
  player_.PlayEffect(QStringLiteral("WDiPass"), true);
  player_.SetEffectsOn(true);
  player_.PlayEffect(QStringLiteral("WHodsDo"), true);
  ASSERT_EQ(played_.size(), 3u);
  EXPECT_EQ(Names(), QStringList({"WDiPlay", "WTasoKo", "WHodsDo"}));
  EXPECT_TRUE(played_[0].wait);
  EXPECT_FALSE(played_[1].wait);
  EXPECT_TRUE(played_[2].wait);
  for (const Played& p : played_) EXPECT_GT(p.length_ms, 0) << p.name.toStdString();
}

TEST_F(ObservedPlayer, AMissingEffectIsSilent) {
  for (const char* name : {"WNoSuch", "", "MidiSong", "Ch10VoiceRus"}) {
    player_.PlayEffect(QLatin1String(name), true);
  }
  EXPECT_TRUE(played_.empty()) << "neither unknown names, the song nor a voice play as effects";
}

TEST_F(ObservedPlayer, EveryEffectIsBuiltInAsAPlayableSound) {
  for (const QString& name : EffectNames()) {
    QByteArray data;
    ASSERT_TRUE(LoadData(name, QString(), data)) << name.toStdString();
    WaveSound sound;
    QString error;
    ASSERT_TRUE(ParseWave(data, sound, &error)) << name.toStdString() << ": " << error.toStdString();
    EXPECT_GT(sound.DurationMs(), 0) << name.toStdString();
    player_.PlayEffect(name, true);
  }
  EXPECT_EQ(Names(), EffectNames());
}

TEST(EffectNames, AreExactlyTheBuiltInWaveSounds) {
  const Manifest manifest =
      ReadManifestFolder(QStringLiteral(VARNOK_RESOURCES_SOURCE_DIR) + QStringLiteral("/manifest"));
  ASSERT_TRUE(manifest.errors.isEmpty()) << manifest.errors.join('\n').toStdString();
  QSet<QString> builtin_waves;
  for (const ManifestEntry& entry : manifest.EntriesOf(QString())) {
    if (entry.kind == ResourceKind::Wav) builtin_waves.insert(entry.name);
  }
  const QStringList& names = EffectNames();
  EXPECT_EQ(builtin_waves, QSet<QString>(names.begin(), names.end()));
}

TEST_F(ObservedPlayer, SpeaksEveryCardInEveryLanguageFromTheVoiceLibrary) {
  SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
  if (!LibraryPresent(QLatin1String(kVoiceLibraryFile))) GTEST_SKIP() << "the voice library was not built";
  player_.SetEffectsOn(false);  // voices do not depend on the effects setting
  QStringList expected;
  for (int language = 0; language < 10; ++language) {
    for (int ordinal = 1; ordinal <= 24; ++ordinal) {
      const TCard card = CardOfIndex(ordinal);
      const bool wait = ordinal % 2 == 0;
      EXPECT_TRUE(player_.SpeakCard(card, language, wait)) << VoiceResourceName(card, language).toStdString();
      expected.append(VoiceResourceName(card, language));
      ASSERT_FALSE(played_.empty());
      EXPECT_EQ(played_.back().wait, wait);
      EXPECT_GT(played_.back().length_ms, 0);
    }
  }
  EXPECT_EQ(Names(), expected);
}

TEST_F(ObservedPlayer, SpeakCardIsFalseAndSilentWithoutTheLibraryOrACard) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  // A program folder whose own folder and parent both lack the library.
  ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("games/varnok")));
  SetProgramFolder(root.filePath(QStringLiteral("games/varnok")));
  EXPECT_FALSE(player_.SpeakCard(TCard::Make(kRank10, kHearts), i18n::kRussian, true));

  SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
  EXPECT_FALSE(player_.SpeakCard(TCard::Empty(), i18n::kEnglish, true));
  EXPECT_FALSE(player_.SpeakCard(TCard::Make(0x41, kSpades), i18n::kEnglish, false));
  EXPECT_TRUE(played_.empty());
}

TEST_F(ObservedPlayer, FindsTheVoiceLibraryInTheParentFolder) {
  SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
  const QString library = FindLibrary(QLatin1String(kVoiceLibraryFile));
  if (library.isEmpty()) GTEST_SKIP() << "the voice library was not built";
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("program")));
  ASSERT_TRUE(QFile::copy(library, root.filePath(QLatin1String(kVoiceLibraryFile))));
  SetProgramFolder(root.filePath(QStringLiteral("program")));
  EXPECT_TRUE(player_.SpeakCard(TCard::Make(kRankA, kClubs), i18n::kGerman, false));
  EXPECT_EQ(Names(), QStringList({"Kr5AVoiceDeu"}));
}

// ---------------------------------------------------------------------------
// The music file

class MusicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    ASSERT_TRUE(LoadData(QLatin1String(kMenuSongName), QString(), song_));
    player_.SetSilentForTests(true);
    player_.SetTempFolder(temp_.path());
    player_.SetMessageCallback([this](const QString& text) { messages_.append(text); });
  }

  QByteArray FileBytes() const {
    QFile file(player_.MusicFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir temp_;
  QByteArray song_;
  SoundPlayer player_;
  QStringList messages_;
};

TEST_F(MusicFile, IsTheBuiltInSongInTheTemporaryFolder) {
  EXPECT_EQ(player_.MusicFilePath(), QDir(temp_.path()).filePath(QStringLiteral("temp9_25.mid")));
  player_.PrepareMusic();
  const QByteArray bytes = FileBytes();
  EXPECT_TRUE(bytes.startsWith("MThd")) << "a standard MIDI file";
  EXPECT_EQ(bytes, song_);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(MusicFile, DefaultsToTheSystemsTemporaryFolder) {
  SoundPlayer player;
  EXPECT_EQ(QFileInfo(player.MusicFilePath()).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
}

TEST_F(MusicFile, ALeftOverFileWithOtherContentsIsWrittenAgain) {
  for (const QByteArray& left_over : {QByteArray("MThd cut off"), QByteArray()}) {
    {
      QFile file(player_.MusicFilePath());
      ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(left_over);
    }
    SoundPlayer player;
    player.SetTempFolder(temp_.path());
    player.PrepareMusic();
    EXPECT_EQ(FileBytes(), song_) << left_over.toStdString();
  }
}

TEST_F(MusicFile, IsRemovedAtClose) {
  player_.PrepareMusic();
  ASSERT_TRUE(QFileInfo::exists(player_.MusicFilePath()));
  player_.RemoveMusicFile();
  EXPECT_FALSE(QFileInfo::exists(player_.MusicFilePath()));
  player_.RemoveMusicFile();  // nothing left to remove: no harm
  player_.PrepareMusic();     // a later start prepares it again
  EXPECT_EQ(FileBytes(), song_);
}

TEST_F(MusicFile, AWriteFailureShowsOneMessage) {
  // Folders the file cannot be written in, even by the superuser: one that
  // does not exist, a plain file in the place of the folder, and a folder in
  // the place of the music file.
  QFile plain(temp_.filePath(QStringLiteral("plain")));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  ASSERT_TRUE(QDir(temp_.path()).mkpath(QStringLiteral("blocked/temp9_25.mid")));
  const QStringList folders = {temp_.filePath(QStringLiteral("missing/folder")), temp_.filePath(QStringLiteral("plain")),
                               temp_.filePath(QStringLiteral("blocked"))};
  const QString expected = QStringLiteral("Can`t create music file!");
  ASSERT_EQ(i18n::Text(i18n::WordsMain, 98, i18n::kEnglish), expected);
  const int before = i18n::LanguageIndex();
  i18n::SetLanguage(i18n::kEnglish);
  for (const QString& folder : folders) {
    messages_.clear();
    SoundPlayer player;
    player.SetTempFolder(folder);
    player.SetMessageCallback([this](const QString& text) { messages_.append(text); });
    player.PrepareMusic();
    EXPECT_EQ(messages_, QStringList({expected})) << folder.toStdString();
    player.PlayMusic();  // no file: nothing plays
    EXPECT_FALSE(player.MusicPlaying()) << folder.toStdString();
  }
  i18n::SetLanguage(before);
}

// ---------------------------------------------------------------------------
// Music controls (on this machine there may be no audio device at all)

TEST_F(MusicFile, ControlsNeverFailAndStopAlwaysStops) {
  player_.PrepareMusic();
  player_.PlayMusic();
  player_.RestartMusicIfStopped();
  player_.StopMusic();
  EXPECT_FALSE(player_.MusicPlaying());
  player_.RestartMusicIfStopped();  // a stopped song stays stopped
  EXPECT_FALSE(player_.MusicPlaying());
  player_.PlayMusic();
  player_.PlayMusic();  // again while it plays: it goes on
  player_.SetMusicOn(false);
  EXPECT_FALSE(player_.MusicPlaying()) << "switching the music off stops it";
  player_.PlayMusic();
  player_.RestartMusicIfStopped();
  EXPECT_FALSE(player_.MusicPlaying()) << "music off: nothing starts";
  EXPECT_TRUE(messages_.isEmpty()) << "a missing audio device is no message";
}

TEST_F(MusicFile, NothingPlaysWithoutTheMusicFile) {
  player_.PlayMusic();
  player_.RestartMusicIfStopped();
  EXPECT_FALSE(player_.MusicPlaying());
  player_.PrepareMusic();
  player_.RemoveMusicFile();
  player_.PlayMusic();
  EXPECT_FALSE(player_.MusicPlaying());
  EXPECT_TRUE(messages_.isEmpty());
}

TEST(MidiMusic, RefusesWhatIsNotAMidiFile) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString not_midi = temp.filePath(QStringLiteral("song.mid"));
  QFile file(not_midi);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("RIFF....WAVE");
  file.close();
  MidiMusic music;
  for (const QString& path : {not_midi, temp.filePath(QStringLiteral("none.mid")), QString()}) {
    EXPECT_FALSE(music.Play(path)) << path.toStdString();
    EXPECT_FALSE(music.Playing());
    EXPECT_FALSE(music.Finished());
  }
  music.Stop();
  EXPECT_FALSE(music.Playing());
}

TEST(MidiMusic, HasAGeneralMidiSoundFontCandidateInstalled) {
  bool any = false;
  for (const QString& font : MidiMusic::SoundFontCandidates()) any = any || QFileInfo::exists(font);
  EXPECT_TRUE(any) << "install fluid-soundfont-gm";
}

// ---------------------------------------------------------------------------
// The real audio output (silent when the machine has none)

TEST(SoundPlayerOutput, AsynchronousEffectsCutEachOtherAndThePlayerCanGoWhileOnePlays) {
  SoundPlayer player;
  player.PlayEffect(QStringLiteral("WTasoKo"), false);
  player.PlayEffect(QStringLiteral("WOpenFo"), false);
  player.PlayEffect(QStringLiteral("WKoGood"), false);
  EXPECT_TRUE(player.EffectsOn());
}

}  // namespace
}  // namespace varnok
