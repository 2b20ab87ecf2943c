#include "loader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMovie>
#include <QResource>

namespace varnok {

// The built-in resource bundle, linked into the program (builtin_data.cpp).
const unsigned char* BuiltinResourceData();

namespace {

const QString kBuiltinRoot = QStringLiteral("/varnok-builtin");

QString& ProgramFolderOverride() {
  static QString folder;
  return folder;
}

bool RegisterBuiltin() {
  static const bool registered = QResource::registerResource(BuiltinResourceData(), kBuiltinRoot);
  return registered;
}

// Each open library gets a map root of its own, so two open at once never meet.
QString NextLibraryRoot() {
  static int counter = 0;
  return QStringLiteral("/varnok-library-%1").arg(++counter);
}

bool LoadImage(const QString& name, const QString& library, const char* format, QImage& target) {
  QByteArray data;
  if (!LoadData(name, library, data)) return false;
  QImage image;
  if (!image.loadFromData(data, format)) return false;
  target = image;
  return true;
}

}  // namespace

void SetProgramFolder(const QString& folder) { ProgramFolderOverride() = folder; }

QString ProgramFolder() {
  const QString& folder = ProgramFolderOverride();
  return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

QString FindLibrary(const QString& library) {
  if (library.isEmpty() || library.contains(QLatin1Char('/'))) return {};
  const QDir program(ProgramFolder());
  for (const QString& candidate : {program.filePath(library), program.filePath(QStringLiteral("../") + library)}) {
    const QFileInfo info(candidate);
    if (info.isFile()) return info.absoluteFilePath();
  }
  return {};
}

bool LibraryPresent(const QString& library) { return !FindLibrary(library).isEmpty(); }

ResourceLibrary::ResourceLibrary(const QString& library) : library_(library) {
  if (library.isEmpty()) {
    root_ = kBuiltinRoot;
    open_ = RegisterBuiltin();
    return;
  }
  file_ = FindLibrary(library);
  if (file_.isEmpty()) return;
  root_ = NextLibraryRoot();
  open_ = QResource::registerResource(file_, root_);
}

ResourceLibrary::~ResourceLibrary() {
  if (open_ && !library_.isEmpty()) QResource::unregisterResource(file_, root_);
}

QString ResourceLibrary::Path(const QString& name) const {
  return QLatin1Char(':') + root_ + QLatin1Char('/') + name;
}

bool ResourceLibrary::Contains(const QString& name) const {
  if (!open_ || name.isEmpty()) return false;
  const QFileInfo info(Path(name));
  return info.exists() && info.isFile();
}

bool ResourceLibrary::Data(const QString& name, QByteArray& data) const {
  if (!Contains(name)) return false;
  QFile file(Path(name));
  if (!file.open(QIODevice::ReadOnly)) return false;
  data = file.readAll();
  return true;
}

QStringList ResourceLibrary::Names() const {
  if (!open_) return {};
  return QDir(QLatin1Char(':') + root_).entryList(QDir::Files, QDir::Name);
}

bool LoadData(const QString& name, const QString& library, QByteArray& data) {
  const ResourceLibrary open(library);
  return open.Data(name, data);
}

bool LoadBitmap(const QString& name, const QString& library, QImage& target) {
  return LoadImage(name, library, nullptr, target);
}

bool LoadPng(const QString& name, const QString& library, QImage& target) {
  return LoadImage(name, library, "PNG", target);
}

bool LoadJpeg(const QString& name, const QString& library, QImage& target) {
  return LoadImage(name, library, "JPEG", target);
}

bool LoadGif(const QString& name, const QString& library, QByteArray& data) {
  QByteArray bytes;
  if (!LoadData(name, library, bytes) || !bytes.startsWith("GIF8")) return false;
  data = bytes;
  return true;
}

bool LoadGif(const QString& name, const QString& library, QMovie& animation) {
  QByteArray bytes;
  if (!LoadGif(name, library, bytes)) return false;
  animation.stop();
  QIODevice* previous = animation.device();
  auto* buffer = new QBuffer(&animation);
  buffer->setData(bytes);
  buffer->open(QIODevice::ReadOnly);
  animation.setFormat("GIF");
  animation.setDevice(buffer);
  // A buffer of an earlier load belongs to the movie too; it is not needed any more.
  if (previous != nullptr && previous->parent() == &animation) delete previous;
  return animation.isValid();
}

QString BuiltinResourcePath(const QString& name) {
  const ResourceLibrary builtin(QString{});
  return builtin.Contains(name) ? builtin.Path(name) : QString();
}

}  // namespace varnok
