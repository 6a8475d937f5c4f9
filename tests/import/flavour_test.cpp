// The W-2 and 1099-MISC imports on a company: the column checks with their
// messages, column assignment, and rows loaded into the company file.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "forms/w2/box12_codes.h"
#include "import/form1099_import.h"
#include "import/import_session.h"
#include "import/w2_import.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/form1099_list.h"
#include "records/records_fixture.h"
#include "records/w2_list.h"

namespace formet {
namespace {

const std::string kRule = "\r\n" + std::string(166, '_');

// A report of one error per listed row.
std::string Report(std::initializer_list<std::pair<int, std::string>> errors) {
  ErrorReport report;
  for (const auto& [row, message] : errors) report.Add(static_cast<size_t>(row), message);
  return report.Text();
}

EmployeeRecord Employee(const char* ssn, const char* first, const char* last) {
  EmployeeRecord e;
  e.SetSocialSecurityNumber(ssn);
  e.SetFirstName(first);
  e.SetLastName(last);
  return e;
}

ImportColumn Column(std::initializer_list<const char*> values) {
  ImportColumn column;
  for (const char* v : values) column.values.emplace_back(v);
  return column;
}

// The form pages hear of each form the import adds; they reload once, when
// every view is refreshed after the one save.
struct PageCalls : W2ListObserver, Form1099ListObserver {
  std::vector<bool> reloads;
  void OnW2Added(bool reload) override { reloads.push_back(reload); }
  void OnW2Deleted() override { ADD_FAILURE() << "no W-2 is deleted"; }
  void OnForm1099Added(bool reload) override { reloads.push_back(reload); }
  void OnForm1099Deleted() override { ADD_FAILURE() << "no 1099-MISC is deleted"; }
};

class ImportTest : public test::CompanyTest {
 protected:
  // Writes a file and reads it into the session.
  void ReadFile(ImportSession& session, const std::string& bytes, const std::string& delimiterBox = ",") {
    test::WriteBytes(dir / "in.csv", bytes);
    session.SetPath(dir / "in.csv");
    session.SetDelimiterBox(delimiterBox);
    const auto r = session.Read();
    ASSERT_TRUE(r && r->HasTable()) << (r ? r->message : "");
  }
  void AssignAll(ImportSession& session, std::initializer_list<std::pair<size_t, int>> pairs) {
    for (const auto& [column, field] : pairs) {
      const auto a = session.Assign(column, field);
      ASSERT_EQ(a.outcome, ImportSession::Assignment::Outcome::Assigned) << session.Catalogue().Name(field) << a.report;
    }
  }
};

using W2 = W2ImportFlavour;

TEST_F(ImportTest, W2CatalogueAndGroups) {
  W2 w2(*doc, ui);
  const auto& c = w2.Catalogue();
  ASSERT_EQ(c.Size(), 48u);
  EXPECT_EQ(c.Name(0), "Employee Social Security Number (SSN).");
  EXPECT_EQ(c.Name(35), "Employer\x92s state ID number(Line 1)");
  EXPECT_EQ(c.Name(47), "Locality name(Line 2)");
  ASSERT_EQ(c.Groups().size(), 3u);
  EXPECT_EQ(c.Groups()[0].name, "State and Local");  // the menu shows them the other way round
  EXPECT_EQ(c.Groups()[2].name, "Employee Information");
  EXPECT_EQ(w2.RequiredFields(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(w2.CheckColumn(48, Column({"anything"})), "");
  EXPECT_EQ(w2.PayeesAdded(1), "1 employee with its W-2");
  EXPECT_EQ(w2.PayeesAdded(100000), "100,000 employees with their W-2s");
  EXPECT_EQ(GroupedCount(999), "999");
  EXPECT_EQ(GroupedCount(1234567), "1,234,567");

  FieldCatalogue limits;
  for (int i = 0; i < 79; ++i) EXPECT_TRUE(limits.AddField("f" + std::to_string(i)));
  EXPECT_FALSE(limits.AddField("f79"));
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(limits.AddGroup("g", 0, 1));
  EXPECT_FALSE(limits.AddGroup("eleventh", 0, 1));
  EXPECT_EQ(limits.Find("F 12"), 12);
}

TEST_F(ImportTest, W2SocialSecurityNumbers) {
  ASSERT_TRUE(AddEmployee(*doc, ui, Employee("111-22-3333", "A", "B"), true, true, true)
                  .Done());
  W2 w2(*doc, ui);
  const std::string tooShort =
      "Value length is too short. Social security number should be 11 characters long and formatted xxx-xx-xxxx.";
  const std::string tooLong =
      "Value length is too long. Social security number should be 11 characters long and formatted xxx-xx-xxxx.";
  EXPECT_EQ(w2.CheckColumn(0, Column({"123-45-6789", "234-56-7890"})), "");
  EXPECT_EQ(w2.CheckColumn(0, Column({"123456789", "234567890"})), Report({{1, tooShort}, {2, tooShort}}));
  EXPECT_EQ(w2.CheckColumn(0, Column({"123-45-67890"})), Report({{1, tooLong}}));
  EXPECT_EQ(
      w2.CheckColumn(0, Column({"100-10-0001", "100-10-0002", "599-99-9999", "100-10-0004", "100-10-0005",
                                "100-10-0006", "599-99-9999", "111-22-3333"})),
      Report({{3, "Duplicated social security number. This row and row # 7 have the same social security number."},
              {7, "Duplicated social security number. This row and row # 3 have the same social security number."},
              {8, "Duplicated social security number. The company already includes an employee with the social "
                  "security # : 111-22-3333."}}));
  // An empty value is too short, but never a duplicate.
  EXPECT_EQ(w2.CheckColumn(0, Column({"", ""})), Report({{1, tooShort}, {2, tooShort}}));
  // Numbers that are never issued, and eleven characters that are no number,
  // with the rule the dialog gives.
  const auto never = [](const char* ssn) {
    return "\"" + std::string(ssn) +
           "\" is not a social security number: none is issued with area 000, 666 or 900-999 (the first three "
           "digits), group 00 (the middle two) or serial 0000 (the last four).";
  };
  EXPECT_EQ(w2.CheckColumn(0, Column({"000-12-4410", "666-12-4410", "912-12-4410", "123-00-4410", "123-45-0000",
                                      "123 45 6789", "123-45-6789"})),
            Report({{1, never("000-12-4410")},
                    {2, never("666-12-4410")},
                    {3, never("912-12-4410")},
                    {4, never("123-00-4410")},
                    {5, never("123-45-0000")},
                    {6, "The social security number \"123 45 6789\" must have nine digits, written ###-##-####."}}));
  // Spaces around a number, as spreadsheets leave them, are not part of it.
  EXPECT_EQ(w2.CheckColumn(0, Column({" 123-45-6789", "123-45-6789 ", "111-22-3333  "})),
            Report({{1, "Duplicated social security number. This row and row # 2 have the same social security "
                        "number."},
                    {2, "Duplicated social security number. This row and row # 1 have the same social security "
                        "number."},
                    {3, "Duplicated social security number. The company already includes an employee with the "
                        "social security # : 111-22-3333."}}));
}

TEST_F(ImportTest, W2FieldChecks) {
  W2 w2(*doc, ui);
  struct Case {
    int field;
    ImportColumn column;
    std::string report;
  };
  const std::string notNumber = "Field has to be a number: \"1,00.00\" can\x92t be interpreted as a numeric value";
  // The columns only view their values: the long ones live as long as the cases.
  const std::string x21(21, 'x'), c21(21, 'c'), nines16(16, '9');
  const Case cases[] = {
      {1, Column({"Ann", "", x21.c_str()}),
       Report({{2, "First name can\x92t be empty."},
               {3, "Field too long: first name can't be more than 20 characters long."}})},
      {2, Column({"Q", "QRS"}), Report({{2, "Field too long: middle name can't be more than 2 characters long."}})},
      {3, Column({"O'Brien", "", "   "}), Report({{2, "Last name can't be empty."}, {3, "Last name can't be empty."}})},
      {6, Column({c21.c_str()}),
       Report({{1, "Field too long: \"City Name\" can't be more than 20 characters long."}})},
      {9, Column({"1500", "1,00.00", "", "+5", "1.5E+03", "$1,000.00"}), Report({{2, notNumber}})},
      // States: upper-case entries of the state table, or empty.
      {7, Column({"IL", "", "il", "ILL"}),
       Report({{3, "\"il\" is not a valid state abbreviation."},
               {4, "Field too long: \"State Abbreviation\" can't be more than 2 characters long."},
               {4, "\"ILL\" is not a valid state abbreviation."}})},
      // Box 12 codes: the 2007 letters and AA / BB in any case; other two
      // letters are too long, a letter of no code is refused as on the page.
      {20, Column({"D", "aa", "BB", "d", "", "AB", "I"}),
       Report({{6, "Field too long: \"Box 12a Code\" can't be more than 1 characters long."},
               {7, InvalidBox12CodeMessage("I")}})},
      {28, Column({"0", "1", "", "yes"}),
       Report({{4, "The field \"Statutory Employee\" can only be set to 0 or 1. A value of  0 means that the check box "
                   "is un-checked while 1 means checked."}})},
      {42, Column({nines16.c_str()}),
       Report({{1, "Field too long: \"Employer\x92s state ID number\" can't be more than 15 characters long."}})},
      {47, Column({"ABCDEFG"}),
       Report({{1, "Field too long: \"Locality Name\" can't be more than 6 characters long."}})},
  };
  for (const auto& c : cases) EXPECT_EQ(w2.CheckColumn(c.field, c.column), c.report) << w2.Catalogue().Name(c.field);

  // A value refused when the file was read is reported first and not checked further.
  ImportColumn refused = Column({"Ann", "?"});
  refused.refused.push_back({1, "The character U+0141 cannot be stored."});
  EXPECT_EQ(w2.CheckColumn(1, refused), Report({{2, "The character U+0141 cannot be stored."}}));
}

TEST_F(ImportTest, AssigningColumns) {
  W2 w2(*doc, ui);
  ImportSession session(w2);
  EXPECT_FALSE(session.Read());  // no path: nothing happens
  ReadFile(session, "SSN,First,Wages\n123-45-6789,Ann,1\n234-56-7890,Bob,2\n");
  EXPECT_TRUE(session.CanImport());
  EXPECT_EQ(session.ColumnHeader(0), "Unused");

  auto a = session.Assign(0, W2::kSocialSecurityNumber);
  EXPECT_EQ(a.outcome, ImportSession::Assignment::Outcome::Assigned);
  EXPECT_EQ(session.ColumnHeader(0), "Employee Social Security Number (SSN).");
  // The same field again, on another column or on its own: refused.
  for (size_t column : {1u, 0u}) {
    a = session.Assign(column, W2::kSocialSecurityNumber);
    EXPECT_EQ(a.outcome, ImportSession::Assignment::Outcome::AlreadyUsed);
    EXPECT_EQ(a.message, "Employee Social Security Number (SSN). is already used, please pick a different field.");
  }
  // A refused column keeps its header and mapping.
  ASSERT_EQ(session.Assign(2, 9).outcome, ImportSession::Assignment::Outcome::Assigned);
  EXPECT_EQ(session.Assign(2, 9).outcome, ImportSession::Assignment::Outcome::AlreadyUsed);
  a = session.Assign(1, 10);  // "Ann", "Bob" are no numbers
  EXPECT_EQ(a.outcome, ImportSession::Assignment::Outcome::Refused);
  EXPECT_EQ(session.ColumnHeader(1), "Unused");
  // Another field on an assigned column takes its place.
  ASSERT_EQ(session.Assign(1, W2::kFirstName).outcome, ImportSession::Assignment::Outcome::Assigned);
  ASSERT_EQ(session.Assign(1, W2::kLastName).outcome, ImportSession::Assignment::Outcome::Assigned);
  EXPECT_EQ(session.ColumnOfField(W2::kFirstName), -1);
  EXPECT_EQ(session.ColumnOfField(W2::kLastName), 1);
  session.SetUnused(1);
  EXPECT_EQ(session.ColumnHeader(1), "Unused");
  EXPECT_EQ(session.FieldOfColumn(1), -1);

  // Import is refused while a required field has no column, naming them.
  auto outcome = session.Import();
  EXPECT_FALSE(outcome.ran);
  EXPECT_EQ(outcome.refusal,
            "Please assign these required fields to columns before importing: click the header of the column that "
            "holds each.\n\n\"Employee First Name.\"\n\"Employee Last Name.\"");
  EXPECT_TRUE(doc->GetEmployees().empty());

  // Reading again (another separator) forgets every assignment.
  session.SetDelimiterBox(";");
  ASSERT_TRUE(session.Read());
  EXPECT_EQ(session.Table().ColumnCount(), 1u);
  EXPECT_EQ(session.ColumnHeader(0), "Unused");
  EXPECT_EQ(session.ColumnOfField(W2::kSocialSecurityNumber), -1);
}

TEST_F(ImportTest, W2RowsLoadAsEmployeesWithTheirW2sInOneSave) {
  PageCalls page;
  W2 w2(*doc, ui, &page);
  ImportSession session(w2);
  ReadFile(session,
           "SSN,First,Middle,Last,Wages,Code,Amount,Plan,State\n"
           "123-45-6789,Ann,Q,O'Brien,+5,aa,12.345,1,IL\n"
           "234-56-7890,Bob,,D'Arcy,1.5e3,d,-1,0,\n"
           "345-67-8901,Cy,,Lee,52000,,,,\n");
  AssignAll(session, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 9}, {5, 20}, {6, 21}, {7, 29}, {8, 7}});
  const int refreshesBefore = view.refreshed;
  const auto outcome = session.Import();
  ASSERT_TRUE(outcome.ran);
  EXPECT_EQ(outcome.added, 3u);
  EXPECT_TRUE(outcome.dropped.empty());
  EXPECT_EQ(outcome.saveCode, 0);
  EXPECT_EQ(session.Summary(outcome), "Added 3 employees with their W-2s.");
  EXPECT_EQ(view.refreshed, refreshesBefore + 1);
  EXPECT_EQ(page.reloads, std::vector<bool>(3, false));
  EXPECT_TRUE(doc->Journal().empty());

  const auto employees = StoredEmployees();
  ASSERT_EQ(employees.size(), 3u);
  EXPECT_EQ(employees[0].LastName(), "O'Brien");  // one apostrophe, as typed
  EXPECT_EQ(employees[0].MiddleName(), "Q");
  EXPECT_EQ(employees[0].State(), "IL");
  EXPECT_EQ(employees[1].LastName(), "D'Arcy");
  const auto forms = StoredW2Forms();
  ASSERT_EQ(forms.size(), 3u);
  EXPECT_EQ(forms[0].EmployeeUniqueID, employees[0].EmployeeUniqueID);
  EXPECT_EQ(forms[0].Wages(), "5.00");
  EXPECT_EQ(forms[0].Field12aCode(), "0");  // AA, as the W-2 page holds it
  EXPECT_EQ(forms[0].Field12aAmount(), "12.34");
  EXPECT_EQ(forms[0].RetirementPlan, 1);
  EXPECT_EQ(forms[0].FederalIncomeTaxWithdrawal(), "0.00");  // a field without a column
  EXPECT_EQ(forms[1].Wages(), "1500.00");
  EXPECT_EQ(forms[1].Field12aCode(), "D");
  EXPECT_EQ(forms[1].Field12aAmount(), "-1.00");
  EXPECT_EQ(forms[2].Wages(), "52000.00");
  EXPECT_EQ(ShowBox12Code(doc->GetW2Forms()[0].Field12aCode()), "AA");
}

TEST_F(ImportTest, RowsThePayeeChecksRefuseAreDroppedAndReported) {
  W2 w2(*doc, ui);
  ImportSession session(w2);
  ReadFile(session, "SSN,First,Last\n123-45-6789,Ann,Lee\n234-56-7890,Bo,Kim\n");
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}});
  // An employee with row 2's number arrives after the column was checked.
  ASSERT_TRUE(AddEmployee(*doc, ui, Employee("234-56-7890", "X", "Y"), true, true, true)
                  .Done());
  const auto outcome = session.Import();
  EXPECT_EQ(outcome.added, 1u);
  ASSERT_EQ(outcome.dropped.size(), 1u);
  EXPECT_EQ(outcome.dropped[0].row, 2u);
  EXPECT_EQ(session.Summary(outcome),
            "Added 1 employee with its W-2.\n\n1 row was not loaded:\n"
            "Row 2: Social Security Number already assigned to an existing employee");
  EXPECT_EQ(StoredEmployees().size(), 2u);
}

// A file with rows that cannot be read as its header lays out the columns is
// not loaded at all, unless the good rows are loaded without them.
TEST_F(ImportTest, BadRowsStopTheImportUnlessTheGoodRowsAreLoaded) {
  W2 w2(*doc, ui);
  ImportSession session(w2);
  ReadFile(session, "SSN,First,Last,Wages\n123-45-6789,Ann,Lee,10\n234-56-7890,Bob,Kim,1,234.50\n"
                    "345-67-8901,Cy,\"Ng,7\n");
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}, {3, 9}});
  auto outcome = session.Import();
  EXPECT_FALSE(outcome.ran);
  EXPECT_TRUE(outcome.refusal.starts_with("Nothing was imported: 2 rows of the file cannot be read as its header "
                                          "line lays out the columns.\nRow 2: The row holds 5 values"))
      << outcome.refusal;
  EXPECT_TRUE(outcome.refusal.ends_with("\nMend them in the file, or choose to load the good rows only."));
  EXPECT_TRUE(StoredEmployees().empty());

  EXPECT_TRUE(session.SetSkipBadRows(true).empty());
  EXPECT_EQ(session.RowsToLeaveOut(), 2u);
  outcome = session.Import();
  ASSERT_TRUE(outcome.ran);
  EXPECT_EQ(outcome.added, 1u);
  EXPECT_EQ(outcome.leftOut, 2u);
  // The last row was left out: the rows before it are saved all the same.
  const auto stored = StoredEmployees();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].FirstName(), "Ann");
  EXPECT_EQ(session.Summary(outcome),
            "Added 1 employee with its W-2.\n\n2 rows were not loaded:\n"
            "Row 2, column 5, \"234.50\": The row holds 5 values where the header line has 4 columns: a separator "
            "inside a value that is not in quotes (such as the comma of 1,234.50) splits the value, and the values "
            "after it are not in their columns.\n"
            "Row 3, column 3 (\"Last\"), \"Ng,7\": A quote (\") opened in column 3 is never closed: the rest of "
            "the line was read as one value, separators and all.");
}

// Loading the good rows: a column with values its field refuses is assigned,
// those values marked; every row whose values pass is loaded (the payee
// checks still apply), and each row left out is listed with its column,
// value and reason.
TEST_F(ImportTest, LoadingTheGoodRowsLeavesOutTheBadOnesAndListsThem) {
  ASSERT_TRUE(AddEmployee(*doc, ui, Employee("111-22-3333", "A", "B"), true, true, true).Done());
  W2 w2(*doc, ui);
  ImportSession session(w2);
  ReadFile(session,
           "SSN,First,Last,Wages,State\n"
           "123-45-6789,Ann,Lee,\"$31,250.00\",IL\n"
           "111-22-3333,Bob,Kim,5,NY\n"        // the company has this number
           "345-67-8901,,Ng,99999999999,ca\n"  // three bad values
           "456-78-9012,Dee,Fox,(5),\n"
           "567-89-0123,Eve,Orr,1.5e3,\n");
  // Without the choice the columns are refused, as before.
  EXPECT_EQ(session.Assign(3, 9).outcome, ImportSession::Assignment::Outcome::Refused);
  session.SetSkipBadRows(true);
  auto a = session.Assign(3, 9);
  ASSERT_EQ(a.outcome, ImportSession::Assignment::Outcome::Assigned);
  EXPECT_EQ(a.badRows, 2u);
  EXPECT_NE(a.report.find("Amount too large"), std::string::npos);  // the report is there to show
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}, {4, 7}});
  EXPECT_EQ(session.BadRowsOfColumn(0), 1u);
  EXPECT_EQ(session.RowsToLeaveOut(), 3u);

  // The preview's marks.
  EXPECT_EQ(session.MarkOf(4, 3).kind, CellMark::Kind::Bad);
  EXPECT_TRUE(session.MarkOf(4, 3).reason.starts_with("Negative amounts in parentheses are not read: \"(5)\"."));
  EXPECT_EQ(session.MarkOf(3, 4).reason, "\"ca\" is not a valid state abbreviation.");
  EXPECT_EQ(session.MarkOf(1, 3).kind, CellMark::Kind::None);
  EXPECT_EQ(w2.StoredText(9, "$31,250.00"), "31250.00");
  EXPECT_EQ(w2.StoredText(1, "$31,250.00"), "$31,250.00");

  const auto outcome = session.Import();
  ASSERT_TRUE(outcome.ran);
  EXPECT_EQ(outcome.added, 2u);
  EXPECT_EQ(outcome.leftOut, 3u);
  std::vector<LeftOutRow> left;
  session.ForEachLeftOut(outcome, [&](const LeftOutRow& row) {
    left.push_back(row);
    return true;
  });
  const std::vector<std::tuple<size_t, size_t, std::string, std::string>> expected = {
      {2, 0, "111-22-3333",
       "Duplicated social security number. The company already includes an employee with the social security # : "
       "111-22-3333."},
      {3, 1, "", "First name can\x92t be empty."},
      {3, 3, "99999999999",
       "Amount too large: \"99999999999\" has more than 9 whole digits, more than any box of the form holds."},
      {3, 4, "ca", "\"ca\" is not a valid state abbreviation."},
      {4, 3, "(5)",
       "Negative amounts in parentheses are not read: \"(5)\". Write a negative amount with a minus sign (-500.00), "
       "if the form is to carry one."},
  };
  ASSERT_EQ(left.size(), expected.size());
  for (size_t i = 0; i < left.size(); ++i) {
    EXPECT_EQ(left[i].row, std::get<0>(expected[i])) << i;
    EXPECT_EQ(left[i].column, std::get<1>(expected[i])) << i;
    EXPECT_EQ(left[i].value, std::get<2>(expected[i])) << i;
    EXPECT_EQ(left[i].reason, std::get<3>(expected[i])) << i;
  }
  EXPECT_EQ(session.LeftOutLine(left[3]),
            "Row 3, column 5 (\"State\"), \"ca\": \"ca\" is not a valid state abbreviation.");
  const auto forms = StoredW2Forms();
  ASSERT_EQ(forms.size(), 3u);
  EXPECT_EQ(forms[1].Wages(), "31250.00");
  EXPECT_EQ(forms[2].Wages(), "1500.00");

  // Turning the choice off makes the columns with bad values "Unused" again.
  EXPECT_EQ(session.SetSkipBadRows(false), (std::vector<size_t>{0, 1, 3, 4}));
  EXPECT_EQ(session.ColumnHeader(3), "Unused");
  EXPECT_EQ(session.ColumnHeader(2), "Employee Last Name.");
}

// A page showing edits not yet applied (as the company setup before its
// Update): the import, which refreshes every page, asks it first.
struct EditingPage : DocumentView {
  bool cancel = false;
  int asked = 0;
  void OnDocumentRefresh() override {}
  bool HasUnsavedEdits() const override { return true; }
  bool OnDocumentClosing() override {
    ++asked;
    return !cancel;
  }
};

TEST_F(ImportTest, APageWithEditsNotAppliedIsAskedBeforeLoading) {
  EditingPage page;
  doc->AddView(&page);
  W2 w2(*doc, ui);
  ImportSession session(w2);
  ReadFile(session, "SSN,First,Last\n123-45-6789,Ann,Lee\n");
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}});

  page.cancel = true;
  auto outcome = session.Import();
  EXPECT_FALSE(outcome.ran);
  EXPECT_EQ(outcome.refusal, "");  // the user cancelled: nothing more to say
  EXPECT_TRUE(doc->GetEmployees().empty());
  EXPECT_TRUE(StoredEmployees().empty());

  page.cancel = false;
  outcome = session.Import();
  EXPECT_TRUE(outcome.ran);
  EXPECT_EQ(page.asked, 2);
  EXPECT_EQ(StoredEmployees().size(), 1u);
  doc->RemoveView(&page);
}

TEST_F(ImportTest, AFailedSaveLeavesTheFileUntouchedAndSaysSo) {
  RefuseInFile("INSERT", "W2");
  W2 w2(*doc, ui);
  ImportSession session(w2);
  ReadFile(session, "SSN,First,Last\n123-45-6789,Ann,Lee\n234-56-7890,Bo,Kim\n");
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}});
  const auto outcome = session.Import();
  EXPECT_NE(outcome.saveCode, 0);
  EXPECT_NE(session.Summary(outcome).find("could not be saved"), std::string::npos);
  // All rows go in one transaction: none of them reached the file.
  EXPECT_TRUE(StoredEmployees().empty());
  EXPECT_EQ(doc->GetEmployees().size(), 2u);
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(ImportTest, HeadersNamingFieldsAndTheRememberedAssignment) {
  W2 w2(*doc, ui);
  ImportSession session(w2);
  const std::string file =
      "EMPLOYEE SOCIAL SECURITY NUMBER SSN,employee_first_name,Notes,Employee Last Name.,Box 1 (Wages Tips and "
      "Other Compensation),employee first name\n123-45-6789,Ann,x,Lee,10,Again\n";
  ReadFile(session, file);
  EXPECT_EQ(session.MatchingHeaders(), (std::vector<ColumnField>{{0, 0}, {1, 1}, {3, 3}, {4, 9}}));

  AssignAll(session, {{0, 0}, {1, 1}, {3, 3}, {2, 31}});
  session.RememberAssignment(settings);
  ImportSession again(w2);
  ReadFile(again, file);
  EXPECT_EQ(again.RememberedAssignment(settings), (std::vector<ColumnField>{{0, 0}, {1, 1}, {2, 31}, {3, 3}}));
  // Another header: nothing remembered for it.
  ReadFile(again, "SSN,First\n1,2\n");
  EXPECT_TRUE(again.RememberedAssignment(settings).empty());
}

using F1099 = Form1099ImportFlavour;

TEST_F(ImportTest, Form1099Checks) {
  ContractorRecord bolt;
  bolt.SetIdentificationNumber("12-3456789");
  bolt.SetNameLine1("Bolt");
  ASSERT_TRUE(AddContractor(*doc, ui, bolt, true, true, true).Done());
  F1099 f(*doc, ui);
  ASSERT_EQ(f.Catalogue().Size(), 30u);
  EXPECT_EQ(f.Catalogue().Groups()[1].name, "Recipient Information");
  EXPECT_EQ(f.RequiredFields(), (std::vector<int>{0, 1}));
  // An empty number passes; the company's number is refused before loading.
  EXPECT_EQ(f.CheckColumn(0, Column({"", "98-7654321", "12-3456789", "123-456-7890"})),
            Report({{3, "Duplicated Identification Number. The company already includes a contractor identification "
                        "number : 12-3456789."},
                    {4, "Value length is too long. Identification Number can't be more than 11 characters long."}}));
  // Spaces around a number are not part of it.
  EXPECT_EQ(f.CheckColumn(0, Column({" 12-3456789 ", "98-7654321", "98-7654321  "})),
            Report({{1, "Duplicated Identification Number. The company already includes a contractor identification "
                        "number : 12-3456789."},
                    {2, "Duplicated Identification Number. This row and row # 3 have the same social security number."},
                    {3, "Duplicated Identification Number. This row and row # 2 have the same social security "
                        "number."}}));
  EXPECT_EQ(f.CheckColumn(0, Column({"1", "1"})),
            Report({{1, "Duplicated Identification Number. This row and row # 2 have the same social security number."},
                    {2, "Duplicated Identification Number. This row and row # 1 have the same social security "
                        "number."}}));
  const std::string n38(38, 'n'), n39(39, 'n');
  EXPECT_EQ(f.CheckColumn(1, Column({n38.c_str(), n39.c_str(), "", " "})),
            Report({{2, "Field too long: name (line one) can't be more than 38 characters long."},
                    {3, "Recipient's name (line one) can't be empty."},
                    {4, "Recipient's name (line one) can't be empty."}}));
  EXPECT_EQ(f.CheckColumn(2, Column({n39.c_str()})),
            Report({{1, "Field too long: name (line two) can't be more than 38 characters long."}}));
  EXPECT_EQ(f.CheckColumn(17, Column({"1", "x"})),
            Report({{2, "Box 9 can only be set to 0 or 1. A value of  0 means that the check box is un-checked while 1 "
                        "means checked."}}));
  EXPECT_EQ(f.CheckColumn(29, Column({"2"})),
            Report({{1, "The field \"2nd TIN not.\" can only be set to 0 or 1. A value of  0 means that the check box "
                        "is un-checked while 1 means checked."}}));
  EXPECT_EQ(f.CheckColumn(8, Column({"1234567890123"})),
            Report({{1, "Field too long: \"Account Number\" can't be more than 12 characters long."}}));
  EXPECT_EQ(f.CheckColumn(27, Column({"1234567890123456"})),
            Report({{1, "Field too long: \"State/Payer's state no.\" can't be more than 15 characters long."}}));
  EXPECT_EQ(f.CheckColumn(30, Column({"x"})), "");
}

TEST_F(ImportTest, Form1099RowsLoadAsContractors) {
  PageCalls page;
  F1099 f(*doc, ui, &page);
  ImportSession session(f);
  ReadFile(session,
           "TIN;Name;Line two;Rents;Direct sales;Second TIN;State no\n"
           "12-3456789;\"Bolt; O'Malley & Sons, LLC\";Attn Ren\xC3\xA9" "e;1250.5;1;1;NJ-1-2\n"
           ";Nobody;;10;0;0;\n",
           ";");
  AssignAll(session, {{0, 0}, {1, 1}, {2, 2}, {3, 9}, {4, 17}, {5, 29}, {6, 24}});
  const auto outcome = session.Import();
  EXPECT_EQ(session.Summary(outcome),
            "Added 1 contractor with its 1099-MISC.\n\n1 row was not loaded:\n"
            "Row 2: Pease fill in the 'Contractor's identification number' Field");
  EXPECT_EQ(page.reloads, std::vector<bool>{false});  // the dropped row adds no form
  const auto contractors = StoredContractors();
  ASSERT_EQ(contractors.size(), 1u);
  EXPECT_EQ(contractors[0].NameLine1(), "Bolt; O'Malley & Sons, LLC");  // one apostrophe, as in the file
  EXPECT_EQ(contractors[0].NameLine2(), "Attn Ren\xE9" "e");
  EXPECT_EQ(contractors[0].SecondTIN, 1);
  EXPECT_EQ(contractors[0].FirstName(), "");
  const auto forms = StoredForms1099();
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].Rents(), "1250.50");
  EXPECT_EQ(forms[0].NonemployeeCompensation(), "0.00");
  EXPECT_EQ(forms[0].PayerMadeDirectSales, 1);
  EXPECT_EQ(forms[0].PayerStateID1(), "NJ-1-2");
}

// Every text of a row passes the rules of the page or dialog field it goes
// to: names take the apostrophe and no other refused character, the other
// texts refuse the apostrophe too, a zip code fits the dialog's pattern, and
// no text is longer than its field takes. The import stored
// Bolt "Sparky" Electric and "Attn: Ren\xE9e", which no dialog takes.
TEST_F(ImportTest, EveryTextKeepsTheRulesOfItsPageField) {
  W2 w2(*doc, ui);
  F1099 f(*doc, ui);
  const auto refused = [](const std::string& value, const std::string& chars, bool name) {
    return "\"" + value + "\" cannot be stored. This field does not take the character" +
           (chars.size() > 1 ? "s " : " ") + chars + " (not allowed: " +
           (name ? "% * \" + ? > < : \\" : "% ' * \" + ? > < : \\") + ").";
  };
  const auto misfit = [](const std::string& value, char c) {
    return "\"" + value + "\" cannot be stored. It does not fit the pattern #####-#### (the character \"" +
           std::string(1, c) + "\").";
  };
  struct Case {
    ImportFlavour& flavour;
    int field;
    std::string value;
    std::string error;  // empty: the value is taken
  };
  const Case cases[] = {
      // The W-2 import: the Employee dialog's names and address, the W-2 page's texts.
      {w2, 1, "Ann \"Red\"", refused("Ann \"Red\"", "\"", true)},
      {w2, 1, "O'Neil", ""},
      {w2, 2, "Q'", ""},
      {w2, 2, "Q*", refused("Q*", "*", true)},
      {w2, 3, "Kim: Jr", refused("Kim: Jr", ":", true)},
      {w2, 3, "O'Malley", ""},
      {w2, 4, "5 O'Hare Dr", refused("5 O'Hare Dr", "'", false)},
      {w2, 5, "<Unit> 5", refused("<Unit> 5", "< >", false)},
      {w2, 6, "St. Mary's", refused("St. Mary's", "'", false)},
      {w2, 8, "1000A", misfit("1000A", 'A')},
      {w2, 8, "10001-2345", ""},
      {w2, 8, "100012345", ""},
      {w2, 31, "50% off", refused("50% off", "%", false)},
      {w2, 35, "IL+1", refused("IL+1", "+", false)},
      {w2, 40, "N/Y", ""},
      {w2, 47, "NY?", refused("NY?", "?", false)},
      // The 1099-MISC import: the Contractor dialog's fields, the 1099 page's state numbers.
      {f, 0, "12-345678?", refused("12-345678?", "?", false)},
      {f, 1, "Bolt \"Sparky\" Electric", refused("Bolt \"Sparky\" Electric", "\"", true)},
      {f, 1, "O'Malley Roofing & Sons", ""},
      {f, 2, "Attn: Ren\xE9", refused("Attn: Ren\xE9", ":", true)},
      {f, 3, "C\\O 50% Bldg", refused("C\\O 50% Bldg", "\\ %", false)},
      {f, 7, "07102-12x4", misfit("07102-12x4", 'x')},
      {f, 8, "A+100", refused("A+100", "+", false)},
      {f, 27, "NJ'1", refused("NJ'1", "'", false)},
  };
  for (const auto& c : cases) {
    ImportColumn column;
    column.values.push_back(c.value);
    EXPECT_EQ(c.flavour.CheckColumn(c.field, column), c.error.empty() ? "" : Report({{1, c.error}}))
        << c.flavour.Catalogue().Name(c.field) << ": " << c.value;
  }

  // No text is longer than its field takes: one character more is refused
  // with the limit, never cut to it.
  const std::pair<ImportFlavour*, std::vector<std::pair<int, int>>> limits[] = {
      {&w2, {{1, 20}, {2, 2}, {3, 20}, {4, 30}, {5, 30}, {6, 20}, {31, 14}, {32, 14}, {33, 14}, {35, 15}, {40, 6},
             {42, 15}, {47, 6}}},
      {&f, {{0, 11}, {1, 38}, {2, 38}, {3, 30}, {4, 30}, {5, 20}, {8, 12}, {24, 15}, {27, 15}}},
  };
  for (const auto& [flavour, fields] : limits) {
    for (const auto& [field, limit] : fields) {
      const std::string fits(static_cast<size_t>(limit), 'x'), longer(static_cast<size_t>(limit) + 1, 'x');
      EXPECT_EQ(flavour->CheckColumn(field, Column({fits.c_str()})), "") << flavour->Catalogue().Name(field);
      const std::string report = flavour->CheckColumn(field, Column({longer.c_str()}));
      EXPECT_NE(report.find(" " + std::to_string(limit) + " characters long."), std::string::npos)
          << flavour->Catalogue().Name(field) << report;
    }
  }
}

// A line of box 12 is a code with its amount: a row with one and not the
// other is a bad row of the file, refused with the W-2 page's message
// however the columns were assigned, and left out when the good rows are
// loaded alone. The import stored an amount with no code, which prints as
// an amount nobody can read.
TEST_F(ImportTest, Box12CodesAndAmountsGoTogether) {
  W2 w2(*doc, ui);
  ImportSession session(w2);
  ReadFile(session,
           "SSN,First,Last,Code,Amount,Code b,Amount b\n"
           "123-45-6789,Ann,Lee,D,1500,,\n"
           "234-56-7890,Bob,Kim,E,,,\n"           // a code without its amount
           "345-67-8901,Cy,Ng,,250,,\n"           // an amount without its code
           "456-78-9012,Dee,Fox,,0.00,aa,0\n"     // 0.00 is no amount: fine without a code, not with one
           "567-89-0123,Eve,Orr,,,,\"$1,000\"\n"
           "678-90-1234,Fay,Poe,,,,\n");
  // The amounts first: no column is refused for the other's values.
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}, {4, 21}, {6, 23}});
  EXPECT_EQ(session.RowsWithUnpairedValues(), 3u);  // rows 1, 3 and 5 hold amounts, no code has a column
  AssignAll(session, {{3, 20}, {5, 22}});
  EXPECT_EQ(session.RowsWithUnpairedValues(), 4u);
  const std::string noAmount = " but no amount: please enter the amount, or clear the code.";
  const std::string noCode =
      " has an amount but no code: please enter the code the amount is for, or clear the amount.";
  // Both cells of the line are marked.
  EXPECT_EQ(session.MarkOf(2, 3).kind, CellMark::Kind::Bad);
  EXPECT_EQ(session.MarkOf(2, 3).reason, "Box 12a has the code E" + noAmount);
  EXPECT_EQ(session.MarkOf(2, 4).reason, "Box 12a has the code E" + noAmount);
  EXPECT_EQ(session.MarkOf(2, 5).kind, CellMark::Kind::None);
  EXPECT_EQ(session.MarkOf(1, 3).kind, CellMark::Kind::None);
  EXPECT_EQ(session.MarkOf(4, 4).kind, CellMark::Kind::None);

  auto outcome = session.Import();
  EXPECT_FALSE(outcome.ran);
  EXPECT_EQ(outcome.refusal,
            "Nothing was imported: 4 rows of the file hold values that do not go together.\n"
            "Row 2, column 4 (\"Code\"), \"E\": Box 12a has the code E" + noAmount + "\n"
            "Row 3, column 5 (\"Amount\"), \"250\": Box 12a" + noCode + "\n"
            "Row 4, column 6 (\"Code b\"), \"aa\": Box 12b has the code aa" + noAmount + "\n"
            "Row 5, column 7 (\"Amount b\"), \"$1,000\": Box 12b" + noCode + "\n"
            "Mend them in the file, or choose to load the good rows only.");
  EXPECT_TRUE(StoredEmployees().empty());

  session.SetSkipBadRows(true);
  EXPECT_EQ(session.RowsToLeaveOut(), 4u);
  outcome = session.Import();
  ASSERT_TRUE(outcome.ran);
  EXPECT_EQ(outcome.added, 2u);
  EXPECT_EQ(session.Summary(outcome),
            "Added 2 employees with their W-2s.\n\n4 rows were not loaded:\n"
            "Row 2, column 4 (\"Code\"), \"E\": Box 12a has the code E" + noAmount + "\n"
            "Row 3, column 5 (\"Amount\"), \"250\": Box 12a" + noCode + "\n"
            "Row 4, column 6 (\"Code b\"), \"aa\": Box 12b has the code aa" + noAmount + "\n"
            "Row 5, column 7 (\"Amount b\"), \"$1,000\": Box 12b" + noCode);
  const auto forms = StoredW2Forms();
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].Field12aCode(), "D");
  EXPECT_EQ(forms[0].Field12aAmount(), "1500.00");
  EXPECT_EQ(forms[1].Field12aCode(), "");
  EXPECT_EQ(forms[1].Field12aAmount(), "0.00");

  // A code whose amount has no column has no amount.
  session.SetUnused(4);
  EXPECT_EQ(session.MarkOf(1, 3).reason, "Box 12a has the code D" + noAmount);
  EXPECT_EQ(session.MarkOf(3, 3).kind, CellMark::Kind::None);
}

// A number with spaces around it, as a spreadsheet cell may hold it, is
// stored as the number, and is the company's number when it is.
TEST_F(ImportTest, NumbersAreLoadedWithoutTheSpacesAroundThem) {
  F1099 f(*doc, ui);
  ImportSession session(f);
  ReadFile(session, "TIN,Name\n\"12-3456789  \",O'Malley Roofing\n");
  AssignAll(session, {{0, 0}, {1, 1}});
  EXPECT_EQ(session.Import().added, 1u);
  ASSERT_EQ(StoredContractors().size(), 1u);
  EXPECT_EQ(StoredContractors()[0].IdentificationNumber(), "12-3456789");
  EXPECT_EQ(StoredContractors()[0].NameLine1(), "O'Malley Roofing");
  EXPECT_TRUE(FindContractorById(*doc, "12-3456789"));

  W2 w2(*doc, ui);
  ImportSession employees(w2);
  ReadFile(employees, "SSN,First,Last\n 123-45-6789,Ann,O'Neil\n");
  AssignAll(employees, {{0, 0}, {1, 1}, {2, 3}});
  EXPECT_EQ(employees.Import().added, 1u);
  ASSERT_EQ(StoredEmployees().size(), 1u);
  EXPECT_EQ(StoredEmployees()[0].SocialSecurityNumber(), "123-45-6789");
  EXPECT_EQ(StoredEmployees()[0].LastName(), "O'Neil");
}

// A file of several blocks of rows, some of them left out: a number each
// row its own, and in rows 3000, 4500 and 5000 a quote never closed, a value
// split by its thousands separator and an amount in parentheses.
std::string BlocksFile(size_t rows) {
  std::string csv = "SSN,First,Last,Wages\n";
  for (size_t i = 1; i <= rows; ++i) {
    char line[96];
    if (i == 3000) std::snprintf(line, sizeof line, "100-01-3001,\"Al,Smith,5\n");
    else if (i == 4500) std::snprintf(line, sizeof line, "100-01-4501,Bo,Diaz,1,234.50\n");
    else if (i == 5000) std::snprintf(line, sizeof line, "100-01-5001,Cy,Park,(5)\n");
    else std::snprintf(line, sizeof line, "100-%02zu-%04zu,First%zu,Last%zu,%zu.25\n", i / 9999 + 1, i % 9999 + 1, i, i, i);
    csv += line;
  }
  return csv;
}

std::vector<std::string> LeftOutLines(const ImportSession& session, const ImportOutcome& outcome) {
  std::vector<std::string> lines;
  session.ForEachLeftOut(outcome, [&](const LeftOutRow& row) {
    lines.push_back(session.LeftOutLine(row));
    return true;
  });
  return lines;
}

// Loading lets go of the table's rows as they are taken, so that the table
// and the records made from it are never held whole together; the rows left
// out keep their values for the list of them, and the first rows stay for
// the preview.
TEST_F(ImportTest, RowsLetGoOfAsTheyLoadStillListTheRowsLeftOut) {
  const size_t rows = 3 * ImportTable::kBlockRows + 100;
  W2 w2(*doc, ui);
  ImportSession session(w2);
  ReadFile(session, BlocksFile(rows));
  session.SetSkipBadRows(true);
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}, {3, 9}});
  ASSERT_EQ(session.RowsToLeaveOut(), 3u);
  ImportOutcome before;
  before.leftOut = 3;
  const std::vector<std::string> listed = LeftOutLines(session, before);
  // Row 3000 twice: its quote, and its last name, swallowed by the quote.
  ASSERT_EQ(listed.size(), 4u);
  EXPECT_TRUE(listed[0].starts_with("Row 3000, column 2 (\"First\"), \"Al,Smith,5\": A quote")) << listed[0];
  EXPECT_TRUE(listed[3].starts_with("Row 5000, column 4 (\"Wages\"), \"(5)\": Negative")) << listed[3];

  const auto outcome = session.Import();
  ASSERT_TRUE(outcome.ran);
  EXPECT_EQ(outcome.saveCode, 0);
  EXPECT_EQ(outcome.added, rows - 3);
  EXPECT_TRUE(session.Table().HasReleased());
  EXPECT_EQ(LeftOutLines(session, outcome), listed);
  EXPECT_EQ(session.Table().Cell(1, 1), "First1");
  EXPECT_EQ(session.MarkOf(5000, 3).kind, CellMark::Kind::Bad);
  const auto stored = StoredEmployees();
  ASSERT_EQ(stored.size(), rows - 3);
  EXPECT_EQ(stored.back().FirstName(), "First" + std::to_string(rows));
  EXPECT_EQ(StoredW2Forms().back().Wages(), std::to_string(rows) + ".25");

  // Used again, the table is read again from the file first.
  EXPECT_EQ(session.Assign(2, 4).outcome, ImportSession::Assignment::Outcome::Assigned);
  EXPECT_FALSE(session.Table().HasReleased());
  EXPECT_EQ(session.Table().Cell(rows, 2), "Last" + std::to_string(rows));
}

// A Cancel while the rows load keeps nothing, and the table is as it was
// read, its columns assigned, for another try; unless the file changed on
// disk meanwhile, which is said.
TEST_F(ImportTest, ACancelledLoadReadsTheTableAgainAsItWas) {
  const size_t rows = 3 * ImportTable::kBlockRows + 100;
  const std::string csv = BlocksFile(rows);
  struct CancellingUi : test::ScriptedUi {
    std::function<void()> atCancel;
    std::unique_ptr<WorkProgress> BeginProgress(const std::string&) override {
      struct Cancelling : WorkProgress {
        CancellingUi* ui;
        size_t done = 0;
        explicit Cancelling(CancellingUi* u) : ui(u) {}
        void Step(size_t d, size_t, const std::string&) override {
          done = d;
          if (Cancelled() && ui->atCancel) ui->atCancel();
        }
        // Once rows of the third block are loaded.
        bool Cancelled() const override { return done > 2 * ImportTable::kBlockRows + 100; }
      };
      return std::make_unique<Cancelling>(this);
    }
  } progressUi;
  W2 w2(*doc, ui);
  ImportSession session(w2);
  session.SetProgressThreshold(100);
  ReadFile(session, csv);
  session.SetSkipBadRows(true);
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}, {3, 9}});
  ImportTable fresh;
  ASSERT_TRUE(ReadDelimitedText(csv, ',', '"', fresh).HasTable());

  auto outcome = session.Import(&progressUi);
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(outcome.refusal, "");
  EXPECT_TRUE(doc->GetEmployees().empty());
  EXPECT_TRUE(StoredEmployees().empty());
  EXPECT_FALSE(session.Table().HasReleased());
  ASSERT_EQ(session.Table().RowCount(), fresh.RowCount());
  for (size_t r = 0; r < fresh.RowCount(); ++r)
    for (size_t c = 0; c < fresh.ColumnCount(); ++c)
      ASSERT_EQ(session.Table().Cell(r, c), fresh.Cell(r, c)) << r << "," << c;
  EXPECT_EQ(session.ColumnOfField(9), 3);

  // The file rewritten while the rows load: it cannot be read again as it was.
  progressUi.atCancel = [&] { test::WriteBytes(dir / "in.csv", csv + "100-99-0001,Late,Row,1\n"); };
  outcome = session.Import(&progressUi);
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(outcome.refusal, kFileChangedSinceRead);
  EXPECT_FALSE(session.CanImport());
  EXPECT_TRUE(doc->GetEmployees().empty());
  EXPECT_TRUE(StoredEmployees().empty());

  // Read again, the file loads whole.
  ASSERT_TRUE(session.Read()->HasTable());
  AssignAll(session, {{0, 0}, {1, 1}, {2, 3}, {3, 9}});
  outcome = session.Import();
  ASSERT_TRUE(outcome.ran);
  EXPECT_EQ(StoredEmployees().size(), rows - 2);
}

}  // namespace
}  // namespace formet
