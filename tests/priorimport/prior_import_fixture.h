#pragma once
// A scratch machine for the prior-year import: a home folder with an empty
// Wine prefix, a system folder, the current data folder, and helpers that lay
// out an installed previous release.
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "store/prior_year_import.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet::test {

struct ScratchMachine {
  ScratchMachine() {
    std::filesystem::create_directories(data);
    std::filesystem::create_directories(home / ".wine" / "drive_c");
    std::filesystem::create_directories(home / ".wine" / "dosdevices");
  }

  // The search roots of the scratch machine: nothing here belongs to the
  // user running the tests.
  SearchRoots Roots() const { return SearchRoots{home, {home / ".wine"}, dir / "opt"}; }

  // An installed previous release at `install` whose DatabaseFiles folder
  // holds the given files (name bytes -> contents). Returns the install folder.
  std::filesystem::path Install(const std::filesystem::path& install,
                                const std::map<std::string, std::string>& files = {}) {
    std::filesystem::create_directories(install / "DatabaseFiles");
    for (const auto& [name, bytes] : files) WriteBytes(install / "DatabaseFiles" / name, bytes);
    return install;
  }

  void SetInstallPath(const std::filesystem::path& folder) {
    settings.WriteText(kPreviousReleaseKey, kPreviousReleaseValue, folder.string());
  }
  void SetInstallLocation(const std::string& folder) {
    settings.WriteText(kPreviousUninstallKey, kPreviousUninstallValue, folder);
  }

  std::filesystem::path WorkFolder() const { return dir / "current" / "DatabaseFiles2006"; }

  // Ticks until the import ends (or `limit` ticks pass); returns the last
  // result and the number of ticks taken.
  static std::pair<PriorYearImport::TickResult, int> RunToEnd(PriorYearImport& import, PriorYearProgress& progress,
                                                               int limit = 100000) {
    PriorYearImport::TickResult result;
    int ticks = 0;
    do {
      result = import.Tick(progress);
      ++ticks;
    } while (result.outcome == PriorYearImport::Outcome::Running && ticks < limit);
    return {result, ticks};
  }

  TempDir dir;
  std::filesystem::path home = dir / "home";
  std::filesystem::path data = dir / "current" / "DatabaseFiles";
  MemorySettingsStore settings;
};

class PriorImportFixture : public ::testing::Test, public ScratchMachine {};

}  // namespace formet::test
