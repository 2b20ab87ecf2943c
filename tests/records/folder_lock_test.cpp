// One running copy per program folder: a second copy finds the folder in use
// until the first one lets it go.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "folder_lock.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

class FolderLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("varnok-lock-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(FolderLockTest, ASecondCopyFindsTheFolderInUseUntilTheFirstEnds) {
  auto first = std::make_unique<FolderLock>(folder_);
  EXPECT_EQ(first->Status(), FolderLock::State::Held);
  {
    FolderLock second(folder_);
    EXPECT_TRUE(second.InUse());
  }
  fs::create_directories(folder_ / "other");
  FolderLock other(folder_ / "other");  // another folder is free
  EXPECT_FALSE(other.InUse());
  first.reset();
  FolderLock third(folder_);
  EXPECT_EQ(third.Status(), FolderLock::State::Held);
}

TEST_F(FolderLockTest, AFolderWithoutRoomForTheLockHoldsNothing) {
  FolderLock missing(folder_ / "no-such-folder");
  EXPECT_EQ(missing.Status(), FolderLock::State::Unavailable);
  EXPECT_FALSE(missing.InUse());
}

}  // namespace
}  // namespace varnok
