#include "store/company_summary.h"

#include <sys/stat.h>

#include <cstdlib>

#include "store/company_database.h"

namespace formet {
namespace {

// Fixed statements, no value of the user's in them.
constexpr const char* kNoWaiting = "PRAGMA busy_timeout = 0";
constexpr const char* kEinQuery = "SELECT EmployerIdentificationNumber FROM Company LIMIT 1";
constexpr const char* kW2Query = "SELECT count(*) FROM W2";
// As the company loads them: one 1099-MISC per contractor that still exists.
constexpr const char* kForm1099Query =
    "SELECT count(DISTINCT ContractorUniqueID) FROM Form1099 "
    "WHERE ContractorUniqueID IN (SELECT ContractorUniqueID FROM Contractors)";

std::optional<size_t> Count(CompanyDatabase& db, const char* sql) {
  std::optional<size_t> count;
  const int rc = db.Execute(sql, [&count](int columns, char** values) {
    if (columns > 0 && values[0]) count = static_cast<size_t>(std::strtoull(values[0], nullptr, 10));
  });
  if (rc != 0) return std::nullopt;
  return count;
}

}  // namespace

std::optional<CompanySummary> ReadCompanySummary(const std::filesystem::path& file) {
  CompanyDatabase db;
  if (db.Open(file, OpenMode::ReadOnly) != 0) return std::nullopt;
  if (db.Execute(kNoWaiting) != 0) return std::nullopt;
  CompanySummary summary;
  if (db.Execute(kEinQuery, [&](int columns, char** values) {
        if (columns > 0 && values[0]) summary.ein = values[0];
      }) != 0)
    return std::nullopt;
  const auto w2 = Count(db, kW2Query);
  const auto forms1099 = Count(db, kForm1099Query);
  if (!w2 || !forms1099) return std::nullopt;
  summary.w2Count = *w2;
  summary.form1099Count = *forms1099;
  return summary;
}

std::optional<std::time_t> FileChangedTime(const std::filesystem::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return std::nullopt;
  return status.st_mtime;
}

std::string ChangedTimeText(std::time_t time) {
  std::tm local{};
  if (!::localtime_r(&time, &local)) return {};
  char text[32];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return std::string(text, length);
}

}  // namespace formet
