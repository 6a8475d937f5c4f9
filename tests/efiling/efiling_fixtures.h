#pragma once
// Small companies whose electronic filing files are kept as golden files in
// tests/data/efiling: each shows a kind of employer or of payment.
#include <string>
#include <vector>

#include "store/records.h"

namespace formet::test {

struct WageCompany {
  SubmitterRecord submitter;
  CompanyRecord company;
  std::vector<EmployeeRecord> employees;
  std::vector<W2Record> forms;
};

struct MiscCompany {
  TransmitterRecord transmitter;
  CompanyRecord company;
  std::vector<ContractorRecord> contractors;
  std::vector<Form1099Record> forms;
};

inline SubmitterRecord Submitter() {
  SubmitterRecord s;
  s.SetSubmitterEIN("36-4125798");
  s.SetSubmitterPIN("AB12CD34");
  s.SetResubIndicator("0");
  s.SetSubmitterName("Ledger & Lane CPAs");
  s.SetLocationAddress("Suite 210");
  s.SetDeliveryAddress("88 State St");
  s.SetCity("Springfield");
  s.SetStateAbbreviation("IL");
  s.SetZipCode("62701-4410");
  s.SetContactName("Nora Quist");
  s.SetContactPhone("(217) 555-0142");
  s.SetContactPhoneExtension("17");
  s.SetContactEmail("nora@ledgerlane.example");
  s.SetContactFax("(217) 555-0143");
  s.SetProblemNotifcationCode("1");
  s.SetPreparerCode("A");
  return s;
}

inline CompanyRecord Payer() {
  CompanyRecord c;
  c.SetEmployerIdentificationNumber("37-2233445");
  c.SetEmployerName("Prairie Tool & Die");
  c.SetAddress1("400 Industrial Pkwy");
  c.SetCity("Decatur");
  c.SetState("IL");
  c.SetZip("62521-1234");
  c.SetStateID("2233-4455");
  c.SetFormW3EstablishmentNumber("0001");
  c.FormW3RadioKindOfPayer = 0;
  c.SetFormW3ContactName("Ida Moss");
  c.SetFormW3Telephone("(217) 555-0188");
  c.SetFormW3Email("ida@prairietool.example");
  c.SetForm1096Telephone("(217) 555-0188");
  return c;
}

inline EmployeeRecord Employee(int32_t id, const char* ssn, const char* first, const char* middle, const char* last,
                               const char* suffix, const char* address1, const char* address2, const char* city,
                               const char* zip) {
  EmployeeRecord e;
  e.EmployeeUniqueID = id;
  e.SetSocialSecurityNumber(ssn);
  e.SetFirstName(first);
  e.SetMiddleName(middle);
  e.SetLastName(last);
  e.SetSuffix(suffix);
  e.SetAddress1(address1);
  e.SetAddress2(address2);
  e.SetCity(city);
  e.SetState("IL");
  e.SetZip(zip);
  return e;
}

inline W2Record Wages(int32_t id, const char* wages, const char* federal, const char* ssTax, const char* medicareTax) {
  W2Record w;
  w.W2UniqueID = id;
  w.EmployeeUniqueID = id;
  w.SetWages(wages);
  w.SetFederalIncomeTaxWithdrawal(federal);
  w.SetSocialSecurityWages(wages);
  w.SetSocialSecurityTaxWithheld(ssTax);
  w.SetMedicareWages(wages);
  w.SetMedicareTaxWithheld(medicareTax);
  return w;
}

// Box 12 codes D, E and AA (and C and S, which the W-3's box 12 leaves out
// and puts in the optional record), allocated tips, dependent care and a
// nonqualified plan, a statutory employee, accented names.
inline WageCompany DeferralsCompany() {
  WageCompany c{Submitter(), Payer(), {}, {}};
  c.employees = {
      Employee(1, "123-45-6789", "\xC9lodie", "M", "Br\xFBl\xE9-Smith", "", "12 Oak St", "Apt 4", "Decatur",
               "62521"),
      Employee(2, "234-56-7890", "Thomas", "J", "O'Neill", "Jr", "77 Elm Ave", "", "Forsyth", "62535-0077"),
      Employee(3, "345-67-8901", "Grace", "", "Liu", "", "5 Pine Ct", "", "Decatur", "62526"),
  };
  W2Record a = Wages(1, "52000.00", "6100.00", "3224.00", "754.00");
  a.SetField12aCode("D"), a.SetField12aAmount("2000.00");
  a.SetField12bCode("C"), a.SetField12bAmount("120.50");
  a.RetirementPlan = 1;
  W2Record b = Wages(2, "38500.00", "4000.00", "2387.00", "558.25");
  b.SetField12aCode("E"), b.SetField12aAmount("1500.00");
  b.SetField12bCode("0"), b.SetField12bAmount("2500.00");  // AA
  b.SetField12cCode("S"), b.SetField12cAmount("800.00");
  b.SetAllocatedTips("310.00");
  b.RetirementPlan = 1;
  W2Record g = Wages(3, "12000.00", "900.00", "744.00", "174.00");
  g.SetField12aCode("0"), g.SetField12aAmount("600.00");
  g.SetDependentCareBenefits("1200.00");
  g.SetNonQualifiedPlans("500.00");
  g.StatutoryEmployee = 1;
  c.forms = {a, b, g};
  return c;
}

// A household employer (Kind of Payer "Hshld. emp."), with state lines: line
// 1 defaulting to the employer's state, a second state on line 2.
inline WageCompany HouseholdCompany() {
  WageCompany c{Submitter(), {}, {}, {}};
  c.submitter.SetPreparerCode("L");
  c.submitter.SetProblemNotifcationCode("2");
  c.company.SetEmployerIdentificationNumber("38-5566778");
  c.company.SetEmployerName("Margaret Whitfield");
  c.company.SetAddress1("19 Lakeview Dr");
  c.company.SetCity("Springfield");
  c.company.SetState("IL");
  c.company.SetZip("62704");
  c.company.SetStateID("4455-6677");
  c.company.FormW3RadioKindOfPayer = 3;
  c.employees = {
      Employee(1, "456-78-9012", "Rosa", "", "Delgado", "", "301 Birch Rd", "", "Springfield", "62703"),
      Employee(2, "567-89-0123", "Ned", "", "Park", "", "18 Cedar St", "", "Chatham", "62629"),
  };
  W2Record rosa = Wages(1, "18200.00", "0.00", "1128.40", "263.90");
  rosa.SetStateWages1("16200.00"), rosa.SetStateIncomTax1("486.00");
  rosa.SetState2("WI"), rosa.SetStateID2("036-000123"), rosa.SetStateWages2("2000.00"), rosa.SetStateIncomTax2("90.00");
  W2Record ned;
  ned.W2UniqueID = 2, ned.EmployeeUniqueID = 2;
  ned.SetWages("1200.00");
  ned.SetStateWages1("1200.00");
  c.forms = {rosa, ned};
  return c;
}

// A third-party sick pay payer: the W-3's sick pay box and its box 14, a
// W-2 with box 13's third-party sick pay checked and a code J amount (which
// the wage file cannot carry).
inline WageCompany SickPayCompany() {
  WageCompany c{Submitter(), Payer(), {}, {}};
  c.company.SetEmployerIdentificationNumber("39-7788990");
  c.company.SetEmployerName("Heartland Mutual Insurance");
  c.company.FormW3CheckThirdPartySickPay = 1;
  c.company.SetFormW3ThirdPartySickPay("Sick pay recap");
  c.company.SetFormW3IncomeTaxWithHeld("1250.00");
  c.employees = {Employee(1, "678-90-1234", "Victor", "A", "Osei", "", "2 River Rd", "", "Decatur", "62522")};
  W2Record w = Wages(1, "8400.00", "1250.00", "520.80", "121.80");
  w.ThirdPartySickpay = 1;
  w.SetField12aCode("J"), w.SetField12aAmount("3000.00");
  c.forms = {w};
  return c;
}

inline ContractorRecord Contractor(int32_t id, const char* tin, const char* name1, const char* address,
                                   const char* city, const char* state, const char* zip) {
  ContractorRecord r;
  r.ContractorUniqueID = id;
  r.SetIdentificationNumber(tin);
  r.SetNameLine1(name1);
  r.SetAddress1(address);
  r.SetCity(city);
  r.SetState(state);
  r.SetZip(zip);
  return r;
}

// Rents with federal tax withheld (a contractor of an older file, named by
// first, middle and last name), nonemployee compensation with state tax,
// attorney proceeds with a second TIN notice, section 409A amounts with other
// income, and direct sales only; a test file.
inline MiscCompany MiscellaneousCompany() {
  MiscCompany c;
  TransmitterRecord& t = c.transmitter;
  t.SetTransmitterTIN("41-9988776");
  t.SetTransmitterControlCode("7Q2B9");
  t.SetTransmitterName("Summit Payroll Services");
  t.SetCompanyName("Summit Payroll Services");
  t.SetCompanyMailingAddress("1800 Commerce Blvd Ste 5");
  t.SetCompanyCity("Peoria");
  t.SetCompanyState("IL");
  t.SetCompanyZipCode("61602-1100");
  t.SetContactName("Owen Hart");
  t.SetContactPhoneNumberAndExtension("(309) 555-0199 x204");
  t.SetContactEmailAddress("owen@summitpay.example");
  t.SetTestFileIndicator("T");
  t.FileTypeOriginal = 1;
  c.company = Payer();

  ContractorRecord vance = Contractor(3, "456-78-9012", "", "9 Mill St", "Evansville", "IN", "47708");
  vance.SetFirstName("Carl"), vance.SetMiddleName("B"), vance.SetLastName("Vance");
  ContractorRecord law = Contractor(2, "20-1234567", "The Law Office of Ana Ruiz", "1 Court Sq", "Madison", "WI",
                                    "53703-2211");
  law.SecondTIN = 1;
  c.contractors = {
      Contractor(1, "36-7788123", "Northside Design LLC", "700 N Grand Ave", "Springfield", "IL", "62702"),
      law,
      vance,
      Contractor(4, "567-89-0123", "Kim Sales", "4 Oak Ln", "Green Bay", "WI", "54301"),
      Contractor(5, "27-5544332", "Helix Exec Partners", "55 Market St", "San Jose", "CA", "95113"),
  };
  c.contractors[0].SetAccountNumber("ND-2007");

  Form1099Record nec;
  nec.Form1099UniqueID = 1, nec.ContractorUniqueID = 1;
  nec.SetNonemployeeCompensation("12500.00");
  nec.SetStateTaxWithheld1("250.00");
  Form1099Record attorney;
  attorney.Form1099UniqueID = 2, attorney.ContractorUniqueID = 2;
  attorney.SetGrossProceedsPaidToAttorney("45000.00");
  attorney.SetStateTaxWithheld1("500.00");
  Form1099Record rents;
  rents.Form1099UniqueID = 3, rents.ContractorUniqueID = 3;
  rents.SetRents("9600.00");
  rents.SetFederalIncomeTaxWithheld("960.00");
  Form1099Record sales;
  sales.Form1099UniqueID = 4, sales.ContractorUniqueID = 4;
  sales.PayerMadeDirectSales = 1;
  Form1099Record deferrals;
  deferrals.Form1099UniqueID = 5, deferrals.ContractorUniqueID = 5;
  deferrals.SetField15A("20000.00");
  deferrals.SetField15B("3500.00");
  deferrals.SetOtherIncome("800.00");
  c.forms = {nec, attorney, rents, sales, deferrals};
  return c;
}

}  // namespace formet::test
