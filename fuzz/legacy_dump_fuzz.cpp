// libFuzzer target of the old-format reader and of the conversion built on
// it: any input must end in a clean refusal or a complete dump, within the
// output bound, with no crash, hang, out-of-bounds access or undefined
// behaviour; and building a company from it (into an in-memory database,
// with a guard on the connection) must never run anything but the program's
// own statements, and must end either with nothing or with exactly our
// tables. Built by scripts/fuzz-legacy.sh, never by the CMake build.
//
// Built with FORMET_LEGACY_FUZZ_SEEDS defined, the file is instead a program
// that writes extra seed files: small databases of shapes the fixtures lack
// (other byte order, standard header, indexes and views, deeper trees), and
// companies of each schema version, plain and hostile.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/legacy/legacy_dump.h"

#ifdef FORMET_LEGACY_FUZZ_SEEDS

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "legacy/legacy_company.h"
#include "legacy/legacy_test_db.h"

int main(int argc, char** argv) {
    using formet::legacy::testing::LegacyDbBuilder;
    using formet::legacy::testing::TestRow;
    using formet::legacy::testing::TreeShape;
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <seed folder>\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const auto write = [&](const std::string& name, LegacyDbBuilder& b) {
        std::ofstream(dir / name, std::ios::binary) << b.Build();
    };
    const auto rows = [](int count, int textLength) {
        std::vector<TestRow> out;
        for (int i = 1; i <= count; ++i) {
            out.push_back({i, {std::nullopt, std::string(static_cast<std::size_t>(textLength), static_cast<char>('a' + i % 26)), "0" + std::to_string(i)}});
        }
        return out;
    };
    const std::string sql = "CREATE TABLE T (id INTEGER PRIMARY KEY, v NVARCHAR(20), n)";

    LegacyDbBuilder big;
    big.bigEndian = true;
    big.oldHeader = false;
    big.freePages = 3;
    big.AddTable("T", sql, rows(5, 10));
    write("seed-big-endian.qdt", big);

    LegacyDbBuilder schema;
    schema.fileFormat = 4;
    schema.AddTable("my table", "CREATE TABLE 'my table' (a, b INTEGER, PRIMARY KEY(b))", {{3, {"x", std::nullopt}}});
    schema.AddSchemaRow("view", "v", std::string("CREATE VIEW v AS SELECT * FROM 'my table'"));
    schema.AddSchemaRow("index", "(my table autoindex 1)", std::nullopt);
    schema.AddSchemaRow("trigger", "t", std::string("CREATE TRIGGER t AFTER INSERT ON T BEGIN SELECT 1; END"));
    schema.AddTable("T", sql, rows(3, 3));
    write("seed-schema.qdt", schema);

    LegacyDbBuilder bushy;
    bushy.cellsPerPage = 3;
    bushy.AddTable("T", sql, rows(40, 20));
    write("seed-bushy.qdt", bushy);

    LegacyDbBuilder chain;
    chain.shape = TreeShape::Chain;
    chain.AddTable("T", sql, rows(24, 1));
    write("seed-chain.qdt", chain);

    LegacyDbBuilder wide;
    wide.AddTable("T", sql, rows(3, 1300));
    write("seed-overflow.qdt", wide);

    // Companies as the previous release wrote them, and with SQL hidden in
    // the places the conversion must never run it from.
    using formet::legacy::testing::OldCompanyFile;
    using formet::legacy::testing::OldCompanyTables;
    using formet::legacy::testing::TableNamed;
    for (int version : {1, 2, 3}) {
        auto company = OldCompanyFile(OldCompanyTables(version));
        write("seed-company-v" + std::to_string(version) + ".qdt", company);
    }
    const std::string attack = "COMMIT; ATTACH char(47,116,109,112,47,120) AS x; DELETE FROM x.Employees; ";
    auto tables = OldCompanyTables(1);
    auto& employees = TableNamed(tables, "Employees");
    employees.createSql.pop_back();
    employees.createSql += ", Note `'`); " + attack + "CREATE TABLE Trap (z '`)";
    for (auto& row : employees.rows) row.fields.push_back("note");
    auto hostile = OldCompanyFile(tables);
    hostile.AddSchemaRow("view", "Evil", "CREATE VIEW Evil AS SELECT 1; " + attack);
    hostile.AddSchemaRow("trigger", "Wipe", "CREATE TRIGGER Wipe AFTER INSERT ON W2 BEGIN DELETE FROM W2; END");
    hostile.AddTable("Notes", "CREATE TABLE Notes (a, b DEFAULT '" + attack + "')", {});
    write("seed-company-hostile.qdt", hostile);
    return 0;
}

#else  // the fuzz target

#include <cstring>
#include <string>

#include "sql_guard.h"
#include "store/company_database.h"
#include "store/conversion.h"
#include "store/schema.h"

namespace {

bool LooksLikeDump(std::string_view sql) {
    constexpr std::string_view begin = "BEGIN TRANSACTION;\n";
    constexpr std::string_view end = "COMMIT;\n";
    return sql.size() >= begin.size() + end.size() && sql.substr(0, begin.size()) == begin &&
           sql.substr(sql.size() - end.size()) == end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Both forms of the dump, one per input.
    const bool quoteAll = size > 0 && (data[size - 1] & 1) != 0;
    const formet::legacy::DumpResult r = formet::legacy::DumpOldFormat(bytes, {quoteAll});
    if (r.ok) {
        if (!LooksLikeDump(r.sql) || !r.error.empty()) __builtin_trap();
        if (r.sql.size() > 16 * size + (std::size_t{1} << 20)) __builtin_trap();
    } else {
        if (!r.sql.empty() || r.error.empty()) __builtin_trap();
    }
    (void)formet::legacy::HasOldFormatHeader(bytes);

    // The conversion's build, guarded: only our own statements may run, and
    // the result is nothing or our tables alone.
    static formet::test::SqlGuard guard;
    static formet::CompanyDatabase db;  // a failed build leaves it empty; a good one is replaced below
    if (!db.IsOpen() && db.Open(":memory:", formet::OpenMode::Create) != 0) __builtin_trap();
    const formet::OldFormatBuild build = formet::BuildFromOldFormat(bytes, db);
    if (!guard.Violations().empty()) __builtin_trap();
    if (build.failedStep < 0 || build.failedStep > 2 || (build.failedStep != 0) == build.why.empty()) __builtin_trap();
    int entries = 0;
    bool foreign = false;
    db.Execute("SELECT type, name FROM sqlite_master", [&](int, char** v) {
        ++entries;
        if (!v[0] || std::strcmp(v[0], "table") != 0 || !v[1] || !formet::FindTable(v[1])) foreign = true;
    });
    if (foreign || (build.failedStep != 0 && entries != 0) || (build.failedStep == 0 && entries < 8)) __builtin_trap();
    if (build.failedStep == 0) db.Close();
    return 0;
}

#endif
