// The W-3 and 1096 totals: which boxes are summed, and that sums are exact in
// cents over many forms.
#include <gtest/gtest.h>

#include <cstdio>

#include "forms/1099/form1096_totals.h"
#include "forms/money.h"
#include "forms/w2/w3_totals.h"

namespace formet {
namespace {

TEST(W3Totals, SumsBoxesAndCountsForms) {
  std::vector<W2Record> forms(2);
  forms[0].Wages = "1000";
  forms[1].Wages = "250.50";
  forms[0].StateWages1 = "100";
  forms[0].StateWages2 = "200";
  forms[1].LocalIncomeTax2 = "7.5";
  forms[0].MedicareTaxWithheld = "-1.25";
  const W3Page page = BuildW3Page(CompanyRecord{}, forms);
  EXPECT_EQ(page.totalForms, "2");
  EXPECT_EQ(page.box[1], "1250.50");
  EXPECT_EQ(page.box[6], "-1.25");
  EXPECT_EQ(page.box16, "300.00");
  EXPECT_EQ(page.box19, "7.50");
  EXPECT_EQ(page.box[2], "0.00");
  EXPECT_EQ(page.box12, "0.00");
}

TEST(W3Totals, Box12CountsOnlyDeferredCompensation) {
  std::vector<W2Record> forms(1);
  W2Record& w = forms[0];
  w.Field12aCode = "C", w.Field12aAmount = "500";   // group-term life: not deferred
  w.Field12bCode = "d", w.Field12bAmount = "500";   // lower case still counts
  w.Field12cCode = "0", w.Field12cAmount = "300";   // held AA
  w.Field12dCode = "", w.Field12dAmount = "40";     // no code never counts
  EXPECT_EQ(ComputeW3Totals(forms).deferredCompensation, 80000);
}

TEST(W3Totals, CompanyFieldsAndKindOfPayer) {
  CompanyRecord c;
  c.FormW3RadioKindOfPayer = 6;
  c.FormW3CheckThirdPartySickPay = 1;
  c.FormW3ThirdPartySickPay = "0.00";
  c.State = "MA";
  c.StateID = "123";
  const W3Page page = BuildW3Page(c, std::vector<W2Record>{});
  EXPECT_STREQ(KindOfPayerLabel(page.kindOfPayer), "944");
  EXPECT_TRUE(page.thirdPartySickPay);
  EXPECT_EQ(page.box13, "0.00");
  EXPECT_EQ(page.box15State, "MA");
  EXPECT_EQ(page.totalForms, "0");
  EXPECT_EQ(KindOfPayerLabel(7), nullptr);
  EXPECT_EQ(KindOfPayerLabel(-1), nullptr);
}

// A hundred thousand W-2s of 123456.78 summed as doubles print 12345678000.01;
// the W-3 must equal the W-2s to the cent or the SSA rejects it.
TEST(W3Totals, ExactInCentsWhereDoublesDrift) {
  std::vector<W2Record> forms(100000);
  double doubleSum = 0;
  for (W2Record& w : forms) {
    w.Wages = "123456.78";
    doubleSum += ParseMoney(w.Wages);
  }
  char drifted[64];
  std::snprintf(drifted, sizeof drifted, "%.2lf", doubleSum);
  ASSERT_NE(std::string(drifted), "12345678000.00");  // the fault the cents avoid
  EXPECT_EQ(BuildW3Page(CompanyRecord{}, forms).box[1], "12345678000.00");
}

TEST(Form1096Totals, BoxesThreeFourAndFive) {
  std::vector<Form1099Record> forms(2);
  forms[0].Rents = "100.00";
  forms[1].Rents = "50.50";
  forms[0].FederalIncomeTaxWithheld = "10.00";
  forms[0].Field15A = "999.00";          // not summed
  forms[1].StateIncome1 = "5";           // not summed
  forms[1].GrossProceedsPaidToAttorney = "1";
  forms[1].ExcessGoldenParachutePayments = "2";
  forms[1].CropInsuranceProceeds = "3";
  const Form1096Page page = Build1096Page(CompanyRecord{}, forms);
  EXPECT_EQ(page.box3, "2");
  EXPECT_EQ(page.box4, "10.00");
  EXPECT_EQ(page.box5, "156.50");
}

TEST(Form1096Totals, FilerNameFallsBackToEmployerName) {
  CompanyRecord c;
  c.EmployerName = "Acme";
  EXPECT_EQ(Build1096Page(c, std::vector<Form1099Record>{}).filerName, "Acme");
  c.Form1096FilerName = "Acme Payroll Agent";
  EXPECT_EQ(Build1096Page(c, std::vector<Form1099Record>{}).filerName, "Acme Payroll Agent");
}

}  // namespace
}  // namespace formet
