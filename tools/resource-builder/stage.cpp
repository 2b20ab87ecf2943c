#include "stage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "back_patterns.h"
#include "card_names.h"
#include "deck_renderer.h"
#include "deck_table.h"
#include "face_ellipse.h"
#include "gif_animation.h"
#include "licences.h"
#include "manifest.h"
#include "names.h"
#include "suit_signs.h"

namespace varnok::builder {

namespace {

void Complain(const QString& message) { std::fprintf(stderr, "resource-builder: %s\n", qPrintable(message)); }

struct Made {
  QByteArray bytes;
  QString extension;
};

class Producer {
 public:
  Producer(const QString& resources, const QString& generated, DeckTable table)
      : resources_(resources), generated_(generated), table_(std::move(table)) {}

  // The group an entry is made in: entries of one deck share its parsed drawing.
  QString GroupOf(const ManifestEntry& entry) const {
    if (entry.source == QLatin1String("deck") || entry.source == QLatin1String("back")) {
      CardPicture picture;
      if (!ParseCardPicture(entry.name, entry.library, entry.size, picture, nullptr)) return entry.source;
      if (picture.type == CardPicture::Type::kBack) {
        const QString recipe = table_.backs.value(picture.design).backs.value(picture.back_number - 1);
        return recipe.startsWith(QLatin1String("deck:")) ? recipe.section(QLatin1Char('/'), 0, 0) : QStringLiteral("patterns");
      }
      return QStringLiteral("deck:") + table_.faces.value(picture.design).deck;
    }
    return entry.source;
  }

  bool Make(const ManifestEntry& entry, Made& made, QString* error) {
    if (entry.source == QLatin1String("deck") || entry.source == QLatin1String("back")) {
      QImage picture;
      if (!MakeCardPicture(entry, picture, error)) return false;
      return Encode(picture, entry.kind, made, error);
    }
    if (entry.source == QLatin1String("licences")) {
      made = {LicenceText(resources_, table_, entry.Place()).toUtf8(), QStringLiteral("txt")};
      return true;
    }
    return MakeFromFile(entry, made, error);
  }

 private:
  SvgDeck* Deck(const QString& id, QString* error) {
    auto it = decks_.find(id);
    if (it != decks_.end()) return it->second.get();
    if (!table_.decks.contains(id)) {
      if (error) *error = QStringLiteral("unknown deck \"%1\"").arg(id);
      return nullptr;
    }
    auto deck = std::make_unique<SvgDeck>();
    if (!deck->Load(table_.decks.value(id), error)) return nullptr;
    return decks_.emplace(id, std::move(deck)).first->second.get();
  }

  bool MakeCardPicture(const ManifestEntry& entry, QImage& picture, QString* error) {
    CardPicture card;
    if (!ParseCardPicture(entry.name, entry.library, entry.size, card, error)) return false;
    if (card.type == CardPicture::Type::kBack) return MakeBack(card, entry.size, picture, error);
    if (!table_.faces.contains(card.design)) {
      if (error) *error = QStringLiteral("\"%1\": face design %2 has no deck in cards/decks.txt").arg(entry.name).arg(card.design);
      return false;
    }
    const FaceDesignSource face = table_.faces.value(card.design);
    SvgDeck* deck = Deck(face.deck, error);
    if (deck == nullptr) return false;
    const Variation variation{face.ivory, face.four_colour, card.suit};
    if (card.type == CardPicture::Type::kSign) {
      QImage ink(1, 1, QImage::Format_ARGB32_Premultiplied);
      ink.fill(deck->InkColour(card.suit));
      ApplyVariation(ink, variation);
      picture = RenderSuitSign(card.suit, entry.size.width(), QColor::fromRgb(ink.pixel(0, 0)));
      return true;
    }
    picture = deck->Render(deck->FaceId(card.suit, card.rank_order), entry.size, card.large, Fit::kContain, variation);
    // Library faces are stored inverted inside the ellipse that the program
    // inverts after loading them.
    if (!entry.IsBuiltin()) {
      InvertFaceEllipse(picture, card.large ? kCardSetLarge : kCardSetNormal, card.full_width);
    }
    return true;
  }

  bool MakeBack(const CardPicture& card, QSize size, QImage& picture, QString* error) {
    if (!table_.backs.contains(card.design)) {
      if (error) *error = QStringLiteral("back design %1 has no backs in cards/decks.txt").arg(card.design);
      return false;
    }
    const QString recipe = table_.backs.value(card.design).backs.value(card.back_number - 1);
    if (recipe.startsWith(QLatin1String("deck:"))) {
      const QString id = recipe.mid(5).section(QLatin1Char('/'), 0, 0);
      // A back is a pattern: it fills the card and loses a little at two edges.
      // "/contain" keeps the whole back and continues its edge colour instead.
      const Fit fit = recipe.endsWith(QLatin1String("/contain")) ? Fit::kContain : Fit::kCover;
      SvgDeck* deck = Deck(id, error);
      if (deck == nullptr) return false;
      if (!deck->Has(QStringLiteral("back"))) {
        if (error) *error = QStringLiteral("the deck \"%1\" has no back").arg(id);
        return false;
      }
      picture = deck->Render(QStringLiteral("back"), size, card.large, fit, Variation{});
      return true;
    }
    return RenderPatternBack(recipe, size, card.large, picture, error);
  }

  bool MakeFromFile(const ManifestEntry& entry, Made& made, QString* error) {
    QString path;
    if (entry.source.startsWith(QLatin1Char('@'))) {
      path = QDir(generated_).filePath(entry.source.mid(1));
    } else {
      path = QDir(resources_).filePath(entry.source);
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString what = QStringLiteral("\"%1\" from %2: ").arg(entry.name, entry.source);
    if (entry.kind == ResourceKind::Gif && QFileInfo(path).fileName().endsWith(QLatin1String("anim.txt"))) {
      // An animation: the numbered SVG frames beside anim.txt, at SIZE (or
      // the drawings' own size when SIZE is "-").
      QList<QImage> frames;
      AnimationTiming timing;
      QString why;
      if (!RenderAnimation(path, entry.size, frames, timing, &why) || !EncodeGif(frames, timing, made.bytes, &why)) {
        if (error) *error = what + why;
        return false;
      }
      made.extension = QStringLiteral("gif");
      return true;
    }
    if (suffix == QLatin1String("svg") || suffix == QLatin1String("svgz")) {
      if (!IsPictureKind(entry.kind) || !entry.size.isValid()) {
        if (error) *error = what + QStringLiteral("a drawing needs a picture kind and a size");
        return false;
      }
      QSvgRenderer svg(path);
      if (!svg.isValid()) {
        if (error) *error = what + QStringLiteral("cannot read the drawing");
        return false;
      }
      const QSizeF drawn = svg.viewBoxF().size();
      const double ratio = (drawn.width() / drawn.height()) / (double(entry.size.width()) / entry.size.height());
      if (ratio < 0.99 || ratio > 1.01) {
        if (error) *error = what + QStringLiteral("the drawing's proportions differ from %1x%2").arg(entry.size.width()).arg(entry.size.height());
        return false;
      }
      QImage picture(entry.size, QImage::Format_ARGB32_Premultiplied);
      picture.fill(Qt::transparent);
      QPainter p(&picture);
      p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
      svg.render(&p);
      p.end();
      return Encode(picture.convertToFormat(QImage::Format_ARGB32), entry.kind, made, error);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      if (error) *error = what + QStringLiteral("cannot read %1").arg(path);
      return false;
    }
    const QByteArray bytes = file.readAll();
    if (IsPictureKind(entry.kind)) {
      QImage picture;
      if (!picture.loadFromData(bytes)) {
        if (error) *error = what + QStringLiteral("not a picture");
        return false;
      }
      if (entry.size.isValid() && picture.size() != entry.size) {
        if (error) *error = what + QStringLiteral("the picture is %1x%2, the manifest says %3x%4")
                                       .arg(picture.width()).arg(picture.height())
                                       .arg(entry.size.width()).arg(entry.size.height());
        return false;
      }
      const bool jpeg = bytes.startsWith("\xFF\xD8");
      const bool png = bytes.startsWith("\x89PNG");
      if ((entry.kind == ResourceKind::Jpeg && jpeg) || (entry.kind != ResourceKind::Jpeg && png)) {
        made = {bytes, jpeg ? QStringLiteral("jpg") : QStringLiteral("png")};
        return true;
      }
      return Encode(picture, entry.kind, made, error);
    }
    const std::map<ResourceKind, QByteArray> signatures = {
        {ResourceKind::Gif, "GIF8"}, {ResourceKind::Wav, "RIFF"}, {ResourceKind::Midi, "MThd"}};
    auto signature = signatures.find(entry.kind);
    if (signature != signatures.end() && !bytes.startsWith(signature->second)) {
      if (error) *error = what + QStringLiteral("not a %1 file").arg(ResourceKindName(entry.kind));
      return false;
    }
    made = {bytes, suffix.isEmpty() ? QStringLiteral("bin") : suffix};
    return true;
  }

  static bool Encode(const QImage& picture, ResourceKind kind, Made& made, QString* error) {
    QBuffer buffer(&made.bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool jpeg = kind == ResourceKind::Jpeg;
    const QImage out = jpeg ? picture.convertToFormat(QImage::Format_RGB32) : picture;
    if (!out.save(&buffer, jpeg ? "JPEG" : "PNG", jpeg ? 90 : -1)) {
      if (error) *error = QStringLiteral("cannot encode a picture");
      return false;
    }
    made.extension = jpeg ? QStringLiteral("jpg") : QStringLiteral("png");
    return true;
  }

  QString resources_;
  QString generated_;
  DeckTable table_;
  std::map<QString, std::unique_ptr<SvgDeck>> decks_;
};

// Splits groups over shards, largest first, each to the least loaded shard.
QHash<QString, int> AssignShards(const QHash<QString, int>& group_sizes, int shards) {
  QList<QPair<QString, int>> groups;
  for (auto it = group_sizes.constBegin(); it != group_sizes.constEnd(); ++it) {
    // Opening a deck costs about as much as drawing twenty of its cards.
    const int cost = it.value() + (it.key().startsWith(QLatin1String("deck:")) ? 20 : 0);
    groups.append({it.key(), cost});
  }
  std::sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  std::vector<int> load(static_cast<std::size_t>(shards), 0);
  QHash<QString, int> shard_of;
  for (const auto& [key, cost] : groups) {
    const auto least = std::min_element(load.begin(), load.end());
    *least += cost;
    shard_of.insert(key, static_cast<int>(least - load.begin()));
  }
  return shard_of;
}

bool WriteIfChanged(const QString& path, const QByteArray& bytes) {
  QFile old(path);
  if (old.open(QIODevice::ReadOnly) && old.readAll() == bytes) return true;
  old.close();
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

int RunStage(const StageOptions& options) {
  const Manifest manifest = ReadManifestFolder(QDir(options.resources).filePath(QStringLiteral("manifest")));
  DeckTable table = ReadDeckTable(QDir(options.resources).filePath(QStringLiteral("cards/decks.txt")));
  QStringList errors = manifest.errors + table.errors;
  const QString library = options.place == QLatin1String("builtin") ? QString() : options.place;
  const QList<ManifestEntry> entries = manifest.EntriesOf(library);
  Producer producer(options.resources, options.generated, std::move(table));

  QHash<QString, int> group_sizes;
  for (const ManifestEntry& entry : entries) group_sizes[producer.GroupOf(entry)] += 1;
  const QHash<QString, int> shard_of = AssignShards(group_sizes, std::max(1, options.shards));

  QDir().mkpath(options.out);
  const QDir out(options.out);
  QString qrc = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource>\n");
  for (const ManifestEntry& entry : entries) {
    if (shard_of.value(producer.GroupOf(entry)) != options.shard) continue;
    Made made;
    QString error;
    if (!producer.Make(entry, made, &error)) {
      errors << entry.file + QLatin1Char(':') + QString::number(entry.line) + QStringLiteral(": ") + error;
      continue;
    }
    const QString file_name = entry.name + QLatin1Char('.') + made.extension;
    if (!WriteIfChanged(out.filePath(file_name), made.bytes)) errors << QStringLiteral("cannot write %1").arg(file_name);
    qrc += QStringLiteral("  <file alias=\"%1\">%2</file>\n").arg(entry.name, file_name);
  }
  qrc += QStringLiteral("</qresource>\n</RCC>\n");
  for (const QString& error : errors) Complain(error);
  if (!errors.isEmpty()) return 1;
  // The list is always rewritten: it is the step's output, and its time tells
  // the build that the step has run.
  const QString qrc_path = out.filePath(QStringLiteral("shard%1.qrc").arg(options.shard));
  QFile qrc_file(qrc_path);
  if (!qrc_file.open(QIODevice::WriteOnly | QIODevice::Truncate) || qrc_file.write(qrc.toUtf8()) < 0) {
    Complain(QStringLiteral("cannot write %1").arg(qrc_path));
    return 1;
  }
  return 0;
}

}  // namespace varnok::builder
