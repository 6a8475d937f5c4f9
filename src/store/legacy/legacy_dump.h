// The text that the previous release's engine shell printed for ".dump" of a
// company file, made from what OldFormatReader reads. Used to compare the
// reader against the shell's own output; the conversion never runs it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "store/legacy/legacy_reader.h"

namespace formet::legacy {

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

}  // namespace formet::legacy
