// The menu song through FluidSynth: a software synthesizer with the General
// MIDI sound font, playing a MIDI file on the default audio output in
// FluidSynth's own audio thread. Started, stopped and polled from the main
// thread only.
//
// The sound font is large (the General MIDI font is about 140 MB), so it is
// read on a thread of its own: a song asked for before it is ready starts at
// the first Poll after it is.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace varnok {

class MidiMusic {
 public:
  MidiMusic();
  ~MidiMusic();
  MidiMusic(const MidiMusic&) = delete;
  MidiMusic& operator=(const MidiMusic&) = delete;

  // Plays the file from its start, over and over until stopped, cutting
  // whatever was playing (or, while the sound font is being read, as soon as
  // it is ready). False (and silence) when there is no audio output, no
  // sound font or the file is not a MIDI file; each of these is logged. The
  // synthesizer and the audio output are set up at the first call; when the
  // output cannot be opened (no sound server) later calls return false at once.
  bool Play(const QString& midi_file);
  void Stop();
  // Starts a song waiting for the sound font once the font is ready.
  void Poll();
  // A song is playing.
  bool Playing() const;
  // A song waits for the sound font.
  bool Pending() const;
  // A song was started and its player has stopped by itself.
  bool Finished() const;
  // The audio output was opened (false before the first Play and after a failed set-up).
  bool OutputOpen() const;

  // The sound fonts tried, in order; the first that exists is loaded.
  static const QStringList& SoundFontCandidates();

 private:
  struct Synth;
  bool StartPlayer(const QString& midi_file);

  std::unique_ptr<Synth> synth_;
  bool setup_tried_ = false;
  QString pending_file_;
};

}  // namespace varnok
