// The notice window: only non-empty lines are shown, the width follows the
// widest text, the third line opens as a link (web and mail addresses only),
// and "Ok" or Escape closes it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>

#include "../table/widget_test.h"
#include "form_link.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

class Notice : public testing::WidgetTest {};

TEST_F(Notice, WidthRule) {
  const struct {
    int text;
    int width;
  } cases[] = {{0, 400}, {100, 400}, {290, 400}, {291, 400}, {300, 409}, {500, 609}};
  for (const auto& c : cases) EXPECT_EQ(NoticeWidth(c.text), c.width) << c.text;
}

TEST_F(Notice, OnlyNonEmptyLinesAreShown) {
  TFormLink notice(QStringLiteral("Can`t find the file ZubCGraph1.dll"), QString(), QString());
  notice.show();
  EXPECT_EQ(notice.windowTitle(), QStringLiteral("Attention"));
  EXPECT_TRUE(notice.Line(1)->isVisible());
  EXPECT_FALSE(notice.Line(2)->isVisible());
  EXPECT_FALSE(notice.Line(3)->isVisible());
  EXPECT_EQ(notice.Line(1)->pos(), QPoint(59, 5));
  EXPECT_EQ(notice.OkButton()->x(), 5);
  EXPECT_EQ(notice.OkButton()->width(), notice.width() - 10);
  EXPECT_GE(notice.width(), 400);
}

TEST_F(Notice, ThirdLineIsALink) {
  QStringList opened;
  TFormLink notice(QStringLiteral("A new version is ready."), QStringLiteral("Download it from:"),
                   QStringLiteral("https://varnok.example.org/download"), nullptr,
                   [&opened](const QString& text) { opened << text; });
  notice.show();
  QLabel* link = notice.Line(3);
  EXPECT_EQ(link->pos(), QPoint(59, 37));
  EXPECT_TRUE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(link, Qt::LeftButton);
  EXPECT_EQ(opened, QStringList{QStringLiteral("https://varnok.example.org/download")});
  QTest::mouseClick(notice.Line(1), Qt::LeftButton);
  EXPECT_EQ(opened.size(), 1);
}

TEST_F(Notice, OnlyWebAndMailAddressesAreOpened) {
  const struct {
    const char* text;
    bool opens;
  } cases[] = {{"https://varnok.example.org/", true},
               {"http://example.org/a?b=c", true},
               {"mailto:player@example.org", true},
               {"C:\\Windows\\System32\\cmd.exe", false},
               {"file:///etc/passwd", false},
               {"calc", false},
               {"", false}};
  for (const auto& c : cases) EXPECT_EQ(IsOpenableLink(QString::fromUtf8(c.text)), c.opens) << c.text;
}

TEST_F(Notice, OkAndEscapeClose) {
  for (const bool escape : {false, true}) {
    QTimer::singleShot(0, [escape] {
      auto* notice = qobject_cast<TFormLink*>(QApplication::activeModalWidget());
      ASSERT_NE(notice, nullptr);
      if (escape) QTest::keyClick(notice, Qt::Key_Escape);
      else QTest::mouseClick(notice->OkButton(), Qt::LeftButton);
    });
    ShowNotice(nullptr, QStringLiteral("One line"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << escape;
  }
}

}  // namespace
}  // namespace varnok
