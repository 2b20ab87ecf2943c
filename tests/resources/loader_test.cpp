// The loader: finding a library beside the program or in its parent folder,
// reading names from it and from the built-in resources.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMovie>
#include <QProcess>
#include <QTemporaryDir>

#include "loader.h"

namespace varnok {
namespace {

// A one-pixel GIF89a picture.
const QByteArray kGif = QByteArray::fromHex(
    "47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// A folder "program" with a sibling layout program/.. for the parent lookup,
// and a small library made with rcc in "source".
class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("top/program")));
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("source")));
    program_ = root_.filePath(QStringLiteral("top/program"));
    parent_ = root_.filePath(QStringLiteral("top"));
    SetProgramFolder(program_);

    const QDir source(root_.filePath(QStringLiteral("source")));
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 250));
    ASSERT_TRUE(WriteFile(source.filePath(QStringLiteral("pic.png")), Encoded(picture, "PNG")));
    ASSERT_TRUE(WriteFile(source.filePath(QStringLiteral("photo.jpg")), Encoded(picture, "JPEG")));
    ASSERT_TRUE(WriteFile(source.filePath(QStringLiteral("anim.gif")), kGif));
    ASSERT_TRUE(WriteFile(source.filePath(QStringLiteral("note.txt")), "a note"));
    ASSERT_TRUE(WriteFile(source.filePath(QStringLiteral("lib.qrc")),
                          "<RCC><qresource>"
                          "<file alias=\"Pic\">pic.png</file><file alias=\"Photo\">photo.jpg</file>"
                          "<file alias=\"Anim\">anim.gif</file><file alias=\"Note\">note.txt</file>"
                          "</qresource></RCC>"));
    library_ = source.filePath(QStringLiteral("built.dll"));
    QProcess rcc;
    rcc.start(QStringLiteral(VARNOK_RCC),
              {QStringLiteral("--binary"), QStringLiteral("-o"), library_, source.filePath(QStringLiteral("lib.qrc"))});
    ASSERT_TRUE(rcc.waitForFinished(30000));
    ASSERT_EQ(rcc.exitCode(), 0) << rcc.readAllStandardError().toStdString();
  }
  void TearDown() override { SetProgramFolder(QString()); }

  void PutLibrary(const QString& folder, const QString& name = QStringLiteral("ZubTest.dll")) {
    ASSERT_TRUE(QFile::copy(library_, QDir(folder).filePath(name)));
  }

  QTemporaryDir root_;
  QString program_, parent_, library_;
};

TEST_F(LoaderTest, MissingLibraryIsFalseAndLeavesTheTargetAlone) {
  QImage target(3, 3, QImage::Format_RGB32);
  target.fill(Qt::red);
  EXPECT_FALSE(LibraryPresent(QStringLiteral("ZubTest.dll")));
  EXPECT_EQ(FindLibrary(QStringLiteral("ZubTest.dll")), QString());
  EXPECT_FALSE(LoadPng(QStringLiteral("Pic"), QStringLiteral("ZubTest.dll"), target));
  EXPECT_EQ(target.size(), QSize(3, 3));
  QByteArray data("kept");
  EXPECT_FALSE(LoadData(QStringLiteral("Note"), QStringLiteral("ZubTest.dll"), data));
  EXPECT_EQ(data, QByteArray("kept"));
  EXPECT_FALSE(ResourceLibrary(QStringLiteral("ZubTest.dll")).IsOpen());
}

TEST_F(LoaderTest, LibraryInTheParentFolderIsFound) {
  PutLibrary(parent_);
  EXPECT_EQ(FindLibrary(QStringLiteral("ZubTest.dll")), QDir(parent_).absoluteFilePath(QStringLiteral("ZubTest.dll")));
  QImage picture;
  ASSERT_TRUE(LoadPng(QStringLiteral("Pic"), QStringLiteral("ZubTest.dll"), picture));
  EXPECT_EQ(picture.size(), QSize(30, 20));
  EXPECT_EQ(picture.pixel(5, 5), qRgb(10, 20, 250));
}

TEST_F(LoaderTest, TheProgramFolderComesFirst) {
  PutLibrary(parent_);
  PutLibrary(program_);
  EXPECT_EQ(FindLibrary(QStringLiteral("ZubTest.dll")), QDir(program_).absoluteFilePath(QStringLiteral("ZubTest.dll")));
  // A name with a folder in it is never looked up.
  EXPECT_EQ(FindLibrary(QStringLiteral("../top/ZubTest.dll")), QString());
  EXPECT_EQ(FindLibrary(QString()), QString());
}

TEST_F(LoaderTest, EachKindLoads) {
  PutLibrary(program_);
  const QString lib = QStringLiteral("ZubTest.dll");
  QImage picture;
  EXPECT_TRUE(LoadBitmap(QStringLiteral("Pic"), lib, picture));
  EXPECT_EQ(picture.size(), QSize(30, 20));
  QImage photo;
  ASSERT_TRUE(LoadJpeg(QStringLiteral("Photo"), lib, photo));
  EXPECT_EQ(photo.size(), QSize(30, 20));
  EXPECT_GT(qBlue(photo.pixel(15, 10)), 200);
  QByteArray gif;
  ASSERT_TRUE(LoadGif(QStringLiteral("Anim"), lib, gif));
  EXPECT_EQ(gif, kGif);
  QMovie movie;
  ASSERT_TRUE(LoadGif(QStringLiteral("Anim"), lib, movie));
  ASSERT_TRUE(movie.jumpToFrame(0));
  EXPECT_EQ(movie.currentImage().size(), QSize(1, 1));
  ASSERT_TRUE(LoadGif(QStringLiteral("Anim"), lib, movie));  // loading again replaces the bytes
  EXPECT_TRUE(movie.isValid());
  QByteArray note;
  ASSERT_TRUE(LoadData(QStringLiteral("Note"), lib, note));
  EXPECT_EQ(note, QByteArray("a note"));
}

TEST_F(LoaderTest, WrongKindOrMissingNameIsFalse) {
  PutLibrary(program_);
  const QString lib = QStringLiteral("ZubTest.dll");
  QImage picture;
  EXPECT_FALSE(LoadPng(QStringLiteral("Photo"), lib, picture));  // a JPEG is not a PNG
  EXPECT_FALSE(LoadJpeg(QStringLiteral("Pic"), lib, picture));
  EXPECT_FALSE(LoadPng(QStringLiteral("Note"), lib, picture));
  EXPECT_FALSE(LoadBitmap(QStringLiteral("Note"), lib, picture));
  QByteArray gif;
  EXPECT_FALSE(LoadGif(QStringLiteral("Pic"), lib, gif));
  EXPECT_FALSE(LoadPng(QStringLiteral("Nothing"), lib, picture));
  EXPECT_FALSE(LoadPng(QString(), lib, picture));
  EXPECT_TRUE(picture.isNull());
}

TEST_F(LoaderTest, ALibraryIsReleasedWhenClosed) {
  PutLibrary(program_);
  QString path;
  {
    const ResourceLibrary open(QStringLiteral("ZubTest.dll"));
    ASSERT_TRUE(open.IsOpen());
    EXPECT_EQ(open.Names(), (QStringList{QStringLiteral("Anim"), QStringLiteral("Note"), QStringLiteral("Photo"),
                                         QStringLiteral("Pic")}));
    path = open.Path(QStringLiteral("Note"));
    EXPECT_TRUE(QFile::exists(path));
    // A second opening of the same file at the same time has its own root.
    const ResourceLibrary again(QStringLiteral("ZubTest.dll"));
    EXPECT_TRUE(again.Contains(QStringLiteral("Note")));
    EXPECT_NE(again.Path(QStringLiteral("Note")), path);
  }
  EXPECT_FALSE(QFile::exists(path));
  // The file can be replaced once released (nothing keeps it registered).
  ASSERT_TRUE(QFile::remove(QDir(program_).filePath(QStringLiteral("ZubTest.dll"))));
  EXPECT_FALSE(LibraryPresent(QStringLiteral("ZubTest.dll")));
}

TEST_F(LoaderTest, AFileThatIsNoResourceBundleDoesNotOpen) {
  ASSERT_TRUE(WriteFile(QDir(program_).filePath(QStringLiteral("ZubBroken.dll")), QByteArray(4096, 'x')));
  EXPECT_TRUE(LibraryPresent(QStringLiteral("ZubBroken.dll")));
  EXPECT_FALSE(ResourceLibrary(QStringLiteral("ZubBroken.dll")).IsOpen());
  QByteArray data;
  EXPECT_FALSE(LoadData(QStringLiteral("Note"), QStringLiteral("ZubBroken.dll"), data));
}

TEST(BuiltinResources, FacesAndBacksOfDesignZero) {
  QImage face;
  ASSERT_TRUE(LoadBitmap(QStringLiteral("Ch09"), QString(), face));
  EXPECT_EQ(face.size(), QSize(69, 94));
  ASSERT_TRUE(LoadPng(QStringLiteral("Pi5AB"), QString(), face));
  EXPECT_EQ(face.size(), QSize(146, 198));
  ASSERT_TRUE(LoadBitmap(QStringLiteral("Ob07Su"), QString(), face));
  EXPECT_EQ(face.size(), QSize(69, 94));
  EXPECT_FALSE(LoadPng(QStringLiteral("Ob07SuU"), QString(), face));  // lives in ZubCards06B.dll
  const QString path = BuiltinResourcePath(QStringLiteral("Cher"));
  ASSERT_FALSE(path.isEmpty());
  EXPECT_TRUE(QImage(path).size() == QSize(20, 20));
  EXPECT_EQ(BuiltinResourcePath(QStringLiteral("NoSuchName")), QString());
}

}  // namespace
}  // namespace varnok
