#pragma once
// The ten tables of a company file, their columns in order, and the CREATE
// TABLE statements built from them.
#include <span>
#include <string>
#include <string_view>

namespace formet {

inline constexpr const char* kCurrentSchemaVersion = "3";

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

// "CREATE TABLE W2 (W2UniqueID INTEGER PRIMARY KEY, EmployeeUniqueID INTEGER, Wages NVARCHAR(21), ...);"
// The Version table's statement also writes the version row.
std::string CreateTableStatement(const TableDef& table);

}  // namespace formet
