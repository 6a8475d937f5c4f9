// The W-2c of one employee from what was reported and the W-2 now, and the
// W-3c totals of the W-2c's.
#include <gtest/gtest.h>

#include "forms/w2/w2c_form.h"
#include "forms/w2/w3c_totals.h"

namespace formet {
namespace {

CompanyRecord Company() {
  CompanyRecord c;
  c.SetEmployerIdentificationNumber("12-3456789");
  c.SetEmployerName("Acme");
  c.SetCity("Springfield");
  c.SetState("IL");
  c.SetZip("62701");
  return c;
}

W2cSide Now() {
  W2cSide s;
  s.employee.EmployeeUniqueID = 7;
  s.employee.SetSocialSecurityNumber("123-45-6789");
  s.employee.SetFirstName("Ann");
  s.employee.SetMiddleName("Q");
  s.employee.SetLastName("Lee");
  s.employee.SetAddress1("1 Main St");
  s.employee.SetCity("Springfield");
  s.employee.SetState("IL");
  s.employee.SetZip("62701");
  W2Record& f = s.form;
  f.EmployeeUniqueID = 7;
  f.SetWages("1000.00");
  f.SetFederalIncomeTaxWithdrawal("100.00");
  f.SetSocialSecurityWages("1000.00");
  f.SetSocialSecurityTaxWithheld("62.00");
  f.SetMedicareWages("1000.00");
  f.SetMedicareTaxWithheld("14.50");
  f.SetField12aCode("D");
  f.SetField12aAmount("1500.00");
  f.SetState1("IL");
  f.SetStateWages1("1000.00");
  return s;
}

FiledW2 Filed(const W2cSide& side, FiledAs as = FiledAs::Original) {
  FiledW2 row;
  row.filedOn = "2008-02-15";
  row.as = as;
  row.employee = side.employee;
  row.form = side.form;
  return row;
}

struct Case {
  const char* name;
  void (*change)(W2cSide&);
  size_t forms;
  bool toSsa, c, addressOnly;
  // The boxes filled, with both columns: "key previously|correct" each.
  std::vector<std::string> boxes;
  std::vector<std::string> box12;  // "code previously|correct"
};

std::vector<std::string> Boxes(const W2cForm& f) {
  std::vector<std::string> out;
  for (const auto& b : f.boxes) out.push_back(std::string(b.box->key) + " " + b.previously + "|" + b.correct);
  return out;
}
std::vector<std::string> Box12(const W2cForm& f) {
  std::vector<std::string> out;
  for (const auto& b : f.box12) out.push_back(b.code + " " + b.previously + "|" + b.correct);
  return out;
}

TEST(W2cTest, OnlyTheChangedBoxesInBothColumns) {
  const Case cases[] = {
      {"amount", [](W2cSide& s) { s.form.SetWages("1200"); s.form.SetDependentCareBenefits("50.00"); }, 1, true, false,
       false, {"1 1000.00|1200.00", "10 -0-|50.00"}, {}},
      {"amount to zero", [](W2cSide& s) { s.form.SetFederalIncomeTaxWithdrawal(""); }, 1, true, false, false,
       {"2 100.00|-0-"}, {}},
      {"same amount written otherwise", [](W2cSide& s) { s.form.SetWages("1000"); }, 0, true, false, false, {}, {}},
      {"ssn", [](W2cSide& s) { s.employee.SetSocialSecurityNumber("123-45-6780"); }, 1, true, true, false, {}, {}},
      {"name", [](W2cSide& s) { s.employee.SetLastName("Lee-Ray"); }, 1, true, true, false, {}, {}},
      {"box 12 code", [](W2cSide& s) { s.form.SetField12aCode("E"); }, 1, true, false, false, {},
       {"D 1500.00|-0-", "E -0-|1500.00"}},
      {"box 12 amount", [](W2cSide& s) { s.form.SetField12aAmount("1400.00"); }, 1, true, false, false, {},
       {"D 1500.00|1400.00"}},
      {"address only", [](W2cSide& s) { s.employee.SetAddress1("2 Elm St"); }, 0, true, false, true, {}, {}},
      {"state only", [](W2cSide& s) { s.form.SetStateWages1("900.00"); s.form.SetStateID1("99"); }, 1, false, false,
       false, {"15 IL|IL 99", "16 1000.00|900.00"}, {}},
      {"state with a federal box", [](W2cSide& s) { s.form.SetStateWages1("900.00"); s.form.SetWages("900.00"); }, 1,
       true, false, false, {"1 1000.00|900.00", "16 1000.00|900.00"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const W2cSide before = Now();
    W2cSide after = Now();
    c.change(after);
    bool addressOnly = false;
    const auto forms = CompareW2(Company(), Filed(before), after, &addressOnly);
    EXPECT_EQ(addressOnly, c.addressOnly);
    ASSERT_EQ(forms.size(), c.forms);
    if (forms.empty()) continue;
    const W2cForm& f = forms[0];
    EXPECT_EQ(f.toSsa, c.toSsa);
    EXPECT_EQ(f.c, c.c);
    EXPECT_EQ(Boxes(f), c.boxes);
    EXPECT_EQ(Box12(f), c.box12);
    EXPECT_EQ(f.a, "2007");
    EXPECT_EQ(f.formCorrected, "W-2");
    EXPECT_EQ(f.b, after.employee.SocialSecurityNumber());  // always the correct SSN
    EXPECT_EQ(f.d, "12-3456789");
    EXPECT_EQ(f.f1, after.employee.Address1());
    EXPECT_FALSE(f.box13.has_value());
    if (c.c) {
      EXPECT_EQ(f.h, "123-45-6789");
      EXPECT_EQ(f.i, "Ann Q Lee");
    } else {
      EXPECT_EQ(f.h, "");
      EXPECT_EQ(f.i, "");
    }
  }
}

TEST(W2cTest, BoxThirteenShowsBothColumnsAndCorrectingAW2cSaysSo) {
  W2cSide after = Now();
  after.form.RetirementPlan = 1;
  const auto forms = CompareW2(Company(), Filed(Now(), FiledAs::Correction), after);
  ASSERT_EQ(forms.size(), 1u);
  ASSERT_TRUE(forms[0].box13.has_value());
  EXPECT_EQ(forms[0].box13->previously, (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(forms[0].box13->correct, (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(forms[0].formCorrected, "W-2c");
  EXPECT_TRUE(forms[0].boxes.empty());
}

TEST(W2cTest, MoreThanFourBoxTwelveLinesGoOnAFurtherForm) {
  W2cSide before = Now(), after = Now();
  before.form.SetField12aCode("C"); before.form.SetField12aAmount("1.00");
  before.form.SetField12bCode("D"); before.form.SetField12bAmount("2.00");
  before.form.SetField12cCode("E"); before.form.SetField12cAmount("3.00");
  after.form.SetField12aCode("F"); after.form.SetField12aAmount("4.00");
  after.form.SetField12bCode("G"); after.form.SetField12bAmount("5.00");
  after.form.SetWages("1.00");
  const auto forms = CompareW2(Company(), Filed(before), after);
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(Box12(forms[0]), (std::vector<std::string>{"C 1.00|-0-", "D 2.00|-0-", "E 3.00|-0-", "F -0-|4.00"}));
  EXPECT_EQ(Box12(forms[1]), (std::vector<std::string>{"G -0-|5.00"}));
  EXPECT_FALSE(forms[0].continuation);
  EXPECT_TRUE(forms[1].continuation);
  EXPECT_EQ(forms[0].boxes.size(), 1u);
  EXPECT_TRUE(forms[1].boxes.empty());  // the money boxes are on the first form only
  EXPECT_EQ(forms[1].b, forms[0].b);
}

TEST(W2cTest, TheCorrectColumnIsCheckedAsTheW2PageChecksIt) {
  W2cSide after = Now();
  after.form.SetSocialSecurityWages("97000.00");
  after.form.SetSocialSecurityTips("600.00");
  after.form.SetSocialSecurityTaxWithheld("6100.00");
  const auto forms = CompareW2(Company(), Filed(Now()), after);
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].problems.size(), 2u);
  EXPECT_TRUE(CompareW2(Company(), Filed(Now()), [] {
                W2cSide s = Now();
                s.form.SetWages("2000.00");
                return s;
              }())[0].problems.empty());
}

TEST(W2cTest, TheListUsesTheLatestFilingOrTheHandMadeColumn) {
  const CompanyRecord company = Company();
  W2cSide now = Now();
  now.form.SetWages("1300.00");
  FiledW2 first = Filed(Now());
  first.id = 1;
  FiledW2 second = Filed(Now(), FiledAs::Correction);
  second.id = 2;
  second.form.SetWages("1200.00");
  const auto list = BuildW2cList(company, {now.employee}, {now.form}, {first, second}, {});
  ASSERT_EQ(list.forms.size(), 1u);
  EXPECT_EQ(Boxes(list.forms[0]), (std::vector<std::string>{"1 1200.00|1300.00"}));
  EXPECT_EQ(list.forms[0].formCorrected, "W-2c");

  FiledW2 hand = NewHandMadeW2c(company, now.employee, now.form);
  EXPECT_TRUE(BuildW2cList(company, {now.employee}, {now.form}, {}, {hand}).forms.empty());
  hand.form.SetWages("800.00");
  const auto byHand = BuildW2cList(company, {now.employee}, {now.form}, {}, {hand});
  ASSERT_EQ(byHand.forms.size(), 1u);
  EXPECT_TRUE(byHand.forms[0].handMade);
  EXPECT_EQ(Boxes(byHand.forms[0]), (std::vector<std::string>{"1 800.00|1300.00"}));
}

TEST(W3cTest, TotalsEachColumnOfTheW2csSentToTheSsa) {
  const CompanyRecord company = Company();
  W2cSide a = Now(), b = Now(), s = Now();
  a.form.SetWages("1200.00");
  a.form.SetField12aAmount("1000.00");      // D: deferred compensation
  a.form.SetField12bCode("C");              // C: not deferred compensation
  a.form.SetField12bAmount("70.00");
  b.employee.SetSocialSecurityNumber("123-45-0000");
  b.form.SetWages("700.00");
  s.form.SetStateWages1("5.00");            // state only: not to the SSA
  std::vector<W2cForm> forms;
  for (const auto* side : {&a, &b, &s})
    for (auto& f : CompareW2(company, Filed(Now()), *side)) forms.push_back(f);
  ASSERT_EQ(forms.size(), 3u);
  const W3cTotals t = ComputeW3cTotals(forms);
  EXPECT_EQ(t.formCount, 2);
  EXPECT_EQ(t.box[1], (W3cColumns{200000, 190000}));
  EXPECT_EQ(t.box12, (W3cColumns{150000, 100000}));
  EXPECT_EQ(t.box16, (W3cColumns{0, 0}));
  EXPECT_EQ(t.box[2], (W3cColumns{0, 0}));

  FiledW2 filed = Filed(Now());
  filed.employer.ein = "12-3456780";
  filed.employer.stateId = company.StateID();
  const W3cPage p = BuildW3cPage(company, forms, {filed});
  EXPECT_EQ(p.d, "2");
  EXPECT_EQ(p.box[1][0], "2000.00");
  EXPECT_EQ(p.box[1][1], "1900.00");
  EXPECT_EQ(p.box[2][0], "-0-");
  EXPECT_EQ(p.e, "12-3456789");
  EXPECT_EQ(p.h, "12-3456780");
  EXPECT_EQ(p.j, "");
  EXPECT_EQ(p.explainDecreases,
            "Box 1 decreased by 100.00. Box 12 decreased by 500.00. SSN and/or name corrected on 1 Form W-2c.");
  EXPECT_EQ(BuildW3cPage(company, {}, {}).d, "-0-");
}

}  // namespace
}  // namespace formet
