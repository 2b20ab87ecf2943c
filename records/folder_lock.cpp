#include "folder_lock.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#define VARNOK_HAVE_FLOCK 1
#endif

namespace varnok {

FolderLock::FolderLock(const std::filesystem::path& folder) {
#ifdef VARNOK_HAVE_FLOCK
  const std::filesystem::path path = folder / kLockFile;
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd_ < 0) return;
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    state_ = State::Held;
    return;
  }
  state_ = errno == EWOULDBLOCK ? State::InUse : State::Unavailable;
  ::close(fd_);
  fd_ = -1;
#else
  (void)folder;
#endif
}

FolderLock::~FolderLock() {
#ifdef VARNOK_HAVE_FLOCK
  if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
#endif
}

}  // namespace varnok
