// The places of the menu screen's controls: the title and caption pictures,
// the club list with its header, the buttons, the side animations and side
// pictures, and in large windows the digital clock, the online counter panel,
// the radio badge and the news board. Only arithmetic: every place is
// computed from the layout values of the window (sx, sy, ScaleK) and the row
// height R = round(ScaleK x 30), rounding halves to the even neighbour.
#pragma once

#include <QRect>
#include <QString>
#include <array>

#include "layout.h"

namespace varnok {

// The controls of the menu screen placed from the layout.
enum class MenuControl : int {
  ImTitle,
  ImCaption,
  ImElite,
  Panel4,
  Button1,
  Button2,
  Button3,
  Button4,
  Button5,
  Button6,
  Button9,
  BHistory,
  Button10,
  BMode,
  Button11,
  Panel1,
  Panel2,
  Panel3,
  RxGIFAn1,
  RxGIFAn2,
  ImageSvLeft,
  ImageSvRight,
};
inline constexpr int kMenuControlCount = 22;

// Every placed control, in the order of the enum.
const std::array<MenuControl, kMenuControlCount>& AllMenuControls();

// The control's name ("Button6", "BMode", "RxGIFAn1").
QString MenuControlName(MenuControl control);

// The member button of club slot 1..5 (Button1 .. Button5); Button1 for a slot
// out of range.
MenuControl MemberButton(int slot);

// R = round(ScaleK x 30): the height of a row of the club list and of every
// menu button.
int MenuRowHeight(const LayoutState& s);

// The shift of the side pictures when the calendar strip is shown.
inline constexpr int kCalendarShift = 20;

// Where a control goes in the window. The side animations (160 x 200) and
// side pictures (100 x 200) keep their pixel size and stay centred on their
// scaled design place; with the calendar strip shown the side pictures move
// 20 design pixels outwards.
QRect MenuControlRect(const LayoutState& s, MenuControl control, bool calendarShown = false);

// Large windows show the digital clock and the online counter panel: window
// modes 4 and 5, and mode 2 with a client area wider than 1290 and taller
// than 850.
bool MenuLargeWindow(const LayoutState& s);

// The digital clock and the online panel: 115 x 64, unscaled.
inline constexpr QSize kMenuClockSize{115, 64};

// A clock under a side picture: left = the picture's left - 7, top = the
// picture's bottom + round(gap / 2) - 36, where gap runs from the picture's
// bottom down to the top of the button below it.
QRect ClockUnder(QRect sidePicture, int buttonTop);

// ImClock1 under ImageSvLeft (gap down to Button9) and ImClock2 under
// ImageSvRight (gap down to Button10).
QRect DigitalClockRect(const LayoutState& s, bool calendarShown = false);
QRect OnlinePanelRect(const LayoutState& s, bool calendarShown = false);

// The radio badge and the news board are shown when ScaleK is at least 1.6.
bool MenuBadgeBoardsShown(const LayoutState& s);

// The radio badge ImRadio, 220 x 125: left = round((right edge of RxGIFAn1 +
// left edge of Button6) / 2 - 110), top = round((client height + bottom edge
// of Button5) / 2 - 62.5).
inline constexpr QSize kMenuBoardSize{220, 125};
QRect RadioBadgeRect(const LayoutState& s);

// The news board ImNews, 220 x 125: the radio badge mirrored to the right
// half of the window, at the same height.
QRect NewsBoardRect(const LayoutState& s);

// The news and chat badges (30 x 33). On the board: at (board left + 50,
// board top + 55) and (board left + 140, board top + 55). In smaller windows
// they stand alone to the right of Button11, side by side and vertically
// centred on it.
inline constexpr QSize kMenuBadgeSize{30, 33};
QRect NewsBadgeRect(const LayoutState& s);
QRect ChatBadgeRect(const LayoutState& s);

// The side lights: six small lamps, three down the outer edge of each side
// picture (lamps 0..2 on the left picture from the top, 3..5 on the right
// one from the top), 12 x 12 pixels, unscaled like the pictures.
inline constexpr int kMenuLampCount = 6;
inline constexpr int kMenuLampSize = 12;
inline constexpr int kMenuLampFrames = 6;
std::array<QRect, kMenuLampCount> MenuLampRects(const LayoutState& s, bool calendarShown = false);

// The picture of a lamp: red at the top, yellow in the middle, green at the
// bottom of each side ("LampR24", "LampY24", "LampG24").
QString MenuLampPicture(int lamp);

// Which lamps burn in frame 0..5 (a frame out of range counts modulo 6): one
// dark lamp runs down the left side and up the right side, so that every lamp
// goes dark once in a cycle and five always burn.
std::array<bool, kMenuLampCount> MenuLampsLit(int frame);

}  // namespace varnok
