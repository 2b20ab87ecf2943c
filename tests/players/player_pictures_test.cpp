// The player window and the notice as pictures, in every design and both
// modes: the header picture of each design is drawn, and no control pokes
// out of the window. With VARNOK_PLAYER_PICTURES set to a folder, the
// pictures are also written there as PNG files to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QtTest/QTest>

#include "../table/widget_test.h"
#include "form_link.h"
#include "form_password.h"
#include "loader.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

class PlayerPictures : public testing::WidgetTest {
 protected:
  void SetUp() override { SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR)); }
  void TearDown() override { SetProgramFolder(QString()); }

  static QImage Picture(QWidget& window, const QString& file) {
    window.show();
    const QImage image = window.grab().toImage();
    const QString folder = qEnvironmentVariable("VARNOK_PLAYER_PICTURES");
    if (!folder.isEmpty()) {
      QDir().mkpath(folder);
      image.save(QDir(folder).filePath(file));
    }
    return image;
  }
};

// How many different colours the top band of a picture has.
int ColoursInBand(const QImage& image, int top, int bottom) {
  QSet<QRgb> colours;
  for (int y = top; y < bottom; y += 2)
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

TEST_F(PlayerPictures, EveryDesignInBothModes) {
  const struct {
    bool purple;
    int gray;
    const char* name;
  } designs[] = {{false, 1, "concise"}, {false, 2, "aristocratic"}, {false, 3, "ribbons"}, {true, 2, "purple"}};
  for (const auto& design : designs) {
    for (const bool network : {false, true}) {
      PlayerWindowSetup setup;
      setup.purple = design.purple;
      setup.grayDesign = design.gray;
      setup.network = network;
      setup.animate = false;
      setup.lastName = "Katerina";
      setup.ownAddresses = [] {
        return std::vector<InterfaceAddress>{{QStringLiteral("192.168.0.4"), QStringLiteral("wlan0")}};
      };
      TFormPassword window(setup);
      EXPECT_FALSE(window.Result().designFellBack) << design.name;
      if (network) {
        QTest::mouseClick(window.findChild<TZubCardsButton*>(QStringLiteral("Button3")), Qt::LeftButton);
      }
      // Two different passwords bring up the status line.
      window.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("a"));
      window.findChild<TZubCardsButton*>(QStringLiteral("Button1"))->click();
      const QString file = QStringLiteral("player_%1_%2.png")
                               .arg(QString::fromLatin1(design.name), network ? QStringLiteral("network")
                                                                              : QStringLiteral("local"));
      const QImage image = Picture(window, file);
      EXPECT_EQ(image.height(), network ? 455 : 295) << design.name;
      EXPECT_GT(ColoursInBand(image, 0, 50), 8) << design.name << ": the header is drawn";
      for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->parentWidget() != &window) continue;
        EXPECT_TRUE(window.rect().contains(child->geometry()))
            << design.name << " " << child->objectName().toStdString() << " pokes out";
      }
      window.reject();
    }
  }
}

TEST_F(PlayerPictures, Notice) {
  TFormLink notice(QStringLiteral("Can`t find the file ZubCGraph1.dll"), QStringLiteral("It is fetched from:"),
                   QStringLiteral("https://varnok.example.org/download"));
  const QImage image = Picture(notice, QStringLiteral("notice.png"));
  EXPECT_EQ(image.width(), notice.width());
  EXPECT_GT(ColoursInBand(image, 5, 53), 8);
}

}  // namespace
}  // namespace varnok
