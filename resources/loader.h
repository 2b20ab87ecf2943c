// Loading named pictures and data from the program's own resources or from a
// resource library file beside the program.
//
// A library is a Qt binary resource bundle. It is looked for in the program's
// folder and then in its parent folder (where fetched libraries are stored);
// while a picture is read it is registered under a private map root, and it
// is released again right after. A missing library or a missing name makes a
// load return false without any message: the caller decides what to show.
// An empty library name means the program's own (built-in) resources.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QMovie;

namespace varnok {

// The folder searched first for libraries; by default the program's folder
// (QCoreApplication::applicationDirPath()). Tests and tools may point it
// elsewhere; an empty folder restores the default.
void SetProgramFolder(const QString& folder);
QString ProgramFolder();

// Full path of a library file found in the program's folder or its parent
// folder, in that order; "" when it is in neither.
QString FindLibrary(const QString& library);
bool LibraryPresent(const QString& library);

// An open library (or the built-in resources): registered on construction,
// released on destruction. Use it to read many names from one library.
class ResourceLibrary {
 public:
  explicit ResourceLibrary(const QString& library);
  ~ResourceLibrary();
  ResourceLibrary(const ResourceLibrary&) = delete;
  ResourceLibrary& operator=(const ResourceLibrary&) = delete;

  // False when the library file was not found or is not a resource bundle.
  bool IsOpen() const { return open_; }
  bool Contains(const QString& name) const;
  // The raw bytes of a name; false when the library is not open or lacks it.
  bool Data(const QString& name, QByteArray& data) const;
  // The names the library holds, sorted.
  QStringList Names() const;
  // The resource path of a name (":/..."); valid only while this object lives,
  // or always for the built-in resources.
  QString Path(const QString& name) const;

 private:
  QString library_;
  QString file_;
  QString root_;
  bool open_ = false;
};

// A picture of any format Qt reads (bitmaps are stored as PNG or BMP).
bool LoadBitmap(const QString& name, const QString& library, QImage& target);
// A PNG picture.
bool LoadPng(const QString& name, const QString& library, QImage& target);
// A JPEG picture.
bool LoadJpeg(const QString& name, const QString& library, QImage& target);
// A GIF animation as its bytes.
bool LoadGif(const QString& name, const QString& library, QByteArray& data);
// A GIF animation into a movie, which keeps its own copy of the bytes (the
// library is released before the movie plays). The movie is not started.
bool LoadGif(const QString& name, const QString& library, QMovie& animation);
// The raw bytes of any resource (sounds, music, cursors, texts).
bool LoadData(const QString& name, const QString& library, QByteArray& data);

// The resource path (":/...") of a built-in name, valid for the program's whole
// run; "" when there is no such built-in resource. For players that take a
// path or a "qrc:" URL.
QString BuiltinResourcePath(const QString& name);

}  // namespace varnok
