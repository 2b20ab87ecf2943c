// A QApplication for the widget tests, made on first use (the test program's
// main comes from GoogleTest). Without a display the offscreen platform is used.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

namespace varnok::testing {

inline void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnok_table_tests";
  static char* argv[] = {name, nullptr};
  // Lives until the program ends, shared by every test.
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

class WidgetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

}  // namespace varnok::testing
