// Old-format files made to attack or confuse the conversion: the SQL texts
// they carry are never run, damage anywhere refuses the file before it can
// replace the company, and what a stopped conversion leaves behind never
// brings back a company the user removed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "legacy/legacy_company.h"
#include "sql_guard.h"
#include "store/company_database.h"
#include "store/conversion.h"
#include "store/global_doc.h"
#include "store/schema.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using legacy::testing::OldCompanyFile;
using legacy::testing::OldCompanyTables;
using legacy::testing::OldTable;
using legacy::testing::TableNamed;
using legacy::testing::TestRow;
using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

const char* const kWorkSuffixes[] = {"__FORMET__TEMP", "__FORMET__CONVERTED", "__FORMET__VERSION2"};

// SQL without a single quote that names a file: char(47,116,...).
std::string CharCodes(const std::string& text) {
  std::string out = "char(";
  for (size_t i = 0; i < text.size(); ++i) out += (i ? "," : "") + std::to_string(static_cast<unsigned char>(text[i]));
  return out + ")";
}

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class HostileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data);
    // Another company, whose employees an attack would delete.
    ScriptedUi makeUi;
    CGlobalDoc maker(makeUi, settings, data);
    maker.BeginSession();
    makeUi.newCompany = NewCompanyEntry{"Other", ""};
    ASSERT_TRUE(maker.NewCompany());
    auto& list = maker.GetEmployees();
    list.push_back(EmployeeRecord{});
    list.back().EmployeeUniqueID = 1;
    list.back().SetLastName("Keeps");
    maker.SetModified(true);
    ASSERT_EQ(maker.AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, 0, 1}, true), 0);
  }

  // The SQL that an attack carries: leave the conversion's transaction,
  // attach the other company and empty it, and make a file outside the data
  // folder. It holds no single quote, so it can hide inside a quoted text.
  std::string Attack() const {
    return "COMMIT; ATTACH " + CharCodes((data / "Other.qdt").string()) + " AS x; DELETE FROM x.Employees; " +
           "ATTACH " + CharCodes(outside.string()) + " AS y; CREATE TABLE y.t(a); ";
  }

  // Loads the old file as the company "Evil", as the program does, and
  // checks that nothing but the program's own statements ran.
  bool LoadEvil(const std::string& bytes) {
    WriteBytes(data / "Evil.qdt", bytes);
    ui.messages.clear();
    test::SqlGuard guard;
    bool loaded = false;
    {
      CGlobalDoc doc(ui, settings, data);
      doc.BeginSession();
      doc.SetCompany("Evil");
      loaded = doc.OnNewDocument();
      if (loaded) {
        evilEmployees.clear();
        for (const auto& e : doc.GetEmployees()) evilEmployees.push_back(e.LastName());
        evilEmployer = doc.GetCompany().EmployerName();
      }
    }
    EXPECT_EQ(guard.Violations(), std::vector<std::string>{});
    return loaded;
  }

  void ExpectOtherCompanyUntouched() {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(data / "Other.qdt"), 0);
    std::vector<EmployeeRecord> employees;
    ASSERT_EQ(db.ReadEmployees(employees), 0);
    ASSERT_EQ(employees.size(), 1u);
    EXPECT_EQ(employees[0].LastName(), "Keeps");
    EXPECT_FALSE(fs::exists(outside));
  }

  // The tables and their SQL in the company file: our schema only.
  std::vector<std::string> SchemaOf(const fs::path& file) {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(file), 0);
    std::vector<std::string> entries;
    db.Execute("SELECT type, name FROM sqlite_master ORDER BY name",
               [&](int, char** v) { entries.push_back(std::string(v[0]) + " " + v[1]); });
    return entries;
  }

  void ExpectNoWorkFiles(const std::string& file = "Evil.qdt") {
    for (const char* suffix : kWorkSuffixes) EXPECT_FALSE(fs::exists(data / (file + suffix))) << suffix;
  }

  TempDir dir;
  fs::path data = dir / "DatabaseFiles";
  fs::path outside = dir / "outside.db";
  ScriptedUi ui;
  MemorySettingsStore settings;
  std::vector<std::string> evilEmployees;
  std::string evilEmployer;
};

TEST_F(HostileFileTest, SqlCarriedByTheFileIsNeverRun) {
  using legacy::testing::LegacyDbBuilder;
  struct Case {
    const char* what;
    std::function<void(std::vector<OldTable>&)> edit;  // changes the company's tables
    std::function<void(LegacyDbBuilder&)> add;          // adds schema rows of its own
  };
  const std::string attack = Attack();
  const Case cases[] = {
      {"a view", {}, [&](LegacyDbBuilder& b) { b.AddSchemaRow("view", "Evil", "CREATE VIEW Evil AS SELECT 1; " + attack); }},
      {"a trigger", {},
       [&](LegacyDbBuilder& b) {
         b.AddSchemaRow("trigger", "Wipe",
                        "CREATE TRIGGER Wipe AFTER INSERT ON Employees BEGIN DELETE FROM Employees; END; " + attack);
       }},
      {"an index", {},
       [&](LegacyDbBuilder& b) { b.AddSchemaRow("index", "ix", "CREATE INDEX ix ON W2(Wages); " + attack); }},
      {"a table of its own", {},
       [&](LegacyDbBuilder& b) { b.AddTable("Notes", "CREATE TABLE Notes (a, b DEFAULT '" + attack + "')", {}); }},
      // The old engine's tokenizer does not know backtick quotes; the current
      // one does. To the old one the quote after the backtick opens a text
      // that runs to the next quote, so it took this for one table with one
      // more column; the current engine ends the table early and runs the
      // attack.
      {"a table text closed early with a backtick",
       [&](std::vector<OldTable>& tables) {
         OldTable& employees = TableNamed(tables, "Employees");
         employees.createSql.pop_back();  // its closing parenthesis
         employees.createSql += ", Note `'`); " + attack + "CREATE TABLE Trap (z '`)";
         for (TestRow& row : employees.rows) row.fields.push_back("note");
       },
       {}},
      {"a column name made of SQL",
       [&](std::vector<OldTable>& tables) {
         OldTable& company = TableNamed(tables, "Company");
         company.createSql.pop_back();
         company.createSql += ", \"x'); " + attack + " --\" NVARCHAR(5))";
         for (TestRow& row : company.rows) row.fields.push_back("x");
       },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto tables = OldCompanyTables(1);
    if (c.edit) c.edit(tables);
    auto builder = OldCompanyFile(tables);
    if (c.add) c.add(builder);
    ASSERT_TRUE(LoadEvil(builder.Build())) << (ui.messages.empty() ? "" : ui.messages.back());
    // What the file holds beyond our tables and columns stays behind; the
    // company's own rows came across.
    EXPECT_EQ(evilEmployer, "Old Company");
    EXPECT_EQ(evilEmployees, (std::vector<std::string>{"Last 1", "Last 2"}));
    EXPECT_EQ(SchemaOf(data / "Evil.qdt"),
              (std::vector<std::string>{"table Company", "table Contractors", "table EFiling_1099_Transmitter",
                                        "table EFiling_W2_Submitter", "table Employees", "table Form1096",
                                        "table Form1099", "table Version", "table W2", "table W3"}));
    ExpectOtherCompanyUntouched();
    ExpectNoWorkFiles();
    EXPECT_EQ(FilesIn(data), (std::set<std::string>{"Evil.qdt", "Other.qdt"}));
  }
}

TEST_F(HostileFileTest, FileThatIsNoCompanyOfAKnownVersionNeverReplacesTheOriginal) {
  struct Case {
    const char* what;
    std::function<void(std::vector<OldTable>&)> edit;
    int version = 1;
  };
  const Case cases[] = {
      {"a flipped byte in a column name of a table of version 2",
       [](auto& t) {
         auto& sql = TableNamed(t, "EFiling_W2_Submitter").createSql;
         sql[sql.find("ContactName")] ^= 0x20;  // "contactName" is still the column, ignoring case
         sql[sql.find("PreparerCode") + 3] ^= 0x01;
       },
       2},
      {"a flipped byte in a column name of a table of version 1",
       [](auto& t) {
         auto& sql = TableNamed(t, "W3").createSql;
         sql[sql.find("DeferredCompensation") + 3] ^= 0x01;
       }},
      {"version row 3 on a file of version 1", [](auto& t) { TableNamed(t, "Version").rows[0].fields[0] = "3"; }},
      {"version row 9", [](auto& t) { TableNamed(t, "Version").rows[0].fields[0] = "9"; }},
      {"version row 1.0", [](auto& t) { TableNamed(t, "Version").rows[0].fields[0] = "1.0"; }},
      {"version row NULL", [](auto& t) { TableNamed(t, "Version").rows[0].fields[0] = std::nullopt; }},
      {"two version rows", [](auto& t) { TableNamed(t, "Version").rows.push_back({2, {"1"}}); }},
      {"a table missing", [](auto& t) { std::erase_if(t, [](const OldTable& x) { return x.name == "Form1096"; }); }},
      {"a column declared twice",
       [](auto& t) {
         auto& w3 = TableNamed(t, "W3");
         w3.createSql.pop_back();
         w3.createSql += ", wages NVARCHAR(21))";
       }},
      {"an id that is no number",
       [](auto& t) {
         auto& w2 = TableNamed(t, "W2");
         w2.createSql.replace(w2.createSql.find("W2UniqueID INTEGER PRIMARY KEY"), 30, "W2UniqueID INTEGER");
         w2.rows[0].fields[0] = "first";
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto tables = OldCompanyTables(c.version);
    c.edit(tables);
    const std::string bytes = OldCompanyFile(tables).Build();
    EXPECT_FALSE(LoadEvil(bytes));
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Formet failed to convert file format.\n\nConversion Step Two Failed."});
    EXPECT_EQ(ReadBytes(data / "Evil.qdt"), bytes);
    ExpectNoWorkFiles();
  }
}

TEST_F(HostileFileTest, MissingVersionRowIsTakenFromTheTables) {
  for (int version : {1, 2, 3}) {
    SCOPED_TRACE(version);
    auto tables = OldCompanyTables(version);
    TableNamed(tables, "Version").rows.clear();
    if (version >= 2) TableNamed(tables, "EFiling_W2_Submitter").rows[0].fields[1] = "kept EIN";
    ASSERT_TRUE(LoadEvil(OldCompanyFile(tables).Build())) << (ui.messages.empty() ? "" : ui.messages.back());
    CGlobalDoc doc(ui, settings, data);
    doc.BeginSession();
    doc.SetCompany("Evil");
    ASSERT_TRUE(doc.OnNewDocument());
    std::vector<std::string> rows;
    ASSERT_EQ(doc.Database().ReadVersionRows(rows), 0);
    EXPECT_EQ(rows, std::vector<std::string>{"3"});
    EXPECT_EQ(doc.GetSubmitter().SubmitterEIN(), version >= 2 ? "kept EIN" : "");
  }
}

TEST_F(HostileFileTest, OldFileWithAJournalBesideItNamesTheJournal) {
  const std::string bytes = OldCompanyFile(OldCompanyTables(2)).Build();
  WriteBytes(data / "Evil.qdt-journal", "left by the previous release");
  EXPECT_FALSE(LoadEvil(bytes));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("Formet failed to convert file format.\n\nThe file \"Evil.qdt-journal\"", 0), 0u)
      << ui.messages[0];
  EXPECT_NE(ui.messages[0].find("Formet (2006)"), std::string::npos);
  EXPECT_EQ(ReadBytes(data / "Evil.qdt"), bytes);
  EXPECT_TRUE(fs::exists(data / "Evil.qdt-journal"));
}

TEST_F(HostileFileTest, LeftoversOfAStoppedConversionNeverBringBackARemovedCompany) {
  const std::string old = OldCompanyFile(OldCompanyTables(1)).Build();
  const auto list = [&] {
    CGlobalDoc doc(ui, settings, data);
    doc.ListCompanies(true);
    return doc.CompanyNames();
  };

  // Stopped between the two renames: the converted file waits beside the
  // set-aside old one, and the company comes back from the old one.
  WriteBytes(data / "Evil.qdt__FORMET__VERSION2", old);
  WriteBytes(data / "Evil.qdt__FORMET__CONVERTED", "complete, but never checked again");
  EXPECT_EQ(list(), (std::vector<std::string>{"Evil", "Other"}));
  EXPECT_EQ(ReadBytes(data / "Evil.qdt"), old);
  ExpectNoWorkFiles();

  // Stopped before removing the old file: the company loads from its
  // converted file, and the old one goes.
  ASSERT_TRUE(LoadEvil(old));
  WriteBytes(data / "Evil.qdt__FORMET__VERSION2", old);
  ASSERT_TRUE(LoadEvil(ReadBytes(data / "Evil.qdt")));
  ExpectNoWorkFiles();

  // The same leftover after the company was deleted, or renamed at close:
  // the company stays deleted, or under its new name.
  for (const char* how : {"deleted", "renamed"}) {
    SCOPED_TRACE(how);
    if (std::string_view(how) == "deleted") {
      CGlobalDoc doc(ui, settings, data);
      doc.BeginSession();
      ui.choice = "Evil";
      ui.answers = {Answer::Yes};
      doc.DeleteCompany();
      EXPECT_TRUE(fs::exists(data / "Evil.qdt.del"));
    } else {
      CGlobalDoc doc(ui, settings, data);
      doc.BeginSession();
      doc.SetCompany("Evil");
      ASSERT_TRUE(doc.OnNewDocument());
      doc.SetWindowTitle("Renamed");
      doc.OnCloseDocument();
      EXPECT_TRUE(fs::exists(data / "Renamed.qdt"));
    }
    WriteBytes(data / "Evil.qdt__FORMET__VERSION2", old);
    const auto names = list();
    EXPECT_EQ(std::count(names.begin(), names.end(), "Evil"), 0);
    EXPECT_FALSE(fs::exists(data / "Evil.qdt"));
    CGlobalDoc doc(ui, settings, data);
    doc.BeginSession();
    EXPECT_FALSE(doc.CompanyFileExists("Evil"));
    fs::remove(data / "Evil.qdt__FORMET__VERSION2");
    if (fs::exists(data / "Renamed.qdt")) fs::rename(data / "Renamed.qdt", data / "Evil.qdt");
    if (fs::exists(data / "Evil.qdt.del")) fs::rename(data / "Evil.qdt.del", data / "Evil.qdt");
  }
}

}  // namespace
}  // namespace formet
