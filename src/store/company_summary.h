#pragma once
// What the company dialogs show of each company beside its name: its EIN,
// its numbers of W-2s and 1099-MISCs and when its file last changed. Read
// straight from the file, read-only and without the company's lock, so that
// a company open in another program is shown too; a few small queries per
// file, so that a list of many companies opens at once.
#include <cstddef>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace formet {

struct CompanySummary {
  std::string ein;  // EmployerIdentificationNumber, Windows-1252
  // The forms the company shows when it is opened: W-2s, and 1099-MISCs of
  // contractors it still has (one each).
  size_t w2Count = 0;
  size_t form1099Count = 0;
};

struct CompanyListing {
  std::string name;
  std::optional<CompanySummary> summary;  // none when the file cannot be read now
  std::optional<std::time_t> changed;     // when the file was last written
};

// The summary of a company file; none when it cannot be read as a company
// file of this release now (an older format, busy, damaged). Never waits for
// another program's lock.
std::optional<CompanySummary> ReadCompanySummary(const std::filesystem::path& file);

// When a file was last written; none when that cannot be told.
std::optional<std::time_t> FileChangedTime(const std::filesystem::path& file);

// A time as the lists show it, in local time: "2007-12-31 17:05".
std::string ChangedTimeText(std::time_t time);

}  // namespace formet
