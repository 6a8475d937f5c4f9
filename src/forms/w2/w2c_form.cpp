#include "forms/w2/w2c_form.h"

#include <algorithm>
#include <cstdlib>

#include "forms/efile_common.h"
#include "forms/fixed_width.h"
#include "forms/form_page_rules.h"
#include "forms/money.h"
#include "forms/w2/box12_codes.h"
#include "forms/w2/w2_page_rules.h"
#include "records/employees.h"

namespace formet {
namespace {

using R = W2Record;

std::string OtherLines(const R& r) {
  std::string text = r.Other1();
  for (const std::string& line : {r.Other2(), r.Other3()})
    if (!line.empty()) text += "\n" + line;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string StateLine(const std::string& state, const std::string& id) {
  if (state.empty()) return id;
  return id.empty() ? state : state + " " + id;
}

constexpr auto M = W2cBoxKind::Money;
constexpr auto T = W2cBoxKind::Text;

const W2cBoxDef kBoxes[] = {
    {"1", "Wages, tips, other compensation", 0, M, false, [](const R& r) { return r.Wages(); }},
    {"2", "Federal income tax withheld", 0, M, false, [](const R& r) { return r.FederalIncomeTaxWithdrawal(); }},
    {"3", "Social security wages", 0, M, false, [](const R& r) { return r.SocialSecurityWages(); }},
    {"4", "Social security tax withheld", 0, M, false, [](const R& r) { return r.SocialSecurityTaxWithheld(); }},
    {"5", "Medicare wages and tips", 0, M, false, [](const R& r) { return r.MedicareWages(); }},
    {"6", "Medicare tax withheld", 0, M, false, [](const R& r) { return r.MedicareTaxWithheld(); }},
    {"7", "Social security tips", 0, M, false, [](const R& r) { return r.SocialSecurityTips(); }},
    {"8", "Allocated tips", 0, M, false, [](const R& r) { return r.AllocatedTips(); }},
    {"9", "Advance EIC payment", 0, M, false, [](const R& r) { return r.AdvancEICPayment(); }},
    {"10", "Dependent care benefits", 0, M, false, [](const R& r) { return r.DependentCareBenefits(); }},
    {"11", "Nonqualified plans", 0, M, false, [](const R& r) { return r.NonQualifiedPlans(); }},
    {"14", "Other", 0, T, false, &OtherLines},
    {"15", "State, Employer's state ID number", 1, T, true, [](const R& r) { return StateLine(r.State1(), r.StateID1()); }},
    {"16", "State wages, tips, etc.", 1, M, true, [](const R& r) { return r.StateWages1(); }},
    {"17", "State income tax", 1, M, true, [](const R& r) { return r.StateIncomTax1(); }},
    {"18", "Local wages, tips, etc.", 1, M, true, [](const R& r) { return r.LocalWages1(); }},
    {"19", "Local income tax", 1, M, true, [](const R& r) { return r.LocalIncomeTax1(); }},
    {"20", "Locality name", 1, T, true, [](const R& r) { return r.LocalityName1(); }},
    {"15.2", "State, Employer's state ID number", 2, T, true,
     [](const R& r) { return StateLine(r.State2(), r.StateID2()); }},
    {"16.2", "State wages, tips, etc.", 2, M, true, [](const R& r) { return r.StateWages2(); }},
    {"17.2", "State income tax", 2, M, true, [](const R& r) { return r.StateIncomTax2(); }},
    {"18.2", "Local wages, tips, etc.", 2, M, true, [](const R& r) { return r.LocalWages2(); }},
    {"19.2", "Local income tax", 2, M, true, [](const R& r) { return r.LocalIncomeTax2(); }},
    {"20.2", "Locality name", 2, T, true, [](const R& r) { return r.LocalityName2(); }},
};

// An amount of one column as printed: "-0-" for zero.
std::string Column(int64_t cents) { return cents == 0 ? W2cTexts::kZero : FormatCents(cents); }

bool SameIdentity(const EmployeeRecord& a, const EmployeeRecord& b) {
  return efile::DigitsOf(a.SocialSecurityNumber()) == efile::DigitsOf(b.SocialSecurityNumber()) && a.FirstName() == b.FirstName() &&
         a.MiddleName() == b.MiddleName() && a.LastName() == b.LastName() && a.Suffix() == b.Suffix();
}

bool SameAddress(const EmployeeRecord& a, const EmployeeRecord& b) {
  return a.Address1() == b.Address1() && a.Address2() == b.Address2() && a.City() == b.City() && a.State() == b.State() &&
         a.Zip() == b.Zip();
}

// The box 12 amounts of a W-2 by code, codes in the order they first appear.
using CodeTotals = std::vector<std::pair<std::string, int64_t>>;
void AddBox12(const R& r, CodeTotals& totals, bool addCodesOnly = false) {
  const std::pair<std::string, std::string> lines[] = {{r.Field12aCode(), r.Field12aAmount()},
                                                                     {r.Field12bCode(), r.Field12bAmount()},
                                                                     {r.Field12cCode(), r.Field12cAmount()},
                                                                     {r.Field12dCode(), r.Field12dAmount()}};
  for (const auto& [code, amount] : lines) {
    if (code.empty()) continue;
    auto it = std::find_if(totals.begin(), totals.end(), [&](const auto& t) { return t.first == code; });
    if (it == totals.end()) {
      totals.emplace_back(code, 0);
      it = totals.end() - 1;
    }
    if (!addCodesOnly) it->second += ParseMoneyCents(amount);
  }
}
int64_t CodeAmount(const CodeTotals& totals, const std::string& code) {
  for (const auto& [c, cents] : totals)
    if (c == code) return cents;
  return 0;
}

// The W-2 page's checks, on the correct column.
std::vector<std::string> CorrectColumnProblems(const W2cForm& form, const R& now) {
  std::vector<std::string> problems;
  const int64_t ssWages = ParseMoneyCents(now.SocialSecurityWages());
  const int64_t ssTips = ParseMoneyCents(now.SocialSecurityTips());
  const int64_t ssTax = ParseMoneyCents(now.SocialSecurityTaxWithheld());
  if (ssWages + ssTips > TaxYear::kSocialSecurityWageBase + kLimitTolerance)
    problems.push_back("Social security wages and tips (boxes 3 and 7) are more than " +
                       efile::DollarsText(TaxYear::kSocialSecurityWageBase) + ".");
  if (ssTax > TaxYear::kSocialSecurityMaxTax + kLimitTolerance)
    problems.push_back("Social security tax withheld (box 4) is more than " +
                       efile::DollarsText(TaxYear::kSocialSecurityMaxTax) + ".");
  const int64_t medicareTax = ParseMoneyCents(now.MedicareTaxWithheld());
  if (std::llabs(medicareTax - MedicareTax(ParseMoneyCents(now.MedicareWages()))) > kLimitTolerance)
    problems.push_back("Medicare tax withheld (box 6) is not 1.45 per cent of Medicare wages and tips (box 5).");
  for (const auto& line : form.boxes)
    if (line.previouslyCents < 0 || line.correctCents < 0)
      problems.push_back(std::string("Box ") + line.box->key + " holds a negative amount.");
  for (const auto& line : form.box12)
    if (line.previouslyCents < 0 || line.correctCents < 0)
      problems.push_back("Box 12 code " + line.code + " holds a negative amount.");
  return problems;
}

}  // namespace

std::span<const W2cBoxDef> W2cBoxes() { return kBoxes; }

std::string AddressOnlyNotice(const std::string& employeeName) {
  return "Only the address of " + employeeName +
         " changed since the W-2 was filed. No W-2c goes to the SSA for an address: give the employee a W-2 "
         "marked \"REISSUED STATEMENT\" with the new address (or a W-2c with the new address in box f). "
         "\"Print Reissued Statement\" on the W2c Forms page prints its Copies B, C and 2 (formet-cli: print w2 "
         "COMPANY --reissued --ssn SSN --out FILE.pdf).";
}

std::vector<W2cForm> CompareW2(const CompanyRecord& company, const FiledW2& reported, const W2cSide& now,
                               bool* addressOnly) {
  if (addressOnly) *addressOnly = false;
  W2cForm form;
  form.employeeId = now.employee.EmployeeUniqueID;
  form.formCorrected = reported.as == FiledAs::Correction ? "W-2c" : "W-2";
  form.handMade = reported.filedOn.empty();
  form.previouslyFiledOn = reported.filedOn;

  bool federal = false, state = false;
  for (const auto& box : kBoxes) {
    const std::string before = box.text(reported.form), after = box.text(now.form);
    W2cBoxLine line{&box, {}, {}, 0, 0};
    if (box.kind == W2cBoxKind::Money) {
      line.previouslyCents = ParseMoneyCents(before);
      line.correctCents = ParseMoneyCents(after);
      if (line.previouslyCents == line.correctCents) continue;
      line.previously = Column(line.previouslyCents);
      line.correct = Column(line.correctCents);
    } else {
      if (before == after) continue;
      line.previously = before;
      line.correct = after;
    }
    (box.stateOrLocal ? state : federal) = true;
    form.boxes.push_back(std::move(line));
  }

  CodeTotals before, after, codes;
  AddBox12(reported.form, before);
  AddBox12(now.form, after);
  AddBox12(reported.form, codes, true);
  AddBox12(now.form, codes, true);
  for (const auto& [code, unused] : codes) {
    const int64_t was = CodeAmount(before, code), is = CodeAmount(after, code);
    if (was == is) continue;
    form.box12.push_back({ShowBox12Code(code), Column(was), Column(is), was, is, IsDeferredCompensationCode(code)});
    federal = true;
  }

  const R& r0 = reported.form;
  const R& r1 = now.form;
  W2cBox13 box13{{r0.StatutoryEmployee != 0, r0.RetirementPlan != 0, r0.ThirdPartySickpay != 0},
                 {r1.StatutoryEmployee != 0, r1.RetirementPlan != 0, r1.ThirdPartySickpay != 0}};
  if (box13.previously != box13.correct) {
    form.box13 = box13;
    federal = true;
  }

  const EmployeeRecord& e0 = reported.employee;
  const EmployeeRecord& e1 = now.employee;
  form.c = !SameIdentity(e0, e1);
  if (!form.c && !federal && !state) {
    if (addressOnly) *addressOnly = !SameAddress(e0, e1);
    return {};
  }
  if (form.c) {
    form.h = e0.SocialSecurityNumber();
    form.i = EmployeeFullName(e0);
    form.iEmployee = e0;
  }
  form.toSsa = form.c || federal;

  form.b = e1.SocialSecurityNumber();
  form.thirdPartySickPay = now.form.ThirdPartySickpay != 0;
  form.d = company.EmployerIdentificationNumber();
  form.eFirst = e1.MiddleName().empty() ? e1.FirstName() : e1.FirstName() + " " + e1.MiddleName();
  form.eLast = e1.LastName();
  form.eSuffix = e1.Suffix();
  form.f1 = e1.Address1();
  form.f2 = e1.Address2();
  form.fCity = CityStateZipLine(e1.City(), e1.State(), e1.Zip());
  form.gName = company.EmployerName();
  form.g1 = company.Address1();
  form.g2 = company.Address2();
  form.gCity = CityStateZipLine(company.City(), company.State(), company.Zip());
  form.problems = CorrectColumnProblems(form, now.form);

  // Four lines of box 12 to a form; the rest go on further W-2c's that
  // repeat the lettered boxes and show nothing else.
  std::vector<W2cForm> forms;
  std::vector<W2cBox12Line> lines = std::move(form.box12);
  form.box12.clear();
  size_t next = 0;
  do {
    W2cForm part = form;
    if (!forms.empty()) {
      part.boxes.clear();
      part.box13.reset();
      part.problems.clear();
      part.continuation = true;
    }
    for (size_t n = 0; n < 4 && next < lines.size(); ++n) part.box12.push_back(lines[next++]);
    forms.push_back(std::move(part));
  } while (next < lines.size());
  return forms;
}

W2cList BuildW2cList(const CompanyRecord& company, const std::vector<EmployeeRecord>& employees,
                     const std::vector<W2Record>& forms, const std::vector<FiledW2>& filed,
                     const std::vector<FiledW2>& handMade) {
  W2cList list;
  for (const auto& employee : employees) {
    const FiledW2* reported = nullptr;
    for (const auto& row : handMade)
      if (row.employee.EmployeeUniqueID == employee.EmployeeUniqueID) reported = &row;
    if (!reported) reported = LatestFiledFor(filed, employee.EmployeeUniqueID);
    if (!reported) continue;
    const auto w2 = std::find_if(forms.begin(), forms.end(),
                                 [&](const W2Record& f) { return f.EmployeeUniqueID == employee.EmployeeUniqueID; });
    if (w2 == forms.end()) {
      list.notes.push_back(EmployeeDisplayName(employee) + " has no W-2: no W-2c is made.");
      continue;
    }
    bool addressOnly = false;
    auto made = CompareW2(company, *reported, W2cSide{employee, *w2}, &addressOnly);
    if (addressOnly) list.addressOnly.push_back({employee.EmployeeUniqueID, EmployeeDisplayName(employee)});
    if (made.empty() && reported->filedOn.empty())
      list.notes.push_back("The W-2c of " + EmployeeDisplayName(employee) +
                           " made by hand corrects nothing yet: its Previously reported column equals the W-2.");
    for (auto& f : made) list.forms.push_back(std::move(f));
  }
  for (const auto& row : filed) {
    const int32_t id = row.employee.EmployeeUniqueID;
    if (LatestFiledFor(filed, id) != &row) continue;
    if (std::none_of(employees.begin(), employees.end(), [&](const auto& e) { return e.EmployeeUniqueID == id; }))
      list.notes.push_back(EmployeeDisplayName(row.employee) +
                           " was recorded as filed and is no longer an employee: no W-2c is made for that W-2.");
  }
  return list;
}

FiledW2 NewHandMadeW2c(const CompanyRecord& company, const EmployeeRecord& employee, const W2Record& form) {
  FiledW2 row;
  row.id = employee.EmployeeUniqueID;
  row.employer = {company.EmployerIdentificationNumber(), company.FormW3EstablishmentNumber(), company.StateID()};
  row.employee = employee;
  row.form = form;
  return row;
}

}  // namespace formet
