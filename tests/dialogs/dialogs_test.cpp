// The game dialogs driven like a person: each is opened modally (the game's
// two without waiting, as the table opens them), and clicked with Qt Test. The trump dialog and the
// order dialog refuse to close without a choice; the order runs from the
// winning bid to 180 and wraps at both ends; the speed slider calls back at
// once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSlider>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "../table/widget_test.h"
#include "about_window.h"
#include "form_mast.h"
#include "form_zakaz.h"
#include "speed_window.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

class DialogsTest : public testing::WidgetTest {
 protected:
  void TearDown() override {
    // A dialog a failed step left open would block the next test.
    while (QWidget* open = QApplication::activeModalWidget()) {
      if (auto* dialog = qobject_cast<QDialog*>(open)) dialog->done(QDialog::Rejected);
      else open->close();
      QApplication::processEvents();
    }
  }
};

// Runs `steps` on the dialog once it is open and modal. Should the steps
// leave it open, it is ended afterwards so that the test goes on.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog&)> steps) {
  QTimer::singleShot(0, [steps] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog of the expected kind is open";
      return;
    }
    steps(*dialog);
    if (dialog->isVisible()) {
      ADD_FAILURE() << "the dialog is still open after the steps";
      dialog->done(QDialog::Rejected);
    }
  });
}

// Runs `steps` on a game dialog the table opened without waiting; the steps
// must close it (else it is ended afterwards so that the test goes on).
template <typename Dialog>
void RunOpened(Dialog* opened, const std::function<void(Dialog&)>& steps) {
  ASSERT_NE(opened, nullptr);
  QPointer<Dialog> dialog(opened);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialog->isModal());
  steps(*dialog);
  if (dialog && dialog->isVisible()) {
    ADD_FAILURE() << "the dialog is still open after the steps";
    dialog->done(QDialog::Rejected);
  }
}

// The trump dialog's answer once `steps` closed it; nothing when it gave none.
std::optional<std::uint8_t> AskTrump(QWidget* parent, const std::function<void(TFormMast&)>& steps,
                                     const SoundHook& sound = {}) {
  std::optional<std::uint8_t> answer;
  RunOpened<TFormMast>(TFormMast::Ask(parent, sound, [&](std::uint8_t suit) { answer = suit; }), steps);
  return answer;
}

std::optional<int> AskOrder(int winning_bid, const std::function<void(TFormZakaz&)>& steps, const SoundHook& sound = {}) {
  std::optional<int> answer;
  RunOpened<TFormZakaz>(TFormZakaz::Ask(nullptr, winning_bid, sound, [&](int order) { answer = order; }), steps);
  return answer;
}

template <typename Button = TZubCardsButton>
Button* Find(QWidget& dialog, const char* name) {
  auto* button = dialog.findChild<Button*>(QString::fromLatin1(name));
  EXPECT_NE(button, nullptr) << name;
  return button;
}

void Click(QWidget& dialog, const char* name) {
  if (auto* button = Find(dialog, name)) QTest::mouseClick(button, Qt::LeftButton);
}

// --- trump -------------------------------------------------------------------

TEST_F(DialogsTest, TrumpDialogGivesTheSuitClicked) {
  const struct {
    const char* button;
    std::uint8_t suit;
  } cases[] = {{"SuitHearts", kHearts}, {"SuitDiamonds", kDiamonds}, {"SuitClubs", kClubs}, {"SuitSpades", kSpades}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    std::vector<QString> sounds;
    const auto answer = AskTrump(
        nullptr,
        [&](TFormMast& dialog) {
          EXPECT_EQ(sounds, std::vector<QString>{"WOpenFo"}) << "the sound comes as the dialog opens";
          Click(dialog, c.button);
        },
        [&](QString name) { sounds.push_back(name); });
    EXPECT_EQ(answer, c.suit);
  }
}

TEST_F(DialogsTest, TrumpDialogRefusesToCloseWithoutASuit) {
  const auto answer = AskTrump(nullptr, [](TFormMast& dialog) {
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint) << "no close box";
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()) << "Escape";
    dialog.close();
    EXPECT_TRUE(dialog.isVisible()) << "close";
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible()) << "reject";
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter names no suit";
    EXPECT_FALSE(dialog.Chosen());
    Click(dialog, "SuitClubs");
  });
  EXPECT_EQ(answer, kClubs);
}

TEST_F(DialogsTest, TrumpDialogLooksAsItShould) {
  QWidget window;
  window.setGeometry(100, 80, 760, 500);
  window.show();
  const auto answer = AskTrump(&window, [&](TFormMast& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Choice trump");
    auto* label = Find<QLabel>(dialog, "SelectTrump");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Select trump:");
    EXPECT_TRUE(label->font().bold());
    // Left to right: hearts, diamonds (red), clubs, spades (dark blue), square.
    const char* order[] = {"SuitHearts", "SuitDiamonds", "SuitClubs", "SuitSpades"};
    const TColorSB colours[] = {TColorSB::DRed, TColorSB::DRed, TColorSB::DNavy, TColorSB::DNavy};
    int last_x = -1;
    for (int i = 0; i < 4; ++i) {
      TZubCardsButton* button = Find(dialog, order[i]);
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button, dialog.SuitButton(i));
      EXPECT_EQ(button->ColorSB(), colours[i]) << order[i];
      EXPECT_EQ(button->width(), button->height()) << order[i];
      EXPECT_FALSE(button->Glyph().isNull()) << order[i];
      EXPECT_GT(button->x(), last_x);
      last_x = button->x();
    }
    const QPoint centre = dialog.frameGeometry().center();
    const QPoint wanted = window.frameGeometry().center();
    EXPECT_LE((centre - wanted).manhattanLength(), 2) << "centred on the window";
    Click(dialog, "SuitSpades");
  });
  EXPECT_EQ(answer, kSpades);
}

// --- order -------------------------------------------------------------------

struct OrderStep {
  const char* button;
  int shown;
};

std::optional<int> RunOrderDialog(int winning_bid, const std::vector<OrderStep>& steps) {
  return AskOrder(winning_bid, [&](TFormZakaz& dialog) {
    auto* number = Find<QLabel>(dialog, "OrderValue");
    ASSERT_NE(number, nullptr);
    for (const OrderStep& step : steps) {
      if (std::string(step.button) == "Ok") {
        Click(dialog, "Ok");
        return;
      }
      Click(dialog, step.button);
      EXPECT_EQ(number->text().toInt(), step.shown) << "after " << step.button;
    }
  });
}

TEST_F(DialogsTest, OrderDialogRunsFromTheBidTo180AndWraps) {
  struct Case {
    const char* what;
    int bid;
    std::vector<OrderStep> steps;
    int order;
  };
  const Case cases[] = {
      {"keeps the bid", 100, {{"Ok", 0}}, 100},
      {"right 10 from 175 gives 180, right 1 from 180 gives the bid", 100,
       {{"Up5", 105}, {"Up10", 115}, {"Up10", 125}, {"Up10", 135}, {"Up10", 145}, {"Up10", 155},
        {"Up10", 165}, {"Up10", 175}, {"Up10", 180}, {"Up1", 100}, {"Ok", 0}},
       100},
      {"left 5 from 103 gives the bid, left 1 from the bid gives 180", 100,
       {{"Up1", 101}, {"Up1", 102}, {"Up1", 103}, {"Down5", 100}, {"Down1", 180}, {"Down1", 179}, {"Ok", 0}},
       179},
      {"right 5 near the top stops at 180, then wraps", 165,
       {{"Up10", 175}, {"Up1", 176}, {"Up5", 180}, {"Up5", 165}, {"Ok", 0}},
       165},
      {"left 10 wraps from the bid, then steps down", 120,
       {{"Down10", 180}, {"Down10", 170}, {"Down10", 160}, {"Down5", 155}, {"Down10", 145}, {"Down10", 135},
        {"Down10", 125}, {"Down10", 120}, {"Down10", 180}, {"Ok", 0}},
       180},
      {"a bid of 180 stays at 180", 180, {{"Up1", 180}, {"Down10", 180}, {"Up10", 180}, {"Ok", 0}}, 180},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RunOrderDialog(c.bid, c.steps), c.order);
  }
}

TEST_F(DialogsTest, OrderDialogRefusesToCloseBeforeOk) {
  std::vector<QString> sounds;
  const auto answer = AskOrder(85, [&](TFormZakaz& dialog) {
    EXPECT_EQ(sounds, std::vector<QString>{"WOpenFo"});
    EXPECT_EQ(dialog.windowTitle(), "The order of game");
    auto* label = Find<QLabel>(dialog, "OrderGame");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Order game:");
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    Click(dialog, "Up10");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Confirmed());
    // The lowering buttons sit on the left of the number, the raising ones on the right.
    const int number_x = Find<QLabel>(dialog, "OrderValue")->geometry().center().x();
    for (const char* name : {"Down1", "Down5", "Down10"}) EXPECT_LT(Find(dialog, name)->geometry().right(), number_x);
    for (const char* name : {"Up1", "Up5", "Up10"}) EXPECT_GT(Find(dialog, name)->geometry().left(), number_x);
    // The captions say which way each button moves the order.
    const std::pair<const char*, QString> captions[] = {
        {"Down1", QStringLiteral("\u22121")}, {"Down5", QStringLiteral("\u22125")}, {"Down10", QStringLiteral("\u221210")},
        {"Up1", QStringLiteral("+1")},         {"Up5", QStringLiteral("+5")},         {"Up10", QStringLiteral("+10")}};
    for (const auto& [name, caption] : captions) EXPECT_EQ(Find(dialog, name)->text(), caption) << name;
    // The range under the number: from the winning bid to 180.
    EXPECT_EQ(Find<QLabel>(dialog, "OrderRange")->text(), QStringLiteral("85 \u2013 180"));
    EXPECT_GT(Find<QLabel>(dialog, "OrderRange")->geometry().top(), Find<QLabel>(dialog, "OrderValue")->geometry().top());
    Click(dialog, "Ok");
  }, [&](QString name) { sounds.push_back(name); });
  EXPECT_EQ(answer, 95);
}

TEST_F(DialogsTest, OrderDialogNeverShowsMoreThan180) {
  TFormZakaz dialog(200);
  EXPECT_EQ(dialog.Minimum(), 180);
  EXPECT_EQ(dialog.Value(), 180);
  QTest::mouseClick(dialog.StepButton(OrderButton::Up5), Qt::LeftButton);
  EXPECT_EQ(dialog.Value(), 180);
}

TEST_F(DialogsTest, ADialogTornDownWithoutAChoiceAnswersNothing) {
  // The table was left under an open dialog: no move comes of it.
  bool trump_answered = false;
  bool order_answered = false;
  QPointer<TFormMast> trump = TFormMast::Ask(nullptr, {}, [&](std::uint8_t) { trump_answered = true; });
  QPointer<TFormZakaz> order = TFormZakaz::Ask(nullptr, 70, {}, [&](int) { order_answered = true; });
  ASSERT_TRUE(trump && order);
  trump->done(QDialog::Rejected);
  order->done(QDialog::Rejected);
  QApplication::processEvents();
  EXPECT_FALSE(trump_answered);
  EXPECT_FALSE(order_answered);
}

// --- speed and about -----------------------------------------------------------

TEST_F(DialogsTest, SpeedSliderSetsTheSpeedAtOnce) {
  std::vector<int> speeds;
  WhenOpen<TFormSpeed>([&](TFormSpeed& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Choice of speed");
    EXPECT_EQ(Find<QLabel>(dialog, "SelectSpeed")->text(), "Select a flight speed of cards:");
    auto* slider = Find<QSlider>(dialog, "Speed");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 6);
    EXPECT_EQ(slider->value(), 2) << "placed at the current speed";
    EXPECT_TRUE(speeds.empty());
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(speeds, std::vector<int>{3});
    QTest::keyClick(slider, Qt::Key_End);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(speeds, (std::vector<int>{3, 6}));
    Click(dialog, "Ok");
  });
  EXPECT_EQ(TFormSpeed::Open(nullptr, 2, [&](int speed) { speeds.push_back(speed); }), 6);
}

TEST_F(DialogsTest, SpeedWindowPlacesADamagedSpeedAtTheDefault) {
  for (int damaged : {0, 7, -40}) {
    int calls = 0;
    TFormSpeed window(damaged, [&](int) { ++calls; });
    EXPECT_EQ(window.Speed(), kDefaultSpeed) << damaged;
    EXPECT_EQ(calls, 0);
  }
}

TEST_F(DialogsTest, AboutWindowShowsTitleVersionAndLicence) {
  WhenOpen<TFormAbout>([](TFormAbout& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "About");
    EXPECT_EQ(Find<QLabel>(dialog, "Title")->text(), "Varnok");
    EXPECT_EQ(Find<QLabel>(dialog, "Version")->text(), "V 5.7f");
    EXPECT_TRUE(Find<QLabel>(dialog, "Licence")->text().contains("GNU General Public License"));
    Click(dialog, "Ok");
  });
  TFormAbout::Open(nullptr);
}

TEST_F(DialogsTest, TheNewButtonsSettingReachesEveryButton) {
  for (bool nata : {true, false}) {
    SetDialogNata(nata);
    TFormMast mast;
    TFormZakaz zakaz(60);
    TFormSpeed speed(4, {});
    TFormAbout about;
    for (QWidget* dialog : std::initializer_list<QWidget*>{&mast, &zakaz, &speed, &about}) {
      const auto buttons = dialog->findChildren<TZubCardsButton*>();
      EXPECT_FALSE(buttons.isEmpty());
      for (const TZubCardsButton* button : buttons) EXPECT_EQ(button->Nata(), nata) << button->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace varnok
