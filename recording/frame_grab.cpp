#include "frame_grab.h"

#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace varnok::recording {

QImage GrabMainWindow(QWidget& window, int capture) {
  if (!window.isVisible()) return QImage();
  if (capture == 2) {
    if (QScreen* screen = window.screen()) {
      // The screen is read in its own coordinates.
      const QRect outer = window.frameGeometry().translated(-screen->geometry().topLeft());
      const QPixmap shot = screen->grabWindow(0, outer.x(), outer.y(), outer.width(), outer.height());
      if (!shot.isNull()) return shot.toImage();
    }
  }
  return window.grab().toImage();
}

}  // namespace varnok::recording
