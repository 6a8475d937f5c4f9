#pragma once
// Files of earlier releases: the older engine format is converted into a
// company file, and earlier schema versions are raised to the current one.
#include <filesystem>
#include <string>

namespace formet {

class CompanyDatabase;

// Work files, named by appending to the company file's full path.
inline constexpr const char* kDumpFileSuffix = "__FORMET__TEMP";
inline constexpr const char* kConvertedFileSuffix = "__FORMET__CONVERTED";
inline constexpr const char* kSetAsideFileSuffix = "__FORMET__VERSION2";

// True when the file begins with the older format's header text.
bool IsOldFormatFile(const std::filesystem::path& path);

// Replaces the file at `path` by its conversion; on failure `errorText` names
// the step that failed and the company file is left as it was (or, when the
// exchange of the two files was interrupted, under the set-aside name, from
// which RecoverInterruptedConversion brings it back).
bool ConvertOldFormat(const std::filesystem::path& path, std::string& errorText);

// When the exchange of the old and the converted file stopped half-way, the
// old file waits under the set-aside name and the company file is missing:
// put the old file back (it is converted again at the next load). True when a
// file was recovered.
bool RecoverInterruptedConversion(const std::filesystem::path& path);

// Raises the schema to the current version in one transaction, so a failure
// part-way leaves the file as it was. Returns 0 or the engine's code.
int UpgradeSchema(CompanyDatabase& database);

}  // namespace formet
