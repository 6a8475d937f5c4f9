// The form pictures against the blank-paper prints: every printed item lies
// inside its own box, clear of the box's label and of every rule and text of
// the picture; every mark lies inside a check box; the captions the print
// adds touch nothing; the white areas the print paints either cover a piece
// of the artwork whole or leave it alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_pictures.h"
#include "forms/1099/form1099_print.h"
#include "forms/form_pictures.h"
#include "forms/print/print_options.h"
#include "forms/print/recording_canvas.h"
#include "forms/w2/w2_pictures.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w3_print.h"
#include "page_check.h"
#include "picture_pieces.h"

namespace formet {
namespace {

using test::AllPictureNames;
using test::CheckPage;
using test::ExpectPagesClean;
using test::PictureNamed;


// ---- W-2 and W-3 -------------------------------------------------------------------------
// Values as wide as the boxes are meant to hold; every amount is different so
// the table can tell them apart.

struct Payroll {
  CompanyRecord company;
  std::vector<EmployeeRecord> employees;
  std::vector<W2Record> forms;
  std::map<std::string, std::string> boxOf;  // for the copies and Copy A
};

Payroll WidePayroll() {
  Payroll p;
  CompanyRecord& c = p.company;
  c.SetEmployerIdentificationNumber("71-0123456");
  c.SetEmployerName("Northwest Regional Building Supplies Inc");  // 40 characters
  c.SetAddress1("12345 Commerce Pkwy Suite 1200");               // 30
  c.SetAddress2("Attn: Payroll Department");
  c.SetCity("North Little Rock");
  c.SetState("AR");
  c.SetZip("72114-1234");
  c.SetStateID("AR-12345-678");
  c.SetFormW3ControlNumber("CTRL-2007-000012345A");  // 20
  p.boxOf = {{c.EmployerIdentificationNumber(), "b"}, {c.EmployerName(), "c"},   {c.Address1(), "c"},
             {c.Address2(), "c"},                   {"North Little Rock, AR 72114-1234", "c"},
             {c.FormW3ControlNumber(), "d"}};
  for (int n = 1; n <= 3; ++n) {
    EmployeeRecord e;
    e.EmployeeUniqueID = n;
    e.SetSocialSecurityNumber("123-45-678" + std::to_string(n));
    e.SetFirstName("Maximiliano-Jose");  // 16, with the initial 18
    e.SetMiddleName("R");
    e.SetLastName("Vandenberghe-Smithe");  // 19
    e.SetSuffix("III");
    e.SetAddress1("4500 Old Mill Run Rd Apt 1204");
    e.SetAddress2("Building C");
    e.SetCity("Sherwood");  // the company's city line is another text
    e.SetState("AR");
    e.SetZip("72120-5555");
    p.employees.push_back(e);
    p.boxOf[e.SocialSecurityNumber()] = "a";

    W2Record w;
    w.W2UniqueID = 100 + n;
    w.EmployeeUniqueID = n;
    const TextMember<W2Record> boxes[11] = {W2Record::Text::Wages,         W2Record::Text::FederalIncomeTaxWithdrawal, W2Record::Text::SocialSecurityWages,
                              W2Record::Text::SocialSecurityTaxWithheld, W2Record::Text::MedicareWages, W2Record::Text::MedicareTaxWithheld,
                              W2Record::Text::SocialSecurityTips, W2Record::Text::AllocatedTips, W2Record::Text::AdvancEICPayment,
                              W2Record::Text::DependentCareBenefits, W2Record::Text::NonQualifiedPlans};
    for (int i = 0; i < 11; ++i) {
      boxes[i].Set(w, "12345" + std::to_string(10 + i) + "." + std::to_string(10 * n + i % 10).substr(0, 2));
      p.boxOf[std::string(boxes[i].In(w))] = std::to_string(i + 1);
    }
    w.SetField12aCode("D");
    w.SetField12aYear("05");
    w.SetField12bCode("AA");
    w.SetField12cCode("E");
    w.SetField12cYear("06");
    w.SetField12dCode("W");
    const char* amounts12[4] = {"15500.01", "15500.02", "15500.03", "99999.99"};
    const TextMember<W2Record> fields12[4] = {W2Record::Text::Field12aAmount, W2Record::Text::Field12bAmount, W2Record::Text::Field12cAmount, W2Record::Text::Field12dAmount};
    const char* keys12[4] = {"12a", "12b", "12c", "12d"};
    for (int i = 0; i < 4; ++i) {
      fields12[i].Set(w, amounts12[i]);
      p.boxOf[amounts12[i]] = keys12[i];
    }
    p.boxOf["D 05"] = "12a-code";
    p.boxOf["AA "] = "12b-code";
    p.boxOf["E 06"] = "12c-code";
    p.boxOf["W "] = "12d-code";
    w.StatutoryEmployee = w.RetirementPlan = w.ThirdPartySickpay = 1;
    w.SetOther1("UNION DUES 480");  // 14
    w.SetOther2("SDI 1234567.89");
    w.SetOther3("HEALTH 4800.00");
    for (const std::string& other : {w.Other1(), w.Other2(), w.Other3()}) p.boxOf[other] = "14";
    w.SetState1("AR");
    w.SetState2("MO");
    w.SetStateID2("MO-98765-432");
    const std::pair<TextMember<W2Record>, const char*> band[] = {
        {W2Record::Text::StateWages1, "16-1"}, {W2Record::Text::StateWages2, "16-2"}, {W2Record::Text::StateIncomTax1, "17-1"},
        {W2Record::Text::StateIncomTax2, "17-2"}, {W2Record::Text::LocalWages1, "18-1"}, {W2Record::Text::LocalWages2, "18-2"},
        {W2Record::Text::LocalIncomeTax1, "19-1"}, {W2Record::Text::LocalIncomeTax2, "19-2"}};
    int k = 0;
    for (const auto& [field, box] : band) {
      field.Set(w, "23456" + std::to_string(10 + k++) + ".00");
      p.boxOf[std::string(field.In(w))] = box;
    }
    w.SetLocalityName1("LRCITY");
    w.SetLocalityName2("NLRCTY");
    p.forms.push_back(w);
  }
  const EmployeeRecord& e = p.employees.front();
  p.boxOf["Maximiliano-Jose R"] = "e-first";
  p.boxOf[e.LastName()] = "e-last";
  p.boxOf[e.Suffix()] = "e-suffix";
  for (const auto& line : {e.Address1(), e.Address2(), std::string("Sherwood, AR 72120-5555")}) p.boxOf[line] = "f";
  p.boxOf["AR"] = "15-state-1";
  p.boxOf[c.StateID()] = "15-id-1";
  p.boxOf["MO"] = "15-state-2";
  p.boxOf["MO-98765-432"] = "15-id-2";
  p.boxOf["LRCITY"] = "20-1";
  p.boxOf["NLRCTY"] = "20-2";
  return p;
}

std::vector<RecordingCanvas> PrintW2(const Payroll& p, int blankCopyType, int paperType = 0) {
  FormPrintSettings s;
  s.paperType = paperType;
  s.blankCopyType = blankCopyType;
  s.printTarget = 1;
  std::vector<int> order(p.employees.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  W2PrintJob job({&p.company, &p.employees, &p.forms, order, 0}, s);
  return RecordJob(job, RecordingCanvas::kLetterPdf, AllPictureNames());
}

TEST(FormPictures, W2CopiesAndCopyAHoldEveryItemInItsBox) {
  const Payroll q = WidePayroll();
  for (int copy = 1; copy <= 5; ++copy) {
    const FormPicture additions = W2CopyAdditions(copy);
    ExpectPagesClean(PrintW2(q, copy), q.boxOf, "W-2 copy " + std::to_string(copy), &additions);
  }
  ExpectPagesClean(PrintW2(q, kW2CopyASubstitute), q.boxOf, "W-2 Copy A");
}

TEST(FormPictures, W2FourUpHoldsEveryItemInItsBox) {
  Payroll p = WidePayroll();
  for (const char* text : {"Maximiliano-Jose R", "Vandenberghe-Smithe", "III", "4500 Old Mill Run Rd Apt 1204",
                           "Building C"})
    p.boxOf.erase(text);
  p.boxOf["Maximiliano-Jose R Vandenberghe-Smithe III"] = "ef";
  for (const char* text : {"4500 Old Mill Run Rd Apt 1204", "Building C", "Sherwood, AR 72120-5555"})
    p.boxOf[text] = "ef";
  ExpectPagesClean(PrintW2(p, kW2FourUp), p.boxOf, "W-2 4-Up");
}

// The longest state ID and the largest box 12 amounts, with codes and years,
// on the 4-Up sheet and the copies: each inside its box, the state ID clear
// of box 16's amount, the amounts inside the form's right border, the year
// inside the code cell.
TEST(FormPictures, W2LongStateIdsAndBox12AmountsWithYearsStayInTheirBoxes) {
  Payroll p = WidePayroll();
  for (const char* text : {"Maximiliano-Jose R", "Vandenberghe-Smithe", "III", "4500 Old Mill Run Rd Apt 1204",
                           "Building C", "Sherwood, AR 72120-5555", "AR-12345-678", "D 05", "AA ", "E 06", "W ",
                           "15500.01", "15500.02", "15500.03", "99999.99"})
    p.boxOf.erase(text);
  for (auto& w : p.forms) {
    w.SetStateID1("UT-12345-6789");  // 13
    w.SetStateWages1("250000.00");
    w.SetField12aCode("AA"), w.SetField12aYear("07"), w.SetField12aAmount("999999999.91");
    w.SetField12bCode("D"), w.SetField12bYear("06"), w.SetField12bAmount("999999999.92");
    w.SetField12cCode("DD"), w.SetField12cYear("05"), w.SetField12cAmount("999999999.93");
    w.SetField12dCode("BB"), w.SetField12dYear("04"), w.SetField12dAmount("999999999.94");
  }
  p.boxOf["UT-12345-6789"] = "15-id-1";
  p.boxOf["250000.00"] = "16-1";
  const char* codes[4] = {"AA 07", "D 06", "DD 05", "BB 04"};
  const char* keys[4] = {"12a", "12b", "12c", "12d"};
  for (int i = 0; i < 4; ++i) {
    p.boxOf[codes[i]] = std::string(keys[i]) + "-code";
    p.boxOf["999999999.9" + std::to_string(i + 1)] = keys[i];
  }
  Payroll fourUp = p;
  fourUp.boxOf["Maximiliano-Jose R Vandenberghe-Smithe III"] = "ef";
  for (const char* text : {"4500 Old Mill Run Rd Apt 1204", "Building C", "Sherwood, AR 72120-5555"})
    fourUp.boxOf[text] = "ef";
  ExpectPagesClean(PrintW2(fourUp, kW2FourUp), fourUp.boxOf, "W-2 4-Up");
  const EmployeeRecord& e = p.employees.front();
  p.boxOf["Maximiliano-Jose R"] = "e-first";
  p.boxOf[e.LastName()] = "e-last";
  p.boxOf[e.Suffix()] = "e-suffix";
  for (const auto& line : {e.Address1(), e.Address2(), std::string("Sherwood, AR 72120-5555")}) p.boxOf[line] = "f";
  for (int copy = 1; copy <= 5; ++copy) ExpectPagesClean(PrintW2(p, copy), p.boxOf, "W-2 copy " + std::to_string(copy));
  ExpectPagesClean(PrintW2(p, kW2CopyASubstitute), p.boxOf, "W-2 Copy A");
}

TEST(FormPictures, W2InstructionPagesArePicturesOnly) {
  const Payroll p = WidePayroll();
  for (int copy = 6; copy <= 9; ++copy) {
    const auto pages = PrintW2(p, copy);
    ExpectPagesClean(pages, {}, "W-2 instructions " + std::to_string(copy));
    EXPECT_EQ(pages[0].OfKind(CanvasOp::Kind::Picture)[0].text, std::to_string(copy - 5) + ".qff");
  }
}

TEST(FormPictures, W3CopyAndLaserSubstituteHoldEveryItemInItsBox) {
  const Payroll p = WidePayroll();
  CompanyRecord c = p.company;
  c.SetEmployerName("Northwest Regional Building Supplies");  // 36: box f is narrower than box c of the W-2
  c.SetFormW3EstablishmentNumber("STORE-0012");
  c.SetFormW3OtherEIN("98-7654321");
  c.SetFormW3ThirdPartySickPay("1234567.13");
  c.SetFormW3IncomeTaxWithHeld("1234567.14");
  c.SetFormW3ContactName("Margaret Montgomery-Washington");
  c.SetFormW3Email("payroll.department@northwestsupply.com");  // 38
  c.SetFormW3Telephone("(501) 555-0123");
  c.SetFormW3Fax("(502) 555-0124");
  c.FormW3CheckThirdPartySickPay = 1;
  for (int paper : {0, 2}) {
    for (int kind = 0; kind <= 6; ++kind) {
      c.FormW3RadioKindOfPayer = kind;
      const W3Page page = BuildW3Page(c, p.forms);
      std::map<std::string, std::string> boxOf = {
          {page.controlNumber, "a"}, {page.totalForms, "c"}, {page.establishmentNumber, "d"}, {page.ein, "e"},
          {page.employerName, "f"},  {page.address1, "g"},   {page.address2, "g"},
          {page.city + ", " + page.state + " " + page.zip, "g"},  {page.otherEin, "h"},
          {page.box15State, "15-state"}, {page.box15StateId, "15-id"}, {page.contactName, "contact"},
          {page.email, "email"},     {"501", "telephone"},   {" 555-0123", "telephone"}, {"502", "fax"}, {" 555-0124", "fax"},
          {page.box12, "12"},        {page.box13, "13"},     {page.box14, "14"},         {page.box16, "16"},
          {page.box17, "17"},        {page.box18, "18"},     {page.box19, "19"}};
      for (int box = 1; box <= 11; ++box) boxOf[page.box[static_cast<size_t>(box)]] = std::to_string(box);
      FormPrintSettings s;
      s.paperType = paper;
      W3PrintJob job(page, s);
      const auto pages = RecordJob(job, RecordingCanvas::kLetterPdf, AllPictureNames());
      for (const auto& problem : CheckPage(pages[0], boxOf))
        ADD_FAILURE() << "W-3 paper " << paper << ", kind of payer " << kind << ": " << problem;
      EXPECT_EQ(pages[0].OfKind(CanvasOp::Kind::Line).size(), 4u);  // the payer's mark and the sick pay mark
    }
  }
}

// ---- 1099-MISC and 1096 --------------------------------------------------------------

struct Contractors {
  CompanyRecord company;
  std::vector<ContractorRecord> contractors;
  std::vector<Form1099Record> forms;
  std::map<std::string, std::string> boxOf;
};

Contractors WideContractors() {
  Contractors p;
  CompanyRecord& c = p.company;
  c.SetEmployerIdentificationNumber("71-0123456");
  c.SetEmployerName("Northwest Regional Building Supplies Inc");
  c.SetAddress1("12345 Commerce Pkwy Suite 1200");
  c.SetAddress2("Attn: Accounts Payable");
  c.SetCity("North Little Rock");
  c.SetState("AR");
  c.SetZip("72114-1234");
  c.SetForm1096Telephone("(501) 555-0123");
  p.boxOf = {{c.EmployerName(), "payer"},       {c.Address1(), "payer"},
             {c.Address2(), "payer"},           {"North Little Rock, AR 72114-1234", "payer"},
             {c.Form1096Telephone(), "payer"},  {c.EmployerIdentificationNumber(), "payer-tin"}};
  for (int n = 1; n <= 3; ++n) {
    ContractorRecord r;
    r.ContractorUniqueID = n;
    r.SetIdentificationNumber("123-45-678" + std::to_string(n));
    r.SetNameLine1("Riverside Landscape & Design Partner" + std::to_string(n));  // 37
    r.SetNameLine2("dba Riverside Gardens and Nurseries");
    r.SetAddress1("4500 Old Mill Run Rd Suite 1204");
    r.SetAddress2("Building C");
    r.SetCity("Sherwood");
    r.SetState("AR");
    r.SetZip("72120-5555");
    r.SetAccountNumber("ACCT-0000123");
    r.SecondTIN = 1;
    p.contractors.push_back(r);
    p.boxOf[r.IdentificationNumber()] = "recipient-tin";
    p.boxOf[r.NameLine1()] = "recipient-name";
    p.boxOf[r.NameLine2()] = "recipient-name";
    p.boxOf[r.Address1()] = "street";
    p.boxOf[r.Address2()] = "street";
    p.boxOf["Sherwood, AR 72120-5555"] = "city";
    p.boxOf[r.AccountNumber()] = "account";

    Form1099Record f;
    f.Form1099UniqueID = 50 + n;
    f.ContractorUniqueID = n;
    const std::pair<TextMember<Form1099Record>, const char*> boxes[] = {
        {Form1099Record::Text::Rents, "1"},
        {Form1099Record::Text::Royalities, "2"},
        {Form1099Record::Text::OtherIncome, "3"},
        {Form1099Record::Text::FederalIncomeTaxWithheld, "4"},
        {Form1099Record::Text::FishingBoatProceeds, "5"},
        {Form1099Record::Text::MedicalAndHealthCarePayments, "6"},
        {Form1099Record::Text::NonemployeeCompensation, "7"},
        {Form1099Record::Text::SubstitutePayments, "8"},
        {Form1099Record::Text::CropInsuranceProceeds, "10"},
        {Form1099Record::Text::ExcessGoldenParachutePayments, "13"},
        {Form1099Record::Text::GrossProceedsPaidToAttorney, "14"},
        {Form1099Record::Text::Field15A, "15a"},
        {Form1099Record::Text::Field15B, "15b"},
        {Form1099Record::Text::StateTaxWithheld1, "16-1"},
        {Form1099Record::Text::StateTaxWithheld2, "16-2"},
        {Form1099Record::Text::StateIncome1, "18-1"},
        {Form1099Record::Text::StateIncome2, "18-2"},
    };
    int k = 10;
    for (const auto& [field, box] : boxes) {
      field.Set(f, "12345" + std::to_string(k++) + "." + std::to_string(10 + n));
      p.boxOf[std::string(field.In(f))] = box;
    }
    f.SetPayerStateID1("AR-123456789012");  // 15
    f.SetPayerStateID2("MO-987654321098");
    p.boxOf[f.PayerStateID1()] = "17-1";
    p.boxOf[f.PayerStateID2()] = "17-2";
    f.PayerMadeDirectSales = 1;
    p.forms.push_back(f);
  }
  return p;
}

std::vector<RecordingCanvas> Print1099(const Contractors& p, int copy) {
  FormPrintSettings s;
  s.paperType = 0;
  s.blankCopyType = copy;
  s.printTarget = 1;
  Form1099PrintJob job({&p.company, &p.contractors, &p.forms, {0, 1, 2}, 0}, s);
  return RecordJob(job, RecordingCanvas::kLetterPdf, AllPictureNames());
}

TEST(FormPictures, Form1099CopiesHoldEveryItemInItsBox) {
  const Contractors p = WideContractors();
  // Three contractors: the second page holds one form and the VOID mark of
  // the lower one.
  for (int copy = 0; copy <= 3; ++copy) {
    const auto pages = Print1099(p, copy);
    ASSERT_EQ(pages.size(), 2u);
    const FormPicture additions = Form1099CopyAdditions(copy);
    ExpectPagesClean(pages, p.boxOf, "1099-MISC copy " + std::to_string(copy), &additions);
  }
  // Copy C marks "2nd TIN not." and box 9 in their check boxes: 2 forms a
  // page, two marks each, and the VOID mark on the second page.
  const auto copyC = Print1099(p, 3);
  EXPECT_EQ(copyC[0].Marks().size(), 8u);
  EXPECT_EQ(copyC[1].Marks().size(), 6u);
}

TEST(FormPictures, Form1099InstructionPagesArePicturesOnly) {
  const Contractors p = WideContractors();
  for (int copy : {4, 5}) {
    const auto pages = Print1099(p, copy);
    ExpectPagesClean(pages, {}, "1099-MISC instructions " + std::to_string(copy));
    EXPECT_TRUE(pages[0].Texts().empty());
  }
}

// The filer's name as long as the setup field takes it: inside its box,
// clear of "For Official Use Only".
TEST(FormPictures, Form1096CopyHoldsAFilerNameOfFiftyNineCharacters) {
  const Contractors p = WideContractors();
  CompanyRecord c = p.company;
  c.SetForm1096FilerName("Northwest Regional Building Supplies and Lumber Company Inc");
  ASSERT_EQ(c.Form1096FilerName().size(), 59u);
  const Form1096Page page = Build1096Page(c, p.forms);
  FormPrintSettings s;
  s.paperType = 0;
  const auto pages = RecordJob(Form1096PrintJob(page, s), RecordingCanvas::kLetterPdf, AllPictureNames());
  std::map<std::string, std::string> boxOf = {{page.filerName, "filer-name"}, {page.street, "street"},
                                              {page.city + ", " + page.state + " " + page.zip, "city"},
                                              {"501", "telephone"}, {" 555-0123", "telephone"}, {page.box1, "1"},
                                              {page.box3, "3"}, {page.box4, "4"}, {page.box5, "5"}};
  for (const auto& problem : CheckPage(pages[0], boxOf)) ADD_FAILURE() << "1096: " << problem;
}

TEST(FormPictures, Form1096CopyHoldsEveryItemInItsBox) {
  const Contractors p = WideContractors();
  CompanyRecord c = p.company;
  c.SetSocialSecurityNumber("987-65-4321");
  c.SetForm1096FilerName("Northwest Regional Building Supply Co");  // 37
  c.SetForm1096ContactName("Margaret Montgomery-Washington");
  c.SetForm1096Email("payroll@northwestsupply.com");
  c.SetForm1096Fax("(502) 555-0124");
  c.Form1096CheckIsThisYourFinalReturn = 1;
  const Form1096Page page = Build1096Page(c, p.forms);
  const std::map<std::string, std::string> boxOf = {
      {page.filerName, "filer-name"}, {page.street, "street"},   {page.city + ", " + page.state + " " + page.zip, "city"},
      {page.contactName, "contact"},  {page.email, "email"},     {"501", "telephone"},
      {" 555-0123", "telephone"},     {"502", "fax"},            {" 555-0124", "fax"}, {page.box1, "1"},
      {page.box2, "2"},               {page.box3, "3"},          {page.box4, "4"},
      {page.box5, "5"}};
  FormPrintSettings s;
  s.paperType = 0;
  Form1096PrintJob job(page, s);
  const auto pages = RecordJob(job, RecordingCanvas::kLetterPdf, AllPictureNames());
  for (const auto& problem : CheckPage(pages[0], boxOf)) ADD_FAILURE() << "1096: " << problem;
  // The final-return mark and the type-of-form mark, each in its check box.
  EXPECT_EQ(pages[0].OfKind(CanvasOp::Kind::Line).size(), 4u);
  ASSERT_EQ(page.box4.size(), 10u);  // the amounts are as wide as meant
}

// ---- every picture -------------------------------------------------------------------

TEST(FormPictures, EveryPictureIsDescribedOnceAndItsTextsFit) {
  const auto all = AllFormPictures();
  std::set<std::string> names;
  for (const auto& p : all) {
    EXPECT_TRUE(names.insert(p.file).second) << p.file << " is described twice";
    EXPECT_TRUE(p.overflows.empty()) << p.file << ": " << (p.overflows.empty() ? "" : p.overflows.front());
    for (const auto& t : p.texts) {
      EXPECT_TRUE(t.x >= 0 && t.y >= 0 && t.Right() <= p.width && t.Bottom() <= p.height)
          << p.file << ": \"" << t.text << "\" runs off the picture";
    }
  }
  EXPECT_EQ(names, (std::set<std::string>{"Help1.svg", "1.qff", "2.qff", "3.qff", "4.qff", "5.qff", "Updater.dll",
                                          "Help2.svg", "Contactus.msg", "Help3.svg", "6.qff", "7.qff", "Help4.svg", "W2c.svg",
                                          "W3c.svg"}));
}

// The laser substitutes: the form number in 14-point Arial bold, the year in
// 20-point Arial, no "Code" in box 12; the copies keep "Code".
TEST(FormPictures, TheLaserSubstitutesFollowTheSubstituteRules) {
  auto texts = [](const char* file, const std::string& text) {
    std::vector<FontSpec> fonts;
    for (const auto& t : PictureNamed(file)->texts)
      if (t.text == text) fonts.push_back(t.font);
    return fonts;
  };
  const FontSpec numberFont{"Arial", 140, true}, yearFont{"Arial", 200, false};
  EXPECT_EQ(texts("Updater.dll", "22222"), (std::vector<FontSpec>{numberFont, numberFont}));
  EXPECT_EQ(texts("Updater.dll", "2007"), (std::vector<FontSpec>{yearFont, yearFont}));
  EXPECT_EQ(texts("Contactus.msg", "33333"), (std::vector<FontSpec>{numberFont}));
  EXPECT_EQ(texts("Contactus.msg", "2007"), (std::vector<FontSpec>{yearFont}));
  EXPECT_TRUE(texts("Updater.dll", "C").empty());
  EXPECT_EQ(texts("Help1.svg", "C").size(), 4u);  // "Code" down each box 12 line of the copies
}

}  // namespace
}  // namespace formet
