// varnok-contact-sheet: one picture of every card design and back as the
// program shows them, and below them every table background and every still
// table and window picture (the captions in one language). Everything is read
// through the program's own loader from the built-in resources and the built
// libraries, and library faces get the program's ellipse inversion, so a face
// that would look wrong in the game looks wrong here too. A name that does
// not load (or has the wrong size) is drawn as a red box.
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
#include "manifest.h"
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


// ---------------------------------------------------------------- backgrounds and table pictures
// Below the cards: every table background as a thumbnail (pictures 1 to 10
// across, the seven colours down; the large "B" versions and "BGLilu" are
// loaded and checked too), then every still picture of the table and window
// manifests (captions in English only; the other languages are loaded and
// checked), then the country flags in a dense grid.

// Places boxes left to right and wraps at the right edge.
class Flow {
 public:
  Flow(int left, int right, int top) : left_(left), right_(right), x_(left), y_(top) {}
  QPoint Place(int w, int h) {
    if (x_ > left_ && x_ + w > right_) NewLine();
    const QPoint at(x_, y_);
    x_ += w + kGap;
    row_ = std::max(row_, h);
    return at;
  }
  void NewLine() {
    if (x_ == left_) return;
    y_ += row_ + kGap;
    x_ = left_;
    row_ = 0;
  }
  // Starts a new row with a heading and returns the heading's top.
  int Heading() {
    NewLine();
    const int top = y_;
    y_ += 22;
    return top;
  }
  int Bottom() const { return x_ == left_ ? y_ : y_ + row_ + kGap; }

 private:
  static constexpr int kGap = 8;
  int left_, right_, x_, y_, row_ = 0;
};

void RedBox(QPainter& p, const QRect& box, const QString& name) {
  p.fillRect(box, QColor(200, 0, 0));
  p.setPen(Qt::white);
  p.drawText(box, Qt::AlignCenter | Qt::TextWrapAnywhere, name);
}

bool LoadEntry(const ManifestEntry& entry, QImage& picture) {
  switch (entry.kind) {
    case ResourceKind::Bitmap:
      return LoadBitmap(entry.name, entry.library, picture);
    case ResourceKind::Png:
      return LoadPng(entry.name, entry.library, picture);
    case ResourceKind::Jpeg:
      return LoadJpeg(entry.name, entry.library, picture);
    case ResourceKind::Cursor: {
      QByteArray data;
      if (!LoadData(entry.name, entry.library, data)) return false;
      picture = QImage::fromData(data, "CUR");
      return !picture.isNull();
    }
    default:
      return false;
  }
}

// Loads an entry and checks its fixed size; a failure is counted and reported.
bool LoadChecked(const ManifestEntry* entry, const QString& name, QImage& picture) {
  if (entry != nullptr && LoadEntry(*entry, picture) && (!entry->size.isValid() || picture.size() == entry->size)) return true;
  ++missing;
  std::fprintf(stderr, "missing or wrong size: %s\n", qPrintable(name));
  return false;
}

void Thumbnail(QPainter& p, const QPoint& at, const QSize& size, const QImage& image, const QString& label) {
  p.drawImage(QRect(at, size), image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  p.setPen(Qt::white);
  p.drawText(QRect(at.x(), at.y() + size.height(), size.width(), 14), Qt::AlignCenter, label);
}

void Heading(QPainter& p, int x, int y, const QString& text) {
  QFont font = p.font();
  font.setPixelSize(16);
  font.setBold(true);
  p.save();
  p.setFont(font);
  p.setPen(QColor(247, 226, 154));
  p.drawText(QPoint(x, y + 16), text);
  p.restore();
}

void DrawBackgrounds(QPainter& p, Flow& flow, const Manifest& manifest) {
  Heading(p, 10, flow.Heading(), QStringLiteral("Table backgrounds (1/5 size): pictures 01 to 10 across, colours down; "
                                                "02 Gr is the built-in FonG"));
  const QSize thumb(152, 100);
  for (int colour = 0; colour < 7; ++colour) {
    flow.NewLine();
    const QPoint label = flow.Place(24, thumb.height());
    p.setPen(Qt::white);
    p.drawText(QRect(label, QSize(24, thumb.height())), Qt::AlignCenter, QString::fromStdString(BackgroundColourCode(colour)));
    for (int picture = 1; picture <= 10; ++picture) {
      const QPoint at = flow.Place(thumb.width(), thumb.height() + 14);
      for (const int mode : {1, 2}) {  // the large version is only checked
        const QString name = QString::fromStdString(BackgroundName(picture, colour, mode));
        QImage image;
        if (!LoadChecked(manifest.Find(name, QString::fromStdString(BackgroundLibrary(picture, colour))), name, image)) {
          RedBox(p, QRect(at, thumb), name);
        } else if (mode == 1) {
          Thumbnail(p, at, thumb, image, name);
        }
      }
    }
  }
  flow.NewLine();
  const QString lilac = QStringLiteral("BGLilu");
  const QPoint at = flow.Place(thumb.width(), thumb.height() + 14);
  QImage image;
  if (LoadChecked(manifest.Find(lilac, QStringLiteral("ZubCGraph1.dll")), lilac, image)) {
    Thumbnail(p, at, thumb, image, QStringLiteral("BGLilu (purple design)"));
  } else {
    RedBox(p, QRect(at, thumb), lilac);
  }
}

bool IsForeignCaption(const ManifestEntry& entry) {
  if (!entry.file.contains(QLatin1String("captions.txt"))) return false;
  for (const char* code : {"Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"}) {
    if (entry.name.endsWith(QLatin1String(code))) return true;
  }
  return false;
}

void DrawTablePictures(QPainter& p, Flow& flow, const Manifest& manifest) {
  static const QRegularExpression background(QStringLiteral("^(Fon\\d\\d..B?|FonGB?|BGLilu)$"));
  static const QRegularExpression country(QStringLiteral("^Flag\\d_\\d\\d\\d$"));
  QList<ManifestEntry> flags;
  QString group;
  QList<ManifestEntry> entries;
  for (const char* file : {"/table.txt", "/captions.txt", "/decor.txt"}) {
    for (const ManifestEntry& entry : manifest.entries) {
      if (entry.file.endsWith(QLatin1String(file))) entries.append(entry);
    }
  }
  for (const ManifestEntry& entry : entries) {
    if (background.match(entry.name).hasMatch()) continue;
    if (entry.kind == ResourceKind::Gif || !(IsPictureKind(entry.kind) || entry.kind == ResourceKind::Cursor)) continue;
    if (country.match(entry.name).hasMatch()) {
      flags.append(entry);
      continue;
    }
    QImage picture;
    const bool ok = LoadChecked(&entry, entry.name, picture);
    if (IsForeignCaption(entry)) continue;  // checked, not shown
    const QString file = entry.file.section(QLatin1Char(':'), 0, 0).section(QLatin1Char('/'), -1);
    if (file != group) {
      group = file;
      Heading(p, 10, flow.Heading(), QStringLiteral("Pictures of %1 (%2)").arg(file, entry.file.contains(QLatin1String("captions"))
                                                                                           ? QStringLiteral("English shown, all languages checked")
                                                                                           : QStringLiteral("as loaded")));
    }
    QSize shown = ok ? picture.size() : (entry.size.isValid() ? entry.size : QSize(64, 64));
    if (shown.width() > 340 || shown.height() > 240) shown.scale(340, 240, Qt::KeepAspectRatio);
    const int label_width = p.fontMetrics().horizontalAdvance(entry.name) + 4;
    const int cell = std::max(shown.width(), label_width);
    const QPoint at = flow.Place(cell, shown.height() + 14);
    const QRect box(at.x() + (cell - shown.width()) / 2, at.y(), shown.width(), shown.height());
    if (ok) {
      p.drawImage(box, shown == picture.size() ? picture : picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
      RedBox(p, box, entry.name);
    }
    p.setPen(Qt::white);
    p.drawText(QRect(at.x(), at.y() + shown.height(), cell, 14), Qt::AlignCenter, entry.name);
  }
  if (flags.isEmpty()) return;
  Heading(p, 10, flow.Heading(), QStringLiteral("Country flags (Flag1_000 to Flag6_...), one row per continent"));
  QChar continent;
  for (const ManifestEntry& entry : flags) {
    if (entry.name.at(4) != continent) {
      continent = entry.name.at(4);
      flow.NewLine();
    }
    QImage picture;
    const QPoint at = flow.Place(16, 11);
    if (LoadChecked(&entry, entry.name, picture)) {
      p.drawImage(at, picture);
    } else {
      RedBox(p, QRect(at, QSize(16, 11)), QString());
    }
  }
}

// The ribbon labels on their ribbons, as the gray "red ribbons" window design lays them.
void DrawRibbonLabels(QPainter& p, Flow& flow, const Manifest& manifest) {
  Heading(p, 10, flow.Heading(), QStringLiteral("Ribbon labels on their ribbons"));
  const QString graph = QStringLiteral("ZubCGraph1.dll");
  struct Pair {
    const char* ribbon;
    const char* label;
    int dy;
  };
  for (const Pair& pair : {Pair{"GLenta200x100", "GFormCountL", -7}, Pair{"GLenta280x090", "GFormPwL", 0},
                           Pair{"GLenta280x090", "GFormRadioL", 0}}) {
    const QString ribbon = QLatin1String(pair.ribbon), label = QLatin1String(pair.label);
    QImage back, front;
    const ManifestEntry* ribbon_entry = manifest.Find(ribbon, graph);
    const ManifestEntry* label_entry = manifest.Find(label, graph);
    if (ribbon_entry == nullptr || label_entry == nullptr || !LoadEntry(*ribbon_entry, back) || !LoadEntry(*label_entry, front)) {
      continue;  // already reported above
    }
    const QPoint at = flow.Place(back.width(), back.height() + 14);
    p.drawImage(at, back);
    p.drawImage(at + QPoint(0, pair.dy), front);
    p.setPen(Qt::white);
    p.drawText(QRect(at.x(), at.y() + back.height(), back.width(), 14), Qt::AlignCenter, label + QStringLiteral(" on ") + ribbon);
  }
}

// The cards sheet with the backgrounds and table pictures added below it.
QImage AppendTablePictures(const QImage& cards) {
  const Manifest manifest = ReadManifestFolder(QStringLiteral(VARNOK_RESOURCES_SOURCE_DIR "/manifest"));
  for (const QString& error : manifest.errors) std::fprintf(stderr, "manifest: %s\n", qPrintable(error));
  const int width = cards.width();
  QImage extra(width, 9000, QImage::Format_ARGB32);
  extra.fill(kTable.darker(115));
  Flow flow(10, width - 10, 10);
  {
    QPainter p(&extra);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    DrawBackgrounds(p, flow, manifest);
    DrawTablePictures(p, flow, manifest);
    DrawRibbonLabels(p, flow, manifest);
  }
  const int used = std::min(extra.height(), flow.Bottom() + 10);
  QImage sheet(width, cards.height() + used, QImage::Format_ARGB32);
  QPainter p(&sheet);
  p.drawImage(0, 0, cards);
  p.drawImage(0, cards.height(), extra, 0, 0, width, used);
  return sheet;
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
  sheet = AppendTablePictures(sheet);
  if (!sheet.save(out)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
    return 1;
  }
  std::printf("%s: %d x %d, %d missing\n", qPrintable(out), int(sheet.width()), int(sheet.height()), missing);
  return missing == 0 ? 0 : 1;
}
