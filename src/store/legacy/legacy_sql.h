// The SQL-text side of the old-format reader: what a CREATE TABLE statement
// tells about a table's records, how the old engine ordered schema rows, and
// how its shell wrote names and values.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formet::legacy::detail {

struct TableShape {
    std::string name;          // as declared, quotes removed
    std::size_t columnCount = 0;
    std::vector<std::string> columns;  // column names, quotes removed
    // Column declared "INTEGER PRIMARY KEY": its record slot is NULL and its
    // value is the row number. nullopt when the table has no such column.
    std::optional<std::size_t> rowIdColumn;
};

// Reads "CREATE [TEMP] TABLE name (column defs [, table constraints])".
// Throws DamagedFile for anything the old engine would not have accepted (or
// a form this reader does not handle, such as CREATE TABLE ... AS SELECT).
TableShape ParseCreateTable(std::string_view sql);

// The old engine's ORDER BY comparison of two texts (file format 3): texts
// that read as numbers come first, by value; other texts compare ignoring
// letter case with runs of digits by value, letter case breaking ties.
// Negative, zero or positive like strcmp. nullopt is NULL and sorts first.
int OrderByCompare(const std::optional<std::string>& a, const std::optional<std::string>& b);

// The old shell's test for writing a value bare: optional sign, at least one
// digit, optional fraction, optional exponent, nothing else.
bool ShellLooksNumeric(std::string_view text);

// Appends `text` in single quotes with inner quotes doubled; other bytes raw.
void AppendQuoted(std::string& out, std::string_view text);

// Appends a table name as the shell wrote it after INSERT INTO: bare when it
// is a letter or '_' followed by letters, digits and '_', quoted otherwise.
void AppendTableName(std::string& out, std::string_view name);

// ASCII-only case-insensitive equality, as the engine compares names.
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace formet::legacy::detail
