// The libraries the server publishes at download/: copied from a folder
// beside their digests, an unchanged library left alone, a changed one
// replaced, other files of the folder left out.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <unistd.h>

#include "media/library_shelf.h"

namespace varnok::server {
namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray DigestLine(const QByteArray& bytes, const char* name) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "  " + name + "\n";
}

TEST(LibraryShelf, TheBuildsLibrariesArePublishedWithTheirDigests) {
  QTemporaryDir build, data;
  ASSERT_TRUE(build.isValid() && data.isValid());
  Write(build.filePath("ZubCards06A.dll"), QByteArray(300000, 'a'));
  Write(build.filePath("ZubRadio02.dll"), "radio");
  Write(build.filePath("varnok"), "the program itself");
  Write(build.filePath("Zub Cards.dll"), "a name the download page never asks for");
  const QString shelf = QDir(data.path()).filePath("download");

  const ShelfResult first = PublishLibraries(data.path(), build.path());
  EXPECT_TRUE(first.error.isEmpty()) << first.error.toStdString();
  EXPECT_EQ(first.published, (QStringList{"ZubCards06A.dll", "ZubRadio02.dll"}));
  EXPECT_EQ(first.copied, first.published);
  EXPECT_EQ(Read(shelf + "/ZubCards06A.dll"), QByteArray(300000, 'a'));
  EXPECT_EQ(Read(shelf + "/ZubCards06A.dll.sha256"), DigestLine(QByteArray(300000, 'a'), "ZubCards06A.dll"));
  EXPECT_EQ(Read(shelf + "/ZubRadio02.dll.sha256"), DigestLine("radio", "ZubRadio02.dll"));
  EXPECT_FALSE(QFile::exists(shelf + "/varnok"));
  EXPECT_FALSE(QFile::exists(shelf + "/Zub Cards.dll"));

  // A second start copies only what changed.
  Write(build.filePath("ZubRadio02.dll"), "radio, rebuilt");
  const ShelfResult second = PublishLibraries(data.path(), build.path());
  EXPECT_EQ(second.copied, QStringList{"ZubRadio02.dll"});
  EXPECT_EQ(Read(shelf + "/ZubRadio02.dll"), QByteArray("radio, rebuilt"));
  EXPECT_EQ(Read(shelf + "/ZubRadio02.dll.sha256"), DigestLine("radio, rebuilt", "ZubRadio02.dll"));
  // Nothing but the libraries and their digests (no temporary file) is left.
  EXPECT_EQ(QDir(shelf).entryList(QDir::Files, QDir::Name),
            (QStringList{"ZubCards06A.dll", "ZubCards06A.dll.sha256", "ZubRadio02.dll", "ZubRadio02.dll.sha256"}));
}

TEST(LibraryShelf, AMissingFolderIsSaidAndChangesNothing) {
  QTemporaryDir data;
  const ShelfResult result = PublishLibraries(data.path(), data.filePath("no-such-folder"));
  EXPECT_FALSE(result.error.isEmpty());
  EXPECT_TRUE(result.published.isEmpty());
}

// On a full disk nothing half-copied is offered: a library small enough to
// sit whole in the writer's buffer is where a lost last write went unseen.
TEST(LibraryShelf, ALibraryThatDoesNotFitIsNotOffered) {
  QTemporaryDir build, data;
  ASSERT_TRUE(build.isValid() && data.isValid());
  Write(build.filePath("ZubRadio02.dll"), QByteArray(10000, 'r'));
  const QString shelf = QDir(data.path()).filePath("download");
  ASSERT_TRUE(QDir().mkpath(shelf));
  if (geteuid() != 0 || mount("none", shelf.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a small disk here (needs root)";
  }
  {
    QFile filler(shelf + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
  }
  const ShelfResult result = PublishLibraries(data.path(), build.path());
  EXPECT_TRUE(result.error.contains("ZubRadio02.dll")) << result.error.toStdString();
  EXPECT_TRUE(result.published.isEmpty());
  EXPECT_FALSE(QFile::exists(shelf + "/ZubRadio02.dll")) << "a cut copy stays on the shelf";
  EXPECT_FALSE(QFile::exists(shelf + "/ZubRadio02.dll.sha256"));
  umount2(shelf.toLocal8Bit().constData(), MNT_DETACH);
}

}  // namespace
}  // namespace varnok::server
