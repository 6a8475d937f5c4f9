// Read-only reader of company files written by the previous release (SQLite
// 2.6.2 databases whose page one carries the Ledgerworks header). It prints
// the database as the SQL text that the old engine's command shell printed
// for ".dump", so the conversion can load it into the current engine.
//
// The reader trusts nothing in the file: every page number, offset, size and
// chain is checked, every page may be used by one structure only, and the
// output is bounded. Any inconsistency makes the dump fail with a
// developer-facing reason; it never guesses.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace formet::legacy {

// The 53 characters that start page one of an old-release company file.
inline constexpr std::string_view kOldFormatHeader =
    "** This is a Ledgerworks Database file version 1.0 **";

// Files larger than this are refused without being read.
inline constexpr std::size_t kMaxOldFormatFileBytes = std::size_t{1} << 30;

struct DumpOptions {
    // true: every non-NULL value is written as a quoted string, so the current
    // engine stores each text byte for byte ('02134' stays '02134').
    // false: values that look numeric are written bare, exactly as the old
    // shell printed them (02134, which the current engine would read as 2134).
    bool quoteAllValues = true;
};

struct DumpResult {
    bool ok = false;
    std::string sql;    // the dump text when ok, empty otherwise
    std::string error;  // why the file was refused, when !ok
};

// Dumps a whole database image held in memory. Accepts the old-release header
// and the engine's standard SQLite 2 header, either byte order, file formats
// 3 and 4.
DumpResult DumpOldFormat(std::string_view fileBytes, const DumpOptions& options = {});

// Reads and dumps the file at `path`. Fails when the file is larger than
// kMaxOldFormatFileBytes or when a rollback journal ("<path>-journal") lies
// beside it: the last write did not finish and the file may be inconsistent.
DumpResult DumpOldFormatFile(const std::filesystem::path& path, const DumpOptions& options = {});

// True when the first 53 bytes equal kOldFormatHeader (the load decides on
// this alone whether a file needs converting).
bool HasOldFormatHeader(std::string_view first53OrMoreBytes);

}  // namespace formet::legacy
