#include "deck_table.h"

#include <QFile>
#include <QRegularExpression>

#include "names.h"

namespace varnok::builder {

const DeckSource* DeckTable::DeckOfFace(int design) const {
  auto face = faces.constFind(design);
  if (face == faces.constEnd()) return nullptr;
  auto deck = decks.constFind(face->deck);
  return deck == decks.constEnd() ? nullptr : &*deck;
}

DeckTable ReadDeckTable(const QString& path) {
  DeckTable table;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    table.errors << path + QStringLiteral(": cannot read");
    return table;
  }
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  // A comment starts with '#' at the start of a line or after a blank ("#1F3F8F" is a colour).
  static const QRegularExpression kComment(QStringLiteral("(^|\\s)#.*$"));
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  for (int n = 0; n < lines.size(); ++n) {
    QString line = lines[n];
    line.remove(kComment);
    const QStringList f = line.trimmed().split(blanks, Qt::SkipEmptyParts);
    if (f.isEmpty()) continue;
    const QString where = QStringLiteral("%1:%2: ").arg(path).arg(n + 1);
    if (f[0] == QLatin1String("deck") && f.size() >= 5) {
      DeckSource deck{f[1], f[2], f[3], f[4], f.mid(5).join(QLatin1Char(' ')), 0.015};
      for (const QString& word : f.mid(5)) {
        if (word.startsWith(QLatin1String("inset="))) deck.inset = word.mid(6).toDouble() / 100.0;
      }
      deck.title.remove(QRegularExpression(QStringLiteral("\\s*inset=\\S+")));
      table.decks.insert(deck.id, deck);
    } else if (f[0] == QLatin1String("face") && f.size() >= 3) {
      FaceDesignSource face{f[1].toInt(), f[2], false, false};
      for (const QString& option : f.mid(3)) {
        if (option == QLatin1String("ivory")) {
          face.ivory = true;
        } else if (option == QLatin1String("four-colour")) {
          face.four_colour = true;
        } else {
          table.errors << where + QStringLiteral("unknown face option \"%1\"").arg(option);
        }
      }
      if (face.design < 0 || face.design >= kFaceDesigns) table.errors << where + QStringLiteral("no such face design");
      table.faces.insert(face.design, face);
    } else if (f[0] == QLatin1String("back") && f.size() >= 3) {
      BackDesignSource back{f[1].toInt(), f.mid(2)};
      if (back.design < 0 || back.design >= kBackDesigns) {
        table.errors << where + QStringLiteral("no such back design");
      } else if (back.backs.size() != BackCount(back.design)) {
        table.errors << where + QStringLiteral("back design %1 needs %2 backs, got %3")
                                    .arg(back.design)
                                    .arg(BackCount(back.design))
                                    .arg(back.backs.size());
      }
      table.backs.insert(back.design, back);
    } else {
      table.errors << where + QStringLiteral("cannot read the line");
    }
  }
  for (const FaceDesignSource& face : table.faces) {
    if (!table.decks.contains(face.deck)) {
      table.errors << path + QStringLiteral(": face design %1 names the unknown deck \"%2\"").arg(face.design).arg(face.deck);
    }
  }
  return table;
}

}  // namespace varnok::builder
