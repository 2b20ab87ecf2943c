#include "midi_music.h"

#include <fluidsynth.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QLoggingCategory>
#include <QtDebug>
#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>
#include <atomic>
#include <thread>

namespace varnok {
namespace {

// FluidSynth reports through its own log, and the ALSA library it opens
// prints its own errors. Without a sound device both say the same thing in a
// dozen lines; the music says it in one ("no audio output"), and their
// details go to the category varnok.fluidsynth, off unless asked for
// (QT_LOGGING_RULES="varnok.fluidsynth.debug=true").
Q_LOGGING_CATEGORY(lcFluid, "varnok.fluidsynth", QtWarningMsg)

void FluidLog(int level, const char* message, void* /*data*/) {
  if (level == FLUID_PANIC || level == FLUID_ERR) qCDebug(lcFluid, "fluidsynth: %s", message);
}

extern "C" void AlsaLog(const char* file, int line, const char* function, int error, const char* format, ...) {
  if (!lcFluid().isDebugEnabled()) return;
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  qCDebug(lcFluid, "ALSA %s:%d (%s) %s (error %d)", file, line, function, text, error);
}

// The ALSA library comes with FluidSynth's ALSA driver; its error handler is
// set through the library that is loaded, so the program needs no ALSA of
// its own.
void RouteAlsaLog() {
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetHandler = int (*)(Handler);
  void* library = dlopen("libasound.so.2", RTLD_LAZY);
  if (library == nullptr) return;
  if (auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"))) set(AlsaLog);
}

void RouteFluidLog() {
  static const bool routed = [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, FluidLog, nullptr);
    }
    RouteAlsaLog();
    return true;
  }();
  (void)routed;
}

// The audio drivers tried, in order: the sound server of a desktop
// (PulseAudio, or PipeWire's PulseAudio service), then the ALSA default device.
constexpr const char* kDrivers[] = {"pulseaudio", "alsa"};

constexpr double kGain = 0.5;

// Each kind of failure is logged once per run.
void LogOnce(std::atomic<bool>& logged, const char* text) {
  if (!logged.exchange(true)) qInfo("%s", text);
}
std::atomic<bool> g_no_output_logged{false};
std::atomic<bool> g_no_font_logged{false};

bool IsMidiFile(const QString& file) {
  const QByteArray path = QFile::encodeName(file);
  if (QFileInfo(file).isFile() && fluid_is_midifile(path.constData()) != 0) return true;
  qInfo("Music: \"%s\" is not a MIDI file; nothing is played", path.constData());
  return false;
}

enum class FontState { kLoading, kReady, kFailed };

}  // namespace

struct MidiMusic::Synth {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  fluid_player_t* player = nullptr;
  std::thread font_loader;
  std::atomic<FontState> font{FontState::kLoading};

  ~Synth() {
    if (font_loader.joinable()) font_loader.join();
    DropPlayer();
    // The driver calls into the synthesizer from its thread: it goes first.
    if (driver != nullptr) delete_fluid_audio_driver(driver);
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }

  void LoadFont() {
    for (const QString& candidate : SoundFontCandidates()) {
      if (!QFileInfo::exists(candidate)) continue;
      if (fluid_synth_sfload(synth, QFile::encodeName(candidate).constData(), 1) != FLUID_FAILED) {
        font = FontState::kReady;
        return;
      }
    }
    LogOnce(g_no_font_logged,
            "Music: no General MIDI sound font could be loaded (package fluid-soundfont-gm); the music stays silent");
    font = FontState::kFailed;
  }

  void DropPlayer() {
    if (player == nullptr) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
    if (synth != nullptr) fluid_synth_all_sounds_off(synth, -1);
  }
};

MidiMusic::MidiMusic() = default;

MidiMusic::~MidiMusic() = default;

const QStringList& MidiMusic::SoundFontCandidates() {
  static const QStringList fonts = {QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"),
                                    QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
                                    QStringLiteral("/usr/share/sounds/sf3/default-GM.sf3")};
  return fonts;
}

bool MidiMusic::Play(const QString& midi_file) {
  if (!setup_tried_) {
    setup_tried_ = true;
    RouteFluidLog();
    auto synth = std::make_unique<Synth>();
    synth->settings = new_fluid_settings();
    if (synth->settings != nullptr) {
      // FluidSynth's default gain of 0.2 leaves a song of few voices faint
      // beside the sound effects.
      fluid_settings_setnum(synth->settings, "synth.gain", kGain);
      // Only the samples of the instruments the song plays are read from
      // the sound font (a few MB instead of the whole 140 MB).
      fluid_settings_setint(synth->settings, "synth.dynamic-sample-loading", 1);
      synth->synth = new_fluid_synth(synth->settings);
    }
    if (synth->synth == nullptr) {
      qWarning("Music: the synthesizer could not be made; the music stays silent");
      return false;
    }
    for (const char* driver : kDrivers) {
      fluid_settings_setstr(synth->settings, "audio.driver", driver);
      synth->driver = new_fluid_audio_driver(synth->settings, synth->synth);
      if (synth->driver != nullptr) break;
    }
    if (synth->driver == nullptr) {
      LogOnce(g_no_output_logged, "Music: no audio output could be opened; the music stays silent");
      return false;
    }
    Synth* raw = synth.get();
    synth->font_loader = std::thread([raw] { raw->LoadFont(); });
    synth_ = std::move(synth);
  }
  if (synth_ == nullptr) return false;
  synth_->DropPlayer();
  pending_file_.clear();
  if (!IsMidiFile(midi_file)) return false;
  switch (synth_->font.load()) {
    case FontState::kFailed:
      return false;
    case FontState::kLoading:
      pending_file_ = midi_file;
      return true;
    case FontState::kReady:
      break;
  }
  return StartPlayer(midi_file);
}

bool MidiMusic::StartPlayer(const QString& midi_file) {
  const QByteArray path = QFile::encodeName(midi_file);
  synth_->player = new_fluid_player(synth_->synth);
  if (synth_->player == nullptr || fluid_player_add(synth_->player, path.constData()) != FLUID_OK) {
    qInfo("Music: \"%s\" could not be played", path.constData());
    synth_->DropPlayer();
    return false;
  }
  // The song repeats until stopped. The player's own repeat joins the end to
  // the start at once; a player that stops only does so when the last notes
  // have died away, which leaves a gap of seconds.
  fluid_player_set_loop(synth_->player, -1);
  if (fluid_player_play(synth_->player) != FLUID_OK) {
    qInfo("Music: \"%s\" could not be played", path.constData());
    synth_->DropPlayer();
    return false;
  }
  return true;
}

void MidiMusic::Poll() {
  if (synth_ == nullptr || pending_file_.isEmpty()) return;
  const FontState font = synth_->font.load();
  if (font == FontState::kLoading) return;
  const QString file = pending_file_;
  pending_file_.clear();
  if (font == FontState::kReady) StartPlayer(file);
}

void MidiMusic::Stop() {
  pending_file_.clear();
  if (synth_ != nullptr) synth_->DropPlayer();
}

bool MidiMusic::Playing() const {
  return synth_ != nullptr && synth_->player != nullptr &&
         fluid_player_get_status(synth_->player) == FLUID_PLAYER_PLAYING;
}

bool MidiMusic::Pending() const { return !pending_file_.isEmpty(); }

bool MidiMusic::Finished() const {
  return synth_ != nullptr && synth_->player != nullptr &&
         fluid_player_get_status(synth_->player) == FLUID_PLAYER_DONE;
}

bool MidiMusic::OutputOpen() const { return synth_ != nullptr; }

}  // namespace varnok
