#include "store/company_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace formet {
namespace fs = std::filesystem;

fs::path LockFileOf(const fs::path& companyFile) { return fs::path(companyFile.native() + ".lock"); }

CompanyLock::CompanyLock(CompanyLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), companyFile_(std::move(other.companyFile_)) {
  other.companyFile_.clear();
}

CompanyLock& CompanyLock::operator=(CompanyLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    companyFile_ = std::move(other.companyFile_);
    other.companyFile_.clear();
  }
  return *this;
}

CompanyLock::Outcome CompanyLock::Acquire(const fs::path& companyFile) {
  Release();
  const fs::path lockFile = LockFileOf(companyFile);
  // A few rounds at most: each retry means a holder removed the file between
  // our open and our lock, which a later round sees.
  for (int round = 0; round < 16; ++round) {
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return Outcome::Unavailable;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      ::close(fd);
      return Outcome::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EINTR) continue;
      return error == EWOULDBLOCK ? Outcome::Busy : Outcome::Unavailable;
    }
    struct stat named {};
    if (::stat(lockFile.c_str(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
      fd_ = fd;
      companyFile_ = companyFile;
      return Outcome::Held;
    }
    ::close(fd);  // its holder removed it as we opened it: take the new one
  }
  return Outcome::Busy;
}

void CompanyLock::Release() {
  if (fd_ < 0) return;
  // Only our own file: had someone removed it under us, the name may now
  // belong to another holder.
  const fs::path lockFile = LockFileOf(companyFile_);
  struct stat held {}, named {};
  if (::fstat(fd_, &held) == 0 && ::stat(lockFile.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
      held.st_ino == named.st_ino)
    ::unlink(lockFile.c_str());
  ::close(fd_);
  fd_ = -1;
  companyFile_.clear();
}

}  // namespace formet
