// The reader on databases written here the way the old engine lays them out,
// for the shapes the fixtures do not have.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "legacy/legacy_fixture_util.h"
#include "legacy/legacy_test_db.h"
#include "store/legacy/legacy_dump.h"

namespace formet::legacy {
namespace {

using testing::Field;
using testing::LegacyDbBuilder;
using testing::LooksLikeDump;
using testing::TestRow;
using testing::TreeShape;

DumpOptions ShellForm() { return DumpOptions{.quoteAllValues = false}; }

std::vector<std::string> InsertLines(const std::string& sql) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while ((at = sql.find("INSERT INTO ", at)) != std::string::npos) {
        const std::size_t end = sql.find(");\n", at);
        lines.push_back(sql.substr(at, end + 2 - at));
        at = end;
    }
    return lines;
}

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

constexpr const char* kCompanySql =
    "CREATE TABLE Company (CompanyUniqueID INTEGER PRIMARY KEY, Name NVARCHAR(51), Zip NVARCHAR(11))";
constexpr const char* kVersionSql = "CREATE TABLE Version (FormetVersion NVARCHAR(16))";

LegacyDbBuilder SmallCompany() {
    LegacyDbBuilder b;
    b.AddTable("Version", kVersionSql, {{1, {"1"}}});
    b.AddTable("Company", kCompanySql,
               {{2, {std::nullopt, std::nullopt, "-12.50"}}, {1, {std::nullopt, "O'Brien", "02134"}}});
    return b;
}

TEST(LegacyReader, BothByteOrdersBothHeadersAndAFreeListGiveTheSameDump) {
    const std::string expected = std::string("BEGIN TRANSACTION;\n") + kCompanySql +
                                 ";\n"
                                 "INSERT INTO Company VALUES(1,'O''Brien',02134);\n"
                                 "INSERT INTO Company VALUES(2,NULL,-12.50);\n" +
                                 kVersionSql +
                                 ";\n"
                                 "INSERT INTO Version VALUES(1);\n"
                                 "COMMIT;\n";
    for (const bool bigEndian : {false, true}) {
        for (const bool oldHeader : {true, false}) {
            for (const std::uint32_t freePages : {0u, 1u, 5u}) {
                LegacyDbBuilder b = SmallCompany();
                b.bigEndian = bigEndian;
                b.oldHeader = oldHeader;
                b.freePages = freePages;
                const std::string image = b.Build();
                const std::string label = std::string(bigEndian ? "big" : "little") + "-endian, " +
                                          (oldHeader ? "old" : "standard") + " header, " +
                                          std::to_string(freePages) + " free pages";
                EXPECT_EQ(HasOldFormatHeader(image), oldHeader) << label;
                const DumpResult r = DumpOldFormat(image, ShellForm());
                ASSERT_TRUE(r.ok) << label << ": " << r.error;
                EXPECT_EQ(r.sql, expected) << label;
            }
        }
    }
}

TEST(LegacyReader, FileFormatsThreeAndFourOnly) {
    for (const std::uint32_t format : {0u, 1u, 2u, 3u, 4u, 5u, 0x03000000u}) {
        LegacyDbBuilder b = SmallCompany();
        b.fileFormat = format;
        const DumpResult r = DumpOldFormat(b.Build());
        EXPECT_EQ(r.ok, format == 3 || format == 4) << format << ": " << r.error;
    }
}

TEST(LegacyReader, ValuesAreWrittenAsTheOldShellWroteThem) {
    struct Case {
        Field stored;
        std::string shellForm;
    };
    using namespace std::string_literals;
    const std::vector<Case> cases = {
        {"62704", "62704"},
        {"02134", "02134"},
        {"007", "007"},
        {"1234.50", "1234.50"},
        {"-12.50", "-12.50"},
        {"+0", "+0"},
        {"-0.0", "-0.0"},
        {"1e3", "1e3"},
        {"1E+3", "1E+3"},
        {"2.5e-3", "2.5e-3"},
        {"5.", "5."},
        {".75", "'.75'"},
        {"1,000.00", "'1,000.00'"},
        {"0012-3456", "'0012-3456'"},
        {" 12", "' 12'"},
        {"12 ", "'12 '"},
        {"", "''"},
        {"-", "'-'"},
        {"+", "'+'"},
        {"1e", "'1e'"},
        {"1e+", "'1e+'"},
        {"e5", "'e5'"},
        {"0x10", "'0x10'"},
        {"1.2.3", "'1.2.3'"},
        {"it's", "'it''s'"},
        {"''", "''''''"},
        {"caf\xE9", "'caf\xE9'"},
        {"\x92", "'\x92'"},
        {"two\nlines", "'two\nlines'"},
        {"NULL", "'NULL'"},
        {std::nullopt, "NULL"},
        // The engine hands values out as C strings: a stored NUL ends the text.
        {"ab\0cd"s, "'ab'"},
        {"12\0x"s, "12"},
    };
    LegacyDbBuilder b;
    std::vector<TestRow> rows;
    for (std::size_t i = 0; i < cases.size(); ++i) rows.push_back({static_cast<std::int32_t>(i + 1), {std::nullopt, cases[i].stored}});
    b.AddTable("T", "CREATE TABLE T (id INTEGER PRIMARY KEY, v NVARCHAR(20))", rows);
    const std::string image = b.Build();

    const DumpResult shell = DumpOldFormat(image, ShellForm());
    const DumpResult quoted = DumpOldFormat(image);
    ASSERT_TRUE(shell.ok && quoted.ok) << shell.error << quoted.error;
    const std::vector<std::string> shellLines = InsertLines(shell.sql);
    const std::vector<std::string> quotedLines = InsertLines(quoted.sql);
    ASSERT_EQ(shellLines.size(), cases.size());
    ASSERT_EQ(quotedLines.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        EXPECT_EQ(shellLines[i], "INSERT INTO T VALUES(" + n + "," + cases[i].shellForm + ");") << i;
        const Field& stored = cases[i].stored;
        const std::string asText = stored ? Quoted(stored->substr(0, stored->find('\0'))) : "NULL";
        EXPECT_EQ(quotedLines[i], "INSERT INTO T VALUES('" + n + "'," + asText + ");") << i;
    }
}

TEST(LegacyReader, RowNumbersOverTheWholeSignedRange) {
    LegacyDbBuilder b;
    b.AddTable("T", "CREATE TABLE T (id INTEGER PRIMARY KEY, v)",
               {{2147483647, {std::nullopt, "max"}},
                {0, {std::nullopt, "zero"}},
                {-7, {std::nullopt, "minus seven"}},
                {-2147483647 - 1, {std::nullopt, "min"}},
                {1, {std::nullopt, "one"}}});
    const DumpResult r = DumpOldFormat(b.Build(), ShellForm());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(InsertLines(r.sql), (std::vector<std::string>{
                                      "INSERT INTO T VALUES(-2147483648,'min');",
                                      "INSERT INTO T VALUES(-7,'minus seven');",
                                      "INSERT INTO T VALUES(0,'zero');",
                                      "INSERT INTO T VALUES(1,'one');",
                                      "INSERT INTO T VALUES(2147483647,'max');",
                                  }));
}

TEST(LegacyReader, OnlyAnIntegerPrimaryKeyShowsTheRowNumber) {
    struct Case {
        const char* name;
        const char* sql;
        std::vector<Field> stored;  // of row 9
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"A", "CREATE TABLE A (id INTEGER PRIMARY KEY, v)", {std::nullopt, "x"}, "INSERT INTO A VALUES(9,'x');"},
        {"b", "create table b (ID integer primary key, v)", {std::nullopt, "x"}, "INSERT INTO b VALUES(9,'x');"},
        {"C", "CREATE TABLE C (id, v INTEGER, PRIMARY KEY(v))", {"a", std::nullopt}, "INSERT INTO C VALUES('a',9);"},
        {"D", "CREATE TABLE D (id INTEGER(5) PRIMARY KEY, v)", {"42", "x"}, "INSERT INTO D VALUES(42,'x');"},
        {"E", "CREATE TABLE E (id INT PRIMARY KEY, v)", {"42", "x"}, "INSERT INTO E VALUES(42,'x');"},
        {"F", "CREATE TABLE F (a INTEGER, b INTEGER, PRIMARY KEY(a, b))", {"1", "2"}, "INSERT INTO F VALUES(1,2);"},
        {"G", "CREATE TABLE G (v NVARCHAR(5))", {"x"}, "INSERT INTO G VALUES('x');"},
    };
    for (const Case& c : cases) {
        LegacyDbBuilder b;
        b.AddTable(c.name, c.sql, {{9, c.stored}});
        const DumpResult r = DumpOldFormat(b.Build(), ShellForm());
        ASSERT_TRUE(r.ok) << c.sql << ": " << r.error;
        EXPECT_EQ(InsertLines(r.sql), std::vector<std::string>{c.expected}) << c.sql;
    }
}

TEST(LegacyReader, ManyRowsInAMultiLevelTreeComeOutInRowOrder) {
    LegacyDbBuilder b;
    b.cellsPerPage = 3;
    std::vector<TestRow> rows;
    for (std::int32_t i = 599; i >= 0; --i) rows.push_back({3 * i + 1, {std::nullopt, "row " + std::to_string(i)}});
    b.AddTable("T", "CREATE TABLE T (id INTEGER PRIMARY KEY, v)", rows);
    const DumpResult r = DumpOldFormat(b.Build(), ShellForm());
    ASSERT_TRUE(r.ok) << r.error;
    const std::vector<std::string> lines = InsertLines(r.sql);
    ASSERT_EQ(lines.size(), 600u);
    for (std::int32_t i = 0; i < 600; ++i) {
        EXPECT_EQ(lines[i], "INSERT INTO T VALUES(" + std::to_string(3 * i + 1) + ",'row " + std::to_string(i) + "');");
    }
}

TEST(LegacyReader, TreeDepthIsBounded) {
    for (const std::size_t rows : {100u, 200u}) {  // a chain of about rows/2 levels
        LegacyDbBuilder b;
        b.shape = TreeShape::Chain;
        std::vector<TestRow> content;
        for (std::size_t i = 0; i < rows; ++i) content.push_back({static_cast<std::int32_t>(i), {std::nullopt}});
        b.AddTable("T", "CREATE TABLE T (id INTEGER PRIMARY KEY)", content);
        const DumpResult r = DumpOldFormat(b.Build(), ShellForm());
        if (rows == 100) {
            ASSERT_TRUE(r.ok) << r.error;
            EXPECT_EQ(InsertLines(r.sql).size(), rows);
        } else {
            EXPECT_FALSE(r.ok);
            EXPECT_NE(r.error.find("deeper"), std::string::npos) << r.error;
        }
    }
}

TEST(LegacyReader, PayloadsAroundTheOverflowAndOffsetWidthLimits) {
    // Payload = 4-byte key + record; the record of (NULL, text) is the offsets
    // (3 of 1, 2 or 3 bytes) plus the text and its NUL.
    const auto text = [](std::size_t n) {
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + (i * 7 + i / 26) % 26);
        return s;
    };
    const std::vector<std::size_t> lengths = {
        0,            // payload 8
        228,          // payload 236: all on the page
        229,          // payload 237: 1 byte on an overflow page
        251,          // record 255: one-byte offsets
        252,          // record 259: two-byte offsets
        1245,         // payload 1256: exactly one full overflow page
        1246,         // payload 1257: a second overflow page for 1 byte
        65528,        // record 65535: two-byte offsets
        65529,        // record 65539: three-byte offsets
        70000,        // three-byte offsets, 69 overflow pages
        300000,       // data size above 0xFFFF: uses the high byte of the size
    };
    LegacyDbBuilder b;
    std::vector<TestRow> rows;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        rows.push_back({static_cast<std::int32_t>(i + 1), {std::nullopt, text(lengths[i])}});
    }
    b.AddTable("P", "CREATE TABLE P (id INTEGER PRIMARY KEY, v)", rows);
    const DumpResult r = DumpOldFormat(b.Build());
    ASSERT_TRUE(r.ok) << r.error;
    const std::vector<std::string> lines = InsertLines(r.sql);
    ASSERT_EQ(lines.size(), lengths.size());
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        EXPECT_EQ(lines[i], "INSERT INTO P VALUES('" + std::to_string(i + 1) + "','" + text(lengths[i]) + "');")
            << "length " << lengths[i];
    }
}

TEST(LegacyReader, SchemaOrderAndTableNamesFollowTheOldShell) {
    LegacyDbBuilder b;
    // Created in this order; dumped tables first, then views, indexes and
    // triggers, each by name: case ignored, digit runs by value.
    b.AddTable("t10", "CREATE TABLE t10 (v)", {{1, {"t10"}}});
    b.AddTable("T2", "CREATE TABLE T2 (v)", {{1, {"T2"}}});
    b.AddSchemaRow("trigger", "trg", std::string("CREATE TRIGGER trg AFTER INSERT ON b BEGIN SELECT 1; END"));
    b.AddTable("b", "CREATE TABLE b (v)", {{1, {"b"}}});
    b.AddSchemaRow("index", "(b autoindex 1)", std::nullopt);
    b.AddTable("my table", "CREATE TABLE 'my table' (v)", {{1, {"my table"}}});
    b.AddSchemaRow("view", "v1", std::string("CREATE VIEW v1 AS SELECT * FROM b"));
    b.AddTable("it's", "CREATE TABLE 'it''s' (v)", {{1, {"it's"}}});
    b.AddTable("A", "CREATE TABLE A (v)", {{1, {"A"}}});
    b.AddSchemaRow("index", "ix", std::string("CREATE INDEX ix ON b (v)"));
    b.AddTable("1x", "CREATE TABLE [1x] (v)", {{1, {"1x"}}});
    b.AddTable("x_1", "CREATE TABLE x_1 (v)", {{1, {"x_1"}}});
    b.AddSchemaRow("meta", "m", std::string("not printed"));
    const DumpResult r = DumpOldFormat(b.Build(), ShellForm());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.sql,
              "BEGIN TRANSACTION;\n"
              "CREATE TABLE [1x] (v);\n"
              "INSERT INTO '1x' VALUES('1x');\n"
              "CREATE TABLE A (v);\n"
              "INSERT INTO A VALUES('A');\n"
              "CREATE TABLE b (v);\n"
              "INSERT INTO b VALUES('b');\n"
              "CREATE TABLE 'it''s' (v);\n"
              "INSERT INTO 'it''s' VALUES('it''s');\n"
              "CREATE TABLE 'my table' (v);\n"
              "INSERT INTO 'my table' VALUES('my table');\n"
              "CREATE TABLE T2 (v);\n"
              "INSERT INTO T2 VALUES('T2');\n"
              "CREATE TABLE t10 (v);\n"
              "INSERT INTO t10 VALUES('t10');\n"
              "CREATE TABLE x_1 (v);\n"
              "INSERT INTO x_1 VALUES('x_1');\n"
              "CREATE VIEW v1 AS SELECT * FROM b;\n"
              "CREATE INDEX ix ON b (v);\n"
              "CREATE TRIGGER trg AFTER INSERT ON b BEGIN SELECT 1; END;\n"
              "COMMIT;\n");
}

TEST(LegacyReader, InconsistentSchemasAreRefused) {
    struct Case {
        const char* label;
        std::string name;
        std::string sql;
        std::vector<Field> fields;
    };
    const std::vector<Case> cases = {
        {"CREATE names another table", "T", "CREATE TABLE U (v)", {"x"}},
        {"not a CREATE TABLE", "T", "CREATE VIEW T AS SELECT 1", {"x"}},
        {"AS SELECT", "T", "CREATE TABLE T AS SELECT * FROM U", {"x"}},
        {"unclosed column list", "T", "CREATE TABLE T (v, w", {"x", "y"}},
        {"unterminated quote", "T", "CREATE TABLE T (v DEFAULT 'x)", {"x"}},
        {"two primary keys", "T", "CREATE TABLE T (a INTEGER PRIMARY KEY, b PRIMARY KEY)", {std::nullopt, "x"}},
        {"primary key of no column", "T", "CREATE TABLE T (a INTEGER, PRIMARY KEY(z))", {"x"}},
        {"record has more fields", "T", "CREATE TABLE T (v)", {"x", "y"}},
        {"record has fewer fields", "T", "CREATE TABLE T (v, w, x)", {"x", "y"}},
        {"no columns", "T", "CREATE TABLE T ()", {"x"}},
    };
    for (const Case& c : cases) {
        LegacyDbBuilder b;
        b.AddTable(c.name, c.sql, {{1, c.fields}});
        const DumpResult r = DumpOldFormat(b.Build());
        EXPECT_FALSE(r.ok) << c.label;
        EXPECT_FALSE(r.error.empty()) << c.label;
    }

    // Root pages that are not a page of their own.
    for (const char* root : {"3", "2", "1", "0x5", "5a", "-3", "99999", "99999999999"}) {
        LegacyDbBuilder b;
        b.AddTable("T", "CREATE TABLE T (v)", {{1, {"x"}}});  // root page 3
        b.AddSchemaRow("index", "ix", std::string("CREATE INDEX ix ON T (v)"), std::string(root));
        const DumpResult r = DumpOldFormat(b.Build());
        EXPECT_FALSE(r.ok) << "index root " << root;
        EXPECT_FALSE(r.error.empty()) << "index root " << root;
    }

    LegacyDbBuilder twice;
    twice.AddTable("T", "CREATE TABLE T (v)", {});
    twice.AddTable("t", "CREATE TABLE t (v)", {});
    EXPECT_FALSE(DumpOldFormat(twice.Build()).ok);
}

TEST(LegacyReader, EmptyPagesAreAcceptedOnlyAsRoots) {
    LegacyDbBuilder b;
    b.cellsPerPage = 4;
    std::vector<TestRow> rows;
    for (std::int32_t i = 1; i <= 20; ++i) rows.push_back({i, {"v"}});
    b.AddTable("T", "CREATE TABLE T (v)", rows);
    b.AddTable("E", "CREATE TABLE E (v)", {});
    b.AddTable("S", "CREATE TABLE S (v)", {{1, {"v"}}});
    const std::string good = b.Build();
    const std::uint32_t root = b.rootPages.at("T");
    const std::uint32_t leaf = testing::Le32(good, (root - 1) * 1024);  // the root's right child
    ASSERT_NE(leaf, 0u);

    const DumpResult reference = DumpOldFormat(good, ShellForm());
    ASSERT_TRUE(reference.ok) << reference.error;
    EXPECT_NE(reference.sql.find("CREATE TABLE E (v);\nCREATE TABLE S"), std::string::npos);

    std::string zeroedLeaf = good;
    zeroedLeaf.replace((leaf - 1) * 1024, 1024, std::string(1024, '\0'));
    EXPECT_FALSE(DumpOldFormat(zeroedLeaf).ok);

    // A never-written root reads as an empty table, as the engine reads it.
    std::string zeroedRoot = good;
    zeroedRoot.replace((b.rootPages.at("S") - 1) * 1024, 1024, std::string(1024, '\0'));
    const DumpResult r = DumpOldFormat(zeroedRoot, ShellForm());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_NE(r.sql.find("CREATE TABLE S (v);\nCREATE TABLE T"), std::string::npos);
}

TEST(LegacyReader, OutputIsBoundedByTheFileSize) {
    // A 2000-character table name printed before each of many tiny rows: the
    // dump would be some 30 times the file, which no real file comes near.
    const std::string name(2000, 'n');
    for (const std::int32_t rowCount : {200, 3000}) {
        LegacyDbBuilder b;
        b.cellsPerPage = 50;
        std::vector<TestRow> rows;
        for (std::int32_t i = 1; i <= rowCount; ++i) rows.push_back({i, {std::nullopt}});
        b.AddTable(name, "CREATE TABLE " + name + " (v)", rows);
        const std::string image = b.Build();
        const DumpResult r = DumpOldFormat(image);
        if (rowCount == 200) {
            ASSERT_TRUE(r.ok) << r.error;
            EXPECT_TRUE(LooksLikeDump(r.sql));
        } else {
            EXPECT_FALSE(r.ok);
            EXPECT_NE(r.error.find("times the file size"), std::string::npos) << r.error;
        }
    }
}

}  // namespace
}  // namespace formet::legacy
