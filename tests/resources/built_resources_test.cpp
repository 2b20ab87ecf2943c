// The built resources against the manifest: every listed name is in its
// place with its kind and size, nothing unlisted is there, every face design
// and back design the options offer is complete in both card sets, and the
// library faces come out right after the program's ellipse inversion.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

#include "face_ellipse.h"
#include "loader.h"
#include "manifest.h"
#include "names.h"

namespace varnok {
namespace {

class BuiltResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
    manifest_ = new Manifest(ReadManifestFolder(QStringLiteral(VARNOK_RESOURCES_SOURCE_DIR "/manifest")));
  }
  static void TearDownTestSuite() {
    delete manifest_;
    manifest_ = nullptr;
    SetProgramFolder(QString());
  }
  static QStringList Places() {
    QStringList places{QString()};
    for (const std::string& file : ResourceLibraryFiles()) places << QString::fromStdString(file);
    return places;
  }
  static Manifest* manifest_;
};

Manifest* BuiltResources::manifest_ = nullptr;

QString PlaceName(const QString& library) { return library.isEmpty() ? QStringLiteral("builtin") : library; }

TEST_F(BuiltResources, TheManifestReadsWithoutErrors) {
  EXPECT_TRUE(manifest_->errors.isEmpty()) << manifest_->errors.join(QLatin1Char('\n')).toStdString();
  EXPECT_GT(manifest_->entries.size(), 2000);
}

TEST_F(BuiltResources, EveryLibraryFileIsBesideTheProgram) {
  for (const std::string& file : ResourceLibraryFiles()) {
    const QString name = QString::fromStdString(file);
    EXPECT_EQ(FindLibrary(name), QDir(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)).absoluteFilePath(name)) << file;
    EXPECT_TRUE(ResourceLibrary(name).IsOpen()) << file;
  }
}

TEST_F(BuiltResources, EveryNameResolvesWithItsKindAndSize) {
  for (const QString& place : Places()) {
    const ResourceLibrary library(place);
    ASSERT_TRUE(library.IsOpen()) << PlaceName(place).toStdString();
    for (const ManifestEntry& entry : manifest_->EntriesOf(place)) {
      const std::string what = (entry.name + QStringLiteral(" in ") + entry.Place()).toStdString();
      QByteArray data;
      ASSERT_TRUE(library.Data(entry.name, data)) << what;
      ASSERT_FALSE(data.isEmpty()) << what;
      switch (entry.kind) {
        case ResourceKind::Bitmap:
        case ResourceKind::Png:
        case ResourceKind::Jpeg: {
          const char* format = entry.kind == ResourceKind::Png ? "PNG" : entry.kind == ResourceKind::Jpeg ? "JPEG" : nullptr;
          QImage picture;
          ASSERT_TRUE(picture.loadFromData(data, format)) << what;
          if (entry.size.isValid()) {
            EXPECT_EQ(picture.size(), entry.size) << what;
          }
          break;
        }
        case ResourceKind::Gif:
          EXPECT_TRUE(data.startsWith("GIF8")) << what;
          if (entry.size.isValid()) {
            EXPECT_EQ(QImage::fromData(data, "GIF").size(), entry.size) << what;
          }
          break;
        case ResourceKind::Wav:
          EXPECT_TRUE(data.startsWith("RIFF") && data.mid(8, 4) == "WAVE") << what;
          break;
        case ResourceKind::Midi:
          EXPECT_TRUE(data.startsWith("MThd")) << what;
          break;
        case ResourceKind::Cursor:
        case ResourceKind::Data:
          break;
      }
    }
  }
}

TEST_F(BuiltResources, NothingUnlistedIsInAPlace) {
  for (const QString& place : Places()) {
    QSet<QString> listed;
    for (const ManifestEntry& entry : manifest_->EntriesOf(place)) listed.insert(entry.name);
    const ResourceLibrary library(place);
    for (const QString& name : library.Names()) {
      EXPECT_TRUE(listed.contains(name)) << name.toStdString() << " in " << PlaceName(place).toStdString();
    }
  }
}

// What LoadFaces asks for: the 24 faces of the design and set, and the four
// small and four large suit signs, from the design's library.
TEST_F(BuiltResources, EveryFaceDesignIsCompleteInBothSets) {
  for (int design = 0; design < kFaceDesigns; ++design) {
    const QString place = QString::fromStdString(FaceLibrary(design));
    const ResourceLibrary library(place);
    ASSERT_TRUE(library.IsOpen()) << design;
    const QSize large = IsFullWidthDesign(design) ? QSize(146, 198) : QSize(126, 198);
    for (const int set : {kCardSetNormal, kCardSetLarge, kCardSetStretched}) {
      const QSize size = set == kCardSetNormal ? QSize(69, 94) : large;
      for (const std::string& name : FaceResourceNames(design, set)) {
        QByteArray data;
        ASSERT_TRUE(library.Data(QString::fromStdString(name), data)) << name << " of design " << design;
        EXPECT_EQ(QImage::fromData(data).size(), size) << name << " of design " << design;
        EXPECT_NE(manifest_->Find(QString::fromStdString(name), place), nullptr) << name;
      }
    }
    for (int suit = 0; suit < 4; ++suit) {
      for (const bool big : {false, true}) {
        const QString name = QString::fromStdString(SuitSignName(suit, design, big));
        QByteArray data;
        ASSERT_TRUE(library.Data(name, data)) << name.toStdString() << " of design " << design;
        const QImage sign = QImage::fromData(data);
        EXPECT_EQ(sign.size(), big ? QSize(40, 40) : QSize(20, 20)) << name.toStdString();
        // Empty parts of a sign are transparent, and silver for a painter that keys silver out.
        EXPECT_EQ(sign.pixel(0, 0), qRgba(192, 192, 192, 0)) << name.toStdString();
      }
    }
  }
}

// What LoadBacks asks for: every back of every design, for set 1 and for the
// large sets in both width classes.
TEST_F(BuiltResources, EveryBackDesignIsCompleteInBothSets) {
  for (int back = 0; back < kBackDesigns; ++back) {
    for (const int set : {kCardSetNormal, kCardSetLarge}) {
      for (const bool full : {true, false}) {
        const QString place = QString::fromStdString(BackLibrary(back, set, full));
        const ResourceLibrary library(place);
        const QSize size = set == kCardSetNormal ? QSize(69, 94) : full ? QSize(146, 198) : QSize(126, 198);
        for (int number = 1; number <= BackCount(back); ++number) {
          const QString name = QString::fromStdString(BackResourceName(number, back, set, full));
          QByteArray data;
          ASSERT_TRUE(library.Data(name, data)) << name.toStdString() << " in " << PlaceName(place).toStdString();
          EXPECT_EQ(QImage::fromData(data).size(), size) << name.toStdString();
        }
      }
    }
  }
}

// Median colour difference between neighbouring pixels on the two sides of
// the ellipse's edge, along its part inside the picture. Paper meets paper
// along most of the edge, so a picture that runs on smoothly gives a small
// median whatever the pips and figures do.
int EllipseSeam(const QImage& picture, int set, bool full_width) {
  const QRect box = FaceEllipseBox(set, full_width);
  std::vector<int> steps;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 1; x < picture.width(); ++x) {
      if (InFaceEllipse(box, x, y) == InFaceEllipse(box, x - 1, y)) continue;
      const QRgb a = picture.pixel(x, y), b = picture.pixel(x - 1, y);
      if (qAlpha(a) < 255 || qAlpha(b) < 255) continue;
      steps.push_back(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)));
    }
  }
  if (steps.empty()) return 0;
  std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() / 2), steps.end());
  return steps[steps.size() / 2];
}

// A face that the program inverts must have been stored inverted: after the
// inversion, the picture runs on smoothly across the ellipse's edge, and
// shown without it, it would not.
TEST_F(BuiltResources, FacesLookRightAfterTheProgramsInversion) {
  const TCard samples[] = {TCard::Make(kRank9, kHearts), TCard::Make(kRankQ, kSpades), TCard::Make(kRankA, kClubs)};
  for (int design = 0; design < kFaceDesigns; ++design) {
    const QString place = QString::fromStdString(FaceLibrary(design));
    const bool full = IsFullWidthDesign(design);
    for (const int set : {kCardSetNormal, kCardSetLarge}) {
      for (const TCard& card : samples) {
        const std::string name = FaceResourceName(card, design, set);
        QImage picture;
        ASSERT_TRUE(LoadBitmap(QString::fromStdString(name), place, picture)) << name;
        QImage inverted = picture;
        InvertFaceEllipse(inverted, set, full);
        // The program inverts library faces only; design 0 is shown as stored.
        const int shown = EllipseSeam(design == 0 ? picture : inverted, set, full);
        const int wrong = EllipseSeam(design == 0 ? inverted : picture, set, full);
        // A court's figure crosses the edge in many places; a pip card is mostly paper there.
        EXPECT_LT(shown, card.rank == kRankQ ? 120 : 40) << name << " of design " << design;
        EXPECT_GT(wrong, shown + 150) << name << " of design " << design;
      }
    }
  }
}

TEST_F(BuiltResources, EveryPlaceCarriesItsLicenceNote) {
  for (const QString& place : Places()) {
    QByteArray text;
    ASSERT_TRUE(LoadData(QStringLiteral("Licences"), place, text)) << PlaceName(place).toStdString();
    EXPECT_TRUE(text.contains("GNU General Public License")) << PlaceName(place).toStdString();
  }
  QByteArray cards;
  ASSERT_TRUE(LoadData(QStringLiteral("Licences"), QStringLiteral("ZubCards06A.dll"), cards));
  EXPECT_TRUE(cards.contains("gnome-cards-data")) << "the Aisleriot decks' copyright must travel with them";
  EXPECT_TRUE(QFileInfo::exists(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/licenses/ZubCards06B.dll.txt")));
}

}  // namespace
}  // namespace varnok
