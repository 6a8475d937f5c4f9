#include "forms/1099/form1099_corrections.h"

#include <algorithm>
#include <unordered_set>

#include "forms/efile_common.h"
#include "forms/fixed_width.h"
#include "forms/record_as_filed.h"
#include "forms/money.h"
#include "records/contractors.h"
#include "store/global_doc.h"

namespace formet {
namespace {

using T = Form1099Record::Text;

// The money boxes reported to the IRS (1-8, 10, 13, 14, 15a, 15b).
constexpr T kIrsMoney[] = {T::Rents,
                           T::Royalities,
                           T::OtherIncome,
                           T::FederalIncomeTaxWithheld,
                           T::FishingBoatProceeds,
                           T::MedicalAndHealthCarePayments,
                           T::NonemployeeCompensation,
                           T::SubstitutePayments,
                           T::CropInsuranceProceeds,
                           T::ExcessGoldenParachutePayments,
                           T::GrossProceedsPaidToAttorney,
                           T::Field15A,
                           T::Field15B};
// The state boxes: 16 and 18 are money, 17 the payer's state number.
constexpr T kStateMoney[] = {T::StateTaxWithheld1, T::StateTaxWithheld2, T::StateIncome1, T::StateIncome2};
constexpr T kStateTexts[] = {T::PayerStateID1, T::PayerStateID2};

constexpr Form1099ErrorRule kRules[] = {
    {Form1099Error::Amount, Form1099Procedure::OneReturn, "a money amount"},
    {Form1099Error::CodeOrCheckBox, Form1099Procedure::OneReturn, "a code or check box"},
    {Form1099Error::Address, Form1099Procedure::OneReturn, "the payee's address"},
    {Form1099Error::NameAlone, Form1099Procedure::OneReturn, "the payee's name"},
    {Form1099Error::NotToBeFiled, Form1099Procedure::OneReturn, "a form that should not have been filed"},
    {Form1099Error::NoTin, Form1099Procedure::TwoReturns, "no payee TIN"},
    {Form1099Error::WrongTin, Form1099Procedure::TwoReturns, "the payee's TIN"},
    {Form1099Error::NameAndAddress, Form1099Procedure::TwoReturns, "the payee's name and address"},
    {Form1099Error::StateOnly, Form1099Procedure::OneReturn, "the state boxes only"},
    {Form1099Error::Other, Form1099Procedure::OneReturn, "the account number"},
};

bool SameCents(const Form1099Record& a, const Form1099Record& b, T box) {
  return ParseMoneyCents(a.TextAt(box)) == ParseMoneyCents(b.TextAt(box));
}

bool SameName(const ContractorRecord& a, const ContractorRecord& b) {
  return ContractorNameLines(a) == ContractorNameLines(b);
}

bool SameAddress(const ContractorRecord& a, const ContractorRecord& b) {
  return a.Address1() == b.Address1() && a.Address2() == b.Address2() && a.City() == b.City() &&
         a.State() == b.State() && a.Zip() == b.Zip();
}

bool AllZero(const Form1099Record& form) {
  for (T box : kIrsMoney)
    if (ParseMoneyCents(form.TextAt(box)) != 0) return false;
  for (T box : kStateMoney)
    if (ParseMoneyCents(form.TextAt(box)) != 0) return false;
  return true;
}

void Add(std::vector<Form1099Error>& errors, Form1099Error e) {
  if (std::find(errors.begin(), errors.end(), e) == errors.end()) errors.push_back(e);
}

Form1099Correction MakeCorrection(const Filed1099& filed, const ContractorRecord* contractor,
                                  const Form1099Record* form, std::vector<Form1099Error> errors) {
  std::sort(errors.begin(), errors.end());
  Form1099Correction c;
  c.contractorId = filed.contractor.ContractorUniqueID;
  c.payee = ContractorDisplayName(contractor ? *contractor : filed.contractor);
  c.previouslyFiledOn = filed.filedOn;
  c.errors = errors;
  c.removed = !contractor || !form;
  c.toIrs = !(errors.size() == 1 && errors.front() == Form1099Error::StateOnly);
  for (Form1099Error e : errors)
    if (RuleOf(e).procedure == Form1099Procedure::TwoReturns) c.procedure = Form1099Procedure::TwoReturns;
  if (c.removed) {
    // Corrected to zero: the form as filed, every amount 0.
    c.returns.push_back({0, true, 'G', true, filed.contractor, ZeroAmounts(filed.form)});
  } else if (c.procedure == Form1099Procedure::TwoReturns) {
    c.returns.push_back({1, true, 'G', true, filed.contractor, ZeroAmounts(filed.form)});
    c.returns.push_back({2, false, 'C', false, *contractor, *form});
  } else {
    c.returns.push_back({0, true, 'G', false, *contractor, *form});
  }
  return c;
}

}  // namespace

std::span<const Form1099ErrorRule> Form1099ErrorRules() { return kRules; }

const Form1099ErrorRule& RuleOf(Form1099Error error) {
  for (const auto& rule : kRules)
    if (rule.error == error) return rule;
  return kRules[0];
}

Form1099Record ZeroAmounts(const Form1099Record& form) {
  Form1099Record zero = form;
  for (T box : kIrsMoney) zero.SetTextAt(box, "0.00");
  for (T box : kStateMoney)
    if (!form.TextAt(box).empty()) zero.SetTextAt(box, "0.00");
  return zero;
}

std::vector<Form1099Error> Compare1099(const Filed1099& filed, const ContractorRecord* contractor,
                                       const Form1099Record* form) {
  std::vector<Form1099Error> errors;
  if (!contractor || !form) {
    // Deleted after filing; nothing more when the last filing already
    // corrected it to zero.
    if (!(filed.as == FiledAs::Correction && AllZero(filed.form))) errors.push_back(Form1099Error::NotToBeFiled);
    return errors;
  }
  const ContractorRecord& was = filed.contractor;
  const std::string tinWas = efile::DigitsOf(was.IdentificationNumber());
  if (tinWas != efile::DigitsOf(contractor->IdentificationNumber()))
    Add(errors, tinWas.empty() ? Form1099Error::NoTin : Form1099Error::WrongTin);
  const bool name = !SameName(was, *contractor), address = !SameAddress(was, *contractor);
  if (name && address) Add(errors, Form1099Error::NameAndAddress);
  else if (name) Add(errors, Form1099Error::NameAlone);
  else if (address) Add(errors, Form1099Error::Address);
  for (T box : kIrsMoney)
    if (!SameCents(filed.form, *form, box)) Add(errors, Form1099Error::Amount);
  if ((filed.form.PayerMadeDirectSales != 0) != (form->PayerMadeDirectSales != 0) ||
      (was.SecondTIN != 0) != (contractor->SecondTIN != 0))
    Add(errors, Form1099Error::CodeOrCheckBox);
  if (was.AccountNumber() != contractor->AccountNumber()) Add(errors, Form1099Error::Other);
  bool state = false;
  for (T box : kStateMoney) state = state || !SameCents(filed.form, *form, box);
  for (T box : kStateTexts) state = state || filed.form.TextAt(box) != form->TextAt(box);
  if (state) Add(errors, Form1099Error::StateOnly);
  // A state box beside a change the IRS sees travels with that change.
  if (state && errors.size() > 1) errors.erase(std::find(errors.begin(), errors.end(), Form1099Error::StateOnly));
  return errors;
}

Form1099CorrectionList BuildForm1099Corrections(const std::vector<ContractorRecord>& contractors,
                                                const std::vector<Form1099Record>& forms,
                                                const std::vector<Filed1099>& filed) {
  Form1099CorrectionList list;
  const auto formOf = [&](int32_t id) -> const Form1099Record* {
    for (const auto& f : forms)
      if (f.ContractorUniqueID == id) return &f;
    return nullptr;
  };
  std::unordered_set<int32_t> seen;
  for (const auto& contractor : contractors) {
    const Filed1099* was = LatestFiledFor(filed, contractor.ContractorUniqueID);
    if (!was) continue;
    seen.insert(contractor.ContractorUniqueID);
    const Form1099Record* form = formOf(contractor.ContractorUniqueID);
    auto errors = Compare1099(*was, &contractor, form);
    if (!errors.empty()) list.corrections.push_back(MakeCorrection(*was, &contractor, form, std::move(errors)));
  }
  // Payees deleted after filing, in the order they were filed.
  for (const auto& row : filed) {
    const int32_t id = row.contractor.ContractorUniqueID;
    if (!seen.insert(id).second) continue;
    const Filed1099* was = LatestFiledFor(filed, id);
    auto errors = Compare1099(*was, nullptr, nullptr);
    if (!errors.empty()) list.corrections.push_back(MakeCorrection(*was, nullptr, nullptr, std::move(errors)));
  }
  for (const auto& c : list.corrections)
    if (!c.toIrs)
      list.notes.push_back("Only the state boxes of the 1099-MISC of " + c.payee +
                           " changed: the corrected form goes to the state and the payee, not to the IRS.");
  return list;
}

std::vector<const Corrected1099Return*> ReturnsToIrs(const Form1099CorrectionList& list) {
  std::vector<const Corrected1099Return*> returns;
  for (const auto& c : list.corrections)
    if (c.toIrs)
      for (const auto& r : c.returns) returns.push_back(&r);
  return returns;
}

Form1096Totals Compute1096CorrectionTotals(const Form1099CorrectionList& list) {
  std::vector<Form1099Record> forms;
  for (const Corrected1099Return* r : ReturnsToIrs(list)) forms.push_back(r->form);
  return Compute1096Totals(forms);
}

std::vector<efile::Irs1099Return> ReturnsForFile(const Form1099CorrectionList& list) {
  std::vector<efile::Irs1099Return> returns;
  for (const Corrected1099Return* r : ReturnsToIrs(list)) returns.push_back({&r->contractor, &r->form, r->fileCode});
  return returns;
}

bool HasTwoReturnCorrections(const Form1099CorrectionList& list) {
  return std::any_of(list.corrections.begin(), list.corrections.end(), [](const Form1099Correction& c) {
    return c.toIrs && c.procedure == Form1099Procedure::TwoReturns;
  });
}

Form1096Page BuildCorrection1096Page(const CompanyRecord& company, const Form1099CorrectionList& list) {
  Form1096Page page = Build1096Page(company, Compute1096CorrectionTotals(list));
  if (HasTwoReturnCorrections(list)) page.marginLegend = Form1099CorrectionTexts::k1096Legend;
  return page;
}

Corrected1099Print Corrected1099PrintList(const Form1099CorrectionList& list, const std::string* tin, bool copyA) {
  Corrected1099Print p;
  const std::string digits = tin ? efile::DigitsOf(*tin) : std::string();
  for (const auto& c : list.corrections) {
    if (copyA && !c.toIrs) continue;
    if (tin && std::none_of(c.returns.begin(), c.returns.end(), [&](const Corrected1099Return& r) {
          return efile::DigitsOf(r.contractor.IdentificationNumber()) == digits;
        }))
      continue;
    for (const auto& r : c.returns) {
      const auto id = static_cast<int32_t>(p.contractors.size() + 1);
      p.contractors.push_back(r.contractor);
      p.contractors.back().ContractorUniqueID = id;
      p.forms.push_back(r.form);
      p.forms.back().ContractorUniqueID = id;
      p.corrected.push_back(r.correctedBox ? 1 : 0);
      p.zeroed.push_back(r.zeroed ? 1 : 0);
    }
  }
  return p;
}

Form1099CorrectionList Load1099Corrections(CGlobalDoc& doc) {
  std::vector<Filed1099> filed;
  if (int rc = ReadRecorded1099s(doc, filed)) {
    Form1099CorrectionList list;
    list.notes.push_back(EngineErrorMessage("Formet failed to read the forms recorded as filed.", rc));
    return list;
  }
  return BuildForm1099Corrections(doc.GetContractors(), doc.GetForms1099(), filed);
}

efile::Irs1099Result Make1099CorrectionsFile(CGlobalDoc& doc, const efile::Irs1099Options& options) {
  const Form1099CorrectionList list = Load1099Corrections(doc);
  const auto returns = ReturnsForFile(list);
  return efile::MakeWithProgress(doc.Ui(), returns.size(), "1099-MISC Corrections File", options,
                                 [&](const efile::Irs1099Options& o) {
                                   return efile::Make1099CorrectionsFile(doc.GetTransmitter(), doc.GetCompany(),
                                                                         returns, o);
                                 });
}

std::string No1099CorrectionsMessage(const Form1099CorrectionList& list) {
  if (!ReturnsToIrs(list).empty()) return {};
  std::string text =
      "There is no corrected 1099-MISC for the IRS. A correction comes from a 1099-MISC recorded as filed and "
      "changed since (or whose contractor or form was deleted); a change of the state boxes alone goes to the "
      "state, not the IRS.";
  for (const auto& note : list.notes) text += "\n\n" + note;
  return text;
}

}  // namespace formet
