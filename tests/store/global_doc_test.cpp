// The company document: loading, the journal, saving, and the company commands.
#include "store/global_doc.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;

const std::string kLastActiveKey = "SOFTWARE\\Quorvane\\Formet (2007)\\Last Active Company";

// Creates a company file the way Company > New does, with a fresh document.
void MakeCompany(const fs::path& folder, const std::string& name) {
  ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, folder);
  doc.BeginSession();
  ui.newCompany = NewCompanyEntry{name, ""};
  ASSERT_TRUE(doc.NewCompany()) << (ui.messages.empty() ? "" : ui.messages[0]);
}

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeCompany(dir.path(), "Sample Company");
    MakeCompany(dir.path(), "Acme");
  }
  // A document loaded the way the program starts.
  std::unique_ptr<CGlobalDoc> Start() {
    auto doc = std::make_unique<CGlobalDoc>(ui, settings, dir.path());
    EXPECT_TRUE(doc->OnNewDocument()) << (ui.messages.empty() ? "" : ui.messages.back());
    return doc;
  }
  EmployeeRecord& AddEmployee(CGlobalDoc& doc, const std::string& last, bool saveNow) {
    auto& list = doc.GetEmployees();
    EmployeeRecord e;
    e.EmployeeUniqueID = NextUniqueId(list, &EmployeeRecord::EmployeeUniqueID);
    e.SetLastName(last);
    list.push_back(e);
    doc.SetModified(true);
    doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, int32_t(list.size() - 1), e.EmployeeUniqueID},
                         saveNow);
    return list.back();
  }
  std::vector<EmployeeRecord> StoredEmployees(const std::string& company) {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(dir / (company + ".qdt")), 0);
    std::vector<EmployeeRecord> list;
    EXPECT_EQ(db.ReadEmployees(list), 0);
    return list;
  }

  TempDir dir;
  ScriptedUi ui;
  MemorySettingsStore settings;
};

TEST_F(DocTest, NewCompanyCreatesFileWithItsThreeRows) {
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
  CompanyRecord company;
  ASSERT_EQ(db.ReadCompany(company), 0);
  EXPECT_EQ(company.EmployerName(), "Acme");
  for (const char* table : {"Company", "EFiling_1099_Transmitter", "EFiling_W2_Submitter"}) {
    std::vector<std::string> ids;
    db.Execute(std::string("SELECT * FROM ") + table, [&](int, char** v) { ids.push_back(v[0]); });
    EXPECT_EQ(ids, std::vector<std::string>{"1"}) << table;
  }
}

TEST_F(DocTest, NewWithExistingNameOpensIt) {
  settings.WriteText(kLastActiveKey, "Value", "Sample Company");
  auto doc = Start();
  AddEmployee(*doc, "Kept", true);
  ui.newCompany = NewCompanyEntry{"ACME", ""};  // names compare without regard to case
  ASSERT_TRUE(doc->NewCompany());
  EXPECT_EQ(ui.messages, std::vector<std::string>{"This company already exists"});
  EXPECT_EQ(doc->GetCompany().EmployerName(), "Acme");
  EXPECT_TRUE(doc->GetEmployees().empty());
  // The company opened is Acme, under its own name: closing it keeps its file.
  EXPECT_EQ(doc->CompanyName(), "Acme");
  EXPECT_EQ(ui.title, "Acme - Formet (2007)");
  EXPECT_EQ(ui.companyPageShown, 1);
  doc->OnCloseDocument();
  EXPECT_FALSE(fs::exists(dir / "ACME.qdt"));
  EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
  EXPECT_EQ(settings.ReadText(kLastActiveKey, "Value"), "Acme");
}

TEST_F(DocTest, NewAsksToSaveChangesFirst) {
  auto doc = Start();
  AddEmployee(*doc, "Pending", false);
  ui.answers = {Answer::Cancel};
  ui.newCompany = NewCompanyEntry{"Beta", ""};
  EXPECT_FALSE(doc->NewCompany());
  EXPECT_EQ(ui.questions.back(), "Do you want to save the changes you made to this Company?");
  EXPECT_FALSE(fs::exists(dir / "Beta.qdt"));

  ui.answers = {Answer::Yes};
  EXPECT_TRUE(doc->NewCompany());
  EXPECT_EQ(StoredEmployees("Sample Company").size(), 1u);
  EXPECT_TRUE(fs::exists(dir / "Beta.qdt"));
  EXPECT_TRUE(doc->Journal().empty());
}

TEST_F(DocTest, StartUpOpensLastActiveCompanyOrSample) {
  settings.WriteText(kLastActiveKey, "Value", "Acme");
  {
    auto doc = Start();
    EXPECT_EQ(doc->CompanyName(), "Acme");
    EXPECT_EQ(ui.title, "Acme - Formet (2007)");
  }
  fs::remove(dir / "Acme.qdt");
  auto doc = Start();
  EXPECT_EQ(doc->CompanyName(), "Sample Company");

  // Neither exists: the load fails with a message and the program cannot start.
  fs::remove(dir / "Sample Company.qdt");
  ui.messages.clear();
  CGlobalDoc empty(ui, settings, dir.path());
  EXPECT_FALSE(empty.OnNewDocument());
  ASSERT_EQ(ui.messages.size(), 1u);
}

TEST_F(DocTest, StoredPrintOptionsOutOfRangeAreReplacedAndToldOnce) {
  settings.WriteNumber(std::string(kSettingsRoot) + "\\Form W2 Print Options", "W2 Horizontal Offset Value",
                       4294967295u);
  auto doc = Start();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0],
            "Some print options stored in your settings are outside what the print options accept, so Formet uses "
            "their defaults instead:\n\nW2 Horizontal Offset Value 42949672.95 inches (now 0.00 inches)\n\nCheck "
            "the print options before you print.");
  EXPECT_EQ(doc->GetPrintSettings(PrintForm::W2).horizontalOffset, 0);
  doc->BeginSession();
  ui.choice = "Acme";
  ASSERT_TRUE(doc->OpenCompany());
  EXPECT_EQ(ui.messages.size(), 1u);  // told once
}

TEST_F(DocTest, LoadFailuresShowTheirMessages) {
  // A standard engine file under a company name.
  {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "Plain.qdt").c_str(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
  }
  // A company file whose employee table is missing.
  MakeCompany(dir.path(), "Broken");
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Broken.qdt"), 0);
    ASSERT_EQ(db.Execute("DROP TABLE Employees"), 0);
  }
  struct Case {
    std::string company, message;
  } cases[] = {
      {"Plain",
       "Formet failed to upgrade Database.\n\nEngine Error Code: 26\n\nThe file is not a company file of Formet, or "
       "it is damaged."},
      {"Broken",
       "Formet failed to read Database Part2.\n\nEngine Error Code: 1\n\nThe company file does not hold what "
       "Formet expects (a table or column is missing)."},
  };
  for (const auto& c : cases) {
    ui.messages.clear();
    CGlobalDoc doc(ui, settings, dir.path());
    doc.BeginSession();
    doc.SetCompany(c.company);
    EXPECT_FALSE(doc.OnNewDocument());
    EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
    EXPECT_FALSE(doc.IsLoaded());
  }
  // A file that is not there.
  settings.WriteText(kLastActiveKey, "Value", "Sample Company");
  ScriptedUi ui2;
  CGlobalDoc doc(ui2, settings, dir.path());
  ASSERT_TRUE(doc.OnNewDocument());
  doc.SetCompany("Missing");
  EXPECT_FALSE(doc.OnNewDocument());
  EXPECT_EQ(ui2.messages, std::vector<std::string>{"Formet failed to open file.\n\nThe company file " +
                                                   (dir / "Missing.qdt").string() +
                                                   " is not there (it may have been moved, renamed or deleted)."});
}

TEST_F(DocTest, SaveWritesTheJournalInOneTransaction) {
  auto doc = Start();
  AddEmployee(*doc, "One", false);
  AddEmployee(*doc, "Two", false);
  EXPECT_TRUE(StoredEmployees("Sample Company").empty());
  EXPECT_EQ(doc->SaveChanges(), 0);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(doc->Journal().empty());
  const auto stored = StoredEmployees("Sample Company");
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].LastName(), "Two");

  // An update writes the record as it is in memory.
  doc->GetEmployees()[0].SetFirstName("Changed");
  doc->SetModified(true);
  EXPECT_EQ(doc->AddPendingChange({ChangeKind::Employee, ChangeOp::Update, 0, 1}, true), 0);
  EXPECT_EQ(StoredEmployees("Sample Company")[0].FirstName(), "Changed");
}

TEST_F(DocTest, FailedSaveRollsBackAndKeepsTheJournal) {
  auto doc = Start();
  AddEmployee(*doc, "Saved", true);
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Sample Company.qdt"), 0);
    ASSERT_EQ(db.Execute("CREATE TRIGGER NoW2 BEFORE INSERT ON W2 BEGIN SELECT RAISE(ABORT, 'refused'); END"), 0);
  }
  AddEmployee(*doc, "Pending", false);
  auto& forms = doc->GetW2Forms();
  forms.push_back(W2Record{});
  forms.back().W2UniqueID = 1;
  doc->AddPendingChange({ChangeKind::W2, ChangeOp::Insert, 0, 1}, false);
  const auto journal = doc->Journal();

  EXPECT_NE(doc->SaveChanges(), 0);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->Journal(), journal);
  EXPECT_EQ(StoredEmployees("Sample Company").size(), 1u);  // the employee insert was undone too

  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Sample Company.qdt"), 0);
    ASSERT_EQ(db.Execute("DROP TRIGGER NoW2"), 0);
  }
  EXPECT_EQ(doc->SaveChanges(), 0);
  EXPECT_EQ(StoredEmployees("Sample Company").size(), 2u);

  // Closing with unsaved changes that cannot be saved keeps the program open.
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Sample Company.qdt"), 0);
    ASSERT_EQ(db.Execute("CREATE TRIGGER NoEmp BEFORE INSERT ON Employees BEGIN SELECT RAISE(ABORT, 'x'); END"), 0);
  }
  AddEmployee(*doc, "Unsaved", false);
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(doc->SaveModified());
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().rfind("Formet failed to save the changes.\n\nEngine Error Code: ", 0), 0u);
  EXPECT_TRUE(doc->IsModified());
}

TEST(Journal, Compaction) {
  using K = ChangeKind;
  using O = ChangeOp;
  const PendingChange insE1{K::Employee, O::Insert, 0, 1}, updE1{K::Employee, O::Update, 0, 1},
      delE1{K::Employee, O::Delete, 0, 1}, insW1{K::W2, O::Insert, 0, 1}, updE2{K::Employee, O::Update, 1, 2},
      delE2{K::Employee, O::Delete, 1, 2}, insE2{K::Employee, O::Insert, 1, 2};
  struct Case {
    const char* what;
    std::vector<PendingChange> journal, expected;
  } cases[] = {
      {"insert then delete leaves nothing", {insE1, updE1, delE1}, {}},
      {"update then delete keeps the delete", {updE2, delE2}, {delE2}},
      {"other kinds with the same id stay", {insE1, insW1, delE1}, {insW1}},
      {"unrelated entries keep their order", {updE2, insE1, insW1, delE1, updE2}, {updE2, insW1, updE2}},
      // A record that takes the id of a deleted one is a new record.
      {"an id reused after a delete is kept", {updE2, delE2, insE2}, {delE2, insE2}},
  };
  for (auto& c : cases) {
    CompactJournal(c.journal);
    EXPECT_EQ(c.journal, c.expected) << c.what;
  }
}

TEST_F(DocTest, InsertThenDeleteBeforeSavingWritesNothing) {
  auto doc = Start();
  auto& e = AddEmployee(*doc, "Brief", false);
  const int32_t id = e.EmployeeUniqueID;
  doc->GetEmployees().pop_back();
  doc->AddPendingChange({ChangeKind::Employee, ChangeOp::Delete, 0, id}, false);
  const auto before = ReadBytes(dir / "Sample Company.qdt");
  EXPECT_EQ(doc->SaveChanges(), 0);
  EXPECT_EQ(ReadBytes(dir / "Sample Company.qdt"), before);
}

TEST(UniqueIds, LargestPlusOne) {
  std::vector<EmployeeRecord> list;
  EXPECT_EQ(NextUniqueId(list, &EmployeeRecord::EmployeeUniqueID), 1);
  for (int id : {1, 2, 5}) {
    list.emplace_back();
    list.back().EmployeeUniqueID = id;
  }
  EXPECT_EQ(NextUniqueId(list, &EmployeeRecord::EmployeeUniqueID), 6);
}

TEST_F(DocTest, OpenListsSampleCompanyDeleteDoesNot) {
  auto doc = Start();
  ui.choice = "Acme";
  ASSERT_TRUE(doc->OpenCompany());
  EXPECT_EQ(ui.offeredCompanies, (std::vector<std::string>{"Acme", "Sample Company"}));
  EXPECT_EQ(doc->CompanyName(), "Acme");
  EXPECT_EQ(ui.title, "Acme - Formet (2007)");

  ui.choice = "Acme";
  doc->DeleteCompany();
  EXPECT_EQ(ui.offeredCompanies, std::vector<std::string>{"Acme"});
  EXPECT_EQ(ui.messages.back(), "You can't delete currently opened company.");
  EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
  EXPECT_TRUE(doc->CanDeleteCompany());

  fs::remove(dir / "Acme.qdt");
  EXPECT_FALSE(doc->CanDeleteCompany());
}

TEST_F(DocTest, DeletingTwiceKeepsTheNewerDeletedFile) {
  auto doc = Start();
  for (int round = 0; round < 2; ++round) {
    if (round == 1) MakeCompany(dir.path(), "Acme");
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
    ASSERT_EQ(db.Execute("UPDATE Company SET City='round " + std::to_string(round) + "'"), 0);
    db.Close();
    ui.choice = "Acme";
    ui.answers = {Answer::Yes};
    doc->DeleteCompany();
    EXPECT_EQ(ui.questions.back(), "Are you sure you want to delete this company?\n\nAcme");  // names it
    EXPECT_FALSE(fs::exists(dir / "Acme.qdt"));
  }
  ASSERT_TRUE(fs::exists(dir / "Acme.qdt.del"));
  EXPECT_NE(ReadBytes(dir / "Acme.qdt.del").find("round 1"), std::string::npos);
  int deleted = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) deleted += entry.path().extension() == ".del";
  EXPECT_EQ(deleted, 1);

  // No deletes without Yes.
  MakeCompany(dir.path(), "Acme");
  ui.choice = "Acme";
  ui.answers = {Answer::No};
  doc->DeleteCompany();
  EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
}

TEST_F(DocTest, RenamedCompanyTakesItsNewNameAtClose) {
  settings.WriteText(kLastActiveKey, "Value", "Acme");
  auto doc = Start();
  doc->GetCompany().SetEmployerName("Acme West");
  doc->SetWindowTitle("Acme West");
  EXPECT_EQ(ui.title, "Acme West - Formet (2007)");
  AddEmployee(*doc, "Saved", true);
  EXPECT_EQ(StoredEmployees("Acme").size(), 1u);  // saves still go to Acme.qdt
  doc->OnCloseDocument();
  EXPECT_FALSE(fs::exists(dir / "Acme.qdt"));
  EXPECT_TRUE(fs::exists(dir / "Acme West.qdt"));
  EXPECT_EQ(settings.ReadText(kLastActiveKey, "Value"), "Acme West");
}

TEST_F(DocTest, CloseNeverOverwritesAnotherCompany) {
  settings.WriteText(kLastActiveKey, "Value", "Acme");
  auto doc = Start();
  const auto sample = ReadBytes(dir / "Sample Company.qdt");
  doc->SetWindowTitle("Sample Company");
  doc->OnCloseDocument();
  EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
  EXPECT_EQ(ReadBytes(dir / "Sample Company.qdt"), sample);
  EXPECT_EQ(settings.ReadText(kLastActiveKey, "Value"), "Acme");  // unchanged

  doc->SetWindowTitle("A/B");  // not a file name
  doc->OnCloseDocument();
  EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
}

TEST_F(DocTest, ResetAndRefreshReachRegisteredViews) {
  struct View : DocumentView {
    int refreshed = 0, reset = 0;
    void OnDocumentRefresh() override { ++refreshed; }
    void OnDocumentReset() override { ++reset; }
  } view;
  auto doc = Start();
  doc->AddView(&view);
  AddEmployee(*doc, "X", false);
  doc->GetForm1096().SetExtraText1("kept");
  doc->ResetContents();
  EXPECT_EQ(view.reset, 1);
  EXPECT_TRUE(doc->GetEmployees().empty());
  EXPECT_TRUE(doc->Journal().empty());
  EXPECT_EQ(doc->GetForm1096().ExtraText1(), "kept");
  doc->RefreshAllViews();
  EXPECT_EQ(view.refreshed, 1);
  doc->RemoveView(&view);
  doc->RefreshAllViews();
  EXPECT_EQ(view.refreshed, 1);
}

TEST_F(DocTest, CompanyNamesWithAccentsUseUtf8FileNames) {
  MakeCompany(dir.path(), "Caf\xE9 Ol\xE9");
  EXPECT_TRUE(fs::exists(dir / "Caf\xC3\xA9 Ol\xC3\xA9.qdt"));
  auto doc = Start();
  ASSERT_TRUE(doc->ListCompanies(true));
  EXPECT_EQ(doc->CompanyNames(), (std::vector<std::string>{"Acme", "Caf\xE9 Ol\xE9", "Sample Company"}));
  EXPECT_TRUE(doc->CompanyFileExists("CAF\xC9 OL\xC9"));
}

}  // namespace
}  // namespace formet
