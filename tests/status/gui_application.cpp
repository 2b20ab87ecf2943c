// The status tests measure fonts and give controls their fonts, which needs
// an application object; without a display the offscreen platform is used.
#include <QApplication>

#include "gui_environment.h"

namespace {

const ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new varnok::testing::GuiApplication<QApplication>("varnok_status_tests"));

}  // namespace
