#include "store/data_folder.h"

#include <cstdlib>

namespace formet {
namespace fs = std::filesystem;

fs::path ProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path(ec) : exe.parent_path();
}

fs::path ResolveDataFolder(const std::optional<std::string>& commandLineFolder) {
  if (commandLineFolder && !commandLineFolder->empty()) return fs::absolute(*commandLineFolder);
  if (const char* env = std::getenv("FORMET_DATA_DIR"); env && *env) return fs::absolute(env);
  return ProgramFolder() / "DatabaseFiles";
}

}  // namespace formet
