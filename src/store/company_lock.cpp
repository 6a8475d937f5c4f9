#include "store/company_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <utility>

#include "store/file_words.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

// The byte of the company file that is locked: far beyond the bytes the
// engine locks (from 1 GiB on) and beyond the end of any company file.
constexpr off_t kCompanyFileLockByte = off_t{1} << 62;

CompanyLock::OpenFunction& OpenOverride() {
  static CompanyLock::OpenFunction open;
  return open;
}

int OpenFile(const fs::path& path, int flags, mode_t mode = 0) {
  if (OpenOverride()) return OpenOverride()(path.c_str(), flags, mode);
  return ::open(path.c_str(), flags, mode);
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

LockProblem ProblemOf(LockProblem::Kind kind, const fs::path& lockFile, int error = 0) {
  LockProblem problem;
  problem.kind = kind;
  problem.error = error;
  problem.lockFile = lockFile;
  return problem;
}

// What is at the lock file's name, when it is not a regular file.
std::optional<LockProblem> InTheWay(const fs::path& lockFile, const struct stat& st) {
  if (S_ISLNK(st.st_mode)) return ProblemOf(LockProblem::Kind::SymbolicLink, lockFile);
  if (S_ISDIR(st.st_mode)) return ProblemOf(LockProblem::Kind::Folder, lockFile);
  if (!S_ISREG(st.st_mode)) {
    auto problem = ProblemOf(LockProblem::Kind::NotAFile, lockFile);
    problem.type = st.st_mode & S_IFMT;
    return problem;
  }
  return std::nullopt;
}

std::string UserName(uid_t uid) {
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
    return std::string("the user ") + found->pw_name;
  return "the user number " + std::to_string(uid);
}

}  // namespace

fs::path LockFileOf(const fs::path& companyFile) { return fs::path(companyFile.native() + ".lock"); }

void CompanyLock::SetOpenForTests(OpenFunction open) { OpenOverride() = std::move(open); }

CompanyLock::CompanyLock(CompanyLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      companyFd_(std::exchange(other.companyFd_, -1)),
      companyWriteError_(std::exchange(other.companyWriteError_, 0)),
      companyFile_(std::move(other.companyFile_)),
      problem_(std::move(other.problem_)) {
  other.companyFile_.clear();
}

CompanyLock& CompanyLock::operator=(CompanyLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    companyFd_ = std::exchange(other.companyFd_, -1);
    companyWriteError_ = std::exchange(other.companyWriteError_, 0);
    companyFile_ = std::move(other.companyFile_);
    other.companyFile_.clear();
    problem_ = std::move(other.problem_);
  }
  return *this;
}

CompanyLock::Outcome CompanyLock::Acquire(const fs::path& companyFile) {
  Release();
  problem_ = {};
  const fs::path lockFile = LockFileOf(companyFile);
  const auto unavailable = [&](LockProblem problem) {
    problem_ = std::move(problem);
    return Outcome::Unavailable;
  };
  // A few rounds at most: each retry means a holder removed the file between
  // our open and our lock, which a later round sees.
  for (int round = 0; round < 16; ++round) {
    // Nothing but a regular file is ever opened: a device could answer an
    // open, a named pipe could hang a read.
    struct stat found {};
    const bool exists = ::lstat(lockFile.c_str(), &found) == 0;
    if (exists)
      if (auto problem = InTheWay(lockFile, found)) return unavailable(*problem);
    int fd = OpenFile(lockFile, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0 && (errno == EACCES || errno == EPERM) && exists) {
      // Another user's lock file: a lock needs no more than reading it.
      fd = OpenFile(lockFile, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    }
    if (fd < 0) {
      const int error = errno;
      if (error == EINTR) continue;
      struct stat now {};
      const bool there = ::lstat(lockFile.c_str(), &now) == 0;
      if (there)
        if (auto problem = InTheWay(lockFile, now)) return unavailable(*problem);
      if (error == ELOOP) return unavailable(ProblemOf(LockProblem::Kind::SymbolicLink, lockFile, error));
      if (error == EISDIR) return unavailable(ProblemOf(LockProblem::Kind::Folder, lockFile, error));
      if (there && (error == EACCES || error == EPERM)) {
        auto problem = ProblemOf(LockProblem::Kind::NotPermitted, lockFile, error);
        problem.owner = now.st_uid;
        return unavailable(problem);
      }
      return unavailable(ProblemOf(there ? LockProblem::Kind::Other : LockProblem::Kind::CannotCreate, lockFile,
                                   error));
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
      const int error = errno;
      ::close(fd);
      return unavailable(ProblemOf(LockProblem::Kind::Other, lockFile, error));
    }
    if (auto problem = InTheWay(lockFile, opened)) {
      ::close(fd);
      return unavailable(*problem);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EINTR) continue;
      if (error == EWOULDBLOCK) return Outcome::Busy;
      return unavailable(ProblemOf(LockProblem::Kind::NoLocking, lockFile, error));
    }
    struct stat named {};
    if (::stat(lockFile.c_str(), &named) != 0 || !SameFile(named, opened)) {
      ::close(fd);  // its holder removed it as we opened it: take the new one
      continue;
    }
    fd_ = fd;
    companyFile_ = companyFile;
    const Outcome company = HoldCompanyFile();
    if (company != Outcome::Held) Release();
    return company;
  }
  return Outcome::Busy;
}

CompanyLock::Outcome CompanyLock::HoldCompanyFile() {
  if (fd_ < 0) return Outcome::Unavailable;
  // Only a regular file is opened (a named pipe at the company's name is
  // refused when the company loads).
  struct stat st {};
  if (::stat(companyFile_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    if (companyFd_ >= 0) ::close(companyFd_);
    companyFd_ = -1;
    companyWriteError_ = 0;
    return Outcome::Held;
  }
  if (companyFd_ >= 0) {
    struct stat held {};
    if (::fstat(companyFd_, &held) == 0 && SameFile(held, st)) return Outcome::Held;
  }
  int writeError = 0;
  int fd = OpenFile(companyFile_, O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    writeError = errno;
    fd = OpenFile(companyFile_, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  }
  struct stat opened {};
  if (fd < 0 || ::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    // A company file that cannot be opened at all: the load says so.
    if (fd >= 0) ::close(fd);
    if (companyFd_ >= 0) ::close(companyFd_);
    companyFd_ = -1;
    companyWriteError_ = writeError != 0 ? writeError : EACCES;
    return Outcome::Held;
  }
  struct flock byte {};
  byte.l_type = writeError == 0 ? F_WRLCK : F_RDLCK;
  byte.l_whence = SEEK_SET;
  byte.l_start = kCompanyFileLockByte;
  byte.l_len = 1;
  if (::fcntl(fd, F_OFD_SETLK, &byte) != 0) {
    const int error = errno;
    if (error == EAGAIN || error == EACCES) {
      ::close(fd);
      return Outcome::Busy;
    }
    // A file system without record locks: the lock file alone guards it.
  }
  if (companyFd_ >= 0) ::close(companyFd_);
  companyFd_ = fd;
  companyWriteError_ = writeError;
  return Outcome::Held;
}

void CompanyLock::Release() {
  if (companyFd_ >= 0) ::close(companyFd_);
  companyFd_ = -1;
  companyWriteError_ = 0;
  if (fd_ < 0) return;
  // Only our own file: had someone removed it under us, the name may now
  // belong to another holder.
  const fs::path lockFile = LockFileOf(companyFile_);
  struct stat held {}, named {};
  if (::fstat(fd_, &held) == 0 && ::lstat(lockFile.c_str(), &named) == 0 && SameFile(held, named))
    ::unlink(lockFile.c_str());
  ::close(fd_);
  fd_ = -1;
  companyFile_.clear();
}

std::string CannotLockMessage(const std::string& companyName, const LockProblem& problem) {
  using Kind = LockProblem::Kind;
  std::string reason, todo;
  switch (problem.kind) {
    case Kind::SymbolicLink:
      reason = "is a symbolic link; Formet makes that file itself and never follows a link there";
      todo = "Remove the link (it is no file of Formet's), then try again.";
      break;
    case Kind::Folder:
      reason = "is a folder";
      todo = "Remove or rename that folder, then try again.";
      break;
    case Kind::NotAFile:
      reason = std::string("is ") +
               (S_ISFIFO(problem.type) ? "a named pipe" : S_ISSOCK(problem.type) ? "a socket" : "a device") +
               ", not a file";
      todo = "Remove it, then try again.";
      break;
    case Kind::NotPermitted:
      reason = "belongs to " + UserName(problem.owner) + ", and you are not allowed to open it";
      todo = "A Formet program of that user may have the company open: then wait until it has closed it. If no "
             "Formet program has the company open, the file was left by one that has ended: ask that user (or "
             "whoever looks after the folder) to remove it, or remove it yourself if the folder lets you, then "
             "try again.";
      break;
    case Kind::CannotCreate:
      reason = "cannot be made: " + FileErrorInWords(problem.error);
      todo = problem.error == ENOSPC || problem.error == EDQUOT
                 ? "Make room on the disk, then try again."
                 : "Formet changes a company only in a folder where you may make files.";
      break;
    case Kind::NoLocking:
      reason = "cannot be locked: " + FileErrorInWords(problem.error);
      todo = "Keep the company files on a disk that locks files (a local disk, or a network share with locking "
             "turned on).";
      break;
    case Kind::Other:
    case Kind::None:
      reason = "cannot be used: " + FileErrorInWords(problem.error);
      todo = "Remove it if no Formet program has the company open, then try again.";
      break;
  }
  return "Formet cannot lock the company \"" + companyName +
         "\" for itself, so it writes nothing of it: another program could be writing it at the same time.\n\n"
         "Its lock file " + ShownPath(problem.lockFile) + " " + reason + ".\n\n" + todo;
}

}  // namespace formet
