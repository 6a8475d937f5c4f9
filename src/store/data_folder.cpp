#include "store/data_folder.h"

#include <unistd.h>

#include <cstdlib>

#include "store/global_doc.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

constexpr const char* kDataFolderName = "DatabaseFiles";

}  // namespace

fs::path ProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path(ec) : exe.parent_path();
}

fs::path UserDataFolder() {
  fs::path base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".local" / "share";
  } else {
    std::error_code ec;
    base = fs::temp_directory_path(ec);
  }
  return base / "Quorvane" / "Formet (2007)";
}

bool IsWritableFolder(const fs::path& folder) {
  std::error_code ec;
  fs::path probe = folder;
  // A folder still to be made is as writable as the nearest one that exists.
  while (!probe.empty() && !fs::exists(probe, ec)) {
    if (probe == probe.parent_path()) break;
    probe = probe.parent_path();
  }
  return !probe.empty() && fs::is_directory(probe, ec) && ::access(probe.c_str(), W_OK | X_OK) == 0;
}

fs::path ResolveDataFolder(const std::optional<std::string>& commandLineFolder, const fs::path& userData) {
  if (commandLineFolder && !commandLineFolder->empty()) return fs::absolute(*commandLineFolder);
  if (const char* env = std::getenv("FORMET_DATA_DIR"); env && *env) return fs::absolute(env);
  return DefaultDataFolder(ProgramFolder(), userData);
}

fs::path DefaultDataFolder(const fs::path& programFolder, const fs::path& userData) {
  const fs::path beside = programFolder / kDataFolderName;
  if (IsWritableFolder(beside)) return beside;
  return (userData.empty() ? UserDataFolder() : userData) / kDataFolderName;
}

bool PrepareDataFolder(const fs::path& dataFolder, std::string* error) {
  std::error_code ec;
  fs::create_directories(dataFolder, ec);
  if (!fs::is_directory(dataFolder, ec)) {
    if (error) *error = "The folder " + dataFolder.string() + " cannot be made.";
    return false;
  }
  const fs::path sampleName = std::string(kSampleCompany) + kCompanyFileExtension;
  const fs::path installed = ProgramFolder() / kDataFolderName / sampleName;
  const fs::path sample = dataFolder / sampleName;
  if (!fs::exists(sample, ec) && fs::exists(installed, ec) &&
      !fs::equivalent(installed.parent_path(), dataFolder, ec)) {
    // Copied under a temporary name and renamed, so that a copy cut short
    // never passes for the Sample Company.
    const fs::path partial = dataFolder / (sampleName.string() + ".part");
    if (fs::copy_file(installed, partial, fs::copy_options::overwrite_existing, ec)) {
      fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
      fs::rename(partial, sample, ec);
    }
    if (ec) fs::remove(partial, ec);
  }
  return true;
}

fs::path OpenDataFolder(const std::optional<std::string>& commandLineFolder, const fs::path& userData) {
  const fs::path folder = ResolveDataFolder(commandLineFolder, userData);
  const fs::path user = (userData.empty() ? UserDataFolder() : userData) / kDataFolderName;
  if (folder == user) PrepareDataFolder(folder);
  return folder;
}

}  // namespace formet
