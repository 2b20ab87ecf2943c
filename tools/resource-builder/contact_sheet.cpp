// varnok-contact-sheet: one picture of every card design and back as the
// program shows them. Everything is read through the program's own loader
// from the built-in resources and the built libraries, and library faces get
// the program's ellipse inversion, so a face that would look wrong in the
// game looks wrong here too. A name that does not load is drawn as a red box.
//
//   varnok-contact-sheet [--app-dir DIR] [--out FILE]   (default /tmp/contact-sheet.png)
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <cstdio>

#include "cards.h"
#include "face_ellipse.h"
#include "loader.h"
#include "names.h"

namespace {

using namespace varnok;

const QColor kTable(28, 86, 50);
int missing = 0;

// The deck named for each face design in the card table, for the labels.
QHash<int, QString> FaceDecks() {
  QHash<int, QString> decks;
  QFile file(QStringLiteral(VARNOK_RESOURCES_SOURCE_DIR "/cards/decks.txt"));
  if (!file.open(QIODevice::ReadOnly)) return decks;
  static const QRegularExpression face(QStringLiteral("^face\\s+(\\d+)\\s+(.*)$"));
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const QRegularExpressionMatch m = face.match(line.trimmed());
    if (m.hasMatch()) decks.insert(m.captured(1).toInt(), m.captured(2));
  }
  return decks;
}

void Missing(QPainter& p, const QRect& box, const QString& name) {
  ++missing;
  std::fprintf(stderr, "missing: %s\n", qPrintable(name));
  p.fillRect(box, QColor(200, 0, 0));
  p.setPen(Qt::white);
  p.drawText(box, Qt::AlignCenter | Qt::TextWrapAnywhere, name);
}

// A normal-size picture in the table's 71 x 96 black frame with cut corners.
void DrawNormal(QPainter& p, int x, int y, const QImage& picture) {
  QImage card(71, 96, QImage::Format_ARGB32);
  card.fill(Qt::black);
  {
    QPainter c(&card);
    c.drawImage(1, 1, picture);
  }
  const QPoint corners[] = {{0, 0}, {1, 0}, {0, 1}, {69, 0}, {70, 0}, {70, 1}, {0, 95}, {1, 95}, {0, 94}, {69, 95}, {70, 95}, {70, 94}};
  for (const QPoint& at : corners) card.setPixel(at, qRgba(0, 0, 0, 0));
  p.drawImage(x, y, card);
}

bool LoadFace(const std::string& name, int design, int set, QImage& picture) {
  const QString library = QString::fromStdString(FaceLibrary(design));
  const QString qname = QString::fromStdString(name);
  const bool ok = design == 0 && set == kCardSetNormal ? LoadBitmap(qname, library, picture) : LoadPng(qname, library, picture);
  if (ok && design > 0) InvertFaceEllipse(picture, set, IsFullWidthDesign(design));
  return ok;
}

// One row of a face design: six normal faces, the small signs, two large faces, the large signs.
void DrawFaceRow(QPainter& p, int x, int y, int design, const QString& deck) {
  const TCard cards[] = {TCard::Make(kRank9, kHearts), TCard::Make(kRank10, kDiamonds), TCard::Make(kRankJ, kClubs),
                         TCard::Make(kRankQ, kSpades), TCard::Make(kRankK, kHearts), TCard::Make(kRankA, kSpades)};
  p.setPen(Qt::white);
  const QString place = design == 0 ? QStringLiteral("built in") : QString::fromStdString(FaceLibrary(design)).left(11);
  p.drawText(QRect(x, y + 4, 120, 190), Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("%1 %2\n%3\n%4\n%5").arg(design).arg(QString::fromStdString(FaceDesignCode(design)), place,
                                                   IsFullWidthDesign(design) ? QStringLiteral("full width") : QStringLiteral("narrow"), deck));
  int cx = x + 122;
  for (const TCard& card : cards) {
    QImage picture;
    const std::string name = FaceResourceName(card, design, kCardSetNormal);
    if (LoadFace(name, design, kCardSetNormal, picture) && picture.size() == QSize(69, 94)) {
      DrawNormal(p, cx, y + 4, picture);
    } else {
      Missing(p, QRect(cx, y + 4, 71, 96), QString::fromStdString(name));
    }
    cx += 74;
  }
  const QString library = QString::fromStdString(FaceLibrary(design));
  for (int suit = 0; suit < 4; ++suit) {
    for (const bool large : {false, true}) {
      const QString name = QString::fromStdString(SuitSignName(suit, design, large));
      QImage sign;
      const bool ok = design == 0 && !large ? LoadBitmap(name, library, sign) : LoadPng(name, library, sign);
      const QRect box = large ? QRect(x + 122 + suit * 44, y + 150, 40, 40) : QRect(x + 122 + suit * 24, y + 116, 20, 20);
      if (ok) {
        p.drawImage(box.topLeft(), sign);
      } else {
        Missing(p, box, name);
      }
    }
  }
  cx += 4;
  for (const TCard& card : {cards[3], cards[5]}) {
    QImage picture;
    const std::string name = FaceResourceName(card, design, kCardSetLarge);
    const QSize size = IsFullWidthDesign(design) ? QSize(146, 198) : QSize(126, 198);
    if (LoadFace(name, design, kCardSetLarge, picture) && picture.size() == size) {
      p.drawImage(cx, y + 2, picture);
    } else {
      Missing(p, QRect(QPoint(cx, y + 2), size), QString::fromStdString(name));
    }
    cx += size.width() + 4;
  }
}

void DrawBackRow(QPainter& p, int x, int y, int back) {
  p.setPen(Qt::white);
  p.drawText(QRect(x, y + 4, 60, 90), Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("back %1\n%2").arg(back).arg(QString::fromStdString(BackDesignCode(back))));
  int cx = x + 62;
  for (int n = 1; n <= BackCount(back); ++n) {
    const QString name = QString::fromStdString(BackResourceName(n, back, kCardSetNormal, true));
    const QString library = QString::fromStdString(BackLibrary(back, kCardSetNormal, true));
    QImage picture;
    const bool ok = back == 0 ? LoadBitmap(name, library, picture) : LoadPng(name, library, picture);
    if (ok && picture.size() == QSize(69, 94)) {
      DrawNormal(p, cx, y + 4, picture);
    } else {
      Missing(p, QRect(cx, y + 4, 71, 96), name);
    }
    cx += 74;
  }
  cx = x + 62 + 10 * 74 + 4;
  for (const bool full : {true, false}) {
    const QString name = QString::fromStdString(BackResourceName(1, back, kCardSetLarge, full));
    const QString library = QString::fromStdString(BackLibrary(back, kCardSetLarge, full));
    const QSize size = full ? QSize(146, 198) : QSize(126, 198);
    QImage picture;
    if (LoadPng(name, library, picture) && picture.size() == size) {
      p.drawImage(cx, y + 2, picture);
    } else {
      Missing(p, QRect(QPoint(cx, y + 2), size), name);
    }
    cx += size.width() + 4;
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  QString out = QStringLiteral("/tmp/contact-sheet.png");
  QString app_dir = QStringLiteral(VARNOK_PROGRAM_DIR);
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == QLatin1String("--out")) out = args[i + 1];
    if (args[i] == QLatin1String("--app-dir")) app_dir = args[i + 1];
  }
  SetProgramFolder(app_dir);
  const QHash<int, QString> decks = FaceDecks();

  const int row = 204, column = 122 + 6 * 74 + 4 + 150 + 150 + 10;
  const int face_rows = (kFaceDesigns + 1) / 2;
  const int back_width = 62 + 10 * 74 + 4 + 150 + 130 + 10;
  const int width = std::max(2 * column, back_width) + 20;
  const int height = 10 + face_rows * row + 20 + kBackDesigns * row + 10;
  QImage sheet(width, height, QImage::Format_ARGB32);
  sheet.fill(kTable);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont font = p.font();
  font.setPixelSize(12);
  p.setFont(font);
  for (int design = 0; design < kFaceDesigns; ++design) {
    const int col = design < face_rows ? 0 : 1;
    DrawFaceRow(p, 10 + col * column, 10 + (design % face_rows) * row, design, decks.value(design));
  }
  const int backs_top = 10 + face_rows * row + 20;
  for (int back = 0; back < kBackDesigns; ++back) DrawBackRow(p, 10, backs_top + back * row, back);
  p.end();
  if (!sheet.save(out)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
    return 1;
  }
  std::printf("%s: %d x %d, %d missing\n", qPrintable(out), width, height, missing);
  return missing == 0 ? 0 : 1;
}
