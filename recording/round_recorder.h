// Filming a round: while a round is played the main window is grabbed every
// 100 ms, pictures equal to the one before are dropped, and when the round is
// over the pictures are written as one animated GIF into the folder "GIFGame"
// beside the program, named after the moment of saving
// ("2024.03.07-21.05.09.gif").
#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>

#include "gif_writer.h"

namespace varnok::recording {

inline constexpr int kMaxFrames = 250;        // a recording holds at most this many frames
inline constexpr int kFrameTimerMs = 100;     // the pace of the frame timer
inline constexpr int kLastFrameMs = 5000;     // how long the last picture of a file is shown
inline constexpr int kMinDelayMs = 10;
inline constexpr int kMaxDelayMs = 5000;
inline constexpr int kDefaultDelayMs = 1000;
inline constexpr const char* kFolderName = "GIFGame";

// The three options of the recording (settings SaveGames, GifCapture, GifDelay).
struct RecordingSettings {
  bool enabled = false;          // rounds are saved as animated pictures
  int capture = 1;               // 1 the main window's client area, 2 the screen inside its outer rectangle
  int delay_ms = kDefaultDelayMs;  // display time of every frame but the last
};

// The settings with the capture mode and the delay brought into their ranges
// (an unknown capture mode becomes 1, the delay is clamped to 10..5000).
RecordingSettings Sanitized(const RecordingSettings& settings);

// "YYYY.MM.DD-hh.nn.ss.gif" for the given moment.
QString RecordingFileName(const QDateTime& when);

// What SaveRecording did.
enum class SaveStatus {
  Saved,        // the file is written
  Off,          // recording is switched off: nothing written
  Empty,        // no frame was captured: nothing written
  FolderFailed, // the folder "GIFGame" could not be made
  EncodeFailed, // the frames could not be encoded
  WriteFailed,  // the file could not be written (nothing is left under its name)
};

struct SaveResult {
  SaveStatus status = SaveStatus::Empty;
  QString path;     // the file written, or the one that could not be written
  QString message;  // for the user, empty when the file was saved or nothing was due
  bool ok() const { return status == SaveStatus::Saved; }
};

// Which capture a frame is: the frame timer's, or the last picture of a
// round (taken by the scoring of the round), which may take the last place
// the frame timer leaves free.
enum class FrameKind { Tick, Final };

class RoundRecorder {
 public:
  RoundRecorder();
  RoundRecorder(const RoundRecorder&) = delete;
  RoundRecorder& operator=(const RoundRecorder&) = delete;

  void SetSettings(const RecordingSettings& settings);  // sanitised on the way in
  const RecordingSettings& Settings() const { return settings_; }

  // Where the frame timer gets its pictures (see GrabMainWindow in frame_grab.h).
  void SetFrameSource(std::function<QImage(int capture)> source);

  // Drops every frame, starts the frame timer and captures the first frame
  // from the frame source. Does nothing while recording is switched off.
  void StartRecording();

  // Adds a picture as the next frame. False when it is not kept: recording
  // is off, the recording is full, the picture is null or equal to the frame
  // before (same size, same pixels). The frame timer fills at most 249
  // frames; the 250th place is kept for the final picture of the round.
  bool CaptureFrame(const QImage& picture, FrameKind kind = FrameKind::Tick);

  // One tick of the frame timer: CaptureFrame with a picture of the source.
  bool CaptureFromSource(FrameKind kind = FrameKind::Tick);

  // Writes the recording into `program_folder`/GIFGame and ends it (the
  // frames are dropped and the frame timer stops, whatever the result). The
  // last frame is shown for 5 seconds. A file of the same name is never
  // replaced: "-2", "-3", ... is added before ".gif".
  SaveResult SaveRecording(const QString& program_folder, const QDateTime& when = QDateTime::currentDateTime());

  // Ends the recording without saving it.
  void Clear();

  int FrameCount() const { return encoder_.FrameCount(); }
  int FrameDelay(int index) const { return encoder_.Delay(index); }
  bool IsRecording() const { return timer_.isActive(); }
  // The last frame kept, as compared with the next picture.
  const QImage& LastFrame() const { return last_frame_; }

 private:
  RecordingSettings settings_;
  std::function<QImage(int)> source_;
  GifStreamEncoder encoder_;
  QImage last_frame_;
  QTimer timer_;
};

}  // namespace varnok::recording
