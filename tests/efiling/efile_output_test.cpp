// The e-files of formet-cli as a busy office meets them: two runs writing the
// same file, runs killed half-way, a full disk, and an output aimed at a
// company's file. What a run reports is what the file holds, and nothing is
// ever left half-written.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <set>
#include <thread>

#include "cli_process.h"
#include "store/company_database.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

class EfileOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path sample = fs::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt";
    fs::copy_file(sample, data / "Sample Company.qdt");
    fs::copy_file(sample, data / "Other.qdt");
    CompanyDatabase db;
    ASSERT_EQ(db.Open(data / "Other.qdt"), 0);
    ASSERT_EQ(db.Execute("UPDATE Company SET EmployerName='Other Company'"), 0);
  }
  std::vector<std::string> Efw2(const std::string& company, const fs::path& out) const {
    return {"efw2", company, "--pin", "QX4711AB", "--out", out.string()};
  }
  std::set<std::string> OutputFiles() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(outputs.path())) names.insert(entry.path().filename().string());
    return names;
  }
  test::TempDir data, outputs, logs;
};

TEST_F(EfileOutputTest, TwoRunsWritingOneFileEachWriteAWholeFileAndReportIt) {
  // What each company's file is, written alone.
  std::map<std::string, std::string> alone, summary;
  for (const char* company : {"Sample Company", "Other"}) {
    const auto r = test::RunCliProgram(data.path(), Efw2(company, outputs / company));
    ASSERT_EQ(r.code, 0) << r.err;
    alone[company] = ReadBytes(outputs / company);
    summary[company] = r.out.substr(r.out.find('\n') + 1);
  }
  ASSERT_NE(alone["Sample Company"], alone["Other"]);

  const fs::path shared = outputs / "W2REPORT.txt";
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    std::vector<pid_t> pids;
    const std::vector<std::string> companies = {"Sample Company", "Other"};
    for (size_t i = 0; i < companies.size(); ++i)
      pids.push_back(test::StartCli(data.path(), Efw2(companies[i], shared), logs / ("out" + std::to_string(i)),
                                    logs / ("err" + std::to_string(i))));
    for (size_t i = 0; i < companies.size(); ++i) {
      const auto r = test::WaitCli(pids[i], logs / ("out" + std::to_string(i)), logs / ("err" + std::to_string(i)), 30);
      // Each run wrote its own file whole, and says what it holds.
      EXPECT_EQ(r.code, 0) << r.err;
      EXPECT_EQ(r.out, "Wrote the wage file " + shared.string() + ".\n" + summary[companies[i]]);
    }
    const std::string now = ReadBytes(shared);
    EXPECT_TRUE(now == alone["Sample Company"] || now == alone["Other"]) << now.size() << " bytes";
    EXPECT_EQ(OutputFiles(), (std::set<std::string>{"Other", "Sample Company", "W2REPORT.txt"}));
  }
}

TEST_F(EfileOutputTest, ARunKilledAtAnyMomentLeavesTheOldFileOrTheNewOneAndNothingElse) {
  const fs::path target = outputs / "W2REPORT.txt";
  ASSERT_EQ(test::RunCliProgram(data.path(), Efw2("Sample Company", outputs / "new")).code, 0);
  const std::string fresh = ReadBytes(outputs / "new");
  fs::remove(outputs / "new");
  test::WriteBytes(target, "last year's file");
  for (int delayMs = 0; delayMs <= 120; delayMs += 4) {
    SCOPED_TRACE(delayMs);
    const pid_t pid = test::StartCli(data.path(), Efw2("Sample Company", target), logs / "out", logs / "err");
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    ::kill(pid, SIGKILL);
    test::WaitCli(pid, logs / "out", logs / "err", 10);
    const std::string now = ReadBytes(target);
    EXPECT_TRUE(now == "last year's file" || now == fresh) << now.size() << " bytes";
    // No work file full of social security numbers is left behind.
    EXPECT_EQ(OutputFiles(), std::set<std::string>{"W2REPORT.txt"});
  }
}

TEST_F(EfileOutputTest, AFullDiskOrALimitOnFileSizesGivesAMessageNotAKill) {
  const fs::path target = outputs / "W2REPORT.txt";
  test::WriteBytes(target, "last year's file");
  ASSERT_EQ(test::RunCliProgram(data.path(), Efw2("Sample Company", outputs / "first")).code, 0);  // saves the PIN
  fs::remove(outputs / "first");
  const auto r = test::RunCliProgram(data.path(), Efw2("Sample Company", target),
                                     {.fileSizeBytes = 2048, .ignoreFileSizeSignal = false});
  EXPECT_EQ(r.code, 1) << "killed? " << r.out << r.err;
  EXPECT_EQ(r.err, "formet-cli: Formet could not write the file " + target.string() +
                       ": the file would be larger than this program is allowed to write (a limit on the size of "
                       "files). Nothing was written; the file that was there is kept as it was.\n");
  EXPECT_EQ(ReadBytes(target), "last year's file");
  EXPECT_EQ(OutputFiles(), std::set<std::string>{"W2REPORT.txt"});

  // The company file itself cannot grow: the save says why, in words, and
  // what was not saved.
  const std::vector<std::string> addUna = {"add-employee", "Other", "--ssn", "501-22-3344", "--first", "Una",
                                           "--last", "Row"};
  const auto add = test::RunCliProgram(data.path(), addUna, {.fileSizeBytes = 4096, .ignoreFileSizeSignal = false});
  EXPECT_EQ(add.code, 1) << "killed? " << add.out << add.err;
  EXPECT_NE(add.err.find("Formet failed to save the changes.\n\nEngine Error Code: "), std::string::npos) << add.err;
  EXPECT_NE(add.err.find("would grow larger than this program is allowed to write (a limit on the size of "
                         "files).\n\nNot saved: 1 new employee, 1 new W-2. The company file is as it was."),
            std::string::npos)
      << add.err;
  // So can a large import, with or without its bad rows.
  std::string rows = "Employee Social Security Number (SSN).,Employee First Name.,Employee Last Name.\n";
  for (int i = 1000; i < 1300; ++i) rows += "501-22-" + std::to_string(i) + ",F,L\n";
  test::WriteBytes(logs / "rows.csv", rows);
  for (const bool skipBadRows : {false, true}) {
    std::vector<std::string> args = {"import", "w2", "Other", (logs / "rows.csv").string(), "--auto-map"};
    if (skipBadRows) args.push_back("--skip-bad-rows");
    const auto import = test::RunCliProgram(data.path(), args, {.fileSizeBytes = 4096, .ignoreFileSizeSignal = false});
    EXPECT_EQ(import.code, 1) << "killed? " << import.out << import.err;
    EXPECT_EQ(import.out, "");
    EXPECT_EQ(import.err.rfind("Nothing was added: the 300 employees with their W-2s read could not be saved.\n\n"
                               "Formet failed to save the changes.\n\nEngine Error Code: ",
                               0),
              0u)
        << import.err;
  }
  const auto dump = test::RunCliProgram(data.path(), {"dump", "Other"});
  EXPECT_EQ(dump.code, 0);
  EXPECT_EQ(dump.out.find("501-22-"), std::string::npos);
}

TEST_F(EfileOutputTest, AnOutputAimedAtACompanyFileIsRefusedAndNothingIsWritten) {
  const fs::path other = data / "Other.qdt";
  const std::string before = ReadBytes(other);
  for (const auto& args : std::vector<std::vector<std::string>>{
           Efw2("Sample Company", other),
           {"efile-1099", "Sample Company", "--tcc", "44Q7Z", "--out", (data / "Other.qdt.lock").string()},
           {"efw2", "Sample Company", "--pin", "ZZ9999ZZ", "--out", (data / "Sample Company.qdt").string()},
           {"print", "w3", "Other", "--out", other.string()}}) {
    const auto r = test::RunCliProgram(data.path(), args);
    EXPECT_NE(r.code, 0) << args[0];
    EXPECT_NE(r.err.find("Formet does not write to "), std::string::npos) << args[0] << ": " << r.err;
    EXPECT_NE(r.err.find("that is the name of a company's file"), std::string::npos) << args[0] << ": " << r.err;
  }
  EXPECT_EQ(ReadBytes(other), before);
  EXPECT_FALSE(fs::exists(data / "Other.qdt.lock"));
  // Not even the submitter's new PIN was saved: nothing at all was written.
  const auto dump = test::RunCliProgram(data.path(), {"dump", "Sample Company"});
  EXPECT_EQ(dump.out.find("ZZ9999ZZ"), std::string::npos);
}

}  // namespace
}  // namespace formet
