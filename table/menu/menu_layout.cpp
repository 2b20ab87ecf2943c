#include "menu_layout.h"

namespace varnok {

namespace {

int Round(double value) { return RoundHalfEven(value); }

// The pixel-sized pictures keep their size and stay centred on their scaled
// design place: x' = round(x sx) + round((sx - 1) w / 2) for a box w wide
// designed at x (likewise vertically).
int KeepLeft(double x, double sx, int halfWidth) { return Round(x * sx) + Round((sx - 1.0) * halfWidth); }

}  // namespace

const std::array<MenuControl, kMenuControlCount>& AllMenuControls() {
  static const std::array<MenuControl, kMenuControlCount> all = {
      MenuControl::ImTitle,  MenuControl::ImCaption,   MenuControl::ImElite,     MenuControl::Panel4,
      MenuControl::Button1,  MenuControl::Button2,     MenuControl::Button3,     MenuControl::Button4,
      MenuControl::Button5,  MenuControl::Button6,     MenuControl::Button9,     MenuControl::BHistory,
      MenuControl::Button10, MenuControl::BMode,       MenuControl::Button11,    MenuControl::Panel1,
      MenuControl::Panel2,   MenuControl::Panel3,      MenuControl::RxGIFAn1,    MenuControl::RxGIFAn2,
      MenuControl::ImageSvLeft, MenuControl::ImageSvRight,
  };
  return all;
}

QString MenuControlName(MenuControl control) {
  switch (control) {
    case MenuControl::ImTitle: return QStringLiteral("ImTitle");
    case MenuControl::ImCaption: return QStringLiteral("ImCaption");
    case MenuControl::ImElite: return QStringLiteral("ImElite");
    case MenuControl::Panel4: return QStringLiteral("Panel4");
    case MenuControl::Button1: return QStringLiteral("Button1");
    case MenuControl::Button2: return QStringLiteral("Button2");
    case MenuControl::Button3: return QStringLiteral("Button3");
    case MenuControl::Button4: return QStringLiteral("Button4");
    case MenuControl::Button5: return QStringLiteral("Button5");
    case MenuControl::Button6: return QStringLiteral("Button6");
    case MenuControl::Button9: return QStringLiteral("Button9");
    case MenuControl::BHistory: return QStringLiteral("BHistory");
    case MenuControl::Button10: return QStringLiteral("Button10");
    case MenuControl::BMode: return QStringLiteral("BMode");
    case MenuControl::Button11: return QStringLiteral("Button11");
    case MenuControl::Panel1: return QStringLiteral("Panel1");
    case MenuControl::Panel2: return QStringLiteral("Panel2");
    case MenuControl::Panel3: return QStringLiteral("Panel3");
    case MenuControl::RxGIFAn1: return QStringLiteral("RxGIFAn1");
    case MenuControl::RxGIFAn2: return QStringLiteral("RxGIFAn2");
    case MenuControl::ImageSvLeft: return QStringLiteral("ImageSvLeft");
    case MenuControl::ImageSvRight: return QStringLiteral("ImageSvRight");
  }
  return {};
}

MenuControl MemberButton(int slot) {
  if (slot < 1 || slot > 5) return MenuControl::Button1;
  return static_cast<MenuControl>(static_cast<int>(MenuControl::Button1) + slot - 1);
}

int MenuRowHeight(const LayoutState& s) { return Round(s.ScaleK * 30); }

QRect MenuControlRect(const LayoutState& s, MenuControl control, bool calendarShown) {
  const double sx = s.ScaleXFactor;
  const double sy = s.ScaleYFactor;
  const int r = MenuRowHeight(s);
  const int d = calendarShown ? kCalendarShift : 0;
  const int listTop = Round(265 * sy);
  const int buttonW = Round(100 * sx);
  const int sideTop = Round(30 * sy) + Round((sy - 1.0) * 100);
  const int gifTop = Round(290 * sy) + Round((sy - 1.0) * 100);
  switch (control) {
    case MenuControl::ImTitle:
      return {Round(230 * sx), Round(90 * sy) - ScaleLen(s, 5), Round(300 * sx), 3 * r};
    case MenuControl::ImCaption:
      return {ScaleX(s, 180, 400), ScaleY(s, 12, 70), ScaleLen(s, 400), ScaleLen(s, 70)};
    case MenuControl::ImElite:
      return {ScaleX(s, 205, 350), ScaleY(s, 183, 40), ScaleLen(s, 350), ScaleLen(s, 40)};
    case MenuControl::Panel4:
      return {Round(180 * sx), listTop - r - ScaleLen(s, 10), Round(400 * sx), r};
    case MenuControl::Button1:
    case MenuControl::Button2:
    case MenuControl::Button3:
    case MenuControl::Button4:
    case MenuControl::Button5: {
      const int i = static_cast<int>(control) - static_cast<int>(MenuControl::Button1);
      return {Round(180 * sx), listTop + i * r, Round(400 * sx), r};
    }
    case MenuControl::Button6:
      return {Round(280 * sx), listTop + 5 * r + ScaleLen(s, 10), Round(200 * sx), r};
    case MenuControl::Button9: return {Round(40 * sx), Round(225 * sy), buttonW, r};
    case MenuControl::BHistory: return {Round(40 * sx), Round(255 * sy), buttonW, r};
    case MenuControl::Button10: return {Round(620 * sx), Round(225 * sy), buttonW, r};
    case MenuControl::BMode: return {Round(620 * sx), Round(255 * sy), buttonW, r};
    case MenuControl::Button11: return {Round(330 * sx), Round(465 * sy), buttonW, r};
    case MenuControl::Panel1:
    case MenuControl::Panel2:
    case MenuControl::Panel3: {
      const int i = static_cast<int>(control) - static_cast<int>(MenuControl::Panel1);
      return {Round(230 * sx), Round(90 * sy) + i * r, Round(300 * sx), r};
    }
    case MenuControl::RxGIFAn1: return {KeepLeft(7, sx, 80), gifTop, 160, 200};
    case MenuControl::RxGIFAn2: return {KeepLeft(592, sx, 80), gifTop, 160, 200};
    case MenuControl::ImageSvLeft: return {KeepLeft(60 - d, sx, 50), sideTop, 100, 200};
    case MenuControl::ImageSvRight: return {KeepLeft(600 + d, sx, 50), sideTop, 100, 200};
  }
  return {};
}

bool MenuLargeWindow(const LayoutState& s) {
  if (s.WindowMode == kAverageWindow2 || s.WindowMode == kLargeWindow) return true;
  return s.WindowMode == kFullScreen && s.WindowW > 1290 && s.WindowH > 850;
}

QRect ClockUnder(QRect sidePicture, int buttonTop) {
  const int bottom = sidePicture.top() + sidePicture.height();
  const int gap = buttonTop - bottom;
  return {sidePicture.left() - 7, bottom + Round(gap / 2.0) - 36, kMenuClockSize.width(), kMenuClockSize.height()};
}

QRect DigitalClockRect(const LayoutState& s, bool calendarShown) {
  return ClockUnder(MenuControlRect(s, MenuControl::ImageSvLeft, calendarShown),
                    MenuControlRect(s, MenuControl::Button9).top());
}

QRect OnlinePanelRect(const LayoutState& s, bool calendarShown) {
  return ClockUnder(MenuControlRect(s, MenuControl::ImageSvRight, calendarShown),
                    MenuControlRect(s, MenuControl::Button10).top());
}

bool MenuBadgeBoardsShown(const LayoutState& s) { return s.ScaleK >= 1.6; }

QRect RadioBadgeRect(const LayoutState& s) {
  const QRect gif = MenuControlRect(s, MenuControl::RxGIFAn1);
  const QRect button6 = MenuControlRect(s, MenuControl::Button6);
  const QRect button5 = MenuControlRect(s, MenuControl::Button5);
  const int gifRight = gif.left() + gif.width();
  const int button5Bottom = button5.top() + button5.height();
  const int left = Round((gifRight + button6.left()) / 2.0 - 110);
  const int top = Round((s.WindowH + button5Bottom) / 2.0 - 62.5);
  return {QPoint(left, top), kMenuBoardSize};
}

QRect NewsBoardRect(const LayoutState& s) {
  const QRect radio = RadioBadgeRect(s);
  return {QPoint(s.WindowW - (radio.left() + radio.width()), radio.top()), kMenuBoardSize};
}

namespace {

QRect AloneBadge(const LayoutState& s, int index) {
  const QRect exit = MenuControlRect(s, MenuControl::Button11);
  const int left = exit.left() + exit.width() + ScaleLen(s, 10) + index * (kMenuBadgeSize.width() + ScaleLen(s, 6));
  const int top = exit.top() + Round((exit.height() - kMenuBadgeSize.height()) / 2.0);
  return {QPoint(left, top), kMenuBadgeSize};
}

}  // namespace

QRect NewsBadgeRect(const LayoutState& s) {
  if (!MenuBadgeBoardsShown(s)) return AloneBadge(s, 0);
  const QRect board = NewsBoardRect(s);
  return {board.topLeft() + QPoint(50, 55), kMenuBadgeSize};
}

QRect ChatBadgeRect(const LayoutState& s) {
  if (!MenuBadgeBoardsShown(s)) return AloneBadge(s, 1);
  const QRect board = NewsBoardRect(s);
  return {board.topLeft() + QPoint(140, 55), kMenuBadgeSize};
}

std::array<QRect, kMenuLampCount> MenuLampRects(const LayoutState& s, bool calendarShown) {
  const QRect left = MenuControlRect(s, MenuControl::ImageSvLeft, calendarShown);
  const QRect right = MenuControlRect(s, MenuControl::ImageSvRight, calendarShown);
  constexpr int kGap = 4;
  constexpr int kRows[3] = {40, 100, 160};  // centres down the 200 pixels of a side picture
  std::array<QRect, kMenuLampCount> lamps{};
  for (int i = 0; i < 3; ++i) {
    const int dy = kRows[i] - kMenuLampSize / 2;
    lamps[static_cast<std::size_t>(i)] =
        QRect(left.left() - kGap - kMenuLampSize, left.top() + dy, kMenuLampSize, kMenuLampSize);
    lamps[static_cast<std::size_t>(i + 3)] =
        QRect(right.left() + right.width() + kGap, right.top() + dy, kMenuLampSize, kMenuLampSize);
  }
  return lamps;
}

QString MenuLampPicture(int lamp) {
  switch (((lamp % 3) + 3) % 3) {
    case 0: return QStringLiteral("LampR24");
    case 1: return QStringLiteral("LampY24");
    default: return QStringLiteral("LampG24");
  }
}

std::array<bool, kMenuLampCount> MenuLampsLit(int frame) {
  // The dark lamp of each frame: down the left side, then up the right side.
  constexpr int kDark[kMenuLampFrames] = {0, 1, 2, 5, 4, 3};
  const int f = ((frame % kMenuLampFrames) + kMenuLampFrames) % kMenuLampFrames;
  std::array<bool, kMenuLampCount> lit{};
  lit.fill(true);
  lit[static_cast<std::size_t>(kDark[f])] = false;
  return lit;
}

}  // namespace varnok
