// Importing a W-2 file of all 48 fields: reading it into the table, checking
// every column, loading the rows with one save, and the preview the dialog
// shows; each for 1,000, 10,000 and 100,000 rows, against the store's insert
// floor (the same employees and W-2s written with one prepared statement
// per table in one transaction).
//   build/bin/import_bench [rows...]       default 1000 10000 100000
//   build/bin/import_bench --write FILE N  only write a file of N rows
//
// Memory: the peak resident size of an import, each step in a process of its
// own started afresh (no Qt), against the size of the file: a file of the 13
// columns a payroll export has (about 120 bytes a row) read, checked
// column by column, and loaded with its one save; the same company opened
// afterwards, which holds the same records; and a file whose every row holds
// values the rule for entered text or the amount check refuses, checked as
// the dialog does, and with the good rows loaded alone.
//   build/bin/import_bench --memory [ROWS...]   default 437500 875000 1750000
#include <QApplication>
#include <QTableView>
#include <QTimer>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "memory_probe.h"
#include "import/ui/import_dialog.h"
#include "import/w2_import.h"
#include "store/company_database.h"
#include "store/company_file_vfs.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "store/text_codec.h"

namespace {

using namespace formet;
using namespace formet::bench;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A step's wall time, and the processor time the program spent in it
// (which another program's load on a shared machine hardly changes).
struct Timer {
  Clock::time_point wall = Clock::now();
  double cpu = Cpu();
  static double Cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }
};
struct Time {
  double wall = 0, cpu = 0;
};
Time Since(const Timer& t) {
  return {std::chrono::duration<double>(Clock::now() - t.wall).count(), Timer::Cpu() - t.cpu};
}

// One row of every W-2 field, as a spreadsheet saves it: a few values
// quoted for their commas, accents in UTF-8, and only values the pages
// take (no refused characters, each box 12 code with its amount).
std::string Row(int i) {
  // A different number per row, each one the SSA issues (no group 00, no serial 0000).
  char ssn[48];
  std::snprintf(ssn, sizeof ssn, "%03d-%02d-%04d", 100 + i / 989901, 1 + i / 9999 % 99, 1 + i % 9999);
  const std::string n = std::to_string(i);
  const char* codes[] = {"D", "E", "aa", "BB", "W", ""};
  std::string r = std::string(ssn) + ",Jos\xC3\xA9" + n.substr(0, 4) + ",Q,O'Brien" + n +
                  ",\"" + n + " Main St, Apt 2\",\"Bldg 2, Floor 3\",Springfield,IL,62701-1234";
  // Boxes 1 to 11.
  r += ",52000.00,6100.50,52000,3224,52000,754,0,0,0,1500,0";
  // Box 12a to 12d, code and amount.
  for (int k = 0; k < 4; ++k) {
    const char* code = codes[(i + k) % 6];
    r += std::string(",") + code + "," + (*code == 0 ? "" : k == 0 ? "2500" : "+12.5");
  }
  // Box 13 check boxes, box 14 lines.
  r += ",0,1,0,UNION 120,,";
  // State and local, two lines.
  r += ",IL,12-3456789,52000,2480.25,52000,520,SPRFLD";
  r += ",NY,98-7654321,1.5E+03,0,0,0,NYC";
  return r;
}

std::string Header(const FieldCatalogue& catalogue) {
  std::string h;
  for (const auto& name : catalogue.Fields()) {
    if (!h.empty()) h += ",";
    h += "\"" + Win1252ToUtf8(name) + "\"";
  }
  return h;
}

void WriteFile(const fs::path& path, const FieldCatalogue& catalogue, int rows) {
  std::ofstream out(path, std::ios::binary);
  out << "\xEF\xBB\xBF" << Header(catalogue) << "\r\n";
  for (int i = 1; i <= rows; ++i) out << Row(i) << "\r\n";
}

// The floor: the rows the import made, inserted with plain prepared
// statements into a fresh company file.
Time InsertFloor(const fs::path& path, const std::vector<EmployeeRecord>& employees,
                   const std::vector<W2Record>& forms) {
  {
    CompanyDatabase db;
    db.Open(path, OpenMode::Create);
    db.CreateTables();
  }
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, CompanyFileVfs());
  const Timer start;
  sqlite3_exec(db, "BEGIN TRANSACTION;", nullptr, nullptr, nullptr);
  auto* emp = Prepare(db, InsertEmployeeSql());
  auto* w2 = Prepare(db, InsertW2Sql());
  for (size_t i = 0; i < employees.size(); ++i) {
    BindRow(emp, employees[i], 1, {{15, 1}});
    Step(emp);
    BindRow(w2, forms[i], 1, {});
    Step(w2);
  }
  sqlite3_finalize(emp);
  sqlite3_finalize(w2);
  sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
  const Time t = Since(start);
  sqlite3_close(db);
  return t;
}

struct Figures {
  int rows;
  Time read, preview, check, load, floor;
};

Figures Run(const fs::path& dir, int rows) {
  SilentUi ui;
  ui.name = "Import" + std::to_string(rows);
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, dir);
  doc.BeginSession();
  if (!doc.NewCompany()) std::exit(1);
  W2ImportFlavour flavour(doc, ui);
  const fs::path file = dir / ("w2-" + std::to_string(rows) + ".csv");
  WriteFile(file, flavour.Catalogue(), rows);

  Figures f{rows, {}, {}, {}, {}, {}};
  ImportSession session(flavour);
  session.SetPath(file);
  Timer start;
  const auto read = session.Read();
  f.read = Since(start);
  if (!read || read->outcome != ReadResult::Outcome::Read || session.Table().DataRowCount() != size_t(rows)) {
    std::fprintf(stderr, "read failed: %s\n", read ? read->message.c_str() : "");
    std::exit(1);
  }

  // The dialog's preview: the file read again and the table drawn.
  {
    CImportDialog dialog(flavour, settings);
    dialog.resize(900, 640);
    dialog.show();
    QApplication::processEvents();
    // The offer to assign the columns whose headers name fields: answered No.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
      if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->reject();
    });
    answer.start(1);
    start = Timer();
    dialog.OpenFile(QString::fromStdString(file.string()));
    dialog.Preview()->viewport()->grab();
    f.preview = Since(start);
  }

  start = Timer();
  for (int field = 0; field < 48; ++field) {
    const auto a = session.Assign(static_cast<size_t>(field), field);
    if (a.outcome != ImportSession::Assignment::Outcome::Assigned) {
      std::fprintf(stderr, "column %d refused:%s\n", field, a.report.substr(0, 400).c_str());
      std::exit(1);
    }
  }
  f.check = Since(start);

  start = Timer();
  const auto outcome = session.Import();
  f.load = Since(start);
  if (outcome.added != size_t(rows) || outcome.saveCode != 0) {
    std::fprintf(stderr, "import failed: %s\n", session.Summary(outcome).c_str());
    std::exit(1);
  }
  f.floor = InsertFloor(dir / ("Floor" + std::to_string(rows) + ".qdt"), doc.GetEmployees(), doc.GetW2Forms());
  return f;
}

// ---- memory --------------------------------------------------------------------------

// Row i's social security number: each row its own, none with a group of
// 00 or a serial of 0000 (numbers never issued, which the import refuses).
std::string RowSsn(long i) {
  constexpr long kPerArea = 99 * 9999;
  char ssn[48];
  std::snprintf(ssn, sizeof ssn, "%03ld-%02ld-%04ld", 100 + i / kPerArea, (i % kPerArea) / 9999 + 1,
                (i % kPerArea) % 9999 + 1);
  return ssn;
}

// A row as a payroll export writes it: 13 columns, about 120 bytes.
std::string PayrollRow(long i) {
  char row[256];
  std::snprintf(row, sizeof row,
                "%s,Firstname%ld,Lastname,%ld Some Street,Springfield,IL,62701-1234,52000.00,"
                "6100.50,52000.00,3224.00,52000.00,754.00\r\n",
                RowSsn(i).c_str(), i % 1000, i % 10000);
  return row;
}
constexpr const char* kPayrollHeader =
    "SSN,First,Last,Address,City,State,Zip,Wages,Federal,SS wages,SS tax,Medicare wages,Medicare tax\r\n";
// Their fields, column by column.
constexpr int kPayrollFields[] = {0, 1, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14};

// A row every value of which is refused: characters the code page lacks, a
// control character, an amount in parentheses, a state in lower case.
std::string RefusedRow(long i) {
  char row[256];
  std::snprintf(row, sizeof row,
                "%s,\xC5\x81ukasz%ld,\xC5\xBB\xC3\xB3\xC5\x82\xC4\x87,\"a\tb\",\xC5\x81\xC3\xB3"
                "d\xC5\xBA,il,(%ld.00)\r\n",
                RowSsn(i).c_str(), i % 100, i % 1000);
  return row;
}
constexpr const char* kRefusedHeader = "SSN,First,Last,Address,City,State,Wages\r\n";
constexpr int kRefusedFields[] = {0, 1, 3, 4, 6, 7, 9};

std::uintmax_t WriteRows(const fs::path& path, const char* header, std::string (*row)(long), long rows) {
  std::ofstream out(path, std::ios::binary);
  out << header;
  for (long i = 1; i <= rows; ++i) out << row(i);
  out.close();
  return fs::file_size(path);
}

// In a process of its own: a step of an import, then the resident size it
// started with and its peak (KB), on standard output.
int MemoryChild(const std::string& step, const fs::path& file, const fs::path& dir) {
  SilentUi ui;
  ui.name = "Memory " + step;  // each step its own company; "load" opens the one "import" wrote
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, dir);
  doc.BeginSession();
  const bool refused = step.rfind("refused", 0) == 0;
  if (step == "load") {
    doc.SetCompany("Memory import");
    ResetPeak();
    const long before = StatusKb("VmRSS");
    if (!doc.OnNewDocument() || doc.GetEmployees().empty()) return 1;
    std::printf("%ld %ld %zu\n", before, StatusKb("VmHWM"), doc.GetEmployees().size());
    return 0;
  }
  if (!doc.NewCompany()) return 1;
  W2ImportFlavour flavour(doc, ui);
  ImportSession session(flavour);
  session.SetPath(file);
  session.SetSkipBadRows(step == "refused-skip");
  ResetPeak();
  const long before = StatusKb("VmRSS");
  const auto read = session.Read();
  if (!read || !read->HasTable()) return 1;
  size_t column = 0;
  size_t reportBytes = 0;
  for (int field : refused ? std::span<const int>(kRefusedFields) : std::span<const int>(kPayrollFields)) {
    const auto a = session.Assign(column++, field);
    reportBytes += a.report.size();
    if (!refused && a.outcome != ImportSession::Assignment::Outcome::Assigned) {
      std::fprintf(stderr, "column %zu not assigned: %s\n", column - 1, a.report.c_str());
      return 1;
    }
  }
  size_t count = session.Table().DataRowCount();
  if (step == "import" || step == "refused-skip") {
    const auto outcome = session.Import();
    if (step == "import" && (outcome.added != count || outcome.saveCode != 0)) return 1;
    // The list of the rows left out, as formet-cli writes it.
    size_t lines = 0;
    session.ForEachLeftOut(outcome, [&](const LeftOutRow& left) {
      lines += session.LeftOutLine(left).empty() ? 0 : 1;
      return true;
    });
    if (step == "refused-skip") count = lines;
  }
  std::printf("%ld %ld %zu\n", before, StatusKb("VmHWM"), count);
  return 0;
}

struct Peak {
  long before = 0, peak = 0;
  size_t count = 0;
  double Mb() const { return static_cast<double>(peak - before) / 1024.0; }
};

Peak RunChild(const char* self, const std::string& step, const fs::path& file, const fs::path& dir) {
  const std::string command = std::string("'") + self + "' --memory-child " + step + " '" + file.string() + "' '" +
                              dir.string() + "'";
  Peak p;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    if (std::fscanf(pipe, "%ld %ld %zu", &p.before, &p.peak, &p.count) != 3) p = {};
    if (pclose(pipe) != 0) p = {};
  }
  if (p.peak == 0) {
    std::fprintf(stderr, "the step %s failed\n", step.c_str());
    std::exit(1);
  }
  return p;
}

int Memory(const char* self, const fs::path& dir, std::vector<long> sizes) {
  if (sizes.empty()) sizes = {437500, 875000, 1750000};
  std::printf("peak resident size above the process's start, MB; ratios to the file's size\n");
  std::printf("%9s %8s | %9s %6s | %9s %6s | %9s %9s %6s\n", "rows", "file MB", "read+chk", "ratio", "import",
              "ratio", "company", "import-co", "ratio");
  for (long rows : sizes) {
    const fs::path file = dir / "payroll.csv";
    const double mb = static_cast<double>(WriteRows(file, kPayrollHeader, PayrollRow, rows)) / (1 << 20);
    const Peak check = RunChild(self, "check", file, dir);
    const Peak import = RunChild(self, "import", file, dir);
    const Peak company = RunChild(self, "load", file, dir);
    fs::remove(file);
    for (const char* step : {"check", "import"}) fs::remove(dir / ("Memory " + std::string(step) + ".qdt"));
    std::printf("%9ld %8.1f | %9.1f %6.2f | %9.1f %6.2f | %9.1f %9.1f %6.2f\n", rows, mb, check.Mb(),
                check.Mb() / mb, import.Mb(), import.Mb() / mb, company.Mb(), import.Mb() - company.Mb(),
                (import.Mb() - company.Mb()) / mb);
  }
  // Refused values: a file of about 60 MB.
  const fs::path file = dir / "refused.csv";
  const long rows = 60l * (1 << 20) / static_cast<long>(RefusedRow(500000).size());
  const double mb = static_cast<double>(WriteRows(file, kRefusedHeader, RefusedRow, rows)) / (1 << 20);
  const Peak checked = RunChild(self, "refused", file, dir);
  const Peak skipped = RunChild(self, "refused-skip", file, dir);
  fs::remove(file);
  std::printf("\nrefused values: %ld rows, %.1f MB\n", rows, mb);
  std::printf("  every column checked, each refused:            %8.1f MB, ratio %.2f\n", checked.Mb(),
              checked.Mb() / mb);
  std::printf("  good rows only: checked, imported, %zu lines listed: %8.1f MB, ratio %.2f\n", skipped.count,
              skipped.Mb(), skipped.Mb() / mb);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--memory-child") return MemoryChild(argv[2], argv[3], argv[4]);
  if (argc >= 2 && std::string(argv[1]) == "--memory") {
    const RunFolder dir("formet-import-memory");
    std::vector<long> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atol(argv[i]));
    return Memory(argv[0], dir.Path(), sizes);
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const RunFolder folder("formet-import-bench");
  const fs::path& dir = folder.Path();

  if (argc == 4 && std::string(argv[1]) == "--write") {
    SilentUi ui;
    MemorySettingsStore settings;
    CGlobalDoc doc(ui, settings, dir);
    W2ImportFlavour flavour(doc, ui);
    WriteFile(argv[2], flavour.Catalogue(), std::atoi(argv[3]));
    return 0;
  }
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {1000, 10000, 100000};

  std::printf("seconds, wall (processor)\n");
  std::printf("%7s %16s %16s %16s %16s %16s %6s\n", "rows", "read", "preview", "check 48", "load+save",
              "insert floor", "ratio");
  const auto cell = [](const Time& t) {
    static char buf[4][32];
    static int n = 0;
    char* b = buf[n++ % 4];
    std::snprintf(b, 32, "%6.3f (%6.3f)", t.wall, t.cpu);
    return b;
  };
  for (int rows : sizes) {
    const Figures f = Run(dir, rows);
    std::printf("%7d %16s %16s %16s %16s", f.rows, cell(f.read), cell(f.preview), cell(f.check), cell(f.load));
    std::printf(" %16s %6.2f\n", cell(f.floor), f.load.wall / f.floor.wall);
  }
  std::printf("targets at 100,000 rows: read and preview <= 2 s, check <= 2 s, load+save <= 5 s\n");
  return 0;
}
