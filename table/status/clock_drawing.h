// The clocks of the table and the menu screen: a seat's move clock in
// tournament games, the digital clock and the online counter panel. Like the
// other status pictures they paint into a layer's picture and know nothing of
// widgets; the window shows, hides and refreshes the layers.
#pragma once

#include <QChar>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QTime>
#include <vector>

#include "status_drawing.h"

namespace varnok {

// The move clock picture: "GTimerR" below 8 seconds, "GTimerY" from 8 on.
QString MoveClockPicture(int seconds);
// The digits' colour: yellow below 8 seconds, red from 8 on.
QColor MoveClockTextColour(int seconds);

// Draws the seconds left for a seat's move over the clock picture resampled
// to the (square) layer; a negative number (-1) leaves the layer cleared.
// Tournament games only: the caller decides whether there is a clock.
void DrawMoveClock(LayerCanvas& canvas, const LayoutState& layout, int seconds);

// The place of a seat's move clock: a square as high as the seat's bubble, at
// the bubble's top and flush with its right end.
QRect MoveClockRect(QRect bubble);

// The pictures of the digital clock for a time: (name, top left) in drawing
// order, unscaled. The hour's tens digit is left out when it is 0, and the
// separator is shown in the second half of every second.
struct PlacedPicture {
  QString name;
  QPoint at;
  friend bool operator==(const PlacedPicture&, const PlacedPicture&) = default;
};
std::vector<PlacedPicture> DigitalClockPictures(QTime now);

// The digital clock and the online panel are shown on the menu screen only
// when ScaleK is at least 1.6; otherwise they stay hidden and are not drawn.
bool MenuClocksShown(const LayoutState& layout);

// Redraws the digital clock, 115 x 64 unscaled. The menu screen shows it only
// when ScaleK is at least 1.6.
void DrawDigitalClock(LayerCanvas& canvas, QTime now);

// The look of the online counter panel's item k (1..7).
struct OnlinePanelLook {
  QString digitPrefix;  // "GRClock": digits "GRClock0".."GRClock9", minus "GRClockM"
  QString icon;         // "Windows", "Android", "Account48"
  QString label;        // "IQ", "D" or none
  QColor labelColour;
};
// Item 1 for an item out of 1..7.
OnlinePanelLook OnlinePanelItemLook(int item);

// Where the characters of a value of n characters go: x of each character
// (all at y = 15) and the size they are resampled to (empty: as stored).
// No place at all for an empty value or one of more than 6 characters.
struct ValueLayout {
  std::vector<int> x;
  QSize size;
};
ValueLayout OnlineValueLayout(int length);

// Redraws the online counter panel with one item: the background, the icon
// at (10, 10), the value's digit pictures, the suffix letter (item 2; none
// when null or a blank) and the item's label. Item 3 shows `flagPicture` (the
// best player's flag) at (90, 10) when one is named. A character other than a
// digit or '-' is left out. 115 x 64 unscaled, shown only when ScaleK is at
// least 1.6.
void DrawOnlinePanel(LayerCanvas& canvas, int item, const QString& value, QChar suffix,
                     const QString& flagPicture = QString());

}  // namespace varnok
