// Printing to a file from the desktop: the PDF is written into a work file,
// checked and only then put in place, so that a full disk or a limit on the
// size of files leaves the old file whole and says so; a company's file is
// never the target.
#include <gtest/gtest.h>

#include <QPrinter>

#include <set>

#include "../forms/print_fixture.h"
#include "app/ui/masked_edit.h"
#include "appui/qt_app.h"
#include "desktop/modal_answers.h"
#include "file_size_limit.h"
#include "forms/print/ui/print_flow.h"
#include "forms/print/ui/print_options_dlg.h"
#include "forms/w2/w2_print.h"
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

}  // namespace
}  // namespace formet
