// Contractors: the name rule, the checks of a new contractor, adding with its
// 1099-MISC, modifying (older records converted), deleting with its form.
#include "records/contractors.h"

#include <gtest/gtest.h>

#include "records/form1099_list.h"
#include "records_fixture.h"

namespace formet {
namespace {

using test::CompanyTest;

ContractorRecord Contractor(const std::string& tin, const std::string& line1, const std::string& line2 = "") {
  ContractorRecord c;
  c.SetIdentificationNumber(tin);
  c.SetNameLine1(line1);
  c.SetNameLine2(line2);
  return c;
}

TEST(ComposeNameLines, TheRule) {
  const std::string first20(20, 'f'), last21(21, 'l');
  struct Case {
    std::string first, middle, last;
    NameLines lines;
  } cases[] = {
      {"John", "Q", "Public", {"John Q Public", ""}},
      {"John", "", "Public", {"John  Public", ""}},   // two spaces
      {"John", "@", "Public", {"JohnPublic", ""}},    // no space at all
      {"John", "@@", "Public", {"John @@ Public", ""}},  // only the single at-sign counts
      {"John", " @", "Public", {"John  @ Public", ""}},
      // 20 + 1 + 2 + 1 + 21 = 45 characters: 40 and 5.
      {first20, "QQ", last21, {first20 + " QQ " + std::string(16, 'l'), std::string(5, 'l')}},
      // Exactly 40 stays on line one; 41 moves one character.
      {first20, "@", std::string(20, 'l'), {first20 + std::string(20, 'l'), ""}},
      {first20, "@", last21, {first20 + std::string(20, 'l'), "l"}},
      {"", "", "", {"  ", ""}},
  };
  for (const auto& c : cases) {
    const auto lines = ComposeNameLines(c.first, c.middle, c.last);
    EXPECT_EQ(lines.line1, c.lines.line1) << c.first << "|" << c.middle << "|" << c.last;
    EXPECT_EQ(lines.line2, c.lines.line2) << c.first << "|" << c.middle << "|" << c.last;
  }
}

TEST(ContractorNames, OlderRecordsShowComposedNames) {
  ContractorRecord c = Contractor("12-3456789", "Line one", "Line two");
  EXPECT_EQ(ContractorNameLines(c), (NameLines{"Line one", "Line two"}));
  EXPECT_EQ(ContractorDialogCaption(&c), "Contractor:   Line one");
  EXPECT_FALSE(ConvertOlderNames(c));
  EXPECT_EQ(c.NameLine1(), "Line one");

  c.SetFirstName("Mary");
  c.SetMiddleName("K");
  c.SetLastName("Smith");
  EXPECT_EQ(ContractorNameLines(c), (NameLines{"Mary K Smith", ""}));
  EXPECT_EQ(ContractorDialogCaption(&c), "Contractor:   Mary");
  EXPECT_EQ(ContractorDialogCaption(nullptr), "Contractor");
  const auto rows = ContractorListRows({c});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].columns, (std::vector<std::string>{"Mary K Smith", "", "12-3456789"}));

  EXPECT_TRUE(ConvertOlderNames(c));
  EXPECT_EQ(c.NameLine1(), "Mary K Smith");
  EXPECT_EQ(c.NameLine2(), "");
  EXPECT_EQ(c.FirstName() + c.MiddleName() + c.LastName(), "");
}

TEST(CheckNewContractor, MessagesInOrder) {
  const std::vector<ContractorRecord> existing = {Contractor("12-3456789", "Plumbing Inc")};
  struct Case {
    ContractorRecord record;
    std::optional<std::string> message;
  } cases[] = {
      {Contractor("", ""), "Pease fill in the 'Contractor's identification number' Field"},
      {Contractor("", "Name"), "Pease fill in the 'Contractor's identification number' Field"},
      {Contractor("12-3456789", ""), "Identification Number already assigned to an existing contractor"},
      {Contractor("98-7654321", ""), "Pease fill in the 'Contractor's Name (Line One)' Field"},
      {Contractor("98-7654321", "", "Line two only"), "Pease fill in the 'Contractor's Name (Line One)' Field"},
      {Contractor("98-7654321", "Name"), std::nullopt},
      {Contractor("123456789", "Name"), std::nullopt},  // compared as stored
      // Blanks around a number are not part of it; spaces alone are no name.
      {Contractor("12-3456789 ", "Name"), "Identification Number already assigned to an existing contractor"},
      {Contractor(" 12-3456789", "Name"), "Identification Number already assigned to an existing contractor"},
      {Contractor("   ", "Name"), "Pease fill in the 'Contractor's identification number' Field"},
      {Contractor("98-7654321", "   "), "Pease fill in the 'Contractor's Name (Line One)' Field"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NewContractorProblem(existing, c.record), c.message) << c.record.IdentificationNumber();
}

struct RecordingFormPage : Form1099ListObserver {
  std::vector<std::string> calls;
  void OnForm1099Added(bool reload) override { calls.push_back(reload ? "added, reload" : "added"); }
  void OnForm1099Deleted() override { calls.push_back("deleted"); }
};

class ContractorsTest : public CompanyTest {
 protected:
  void AddThree() {
    for (const auto& c : {Contractor("11-1111111", "Alpha"), Contractor("22-2222222", "Beta"),
                          Contractor("33-3333333", "Gamma")})
      ASSERT_TRUE(AddContractor(*doc, ui, c, true, false, true).Saved());
  }
  // Loads the company again from its file.
  void Reload() {
    doc->ResetContents();
    ASSERT_TRUE(doc->OnNewDocument());
  }
  RecordingFormPage formPage;
};

TEST_F(ContractorsTest, TheDialogAddsTheContractorAndABlankFormAtOnce) {
  PageValues values = EmptyContractorDialog();
  values[ContractorFieldIndex(ContractorRecord::Text::IdentificationNumber)].text = "12-3456789";
  values[ContractorFieldIndex(ContractorRecord::Text::NameLine1)].text = "Plumbing Inc";
  values[ContractorFieldIndex(&ContractorRecord::SecondTIN)].choice = 1;
  const auto result = NewContractor(*doc, ui, values, &formPage);
  ASSERT_TRUE(result.Saved());
  EXPECT_EQ(result.uniqueId, 1);
  const auto contractors = StoredContractors();
  ASSERT_EQ(contractors.size(), 1u);
  EXPECT_EQ(contractors[0], doc->GetContractors()[0]);
  EXPECT_EQ(contractors[0].SecondTIN, 1);
  const auto forms = StoredForms1099();
  ASSERT_EQ(forms.size(), 1u);
  Form1099Record blank;
  blank.Form1099UniqueID = 1;
  blank.ContractorUniqueID = 1;
  EXPECT_EQ(forms[0], blank);
  EXPECT_EQ(formPage.calls, std::vector<std::string>{"added, reload"});
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_EQ(view.refreshed, 1);
}

// "12-3456789 " typed in the dialog is the number 12-3456789: stored so, and
// the same contractor as the one stored so.
TEST_F(ContractorsTest, ANumberTypedWithSpacesIsTheNumber) {
  PageValues values = EmptyContractorDialog();
  values[ContractorFieldIndex(ContractorRecord::Text::IdentificationNumber)].text = "12-3456789 ";
  values[ContractorFieldIndex(ContractorRecord::Text::NameLine1)].text = "O'Malley Roofing";
  ASSERT_TRUE(NewContractor(*doc, ui, values, &formPage).Saved());
  EXPECT_EQ(StoredContractors()[0].IdentificationNumber(), "12-3456789");
  EXPECT_EQ(StoredContractors()[0].NameLine1(), "O'Malley Roofing");
  EXPECT_TRUE(FindContractorById(*doc, " 12-3456789 "));
  ui.messages.clear();
  values[ContractorFieldIndex(ContractorRecord::Text::IdentificationNumber)].text = " 12-3456789";
  EXPECT_EQ(NewContractor(*doc, ui, values, &formPage).outcome, Outcome::Refused);
  EXPECT_EQ(ui.messages,
            std::vector<std::string>{"Identification Number already assigned to an existing contractor"});
  EXPECT_EQ(StoredContractors().size(), 1u);
}

TEST_F(ContractorsTest, TheImportAddsWithoutSavingAndFormIdsFollowTheLargest) {
  AddThree();
  // Forms 1..3 exist; make the largest 9 so the next is 10 although 4..8 are free.
  doc->GetForms1099()[1].Form1099UniqueID = 9;
  Form1099Record imported;
  imported.SetRents("250.00");
  imported.Form1099UniqueID = 1;  // replaced
  const auto result =
      AddContractor(*doc, ui, Contractor("44-4444444", "Delta"), false, true, false, &imported, &formPage);
  ASSERT_TRUE(result.Done());
  EXPECT_EQ(result.uniqueId, 4);
  EXPECT_EQ(doc->GetForms1099().back().Form1099UniqueID, 10);
  EXPECT_EQ(doc->GetForms1099().back().ContractorUniqueID, 4);
  EXPECT_EQ(doc->GetForms1099().back().Rents(), "250.00");
  const std::vector<PendingChange> journal = {{ChangeKind::Contractor, ChangeOp::Insert, 3, 4},
                                              {ChangeKind::Form1099, ChangeOp::Insert, 3, 10}};
  EXPECT_EQ(doc->Journal(), journal);
  EXPECT_EQ(formPage.calls, std::vector<std::string>{"added"});
  EXPECT_EQ(StoredContractors().size(), 3u);
}

TEST_F(ContractorsTest, DuplicateNumberRefusedOnNewAllowedOnModify) {
  AddThree();
  ui.messages.clear();
  EXPECT_EQ(NewContractor(*doc, ui, LoadContractorDialog(Contractor("22-2222222", "Copy")), &formPage).outcome,
            Outcome::Refused);
  EXPECT_EQ(ui.messages,
            std::vector<std::string>{"Identification Number already assigned to an existing contractor"});
  EXPECT_EQ(StoredContractors().size(), 3u);
  EXPECT_EQ(StoredForms1099().size(), 3u);
  EXPECT_TRUE(formPage.calls.empty());

  auto start = BeginModifyContractor(*doc, 0);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->caption, "Contractor:   Alpha");
  start->values[ContractorFieldIndex(ContractorRecord::Text::IdentificationNumber)].text = "22-2222222";
  start->values[ContractorFieldIndex(ContractorRecord::Text::NameLine1)].text = "";
  ASSERT_TRUE(ModifyContractor(*doc, 0, ReadContractorDialog(start->values)).Saved());
  EXPECT_EQ(StoredContractors()[0].IdentificationNumber(), "22-2222222");
  EXPECT_EQ(StoredContractors()[0].NameLine1(), "");
  EXPECT_EQ(StoredContractors()[0].ContractorUniqueID, 1);
}

TEST_F(ContractorsTest, OlderRecordIsConvertedInMemoryAndWrittenWithTheNextUpdate) {
  ContractorRecord older = Contractor("12-3456789", "", "");
  older.SetFirstName("Mary");
  older.SetMiddleName("@");
  older.SetLastName("Smith");
  older.SetTypeOfTIN("1");
  older.SetExtraText2("kept until modified");
  ASSERT_EQ(File().InsertContractor(older, 1), 0);
  file.Close();
  Reload();

  auto start = BeginModifyContractor(*doc, 0);
  ASSERT_TRUE(start);
  EXPECT_EQ(start->caption, "Contractor:   Mary");
  EXPECT_EQ(start->values[ContractorFieldIndex(ContractorRecord::Text::NameLine1)].text, "MarySmith");
  const auto& stored = doc->GetContractors()[0];
  EXPECT_EQ(stored.NameLine1(), "MarySmith");
  EXPECT_EQ(stored.FirstName(), "");
  EXPECT_EQ(stored.LastName(), "");
  // Converted in memory only.
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_EQ(StoredContractors()[0].FirstName(), "Mary");

  // OK without a change: nothing written, the file keeps the older names.
  EXPECT_EQ(ModifyContractor(*doc, 0, ReadContractorDialog(start->values)).outcome, Outcome::Unchanged);
  EXPECT_EQ(StoredContractors()[0].FirstName(), "Mary");
  // Opened again: the caption now uses the name line.
  start = BeginModifyContractor(*doc, 0);
  EXPECT_EQ(start->caption, "Contractor:   MarySmith");

  // A changed city writes the converted names, and TypeOfTIN and the other
  // fields the dialog does not show end up empty.
  start->values[ContractorFieldIndex(ContractorRecord::Text::City)].text = "Chicago";
  ASSERT_TRUE(ModifyContractor(*doc, 0, ReadContractorDialog(start->values)).Saved());
  const auto written = StoredContractors()[0];
  EXPECT_EQ(written.City(), "Chicago");
  EXPECT_EQ(written.NameLine1(), "MarySmith");
  EXPECT_EQ(written.FirstName() + written.MiddleName() + written.LastName(), "");
  EXPECT_EQ(written.TypeOfTIN(), "");
  EXPECT_EQ(written.ExtraText2(), "");
  EXPECT_EQ(written.IdentificationNumber(), "12-3456789");
}

TEST_F(ContractorsTest, ModifyComparesTheDialogsFields) {
  AddThree();
  using R = ContractorRecord;
  for (TextMember<R> member : {R::Text::IdentificationNumber, R::Text::NameLine1, R::Text::NameLine2, R::Text::Address1, R::Text::Address2,
                                 R::Text::City, R::Text::State, R::Text::Zip, R::Text::AccountNumber}) {
    R edited = doc->GetContractors()[2];
    member.Set(edited, "x");
    ASSERT_TRUE(ModifyContractor(*doc, 2, edited).Saved());
    EXPECT_EQ(member.In(StoredContractors()[2]), "x");
  }
  R edited = doc->GetContractors()[2];
  edited.SecondTIN = 1;
  ASSERT_TRUE(ModifyContractor(*doc, 2, edited).Saved());
  EXPECT_EQ(StoredContractors()[2].SecondTIN, 1);
  EXPECT_EQ(ModifyContractor(*doc, 2, edited).outcome, Outcome::Unchanged);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(ModifyContractor(*doc, -1, edited).outcome, Outcome::Declined);
  EXPECT_FALSE(BeginModifyContractor(*doc, 3));
}

TEST_F(ContractorsTest, DeleteRemovesTheContractorAndItsForm) {
  AddThree();
  ui.questions.clear();
  ui.answers = {Answer::Yes};
  EXPECT_EQ(DeleteContractor(*doc, ui, std::nullopt, &formPage).outcome, Outcome::Declined);
  EXPECT_EQ(ui.questions, std::vector<std::string>{"Are you sure you want to delete this record?"});
  ui.answers = {Answer::No};
  EXPECT_EQ(DeleteContractor(*doc, ui, 0, &formPage).outcome, Outcome::Declined);
  EXPECT_EQ(StoredContractors().size(), 3u);

  ui.answers = {Answer::Yes};
  ASSERT_TRUE(DeleteContractor(*doc, ui, 0, &formPage).Saved());
  const auto contractors = StoredContractors();
  ASSERT_EQ(contractors.size(), 2u);
  EXPECT_EQ(contractors[0].NameLine1(), "Beta");
  const auto forms = StoredForms1099();
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].ContractorUniqueID, 2);
  EXPECT_EQ(forms[1].ContractorUniqueID, 3);
  EXPECT_EQ(doc->GetForms1099(), forms);
  // The row of the form is gone from the file, not only filtered out on reading.
  int rows = -1;
  File().Execute("SELECT COUNT(*) FROM Form1099 WHERE ContractorUniqueID = 1",
                 [&](int, char** v) { rows = std::stoi(v[0]); });
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(formPage.calls, std::vector<std::string>{"deleted"});
}

TEST_F(ContractorsTest, AContractorAndItsFormAreWrittenInOneSave) {
  AddThree();
  RefuseInFile("DELETE", "Form1099");
  ui.answers = {Answer::Yes};
  auto result = DeleteContractor(*doc, ui, 1, &formPage);
  EXPECT_TRUE(result.Done());
  EXPECT_NE(result.saveCode, 0);
  EXPECT_EQ(StoredContractors().size(), 3u);
  std::vector<PendingChange> journal = {{ChangeKind::Contractor, ChangeOp::Delete, 1, 2},
                                        {ChangeKind::Form1099, ChangeOp::Delete, 1, 2}};
  EXPECT_EQ(doc->Journal(), journal);
  ASSERT_EQ(File().Execute("DROP TRIGGER RefuseDELETEForm1099"), 0);
  ASSERT_EQ(doc->SaveChanges(), 0);
  EXPECT_EQ(StoredContractors().size(), 2u);
  EXPECT_EQ(StoredForms1099().size(), 2u);

  RefuseInFile("INSERT", "Form1099");
  ContractorRecord added;
  added.SetIdentificationNumber("99-9999999");
  added.SetNameLine1("Delta");
  result = AddContractor(*doc, ui, added, true, false, true);
  EXPECT_TRUE(result.Done());
  EXPECT_NE(result.saveCode, 0);
  EXPECT_EQ(StoredContractors().size(), 2u);
  journal = {{ChangeKind::Contractor, ChangeOp::Insert, 2, 4}, {ChangeKind::Form1099, ChangeOp::Insert, 2, 4}};
  EXPECT_EQ(doc->Journal(), journal);
}

TEST(ContractorDialog, EmptyFieldsAndState) {
  const PageValues values = EmptyContractorDialog();
  EXPECT_EQ(values[ContractorFieldIndex(ContractorRecord::Text::State)].choice, 0);
  EXPECT_EQ(values[ContractorFieldIndex(&ContractorRecord::SecondTIN)].choice, 0);
  ContractorRecord c = Contractor("1", "N");
  c.SetState("il");
  c.SecondTIN = 1;
  const PageValues loaded = LoadContractorDialog(c);
  EXPECT_EQ(loaded[ContractorFieldIndex(ContractorRecord::Text::State)].choice, 0);
  const ContractorRecord back = ReadContractorDialog(loaded, 5);
  EXPECT_EQ(back.State(), "");
  EXPECT_EQ(back.SecondTIN, 1);
  EXPECT_EQ(back.ContractorUniqueID, 5);
  const auto columns = ContractorListColumns();
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_STREQ(columns[2].caption, "Identification Number");
  EXPECT_EQ(columns[2].width, 160);
}

}  // namespace
}  // namespace formet
