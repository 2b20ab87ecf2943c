// The resource manifest: the text files under resources/manifest/ that list
// every picture and sound the program loads, with its kind, its size where it
// is fixed, the place it lives (built in or a resource library) and the source
// the resource builder makes it from. See resources/README.md for the format.
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace varnok {

enum class ResourceKind { Bitmap, Png, Gif, Jpeg, Wav, Midi, Cursor, Data };

// "bitmap", "png", "gif", "jpeg", "wav", "midi", "cursor", "data".
QString ResourceKindName(ResourceKind kind);
std::optional<ResourceKind> ParseResourceKind(const QString& word);
// Whether the kind is a still picture that the builder can render and check the size of.
bool IsPictureKind(ResourceKind kind);

struct ManifestEntry {
  QString name;         // the resource name the program asks for
  ResourceKind kind = ResourceKind::Data;
  QSize size;           // invalid when the size is not fixed
  QString library;      // "" for the program's own resources, else the library file
  QString source;       // "deck", "back", "@generator/file" or a file under resources/
  QString file;         // manifest file and line, for messages
  int line = 0;

  bool IsBuiltin() const { return library.isEmpty(); }
  // "builtin" or the library file name.
  QString Place() const { return library.isEmpty() ? QStringLiteral("builtin") : library; }
};

// "generate NAME SCRIPT [INPUT ...]": a script run by the build that writes
// files into its own output folder; entries name them as "@NAME/file".
struct ManifestGenerator {
  QString name;
  QString script;       // path under resources/
  QStringList inputs;   // further files under resources/ it reads
  QString file;
  int line = 0;
};

struct Manifest {
  QList<ManifestEntry> entries;
  QList<ManifestGenerator> generators;
  QStringList errors;  // "file:line: message"; empty when the manifest is sound

  // Entries of one place ("" = built in), in manifest order.
  QList<ManifestEntry> EntriesOf(const QString& library) const;
  const ManifestEntry* Find(const QString& name, const QString& library) const;
};

// Expands every "{a,b,c}" group into its alternatives, left to right:
// "{Ch,Bu}{09,10}Mod" gives Ch09Mod, Ch10Mod, Bu09Mod, Bu10Mod. An empty
// alternative is allowed ("Ob01Mo{,B}"). Groups do not nest. Sets *error and
// returns nothing on an unbalanced brace.
QStringList ExpandBraces(const QString& pattern, QString* error = nullptr);

// Parses one manifest text; file_label names it in the errors.
Manifest ParseManifest(const QString& text, const QString& file_label);
// Reads and parses every *.txt file of a folder in name order; a name given
// twice for the same place, in one file or in two, is an error.
Manifest ReadManifestFolder(const QString& folder);

}  // namespace varnok
