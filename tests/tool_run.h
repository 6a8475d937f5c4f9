#pragma once
// Runs a shell command (the tools that read back what the program wrote:
// poppler, qpdf) and gives its standard output and exit code.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace formet::test {

// The output and exit code of a shell command.
struct ToolResult {
  int code = -1;
  std::string out;
};
inline ToolResult RunTool(const std::string& command) {
  ToolResult r;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
  const int status = pclose(pipe);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

inline std::string Quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace formet::test
