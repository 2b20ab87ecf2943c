#include "licences.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <cstdio>

#include "names.h"
#include "stage.h"

namespace varnok::builder {

namespace {

QString DeckLine(const DeckSource& deck) {
  return QStringLiteral("%1 (%2, Debian package %3, licence %4)").arg(deck.title, deck.file, deck.package, deck.licence);
}

QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

QString LicenceText(const QString& resources, const DeckTable& table, const QString& place) {
  QString text = QStringLiteral(
                     "Varnok resources: %1\n\n"
                     "Varnok is free software under the GNU General Public License, version 3 or\n"
                     "(at your option) any later version. The pictures its resource builder draws\n"
                     "from its own recipes are under the same licence.\n")
                     .arg(place);
  const QString library = place == QLatin1String("builtin") ? QString() : place;
  QSet<QString> packages;
  QString designs;
  for (int design = 0; design < kFaceDesigns; ++design) {
    if (QString::fromStdString(FaceLibrary(design)) != library || !table.faces.contains(design)) continue;
    const DeckSource* deck = table.DeckOfFace(design);
    if (deck == nullptr) continue;
    designs += QStringLiteral("  face design %1 \"%2\": %3\n")
                   .arg(design)
                   .arg(QString::fromStdString(FaceDesignCode(design)), DeckLine(*deck));
    packages.insert(deck->package);
  }
  // Back design 0 lives in the program for set 1 and full width, in
  // ZubCards06B.dll for the narrow large backs; the others all in ZubCards06B.dll.
  for (int design = 0; design < kBackDesigns; ++design) {
    const bool here = library == QLatin1String(kCardsLibraryB) || (design == 0 && library.isEmpty());
    if (!here || !table.backs.contains(design)) continue;
    const QStringList backs = table.backs.value(design).backs;
    for (int n = 0; n < backs.size(); ++n) {
      if (!backs[n].startsWith(QLatin1String("deck:"))) continue;
      const QString id = backs[n].mid(5).section(QLatin1Char('/'), 0, 0);
      if (!table.decks.contains(id)) continue;
      designs += QStringLiteral("  back \"%1\" of back design %2: %3\n")
                     .arg(QString::fromStdString(BackDayName(n + 1)))
                     .arg(design)
                     .arg(DeckLine(table.decks.value(id)));
      packages.insert(table.decks.value(id).package);
    }
  }
  const bool cards = library.isEmpty() || library == QLatin1String(kCardsLibraryA) ||
                     library == QLatin1String(kCardsLibraryB) || library == QLatin1String(kCardsLibraryC);
  if (!designs.isEmpty()) {
    text += QStringLiteral("\nCard pictures drawn from free SVG decks:\n") + designs;
  }
  if (cards) {
    text += QStringLiteral(
        "\nSuit signs are drawn from the glyphs of the DejaVu Sans font (Debian package\n"
        "fonts-dejavu-core); the emblems of some backs from the Symbola font (Debian\n"
        "package fonts-symbola, free for any use).\n");
    packages.insert(QStringLiteral("fonts-dejavu-core"));
    packages.insert(QStringLiteral("fonts-symbola"));
  }
  if (library.isEmpty()) {
    text += QStringLiteral(
        "\nThe small country flags are the famfamfam flag icons (Debian package\n"
        "famfamfam-flag-png, public domain); every other picture of the table is\n"
        "drawn for this program.\n");
    packages.insert(QStringLiteral("famfamfam-flag-png"));
  }
  QStringList sorted(packages.begin(), packages.end());
  sorted.sort();
  for (const QString& package : sorted) {
    const QString copyright = ReadText(QDir(resources).filePath(QStringLiteral("licenses/%1.copyright").arg(package)));
    text += QStringLiteral("\n======== Debian package %1: copyright and licence ========\n\n").arg(package) + copyright;
  }
  return text;
}

int RunLicences(const QString& resources, const QString& out) {
  const DeckTable table = ReadDeckTable(QDir(resources).filePath(QStringLiteral("cards/decks.txt")));
  for (const QString& error : table.errors) std::fprintf(stderr, "resource-builder: %s\n", qPrintable(error));
  if (!table.errors.isEmpty()) return 1;
  QDir().mkpath(out);
  QStringList places{QStringLiteral("builtin")};
  for (const std::string& library : ResourceLibraryFiles()) places << QString::fromStdString(library);
  for (const QString& place : places) {
    QFile file(QDir(out).filePath(place + QStringLiteral(".txt")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(LicenceText(resources, table, place).toUtf8()) < 0) {
      std::fprintf(stderr, "resource-builder: cannot write %s\n", qPrintable(file.fileName()));
      return 1;
    }
  }
  return 0;
}

}  // namespace varnok::builder
