// Employees: the checks of a new employee, adding with its W-2, modifying,
// deleting with its W-2, and the list's order.
#include "records/employees.h"

#include <gtest/gtest.h>

#include "records/w2_list.h"
#include "records_fixture.h"

namespace formet {
namespace {

using test::CompanyTest;

const std::string kDeleteQuestion = "Are you sure you want to delete this record?";

EmployeeRecord Employee(const std::string& ssn, const std::string& first, const std::string& last) {
  EmployeeRecord e;
  e.SetSocialSecurityNumber(ssn);
  e.SetFirstName(first);
  e.SetLastName(last);
  return e;
}

struct RecordingW2Page : W2ListObserver {
  std::vector<std::string> calls;
  void OnW2Added(bool reload) override { calls.push_back(reload ? "added, reload" : "added"); }
  void OnW2Deleted() override { calls.push_back("deleted"); }
};

class EmployeesTest : public CompanyTest {
 protected:
  // Three employees added through the dialog: ids 1, 2, 3 with W-2s 1, 2, 3.
  void AddThree() {
    for (const auto& e : {Employee("111-11-1111", "Ann", "Adams"), Employee("222-22-2222", "Bob", "Baker"),
                          Employee("333-33-3333", "Cy", "Cole")})
      ASSERT_TRUE(AddEmployee(*doc, ui, e, true, false, true).Saved());
  }
  RecordingW2Page w2Page;
};

TEST(CheckNewEmployee, MessagesInOrder) {
  const std::vector<EmployeeRecord> existing = {Employee("123-45-6789", "Ann", "Adams")};
  struct Case {
    EmployeeRecord record;
    std::optional<std::string> message;
  } cases[] = {
      {Employee("", "", ""), "Please fill in the 'Employee's social security number' Field"},
      {Employee("", "Jo", "Doe"), "Please fill in the 'Employee's social security number' Field"},
      {Employee("123-45-6789", "", ""), "Social Security Number already assigned to an existing employee"},
      {Employee("123-45-6789", "Jo", "Doe"), "Social Security Number already assigned to an existing employee"},
      {Employee("587-65-4321", "", ""), "Please fill in the 'Employee's Name(first)' Field"},
      {Employee("587-65-4321", "Jo", ""), "Please fill in the 'Employee's Name(last)' Field"},
      {Employee("587-65-4321", "Jo", "Doe"), std::nullopt},
      // A name of spaces only is none.
      {Employee("587-65-4321", "  ", "Doe"), "Please fill in the 'Employee's Name(first)' Field"},
      {Employee("587-65-4321", "Jo", " \xA0"), "Please fill in the 'Employee's Name(last)' Field"},
      {Employee("587-65-4321", " Jo", "Doe "), std::nullopt},
      // Nine digits written ###-##-####, and a number the SSA issues.
      {Employee("123456789", "Jo", "Doe"),
       "The social security number \"123456789\" must have nine digits, written ###-##-####."},
      {Employee("123-45-678", "Jo", "Doe"),
       "The social security number \"123-45-678\" must have nine digits, written ###-##-####."},
      {Employee(" ", "Jo", "Doe"), "The social security number \" \" must have nine digits, written ###-##-####."},
      {Employee("000-12-4410", "Jo", "Doe"),
       "\"000-12-4410\" is not a social security number: none is issued with area 000, 666 or 900-999 (the "
       "first three digits), group 00 (the middle two) or serial 0000 (the last four)."},
      {Employee("000-12-4410", "", ""), "\"000-12-4410\" is not a social security number: none is issued with "
                                        "area 000, 666 or 900-999 (the first three digits), group 00 (the middle "
                                        "two) or serial 0000 (the last four)."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NewEmployeeProblem(existing, c.record), c.message) << c.record.SocialSecurityNumber();
  // Every number that is never issued, and its neighbours that are.
  for (const char* never : {"000-12-4410", "666-12-4410", "900-12-4410", "999-12-4410", "123-00-4410",
                            "123-45-0000"}) {
    const auto message = NewEmployeeProblem(existing, Employee(never, "Jo", "Doe"));
    ASSERT_TRUE(message) << never;
    EXPECT_NE(message->find("none is issued"), std::string::npos) << never;
  }
  for (const char* issued : {"001-12-4410", "665-12-4410", "667-12-4410", "899-12-4410", "123-01-4410",
                             "123-45-0001"})
    EXPECT_EQ(NewEmployeeProblem(existing, Employee(issued, "Jo", "Doe")), std::nullopt) << issued;
}

TEST_F(EmployeesTest, CheckShowsItsMessageUnlessSilent) {
  AddThree();
  ui.messages.clear();
  EXPECT_FALSE(CheckNewEmployee(*doc, ui, Employee("222-22-2222", "X", "Y"), true));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(CheckNewEmployee(*doc, ui, Employee("222-22-2222", "X", "Y"), false));
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Social Security Number already assigned to an existing employee"});
  EXPECT_TRUE(FindEmployeeBySsn(*doc, "222-22-2222"));
  EXPECT_FALSE(FindEmployeeBySsn(*doc, "222222222"));
  EXPECT_FALSE(FindEmployeeBySsn(*doc, ""));
}

TEST_F(EmployeesTest, NewIdIsTheLargestPlusOne) {
  struct Case {
    std::vector<int32_t> employeeIds, w2Ids;
    int32_t employeeId, w2Id;
  } cases[] = {
      {{}, {}, 1, 1},
      {{1, 2, 5}, {1, 2, 3}, 6, 4},
      {{5, 2, 1}, {9}, 6, 10},  // the largest, wherever it stands
      {{3}, {}, 4, 1},
  };
  for (const auto& c : cases) {
    doc->GetEmployees().clear();
    doc->GetW2Forms().clear();
    for (int32_t id : c.employeeIds) {
      doc->GetEmployees().push_back(Employee("000-00-000" + std::to_string(id), "F", "L"));
      doc->GetEmployees().back().EmployeeUniqueID = id;
    }
    for (int32_t id : c.w2Ids) {
      doc->GetW2Forms().push_back(W2Record{});
      doc->GetW2Forms().back().W2UniqueID = id;
    }
    const auto result = AddEmployee(*doc, ui, Employee("555-99-9999", "New", "Hire"), false, true, false);
    ASSERT_TRUE(result.Done());
    EXPECT_EQ(result.uniqueId, c.employeeId);
    EXPECT_EQ(doc->GetEmployees().back().EmployeeUniqueID, c.employeeId);
    EXPECT_EQ(doc->GetW2Forms().back().W2UniqueID, c.w2Id);
    EXPECT_EQ(doc->GetW2Forms().back().EmployeeUniqueID, c.employeeId);
  }
}

TEST_F(EmployeesTest, TheDialogAddsTheEmployeeAndABlankW2AtOnce) {
  PageValues values = EmptyEmployeeDialog();
  values[EmployeeFieldIndex(EmployeeRecord::Text::SocialSecurityNumber)].text = "123-45-6789";
  values[EmployeeFieldIndex(EmployeeRecord::Text::FirstName)].text = "Jane";
  values[EmployeeFieldIndex(EmployeeRecord::Text::LastName)].text = "Doe";
  values[EmployeeFieldIndex(EmployeeRecord::Text::State)].choice = *FindState("NY");
  const auto result = NewEmployee(*doc, ui, values, &w2Page);
  ASSERT_TRUE(result.Saved());
  EXPECT_EQ(result.uniqueId, 1);

  const auto employees = StoredEmployees();
  ASSERT_EQ(employees.size(), 1u);
  EXPECT_EQ(employees[0], doc->GetEmployees()[0]);
  EXPECT_EQ(employees[0].State(), "NY");
  const auto forms = StoredW2Forms();
  ASSERT_EQ(forms.size(), 1u);
  W2Record blank;
  blank.W2UniqueID = 1;
  blank.EmployeeUniqueID = 1;
  EXPECT_EQ(forms[0], blank);
  EXPECT_EQ(doc->GetW2Forms(), forms);
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(w2Page.calls, std::vector<std::string>{"added, reload"});
  EXPECT_EQ(view.refreshed, 1);
}

TEST_F(EmployeesTest, TheImportAddsWithoutSavingAndWithItsW2) {
  W2Record imported;
  imported.W2UniqueID = 77;       // replaced
  imported.EmployeeUniqueID = 88;  // replaced
  imported.SetWages("1000.00");
  imported.SetField12aCode("0");
  const auto result =
      AddEmployee(*doc, ui, Employee("123-45-6789", "Jane", "Doe"), false, true, false, &imported, &w2Page);
  ASSERT_TRUE(result.Done());
  EXPECT_EQ(result.saveCode, 0);
  EXPECT_TRUE(StoredEmployees().empty());
  EXPECT_TRUE(StoredW2Forms().empty());
  EXPECT_TRUE(doc->IsModified());
  const std::vector<PendingChange> journal = {{ChangeKind::Employee, ChangeOp::Insert, 0, 1},
                                              {ChangeKind::W2, ChangeOp::Insert, 0, 1}};
  EXPECT_EQ(doc->Journal(), journal);
  EXPECT_EQ(w2Page.calls, std::vector<std::string>{"added"});

  ASSERT_EQ(doc->SaveChanges(), 0);
  const auto forms = StoredW2Forms();
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].W2UniqueID, 1);
  EXPECT_EQ(forms[0].EmployeeUniqueID, 1);
  EXPECT_EQ(forms[0].Wages(), "1000.00");
  EXPECT_EQ(forms[0].Field12aCode(), "0");

  // A refused row changes nothing and, silent, says nothing.
  EXPECT_EQ(AddEmployee(*doc, ui, Employee("123-45-6789", "Again", "Doe"), false, true, false, &imported).outcome,
            Outcome::Refused);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(doc->GetEmployees().size(), 1u);
  EXPECT_EQ(doc->GetW2Forms().size(), 1u);
  EXPECT_TRUE(doc->Journal().empty());
}

TEST_F(EmployeesTest, DuplicateNumberRefusedOnNewAllowedOnModify) {
  AddThree();
  ui.messages.clear();
  const int refreshed = view.refreshed;
  PageValues values = LoadEmployeeDialog(Employee("222-22-2222", "Dup", "Licate"));
  const auto result = NewEmployee(*doc, ui, values, &w2Page);
  EXPECT_EQ(result.outcome, Outcome::Refused);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Social Security Number already assigned to an existing employee"});
  EXPECT_EQ(doc->GetEmployees().size(), 3u);
  EXPECT_EQ(StoredEmployees().size(), 3u);
  EXPECT_EQ(StoredW2Forms().size(), 3u);
  EXPECT_TRUE(w2Page.calls.empty());
  EXPECT_EQ(view.refreshed, refreshed + 1);  // the page is refreshed whatever the outcome

  // Modify makes no check: a duplicate number and an empty name are taken.
  EmployeeRecord edited = ReadEmployeeDialog(LoadEmployeeDialog(doc->GetEmployees()[2]));
  edited.SetSocialSecurityNumber("222-22-2222");
  edited.SetFirstName("");
  ASSERT_TRUE(ModifyEmployee(*doc, 2, edited).Saved());
  const auto stored = StoredEmployees();
  EXPECT_EQ(stored[2].SocialSecurityNumber(), "222-22-2222");
  EXPECT_EQ(stored[2].FirstName(), "");
  EXPECT_EQ(stored[2].EmployeeUniqueID, 3);
  EXPECT_TRUE(ui.messages.size() == 1);
}

TEST_F(EmployeesTest, ModifyWritesOnlyWhenOneOfTheTenFieldsChanged) {
  AddThree();
  const int refreshed = view.refreshed;
  // Unchanged: no write, no journal entry, no refresh.
  const EmployeeRecord same = ReadEmployeeDialog(LoadEmployeeDialog(doc->GetEmployees()[1]), 2);
  EXPECT_EQ(ModifyEmployee(*doc, 1, same).outcome, Outcome::Unchanged);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_EQ(view.refreshed, refreshed);

  // Each of the ten fields alone makes a change.
  using R = EmployeeRecord;
  for (TextMember<R> member : {R::Text::SocialSecurityNumber, R::Text::FirstName, R::Text::MiddleName, R::Text::LastName, R::Text::Suffix,
                                 R::Text::Address1, R::Text::Address2, R::Text::City, R::Text::State, R::Text::Zip}) {
    R edited = doc->GetEmployees()[1];
    const std::string value = member == R::Text::SocialSecurityNumber ? "444-44-4444" : "Jr";
    member.Set(edited, value);
    EXPECT_FALSE(SameEmployeeFields(edited, doc->GetEmployees()[1]));
    ASSERT_TRUE(ModifyEmployee(*doc, 1, edited).Saved());
    EXPECT_EQ(member.In(StoredEmployees()[1]), value);
    EXPECT_EQ(StoredEmployees()[1].EmployeeUniqueID, 2);
  }
  EXPECT_EQ(view.refreshed, refreshed + 10);
  // Fields the dialog does not show are not compared.
  R edited = doc->GetEmployees()[1];
  edited.SetExtraText1("other");
  EXPECT_EQ(ModifyEmployee(*doc, 1, edited).outcome, Outcome::Unchanged);
  // Out of the list: nothing.
  EXPECT_EQ(ModifyEmployee(*doc, 3, edited).outcome, Outcome::Declined);
}

// Modify takes a new social security number only if it is one; a number the
// file held already, never issued or not, stays when other fields change.
TEST_F(EmployeesTest, ModifyRefusesANewNumberThatIsNeverIssued) {
  AddThree();
  const EmployeeRecord before = doc->GetEmployees()[1];
  const PageValues loaded = LoadEmployeeDialog(before);
  PageValues values = loaded;
  values[EmployeeFieldIndex(EmployeeRecord::Text::SocialSecurityNumber)].text = "000-12-4410";
  EmployeeRecord edited = ReadModifiedEmployee(before, loaded, values);
  const auto problem = ModifiedEmployeeFieldProblem(before, edited);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->field, EmployeeFieldIndex(EmployeeRecord::Text::SocialSecurityNumber));
  EXPECT_NE(problem->message.find("none is issued with area 000, 666 or 900-999"), std::string::npos);
  EXPECT_EQ(ModifyEmployee(*doc, 1, edited).outcome, Outcome::Refused);
  EXPECT_EQ(doc->GetEmployees()[1], before);
  EXPECT_EQ(StoredEmployees()[1], before);
  EXPECT_TRUE(doc->Journal().empty());
  edited.SetSocialSecurityNumber("");
  EXPECT_EQ(ModifiedEmployeeFieldProblem(before, edited)->message,
            "Please fill in the 'Employee's social security number' Field");

  // An employee of an older file with a number that is never issued.
  doc->GetEmployees()[1].SetSocialSecurityNumber("900-12-4410");
  edited = doc->GetEmployees()[1];
  edited.SetCity("Peoria");
  EXPECT_EQ(ModifiedEmployeeFieldProblem(doc->GetEmployees()[1], edited), std::nullopt);
  ASSERT_TRUE(ModifyEmployee(*doc, 1, edited).Saved());
  EXPECT_EQ(StoredEmployees()[1].SocialSecurityNumber(), "900-12-4410");
  EXPECT_EQ(StoredEmployees()[1].City(), "Peoria");
}

TEST_F(EmployeesTest, DeleteAsksFirstThenRemovesTheEmployeeAndItsW2) {
  AddThree();
  ui.questions.clear();
  // The question comes even with no row selected.
  ui.answers = {Answer::Yes};
  EXPECT_EQ(DeleteEmployee(*doc, ui, std::nullopt, &w2Page).outcome, Outcome::Declined);
  EXPECT_EQ(ui.questions, std::vector<std::string>{kDeleteQuestion});
  ui.answers = {Answer::No};
  EXPECT_EQ(DeleteEmployee(*doc, ui, 1, &w2Page).outcome, Outcome::Declined);
  EXPECT_EQ(doc->GetEmployees().size(), 3u);
  EXPECT_TRUE(w2Page.calls.empty());

  const int refreshed = view.refreshed;
  ui.answers = {Answer::Yes};
  const auto result = DeleteEmployee(*doc, ui, 1, &w2Page);
  ASSERT_TRUE(result.Saved());
  EXPECT_EQ(result.uniqueId, 2);
  const auto employees = StoredEmployees();
  ASSERT_EQ(employees.size(), 2u);
  EXPECT_EQ(employees[0].LastName(), "Adams");
  EXPECT_EQ(employees[1].LastName(), "Cole");
  const auto forms = StoredW2Forms();
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].EmployeeUniqueID, 1);
  EXPECT_EQ(forms[1].EmployeeUniqueID, 3);
  EXPECT_EQ(doc->GetW2Forms(), forms);
  EXPECT_EQ(w2Page.calls, std::vector<std::string>{"deleted"});
  EXPECT_EQ(view.refreshed, refreshed + 1);
  EXPECT_TRUE(doc->Journal().empty());

  // Ids 1 and 3 are left: a new employee takes 4; once it is gone, the next
  // one takes 4 again.
  EXPECT_EQ(AddEmployee(*doc, ui, Employee("444-44-4444", "Di", "Dee"), true, false, true).uniqueId, 4);
  ui.answers = {Answer::Yes};
  ASSERT_TRUE(DeleteEmployee(*doc, ui, 2, &w2Page).Saved());
  EXPECT_EQ(AddEmployee(*doc, ui, Employee("555-55-5555", "Ed", "Eve"), true, false, true).uniqueId, 4);
  EXPECT_EQ(doc->GetW2Forms().back().EmployeeUniqueID, 4);
  EXPECT_EQ(StoredW2Forms().size(), 3u);
}

TEST_F(EmployeesTest, AnEmployeeAndItsW2AreWrittenInOneSave) {
  AddThree();
  // The W-2's delete cannot be written: neither is the employee's, and both
  // wait in the journal.
  RefuseInFile("DELETE", "W2");
  ui.answers = {Answer::Yes};
  auto result = DeleteEmployee(*doc, ui, 2, &w2Page);
  EXPECT_TRUE(result.Done());
  EXPECT_NE(result.saveCode, 0);
  EXPECT_EQ(StoredEmployees().size(), 3u);
  EXPECT_EQ(StoredW2Forms().size(), 3u);
  std::vector<PendingChange> journal = {{ChangeKind::Employee, ChangeOp::Delete, 2, 3},
                                        {ChangeKind::W2, ChangeOp::Delete, 2, 3}};
  EXPECT_EQ(doc->Journal(), journal);
  EXPECT_EQ(doc->GetW2Forms().size(), 2u);
  ASSERT_EQ(File().Execute("DROP TRIGGER RefuseDELETEW2"), 0);
  ASSERT_EQ(doc->SaveChanges(), 0);
  EXPECT_EQ(StoredEmployees().size(), 2u);
  EXPECT_EQ(StoredW2Forms().size(), 2u);

  // The same for an added employee whose W-2 cannot be written.
  RefuseInFile("INSERT", "W2");
  result = AddEmployee(*doc, ui, Employee("555-55-5555", "Ed", "Eve"), true, false, true);
  EXPECT_TRUE(result.Done());
  EXPECT_NE(result.saveCode, 0);
  EXPECT_EQ(StoredEmployees().size(), 2u);
  journal = {{ChangeKind::Employee, ChangeOp::Insert, 2, 3}, {ChangeKind::W2, ChangeOp::Insert, 2, 3}};
  EXPECT_EQ(doc->Journal(), journal);
}

TEST_F(EmployeesTest, AddedAndDeletedBeforeSavingLeavesNoTrace) {
  AddThree();
  ASSERT_TRUE(AddEmployee(*doc, ui, Employee("555-55-5555", "Ed", "Eve"), false, true, false).Done());
  EXPECT_EQ(doc->Journal().size(), 2u);
  ui.answers = {Answer::Yes};
  ASSERT_TRUE(DeleteEmployee(*doc, ui, 3).Saved());
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_EQ(StoredEmployees().size(), 3u);
  EXPECT_EQ(StoredW2Forms().size(), 3u);
}

TEST(EmployeeDialog, CaptionAndState) {
  EXPECT_EQ(EmployeeDialogCaption(nullptr), "Employee");
  EmployeeRecord e = Employee("1", "Jane", "Doe");
  EXPECT_EQ(EmployeeDialogCaption(&e), "Employee:   Jane");

  struct Case {
    std::string stored;
    int choice;
    std::string readBack;
  } cases[] = {{"NY", 42, "NY"}, {"ny", 0, ""}, {"", 0, ""}, {"ZZ", 0, ""}};
  for (const auto& c : cases) {
    e.SetState(c.stored);
    const PageValues values = LoadEmployeeDialog(e);
    EXPECT_EQ(values[EmployeeFieldIndex(EmployeeRecord::Text::State)].choice, c.choice) << c.stored;
    EXPECT_EQ(ReadEmployeeDialog(values).State(), c.readBack) << c.stored;
  }
  const PageValues empty = EmptyEmployeeDialog();
  for (const auto& v : empty) EXPECT_EQ(v.text, "");
  EXPECT_EQ(empty[EmployeeFieldIndex(EmployeeRecord::Text::State)].choice, 0);
}

// ---- the list's order ---------------------------------------------------------------

std::vector<std::string> Column(const std::vector<ListRow>& rows, size_t column) {
  std::vector<std::string> texts;
  for (const auto& r : rows) texts.push_back(r.columns[column]);
  return texts;
}

TEST(EmployeeList, RowsAndColumns) {
  const auto columns = EmployeeListColumns();
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_STREQ(columns[2].caption, "Last Name");
  EXPECT_EQ(columns[1].width, 100);
  std::vector<EmployeeRecord> list = {Employee("1", "Ann", "Zed"), Employee("2", "Bob", "Young")};
  list[0].EmployeeUniqueID = 4;
  list[1].EmployeeUniqueID = 9;
  list[1].SetMiddleName("Q");
  const auto rows = EmployeeListRows(list);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], (ListRow{1, 9, {"Bob", "Q", "Young", "2"}}));
}

TEST(EmployeeList, HeaderClicksSortAscendingThenDescending) {
  std::vector<EmployeeRecord> list;
  for (auto [first, last] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Cy", "baker"}, {"Ann", "Adams"}, {"Bob", "Baker"}, {"Di", "adams"}, {"Ed", "Cole"}})
    list.push_back(Employee("", first, last));
  auto rows = EmployeeListRows(list);
  ListSorter sorter;
  sorter.OnColumnClick(rows, 2);
  EXPECT_EQ(Column(rows, 2), (std::vector<std::string>{"adams", "Adams", "baker", "Baker", "Cole"}));
  EXPECT_TRUE(sorter.Ascending());
  sorter.OnColumnClick(rows, 2);
  EXPECT_EQ(Column(rows, 2), (std::vector<std::string>{"Cole", "Baker", "baker", "Adams", "adams"}));
  EXPECT_FALSE(sorter.Ascending());
  sorter.OnColumnClick(rows, 2);
  EXPECT_TRUE(sorter.Ascending());
  // Another column starts ascending again, even after a descending sort.
  sorter.OnColumnClick(rows, 2);
  sorter.OnColumnClick(rows, 0);
  EXPECT_TRUE(sorter.Ascending());
  EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"Ann", "Bob", "Cy", "Di", "Ed"}));
  // The rows still lead to the employees behind them; the list is untouched.
  EXPECT_EQ(PositionOfRow(rows, 3), 3);
  EXPECT_EQ(PositionOfRow(rows, 0), 1);
  EXPECT_EQ(PositionOfRow(rows, 5), std::nullopt);
  EXPECT_EQ(list[0].FirstName(), "Cy");

  // The platform's comparison, when given, decides: plain byte order puts
  // every capital first.
  ListSorter bytes([](const std::string& a, const std::string& b) { return a.compare(b); });
  rows = EmployeeListRows(list);
  bytes.OnColumnClick(rows, 2);
  EXPECT_EQ(Column(rows, 2), (std::vector<std::string>{"Adams", "Baker", "Cole", "adams", "baker"}));
}

TEST(EmployeeList, EqualTextsKeepTheirOrder) {
  std::vector<EmployeeRecord> list = {Employee("3", "Al", "Same"), Employee("1", "Bo", "Same"),
                                      Employee("2", "Cy", "Same")};
  auto rows = EmployeeListRows(list);
  ListSorter sorter;
  sorter.OnColumnClick(rows, 2);
  EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"Al", "Bo", "Cy"}));
  sorter.OnColumnClick(rows, 2);
  EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"Al", "Bo", "Cy"}));
}

TEST(DefaultListCompare, CaseOnlyBreaksTies) {
  struct Case {
    std::string a, b;
    int sign;
  } cases[] = {
      {"adams", "Adams", -1}, {"Adams", "baker", -1}, {"adams", "Baker", -1}, {"Baker", "baker", 1},
      {"Ann", "Anne", -1},    {"", "a", -1},          {"same", "same", 0},    {"O'Neil", "Oakes", -1},
      {"Zed", "zed", 1},
  };
  for (const auto& c : cases) {
    const int r = DefaultListCompare(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
    const int back = DefaultListCompare(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " / " << c.a;
  }
}

}  // namespace
}  // namespace formet
