// formet-cli efw2 and efile-1099 on a copy of the Sample Company: the files
// pass the read-back check and equal the W-3 and 1096 pages, the options are
// saved as the dialogs save them, and errors write nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "forms/1099/form1096_totals.h"
#include "forms/1099/irs1099_file.h"
#include "forms/money.h"
#include "forms/w2/efw2_file.h"
#include "forms/w2/efw2c_file.h"
#include "forms/w2/w3_totals.h"
#include "store/company_database.h"
#include "sample_copy.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

class EfilingCliTest : public ::testing::Test {
 protected:
  template <class R>
  R Stored(int (CompanyDatabase::*read)(R&)) {
    return dir.Stored(read);
  }
  template <class R>
  std::vector<R> StoredList(int (CompanyDatabase::*read)(std::vector<R>&)) {
    return dir.StoredList(read);
  }
  test::SampleCompanyCopy dir;
};

TEST_F(EfilingCliTest, WageFileOfTheSampleCompanyEqualsItsW3) {
  const auto out = dir / "W2REPORT.txt";
  const auto r = RunCli(dir.Folder(), {"efw2", "Sample Company", "--pin", "QX4711AB", "--preparer", "accounting",
                                     "--out", out.string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("4 W-2s in 8 records"), std::string::npos) << r.out;
  const std::string bytes = test::ReadBytes(out);
  const auto check = efile::CheckEfw2File(bytes);
  ASSERT_TRUE(check.Ok()) << ::testing::PrintToString(check.problems);

  const CompanyRecord company = Stored(&CompanyDatabase::ReadCompany);
  const W3Page page = BuildW3Page(company, StoredList(&CompanyDatabase::ReadW2Forms));
  EXPECT_EQ(std::to_string(check.totals.formCount), page.totalForms);
  for (size_t b = 1; b <= 11; ++b) EXPECT_EQ(FormatCents(check.totals.box[b]), page.box[b]) << "box " << b;
  EXPECT_EQ(FormatCents(check.totals.deferredCompensation), page.box12);

  // Saved as the dialog saves: the options over a submitter that starts from the company.
  const SubmitterRecord s = Stored(&CompanyDatabase::ReadSubmitter);
  EXPECT_EQ(s.SubmitterPIN(), "QX4711AB");
  EXPECT_EQ(s.PreparerCode(), "A");
  EXPECT_EQ(s.SubmitterName(), "Sample Company");
  EXPECT_EQ(s.SubmitterEIN(), company.EmployerIdentificationNumber());
  EXPECT_EQ(s.ContactName(), company.FormW3ContactName());
  EXPECT_EQ(s.ProblemNotifcationCode(), "1");
}

TEST_F(EfilingCliTest, InformationReturnFileOfTheSampleCompanyEqualsIts1096) {
  const auto out = dir / "1099MISC.txt";
  const auto r =
      RunCli(dir.Folder(), {"efile-1099", "Sample Company", "--tcc", "44q7z", "--test", "--out", out.string()});
  ASSERT_EQ(r.code, 0) << r.err;
  // The contractor's "Attn: Leasing Office" loses its colon, and says so.
  EXPECT_NE(r.err.find("is written without :"), std::string::npos) << r.err;
  const std::string bytes = test::ReadBytes(out);
  const auto check = efile::Check1099File(bytes);
  ASSERT_TRUE(check.Ok()) << ::testing::PrintToString(check.problems);
  EXPECT_EQ(bytes.substr(15, 5), "44Q7Z");
  EXPECT_EQ(bytes[27], 'T');  // a test file

  const CompanyRecord company = Stored(&CompanyDatabase::ReadCompany);
  const auto contractors = StoredList(&CompanyDatabase::ReadContractors);
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Sample Company.qdt"), 0);
  std::vector<Form1099Record> forms;
  ASSERT_EQ(db.ReadForms1099(forms, contractors), 0);
  const Form1096Page page = Build1096Page(company, forms);
  EXPECT_EQ(std::to_string(check.totals.formCount), page.box3);
  EXPECT_EQ(FormatCents(check.totals.Box4()), page.box4);
  EXPECT_EQ(FormatCents(check.totals.Box5()), page.box5);

  const TransmitterRecord t = Stored(&CompanyDatabase::ReadTransmitter);
  EXPECT_EQ(t.TransmitterControlCode(), "44q7z");  // stored as typed
  EXPECT_EQ(t.TestFileIndicator(), "T");
  EXPECT_EQ(t.FileTypeOriginal, 1);
  EXPECT_EQ(t.CompanyName(), "Sample Company");

  // --no-test clears it again.
  ASSERT_EQ(RunCli(dir.Folder(), {"efile-1099", "Sample Company", "--no-test", "--check-only"}).code, 0);
  EXPECT_EQ(Stored(&CompanyDatabase::ReadTransmitter).TestFileIndicator(), "");
}

// The corrections file of the 1099-MISC's: none before anything changed
// since filing; then the changed form as a one-transaction correction, and
// nothing left once the correction is recorded as filed.
TEST_F(EfilingCliTest, CorrectionsFileOfThe1099sAfterFiling) {
  const auto out = dir / "1099C.txt";
  const std::vector<std::string> write = {"efile-1099", "Sample Company", "--corrections", "--tcc", "44q7z",
                                          "--out", out.string()};
  ASSERT_EQ(RunCli(dir.Folder(), {"mark-filed", "1099", "Sample Company", "--on", "2008-02-28"}).code, 0);
  auto r = RunCli(dir.Folder(), write);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no corrected 1099-MISC"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out));

  const auto contractors = StoredList(&CompanyDatabase::ReadContractors);
  ASSERT_FALSE(contractors.empty());
  const std::string tin = contractors[0].IdentificationNumber();
  ASSERT_EQ(RunCli(dir.Folder(), {"set-1099", "Sample Company", "--tin", tin, "--box", "1=1234.56"}).code, 0);
  r = RunCli(dir.Folder(), write);
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string bytes = test::ReadBytes(out);
  const auto check = efile::Check1099File(bytes);
  ASSERT_TRUE(check.Ok()) << ::testing::PrintToString(check.problems);
  EXPECT_EQ(check.blockCodes, "G");
  EXPECT_EQ(check.counts.b, 1u);
  ASSERT_GE(bytes.size(), 3 * 750u);
  EXPECT_EQ(bytes[2 * 750], 'B');
  EXPECT_EQ(bytes[2 * 750 + 5], 'G');                        // position 6
  EXPECT_EQ(bytes.substr(2 * 750 + 54, 12), "000000123456");  // box 1 at 55-66, the full correct amount

  r = RunCli(dir.Folder(), {"mark-filed", "1099c", "Sample Company", "--on", "2008-03-10"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Recorded as filed on 03/10/2008: 1 corrected 1099-MISC.\n");
  EXPECT_EQ(RunCli(dir.Folder(), write).code, 1);
}

TEST_F(EfilingCliTest, CorrectionsFileOfTheW2csAfterFiling) {
  const auto out = dir / "W2CREPORT.txt";
  // Nothing recorded as filed: no W-2c, no file.
  auto r = RunCli(dir.Folder(), {"efw2c", "Sample Company", "--pin", "QX4711AB", "--out", out.string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no W-2c for the SSA"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out));

  ASSERT_EQ(RunCli(dir.Folder(), {"mark-filed", "w2", "Sample Company", "--on", "2008-02-15"}).code, 0);
  ASSERT_EQ(RunCli(dir.Folder(), {"set-w2", "Sample Company", "--ssn", "412-55-1003", "--box", "1=12345.67"}).code, 0);
  // Never onto a company file.
  r = RunCli(dir.Folder(), {"efw2c", "Sample Company", "--out", dir.File().string()});
  EXPECT_EQ(r.code, 2) << r.err;
  r = RunCli(dir.Folder(), {"efw2c", "Sample Company", "--state-records", "--check-only"});
  EXPECT_EQ(r.code, 2) << r.err;

  r = RunCli(dir.Folder(), {"efw2c", "Sample Company", "--out", out.string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("1 employee in 5 records (1 RCA, 1 RCE, 1 RCW, 1 RCT, 1 RCF)"), std::string::npos) << r.out;
  const std::string bytes = test::ReadBytes(out);
  const auto check = efile::CheckEfw2cFile(bytes);
  ASSERT_TRUE(check.Ok()) << ::testing::PrintToString(check.problems);
  EXPECT_EQ(check.totals.box[1].correct, 1234567);
  EXPECT_EQ(bytes.substr(2 * 1026 + 12, 9), "412551003");  // RCW 13-21, the correct SSN
  EXPECT_EQ(bytes.substr(2 * 1026 + 254, 11), "00001234567");  // RCW 255-265, box 1 correct
  EXPECT_FALSE(fs::exists(dir / "W2CREPORT.txt.part"));
}

TEST_F(EfilingCliTest, ErrorsWriteNothingAndKeepAnOldFile) {
  const auto out = dir / "W2REPORT.txt";
  test::WriteBytes(out, "last year's file");
  // No PIN, and an employee without a last name: both reported, nothing written.
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Sample Company.qdt"), 0);
  ASSERT_EQ(db.Execute("UPDATE Employees SET LastName='' WHERE EmployeeUniqueID=3"), 0);
  db.Close();
  const auto r = RunCli(dir.Folder(), {"efw2", "Sample Company", "--out", out.string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Error: Submitter: The PIN is empty"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Error: W-2 of Aisha K (412-55-1003): Last name is empty"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("2 errors."), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadBytes(out), "last year's file");

  // --check-only needs no file and writes none.
  const auto check = RunCli(dir.Folder(), {"efw2", "Sample Company", "--pin", "QX4711AB", "--check-only"});
  EXPECT_EQ(check.code, 1) << check.err;  // the last name is still missing
  EXPECT_FALSE(fs::exists(dir / "W2REPORT.txt.part"));
}

TEST_F(EfilingCliTest, WrongArguments) {
  const struct {
    std::vector<std::string> args;
    int code;
    const char* says;
  } cases[] = {
      {{"efw2", "Sample Company"}, 2, "needs --out FILE"},
      {{"efw2", "Sample Company", "--pin"}, 2, "--pin needs a value"},
      {{"efw2", "Sample Company", "--bogus", "1", "--check-only"}, 2, "has no option --bogus"},
      {{"efw2", "Sample Company", "--notify", "pigeon", "--check-only"}, 1, "is not one of: email postal"},
      {{"efw2", "Sample Company", "--state", "ZZ", "--check-only"}, 1, "is not a state of the list"},
      {{"efw2", "Nobody Inc", "--check-only"}, 1, "there is no company"},
      {{"efile-1099", "Sample Company", "--original", "--replacement", "--check-only"}, 2, "not both"},
      {{"efile-1099", "Sample Company", "--tcc", "12:45", "--check-only"}, 1, "cannot contain the character"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2 < c.args.size() ? 2 : 0]);
    const auto r = RunCli(dir.Folder(), c.args);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  // A replacement file needs the name of the file it replaces.
  const auto r = RunCli(dir.Folder(), {"efile-1099", "Sample Company", "--tcc", "44Q7Z", "--replacement",
                                     "--check-only"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("A replacement file needs the name"), std::string::npos) << r.err;
  EXPECT_EQ(Stored(&CompanyDatabase::ReadTransmitter).FileTypeReplacement, 1);
  EXPECT_EQ(Stored(&CompanyDatabase::ReadTransmitter).FileTypeOriginal, 0);
  const auto fixed = RunCli(dir.Folder(), {"efile-1099", "Sample Company", "--replaced-file", "12345678.01",
                                         "--check-only"});
  EXPECT_EQ(fixed.code, 0) << fixed.err;
  EXPECT_NE(fixed.out.find("nothing was written"), std::string::npos) << fixed.out;
}

}  // namespace
}  // namespace formet
