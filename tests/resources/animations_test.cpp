// The built animations, read through the loader: every GIF of the manifest
// opens as a QMovie with more than one frame, at its size where the manifest
// fixes one, with frames of one size and display times a player can show;
// badges drawn on other pictures keep a transparent background, and the
// endings that play once do not loop.
#include <gtest/gtest.h>

#include <QImage>
#include <QMovie>
#include <QSet>

#include "loader.h"
#include "manifest.h"

namespace varnok {
namespace {

class BuiltAnimations : public ::testing::Test {
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
  static QList<ManifestEntry> Gifs() {
    QList<ManifestEntry> gifs;
    for (const ManifestEntry& entry : manifest_->entries) {
      if (entry.kind == ResourceKind::Gif) gifs << entry;
    }
    return gifs;
  }
  static Manifest* manifest_;
};

Manifest* BuiltAnimations::manifest_ = nullptr;

TEST_F(BuiltAnimations, TheNamedAnimationsAreListed) {
  QSet<QString> names;
  for (const ManifestEntry& entry : Gifs()) names.insert(entry.name);
  QStringList wanted{"GifMenu1", "GifMenu2", "GSirenaB", "GSirenaR", "GGenCount", "GTopTen", "GMedal",
                     "GEndBest", "GEndGood", "GEndBads", "GPw", "GIcon48COunt"};
  for (const QChar letter : QStringLiteral("ABCDEFG")) {
    wanted << QStringLiteral("GClub") + letter << QStringLiteral("Gif") + letter;
  }
  for (int place = 1; place <= 10; ++place) wanted << QStringLiteral("GPlace%1").arg(place, 2, 10, QLatin1Char('0'));
  for (const QString& name : wanted) EXPECT_TRUE(names.contains(name)) << name.toStdString();
}

TEST_F(BuiltAnimations, EveryGifLoadsAsAMovieOfSeveralFrames) {
  const QList<ManifestEntry> gifs = Gifs();
  ASSERT_GE(gifs.size(), 36);
  for (const ManifestEntry& entry : gifs) {
    const std::string what = (entry.name + QStringLiteral(" in ") + entry.Place()).toStdString();
    QMovie movie;
    ASSERT_TRUE(LoadGif(entry.name, entry.library, movie)) << what;
    ASSERT_TRUE(movie.isValid()) << what;
    EXPECT_GT(movie.frameCount(), 1) << what;
    EXPECT_LE(movie.frameCount(), 16) << what;
    QSize size;
    for (int frame = 0; frame < movie.frameCount(); ++frame) {
      ASSERT_TRUE(movie.jumpToFrame(frame)) << what << " frame " << frame;
      const QImage picture = movie.currentImage();
      ASSERT_FALSE(picture.isNull()) << what << " frame " << frame;
      if (frame == 0) size = picture.size();
      EXPECT_EQ(picture.size(), size) << what << " frame " << frame;
      EXPECT_GE(movie.nextFrameDelay(), 20) << what << " frame " << frame;
    }
    if (entry.size.isValid()) {
      EXPECT_EQ(size, entry.size) << what;
    }
  }
}

TEST_F(BuiltAnimations, TheInfoWindowStillFrameExists) {
  // With animations off the info window shows frame 14 of its top emblem.
  // A GIF movie reaches a frame only through the ones before it.
  QMovie movie;
  ASSERT_TRUE(LoadGif(QStringLiteral("GGenCount"), QString(), movie));
  EXPECT_GE(movie.frameCount(), 15);
  for (int frame = 0; frame <= 14; ++frame) ASSERT_TRUE(movie.jumpToFrame(frame)) << frame;
  EXPECT_EQ(movie.currentImage().size(), QSize(100, 90));
}

TEST_F(BuiltAnimations, BadgesAreTransparentAroundTheirShape) {
  for (const QString& name : {QStringLiteral("GSirenaB"), QStringLiteral("GSirenaR"), QStringLiteral("GClubA"),
                              QStringLiteral("GPlace01")}) {
    QMovie movie;
    ASSERT_TRUE(LoadGif(name, QString(), movie)) << name.toStdString();
    ASSERT_TRUE(movie.jumpToFrame(0));
    const QImage picture = movie.currentImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << name.toStdString();
    EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255) << name.toStdString();
  }
}

TEST_F(BuiltAnimations, EndingsThatPlayOnceDoNotLoop) {
  for (const QString& name : {QStringLiteral("GEndBest"), QStringLiteral("GEndGood")}) {
    QMovie movie;
    ASSERT_TRUE(LoadGif(name, QString(), movie)) << name.toStdString();
    EXPECT_EQ(movie.loopCount(), 0) << name.toStdString();
  }
  QMovie repeating;
  ASSERT_TRUE(LoadGif(QStringLiteral("GEndBads"), QString(), repeating));
  EXPECT_EQ(repeating.loopCount(), -1);
}

}  // namespace
}  // namespace varnok
