// Pictures of every page and dialog of the desktop program, over a copy of
// the Sample Company, at three sizes: the smallest window (632 x 400), the
// usual one (1024 x 680), and the usual one with a font 1.5 times larger.
//
//   desktop_shots <folder>        (scripts/screenshot.sh runs it)
//
// writes <folder>/<size>/<page>.png. A page added to the program gets a line
// in kPages (with a `prepare` step when it has tabs or needs a selection);
// a dialog gets a line in kDialogs. Not a test: the pictures are for a look.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QTableView>
#include <QTreeWidget>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "forms/1099/ui/form1099_view.h"
#include "forms/money.h"
#include "forms/record_as_filed.h"
#include "forms/1099/ui/irs1099_dialog.h"
#include "forms/print/ui/payee_files_box.h"
#include "forms/print/ui/print_options_dlg.h"
#include "forms/ui/select_row_dialog.h"
#include "forms/w2/ui/efw2_dialog.h"
#include "forms/w2/ui/w2_view.h"
#include "forms/w2/ui/w2c_print_flow.h"
#include "import/form1099_import.h"
#include "import/ui/import_dialog.h"
#include "import/w2_import.h"
#include "kit/ui/work_progress_dialog.h"
#include "kit/ui/help.h"
#include "kit/ui/help_window.h"
#include "kit/ui/pages.h"
#include "kit/ui/window_fit.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/ui/company_dialogs.h"
#include "records/ui/company_page.h"
#include "records/ui/contractor_page.h"
#include "records/ui/employee_page.h"
#include "shell/password.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/password_dialogs.h"
#include "shell/ui/qt_ui_services.h"
#include "shell/ui/splash_wnd.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "store/ui/prior_year_import_window.h"

namespace {

using namespace formet;
namespace fs = std::filesystem;

struct Size {
  const char* name;
  QSize window;
  qreal fontScale;
  bool dialogs;  // dialogs do not depend on the window's size: shot at the usual size and with the large font
};
const Size kSizes[] = {
    {"smallest", QSize(632, 400), 1.0, false},
    {"default", QSize(1024, 680), 1.0, true},
    {"large-font", QSize(1024, 680), 1.5, true},
};

// Every page of the main window, in the navigation bar's order.
struct PageShot {
  const char* name;
  Page page;
  std::function<void(CPage*)> prepare;
};
std::function<void(CPage*)> Tab(int index) {
  return [index](CPage* page) {
    if (auto* tabs = page->findChild<QTabWidget*>()) tabs->setCurrentIndex(index);
  };
}
void SelectFirstRow(CPage* page) {
  if (auto* list = page->findChild<QTableView*>()) list->setCurrentIndex(list->model()->index(0, 0));
}
// The employees found by a search typed into the page's search box.
void Search(CPage* page) {
  if (auto* box = page->findChild<QLineEdit*>(QStringLiteral("Search"))) {
    box->setFocus();
    box->setText(QStringLiteral("on"));
  }
  SelectFirstRow(page);
}
const std::vector<PageShot> kPages = {
    {"welcome", Page::Welcome, {}},
    {"company-general", Page::Company, Tab(0)},
    {"company-w3", Page::Company, Tab(1)},
    {"company-1096", Page::Company, Tab(2)},
    {"employees", Page::Employees, SelectFirstRow},
    {"employees-search", Page::Employees, Search},
    {"contractors", Page::Contractors, SelectFirstRow},
    {"w2", Page::W2, {}},
    {"w3", Page::W3, {}},
    {"1099", Page::Form1099, {}},
    {"1096", Page::Form1096, {}},
    {"review", Page::Review, {}},
    {"w2c", Page::W2c, {}},  // last: its W-2c's change the company
};

// The W2c Forms page with something to show: the Sample Company's W-2s
// recorded as filed, then the first employee's wages raised and the second
// one's address changed, and an explanation for the W-3c.
void MakeW2cs(CGlobalDoc& doc) {
  if (doc.GetEmployees().size() < 2 || doc.GetW2Forms().empty()) return;
  RecordAsFiled(doc, FiledFamily::W2, "2008-02-15");
  W2Record& w2 = doc.GetW2Forms()[0];
  w2.SetWages(FormatCents(ParseMoneyCents(w2.Wages()) + 50000));
  doc.AddPendingChange({ChangeKind::W2, ChangeOp::Update, 0, w2.W2UniqueID}, false);
  EmployeeRecord& moved = doc.GetEmployees()[1];
  moved.SetAddress1("77 Harbor View Lane");
  doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Update, 1, moved.EmployeeUniqueID}, false);
  doc.SetModified(true);
  doc.SaveChanges();
  std::string problem;
  SetW3cExplanation(doc, "Box 2 was overstated: withholding refunded to the employee in 2007.", problem);
}

// The import dialog over one of the test files, its flavour living as long
// as the dialog.
std::unique_ptr<QWidget> ImportDialog(std::shared_ptr<ImportFlavour> flavour, SettingsStore& settings,
                                      const char* file, QWidget* parent) {
  auto dialog = std::make_unique<CImportDialog>(*flavour, settings, parent);
  // Reading the file asks whether to assign the columns its headers name: Yes.
  QTimer yes;
  QObject::connect(&yes, &QTimer::timeout, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        if (auto* button = box->button(QMessageBox::Yes)) button->click();
        else if (auto* ok = box->button(QMessageBox::Ok)) ok->click();  // a notice of the reading
      } else if (auto* report = qobject_cast<QDialog*>(w); report && report->isVisible() && report->isModal()) {
        report->accept();  // the report of columns their headers cannot fill
      }
  });
  yes.start(50);
  dialog->OpenFile(QString::fromLatin1(FORMET_SOURCE_DIR "/tests/data/import/") + QString::fromLatin1(file));
  QObject::connect(dialog.get(), &QObject::destroyed, [flavour] {});
  return dialog;
}

std::unique_ptr<QWidget> PrintOptions(PrintForm form, CGlobalDoc& doc, QWidget* parent) {
  return std::make_unique<CPrintOptionsDlg>(form, doc.GetPrintSettings(form), nullptr, parent);
}

// The print options with "One PDF file per employee" (per recipient) chosen,
// each file protected with a password of a CSV file.
std::unique_ptr<QWidget> PayeeFileOptions(PrintForm form, CGlobalDoc& doc, QWidget* parent) {
  auto dialog = std::make_unique<CPrintOptionsDlg>(form, doc.GetPrintSettings(form), nullptr, parent);
  CPayeeFilesBox* box = dialog->PayeeFiles();
  box->setChecked(true);
  box->FolderField()->setText(QStringLiteral("/home/pat/Clients/Sample Company/2007 copies"));
  box->EncryptBox()->setChecked(true);
  if (form == PrintForm::Form1099) {
    box->FilePasswordButton()->setChecked(true);
    box->PasswordFileField()->setText(QStringLiteral("/home/pat/Clients/Sample Company/passwords.csv"));
    box->PasswordColumnList()->addItem(QStringLiteral("Password"));
  }
  return dialog;
}

// Every dialog, made over the open company.
struct DialogShot {
  const char* name;
  std::function<std::unique_ptr<QWidget>(CGlobalDoc&, UiServices&, PasswordStore&, QWidget*)> make;
};
const std::vector<DialogShot> kDialogs = {
    {"employee-dialog",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       const auto& e = doc.GetEmployees().front();
       return std::make_unique<CEmployeeDlg>(EmployeeDialogCaption(&e), LoadEmployeeDialog(e), parent);
     }},
    {"contractor-dialog",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       const auto& c = doc.GetContractors().front();
       return std::make_unique<CContractorDlg>(ContractorDialogCaption(&c), LoadContractorDialog(c), parent);
     }},
    {"new-company",
     [](CGlobalDoc&, UiServices& ui, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       return std::make_unique<CNewCompanyDlg>(ui, parent);
     }},
    {"select-company",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       doc.ListCompanies(true);
       return std::make_unique<CSelectCompanyDlg>(doc.CompanyListings(), parent);
     }},
    {"select-employee",
     [](CGlobalDoc&, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       auto* w2 = static_cast<CW2View*>(static_cast<CMainFrame*>(parent)->PageWidget(Page::W2));
       return std::make_unique<CSelectRowDlg>(w2->Rules().SelectList(), parent);
     }},
    {"select-employee-search",
     [](CGlobalDoc&, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       auto* w2 = static_cast<CW2View*>(static_cast<CMainFrame*>(parent)->PageWidget(Page::W2));
       auto dialog = std::make_unique<CSelectRowDlg>(w2->Rules().SelectList(), parent);
       dialog->SearchBox()->setText(QStringLiteral("pat"));
       return dialog;
     }},
    {"select-contractor",
     [](CGlobalDoc&, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       auto* form = static_cast<C1099View*>(static_cast<CMainFrame*>(parent)->PageWidget(Page::Form1099));
       return std::make_unique<CSelectRowDlg>(form->Rules().SelectList(), parent);
     }},
    {"delete-company",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       doc.ListCompanies(true);
       return std::make_unique<CSelectCompanyDlg>(doc.CompanyNames(), parent, CSelectCompanyDlg::Purpose::Delete);
     }},
    {"change-password",
     [](CGlobalDoc&, UiServices&, PasswordStore& passwords, QWidget* parent) -> std::unique_ptr<QWidget> {
       return std::make_unique<CChangepassword>(passwords, parent);
     }},
    {"password-required",
     [](CGlobalDoc&, UiServices&, PasswordStore& passwords, QWidget* parent) -> std::unique_ptr<QWidget> {
       return std::make_unique<CEnterPassword>(passwords, parent);
     }},
    {"about", [](CGlobalDoc&, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       return MakeAboutDialog(parent);
     }},
    {"import-w2-dialog",
     [](CGlobalDoc& doc, UiServices& ui, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       static MemorySettingsStore settings;
       return ImportDialog(std::make_shared<W2ImportFlavour>(doc, ui), settings, "w2-excel-utf8.csv", parent);
     }},
    {"import-w2-good-rows",
     [](CGlobalDoc& doc, UiServices& ui, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       // Loading the good rows only: the bad values and the row that cannot
       // be read are marked, the amounts shown as they will be stored.
       static MemorySettingsStore settings;
       auto dialog = ImportDialog(std::make_shared<W2ImportFlavour>(doc, ui), settings, "w2-good-and-bad-rows.csv",
                                  parent);
       auto* d = static_cast<CImportDialog*>(dialog.get());
       d->GoodRowsOnly()->setChecked(true);
       // Number, first name, last name, box 1 (the table's columns from 1).
       for (const auto& [column, field] : {std::pair{1, 0}, std::pair{2, 1}, std::pair{3, 3}, std::pair{4, 9}})
         d->ChooseField(column, field);
       return dialog;
     }},
    {"import-1099-dialog",
     [](CGlobalDoc& doc, UiServices& ui, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       static MemorySettingsStore settings;
       return ImportDialog(std::make_shared<Form1099ImportFlavour>(doc, ui), settings, "1099-libreoffice.csv",
                           parent);
     }},
    {"work-progress",
     [](CGlobalDoc&, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       // An import of 100,000 rows a second into its loading.
       auto dialog = std::make_unique<CWorkProgressDlg>(parent, QStringLiteral("Import W2 Forms"));
       dialog->Step(0, 100000, "Loading row 1 of 100,000...");
       QThread::msleep(1200);
       dialog->Step(4096, 100000, "Loading row 4,097 of 100,000...");
       return dialog;
     }},
    {"prior-year-import",
     [](CGlobalDoc&, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       auto window = std::make_unique<CImportProgressWnd>(parent);
       window->MarkStep(1);
       return window;
     }},
    {"efw2-dialog",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       return std::make_unique<CEfw2Dlg>(doc, parent);
     }},
    {"efile-1099-dialog",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       return std::make_unique<C1099FileDlg>(doc, parent);
     }},
    {"w2-print-options",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) { return PrintOptions(PrintForm::W2, doc, parent); }},
    {"w3-print-options",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) { return PrintOptions(PrintForm::W3, doc, parent); }},
    {"1099-print-options", [](CGlobalDoc& doc, UiServices&, PasswordStore&,
                              QWidget* parent) { return PrintOptions(PrintForm::Form1099, doc, parent); }},
    {"1096-print-options", [](CGlobalDoc& doc, UiServices&, PasswordStore&,
                              QWidget* parent) { return PrintOptions(PrintForm::Form1096, doc, parent); }},
    {"w2-print-options-per-employee", [](CGlobalDoc& doc, UiServices&, PasswordStore&,
                                         QWidget* parent) { return PayeeFileOptions(PrintForm::W2, doc, parent); }},
    {"1099-print-options-per-recipient",
     [](CGlobalDoc& doc, UiServices&, PasswordStore&, QWidget* parent) {
       return PayeeFileOptions(PrintForm::Form1099, doc, parent);
     }},
    {"w2c-print-options",
     [](CGlobalDoc&, UiServices&, PasswordStore&, QWidget* parent) -> std::unique_ptr<QWidget> {
       return std::make_unique<CW2cPrintOptionsDlg>(false, true, parent);
     }},
};

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool Save(QWidget& w, const QDir& dir, const QString& name) {
  Settle();
  const QString path = dir.filePath(name + ".png");
  if (!w.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

bool ShootSize(const Size& size, const QDir& out, const fs::path& sample) {
  const fs::path scratch = fs::temp_directory_path() / "formet-desktop-shots";
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::copy_file(sample, scratch / "Sample Company.qdt");

  QDir dir(out.filePath(QString::fromLatin1(size.name)));
  dir.mkpath(QStringLiteral("."));

  QtUiServices ui;
  MemorySettingsStore settings;
  PasswordStore passwords(settings);
  bool ok = true;
  {
    CGlobalDoc doc(ui, settings, scratch);
    doc.BeginSession();
    doc.SetCompany(kSampleCompany);
    if (!doc.OnNewDocument()) return false;
    CMainFrame frame(doc, passwords, ui);
    ui.SetFrame(&frame);
    frame.resize(size.window);
    frame.show();
    doc.SetWindowTitle();
    doc.RefreshAllViews();
    frame.ShowNavigationItem(0);  // the welcome page first, as at start-up
    for (const auto& shot : kPages) {
      if (shot.page == Page::W2c) MakeW2cs(doc);
      if (shot.page != Page::Welcome) frame.ShowPage(shot.page);
      if (shot.prepare) shot.prepare(frame.PageWidget(shot.page));
      frame.resize(size.window);
      ok = Save(frame, dir, QString::fromLatin1(shot.name)) && ok;
    }
    {
      // The help window at the size of the main window, at its keyboard section.
      OpenHelpPage(QStringLiteral("formet2007.html#keys"), &frame);
      CHelpWindow* help = CHelpWindow::Instance();
      help->resize(size.window);
      Settle();
      help->ShowPage(QStringLiteral("formet2007.html#keys"));  // scrolled again at this size
      ok = Save(*help, dir, QStringLiteral("help-window")) && ok;
      help->close();
      Settle();
    }
    if (size.dialogs) {
      for (const auto& shot : kDialogs) {
        auto dialog = shot.make(doc, ui, passwords, &frame);
        dialog->show();
        ok = Save(*dialog, dir, QString::fromLatin1(shot.name)) && ok;
      }
      CSplashWnd* splash = new CSplashWnd(&frame);
      splash->ShowCentred();
      ok = Save(*splash, dir, QStringLiteral("splash")) && ok;
      splash->close();
    }
    ui.SetFrame(nullptr);
  }
  fs::remove_all(scratch);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  KeepDialogsTallEnough(app);
  if (argc < 2) {
    std::fprintf(stderr, "usage: desktop_shots <folder>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(QStringLiteral("."));
  const fs::path sample = fs::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt";
  const QFont base = QApplication::font();
  bool ok = true;
  for (const auto& size : kSizes) {
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * size.fontScale);
    QApplication::setFont(font);
    ok = ShootSize(size, out, sample) && ok;
  }
  return ok ? 0 : 1;
}
