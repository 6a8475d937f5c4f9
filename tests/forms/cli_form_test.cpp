// formet-cli set-w2, set-1099, w3 and 1096, end to end on a scratch data folder.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "store/company_database.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

test::CliResult Cli(const fs::path& dataDir, std::vector<std::string> args) {
  return test::RunCli(dataDir, std::move(args));
}

class CliFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::vector<std::string> args : {
             std::vector<std::string>{"new", "Acme"},
             {"add-employee", "Acme", "--ssn", "111-11-1111", "--first", "Ann", "--last", "Lee"},
             {"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "Bo", "--last", "Ray"},
             {"add-contractor", "Acme", "--tin", "12-3456789", "--name1", "Cal Co"},
         }) {
      const auto r = Cli(dir.path(), args);
      ASSERT_EQ(r.code, 0) << r.err;
    }
  }
  std::vector<W2Record> W2s() {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / "Acme.qdt"), 0);
    std::vector<W2Record> list;
    EXPECT_EQ(db.ReadW2Forms(list), 0);
    return list;
  }
  std::vector<Form1099Record> Forms1099() {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / "Acme.qdt"), 0);
    std::vector<ContractorRecord> contractors;
    EXPECT_EQ(db.ReadContractors(contractors), 0);
    std::vector<Form1099Record> list;
    EXPECT_EQ(db.ReadForms1099(list, contractors), 0);
    return list;
  }
  TempDir dir;
};

TEST_F(CliFormTest, SetW2TypesTheBoxesAsThePageDoesAndW3TotalsThem) {
  auto r = Cli(dir.path(), {"set-w2", "Acme", "--ssn", "111111111", "--box", "1=50000", "--box", "3=97500.10",
                            "--box", "5=12.345", "--box", "12a=aa:500", "--box=12b=d:100.5:06", "--box", "13=retirement",
                            "--box", "15=IL:123", "--box", "16.2=7"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Saved the W-2 of Ann Lee (111-11-1111) in Acme.\n");
  EXPECT_EQ(r.err, "'Social security wages' field shouldn't exceed $97500.00\n");

  r = Cli(dir.path(), {"set-w2", "Acme", "--ssn", "222-22-2222", "--box", "3=97500.09", "--box", "12a=BB:0.01",
                       "--box", "12b=E:1"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");

  const auto forms = W2s();
  ASSERT_EQ(forms.size(), 2u);
  const W2Record& a = forms[0];
  EXPECT_EQ(a.Wages(), "50000.00");
  EXPECT_EQ(a.SocialSecurityWages(), "97500.00");  // held to the wage base
  EXPECT_EQ(a.SocialSecurityTaxWithheld(), "6045.00");  // 6.2 % of it
  EXPECT_EQ(a.MedicareWages(), "12.34");                // cut, not rounded
  EXPECT_EQ(a.MedicareTaxWithheld(), "0.18");           // 1.45 %
  EXPECT_EQ(a.Field12aCode(), "0");                     // AA is held as "0"
  EXPECT_EQ(a.Field12bCode(), "D");
  EXPECT_EQ(a.Field12bYear(), "06");
  EXPECT_EQ(a.RetirementPlan, 1);
  EXPECT_EQ(a.StatutoryEmployee, 0);
  EXPECT_EQ(a.State1(), "IL");
  EXPECT_EQ(a.StateID1(), "123");
  EXPECT_EQ(a.StateWages2(), "7.00");
  EXPECT_EQ(forms[1].SocialSecurityWages(), "97500.09");  // within the cent's tolerance
  EXPECT_EQ(forms[1].SocialSecurityTaxWithheld(), "6045.00");  // 6.2 % of it, held to the most there is
  EXPECT_EQ(forms[1].Field12aCode(), "1");                // BB is held as "1"

  r = Cli(dir.path(), {"w3", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* field : {"\"c\": \"2\"", "\"1\": \"50000.00\"", "\"3\": \"195000.09\"", "\"4\": \"12090.00\"",
                            "\"12\": \"601.51\"", "\"b\": \"941\"", "\"f\": \"Acme\""})
    EXPECT_NE(r.out.find(field), std::string::npos) << field << " in\n" << r.out;
}

TEST_F(CliFormTest, SavingWithoutAChangeWritesNothing) {
  ASSERT_EQ(Cli(dir.path(), {"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=10"}).code, 0);
  ASSERT_EQ(Cli(dir.path(), {"set-1099", "Acme", "--tin", "12-3456789", "--box", "7=10"}).code, 0);
  const std::string before = test::ReadBytes(dir / "Acme.qdt");
  auto r = Cli(dir.path(), {"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=10.00"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "The W-2 of Ann Lee (111-11-1111) is as stored; nothing was written.\n");
  r = Cli(dir.path(), {"set-1099", "Acme", "--tin", "12-3456789", "--box", "7=10"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "The 1099-MISC of Cal Co (12-3456789) is as stored; nothing was written.\n");
  EXPECT_EQ(test::ReadBytes(dir / "Acme.qdt"), before);
}

TEST_F(CliFormTest, Set1099AndThe1096) {
  auto r = Cli(dir.path(), {"set-1099", "Acme", "--tin", "12-3456789", "--box", "7=1000", "--box", "1=12.5",
                            "--box", "15a=99", "--box", "9=yes", "--box", "16=3", "--box", "4=2.5"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Saved the 1099-MISC of Cal Co (12-3456789) in Acme.\n");
  const auto forms = Forms1099();
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0].NonemployeeCompensation(), "1000.00");
  EXPECT_EQ(forms[0].Rents(), "12.50");
  EXPECT_EQ(forms[0].PayerMadeDirectSales, 1);
  EXPECT_EQ(forms[0].StateTaxWithheld1(), "3.00");

  r = Cli(dir.path(), {"1096", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  // Box 5 sums the ten amount boxes, not 15a/15b nor the state boxes.
  for (const char* field : {"\"3\": \"1\"", "\"4\": \"2.50\"", "\"5\": \"1012.50\"", "\"filer's name\": \"Acme\""})
    EXPECT_NE(r.out.find(field), std::string::npos) << field << " in\n" << r.out;
}

// A box 12 line is a code with its amount: one without the other is refused
// with the page's message, and "12a=" clears the line as a whole.
TEST_F(CliFormTest, Box12CodesAndAmountsGoTogether) {
  auto r = Cli(dir.path(), {"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "12a=D:500:06"});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string saved = test::ReadBytes(dir / "Acme.qdt");
  struct Case {
    std::vector<std::string> boxes;
    std::string err;
  } refused[] = {
      {{"--box", "12b=E"}, "Box 12b has the code E but no amount: please enter the amount, or clear the code.\n"},
      {{"--box", "12b=:250"},
       "Box 12b has an amount but no code: please enter the code the amount is for, or clear the amount.\n"},
      {{"--box", "12a=:500"},
       "Box 12a has an amount but no code: please enter the code the amount is for, or clear the amount.\n"},
      {{"--box", "12a=D:0"}, "Box 12a has the code D but no amount: please enter the amount, or clear the code.\n"},
  };
  for (const auto& c : refused) {
    std::vector<std::string> args = {"set-w2", "Acme", "--ssn", "111-11-1111"};
    args.insert(args.end(), c.boxes.begin(), c.boxes.end());
    r = Cli(dir.path(), args);
    EXPECT_EQ(r.code, 1) << c.boxes[1];
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(test::ReadBytes(dir / "Acme.qdt"), saved) << c.boxes[1];
  }
  r = Cli(dir.path(), {"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "12a="});
  ASSERT_EQ(r.code, 0) << r.err;
  const W2Record w = W2s()[0];
  EXPECT_EQ(w.Field12aCode(), "");
  EXPECT_EQ(w.Field12aAmount(), "0.00");
  EXPECT_EQ(w.Field12aYear(), "");
}

TEST_F(CliFormTest, RefusedCommandsWriteNothing) {
  const std::string before = test::ReadBytes(dir / "Acme.qdt");
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {{"set-w2", "Acme", "--ssn", "999-99-9999", "--box", "1=5"}, 1,
       "formet-cli: Acme has no employee with the number 999-99-9999\n"},
      {{"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "21=5"}, 2, "formet-cli: set-w2 has no box 21\n"},
      {{"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=5", "--box", "1=6"}, 2,
       "formet-cli: box 1 is given twice\n"},
      {{"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "13=pension"}, 1,
       "formet-cli: --box 13 names no check box \"pension\" (statutory, retirement, sick-pay)\n"},
      {{"set-w2", "Acme", "--box", "1=5"}, 2, "formet-cli: set-w2 needs --ssn\n"},
      {{"set-1099", "Acme", "--tin", "12-3456789", "--box", "9=maybe"}, 1, "formet-cli: --box 9 takes yes or no\n"},
      {{"set-1099", "Acme", "--tin", "12-3456789", "--box", "7"}, 2, "formet-cli: --box takes BOX=VALUE, not \"7\"\n"},
      {{"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "12b=D:5:2006"}, 1,
       "formet-cli: --box 12b is not an amount of at most 2 whole digits and 0 decimals\n"},
      {{"w3", "Acme", "--all"}, 2, "formet-cli: w3 takes the name of a company\n"},
  };
  for (const auto& c : cases) {
    const auto r = Cli(dir.path(), c.args);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_EQ(r.err, c.err);
  }
  // A code not on the 2007 form is refused with the valid codes named.
  const auto r = Cli(dir.path(), {"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=5", "--box", "12c=XX:5"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("\"XX\" is not a box 12 code"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("AA and BB"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadBytes(dir / "Acme.qdt"), before);
}

}  // namespace
}  // namespace formet
