#include "manifest.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

#include "names.h"

namespace varnok {

namespace {

struct KindWord {
  ResourceKind kind;
  const char* word;
};

constexpr KindWord kKindWords[] = {
    {ResourceKind::Bitmap, "bitmap"}, {ResourceKind::Png, "png"},   {ResourceKind::Gif, "gif"},
    {ResourceKind::Jpeg, "jpeg"},     {ResourceKind::Wav, "wav"},   {ResourceKind::Midi, "midi"},
    {ResourceKind::Cursor, "cursor"}, {ResourceKind::Data, "data"},
};

QString Where(const QString& file, int line) { return file + QLatin1Char(':') + QString::number(line) + QStringLiteral(": "); }

bool KnownLibrary(const QString& name) {
  for (const std::string& file : ResourceLibraryFiles()) {
    if (name == QString::fromStdString(file)) return true;
  }
  return false;
}

// Names are plain: letters, digits and '_' (the builder writes them as file names).
bool ValidName(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_]+$"));
  return pattern.match(name).hasMatch();
}

void AddDuplicateErrors(Manifest& manifest) {
  QHash<QString, const ManifestEntry*> seen;
  for (const ManifestEntry& entry : manifest.entries) {
    const QString key = entry.Place() + QLatin1Char('/') + entry.name;
    auto it = seen.constFind(key);
    if (it != seen.constEnd()) {
      manifest.errors << Where(entry.file, entry.line) + QStringLiteral("\"%1\" is already listed for %2 at %3:%4")
                                                           .arg(entry.name, entry.Place(), (*it)->file)
                                                           .arg((*it)->line);
    } else {
      seen.insert(key, &entry);
    }
  }
}

}  // namespace

QString ResourceKindName(ResourceKind kind) {
  for (const KindWord& k : kKindWords) {
    if (k.kind == kind) return QString::fromLatin1(k.word);
  }
  return {};
}

std::optional<ResourceKind> ParseResourceKind(const QString& word) {
  for (const KindWord& k : kKindWords) {
    if (word == QLatin1String(k.word)) return k.kind;
  }
  return std::nullopt;
}

bool IsPictureKind(ResourceKind kind) {
  return kind == ResourceKind::Bitmap || kind == ResourceKind::Png || kind == ResourceKind::Jpeg;
}

QList<ManifestEntry> Manifest::EntriesOf(const QString& library) const {
  QList<ManifestEntry> result;
  for (const ManifestEntry& entry : entries) {
    if (entry.library == library) result << entry;
  }
  return result;
}

const ManifestEntry* Manifest::Find(const QString& name, const QString& library) const {
  for (const ManifestEntry& entry : entries) {
    if (entry.name == name && entry.library == library) return &entry;
  }
  return nullptr;
}

QStringList ExpandBraces(const QString& pattern, QString* error) {
  QStringList results{QString()};
  int i = 0;
  while (i < pattern.size()) {
    const QChar c = pattern[i];
    if (c == QLatin1Char('}')) {
      if (error) *error = QStringLiteral("unbalanced '}' in \"%1\"").arg(pattern);
      return {};
    }
    if (c != QLatin1Char('{')) {
      for (QString& r : results) r += c;
      ++i;
      continue;
    }
    const int close = pattern.indexOf(QLatin1Char('}'), i + 1);
    const int nested = pattern.indexOf(QLatin1Char('{'), i + 1);
    if (close < 0 || (nested >= 0 && nested < close)) {
      if (error) *error = QStringLiteral("unbalanced '{' in \"%1\"").arg(pattern);
      return {};
    }
    const QStringList alternatives = pattern.mid(i + 1, close - i - 1).split(QLatin1Char(','));
    QStringList next;
    for (const QString& r : results) {
      for (const QString& a : alternatives) next << r + a;
    }
    results = next;
    i = close + 1;
  }
  return results;
}

namespace {

void ParseInto(Manifest& manifest, const QString& text, const QString& file_label) {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  // A comment starts with '#' at the start of a line or after a blank.
  static const QRegularExpression kComment(QStringLiteral("(^|\\s)#.*$"));
  static const QRegularExpression size_pattern(QStringLiteral("^(\\d+)x(\\d+)$"));
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (int n = 0; n < lines.size(); ++n) {
    QString line = lines[n];
    line.remove(kComment);
    line = line.trimmed();
    if (line.isEmpty()) continue;
    const QStringList fields = line.split(blanks);
    const int line_no = n + 1;
    const QString where = Where(file_label, line_no);

    if (fields[0] == QLatin1String("generate")) {
      if (fields.size() < 3) {
        manifest.errors << where + QStringLiteral("\"generate\" needs a name and a script");
        continue;
      }
      ManifestGenerator generator{fields[1], fields[2], fields.mid(3), file_label, line_no};
      if (!ValidName(generator.name)) manifest.errors << where + QStringLiteral("bad generator name \"%1\"").arg(generator.name);
      manifest.generators << generator;
      continue;
    }
    if (fields.size() != 5) {
      manifest.errors << where + QStringLiteral("expected NAME KIND SIZE PLACE SOURCE, got %1 fields").arg(fields.size());
      continue;
    }
    const std::optional<ResourceKind> kind = ParseResourceKind(fields[1]);
    if (!kind) {
      manifest.errors << where + QStringLiteral("unknown kind \"%1\"").arg(fields[1]);
      continue;
    }
    QSize size;
    if (fields[2] != QLatin1String("-")) {
      const QRegularExpressionMatch m = size_pattern.match(fields[2]);
      if (!m.hasMatch() || m.captured(1).toInt() <= 0 || m.captured(2).toInt() <= 0) {
        manifest.errors << where + QStringLiteral("bad size \"%1\" (WIDTHxHEIGHT or -)").arg(fields[2]);
        continue;
      }
      size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    }
    QString library;
    if (fields[3] != QLatin1String("builtin")) {
      if (!KnownLibrary(fields[3])) {
        manifest.errors << where + QStringLiteral("unknown place \"%1\"").arg(fields[3]);
        continue;
      }
      library = fields[3];
    }
    QString expand_error;
    const QStringList names = ExpandBraces(fields[0], &expand_error);
    if (!expand_error.isEmpty()) {
      manifest.errors << where + expand_error;
      continue;
    }
    for (const QString& name : names) {
      if (!ValidName(name)) {
        manifest.errors << where + QStringLiteral("bad resource name \"%1\"").arg(name);
        continue;
      }
      manifest.entries << ManifestEntry{name, *kind, size, library, fields[4], file_label, line_no};
    }
  }
}

}  // namespace

Manifest ParseManifest(const QString& text, const QString& file_label) {
  Manifest manifest;
  ParseInto(manifest, text, file_label);
  AddDuplicateErrors(manifest);
  return manifest;
}

Manifest ReadManifestFolder(const QString& folder) {
  Manifest all;
  QDir dir(folder);
  QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
  if (!dir.exists()) all.errors << QStringLiteral("%1: no such folder").arg(folder);
  for (const QString& name : files) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
      all.errors << QStringLiteral("%1: cannot read").arg(file.fileName());
      continue;
    }
    ParseInto(all, QString::fromUtf8(file.readAll()), QStringLiteral("manifest/") + name);
  }
  AddDuplicateErrors(all);
  return all;
}

}  // namespace varnok
