// Company setup: the three pages as an editing buffer over the company
// record, and Update, Reset and Clear.
#include "records/company_setup.h"

#include <gtest/gtest.h>

#include "records_fixture.h"

namespace formet {
namespace {

using test::CompanyTest;
using R = CompanyRecord;

const std::string kUpdateQuestion = "Are you sure you want to save the current fields?";
const std::string kResetQuestion = "Are you sure you want to reset all fields to their initial values?";
const std::string kClearQuestion = "Are you sure you want to clear the values of all fields?";

class CompanySetupTest : public CompanyTest {
 protected:
  // Stores the record as the file's company row, as an earlier Update would.
  void StoreCompany(const CompanyRecord& record) {
    doc->GetCompany() = record;
    doc->SetModified(true);
    ASSERT_EQ(doc->AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, -1}, true), 0);
  }
  FieldValue& Value(PageValues& values, TextMember<R> member) { return values[CompanyFieldIndex(member)]; }
  FieldValue& Value(PageValues& values, int32_t R::*member) { return values[CompanyFieldIndex(member)]; }
};

TEST_F(CompanySetupTest, UpdateNeedsAnEmployerName) {
  PageValues values = LoadCompanyPages(doc->GetCompany());
  Value(values, R::Text::EmployerName).text = "";
  Value(values, R::Text::City).text = "Springfield";
  const auto result = UpdateCompany(*doc, ui, values);
  EXPECT_EQ(result.outcome, Outcome::Refused);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"\"Employer Name\" in the \"General Information\" pane can't be empty!"});
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(doc->GetCompany().City(), "");
  EXPECT_FALSE(doc->IsModified());

  // Spaces alone are no name either.
  for (const char* blank : {" ", "   ", "\xA0 "}) {
    ui.messages.clear();
    Value(values, R::Text::EmployerName).text = blank;
    EXPECT_EQ(UpdateCompany(*doc, ui, values).outcome, Outcome::Refused) << blank;
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(doc->IsModified());
  }
  Value(values, R::Text::EmployerName).text = " Acme ";
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(UpdateCompany(*doc, ui, values).Saved());
  EXPECT_EQ(StoredCompany().EmployerName(), " Acme ");  // a name is kept as typed
}

TEST_F(CompanySetupTest, DeclinedUpdateChangesNothing) {
  PageValues values = LoadCompanyPages(doc->GetCompany());
  Value(values, R::Text::City).text = "Springfield";
  ui.answers = {Answer::No};
  EXPECT_EQ(UpdateCompany(*doc, ui, values).outcome, Outcome::Declined);
  EXPECT_EQ(ui.questions, std::vector<std::string>{kUpdateQuestion});
  EXPECT_EQ(doc->GetCompany().City(), "");
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(view.refreshed, 0);
}

TEST_F(CompanySetupTest, UpdateWritesTheRowAtOnceAndTheTitleFollowsTheName) {
  PageValues values = LoadCompanyPages(doc->GetCompany());
  Value(values, R::Text::EmployerName).text = "Acme West";
  Value(values, R::Text::City).text = "Springfield";
  Value(values, R::Text::State).choice = *FindState("IL");
  Value(values, &R::FormW3RadioKindOfPayer).choice = 3;
  Value(values, &R::FormW3CheckThirdPartySickPay).choice = 1;
  Value(values, R::Text::FormW3IncomeTaxWithHeld).text = "12.50";
  ui.answers = {Answer::Yes};
  const auto result = UpdateCompany(*doc, ui, values);
  EXPECT_TRUE(result.Saved());

  const CompanyRecord stored = StoredCompany();
  EXPECT_EQ(stored, doc->GetCompany());
  EXPECT_EQ(stored.EmployerName(), "Acme West");
  EXPECT_EQ(stored.City(), "Springfield");
  EXPECT_EQ(stored.State(), "IL");
  EXPECT_EQ(stored.FormW3RadioKindOfPayer, 3);
  EXPECT_EQ(stored.FormW3CheckThirdPartySickPay, 1);
  EXPECT_EQ(stored.FormW3IncomeTaxWithHeld(), "12.50");
  EXPECT_EQ(ui.title, "Acme West - Formet (2007)");
  EXPECT_EQ(doc->CompanyName(), "Acme West");
  EXPECT_EQ(doc->CompanyPath().filename(), "Acme.qdt");  // the file takes the name when the program ends
  EXPECT_EQ(view.refreshed, 1);
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(CompanySetupTest, ApostropheInTheEmployerNameIsStored) {
  PageValues values = LoadCompanyPages(doc->GetCompany());
  Value(values, R::Text::EmployerName).text = "O'Brien Caf\xE9";
  ui.answers = {Answer::Yes};
  ASSERT_TRUE(UpdateCompany(*doc, ui, values).Saved());
  EXPECT_EQ(StoredCompany().EmployerName(), "O'Brien Caf\xE9");
}

TEST_F(CompanySetupTest, ContactNamesKeepTwentyCharacters) {
  PageValues values = LoadCompanyPages(doc->GetCompany());
  const std::string thirty = "Bartholomew Featherstonehaugh.";  // 30 characters
  ASSERT_EQ(thirty.size(), 30u);
  Value(values, R::Text::FormW3ContactName).text = thirty;
  Value(values, R::Text::Form1096ContactName).text = thirty;
  Value(values, R::Text::FormW3EstablishmentNumber).text = "0042";
  ui.answers = {Answer::Yes};
  ASSERT_TRUE(UpdateCompany(*doc, ui, values).Saved());
  const auto stored = StoredCompany();
  EXPECT_EQ(stored.FormW3ContactName(), thirty.substr(0, 20));
  EXPECT_EQ(stored.Form1096ContactName(), thirty.substr(0, 20));
  EXPECT_EQ(stored.FormW3EstablishmentNumber(), "0042");
}

// A stored state or kind of payer the lists do not hold shows no selection,
// and an Update that does not touch the list stores the value unchanged.
TEST_F(CompanySetupTest, ValuesOutsideTheListsSurviveUpdate) {
  struct Case {
    std::string state;
    int32_t kind;
    int stateChoice, kindChoice;
  } cases[] = {
      {"ny", 7, -1, -1},  // lower case is not an entry
      {"XX", 12, -1, -1},
      {"N", -1, -1, -1},
      {"NY", 6, 42, 6},  // entries of the lists are selected
      {"", 0, 0, 0},
  };
  for (const auto& c : cases) {
    CompanyRecord record = doc->GetCompany();
    record.SetState(c.state);
    record.FormW3RadioKindOfPayer = c.kind;
    StoreCompany(record);

    PageValues values = LoadCompanyPages(doc->GetCompany());
    EXPECT_EQ(Value(values, R::Text::State).choice, c.stateChoice) << c.state;
    EXPECT_EQ(Value(values, &R::FormW3RadioKindOfPayer).choice, c.kindChoice) << c.kind;
    Value(values, R::Text::City).text = "Elsewhere " + c.state;
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(UpdateCompany(*doc, ui, values).Saved());
    const auto stored = StoredCompany();
    EXPECT_EQ(stored.City(), "Elsewhere " + c.state);
    EXPECT_EQ(stored.State(), c.state);
    EXPECT_EQ(stored.FormW3RadioKindOfPayer, c.kind);
  }
}

TEST_F(CompanySetupTest, ColumnsThePagesDoNotShowAreKept) {
  CompanyRecord record = doc->GetCompany();
  record.SetIsAgent("Y");
  record.SetAgentEIN("99-9999999");
  record.SetFormW2Indicators("w2");
  record.SetForm1099Indicators("m");
  record.SetTaxJurisdictionCode("P");
  record.SetExtraText1("one");
  record.SetExtraText3("three");
  StoreCompany(record);
  PageValues values = LoadCompanyPages(doc->GetCompany());
  Value(values, R::Text::Address1).text = "1 Main St";
  ui.answers = {Answer::Yes};
  ASSERT_TRUE(UpdateCompany(*doc, ui, values).Saved());
  record.SetAddress1("1 Main St");
  EXPECT_EQ(StoredCompany(), record);
}

TEST_F(CompanySetupTest, ClearEmptiesThePagesOnlyAndResetBringsTheRecordBack) {
  CompanyRecord record = doc->GetCompany();
  record.SetCity("Springfield");
  record.SetState("IL");
  record.SetZip("62701-0001");
  record.FormW3RadioKindOfPayer = 4;
  record.FormW3CheckThirdPartySickPay = 1;
  record.Form1096CheckIsThisYourFinalReturn = 1;
  record.SetForm1096FilerName("Filer");
  StoreCompany(record);
  const PageValues loaded = LoadCompanyPages(doc->GetCompany());

  PageValues values = loaded;
  ui.answers = {Answer::No};
  EXPECT_FALSE(ClearCompany(*doc, ui, values));
  EXPECT_EQ(values, loaded);

  ui.answers = {Answer::Yes};
  EXPECT_TRUE(ClearCompany(*doc, ui, values));
  EXPECT_EQ(ui.questions.back(), kClearQuestion);
  for (const auto& f : CompanyFields()) {
    const auto& v = values[&f - CompanyFields().data()];
    if (f.IsEdit()) {
      EXPECT_EQ(v.text, "") << f.column;
    }
  }
  EXPECT_EQ(Value(values, R::Text::State).choice, 0);                        // the empty entry
  EXPECT_EQ(Value(values, &R::FormW3RadioKindOfPayer).choice, 0);       // "941"
  EXPECT_EQ(Value(values, &R::FormW3CheckThirdPartySickPay).choice, 0);
  EXPECT_EQ(Value(values, &R::Form1096CheckIsThisYourFinalReturn).choice, 1);  // keeps its state
  EXPECT_EQ(ui.title, "Acme - Formet (2007)");
  EXPECT_EQ(doc->GetCompany(), record);
  EXPECT_EQ(StoredCompany(), record);
  EXPECT_FALSE(doc->IsModified());

  ui.answers = {Answer::No};
  EXPECT_FALSE(ResetCompany(*doc, ui, values));
  EXPECT_NE(values, loaded);
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(ResetCompany(*doc, ui, values));
  EXPECT_EQ(ui.questions.back(), kResetQuestion);
  EXPECT_EQ(values, loaded);

  // Clear, a new name, Update: the lists' first entries are stored.
  ui.answers = {Answer::Yes, Answer::Yes};
  ClearCompany(*doc, ui, values);
  Value(values, R::Text::EmployerName).text = "Acme";
  ASSERT_TRUE(UpdateCompany(*doc, ui, values).Saved());
  const auto stored = StoredCompany();
  EXPECT_EQ(stored.State(), "");
  EXPECT_EQ(stored.FormW3RadioKindOfPayer, 0);
  EXPECT_EQ(stored.FormW3CheckThirdPartySickPay, 0);
  EXPECT_EQ(stored.Form1096CheckIsThisYourFinalReturn, 1);
  EXPECT_EQ(stored.City(), "");
}

TEST(NewCompanyDialog, LegalNameFollowsUntilEdited) {
  NewCompanyDialogRules rules;
  EXPECT_EQ(rules.OnEmployerNameChanged("A"), "A");
  EXPECT_EQ(rules.OnEmployerNameChanged("Ac"), "Ac");
  rules.OnLegalNameEdited();
  EXPECT_EQ(rules.OnEmployerNameChanged("Acm"), std::nullopt);
  EXPECT_EQ(rules.OnEmployerNameChanged("Acme"), std::nullopt);

  test::ScriptedUi ui;
  EXPECT_FALSE(rules.OnOk(ui, ""));
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Please enter a name for the new company"});
  EXPECT_FALSE(rules.OnOk(ui, "  "));  // spaces alone name no company
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_TRUE(rules.OnOk(ui, "Acme"));
  EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace formet
