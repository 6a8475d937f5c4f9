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
  // Each part is somewhere in the text.
  static void ExpectEach(const std::string& text, const std::vector<std::string>& parts) {
    for (const auto& part : parts) EXPECT_NE(text.find(part), std::string::npos) << part << "\n---\n" << text;
  }
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
  EXPECT_EQ(employees[0].FirstName(), "Jos\xE9");
  EXPECT_EQ(employees[0].LastName(), "O'Brien");
  // The typographic apostrophe spreadsheets type: no refused character.
  EXPECT_EQ(employees[0].Address1(), "12 Rue de l\x92\xC9glise, Apt 3");
  EXPECT_EQ(employees[0].City(), "Montr\xE9" "al");
  EXPECT_EQ(employees[1].FirstName(), "Zo\xEB");
  EXPECT_EQ(employees[1].Address1(), "The Oaks, Unit 5");
  EXPECT_EQ(employees[1].Zip(), "62701-0001");
  const auto forms = Read(&CompanyDatabase::ReadW2Forms);
  ASSERT_EQ(forms.size(), 3u);
  EXPECT_EQ(forms[0].Field12aCode(), "D");
  EXPECT_EQ(forms[0].Field12bCode(), "0");  // aa, held as AA is
  EXPECT_EQ(forms[0].StateID1(), "12-3456789");
  EXPECT_EQ(forms[1].Wages(), "1500.00");  // 1.5E+03
  EXPECT_EQ(forms[1].FederalIncomeTaxWithdrawal(), "5.00");  // +5
  EXPECT_EQ(forms[2].Field12aCode(), "1");  // BB
  EXPECT_EQ(forms[2].Wages(), "97600.10");
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
  ExpectEach(r.err, {
      "The data in column 5 (\"Staat\") can't be used as \"Employee State Abbreviation.\" data.\n"
      "The following errors were detected:\n\n(1)  Row #: 3\n\nError #1: \"pa\" is not a valid state "
      "abbreviation.\n",
      "Error #1: Field too long: \"Box 12a Code\" can't be more than 1 characters long.",
      "Error #1: The field \"Retirement Plan\" can only be set to 0 or 1.",
      "formet-cli: nothing was imported.\n"});
  // "1,250.00" is an amount as spreadsheets write it: its column passes.
  EXPECT_EQ(r.err.find("\"Lohn\""), std::string::npos) << r.err;
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
  EXPECT_EQ(employees[0].FirstName(), "J\xFCrgen");
  EXPECT_EQ(employees[1].FirstName(), "\xC6gir");
  EXPECT_EQ(employees[1].LastName(), "\xD3 S\xFAilleabh\xE1in; Jr");
}

// A 1099 file as LibreOffice saves it: its names hold characters the
// Contractor dialog refuses (the quotes of Bolt "Sparky" Electric, the colon
// of "Attn:"), which the import stored as they were; and a row without number.
TEST_F(CliImportTest, A1099FileWithRefusedNamesAndARowWithoutNumber) {
  auto r = Cli({"import", "1099", "Acme", Data("1099-libreoffice.csv"), "--auto-map"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  ExpectEach(r.err, {
      "The data in column 2 (\"Recipient's Name (Line One)\") can't be used as \"Recipient's Name (Line One)\" "
      "data.\nThe following errors were detected:\n\n(1)  Row #: 1\n\nError #1: \"Bolt \"Sparky\" Electric, "
      "LLC\" cannot be stored. This field does not take the character \" (not allowed: % * \" + ? > < : \\).\n",
      "can't be used as \"Recipient's Name (Line Two)\" data.\nThe following errors were detected:\n\n(1)  Row "
      "#: 1\n\nError #1: \"Attn: Ren\u00e9e C\u00f4t\u00e9\" cannot be stored. This field does not take the "
      "character : (not allowed: % * \" + ? > < : \\).\n",
      "formet-cli: nothing was imported.\n"});
  EXPECT_TRUE(Read(&CompanyDatabase::ReadContractors).empty());

  r = Cli({"import", "1099", "Acme", Data("1099-libreoffice.csv"), "--auto-map", "--skip-bad-rows"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added 1 contractor with its 1099-MISC.\n");
  EXPECT_NE(r.err.find("2 rows were not loaded:\n"
                       "Row 1, column 2 (\"Recipient's Name (Line One)\"), \"Bolt \"Sparky\" Electric, LLC\": \"Bolt "
                       "\"Sparky\" Electric, LLC\" cannot be stored."),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("\nRow 1, column 3 (\"Recipient's Name (Line Two)\"), \"Attn: Ren\u00e9e C\u00f4t\u00e9\": "),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("\nRow 3: Pease fill in the 'Contractor's identification number' Field\n"), std::string::npos)
      << r.err;
  const auto contractors = Read(&CompanyDatabase::ReadContractors);
  ASSERT_EQ(contractors.size(), 1u);
  EXPECT_EQ(contractors[0].NameLine1(), "Smith & Wesson Law");
  EXPECT_EQ(contractors[0].SecondTIN, 1);
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
  std::vector<Form1099Record> forms;
  ASSERT_EQ(db.ReadForms1099(forms, contractors), 0);
  // The 1096 sums what was imported: box 14 4200.75.
  const Form1096Totals totals = Compute1096Totals(forms);
  EXPECT_EQ(totals.formCount, 1);
  EXPECT_EQ(totals.totalReported, 420075);
  EXPECT_EQ(forms[0].PayerMadeDirectSales, 1);
}

// The import points end to end, as a user runs them on the files of
// tests/data/import: each says what is wrong, and nothing is stored wrong.
const std::vector<std::string> kMaps = {"--map", "SSN=Employee Social Security Number (SSN).", "--map",
                                        "First=Employee First Name.", "--map", "Last=Employee Last Name.", "--map",
                                        "Wages=Box 1 (Wages, Tips and Other Compensation)"};

std::vector<std::string> ImportArgs(const std::string& flavour, const std::string& file,
                                    std::vector<std::string> more = {}) {
  std::vector<std::string> args = {"import", flavour, "Acme", file};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

TEST_F(CliImportTest, BadRowsAreNeverLoadedAndTheGoodRowsCanBe) {
  // A quote left open at the end of the file: "Al,2000" was stored as a first
  // name, with wages 0.00 and "Added 2 employees".
  auto r = Cli(ImportArgs("w2", Data("w2-open-quote.csv"), kMaps));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Row 2: A quote (\") opened in column 3 is never closed"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("formet-cli: nothing was imported.\nformet-cli: --skip-bad-rows loads"), std::string::npos);
  EXPECT_TRUE(Read(&CompanyDatabase::ReadEmployees).empty());

  // An unquoted thousands separator (row 4) and a negative in parentheses
  // (row 3): the Wages column is refused, the file not loaded.
  r = Cli(ImportArgs("w2", Data("w2-good-and-bad-rows.csv"), kMaps));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Row 4: The row holds 6 values where the header line has 5 columns"), std::string::npos);
  EXPECT_NE(r.err.find("The data in column 4 (\"Wages\") can't be used as \"Box 1 (Wages, Tips and Other "
                       "Compensation)\" data.\nThe following errors were detected:\n\n(1)  Row #: 3\n\nError #1: "
                       "Negative amounts in parentheses are not read: \"(500.00)\"."),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(Read(&CompanyDatabase::ReadEmployees).empty());

  // --skip-bad-rows: the good rows are loaded, every other row is listed on
  // standard error with its column, value and reason, and the exit code is 0.
  auto args = kMaps;
  args.push_back("--skip-bad-rows");
  r = Cli(ImportArgs("w2", Data("w2-good-and-bad-rows.csv"), args));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added 2 employees with their W-2s.\n");
  EXPECT_NE(r.err.find("2 rows were not loaded:\n"
                       "Row 3, column 4 (\"Wages\"), \"(500.00)\": Negative amounts in parentheses are not read: "
                       "\"(500.00)\". Write a negative amount with a minus sign (-500.00), if the form is to carry "
                       "one.\n"
                       "Row 4, column 6, \"ok\": The row holds 6 values where the header line has 5 columns: a "
                       "separator inside a value that is not in quotes (such as the comma of 1,234.50) splits the "
                       "value, and the values after it are not in their columns.\n"),
            std::string::npos)
      << r.err;
  const auto employees = Read(&CompanyDatabase::ReadEmployees);
  ASSERT_EQ(employees.size(), 2u);
  EXPECT_EQ(employees[1].FirstName(), "Bob");
  const auto forms = Read(&CompanyDatabase::ReadW2Forms);
  // "$31,250.00" and "31,250.00", as spreadsheets save them.
  EXPECT_EQ(forms[0].Wages(), "31250.00");
  EXPECT_EQ(forms[1].Wages(), "31250.00");

  // The same file again: the good rows' numbers are the company's now, so no
  // row is left to load, and the exit code is 1.
  r = Cli(ImportArgs("w2", Data("w2-good-and-bad-rows.csv"), args));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.starts_with("formet-cli: 1 row cannot be read"));
  EXPECT_NE(r.err.find("formet-cli: Nothing was imported: every row of the file holds a value that cannot be used.\n"
                       "4 rows were not loaded:\nRow 1, column 1 (\"SSN\"), \"111-22-3333\": Duplicated social "
                       "security number."),
            std::string::npos)
      << r.err;
  EXPECT_EQ(Read(&CompanyDatabase::ReadEmployees).size(), 2u);
}

// Every way in keeps the pages' rules: a file whose values the Employee
// dialog and the W-2 page would refuse (a quote or a colon in a name, an
// apostrophe in an address, a zip code that is no zip code, a box 12 code
// without its amount or an amount without its code, a number never issued,
// a name too long, a percent sign in box 14) stores nothing, each refusal
// named by row with its reason; with --skip-bad-rows only the good rows.
TEST_F(CliImportTest, ValuesTheFormPagesRefuseAreRefusedByRow) {
  const std::vector<std::string> maps = {
      "--map", "SSN=Employee Social Security Number (SSN).", "--map", "First=Employee First Name.",
      "--map", "Last=Employee Last Name.", "--map", "Address=Employee Address 1.", "--map", "Zip=Employee Zip Code.",
      "--map", "Code 12a=Box 12a Code", "--map", "Amount 12a=Box 12a Amount", "--map", "Other=Other Line 1"};
  const std::string file = Data("w2-refused-values.csv");
  auto r = Cli(ImportArgs("w2", file, maps));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  const std::string names = " (not allowed: % * \" + ? > < : \\).";
  const std::string texts = " (not allowed: % ' * \" + ? > < : \\).";
  const std::string rule = "\n" + std::string(166, '_') + "\n";
  ExpectEach(r.err, {
      "can't be used as \"Employee Social Security Number (SSN).\" data.\nThe following errors were detected:\n\n"
      "(1)  Row #: 8\n\nError #1: \"000-12-4410\" is not a social security number: none is issued with area "
      "000, 666 or 900-999",
      "The data in column 2 (\"First\") can't be used as \"Employee First Name.\" data.\nThe following errors "
      "were detected:\n\n(1)  Row #: 2\n\nError #1: \"Ann \"Red\"\" cannot be stored. This field does not take "
      "the character \"" + names + "\n\n",
      "can't be used as \"Employee Last Name.\" data.\nThe following errors were detected:\n\n(1)  Row #: 3\n\n"
      "Error #1: \"Kim: Jr\" cannot be stored. This field does not take the character :" + names + rule +
          "\n(2)  Row #: 10\n\nError #1: Field too long: last name can't be more than 20 characters long.\n\n",
      "can't be used as \"Employee Address 1.\" data.\nThe following errors were detected:\n\n(1)  Row #: 4\n\n"
      "Error #1: \"5 O'Hare Dr\" cannot be stored. This field does not take the character '" + texts + "\n\n",
      "can't be used as \"Employee Zip Code.\" data.\nThe following errors were detected:\n\n(1)  Row #: 5\n\n"
      "Error #1: \"1000A\" cannot be stored. It does not fit the pattern #####-#### (the character \"A\").\n\n",
      "can't be used as \"Box 12a Code\" data.\nThe following errors were detected:\n\n(1)  Row #: 9\n\n"
      "Error #1: \"I\" is not a box 12 code of the 2007 Form W-2.",
      "can't be used as \"Other Line 1\" data.\nThe following errors were detected:\n\n(1)  Row #: 11\n\n"
      "Error #1: \"50% off\" cannot be stored. This field does not take the character %" + texts + "\n\n",
      "formet-cli: nothing was imported.\n"});
  EXPECT_EQ(r.err.find("\"Amount 12a\""), std::string::npos) << r.err;  // its values are amounts
  EXPECT_TRUE(Read(&CompanyDatabase::ReadEmployees).empty());

  auto args = maps;
  args.push_back("--skip-bad-rows");
  r = Cli(ImportArgs("w2", file, args));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added 2 employees with their W-2s.\n");
  EXPECT_EQ(r.err,
            "10 rows were not loaded:\n"
            "Row 2, column 2 (\"First\"), \"Ann \"Red\"\": \"Ann \"Red\"\" cannot be stored. This field does not take "
            "the character \"" + names + "\n"
            "Row 3, column 3 (\"Last\"), \"Kim: Jr\": \"Kim: Jr\" cannot be stored. This field does not take the "
            "character :" + names + "\n"
            "Row 4, column 4 (\"Address\"), \"5 O'Hare Dr\": \"5 O'Hare Dr\" cannot be stored. This field does not "
            "take the character '" + texts + "\n"
            "Row 5, column 5 (\"Zip\"), \"1000A\": \"1000A\" cannot be stored. It does not fit the pattern #####-#### "
            "(the character \"A\").\n"
            "Row 6, column 6 (\"Code 12a\"), \"E\": Box 12a has the code E but no amount: please enter the amount, or "
            "clear the code.\n"
            "Row 7, column 7 (\"Amount 12a\"), \"250\": Box 12a has an amount but no code: please enter the code the "
            "amount is for, or clear the amount.\n"
            "Row 8, column 1 (\"SSN\"), \"000-12-4410\": \"000-12-4410\" is not a social security number: none is "
            "issued with area 000, 666 or 900-999 (the first three digits), group 00 (the middle two) or serial 0000 "
            "(the last four).\n"
            "Row 9, column 6 (\"Code 12a\"), \"I\": \"I\" is not a box 12 code of the 2007 Form W-2.\n\nThe valid "
            "codes are A through H, J through N, P through T, V, W, Y, Z, AA and BB.\n"
            "Row 10, column 3 (\"Last\"), \"Abcdefghijklmnopqrstu\": Field too long: last name can't be more than 20 "
            "characters long.\n"
            "Row 11, column 8 (\"Other\"), \"50% off\": \"50% off\" cannot be stored. This field does not take the "
            "character %" + texts + "\n");
  const auto employees = Read(&CompanyDatabase::ReadEmployees);
  ASSERT_EQ(employees.size(), 2u);
  EXPECT_EQ(employees[0].LastName(), "O'Malley");  // one apostrophe, as in the file
  EXPECT_EQ(employees[1].LastName(), "D'Arcy");
  EXPECT_EQ(employees[1].Zip(), "60601-1234");
  const auto forms = Read(&CompanyDatabase::ReadW2Forms);
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].Field12aCode(), "D");
  EXPECT_EQ(forms[0].Field12aAmount(), "1500.00");
  EXPECT_EQ(forms[0].Other1(), "UNION DUES");
  EXPECT_EQ(forms[1].Field12aCode(), "0");  // AA
  EXPECT_EQ(forms[1].Field12aAmount(), "120.00");

  // Columns that all pass, with a code whose amount is missing: no column is
  // refused, the row is, and nothing is stored.
  test::WriteBytes(dir / "unpaired.csv",
                   "SSN,First,Last,Code,Amount\n222-33-4441,Sean,Lee,D,\n222-33-4442,Ann,Kim,D,10\n");
  r = Cli(ImportArgs("w2", (dir / "unpaired.csv").string(),
                     {"--map", "SSN=Employee Social Security Number (SSN).", "--map", "First=Employee First Name.",
                      "--map", "Last=Employee Last Name.", "--map", "Code=Box 12a Code", "--map",
                      "Amount=Box 12a Amount"}));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "formet-cli: Nothing was imported: a row of the file holds values that do not go together.\n"
            "Row 1, column 4 (\"Code\"), \"D\": Box 12a has the code D but no amount: please enter the amount, or "
            "clear the code.\n"
            "formet-cli: --skip-bad-rows loads the rows whose values pass and lists the others\n");
  EXPECT_EQ(Read(&CompanyDatabase::ReadEmployees).size(), 2u);
}

TEST_F(CliImportTest, AmountsKeepTheFormsLimits) {
  auto r = Cli(ImportArgs("w2", Data("w2-huge-amounts.csv"), kMaps));
  EXPECT_EQ(r.code, 1);
  for (const char* expected :
       {"(1)  Row #: 1\n\nError #1: Amount too large: \"99999999999999999999\" has more than 9 whole digits, more "
        "than any box of the form holds.",
        "(3)  Row #: 3\n\nError #1: Amount too large: \"1.0e39\""})
    EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
  EXPECT_TRUE(Read(&CompanyDatabase::ReadEmployees).empty());

  auto args = kMaps;
  args.push_back("--skip-bad-rows");
  r = Cli(ImportArgs("w2", Data("w2-huge-amounts.csv"), args));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added 1 employee with its W-2.\n");
  EXPECT_EQ(Read(&CompanyDatabase::ReadW2Forms)[0].Wages(), "999999999.99");
  r = Cli({"w3", "Acme"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"1\": \"999999999.99\""), std::string::npos) << r.out;

  r = Cli(ImportArgs("1099", Data("1099-huge-amounts.csv"),
                     {"--map", "TIN=Recipient's Identification number", "--map", "Name=Recipient's Name (Line One)",
                      "--map", "Rents=Box 1 (Rents)", "--map", "4=Box 7 (Nonemployee compensation)"}));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("The data in column 3 (\"Rents\") can't be used as \"Box 1 (Rents)\" data."),
            std::string::npos);
  EXPECT_NE(r.err.find("The data in column 4 (\"Nonemployee compensation\") can't be used"), std::string::npos);
  EXPECT_TRUE(Read(&CompanyDatabase::ReadContractors).empty());
}

// Company files that hold such amounts already (an earlier import stored
// 99999999999999999999 as 92233720368547757.00): the W-3 page says its total
// cannot be held, and the W-3 is not printed.
TEST_F(CliImportTest, TotalsOfStoredAmountsTooLargeAreNeverShownNorPrinted) {
  ASSERT_EQ(Cli(ImportArgs("w2", Data("w2-good-and-bad-rows.csv"), [] {
              auto args = kMaps;
              args.push_back("--skip-bad-rows");
              return args;
            }())).code,
            0);
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
    std::vector<W2Record> forms;
    ASSERT_EQ(db.ReadW2Forms(forms), 0);
    for (auto& w : forms) {
      w.SetWages("92233720368547757.00");
      ASSERT_EQ(db.UpdateW2(w), 0);
    }
  }
  auto r = Cli({"w3", "Acme"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("\"1\": \"too large\""), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("formet-cli: The total of box 1 of the W-3 is too large to be held"), std::string::npos);
  r = Cli({"print", "w3", "Acme", "--out", (dir / "w3.pdf").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("formet-cli: The W-3 was not printed.\n\nThe total of box 1"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "w3.pdf"));
}

// A UTF-8 file with a few Windows-1252 bytes: "José" was stored "JosÃ©". Lines
// ending in a lone CR were one line.
TEST_F(CliImportTest, EncodingAndLineEnds) {
  auto r = Cli(ImportArgs("w2", Data("w2-utf8-bad-bytes.csv"), kMaps));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("formet-cli: The file is read as UTF-8 text, which it is but for a few bytes: rows 2 and 4 "
                       "hold bytes that are not UTF-8."),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(Read(&CompanyDatabase::ReadEmployees).empty());
  auto args = kMaps;
  args.push_back("--skip-bad-rows");
  r = Cli(ImportArgs("w2", Data("w2-utf8-bad-bytes.csv"), args));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.err.find("Row 2, column 2 (\"First\"), \"Ren?\": The value holds bytes that are not UTF-8 text"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("Row 4, column 3 (\"Last\"), \"D?rr\""), std::string::npos) << r.err;
  auto employees = Read(&CompanyDatabase::ReadEmployees);
  ASSERT_EQ(employees.size(), 2u);
  EXPECT_EQ(employees[0].FirstName(), "Jos\xE9");
  EXPECT_EQ(employees[1].FirstName(), "Zo\xEB");

  r = Cli(ImportArgs("w2", Data("w2-cr-lines.csv"), kMaps));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Added 2 employees with their W-2s.\n");
  employees = Read(&CompanyDatabase::ReadEmployees);
  ASSERT_EQ(employees.size(), 4u);
  EXPECT_EQ(employees[3].LastName(), "Kim");
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
