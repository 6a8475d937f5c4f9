#include "store/prior_year_import.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "store/global_doc.h"
#include "store/settings_store.h"
#include "store/text_codec.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

constexpr const char* kDataFolderName = "DatabaseFiles";
constexpr const char* kWorkFolderSuffix = "2006";

// A complete, shortest-form UTF-8 text without surrogates.
bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    size_t len;
    char32_t cp, least;
    if ((b0 & 0xE0) == 0xC0) len = 2, cp = b0 & 0x1F, least = 0x80;
    else if ((b0 & 0xF0) == 0xE0) len = 3, cp = b0 & 0x0F, least = 0x800;
    else if ((b0 & 0xF8) == 0xF0) len = 4, cp = b0 & 0x07, least = 0x10000;
    else return false;
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

bool IsFolder(const fs::path& p) {
  std::error_code ec;
  return !p.empty() && fs::is_directory(p, ec);
}

// A settings text (Windows-1252) naming a folder of this system.
fs::path FolderFromText(const std::string& text) { return text.empty() ? fs::path{} : fs::path(Win1252ToUtf8(text)); }

// Compares two file names as the data store does when it looks a company
// up: the Windows-1252 forms without regard to case; names that have no such
// form only by their bytes.
bool SameCompanyFileName(const std::string& a, const std::string& b) {
  const auto a1252 = Utf8ToWin1252(a);
  const auto b1252 = Utf8ToWin1252(b);
  if (a1252 && b1252) return EqualsIgnoreCase1252(*a1252, *b1252);
  return a == b;
}

// Lists the files of `folder` as the data store lists companies: regular
// files whose name is longer than and ends with ".qdt", sorted by name.
// False when the folder cannot be read.
bool ListCompanyFiles(const fs::path& folder, std::vector<std::string>& names) {
  names.clear();
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  const std::string ext = kCompanyFileExtension;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    const std::string name = it->path().filename().string();
    if (name.size() <= ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext) != 0) continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    names.push_back(name);
  }
  if (ec) return false;
  std::sort(names.begin(), names.end());
  return true;
}

}  // namespace

const std::array<const char*, PriorYearImport::kStepCount> PriorYearImport::kCaptions = {
    "Searching for Formet 2006 Database Folder",
    "Enumerating Companies",
    "Upgrading Companies to 2007 Version",
    "Copying Companies to Formet 2007 Database Folder",
    "Refreshing Company List",
};

const std::array<const char*, PriorYearImport::kStepCount> PriorYearImport::kFailureMessages = {
    "The Formet 2006 database folder couldn\x92t be found.\nOperation Cancelled.",
    "Enumerating companies for the tax year 2006, failed.\nOperation Cancelled.",
    "Upgrading companies for the tax year 2006 into tax year 2007 failed.\nOperation Cancelled.",
    "Copying upgraded companies into the 2007 database folder, failed.\nOperation Cancelled.",
    "",
};

const char* const PriorYearImport::kSuccessMessage =
    "Importing clients for the Tax Year 2006 completed successfully.\n"
    "From the menu, select \"Company\" and then \"Open\" to open any of the imported companies.";

SearchRoots SearchRoots::FromEnvironment() {
  SearchRoots roots;
  if (const char* home = std::getenv("HOME"); home && *home) roots.home = home;
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) roots.winePrefixes.emplace_back(prefix);
  else if (!roots.home.empty()) roots.winePrefixes.push_back(roots.home / ".wine");
  return roots;
}

std::vector<fs::path> PreviousInstallCandidates(const SearchRoots& roots) {
  static constexpr const char* kPatterns[] = {"Program Files/Quorvane/Formet (2006)", "Quorvane/Formet (2006)",
                                              "Formet (2006)"};
  std::vector<fs::path> candidates;
  for (const auto& prefix : roots.winePrefixes) {
    if (prefix.empty()) continue;
    const fs::path drives[] = {prefix / "drive_c", prefix / "dosdevices" / "d:", prefix / "dosdevices" / "e:",
                               prefix / "dosdevices" / "f:"};
    for (const char* pattern : kPatterns)
      for (const auto& drive : drives) candidates.push_back(drive / pattern);
  }
  if (!roots.systemFolder.empty()) candidates.push_back(roots.systemFolder / "Quorvane" / "Formet (2006)");
  if (!roots.home.empty()) candidates.push_back(roots.home / ".local" / "share" / "Quorvane" / "Formet (2006)");
  return candidates;
}

fs::path ImportWorkFolder(const fs::path& dataFolder) {
  fs::path folder = dataFolder.lexically_normal();
  if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  folder += kWorkFolderSuffix;
  return folder;
}

std::string ImportedFileName(const std::string& fileNameBytes) {
  return IsValidUtf8(fileNameBytes) ? fileNameBytes : Win1252ToUtf8(fileNameBytes);
}

PriorYearImport::PriorYearImport(SettingsStore& settings, fs::path dataFolder, SearchRoots roots)
    : settings_(settings),
      dataFolder_(std::move(dataFolder)),
      workFolder_(ImportWorkFolder(dataFolder_)),
      roots_(std::move(roots)) {}

bool PriorYearImport::Start() {
  if (running_) return false;
  running_ = true;
  step_ = 0;
  counter_ = 0;
  return true;
}

void PriorYearImport::Reset() {
  running_ = false;
  step_ = 0;
  counter_ = 0;
}

PriorYearImport::TickResult PriorYearImport::Tick(PriorYearProgress& progress) {
  if (!running_) return {Outcome::Idle, {}};
  if (progress.IsAsking()) return {Outcome::Running, {}};
  if (progress.CancelConfirmed()) {
    Reset();
    return {Outcome::Cancelled, {}};
  }

  ++counter_;
  if (counter_ == kOperationTick) {
    progress_ = &progress;
    const bool done = RunOperation(step_);
    progress_ = nullptr;
    if (!done) {
      const int failed = step_;
      Reset();
      return {Outcome::Failed, kFailureMessages[static_cast<size_t>(failed)]};
    }
  }
  if (counter_ > kLastTick) {
    ++step_;
    counter_ = 0;
    if (step_ >= kStepCount) {
      Reset();
      return {Outcome::Succeeded, kSuccessMessage};
    }
    progress.MarkStep(step_);
  }
  progress.ShowCounter(counter_);
  return {Outcome::Running, {}};
}

bool PriorYearImport::RunOperation(int step) {
  switch (step) {
    case 0: return FindPreviousDataFolder();
    case 1: return EnumeratePreviousCompanies();
    case 2: return CopyToWorkFolder();
    case 3: return CopyToDataFolder();
    default: return true;  // refreshing the company list: the Open command lists the folder itself
  }
}

void PriorYearImport::ClearFolders() {
  previousDataFolder_.clear();
  sources_.clear();
  targets_.clear();
  works_.clear();
}

fs::path PriorYearImport::InstallFolderFromSettings() {
  return FolderFromText(settings_.ReadTextOr(kPreviousReleaseKey, kPreviousReleaseValue, ""));
}

fs::path PriorYearImport::InstallFolderFromUninstallEntry() {
  const std::string text = settings_.ReadTextOr(kPreviousUninstallKey, kPreviousUninstallValue, "");
  if (text.size() > kInstallLocationLimit) return {};
  return FolderFromText(text);
}

bool PriorYearImport::FindPreviousDataFolder() {
  ClearFolders();
  fs::path install;
  if (installFolder_) {
    install = *installFolder_;
  } else {
    install = InstallFolderFromSettings();
    if (install.empty()) install = InstallFolderFromUninstallEntry();
    if (install.empty()) {
      for (const auto& candidate : PreviousInstallCandidates(roots_)) {
        if (IsFolder(candidate)) {
          install = candidate;
          break;
        }
      }
    }
  }
  if (install.empty()) return false;

  fs::path folder = install / kDataFolderName;
  if (!IsFolder(folder)) {
    // The settings may name a folder the user has since moved or removed; the
    // uninstall entry is the installer's own record of where it put the files.
    if (installFolder_) return false;
    const fs::path recorded = InstallFolderFromUninstallEntry();
    if (recorded.empty()) return false;
    folder = recorded / kDataFolderName;
    if (!IsFolder(folder)) return false;
  }
  previousDataFolder_ = folder;
  return true;
}

bool PriorYearImport::EnumeratePreviousCompanies() {
  sources_.clear();
  targets_.clear();
  works_.clear();
  if (previousDataFolder_.empty()) return false;
  std::vector<std::string> names;
  if (!ListCompanyFiles(previousDataFolder_, names) || names.empty()) return false;
  for (const auto& name : names) {
    const std::string imported = ImportedFileName(name);
    sources_.push_back(previousDataFolder_ / name);
    targets_.push_back(dataFolder_ / imported);
    works_.push_back(workFolder_ / imported);
  }
  return true;
}

bool PriorYearImport::CopyToWorkFolder() {
  if (sources_.size() != works_.size() || sources_.size() != targets_.size()) return false;
  std::error_code ec;
  fs::create_directories(workFolder_, ec);
  if (!IsFolder(workFolder_)) return false;
  for (size_t i = 0; i < sources_.size(); ++i) {
    fs::copy_file(sources_[i], works_[i], fs::copy_options::overwrite_existing, ec);  // a failed copy is not reported
    ++counter_;
    if (progress_) progress_->ShowCounter(counter_);
  }
  return true;
}

bool PriorYearImport::CompanyFileExists(const fs::path& target) const {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(target, ec))) return true;
  // The data store finds a company's file whatever the case of its letters.
  const std::string wanted = target.filename().string();
  fs::directory_iterator it(target.parent_path(), ec);
  if (ec) return false;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    if (SameCompanyFileName(it->path().filename().string(), wanted)) return true;
  }
  return false;
}

bool PriorYearImport::CopyToDataFolder() {
  if (sources_.size() != works_.size() || sources_.size() != targets_.size()) return false;
  for (size_t i = 0; i < works_.size(); ++i) {
    if (CompanyFileExists(targets_[i])) continue;  // the current year's company keeps its file
    std::error_code ec;
    fs::copy_file(works_[i], targets_[i], fs::copy_options::none, ec);  // a failed copy is not reported
  }
  return true;
}

}  // namespace formet
