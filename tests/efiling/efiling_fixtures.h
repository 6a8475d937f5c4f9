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
  s.SubmitterEIN = "36-4125798";
  s.SubmitterPIN = "AB12CD34";
  s.ResubIndicator = "0";
  s.SubmitterName = "Ledger & Lane CPAs";
  s.LocationAddress = "Suite 210";
  s.DeliveryAddress = "88 State St";
  s.City = "Springfield";
  s.StateAbbreviation = "IL";
  s.ZipCode = "62701-4410";
  s.ContactName = "Nora Quist";
  s.ContactPhone = "(217) 555-0142";
  s.ContactPhoneExtension = "17";
  s.ContactEmail = "nora@ledgerlane.example";
  s.ContactFax = "(217) 555-0143";
  s.ProblemNotifcationCode = "1";
  s.PreparerCode = "A";
  return s;
}

inline CompanyRecord Payer() {
  CompanyRecord c;
  c.EmployerIdentificationNumber = "37-2233445";
  c.EmployerName = "Prairie Tool & Die";
  c.Address1 = "400 Industrial Pkwy";
  c.City = "Decatur";
  c.State = "IL";
  c.Zip = "62521-1234";
  c.StateID = "2233-4455";
  c.FormW3EstablishmentNumber = "0001";
  c.FormW3RadioKindOfPayer = 0;
  c.FormW3ContactName = "Ida Moss";
  c.FormW3Telephone = "(217) 555-0188";
  c.FormW3Email = "ida@prairietool.example";
  c.Form1096Telephone = "(217) 555-0188";
  return c;
}

inline EmployeeRecord Employee(int32_t id, const char* ssn, const char* first, const char* middle, const char* last,
                               const char* suffix, const char* address1, const char* address2, const char* city,
                               const char* zip) {
  EmployeeRecord e;
  e.EmployeeUniqueID = id;
  e.SocialSecurityNumber = ssn;
  e.FirstName = first;
  e.MiddleName = middle;
  e.LastName = last;
  e.Suffix = suffix;
  e.Address1 = address1;
  e.Address2 = address2;
  e.City = city;
  e.State = "IL";
  e.Zip = zip;
  return e;
}

inline W2Record Wages(int32_t id, const char* wages, const char* federal, const char* ssTax, const char* medicareTax) {
  W2Record w;
  w.W2UniqueID = id;
  w.EmployeeUniqueID = id;
  w.Wages = wages;
  w.FederalIncomeTaxWithdrawal = federal;
  w.SocialSecurityWages = wages;
  w.SocialSecurityTaxWithheld = ssTax;
  w.MedicareWages = wages;
  w.MedicareTaxWithheld = medicareTax;
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
  a.Field12aCode = "D", a.Field12aAmount = "2000.00";
  a.Field12bCode = "C", a.Field12bAmount = "120.50";
  a.RetirementPlan = 1;
  W2Record b = Wages(2, "38500.00", "4000.00", "2387.00", "558.25");
  b.Field12aCode = "E", b.Field12aAmount = "1500.00";
  b.Field12bCode = "0", b.Field12bAmount = "2500.00";  // AA
  b.Field12cCode = "S", b.Field12cAmount = "800.00";
  b.AllocatedTips = "310.00";
  b.RetirementPlan = 1;
  W2Record g = Wages(3, "12000.00", "900.00", "744.00", "174.00");
  g.Field12aCode = "0", g.Field12aAmount = "600.00";
  g.DependentCareBenefits = "1200.00";
  g.NonQualifiedPlans = "500.00";
  g.StatutoryEmployee = 1;
  c.forms = {a, b, g};
  return c;
}

// A household employer (Kind of Payer "Hshld. emp."), with state lines: line
// 1 defaulting to the employer's state, a second state on line 2.
inline WageCompany HouseholdCompany() {
  WageCompany c{Submitter(), {}, {}, {}};
  c.submitter.PreparerCode = "L";
  c.submitter.ProblemNotifcationCode = "2";
  c.company.EmployerIdentificationNumber = "38-5566778";
  c.company.EmployerName = "Margaret Whitfield";
  c.company.Address1 = "19 Lakeview Dr";
  c.company.City = "Springfield";
  c.company.State = "IL";
  c.company.Zip = "62704";
  c.company.StateID = "4455-6677";
  c.company.FormW3RadioKindOfPayer = 3;
  c.employees = {
      Employee(1, "456-78-9012", "Rosa", "", "Delgado", "", "301 Birch Rd", "", "Springfield", "62703"),
      Employee(2, "567-89-0123", "Ned", "", "Park", "", "18 Cedar St", "", "Chatham", "62629"),
  };
  W2Record rosa = Wages(1, "18200.00", "0.00", "1128.40", "263.90");
  rosa.StateWages1 = "16200.00", rosa.StateIncomTax1 = "486.00";
  rosa.State2 = "WI", rosa.StateID2 = "036-000123", rosa.StateWages2 = "2000.00", rosa.StateIncomTax2 = "90.00";
  W2Record ned;
  ned.W2UniqueID = 2, ned.EmployeeUniqueID = 2;
  ned.Wages = "1200.00";
  ned.StateWages1 = "1200.00";
  c.forms = {rosa, ned};
  return c;
}

// A third-party sick pay payer: the W-3's sick pay box and its box 14, a
// W-2 with box 13's third-party sick pay checked and a code J amount (which
// the wage file cannot carry).
inline WageCompany SickPayCompany() {
  WageCompany c{Submitter(), Payer(), {}, {}};
  c.company.EmployerIdentificationNumber = "39-7788990";
  c.company.EmployerName = "Heartland Mutual Insurance";
  c.company.FormW3CheckThirdPartySickPay = 1;
  c.company.FormW3ThirdPartySickPay = "Sick pay recap";
  c.company.FormW3IncomeTaxWithHeld = "1250.00";
  c.employees = {Employee(1, "678-90-1234", "Victor", "A", "Osei", "", "2 River Rd", "", "Decatur", "62522")};
  W2Record w = Wages(1, "8400.00", "1250.00", "520.80", "121.80");
  w.ThirdPartySickpay = 1;
  w.Field12aCode = "J", w.Field12aAmount = "3000.00";
  c.forms = {w};
  return c;
}

inline ContractorRecord Contractor(int32_t id, const char* tin, const char* name1, const char* address,
                                   const char* city, const char* state, const char* zip) {
  ContractorRecord r;
  r.ContractorUniqueID = id;
  r.IdentificationNumber = tin;
  r.NameLine1 = name1;
  r.Address1 = address;
  r.City = city;
  r.State = state;
  r.Zip = zip;
  return r;
}

// Rents with federal tax withheld (a contractor of an older file, named by
// first, middle and last name), nonemployee compensation with state tax,
// attorney proceeds with a second TIN notice, section 409A amounts with other
// income, and direct sales only; a test file.
inline MiscCompany MiscellaneousCompany() {
  MiscCompany c;
  TransmitterRecord& t = c.transmitter;
  t.TransmitterTIN = "41-9988776";
  t.TransmitterControlCode = "7Q2B9";
  t.TransmitterName = "Summit Payroll Services";
  t.CompanyName = "Summit Payroll Services";
  t.CompanyMailingAddress = "1800 Commerce Blvd Ste 5";
  t.CompanyCity = "Peoria";
  t.CompanyState = "IL";
  t.CompanyZipCode = "61602-1100";
  t.ContactName = "Owen Hart";
  t.ContactPhoneNumberAndExtension = "(309) 555-0199 x204";
  t.ContactEmailAddress = "owen@summitpay.example";
  t.TestFileIndicator = "T";
  t.FileTypeOriginal = 1;
  c.company = Payer();

  ContractorRecord vance = Contractor(3, "456-78-9012", "", "9 Mill St", "Evansville", "IN", "47708");
  vance.FirstName = "Carl", vance.MiddleName = "B", vance.LastName = "Vance";
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
  c.contractors[0].AccountNumber = "ND-2007";

  Form1099Record nec;
  nec.Form1099UniqueID = 1, nec.ContractorUniqueID = 1;
  nec.NonemployeeCompensation = "12500.00";
  nec.StateTaxWithheld1 = "250.00";
  Form1099Record attorney;
  attorney.Form1099UniqueID = 2, attorney.ContractorUniqueID = 2;
  attorney.GrossProceedsPaidToAttorney = "45000.00";
  attorney.StateTaxWithheld1 = "500.00";
  Form1099Record rents;
  rents.Form1099UniqueID = 3, rents.ContractorUniqueID = 3;
  rents.Rents = "9600.00";
  rents.FederalIncomeTaxWithheld = "960.00";
  Form1099Record sales;
  sales.Form1099UniqueID = 4, sales.ContractorUniqueID = 4;
  sales.PayerMadeDirectSales = 1;
  Form1099Record deferrals;
  deferrals.Form1099UniqueID = 5, deferrals.ContractorUniqueID = 5;
  deferrals.Field15A = "20000.00";
  deferrals.Field15B = "3500.00";
  deferrals.OtherIncome = "800.00";
  c.forms = {nec, attorney, rents, sales, deferrals};
  return c;
}

}  // namespace formet::test
