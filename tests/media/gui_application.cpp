// The media tests need an application object: the audio devices, the
// resources and the word tables are read through it (without a screen).
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class Application : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "media-tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

const ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(new Application);

}  // namespace
