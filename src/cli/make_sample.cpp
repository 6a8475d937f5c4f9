// Builds the ready-made "Sample Company" file that ships beside the program:
// a believable payer with a few employees (W-2 amounts for 2007) and
// contractors (1099-MISC amounts), written through the company document.
#include <filesystem>
#include <iostream>

#include "store/global_doc.h"
#include "store/settings_store.h"
#include "store/ui_services.h"

namespace {

using namespace formet;

class QuietUi : public UiServices {
 public:
  std::string name;
  void ShowMessage(const std::string& text) override { std::cerr << text << "\n"; }
  bool AskYesNo(const std::string&) override { return true; }
  Answer AskYesNoCancel(const std::string&) override { return Answer::Yes; }
  std::optional<NewCompanyEntry> AskNewCompany() override { return NewCompanyEntry{name, name}; }
  std::optional<std::string> ChooseCompany(const std::vector<std::string>&) override { return std::nullopt; }
};

struct Pay {
  const char *first, *middle, *last, *ssn, *address, *city, *zip;
  const char *wages, *federal, *ssWages, *ssTax, *medicare, *medicareTax, *code, *codeAmount, *stateTax;
  int retirement;
};

constexpr Pay kEmployees[] = {
    {"Maria", "L", "Gonzalez", "412-55-1001", "48 Lincoln Ave", "Springfield", "62702", "48250.00", "5120.00",
     "48250.00", "2991.50", "48250.00", "699.63", "D", "2400.00", "1447.50", 1},
    {"James", "T", "O'Connor", "412-55-1002", "311 Walnut St Apt 2", "Chatham", "62629", "62400.00", "8300.00",
     "62400.00", "3868.80", "62400.00", "904.80", "D", "3120.00", "1872.00", 1},
    {"Aisha", "K", "Patel", "412-55-1003", "9 Meadow Ln", "Springfield", "62704", "35780.00", "3010.00",
     "35780.00", "2218.36", "35780.00", "518.81", "", "", "1073.40", 0},
    {"Robert", "", "Chen", "412-55-1004", "1520 Lakeshore Dr", "Springfield", "62712", "105000.00", "19850.00",
     "97500.00", "6045.00", "105000.00", "1522.50", "D", "6000.00", "3150.00", 1},
};

struct Payee {
  const char *name1, *name2, *first, *last, *tin, *address, *city, *state, *zip, *account;
  const char *nonemployee, *rents, *other;
};

constexpr Payee kContractors[] = {
    {"Northside Design LLC", "", "", "", "36-7788123", "700 N Grand Ave", "Springfield", "IL", "62702", "ND-2007",
     "12500.00", "", ""},
    {"Daniel Reyes", "", "Daniel", "Reyes", "345-67-8901", "22 Elm St", "Rochester", "IL", "62563", "DR-14",
     "4800.00", "", ""},
    {"Prairie Properties Inc", "Attn: Leasing Office", "", "", "37-1190456", "4100 Wabash Ave", "Springfield",
     "IL", "62711", "PP-LEASE", "", "18000.00", "650.00"},
};

// The payer: its identity and the contacts of the W-3 and the 1096.
void SetUpCompany(CGlobalDoc& doc) {
  auto& c = doc.GetCompany();
  c.SetEmployerIdentificationNumber("36-4125798");
  c.SetAddress1("1200 Capitol Ave");
  c.SetAddress2("Suite 300");
  c.SetCity("Springfield");
  c.SetState("IL");
  c.SetZip("62701");
  c.SetStateID("4125-7980");
  c.SetFormW3ContactName("Linda Park");
  c.SetFormW3Telephone("(217) 555-0100");
  c.SetFormW3Email("payroll@samplecompany.example");
  c.SetFormW3Fax("(217) 555-0101");
  c.FormW3RadioKindOfPayer = 0;
  c.SetForm1096ContactName("Linda Park");
  c.SetForm1096Telephone("(217) 555-0100");
  c.SetForm1096Fax("(217) 555-0101");
  c.SetForm1096Email("payroll@samplecompany.example");
  doc.SetModified(true);
  doc.AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, false);
}

// The employees, each with a W-2 of 2007 amounts.
void AddEmployees(CGlobalDoc& doc) {
  const auto& c = doc.GetCompany();
  for (const auto& p : kEmployees) {
    auto& list = doc.GetEmployees();
    EmployeeRecord e;
    e.EmployeeUniqueID = NextUniqueId(list, &EmployeeRecord::EmployeeUniqueID);
    e.SetSocialSecurityNumber(p.ssn);
    e.SetFirstName(p.first);
    e.SetMiddleName(p.middle);
    e.SetLastName(p.last);
    e.SetAddress1(p.address);
    e.SetCity(p.city);
    e.SetState("IL");
    e.SetZip(p.zip);
    list.push_back(e);
    doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, static_cast<int32_t>(list.size() - 1),
                          e.EmployeeUniqueID},
                         false);

    auto& forms = doc.GetW2Forms();
    W2Record w;
    w.W2UniqueID = NextUniqueId(forms, &W2Record::W2UniqueID);
    w.EmployeeUniqueID = e.EmployeeUniqueID;
    w.SetWages(p.wages);
    w.SetFederalIncomeTaxWithdrawal(p.federal);
    w.SetSocialSecurityWages(p.ssWages);
    w.SetSocialSecurityTaxWithheld(p.ssTax);
    w.SetMedicareWages(p.medicare);
    w.SetMedicareTaxWithheld(p.medicareTax);
    w.RetirementPlan = p.retirement;
    w.SetField12aCode(p.code);
    w.SetField12aAmount(p.codeAmount);
    w.SetState1("IL");
    w.SetStateID1(c.StateID());
    w.SetStateWages1(p.wages);
    w.SetStateIncomTax1(p.stateTax);
    forms.push_back(w);
    doc.AddPendingChange({ChangeKind::W2, ChangeOp::Insert, static_cast<int32_t>(forms.size() - 1), w.W2UniqueID},
                         false);
  }
}

// The contractors, each with a 1099-MISC.
void AddContractors(CGlobalDoc& doc) {
  for (const auto& p : kContractors) {
    auto& list = doc.GetContractors();
    ContractorRecord r;
    r.ContractorUniqueID = NextUniqueId(list, &ContractorRecord::ContractorUniqueID);
    r.SetIdentificationNumber(p.tin);
    r.SetFirstName(p.first);
    r.SetLastName(p.last);
    r.SetNameLine1(p.name1);
    r.SetNameLine2(p.name2);
    r.SetAddress1(p.address);
    r.SetCity(p.city);
    r.SetState(p.state);
    r.SetZip(p.zip);
    r.SetAccountNumber(p.account);
    list.push_back(r);
    doc.AddPendingChange({ChangeKind::Contractor, ChangeOp::Insert, static_cast<int32_t>(list.size() - 1),
                          r.ContractorUniqueID},
                         false);

    auto& forms = doc.GetForms1099();
    Form1099Record f;
    f.Form1099UniqueID = NextUniqueId(forms, &Form1099Record::Form1099UniqueID);
    f.ContractorUniqueID = r.ContractorUniqueID;
    f.SetNonemployeeCompensation(p.nonemployee);
    f.SetRents(p.rents);
    f.SetOtherIncome(p.other);
    forms.push_back(f);
    doc.AddPendingChange(
        {ChangeKind::Form1099, ChangeOp::Insert, static_cast<int32_t>(forms.size() - 1), f.Form1099UniqueID}, false);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: formet-make-sample OUTPUT.qdt\n";
    return 2;
  }
  const std::filesystem::path output = argv[1];
  std::error_code ec;
  std::filesystem::remove(output, ec);

  QuietUi ui;
  ui.name = output.stem().string();
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, output.parent_path());
  doc.BeginSession();
  if (!doc.NewCompany()) return 1;

  SetUpCompany(doc);
  AddEmployees(doc);
  AddContractors(doc);

  if (int rc = doc.SaveChanges()) {
    std::cerr << "formet-make-sample: saving failed with engine code " << rc << "\n";
    return 1;
  }
  return 0;
}
