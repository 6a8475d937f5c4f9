#include "forms/w2/w3_totals.h"

#include <algorithm>

#include "forms/money.h"
#include "forms/w2/box12_codes.h"
#include "records/w2_list.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {

const char* KindOfPayerLabel(int32_t kind) {
  static const char* const kLabels[kKindOfPayerCount] = {"941", "CT-1", "Mil.", "Hshld. emp.",
                                                         "943", "Med. govt. emp.", "944"};
  return kind >= 0 && kind < kKindOfPayerCount ? kLabels[kind] : nullptr;
}

W3Totals ComputeW3Totals(const std::vector<W2Record>& forms) {
  W3Totals t;
  t.formCount = static_cast<int32_t>(forms.size());
  std::array<CentsTotal, 12> box;
  CentsTotal deferred, stateWages, stateTax, localWages, localTax;
  for (const W2Record& w : forms) {
    using T = W2Record::Text;
    // The record's texts decoded once, each box then read in place.
    const auto texts = w.texts.Views();
    const auto text = [&texts](T field) { return texts[static_cast<size_t>(field)]; };
    const std::string_view boxes[] = {text(T::Wages),         text(T::FederalIncomeTaxWithdrawal),
                                      text(T::SocialSecurityWages), text(T::SocialSecurityTaxWithheld),
                                      text(T::MedicareWages), text(T::MedicareTaxWithheld),
                                      text(T::SocialSecurityTips), text(T::AllocatedTips),
                                      text(T::AdvancEICPayment), text(T::DependentCareBenefits),
                                      text(T::NonQualifiedPlans)};
    for (size_t i = 0; i < 11; ++i) box[i + 1].Add(boxes[i]);
    const std::pair<std::string_view, std::string_view> box12[] = {
        {text(T::Field12aCode), text(T::Field12aAmount)},
        {text(T::Field12bCode), text(T::Field12bAmount)},
        {text(T::Field12cCode), text(T::Field12cAmount)},
        {text(T::Field12dCode), text(T::Field12dAmount)}};
    for (const auto& [code, amount] : box12) {
      if (IsDeferredCompensationCode(code)) deferred.Add(amount);
    }
    stateWages.Add(text(T::StateWages1));
    stateWages.Add(text(T::StateWages2));
    stateTax.Add(text(T::StateIncomTax1));
    stateTax.Add(text(T::StateIncomTax2));
    localWages.Add(text(T::LocalWages1));
    localWages.Add(text(T::LocalWages2));
    localTax.Add(text(T::LocalIncomeTax1));
    localTax.Add(text(T::LocalIncomeTax2));
  }
  const auto take = [&t](int number, const CentsTotal& sum, int64_t& cents) {
    cents = sum.Cents();
    if (!sum.Held()) t.tooLarge.push_back(number);
  };
  for (int i = 1; i <= 11; ++i) take(i, box[static_cast<size_t>(i)], t.box[static_cast<size_t>(i)]);
  take(12, deferred, t.deferredCompensation);
  take(16, stateWages, t.stateWages);
  take(17, stateTax, t.stateIncomeTax);
  take(18, localWages, t.localWages);
  take(19, localTax, t.localIncomeTax);
  return t;
}

W3Page BuildW3Page(const CompanyRecord& c, const W3Totals& t) {
  W3Page p;
  p.controlNumber = c.FormW3ControlNumber();
  p.kindOfPayer = c.FormW3RadioKindOfPayer;
  p.thirdPartySickPay = c.FormW3CheckThirdPartySickPay != 0;
  p.totalForms = std::to_string(t.formCount);
  p.establishmentNumber = c.FormW3EstablishmentNumber();
  p.ein = c.EmployerIdentificationNumber();
  p.employerName = c.EmployerName();
  p.address1 = c.Address1();
  p.address2 = c.Address2();
  p.city = c.City();
  p.state = c.State();
  p.zip = c.Zip();
  p.otherEin = c.FormW3OtherEIN();
  const auto shown = [&t](int number, int64_t cents) {
    return std::find(t.tooLarge.begin(), t.tooLarge.end(), number) != t.tooLarge.end() ? kTotalTooLargeText
                                                                                        : FormatCents(cents);
  };
  for (int i = 1; i <= 11; ++i) p.box[static_cast<size_t>(i)] = shown(i, t.box[static_cast<size_t>(i)]);
  p.box12 = shown(12, t.deferredCompensation);
  p.box13 = c.FormW3ThirdPartySickPay();
  p.box14 = c.FormW3IncomeTaxWithHeld();
  p.box15State = c.State();
  p.box15StateId = c.StateID();
  p.box16 = shown(16, t.stateWages);
  p.box17 = shown(17, t.stateIncomeTax);
  p.box18 = shown(18, t.localWages);
  p.box19 = shown(19, t.localIncomeTax);
  p.problem = TotalsTooLargeMessage(t.tooLarge, "W-3", "W-2");
  p.contactName = c.FormW3ContactName();
  p.telephone = c.FormW3Telephone();
  p.email = c.FormW3Email();
  p.fax = c.FormW3Fax();
  return p;
}

std::optional<std::string> W3PrintRefusal(const W3Page& page) {
  if (page.problem.empty()) return std::nullopt;
  return "The W-3 was not printed.\n\n" + page.problem;
}

W3Page RefreshW3Page(CGlobalDoc& doc, UiServices& ui) {
  ui.BeginWaitCursor();
  W3Page page = BuildW3Page(doc.GetCompany(), doc.GetW2Forms());
  ui.EndWaitCursor();
  return page;
}

void OnW3PageShown(CGlobalDoc& doc, UiServices& ui) {
  if (!doc.HasNoEmployees()) return;
  ui.ShowMessage(kNoEmployeesMessage);
  ui.ShowEmployeesPage();
}

}  // namespace formet
