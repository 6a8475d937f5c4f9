#pragma once
// Files of earlier releases: the older engine format is converted into a
// company file, and earlier schema versions are raised to the current one.
#include <filesystem>
#include <string>
#include <string_view>

namespace formet {

class CompanyDatabase;

// Work files, named by appending to the company file's full path. The dump
// file is no longer written; one left by an older release is removed.
inline constexpr const char* kDumpFileSuffix = "__FORMET__TEMP";
inline constexpr const char* kConvertedFileSuffix = "__FORMET__CONVERTED";
inline constexpr const char* kSetAsideFileSuffix = "__FORMET__VERSION2";

// True when the file begins with the older format's header text.
bool IsOldFormatFile(const std::filesystem::path& path);

// What became of building a company from an old-format file.
struct OldFormatBuild {
  // 0: built; 1: the old file is damaged or of a kind we do not read;
  // 2: it reads, but is not a company of a schema version we know.
  int failedStep = 0;
  std::string why;  // for developers
};

// Builds, in one transaction on `db` (an open, empty database), the company
// that the bytes of an old-format file hold: the tables of the file's schema
// version are created from our own schema, and the values of every column we
// know are inserted as bound parameters. Nothing read from the file is ever
// executed: its CREATE texts are only parsed for column names, and views,
// triggers, indexes and unknown tables or columns are left behind. The
// result is checked whole (each table and column of its version, exactly one
// version row of a version we know) before the transaction ends; on failure
// nothing is left in `db`.
OldFormatBuild BuildFromOldFormat(std::string_view oldFileBytes, CompanyDatabase& db);

// Replaces the file at `path` by its conversion; on failure `errorText` names
// the step that failed (or, for a file whose last write did not finish, the
// journal beside it) and the company file is left as it was (or, when the
// exchange of the two files was interrupted, under the set-aside name, from
// which RecoverInterruptedConversion brings it back).
bool ConvertOldFormat(const std::filesystem::path& path, std::string& errorText);

// When the exchange of the old and the converted file stopped half-way, the
// old file waits under the set-aside name, the converted file beside it, and
// the company file is missing: the old file is put back (it is converted
// again at the next load). A set-aside file whose company file is missing for
// another reason (the company was deleted or renamed afterwards) is left
// alone; one whose company file exists in the current format is the last
// step's leftover and is removed. The caller holds the company's lock. True
// when a file was put back.
bool RecoverInterruptedConversion(const std::filesystem::path& path);

// The highest schema version (1 to 3) whose tables and columns the file holds
// in order; 0 when not even the first version's are all there.
int CompleteSchemaVersion(CompanyDatabase& database);

// Raises the schema to the current version in one transaction, so a failure
// part-way leaves the file as it was. A file without a version row is taken
// for the version its tables show, and receives the row. Returns 0 or the
// engine's code.
int UpgradeSchema(CompanyDatabase& database);

}  // namespace formet
