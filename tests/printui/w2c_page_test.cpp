// The W2c Forms page over a company file: the list, New W-2c, an edit the
// checks refuse and one they take, Delete, and the prints of the page (the
// W-2c and the W-3c to a PDF file, the reissued statement of an address
// change).
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTableView>
#include <QTableWidget>

#include "../forms/print_fixture.h"
#include "forms/print/recording_canvas.h"
#include "tool_run.h"
#include "forms/print/ui/print_flow.h"
#include "forms/record_as_filed.h"
#include "forms/w2/ui/w2c_view.h"
#include "forms/w2/w2_reissued.h"
#include "forms/w2/w2c_hand_made.h"
#include "qt_app.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

class W2cPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    doc.BeginSession();
    ui.newCompany = NewCompanyEntry{"Acme", ""};
    ASSERT_TRUE(doc.NewCompany());
    const test::PrintPayroll payroll(2);
    doc.GetCompany() = payroll.company;
    doc.AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, false);
    for (size_t i = 0; i < 2; ++i) {
      doc.GetEmployees().push_back(payroll.employees[i]);
      doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, static_cast<int32_t>(i),
                            payroll.employees[i].EmployeeUniqueID}, false);
      doc.GetW2Forms().push_back(payroll.forms[i]);
      doc.AddPendingChange({ChangeKind::W2, ChangeOp::Insert, static_cast<int32_t>(i), payroll.forms[i].W2UniqueID},
                           false);
    }
    doc.SetModified(true);
    ASSERT_EQ(doc.SaveChanges(), 0);
    page = std::make_unique<CW2cView>(doc, ui, nullptr);
    page->OnShown();
  }

  // The row of the boxes table that edits `key`.
  int BoxRow(const std::string& key) const {
    for (int r = 0; r < page->Boxes()->rowCount(); ++r)
      if (page->Boxes()->item(r, 0)->data(Qt::UserRole).toString().toStdString() == key) return r;
    return -1;
  }

  std::vector<FiledW2> HandMade() {
    std::vector<FiledW2> filed, handMade;
    EXPECT_EQ(ReadRecordedW2s(doc, filed, &handMade), 0);
    return handMade;
  }

  // What reaches the print dialog: recorded, and written to a PDF file as
  // the dialog's PDF printer writes it.
  PrintSink ToPdf(const fs::path& pdf) {
    return [this, pdf](QWidget*, const FormPrintJob& job, const QString& title) {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf.string()));
      PreparePrinter(printer);
      recorded = RecordJob(job);
      return !PrintJobToFile(job, printer, title).has_value();
    };
  }
  // The text of a PDF file, as pdftotext reads it.
  static std::string PdfText(const fs::path& pdf) {
    return test::RunTool("pdftotext " + test::Quoted(pdf) + " -").out;
  }

  std::vector<RecordingCanvas> recorded;

  test::TempDir dir;
  test::ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc{ui, settings, dir.path()};
  std::unique_ptr<CW2cView> page;
};

TEST_F(W2cPageTest, NewEditRefusedEditTakenPrintedAndDeleted) {
  EXPECT_EQ(page->Model().rowCount(), 0);

  // New W-2c for the second employee, chosen in the Select dialog.
  ui.rowAnswers.push_back({true, 1, 2, true});
  page->OnNew();
  ASSERT_EQ(ui.rowChoices.size(), 1u);
  EXPECT_EQ(ui.rowChoices[0].rows.size(), 2u);
  ASSERT_EQ(page->Model().rowCount(), 1);
  const W2cListEntry* entry = page->Selected();
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->handMade);
  EXPECT_EQ(entry->ssn, "123-45-6782");
  EXPECT_EQ(entry->changed, "nothing yet");
  ASSERT_EQ(page->Boxes()->rowCount(), static_cast<int>(HandMadeW2cKeys().size()));
  const int box1 = BoxRow("1");
  ASSERT_GE(box1, 0);
  EXPECT_EQ(page->Boxes()->item(box1, 1)->text(), "2000.00");  // filled from the W-2 now
  EXPECT_EQ(page->Boxes()->item(box1, 2)->text(), "2000.00");
  EXPECT_FALSE(page->Boxes()->item(box1, 2)->flags() & Qt::ItemIsEditable);

  // A value the checks refuse is said and not kept.
  page->Boxes()->item(box1, 1)->setText("2,5OO");
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(ui.messages.back().find("Box 1 takes an amount"), std::string::npos) << ui.messages.back();
  EXPECT_EQ(page->Boxes()->item(box1, 1)->text(), "2000.00");
  ASSERT_EQ(HandMade().size(), 1u);
  EXPECT_EQ(HandMade()[0].form.Wages(), "2000.00");
  page->Boxes()->item(BoxRow("12a"), 1)->setText("ZZ:5");
  EXPECT_EQ(HandMade()[0].form.Field12aCode(), "0");

  // A value taken is stored at once and makes the W-2c.
  page->Boxes()->item(box1, 1)->setText("2500");
  EXPECT_EQ(HandMade()[0].form.Wages(), "2500.00");
  ASSERT_EQ(page->Model().rowCount(), 1);
  entry = page->Selected();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->changed, "box 1");
  EXPECT_EQ(entry->status, "To the SSA; made by hand, not recorded as filed");

  // Copy B of it and the W-3c with the user's explanation, to PDF files.
  ASSERT_TRUE(PrintW2cForms(page.get(), doc, ui, {W2cCopy::CopyB, entry->employeeId}, ToPdf(dir / "b.pdf")));
  ASSERT_EQ(recorded.size(), 1u);
  const auto* was = recorded[0].FindText("2500.00");
  const auto* is = recorded[0].FindText("2000.00");
  ASSERT_NE(was, nullptr);
  ASSERT_NE(is, nullptr);
  EXPECT_GT(is->x, was->x);  // Previously reported, then Correct information
  std::string text = PdfText(dir / "b.pdf");
  EXPECT_NE(text.find("2500.00"), std::string::npos) << text;
  EXPECT_NE(text.find("FEDERAL"), std::string::npos);

  page->Explanation()->setPlainText("Wages overstated: a bonus counted twice.");
  page->OnSaveExplanation();
  std::string stored;
  ASSERT_EQ(ReadW3cExplanation(doc, stored), 0);
  EXPECT_EQ(stored, "Wages overstated: a bonus counted twice.");
  ASSERT_TRUE(PrintW3cForm(page.get(), doc, ui, false, ToPdf(dir / "w3c.pdf")));
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_NE(recorded[0].FindText("Wages overstated: a bonus counted twice."), nullptr);
  text = PdfText(dir / "w3c.pdf");
  EXPECT_NE(text.find("overstated"), std::string::npos) << text;
  EXPECT_NE(text.find("2500.00"), std::string::npos);

  // A long explanation: the page says it is printed smaller.
  std::string longer;
  for (int i = 0; i < 14; ++i) longer += "Box 1 of employee " + std::to_string(i) + " was overstated by a bonus. ";
  page->Explanation()->setPlainText(QString::fromStdString(longer));
  page->OnSaveExplanation();
  EXPECT_NE(ui.messages.back().find("printed smaller"), std::string::npos) << ui.messages.back();

  // A character the forms cannot print is refused, not dropped.
  page->Explanation()->setPlainText(QString::fromUtf8("Bonus \u2192 2008"));
  page->OnSaveExplanation();
  EXPECT_NE(ui.messages.back().find("cannot print"), std::string::npos) << ui.messages.back();
  ASSERT_EQ(ReadW3cExplanation(doc, stored), 0);
  EXPECT_NE(stored.find("Box 1 of employee 13"), std::string::npos);  // the long one saved before
  ui.answers.push_back(Answer::No);
  EXPECT_TRUE(page->OnHidden());  // asked, and dropped on No

  // An explanation typed and not saved is offered when the page is left.
  page->Explanation()->setPlainText("Typed, not saved.");
  ui.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(page->OnHidden());
  ui.answers.push_back(Answer::Yes);
  EXPECT_TRUE(page->OnHidden());
  ASSERT_EQ(ReadW3cExplanation(doc, stored), 0);
  EXPECT_EQ(stored, "Typed, not saved.");
  EXPECT_TRUE(page->OnHidden());  // nothing new: nothing asked

  // Delete asks, then removes it.
  ui.answers.push_back(Answer::Yes);
  page->OnDelete();
  EXPECT_EQ(page->Model().rowCount(), 0);
  EXPECT_TRUE(HandMade().empty());
}

// The correct column is checked as the W-2 page checks it: the page shows
// the problem and the print asks whether to print anyway.
TEST_F(W2cPageTest, TheChecksOfTheCorrectColumnAreShownAndAskedBeforePrinting) {
  ui.rowAnswers.push_back({true, 0, 2, true});
  page->OnNew();
  page->Boxes()->item(BoxRow("4"), 1)->setText("10.00");
  doc.GetW2Forms()[0].SetSocialSecurityTaxWithheld("7000.00");  // above the 2007 cap
  doc.AddPendingChange({ChangeKind::W2, ChangeOp::Update, 0, doc.GetW2Forms()[0].W2UniqueID}, false);
  doc.SetModified(true);
  ASSERT_EQ(doc.SaveChanges(), 0);
  page->OnShown();
  ASSERT_NE(page->Selected(), nullptr);
  EXPECT_NE(page->Problems()->text().indexOf("more than $6,045.00"), -1) << page->Problems()->text().toStdString();
  ui.printAnywayAnswers.push_back(false);
  EXPECT_FALSE(PrintW2cForms(page.get(), doc, ui, {W2cCopy::CopyB, -1}, ToPdf(dir / "x.pdf")));
  ASSERT_EQ(ui.printAnyway.size(), 1u);
  EXPECT_NE(ui.printAnyway[0].problems[0].find("more than $6,045.00"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "x.pdf"));
}

// An address alone changed after filing: the page lists it, says no W-2c
// goes to the SSA and prints the reissued statement.
TEST_F(W2cPageTest, AnAddressChangeOffersTheReissuedStatement) {
  ASSERT_EQ(RecordAsFiled(doc, FiledFamily::W2, "2008-02-15").code, 0);
  doc.GetEmployees()[0].SetAddress1("12 New Road");
  doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Update, 0, doc.GetEmployees()[0].EmployeeUniqueID}, false);
  doc.SetModified(true);
  ASSERT_EQ(doc.SaveChanges(), 0);
  page->OnShown();
  ASSERT_EQ(page->Model().rowCount(), 1);
  const W2cListEntry* entry = page->Selected();
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->addressOnly);
  EXPECT_NE(page->Problems()->text().indexOf("No W-2c goes to the SSA"), -1);
  ASSERT_TRUE(PrintReissuedStatement(page.get(), doc, ui, entry->employeeId, ToPdf(dir / "r.pdf")));
  ASSERT_EQ(recorded.size(), 3u);
  for (const auto& p : recorded) {
    EXPECT_NE(p.FindText(kReissuedMark), nullptr);
    EXPECT_NE(p.FindText("12 New Road"), nullptr);
  }
  EXPECT_NE(PdfText(dir / "r.pdf").find("REISSUED STATEMENT"), std::string::npos);
}

}  // namespace
}  // namespace formet
