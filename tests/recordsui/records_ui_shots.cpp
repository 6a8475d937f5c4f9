// Renders the company, employees and contractors pages and their dialogs,
// filled from a copy of the Sample Company, to PNG files:
// records_ui_shots <folder>.
#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>
#include <filesystem>

#include "app/ui/qt_ui_services.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/ui/company_page.h"
#include "records/ui/contractor_page.h"
#include "records/ui/employee_page.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

namespace {

using namespace formet;

bool Save(QWidget& w, const QDir& dir, const char* name) {
  QCoreApplication::processEvents();
  const QString path = dir.filePath(QString::fromLatin1(name));
  if (!w.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: records_ui_shots <folder>\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(QStringLiteral("."));

  namespace fs = std::filesystem;
  const fs::path scratch = fs::temp_directory_path() / "formet-records-ui-shots";
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::copy_file(fs::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt", scratch / "Sample Company.qdt");

  QtUiServices ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, scratch);
  doc.BeginSession();
  doc.SetCompany(kSampleCompany);
  if (!doc.OnNewDocument()) return 1;

  bool ok = true;
  const QSize pageSize(900, 560);
  {
    CCompanyView page(doc, ui, nullptr);
    doc.AddView(&page);
    page.resize(pageSize);
    page.show();
    doc.RefreshAllViews();
    const char* names[] = {"company-general.png", "company-w3.png", "company-1096.png"};
    for (int tab = 0; tab < 3; ++tab) {
      page.Sheet()->setCurrentIndex(tab);
      ok = Save(page, out, names[tab]) && ok;
    }
    doc.RemoveView(&page);
  }
  {
    CEmployeeView page(doc, ui, nullptr);
    doc.AddView(&page);
    page.resize(pageSize);
    page.show();
    doc.RefreshAllViews();
    ok = Save(page, out, "employees.png") && ok;
    const auto& e = doc.GetEmployees().front();
    CEmployeeDlg dialog(EmployeeDialogCaption(&e), LoadEmployeeDialog(e));
    dialog.show();
    ok = Save(dialog, out, "employee-dialog.png") && ok;
    doc.RemoveView(&page);
  }
  {
    CContractorView page(doc, ui, nullptr);
    doc.AddView(&page);
    page.resize(pageSize);
    page.show();
    doc.RefreshAllViews();
    ok = Save(page, out, "contractors.png") && ok;
    const auto& c = doc.GetContractors().front();
    CContractorDlg dialog(ContractorDialogCaption(&c), LoadContractorDialog(c));
    dialog.show();
    ok = Save(dialog, out, "contractor-dialog.png") && ok;
    doc.RemoveView(&page);
  }
  fs::remove_all(scratch);
  return ok ? 0 : 1;
}
