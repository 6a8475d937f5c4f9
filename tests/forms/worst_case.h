#pragma once
// The worst case for the printed forms: a company whose every field holds
// the longest text it accepts and whose amounts are the largest the fields
// take (twelve characters), with four box 12 codes and their years, both
// state lines, every check box marked, two employees and two contractors
// (two forms to a sheet). Every value is told apart from the others, so that
// a drawn text names its box: `boxOf` maps each value to the box it belongs
// in, by the names of the forms' drawings.
#include <map>
#include <string>
#include <vector>

#include "forms/1099/form1096_totals.h"
#include "forms/w2/w3_totals.h"
#include "records/contractors.h"
#include "store/records.h"

namespace formet::test {

struct WorstCase {
  CompanyRecord company;
  std::vector<EmployeeRecord> employees;
  std::vector<W2Record> w2s;
  std::vector<ContractorRecord> contractors;
  std::vector<Form1099Record> forms1099;
  std::vector<int> order{0, 1};
  // The boxes of the values on the W-2 (red-ink, copies, Copy A), on the
  // 4-Up sheet (e and f joined), on the 1099-MISC.
  std::map<std::string, std::string> w2BoxOf, fourUpBoxOf, form1099BoxOf;
  // The W-3 and 1096 as their pages show them, and the boxes of their values.
  W3Page w3;
  Form1096Page form1096;
  std::map<std::string, std::string> w3BoxOf, form1096BoxOf;
};

// "999999999.NN": the largest amount, told apart by its last digits.
inline std::string LargestAmount(int n) { return "999999999." + std::string(n < 10 ? "0" : "") + std::to_string(n); }

inline WorstCase MakeWorstCase(int kindOfPayer = 6) {
  WorstCase k;
  CompanyRecord& c = k.company;
  c.SetEmployerName("Northwest Regional Builders Co");  // 30
  c.SetAddress1("12345 Commerce Parkway Ste 120");      // 30
  c.SetAddress2("Attn: Payroll and Benefits Dpt");      // 30
  c.SetCity("Saint Marys Township");                    // 20
  c.SetState("PA");
  c.SetZip("15857-1234");
  c.SetEmployerIdentificationNumber("71-0123456");
  c.SetStateID("PA-123456789-01");  // 15
  c.SetSocialSecurityNumber("999-88-7777");
  c.SetFormW3ControlNumber("CTRL-2007-0001234567");  // 20
  c.SetFormW3EstablishmentNumber("0012");             // 4
  c.SetFormW3OtherEIN("98-7654321");
  c.FormW3RadioKindOfPayer = kindOfPayer;
  c.FormW3CheckThirdPartySickPay = 1;
  c.SetFormW3ThirdPartySickPay("Paid by Keystone Mutual 123456");  // 30
  c.SetFormW3IncomeTaxWithHeld(LargestAmount(98));
  c.SetFormW3ContactName("Christopher Van Dyke");                   // 20
  c.SetFormW3Email("payroll.department@northwest-builders.co");   // 40
  c.SetFormW3Telephone("(814) 555-0123");
  c.SetFormW3Fax("(815) 555-0199");
  c.SetForm1096ContactName("Alexandra Whitmore-J");                 // 20
  c.SetForm1096Email("accounts.payable.dept@northwest-build.co");   // 40
  c.SetForm1096Telephone("(816) 555-0145");
  c.SetForm1096Fax("(817) 555-0146");
  c.SetForm1096FilerName("Northwest Regional Builders Company of Pennsylvania Incorp.");  // 59
  c.Form1096CheckIsThisYourFinalReturn = 1;
  const std::string companyCity = c.City() + ", " + c.State() + " " + c.Zip();

  for (int n = 1; n <= 2; ++n) {
    EmployeeRecord e;
    e.EmployeeUniqueID = n;
    e.SetSocialSecurityNumber("123-45-678" + std::to_string(n));
    e.SetFirstName("Maximilian-Alexander");        // 20
    e.SetMiddleName("QR");                         // 2
    e.SetLastName("Vandenberghe-M\xFCllers");      // 20, with an accent
    e.SetSuffix("III");                            // 3
    e.SetAddress1("4500 Old Mill Run Road Apt 120");   // 30
    e.SetAddress2("Building C, Attn Mail Room 14B");   // 30
    e.SetCity("Mount Pleasant Mills");                 // 20
    e.SetState("PA");
    e.SetZip("17853-9999");
    k.employees.push_back(e);

    W2Record w;
    w.W2UniqueID = 100 + n;
    w.EmployeeUniqueID = n;
    const TextMember<W2Record> amounts[23] = {W2Record::Text::Wages,           W2Record::Text::FederalIncomeTaxWithdrawal, W2Record::Text::SocialSecurityWages,
                                W2Record::Text::SocialSecurityTaxWithheld, W2Record::Text::MedicareWages, W2Record::Text::MedicareTaxWithheld,
                                W2Record::Text::SocialSecurityTips, W2Record::Text::AllocatedTips, W2Record::Text::AdvancEICPayment,
                                W2Record::Text::DependentCareBenefits, W2Record::Text::NonQualifiedPlans, W2Record::Text::Field12aAmount,
                                W2Record::Text::Field12bAmount, W2Record::Text::Field12cAmount, W2Record::Text::Field12dAmount, W2Record::Text::StateWages1,
                                W2Record::Text::StateWages2, W2Record::Text::StateIncomTax1, W2Record::Text::StateIncomTax2, W2Record::Text::LocalWages1,
                                W2Record::Text::LocalWages2, W2Record::Text::LocalIncomeTax1, W2Record::Text::LocalIncomeTax2};
    for (int i = 0; i < 23; ++i) amounts[i].Set(w, LargestAmount(i + 1));
    w.SetField12aCode("AA"), w.SetField12aYear("07");
    w.SetField12bCode("BB"), w.SetField12bYear("06");
    w.SetField12cCode("AA"), w.SetField12cYear("05");  // the two-letter codes of 2007, with make-up years
    w.SetField12dCode("BB"), w.SetField12dYear("04");
    w.StatutoryEmployee = w.RetirementPlan = w.ThirdPartySickpay = 1;
    w.SetOther1("UNION DUES 480");  // 14
    w.SetOther2("SDI 1234567.89");
    w.SetOther3("HEALTH 4800.00");
    w.SetState1("PA");
    w.SetStateID1("PA-123456789-02");
    w.SetState2("NJ");
    w.SetStateID2("NJ-987654321-03");
    w.SetLocalityName1("PHILAD");  // 6
    w.SetLocalityName2("CAMDEN");
    k.w2s.push_back(w);

    ContractorRecord r;
    r.ContractorUniqueID = n;
    r.SetIdentificationNumber("123-45-678" + std::to_string(n));  // 11
    r.SetNameLine1("Riverside Landscape and Design Partners");        // 39
    r.SetNameLine2("doing business as Riverside Gardens Co.");        // 39
    r.SetAddress1("4500 Old Mill Run Road Ste 120");                  // 30
    r.SetAddress2("Building C, Attn Mail Room 14B");
    r.SetCity("Mount Pleasant Mills");
    r.SetState("PA");
    r.SetZip("17853-9999");
    r.SetAccountNumber("ACCT-0001234");  // 12
    r.SecondTIN = 1;
    k.contractors.push_back(r);

    Form1099Record f;
    f.Form1099UniqueID = 50 + n;
    f.ContractorUniqueID = n;
    const TextMember<Form1099Record> boxes[17] = {Form1099Record::Text::Rents,         Form1099Record::Text::Royalities, Form1099Record::Text::OtherIncome, Form1099Record::Text::FederalIncomeTaxWithheld,
                              Form1099Record::Text::FishingBoatProceeds, Form1099Record::Text::MedicalAndHealthCarePayments, Form1099Record::Text::NonemployeeCompensation,
                              Form1099Record::Text::SubstitutePayments, Form1099Record::Text::CropInsuranceProceeds, Form1099Record::Text::ExcessGoldenParachutePayments,
                              Form1099Record::Text::GrossProceedsPaidToAttorney, Form1099Record::Text::Field15A, Form1099Record::Text::Field15B, Form1099Record::Text::StateTaxWithheld1,
                              Form1099Record::Text::StateTaxWithheld2, Form1099Record::Text::StateIncome1, Form1099Record::Text::StateIncome2};
    for (int i = 0; i < 17; ++i) boxes[i].Set(f, LargestAmount(31 + i));
    f.SetPayerStateID1("PA-123456789-04");  // 15
    f.SetPayerStateID2("NJ-987654321-05");
    f.PayerMadeDirectSales = 1;
    k.forms1099.push_back(f);
  }

  // The W-2's values and their boxes.
  const EmployeeRecord& e = k.employees[0];
  const W2Record& w = k.w2s[0];
  auto& b = k.w2BoxOf;
  b = {{c.EmployerIdentificationNumber(), "b"}, {c.EmployerName(), "c"}, {c.Address1(), "c"}, {c.Address2(), "c"},
       {companyCity, "c"}, {c.FormW3ControlNumber(), "d"}};
  for (const auto& employee : k.employees) b[employee.SocialSecurityNumber()] = "a";
  const std::string employeeCity = e.City() + ", " + e.State() + " " + e.Zip();
  const char* ids[23] = {"1",   "2",   "3",    "4",    "5",    "6",    "7",    "8",    "9",    "10",   "11",  "12a",
                         "12b", "12c", "12d",  "16-1", "16-2", "17-1", "17-2", "18-1", "18-2", "19-1", "19-2"};
  for (int i = 0; i < 23; ++i) b[LargestAmount(i + 1)] = ids[i];
  b["AA 07"] = "12a-code", b["BB 06"] = "12b-code", b["AA 05"] = "12c-code", b["BB 04"] = "12d-code";
  for (const std::string& other : {w.Other1(), w.Other2(), w.Other3()}) b[other] = "14";
  b[w.State1()] = "15-state-1", b[w.StateID1()] = "15-id-1", b[w.State2()] = "15-state-2", b[w.StateID2()] = "15-id-2";
  b[w.LocalityName1()] = "20-1", b[w.LocalityName2()] = "20-2";
  k.fourUpBoxOf = b;
  b[e.FirstName() + " " + e.MiddleName()] = "e-first";
  b[e.LastName()] = "e-last";
  b[e.Suffix()] = "e-suffix";
  for (const std::string& line : {e.Address1(), e.Address2(), employeeCity}) b[line] = "f";
  k.fourUpBoxOf[e.FirstName() + " " + e.MiddleName() + " " + e.LastName() + " " + e.Suffix()] = "ef";
  for (const std::string& line : {e.Address1(), e.Address2(), employeeCity}) k.fourUpBoxOf[line] = "ef";

  // The 1099-MISC's.
  const ContractorRecord& r = k.contractors[0];
  auto& m = k.form1099BoxOf;
  m = {{c.EmployerName(), "payer"}, {c.Address1(), "payer"}, {c.Address2(), "payer"}, {companyCity, "payer"},
       {c.Form1096Telephone(), "payer"}, {c.EmployerIdentificationNumber(), "payer-tin"},
       {r.NameLine1(), "recipient-name"}, {r.NameLine2(), "recipient-name"}, {r.Address1(), "street"},
       {r.Address2(), "street"}, {r.City() + ", " + r.State() + " " + r.Zip(), "city"}, {r.AccountNumber(), "account"},
       {k.forms1099[0].PayerStateID1(), "17-1"}, {k.forms1099[0].PayerStateID2(), "17-2"}};
  for (const auto& contractor : k.contractors) m[contractor.IdentificationNumber()] = "recipient-tin";
  const char* ids1099[17] = {"1", "2", "3", "4", "5", "6", "7", "8", "10", "13", "14", "15a", "15b",
                             "16-1", "16-2", "18-1", "18-2"};
  for (int i = 0; i < 17; ++i) m[LargestAmount(31 + i)] = ids1099[i];

  // The W-3 and the 1096, as their pages show them.
  k.w3 = BuildW3Page(c, k.w2s);
  const W3Page& p = k.w3;
  k.w3BoxOf = {{p.controlNumber, "a"}, {p.totalForms, "c"}, {p.establishmentNumber, "d"}, {p.ein, "e"},
               {p.employerName, "f"}, {p.address1, "g"}, {p.address2, "g"},
               {p.city + ", " + p.state + " " + p.zip, "g"}, {p.otherEin, "h"}, {p.box15State, "15-state"},
               {p.box15StateId, "15-id"}, {p.contactName, "contact"}, {p.email, "email"},
               {"814", "telephone"}, {" 555-0123", "telephone"}, {"815", "fax"}, {" 555-0199", "fax"},
               {p.box12, "12"}, {p.box13, "13"}, {p.box14, "14"}, {p.box16, "16"}, {p.box17, "17"},
               {p.box18, "18"}, {p.box19, "19"}};
  for (int box = 1; box <= 11; ++box) k.w3BoxOf[p.box[static_cast<size_t>(box)]] = std::to_string(box);
  k.form1096 = Build1096Page(c, k.forms1099);
  const Form1096Page& t = k.form1096;
  k.form1096BoxOf = {{t.filerName, "filer-name"}, {t.street, "street"},
                     {t.city + ", " + t.state + " " + t.zip, "city"}, {t.contactName, "contact"},
                     {t.email, "email"}, {"816", "telephone"}, {" 555-0145", "telephone"}, {"817", "fax"},
                     {" 555-0146", "fax"}, {t.box1, "1"}, {t.box2, "2"}, {t.box3, "3"}, {t.box4, "4"},
                     {t.box5, "5"}};
  return k;
}

}  // namespace formet::test
