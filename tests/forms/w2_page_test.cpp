// The W-2 page's rules, driven as the page drives them: loading an employee,
// the checks of fields the user leaves, Save, Reset and Clear, the employee
// navigation and the list links.
#include "forms/w2/w2_page_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "records/employees.h"
#include "records/records_fixture.h"

namespace formet {
namespace {

using R = W2Record;

size_t Box(TextMember<R> member) { return W2FieldIndex(member); }
size_t Box(int32_t R::*member) { return W2FieldIndex(member); }

class W2PageTest : public test::CompanyTest {
 protected:
  void SetUp() override {
    CompanyTest::SetUp();
    auto& c = doc->GetCompany();
    c.SetEmployerIdentificationNumber("36-4125798");
    c.SetAddress1("1200 Capitol Ave");
    c.SetCity("Springfield");
    c.SetState("IL");
    c.SetZip("62701");
    c.SetStateID("4125-7980");
    c.SetFormW3ControlNumber("A-17");
    page = std::make_unique<W2PageRules>(*doc, ui);
  }
  // Employees added as the Employee dialog adds them, each with its blank W-2.
  // `linked`: the page is told, as the desktop's W-2 page is.
  void AddEmployees(std::initializer_list<std::array<const char*, 3>> people, bool linked = true) {
    for (const auto& [ssn, first, last] : people) {
      EmployeeRecord e;
      e.SetSocialSecurityNumber(ssn);
      e.SetFirstName(first);
      e.SetLastName(last);
      ASSERT_TRUE(AddEmployee(*doc, ui, e, true, false, true, nullptr, linked ? page.get() : nullptr).Saved());
    }
  }
  const std::string& Text(TextMember<R> member) { return page->Value(Box(member)).text; }
  // Types a field and leaves it.
  void Type(TextMember<R> member, const std::string& text) {
    page->EditText(Box(member), text);
    page->LeaveField(Box(member));
  }
  // The raw text of a column of the W-2 with `id`, as the file holds it.
  std::string FileText(const std::string& column, int id) {
    std::string text;
    EXPECT_EQ(File().Execute("SELECT " + column + " FROM W2 WHERE W2UniqueID=" + std::to_string(id),
                             [&](int, char** values) { text = values[0] ? values[0] : "(null)"; }),
              0);
    return text;
  }

  std::unique_ptr<W2PageRules> page;
};

TEST_F(W2PageTest, LoadShowsTheEmployeeAndANormalisedCopyOfTheW2) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  EmployeeRecord& e = doc->GetEmployees()[0];
  e.SetMiddleName("L");
  e.SetAddress1("48 Lincoln Ave");
  e.SetCity("Springfield");
  e.SetState("IL");
  e.SetZip("62702");
  W2Record& w = doc->GetW2Forms()[0];
  w.SetWages("12.5");
  w.SetFederalIncomeTaxWithdrawal("12.345");
  w.SetField12aCode("0");
  w.SetField12bCode("1");
  w.SetField12cCode("D");
  w.SetStateID1("OWN-ID");
  const W2Record stored = w;

  page->Load();
  const W2Parties& p = page->Parties();
  EXPECT_EQ(p.employeeSsn, "412-55-1001");
  EXPECT_EQ(p.ein, "36-4125798");
  EXPECT_EQ(p.employerCityLine, "Springfield, IL 62701");
  EXPECT_EQ(p.controlNumber, "A-17");
  EXPECT_EQ(p.firstNameAndInitial, "Maria L");
  EXPECT_EQ(p.cityLine, "Springfield, IL 62702");
  EXPECT_EQ(Text(R::Text::Wages), "12.50");
  EXPECT_EQ(Text(R::Text::FederalIncomeTaxWithdrawal), "12.34");
  EXPECT_EQ(Text(R::Text::LocalIncomeTax2), "0.00");  // every one of the 23 amounts
  EXPECT_EQ(Text(R::Text::Field12aCode), "AA");
  EXPECT_EQ(Text(R::Text::Field12bCode), "BB");
  EXPECT_EQ(Text(R::Text::Field12cCode), "D");
  EXPECT_EQ(Text(R::Text::State1), "IL");       // the company's state
  EXPECT_EQ(Text(R::Text::StateID1), "OWN-ID");  // the W-2's own state ID
  EXPECT_EQ(Text(R::Text::State2), "");
  EXPECT_FALSE(page->Modified());
  EXPECT_EQ(doc->GetW2Forms()[0], stored);  // only the page's copy is normalised

  // Without an ID of its own, line 1 shows the company's only for the company's state.
  w.SetStateID1("");
  page->Load();
  EXPECT_EQ(Text(R::Text::StateID1), "4125-7980");
  w.SetState1("CA");
  page->Load();
  EXPECT_EQ(Text(R::Text::State1), "CA");
  EXPECT_EQ(Text(R::Text::StateID1), "");
}

TEST_F(W2PageTest, LeavingAmountFieldsAppliesTheSocialSecurityAndMedicareRules) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  page->Load();
  struct Case {
    TextMember<R> box;
    const char* typed;
    const char* message;  // empty: none
    const char* shown;
    TextMember<R> other;
    const char* otherShown;
  };
  const Case cases[] = {
      {R::Text::SocialSecurityWages, "97500.09", "", "97500.09", R::Text::SocialSecurityTaxWithheld, "6045.00"},
      {R::Text::SocialSecurityWages, "97500.10", "'Social security wages' field shouldn't exceed $97500.00", "97500.00",
       R::Text::SocialSecurityTaxWithheld, "6045.00"},
      {R::Text::SocialSecurityWages, "50000", "", "50000.00", R::Text::SocialSecurityTaxWithheld, "3100.00"},
      {R::Text::SocialSecurityWages, "12345.67", "", "12345.67", R::Text::SocialSecurityTaxWithheld, "765.43"},
      {R::Text::SocialSecurityWages, "", "", "0.00", R::Text::SocialSecurityTaxWithheld, "0.00"},
      {R::Text::MedicareWages, "50000", "", "50000.00", R::Text::MedicareTaxWithheld, "725.00"},
      {R::Text::MedicareWages, "105000", "", "105000.00", R::Text::MedicareTaxWithheld, "1522.50"},  // no cap
      {R::Text::SocialSecurityTaxWithheld, "6045.09", "", "6045.09", nullptr, nullptr},
      {R::Text::SocialSecurityTaxWithheld, "6045.10", "'Social security tax withheld' field shouldn't exceed $6045.00",
       "6045.00", nullptr, nullptr},
      {R::Text::Wages, "12.345", "", "12.34", nullptr, nullptr},
      {R::Text::StateWages2, ".5", "", "0.50", nullptr, nullptr},
      {R::Text::Field12aYear, "07", "", "07", nullptr, nullptr},  // years are not amounts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ui.messages.clear();
    Type(c.box, c.typed);
    EXPECT_EQ(Text(c.box), c.shown);
    if (c.other) {
      EXPECT_EQ(Text(c.other), c.otherShown);
    }
    if (*c.message) {
      EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
    } else {
      EXPECT_TRUE(ui.messages.empty());
    }
  }
  EXPECT_TRUE(page->Modified());
}

TEST_F(W2PageTest, LeavingAnUnchangedNormalisedFieldIsNoEdit) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  page->Load();
  page->LeaveField(Box(R::Text::Wages));
  page->LeaveField(Box(R::Text::MedicareWages));  // box 6 recomputed to what it shows
  EXPECT_FALSE(page->Modified());
}

TEST_F(W2PageTest, Box12CodesAreHeldAsOneCharacterAndWrittenAsTheirCode) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  page->Load();
  Type(R::Text::Field12aCode, "aa");
  Type(R::Text::Field12bCode, "bb");
  Type(R::Text::Field12cCode, "d");
  EXPECT_EQ(Text(R::Text::Field12cCode), "D");  // upper-cased as it is left
  for (auto amount : {R::Text::Field12aAmount, R::Text::Field12bAmount, R::Text::Field12cAmount}) Type(amount, "100");
  ui.answers = {Answer::Yes};
  ASSERT_EQ(page->Save().outcome, SaveOutcome::Saved);

  const W2Record& held = doc->GetW2Forms()[0];
  EXPECT_EQ(held.Field12aCode(), "0");
  EXPECT_EQ(held.Field12bCode(), "1");
  EXPECT_EQ(held.Field12cCode(), "D");
  const int id = held.W2UniqueID;
  EXPECT_EQ(FileText("Field12aCode", id), "AA");
  EXPECT_EQ(FileText("Field12bCode", id), "BB");
  EXPECT_EQ(FileText("Field12cCode", id), "D");

  // Read back from the file into another document (once this one has let
  // the company go), then shown again.
  page.reset();
  doc.reset();
  test::ScriptedUi otherUi;
  CGlobalDoc reopened(otherUi, settings, dir.path());
  reopened.BeginSession();
  reopened.SetCompany("Acme");
  ASSERT_TRUE(reopened.OnNewDocument());
  W2PageRules shown(reopened, otherUi);
  shown.Load();
  EXPECT_EQ(shown.Value(Box(R::Text::Field12aCode)).text, "AA");
  EXPECT_EQ(shown.Value(Box(R::Text::Field12bCode)).text, "BB");
  EXPECT_EQ(shown.Value(Box(R::Text::Field12cCode)).text, "D");
}

TEST_F(W2PageTest, CodesThatAreNotOnThe2007FormAreRefused) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  page->Load();
  Type(R::Text::Field12dCode, "x");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("\"X\" is not a box 12 code"), std::string::npos);
  const W2Record before = doc->GetW2Forms()[0];
  const SaveResult result = page->Save();  // refused before any question
  EXPECT_EQ(result.outcome, SaveOutcome::Refused);
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(doc->GetW2Forms()[0], before);
  Type(R::Text::Field12dCode, "");
  ui.answers = {Answer::Yes};
  EXPECT_EQ(page->Save().outcome, SaveOutcome::Saved);
}

// A line of box 12 is a code with its amount: Save refuses one without the
// other, before any question, and names the line.
TEST_F(W2PageTest, Box12NeedsTheCodeAndTheAmountTogether) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  page->Load();
  struct Case {
    const char* code;
    const char* amount;
    std::optional<std::string> message;
  } cases[] = {
      {"", "500", "Box 12b has an amount but no code: please enter the code the amount is for, or clear the "
                  "amount."},
      {"D", "", "Box 12b has the code D but no amount: please enter the amount, or clear the code."},
      {"aa", "0", "Box 12b has the code AA but no amount: please enter the amount, or clear the code."},
      {"", "-25.5", "Box 12b has an amount but no code: please enter the code the amount is for, or clear the "
                    "amount."},
      {"D", "500", std::nullopt},
      {"", "", std::nullopt},
  };
  const W2Record before = doc->GetW2Forms()[0];
  for (const auto& c : cases) {
    page->Load();
    ui.messages.clear();
    ui.questions.clear();
    Type(R::Text::Field12bCode, c.code);
    Type(R::Text::Field12bAmount, c.amount);
    ui.answers = {Answer::No};  // a question asked is declined: nothing is written either way
    const SaveResult result = page->Save();
    if (c.message) {
      EXPECT_EQ(result.outcome, SaveOutcome::Refused) << c.code << " " << c.amount;
      EXPECT_EQ(ui.messages, std::vector<std::string>{*c.message});
      EXPECT_TRUE(ui.questions.empty());
    } else {
      EXPECT_NE(result.outcome, SaveOutcome::Refused) << c.code << " " << c.amount;
      EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];
    }
    EXPECT_EQ(doc->GetW2Forms()[0], before);
  }
  // An amount stored without its code (an older file) is said when saved.
  doc->GetW2Forms()[0].SetField12dAmount("75.00");
  page->Load();
  ui.messages.clear();
  EXPECT_EQ(page->SaveNow().outcome, SaveOutcome::Refused);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Box 12d has an amount but no code: please enter the code the amount "
                                                  "is for, or clear the amount."});
}

TEST_F(W2PageTest, SaveReplacesTheRecordAndWritesItAtOnce) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}, {"412-55-1002", "James", "Lee"}});
  page->Load();
  doc->GetW2Forms()[0].SetExtraText1("kept");  // a column the page does not show
  Type(R::Text::Wages, "48250");
  page->Edit(Box(&R::RetirementPlan), {{}, 1});
  page->EditText(Box(R::Text::Other1), "Union dues");
  const int refreshed = view.refreshed;

  ui.answers = {Answer::No};
  EXPECT_EQ(page->Save().outcome, SaveOutcome::Declined);
  EXPECT_TRUE(page->Modified());
  EXPECT_EQ(doc->GetW2Forms()[0].Wages(), "");

  ui.answers = {Answer::Yes};
  const SaveResult saved = page->Save();
  EXPECT_EQ(saved, (SaveResult{SaveOutcome::Saved, 0}));
  EXPECT_FALSE(page->Modified());
  EXPECT_GT(view.refreshed, refreshed);  // every page, the W-3 among them
  EXPECT_TRUE(doc->Journal().empty());   // written at once
  const auto stored = StoredW2Forms();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].Wages(), "48250.00");
  EXPECT_EQ(stored[0].RetirementPlan, 1);
  EXPECT_EQ(stored[0].Other1(), "Union dues");
  EXPECT_EQ(stored[0].State1(), "IL");  // the defaults of box 15 are saved with the form
  EXPECT_EQ(stored[0].StateID1(), "4125-7980");
  EXPECT_EQ(stored[0].ExtraText1(), "kept");
  EXPECT_EQ(stored[1].Wages(), "");  // the other employee's W-2 is untouched

  // Saving again without a change writes nothing and does not mark the document.
  doc->SetModified(false);
  RefuseInFile("UPDATE", "W2");
  ui.answers = {Answer::Yes};
  EXPECT_EQ(page->Save().outcome, SaveOutcome::Unchanged);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(doc->Journal().empty());
}

TEST_F(W2PageTest, AFailedWriteIsReportedAndKeptForTheNextSave) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  page->Load();
  RefuseInFile("UPDATE", "W2");
  Type(R::Text::Wages, "100");
  ui.answers = {Answer::Yes};
  const SaveResult result = page->Save();
  EXPECT_EQ(result.outcome, SaveOutcome::Saved);
  EXPECT_NE(result.saveCode, 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], SaveFailureMessage(result.saveCode));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->Journal().size(), 1u);
}

TEST_F(W2PageTest, ResetAndClear) {
  AddEmployees({{"412-55-1001", "Maria", "Gonzalez"}});
  doc->GetW2Forms()[0].SetWages("10");
  page->Load();
  Type(R::Text::Wages, "20");
  ui.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(page->Reset());
  EXPECT_EQ(Text(R::Text::Wages), "20.00");
  EXPECT_TRUE(page->Reset());
  EXPECT_EQ(Text(R::Text::Wages), "10.00");
  EXPECT_FALSE(page->Modified());
  EXPECT_EQ(ui.questions.back(), "Are you sure you want to reset all fields to their initial values?");

  page->Edit(Box(&R::StatutoryEmployee), {{}, 1});
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(page->Clear());
  EXPECT_EQ(ui.questions.back(), "Are you sure you want to clear the values of all fields?");
  EXPECT_EQ(Text(R::Text::Wages), "");
  EXPECT_EQ(Text(R::Text::State1), "");  // box 15 too
  EXPECT_EQ(page->Value(Box(&R::StatutoryEmployee)).choice, 0);
  EXPECT_EQ(page->Parties().ein, "36-4125798");  // the read-only parts stay
  EXPECT_EQ(doc->GetW2Forms()[0].Wages(), "10");   // nothing saved
}

TEST_F(W2PageTest, NextAndPreviousFollowTheEmployeePagesOrder) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}, {"100-10-0003", "Cy", "Mills"}}, false);
  // The employee page sorted by last name: Adams, Mills, Young.
  std::vector<ListRow> rows = EmployeeListRows(doc->GetEmployees());
  ListSorter sorter;
  sorter.Sort(rows, 2, true);
  ListOrder order(rows);
  page->SetOrder(&order);
  page->Activate();
  EXPECT_EQ(page->CurrentPayee(), 1);  // the first shown: Adams
  ASSERT_EQ(ui.notes.size(), 1u);
  EXPECT_EQ(ui.notes[0].anchor, NoteAnchor::HelpIcon);
  EXPECT_EQ(ui.notes[0].text, "Please click here for quick help.");
  EXPECT_EQ(ui.notes[0].closeAfterMs, 800);

  page->Previous();
  EXPECT_EQ(page->CurrentPayee(), 1);
  EXPECT_EQ(ui.notes.back().text, "This is the first employee in the list!");
  EXPECT_EQ(ui.notes.back().anchor, NoteAnchor::PreviousButton);
  page->Next();
  EXPECT_EQ(page->CurrentPayee(), 2);
  EXPECT_EQ(page->Parties().lastName, "Mills");

  // Edits ask before the page leaves the employee; No drops them.
  Type(R::Text::Wages, "500");
  ui.answers = {Answer::No};
  page->Next();
  EXPECT_EQ(ui.questions.back(),
            "Would you like to save the changes you did to this employee before moving to the next one?");
  EXPECT_EQ(page->CurrentPayee(), 0);
  EXPECT_FALSE(page->Modified());
  EXPECT_EQ(doc->GetW2Forms()[2].Wages(), "");

  // At the end nothing moves and nothing is asked: the edits stay.
  Type(R::Text::Wages, "700");
  const size_t asked = ui.questions.size();
  page->Next();
  EXPECT_EQ(ui.notes.back().text, "This is the last employee in the list!");
  EXPECT_EQ(ui.questions.size(), asked);
  EXPECT_EQ(page->CurrentPayee(), 0);
  EXPECT_EQ(Text(R::Text::Wages), "700.00");
  EXPECT_TRUE(page->Modified());

  // Yes saves the edits before moving back.
  ui.answers = {Answer::Yes};
  page->Previous();
  EXPECT_EQ(ui.questions.back(),
            "Would you like to save the changes you did to this employee before moving to the previous one?");
  EXPECT_EQ(page->CurrentPayee(), 2);
  EXPECT_EQ(StoredW2Forms()[0].Wages(), "700.00");
}

TEST_F(W2PageTest, SelectEmployeeDialog) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}, {"100-10-0003", "Cy", "Mills"}});
  page->Activate();
  ui.rowAnswers = {{true, 2, 2, true}};
  page->Select();
  ASSERT_EQ(ui.rowChoices.size(), 1u);
  const RowChoice& c = ui.rowChoices[0];
  EXPECT_EQ(c.caption, "Select Employee");
  ASSERT_EQ(c.columns.size(), 4u);
  EXPECT_EQ(c.columns[0], (std::pair<std::string, int>{"First Name", 190}));
  EXPECT_EQ(c.columns[1], (std::pair<std::string, int>{"Middle Name", 100}));
  EXPECT_EQ(c.columns[2], (std::pair<std::string, int>{"Last Name", 190}));
  EXPECT_EQ(c.columns[3], (std::pair<std::string, int>{"SSN", 90}));
  EXPECT_EQ(c.sortColumn, 2);
  EXPECT_TRUE(c.ascending);
  EXPECT_EQ(c.rows[1], (std::vector<std::string>{"Bob", "", "Adams", "100-10-0002"}));
  // The search box finds employees by their names and by their SSN.
  EXPECT_EQ(c.searchNames, (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(c.searchNumber, 3u);
  EXPECT_EQ(page->CurrentPayee(), 2);
  EXPECT_EQ(page->Parties().lastName, "Mills");

  // Edits, declined at the prompt, then Cancel: the page shows what is stored.
  Type(R::Text::Wages, "1");
  ui.answers = {Answer::No};
  page->Select();
  EXPECT_EQ(ui.questions.back(),
            "Would you like to save the changes you did to this employee before selecting a different one?");
  EXPECT_EQ(page->CurrentPayee(), 2);
  EXPECT_EQ(Text(R::Text::Wages), "0.00");
  EXPECT_FALSE(page->Modified());

  // OK with no row selected keeps the employee.
  ui.rowAnswers = {{true, std::nullopt, 2, true}};
  page->Select();
  EXPECT_EQ(page->CurrentPayee(), 2);
}

TEST_F(W2PageTest, ActivationAndHidingWithoutEmployees) {
  page->Activate();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"There are no employees in this company"});
  EXPECT_EQ(ui.employeesPageShown, 1);
  EXPECT_EQ(page->CurrentPayee(), -1);
  EXPECT_TRUE(page->Parties() == W2Parties{});
  EXPECT_TRUE(page->Hide());  // nothing asked
  ui.messages.clear();
  EXPECT_EQ(page->Save().outcome, SaveOutcome::NoForm);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"There is no W-2 form to save: this company has no employees."});
  EXPECT_TRUE(ui.questions.empty());
}

TEST_F(W2PageTest, HidingThePageOffersToSaveOnceItWasShown) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}}, false);
  page->Load();
  page->EditText(Box(R::Text::Wages), "5");
  EXPECT_TRUE(page->Hide());  // not shown yet: nothing asked
  EXPECT_TRUE(ui.questions.empty());

  page->Activate();
  page->EditText(Box(R::Text::Wages), "5");
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(page->Hide());
  EXPECT_EQ(ui.questions.back(),
            "Would you like to save the changes you have done to this employee before navigating away from this form?");
  EXPECT_EQ(StoredW2Forms()[0].Wages(), "5");
}

// An employee without a W-2 record (a damaged or foreign file): the page shows
// no amounts under that employee's name and saves nothing for them.
TEST_F(W2PageTest, AnEmployeeWithoutAW2ShowsAnEmptyFormAndSavesNothing) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}});
  doc->GetW2Forms()[0].SetWages("999");
  doc->GetW2Forms().pop_back();  // Bob's W-2 is missing
  page->Activate();
  EXPECT_EQ(Text(R::Text::Wages), "999.00");
  page->Next();
  EXPECT_EQ(page->Parties().lastName, "Adams");
  EXPECT_FALSE(page->HasForm());
  EXPECT_EQ(Text(R::Text::Wages), "");
  EXPECT_EQ(Text(R::Text::State1), "");
  EXPECT_NE(page->FormNotice().find("has no W-2 form"), std::string::npos);
  page->EditText(Box(R::Text::Wages), "1");
  page->LeaveField(Box(R::Text::Wages));
  const auto journal = doc->Journal();
  EXPECT_EQ(page->Save().outcome, SaveOutcome::NoForm);
  EXPECT_EQ(ui.messages.back(), "There is no W-2 form to save: this employee has no W-2 form in the company file.");
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(doc->Journal(), journal);
  page->Previous();  // the prompt asks nothing: there is nothing to save
  EXPECT_TRUE(page->HasForm());
  EXPECT_EQ(page->FormNotice(), "");
}

TEST_F(W2PageTest, TheEmployeeListLinks) {
  AddEmployees({{"100-10-0001", "Ann", "Young"}, {"100-10-0002", "Bob", "Adams"}});
  page->Activate();
  page->Next();
  ASSERT_EQ(page->CurrentPayee(), 1);
  // A new employee: the first employee of the document's list becomes current.
  AddEmployees({{"100-10-0003", "Cy", "Mills"}});
  EXPECT_EQ(page->CurrentPayee(), 0);
  EXPECT_EQ(doc->GetW2Forms().size(), 3u);
  EXPECT_EQ(doc->GetW2Forms()[2].EmployeeUniqueID, 3);

  // Deleting every employee empties the page->
  for (int i = 0; i < 3; ++i) {
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(DeleteEmployee(*doc, ui, 0, page.get()).Done());
  }
  EXPECT_EQ(page->CurrentPayee(), -1);
  EXPECT_TRUE(page->FirstShowing());
  EXPECT_EQ(Text(R::Text::Wages), "");
  EXPECT_TRUE(StoredW2Forms().empty());
}

TEST_F(W2PageTest, QuickHelp) {
  page->QuickHelp();
  ASSERT_EQ(ui.notes.size(), 1u);
  EXPECT_EQ(ui.notes[0].title, "Quick Help (move the mouse to close this window)");
  EXPECT_EQ(ui.notes[0].closeAfterMs, 0);
  EXPECT_EQ(ui.notes[0].text.rfind("Below is a list of quick instructions on how to use the W2 view:\n\n1.", 0), 0u);
}

TEST(W2Taxes, RoundToTheNearestCent) {
  EXPECT_EQ(SocialSecurityTax(5000000), 310000);
  EXPECT_EQ(SocialSecurityTax(25), 2);       // 1.55 cents
  EXPECT_EQ(SocialSecurityTax(24), 1);       // 1.488 cents
  EXPECT_EQ(SocialSecurityTax(-5000000), -310000);
  EXPECT_EQ(SocialSecurityTax(9750000), 604500);
  EXPECT_EQ(SocialSecurityTax(20000000), 604500);  // capped
  EXPECT_EQ(MedicareTax(5000000), 72500);
  EXPECT_EQ(MedicareTax(10), 0);   // 0.145 cents
  EXPECT_EQ(MedicareTax(100), 1);  // 1.45 cents
}

}  // namespace
}  // namespace formet
