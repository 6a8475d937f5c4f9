#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace formet {

// The folder of the running program file.
std::filesystem::path ProgramFolder();

// Where company files live: the folder given on the command line, else the
// FORMET_DATA_DIR environment variable, else DatabaseFiles beside the program.
std::filesystem::path ResolveDataFolder(const std::optional<std::string>& commandLineFolder);

}  // namespace formet
