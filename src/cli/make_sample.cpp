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

  auto& c = doc.GetCompany();
  c.EmployerIdentificationNumber = "36-4125798";
  c.Address1 = "1200 Capitol Ave";
  c.Address2 = "Suite 300";
  c.City = "Springfield";
  c.State = "IL";
  c.Zip = "62701";
  c.StateID = "4125-7980";
  c.FormW3ContactName = "Linda Park";
  c.FormW3Telephone = "(217) 555-0100";
  c.FormW3Email = "payroll@samplecompany.example";
  c.FormW3Fax = "(217) 555-0101";
  c.FormW3RadioKindOfPayer = 0;
  c.Form1096ContactName = "Linda Park";
  c.Form1096Telephone = "(217) 555-0100";
  c.Form1096Fax = "(217) 555-0101";
  c.Form1096Email = "payroll@samplecompany.example";
  doc.SetModified(true);
  doc.AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, false);

  for (const auto& p : kEmployees) {
    auto& list = doc.GetEmployees();
    EmployeeRecord e;
    e.EmployeeUniqueID = NextUniqueId(list, &EmployeeRecord::EmployeeUniqueID);
    e.SocialSecurityNumber = p.ssn;
    e.FirstName = p.first;
    e.MiddleName = p.middle;
    e.LastName = p.last;
    e.Address1 = p.address;
    e.City = p.city;
    e.State = "IL";
    e.Zip = p.zip;
    list.push_back(e);
    doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, static_cast<int32_t>(list.size() - 1),
                          e.EmployeeUniqueID},
                         false);

    auto& forms = doc.GetW2Forms();
    W2Record w;
    w.W2UniqueID = NextUniqueId(forms, &W2Record::W2UniqueID);
    w.EmployeeUniqueID = e.EmployeeUniqueID;
    w.Wages = p.wages;
    w.FederalIncomeTaxWithdrawal = p.federal;
    w.SocialSecurityWages = p.ssWages;
    w.SocialSecurityTaxWithheld = p.ssTax;
    w.MedicareWages = p.medicare;
    w.MedicareTaxWithheld = p.medicareTax;
    w.RetirementPlan = p.retirement;
    w.Field12aCode = p.code;
    w.Field12aAmount = p.codeAmount;
    w.State1 = "IL";
    w.StateID1 = c.StateID;
    w.StateWages1 = p.wages;
    w.StateIncomTax1 = p.stateTax;
    forms.push_back(w);
    doc.AddPendingChange({ChangeKind::W2, ChangeOp::Insert, static_cast<int32_t>(forms.size() - 1), w.W2UniqueID},
                         false);
  }

  for (const auto& p : kContractors) {
    auto& list = doc.GetContractors();
    ContractorRecord r;
    r.ContractorUniqueID = NextUniqueId(list, &ContractorRecord::ContractorUniqueID);
    r.IdentificationNumber = p.tin;
    r.FirstName = p.first;
    r.LastName = p.last;
    r.NameLine1 = p.name1;
    r.NameLine2 = p.name2;
    r.Address1 = p.address;
    r.City = p.city;
    r.State = p.state;
    r.Zip = p.zip;
    r.AccountNumber = p.account;
    list.push_back(r);
    doc.AddPendingChange({ChangeKind::Contractor, ChangeOp::Insert, static_cast<int32_t>(list.size() - 1),
                          r.ContractorUniqueID},
                         false);

    auto& forms = doc.GetForms1099();
    Form1099Record f;
    f.Form1099UniqueID = NextUniqueId(forms, &Form1099Record::Form1099UniqueID);
    f.ContractorUniqueID = r.ContractorUniqueID;
    f.NonemployeeCompensation = p.nonemployee;
    f.Rents = p.rents;
    f.OtherIncome = p.other;
    forms.push_back(f);
    doc.AddPendingChange(
        {ChangeKind::Form1099, ChangeOp::Insert, static_cast<int32_t>(forms.size() - 1), f.Form1099UniqueID}, false);
  }

  if (int rc = doc.SaveChanges()) {
    std::cerr << "formet-make-sample: saving failed with engine code " << rc << "\n";
    return 1;
  }
  return 0;
}
