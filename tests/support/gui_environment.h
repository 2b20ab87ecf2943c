// An application object for the test programs that decode and draw pictures,
// play sounds or make widgets: made before the first test and dropped after
// the last, on the offscreen platform when no other is asked for.
#pragma once

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>
#include <string>

namespace varnok::testing {

// App is QGuiApplication, or QApplication where widgets are made (the
// including file includes <QApplication> then).
template <typename App>
class GuiApplication : public ::testing::Environment {
 public:
  explicit GuiApplication(std::string name) : name_(std::move(name)) {}
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    argv_[0] = name_.data();
    app_ = std::make_unique<App>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::string name_;
  int argc_ = 1;
  char* argv_[2] = {nullptr, nullptr};
  std::unique_ptr<App> app_;
};

}  // namespace varnok::testing
