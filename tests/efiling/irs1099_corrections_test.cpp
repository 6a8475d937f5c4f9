// The file of corrected 1099-MISC's, read back by a reader of its own made
// from the record layouts: the corrected return indicator of each payee
// record, one payer record per kind of correction, the totals and counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "efiling_fixtures.h"
#include "forms/1099/form1099_corrections.h"
#include "forms/1099/irs1099_file.h"

namespace formet {
namespace {

constexpr size_t kRecord = 750;

// A field by its 1-based positions, as the layout tables give them.
std::string Field(const std::string& record, size_t from, size_t to) { return record.substr(from - 1, to - from + 1); }
long long Number(const std::string& record, size_t from, size_t to) { return std::stoll(Field(record, from, to)); }

std::vector<std::string> Records(const std::string& file) {
  std::vector<std::string> records;
  for (size_t at = 0; at + kRecord <= file.size(); at += kRecord) records.push_back(file.substr(at, kRecord));
  return records;
}

std::vector<Filed1099> AsFiled(const test::MiscCompany& c) {
  std::vector<Filed1099> filed;
  for (const auto& contractor : c.contractors)
    for (const auto& form : c.forms)
      if (form.ContractorUniqueID == contractor.ContractorUniqueID)
        filed.push_back({static_cast<int32_t>(filed.size() + 1), "2008-02-28", FiledAs::Original,
                         c.company.EmployerIdentificationNumber(), contractor, form});
  return filed;
}

TEST(Irs1099CorrectionsFile, EachKindUnderItsOwnPayerRecord) {
  test::MiscCompany c = test::MiscellaneousCompany();
  const std::vector<Filed1099> filed = AsFiled(c);
  // Northside's box 7 was wrong (one transaction); Vance's SSN was wrong
  // (two transactions); the others did not change.
  c.forms[0].SetNonemployeeCompensation("13000.00");
  c.contractors[2].SetIdentificationNumber("456-78-9021");
  const Form1099CorrectionList list = BuildForm1099Corrections(c.contractors, c.forms, filed);
  ASSERT_EQ(list.corrections.size(), 2u);
  const auto r = efile::Make1099CorrectionsFile(c.transmitter, c.company, ReturnsForFile(list));
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  ASSERT_EQ(r.bytes.size() % kRecord, 0u);

  const auto records = Records(r.bytes);
  std::string types;
  for (const auto& rec : records) types += rec[0];
  EXPECT_EQ(types, "TABBCABCF");

  // Payee records: position 6, the TIN at 12-20, box 7 at 127-138, box 1 at 55-66.
  struct Payee {
    size_t record;
    char indicator;
    const char* tin;
    long long box1, box7;
  };
  const Payee payees[] = {{2, 'G', "367788123", 0, 1300000},   // one transaction: full correct amounts
                          {3, 'G', "456789012", 0, 0},         // first of two: as filed, every amount zero
                          {6, 'C', "456789021", 960000, 0}};   // second of two: the correct data
  for (const Payee& p : payees) {
    SCOPED_TRACE(p.record);
    const std::string& rec = records[p.record];
    EXPECT_EQ(rec[5], p.indicator);
    EXPECT_EQ(Field(rec, 12, 20), p.tin);
    EXPECT_EQ(Number(rec, 55, 66), p.box1);
    EXPECT_EQ(Number(rec, 127, 138), p.box7);
    EXPECT_EQ(Number(rec, 91, 102), p.indicator == 'C' ? 96000 : 0);  // box 4
  }
  // C records: the payees since the A record (2-9) and their totals (box 1
  // at 16-33, box 7 at 124-141).
  EXPECT_EQ(Number(records[4], 2, 9), 2);
  EXPECT_EQ(Number(records[4], 124, 141), 1300000);
  EXPECT_EQ(Number(records[7], 2, 9), 1);
  EXPECT_EQ(Number(records[7], 16, 33), 960000);
  // T counts the payees (296-303); F the payer records (2-9) and the payees (50-57).
  EXPECT_EQ(Number(records[0], 296, 303), 3);
  EXPECT_EQ(Number(records[8], 2, 9), 2);
  EXPECT_EQ(Number(records[8], 50, 57), 3);

  // The writer's own read-back agrees and names the kinds of its blocks.
  const auto check = efile::Check1099File(r.bytes);
  EXPECT_TRUE(check.Ok());
  EXPECT_EQ(check.blockCodes, "GC");
  EXPECT_EQ(check.totals.formCount, 3);
  EXPECT_TRUE(efile::CompareWith1096(check.totals, Compute1096CorrectionTotals(list)).empty());
}

TEST(Irs1099CorrectionsFile, OneKindGivesOnePayerRecordAndNothingGivesNoFile) {
  test::MiscCompany c = test::MiscellaneousCompany();
  const std::vector<Filed1099> filed = AsFiled(c);
  auto r = efile::Make1099CorrectionsFile(c.transmitter, c.company,
                                          ReturnsForFile(BuildForm1099Corrections(c.contractors, c.forms, filed)));
  EXPECT_TRUE(r.report.HasErrors());
  EXPECT_TRUE(r.bytes.empty());
  EXPECT_NE(r.report.Text().find("no corrected 1099-MISC"), std::string::npos);

  c.contractors[1].SetAddress1("2 Court Sq");
  const auto list = BuildForm1099Corrections(c.contractors, c.forms, filed);
  r = efile::Make1099CorrectionsFile(c.transmitter, c.company, ReturnsForFile(list));
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  std::string types;
  for (const auto& rec : Records(r.bytes)) types += rec[0];
  EXPECT_EQ(types, "TABCF");
  EXPECT_EQ(Records(r.bytes)[2][5], 'G');
}

TEST(Irs1099CorrectionsFile, TheReadBackRefusesMixedKindsUnderOnePayer) {
  test::MiscCompany c = test::MiscellaneousCompany();
  const std::vector<Filed1099> filed = AsFiled(c);
  c.forms[0].SetNonemployeeCompensation("13000.00");
  c.forms[1].SetGrossProceedsPaidToAttorney("46000.00");
  const auto r = efile::Make1099CorrectionsFile(c.transmitter, c.company,
                                                ReturnsForFile(BuildForm1099Corrections(c.contractors, c.forms, filed)));
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  const struct {
    char code;
    const char* problem;
  } cases[] = {{'C', "differs from that of the payer's other payee records"}, {'X', "not a valid code"}};
  for (const auto& k : cases) {
    std::string broken = r.bytes;
    broken[2 * kRecord + 5] = k.code;  // the first payee record of the G block
    const auto check = efile::Check1099File(broken);
    ASSERT_FALSE(check.Ok()) << k.code;
    EXPECT_NE(check.problems.front().find(k.problem), std::string::npos) << check.problems.front();
  }
  // The original file keeps its blank indicator under its one payer record.
  const auto original = efile::Make1099File(c.transmitter, c.company, c.contractors, c.forms);
  EXPECT_EQ(efile::Check1099File(original.bytes).blockCodes, " ");
}

}  // namespace
}  // namespace formet
