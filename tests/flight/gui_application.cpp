// The flight tests decode and draw pictures (with text on plain cards), which
// needs a GUI application object; without a display the offscreen platform
// is used.
#include "gui_environment.h"

namespace {

const ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new varnok::testing::GuiApplication<QGuiApplication>("flight-tests"));

}  // namespace
