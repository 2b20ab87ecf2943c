// The flight tests decode and draw pictures (with text on plain cards), which
// needs a GUI application object; without a display the offscreen platform
// is used.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

class GuiApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "flight-tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

const ::testing::Environment* const kGuiApplication = ::testing::AddGlobalTestEnvironment(new GuiApplication);

}  // namespace
