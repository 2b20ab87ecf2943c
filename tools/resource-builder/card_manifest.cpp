// The card section of the manifest, written from the naming rules: for every
// place, the faces, suit signs and backs that LoadFaces and LoadBacks ask for.
#include <QString>
#include <QStringList>
#include <cstdio>

#include "names.h"
#include "stage.h"

namespace varnok::builder {

namespace {

// Whether some design of the same place uses `code` through `use`.
template <typename Use>
bool CodeUsed(const std::string& library, const std::string& code, Use use) {
  for (int d = 0; d < kFaceDesigns; ++d) {
    if (FaceLibrary(d) == library && use(d) == code) return true;
  }
  return false;
}

void Line(const QString& names, const char* kind, const QString& size, const QString& place, const char* source) {
  std::printf("%-44s %-6s %-7s %-15s %s\n", qPrintable(names), kind, qPrintable(size), qPrintable(place), source);
}

void PrintFaceDesign(int d) {
  const std::string library = FaceLibrary(d);
  const std::string code = FaceDesignCode(d);
  const QString place = library.empty() ? QStringLiteral("builtin") : QString::fromStdString(library);
  const bool full = IsFullWidthDesign(d);
  const QString large = full ? QStringLiteral("146x198") : QStringLiteral("126x198");

  QStringList ranks;
  const bool numbers = CodeUsed(library, code, NumberCode);
  const bool aces = CodeUsed(library, code, AceCode);
  if (numbers) ranks << QStringLiteral("09");
  ranks << QStringLiteral("2J") << QStringLiteral("3Q") << QStringLiteral("4K");
  if (numbers) ranks << QStringLiteral("10");
  if (aces) ranks << QStringLiteral("5A");

  std::printf("\n# Face design %d%s, %s, %s%s\n", d, d == 0 ? "" : qPrintable(QStringLiteral(" \"%1\"").arg(QString::fromStdString(code))),
              d == 0 ? "built in" : library.c_str(), full ? "full width" : "narrow",
              numbers && aces ? "" : qPrintable(QStringLiteral("; nines and tens from \"%1\", aces from \"%2\"")
                                                    .arg(QString::fromStdString(NumberCode(d)), QString::fromStdString(AceCode(d)))));
  const QString faces = QStringLiteral("{Ch,Bu,Kr,Pi}{%1}%2").arg(ranks.join(QLatin1Char(',')), QString::fromStdString(code));
  const char* small_kind = d == 0 ? "bitmap" : "png";
  Line(faces, small_kind, QStringLiteral("69x94"), place, "deck");
  Line(faces + QLatin1Char('B'), "png", large, place, "deck");
  if (CodeUsed(library, code, SuitSignCode)) {
    const QString signs = QStringLiteral("{Cher,Bubi,Kres,Piki}") + QString::fromStdString(code);
    Line(signs, small_kind, QStringLiteral("20x20"), place, "deck");
    Line(signs + QLatin1Char('B'), "png", QStringLiteral("40x40"), place, "deck");
  }
}

void PrintBackDesign(int b) {
  QStringList days;
  for (int n = 1; n <= BackCount(b); ++n) days << QString::fromStdString(BackDayName(n)).mid(2);
  const QString names = QStringLiteral("Ob{%1}%2").arg(days.join(QLatin1Char(',')), QString::fromStdString(BackDesignCode(b)));
  if (b == 0) {
    std::printf("\n# Back design 0, built in (its narrow large backs are in %s)\n", kCardsLibraryB);
  } else {
    std::printf("\n# Back design %d \"%s\"\n", b, BackDesignCode(b).c_str());
  }
  for (const int set : {kCardSetNormal, kCardSetLarge}) {
    for (const bool full : {true, false}) {
      if (set == kCardSetNormal && !full) continue;
      const std::string library = BackLibrary(b, set, full);
      const QString place = library.empty() ? QStringLiteral("builtin") : QString::fromStdString(library);
      const QString size = set == kCardSetNormal ? QStringLiteral("69x94") : full ? QStringLiteral("146x198") : QStringLiteral("126x198");
      const char* kind = b == 0 && set == kCardSetNormal ? "bitmap" : "png";
      Line(names + QString::fromStdString(BackSizeSuffix(set, full)), kind, size, place, "back");
    }
  }
}

}  // namespace

int PrintCardManifest() {
  std::printf(
      "# Card faces, suit signs and backs: every name LoadFaces and LoadBacks ask for.\n"
      "# Written by `resource-builder card-manifest` from the naming rules; the\n"
      "# pictures are drawn from the decks and recipes of cards/decks.txt.\n"
      "# Faces in the libraries are stored inverted inside the ellipse that the\n"
      "# program inverts after loading them.\n");
  for (int d = 0; d < kFaceDesigns; ++d) PrintFaceDesign(d);
  for (int b = 0; b < kBackDesigns; ++b) PrintBackDesign(b);
  return 0;
}

}  // namespace varnok::builder
