// The places of the menu screen's controls in the window modes, the clocks
// under the side pictures, the badges and the side lights.
#include <gtest/gtest.h>

#include <set>

#include "menu_layout.h"

namespace varnok {
namespace {

LayoutState Mode(int mode, QSize area = QSize()) { return LayoutForMode(mode, area); }

TEST(MenuLayout, RowHeightFollowsTheUniformScale) {
  const struct {
    int mode;
    int r;
  } cases[] = {{1, 30}, {3, 39}, {4, 51}, {5, 60}};
  for (const auto& c : cases) EXPECT_EQ(MenuRowHeight(Mode(c.mode)), c.r) << "mode " << c.mode;
  // 1.75 x 30 = 52.5 rounds to the even 52.
  LayoutState s;
  s.ScaleK = 1.75;
  EXPECT_EQ(MenuRowHeight(s), 52);
}

struct Place {
  MenuControl control;
  QRect rect;
};

TEST(MenuLayout, SmallWindowPlacesEveryControlAtItsDesignPlace) {
  const LayoutState s = Mode(kSmallWindow);
  const Place places[] = {
      {MenuControl::ImTitle, {230, 85, 300, 90}},      {MenuControl::ImCaption, {180, 12, 400, 70}},
      {MenuControl::ImElite, {205, 183, 350, 40}},     {MenuControl::Panel4, {180, 225, 400, 30}},
      {MenuControl::Button1, {180, 265, 400, 30}},     {MenuControl::Button3, {180, 325, 400, 30}},
      {MenuControl::Button5, {180, 385, 400, 30}},     {MenuControl::Button6, {280, 425, 200, 30}},
      {MenuControl::Button9, {40, 225, 100, 30}},      {MenuControl::BHistory, {40, 255, 100, 30}},
      {MenuControl::Button10, {620, 225, 100, 30}},    {MenuControl::BMode, {620, 255, 100, 30}},
      {MenuControl::Button11, {330, 465, 100, 30}},    {MenuControl::Panel2, {230, 120, 300, 30}},
      {MenuControl::RxGIFAn1, {7, 290, 160, 200}},     {MenuControl::RxGIFAn2, {592, 290, 160, 200}},
      {MenuControl::ImageSvLeft, {60, 30, 100, 200}},  {MenuControl::ImageSvRight, {600, 30, 100, 200}},
  };
  for (const Place& p : places) {
    EXPECT_EQ(MenuControlRect(s, p.control), p.rect) << MenuControlName(p.control).toStdString();
  }
}

TEST(MenuLayout, LargeWindowScalesRowsAndKeepsPicturesAtTheirPixelSize) {
  const LayoutState s = Mode(kLargeWindow);
  const Place places[] = {
      {MenuControl::ImTitle, {460, 170, 600, 180}},     {MenuControl::ImCaption, {360, 24, 800, 140}},
      {MenuControl::ImElite, {410, 366, 700, 80}},      {MenuControl::Panel4, {360, 450, 800, 60}},
      {MenuControl::Button1, {360, 530, 800, 60}},      {MenuControl::Button3, {360, 650, 800, 60}},
      {MenuControl::Button6, {560, 850, 400, 60}},      {MenuControl::Button9, {80, 450, 200, 60}},
      {MenuControl::BMode, {1240, 510, 200, 60}},       {MenuControl::Button11, {660, 930, 200, 60}},
      {MenuControl::RxGIFAn1, {94, 680, 160, 200}},     {MenuControl::RxGIFAn2, {1264, 680, 160, 200}},
      {MenuControl::ImageSvLeft, {170, 160, 100, 200}}, {MenuControl::ImageSvRight, {1250, 160, 100, 200}},
  };
  for (const Place& p : places) {
    EXPECT_EQ(MenuControlRect(s, p.control), p.rect) << MenuControlName(p.control).toStdString();
  }
}

TEST(MenuLayout, CalendarStripMovesTheSidePicturesOutwards) {
  const LayoutState s = Mode(kLargeWindow);
  // (60 - 20) x 2 + 50 and (600 + 20) x 2 + 50.
  EXPECT_EQ(MenuControlRect(s, MenuControl::ImageSvLeft, true).left(), 130);
  EXPECT_EQ(MenuControlRect(s, MenuControl::ImageSvRight, true).left(), 1290);
  EXPECT_EQ(MenuControlRect(s, MenuControl::RxGIFAn1, true), MenuControlRect(s, MenuControl::RxGIFAn1, false));
}

TEST(MenuLayout, LargeWindowsAreModesFourAndFiveAndABigFullScreen) {
  const struct {
    int mode;
    QSize area;
    bool large;
  } cases[] = {
      {1, {}, false},          {3, {}, false},           {4, {}, true},           {5, {}, true},
      {2, {1600, 900}, true},  {2, {1290, 900}, false},  {2, {1600, 850}, false}, {2, {1291, 851}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MenuLargeWindow(Mode(c.mode, c.area)), c.large) << c.mode << " " << c.area.width() << "x"
                                                               << c.area.height();
  }
}

TEST(MenuLayout, ClockSitsInTheGapUnderItsSidePicture) {
  const struct {
    QRect side;
    int buttonTop;
    QRect clock;
  } cases[] = {
      // gap 90: 360 + 45 - 36
      {{170, 160, 100, 200}, 450, {163, 369, 115, 64}},
      // gap 23: round(11.5) is the even 12
      {{93, 69, 100, 200}, 292, {86, 245, 115, 64}},
      // gap 25: round(12.5) is the even 12
      {{0, 0, 100, 200}, 225, {-7, 176, 115, 64}},
  };
  for (const auto& c : cases) EXPECT_EQ(ClockUnder(c.side, c.buttonTop), c.clock);
  const LayoutState s = Mode(kLargeWindow);
  EXPECT_EQ(DigitalClockRect(s), QRect(163, 369, 115, 64));
  // Under ImageSvRight (1250, 160) with Button10 at 450.
  EXPECT_EQ(OnlinePanelRect(s), QRect(1243, 369, 115, 64));
}

TEST(MenuLayout, RadioBadgeLiesBetweenTheLeftAnimationAndTheList) {
  const struct {
    int mode;
    QRect radio;
    QRect news;
  } cases[] = {
      // (254 + 560) / 2 - 110 = 297; (1000 + 830) / 2 - 62.5 = 852.5 -> 852
      {5, {297, 852, 220, 125}, {1003, 852, 220, 125}},
      // (228 + 476) / 2 - 110 = 242; (850 + 705) / 2 - 62.5 = 715
      {4, {242, 715, 220, 125}, {828, 715, 220, 125}},
  };
  for (const auto& c : cases) {
    const LayoutState s = Mode(c.mode);
    EXPECT_TRUE(MenuBadgeBoardsShown(s));
    EXPECT_EQ(RadioBadgeRect(s), c.radio) << c.mode;
    EXPECT_EQ(NewsBoardRect(s), c.news) << c.mode;
    EXPECT_EQ(NewsBadgeRect(s), QRect(c.news.topLeft() + QPoint(50, 55), QSize(30, 33)));
    EXPECT_EQ(ChatBadgeRect(s), QRect(c.news.topLeft() + QPoint(140, 55), QSize(30, 33)));
    // The boards stay clear of the buttons.
    for (MenuControl control : AllMenuControls()) {
      if (control == MenuControl::Panel1 || control == MenuControl::Panel2 || control == MenuControl::Panel3) continue;
      EXPECT_FALSE(c.radio.intersects(MenuControlRect(s, control))) << MenuControlName(control).toStdString();
      EXPECT_FALSE(c.news.intersects(MenuControlRect(s, control))) << MenuControlName(control).toStdString();
    }
  }
  EXPECT_FALSE(MenuBadgeBoardsShown(Mode(kAverageWindow1)));
}

TEST(MenuLayout, BadgesStandAloneBesideTheExitButtonInSmallerWindows) {
  for (int mode : {1, 3}) {
    const LayoutState s = Mode(mode);
    const QRect exit = MenuControlRect(s, MenuControl::Button11);
    const QRect news = NewsBadgeRect(s);
    const QRect chat = ChatBadgeRect(s);
    EXPECT_GT(news.left(), exit.right()) << mode;
    EXPECT_GT(chat.left(), news.right()) << mode;
    EXPECT_TRUE(QRect(0, 0, s.WindowW, s.WindowH).contains(chat)) << mode;
    EXPECT_EQ(news.center().y(), chat.center().y());
  }
}

TEST(MenuLayout, LampsFlankTheSidePicturesInsideTheWindow) {
  for (int mode = 1; mode <= 5; ++mode) {
    const LayoutState s = Mode(mode, QSize(1600, 900));
    const QRect left = MenuControlRect(s, MenuControl::ImageSvLeft);
    const QRect right = MenuControlRect(s, MenuControl::ImageSvRight);
    const std::array<QRect, kMenuLampCount> lamps = MenuLampRects(s);
    for (int i = 0; i < kMenuLampCount; ++i) {
      const QRect lamp = lamps[static_cast<std::size_t>(i)];
      EXPECT_TRUE(QRect(0, 0, s.WindowW, s.WindowH).contains(lamp)) << mode << " lamp " << i;
      EXPECT_FALSE(lamp.intersects(left) || lamp.intersects(right)) << mode << " lamp " << i;
      if (i < 3) {
        EXPECT_LT(lamp.right(), left.left());
      } else {
        EXPECT_GT(lamp.left(), right.right());
      }
    }
  }
}

TEST(MenuLayout, OneDarkLampRunsRoundInSixFrames) {
  std::set<int> dark;
  for (int frame = 0; frame < kMenuLampFrames; ++frame) {
    const std::array<bool, kMenuLampCount> lit = MenuLampsLit(frame);
    int off = -1;
    int count = 0;
    for (int i = 0; i < kMenuLampCount; ++i) {
      if (!lit[static_cast<std::size_t>(i)]) {
        off = i;
        ++count;
      }
    }
    EXPECT_EQ(count, 1) << "frame " << frame;
    dark.insert(off);
  }
  EXPECT_EQ(dark.size(), 6u);  // every lamp goes dark once a cycle
  EXPECT_EQ(MenuLampsLit(6), MenuLampsLit(0));
  EXPECT_EQ(MenuLampsLit(-1), MenuLampsLit(5));
  EXPECT_EQ(MenuLampPicture(0), QStringLiteral("LampR24"));
  EXPECT_EQ(MenuLampPicture(4), QStringLiteral("LampY24"));
  EXPECT_EQ(MenuLampPicture(5), QStringLiteral("LampG24"));
}

TEST(MenuLayout, ControlNamesAreTheWindowsNames) {
  std::set<QString> names;
  for (MenuControl control : AllMenuControls()) names.insert(MenuControlName(control));
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kMenuControlCount));
  EXPECT_EQ(MenuControlName(MemberButton(3)), QStringLiteral("Button3"));
  EXPECT_EQ(MenuControlName(MemberButton(9)), QStringLiteral("Button1"));
}

}  // namespace
}  // namespace varnok
