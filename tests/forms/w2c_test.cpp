// The W-2c of one employee from what was reported and the W-2 now, and the
// W-3c totals of the W-2c's.
#include <gtest/gtest.h>

#include "forms/w2/w2c_form.h"
#include "forms/w2/w2c_hand_made.h"
#include "forms/w2/w2c_page_rules.h"
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

// Box 14 of the W-3c totals box 2 of the W-2c's of third-party sick pay;
// the user's explanation replaces the computed one.
TEST(W3cTest, BoxFourteenAndTheUsersExplanation) {
  const CompanyRecord company = Company();
  W2cSide sick = Now(), other = Now();
  sick.form.ThirdPartySickpay = 1;
  sick.form.SetFederalIncomeTaxWithdrawal("40.00");
  other.employee.SetSocialSecurityNumber("123-45-0000");
  other.form.SetFederalIncomeTaxWithdrawal("90.00");
  FiledW2 sickFiled = Filed(Now());
  sickFiled.form.ThirdPartySickpay = 1;
  std::vector<W2cForm> forms;
  for (auto& f : CompareW2(company, sickFiled, sick)) forms.push_back(f);
  for (auto& f : CompareW2(company, Filed(Now()), other)) forms.push_back(f);
  const W3cTotals t = ComputeW3cTotals(forms);
  EXPECT_EQ(t.box[2], (W3cColumns{20000, 13000}));
  EXPECT_EQ(t.box14, (W3cColumns{10000, 4000}));
  const W3cPage computed = BuildW3cPage(company, forms, {});
  EXPECT_EQ(computed.box14[0], "100.00");
  EXPECT_EQ(computed.box14[1], "40.00");
  EXPECT_FALSE(computed.explainedByUser);
  EXPECT_NE(computed.explainDecreases.find("Box 14 decreased by 60.00."), std::string::npos);
  const W3cPage typed = BuildW3cPage(company, forms, {}, "Sick pay withholding refunded.");
  EXPECT_TRUE(typed.explainedByUser);
  EXPECT_EQ(typed.explainDecreases, "Sick pay withholding refunded.");
}

// The edits of a hand-made W-2c's previously reported column: what each key
// takes, and a refused value leaves the column as it was.
TEST(W2cTest, HandMadeEditsTakeWhatSetW2cTakes) {
  const W2cSide now = Now();
  const FiledW2 start = NewHandMadeW2c(Company(), now.employee, now.form);
  const struct {
    const char* key;
    const char* value;
    bool accepted;
    const char* shown;  // HandMadeW2cValue afterwards
  } cases[] = {
      {"1", "1250.5", true, "1250.50"},        {"1", "", true, "0.00"},
      {"1", "-5", false, "1000.00"},           {"1", "12a", false, "1000.00"},
      {"12a", "e:300", true, "E:300.00"},      {"12a", "ZZ:300", false, "D:1500.00"},
      {"12a", "D", false, "D:1500.00"},        {"12b", "", true, ""},
      {"13", "retirement,sick-pay", true, "retirement,sick-pay"},
      {"13", "retirement,bogus", false, ""},   {"15", "IN:99-1", true, "IN:99-1"},
      {"14", "UNION 12.00", true, "UNION 12.00"},
      {"ssn", "111223333", true, "111-22-3333"}, {"ssn", "12345", false, "123-45-6789"},
      {"last", "Lee-Ray", true, "Lee-Ray"},    {"99", "1.00", false, ""},
  };
  for (const auto& c : cases) {
    FiledW2 row = start;
    const auto problem = SetHandMadeW2cValue(row, c.key, c.value);
    EXPECT_EQ(!problem.has_value(), c.accepted) << c.key << "=" << c.value;
    EXPECT_EQ(HandMadeW2cValue(row, c.key), c.shown) << c.key << "=" << c.value;
    if (!c.accepted) {
      EXPECT_EQ(row, start) << c.key << "=" << c.value;
    }
  }
  // Every key the page lists takes the value it shows back (an empty amount
  // is held as 0.00 after that) and then holds it as it was.
  for (const auto& k : HandMadeW2cKeys()) {
    FiledW2 row = start;
    EXPECT_FALSE(SetHandMadeW2cValue(row, k.key, HandMadeW2cValue(start, k.key)).has_value()) << k.key;
    FiledW2 again = row;
    EXPECT_FALSE(SetHandMadeW2cValue(again, k.key, HandMadeW2cValue(row, k.key)).has_value()) << k.key;
    EXPECT_EQ(again, row) << k.key;
  }
}

// The page's list: a W-2c to the SSA, one to the state only, a hand-made one
// that corrects nothing yet, and an address-only change.
TEST(W2cTest, TheListEntriesSayWhatChangedAndWhereItGoes) {
  const CompanyRecord company = Company();
  W2cSide amount = Now(), state = Now(), address = Now(), hand = Now();
  amount.form.SetWages("1200.00");
  amount.employee.SetLastName("Ray");
  state.employee.EmployeeUniqueID = state.form.EmployeeUniqueID = 8;
  state.form.SetStateWages1("900.00");
  address.employee.EmployeeUniqueID = address.form.EmployeeUniqueID = 9;
  address.employee.SetAddress1("2 Elm St");
  hand.employee.EmployeeUniqueID = hand.form.EmployeeUniqueID = 10;
  std::vector<FiledW2> filed;
  for (const W2cSide& s : {Now(), state, address}) {
    W2cSide was = s;
    was.employee.SetAddress1("1 Main St");
    was.form.SetStateWages1("1000.00");
    filed.push_back(Filed(was));
  }
  const FiledW2 handMade = NewHandMadeW2c(company, hand.employee, hand.form);
  const std::vector<EmployeeRecord> employees = {amount.employee, state.employee, address.employee, hand.employee};
  const auto list = BuildW2cList(company, employees, {amount.form, state.form, address.form, hand.form}, filed,
                                 {handMade});
  const auto entries = W2cListEntries(list, employees, {handMade});
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].employee, "Ann Q Ray");
  EXPECT_EQ(entries[0].changed, "SSN and/or name; box 1");
  EXPECT_EQ(entries[0].status, "To the SSA; not recorded as filed; corrects the W-2 filed on 02/15/2008");
  EXPECT_EQ(entries[1].changed, "box 16");
  EXPECT_EQ(entries[1].status.rfind("To the state only", 0), 0u) << entries[1].status;
  EXPECT_TRUE(entries[2].handMade);
  EXPECT_EQ(entries[2].form, -1);
  EXPECT_EQ(entries[2].changed, "nothing yet");
  EXPECT_TRUE(entries[3].addressOnly);
  EXPECT_EQ(entries[3].employeeId, 9);
  EXPECT_EQ(entries[3].ssn, "123-45-6789");

  const auto lines = W2cFormLines(list.forms[0]);
  ASSERT_EQ(lines.size(), 3u);  // h, i, box 1
  EXPECT_EQ(lines[1].previously, "Ann Q Lee");
  EXPECT_EQ(lines[2].previously, "1000.00");
  EXPECT_EQ(lines[2].correct, "1200.00");
  FiledW2 changedHand = handMade;
  changedHand.form.SetWages("700.00");
  const auto handLines = HandMadeW2cLines(changedHand, handMade);
  ASSERT_EQ(handLines.size(), HandMadeW2cKeys().size());
  EXPECT_TRUE(handLines[0].editable);
  EXPECT_EQ(handLines[0].previously, "700.00");
  EXPECT_EQ(handLines[0].correct, "1000.00");
}

}  // namespace
}  // namespace formet
