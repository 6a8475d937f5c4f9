#pragma once
// A company is written only by the program that holds it open. Each program
// that opens a company holds two locks for as long as it keeps the company
// open:
// - an advisory lock (flock) on a lock file beside the company file, named
//   after it with ".lock" appended, which exists before the company file does
//   (a new company) and covers its renames;
// - a lock on one byte of the company file itself (an open file description
//   lock, far beyond anything the engine locks), so that a lock file removed
//   or replaced while a program holds the company lets no second program in.
// Closing another descriptor of the company file in the same process would
// drop the engine's own record locks on it, so the company file's descriptor
// is closed only while the engine is not inside a transaction.
//
// The lock file is removed by its holder on release, while still locked; a
// program that took the lock of a file removed meanwhile notices and tries
// again. A lock file is made with the user's permission mask (a folder shared
// by a group works), and one made by another user is locked through a
// descriptor opened for reading when it cannot be opened for writing.
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>

namespace formet {

// The lock file of a company file: its path followed by ".lock".
std::filesystem::path LockFileOf(const std::filesystem::path& companyFile);

// Why a lock could not be taken.
struct LockProblem {
  enum class Kind {
    None,
    SymbolicLink,       // the lock file's name is a symbolic link
    Folder,             // ... is a folder
    NotAFile,           // ... is a named pipe, a device or a socket
    NotPermitted,       // the lock file exists and may not be opened
    CannotCreate,       // there is no lock file and none can be made (a read-only folder, a full disk)
    NoLocking,          // the file system does not lock files
    Other,
  };
  Kind kind = Kind::None;
  int error = 0;  // the system's error, when there was one
  std::filesystem::path lockFile;
  mode_t type = 0;  // the file type found (NotAFile)
  uid_t owner = 0;  // the lock file's owner (NotPermitted)
};

class CompanyLock {
 public:
  enum class Outcome {
    Held,         // this object holds the company's lock
    Busy,         // another program (or another document of this one) holds it
    Unavailable,  // the lock cannot be taken (see Problem); nothing is held,
                  // and nothing of the company may be written
  };

  CompanyLock() = default;
  ~CompanyLock() { Release(); }
  CompanyLock(CompanyLock&& other) noexcept;
  CompanyLock& operator=(CompanyLock&& other) noexcept;
  CompanyLock(const CompanyLock&) = delete;
  CompanyLock& operator=(const CompanyLock&) = delete;

  // Takes the lock of the company file at `companyFile` (which need not
  // exist yet) without waiting. Releases any lock held before.
  Outcome Acquire(const std::filesystem::path& companyFile);
  // While the lock is held: takes the lock of the company file as it now is
  // at its path, after it was made or replaced (New, a conversion). Busy when
  // another program holds that file (it took the company while the lock
  // file was missing).
  Outcome HoldCompanyFile();
  bool Holds() const { return fd_ >= 0; }
  // The company file whose lock is held; empty when none is.
  const std::filesystem::path& CompanyFile() const { return companyFile_; }
  // Why the last Acquire answered Unavailable.
  const LockProblem& Problem() const { return problem_; }
  // Whether the company file held can be opened for writing; when not, the
  // system's error (permission denied, a read-only disk). A company file that
  // did not exist when the lock was taken counts as writable.
  bool CompanyFileWritable() const { return companyWriteError_ == 0; }
  int CompanyFileWriteError() const { return companyWriteError_; }
  // Gives the lock up and removes its lock file.
  void Release();

  // Tests: every file the lock opens goes through `open` (same arguments as
  // ::open), so that a test can make an open fail as for another user's
  // file; nullptr restores the system's.
  using OpenFunction = std::function<int(const char* path, int flags, mode_t mode)>;
  static void SetOpenForTests(OpenFunction open);

 private:
  int fd_ = -1;         // the lock file, locked
  int companyFd_ = -1;  // the company file, its byte locked
  int companyWriteError_ = 0;
  std::filesystem::path companyFile_;
  LockProblem problem_;
};

// The message shown when the lock of a company cannot be taken: the lock
// file, why, and what to do (Windows-1252).
std::string CannotLockMessage(const std::string& companyName, const LockProblem& problem);

}  // namespace formet
