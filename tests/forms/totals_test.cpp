// The W-3 and 1096 totals: which boxes are summed, and that sums are exact in
// cents over many forms.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "forms/1099/form1096_totals.h"
#include "forms/money.h"
#include "forms/w2/w3_totals.h"

namespace formet {
namespace {

TEST(W3Totals, SumsBoxesAndCountsForms) {
  std::vector<W2Record> forms(2);
  forms[0].SetWages("1000");
  forms[1].SetWages("250.50");
  forms[0].SetStateWages1("100");
  forms[0].SetStateWages2("200");
  forms[1].SetLocalIncomeTax2("7.5");
  forms[0].SetMedicareTaxWithheld("-1.25");
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
  w.SetField12aCode("C"), w.SetField12aAmount("500");   // group-term life: not deferred
  w.SetField12bCode("d"), w.SetField12bAmount("500");   // lower case still counts
  w.SetField12cCode("0"), w.SetField12cAmount("300");   // held AA
  w.SetField12dCode(""), w.SetField12dAmount("40");     // no code never counts
  EXPECT_EQ(ComputeW3Totals(forms).deferredCompensation, 80000);
}

TEST(W3Totals, CompanyFieldsAndKindOfPayer) {
  CompanyRecord c;
  c.FormW3RadioKindOfPayer = 6;
  c.FormW3CheckThirdPartySickPay = 1;
  c.SetFormW3ThirdPartySickPay("0.00");
  c.SetState("MA");
  c.SetStateID("123");
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
    w.SetWages("123456.78");
    doubleSum += ParseMoney(w.Wages());
  }
  char drifted[64];
  std::snprintf(drifted, sizeof drifted, "%.2lf", doubleSum);
  ASSERT_NE(std::string(drifted), "12345678000.00");  // the fault the cents avoid
  EXPECT_EQ(BuildW3Page(CompanyRecord{}, forms).box[1], "12345678000.00");
}

TEST(Form1096Totals, BoxesThreeFourAndFive) {
  std::vector<Form1099Record> forms(2);
  forms[0].SetRents("100.00");
  forms[1].SetRents("50.50");
  forms[0].SetFederalIncomeTaxWithheld("10.00");
  forms[0].SetField15A("999.00");          // not summed
  forms[1].SetStateIncome1("5");           // not summed
  forms[1].SetGrossProceedsPaidToAttorney("1");
  forms[1].SetExcessGoldenParachutePayments("2");
  forms[1].SetCropInsuranceProceeds("3");
  const Form1096Page page = Build1096Page(CompanyRecord{}, forms);
  EXPECT_EQ(page.box3, "2");
  EXPECT_EQ(page.box4, "10.00");
  EXPECT_EQ(page.box5, "156.50");
}

// Totals never wrap: two W-2s of 92233720368547757.00 (what a 20-digit amount
// was once stored as) made box 1 read -2.16. A box whose sum cannot be held
// shows "too large", says why, and the W-3 is not printed.
TEST(W3Totals, ASumThatCannotBeHeldIsNeverShownAsANumber) {
  std::vector<W2Record> forms(2);
  forms[1].SetWages("92233720368547757.00");
  forms[0].SetWages(forms[1].Wages());
  forms[0].SetStateWages1("99999999999999999999");  // beyond what cents in 64 bits hold
  forms[0].SetField12aCode("D");
  forms[0].SetField12aAmount("92233720368547757");
  forms[1].SetField12bCode("E");
  forms[1].SetField12bAmount("92233720368547757");
  forms[0].SetSocialSecurityWages("999999999.99");  // the largest amount a form takes
  forms[1].SetSocialSecurityWages("999999999.99");
  const W3Totals totals = ComputeW3Totals(forms);
  EXPECT_EQ(totals.tooLarge, (std::vector<int>{1, 12, 16}));
  EXPECT_EQ(totals.box[1], 0);
  EXPECT_EQ(totals.box[3], 199999999998);
  const W3Page page = BuildW3Page(CompanyRecord{}, totals);
  EXPECT_EQ(page.box[1], "too large");
  EXPECT_EQ(page.box12, "too large");
  EXPECT_EQ(page.box16, "too large");
  EXPECT_EQ(page.box[3], "1999999999.98");
  EXPECT_EQ(page.box17, "0.00");
  EXPECT_EQ(page.problem,
            "The totals of boxes 1, 12 and 16 of the W-3 are too large to be held: the W-2 amounts add up to more "
            "than any form can show. One of them is far too large (a form's amount has at most 9 whole digits); "
            "correct it on its form.");
  ASSERT_TRUE(W3PrintRefusal(page));
  EXPECT_TRUE(W3PrintRefusal(page)->starts_with("The W-3 was not printed.\n\nThe totals of boxes 1, 12 and 16"));
  EXPECT_FALSE(W3PrintRefusal(BuildW3Page(CompanyRecord{}, std::vector<W2Record>(1))));

  // One amount that the cents cannot hold is enough.
  std::vector<W2Record> one(1);
  one[0].SetLocalIncomeTax2("-99999999999999999999.00");
  EXPECT_EQ(ComputeW3Totals(one).tooLarge, std::vector<int>{19});
  EXPECT_EQ(BuildW3Page(CompanyRecord{}, one).problem.substr(0, 41), "The total of box 19 of the W-3 is too lar");
}

TEST(Form1096Totals, ASumThatCannotBeHeldIsNeverShownAsANumber) {
  // A 1099 import made box 5 read 98.84.
  std::vector<Form1099Record> forms(2);
  forms[1].SetNonemployeeCompensation("92233720368547757.00");
  forms[0].SetRents(forms[1].NonemployeeCompensation());
  forms[0].SetFederalIncomeTaxWithheld("12.50");
  Form1096Page page = Build1096Page(CompanyRecord{}, forms);
  EXPECT_EQ(page.box4, "12.50");
  EXPECT_EQ(page.box5, "too large");
  EXPECT_EQ(page.problem.substr(0, 70), "The total of box 5 of the 1096 is too large to be held: the 1099-MISC ");
  ASSERT_TRUE(Form1096PrintRefusal(page));
  EXPECT_TRUE(Form1096PrintRefusal(page)->starts_with("The 1096 was not printed.\n\n"));
  forms[1].SetNonemployeeCompensation("1");
  page = Build1096Page(CompanyRecord{}, forms);
  EXPECT_EQ(page.box5, "92233720368547758.00");  // large, but held exactly
  EXPECT_EQ(page.problem, "");
  EXPECT_FALSE(Form1096PrintRefusal(page));
}

TEST(CentsTotal, KnowsWhenItCanNoLongerBeHeld) {
  CentsTotal t;
  t.Add("12.34");
  t.Add(std::numeric_limits<int64_t>::max() - 1234);
  EXPECT_TRUE(t.Held());
  EXPECT_EQ(t.Cents(), std::numeric_limits<int64_t>::max());
  t.Add("0.01");
  EXPECT_FALSE(t.Held());
  EXPECT_EQ(t.Cents(), 0);
  t.Add("-5");  // once lost, it stays lost
  EXPECT_FALSE(t.Held());
  EXPECT_EQ(ParseMoneyCentsExact("92233720368547757.99"), 9223372036854775799);
  EXPECT_EQ(ParseMoneyCentsExact("92233720368547758"), std::nullopt);
  EXPECT_EQ(ParseMoneyCentsExact("-99999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseMoneyCentsExact(""), 0);
}

TEST(Form1096Totals, FilerNameFallsBackToEmployerName) {
  CompanyRecord c;
  c.SetEmployerName("Acme");
  EXPECT_EQ(Build1096Page(c, std::vector<Form1099Record>{}).filerName, "Acme");
  c.SetForm1096FilerName("Acme Payroll Agent");
  EXPECT_EQ(Build1096Page(c, std::vector<Form1099Record>{}).filerName, "Acme Payroll Agent");
}

}  // namespace
}  // namespace formet
