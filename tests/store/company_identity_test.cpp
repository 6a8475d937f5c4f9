// A company is its file: one rule finds it by name, New makes it whole or not
// at all, Delete never removes the open one, a save never makes a file, and
// one company that fails to load does not keep the program from starting.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <set>

#include "cli_process.h"
#include "cli_runner.h"
#include "store/company_database.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

const std::string kLastActiveKey = "SOFTWARE\\Quorvane\\Formet (2007)\\Last Active Company";

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class IdentityTest : public ::testing::Test {
 protected:
  void Make(const std::string& name) {
    ScriptedUi makeUi;
    CGlobalDoc maker(makeUi, settings, dir.path());
    maker.BeginSession();
    makeUi.newCompany = NewCompanyEntry{name, ""};
    ASSERT_TRUE(maker.NewCompany()) << (makeUi.messages.empty() ? "" : makeUi.messages.back());
  }
  // A company file under `fileName`, whose employer name tells it apart.
  void MakeFile(const std::string& fileName, const std::string& employer) {
    Make("Maker");
    {
      CompanyDatabase db;
      ASSERT_EQ(db.Open(dir / "Maker.qdt"), 0);
      ASSERT_EQ(db.Execute("UPDATE Company SET EmployerName='" + employer + "'"), 0);
    }
    fs::rename(dir / "Maker.qdt", dir / fileName);
  }
  std::string EmployerIn(const std::string& fileName) {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / fileName), 0);
    CompanyRecord c;
    EXPECT_EQ(db.ReadCompany(c), 0);
    return c.EmployerName();
  }
  std::unique_ptr<CGlobalDoc> Open(const std::string& name) {
    auto doc = std::make_unique<CGlobalDoc>(ui, settings, dir.path());
    doc->BeginSession();
    doc->SetCompany(name);
    EXPECT_TRUE(doc->OnNewDocument()) << (ui.messages.empty() ? "" : ui.messages.back());
    return doc;
  }

  TempDir dir;
  ScriptedUi ui;
  MemorySettingsStore settings;
};

TEST_F(IdentityTest, OneRuleFindsACompanyByName) {
  MakeFile("ACME.qdt", "Upper");
  MakeFile("Acme.qdt", "Mixed");
  MakeFile("Gamma.QDT", "Gamma");
  // Every company file is listed, and each name opens its own file.
  auto r = test::RunCli(dir.path(), {"list"});
  EXPECT_EQ(r.out, "ACME\nAcme\nGamma\n");
  for (const auto& [name, employer] :
       std::vector<std::pair<std::string, std::string>>{{"ACME", "Upper"}, {"Acme", "Mixed"}, {"Gamma", "Gamma"},
                                                        {"gamma", "Gamma"}}) {
    r = test::RunCli(dir.path(), {"dump", name});
    ASSERT_EQ(r.code, 0) << name << r.err;
    EXPECT_NE(r.out.find("\"EmployerName\": \"" + employer + "\""), std::string::npos) << name;
  }
  // A name that matches two files only without regard to case opens neither.
  r = test::RunCli(dir.path(), {"dump", "acme"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("there is no company \"acme\""), std::string::npos) << r.err;

  // An add goes to the company named, not to another one of similar name.
  r = test::RunCli(dir.path(), {"add-employee", "Acme", "--ssn", "123-45-6789", "--first", "A", "--last", "B"});
  ASSERT_EQ(r.code, 0) << r.err;
  CompanyDatabase db;
  std::vector<EmployeeRecord> employees;
  ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
  ASSERT_EQ(db.ReadEmployees(employees), 0);
  EXPECT_EQ(employees.size(), 1u);
  employees.clear();
  ASSERT_EQ(db.Open(dir / "ACME.qdt"), 0);
  ASSERT_EQ(db.ReadEmployees(employees), 0);
  EXPECT_TRUE(employees.empty());
  db.Close();

  // Delete removes the file of the name chosen.
  Make("Sample Company");
  auto doc = Open("Sample Company");
  ui.choice = "ACME";
  ui.answers = {Answer::Yes};
  doc->DeleteCompany();
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"ACME.qdt.del", "Acme.qdt", "Gamma.QDT", "Sample Company.qdt",
                                                         "Sample Company.qdt.lock"}));
}

TEST_F(IdentityTest, NoNameEqualsAnotherCompanysWithoutRegardToCase) {
  Make("Acme");
  Make("Beta");
  // New "ACME" opens Acme as Acme; closing it renames nothing.
  {
    auto doc = Open("Beta");
    ui.newCompany = NewCompanyEntry{"ACME", ""};
    ASSERT_TRUE(doc->NewCompany());
    EXPECT_EQ(ui.messages.back(), "This company already exists");
    EXPECT_EQ(doc->CompanyName(), "Acme");
    doc->OnCloseDocument();
  }
  // Beta's employer name becomes "ACME": at close Beta keeps its file.
  {
    auto doc = Open("Beta");
    doc->GetCompany().SetEmployerName("ACME");
    doc->SetWindowTitle("ACME");
    doc->OnCloseDocument();
  }
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Acme.qdt", "Beta.qdt"}));
  EXPECT_EQ(EmployerIn("Acme.qdt"), "Acme");
  EXPECT_EQ(settings.ReadText(kLastActiveKey, "Value"), "Beta");
  // A change of letter case alone is the same company: its file follows.
  {
    auto doc = Open("Beta");
    doc->SetWindowTitle("BETA");
    doc->OnCloseDocument();
  }
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Acme.qdt", "BETA.qdt"}));
  EXPECT_EQ(settings.ReadText(kLastActiveKey, "Value"), "BETA");
}

TEST_F(IdentityTest, DeleteNeverRemovesTheOpenCompany) {
  Make("Acme");
  Make("Sample Company");
  for (const char* how : {"renamed in memory", "opened as ACME"}) {
    SCOPED_TRACE(how);
    std::unique_ptr<CGlobalDoc> doc;
    if (std::string_view(how) == "renamed in memory") {
      doc = Open("Acme");
      doc->GetCompany().SetEmployerName("Acme West");
      doc->SetWindowTitle("Acme West");
    } else {
      doc = Open("Sample Company");
      ui.newCompany = NewCompanyEntry{"ACME", ""};
      ASSERT_TRUE(doc->NewCompany());
    }
    ui.messages.clear();
    ui.choice = "Acme";
    ui.answers = {Answer::Yes};
    doc->DeleteCompany();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"You can't delete currently opened company."});
    EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
    ui.answers.clear();
  }
}

TEST_F(IdentityTest, ASaveNeverMakesACompanyFile) {
  Make("Acme");
  auto doc = Open("Acme");
  fs::rename(dir / "Acme.qdt", dir / "Elsewhere.qdt");  // the file went away under the program
  auto& list = doc->GetEmployees();
  list.push_back(EmployeeRecord{});
  list.back().EmployeeUniqueID = 1;
  doc->SetModified(true);
  EXPECT_EQ(doc->AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, 0, 1}, true), SQLITE_CANTOPEN);
  EXPECT_FALSE(fs::exists(dir / "Acme.qdt"));
  EXPECT_TRUE(doc->IsModified());

  CompanyDatabase db;
  EXPECT_EQ(db.Open(dir / "Missing.qdt"), SQLITE_CANTOPEN);
  EXPECT_FALSE(fs::exists(dir / "Missing.qdt"));
}

TEST_F(IdentityTest, ACompanyThatFailsToLoadDoesNotKeepTheProgramFromStarting) {
  Make("Sample Company");
  Make("Acme");
  Make("Broken");
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Broken.qdt"), 0);
    ASSERT_EQ(db.Execute("DROP TABLE Employees"), 0);
  }
  // Opening Broken fails: the company open before comes back, and stays the
  // last active one.
  settings.WriteText(kLastActiveKey, "Value", "Acme");
  {
    CGlobalDoc doc(ui, settings, dir.path());
    ASSERT_TRUE(doc.OnNewDocument());
    ui.choice = "Broken";
    EXPECT_FALSE(doc.OpenCompany());
    EXPECT_EQ(ui.messages.back(),
              "Formet failed to read Database Part2.\n\nEngine Error Code: 1\n\nThe company file does not hold "
              "what Formet expects (a table or column is missing).");
    EXPECT_TRUE(doc.IsLoaded());
    EXPECT_EQ(doc.CompanyName(), "Acme");
    doc.OnCloseDocument();
  }
  EXPECT_EQ(settings.ReadText(kLastActiveKey, "Value"), "Acme");

  // The last active company fails: the user is told why, and Sample Company opens.
  settings.WriteText(kLastActiveKey, "Value", "Broken");
  ui.messages.clear();
  {
    CGlobalDoc doc(ui, settings, dir.path());
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Formet could not open \"Broken\", the company you used last.\n\n"
                                                    "Formet failed to read Database Part2.\n\nEngine Error Code: 1"
                                                    "\n\nThe company file does not hold what Formet expects (a "
                                                    "table or column is missing)."});
    EXPECT_EQ(doc.CompanyName(), "Sample Company");
    doc.OnCloseDocument();
  }
  EXPECT_EQ(settings.ReadText(kLastActiveKey, "Value"), "Sample Company");

  // Sample Company fails too: the user picks from the companies left.
  WriteBytes(dir / "Sample Company.qdt", "not a company");
  settings.WriteText(kLastActiveKey, "Value", "Broken");
  ui.messages.clear();
  ui.choice = "Acme";
  {
    CGlobalDoc doc(ui, settings, dir.path());
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].rfind("Formet could not open \"Sample Company\".\n\nFormet failed to ", 0), 0u);
    EXPECT_EQ(ui.offeredCompanies, std::vector<std::string>{"Acme"});
    EXPECT_EQ(doc.CompanyName(), "Acme");
  }
  // ... and may decline.
  ui.choice.reset();
  CGlobalDoc doc(ui, settings, dir.path());
  EXPECT_FALSE(doc.OnNewDocument());
  EXPECT_FALSE(doc.IsLoaded());
}

TEST_F(IdentityTest, NewMakesTheWholeCompanyOrNothing) {
  // Written with little room: the new file cannot be completed.
  auto r = test::RunCliProgram(dir.path(), {"new", "Acme"}, {.seconds = 20, .fileSizeBytes = 12 * 1024});
  ASSERT_FALSE(r.timedOut);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err.rfind("Formet failed to create the company.\n\nEngine Error Code: ", 0), 0u) << r.err;
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{});
  r = test::RunCliProgram(dir.path(), {"new", "Acme"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(EmployerIn("Acme.qdt"), "Acme");

  // What a New stopped part-way leaves is no company, and is replaced.
  WriteBytes(dir / "Beta.qdt__FORMET__NEW", "half");
  WriteBytes(dir / "Beta.qdt__FORMET__NEW-journal", "half");
  EXPECT_EQ(test::RunCli(dir.path(), {"list"}).out, "Acme\n");
  r = test::RunCliProgram(dir.path(), {"new", "Beta"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Acme.qdt", "Beta.qdt"}));

  // A name whose company file would fit but not the files made beside it is
  // refused before anything is written.
  const long max = ::pathconf(dir.path().c_str(), _PC_NAME_MAX);
  const std::string tooLong(static_cast<size_t>(max) - 11, 'n');  // "-journal" would not fit
  r = test::RunCliProgram(dir.path(), {"new", tooLong});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("is too long for a company file"), std::string::npos) << r.err;
  EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Acme.qdt", "Beta.qdt"}));
  const std::string longest(static_cast<size_t>(max) - 4 - 27, 'n');
  EXPECT_TRUE(FitsAsCompanyFileName(longest, dir.path()));
  EXPECT_FALSE(FitsAsCompanyFileName(longest + "n", dir.path()));
  r = test::RunCliProgram(dir.path(), {"new", longest});
  EXPECT_EQ(r.code, 0) << r.err;
}

}  // namespace
}  // namespace formet
