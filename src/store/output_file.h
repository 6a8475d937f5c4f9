#pragma once
// Every file the program makes for the user (a printed PDF, an e-file, a
// report) is written the same careful way:
// - never onto a company's files: a company file, or any file made beside it
//   (its journal, its lock, a deleted company's file, the work files of a
//   conversion), is refused before anything is written, by its name wherever
//   it is and by its content under any name;
// - into a work file of its own in the target's folder, which no other
//   program sees while it is written (an unnamed file, O_TMPFILE, where the
//   file system has them; elsewhere a hidden name of its own, removed on
//   failure), so that two programs writing the same output never mix their
//   work and a program killed half-way leaves nothing behind;
// - flushed and checked, then put in place under the target's name, so that a
//   file already there is replaced only by the complete new one.
// Messages are Windows-1252, for the user.
#include <sys/types.h>

#include <cerrno>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace formet {

// Why the program will not write an output to `target`, or nullopt when it
// may: a company's file or a file made beside one (by name, or a file whose
// content is a company file or a journal of one), a folder or anything else
// that is not a regular file, a file that may not be written.
std::optional<std::string> OutputTargetProblem(const std::filesystem::path& target);

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();  // a file not committed is abandoned: nothing is left of it
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Checks the target (OutputTargetProblem) and makes the work file in its
  // folder. Returns the problem, or nullopt when the work file is ready.
  std::optional<std::string> Open(const std::filesystem::path& target);
  // Appends bytes. False once a write has failed; the first failure is kept
  // and reported by Commit.
  bool Write(const void* data, size_t size);
  bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  bool Failed() const { return error_ != 0; }
  // What the work file holds, read back from the disk; nullopt when it cannot
  // be read.
  std::optional<std::string> ReadBack() const;
  // Flushes the work file and gives it the target's name, replacing a file
  // there. Returns the problem (the target is then as it was), or nullopt.
  // `check`, when given, is called with the work file's content once it is
  // flushed and may refuse it with a problem of its own.
  template <class Check>
  std::optional<std::string> Commit(Check&& check) {
    if (auto problem = Flush()) return problem;
    const auto content = ReadBack();
    if (!content) {
      const int error = errno;
      Abandon();
      return Failure("read back", error);
    }
    if (auto problem = check(std::string_view(*content))) {
      Abandon();
      return problem;
    }
    return Place();
  }
  std::optional<std::string> Commit();
  // Removes the work file; the target stays as it was.
  void Abandon();

  // The path written to: the target, its symbolic links followed.
  const std::filesystem::path& Target() const { return target_; }

  // Tests: false makes every work file a hidden named one, as on a file
  // system without unnamed files.
  static void AllowUnnamedWorkFiles(bool allowed);

 private:
  std::optional<std::string> Flush();
  std::optional<std::string> Place();
  std::string Failure(const char* step, int error);

  std::filesystem::path shown_;   // the target as the caller named it
  std::filesystem::path target_;  // resolved
  std::filesystem::path named_;   // the work file's name, when it has one
  int fd_ = -1;
  int error_ = 0;                 // the first failed write's
  bool targetExisted_ = false;
};

// Writes `bytes` as the file `target` by the rules above; the file is read
// back and must hold exactly the bytes before it takes the target's name.
// Returns the problem, or nullopt.
std::optional<std::string> WriteOutputFile(const std::filesystem::path& target, std::string_view bytes);

}  // namespace formet
