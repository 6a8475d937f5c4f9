// Importing a W-2 file of all 48 fields: reading it into the table, checking
// every column, loading the rows with one save, and the preview the dialog
// shows; each for 1,000, 10,000 and 100,000 rows, against the store's insert
// floor (the same employees and W-2s written with one prepared statement
// per table in one transaction).
//   build/bin/import_bench [rows...]       default 1000 10000 100000
//   build/bin/import_bench --write FILE N  only write a file of N rows
#include <QApplication>
#include <QTableView>
#include <QTimer>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
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
// quoted for their commas or quotes, accents in UTF-8.
std::string Row(int i) {
  // A different number per row, each one the SSA issues (no group 00, no serial 0000).
  char ssn[16];
  std::snprintf(ssn, sizeof ssn, "%03d-%02d-%04d", 100 + i / 989901, 1 + i / 9999 % 99, 1 + i % 9999);
  const std::string n = std::to_string(i);
  const char* codes[] = {"D", "E", "aa", "BB", "W", ""};
  std::string r = std::string(ssn) + ",Jos\xC3\xA9" + n.substr(0, 4) + ",Q,O'Brien" + n +
                  ",\"" + n + " Main St, Apt 2\",\"Bldg \"\"B\"\"\",Springfield,IL,62701-1234";
  // Boxes 1 to 11.
  r += ",52000.00,6100.50,52000,3224,52000,754,0,0,0,1500,0";
  // Box 12a to 12d, code and amount.
  for (int k = 0; k < 4; ++k) r += std::string(",") + codes[(i + k) % 6] + "," + (k == 0 ? "2500" : "+12.5");
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
    std::fprintf(stderr, "import failed: %s\n", outcome.Summary(flavour).c_str());
    std::exit(1);
  }
  f.floor = InsertFloor(dir / ("Floor" + std::to_string(rows) + ".qdt"), doc.GetEmployees(), doc.GetW2Forms());
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const fs::path dir = fs::temp_directory_path() / "formet-import-bench";
  fs::remove_all(dir);
  fs::create_directories(dir);

  if (argc == 4 && std::string(argv[1]) == "--write") {
    SilentUi ui;
    MemorySettingsStore settings;
    CGlobalDoc doc(ui, settings, dir);
    W2ImportFlavour flavour(doc, ui);
    WriteFile(argv[2], flavour.Catalogue(), std::atoi(argv[3]));
    fs::remove_all(dir);
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
  fs::remove_all(dir);
  return 0;
}
