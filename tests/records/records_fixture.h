#pragma once
// A company file Acme in a scratch folder, loaded into a document, and what
// the file holds, read back with a connection of its own.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "store/company_database.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet::test {

// Counts the refreshes the document hands to the pages.
struct CountingView : DocumentView {
  int refreshed = 0;
  void OnDocumentRefresh() override { ++refreshed; }
};

class CompanyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      ScriptedUi makeUi;
      CGlobalDoc maker(makeUi, settings, dir.path());
      maker.BeginSession();
      makeUi.newCompany = NewCompanyEntry{"Acme", ""};
      ASSERT_TRUE(maker.NewCompany());
    }
    doc = std::make_unique<CGlobalDoc>(ui, settings, dir.path());
    doc->BeginSession();
    doc->SetCompany("Acme");
    ASSERT_TRUE(doc->OnNewDocument());
    doc->AddView(&view);
  }

  CompanyDatabase& File() {
    file.Close();
    EXPECT_EQ(file.Open(dir / "Acme.qdt"), 0);
    return file;
  }
  CompanyRecord StoredCompany() {
    CompanyRecord r;
    EXPECT_EQ(File().ReadCompany(r), 0);
    return r;
  }
  std::vector<EmployeeRecord> StoredEmployees() {
    std::vector<EmployeeRecord> list;
    EXPECT_EQ(File().ReadEmployees(list), 0);
    return list;
  }
  std::vector<W2Record> StoredW2Forms() {
    std::vector<W2Record> list;
    EXPECT_EQ(File().ReadW2Forms(list), 0);
    return list;
  }
  std::vector<ContractorRecord> StoredContractors() {
    std::vector<ContractorRecord> list;
    EXPECT_EQ(File().ReadContractors(list), 0);
    return list;
  }
  std::vector<Form1099Record> StoredForms1099() {
    const auto contractors = StoredContractors();
    std::vector<Form1099Record> list;
    EXPECT_EQ(File().ReadForms1099(list, contractors), 0);
    return list;
  }
  // Makes every statement on `table` of kind `op` (INSERT, UPDATE, DELETE) fail.
  void RefuseInFile(const std::string& op, const std::string& table) {
    ASSERT_EQ(File().Execute("CREATE TRIGGER Refuse" + op + table + " BEFORE " + op + " ON " + table +
                             " BEGIN SELECT RAISE(ABORT, 'refused'); END"),
              0);
    file.Close();
  }

  TempDir dir;
  ScriptedUi ui;
  MemorySettingsStore settings;
  CountingView view;
  std::unique_ptr<CGlobalDoc> doc;
  CompanyDatabase file;
};

}  // namespace formet::test
