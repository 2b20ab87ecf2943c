#include "round_recorder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "words.h"

namespace varnok::recording {

namespace {

// The picture in the form frames are compared in: 32-bit RGB.
QImage Comparable(const QImage& picture) {
  return picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

// The first name of "stem.gif", "stem-2.gif", "stem-3.gif", ... that is free.
QString FreePath(const QDir& folder, const QString& name) {
  QString path = folder.filePath(name);
  const QString stem = name.chopped(4);
  for (int n = 2; QFileInfo::exists(path) && n < 1000; ++n) {
    path = folder.filePath(QStringLiteral("%1-%2.gif").arg(stem).arg(n));
  }
  return path;
}

QString DiskError(const QString& detail) {
  return QStringLiteral("%1 %2").arg(i18n::Text(i18n::WordsMain, 97), detail);
}

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Writes `bytes` to a fresh temporary file beside `path` (made exclusively,
// never through a link), puts it on the disk and renames it to `path`.
// Empty on success, else the system's reason (a full disk says so); nothing
// is left behind.
QString WriteWhole(const QString& path, const QByteArray& bytes) {
  const QByteArray target = QFile::encodeName(path);
  QByteArray temporary;
  int fd = -1;
  for (int n = 1; n < 100 && fd < 0; ++n) {
    temporary = target + '.' + QByteArray::number(::getpid()) + '-' + QByteArray::number(n) + ".tmp";
    fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return SystemReason(errno);
  }
  if (fd < 0) return SystemReason(EEXIST);
  int error = 0;
  qsizetype done = 0;
  while (error == 0 && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    else if (n == 0) error = EIO;
    else done += n;
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.constData());
    return SystemReason(error);
  }
  return {};
}

}  // namespace

RecordingSettings Sanitized(const RecordingSettings& settings) {
  RecordingSettings out = settings;
  if (out.capture != 1 && out.capture != 2) out.capture = 1;
  out.delay_ms = std::clamp(out.delay_ms, kMinDelayMs, kMaxDelayMs);
  return out;
}

QString RecordingFileName(const QDateTime& when) {
  return when.toString(QStringLiteral("yyyy.MM.dd-hh.mm.ss")) + QStringLiteral(".gif");
}

RoundRecorder::RoundRecorder() {
  timer_.setInterval(kFrameTimerMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { CaptureFromSource(); });
}

void RoundRecorder::SetSettings(const RecordingSettings& settings) { settings_ = Sanitized(settings); }

void RoundRecorder::SetFrameSource(std::function<QImage(int capture)> source) { source_ = std::move(source); }

void RoundRecorder::StartRecording() {
  if (!settings_.enabled) return;
  Clear();
  timer_.start();
  CaptureFromSource();
}

bool RoundRecorder::CaptureFrame(const QImage& picture, FrameKind kind) {
  if (!settings_.enabled || picture.isNull()) return false;
  // The frame timer leaves the last place free for the round's final picture.
  const int limit = kind == FrameKind::Final ? kMaxFrames : kMaxFrames - 1;
  if (FrameCount() >= limit) return false;
  QImage frame = Comparable(picture);
  if (FrameCount() > 0 && frame == last_frame_) return false;
  QString error;
  if (!encoder_.AddFrame(frame, settings_.delay_ms, &error)) {
    qWarning("A frame of the round's recording is dropped: %s", qPrintable(error));
    return false;
  }
  last_frame_ = std::move(frame);
  return true;
}

bool RoundRecorder::CaptureFromSource(FrameKind kind) {
  if (!settings_.enabled || !source_) return false;
  return CaptureFrame(source_(settings_.capture), kind);
}

void RoundRecorder::Clear() {
  timer_.stop();
  encoder_.Clear();
  last_frame_ = QImage();
}

SaveResult RoundRecorder::SaveRecording(const QString& program_folder, const QDateTime& when) {
  SaveResult result;
  if (!settings_.enabled) {
    Clear();
    result.status = SaveStatus::Off;
    return result;
  }
  if (FrameCount() == 0) {
    Clear();
    result.status = SaveStatus::Empty;
    return result;
  }
  QDir folder(program_folder);
  if (!folder.mkpath(QString::fromLatin1(kFolderName)) || !folder.cd(QString::fromLatin1(kFolderName))) {
    Clear();
    result.status = SaveStatus::FolderFailed;
    result.path = folder.filePath(QString::fromLatin1(kFolderName));
    result.message = DiskError(QStringLiteral("Cannot make the folder %1").arg(QDir::toNativeSeparators(result.path)));
    return result;
  }
  result.path = FreePath(folder, RecordingFileName(when));

  encoder_.SetDelay(FrameCount() - 1, kLastFrameMs);
  QByteArray gif;
  QString error;
  const bool encoded = encoder_.Finish(gif, &error);
  Clear();
  if (!encoded) {
    result.status = SaveStatus::EncodeFailed;
    result.message = DiskError(QStringLiteral("Cannot encode %1: %2").arg(QDir::toNativeSeparators(result.path), error));
    return result;
  }
  // The file appears under its name only once it is complete.
  const QString reason = WriteWhole(result.path, gif);
  if (!reason.isEmpty()) {
    result.status = SaveStatus::WriteFailed;
    result.message = DiskError(QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(result.path), reason));
    return result;
  }
  result.status = SaveStatus::Saved;
  return result;
}

}  // namespace varnok::recording
