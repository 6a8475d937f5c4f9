#pragma once
// Runs the formet-cli program itself, as a script would: its own process,
// its arguments passed unchanged, with a time limit (a command that hangs is
// killed and reported) and, when asked, a limit on the size of the files it
// may write.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace formet::test {

struct CliRun {
  int code = -1;  // exit code; -1 when it was killed or did not exit normally
  bool timedOut = false;
  std::string out, err;
};

struct CliLimits {
  int seconds = 20;
  long fileSizeBytes = 0;  // 0: no limit
  // With a limit: the signal of a write beyond it is ignored for the program
  // (false: the program is left to deal with it itself).
  bool ignoreFileSizeSignal = true;
};

inline std::filesystem::path FormetCliProgram() { return std::filesystem::path(FORMET_BIN_DIR) / "formet-cli"; }

// Starts formet-cli with --data-dir `dataDir` and `args`; returns its pid.
// Standard output and error go to the two files.
inline pid_t StartCli(const std::filesystem::path& dataDir, const std::vector<std::string>& args,
                      const std::filesystem::path& outFile, const std::filesystem::path& errFile,
                      const CliLimits& limits = {}) {
  const std::string program = FormetCliProgram().string();
  std::vector<std::string> argv = {program, "--data-dir", dataDir.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = ::open("/dev/null", O_RDONLY);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (limits.fileSizeBytes > 0) {
      // A write beyond the limit fails instead of ending the program.
      ::signal(SIGXFSZ, limits.ignoreFileSizeSignal ? SIG_IGN : SIG_DFL);
      const rlimit limit{static_cast<rlim_t>(limits.fileSizeBytes), static_cast<rlim_t>(limits.fileSizeBytes)};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    ::execv(program.c_str(), raw.data());
    ::_exit(127);
  }
  return pid;
}

// Waits for a started formet-cli, killing it after `seconds`.
inline CliRun WaitCli(pid_t pid, const std::filesystem::path& outFile, const std::filesystem::path& errFile,
                      int seconds) {
  CliRun run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      run.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!run.timedOut && WIFEXITED(status)) run.code = WEXITSTATUS(status);
  run.out = ReadBytes(outFile);
  run.err = ReadBytes(errFile);
  return run;
}

// Runs formet-cli to its end (or its time limit).
inline CliRun RunCliProgram(const std::filesystem::path& dataDir, const std::vector<std::string>& args,
                            const CliLimits& limits = {}) {
  TempDir scratch;
  const auto out = scratch / "out", err = scratch / "err";
  return WaitCli(StartCli(dataDir, args, out, err, limits), out, err, limits.seconds);
}

}  // namespace formet::test
