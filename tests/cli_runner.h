#pragma once
// Runs formet-cli's command line in-process on a data folder.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace formet::test {

struct CliResult {
  int code;
  std::string out, err;
};

inline CliResult RunCli(const std::filesystem::path& dataDir, std::vector<std::string> args) {
  args.insert(args.begin(), {"--data-dir", dataDir.string()});
  std::ostringstream out, err;
  const int code = cli::Run(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace formet::test
