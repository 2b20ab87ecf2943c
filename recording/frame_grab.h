// The pictures a recording is made of, taken from the main window.
#pragma once

#include <QImage>

class QWidget;

namespace varnok::recording {

// Capture 1: the window's client area as it is drawn. Capture 2: the screen
// inside the window's outer rectangle (frame, caption and whatever lies on
// top of the window), at the outer size; where the platform cannot read the
// screen, the client area. A hidden window gives a null picture.
QImage GrabMainWindow(QWidget& window, int capture);

}  // namespace varnok::recording
