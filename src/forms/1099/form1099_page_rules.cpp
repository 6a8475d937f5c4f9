#include "forms/1099/form1099_page_rules.h"

#include <array>
#include <cassert>

#include "forms/money.h"
#include "records/contractors.h"
#include "store/ui_services.h"

namespace formet {
namespace {

using R = Form1099Record;
using F = FieldSpec<R>;
using K = FieldKind;

constexpr F Amount(const char* label, const char* column, TextMember<R> m) {
  return {.label = label, .column = column, .kind = K::Amount, .text = m, .wholeDigits = kAmountWholeDigits, .decimals = 4,
          .capacity = 20};
}
constexpr F Text(const char* label, const char* column, TextMember<R> m, int width) {
  return {.label = label, .column = column, .kind = K::Text, .text = m, .maxLength = width,
          .refused = kStandardExclusion, .capacity = width};
}

#define COL(c) #c, R::Text::c

const std::array<F, 20> kFields = {
    Amount("1 Rents", COL(Rents)),
    Amount("2 Royalties", COL(Royalities)),
    Amount("3 Other income", COL(OtherIncome)),
    Amount("4 Federal income tax withheld", COL(FederalIncomeTaxWithheld)),
    Amount("5 Fishing boat proceeds", COL(FishingBoatProceeds)),
    Amount("6 Medical and health care payments", COL(MedicalAndHealthCarePayments)),
    Amount("7 Nonemployee compensation", COL(NonemployeeCompensation)),
    Amount("8 Substitute payments in lieu of dividends or interest", COL(SubstitutePayments)),
    F{.label = "9 Payer made direct sales of $5,000 or more of consumer products to a buyer (recipient) for resale",
      .column = "PayerMadeDirectSales", .kind = K::CheckBox, .number = &R::PayerMadeDirectSales},
    Amount("10 Crop insurance proceeds", COL(CropInsuranceProceeds)),
    Amount("13 Excess golden parachute payments", COL(ExcessGoldenParachutePayments)),
    Amount("14 Gross proceeds paid to an attorney", COL(GrossProceedsPaidToAttorney)),
    Amount("15a Section 409A deferrals", COL(Field15A)),
    Amount("15b Section 409A income", COL(Field15B)),
    Amount("16 State tax withheld, line 1", COL(StateTaxWithheld1)),
    Amount("16 State tax withheld, line 2", COL(StateTaxWithheld2)),
    Text("17 State/Payer's state no., line 1", COL(PayerStateID1), 15),
    Text("17 State/Payer's state no., line 2", COL(PayerStateID2), 15),
    Amount("18 State income, line 1", COL(StateIncome1)),
    Amount("18 State income, line 2", COL(StateIncome2)),
};

#undef COL

const FormPageTexts kTexts = {
    .noPayees = kNoContractorsMessage,
    .selectPrompt =
        "Would you like to save the changes you did to this contractor before selecting a different one?",
    .nextPrompt = "Would you like to save the changes you did to this contractor before moving to the next one?",
    .previousPrompt =
        "Would you like to save the changes you did to this Contractor before moving to the previous one?",
    .hidePrompt = "Would you like to save the changes you have done to this contractor before navigating away from "
                  "this form?",
    .firstNote = "This is the first contractor in the list!",
    .lastNote = "This is the last contractor in the list!",
    .selectCaption = "Select Contractor",
    .noFormNotice =
        "This contractor has no 1099-MISC form in the company file, so nothing can be entered for them here.",
    .noFormToSave = "There is no 1099-MISC form to save: this contractor has no 1099-MISC form in the company file.",
    .noPayeeToSave = "There is no 1099-MISC form to save: this company has no contractors.",
};

}  // namespace

std::span<const FieldSpec<Form1099Record>> Form1099Fields() { return kFields; }

size_t Form1099FieldIndex(TextMember<Form1099Record> member) {
  const auto i = FieldIndex(Form1099Fields(), member);
  assert(i);
  return i.value_or(0);
}

size_t Form1099FieldIndex(int32_t Form1099Record::*member) {
  const auto i = FieldIndex(Form1099Fields(), member);
  assert(i);
  return i.value_or(0);
}

bool Is1099Amount(size_t field) { return field < kFields.size() && kFields[field].kind == K::Amount; }

bool SameForm1099Boxes(const Form1099Record& a, const Form1099Record& b) {
  for (const auto& f : kFields) {
    if (f.text && f.text.In(a) != f.text.In(b)) return false;
    if (f.number && a.*f.number != b.*f.number) return false;
  }
  return true;
}

const std::string& FormTypeMessage() {
  static const std::string text =
      "Only 1099 Misc Forms are supported at this point.\n\n"
      "Support for 1099 INT, 1099 DIV and 1099 R will be added soon.\n\n"
      "If you need one of these forms now, please tell us which: write to support@quorvane.example, and we will "
      "let you know as soon as it is available.";
  return text;
}

Form1099PageRules::Form1099PageRules(CGlobalDoc& doc, UiServices& ui)
    : FormPageRules(doc, ui, kTexts, kFields.size()) {}

size_t Form1099PageRules::PayeeCount() const { return doc_.GetContractors().size(); }

int Form1099PageRules::FindForm(int position) {
  const auto& contractors = doc_.GetContractors();
  if (position < 0 || static_cast<size_t>(position) >= contractors.size()) return -1;
  return lookup_.Find(doc_.GetForms1099(), &Form1099Record::ContractorUniqueID,
                      contractors[static_cast<size_t>(position)].ContractorUniqueID);
}

void Form1099PageRules::FillParties(int position) {
  parties_ = {};
  if (position < 0) return;
  const CompanyRecord& c = doc_.GetCompany();
  parties_.payerName = c.EmployerName();
  parties_.payerAddress1 = c.Address1();
  parties_.payerAddress2 = c.Address2();
  parties_.payerCity = c.City();
  parties_.payerState = c.State();
  parties_.payerZip = c.Zip();
  parties_.payerTelephone = c.Form1096Telephone();
  parties_.payerFederalId =
      c.EmployerIdentificationNumber().empty() ? c.SocialSecurityNumber() : c.EmployerIdentificationNumber();
  const ContractorRecord& r = doc_.GetContractors()[static_cast<size_t>(position)];
  const NameLines names = ContractorNameLines(r);
  parties_.recipientId = r.IdentificationNumber();
  parties_.recipientName1 = names.line1;
  parties_.recipientName2 = names.line2;
  parties_.recipientAddress1 = r.Address1();
  parties_.recipientAddress2 = r.Address2();
  parties_.recipientCity = r.City();
  parties_.recipientState = r.State();
  parties_.recipientZip = r.Zip();
  parties_.accountNumber = r.AccountNumber();
  parties_.secondTin = r.SecondTIN != 0;
}

PageValues Form1099PageRules::FormValues(int form) const {
  Form1099Record shown = doc_.GetForms1099()[static_cast<size_t>(form)];
  for (size_t i = 0; i < kFields.size(); ++i)
    if (Is1099Amount(i)) kFields[i].text.Set(shown, NormalizeMoney(kFields[i].text.In(shown)));
  return LoadValues(Form1099Fields(), shown, -1);
}

PageValues Form1099PageRules::EmptyValues() const { return LoadValues(Form1099Fields(), Form1099Record{}, -1); }

void Form1099PageRules::OnLeave(size_t field) {
  if (Is1099Amount(field)) Set(field, NormalizeMoney(Value(field).text));
}

std::optional<Form1099Record> Form1099PageRules::PageRecord() const {
  if (!HasForm()) return std::nullopt;
  const Form1099Record& stored = doc_.GetForms1099()[static_cast<size_t>(CurrentForm())];
  // A fresh record: the box texts (cut to the record's widths) and box 9; the
  // extra texts empty.
  Form1099Record built;
  built.Form1099UniqueID = stored.Form1099UniqueID;
  built.ContractorUniqueID = stored.ContractorUniqueID;
  built.SetGenearlInformation(stored.GenearlInformation());
  StoreValues(Form1099Fields(), Values(), built);
  return built;
}

SaveResult Form1099PageRules::Store(int form) {
  const auto built = PageRecord();
  const auto& forms = doc_.GetForms1099();
  if (!built || SameForm1099Boxes(*built, forms[static_cast<size_t>(form)])) return {SaveOutcome::Unchanged, 0};
  return Commit(form, *built);
}

void Form1099PageRules::ShowPayeePage() { ui_.ShowContractorsPage(); }

void Form1099PageRules::SelectFormType() { ui_.ShowMessage(FormTypeMessage()); }

RowChoice Form1099PageRules::SelectChoice() const {
  RowChoice choice;
  choice.caption = Texts().selectCaption;
  choice.columns = {{"Name Line One", 190}, {"Name Line Two", 190}, {"TIN", 90}};
  for (const auto& c : doc_.GetContractors()) {
    const NameLines names = ContractorNameLines(c);
    choice.rows.push_back({names.line1, names.line2, c.IdentificationNumber()});
  }
  choice.searchNames = {0, 1};
  choice.searchNumber = 2;
  choice.sortColumn = sortColumn_;
  choice.ascending = ascending_;
  return choice;
}

void Form1099PageRules::KeepChoiceOrder(const RowChoiceAnswer& answer) {
  sortColumn_ = answer.sortColumn;
  ascending_ = answer.ascending;
}

}  // namespace formet
