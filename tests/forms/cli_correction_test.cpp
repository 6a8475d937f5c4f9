// formet-cli mark-filed, w2c, w3c and the hand-made W-2c commands, end to end
// on a scratch data folder.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "store/company_database.h"
#include "store/filed_forms.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

class CliCorrectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::vector<std::string> args : {
             std::vector<std::string>{"new", "Acme"},
             {"add-employee", "Acme", "--ssn", "111-11-1111", "--first", "Ann", "--last", "Lee", "--address1",
              "1 Main St"},
             {"add-employee", "Acme", "--ssn", "222-22-2222", "--first", "Bo", "--last", "Ray"},
             {"add-contractor", "Acme", "--tin", "12-3456789", "--name1", "Cal Co"},
             {"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=1000", "--box", "12a=D:150"},
             {"set-w2", "Acme", "--ssn", "222-22-2222", "--box", "1=500"},
             {"set-1099", "Acme", "--tin", "12-3456789", "--box", "7=700"},
         })
      ASSERT_EQ(Run(args).code, 0) << Run(args).err;
  }
  test::CliResult Run(std::vector<std::string> args) { return test::RunCli(dir.path(), std::move(args)); }
  bool HasTable(const char* table) {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / "Acme.qdt"), 0);
    return HasOwnTable(db, table);
  }
  TempDir dir;
};

// The JSON text holds `fragment` with its spaces and line breaks taken out.
::testing::AssertionResult Holds(const std::string& json, const std::string& fragment) {
  std::string flat;
  for (char c : json)
    if (c != ' ' && c != '\n') flat += c;
  std::string want;
  for (char c : fragment)
    if (c != ' ') want += c;
  if (flat.find(want) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << fragment << " not in " << json;
}

TEST_F(CliCorrectionTest, NothingRecordedLeavesTheFileAsItWas) {
  const auto r = Run({"w2c", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, R"("forms": [])"));
  EXPECT_TRUE(Holds(Run({"w3c", "Acme"}).out, R"("d": "-0-")"));
  EXPECT_FALSE(HasTable(kFiledW2Table));
  EXPECT_EQ(Run({"dump", "Acme"}).code, 0);
}

TEST_F(CliCorrectionTest, AnAmountChangedAfterFilingMakesAW2cAndASecondCorrectionStartsFromIt) {
  auto r = Run({"mark-filed", "w2", "Acme", "--on", "2008-02-15"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Recorded as filed on 02/15/2008: 2 W-2s.\n");
  EXPECT_TRUE(HasTable(kFiledW2Table));
  EXPECT_EQ(Run({"dump", "Acme"}).code, 0);  // a file with the tables opens as before

  ASSERT_EQ(Run({"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=1200", "--box", "12a=E:150"}).code, 0);
  r = Run({"w2c", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, R"("boxes": {"1": {"Previously reported": "1000.00", "Correct information": "1200.00"}})"));
  EXPECT_TRUE(Holds(r.out, R"({"code": "D", "Previously reported": "150.00", "Correct information": "-0-"})"));
  EXPECT_TRUE(Holds(r.out, R"({"code": "E", "Previously reported": "-0-", "Correct information": "150.00"})"));
  EXPECT_TRUE(Holds(r.out, R"("goes to": "SSA")"));
  EXPECT_TRUE(Holds(r.out, R"("corrects the filing of": "02/15/2008", "a": "2007", "form corrected": "W-2")"));
  r = Run({"w3c", "Acme"});
  EXPECT_TRUE(Holds(r.out, R"("d": "1")"));
  EXPECT_TRUE(Holds(r.out, R"("1": {"Previously reported": "1000.00", "Correct information": "1200.00"})"));
  EXPECT_TRUE(Holds(r.out, R"("12": {"Previously reported": "150.00", "Correct information": "150.00"})"));

  // Filing the W-2s again records nothing: the changed one needs a W-2c.
  r = Run({"mark-filed", "w2", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("No W-2 was recorded as filed."), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("needs a W-2c, not a new filing: Ann Lee"), std::string::npos) << r.out;

  r = Run({"mark-filed", "w2c", "Acme", "--on", "2008-05-01"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Recorded as filed on 05/01/2008: 1 W-2c.\n");
  EXPECT_TRUE(Holds(Run({"w2c", "Acme"}).out, R"("forms": [])"));

  ASSERT_EQ(Run({"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=1300"}).code, 0);
  r = Run({"w2c", "Acme"});
  EXPECT_TRUE(Holds(r.out, R"("boxes": {"1": {"Previously reported": "1200.00", "Correct information": "1300.00"}})"));
  EXPECT_TRUE(Holds(r.out, R"("corrects the filing of": "05/01/2008", "a": "2007", "form corrected": "W-2c")"));
}

TEST_F(CliCorrectionTest, AnSsnAndNameChangeAndAnAddressChange) {
  ASSERT_EQ(Run({"mark-filed", "w2", "Acme", "--on", "2008-02-15"}).code, 0);
  // The employee page's own rules change the employee; here the file is
  // changed as they would leave it.
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
    ASSERT_EQ(db.Execute("UPDATE Employees SET SocialSecurityNumber = '222-22-2223', LastName = 'Ray-Cole' "
                         "WHERE FirstName = 'Bo';"),
              0);
    ASSERT_EQ(db.Execute("UPDATE Employees SET Address1 = '9 Elm St' WHERE FirstName = 'Ann';"), 0);
  }
  const auto r = Run({"w2c", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, R"("b": "222-22-2223", "c": true)"));
  EXPECT_TRUE(Holds(r.out, R"("h": "222-22-2222", "i": "Bo Ray", "boxes": {})"));
  EXPECT_TRUE(Holds(r.out, R"j("address only": [{"employee": "Ann Lee (111-11-1111)")j"));
  EXPECT_TRUE(Holds(Run({"w3c", "Acme"}).out, R"("d": "1")"));
  EXPECT_TRUE(Holds(Run({"w3c", "Acme"}).out, R"("explain decreases here": "SSN and/or name corrected on 1 Form W-2c.")"));
}

TEST_F(CliCorrectionTest, AHandMadeW2cForAW2FiledBeforeAnythingWasRecorded) {
  auto r = Run({"new-w2c", "Acme", "--ssn", "222-22-2222"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(Run({"w2c", "Acme"}).out, R"("forms": [])"));
  EXPECT_EQ(Run({"new-w2c", "Acme", "--ssn", "222-22-2222"}).code, 1);  // one per employee

  r = Run({"set-w2c", "Acme", "--ssn", "222-22-2222", "--box", "1=450", "--previous-last", "Roy"});
  ASSERT_EQ(r.code, 0) << r.err;
  r = Run({"w2c", "Acme"});
  EXPECT_TRUE(Holds(r.out, R"("made by hand": true)"));
  EXPECT_TRUE(Holds(r.out, R"("c": true)"));
  EXPECT_TRUE(Holds(r.out, R"("i": "Bo Roy")"));
  EXPECT_TRUE(Holds(r.out, R"("1": {"Previously reported": "450.00", "Correct information": "500.00"})"));
  EXPECT_EQ(Run({"set-w2c", "Acme", "--ssn", "222-22-2222", "--box", "1=-5"}).code, 1);
  EXPECT_EQ(Run({"set-w2c", "Acme", "--ssn", "222-22-2222", "--box", "12a=XX:5"}).code, 1);

  // Filing the W-2c makes its correct column what was reported.
  ASSERT_EQ(Run({"mark-filed", "w2c", "Acme", "--on", "2008-06-01"}).code, 0);
  EXPECT_TRUE(Holds(Run({"w2c", "Acme"}).out, R"("forms": [])"));
  r = Run({"new-w2c", "Acme", "--ssn", "222-22-2222"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("recorded as filed on 06/01/2008"), std::string::npos) << r.err;

  ASSERT_EQ(Run({"new-w2c", "Acme", "--ssn", "111-11-1111"}).code, 0);
  EXPECT_EQ(Run({"delete-w2c", "Acme", "--ssn", "111-11-1111"}).code, 0);
  EXPECT_EQ(Run({"delete-w2c", "Acme", "--ssn", "111-11-1111"}).code, 1);
}

TEST_F(CliCorrectionTest, A1099IsRecordedOnceAndItsChangeNamed) {
  auto r = Run({"mark-filed", "1099", "Acme", "--on", "2008-01-31"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Recorded as filed on 01/31/2008: 1 1099-MISC.\n");
  ASSERT_EQ(Run({"set-1099", "Acme", "--tin", "12-3456789", "--box", "7=800"}).code, 0);
  r = Run({"mark-filed", "1099", "Acme"});
  EXPECT_NE(r.out.find("corrected 1099-MISC, not a new filing: Cal Co"), std::string::npos) << r.out;
  EXPECT_EQ(Run({"mark-filed", "1099", "Acme", "--on", "2008-02-30"}).code, 2);
  EXPECT_EQ(Run({"mark-filed", "w3", "Acme"}).code, 2);
}

// A 1099-MISC changed after filing: the listing, the corrected forms and the
// 1096 of the corrections printed, and nothing more once they are recorded.
TEST_F(CliCorrectionTest, AChanged1099ListsPrintsAndRecordsItsCorrection) {
  auto r = Run({"1099c", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, R"("forms": [])"));
  ASSERT_EQ(Run({"mark-filed", "1099", "Acme", "--on", "2008-01-31"}).code, 0);
  ASSERT_EQ(Run({"set-1099", "Acme", "--tin", "12-3456789", "--box", "7=800"}).code, 0);
  r = Run({"1099c", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, R"x("payee": "Cal Co (12-3456789)", "goes to": "IRS", "corrects the filing of": "01/31/2008",)x"
                           R"x( "procedure": "one return")x"));
  EXPECT_TRUE(Holds(r.out, R"("what changed": ["a money amount"])"));
  EXPECT_TRUE(Holds(r.out, R"("step": 0, "CORRECTED": true, "file code": "G")"));
  EXPECT_TRUE(Holds(r.out, R"("7": "800.00")"));
  EXPECT_TRUE(Holds(r.out, R"("1096": {"3": "1", "4": "0.00", "5": "800.00", "legend": ""})"));

  const struct {
    std::vector<std::string> args;
    const char* wrote;
  } prints[] = {
      {{"print", "1099", "Acme", "--corrected", "--all", "--copy", "B"}, "Wrote 1 page of Corrected Form 1099-MISC"},
      {{"print", "1099", "Acme", "--corrected", "--tin", "12-3456789"}, "Wrote 1 page of Corrected Form 1099-MISC"},
      {{"print", "1096", "Acme", "--corrected", "--paper", "copy"}, "Wrote 1 page of Form 1096 (corrected returns)"},
  };
  for (const auto& p : prints) {
    auto args = p.args;
    args.insert(args.end(), {"--out", (dir / "corrected.pdf").string()});
    r = Run(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind(p.wrote, 0), 0u) << r.out;
  }
  EXPECT_EQ(Run({"print", "1099", "Acme", "--corrected", "--all", "--per-recipient", dir.path().string()}).code, 2);

  r = Run({"mark-filed", "1099c", "Acme", "--on", "2008-03-10"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(Run({"1099c", "Acme"}).out, R"("forms": [])"));
  r = Run({"print", "1096", "Acme", "--corrected", "--out", (dir / "none.pdf").string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("There is no corrected 1099-MISC"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "none.pdf"));
}

// A TIN changed after filing (set-contractor, as Modify Contractor): two
// returns, the first as filed with zero amounts, the second the new original;
// their 1096 counts both and carries the legend.
TEST_F(CliCorrectionTest, ATinChangedAfterFilingTakesTwoReturns) {
  ASSERT_EQ(Run({"mark-filed", "1099", "Acme", "--on", "2008-01-31"}).code, 0);
  auto r = Run({"set-contractor", "Acme", "--tin", "12-3456789", "--new-tin", "98-7654321"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Changed contractor ", 0), 0u) << r.out;
  r = Run({"1099c", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, R"("procedure": "two returns", "deleted since filing": false, "what changed": ["the payee's TIN"])"));
  EXPECT_TRUE(Holds(r.out, R"("step": 1, "CORRECTED": true, "file code": "G", "recipient's identification number": "12-3456789")"));
  EXPECT_TRUE(Holds(r.out, R"("step": 2, "CORRECTED": false, "file code": "C", "recipient's identification number": "98-7654321")"));
  EXPECT_TRUE(Holds(r.out, R"("1096": {"3": "2", "4": "0.00", "5": "700.00", "legend": "Filed To Correct TIN, Name, and/or Address"})"));
  // Another contractor's number, or none, is refused as the dialog refuses it.
  ASSERT_EQ(Run({"add-contractor", "Acme", "--tin", "11-1111111", "--name1", "Dee Co"}).code, 0);
  EXPECT_EQ(Run({"set-contractor", "Acme", "--tin", "11-1111111", "--new-tin", "98-7654321"}).code, 1);
  EXPECT_EQ(Run({"set-contractor", "Acme", "--tin", "55-5555555", "--city", "Ames"}).code, 1);
}

// set-w3c: the explanation is kept in a table of our own made when first
// needed, shown by w3c, refused whole when too long, and "" goes back to the
// decreases as computed.
TEST_F(CliCorrectionTest, TheW3cExplanationIsStoredAndShown) {
  ASSERT_EQ(Run({"mark-filed", "w2", "Acme", "--on", "2008-02-15"}).code, 0);
  ASSERT_EQ(Run({"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=900"}).code, 0);
  EXPECT_TRUE(Holds(Run({"w3c", "Acme"}).out, R"("explain decreases here": "Box 1 decreased by 100.00.")"));
  EXPECT_FALSE(HasTable(kW3cExplanationTable));

  auto r = Run({"set-w3c", "Acme", "--explain", "Overpaid wages repaid by the employee."});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "The W-3c's explanation was stored.\n");
  EXPECT_TRUE(HasTable(kW3cExplanationTable));
  r = Run({"w3c", "Acme"});
  EXPECT_TRUE(Holds(r.out, R"("explain decreases here": "Overpaid wages repaid by the employee.", "explained by the user": true)"));

  r = Run({"set-w3c", "Acme", "--explain", std::string(1001, 'x')});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("at most 1000"), std::string::npos) << r.err;
  EXPECT_TRUE(Holds(Run({"w3c", "Acme"}).out, R"("explain decreases here": "Overpaid wages repaid by the employee.")"));

  ASSERT_EQ(Run({"set-w3c", "Acme", "--explain", ""}).code, 0);
  EXPECT_TRUE(Holds(Run({"w3c", "Acme"}).out, R"("explain decreases here": "Box 1 decreased by 100.00.", "explained by the user": false)"));
  EXPECT_EQ(Run({"set-w3c", "Acme"}).code, 2);
  EXPECT_EQ(Run({"dump", "Acme"}).code, 0);  // the file opens with the table

  // Recording the W-2c's as filed ends their W-3c's explanation.
  ASSERT_EQ(Run({"set-w3c", "Acme", "--explain", "Repaid."}).code, 0);
  ASSERT_EQ(Run({"mark-filed", "w2c", "Acme", "--on", "2008-05-01"}).code, 0);
  ASSERT_EQ(Run({"set-w2", "Acme", "--ssn", "111-11-1111", "--box", "1=800"}).code, 0);
  EXPECT_TRUE(Holds(Run({"w3c", "Acme"}).out, R"("explain decreases here": "Box 1 decreased by 100.00.", "explained by the user": false)"));
}

}  // namespace
}  // namespace formet
