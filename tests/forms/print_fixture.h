#pragma once
// A company with employees and contractors in memory, for the print layouts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/print/recording_canvas.h"
#include "store/records.h"
#include "test_support.h"

namespace formet::test {

inline CompanyRecord PrintCompany() {
  CompanyRecord c;
  c.EmployerIdentificationNumber = "12-3456789";
  c.EmployerName = "Acme Supply";
  c.Address1 = "1 Main St";
  c.Address2 = "Suite 2";
  c.City = "Springfield";
  c.State = "MA";
  c.Zip = "01101-0001";
  c.StateID = "MA-77";
  c.FormW3ControlNumber = "CTRL9";
  c.Form1096Telephone = "(413) 555-0100";
  c.SocialSecurityNumber = "999-88-7777";
  return c;
}

inline EmployeeRecord PrintEmployee(int32_t id, const std::string& last) {
  EmployeeRecord e;
  e.EmployeeUniqueID = id;
  e.SocialSecurityNumber = "123-45-" + std::to_string(6780 + id);
  e.FirstName = "Ann";
  e.MiddleName = "Q";
  e.LastName = last;
  e.Suffix = "Jr";
  e.Address1 = "9 Elm Rd";
  e.City = "Boston";
  e.State = "MA";
  e.Zip = "02101";
  return e;
}

inline W2Record PrintW2(int32_t id, int32_t employeeId) {
  W2Record w;
  w.W2UniqueID = id;
  w.EmployeeUniqueID = employeeId;
  w.Wages = std::to_string(1000 * employeeId) + ".00";
  w.FederalIncomeTaxWithdrawal = "0.00";
  w.SocialSecurityWages = "0";
  w.Field12aCode = "0";
  w.Field12aYear = "07";
  w.Field12aAmount = "300.00";
  w.Other1 = "top";
  w.Other2 = "middle";
  w.Other3 = "bottom";
  return w;
}

// n employees, each with a W-2, in list order.
struct PrintPayroll {
  CompanyRecord company = PrintCompany();
  std::vector<EmployeeRecord> employees;
  std::vector<W2Record> forms;
  std::vector<int> order;
  explicit PrintPayroll(int n) {
    for (int i = 1; i <= n; ++i) {
      employees.push_back(PrintEmployee(i, "Lee" + std::to_string(i)));
      forms.push_back(PrintW2(100 + i, i));
      order.push_back(i - 1);
    }
  }
};

inline ContractorRecord PrintContractor(int32_t id, const std::string& name) {
  ContractorRecord r;
  r.ContractorUniqueID = id;
  r.IdentificationNumber = "11-22233" + std::to_string(id);
  r.NameLine1 = name;
  r.NameLine2 = "dba Bolt";
  r.Address1 = "5 Oak Ave";
  r.City = "Albany";
  r.State = "NY";
  r.Zip = "12201";
  r.AccountNumber = "AC-" + std::to_string(id);
  return r;
}

inline Form1099Record PrintForm1099(int32_t id, int32_t contractorId) {
  Form1099Record f;
  f.Form1099UniqueID = id;
  f.ContractorUniqueID = contractorId;
  for (std::string* box : {&f.Rents, &f.Royalities, &f.OtherIncome, &f.FederalIncomeTaxWithheld,
                           &f.FishingBoatProceeds, &f.MedicalAndHealthCarePayments, &f.NonemployeeCompensation,
                           &f.SubstitutePayments, &f.CropInsuranceProceeds, &f.ExcessGoldenParachutePayments,
                           &f.GrossProceedsPaidToAttorney, &f.Field15A, &f.Field15B, &f.StateTaxWithheld1,
                           &f.StateTaxWithheld2, &f.StateIncome1, &f.StateIncome2})
    *box = "0.00";
  f.Rents = "1500.00";
  f.NonemployeeCompensation = std::to_string(200 * contractorId) + ".00";
  f.PayerStateID1 = "NY-1";
  f.PayerStateID2 = "NY-2";
  return f;
}

struct PrintContractors {
  CompanyRecord company = PrintCompany();
  std::vector<ContractorRecord> contractors;
  std::vector<Form1099Record> forms;
  std::vector<int> order;
  explicit PrintContractors(int n) {
    for (int i = 1; i <= n; ++i) {
      contractors.push_back(PrintContractor(i, "Bolt Electric " + std::to_string(i)));
      forms.push_back(PrintForm1099(50 + i, i));
      order.push_back(i - 1);
    }
  }
};

// The texts of a recorded page with this text, in drawing order.
inline std::vector<CanvasOp> TextsNamed(const RecordingCanvas& page, const std::string& text) {
  std::vector<CanvasOp> out;
  for (const auto& op : page.Texts())
    if (op.text == text) out.push_back(op);
  return out;
}

inline PrintPoint At(const CanvasOp* op) { return op ? PrintPoint{op->x, op->y} : PrintPoint{-1, -1}; }

}  // namespace formet::test

namespace formet {
inline void PrintTo(const PrintPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace formet
