#include "forms/w2/w2_page_rules.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdio>

#include "forms/money.h"
#include "forms/w2/box12_codes.h"
#include "forms/w2/box15_lines.h"
#include "kit/ascii_text.h"
#include "store/ui_services.h"

namespace formet {
namespace {

using R = W2Record;
using F = FieldSpec<R>;
using K = FieldKind;

// Amounts: at most 9 whole digits and 4 decimal places, with the minus sign.
constexpr F Amount(const char* label, const char* column, TextMember<R> m) {
  return {.label = label, .column = column, .kind = K::Amount, .text = m, .wholeDigits = kAmountWholeDigits, .decimals = 4,
          .capacity = 20};
}
// Box 12 years: the record keeps two digits, so no more can be typed.
constexpr F Year(const char* label, const char* column, TextMember<R> m) {
  return {.label = label, .column = column, .kind = K::Amount, .text = m, .wholeDigits = -2, .decimals = 0,
          .capacity = 2};
}
// Plain text fields (box 12 codes, states): anything up to the record's width.
constexpr F Plain(const char* label, const char* column, TextMember<R> m, int width) {
  return {.label = label, .column = column, .kind = K::Text, .text = m, .maxLength = width, .capacity = width};
}
// Text fields that refuse the standard exclusion.
constexpr F Text(const char* label, const char* column, TextMember<R> m, int width) {
  return {.label = label, .column = column, .kind = K::Text, .text = m, .maxLength = width,
          .refused = kStandardExclusion, .capacity = width};
}
constexpr F Check(const char* label, const char* column, int32_t R::*m) {
  return {.label = label, .column = column, .kind = K::CheckBox, .number = m};
}

#define COL(c) #c, R::Text::c
#define NUM(c) #c, &R::c

const std::array<F, 43> kFields = {
    Amount("1 Wages, tips, other compensation", COL(Wages)),
    Amount("2 Federal income tax withheld", COL(FederalIncomeTaxWithdrawal)),
    Amount("3 Social security wages", COL(SocialSecurityWages)),
    Amount("4 Social security tax withheld", COL(SocialSecurityTaxWithheld)),
    Amount("5 Medicare wages and tips", COL(MedicareWages)),
    Amount("6 Medicare tax withheld", COL(MedicareTaxWithheld)),
    Amount("7 Social security tips", COL(SocialSecurityTips)),
    Amount("8 Allocated tips", COL(AllocatedTips)),
    Amount("9 Advance EIC payment", COL(AdvancEICPayment)),
    Amount("10 Dependent care benefits", COL(DependentCareBenefits)),
    Amount("11 Nonqualified plans", COL(NonQualifiedPlans)),
    Plain("12a code", COL(Field12aCode), 2),
    Year("12a year", COL(Field12aYear)),
    Amount("12a amount", COL(Field12aAmount)),
    Plain("12b code", COL(Field12bCode), 2),
    Year("12b year", COL(Field12bYear)),
    Amount("12b amount", COL(Field12bAmount)),
    Plain("12c code", COL(Field12cCode), 2),
    Year("12c year", COL(Field12cYear)),
    Amount("12c amount", COL(Field12cAmount)),
    Plain("12d code", COL(Field12dCode), 2),
    Year("12d year", COL(Field12dYear)),
    Amount("12d amount", COL(Field12dAmount)),
    Check("Statutory\nemployee", NUM(StatutoryEmployee)),
    Check("Retirement\nplan", NUM(RetirementPlan)),
    Check("Third-party\nsick pay", NUM(ThirdPartySickpay)),
    Text("14 Other, line 1", COL(Other1), 14),
    Text("14 Other, line 2", COL(Other2), 14),
    Text("14 Other, line 3", COL(Other3), 14),
    Plain("15 State, line 1", COL(State1), 2),
    Text("15 Employer's state ID number, line 1", COL(StateID1), 15),
    Amount("16 State wages, tips, etc., line 1", COL(StateWages1)),
    Amount("17 State income tax, line 1", COL(StateIncomTax1)),
    Amount("18 Local wages, tips, etc., line 1", COL(LocalWages1)),
    Amount("19 Local income tax, line 1", COL(LocalIncomeTax1)),
    Text("20 Locality name, line 1", COL(LocalityName1), 6),
    Plain("15 State, line 2", COL(State2), 2),
    Text("15 Employer's state ID number, line 2", COL(StateID2), 15),
    Amount("16 State wages, tips, etc., line 2", COL(StateWages2)),
    Amount("17 State income tax, line 2", COL(StateIncomTax2)),
    Amount("18 Local wages, tips, etc., line 2", COL(LocalWages2)),
    Amount("19 Local income tax, line 2", COL(LocalIncomeTax2)),
    Text("20 Locality name, line 2", COL(LocalityName2), 6),
};

#undef COL
#undef NUM

constexpr std::array<TextMember<R>, 4> kCodes = {R::Text::Field12aCode, R::Text::Field12bCode, R::Text::Field12cCode,
                                                    R::Text::Field12dCode};
constexpr std::array<TextMember<R>, 4> kBox12Amounts = {R::Text::Field12aAmount, R::Text::Field12bAmount,
                                                           R::Text::Field12cAmount, R::Text::Field12dAmount};

const FormPageTexts kTexts = {
    .noPayees = kNoEmployeesMessage,
    .selectPrompt = "Would you like to save the changes you did to this employee before selecting a different one?",
    .nextPrompt = "Would you like to save the changes you did to this employee before moving to the next one?",
    .previousPrompt =
        "Would you like to save the changes you did to this employee before moving to the previous one?",
    .hidePrompt =
        "Would you like to save the changes you have done to this employee before navigating away from this form?",
    .firstNote = "This is the first employee in the list!",
    .lastNote = "This is the last employee in the list!",
    .selectCaption = "Select Employee",
    .noFormNotice = "This employee has no W-2 form in the company file, so nothing can be entered for them here.",
    .noFormToSave = "There is no W-2 form to save: this employee has no W-2 form in the company file.",
    .noPayeeToSave = "There is no W-2 form to save: this company has no employees.",
};

std::string LimitMessage(const char* box, int64_t limitCents) {
  char text[128];
  std::snprintf(text, sizeof text, "'%s' field shouldn't exceed $%s", box, FormatCents(limitCents).c_str());
  return text;
}

}  // namespace

std::span<const FieldSpec<W2Record>> W2Fields() { return kFields; }

size_t W2FieldIndex(TextMember<W2Record> member) {
  const auto i = FieldIndex(W2Fields(), member);
  assert(i);
  return i.value_or(0);
}

size_t W2FieldIndex(int32_t W2Record::*member) {
  const auto i = FieldIndex(W2Fields(), member);
  assert(i);
  return i.value_or(0);
}

bool IsW2Amount(size_t field) {
  return field < kFields.size() && kFields[field].kind == K::Amount && kFields[field].decimals > 0;
}

bool IsBox12CodeField(size_t field) {
  if (field >= kFields.size()) return false;
  for (auto code : kCodes)
    if (kFields[field].text == code) return true;
  return false;
}

W2PageRules::W2PageRules(CGlobalDoc& doc, UiServices& ui) : FormPageRules(doc, ui, kTexts, kFields.size()) {}

size_t W2PageRules::PayeeCount() const { return doc_.GetEmployees().size(); }

int W2PageRules::FindForm(int position) {
  const auto& employees = doc_.GetEmployees();
  if (position < 0 || static_cast<size_t>(position) >= employees.size()) return -1;
  return lookup_.Find(doc_.GetW2Forms(), &W2Record::EmployeeUniqueID,
                      employees[static_cast<size_t>(position)].EmployeeUniqueID);
}

void W2PageRules::FillParties(int position) {
  parties_ = {};
  if (position < 0) return;
  const CompanyRecord& c = doc_.GetCompany();
  parties_.ein = c.EmployerIdentificationNumber();
  parties_.employerName = c.EmployerName();
  parties_.employerAddress1 = c.Address1();
  parties_.employerAddress2 = c.Address2();
  parties_.employerCityLine = CityStateZipLine(c.City(), c.State(), c.Zip());
  parties_.controlNumber = c.FormW3ControlNumber();
  const EmployeeRecord& e = doc_.GetEmployees()[static_cast<size_t>(position)];
  parties_.employeeSsn = e.SocialSecurityNumber();
  parties_.firstNameAndInitial = e.MiddleName().empty() ? e.FirstName() : e.FirstName() + " " + e.MiddleName();
  parties_.lastName = e.LastName();
  parties_.suffix = e.Suffix();
  parties_.address1 = e.Address1();
  parties_.address2 = e.Address2();
  parties_.cityLine = CityStateZipLine(e.City(), e.State(), e.Zip());
}

PageValues W2PageRules::FormValues(int form) const {
  W2Record shown = doc_.GetW2Forms()[static_cast<size_t>(form)];
  for (size_t i = 0; i < kFields.size(); ++i)
    if (IsW2Amount(i)) kFields[i].text.Set(shown, NormalizeMoney(kFields[i].text.In(shown)));
  for (auto code : kCodes) code.Set(shown, ShowBox12Code(code.In(shown)));
  // Box 15 line 1 shows the company's state unless the W-2 has its own, and
  // the company's state ID only for the company's state.
  const CompanyRecord& c = doc_.GetCompany();
  shown.SetStateID1(Box15StateId(c, shown, 1));
  shown.SetState1(Box15State(c, shown, 1));
  return LoadValues(W2Fields(), shown, -1);
}

PageValues W2PageRules::EmptyValues() const { return LoadValues(W2Fields(), W2Record{}, -1); }

void W2PageRules::OnLeave(size_t field) {
  static const size_t box3 = W2FieldIndex(R::Text::SocialSecurityWages), box4 = W2FieldIndex(R::Text::SocialSecurityTaxWithheld),
                      box5 = W2FieldIndex(R::Text::MedicareWages), box6 = W2FieldIndex(R::Text::MedicareTaxWithheld);
  if (IsBox12CodeField(field)) {
    const std::string code = UpperAscii(Value(field).text);
    Set(field, code);
    if (!code.empty() && !IsBox12Code(code)) ui_.ShowMessage(InvalidBox12CodeMessage(code));
    return;
  }
  if (!IsW2Amount(field)) return;
  Set(field, NormalizeMoney(Value(field).text));
  if (field == box3) {
    if (ParseMoneyCents(Value(box3).text) - TaxYear::kSocialSecurityWageBase > kLimitTolerance) {
      ui_.ShowMessage(LimitMessage("Social security wages", TaxYear::kSocialSecurityWageBase));
      Set(box3, FormatCents(TaxYear::kSocialSecurityWageBase));
    }
    // Box 4 follows box 3 each time box 3 is left.
    Set(box4, FormatCents(SocialSecurityTax(ParseMoneyCents(Value(box3).text))));
  } else if (field == box4) {
    if (ParseMoneyCents(Value(box4).text) - TaxYear::kSocialSecurityMaxTax > kLimitTolerance) {
      ui_.ShowMessage(LimitMessage("Social security tax withheld", TaxYear::kSocialSecurityMaxTax));
      Set(box4, FormatCents(TaxYear::kSocialSecurityMaxTax));
    }
  } else if (field == box5) {
    Set(box6, FormatCents(MedicareTax(ParseMoneyCents(Value(box5).text))));
  }
}

std::optional<std::string> W2PageRules::SaveProblem() const {
  for (size_t i = 0; i < kFields.size(); ++i) {
    if (!IsBox12CodeField(i)) continue;
    const std::string& code = Value(i).text;
    if (!code.empty() && !IsBox12Code(code)) return InvalidBox12CodeMessage(code);
  }
  // Each line of box 12 is a code with its amount: one without the other
  // would print an amount nobody can read, or a code of nothing.
  for (size_t line = 0; line < kCodes.size(); ++line) {
    if (auto problem = Box12LineProblem(kBox12Lines[line], Value(W2FieldIndex(kCodes[line])).text,
                                        Value(W2FieldIndex(kBox12Amounts[line])).text))
      return problem;
  }
  return std::nullopt;
}

std::optional<W2Record> W2PageRules::PageRecord() const {
  if (!HasForm()) return std::nullopt;
  // Texts as typed; the columns the page does not show stay as stored.
  W2Record built = doc_.GetW2Forms()[static_cast<size_t>(CurrentForm())];
  StoreValues(W2Fields(), Values(), built);
  for (auto code : kCodes) code.Set(built, HoldBox12Code(code.In(built)));
  return built;
}

SaveResult W2PageRules::Store(int form) {
  const auto built = PageRecord();
  const auto& forms = doc_.GetW2Forms();
  if (!built || *built == forms[static_cast<size_t>(form)]) return {SaveOutcome::Unchanged, 0};
  return Commit(form, *built);
}

void W2PageRules::ShowPayeePage() { ui_.ShowEmployeesPage(); }

void W2PageRules::OnActivated() { ui_.ShowBalloonNote(NoteAnchor::HelpIcon, "Help", "Please click here for quick help.", 800); }

const std::string& W2PageRules::QuickHelpText() {
  static const std::string text =
      "Below is a list of quick instructions on how to use the W2 view:\n\n"
      "1.Please start by selecting the employee you want to prepare the W2 form for, this can be done by clicking "
      "on the \"Select\" button. You can also use the \"Next\" button to move to the next employee and the "
      "\"Previous\" button to move to the previous one.\n\n"
      "2.Some of the fields like the \"Control number\" and \"Employer identification number\" will be "
      "automatically populated with proper values from the \"Company Setup\" and from the corresponding "
      "information for the employee selected (these fields will appear as disabled).\n\n"
      "3.Next you will need to fill-out the empty fields, like \"Wages, tips, other compensation\", once you fill "
      "out all required fields click on the \"Save\" button to store the W2 data for this employee. Please note "
      "that the W3 form gets automatically updated to reflect the changes done for this employee.\n\n"
      "4.Next you can click on the \"Print\" button to print the W2 form for this employee, if you want to print "
      "the W2 forms for all employees at the same time, you can fill the W2s for all employees first, save them "
      "and then click on \"Print\" and select \"All Employees\" radio button on the dialog that comes up.";
  return text;
}

void W2PageRules::QuickHelp() {
  ui_.ShowBalloonNote(NoteAnchor::HelpIcon, "Quick Help (move the mouse to close this window)", QuickHelpText(), 0);
}

RowChoice W2EmployeeChoice(const std::vector<EmployeeRecord>& employees, const std::string& caption) {
  RowChoice choice;
  choice.caption = caption;
  choice.columns = {{"First Name", 190}, {"Middle Name", 100}, {"Last Name", 190}, {"SSN", 90}};
  for (const auto& e : employees)
    choice.rows.push_back({e.FirstName(), e.MiddleName(), e.LastName(), e.SocialSecurityNumber()});
  choice.searchNames = {0, 1, 2};
  choice.searchNumber = 3;
  choice.sortColumn = 2;  // "Last Name", ascending
  choice.ascending = true;
  return choice;
}

RowChoice W2PageRules::SelectChoice() const { return W2EmployeeChoice(doc_.GetEmployees(), Texts().selectCaption); }

}  // namespace formet
