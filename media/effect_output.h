// Sound effects on the default audio output.
//
// The audio sinks live on a thread of their own, so that the main thread can
// block for a waited-for effect without handling any events while the sinks
// keep being fed. Used from the main thread only.
#pragma once

#include <QElapsedTimer>
#include <memory>

#include "wave.h"

class QThread;
class QObject;

namespace varnok {

class EffectOutput {
 public:
  EffectOutput();
  ~EffectOutput();
  EffectOutput(const EffectOutput&) = delete;
  EffectOutput& operator=(const EffectOutput&) = delete;

  // Starts a sound on the default output device. A sound still within its
  // length is cut; one whose length has passed keeps playing out the last
  // milliseconds the device still holds. False when there is no output
  // device or it cannot take the sound's format; then nothing plays.
  bool Start(const WaveSound& sound);
  // The milliseconds until the length of the sound last started has passed
  // since its start (0 when it has). The device plays with its own latency,
  // so sounds waited for one after the other follow each other the same way
  // on the speaker.
  int RemainingMs() const;

 private:
  struct Voices;

  std::unique_ptr<QThread> thread_;
  QObject* context_ = nullptr;       // lives on thread_
  std::unique_ptr<Voices> voices_;   // touched on thread_ only
  qint64 length_ms_ = 0;             // of the sound last started
  QElapsedTimer start_time_;
};

}  // namespace varnok
