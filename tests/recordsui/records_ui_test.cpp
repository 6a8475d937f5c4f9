// The company, employees and contractors pages as the user works them:
// typing into the fields, the buttons, the dialogs, the list's header.
#include <gtest/gtest.h>

#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTableView>

#include "desktop/modal_answers.h"
#include "kit/ui/masked_edit.h"
#include "qt_app.h"
#include "records/company_setup.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/records_fixture.h"
#include "records/ui/company_page.h"
#include "records/ui/contractor_page.h"
#include "records/ui/employee_page.h"
#include "screen_click.h"
#include "shell/password.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/qt_ui_services.h"

QT_BEGIN_NAMESPACE
// Failures show texts, not bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace formet {
namespace {

const std::string kDeleteQuestion = "Are you sure you want to delete this record?";

template <class W>
W* Child(QWidget* parent, const char* column) {
  auto* w = parent->findChild<W*>(QString::fromLatin1(column));
  EXPECT_NE(w, nullptr) << column;
  return w;
}
CMaskedEdit* Edit(QWidget* parent, const char* column) { return Child<CMaskedEdit>(parent, column); }

// Replaces a field's text the way the user does: select all, type.
void Retype(CMaskedEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

int RowCount(QTableView* list) { return list->model()->rowCount(); }

QString Text(QTableView* list, int row, int column) { return list->model()->index(row, column).data().toString(); }

QStringList Column(QTableView* list, int column) {
  QStringList texts;
  for (int i = 0; i < RowCount(list); ++i) texts << Text(list, i, column);
  return texts;
}

QString Heading(QTableView* list, int column) { return list->model()->headerData(column, Qt::Horizontal).toString(); }

void ClickHeader(QTableView* list, int column) {
  auto* header = list->horizontalHeader();
  const QPoint at(header->sectionViewportPosition(column) + 6, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Press, release, then the double click, as the window system sends them.
void DoubleClick(QTableView* list, int row) {
  QWidget* viewport = list->viewport();
  const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
  QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
  QMouseEvent twice(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(viewport, &twice);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

void SelectRow(QTableView* list, int row) { list->setCurrentIndex(list->model()->index(row, 0)); }

class PagesTest : public test::CompanyTest {
 protected:
  void SetUp() override {
    test::QtApp();
    CompanyTest::SetUp();
  }
  // A page as the main window shows it, filled from the document.
  template <class Page>
  std::unique_ptr<Page> Show() {
    auto page = std::make_unique<Page>(*doc, ui, nullptr);
    doc->AddView(page.get());
    views.push_back(page.get());
    page->resize(900, 600);
    page->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    doc->RefreshAllViews();
    return page;
  }
  void TearDown() override {
    for (auto* v : views) doc->RemoveView(v);
  }
  // Employees added as the dialog adds them, each with its W-2.
  void AddEmployees(std::initializer_list<std::array<const char*, 3>> people) {
    for (const auto& [ssn, first, last] : people) {
      EmployeeRecord e;
      e.SetSocialSecurityNumber(ssn);
      e.SetFirstName(first);
      e.SetLastName(last);
      ASSERT_TRUE(AddEmployee(*doc, ui, e, true, false, true).Saved());
    }
  }
  std::vector<DocumentView*> views;
};

// ---- company setup ------------------------------------------------------------------

TEST_F(PagesTest, CompanyPageShowsTheRecordOnItsThreeTabs) {
  auto& company = doc->GetCompany();
  company.SetCity("Springfield");
  company.SetState("IL");
  company.SetZip("62701-1234");
  company.FormW3RadioKindOfPayer = 4;
  company.Form1096CheckIsThisYourFinalReturn = 1;
  auto page = Show<CCompanyView>();
  auto* sheet = page->Sheet();
  ASSERT_EQ(sheet->count(), 3);
  EXPECT_EQ(sheet->tabText(0), "General Information");
  EXPECT_EQ(sheet->tabText(1), "W3 Information");
  EXPECT_EQ(sheet->tabText(2), "1096 Information");
  EXPECT_EQ(Edit(sheet, "EmployerName")->text(), "Acme");
  EXPECT_EQ(Edit(sheet, "City")->text(), "Springfield");
  EXPECT_EQ(Edit(sheet, "Zip")->text(), "62701-1234");
  EXPECT_EQ(Child<QComboBox>(sheet, "State")->currentText(), "IL");
  EXPECT_EQ(Child<QComboBox>(sheet, "FormW3RadioKindOfPayer")->currentText(), "943");
  EXPECT_TRUE(Child<QCheckBox>(sheet, "Form1096CheckIsThisYourFinalReturn")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(sheet, "FormW3CheckThirdPartySickPay")->isChecked());
  // Each control sits on the tab of its field.
  for (const auto& field : CompanyFields())
    EXPECT_TRUE(sheet->widget(field.tab)->isAncestorOf(Child<QWidget>(sheet, field.column))) << field.column;
}

TEST_F(PagesTest, UpdateWritesTheTypedFieldsCutToWhatTheRecordKeeps) {
  auto page = Show<CCompanyView>();
  auto* sheet = page->Sheet();
  QTest::keyClicks(Edit(sheet, "EmployerName"), "'s");  // the employer name takes an apostrophe
  QTest::keyClicks(Edit(sheet, "City"), "Spring'field");  // other fields refuse it
  QTest::keyClicks(Edit(sheet, "EmployerIdentificationNumber"), "123456789");
  Child<QComboBox>(sheet, "State")->setCurrentIndex(*FindState("WI"));
  Child<QComboBox>(sheet, "FormW3RadioKindOfPayer")->setCurrentIndex(2);
  Child<QCheckBox>(sheet, "FormW3CheckThirdPartySickPay")->setChecked(true);
  const QString contact = "Christopher Montgomery-Whitley";  // 30 characters typed, 20 taken, with a note
  ASSERT_EQ(contact.size(), 30);
  QTest::keyClicks(Edit(sheet, "FormW3ContactName"), contact);
  EXPECT_EQ(Edit(sheet, "FormW3ContactName")->text(), contact.left(20));
  EXPECT_TRUE(Edit(sheet, "FormW3ContactName")->LastNote().contains("at most 20 characters"));
  QTest::keyClicks(Edit(sheet, "FormW3IncomeTaxWithHeld"), "1234.5");

  ui.answers = {Answer::Yes};
  page->UpdateButton()->click();
  EXPECT_EQ(ui.questions, std::vector<std::string>{"Are you sure you want to save the current fields?"});
  EXPECT_TRUE(ui.messages.empty());

  const CompanyRecord stored = StoredCompany();
  EXPECT_EQ(stored.EmployerName(), "Acme's");
  EXPECT_EQ(stored.City(), "Springfield");
  EXPECT_EQ(stored.EmployerIdentificationNumber(), "12-3456789");
  EXPECT_EQ(stored.State(), "WI");
  EXPECT_EQ(stored.FormW3RadioKindOfPayer, 2);
  EXPECT_EQ(stored.FormW3CheckThirdPartySickPay, 1);
  EXPECT_EQ(stored.FormW3ContactName(), "Christopher Montgome");
  EXPECT_EQ(stored.FormW3ContactName().size(), 20u);
  EXPECT_EQ(stored.FormW3IncomeTaxWithHeld(), Edit(sheet, "FormW3IncomeTaxWithHeld")->Text());
  EXPECT_FALSE(stored.FormW3IncomeTaxWithHeld().empty());
  // The title follows the employer name, and the page shows what was kept.
  EXPECT_EQ(ui.title, "Acme's - Formet (2007)");
  EXPECT_EQ(Edit(sheet, "FormW3ContactName")->text(), "Christopher Montgome");
}

// The note of a refused character lies over the field under the one typed
// in; a click there at once reaches that field, and what is typed next goes
// into it. The contact's apostrophe is taken as typed.
TEST_F(PagesTest, ARefusalNoteNeverTakesTheClickMeantForTheFieldUnderIt) {
  auto page = Show<CCompanyView>();
  page->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
  auto* sheet = page->Sheet();
  sheet->setCurrentIndex(1);  // W3 Information
  auto* contact = Edit(sheet, "FormW3ContactName");
  auto* email = Edit(sheet, "FormW3Email");
  test::ClickAt(contact, QPoint(6, contact->height() / 2));
  ASSERT_EQ(QApplication::focusWidget(), contact);
  QTest::keyClicks(contact, "Jane O'Neil \"HR\"");  // the double quotes are refused
  EXPECT_EQ(contact->Text(), "Jane O'Neil HR");
  EXPECT_FALSE(contact->LastNote().isEmpty());

  const QPoint inEmail(12, email->height() / 2);
  test::ClickAt(email, inEmail);
  EXPECT_EQ(QApplication::focusWidget(), email);
  QTest::keyClicks(QApplication::focusWidget(), "jane@harbor.example");
  EXPECT_EQ(email->Text(), "jane@harbor.example");
  EXPECT_EQ(contact->Text(), "Jane O'Neil HR");
  // The note lay where the click went, and the first key typed there ended it.
  ASSERT_NE(contact->NoteLabel(), nullptr);
  EXPECT_TRUE(contact->NoteLabel()->geometry().contains(email->mapTo(email->window(), inEmail)));
  EXPECT_FALSE(contact->NoteShown());

  ui.answers = {Answer::Yes};
  page->UpdateButton()->click();
  EXPECT_EQ(StoredCompany().FormW3ContactName(), "Jane O'Neil HR");
  EXPECT_EQ(StoredCompany().FormW3Email(), "jane@harbor.example");
}

TEST_F(PagesTest, UpdateRefusesAnEmptyEmployerNameAndNoLeavesAllAsItWas) {
  auto page = Show<CCompanyView>();
  auto* name = Edit(page->Sheet(), "EmployerName");
  Retype(name, "");
  page->UpdateButton()->click();
  EXPECT_EQ(ui.messages,
            std::vector<std::string>{"\"Employer Name\" in the \"General Information\" pane can't be empty!"});
  EXPECT_TRUE(ui.questions.empty());

  QTest::keyClicks(name, "Zenith");
  ui.answers = {Answer::No};
  page->UpdateButton()->click();
  EXPECT_EQ(StoredCompany().EmployerName(), "Acme");
  EXPECT_EQ(doc->GetCompany().EmployerName(), "Acme");
  EXPECT_EQ(name->text(), "Zenith");  // the edit stays on the page
}

TEST_F(PagesTest, ClearThenResetAskFirstAndActOnThePagesOnly) {
  doc->GetCompany().SetState("IL");
  doc->GetCompany().FormW3RadioKindOfPayer = 3;
  doc->GetCompany().Form1096CheckIsThisYourFinalReturn = 1;
  auto page = Show<CCompanyView>();
  auto* sheet = page->Sheet();

  ui.answers = {Answer::No};
  page->ClearButton()->click();
  EXPECT_EQ(Edit(sheet, "EmployerName")->text(), "Acme");

  ui.answers = {Answer::Yes};
  page->ClearButton()->click();
  EXPECT_EQ(ui.questions.back(), "Are you sure you want to clear the values of all fields?");
  EXPECT_EQ(Edit(sheet, "EmployerName")->Text(), "");
  EXPECT_EQ(Child<QComboBox>(sheet, "State")->currentIndex(), 0);
  EXPECT_EQ(Child<QComboBox>(sheet, "FormW3RadioKindOfPayer")->currentText(), "941");
  EXPECT_TRUE(Child<QCheckBox>(sheet, "Form1096CheckIsThisYourFinalReturn")->isChecked());  // keeps its state
  EXPECT_EQ(doc->GetCompany().EmployerName(), "Acme");  // nothing written
  EXPECT_EQ(ui.title, "Acme - Formet (2007)");

  ui.answers = {Answer::Yes};
  page->ResetButton()->click();
  EXPECT_EQ(ui.questions.back(), "Are you sure you want to reset all fields to their initial values?");
  EXPECT_EQ(Edit(sheet, "EmployerName")->text(), "Acme");
  EXPECT_EQ(Child<QComboBox>(sheet, "State")->currentText(), "IL");
  EXPECT_EQ(Child<QComboBox>(sheet, "FormW3RadioKindOfPayer")->currentText(), "Hshld. emp.");
  EXPECT_EQ(ui.questions.size(), 3u);
}

// The pages the main window creates, with the desktop's message boxes.
TEST_F(PagesTest, MainWindowCompanyPageUpdatesThroughItsMessageBoxes) {
  doc.reset();  // a company is open in one document at a time
  QtUiServices desktopUi;
  CGlobalDoc desktopDoc(desktopUi, settings, dir.path());
  desktopDoc.BeginSession();
  desktopDoc.SetCompany("Acme");
  ASSERT_TRUE(desktopDoc.OnNewDocument());
  PasswordStore passwords(settings);
  CMainFrame frame(desktopDoc, passwords, desktopUi);
  desktopUi.SetFrame(&frame);
  frame.resize(1000, 700);
  frame.show();
  desktopDoc.SetWindowTitle();
  desktopDoc.RefreshAllViews();
  EXPECT_NE(qobject_cast<CEmployeeView*>(frame.PageWidget(Page::Employees)), nullptr);
  EXPECT_NE(qobject_cast<CContractorView*>(frame.PageWidget(Page::Contractors)), nullptr);
  auto* page = qobject_cast<CCompanyView*>(frame.PageWidget(Page::Company));
  ASSERT_NE(page, nullptr);
  frame.ShowPage(Page::Company);

  Retype(Edit(page->Sheet(), "EmployerName"), "Acme Tools");
  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::Yes);
  page->UpdateButton()->click();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "Are you sure you want to save the current fields?");
  EXPECT_EQ(frame.windowTitle(), "Acme Tools - Formet (2007)");
  EXPECT_EQ(StoredCompany().EmployerName(), "Acme Tools");
}

// ---- employees ------------------------------------------------------------------------

// Fills the "Employee" dialog and presses OK; checks its caption first.
test::ModalAnswers::Step FillEmployee(QString caption, QString ssn, QString first, QString last,
                                      QString state = {}) {
  return [=](QWidget* w) {
    auto* dialog = qobject_cast<CEmployeeDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), caption);
    QTest::keyClicks(Edit(dialog, "SocialSecurityNumber"), ssn);
    QTest::keyClicks(Edit(dialog, "FirstName"), first);
    QTest::keyClicks(Edit(dialog, "LastName"), last);
    if (!state.isEmpty()) {
      auto* states = Child<QComboBox>(dialog, "State");
      states->setCurrentIndex(states->findText(state));
    }
    dialog->accept();
  };
}

TEST_F(PagesTest, NewEmployeeThroughTheDialogWritesTheEmployeeAndItsW2) {
  auto page = Show<CEmployeeView>();
  EXPECT_EQ(RowCount(page->List()), 0);
  test::ModalAnswers answers;
  answers.Then(FillEmployee("Employee", "123456789", "Dana", "Reyes", "IL"));
  page->NewButton()->click();
  EXPECT_EQ(answers.Pending(), 0u);
  EXPECT_TRUE(ui.messages.empty());

  const auto employees = StoredEmployees();
  ASSERT_EQ(employees.size(), 1u);
  EXPECT_EQ(employees[0].SocialSecurityNumber(), "123-45-6789");
  EXPECT_EQ(employees[0].FirstName(), "Dana");
  EXPECT_EQ(employees[0].LastName(), "Reyes");
  EXPECT_EQ(employees[0].State(), "IL");
  const auto w2 = StoredW2Forms();
  ASSERT_EQ(w2.size(), 1u);
  EXPECT_EQ(w2[0].EmployeeUniqueID, employees[0].EmployeeUniqueID);

  ASSERT_EQ(RowCount(page->List()), 1);
  EXPECT_EQ(Text(page->List(), 0, 0), "Dana");
  EXPECT_EQ(Text(page->List(), 0, 2), "Reyes");
  EXPECT_EQ(Text(page->List(), 0, 3), "123-45-6789");
  EXPECT_EQ(Heading(page->List(), 3), "Social Security Number");
}

// A failed check shows its message and keeps the dialog open with what was
// typed, the cursor in the field to correct; corrected, OK adds the employee.
TEST_F(PagesTest, FailedChecksKeepTheDialogOpenWithWhatWasTyped) {
  AddEmployees({{"123-45-6789", "Dana", "Reyes"}});
  auto page = Show<CEmployeeView>();
  test::ModalAnswers answers;
  answers.Then([this](QWidget* w) {
    auto* dialog = qobject_cast<CEmployeeDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(Edit(dialog, "SocialSecurityNumber"), "123456789");
    QTest::keyClicks(Edit(dialog, "FirstName"), "Eli");
    QTest::keyClicks(Edit(dialog, "City"), "Peoria");
    dialog->accept();
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Social Security Number already assigned to an existing employee"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->focusWidget(), Edit(dialog, "SocialSecurityNumber"));
    EXPECT_EQ(Edit(dialog, "City")->Text(), "Peoria");  // nothing typed is lost

    Retype(Edit(dialog, "SocialSecurityNumber"), "000124410");  // never issued
    dialog->accept();
    EXPECT_EQ(ui.messages.back(),
              "\"000-12-4410\" is not a social security number: none is issued with area 000, 666 or 900-999 (the "
              "first three digits), group 00 (the middle two) or serial 0000 (the last four).");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->focusWidget(), Edit(dialog, "SocialSecurityNumber"));

    Retype(Edit(dialog, "SocialSecurityNumber"), "587654321");
    dialog->accept();  // no last name yet
    EXPECT_EQ(ui.messages.back(), "Please fill in the 'Employee's Name(last)' Field");
    EXPECT_EQ(dialog->focusWidget(), Edit(dialog, "LastName"));
    QTest::keyClicks(Edit(dialog, "LastName"), "O'Stone");
    dialog->accept();
  });
  page->NewButton()->click();
  EXPECT_EQ(answers.Pending(), 0u);
  const auto stored = StoredEmployees();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].SocialSecurityNumber(), "587-65-4321");
  EXPECT_EQ(stored[1].LastName(), "O'Stone");  // the apostrophe as typed
  EXPECT_EQ(stored[1].City(), "Peoria");
  EXPECT_EQ(StoredW2Forms().size(), 2u);
  EXPECT_EQ(page->SelectedId(), stored[1].EmployeeUniqueID);  // the new employee is selected
}

// The selection names a record, not a row number: it stays on its record
// through a new order and a rebuilt list, and is gone with its record.
TEST_F(PagesTest, SelectionFollowsTheRecord) {
  AddEmployees({{"111-11-1111", "Maria", "Lopez"}, {"222-22-2222", "James", "Carter"},
                {"333-33-3333", "Aisha", "Bello"}});
  auto page = Show<CEmployeeView>();
  auto* list = page->List();
  auto selectedName = [&] {
    const auto rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : Text(list, rows.front().row(), 0);
  };
  SelectRow(list, 2);
  EXPECT_EQ(selectedName(), "Aisha");
  ClickHeader(list, 0);  // Aisha, James, Maria
  EXPECT_EQ(selectedName(), "Aisha");
  EXPECT_EQ(page->SelectedPosition(), 2);
  ClickHeader(list, 0);  // Maria, James, Aisha
  EXPECT_EQ(selectedName(), "Aisha");
  doc->RefreshAllViews();  // rebuilt in the document's order
  EXPECT_EQ(selectedName(), "Aisha");

  // Deleting James leaves nothing selected: a second Delete deletes nothing.
  SelectRow(list, 1);
  ui.answers = {Answer::Yes};
  QTest::keyClick(list, Qt::Key_Delete);
  ASSERT_EQ(StoredEmployees().size(), 2u);
  EXPECT_EQ(selectedName(), "");
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(StoredEmployees().size(), 2u);

  // Another company starts with nothing selected, even where its ids match.
  SelectRow(list, 0);
  EXPECT_EQ(selectedName(), "Maria");
  doc->ResetContents();
  doc->GetEmployees().push_back(EmployeeRecord{});
  doc->GetEmployees().back().EmployeeUniqueID = 1;
  doc->GetEmployees().back().SetFirstName("Other");
  doc->RefreshAllViews();
  EXPECT_EQ(RowCount(list), 1);
  EXPECT_EQ(selectedName(), "");
}

// Enter opens the selected row, Delete deletes it; the buttons answer Alt
// and their underlined letter.
TEST_F(PagesTest, ListKeysAndMnemonics) {
  AddEmployees({{"111-11-1111", "Ann", "Adams"}});
  auto page = Show<CEmployeeView>();
  EXPECT_EQ(page->NewButton()->text(), "&New Employee");
  EXPECT_EQ(page->ModifyButton()->text(), "&Modify Employee");
  EXPECT_EQ(page->DeleteButton()->text(), "&Delete Employee");
  auto* list = page->List();
  SelectRow(list, 0);
  test::ModalAnswers answers;
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "Employee:   Ann");
  ui.answers = {Answer::No};
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(ui.questions.size(), 1u);
  page->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
  QTest::keyClick(page.get(), Qt::Key_N, Qt::AltModifier);  // the button clicks itself a moment later
  QTRY_COMPARE(answers.texts.size(), size_t{2});
  EXPECT_EQ(answers.texts[1], "Employee");
}

// A stored value is shown and kept as stored: OK with nothing edited writes
// nothing, and an edit elsewhere keeps what the dialog could not show.
TEST_F(PagesTest, ModifyWithoutAnEditWritesNothing) {
  EmployeeRecord james;
  james.SetSocialSecurityNumber("412-55-1002");
  james.SetFirstName("James");
  james.SetLastName("O'Connor");  // the dialog refuses the apostrophe when typed
  james.SetState("il");           // not an entry of the state list
  ASSERT_TRUE(AddEmployee(*doc, ui, james, true, false, true).Saved());
  ContractorRecord office;
  office.SetIdentificationNumber("37-1190456");
  office.SetNameLine1("Prairie Properties Inc");
  office.SetNameLine2("Attn: Leasing Office");
  ASSERT_TRUE(AddContractor(*doc, ui, office, true, false, true).Saved());

  auto employees = Show<CEmployeeView>();
  test::ModalAnswers answers;
  answers.Then([](QWidget* w) {
    EXPECT_EQ(Edit(w, "LastName")->text(), "O'Connor");
    static_cast<QDialog*>(w)->accept();
  });
  SelectRow(employees->List(), 0);
  employees->ModifyButton()->click();
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(StoredEmployees()[0].LastName(), "O'Connor");
  EXPECT_EQ(StoredEmployees()[0].State(), "il");

  answers.Then([](QWidget* w) {
    QTest::keyClicks(Edit(w, "City"), "Chatham");
    static_cast<QDialog*>(w)->accept();
  });
  SelectRow(employees->List(), 0);
  employees->ModifyButton()->click();
  EXPECT_EQ(StoredEmployees()[0].City(), "Chatham");
  EXPECT_EQ(StoredEmployees()[0].LastName(), "O'Connor");
  EXPECT_EQ(StoredEmployees()[0].State(), "il");

  auto contractors = Show<CContractorView>();
  answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
  SelectRow(contractors->List(), 0);
  contractors->ModifyButton()->click();
  EXPECT_EQ(answers.Pending(), 0u);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(StoredContractors()[0].NameLine2(), "Attn: Leasing Office");
}

TEST_F(PagesTest, ModifyWritesOnlyWhatChanged) {
  AddEmployees({{"111-11-1111", "Ann", "Adams"}, {"222-22-2222", "Bob", "Baker"}});
  auto page = Show<CEmployeeView>();
  auto* list = page->List();

  // Nothing selected: nothing opens.
  list->clearSelection();
  page->ModifyButton()->click();

  // OK without a change: no write, no refresh.
  const int refreshes = view.refreshed;
  test::ModalAnswers answers;
  answers.Then([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Employee:   Bob");
    EXPECT_EQ(Edit(w, "LastName")->text(), "Baker");
    static_cast<QDialog*>(w)->accept();
  });
  SelectRow(list, 1);
  page->ModifyButton()->click();
  EXPECT_EQ(answers.Pending(), 0u);
  EXPECT_EQ(view.refreshed, refreshes);
  EXPECT_FALSE(doc->IsModified());

  // A double click opens the same dialog; a new suffix is written.
  answers.Then([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Employee:   Ann");
    QTest::keyClicks(Edit(w, "Suffix"), "Jr.x");  // three characters fit
    static_cast<QDialog*>(w)->accept();
  });
  SelectRow(list, 0);
  DoubleClick(list, 0);
  EXPECT_EQ(answers.Pending(), 0u);
  const auto stored = StoredEmployees();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].Suffix(), "Jr.");
  EXPECT_EQ(stored[1].Suffix(), "");
  EXPECT_EQ(view.refreshed, refreshes + 1);

  // A number that is never issued keeps the dialog open on it; corrected, OK
  // writes it, and the last name's apostrophe with it.
  answers.Then([this](QWidget* w) {
    auto* dialog = static_cast<QDialog*>(w);
    Retype(Edit(w, "SocialSecurityNumber"), "666224410");
    QTest::keyClicks(Edit(w, "LastName"), "'s");
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().find("\"666-22-4410\" is not a social security number"), std::string::npos);
    EXPECT_EQ(dialog->focusWidget(), Edit(w, "SocialSecurityNumber"));
    Retype(Edit(w, "SocialSecurityNumber"), "333224410");
    dialog->accept();
  });
  SelectRow(list, 1);
  page->ModifyButton()->click();
  EXPECT_EQ(answers.Pending(), 0u);
  EXPECT_EQ(StoredEmployees()[1].SocialSecurityNumber(), "333-22-4410");
  EXPECT_EQ(StoredEmployees()[1].LastName(), "Baker's");
}

TEST_F(PagesTest, DeleteAsksThenRemovesTheEmployeeAndItsW2FromTheFile) {
  AddEmployees({{"111-11-1111", "Ann", "Adams"}, {"222-22-2222", "Bob", "Baker"}});
  auto page = Show<CEmployeeView>();
  auto* list = page->List();

  // With nothing selected there is nothing to delete: the button is off.
  list->clearSelection();
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
  EXPECT_FALSE(page->ModifyButton()->isEnabled());
  page->DeleteButton()->click();
  EXPECT_TRUE(ui.questions.empty());

  SelectRow(list, 0);
  ui.answers = {Answer::No};
  page->DeleteButton()->click();
  EXPECT_EQ(StoredEmployees().size(), 2u);
  // The question names the employee.
  EXPECT_EQ(ui.questions, std::vector<std::string>{kDeleteQuestion + "\n\nAnn Adams (111-11-1111)"});

  SelectRow(list, 0);
  ui.answers = {Answer::Yes};
  page->DeleteButton()->click();
  EXPECT_EQ(ui.questions.size(), 2u);
  const auto employees = StoredEmployees();
  ASSERT_EQ(employees.size(), 1u);
  EXPECT_EQ(employees[0].FirstName(), "Bob");
  const auto w2 = StoredW2Forms();
  ASSERT_EQ(w2.size(), 1u);
  EXPECT_EQ(w2[0].EmployeeUniqueID, employees[0].EmployeeUniqueID);
  EXPECT_EQ(Column(list, 0), QStringList{"Bob"});
}

TEST_F(PagesTest, HeaderClicksSortAscendingThenDescendingAndRowsKeepTheirEmployee) {
  AddEmployees({{"111-11-1111", "Cy", "Carter"}, {"222-22-2222", "Al", "adams"}, {"333-33-3333", "Bo", "Baker"}});
  auto page = Show<CEmployeeView>();
  auto* list = page->List();
  EXPECT_EQ(Column(list, 2), (QStringList{"Carter", "adams", "Baker"}));

  ClickHeader(list, 2);
  EXPECT_EQ(Column(list, 2), (QStringList{"adams", "Baker", "Carter"}));  // the locale's order, not the bytes'
  EXPECT_EQ(list->horizontalHeader()->sortIndicatorSection(), 2);
  EXPECT_EQ(list->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
  ClickHeader(list, 2);
  EXPECT_EQ(Column(list, 2), (QStringList{"Carter", "Baker", "adams"}));
  EXPECT_EQ(list->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
  ClickHeader(list, 0);
  EXPECT_EQ(Column(list, 0), (QStringList{"Al", "Bo", "Cy"}));

  // The sorted row still names its employee; the document's order stays.
  SelectRow(list, 1);
  EXPECT_EQ(page->SelectedPosition(), 2);
  test::ModalAnswers answers;
  answers.Then([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Employee:   Bo");
    static_cast<QDialog*>(w)->reject();
  });
  page->ModifyButton()->click();
  EXPECT_EQ(answers.Pending(), 0u);
  EXPECT_EQ(doc->GetEmployees()[0].LastName(), "Carter");

  // A refresh brings back the document's order.
  doc->RefreshAllViews();
  EXPECT_EQ(Column(list, 2), (QStringList{"Carter", "adams", "Baker"}));
}

// The search box finds by name and by the digits of the SSN as one types; the
// order, the selection and the keys work on what it finds.
TEST_F(PagesTest, SearchFindsByNameAndNumberAsOneTypes) {
  AddEmployees({{"412-55-1001", "Maria", "Lopez"}, {"222-22-2222", "James", "Carter"},
                {"333-33-1001", "maria", "Gonzalez"}});
  auto page = Show<CEmployeeView>();
  auto* list = page->List();
  auto* search = page->SearchBox();
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->placeholderText(), "Name or Social Security Number");
  SelectRow(list, 1);  // James

  QTest::keyClicks(search, "MARIA");
  EXPECT_EQ(Column(list, 2), (QStringList{"Lopez", "Gonzalez"}));
  EXPECT_FALSE(page->SelectedId());  // James is not found: nothing stays selected
  EXPECT_FALSE(page->DeleteButton()->isEnabled());
  // The form pages still step through every payee.
  EXPECT_EQ(page->DisplayOrder()->Positions(), (std::vector<int>{0, 1, 2}));

  ClickHeader(list, 2);
  EXPECT_EQ(Column(list, 2), (QStringList{"Gonzalez", "Lopez"}));
  QTest::keyClicks(search, " 55-1");
  EXPECT_EQ(Column(list, 2), QStringList{"Lopez"});

  search->clear();
  EXPECT_EQ(Column(list, 2), (QStringList{"Carter", "Gonzalez", "Lopez"}));  // the order stays
  QTest::keyClicks(search, "1001");
  EXPECT_EQ(Column(list, 3), (QStringList{"333-33-1001", "412-55-1001"}));
  QTest::keyClicks(search, "x");
  EXPECT_EQ(RowCount(list), 0);
  QTest::keyClick(search, Qt::Key_Backspace);

  // Down goes to the first row found, Enter opens it.
  QTest::keyClick(search, Qt::Key_Down);
  EXPECT_EQ(page->SelectedPosition(), 2);
  test::ModalAnswers answers;
  answers.Then([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Employee:   maria");
    static_cast<QDialog*>(w)->reject();
  });
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(answers.Pending(), 0u);

  // A refresh keeps the search and the payee selected.
  doc->RefreshAllViews();
  EXPECT_EQ(Column(list, 2), (QStringList{"Lopez", "Gonzalez"}));
  EXPECT_EQ(page->SelectedPosition(), 2);

  // Another company starts unsearched.
  doc->ResetContents();
  EXPECT_TRUE(search->text().isEmpty());
  doc->GetEmployees().push_back(EmployeeRecord{});
  doc->GetEmployees().back().EmployeeUniqueID = 1;
  doc->GetEmployees().back().SetFirstName("Other");
  doc->RefreshAllViews();
  EXPECT_EQ(Column(list, 0), QStringList{"Other"});
}

// ---- contractors ------------------------------------------------------------------------

TEST_F(PagesTest, ContractorsAddRefuseModifyAndDeleteThroughThePage) {
  auto page = Show<CContractorView>();
  auto* list = page->List();
  test::ModalAnswers answers;
  auto fill = [](QString id, QString name) {
    return [=](QWidget* w) {
      EXPECT_EQ(w->windowTitle(), "Contractor");
      QTest::keyClicks(Edit(w, "IdentificationNumber"), id);
      QTest::keyClicks(Edit(w, "NameLine1"), name);
      Child<QCheckBox>(w, "SecondTIN")->setChecked(true);
      static_cast<QDialog*>(w)->accept();
    };
  };
  answers.Then(fill("12-3456789", "Lakeside Plumbing"));
  page->NewButton()->click();
  auto stored = StoredContractors();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].IdentificationNumber(), "12-3456789");
  EXPECT_EQ(stored[0].NameLine1(), "Lakeside Plumbing");
  EXPECT_EQ(stored[0].SecondTIN, 1);
  ASSERT_EQ(StoredForms1099().size(), 1u);
  EXPECT_EQ(Column(list, 0), QStringList{"Lakeside Plumbing"});

  answers.Then(fill("12-3456789", "Other Name"));
  answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });  // the dialog stays open: cancel it
  page->NewButton()->click();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Identification Number already assigned to an existing contractor"});
  EXPECT_EQ(StoredContractors().size(), 1u);

  // A record from an older file: shown and opened through its composed name.
  auto& older = doc->GetContractors()[0];
  older.SetFirstName("Pat");
  older.SetMiddleName("Q");
  older.SetLastName("Long");
  doc->RefreshAllViews();
  EXPECT_EQ(Column(list, 0), QStringList{"Pat Q Long"});
  answers.Then([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Contractor:   Pat");
    EXPECT_EQ(Edit(w, "NameLine1")->text(), "Pat Q Long");
    QTest::keyClicks(Edit(w, "City"), "Madison");
    static_cast<QDialog*>(w)->accept();
  });
  SelectRow(list, 0);
  page->ModifyButton()->click();
  stored = StoredContractors();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].NameLine1(), "Pat Q Long");
  EXPECT_EQ(stored[0].FirstName(), "");
  EXPECT_EQ(stored[0].City(), "Madison");

  SelectRow(list, 0);
  ui.answers = {Answer::Yes};
  page->DeleteButton()->click();
  EXPECT_EQ(ui.questions, std::vector<std::string>{kDeleteQuestion + "\n\nPat Q Long (12-3456789)"});
  EXPECT_TRUE(StoredContractors().empty());
  EXPECT_TRUE(StoredForms1099().empty());
  EXPECT_EQ(RowCount(list), 0);
  EXPECT_EQ(Heading(list, 2), "Identification Number");
}

TEST_F(PagesTest, ContractorSearchFindsBothNameLinesAndTheTin) {
  for (const auto& [tin, line1, line2] : std::vector<std::array<const char*, 3>>{
           {"37-1190456", "Prairie Properties Inc", "Attn: Leasing Office"}, {"12-3456789", "Lakeside Plumbing", ""}}) {
    ContractorRecord c;
    c.SetIdentificationNumber(tin);
    c.SetNameLine1(line1);
    c.SetNameLine2(line2);
    ASSERT_TRUE(AddContractor(*doc, ui, c, true, false, true).Saved());
  }
  auto page = Show<CContractorView>();
  auto* list = page->List();
  EXPECT_EQ(page->SearchBox()->placeholderText(), "Name or Identification Number");
  const std::vector<std::pair<QString, QStringList>> cases = {
      {"leasing", {"Prairie Properties Inc"}},
      {"plumb", {"Lakeside Plumbing"}},
      {"123456", {"Lakeside Plumbing"}},
      {"37-11", {"Prairie Properties Inc"}},
      {"", {"Prairie Properties Inc", "Lakeside Plumbing"}},
  };
  for (const auto& [typed, found] : cases) {
    page->SearchBox()->setText(typed);
    EXPECT_EQ(Column(list, 0), found) << typed.toStdString();
  }
}

}  // namespace
}  // namespace formet
