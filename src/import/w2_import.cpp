#include "import/w2_import.h"

#include <array>

#include "forms/w2/w2_page_rules.h"
#include "import/import_fields.h"
#include "records/employees.h"
#include "records/identifying_numbers.h"
#include "store/global_doc.h"

namespace formet {
namespace {

using E = EmployeeRecord;
using W = W2Record;
using Field = ImportField<E, W>;

constexpr Field Name(const char* name, ColumnCheck check, const char* message, const char* empty, int limit,
                     TextMember<E> m, int kept) {
  return {.name = name, .check = check, .message = message, .empty = empty, .limit = limit,
          .place = Place::PayeeText, .payeeText = m, .kept = kept};
}
constexpr Field Address(const char* name, const char* label, int limit, TextMember<E> m, int kept) {
  return {.name = name, .check = ColumnCheck::LabelledLength, .message = label, .limit = limit,
          .place = Place::PayeeText, .payeeText = m, .kept = kept};
}
constexpr Field State(const char* name, TextMember<E> m) {
  return {.name = name, .check = ColumnCheck::State, .place = Place::PayeeText, .payeeText = m, .kept = 2};
}
constexpr Field FormState(const char* name, TextMember<W> m) {
  return {.name = name, .check = ColumnCheck::State, .place = Place::FormText, .formText = m, .kept = 2};
}
constexpr Field Amount(const char* name, TextMember<W> m) {
  return {.name = name, .check = ColumnCheck::Number, .place = Place::FormAmount, .formText = m};
}
constexpr Field Code(const char* name, TextMember<W> m) {
  return {.name = name, .check = ColumnCheck::Box12Code, .message = name, .limit = 1, .place = Place::FormCode,
          .formText = m};
}
constexpr Field Text(const char* name, const char* label, int limit, TextMember<W> m) {
  return {.name = name, .check = ColumnCheck::LabelledLength, .message = label, .limit = limit,
          .place = Place::FormText, .formText = m, .kept = limit};
}
constexpr Field Flag(const char* name, const char* message, int32_t W::*m) {
  return {.name = name, .check = ColumnCheck::ZeroOrOne, .message = message, .place = Place::FormFlag,
          .formFlag = m};
}

#define CHECK_BOX_MESSAGE(label)                                                             \
  "The field \"" label "\" can only be set to 0 or 1. A value of  0 means that the check box " \
  "is un-checked while 1 means checked."

const std::array<Field, 48> kFields = {{
    {.name = "Employee Social Security Number (SSN).", .check = ColumnCheck::Identifying,
     .place = Place::PayeeText, .payeeText = E::Text::SocialSecurityNumber, .kept = 12},
    Name("Employee First Name.", ColumnCheck::Required,
         "Field too long: first name can't be more than %d characters long.", "First name can\x92t be empty.", 20,
         E::Text::FirstName, 20),
    Name("Employee Middle Name or Initial.", ColumnCheck::Length,
         "Field too long: middle name can't be more than %d characters long.", nullptr, 2, E::Text::MiddleName, 2),
    Name("Employee Last Name.", ColumnCheck::Required,
         "Field too long: last name can't be more than %d characters long.", "Last name can't be empty.", 20,
         E::Text::LastName, 20),
    Address("Employee Address 1.", "Address 1", 30, E::Text::Address1, 30),
    Address("Employee Address 2.", "Address 2", 30, E::Text::Address2, 30),
    Address("Employee City.", "City Name", 20, E::Text::City, 20),
    State("Employee State Abbreviation.", E::Text::State),
    Address("Employee Zip Code.", "Zip Code", 11, E::Text::Zip, 11),
    Amount("Box 1 (Wages, Tips and Other Compensation)", W::Text::Wages),
    Amount("Box 2 (Federal Income Tax Withheld)", W::Text::FederalIncomeTaxWithdrawal),
    Amount("Box 3 (Social Security Wages)", W::Text::SocialSecurityWages),
    Amount("Box 4 (Social Security Tax Withheld)", W::Text::SocialSecurityTaxWithheld),
    Amount("Box 5 (Medicare Wages and Tips)", W::Text::MedicareWages),
    Amount("Box 6 (Medicare Tax Withheld)", W::Text::MedicareTaxWithheld),
    Amount("Box 7 (Social Security Tips)", W::Text::SocialSecurityTips),
    Amount("Box 8 (Allocated Tips)", W::Text::AllocatedTips),
    Amount("Box 9 (Advance Earned Income Credit)", W::Text::AdvancEICPayment),
    Amount("Box 10 (Dependent Care Benefits)", W::Text::DependentCareBenefits),
    Amount("Box 11 (Nonqualified Plans)", W::Text::NonQualifiedPlans),
    Code("Box 12a Code", W::Text::Field12aCode),
    Amount("Box 12a Amount", W::Text::Field12aAmount),
    Code("Box 12b Code", W::Text::Field12bCode),
    Amount("Box 12b Amount", W::Text::Field12bAmount),
    Code("Box 12c Code", W::Text::Field12cCode),
    Amount("Box 12c Amount", W::Text::Field12cAmount),
    Code("Box 12d Code", W::Text::Field12dCode),
    Amount("Box 12d Amount", W::Text::Field12dAmount),
    Flag("Statutory employee", CHECK_BOX_MESSAGE("Statutory Employee"), &W::StatutoryEmployee),
    Flag("Retirement plan", CHECK_BOX_MESSAGE("Retirement Plan"), &W::RetirementPlan),
    Flag("Third-party sick pay", CHECK_BOX_MESSAGE("Third-party Sick Pay"), &W::ThirdPartySickpay),
    Text("Other Line 1", "Other Line 1", 14, W::Text::Other1),
    Text("Other Line 2", "Other Line 2", 14, W::Text::Other2),
    Text("Other Line 3", "Other Line 3", 14, W::Text::Other3),
    FormState("State(Line 1)", W::Text::State1),
    Text("Employer\x92s state ID number(Line 1)", "Employer\x92s state ID number", 15, W::Text::StateID1),
    Amount("State wages, tips, etc.(Line 1)", W::Text::StateWages1),
    Amount("State income tax(Line 1)", W::Text::StateIncomTax1),
    Amount("Local wages, tips, etc.(Line 1)", W::Text::LocalWages1),
    Amount("Local income tax(Line 1)", W::Text::LocalIncomeTax1),
    Text("Locality name(Line 1)", "Locality Name", 6, W::Text::LocalityName1),
    FormState("State(Line 2)", W::Text::State2),
    Text("Employer\x92s state ID number(Line 2)", "Employer\x92s state ID number", 15, W::Text::StateID2),
    Amount("State wages, tips, etc.(Line 2)", W::Text::StateWages2),
    Amount("State income tax(Line 2)", W::Text::StateIncomTax2),
    Amount("Local wages, tips, etc.(Line 2)", W::Text::LocalWages2),
    Amount("Local income tax(Line 2)", W::Text::LocalIncomeTax2),
    Text("Locality name(Line 2)", "Locality Name", 6, W::Text::LocalityName2),
}};

#undef CHECK_BOX_MESSAGE

// The code and the amount of each line of box 12, in the order of kBox12Lines.
constexpr std::array<FieldPair, 4> kBox12Pairs = {{{20, 21}, {22, 23}, {24, 25}, {26, 27}}};

}  // namespace

W2ImportFlavour::W2ImportFlavour(CGlobalDoc& doc, UiServices& ui, W2ListObserver* w2Page)
    : doc_(doc), ui_(ui), w2Page_(w2Page) {
  AddFields<E, W>(catalogue_, kFields);
  typed_ = TypedRules<E, W>(kFields, EmployeeFields(), W2Fields());
  // Added in this order, the menu lists them the other way round.
  catalogue_.AddGroup("State and Local", 34, 14);
  catalogue_.AddGroup("Federal", 9, 25);
  catalogue_.AddGroup("Employee Information", 0, 9);
  required_ = {kSocialSecurityNumber, kFirstName, kLastName};
}

void W2ImportFlavour::CheckValues(int field, const ImportColumn& column, ErrorReport& report) {
  if (!catalogue_.Contains(field)) return;
  if (field == kSocialSecurityNumber) {
    const PayeeBatch company = PayeeBatch::ForEmployees(doc_);
    CheckIdentifyingNumbers(
        column, company,
        "Duplicated social security number. This row and row # %d have the same social security number.",
        "Duplicated social security number. The company already includes an employee with the social "
        "security # : %s.",
        report, [&](size_t row, std::string_view value) {
          if (value.size() < 11)
            report.Add(row, "Value length is too short. Social security number should be 11 characters long "
                            "and formatted xxx-xx-xxxx.");
          if (value.size() > 11)
            report.Add(row, "Value length is too long. Social security number should be 11 characters long "
                            "and formatted xxx-xx-xxxx.");
          // Of the right length, it must be nine digits as xxx-xx-xxxx, and a number that is issued.
          if (value.size() == 11)
            if (const auto problem = EmployeeSsnProblem(value)) report.Add(row, *problem);
        });
  } else {
    CheckField(kFields[static_cast<size_t>(field)], typed_[static_cast<size_t>(field)], column, report);
  }
}

std::string W2ImportFlavour::StoredText(int field, std::string_view value) const {
  return catalogue_.Contains(field) ? ShownStoredText(kFields[static_cast<size_t>(field)], value)
                                    : std::string(value);
}

std::span<const FieldPair> W2ImportFlavour::Pairs() const { return kBox12Pairs; }

std::optional<std::string> W2ImportFlavour::PairProblem(size_t pair, std::string_view code,
                                                        std::string_view amount) const {
  if (pair >= kBox12Pairs.size()) return std::nullopt;
  return Box12LineProblem(kBox12Lines[pair], code, ImportedAmount(amount));
}

bool W2ImportFlavour::BeginLoad(size_t rows) {
  if (!doc_.AskAboutUnsavedEdits()) return false;
  Prepare(rows);
  return true;
}

void W2ImportFlavour::LoadDropped() {
  batch_.reset();
  if (w2Page_) w2Page_->OnW2Deleted();
}

void W2ImportFlavour::Prepare(size_t rows) {
  StartLoad(doc_);
  batch_ = PayeeBatch::ForEmployees(doc_);
  // Room for every row at once: the lists do not move while they grow.
  doc_.ReserveRecords<EmployeeRecord>(rows);
  doc_.ReserveRecords<W2Record>(rows);
}

RowLoad W2ImportFlavour::LoadRow(const std::vector<std::string>& values, bool saveNow) {
  if (!batch_) Prepare(1);
  EmployeeRecord employee;
  W2Record w2;
  FillRecords<E, W>(kFields, values, employee, w2);
  const auto added = AddEmployee(doc_, ui_, employee, false, true, false, &w2, w2Page_, &*batch_);
  RowLoad row{added.Done(), {}, added.saveCode};
  // The message of the employee check that dropped the row.
  if (!row.added) row.reason = NewEmployeeProblem(doc_.GetEmployees(), employee, &*batch_).value_or("");
  if (saveNow) {
    // The batch's numbers are not needed by the save: they go first.
    batch_.reset();
    row.saveCode = SaveAndRefresh(doc_, ui_);
  }
  return row;
}

}  // namespace formet
