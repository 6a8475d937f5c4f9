#include "forms/w2/w3c_totals.h"

#include <string_view>

#include "forms/form_page_rules.h"
#include "forms/money.h"

namespace formet {
namespace {

std::string Column(int64_t cents) { return cents == 0 ? W2cTexts::kZero : FormatCents(cents); }

std::array<std::string, 2> Columns(const W3cColumns& c) { return {Column(c.previously), Column(c.correct)}; }

void Add(W3cColumns& to, int64_t previously, int64_t correct) {
  to.previously += previously;
  to.correct += correct;
}

}  // namespace

const char* W3cKindOfPayerLabel(int32_t kind) {
  static const char* const kLabels[] = {"941/941-SS", "CT-1", "Military", "Hshld. emp.",
                                        "943",        "Medicare govt. emp.", "944/944-SS"};
  return kind >= 0 && kind < static_cast<int32_t>(std::size(kLabels)) ? kLabels[kind] : nullptr;
}

W3cTotals ComputeW3cTotals(const std::vector<W2cForm>& forms) {
  W3cTotals t;
  for (const auto& form : forms) {
    if (!form.toSsa) continue;
    // Box d counts every form sent, the further forms of box 12 lines too.
    ++t.formCount;
    for (const auto& line : form.boxes) {
      if (line.box->kind != W2cBoxKind::Money) continue;
      const std::string_view key = line.box->key;
      const std::string_view number = key.substr(0, key.find('.'));
      const int n = std::stoi(std::string(number));
      W3cColumns* to = nullptr;
      if (n >= 1 && n <= 11) to = &t.box[static_cast<size_t>(n)];
      else if (n == 16) to = &t.box16;
      else if (n == 17) to = &t.box17;
      else if (n == 18) to = &t.box18;
      else if (n == 19) to = &t.box19;
      if (to) Add(*to, line.previouslyCents, line.correctCents);
      if (n == 2 && form.thirdPartySickPay) Add(t.box14, line.previouslyCents, line.correctCents);
    }
    for (const auto& line : form.box12)
      if (line.deferredCompensation) Add(t.box12, line.previouslyCents, line.correctCents);
  }
  return t;
}

W3cPage BuildW3cPage(const CompanyRecord& company, const std::vector<W2cForm>& forms,
                     const std::vector<FiledW2>& filed, const std::string& explanation) {
  const W3cTotals t = ComputeW3cTotals(forms);
  W3cPage p;
  p.employerName = company.EmployerName();
  p.address1 = company.Address1();
  p.address2 = company.Address2();
  p.cityLine = CityStateZipLine(company.City(), company.State(), company.Zip());
  p.kindOfPayer = company.FormW3RadioKindOfPayer;
  p.thirdPartySickPay = company.FormW3CheckThirdPartySickPay != 0;
  p.d = t.formCount == 0 ? W2cTexts::kZero : std::to_string(t.formCount);
  p.e = company.EmployerIdentificationNumber();
  p.f = company.FormW3EstablishmentNumber();
  p.g = company.StateID();
  if (!filed.empty()) {
    const EmployerAsFiled& was = filed.back().employer;
    if (was.ein != p.e) p.h = was.ein;
    if (was.establishmentNumber != p.f) p.i = was.establishmentNumber;
    if (was.stateId != p.g) p.j = was.stateId;
  }
  for (size_t n = 1; n <= 11; ++n) p.box[n] = Columns(t.box[n]);
  p.box12 = Columns(t.box12);
  p.box14 = Columns(t.box14);
  p.box16 = Columns(t.box16);
  p.box17 = Columns(t.box17);
  p.box18 = Columns(t.box18);
  p.box19 = Columns(t.box19);

  std::string explain;
  auto decrease = [&](const std::string& box, const W3cColumns& c) {
    if (c.correct >= c.previously) return;
    explain += (explain.empty() ? "" : " ") + std::string("Box ") + box + " decreased by " +
               FormatCents(c.previously - c.correct) + ".";
  };
  for (size_t n = 1; n <= 11; ++n) decrease(std::to_string(n), t.box[n]);
  decrease("12", t.box12);
  decrease("14", t.box14);
  decrease("16", t.box16);
  decrease("17", t.box17);
  decrease("18", t.box18);
  decrease("19", t.box19);
  int identity = 0;
  for (const auto& form : forms)
    if (form.toSsa && form.c && !form.continuation) ++identity;
  if (identity > 0)
    explain += (explain.empty() ? "" : " ") + std::string("SSN and/or name corrected on ") +
               std::to_string(identity) + (identity == 1 ? " Form W-2c." : " Forms W-2c.");
  p.explainedByUser = !explanation.empty();
  p.explainDecreases = p.explainedByUser ? explanation : explain;
  p.contactName = company.FormW3ContactName();
  p.telephone = company.FormW3Telephone();
  p.email = company.FormW3Email();
  p.fax = company.FormW3Fax();
  return p;
}

}  // namespace formet
