// Card pictures: sizes by card set, the frame of the normal set, library
// faces through the ellipse inversion, the back of the day, the special
// codes, and the fallback to design 0.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "card_pictures.h"
#include "face_ellipse.h"
#include "loader.h"
#include "names.h"

namespace varnok {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Counts the warnings logged while it lives.
class WarningCounter {
 public:
  WarningCounter() {
    count_ = 0;
    previous_ = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
      if (type == QtWarningMsg) ++count_;
    });
  }
  ~WarningCounter() { qInstallMessageHandler(previous_); }
  int Count() const { return count_; }

 private:
  static inline int count_ = 0;
  QtMessageHandler previous_;
};

QImage Loaded(const QString& name, const QString& library) {
  QImage picture;
  EXPECT_TRUE(LoadBitmap(name, library, picture)) << name.toStdString();
  return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

class CardPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)); }
  void TearDown() override { SetProgramFolder(QString()); }
};

TEST_F(CardPicturesTest, NormalSetFaceIsThePictureInABlackFrameWithOpenCorners) {
  CardPictures pictures(0, 0, 1, QSize(71, 96), false, 3);
  const TCard queen = CardFromName("Qs");
  const QImage raw = Loaded(Q(FaceResourceName(queen, 0, 1)), QString());
  EXPECT_EQ(pictures.FacePicture(queen), raw);

  const QImage face = pictures.Face(queen);
  ASSERT_EQ(face.size(), QSize(71, 96));
  for (const QPoint& corner : RoundedCornerPixels(face.size())) EXPECT_EQ(qAlpha(face.pixel(corner)), 0);
  EXPECT_EQ(face.pixel(2, 0), qRgb(0, 0, 0));
  EXPECT_EQ(face.pixel(70, 50), qRgb(0, 0, 0));
  EXPECT_EQ(face.copy(1, 1, 69, 94), raw);
}

TEST_F(CardPicturesTest, LibraryFacesComeBackThroughTheEllipseInversion) {
  struct Case {
    int design, set;
    QSize card;
  };
  const Case cases[] = {{1, 1, {71, 96}}, {28, 2, {126, 198}}, {45, 2, {146, 198}}, {33, 0, {79, 125}}};
  for (const Case& c : cases) {
    CardPictures pictures(c.design, 0, c.set, c.card, false, 1);
    const TCard card = CardFromName("Kh");
    QImage expected;
    ASSERT_TRUE(LoadPng(Q(FaceResourceName(card, c.design, c.set)), Q(FaceLibrary(c.design)), expected));
    InvertFaceEllipse(expected, c.set, IsFullWidthDesign(c.design));
    EXPECT_EQ(pictures.FacePicture(card), expected.convertToFormat(QImage::Format_ARGB32_Premultiplied))
        << "design " << c.design;
    EXPECT_FALSE(pictures.FellBack()) << "design " << c.design;
    EXPECT_EQ(pictures.FaceDesign(), c.design);
  }
}

TEST_F(CardPicturesTest, PictureSizesBySetAndWidth) {
  struct Case {
    int design, set;
    QSize card, picture;
  };
  const Case cases[] = {{0, 1, {71, 96}, {69, 94}},     {0, 0, {92, 125}, {146, 198}},
                        {0, 2, {146, 198}, {146, 198}}, {28, 2, {126, 198}, {126, 198}},
                        {28, 0, {79, 125}, {126, 198}}, {40, 0, {121, 163}, {146, 198}}};
  for (const Case& c : cases) {
    CardPictures pictures(c.design, 3, c.set, c.card, false, 2);
    const TCard card = CardFromName("10d");
    EXPECT_EQ(pictures.Face(card).size(), c.card) << c.design << "/" << c.set;
    EXPECT_EQ(pictures.Back().size(), c.card) << c.design << "/" << c.set;
    EXPECT_EQ(pictures.Blank().size(), c.card) << c.design << "/" << c.set;
    EXPECT_EQ(pictures.FacePicture(card).size(), c.picture) << c.design << "/" << c.set;
    EXPECT_EQ(pictures.BackPicture().size(), c.picture) << c.design << "/" << c.set;
    EXPECT_FALSE(pictures.FellBack());
  }
  // The layout's card size gives the same.
  CardPictures fromLayout(0, 0, CardSize{92, 125, kCardSetStretched}, false, 1);
  EXPECT_EQ(fromLayout.CardSet(), kCardSetStretched);
  EXPECT_EQ(fromLayout.Face(CardFromName("10d")).size(), QSize(92, 125));
}

TEST_F(CardPicturesTest, BackOfTheDayIsKeptFromConstruction) {
  struct Case {
    int design, set, number;
    QSize card;
    const char* library;
  };
  const Case cases[] = {{0, 1, 3, {71, 96}, ""},
                        {1, 2, 5, {146, 198}, "ZubCards06B.dll"},
                        {9, 1, 10, {71, 96}, "ZubCards06B.dll"}};
  for (const Case& c : cases) {
    CardPictures pictures(0, c.design, c.set, c.card, false, c.number);
    EXPECT_EQ(pictures.BackNumber(), c.number);
    const QImage expected =
        Loaded(Q(BackResourceName(c.number, c.design, c.set, true)), QString::fromLatin1(c.library));
    EXPECT_EQ(pictures.BackPicture(), expected) << c.design;
  }
  CardPictures always(0, 2, 1, QSize(71, 96), true);
  EXPECT_EQ(always.BackNumber(), 7);
  const int chosen = always.BackNumber();
  always.SetCardSize(2, QSize(146, 198));
  EXPECT_EQ(always.BackNumber(), chosen);
  // "Always one" holds at every deal as well.
  always.PickBackOfTheDay(6, 9);
  EXPECT_EQ(always.BackNumber(), 7);
  always.SetAlwaysOne(false);
  always.PickBackOfTheDay(6, 9);
  EXPECT_EQ(always.BackNumber(), 6);
  CardPictures random(0, 9, 1, QSize(71, 96));
  random.PickBackOfTheDay(6, 9);
  EXPECT_EQ(random.BackNumber(), 9);
}

TEST_F(CardPicturesTest, EveryDealPicksTheBackOfTheDayWithTheChoice) {
  const struct {
    int design;
    bool always_one;
    int weekday;
    int random;
    int number;
  } cases[] = {
      {2, false, 1, 4, 1},  {2, false, 6, 4, 6}, {2, false, 7, 4, 7}, {2, true, 1, 4, 7},
      {2, true, 6, 4, 7},   {0, true, 3, 9, 7},  {9, false, 6, 9, 9}, {9, true, 6, 3, 3},
      {11, true, 1, 10, 10}, {8, false, 2, 1, 1},
  };
  for (const auto& c : cases) {
    CardPictures pictures(0, c.design, 1, QSize(71, 96), c.always_one, 2);
    pictures.PickBackOfTheDay(c.weekday, c.random);
    EXPECT_EQ(pictures.BackNumber(), c.number) << c.design << " " << c.always_one << " " << c.weekday;
  }
}

TEST_F(CardPicturesTest, CodesPickBackBlankOrFace) {
  CardPictures pictures(0, 0, 1, QSize(71, 96), false, 1);
  EXPECT_EQ(pictures.ForCode("00"), pictures.Back());
  for (const char* blank : {"No", "##", "--"}) {
    EXPECT_EQ(pictures.ForCode(blank), pictures.Blank()) << blank;
    EXPECT_EQ(pictures.PictureForCode(blank), pictures.BlankPicture()) << blank;
  }
  const TCard ace = CardFromName("Ac");
  EXPECT_EQ(pictures.ForCode(ace.Bytes()), pictures.Face(ace));
  EXPECT_EQ(pictures.PictureForCode(ace.Bytes()), pictures.FacePicture(ace));
  EXPECT_NE(pictures.ForCode(ace.Bytes()), pictures.ForCode(CardFromName("Ad").Bytes()));
  EXPECT_TRUE(IsBackCode("00"));
  EXPECT_FALSE(IsBackCode("0"));
  EXPECT_TRUE(IsBlankCode("--"));
  EXPECT_FALSE(IsBlankCode("#"));

  const QImage blank = pictures.Blank();
  EXPECT_EQ(blank.pixel(35, 48), qRgb(255, 255, 255));
  EXPECT_EQ(blank.pixel(35, 0), qRgb(0, 0, 0));
}

TEST_F(CardPicturesTest, UnknownCodesDrawABlankCardAndLogOnce) {
  CardPictures pictures(0, 0, 2, QSize(146, 198), false, 1);
  pictures.Back();  // read everything first
  WarningCounter warnings;
  for (const std::string_view code : {std::string_view("xx"), std::string_view("xx"), std::string_view("q")}) {
    const QImage image = pictures.ForCode(code);
    EXPECT_EQ(image, pictures.Blank());
  }
  EXPECT_EQ(warnings.Count(), 2);  // "xx" once, "q" once
}

TEST_F(CardPicturesTest, OutOfRangeChoicesBecomeDesignZero) {
  WarningCounter warnings;
  CardPictures pictures(99, -3, 7, QSize(0, 0), false, 44);
  EXPECT_EQ(pictures.FaceDesign(), 0);
  EXPECT_EQ(pictures.BackDesign(), 0);
  EXPECT_EQ(pictures.CardSet(), 1);
  EXPECT_EQ(pictures.CardSize(), QSize(71, 96));
  EXPECT_GE(pictures.BackNumber(), 1);
  EXPECT_LE(pictures.BackNumber(), 7);
  EXPECT_EQ(warnings.Count(), 4);
  EXPECT_EQ(pictures.Face(CardFromName("9h")).size(), QSize(71, 96));
}

class MissingLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("top/program")));
    SetProgramFolder(root_.filePath(QStringLiteral("top/program")));
  }
  void TearDown() override { SetProgramFolder(QString()); }

  // A library file in the program folder holding `names`, each a small PNG,
  // or the bytes of `broken` for that one name.
  void MakeLibrary(const QString& file, const std::vector<std::string>& names, const std::string& broken = {}) {
    const QDir source(root_.filePath(QStringLiteral("source")));
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("source")));
    QString qrc = QStringLiteral("<RCC><qresource>");
    for (std::size_t i = 0; i < names.size(); ++i) {
      QByteArray bytes = "not a picture";
      if (names[i] != broken) {
        QImage picture(69, 94, QImage::Format_RGB32);
        picture.fill(qRgb(static_cast<int>(10 * i), 40, 90));
        QBuffer buffer(&bytes);
        bytes.clear();
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
      }
      const QString path = source.filePath(QStringLiteral("p%1.png").arg(i));
      QFile out(path);
      ASSERT_TRUE(out.open(QIODevice::WriteOnly));
      out.write(bytes);
      qrc += QStringLiteral("<file alias=\"%1\">p%2.png</file>").arg(Q(names[i])).arg(i);
    }
    qrc += QStringLiteral("</qresource></RCC>");
    QFile qrcFile(source.filePath(QStringLiteral("lib.qrc")));
    ASSERT_TRUE(qrcFile.open(QIODevice::WriteOnly));
    qrcFile.write(qrc.toUtf8());
    qrcFile.close();
    QProcess rcc;
    rcc.start(QStringLiteral(VARNOK_RCC),
              {QStringLiteral("--binary"), QStringLiteral("-o"), root_.filePath(QStringLiteral("top/program/") + file),
               source.filePath(QStringLiteral("lib.qrc"))});
    ASSERT_TRUE(rcc.waitForFinished(60000));
    ASSERT_EQ(rcc.exitCode(), 0) << rcc.readAllStandardError().toStdString();
  }

  QTemporaryDir root_;
};

TEST_F(MissingLibraryTest, MissingLibrariesFallBackToDesignZero) {
  struct Case {
    int face, back, set;
    QSize card;
    bool fellBack;
    int faceAfter, backAfter;
  };
  const Case cases[] = {
      {12, 0, 1, {71, 96}, true, 0, 0},     // faces from ZubCards06A.dll
      {0, 5, 1, {71, 96}, true, 0, 0},      // backs from ZubCards06B.dll
      {28, 0, 2, {126, 198}, true, 0, 0},   // narrow faces, and design 0's narrow backs
      {0, 0, 1, {71, 96}, false, 0, 0},     // all built in
      {0, 0, 2, {146, 198}, false, 0, 0},   // the large built-in pictures
  };
  for (const Case& c : cases) {
    WarningCounter warnings;
    CardPictures pictures(c.face, c.back, c.set, c.card, false, 2);
    EXPECT_EQ(pictures.FellBack(), c.fellBack) << c.face << "/" << c.back;
    EXPECT_EQ(pictures.FaceDesign(), c.faceAfter) << c.face << "/" << c.back;
    EXPECT_EQ(pictures.BackDesign(), c.backAfter) << c.face << "/" << c.back;
    EXPECT_TRUE(pictures.FullWidth());
    CardPictures builtin(0, 0, c.set, c.card, false, 2);
    EXPECT_EQ(pictures.FacePicture(CardFromName("Js")), builtin.FacePicture(CardFromName("Js")));
    EXPECT_EQ(pictures.BackPicture(), builtin.BackPicture());
    EXPECT_EQ(warnings.Count(), c.fellBack ? 1 : 0) << c.face << "/" << c.back;
  }
}

TEST_F(MissingLibraryTest, NarrowBacksMissingTakeTheFacesBackToDesignZero) {
  // The faces of design 28 are there, the narrow large backs of design 0 are not.
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/ZubCards06A.dll"),
                          root_.filePath(QStringLiteral("top/program/ZubCards06A.dll"))));
  WarningCounter warnings;
  CardPictures pictures(28, 0, 2, QSize(126, 198), false, 4);
  EXPECT_TRUE(pictures.FellBack());
  EXPECT_EQ(pictures.FaceDesign(), 0);
  EXPECT_TRUE(pictures.FullWidth());
  EXPECT_EQ(pictures.FacePicture(CardFromName("9c")).size(), QSize(146, 198));
  EXPECT_EQ(pictures.BackPicture().size(), QSize(146, 198));
  EXPECT_EQ(warnings.Count(), 1);

  CardPictures withBacks(28, 0, 1, QSize(71, 96), false, 4);  // set 1 backs are built in
  EXPECT_FALSE(withBacks.FellBack());
  EXPECT_EQ(withBacks.FaceDesign(), 28);
}

TEST_F(MissingLibraryTest, LibraryLackingTheSetFallsBack) {
  // The library holds the normal pictures of design 1 but not the large ones.
  MakeLibrary(QStringLiteral("ZubCards06A.dll"), FaceResourceNames(1, 1));
  CardPictures normal(1, 0, 1, QSize(71, 96), false, 1);
  EXPECT_FALSE(normal.FellBack());
  CardPictures large(1, 0, 2, QSize(146, 198), false, 1);
  EXPECT_TRUE(large.FellBack());
  EXPECT_EQ(large.FaceDesign(), 0);
}

TEST_F(MissingLibraryTest, UnreadablePictureBecomesAPlainCardWithOneLogLine) {
  const std::vector<std::string> names = FaceResourceNames(1, 1);
  const TCard broken = CardFromName("Qd");
  MakeLibrary(QStringLiteral("ZubCards06A.dll"), names, FaceResourceName(broken, 1, 1));
  WarningCounter warnings;
  CardPictures pictures(1, 0, 1, QSize(71, 96), false, 1);
  EXPECT_FALSE(pictures.FellBack());
  const QImage plain = pictures.FacePicture(broken);
  ASSERT_EQ(plain.size(), QSize(69, 94));
  EXPECT_EQ(plain.pixel(4, 4), qRgb(255, 255, 255));
  pictures.Face(broken);
  pictures.ForCode(broken.Bytes());
  EXPECT_EQ(warnings.Count(), 1);

  // Its neighbours are read and inverted inside the ellipse as usual.
  const QImage king = pictures.FacePicture(CardFromName("Kd"));
  EXPECT_EQ(qGreen(king.pixel(1, 1)), 40);
  EXPECT_EQ(qGreen(king.pixel(47, 35)), 255 - 40);
}

}  // namespace
}  // namespace varnok
