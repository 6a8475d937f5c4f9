// The form pages on a large company: the W-3 page's totals over N W-2s and
// the 1096 page's over M 1099-MISCs (what every refresh of those pages
// computes), at a quarter, half and the whole of each size to show the time
// grows linearly; and the W-2 page's Next and Previous through N employees in
// the employee page's order (sorted by last name), per click.
//   build/bin/form_pages_bench [w2s] [forms1099]
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "forms/1099/form1096_totals.h"
#include "forms/w2/w2_page_rules.h"
#include "forms/w2/w3_totals.h"
#include "records/payee_list.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

namespace {

using namespace formet;
namespace fs = std::filesystem;

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The best of `runs` runs of `work`, in milliseconds of processor time (the
// machine is shared, which inflates wall-clock figures).
template <class F>
double BestMs(int runs, F&& work) {
  double best = 1e9;
  for (int r = 0; r < runs; ++r) {
    const double start = CpuSeconds();
    work();
    best = std::min(best, (CpuSeconds() - start) * 1000.0);
  }
  return best;
}

std::vector<W2Record> MakeW2s(int n) {
  std::vector<W2Record> forms;
  forms.reserve(static_cast<size_t>(n));
  for (int id = 1; id <= n; ++id) {
    W2Record f;
    f.W2UniqueID = id;
    f.EmployeeUniqueID = id;
    f.SetStateWages1("48250.1" + std::to_string(id % 10));
    f.SetMedicareWages(f.StateWages1());
    f.SetSocialSecurityWages(f.StateWages1());
    f.SetWages(f.StateWages1());
    f.SetFederalIncomeTaxWithdrawal("5120.00");
    f.SetSocialSecurityTaxWithheld("2991.51");
    f.SetMedicareTaxWithheld("699.63");
    f.SetField12aCode("D"), f.SetField12aAmount("2400.00");
    f.SetField12bCode("0"), f.SetField12bAmount("500.00");
    f.SetField12cCode("C"), f.SetField12cAmount("80.00");
    if (id % 10 == 0) f.SetAllocatedTips("125.00");
    f.SetStateIncomTax1("1447.50");
    f.SetState1("IL");
    f.RetirementPlan = 1;
    forms.push_back(f);
  }
  return forms;
}

std::vector<Form1099Record> Make1099s(int n) {
  std::vector<Form1099Record> forms;
  forms.reserve(static_cast<size_t>(n));
  for (int id = 1; id <= n; ++id) {
    Form1099Record f;
    f.Form1099UniqueID = id;
    f.ContractorUniqueID = id;
    f.SetNonemployeeCompensation("4800.0" + std::to_string(id % 10));
    if (id % 4 == 0) f.SetRents("1200.00");
    if (id % 7 == 0) f.SetGrossProceedsPaidToAttorney("900.00");
    if (id % 9 == 0) f.SetFederalIncomeTaxWithheld("96.00");
    f.SetStateTaxWithheld1("48.00");
    forms.push_back(f);
  }
  return forms;
}

void Transmittals(int w2s, int forms1099) {
  CompanyRecord company;
  company.SetEmployerName("Sample Company");
  std::printf("%-28s %10s %12s %14s\n", "page", "forms", "ms (cpu)", "ns per form");
  for (int part : {4, 2, 1}) {
    const auto forms = MakeW2s(w2s / part);
    std::string total;
    const double ms = BestMs(5, [&] { total = BuildW3Page(company, forms).box[1]; });
    std::printf("%-28s %10zu %12.2f %14.1f   (box 1 %s)\n", "W-3 refresh", forms.size(), ms,
                ms * 1e6 / static_cast<double>(forms.size()), total.c_str());
  }
  for (int part : {4, 2, 1}) {
    const auto forms = Make1099s(forms1099 / part);
    std::string total;
    const double ms = BestMs(5, [&] { total = Build1096Page(company, forms).box5; });
    std::printf("%-28s %10zu %12.2f %14.1f   (box 5 %s)\n", "1096 refresh", forms.size(), ms,
                ms * 1e6 / static_cast<double>(forms.size()), total.c_str());
  }
}

// Next and Previous on the W-2 page: the employees in a shuffled document
// order, the page's order sorted by last name, as the employee page shows it.
void Stepping(int n) {
  const fs::path dir = fs::temp_directory_path() / "formet-form-pages-bench";
  fs::remove_all(dir);
  fs::create_directories(dir);
  bench::SilentUi ui;
  ui.name = "Bench";
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, dir);
  doc.BeginSession();
  if (!doc.NewCompany()) std::exit(1);

  for (auto& form : MakeW2s(n)) doc.AddRecord(std::move(form));
  std::vector<ListRow> rows;
  for (int i = 0; i < n; ++i) {
    // Ids in a scrambled order, so the list's order is not the document's.
    const int id = static_cast<int>((static_cast<long long>(i) * 7919) % n) + 1;
    EmployeeRecord e;
    e.EmployeeUniqueID = id;
    e.SetSocialSecurityNumber("123-45-" + std::to_string(1000 + id % 9000));
    e.SetFirstName("Ann");
    e.SetLastName("Last" + std::to_string(id));
    doc.AddRecord(e);
    rows.push_back({i, id, {e.LastName()}});
  }
  std::sort(rows.begin(), rows.end(), [](const ListRow& a, const ListRow& b) { return a.columns[0] < b.columns[0]; });
  const ListOrder order(rows);

  W2PageRules page(doc, ui);
  page.SetOrder(&order);
  page.GoTo(rows.front().position);
  const int clicks = std::min(n - 1, 20000);
  const double start = CpuSeconds();
  page.Next();
  const double firstMs = (CpuSeconds() - start) * 1000.0;
  const double nextMs = BestMs(1, [&] {
    for (int c = 1; c < clicks; ++c) page.Next();
  });
  const double previousMs = BestMs(1, [&] {
    for (int c = 0; c < clicks; ++c) page.Previous();
  });
  const bool back = page.CurrentPayee() == rows.front().position;
  std::printf("\nW-2 page, %d employees: first Next %.2f ms, then per click "
              "Next %.1f us, Previous %.1f us over %d clicks each%s\n",
              n, firstMs, nextMs * 1000.0 / (clicks - 1), previousMs * 1000.0 / clicks, clicks,
              back ? "" : " (DID NOT RETURN TO THE FIRST EMPLOYEE)");
  fs::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
  const int w2s = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int forms1099 = argc > 2 ? std::atoi(argv[2]) : 50000;
  Transmittals(w2s, forms1099);
  Stepping(w2s);
  return 0;
}
