// The resource tests decode pictures and animations, which needs a GUI
// application object (without a screen).
#include "gui_environment.h"

namespace {

const ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new varnok::testing::GuiApplication<QGuiApplication>("resource-tests"));

}  // namespace
