// What the Open dialog and `formet-cli list --details` show of each company.
#include "store/company_summary.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "cli_runner.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

// A company with an EIN, two employees (each with a W-2) and a contractor.
void MakeCompany(const fs::path& folder, const std::string& name) {
  test::ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, folder);
  doc.BeginSession();
  ui.newCompany = NewCompanyEntry{name, ""};
  ASSERT_TRUE(doc.NewCompany());
  doc.GetCompany().SetEmployerIdentificationNumber("36-1234567");
  doc.SetModified(true);
  ASSERT_EQ(doc.AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, true), 0);
  for (const char* ssn : {"412-55-1001", "412-55-1002"}) {
    EmployeeRecord e;
    e.SetSocialSecurityNumber(ssn);
    e.SetFirstName("Ann");
    e.SetLastName(ssn);
    ASSERT_TRUE(AddEmployee(doc, ui, e, true, false, true).Saved());
  }
  ContractorRecord c;
  c.SetIdentificationNumber("36-7788123");
  c.SetNameLine1("Northside Design LLC");
  ASSERT_TRUE(AddContractor(doc, ui, c, true, false, true).Saved());
}

void Execute(const fs::path& file, const char* sql) {
  // The company file's header is the program's own: the engine reads it
  // through the program's file layer only, so the raw change goes through a
  // company connection.
  CompanyDatabase db;
  ASSERT_EQ(db.Open(file), 0);
  ASSERT_EQ(db.Execute(sql), 0) << sql;
}

TEST(CompanySummary, CountsTheFormsTheCompanyShows) {
  test::TempDir dir;
  MakeCompany(dir.path(), "Acme");
  const fs::path file = dir / "Acme.qdt";
  auto summary = ReadCompanySummary(file);
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->ein, "36-1234567");
  EXPECT_EQ(summary->w2Count, 2u);
  EXPECT_EQ(summary->form1099Count, 1u);

  // A second 1099-MISC row of the contractor, and one of a contractor that is
  // gone, are not loaded with the company and not counted.
  Execute(file, "INSERT INTO Form1099 (Form1099UniqueID, ContractorUniqueID) SELECT 90, ContractorUniqueID "
                "FROM Contractors");
  Execute(file, "INSERT INTO Form1099 (Form1099UniqueID, ContractorUniqueID) VALUES (91, 4711)");
  summary = ReadCompanySummary(file);
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->form1099Count, 1u);
}

TEST(CompanySummary, ReadsACompanyOpenElsewhereWithoutTouchingIt) {
  test::TempDir dir;
  MakeCompany(dir.path(), "Acme");
  test::ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc open(ui, settings, dir.path());
  open.BeginSession();
  open.SetCompany("Acme");
  ASSERT_TRUE(open.OnNewDocument());  // holds the lock
  const auto before = fs::last_write_time(dir / "Acme.qdt");
  const auto summary = ReadCompanySummary(dir / "Acme.qdt");
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->w2Count, 2u);
  EXPECT_EQ(fs::last_write_time(dir / "Acme.qdt"), before);
  EXPECT_FALSE(fs::exists(dir / "Acme.qdt-journal"));
}

TEST(CompanySummary, WhatCannotBeReadHasNoSummary) {
  test::TempDir dir;
  EXPECT_FALSE(ReadCompanySummary(dir / "Missing.qdt"));
  std::ofstream(dir / "Text.qdt") << "not a database at all, only some words to fill the header";
  EXPECT_FALSE(ReadCompanySummary(dir / "Text.qdt"));
  {
    // A database of the engine's own, without the company file's header.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "Plain.qdt").c_str(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "CREATE TABLE W2(x)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
  }
  EXPECT_FALSE(ReadCompanySummary(dir / "Plain.qdt"));
  EXPECT_FALSE(FileChangedTime(dir / "Missing.qdt"));
  EXPECT_TRUE(FileChangedTime(dir / "Text.qdt"));
}

TEST(CompanySummary, ChangedTimesInLocalTime) {
  const char* old = std::getenv("TZ");
  const std::string saved = old ? old : "";
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  EXPECT_EQ(ChangedTimeText(1198991100), "2007-12-30 05:05");
  ::setenv("TZ", "America/Chicago", 1);
  ::tzset();
  EXPECT_EQ(ChangedTimeText(1198991100), "2007-12-29 23:05");
  if (old) ::setenv("TZ", saved.c_str(), 1);
  else ::unsetenv("TZ");
  ::tzset();
}

TEST(CompanySummary, TheDocumentAndTheCommandLineListThem) {
  test::TempDir dir;
  MakeCompany(dir.path(), "Acme");
  std::ofstream(dir / "Broken.qdt") << "not a company";
  test::ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, dir.path());
  ASSERT_TRUE(doc.ListCompanies(true));
  const auto listings = doc.CompanyListings();
  ASSERT_EQ(listings.size(), 2u);
  EXPECT_EQ(listings[0].name, "Acme");
  ASSERT_TRUE(listings[0].summary);
  EXPECT_EQ(listings[0].summary->w2Count, 2u);
  ASSERT_TRUE(listings[0].changed);
  EXPECT_EQ(*listings[0].changed, *FileChangedTime(dir / "Acme.qdt"));
  EXPECT_EQ(listings[1].name, "Broken");
  EXPECT_FALSE(listings[1].summary);

  const auto r = test::RunCli(dir.path(), {"list", "--details"});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string acme = "Acme\t36-1234567\t2\t1\t" + ChangedTimeText(*listings[0].changed) + "\n";
  const std::string broken = "Broken\tunreadable\t\t\t" + ChangedTimeText(*listings[1].changed) + "\n";
  EXPECT_EQ(r.out, acme + broken);
}

}  // namespace
}  // namespace formet
