// Writing the electronic filing files of a large company: the SSA wage file
// from N W-2s and the IRS 1099-MISC file from M forms, each checked, built,
// read back, compared with the W-3 or 1096 and written to disk; at a quarter,
// half and the whole of the size, to show the time grows linearly.
//   build/bin/efiling_bench [w2s] [forms1099] [folder]
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/1099/irs1099_file.h"
#include "forms/efile_common.h"
#include "forms/w2/efw2_file.h"

namespace {

using namespace formet;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The processor time of this process (user and system), which a machine
// shared with other work does not inflate as it does the wall-clock time.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A valid social security number per id: areas 001-665, groups 01-99, serials 0001-9999.
std::string Ssn(int id) {
  char text[12];
  std::snprintf(text, sizeof text, "%03d-%02d-%04d", 1 + id / 990000 % 665, 1 + id / 9999 % 99, 1 + id % 9999);
  return text;
}

struct WageCompany {
  SubmitterRecord submitter;
  CompanyRecord company;
  std::vector<EmployeeRecord> employees;
  std::vector<W2Record> forms;
};

CompanyRecord Company() {
  CompanyRecord c;
  c.SetEmployerIdentificationNumber("36-4125798");
  c.SetEmployerName("Prairie Tool & Die");
  c.SetAddress1("400 Industrial Pkwy");
  c.SetCity("Decatur");
  c.SetState("IL");
  c.SetZip("62521-1234");
  c.SetForm1096Telephone("(217) 555-0188");
  return c;
}

WageCompany MakeWageCompany(int n) {
  WageCompany w;
  auto& s = w.submitter;
  s.SetSubmitterEIN("36-4125798"), s.SetSubmitterPIN("AB12CD34"), s.SetResubIndicator("0");
  s.SetSubmitterName("Ledger & Lane CPAs"), s.SetDeliveryAddress("88 State St"), s.SetCity("Springfield");
  s.SetStateAbbreviation("IL"), s.SetZipCode("62701"), s.SetContactName("Nora Quist");
  s.SetContactPhone("(217) 555-0142"), s.SetContactEmail("nora@ledgerlane.example");
  s.SetProblemNotifcationCode("1"), s.SetPreparerCode("A");
  w.company = Company();
  w.employees.reserve(static_cast<size_t>(n));
  w.forms.reserve(static_cast<size_t>(n));
  for (int id = 1; id <= n; ++id) {
    EmployeeRecord e;
    e.EmployeeUniqueID = id;
    e.SetSocialSecurityNumber(Ssn(id));
    e.SetFirstName("Fran\xE7oise");
    e.SetMiddleName("Q");
    e.SetLastName("O'Last" + std::to_string(id));
    e.SetAddress1(std::to_string(id) + " Main Street");
    e.SetAddress2("Apt 2");
    e.SetCity("Springfield");
    e.SetState("IL");
    e.SetZip("62701-1234");
    w.employees.push_back(e);
    W2Record f;
    f.W2UniqueID = id;
    f.EmployeeUniqueID = id;
    f.SetStateWages1("48250.00");
    f.SetMedicareWages(f.StateWages1());
    f.SetSocialSecurityWages(f.StateWages1());
    f.SetWages(f.StateWages1());
    f.SetFederalIncomeTaxWithdrawal("5120.00");
    f.SetSocialSecurityTaxWithheld("2991.50");
    f.SetMedicareTaxWithheld("699.63");
    f.SetField12aCode("D"), f.SetField12aAmount("2400.00");
    f.SetField12bCode("0"), f.SetField12bAmount("500.00");
    if (id % 10 == 0) f.SetAllocatedTips("125.00");  // every tenth with an optional record
    f.SetStateIncomTax1("1447.50");
    f.RetirementPlan = 1;
    w.forms.push_back(f);
  }
  return w;
}

struct MiscCompany {
  TransmitterRecord transmitter;
  CompanyRecord company;
  std::vector<ContractorRecord> contractors;
  std::vector<Form1099Record> forms;
};

MiscCompany MakeMiscCompany(int n) {
  MiscCompany m;
  auto& t = m.transmitter;
  t.SetTransmitterTIN("41-9988776"), t.SetTransmitterControlCode("7Q2B9"), t.SetTransmitterName("Summit Payroll");
  t.SetCompanyName("Summit Payroll"), t.SetCompanyMailingAddress("1800 Commerce Blvd"), t.SetCompanyCity("Peoria");
  t.SetCompanyState("IL"), t.SetCompanyZipCode("61602"), t.SetContactName("Owen Hart");
  t.SetContactPhoneNumberAndExtension("(309) 555-0199"), t.FileTypeOriginal = 1;
  m.company = Company();
  m.contractors.reserve(static_cast<size_t>(n));
  m.forms.reserve(static_cast<size_t>(n));
  for (int id = 1; id <= n; ++id) {
    ContractorRecord c;
    c.ContractorUniqueID = id;
    c.SetIdentificationNumber(id % 2 ? Ssn(id) : "36-" + std::to_string(1000000 + id));
    c.SetNameLine1(id % 2 ? "Daniel Reyes " + std::to_string(id) : "Northside Design " + std::to_string(id) + " LLC");
    c.SetAddress1(std::to_string(id) + " Elm St");
    c.SetCity("Rochester");
    c.SetState(id % 3 ? "IL" : "WI");
    c.SetZip("62563");
    c.SetAccountNumber("AC-" + std::to_string(id));
    m.contractors.push_back(c);
    Form1099Record f;
    f.Form1099UniqueID = id;
    f.ContractorUniqueID = id;
    f.SetNonemployeeCompensation("4800.00");
    if (id % 4 == 0) f.SetRents("1200.00");
    if (id % 7 == 0) f.SetGrossProceedsPaidToAttorney("900.00");
    f.SetStateTaxWithheld1("48.00");
    m.forms.push_back(f);
  }
  return m;
}

struct Times {
  double make = 1e9;   // check, build, read back, compare with the W-3 / 1096 (wall clock)
  double write = 1e9;  // write beside, flush to disk, rename (wall clock)
  double cpu = 1e9;    // processor time of both
};

// The best of three runs of making and of writing the file.
template <class Result, class Make>
Times Best(const fs::path& file, Make&& make, size_t& bytes) {
  Times best;
  for (int run = 0; run < 3; ++run) {
    auto start = Clock::now();
    const double cpu = CpuSeconds();
    const Result r = make();
    best.make = std::min(best.make, Seconds(start));
    if (r.report.HasErrors()) {
      std::fprintf(stderr, "%s", r.report.Text().c_str());
      std::exit(1);
    }
    start = Clock::now();
    if (const auto problem = efile::WriteFilingFile(file, r.bytes)) {
      std::fprintf(stderr, "%s\n", problem->c_str());
      std::exit(1);
    }
    best.write = std::min(best.write, Seconds(start));
    best.cpu = std::min(best.cpu, CpuSeconds() - cpu);
    bytes = r.bytes.size();
  }
  return best;
}

void Row(const char* name, int forms, const Times& t, size_t bytes) {
  std::printf("%-34s %8d %8.3f %8.3f %8.3f %8.3f %9.2f %7.1f\n", name, forms, t.make, t.write, t.make + t.write,
              t.cpu, t.cpu * 1e6 / forms, static_cast<double>(bytes) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  // Every file of a size gets fresh memory, as in one run of the program:
  // without this the allocator would keep and reuse the buffers of files
  // up to 32 MB between the runs, and only those.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  const int w2s = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int misc = argc > 2 ? std::atoi(argv[2]) : 50000;
  const fs::path folder = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path() / "formet-efiling-bench";
  fs::create_directories(folder);

  std::printf("%-34s %8s %8s %8s %8s %8s %9s %7s\n", "file", "forms", "make s", "write s", "total s", "cpu s",
              "cpu ms/1k", "MB");
  for (bool stateRecords : {false, true}) {
    for (int part : {4, 2, 1}) {
      const WageCompany w = MakeWageCompany(w2s / part);
      size_t bytes = 0;
      const Times t = Best<efile::Efw2Result>(folder / "w2.txt", [&] {
        return efile::MakeEfw2File(w.submitter, w.company, w.employees, w.forms, {stateRecords});
      }, bytes);
      Row(stateRecords ? "EFW2 with state records (RS)" : "EFW2", w2s / part, t, bytes);
    }
  }
  for (bool combined : {false, true}) {
    for (int part : {4, 2, 1}) {
      const MiscCompany m = MakeMiscCompany(misc / part);
      size_t bytes = 0;
      const Times t = Best<efile::Irs1099Result>(folder / "1099.txt", [&] {
        return efile::Make1099File(m.transmitter, m.company, m.contractors, m.forms, {combined});
      }, bytes);
      Row(combined ? "1099-MISC, combined federal/state" : "1099-MISC", misc / part, t, bytes);
    }
  }
  fs::remove_all(folder);
  return 0;
}
