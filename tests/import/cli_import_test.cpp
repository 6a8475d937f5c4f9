// formet-cli import, end to end on spreadsheet files: the checks of every
// assigned column, the required fields, the rows saved and reported.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "forms/1099/form1096_totals.h"
#include "forms/w2/w3_totals.h"
#include "store/company_database.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

class CliImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto r = Cli({"new", "Acme"});
    ASSERT_EQ(r.code, 0) << r.err;
  }
  test::CliResult Cli(std::vector<std::string> args) { return test::RunCli(dir.path(), std::move(args)); }
  std::string Data(const std::string& name) { return test::TestData("import/" + name).string(); }
  template <class R>
  std::vector<R> Read(int (CompanyDatabase::*read)(std::vector<R>&)) {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / "Acme.qdt"), 0);
    std::vector<R> list;
    EXPECT_EQ((db.*read)(list), 0);
    return list;
  }
  test::TempDir dir;
};

TEST_F(CliImportTest, AnExcelFileWithFieldNamesAsHeaders) {
  const auto r = Cli({"import", "w2", "Acme", Data("w2-excel-utf8.csv"), "--auto-map"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added 3 employees with their W-2s.\n");
  const auto employees = Read(&CompanyDatabase::ReadEmployees);
  ASSERT_EQ(employees.size(), 3u);
  EXPECT_EQ(employees[0].FirstName, "Jos\xE9");
  EXPECT_EQ(employees[0].LastName, "O'Brien");
  EXPECT_EQ(employees[0].Address1, "12 Rue de l'\xC9glise, Apt 3");
  EXPECT_EQ(employees[0].City, "Montr\xE9" "al");
  EXPECT_EQ(employees[1].FirstName, "Zo\xEB");
  EXPECT_EQ(employees[1].Address1, "\"The Oaks\", Unit 5");
  EXPECT_EQ(employees[1].Zip, "62701-0001");
  const auto forms = Read(&CompanyDatabase::ReadW2Forms);
  ASSERT_EQ(forms.size(), 3u);
  EXPECT_EQ(forms[0].Field12aCode, "D");
  EXPECT_EQ(forms[0].Field12bCode, "0");  // aa, held as AA is
  EXPECT_EQ(forms[0].StateID1, "12-3456789");
  EXPECT_EQ(forms[1].Wages, "1500.00");  // 1.5E+03
  EXPECT_EQ(forms[1].FederalIncomeTaxWithdrawal, "5.00");  // +5
  EXPECT_EQ(forms[2].Field12aCode, "1");  // BB
  EXPECT_EQ(forms[2].Wages, "97600.10");
  // The W-3 sums what was imported.
  const W3Totals w3 = ComputeW3Totals(forms);
  EXPECT_EQ(w3.formCount, 3);
  EXPECT_EQ(w3.box[1], 15110010);  // 52000 + 1.5E+03 + 97600.10
  EXPECT_EQ(w3.box[2], 1810550);   // 6100.5 + +5 + 12000
  EXPECT_EQ(w3.deferredCompensation, 392000);  // D 2500, AA 120, BB 300, E 1000
  EXPECT_EQ(w3.stateWages, 5350000);

  // Importing the same file again: every column that names a number the
  // company holds is refused, and nothing is loaded twice.
  const auto again = Cli({"import", "w2", "Acme", Data("w2-excel-utf8.csv"), "--auto-map"});
  EXPECT_EQ(again.code, 1);
  EXPECT_NE(again.err.find("The company already includes an employee with the social security # : 123-45-6789."),
            std::string::npos);
  EXPECT_EQ(Read(&CompanyDatabase::ReadEmployees).size(), 3u);
}

TEST_F(CliImportTest, EveryRefusedColumnIsReportedAndNothingLoaded) {
  const auto r = Cli({"import", "w2", "Acme", Data("w2-semicolon-1252.csv"), "--delimiter", "semicolon", "--map",
                      "SSN=Employee Social Security Number (SSN).", "--map", "2=employee first name", "--map",
                      "Nachname=Employee Last Name.", "--map", "Lohn=Box 1 (Wages, Tips and Other Compensation)",
                      "--map", "Staat=Employee State Abbreviation.", "--map", "Code 12a=Box 12a Code", "--map",
                      "Rente=Retirement plan"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  for (const char* expected : {
           "The data in column 4 (\"Lohn\") can't be used as \"Box 1 (Wages, Tips and Other Compensation)\" data.\n"
           "The following errors were detected:\n\n(1)  Row #: 3\n\nError #1: Field has to be a number: \"1,250.00\" "
           "can\xE2\x80\x99t be interpreted as a numeric value\n",
           "Error #1: \"pa\" is not a valid state abbreviation.",
           "Error #1: Field too long: \"Box 12a Code\" can't be more than 1 characters long.",
           "Error #1: The field \"Retirement Plan\" can only be set to 0 or 1.",
           "formet-cli: nothing was imported.\n"})
    EXPECT_NE(r.err.find(expected), std::string::npos) << expected << "\n---\n" << r.err;
  EXPECT_TRUE(Read(&CompanyDatabase::ReadEmployees).empty());
}

TEST_F(CliImportTest, AWindows1252FileWithItsOwnHeaders) {
  // The rows of the semicolon file that pass, with its last row cut off.
  auto bytes = test::ReadBytes(Data("w2-semicolon-1252.csv"));
  bytes.resize(bytes.rfind("678-90"));
  test::WriteBytes(dir / "two.csv", bytes);
  const auto r = Cli({"import", "w2", "Acme", (dir / "two.csv").string(), "--delimiter=semicolon", "--map",
                      "SSN=Employee Social Security Number (SSN).", "--map", "Vorname=Employee First Name.", "--map",
                      "3=Employee Last Name.", "--map", "Lohn=Box 1 (Wages, Tips and Other Compensation)"});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto employees = Read(&CompanyDatabase::ReadEmployees);
  ASSERT_EQ(employees.size(), 2u);
  EXPECT_EQ(employees[0].FirstName, "J\xFCrgen");
  EXPECT_EQ(employees[1].FirstName, "\xC6gir");
  EXPECT_EQ(employees[1].LastName, "\xD3 S\xFAilleabh\xE1in; Jr");
}

TEST_F(CliImportTest, A1099FileWithARowWithoutNumber) {
  const auto r = Cli({"import", "1099", "Acme", Data("1099-libreoffice.csv"), "--auto-map"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "Added 2 contractors with their 1099-MISCs.\n\n1 row was not loaded:\n"
            "Row 3: Pease fill in the 'Contractor's identification number' Field\n");
  const auto contractors = Read(&CompanyDatabase::ReadContractors);
  ASSERT_EQ(contractors.size(), 2u);
  EXPECT_EQ(contractors[0].NameLine1, "Bolt \"Sparky\" Electric, LLC");
  EXPECT_EQ(contractors[0].NameLine2, "Attn: Ren\xE9" "e C\xF4t\xE9");
  EXPECT_EQ(contractors[1].SecondTIN, 1);
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
  std::vector<Form1099Record> forms;
  ASSERT_EQ(db.ReadForms1099(forms, contractors), 0);
  // The 1096 sums what was imported: box 7 15250.00, box 14 4200.75.
  const Form1096Totals totals = Compute1096Totals(forms);
  EXPECT_EQ(totals.formCount, 2);
  EXPECT_EQ(totals.totalReported, 1945075);
  EXPECT_EQ(forms[1].PayerMadeDirectSales, 1);
}

TEST_F(CliImportTest, RequiredFieldsAndWrongArguments) {
  auto r = Cli({"import", "w2", "Acme", Data("w2-semicolon-1252.csv"), "--delimiter", "semicolon", "--map",
                "SSN=Employee Social Security Number (SSN)."});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "formet-cli: the required field \"Employee First Name.\" has no column (assign it with --map, or "
            "--auto-map)\nformet-cli: the required field \"Employee Last Name.\" has no column (assign it with --map, "
            "or --auto-map)\nformet-cli: nothing was imported.\n");

  struct Case {
    std::vector<std::string> args;
    int code;
    std::string err;
  };
  const std::string file = Data("w2-excel-utf8.csv");
  test::WriteBytes(dir / "header-only.csv",
                   "Employee Social Security Number (SSN).,Employee First Name.,Employee Last Name.\r\n");
  const Case cases[] = {
      {{"import", "w2", "Acme", (dir / "header-only.csv").string(), "--auto-map"}, 1,
       "formet-cli: The file holds no rows below its header line: there is nothing to import.\n"},
      {{"import", "w3", "Acme", file}, 2, "formet-cli: import takes w2 or 1099"},
      {{"import", "w2", "Acme", file, "--delimiter", "pipe"}, 2, "formet-cli: --delimiter is comma, semicolon or tab"},
      {{"import", "w2", "Acme", file, "--map", "Nowhere=Employee Last Name."}, 2,
       "formet-cli: --map \"Nowhere=Employee Last Name.\": the file has no column \"Nowhere\""},
      {{"import", "w2", "Acme", file, "--map", "1=No such field"}, 2,
       "formet-cli: --map \"1=No such field\": there is no field"},
      {{"import", "w2", "Acme", file, "--map", "1=Employee Last Name.", "--map", "2=Employee Last Name."}, 2,
       "formet-cli: --map \"2=Employee Last Name.\": that field is given a column twice"},
      {{"import", "w2", "Nobody", file}, 1, "formet-cli: there is no company \"Nobody\""},
      {{"import", "w2", "Acme", (dir / "missing.csv").string()}, 1,
       "formet-cli: Couldn't open source file: No such file or directory"},
  };
  for (const auto& c : cases) {
    r = Cli(c.args);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
  }

  r = Cli({"import", "1099", "--fields"});
  EXPECT_EQ(r.code, 0);
  EXPECT_TRUE(r.out.starts_with("Recipient Information:\n  Recipient's Identification number   (required)\n"));
}

}  // namespace
}  // namespace formet
