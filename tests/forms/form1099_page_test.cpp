// The 1099-MISC page's rules: loading a contractor, leaving amount fields,
// Save, the navigation with its select dialog and the contractor list links.
#include "forms/1099/form1099_page_rules.h"

#include <gtest/gtest.h>

#include <memory>

#include "records/contractors.h"
#include "records/records_fixture.h"

namespace formet {
namespace {

using R = Form1099Record;

size_t Box(TextMember<R> member) { return Form1099FieldIndex(member); }

class Form1099PageTest : public test::CompanyTest {
 protected:
  void SetUp() override {
    CompanyTest::SetUp();
    auto& c = doc->GetCompany();
    c.SetAddress1("1200 Capitol Ave");
    c.SetCity("Springfield");
    c.SetState("IL");
    c.SetZip("62701");
    c.SetForm1096Telephone("(217) 555-0100");
    c.SetSocialSecurityNumber("123-45-6789");
    page = std::make_unique<Form1099PageRules>(*doc, ui);
  }
  void AddContractors(std::initializer_list<std::pair<const char*, const char*>> people, bool linked = true) {
    for (const auto& [tin, name] : people) {
      ContractorRecord r;
      r.SetIdentificationNumber(tin);
      r.SetNameLine1(name);
      ASSERT_TRUE(AddContractor(*doc, ui, r, true, false, true, nullptr, linked ? page.get() : nullptr).Saved());
    }
  }
  const std::string& Text(TextMember<R> member) { return page->Value(Box(member)).text; }
  void Type(TextMember<R> member, const std::string& text) {
    page->EditText(Box(member), text);
    page->LeaveField(Box(member));
  }
  std::unique_ptr<Form1099PageRules> page;
};

TEST_F(Form1099PageTest, LoadShowsPayerRecipientAndNormalisedAmounts) {
  AddContractors({{"36-7788123", "Northside Design LLC"}});
  ContractorRecord& r = doc->GetContractors()[0];
  r.SetFirstName("Daniel");  // an older record: its name lines are composed
  r.SetMiddleName("Q");
  r.SetLastName("Reyes");
  r.SecondTIN = 1;
  Form1099Record& f = doc->GetForms1099()[0];
  f.SetRents("12.3");
  f.SetPayerStateID1("IL 12.5");
  page->Load();
  const Form1099Parties& p = page->Parties();
  EXPECT_EQ(p.payerFederalId, "123-45-6789");  // no employer identification number
  EXPECT_EQ(p.payerTelephone, "(217) 555-0100");
  EXPECT_EQ(p.recipientName1, "Daniel Q Reyes");
  EXPECT_TRUE(p.secondTin);
  EXPECT_EQ(Text(R::Text::Rents), "12.30");
  EXPECT_EQ(Text(R::Text::StateIncome2), "0.00");
  EXPECT_EQ(Text(R::Text::PayerStateID1), "IL 12.5");  // box 17 as stored
  EXPECT_EQ(doc->GetForms1099()[0].Rents(), "12.3");
  doc->GetCompany().SetEmployerIdentificationNumber("36-4125798");
  page->Load();
  EXPECT_EQ(page->Parties().payerFederalId, "36-4125798");
}

TEST_F(Form1099PageTest, LeavingAnAmountNormalisesIt) {
  AddContractors({{"1", "A"}});
  page->Load();
  const std::pair<const char*, const char*> cases[] = {{"12.3", "12.30"}, {"7", "7.00"}, {"1.239", "1.23"},
                                                       {"", "0.00"},      {"-.5", "-0.50"}};
  for (const auto& [typed, shown] : cases) {
    Type(R::Text::NonemployeeCompensation, typed);
    EXPECT_EQ(Text(R::Text::NonemployeeCompensation), shown) << typed;
  }
  Type(R::Text::PayerStateID2, "7");
  EXPECT_EQ(Text(R::Text::PayerStateID2), "7");  // box 17 is text
}

TEST_F(Form1099PageTest, SaveWritesOnlyAChangedFormAndEmptiesTheExtraTexts) {
  AddContractors({{"1", "A"}, {"2", "B"}});
  doc->GetForms1099()[0].SetExtraText2("old");
  page->Load();
  // Saved once from the page: every amount as shown.
  ui.answers = {Answer::Yes};
  ASSERT_EQ(page->Save().outcome, SaveOutcome::Saved);
  EXPECT_EQ(ui.questions.back(), "Are you sure you want to save the current fields?");
  EXPECT_EQ(StoredForms1099()[0].Rents(), "0.00");
  EXPECT_EQ(StoredForms1099()[0].ExtraText2(), "");

  // The same again: nothing written, nothing journaled.
  doc->SetModified(false);
  RefuseInFile("UPDATE", "Form1099");
  ui.answers = {Answer::Yes};
  EXPECT_EQ(page->Save().outcome, SaveOutcome::Unchanged);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(doc->Journal().empty());
}

TEST_F(Form1099PageTest, SavedFormTakesTheBoxesAndBox9) {
  AddContractors({{"1", "A"}, {"2", "B"}});
  page->Load();
  Type(R::Text::NonemployeeCompensation, "12500");
  Type(R::Text::Field15A, "40");
  page->Edit(Form1099FieldIndex(&R::PayerMadeDirectSales), {{}, 1});
  page->EditText(Box(R::Text::PayerStateID1), "IL 4125-7980");
  ui.answers = {Answer::Yes};
  ASSERT_EQ(page->Save(), (SaveResult{SaveOutcome::Saved, 0}));
  const auto stored = StoredForms1099();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].NonemployeeCompensation(), "12500.00");
  EXPECT_EQ(stored[0].Field15A(), "40.00");
  EXPECT_EQ(stored[0].PayerMadeDirectSales, 1);
  EXPECT_EQ(stored[0].PayerStateID1(), "IL 4125-7980");
  EXPECT_EQ(stored[0].Form1099UniqueID, 1);
  EXPECT_EQ(stored[0].ContractorUniqueID, 1);
  EXPECT_EQ(stored[1].NonemployeeCompensation(), "");
}

TEST_F(Form1099PageTest, NavigationPromptsAndNotes) {
  AddContractors({{"1", "A"}, {"2", "B"}});
  page->Activate();
  Type(R::Text::Rents, "5");
  page->Previous();  // the first: a note, edits and modified flag kept, nothing asked
  EXPECT_EQ(ui.notes.back().text, "This is the first contractor in the list!");
  EXPECT_EQ(ui.notes.back().title, "Note");
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(page->Modified());
  EXPECT_EQ(Text(R::Text::Rents), "5.00");

  ui.answers = {Answer::No};
  page->Next();
  EXPECT_EQ(ui.questions.back(),
            "Would you like to save the changes you did to this contractor before moving to the next one?");
  EXPECT_EQ(page->CurrentPayee(), 1);
  EXPECT_EQ(page->Parties().recipientName1, "B");
  page->Next();
  EXPECT_EQ(ui.notes.back().text, "This is the last contractor in the list!");
  EXPECT_EQ(ui.notes.back().anchor, NoteAnchor::NextButton);

  Type(R::Text::Rents, "6");
  ui.answers = {Answer::Yes};
  page->Previous();
  EXPECT_EQ(ui.questions.back(),
            "Would you like to save the changes you did to this Contractor before moving to the previous one?");
  EXPECT_EQ(page->CurrentPayee(), 0);
  EXPECT_EQ(StoredForms1099()[1].Rents(), "6.00");
  EXPECT_EQ(StoredForms1099()[0].Rents(), "");
}

TEST_F(Form1099PageTest, TheSelectDialogKeepsItsOrderBetweenOpenings) {
  AddContractors({{"1", "Zeta"}, {"2", "Alpha"}});
  page->Activate();
  ui.rowAnswers = {{true, 1, 0, false}};
  page->Select();
  EXPECT_EQ(page->CurrentPayee(), 1);
  ASSERT_EQ(ui.rowChoices.size(), 1u);
  EXPECT_EQ(ui.rowChoices[0].caption, "Select Contractor");
  EXPECT_EQ(ui.rowChoices[0].columns,
            (std::vector<std::pair<std::string, int>>{{"Name Line One", 190}, {"Name Line Two", 190}, {"TIN", 90}}));
  EXPECT_FALSE(ui.rowChoices[0].sortColumn);  // first listed in document order
  EXPECT_EQ(ui.rowChoices[0].rows[0], (std::vector<std::string>{"Zeta", "", "1"}));
  EXPECT_EQ(ui.rowChoices[0].searchNames, (std::vector<size_t>{0, 1}));
  EXPECT_EQ(ui.rowChoices[0].searchNumber, 2u);
  page->Select();  // cancelled
  EXPECT_EQ(ui.rowChoices[1].sortColumn, 0);
  EXPECT_FALSE(ui.rowChoices[1].ascending);
  EXPECT_EQ(page->CurrentPayee(), 1);
}

TEST_F(Form1099PageTest, DeletingTheLastContractorClearsThePage) {
  AddContractors({{"1", "A"}});
  doc->GetForms1099()[0].SetRents("100");
  page->Activate();
  EXPECT_EQ(Text(R::Text::Rents), "100.00");
  ui.answers = {Answer::Yes};
  ASSERT_TRUE(DeleteContractor(*doc, ui, 0, page.get()).Done());
  EXPECT_EQ(page->CurrentPayee(), -1);
  EXPECT_EQ(Text(R::Text::Rents), "");
  EXPECT_EQ(page->Parties(), Form1099Parties{});
  page->Activate();
  EXPECT_EQ(ui.messages.back(), "There are no contractors in this company");
  EXPECT_EQ(ui.contractorsPageShown, 1);
  EXPECT_EQ(page->Save().outcome, SaveOutcome::NoForm);
  EXPECT_EQ(ui.messages.back(), "There is no 1099-MISC form to save: this company has no contractors.");
}

TEST_F(Form1099PageTest, AContractorWithoutAFormShowsAnEmptyForm) {
  AddContractors({{"1", "A"}, {"2", "B"}});
  doc->GetForms1099()[0].SetRents("100");
  doc->GetForms1099().erase(doc->GetForms1099().begin() + 1);
  page->Activate();
  page->Next();
  EXPECT_EQ(page->Parties().recipientName1, "B");
  EXPECT_EQ(Text(R::Text::Rents), "");
  EXPECT_FALSE(page->HasForm());
  EXPECT_EQ(page->Save().outcome, SaveOutcome::NoForm);
  EXPECT_EQ(ui.messages.back(),
            "There is no 1099-MISC form to save: this contractor has no 1099-MISC form in the company file.");
}

TEST_F(Form1099PageTest, FormTypeMessage) {
  page->SelectFormType();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("Only 1099 Misc Forms are supported at this point.\n\n"
                                 "Support for 1099 INT, 1099 DIV and 1099 R will be added soon.\n\n",
                                 0),
            0u);
}

}  // namespace
}  // namespace formet
