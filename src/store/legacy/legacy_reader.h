// Reads the tables and rows of a company file written by the previous release
// (an SQLite 2.6.2 database whose page one carries the Ledgerworks header) as
// data: schema entries with their column names, and rows of values. Nothing
// read here is ever meant to be run as SQL; the CREATE texts are only parsed
// for the column names and the row-number column.
//
// The reader trusts nothing in the file: every page number, offset, size and
// chain is checked, every page may be used by one structure only, and a file
// is accepted only once Finish() has accounted for every page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace formet::legacy {

// The 53 characters that start page one of an old-release company file.
inline constexpr std::string_view kOldFormatHeader =
    "** This is a Ledgerworks Database file version 1.0 **";

// Files larger than this are refused without being read.
inline constexpr std::size_t kMaxOldFormatFileBytes = std::size_t{1} << 30;

// Thrown for anything that makes the file unusable; what() is the reason
// (for developers, not for users).
class DamagedFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One column value of a row: nullopt is NULL. A text ends at its first NUL
// byte, as the old engine handed values out as C strings.
using OldValue = std::optional<std::string_view>;

// One row of the old schema table (sqlite_master).
struct OldSchemaEntry {
    std::optional<std::string> type;  // "table", "index", "view", "trigger", ...
    std::optional<std::string> name;
    std::optional<std::string> rootPage;
    std::optional<std::string> sql;
    // For tables: the column names of the CREATE TABLE text (quotes removed),
    // and the column declared INTEGER PRIMARY KEY, whose slot holds the row
    // number.
    std::vector<std::string> columns;
    std::optional<std::size_t> rowIdColumn;

    bool IsTable() const { return type && *type == "table"; }
};

class OldFormatReader {
public:
    // Checks page one (either header, either byte order, file format 3 or 4)
    // and reads the schema. Throws DamagedFile.
    explicit OldFormatReader(std::string_view fileBytes);
    ~OldFormatReader();
    OldFormatReader(const OldFormatReader&) = delete;
    OldFormatReader& operator=(const OldFormatReader&) = delete;

    const std::vector<OldSchemaEntry>& Schema() const;
    // The first table whose name equals `name` without regard to ASCII case
    // (as the old engine matched names); nullptr when there is none.
    const OldSchemaEntry* FindTable(std::string_view name) const;

    // Visits the rows of a table of Schema() in ascending row number. Each
    // row has exactly the table's column count of values; the INTEGER PRIMARY
    // KEY slot holds the row number as decimal text. Each table can be read
    // once. Throws DamagedFile.
    using RowVisitor = std::function<void(std::int32_t rowNumber, const std::vector<OldValue>& values)>;
    void ReadRows(const OldSchemaEntry& table, const RowVisitor& onRow);

    // Walks every tree not read yet and the free list, and checks that each
    // page of the file belongs to exactly one structure. Throws DamagedFile.
    void Finish();

    // The size of the file in bytes.
    std::size_t FileSize() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The bytes of an old-format file, read whole. Refused: a file that is not a
// regular file, is larger than kMaxOldFormatFileBytes, or changes while being
// read; and a file with a rollback journal ("<path>-journal") beside it, as
// its last write did not finish (`journal` then names that file).
struct OldFileBytes {
    bool ok = false;
    std::string bytes;
    std::string error;                          // why, when !ok (for developers)
    std::optional<std::filesystem::path> journal;  // set when a journal was found
};
OldFileBytes ReadOldFormatFile(const std::filesystem::path& path);

// True when the first 53 bytes equal kOldFormatHeader (the load decides on
// this alone whether a file needs converting).
bool HasOldFormatHeader(std::string_view first53OrMoreBytes);

}  // namespace formet::legacy
