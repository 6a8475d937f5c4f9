#pragma once
// The prior-year client import: brings every company file of the previous
// release (tax year 2006) into the current data folder in five steps, driven
// by the ticks of a timer. The files are copied as they are; each one is
// converted and upgraded when the user first opens it.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace formet {

class SettingsStore;

// Where the previous release is recorded in the settings.
inline constexpr const char* kPreviousReleaseKey = "Software\\Quorvane\\Formet (2006)";
inline constexpr const char* kPreviousReleaseValue = "InstallPath";
inline constexpr const char* kPreviousUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Formet (2006)_is1";
inline constexpr const char* kPreviousUninstallValue = "InstallLocation";
// The uninstall entry's value is read into a buffer of this many characters;
// a longer one cannot be read.
inline constexpr size_t kInstallLocationLimit = 255;

// The folders searched for an installed previous release when the settings
// name none. Tests point them at a scratch folder.
struct SearchRoots {
  std::filesystem::path home;                       // the user's home folder
  std::vector<std::filesystem::path> winePrefixes;  // searched in order
  std::filesystem::path systemFolder = "/opt";      // holds Quorvane/Formet (2006)

  // $HOME, and $WINEPREFIX when set, else ~/.wine.
  static SearchRoots FromEnvironment();
};

// The install folders of the previous release that the search tries, in
// order: for each Wine prefix its drives C, D, E and F with
// "Program Files/Quorvane/Formet (2006)", then the four drives with
// "Quorvane/Formet (2006)", then with "Formet (2006)"; then the system folder
// and the user's data folder.
std::vector<std::filesystem::path> PreviousInstallCandidates(const SearchRoots& roots);

// The work folder of an import into `dataFolder`: a sibling folder whose
// name is the data folder's with "2006" appended (DatabaseFiles2006).
std::filesystem::path ImportWorkFolder(const std::filesystem::path& dataFolder);

// The name a company file of the previous release gets in the current data
// folder: a name in UTF-8 stays, any other is read as Windows-1252.
std::string ImportedFileName(const std::string& fileNameBytes);

// What the import shows while it runs (the progress window, or the command
// line's report).
class PriorYearProgress {
 public:
  virtual ~PriorYearProgress() = default;
  // The display is asking its own question: ticks wait until it is answered.
  virtual bool IsAsking() const { return false; }
  // The user confirmed cancelling.
  virtual bool CancelConfirmed() const { return false; }
  // Step `step` (1..4) begins; step 0 is current from the start.
  virtual void MarkStep(int /*step*/) {}
  // The tick counter of the current step; it may pass 100 while files are
  // copied.
  virtual void ShowCounter(int /*counter*/) {}
};

class PriorYearImport {
 public:
  static constexpr int kStepCount = 5;
  static constexpr int kOperationTick = 5;  // the tick of a step that does its work
  static constexpr int kLastTick = 100;     // a step ends when its counter passes this

  static const std::array<const char*, kStepCount> kCaptions;
  static const std::array<const char*, kStepCount> kFailureMessages;  // the last step never fails
  static const char* const kSuccessMessage;

  enum class Outcome { Idle, Running, Cancelled, Failed, Succeeded };
  struct TickResult {
    Outcome outcome = Outcome::Idle;
    std::string message;  // Windows-1252; for Failed and Succeeded
  };

  PriorYearImport(SettingsStore& settings, std::filesystem::path dataFolder,
                  SearchRoots roots = SearchRoots::FromEnvironment());

  // Names the previous release's install folder instead of searching for it.
  void SetInstallFolder(std::optional<std::filesystem::path> folder) { installFolder_ = std::move(folder); }

  // Begins an import at step 0. False, changing nothing, when one is running.
  bool Start();
  bool IsRunning() const { return running_; }
  // One tick of the sequence. `progress` is consulted and told what changes.
  TickResult Tick(PriorYearProgress& progress);

  int Step() const { return step_; }
  int Counter() const { return counter_; }

  // The step operations, each true on success.
  bool FindPreviousDataFolder();
  bool EnumeratePreviousCompanies();
  bool CopyToWorkFolder();
  bool CopyToDataFolder();

  const std::filesystem::path& DataFolder() const { return dataFolder_; }
  const std::filesystem::path& WorkFolder() const { return workFolder_; }
  // Empty until the first step found it.
  const std::filesystem::path& PreviousDataFolder() const { return previousDataFolder_; }
  const std::vector<std::filesystem::path>& SourcePaths() const { return sources_; }
  const std::vector<std::filesystem::path>& TargetPaths() const { return targets_; }
  const std::vector<std::filesystem::path>& WorkPaths() const { return works_; }

 private:
  bool RunOperation(int step);
  void Reset();
  void ClearFolders();
  std::filesystem::path InstallFolderFromSettings();
  std::filesystem::path InstallFolderFromUninstallEntry();
  bool CompanyFileExists(const std::filesystem::path& target) const;

  SettingsStore& settings_;
  std::filesystem::path dataFolder_;
  std::filesystem::path workFolder_;
  SearchRoots roots_;
  std::optional<std::filesystem::path> installFolder_;

  std::filesystem::path previousDataFolder_;
  std::vector<std::filesystem::path> sources_;
  std::vector<std::filesystem::path> targets_;
  std::vector<std::filesystem::path> works_;

  bool running_ = false;
  int step_ = 0;
  int counter_ = 0;
  PriorYearProgress* progress_ = nullptr;  // during a tick
};

}  // namespace formet
