// One company, two programs: the one that holds a company open is the only
// one that writes it; another is told at once and changes nothing; a busy
// engine is waited for; what a failed save leaves pending is named.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <thread>

#include "cli_process.h"
#include "cli_runner.h"
#include "store/company_database.h"
#include "store/company_file_vfs.h"
#include "store/company_lock.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::FileState;
using test::ReadBytes;
using test::StateOf;
using test::ScriptedUi;
using test::TempDir;

const std::string kBusy = "\" is open in another Formet program.";

class TwoWritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Sample Company", "Acme"}) {
      ScriptedUi makeUi;
      CGlobalDoc maker(makeUi, settings, dir.path());
      maker.BeginSession();
      makeUi.newCompany = NewCompanyEntry{name, ""};
      ASSERT_TRUE(maker.NewCompany());
    }
  }
  std::unique_ptr<CGlobalDoc> Open(ScriptedUi& with, const std::string& name) {
    auto doc = std::make_unique<CGlobalDoc>(with, settings, dir.path());
    doc->BeginSession();
    doc->SetCompany(name);
    return doc;
  }
  std::vector<EmployeeRecord> StoredEmployees(const std::string& company = "Acme") {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / (company + ".qdt")), 0);
    std::vector<EmployeeRecord> list;
    EXPECT_EQ(db.ReadEmployees(list), 0);
    return list;
  }

  TempDir dir;
  ScriptedUi ui, otherUi;
  MemorySettingsStore settings;
};

TEST_F(TwoWritersTest, ACompanyOpenElsewhereIsRefusedAtOnceAndLeftUntouched) {
  auto first = Open(ui, "Acme");
  ASSERT_TRUE(first->OnNewDocument());
  const FileState before = StateOf(dir / "Acme.qdt");

  // Another document (as another program would) cannot load it ...
  auto second = Open(otherUi, "Acme");
  EXPECT_FALSE(second->OnNewDocument());
  ASSERT_EQ(otherUi.messages.size(), 1u);
  EXPECT_EQ(otherUi.messages[0], OpenElsewhereMessage("Acme"));
  EXPECT_NE(otherUi.messages[0].find("Acme" + kBusy), std::string::npos);
  EXPECT_FALSE(second->IsLoaded());
  // ... nor delete it ...
  auto third = Open(otherUi, "Sample Company");
  ASSERT_TRUE(third->OnNewDocument());
  otherUi.messages.clear();
  otherUi.choice = "Acme";
  otherUi.answers = {Answer::Yes};
  third->DeleteCompany();
  EXPECT_EQ(otherUi.messages, std::vector<std::string>{OpenElsewhereMessage("Acme")});
  EXPECT_EQ(otherUi.answers.size(), 1u);  // not even asked
  otherUi.answers.clear();
  third.reset();
  // ... and formet-cli commands say so and change nothing.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"add-employee", "Acme", "--ssn", "123-45-6789", "--first", "A", "--last", "B"},
        std::vector<std::string>{"add-contractor", "Acme", "--tin", "12-3456789", "--name1", "C"},
        std::vector<std::string>{"dump", "Acme"}, std::vector<std::string>{"new", "Acme"}}) {
    const auto r = test::RunCliProgram(dir.path(), args);
    EXPECT_EQ(r.code, 1) << args[0];
    EXPECT_NE(r.err.find("Acme" + kBusy), std::string::npos) << args[0] << ": " << r.err;
  }
  EXPECT_TRUE(StateOf(dir / "Acme.qdt") == before);

  // Once the first program lets go, the company is free again.
  first->OnCloseDocument();
  EXPECT_FALSE(fs::exists(dir / "Acme.qdt.lock"));
  otherUi.messages.clear();
  ASSERT_TRUE(second->OnNewDocument());
  const auto r = test::RunCliProgram(dir.path(), {"dump", "Sample Company"});
  EXPECT_EQ(r.code, 0) << r.err;
}

TEST_F(TwoWritersTest, TheLockFollowsTheCompanyThroughOpenAndTheRenameAtClose) {
  auto doc = Open(ui, "Sample Company");
  ASSERT_TRUE(doc->OnNewDocument());
  // Open moves the lock from one company to the next.
  ui.choice = "Acme";
  ASSERT_TRUE(doc->OpenCompany());
  EXPECT_EQ(test::RunCliProgram(dir.path(), {"dump", "Acme"}).code, 1);
  EXPECT_EQ(test::RunCliProgram(dir.path(), {"dump", "Sample Company"}).code, 0);

  // A new name that another program holds (it is making that company) is
  // not taken at close; the file keeps its name.
  doc->SetWindowTitle("Beta");
  {
    CompanyLock beta;
    ASSERT_EQ(beta.Acquire(dir / "Beta.qdt"), CompanyLock::Outcome::Held);
    doc->OnCloseDocument();
  }
  EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
  EXPECT_FALSE(fs::exists(dir / "Beta.qdt"));

  // Otherwise the file takes the name, and the company is free under it.
  doc = Open(ui, "Acme");
  ASSERT_TRUE(doc->OnNewDocument());
  doc->SetWindowTitle("Beta");
  doc->OnCloseDocument();
  EXPECT_TRUE(fs::exists(dir / "Beta.qdt"));
  EXPECT_EQ(test::RunCliProgram(dir.path(), {"dump", "Beta"}).code, 0);
  EXPECT_FALSE(fs::exists(dir / "Acme.qdt.lock"));
  EXPECT_FALSE(fs::exists(dir / "Beta.qdt.lock"));
}

TEST_F(TwoWritersTest, ABusyEngineIsWaitedFor) {
  auto doc = Open(ui, "Acme");
  ASSERT_TRUE(doc->OnNewDocument());
  // A connection outside the program writes for a moment.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open_v2((dir / "Acme.qdt").c_str(), &other, SQLITE_OPEN_READWRITE, CompanyFileVfs()), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  std::thread release([other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  });
  auto& list = doc->GetEmployees();
  list.push_back(EmployeeRecord{});
  list.back().EmployeeUniqueID = 1;
  doc->SetModified(true);
  const int rc = doc->AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, 0, 1}, true);
  release.join();
  sqlite3_close(other);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(StoredEmployees().size(), 1u);
}

TEST_F(TwoWritersTest, ParallelCommandsEitherSaveBothRecordsOrSayTheCompanyIsBusy) {
  constexpr int kCommands = 24;
  std::vector<pid_t> pids;
  TempDir outputs;
  for (int i = 0; i < kCommands; ++i) {
    const std::string ssn = "100-10-" + std::to_string(1000 + i);
    pids.push_back(test::StartCli(dir.path(), {"add-employee", "Acme", "--ssn", ssn, "--first", "P", "--last", "Q"},
                                  outputs / ("out" + std::to_string(i)), outputs / ("err" + std::to_string(i))));
  }
  int added = 0;
  for (int i = 0; i < kCommands; ++i) {
    const auto r = test::WaitCli(pids[static_cast<size_t>(i)], outputs / ("out" + std::to_string(i)),
                                 outputs / ("err" + std::to_string(i)), 60);
    ASSERT_FALSE(r.timedOut);
    if (r.code == 0) {
      ++added;
      EXPECT_EQ(r.out.rfind("Added employee ", 0), 0u) << r.out;
    } else {
      EXPECT_EQ(r.code, 1);
      EXPECT_NE(r.err.find("Acme" + kBusy), std::string::npos) << r.err;
    }
  }
  EXPECT_GE(added, 1);
  const auto employees = StoredEmployees();
  EXPECT_EQ(employees.size(), static_cast<size_t>(added));
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
  std::vector<W2Record> forms;
  ASSERT_EQ(db.ReadW2Forms(forms), 0);
  ASSERT_EQ(forms.size(), employees.size());
  for (const auto& e : employees) {
    EXPECT_EQ(std::count_if(forms.begin(), forms.end(),
                            [&](const W2Record& w) { return w.EmployeeUniqueID == e.EmployeeUniqueID; }),
              1);
  }
}

TEST_F(TwoWritersTest, AFailedSaveNamesWhatIsStillPending) {
  auto doc = Open(ui, "Acme");
  ASSERT_TRUE(doc->OnNewDocument());
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
    ASSERT_EQ(db.Execute("CREATE TRIGGER NoW2 BEFORE INSERT ON W2 BEGIN SELECT RAISE(ABORT, 'no'); END"), 0);
  }
  const auto r = test::RunCli(dir.path(), {"add-employee", "Acme", "--ssn", "1", "--first", "A", "--last", "B"});
  EXPECT_EQ(r.code, 1);  // held open by the document
  doc.reset();
  const auto failed =
      test::RunCli(dir.path(), {"add-employee", "Acme", "--ssn", "123-45-6789", "--first", "A", "--last", "B"});
  EXPECT_EQ(failed.code, 1);
  // The command ends: it says what was not saved, and promises no later save.
  EXPECT_NE(failed.err.find("Formet failed to save the changes.\n\nEngine Error Code: 19\n\nThe company file "
                            "refused the change: it would break one of the file's rules (such as a record stored "
                            "twice).\n\nNot saved: 1 new employee, 1 new W-2. The company file is as it was."),
            std::string::npos)
      << failed.err;
  EXPECT_EQ(failed.err.find("tries again"), std::string::npos) << failed.err;
  EXPECT_TRUE(StoredEmployees().empty());

  const std::vector<PendingChange> journal = {{ChangeKind::Employee, ChangeOp::Insert, 0, 1},
                                              {ChangeKind::Employee, ChangeOp::Insert, 1, 2},
                                              {ChangeKind::W2, ChangeOp::Delete, 0, 4},
                                              {ChangeKind::Company, ChangeOp::Update, -1, 1}};
  EXPECT_EQ(DescribePendingChanges(journal), "2 new employees, 1 deleted W-2, changes to the company setup");
}

}  // namespace
}  // namespace formet
