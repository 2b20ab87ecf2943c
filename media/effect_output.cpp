#include "effect_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <QtDebug>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace varnok {
namespace {

// How long a sound whose length has passed may go on playing out what the
// device still holds before its sink is closed.
constexpr int kPlayOutMs = 2000;

std::atomic<bool> g_output_problem_logged{false};

void LogOutputProblemOnce(const char* text, int value) {
  if (!g_output_problem_logged.exchange(true)) qInfo(text, value);
}

// One sound on the device: the sink and the bytes it reads.
struct Voice {
  std::unique_ptr<QBuffer> buffer;
  std::unique_ptr<QAudioSink> sink;
  qint64 length_ms = 0;
  QElapsedTimer started;

  ~Voice() {
    if (sink != nullptr) sink->stop();
  }
};

}  // namespace

// The sound playing now and the ones playing out; kept alive while the sinks
// read them.
struct EffectOutput::Voices {
  std::unique_ptr<Voice> current;
  std::vector<std::unique_ptr<Voice>> playing_out;

  void Clear() {
    current.reset();
    playing_out.clear();
  }
};

EffectOutput::EffectOutput() : voices_(std::make_unique<Voices>()) {}

EffectOutput::~EffectOutput() {
  if (thread_ == nullptr) return;
  Voices* voices = voices_.get();
  QMetaObject::invokeMethod(context_, [voices] { voices->Clear(); }, Qt::BlockingQueuedConnection);
  thread_->quit();
  thread_->wait();
  delete context_;
}

bool EffectOutput::Start(const WaveSound& sound) {
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return false;
  QAudioFormat format;
  format.setSampleRate(sound.sample_rate);
  format.setChannelCount(sound.channels);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) {
    LogOutputProblemOnce("Sound: the audio output does not take sound of %d Hz", sound.sample_rate);
    return false;
  }
  if (thread_ == nullptr) {
    thread_ = std::make_unique<QThread>();
    thread_->setObjectName(QStringLiteral("SoundEffects"));
    context_ = new QObject;
    context_->moveToThread(thread_.get());
    thread_->start();
  }
  length_ms_ = sound.DurationMs();
  start_time_.start();
  Voices* voices = voices_.get();
  QObject* context = context_;
  const QByteArray samples = sound.samples;
  const qint64 length_ms = length_ms_;
  QMetaObject::invokeMethod(
      context_,
      [voices, context, device, format, samples, length_ms] {
        if (voices->current != nullptr) {
          if (voices->current->started.elapsed() < voices->current->length_ms) {
            voices->current.reset();  // cut
          } else {
            Voice* done = voices->current.get();
            voices->playing_out.push_back(std::move(voices->current));
            QTimer::singleShot(kPlayOutMs, context, [voices, done] {
              std::erase_if(voices->playing_out, [done](const std::unique_ptr<Voice>& v) { return v.get() == done; });
            });
          }
        }
        auto voice = std::make_unique<Voice>();
        voice->buffer = std::make_unique<QBuffer>();
        voice->buffer->setData(samples);
        voice->buffer->open(QIODevice::ReadOnly);
        voice->sink = std::make_unique<QAudioSink>(device, format);
        voice->length_ms = length_ms;
        voice->started.start();
        voice->sink->start(voice->buffer.get());
        if (voice->sink->error() != QAudio::NoError) {
          LogOutputProblemOnce("Sound: the audio output could not be started (error %d)", int(voice->sink->error()));
          return;
        }
        voices->current = std::move(voice);
      },
      Qt::QueuedConnection);
  return true;
}

int EffectOutput::RemainingMs() const {
  if (!start_time_.isValid()) return 0;
  const qint64 rest = length_ms_ - start_time_.elapsed();
  return rest > 0 ? static_cast<int>(rest) : 0;
}

}  // namespace varnok
