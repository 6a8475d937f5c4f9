// Printing to a file from the desktop: the PDF is written into a work file,
// checked and only then put in place, so that a full disk or a limit on the
// size of files leaves the old file whole and says so; a company's file is
// never the target. And the print options: changed ones are stored at once,
// and a settings file that cannot be written says so.
#include <gtest/gtest.h>

#include <QPrinter>

#include <set>

#include "../forms/print_fixture.h"
#include "desktop/modal_answers.h"
#include "desktop/progress_cancel.h"
#include "file_size_limit.h"
#include "forms/print/ui/print_flow.h"
#include "forms/print/ui/print_options_dlg.h"
#include "forms/w2/w2_print.h"
#include "kit/ui/masked_edit.h"
#include "kit/ui/work_progress_dialog.h"
#include "qt_app.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// Many W-2 forms on blank paper: a PDF of several megabytes.
std::unique_ptr<FormPrintJob> LargeJob(const test::PrintPayroll& payroll) {
  FormPrintSettings settings;
  settings.paperType = 0;
  settings.blankCopyType = 3;  // Copy B, with its picture
  settings.printTarget = 1;
  std::vector<int> order;
  for (size_t i = 0; i < payroll.employees.size(); ++i) order.push_back(static_cast<int>(i));
  return std::make_unique<W2PrintJob>(
      W2PrintData{&payroll.company, &payroll.employees, &payroll.forms, order, -1}, settings);
}

TEST(PrintToFile, AFullDiskKeepsTheOldFileAndSaysWhy) {
  test::QtApp();
  test::TempDir dir;
  const test::PrintPayroll payroll(40);
  const auto job = LargeJob(payroll);
  const fs::path target = dir / "old.pdf";
  test::WriteBytes(target, "%PDF-1.4 last year's forms\n%%EOF\n");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(target.string()));
  PreparePrinter(printer);

  {
    const test::FileSizeLimit limit(64 * 1024);
    const auto problem = PrintJobToFile(*job, printer, "Form W-2");
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, QString::fromStdString("Formet could not write the file " + target.string() +
                                               ": the file would be larger than this program is allowed to write "
                                               "(a limit on the size of files). Nothing was written; the file that "
                                               "was there is kept as it was."));
  }
  EXPECT_EQ(test::ReadBytes(target), "%PDF-1.4 last year's forms\n%%EOF\n");
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"old.pdf"});

  // With room, the new file replaces the old one whole.
  EXPECT_EQ(PrintJobToFile(*job, printer, "Form W-2"), std::nullopt);
  const std::string written = test::ReadBytes(target);
  EXPECT_EQ(written.rfind("%PDF-", 0), 0u);
  EXPECT_GT(written.size(), 64u * 1024);
  EXPECT_NE(written.find("%%EOF", written.size() - 16), std::string::npos);
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"old.pdf"});
}

// A long print shows its progress; Cancel there leaves the file that was
// there as it was, no work file beside it, and no problem to tell.
TEST(PrintToFile, CancelInTheProgressWindowLeavesNoFile) {
  test::QtApp();
  test::TempDir dir;
  const test::PrintPayroll payroll(40);
  const auto job = LargeJob(payroll);
  ASSERT_GT(job->PageCount(), 8);
  const fs::path target = dir / "old.pdf";
  test::WriteBytes(target, "%PDF-1.4 last year's forms\n%%EOF\n");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(target.string()));
  PreparePrinter(printer);
  {
    test::CancelProgress cancel([](const QString& label) { return label.startsWith("Printing page 9 of"); });
    CWorkProgressDlg progress(nullptr, "Form W-2");
    EXPECT_EQ(PrintJobToFile(*job, printer, "Form W-2", &progress), std::nullopt);
    EXPECT_EQ(cancel.cancelled, 1);
    EXPECT_TRUE(progress.Cancelled());
  }
  EXPECT_EQ(test::ReadBytes(target), "%PDF-1.4 last year's forms\n%%EOF\n");
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"old.pdf"});

  // Not cancelled, the print is written whole.
  CWorkProgressDlg progress(nullptr, "Form W-2");
  EXPECT_EQ(PrintJobToFile(*job, printer, "Form W-2", &progress), std::nullopt);
  EXPECT_NE(test::ReadBytes(target).find("%%EOF"), std::string::npos);
  EXPECT_GT(test::ReadBytes(target).size(), 64u * 1024);
}

TEST(PrintToFile, ACompanysFileIsNeverTheTarget) {
  test::QtApp();
  test::TempDir dir;
  const test::PrintPayroll payroll(1);
  const auto job = LargeJob(payroll);
  const std::string company = "a company's file";
  for (const char* name : {"Acme.qdt", "Acme.qdt-journal", "Acme.qdt.lock"}) {
    test::WriteBytes(dir / name, company);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir / name).string()));
    const auto problem = PrintJobToFile(*job, printer, "Form W-2");
    ASSERT_TRUE(problem) << name;
    EXPECT_TRUE(problem->contains("that is the name of a company's file")) << problem->toStdString();
    EXPECT_EQ(test::ReadBytes(dir / name), company);
  }
}

// A settings store whose every write fails, as a settings file that cannot
// be written.
class UnwritableSettings : public MemorySettingsStore {
 public:
  bool WriteNumber(const std::string&, const std::string&, uint32_t) override { return false; }
  std::string Location() const override { return "/home/ann/.config/Quorvane/Formet (2007).ini"; }
};

TEST(PrintToFile, ChangedOptionsAreStoredAtOnceAndAnUnwritableSettingsFileSaysSo) {
  test::QtApp();
  test::TempDir dir;
  test::ScriptedUi ui;
  UnwritableSettings settings;
  CGlobalDoc doc(ui, settings, dir.path());
  const test::PrintPayroll payroll(1);
  doc.GetCompany() = payroll.company;
  doc.GetEmployees() = payroll.employees;
  doc.GetW2Forms() = payroll.forms;
  const auto printW3 = [&](const char* offset) {
    test::ModalAnswers answers;
    answers.Then([offset](QWidget* w) {
      auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      dialog->HorizontalOffset()->SetText(offset);
      dialog->accept();
    });
    return PrintW3Form(nullptr, doc, [](QWidget*, const FormPrintJob&, const QString&) { return true; });
  };
  EXPECT_TRUE(printW3("0.50"));
  const std::string told =
      "Formet could not store the print options in /home/ann/.config/Quorvane/Formet (2007).ini: the settings file "
      "cannot be written.\n\nThe options you chose are used until Formet is closed; the next time it starts, the "
      "options stored before are used.";
  EXPECT_EQ(ui.messages, std::vector<std::string>{told});
  EXPECT_DOUBLE_EQ(doc.GetPrintSettings(PrintForm::W3).horizontalOffset, 0.50);  // used all the same
  // Told once while the program runs.
  EXPECT_TRUE(printW3("0.75"));
  EXPECT_EQ(ui.messages.size(), 1u);

  // A store that can be written takes the changed options at once.
  test::ScriptedUi quiet;
  MemorySettingsStore store;
  CGlobalDoc other(quiet, store, dir.path());
  other.GetPrintSettings(PrintForm::W3).horizontalOffset = -0.25;
  other.GetPrintSettings(PrintForm::W3).horizontalDirection = 0;
  EXPECT_TRUE(other.StorePrintSettings());
  EXPECT_EQ(store.ReadNumber(std::string(kSettingsRoot) + "\\Form W3 Print Options", "W3 Horizontal Offset Value"),
            25u);
  EXPECT_DOUBLE_EQ(other.GetPrintSettings(PrintForm::W3).horizontalOffset, -0.25);  // the sign stays in memory
  EXPECT_TRUE(quiet.messages.empty());
}

}  // namespace
}  // namespace formet
