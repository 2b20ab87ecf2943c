// The recording tests draw, grab widgets and decode GIF files, which needs an
// application object (without a screen).
#include <QApplication>

#include "gui_environment.h"

namespace {

const ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new varnok::testing::GuiApplication<QApplication>("recording-tests"));

}  // namespace
