// The resource libraries the program may fetch from DATA/download/: at start
// the server copies the libraries of a folder (the build's, by default none)
// there, each beside a "<name>.sha256" file in sha256sum's form, so that the
// download page of a fresh copy finds every library with its digest.
#pragma once

#include <QString>
#include <QStringList>

namespace varnok::server {

// The names of the files taken from the folder: resource libraries
// ("Zub*.dll") and the radio's disk list ("ZubRadio.rad").
bool IsPublishedLibraryName(const QString& name);

struct ShelfResult {
  QStringList published;  // every library now in download/ from the folder
  QStringList copied;     // those copied anew (new or changed)
  QString error;          // empty when all went well
};

// Copies the libraries of `source` into DATA/download/ (each written to a
// temporary file and renamed into place, so that a reader never sees half a
// file; an unchanged library is left as it is) and writes their digests.
// A library that cannot be copied keeps the old one and is named in `error`.
ShelfResult PublishLibraries(const QString& data_folder, const QString& source);

}  // namespace varnok::server
