// The media tests need an application object: the audio devices, the
// resources and the word tables are read through it (without a screen).
#include <QApplication>

#include "gui_environment.h"

namespace {

const ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new varnok::testing::GuiApplication<QApplication>("online-tests"));

}  // namespace
