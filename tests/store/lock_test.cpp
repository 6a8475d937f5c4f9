// No write without the lock: a lock file that cannot be taken (a symbolic
// link, a folder, a named pipe, another user's file) keeps every program from
// writing the company, with a message that names the file and what to do; a
// lock file removed or replaced while a program holds the company lets no
// second program in; a company that can be read but not written opens for
// the commands that only read.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "cli_process.h"
#include "cli_runner.h"
#include "store/company_database.h"
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

constexpr const char* kCompany = "Sample Company";
constexpr uid_t kNobody = 65534;

// Opens made by the lock fail as they would for another user: opening
// `path` for writing (or also for reading, with `unreadable`) is refused.
class RefusedOpens {
 public:
  RefusedOpens(fs::path path, bool unreadable) {
    CompanyLock::SetOpenForTests([path, unreadable](const char* p, int flags, mode_t mode) {
      if (fs::path(p) == path && ((flags & O_ACCMODE) != O_RDONLY || unreadable)) {
        errno = EACCES;
        return -1;
      }
      return ::open(p, flags, mode);
    });
  }
  ~RefusedOpens() { CompanyLock::SetOpenForTests(nullptr); }
};

class LockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt", Company());
    test::WriteBytes(dir / "rows.csv",
                     "Employee Social Security Number (SSN).,Employee First Name.,Employee Last Name.\n"
                     "501-22-3344,Una,Row\n");
  }
  fs::path Company() const { return dir / (std::string(kCompany) + ".qdt"); }
  fs::path Lock() const { return LockFileOf(Company()); }
  std::unique_ptr<CGlobalDoc> Doc(ScriptedUi& with) {
    auto doc = std::make_unique<CGlobalDoc>(with, settings, dir.path());
    doc->BeginSession();
    doc->SetCompany(kCompany);
    return doc;
  }
  // Every command of formet-cli that writes the company.
  static std::vector<std::vector<std::string>> WritingCommands(const fs::path& rows) {
    return {{"add-employee", kCompany, "--ssn", "501-22-3345", "--first", "A", "--last", "B"},
            {"add-contractor", kCompany, "--tin", "12-3456789", "--name1", "C"},
            {"set-w2", kCompany, "--ssn", "412-55-1001", "--box", "1=99.00"},
            {"set-1099", kCompany, "--tin", "36-7788123", "--box", "1=5.00"},
            {"import", "w2", kCompany, rows.string(), "--auto-map"}};
  }
  static std::vector<std::vector<std::string>> ReadingCommands() {
    return {{"dump", kCompany}, {"w3", kCompany}, {"1096", kCompany}};
  }

  TempDir dir;
  MemorySettingsStore settings;
};

TEST_F(LockTest, ALockFileThatCannotBeTakenKeepsEveryProgramFromWriting) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    std::string says;
  } cases[] = {
      {"a symbolic link to nowhere", [](const fs::path& p) { fs::create_symlink("/nonexistent", p); },
       " is a symbolic link; Formet makes that file itself"},
      {"a folder", [](const fs::path& p) { fs::create_directory(p); }, " is a folder."},
      {"a named pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       " is a named pipe, not a file."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.make(Lock());
    const FileState before = StateOf(Company());
    const std::string names = "Its lock file " + Lock().string() + c.says;

    // The desktop's document does not open it.
    ScriptedUi ui;
    auto doc = Doc(ui);
    EXPECT_FALSE(doc->OnNewDocument());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("Formet cannot lock the company \"Sample Company\" for itself, so it writes "
                                  "nothing of it"),
              std::string::npos)
        << ui.messages[0];
    EXPECT_NE(ui.messages[0].find(names), std::string::npos) << ui.messages[0];
    doc.reset();

    // Nor does another document delete such a company (the Sample Company
    // is never offered: a copy under another name is).
    {
      ScriptedUi deleter;
      CGlobalDoc sample(deleter, settings, dir.path());
      fs::copy_file(Company(), dir / "Copy.qdt");
      if (fs::is_symlink(Lock())) fs::create_symlink("/nonexistent", LockFileOf(dir / "Copy.qdt"));
      else if (fs::is_directory(Lock())) fs::create_directory(LockFileOf(dir / "Copy.qdt"));
      else ASSERT_EQ(::mkfifo(LockFileOf(dir / "Copy.qdt").c_str(), 0600), 0);
      deleter.choice = "Copy";
      deleter.answers = {Answer::Yes};
      sample.DeleteCompany();
      EXPECT_TRUE(fs::exists(dir / "Copy.qdt"));
      EXPECT_EQ(deleter.answers.size(), 1u);  // not even asked
      ASSERT_EQ(deleter.messages.size(), 1u);
      EXPECT_NE(deleter.messages[0].find("Its lock file " + LockFileOf(dir / "Copy.qdt").string()), std::string::npos);
      fs::remove(dir / "Copy.qdt");
      fs::remove(LockFileOf(dir / "Copy.qdt"));
    }

    // formet-cli's writing commands are refused and change nothing.
    for (const auto& args : WritingCommands(dir / "rows.csv")) {
      const auto r = test::RunCliProgram(dir.path(), args, {.seconds = 10});
      EXPECT_EQ(r.code, 1) << args[0] << ": " << r.out << r.err;
      EXPECT_NE(r.err.find(names), std::string::npos) << args[0] << ": " << r.err;
    }
    EXPECT_TRUE(StateOf(Company()) == before);
    // The commands that only read still work; the e-file check uses the
    // submitter's fields without saving them, and says so.
    for (const auto& args : ReadingCommands()) {
      const auto r = test::RunCliProgram(dir.path(), args, {.seconds = 10});
      EXPECT_EQ(r.code, 0) << args[0] << ": " << r.err;
      EXPECT_EQ(r.err.find("Formet cannot lock"), std::string::npos) << args[0] << ": " << r.err;
    }
    const auto check = test::RunCliProgram(dir.path(), {"efw2", kCompany, "--pin", "ZZ9999ZZ", "--check-only"});
    EXPECT_NE(check.code, -1);
    EXPECT_NE(check.err.find("formet-cli: note: the submitter's fields are used for this file only; they are not "
                             "saved in the company:\n"),
              std::string::npos)
        << check.err;
    EXPECT_NE(check.err.find(names), std::string::npos) << check.err;
    EXPECT_TRUE(StateOf(Company()) == before);
    fs::remove(Lock());
  }
}

TEST_F(LockTest, AnotherUsersLockFileLocksAsWellAsOurOwn) {
  // A lock file left by another user's program (owned by that user, 0644):
  // it is locked through a descriptor for reading.
  test::WriteBytes(Lock(), "");
  ASSERT_EQ(::chown(Lock().c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(Lock().c_str(), 0644), 0);
  const RefusedOpens refused(Lock(), false);
  const FileState before = StateOf(Company());
  const std::vector<std::string> add = {"add-employee", kCompany, "--ssn", "501-22-3346", "--first", "A", "--last",
                                        "B"};
  {
    // While that user's program holds it, nothing is written.
    const int theirs = ::open(Lock().c_str(), O_RDONLY);
    ASSERT_GE(theirs, 0);
    ASSERT_EQ(::flock(theirs, LOCK_EX | LOCK_NB), 0);
    const auto r = test::RunCli(dir.path(), add);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(OpenElsewhereMessage(kCompany)), std::string::npos) << r.err;
    EXPECT_TRUE(StateOf(Company()) == before);
    ::close(theirs);
  }
  // Once it has ended, the company is ours to change.
  const auto r = test::RunCli(dir.path(), add);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Added employee"), std::string::npos) << r.out;
}

TEST_F(LockTest, ALockFileThatCannotBeOpenedSaysWhoseItIsAndWhatToDo) {
  test::WriteBytes(Lock(), "");
  ASSERT_EQ(::chown(Lock().c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(Lock().c_str(), 0600), 0);
  const RefusedOpens refused(Lock(), true);
  const FileState before = StateOf(Company());
  const auto r = test::RunCli(dir.path(), {"add-employee", kCompany, "--ssn", "501-22-3347", "--first", "A", "--last",
                                           "B"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("Its lock file " + Lock().string() +
                       " belongs to the user nobody, and you are not allowed to open it."),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("If no Formet program has the company open, the file was left by one that has ended: ask "
                       "that user (or whoever looks after the folder) to remove it"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(StateOf(Company()) == before);
}

TEST_F(LockTest, ALockFileRemovedOrReplacedWhileHeldLetsNoSecondProgramIn) {
  ScriptedUi ui;
  auto doc = Doc(ui);
  ASSERT_TRUE(doc->OnNewDocument());
  const std::vector<std::string> add = {"add-employee", kCompany, "--ssn", "501-22-3348", "--first", "A", "--last",
                                        "B"};
  for (const char* how : {"removed", "replaced"}) {
    SCOPED_TRACE(how);
    if (std::string(how) == "removed") {
      ASSERT_TRUE(fs::remove(Lock()));
    } else {
      test::WriteBytes(dir / "other", "");
      fs::rename(dir / "other", Lock());
    }
    const FileState before = StateOf(Company());
    const auto r = test::RunCliProgram(dir.path(), add, {.seconds = 10});
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_NE(r.err.find(OpenElsewhereMessage(kCompany)), std::string::npos) << r.err;
    EXPECT_TRUE(StateOf(Company()) == before);
  }
  // The program that holds the company still saves.
  auto& employees = doc->GetEmployees();
  EmployeeRecord added;
  added.EmployeeUniqueID = NextUniqueId(employees, &EmployeeRecord::EmployeeUniqueID);
  employees.push_back(added);
  doc->SetModified(true);
  EXPECT_EQ(doc->AddPendingChange({ChangeKind::Employee, ChangeOp::Insert,
                                   static_cast<int32_t>(employees.size() - 1), added.EmployeeUniqueID},
                                  true),
            0);
  doc->OnCloseDocument();
  // Once it has let go, the company is free again.
  EXPECT_EQ(test::RunCliProgram(dir.path(), add).code, 0);
}

TEST_F(LockTest, LockFilesFollowTheUsersPermissionMask) {
  const mode_t old = ::umask(002);  // a folder shared by a group
  CompanyLock lock;
  ASSERT_EQ(lock.Acquire(Company()), CompanyLock::Outcome::Held);
  struct stat st {};
  ASSERT_EQ(::stat(Lock().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0664u);
  lock.Release();
  ::umask(077);
  ASSERT_EQ(lock.Acquire(Company()), CompanyLock::Outcome::Held);
  ASSERT_EQ(::stat(Lock().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ::umask(old);
}

TEST_F(LockTest, ACompanyThatCannotBeWrittenOpensOnlyForTheCommandsThatRead) {
  // The company file refuses to be opened for writing, as a file of another
  // user (or on a read-only disk) does.
  const RefusedOpens refused(Company(), false);
  const FileState before = StateOf(Company());
  for (const auto& args : ReadingCommands()) {
    const auto r = test::RunCli(dir.path(), args);
    EXPECT_EQ(r.code, 0) << args[0] << ": " << r.err;
    EXPECT_EQ(r.err.find("cannot be written"), std::string::npos) << args[0] << ": " << r.err;
  }
  const auto check = test::RunCli(dir.path(), {"efw2", kCompany, "--pin", "ZZ9999ZZ", "--check-only"});
  EXPECT_NE(check.err.find("they are not saved in the company:\nFormet can read the company"), std::string::npos)
      << check.err;
  const auto printed = test::RunCli(dir.path(), {"print", "w3", kCompany, "--out", (dir / "w3.pdf").string()});
  EXPECT_EQ(printed.code, 0) << printed.err;
  EXPECT_TRUE(fs::exists(dir / "w3.pdf"));

  const std::string readOnly = "Formet can read the company \"Sample Company\" but not change it: its file " +
                               Company().string() + " cannot be written (you are not allowed to write there).";
  for (const auto& args : WritingCommands(dir / "rows.csv")) {
    const auto r = test::RunCli(dir.path(), args);
    EXPECT_EQ(r.code, 1) << args[0];
    EXPECT_NE(r.err.find(readOnly), std::string::npos) << args[0] << ": " << r.err;
    EXPECT_EQ(r.err.find("Formet failed to open file."), std::string::npos) << args[0] << ": " << r.err;
  }
  EXPECT_TRUE(StateOf(Company()) == before);

  // The desktop's document does not open it to change it either.
  ScriptedUi ui;
  auto doc = Doc(ui);
  EXPECT_FALSE(doc->OnNewDocument());
  EXPECT_EQ(ui.messages, std::vector<std::string>{ReadOnlyCompanyMessage(kCompany, Company(), EACCES)});
}

}  // namespace
}  // namespace formet
