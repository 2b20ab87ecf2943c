// The program's message window answered by clicks and keys: "Yes" is the
// only way to a yes, "No", Escape and closing all say no, and the buttons
// speak the current language.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "form_message.h"
#include "../table/widget_test.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

class MessageWindow : public testing::WidgetTest {
 protected:
  void TearDown() override { i18n::SetLanguage(i18n::kEnglish); }
};

// Asks, and answers with `answer` once the window is up.
bool AskAndAnswer(const std::function<void(TFormMessage&)>& answer) {
  QTimer::singleShot(0, [answer] {
    auto* box = qobject_cast<TFormMessage*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    answer(*box);
  });
  return TFormMessage::Ask(nullptr, QStringLiteral("You want to leave in the main menu?"), QStringLiteral("Ask"));
}

TEST_F(MessageWindow, OnlyYesSaysYes) {
  EXPECT_TRUE(AskAndAnswer([](TFormMessage& box) { QTest::mouseClick(box.YesButton(), Qt::LeftButton); }));
  EXPECT_FALSE(AskAndAnswer([](TFormMessage& box) { QTest::mouseClick(box.NoButton(), Qt::LeftButton); }));
  EXPECT_FALSE(AskAndAnswer([](TFormMessage& box) { QTest::keyClick(&box, Qt::Key_Escape); }));
  EXPECT_FALSE(AskAndAnswer([](TFormMessage& box) { box.close(); }));
  // Enter takes the default answer, which is No.
  EXPECT_FALSE(AskAndAnswer([](TFormMessage& box) { QTest::keyClick(&box, Qt::Key_Return); }));
}

TEST_F(MessageWindow, ButtonsAreOwnerDrawnAndSpeakTheLanguage) {
  TFormMessage question(MessageKind::Question, QStringLiteral("?"));
  ASSERT_NE(question.YesButton(), nullptr);
  ASSERT_NE(question.NoButton(), nullptr);
  EXPECT_EQ(question.OkButton(), nullptr);
  EXPECT_EQ(question.YesButton()->text(), QStringLiteral("Yes"));
  TFormMessage notice(MessageKind::Warning, QStringLiteral("Error of disk writing!"));
  ASSERT_NE(notice.OkButton(), nullptr);
  EXPECT_EQ(notice.YesButton(), nullptr);
  EXPECT_EQ(notice.Text(), QStringLiteral("Error of disk writing!"));

  i18n::SetLanguage(i18n::kRussian);
  TFormMessage russian(MessageKind::Question, QStringLiteral("?"));
  EXPECT_EQ(russian.YesButton()->text(), QStringLiteral("Да"));
  EXPECT_EQ(russian.NoButton()->text(), QStringLiteral("Нет"));
}

}  // namespace
}  // namespace varnok
