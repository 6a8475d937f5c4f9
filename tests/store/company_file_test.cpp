// The company file format: its header, the tables, and how foreign files fail.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "store/company_database.h"
#include "store/company_file_vfs.h"
#include "store/schema.h"
#include "test_support.h"

namespace formet {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Columns of a table as the engine reports them.
std::vector<std::string> ColumnsOf(CompanyDatabase& db, const std::string& table) {
  std::vector<std::string> names;
  EXPECT_EQ(db.Execute("PRAGMA table_info(" + table + ")", [&](int, char** v) { names.push_back(v[1]); }), 0);
  return names;
}

TEST(CompanyFile, NewFileCarriesCompanyHeaderAndVersionThree) {
  TempDir dir;
  const auto path = dir / "Acme.qdt";
  CompanyDatabase db;
  ASSERT_EQ(db.Open(path, OpenMode::Create), 0);
  ASSERT_EQ(db.CreateTables(), 0);
  std::string version;
  ASSERT_EQ(db.ReadVersion(version), 0);
  EXPECT_EQ(version, "3");
  db.Close();

  const std::string bytes = ReadBytes(path);
  ASSERT_GE(bytes.size(), 16u);
  EXPECT_EQ(bytes.substr(0, 16), std::string("* Formet DB 2 *\0", 16));

  // An unmodified engine refuses the file.
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(raw, "SELECT * FROM Version", nullptr, nullptr, nullptr), SQLITE_NOTADB);
  sqlite3_close(raw);
}

TEST(CompanyFile, TablesAndColumnsAreDeclaredInOrder) {
  TempDir dir;
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "A.qdt", OpenMode::Create), 0);
  ASSERT_EQ(db.CreateTables(), 0);
  std::vector<std::string> tables;
  db.Execute("SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid",
             [&](int, char** v) { tables.push_back(v[0]); });
  EXPECT_EQ(tables, (std::vector<std::string>{"Version", "Company", "Employees", "Contractors", "W2", "Form1099",
                                              "W3", "Form1096", "EFiling_1099_Transmitter", "EFiling_W2_Submitter"}));
  int indexes = -1;
  db.Execute("SELECT count(*) FROM sqlite_master WHERE type<>'table'", [&](int, char** v) { indexes = atoi(v[0]); });
  EXPECT_EQ(indexes, 0);
  EXPECT_EQ(ColumnsOf(db, "W2").size(), 52u);
  EXPECT_EQ(ColumnsOf(db, "Form1099").size(), 26u);
  EXPECT_EQ(ColumnsOf(db, "Company").size(), 35u);
  const auto w2 = ColumnsOf(db, "W2");
  EXPECT_EQ(w2[10], "AdvancEICPayment");
  EXPECT_EQ(w2[37], "StateIncomTax1");
  EXPECT_EQ(ColumnsOf(db, "Form1099")[3], "Royalities");
  EXPECT_EQ(ColumnsOf(db, "EFiling_W2_Submitter")[16], "ProblemNotifcationCode");
}

TEST(CompanyFile, ForeignHeadersFailWithNotADatabase) {
  TempDir dir;
  // A standard engine file with a real table in it.
  const auto standard = dir / "Standard.qdt";
  {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(standard.c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE Version(FormetVersion TEXT); INSERT INTO Version VALUES('3');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
  }
  // The same file with any other first 16 bytes.
  std::string other = ReadBytes(standard);
  other.replace(0, 16, "0123456789abcdef");
  WriteBytes(dir / "Other.qdt", other);

  for (const char* name : {"Standard.qdt", "Other.qdt"}) {
    SCOPED_TRACE(name);
    const std::string before = ReadBytes(dir / name);
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / name), 0);  // the engine opens lazily
    std::string version;
    EXPECT_EQ(db.ReadVersion(version), SQLITE_NOTADB);
    db.Close();
    EXPECT_EQ(ReadBytes(dir / name), before);
  }
}

TEST(CompanyFile, EmptyFileIsANewDatabase) {
  TempDir dir;
  WriteBytes(dir / "Empty.qdt", "");
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Empty.qdt"), 0);
  ASSERT_EQ(db.CreateTables(), 0);
  db.Close();
  EXPECT_EQ(ReadBytes(dir / "Empty.qdt").substr(0, 16), std::string(kCompanyFileHeader));
}

TEST(CompanyFile, RolledBackTransactionLeavesFileAsItWas) {
  TempDir dir;
  const auto path = dir / "R.qdt";
  CompanyDatabase db;
  ASSERT_EQ(db.Open(path, OpenMode::Create), 0);
  ASSERT_EQ(db.CreateTables(), 0);
  EmployeeRecord e;
  e.SetFirstName("Kept");
  ASSERT_EQ(db.InsertEmployee(e, 1), 0);
  db.Close();
  const std::string before = ReadBytes(path);

  ASSERT_EQ(db.Open(path), 0);
  ASSERT_EQ(db.BeginTransaction(), 0);
  e.SetFirstName("Gone");
  // Enough rows to spill over many pages, and a change of page one.
  for (int id = 2; id < 400; ++id) ASSERT_EQ(db.InsertEmployee(e, id), 0);
  ASSERT_EQ(db.Execute("CREATE TABLE Extra(x INTEGER)"), 0);
  ASSERT_EQ(db.RollbackTransaction(), 0);
  db.Close();

  EXPECT_EQ(ReadBytes(path), before);
  ASSERT_EQ(db.Open(path), 0);
  std::vector<EmployeeRecord> list;
  ASSERT_EQ(db.ReadEmployees(list), 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].FirstName(), "Kept");
}

TEST(CompanyFile, InterruptedTransactionIsRolledBackFromTheJournal) {
  TempDir dir;
  const auto path = dir / "J.qdt";
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(path, OpenMode::Create), 0);
    ASSERT_EQ(db.CreateTables(), 0);
  }
  const std::string before = ReadBytes(path);
  // Write changes, then keep the hot journal and the half-written file as a
  // crash would leave them.
  std::string journal, written;
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(path), 0);
    ASSERT_EQ(db.Execute("PRAGMA cache_size=1"), 0);  // force pages out before commit
    ASSERT_EQ(db.BeginTransaction(), 0);
    EmployeeRecord e;
    e.SetAddress1(std::string(300, 'x'));
    for (int id = 1; id < 200; ++id) ASSERT_EQ(db.InsertEmployee(e, id), 0);
    journal = ReadBytes(dir / "J.qdt-journal");
    written = ReadBytes(path);
    ASSERT_FALSE(journal.empty());
    ASSERT_EQ(db.RollbackTransaction(), 0);
  }
  ASSERT_NE(written, before);
  WriteBytes(path, written);
  WriteBytes(dir / "J.qdt-journal", journal);

  CompanyDatabase db;
  ASSERT_EQ(db.Open(path), 0);
  std::vector<EmployeeRecord> list;
  ASSERT_EQ(db.ReadEmployees(list), 0);
  EXPECT_TRUE(list.empty());
  db.Close();
  EXPECT_EQ(ReadBytes(path).substr(0, 16), std::string(kCompanyFileHeader));
}

}  // namespace
}  // namespace formet
