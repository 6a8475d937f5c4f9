#pragma once
// A limit on the size of the files this process writes, as "ulimit -f" sets
// it, for the time of a test: a write beyond it fails (EFBIG) instead of
// ending the program. The way to fill a disk without a disk of that size.
#include <signal.h>
#include <sys/resource.h>

namespace formet::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldSignal_ = ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, old_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t oldSignal_ = SIG_DFL;
};

}  // namespace formet::test
