// The corrected 1099-MISC's of a payee from what was filed and the form now,
// and the 1096 that sends them.
#include <gtest/gtest.h>

#include "forms/1099/form1099_corrections.h"

namespace formet {
namespace {

struct Payee {
  ContractorRecord contractor;
  Form1099Record form;
};

Payee Now(int32_t id = 3) {
  Payee p;
  ContractorRecord& c = p.contractor;
  c.ContractorUniqueID = id;
  c.SetIdentificationNumber("123-45-6789");
  c.SetFirstName("Ann");
  c.SetLastName("Lee");
  c.SetAddress1("1 Main St");
  c.SetCity("Springfield");
  c.SetState("IL");
  c.SetZip("62701");
  c.SetAccountNumber("A-1");
  Form1099Record& f = p.form;
  f.ContractorUniqueID = id;
  f.SetNonemployeeCompensation("5000.00");
  f.SetFederalIncomeTaxWithheld("100.00");
  f.SetRents("0.00");
  f.SetStateTaxWithheld1("20.00");
  f.SetPayerStateID1("IL 1234");
  return p;
}

Filed1099 Filed(const Payee& p, FiledAs as = FiledAs::Original) {
  Filed1099 row;
  row.id = 1;
  row.filedOn = "2008-02-28";
  row.as = as;
  row.contractor = p.contractor;
  row.form = p.form;
  return row;
}

using E = Form1099Error;
using P = Form1099Procedure;

struct Case {
  const char* name;
  void (*change)(Payee&);
  std::vector<E> errors;
  P procedure;
  bool toIrs;
};

TEST(Form1099CorrectionsTest, TheErrorDecidesTheProcedure) {
  const Case cases[] = {
      {"amount", [](Payee& p) { p.form.SetNonemployeeCompensation("5500"); }, {E::Amount}, P::OneReturn, true},
      {"box 9", [](Payee& p) { p.form.PayerMadeDirectSales = 1; }, {E::CodeOrCheckBox}, P::OneReturn, true},
      {"2nd TIN notice", [](Payee& p) { p.contractor.SecondTIN = 1; }, {E::CodeOrCheckBox}, P::OneReturn, true},
      {"address", [](Payee& p) { p.contractor.SetAddress1("9 Elm St"); }, {E::Address}, P::OneReturn, true},
      {"name alone", [](Payee& p) { p.contractor.SetLastName("Leigh"); }, {E::NameAlone}, P::OneReturn, true},
      {"TIN", [](Payee& p) { p.contractor.SetIdentificationNumber("987-65-4321"); }, {E::WrongTin}, P::TwoReturns,
       true},
      {"name and address",
       [](Payee& p) {
         p.contractor.SetLastName("Leigh");
         p.contractor.SetZip("62702");
       },
       {E::NameAndAddress}, P::TwoReturns, true},
      {"TIN and amount",
       [](Payee& p) {
         p.contractor.SetIdentificationNumber("987-65-4321");
         p.form.SetRents("10.00");
       },
       {E::Amount, E::WrongTin}, P::TwoReturns, true},
      {"state only", [](Payee& p) { p.form.SetStateTaxWithheld1("25.00"); }, {E::StateOnly}, P::OneReturn, false},
      {"state with an amount",
       [](Payee& p) {
         p.form.SetStateTaxWithheld1("25.00");
         p.form.SetRents("1.00");
       },
       {E::Amount}, P::OneReturn, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Payee was = Now();
    Payee now = Now();
    c.change(now);
    const auto list = BuildForm1099Corrections({now.contractor}, {now.form}, {Filed(was)});
    ASSERT_EQ(list.corrections.size(), 1u);
    const Form1099Correction& k = list.corrections[0];
    EXPECT_EQ(k.errors, c.errors);
    EXPECT_EQ(k.procedure, c.procedure);
    EXPECT_EQ(k.toIrs, c.toIrs);
    EXPECT_EQ(k.previouslyFiledOn, "2008-02-28");
    if (c.procedure == P::OneReturn) {
      ASSERT_EQ(k.returns.size(), 1u);
      EXPECT_TRUE(k.returns[0].correctedBox);
      EXPECT_EQ(k.returns[0].fileCode, 'G');
      EXPECT_EQ(k.returns[0].contractor, now.contractor);
      EXPECT_EQ(k.returns[0].form, now.form);
    } else {
      // Step 1: exactly as filed, every amount zero, CORRECTED; step 2: a
      // new original with the correct data.
      ASSERT_EQ(k.returns.size(), 2u);
      const auto& step1 = k.returns[0];
      EXPECT_EQ(step1.step, 1);
      EXPECT_TRUE(step1.correctedBox);
      EXPECT_EQ(step1.fileCode, 'G');
      EXPECT_EQ(step1.contractor, was.contractor);
      EXPECT_EQ(step1.form.NonemployeeCompensation(), "0.00");
      EXPECT_EQ(step1.form.FederalIncomeTaxWithheld(), "0.00");
      EXPECT_EQ(step1.form.StateTaxWithheld1(), "0.00");
      EXPECT_EQ(step1.form.PayerStateID1(), "IL 1234");
      EXPECT_EQ(step1.form.StateIncome1(), "");  // a state line never used stays empty
      EXPECT_TRUE(step1.zeroed);
      const auto& step2 = k.returns[1];
      EXPECT_EQ(step2.step, 2);
      EXPECT_FALSE(step2.correctedBox);
      EXPECT_EQ(step2.fileCode, 'C');
      EXPECT_EQ(step2.contractor, now.contractor);
      EXPECT_EQ(step2.form, now.form);
      EXPECT_FALSE(step2.zeroed);
    }
  }
}

TEST(Form1099CorrectionsTest, NothingChangedGivesNothing) {
  Payee now = Now();
  Filed1099 was = Filed(now);
  // The same amounts typed differently and a TIN without its dashes are no change.
  now.form.SetNonemployeeCompensation("5000");
  now.contractor.SetIdentificationNumber("123456789");
  const auto list = BuildForm1099Corrections({now.contractor}, {now.form}, {was});
  EXPECT_TRUE(list.corrections.empty());
  // Nothing recorded: nothing to correct.
  EXPECT_TRUE(BuildForm1099Corrections({now.contractor}, {now.form}, {}).corrections.empty());
}

TEST(Form1099CorrectionsTest, AFormFiledWithoutTinTakesTwoReturns) {
  Payee was = Now();
  was.contractor.SetIdentificationNumber("");
  const Payee now = Now();
  const auto list = BuildForm1099Corrections({now.contractor}, {now.form}, {Filed(was)});
  ASSERT_EQ(list.corrections.size(), 1u);
  EXPECT_EQ(list.corrections[0].errors, std::vector<E>{E::NoTin});
  EXPECT_EQ(list.corrections[0].procedure, P::TwoReturns);
}

TEST(Form1099CorrectionsTest, ADeletedPayeeIsCorrectedToZeroOnce) {
  const Payee was = Now(9);
  const Payee other = Now(4);
  auto list = BuildForm1099Corrections({other.contractor}, {other.form}, {Filed(was), Filed(other)});
  ASSERT_EQ(list.corrections.size(), 1u);
  const auto& k = list.corrections[0];
  EXPECT_TRUE(k.removed);
  EXPECT_EQ(k.errors, std::vector<E>{E::NotToBeFiled});
  ASSERT_EQ(k.returns.size(), 1u);
  EXPECT_TRUE(k.returns[0].correctedBox);
  EXPECT_EQ(k.returns[0].contractor, was.contractor);
  EXPECT_EQ(k.returns[0].form, ZeroAmounts(was.form));
  // The form of a payee kept but deleted is the same.
  list = BuildForm1099Corrections({was.contractor}, {}, {Filed(was)});
  ASSERT_EQ(list.corrections.size(), 1u);
  EXPECT_TRUE(list.corrections[0].removed);
  // Once the zero correction is recorded as filed, nothing is left to do.
  Filed1099 zeroed = Filed(was, FiledAs::Correction);
  zeroed.form = ZeroAmounts(was.form);
  EXPECT_TRUE(BuildForm1099Corrections({}, {}, {Filed(was), zeroed}).corrections.empty());
}

TEST(Form1099CorrectionsTest, TheLatestFilingIsWhatIsCorrected) {
  const Payee first = Now();
  Payee corrected = Now();
  corrected.form.SetNonemployeeCompensation("5500.00");
  // A correction filed: the form as it is now needs nothing more.
  const auto list = BuildForm1099Corrections({corrected.contractor}, {corrected.form},
                                             {Filed(first), Filed(corrected, FiledAs::Correction)});
  EXPECT_TRUE(list.corrections.empty());
}

TEST(Form1099CorrectionsTest, The1096CarriesTheCorrectedReturnsOnly) {
  // One-return: 5500 + 100 withheld; two-return: step 1 zero, step 2 700 +
  // 7 withheld; state only: not to the IRS.
  const Payee a = Now(1), b = Now(2), s = Now(3), same = Now(5);
  Payee a2 = a, b2 = b, s2 = s;
  a2.form.SetNonemployeeCompensation("5500.00");
  b2.contractor.SetIdentificationNumber("987-65-4321");
  b2.form.SetNonemployeeCompensation("700.00");
  b2.form.SetFederalIncomeTaxWithheld("7.00");
  s2.form.SetStateIncome1("300.00");
  const auto list = BuildForm1099Corrections({a2.contractor, b2.contractor, s2.contractor, same.contractor},
                                             {a2.form, b2.form, s2.form, same.form},
                                             {Filed(a), Filed(b), Filed(s), Filed(same)});
  ASSERT_EQ(list.corrections.size(), 3u);
  EXPECT_EQ(ReturnsToIrs(list).size(), 3u);
  const Form1096Totals t = Compute1096CorrectionTotals(list);
  EXPECT_EQ(t.formCount, 3);
  EXPECT_EQ(t.federalTaxWithheld, 10000 + 700);
  EXPECT_EQ(t.totalReported, 550000 + 70000);
  EXPECT_TRUE(HasTwoReturnCorrections(list));
  ASSERT_EQ(list.notes.size(), 1u);
  EXPECT_NE(list.notes[0].find("state"), std::string::npos);
}

TEST(Form1099CorrectionsTest, EveryErrorHasOneRule) {
  for (int e = 0; e <= static_cast<int>(E::Other); ++e) {
    int found = 0;
    for (const auto& rule : Form1099ErrorRules()) found += rule.error == static_cast<E>(e);
    EXPECT_EQ(found, 1) << e;
  }
}

}  // namespace
}  // namespace formet
