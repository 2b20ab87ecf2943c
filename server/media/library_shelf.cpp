#include "library_shelf.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace varnok::server {

namespace {

// The digest of a file, or nothing when it cannot be read.
QByteArray Digest(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!hash.addData(&file)) return {};
  return hash.result().toHex();
}

bool WriteWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool CopyWhole(const QString& from, const QString& to) {
  QFile input(from);
  if (!input.open(QIODevice::ReadOnly)) return false;
  QSaveFile output(to);
  if (!output.open(QIODevice::WriteOnly)) return false;
  char buffer[1 << 16];
  for (;;) {
    const qint64 got = input.read(buffer, sizeof buffer);
    if (got < 0 || (got > 0 && output.write(buffer, got) != got)) {
      output.cancelWriting();
      return false;
    }
    if (got == 0) break;
  }
  return output.commit();
}

}  // namespace

bool IsPublishedLibraryName(const QString& name) {
  static const QRegularExpression kLibrary(QStringLiteral("^Zub[A-Za-z0-9_]{1,60}\\.dll$"));
  return kLibrary.match(name).hasMatch() || name == QLatin1String("ZubRadio.rad");
}

ShelfResult PublishLibraries(const QString& data_folder, const QString& source) {
  ShelfResult result;
  const QDir from(source);
  if (!from.exists()) {
    result.error = QStringLiteral("the library folder %1 does not exist").arg(source);
    return result;
  }
  const QDir shelf(QDir(data_folder).filePath(QStringLiteral("download")));
  if (!QDir().mkpath(shelf.path())) {
    result.error = QStringLiteral("cannot make %1").arg(shelf.path());
    return result;
  }
  QStringList failed;
  for (const QFileInfo& info : from.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
    const QString name = info.fileName();
    if (!IsPublishedLibraryName(name)) continue;
    const QByteArray digest = Digest(info.filePath());
    const QString target = shelf.filePath(name);
    const bool same = QFileInfo(target).size() == info.size() && Digest(target) == digest;
    if (digest.isEmpty() || (!same && !CopyWhole(info.filePath(), target))) {
      failed << name;
      continue;
    }
    // A copy cut short by a full disk can still be renamed into place (the
    // last flush's failure is not always reported): read it back, and take a
    // copy that differs off the shelf rather than offer it.
    if (!same && Digest(target) != digest) {
      QFile::remove(target);
      failed << name;
      continue;
    }
    if (!same) result.copied << name;
    const QByteArray line = digest + "  " + name.toLatin1() + '\n';
    if (!WriteWhole(target + QStringLiteral(".sha256"), line)) {
      failed << name + QStringLiteral(".sha256");
      continue;
    }
    result.published << name;
  }
  if (!failed.isEmpty()) result.error = QStringLiteral("not published: %1").arg(failed.join(QStringLiteral(", ")));
  return result;
}

}  // namespace varnok::server
