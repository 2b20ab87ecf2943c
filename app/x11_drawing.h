// How the program's pictures reach an X11 screen.
//
// Qt hands a window's changed pixels to the X server through shared memory
// when it can. Before it paints again over pixels the server may still be
// reading, it waits for a round trip to the server; the menu's running light
// and every step of a card flight paint over what they painted a moment ago,
// so each of their frames waited for the server. Sent over the connection
// instead, the few changed pixels cost less than that wait: the idle menu
// uses about 40 % less of a core, and a card flight no more.
#pragma once

namespace varnok {

// Chooses the drawing before the application object is made (Qt reads the
// choice when it connects to the X server): over the connection, unless
// VARNOK_X11_SHM=1 asks for shared memory or QT_XCB_NO_MITSHM is already
// set. Does nothing on other platforms (they never read the choice).
void PrepareX11Drawing();

}  // namespace varnok
