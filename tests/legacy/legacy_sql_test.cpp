// What the reader takes from CREATE TABLE texts, and the old engine's ORDER BY
// comparison that decides the order of the dumped tables.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "store/legacy/legacy_pages.h"
#include "store/legacy/legacy_sql.h"

namespace formet::legacy::detail {
namespace {

TEST(LegacyCreateTable, ColumnCountAndRowNumberColumn) {
    struct Case {
        const char* sql;
        const char* name;
        std::size_t columns;
        std::optional<std::size_t> rowIdColumn;
    };
    const std::vector<Case> cases = {
        {"CREATE TABLE W2 (W2UniqueID INTEGER PRIMARY KEY, EmployeeUniqueID INTEGER, Wages NVARCHAR(21))", "W2", 3, 0},
        {"CREATE TABLE Version (FormetVersion NVARCHAR(16))", "Version", 1, std::nullopt},
        {"create temp table t(a integer primary key)", "t", 1, 0},
        {"CREATE TEMPORARY TABLE t(a, b InTeGeR PrImArY kEy)", "t", 2, 1},
        {"CREATE TABLE t(a INT PRIMARY KEY, b)", "t", 2, std::nullopt},
        {"CREATE TABLE t(a INTEGER(5) PRIMARY KEY)", "t", 1, std::nullopt},
        {"CREATE TABLE t(a UNSIGNED INTEGER PRIMARY KEY)", "t", 1, std::nullopt},
        {"CREATE TABLE t(a 'INTEGER' PRIMARY KEY)", "t", 1, std::nullopt},
        // The engine keeps the type with its blanks removed.
        {"CREATE TABLE t(a INT EGER PRIMARY KEY)", "t", 1, 0},
        {"CREATE TABLE t(a INTEGER CONSTRAINT pk PRIMARY KEY ASC)", "t", 1, 0},
        {"CREATE TABLE t(a INTEGER NOT NULL PRIMARY KEY ON CONFLICT REPLACE, b)", "t", 2, 0},
        {"CREATE TABLE t(a, b INTEGER, PRIMARY KEY(b))", "t", 2, 1},
        {"CREATE TABLE t(a, b INTEGER, CONSTRAINT k PRIMARY KEY([B]), UNIQUE(a))", "t", 2, 1},
        {"CREATE TABLE t(a INTEGER, b INTEGER, PRIMARY KEY(a, b))", "t", 2, std::nullopt},
        {"CREATE TABLE t(a PRIMARY KEY, b INTEGER)", "t", 2, std::nullopt},
        {"CREATE TABLE t(a DEFAULT 'x, y', b CHECK(b IN (1, 2)), c NVARCHAR(3, 1))", "t", 3, std::nullopt},
        {"CREATE TABLE t(a DEFAULT 'PRIMARY KEY', b INTEGER)", "t", 2, std::nullopt},
        {"CREATE TABLE 'my table'(\"x\" INTEGER PRIMARY KEY, [y z] TEXT)", "my table", 2, 0},
        {"CREATE TABLE 'it''s' (v)", "it's", 1, std::nullopt},
        {"CREATE TABLE t -- comment\n( a /* x, y */ INTEGER PRIMARY KEY, b )", "t", 2, 0},
        {"CREATE TABLE t(a);", "t", 1, std::nullopt},
        {"  CREATE\tTABLE\nt\r(a)  ", "t", 1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        const TableShape shape = ParseCreateTable(c.sql);
        EXPECT_EQ(shape.name, c.name);
        EXPECT_EQ(shape.columnCount, c.columns);
        EXPECT_EQ(shape.rowIdColumn, c.rowIdColumn);
    }
}

TEST(LegacyCreateTable, TextsTheEngineWouldNotHaveAcceptedAreRefused) {
    for (const char* sql : {
             "",
             "CREATE",
             "CREATE TABLE",
             "CREATE TABLE t",
             "CREATE TABLE t (",
             "CREATE TABLE t ()",
             "CREATE TABLE t (a,)",
             "CREATE TABLE t (a, , b)",
             "CREATE TABLE t (a) extra",
             "CREATE TABLE t (a)) ",
             "CREATE TABLE t (a DEFAULT 'open)",
             "CREATE TABLE t ([open)",
             "CREATE TABLE t AS SELECT 1",
             "CREATE VIEW t AS SELECT 1",
             "CREATE INDEX i ON t(a)",
             "CREATE TABLE t (a INTEGER PRIMARY KEY, b PRIMARY KEY)",
             "CREATE TABLE t (a INTEGER PRIMARY KEY, PRIMARY KEY(a))",
             "CREATE TABLE t (a INTEGER, PRIMARY KEY(b))",
             "CREATE TABLE t (a INTEGER, PRIMARY KEY())",
             "CREATE TABLE t (a INTEGER, PRIMARY KEY a)",
             "CREATE TABLE t (PRIMARY KEY(a))",
             "CREATE TABLE t (a, UNIQUE(a), b)",
             "CREATE TABLE t (5 INTEGER)",
         }) {
        EXPECT_THROW(ParseCreateTable(sql), DamagedFile) << sql;
    }
}

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(LegacyOrderBy, NumbersFirstThenTextsIgnoringCaseWithDigitRunsByValue) {
    struct Case {
        std::optional<std::string> a;
        std::optional<std::string> b;
        int sign;  // of compare(a, b)
    };
    const std::vector<Case> cases = {
        {"Company", "Contractors", -1},
        {"EFiling_1099_Transmitter", "EFiling_W2_Submitter", -1},
        {"Form1096", "Form1099", -1},
        {"W2", "W3", -1},
        {"Version", "W2", -1},
        {"abc", "abd", -1},
        {"abc", "ABD", -1},  // case ignored
        {"ABC", "abc", -1},  // ... except to break a tie
        {"abc", "abc", 0},
        {"t9", "t10", -1},   // digit runs by value
        {"T2", "t10", -1},
        {"a", "ab", -1},
        {"10", "9", 1},      // numbers by value
        {"-1", "0.5", -1},
        {"1.50", "1.5", 0},
        {"99", "a", -1},     // numbers before texts
        {"a", "99", 1},
        {"1x", "A", -1},
        {std::nullopt, "a", -1},  // NULL first
        {"a", std::nullopt, 1},
        {std::nullopt, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sign(OrderByCompare(c.a, c.b)), c.sign) << c.a.value_or("NULL") << " vs " << c.b.value_or("NULL");
        EXPECT_EQ(Sign(OrderByCompare(c.b, c.a)), -c.sign) << c.b.value_or("NULL") << " vs " << c.a.value_or("NULL");
    }
}

TEST(LegacyTableName, BareOnlyForPlainIdentifiers) {
    struct Case {
        const char* name;
        const char* written;
    };
    for (const Case& c : std::vector<Case>{{"W2", "W2"},
                                           {"_x1", "_x1"},
                                           {"EFiling_W2_Submitter", "EFiling_W2_Submitter"},
                                           {"1x", "'1x'"},
                                           {"my table", "'my table'"},
                                           {"it's", "'it''s'"},
                                           {"a-b", "'a-b'"},
                                           {"caf\xE9", "'caf\xE9'"},
                                           {"", "''"}}) {
        std::string out;
        AppendTableName(out, c.name);
        EXPECT_EQ(out, c.written) << c.name;
    }
}

}  // namespace
}  // namespace formet::legacy::detail
