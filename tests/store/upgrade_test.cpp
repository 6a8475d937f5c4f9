// Files of earlier schema versions are raised to the current one at load.
#include <gtest/gtest.h>

#include <map>

#include "store/company_database.h"
#include "store/conversion.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;

std::map<std::string, std::vector<std::string>> Columns(const fs::path& file) {
  CompanyDatabase db;
  EXPECT_EQ(db.Open(file), 0);
  std::map<std::string, std::vector<std::string>> result;
  std::vector<std::string> tables;
  db.Execute("SELECT name FROM sqlite_master WHERE type='table'", [&](int, char** v) { tables.push_back(v[0]); });
  for (const auto& t : tables)
    db.Execute("PRAGMA table_info(" + t + ")", [&](int, char** v) { result[t].push_back(v[1]); });
  return result;
}

size_t ColumnCount(const std::map<std::string, std::vector<std::string>>& columns) {
  size_t n = 0;
  for (const auto& [table, list] : columns) n += list.size();
  return n;
}

class UpgradeTest : public ::testing::Test {
 protected:
  // Loads a copy of a fixture as the company "Old".
  bool Load(const std::string& fixture) {
    fs::copy_file(test::TestData("store/" + fixture), dir / "Old.qdt", fs::copy_options::overwrite_existing);
    doc = std::make_unique<CGlobalDoc>(ui, settings, dir.path());
    doc->BeginSession();
    doc->SetCompany("Old");
    return doc->OnNewDocument();
  }
  std::string Version() {
    std::string v;
    EXPECT_EQ(doc->Database().ReadVersion(v), 0);
    return v;
  }

  TempDir dir;
  ScriptedUi ui;
  MemorySettingsStore settings;
  std::unique_ptr<CGlobalDoc> doc;
};

TEST_F(UpgradeTest, VersionTwoGainsTheLaterColumnsInOrder) {
  const auto before = Columns(test::TestData("store/current-v2-small.qdt"));
  ASSERT_TRUE(Load("current-v2-small.qdt")) << ui.messages.at(0);
  EXPECT_EQ(Version(), "3");
  doc->Database().Close();

  {
    CompanyDatabase fresh;
    ASSERT_EQ(fresh.Open(dir / "New.qdt", OpenMode::Create), 0);
    ASSERT_EQ(fresh.CreateTables(), 0);
  }
  const auto upgraded = Columns(dir / "Old.qdt");
  EXPECT_EQ(upgraded, Columns(dir / "New.qdt"));
  EXPECT_EQ(ColumnCount(upgraded) - ColumnCount(before), 35u);

  // Earlier values intact; the added columns read as empty.
  const auto& company = doc->GetCompany();
  EXPECT_EQ(company.EmployerName(), "O'Brien Plumbing");
  EXPECT_EQ(company.FormW3ContactName(), "Patrick O'Brien");
  EXPECT_EQ(company.IsAgent(), "");
  ASSERT_FALSE(doc->GetEmployees().empty());
  bool sawZip = false;
  for (const auto& e : doc->GetEmployees()) sawZip = sawZip || e.Zip() == "02134";
  EXPECT_TRUE(sawZip);
}

TEST_F(UpgradeTest, VersionOneGainsBlankTransmitterAndSubmitter) {
  ASSERT_TRUE(Load("current-v1-small.qdt")) << ui.messages.at(0);
  EXPECT_EQ(Version(), "3");
  EXPECT_EQ(doc->GetTransmitter(), TransmitterRecord{});
  EXPECT_EQ(doc->GetSubmitter(), SubmitterRecord{});
  std::vector<std::string> ids;
  doc->Database().Execute("SELECT UniqueID FROM EFiling_1099_Transmitter UNION ALL SELECT UniqueID FROM "
                          "EFiling_W2_Submitter",
                          [&](int, char** v) { ids.push_back(v[0]); });
  EXPECT_EQ(ids, (std::vector<std::string>{"1", "1"}));
  // The 1099-MISC rows of contractor 1 (twice) and of the unknown contractor 99.
  EXPECT_EQ(doc->GetForms1099().size(), 2u);
}

TEST_F(UpgradeTest, CurrentVersionIsOpenedWithoutSchemaStatements) {
  ASSERT_TRUE(Load("current-v2-small.qdt"));
  doc.reset();
  const auto upgraded = ReadBytes(dir / "Old.qdt");
  doc = std::make_unique<CGlobalDoc>(ui, settings, dir.path());
  doc->BeginSession();
  doc->SetCompany("Old");
  ASSERT_TRUE(doc->OnNewDocument());
  doc.reset();
  EXPECT_EQ(ReadBytes(dir / "Old.qdt"), upgraded);
}

TEST_F(UpgradeTest, FailedUpgradeLeavesTheFileAsItWas) {
  fs::copy_file(test::TestData("store/current-v2-small.qdt"), dir / "Old.qdt");
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Old.qdt"), 0);
    // A column the upgrade adds late exists already: its ALTER fails.
    ASSERT_EQ(db.Execute("ALTER TABLE Form1096 ADD COLUMN ExtraText2 NVARCHAR(80)"), 0);
  }
  const auto before = ReadBytes(dir / "Old.qdt");
  doc = std::make_unique<CGlobalDoc>(ui, settings, dir.path());
  doc->BeginSession();
  doc->SetCompany("Old");
  EXPECT_FALSE(doc->OnNewDocument());
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Formet failed to upgrade Database.\n\nEngine Error Code: 1\n\nThe "
                                                  "company file does not hold what Formet expects (a table or "
                                                  "column is missing)."});
  doc.reset();
  EXPECT_EQ(ReadBytes(dir / "Old.qdt"), before);
}

TEST_F(UpgradeTest, FileWithoutVersionRowIsUpgradedOnceAndGetsTheRow) {
  // Version 1 and 2 files whose Version table lost its row; and a current
  // file without one, which needs only the row.
  for (const char* fixture : {"current-v1-small.qdt", "current-v2-small.qdt", "new"}) {
    SCOPED_TRACE(fixture);
    fs::remove(dir / "Old.qdt");
    if (std::string_view(fixture) == "new") {
      CompanyDatabase fresh;
      ASSERT_EQ(fresh.Open(dir / "Old.qdt", OpenMode::Create), 0);
      ASSERT_EQ(fresh.CreateTables(), 0);
    } else {
      fs::copy_file(test::TestData(std::string("store/") + fixture), dir / "Old.qdt");
    }
    {
      CompanyDatabase db;
      ASSERT_EQ(db.Open(dir / "Old.qdt"), 0);
      ASSERT_EQ(db.Execute("DELETE FROM Version"), 0);
    }
    for (int load = 1; load <= 2; ++load) {
      SCOPED_TRACE(load);
      doc = std::make_unique<CGlobalDoc>(ui, settings, dir.path());
      doc->BeginSession();
      doc->SetCompany("Old");
      ASSERT_TRUE(doc->OnNewDocument()) << (ui.messages.empty() ? "" : ui.messages.back());
      std::vector<std::string> rows;
      ASSERT_EQ(doc->Database().ReadVersionRows(rows), 0);
      EXPECT_EQ(rows, std::vector<std::string>{"3"});
      EXPECT_EQ(CompleteSchemaVersion(doc->Database()), 3);
      doc.reset();
    }
    EXPECT_EQ(ColumnCount(Columns(dir / "Old.qdt")), 1u + 35 + 15 + 20 + 52 + 26 + 25 + 10 + 18 + 18);
  }
}

}  // namespace
}  // namespace formet
