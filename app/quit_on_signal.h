#pragma once

namespace varnok {

// Makes SIGINT, SIGTERM and SIGHUP end the Qt event loop normally, so the
// program shuts down through its usual path instead of dying mid-frame.
// Call once, after the QApplication exists.
void quitOnTerminationSignals();

}  // namespace varnok
