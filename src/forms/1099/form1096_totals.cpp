#include "forms/1099/form1096_totals.h"

#include <algorithm>

#include "forms/money.h"
#include "records/form1099_list.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {

Form1096Totals Compute1096Totals(const std::vector<Form1099Record>& forms) {
  Form1096Totals t;
  t.formCount = static_cast<int32_t>(forms.size());
  CentsTotal withheld, reported;
  for (const Form1099Record& f : forms) {
    using T = Form1099Record::Text;
    withheld.Add(f.TextAt(T::FederalIncomeTaxWithheld));
    for (std::string_view box :
         {f.TextAt(T::Rents), f.TextAt(T::Royalities), f.TextAt(T::OtherIncome), f.TextAt(T::FishingBoatProceeds),
          f.TextAt(T::MedicalAndHealthCarePayments), f.TextAt(T::NonemployeeCompensation),
          f.TextAt(T::SubstitutePayments), f.TextAt(T::CropInsuranceProceeds),
          f.TextAt(T::ExcessGoldenParachutePayments), f.TextAt(T::GrossProceedsPaidToAttorney)}) {
      reported.Add(box);
    }
  }
  t.federalTaxWithheld = withheld.Cents();
  t.totalReported = reported.Cents();
  if (!withheld.Held()) t.tooLarge.push_back(4);
  if (!reported.Held()) t.tooLarge.push_back(5);
  return t;
}

Form1096Page Build1096Page(const CompanyRecord& c, const Form1096Totals& t) {
  Form1096Page p;
  p.filerName = c.Form1096FilerName().empty() ? c.EmployerName() : c.Form1096FilerName();
  p.street = c.Address1();
  p.city = c.City();
  p.state = c.State();
  p.zip = c.Zip();
  p.contactName = c.Form1096ContactName();
  p.email = c.Form1096Email();
  p.telephone = c.Form1096Telephone();
  p.fax = c.Form1096Fax();
  p.box1 = c.EmployerIdentificationNumber();
  p.box2 = c.SocialSecurityNumber();
  p.box3 = std::to_string(t.formCount);
  const auto shown = [&t](int number, int64_t cents) {
    return std::find(t.tooLarge.begin(), t.tooLarge.end(), number) != t.tooLarge.end() ? kTotalTooLargeText
                                                                                        : FormatCents(cents);
  };
  p.box4 = shown(4, t.federalTaxWithheld);
  p.box5 = shown(5, t.totalReported);
  p.problem = TotalsTooLargeMessage(t.tooLarge, "1096", "1099-MISC");
  p.finalReturn = c.Form1096CheckIsThisYourFinalReturn != 0;
  return p;
}

std::optional<std::string> Form1096PrintRefusal(const Form1096Page& page) {
  if (page.problem.empty()) return std::nullopt;
  return "The 1096 was not printed.\n\n" + page.problem;
}

Form1096Page Refresh1096Page(CGlobalDoc& doc, UiServices& ui) {
  ui.BeginWaitCursor();
  Form1096Page page = Build1096Page(doc.GetCompany(), doc.GetForms1099());
  ui.EndWaitCursor();
  return page;
}

void On1096PageShown(CGlobalDoc& doc, UiServices& ui) {
  if (!doc.HasNoContractors()) return;
  ui.ShowMessage(kNoContractorsMessage);
  ui.ShowContractorsPage();
}

}  // namespace formet
