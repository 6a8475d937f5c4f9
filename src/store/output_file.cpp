#include "store/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "store/company_file_vfs.h"
#include "store/conversion.h"
#include "store/file_words.h"
#include "store/global_doc.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

// The first bytes of a journal of the engine.
constexpr std::string_view kJournalHeader{"\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8};

const char* KindOfNonFile(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a file";
}

// The first bytes of a file, without ever waiting on one that is no file.
std::string FirstBytes(const fs::path& file, size_t count) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  std::string bytes(count, '\0');
  const ssize_t n = ::pread(fd, bytes.data(), count, 0);
  ::close(fd);
  bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return bytes;
}

bool HoldsCompanyData(const fs::path& file) {
  const std::string head = FirstBytes(file, kCompanyFileHeader.size());
  return head == kCompanyFileHeader || head == kEngineFileHeader || head.starts_with(kJournalHeader) ||
         IsOldFormatFile(file);
}

std::string HiddenWorkName(const fs::path& target) {
  static std::random_device seed;
  static std::mt19937_64 random(seed());
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".formet-%016llx", static_cast<unsigned long long>(random()));
  return "." + target.filename().native() + suffix;
}

bool LinkUnnamed(int fd, const fs::path& to) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  if (errno == EEXIST) return false;
  // Without /proc: by the descriptor itself, which needs a privilege.
  const int viaProc = errno;
  if (::linkat(fd, "", AT_FDCWD, to.c_str(), AT_EMPTY_PATH) == 0) return true;
  if (errno != EEXIST) errno = viaProc;
  return false;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool g_unnamedWorkFiles = true;

}  // namespace

void OutputFile::AllowUnnamedWorkFiles(bool allowed) { g_unnamedWorkFiles = allowed; }

std::optional<std::string> OutputTargetProblem(const fs::path& target) {
  const std::string shown = ShownPath(target);
  const auto refusal = [&](const std::string& why) {
    return "Formet does not write to " + shown + ": " + why + ". Nothing was written; please choose another file.";
  };
  if (target.empty() || !target.has_filename()) return refusal("it names no file");
  std::error_code ec;
  const fs::path resolved = fs::weakly_canonical(fs::absolute(target, ec), ec);
  if (IsCompanyOwnedFileName(target.filename().string()))
    return refusal("that is the name of a company's file, or of a file Formet keeps beside one");
  if (!ec && IsCompanyOwnedFileName(resolved.filename().string()))
    return refusal("it leads to " + ShownPath(resolved) + ", a company's file or a file Formet keeps beside one");
  struct stat st {};
  if (::lstat(resolved.c_str(), &st) != 0) return std::nullopt;  // a new file
  if (S_ISLNK(st.st_mode)) return std::nullopt;  // a link to nowhere: replaced by the new file
  if (!S_ISREG(st.st_mode)) return refusal(std::string("it is ") + KindOfNonFile(st.st_mode));
  if (HoldsCompanyData(resolved)) return refusal("it holds a company (or another database), which it would destroy");
  if (::faccessat(AT_FDCWD, resolved.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
    return refusal("the file is read-only");
  return std::nullopt;
}

OutputFile::~OutputFile() { Abandon(); }

std::string OutputFile::Failure(const char* /*step*/, int error) {
  return "Formet could not write the file " + ShownPath(shown_) + ": " + FileErrorInWords(error) +
         ". Nothing was written" + (targetExisted_ ? "; the file that was there is kept as it was." : ".");
}

std::optional<std::string> OutputFile::Open(const fs::path& target) {
  Abandon();
  error_ = 0;
  shown_ = target;
  if (auto problem = OutputTargetProblem(target)) return problem;
  std::error_code ec;
  target_ = fs::weakly_canonical(fs::absolute(target, ec), ec);
  if (ec) target_ = target;
  const fs::path folder = target_.parent_path();
  struct stat existing {};
  targetExisted_ = ::stat(target_.c_str(), &existing) == 0;
  struct stat folderStat {};
  if (::stat(folder.c_str(), &folderStat) != 0) return Failure("folder", errno);
  if (!S_ISDIR(folderStat.st_mode)) return Failure("folder", ENOTDIR);

  if (g_unnamedWorkFiles) {
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Failure("create", errno);
  }
  // A file system without unnamed files: a hidden name of our own.
  for (int attempt = 0; fd_ < 0 && attempt < 64; ++attempt) {
    const fs::path work = folder / HiddenWorkName(target_);
    fd_ = ::open(work.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ >= 0) named_ = work;
    else if (errno != EEXIST) return Failure("create", errno);
  }
  if (fd_ < 0) return Failure("create", EEXIST);
  // A file that is replaced keeps its permissions.
  if (targetExisted_) ::fchmod(fd_, existing.st_mode & 07777);
  return std::nullopt;
}

bool OutputFile::Write(const void* data, size_t size) {
  if (fd_ < 0 || error_ != 0) return false;
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::optional<std::string> OutputFile::ReadBack() const {
  if (fd_ < 0) return std::nullopt;
  std::string content;
  char buffer[1 << 16];
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<size_t>(n));
    at += n;
  }
  return content;
}

std::optional<std::string> OutputFile::Flush() {
  if (fd_ < 0) return Failure("write", EBADF);
  if (error_ != 0) {
    const int error = error_;
    Abandon();
    return Failure("write", error);
  }
  if (::fsync(fd_) != 0) {
    const int error = errno;
    Abandon();
    return Failure("flush", error);
  }
  return std::nullopt;
}

std::optional<std::string> OutputFile::Place() {
  // The target is looked at again: it may have become a company's file (or a
  // folder) since the work file was made.
  if (auto problem = OutputTargetProblem(shown_)) {
    Abandon();
    return problem;
  }
  const fs::path folder = target_.parent_path();
  if (named_.empty()) {
    if (!LinkUnnamed(fd_, target_)) {
      if (errno != EEXIST) {
        const int error = errno;
        Abandon();
        return Failure("link", error);
      }
      // A file is there: the new one is linked under a name of its own and
      // renamed over it, in one step for every reader.
      for (int attempt = 0; named_.empty() && attempt < 64; ++attempt) {
        const fs::path work = folder / HiddenWorkName(target_);
        if (LinkUnnamed(fd_, work)) named_ = work;
        else if (errno != EEXIST) break;
      }
      if (named_.empty()) {
        const int error = errno;
        Abandon();
        return Failure("link", error);
      }
    }
  }
  if (!named_.empty() && ::rename(named_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    Abandon();
    return Failure("rename", error);
  }
  named_.clear();
  const int closed = ::close(fd_) == 0 ? 0 : errno;
  fd_ = -1;
  SyncFolder(folder);
  if (closed != 0 && closed != EINTR) return Failure("close", closed);
  return std::nullopt;
}

std::optional<std::string> OutputFile::Commit() {
  return Commit([](std::string_view) -> std::optional<std::string> { return std::nullopt; });
}

void OutputFile::Abandon() {
  if (!named_.empty()) ::unlink(named_.c_str());
  named_.clear();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::optional<std::string> WriteOutputFile(const fs::path& target, std::string_view bytes) {
  OutputFile file;
  if (auto problem = file.Open(target)) return problem;
  file.Write(bytes);
  return file.Commit([&](std::string_view written) -> std::optional<std::string> {
    if (written == bytes) return std::nullopt;
    return "Formet could not write the file " + ShownPath(target) +
           ": what it read back differs from what it wrote (the disk may be failing). Nothing was written.";
  });
}

}  // namespace formet
