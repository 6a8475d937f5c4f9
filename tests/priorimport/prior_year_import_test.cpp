// The prior-year import without a window: the tick sequence, the search for
// the previous release, and the copying of company files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <set>

#include "prior_import_fixture.h"
#include "store/conversion.h"
#include "store/global_doc.h"
#include "store/prior_year_import.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using Outcome = PriorYearImport::Outcome;

constexpr const char* kNotFound = "The Formet 2006 database folder couldn\x92t be found.\nOperation Cancelled.";
constexpr const char* kEnumerateFailed = "Enumerating companies for the tax year 2006, failed.\nOperation Cancelled.";
constexpr const char* kWorkCopyFailed =
    "Upgrading companies for the tax year 2006 into tax year 2007 failed.\nOperation Cancelled.";
constexpr const char* kSucceeded =
    "Importing clients for the Tax Year 2006 completed successfully.\nFrom the menu, select \"Company\" and then "
    "\"Open\" to open any of the imported companies.";

class RecordingProgress : public PriorYearProgress {
 public:
  bool asking = false;
  bool cancel = false;
  std::vector<int> marks;
  std::vector<int> counters;

  bool IsAsking() const override { return asking; }
  bool CancelConfirmed() const override { return cancel; }
  void MarkStep(int step) override { marks.push_back(step); }
  void ShowCounter(int counter) override { counters.push_back(counter); }
};

// The names in a folder, with their contents.
std::map<std::string, std::string> FolderContents(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder))
    files[entry.path().filename().string()] = entry.is_regular_file() ? test::ReadBytes(entry.path()) : "<folder>";
  return files;
}

using PriorYearImportTest = test::PriorImportFixture;

fs::path wine(const test::ScratchMachine& m) { return m.home / ".wine"; }

TEST_F(PriorYearImportTest, EachStepTakes101TicksAndWorksOnItsFifth) {
  SetInstallPath(Install(dir / "old", {{"A.qdt", "a"}, {"B.qdt", "b"}, {"C.qdt", "c"}}));
  PriorYearImport import(settings, data, Roots());
  RecordingProgress progress;
  ASSERT_TRUE(import.Start());
  auto tick = [&] { return import.Tick(progress).outcome; };

  // Step 0: the search runs on the fifth tick, not before.
  for (int i = 0; i < 4; ++i) ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_TRUE(import.PreviousDataFolder().empty());
  ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_EQ(import.PreviousDataFolder(), dir / "old" / "DatabaseFiles");
  EXPECT_TRUE(import.SourcePaths().empty());
  for (int i = 5; i < 100; ++i) ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_EQ(import.Step(), 0);
  EXPECT_EQ(import.Counter(), 100);
  std::vector<int> oneToHundred;
  for (int i = 1; i <= 100; ++i) oneToHundred.push_back(i);
  EXPECT_EQ(progress.counters, oneToHundred);
  EXPECT_TRUE(progress.marks.empty());

  // The 101st tick begins step 1 with an empty bar.
  ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_EQ(import.Step(), 1);
  EXPECT_EQ(import.Counter(), 0);
  EXPECT_EQ(progress.marks, std::vector<int>{1});
  EXPECT_EQ(progress.counters.back(), 0);

  for (int i = 0; i < 4; ++i) ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_TRUE(import.SourcePaths().empty());
  ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_EQ(import.SourcePaths().size(), 3u);
  for (int i = 5; i <= 100; ++i) ASSERT_EQ(tick(), Outcome::Running);
  ASSERT_EQ(import.Step(), 2);

  // Step 2: each file copied moves the counter on by one.
  for (int i = 0; i < 4; ++i) ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_FALSE(fs::exists(WorkFolder()));
  progress.counters.clear();
  ASSERT_EQ(tick(), Outcome::Running);
  EXPECT_EQ(progress.counters, (std::vector<int>{6, 7, 8, 8}));
  EXPECT_EQ(import.Counter(), 8);
  EXPECT_EQ(FolderContents(WorkFolder()).size(), 3u);
  EXPECT_TRUE(FolderContents(data).empty());

  // So step 2 ends three ticks early, and the whole import after 505 - 3.
  int ticks = 202 + 5;
  Outcome outcome;
  while ((outcome = tick()) == Outcome::Running) ++ticks;
  ++ticks;
  EXPECT_EQ(outcome, Outcome::Succeeded);
  EXPECT_EQ(ticks, 505 - 3);
  EXPECT_EQ(progress.marks, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_FALSE(import.IsRunning());
  EXPECT_EQ(import.Step(), 0);
  EXPECT_EQ(import.Counter(), 0);
  EXPECT_EQ(import.Tick(progress).outcome, Outcome::Idle);
  EXPECT_EQ(FolderContents(data), (std::map<std::string, std::string>{{"A.qdt", "a"}, {"B.qdt", "b"}, {"C.qdt", "c"}}));
}

TEST_F(PriorYearImportTest, SuccessMessageAndCaptions) {
  SetInstallPath(Install(dir / "old", {{"A.qdt", "a"}}));
  PriorYearImport import(settings, data, Roots());
  RecordingProgress progress;
  import.Start();
  const auto [result, ticks] = RunToEnd(import, progress);
  EXPECT_EQ(result.outcome, Outcome::Succeeded);
  EXPECT_EQ(result.message, kSucceeded);
  EXPECT_EQ(ticks, 505 - 1);
  const std::vector<std::string> captions(PriorYearImport::kCaptions.begin(), PriorYearImport::kCaptions.end());
  EXPECT_EQ(captions, (std::vector<std::string>{"Searching for Formet 2006 Database Folder", "Enumerating Companies",
                                                "Upgrading Companies to 2007 Version",
                                                "Copying Companies to Formet 2007 Database Folder",
                                                "Refreshing Company List"}));
}

TEST_F(PriorYearImportTest, ManyFilesEndTheCopyingStepOnItsFifthTick) {
  std::map<std::string, std::string> files;
  for (int i = 0; i < 100; ++i) files["Client " + std::to_string(i) + ".qdt"] = std::to_string(i);
  SetInstallPath(Install(dir / "old", files));
  PriorYearImport import(settings, data, Roots());
  RecordingProgress progress;
  import.Start();
  for (int i = 0; i < 202 + 4; ++i) ASSERT_EQ(import.Tick(progress).outcome, Outcome::Running);
  ASSERT_EQ(import.Step(), 2);
  progress.counters.clear();
  ASSERT_EQ(import.Tick(progress).outcome, Outcome::Running);
  EXPECT_EQ(import.Step(), 3);
  EXPECT_EQ(import.Counter(), 0);
  ASSERT_EQ(progress.counters.size(), 101u);  // 100 files, then the new step's empty bar
  EXPECT_EQ(progress.counters[99], 105);
  EXPECT_EQ(progress.counters.back(), 0);
  const auto [result, ticks] = RunToEnd(import, progress);
  EXPECT_EQ(result.outcome, Outcome::Succeeded);
  EXPECT_EQ(ticks, 2 * 101);
  EXPECT_EQ(FolderContents(data), files);
}

TEST_F(PriorYearImportTest, FailuresStopAtTheirStepWithTheirMessage) {
  struct Case {
    const char* name;
    std::function<void(test::ScratchMachine&)> setup;
    int ticks;
    const char* message;
  };
  const Case cases[] = {
      {"nothing installed anywhere", [](auto&) {}, 5, kNotFound},
      {"an empty data folder",
       [](auto& m) { m.SetInstallPath(m.Install(m.dir / "old")); }, 101 + 5, kEnumerateFailed},
      {"no company files among the files",
       [](auto& m) {
         m.SetInstallPath(m.Install(m.dir / "old", {{"A.qdt.del", "x"}, {"notes.txt", "x"}, {".qdt", "x"}}));
         fs::create_directories(m.dir / "old" / "DatabaseFiles" / "Folder.qdt");
       },
       101 + 5, kEnumerateFailed},
      {"the work folder cannot be made",
       [](auto& m) {
         m.SetInstallPath(m.Install(m.dir / "old", {{"A.qdt", "a"}}));
         test::WriteBytes(m.WorkFolder(), "in the way");
       },
       202 + 5, kWorkCopyFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchMachine machine;
    c.setup(machine);
    PriorYearImport import(machine.settings, machine.data, machine.Roots());
    RecordingProgress progress;
    import.Start();
    const auto [result, ticks] = RunToEnd(import, progress);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(ticks, c.ticks);
    EXPECT_FALSE(import.IsRunning());
    EXPECT_EQ(import.Step(), 0);
    EXPECT_EQ(import.Counter(), 0);
    EXPECT_TRUE(FolderContents(machine.data).empty());
    // A new import may start afterwards.
    EXPECT_TRUE(import.Start());
  }
}

TEST_F(PriorYearImportTest, TicksWaitForTheQuestionAndStopOnCancel) {
  SetInstallPath(Install(dir / "old", {{"A.qdt", "a"}}));
  PriorYearImport import(settings, data, Roots());
  RecordingProgress progress;
  import.Start();
  for (int i = 0; i < 4; ++i) import.Tick(progress);

  // While the window asks its question nothing moves, not even the search
  // that is due.
  progress.asking = true;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(import.Tick(progress).outcome, Outcome::Running);
  EXPECT_EQ(import.Counter(), 4);
  EXPECT_TRUE(import.PreviousDataFolder().empty());
  EXPECT_EQ(progress.counters.size(), 4u);

  progress.asking = false;
  progress.cancel = true;
  const auto result = import.Tick(progress);
  EXPECT_EQ(result.outcome, Outcome::Cancelled);
  EXPECT_EQ(result.message, "");
  EXPECT_TRUE(import.PreviousDataFolder().empty());
  EXPECT_FALSE(import.IsRunning());
  EXPECT_EQ(import.Step(), 0);
  EXPECT_EQ(import.Counter(), 0);
  EXPECT_FALSE(fs::exists(WorkFolder()));
}

TEST_F(PriorYearImportTest, StartWhileRunningChangesNothing) {
  PriorYearImport import(settings, data, Roots());
  RecordingProgress progress;
  EXPECT_EQ(import.Tick(progress).outcome, Outcome::Idle);
  ASSERT_TRUE(import.Start());
  for (int i = 0; i < 3; ++i) import.Tick(progress);
  EXPECT_FALSE(import.Start());
  EXPECT_EQ(import.Counter(), 3);
  EXPECT_TRUE(import.IsRunning());
}

TEST(PriorYearSearch, CandidatesInOrder) {
  const SearchRoots roots{"/h", {"/w"}, "/o"};
  std::vector<fs::path> expected;
  for (const char* pattern : {"Program Files/Quorvane/Formet (2006)", "Quorvane/Formet (2006)", "Formet (2006)"})
    for (const char* drive : {"drive_c", "dosdevices/d:", "dosdevices/e:", "dosdevices/f:"})
      expected.push_back(fs::path("/w") / drive / pattern);
  expected.push_back("/o/Quorvane/Formet (2006)");
  expected.push_back("/h/.local/share/Quorvane/Formet (2006)");
  EXPECT_EQ(PreviousInstallCandidates(roots), expected);
  EXPECT_EQ(expected[1], fs::path("/w/dosdevices/d:/Program Files/Quorvane/Formet (2006)"));
}

TEST(PriorYearSearch, RootsFromTheEnvironment) {
  const char* savedHome = std::getenv("HOME");
  const char* savedPrefix = std::getenv("WINEPREFIX");
  const std::optional<std::string> home = savedHome ? std::optional<std::string>(savedHome) : std::nullopt;
  const std::optional<std::string> prefix = savedPrefix ? std::optional<std::string>(savedPrefix) : std::nullopt;

  setenv("HOME", "/home/pat", 1);
  unsetenv("WINEPREFIX");
  auto roots = SearchRoots::FromEnvironment();
  EXPECT_EQ(roots.home, fs::path("/home/pat"));
  EXPECT_EQ(roots.winePrefixes, std::vector<fs::path>{"/home/pat/.wine"});
  EXPECT_EQ(roots.systemFolder, fs::path("/opt"));
  setenv("WINEPREFIX", "/srv/wine-office", 1);
  roots = SearchRoots::FromEnvironment();
  EXPECT_EQ(roots.winePrefixes, std::vector<fs::path>{"/srv/wine-office"});

  if (home) setenv("HOME", home->c_str(), 1);
  else unsetenv("HOME");
  if (prefix) setenv("WINEPREFIX", prefix->c_str(), 1);
  else unsetenv("WINEPREFIX");
}

TEST(PriorYearSearch, WhereThePreviousReleaseIsFound) {
  using M = test::ScratchMachine;
  struct Case {
    const char* name;
    std::function<void(M&)> setup;
    std::function<fs::path(M&)> expected;  // the install folder; empty when none is found
  };
  const Case cases[] = {
      {"the settings' InstallPath",
       [](M& m) {
         m.SetInstallPath(m.Install(m.dir / "settings"));
         m.SetInstallLocation((m.dir / "uninstall").string());
         m.Install(m.dir / "uninstall");
       },
       [](M& m) { return m.dir / "settings"; }},
      {"only the uninstall entry's InstallLocation",
       [](M& m) { m.SetInstallLocation(m.Install(m.dir / "uninstall").string()); },
       [](M& m) { return m.dir / "uninstall"; }},
      {"a stale InstallPath falls back to InstallLocation",
       [](M& m) {
         fs::create_directories(m.dir / "stale");
         m.SetInstallPath(m.dir / "stale");
         m.SetInstallLocation(m.Install(m.dir / "uninstall").string());
       },
       [](M& m) { return m.dir / "uninstall"; }},
      {"a stale InstallPath and no uninstall entry",
       [](M& m) {
         m.SetInstallPath(m.dir / "stale");
         m.Install(wine(m) / "drive_c" / "Formet (2006)");
       },
       [](M&) { return fs::path(); }},
      {"the settings' text is Windows-1252",
       [](M& m) {
         m.Install(m.dir / "Caf\xC3\xA9 2006");
         m.settings.WriteText(kPreviousReleaseKey, kPreviousReleaseValue, (m.dir / "Caf\xE9 2006").string());
       },
       [](M& m) { return m.dir / "Caf\xC3\xA9 2006"; }},
      {"drive C of the Wine prefix",
       [](M& m) { m.Install(wine(m) / "drive_c" / "Program Files" / "Quorvane" / "Formet (2006)"); },
       [](M& m) { return wine(m) / "drive_c" / "Program Files" / "Quorvane" / "Formet (2006)"; }},
      {"the first pattern on drive D before the second on drive C",
       [](M& m) {
         fs::create_directories(m.dir / "second disk");
         fs::create_directory_symlink(m.dir / "second disk", wine(m) / "dosdevices" / "d:");
         m.Install(m.dir / "second disk" / "Program Files" / "Quorvane" / "Formet (2006)");
         m.Install(wine(m) / "drive_c" / "Quorvane" / "Formet (2006)");
       },
       [](M& m) { return wine(m) / "dosdevices" / "d:" / "Program Files" / "Quorvane" / "Formet (2006)"; }},
      {"the third pattern on drive F",
       [](M& m) { m.Install(wine(m) / "dosdevices" / "f:" / "Formet (2006)"); },
       [](M& m) { return wine(m) / "dosdevices" / "f:" / "Formet (2006)"; }},
      {"the system folder",
       [](M& m) { m.Install(m.dir / "opt" / "Quorvane" / "Formet (2006)"); },
       [](M& m) { return m.dir / "opt" / "Quorvane" / "Formet (2006)"; }},
      {"the user's data folder",
       [](M& m) { m.Install(m.home / ".local" / "share" / "Quorvane" / "Formet (2006)"); },
       [](M& m) { return m.home / ".local" / "share" / "Quorvane" / "Formet (2006)"; }},
      {"the Wine prefix before the system folder",
       [](M& m) {
         m.Install(m.dir / "opt" / "Quorvane" / "Formet (2006)");
         m.Install(wine(m) / "dosdevices" / "e:" / "Quorvane" / "Formet (2006)");
       },
       [](M& m) { return wine(m) / "dosdevices" / "e:" / "Quorvane" / "Formet (2006)"; }},
      {"the first existing folder is taken even without its data folder",
       [](M& m) {
         fs::create_directories(wine(m) / "drive_c" / "Quorvane" / "Formet (2006)");
         m.Install(wine(m) / "drive_c" / "Formet (2006)");
       },
       [](M&) { return fs::path(); }},
      {"an InstallLocation of 255 characters",
       [](M& m) {
         const std::string base = (m.dir / "").string();
         const std::string location = base + std::string(255 - base.size(), 'l');
         m.SetInstallLocation(m.Install(location).string());
         m.Install(wine(m) / "drive_c" / "Formet (2006)");
       },
       [](M& m) {
         const std::string base = (m.dir / "").string();
         return fs::path(base + std::string(255 - base.size(), 'l'));
       }},
      {"an InstallLocation of 256 characters cannot be read",
       [](M& m) {
         const std::string base = (m.dir / "").string();
         m.SetInstallLocation(m.Install(base + std::string(256 - base.size(), 'l')).string());
         m.Install(wine(m) / "drive_c" / "Formet (2006)");
       },
       [](M& m) { return wine(m) / "drive_c" / "Formet (2006)"; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    M machine;
    c.setup(machine);
    PriorYearImport import(machine.settings, machine.data, machine.Roots());
    const fs::path expected = c.expected(machine);
    EXPECT_EQ(import.FindPreviousDataFolder(), !expected.empty());
    EXPECT_EQ(import.PreviousDataFolder(), expected.empty() ? fs::path() : expected / "DatabaseFiles");
  }
}

TEST(PriorYearSearch, FromNamesTheInstallFolderInsteadOfSearching) {
  test::ScratchMachine m;
  m.SetInstallPath(m.Install(m.dir / "settings", {{"A.qdt", "a"}}));
  m.Install(m.dir / "elsewhere", {{"B.qdt", "b"}});
  m.SetInstallLocation(m.Install(m.dir / "uninstall").string());
  PriorYearImport import(m.settings, m.data, m.Roots());
  import.SetInstallFolder(m.dir / "elsewhere");
  ASSERT_TRUE(import.FindPreviousDataFolder());
  EXPECT_EQ(import.PreviousDataFolder(), m.dir / "elsewhere" / "DatabaseFiles");
  // No fallback: a named folder without its data folder is not found.
  import.SetInstallFolder(m.dir / "uninstall" / "DatabaseFiles");
  EXPECT_FALSE(import.FindPreviousDataFolder());
  EXPECT_TRUE(import.PreviousDataFolder().empty());
}

TEST(PriorYearNames, WorkFolderIsTheDataFolderFollowedBy2006) {
  const std::pair<fs::path, fs::path> cases[] = {
      {"/srv/formet/DatabaseFiles", "/srv/formet/DatabaseFiles2006"},
      {"/srv/formet/DatabaseFiles/", "/srv/formet/DatabaseFiles2006"},
      {"/srv/formet/Clients/./", "/srv/formet/Clients2006"},
  };
  for (const auto& [data, work] : cases) EXPECT_EQ(ImportWorkFolder(data), work) << data;
}

TEST(PriorYearNames, FileNamesBecomeUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"Acme.qdt", "Acme.qdt"},
      {"Caf\xE9.qdt", "Caf\xC3\xA9.qdt"},                 // Windows-1252
      {"O\x92Neil.qdt", "O\xE2\x80\x99Neil.qdt"},         // the typographic apostrophe
      {"Caf\xC3\xA9.qdt", "Caf\xC3\xA9.qdt"},             // UTF-8 already
      {"\xE6\x97\xA5\xE6\x9C\xAC.qdt", "\xE6\x97\xA5\xE6\x9C\xAC.qdt"},  // UTF-8 without a Windows-1252 form
      {"\xC3.qdt", "\xC3\x83.qdt"},                      // a cut-off sequence is not UTF-8
      {"\xC0\xAF.qdt", "\xC3\x80\xC2\xAF.qdt"},           // nor is an overlong one
      {"\xED\xA0\x80.qdt", "\xC3\xAD\xC2\xA0\xE2\x82\xAC.qdt"},  // nor a surrogate
  };
  for (const auto& [bytes, utf8] : cases) EXPECT_EQ(ImportedFileName(bytes), utf8) << bytes;
}

TEST_F(PriorYearImportTest, ExistingCompaniesKeepTheirFiles) {
  test::WriteBytes(data / "Acme.qdt", "current acme");
  test::WriteBytes(data / "BETA.qdt", "current beta");
  test::WriteBytes(data / "Caf\xC3\x89.qdt", "current cafe");  // CafÉ in UTF-8
  SetInstallPath(Install(dir / "old", {{"Acme.qdt", "old acme"},
                                       {"beta.qdt", "old beta"},
                                       {"caf\xE9.qdt", "old cafe"},  // Windows-1252 café
                                       {"Gamma.qdt", "old gamma"},
                                       {"Zo\xC3\xAB.qdt", "old zoe"},
                                       {"O\x92Neil.qdt", "old oneil"},
                                       {"Gone.qdt.del", "deleted"},
                                       {"notes.txt", "notes"}}));
  PriorYearImport import(settings, data, Roots());
  RecordingProgress progress;
  import.Start();
  ASSERT_EQ(RunToEnd(import, progress).first.outcome, Outcome::Succeeded);

  EXPECT_EQ(FolderContents(data), (std::map<std::string, std::string>{{"Acme.qdt", "current acme"},
                                                                      {"BETA.qdt", "current beta"},
                                                                      {"Caf\xC3\x89.qdt", "current cafe"},
                                                                      {"Gamma.qdt", "old gamma"},
                                                                      {"O\xE2\x80\x99Neil.qdt", "old oneil"},
                                                                      {"Zo\xC3\xAB.qdt", "old zoe"}}));
  EXPECT_EQ(FolderContents(WorkFolder()), (std::map<std::string, std::string>{{"Acme.qdt", "old acme"},
                                                                             {"beta.qdt", "old beta"},
                                                                             {"caf\xC3\xA9.qdt", "old cafe"},
                                                                             {"Gamma.qdt", "old gamma"},
                                                                             {"O\xE2\x80\x99Neil.qdt", "old oneil"},
                                                                             {"Zo\xC3\xAB.qdt", "old zoe"}}));
  EXPECT_EQ(FolderContents(dir / "old" / "DatabaseFiles").size(), 8u);  // the previous release's files stay

  // The program lists the imported companies by their Windows-1252 names.
  test::ScriptedUi ui;
  MemorySettingsStore docSettings;
  CGlobalDoc doc(ui, docSettings, data);
  ASSERT_TRUE(doc.ListCompanies(true));
  EXPECT_EQ(doc.CompanyNames(),
            (std::vector<std::string>{"Acme", "BETA", "Caf\xC9", "Gamma", "O\x92Neil", "Zo\xEB"}));

  // A second import refreshes the work folder and still leaves the current
  // companies alone.
  test::WriteBytes(dir / "old" / "DatabaseFiles" / "Gamma.qdt", "newer gamma");
  import.Start();
  ASSERT_EQ(RunToEnd(import, progress).first.outcome, Outcome::Succeeded);
  EXPECT_EQ(test::ReadBytes(WorkFolder() / "Gamma.qdt"), "newer gamma");
  EXPECT_EQ(test::ReadBytes(data / "Gamma.qdt"), "old gamma");
}

TEST_F(PriorYearImportTest, CopiedFilesAreConvertedOnlyWhenOpened) {
  SetInstallLocation(Install(dir / "old").string());
  fs::copy_file(test::TestData("legacy/legacy-v1-small.qdt"), dir / "old" / "DatabaseFiles" / "O'Brien Plumbing.qdt");
  PriorYearImport import(settings, data, Roots());
  RecordingProgress progress;
  import.Start();
  ASSERT_EQ(RunToEnd(import, progress).first.outcome, Outcome::Succeeded);
  ASSERT_TRUE(IsOldFormatFile(data / "O'Brien Plumbing.qdt"));

  test::ScriptedUi ui;
  MemorySettingsStore docSettings;
  CGlobalDoc doc(ui, docSettings, data);
  doc.BeginSession();
  doc.SetCompany("O'Brien Plumbing");
  ASSERT_TRUE(doc.OnNewDocument()) << (ui.messages.empty() ? "" : ui.messages.back());
  EXPECT_EQ(doc.GetCompany().EmployerName(), "O'Brien Plumbing");
  EXPECT_FALSE(IsOldFormatFile(data / "O'Brien Plumbing.qdt"));
  EXPECT_TRUE(IsOldFormatFile(WorkFolder() / "O'Brien Plumbing.qdt"));
}

}  // namespace
}  // namespace formet
