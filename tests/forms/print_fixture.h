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
  c.SetEmployerIdentificationNumber("12-3456789");
  c.SetEmployerName("Acme Supply");
  c.SetAddress1("1 Main St");
  c.SetAddress2("Suite 2");
  c.SetCity("Springfield");
  c.SetState("MA");
  c.SetZip("01101-0001");
  c.SetStateID("MA-77");
  c.SetFormW3ControlNumber("CTRL9");
  c.SetForm1096Telephone("(413) 555-0100");
  c.SetSocialSecurityNumber("999-88-7777");
  return c;
}

inline EmployeeRecord PrintEmployee(int32_t id, const std::string& last) {
  EmployeeRecord e;
  e.EmployeeUniqueID = id;
  e.SetSocialSecurityNumber("123-45-" + std::to_string(6780 + id));
  e.SetFirstName("Ann");
  e.SetMiddleName("Q");
  e.SetLastName(last);
  e.SetSuffix("Jr");
  e.SetAddress1("9 Elm Rd");
  e.SetCity("Boston");
  e.SetState("MA");
  e.SetZip("02101");
  return e;
}

inline W2Record PrintW2(int32_t id, int32_t employeeId) {
  W2Record w;
  w.W2UniqueID = id;
  w.EmployeeUniqueID = employeeId;
  w.SetWages(std::to_string(1000 * employeeId) + ".00");
  w.SetFederalIncomeTaxWithdrawal("0.00");
  w.SetSocialSecurityWages("0");
  w.SetField12aCode("0");
  w.SetField12aYear("07");
  w.SetField12aAmount("300.00");
  w.SetOther1("top");
  w.SetOther2("middle");
  w.SetOther3("bottom");
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
  r.SetIdentificationNumber("11-22233" + std::to_string(id));
  r.SetNameLine1(name);
  r.SetNameLine2("dba Bolt");
  r.SetAddress1("5 Oak Ave");
  r.SetCity("Albany");
  r.SetState("NY");
  r.SetZip("12201");
  r.SetAccountNumber("AC-" + std::to_string(id));
  return r;
}

inline Form1099Record PrintForm1099(int32_t id, int32_t contractorId) {
  Form1099Record f;
  f.Form1099UniqueID = id;
  f.ContractorUniqueID = contractorId;
  using T = Form1099Record::Text;
  for (T box : {T::Rents, T::Royalities, T::OtherIncome, T::FederalIncomeTaxWithheld, T::FishingBoatProceeds,
                T::MedicalAndHealthCarePayments, T::NonemployeeCompensation, T::SubstitutePayments,
                T::CropInsuranceProceeds, T::ExcessGoldenParachutePayments, T::GrossProceedsPaidToAttorney,
                T::Field15A, T::Field15B, T::StateTaxWithheld1, T::StateTaxWithheld2, T::StateIncome1,
                T::StateIncome2})
    f.SetTextAt(box, "0.00");
  f.SetRents("1500.00");
  f.SetNonemployeeCompensation(std::to_string(200 * contractorId) + ".00");
  f.SetPayerStateID1("NY-1");
  f.SetPayerStateID2("NY-2");
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
