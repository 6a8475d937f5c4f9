// The forms recorded as filed: tables of our own, created when first needed,
// whose rows the file itself keeps from change.
#include <gtest/gtest.h>

#include "store/company_database.h"
#include "store/conversion.h"
#include "store/filed_forms.h"
#include "store/global_doc.h"
#include "store/schema.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

using test::ScriptedUi;
using test::TempDir;

FiledW2 Row(int32_t id, const std::string& wages) {
  FiledW2 row;
  row.id = id;
  row.filedOn = "2008-02-15";
  row.employer = {"12-3456789", "E1", "IL-9"};
  row.employee.EmployeeUniqueID = 3;
  row.employee.SetSocialSecurityNumber("123-45-6789");
  row.employee.SetFirstName("Ann");
  row.employee.SetLastName("O'Brien");  // bound, never spliced into a statement
  row.employee.SetAddress1("1 Main St");
  row.form.W2UniqueID = 3;
  row.form.EmployeeUniqueID = 3;
  row.form.SetWages(wages);
  row.form.SetField12aCode("0");
  row.form.SetField12aAmount("12.00");
  row.form.RetirementPlan = 1;
  return row;
}

class FiledFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(doc.CreateDatabase("Acme"), 0);
    doc.BeginSession();
    doc.SetCompany("Acme");
    ASSERT_TRUE(doc.OnNewDocument());
  }
  CompanyDatabase& Db() { return doc.Database(); }
  TempDir dir;
  ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc{ui, settings, dir.path()};
};

TEST_F(FiledFormsTest, ReadingCreatesNothingAndRecordingCreatesTheTables) {
  std::vector<FiledW2> rows{Row(99, "x")};
  EXPECT_EQ(ReadFiledW2s(Db(), rows), 0);
  EXPECT_TRUE(rows.empty());
  std::vector<Filed1099> forms1099;
  EXPECT_EQ(ReadFiled1099s(Db(), forms1099), 0);
  EXPECT_FALSE(HasOwnTable(Db(), kFiledW2Table));
  EXPECT_FALSE(HasOwnTable(Db(), kFiled1099Table));

  const FiledW2 written[] = {Row(1, "100.00"), Row(2, "120.00")};
  ASSERT_EQ(RecordFiledW2s(Db(), written), 0);
  ASSERT_EQ(ReadFiledW2s(Db(), rows), 0);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], written[0]);
  EXPECT_EQ(rows[1], written[1]);
  EXPECT_EQ(LatestFiledFor(rows, 3), &rows[1]);
  EXPECT_EQ(LatestFiledFor(rows, 4), nullptr);
  EXPECT_FALSE(HasOwnTable(Db(), kFiled1099Table));
}

TEST_F(FiledFormsTest, TheFileRefusesToChangeOrDeleteAFiledRow) {
  const FiledW2 written[] = {Row(1, "100.00")};
  ASSERT_EQ(RecordFiledW2s(Db(), written), 0);
  Filed1099 form;
  form.id = 1;
  form.filedOn = "2008-02-20";
  form.contractor.ContractorUniqueID = 5;
  form.contractor.SetIdentificationNumber("12-3456789");
  form.form.SetNonemployeeCompensation("700.00");
  ASSERT_EQ(RecordFiled1099s(Db(), std::span(&form, 1)), 0);
  for (const char* sql : {"UPDATE FiledW2 SET W2Wages = '1.00';", "DELETE FROM FiledW2;",
                          "UPDATE Filed1099 SET FormNonemployeeCompensation = '1.00';", "DELETE FROM Filed1099;"})
    EXPECT_NE(Db().Execute(sql), 0) << sql;
  std::vector<FiledW2> rows;
  ASSERT_EQ(ReadFiledW2s(Db(), rows), 0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].form.Wages(), "100.00");
  std::vector<Filed1099> forms;
  ASSERT_EQ(ReadFiled1099s(Db(), forms), 0);
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0], form);
  // A row whose id is taken is refused whole: nothing of the batch stays.
  const FiledW2 again[] = {Row(2, "5.00"), Row(1, "6.00")};
  EXPECT_NE(RecordFiledW2s(Db(), again), 0);
  ASSERT_EQ(ReadFiledW2s(Db(), rows), 0);
  EXPECT_EQ(rows.size(), 1u);
}

TEST_F(FiledFormsTest, AHandMadeColumnIsReplacedAndRemovedAndFilingEndsIt) {
  FiledW2 hand = Row(0, "90.00");
  hand.filedOn.clear();
  ASSERT_EQ(SaveHandMadeW2c(Db(), hand), 0);
  hand.form.SetWages("95.00");
  ASSERT_EQ(SaveHandMadeW2c(Db(), hand), 0);
  std::vector<FiledW2> rows;
  ASSERT_EQ(ReadHandMadeW2cs(Db(), rows), 0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].form.Wages(), "95.00");
  EXPECT_EQ(rows[0].id, 3);

  const int32_t done[] = {3};
  const FiledW2 filed[] = {Row(1, "100.00")};
  ASSERT_EQ(RecordFiledW2s(Db(), filed, done), 0);
  ASSERT_EQ(ReadHandMadeW2cs(Db(), rows), 0);
  EXPECT_TRUE(rows.empty());
  ASSERT_EQ(SaveHandMadeW2c(Db(), hand), 0);
  ASSERT_EQ(DeleteHandMadeW2c(Db(), 3), 0);
  ASSERT_EQ(ReadHandMadeW2cs(Db(), rows), 0);
  EXPECT_TRUE(rows.empty());
}

TEST_F(FiledFormsTest, AFileWithTheTablesOpensAndPassesTheSchemaChecks) {
  const FiledW2 written[] = {Row(1, "100.00")};
  ASSERT_EQ(RecordFiledW2s(Db(), written), 0);
  EXPECT_EQ(CompleteSchemaVersion(Db()), 3);
  // Without its version row the file is taken for what its tables show,
  // the filed tables beside them.
  ASSERT_EQ(Db().Execute("DELETE FROM Version;"), 0);
  EXPECT_EQ(UpgradeSchema(Db()), 0);
  std::string version;
  ASSERT_EQ(Db().ReadVersion(version), 0);
  EXPECT_EQ(version, kCurrentSchemaVersion);

  CGlobalDoc again(ui, settings, dir.path());
  doc.OnCloseDocument();
  again.BeginSession();
  again.SetCompany("Acme");
  ASSERT_TRUE(again.OnNewDocument());
  std::vector<FiledW2> rows;
  ASSERT_EQ(ReadFiledW2s(again.Database(), rows), 0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], written[0]);
}

TEST(FiledDateTest, ShownAsTheFormsDateIt) {
  EXPECT_EQ(ShowFiledDate("2008-02-15"), "02/15/2008");
  EXPECT_EQ(ShowFiledDate("soon"), "soon");
  const std::string today = TodayFiledDate();
  ASSERT_EQ(today.size(), 10u);
  EXPECT_EQ(ShowFiledDate(today).size(), 10u);
}

}  // namespace
}  // namespace formet
