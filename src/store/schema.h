#pragma once
// The ten tables of a company file, their columns in order, and the CREATE
// TABLE statements built from them.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace formet {

inline constexpr const char* kCurrentSchemaVersion = "3";

// Schema versions a company file can carry in its Version row: 1 (the first
// eight tables), 2 (the two e-filing tables added) and 3 (text columns
// appended to seven tables; the current schema).
inline constexpr int kFirstSchemaVersion = 1;
inline constexpr int kLastSchemaVersion = 3;

enum class ColumnKind { Key, Integer, Text };

struct ColumnDef {
  const char* name;
  ColumnKind kind;
  int width = 0;  // declared NVARCHAR width of a text column
};

struct TableDef {
  const char* name;
  std::span<const ColumnDef> columns;
};

// All ten tables in creation order: Version, Company, Employees, Contractors,
// W2, Form1099, W3, Form1096, EFiling_1099_Transmitter, EFiling_W2_Submitter.
std::span<const TableDef> CompanyTables();
const TableDef* FindTable(std::string_view name);

// The version of a Version row's text: 1, 2 or 3 for exactly "1", "2" or
// "3"; nullopt for any other text.
std::optional<int> KnownSchemaVersion(std::string_view text);

// A text column that version 3 appended to a table of the earlier versions.
struct AddedColumn {
  const char* table;
  const char* column;
  int width;
};
// In the order the upgrade adds them. Within each table they follow the
// order a new file declares them and are that table's last columns.
std::span<const AddedColumn> Version3Columns();

// How many of the table's leading columns it has in schema `version`; 0 when
// the table does not exist in that version.
size_t ColumnCountInVersion(const TableDef& table, int version);

// "CREATE TABLE W2 (W2UniqueID INTEGER PRIMARY KEY, EmployeeUniqueID INTEGER, Wages NVARCHAR(21), ...);"
// The Version table's statement also writes the version row.
std::string CreateTableStatement(const TableDef& table);
// The same statement with only the first `columnCount` columns; it never
// writes a row, not even for Version.
std::string CreateTableStatement(const TableDef& table, size_t columnCount);

}  // namespace formet
