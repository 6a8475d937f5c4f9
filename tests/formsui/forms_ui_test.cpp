// The four form pages as the user works them: typing into the fields and
// leaving them, the buttons, the read-only parts, and the totals pages
// following a saved form.
#include <gtest/gtest.h>

#include <set>

#include <QCheckBox>
#include <QMenu>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "desktop/modal_answers.h"
#include "forms/1099/ui/form1096_view.h"
#include "forms/1099/ui/form1099_view.h"
#include "forms/record_as_filed.h"
#include "forms/ui/form_sheet.h"
#include "forms/ui/select_row_dialog.h"
#include "forms/w2/ui/w2_view.h"
#include "forms/w2/ui/w3_view.h"
#include "kit/ui/color_button.h"
#include "kit/ui/masked_edit.h"
#include "qt_app.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/records_fixture.h"
#include "screen_click.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace formet {
namespace {

template <class W>
W* Child(QWidget* parent, const char* name) {
  auto* w = parent->findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}
CMaskedEdit* Edit(QWidget* parent, const char* column) { return Child<CMaskedEdit>(parent, column); }
QString Shown(QWidget* parent, const char* name) { return Child<QLineEdit>(parent, name)->text(); }

// Replaces a field's text as the user does, then moves on with Tab.
void TypeAndLeave(CMaskedEdit* edit, const QString& text) {
  edit->setFocus(Qt::MouseFocusReason);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
}

class FormPagesTest : public test::CompanyTest {
 protected:
  void SetUp() override {
    test::QtApp();
    CompanyTest::SetUp();
    auto& c = doc->GetCompany();
    c.SetEmployerIdentificationNumber("36-4125798");
    c.SetCity("Springfield");
    c.SetState("IL");
    c.SetZip("62701");
  }
  void TearDown() override {
    for (auto* v : views) doc->RemoveView(v);
  }
  // A page as the main window shows it, filled from the document.
  template <class Page>
  std::unique_ptr<Page> Show() {
    auto page = std::make_unique<Page>(*doc, ui, nullptr);
    doc->AddView(page.get());
    views.push_back(page.get());
    page->resize(1000, 700);
    page->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    doc->RefreshAllViews();
    page->activateWindow();
    return page;
  }
  void AddEmployees(std::initializer_list<std::array<const char*, 3>> people, W2ListObserver* page = nullptr) {
    for (const auto& [ssn, first, last] : people) {
      EmployeeRecord e;
      e.SetSocialSecurityNumber(ssn);
      e.SetFirstName(first);
      e.SetLastName(last);
      ASSERT_TRUE(AddEmployee(*doc, ui, e, true, false, true, nullptr, page).Saved());
    }
  }
  void AddContractors(std::initializer_list<std::pair<const char*, const char*>> people,
                      Form1099ListObserver* page = nullptr) {
    for (const auto& [tin, name] : people) {
      ContractorRecord r;
      r.SetIdentificationNumber(tin);
      r.SetNameLine1(name);
      ASSERT_TRUE(AddContractor(*doc, ui, r, true, false, true, nullptr, page).Saved());
    }
  }
  std::vector<DocumentView*> views;
};

TEST_F(FormPagesTest, W2PageShowsTheEmployeeReadOnlyAndChecksFieldsAsTheyAreLeft) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}, {"412-55-1002", "James", "Lee"}});
  auto page = Show<CW2View>();
  page->OnShown();
  EXPECT_EQ(Shown(page.get(), "BoxA"), "412-55-1001");
  EXPECT_EQ(Shown(page.get(), "BoxB"), "36-4125798");
  EXPECT_TRUE(Child<QLineEdit>(page.get(), "BoxA")->isReadOnly());
  EXPECT_EQ(Child<QLabel>(page.get(), "BoxC")->text(), "Acme\nSpringfield, IL 62701");
  EXPECT_EQ(page->Subtitle()->text(), "Employee: Maria Gonzalez");
  EXPECT_EQ(Edit(page.get(), "Wages")->text(), "0.00");
  EXPECT_EQ(Edit(page.get(), "State1")->text(), "IL");
  ASSERT_EQ(ui.notes.size(), 1u);  // the help note, at the help icon
  EXPECT_EQ(ui.notes[0].anchor, NoteAnchor::HelpIcon);
  EXPECT_EQ(page->NoteAnchorWidget(NoteAnchor::HelpIcon), static_cast<QWidget*>(page->HelpButton()));

  TypeAndLeave(Edit(page.get(), "SocialSecurityWages"), "97500.10");
  EXPECT_EQ(ui.messages, std::vector<std::string>{"'Social security wages' field shouldn't exceed $97500.00"});
  EXPECT_EQ(Edit(page.get(), "SocialSecurityWages")->text(), "97500.00");
  EXPECT_EQ(Edit(page.get(), "SocialSecurityTaxWithheld")->text(), "6045.00");
  TypeAndLeave(Edit(page.get(), "MedicareWages"), "50000");
  EXPECT_EQ(Edit(page.get(), "MedicareWages")->text(), "50000.00");
  EXPECT_EQ(Edit(page.get(), "MedicareTaxWithheld")->text(), "725.00");
  TypeAndLeave(Edit(page.get(), "Field12aCode"), "aa");
  EXPECT_EQ(Edit(page.get(), "Field12aCode")->text(), "AA");
  TypeAndLeave(Edit(page.get(), "Field12aAmount"), "250");
  QTest::mouseClick(Child<QCheckBox>(page.get(), "RetirementPlan"), Qt::LeftButton);
  EXPECT_TRUE(page->Rules().Modified());

  // Save, reached while a typed field still has the focus: its checks run first.
  Edit(page.get(), "Wages")->setFocus();
  Edit(page.get(), "Wages")->selectAll();
  QTest::keyClicks(Edit(page.get(), "Wages"), "12.345");
  ui.answers = {Answer::Yes};
  page->SaveButton()->click();
  const W2Record stored = StoredW2Forms()[0];
  EXPECT_EQ(stored.Wages(), "12.34");
  EXPECT_EQ(stored.SocialSecurityWages(), "97500.00");
  EXPECT_EQ(stored.Field12aCode(), "0");
  EXPECT_EQ(stored.RetirementPlan, 1);
  EXPECT_FALSE(page->Rules().Modified());
}

// A click into an amount takes the whole amount, so that what is typed
// replaces it: "0.00" clicked near its left edge and typed 500 is 500.00, not
// 5000.00; clicked in its middle and typed 105000 is 105000.00, not 0.10. A
// click into the amount that has the focus only moves the caret.
TEST_F(FormPagesTest, AClickIntoAnAmountTakesTheWholeAmount) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  auto page = Show<CW2View>();
  page->OnShown();
  ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
  auto* box7 = Edit(page.get(), "SocialSecurityTips");
  auto* box1 = Edit(page.get(), "Wages");
  ASSERT_EQ(box7->text(), "0.00");
  test::ClickAt(box7, QPoint(3, box7->height() / 2));
  ASSERT_EQ(QApplication::focusWidget(), box7);
  EXPECT_EQ(box7->selectedText(), "0.00");
  QTest::keyClicks(box7, "500");
  QTest::keyClick(box7, Qt::Key_Tab);
  EXPECT_EQ(box7->text(), "500.00");

  test::ClickAt(box1, box1->rect().center());
  ASSERT_EQ(QApplication::focusWidget(), box1);
  QTest::keyClicks(box1, "105000");
  EXPECT_EQ(box1->text(), "105000");
  EXPECT_FALSE(box1->NoteShown());
  // Now it has the focus, a click puts the caret where it lands.
  test::ClickAt(box1, QPoint(box1->width() - 4, box1->height() / 2));
  EXPECT_FALSE(box1->hasSelectedText());
  EXPECT_EQ(box1->cursorPosition(), 6);
  QTest::keyClick(box1, Qt::Key_Tab);
  EXPECT_EQ(box1->text(), "105000.00");
  ui.answers = {Answer::Yes};
  page->SaveButton()->click();
  EXPECT_EQ(StoredW2Forms()[0].SocialSecurityTips(), "500.00");
  EXPECT_EQ(StoredW2Forms()[0].Wages(), "105000.00");
}

// Digits an amount cannot take are said at the field, and the note is still
// there after the field was left, until a key is pressed in another field.
TEST_F(FormPagesTest, WhatAnAmountDropsIsShownAtItUntilTheNextKeyElsewhere) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  auto page = Show<CW2View>();
  page->OnShown();
  ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
  auto* box1 = Edit(page.get(), "Wages");
  test::ClickAt(box1, box1->rect().center());
  QTest::keyClicks(box1, "1234567890");  // ten whole digits: the tenth is dropped
  EXPECT_EQ(box1->text(), "123456789");
  ASSERT_TRUE(box1->NoteShown());
  EXPECT_TRUE(box1->NoteLabel()->isVisible());
  EXPECT_EQ(static_cast<const QLabel*>(box1->NoteLabel())->text(), box1->LastNote());
  QTest::keyClick(box1, Qt::Key_Tab);
  EXPECT_EQ(box1->text(), "123456789.00");
  EXPECT_TRUE(box1->NoteShown());  // still to be read after leaving
  QWidget* next = QApplication::focusWidget();
  ASSERT_NE(next, box1);
  QTest::keyClick(next, Qt::Key_5);
  EXPECT_FALSE(box1->NoteShown());
}

TEST_F(FormPagesTest, W2PageNavigatesAndSaysWhenAnEmployeeHasNoW2) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}});
  doc->GetW2Forms().pop_back();  // Bob's W-2 is missing
  auto page = Show<CW2View>();
  page->OnShown();
  EXPECT_FALSE(page->Notice()->isVisibleTo(page.get()));
  EXPECT_TRUE(Edit(page.get(), "Wages")->isEnabled());
  page->NextButton()->click();
  EXPECT_EQ(page->Subtitle()->text(), "Employee: Bob Adams");
  EXPECT_TRUE(page->Notice()->isVisibleTo(page.get()));
  EXPECT_TRUE(page->Notice()->text().contains("has no W-2 form"));
  EXPECT_FALSE(Edit(page.get(), "Wages")->isEnabled());
  EXPECT_EQ(Edit(page.get(), "Wages")->text(), "");
  page->NextButton()->click();
  EXPECT_EQ(ui.notes.back().text, "This is the last employee in the list!");
  EXPECT_EQ(page->NoteAnchorWidget(ui.notes.back().anchor), static_cast<QWidget*>(page->NextButton()));
  page->PreviousButton()->click();
  EXPECT_EQ(page->Subtitle()->text(), "Employee: Ann Young");
  EXPECT_TRUE(Edit(page.get(), "Wages")->isEnabled());
}

// The page buttons answer Alt and their underlined letter; no two letters
// are the same, and none is one of the menu bar's.
TEST_F(FormPagesTest, ButtonsAnswerTheirAltLetters) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}});
  auto page = Show<CW2View>();
  page->OnShown();
  ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
  QTest::keyClick(page.get(), Qt::Key_N, Qt::AltModifier);  // the button clicks itself a moment later
  QTRY_COMPARE(page->Subtitle()->text(), QString("Employee: Bob Adams"));
  QTest::keyClick(page.get(), Qt::Key_V, Qt::AltModifier);
  QTRY_COMPARE(page->Subtitle()->text(), QString("Employee: Ann Young"));
  std::set<QChar> taken{'c', 't', 'i', 'h', 'o'};  // Company, Tools, Import Data, Help, Order
  int lettered = 0;
  for (auto* button : page->findChildren<QPushButton*>()) {
    const QString text = button->text();
    const auto amp = text.indexOf('&');
    if (amp < 0 || amp + 1 >= text.size()) continue;
    ++lettered;
    EXPECT_TRUE(taken.insert(text[amp + 1].toLower()).second) << text.toStdString();
  }
  EXPECT_EQ(lettered, 8);
}

TEST_F(FormPagesTest, RecordAsFiledThenAChangeShowsThatItNeedsACorrection) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}});
  AddContractors({{"12-3456789", "Cal Co"}});
  auto page = Show<CW2View>();
  page->OnShown();
  EXPECT_TRUE(page->Notice()->isHidden());
  const std::string today = ShowFiledDate(TodayFiledDate());
  ui.messages.clear();
  ui.answers = {Answer::Yes};
  page->RecordFiledButton()->click();
  ASSERT_EQ(ui.messages, std::vector<std::string>{"Recorded as filed on " + today + ": 2 W-2s."});
  EXPECT_FALSE(page->Notice()->isHidden());
  EXPECT_EQ(page->Notice()->text().toStdString(), "Filed on " + today + ".");

  TypeAndLeave(Edit(page.get(), "Wages"), "1000");
  ui.answers = {Answer::Yes};
  page->SaveButton()->click();
  EXPECT_EQ(page->Notice()->text().toStdString(),
            "Filed on " + today + ". It changed since: the change needs a correction (Form W-2c).");
  page->NextButton()->click();
  EXPECT_EQ(page->Notice()->text().toStdString(), "Filed on " + today + ".");

  // No: nothing is recorded.
  auto forms = Show<C1099View>();
  forms->OnShown();
  ui.answers = {Answer::No};
  forms->RecordFiledButton()->click();
  EXPECT_TRUE(forms->Notice()->isHidden());
  ui.answers = {Answer::Yes};
  forms->RecordFiledButton()->click();
  EXPECT_EQ(forms->Notice()->text().toStdString(), "Filed on " + today + ".");
}

// The 1099 Forms page's "Corrected Forms" button: its menu holds the print
// of the corrected 1099-MISC's and of their 1096; with nothing to correct
// each says so and opens nothing.
TEST_F(FormPagesTest, TheCorrectedFormsButtonOffersBothPrints) {
  AddContractors({{"12-3456789", "Cal Co"}});
  auto forms = Show<C1099View>();
  forms->OnShown();
  ASSERT_NE(forms->CorrectedButton()->menu(), nullptr);
  EXPECT_EQ(forms->CorrectedButton()->menu()->actions(),
            (QList<QAction*>{forms->PrintCorrectedAction(), forms->PrintCorrected1096Action()}));
  ASSERT_EQ(RecordAsFiled(*doc, FiledFamily::Form1099, "2008-02-28").code, 0);
  for (QAction* action : {forms->PrintCorrectedAction(), forms->PrintCorrected1096Action()}) {
    ui.messages.clear();
    action->trigger();
    ASSERT_EQ(ui.messages.size(), 1u) << action->text().toStdString();
    EXPECT_EQ(ui.messages[0].rfind("There is no corrected 1099-MISC for the IRS.", 0), 0u) << ui.messages[0];
  }
}

TEST_F(FormPagesTest, TheW3PageFollowsASavedW2) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}});
  doc->GetW2Forms()[1].SetWages("250.50");
  doc->GetW2Forms()[1].SetField12bCode("C");  // not deferred compensation
  doc->GetW2Forms()[1].SetField12bAmount("500");
  doc->GetCompany().FormW3RadioKindOfPayer = 6;
  auto w3 = Show<CW3View>();
  auto w2 = Show<CW2View>();
  w2->OnShown();
  EXPECT_EQ(Shown(w3.get(), "Box1"), "250.50");
  EXPECT_EQ(Shown(w3.get(), "BoxC"), "2");
  EXPECT_TRUE(Child<QCheckBox>(w3.get(), "KindOfPayer6")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(w3.get(), "KindOfPayer0")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(w3.get(), "KindOfPayer0")->isEnabled());  // read-only

  TypeAndLeave(Edit(w2.get(), "Wages"), "1000");
  TypeAndLeave(Edit(w2.get(), "Field12aCode"), "d");
  TypeAndLeave(Edit(w2.get(), "Field12aAmount"), "500");
  ui.answers = {Answer::Yes};
  w2->SaveButton()->click();
  EXPECT_EQ(Shown(w3.get(), "Box1"), "1250.50");
  EXPECT_EQ(Shown(w3.get(), "Box12"), "500.00");
  EXPECT_EQ(Shown(w3.get(), "Box16"), "0.00");
}

// Amounts an earlier import stored (92233720368547757.00 for a 20-digit value):
// the W-3 and 1096 pages say their totals cannot be held, the boxes read
// "too large" where -2.16 was shown, and Print refuses with the reason.
TEST_F(FormPagesTest, TheTransmittalsSayWhenATotalCannotBeHeld) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}});
  for (auto& w : doc->GetW2Forms()) w.SetWages("92233720368547757.00");
  doc->GetW2Forms()[0].SetFederalIncomeTaxWithdrawal("12.50");
  auto w3 = Show<CW3View>();
  w3->OnShown();
  EXPECT_EQ(Shown(w3.get(), "Box1"), "too large");
  EXPECT_EQ(Shown(w3.get(), "Box2"), "12.50");
  EXPECT_TRUE(w3->ProblemLine()->isVisibleTo(w3.get()));
  EXPECT_TRUE(w3->ProblemLine()->text().startsWith("The total of box 1 of the W-3 is too large to be held"));
  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::Ok);
  w3->PrintButton()->click();
  ASSERT_EQ(answers.texts.size(), 1u);  // the refusal, and no print options after it
  EXPECT_TRUE(answers.texts[0].startsWith("The W-3 was not printed.\n\nThe total of box 1")) << answers.texts[0].toStdString();

  // Corrected on its W-2, the total is shown again.
  doc->GetW2Forms()[1].SetWages("1");
  w3->OnDocumentRefresh();
  EXPECT_EQ(Shown(w3.get(), "Box1"), "92233720368547758.00");
  EXPECT_FALSE(w3->ProblemLine()->isVisibleTo(w3.get()));

  AddContractors({{"36-7788123", "Northside Design LLC"}, {"345-67-8901", "Daniel Reyes"}});
  for (auto& f : doc->GetForms1099()) f.SetNonemployeeCompensation("92233720368547757.00");
  auto f1096 = Show<C1096View>();
  f1096->OnShown();
  EXPECT_EQ(Shown(f1096.get(), "Box5"), "too large");
  EXPECT_TRUE(f1096->ProblemLine()->text().startsWith("The total of box 5 of the 1096 is too large to be held"));
  answers.ThenButton(QMessageBox::Ok);
  f1096->PrintButton()->click();
  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_TRUE(answers.texts[1].startsWith("The 1096 was not printed."));
}

TEST_F(FormPagesTest, W3AndW2PagesOfACompanyWithoutEmployees) {
  auto w3 = Show<CW3View>();
  w3->OnShown();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"There are no employees in this company"});
  EXPECT_EQ(ui.employeesPageShown, 1);
  EXPECT_EQ(Shown(w3.get(), "Box1"), "0.00");
  EXPECT_EQ(Shown(w3.get(), "BoxC"), "0");
  auto w2 = Show<CW2View>();
  w2->OnShown();
  EXPECT_EQ(ui.employeesPageShown, 2);
  EXPECT_EQ(w2->Subtitle()->text(), "No employee");
}

TEST_F(FormPagesTest, The1099PageAndThe1096Totals) {
  AddContractors({{"36-7788123", "Northside Design LLC"}, {"345-67-8901", "Daniel Reyes"}});
  doc->GetForms1099()[1].SetRents("50.50");
  doc->GetCompany().SetForm1096FilerName("");
  doc->GetCompany().SetEmployerName("Acme Supply");
  auto f1096 = Show<C1096View>();
  auto page = Show<C1099View>();
  page->OnShown();
  EXPECT_EQ(page->Subtitle()->text(), "Contractor: Northside Design LLC");
  EXPECT_EQ(Shown(page.get(), "RecipientId"), "36-7788123");
  EXPECT_EQ(Shown(page.get(), "PayerId"), "36-4125798");
  EXPECT_EQ(Shown(f1096.get(), "FilerName"), "Acme Supply");
  EXPECT_EQ(Shown(f1096.get(), "Box3"), "2");
  EXPECT_EQ(Shown(f1096.get(), "Box5"), "50.50");

  TypeAndLeave(Edit(page.get(), "Rents"), "12.3");
  EXPECT_EQ(Edit(page.get(), "Rents")->text(), "12.30");
  TypeAndLeave(Edit(page.get(), "FederalIncomeTaxWithheld"), "1.239");
  EXPECT_EQ(Edit(page.get(), "FederalIncomeTaxWithheld")->text(), "1.23");
  TypeAndLeave(Edit(page.get(), "PayerStateID1"), "IL:12");  // the colon is refused
  EXPECT_EQ(Edit(page.get(), "PayerStateID1")->text(), "IL12");
  QTest::mouseClick(Child<QCheckBox>(page.get(), "PayerMadeDirectSales"), Qt::LeftButton);
  ui.answers = {Answer::Yes};
  page->SaveButton()->click();
  EXPECT_EQ(StoredForms1099()[0].Rents(), "12.30");
  EXPECT_EQ(StoredForms1099()[0].PayerMadeDirectSales, 1);
  EXPECT_EQ(Shown(f1096.get(), "Box4"), "1.23");
  EXPECT_EQ(Shown(f1096.get(), "Box5"), "62.80");

  page->FormTypeButton()->click();
  EXPECT_TRUE(ui.messages.back().rfind("Only 1099 Misc Forms are supported at this point.", 0) == 0);
}

TEST_F(FormPagesTest, SelectDialogSortsAndTakesTheChosenRow) {
  RowChoice choice;
  choice.caption = "Select Employee";
  choice.columns = {{"First Name", 190}, {"Middle Name", 100}, {"Last Name", 190}};
  choice.rows = {{"Ann", "", "young"}, {"Bob", "Q", "Adams"}, {"Cy", "", "Mills"}};
  choice.sortColumn = 2;
  choice.current = 0;
  CSelectRowDlg dialog(choice);
  QTreeWidget* list = dialog.List();
  auto column = [&](int c) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(c);
    return texts;
  };
  EXPECT_EQ(dialog.windowTitle(), "Select Employee");
  EXPECT_EQ(column(2), (QStringList{"Adams", "Mills", "young"}));
  EXPECT_EQ(list->currentItem()->text(0), "Ann");  // the current employee
  dialog.ClickColumn(2);
  EXPECT_EQ(column(2), (QStringList{"young", "Mills", "Adams"}));
  dialog.ClickColumn(0);
  EXPECT_EQ(column(0), (QStringList{"Ann", "Bob", "Cy"}));
  list->setCurrentItem(list->topLevelItem(2));
  dialog.accept();
  const RowChoiceAnswer answer = dialog.Answer();
  EXPECT_TRUE(answer.accepted);
  EXPECT_EQ(answer.row, 2u);
  EXPECT_EQ(answer.sortColumn, 0);
  EXPECT_TRUE(answer.ascending);
}

// The search box keeps the rows whose names or SSN hold what is typed, as it
// is typed; the arrows move in the list from the box, and Enter takes the
// row. Typing in the list finds rows by the column the list is sorted by.
TEST_F(FormPagesTest, SelectDialogSearchesAndTypesAheadInTheSortedColumn) {
  RowChoice choice;
  choice.caption = "Select Employee";
  choice.columns = {{"First Name", 190}, {"Middle Name", 100}, {"Last Name", 190}, {"SSN", 90}};
  choice.rows = {{"Ann", "", "Young", "412-55-1001"},
                 {"Bob", "Q", "Adams", "412-55-2002"},
                 {"Cy", "", "Mills", "500-10-3003"},
                 {"Abe", "", "Baker", "600-20-4004"}};
  choice.sortColumn = 2;
  choice.searchNames = {0, 1, 2};
  choice.searchNumber = 3;
  CSelectRowDlg dialog(choice);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QTreeWidget* list = dialog.List();
  auto shown = [&](int c) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(c);
    return texts;
  };
  QLineEdit* search = dialog.SearchBox();
  ASSERT_NE(search, nullptr);
  EXPECT_TRUE(search->hasFocus());
  EXPECT_EQ(search->placeholderText(), "Name or SSN");
  QTest::keyClicks(search, "412-55");
  EXPECT_EQ(shown(2), (QStringList{"Adams", "Young"}));
  EXPECT_EQ(list->currentItem()->text(2), "Adams");  // the first found is selected
  QTest::keyClick(search, Qt::Key_Down);
  EXPECT_EQ(list->currentItem()->text(2), "Young");
  QTest::keyClick(search, Qt::Key_Backspace);
  QTest::keyClicks(search, "5 1001");  // both words: "412-55" and "1001"
  EXPECT_EQ(shown(2), (QStringList{"Young"}));
  search->clear();
  QTest::keyClicks(search, "ba");  // names, letter case aside
  EXPECT_EQ(shown(2), (QStringList{"Baker"}));
  search->clear();
  EXPECT_EQ(shown(2), (QStringList{"Adams", "Baker", "Mills", "Young"}));
  EXPECT_EQ(list->currentItem()->text(2), "Baker");  // the row found stays selected

  // Type-ahead in the list: by last name while sorted by it, by first name
  // once sorted by that.
  list->setFocus();
  QTest::keyClicks(list, "m");
  EXPECT_EQ(list->currentItem()->text(2), "Mills");
  dialog.ClickColumn(0);
  EXPECT_EQ(shown(0), (QStringList{"Abe", "Ann", "Bob", "Cy"}));
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClicks(list, "b");
  EXPECT_EQ(list->currentItem()->text(0), "Bob");
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClicks(list, "a");
  EXPECT_EQ(list->currentItem()->text(0), "Abe");
  QTest::keyClicks(list, "a");  // the same letter again: the next row with it
  EXPECT_EQ(list->currentItem()->text(0), "Ann");

  search->setFocus();
  QTest::keyClicks(search, "500");
  QTest::keyClick(search, Qt::Key_Return);
  const RowChoiceAnswer answer = dialog.Answer();
  EXPECT_TRUE(answer.accepted);
  EXPECT_EQ(answer.row, 2u);  // Cy Mills, by his position in the choice
  EXPECT_EQ(answer.sortColumn, 0);
}

// Nothing found leaves nothing to take: OK answers no row.
TEST_F(FormPagesTest, SelectDialogWithNothingFoundTakesNoRow) {
  RowChoice choice;
  choice.caption = "Select Contractor";
  choice.columns = {{"Name Line One", 190}, {"Name Line Two", 190}, {"TIN", 90}};
  choice.rows = {{"Northside Design LLC", "", "36-7788123"}};
  choice.current = 0;
  choice.searchNames = {0, 1};
  choice.searchNumber = 2;
  CSelectRowDlg dialog(choice);
  EXPECT_EQ(dialog.SearchBox()->placeholderText(), "Name or TIN");
  QTest::keyClicks(dialog.SearchBox(), "south");
  EXPECT_EQ(dialog.List()->topLevelItemCount(), 0);
  dialog.accept();
  EXPECT_TRUE(dialog.Answer().accepted);
  EXPECT_FALSE(dialog.Answer().row);
}

// The pages fit the smallest main window by scrolling, and grow with the font.
TEST_F(FormPagesTest, SheetsScrollInASmallWindowAndFollowTheFont) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}});
  auto page = Show<CW2View>();
  page->resize(520, 340);
  QCoreApplication::processEvents();
  QScrollArea* scroll = page->ScrollArea();
  EXPECT_GT(scroll->widget()->minimumSizeHint().height(), scroll->viewport()->height());
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
  const int width = Edit(page.get(), "Wages")->minimumWidth();
  const QFont normal = QApplication::font();
  QFont big = normal;
  big.setPointSizeF(normal.pointSizeF() * 1.5);
  QApplication::setFont(big);
  {
    CW2View bigger(*doc, ui, nullptr);
    EXPECT_GE(Edit(&bigger, "Wages")->minimumWidth(), width * 13 / 10);
  }
  QApplication::setFont(normal);
}

}  // namespace
}  // namespace formet
