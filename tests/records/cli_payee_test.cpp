// formet-cli add-employee and add-contractor, end to end on a scratch data folder.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "store/company_database.h"
#include "cli_runner.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using Result = test::CliResult;
inline Result Cli(const fs::path& dataDir, std::vector<std::string> args) { return test::RunCli(dataDir, std::move(args)); }

class CliPayeeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto r = Cli(dir.path(), {"new", "Acme"});
    ASSERT_EQ(r.code, 0) << r.err;
  }
  template <class R>
  std::vector<R> Read(int (CompanyDatabase::*read)(std::vector<R>&)) {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / "Acme.qdt"), 0);
    std::vector<R> list;
    EXPECT_EQ((db.*read)(list), 0);
    return list;
  }
  std::vector<Form1099Record> Forms1099() {
    const auto contractors = Read(&CompanyDatabase::ReadContractors);
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / "Acme.qdt"), 0);
    std::vector<Form1099Record> list;
    EXPECT_EQ(db.ReadForms1099(list, contractors), 0);
    return list;
  }
  TempDir dir;
};

TEST_F(CliPayeeTest, AddEmployeeStoresWhatTheDialogWould) {
  auto r = Cli(dir.path(), {"add-employee", "Acme", "--ssn", "123456789", "--first", "Bartholomew-Fitzgera",
                            "--middle", "QR", "--last", "Caf\xC3\xA9", "--suffix=III", "--address1", "1 Main St",
                            "--city", "Springfield", "--state", "il", "--zip", "627010001"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added employee 1 (Bartholomew-Fitzgera QR Caf\xC3\xA9 III, 123-45-6789) with a blank W-2 to Acme.\n");
  EXPECT_EQ(r.err, "");

  r = Cli(dir.path(), {"add-employee", "acme", "--ssn", "587-65-4321", "--first", "Jo", "--last", "O'Brien"});
  ASSERT_EQ(r.code, 0) << r.err;  // company names match without regard to case

  const auto employees = Read(&CompanyDatabase::ReadEmployees);
  ASSERT_EQ(employees.size(), 2u);
  const auto& e = employees[0];
  EXPECT_EQ(e.EmployeeUniqueID, 1);
  EXPECT_EQ(e.SocialSecurityNumber(), "123-45-6789");
  EXPECT_EQ(e.FirstName(), "Bartholomew-Fitzgera");  // 20, as many as the field takes
  EXPECT_EQ(e.MiddleName(), "QR");
  EXPECT_EQ(e.LastName(), "Caf\xE9");                // Windows-1252 in the file
  EXPECT_EQ(e.Suffix(), "III");
  EXPECT_EQ(e.Address1(), "1 Main St");
  EXPECT_EQ(e.City(), "Springfield");
  EXPECT_EQ(e.State(), "IL");
  EXPECT_EQ(e.Zip(), "62701-0001");
  EXPECT_EQ(employees[1].EmployeeUniqueID, 2);
  EXPECT_EQ(employees[1].LastName(), "O'Brien");  // the name as the SSA has it

  const auto forms = Read(&CompanyDatabase::ReadW2Forms);
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].EmployeeUniqueID, 1);
  EXPECT_EQ(forms[1].EmployeeUniqueID, 2);
  EXPECT_EQ(forms[1].W2UniqueID, 2);

  // dump reads the same back.
  r = Cli(dir.path(), {"dump", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"LastName\": \"Caf\xC3\xA9\""), std::string::npos);
}

TEST_F(CliPayeeTest, AddContractorStoresWhatTheDialogWould) {
  const std::string longLine = "Northwestern Consolidated Plumbing Sup";  // 39 characters, the most it takes
  auto r = Cli(dir.path(), {"add-contractor", "Acme", "--tin", "12-3456789", "--name1", longLine, "--name2",
                            "Billing Dept", "--second-tin", "--account", "ACCT-0000-00", "--zip", "60601"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added contractor 1 (" + longLine + " / Billing Dept, 12-3456789) with a blank 1099-MISC to Acme.\n");
  const auto contractors = Read(&CompanyDatabase::ReadContractors);
  ASSERT_EQ(contractors.size(), 1u);
  EXPECT_EQ(contractors[0].NameLine1(), longLine);
  EXPECT_EQ(contractors[0].SecondTIN, 1);
  EXPECT_EQ(contractors[0].AccountNumber(), "ACCT-0000-00");
  EXPECT_EQ(contractors[0].Zip(), "60601");
  const auto forms = Forms1099();
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].ContractorUniqueID, 1);
  EXPECT_EQ(forms[0].Form1099UniqueID, 1);

  // Spaces around the number are not part of it; a name line takes the apostrophe.
  r = Cli(dir.path(), {"add-contractor", "Acme", "--tin", " 98-7654321 ", "--name1", "O'Malley Roofing"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added contractor 2 (O'Malley Roofing, 98-7654321) with a blank 1099-MISC to Acme.\n");
  EXPECT_EQ(Read(&CompanyDatabase::ReadContractors)[1].IdentificationNumber(), "98-7654321");
  EXPECT_EQ(Read(&CompanyDatabase::ReadContractors)[1].NameLine1(), "O'Malley Roofing");
}

TEST_F(CliPayeeTest, RefusedInputChangesNothing) {
  ASSERT_EQ(Cli(dir.path(), {"add-employee", "Acme", "--ssn", "111-11-1111", "--first", "A", "--last", "B"}).code, 0);
  ASSERT_EQ(Cli(dir.path(), {"add-contractor", "Acme", "--tin", "11-1111111", "--name1", "C"}).code, 0);
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {{"add-employee", "Acme", "--ssn", "111-11-1111", "--first", "A", "--last", "B"}, 1,
       "Social Security Number already assigned to an existing employee\n"},
      {{"add-employee", "Acme", "--ssn", "111111111", "--first", "A"}, 1,
       "Social Security Number already assigned to an existing employee\n"},
      {{"add-employee", "Acme", "--first", "A", "--last", "B"}, 1,
       "Please fill in the 'Employee's social security number' Field\n"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--last", "B"}, 1,
       "Please fill in the 'Employee's Name(first)' Field\n"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "A", "--last", ""}, 1,
       "Please fill in the 'Employee's Name(last)' Field\n"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "A", "--last", "O\"Neil"}, 1,
       "formet-cli: --last cannot contain the character \"\"\"\n"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "A", "--last", "B", "--suffix", "J'r"}, 1,
       "formet-cli: --suffix cannot contain the character \"'\"\n"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "   ", "--last", "B"}, 1,
       "Please fill in the 'Employee's Name(first)' Field\n"},
      // Numbers that are never issued, and one not complete.
      {{"add-employee", "Acme", "--ssn", "000-12-4410", "--first", "A", "--last", "B"}, 1,
       "\"000-12-4410\" is not a social security number: none is issued with area 000, 666 or 900-999 (the "
       "first three digits), group 00 (the middle two) or serial 0000 (the last four).\n"},
      {{"add-employee", "Acme", "--ssn", "666124410", "--first", "A", "--last", "B"}, 1,
       "\"666-12-4410\" is not a social security number"},
      {{"add-employee", "Acme", "--ssn", "123-00-4410", "--first", "A", "--last", "B"}, 1, "none is issued"},
      {{"add-employee", "Acme", "--ssn", "123-45-0000", "--first", "A", "--last", "B"}, 1, "none is issued"},
      {{"add-employee", "Acme", "--ssn", "912-45-6789", "--first", "A", "--last", "B"}, 1, "none is issued"},
      {{"add-employee", "Acme", "--ssn", "123-45", "--first", "A", "--last", "B"}, 1,
       "The social security number \"123-45\" must have nine digits, written ###-##-####.\n"},
      // Nothing is cut unseen: a text longer than its field is refused.
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "Bartholomew-Fitzgerald Jr", "--last", "B"}, 1,
       "formet-cli: --first is longer than 20 characters\n"},
      {{"add-employee", "Acme", "--ssn", "222-22-22222", "--first", "A", "--last", "B"}, 1,
       "formet-cli: --ssn does not fit the pattern ###-##-####\n"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "\xE4\xB8\xAD", "--last", "B"}, 1,
       "cannot be stored in a company file"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "A", "--last", "B", "--state", "ZZ"}, 1,
       "formet-cli: --state \"ZZ\" is not a state of the list\n"},
      {{"add-employee", "Nobody", "--ssn", "222-22-2222", "--first", "A", "--last", "B"}, 1,
       "there is no company \"Nobody\""},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--nickname", "Al"}, 2, "has no option --nickname"},
      {{"add-employee", "Acme", "--ssn", "222-22-2222", "--ssn", "333-33-3333"}, 2, "--ssn is given twice"},
      {{"add-employee", "Acme", "--first"}, 2, "--first needs a value"},
      {{"add-employee", "--first", "A"}, 2, "needs the name of a company"},
      {{"add-employee", "Acme", "Beta", "--first", "A"}, 2, "one too many"},
      {{"add-contractor", "Acme", "--tin", "11-1111111", "--name1", "D"}, 1,
       "Identification Number already assigned to an existing contractor\n"},
      {{"add-contractor", "Acme", "--tin", "11-1111111 ", "--name1", "D"}, 1,
       "Identification Number already assigned to an existing contractor\n"},
      {{"add-contractor", "Acme", "--tin", " 11-1111111  ", "--name1", "D"}, 1,
       "Identification Number already assigned to an existing contractor\n"},
      {{"add-contractor", "Acme", "--tin", "22-2222222", "--name1", "  "}, 1,
       "Pease fill in the 'Contractor's Name (Line One)' Field\n"},
      {{"add-contractor", "Acme", "--name1", "D"}, 1,
       "Pease fill in the 'Contractor's identification number' Field\n"},
      {{"add-contractor", "Acme", "--tin", "22-2222222", "--name2", "D"}, 1,
       "Pease fill in the 'Contractor's Name (Line One)' Field\n"},
      {{"add-contractor", "Acme", "--tin", "22-2222222", "--name1", "Attn: D"}, 1,
       "formet-cli: --name1 cannot contain the character \":\"\n"},
      {{"add-contractor", "Acme", "--tin", "22-2222222", "--name1", "D", "--account", "ACCT-0000-0001-XYZ"}, 1,
       "formet-cli: --account is longer than 12 characters\n"},
      {{"add-contractor", "Acme", "--tin", "22-2222222", "--name1", "D", "--second-tin=1"}, 2, "takes no value"},
      {{"add-contractor", "Acme", "--tin", "22-2222222", "--name1", "D", "--ssn", "1"}, 2, "has no option --ssn"},
  };
  for (const auto& c : cases) {
    const auto r = Cli(dir.path(), c.args);
    EXPECT_EQ(r.code, c.code) << c.args[1] << " " << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(Read(&CompanyDatabase::ReadEmployees).size(), 1u);
  EXPECT_EQ(Read(&CompanyDatabase::ReadW2Forms).size(), 1u);
  EXPECT_EQ(Read(&CompanyDatabase::ReadContractors).size(), 1u);
  EXPECT_EQ(Forms1099().size(), 1u);
}

TEST_F(CliPayeeTest, UsageNamesBothCommands) {
  const auto r = Cli(dir.path(), {"help"});
  EXPECT_NE(r.out.find("add-employee NAME --ssn SSN --first FIRST --last LAST"), std::string::npos);
  EXPECT_NE(r.out.find("add-contractor NAME --tin TIN --name1 LINE"), std::string::npos);
}

}  // namespace
}  // namespace formet
