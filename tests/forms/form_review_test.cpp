// The review of every form: a clean company gives complete rows only; each
// planted problem marks its own row with the problem named.
#include <gtest/gtest.h>

#include <functional>

#include "forms/1099/form1099_print.h"
#include "forms/form_review.h"
#include "forms/w2/w2_print.h"
#include "print_fixture.h"

namespace formet {
namespace {

using efile::Severity;

// One employee and one contractor whose forms have nothing to remark.
struct Company {
  CompanyRecord company = test::PrintCompany();
  std::vector<EmployeeRecord> employees{test::PrintEmployee(1, "Lee")};
  std::vector<W2Record> w2s{CleanW2()};
  std::vector<ContractorRecord> contractors{test::PrintContractor(1, "Bolt Electric")};
  std::vector<Form1099Record> forms1099{test::PrintForm1099(51, 1)};
  Company() { contractors[0].SetIdentificationNumber("11-2223331"); }

  static W2Record CleanW2() {
    W2Record w;
    w.W2UniqueID = 101;
    w.EmployeeUniqueID = 1;
    w.SetWages("50000.00");
    w.SetFederalIncomeTaxWithdrawal("5000.00");
    w.SetSocialSecurityWages("50000.00");
    w.SetSocialSecurityTaxWithheld("3100.00");
    w.SetMedicareWages("50000.00");
    w.SetMedicareTaxWithheld("725.00");
    w.SetState1("MA");
    w.SetStateWages1("50000.00");
    w.SetStateIncomTax1("2000.00");
    return w;
  }
  ReviewSource Source() const {
    ReviewSource source;
    source.company = &company;
    source.employees = &employees;
    source.w2Forms = &w2s;
    source.contractors = &contractors;
    source.forms1099 = &forms1099;
    return source;
  }
  std::vector<ReviewRow> Rows() const { return ReviewForms(Source()); }
};

std::string Listed(const ReviewRow& row) {
  std::string text;
  for (const auto& p : row.problems) text += (p.severity == Severity::Error ? "E: " : "W: ") + p.what + "\n";
  return text;
}

bool Names(const ReviewRow& row, Severity severity, const std::string& part) {
  for (const auto& p : row.problems)
    if (p.severity == severity && p.what.find(part) != std::string::npos) return true;
  return false;
}

TEST(FormReview, ACleanCompanyIsCompleteWithItsBoxesShown) {
  const Company c;
  const auto rows = c.Rows();
  ASSERT_EQ(rows.size(), 2u);
  for (const auto& row : rows) EXPECT_EQ(row.Status(), ReviewStatus::Complete) << Listed(row);
  EXPECT_EQ(rows[0].type, ReviewFormType::W2);
  EXPECT_EQ(rows[0].name, "Lee, Ann");
  EXPECT_EQ(rows[0].number, "123-45-6781");
  EXPECT_EQ(rows[0].boxes[3], "3100.00");
  EXPECT_EQ(rows[0].boxes[5], "725.00");
  EXPECT_EQ(rows[0].boxes[6], "");  // box 7 is not shown for a W-2
  EXPECT_EQ(rows[0].state, "MA");
  EXPECT_EQ(rows[1].type, ReviewFormType::Form1099);
  EXPECT_EQ(rows[1].number, "11-2223331");
  EXPECT_EQ(rows[1].boxes[0], "1500.00");
  EXPECT_EQ(rows[1].boxes[6], "200.00");
  EXPECT_EQ(rows[1].boxes[1], "");  // box 2 is not shown for a 1099-MISC
  EXPECT_EQ(ProblemLines(rows), std::vector<std::string>{});
}

// Amounts within a cent of their rates, tips counted for box 4, and the wage
// base holding box 4 to its largest: nothing to remark.
TEST(FormReview, WithheldTaxesWithinACentOfTheirRatesPass) {
  const std::vector<std::function<void(W2Record&)>> cases = {
      [](W2Record& w) { w.SetMedicareTaxWithheld("725.01"); },
      [](W2Record& w) { w.SetSocialSecurityTaxWithheld("3099.99"); },
      [](W2Record& w) {
        w.SetSocialSecurityTips("1000.00");
        w.SetSocialSecurityTaxWithheld("3162.00");
      },
      [](W2Record& w) {
        w.SetSocialSecurityWages("97500.00");
        w.SetSocialSecurityTaxWithheld("6045.00");
        w.SetMedicareWages("120000.00");
        w.SetMedicareTaxWithheld("1740.00");
      },
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    Company c;
    cases[i](c.w2s[0]);
    const auto rows = ReviewW2Forms(c.Source());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Status(), ReviewStatus::Complete) << i << "\n" << Listed(rows[0]);
  }
}

struct Planted {
  const char* what;
  std::function<void(Company&)> plant;
  ReviewFormType form;
  ReviewStatus status;
  Severity severity;
  const char* named;  // a part of the problem's text
};

TEST(FormReview, EveryPlantedProblemMarksItsRow) {
  const Planted cases[] = {
      {"SSN never issued", [](Company& c) { c.employees[0].SetSocialSecurityNumber("666-12-3456"); },
       ReviewFormType::W2, ReviewStatus::Error, Severity::Error, "666-12-3456\" is not a valid number"},
      {"no address", [](Company& c) {
         c.employees[0].SetAddress1("");
         c.employees[0].SetCity("");
       }, ReviewFormType::W2,
       ReviewStatus::Warning, Severity::Warning, "The employee has no address"},
      {"address without ZIP", [](Company& c) { c.employees[0].SetZip(""); }, ReviewFormType::W2,
       ReviewStatus::Warning, Severity::Warning, "The address has no ZIP code"},
      {"box 4 off", [](Company& c) { c.w2s[0].SetSocialSecurityTaxWithheld("3100.02"); }, ReviewFormType::W2,
       ReviewStatus::Warning, Severity::Warning, "Box 4 (social security tax withheld) $3,100.02 is not 6.2 %"},
      {"box 4 without the tips", [](Company& c) { c.w2s[0].SetSocialSecurityTips("1000.00"); }, ReviewFormType::W2,
       ReviewStatus::Warning, Severity::Warning, "of boxes 3 and 7 ($3,162.00)"},
      {"box 6 off", [](Company& c) { c.w2s[0].SetMedicareTaxWithheld("725.02"); }, ReviewFormType::W2,
       ReviewStatus::Warning, Severity::Warning, "Box 6 (Medicare tax withheld) $725.02 is not 1.45 %"},
      {"box 12 without code",
       [](Company& c) { c.w2s[0].SetField12bAmount("50.00"); }, ReviewFormType::W2, ReviewStatus::Error,
       Severity::Error, "Box 12b has an amount but no code"},
      {"state wages without state",
       [](Company& c) { c.w2s[0].SetStateWages2("100.00"); }, ReviewFormType::W2, ReviewStatus::Error,
       Severity::Error, "Box 15 line 2 has state amounts but no state"},
      {"state without ID", [](Company& c) { c.company.SetStateID(""); }, ReviewFormType::W2, ReviewStatus::Error,
       Severity::Error, "(MA) has no employer's state ID number"},
      {"text cut", [](Company& c) { c.w2s[0].SetLocalityName1("Saint Johnsbury Center Township"); },
       ReviewFormType::W2, ReviewStatus::Warning, Severity::Warning,
       "\"Saint Johnsbury Center Township\" does not fit on the form even at 6 points"},
      {"employee without W-2", [](Company& c) { c.w2s.clear(); }, ReviewFormType::W2, ReviewStatus::Warning,
       Severity::Warning, "The employee has no W-2"},
      {"W-2 without employee", [](Company& c) { c.w2s[0].EmployeeUniqueID = 99; }, ReviewFormType::W2,
       ReviewStatus::Error, Severity::Error, "The W-2 belongs to no employee"},
      {"TIN never issued", [](Company& c) { c.contractors[0].SetIdentificationNumber("000-12-3456"); },
       ReviewFormType::Form1099, ReviewStatus::Error, Severity::Error, "000-12-3456\" is not a valid number"},
      {"1099 state income without state number",
       [](Company& c) {
         c.forms1099[0].SetStateIncome1("1500.00");
         c.forms1099[0].SetPayerStateID1("");
       },
       ReviewFormType::Form1099, ReviewStatus::Error, Severity::Error, "box 17 names no state"},
      {"contractor without 1099", [](Company& c) { c.forms1099.clear(); }, ReviewFormType::Form1099,
       ReviewStatus::Warning, Severity::Warning, "The contractor has no 1099-MISC"},
      {"1099 without contractor", [](Company& c) { c.forms1099[0].ContractorUniqueID = 7; },
       ReviewFormType::Form1099, ReviewStatus::Error, Severity::Error, "belongs to no contractor"},
  };
  for (const auto& planted : cases) {
    Company c;
    planted.plant(c);
    const auto rows = c.Rows();
    bool found = false;
    for (const auto& row : rows) {
      if (row.type != planted.form) {
        EXPECT_EQ(row.Status(), ReviewStatus::Complete) << planted.what << ": the other form\n" << Listed(row);
        continue;
      }
      if (!Names(row, planted.severity, planted.named)) continue;
      found = true;
      EXPECT_EQ(row.Status(), planted.status) << planted.what << "\n" << Listed(row);
    }
    EXPECT_TRUE(found) << planted.what << ":\n" << ::testing::PrintToString(ProblemLines(rows));
  }
}

TEST(FormReview, ProblemLinesNameTheFormAndThePayeesNumber) {
  Company c;
  c.w2s[0].SetField12aAmount("10.00");
  c.forms1099[0].SetPayerStateID1("");
  c.forms1099[0].SetStateIncome1("9.00");
  const auto rows = c.Rows();
  const auto lines = ProblemLines(rows);
  ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "Error: W-2 of Lee, Ann (123-45-6781): Box 12a has an amount but no code");
  EXPECT_EQ(lines[1].rfind("Error: 1099-MISC of Bolt Electric (11-2223331): Line 1 of boxes 16 and 18", 0), 0u)
      << lines[1];
  const ReviewSummary s = Summarize(rows);
  EXPECT_EQ(s.errors, 2u);
  EXPECT_EQ(s.complete, 0u);
  EXPECT_EQ(s.errorCount, 2u);
}

// Before a print: the forms the job prints are asked about, with the cuts
// left to the print's own list; a job of clean forms asks nothing.
TEST(FormReview, APrintAsksAboutTheProblemsOfItsFormsOnly) {
  Company c;
  c.employees.push_back(test::PrintEmployee(2, "Ray"));
  W2Record second = Company::CleanW2();
  second.W2UniqueID = 102;
  second.EmployeeUniqueID = 2;
  second.SetMedicareTaxWithheld("700.00");
  second.SetLocalityName1("Saint Johnsbury Center Township");
  c.w2s.push_back(second);
  FormPrintSettings settings;
  test::ScriptedUi ui;
  ui.printAnywayAnswers = {false};
  // The first employee alone: nothing to ask.
  const W2PrintJob first({&c.company, &c.employees, &c.w2s, {0, 1}, 0}, settings);
  EXPECT_TRUE(ConfirmFormsToPrint(first, ui));
  EXPECT_TRUE(ui.printAnyway.empty());
  // All employees: the second one's box 6, and no cut.
  settings.printTarget = 1;
  const W2PrintJob all({&c.company, &c.employees, &c.w2s, {0, 1}, 0}, settings);
  EXPECT_FALSE(ConfirmFormsToPrint(all, ui));
  ASSERT_EQ(ui.printAnyway.size(), 1u);
  EXPECT_EQ(ui.printAnyway[0].heading, "1 of the forms to be printed has 1 warning:");
  ASSERT_EQ(ui.printAnyway[0].problems.size(), 1u);
  EXPECT_EQ(ui.printAnyway[0].problems[0].rfind("Warning: W-2 of Ray, Ann (123-45-6782): Box 6", 0), 0u)
      << ui.printAnyway[0].problems[0];
  EXPECT_TRUE(ConfirmFormsToPrint(all, ui));  // no answer left: Print anyway

  // Instruction pages print no data: nothing to ask.
  settings.paperType = 0;
  settings.blankCopyType = 6;
  const size_t asked = ui.printAnyway.size();
  EXPECT_TRUE(ConfirmFormsToPrint(W2PrintJob({&c.company, &c.employees, &c.w2s, {0, 1}, 0}, settings), ui));
  EXPECT_EQ(ui.printAnyway.size(), asked);

  c.forms1099[0].SetStateIncome1("5.00");
  c.forms1099[0].SetPayerStateID1("");
  FormPrintSettings misc;
  misc.printTarget = 1;
  const Form1099PrintJob forms({&c.company, &c.contractors, &c.forms1099, {0}, 0}, misc);
  ui.printAnywayAnswers = {false};
  EXPECT_FALSE(ConfirmFormsToPrint(forms, ui));
  ASSERT_EQ(ui.printAnyway.size(), asked + 1);
  EXPECT_EQ(ui.printAnyway.back().heading, "1 of the forms to be printed has 1 error:");
}

}  // namespace
}  // namespace formet
