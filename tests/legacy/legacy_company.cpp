#include "legacy/legacy_company.h"

#include <stdexcept>

#include "store/schema.h"

namespace formet::legacy::testing {

std::vector<OldTable> OldCompanyTables(int version) {
    std::vector<OldTable> tables;
    for (const auto& table : CompanyTables()) {
        const std::size_t columns = ColumnCountInVersion(table, version);
        if (columns == 0) continue;
        OldTable old{table.name, {}, {}};
        if (std::string_view(table.name) == "Version") {
            old.createSql = "CREATE TABLE Version (FormetVersion NVARCHAR(16))";
            old.rows.push_back({1, {std::to_string(version)}});
            tables.push_back(std::move(old));
            continue;
        }
        old.createSql = CreateTableStatement(table, columns);
        old.createSql.pop_back();  // the old engine keeps the text without its semicolon

        const std::string_view name = table.name;
        int count = 1;
        if (name == "Employees" || name == "W2") count = 2;
        if (name == "W3" || name == "Form1096") count = 0;
        for (int id = 1; id <= count; ++id) {
            TestRow row{id, {}};
            for (std::size_t c = 0; c < columns; ++c) {
                const ColumnDef& column = table.columns[c];
                const std::string_view columnName = column.name;
                if (column.kind == ColumnKind::Key) {
                    row.fields.push_back(std::nullopt);  // the row number stands in its place
                } else if (column.kind == ColumnKind::Integer) {
                    row.fields.push_back(columnName == "CompanyUniqueID" ? "1" : std::to_string(id));
                } else if (columnName == "EmployerName") {
                    row.fields.push_back("Old Company");
                } else if (columnName == "LastName") {
                    row.fields.push_back("Last " + std::to_string(id));
                } else {
                    row.fields.push_back(std::string(columnName.substr(0, 8)) + " " + std::to_string(id));
                }
            }
            old.rows.push_back(std::move(row));
        }
        tables.push_back(std::move(old));
    }
    return tables;
}

OldTable& TableNamed(std::vector<OldTable>& tables, const std::string& name) {
    for (OldTable& t : tables) {
        if (t.name == name) return t;
    }
    throw std::logic_error("no old table " + name);
}

LegacyDbBuilder OldCompanyFile(const std::vector<OldTable>& tables) {
    LegacyDbBuilder builder;
    for (const OldTable& t : tables) builder.AddTable(t.name, t.createSql, t.rows);
    return builder;
}

}  // namespace formet::legacy::testing
