#include "records/company_setup.h"

#include <array>
#include <cassert>

#include "records/identifying_numbers.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {
namespace {

using R = CompanyRecord;
using F = FieldSpec<R>;
using K = FieldKind;

constexpr std::string_view kPhoneMask = "(###) ###-####";
constexpr std::string_view kEinMask = "##-#######";

// Text fields: `typed` characters can be typed, `kept` reach the record.
constexpr F Text(int tab, const char* label, const char* column, TextMember<R> m, int typed, int kept,
                 std::string_view refused = kStandardExclusion) {
  return {.tab = tab, .label = label, .column = column, .kind = K::Text, .text = m, .maxLength = typed,
          .refused = refused, .capacity = kept};
}
constexpr F Mask(int tab, const char* label, const char* column, TextMember<R> m, std::string_view mask,
                 int kept) {
  return {.tab = tab, .label = label, .column = column, .kind = K::Mask, .text = m, .mask = mask, .capacity = kept};
}
constexpr F Check(int tab, const char* label, const char* column, int32_t R::*m) {
  return {.tab = tab, .label = label, .column = column, .kind = K::CheckBox, .number = m};
}

#define COL(c) #c, R::Text::c
#define NUM(c) #c, &R::c

const std::array<F, 26> kFields = {
    // General Information
    Text(kGeneralTab, "Employer Name", COL(EmployerName), 30, 30, kNameExclusion),
    Text(kGeneralTab, "Address1", COL(Address1), 30, 30),
    Text(kGeneralTab, "Address2", COL(Address2), 30, 30),
    Text(kGeneralTab, "City", COL(City), 20, 20),
    F{.tab = kGeneralTab, .label = "State", .column = "State", .kind = K::StateList, .text = R::Text::State, .capacity = 2},
    Mask(kGeneralTab, "Zip code", COL(Zip), "#####-####", 11),
    Mask(kGeneralTab, "Employer identification number", COL(EmployerIdentificationNumber), kEinMask, 15),
    Text(kGeneralTab, "Employer state ID", COL(StateID), 15, 15),
    Mask(kGeneralTab, "Social security number\n(If Applicable)", COL(SocialSecurityNumber), "###-##-####", 12),
    // W3 Information
    Text(kW3Tab, "Control number", COL(FormW3ControlNumber), 20, 20),
    Text(kW3Tab, "Establishment number", COL(FormW3EstablishmentNumber), 4, 20),
    Mask(kW3Tab, "Other EIN used this year", COL(FormW3OtherEIN), kEinMask, 16),
    F{.tab = kW3Tab, .label = "Kind of Payer", .column = "FormW3RadioKindOfPayer", .kind = K::KindOfPayer,
      .number = &R::FormW3RadioKindOfPayer},
    Check(kW3Tab, "Third-party sick pay", NUM(FormW3CheckThirdPartySickPay)),
    Text(kW3Tab, "", COL(FormW3ThirdPartySickPay), 30, 30),
    F{.tab = kW3Tab, .label = "Income tax withheld by  payer of \nthird-party sick pay",
      .column = "FormW3IncomeTaxWithHeld", .kind = K::Amount, .text = R::Text::FormW3IncomeTaxWithHeld, .wholeDigits = kAmountWholeDigits,
      .decimals = kAmountDecimalsKept, .capacity = 20},
    Text(kW3Tab, "Contact person", COL(FormW3ContactName), 30, 20, kPersonNameExclusion),
    Text(kW3Tab, "E-mail address", COL(FormW3Email), 40, 40),
    Mask(kW3Tab, "Telephone number", COL(FormW3Telephone), kPhoneMask, 16),
    Mask(kW3Tab, "Fax number", COL(FormW3Fax), kPhoneMask, 16),
    // 1096 Information
    Text(k1096Tab, "Name of person to contact", COL(Form1096ContactName), 30, 20, kPersonNameExclusion),
    Mask(k1096Tab, "Telephone number", COL(Form1096Telephone), kPhoneMask, 16),
    Text(k1096Tab, "E-mail address", COL(Form1096Email), 40, 40),
    Mask(k1096Tab, "Fax number", COL(Form1096Fax), kPhoneMask, 16),
    Text(k1096Tab, "Filer's Name (if different from company name)", COL(Form1096FilerName), 59, 59,
         kPersonNameExclusion),
    Check(k1096Tab, "Is this your final return", NUM(Form1096CheckIsThisYourFinalReturn)),
};

#undef COL
#undef NUM

constexpr std::array<const char*, 3> kTabCaptions = {"General Information", "W3 Information", "1096 Information"};

const std::string kEmptyEmployerName = "\"Employer Name\" in the \"General Information\" pane can't be empty!";
const std::string kUpdateQuestion = "Are you sure you want to save the current fields?";
const std::string kResetQuestion = "Are you sure you want to reset all fields to their initial values?";
const std::string kClearQuestion = "Are you sure you want to clear the values of all fields?";

}  // namespace

std::span<const char* const> CompanyTabCaptions() { return kTabCaptions; }
std::span<const FieldSpec<CompanyRecord>> CompanyFields() { return kFields; }

size_t CompanyFieldIndex(TextMember<CompanyRecord> member) {
  const auto i = FieldIndex(CompanyFields(), member);
  assert(i);
  return i.value_or(0);
}

size_t CompanyFieldIndex(int32_t CompanyRecord::*member) {
  const auto i = FieldIndex(CompanyFields(), member);
  assert(i);
  return i.value_or(0);
}

PageValues LoadCompanyPages(const CompanyRecord& record) { return LoadValues(CompanyFields(), record, -1); }

void SaveCompanyPages(const PageValues& values, CompanyRecord& record) {
  StoreValues(CompanyFields(), values, record);
}

void ClearCompanyPages(PageValues& values) {
  values.resize(kFields.size());
  for (size_t i = 0; i < kFields.size(); ++i) {
    auto& v = values[i];
    switch (kFields[i].kind) {
      case K::StateList:
      case K::KindOfPayer: v.choice = 0; break;
      case K::CheckBox:
        if (kFields[i].number == &R::FormW3CheckThirdPartySickPay) v.choice = 0;
        break;
      default: v.text.clear(); break;
    }
  }
}

namespace {

bool RefuseEmptyEmployerName(UiServices& ui, const PageValues& values) {
  const size_t name = CompanyFieldIndex(R::Text::EmployerName);
  // A name of nothing but spaces is no name.
  if (name < values.size() && !IsBlank(values[name].text)) return false;
  ui.ShowError(kEmptyEmployerName);
  return true;
}

}  // namespace

ChangeResult UpdateCompany(CGlobalDoc& doc, UiServices& ui, const PageValues& values) {
  if (RefuseEmptyEmployerName(ui, values)) return {Outcome::Refused};
  if (!ui.AskYesNo(kUpdateQuestion)) return {Outcome::Declined};
  return ApplyCompanyPages(doc, ui, values);
}

bool CompanyPagesEdited(CGlobalDoc& doc, const PageValues& values) {
  return values != LoadCompanyPages(doc.GetCompany());
}

bool AskAboutCompanyEdits(CGlobalDoc& doc, UiServices& ui, const PageValues& values) {
  if (!CompanyPagesEdited(doc, values)) return true;
  switch (ui.AskYesNoCancel("Save the changes to the company setup?")) {
    case Answer::Cancel: return false;
    case Answer::No: return true;
    case Answer::Yes: break;
  }
  const ChangeResult result = ApplyCompanyPages(doc, ui, values);
  if (!result.Done()) return false;
  if (result.saveCode != 0) {
    ui.ShowError(SaveFailureMessage(result.saveCode, &doc.Journal()));
    return false;
  }
  return true;
}

ChangeResult ApplyCompanyPages(CGlobalDoc& doc, UiServices& ui, const PageValues& values) {
  if (RefuseEmptyEmployerName(ui, values)) return {Outcome::Refused};
  CompanyRecord record = doc.GetCompany();
  SaveCompanyPages(values, record);
  doc.ChangeRow(record);
  doc.SetWindowTitle(record.EmployerName());
  doc.RefreshAllViews();
  const int code = doc.SaveChanges();
  return {Outcome::Done, code, record.CompanyUniqueID};
}

bool ResetCompany(CGlobalDoc& doc, UiServices& ui, PageValues& values) {
  if (!ui.AskYesNo(kResetQuestion)) return false;
  ui.BeginWaitCursor();
  values = LoadCompanyPages(doc.GetCompany());
  doc.SetWindowTitle(doc.GetCompany().EmployerName());
  ui.EndWaitCursor();
  return true;
}

bool ClearCompany(CGlobalDoc& doc, UiServices& ui, PageValues& values) {
  if (!ui.AskYesNo(kClearQuestion)) return false;
  ClearCompanyPages(values);
  doc.SetWindowTitle(doc.GetCompany().EmployerName());
  return true;
}

std::optional<std::string> NewCompanyDialogRules::OnEmployerNameChanged(const std::string& employerName) const {
  if (legalNameTyped_) return std::nullopt;
  return employerName;
}

bool NewCompanyDialogRules::OnOk(UiServices& ui, const std::string& employerName) const {
  if (!IsBlank(employerName)) return true;
  ui.ShowMessage("Please enter a name for the new company");
  return false;
}

}  // namespace formet
