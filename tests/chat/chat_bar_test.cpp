// The chat line on the table, driven like a person: typing into Edit1 and
// sending with Enter or the send button, the 15-character field, the chat
// picture with its four scrolling lines in the writers' colours, and the
// hidden key sequence that only counts while the send button has the focus.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <memory>
#include <vector>

#include "../table/widget_test.h"
#include "chat_bar.h"
#include "table_canvas.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

// A background that differs from pixel to pixel, so that a restored piece
// can only match when it comes from the right place.
QImage PatternBackground(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, qRgb(x % 97, 60 + y % 83, (x + y) % 113));
  }
  return image;
}

class ChatBarTest : public testing::WidgetTest {
 protected:
  void SetUp() override { Make(kSmallWindow); }

  void Make(int mode) {
    chat_.reset();
    canvas_ = std::make_unique<TableCanvas>();
    ApplyMode(mode);
    chat_ = std::make_unique<ChatBar>(canvas_.get(), [this](const QString& name) { sounds_.push_back(name); });
    chat_->Place(canvas_->Layout());
    chat_->Show(true);
    canvas_->show();
    canvas_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas_.get()));
  }

  void ApplyMode(int mode) {
    const LayoutState layout = LayoutForMode(mode);
    canvas_->ApplyLayout(layout, CardSizeFor(layout, true).CardH);
    canvas_->SetBackground(PatternBackground(QSize(layout.WindowW, layout.WindowH)));
  }

  QImage BackgroundUnderMemo() const {
    return canvas_->Background().copy(canvas_->LayerRect(Layer::ImageMemo));
  }
  QImage Memo() const { return canvas_->LayerImage(Layer::ImageMemo).convertToFormat(QImage::Format_RGB32); }

  // Pixels of `colour` in the band of line j of the chat picture.
  int ColouredPixels(int j, QColor colour) const {
    const QImage memo = Memo();
    const LayoutState& layout = canvas_->Layout();
    const int top = ChatLinePosition(layout, j).y();
    int count = 0;
    for (int y = top; y < std::min(memo.height(), top + ScaleLen(layout, 14)); ++y) {
      for (int x = 0; x < memo.width(); ++x) count += memo.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
  }

  std::unique_ptr<TableCanvas> canvas_;
  std::unique_ptr<ChatBar> chat_;
  std::vector<QString> sounds_;
};

// --- typing and sending ------------------------------------------------------

TEST_F(ChatBarTest, EnterAndTheSendButtonSendTheTypedLineAndEmptyTheField) {
  QSignalSpy sent(chat_.get(), &ChatBar::Send);
  QTest::keyClicks(chat_->Edit1(), QStringLiteral("Hello all"));
  QTest::keyClick(chat_->Edit1(), Qt::Key_Return);
  ASSERT_EQ(sent.count(), 1);
  EXPECT_EQ(sent.at(0).at(0).toString(), QStringLiteral("Hello all"));
  EXPECT_TRUE(chat_->Edit1()->text().isEmpty());

  QTest::keyClicks(chat_->Edit1(), QStringLiteral("gl hf"));
  QTest::mouseClick(chat_->BitBtn1(), Qt::LeftButton);
  ASSERT_EQ(sent.count(), 2);
  EXPECT_EQ(sent.at(1).at(0).toString(), QStringLiteral("gl hf"));
  EXPECT_TRUE(chat_->Edit1()->text().isEmpty());
  // Sending draws nothing by itself: the window shows the own line.
  EXPECT_TRUE(chat_->Lines().isEmpty());
}

TEST_F(ChatBarTest, TheFieldKeepsFifteenCharacters) {
  QSignalSpy sent(chat_.get(), &ChatBar::Send);
  QTest::keyClicks(chat_->Edit1(), QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
  EXPECT_EQ(chat_->Edit1()->text(), QStringLiteral("abcdefghijklmno"));
  QTest::keyClick(chat_->Edit1(), Qt::Key_Enter);
  ASSERT_EQ(sent.count(), 1);
  EXPECT_EQ(sent.at(0).at(0).toString().size(), kChatTextLength);
}

TEST_F(ChatBarTest, AnEmptyOrBlankFieldSendsNothing) {
  QSignalSpy sent(chat_.get(), &ChatBar::Send);
  for (const QString& typed : {QString(), QStringLiteral("   ")}) {
    chat_->Edit1()->setText(typed);
    QTest::keyClick(chat_->Edit1(), Qt::Key_Return);
    QTest::mouseClick(chat_->BitBtn1(), Qt::LeftButton);
  }
  EXPECT_EQ(sent.count(), 0);
}

TEST_F(ChatBarTest, DisabledControlsSendNothing) {
  QSignalSpy sent(chat_.get(), &ChatBar::Send);
  chat_->Edit1()->setText(QStringLiteral("hi"));
  chat_->SetEnabled(false);
  QTest::keyClick(chat_->Edit1(), Qt::Key_Return);
  QTest::mouseClick(chat_->BitBtn1(), Qt::LeftButton);
  EXPECT_EQ(sent.count(), 0);
  chat_->SetEnabled(true);
  QTest::mouseClick(chat_->BitBtn1(), Qt::LeftButton);
  EXPECT_EQ(sent.count(), 1);
}

// --- the chat picture --------------------------------------------------------

TEST_F(ChatBarTest, LinesAreDrawnIntoTheLayerAndClearRestoresTheBackground) {
  EXPECT_EQ(Memo(), BackgroundUnderMemo());
  chat_->AddLine(2, QStringLiteral("Bob"), QStringLiteral("hello"));
  EXPECT_NE(Memo(), BackgroundUnderMemo());
  EXPECT_TRUE(canvas_->LayerVisible(Layer::ImageMemo));
  // What the window shows is the picture.
  EXPECT_EQ(canvas_->Screen().copy(canvas_->LayerRect(Layer::ImageMemo)), Memo());
  EXPECT_GT(ColouredPixels(1, ChatSeatColour(2)), 0);

  chat_->Clear();
  EXPECT_TRUE(chat_->Lines().isEmpty());
  EXPECT_EQ(Memo(), BackgroundUnderMemo());
  EXPECT_EQ(canvas_->Screen().copy(canvas_->LayerRect(Layer::ImageMemo)), BackgroundUnderMemo());
}

TEST_F(ChatBarTest, EachLineHasItsWritersColourAtItsPlace) {
  const int seats[] = {1, 2, 3, 4};
  for (int seat : seats) chat_->AddLine(seat, QString(), QStringLiteral("WWWW"));
  for (int j = 1; j <= 4; ++j) {
    for (int seat : seats) {
      if (seat == j) EXPECT_GT(ColouredPixels(j, ChatSeatColour(seat)), 5) << "line " << j;
      else EXPECT_EQ(ColouredPixels(j, ChatSeatColour(seat)), 0) << "line " << j << " seat " << seat;
    }
  }
}

TEST_F(ChatBarTest, AFifthLinePushesTheFirstOut) {
  const QStringList texts = {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                             QStringLiteral("four"), QStringLiteral("five")};
  for (int i = 0; i < texts.size(); ++i) chat_->AddLine(i % 3 + 1, QStringLiteral("n%1").arg(i), texts[i]);
  ASSERT_EQ(chat_->Lines().size(), kChatLineCount);
  QVector<ChatLine> expected;
  for (int i = 1; i < 5; ++i) expected.append({i % 3 + 1, QStringLiteral("n%1").arg(i), texts[i]});
  EXPECT_EQ(chat_->Lines(), expected);

  // The picture is exactly the four remaining lines drawn afresh.
  QImage fresh;
  LayerCanvas layer{fresh, canvas_->LayerRect(Layer::ImageMemo), canvas_->Background()};
  DrawChatPicture(layer, canvas_->Layout(), expected);
  EXPECT_EQ(fresh.convertToFormat(QImage::Format_RGB32), Memo());
}

TEST_F(ChatBarTest, ReceivedLinesSoundAndOwnLinesDoNot) {
  chat_->AddLine(3, QStringLiteral("Me"), QStringLiteral("mine"));
  EXPECT_TRUE(sounds_.empty());
  chat_->Receive(1, QStringLiteral("Ann"), QStringLiteral("theirs"));
  EXPECT_EQ(sounds_, std::vector<QString>{QStringLiteral("WToMenK")});
  ASSERT_EQ(chat_->Lines().size(), 2);
  EXPECT_EQ(chat_->Lines().back().text, QStringLiteral("theirs"));
}

TEST_F(ChatBarTest, BadLinesAreDrawnSafely) {
  // A seat out of range is drawn in black; a text longer than the field is
  // cut and line breaks become blanks.
  chat_->AddLine(9, QString(), QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
  chat_->AddLine(-1, QString(), QStringLiteral("a\nb\rc\td"));
  ASSERT_EQ(chat_->Lines().size(), 2);
  EXPECT_EQ(chat_->Lines()[0].text.size(), kChatTextLength);
  EXPECT_EQ(chat_->Lines()[1].text, QStringLiteral("a b c d"));
  EXPECT_GT(ColouredPixels(1, QColor(0, 0, 0)), 0);
}

TEST(ChatTextTest, SeatColours) {
  struct Case {
    int seat;
    QColor colour;
  } const cases[] = {{1, QColor(128, 0, 0)}, {2, QColor(0, 0, 128)}, {3, QColor(0, 128, 0)},
                     {4, QColor(128, 128, 0)}, {0, QColor(0, 0, 0)},   {5, QColor(0, 0, 0)}};
  for (const Case& c : cases) EXPECT_EQ(ChatSeatColour(c.seat), c.colour) << c.seat;
}

TEST_F(ChatBarTest, WideTextsAreShortenedFromTheEndAtMostTwelveTimes) {
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setFont(ChatFont(LayoutForMode(kSmallWindow)));
  const QFontMetrics metrics(painter.font());
  const int limit = ScaleLen(LayoutForMode(kSmallWindow), kChatLineWidth);

  const QString narrow = QStringLiteral("ok");
  EXPECT_EQ(ShortenChatText(painter, narrow, limit), narrow);

  // Cut while wider than the limit: the kept part fits, one more would not.
  const QString medium = QStringLiteral("Good game, all!");
  const QString shortened = ShortenChatText(painter, medium, limit);
  ASSERT_TRUE(shortened.endsWith(QStringLiteral("...")));
  const QString kept = shortened.chopped(3);
  EXPECT_TRUE(medium.startsWith(kept));
  EXPECT_LE(metrics.horizontalAdvance(kept), limit);
  EXPECT_GT(metrics.horizontalAdvance(medium.left(kept.size() + 1)), limit);

  // Never more than twelve cuts, even when the rest is still too wide.
  const QString wide(15, QLatin1Char('W'));
  EXPECT_EQ(ShortenChatText(painter, wide, 1), QStringLiteral("WWW..."));
  // A character outside the basic plane is cut whole.
  const QString emoji = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600");
  EXPECT_EQ(ShortenChatText(painter, emoji, 0), QStringLiteral("..."));
}

// --- the hidden key sequence -------------------------------------------------

TEST_F(ChatBarTest, TheKeySequenceCountsOnlyWhileTheSendButtonHasTheFocus) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(canvas_.get()));
  QSignalSpy toggled(chat_.get(), &ChatBar::DebugToggled);

  chat_->Edit1()->setFocus();
  QTest::keyClicks(chat_->Edit1(), QStringLiteral("48317"));
  EXPECT_EQ(toggled.count(), 0);

  chat_->BitBtn1()->setFocus();
  ASSERT_TRUE(chat_->BitBtn1()->hasFocus());
  QTest::keyClicks(chat_->BitBtn1(), QStringLiteral("48317"));
  EXPECT_EQ(toggled.count(), 1);
  // The buffer starts again: typing it once more toggles back.
  QTest::keyClicks(chat_->BitBtn1(), QStringLiteral("48317"));
  EXPECT_EQ(toggled.count(), 2);
}

TEST_F(ChatBarTest, AWrongKeyOrAFocusChangeSpoilsTheSequence) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(canvas_.get()));
  QSignalSpy toggled(chat_.get(), &ChatBar::DebugToggled);
  chat_->BitBtn1()->setFocus();

  // A wrong key first: no toggle until the button loses the focus.
  QTest::keyClicks(chat_->BitBtn1(), QStringLiteral("x48317"));
  EXPECT_EQ(toggled.count(), 0);

  // Half the sequence, then the focus goes away and comes back.
  chat_->Edit1()->setFocus();
  chat_->BitBtn1()->setFocus();
  QTest::keyClicks(chat_->BitBtn1(), QStringLiteral("483"));
  chat_->Edit1()->setFocus();
  chat_->BitBtn1()->setFocus();
  QTest::keyClicks(chat_->BitBtn1(), QStringLiteral("17"));
  EXPECT_EQ(toggled.count(), 0);

  QTest::keyClicks(chat_->BitBtn1(), QStringLiteral("48317"));
  EXPECT_EQ(toggled.count(), 0) << "17 before it spoils the number";
  chat_->Edit1()->setFocus();
  chat_->BitBtn1()->setFocus();
  QTest::keyClicks(chat_->BitBtn1(), QStringLiteral("48317"));
  EXPECT_EQ(toggled.count(), 1);
}

// --- showing and placing -----------------------------------------------------

TEST_F(ChatBarTest, ShowAndHide) {
  chat_->AddLine(1, QString(), QStringLiteral("hi"));
  chat_->Show(false);
  EXPECT_FALSE(chat_->Edit1()->isVisible());
  EXPECT_FALSE(chat_->BitBtn1()->isVisible());
  EXPECT_FALSE(canvas_->LayerVisible(Layer::ImageMemo));
  // Lines that arrive while hidden are kept and drawn, not shown.
  chat_->AddLine(2, QString(), QStringLiteral("there"));
  EXPECT_FALSE(canvas_->LayerVisible(Layer::ImageMemo));
  chat_->Show(true);
  EXPECT_TRUE(chat_->Edit1()->isVisible());
  EXPECT_TRUE(chat_->BitBtn1()->isVisible());
  EXPECT_TRUE(canvas_->LayerVisible(Layer::ImageMemo));
  EXPECT_GT(ColouredPixels(2, ChatSeatColour(2)), 0);
}

TEST_F(ChatBarTest, PlacementInTheSmallAndTheLargeWindow) {
  struct Case {
    int mode;
    QRect edit;
    QRect send;
  } const cases[] = {
      {kSmallWindow, QRect(620, 468, 94, 24), QRect(716, 468, 34, 24)},
      {kLargeWindow, QRect(1240, 936, 188, 48), QRect(1432, 936, 68, 48)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Make(c.mode);
    chat_->AddLine(1, QStringLiteral("Ann"), QStringLiteral("Hello!"));
    chat_->AddLine(2, QStringLiteral("Bob"), QStringLiteral("Good game, all!"));
    chat_->AddLine(3, QStringLiteral("Me"), QStringLiteral("Thanks"));
    const LayoutState& layout = canvas_->Layout();
    const QRect edit = chat_->Edit1()->geometry();
    const QRect send = chat_->BitBtn1()->geometry();
    EXPECT_EQ(edit, c.edit);
    EXPECT_EQ(send, c.send);

    const QRect window(0, 0, layout.WindowW, layout.WindowH);
    const QRect memo = canvas_->LayerRect(Layer::ImageMemo);
    const QRect hand = canvas_->LayerRect(Layer::ImageCards3);
    for (const QRect& control : {edit, send}) {
      EXPECT_TRUE(window.contains(control));
      EXPECT_GE(control.top(), memo.bottom());
      EXPECT_FALSE(control.intersects(hand));
      for (int y : {402, 448}) {
        const QRect tableButton(ScaleX(layout, 10, 132), ScaleY(layout, y, 40), ScaleLen(layout, 132),
                                ScaleLen(layout, 40));
        EXPECT_FALSE(control.intersects(tableButton));
      }
    }
    EXPECT_FALSE(edit.intersects(send));

    // Pictures of what a person sees, when asked for (VARNOK_CHAT_SHOTS=folder).
    const QString shots = qEnvironmentVariable("VARNOK_CHAT_SHOTS");
    if (!shots.isEmpty()) {
      QDir().mkpath(shots);
      canvas_->grab().save(QDir(shots).filePath(QStringLiteral("chat_mode%1.png").arg(c.mode)));
    }
  }
}

TEST_F(ChatBarTest, ANewWindowSizeRedrawsTheLines) {
  chat_->AddLine(4, QString(), QStringLiteral("still here"));
  ApplyMode(kLargeWindow);  // hides every layer and makes their pictures anew
  chat_->Place(canvas_->Layout());
  EXPECT_TRUE(canvas_->LayerVisible(Layer::ImageMemo));
  EXPECT_EQ(Memo().size(), QSize(260, 180));
  EXPECT_GT(ColouredPixels(1, ChatSeatColour(4)), 0);
  EXPECT_EQ(chat_->Edit1()->geometry(), PlaceChatControl(canvas_->Layout(), kEditDesign));
}

}  // namespace
}  // namespace varnok
