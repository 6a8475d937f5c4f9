// Company files of the previous release made with the old-format test
// writer: the tables of schema version 1 or 2 with the CREATE texts that
// release wrote, a few rows in each, and room for what a hostile or damaged
// file adds (views, triggers, other tables, CREATE texts that close early).
#pragma once

#include <string>
#include <vector>

#include "legacy/legacy_test_db.h"

namespace formet::legacy::testing {

struct OldTable {
    std::string name;
    std::string createSql;
    std::vector<TestRow> rows;
};

// The tables of an old company of schema `version` (1 or 2; 3 gives the
// current columns too), in the order the old program created them, each with
// its CREATE text as stored (no semicolon). Rows: the company (EmployerName
// "Old Company"), employees 1 and 2 (last names "Last 1", "Last 2") with
// their W-2s, contractor 1 with its 1099-MISC, and the version row `version`.
std::vector<OldTable> OldCompanyTables(int version);

// The table of that name in `tables`; throws when there is none.
OldTable& TableNamed(std::vector<OldTable>& tables, const std::string& name);

// A builder holding the tables.
LegacyDbBuilder OldCompanyFile(const std::vector<OldTable>& tables);

}  // namespace formet::legacy::testing
