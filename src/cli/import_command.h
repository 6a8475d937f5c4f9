#pragma once
// formet-cli import-prior-year: the prior-year client import without the
// window, for bookkeepers who move many clients at once.
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "store/prior_year_import.h"

namespace formet {
class SettingsStore;
}

namespace formet::cli {

bool IsImportCommand(const std::string& command);
// `args` are the words after the command: nothing, or "--from FOLDER" naming
// the previous release's install folder. Prints each step's caption as it
// starts, then the final message (a failure on `err`). Returns the exit code.
int RunImportCommand(SettingsStore& settings, const std::filesystem::path& dataFolder,
                     const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const SearchRoots& roots = SearchRoots::FromEnvironment());

}  // namespace formet::cli
