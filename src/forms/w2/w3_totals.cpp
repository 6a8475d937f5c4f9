#include "forms/w2/w3_totals.h"

#include "forms/money.h"
#include "forms/w2/box12_codes.h"
#include "forms/w2/w2_list.h"
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
  for (const W2Record& w : forms) {
    const std::string* boxes[] = {&w.Wages,           &w.FederalIncomeTaxWithdrawal, &w.SocialSecurityWages,
                                  &w.SocialSecurityTaxWithheld, &w.MedicareWages, &w.MedicareTaxWithheld,
                                  &w.SocialSecurityTips, &w.AllocatedTips, &w.AdvancEICPayment,
                                  &w.DependentCareBenefits, &w.NonQualifiedPlans};
    for (int i = 0; i < 11; ++i) t.box[i + 1] += ParseMoneyCents(*boxes[i]);
    const std::pair<const std::string*, const std::string*> box12[] = {
        {&w.Field12aCode, &w.Field12aAmount},
        {&w.Field12bCode, &w.Field12bAmount},
        {&w.Field12cCode, &w.Field12cAmount},
        {&w.Field12dCode, &w.Field12dAmount}};
    for (const auto& [code, amount] : box12) {
      if (IsDeferredCompensationCode(*code)) t.deferredCompensation += ParseMoneyCents(*amount);
    }
    t.stateWages += ParseMoneyCents(w.StateWages1) + ParseMoneyCents(w.StateWages2);
    t.stateIncomeTax += ParseMoneyCents(w.StateIncomTax1) + ParseMoneyCents(w.StateIncomTax2);
    t.localWages += ParseMoneyCents(w.LocalWages1) + ParseMoneyCents(w.LocalWages2);
    t.localIncomeTax += ParseMoneyCents(w.LocalIncomeTax1) + ParseMoneyCents(w.LocalIncomeTax2);
  }
  return t;
}

W3Page BuildW3Page(const CompanyRecord& c, const W3Totals& t) {
  W3Page p;
  p.controlNumber = c.FormW3ControlNumber;
  p.kindOfPayer = c.FormW3RadioKindOfPayer;
  p.thirdPartySickPay = c.FormW3CheckThirdPartySickPay != 0;
  p.totalForms = std::to_string(t.formCount);
  p.establishmentNumber = c.FormW3EstablishmentNumber;
  p.ein = c.EmployerIdentificationNumber;
  p.employerName = c.EmployerName;
  p.address1 = c.Address1;
  p.address2 = c.Address2;
  p.city = c.City;
  p.state = c.State;
  p.zip = c.Zip;
  p.otherEin = c.FormW3OtherEIN;
  for (int i = 1; i <= 11; ++i) p.box[i] = FormatCents(t.box[i]);
  p.box12 = FormatCents(t.deferredCompensation);
  p.box13 = c.FormW3ThirdPartySickPay;
  p.box14 = c.FormW3IncomeTaxWithHeld;
  p.box15State = c.State;
  p.box15StateId = c.StateID;
  p.box16 = FormatCents(t.stateWages);
  p.box17 = FormatCents(t.stateIncomeTax);
  p.box18 = FormatCents(t.localWages);
  p.box19 = FormatCents(t.localIncomeTax);
  p.contactName = c.FormW3ContactName;
  p.telephone = c.FormW3Telephone;
  p.email = c.FormW3Email;
  p.fax = c.FormW3Fax;
  return p;
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
