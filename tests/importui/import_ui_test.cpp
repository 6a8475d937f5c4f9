// The import dialog as the user works it: the separator lists, the preview,
// the field menu, refused columns, Import, Help, and the menu commands that
// open it.
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <functional>

#include "kit/ui/help_window.h"
#include "desktop/modal_answers.h"
#include "desktop/progress_cancel.h"
#include "desktop/url_catcher.h"
#include "forms/1099/ui/form1096_view.h"
#include "forms/1099/ui/form1099_view.h"
#include "forms/w2/ui/w2_view.h"
#include "forms/w2/ui/w3_view.h"
#include "import/form1099_import.h"
#include "import/ui/import_dialog.h"
#include "import/w2_import.h"
#include "qt_app.h"
#include "records/employees.h"
#include "records/records_fixture.h"
#include "shell/frame_rules.h"
#include "shell/password.h"
#include "shell/ui/formet_app.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/password_dialogs.h"
#include "shell/ui/qt_ui_services.h"

namespace formet {
namespace {

class ImportDialogTest : public test::CompanyTest {
 protected:
  void SetUp() override {
    test::QtApp();
    CompanyTest::SetUp();
  }
  QString Write(const std::string& bytes) {
    test::WriteBytes(dir / "in.csv", bytes);
    return QString::fromStdString((dir / "in.csv").string());
  }
  static QString Cell(CImportDialog& d, int row, int column, int role = Qt::DisplayRole) {
    auto* model = d.Preview()->model();
    return model->data(model->index(row, column), role).toString();
  }
  static QString Header(CImportDialog& d, int column) {
    return d.Preview()->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  }
  // Clicks a column's header and chooses an entry of its menu by text
  // ("Group/Field" or "Unused").
  static void Choose(CImportDialog& d, int column, const QString& path) {
    std::unique_ptr<QMenu> menu(d.FieldMenu(column));
    const QStringList parts = path.split('/');
    QMenu* current = menu.get();
    for (int i = 0; i < parts.size(); ++i) {
      QAction* found = nullptr;
      for (QAction* a : current->actions())
        if (a->text() == parts[i]) found = a;
      ASSERT_NE(found, nullptr) << path.toStdString();
      if (i + 1 < parts.size()) current = found->menu();
      else d.ChooseField(column, found->data().toInt());
    }
  }
};

TEST_F(ImportDialogTest, StepsListsAndPreview) {
  W2ImportFlavour w2(*doc, ui);
  CImportDialog d(w2, settings);
  EXPECT_EQ(d.windowTitle(), "Import W2 Forms");
  ASSERT_EQ(d.DelimiterList()->count(), 3);
  EXPECT_EQ(d.DelimiterList()->currentText(), "Comma");
  EXPECT_EQ(d.DelimiterBox()->text(), ",");
  EXPECT_EQ(d.QualifierList()->currentText(), "Double Quote");
  EXPECT_EQ(d.QualifierBox()->text(), "\"");
  EXPECT_FALSE(d.ImportButton()->isEnabled());
  d.DelimiterList()->setCurrentIndex(2);
  EXPECT_EQ(d.DelimiterBox()->text(), "0x09");
  d.QualifierList()->setCurrentIndex(1);
  EXPECT_EQ(d.QualifierBox()->text(), "'");

  d.OpenFile(Write("Name\tPay\tNote\n'Ann\tB'\t10\tx\n"));
  EXPECT_TRUE(d.ImportButton()->isEnabled());
  auto* model = d.Preview()->model();
  ASSERT_EQ(model->rowCount(), 2);
  ASSERT_EQ(model->columnCount(), 4);
  EXPECT_EQ(Header(d, 0), " ");
  EXPECT_EQ(Header(d, 1), "Unused");
  EXPECT_EQ(Cell(d, 0, 0), "Header");
  EXPECT_EQ(Cell(d, 1, 0), "1");
  EXPECT_EQ(Cell(d, 1, 1), "Ann\tB");
  EXPECT_EQ(model->data(model->index(0, 2), Qt::BackgroundRole).value<QColor>(), QColor(215, 215, 255));
  EXPECT_EQ(model->data(model->index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
  EXPECT_GE(d.Preview()->columnWidth(0), 50);
  // The tab inside the quotes is shown, in red, with the reason.
  EXPECT_EQ(model->data(model->index(1, 1), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
  EXPECT_TRUE(Cell(d, 1, 1, Qt::ToolTipRole).contains("control character"));
  EXPECT_TRUE(d.StatusLine()->text().contains("1 values hold characters that cannot be stored"));
}

TEST_F(ImportDialogTest, FieldMenuAssignsChecksAndRefuses) {
  W2ImportFlavour w2(*doc, ui);
  CImportDialog d(w2, settings);
  d.OpenFile(Write("SSN,First,Last,Wages\n123-45-6789,Ann,Lee,\"1,00.00\"\n"));

  std::unique_ptr<QMenu> menu(d.FieldMenu(1));
  const auto actions = menu->actions();
  ASSERT_EQ(actions.size(), 5);
  EXPECT_EQ(actions[0]->text(), "Employee Information");
  EXPECT_EQ(actions[1]->text(), "Federal");
  EXPECT_EQ(actions[2]->text(), "State and Local");
  EXPECT_TRUE(actions[3]->isSeparator());
  EXPECT_EQ(actions[4]->text(), "Unused");
  EXPECT_EQ(actions[0]->menu()->actions().size(), 9);

  Choose(d, 1, "Employee Information/Employee Social Security Number (SSN).");
  EXPECT_EQ(Header(d, 1), "Employee Social Security Number (SSN).");
  menu.reset(d.FieldMenu(1));
  EXPECT_TRUE(menu->actions()[0]->menu()->actions()[0]->isChecked());

  test::ModalAnswers answers;
  QString report;
  answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });  // the "already used" message
  answers.Then([&](QWidget* w) {
    report = static_cast<CReportDialog*>(w)->ReportText();
    static_cast<QDialog*>(w)->reject();
  });
  Choose(d, 2, "Employee Information/Employee Social Security Number (SSN).");
  Choose(d, 4, "Federal/Box 1 (Wages, Tips and Other Compensation)");
  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[0], "Employee Social Security Number (SSN). is already used, please pick a different field.");
  EXPECT_EQ(answers.texts[1], "Error");  // the refused column's dialog
  EXPECT_EQ(report, QString::fromUtf8("(1)  Row #: 1\n\nError #1: Field has to be a number: \"1,00.00\" "
                                      "can\xE2\x80\x99t be interpreted as a numeric value"));
  EXPECT_EQ(Header(d, 2), "Unused");
  EXPECT_EQ(Header(d, 4), "Unused");

  Choose(d, 1, "Unused");
  EXPECT_EQ(Header(d, 1), "Unused");
  // Another separator reads the file again: every column is unused.
  Choose(d, 1, "Employee Information/Employee Social Security Number (SSN).");
  d.DelimiterList()->setCurrentIndex(1);
  EXPECT_EQ(d.Preview()->model()->columnCount(), 2);
  EXPECT_EQ(Header(d, 1), "Unused");
}

TEST_F(ImportDialogTest, ImportLoadsTheRowsReportsAndCloses) {
  W2ImportFlavour w2(*doc, ui);
  CImportDialog d(w2, settings);
  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::Yes);  // assign the columns whose headers name fields
  d.OpenFile(Write("Employee Social Security Number (SSN).,Employee First Name.,Employee Last Name.,Wages\n"
                   "123-45-6789,Ann,O'Brien,10\n234-56-7890,Bob,Kim,20\n"));
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith("The headers of 3 columns name import fields"));
  EXPECT_EQ(Header(d, 3), "Employee Last Name.");
  EXPECT_TRUE(d.StatusLine()->text().contains("Every required field has a column"));

  answers.ThenButton(QMessageBox::Ok);
  d.ImportButton()->click();
  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[1], "Added 2 employees with their W-2s.");
  EXPECT_EQ(d.result(), QDialog::Accepted);
  const auto stored = StoredEmployees();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].LastName(), "O'Brien");

  // The next file with this header is offered the same assignment.
  CImportDialog again(w2, settings);
  answers.ThenButton(QMessageBox::No);
  again.OpenFile(Write("Employee Social Security Number (SSN).,Employee First Name.,Employee Last Name.,Wages\n"
                       "345-67-8901,Cy,Lee,30\n"));
  ASSERT_EQ(answers.texts.size(), 3u);
  EXPECT_TRUE(answers.texts[2].startsWith("This file has the same header line as the file you imported last time."));
}

// "Load the good rows only": a column with values its field cannot use is
// assigned, those values marked; Import loads every other row and lists the
// rows left out. Without it, the column is refused as before.
TEST_F(ImportDialogTest, LoadingTheGoodRowsOnlyMarksTheBadValuesAndListsTheRowsLeftOut) {
  W2ImportFlavour w2(*doc, ui);
  CImportDialog d(w2, settings);
  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::Ok);  // the reading's notice of the bad row
  d.OpenFile(QString::fromStdString(test::TestData("import/w2-good-and-bad-rows.csv").string()));
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith("1 row cannot be read as the header line lays out the columns:\nRow 4: "))
      << answers.texts[0].toStdString();
  auto* model = d.Preview()->model();
  // The row that cannot be read is marked, from its label on.
  EXPECT_EQ(model->data(model->index(4, 0), Qt::BackgroundRole).value<QColor>(), QColor(255, 222, 222));
  EXPECT_TRUE(Cell(d, 4, 0, Qt::ToolTipRole).startsWith("The row holds 6 values where the header line has 5"));
  EXPECT_TRUE(d.StatusLine()->text().contains("1 row cannot be read as the header lays out the columns"));

  ASSERT_FALSE(d.GoodRowsOnly()->isChecked());
  d.GoodRowsOnly()->setChecked(true);
  Choose(d, 1, "Employee Information/Employee Social Security Number (SSN).");
  Choose(d, 2, "Employee Information/Employee First Name.");
  Choose(d, 3, "Employee Information/Employee Last Name.");
  Choose(d, 4, "Federal/Box 1 (Wages, Tips and Other Compensation)");
  EXPECT_EQ(answers.texts.size(), 1u);  // no column was refused
  EXPECT_EQ(Header(d, 4), "Box 1 (Wages, Tips and Other Compensation)");
  // An amount column shows what will be stored; the file's text is in the tip.
  EXPECT_EQ(Cell(d, 1, 4), "31250.00");
  EXPECT_EQ(Cell(d, 1, 4, Qt::ToolTipRole), "In the file: $31,250.00");
  // The value the field cannot use is shown as it is, marked, with the reason.
  EXPECT_EQ(Cell(d, 3, 4), "(500.00)");
  EXPECT_EQ(model->data(model->index(3, 4), Qt::BackgroundRole).value<QColor>(), QColor(255, 222, 222));
  EXPECT_EQ(model->data(model->index(3, 4), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
  EXPECT_TRUE(Cell(d, 3, 4, Qt::ToolTipRole).startsWith("Negative amounts in parentheses are not read"));
  EXPECT_EQ(model->data(model->index(2, 4), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
  EXPECT_TRUE(d.StatusLine()->text().contains("2 rows will be left out")) << d.StatusLine()->text().toStdString();

  // Import: the good rows are loaded, the others listed with row, column,
  // value and reason.
  QString top, list;
  answers.Then([&](QWidget* w) {
    auto* report = qobject_cast<CReportDialog*>(w);
    ASSERT_NE(report, nullptr);
    list = report->ReportText();
    top = report->findChildren<QLabel*>().last()->text();
    report->reject();
  });
  d.ImportButton()->click();
  EXPECT_EQ(answers.Pending(), 0u);
  EXPECT_EQ(top, "Added 2 employees with their W-2s.");
  EXPECT_TRUE(list.startsWith("2 rows were not loaded:\nRow 3, column 4 (\"Wages\"), \"(500.00)\": Negative amounts "
                              "in parentheses are not read"))
      << list.toStdString();
  EXPECT_TRUE(list.contains("\nRow 4, column 6, \"ok\": The row holds 6 values")) << list.toStdString();
  const auto forms = StoredW2Forms();
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].Wages(), "31250.00");
  EXPECT_EQ(forms[1].Wages(), "31250.00");
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(ImportDialogTest, WithoutTheGoodRowsOnlyABadColumnIsRefusedAndTurningItOffUnassigns) {
  W2ImportFlavour w2(*doc, ui);
  CImportDialog d(w2, settings);
  test::ModalAnswers answers;
  d.OpenFile(Write("SSN,First,Last,Wages\n123-45-6789,Ann,Lee,(5)\n"));
  d.GoodRowsOnly()->setChecked(true);
  Choose(d, 4, "Federal/Box 1 (Wages, Tips and Other Compensation)");
  EXPECT_EQ(Header(d, 4), "Box 1 (Wages, Tips and Other Compensation)");
  answers.ThenButton(QMessageBox::Ok);
  d.GoodRowsOnly()->setChecked(false);
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "These columns hold values their fields cannot use, so they are \"Unused\" again: "
                              "column 4 (\"Wages\").\n\nAssign them again to see the errors.");
  EXPECT_EQ(Header(d, 4), "Unused");
  answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  Choose(d, 4, "Federal/Box 1 (Wages, Tips and Other Compensation)");
  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[1], "Error");
  EXPECT_EQ(Header(d, 4), "Unused");
}

// A box 12 code without its amount: no column is refused, but both cells of
// the row are marked, the status line tells of it, and Import loads nothing.
TEST_F(ImportDialogTest, ABox12CodeWithoutItsAmountIsMarkedAndStopsTheImport) {
  W2ImportFlavour w2(*doc, ui);
  CImportDialog d(w2, settings);
  test::ModalAnswers answers;
  d.OpenFile(Write("SSN,First,Last,Code,Amount\n123-45-6789,Ann,Lee,D,\n234-56-7890,Bob,Kim,E,5\n"));
  Choose(d, 1, "Employee Information/Employee Social Security Number (SSN).");
  Choose(d, 2, "Employee Information/Employee First Name.");
  Choose(d, 3, "Employee Information/Employee Last Name.");
  Choose(d, 4, "Federal/Box 12a Code");
  Choose(d, 5, "Federal/Box 12a Amount");
  EXPECT_TRUE(answers.texts.empty());  // no column was refused
  auto* model = d.Preview()->model();
  const QColor bad(255, 222, 222);
  EXPECT_EQ(model->data(model->index(1, 4), Qt::BackgroundRole).value<QColor>(), bad);
  EXPECT_EQ(model->data(model->index(1, 5), Qt::BackgroundRole).value<QColor>(), bad);
  EXPECT_EQ(model->data(model->index(2, 4), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
  EXPECT_EQ(Cell(d, 1, 4, Qt::ToolTipRole),
            "Box 12a has the code D but no amount: please enter the amount, or clear the code.");
  EXPECT_TRUE(d.StatusLine()->text().contains("1 row holds values that do not go together (marked in red)"))
      << d.StatusLine()->text().toStdString();

  answers.ThenButton(QMessageBox::Ok);
  d.ImportButton()->click();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "Nothing was imported: a row of the file holds values that do not go together.\n"
                              "Row 1, column 4 (\"Code\"), \"D\": Box 12a has the code D but no amount: please enter "
                              "the amount, or clear the code.\nMend them in the file, or choose to load the good rows "
                              "only.");
  EXPECT_TRUE(StoredEmployees().empty());
}

// An import of many rows shows its progress; Cancel while the rows load, or
// while they are saved, keeps nothing of the file (the company as it was, in
// memory and on disk), and the dialog stays for another try.
TEST_F(ImportDialogTest, CancelInTheProgressWindowKeepsNothingOfTheFile) {
  EmployeeRecord before;
  before.SetSocialSecurityNumber("123-45-6789");
  before.SetFirstName("Ann");
  before.SetLastName("Adams");
  ASSERT_TRUE(AddEmployee(*doc, ui, before, true, false, true).Saved());
  std::string csv = "Employee Social Security Number (SSN).,Employee First Name.,Employee Last Name.,Wages\n";
  const int rows = 1500;
  for (int i = 1; i <= rows; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "412-10-%04d,First%d,Last%d,%d\n", i, i, i, i);
    csv += line;
  }
  W2ImportFlavour w2(*doc, ui);
  QtUiServices progressUi;
  CImportDialog d(w2, settings, nullptr, &progressUi);
  d.Session().SetProgressThreshold(1000);
  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::Yes);  // assign the columns whose headers name fields
  d.OpenFile(Write(csv));
  ASSERT_EQ(answers.texts.size(), 1u);

  const std::function<bool(const QString&)> stages[] = {
      // Once rows are loaded: past the first step.
      [](const QString& label) { return label.startsWith("Loading row") && !label.startsWith("Loading row 1 of"); },
      [](const QString& label) { return label.startsWith("Saving"); },
  };
  for (const auto& stage : stages) {
    test::CancelProgress cancel(stage);
    d.ImportButton()->click();
    EXPECT_EQ(cancel.cancelled, 1) << cancel.lastLabel.toStdString();
    EXPECT_EQ(answers.texts.size(), 1u);  // nothing to report
    EXPECT_NE(d.result(), QDialog::Accepted);
    ASSERT_EQ(doc->GetEmployees().size(), 1u);
    EXPECT_EQ(doc->GetW2Forms().size(), 1u);
    EXPECT_TRUE(doc->Journal().empty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(StoredEmployees().size(), 1u);
    EXPECT_EQ(StoredW2Forms().size(), 1u);
  }

  // Not cancelled, the same file loads whole.
  test::CancelProgress watch([](const QString&) { return false; });
  answers.ThenButton(QMessageBox::Ok);
  d.ImportButton()->click();
  EXPECT_EQ(watch.seen, 1);
  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[1], "Added 1,500 employees with their W-2s.");
  EXPECT_EQ(StoredEmployees().size(), 1u + rows);
  EXPECT_EQ(StoredW2Forms().size(), 1u + rows);
}

TEST_F(ImportDialogTest, ImportNamesTheRequiredFieldsAndHelpOpensTheFlavoursPage) {
  Form1099ImportFlavour f(*doc, ui);
  CImportDialog d(f, settings);
  EXPECT_EQ(d.windowTitle(), "Import 1099 Forms");
  d.OpenFile(Write("TIN,Name\n12-3456789,Bolt\n"));
  test::ModalAnswers answers;
  d.ImportButton()->click();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0],
            "Please assign these required fields to columns before importing: click the header of the column that "
            "holds each.\n\n\"Recipient's Identification number\"\n\"Recipient's Name (Line One)\"");
  EXPECT_TRUE(StoredContractors().empty());

  // Help shows the dialog's page in the program's help window.
  test::UrlCatcher catcher;
  d.HelpButton()->click();
  EXPECT_TRUE(catcher.urls.isEmpty());
  CHelpWindow* help = CHelpWindow::Instance();
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->Browser()->source().fileName(), "Import1099Forms.html");
  help->close();
}

TEST_F(ImportDialogTest, TheFileMessagesAreShown) {
  W2ImportFlavour w2(*doc, ui);
  CImportDialog d(w2, settings);
  test::ModalAnswers answers;
  d.OpenFile(Write(""));
  d.OpenFile(Write("A,B\n1,2\n\n3,4\n"));
  d.OpenFile(QString::fromStdString((dir / "missing.csv").string()));
  ASSERT_EQ(answers.texts.size(), 3u);
  EXPECT_EQ(answers.texts[0], QString::fromUtf8("Can\xE2\x80\x99t read first line from file."));
  EXPECT_EQ(answers.texts[1], QString::fromUtf8("Can\xE2\x80\x99t parse first line: 3"));
  EXPECT_EQ(answers.texts[2], "Couldn't open source file: No such file or directory");
  EXPECT_FALSE(d.ImportButton()->isEnabled());
}

// Import Data > W2 Forms and 1099-Misc Forms in the main window.
class AcceptingPrompt : public PasswordPrompt {
 public:
  bool AskPassword(PasswordStore&, QWidget*) override { return true; }
};

TEST_F(ImportDialogTest, TheMainWindowsImportCommandsOpenTheDialog) {
  AcceptingPrompt prompt;
  doc.reset();  // the program below is the one that holds Acme open
  settings.WriteText(std::string(kSettingsRoot) + "\\Last Active Company", "Value", "Acme");
  FormetApp app(settings, dir.path(), &prompt);
  ASSERT_TRUE(app.Start());
  test::ModalAnswers answers;
  for (int id : {command::kImportW2, command::kImport1099}) {
    QAction* action = app.Frame()->Action(id);
    app.Frame()->UpdateCommands();
    EXPECT_TRUE(action->isEnabled());
    action->trigger();
  }
  EXPECT_EQ(answers.texts, (std::vector<QString>{"Import W2 Forms", "Import 1099 Forms"}));
}

// Spreadsheet files imported from the menu: the form pages show the first
// payee's form, and the W-3 and 1096 pages their totals.
TEST_F(ImportDialogTest, ImportedFilesReachTheFormPagesAndTheTransmittals) {
  AcceptingPrompt prompt;
  doc.reset();  // the program below is the one that holds Acme open
  settings.WriteText(std::string(kSettingsRoot) + "\\Last Active Company", "Value", "Acme");
  FormetApp app(settings, dir.path(), &prompt);
  ASSERT_TRUE(app.Start());
  auto* w2Page = static_cast<CW2View*>(app.Frame()->PageWidget(Page::W2));
  auto* formPage = static_cast<C1099View*>(app.Frame()->PageWidget(Page::Form1099));
  ASSERT_TRUE(w2Page->Rules().FirstShowing());

  // Import Data > the command, a file whose headers name the fields: Yes to
  // assigning them, Import, OK to the summary.
  auto importFile = [&](int command, const std::string& bytes, int delimiter) {
    const QString path = Write(bytes);
    test::ModalAnswers answers;
    answers.Then([&](QWidget* w) {
      auto* d = qobject_cast<CImportDialog*>(w);
      ASSERT_NE(d, nullptr);
      d->DelimiterList()->setCurrentIndex(delimiter);
      d->OpenFile(path);
    });
    answers.ThenButton(QMessageBox::Yes);
    answers.Then([](QWidget* w) { qobject_cast<CImportDialog*>(w)->ImportButton()->click(); });
    answers.ThenButton(QMessageBox::Ok);
    app.Frame()->Action(command)->trigger();
    EXPECT_EQ(answers.Pending(), 0u);
    return answers.texts;
  };
  const auto w2Texts = importFile(command::kImportW2,
      "\xEF\xBB\xBF" "Employee Social Security Number (SSN).,Employee First Name.,Employee Last Name.,"
      "Employee Address 1.,\"Box 1 (Wages, Tips and Other Compensation)\",Box 12a Code,Box 12a Amount\r\n"
      "123-45-6789,Jos\xC3\xA9,N\xC3\xBA\xC3\xB1" "ez,\"12 Elm St, Apt B\",52000.50,D,1500\r\n"
      "234-56-7890,Ann,O'Brien,1 Main,+1.5E+03,aa,250\r\n", 0);
  EXPECT_EQ(w2Texts.back(), "Added 2 employees with their W-2s.");
  const auto formTexts = importFile(command::kImport1099,
      "Recipient's Identification number;Recipient's Name (Line One);Box 1 (Rents);"
      "Box 7 (Nonemployee compensation)\n"
      "12-3456789;\"Caf\xC3\xA9 Ol\xC3\xA9; O'Neil's\";1250.5;3000\n", 1);
  EXPECT_EQ(formTexts.back(), "Added 1 contractor with its 1099-MISC.");

  // The form pages left their empty state for the first payee's form.
  EXPECT_FALSE(w2Page->Rules().FirstShowing());
  EXPECT_EQ(w2Page->Rules().CurrentPayee(), 0);
  EXPECT_TRUE(w2Page->Rules().HasForm());
  EXPECT_EQ(formPage->Rules().CurrentPayee(), 0);
  EXPECT_TRUE(formPage->Rules().HasForm());
  const auto employees = StoredEmployees();
  ASSERT_EQ(employees.size(), 2u);
  EXPECT_EQ(employees[0].LastName(), "N\xFA\xF1" "ez");
  EXPECT_EQ(employees[0].Address1(), "12 Elm St, Apt B");
  EXPECT_EQ(employees[1].LastName(), "O'Brien");
  const auto contractors = StoredContractors();
  ASSERT_EQ(contractors.size(), 1u);
  EXPECT_EQ(contractors[0].NameLine1(), "Caf\xE9 Ol\xE9; O'Neil's");

  // The transmittals: every W-2 and 1099-MISC of the files in their totals.
  auto* w3 = static_cast<CW3View*>(app.Frame()->PageWidget(Page::W3));
  auto* f1096 = static_cast<C1096View*>(app.Frame()->PageWidget(Page::Form1096));
  app.Frame()->ShowPage(Page::W3);
  EXPECT_EQ(w3->Shown().totalForms, "2");
  EXPECT_EQ(w3->Shown().box[1], "53500.50");
  EXPECT_EQ(w3->Shown().box12, "1750.00");  // D and AA are deferred compensation
  app.Frame()->ShowPage(Page::Form1096);
  EXPECT_EQ(f1096->Shown().box3, "1");
  EXPECT_EQ(f1096->Shown().box5, "4250.50");
}

}  // namespace
}  // namespace formet
