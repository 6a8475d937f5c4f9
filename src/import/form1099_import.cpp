#include "import/form1099_import.h"

#include <array>

#include "forms/1099/form1099_page_rules.h"
#include "import/import_fields.h"
#include "records/contractors.h"
#include "store/global_doc.h"

namespace formet {
namespace {

using C = ContractorRecord;
using F = Form1099Record;
using Field = ImportField<C, F>;

constexpr Field Line(const char* name, ColumnCheck check, const char* message, const char* empty,
                     TextMember<C> m) {
  return {.name = name, .check = check, .message = message, .empty = empty, .limit = 38,
          .place = Place::PayeeText, .payeeText = m, .kept = 40};
}
constexpr Field Address(const char* name, const char* label, int limit, TextMember<C> m) {
  return {.name = name, .check = ColumnCheck::LabelledLength, .message = label, .limit = limit,
          .place = Place::PayeeText, .payeeText = m, .kept = limit};
}
constexpr Field Amount(const char* name, TextMember<F> m) {
  return {.name = name, .check = ColumnCheck::Number, .place = Place::FormAmount, .formText = m};
}
constexpr Field StateNumber(const char* name, TextMember<F> m) {
  return {.name = name, .check = ColumnCheck::LabelledLength, .message = "State/Payer's state no.", .limit = 15,
          .place = Place::FormText, .formText = m, .kept = 15};
}

#define CHECK_BOX_MEANING \
  " can only be set to 0 or 1. A value of  0 means that the check box is un-checked while 1 means checked."

const std::array<Field, 30> kFields = {{
    {.name = "Recipient's Identification number", .check = ColumnCheck::Identifying, .place = Place::PayeeText,
     .payeeText = C::Text::IdentificationNumber, .kept = 11},
    Line("Recipient's Name (Line One)", ColumnCheck::Required,
         "Field too long: name (line one) can't be more than %d characters long.",
         "Recipient's name (line one) can't be empty.", C::Text::NameLine1),
    Line("Recipient's Name (Line Two)", ColumnCheck::Length,
         "Field too long: name (line two) can't be more than %d characters long.", nullptr, C::Text::NameLine2),
    Address("Recipient's Address1", "Address 1", 30, C::Text::Address1),
    Address("Recipient's Address2", "Address 2", 30, C::Text::Address2),
    Address("Recipient's City", "City Name", 20, C::Text::City),
    {.name = "Recipient's State", .check = ColumnCheck::State, .place = Place::PayeeText, .payeeText = C::Text::State,
     .kept = 2},
    Address("Recipient's Zip Code", "Zip Code", 11, C::Text::Zip),
    Address("Account Number", "Account Number", 12, C::Text::AccountNumber),
    Amount("Box 1 (Rents)", F::Text::Rents),
    Amount("Box 2 (Royalties)", F::Text::Royalities),
    Amount("Box 3 (Other income)", F::Text::OtherIncome),
    Amount("Box 4 (Federal income tax withheld)", F::Text::FederalIncomeTaxWithheld),
    Amount("Box 5 (Fishing boat proceeds)", F::Text::FishingBoatProceeds),
    Amount("Box 6 (Medical and health care payments)", F::Text::MedicalAndHealthCarePayments),
    Amount("Box 7 (Nonemployee compensation)", F::Text::NonemployeeCompensation),
    Amount("Box 8 (Substitute payments in lieu of dividends or interest)", F::Text::SubstitutePayments),
    {.name = "Box 9 (Payer made direct sales of $5,000 or more...)", .check = ColumnCheck::ZeroOrOne,
     .message = "Box 9" CHECK_BOX_MEANING, .place = Place::FormFlag, .formFlag = &F::PayerMadeDirectSales},
    Amount("Box 10 (Crop insurance proceeds)", F::Text::CropInsuranceProceeds),
    Amount("Box 13 (Excess golden parachute payments)", F::Text::ExcessGoldenParachutePayments),
    Amount("Box 14 (Gross proceeds paid to an attorney)", F::Text::GrossProceedsPaidToAttorney),
    Amount("Box 15a (Section 409A deferrals)", F::Text::Field15A),
    Amount("Box 15b (Section 409A income)", F::Text::Field15B),
    Amount("Box 16 (State tax withheld) Line 1", F::Text::StateTaxWithheld1),
    StateNumber("Box 17 (State/Payer's state no.) Line 1", F::Text::PayerStateID1),
    Amount("Box 18 (State income) Line 1", F::Text::StateIncome1),
    Amount("Box 16 (State tax withheld) Line 2", F::Text::StateTaxWithheld2),
    StateNumber("Box 17 (State/Payer's state no.) Line 2", F::Text::PayerStateID2),
    Amount("Box 18 (State income) Line 2", F::Text::StateIncome2),
    {.name = "2nd TIN not.", .check = ColumnCheck::ZeroOrOne, .message = "The field \"2nd TIN not.\"" CHECK_BOX_MEANING,
     .place = Place::PayeeFlag, .payeeFlag = &C::SecondTIN},
}};

#undef CHECK_BOX_MEANING

}  // namespace

Form1099ImportFlavour::Form1099ImportFlavour(CGlobalDoc& doc, UiServices& ui, Form1099ListObserver* formPage)
    : doc_(doc), ui_(ui), formPage_(formPage) {
  AddFields<C, F>(catalogue_, kFields);
  typed_ = TypedRules<C, F>(kFields, ContractorFields(), Form1099Fields());
  catalogue_.AddGroup("Reported Amounts", 9, 21);
  catalogue_.AddGroup("Recipient Information", 0, 9);
  required_ = {kIdentificationNumber, kNameLine1};
}

void Form1099ImportFlavour::CheckValues(int field, const ImportColumn& column, ErrorReport& report) {
  if (!catalogue_.Contains(field)) return;
  if (field == kIdentificationNumber) {
    // No lower limit and no emptiness check: a row without a number passes
    // here and is dropped by the contractor check when it is loaded.
    const PayeeBatch company = PayeeBatch::ForContractors(doc_);
    CheckIdentifyingNumbers(
        column, company,
        "Duplicated Identification Number. This row and row # %d have the same social security number.",
        "Duplicated Identification Number. The company already includes a contractor identification number : %s.",
        report, [&](size_t row, std::string_view value) {
          if (value.size() > 11)
            report.Add(row,
                       "Value length is too long. Identification Number can't be more than 11 characters long.");
          // The characters the Contractor dialog's number refuses.
          if (typed_[kIdentificationNumber])
            if (const auto problem = TypedValueProblem(*typed_[kIdentificationNumber], value))
              report.Add(row, *problem);
        });
  } else {
    CheckField(kFields[static_cast<size_t>(field)], typed_[static_cast<size_t>(field)], column, report);
  }
}

std::string Form1099ImportFlavour::StoredText(int field, std::string_view value) const {
  return catalogue_.Contains(field) ? ShownStoredText(kFields[static_cast<size_t>(field)], value)
                                    : std::string(value);
}

bool Form1099ImportFlavour::BeginLoad(size_t rows) {
  if (!doc_.AskAboutUnsavedEdits()) return false;
  Prepare(rows);
  return true;
}

void Form1099ImportFlavour::LoadDropped() {
  batch_.reset();
  if (formPage_) formPage_->OnForm1099Deleted();
}

void Form1099ImportFlavour::Prepare(size_t rows) {
  StartLoad(doc_);
  batch_ = PayeeBatch::ForContractors(doc_);
  // Room for every row at once: the lists do not move while they grow.
  doc_.ReserveRecords<ContractorRecord>(rows);
  doc_.ReserveRecords<Form1099Record>(rows);
}

RowLoad Form1099ImportFlavour::LoadRow(const std::vector<std::string>& values, bool saveNow) {
  if (!batch_) Prepare(1);
  ContractorRecord contractor;
  Form1099Record form;
  FillRecords<C, F>(kFields, values, contractor, form);
  const auto added = AddContractor(doc_, ui_, contractor, false, true, false, &form, formPage_, &*batch_);
  RowLoad row{added.Done(), {}, added.saveCode};
  // The message of the contractor check that dropped the row.
  if (!row.added) row.reason = NewContractorProblem(doc_.GetContractors(), contractor, &*batch_).value_or("");
  if (saveNow) {
    // The batch's numbers are not needed by the save: they go first.
    batch_.reset();
    row.saveCode = SaveAndRefresh(doc_, ui_);
  }
  return row;
}

}  // namespace formet
