#include "forms/alignment_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_print.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w3_print.h"

namespace formet {
namespace {

// ---- the sample data -------------------------------------------------------------------

CompanyRecord SampleCompany() {
  CompanyRecord c;
  c.SetEmployerIdentificationNumber("12-3456789");
  c.SetSocialSecurityNumber("987-65-4321");
  c.SetEmployerName("SAMPLE EMPLOYER INC");
  c.SetAddress1("123 MAIN STREET");
  c.SetAddress2("SUITE 100");
  c.SetCity("ANYTOWN");
  c.SetState("IL");
  c.SetZip("62701-1234");
  c.SetStateID("IL-1234-5678");
  c.SetFormW3ControlNumber("CTRL-0001");
  c.SetFormW3EstablishmentNumber("0001");
  c.SetFormW3OtherEIN("98-7654321");
  c.SetFormW3ThirdPartySickPay("1313.13");
  c.SetFormW3IncomeTaxWithHeld("1414.14");
  c.SetFormW3ContactName("JANE SAMPLE");
  c.SetFormW3Telephone("(555) 555-0100");
  c.SetFormW3Email("PAYROLL@SAMPLE.EXAMPLE");
  c.SetFormW3Fax("(555) 555-0101");
  c.FormW3RadioKindOfPayer = 0;
  c.FormW3CheckThirdPartySickPay = 1;
  c.SetForm1096ContactName("JANE SAMPLE");
  c.SetForm1096Telephone("(555) 555-0100");
  c.SetForm1096Fax("(555) 555-0101");
  c.SetForm1096Email("PAYABLES@SAMPLE.EXAMPLE");
  c.Form1096CheckIsThisYourFinalReturn = 1;
  return c;
}

EmployeeRecord SampleEmployee() {
  EmployeeRecord e;
  e.EmployeeUniqueID = 1;
  e.SetSocialSecurityNumber("123-45-6789");
  e.SetFirstName("JOHN");
  e.SetMiddleName("Q");
  e.SetLastName("SAMPLE");
  e.SetSuffix("JR");
  e.SetAddress1("456 ELM STREET");
  e.SetAddress2("APT 7");
  e.SetCity("ANYTOWN");
  e.SetState("IL");
  e.SetZip("62702");
  return e;
}

W2Record SampleW2() {
  W2Record w;
  w.W2UniqueID = 1;
  w.EmployeeUniqueID = 1;
  // Box n shows its number in its digits, so each box can be told apart.
  using T = W2Record::Text;
  const T boxes[11] = {T::Wages,          T::FederalIncomeTaxWithdrawal, T::SocialSecurityWages,
                       T::SocialSecurityTaxWithheld, T::MedicareWages, T::MedicareTaxWithheld,
                       T::SocialSecurityTips, T::AllocatedTips, T::AdvancEICPayment,
                       T::DependentCareBenefits, T::NonQualifiedPlans};
  const char* amounts[11] = {"11111.11", "2222.22", "33333.33", "4444.44", "55555.55", "666.66",
                             "7777.77",  "888.88",  "999.99",   "1010.10", "1111.00"};
  for (int i = 0; i < 11; ++i) w.SetTextAt(boxes[i], amounts[i]);
  w.SetField12aCode("D"), w.SetField12aAmount("1212.01");
  w.SetField12bCode("E"), w.SetField12bAmount("1212.02");
  w.SetField12cCode("C"), w.SetField12cAmount("1212.03");
  w.SetField12dCode("W"), w.SetField12dAmount("1212.04");
  w.StatutoryEmployee = w.RetirementPlan = w.ThirdPartySickpay = 1;
  w.SetOther1("UNION 141.41");
  w.SetOther2("SDI 14.14");
  w.SetOther3("OTHER 1.41");
  w.SetState1("IL");
  w.SetStateID1("IL-1234-5678");
  w.SetState2("WI");
  w.SetStateID2("WI-9876-5432");
  w.SetStateWages1("16161.61"), w.SetStateWages2("1616.16");
  w.SetStateIncomTax1("1717.17"), w.SetStateIncomTax2("171.71");
  w.SetLocalWages1("18181.81"), w.SetLocalWages2("1818.18");
  w.SetLocalIncomeTax1("1919.19"), w.SetLocalIncomeTax2("191.91");
  w.SetLocalityName1("CITY A");
  w.SetLocalityName2("CITY B");
  return w;
}

ContractorRecord SampleContractor() {
  ContractorRecord r;
  r.ContractorUniqueID = 1;
  r.SetIdentificationNumber("98-7654321");
  r.SetNameLine1("SAMPLE CONTRACTOR LLC");
  r.SetNameLine2("DBA SAMPLE SERVICES");
  r.SetAddress1("789 OAK AVENUE");
  r.SetAddress2("UNIT 2");
  r.SetCity("ANYTOWN");
  r.SetState("IL");
  r.SetZip("62703");
  r.SetAccountNumber("ACCT-0001");
  r.SecondTIN = 1;
  return r;
}

Form1099Record Sample1099() {
  Form1099Record f;
  f.Form1099UniqueID = 1;
  f.ContractorUniqueID = 1;
  f.SetRents("1111.11");
  f.SetRoyalities("2222.22");
  f.SetOtherIncome("3333.33");
  f.SetFederalIncomeTaxWithheld("444.44");
  f.SetFishingBoatProceeds("5555.55");
  f.SetMedicalAndHealthCarePayments("6666.66");
  f.SetNonemployeeCompensation("7777.77");
  f.SetSubstitutePayments("888.88");
  f.PayerMadeDirectSales = 1;
  f.SetCropInsuranceProceeds("1010.10");
  f.SetExcessGoldenParachutePayments("1313.13");
  f.SetGrossProceedsPaidToAttorney("1414.14");
  f.SetField15A("1515.01");
  f.SetField15B("1515.02");
  f.SetStateTaxWithheld1("161.61"), f.SetStateTaxWithheld2("16.16");
  f.SetPayerStateID1("IL-12345"), f.SetPayerStateID2("WI-67890");
  f.SetStateIncome1("1818.18"), f.SetStateIncome2("181.81");
  return f;
}

// ---- the page --------------------------------------------------------------------------

std::string Inches(double inches) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", std::abs(inches));
  return text;
}

// A crosshair at (x, y), its arms marked every tenth of an inch, and its
// number beside the end of its upright arm that points away from the form
// (up from a top corner, down from a bottom one).
void Crosshair(Canvas& c, PrintPoint at, const char* number, bool topCorner) {
  c.SetPen({3, kBlack});
  c.DrawLine(at.x - kCrosshairArm, at.y, at.x + kCrosshairArm, at.y);
  c.DrawLine(at.x, at.y - kCrosshairArm, at.x, at.y + kCrosshairArm);
  c.SetPen({2, kBlack});
  for (int k = 1; k * kTenthOfInch <= kCrosshairArm + 0.5; ++k) {
    const int d = static_cast<int>(std::lround(k * kTenthOfInch));
    constexpr int kTick = 8;
    for (int sign : {-1, 1}) {
      c.DrawLine(at.x + sign * d, at.y - kTick, at.x + sign * d, at.y + kTick);
      c.DrawLine(at.x - kTick, at.y + sign * d, at.x + kTick, at.y + sign * d);
    }
  }
  c.SetFont(Arial(9, true));
  const TextSize size = c.TextExtent(number);
  c.DrawText(at.x + 12, topCorner ? at.y - kCrosshairArm : at.y + kCrosshairArm - size.height, number);
}

// Rulers along the top and left edges of the printable area, in tenths of
// an inch from the paper's edges, numbered at every inch.
void Rulers(Canvas& c) {
  c.SetPen({2, kBlack});
  c.SetFont(Arial(7));
  const double left = c.UnprintableLeft(), top = c.UnprintableTop();
  for (int horizontal = 0; horizontal < 2; ++horizontal) {
    const double margin = horizontal ? left : top;
    const int length = horizontal ? c.PrintableWidth() : c.PrintableHeight();
    for (int k = 1;; ++k) {
      const int at = static_cast<int>(std::lround(k * kTenthOfInch - margin));
      if (at > length) break;
      if (at < 0) continue;
      const int tick = k % 10 == 0 ? 35 : k % 5 == 0 ? 25 : 15;
      if (horizontal) c.DrawLine(at, 0, at, tick);
      else c.DrawLine(0, at, tick, at);
      if (k % 10 == 0) {
        const std::string inch = std::to_string(k / 10);
        if (horizontal) c.DrawText(at + 4, 22, inch);
        else c.DrawText(22, at + 2, inch);
      }
    }
  }
}

class AlignmentPageJob : public FormPrintJob {
 public:
  AlignmentPageJob(PrintForm form, const FormPrintSettings& settings) : form_(form), settings_(settings) {
    settings_.paperType = 1;
    settings_.printTarget = 0;
    company_ = SampleCompany();
    employees_ = {SampleEmployee()};
    w2s_ = {SampleW2()};
    contractors_ = {SampleContractor()};
    forms1099_ = {Sample1099()};
    switch (form) {
      case PrintForm::W2:
        data_ = std::make_unique<W2PrintJob>(W2PrintData{&company_, &employees_, &w2s_, {0}, 0}, settings_);
        break;
      case PrintForm::W3: data_ = std::make_unique<W3PrintJob>(BuildW3Page(company_, w2s_), settings_); break;
      case PrintForm::Form1099:
        data_ = std::make_unique<Form1099PrintJob>(
            Form1099PrintData{&company_, &contractors_, &forms1099_, {0}, 0}, settings_);
        break;
      case PrintForm::Form1096:
        data_ = std::make_unique<Form1096PrintJob>(Build1096Page(company_, forms1099_), settings_);
        break;
    }
  }

  int PageCount() const override { return 1; }

  void DrawPage(Canvas& c, int page) const override {
    if (page != 1) return;
    data_->DrawPage(c, 1);
    const AlignmentCorners corners = AlignmentCornersOf(form_);
    Crosshair(c, AlignmentCrosshairAt(corners.first, settings_), "1", true);
    Crosshair(c, AlignmentCrosshairAt(corners.second, settings_), "2", false);
    Rulers(c);
    Instructions(c, corners);
    c.SetPen(kBlackPen);
  }

 private:
  void Instructions(Canvas& c, const AlignmentCorners& corners) const {
    // Below the form (the W-2 and 1099-MISC pages hold one form, in the
    // upper half).
    constexpr int kLeft = 120, kTop = 1586, kStep = 48;
    int y = kTop;
    c.SetFont(Arial(12, true));
    c.DrawText(kLeft, y, std::string("Alignment page for the pre-printed red-ink ") + PrintFormTitle(form_));
    y += 70;
    c.SetFont(Arial(10));
    const std::string offsets = "Printed with the offsets " + Inches(settings_.horizontalOffset) + " inch " +
                                (settings_.horizontalOffset < 0 ? "to the left" : "to the right") + " and " +
                                Inches(settings_.verticalOffset) + " inch " +
                                (settings_.verticalOffset < 0 ? "up" : "down") + ".";
    const std::string lines[] = {
        offsets,
        "1. Lay this page on a pre-printed form, both the right way up, and hold them against a window or a lamp.",
        "2. Crosshair 1 belongs on " + corners.first.name + ",",
        "    crosshair 2 on " + corners.second.name + ". The marks on their arms are a tenth of an inch apart.",
        "3. See how far the form's corner lies from the centre of each crosshair: to the right of it or to the",
        "    left, below it or above it.",
        "4. Add that to the offsets of the print options (a corner to the right moves the data right, one below",
        "    moves them down), then print this page again until both crosshairs sit on their corners.",
        "The rulers along the top and left edges count tenths of an inch from the edges of the paper.",
    };
    for (const auto& line : lines) {
      c.DrawText(kLeft, y, line);
      y += kStep;
    }
  }

  PrintForm form_;
  FormPrintSettings settings_;
  CompanyRecord company_;
  std::vector<EmployeeRecord> employees_;
  std::vector<W2Record> w2s_;
  std::vector<ContractorRecord> contractors_;
  std::vector<Form1099Record> forms1099_;
  std::unique_ptr<FormPrintJob> data_;
};

}  // namespace

AlignmentCorners AlignmentCornersOf(PrintForm form) {
  switch (form) {
    case PrintForm::W2:
      return {{12.9, 21.5, "the top-left corner of box b"}, {203.2, 118.8, "the bottom-right corner of box 20"}};
    case PrintForm::W3:
      // The form's outer corners (its inner grid is known from other years).
      return {{12.7, 12.7, "the top-left corner of the form"}, {203.2, 131.2, "the bottom-right corner of the form"}};
    case PrintForm::Form1099:
      return {{16.8, 16.9, "the top-left corner of the payer's box"},
              {202.3, 131.2, "the bottom-right corner of box 18"}};
    case PrintForm::Form1096:
      return {{17.9, 33.8, "the top-left corner of the filer's name box"},
              {203.1, 93.0, "the bottom-right corner of box 5"}};
  }
  return {};
}

PrintPoint AlignmentCrosshairAt(const AlignmentCorner& corner, const FormPrintSettings& settings) {
  const int margin = TruncatedMargin(kRedInkReferenceMargin);
  return {static_cast<int>(std::lround(corner.xMm * 10)) - margin + InchesToUnits(settings.horizontalOffset),
          static_cast<int>(std::lround(corner.yMm * 10)) - margin + InchesToUnits(settings.verticalOffset)};
}

std::unique_ptr<FormPrintJob> MakeAlignmentPage(PrintForm form, const FormPrintSettings& settings) {
  return std::make_unique<AlignmentPageJob>(form, settings);
}

}  // namespace formet
