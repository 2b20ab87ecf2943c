#include "x11_drawing.h"

#include <QByteArray>
#include <QtGlobal>

namespace varnok {

void PrepareX11Drawing() {
  if (qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) return;  // the user's own choice stands
  if (qgetenv("VARNOK_X11_SHM") == "1") return;
  qputenv("QT_XCB_NO_MITSHM", "1");
}

}  // namespace varnok
