#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace formet {

// The folder of the running program file.
std::filesystem::path ProgramFolder();

// The user's own data folder of the program, as the desktop's standard
// paths name it: $XDG_DATA_HOME (else ~/.local/share) + "Quorvane/Formet (2007)".
std::filesystem::path UserDataFolder();

// True when files can be created and written in `folder` (or, when it does
// not exist yet, in the folder that would hold it).
bool IsWritableFolder(const std::filesystem::path& folder);

// Where company files live: the folder given on the command line, else the
// FORMET_DATA_DIR environment variable, else DatabaseFiles beside the program
// when that can be written (a build, or a copy run from its own folder),
// else DatabaseFiles in the user's data folder (`userData`, UserDataFolder()
// when empty), as for an installed program.
std::filesystem::path ResolveDataFolder(const std::optional<std::string>& commandLineFolder,
                                        const std::filesystem::path& userData = {});
// The last step of ResolveDataFolder for a program in `programFolder`.
std::filesystem::path DefaultDataFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& userData);

// Makes sure the data folder exists and, when it is not the folder beside
// the program, holds the Sample Company: on the first start of an installed
// program it is copied there from beside the program. False (with `error`)
// when the folder cannot be made; a missing sample is not an error here.
bool PrepareDataFolder(const std::filesystem::path& dataFolder, std::string* error = nullptr);

// ResolveDataFolder, then PrepareDataFolder when the folder chosen is the
// one in the user's data folder (never for a folder the user named).
std::filesystem::path OpenDataFolder(const std::optional<std::string>& commandLineFolder,
                                     const std::filesystem::path& userData = {});

}  // namespace formet
