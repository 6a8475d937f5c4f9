// The payees' own files: which copies each holds, its name and its password.
#include <gtest/gtest.h>

#include "forms/1099/form1099_print.h"
#include "forms/payee_files.h"
#include "forms/w2/w2_print.h"
#include "print_fixture.h"
#include "store/text_codec.h"

namespace formet {
namespace {

using test::TextsNamed;

TEST(PayeeFiles, CopiesOfEachFile) {
  struct Case {
    PrintForm form;
    std::optional<int> copy;
    std::vector<int> copies;
  };
  const Case cases[] = {
      // The employee's: B, C and 2, each with its instructions.
      {PrintForm::W2, std::nullopt, {3, 6, 4, 7, 2, 8}},
      {PrintForm::W2, 0, {0, 6, 7, 8}},  // the 4-Up sheet and the backs of its three copies
      {PrintForm::W2, 1, {1}},           // Copy 1 has no instructions
      {PrintForm::W2, 3, {3, 6}},
      {PrintForm::W2, 5, {5, 9}},
      {PrintForm::W2, 6, {}},   // instructions alone hold no data
      {PrintForm::W2, 10, {}},  // Copy A goes to the SSA
      {PrintForm::Form1099, std::nullopt, {1, 4}},
      {PrintForm::Form1099, 0, {0}},
      {PrintForm::Form1099, 3, {3, 5}},
      {PrintForm::Form1099, 4, {}},
      {PrintForm::W3, std::nullopt, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PayeeCopyTypes(c.form, c.copy), c.copies)
        << static_cast<int>(c.form) << " copy " << (c.copy ? *c.copy : -1);
    if (c.copy) {
      EXPECT_EQ(PayeeCopyAllowed(c.form, *c.copy), !c.copies.empty()) << *c.copy;
    }
  }
}

TEST(PayeeFiles, AnEmployeesFileHoldsCopiesBCAnd2WithTheirBacks) {
  test::PrintPayroll payroll(3);
  PayeeSource source{PrintForm::W2, "Acme", &payroll.company, &payroll.employees, &payroll.forms, nullptr,
                     nullptr, {2, 1, 0}};
  const auto files = PlanPayeeFiles(source);
  ASSERT_EQ(files.size(), 3u);
  ASSERT_EQ(files[1].payee, 1);
  const auto job = MakePayeeJob(source, files[1], PayeeCopyTypes(PrintForm::W2, std::nullopt));
  ASSERT_EQ(job->PageCount(), 6);
  const auto pages = RecordJob(*job);
  const char* pictures[] = {"Help1.svg", "1.qff", "Help1.svg", "2.qff", "Help1.svg", "3.qff"};
  const char* captions[] = {"Copy B\x97To Be Filed With Employee's FEDERAL Tax Return.", nullptr,
                            "Copy C\x97" "For EMPLOYEE'S RECORDS (See Notice to ", nullptr,
                            "Copy 2\x97To Be Filed With Employee's State, City, or Local ", nullptr};
  for (size_t p = 0; p < pages.size(); ++p) {
    const auto drawn = pages[p].OfKind(CanvasOp::Kind::Picture);
    ASSERT_FALSE(drawn.empty()) << "page " << p + 1;
    EXPECT_EQ(drawn.front().text, pictures[p]) << "page " << p + 1;
    if (captions[p]) {
      // Only the second employee's form, in the top half.
      EXPECT_EQ(TextsNamed(pages[p], "2000.00").size(), 1u) << "page " << p + 1;
      EXPECT_TRUE(TextsNamed(pages[p], "1000.00").empty());
      EXPECT_TRUE(TextsNamed(pages[p], "3000.00").empty());
      EXPECT_FALSE(TextsNamed(pages[p], captions[p]).empty()) << "page " << p + 1;
    } else {
      EXPECT_TRUE(pages[p].Texts().empty()) << "page " << p + 1;
    }
  }
}

TEST(PayeeFiles, ARecipientsFileHoldsCopyBWithItsBack) {
  test::PrintContractors people(2);
  PayeeSource source{PrintForm::Form1099, "Acme", &people.company, nullptr, nullptr, &people.contractors,
                     &people.forms, people.order};
  const auto files = PlanPayeeFiles(source);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[1].fileName, "Acme - 1099-MISC 2007 - Bolt Electric 2 - 2332.pdf");
  const auto job = MakePayeeJob(source, files[1], PayeeCopyTypes(PrintForm::Form1099, std::nullopt));
  const auto pages = RecordJob(*job);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].OfKind(CanvasOp::Kind::Picture).front().text, "Help3.svg");
  EXPECT_NE(pages[0].FindText("For Recipient"), nullptr);
  EXPECT_NE(pages[0].FindText("400.00"), nullptr);   // box 7 of the second contractor
  EXPECT_EQ(pages[0].FindText("200.00"), nullptr);   // not the first's
  EXPECT_EQ(pages[1].OfKind(CanvasOp::Kind::Picture).front().text, "6.qff");
  EXPECT_TRUE(pages[1].Texts().empty());
}

TEST(PayeeFiles, FileNamesSayWhoseFileItIs) {
  EmployeeRecord e;
  e.SetFirstName("Ann");
  e.SetLastName("Lee");
  EXPECT_EQ(W2PayeeName(e), "Lee, Ann");
  EXPECT_EQ(PayeeFileName("Acme Supply", PrintForm::W2, W2PayeeName(e), "123-45-6789"),
            "Acme Supply - W-2 2007 - Lee, Ann - 6789.pdf");
  e.SetFirstName("");
  EXPECT_EQ(W2PayeeName(e), "Lee");
  e.SetFirstName("Ann");
  e.SetLastName("");
  EXPECT_EQ(W2PayeeName(e), "Ann");

  struct Case {
    const char* text;
    const char* safe;
  };
  const Case cases[] = {
      {"A/B Plumbing", "A-B Plumbing"},
      {"Smith: \"Bob\" <Jr>", "Smith- -Bob- -Jr-"},
      {"a\\b|c*d?e", "a-b-c-d-e"},
      {"  Lee   and   Co.  ", "Lee and Co"},
      {"..hidden", "hidden"},
      {"O'Brien & Sons, Inc", "O'Brien & Sons, Inc"},
      {"Jos\xE9 M\xFCller", "Jos\xE9 M\xFCller"},  // Windows-1252 letters stay
      {"tab\there", "tab-here"},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeFileNamePart(c.text), c.safe) << c.text;
  EXPECT_EQ(PayeeFileName("A/B Co", PrintForm::Form1099, "C:D", "12-3456789"), "A-B Co - 1099-MISC 2007 - C-D - 6789.pdf");
  EXPECT_EQ(LastFourDigits("12-3"), "123");
  // A company without a name (none is open) leaves its part out.
  EXPECT_EQ(PayeeFileName(" ", PrintForm::W2, "Lee, Ann", "123-45-6789"), "W-2 2007 - Lee, Ann - 6789.pdf");

  // Too long for a file name: the payee's name is cut first, then the
  // company's, and the number and the form stay.
  const std::string longName(200, '\xE9');  // two bytes each in UTF-8
  const std::string name = PayeeFileName("Acme", PrintForm::W2, longName, "123-45-6789");
  EXPECT_LE(Win1252ToUtf8(name).size(), kMaxPayeeFileNameBytes);
  EXPECT_EQ(name.rfind("Acme - W-2 2007 - \xE9", 0), 0u);
  EXPECT_EQ(name.substr(name.size() - 11), " - 6789.pdf");
  const std::string both = PayeeFileName(longName, PrintForm::W2, longName, "123-45-6789");
  EXPECT_LE(Win1252ToUtf8(both).size(), kMaxPayeeFileNameBytes);
  EXPECT_NE(both.find(" - W-2 2007 - "), std::string::npos);
  EXPECT_EQ(both.substr(both.size() - 11), " - 6789.pdf");
}

TEST(PayeeFiles, TwoPayeesOfTheSameNameGetTwoFilesAndOneWithoutAFormNone) {
  test::PrintPayroll payroll(4);
  for (auto& e : payroll.employees) {
    e.SetLastName("Lee");
    e.SetSocialSecurityNumber("123-45-6789");
  }
  payroll.employees[3].SetLastName("LEE");  // the same file on a file system that ignores case
  payroll.forms.erase(payroll.forms.begin() + 1);  // the second employee has no W-2
  PayeeSource source{PrintForm::W2, "Acme", &payroll.company, &payroll.employees, &payroll.forms, nullptr,
                     nullptr, payroll.order};
  std::vector<int> skipped;
  const auto files = PlanPayeeFiles(source, &skipped);
  EXPECT_EQ(skipped, std::vector<int>{1});
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].fileName, "Acme - W-2 2007 - Lee, Ann - 6789.pdf");
  EXPECT_EQ(files[1].fileName, "Acme - W-2 2007 - Lee, Ann - 6789 (2).pdf");
  EXPECT_EQ(files[2].fileName, "Acme - W-2 2007 - LEE, Ann - 6789 (3).pdf");
  EXPECT_EQ(files[1].payee, 2);
  EXPECT_EQ(files[1].form, 1u);
}

TEST(PayeeFiles, DefaultPasswordIsTheLastFourDigitsAndTheZipCode) {
  EXPECT_EQ(DefaultPayeePassword("123-45-6789", "60601-1234"), "678960601");
  EXPECT_EQ(DefaultPayeePassword("12-3456789", "02101"), "678902101");
  EXPECT_EQ(DefaultPayeePassword("123-45-6789", "0210"), std::nullopt);
  EXPECT_EQ(DefaultPayeePassword("123", "02101"), std::nullopt);

  test::PrintPayroll payroll(3);
  payroll.employees[1].SetZip("");
  PayeeSource source{PrintForm::W2, "Acme", &payroll.company, &payroll.employees, &payroll.forms, nullptr,
                     nullptr, payroll.order};
  const auto files = PlanPayeeFiles(source);
  std::vector<std::string> problems;
  EXPECT_TRUE(PayeeFilePasswords(PrintForm::W2, files, nullptr, problems).empty());
  EXPECT_EQ(problems, std::vector<std::string>{"The employee Lee2, Ann (SSN 123-45-6782) has no ZIP code of five "
                                               "digits to make the password of."});
  payroll.employees[1].SetZip("02109");
  problems.clear();
  EXPECT_EQ(PayeeFilePasswords(PrintForm::W2, PlanPayeeFiles(source), nullptr, problems),
            (std::vector<std::string>{"678102101", "678202109", "678302101"}));
  EXPECT_TRUE(problems.empty());
}

TEST(PayeeFiles, PasswordsFromATableMatchPayeesByTheirNumbersDigits) {
  const std::vector<std::string> header{"Name", "Employee's SSN", "Social Security Number", "PIN", "Password"};
  const std::vector<std::vector<std::string>> rows{
      {"Ann", "", "123456781", "p1", "secret one"},
      {"Bob", "", "123-45-6782", "p2", ""},  // no password: none
      {"Cy", "", "123 45 6781", "p1", "secret one"},  // the same again is no conflict
      {"short row"},
  };
  std::string problem;
  auto table = PayeePasswords::FromTable(header, rows, "", problem);
  ASSERT_TRUE(table) << problem;
  EXPECT_EQ(table->For("123-45-6781"), "secret one");
  EXPECT_EQ(table->For("123-45-6782"), std::nullopt);
  EXPECT_EQ(table->For("999-99-9999"), std::nullopt);
  EXPECT_EQ(table->For(""), std::nullopt);
  // Another column, named in any case.
  table = PayeePasswords::FromTable(header, rows, "pin", problem);
  ASSERT_TRUE(table) << problem;
  EXPECT_EQ(table->For("123456782"), "p2");

  test::PrintPayroll payroll(2);
  PayeeSource source{PrintForm::W2, "Acme", &payroll.company, &payroll.employees, &payroll.forms, nullptr,
                     nullptr, payroll.order};
  std::vector<std::string> problems;
  table = PayeePasswords::FromTable(header, rows, "", problem);
  EXPECT_TRUE(PayeeFilePasswords(PrintForm::W2, PlanPayeeFiles(source), &*table, problems).empty());
  EXPECT_EQ(problems, std::vector<std::string>{
                          "The employee Lee2, Ann (SSN 123-45-6782) has no password in the password file."});

  struct Refusal {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::string column;
    std::string problem;
  };
  const Refusal refusals[] = {
      {{"Name", "Password"}, {}, "", "The password file has no column of social security or identification "
                                     "numbers: its header needs a column named \"SSN\" or \"TIN\"."},
      {{"TIN", "Secret"}, {}, "", "The password file has no column named \"Password\"."},
      {{"TIN", "Password"}, {}, "Code", "The password file has no column named \"Code\"."},
      {{"TIN", "Password"}, {{"12-3456789", "one"}, {"123456789", "two"}}, "",
       "The password file gives the number 123456789 two different passwords."},
      {{"TIN", "Password"}, {{"12-3456789", std::string(128, 'x')}}, "",
       "The password of row 1 of the password file is longer than 127 bytes, more than a PDF file takes."},
  };
  for (const Refusal& r : refusals) {
    problem.clear();
    EXPECT_FALSE(PayeePasswords::FromTable(r.header, r.rows, r.column, problem));
    EXPECT_EQ(problem, r.problem);
  }
}

}  // namespace
}  // namespace formet
