// The program folder's files belong to one running copy at a time: the copy
// holds a lock on "Varnok.lock" in the folder for as long as it runs, and a
// second copy started in the same folder finds the folder in use. The lock
// goes with the process, so a killed copy never leaves the folder locked.
#pragma once

#include <filesystem>
#include <string_view>

namespace varnok {

inline constexpr std::string_view kLockFile = "Varnok.lock";
inline constexpr std::string_view kFolderInUse = "The folder of the game is in use by another copy!";

class FolderLock {
 public:
  enum class State {
    Held,         // this copy holds the folder
    InUse,        // another copy holds it: nothing may be written
    Unavailable,  // no lock can be taken here (a read-only folder): nothing is held
  };

  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  State Status() const { return state_; }
  bool InUse() const { return state_ == State::InUse; }

 private:
  int fd_ = -1;
  State state_ = State::Unavailable;
};

}  // namespace varnok
