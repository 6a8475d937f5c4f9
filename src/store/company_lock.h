#pragma once
// A company is written only by the program that holds it open. Each program
// that opens a company holds an advisory lock (flock) on a lock file beside
// the company file, named after it with ".lock" appended, for as long as it
// keeps the company open. The lock is never taken on the company file itself:
// the engine keeps POSIX record locks on that file, and closing any other
// descriptor of it in the same process would drop them (and on network file
// systems flock is itself emulated with record locks).
//
// The lock file is removed by its holder on release, while still locked; a
// program that took the lock of a file removed meanwhile notices and tries
// again, so at most one holder of each company's lock exists at any time.
#include <filesystem>

namespace formet {

// The lock file of a company file: its path followed by ".lock".
std::filesystem::path LockFileOf(const std::filesystem::path& companyFile);

class CompanyLock {
 public:
  enum class Outcome {
    Held,         // this object holds the company's lock
    Busy,         // another program (or another document of this one) holds it
    Unavailable,  // no lock file can be made there (a read-only folder, where
                  // no program can write the company either); nothing is held
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
  bool Holds() const { return fd_ >= 0; }
  // The company file whose lock is held; empty when none is.
  const std::filesystem::path& CompanyFile() const { return companyFile_; }
  // Gives the lock up and removes its lock file.
  void Release();

 private:
  int fd_ = -1;
  std::filesystem::path companyFile_;
};

}  // namespace formet
