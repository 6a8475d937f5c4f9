// Saving and loading a large company through the document, against the floor
// of the same rows written and read with plain prepared statements.
//   build/bin/store_bench [employees] [contractors]
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/company_database.h"
#include "store/company_file_vfs.h"
#include "store/global_doc.h"
#include "store/schema.h"
#include "store/settings_store.h"
#include "store/ui_services.h"

#include "bench_support.h"

namespace {

using namespace formet;
using namespace formet::bench;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }


EmployeeRecord MakeEmployee(int id) {
  EmployeeRecord e;
  e.EmployeeUniqueID = id;
  e.SetSocialSecurityNumber("412-55-" + std::to_string(1000 + id % 9000));
  e.SetFirstName("First" + std::to_string(id));
  e.SetMiddleName("Q");
  e.SetLastName("O'Last" + std::to_string(id));
  e.SetAddress1(std::to_string(id) + " Main Street");
  e.SetCity("Springfield");
  e.SetState("IL");
  e.SetZip("62701-1234");
  return e;
}

W2Record MakeW2(int id) {
  W2Record w;
  w.W2UniqueID = id;
  w.EmployeeUniqueID = id;
  w.SetStateWages1("48250.00");
  w.SetMedicareWages(w.StateWages1());
  w.SetSocialSecurityWages(w.StateWages1());
  w.SetWages(w.StateWages1());
  w.SetFederalIncomeTaxWithdrawal("5120.00");
  w.SetSocialSecurityTaxWithheld("2991.50");
  w.SetMedicareTaxWithheld("699.63");
  w.SetField12aCode("D");
  w.SetField12aAmount("2400.00");
  w.SetState1("IL");
  w.SetStateID1("4125-7980");
  w.SetStateIncomTax1("1447.50");
  w.RetirementPlan = 1;
  return w;
}

ContractorRecord MakeContractor(int id) {
  ContractorRecord c;
  c.ContractorUniqueID = id;
  c.SetIdentificationNumber("36-" + std::to_string(1000000 + id));
  c.SetNameLine1("Contractor " + std::to_string(id) + " LLC");
  c.SetAddress1(std::to_string(id) + " Grand Ave");
  c.SetCity("Springfield");
  c.SetState("IL");
  c.SetZip("62702");
  c.SetAccountNumber("AC-" + std::to_string(id));
  return c;
}

Form1099Record MakeForm1099(int id) {
  Form1099Record f;
  f.Form1099UniqueID = id;
  f.ContractorUniqueID = id;
  f.SetNonemployeeCompensation("12500.00");
  f.SetFederalIncomeTaxWithheld("0.00");
  f.SetPayerStateID1("4125-7980");
  return f;
}

double FloorInsert(const fs::path& path, int employees, int contractors) {
  {
    CompanyDatabase db;
    db.Open(path, OpenMode::Create);
    db.CreateTables();
  }
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, CompanyFileVfs());
  const auto start = Clock::now();
  sqlite3_exec(db, "BEGIN TRANSACTION;", nullptr, nullptr, nullptr);
  auto* emp = Prepare(db, InsertEmployeeSql());
  auto* w2 = Prepare(db, InsertW2Sql());
  auto* con = Prepare(db, "INSERT INTO Contractors(ContractorUniqueID,IdentificationNumber,FirstName,MiddleName,"
                          "LastName,Address1,Address2,City,State,Zip,AccountNumber,GeneralInformation,SecondTIN,"
                          "TypeOfTIN,NameLine1,NameLine2,ExtraText1,ExtraText2,ExtraText3,CompanyUniqueID) VALUES(" +
                              Placeholders(20) + ")");
  auto* f99 = Prepare(db, "INSERT INTO Form1099 VALUES(" + Placeholders(26) + ")");
  for (int id = 1; id <= employees; ++id) {
    const auto e = MakeEmployee(id);
    BindRow(emp, e, 1, {{15, 1}});
    Step(emp);
    const auto w = MakeW2(id);
    BindRow(w2, w, 1, {});
    Step(w2);
  }
  for (int id = 1; id <= contractors; ++id) {
    const auto c = MakeContractor(id);
    BindRow(con, c, 1, {{20, 1}});
    Step(con);
    const auto f = MakeForm1099(id);
    BindRow(f99, f, 1, {});
    Step(f99);
  }
  for (auto* s : {emp, w2, con, f99}) sqlite3_finalize(s);
  sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
  const double t = Seconds(start);
  sqlite3_close(db);
  return t;
}

double FloorRead(const fs::path& path, size_t& rows) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, CompanyFileVfs());
  const auto start = Clock::now();
  rows = 0;
  std::vector<std::string> values;
  for (const char* table : {"Company", "Employees", "Contractors", "W2", "Form1099", "W3", "Form1096",
                            "EFiling_1099_Transmitter", "EFiling_W2_Submitter"}) {
    auto* s = Prepare(db, std::string("SELECT * FROM ") + table);
    while (sqlite3_step(s) == SQLITE_ROW) {
      const int n = sqlite3_column_count(s);
      values.resize(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) {
        const auto* text = sqlite3_column_text(s, i);
        values[static_cast<size_t>(i)].assign(text ? reinterpret_cast<const char*>(text) : "");
      }
      ++rows;
    }
    sqlite3_finalize(s);
  }
  const double t = Seconds(start);
  sqlite3_close(db);
  return t;
}

double TimeCompaction(size_t records) {
  std::vector<PendingChange> journal;
  journal.reserve(records * 3);
  for (size_t i = 0; i < records; ++i) {
    const auto id = static_cast<int32_t>(i + 1);
    journal.push_back({ChangeKind::Employee, ChangeOp::Insert, id - 1, id});
    journal.push_back({ChangeKind::Employee, ChangeOp::Update, id - 1, id});
    if (i % 2) journal.push_back({ChangeKind::Employee, ChangeOp::Delete, id - 1, id});
  }
  const auto start = Clock::now();
  CompactJournal(journal);
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  // --keep FOLDER: the company "Big" is written into FOLDER and left there
  // (for measuring formet-cli on it); nothing else is run.
  std::optional<fs::path> keep;
  if (argc >= 3 && std::string(argv[1]) == "--keep") {
    keep = argv[2];
    argv += 2;
    argc -= 2;
  }
  const int employees = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int contractors = argc > 2 ? std::atoi(argv[2]) : 50000;
  const RunFolder folder("formet-bench");
  const fs::path dir = keep ? *keep : folder.Path();
  if (keep) fs::create_directories(dir);

  SilentUi ui;
  ui.name = "Big";
  MemorySettingsStore settings;
  double save = 0, load = 0;
  size_t loaded = 0;
  {
    CGlobalDoc doc(ui, settings, dir);
    doc.BeginSession();
    if (!doc.NewCompany()) return 1;
    for (int id = 1; id <= employees; ++id) {
      doc.AddRecord(MakeEmployee(id));
      doc.AddRecord(MakeW2(id));
    }
    for (int id = 1; id <= contractors; ++id) {
      doc.AddRecord(MakeContractor(id));
      doc.AddRecord(MakeForm1099(id));
    }
    const auto start = Clock::now();
    if (int rc = doc.SaveChanges()) {
      std::fprintf(stderr, "save failed: %d\n", rc);
      return 1;
    }
    save = Seconds(start);
  }
  if (keep) {
    std::printf("wrote %s: %.1f MB\n", (dir / "Big.qdt").c_str(),
                static_cast<double>(fs::file_size(dir / "Big.qdt")) / (1 << 20));
    return 0;
  }
  {
    CGlobalDoc doc(ui, settings, dir);
    doc.BeginSession();
    doc.SetCompany("Big");
    const auto start = Clock::now();
    if (!doc.OnNewDocument()) return 1;
    load = Seconds(start);
    loaded = doc.GetEmployees().size() + doc.GetW2Forms().size() + doc.GetContractors().size() +
             doc.GetForms1099().size();
  }
  const double floorInsert = FloorInsert(dir / "Floor.qdt", employees, contractors);
  size_t floorRows = 0;
  const double floorRead = FloorRead(dir / "Floor.qdt", floorRows);

  std::printf("rows: %d employees + %d W-2, %d contractors + %d 1099-MISC (loaded %zu)\n", employees, employees,
              contractors, contractors, loaded);
  std::printf("save through the journal : %7.3f s   insert floor: %7.3f s   ratio %.2f (target <= 3)\n", save,
              floorInsert, save / floorInsert);
  std::printf("load through the document: %7.3f s   read floor  : %7.3f s   ratio %.2f (target <= 1.5)\n", load,
              floorRead, load / floorRead);
  std::printf("company file %.1f MB\n", static_cast<double>(fs::file_size(dir / "Big.qdt")) / (1 << 20));
  const double c1 = TimeCompaction(150000), c2 = TimeCompaction(300000), c4 = TimeCompaction(600000);
  std::printf("journal compaction 150k/300k/600k records: %.3f / %.3f / %.3f s\n", c1, c2, c4);
  return 0;
}
