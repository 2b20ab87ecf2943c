// The fonts of the main window's controls and of the network wait window,
// computed from the window's layout and the font settings. Called at start,
// after a window size change and after the font settings change.
#pragma once

#include <QFont>
#include <QStringList>

#include "layout.h"

class QWidget;

namespace varnok {

// Button6, Button9, Button10, Button11, BMode, BHistory, Button7, Button8: the
// large font's face, bold, round(FontSize(20, "decor") x ScaleK x f) pixels
// high with f = 1 in window mode 1 and 0.9 otherwise.
QFont MainButtonFont(const LayoutState& layout);
QStringList MainButtonNames();

// Button1..Button5 and Panel1..Panel4, fixed pitch: in window mode 1 special
// font 1 at FontSize(11, "fixed"), regular; otherwise special font 2 at
// FontSize(round(ScaleK x 16), "conew"), bold.
QFont InfoFont(const LayoutState& layout);
QStringList InfoControlNames();

// The wait window's Button1 and Button2: the large font's face at
// FontSize(20, "decor"), bold.
QFont WaitButtonFont();
QStringList WaitButtonNames();
// The wait window's Label1..Label4: the large font's face at FontSize(16, "serif").
QFont WaitLabelFont();
QStringList WaitLabelNames();

// Sets the fonts on the named controls of the main window (those inside it,
// not those of other windows it owns) and, when given, of the wait window.
void ApplyControlFonts(QWidget* window, const LayoutState& layout, QWidget* waitWindow = nullptr);

}  // namespace varnok
