// The memory and time of the employees and contractors pages showing a large
// company's payees (offscreen). "model" runs the pages as they are: a table
// model reading each cell from the document's list. "items" builds the same
// two lists the way the pages once did, for comparison: the rows' texts
// copied, one QTreeWidgetItem per payee.
//   payee_pages_bench model|items [employees] [contractors]
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "memory_probe.h"
#include "bench_support.h"
#include "kit/ui/qt_text.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/ui/contractor_page.h"
#include "records/ui/employee_page.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

using namespace formet;

namespace {

EmployeeRecord Employee(int id) {
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

ContractorRecord Contractor(int id) {
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

double Seconds(QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e9; }

// The lists as the pages once showed them.
QTreeWidget* ItemList(const std::vector<ListRow>& rows, std::span<const ListColumn> columns) {
  auto* list = new QTreeWidget;
  SetUpRowList(list);
  list->setColumnCount(static_cast<int>(columns.size()));
  QList<QTreeWidgetItem*> items;
  for (size_t r = 0; r < rows.size(); ++r) {
    QStringList texts;
    for (const auto& text : rows[r].columns) texts << ToQt(text);
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, Qt::UserRole, static_cast<int>(r));
    items << item;
  }
  list->addTopLevelItems(items);
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool items = argc > 1 && std::strcmp(argv[1], "items") == 0;
  const int employees = argc > 2 ? std::atoi(argv[2]) : 100000;
  const int contractors = argc > 3 ? std::atoi(argv[3]) : 50000;
  QApplication app(argc, argv);
  bench::SilentUi ui;
  MemorySettingsStore settings;
  const auto folder = std::filesystem::temp_directory_path() / "payee_pages_bench";
  std::filesystem::create_directories(folder);
  CGlobalDoc doc(ui, settings, folder);
  for (int i = 1; i <= employees; ++i) doc.AddRecord(Employee(i));
  for (int i = 1; i <= contractors; ++i) doc.AddRecord(Contractor(i));
  const long records = bench::StatusKb("VmRSS");
  bench::ResetPeak();

  QElapsedTimer clock;
  clock.start();
  std::unique_ptr<QWidget> employeePage, contractorPage;
  std::vector<ListRow> employeeRows, contractorRows;  // the copies the item lists kept
  if (items) {
    employeeRows = EmployeeListRows(doc.GetEmployees());
    contractorRows = ContractorListRows(doc.GetContractors());
    employeePage.reset(ItemList(employeeRows, EmployeeListColumns()));
    contractorPage.reset(ItemList(contractorRows, ContractorListColumns()));
  } else {
    auto* e = new CEmployeeView(doc, ui, nullptr);
    auto* c = new CContractorView(doc, ui, nullptr);
    employeePage.reset(e);
    contractorPage.reset(c);
    doc.AddView(e);
    doc.AddView(c);
    doc.RefreshAllViews();
  }
  for (QWidget* page : {employeePage.get(), contractorPage.get()}) {
    page->resize(1024, 680);
    page->show();
  }
  app.processEvents();
  const double shown = Seconds(clock);
  const long peak = bench::StatusKb("VmHWM");
  const long after = bench::StatusKb("VmRSS");
  std::printf("%s: %d employees, %d contractors\n", items ? "items" : "model", employees, contractors);
  std::printf("records in memory          %8.1f MB\n", records / 1024.0);
  std::printf("pages shown, resident      %8.1f MB (%+.1f MB for the pages)\n", after / 1024.0,
              (after - records) / 1024.0);
  std::printf("pages shown, peak          %8.1f MB (%+.1f MB)\n", peak / 1024.0, (peak - records) / 1024.0);
  std::printf("fill and show both lists   %8.3f s\n", shown);

  if (!items) {
    auto* page = static_cast<CEmployeeView*>(employeePage.get());
    clock.restart();
    page->List()->model()->sort(2, Qt::AscendingOrder);
    std::printf("sort employees by a column %8.3f s\n", Seconds(clock));
    clock.restart();
    page->SearchBox()->setText(QStringLiteral("first123"));
    std::printf("search employees (%d found) %7.3f s\n", page->List()->model()->rowCount(), Seconds(clock));
    const long sortPeak = bench::StatusKb("VmHWM");
    std::printf("peak with the sort, search %8.1f MB (%+.1f MB)\n", sortPeak / 1024.0, (sortPeak - records) / 1024.0);
    doc.RemoveView(page);
    doc.RemoveView(static_cast<CContractorView*>(contractorPage.get()));
  }
  std::filesystem::remove_all(folder);
  return 0;
}
